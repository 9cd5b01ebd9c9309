// The battle's picture banners: stage title, countdown, won or lost, wave,
// and the miss and cross marks. The shared pictures keep none of the changes.
#include <cmath>

#include "battle/effects/BannerTimeline.h"
#include "battle/effects/Effect_Cross.h"
#include "battle/effects/Effect_TextBegin.h"
#include "battle/effects/Effect_TextEnd.h"
#include "battle/effects/Effect_TextMiss.h"
#include "battle/effects/Effect_TextStage.h"
#include "battle/effects/Effect_TextWave.h"
#include "battle/model/BattleScene.h"
#include "battle/model/SceneCues.h"
#include "battle/model/BattleView.h"
#include "battle/model/SceneCues.h"
#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "engine/VxSound.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kEffectFolder = "Resource\\Effect\\";

// Draws a shared picture with the look at (x, y, z); the picture keeps nothing.
void DrawLooked(CVxBillboard* picture, const BannerLook& look, float x, float y, float z = 0.0f) {
    if (!picture || !look.drawn) return;
    picture->SaveState();
    if (look.scale != 1.0f) picture->ScaleSize2D(look.scale, look.scale);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, look.alpha);
    picture->SetPosition(x, y, z);
    picture->RenderSRT();
    picture->RestoreState();
}

// A number of the stage sheet with the look; the widget keeps nothing.
void DrawNumberLooked(CVxNumber* number, const BannerLook& look, int value, float spacing, int align, float x,
                      float y) {
    if (!number || !look.drawn) return;
    const float oldSpacing = number->m_fSpacing;
    const int oldAlign = number->m_iAlign, oldMin = number->m_nMinDigits;
    number->SaveState();
    number->m_fSpacing = spacing;
    number->m_iAlign = align;
    number->m_nMinDigits = 1;
    if (look.scale != 1.0f) number->ScaleSize2D(look.scale, look.scale);
    number->SetDiffuse(1.0f, 1.0f, 1.0f, look.alpha);
    number->SetPosition(x, y, 0.0f);
    number->Draw(value);
    number->RestoreState();
    number->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    number->m_fSpacing = oldSpacing;
    number->m_iAlign = oldAlign;
    number->m_nMinDigits = oldMin;
}

int Elapsed(const CVxEffect& effect, int index) { return effect.m_iDefaultLife - effect.m_aInstances[index].life; }

float TimeOf(const CVxEffect& effect, int index) {
    return 1.0f - float(effect.m_aInstances[index].life) / float(effect.m_iDefaultLife);
}

}  // namespace

// ---- Stage title ----

void CEffect_TextStage::MakeLabels() {
    if (m_apLabel[0]) return;
    // The two lowest rows of the stage sheet: the mini-game label above the stage label.
    m_apLabel[0] = MakeStageSheetWord(*this, 0.8f);
    if (m_apLabel[0]) m_apLabel[1] = MakeStageSheetWord(*this, 0.6f);
}

void CEffect_TextStage::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    MakeLabels();
    const int stage = app->m_iCurrentStage;
    const int e = Elapsed(*this, index);
    const bool miniGame = IsMiniGameStage(stage);
    DrawLooked(m_apLabel[miniGame ? 1 : 0], StageTitleLook(e, 0), 0.0f, 110.0f);
    if (miniGame) {
        DrawLooked(m_apLabel[0], StageTitleLook(e, 1), 0.0f, -10.0f);
        return;
    }
    const StageTitleNumbers n = StageTitleOf(stage);
    const float o = n.tenth ? -30.0f : 0.0f;
    DrawNumberLooked(app->m_pNumStageBig, StageTitleLook(e, 1), n.area, 38.0f, 1, o - 75.0f, -10.0f);
    DrawLooked(app->m_apBbdStageDigit[1], StageTitleLook(e, 2), o, -10.0f);
    DrawNumberLooked(app->m_pNumStageBig, StageTitleLook(e, 3), n.digit, 85.0f, -1, o + 75.0f, -10.0f);
    if (n.tenth) DrawNumberLooked(app->m_pNumStageBig, StageTitleLook(e, 4), 0, 85.0f, -1, o + 140.0f, -10.0f);
}

// ---- Countdown ----

