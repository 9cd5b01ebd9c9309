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

void DrawLightIcon(CVxBillboard* glow, CVxBillboard* icon, const CVxButton* button, float iconScale, bool added) {
    if (!button) return;
    const VxVec3 at = button->m_vPosition;
    const float t = float((g_pApp ? int(g_pApp->m_nFrame) : 0) % 41) / 40.0f;
    if (glow) {
        glow->SaveState();
        glow->SetPosition(at.x, at.y, 0.0f);
        glow->ScaleSizeUniform(0.8f * (1.0f + 0.3f * t));
        glow->SetBlendMode(BLEND_ADD, glow->m_iAlphaRef);
        glow->SetDiffuse(1.0f - t, 1.0f - t, 1.0f - t, 1.0f - t);
        glow->RenderSRT();
        glow->RestoreState();
    }
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
