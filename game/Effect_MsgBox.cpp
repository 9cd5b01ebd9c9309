#include "game/Effect_MsgBox.h"

#include "content/SaveProfile.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxButton.h"
#include "engine/VxFont.h"
#include "engine/VxSound.h"
#include "engine/framework/RenderTargets.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/MenuLink.h"
#include "game/PopupDrawing.h"
#include "platform/D3DApplication.h"
#include "platform/SoundVolumes.h"

namespace {

int CurrentPageIndex(const CGameApplication& app) { return app.m_bSwitchPending ? -1 : int(app.m_iCurrentPage); }

bool RecordAlive(const CVxEffect* effect) { return effect && effect->m_aInstances[0].life > 0; }

void GiveStates(CVxButton* button, const CustomType& states) {
    CVxButton::SetStateTextures(button, states.m_apState[BUTTON_PRESS], states.m_apState[BUTTON_OVER],
                                states.m_apState[BUTTON_DISABLE], states.m_apState[BUTTON_NORMAL]);
}

}  // namespace

int SliderValueOfLevel(int level) { return (level + 10000) / 100; }

int LevelOfSliderValue(int value) { return value * 100 - 10000; }

CEffect_MsgBox::CEffect_MsgBox() {
    m_nPoolSize = 1;
    m_iDefaultLife = EFFECT_ENDLESS_LIFE;
    Clear(0);

    CVxButton** const all[14] = {
        &m_pBtnOK,       &m_pBtnCancel,  &m_pBtnRestart,       &m_pBtnResume,      &m_pBtnMenu,
        &m_pBtnHelp,     &m_pBtnOption,  &m_pBtnExit,          &m_apSliderKnob[0], &m_apSliderKnob[1],
        &m_pBtnSoundOff, &m_pBtnSoundOn, &m_pBtnFullScreenOff, &m_pBtnFullScreenOn};
    for (CVxButton** slot : all) {
        CVxButton* button = new CVxButton(-1);
        button->m_iOwnerId = m_iOwnerId;
        button->m_pBoard = this;
        button->SetPosition(MSGBOX_OFF_SCREEN, MSGBOX_OFF_SCREEN, 0.0f);
        m_lstButtons.push_back(button);
        *slot = button;
    }
    CVxButton* const pictures[12] = {m_pBtnOK,       m_pBtnCancel,  m_pBtnRestart,       m_pBtnResume,
                                     m_pBtnMenu,     m_pBtnHelp,    m_pBtnOption,        m_pBtnExit,
                                     m_pBtnSoundOff, m_pBtnSoundOn, m_pBtnFullScreenOff, m_pBtnFullScreenOn};
    for (int i = 0; i < 12; ++i) m_apPictureButtons[i] = pictures[i];

    if (CGameApplication* app = g_pGameAppInstance) {
        const SharedButtonSet sets[12] = {BTN_OK,       BTN_CANCEL,  BTN_RESTART,       BTN_RESUME,
                                          BTN_MENU,     BTN_HELP,    BTN_OPTION,        BTN_EXIT,
                                          BTN_SOUNDOFF, BTN_SOUNDON, BTN_FULLSCREENOFF, BTN_FULLSCREENON};
        for (int i = 0; i < 12; ++i) GiveStates(m_apPictureButtons[i], app->m_aButtonSets[sets[i]]);
        MakeSliderStrips(*app);
    }
    m_bSwitching = 0;
    m_iShownKind = -1;
    m_iLastClosedKind = -1;
    m_bContinueAnswered = false;
    m_bPlayOpenSound = 1;
    TakeSliderValuesFromLevels();
    m_iGrabbedSlider = -1;
}

CEffect_MsgBox::~CEffect_MsgBox() = default;

void CEffect_MsgBox::MakeSliderStrips(CGameApplication& app) {
    if (m_bStripsMade || !app.m_pTexInterface) return;
    m_bStripsMade = true;
    m_pBbdSliderBar = CreateBillboard(nullptr, nullptr, app.m_pTexInterface);
    m_pBbdSliderBar->SetAlphaBlend(true);
    m_pBbdSliderBar->SetTextureRect(0.0f, 0.385f, 0.7f, 0.1f);
    m_pBbdSliderBar->ScaleSize2D(0.7f, 0.1f);
    m_pBbdSliderFill = CreateBillboard(nullptr, nullptr, app.m_pTexInterface);
    m_pBbdSliderFill->SetAlphaBlend(true);
    m_pBbdSliderFill->SetTextureRect(0.0f, 0.51f, 0.7f, 0.1f);
    m_pBbdSliderFill->ScaleSize2D(0.7f, 0.1f);
}

