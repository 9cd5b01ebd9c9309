// The episode choice: the three episodes and the mini-game entry as a
// scrolling picture list, and the unlock of a newly opened episode.
#include <algorithm>
#include <string>

#include "engine/InputRecord.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "engine/VxTexture.h"
#include "frontend/PageMenu.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"

namespace {

constexpr float kListX = 62.0f;
constexpr float kListY = -30.0f;
constexpr int kMiniGameEntry = 3;
constexpr int kStoryPageCode = 2;
constexpr int kEpisodeStages = 50;

}  // namespace

void CPageMenu::LoadEpisode() {
    for (int k = 0; k < 4; ++k) {
        const std::string name = "Bbd_Episode" + std::to_string(k + 1) + ".png";
        m_apEpisodePicture[k] = MenuPicture(name.c_str());
        if (m_apEpisodePicture[k]) m_apEpisodePicture[k]->SetPosition(kListX, kListY, 0.0f);
    }
    m_pEpisodeNameTexture = MenuNameRows("Bbd_LG_EpisodeName.png", m_apEpisodeName, 4);
    m_pEpisodeClickButton = HandledButton(MENU_EPISODE);
    if (m_pEpisodeClickButton) {
        m_pEpisodeClickButton->SetPosition(kListX, kListY, 0.0f);
        m_pEpisodeClickButton->m_iHitHalfWidth = int(0.48f * 530.0f);
        m_pEpisodeClickButton->m_iHitHalfHeight = int(0.48f * 354.0f);
    }
}

void CPageMenu::ReleaseEpisode() { m_aEpisodeList.clear(); }

void CPageMenu::ResetEpisode() {
    for (int i = 0; i < 4; ++i) m_aEpisodeTarget[i] = VxVec3{kListX, kListY - MENU_LIST_SPACING * float(i), 0.0f};
    m_aEpisodeList.clear();
    m_aEpisodeList.push_back(0);
    m_aEpisodeList.push_back(1);
    if (GetEpisodeOfProgress() >= 3) m_aEpisodeList.push_back(2);
    m_aEpisodeList.push_back(kMiniGameEntry);
    m_iEpisodeChoice = 0;
    m_iEpisodeScroll = -1;
}

void CPageMenu::StepEpisode(bool forward) {
    const bool thirdListed = GetStageEpisode(g_CurrentProfile.m_iFurthestStage) >= 3;
    const float step = forward ? MENU_LIST_SPACING : -MENU_LIST_SPACING;
    m_iEpisodeChoice += forward ? 1 : -1;
    m_iEpisodeScroll = 1;
    if (m_iEpisodeChoice > kMiniGameEntry) {
        m_iEpisodeChoice = kMiniGameEntry;
        return;
    }
    if (m_iEpisodeChoice < 0) {
        m_iEpisodeChoice = 0;
        return;
    }
    if (m_iEpisodeChoice == 2 && !thirdListed) m_iEpisodeChoice = forward ? 3 : 1;
    for (VxVec3& t : m_aEpisodeTarget) t.y += step;
}

bool CPageMenu::IsEpisodeLocked(int entry) const {
    const CGameApplication* app = g_pGameAppInstance;
    const int marker = app ? app->m_iChosenEpisode : -1;
    if (entry < kMiniGameEntry) return entry >= GetEpisodeOfProgress() || entry + 1 == marker;
    return !g_CurrentProfile.m_abFeatureUnlocked[FEATURE_MINI_GAMES];
}

