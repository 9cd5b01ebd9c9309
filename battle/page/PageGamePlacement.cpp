// The placement preview over the field, and the cell under the cursor the
// carried card may go on (the rules are the model's: BattleCommands.cpp).
#include <algorithm>
#include <cmath>

#include "battle/effects/Effect_FontInstruction.h"
#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameRobot.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"
#include "content/UnitIds.h"
#include "content/UnitDefinition.h"
#include "content/StageRules.h"

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
    const bool jetArea = WeatherOf(stage) == StageWeather::JetStreams;
    mark->SaveState();
    for (int i = 0; i < FIELD_CELLS; ++i) {
        const FieldCell& cell = m_Battle.State().m_aFieldCells[i];
        mark->SetPosition(cell.m_fX, cell.m_fY, 0.0f);
        mark->SetSize(80.5f, 75.75f, 1.0f);
        if (IsEpisodeFinalBossStage(stage)) mark->SetDiffuse(1.0f, 1.0f, 1.0f, phase * 0.25f);
        else mark->SetDiffuse(0.0f, 0.0f, 0.0f, phase * 0.35f);
        mark->RenderSRT();
        const int c = m_Battle.State().m_aiColumnHazard[i % FIELD_ROWS];
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
    for (const FieldCell& cell : m_Battle.State().m_aFieldCells) {
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
    if (!mark || m_Battle.State().m_iCarriedCard < 0 || m_Battle.State().m_iCarriedCard >= HAND_SLOTS) return;
    const VxVec3 origin = m_Battle.FindNearestCell(m_Battle.State().m_vHeldAt.x, m_Battle.State().m_vHeldAt.y, 0.0f);
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
    if (m_Battle.State().m_aHandDefs[m_Battle.State().m_iCarriedCard].m_iType == RobotId::SnowBaller) {
        // The Snow Baller's ball rolls down and along the ground: show that path.
        uint8_t path[FIELD_CELLS] = {};
        MarkDescentPath(m_Battle.State().m_aFieldCells, origin.x, origin.y, path, true);
        for (int i = 0; i < FIELD_CELLS; ++i)
            if (path[i]) markCell(m_Battle.State().m_aFieldCells[i], 1.0f);
    } else {
        const WeaponReachMask& reach = m_aHandArt[m_Battle.State().m_iCarriedCard].m_aiReach;
        const int c0 = int(origin.x), r0 = int(origin.y);
        for (int c = 0; c < FIELD_COLUMNS; ++c)
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const int v = reach[c - c0 + 9][r - r0 + 4];
                if (v > 0) markCell(m_Battle.State().m_aFieldCells[c * FIELD_ROWS + r], 0.5f * float(v));
            }
    }
    mark->RestoreState();
}

void CPageGame::HoldCarriedCardAt(const VxVec3& at) {
    // A replay holds the card where its log says, at the frame it says.
    if (m_pCommandSource) {
        ApplySourceCommands();
        return;
    }
    if (m_Battle.State().m_iCarriedCard >= 0 &&
        (at.x != m_Battle.State().m_vHeldAt.x || at.y != m_Battle.State().m_vHeldAt.y))
        ApplyCommand(HoldCard{at.x, at.y});
}

void CPageGame::ShowPlacementRefusal(const PlacementVerdict& v) {
    if (v.refusal == PlacementRefusal::None || v.refusal == PlacementRefusal::Silent) return;
    CEffect_FontInstruction* fi = FreshMessage();
    if (!fi) return;
    switch (v.refusal) {
    case PlacementRefusal::JetStream: fi->ShowJetStreamError(); break;
    case PlacementRefusal::StormBot: fi->ShowStormBotRule(); break;
    case PlacementRefusal::Terrain: fi->ShowTerrainError(v.unitTerrain, v.cellKind); break;
    case PlacementRefusal::Platform: fi->ShowPlatformError(); break;
    case PlacementRefusal::SurveyorBot: fi->ShowSurveyorBotRule(); break;
    case PlacementRefusal::WeaponMount: fi->ShowWeaponMountError(v.card, v.note); break;
    default: break;
    }
}
