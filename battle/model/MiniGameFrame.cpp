// The mini-games' frame (stages 151 to 180): the loss rules, the jump game,
// the timed rules and the per-mode handlers in their fixed order, then the
// tweens. Each handler skips stages not its own, so at most one of them wins
// a frame, and none after it acts on that stage.
#include "battle/model/BattleRoad.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/model/JumpingRules.h"
#include "battle/model/MiniGameBossRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RelocationRules.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "engine/VxXApplication.h"

namespace {

// 9. The per-mode handlers; true when one of them won the stage.
bool RunMiniGameModes(CBattleModel& model) {
    const int stage = model.StageNumber();
    bool won = false;
    UpdateCapsuleSupply(model);                             // (1) 154
    StepFloatingBoss(model);                                // (2) 163
    won = UpdateFinalBoss(model) || won;                    // (3) 160, 170, 180
    const SequenceStep sequence = StepSequenceGame(model);  // (4) 158
    if (sequence.flyer) AddMiniGameTween(model, sequence.flyer, sequence.to.x, sequence.to.y, sequence.to.z);
    won = sequence.won || won;
    if (IsSlotMachineStage(stage)) StepSlotMachine(model, model.AppFrame());  // (5) 159, 165, 169, 176, 178
    won = StepBossDuel(model) || won;                                         // (6) 156/166/174
    switch (UpdateConveyorCatch(model)) {                                     // (7) 177
    case CatchStep::Won: won = true; break;
    // A robot that landed takes its place in the drawing order.
    case CatchStep::Caught: RuleState(model).m_lstRobots.sort(CompareRobotsForDrawing); break;
    case CatchStep::Running: break;
    }
    won = StepBombRun(model) || won;     // (8) 171
    won = StepEnergyGoal(model) || won;  // (9) 172
    return won;
}

}  // namespace

bool RunMiniGameFrame(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (!IsMiniGameStage(stage)) return false;
    bool won = false;
    if (BeginMiniGameFrame(model)) {
        // 1, 2: the loss rules, and 151's Machines held back.
        ApplyMiniGameLossRules(model);
        // 3. The jump game (157, 167): a stomp sends the jumper up again.
        if (IsJumpStage(stage) && StepJumpGame(model)) StartMiniGameJump(model);
        // 4 to 8: the capsules and twins that come at set times.
        ApplyMiniGameTimedRules(model);
        won = RunMiniGameModes(model);
    }
    UpdateMiniGameTweens(model);
    return won;
}

bool MiniGameGunnerSteers(const CBattleModel& model) {
    const CCom_GameRobot* r = RuleState(model).m_apMiniGameRobots[0];
    return r && r->m_iUnitSlot == model.FindHandCard(RobotId::MachineGunner) && r->m_iHp >= 1 && r->m_iHp <= 9999;
}

bool FollowsThePointer(int stage) {
    switch (KindOf(stage)) {
    case StageKind::AimedShooting:
    case StageKind::Steering:
    case StageKind::Jumping:
    case StageKind::ChargeShot: return true;
    default: return false;
    }
}

void RunMiniGameControls(CBattleModel& model, const VxVec3& pointer, bool held) {
    const BattleData& s = model.State();
    const auto steer = [&](bool setFacing) {
        if (!held) return;
        SteerRobotY(model, pointer.y);
        SteerRobotX(model, pointer.x, setFacing);
    };
    const auto jump = [&] {
        if (s.m_iStartJumps != 0) return;
        if (held && JumpMayStart(model, pointer.y)) StartMiniGameJump(model);
        else KeepJumpRising(model);
    };
    const int stage = model.StageNumber();
    const MiniGameMode mode = ModeOf(stage);
    switch (KindOf(stage)) {
    case StageKind::AimedShooting:
        if (CountAimHold(model, held)) FireShotsAt(model, pointer);
        break;
    case StageKind::Steering:
        if (mode == MiniGameMode::CapsuleSupply) {
            if (held) SteerRobotY(model, pointer.y);
        } else if (mode == MiniGameMode::BothSides) {
            steer(true);
        } else if (mode == MiniGameMode::BombRun) {
            if (MiniGameGunnerSteers(model)) steer(false);
        } else if (s.m_apMiniGameRobots[0] && s.m_apMiniGameRobots[0]->m_iHp > 0) {
            steer(false);
        }
        break;
    case StageKind::Jumping:
        jump();
        // Once the climb is over and the backdrop stands, the jumper stays put.
        if (mode == MiniGameMode::Climb && s.m_iTimeLeft == 0 && s.m_pStage && s.m_pStage->m_fScrollY == 0.0f) break;
        if (held) SteerRobotX(model, pointer.x, false);
        break;
    case StageKind::ChargeShot: StepChargeShot(model, held); break;
    default: break;
    }
}

void RunMiniGameInputRules(CBattleModel& model) {
    const int stage = model.StageNumber();
    const MiniGameMode mode = ModeOf(stage);
    switch (KindOf(stage)) {
    case StageKind::Steering:
        if (mode == MiniGameMode::BombRun) {
            if (!MiniGameGunnerSteers(model)) break;
            CollectItemsByTouch(model);
            if (RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft > 30) FireChargedRobots(model);
            break;
        }
        // The steered robot picks up what it touches, save where capsules come to it.
        if (mode != MiniGameMode::CapsuleSupply && mode != MiniGameMode::FloatingBoss) CollectItemsByTouch(model);
        FireChargedRobots(model);
        break;
    case StageKind::Jumping:
        if (mode == MiniGameMode::Climb) FireRobotsOfType(model, MachineId::NapalmAirship);
        break;
    case StageKind::FastMachines: SetFastMachines(model); break;
    case StageKind::ConveyorCatch: FireRobotsOfType(model, RobotId::MiniBomber); break;
    default: break;
    }
}
