#pragma once
// One number over the battle's state: its units, shots, items, field effects,
// counters, the stage's statistics and the random generator's state. Two runs that reach the same
// number played the same battle, whether a page drew it or not.
#include <cstdint>

class CBattleModel;

uint64_t BattleChecksum(const CBattleModel& model);
