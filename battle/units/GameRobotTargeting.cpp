// The shooters' role: the action timer, the target scans by weapon motion
// (arc, range, visibility, the Mini-Mine's proximity bonus) and the decision
// to attack, stop or walk on.
#include <cmath>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "battle/units/Targeting.h"
#include "battle/units/UnitContext.h"
#include "engine/VxMath.h"

using namespace units;

bool IsTargetable(const CCom_GameRobot& shooter, const CCom_GameRobot& t, bool excludeAllTimers) {
    if (t.m_iSerial == shooter.m_iSerial || t.m_iHp <= 0) return false;
    if (std::fabs(t.m_vLastPosition.x) > HalfScreenWidth() + 70.0f) return false;
    const int role = t.m_Unit.m_iRole;
    if (role == ROLE_ONESHOT) return false;
    if (role == ROLE_PLATFORM && t.m_bPlatformOccupied) return false;
    if (role == ROLE_TIMER && (excludeAllTimers || t.Type() != MachineId::CapsuleCage)) return false;
    return true;
}

bool IsInFiringArc(const CCom_GameRobot& s, const CCom_GameRobot& t, VxVec3 p, float angle) {
    if (t.Type() == MachineId::CapsuleCage && t.m_vCell.x == s.m_vCell.x && t.m_vCell.y == s.m_vCell.y) return true;
    if (s.m_Unit.m_iRole == ROLE_ONESHOT) {
        p.x -= 42.75f;
        p.y -= 80.75f;
    }
    const float arc = float(s.m_Weapon.m_iArc);
    auto inside = [&](float dy) {
        const VxVec3 q{p.x, p.y + dy, p.z};
        return std::fabs(WrapAngleDifference(AngleBetweenPoints(q, t.m_vLastPosition), angle)) <= arc;
    };
    if (inside(0.0f)) return true;
    if (UnitHas(t.Type(), UNIT_TALL))
        return inside(-80.75f) || (t.m_Unit.m_iTerrain != TERRAIN_MARINE && inside(-161.5f));
    if (UnitHas(t.Type(), UNIT_BOSS)) return inside(-80.75f) || inside(80.75f);
    return false;
}

bool IsWithinRange(const CCom_GameRobot& s, const CCom_GameRobot& t, const VxVec3& p) {
    const float range = float(s.m_Weapon.m_iRange);
    const float dist =
        s.Type() == MachineId::Mole ? t.m_vLastPosition.x - s.m_vLastPosition.x : DistanceXY(p, t.m_vLastPosition);
    if (dist < range) return true;
    const VxVec3 ref = s.m_vLastPosition;
    auto from = [&](float dy) { return DistanceXY(VxVec3{ref.x, ref.y + dy, ref.z}, t.m_vLastPosition) < range; };
    if (UnitHas(t.Type(), UNIT_TALL)) return from(-80.75f) || (t.m_Unit.m_iTerrain != TERRAIN_MARINE && from(-161.5f));
    if (UnitHas(t.Type(), UNIT_BOSS)) return from(-80.75f) || from(80.75f);
    return false;
}

// What a scan for a target works with and finds.
struct AttackScan {
    VxVec3 ref{0.0f, 0.0f, 0.0f};  // where the unit is aimed from
    float angle = 0.0f;
    int interval = 0;
    bool atInterval = false;  // the scan may pick a target and attack
    bool found = false;
    int target = -1;
};

