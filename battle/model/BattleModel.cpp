// The model's own small rules: its grid lookups.
#include "battle/model/BattleModel.h"

#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "game/GameApplication.h"

// The unit lists are made and destroyed here, where the units are complete types.
CBattleModel::CBattleModel(BattleScene& scene) : m_pScene(&scene) {}

CBattleModel::~CBattleModel() = default;

VxVec3 CBattleModel::FindNearestCell(float x, float y, float z) const {
    return ::FindNearestCell(m_aFieldCells, x, y, z);
}

VxVec3 CBattleModel::GetCellCentre(float x, float y, float z) const { return ::GetCellCentre(m_aFieldCells, x, y, z); }

int CBattleModel::StageNumber() const { return g_pGameAppInstance ? g_pGameAppInstance->m_iCurrentStage.load() : 1; }
