#include "game/Effect_BlackScreen.h"

#include "engine/VxBillboard.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"

CEffect_BlackScreen::CEffect_BlackScreen() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
}

void CEffect_BlackScreen::UpdateScreenDim() {
    float v = 0.0f;
    for (int i = 0; i < PoolSize(); ++i) {
        const EffectInstance& r = m_aInstances[i];
        if (r.life < 1) continue;
        if (r.kind == 0) v = float(r.age + 1) / float(FADE_FRAMES);
        else if (r.kind == 1) v = 1.0f - float(r.age) / float(FADE_FRAMES);
        float d = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
        if (!m_bSubScreenSwitch) d *= FADE_DEPTH;
        g_fScreenDim = 1.0f - d;
    }
}

void CEffect_BlackScreen::OnFrame(int index) {
    // What the owner draws after this tick is at full brightness.
    g_fScreenDim = 1.0f;
    const EffectInstance& r = m_aInstances[index];
    if (r.age != FADE_FRAMES) return;
    const int kind = r.kind;
    if (!(kind == 1 || (kind == 0 && m_bSubScreenSwitch))) return;

    Clear(0);
    if (kind == 1) {
        m_bSubScreenSwitch = false;
        return;
    }
    // The screen is black: the battle page changes sub-screens now.
    CGameApplication* app = g_pGameAppInstance;
    if (CBattleLink* page = app ? app->m_pPageGame : nullptr) page->ChangeSubScreenAtBlack();
    Add(1);
}
