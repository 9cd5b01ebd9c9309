#include "content/FieldGrid.h"

#include "content/GameLink.h"
#include "content/StageDefinition.h"

namespace {

struct Correction {
    int stage, column, row;
    float shape, set;
};

// Tiles the general rules get wrong on a few stages.
const Correction kCorrections[] = {
    {9, 7, 2, 2, 0},   {9, 8, 3, 1, 1},   {62, 6, 3, 2, 0},  {62, 8, 3, 0, 0},  {70, 1, 2, 2, 0},  {70, 8, 3, 0, 0},
    {77, 7, 2, 0, 1},  {77, 7, 3, 1, 1},  {78, 6, 4, 3, 1},  {78, 7, 3, 3, 1},  {78, 8, 2, 3, 1},  {80, 6, 4, 3, 1},
    {80, 8, 4, 3, 1},  {81, 6, 3, 3, 1},  {100, 8, 1, 3, 1}, {100, 8, 2, 3, 1}, {101, 6, 2, 0, 0}, {101, 7, 2, 2, 0},
    {101, 8, 3, 1, 1}, {103, 2, 3, 0, 0}, {107, 9, 2, 1, 1}, {107, 9, 3, 1, 1}, {109, 9, 3, 1, 1}, {129, 9, 3, 1, 1},
    {110, 8, 3, 2, 0}, {110, 9, 3, 1, 1}, {116, 8, 3, 2, 0}, {116, 9, 3, 1, 1}, {117, 8, 2, 2, 0}, {117, 9, 2, 1, 1},
    {117, 9, 3, 1, 1}, {121, 6, 4, 1, 1}, {128, 9, 2, 1, 1}, {130, 9, 2, 1, 1}, {130, 9, 4, 1, 1}, {131, 3, 3, 3, 1},
    {131, 6, 3, 3, 1}, {176, 4, 4, 3, 1}, {176, 5, 3, 3, 1}, {176, 5, 4, 3, 1}, {176, 6, 2, 3, 1}, {176, 6, 3, 3, 1},
    {176, 6, 4, 3, 1}, {178, 7, 3, 0, 0},
};

class Grid {
public:
    explicit Grid(FieldCell* cells) : m_cells(cells) {}
    FieldCell& At(int column, int row) { return m_cells[column * FIELD_ROWS + row]; }
    bool Ground(int column, int row) { return At(column, row).m_iStageKind == CELL_GROUND; }

    // Row of the nearest ground cell above `row` in a column, or -1.
    int Above(int column, int row) {
        for (int r = row - 1; r >= 0; --r)
            if (Ground(column, r)) return r;
        return -1;
    }

    // Shape of the ground cell above `row` in a column, from its own row's
    // neighbours; a column beyond the edge counts as the column itself.
    int AboveShape(int column, int row) {
        const int r = Above(column, row);
        const bool left = Ground(column == 0 ? column : column - 1, r);
        const bool right = Ground(column == FIELD_COLUMNS - 1 ? column : column + 1, r);
        if (left && right) return 1;
        if (left) return 2;
        if (right) return 0;
        return 3;
    }

    // The ground cell above exists and is not a middle piece.
    bool AboveIsEnd(int column, int row) { return Above(column, row) >= 0 && AboveShape(column, row) != 1; }

private:
    FieldCell* m_cells;
};

void StoreCentres(FieldCell* cells) {
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            FieldCell& cell = cells[c * FIELD_ROWS + r];
            cell.m_fX = float((c + 0.5) * 90.0 * 0.95 - 450.0 + 23.0);
            cell.m_fY = float(300.0 - (r + 0.5) * 85.0 * 0.95 - 70.0);
            cell.m_fZ = 0.0f;
        }
    }
}

void StoreKinds(int stage, FieldCell* cells, const int* kinds) {
    const int world = ((stage - 1) % 50) / 10 + 1;
    Grid grid(cells);
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            const int tableKind = kinds[r * FIELD_COLUMNS + c];
            const int kind = tableKind == CELL_SPIKED ? CELL_GROUND : tableKind;
            FieldCell& cell = grid.At(c, r);
            cell.m_iStageKind = kind;
            cell.m_iKind = kind;
            cell.m_iKindAbove = kind;
            cell.m_iSpikeFree = (stage <= 150 && world == 5 && tableKind == CELL_SPIKED) ? 0 : 1;
            cell.m_fEdgeShape = -1.0f;
            cell.m_fEdgeSet = -1.0f;
        }
    }
    // Ground cells remember the topmost non-ground kind above them.
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            FieldCell& cell = grid.At(c, r);
            if (cell.m_iStageKind != CELL_GROUND) continue;
            for (int up = r; up >= 0; --up) {
                const int kind = grid.At(c, up).m_iStageKind;
                if (kind != CELL_GROUND) cell.m_iKindAbove = kind;
            }
        }
    }
}

