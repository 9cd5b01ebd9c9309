// What each answer of the message box does, and what follows a close.
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnitIds.h"
#include "engine/PageIndices.h"
#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"
#include "game/BattleLink.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/MenuLink.h"
#include "platform/D3DApplication.h"

namespace {

int PageIndex(const CGameApplication& app) { return app.m_bSwitchPending ? -1 : int(app.m_iCurrentPage); }

void SaveNow(CGameApplication& app) { app.SaveProgress(); }

void StartPageSwitch(CGameApplication& app, int code) {
    if (app.m_pEffectSwitchPage) app.m_pEffectSwitchPage->Add(code);
}

int SummaryCode(const CGameApplication& app) { return app.m_pPageGame ? app.m_pPageGame->SummarySwitchCode() : 0; }

bool SoundsPaused(const CGameApplication& app) {
    return app.m_pResourceManager && app.m_pResourceManager->m_bSoundsPaused;
}

void ResetAchievementBoard(CGameApplication& app) {
    if (app.m_pEffectNewAchievement) app.m_pEffectNewAchievement->ResetBoard();
}

bool FurthestAreaRecommended() {
    const int f = g_CurrentProfile.m_iFurthestStage;
    return MeetsAreaRecommendation(g_CurrentProfile, GetStageEpisode(f) - 1, GetStageWorld(f) - 1);
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

}  // namespace

void CEffect_MsgBox::AnswerOK() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int kind = m_aInstances[0].kind;
    SaveNow(*app);
    switch (kind) {
    case MSGBOX_RESTART_LEVEL:
        g_bLeavingBattle = true;
        StartPageSwitch(*app, 3);
        return;
    case MSGBOX_EXIT_TO_MENU:
    case MSGBOX_GO_TO_LABORATORY:
    case MSGBOX_GO_TO_UPGRADE_LAB:
    case MSGBOX_TOO_EASY:
    case MSGBOX_TOO_HARD: LeaveBattle(kind); return;
    case MSGBOX_DIFFICULTY_CHANGED: StartPageSwitch(*app, SummaryCode(*app)); return;
    case MSGBOX_CONTINUE_GAME: AnswerContinue(true); return;
    case MSGBOX_OPTIONS: {
        const int page = PageIndex(*app);
        if (page == MENU_PAGE_INDEX) Close();
        else if (page == BATTLE_PAGE_INDEX) SwitchTo(MSGBOX_PAUSE);
        return;
    }
    default: break;
    }
    if (IsWarningKind(kind)) {
        if (m_lstPendingWarnings.empty()) {
            Close();
        } else {
            const int next = m_lstPendingWarnings.front();
            m_lstPendingWarnings.pop_front();
            SwitchTo(next);
        }
        return;
    }
    AnswerPlainOK(kind);
}

void CEffect_MsgBox::AnswerPlainOK(int kind) {
    CGameApplication* app = g_pGameAppInstance;
    CMenuLink* menu = app->m_pPageMenu;
    const bool recommendedBefore = FurthestAreaRecommended();
    switch (kind) {
    case MSGBOX_DELETE_PROFILE:
        if (menu) menu->DeleteCurrentProfile();
        break;
    case MSGBOX_BUY_UPGRADE:
        if (menu && menu->MenuSubScreen() == MENU_LABORATORY) menu->BuyLabItem();
        else if (menu && menu->MenuSubScreen() == MENU_UPGRADE) menu->BuyUpgrade();
        break;
    default: {
        // Tips that are shown once.
        static const int kHintKinds[][2] = {{18, 0}, {19, 1}, {23, 2}, {27, 3}, {32, 6}, {33, 7}};
        for (const auto& h : kHintKinds)
            if (h[0] == kind) g_CurrentProfile.m_abHintShown[h[1]] = 1;
        break;
    }
    }
    if (kind == MSGBOX_BUY_UPGRADE && !recommendedBefore && FurthestAreaRecommended()) {
        SwitchTo(MSGBOX_NEW_MAP_UNLOCK);
        return;
    }
    Close();
}

