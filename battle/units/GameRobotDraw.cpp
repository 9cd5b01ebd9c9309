// What a unit shows: where its sprite goes, the overlays and tints on top of
// it, and the pull-down of dead units. The update works it out and records the
// draws; Draw replays them.
#include <algorithm>
#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "engine/VxSound.h"

using namespace units;

// How the unit's sprite is placed, scaled, turned and tinted this frame.
struct RobotPose {
    CVxBillboard* sprite = nullptr;
    VxVec3 at{0.0f, 0.0f, 0.0f};
    float sx = 1.0f, sy = 1.0f, rotation = 0.0f;
    RobotTint tint{};
    int state = 0, type = 0, t = 0;
    bool machine = false, dying = false, upgraded = false;
    float f = 1.0f;  // a per-unit pulse of the tints
    float h = 0.0f;  // the sprite's height
    bool propeller = false;
    bool rocketSecondPass = false;
};

namespace {

using Tint = RobotTint;

// Positions of the last 40 frames of a Barrier Bot without a ward; shared by
// all of them, as their trails are drawn from the same record.
constexpr int kTrailLength = 40;
VxVec3 g_aBarrierTrail[kTrailLength];

bool IsGroundOrMarine(int terrain) { return terrain == TERRAIN_GROUND || terrain == TERRAIN_MARINE; }

RobotDrawStep Tinted(CVxBillboard* sprite, const VxVec3& at, float sx, float sy, float rotation, const Tint& tint,
                     int blend = -1) {
    RobotDrawStep step;
    step.kind = RobotDrawStep::TINTED;
    step.billboard = sprite;
    step.at = at;
    step.sx = sx;
    step.sy = sy;
    step.rotation = rotation;
    step.tint = tint;
    step.blend = blend;
    return step;
}

RobotDrawStep Marker(RobotDrawStep::Kind kind, CVxBillboard* billboard) {
    RobotDrawStep step;
    step.kind = kind;
    step.billboard = billboard;
    return step;
}

void DrawAt(CVxBillboard* sprite, const VxVec3& at, float sx, float sy, float rotation, const Tint& tint, int blend) {
    sprite->SetPosition(at.x, at.y, at.z);
    sprite->SetScale(sx, sy, 1.0f);
    sprite->SetRotation(0.0f, 0.0f, rotation);
    sprite->SetDiffuse(tint.r, tint.g, tint.b, tint.a);
    sprite->m_iTextureOp = tint.additive ? 1 : 0;
    if (blend >= 0) sprite->SetBlendMode(blend, sprite->m_iAlphaRef);
    sprite->RenderSRT();
}

void DrawDigits(const RobotDrawStep& step) {
    CVxNumber* digits = step.digits;
    const float spacing = digits->m_fSpacing;
    digits->SaveState();
    digits->m_fSpacing = 19.0f;
    digits->SetPosition(step.at.x, step.at.y, step.at.z);
    digits->SetScale(step.sx, step.sx, 1.0f);
    digits->SetDiffuse(1.0f, 0.0f, 0.0f, step.tint.a);
    digits->Draw(step.blend);
    digits->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    digits->RestoreState();
    digits->m_fSpacing = spacing;
}

void Replay(const RobotDrawStep& step) {
    CVxBillboard* b = step.billboard;
    switch (step.kind) {
    case RobotDrawStep::SAVE: b->SaveState(); break;
    case RobotDrawStep::RESTORE: b->RestoreState(); break;
    case RobotDrawStep::ALPHA_BLEND: b->SetBlendMode(BLEND_ALPHA, b->m_iAlphaRef); break;
    case RobotDrawStep::TINTED: DrawAt(b, step.at, step.sx, step.sy, step.rotation, step.tint, step.blend); break;
    case RobotDrawStep::SAVED_TINTED:
        b->SaveState();
        DrawAt(b, step.at, step.sx, step.sy, step.rotation, step.tint, step.blend);
        b->RestoreState();
        break;
    case RobotDrawStep::PLACED:
        b->SaveState();
        b->SetPosition(step.at.x, step.at.y, step.at.z);
        b->RenderSRT();
        b->RestoreState();
        break;
    case RobotDrawStep::ARM:
        b->SaveState();
        b->SetPosition(step.at.x, step.at.y, step.at.z);
        b->SetRotation(0.0f, 0.0f, step.rotation);
        b->SetDiffuse(1.0f, 1.0f, 1.0f, step.tint.a);
        b->RenderSRT();
        b->RestoreState();
        break;
    case RobotDrawStep::DIGITS: DrawDigits(step); break;
    }
}

}  // namespace

