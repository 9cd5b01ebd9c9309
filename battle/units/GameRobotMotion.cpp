// Damage, movement, spikes and the Machines' flying variant.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "content/StageRules.h"
#include "content/UnitIds.h"
#include "content/WeaponIds.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxMath.h"
#include "engine/VxSound.h"

using namespace units;

namespace {

constexpr float kTopRowY = 189.625f;  // fallbacks when the grid is empty
constexpr float kBottomRowY = -133.375f;

float TopY(const CBattleModel& model) { return RuleState(model).m_aFieldCells[0].m_fY; }
float BottomY(const CBattleModel& model) { return RuleState(model).m_aFieldCells[FIELD_ROWS - 1].m_fY; }

// y brought within the field's rows.
float ClampToRows(const CBattleModel& model, float y) {
    float top = TopY(model), bottom = BottomY(model);
    if (top == bottom) top = kTopRowY, bottom = kBottomRowY;
    return std::min(std::max(y, bottom), top);
}

// y moved toward target by step, snapping once within it.
float Approach(float y, float target, float step) {
    if (std::fabs(target - y) <= step) return target;
    return y < target ? y + step : y - step;
}

struct VariantStart {
    int type;
    int firstStage;
};
constexpr VariantStart kVariantStarts[] = {
    {MachineId::Smasher, 2},        {MachineId::HeavySmasher, 4}, {MachineId::Cycler, 6},
    {MachineId::Transporter, 8},    {MachineId::Driller, 11},     {MachineId::Jumper, 14},
    {MachineId::Knight, 16},        {MachineId::RocketWagon, 18}, {MachineId::Mole, 1000},
    {MachineId::MarineStriker, 35}, {MachineId::MegaSmasher, 41}, {MachineId::BlastTank, 43},
    {MachineId::UltraCycler, 46},
};

}  // namespace

void CCom_GameRobot::TakeDamage(CBattleModel& model, int amount) {
    if (RuleState(model).m_iBattleState != BATTLE_PLAYING) return;
    if (m_Unit.m_iRole == ROLE_PLATFORM && m_bPlatformOccupied) return;

    if (CCom_GameRobot* shield = Shield(model)) {
        shield->m_iHp -= amount;
        if (shield->m_iHp <= 0) {
            m_iHp += shield->m_iHp;
            m_iShieldSerial = NO_SERIAL;
        }
    } else {
        m_iShieldSerial = NO_SERIAL;  // a ward that has left the field guards nothing
        m_iHp -= amount;
    }
    if (m_iHitFlash == 0) m_iHitFlash = 30;
    if (m_Unit.m_iRole == ROLE_PLATFORM && m_iHp <= 0)
        if (FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell)) cell->m_iKind = cell->m_iStageKind;
    if (m_bVariant) {
        for (int row = std::max(0, int(m_vCell.y)); row < FIELD_ROWS; ++row) {
            if (RuleState(model).m_aFieldCells[row].m_iStageKind == CELL_GROUND) {
                RevertVariant(model);
                break;
            }
        }
    }
}

