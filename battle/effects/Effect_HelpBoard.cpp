#include "battle/effects/Effect_HelpBoard.h"

#include <algorithm>
#include <vector>

#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxNumber.h"
#include "engine/VxPage.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/Effect_BlackScreen.h"
#include "game/GameApplication.h"
#include "game/PopupDrawing.h"
#include "game/PulsingButton.h"

namespace {

const VxColor kHeadingColour{0.1f, 1.0f, 0.1f, 1.0f};

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) return lines;
        start = end + 1;
    }
}

bool AnyRecordAlive(const CVxEffect* effect) {
    for (int i = 0; i < effect->m_nPoolSize && i < EFFECT_POOL_CAPACITY; ++i)
        if (effect->m_aInstances[i].life > 0) return true;
    return false;
}

void Place(CVxButton* button, float x, float y) {
    if (button) button->SetPosition(x, y, 0.0f);
}

}  // namespace

CEffect_HelpBoard::CEffect_HelpBoard() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);
    m_pBtnOK = new CVxButton(-1);
    m_pBtnOK->m_iOwnerId = m_iOwnerId;
    m_lstButtons.push_back(m_pBtnOK);
    for (CVxButton*& arrow : m_apArrowButton) {
        arrow = new CVxButton(-1);
        arrow->m_iOwnerId = m_iOwnerId;
        m_lstButtons.push_back(arrow);
    }
    PrepareParts();
}

// The shared parts may come after the board was built (tests build boards
// before the shared resources are loaded): taken at each showing until found.
void CEffect_HelpBoard::PrepareParts() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    m_pPanel = app->m_pBbdMsgLarge;
    for (int i = 0; i < 2; ++i) {
        m_apArrowPicture[i] = app->m_apBbdLightArrow[i];
        // The default 100 x 100 box would reach into the other arrow, 90 pixels away.
        if (CVxBillboard* arrow = m_apArrowPicture[i]) {
            m_apArrowButton[i]->m_iHitHalfWidth = std::max(1, int(arrow->m_vSize.x * 0.5f));
            m_apArrowButton[i]->m_iHitHalfHeight = std::max(1, int(arrow->m_vSize.y * 0.5f));
        }
    }
    if (!m_bButtonHasFaces && app->m_aButtonSets[BTN_OK].m_apState[BUTTON_NORMAL]) {
        const CustomType& ok = app->m_aButtonSets[BTN_OK];
        CVxButton::SetStateTextures(m_pBtnOK, ok.m_apState[BUTTON_PRESS], ok.m_apState[BUTTON_OVER],
                                    ok.m_apState[BUTTON_DISABLE], ok.m_apState[BUTTON_NORMAL]);
        m_bButtonHasFaces = true;
    }
    if (!m_apTitleWord[0]) {
        m_apTitleWord[0] = MakeStageSheetWord(*this, 0.6f);
        if (m_apTitleWord[0]) m_apTitleWord[1] = MakeStageSheetWord(*this, 0.8f);
    }
}

void CEffect_HelpBoard::OnStart(int) {
    m_fScroll = 0.0f;
    m_iBoardState = 0;
    m_vPos = VxVec3{0.0f, float(HELP_SLIDE_START), 0.0f};
    m_bBoardDrawn = m_bTextDrawn = false;
    PrepareParts();
    const CGameApplication* app = g_pGameAppInstance;
    // The stage cannot change within a battle: one picture serves every showing.
    if (!m_pPicture && app) {
        const std::string name = PictureName(app->m_iCurrentStage);
        m_pPicture = CreateBillboard(name.c_str(), "Resource\\InfoStory\\", nullptr);
        if (m_pPicture) {
            m_pPicture->SetAlphaBlend(true);
            // The picture's letterbox rows are cut away.
            m_pPicture->SetTextureRect(0.0f, 0.07f, 1.0f, 0.86f);
            m_pPicture->ScaleSize2D(1.1f, 0.86f * 1.1f);
        }
    }
}

void CEffect_HelpBoard::DrawBoard(float x, float y, int stage) {
    DrawSharedPicture(m_pPanel, x, y);
    DrawTitle(x, y, stage);
    CGameApplication* app = g_pGameAppInstance;
    DrawSharedPicture(app->m_pBbdMsgTextBG, x + 280.0f, y + 10.0f, 0.6f, 0.52f);
    DrawSharedPicture(app->m_pBbdMsgTextBG, x - 150.0f, y - 50.0f, 1.1f, 0.75f);
    DrawSharedPicture(m_pPicture, x + 280.0f, y + 12.0f);
}

HelpPageLayout CEffect_HelpBoard::DrawTextPage(const std::string& text, float x, float y0, CVxFont* font, float scroll,
                                               float penX, int wrapWidth) {
    FontStyle style = BodyStyle(wrapWidth);
    style.spaceFactor = 0.75f;
    const std::vector<std::string> lines = SplitLines(text);
    const float top = 100.0f + scroll;
    for (size_t i = 0; i < lines.size(); ++i) {
        const float y = top - HELP_LINE_PITCH * float(i);
        if (!(y > HELP_TEXT_BOTTOM && y <= HELP_TEXT_TOP)) continue;
        FontStyle line = style;
        if (lines[i] == "Description :" || lines[i] == "How to Play :") line.colour = kHeadingColour;
        DrawStyledText(font, line, x + penX, y0 + y, lines[i].c_str());
    }
    HelpPageLayout layout;
    layout.canScrollUp = top > HELP_TEXT_TOP;
    layout.canScrollDown = top - HELP_LINE_PITCH * float(lines.size() - 1) <= HELP_TEXT_BOTTOM;
    return layout;
}

