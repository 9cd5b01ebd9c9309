// What a bullet strikes this frame and what each strike does: damage, status,
// knock-back, healing, revealing, knocking variants down, secondary shots,
// impact effects and hit sounds; and the kill statistics behind the
// achievements.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_CopterEnemyFadeOut.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/UnitContext.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

bool Overlaps(const BulletHitArea& a, float l, float r, float top, float bottom) {
    return a.set && l <= a.right && r >= a.left && bottom <= a.top && top >= a.bottom;
}

// Concealed units a kind may strike without its firer seeing them.
bool KindFindsConcealed(WeaponId kind, int type) {
    switch (kind) {
    case WeaponId::DropperBomb: return UnitHas(type, UNIT_BURROWS);
    case WeaponId::MineBlast:
    case WeaponId::BomberBlast:
    case WeaponId::Hammer:
    case WeaponId::AtomicBlast:
    case WeaponId::TimeBombBlast: return UnitHas(type, UNIT_BURROWS) || type == MachineId::Ghost;
    case WeaponId::SonarPulse:
    case WeaponId::SonarAirPulse: return true;
    case WeaponId::Storm: return type == MachineId::Ghost;
    default: return false;
    }
}

// Counts a progress entry below its target and announces it on reaching it.
void CountProgress(SaveProfile& profile, int index, int target) {
    int& progress = profile.m_aiAchievementProgress[index];
    if (progress >= target) return;
    ++progress;
    if (progress >= target) AnnounceAchievement(index);
}

}  // namespace

void CCom_GameBullet::TestHits(CBattleModel& model, bool areaMode) {
    if (m_iHitsLeft < 1) return;
    const WeaponId kind = m_iBulletKind;
    ClearBlastSpikes(model);
    if (m_iTargetSerial != -1 && m_Weapon.m_iId != WeaponId::MoleDrill) {
        HitTarget(model);
        return;
    }
    const CCom_GameRobot* owner = Owner(model);
    if (kind == WeaponId::Hammer && m_iOwnerUpgrade != 0 && Sweep(model, owner, areaMode, true)) return;
    Sweep(model, owner, areaMode, false);
}

void CCom_GameBullet::PlayHitSound(CBattleModel& model) const {
    // The third sound of the firer's set, from its start.
    const BattleScene& scene = model.Scene();
    CVxSound* s = nullptr;
    if (m_iGraphic >= 0 && m_iGraphic < HAND_SLOTS) s = scene.m_apCardSounds[m_iGraphic][2];
    else if (m_iGraphic >= 1000 && m_iGraphic % 1000 < STAGE_ENEMY_RECORDS)
        s = scene.m_apEnemySounds[m_iGraphic % 1000][2];
    Restart(s);
}

void CCom_GameBullet::Impact(CBattleModel& model, float x, float y, float z) {
    model.AddFieldEffect(m_iGraphic, m_Weapon.m_iHitEffectArg, x, y, z);
}

void CCom_GameBullet::ClearBlastSpikes(CBattleModel& model) {
    const WeaponId kind = m_iBulletKind;
    if (kind != WeaponId::BomberBlast && kind != WeaponId::Hammer && kind != WeaponId::AtomicBlast) return;
    const VxVec3 c = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    const int e = kind == WeaponId::BomberBlast ? 1 : kind == WeaponId::Hammer ? 0 : 10;
    bool changed = false;
    for (int col = int(c.x - float(e)); col <= int(c.x) + e; ++col)
        for (int row = int(c.y - float(e)); row <= int(c.y) + e; ++row) {
            if (col < 0 || col >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS) continue;
            if (ClearSpikes(model, RuleState(model).m_aFieldCells[col * FIELD_ROWS + row])) changed = true;
        }
    if (changed) RedrawGround(model);
}

