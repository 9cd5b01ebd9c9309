#pragma once
#include <cstdint>
// The frame-skip test that every billboard draw asks, by the application's
// draw mode: 0 draws every frame, 1 every other frame, 2 only frames the gate
// let through or whose targets were drawn.

// Frames the gate has let through and not yet consumed (mode 2); the
// framework's frame gate keeps it.
extern uint32_t g_nFrameGateCount;
// Cleared when a render-to-texture pass ends (mode 2).
extern bool g_bTargetDrawn;

bool IsDrawFrame();
