// The model's own small rules: its grid lookups.
#include "battle/model/BattleModel.h"

#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitIds.h"
#include "game/GameApplication.h"

// The unit lists are made and destroyed here, where the units are complete types.
CBattleModel::CBattleModel(BattleScene& scene) : m_pScene(&scene) {}

CBattleModel::~CBattleModel() = default;

VxVec3 CBattleModel::FindNearestCell(float x, float y, float z) const {
    return ::FindNearestCell(m_aFieldCells, x, y, z);
}

VxVec3 CBattleModel::GetCellCentre(float x, float y, float z) const { return ::GetCellCentre(m_aFieldCells, x, y, z); }

int CBattleModel::StageNumber() const { return g_pGameAppInstance ? g_pGameAppInstance->m_iCurrentStage.load() : 1; }

bool IsFirstTutorialActive() {
    return g_CurrentProfile.m_iFurthestStage == 1 && CurrentStage() == 1 &&
           !g_CurrentProfile.m_abRobotUnlocked[RobotId::CannonBot];
}

bool IsSecondTutorialActive() { return CurrentStage() == 2 && g_CurrentProfile.m_iEnergyBooster == 0; }

CCom_GameRobot** CBattleModel::MiniGameLink(int i) {
    if (i < MINI_GAME_ROBOT_SLOTS) return &m_apMiniGameRobots[i];
    if (i == MINI_GAME_ROBOT_SLOTS) return &m_pMiniGameBoss;
    return &m_apMiniGameExtra[i - MINI_GAME_ROBOT_SLOTS - 1];
}

int CBattleModel::FindHandCard(int robotId) const {
    for (int i = 0; i < HAND_SLOTS; ++i)
        if (m_aHand[i].m_iCard == robotId) return i;
    return -1;
}

void CBattleModel::ForgetMiniGameLinks(int serial) {
    for (int i = 0; i < MINI_GAME_LINKS; ++i) {
        CCom_GameRobot** link = MiniGameLink(i);
        if (*link && (*link)->m_iSerial == serial) *link = nullptr;
    }
}
