// One frame of a unit's life: timers, the state step, the role dispatch, the
// death test and the animation. The drawing is in GameRobotDraw.cpp.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_Oxygen.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"

using namespace units;

namespace {

constexpr int kTicks = ROBOT_TICKS_PER_FRAME;

// min(tick / 5, length / 5 - 1), not below 0.
int ClampedFrame(int tick, int length) { return std::max(0, std::min(tick / kTicks, length / kTicks - 1)); }

// (tick / 5) mod (length / 5); 0 for an animation shorter than one frame.
int LoopingFrame(int tick, int length) {
    const int frames = length / kTicks;
    return frames > 0 ? (tick / kTicks) % frames : 0;
}

bool IsWater(int kind) { return kind == CELL_WATER_SURFACE || kind == CELL_UNDERWATER; }

}  // namespace

void CCom_GameRobot::Update(CBattleModel& model) {
    m_nDrawSteps = 0;
    m_DebugShown.shown = false;
    const int state = RuleState(model).m_iBattleState;
    const int stage = model.StageNumber();
    const int type = Type();
    const bool machine = IsMachine();

    // 1. Counters.
    if (m_iStatusGuard > 0) --m_iStatusGuard;
    const RobotArt* art = Art(model);
    const CVxBillboard* idle0 = art ? art->m_apAct[0][0] : nullptr;
    m_iSpriteWidth = idle0 ? int(idle0->m_vSize.x) : 0;
    m_iRow = int(m_vCell.y);  // the row the unit last settled in
    if (m_iRevealFrames > 0) --m_iRevealFrames;

    // 2. Spikes and the reference point of a Tinkerling.
    if (!machine) {
        if (state == BATTLE_PLAYING && GetStagePlace(stage).world == 5) UpdateSpikeDamage(model);
        m_vLastPosition = m_vPosition;
    }

    // 3. Rising out of a water column.
    if (m_bRising) {
        if (m_vPosition.y < m_vHome.y) {
            m_vPosition.y += 10.0f;
        } else {
            m_vPosition.y = m_vHome.y;
            m_bRising = 0;
        }
    }

    // 4. The Frost Orca's (and on stage 156 the Killer Whale's) swell.
    if (state >= BATTLE_PLAYING) {
        if (type == MachineId::FrostOrca) {
            m_vPosition.y = 160.0f * SinDeg(0.5f * float(m_iPhase)) + 30.0f;
            ++m_iPhase;
        } else if (type == MachineId::KillerWhale && stage == 156) {
            m_vPosition.y = 160.0f * SinDeg(0.5f * float(m_iPhase)) + 30.0f;
            if (m_iState == ROBOT_MOVE) ++m_iPhase;
        }
    }

    // 5. The state step picks this frame's sprite.
    CVxBillboard* sprite = StepState(model);

    // 6. What is drawn (a unit without a sprite for this frame is only not
    // drawn: its placement, overlays' counters and everything after still
    // run), the special Machines and the role dispatch.
    ComposeUnit(model, sprite);
    if (type == MachineId::TimeBomb && m_iState == ROBOT_IDLE && state == BATTLE_PLAYING) UpdateTimeBomb(model);
    if (UnitHas(type, UNIT_BOSS)) UpdateDestroyer(model);
    if (!m_bPreview) RunRoleDispatch(model);

    StepTimers(model);
}

// Steps 7 to 14 of the frame: what follows the role dispatch.
void CCom_GameRobot::StepTimers(CBattleModel& model) {
    // 7. Death test.
    if (m_iState != ROBOT_DYING && m_iHp <= 0) BeginDying(model);

    // 8. Timers.
    CountTimers(model);

    // 9. Limited life.
    if (m_iLifeFrames != -1) {
        --m_iLifeFrames;
        if (m_iLifeFrames <= 0) {
            m_iLifeFrames = 0;
            m_bExpired = 1;
        }
    }

    // 10. The cell once the unit has settled.
    if (m_iPhase == 5) m_vCell = model.FindNearestCell(m_vLastPosition.x, m_vLastPosition.y, m_vLastPosition.z);

    // 11. Bubbles under water in world 3.
    if (!m_bPreview && GetStagePlace(model.StageNumber()).world == 3 && (373 * m_iSerial + Frame(model)) % 600 == 0 &&
        model.Scene().m_pEffectOxygen) {
        const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
        if (cell && cell->m_iKindAbove == CELL_UNDERWATER)
            model.Scene().m_pEffectOxygen->AddAtPoint(m_vLastPosition.x, m_vLastPosition.y, m_vLastPosition.z);
    }

    // 12. The mini-games' alarm.
    CountAlarm(model);

    // 13. Debug view.
    if (model.Scene().m_bDebugView)
        m_DebugShown = DebugShown{true,     m_vPosition.x,  m_vPosition.y,           m_iHp, m_Unit.m_iMaxHp,
                                  m_iState, m_iActionTimer, m_Unit.m_iActionInterval};

    // 14. A platform pushed along its row.
    PlatformSlide(model);
}