void CCom_GameRobot::AddDrawStep(const RobotDrawStep& step) {
    // A unit without art still lives; it is only not drawn.
    if (step.kind == RobotDrawStep::DIGITS ? !step.digits : !step.billboard) return;
    if (m_nDrawSteps < kMaxDrawSteps) m_aDrawSteps[m_nDrawSteps++] = step;
}

void CCom_GameRobot::Draw(const CBattleModel&) const {
    for (int i = 0; i < m_nDrawSteps; ++i) Replay(m_aDrawSteps[i]);
    if (m_DebugShown.shown) DrawDebugText();
}

void CCom_GameRobot::ComposeUnit(CBattleModel& model, CVxBillboard* sprite) {
    AddDrawStep(Marker(RobotDrawStep::SAVE, sprite));
    VxVec3 at = SpritePlace(model, sprite);
    if (m_iHp <= 0 && !m_bPreview) PullDeadUnitDown(model);
    ComposeOverlays(model, sprite, at);
    AddDrawStep(Marker(RobotDrawStep::RESTORE, sprite));

    if (!IsMachine()) {
        m_fBob = m_iHp > 0 ? 3.0f * SinDeg(5.0f * float(Frame(model) + 2 * m_iSerial)) : 0.0f;
        m_vLastPosition = m_vPosition;
    }
}

// Where the sprite goes before its overlays; ground and water-surface Machines
// take their step of motion here.
VxVec3 CCom_GameRobot::SpritePlace(CBattleModel& model, const CVxBillboard* sprite) {
    const int state = RuleState(model).m_iBattleState;
    const int type = Type();
    const float w = sprite ? sprite->m_vSize.x : 0.0f;
    const float h = sprite ? sprite->m_vSize.y : 0.0f;
    const float offset = float(m_Unit.m_iSize);
    const float x = m_vPosition.x;
    const float y = m_vPosition.y;
    VxVec3 at{x, y, m_vPosition.z};

    if (!IsMachine()) {
        const float b = BobOffset(model);
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
        if (state == BATTLE_PLAYING && !m_bPreview) UpdateGroundAndMarineMotion(model);
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
        } else if (CanUpgradeVariant(model)) {
            at = VxVec3{x + w / 2.0f - offset, y + h / 2.0f - 50.375f, m_vPosition.z};
        } else if (special && type != MachineId::Reaper && type != MachineId::Ghost) {
            at = m_vPosition;
        } else {
            at = VxVec3{x + w / 2.0f - offset, y, m_vPosition.z};
        }
    }
    return at;
}

