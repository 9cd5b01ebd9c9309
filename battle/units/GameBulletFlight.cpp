// A bullet's frame: it moves by its motion, takes the look its kind shows,
// runs its hit test on the frames its kind prescribes, and ages; Draw then
// shows the look with the firer's borrowed sprites.
#include <algorithm>
#include <cmath>

#include "battle/model/ItemFlights.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/UnitContext.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxBillboard.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

constexpr float kDeg = 0.01745329238474369f;

}  // namespace

void CCom_GameBullet::Update(CBattleModel& model) {
    m_Look.shown = false;
    BulletArt art = BulletArtOf(model.Scene(), m_iGraphic);
    if (m_iBulletKind == WeaponId::BomberBlast && art.second) art.main = art.second;
    m_iLane = int(model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z).y);
    if (!Move(model, art.main ? art.main->m_vSize.y : 0.0f)) return;
    Act(model);
    if (m_iAge < m_iLifetime) ++m_iAge;
    else m_iHitsLeft = 0;
}

bool CCom_GameBullet::Move(CBattleModel& model, float spriteHeight) {
    switch (m_Weapon.m_iMotion) {
    case MOTION_STRAIGHT: MoveStraight(model, spriteHeight); break;
    case MOTION_SPIN:
        if (m_iAge < 90) {
            const float f = std::cos(float(m_iAge) * 2.0f * kDeg);
            m_vPosition.x += f * m_vVelocity.x;
            m_vPosition.y += f * m_vVelocity.y;
        }
        m_vRotation.z += 0.5235988f;
        break;
    case MOTION_HOMING: MoveHoming(model); break;
    case MOTION_LOB:
        m_vPosition.x += m_vVelocity.x;
        m_vPosition.y += m_vVelocity.y;
        m_vPosition.z += m_vVelocity.z;
        if (m_iLifetime > 0) m_vPosition.y += 4.0f * std::cos(float(m_iAge) / float(m_iLifetime) * 180.0f * kDeg);
        break;
    case MOTION_GLIDE: MoveGlide(model); break;
    case MOTION_SUMMON: Summon(model); return false;
    default: break;
    }
    return true;
}

void CCom_GameBullet::MoveStraight(CBattleModel& model, float spriteHeight) {
    const WeaponId kind = m_iBulletKind;
    m_vPosition.x += m_vVelocity.x;
    m_vPosition.y += m_vVelocity.y;
    m_vPosition.z += m_vVelocity.z;
    if (kind == WeaponId::Bubble) {
        m_vPosition.x += 2.0f * std::sin(float(m_iSerial * 70 + Frame(model) * 20) * kDeg);
    } else if (kind == WeaponId::FreezerShot) {
        m_vRotation.z = float(m_iAge) * kDeg;
    } else if (kind == WeaponId::Snowball) {
        // The snowball rolls along ground or water and drops onto it from above.
        auto probeCell = [&] {
            return CellAt(RuleState(model).m_aFieldCells,
                          model.FindNearestCell(m_vPosition.x, m_vPosition.y + spriteHeight * 0.5f - 40.375f, 0.0f));
        };
        const FieldCell* c = probeCell();
        const bool rolls =
            c && (c->m_iStageKind == CELL_GROUND || c->m_iStageKind == CELL_WATER_SURFACE) && c->m_fY <= m_vPosition.y;
        if (!rolls) {
            m_vPosition.y -= 10.0f;
            c = probeCell();
            if (c && (c->m_iStageKind == CELL_GROUND || c->m_iStageKind == CELL_WATER_SURFACE)) m_vPosition.y = c->m_fY;
        }
        m_vRotation.z = float(m_iAge) * 2.5f * kDeg;
    }
}