void CCom_GameRobot::MoveStep(CBattleModel& model) {
    if (RuleState(model).m_iBattleState < BATTLE_PLAYING) return;

    // 1. The entry sound once the unit comes into view.
    if (!m_bEdgeSoundPlayed && m_Unit.m_iMoveMode != MOVE_NONE && m_vPosition.x > -HalfScreenWidth() - 171.0f) {
        if (CVxSound* entry = UnitSound(model, 0)) {
            if (entry->IsPlaying()) {
                if (m_iSerial % 3 == 0) Restart(entry);
            } else {
                entry->Play();
            }
            m_bEdgeSoundPlayed = 1;
        }
    }

    // 2. Standing still for a while.
    if (m_iPauseFrames > 0) return;

    // 3. Held by a status effect: only falling and floating.
    if (HasStatusEffect()) {
        FallWhileHeld(model);
        return;
    }

    const float dx = RuleState(model).m_fGameSpeed * m_Unit.m_fSpeed;
    const int type = Type();
    if (m_bVariant) {
        // 4. A flying variant sails on.
        m_bConcealed = 0;
        m_vPosition.x += 2.0f;
    } else {
        // 5. By movement mode.
        const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
        switch (m_Unit.m_iMoveMode) {
        case MOVE_WALK: {
            if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
                const bool onGround = cell && cell->m_iStageKind == CELL_GROUND;
                if (onGround && !(type == MachineId::Mole && !m_bConcealed)) m_vPosition.x += dx;
            } else {
                const int stage = model.StageNumber();
                const bool waits = (type == MachineId::KillerWhale || type == MachineId::FrostOrca) &&
                                   IsWhaleDuelStage(stage) && m_vPosition.x >= -230.0f;
                if (!waits) m_vPosition.x += dx;
            }
            if (type == MachineId::Rocket) {
                m_vPosition.y = ClampToRows(model, m_vPosition.y);
                if (cell && m_vCell.x > 1.0f) m_vPosition.y = Approach(m_vPosition.y, cell->m_fY, 1.0f);
            }
            break;
        }
        case MOVE_BOB:
            m_vPosition.x += dx;
            m_vPosition.y += SinDeg(float(m_iAnimTick) * 10.0f) * 20.0f;
            if (m_vPosition.y < m_vHome.y) m_vPosition.y = m_vHome.y;
            if (m_iState != ROBOT_DYING && m_vPosition.y < -160.0f) m_vPosition.y = m_vHome.y;
            break;
        case MOVE_SEEK_LANE: SeekLane(model, dx, cell); break;
        default: break;
        }
    }

    // 6. The cell the unit now stands in.
    m_vCell = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
}

// Held by a status effect, a unit only falls or floats.
void CCom_GameRobot::FallWhileHeld(CBattleModel& model) {
    const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
    const int kind = cell ? cell->m_iStageKind : 0;
    if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
        if (!(m_Weapon.m_iMotion == MOTION_AT_RANGE && m_iState == ROBOT_ATTACK)) {
            if (kind == CELL_GROUND) m_vPosition.y = cell->m_fY;
            else m_vPosition.y -= 5.0f;
            if (m_Unit.m_iMoveMode == MOVE_BOB) {
                const int column = std::clamp(int(m_vCell.x), 0, FIELD_COLUMNS - 1);
                for (int row = 0; row < FIELD_ROWS; ++row) {
                    const FieldCell& c = RuleState(model).m_aFieldCells[column * FIELD_ROWS + row];
                    if ((c.m_iStageKind == CELL_GROUND || row == FIELD_ROWS - 1) && c.m_fY > m_vPosition.y) {
                        m_vHome.y = m_vPosition.y = c.m_fY;
                        break;
                    }
                }
            }
        }
    } else if (m_Unit.m_iTerrain == TERRAIN_MARINE) {
        if (kind == CELL_WATER_SURFACE) m_vPosition.y = cell->m_fY;
        else m_vPosition.y -= 5.0f;
        if (m_vPosition.y < BottomY(model)) m_vPosition.y = BottomY(model);
    }
}

