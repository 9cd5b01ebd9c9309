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
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"
#include "engine/VxMath.h"

using namespace units;

namespace {

bool Overlaps(const BulletHitArea& a, float l, float r, float top, float bottom) {
    return a.set && l <= a.right && r >= a.left && bottom <= a.top && top >= a.bottom;
}

// Concealed units a kind may strike without its firer seeing them.
bool KindFindsConcealed(int kind, int type) {
    switch (kind) {
    case 4: return UnitHas(type, UNIT_BURROWS);
    case 5:
    case 11:
    case 19:
    case 22:
    case 1011: return UnitHas(type, UNIT_BURROWS) || type == MachineId::Ghost;
    case 8:
    case 29: return true;
    case 12: return type == MachineId::Ghost;
    default: return false;
    }
}

// Counts a progress entry below its target and announces it on reaching it.
void CountProgress(int index, int target) {
    int& progress = g_CurrentProfile.m_aiAchievementProgress[index];
    if (progress >= target) return;
    ++progress;
    if (progress >= target) AnnounceAchievement(index);
}

}  // namespace

void CCom_GameBullet::TestHits(bool areaMode) {
    CPageGame* page = Page();
    if (!page || m_iHitsLeft < 1) return;
    const int kind = m_iBulletKind;
    const int stage = Stage();
    const bool upgraded = m_iOwnerUpgrade != 0;

    // The hit sound: the third sound of the firer's set, from its start.
    auto hitSound = [&] {
        CVxSound* s = nullptr;
        if (m_iGraphic >= 0 && m_iGraphic < HAND_SLOTS) s = page->m_apCardSounds[m_iGraphic][2];
        else if (m_iGraphic >= 1000 && m_iGraphic % 1000 < STAGE_ENEMY_RECORDS)
            s = page->m_apEnemySounds[m_iGraphic % 1000][2];
        Restart(s);
    };
    auto impact = [&](float x, float y, float z) {
        page->AddFieldEffect(m_iGraphic, m_Weapon.m_iHitEffectArg, x, y, z);
    };

    // Blasts clear spikes.
    if (kind == 11 || kind == 19 || kind == 22) {
        const VxVec3 c = page->FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
        const int e = kind == 11 ? 1 : kind == 19 ? 0 : 10;
        bool changed = false;
        for (int col = int(c.x - float(e)); col <= int(c.x) + e; ++col)
            for (int row = int(c.y - float(e)); row <= int(c.y) + e; ++row) {
                if (col < 0 || col >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS) continue;
                if (ClearSpikes(*page, page->m_aFieldCells[col * FIELD_ROWS + row])) changed = true;
            }
        if (changed) RedrawGround(*page);
    }

    // Targeted shots.
    if (m_iTargetSerial != -1 && m_Weapon.m_iId != 1007) {
        CCom_GameRobot* r = FindRobotBySerial(page->m_lstRobots, m_iTargetSerial);
        if (!r) return;
        const VxVec3 at = r->m_vLastPosition;
        if (kind == 15) {
            if (r->m_iHp > 0 && DistanceXY(m_vPosition, at) < float(m_Weapon.m_iSize)) {
                const int before = r->m_iHp;
                r->m_iHp += std::min(m_Weapon.m_iDamage, r->m_Unit.m_iMaxHp - r->m_iHp);
                if (before < r->m_Unit.m_iMaxHp && r->m_iHp == r->m_Unit.m_iMaxHp) CountProgress(28, 100);
                impact(at.x, at.y, at.z);
                hitSound();
                --m_iHitsLeft;
            }
            return;
        }
        if (kind == 26) {
            const bool wide = IsChargeShotStage(stage);
            const int n = wide && UnitHas(r->Type(), UNIT_TALL) ? 3 : 1;
            const float reach = wide ? float(int(float(m_Weapon.m_iSize) * 1.75f)) : float(m_Weapon.m_iSize);
            bool near = false;
            for (int i = 0; i < n && !near; ++i)
                near = DistanceXY(m_vPosition, VxVec3{at.x, at.y + float(i) * 85.0f * 0.95f, 0.0f}) < reach;
            const bool last = m_iAge == m_iLifetime - 1;
            if (near || last) {
                page->FireBullet(11, m_iGraphic, m_vPosition.x, m_vPosition.y, m_vPosition.z, -1, -1);
                if (!wide && !last) impact(at.x, at.y, at.z);
                hitSound();
                --m_iHitsLeft;
            }
            return;
        }
        // A dead target takes no further strike: only the killing one counts.
        if (r->m_iHp <= 0) return;
        bool miss = false;
        if (kind == 24) {
            miss = m_iMissMode == -1 || (m_iMissMode == 0 && m_iOwnerUpgrade != 1 && VxRand() % 4 == 0 &&
                                         r->m_iState == ROBOT_MOVE && r->m_iStatusEffect == STATUS_NONE);
        }
        if (miss) {
            if (page->m_pEffectTextMiss)
                page->m_pEffectTextMiss->AddAtPoint(r->m_vPosition.x, r->m_vPosition.y, r->m_vPosition.z);
        } else {
            if (r->Type() == MachineId::Stingray && r->m_aiAux[1] == 0 && kind == 5) r->m_aiAux[1] = -1;
            r->TakeDamage(m_Weapon.m_iDamage);
        }
        RecordKill(*r);
        impact(at.x, at.y, at.z);
        hitSound();
        if (kind == 23) r->ApplyWeb();
        if (m_Weapon.m_iId == 1017) r->ApplyFreeze();
        --m_iHitsLeft;
        return;
    }

    // Scanning shots.
    const CCom_GameRobot* owner = Owner();
    const float screenEdge = float(g_iScreenWidth) * 0.5f + 70.0f;
    auto walk = [&](bool burrowersOnly) {
        bool struck = false;
        for (CCom_GameRobot& r : page->m_lstRobots) {
            if (m_iHitsLeft < 1) break;
            const int type = r.Type();
            if (burrowersOnly && !(UnitHas(type, UNIT_BURROWS) && r.m_Unit.m_iTerrain == TERRAIN_GROUND)) continue;
            if (r.m_Unit.m_iSide == m_iSide || r.m_Unit.m_iRole == ROLE_ONESHOT) continue;
            if (r.m_Unit.m_iRole == ROLE_PLATFORM && r.m_bPlatformOccupied) continue;
            if (r.m_Unit.m_iRole == ROLE_TIMER && !(type == MachineId::CapsuleCage && r.m_iState == ROBOT_IDLE))
                continue;
            if ((kind == 8 || kind == 29) && owner && std::fabs(r.m_vCell.y - owner->m_vCell.y) > 2.0f) continue;
            if (!r.m_bConcealed) {
                if (kind == 19 && !upgraded) continue;
            } else if (!(owner && owner->m_bSeesConcealed) && !KindFindsConcealed(kind, type)) {
                continue;
            }
            if (r.m_iHp <= 0 || std::fabs(r.m_vLastPosition.x) > screenEdge) continue;

            const VxVec3 last = r.m_vLastPosition;
            bool inside = type == MachineId::CapsuleCage && owner && r.m_vCell.x == owner->m_vCell.x &&
                          r.m_vCell.y == owner->m_vCell.y;
            if (!inside && !areaMode) {
                const float reach = r.m_Unit.m_fSpeed * 5.0f + float(m_Weapon.m_iSize);
                auto probe = [&](float py) {
                    const float dx = m_vPosition.x - last.x, dy = m_vPosition.y - py;
                    return std::sqrt(dx * dx + dy * dy) < reach;
                };
                inside = probe(last.y);
                if (UnitHas(type, UNIT_TALL))
                    inside = inside || probe(last.y + 80.75f) ||
                             (r.m_Unit.m_iTerrain != TERRAIN_MARINE && probe(last.y + 161.5f));
                if (UnitHas(type, UNIT_BOSS)) inside = inside || probe(last.y - 80.75f) || probe(last.y + 80.75f);
                if ((kind == 14 || kind == 9) && !UnitHas(type, UNIT_TALL) && !UnitHas(type, UNIT_BOSS) &&
                    std::fabs(m_vPosition.y - r.m_vPosition.y) > 60.5625f)
                    inside = false;
            } else if (!inside) {
                const int n = IsChargeShotStage(stage) && UnitHas(type, UNIT_TALL) ? 3 : 1;
                for (int i = 0; i < n && !inside; ++i) {
                    const float py = last.y + float(i) * 85.0f * 0.95f;
                    inside = Overlaps(m_rcHitArea, last.x, last.x + 5.0f, py, py - 5.0f);
                }
            }
            if (!inside) continue;

            if (!areaMode) {
                if (kind == 14) {
                    if (std::find(m_lstHitSerials.begin(), m_lstHitSerials.end(), r.m_iSerial) != m_lstHitSerials.end())
                        continue;
                    m_lstHitSerials.push_back(r.m_iSerial);
                    if (upgraded && r.m_iStatusGuard == 0 && r.m_Unit.m_fSpeed != 0.0f && type != MachineId::Rocket) {
                        const float s = r.m_Unit.m_fSpeed;
                        r.m_vPosition.x -= r.m_Unit.m_iMaxHp < 100 ? s * 20.0f + 20.0f : s * 20.0f;
                        r.m_iStatusGuard = 10;
                        if (m_iHopTimer == 0) m_iHopTimer = 20;
                    }
                }
                if (kind == 20) {
                    page->FireBullet(21, m_iGraphic, m_vPosition.x, m_vPosition.y, m_vPosition.z, m_iTargetSerial,
                                     m_iOwnerSerial);
                    r.ApplyPlasma();
                }
                r.TakeDamage(m_Weapon.m_iDamage);
                if (kind == 4 && upgraded) r.ApplyFreeze();
                RecordKill(r);
                if (UnitHas(type, UNIT_TALL) || UnitHas(type, UNIT_BOSS)) impact(r.m_vPosition.x, m_vPosition.y, 0.0f);
                else if (m_Weapon.m_iId == 9) {
                    if (m_iAge % 20 == 0) impact(last.x, last.y, last.z);
                } else if (kind == 10) impact(m_vPosition.x, m_vPosition.y, m_vPosition.z);
                else impact(last.x, last.y, last.z);
                hitSound();
                if (kind == 3 && r.m_iStatusEffect != STATUS_FREEZE) {
                    r.ApplyFreeze();
                    if (upgraded) r.m_iStatusFrames = int(float(r.m_iStatusFrames) * 1.5f);
                }
                if (!(kind == 18 && upgraded && type == MachineId::Rocket)) --m_iHitsLeft;
                struck = true;
                // A normal-mode strike ends the walk once the hits are spent.
                continue;
            }

            // Area mode.
            if (kind == 8) {
                r.m_bConcealed = 0;
                r.m_iRevealFrames = 300;
            } else if (kind == 29) {
                if (r.CanUpgradeVariant()) {
                    if (r.m_Unit.m_iTerrain == TERRAIN_AIR && page->m_pEffectCopterEnemyFadeOut)
                        page->m_pEffectCopterEnemyFadeOut->Add(r.m_iSerial, r.m_vEffectAnchor.x, r.m_vEffectAnchor.y,
                                                               r.m_vEffectAnchor.z);
                    r.RevertVariant();
                }
            } else if (kind == 1014) {
                if (std::find(m_lstHitSerials.begin(), m_lstHitSerials.end(), r.m_iSerial) != m_lstHitSerials.end())
                    continue;
                m_lstHitSerials.push_back(r.m_iSerial);
                r.TakeDamage(m_Weapon.m_iDamage);
            } else {
                if (type == MachineId::Stingray && r.m_aiAux[1] == 0 && (kind == 11 || kind == 22)) r.m_aiAux[1] = -1;
                r.TakeDamage(m_Weapon.m_iDamage);
                RecordKill(r);
            }
            if (m_Weapon.m_iId == 12 && (m_iAge / 3) % 30 == r.m_iSerial % 30) {
                if (r.m_iStatusEffect != STATUS_FREEZE) {
                    r.ApplyFreeze();
                    if (upgraded) r.m_iStatusFrames = int(float(r.m_iStatusFrames) * 1.75f);
                }
                page->AddFieldEffect(m_iGraphic, 1, last.x, last.y, last.z);
            }
            const int id = m_Weapon.m_iId;
            const bool quiet =
                kind == 30 || (m_iGraphic >= 0 && m_iGraphic < HAND_SLOTS &&
                               page->m_aHandDefs[m_iGraphic].m_iType == RobotId::MortarBot && m_iSide == 0);
            if (id == 6 || id == 12 || id == 1008 || id == 1015) {
                if (Frame() % 15 == 0) {
                    impact(last.x, last.y, last.z);
                    if (!quiet) hitSound();
                }
            } else {
                impact(last.x, last.y, last.z);
                if (kind != 21 && !quiet) hitSound();
            }
            if (kind == 21) r.ApplyPlasma();
            --m_iHitsLeft;
            struck = true;
        }
        return struck;
    };
    if (kind == 19 && upgraded && walk(true)) return;
    walk(false);
}

