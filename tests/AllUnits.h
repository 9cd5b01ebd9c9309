#pragma once
// Every unit id the tables hold: the robots, then the Machines.
#include <vector>

#include "content/UnitDefinition.h"

inline std::vector<int> AllUnits() {
    std::vector<int> ids;
    for (int i = 0; i < ROBOT_TYPES; ++i) ids.push_back(i);
    for (int i = FIRST_MACHINE_TYPE; i <= LAST_MACHINE_TYPE; ++i) ids.push_back(i);
    return ids;
}
