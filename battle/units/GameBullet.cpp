// The bullet record and its set-up from a weapon id.
#include "battle/units/GameBullet.h"

#include <cmath>

#include "battle/model/SceneCues.h"
#include "battle/units/UnitContext.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

// Radians per degree as the bullets reckon their headings.
constexpr double kRad = 0.01745329238474369;

VxVec3 Direction(double theta) { return VxVec3{float(std::sin(theta)), float(std::cos(theta)), 0.0f}; }
VxVec3 Scaled(const VxVec3& v, float s) { return VxVec3{v.x * s, v.y * s, v.z * s}; }

}  // namespace

CCom_GameBullet::CCom_GameBullet() : m_iSerial(-1) {}

CCom_GameBullet::CCom_GameBullet(CBattleModel& model) : m_iSerial(RuleState(model).m_iNextBulletSerial++) {}

void CCom_GameBullet::Reset() {
    m_iAge = 0;
    m_vVelocity = VxVec3{0.0f, 0.0f, 0.0f};
    m_iTargetSerial = -1;
    m_iHopTimer = 0;
}

CCom_GameRobot* CCom_GameBullet::Owner(CBattleModel& model) const {
    return FindRobotBySerial(RuleState(model).m_lstRobots, m_iOwnerSerial);
}

void CCom_GameBullet::Setup(CBattleModel& model, WeaponId kind, int graphic, float x, float y, float z,
                            int targetSerial, int ownerSerial) {
    const int stage = model.StageNumber();
    m_iBulletKind = kind;
    GetWeaponDefinition(m_Weapon, kind);
    m_vRotation = VxVec3{0.0f, 0.0f, 0.0f};
    m_vPosition = m_vAimPoint = VxVec3{x, y, z};
    if (kind == WeaponId::MachineGun) m_vPosition.y -= 7.0f;
    m_iLifetime = m_Weapon.m_iLifetime;
    m_iHitsLeft = m_Weapon.m_iHits;
    m_iGraphic = graphic;
    m_iLane = int(model.FindNearestCell(x, y, z).y);
    m_iTargetSerial = targetSerial;
    m_iOwnerSerial = ownerSerial;
    m_iOwnerUpgrade = 0;
    m_rcHitArea = BulletHitArea{};
    const CCom_GameRobot* owner = Owner(model);
    if (owner) m_iOwnerUpgrade = owner->m_Unit.m_iUpgradeLevel;
    if (kind == WeaponId::Boomerang && m_iOwnerUpgrade != 0) m_Weapon.m_iSpeed = 15;
    m_iMissMode = 0;
    m_iKills = 0;

    m_iSide = kind < WeaponId::SmasherBlow ? 0 : 1;  // a robot's shot or a Machine's
    CCom_GameRobot* target = FindRobotBySerial(RuleState(model).m_lstRobots, targetSerial);
    SetOff(model, owner, target);
    if (kind == WeaponId::MoleDrill && target) m_vAimPoint = target->m_vPosition;
    if (kind == WeaponId::WarriorBlade) m_vPosition = m_vAimPoint;
    if (owner && owner->Type() == MachineId::Rocket && owner->m_aiAux[2] == 1) {
        m_Weapon.m_iDamage = 50;
        m_Weapon.m_iHitEffectArg = FIELD_EFFECT_SHOT_SWELL_ADD;
    }
    if (kind == WeaponId::AtomicBlast) CueScreenShake(model.Scene(), 10.0f);

    if (m_iOwnerUpgrade != 0) ApplyUpgrade(model, target, ownerSerial);
    if (ModeOf(stage) == MiniGameMode::BombRun && kind == WeaponId::AtomicBlast) m_Weapon.m_iDamage = 500;
}