void CCom_GameBullet::MoveHoming(CBattleModel& model) {
    const float W = float(g_iScreenWidth);
    const CCom_GameRobot* owner = Owner(model);
    const bool seesConcealed = owner && owner->m_bSeesConcealed;
    const CCom_GameRobot* best = nullptr;
    float bestDistance = 10000.0f;
    for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (r.m_Unit.m_iSide == m_iSide || r.m_Unit.m_iRole == ROLE_ONESHOT || r.m_iHp <= 0) continue;
        if (std::fabs(r.m_vLastPosition.x) > W * 0.5f + 70.0f) continue;
        if (r.m_bConcealed && !seesConcealed) continue;
        const float d = DistanceXZ(r.m_vPosition, m_vPosition);
        if (d < bestDistance) {
            bestDistance = d;
            best = &r;
        }
    }
    if (best) {
        // Turns at most 4 degrees a frame toward the nearest foe.
        const float cur = std::fmod(m_vRotation.z * 57.2957763671875f + 360.0f, 360.0f);
        const float want = AngleBetweenPoints(best->m_vPosition, m_vPosition);
        const float d = WrapAngleDifference(want, cur);
        const float step = d > 0.0f ? 4.0f : d < 0.0f ? -4.0f : 0.0f;
        const float next = cur + step;
        const float heading = std::fabs(WrapAngleDifference(want, next)) < 4.0f ? want : next;
        m_vRotation = VxVec3{0.0f, 0.0f, heading * kDeg};
    }
    const float r = m_vRotation.z, v = float(m_Weapon.m_iSpeed);
    m_vVelocity = VxVec3{std::sin(r) * v, -std::cos(r) * v, m_vVelocity.z * v};
    m_vPosition.x += m_vVelocity.x;
    m_vPosition.y += m_vVelocity.y;
    m_vPosition.z += m_vVelocity.z;
}

void CCom_GameBullet::MoveGlide(CBattleModel& model) {
    if (m_iAge != m_iLifetime) {
        const float f = 1.0f - float(m_iLifetime - m_iAge) / 100.0f;
        m_vPosition.x += m_vVelocity.x;
        const VxVec3 aim{m_vAimPoint.x + m_vVelocity.x * 100.0f, m_vAimPoint.y + m_vVelocity.y * 100.0f, 0.0f};
        const FieldCell* c = CellAt(RuleState(model).m_aFieldCells, model.FindNearestCell(aim.x, aim.y, aim.z));
        const float cy = c ? c->m_fY : m_vAimPoint.y;
        m_vPosition.y = 0.5f * ((1.0f - f) * m_vAimPoint.y + f * cy);
        return;
    }
    // Landed: it settles onto its cell's ground line, then hatches a Machine.
    const float g = model.GetCellCentre(m_vPosition.x, m_vPosition.y, m_vPosition.z).y;
    if (m_vPosition.y < g) m_vPosition.y += 1.0f;
    else if (m_vPosition.y > g) m_vPosition.y -= 1.0f;
    if (std::fabs(m_vPosition.y - g) >= 1.0f) {
        --m_iAge;
    } else {
        if (RuleState(model).m_iBattleState == BATTLE_PLAYING)
            model.CallEnemyRobot(MachineId::Rocket, m_vPosition.x - 40.0f, m_vPosition.y, 0.0f, true);
        m_iAge = m_iLifetime;
        m_iHitsLeft = 0;
    }
}

void CCom_GameBullet::Summon(CBattleModel& model) {
    if (m_iHitsLeft == 0) return;
    CCom_GameRobot* made = nullptr;
    if (RuleState(model).m_iBattleState == BATTLE_PLAYING)
        made = model.CallEnemyRobot(MachineId::Rocket, m_vPosition.x, m_vPosition.y, m_vPosition.z, true);
    const CCom_GameRobot* owner = Owner(model);
    if (made && owner) {
        switch (owner->Type()) {
        case MachineId::BlastTank:
            made->m_Unit.m_fSpeed = 2.0f;
            made->m_aiAux[2] = 1;
            made->m_Unit.m_iHeartDecrease = 1;
            made->m_Unit.m_iMaxHp = made->m_iHp = 100;
            break;
        case MachineId::FrostOrca:
            made->m_Unit.m_fSpeed = 4.0f;
            made->m_aiAux[2] = 2;
            made->m_Unit.m_iHeartDecrease = 1;
            made->m_Unit.m_iMaxHp = made->m_iHp = 100;
            made->m_vPosition.x += 50.0f;
            break;
        case MachineId::FighterSub:
        case MachineId::SpeederSub: made->m_aiAux[2] = 3; break;
        default: break;
        }
        if (ModeOf(model.StageNumber()) == MiniGameMode::BothSides &&
            RuleState(model).m_iBattleState == BATTLE_PLAYING) {
            const float os = owner->m_Unit.m_fSpeed, ns = made->m_Unit.m_fSpeed;
            if ((os < 0.0f && ns > 0.0f) || (os >= 0.0f && ns < 0.0f)) made->m_Unit.m_fSpeed = -ns;
        }
    }
    m_iAge = m_iLifetime;
    m_iHitsLeft = 0;
}

