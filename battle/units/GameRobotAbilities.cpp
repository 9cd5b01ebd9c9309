// One-off actions that are not shots: the single-use cards and the Capsule
// Cage, the Recycler's intake, the carriers' drops, production, and the item
// a destroyed Machine drops.
#include <cmath>

#include "battle/effects/Effect_Remover.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/model/SceneCues.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "battle/units/UnitContext.h"
#include "content/SaveProfile.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

constexpr float kAtPosition = 10.0f;

bool At(const VxVec3& a, const VxVec3& b) { return DistanceXY(VxVec3{a.x, a.y, 0.0f}, b) < kAtPosition; }

// Takes a unit off the field with its removal animation.
void TakeOut(CBattleModel& model, CCom_GameRobot& unit, int extra) {
    unit.m_bExpired = 1;
    const int code = (unit.IsMachine() ? unit.m_iUnitSlot + 1000 : unit.m_iUnitSlot) + extra;
    if (model.Scene().m_pEffectRemover)
        model.Scene().m_pEffectRemover->Add(code, unit.m_vPosition.x, unit.m_vPosition.y, unit.m_vPosition.z);
    if (CCom_GameRobot* shield = unit.Shield(model)) {
        shield->m_bExpired = 1;
        shield->m_iShieldSerial = NO_SERIAL;
        unit.m_iShieldSerial = NO_SERIAL;
    }
}

// A weapon card mounted on the robot it was dropped on.
void MountWeapon(CBattleModel& model, CCom_GameRobot& card, CCom_GameRobot& robot, int interval, int attackLength,
                 bool shift) {
    GetWeaponDefinition(robot.m_Weapon, card.m_Unit.m_iWeapon);
    robot.m_Unit.m_iWeapon = card.m_Unit.m_iWeapon;
    robot.m_Unit.m_iActionInterval = interval;
    robot.m_Unit.m_aiUnitWork[1] = attackLength;
    robot.m_iActionTimer = interval;
    robot.m_iUnitSlot = card.m_iUnitSlot;
    if (robot.m_iState == ROBOT_ATTACK) {
        robot.m_iState = ROBOT_IDLE;
        robot.m_iActionTimer = 0;
    }
    if (shift) robot.m_vPosition.x -= 15.0f;
    robot.m_iHitFlash = 30;
    model.AddFieldEffect(card.m_iUnitSlot, FIELD_EFFECT_SPARK_RING, card.m_vPosition.x, card.m_vPosition.y,
                         card.m_vPosition.z);
}

}  // namespace

void CCom_GameRobot::RunAreaAbility(CBattleModel& model) {
    const int type = Type();
    // Only the single-use cards and the cage act (and are used up whether they
    // find a robot or not); other timers, such as the Barrier Bots and the
    // Gyrotor, stay.
    const bool card =
        !IsMachine() && (type == RobotId::MachineGunner || type == RobotId::MortarBot || type == RobotId::RemoverBot);
    if (!card && !(IsMachine() && type == MachineId::CapsuleCage)) return;
    m_bExpired = 1;
    RobotList& robots = RuleState(model).m_lstRobots;
    if (!IsMachine() && (type == RobotId::MachineGunner || type == RobotId::MortarBot)) {
        const int wanted = type == RobotId::MachineGunner ? 1 : RobotId::CannonBot;
        for (CCom_GameRobot& r : robots) {
            if (r.IsMachine() || r.Type() != wanted || r.m_iHp <= 0 || !At(m_vPosition, r.m_vPosition)) continue;
            if (type == RobotId::MachineGunner)
                MountWeapon(model, *this, r, IsMiniGameStage(model.StageNumber()) ? 25 : 20, 20,
                            ModeOf(model.StageNumber()) != MiniGameMode::BombRun);
            else MountWeapon(model, *this, r, 600, 50, false);
            return;
        }
        return;
    }
    const bool cage = IsMachine();
    CCom_GameRobot* found = nullptr;
    for (CCom_GameRobot& r : robots) {
        if (&r == this || r.m_iHp <= 0) continue;
        const int role = r.m_Unit.m_iRole;
        if (role == ROLE_PLATFORM || role == ROLE_TIMER) continue;
        const bool kind = !r.IsMachine() || (!cage && r.Type() == MachineId::TimeBomb);
        if (!kind) continue;
        const bool converted = !r.IsMachine() && r.Type() == RobotId::GunnerBot && r.m_Unit.m_iActionInterval < 100 &&
                               At(VxVec3{m_vPosition.x - 15.0f, m_vPosition.y, 0.0f}, r.m_vPosition);
        if (At(m_vPosition, r.m_vPosition) || converted) {
            found = &r;
            break;
        }
    }
    if (!found) {
        for (CCom_GameRobot& r : robots) {
            if (&r == this || r.m_iHp <= 0 || r.m_Unit.m_iRole != ROLE_PLATFORM || !At(m_vPosition, r.m_vPosition))
                continue;
            found = &r;
            if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, r.m_vCell)) cell->m_iKind = cell->m_iStageKind;
            break;
        }
    }
    if (!found) return;
    TakeOut(model, *found, cage ? 20000 : 0);
    if (cage) {
        found->m_bConsumed = 1;
        if (found->m_iLinkedSerial != NO_SERIAL) {
            if (CCom_GameRobot* platform = FindRobotBySerial(robots, found->m_iLinkedSerial))
                platform->m_bPlatformOccupied = 0;
            found->m_bSeesConcealed = 0;
        }
    }
}

