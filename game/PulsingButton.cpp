#include "game/PulsingButton.h"

#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"

namespace {

// How far into the glow's 41-frame cycle the application is, 0 to 1.
float CycleShare() { return float((g_pApp ? int(g_pApp->m_nFrame) : 0) % 41) / 40.0f; }

// The glow's ring at `at`: scaled from `scale` by `growth` over the cycle
// and fading as it grows.
void DrawGlowRing(CVxBillboard* glow, const VxVec3& at, float scale, float growth) {
    const float t = CycleShare();
    glow->SaveState();
    glow->SetPositionV(at);
    glow->ScaleSizeUniform(scale * (1.0f + growth * t));
    glow->SetBlendMode(BLEND_ADD, glow->m_iAlphaRef);
    glow->SetDiffuse(1.0f - t, 1.0f - t, 1.0f - t, 1.0f - t);
    glow->RenderSRT();
    glow->RestoreState();
}

}  // namespace

void DrawPulsingButton(CVxBillboard* glow, CVxButton* button, float growth, float hoverScale) {
    if (!button) return;
    button->MarkDrawn();  // the glow stands for a faceless button's face
    button->RenderSRT();
    if (!glow) return;
    DrawGlowRing(glow, button->m_vPosition, 1.0f, growth);
    glow->SaveState();
    glow->SetPositionV(button->m_vPosition);
    if (button->HitTest()) glow->ScaleSizeUniform(hoverScale);
    glow->RenderSRT();
    glow->RestoreState();
}

void DrawLightIcon(CVxBillboard* glow, CVxBillboard* icon, CVxButton* button, float iconScale, bool added) {
    if (!button) return;
    button->MarkDrawn();
    const VxVec3 at = button->m_vPosition;
    if (glow) DrawGlowRing(glow, VxVec3{at.x, at.y, 0.0f}, 0.8f, 0.3f);
    if (!icon) return;
    icon->SaveState();
    icon->SetPosition(at.x, at.y, 0.0f);
    icon->ScaleSizeUniform(iconScale);
    if (added) {
        icon->SetBlendMode(BLEND_ADD, icon->m_iAlphaRef);
        icon->SetDiffuse(0.75f, 0.75f, 0.75f, 1.0f);
    }
    icon->RenderSRT();
    icon->RestoreState();
}