void CEffect_TextBegin::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const CountdownLook c = CountdownAt(Elapsed(*this, index), m_iDefaultLife);
    CVxBillboard* picture = c.picture < 3 ? app->m_apBbdCount[2 - c.picture] : app->m_apBbdGameText[0];
    if (c.sound)
        if (const BattleView* view = m_pView)
            RestartSound(c.picture < 3 ? view->Drawn().m_pSfxReadyCount : view->Drawn().m_pSfxStart);
    DrawLooked(picture, c.look, 0.0f, 50.0f);
}

// ---- Won or lost ----

void CEffect_TextEnd::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const bool won = m_aInstances[index].kind == 1;
    CVxBillboard* picture = app->m_apBbdGameText[won ? 1 : 2];
    if (!picture) return;
    const float t = TimeOf(*this, index);
    picture->SaveState();
    picture->ScaleSize2D(1.2f, 1.2f);
    float alpha = 1.0f, y = 50.0f;
    if (t < 0.1f) {
        alpha = 10.0f * t;
        if (won) picture->SetRotation(0.0f, 0.0f, 10.0f * t * 4.0f * 3.14159265f);
        else y = 50.0f - (1.0f - 10.0f * t) * 30.0f;
    } else if (t > 0.9f) {
        alpha = 1.0f - 10.0f * (t - 0.9f);
    }
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, alpha);
    picture->SetPosition(-15.0f, y, 0.0f);
    picture->RenderSRT();
    if (won && t >= 0.1f && t < 0.3f) {
        // An echo that grows eleven-fold while it fades.
        const float a = 1.0f - 5.0f * (t - 0.1f);
        picture->ScaleSize2D(1.0f + 10.0f * (1.0f - a), 1.0f + 10.0f * (1.0f - a));
        picture->SetDiffuse(1.0f, 1.0f, 1.0f, 0.25f * a);
        picture->RenderSRT();
    }
    picture->RestoreState();
}

// ---- Wave ----

void CEffect_TextWave::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (!m_apStrip[0] && app->m_pTexInterface) {
        // The two lowest rows of the interface sheet.
        for (int i = 0; i < 2; ++i) {
            m_apStrip[i] = CreateBillboard(nullptr, nullptr, app->m_pTexInterface);
            m_apStrip[i]->SetAlphaBlend(true);
            m_apStrip[i]->SetTextureRect(0.0f, 0.75f + 0.125f * float(i), 1.0f, 0.125f);
            m_apStrip[i]->SetSize(512.0f, 64.0f, 1.0f);
        }
    }
    const int kind = m_aInstances[index].kind == 1 ? 1 : 0;
    const float t = TimeOf(*this, index);
    BannerLook look;
    look.drawn = true;
    if (t < 0.1f) {
        look.scale = 1.0f + (1.0f - 10.0f * t) * 2.5f;
        look.alpha = 10.0f * t;
    } else if (t >= 0.9f) {
        look.alpha = 1.0f - 10.0f * (t - 0.9f);
    }
    DrawLooked(m_apStrip[kind], look, 0.0f, 180.0f);
}

void CueWaveBanner(BattleScene& scene, bool finalWave) {
    if (scene.m_pEffectTextWave) scene.m_pEffectTextWave->Add(finalWave ? 1 : 0);
}

// ---- Miss and cross ----

CEffect_TextMiss::CEffect_TextMiss() : CEffect_TextMiss(20, "Efx_Miss.png") {}

CEffect_TextMiss::CEffect_TextMiss(int poolSize, const char* picture) {
    m_nPoolSize = poolSize;
    m_iDefaultLife = 80;
    Clear(0);
    m_pPicture = CreateBillboard(picture, kEffectFolder, nullptr);
    if (m_pPicture) m_pPicture->SetAlphaBlend(true);
}

void CEffect_TextMiss::OnFrame(int index) {
    const EffectInstance& r = m_aInstances[index];
    DrawLooked(m_pPicture, MissLook(Elapsed(*this, index)), r.params[0].f, r.params[1].f, r.params[2].f);
}

CEffect_Cross::CEffect_Cross() : CEffect_TextMiss(5, "Efx_Cross.png") {}

void CueRoundBanner(BattleScene& scene, bool lastRound) {
    if (scene.m_pEffectTextWave) scene.m_pEffectTextWave->Add(lastRound ? 1 : 0);
}

bool RoundBannerShown(const BattleScene& scene) {
    return scene.m_pEffectTextWave && scene.m_pEffectTextWave->m_aInstances[0].life > 0;
}