void CCom_GameRobot::UpdateAttack(CBattleModel& model) {
    if (m_iLifeFrames != -1 || m_iState == ROBOT_DYING) return;
    const int interval = m_Unit.m_iActionInterval;
    if (m_iActionTimer < interval) ++m_iActionTimer;
    const int stage = model.StageNumber();
    const int type = Type();
    const bool machine = IsMachine();
    AttackScan scan;
    scan.ref = m_vLastPosition;
    scan.angle = float(m_Weapon.m_iAngle);
    scan.interval = interval;

    if (WhaleHoldsFire(model)) return;
    if (MineGoesOffOnSpikes(model, scan)) return;

    if ((Frame(model) + m_iSerial) % 5 != 0 && !IsMiniGameStage(stage)) return;
    if (m_bHoldFire) return;
    if (CannonBotWaits(model, interval)) return;

    const bool edgeNarrow = m_Unit.m_iRole == ROLE_MOVING_ATTACK || type == MachineId::BlastTank;
    if (std::fabs(scan.ref.x) >= HalfScreenWidth() + (edgeNarrow ? 10.0f : 42.75f)) return;

    scan.atInterval = m_iActionTimer == interval;
    const BulletMotion motion = m_Weapon.m_iMotion;
    const WeaponId weapon = m_Unit.m_iWeapon;
    if (motion == MOTION_AT_RANGE) {
        ScanAlongRow(model, scan);
        FinishScan(model, scan);
    } else if (weapon == WeaponId::FixerBeam) {
        ScanWounded(model, scan);
        FinishScan(model, scan);
    } else if (weapon == WeaponId::Mortar) {
        ScanBehind(model, scan);
        FinishScan(model, scan);
    } else if (motion == MOTION_RAY) {
        ScanNearest(model, scan);
        FinishScan(model, scan);
    } else if (motion == MOTION_COLLECT) {
        ScanItems(model, scan);
    } else if (weapon == WeaponId::Snowball) {
        ScanDescentPath(model, scan);
    } else if ((!machine && (type == RobotId::HammerBot || type == RobotId::RecyclerBot ||
                             type == RobotId::MiniBomber || type == RobotId::StormBot || type == RobotId::AtomicBot)) ||
               type == MachineId::TimeBomb) {
        scan.found = true;
        if (scan.atInterval) BeginAttack(model, false);
    } else {
        ScanInReach(model, scan);
    }
    NextAfterScan(model, scan);
}

// The surfacing rule of the whales in their duels: answers that the unit
// does not attack this frame.
bool CCom_GameRobot::WhaleHoldsFire(CBattleModel& model) {
    const int stage = model.StageNumber();
    const int type = Type();
    if (IsWhaleDuelStage(stage) && (type == MachineId::KillerWhale || type == MachineId::FrostOrca)) {
        if (m_vPosition.x < -250.0f || m_iCarryTimer != 0) return true;
        if (m_iState == ROBOT_MOVE)
            for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
                if (!r.IsMachine() && r.m_iHp > 0 && r.m_vPosition.x < 200.0f &&
                    std::fabs(r.m_vPosition.y - m_vPosition.y) < 100.0f) {
                    m_iCarryTimer = 100;
                    return true;
                }
    }
    return false;
}

// A Mini-Mine on spikes clears its cell and goes off at once; elsewhere it
// waits in the scan for a Machine to come close.
bool CCom_GameRobot::MineGoesOffOnSpikes(CBattleModel& model, const AttackScan& scan) {
    const int type = Type();
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    FieldCell* spiked =
        !machine && type == RobotId::MiniMine ? CellAt(RuleState(model).m_aFieldCells, m_vCell) : nullptr;
    if (spiked && ClearSpikes(model, *spiked)) {
        RedrawGround(model);
        for (const CCom_GameRobot& c : RuleState(model).m_lstRobots) {
            if (c.IsMachine() == machine || !IsTargetable(*this, c, false) || c.m_Unit.m_iTerrain != TERRAIN_GROUND)
                continue;
            if (IsInFiringArc(*this, c, ref, angle) && IsWithinRange(*this, c, ref)) {
                m_iTargetSerial = c.m_iSerial;
                break;
            }
        }
        BeginAttack(model, false);
        model.FireBullet(m_Unit.m_iWeapon, m_iUnitSlot, m_vPosition.x, m_vPosition.y, m_vPosition.z, m_iTargetSerial,
                         m_iSerial);
        return true;
    }
    return false;
}

// Cannon Bots take turns with the shells already in the air.
bool CCom_GameRobot::CannonBotWaits(CBattleModel& model, int interval) {
    const int stage = model.StageNumber();
    const int type = Type();
    const bool machine = IsMachine();
    if (!(!IsMiniGameStage(stage) && !machine && type == RobotId::CannonBot && interval > 300 &&
          m_iActionTimer >= interval - 100))
        return false;
    bool wait = false;
    for (const CCom_GameBullet& b : RuleState(model).m_lstBullets)
        if ((b.m_Weapon.m_iId == WeaponId::Mortar || b.m_Weapon.m_iId == WeaponId::BomberBlast) && VxRand() % 3 != 0) {
            wait = true;
            break;
        }
    if (!wait)
        for (const CCom_GameRobot& r : RuleState(model).m_lstRobots)
            if (!r.IsMachine() && r.Type() == RobotId::CannonBot && r.m_Unit.m_iActionInterval > 300 &&
                r.m_iState == ROBOT_ATTACK && VxRand() % 3 != 0) {
                wait = true;
                break;
            }
    if (wait) {
        const int d = VxRand() % 50;
        m_iActionTimer = interval - d - 50;
        return true;
    }
    return false;
}