void CEffect_MsgBox::TakeSliderValuesFromLevels() {
    m_aiSliderValue[0] = SliderValueOfLevel(g_iMusicVolume);
    m_aiSliderValue[1] = SliderValueOfLevel(g_iEffectVolume);
}

float CEffect_MsgBox::SliderWidth() const { return m_pBbdSliderBar ? m_pBbdSliderBar->m_vSize.x : 0.0f; }

void CEffect_MsgBox::OnStart(int index) {
    m_iShownKind = m_aInstances[index].kind;
    m_bContinueAnswered = false;
    m_bSwitching = 0;
    TakeSliderValuesFromLevels();
    m_iGrabbedSlider = -1;
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectBlackScreen && !RecordAlive(app->m_pEffectBlackScreen)) app->m_pEffectBlackScreen->Start(0, 0);
    if (m_bPlayOpenSound && app->m_pSndMsgBox && !app->m_pSndMsgBox->IsPlaying()) app->m_pSndMsgBox->Play();
    for (CVxButton* button : m_apPictureButtons) button->ProcessInput();
}

void CEffect_MsgBox::SwitchTo(int kind) {
    m_iShownKind = kind;
    m_bSwitching = 1;
    m_aInstances[0].age = 0;
}

void CEffect_MsgBox::Close() {
    SwitchTo(-1);
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
}

void CEffect_MsgBox::DropAtPageSwitch() {
    CGameApplication* app = g_pGameAppInstance;
    m_iLastClosedKind = m_aInstances[0].kind;
    Clear(0);
    m_bPlayOpenSound = 1;
    if (app && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Clear(0);
}

void CEffect_MsgBox::Draw(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || index != 0) return;
    EffectInstance& r = m_aInstances[0];

    // A page switch ends the box on its last frame, whatever it is doing.
    if (app->m_pEffectSwitchPage && app->m_pEffectSwitchPage->m_aInstances[0].life == 1) {
        DropAtPageSwitch();
        return;
    }

    const int age = r.age;
    float y = 0.0f;
    if (!m_bSwitching) {
        y = float(MSGBOX_SLIDE_START - MSGBOX_SLIDE_STEP * age);
        if (y < 0.0f) y = 0.0f;
    } else {
        y = float(MSGBOX_SLIDE_STEP * age);
    }
    m_vSlideOffset = VxVec3{0.0f, y, 0.0f};

    if (!m_bSwitching && app->m_bShowStill && CurrentPageIndex(*app) == BATTLE_PAGE_INDEX &&
        app->m_pEffectBlackScreen && !RecordAlive(app->m_pEffectBlackScreen)) {
        app->m_pEffectBlackScreen->Start(0, 0);
        app->m_pEffectBlackScreen->m_aInstances[0].age = FADE_FRAMES;
    }

    if (m_bSwitching && y > float(MSGBOX_SLIDE_START)) {
        FinishSwitch();
        return;
    }

    if (age == 0 && !m_bSwitching) m_bPictureCached = false;
    if (!m_bPictureCached && BeginRenderToTexture(MSGBOX_PICTURE_SLOT, true)) {
        DrawStatic(0.0f, 0.0f);
        EndRenderToTexture();
        m_bPictureCached = true;
        // A picture made again in the middle of the show waits for the next tick.
        if (age > 0) return;
    }
    // No slot to keep it in: drawn straight to the screen each tick.
    if (!(m_bPictureCached && ShowKeptContent(*app, MSGBOX_PICTURE_SLOT, m_vSlideOffset)))
        DrawStatic(m_vSlideOffset.x, m_vSlideOffset.y);
    DrawLayout(*app, r.kind);
}

void CEffect_MsgBox::FinishSwitch() {
    EffectInstance& r = m_aInstances[0];
    if (IsReopenKind(m_iShownKind)) {
        r.kind = m_iShownKind;
        r.age = -1;
        m_bSwitching = 0;
        return;
    }
    const int closed = r.kind;
    const int shown = m_iShownKind;
    m_iLastClosedKind = closed;
    Clear(0);
    m_bPlayOpenSound = 1;
    AfterClose(closed, shown);
}

void CEffect_MsgBox::PlaceButton(CVxButton* button, float x, float y) {
    button->SetPosition(x + m_vSlideOffset.x, y + m_vSlideOffset.y, 0.0f);
    button->Render();
}