void CCom_GameRobot::ComposeOverlays(CBattleModel& model, CVxBillboard* sprite, VxVec3& at) {
    RobotPose p;
    p.sprite = sprite;
    p.at = at;
    p.state = RuleState(model).m_iBattleState;
    p.type = Type();
    p.machine = IsMachine();
    p.dying = m_iState == ROBOT_DYING;
    p.t = Frame(model);
    p.f = 0.65f + 0.35f * SinDeg(float(9 * m_iSerial + p.t) * 10.0f);
    p.upgraded = m_Unit.m_iUpgradeLevel > 0;
    p.h = sprite ? sprite->m_vSize.y : 0.0f;

    // 1. Barrier Bots draw their ward or their trail and nothing else.
    if (!p.machine && p.type == RobotId::BarrierBots) {
        ComposeBarrier(model, p);
        return;
    }
    PoseFacing(p);
    PoseTints(model, p);
    PoseMotion(p);
    PoseOddities(model, p);
    PoseRocket(p);
    PoseSwimmers(model, p);
    PoseBombs(model, p);

    // 13. A carrier sweeping the field.
    CarrierSweep(model, p.at);

    AddDrawStep(Tinted(sprite, p.at, p.sx, p.sy, p.rotation, p.tint));
    if (p.rocketSecondPass) AddDrawStep(Tinted(sprite, p.at, p.sx, p.sy, p.rotation, p.tint, BLEND_ADD));
    if (p.propeller && g_pGameAppInstance) {
        CVxBillboard* rotor = g_pGameAppInstance->m_apMineCopter[(p.t / 5) % MINE_COPTER_FRAMES];
        RobotDrawStep step = Tinted(rotor, VxVec3{p.at.x, p.at.y - 15.0f, p.at.z}, 1.0f, 1.0f, 0.0f, Tint{});
        step.kind = RobotDrawStep::SAVED_TINTED;
        AddDrawStep(step);
    }
}

void CCom_GameRobot::ComposeBarrier(CBattleModel& model, RobotPose& p) {
    Tint plain;
    plain.a = p.dying ? m_fDyingFade : 1.0f;
    const int t = p.t;
    if (const CCom_GameRobot* ward = Shield(model)) {
        const int n = p.upgraded ? 6 : 5;
        const float rise = float(std::min(m_iPhase, 55)) / 55.0f;
        ++m_iPhase;
        Tint pulse = plain;
        if (p.state == BATTLE_PLAYING && ward->m_iHp < 0.35f * float(ward->m_Unit.m_iMaxHp)) {
            pulse.additive = true;
            pulse.r = pulse.g = pulse.b = 0.35f * p.f;
        }
        for (int i = 0; i < n; ++i) {
            const float angle = float(36 * i + 2 * t);
            const VxVec3 at{ward->m_vLastPosition.x + 40.0f * CosDeg(angle),
                            ward->m_vLastPosition.y + 40.0f * SinDeg(angle) - 40.0f * (1.0f - rise), 0.0f};
            AddDrawStep(Tinted(p.sprite, at, 0.65f, 0.65f, 0.0f, pulse));
        }
    } else {
        for (int i = kTrailLength - 1; i > 0; --i) g_aBarrierTrail[i] = g_aBarrierTrail[i - 1];
        p.at.y += 20.0f + 5.0f * SinDeg(5.0f * float(t));
        g_aBarrierTrail[0] = p.at;
        const int n = p.upgraded ? 5 : 4;
        for (int i = 1; i <= n; ++i) AddDrawStep(Tinted(p.sprite, g_aBarrierTrail[5 * i], 0.75f, 0.75f, 0.0f, plain));
        AddDrawStep(Tinted(p.sprite, p.at, 1.0f, 1.0f, 0.0f, plain));
    }
}

// 2. Facing, 3. rotation and raises, and the Destroyer's shake.
void CCom_GameRobot::PoseFacing(RobotPose& p) {
    const int type = p.type;
    const bool machine = p.machine;
    const int t = p.t;
    if (m_Unit.m_fSpeed < 0.0f) p.sx = -1.0f;
    if (m_bMirrored) p.sx = -p.sx;

    p.rotation = m_vRotation.z;
    if (!m_bPreview) {
        if (!machine && (type == RobotId::RemoverBot || type == RobotId::HammerBot))
            p.at.y += 30.0f + 5.0f * CosDeg(float(9 * m_iSerial + t) * 10.0f);
        if (!machine && type == RobotId::RecyclerBot) {
            const bool swing = m_iState == ROBOT_IDLE || (m_iState == ROBOT_ATTACK && m_iAnimTick < 3);
            p.rotation = swing ? 30.0f * SinDeg(30.0f * float(t)) * DEG : 0.0f;
        }
        if (!machine && (type == RobotId::MachineGunner || type == RobotId::MortarBot) && m_iState == ROBOT_IDLE) {
            const int frames = AnimLength(0) / ROBOT_TICKS_PER_FRAME;
            const int k = frames > 0 ? (m_iAnimTick / ROBOT_TICKS_PER_FRAME) % frames : 0;
            p.at.y += 50.0f * SinDeg(18.0f * float(k));
            p.rotation = 30.0f * float(t) * DEG;
        }
    }

    if (machine && (type == MachineId::Destroyer || type == MachineId::DestroyerZero)) {
        const VxVec3 shift = DestroyerBodyShift();
        p.at.x += shift.x;
        p.at.y += shift.y;
    }
}

