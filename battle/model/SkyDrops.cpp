#include "battle/model/SkyDrops.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
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
    const int columns = IsMiniGameStage(model.StageNumber()) ? 6 : 4;
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
        machine->RevertVariant(model);
    }
    model.AddFieldEffect(0, FIELD_EFFECT_GROUND_DUST, at.x, at.y - 40.375f, at.z);
    CueScreenShake(model.Scene(), 5.0f);
    if (CCom_GameRobot* crushed = RobotUnderMeteor(model, at)) crushed->TakeDamage(model, 10000);
}

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

const CVxBillboard* CardPicture(const CBattleModel& model, int slot) {
    if (slot < 0 || slot >= HAND_SLOTS) return nullptr;
    return model.Scene().m_aHandArt[slot].m_apAct[0][0];
}

// Fills a free record; the start is drawn whether or not it is used.
void FillParatrooper(CBattleModel& model, int record, int slot) {
    Paratrooper& p = RuleState(model).m_aParatroopers[record];
    p = Paratrooper{};
    const VxVec3 start = DrawParatrooperStart();
    p.slot = slot;
    p.start = VxVec3{start.x, start.y, 0.0f};
    const CVxBillboard* card = CardPicture(model, slot);
    p.width = card ? int(card->m_vSize.x) : 0;
    p.state = 0;
    p.robot = p.start;
}

int FreeParatrooper(const CBattleModel& model) {
    for (int i = 0; i < PARATROOPERS; ++i)
        if (model.State().m_aParatroopers[i].state < 0) return i;
    return -1;
}

}  // namespace

VxVec3 DrawParatrooperStart() {
    const float x = float(int(VxRand() % 700) - 350);
    const float y = float(int(VxRand() % 300) + 428);
    return VxVec3{x, y, 0.0f};
}

float ParatrooperPictureLift(float pictureHeight) { return 0.5f * pictureHeight - 40.375f - 10.0f; }

int StartParatrooper(CBattleModel& model, int slot) {
    const int record = FreeParatrooper(model);
    if (record >= 0) FillParatrooper(model, record, slot);
    return record;
}

int ThrowRobotOut(CBattleModel& model, int slot, const VxVec3& from) {
    for (int i = 0; i < THROWN_ROBOTS; ++i) {
        ThrownRobot& t = RuleState(model).m_aThrownRobots[i];
        if (t.live) continue;
        t = ThrownRobot{};
        t.live = true;
        t.slot = slot;
        t.from = from;
        return i;
    }
    return -1;
}

void RunParatroopers(CBattleModel& model) {
    const bool lands = KindOf(model.StageNumber()) == StageKind::ConveyorCatch;
    const bool drifts = ModeOf(model.StageNumber()) == MiniGameMode::BombRun;
    const float offTop = 0.5f * float(g_iScreenHeight) + 256.0f;
    for (int i = 0; i < PARATROOPERS; ++i) {
        Paratrooper& r = RuleState(model).m_aParatroopers[i];
        r.shown = r.cardShown = false;
        if (r.state < 0) continue;
        const int a = r.age++;
        VxVec3& p = r.robot;
        if (r.state == 0) {
            p.x = r.start.x + 30.0f * std::sin(float(75 * i + 2 * a) * kDegrees);
            p.y = r.start.y - float(a) - std::fabs(5.0f * std::sin(float(a) * kDegrees));
            p.z = r.start.z;
            if (drifts) p.x += 2.5f * float(a);
        } else {
            p.y += 5.0f;
        }
        const CVxBillboard* card = CardPicture(model, r.slot);
        r.picture = VxVec3{p.x, p.y + ParatrooperPictureLift(card ? card->m_vSize.y : 0.0f), p.z};
        r.shown = true;
        r.cardShown = r.state == 0;
        if (r.state == 0 && lands && ParatrooperReachesGround(model, p.y)) {
            r.state = 1;
            LandParatrooper(model, r.slot, VxVec3{p.x, p.y, 0.0f});
        }
        // An empty parachute is done once it has flown off the top. One still
        // hanging stays (on 171 it drifts off for good and keeps its record,
        // so thirty fill the records and later throws get no parachute).
        if (r.state != 0 && p.y > offTop) r.state = -1;
    }
}

void RunThrownRobots(CBattleModel& model) {
    for (ThrownRobot& r : RuleState(model).m_aThrownRobots) {
        r.shown = false;
        if (!r.live) continue;
        const int t = r.age++;
        const float e = float(t) / 120.0f;
        r.at = VxVec3{r.from.x + 8.0f * float(t), r.from.y + 400.0f * std::sin(270.0f * e * kDegrees) - 5.0f * float(t),
                      r.from.z};
        r.degrees = 10.0f * float(t);
        r.shown = true;
        if (t != THROW_HAND_OVER_AGE) continue;
        r.live = false;
        const int record = FreeParatrooper(model);
        if (record < 0) continue;
        FillParatrooper(model, record, r.slot);
        Paratrooper& p = RuleState(model).m_aParatroopers[record];
        p.start = r.at;
        p.robot = r.at;
    }
}

namespace {

bool MayCutParachutes(const CBattleModel& model) { return ModeOf(model.StageNumber()) != MiniGameMode::BombRun; }

}  // namespace

int ParachuteAt(const CBattleModel& model, float x, float y) {
    if (!MayCutParachutes(model)) return -1;
    for (int i = PARATROOPERS - 1; i >= 0; --i) {
        const Paratrooper& r = model.State().m_aParatroopers[i];
        if (r.state != 0) continue;
        const float chuteY = r.picture.y + PARACHUTE_LIFT;
        if (Inside(x, y, r.robot.x, chuteY, PARACHUTE_HALF) ||
            Inside(x, y, r.picture.x, r.picture.y, 0.5f * float(r.width)))
            return i;
    }
    return -1;
}

int ParachuteTouched(const CBattleModel& model) {
    if (!MayCutParachutes(model)) return -1;
    for (int i = PARATROOPERS - 1; i >= 0; --i) {
        const Paratrooper& r = model.State().m_aParatroopers[i];
        if (r.state != 0) continue;
        const VxVec3 chute{r.robot.x, r.picture.y + PARACHUTE_LIFT, 0.0f};
        if (MachineTouchesParatrooper(model, chute, r.picture, 0.4f * float(r.width))) return i;
    }
    return -1;
}

int ReleaseParatrooper(CBattleModel& model, int record) {
    if (record < 0 || record >= PARATROOPERS) return -1;
    Paratrooper& r = RuleState(model).m_aParatroopers[record];
    if (r.state != 0) return -1;
    r.state = 1;
    RuleState(model).m_iParachuteCutFrame = model.State().m_iBattleFrame;
    return DropParatrooper(model, r.slot, VxVec3{r.robot.x, r.robot.y, 0.0f});
}

void LetMachinesCutParachutes(CBattleModel& model) {
    if (model.State().m_iParachuteCutFrame == model.State().m_iBattleFrame) return;
    ReleaseParatrooper(model, ParachuteTouched(model));
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