void CEffect_MsgBox::DrawLayout(CGameApplication& app, int kind) {
    for (CVxButton* button : m_apPictureButtons) button->SetPosition(MSGBOX_OFF_SCREEN, MSGBOX_OFF_SCREEN, 0.0f);
    // The knobs leave with the rest, so a press where one last stood does nothing.
    for (CVxButton* knob : m_apSliderKnob) knob->SetPosition(MSGBOX_OFF_SCREEN, MSGBOX_OFF_SCREEN, 0.0f);
    if (app.m_iCurrentStage == 1 && g_CurrentProfile.m_iFurthestStage == 1) m_pBtnHelp->m_iStatus = BUTTON_DISABLE;

    switch (MsgBoxLayoutOf(kind)) {
    case LAYOUT_OK: PlaceButton(m_pBtnOK, 0.0f, -60.0f); break;
    case LAYOUT_OK_CANCEL:
        PlaceButton(m_pBtnOK, 100.0f, -60.0f);
        PlaceButton(m_pBtnCancel, -100.0f, -60.0f);
        break;
    case LAYOUT_PAUSE_GRID: {
        // Two rows of three, 150 apart, 75 above and below the base height.
        const float base = -60.0f;
        CVxButton* const rows[2][3] = {{m_pBtnRestart, m_pBtnResume, m_pBtnMenu},
                                       {m_pBtnOption, m_pBtnHelp, m_pBtnExit}};
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                PlaceButton(rows[row][col], 150.0f * float(col - 1), base + (row == 0 ? 75.0f : -75.0f));
        break;
    }
    case LAYOUT_OPTIONS: DrawSliders(app); break;
    case LAYOUT_LOW_OK: PlaceButton(m_pBtnOK, 0.0f, -187.0f); break;
    case LAYOUT_TIP_OK: PlaceButton(m_pBtnOK, 0.0f, -140.0f); break;
    case LAYOUT_TALL_TIP_OK: PlaceButton(m_pBtnOK, 0.0f, -160.0f); break;
    case LAYOUT_WARNING:
        PlaceButton(m_pBtnOK, 100.0f, -140.0f);
        PlaceButton(m_pBtnCancel, -100.0f, -140.0f);
        break;
    case LAYOUT_NONE: break;
    }
}

void CEffect_MsgBox::DrawSliders(CGameApplication& app) {
    const float w = SliderWidth();
    const char* const labels[2] = {" Music Volume", " Effect Volume"};
    for (int i = 0; i < 2; ++i) {
        const float row = 70.0f - 90.0f * float(i);
        FontStyle label = TitleStyle(0.65f, 5.0f, 0.5f);
        label.rowOffset = 0;
        DrawStyledText(app.m_pFontStandard, label, m_vSlideOffset.x, row + 38.0f + m_vSlideOffset.y, labels[i]);
        const float f = float(m_aiSliderValue[i]) / 100.0f;
        DrawSharedPicture(m_pBbdSliderBar, m_vSlideOffset.x, row + m_vSlideOffset.y);
        if (CVxBillboard* fill = m_pBbdSliderFill) {
            fill->SaveState();
            fill->ScaleSize2D(f, 1.0f);
            fill->SetTextureRect(0.0f, 0.51f, 0.7f * f, 0.1f);
            fill->SetPosition(-(1.0f - f) * 0.5f * w + m_vSlideOffset.x, row + m_vSlideOffset.y, 0.0f);
            fill->RenderSRT();
            fill->RestoreState();
        }
        const float knobX = (f - 0.5f) * w;
        m_apSliderKnob[i]->SetPosition(knobX + m_vSlideOffset.x, row + m_vSlideOffset.y, 0.0f);
        m_apSliderKnob[i]->MarkDrawn();
        DrawSharedPicture(app.m_apBbdLight[5], knobX + m_vSlideOffset.x, row + m_vSlideOffset.y);
    }
    const bool muted = app.m_pSaveData && app.m_pSaveData->Header().m_bMuted;
    PlaceButton(muted ? m_pBtnSoundOff : m_pBtnSoundOn, -150.0f, -130.0f);
    const bool windowed = !g_pD3DApp || g_pD3DApp->m_bWindowed;
    PlaceButton(windowed ? m_pBtnFullScreenOff : m_pBtnFullScreenOn, 0.0f, -130.0f);
    PlaceButton(m_pBtnOK, 150.0f, -130.0f);
}

bool CEffect_MsgBox::InputAllowed(CGameApplication& app) const {
    if (!IsOpen() || RecordAlive(app.m_pEffectSwitchPage) || m_bSwitching || m_vSlideOffset.y != 0.0f) return false;
    const bool battlePlaying = CurrentPageIndex(app) == BATTLE_PAGE_INDEX && app.m_pPageGame &&
                               app.m_pPageGame->BattleState() == BATTLE_PLAYING;
    return !(battlePlaying && !app.m_bShowStill);
}