void CEffect_HelpBoard::DrawText(float x, float y, int stage) {
    const HelpPageLayout layout =
        DrawTextPage(PageText(stage), x, y, g_pGameAppInstance->m_pFontStandard, m_fScroll, PenX(), WrapWidth());
    m_bCanScrollUp = layout.canScrollUp;
    m_bCanScrollDown = layout.canScrollDown;
}

void CEffect_HelpBoard::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    EffectInstance& r = m_aInstances[0];
    const int stage = app->m_iCurrentStage;
    if (app->m_pFontStandard) app->m_pFontStandard->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    CEffect_BlackScreen* black = app->m_pEffectBlackScreen;
    if (OverStill() && m_iBoardState == 0 && app->m_bShowStill && black && !AnyRecordAlive(black)) {
        black->Start(0, 0);
        black->m_aInstances[0].age = FADE_FRAMES;
    }
    const float x = m_vPos.x;
    if (m_iBoardState == 0) {
        m_vPos.y = std::max(float(HELP_SLIDE_START - HELP_SLIDE_STEP * r.age), 0.0f);
        if (r.age == 0 && black) black->Start(0, 0);
    } else {
        m_vPos.y = float(HELP_SLIDE_STEP * r.age);
    }
    const float y = m_vPos.y;

    if (!m_bBoardDrawn && BeginRenderToTexture(HELP_BOARD_SLOT, true)) {
        DrawBoard(x, 0.0f, stage);
        EndRenderToTexture();
        m_bBoardDrawn = true;
        ++m_nBoardRenders;
    }
    // Without a slot to keep them in, board and text are drawn in place each frame.
    if (!(m_bBoardDrawn && ShowKeptContent(*app, HELP_BOARD_SLOT, m_vPos))) DrawBoard(x, y, stage);
    if (!m_bTextDrawn && BeginRenderToTexture(HELP_TEXT_SLOT, true)) {
        DrawText(x, 0.0f, stage);
        EndRenderToTexture();
        m_bTextDrawn = true;
        ++m_nTextRenders;
    }
    if (!(m_bTextDrawn && ShowKeptContent(*app, HELP_TEXT_SLOT, m_vPos))) DrawText(x, y, stage);

    if (m_bCanScrollUp || m_bCanScrollDown) {
        for (int i = 0; i < 2; ++i) {
            Place(m_apArrowButton[i], x + 90.0f * float(i), y - 253.0f);
            DrawPulsingButton(m_apArrowPicture[i], m_apArrowButton[i], 0.3f, 1.1f);
        }
    }
    Place(m_pBtnOK, x + 280.0f, y - 195.0f);
    if (m_pBtnOK) m_pBtnOK->RenderSRT();
    if (y > float(HELP_SLIDE_START)) Close();
}

void CEffect_HelpBoard::Close() {
    Clear(0);
    for (CVxButton* arrow : m_apArrowButton) Place(arrow, 10000.0f, 10000.0f);
    Place(m_pBtnOK, 10000.0f, 10000.0f);
    if (CGameApplication* app = g_pGameAppInstance) app->m_bCaptureStill = app->m_bShowStill = false;
}

void CEffect_HelpBoard::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    m_pBtnOK->ProcessInput();
    for (CVxButton* arrow : m_apArrowButton) arrow->ProcessInput();
    EffectInstance& r = m_aInstances[0];
    if (r.life <= 0 || m_iBoardState != 0 || m_vPos.y != 0.0f) return;

    uint32_t* keys = app->m_aInput[0].m_aiKey;
    const bool held = (keys[MOUSE_LEFT] & KEY_HELD) != 0;
    const bool shown = m_bCanScrollUp || m_bCanScrollDown;
    bool up = false, down = false;
    if (keys[MOUSE_WHEEL_FORWARD] & KEY_PRESSED) {
        keys[MOUSE_WHEEL_FORWARD] &= ~uint32_t(KEY_PRESSED);
        up = true;
    } else if (shown && held && m_apArrowButton[0]->HitTest()) {
        up = true;
    } else if (keys[MOUSE_WHEEL_BACKWARD] & KEY_PRESSED) {
        keys[MOUSE_WHEEL_BACKWARD] &= ~uint32_t(KEY_PRESSED);
        down = true;
    } else if (shown && held && m_apArrowButton[1]->HitTest()) {
        down = true;
    }
    if (up && m_bCanScrollUp) {
        m_fScroll -= HELP_SCROLL_STEP;
        m_bTextDrawn = false;
    } else if (down && m_bCanScrollDown) {
        m_fScroll += HELP_SCROLL_STEP;
        m_bTextDrawn = false;
    }

    const bool okClicked = m_pBtnOK->TakeClick();
    if (!okClicked && !TakeKeyRelease(VK_ENTER)) return;
    m_iBoardState = 1;
    r.age = 0;
    if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
    // The application's sounds and the page's were paused together.
    if (app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused) app->ResumeAllSounds();
    RestartSound(app->m_pSndBtnClick);
}