void CCom_GameBullet::RecordKill(CCom_GameRobot& robot) {
    if (robot.m_iHp > 0 || robot.m_Unit.m_iSide != 1 || robot.Type() == MachineId::Rocket) return;
    switch (robot.m_Unit.m_iTerrain) {
    case TERRAIN_AIR: CountAchievementEvent(ACHIEVEMENT_GROUP_AIR); break;
    case TERRAIN_GROUND: CountAchievementEvent(ACHIEVEMENT_GROUP_GROUND); break;
    case TERRAIN_MARINE:
    case TERRAIN_UNDERWATER: CountAchievementEvent(ACHIEVEMENT_GROUP_NAVY); break;
    default: break;
    }
    switch (m_iBulletKind) {
    case 3: CountProgress(18, 50); break;
    case 6: CountProgress(19, 50); break;
    case 7: CountProgress(27, 300); break;
    case 9: CountProgress(24, 100); break;
    case 13: CountProgress(25, 200); break;
    case 16:
        if (robot.m_Unit.m_iTerrain == TERRAIN_AIR) CountProgress(26, 100);
        break;
    case 19:
        if (robot.Type() == MachineId::Mole) CountProgress(23, 100);
        break;
    default: break;
    }
    if (m_iBulletKind == 11) {
        ++m_iKills;
        UpdateAchievementProgress(30, m_iKills);
    }
}
