// What every mini-game (stages 151 to 180) shares: the state reset at
// set-up, the fixed hands, the charge fraction, the tweens and the per-frame
// loss and timed rules.
#include "battle/model/MiniGameRules.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/MiniGameTable.h"
#include "content/StageRules.h"
#include "engine/VxXApplication.h"
#include "platform/Random.h"

namespace {

// 167 climbs two scroll units a frame; the start line is then a fifth of that
// (the ground's share of the scroll) further down each frame.
constexpr float kClimbScrollSpeed = -2.0f;

bool HasOwnRobot(const CBattleModel& model) {
    return std::any_of(RuleState(model).m_lstRobots.begin(), RuleState(model).m_lstRobots.end(),
                       [](const CCom_GameRobot& r) { return !r.IsMachine(); });
}

}  // namespace

void ResetMiniGameState(CBattleModel& model) {
    const int stage = model.StageNumber();
    for (int i = 0; i < MINI_GAME_LINKS; ++i) *model.MiniGameLink(i) = nullptr;
    RuleState(model).m_iRelocatingRobot = -1;
    RuleState(model).m_iHoldFrames = 0;
    RuleState(model).m_bRelocateRule = MiniGameRowOf(stage).relocationCooldown ? 1 : 0;
    RuleState(model).m_iCatchCount = 0;
    RuleState(model).m_iSequenceStep = RuleState(model).m_iSequenceShownStep = RuleState(model).m_iSequenceStepFrames =
        0;
    RuleState(model).m_bPlayerRobotSeen = false;
    RuleState(model).m_iRound = RuleState(model).m_iRoundTimer = RuleState(model).m_iRoundPhase = 0;
}

void DealMiniGameHand(CBattleModel& model) {
    const int stage = model.StageNumber();
    for (int i = 0; i < DECK_SLOTS; ++i) RuleState(model).m_aHand[i] = HandSlot{};
    std::vector<int> cards;
    int slots = 0;
    int runLast = -1;
    if (IsSlotMachineStage(stage)) {
        for (const SlotReel& reel : RuleState(model).m_aSlotReels)
            cards.insert(cards.end(), reel.m_vecCodes.begin(), reel.m_vecCodes.end());
        std::sort(cards.begin(), cards.end());
        cards.erase(std::unique(cards.begin(), cards.end()), cards.end());
        slots = 3;
    } else {
        const MiniGameHand& hand = MiniGameRowOf(stage).hand;
        cards = hand.cards;
        slots = hand.slots;
        runLast = hand.runLast;
    }
    for (size_t i = 0; i < cards.size() && i < size_t(DECK_SLOTS); ++i) RuleState(model).m_aHand[i].m_iCard = cards[i];
    RuleState(model).m_nHandSlots = slots;
    if (runLast >= 0) RuleState(model).m_lstDrawLastTypes.push_back(runLast);
}

void FinishMiniGameSetUp(CBattleModel& model) {
    if (KindOf(model.StageNumber()) == StageKind::AdvanceRounds) {
        RuleState(model).m_iRoundPhase = 0;
        RuleState(model).m_iRoundTimer = 599;
        RuleState(model).m_iRound = 1;
        SpawnRoundRobots(model, 1);
    }
    RuleState(model).m_fJumpSpeed = 0.0f;
    RuleState(model).m_vJumpStart = VxVec3{0.0f, 0.0f, 0.0f};
    RuleState(model).m_bJumpStartKept = RuleState(model).m_bJumpRising = RuleState(model).m_bJumpHeld = 0;
    RuleState(model).m_bOnGround = 1;
    RuleState(model).m_iJumpCount = 0;
    RuleState(model).m_iStartJumps = 0;
    RuleState(model).m_fScrollSpeed = kClimbScrollSpeed;
    RuleState(model).m_bEndSequence = false;
    RuleState(model).m_iEndSequenceFrames = 0;
    RuleState(model).m_iSlotSpinTimer = RuleState(model).m_iSlotLeverCooldown = 0;
    for (MiniGameTween& t : RuleState(model).m_aTweens) t = MiniGameTween{};
    RuleState(model).m_iChargePhase = RuleState(model).m_iChargeFrames = 0;
}

