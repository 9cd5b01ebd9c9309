// The application's frame, activation, timer and stage-loading hooks.
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxResourceManager.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_Loading.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/Effect_Touch.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/LoadingBar.h"
#include "game/MenuLink.h"
#include "platform/D3DApplication.h"
#include "platform/SoundVolumes.h"
#include "platform/host/Clock.h"
#include "platform/host/WindowMessage.h"

namespace {

constexpr uintptr_t kRestoreCommand = 0xF120;

void TickIf(CVxEffect* effect) {
    if (effect) effect->Tick();
}

}  // namespace

float LoadingBarFill(float f) {
    if (f < 0.1f) return 0.04f + (0.691f - 0.04f) * (f / 0.1f);
    if (f < 0.9f) return 0.691f + (0.8305f - 0.691f) * ((f - 0.1f) / 0.8f);
    return 0.8305f + (0.97f - 0.8305f) * ((f - 0.9f) / 0.1f);
}

int NextLoadingProgress(int progress, bool pageReady) {
    if (!pageReady) return progress + 1;
    float f = float(progress) / float(LOADING_PROGRESS_FULL);
    if (f > 1.0f) f = 1.0f;
    progress += (f > 0.1f && f < 0.9f) ? 50 : 10;
    return progress > LOADING_PROGRESS_FULL ? LOADING_PROGRESS_FULL : progress;
}

int CGameApplication::LoadResources() {
    LoadStartupResources();
    m_fScreenShake = 0.0f;
    delete m_pEffectLoading;
    m_pEffectLoading = new CEffect_Loading();
    if (m_iCurrentPage != 0) LoadSharedResources();

    m_iLoadingProgress = 0;
    m_iMenuReturnScreen = MENU_MISSION;
    m_bReturnToMenu = false;
    m_iChosenEpisode = -1;
    m_iNewArea = -1;
    m_iCurrentStage = g_CurrentProfile.m_iFurthestStage;
    m_bProfileJustChosen = m_iCurrentPage <= 1;
    m_nEasyWinStreak = 0;
    m_nLossStreak = 0;
    m_bInitialised = true;

    if (CVxPage* page = PageAt(m_iCurrentPage)) {
        if (page->CreateResourceManager() == 0) {
            page->Load();
            page->LoadSubScreens();
        }
    }
    if (m_pSaveData && m_pSaveData->Header().m_bMuted == 1) {
        MuteAllSounds();
    }
    return 0;
}

void CGameApplication::DrawLoadingScreen() {
    if (m_iOldPage != 0) {
        host::Sleep(1000);
        return;
    }
    const bool ready = m_bPageReady;
    float f = float(m_iLoadingProgress) / float(LOADING_PROGRESS_FULL);
    const float cap = ready ? 1.0f : 0.9f;
    if (f > cap) f = cap;
    const float b = LoadingBarFill(f);

    SetCamera2D(g_iScreenWidth, g_iScreenHeight);
    if (g_pD3DApp && !g_pD3DApp->m_bWindowed) {
        const host::DisplayMode& mode = g_pD3DApp->m_settings.Fullscreen_DisplayMode;
        if (mode.height > 0) {
            const float aspect = float(mode.width) / float(mode.height);
            SetCamera2D(int(float(g_iScreenWidth) * (aspect / (4.0f / 3.0f))), g_iScreenHeight);
        }
    }

    if (m_apBbdSplash[0]) m_apBbdSplash[0]->RenderSRT();
    if (CVxBillboard* bar = m_pBbdLoading) {
        bar->SaveState();
        const float w = bar->m_vSize.x;
        bar->ScaleSize2D(0.7f, 0.125f);
        bar->ScaleSize2D(b, 1.0f);
        bar->SetPosition(-7.0f - (1.0f - b) * 0.5f * 0.7f * w, -204.0f, 0.0f);
        bar->SetTextureRect(0.15f, 0.25f, 0.7f * b, 0.125f);
        bar->RenderSRT();
        bar->RestoreState();
    }
    if (m_pBbdLoadingFrame) {
        m_pBbdLoadingFrame->SetPosition(0.0f, -210.0f, 0.0f);
        m_pBbdLoadingFrame->RenderSRT();
    }
    // A full bar lets the held switch finish.
    if (f == 1.0f && m_bHoldSwitch) m_bHoldSwitch = false;
    m_iLoadingProgress = NextLoadingProgress(m_iLoadingProgress, ready);
    // Leave the processor to the loader while it works.
    if (!ready && f < 0.9f) host::Sleep(500);
}

void CGameApplication::UpdateOverlays() {
    TickIf(m_pEffectBlackScreen);
    const int page = m_bSwitchPending ? -1 : int(m_iCurrentPage);
    if (page == MENU_PAGE_INDEX && m_pPageMenu) m_pPageMenu->UpdateMenuMusic();
    if (page == BATTLE_PAGE_INDEX && m_pPageGame) m_pPageGame->AttenuateSounds();
    const bool exitOpen = m_pEffectExit && m_pEffectExit->IsOpen();
    if (!exitOpen) {
        if (page == BATTLE_PAGE_INDEX && m_pPageGame) {
            TickIf(m_pPageGame->HowToPlayEffect());
            if (m_iCurrentStage > 150) TickIf(m_pPageGame->HowToMiniGameEffect());
        }
        TickIf(m_pEffectMsgBox);
        TickIf(m_pEffectTouch);
        TickIf(m_pEffectSwitchPage);
    }
    TickIf(m_pEffectExit);
}

