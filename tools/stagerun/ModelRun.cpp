#include "tools/stagerun/ModelRun.h"

#include <algorithm>
#include <iterator>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRoad.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/BattleStates.h"
#include "battle/model/JumpingRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/RobotArray.h"
#include "battle/model/SlotMachineRules.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/SaveProfile.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "engine/framework/RoadStep.h"
#include "game/GameApplication.h"
#include "tools/stagerun/BattleChecksum.h"

ModelRun::ModelRun(const StageRunOptions& options, std::vector<LoggedCommand> log)
    : m_host(options), m_vecLog(std::move(log)), m_options(options) {}

ModelRun::~ModelRun() {
    if (m_pModel) delete m_pModel->m_pStage;
    m_pModel.reset();
}

// The battle's part of the page's loading, in its order.
bool ModelRun::Start() {
    if (!m_host.Prepare()) return false;
    CGameApplication& app = m_host.App();
    const int stage = m_options.stage;
    const SaveProfile& profile = g_CurrentProfile;
    app.m_nFrame = 0;
    m_pModel = std::make_unique<CBattleModel>(m_scene);
    CBattleModel& model = *m_pModel;
    // The preview's robots are made before the battle's serials start.
    m_vecPreview.resize(DISPLAY_ROBOTS);

    const int handSlots = stage <= 150 ? std::clamp(profile.m_nCardSlots, 0, DECK_SLOTS) : DECK_SLOTS;
    for (RobotArt& art : m_scene.m_aHandArt) ClearRobotArt(art);
    for (RobotArt& art : m_scene.m_aEnemyArt) ClearRobotArt(art);
    SetUpBattle(model, stage, profile);
    model.m_pStage = new CCom_GameStage(model);
    if (stage > 150) model.m_pStage->m_fScrollX = 0.0f;
    for (int i = 0; i < ROBOT_TYPES; ++i) GetUnitDefinition(model.m_aCardDefs[i], i);
    ResetMiniGameState(model);
    SetUpSlotReels(model);
    model.m_iBattleFrame = 0;
    model.m_iStateFrames = 0;
    model.m_fGameSpeed = 1.0f;
    std::fill(std::begin(model.m_aiColumnHazard), std::end(model.m_aiColumnHazard), 0);
    model.m_nHandSlots = handSlots;

    // The Machines' records and art come from the application's cache.
    app.LoadEnemyRobotResources(model.m_aEnemyDefs, m_scene.m_aEnemyArt);
    SetUpTurnOrder(model, stage);

    SetUpRobotArray(model, m_vecPreview, m_nPreview);
    model.m_pStage->Update(model, true);
    return true;
}

// What the stage loader makes of a chosen hand, taken over at once as the
// page does when the loader runs on its own thread's behalf.
void ModelRun::LoadHand() {
    CBattleModel& model = *m_pModel;
    CBattleModel::HandRecords records;
    model.MakeHandRecords(records);
    HandSlot hand[HAND_SLOTS];
    std::copy(std::begin(model.m_aHand), std::end(model.m_aHand), std::begin(hand));
    hand[REMOVER_SLOT].m_iCard = ROBOT_REMOVER;
    CGameApplication& app = m_host.App();
    app.LoadPlayerRobotResources(hand, m_scene.m_aHandArt);
    model.TakeHandRecords(records);
}

// Play commands come with the input; the hand and the ends of what the page
// showed come where the page's state step makes them.
void ModelRun::ApplyDue(bool showingsEnded) {
    CBattleModel& model = *m_pModel;
    while (m_iNext < m_vecLog.size() && m_vecLog[m_iNext].frame <= model.m_iBattleFrame) {
        const LoggedCommand& c = m_vecLog[m_iNext];
        if (c.frame < model.m_iBattleFrame) {
            ++m_iNext;  // its frame passed: it stays unapplied
            continue;
        }
        if (IsPlayCommand(c.command) == showingsEnded) return;
        Apply(model, c.command);
        if (std::holds_alternative<ChooseHand>(c.command)) LoadHand();
        ++m_iNext;
    }
}

void ModelRun::RunStateRules() {
    CBattleModel& model = *m_pModel;
    switch (model.m_iBattleState) {
    case BATTLE_LOADING: StepLoading(model); break;
    case BATTLE_PLAYING:
        if (::StepPlaying(model, false) == PlayStep::StartLine) StepStartLine(model);
        break;
    default: break;
    }
}

void ModelRun::Step() {
    CBattleModel& model = *m_pModel;
    CGameApplication& app = m_host.App();
    ++app.m_nFrame;
    ApplyDue(false);

    RunFieldFrame(model, m_vecPreview, m_nPreview, m_drawer);

    const bool stateOfHud = model.m_iBattleState >= BATTLE_LOADING && model.m_iBattleState <= BATTLE_RESULT;
    RunStateRules();
    ApplyDue(true);
    if (stateOfHud && !IsSlotMachineStage(m_options.stage)) model.ChargeHandCards(false, true);
    if (model.m_iBattleState == BATTLE_PLAYING) model.TakeCarriedGhostSerials();
    CountOccupiedCells(model);
    AskForTutorialSteps(model);

    ++model.m_iStateFrames;
    ++model.m_iBattleFrame;
    float dx, dy;
    RoadShakeStep(dx, dy);
}

StageRunResult ModelRun::RunToEnd() {
    CBattleModel& model = *m_pModel;
    while (!(model.m_iBattleState == BATTLE_SUMMARY && model.m_iStateFrames >= 0) &&
           model.m_iBattleFrame < m_options.frameLimit)
        Step();
    StageRunResult r;
    if (model.m_iBattleState >= BATTLE_RESULT) r.outcome = model.m_iLife > 0 ? "won" : "lost";
    r.frame = model.m_iBattleFrame;
    r.life = model.m_iLife;
    r.energy = model.m_iEnergy;
    r.kills = model.m_nMachinesKilled;
    r.checksum = Checksum();
    return r;
}

uint64_t ModelRun::Checksum() const { return BattleChecksum(*m_pModel); }
