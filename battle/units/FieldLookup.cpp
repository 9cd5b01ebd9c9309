#include "battle/units/FieldLookup.h"

#include <cmath>

VxVec3 FindNearestCell(const FieldCell* cells, float x, float y, float /*z*/) {
    if (std::isnan(x) || std::isnan(y)) return VxVec3{-1.0f, -1.0f, 0.0f};
    // Whole-pixel distances; the first cell always counts, so a point however
    // far away still lands on the nearest edge cell.
    double best = 0.0;
    int bestIndex = -1;
    for (int column = 0; column < FIELD_COLUMNS; ++column) {
        for (int row = 0; row < FIELD_ROWS; ++row) {
            const FieldCell& c = cells[column * FIELD_ROWS + row];
            const double d = std::trunc(std::fabs(double(c.m_fX) - double(x)) + std::fabs(double(c.m_fY) - double(y)));
            if (bestIndex < 0 || d < best) {
                best = d;
                bestIndex = column * FIELD_ROWS + row;
            }
        }
    }
    return VxVec3{float(bestIndex / FIELD_ROWS), float(bestIndex % FIELD_ROWS), 0.0f};
}

VxVec3 GetCellCentre(const FieldCell* cells, float x, float y, float z) {
    const FieldCell* c = CellAt(cells, FindNearestCell(cells, x, y, z));
    if (!c) return VxVec3{10000.0f, 10000.0f, 0.0f};
    return VxVec3{c->m_fX, c->m_fY, c->m_fZ};
}

const FieldCell* CellAt(const FieldCell* cells, const VxVec3& cell) {
    if (!(cell.x >= 0.0f && cell.x < float(FIELD_COLUMNS) && cell.y >= 0.0f && cell.y < float(FIELD_ROWS)))
        return nullptr;
    return &cells[int(cell.x) * FIELD_ROWS + int(cell.y)];
}

FieldCell* CellAt(FieldCell* cells, const VxVec3& cell) {
    return const_cast<FieldCell*>(CellAt(static_cast<const FieldCell*>(cells), cell));
}
