#include "game/Effect_SwitchPage.h"

#include "engine/PageIndices.h"
#include "engine/VxBillboard.h"
#include "engine/VxResourceManager.h"
#include "engine/VxSound.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"

CEffect_SwitchPage::CEffect_SwitchPage() {
    m_nPoolSize = 1;
    m_iDefaultLife = SWITCH_FRAMES;
    Clear(0);
}

void CEffect_SwitchPage::OnFrame(int index) {
    CGameApplication* app = g_pGameAppInstance;
    if (!app) return;
    const EffectInstance& r = m_aInstances[index];
    const int code = r.kind;
    const int life = r.life;
    const float progress = 1.0f - float(life) / float(SWITCH_FRAMES);
    const bool isSwitch = code != -1;

    if (CVxBillboard* mark = app->m_pBbdMark) {
        mark->SaveState();
        mark->SetSize(1.5f * float(g_iScreenWidth), 1.5f * float(g_iScreenHeight), 1.0f);
        mark->SetPosition(0.0f, 0.0f, 0.0f);
        const float alpha = isSwitch ? progress + 1.0f / float(SWITCH_FRAMES) : float(life) / float(SWITCH_FRAMES);
        mark->SetDiffuse(0.0f, 0.0f, 0.0f, alpha);
        mark->RenderSRT();
        mark->RestoreState();
    }

    const bool soundsPaused = app->m_pResourceManager && app->m_pResourceManager->m_bSoundsPaused;
    if (isSwitch && !soundsPaused) {
        CVxSound* music = nullptr;
        if (app->m_iCurrentPage == MENU_PAGE_INDEX && app->m_pPageMenu) music = app->m_pPageMenu->Music();
        if (app->m_iCurrentPage == BATTLE_PAGE_INDEX && app->m_pPageGame) music = app->m_pPageGame->Music();
        if (music) music->SetVolumeFactor(float(life) / float(SWITCH_FRAMES));
    }

    if (!isSwitch || life != 1) return;
    const bool leavingBattle = app->m_iCurrentPage == BATTLE_PAGE_INDEX;
    const CBattleLink* battle = app->m_pPageGame;
    const bool summary = battle && battle->HasSummary();
    int page;
    int subScreen;
    if (code >= 10) {
        page = code % 10;
        subScreen = code / 10;
        if (leavingBattle && page == 2 && summary) app->m_iCurrentStage = battle->SummaryChosenStage();
        if (leavingBattle && page == 1) app->m_bReturnToMenu = true;
    } else {
        page = code;
        subScreen = 0;
        if (leavingBattle && page == 3 && summary) app->m_iCurrentStage = battle->SummaryChosenStage();
    }
    app->SwitchPage(page, subScreen);
    if (app->m_pResourceManager) app->m_pResourceManager->m_bSoundsPaused = false;
}