void CEffect_MsgBox::ClickSound() {
    if (CGameApplication* app = g_pGameAppInstance) RestartSound(app->m_pSndBtnClick);
}

void CEffect_MsgBox::HandleClick() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !InputAllowed(*app)) return;
    // A press and release within one frame: the button under it takes the
    // release as a finished click and clears the word, but the box answers
    // on the press, so the press is kept for the answers below.
    uint32_t& left = app->m_aInput[0].m_aiKey[MOUSE_LEFT];
    const uint32_t press = left & KEY_PRESSED;
    for (CVxButton* button : m_apPictureButtons) button->ProcessInput();
    left |= press;

    const bool okShown = m_pBtnOK->m_vPosition.x != MSGBOX_OFF_SCREEN;
    const bool cancelShown = m_pBtnCancel->m_vPosition.x != MSGBOX_OFF_SCREEN;
    if (m_pBtnOK->TakePress() || (okShown && TakeKeyRelease(VK_ENTER)) ||
        (okShown && !cancelShown && TakeKeyRelease(VK_ESC))) {
        AnswerOK();
        ClickSound();
    }
    if (m_pBtnCancel->TakePress() || (cancelShown && TakeKeyRelease(VK_ESC))) {
        AnswerCancel();
        ClickSound();
    }
    if (m_pBtnRestart->TakePress()) {
        AnswerRestart();
        ClickSound();
    }
    if (m_pBtnResume->TakePress()) {
        AnswerResume();
        ClickSound();
    }
    if (m_pBtnMenu->TakePress()) {
        AnswerMenu();
        ClickSound();
    }
    HandleSliders(*app);

    // These act on the press itself, as the others do.
    InputRecord& in = app->m_aInput[0];
    struct {
        CVxButton* button;
        void (CEffect_MsgBox::*answer)();
    } const pressed[] = {
        {m_pBtnSoundOff, &CEffect_MsgBox::AnswerSoundButton},
        {m_pBtnSoundOn, &CEffect_MsgBox::AnswerSoundButton},
        {m_pBtnFullScreenOff, &CEffect_MsgBox::AnswerScreenButton},
        {m_pBtnFullScreenOn, &CEffect_MsgBox::AnswerScreenButton},
        {m_pBtnOption, &CEffect_MsgBox::AnswerOption},
        {m_pBtnHelp, &CEffect_MsgBox::AnswerHelp},
        {m_pBtnExit, &CEffect_MsgBox::AnswerExit},
    };
    for (const auto& p : pressed) {
        if (p.button->m_iStatus == BUTTON_DISABLE || !p.button->HitTest()) continue;
        if (!(in.m_aiKey[MOUSE_LEFT] & KEY_PRESSED)) continue;
        in.m_aiKey[MOUSE_LEFT] &= ~KEY_PRESSED;
        (this->*p.answer)();
    }
}

void CEffect_MsgBox::HandleSliders(CGameApplication& app) {
    if (m_iGrabbedSlider == -1) {
        for (int i = 0; i < 2; ++i)
            if (m_apSliderKnob[i]->TakePress()) m_iGrabbedSlider = i;
    }
    if (m_iGrabbedSlider == -1) return;

    const float w = SliderWidth();
    InputRecord& in = app.m_aInput[0];
    if (w > 0.0f) {
        // The cursor in whole pixels, then held to the bar: both ends reach 0 and 100.
        float p = float(in.m_iCursorX - g_iScreenWidth / 2);
        if (p < -w / 2.0f) p = -w / 2.0f;
        if (p > w / 2.0f) p = w / 2.0f;
        m_aiSliderValue[m_iGrabbedSlider] = int((p + w / 2.0f) * 100.0f / w);
        g_iMusicVolume = LevelOfSliderValue(m_aiSliderValue[0]);
        g_iEffectVolume = LevelOfSliderValue(m_aiSliderValue[1]);
        if (CurrentPageIndex(app) == MENU_PAGE_INDEX) app.RefreshSoundVolumes();
    }

    uint32_t& left = in.m_aiKey[MOUSE_LEFT];
    // A release outside the window never arrives; a button no longer held lets go too.
    const bool released = (left & KEY_RELEASED) != 0 || !(left & KEY_HELD);
    if (!released) return;
    left &= ~KEY_RELEASED;
    if (m_iGrabbedSlider == 1) ClickSound();
    m_iGrabbedSlider = -1;
}