CVxBillboard* CCom_GameRobot::StepState(CBattleModel& model) {
    const RobotArt* art = Art(model);
    int anim = 0;
    int frame = 0;
    bool visible = true;

    switch (m_iState) {
    case ROBOT_IDLE: StepIdle(model, anim, frame); break;
    case ROBOT_MOVE: StepMove(model, anim, frame); break;
    case ROBOT_ATTACK: StepAttackState(model, anim, frame); break;
    case ROBOT_SPECIAL: StepSpecial(model, anim, frame); break;
    case ROBOT_DYING: StepDying(model, anim, frame); break;
    case ROBOT_GUARD: StepGuard(model, anim, frame); break;
    default: visible = false; break;
    }

    if (!visible || !art || anim < 0 || anim >= ROBOT_ACTS || frame < 0 || frame >= ROBOT_ACT_FRAMES) return nullptr;
    m_iShownAnim = anim;
    m_iShownFrame = frame;
    return art->m_apAct[anim][frame];
}

void CCom_GameRobot::StepIdle(CBattleModel& model, int& anim, int& frame) {
    const int state = RuleState(model).m_iBattleState;
    const int type = Type();
    const bool machine = IsMachine();
    int tick = m_iAnimTick;
    if (!machine && m_Unit.m_iUpgradeLevel > 0 &&
        (type == RobotId::FixerBot || type == RobotId::FactoryBot || type == RobotId::MamaFactory ||
         type == RobotId::MissilerBot))
        tick = int(1.5f * float(m_iAnimTick));
    frame = LoopingFrame(tick, AnimLength(0));
    if (!machine && (type == RobotId::MachineGunner || type == RobotId::MortarBot)) {
        anim = 3;
        frame = std::max(0, AnimLength(3) / kTicks - 1);
    } else if (state >= BATTLE_LOADING && m_bConcealed) {
        anim = 3;
        frame = LoopingFrame(m_iAnimTick, AnimLength(3));
    }
    if (type == MachineId::Rocket) {
        anim = std::clamp(m_aiAux[2], 0, ROBOT_ACTS - 1);
        frame = 0;
    }
    if (state == BATTLE_PLAYING && (type == MachineId::TimeBomb || type == MachineId::CapsuleCage)) {
        if (m_vPosition.y > m_vHome.y) m_vPosition.y -= 10.0f;
        if (m_vPosition.y < m_vHome.y) m_vPosition.y = m_vHome.y;
        m_vLastPosition = m_vPosition;
        m_vCell = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    }
    if (m_Unit.m_iRole == ROLE_MOVING_ATTACK && state >= BATTLE_LOADING) MoveStep(model);
}

void CCom_GameRobot::StepMove(CBattleModel& model, int& anim, int& frame) {
    const int state = RuleState(model).m_iBattleState;
    const int type = Type();
    anim = 0;
    if (m_Unit.m_iConcealment != 0 && m_bConcealed && !(type == MachineId::Mole && m_Unit.m_iTerrain == TERRAIN_MARINE))
        anim = 3;
    if (type == MachineId::Ghost) anim = 3;
    if (m_bVariant) {
        anim = 0;
        m_bConcealed = 0;
    }
    if (m_iPauseFrames > 0) anim = 0;
    const int la = AnimLength(anim);
    if (type == MachineId::Jumper) {
        const int frames = la / kTicks;
        frame = frames > 0 ? (m_iAnimTick / 6 + 4) % frames : 0;
    } else {
        frame = LoopingFrame(m_iAnimTick, la);
    }
    const bool alwaysMoves =
        type == MachineId::RocketWagon || type == MachineId::FrostOrca || type == MachineId::MarineStriker;
    if (alwaysMoves || !(m_Unit.m_iRole == ROLE_ATTACK && m_iActionTimer <= AnimLength(1))) MoveStep(model);
    if (m_Unit.m_iConcealment != 0 && !m_bConcealed && m_iRevealFrames <= 0 && state == BATTLE_PLAYING && !m_bVariant)
        m_bConcealed = 1;
}