void CCom_GameBullet::HitTarget(CBattleModel& model) {
    const WeaponId kind = m_iBulletKind;
    CCom_GameRobot* r = FindRobotBySerial(RuleState(model).m_lstRobots, m_iTargetSerial);
    if (!r) return;
    const VxVec3 at = r->m_vLastPosition;
    if (kind == WeaponId::FixerBeam) {
        // A repair shot heals its target once in reach.
        if (r->m_iHp > 0 && DistanceXY(m_vPosition, at) < float(m_Weapon.m_iSize)) {
            const int before = r->m_iHp;
            r->m_iHp += std::min(m_Weapon.m_iDamage, r->m_Unit.m_iMaxHp - r->m_iHp);
            if (before < r->m_Unit.m_iMaxHp && r->m_iHp == r->m_Unit.m_iMaxHp) CountProgress(model.Profile(), 28, 100);
            Impact(model, at.x, at.y, at.z);
            PlayHitSound(model);
            --m_iHitsLeft;
        }
        return;
    }
    if (kind == WeaponId::Mortar) {
        // A seeker bursts on reaching its target or on its last frame.
        const int stage = model.StageNumber();
        const bool wide = IsChargeShotStage(stage);
        const int n = wide && UnitHas(r->Type(), UNIT_TALL) ? 3 : 1;
        const float reach = wide ? float(int(float(m_Weapon.m_iSize) * 1.75f)) : float(m_Weapon.m_iSize);
        bool near = false;
        for (int i = 0; i < n && !near; ++i)
            near = DistanceXY(m_vPosition, VxVec3{at.x, at.y + float(i) * 85.0f * 0.95f, 0.0f}) < reach;
        const bool last = m_iAge == m_iLifetime - 1;
        if (near || last) {
            model.FireBullet(WeaponId::BomberBlast, m_iGraphic, m_vPosition.x, m_vPosition.y, m_vPosition.z, -1, -1);
            if (!wide && !last) Impact(model, at.x, at.y, at.z);
            PlayHitSound(model);
            --m_iHitsLeft;
        }
        return;
    }
    // A dead target takes no further strike: only the killing one counts.
    if (r->m_iHp <= 0) return;
    bool miss = false;
    if (kind == WeaponId::SniperShot) {
        miss = m_iMissMode == -1 || (m_iMissMode == 0 && m_iOwnerUpgrade != 1 && VxRand() % 4 == 0 &&
                                     r->m_iState == ROBOT_MOVE && r->m_iStatusEffect == STATUS_NONE);
    }
    if (miss) {
        if (model.Scene().m_pEffectTextMiss)
            model.Scene().m_pEffectTextMiss->AddAtPoint(r->m_vPosition.x, r->m_vPosition.y, r->m_vPosition.z);
    } else {
        if (r->Type() == MachineId::Stingray && r->m_aiAux[1] == 0 && kind == WeaponId::MineBlast) r->m_aiAux[1] = -1;
        r->TakeDamage(model, m_Weapon.m_iDamage);
    }
    RecordKill(model, *r);
    Impact(model, at.x, at.y, at.z);
    PlayHitSound(model);
    if (kind == WeaponId::SpiderWeb) r->ApplyWeb(model);
    if (m_Weapon.m_iId == WeaponId::FrostBite) r->ApplyFreeze(model);
    --m_iHitsLeft;
}

bool CCom_GameBullet::Sweep(CBattleModel& model, const CCom_GameRobot* owner, bool areaMode, bool burrowersOnly) {
    bool struck = false;
    for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
        if (m_iHitsLeft < 1) break;
        if (!MayStrike(r, owner, burrowersOnly) || !Reaches(model, r, owner, areaMode)) continue;
        // A normal-mode strike ends the walk once the hits are spent.
        if (areaMode ? StrikeArea(model, r) : StrikeDirect(model, r)) struck = true;
    }
    return struck;
}

bool CCom_GameBullet::MayStrike(const CCom_GameRobot& r, const CCom_GameRobot* owner, bool burrowersOnly) const {
    const WeaponId kind = m_iBulletKind;
    const int type = r.Type();
    if (burrowersOnly && !(UnitHas(type, UNIT_BURROWS) && r.m_Unit.m_iTerrain == TERRAIN_GROUND)) return false;
    if (r.m_Unit.m_iSide == m_iSide || r.m_Unit.m_iRole == ROLE_ONESHOT) return false;
    if (r.m_Unit.m_iRole == ROLE_PLATFORM && r.m_bPlatformOccupied) return false;
    if (r.m_Unit.m_iRole == ROLE_TIMER && !(type == MachineId::CapsuleCage && r.m_iState == ROBOT_IDLE)) return false;
    if ((kind == WeaponId::SonarPulse || kind == WeaponId::SonarAirPulse) && owner &&
        std::fabs(r.m_vCell.y - owner->m_vCell.y) > 2.0f)
        return false;
    if (!r.m_bConcealed) {
        if (kind == WeaponId::Hammer && m_iOwnerUpgrade == 0) return false;
    } else if (!(owner && owner->m_bSeesConcealed) && !KindFindsConcealed(kind, type)) {
        return false;
    }
    const float screenEdge = float(g_iScreenWidth) * 0.5f + 70.0f;
    return !(r.m_iHp <= 0 || std::fabs(r.m_vLastPosition.x) > screenEdge);
}

