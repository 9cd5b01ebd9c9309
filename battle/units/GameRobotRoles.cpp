// The roles that are not shooting: producers, guards, platforms, carriers
// and timers, and the Reaper's area strike.
#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "battle/units/Targeting.h"
#include "battle/units/UnitContext.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

constexpr float kGuardRadius = 256.5f;

}  // namespace

void CCom_GameRobot::UpdateProducer(CBattleModel& model) {
    const int type = Type();
    // Factories stop once overtime has run out; Fusors keep going.
    const bool counts =
        !(type == RobotId::FactoryBot || type == RobotId::MamaFactory) || RuleState(model).m_bOvertimeOpen;
    if (!counts) {
        m_iActionTimer = 0;
        return;
    }
    if (m_iActionTimer < m_Unit.m_iActionInterval) ++m_iActionTimer;
    else BeginSpecial(model);
}

void CCom_GameRobot::UpdateTimer() {
    if (m_iActionTimer < m_Unit.m_iActionInterval) {
        ++m_iActionTimer;
    } else if (m_iHp > 0) {
        m_iAnimTick = 0;
        m_iState = ROBOT_SPECIAL;
        m_iActionTimer = 0;
    }
}

void CCom_GameRobot::UpdatePlatform(CBattleModel& model) {
    if (m_bConsumed || m_iHp < 1 || m_iPlatformTimer >= 1) return;
    if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell)) {
        cell->m_iKind = CELL_GROUND;
        m_vLastPosition = VxVec3{cell->m_fX, cell->m_fY, cell->m_fZ};
    }
}

void CCom_GameRobot::UpdateCarrier(CBattleModel& model) {
    if (m_iState == ROBOT_DYING) return;
    if (m_iActionTimer < m_Unit.m_iActionInterval) {
        ++m_iActionTimer;
    } else if (m_iCarryTimer == 0) {
        m_iAnimTick = 0;
        m_iState = ROBOT_SPECIAL;
        m_iActionTimer = 0;
    }
    if (Frame(model) % 60 != 0) return;
    const int stage = model.StageNumber();
    const int type = Type();
    if (IsWhaleDuelStage(stage) && (type == MachineId::KillerWhale || type == MachineId::FrostOrca)) {
        if (m_vPosition.x < -250.0f || m_iCarryTimer != 0) return;
        if (m_iState == ROBOT_MOVE)
            for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
                if (!r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.x < 200.0f &&
                    std::fabs(r.m_vPosition.y - m_vPosition.y) < 100.0f) {
                    m_iCarryTimer = 100;
                    return;
                }
    }
    for (const CCom_GameRobot& c : RuleState(model).m_lstRobots) {
        if (c.IsMachine() == IsMachine() || !IsTargetable(*this, c, true)) continue;
        if (DistanceXY(m_vLastPosition, c.m_vLastPosition) >= kGuardRadius) continue;
        if (m_iState != ROBOT_IDLE) EndAction(model);
        return;
    }
    if (IsMachine() && m_iState == ROBOT_IDLE) BeginMove();
}

void CCom_GameRobot::UpdateGuard(CBattleModel& model) {
    if (m_iState == ROBOT_DYING || Frame(model) % 60 != 0) return;
    bool found = false;
    for (const CCom_GameRobot& c : RuleState(model).m_lstRobots) {
        if (c.IsMachine() == IsMachine() || !IsTargetable(*this, c, true)) continue;
        if (c.m_bConcealed && c.m_iState != ROBOT_ATTACK && !m_bSeesConcealed) continue;
        if (DistanceXY(m_vLastPosition, c.m_vLastPosition) >= kGuardRadius) continue;
        found = true;
        break;
    }
    if (found) {
        if (m_iState != ROBOT_GUARD) BeginGuard(model);
    } else if (m_iState == ROBOT_GUARD) {
        if (IsMachine()) BeginMove();
        else EndAction(model);
    }
}

void CCom_GameRobot::StrikeArea(CBattleModel& model) {
    for (CCom_GameRobot& c : RuleState(model).m_lstRobots) {
        if (c.IsMachine() == IsMachine() || !IsTargetable(*this, c, true)) continue;
        if (DistanceXY(m_vLastPosition, c.m_vLastPosition) >= float(m_Weapon.m_iSize)) continue;
        c.TakeDamage(model, m_Weapon.m_iDamage);
        c.ApplyFreeze(model);
        model.AddFieldEffect(m_iUnitSlot + 1000, m_Weapon.m_iHitEffectArg, c.m_vLastPosition.x, c.m_vLastPosition.y,
                             c.m_vLastPosition.z);
    }
    Restart(UnitSound(model, 2));
}