void CEffect_MsgBox::LeaveBattle(int kind) {
    CGameApplication* app = g_pGameAppInstance;
    g_bLeavingBattle = true;
    ResetAchievementBoard(*app);
    SaveProfile& p = g_CurrentProfile;
    switch (kind) {
    case MSGBOX_GO_TO_LABORATORY: app->m_iMenuReturnScreen = MENU_LABORATORY; break;
    case MSGBOX_GO_TO_UPGRADE_LAB: app->m_iMenuReturnScreen = MENU_UPGRADE; break;
    case MSGBOX_TOO_EASY:
        p.m_iDifficulty = Clamp(p.m_iDifficulty + 1, DIFFICULTY_EASY, DIFFICULTY_HARD);
        p.m_abHintShown[5] = 1;
        break;
    case MSGBOX_TOO_HARD:
        p.m_iDifficulty = Clamp(p.m_iDifficulty - 1, DIFFICULTY_EASY, DIFFICULTY_HARD);
        p.m_abHintShown[4] = 1;
        break;
    case MSGBOX_EXIT_TO_MENU:
        if (app->m_iNewArea != -1) app->m_iMenuReturnScreen = MENU_STAGE_MAP;
        break;
    default: break;
    }
    if (kind == MSGBOX_TOO_EASY || kind == MSGBOX_TOO_HARD) {
        SwitchTo(MSGBOX_DIFFICULTY_CHANGED);
        return;
    }
    StartPageSwitch(*app, app->m_iMenuReturnScreen * 10 + MENU_PAGE_INDEX);
}

void CEffect_MsgBox::AnswerContinue(bool ok) {
    CGameApplication* app = g_pGameAppInstance;
    const int furthest = g_CurrentProfile.m_iFurthestStage;
    const int episode = GetStageEpisode(furthest);
    const int area = GetStageWorld(furthest);
    if (ok && MeetsAreaRecommendation(g_CurrentProfile, episode - 1, area - 1)) {
        app->m_iMenuReturnScreen = MENU_MISSION;
        app->m_iCurrentStage = furthest;
        StartPageSwitch(*app, 3);
        m_bContinueAnswered = true;
        return;
    }
    if (CMenuLink* menu = app->m_pPageMenu) {
        for (int i = 0; i < episode - 1; ++i) menu->StepEpisode(true);
        menu->StopEpisodeScroll();
        for (int i = 0; i < area - 1; ++i) menu->ScrollStageMap(1);
        menu->StopMapScroll();
    }
    if (ok) {
        app->m_iNewArea = area;
        m_bContinueAnswered = true;
    }
    Close();
}

void CEffect_MsgBox::AnswerCancel() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int kind = m_aInstances[0].kind;
    switch (kind) {
    case MSGBOX_RESTART_LEVEL: SwitchTo(MSGBOX_PAUSE); return;
    case MSGBOX_EXIT_TO_MENU: {
        const bool playing = app->m_pPageGame && app->m_pPageGame->BattleState() >= BATTLE_PLAYING;
        if (playing) {
            SwitchTo(MSGBOX_PAUSE);
            return;
        }
        Close();
        if (SoundsPaused(*app)) app->ResumeAllSounds();
        return;
    }
    case MSGBOX_CONTINUE_GAME: AnswerContinue(false); return;
    case MSGBOX_TOO_EASY:
    case MSGBOX_TOO_HARD:
    case MSGBOX_GO_TO_LABORATORY:
    case MSGBOX_GO_TO_UPGRADE_LAB:
        // Declined once, never asked again.
        if (kind == MSGBOX_TOO_EASY) g_CurrentProfile.m_abHintShown[5] = 1;
        if (kind == MSGBOX_TOO_HARD) g_CurrentProfile.m_abHintShown[4] = 1;
        ResetAchievementBoard(*app);
        StartPageSwitch(*app, SummaryCode(*app));
        return;
    default: break;
    }
    // A cancelled warning stays in the list so the close knows to go back to the selection.
    if (IsWarningKind(kind)) m_lstPendingWarnings.push_back(kind);
    Close();
}

