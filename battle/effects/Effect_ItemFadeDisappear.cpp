#include "battle/effects/Effect_ItemFadeDisappear.h"

#include "battle/effects/ItemPicture.h"
#include "engine/VxBillboard.h"

void CEffect_ItemFadeDisappear::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    const float e = 1.0f - float(r.life) / float(m_iDefaultLife);
    CVxBillboard* picture = ItemPicture(r.kind, m_pBattle, m_pView);
    if (!picture) return;
    picture->SaveState();
    picture->ScaleSizeUniform(1.0f + 0.5f * e);
    picture->SetPosition(r.params[0].f, r.params[1].f, r.params[2].f);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - e);
    picture->RenderSRT();
    picture->RestoreState();
}