// 4. Tints, first match wins.
void CCom_GameRobot::PoseTints(const CBattleModel& model, RobotPose& p) {
    const int stage = model.StageNumber();
    const int world = GetStagePlace(stage).world;
    const float f = p.f;
    Tint& tint = p.tint;
    if (p.dying) tint.r = tint.g = tint.b = tint.a = m_fDyingFade, tint.set = true;
    if (p.state == BATTLE_PLAYING && !p.dying) {
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
                   (m_bSeesConcealed || (p.type == RobotId::SurveyorBot && !p.machine && m_bPlatformOccupied))) {
            tint = Tint{true, 0.0f, 0.25f * f, 0.0f, 1.0f, true};
        } else if (!m_bPreview && m_Unit.m_iRole == ROLE_PRODUCE && KindOf(stage) != StageKind::AdvanceRounds &&
                   ModeOf(stage) != MiniGameMode::BothSides && m_Unit.m_iActionInterval - m_iActionTimer <= 100) {
            int k = p.t % 20;
            if (k > 10) k = 20 - k;
            const float v = 0.35f * float(k) / 20.0f;
            tint = Tint{true, v, v, 0.0f, 1.0f, true};
        }
    }
    if (!tint.set && !p.dying && !m_bPreview) {
        if (world == 3) tint = Tint{true, 0.85f, 0.85f, 1.0f, p.sprite ? p.sprite->m_colDiffuse.a : 1.0f, false};
        else if (world == 5 && p.state == BATTLE_PLAYING && m_bOnHazard)
            tint = Tint{true, 0.25f * f, 0.0f, 0.0f, 1.0f, true};
    }
}

// 5. Bobbing, hops and the carrier's glow; 6. the Ghost and the Stingray.
void CCom_GameRobot::PoseMotion(RobotPose& p) {
    const int t = p.t;
    if (!p.dying) {
        if (p.machine && m_Unit.m_iTerrain != TERRAIN_GROUND) {
            p.at.y += m_bVariant ? 10.0f * SinDeg(float(7 * t + 71 * m_iSerial))
                                 : 5.0f * SinDeg(float(2 * t + 71 * m_iSerial));
        }
        if (m_iPauseFrames > 0) {
            p.at.y += 70.0f * SinDeg(float(36 - m_iPauseFrames) * 5.0f);
            --m_iPauseFrames;
        }
        if (m_Unit.m_iRole == ROLE_CARRY) {
            if (!p.tint.set && m_Unit.m_iActionInterval - m_iActionTimer <= 100) {
                const float v = 0.1f * (1.0f + SinDeg(float(t) * 10.0f));
                p.tint = Tint{true, v, v, v, 1.0f, true};
            }
            if (m_iState == ROBOT_SPECIAL && m_iAnimTick < 18) p.at.y += 20.0f * SinDeg(10.0f * float(m_iAnimTick));
        }
    }

    if (p.type == MachineId::Ghost && m_bConcealed) p.tint = Tint{true, 1.0f, 1.0f, 1.0f, 0.5f, false};
    if (p.type == MachineId::Stingray && m_aiAux[1] == 1) {
        if (!p.dying && !p.tint.set) {
            const float v = 0.25f + 0.15f * SinDeg(30.0f * float(t));
            p.tint = Tint{true, v, v, v, 1.0f, true};
        }
        p.sx *= 0.5f;
        p.sy *= 0.5f;
        if (p.dying) p.at.y -= 60.0f;
    }
}

