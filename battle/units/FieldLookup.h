#pragma once
// Ties any point to the battle field's 10 x 5 grid of cells.
#include "content/FieldGrid.h"
#include "engine/VxMatrix.h"

// (column, row, 0) of the cell nearest to the point by the sum of the x and y
// distances, truncated to whole pixels; ties keep the earlier cell in column
// order. A point with a coordinate that is not a number has no cell: the
// answer is (-1, -1, 0).
VxVec3 FindNearestCell(const FieldCell* cells, float x, float y, float z);
// The centre of that cell; a point with no cell gets (10000, 10000, 0), off
// the field.
VxVec3 GetCellCentre(const FieldCell* cells, float x, float y, float z);

// The cell at (column, row) of a lookup result, or null outside the grid.
const FieldCell* CellAt(const FieldCell* cells, const VxVec3& cell);
FieldCell* CellAt(FieldCell* cells, const VxVec3& cell);
