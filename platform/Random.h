#pragma once
// The game's one random generator: state * 214013 + 2531011, result (state >> 16) & 0x7FFF.
// Seeded once at start-up from the clock; tests seed it themselves. The order of
// draws is behaviour, so callers that need two draws make the order explicit.
#include <cstdint>

constexpr int VX_RAND_MAX = 0x7FFF;

void VxSrand(uint32_t seed);
int VxRand();
uint32_t VxRandState();
