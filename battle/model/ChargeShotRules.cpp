#include "battle/model/ChargeShotRules.h"

#include <cmath>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "engine/VxMath.h"
#include "engine/VxSound.h"

namespace {

constexpr float kZapReach = 50.0f;

bool OwnRobotOnField(const CBattleModel& model) {
    bool own = false;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) own = own || (!r.IsMachine() && r.m_iHp > 0);
    return own;
}

void PlayShotSound(CBattleModel& model, int slot) {
    if (slot >= 0 && slot < HAND_SLOTS) RestartSound(model.Scene().m_apCardSounds[slot][1]);
}

// Every mini-game robot fires at the ground as far left as the charge reaches.
void FireChargedShots(CBattleModel& model) {
    BattleScene& scene = model.Scene();
    if (scene.m_pSfxChargeShot) scene.m_pSfxChargeShot->Stop();
    const double ratio = double(RuleState(model).m_iChargeFrames) / double(FULL_CHARGE_FRAMES);
    const float reach = float(double(RuleState(model).m_iChargeFrames) / 0.07058824 - 550.0);
    const float groundY = RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY;
    for (CCom_GameRobot* r : RuleState(model).m_apMiniGameRobots) {
        if (!r || r->m_iHp <= 0) continue;
        r->BeginAttack(model, true);
        if (ratio < 0.25) {
            RestartSound(scene.m_pSfxCanNotShoot);
            continue;
        }
        const VxVec3 from = r->m_vLastPosition;
        const VxVec3 to{from.x - reach, groundY, 0.0f};
        model.FireBullet(r->m_Unit.m_iWeapon, r->m_iUnitSlot, from.x, from.y, from.z, -1, r->m_iSerial);
        CCom_GameBullet& b = RuleState(model).m_lstBullets.back();
        const float speed = float(b.m_Weapon.m_iSpeed);
        const float angle = std::atan2(to.y - from.y, to.x - from.x);
        b.m_vVelocity = VxVec3{speed * std::cos(angle), speed * std::sin(angle), 0.0f};
        b.m_vAimPoint = to;
        if (speed > 0.0f) b.m_iLifetime = int(DistanceXY(from, to) / speed);
        PlayShotSound(model, r->m_iUnitSlot);
    }
}

}  // namespace

void StepChargeShot(CBattleModel& model, bool held) {
    CVxSound* charge = model.Scene().m_pSfxChargeShot;
    if (RuleState(model).m_iBattleState > BATTLE_PLAYING || !OwnRobotOnField(model)) {
        if (charge) charge->Stop();
        RuleState(model).m_iChargePhase = 2;
    }
    if (RuleState(model).m_iChargePhase == 0) {
        if (held) {
            if (++RuleState(model).m_iChargeFrames >= FULL_CHARGE_FRAMES) RuleState(model).m_iChargePhase = 1;
            if (charge) {
                if (!charge->IsPlaying()) charge->Play();
                // The pitch climbs with the charge.
                charge->SetFrequency(
                    int(std::lround(double(RuleState(model).m_iChargeFrames) / 0.006936416 + 22050.0 + 1000.0)));
            }
        } else if (RuleState(model).m_iChargeFrames > 0) {
            RuleState(model).m_iChargePhase = 1;
        }
    }
    if (RuleState(model).m_iChargePhase == 1) {
        FireChargedShots(model);
        RuleState(model).m_iChargePhase = 2;
    } else if (RuleState(model).m_iChargePhase == 2) {
        RuleState(model).m_iChargeFrames -= 2;
        if (RuleState(model).m_iChargeFrames < 1) {
            RuleState(model).m_iChargeFrames = 0;
            RuleState(model).m_iChargePhase = 0;
        }
    }
}

bool MachineBlinks(const CCom_GameRobot& machine, int engineFrame) {
    return (engineFrame + 60 * machine.m_iSerial) % 420 < 120;
}

const CCom_GameRobot* ZapTargetNear(const CBattleModel& model, const VxVec3& at, int engineFrame) {
    const CCom_GameRobot* target = nullptr;
    for (int pass = 0; pass < 2 && !target; ++pass) {
        float best = kZapReach;
        for (const CCom_GameRobot& m : model.State().m_lstRobots) {
            if (!m.IsMachine() || m.m_iHp <= 0 || (pass == 0 && !MachineBlinks(m, engineFrame))) continue;
            const float d = DistanceXY(m.m_vPosition, at);
            if (d < best) {
                best = d;
                target = &m;
            }
        }
    }
    return target;
}

bool ZapMachineNear(CBattleModel& model, CCom_GameRobot& robot, const VxVec3& at, int engineFrame) {
    const CCom_GameRobot* target = ZapTargetNear(model, at, engineFrame);
    if (!target) return false;
    robot.BeginAttack(model, true);
    PlayShotSound(model, robot.m_iUnitSlot);
    const VxVec3 from = robot.m_vLastPosition;
    model.FireBullet(robot.m_Unit.m_iWeapon, robot.m_iUnitSlot, from.x, from.y, from.z, target->m_iSerial,
                     robot.m_iSerial);
    RuleState(model).m_lstBullets.back().m_iMissMode = MachineBlinks(*target, engineFrame) ? 1 : -1;
    return true;
}

namespace {

bool Zaps(const CCom_GameRobot& r) { return !r.IsMachine() && r.m_iHp > 0 && r.m_Unit.m_iRole == ROLE_ATTACK; }

}  // namespace

ZapPreview PreviewZap(const CBattleModel& model, const VxVec3& at, int engineFrame) {
    ZapPreview p;
    for (const CCom_GameRobot& r : model.State().m_lstRobots) {
        if (!Zaps(r)) continue;
        if (MiniGameChargeRatio(model, r) < 1.0f) {
            ++p.charging;
            continue;
        }
        p.nothingInReach = ZapTargetNear(model, at, engineFrame) == nullptr;
        break;
    }
    return p;
}

void ZapFromFirstChargedAttacker(CBattleModel& model, const VxVec3& at, int engineFrame) {
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (!Zaps(r) || MiniGameChargeRatio(model, r) < 1.0f) continue;
        ZapMachineNear(model, r, at, engineFrame);
        return;
    }
}
