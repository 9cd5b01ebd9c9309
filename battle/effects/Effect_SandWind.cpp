#include "battle/effects/Effect_SandWind.h"

#include "battle/effects/AmbientArt.h"
#include "platform/Random.h"

using namespace ambient;

CEffect_SandWind::CEffect_SandWind() {
    m_nPoolSize = 10;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 2, "Bbd_SandWind.png");
}

void CEffect_SandWind::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    const int row = VxRand() % 4;
    r.params[0] = -0.6f * W();
    r.params[1] = m_pView ? m_pView->FieldCells()[row].m_fY : 0.0f;
    Gust& g = m_aGusts[index];
    g.speedX = float(VxRand() % 4) * 2.0f + 10.0f;
    g.speedY = float(VxRand() % 4) * 0.5f;
    g.alpha = float(VxRand() % 3) * 0.05f + 0.5f;
    g.scale = float(VxRand() % 3) * 0.2f + 1.0f;
}

void CEffect_SandWind::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const Gust& g = m_aGusts[index];
    r.params[0].f += g.speedX;
    r.params[1].f += g.speedY;
    if (m_pPicture) {
        m_pPicture->SaveState();
        m_pPicture->ScaleSizeUniform(g.scale);
        m_pPicture->SetDiffuse(1.0f, 1.0f, 1.0f, CardCarried(m_pView) ? 0.5f * g.alpha : g.alpha);
        m_pPicture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
        m_pPicture->RenderSRT();
        m_pPicture->RestoreState();
    }
    if (r.params[0].f > 0.6f * W()) Clear(index);
}
