// Drawing a unit: where its sprite goes, the overlays and tints on top of it,
// and the pull-down of dead units.
#include <algorithm>
#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"

using namespace units;

namespace {

// Positions of the last 40 frames of a Barrier Bot without a ward; shared by
// all of them, as their trails are drawn from the same record.
constexpr int kTrailLength = 40;
VxVec3 g_aBarrierTrail[kTrailLength];

bool IsGroundOrMarine(int terrain) { return terrain == TERRAIN_GROUND || terrain == TERRAIN_MARINE; }

struct Tint {
    bool set = false;
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    bool additive = false;
};

void DrawAt(CVxBillboard* sprite, const VxVec3& at, float sx, float sy, float rotation, const Tint& tint,
            int blend = -1) {
    if (!sprite) return;  // a unit without art still lives; it is only not drawn
    sprite->SetPosition(at.x, at.y, at.z);
    sprite->SetScale(sx, sy, 1.0f);
    sprite->SetRotation(0.0f, 0.0f, rotation);
    sprite->SetDiffuse(tint.r, tint.g, tint.b, tint.a);
    sprite->m_iTextureOp = tint.additive ? 1 : 0;
    if (blend >= 0) sprite->SetBlendMode(blend, sprite->m_iAlphaRef);
    sprite->RenderSRT();
}

}  // namespace

void CCom_GameRobot::DrawUnit(CPageGame& page, CVxBillboard* sprite) {
    const int state = page.m_iBattleState;
    const int type = Type();
    const bool machine = IsMachine();
    const float w = sprite ? sprite->m_vSize.x : 0.0f;
    const float h = sprite ? sprite->m_vSize.y : 0.0f;
    const float offset = float(m_Unit.m_iSize);
    const float x = m_vPosition.x;
    const float y = m_vPosition.y;
    VxVec3 at{x, y, m_vPosition.z};

    if (sprite) sprite->SaveState();
    if (!machine) {
        const float b = BobOffset();
        at.y = y + h / 2.0f - 50.375f + b;
        if (type == RobotId::DiverBot) at.y -= 30.0f;
        switch (type) {
        case RobotId::FloaterBot: at.y = y + h / 4.0f - 55.375f + b; break;
        case RobotId::SubmergerBot: at = VxVec3{x + 15.0f, y + h / 4.0f - 60.375f + b, at.z}; break;
        case RobotId::BuoyerBot: at.y = y + h / 4.0f - 45.375f + b; break;
        case RobotId::SurveyorBot: at.y = y + h / 4.0f - 70.375f + b; break;
        default: break;
        }
    } else if (IsGroundOrMarine(m_Unit.m_iTerrain) || type == MachineId::CapsuleCage) {
        const bool bob = m_Unit.m_iMoveMode == MOVE_BOB;
        auto place = [&] {
            at = VxVec3{m_vPosition.x + w / 2.0f - offset,
                        m_vPosition.y + h / 2.0f - 40.375f - (type == MachineId::CapsuleCage ? 20.0f : 10.0f),
                        m_vPosition.z};
            // Ground and water-surface Machines are targetable from where they are drawn.
            m_vLastPosition = m_vPosition;
        };
        if (!bob) place();
        if (state == BATTLE_PLAYING && !m_bPreview) UpdateGroundAndMarineMotion();
        if (bob) place();
    } else {
        m_vLastPosition = m_vPosition;
        const bool special = m_Unit.m_iTerrain == TERRAIN_SPECIAL;
        if (m_iState == ROBOT_DYING) {
            if (type == MachineId::TimeBomb || type == MachineId::Reaper || type == MachineId::Ghost) {
                at = m_vPosition;
            } else {
                at.x = special ? x : x + w / 2.0f - offset;
                at.y = y + (h / 2.0f - 50.375f) * float(std::min(m_iAnimTick, 20)) / 20.0f;
            }
        } else if (CanUpgradeVariant()) {
            at = VxVec3{x + w / 2.0f - offset, y + h / 2.0f - 50.375f, m_vPosition.z};
        } else if (special && type != MachineId::Reaper && type != MachineId::Ghost) {
            at = m_vPosition;
        } else {
            at = VxVec3{x + w / 2.0f - offset, y, m_vPosition.z};
        }
    }

    if (m_iHp <= 0 && !m_bPreview) PullDeadUnitDown(page);
    DrawOverlays(page, sprite, at);
    if (sprite) sprite->RestoreState();

    if (!machine) {
        m_fBob = m_iHp > 0 ? 3.0f * SinDeg(5.0f * float(Frame() + 2 * m_iSerial)) : 0.0f;
        m_vLastPosition = m_vPosition;
    }
}

