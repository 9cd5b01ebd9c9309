#include "battle/page/PageGame.h"

CPageGame::CPageGame() {
    for (RobotArt& art : m_aHandArt) ClearRobotArt(art);
    for (RobotArt& art : m_aEnemyArt) ClearRobotArt(art);
}
