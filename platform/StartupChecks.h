#pragma once
// What must hold before the game may start: one running copy, the two files
// it cannot run without, and a video card that can show the game.
#include <cstdint>

// Cached memory figures; 0 means not asked yet.
extern uint32_t g_nVideoMemory;         // bytes
extern uint32_t g_nTotalVisibleMemory;  // kilobytes

// True when two or more processes named exactly "CSQ.exe" run (this one included).
bool IsAnotherInstanceRunning();
// Shows its own message and answers false when a check fails.
bool CheckSystemRequirements();
// Memory probes. A figure the system cannot tell is answered as the largest
// value, so that an unknown never reads as too little; it is not cached.
uint32_t QueryVideoMemory();
uint32_t QueryTotalVisibleMemory();
// Forgets the cached figures (tests).
void ResetMemoryProbes();
