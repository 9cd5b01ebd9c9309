#include "battle/effects/Effect_HeartDecreased.h"

#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "battle/model/BattleView.h"
#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"

void CEffect_HeartDecreased::Phase(int t, int& phase, int& into) {
    static const int kEnds[5] = {10, 20, 30, 580, 600};
    int begin = 0;
    for (phase = 0; phase < 4 && t >= kEnds[phase]; ++phase) begin = kEnds[phase];
    into = t - begin;
}

void CEffect_HeartDecreased::OnStart(int) {
    if (CVxSound* sound = m_pView ? m_pView->Drawn().m_pSfxHeartDown : nullptr) {
        sound->Stop();
        sound->Play();
    }
}

void CEffect_HeartDecreased::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    CVxBillboard* glyph = m_pGlyph ? m_pGlyph : m_pView ? m_pView->HudTimesGlyph() : nullptr;
    const int t = m_iDefaultLife - r.life;
    int phase = 0, u = 0;
    Phase(t, phase, u);
    const float fadeHeart = 1.5f - float(u) / 20.0f;
    const float fade = 1.0f - float(u) / 20.0f;

    if (CVxBillboard* heart = app->m_pBbdHeartAttack) {
        heart->SaveState();
        heart->SetPosition(338.0f, 230.0f, 0.0f);
        if (phase == 0) heart->ScaleSizeUniform(1.5f - float(u) / 10.0f);
        if (phase == 4) heart->SetDiffuse(1.0f, 1.0f, 1.0f, fadeHeart > 1.0f ? 1.0f : fadeHeart);
        heart->RenderSRT();
        if (phase >= 1 && phase <= 3) {
            // The glow: a second, additive draw pulsing every 17 frames.
            const float s = float(g_pApp ? g_pApp->m_nFrame % 17 : 0) * 0.0625f;
            const float c = (1.0f - s) * 0.75f;
            heart->ScaleSizeUniform(1.0f + 0.5f * s);
            heart->SetBlendMode(4, heart->m_iAlphaRef);
            heart->SetDiffuse(c, c, c, c);
            heart->m_iTextureOp = 1;
            heart->RenderSRT();
        }
        heart->RestoreState();
        heart->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (glyph && phase >= 1) {
        glyph->SaveState();
        glyph->SetPosition(380.0f, 233.0f, 0.0f);
        if (phase == 1) glyph->ScaleSizeUniform(2.0f - float(u) / 10.0f);
        if (phase == 4) glyph->SetDiffuse(1.0f, 1.0f, 1.0f, fade);
        glyph->RenderSRT();
        glyph->RestoreState();
        glyph->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (CVxNumber* number = app->m_pNumInterface; number && phase >= 2) {
        number->SaveState();
        const float spacing = number->m_fSpacing;
        const int align = number->m_iAlign, digits = number->m_nMinDigits;
        number->m_fSpacing = 19.0f;
        number->m_iAlign = -1;
        number->m_nMinDigits = 1;
        number->SetPosition(395.0f, 230.0f, 0.0f);
        if (phase == 2) number->ScaleSizeUniform(2.0f - float(u) / 10.0f);
        if (phase == 4) number->SetDiffuse(1.0f, 1.0f, 1.0f, fade);
        number->Draw(r.kind);
        number->m_fSpacing = spacing;
        number->m_iAlign = align;
        number->m_nMinDigits = digits;
        number->RestoreState();
        number->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    }
}

void CueLifeLost(BattleScene& scene, int damage) {
    if (scene.m_pEffectHeartDecreased) scene.m_pEffectHeartDecreased->Start(0, damage);
}
