#include "battle/model/BattleSetUp.h"

#include <algorithm>
#include <iterator>

#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RobotArray.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/StageKinds.h"
#include "content/UnitIds.h"
#include "engine/VxBillboard.h"
#include "game/GameApplication.h"

void SetUpBattle(CBattleModel& model) {
    const int stage = model.StageNumber();
    const SaveProfile& profile = model.Profile();
    RuleState(model).m_iHazardTimer = 0;
    RuleState(model).m_iLife = RuleState(model).m_iMaxLife = profile.m_iLifeBooster + 2;
    if (!IsMiniGameStage(stage)) RuleState(model).m_iEnergy = 5 * profile.m_iEnergyBooster + 10;
    else RuleState(model).m_iEnergy = ModeOf(stage) == MiniGameMode::EnergyGoal ? 0 : 999;

    std::fill(std::begin(RuleState(model).m_aiCageCooldown), std::end(RuleState(model).m_aiCageCooldown), 0);
    RuleState(model).m_StageDefinition = StageDefinition{};
    GetStageDefinition(stage, model.Difficulty(), RuleState(model).m_StageDefinition);
    std::fill(std::begin(RuleState(model).m_aFieldCells), std::end(RuleState(model).m_aFieldCells), FieldCell{});
    BuildFieldGrid(stage, RuleState(model).m_aFieldCells, RuleState(model).m_StageDefinition.m_iGroundRow,
                   &RuleState(model).m_iFieldGroundRow);
    std::fill(&RuleState(model).m_aiReachPattern[0][0][0],
              &RuleState(model).m_aiReachPattern[0][0][0] + sizeof RuleState(model).m_aiReachPattern / sizeof(int), 0);

    RuleState(model).m_lstStageCellKinds.clear();
    for (const FieldCell& cell : RuleState(model).m_aFieldCells)
        RuleState(model).m_lstStageCellKinds.push_back(cell.m_iStageKind);
    RuleState(model).m_lstStageCellKinds.sort();
    RuleState(model).m_lstStageCellKinds.unique();

    for (UnitDefinition& d : RuleState(model).m_aHandDefs) d = UnitDefinition{};
    for (UnitDefinition& d : RuleState(model).m_aEnemyDefs) d = UnitDefinition{};

    RuleState(model).m_iOvertimeFrames = 0;
    RuleState(model).m_bOvertimeOpen = true;
    RuleState(model).m_nHandSlots = DECK_SLOTS;
    RuleState(model).m_iCarriedCard = -1;
    RuleState(model).m_iCarriedFrames = 0;
    RuleState(model).m_nLiveRobots = RuleState(model).m_nLiveMachines = 0;
    RuleState(model).m_iStageFrames = RuleState(model).m_iTimeLeft = 60 * RuleState(model).m_StageDefinition.m_iLength;
    std::fill(std::begin(RuleState(model).m_aiEnemyCalls), std::end(RuleState(model).m_aiEnemyCalls), 0);
    RuleState(model).m_iNextRobotSerial = RuleState(model).m_iNextBulletSerial = RuleState(model).m_iNextItemSerial = 0;
    RuleState(model).m_nRobotsLost = RuleState(model).m_nMachinesKilled = 0;
    RuleState(model).m_iStreamCursor = RuleState(model).m_iBatchCursor = 0;

    RuleState(model).m_nEnemyDefs = 0;
    for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k) {
        if (RuleState(model).m_StageDefinition.m_aiEnemyType[k] < FIRST_MACHINE_TYPE) continue;
        GetUnitDefinition(RuleState(model).m_aEnemyDefs[k], RuleState(model).m_StageDefinition.m_aiEnemyType[k],
                          profile, stage);
        ++RuleState(model).m_nEnemyDefs;
    }

    RuleState(model).m_iBattleState = BATTLE_OPENING;
    RuleState(model).m_iStateEntryFrame = model.AppFrame() + 1;
}

namespace {

bool IsStageEnemy(const StageDefinition& def, int type) {
    for (int id : def.m_aiEnemyType)
        if (id == type) return true;
    return false;
}

}  // namespace