void CPageMenu::UpdateEpisode() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    CEffect_MsgBox* box = app->m_pEffectMsgBox;
    if (box && box->m_bEndOfEpisodePending && IsInputFree()) {
        OpenMsgBox(MSGBOX_END_OF_EPISODE);
        box->m_bEndOfEpisodePending = false;
    }
    const int n = std::min(int(m_aEpisodeList.size()), 4);
    CVxBillboard* pictures[4] = {};
    for (int i = 0; i < n; ++i) pictures[i] = m_apEpisodePicture[m_aEpisodeList[size_t(i)]];
    const bool changing = m_iChangeState != -1 || m_iChangeCountdown != 0;
    // The click area is the chosen entry's picture, drawn below.
    if (m_pEpisodeClickButton) m_pEpisodeClickButton->MarkDrawn();

    // A pending unlock is announced with its entry on top: bring it there,
    // or drop a marker whose episode is not on the list.
    int& marker = app->m_iChosenEpisode;
    if (marker != -1 && m_iEpisodeScroll == -1 && !changing && marker - 1 != m_iEpisodeChoice) {
        const auto it = std::find(m_aEpisodeList.begin(), m_aEpisodeList.end(), marker - 1);
        if (it == m_aEpisodeList.end() || marker - 1 >= kMiniGameEntry) marker = -1;
        else StepEpisode(marker - 1 > m_iEpisodeChoice);
    }

    if (m_iEpisodeScroll != -1) {
        m_iEnterFrame = int(app->m_nFrame) + 1;
        if (!FadeOrSwitchRunning() && MoveList(pictures, m_aEpisodeTarget, n, 30.0f)) {
            m_iEpisodeScroll = -1;
            m_vDragVelocity = VxVec3{};
        }
        for (int i = 0; i < n; ++i) DrawListEntry(pictures[i], IsEpisodeLocked(m_aEpisodeList[size_t(i)]), false);
    } else {
        PlaceList(pictures, m_aEpisodeTarget, n);
        const bool hover = IsInputFree() && m_pEpisodeClickButton && m_pEpisodeClickButton->HitTest();
        for (int i = 0; i < n; ++i) {
            const int k = m_aEpisodeList[size_t(i)];
            const bool locked = IsEpisodeLocked(k);
            DrawListEntry(pictures[i], locked, hover && k == m_iEpisodeChoice && !locked);
            if (k != m_iEpisodeChoice || !pictures[i]) continue;
            const float px = pictures[i]->m_vPosition.x;
            const float py = pictures[i]->m_vPosition.y;
            DrawLabelPop(m_apEpisodeName[k], px, py + 160.0f);
            if (k < kMiniGameEntry && k + 1 != marker) {
                int stars = 0;
                for (int s = 0; s < kEpisodeStages; ++s)
                    stars += g_CurrentProfile.m_aiStageStars[kEpisodeStages * k + s];
                DrawStarPanel(px + 140.0f, py - 127.0f, 0.975f, 0.75f, stars, 150, 0.75f, 82.0f, 6.0f, 1.0f);
            }
            const bool waited = int(app->m_nFrame) - m_iEnterFrame > 10;
            if (k + 1 == marker && waited && !MsgBoxOpen()) {
                if (box && box->m_iLastClosedKind == MSGBOX_NEW_EPISODE_UNLOCK) {
                    if (m_pItemEffect) m_pItemEffect->Spawn(m_pLock, px, py, 0.0f, 1.0f, 2.0f);
                    if (app->m_pSndCardFull) {
                        app->m_pSndCardFull->Stop();
                        app->m_pSndCardFull->Play();
                    }
                    marker = -1;
                } else if (!changing) {
                    OpenMsgBox(MSGBOX_NEW_EPISODE_UNLOCK);
                }
            }
        }
    }
    if (m_iEpisodeChoice > 0) DrawListArrow(LIST_ARROW_UP);
    if (m_iEpisodeChoice < kMiniGameEntry) DrawListArrow(LIST_ARROW_DOWN);
    if (m_pItemEffect) m_pItemEffect->Tick();
}

void CPageMenu::HandleEpisodeInput() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    if (app->m_pEffectMsgBox) app->m_pEffectMsgBox->HandleClick();
    if (!IsInputFree()) return;
    const bool idle = m_iEpisodeScroll == -1;
    const bool down = TakeListStep(true);
    const bool up = TakeListStep(false);
    if (down && idle && m_iEpisodeChoice < kMiniGameEntry) {
        StepEpisode(true);
        m_iEpisodeScroll = 1;
        PlaySlide();
    } else if (up && idle && m_iEpisodeChoice > 0) {
        StepEpisode(false);
        m_iEpisodeScroll = 0;
        PlaySlide();
    }

    if (idle && IsTap() && m_pEpisodeClickButton && m_pEpisodeClickButton->HitTest()) {
        const int k = m_iEpisodeChoice;
        if (k < kMiniGameEntry && k < GetEpisodeOfProgress()) {
            if (!g_CurrentProfile.m_abStorySeen[k]) {
                // The story tells the episode of the stage to play: the
                // furthest one in the episode reached, else the chosen
                // episode's first.
                const int furthest = g_CurrentProfile.m_iFurthestStage;
                app->m_iCurrentStage = GetStageEpisode(furthest) == k + 1 ? furthest : kEpisodeStages * k + 1;
                app->m_iMenuReturnScreen = MENU_MISSION;
                if (app->m_pEffectSwitchPage) app->m_pEffectSwitchPage->Add(kStoryPageCode);
            } else {
                RequestSubScreen(MENU_STAGE_MAP, -1);
            }
            PlayClick();
        } else if (k == kMiniGameEntry && g_CurrentProfile.m_abFeatureUnlocked[FEATURE_MINI_GAMES]) {
            RequestSubScreen(MENU_MINIGAME, -1);
            PlayClick();
        } else {
            PlayError();
        }
    }
    if (m_pBackButton && m_pBackButton->TakeClick()) RequestSubScreen(MENU_MAIN, 1);
}