void CCom_GameRobot::StepAttackState(CBattleModel& model, int& anim, int& frame) {
    const int type = Type();
    const bool machine = IsMachine();
    const int la = AnimLength(1);
    const bool moleHidden = type == MachineId::Mole && m_bConcealed;
    const bool moleOnWater = m_Unit.m_iTerrain == TERRAIN_MARINE;
    anim = 1;
    frame = ClampedFrame(m_iAnimTick, la);
    if (moleHidden) {
        anim = moleOnWater ? 0 : 3;
        if (!moleOnWater) frame = 0;
    }
    StepAttack(model, la);
    if (m_iState == ROBOT_ATTACK && machine && m_iAnimTick >= la) {
        anim = 0;
        frame = LoopingFrame(m_iAnimTick, AnimLength(0));
        if (moleHidden && !moleOnWater) {
            anim = 3;
            frame = std::max(0, AnimLength(3) / kTicks - 1);
        }
    }
    if (m_iState == ROBOT_ATTACK && !machine && type == RobotId::WarriorBot) m_iCooldown = 180;
}

void CCom_GameRobot::StepSpecial(CBattleModel& model, int& anim, int& frame) {
    const int type = Type();
    const bool machine = IsMachine();
    anim = (!machine && (type == RobotId::MachineGunner || type == RobotId::MortarBot)) ? 3 : 1;
    const int la = AnimLength(anim);
    frame = ClampedFrame(m_iAnimTick, la);
    if (m_bPreview && anim == 3) frame = std::max(0, la / kTicks - 1);
    if (m_iAnimTick == la / 2) {
        Restart(UnitSound(model, 1));
        if (m_Unit.m_iRole == ROLE_PRODUCE) ProduceItems(model);
        else if (m_Unit.m_iRole == ROLE_CARRY) PickCardTarget(model);
        else if (m_Unit.m_iRole == ROLE_TIMER) RunAreaAbility(model);
    }
    if (m_iAnimTick >= la) {
        if (machine) BeginMove();
        else EndAction(model);
    }
}

void CCom_GameRobot::StepDying(CBattleModel& model, int& anim, int& frame) {
    const int type = Type();
    anim = 2;
    const int l2 = AnimLength(2);
    frame = ClampedFrame(m_iAnimTick, l2 - 180);
    float fade = 1.0f;
    if (m_iAnimTick >= l2 - 135) {
        if (UnitHas(type, UNIT_BOSS))
            fade = m_iBossTimer > 1480 ? 1.0f - 2.0f * float(m_iBossTimer - 1480) / 60.0f : 1.0f;
        else fade = 1.0f - float(m_iAnimTick - (l2 - 135)) / 45.0f;
    }
    m_fDyingFade = std::max(0.0f, fade);
    if (type != MachineId::TimeBomb && !UnitHas(type, UNIT_BOSS)) {
        const VxVec3 cell = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
        const FieldCell* c = CellAt(RuleState(model).m_aFieldCells, cell);
        const int kind = c ? c->m_iStageKind : 0;
        auto otherKind = [&] {
            if (m_vPosition.y < -250.0f) m_vPosition.y -= 0.25f;
            else if (m_iAnimTick < 20) m_vPosition.y += 3.0f;
            else m_vPosition.y -= 5.0f;
        };
        if (type == MachineId::MarineStriker) {
            if (IsWater(kind)) m_vPosition.y -= 0.25f;
            else otherKind();
        } else if (kind == CELL_GROUND) {
        } else if (IsWater(kind)) {
            m_vPosition.y -= 0.25f;
        } else {
            otherKind();
        }
    }
    if (ModeOf(model.StageNumber()) == MiniGameMode::CapsuleSupply && m_iAnimTick > 30) m_vPosition.x += 2.2f;
    if (m_iAnimTick >= l2 && (!UnitHas(type, UNIT_BOSS) || m_iBossTimer > 1600)) m_bExpired = 1;
}

void CCom_GameRobot::StepGuard(CBattleModel& model, int& anim, int& frame) {
    const int type = Type();
    const bool machine = IsMachine();
    anim = (!machine && type == RobotId::WarriorBot) ? 3 : 1;
    const int la = AnimLength(anim);
    if (m_iAnimTick > la - 1) m_iAnimTick = std::max(0, la - 1);
    frame = ClampedFrame(m_iAnimTick, la);
    if (m_Unit.m_iUpgradeLevel > 0 && m_iAnimTick == la - 2)
        model.AddFieldEffect(m_iUnitSlot, FIELD_EFFECT_LANDING_DUST, m_vPosition.x, m_vPosition.y, m_vPosition.z);
}

