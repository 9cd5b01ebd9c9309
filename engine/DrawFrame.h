#pragma once
// The frame-skip test that every billboard draw asks, by the application's
// draw mode: 0 draws every frame, 1 every other frame, 2 only frames the gate
// let through or whose targets were drawn.

#include <cstdint>

// Frames the gate has let through and not yet consumed (mode 2).
extern uint32_t g_nFrameGateCount;  // the framework's frame gate keeps it
// Cleared when a render-to-texture pass ends (mode 2).
extern bool g_bTargetDrawn;

bool IsDrawFrame();
