#pragma once
// A button drawn with a glow that grows and fades in a 41-frame cycle and
// swells while the cursor is over the button.
class CVxBillboard;
class CVxButton;

// growth: how much the glow grows over a cycle; hoverScale: its size while hovered.
void DrawPulsingButton(CVxBillboard* glow, CVxButton* button, float growth, float hoverScale);
