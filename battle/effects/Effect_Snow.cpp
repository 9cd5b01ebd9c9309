#include "battle/effects/Effect_Snow.h"

#include "battle/effects/AmbientArt.h"
#include "content/StageNumbering.h"

using namespace ambient;

CEffect_Snow::CEffect_Snow() {
    m_nPoolSize = AMBIENT_SNOW;
    m_iDefaultLife = SNOW_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 4, "Bbd_Snow.png");
}

int CEffect_Snow::AddRolled(float x, float y, float z, const SnowRoll& roll) {
    m_Roll = roll;
    return AddAtPoint(x, y, z);
}

void CEffect_Snow::OnStart(int index) { m_aiRoll[index] = m_Roll.roll; }

void CEffect_Snow::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    if (!m_pPicture) return;
    const int n = m_aiRoll[index];
    const float t = float(r.age);
    float x = r.params[0].f + 10.0f * SinDeg(5.0 * r.age);
    float y;
    if (GetStageEpisode(Stage()) == 3) {
        x += (0.2f * float(n % 3) + 1.0f) * 5.0f * t;
        y = r.params[1].f - 4.0f * t;
    } else {
        x += float(n % 2) * t;
        y = r.params[1].f - 1.5f * t;
    }
    float alpha = FadeOut(r.life);
    if (CardCarried(m_pView)) alpha *= 0.5f;
    m_pPicture->SaveState();
    m_pPicture->ScaleSizeUniform(0.6f - 0.05f * float(n % 3));
    m_pPicture->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    m_pPicture->SetPosition(x, y, r.params[2].f);
    m_pPicture->RenderSRT();
    m_pPicture->RestoreState();
}
