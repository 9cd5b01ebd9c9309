#include "battle/effects/Effect_SandWind.h"

#include "battle/effects/AmbientArt.h"

using namespace ambient;

CEffect_SandWind::CEffect_SandWind() {
    m_nPoolSize = AMBIENT_SAND_WINDS;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 2, "Bbd_SandWind.png");
}

int CEffect_SandWind::AddRolled(const SandWindRoll& roll) {
    m_Roll = roll;
    return Add(0);
}

void CEffect_SandWind::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    const int row = m_Roll.row;
    r.params[0] = -0.6f * W();
    r.params[1] = m_pView ? m_pView->FieldCells()[row].m_fY : 0.0f;
    Gust& g = m_aGusts[index];
    g.speedX = m_Roll.speedX;
    g.speedY = m_Roll.speedY;
    g.alpha = m_Roll.alpha;
    g.scale = m_Roll.scale;
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
