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
    if (IsMiniGameGroup2(stage)) StepSlotMachine(model, model.AppFrame());  // (5) 159, 165, 169, 176, 178
    won = StepBossDuel(model) || won;                                       // (6) 156/166/174
    switch (UpdateConveyorCatch(model)) {                                   // (7) 177
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
    switch (stage) {
    case 152:
    case 154:
    case 155:
    case 156:
    case 157:
    case 162:
    case 163:
    case 164:
    case 166:
    case 167:
    case 171:
    case 174:
    case 179: return true;
    default: return false;
    }
}

void RunMiniGameControls(CBattleModel& model, const VxVec3& pointer, bool held) {
    const BattleData& s = model.State();
    const auto steerY = [&] {
        if (held) SteerRobotY(model, pointer.y);
    };
    const auto steerX = [&](bool setFacing) {
        if (held) SteerRobotX(model, pointer.x, setFacing);
    };
    const auto jump = [&] {
        if (s.m_iStartJumps != 0) return;
        if (held && JumpMayStart(model, pointer.y)) StartMiniGameJump(model);
        else KeepJumpRising(model);
    };
    switch (model.StageNumber()) {
    case 152:
    case 162:
        if (CountAimHold(model, held)) FireShotsAt(model, pointer);
        break;
    case 154: steerY(); break;
    case 155:
        steerY();
        steerX(true);
        break;
    case 156:
    case 163:
    case 166:
    case 174:
        if (s.m_apMiniGameRobots[0] && s.m_apMiniGameRobots[0]->m_iHp > 0) {
            steerY();
            steerX(false);
        }
        break;
    case 157:
        jump();
        steerX(false);
        break;
    case 167:
        jump();
        // Once the climb is over and the backdrop stands, the jumper stays put.
        if (!(s.m_iTimeLeft == 0 && s.m_pStage && s.m_pStage->m_fScrollY == 0.0f)) steerX(false);
        break;
    case 171:
        if (MiniGameGunnerSteers(model)) {
            steerY();
            steerX(false);
        }
        break;
    case 164:
    case 179: StepChargeShot(model, held); break;
    default: break;
    }
}

void RunMiniGameInputRules(CBattleModel& model) {
    switch (model.StageNumber()) {
    case 154:
    case 163: FireChargedRobots(model); break;
    case 155:
    case 156:
    case 166:
    case 174:
        CollectItemsByTouch(model);
        FireChargedRobots(model);
        break;
    case 167: FireRobotsOfType(model, MachineId::NapalmAirship); break;
    case 171:
        if (!MiniGameGunnerSteers(model)) break;
        CollectItemsByTouch(model);
        if (RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft > 30) FireChargedRobots(model);
        break;
    case 175: SetFastMachines(model); break;
    case 177: FireRobotsOfType(model, RobotId::MiniBomber); break;
    default: break;
    }
}
