#include "game/Effect_Touch.h"

#include "engine/VxBillboard.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"

CEffect_Touch::CEffect_Touch() {
    m_nPoolSize = 1;
    m_iDefaultLife = TOUCH_FRAMES;
    Clear(0);
}

void CEffect_Touch::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const EffectInstance& r = m_aInstances[index];
    const float x = r.params[0].f, y = r.params[1].f, z = r.params[2].f;
    const float p = 1.0f - float(r.life) / float(TOUCH_FRAMES);

    if (CVxBillboard* ring = app->m_pBbdTouch) {
        ring->SaveState();
        ring->ScaleSizeUniform(p);
        ring->SetPosition(x, y, z);
        ring->SetBlendMode(BLEND_ADD, ring->m_iAlphaRef);
        ring->SetDiffuse(1.0f - p, 1.0f - p, 1.0f - p, 1.0f - p);
        ring->RenderSRT();
        ring->SetBlendMode(BLEND_ALPHA, ring->m_iAlphaRef);
        ring->RestoreState();
    }

    CVxEffect* cardFull = app->m_pPageGame ? app->m_pPageGame->CardFullEffect() : nullptr;
    if (r.life == 1 && r.kind >= 2 && cardFull) cardFull->Add(r.kind - 1, x, y, z);
}