void CCom_GameRobot::FinishScan(CBattleModel& model, const AttackScan& scan) {
    if (scan.atInterval && scan.target != -1) {
        m_iTargetSerial = scan.target;
        BeginAttack(model, false);
    }
}

// Straight shots: the nearest visible enemy in the arc along the row.
void CCom_GameRobot::ScanAlongRow(CBattleModel& model, AttackScan& scan) {
    const int type = Type();
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    const WeaponId weapon = m_Unit.m_iWeapon;
    RobotList& robots = RuleState(model).m_lstRobots;
    float best = 10000.0f;
    for (CCom_GameRobot& c : robots) {
        if (!IsTargetable(*this, c, false)) continue;
        bool visible;
        if (!c.m_bConcealed) visible = !(type == RobotId::SonarBot && !machine && m_Unit.m_iUpgradeLevel == 0);
        else if (!machine && type == RobotId::DropperBot)
            visible = c.Type() == MachineId::Driller || c.Type() == MachineId::Mole;
        else visible = (!machine && type == RobotId::SonarBot) || m_bSeesConcealed;
        if (!visible || c.IsMachine() == machine) continue;
        bool arc = IsInFiringArc(*this, c, ref, angle);
        if (!arc && (weapon == WeaponId::GiantStomp || weapon == WeaponId::TitanCrush))
            arc = IsInFiringArc(*this, c, VxVec3{ref.x, ref.y + 80.75f, ref.z}, angle) ||
                  IsInFiringArc(*this, c, VxVec3{ref.x, ref.y + 161.5f, ref.z}, angle);
        if (!arc) continue;
        if (machine && m_Unit.m_iTerrain == TERRAIN_GROUND && weapon != WeaponId::RocketBlast) {
            const int col = std::min(int(m_vCell.x), FIELD_COLUMNS - 1);
            const int row = int(m_vCell.y);
            auto robotIn = [&](int cc) {
                for (const CCom_GameRobot& r : robots)
                    if (!r.IsMachine() && int(r.m_vCell.x) == cc && int(r.m_vCell.y) == row) return true;
                return false;
            };
            const FieldCell* own = CellAt(RuleState(model).m_aFieldCells, VxVec3{float(col), float(row), 0.0f});
            if (own && own->m_iKind != CELL_GROUND) {
                if (!robotIn(col)) continue;
            } else if (c.m_vCell.x != m_vCell.x || c.m_vCell.y != m_vCell.y || c.m_vCell.z != m_vCell.z) {
                const int next = std::min(col + 1, FIELD_COLUMNS - 1);
                const FieldCell* ahead = CellAt(RuleState(model).m_aFieldCells, VxVec3{float(next), float(row), 0.0f});
                // The cell ahead is judged by the ground the stage laid
                // there, not by what a platform made of it.
                if (ahead && ahead->m_iStageKind != CELL_GROUND && !robotIn(next)) continue;
            }
        }
        const float dx = std::fabs(ref.x - c.m_vLastPosition.x);
        if (dx < float(m_Weapon.m_iRange) && dx < best) {
            scan.found = true;
            if (scan.atInterval) {
                best = dx;
                scan.target = c.m_iSerial;
            }
        }
    }
}

// The repair beam: every wounded friend in reach is mended at once.
void CCom_GameRobot::ScanWounded(CBattleModel& model, AttackScan& scan) {
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    const WeaponId weapon = m_Unit.m_iWeapon;
    RobotList& robots = RuleState(model).m_lstRobots;
    for (CCom_GameRobot& c : robots) {
        if (&c == this || c.IsMachine() != machine || c.Type() == RobotId::BarrierBots) continue;
        if (c.m_iHp <= 0 || c.m_iHp >= c.m_Unit.m_iMaxHp || std::fabs(c.m_vLastPosition.x) > HalfScreenWidth() + 70.0f)
            continue;
        if (std::fabs(WrapAngleDifference(AngleBetweenPoints(ref, c.m_vLastPosition), angle)) > float(m_Weapon.m_iArc))
            continue;
        if (DistanceXY(ref, c.m_vLastPosition) >= float(m_Weapon.m_iRange)) continue;
        scan.found = true;
        if (scan.atInterval) {
            scan.target = c.m_iSerial;
            model.FireBullet(weapon, m_iUnitSlot, m_vPosition.x, m_vPosition.y, m_vPosition.z, c.m_iSerial, m_iSerial);
        }
    }
}

