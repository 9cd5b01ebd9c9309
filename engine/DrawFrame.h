#pragma once
// The frame-skip test that every billboard draw asks, by the application's
// draw mode: 0 draws every frame, 1 every other frame, 2 only frames the gate
// let through or whose targets were drawn.

// Cleared when a render-to-texture pass ends (mode 2).
extern bool g_bTargetDrawn;

bool IsDrawFrame();
