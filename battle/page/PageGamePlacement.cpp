// The placement preview over the field and the rules that decide whether the
// carried card may be placed on the cell under the cursor.
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/effects/Effect_Tutorials.h"
#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

namespace {

bool InJetStreamArea(int stage) {
    const StagePlace place = GetStagePlace(stage);
    return place.episode == 3 && place.world == 4;
}

// Cards that land on top of whatever stands on the cell.
bool StacksFreely(int card) { return UnitHas(card, UNIT_STACKS_FREELY); }

}  // namespace

VxVec3 CPageGame::CursorPoint() const {
    if (!g_pApp) return VxVec3{};
    const InputRecord& in = g_pApp->m_aInput[0];
    return VxVec3{float(in.m_iCursorX) - float(g_iScreenWidth) * 0.5f,
                  float(g_iScreenHeight) * 0.5f - float(in.m_iCursorY), 0.0f};
}

CEffect_FontInstruction* CPageGame::FreshMessage() {
    if (m_pEffectFontInstruction) m_pEffectFontInstruction->Clear(0);
    return m_pEffectFontInstruction;
}

void CPageGame::DrawFieldCells(float phase) {
    CVxBillboard* mark = m_pPlaceMark;
    if (!mark) return;
    const int stage = CurrentStage();
    const bool jetArea = InJetStreamArea(stage);
    mark->SaveState();
    for (int i = 0; i < FIELD_CELLS; ++i) {
        const FieldCell& cell = m_aFieldCells[i];
        mark->SetPosition(cell.m_fX, cell.m_fY, 0.0f);
        mark->SetSize(80.5f, 75.75f, 1.0f);
        if (IsEpisodeFinalBossStage(stage)) mark->SetDiffuse(1.0f, 1.0f, 1.0f, phase * 0.25f);
        else mark->SetDiffuse(0.0f, 0.0f, 0.0f, phase * 0.35f);
        mark->RenderSRT();
        const int c = m_aiColumnHazard[i % FIELD_ROWS];
        if (jetArea && c > 0) {
            mark->SetDiffuse(1.0f, 0.0f, 0.0f, float(phase * 0.5 * std::sin(double(c) / 60.0 * M_PI)));
            mark->RenderSRT();
        }
    }
    mark->RestoreState();
}

void CPageGame::DrawFieldCellKinds() {
    CVxBillboard* mark = m_pPlaceMark;
    if (!mark) return;
    mark->SaveState();
    for (const FieldCell& cell : m_aFieldCells) {
        mark->SetPosition(cell.m_fX, cell.m_fY, 0.0f);
        mark->SetSize(80.5f, 75.75f, 1.0f);
        switch (cell.m_iKind) {
        case CELL_AIR: mark->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f); break;
        case CELL_GROUND: mark->SetDiffuse(0.0f, 1.0f, 0.0f, 1.0f); break;
        case CELL_WATER_SURFACE: mark->SetDiffuse(0.5f, 0.5f, 1.0f, 1.0f); break;
        case CELL_UNDERWATER: mark->SetDiffuse(0.0f, 0.0f, 1.0f, 1.0f); break;
        default: mark->SetDiffuse(0.0f, 0.0f, 0.0f, 1.0f); break;
        }
        mark->RenderSRT();
    }
    mark->RestoreState();
}

void CPageGame::DrawReachPreview() {
    CVxBillboard* mark = m_pPlaceMark;
    if (!mark || m_iCarriedCard < 0 || m_iCarriedCard >= HAND_SLOTS) return;
    const VxVec3 at = CursorPoint();
    const VxVec3 origin = FindNearestCell(at.x, at.y, at.z);
    if (origin.x < 0.0f) return;
    // Lighter marks in the brighter worlds.
    static const float kStrength[] = {0.9f, 0.8f, 0.75f, 0.9f, 0.5f};
    const int world = GetStagePlace(CurrentStage()).world;
    const float s = kStrength[std::clamp(world, 1, 5) - 1];
    auto markCell = [&](const FieldCell& cell, float green) {
        mark->SetPosition(cell.m_fX, cell.m_fY, 0.0f);
        mark->SetSize(80.5f, 75.75f, 1.0f);
        mark->SetDiffuse(0.0f, green, 0.0f, 0.75f * s);
        mark->RenderSRT();
    };
    mark->SaveState();
    if (m_aHandDefs[m_iCarriedCard].m_iType == RobotId::SnowBaller) {
        // The Snow Baller's ball rolls down and along the ground: show that path.
        uint8_t path[FIELD_CELLS] = {};
        MarkDescentPath(m_aFieldCells, origin.x, origin.y, path, true);
        for (int i = 0; i < FIELD_CELLS; ++i)
            if (path[i]) markCell(m_aFieldCells[i], 1.0f);
    } else {
        const WeaponReachMask& reach = m_aHandArt[m_iCarriedCard].m_aiReach;
        const int c0 = int(origin.x), r0 = int(origin.y);
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const int v = reach[c - c0 + 9][r - r0 + 4];
                if (v > 0) markCell(m_aFieldCells[c * FIELD_ROWS + r], 0.5f * float(v));
            }
    }
    mark->RestoreState();
}

