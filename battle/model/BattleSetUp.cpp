#include "battle/model/BattleSetUp.h"

#include <algorithm>
#include <iterator>

#include "battle/model/BattleModel.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/UnitIds.h"
#include "engine/VxXApplication.h"

void SetUpBattle(CBattleModel& model, int stage, const SaveProfile& profile) {
    model.m_iHazardTimer = 0;
    model.m_iLife = model.m_iMaxLife = profile.m_iLifeBooster + 2;
    if (stage <= 150) model.m_iEnergy = 5 * profile.m_iEnergyBooster + 10;
    else model.m_iEnergy = stage == 172 ? 0 : 999;

    std::fill(std::begin(model.m_aiCageCooldown), std::end(model.m_aiCageCooldown), 0);
    model.m_StageDefinition = StageDefinition{};
    GetStageDefinition(stage, model.m_StageDefinition);
    std::fill(std::begin(model.m_aFieldCells), std::end(model.m_aFieldCells), FieldCell{});
    BuildFieldGrid(stage, model.m_aFieldCells, model.m_StageDefinition.m_iGroundRow, &model.m_iFieldGroundRow);
    std::fill(&model.m_aiReachPattern[0][0][0],
              &model.m_aiReachPattern[0][0][0] + sizeof model.m_aiReachPattern / sizeof(int), 0);

    model.m_lstStageCellKinds.clear();
    for (const FieldCell& cell : model.m_aFieldCells) model.m_lstStageCellKinds.push_back(cell.m_iStageKind);
    model.m_lstStageCellKinds.sort();
    model.m_lstStageCellKinds.unique();

    for (UnitDefinition& d : model.m_aHandDefs) d = UnitDefinition{};
    for (UnitDefinition& d : model.m_aEnemyDefs) d = UnitDefinition{};

    model.m_iOvertimeFrames = 0;
    model.m_bOvertimeOpen = true;
    model.m_nHandSlots = DECK_SLOTS;
    model.m_iCarriedCard = -1;
    model.m_iCarriedFrames = 0;
    model.m_nLiveRobots = model.m_nLiveMachines = 0;
    model.m_iStageFrames = model.m_iTimeLeft = 60 * model.m_StageDefinition.m_iLength;
    std::fill(std::begin(model.m_aiEnemyCalls), std::end(model.m_aiEnemyCalls), 0);
    g_iNextRobotSerial = g_iNextBulletSerial = g_iNextItemSerial = 0;
    model.m_nRobotsLost = model.m_nMachinesKilled = 0;
    model.m_iStreamCursor = model.m_iBatchCursor = 0;

    model.m_nEnemyDefs = 0;
    for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k) {
        if (model.m_StageDefinition.m_aiEnemyType[k] < FIRST_MACHINE_TYPE) continue;
        GetUnitDefinition(model.m_aEnemyDefs[k], model.m_StageDefinition.m_aiEnemyType[k]);
        ++model.m_nEnemyDefs;
    }

    model.m_iBattleState = BATTLE_OPENING;
    model.m_iStateEntryFrame = (g_pApp ? int(g_pApp->m_nFrame) : 0) + 1;
    std::fill(std::begin(model.m_abStateFlags), std::end(model.m_abStateFlags), false);
}

namespace {

bool IsStageEnemy(const StageDefinition& def, int type) {
    for (int id : def.m_aiEnemyType)
        if (id == type) return true;
    return false;
}

}  // namespace

void SetUpTurnOrder(CBattleModel& model, int stage) {
    const StageDefinition& def = model.m_StageDefinition;
    if (stage > 150 && IsStageEnemy(def, MachineId::KillerWhale))
        model.m_lstDrawFirstTypes.push_back(MachineId::KillerWhale);
    if (IsStageEnemy(def, MachineId::FrostOrca)) model.m_lstDrawFirstTypes.push_back(MachineId::FrostOrca);
    if (IsStageEnemy(def, MachineId::Transporter)) model.m_lstDrawSecondTypes.push_back(MachineId::Transporter);
    if (stage <= 150 && IsStageEnemy(def, MachineId::KillerWhale))
        model.m_lstDrawSecondTypes.push_back(MachineId::KillerWhale);
    for (int id = FIRST_MACHINE_TYPE; id <= LAST_MACHINE_TYPE; ++id)
        if (UnitHas(id, UNIT_DRAWN_LAST) && IsStageEnemy(def, id)) model.m_lstDrawLastTypes.push_back(id);
}
