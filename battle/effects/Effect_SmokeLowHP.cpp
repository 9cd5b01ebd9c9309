#include "battle/effects/Effect_SmokeLowHP.h"

#include "battle/effects/AmbientArt.h"

void CEffect_SmokeLowHP::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    CVxBillboard* smoke = g_pGameAppInstance ? g_pGameAppInstance->m_pBbdSmoke : nullptr;
    if (!smoke) return;
    const float e = 1.0f - float(r.life) / 60.0f;
    const float alpha = e < 0.2f ? 5.0f * e : e < 0.6f ? 1.0f : (1.0f - e) * 5.0f / 3.0f;
    smoke->SaveState();
    smoke->ScaleSizeUniform(0.2f * e + 0.3f);
    smoke->SetAlphaRef(1);
    smoke->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    smoke->SetPosition(r.params[0].f, r.params[1].f + 60.0f * e, 0.0f);
    smoke->RenderSRT();
    smoke->RestoreState();
}