void CEffect_MsgBox::AnswerRestart() { SwitchTo(MSGBOX_RESTART_LEVEL); }

void CEffect_MsgBox::AnswerMenu() { SwitchTo(MSGBOX_EXIT_TO_MENU); }

void CEffect_MsgBox::AnswerResume() {
    CGameApplication* app = g_pGameAppInstance;
    Close();
    if (app && SoundsPaused(*app)) app->ResumeAllSounds();
}

void CEffect_MsgBox::AnswerOption() {
    SwitchTo(MSGBOX_OPTIONS);
    ClickSound();
}

void CEffect_MsgBox::AnswerHelp() {
    CGameApplication* app = g_pGameAppInstance;
    SwitchTo(-1);
    if (app && app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Start(0, 1);
    // Slides out, and the help pop-up follows instead of a new box.
    m_iShownKind = MSGBOX_HELP;
    ClickSound();
}

void CEffect_MsgBox::AnswerExit() {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_pEffectExit) app->m_pEffectExit->Add(0);
    ClickSound();
}

void CEffect_MsgBox::AnswerSoundButton() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app || !app->m_pSaveData) return;
    uint8_t& muted = app->m_pSaveData->Header().m_bMuted;
    muted = muted ? 0 : 1;
    SaveNow(*app);
    if (muted) app->MuteAllSounds();
    else app->UnmuteAllSounds();
    ClickSound();
}

void CEffect_MsgBox::AnswerScreenButton() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    ClickSound();
    if (app->m_pSaveData) {
        uint8_t& windowed = app->m_pSaveData->Header().m_bWindowed;
        windowed = windowed ? 0 : 1;
        SaveNow(*app);
    }
    if (g_pD3DApp) g_pD3DApp->ToggleFullscreen();
    if (PageIndex(*app) == BATTLE_PAGE_INDEX) {
        if (app->m_pEffectBlackScreen) app->m_pEffectBlackScreen->Clear(0);
        app->m_bCaptureStill = true;
        app->m_bShowStill = false;
    }
    m_bPictureCached = false;
}

void CEffect_MsgBox::AfterClose(int closedKind, int shownKind) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const int page = PageIndex(*app);
    CBattleLink* battle = app->m_pPageGame;
    if (shownKind == MSGBOX_HELP) {
        if (battle) {
            if (IsMiniGameStage(app->m_iCurrentStage)) {
                if (CVxEffect* howTo = battle->HowToMiniGameEffect()) howTo->Add(0);
            } else if (CVxEffect* howTo = battle->HowToPlayEffect()) {
                howTo->Add(g_CurrentProfile.m_abRobotUnlocked[RobotId::RemoverBot] ? 1 : 0);
            }
        }
    } else if (page == BATTLE_PAGE_INDEX) {
        app->m_bCaptureStill = false;
        app->m_bShowStill = false;
        app->RefreshSoundVolumes();
        if (IsWarningKind(closedKind)) {
            if (m_lstPendingWarnings.empty()) {
                if (battle) battle->StartBackgroundLoader();
            } else {
                m_lstPendingWarnings.clear();
            }
        }
    } else if (page == MENU_PAGE_INDEX && app->m_pPageMenu) {
        CMenuLink* menu = app->m_pPageMenu;
        menu->ForgetOpenMsgBox();
        if (closedKind == MSGBOX_CONTINUE_GAME) {
            const bool toMap = GetStageEpisode(g_CurrentProfile.m_iFurthestStage) == 1 || m_bContinueAnswered;
            menu->RequestSubScreen(toMap ? MENU_STAGE_MAP : MENU_EPISODE, -1);
        }
    }
    if (app->m_iCurrentStage == 1 && g_CurrentProfile.m_iFurthestStage == 1 && m_pBtnHelp->m_iStatus == BUTTON_DISABLE)
        m_pBtnHelp->m_iStatus = BUTTON_NORMAL;
}
