// The title screen and the main menu.
#include <algorithm>
#include <cmath>
#include <string>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxTexture.h"
#include "frontend/PageMenu.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"
#include "platform/D3DApplication.h"

namespace {

const char* const kMenuFolder = "Resource\\Menu\\";
const char* const kButtonFolder = "Resource\\Button\\";
constexpr float kDegToRad = 0.017453292f;
constexpr float kListX = 62.0f;
constexpr float kListY = -30.0f;
// Frames after the title comes up before a click is taken.
constexpr int kTitleSettle = 40;
constexpr int kLastMainEntry = 3;
constexpr int kStoryPageCode = 2;

void DrawFaded(CVxBillboard* picture, float x, float y, float alpha) {
    if (!picture) return;
    picture->SaveState();
    picture->SetPosition(x, y, 0.0f);
    picture->SetDiffuse(1.0f, 1.0f, 1.0f, std::max(0.0f, std::min(1.0f, alpha)));
    picture->RenderSRT();
    picture->RestoreState();
}

CVxButton* FacedButton(CPageMenu& page, const CustomType& faces, float x, float y) {
    CVxButton* b = page.AddButton(MENU_MAIN);
    if (!b) return nullptr;
    b->m_bVisible = false;
    CVxButton::SetStateTextures(b, faces.m_apState[BUTTON_PRESS], faces.m_apState[BUTTON_OVER],
                                faces.m_apState[BUTTON_DISABLE], faces.m_apState[BUTTON_NORMAL]);
    b->m_iStatus = BUTTON_NORMAL;
    b->SetPosition(x, y, 0.0f);
    return b;
}

}  // namespace

// ---- title ---------------------------------------------------------------

void CPageMenu::LoadTitle() {
    m_pLogo = MenuPicture("Bbd_Logo.png");
    if (m_pLogo) m_pLogo->ScaleSizeUniform(0.8f);
}

void CPageMenu::UpdateTitle() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int t = app->m_nFrame;
    app->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    DrawFaded(app->m_apBbdSplash[1], 0.0f, 0.0f, 1.0f);
    DrawFaded(app->m_apBbdSplash[0], 0.0f, 0.0f, 1.0f - 0.02f * float(t));
    DrawFaded(app->m_pBbdLoadingTop, 0.0f, -205.0f, 0.5f + 0.5f * std::sin(5.0f * float(t) * kDegToRad));
    if (!m_pLogo) return;
    m_pLogo->SaveState();
    m_pLogo->SetSize(716.8f, 716.8f, 1.0f);
    m_pLogo->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f);
    m_pLogo->SetPosition(110.0f, 140.0f + 5.0f * std::sin(1.5f * float(m_iFrameCount) * kDegToRad), 0.0f);
    m_pLogo->RenderSRT();
    if (t < kTitleSettle) {
        const float size = 716.8f + 25.0f * float(t);
        m_pLogo->SetSize(size, size, 1.0f);
        m_pLogo->SetPosition(110.0f, 140.0f, 0.0f);
        m_pLogo->SetDiffuse(1.0f, 1.0f, 1.0f, 1.0f - 0.025f * float(t));
        m_pLogo->RenderSRT();
    }
    m_pLogo->RestoreState();
}

void CPageMenu::HandleTitleInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || app->m_nFrame <= kTitleSettle || !IsInputFree()) return;
    // A close asked for from the window waits for its box, not for the title.
    if (app->m_pEffectExit && app->m_pEffectExit->m_bRequested) return;
    InputRecord& in = app->m_aInput[0];
    if (!(in.m_aiKey[MOUSE_LEFT] & KEY_RELEASED)) return;
    in.m_aiKey[MOUSE_LEFT] = 0;
    in.m_aiRepeat[MOUSE_LEFT] = 0;
    PlayClick();
    m_iInputHoldOff = MENU_INPUT_LOCK;
    if (app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(-1);
    int next = MENU_MAIN;
    if (!HasProfile()) {
        m_iEntryReturn = MENU_MAIN;
        m_iEntryMode = 0;
        next = MENU_NAME_ENTRY;
    }
    // Straight in, without the slide.
    EnterScreen(next);
    SetSubScreen(next);
}

