#include "battle/effects/Effect_CardFull.h"

#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

void CEffect_CardFull::OnFrame(int index) {
    EffectInstance& e = m_aInstances[index];
    const float t = 1.0f - float(e.life) / 15.0f;
    const float a = 1.0f - t;
    if (CVxBillboard* glow = g_pGameAppInstance ? g_pGameAppInstance->m_pBbdCardFull : nullptr) {
        glow->SaveState();
        glow->ScaleSizeUniform(1.0f + 0.3f * t);
        glow->SetPosition(e.params[0].f, e.params[1].f, e.params[2].f);
        glow->SetBlendMode(BLEND_ADD, glow->m_iAlphaRef);
        glow->SetDiffuse(a, a, a, a);
        glow->RenderSRT();
        glow->SetBlendMode(BLEND_ALPHA, glow->m_iAlphaRef);
        glow->RestoreState();
    }
    // The next pulse of the chain starts on the frame after this one ends.
    // (A record later in the pool would otherwise run already in this tick.)
    if (e.life == 1 && e.kind > 1) {
        const int next = Add(e.kind - 1, e.params[0].f, e.params[1].f, e.params[2].f);
        if (next > index) m_aInstances[next].delay = 1;
    }
}
