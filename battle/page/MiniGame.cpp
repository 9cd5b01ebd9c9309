// The page's side of every mini-game (stages 151 to 180): the set-up at load
// with the hand's buttons, the per-frame pass calling the rules (MiniGameRules.h)
// and the per-mode handlers in their fixed order, the input dispatch by stage
// with the mouse read here, and the HUD dispatch.
#include <algorithm>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/BattleRoad.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "engine/InputRecord.h"
#include "engine/VxButton.h"
#include "engine/VxXApplication.h"
#include "game/GameApplication.h"

namespace {

bool LeftHeld() { return g_pApp && (g_pApp->m_aInput[0].m_aiKey[MOUSE_LEFT] & KEY_HELD) != 0; }

}  // namespace

void CPageGame::SetUpMiniGame() {
    ResetMiniGameState(*this);
    // The reels start empty; on the slot stages they get their codes here,
    // before the hand is dealt from them.
    SetUpSlotReels();
    if (IsMiniGameStage(CurrentStage())) {
        SetUpMiniGameHand();
        BuildHand();
        TakeLoadedHand();  // the same thread: nothing draws the hand meanwhile
        // Records dealt beyond the shown slots (177's paratroopers) need theirs too.
        for (int i = m_nHandSlots; i < DECK_SLOTS; ++i) {
            const int card = m_aHand[i].m_iCard;
            if (card < 0 || card >= ROBOT_TYPES) continue;
            m_aHandDefs[i] = UnitDefinition{};
            GetUnitDefinition(m_aHandDefs[i], card);
            if (g_pGameAppInstance) m_apHandPictures[i] = g_pGameAppInstance->m_apBbdCard[card];
        }
        PlaceMiniGameRobots(*this);
    }
    FinishMiniGameSetUp(*this);
}

void CPageGame::SetUpMiniGameHand() {
    const int runLast = DealMiniGameHand(*this);
    if (runLast >= 0) m_lstDrawLastTypes.push_back(runLast);
    const int slots = m_nHandSlots;

    // One button per slot in a row across the middle; the rest wait off screen.
    const float step = float(g_iScreenWidth / 10 - 2) + (slots < 10 ? 5.0f : 0.0f);
    for (int i = 0; i < DECK_SLOTS; ++i) {
        CVxButton* b = m_apHandButtons[i];
        if (!b) b = m_apHandButtons[i] = AddButton(0);
        if (!b) break;
        b->m_iHitHalfWidth = b->m_iHitHalfHeight = 45;
        if (i < slots) b->SetPosition((0.5f * float(slots) - 0.5f - float(i)) * step, -259.0f, 0.0f);
        else b->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

void CPageGame::UpdateMiniGame() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    if (BeginMiniGameFrame(*this)) {
        // 1, 2: the loss rules, and 151's Machines held back.
        ApplyMiniGameLossRules(*this);
        // 3. The jump game (157, 167).
        if (IsJumpStage(stage)) UpdateJumpGame();
        // 4 to 8: the capsules and twins that come at set times.
        ApplyMiniGameTimedRules(*this);
        // 9. The per-mode handlers, in their fixed order; each skips stages not its own.
        UpdateCapsuleSupply(*this);                                        // (1) 154
        UpdateFloatingBoss();                                              // (2) 163
        if (UpdateFinalBoss(*this)) SetBattleState(*this, BATTLE_REWARD);  // (3) 160, 170, 180
        UpdateSequenceGame();                                              // (4) 158
        UpdateSlotMachine();                                               // (5) 159, 165, 169, 176, 178
        UpdateBossDuel();                                                  // (6) 156/166/174
        switch (UpdateConveyorCatch(*this)) {                              // (7) 177
        case CatchStep::Won: SetBattleState(*this, BATTLE_REWARD); break;
        // A robot that landed takes its place in the drawing order.
        case CatchStep::Caught: m_lstRobots.sort(CompareRobotsForDrawing); break;
        case CatchStep::Running: break;
        }
        UpdateBombRun();     // (8) 171
        UpdateEnergyGoal();  // (9) 172
    }
    UpdateMiniGameTweens(*this);
}

void CPageGame::HandleMiniGameInput() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    // Each stage's input handlers, in their order (152 to 177 by id):
    //   152, 162 aimed shots; 154, 155, 156/166/174, 163, 171 steering (171 only while its
    //   Machine Gunner lives); 157, 167 jumping; 168 click zapping; 177 Mini-Bombers fire.
    // Ids the table leaves out, 178 and above among them, go by group: relocation
    // (group 1), then the slot lever (group 2), then the charge shot of 164 and 179.
    switch (stage) {
    case 152:
    case 162: FireAimedShots(); break;
    case 154:
        MoveMiniGameRobotY();
        FireChargedRobots(*this);
        break;
    case 155:
        MoveMiniGameRobotY();
        MoveMiniGameRobotX(true);
        CollectItemsByTouch(*this);
        FireChargedRobots(*this);
        break;
    case 156:
    case 166:
    case 174:
        if (m_apMiniGameRobots[0] && m_apMiniGameRobots[0]->m_iHp > 0) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
        }
        CollectItemsByTouch(*this);
        FireChargedRobots(*this);
        break;
    case 157:
        HandleJumpInput();
        MoveMiniGameRobotX(false);
        break;
    case 163:
        if (m_apMiniGameRobots[0] && m_apMiniGameRobots[0]->m_iHp > 0) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
        }
        FireChargedRobots(*this);
        break;
    case 167:
        HandleJumpInput();
        if (!(m_iTimeLeft == 0 && m_pStage && m_pStage->m_fScrollY == 0.0f)) MoveMiniGameRobotX(false);
        FireRobotsOfType(MachineId::NapalmAirship);
        break;
    case 168: HandleMiniGame168Input(); break;
    case 171:
        if (const CCom_GameRobot* r = m_apMiniGameRobots[0];
            r && r->m_iUnitSlot == FindHandCard(RobotId::MachineGunner) && r->m_iHp >= 1 && r->m_iHp <= 9999) {
            MoveMiniGameRobotY();
            MoveMiniGameRobotX(false);
            CollectItemsByTouch(*this);
            if (m_iStageFrames - m_iTimeLeft > 30) FireChargedRobots(*this);
        }
        break;
    case 175: SetFastMachines(*this); break;
    case 177: FireRobotsOfType(RobotId::MiniBomber); break;
    default:  // the group handlers named above
        if (IsMiniGameGroup1(stage)) HandleRelocateInput();
        if (IsMiniGameGroup2(stage)) HandleSlotLeverInput();
        if (stage == 164 || stage == 179) HandleChargeShotInput();
        break;
    }
}