void SetUpTurnOrder(CBattleModel& model, int stage) {
    const StageDefinition& def = RuleState(model).m_StageDefinition;
    if (IsMiniGameStage(stage) && IsStageEnemy(def, MachineId::KillerWhale))
        RuleState(model).m_lstDrawFirstTypes.push_back(MachineId::KillerWhale);
    if (IsStageEnemy(def, MachineId::FrostOrca)) RuleState(model).m_lstDrawFirstTypes.push_back(MachineId::FrostOrca);
    if (IsStageEnemy(def, MachineId::Transporter))
        RuleState(model).m_lstDrawSecondTypes.push_back(MachineId::Transporter);
    if (!IsMiniGameStage(stage) && IsStageEnemy(def, MachineId::KillerWhale))
        RuleState(model).m_lstDrawSecondTypes.push_back(MachineId::KillerWhale);
    for (int id = FIRST_MACHINE_TYPE; id <= LAST_MACHINE_TYPE; ++id)
        if (UnitHas(id, UNIT_DRAWN_LAST) && IsStageEnemy(def, id)) RuleState(model).m_lstDrawLastTypes.push_back(id);
}

namespace {

// The counters stand where the application's pictures of them are: the last
// battle may have left the parts panel moved.
void TakePanelPlaces(CBattleModel& model) {
    const CGameApplication* app = g_pGameAppInstance;
    const auto place = [app](int i) {
        return app && app->m_apBbdInterface[i] ? app->m_apBbdInterface[i]->m_vPosition : VxVec3{};
    };
    model.SetPanelPlaces(place(2), place(3));
}

// A mini-game deals its hand and sets its robots down as it is loaded; every
// stage starts its reels and mini-game state afresh.
void SetUpMiniGame(CBattleModel& model, BattleSetUpSteps& steps) {
    ResetMiniGameState(model);
    // The reels start empty; on the slot stages they get their codes here,
    // before the hand is dealt from them.
    SetUpSlotReels(model);
    if (IsMiniGameStage(model.StageNumber())) {
        DealMiniGameHand(model);
        // The loader's records of the dealt hand, every slot's, taken at once:
        // nothing draws the hand yet.
        CBattleModel::HandRecords records;
        model.MakeHandRecords(records);
        model.TakeHandRecords(records);
        steps.LoadDealtHand(records);
        PlaceMiniGameRobots(model);
    }
    FinishMiniGameSetUp(model);
}

}  // namespace

void RunBattleSetUp(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int& shownCount,
                    BattleSetUpSteps& steps) {
    const int stage = model.StageNumber();
    const bool miniGame = IsMiniGameStage(stage);
    model.ClearMiniGameFlag();
    // A map stage shows the profile's slots; a mini-game deals its own.
    const int handSlots = miniGame ? DECK_SLOTS : std::clamp(model.Profile().m_nCardSlots, 0, DECK_SLOTS);
    model.SetHandSlots(handSlots);
    model.EmptyHand();
    model.ClearPartsCollected();
    steps.HandSlotsSet();
    // Cleared before the set-up: the mini-game hands add to these lists.
    model.ClearTurnOrder();

    SetUpBattle(model);
    model.ClearItemFlights();
    model.ClearStageStats();
    TakePanelPlaces(model);
    steps.BattleSetUp();
    SetUpMiniGame(model, steps);
    shownCount = 0;
    model.StartClocks();
    // SetUpBattle opened every slot: a map stage's hand waits for the card choice.
    if (!miniGame) {
        model.SetHandSlots(handSlots);
        model.EmptyHand();
    }
    steps.ClocksStarted();

    steps.LoadMachineArt();
    SetUpTurnOrder(model, stage);
    model.MakeStageUnit();
    steps.StageUnitMade();
    model.ReadCardRecords();
    steps.CardRecordsRead();
    PrepareMiniGameField(model);
    steps.FieldPrepared();

    SetUpRobotArray(model, shownRobots, shownCount);
    model.RefreshStageUnit();
}