bool CPageGame::CanPlaceCard(int commit) {
    const VxVec3 at = CursorPoint();
    if (at.y > 256.0f || at.y < -160.0f) return false;
    if (m_iCarriedCard < 0 || m_iCarriedCard >= HAND_SLOTS) return false;
    const int stage = CurrentStage();
    // Nothing is placed while the field scrolls on to the next round.
    if (stage == 151 && m_iRoundPhase != 0) return false;

    // The test robot takes a serial like any other, so every call counts.
    CCom_GameRobot temp;
    temp.m_Unit = m_aHandDefs[m_iCarriedCard];
    int card = m_aHand[m_iCarriedCard].m_iCard;
    if (m_iRelocatingRobot != -1 && (card == RobotId::MachineGunner || card == RobotId::MortarBot)) {
        const int slot = FindHandCard(card == RobotId::MachineGunner ? RobotId::GunnerBot : RobotId::CannonBot);
        if (slot >= 0) temp.m_Unit = m_aHandDefs[slot];
    }
    const UnitDefinition& unit = temp.m_Unit;
    card = unit.m_iType;

    const VxVec3 cellIndex = FindNearestCell(at.x, at.y, 0.0f);
    const FieldCell* cell = CellAt(m_aFieldCells, cellIndex);
    if (!cell) return false;
    const int row = int(cellIndex.y), column = int(cellIndex.x);
    const bool platformed = cell->m_iKind != cell->m_iStageKind;
    auto refuse = [&](auto show) {
        if (commit)
            if (CEffect_FontInstruction* fi = FreshMessage()) show(*fi);
        return false;
    };

    if (InJetStreamArea(stage) && m_aiColumnHazard[row] > 0)
        return refuse([](CEffect_FontInstruction& fi) { fi.ShowJetStreamError(); });
    bool skipTerrain = false;
    if (card == RobotId::StormBot) {
        if (cell->m_iKind == TERRAIN_AIR || cell->m_iKind == TERRAIN_UNDERWATER)
            return refuse([](CEffect_FontInstruction& fi) { fi.ShowStormBotRule(); });
        skipTerrain = true;
    }
    if (!skipTerrain && !IsEpisodeFinalBossStage(stage) && cell->m_iKind != unit.m_iTerrain &&
        unit.m_iTerrain != TERRAIN_SPECIAL) {
        if (!platformed) {
            const int kind = cell->m_iKind;
            return refuse([&](CEffect_FontInstruction& fi) { fi.ShowTerrainError(unit.m_iTerrain, kind); });
        }
        return refuse([](CEffect_FontInstruction& fi) { fi.ShowPlatformError(); });
    }
    if (unit.m_iRole == ROLE_ONESHOT && !StacksFreely(card) && platformed)
        return refuse([](CEffect_FontInstruction& fi) { fi.ShowPlatformError(); });
    if (card == RobotId::SurveyorBot && cell->m_iKind == TERRAIN_GROUND) {
        if (cell->m_iStageKind != TERRAIN_GROUND)
            return refuse([](CEffect_FontInstruction& fi) { fi.ShowPlatformError(); });
        return refuse([](CEffect_FontInstruction& fi) { fi.ShowSurveyorBotRule(); });
    }
    if (IsFirstTutorialActive() && m_pEffectTutorials && m_pEffectTutorials->m_iStep < 8) {
        const int n = int(m_lstRobots.size());
        if (row != 4 || column < 9 - n) return false;
    }
    auto sameCell = [&](const CCom_GameRobot& r) { return int(r.m_vCell.x) == column && int(r.m_vCell.y) == row; };

    if (unit.m_iRole != ROLE_TIMER) {
        if (StacksFreely(card)) return true;
        for (const CCom_GameRobot& r : m_lstRobots)
            if (!r.IsMachine() && r.m_Unit.m_iRole != ROLE_PLATFORM && r.m_iHp > 0 && sameCell(r)) return false;
        return true;
    }

    // Mounts: Barrier Bots, the two weapons and the Remover Bot.
    if (card == RobotId::RemoverBot)
        for (const CCom_GameRobot& r : m_lstRobots)
            if (r.Type() == RobotId::RemoverBot && sameCell(r)) return false;
    int note = 0;
    const CCom_GameRobot* target = nullptr;
    for (const CCom_GameRobot& r : m_lstRobots) {
        if (r.m_iHp <= 0 || !sameCell(r)) continue;
        if (card == RobotId::MachineGunner) {
            if (r.Type() != RobotId::GunnerBot) continue;
            if (r.m_Unit.m_iActionInterval < 100) {
                note = 1;
                continue;
            }
        } else if (card == RobotId::MortarBot) {
            if (r.Type() != RobotId::CannonBot) continue;
            if (r.m_Unit.m_iActionInterval > 300) {
                note = 1;
                continue;
            }
        } else if (card == RobotId::BarrierBots) {
            if (r.m_iShieldSerial != NO_SERIAL) {
                note = 1;
                continue;
            }
            if (r.m_Unit.m_iRole == ROLE_ONESHOT) {
                if (commit) note = 2;
                continue;
            }
        }
        if (!r.IsMachine() && r.m_Unit.m_iRole == ROLE_ONESHOT && r.Type() != RobotId::MiniMine) {
            if (card == RobotId::BarrierBots && commit) note = 2;
            continue;
        }
        if (card == RobotId::RemoverBot) {
            if (r.IsMachine() && !(r.Type() == MachineId::TimeBomb && unit.m_iUpgradeLevel != 0)) continue;
        } else {
            if (r.IsMachine()) continue;
            if (r.m_Unit.m_iRole == ROLE_PLATFORM) {
                if (card == RobotId::BarrierBots && commit) note = 2;
                continue;
            }
        }
        target = &r;
        break;
    }
    if (target) return !target->m_bConsumed;
    if (commit && (card == RobotId::MachineGunner || card == RobotId::MortarBot || card == RobotId::BarrierBots))
        if (CEffect_FontInstruction* fi = FreshMessage()) fi->ShowWeaponMountError(card, note);
    return false;
}