void PrepareMiniGameField(CBattleModel& model) {
    const int stage = model.StageNumber();
    RuleState(model).m_iMiniGameFlag = 0;
    RuleState(model).m_vMiniGamePoint = VxVec3{0.0f, -38.0f, 0.0f};
    if (IsMiniGameStage(stage) && RuleState(model).m_pStage) RuleState(model).m_pStage->m_fScrollX = 0.0f;
    // 167's bottom row is open air: the robots climb from the ledges above.
    if (ModeOf(stage) == MiniGameMode::Climb) {
        for (int column = 0; column < FIELD_COLUMNS; ++column) {
            FieldCell& cell = RuleState(model).m_aFieldCells[column * FIELD_ROWS + 4];
            cell.m_iStageKind = cell.m_iKind = CELL_AIR;
        }
    }
}

float MiniGameChargeRatio(const CBattleModel& model, const CCom_GameRobot& robot) {
    const MiniGameRow& row = MiniGameRowOf(model.StageNumber());
    const float factor = robot.m_iUnitSlot == 0 ? row.chargeSlot0 : row.charge;
    const float full = float(robot.m_Unit.m_iActionInterval) * factor;
    if (full <= 0.0f) return 1.0f;
    return std::clamp(float(robot.m_iActionTimer) / full, 0.0f, 1.0f);
}

void AddMiniGameTween(CBattleModel& model, CCom_GameRobot* robot, float x, float y, float z) {
    if (!robot) return;
    for (MiniGameTween& t : RuleState(model).m_aTweens) {
        if (t.m_iFramesLeft != 0) continue;
        const VxVec3 p = robot->m_vPosition;
        const float dx = x - p.x, dy = y - p.y;
        t.m_iSerial = robot->m_iSerial;
        t.m_afStart[0] = p.x;
        t.m_afStart[1] = p.y;
        t.m_afStart[2] = p.z;
        t.m_afEnd[0] = x;
        t.m_afEnd[1] = y;
        t.m_afEnd[2] = z;
        t.m_iDuration = t.m_iFramesLeft = int(0.125f * std::sqrt(dx * dx + dy * dy));
        // A slide too short to take a frame leaves the slot free.
        if (t.m_iDuration == 0) t = MiniGameTween{};
        return;
    }
}

void UpdateMiniGameTweens(CBattleModel& model) {
    for (MiniGameTween& t : RuleState(model).m_aTweens) {
        if (t.m_iFramesLeft <= 0) continue;
        CCom_GameRobot* robot = FindRobotBySerial(RuleState(model).m_lstRobots, t.m_iSerial);
        if (!robot) {
            t = MiniGameTween{};
            continue;
        }
        const float f = 1.0f - float(t.m_iFramesLeft - 1) / float(t.m_iDuration);
        float at[3];
        for (int k = 0; k < 3; ++k) at[k] = t.m_afStart[k] * (1.0f - f) + t.m_afEnd[k] * f;
        at[1] += float(t.m_iDuration) * 2.5f * float(std::sin(double(f) * 3.14159265358979));
        robot->m_vPosition = VxVec3{at[0], at[1], at[2]};
        if (--t.m_iFramesLeft == 0) t = MiniGameTween{};
    }
}

bool BeginMiniGameFrame(CBattleModel& model) {
    const int stage = model.StageNumber();
    // Robots placed at set-up count from the first frame they stand.
    if (RuleState(model).m_nLiveRobots > 0) RuleState(model).m_bPlayerRobotSeen = true;
    return RuleState(model).m_iBattleState == BATTLE_PLAYING || ModeOf(stage) == MiniGameMode::Swim ||
           KindOf(stage) == StageKind::ConveyorCatch;
}

bool NoRobotLeftLoses(const CBattleModel& model, int stage) {
    return RuleState(model).m_nLiveRobots == 0 && KindOf(stage) != StageKind::ConveyorCatch &&
           ModeOf(stage) != MiniGameMode::EnergyGoal && RuleState(model).m_bPlayerRobotSeen;
}

