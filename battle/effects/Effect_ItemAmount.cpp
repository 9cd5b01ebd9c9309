#include "battle/effects/Effect_ItemAmount.h"

#include <algorithm>

#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

void CEffect_ItemAmount::OnFrame(int index) {
    EffectInstance& r = m_aInstances[index];
    const float e = 1.0f - float(r.life) / float(m_iDefaultLife);
    r.params[1].f += 0.75f;
    CGameApplication* app = g_pGameAppInstance;
    if (!app || r.kind < 0 || r.kind > 7) return;
    // Energy labels fill the sheet's first column, metal parts the second.
    CVxBillboard* label = app->m_apBbdItemNumber[r.kind];
    if (!label) return;
    label->SaveState();
    label->ScaleSizeUniform(std::min(2.0f * e + 0.3f, 0.75f));
    label->SetPosition(r.params[0].f, r.params[1].f + 35.0f, 0.0f);
    label->SetDiffuse(1.0f, 1.0f, 1.0f, e <= 0.8f ? 1.0f : 1.0f - (e - 0.8f) / 0.2f);
    label->RenderSRT();
    label->RestoreState();
}