void CCom_GameBullet::TakeLook(const CBattleModel& model) {
    m_Look.shown = true;
    m_Look.frame = Frame(model);
    m_Look.age = m_iAge;
    m_Look.hitsLeft = m_iHitsLeft;
    m_Look.at = m_vPosition;
    m_Look.rot = m_vRotation.z;
}

void CCom_GameBullet::HitArea(CBattleModel& model, float left, float right, float top, float bottom) {
    m_rcHitArea = BulletHitArea{true, left, right, top, bottom};
    TestHits(model, true);
}

void CCom_GameBullet::Act(CBattleModel& model) {
    const WeaponId kind = m_iBulletKind;
    switch (kind) {
    case WeaponId::GunnerShot:
    case WeaponId::AimedGun:
    case WeaponId::FreezerShot:
        if (m_iAge >= 11) {
            TakeLook(model);
            TestHits(model, false);
        }
        break;
    case WeaponId::MineBlast:
    case WeaponId::SonarPulse:
    case WeaponId::BomberBlast:
    case WeaponId::TimeBombBlast:
    case WeaponId::Storm:
    case WeaponId::Hammer:
    case WeaponId::PlasmaBurst:
    case WeaponId::AtomicBlast:
    case WeaponId::SonarAirPulse:
    case WeaponId::FieldStrike:
    case WeaponId::StrikerBeam:
    case WeaponId::TitanCrush:
    case WeaponId::DestroyerVolley: ActBlast(model); break;
    case WeaponId::Flame: ActFlame(model); break;
    case WeaponId::WarriorBlade:
        TakeLook(model);
        if (m_iAge == 0) TestHits(model, false);
        break;
    case WeaponId::Boomerang:
        TakeLook(model);
        if (m_iAge % 10 == 0) TestHits(model, false);
        break;
    case WeaponId::Snowball: ActSnowball(model); break;
    case WeaponId::Shock: ActSparks(model); break;
    case WeaponId::PlasmaShot:
        // Two flares at random turns.
        TakeLook(model);
        for (float& spin : m_Look.spins) spin = float(VxRand() % 360) * kDeg;
        TestHits(model, false);
        break;
    case WeaponId::SpiderWeb:
    case WeaponId::SniperShot: ActThread(model); break;
    case WeaponId::Mortar: ActSeeker(model); break;
    case WeaponId::Magnet: ActFetch(model); break;
    case WeaponId::SmasherBlow:
    case WeaponId::ScoutPeck:
    case WeaponId::RocketBlast:
    case WeaponId::MegaSmash:
    case WeaponId::GiantStomp:
    case WeaponId::FrostBite: TestHits(model, false); break;
    case WeaponId::KnightLance:
        m_vRotation.z = -1.5707963f;
        TakeLook(model);
        TestHits(model, false);
        break;
    case WeaponId::MoleDrill: ActRise(model); break;
    case WeaponId::ReaperScythe: TakeLook(model); break;
    case WeaponId::WagonShell:
        if (m_iAge >= 6) TakeLook(model);
        break;
    default:
        // Darts drawn from their sixth frame (a dropper bomb, a missile, a fixer beam and a shotgun pellet from
        // their first) that test for hits every frame; any kind without its own row.
        if (m_iAge >= 6 || kind == WeaponId::DropperBomb || kind == WeaponId::Missile || kind == WeaponId::FixerBeam ||
            kind == WeaponId::Shotgun)
            TakeLook(model);
        TestHits(model, false);
        break;
    }
}