// The mortar: the enemy furthest ahead behind the unit.
void CCom_GameRobot::ScanBehind(CBattleModel& model, AttackScan& scan) {
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    RobotList& robots = RuleState(model).m_lstRobots;
    float bestX = -10000.0f;
    for (CCom_GameRobot& c : robots) {
        if (c.IsMachine() == machine || c.m_iHp <= 0) continue;
        if (std::fabs(c.m_vLastPosition.x) > HalfScreenWidth() + 70.0f) continue;
        if (!(c.m_vLastPosition.x < ref.x - 42.75f) || c.m_vPosition.y > float(g_iScreenHeight) * 0.5f) continue;
        if (c.m_Unit.m_fSpeed > 1.0f && c.m_iState == ROBOT_MOVE) continue;
        if (c.m_bConcealed && !m_bSeesConcealed) continue;
        if (std::fabs(WrapAngleDifference(AngleBetweenPoints(ref, c.m_vLastPosition), angle)) > float(m_Weapon.m_iArc))
            continue;
        if (DistanceXY(ref, c.m_vLastPosition) >= float(m_Weapon.m_iRange) || !(c.m_vPosition.x > bestX)) continue;
        scan.found = true;
        if (scan.atInterval) {
            bestX = c.m_vPosition.x;
            scan.target = c.m_iSerial;
        }
    }
}

// Homing shots: the nearest enemy, passed over by a coin toss.
void CCom_GameRobot::ScanNearest(CBattleModel& model, AttackScan& scan) {
    const int type = Type();
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    RobotList& robots = RuleState(model).m_lstRobots;
    float best = 10000.0f;
    for (CCom_GameRobot& c : robots) {
        if (!IsTargetable(*this, c, false)) continue;
        if (!machine && type == RobotId::SpiderBot &&
            (c.m_Unit.m_iTerrain == TERRAIN_GROUND || c.m_Unit.m_iTerrain == TERRAIN_MARINE || c.HasStatusEffect()))
            continue;
        if (c.Type() == MachineId::CapsuleCage && m_vHome.y < c.m_vPosition.y) continue;
        if (c.IsMachine() == machine || (c.m_bConcealed && !m_bSeesConcealed)) continue;
        const float d = DistanceXY(ref, c.m_vLastPosition);
        if (!machine && type == RobotId::SniperBot && !IsInFiringArc(*this, c, ref, angle)) continue;
        if (d < float(m_Weapon.m_iRange) && d < best) {
            if (VxRand() % 2 == 0) {
                if (scan.atInterval) m_iActionTimer = scan.interval - 15;
                continue;
            }
            scan.found = true;
            if (scan.atInterval) {
                best = d;
                scan.target = c.m_iSerial;
            }
        }
    }
}

// The collectors: an item close by.
void CCom_GameRobot::ScanItems(CBattleModel& model, AttackScan& scan) {
    const VxVec3 ref = scan.ref;
    const float range = float(m_Weapon.m_iRange);
    for (const CCom_GameItem& item : RuleState(model).m_lstItems) {
        if (item.m_iItemKind >= ITEM_CAPSULE) continue;
        if (!(std::fabs(ref.x - item.m_vPosition.x) < range * 85.5f &&
              std::fabs(ref.y - item.m_vPosition.y) < range * 80.75f))
            continue;
        if (VxRand() % 2 == 0) continue;
        scan.found = true;
        if (scan.atInterval) {
            m_iTargetSerial = item.m_iSerial;
            BeginAttack(model, false);
        }
        break;
    }
}

// The descending shot: an enemy on the cells it passes.
void CCom_GameRobot::ScanDescentPath(CBattleModel& model, AttackScan& scan) {
    const bool machine = IsMachine();
    RobotList& robots = RuleState(model).m_lstRobots;
    for (CCom_GameRobot& c : robots) {
        if (!IsTargetable(*this, c, false) || c.IsMachine() == machine) continue;
        if (c.m_bConcealed && !m_bSeesConcealed) continue;
        const int col = int(c.m_vCell.x), row = int(c.m_vCell.y);
        if (col < 0 || col >= FIELD_COLUMNS || row < 0 || row >= FIELD_ROWS || !m_abPathCells[col * FIELD_ROWS + row])
            continue;
        scan.found = true;
        if (scan.atInterval) BeginAttack(model, false);
        break;
    }
}

