#include "battle/page/PageGame.h"

#include "engine/VxXApplication.h"
#include "game/Effect_NewEnemy.h"
#include "game/Effect_NewRobot.h"
#include "game/Effect_RobotInfo.h"

bool g_bLeavingBattle = false;

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
