#include "battle/effects/Effect_HowToPlay.h"

#include <string>

#include "content/StageKinds.h"
#include "engine/VxBillboard.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

const char* const kFolder = "Resource\\Interface\\";

void DrawSized(CVxBillboard* picture, float x, float y, float w, float h) {
    if (!picture) return;
    picture->SaveState();
    picture->SetSize(w, h, 1.0f);
    picture->SetScale(1.0f, 1.0f, 1.0f);
    picture->SetDiffuse(0.0f, 0.0f, 0.0f, 0.6f);
    picture->SetPosition(x, y, 0.0f);
    picture->RenderSRT();
    picture->RestoreState();
}

}  // namespace

CEffect_HowToPlay::CEffect_HowToPlay() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    CVxBillboard** pictures[4] = {&m_apBox[0], &m_apBox[1], &m_apBox[2], &m_pArrow};
    for (int i = 0; i < 4; ++i) {
        const std::string name =
            i < 3 ? "Bbd_HowToPlay_Box" + std::to_string(i + 1) + ".png" : "Bbd_HowToPlay_Arrow.png";
        CVxBillboard* b = CreateBillboard(name.c_str(), kFolder, nullptr);
        if (!b) continue;
        b->SetAlphaBlend(true);
        b->SetDiffuse(0.0f, 0.0f, 0.0f, 0.6f);
        *pictures[i] = b;
    }
}

void CEffect_HowToPlay::DrawAnnotation(int kind) {
    CGameApplication* app = g_pGameAppInstance;
    // Kind 0 is the help of a player without the Remover Bot: its button is
    // not drawn, so nothing may point at it.
    if (!app || kind < 1) return;
    FontStyle style;
    style.size = 0.6f;
    style.align = 1;
    style.spaceFactor = 0.3f;
    style.charSpacing = 5.0f;
    style.lineSpacing = 1.0f;
    DrawSized(m_apBox[0], -45.0f, 147.5f, 220.0f, 135.0f);
    DrawSized(m_pArrow, 15.0f, 230.4f, 20.0f, 35.0f);
    DrawStyledText(app->m_pFontStandard, style, -139.0f, 185.0f, "\t Use this to\nremove a robot\n  from the field");
    if (KindOf(app->m_iCurrentStage) == StageKind::AdvanceRounds) {
        // The tutorial's text box picture, the same file as box 2.
        DrawSized(m_apBox[1], 300.0f, -260.0f, 260.0f, 40.0f);
        style.align = 0;
        DrawStyledText(app->m_pFontStandard, style, 300.0f, -260.0f, "Click to continue...");
    }
}

void CEffect_HowToPlay::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    const EffectInstance& r = m_aInstances[0];
    if (r.age == 0) m_bDrawn = false;
    if (!m_bDrawn && BeginRenderToTexture(HOW_TO_PLAY_SLOT, true)) {
        DrawAnnotation(r.kind);
        EndRenderToTexture();
        m_bDrawn = true;
        ++m_nRenders;
    }
    if (!(m_bDrawn && ShowKeptContent(*app, HOW_TO_PLAY_SLOT, VxVec3{0.0f, 0.0f, 0.0f}))) DrawAnnotation(r.kind);
}
