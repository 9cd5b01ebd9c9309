// The player's hand in battle: its records (filled on the loader thread),
// the cards drawn under the field and charging one step per drawn frame, the
// ghost of the carried card, and turning the carried card into a robot.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_NewAchievementInGame.h"
#include "battle/model/TutorialRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxNumber.h"
#include "content/Achievements.h"
#include "content/UnlockTables.h"
#include "engine/VxSaveData.h"
#include "game/GameSaveData.h"
#include "engine/VxSound.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"
#include "content/StageRules.h"

namespace {

int EngineFrame() { return g_pApp ? int(g_pApp->m_nFrame) : 0; }
// Stages whose cards show and pay their energy cost.
bool ShowsCost(int stage) { return !IsMiniGameStage(stage) || ModeOf(stage) == MiniGameMode::EnergyGoal; }

// Draws a layer at the button's place with the scale and depth of the slot.
void DrawLayer(CVxBillboard* picture, const VxVec3& at, float scale, float r, float g, float b) {
    if (!picture) return;
    picture->SaveState();
    if (scale != 1.0f) picture->ScaleSizeUniform(scale);
    picture->SetPosition(at.x, at.y, at.z);
    picture->SetDiffuse(r, g, b, 1.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

void DrawCost(CVxNumber* number, int cost, float x, float y, float z, float scale) {
    if (!number) return;
    number->SaveState();
    const float spacing = number->m_fSpacing;
    const int align = number->m_iAlign, digits = number->m_nMinDigits;
    number->m_fSpacing = 13.0f;
    number->m_iAlign = 0;
    number->m_nMinDigits = 1;
    number->ScaleSizeUniform(0.6f * scale);
    number->SetPosition(x, y, z);
    number->Draw(cost);
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->m_nMinDigits = digits;
    number->RestoreState();
}

}  // namespace

float CPageGame::GaugeValue(int charge, int recharge) {
    if (recharge - charge > 10) return 0.13f + 0.73f * float(charge) / float(std::max(recharge - 10, 1));
    return 0.86f + 0.14f * float(charge - (recharge - 10)) / 10.0f;
}

void CPageGame::BuildHand() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int stage = CurrentStage();
    SaveProfile& profile = g_CurrentProfile;
    // The main thread draws the hand meanwhile: the records go into the
    // loader's own copy, handed over when it is done.
    LoadedHand& out = m_LoadedHand;
    out = LoadedHand{};
    m_Battle.MakeHandRecords(out.records);
    const HandSlot(&hand)[HAND_SLOTS] = out.records.hand;
    if (!IsMiniGameStage(stage)) {
        app->m_vecLastDeck.clear();
        std::fill(std::begin(profile.m_aiLastDeck), std::end(profile.m_aiLastDeck), -1);
        for (int i = 0; i < std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS); ++i) {
            const int card = hand[i].m_iCard;
            if (card < 0 || card >= ROBOT_TYPES) continue;
            app->m_vecLastDeck.push_back(card);
            profile.m_aiLastDeck[i] = card;
        }
    }
    out.saveDeck = !IsMiniGameStage(stage);
    LoadHandArt(out.records, out.pictures, out.sounds);
    m_bLoadedHandWaiting = true;
}

void CPageGame::LoadHandArt(const CBattleModel::HandRecords& records, CVxBillboard* (&pictures)[HAND_SLOTS],
                            CVxSound* (&sounds)[HAND_SLOTS][ROBOT_SOUNDS]) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    for (int i = 0; i < HAND_SLOTS; ++i)
        if (records.filled[i]) pictures[i] = app->m_apBbdCard[records.hand[i].m_iCard];
    app->LoadPlayerRobotResources(records.hand, m_aHandArt);
    for (int i = 0; i < HAND_SLOTS; ++i)
        for (int s = 0; s < ROBOT_SOUNDS; ++s) sounds[i][s] = m_aHandArt[i].m_apSound[s];
}

void CPageGame::TakeLoadedHand() {
    if (!m_bLoadedHandWaiting.exchange(false)) return;
    const LoadedHand& in = m_LoadedHand;
    if (in.saveDeck && g_pGameAppInstance) g_pGameAppInstance->SaveProgress();
    m_Battle.TakeHandRecords(in.records);
    for (int i = 0; i < HAND_SLOTS; ++i) {
        if (in.records.filled[i]) m_apHandPictures[i] = in.pictures[i];
        for (int s = 0; s < ROBOT_SOUNDS; ++s) m_apCardSounds[i][s] = in.sounds[i][s];
    }
}

