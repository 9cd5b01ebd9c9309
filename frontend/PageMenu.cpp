#include "frontend/PageMenu.h"

#include "game/GameApplication.h"
#include "engine/VxResourceManager.h"
#include "game/GameSaveData.h"

int CPageMenu::Load() {
    CGameApplication* app = g_pGameAppInstance;
    if (app && app->m_iOldPage == 0) app->LoadSharedResources();
    return 0;
}

int CPageMenu::Unload() {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return 0;
    if (m_pResourceManager) m_pResourceManager->StopSounds();
    if (app->m_pSaveData && !app->m_bSaveDeclined) app->m_pSaveData->Save();
    app->ReleaseStartupResources();
    return 0;
}