void CCom_GameRobot::RecycleMachine(CBattleModel& model) {
    if (m_bExpired) return;
    const VxVec3 ref{m_vLastPosition.x, m_vLastPosition.y, 0.0f};
    CCom_GameRobot* taken = nullptr;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!r.IsMachine() || r.m_iHp <= 0 || r.m_bConsumed || r.m_bConcealed || r.m_Unit.m_iMaxHp >= 500) continue;
        const int t = r.Type();
        if (t == MachineId::Transporter || t == MachineId::MarineStriker || t == MachineId::RocketWagon ||
            t == MachineId::BlastTank || t == MachineId::Rocket)
            continue;
        if (DistanceXY(ref, r.m_vLastPosition) >= 106.875f || r.m_iRow != m_iRow) continue;
        taken = &r;
        break;
    }
    if (taken) {
        taken->m_bConsumed = 1;
        taken->m_bExpired = 1;
        taken->m_iHp = 0;
        taken->m_bNoDrop = 1;
        if (taken->Type() == MachineId::Stingray && taken->m_aiAux[1] == 0) taken->m_aiAux[1] = -2;
        taken->BeginDying(model);
        ProduceItems(model);
        if (model.Scene().m_pEffectRemover)
            model.Scene().m_pEffectRemover->Add(taken->m_iUnitSlot + 11000, m_vPosition.x, m_vPosition.y,
                                                m_vPosition.z);
        Restart(UnitSound(model, 2));
    } else {
        if (model.Scene().m_pEffectRemover)
            model.Scene().m_pEffectRemover->Add(11000, m_vPosition.x, m_vPosition.y, m_vPosition.z);
        if (model.Scene().m_pEffectTextMiss)
            model.Scene().m_pEffectTextMiss->AddAtPoint(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    }
    model.AddFieldEffect(m_iUnitSlot, FIELD_EFFECT_SMOKE_SPREAD, m_vPosition.x, m_vPosition.y, m_vPosition.z);
    m_bExpired = 1;
}

void CCom_GameRobot::PickCardTarget(CBattleModel& model) {
    if (HasStatusEffect() || RuleState(model).m_nEnemyDefs <= 0) return;
    const int terrain = m_Unit.m_iTerrain;
    const bool flyingTransporter = Type() == MachineId::Transporter && terrain == TERRAIN_AIR;
    auto qualifies = [&](const UnitDefinition& d) {
        if (d.m_iType < FIRST_MACHINE_TYPE || d.m_iRole == ROLE_CARRY) return false;
        if (d.m_iType == MachineId::RocketWagon || d.m_iType == MachineId::FrostOrca || d.m_iType == MachineId::Giant ||
            d.m_iType == MachineId::Titan)
            return false;
        return d.m_iTerrain == terrain || (flyingTransporter && d.m_iTerrain == TERRAIN_GROUND);
    };
    // A stage whose Machines offer none that fits skips the drop.
    bool any = false;
    for (int k = 0; k < RuleState(model).m_nEnemyDefs && k < STAGE_ENEMY_RECORDS; ++k)
        any = any || qualifies(RuleState(model).m_aEnemyDefs[k]);
    if (!any) return;
    int i = 0;
    do {
        i = VxRand() % RuleState(model).m_nEnemyDefs;
    } while (!qualifies(RuleState(model).m_aEnemyDefs[i]));
    CCom_GameRobot* made = model.CallEnemyRobot(RuleState(model).m_aEnemyDefs[i].m_iType, m_vPosition.x, m_vPosition.y,
                                                m_vPosition.z, true);
    if (made) {
        made->m_iPauseFrames = 36;
        if (Type() == MachineId::Transporter) {
            if (terrain == TERRAIN_AIR) made->ApplyVariant();
            else made->RevertVariant(model);
        }
    }
    model.AddFieldEffect(m_iUnitSlot + 1000, FIELD_EFFECT_SMOKE_SPARK_RING, m_vPosition.x, m_vPosition.y,
                         m_vPosition.z);
    if (Type() == MachineId::Transporter ||
        (Type() == MachineId::KillerWhale && !IsMiniGameStage(model.StageNumber()))) {
        if (--m_iCargoLeft <= 0) m_Unit.m_iRole = ROLE_NONE;
    }
}

