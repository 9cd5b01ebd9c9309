#include "battle/effects/Effect_Flower.h"

#include "battle/effects/AmbientArt.h"

using namespace ambient;

CEffect_Flower::CEffect_Flower() {
    m_nPoolSize = AMBIENT_FLOWERS;
    m_iDefaultLife = FLOWER_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 1, "Bbd_Flower.png");
}

int CEffect_Flower::AddRolled(float x, float y, float z, const FlowerRoll& roll) {
    m_Roll = roll;
    return AddAtPoint(x, y, z);
}

void CEffect_Flower::OnStart(int index) { m_afSpeed[index] = m_Roll.speed; }

void CEffect_Flower::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const int t = r.age;
    const int k = index % 3;
    r.params[0].f += 0.5f * std::fabs(SinDeg(1.25 * t)) + m_afSpeed[index] + 0.2f * float(k);
    if (!m_pPicture) return;
    float alpha = (0.5f - 0.1f * float(k)) * FadeOut(r.life);
    if (CardCarried(m_pView)) alpha *= 0.5f;
    m_pPicture->SaveState();
    m_pPicture->ScaleSizeUniform(1.0f - 0.1f * float(k));
    m_pPicture->SetScale(-1.0f, 1.0f, 1.0f);
    m_pPicture->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    m_pPicture->SetPosition(
        r.params[0].f, r.params[1].f + 10.0f * SinDeg(3.0 * t) + (float(index % 2) + 0.15f) * float(t), r.params[2].f);
    m_pPicture->RenderSRT();
    m_pPicture->RestoreState();
}
