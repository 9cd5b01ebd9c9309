// The page's side of every mini-game (stages 151 to 180): the dealt hand's
// buttons and pictures at load, the input dispatch by stage with the mouse
// read here, and the HUD dispatch. The frame's rules run in the model
// (RunMiniGameFrame, MiniGameRules.h).
#include <algorithm>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/model/JumpingRules.h"
#include "battle/model/MiniGameRules.h"
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

void CPageGame::LoadDealtHand(const CBattleModel::HandRecords& records) {
    const int slots = m_Battle.State().m_nHandSlots;
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
    // Every dealt slot has its picture, those beyond the shown ones (177's paratroopers) too.
    LoadHandArt(records, m_apHandPictures, m_apCardSounds);
}

void CPageGame::HandleMiniGameInput() {
    const int stage = CurrentStage();
    if (!IsMiniGameStage(stage)) return;
    // The steady controls (aim, steer, jump, charge) read the pointer every
    // frame; 168 zaps where it is pressed; the relocation and slot-machine
    // stages pick up, drop and stop reels. The rules that run with the input
    // come after them (RunPlayInput).
    if (FollowsThePointer(stage)) {
        const VxVec3 at = CursorPoint();
        if (!m_pCommandSource) ApplyCommand(MiniGamePointer{at.x, at.y, LeftHeld()});
    } else if (KindOf(stage) == StageKind::ClickZapping) {
        HandleZapInput();
    } else {
        if (IsRelocationStage(stage)) HandleRelocateInput();
        if (IsSlotMachineStage(stage)) HandleSlotLeverInput();
    }
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
    if (KindOf(stage) == StageKind::AimedShooting && m_Battle.State().m_iBattleState == BATTLE_PLAYING && hint) {
        const auto onScreen =
            std::count_if(m_Battle.State().m_lstRobots.begin(), m_Battle.State().m_lstRobots.end(), IsMachineOnScreen);
        if (!m_bShootHintShown && onScreen > 3 && m_Battle.State().m_lstBullets.empty()) {
            hint->ShowShootHint();
            m_bShootHintShown = 1;
        } else if (hintShows && !m_Battle.State().m_lstBullets.empty() && hint->m_aInstances[0].age > 180) {
            hint->Clear(0);
        }
    }
    // 152, 162, 168: the charge gauges below BATTLE_REWARD; 164, 179: the charge-shot
    // gauge while 4 < state < 10 with the HUD shown; 167: the start arrow.
    if ((KindOf(stage) == StageKind::AimedShooting || KindOf(stage) == StageKind::ClickZapping) &&
        m_Battle.State().m_iBattleState < BATTLE_REWARD)
        DrawChargeGauges();
    if (IsChargeShotStage(stage) && m_Battle.State().m_iBattleState > BATTLE_CARD_SELECT &&
        m_Battle.State().m_iBattleState < BATTLE_UNLOCKS && !m_bHudHidden)
        DrawChargeShotGauge();
    if (KindOf(stage) == StageKind::ClickZapping && hintShows && m_Battle.State().m_iBattleState >= BATTLE_REWARD)
        hint->Clear(0);
    if (ModeOf(stage) == MiniGameMode::Climb) DrawJumpStartArrow();
    if (KindOf(stage) == StageKind::ConveyorCatch && m_Battle.State().m_iBattleState > BATTLE_CARD_SELECT &&
        m_Battle.State().m_iBattleState < BATTLE_UNLOCKS && !m_bHudHidden)
        DrawCatchCounter();
}
