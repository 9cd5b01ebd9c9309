#pragma once
// Where a robot's card picture stands relative to a base point, so that the
// marks drawn around it (star circles, the prize) meet the robot's body.
#include "engine/VxMatrix.h"

struct UnitDefinition;

VxVec3 GetRobotIconOffset(const UnitDefinition& d, const VxVec3& base);