// ---- main menu -----------------------------------------------------------

void CPageMenu::LoadMainMenu() {
    CGameApplication* app = g_pGameAppInstance;
    for (int n = 1; n <= 4; ++n) {
        const std::string name = "Bbd_Main" + std::to_string(n) + ".png";
        m_apMainEntry[n - 1] = MenuPicture(name.c_str());
        if (m_apMainEntry[n - 1]) m_apMainEntry[n - 1]->SetPosition(kListX, kListY, 0.0f);
    }
    m_pMainClickButton = HandledButton(MENU_MAIN);
    if (m_pMainClickButton) {
        m_pMainClickButton->SetPosition(kListX, kListY, 0.0f);
        m_pMainClickButton->m_iHitHalfWidth = int(0.48f * 530.0f);
        m_pMainClickButton->m_iHitHalfHeight = int(0.48f * 354.0f);
    }
    m_pMainNameTexture = m_pResourceManager->CreateTexture("Bbd_LG_MenuName.png", kMenuFolder);
    for (int i = 0; i < 4; ++i) {
        CVxBillboard* b = m_pResourceManager->CreateBillboard(nullptr, nullptr, m_pMainNameTexture);
        b->SetAlphaBlend(true);
        b->ScaleSize2D(1.0f, 0.2f);
        b->SetTextureRect(0.0f, float(i) / 5.0f, 1.0f, 0.2f);
        m_apMainName[i] = b;
    }
    m_pResourceManager->CreateButtonStates(m_ProfileFaces, "Btn_Profile_", kButtonFolder, 15);
    m_pProfileButton = FacedButton(*this, m_ProfileFaces, -375.0f, 120.0f);
    static const CustomType kNoFaces;
    m_pOptionButton = FacedButton(*this, app ? app->m_aButtonSets[BTN_OPTION] : kNoFaces, -375.0f, -52.5f);
    m_pExitButton = FacedButton(*this, app ? app->m_aButtonSets[BTN_EXIT] : kNoFaces, -375.0f, -225.0f);
}

void CPageMenu::ResetMainMenu() {
    for (int i = 0; i < 4; ++i) m_aMainTarget[i] = VxVec3{kListX, kListY - MENU_LIST_SPACING * float(i), 0.0f};
    m_iMainIndex = 0;
    m_iMainScroll = -1;
}

void CPageMenu::ScrollMainMenu(int direction) {
    const int step = direction == 1 ? 1 : -1;
    m_iMainIndex += step;
    if (m_iMainIndex > kLastMainEntry) {
        m_iMainIndex = kLastMainEntry;
    } else if (m_iMainIndex < 0) {
        m_iMainIndex = 0;
    } else {
        for (VxVec3& t : m_aMainTarget) t.y += MENU_LIST_SPACING * float(step);
    }
    m_iMainScroll = 1;
    PlaySlide();
}

void CPageMenu::UpdateMainMenu() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const bool locked[4] = {false, !g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ACHIEVEMENTS],
                            !g_CurrentProfile.m_abFeatureUnlocked[FEATURE_ROBOPEDIA], false};
    // The click area is the chosen entry's picture, drawn below.
    if (m_pMainClickButton) m_pMainClickButton->MarkDrawn();
    if (m_iMainScroll != -1) {
        m_iEnterFrame = int(app->m_nFrame) + 1;
        if (MoveList(m_apMainEntry, m_aMainTarget, 4, 30.0f)) {
            m_iMainScroll = -1;
            m_vDragVelocity = VxVec3{};
            if (m_iMainIndex == kLastMainEntry && !g_CurrentProfile.m_abHintShown[3])
                OpenMsgBox(MSGBOX_TIP_SCROLL_WHEEL);
        }
    } else {
        PlaceList(m_apMainEntry, m_aMainTarget, 4);
    }
    const bool idle = m_iMainScroll == -1;
    const bool hover = idle && IsInputFree() && m_pMainClickButton && m_pMainClickButton->HitTest();
    for (int i = 0; i < 4; ++i) DrawListEntry(m_apMainEntry[i], locked[i], hover && i == m_iMainIndex && !locked[i]);
    if (CVxBillboard* pic = m_apMainEntry[m_iMainIndex])
        DrawLabelPop(m_apMainName[m_iMainIndex], pic->m_vPosition.x, pic->m_vPosition.y + 160.0f);
}