// Swimmers keep to their lane and step aside from the shots coming at them.
void CCom_GameRobot::SeekLane(CBattleModel& model, float dx, const FieldCell* cell) {
    m_vPosition.x += dx;
    m_vPosition.y += float(m_iLaneStep);
    if (m_iLaneStep == 0) {
        m_vPosition.y = ClampToRows(model, m_vPosition.y);
        if (cell && m_vCell.x > 1.0f) m_vPosition.y = Approach(m_vPosition.y, cell->m_fY, 3.0f);
    }
    if (Frame(model) % 10 == 0) {
        const CCom_GameBullet* nearest = nullptr;
        float best = 600.0f;
        for (const CCom_GameBullet& b : RuleState(model).m_lstBullets) {
            const WeaponId weapon = b.m_Weapon.m_iId;
            if (b.m_iBulletKind > WeaponId::SmasherBlow || weapon == WeaponId::FixerBeam ||
                weapon == WeaponId::Magnet || weapon == WeaponId::SonarPulse || weapon == WeaponId::Hammer)
                continue;
            const float angle = AngleBetweenPoints(m_vPosition, b.m_vPosition);
            const bool inSector =
                m_Unit.m_fSpeed > 0.0f ? angle >= 250.0f && angle <= 290.0f : angle >= 70.0f && angle <= 110.0f;
            if (!inSector) continue;
            const float d = DistanceXY(m_vPosition, b.m_vPosition);
            if (d < best) {
                best = d;
                nearest = &b;
            }
        }
        if (!nearest) {
            m_iLaneStep = 0;
            m_vPosition.y = ClampToRows(model, m_vPosition.y);
            if (cell && m_vCell.x > 1.0f && std::fabs(cell->m_fY - m_vPosition.y) <= 10.0f) m_vPosition.y = cell->m_fY;
        } else {
            m_iLaneStep = m_vPosition.y <= nearest->m_vPosition.y ? -3 : 3;
            if (m_vPosition.y > 156.0f) m_iLaneStep = -5;
            else if (m_vPosition.y < -60.0f) m_iLaneStep = 5;
        }
    }
}

void CCom_GameRobot::UpdateSpikeDamage(CBattleModel& model) {
    FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, m_vCell);
    if (m_iPhase == 1) {
        if (cell && cell->m_iStageKind == CELL_GROUND && m_Unit.m_iTerrain != TERRAIN_SPECIAL &&
            m_Unit.m_iRole != ROLE_ONESHOT && cell->m_iSpikeFree == 0)
            m_bOnHazard = 1;
        else return;
    }
    if (m_bOnHazard) {
        if (m_iSpikeCheck < 1) {
            TakeDamage(model, m_iSpikeTimer == 0 ? 50 : 10);
            model.AddFieldEffect(m_iUnitSlot, FIELD_EFFECT_HIT, m_vLastPosition.x, m_vLastPosition.y,
                                 m_vLastPosition.z);
            Restart(model.Scene().m_pSfxSpike);
            ++m_iSpikeTimer;
            m_iSpikeCheck = 1200;
        } else {
            --m_iSpikeCheck;
            if (m_iSpikeCheck % 10 == 0) {
                m_bOnHazard = cell && cell->m_iSpikeFree == 0;
                ++m_iPhase;
                return;
            }
        }
    }
    ++m_iPhase;
}

bool CCom_GameRobot::CanUpgradeVariant(CBattleModel& model) {
    const StagePlace place = GetStagePlace(model.StageNumber());
    if (place.world == 3 || (place.episode != 2 && place.episode != 3)) return false;
    int firstStage = -1;
    for (const VariantStart& v : kVariantStarts)
        if (v.type == Type()) firstStage = v.firstStage;
    if (firstStage < 0) return false;

    bool groundAtEdge = false;
    for (int row = 0; row < FIELD_ROWS; ++row)
        groundAtEdge = groundAtEdge || RuleState(model).m_aFieldCells[row].m_iStageKind == CELL_GROUND;
    if (place.number >= firstStage && !groundAtEdge) {
        m_bForceVariant = 1;
        return true;
    }
    if (place.episode == 3) return true;
    if (place.number < firstStage) return false;
    if (place.number == firstStage) m_bForceVariant = 1;
    return true;
}

void CCom_GameRobot::ApplyVariant() {
    m_Unit.m_iTerrain = TERRAIN_AIR;
    const int type = Type();
    if (type == MachineId::Driller || type == MachineId::Jumper || type == MachineId::UltraCycler) m_bVariant = 1;
}