void CPageGame::FireAimedShots() {
    if (CountAimHold(*this, LeftHeld())) FireShotsAt(*this, CursorPoint());
}

void CPageGame::MoveMiniGameRobotY() {
    if (LeftHeld()) SteerRobotY(*this, CursorPoint().y);
}

void CPageGame::MoveMiniGameRobotX(bool setFacing) {
    if (LeftHeld()) SteerRobotX(*this, CursorPoint().x, setFacing);
}

bool CPageGame::IsMachineOnScreen(const CCom_GameRobot& robot) {
    const float edge = 0.55f * float(g_iScreenWidth);
    return robot.IsMachine() && robot.m_vPosition.x > -edge && robot.m_vPosition.x < edge;
}

void CPageGame::DrawMiniGameHud() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    CEffect_FontInstruction* hint = m_pEffectFontInstruction;
    const bool hintShows = hint && hint->CurrentKind() == FI_SHOOT_HINT;
    if ((stage == 152 || stage == 162) && m_iBattleState == BATTLE_PLAYING && hint) {
        const auto onScreen = std::count_if(m_lstRobots.begin(), m_lstRobots.end(), IsMachineOnScreen);
        if (!m_bShootHintShown && onScreen > 3 && m_lstBullets.empty()) {
            hint->ShowShootHint();
            m_bShootHintShown = 1;
        } else if (hintShows && !m_lstBullets.empty() && hint->m_aInstances[0].age > 180) {
            hint->Clear(0);
        }
    }
    // 152, 162, 168: the charge gauges below BATTLE_REWARD; 164, 179: the charge-shot
    // gauge while 4 < state < 10 with the HUD shown; 167: the start arrow.
    if ((stage == 152 || stage == 162 || stage == 168) && m_iBattleState < BATTLE_REWARD) DrawChargeGauges();
    if ((stage == 164 || stage == 179) && m_iBattleState > BATTLE_CARD_SELECT && m_iBattleState < BATTLE_UNLOCKS &&
        !m_bHudHidden)
        DrawChargeShotGauge();
    if (stage == 168 && hintShows && m_iBattleState >= BATTLE_REWARD) hint->Clear(0);
    if (stage == 167) DrawJumpStartArrow();
    if (stage == 177 && m_iBattleState > BATTLE_CARD_SELECT && m_iBattleState < BATTLE_UNLOCKS && !m_bHudHidden)
        DrawCatchCounter();
}