// 7. An upgraded Mini-Mine over air or water hangs from a propeller; 8. a
// Storm Bot fades out over its last frames and sways before that.
void CCom_GameRobot::PoseOddities(CBattleModel& model, RobotPose& p) {
    const int t = p.t;
    if (!m_bPreview && !p.machine && p.type == RobotId::MiniMine && m_Unit.m_iUpgradeLevel > 0) {
        const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
        if (cell && (cell->m_iStageKind == CELL_AIR || cell->m_iStageKind == CELL_UNDERWATER)) {
            p.at.y += 20.1875f + 5.0f * SinDeg(float(35 * m_iSerial + t) * 2.0f);
            p.propeller = true;
        }
    }

    if (!p.machine && p.type == RobotId::StormBot && m_iLifeFrames > 0) {
        if (m_iLifeFrames <= 10) {
            p.tint.set = true;
            p.tint.a = 0.1f * float(m_iLifeFrames);
        } else {
            p.at.x += 6.0f * SinDeg(float(t) * 12.0f);
            const float pulse = 1.0f + 0.1f * SinDeg(float(t) * 18.0f);
            p.sx *= pulse;
            p.sy *= pulse;
        }
    }
}

// 9. The Rocket.
void CCom_GameRobot::PoseRocket(RobotPose& p) {
    if (p.type != MachineId::Rocket) return;
    const int t = p.t;
    p.at.x += 35.0f;
    if (m_aiAux[2] != 1 && m_aiAux[2] != 2) return;
    if (m_aiAux[2] == 1) {
        p.tint = Tint{true, 1.0f, 1.0f, 1.0f, 0.5f, false};
        AddDrawStep(Marker(RobotDrawStep::ALPHA_BLEND, p.sprite));
        if (p.h > 0.0f) p.sy *= 96.0f / p.h;
        p.rotation = float(75 * m_iSerial + 20 * t) * DEG;
        p.rocketSecondPass = true;
    } else {
        p.rotation = float(75 * m_iSerial + 10 * t) * DEG;
    }
    if (m_iHp != m_Unit.m_iMaxHp) {
        if (m_iHp >= 2 && m_iHp <= 99) m_iHp = m_Unit.m_iMaxHp = 1;
        else if (m_iHp >= 100 && m_iHp <= 199) m_iHp = m_Unit.m_iMaxHp = 100;
    }
}

// 10. The rotor of a flying variant; 11. swimmers sit lower in the water.
void CCom_GameRobot::PoseSwimmers(CBattleModel& model, RobotPose& p) {
    const int type = p.type;
    const int t = p.t;
    if (!p.machine) return;

    if (m_Unit.m_iTerrain == TERRAIN_MARINE) {
        if (type == MachineId::Giant || type == MachineId::Titan) {
            p.at.y -= 110.75f;
        } else if (type == MachineId::Mole) {
            if (m_iState == ROBOT_MOVE) {
                p.rotation = -45.0f * DEG;
                p.at.y -= 160.0f + 10.0f * SinDeg(5.0f * float(t));
            } else {
                p.rotation = -35.0f * DEG;
                p.at.y -= p.state == BATTLE_PLAYING ? 120.0f + 20.0f * SinDeg(5.0f * float(t))
                                                    : 100.0f + 10.0f * SinDeg(5.0f * float(t));
            }
            if (m_bConcealed) p.tint.set = true, p.tint.a = 0.45f;
        } else {
            p.at.y -= type == MachineId::MarineStriker ? 45.0f : 35.0f;
        }
    }
    if (type == MachineId::MarineStriker && m_Unit.m_iTerrain == TERRAIN_AIR) p.at.y -= 48.0f;
    // The rotor over the body where it is drawn.
    if (m_Unit.m_iTerrain == TERRAIN_AIR && CanUpgradeVariant(model)) GetEffectAnchor(model, p.at, p.sx, p.sy);
}