void CCom_GameRobot::RevertVariant(const CBattleModel& model) {
    const int type = Type();
    if (type == MachineId::Mole) return;
    UnitDefinition fresh{};
    GetUnitDefinition(fresh, type, model.Profile(), model.StageNumber());
    m_Unit.m_iTerrain = fresh.m_iTerrain;
    m_bVariant = 0;
    if (type == MachineId::Driller) m_iRevealFrames = m_Unit.m_iActionInterval;
    if (type == MachineId::Jumper) m_iAnimTick = 0;
}

void CCom_GameRobot::GetEffectAnchor(const CBattleModel& model, const VxVec3& point, float sx, float sy) {
    if (m_iHp <= 0) return;
    // The rotor stands on the top of the body in the act shown, where the
    // pack's table beside the pictures says; it goes with a mirrored picture.
    const RobotArt* art = Art(model);
    const int act = m_iShownAnim;
    const bool placed =
        art && art->m_Unit.m_iType == m_Unit.m_iType && act >= 0 && act < ROBOT_ACTS && art->m_abRotor[act];
    const float dx = placed ? art->m_afRotor[act][0] : 0.0f, dy = placed ? art->m_afRotor[act][1] : 0.0f;
    m_vEffectAnchor = VxVec3{point.x + dx * sx, point.y + dy * sy, 0.0f};
    if (!g_pGameAppInstance) return;
    CVxBillboard* rotor = g_pGameAppInstance->m_apMineCopter[(Frame(model) / 5 + m_iSerial * 10) % MINE_COPTER_FRAMES];
    if (!rotor) return;
    RobotDrawStep step;
    step.kind = RobotDrawStep::PLACED;
    step.billboard = rotor;
    step.at = m_vEffectAnchor;
    AddDrawStep(step);
}

void CCom_GameRobot::DrawDebugText() const {
    if (!g_pApp) return;
    const DebugShown& d = m_DebugShown;
    const int sx = int(d.x + 450.0f - 40.0f);
    const int sy = int(300.0f - d.y - 40.0f);
    char line[64];
    std::snprintf(line, sizeof line, "HP:%d/%d", d.hp, d.maxHp);
    g_pApp->DrawTextAt(line, sx, sy, 1.0f, 1.0f, 1.0f, 1.0f);
    std::snprintf(line, sizeof line, "ACT:%d", d.state);
    g_pApp->DrawTextAt(line, sx, sy + 10, 1.0f, 1.0f, 1.0f, 1.0f);
    std::snprintf(line, sizeof line, "AD:%d/%d", d.actionTimer, d.actionInterval);
    g_pApp->DrawTextAt(line, sx, sy + 20, 1.0f, 1.0f, 1.0f, 1.0f);
}

void CCom_GameRobot::UpdateGroundAndMarineMotion(CBattleModel& model) {
    const VxVec3 cellPos = model.FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    const FieldCell* cell = CellAt(RuleState(model).m_aFieldCells, cellPos);
    const int kind = cell ? cell->m_iStageKind : 0;
    const int mode = m_Unit.m_iMoveMode;
    if (mode == MOVE_BOB) {
        UpdateJumperMotion(model);
        return;
    }
    if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
        if (Type() == MachineId::UltraCycler) {
            UpdateCyclerJump(model);
            return;
        }
        if (kind == CELL_GROUND) {
            m_vPosition.y = cell->m_fY;
            const bool digging =
                (Type() == MachineId::Driller || Type() == MachineId::Mole) && m_bConcealed && m_iState == ROBOT_MOVE;
            if (digging && Frame(model) % 15 == 0)
                model.AddFieldEffect(m_iUnitSlot + 1000, FIELD_EFFECT_BURROW_DUST, m_vPosition.x - 30.0f,
                                     m_vPosition.y - 40.375f, 0.0f);
        } else {
            m_vPosition.y -= 5.0f;
        }
    } else if (m_Unit.m_iTerrain == TERRAIN_MARINE && m_iHp > 0) {
        if (kind == CELL_WATER_SURFACE) m_vPosition.y = cell->m_fY;
        else m_vPosition.y -= 5.0f;
    }
}
