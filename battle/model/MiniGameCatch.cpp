// Stage 177: carriers (Buoyer Bots) drift along the bottom row while robots
// come down by parachute; every robot that lands on a free carrier counts.
// Thirty caught wins; the clock running out loses.
#include <algorithm>
#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "engine/VxMath.h"
#include "engine/VxSound.h"
#include "platform/Random.h"

namespace {

constexpr int kCatchGoal = 30;
constexpr int kCarrierCard = 23;
constexpr float kCarrierStep = 4.0f;
constexpr float kFallStep = 15.0f;
constexpr float kCatchReach = 45.0f;
// The hand records a paratrooper may carry: the dealt slot and the five unseen ones.
constexpr int kDropRecords = 6;

// A falling robot reaches the floor: it lands on a free carrier within
// reach and counts, or breaks. Answers whether it was caught.
bool LandOnCarrier(CBattleModel& model, CCom_GameRobot& r) {
    CCom_GameRobot* carrier = nullptr;
    for (CCom_GameRobot& c : RuleState(model).m_lstRobots) {
        if (&c == &r || c.IsMachine() || c.m_Unit.m_iRole != ROLE_PLATFORM || c.m_bPlatformOccupied) continue;
        if (DistanceXY(c.m_vPosition, r.m_vPosition) < kCatchReach) {
            carrier = &c;
            break;
        }
    }
    if (!carrier) {
        r.TakeDamage(model, 10000);
        return false;
    }
    r.m_iLinkedSerial = carrier->m_iSerial;
    r.m_iBobSourceSerial = carrier->m_iSerial;
    carrier->m_bPlatformOccupied = 1;
    ++RuleState(model).m_iCatchCount;
    RestartSound(r.UnitSound(model, 0));
    return true;
}

}  // namespace

void DropParatrooper(CBattleModel& model) {
    // A draw that finds no robot card looks again, a bounded number of times:
    // a hand without one drops nothing rather than hanging the frame.
    for (int tries = 0; tries < 4 * kDropRecords; ++tries) {
        const int slot = int(VxRand() % kDropRecords);
        const int card = RuleState(model).m_aHand[slot].m_iCard;
        if (card < 0 || RuleState(model).m_aHandDefs[slot].m_iRole != ROLE_ATTACK) continue;
        StartParatrooper(model, slot);
        return;
    }
}

CatchStep UpdateConveyorCatch(CBattleModel& model) {
    if (KindOf(model.StageNumber()) != StageKind::ConveyorCatch) return CatchStep::Running;
    const bool playing = RuleState(model).m_iBattleState == BATTLE_PLAYING;
    const int elapsed = RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft;
    const bool clockRuns =
        RuleState(model).m_iTimeLeft > 0 && RuleState(model).m_iTimeLeft < RuleState(model).m_iStageFrames;
    if (playing) {
        if (RuleState(model).m_iCatchCount >= kCatchGoal) {
            RuleState(model).m_iTimeLeft = 0;
            return CatchStep::Won;
        }
        if (RuleState(model).m_iTimeLeft == 0) RuleState(model).m_iLife = 0;
    }
    const FieldCell& bottomRight = RuleState(model).m_aFieldCells[9 * FIELD_ROWS + 4];
    const float floorY = bottomRight.m_fY;
    if (playing && clockRuns && elapsed % 60 == 0 && VxRand() % 3 != 0) {
        if (CCom_GameRobot* carrier =
                model.SpawnMiniGameRobot(model.FindHandCard(kCarrierCard), bottomRight.m_fX + 150.0f, floorY, 0.0f)) {
            carrier->m_vPosition = VxVec3{bottomRight.m_fX + 150.0f, floorY, 0.0f};
        }
    }
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.m_Unit.m_iRole == ROLE_PLATFORM) r.m_vPosition.x -= kCarrierStep;
        if (!r.IsMachine() && r.m_vPosition.x < -500.0f) r.m_bExpired = 1;
    }
    if (playing && clockRuns) {
        if (elapsed % 180 == 0) DropParatrooper(model);
        if (elapsed % 420 == 0) DropParatrooper(model);
    }

    bool caught = false;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        const int role = r.m_Unit.m_iRole;
        if (r.IsMachine() || r.m_iHp <= 0 || role == ROLE_ONESHOT || role == ROLE_PLATFORM) continue;
        if (r.m_iLinkedSerial != NO_SERIAL) continue;
        r.m_vPosition.y = std::max(r.m_vPosition.y - kFallStep, floorY);
        if (r.m_vPosition.y > floorY) continue;
        if (LandOnCarrier(model, r)) caught = true;
    }
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.IsMachine() || r.m_iLinkedSerial == NO_SERIAL) continue;
        if (const CCom_GameRobot* carrier = FindRobotBySerial(RuleState(model).m_lstRobots, r.m_iLinkedSerial))
            r.m_vPosition = carrier->m_vPosition;
    }
    return caught ? CatchStep::Caught : CatchStep::Running;
}