void CCom_GameBullet::ActBlast(CBattleModel& model) {
    const VxVec3 at = m_vPosition;
    const float hw = m_Weapon.m_fAreaWidth, hh = m_Weapon.m_fAreaHeight;
    const float W = float(g_iScreenWidth), H = float(g_iScreenHeight);
    const bool lastFrame = m_iAge == m_iLifetime - 1;
    const int t = Frame(model);
    switch (m_iBulletKind) {
    case WeaponId::MineBlast:
        TakeLook(model);
        if (m_iAge == 0) HitArea(model, at.x - hw, at.x + 2.0f * hw, at.y + hh, at.y - hh);
        break;
    case WeaponId::SonarPulse:
    case WeaponId::BomberBlast:
    case WeaponId::TimeBombBlast:
    case WeaponId::PlasmaBurst:
    case WeaponId::SonarAirPulse:
        TakeLook(model);
        if (lastFrame) HitArea(model, at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    case WeaponId::Storm:
        TakeLook(model);
        if (t % 3 == 0) HitArea(model, at.x - hw / 2.0f, at.x + hw / 2.0f, at.y + hh, at.y - 42.75f);
        break;
    case WeaponId::Hammer:
    case WeaponId::AtomicBlast:
        TakeLook(model);
        if (lastFrame) HitArea(model, -W, W, H, -H);
        break;
    case WeaponId::FieldStrike:
        if (lastFrame) HitArea(model, at.x - hw, at.x + hw, at.y + hh, at.y - hh);
        break;
    case WeaponId::StrikerBeam:
    case WeaponId::DestroyerVolley:
        TakeLook(model);
        if (t % 3 == 0) HitArea(model, at.x - 42.75f, at.x + hw, at.y + hh / 2.0f, at.y - hh / 2.0f);
        break;
    case WeaponId::TitanCrush:
        if (const CCom_GameRobot* target = FindRobotBySerial(RuleState(model).m_lstRobots, m_iTargetSerial)) {
            const float tx = target->m_vPosition.x;
            m_iTargetSerial = -1;
            HitArea(model, tx - 85.5f, tx + hw, at.y + hh, at.y);
        }
        break;
    default: break;
    }
}

void CCom_GameBullet::ActFlame(CBattleModel& model) {
    const CCom_GameRobot* owner = Owner(model);
    if (!owner || owner->m_iHp < 1) {
        m_iHitsLeft = 0;
        return;
    }
    // The flame stays on its firer's muzzle.
    if (!IsMiniGameStage(model.StageNumber())) m_vPosition = owner->m_vLastPosition;
    TakeLook(model);
    const float hw = m_Weapon.m_fAreaWidth, hh = m_Weapon.m_fAreaHeight;
    if (Frame(model) % 3 == 0)
        HitArea(model, m_vPosition.x - hw, m_vPosition.x, m_vPosition.y + hh / 2.0f, m_vPosition.y - hh / 2.0f);
}

void CCom_GameBullet::ActSnowball(CBattleModel& model) {
    if (m_iAge >= 6) {
        TakeLook(model);
        VxVec3& where = m_Look.at;
        const FieldCell* c = CellAt(RuleState(model).m_aFieldCells, model.FindNearestCell(where.x, where.y, where.z));
        if (c && c->m_iStageKind == CELL_WATER_SURFACE)
            where.y = c->m_fY - 28.2625f + 5.0f * std::sin(float(m_iAge) * 5.0f * kDeg);
        m_Look.hopping = m_iHopTimer > 0;
        if (m_Look.hopping) {
            --m_iHopTimer;
            where.y += 40.0f * std::sin(float(m_iHopTimer) * 9.0f * kDeg);
        }
        m_Look.hopTimer = m_iHopTimer;
    }
    TestHits(model, false);
}

void CCom_GameBullet::ActSparks(CBattleModel& model) {
    if (const CCom_GameRobot* target = FindRobotBySerial(RuleState(model).m_lstRobots, m_iTargetSerial)) {
        TakeLook(model);
        for (VxVec3& spark : m_Look.sparks) {
            const float jx = float(VxRand() % 20 - 10);
            const float jy = float(VxRand() % 20 - 10);
            spark = VxVec3{(m_vPosition.x + target->m_vLastPosition.x) * 0.5f + jx,
                           (m_vPosition.y + target->m_vLastPosition.y) * 0.5f + jy, 0.0f};
        }
    }
    // No flight path fills the area: with it unset the last frame strikes nothing.
    if (m_iAge == m_iLifetime - 1) TestHits(model, true);
}

void CCom_GameBullet::ActThread(CBattleModel& model) {
    const CCom_GameRobot* target = FindRobotBySerial(RuleState(model).m_lstRobots, m_iTargetSerial);
    if (!target) return;
    const VxVec3 goal = target->m_vLastPosition;
    const int n =
        std::max(1, m_Weapon.m_iSpeed > 0 ? int(DistanceXY(m_vPosition, goal) / float(m_Weapon.m_iSpeed)) : 1);
    const float f = std::min(1.0f, float(m_iAge) / float(n));
    TakeLook(model);
    m_Look.turn = AngleBetweenPoints(m_vPosition, goal) * kDeg;
    m_Look.at = VxVec3{(1.0f - f) * m_vPosition.x + f * goal.x, (1.0f - f) * m_vPosition.y + f * goal.y, 0.0f};
    if (m_iAge == n) TestHits(model, false);
}

void CCom_GameBullet::ActSeeker(CBattleModel& model) {
    TakeLook(model);
    const int stage = model.StageNumber();
    if (m_iAge == m_iLifetime - 1) {
        if (!RuleState(model).m_lstRobots.empty()) m_iTargetSerial = RuleState(model).m_lstRobots.front().m_iSerial;
    } else if (IsChargeShotStage(stage)) {
        // The wide charge stages: it locks onto the first Machine in reach.
        const float reach = float(m_Weapon.m_iSize);
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots) {
            if (!r.IsMachine() || r.m_iHp <= 0) continue;
            bool near = DistanceXY(r.m_vPosition, m_vPosition) < reach * 1.75f;
            if (!near && UnitHas(r.Type(), UNIT_TALL))
                for (int k = 0; k < 255 && !near; ++k)
                    near = DistanceXY(VxVec3{r.m_vPosition.x, r.m_vPosition.y + float(k) * 0.95f, 0.0f}, m_vPosition) <
                           reach;
            if (near) {
                m_iTargetSerial = r.m_iSerial;
                break;
            }
        }
    }
    TestHits(model, false);
}

