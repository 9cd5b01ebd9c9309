#pragma once
// The battle field: 10 columns by 5 rows. Cell index = column * 5 + row, column 0
// at the left and row 0 at the top. The terrain tables list the same cells row
// by row (table index = row * 10 + column).
#include <cstdint>

constexpr int FIELD_COLUMNS = 10;
constexpr int FIELD_ROWS = 5;
constexpr int FIELD_CELLS = FIELD_COLUMNS * FIELD_ROWS;

enum CellKind {
    CELL_AIR = 1,
    CELL_GROUND = 2,
    CELL_WATER_SURFACE = 3,
    CELL_UNDERWATER = 4,
    // Only in the terrain tables: the grid keeps such a cell as ground with the
    // spike mark cleared.
    CELL_SPIKED = 5,
};

struct FieldCell {
    float m_fX;
    float m_fY;
    float m_fZ;
    int32_t m_iStageKind;  // the kind the stage gave the cell (1 to 4)
    int32_t m_iKind;       // the current kind; platforms change it during a battle
    int32_t m_iKindAbove;  // ground: topmost non-ground kind above it, else 2
    float m_fEdgeShape;    // ground-edge tile: 0 left end, 1 middle, 2 right end, 3 single, -1 none
    float m_fEdgeSet;      // 0 top, 1 underside, 2/3 the same under water in world 5, -1 none
    int32_t m_iSpikeFree;  // 0 on spiked ground until something clears it
};
static_assert(sizeof(FieldCell) == 36, "nine 32-bit words");

// Fills the 50 zero-filled cells of a stage (1 to 180). The ground row of the
// battle page's stage record decides whether the background's ground row is
// worked out here; it is handed to the battle page through the content link.
void BuildFieldGrid(int stage, FieldCell* cells);

// The same with the stage record's ground row given. When that is -1 the row of
// the background's ground line is worked out from the terrain and stored in
// *fieldGroundRow (the bottom row when the terrain gives none).
void BuildFieldGrid(int stage, FieldCell* cells, int definitionGroundRow, int* fieldGroundRow);

// Terrain tables, one per stage range; each writes the stage's 50 kinds in table
// order and writes nothing for a stage outside its range.
void GetFieldCellKinds1To50(int* kinds, int stage);
void GetFieldCellKinds51To100(int* kinds, int stage);
void GetFieldCellKinds101To150(int* kinds, int stage);
void GetFieldCellKinds151To180(int* kinds, int stage);
// The layout table that holds the stage, whichever it is.
void GetFieldCellKinds(int* kinds, int stage);
