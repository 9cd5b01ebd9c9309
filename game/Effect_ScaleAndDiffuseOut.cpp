#include "game/Effect_ScaleAndDiffuseOut.h"

#include "engine/VxBillboard.h"

CEffect_ScaleAndDiffuseOut::CEffect_ScaleAndDiffuseOut() {
    m_nPoolSize = PULSE_POOL;
    // A pulse ends itself when its time is up.
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    for (int i = 0; i < PULSE_POOL; ++i) Clear(i);
}

int CEffect_ScaleAndDiffuseOut::Spawn(CVxBillboard* picture, float x, float y, float z, float s0, float s1) {
    const int index = Add(0, x, y, z);
    if (index < 0 || index >= PULSE_POOL) return -1;
    Pulse& p = m_aPulse[index];
    p.startScale = s0;
    p.endScale = s1;
    p.picture = picture;
    p.duration = PULSE_FRAMES;
    return index;
}

bool CEffect_ScaleAndDiffuseOut::IsBusy() const {
    for (int i = 0; i < PULSE_POOL; ++i)
        if (m_aInstances[i].life > 0) return true;
    return false;
}

void CEffect_ScaleAndDiffuseOut::OnFrame(int index) {
    if (index < 0 || index >= PULSE_POOL) return;
    const EffectInstance& r = m_aInstances[index];
    Pulse& p = m_aPulse[index];
    const float f = p.duration > 0 ? float(r.age) / float(p.duration) : 1.0f;
    if (f >= 1.0f) {
        Clear(index);
        p = Pulse{};
        return;
    }
    CVxBillboard* picture = p.picture;
    if (!picture) return;
    picture->SaveState();
    picture->ScaleSizeUniform((1.0f - f) * p.startScale + f * p.endScale);
    picture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
    picture->SetAlphaBlend(true);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - f);
    picture->RenderSRT();
    picture->RestoreState();
}
