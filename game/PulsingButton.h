#pragma once
// A button drawn with a glow that grows and fades in a 41-frame cycle and
// swells while the cursor is over the button. Either way the button counts
// as drawn, so it takes the mouse on the next frame.
class CVxBillboard;
class CVxButton;

// growth: how much the glow grows over a cycle; hoverScale: its size while hovered.
void DrawPulsingButton(CVxBillboard* glow, CVxButton* button, float growth, float hoverScale);

// A light icon at its hit button's place over a glow that grows and fades in
// the same cycle (no glow when glow is null), the icon's size scaled by
// iconScale. added: the encyclopedias' way, added to the screen and dimmed.
void DrawLightIcon(CVxBillboard* glow, CVxBillboard* icon, CVxButton* button, float iconScale, bool added);