void CCom_GameRobot::DrawOverlays(CPageGame& page, CVxBillboard* sprite, VxVec3& at) {
    const int state = page.m_iBattleState;
    const int type = Type();
    const bool machine = IsMachine();
    const bool dying = m_iState == ROBOT_DYING;
    const int t = Frame();
    const int world = GetStagePlace(Stage()).world;
    const float f = 0.65f + 0.35f * SinDeg(float(9 * m_iSerial + t) * 10.0f);
    const bool upgraded = m_Unit.m_iUpgradeLevel > 0;
    const float h = sprite ? sprite->m_vSize.y : 0.0f;

    // 1. Barrier Bots draw their ward or their trail and nothing else.
    if (!machine && type == RobotId::BarrierBots) {
        Tint plain;
        plain.a = dying ? m_fDyingFade : 1.0f;
        if (const CCom_GameRobot* ward = Shield()) {
            const int n = upgraded ? 6 : 5;
            const float rise = float(std::min(m_iPhase, 55)) / 55.0f;
            ++m_iPhase;
            Tint pulse = plain;
            if (state == BATTLE_PLAYING && ward->m_iHp < 0.35f * float(ward->m_Unit.m_iMaxHp)) {
                pulse.additive = true;
                pulse.r = pulse.g = pulse.b = 0.35f * f;
            }
            for (int i = 0; i < n; ++i) {
                const float angle = float(36 * i + 2 * t);
                const VxVec3 p{ward->m_vLastPosition.x + 40.0f * CosDeg(angle),
                               ward->m_vLastPosition.y + 40.0f * SinDeg(angle) - 40.0f * (1.0f - rise), 0.0f};
                DrawAt(sprite, p, 0.65f, 0.65f, 0.0f, pulse);
            }
        } else {
            for (int i = kTrailLength - 1; i > 0; --i) g_aBarrierTrail[i] = g_aBarrierTrail[i - 1];
            at.y += 20.0f + 5.0f * SinDeg(5.0f * float(t));
            g_aBarrierTrail[0] = at;
            const int n = upgraded ? 5 : 4;
            for (int i = 1; i <= n; ++i) DrawAt(sprite, g_aBarrierTrail[5 * i], 0.75f, 0.75f, 0.0f, plain);
            DrawAt(sprite, at, 1.0f, 1.0f, 0.0f, plain);
        }
        return;
    }

    // 2. Facing.
    float sx = 1.0f;
    float sy = 1.0f;
    if (m_Unit.m_fSpeed < 0.0f) sx = -1.0f;
    if (m_bMirrored) sx = -sx;

    // 3. Rotation and raises.
    float rotation = m_vRotation.z;
    if (!m_bPreview) {
        if (!machine && (type == RobotId::RemoverBot || type == RobotId::HammerBot))
            at.y += 30.0f + 5.0f * CosDeg(float(9 * m_iSerial + t) * 10.0f);
        if (!machine && type == RobotId::RecyclerBot) {
            const bool swing = m_iState == ROBOT_IDLE || (m_iState == ROBOT_ATTACK && m_iAnimTick < 3);
            rotation = swing ? 30.0f * SinDeg(30.0f * float(t)) * DEG : 0.0f;
        }
        if (!machine && (type == RobotId::MachineGunner || type == RobotId::MortarBot) && m_iState == ROBOT_IDLE) {
            const int frames = AnimLength(0) / ROBOT_TICKS_PER_FRAME;
            const int k = frames > 0 ? (m_iAnimTick / ROBOT_TICKS_PER_FRAME) % frames : 0;
            at.y += 50.0f * SinDeg(18.0f * float(k));
            rotation = 30.0f * float(t) * DEG;
        }
    }

    if (machine && UnitHas(type, UNIT_BOSS)) {
        const VxVec3 shift = DestroyerBodyShift();
        at.x += shift.x;
        at.y += shift.y;
    }

    // 4. Tints, first match wins.
    Tint tint;
    if (dying) tint.r = tint.g = tint.b = tint.a = m_fDyingFade, tint.set = true;
    if (state == BATTLE_PLAYING && !dying) {
        if (m_iStatusEffect == STATUS_FREEZE) {
            tint = Tint{true, 0.5f * f, 0.5f * f, f, 1.0f, false};
        } else if (m_iStatusEffect == STATUS_PLASMA) {
            tint = Tint{true, 0.25f * f, 0.0f, 0.25f * f, 1.0f, true};
        } else if (m_iHitFlash > 0) {
            int k = m_iHitFlash % 30;
            if (k > 14) k = 30 - k;
            const float v = 0.35f * float(k) / 30.0f;
            tint = Tint{true, v, v, v, 1.0f, true};
            --m_iHitFlash;
        } else if (!m_bPreview &&
                   (m_bSeesConcealed || (type == RobotId::SurveyorBot && !machine && m_bPlatformOccupied))) {
            tint = Tint{true, 0.0f, 0.25f * f, 0.0f, 1.0f, true};
        } else if (!m_bPreview && m_Unit.m_iRole == ROLE_PRODUCE && Stage() != 151 && Stage() != 155 &&
                   m_Unit.m_iActionInterval - m_iActionTimer <= 100) {
            int k = t % 20;
            if (k > 10) k = 20 - k;
            const float v = 0.35f * float(k) / 20.0f;
            tint = Tint{true, v, v, 0.0f, 1.0f, true};
        }
    }
    if (!tint.set && !dying && !m_bPreview) {
        if (world == 3) tint = Tint{true, 0.85f, 0.85f, 1.0f, sprite ? sprite->m_colDiffuse.a : 1.0f, false};
        else if (world == 5 && state == BATTLE_PLAYING && m_bOnHazard)
            tint = Tint{true, 0.25f * f, 0.0f, 0.0f, 1.0f, true};
    }

    // 5. Bobbing, hops and the carrier's glow.
    if (!dying) {
        if (machine && m_Unit.m_iTerrain != TERRAIN_GROUND) {
            at.y += m_bVariant ? 10.0f * SinDeg(float(7 * t + 71 * m_iSerial))
                               : 5.0f * SinDeg(float(2 * t + 71 * m_iSerial));
        }
        if (m_iPauseFrames > 0) {
            at.y += 70.0f * SinDeg(float(36 - m_iPauseFrames) * 5.0f);
            --m_iPauseFrames;
        }
        if (m_Unit.m_iRole == ROLE_CARRY) {
            if (!tint.set && m_Unit.m_iActionInterval - m_iActionTimer <= 100) {
                const float v = 0.1f * (1.0f + SinDeg(float(t) * 10.0f));
                tint = Tint{true, v, v, v, 1.0f, true};
            }
            if (m_iState == ROBOT_SPECIAL && m_iAnimTick < 18) at.y += 20.0f * SinDeg(10.0f * float(m_iAnimTick));
        }
    }

    // 6. Ghost and Stingray.
    if (type == MachineId::Ghost && m_bConcealed) tint = Tint{true, 1.0f, 1.0f, 1.0f, 0.5f, false};
    if (type == MachineId::Stingray && m_aiAux[1] == 1) {
        if (!dying && !tint.set) {
            const float v = 0.25f + 0.15f * SinDeg(30.0f * float(t));
            tint = Tint{true, v, v, v, 1.0f, true};
        }
        sx *= 0.5f;
        sy *= 0.5f;
        if (dying) at.y -= 60.0f;
    }

    // 7. An upgraded Mini-Mine over air or water hangs from a propeller.
    bool propeller = false;
    if (!m_bPreview && !machine && type == RobotId::MiniMine && m_Unit.m_iUpgradeLevel > 0) {
        const FieldCell* cell = CellAt(page.m_aFieldCells, m_vCell);
        if (cell && (cell->m_iStageKind == CELL_AIR || cell->m_iStageKind == CELL_UNDERWATER)) {
            at.y += 20.1875f + 5.0f * SinDeg(float(35 * m_iSerial + t) * 2.0f);
            propeller = true;
        }
    }

    // 8. A Storm Bot fades out over its last frames and sways before that.
    if (!machine && type == RobotId::StormBot && m_iLifeFrames > 0) {
        if (m_iLifeFrames <= 10) {
            tint.set = true;
            tint.a = 0.1f * float(m_iLifeFrames);
        } else {
            at.x += 6.0f * SinDeg(float(t) * 12.0f);
            const float pulse = 1.0f + 0.1f * SinDeg(float(t) * 18.0f);
            sx *= pulse;
            sy *= pulse;
        }
    }

    // 9. The Rocket.
    bool rocketSecondPass = false;
    if (type == MachineId::Rocket) {
        at.x += 35.0f;
        if (m_aiAux[2] == 1 || m_aiAux[2] == 2) {
            if (m_aiAux[2] == 1) {
                tint = Tint{true, 1.0f, 1.0f, 1.0f, 0.5f, false};
                if (sprite) sprite->SetBlendMode(BLEND_ALPHA, sprite->m_iAlphaRef);
                if (h > 0.0f) sy *= 96.0f / h;
                rotation = float(75 * m_iSerial + 20 * t) * DEG;
                rocketSecondPass = true;
            } else {
                rotation = float(75 * m_iSerial + 10 * t) * DEG;
            }
            if (m_iHp != m_Unit.m_iMaxHp) {
                if (m_iHp >= 2 && m_iHp <= 99) m_iHp = m_Unit.m_iMaxHp = 1;
                else if (m_iHp >= 100 && m_iHp <= 199) m_iHp = m_Unit.m_iMaxHp = 100;
            }
        }
    }

    // 10. The rotor of a flying variant.
    if (machine && m_Unit.m_iTerrain == TERRAIN_AIR && CanUpgradeVariant()) GetEffectAnchor(at);

    // 11. Swimmers sit lower in the water.
    if (machine && m_Unit.m_iTerrain == TERRAIN_MARINE) {
        if (UnitHas(type, UNIT_TALL)) {
            at.y -= 110.75f;
        } else if (type == MachineId::Mole) {
            if (m_iState == ROBOT_MOVE) {
                rotation = -45.0f * DEG;
                at.y -= 160.0f + 10.0f * SinDeg(5.0f * float(t));
            } else {
                rotation = -35.0f * DEG;
                at.y -= state == BATTLE_PLAYING ? 120.0f + 20.0f * SinDeg(5.0f * float(t))
                                                : 100.0f + 10.0f * SinDeg(5.0f * float(t));
            }
            if (m_bConcealed) tint.set = true, tint.a = 0.45f;
        } else {
            at.y -= type == MachineId::MarineStriker ? 45.0f : 35.0f;
        }
    }
    if (machine && type == MachineId::MarineStriker && m_Unit.m_iTerrain == TERRAIN_AIR) at.y -= 48.0f;

    // 12. Bombs growing before they go off, and the Shocker's glow.
    if (!m_bPreview && !machine) {
        if (type == RobotId::AtomicBot && !upgraded && m_iState == ROBOT_IDLE) {
            ++m_iPhase;
            if (m_iPhase >= 24) {
                const int dx = VxRand() % 6 - 3;
                const int dy = VxRand() % 6 - 3;
                at.x += float(dx);
                at.y += float(dy);
            }
        }
        if (type == RobotId::MiniBomber || (type == RobotId::AtomicBot && upgraded)) {
            if (m_iState == ROBOT_IDLE) {
                ++m_iPhase;
                const float s = std::min(1.0f + 0.015f * float(m_iPhase), 1.35f);
                sx *= s;
                sy *= s;
                at.y += float(std::min(m_iPhase, 25));
                if (m_iPhase == 3) Restart(page.m_pSfxFuse);
                if (type == RobotId::AtomicBot && m_iPhase >= 24) {
                    const int dx = VxRand() % 10 - 5;
                    const int dy = VxRand() % 10 - 5;
                    at.x += float(dx);
                    at.y += float(dy);
                }
            } else {
                sx *= 1.35f;
                sy *= 1.35f;
                at.y += 25.0f;
            }
        }
        if (type == RobotId::ShockerBot && upgraded && m_iState == ROBOT_ATTACK && !tint.set)
            tint = Tint{true, 0.85f, 0.0f, 1.0f, 1.0f, true};
    }

    // 13. A carrier sweeping the field.
    CarrierSweep(page, at);

    DrawAt(sprite, at, sx, sy, rotation, tint);
    if (rocketSecondPass) DrawAt(sprite, at, sx, sy, rotation, tint, BLEND_ADD);
    if (propeller && g_pGameAppInstance) {
        CVxBillboard* rotor = g_pGameAppInstance->m_apMineCopter[(t / 5) % MINE_COPTER_FRAMES];
        if (rotor) {
            rotor->SaveState();
            DrawAt(rotor, VxVec3{at.x, at.y - 15.0f, at.z}, 1.0f, 1.0f, 0.0f, Tint{});
            rotor->RestoreState();
        }
    }
}