void CCom_GameRobot::StepAttack(CBattleModel& model, int la) {
    const int stage = model.StageNumber();
    const bool mayFire =
        model.AttacksAllowed() || ModeOf(stage) == MiniGameMode::Climb || KindOf(stage) == StageKind::ConveyorCatch;
    if (m_iAnimTick == la / 2 && mayFire && !HasStatusEffect() && !m_bHoldFire) {
        if (!IsMachine()) {
            if (m_iCountdown == 0 && m_Unit.m_iWeapon != WeaponId::FixerBeam) FireTinkerlingShot(model);
        } else if (m_iCountdown == 0) {
            FireMachineShot(model);
        }
    }
    if (m_iAnimTick >= la) EndAttack(model);
}

void CCom_GameRobot::FireTinkerlingShot(CBattleModel& model) {
    const int type = Type();
    if (type == RobotId::RecyclerBot) {
        RecycleMachine(model);
    } else if (type != RobotId::MiniMine) {
        WeaponId weapon = m_Unit.m_iWeapon;
        if (m_bAltShot) {
            weapon = WeaponId::SonarAirPulse;
            m_bAltShot = 0;
        }
        model.FireBullet(weapon, m_iUnitSlot, m_vPosition.x, m_vPosition.y, m_vPosition.z, m_iTargetSerial, m_iSerial);
    }
    CVxSound* sound = UnitSound(model, 1);
    const bool rolled =
        ((type == RobotId::GunnerBot || type == RobotId::CannonBot) && m_Unit.m_iActionInterval == 100) ||
        type == RobotId::CopterBot || type == RobotId::MarinerBot;
    if (rolled) {
        // The roll is drawn on every shot, whether or not its voice still
        // plays or anything plays it: only its use waits for the voice.
        const bool again = VxRand() % 4 == 0;
        if (sound && sound->IsPlaying()) {
            if (again) Restart(sound);
        } else if (sound) {
            sound->Play();
        }
    } else {
        Restart(sound);
    }
    if (type == RobotId::FlameBot && m_iCountdown == 0) m_iCountdown = 150;
}

void CCom_GameRobot::FireMachineShot(CBattleModel& model) {
    const int type = Type();
    bool fired = false;
    if (type == MachineId::Mole) {
        if (m_bConcealed || m_Unit.m_iTerrain == TERRAIN_MARINE) {
            model.FireBullet(m_Unit.m_iWeapon, m_iUnitSlot + 1000, m_vPosition.x, m_vPosition.y, m_vPosition.z,
                             m_iTargetSerial, m_iSerial);
            fired = true;
        }
    } else if (type == MachineId::Destroyer || type == MachineId::DestroyerZero) {
        m_iCountdown = 300;
    } else {
        WeaponId weapon = m_Unit.m_iWeapon;
        if (type == MachineId::Gunboat) {
            for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
                if (!r.IsMachine() &&
                    (r.m_Unit.m_iTerrain == TERRAIN_MARINE || r.m_Unit.m_iTerrain == TERRAIN_SPECIAL)) {
                    weapon = WeaponId::Torpedo;
                    break;
                }
        }
        if (type == MachineId::Reaper) StrikeArea(model);
        model.FireBullet(weapon, m_iUnitSlot + 1000, m_vPosition.x, m_vPosition.y, m_vPosition.z, m_iTargetSerial,
                         m_iSerial);
        fired = true;
    }
    if (fired) Restart(UnitSound(model, 1));
    if (type == MachineId::TimeBomb || type == MachineId::Rocket) {
        m_bExpired = 1;
        m_iHp = 0;
    }
}

// The attack animation has run out.
void CCom_GameRobot::EndAttack(CBattleModel& model) {
    const int type = Type();
    const bool machine = IsMachine();
    if (!machine) {
        if (type == RobotId::HammerBot) {
            BeginDying(model);
        } else if (m_iCountdown == 0) {
            EndAction(model);
            if (m_Unit.m_iRole == ROLE_ONESHOT) {
                if (type == RobotId::StormBot) {
                    if (m_iLifeFrames == -1) m_iLifeFrames = 1200;
                } else {
                    m_iHp = 0;
                    m_bExpired = 1;
                }
            }
        }
    } else {
        if (m_Unit.m_iConcealment != 0) m_iRevealFrames = m_Unit.m_iActionInterval;
        if (m_Unit.m_iRole == ROLE_ONESHOT) m_iHp = 0;
        if (m_Unit.m_iRole == ROLE_MOVING_ATTACK) MoveStep(model);
    }
}

