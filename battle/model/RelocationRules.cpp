#include "battle/model/RelocationRules.h"

#include <cmath>
#include <cstring>

#include "battle/model/BattleRoad.h"
#include "battle/model/BattleRules.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "content/WeaponDefinition.h"
#include "content/WeaponIds.h"
#include "engine/VxMath.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "platform/Random.h"

namespace {

constexpr float kPickReach = 50.0f;
constexpr float kDegree = 0.017453292519943295f;
// Stage 158 lines its three robots up on these cells of row 4.
constexpr int kSequenceTargets[3] = {5, 6, 7};
constexpr int kSequenceRow = 4;
constexpr float kMarchStep = 4.0f;

bool IsOwnLive(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0; }

// Own live robots that stand in a line: not one-shot cards, not platforms.
bool IsOwnStanding(const CCom_GameRobot& r) {
    return IsOwnLive(r) && r.m_Unit.m_iRole != ROLE_ONESHOT && r.m_Unit.m_iRole != ROLE_PLATFORM;
}

bool StandsOn(const CCom_GameRobot& r, int column, int row) {
    return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row;
}

// The robot now stands on the cell: its links to platforms and to others go.
void RelinkMovedRobot(CBattleModel& model, CCom_GameRobot& robot, const VxVec3& cellIndex) {
    const int serial = robot.m_iSerial;
    const int role = robot.m_Unit.m_iRole;
    if (robot.m_iLinkedSerial != NO_SERIAL)
        if (CCom_GameRobot* platform = FindRobotBySerial(RuleState(model).m_lstRobots, robot.m_iLinkedSerial))
            platform->m_bPlatformOccupied = 0;
    robot.m_iLinkedSerial = robot.m_iBobSourceSerial = NO_SERIAL;
    robot.m_bSeesConcealed = 0;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots)
        if (&r != &robot) r.ForgetSerial(serial);
    if (role == ROLE_ONESHOT || role == ROLE_PLATFORM) return;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (&r == &robot || r.IsMachine() || r.m_Unit.m_iRole != ROLE_PLATFORM || r.m_iHp <= 0) continue;
        if (!StandsOn(r, int(cellIndex.x), int(cellIndex.y))) continue;
        robot.m_iLinkedSerial = robot.m_iBobSourceSerial = r.m_iSerial;
        if (r.Type() == RobotId::SurveyorBot) robot.m_bSeesConcealed = 1;
        r.m_bPlatformOccupied = 1;
        break;
    }
}

// 158: an attacker's capsule every 1200 frames, a Buoyer Bot's every 900 while few float.
void DropSequenceCapsules(CBattleModel& model) {
    const int elapsed = RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft;
    if (RuleState(model).m_iTimeLeft <= 0 || RuleState(model).m_iTimeLeft >= RuleState(model).m_iStageFrames) return;
    if (elapsed % 1200 == 0) {
        const int card = VxRand() % 2 == 0 ? 20 : 14;
        model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, model.FindHandCard(card), true);
    }
    if (elapsed % 900 == 0) {
        int buoyers = 0;
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
            buoyers += !r.IsMachine() && r.Type() == RobotId::BuoyerBot ? 1 : 0;
        if (buoyers < 5) model.DropItem(ITEM_CAPSULE, 0.0f, 0.0f, 0.0f, model.FindHandCard(RobotId::BuoyerBot), true);
    }
}

// 158, step 0: the Fixer Bot must mend the Mariner Bot while all four hold out.
void StepRepair(CBattleModel& model) {
    bool present[4] = {};
    static const int kTypes[4] = {19, 22, 24, 21};
    const CCom_GameRobot* mariner = nullptr;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!IsOwnLive(r)) continue;
        for (int k = 0; k < 4; ++k) present[k] = present[k] || r.Type() == kTypes[k];
        if (r.Type() == RobotId::MarinerBot && !mariner) mariner = &r;
    }
    if (!(present[0] && present[1] && present[2] && present[3]) || RuleState(model).m_iTimeLeft == 0) {
        RuleState(model).m_iLife = 0;
        return;
    }
    if (mariner && mariner->m_iHp >= mariner->m_Unit.m_iMaxHp) {
        RuleState(model).m_iSequenceStep = 1;
        RuleState(model).m_iCarriedCard = -1;
        RuleState(model).m_iRelocatingRobot = -1;
    }
}