namespace {

// How far the hand slides down (and the Remover Bot's card drops) as the
// battle's loading opens and as its result closes.
struct HandDrop {
    float slide = 0.0f;
    float extra = 0.0f;
};

HandDrop HandDropNow(const CBattleModel& battle) {
    const int frame = EngineFrame();
    HandDrop d;
    if (battle.State().m_iBattleState == BATTLE_LOADING && frame - battle.State().m_iStateEntryFrame < 30) {
        d.extra = float(battle.State().m_iStateEntryFrame + 30 - frame);
        if (!HasMoreCardsThanSlots(battle) || IsSlotMachineStage(CurrentStage())) d.slide = d.extra * 4.0f;
    } else if (battle.State().m_iBattleState == BATTLE_RESULT) {
        d.slide = d.extra = float(frame - battle.State().m_iStateEntryFrame);
    }
    return d;
}

}  // namespace

HandFrame CPageGame::DrawHandCards() {
    HandFrame hand;
    // While the loader makes the hand's records, a hand just chosen is drawn
    // from the card choice's records of the same cards.
    hand.loading = g_bLoaderRunning || m_bLoadedHandWaiting;
    hand.gauges = !m_bHudHidden;
    hand.shown = g_pGameAppInstance && !(hand.loading && !HasMoreCardsThanSlots(m_Battle));
    if (!hand.shown) return hand;
    const float slide = HandDropNow(m_Battle).slide;
    if (IsSlotMachineStage(CurrentStage())) {
        DrawSlotMachineBoard(slide);
    } else {
        // The hovered or carried slot is drawn last, on top.
        int order[DECK_SLOTS];
        int front = 0, back = DECK_SLOTS;
        const int n = std::min(m_Battle.State().m_nHandSlots, DECK_SLOTS);
        int last = -1;
        for (int i = 0; i < n; ++i) {
            CVxButton* b = m_apHandButtons[i];
            if (b && m_Battle.State().m_aHand[i].m_iCard >= 0) b->MarkDrawn();  // its card, drawn below, is its face
            const bool hovered = b && m_Battle.State().m_iBattleState <= BATTLE_PLAYING &&
                                 m_Battle.State().m_iCarriedCard < 0 && b->HitTest();
            if (hovered || i == m_Battle.State().m_iCarriedCard) last = i;
            else order[front++] = i;
        }
        if (last >= 0) order[front++] = last;
        back = front;
        const bool tenSlots = m_Battle.State().m_nHandSlots >= DECK_SLOTS;
        for (int k = 0; k < back; ++k) DrawHandCard(order[k], slide, hand.loading, tenSlots);
    }
    return hand;
}