void CCom_GameBullet::SetOff(CBattleModel& model, const CCom_GameRobot* owner, const CCom_GameRobot* target) {
    const WeaponId kind = m_iBulletKind;
    const int stage = model.StageNumber();
    const float facing = kind < WeaponId::SmasherBlow ? -1.0f : 1.0f;
    const double theta = -(double(m_Weapon.m_iAngle) * kRad);
    const float speed = float(m_Weapon.m_iSpeed);
    switch (m_Weapon.m_iMotion) {
    case MOTION_AT_RANGE:
        m_vPosition.x = m_vAimPoint.x + float(m_Weapon.m_iRange) * facing;
        m_vVelocity = Direction(theta);
        break;
    case MOTION_STRAIGHT:
        if (kind == WeaponId::KnightLance) m_vPosition.x -= 85.5f;
        m_vVelocity = kind == WeaponId::Bubble ? Direction(-0.0) : Direction(theta);
        if (ModeOf(stage) == MiniGameMode::BombRun && kind != WeaponId::MachineGun) m_Weapon.m_iSpeed *= 2;
        m_vVelocity = Scaled(m_vVelocity, float(m_Weapon.m_iSpeed));
        break;
    case MOTION_SPIN: {
        // A spin shot whose firer has gone flies along its weapon angle.
        const int k = owner ? owner->m_aiAux[0] : 1;
        m_vVelocity = Scaled(Direction(-(double(k * 45 + m_Weapon.m_iAngle - 45) * kRad)), speed);
        break;
    }
    case MOTION_HOMING:
        m_vVelocity = Scaled(Direction(theta), speed);
        m_vRotation = VxVec3{0.0f, 0.0f, float(theta)};
        break;
    case MOTION_LOB: {
        VxVec3 goal{0.0f, 0.0f, 0.0f};
        bool aim = false;
        if (target) {
            goal = target->m_vLastPosition;
            aim = true;
        } else if (kind == WeaponId::Mortar && !IsChargeShotStage(stage)) {
            goal = VxVec3{-400.0f, 0.0f, 0.0f};
            aim = true;
        }
        if (aim && m_Weapon.m_iSpeed > 0) {
            const float heading = AngleBetweenPoints(m_vPosition, goal);
            const float dx = m_vPosition.x - goal.x, dy = m_vPosition.y - goal.y;
            const float distance = target ? std::sqrt(dx * dx + dy * dy) : DistanceXY(m_vPosition, goal);
            m_vVelocity = Scaled(Direction(-(double(heading) * kRad)), speed);
            m_iLifetime = int(distance / speed);
        }
        break;
    }
    case MOTION_GLIDE: {
        const int a = VxRand() % 5;
        const int b = VxRand() % 10;
        m_vVelocity = VxVec3{-1.0f - float(a) * 0.1f, float(b) * 0.75f, 0.0f};
        m_vRotation = VxVec3{0.0f, 0.0f, 0.0f};
        break;
    }
    default: break;
    }
}

void CCom_GameBullet::ApplyUpgrade(CBattleModel& model, const CCom_GameRobot* target, int ownerSerial) {
    const WeaponId kind = m_iBulletKind;
    switch (kind) {
    case WeaponId::GunnerShot:
    case WeaponId::CannonShell:
    case WeaponId::Shock:
    case WeaponId::DiverTorpedo: m_Weapon.m_iDamage += 5; break;
    case WeaponId::BomberBlast:
        if (ownerSerial != -1) m_Weapon.m_iDamage = int(float(m_Weapon.m_iDamage) * 1.5f);
        break;
    case WeaponId::Flame: m_Weapon.m_iDamage = int(float(m_Weapon.m_iDamage) * 1.5f); break;
    case WeaponId::AtomicBlast: m_Weapon.m_iDamage *= 2; break;
    case WeaponId::PlasmaBurst:
        m_Weapon.m_fAreaWidth = 171.0f;
        m_Weapon.m_fAreaHeight = 161.5f;
        break;
    case WeaponId::DropperBomb: m_Weapon.m_iHitEffectArg = FIELD_EFFECT_GROUND_DEBRIS; break;
    case WeaponId::SpiderWeb:
        m_Weapon.m_iDamage = 5;
        m_Weapon.m_iHitEffectArg = FIELD_EFFECT_SHOT_SPIN;
        break;
    case WeaponId::Bubble:
        m_Weapon.m_iDamage += 10;
        m_Weapon.m_iSize = 85;
        m_Weapon.m_iHitEffectArg = FIELD_EFFECT_SHOT_RING;
        break;
    case WeaponId::Boomerang: m_Weapon.m_iDamage = 7; break;
    case WeaponId::SniperShot:
        if (target)
            model.AddFieldEffect(0, FIELD_EFFECT_TARGET_MARK, target->m_vLastPosition.x, target->m_vLastPosition.y,
                                 target->m_vLastPosition.z);
        break;
    default: break;
    }
}