// 158, step 1: one robot at a time flies to the first free cell of the line-up.
SequenceStep StepLineUp(CBattleModel& model) {
    SequenceStep step;
    for (const MiniGameTween& t : RuleState(model).m_aTweens)
        if (t.m_iFramesLeft > 0) return step;
    int target = -1;
    for (int k = 0; k < 3 && target < 0; ++k) {
        bool taken = false;
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
            taken = taken || (IsOwnStanding(r) && StandsOn(r, kSequenceTargets[k], kSequenceRow));
        if (!taken) target = kSequenceTargets[k];
    }
    if (target < 0) {
        RuleState(model).m_iSequenceStep = 2;
        return step;
    }
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!IsOwnLive(r) ||
            (r.Type() != RobotId::SnowBaller && r.Type() != RobotId::FixerBot && r.Type() != RobotId::DShotgunner))
            continue;
        bool onTarget = false;
        for (int column : kSequenceTargets) onTarget = onTarget || StandsOn(r, column, kSequenceRow);
        if (onTarget) continue;
        const FieldCell& cell = RuleState(model).m_aFieldCells[target * FIELD_ROWS + kSequenceRow];
        step.flyer = &r;
        step.to = VxVec3{cell.m_fX, cell.m_fY, cell.m_fZ};
        // The robot belongs to its new cell from the start of its flight.
        r.m_vHome = VxVec3{cell.m_fX, cell.m_fY, cell.m_fZ};
        r.m_vCell = VxVec3{float(target), float(kSequenceRow), 0.0f};
        r.m_iRow = kSequenceRow;
        break;
    }
    return step;
}

// 158, step 2: everyone marches off to the right, hopping along row 4.
bool StepMarch(CBattleModel& model) {
    const float edge = 0.6f * float(g_iScreenWidth);
    const float ground = RuleState(model).m_aFieldCells[kSequenceRow].m_fY;
    const float hop = 30.0f * std::fabs(std::sin(float(RuleState(model).m_iSequenceStepFrames) * 6.0f * kDegree));
    bool allPassed = true;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!IsOwnStanding(r)) continue;
        if (r.m_vPosition.x <= edge) {
            r.m_vPosition.x += kMarchStep;
            r.m_vHome.x = r.m_vPosition.x;
        }
        r.m_vPosition.y = r.m_vHome.y = ground + hop;
        allPassed = allPassed && r.m_vPosition.x > edge;
    }
    if (allPassed) RuleState(model).m_iTimeLeft = 0;
    return allPassed;
}

}  // namespace

bool MayRelocate(const CBattleModel& model, const CCom_GameRobot& r) {
    if (!IsOwnLive(r) || r.m_Unit.m_iRole == ROLE_ONESHOT) return false;
    if (r.m_Unit.m_iRole == ROLE_PLATFORM && r.m_bPlatformOccupied) return false;
    return !(ModeOf(model.StageNumber()) == MiniGameMode::SequenceGame &&
             (r.Type() == RobotId::MarinerBot || r.Type() == RobotId::BuoyerBot));
}

const CCom_GameRobot* RelocatableRobotAt(const CBattleModel& model, const VxVec3& at) {
    for (const CCom_GameRobot& r : model.State().m_lstRobots)
        if (MayRelocate(model, r) && DistanceXY(r.m_vPosition, at) < kPickReach) return &r;
    return nullptr;
}

bool RelocationCoolingDown(const CBattleModel& model, const CCom_GameRobot& robot) {
    return RuleState(model).m_bRelocateRule && robot.m_iSmokeTimer > 0;
}

void PickUpRobot(CBattleModel& model, CCom_GameRobot& robot) {
    RuleState(model).m_iCarriedCard = robot.m_iUnitSlot;
    RuleState(model).m_iRelocatingRobot = robot.m_iSerial;
    RuleState(model).m_iCarriedFrames = 0;
    if (RuleState(model).m_bRelocateRule) {
        robot.m_iSmokePeriod = 0;
        robot.m_iSmokeCount = 0;
    }
    RestartSound(model.Scene().m_pSfxPickCard);
}

