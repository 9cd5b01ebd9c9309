#include "battle/page/PageGame.h"

#include "battle/effects/Effect_NewEnemy.h"
#include "battle/effects/Effect_NewRobot.h"
#include "battle/effects/Effect_Summary.h"
#include "engine/VxButton.h"
#include "engine/VxXApplication.h"
#include "game/Effect_RobotInfo.h"
#include "game/GameApplication.h"

CPageGame* BattlePageOf(const CGameApplication* app) {
    return app ? dynamic_cast<CPageGame*>(app->m_pPageGame) : nullptr;
}

CPageGame::CPageGame() {
    for (RobotArt& art : m_aHandArt) ClearRobotArt(art);
    for (RobotArt& art : m_aEnemyArt) ClearRobotArt(art);
}

void CPageGame::StartBackgroundLoader() {
    // The starter raises the loader-running flag itself.
    if (auto* app = dynamic_cast<CVxXApplication*>(g_pApp)) app->StartStageLoaderThread();
    m_iCardChoiceStep = 2;
}

void CPageGame::ForgetCachedPictures() {
    if (m_pEffectNewEnemy) m_pEffectNewEnemy->m_bBoardRendered = false;
    if (m_pEffectNewRobot) m_pEffectNewRobot->m_bBoardRendered = false;
    if (m_pRobotInfo) m_pRobotInfo->m_abBoardRendered[0] = m_pRobotInfo->m_abBoardRendered[1] = false;
}

void CPageGame::ChangeSubScreenAtBlack() {
    if (m_iSubScreen == 0) {
        LoadRobopediaArt();
        RefillCardRecords();
        SetSubScreen(1);
    } else if (m_iSubScreen == 1) {
        SetSubScreen(0);
        FreeRobopediaArt();
        if (m_pButtonAllScreens) m_pButtonAllScreens->SetPosition(9999.0f, 9999.0f, 0.0f);
    }
}

bool CPageGame::IsSummaryWonAwaitingChoice() const {
    return m_pEffectSummary && m_pEffectSummary->IsWonAwaitingChoice();
}

int CPageGame::SummarySwitchCode() const { return m_pEffectSummary ? m_pEffectSummary->m_iSwitchCode : 0; }

int CPageGame::SummaryChosenStage() const { return m_pEffectSummary ? m_pEffectSummary->m_iChosenStage : 0; }
