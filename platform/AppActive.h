#pragma once
// Whether the game's window is the active application (the last activation
// message); sounds started while inactive and paused are paused at once.
#include <atomic>

extern std::atomic<bool> g_bAppActive;