bool CCom_GameBullet::Reaches(const CBattleModel& model, const CCom_GameRobot& r, const CCom_GameRobot* owner,
                              bool areaMode) const {
    const WeaponId kind = m_iBulletKind;
    const int type = r.Type();
    const VxVec3 last = r.m_vLastPosition;
    bool inside =
        type == MachineId::CapsuleCage && owner && r.m_vCell.x == owner->m_vCell.x && r.m_vCell.y == owner->m_vCell.y;
    if (inside) return true;
    if (!areaMode) {
        const float reach = r.m_Unit.m_fSpeed * 5.0f + float(m_Weapon.m_iSize);
        auto probe = [&](float py) {
            const float dx = m_vPosition.x - last.x, dy = m_vPosition.y - py;
            return std::sqrt(dx * dx + dy * dy) < reach;
        };
        inside = probe(last.y);
        // Tall and long Machines are probed at more than one height.
        if (UnitHas(type, UNIT_TALL))
            inside =
                inside || probe(last.y + 80.75f) || (r.m_Unit.m_iTerrain != TERRAIN_MARINE && probe(last.y + 161.5f));
        if (UnitHas(type, UNIT_BOSS)) inside = inside || probe(last.y - 80.75f) || probe(last.y + 80.75f);
        if ((kind == WeaponId::Snowball || kind == WeaponId::Boomerang) && !UnitHas(type, UNIT_TALL) &&
            !UnitHas(type, UNIT_BOSS) && std::fabs(m_vPosition.y - r.m_vPosition.y) > 60.5625f)
            inside = false;
        return inside;
    }
    const int stage = model.StageNumber();
    const int n = IsChargeShotStage(stage) && UnitHas(type, UNIT_TALL) ? 3 : 1;
    for (int i = 0; i < n && !inside; ++i) {
        const float py = last.y + float(i) * 85.0f * 0.95f;
        inside = Overlaps(m_rcHitArea, last.x, last.x + 5.0f, py, py - 5.0f);
    }
    return inside;
}

bool CCom_GameBullet::StrikeDirect(CBattleModel& model, CCom_GameRobot& r) {
    const WeaponId kind = m_iBulletKind;
    const int type = r.Type();
    const bool upgraded = m_iOwnerUpgrade != 0;
    const VxVec3 last = r.m_vLastPosition;
    if (kind == WeaponId::Snowball) {
        // The snowball strikes each robot once and an upgraded one knocks it back.
        if (std::find(m_lstHitSerials.begin(), m_lstHitSerials.end(), r.m_iSerial) != m_lstHitSerials.end())
            return false;
        m_lstHitSerials.push_back(r.m_iSerial);
        if (upgraded && r.m_iStatusGuard == 0 && r.m_Unit.m_fSpeed != 0.0f && type != MachineId::Rocket) {
            const float s = r.m_Unit.m_fSpeed;
            r.m_vPosition.x -= r.m_Unit.m_iMaxHp < 100 ? s * 20.0f + 20.0f : s * 20.0f;
            r.m_iStatusGuard = 10;
            if (m_iHopTimer == 0) m_iHopTimer = 20;
        }
    }
    if (kind == WeaponId::PlasmaShot) {
        model.FireBullet(WeaponId::PlasmaBurst, m_iGraphic, m_vPosition.x, m_vPosition.y, m_vPosition.z,
                         m_iTargetSerial, m_iOwnerSerial);
        r.ApplyPlasma(model);
    }
    r.TakeDamage(model, m_Weapon.m_iDamage);
    if (kind == WeaponId::DropperBomb && upgraded) r.ApplyFreeze(model);
    RecordKill(model, r);
    if (UnitHas(type, UNIT_TALL) || UnitHas(type, UNIT_BOSS)) Impact(model, r.m_vPosition.x, m_vPosition.y, 0.0f);
    else if (m_Weapon.m_iId == WeaponId::Boomerang) {
        if (m_iAge % 20 == 0) Impact(model, last.x, last.y, last.z);
    } else if (kind == WeaponId::Bubble) Impact(model, m_vPosition.x, m_vPosition.y, m_vPosition.z);
    else Impact(model, last.x, last.y, last.z);
    PlayHitSound(model);
    if (kind == WeaponId::FreezerShot && r.m_iStatusEffect != STATUS_FREEZE) {
        r.ApplyFreeze(model);
        if (upgraded) r.m_iStatusFrames = int(float(r.m_iStatusFrames) * 1.5f);
    }
    if (!(kind == WeaponId::DiverTorpedo && upgraded && type == MachineId::Rocket)) --m_iHitsLeft;
    return true;
}

