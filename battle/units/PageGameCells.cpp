// The battle page's two grid lookups, over its own field.
#include "battle/page/PageGame.h"
#include "battle/units/FieldLookup.h"

VxVec3 CPageGame::FindNearestCell(float x, float y, float z) const { return ::FindNearestCell(m_aFieldCells, x, y, z); }

VxVec3 CPageGame::GetCellCentre(float x, float y, float z) const { return ::GetCellCentre(m_aFieldCells, x, y, z); }