// Every other weapon: the first enemy in the arc and in reach.
void CCom_GameRobot::ScanInReach(CBattleModel& model, AttackScan& scan) {
    const int type = Type();
    const bool machine = IsMachine();
    const VxVec3 ref = scan.ref;
    const float angle = scan.angle;
    const WeaponId weapon = m_Unit.m_iWeapon;
    RobotList& robots = RuleState(model).m_lstRobots;
    for (CCom_GameRobot& c : robots) {
        if (!IsTargetable(*this, c, false)) continue;
        const int ct = c.Type();
        if (!machine && type == RobotId::MiniMine) {
            if (ct == MachineId::Rocket) continue;
            m_iTargetSerial = c.m_iSerial;
        }
        if (!machine && type == RobotId::SonarBot && std::fabs(c.m_vCell.y - m_vCell.y) > 2.0f) continue;
        if (c.m_bConcealed) {
            bool allowed = m_bSeesConcealed;
            if (!machine && (type == RobotId::MiniMine || type == RobotId::DropperBot) &&
                (ct == MachineId::Driller || ct == MachineId::Mole))
                allowed = true;
            if (!machine && type == RobotId::MiniMine && ct == MachineId::Ghost) allowed = true;
            if (!machine && type == RobotId::SonarBot) allowed = true;
            if (!allowed) continue;
        } else if (!machine && type == RobotId::SonarBot) {
            if (!(m_Unit.m_iUpgradeLevel > 0 && c.m_Unit.m_iTerrain == TERRAIN_AIR && c.CanUpgradeVariant(model)))
                continue;
            m_bAltShot = 1;
        }
        if (c.IsMachine() == machine) continue;
        if (machine && type == MachineId::Mole) {
            if (!(c.m_vLastPosition.x >= ref.x && c.m_vLastPosition.y >= ref.y - 10.0f)) continue;
        } else if (!machine && weapon == WeaponId::Boomerang) {
            int match = -1;
            for (int i = 0; i < 3; ++i) {
                if (!IsInFiringArc(*this, c, ref, angle - 35.0f + 35.0f * float(i))) continue;
                match = i;
                if (i == 1) break;
            }
            if (match < 0) continue;
            m_aiAux[0] = match;
        } else if (!IsInFiringArc(*this, c, ref, angle)) {
            continue;
        }
        bool bonus = false;
        if (!machine && type == RobotId::MiniMine) {
            const float d = DistanceXY(ref, c.m_vLastPosition);
            const float dy = std::fabs(ref.y - c.m_vLastPosition.y);
            const float range = float(m_Weapon.m_iRange);
            if (ct == MachineId::Jumper && c.m_Unit.m_iTerrain != TERRAIN_AIR && d < range * 1.25f) bonus = true;
            if (dy < 60.5625f) {
                if ((ct == MachineId::BlastTank || ct == MachineId::RocketWagon || ct == MachineId::Transporter) &&
                    d < range * 1.5f)
                    bonus = true;
                if ((ct == MachineId::KillerWhale || ct == MachineId::FrostOrca || ct == MachineId::MarineStriker) &&
                    d < range * 2.25f)
                    bonus = true;
            }
        }
        if (IsWithinRange(*this, c, ref) || bonus) {
            scan.found = true;
            if (scan.atInterval) {
                if (machine && type == MachineId::Mole) m_iTargetSerial = c.m_iSerial;
                BeginAttack(model, false);
                if (!machine && type == RobotId::MiniMine)
                    model.FireBullet(weapon, m_iUnitSlot, m_vPosition.x, m_vPosition.y, m_vPosition.z, m_iTargetSerial,
                                     m_iSerial);
            }
            break;
        }
    }
}

// What the unit does next.
void CCom_GameRobot::NextAfterScan(CBattleModel& model, const AttackScan& scan) {
    const bool machine = IsMachine();
    const bool found = scan.found;
    const int interval = scan.interval;
    // What the unit does next.
    switch (m_iState) {
    case ROBOT_ATTACK:
        if (!found && m_iActionTimer > 50 && m_Unit.m_iRole != ROLE_MOVING_ATTACK) EndAction(model);
        break;
    case ROBOT_IDLE:
        if (machine && !found && m_iActionTimer > 50) {
            if (RuleState(model).m_iBattleState >= BATTLE_LOADING) BeginMove();
            if (RuleState(model).m_iBattleState == BATTLE_PLAYING && m_Unit.m_iConcealment != 0 && !m_bVariant)
                m_bConcealed = 1;
        }
        break;
    case ROBOT_MOVE:
        if (machine && found && m_Unit.m_iRole != ROLE_MOVING_ATTACK && m_iActionTimer < interval) EndAction(model);
        break;
    default: break;
    }
}
