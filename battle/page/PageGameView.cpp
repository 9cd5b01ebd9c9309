// The view the battle's effects draw from: values read off the page, and the
// few steps a closing board asks of it.
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"

float CPageGame::FieldScrollX() const {
    return m_Battle.State().m_pStage ? m_Battle.State().m_pStage->m_fScrollX : 0.0f;
}

int CPageGame::MachinesOnField() const {
    int machines = 0;
    for (const CCom_GameRobot& robot : m_Battle.State().m_lstRobots) machines += robot.IsMachine() ? 1 : 0;
    return machines;
}

bool CPageGame::ShownNewEnemy(NewEnemyShown& out) const {
    if (m_itNewEnemy == m_lstNewEnemies.end()) return false;
    const NewEnemyEntry& entry = *m_itNewEnemy;
    out.picture = entry.picture;
    out.extraPicture = entry.extraPicture;
    out.typeId = entry.typeId;
    out.variant = entry.variant;
    return true;
}

int CPageGame::ShownNewRobot() const { return m_itNewRobot == m_mapNewRobots.end() ? -1 : m_itNewRobot->first; }

CVxBillboard* CPageGame::ShownNewRobotPicture() const {
    return m_itNewRobot == m_mapNewRobots.end() ? nullptr : m_itNewRobot->second;
}

int CPageGame::FirstNewRobot() const { return m_mapNewRobots.empty() ? -1 : m_mapNewRobots.begin()->first; }

bool CPageGame::FirstTutorialActive() const { return IsFirstTutorialActive(m_Battle); }

bool CPageGame::NextNewEnemy() {
    ++m_itNewEnemy;
    return m_itNewEnemy != m_lstNewEnemies.end();
}