void StoreEdgeTiles(int stage, FieldCell* cells) {
    const int world = ((stage - 1) % 50) / 10 + 1;
    Grid grid(cells);
    for (int c = 0; c < FIELD_COLUMNS; ++c) {
        for (int r = 0; r < FIELD_ROWS; ++r) {
            bool water = false;
            if (world == 5) {
                for (int wr = 0; wr <= r && !water; ++wr)
                    for (int wc = 0; wc < FIELD_COLUMNS && !water; ++wc) {
                        const int kind = grid.At(wc, wr).m_iStageKind;
                        water = kind == CELL_WATER_SURFACE || kind == CELL_UNDERWATER;
                    }
            }
            FieldCell& cell = grid.At(c, r);
            const bool inner = c > 0 && c < FIELD_COLUMNS - 1;
            const bool left = inner && grid.Ground(c - 1, r);
            const bool right = inner && grid.Ground(c + 1, r);
            int shape;
            if (grid.Ground(c, r)) {
                if (c == 0) shape = grid.Ground(1, r) ? 1 : 2;
                else if (c == FIELD_COLUMNS - 1) shape = grid.Ground(FIELD_COLUMNS - 2, r) ? 1 : 0;
                else if (left && right) shape = 1;
                else if (!left && !right) shape = 3;
                else if (right) shape = (grid.AboveIsEnd(c - 1, r) && !grid.AboveIsEnd(c, r)) ? 1 : 0;
                else shape = (grid.AboveIsEnd(c + 1, r) && !grid.AboveIsEnd(c, r)) ? 1 : 2;
                cell.m_fEdgeShape = float(shape);
                cell.m_fEdgeSet = water ? 2.0f : 0.0f;
                continue;
            }
            // Underside tiles hang below ground higher up in the column.
            if (r == 0 || grid.Above(c, r) < 0) continue;
            if (!inner) {
                cell.m_fEdgeShape = grid.At(c, r - 1).m_fEdgeShape;
            } else {
                const bool aboveLeft = grid.Above(c - 1, r) >= 0;
                const bool aboveRight = grid.Above(c + 1, r) >= 0;
                if (left && right) shape = 1;
                else if (right) shape = aboveLeft ? 1 : 0;
                else if (left) shape = aboveRight ? 1 : 2;
                else if (grid.AboveShape(c, r) != 1) shape = grid.AboveShape(c, r);
                else if (aboveLeft) shape = aboveRight ? 1 : 2;
                else shape = aboveRight ? 0 : 3;
                cell.m_fEdgeShape = float(shape);
            }
            cell.m_fEdgeSet = water ? 3.0f : 1.0f;
        }
    }
}

// The row of the background's ground line, or -1 when the terrain gives none:
// the topmost row that is ground all the way across, else the row in which the
// last walk along the ground from column 0 reached the right edge.
int DeriveGroundRow(FieldCell* cells) {
    Grid grid(cells);
    int lastArrival = -1;
    int fullRow = -1;
    for (int s = FIELD_ROWS - 1; s >= 0; --s) {
        if (!grid.Ground(0, s)) continue;
        int r = s;
        int drops = 0;
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (!grid.Ground(c, r)) {
                ++r;
                ++drops;
            }
            if (r >= FIELD_ROWS) break;
            if (c == FIELD_COLUMNS - 1 && grid.Ground(c, r)) {
                lastArrival = r;
                if (drops == 0) fullRow = s;
            }
        }
    }
    return fullRow >= 0 ? fullRow : lastArrival;
}

}  // namespace

void BuildFieldGrid(int stage, FieldCell* cells, int definitionGroundRow, int* fieldGroundRow) {
    StoreCentres(cells);

    // An unknown stage leaves every cell air rather than reading garbage.
    int kinds[FIELD_CELLS];
    for (int& k : kinds) k = CELL_AIR;
    GetFieldCellKinds(kinds, stage);
    StoreKinds(stage, cells, kinds);
    StoreEdgeTiles(stage, cells);

    if (definitionGroundRow == -1 && fieldGroundRow) {
        // With no candidate the line stays on the bottom row, never on the row
        // an earlier battle left behind.
        const int row = DeriveGroundRow(cells);
        *fieldGroundRow = row >= 0 ? row : FIELD_ROWS - 1;
    }

    for (const Correction& fix : kCorrections) {
        if (fix.stage != stage) continue;
        FieldCell& cell = cells[fix.column * FIELD_ROWS + fix.row];
        cell.m_fEdgeShape = fix.shape;
        cell.m_fEdgeSet = fix.set;
    }
}

void BuildFieldGrid(int stage, FieldCell* cells) {
    CContentLink& link = GetContentLink();
    const StageDefinition* definition = link.BattleStageDefinition();
    const int definitionGroundRow = definition ? definition->m_iGroundRow : -1;
    int row = FIELD_ROWS - 1;
    BuildFieldGrid(stage, cells, definitionGroundRow, &row);
    if (definitionGroundRow == -1) link.SetFieldGroundRow(row);
}

void GetFieldCellKinds(int* kinds, int stage) {
    if (stage <= 50) GetFieldCellKinds1To50(kinds, stage);
    else if (stage <= 100) GetFieldCellKinds51To100(kinds, stage);
    else if (stage <= 150) GetFieldCellKinds101To150(kinds, stage);
    else GetFieldCellKinds151To180(kinds, stage);
}