void CCom_GameRobot::CarrierSweep(CPageGame& page, VxVec3& at) {
    const int c = m_iCarryTimer;
    if (c <= 0 || m_iState != ROBOT_MOVE) return;
    const float reach = 300.0f * SinDeg(4.5f * float(c));
    if (c < 40) at.x += reach;
    if (c == 30) Restart(page.m_pSfxCarrierCrash);
    if (c <= 40) {
        const float sweepX = m_vLastPosition.x + reach;
        for (CCom_GameRobot& r : page.m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0) continue;
            if (std::fabs(r.m_vPosition.x - sweepX) < 100.0f &&
                std::fabs(r.m_vPosition.y - m_vLastPosition.y) < 100.0f) {
                r.TakeDamage(10000);
                page.AddFieldEffect(m_iUnitSlot + 1000, 0, r.m_vPosition.x, r.m_vPosition.y, r.m_vPosition.z);
                Restart(page.m_pSfxCarrierHit);
            }
        }
    }
    --m_iCarryTimer;
}

void CCom_GameRobot::PullDeadUnitDown(CPageGame& page) {
    const int type = Type();
    const VxVec3 cellPos = IsMachine() ? page.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z) : m_vCell;
    const FieldCell* cell = CellAt(page.m_aFieldCells, cellPos);
    const bool onGround = cell && cell->m_iStageKind == CELL_GROUND;
    if (IsGroundOrMarine(m_Unit.m_iTerrain)) {
        if (onGround) {
            if (m_vPosition.y < -250.0f) m_vPosition.y -= type == MachineId::MarineStriker ? 3.0f : 0.25f;
            else m_vPosition.y = cell->m_fY;
        } else {
            m_vPosition.y -= 3.0f;
        }
    } else if (type != MachineId::TimeBomb && !UnitHas(type, UNIT_BOSS)) {
        if (onGround) m_vPosition.y = cell->m_fY;
        else m_vPosition.y -= 3.0f;
    }
}