void ApplyMiniGameLossRules(CBattleModel& model) {
    const int stage = model.StageNumber();
    if (!RuleState(model).m_StageDefinition.m_bRuleHold) {
        if (ModeOf(stage) == MiniGameMode::BothSides) {
            int own = 0;
            for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
                if (!r.IsMachine()) ++own;
            if (own < 4) RuleState(model).m_iLife = 0;
        } else if (KindOf(stage) == StageKind::AdvanceRounds) {
            UpdateRoundRules(model);
        } else if (NoRobotLeftLoses(model, stage) &&
                   !(ModeOf(stage) == MiniGameMode::BombRun && RuleState(model).m_iMiniGameFlag >= 10000)) {
            // (171's finale throws its last robot at the boss on purpose.)
            RuleState(model).m_iLife = 0;
        }
    }
    // 151: no Machine stands right of x 525 while a robot of the player is on the field.
    HoldBackRoundMachines(model);
}

void ApplyMiniGameTimedRules(CBattleModel& model) {
    const int stage = model.StageNumber();
    // One capsule at a third of 162.
    if (ModeOf(stage) == MiniGameMode::ShotCapsule &&
        RuleState(model).m_iTimeLeft == RuleState(model).m_iStageFrames / 3) {
        const bool lying = std::any_of(RuleState(model).m_lstItems.begin(), RuleState(model).m_lstItems.end(),
                                       [](const CCom_GameItem& i) { return i.m_iItemKind == ITEM_CAPSULE; });
        if (!lying) model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, 1, true);
    }
    // 171's twin beside the controlled robot as the time starts.
    if (ModeOf(stage) == MiniGameMode::BombRun && RuleState(model).m_iTimeLeft == RuleState(model).m_iStageFrames - 1 &&
        RuleState(model).m_apMiniGameRobots[0]) {
        const VxVec3 p = RuleState(model).m_apMiniGameRobots[0]->m_vPosition;
        model.SpawnMiniGameRobot(1, p.x, p.y, p.z);
    }
    // The shooting stages need their controlled robot.
    if (KindOf(stage) == StageKind::AimedShooting && !RuleState(model).m_apMiniGameRobots[0])
        RuleState(model).m_iLife = 0;
    // The charge-shot stages: twins as the time starts, and a robot to shoot with.
    if (KindOf(stage) == StageKind::ChargeShot) {
        if (RuleState(model).m_iTimeLeft == RuleState(model).m_iStageFrames - 1) {
            for (CCom_GameRobot* r : RuleState(model).m_apMiniGameRobots) {
                if (!r) continue;
                const VxVec3 p = r->m_vPosition;
                model.SpawnMiniGameRobot(1, p.x, p.y, p.z);
            }
        }
        if (!HasOwnRobot(model)) RuleState(model).m_iLife = 0;
    }
    UpdateCapsuleRain(model);
}

void UpdateCapsuleRain(CBattleModel& model) {
    if (KindOf(model.StageNumber()) != StageKind::CapsuleRain || RuleState(model).m_nLiveMachines <= 0 ||
        model.AppFrame() % 300 != 0)
        return;
    const int slot = CapsuleSlotForRoll(MiniGameRowOf(model.StageNumber()).capsules, int(VxRand() % 100));
    model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, slot, true);
}

void SetFastMachines(CBattleModel& model) {
    const float speed = MiniGameRowOf(model.StageNumber()).pace.leadSpeed;
    if (speed <= 0.0f) return;
    for (UnitDefinition& d : RuleState(model).m_aEnemyDefs)
        if (d.m_iType >= FIRST_MACHINE_TYPE) {
            d.m_fSpeed = speed;
            break;
        }
}

void ClearFieldUnits(CBattleModel& model, bool machinesOnly) {
    for (auto it = RuleState(model).m_lstRobots.begin(); it != RuleState(model).m_lstRobots.end();) {
        if (machinesOnly && !it->IsMachine()) {
            ++it;
            continue;
        }
        model.ForgetMiniGameLinks(it->m_iSerial);
        it = EraseRobot(RuleState(model).m_lstRobots, it);
    }
}
