#include "battle/effects/Effect_ScaleAndDiffuseOut.h"

#include "engine/VxBillboard.h"

void CEffect_ScaleAndDiffuseOut::Spawn(CVxBillboard* picture, float x, float y, float z, float s0, float s1) {
    const int index = Add(0, x, y, z, s0, s1);
    if (index < 0) return;
    m_apPicture[index] = picture;
}

void CEffect_ScaleAndDiffuseOut::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const float f = float(r.age) / float(kDuration);
    if (f >= 1.0f) {
        Clear(index);
        m_apPicture[index] = nullptr;
        return;
    }
    CVxBillboard* picture = m_apPicture[index];
    if (!picture) return;
    // The picture is shared: its state goes back after the draw.
    picture->SaveState();
    picture->ScaleSizeUniform((1.0f - f) * r.params[3].f + f * r.params[4].f);
    picture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - f);
    picture->RenderSRT();
    picture->RestoreState();
}