// The extra card: the Remover Bot, on its own button.
void CPageGame::DrawRemoverCard(const HandFrame& hand) {
    if (!hand.shown) return;
    if (m_pRemoverButton && !hand.loading && m_Battle.State().m_StageDefinition.m_bRemoverCard && !m_bHudHidden &&
        g_CurrentProfile.m_abRobotUnlocked[ROBOT_REMOVER]) {
        m_pRemoverButton->SetPosition(40.0f, 290.0f + HandDropNow(m_Battle).extra, 0.0f);
        m_pRemoverButton->MarkDrawn();
        const bool active = m_Battle.State().m_iBattleState <= BATTLE_PLAYING;
        CVxBillboard* face = m_apRemoverIcons[active && m_Battle.State().m_iCarriedCard == REMOVER_SLOT ? 1 : 0];
        const bool big =
            active && (m_pRemoverButton->HitTest() ||
                       (m_Battle.State().m_iCarriedCard >= 0 &&
                        m_Battle.State().m_aHand[m_Battle.State().m_iCarriedCard].m_iCard == ROBOT_REMOVER));
        DrawLayer(face, m_pRemoverButton->m_vPosition, big ? 1.0f : 0.9f, 1.0f, 1.0f, 1.0f);
    } else if (m_pRemoverButton) {
        m_pRemoverButton->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

// One card of the hand at its button, lowered by slide: its frame, picture,
// cost and charge gauge, as the card stands before this frame's charging step.
void CPageGame::DrawHandCard(int s, float slide, bool loading, bool tenSlots) {
    CGameApplication* app = g_pGameAppInstance;
    const int stage = CurrentStage();
    CVxButton* button = m_apHandButtons[s];
    if (!button) return;
    const HandSlot& slot = m_Battle.State().m_aHand[s];
    if (slot.m_iCard < 0) return;
    const bool chosen = loading && slot.m_iCard < ROBOT_TYPES;
    const UnitDefinition& d = chosen ? m_Battle.State().m_aCardDefs[slot.m_iCard] : m_Battle.State().m_aHandDefs[s];
    CVxBillboard* picture = chosen ? app->m_apBbdCard[slot.m_iCard] : m_apHandPictures[s];
    const int r = d.m_iRechargeTime;
    const int c = slot.m_iCharge;
    const float g = GaugeValue(c, r);
    const VxVec3 home = button->m_vPosition;
    const VxVec3 at{home.x, home.y - slide, home.z};
    const bool hovered =
        m_Battle.State().m_iBattleState <= BATTLE_PLAYING && m_Battle.State().m_iCarriedCard < 0 && button->HitTest();
    float scale = hovered ? 1.1f : 1.0f;
    if (tenSlots) scale *= 0.94f;
    const float costX = at.x + (tenSlots ? 21.0f : 24.0f), costY = at.y - (tenSlots ? 28.0f : 30.0f);

    if (c == r - 1 && m_Battle.State().m_iEnergy >= d.m_iEnergyCost) {
        if (m_pEffectCardFull) m_pEffectCardFull->Add(5, at.x, at.y, at.z);
        if (m_Battle.State().m_iBattleState <= BATTLE_PLAYING && app->m_pSndCardFull) {
            app->m_pSndCardFull->Stop();
            app->m_pSndCardFull->Play();
        }
    }
    const bool charging = m_Battle.State().m_StageDefinition.m_bCardCharge && !m_bHudHidden && c < r;
    const bool heldBack = TutorialHoldsCard(m_Battle, slot.m_iCard);
    const bool bright = !charging && m_Battle.State().m_iEnergy >= d.m_iEnergyCost && !heldBack;
    const float tint = charging ? 0.45f : bright ? 1.0f : 0.6f;
    DrawLayer(d.m_iUpgradeLevel != 0 && m_pCardBGUpgraded ? m_pCardBGUpgraded : app->m_pBbdCardBG, at, scale, tint,
              tint, tint);
    DrawLayer(picture, at, scale, tint, tint, tint);
    if (charging && ShowsCost(stage)) DrawCost(app->m_pNumInterface, d.m_iEnergyCost, costX, costY, -9.0f, scale);
    if (m_Battle.State().m_StageDefinition.m_bCardCharge && !m_bHudHidden) {
        auto* x = dynamic_cast<CVxXApplication*>(g_pApp);
        const float fill = std::min(0.9f * g, 1.0f);
        if (x && app->m_pBbdCardBG) x->DrawGaugeBarAt(app->m_pBbdDelayGauge, app->m_pBbdCardBG->m_vSize, at, fill);
        if (m_Battle.State().m_iBattleState <= BATTLE_PLAYING && s == m_Battle.State().m_iCarriedCard &&
            m_Battle.State().m_iRelocatingRobot == -1)
            DrawLayer(app->m_pBbdCardSelect, at, scale, 1.0f, 1.0f, 1.0f);
        if (x && picture) x->DrawGaugeBarAt(app->m_pBbdDelayGauge, picture->m_vSize, at, fill);
        if (ShowsCost(stage)) DrawCost(app->m_pNumInterface, d.m_iEnergyCost, costX, costY, -9.0f, scale);
    }
}

void CPageGame::DrawCarriedPreview(int ghostSerial) {
    if (m_Battle.State().m_iCarriedCard < 0 || m_Battle.State().m_iCarriedCard >= HAND_SLOTS) return;
    CCom_GameRobot ghost = CCom_GameRobot::Numbered(ghostSerial);
    const int carried = m_Battle.State().m_iCarriedCard;
    int shown = carried;
    const int card = m_Battle.State().m_aHand[carried].m_iCard;
    if (m_Battle.State().m_iRelocatingRobot != -1 && (card == RobotId::MachineGunner || card == RobotId::MortarBot)) {
        const int slot =
            m_Battle.FindHandCard(card == RobotId::MachineGunner ? RobotId::GunnerBot : RobotId::CannonBot);
        if (slot >= 0) shown = slot;
    }
    ghost.m_Unit = m_Battle.State().m_aHandDefs[shown];
    const bool fits = m_Battle.HeldCardCell() >= 0;
    VxVec3 at = m_Battle.State().m_vHeldAt;
    if (fits) at = m_Battle.GetCellCentre(at.x, at.y, 0.0f);
    // The episodes' last stages: the ghost stands on its robot base as the
    // robots on the field do (a mount card shows none of its own).
    const int stage = CurrentStage();
    const int shownCard = m_Battle.State().m_aHand[shown].m_iCard;
    if (IsEpisodeFinalBossStage(stage) && m_pRobotBase && ghost.m_Unit.m_iTerrain != TERRAIN_AIR &&
        shownCard != RobotId::MachineGunner && shownCard != RobotId::MortarBot) {
        const float right = m_Battle.State().m_iRelocatingRobot != -1 && card == RobotId::MachineGunner ? 15.0f : 0.0f;
        DrawLayer(m_pRobotBase, VxVec3{at.x + m_vRobotBaseOffset.x + right, at.y + m_vRobotBaseOffset.y, at.z}, 1.0f, 1,
                  1, 1);
    }
    if (card == RobotId::MiniMine && ghost.m_Unit.m_iUpgradeLevel > 0 && m_pRangeArt)
        DrawLayer(m_pRangeArt, at, 1.0f, 1, 1, 1);
    ghost.m_bPreview = 1;
    ghost.m_iHp = ghost.m_Unit.m_iMaxHp;
    ghost.m_iUnitSlot = shown;
    ghost.m_vPosition = ghost.m_vHome = ghost.m_vLastPosition = at;
    ghost.Update(m_Battle);
    ghost.Draw(m_Battle);
}