void CPageMenu::RenderMainMenu() {
    for (CVxButton* b : {m_pProfileButton, m_pOptionButton, m_pExitButton})
        if (b) b->Render();
    if (m_iMainIndex > 0) DrawListArrow(LIST_ARROW_UP);
    if (m_iMainIndex < kLastMainEntry) DrawListArrow(LIST_ARROW_DOWN);
}

void CPageMenu::HandleMainMenuInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree()) return;
    const bool idle = m_iMainScroll == -1;

    CVxButton* down = m_apListButton[LIST_ARROW_DOWN];
    CVxButton* up = m_apListButton[LIST_ARROW_UP];
    const bool downClick = down && down->TakeClick();
    const bool downWheel = TakeWheel(MOUSE_WHEEL_BACKWARD);
    const bool upClick = up && up->TakeClick();
    const bool upWheel = TakeWheel(MOUSE_WHEEL_FORWARD);
    if (downWheel || upWheel) g_CurrentProfile.m_abHintShown[3] = 1;
    if ((downClick || downWheel) && idle && m_iMainIndex < kLastMainEntry) {
        ScrollMainMenu(1);
    } else if ((upClick || upWheel) && idle && m_iMainIndex > 0) {
        ScrollMainMenu(0);
    }

    if (idle && IsTap() && m_pMainClickButton && m_pMainClickButton->HitTest()) {
        switch (m_iMainIndex) {
        case 0: ChoosePlay(); break;
        case 1:
        case 2: {
            const int feature = m_iMainIndex == 1 ? FEATURE_ACHIEVEMENTS : FEATURE_ROBOPEDIA;
            const bool open = g_CurrentProfile.m_abFeatureUnlocked[feature] != 0;
            if (open) {
                RequestSubScreen(m_iMainIndex == 1 ? MENU_ACHIEVEMENTS : MENU_ROBOPEDIA, -1);
                PlayClick();
            } else {
                PlayError();
            }
            break;
        }
        default:
            RequestSubScreen(MENU_CREDITS, -1);
            PlayClick();
            break;
        }
    }

    for (CVxButton* b : {m_pProfileButton, m_pOptionButton, m_pExitButton})
        if (b) b->ProcessInput();
    if (m_pProfileButton && m_pProfileButton->TakeClick()) RequestSubScreen(MENU_PROFILES, -1);
    if (m_pOptionButton && m_pOptionButton->TakeClick()) OpenMsgBox(MSGBOX_OPTIONS);
    if (m_pExitButton && m_pExitButton->TakeClick()) g_bQuitRequested = true;
}

void CPageMenu::ChoosePlay() {
    CGameApplication* app = g_pGameAppInstance;
    SaveProfile& p = g_CurrentProfile;
    if (p.m_aiAchievementProgress[8] >= 1) app->m_bProfileJustChosen = false;
    const int episode = GetStageEpisode(p.m_iFurthestStage);
    const int e = std::min(episode, 3) - 1;
    if (app->m_bProfileJustChosen && e > 0 && !p.m_abStorySeen[e]) {
        app->m_bProfileJustChosen = false;
        for (int i = 0; i < episode - 1; ++i) StepEpisode(true);
        m_iEpisodeScroll = -1;
    }
    if (e == 0 && !p.m_abStorySeen[0]) {
        // The story tells the episode of the stage it leads to.
        app->m_iCurrentStage = p.m_iFurthestStage;
        app->m_iMenuReturnScreen = MENU_MISSION;
        if (app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(kStoryPageCode);
        app->m_bProfileJustChosen = false;
    } else if (app->m_bProfileJustChosen) {
        app->m_bProfileJustChosen = false;
        OpenMsgBox(MSGBOX_CONTINUE_GAME);
    } else {
        RequestSubScreen(episode == 1 ? MENU_STAGE_MAP : MENU_EPISODE, -1);
    }
    PlayClick();
}