void CCom_GameRobot::RunRoleDispatch(CBattleModel& model) {
    if (RuleState(model).m_iBattleState != BATTLE_PLAYING || HasStatusEffect()) return;
    const int type = Type();
    if (IsMachine()) {
        if ((m_Unit.m_iRole == ROLE_CARRY || type == MachineId::RocketWagon || type == MachineId::FrostOrca) &&
            m_vPosition.x < -420.0f)
            return;
        if (type == MachineId::MarineStriker && m_vPosition.x < -400.0f) return;
    }
    switch (m_Unit.m_iRole) {
    case ROLE_ATTACK:
    case ROLE_MOVING_ATTACK:
        UpdateAttack(model);
        if (!IsMachine() && type == RobotId::WarriorBot) {
            if (m_iCooldown == 0) UpdateGuard(model);
            else --m_iCooldown;
        }
        break;
    case ROLE_PRODUCE: UpdateProducer(model); break;
    case ROLE_GUARD: UpdateGuard(model); break;
    case ROLE_ONESHOT: UpdateAttack(model); break;
    case ROLE_PLATFORM: UpdatePlatform(model); break;
    case ROLE_CARRY: UpdateCarrier(model); break;
    case ROLE_TIMER: UpdateTimer(); break;
    default: break;
    }
}

void CCom_GameRobot::CountTimers(CBattleModel& model) {
    if (HasStatusEffect()) {
        if (m_iStatusFrames > 0) --m_iStatusFrames;
        if (m_iStatusFrames <= 0 || m_iHp <= 0) {
            m_iStatusEffect = STATUS_NONE;
            m_iStatusFrames = 0;
        }
        return;
    }
    if (m_iCountdown == 0) {
        ++m_iAnimTick;
        return;
    }
    --m_iCountdown;
    if (m_iCountdown == 180 && (Type() == MachineId::Destroyer || Type() == MachineId::DestroyerZero))
        FireBossVolley(model);
    if (m_iCountdown <= 0) {
        m_iCountdown = 0;
        EndAction(model);
    }
}

void CCom_GameRobot::CountAlarm(CBattleModel& model) {
    if (m_iSmokeTimer > 0) {
        const int stage = model.StageNumber();
        m_iSmokeTimer -= IsEpisodeFinalBossStage(stage) ? 2 : 1;
        if (m_iSmokeTimer <= 0) {
            m_iSmokeTimer = 0;
            m_iSmokePeriod = 15;
            m_iSmokeCount = 5;
            if (RuleState(model).m_iBattleState <= BATTLE_PLAYING) Restart(model.Scene().m_pSfxAlarm);
        }
    }
    if (m_iSmokePeriod > 0) {
        --m_iSmokePeriod;
        if (m_iSmokePeriod == 0 && m_iSmokeCount > 0) {
            --m_iSmokeCount;
            if (m_iSmokeCount > 0) m_iSmokePeriod = 15;
        }
    }
}

void CCom_GameRobot::PlatformSlide(CBattleModel& model) {
    if (m_iPlatformTimer <= 0) return;
    m_vPosition.x += 8.55f;
    m_vHome.x += 8.55f;
    m_vLastPosition.x += 8.55f;
    if (m_Unit.m_iRole == ROLE_PLATFORM)
        if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell)) cell->m_iKind = cell->m_iStageKind;
    m_vCell = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    if (--m_iPlatformTimer > 0) return;
    const float lastColumnX = RuleState(model).m_aFieldCells[(FIELD_COLUMNS - 1) * FIELD_ROWS].m_fX;
    const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
    if (m_vPosition.x > lastColumnX + 42.75f) {
        m_iHp = 0;
        BeginDying(model);
    } else if (cell && cell->m_iStageKind == CELL_GROUND) {
        m_iHp = 0;
        BeginDying(model);
        model.AddFieldEffect(m_iUnitSlot, FIELD_EFFECT_GROUND_DUST, m_vPosition.x, m_vPosition.y - 40.375f,
                             m_vPosition.z);
    }
}