void CCom_GameBullet::ActFetch(CBattleModel& model) {
    auto it = std::find_if(RuleState(model).m_lstItems.begin(), RuleState(model).m_lstItems.end(),
                           [&](const CCom_GameItem& i) { return i.m_iSerial == m_iTargetSerial; });
    if (it == RuleState(model).m_lstItems.end()) return;
    const float f = m_iLifetime > 0 ? float(m_iAge) / float(m_iLifetime) : 1.0f;
    TakeLook(model);
    m_Look.at = VxVec3{(1.0f - f) * m_vPosition.x + f * it->m_vPosition.x,
                       (1.0f - f) * m_vPosition.y + f * it->m_vPosition.y, 0.0f};
    if (m_iAge != m_iLifetime - 1) return;
    LaunchItemFlight(model, it->m_iItemKind, it->m_vPosition);
    model.PlayPickupSound(*it);
    if (IsPartsItem(it->m_iItemKind)) RuleState(model).m_iPanelTimer = PARTS_PANEL_OUT_FRAMES;
    RuleState(model).m_lstItems.erase(it);
}

void CCom_GameBullet::ActRise(CBattleModel& model) {
    const CCom_GameRobot* owner = Owner(model);
    if (m_iAge == 0 && owner && owner->m_Unit.m_iTerrain == TERRAIN_GROUND)
        model.AddFieldEffect(m_iGraphic, FIELD_EFFECT_GROUND_DUST, m_vAimPoint.x, m_vPosition.y - 40.375f, 0.0f);
    const float life = m_iLifetime > 0 ? float(m_iAge) / float(m_iLifetime) : 1.0f;
    TakeLook(model);
    m_Look.alpha = owner && owner->m_bConcealed ? 0.5f : 1.0f;
    m_Look.at = VxVec3{m_vAimPoint.x, m_vPosition.y - 40.0f + 40.0f * std::min(1.0f, life * 2.0f), 0.0f};
    if (m_iAge == m_iLifetime - 1) {
        const float hw = m_Weapon.m_fAreaWidth, hh = m_Weapon.m_fAreaHeight;
        HitArea(model, m_vAimPoint.x - hw / 2.0f, m_vAimPoint.x + hw / 2.0f, m_vPosition.y + hh,
                m_vPosition.y - 42.75f);
    }
}

float CCom_GameBullet::SnowballHeight(int hitsLeft, int hits) {
    const float left = hits > 0 ? float(hitsLeft) / float(hits) : 0.0f;
    return 1.0f - (0.5f - left * 0.4f);
}
