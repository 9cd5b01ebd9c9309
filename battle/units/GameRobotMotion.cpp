// Damage, movement, spikes and the Machines' flying variant.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "battle/units/UnitContext.h"
#include "engine/VxBillboard.h"
#include "engine/VxMath.h"
#include "engine/VxSound.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

using namespace units;

namespace {

constexpr float kTopRowY = 189.625f;  // fallbacks when the grid is empty
constexpr float kBottomRowY = -133.375f;

float TopY(const CPageGame& page) { return page.m_aFieldCells[0].m_fY; }
float BottomY(const CPageGame& page) { return page.m_aFieldCells[FIELD_ROWS - 1].m_fY; }

// y brought within the field's rows.
float ClampToRows(const CPageGame& page, float y) {
    float top = TopY(page), bottom = BottomY(page);
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

struct AnchorOffset {
    int type;
    float dx, dy;
};
constexpr AnchorOffset kAnchorOffsets[] = {
    {MachineId::Smasher, -70, 30},         {MachineId::HeavySmasher, -70, 40},  {MachineId::MegaSmasher, -70, 40},
    {MachineId::Cycler, -60, 30},          {MachineId::Transporter, -120, -35}, {MachineId::Driller, -80, 10},
    {MachineId::Jumper, -50, 50},          {MachineId::Knight, -80, 40},        {MachineId::RocketWagon, -40, 30},
    {MachineId::MarineStriker, -30, -105}, {MachineId::BlastTank, -20, 70},     {MachineId::UltraCycler, -80, 30},
};

}  // namespace

void CCom_GameRobot::TakeDamage(int amount) {
    CPageGame* page = Page();
    if (!page || page->m_iBattleState != BATTLE_PLAYING) return;
    if (m_Unit.m_iRole == ROLE_PLATFORM && m_bPlatformOccupied) return;

    if (CCom_GameRobot* shield = Shield()) {
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
        if (FieldCell* cell = CellAt(page->m_aFieldCells, m_vCell)) cell->m_iKind = cell->m_iStageKind;
    if (m_bVariant) {
        for (int row = std::max(0, int(m_vCell.y)); row < FIELD_ROWS; ++row) {
            if (page->m_aFieldCells[row].m_iStageKind == CELL_GROUND) {
                RevertVariant();
                break;
            }
        }
    }
}

void CCom_GameRobot::MoveStep() {
    CPageGame* page = Page();
    if (!page || page->m_iBattleState < BATTLE_PLAYING) return;

    // 1. The entry sound once the unit comes into view.
    if (!m_bEdgeSoundPlayed && m_Unit.m_iMoveMode != MOVE_NONE && m_vPosition.x > -HalfScreenWidth() - 171.0f) {
        if (CVxSound* entry = UnitSound(0)) {
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
        const FieldCell* cell = CellAt(page->m_aFieldCells, m_vCell);
        const int kind = cell ? cell->m_iStageKind : 0;
        if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
            if (!(m_Weapon.m_iMotion == 0 && m_iState == ROBOT_ATTACK)) {
                if (kind == CELL_GROUND) m_vPosition.y = cell->m_fY;
                else m_vPosition.y -= 5.0f;
                if (m_Unit.m_iMoveMode == MOVE_BOB) {
                    const int column = std::clamp(int(m_vCell.x), 0, FIELD_COLUMNS - 1);
                    for (int row = 0; row < FIELD_ROWS; ++row) {
                        const FieldCell& c = page->m_aFieldCells[column * FIELD_ROWS + row];
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
            if (m_vPosition.y < BottomY(*page)) m_vPosition.y = BottomY(*page);
        }
        return;
    }

    const float dx = page->m_fGameSpeed * m_Unit.m_fSpeed;
    const int type = Type();
    if (m_bVariant) {
        // 4. A flying variant sails on.
        m_bConcealed = 0;
        m_vPosition.x += 2.0f;
    } else {
        // 5. By movement mode.
        const FieldCell* cell = CellAt(page->m_aFieldCells, m_vCell);
        switch (m_Unit.m_iMoveMode) {
        case MOVE_WALK: {
            if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
                const bool onGround = cell && cell->m_iStageKind == CELL_GROUND;
                if (onGround && !(type == MachineId::Mole && !m_bConcealed)) m_vPosition.x += dx;
            } else {
                const int stage = Stage();
                const bool waits = (type == MachineId::KillerWhale || type == MachineId::FrostOrca) &&
                                   IsWhaleDuelStage(stage) && m_vPosition.x >= -230.0f;
                if (!waits) m_vPosition.x += dx;
            }
            if (type == MachineId::Rocket) {
                m_vPosition.y = ClampToRows(*page, m_vPosition.y);
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
        case MOVE_SEEK_LANE: {
            m_vPosition.x += dx;
            m_vPosition.y += float(m_iLaneStep);
            if (m_iLaneStep == 0) {
                m_vPosition.y = ClampToRows(*page, m_vPosition.y);
                if (cell && m_vCell.x > 1.0f) m_vPosition.y = Approach(m_vPosition.y, cell->m_fY, 3.0f);
            }
            if (Frame() % 10 == 0) {
                const CCom_GameBullet* nearest = nullptr;
                float best = 600.0f;
                for (const CCom_GameBullet& b : page->m_lstBullets) {
                    const int weapon = b.m_Weapon.m_iId;
                    if (b.m_iBulletKind > 1000 || weapon == 15 || weapon == 27 || weapon == 8 || weapon == 19) continue;
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
                    m_vPosition.y = ClampToRows(*page, m_vPosition.y);
                    if (cell && m_vCell.x > 1.0f && std::fabs(cell->m_fY - m_vPosition.y) <= 10.0f)
                        m_vPosition.y = cell->m_fY;
                } else {
                    m_iLaneStep = m_vPosition.y <= nearest->m_vPosition.y ? -3 : 3;
                    if (m_vPosition.y > 156.0f) m_iLaneStep = -5;
                    else if (m_vPosition.y < -60.0f) m_iLaneStep = 5;
                }
            }
            break;
        }
        default: break;
        }
    }

    // 6. The cell the unit now stands in.
    m_vCell = page->FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
}

void CCom_GameRobot::UpdateSpikeDamage() {
    CPageGame* page = Page();
    if (!page) return;
    FieldCell* cell = CellAt(page->m_aFieldCells, m_vCell);
    if (m_iPhase == 1) {
        if (cell && cell->m_iStageKind == CELL_GROUND && m_Unit.m_iTerrain != TERRAIN_SPECIAL &&
            m_Unit.m_iRole != ROLE_ONESHOT && cell->m_iSpikeFree == 0)
            m_bOnHazard = 1;
        else return;
    }
    if (m_bOnHazard) {
        if (m_iSpikeCheck < 1) {
            TakeDamage(m_iSpikeTimer == 0 ? 50 : 10);
            page->AddFieldEffect(m_iUnitSlot, 0, m_vLastPosition.x, m_vLastPosition.y, m_vLastPosition.z);
            Restart(page->m_pSfxSpike);
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

bool CCom_GameRobot::CanUpgradeVariant() {
    const StagePlace place = GetStagePlace(Stage());
    if (place.world == 3 || (place.episode != 2 && place.episode != 3)) return false;
    int firstStage = -1;
    for (const VariantStart& v : kVariantStarts)
        if (v.type == Type()) firstStage = v.firstStage;
    if (firstStage < 0) return false;

    bool groundAtEdge = false;
    if (const CPageGame* page = Page())
        for (int row = 0; row < FIELD_ROWS; ++row)
            groundAtEdge = groundAtEdge || page->m_aFieldCells[row].m_iStageKind == CELL_GROUND;
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

void CCom_GameRobot::RevertVariant() {
    const int type = Type();
    if (type == MachineId::Mole) return;
    UnitDefinition fresh{};
    GetUnitDefinition(fresh, type);
    m_Unit.m_iTerrain = fresh.m_iTerrain;
    m_bVariant = 0;
    if (type == MachineId::Driller) m_iRevealFrames = m_Unit.m_iActionInterval;
    if (type == MachineId::Jumper) m_iAnimTick = 0;
}

void CCom_GameRobot::GetEffectAnchor(const VxVec3& point) {
    if (m_iHp <= 0) return;
    float dx = -80.0f, dy = 0.0f;
    for (const AnchorOffset& o : kAnchorOffsets)
        if (o.type == Type()) dx = o.dx, dy = o.dy;
    m_vEffectAnchor = VxVec3{point.x + dx, point.y + dy, 0.0f};
    if (!g_pGameAppInstance) return;
    CVxBillboard* rotor = g_pGameAppInstance->m_apMineCopter[(Frame() / 5 + m_iSerial * 10) % MINE_COPTER_FRAMES];
    if (!rotor) return;
    rotor->SaveState();
    rotor->SetPosition(m_vEffectAnchor.x + 5.0f, m_vEffectAnchor.y - 40.0f, m_vEffectAnchor.z);
    rotor->RenderSRT();
    rotor->RestoreState();
}

void CCom_GameRobot::DrawDebugText() {
    if (!g_pApp) return;
    const int sx = int(m_vPosition.x + 450.0f - 40.0f);
    const int sy = int(300.0f - m_vPosition.y - 40.0f);
    char line[64];
    std::snprintf(line, sizeof line, "HP:%d/%d", m_iHp, m_Unit.m_iMaxHp);
    g_pApp->DrawTextAt(line, sx, sy, 1.0f, 1.0f, 1.0f, 1.0f);
    std::snprintf(line, sizeof line, "ACT:%d", m_iState);
    g_pApp->DrawTextAt(line, sx, sy + 10, 1.0f, 1.0f, 1.0f, 1.0f);
    std::snprintf(line, sizeof line, "AD:%d/%d", m_iActionTimer, m_Unit.m_iActionInterval);
    g_pApp->DrawTextAt(line, sx, sy + 20, 1.0f, 1.0f, 1.0f, 1.0f);
}

void CCom_GameRobot::UpdateGroundAndMarineMotion() {
    CPageGame* page = Page();
    if (!page) return;
    const VxVec3 cellPos = page->FindNearestCell(m_vPosition.x, m_vPosition.y, m_vPosition.z);
    const FieldCell* cell = CellAt(page->m_aFieldCells, cellPos);
    const int kind = cell ? cell->m_iStageKind : 0;
    const int mode = m_Unit.m_iMoveMode;
    if (mode == MOVE_BOB) {
        UpdateJumperMotion();
        return;
    }
    if (m_Unit.m_iTerrain == TERRAIN_GROUND) {
        if (Type() == MachineId::UltraCycler) {
            UpdateCyclerJump();
            return;
        }
        if (kind == CELL_GROUND) {
            m_vPosition.y = cell->m_fY;
            const bool digging = UnitHas(Type(), UNIT_BURROWS) && m_bConcealed && m_iState == ROBOT_MOVE;
            if (digging && Frame() % 15 == 0)
                page->AddFieldEffect(m_iUnitSlot + 1000, 15, m_vPosition.x - 30.0f, m_vPosition.y - 40.375f, 0.0f);
        } else {
            m_vPosition.y -= 5.0f;
        }
    } else if (m_Unit.m_iTerrain == TERRAIN_MARINE && m_iHp > 0) {
        if (kind == CELL_WATER_SURFACE) m_vPosition.y = cell->m_fY;
        else m_vPosition.y -= 5.0f;
    }
}
