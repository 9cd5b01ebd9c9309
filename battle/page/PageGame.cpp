#include "battle/page/PageGame.h"

#include "engine/VxXApplication.h"

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