// 12. Bombs growing before they go off, and the Shocker's glow.
void CCom_GameRobot::PoseBombs(CBattleModel& model, RobotPose& p) {
    if (m_bPreview || p.machine) return;
    const int type = p.type;
    if (type == RobotId::AtomicBot && !p.upgraded && m_iState == ROBOT_IDLE) {
        ++m_iPhase;
        if (m_iPhase >= 24) {
            const int dx = VxRand() % 6 - 3;
            const int dy = VxRand() % 6 - 3;
            p.at.x += float(dx);
            p.at.y += float(dy);
        }
    }
    if (type == RobotId::MiniBomber || (type == RobotId::AtomicBot && p.upgraded)) {
        if (m_iState == ROBOT_IDLE) {
            ++m_iPhase;
            const float s = std::min(1.0f + 0.015f * float(m_iPhase), 1.35f);
            p.sx *= s;
            p.sy *= s;
            p.at.y += float(std::min(m_iPhase, 25));
            if (m_iPhase == 3) Restart(model.Scene().m_pSfxFuse);
            if (type == RobotId::AtomicBot && m_iPhase >= 24) {
                const int dx = VxRand() % 10 - 5;
                const int dy = VxRand() % 10 - 5;
                p.at.x += float(dx);
                p.at.y += float(dy);
            }
        } else {
            p.sx *= 1.35f;
            p.sy *= 1.35f;
            p.at.y += 25.0f;
        }
    }
    if (type == RobotId::ShockerBot && p.upgraded && m_iState == ROBOT_ATTACK && !p.tint.set)
        p.tint = Tint{true, 0.85f, 0.0f, 1.0f, 1.0f, true};
}

void CCom_GameRobot::CarrierSweep(CBattleModel& model, VxVec3& at) {
    const int c = m_iCarryTimer;
    if (c <= 0 || m_iState != ROBOT_MOVE) return;
    const float reach = 300.0f * SinDeg(4.5f * float(c));
    if (c < 40) at.x += reach;
    if (c == 30) Restart(model.Scene().m_pSfxCarrierCrash);
    if (c <= 40) {
        const float sweepX = m_vLastPosition.x + reach;
        for (CCom_GameRobot& r : RuleState(model).m_lstRobots) {
            if (r.IsMachine() || r.m_iHp <= 0) continue;
            if (std::fabs(r.m_vPosition.x - sweepX) < 100.0f &&
                std::fabs(r.m_vPosition.y - m_vLastPosition.y) < 100.0f) {
                r.TakeDamage(model, 10000);
                model.AddFieldEffect(m_iUnitSlot + 1000, FIELD_EFFECT_HIT, r.m_vPosition.x, r.m_vPosition.y,
                                     r.m_vPosition.z);
                Restart(model.Scene().m_pSfxCarrierHit);
            }
        }
    }
    --m_iCarryTimer;
}

void CCom_GameRobot::PullDeadUnitDown(CBattleModel& model) {
    const int type = Type();
    const VxVec3 cellPos = IsMachine() ? model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z) : m_vCell;
    const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, cellPos);
    const bool onGround = cell && cell->m_iStageKind == CELL_GROUND;
    if (IsGroundOrMarine(m_Unit.m_iTerrain)) {
        if (onGround) {
            if (m_vPosition.y < -250.0f) m_vPosition.y -= type == MachineId::MarineStriker ? 3.0f : 0.25f;
            else m_vPosition.y = cell->m_fY;
        } else {
            m_vPosition.y -= 3.0f;
        }
    } else if (type != MachineId::TimeBomb && type != MachineId::Destroyer && type != MachineId::DestroyerZero) {
        if (onGround) m_vPosition.y = cell->m_fY;
        else m_vPosition.y -= 3.0f;
    }
}
