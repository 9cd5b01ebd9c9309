// The episode title card: tagline, studio line, the game logo zooming in with
// a flash and a turning glow, the episode title; then the battle starts.
#include <algorithm>

#include "engine/VxAniTimeCtrl.h"
#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "frontend/PageStory.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"

namespace {

constexpr const char* kMenuFolder = "Resource\\Menu\\";
constexpr int kPhaseLengths[] = {40, 150, 100, 40, 150, 100, 30, 150, 450, 200, 60};
constexpr float kLogoY = -50.0f;
constexpr float kGlowRise = 60.0f;
constexpr float kGlowSize = 640.0f;

struct EpisodeTexts {
    const char* tagline;
    const char* title;
};

EpisodeTexts TextsFor(int episode) {
    if (episode == 2) return {"The war is still raging on.", "Episode 2 : The Revenge"};
    if (episode == 3) return {"The war must be ended.", "Episode 3 : The Last Stand"};
    return {"The war has just begun.", "Episode 1 : Mini-Adventure"};
}

// Centred, proportional glyphs, wrapped at 600.
void DrawCardText(CVxFont* font, float letterSpacing, float spaceFactor, float y, float alpha, const char* text) {
    if (!font) return;
    FontStyle style;
    style.size = 0.75f;
    style.align = 0;
    style.spaceFactor = spaceFactor;
    style.lineSpacing = 0.85f;
    style.charSpacing = letterSpacing;
    style.wrapWidth = 600;
    style.rowOffset = 0;
    style.colour = {1.0f, 1.0f, 1.0f, alpha};
    const bool cellMode = font->m_bCellMode;
    font->m_bCellMode = false;
    DrawStyledText(font, style, 0.0f, y, text);
    font->m_bCellMode = cellMode;
    font->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
}

// Alpha of a text that fades in, stands and fades out over three phases.
float ThreePhaseAlpha(int phase, int first, float f) {
    if (phase == first) return f;
    if (phase == first + 1) return 1.0f;
    return 1.0f - f;
}

}  // namespace

void CPageStory::LoadTitle() {
    if (m_pResourceManager) {
        m_pLogo = m_pResourceManager->CreateBillboard("Bbd_Logo.png", kMenuFolder, nullptr);
        m_pLogoLight = m_pResourceManager->CreateBillboard("Bbd_LogoLight.jpg", kMenuFolder, nullptr);
    }
    if (m_pLogo) {
        m_pLogo->SetAlphaBlend(true);
        m_pLogo->ScaleSizeUniform(0.85f);
    }
    if (m_pLogoLight) {
        m_pLogoLight->SetAlphaBlend(true);
        m_pLogoLight->ScaleSizeUniform(1.5f);
    }
    m_iTitleFrame = 0;
}

void CPageStory::UpdateTitle() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    CVxFont* font = app->m_pFontStandard;
    if (font) font->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    app->SetAmbientColor(1.0f, 1.0f, 1.0f, 1.0f);
    app->EnableLighting(false);

    CVxAniTimeCtrl timeline;
    for (int length : kPhaseLengths) timeline.AddFrame(length);
    timeline.m_iTime = m_iTitleFrame;
    timeline.Update();
    const int phase = timeline.m_iFrame;
    const float f = timeline.m_fFraction;

    if (m_pLogo) {
        m_pLogo->SetPosition(0.0f, kLogoY, 0.0f);
        m_pLogo->SaveState();
    }

    if (m_pMusic && phase >= 4 && phase <= 8 && m_pMusic->m_fVolumeFactor < 1.0f)
        m_pMusic->SetVolumeFactor(m_pMusic->m_fVolumeFactor + 0.002f);

    if (m_pLogoLight && phase >= 7 && phase <= 9) {
        float a = 1.0f;
        if (phase == 7) a = 1.2f * f;
        else if (phase == 9 && f > 0.5f) a = 1.0f - 2.0f * (f - 0.5f);
        m_pLogoLight->SetAlphaBlend(true);
        m_pLogoLight->SetBlendMode(BLEND_ADD, 0);
        m_pLogoLight->SetPosition(0.0f, kLogoY + kGlowRise, 0.0f);
        // Two layers turning against each other at 6 degrees a second.
        const float turn = float(int(app->m_nFrame)) * 0.1f * VX_DEG_TO_RAD;
        for (float direction : {-1.0f, 1.0f}) {
            m_pLogoLight->SetSizeUniform(kGlowSize);
            m_pLogoLight->SetDiffuse(a, a, a, a);
            m_pLogoLight->SetRotationZ(direction * turn);
            m_pLogoLight->RenderSRT();
        }
    }

    const EpisodeTexts texts = TextsFor(StoryEpisode());
    if (phase >= 0 && phase <= 2) {
        DrawCardText(font, 1.9f, 0.6f, 50.0f, ThreePhaseAlpha(phase, 0, f), texts.tagline);
    } else if (phase >= 3 && phase <= 5) {
        const float alpha = ThreePhaseAlpha(phase, 3, f);
        DrawCardText(font, 2.9f, 0.6f, 60.0f, alpha, "Orvendale Studio");
        DrawCardText(font, 2.9f, 0.6f, 0.0f, alpha, "Presents");
    } else if (phase == 6 && m_pLogo) {
        // Shrinks from twice its size; the restore undoes each frame's scaling.
        m_pLogo->ScaleSizeUniform(2.0f - f);
        m_pLogo->RenderSRT();
        m_pLogo->RestoreState();
    } else if (phase == 7 && m_pLogo) {
        // The slow growth accumulates: the state is saved after it.
        m_pLogo->ScaleSizeUniform(1.0002f);
        m_pLogo->RenderSRT();
        m_pLogo->SaveState();
        if (f < 0.5f) {
            m_pLogo->SetDiffuse(1.0f, 1.0f, 1.0f, std::max(0.0f, 1.0f - 3.0f * f));
            m_pLogo->ScaleSizeUniform(1.0f + 15.0f * f);
            m_pLogo->RenderSRT();
        }
        m_pLogo->RestoreState();
    } else if (phase == 8 && m_pLogo) {
        m_pLogo->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
        m_pLogo->ScaleSizeUniform(1.0002f);
        m_pLogo->RenderSRT();
    } else if (phase == 9) {
        if (m_pLogo) {
            m_pLogo->SetDiffuse(1.0f, 1.0f, 1.0f, std::max(0.0f, 1.0f - 1.25f * f));
            m_pLogo->RenderSRT();
        }
        if (m_pMusic) m_pMusic->SetVolumeFactor(1.0f - f);
    } else if (phase == 10) {
        if (m_pMusic) m_pMusic->SetVolumeFactor(std::max(0.0f, m_pMusic->m_fVolumeFactor - 0.015f));
    } else if (phase > 10) {
        StartBattle();
    }

    if (phase == 8 || phase == 9) {
        float alpha = std::min(10.0f * f, 1.0f);
        if (phase == 9) alpha = f <= 0.8f ? 1.0f : 1.0f - 5.0f * (f - 0.8f);
        DrawCardText(font, 2.9f, 0.6f, -280.0f, alpha, texts.title);
    }
    ++m_iTitleFrame;
}
