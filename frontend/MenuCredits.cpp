// The menu's credits: the roll fades in, scrolls up and starts over once its
// last line has passed the top; dragging over it fast-forwards.
#include <cmath>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "frontend/PageMenu.h"
#include "game/GameApplication.h"

namespace {

// The fast-forward box: over the roll's backdrop, below the header.
constexpr float kHoverLeft = -250.0f;
constexpr float kHoverRight = 404.0f;
constexpr float kHoverTop = 227.0f;

}  // namespace

void CPageMenu::AddCreditLine(const char* text, int style, bool gapBefore) {
    m_aCreditLines.push_back(CreditLine{text ? text : "", style, gapBefore});
}

void CPageMenu::LoadCredits() {
    m_aCreditLines.clear();
    for (const CreditLine& line : CreditLines())
        AddCreditLine(line.m_strText.c_str(), line.m_iStyle, line.m_bGapBefore);
    EnterCredits();
}

void CPageMenu::ReleaseCredits() { m_aCreditLines.clear(); }

void CPageMenu::EnterCredits() {
    m_fCreditsX = CREDITS_MENU_X;
    m_fCreditsScroll = CREDITS_START_SCROLL;
    m_fCreditsFade = 0.0f;
}

bool CPageMenu::IsCreditLineHovered() const {
    if (!g_pApp || m_iGesture != GESTURE_DRAGGING) return false;
    const InputRecord& in = g_pApp->m_aInput[0];
    const float x = float(in.m_iCursorX) - float(g_iScreenWidth) / 2.0f;
    const float y = float(g_iScreenHeight) / 2.0f - float(in.m_iCursorY);
    return kHoverLeft < x && x < kHoverRight && -float(g_iScreenHeight) / 2.0f < y && y < kHoverTop;
}

void CPageMenu::UpdateCredits() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    const int c = m_iChangeCountdown;
    float a = 1.0f;
    if (c > 0) a = m_iChangeState == -1 ? float(MENU_CHANGE_FRAMES - c) / 15.0f : float(c + 1) / 15.0f;
    else if (m_iChangeState == 1) a = 0.0f;
    if (m_pBlackScreen) {
        m_pBlackScreen->SaveState();
        m_pBlackScreen->ScaleSize2D(1.05f, 1.0f);
        m_pBlackScreen->SetPosition(m_fCreditsX, 0.0f, 0.0f);
        m_pBlackScreen->SetDiffuse(1.0f, 1.0f, 1.0f, a);
        m_pBlackScreen->RenderSRT();
        m_pBlackScreen->RestoreState();
    }
    const bool hovered = IsCreditLineHovered();
    m_fCreditsFade += hovered ? 0.04f : 0.01f;
    if (m_fCreditsFade >= 1.0f) m_fCreditsFade = 1.0f;
    if (m_fCreditsFade < 0.0f) m_fCreditsFade = 0.0f;
    if (m_fCreditsFade == 1.0f) m_fCreditsScroll += hovered ? 4.0f : 0.5f;
    if (m_aCreditLines.empty()) return;
    const float alpha = m_iChangeState == 1 ? float(m_iChangeCountdown) / 15.0f : m_fCreditsFade;
    const float last =
        DrawCreditLines(app->m_pFontStandard, m_aCreditLines, m_fCreditsX, m_fCreditsScroll, alpha, g_iScreenHeight);
    // The last line has passed the top edge: the roll starts over.
    if (last > float(g_iScreenHeight) * 0.5f) EnterCredits();
}

void CPageMenu::HandleCreditsInput() {
    if (IsInputFree() && m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_MAIN, 1);
}
