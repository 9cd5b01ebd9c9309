#include "battle/effects/Effect_GreenBall.h"

#include "battle/effects/AmbientArt.h"

using namespace ambient;

CEffect_GreenBall::CEffect_GreenBall() {
    m_nPoolSize = AMBIENT_GREEN_BALLS;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pPicture = WorldPicture(*this, 2, "Bbd_Greenball.png");
}

int CEffect_GreenBall::AddRolled(const GreenBallRoll& roll) {
    m_Roll = roll;
    return Add(0);
}

void CEffect_GreenBall::OnStart(int index) {
    EffectInstance& r = m_aInstances[index];
    const float bottom = m_pView ? m_pView->FieldCells()[FIELD_ROWS - 1].m_fY : 0.0f;
    const float height = m_pPicture ? m_pPicture->m_vSize.y : 0.0f;
    r.params[0] = -0.6f * W();
    r.params[1] = bottom - 40.375f + 0.5f * height - 6.0f;
    m_afSpeed[index] = m_Roll.speed;
}

void CEffect_GreenBall::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const float speed = m_afSpeed[index];
    r.params[0].f += 1.5f * speed;
    if (m_pPicture) {
        m_pPicture->SaveState();
        m_pPicture->SetRotationDegrees(0.0f, 0.0f, -3.5f * speed * float(r.age));
        m_pPicture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
        m_pPicture->RenderSRT();
        m_pPicture->RestoreState();
    }
    if (r.params[0].f > 0.6f * W()) Clear(index);
}
