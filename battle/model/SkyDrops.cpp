#include "battle/model/SkyDrops.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameRobot.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "platform/Random.h"

namespace {

// A field whose middle columns hold no ground would make the search endless:
// after this many draws the Machine walks in from the left edge instead.
constexpr int kMaxCellDraws = 200;
// How near a carrier a landing robot must come to board it.
constexpr float kCarrierReach = 45.0f;

bool Inside(float px, float py, float cx, float cy, float half) {
    return std::fabs(px - cx) < half && std::fabs(py - cy) < half;
}

}  // namespace

int DrawMeteorLandingCell(const CBattleModel& model) {
    const int columns = model.StageNumber() < 151 ? 4 : 6;
    for (int draw = 0; draw < kMaxCellDraws; ++draw) {
        const int c = 1 + VxRand() % columns;  // the column first, then the row
        const int row = VxRand() % FIELD_ROWS;
        if (RuleState(model).m_aFieldCells[c * FIELD_ROWS + row].m_iStageKind == CELL_GROUND)
            return c * FIELD_ROWS + row;
    }
    return -1;
}

void WalkInMeteorMachine(CBattleModel& model, int type) { model.CallEnemyRobot(type, 0.0f, 0.0f, 0.0f, false); }

CCom_GameRobot* RobotUnderMeteor(CBattleModel& model, const VxVec3& at) {
    for (CCom_GameRobot& robot : RuleState(model).m_lstRobots) {
        const int role = robot.m_Unit.m_iRole;
        if (robot.IsMachine() || robot.m_iState == ROBOT_DYING || robot.m_iHp <= 0 || role == ROLE_ONESHOT ||
            role == ROLE_PLATFORM || role == ROLE_TIMER)
            continue;
        if (std::fabs(robot.m_vPosition.y - at.y) < 15.0f && std::fabs(robot.m_vPosition.x - at.x) < 20.0f)
            return &robot;
    }
    return nullptr;
}

int StartMeteorFlight(CBattleModel& model, int type) {
    MeteorFlight* flights = RuleState(model).m_aMeteorFlights;
    for (int i = 0; i < METEOR_FLIGHTS; ++i) {
        MeteorFlight& f = flights[i];
        if (f.live) continue;
        f = MeteorFlight{};
        f.live = true;
        f.type = type;
        const int cell = DrawMeteorLandingCell(model);
        if (cell < 0) {
            f.nowhere = true;
            return i;
        }
        const FieldCell& t = model.State().m_aFieldCells[cell];
        f.to = VxVec3{t.m_fX, t.m_fY, t.m_fZ};
        f.from = VxVec3{t.m_fX - 0.6f * float(g_iScreenWidth), t.m_fY + 0.6f * float(g_iScreenHeight), 0.0f};
        const float dx = f.to.x - f.from.x, dy = f.to.y - f.from.y;
        f.frames = int(std::sqrt(dx * dx + dy * dy)) / 10;
        CueMeteorFalls(model.Scene());
        return i;
    }
    return -1;
}

void RunMeteorFlights(CBattleModel& model) {
    for (MeteorFlight& f : RuleState(model).m_aMeteorFlights) {
        if (!f.live) continue;
        const MeteorFlight was = f;
        if (!was.nowhere && was.age < was.frames) {
            ++f.age;
            continue;
        }
        f = MeteorFlight{};
        if (was.nowhere) {
            WalkInMeteorMachine(model, was.type);
            continue;
        }
        LandMeteorMachine(model, was.type, was.to);
        CueMeteorLands(model.Scene());
    }
}

bool MeteorsFalling(const CBattleModel& model) {
    for (const MeteorFlight& f : model.State().m_aMeteorFlights)
        if (f.live) return true;
    return false;
}

void LandMeteorMachine(CBattleModel& model, int type, const VxVec3& at) {
    if (CCom_GameRobot* machine = model.CallEnemyRobot(type, at.x, at.y, at.z, false)) {
        machine->m_vPosition = at;
        machine->m_vLastPosition = at;
        machine->m_vHome = at;
        machine->m_vCell = model.FindNearestCell(at.x, at.y, at.z);
        machine->RevertVariant();
    }
    model.AddFieldEffect(0, 24, at.x, at.y - 40.375f, at.z);
    if (g_pGameAppInstance) g_pGameAppInstance->m_fScreenShake = 5.0f;
    if (CCom_GameRobot* crushed = RobotUnderMeteor(model, at)) crushed->TakeDamage(model, 10000);
}

VxVec3 DrawParatrooperStart() {
    const float x = float(int(VxRand() % 700) - 350);
    const float y = float(int(VxRand() % 300) + 428);
    return VxVec3{x, y, 0.0f};
}

int DropParatrooper(CBattleModel& model, int slot, const VxVec3& at) {
    CCom_GameRobot* robot = model.SpawnMiniGameRobot(slot, at.x, at.y, at.z);
    if (!robot) return -1;
    robot->m_vPosition = at;
    return robot->m_iSerial;
}

bool ParatrooperReachesGround(const CBattleModel& model, float y) {
    return y <= RuleState(model).m_aFieldCells[4].m_fY;
}

void LandParatrooper(CBattleModel& model, int slot, const VxVec3& at) {
    const int serial = DropParatrooper(model, slot, at);
    CCom_GameRobot* robot = serial >= 0 ? FindRobotBySerial(RuleState(model).m_lstRobots, serial) : nullptr;
    if (!robot) return;
    CCom_GameRobot* carrier = nullptr;
    for (CCom_GameRobot& c : RuleState(model).m_lstRobots) {
        if (c.m_Unit.m_iRole != ROLE_PLATFORM || c.m_bPlatformOccupied || &c == robot) continue;
        const float dx = c.m_vPosition.x - robot->m_vPosition.x, dy = c.m_vPosition.y - robot->m_vPosition.y;
        if (std::sqrt(dx * dx + dy * dy) < kCarrierReach) {
            carrier = &c;
            break;
        }
    }
    if (!carrier) {
        robot->TakeDamage(model, 10000);
        return;
    }
    robot->m_iLinkedSerial = carrier->m_iSerial;
    robot->m_iBobSourceSerial = carrier->m_iSerial;
    carrier->m_bPlatformOccupied = 1;
    ++RuleState(model).m_iCatchCount;
    if (slot >= 0 && slot < HAND_SLOTS)
        if (CVxSound* s = model.Scene().m_apCardSounds[slot][0]) {
            s->Stop();
            s->Play();
        }
}

bool MachineTouchesParatrooper(const CBattleModel& model, const VxVec3& chute, const VxVec3& picture,
                               float pictureHalf) {
    for (const CCom_GameRobot& m : RuleState(model).m_lstRobots) {
        if (!m.IsMachine()) continue;
        const VxVec3& q = m.m_vPosition;
        if (Inside(q.x, q.y, chute.x, chute.y, PARACHUTE_HALF) || Inside(q.x, q.y, picture.x, picture.y, pictureHalf))
            return true;
    }
    return false;
}