void CCom_GameRobot::ProduceItems(CBattleModel& model) {
    if (m_iHp <= 0 || HasStatusEffect()) return;
    const int type = Type();
    if (type == RobotId::RecyclerBot && m_Unit.m_iUpgradeLevel > 0) {
        if (VxRand() % 100 < 70 && RuleState(model).m_nHandSlots > 0) {
            const int slot = VxRand() % RuleState(model).m_nHandSlots;
            model.DropItem(ITEM_CAPSULE, m_vPosition.x, m_vPosition.y, m_vPosition.z, slot, false);
        }
        return;
    }
    int g = 0, b = 0, level = 0;
    const SaveProfile& profile = model.Profile();
    switch (type) {
    case RobotId::FusorBot: level = profile.m_iAdvanceFusion; break;
    case RobotId::PapaFusor: b = 1, level = profile.m_iAdvanceFusion; break;
    case RobotId::RecyclerBot:
    case RobotId::FactoryBot: g = 1, level = profile.m_iAdvanceProduction; break;
    case RobotId::MamaFactory: g = 1, b = 1, level = profile.m_iAdvanceProduction; break;
    default: break;
    }
    const int r = VxRand() % 100;
    int t2 = level + 1, t1 = 4 * level + 51;
    if (type == RobotId::MamaFactory) {
        t2 = int(0.5 * double(level) + 1.0);
        t1 = 3 * level + 10 + t2;
    }
    const int step = r < t2 ? 2 : r < t1 ? 1 : 0;
    int kind = step + 4 * g + b;
    if (kind == 0 && RuleState(model).m_iStageFrames - RuleState(model).m_iTimeLeft < 3000) kind = 1;
    model.DropItem(kind, m_vPosition.x, m_vPosition.y, m_vPosition.z, -1, false);
    if (IsFirstTutorialActive(model) && type == RobotId::FusorBot) {
        TutorialSteps& steps = RuleState(model).m_Tutorial;
        if ((steps.Step() == -1 || steps.Step() == 2) && steps.RequestedStep() != 3) steps.RequestStep(3);
    }
}

void CCom_GameRobot::RollItemDrop(CBattleModel& model) {
    if (m_bNoDrop) return;
    const int stage = model.StageNumber();
    const int luck = model.Profile().m_iLuckBooster;
    int r = VxRand() % (200 - 6 * luck);
    if (IsMiniGameStage(stage)) r = VxRand() % ((40 - luck) * 10);
    const int type = Type();
    if (type == MachineId::Rocket || type == MachineId::TimeBomb || type == MachineId::CapsuleCage ||
        type == MachineId::Destroyer || type == MachineId::DestroyerZero)
        return;
    const int v = type % 1000 + 5 * (GetStagePlace(stage).episode - 1);
    const bool firstDrop = IsFirstTutorialActive(model) && RuleState(model).m_nMachinesKilled <= 0;
    const bool shower = RuleState(model).m_StageDefinition.m_bEnergyShower;
    if (firstDrop) r = 0;
    else if (r > 100 && !shower) return;
    int m = (VxRand() & 1) ? 1 : 0;
    if (!RuleState(model).m_StageDefinition.m_bEnergyInPlay) m = 1;
    if (shower) {
        r %= 100;
        m = 0;
    }
    const int a = int(0.05 * double(v));
    const int b = int(0.1 * double(v) + double(a));
    const int c = int(0.2 * double(v) + double(b));
    const int size = r <= 100 - c ? 0 : r <= 100 - b ? 1 : r <= 100 - a ? 2 : 3;
    int kind = size + 4 * m;
    if (firstDrop) {
        kind = 4;
        RuleState(model).m_Tutorial.RequestStep(10);
    }
    model.DropItem(kind, m_vPosition.x, m_vPosition.y, m_vPosition.z, -1, false);
    Restart(model.Scene().m_pSfxEnemyDropItem);
}
