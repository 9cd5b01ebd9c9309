#include "frontend/PageMenu.h"

#include "content/SaveProfile.h"
#include "engine/VxResourceManager.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "game/MsgBoxKinds.h"

int CPageMenu::Load() {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_iOldPage == 0) app->LoadSharedResources();
    return 0;
}

int CPageMenu::Unload() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    if (m_pResourceManager) m_pResourceManager->StopSounds();
    app->SaveProgress();
    app->ReleaseStartupResources();
    return 0;
}

bool CPageMenu::MeetsAreaRecommendation(int group, int area) const {
    return ::MeetsAreaRecommendation(g_CurrentProfile, group, area);
}

void CPageMenu::RequestSubScreen(int next, int direction) {
    m_iChangeDirection = direction;
    m_iChangeState = 1;
    m_iChangeCountdown = 15;
    m_iNextScreen = next;
}

void CPageMenu::ForgetCachedPictures() {
    if (m_pRobotInfo) m_pRobotInfo->m_abBoardRendered[0] = m_pRobotInfo->m_abBoardRendered[1] = false;
}
