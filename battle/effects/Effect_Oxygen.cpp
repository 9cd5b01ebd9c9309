#include "battle/effects/Effect_Oxygen.h"

#include "battle/effects/AmbientArt.h"

using namespace ambient;

CEffect_Oxygen::CEffect_Oxygen() {
    m_nPoolSize = 20;
    m_iDefaultLife = 180;
    Clear(0);
    m_pPicture = WorldPicture(*this, 3, "Efx_Oxygen.png", "Resource\\Effect\\");
}

void CEffect_Oxygen::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    if (!m_pPicture) return;
    const int t = r.age;
    m_pPicture->SaveState();
    m_pPicture->SetDiffuse(1.0f, 1.0f, 1.0f, FadeOut(r.life));
    m_pPicture->SetPosition(r.params[0].f + 10.0f * SinDeg(5.0 * (t + 30 * index)), r.params[1].f + 1.5f * float(t),
                            r.params[2].f);
    m_pPicture->RenderSRT();
    m_pPicture->RestoreState();
}
