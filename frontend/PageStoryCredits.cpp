// The credits roll after the ending: it fades in, scrolls once, fades the
// Skip label out as its last line nears the top and then leaves the page.
#include "engine/VxFont.h"
#include "frontend/PageStory.h"
#include "game/GameApplication.h"

void CPageStory::AddCreditLine(const char* text, int style, bool gapBefore) {
    m_aCreditLines.push_back(CreditLine{text ? text : "", style, gapBefore});
}

void CPageStory::LoadCredits() {
    m_aCreditLines.clear();
    for (const CreditLine& line : CreditLines())
        AddCreditLine(line.m_strText.c_str(), line.m_iStyle, line.m_bGapBefore);
    ResetCredits();
}

void CPageStory::ReleaseCredits() { m_aCreditLines.clear(); }

void CPageStory::ResetCredits() {
    m_fCreditsX = 0.0f;
    m_fCreditsScroll = CREDITS_START_SCROLL;
    m_fCreditsFade = 0.0f;
}

float CreditsSkipAlpha(float lastLineY, int screenHeight) {
    // The label stands near the top edge; the last line fades it from 100 to
    // 50 units below that edge.
    const float from = float(screenHeight) * 0.5f - 100.0f;
    const float to = float(screenHeight) * 0.5f - 50.0f;
    if (lastLineY > to) return 0.0f;
    if (lastLineY >= from) return 1.0f - (lastLineY - from) / (to - from);
    return 1.0f;
}

void CPageStory::UpdateCredits() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    m_fCreditsFade += 0.01f;
    if (m_fCreditsFade >= 1.0f) m_fCreditsFade = 1.0f;
    m_fSkipAlpha = m_fCreditsFade;
    if (m_fCreditsFade == 1.0f) m_fCreditsScroll += 0.5f;
    if (!m_aCreditLines.empty()) {
        const float last = DrawCreditLines(app->m_pFontStandard, m_aCreditLines, m_fCreditsX, m_fCreditsScroll,
                                           m_fCreditsFade, g_iScreenHeight);
        if (last > float(g_iScreenHeight) * 0.55f) LeaveStory();
        if (m_fCreditsFade == 1.0f) m_fSkipAlpha = CreditsSkipAlpha(last, g_iScreenHeight);
    }
    if (app->m_pFontStandard) app->m_pFontStandard->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    app->SetCamera2D(int(float(g_iScreenWidth) * STORY_CAMERA_ZOOM), int(float(g_iScreenHeight) * STORY_CAMERA_ZOOM));
    DrawSkipLabel();
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
}
