#include "game/PulsingButton.h"

#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"

void DrawPulsingButton(CVxBillboard* glow, CVxButton* button, float growth, float hoverScale) {
    if (!button) return;
    const int frame = g_pApp ? int(g_pApp->m_nFrame) : 0;
    const float t = float(frame % 41) / 40.0f;
    button->RenderSRT();
    if (!glow) return;
    glow->SaveState();
    glow->SetPositionV(button->m_vPosition);
    glow->ScaleSizeUniform(1.0f + growth * t);
    glow->SetBlendMode(BLEND_ADD, glow->m_iAlphaRef);
    glow->SetDiffuse(1.0f - t, 1.0f - t, 1.0f - t, 1.0f - t);
    glow->RenderSRT();
    glow->RestoreState();
    glow->SaveState();
    glow->SetPositionV(button->m_vPosition);
    if (button->HitTest()) glow->ScaleSizeUniform(hoverScale);
    glow->RenderSRT();
    glow->RestoreState();
}