bool CCom_GameBullet::StrikeArea(CBattleModel& model, CCom_GameRobot& r) {
    const WeaponId kind = m_iBulletKind;
    const int type = r.Type();
    const VxVec3 last = r.m_vLastPosition;
    if (kind == WeaponId::SonarPulse) {
        r.m_bConcealed = 0;
        r.m_iRevealFrames = 300;
    } else if (kind == WeaponId::SonarAirPulse) {
        if (r.CanUpgradeVariant(model)) {
            if (r.m_Unit.m_iTerrain == TERRAIN_AIR && model.Scene().m_pEffectCopterEnemyFadeOut)
                model.Scene().m_pEffectCopterEnemyFadeOut->Add(r.m_iSerial, r.m_vEffectAnchor.x, r.m_vEffectAnchor.y,
                                                               r.m_vEffectAnchor.z);
            r.RevertVariant(model);
        }
    } else if (kind == WeaponId::TitanCrush) {
        if (std::find(m_lstHitSerials.begin(), m_lstHitSerials.end(), r.m_iSerial) != m_lstHitSerials.end())
            return false;
        m_lstHitSerials.push_back(r.m_iSerial);
        r.TakeDamage(model, m_Weapon.m_iDamage);
    } else {
        if (type == MachineId::Stingray && r.m_aiAux[1] == 0 &&
            (kind == WeaponId::BomberBlast || kind == WeaponId::AtomicBlast))
            r.m_aiAux[1] = -1;
        r.TakeDamage(model, m_Weapon.m_iDamage);
        RecordKill(model, r);
    }
    if (m_Weapon.m_iId == WeaponId::Storm && (m_iAge / 3) % 30 == r.m_iSerial % 30) {
        if (r.m_iStatusEffect != STATUS_FREEZE) {
            r.ApplyFreeze(model);
            if (m_iOwnerUpgrade != 0) r.m_iStatusFrames = int(float(r.m_iStatusFrames) * 1.75f);
        }
        model.AddFieldEffect(m_iGraphic, FIELD_EFFECT_SHOT_BURST, last.x, last.y, last.z);
    }
    const WeaponId id = m_Weapon.m_iId;
    const bool quiet = kind == WeaponId::FieldStrike ||
                       (m_iGraphic >= 0 && m_iGraphic < HAND_SLOTS &&
                        RuleState(model).m_aHandDefs[m_iGraphic].m_iType == RobotId::MortarBot && m_iSide == 0);
    if (id == WeaponId::Flame || id == WeaponId::Storm || id == WeaponId::StrikerBeam ||
        id == WeaponId::DestroyerVolley) {
        // Lingering streams show an impact every fifteen frames.
        if (Frame(model) % 15 == 0) {
            Impact(model, last.x, last.y, last.z);
            if (!quiet) PlayHitSound(model);
        }
    } else {
        Impact(model, last.x, last.y, last.z);
        if (kind != WeaponId::PlasmaBurst && !quiet) PlayHitSound(model);
    }
    if (kind == WeaponId::PlasmaBurst) r.ApplyPlasma(model);
    --m_iHitsLeft;
    return true;
}

void CCom_GameBullet::RecordKill(CBattleModel& model, CCom_GameRobot& robot) {
    if (robot.m_iHp > 0 || robot.m_Unit.m_iSide != 1 || robot.Type() == MachineId::Rocket) return;
    switch (robot.m_Unit.m_iTerrain) {
    case TERRAIN_AIR: CountAchievementEvent(model.Profile(), ACHIEVEMENT_GROUP_AIR); break;
    case TERRAIN_GROUND: CountAchievementEvent(model.Profile(), ACHIEVEMENT_GROUP_GROUND); break;
    case TERRAIN_MARINE:
    case TERRAIN_UNDERWATER: CountAchievementEvent(model.Profile(), ACHIEVEMENT_GROUP_NAVY); break;
    default: break;
    }
    switch (m_iBulletKind) {
    case WeaponId::FreezerShot: CountProgress(model.Profile(), 18, 50); break;
    case WeaponId::Flame: CountProgress(model.Profile(), 19, 50); break;
    case WeaponId::WarriorBlade: CountProgress(model.Profile(), 27, 300); break;
    case WeaponId::Boomerang: CountProgress(model.Profile(), 24, 100); break;
    case WeaponId::Missile: CountProgress(model.Profile(), 25, 200); break;
    case WeaponId::Shotgun:
        if (robot.m_Unit.m_iTerrain == TERRAIN_AIR) CountProgress(model.Profile(), 26, 100);
        break;
    case WeaponId::Hammer:
        if (robot.Type() == MachineId::Mole) CountProgress(model.Profile(), 23, 100);
        break;
    default: break;
    }
    if (m_iBulletKind == WeaponId::BomberBlast) {
        ++m_iKills;
        UpdateAchievementProgress(model.Profile(), 30, m_iKills);
    }
}
