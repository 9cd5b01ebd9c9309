// The preview robots before a battle: where each stands, and their frame.
#include "battle/model/RobotArray.h"

#include <algorithm>

#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleRules.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"

namespace {

bool CompareRobotDrawOrder(const CCom_GameRobot& a, const CCom_GameRobot& b) {
    if (a.m_iRow != b.m_iRow) return a.m_iRow < b.m_iRow;
    if (a.m_Unit.m_iRole == ROLE_TIMER) return false;
    if (b.m_Unit.m_iRole == ROLE_TIMER) return true;
    return a.m_vPosition.x > b.m_vPosition.x;
}

}  // namespace

std::vector<CCom_GameRobot> MakeShownRobots() {
    std::vector<CCom_GameRobot> robots;
    for (int i = 0; i < DISPLAY_ROBOTS; ++i) robots.push_back(CCom_GameRobot::Numbered(i));
    return robots;
}

void SetUpRobotArray(CBattleModel& model, std::vector<CCom_GameRobot>& robots, int& count) {
    if (count != 0) return;
    const int stage = model.StageNumber();
    // Without a Machine type to show (every slot empty or a Rocket) the
    // preview stays empty.
    std::vector<int> slots;
    for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k)
        if (RuleState(model).m_aEnemyDefs[k].m_iType >= FIRST_MACHINE_TYPE &&
            RuleState(model).m_aEnemyDefs[k].m_iType != MachineId::Rocket)
            slots.push_back(k);
    RuleState(model).m_iStreamCursor = RuleState(model).m_iBatchCursor = 0;
    if (slots.empty() || IsMiniGameStage(stage)) return;

    int groundRows = 0;
    for (int r = 0; r < FIELD_ROWS; ++r)
        if (RuleState(model).m_aFieldCells[r].m_iStageKind == CELL_GROUND) ++groundRows;

    count = 3 + std::min(stage / 3, 5);
    int marine = 0, ground = 0;
    for (int i = 0; i < count; ++i) {
        const int k = slots[size_t(i) % slots.size()];
        CCom_GameRobot& r = robots[size_t(i)];
        r.Reset();
        // The last record of the same type supplies the art.
        int slot = k;
        for (int j = 0; j < STAGE_ENEMY_RECORDS; ++j)
            if (RuleState(model).m_aEnemyDefs[j].m_iType == RuleState(model).m_aEnemyDefs[k].m_iType) slot = j;
        r.m_iUnitSlot = slot;
        r.m_Unit = RuleState(model).m_aEnemyDefs[slot];
        r.Place(model, 0.0f, 0.0f, 0.0f);
        r.m_iState = ROBOT_IDLE;
        if (r.m_Unit.m_iTerrain == TERRAIN_MARINE) ++marine;
        if (r.m_Unit.m_iTerrain == TERRAIN_GROUND) ++ground;
    }

    // Only the stage kind widens: the preview stands on it, and the battle's
    // start copies the untouched current kinds back, so the lanes stay as built.
    auto setGround = [&model](int row) { RuleState(model).m_aFieldCells[row].m_iStageKind = CELL_GROUND; };
    const bool waterRow4 = RuleState(model).m_aFieldCells[4].m_iStageKind == CELL_WATER_SURFACE;
    if (groundRows > 0 && groundRows < 3 && ground > 4) {
        const int first = waterRow4 ? 1 : 2;
        for (int row = first; row < first + 3; ++row) setGround(row);
    } else if (groundRows == 1 && ground > 2) {
        const int first = waterRow4 ? 2 : 3;
        for (int row = first; row < first + 2; ++row) setGround(row);
    }

    bool taken[FIELD_COLUMNS][FIELD_ROWS] = {};
    int rowCount[FIELD_ROWS] = {};
    int column[DISPLAY_ROBOTS] = {};
    for (int i = count - 1; i >= 0; --i) {
        CCom_GameRobot& r = robots[size_t(i)];
        const int terrain = r.m_Unit.m_iTerrain;
        int chosenRow = -1, chosenCol = 0;
        for (int c = 0; c < FIELD_COLUMNS && chosenRow < 0; ++c) {
            if (terrain == TERRAIN_GROUND) {
                for (int row = FIELD_ROWS - 1; row >= 0; --row)
                    if (!taken[c][row] && RuleState(model).m_aFieldCells[row].m_iStageKind == CELL_GROUND) {
                        chosenRow = row;
                        break;
                    }
            } else {
                for (int row = 0; row < FIELD_ROWS; ++row) {
                    const int kind = RuleState(model).m_aFieldCells[row].m_iStageKind;
                    const bool fits = terrain == TERRAIN_SPECIAL ? kind != CELL_WATER_SURFACE : kind == terrain;
                    if (!taken[c][row] && fits) {
                        chosenRow = row;
                        break;
                    }
                }
            }
            if (chosenRow >= 0) chosenCol = c;
        }
        if (chosenRow < 0) chosenRow = 0;
        taken[chosenCol][chosenRow] = true;
        column[i] = chosenCol;
        const FieldCell& cell = RuleState(model).m_aFieldCells[chosenRow];
        r.m_vPosition = {cell.m_fX, cell.m_fY, cell.m_fZ};
        r.m_iRow = chosenRow;
        ++rowCount[chosenRow];
    }

    for (int i = 0; i < count; ++i) {
        CCom_GameRobot& r = robots[size_t(i)];
        const int n = std::max(1, rowCount[r.m_iRow]);
        float a = float(n - 1) * 70.0f, f = 2.6f / float(n);
        if (n == 3) {
            a = 110.0f;
            f = 0.85f;
        }
        r.m_vPosition.x = float(column[i]) * 85.5f * f - (a + 780.0f) + 10.0f * float(r.m_iRow % 2);
        const int terrain = r.m_Unit.m_iTerrain;
        if (terrain == TERRAIN_MARINE) r.m_vPosition.y -= 5.0f;
        else if (terrain == TERRAIN_GROUND || terrain == TERRAIN_SPECIAL)
            r.m_vPosition.y -= float(column[i] % 3) * 2.0f;
        else r.m_vPosition.y += float(column[i] % 2) * 15.0f + 10.0f;
    }

    auto width = [&model](const CCom_GameRobot& r) {
        const RobotArt& art = model.Scene().m_aEnemyArt[std::clamp(r.m_iUnitSlot, 0, STAGE_ENEMY_RECORDS - 1)];
        return art.m_apAct[0][0] ? art.m_apAct[0][0]->m_vSize.x : 0.0f;
    };
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j) {
            CCom_GameRobot& ri = robots[size_t(i)];
            CCom_GameRobot& rj = robots[size_t(j)];
            if (ri.m_iRow != rj.m_iRow) continue;
            const float wi = width(ri), wj = width(rj);
            if ((wi <= wj && ri.m_vPosition.x < rj.m_vPosition.x) || (wi > wj && rj.m_vPosition.x < ri.m_vPosition.x))
                std::swap(ri, rj);
        }

    for (int i = 0; i < count; ++i) {
        CCom_GameRobot& r = robots[size_t(i)];
        const bool water = r.m_Unit.m_iTerrain == TERRAIN_MARINE;
        switch (r.Type()) {
        case MachineId::Transporter: r.m_vPosition.x -= 90.0f; break;
        case MachineId::Mole:
            if (water) r.m_vPosition.x += 35.0f;
            break;
        case MachineId::MarineStriker: r.m_vPosition.x -= 100.0f; break;
        case MachineId::BlastTank: r.m_vPosition.x -= 35.0f; break;
        case MachineId::Giant:
        case MachineId::Titan: r.m_vPosition.x += water ? 15.0f : -15.0f; break;
        case MachineId::FrostOrca: r.m_vPosition.x -= 50.0f; break;
        default: break;
        }
        if (marine > 2 && water) r.m_vPosition.x += float(marine - 2) * 50.0f;
    }
    RuleState(model).m_iStreamCursor = RuleState(model).m_iBatchCursor = 0;
}

void RunRobotArray(CBattleModel& model, std::vector<CCom_GameRobot>& robots, int count, BattleDrawer& drawer) {
    if (model.AppFrame() < 1 || count <= 0) return;
    const float shift = RuleState(model).m_pStage ? RuleState(model).m_pStage->m_fScrollX : 0.0f;
    for (int i = 0; i < count; ++i) robots[size_t(i)].m_vPosition.x += shift;
    std::stable_sort(robots.begin(), robots.begin() + count, CompareRobotDrawOrder);
    if (RuleState(model).m_iBattleState < BATTLE_BEGIN)
        for (int i = 0; i < count; ++i) {
            robots[size_t(i)].Update(model);
            drawer.AfterShownRobot(robots[size_t(i)]);
        }
    for (int i = 0; i < count; ++i) robots[size_t(i)].m_vPosition.x -= shift;
    drawer.WaterStrip();
}