const CVxEffect* CGameApplication::OpenBoard() const {
    if (m_pEffectExit && m_pEffectExit->IsOpen()) return m_pEffectExit;
    if (m_pEffectMsgBox && m_pEffectMsgBox->IsOpen()) return m_pEffectMsgBox;
    if (m_pEffectNewAchievement && m_pEffectNewAchievement->m_bShowing) return m_pEffectNewAchievement;
    return CVxXApplication::OpenBoard();
}

void CGameApplication::OnClose() {
    // The close that follows a confirmed exit is not a question any more.
    if (g_bQuitRequested || !m_pEffectExit || m_pEffectExit->IsOpen()) return;
    m_pEffectExit->m_bRequested = 1;
}

void CGameApplication::OnTimer() {
    // Pages are left alone while a switch is under way.
    if (m_bSwitchPending) return;
    if (m_iCurrentPage == MENU_PAGE_INDEX && m_pPageMenu) m_pPageMenu->UpdateMenuMusic();
    else if (m_iCurrentPage == BATTLE_PAGE_INDEX && m_pPageGame) m_pPageGame->AttenuateSounds();
}

void CGameApplication::LoadStage() {
    if (m_pPageGame) m_pPageGame->BuildHand();
}

void CGameApplication::OnDeactivate() {
    const int page = m_bSwitchPending ? -1 : int(m_iCurrentPage);
    if (page == BATTLE_PAGE_INDEX && m_pPageGame) {
        CEffect_MsgBox* box = m_pEffectMsgBox;
        const bool covered = m_bCaptureStill || m_bShowStill;
        const bool pauseClosing = box && box->IsOpen() && box->m_aInstances[0].kind == MSGBOX_PAUSE &&
                                  box->m_bSwitching && box->m_iShownKind == -1;
        if (!covered || pauseClosing) {
            if (m_pPageGame->BattleState() == BATTLE_BEGIN && box) {
                box->m_bPauseDeferred = true;
            } else if (m_pPageGame->BattleState() == BATTLE_PLAYING) {
                m_bCaptureStill = true;
                m_bShowStill = false;
                if (box) {
                    box->Clear(0);
                    box->m_iShownKind = -1;
                    box->Add(MSGBOX_PAUSE);
                    // Shown fully open at once.
                    box->m_aInstances[0].age = 60;
                    box->m_bPictureCached = false;
                }
                m_pPageGame->DropCarriedCard();
            }
        }
    }
    if (m_pResourceManager) m_pResourceManager->PauseSounds();
    if (CVxPage* current = CurrentPage())
        if (current->m_pResourceManager) current->m_pResourceManager->PauseSounds();
}

void CGameApplication::OnActivate() {
    const int page = m_bSwitchPending ? -1 : int(m_iCurrentPage);
    const bool stillUp = m_bCaptureStill || m_bShowStill;
    // The Pause box is open over the battle: its sounds wait for it to close.
    const bool pausedBattle =
        page == BATTLE_PAGE_INDEX && m_pPageGame && m_pPageGame->BattleState() == BATTLE_PLAYING && stillUp;
    if (!pausedBattle) {
        if (m_pResourceManager) m_pResourceManager->ResumeSounds();
        if (CVxPage* current = CurrentPage())
            if (current->m_pResourceManager) current->m_pResourceManager->ResumeSounds();
    }

    // Render targets may have lost their pictures while the window was away.
    if (page == MENU_PAGE_INDEX && m_pPageMenu) m_pPageMenu->ForgetCachedPictures();
    if (page == BATTLE_PAGE_INDEX && m_pPageGame) m_pPageGame->ForgetCachedPictures();
    if (page == MENU_PAGE_INDEX || page == STORY_PAGE_INDEX || page == BATTLE_PAGE_INDEX) {
        if (m_pEffectMsgBox) m_pEffectMsgBox->m_bPictureCached = false;
        if (m_pEffectExit) m_pEffectExit->m_bPictureReady = false;
        if (m_pEffectNewAchievement) m_pEffectNewAchievement->m_bPictureCached = false;
        if (stillUp) {
            if (m_pEffectBlackScreen && m_pEffectBlackScreen->m_aInstances[0].life > 0) m_pEffectBlackScreen->Clear(0);
            m_bCaptureStill = true;
            m_bShowStill = false;
        }
    }
    if (m_pEffectMsgBox) m_pEffectMsgBox->m_bPauseDeferred = false;
}

void CGameApplication::OnSystemSuspend() {
    if (g_pD3DApp && g_pD3DApp->Window())
        g_pD3DApp->Window()->PostMessage(host::WindowMessage{host::WM_SYSCOMMAND, kRestoreCommand, 0});
    OnDeactivate();
}

void CGameApplication::OnSystemResume() {
    if (g_pD3DApp && g_pD3DApp->Window())
        g_pD3DApp->Window()->PostMessage(host::WindowMessage{host::WM_SYSCOMMAND, kRestoreCommand, 0});
    OnActivate();
}