bool MoveRobotToCell(CBattleModel& model, CCom_GameRobot& robot, const VxVec3& cellIndex) {
    FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, cellIndex);
    if (!cell) return false;
    if (robot.m_Unit.m_iRole == ROLE_PLATFORM) {
        // A platform takes its ground along.
        if (FieldCell* old = CellAt(RuleState(model).m_aFieldCells, robot.m_vCell)) old->m_iKind = old->m_iStageKind;
        cell->m_iKind = CELL_GROUND;
    }
    robot.m_vPosition = robot.m_vHome = robot.m_vLastPosition = VxVec3{cell->m_fX, cell->m_fY, cell->m_fZ};
    robot.m_vCell = cellIndex;
    robot.m_iRow = int(cellIndex.y);
    if (robot.m_Unit.m_iWeapon == WeaponId::Snowball) {
        std::memset(robot.m_abPathCells, 0, sizeof robot.m_abPathCells);
        MarkDescentPath(RuleState(model).m_aFieldCells, cellIndex.x, cellIndex.y, robot.m_abPathCells, true);
    }
    // A Flame Bot that moves puts its flame out.
    if (robot.Type() == RobotId::FlameBot) robot.RemoveOwnedBullet(model);
    RelinkMovedRobot(model, robot, cellIndex);
    if (RuleState(model).m_bRelocateRule) robot.m_iSmokeTimer = 180;
    return true;
}

void SetRobotDown(CBattleModel& model, int slot) {
    if (slot >= 0 && slot < HAND_SLOTS) RestartSound(model.Scene().m_apCardSounds[slot][0]);
    RuleState(model).m_iCarriedCard = -1;
    RuleState(model).m_iRelocatingRobot = -1;
    RuleState(model).m_iCarriedFrames = 0;
}

SequenceStep StepSequenceGame(CBattleModel& model) {
    if (ModeOf(model.StageNumber()) != MiniGameMode::SequenceGame) return {};
    if (RuleState(model).m_iSequenceShownStep != RuleState(model).m_iSequenceStep) {
        RuleState(model).m_iSequenceShownStep = RuleState(model).m_iSequenceStep;
        RuleState(model).m_iSequenceStepFrames = 0;
    } else {
        ++RuleState(model).m_iSequenceStepFrames;
    }
    DropSequenceCapsules(model);
    if (RuleState(model).m_iSequenceStep == 0) {
        StepRepair(model);
        return {};
    }
    if (RuleState(model).m_iSequenceStep == 1) return StepLineUp(model);
    SequenceStep step;
    step.won = StepMarch(model);
    return step;
}

bool StepEnergyGoal(CBattleModel& model) {
    if (ModeOf(model.StageNumber()) != MiniGameMode::EnergyGoal || RuleState(model).m_iBattleState != BATTLE_PLAYING)
        return false;
    if (RuleState(model).m_iEnergy >= 1000) {
        RuleState(model).m_iTimeLeft = 0;
        return true;
    }
    bool fusor = false;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
        fusor = fusor || (IsOwnLive(r) && (r.Type() == RobotId::FusorBot || r.Type() == RobotId::PapaFusor));
    if ((RuleState(model).m_iEnergy < 10 && !fusor) || RuleState(model).m_iTimeLeft == 0) RuleState(model).m_iLife = 0;
    return false;
}

void DropRelocatingRobot(CBattleModel& model) {
    const int slot = model.State().m_iCarriedCard;
    model.TakeHeldCardTrial();
    if (model.HeldCardCell() >= 0) {
        const VxVec3 at = model.State().m_vHeldAt;
        MoveRelocatingRobot(model, model.FindNearestCell(at.x, at.y, 0.0f));
    }
    SetRobotDown(model, slot);
}

void MoveRelocatingRobot(CBattleModel& model, const VxVec3& cellIndex) {
    CCom_GameRobot* robot = FindRobotBySerial(RuleState(model).m_lstRobots, RuleState(model).m_iRelocatingRobot);
    if (robot && robot->m_iHp > 0 && MoveRobotToCell(model, *robot, cellIndex))
        RuleState(model).m_lstRobots.sort(CompareRobotsForDrawing);
}
