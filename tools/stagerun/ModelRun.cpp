#include "tools/stagerun/ModelRun.h"

#include <algorithm>

#include "battle/model/BattleFrame.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleSetUp.h"
#include "battle/model/RobotArray.h"
#include "battle/model/SceneCues.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "engine/PageIndices.h"
#include "engine/framework/RoadStep.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"
#include "tools/stagerun/BattleChecksum.h"

namespace {

// What the application and the content ask of the battle, answered by the
// model: its state, stage record and cells. Nothing is shown over it.
class ModelLink final : public CBattleLink {
public:
    explicit ModelLink(CBattleModel& model) : m_model(model) {}
    int BattleState() const override { return m_model.State().m_iBattleState; }
    void BuildHand() override {}
    void AttenuateSounds() override {}
    void ForgetCachedPictures() override {}
    void StartBackgroundLoader() override {}
    void ChangeSubScreenAtBlack() override {}
    void DropCarriedCard() override {}
    const StageDefinition& Stage() const override { return m_model.State().m_StageDefinition; }
    const FieldCell* FieldCells() const override { return m_model.State().m_aFieldCells; }
    void SetFieldGroundRow(int row) override { m_model.SetFieldGroundRow(row); }
    CVxEffect* HowToPlayEffect() const override { return nullptr; }
    CVxEffect* HowToMiniGameEffect() const override { return nullptr; }
    CVxEffect* CardFullEffect() const override { return nullptr; }
    CVxSound* Music() const override { return nullptr; }
    CVxBillboard* Capsule() const override { return nullptr; }
    RobopediaParts* Robopedia() override { return nullptr; }
    bool HasSummary() const override { return false; }
    bool IsSummaryWonAwaitingChoice() const override { return false; }
    int SummarySwitchCode() const override { return 0; }
    int SummaryChosenStage() const override { return 0; }
    CAchievementNotice* InGameNotice() override { return nullptr; }

private:
    CBattleModel& m_model;
};

}  // namespace

ModelRun::ModelRun(const StageRunOptions& options, std::vector<LoggedCommand> log)
    : m_host(options), m_vecLog(std::move(log)), m_vecDone(m_vecLog.size(), false), m_options(options) {}

ModelRun::~ModelRun() {
    if (m_pModel) {
        CGameApplication& app = m_host.App();
        app.m_pPageGame = m_pPage;
        app.m_iCurrentPage = 0;
        m_pModel->ForgetStageUnit();
    }
    m_pModel.reset();
}

bool ModelRun::Start() { return m_host.Prepare(); }

// What the page's loading does besides the battle's set-up, for a run with
// no page: the art the units read.
class ModelRun::LoadSteps final : public BattleSetUpSteps {
public:
    explicit LoadSteps(ModelRun& run) : m_run(run) {}
    void HandSlotsSet() override {
        for (RobotArt& art : m_run.m_scene.m_aHandArt) ClearRobotArt(art);
        for (RobotArt& art : m_run.m_scene.m_aEnemyArt) ClearRobotArt(art);
    }
    void LoadDealtHand(const CBattleModel::HandRecords& records) override {
        m_run.m_host.App().LoadPlayerRobotResources(records.hand, m_run.m_scene.m_aHandArt);
    }
    // The Machines' records and art come from the application's cache.
    void LoadMachineArt() override {
        m_run.m_host.App().LoadEnemyRobotResources(m_run.m_pModel->State().m_aEnemyDefs, m_run.m_scene.m_aEnemyArt);
    }

private:
    ModelRun& m_run;
};

// The battle's set-up, as the page's loading runs it.
void ModelRun::SetUp() {
    CGameApplication& app = m_host.App();
    const SaveProfile& profile = g_CurrentProfile;
    app.m_nFrame = 0;
    m_clock.Set(0);
    m_pModel = std::make_unique<CBattleModel>(m_scene);
    CBattleModel& model = *m_pModel;
    model.TakeContext(BattleContext{m_options.stage, profile.m_iDifficulty, &g_CurrentProfile, &m_clock});
    // The battle is what the application shows, though no page draws it.
    m_pLink = std::make_unique<ModelLink>(model);
    m_pPage = app.m_pPageGame;
    app.m_pPageGame = m_pLink.get();
    app.m_iCurrentPage = BATTLE_PAGE_INDEX;
    // The preview's robots take none of the battle's serials.
    m_vecPreview = MakeShownRobots();
    LoadSteps steps(*this);
    RunBattleSetUp(model, m_vecPreview, m_nPreview, steps);
}

// What the stage loader makes of a chosen hand, taken over at once as the
// page does when the loader runs on its own thread's behalf.
void ModelRun::LoadHand() {
    CBattleModel& model = *m_pModel;
    CBattleModel::HandRecords records;
    model.MakeHandRecords(records);
    m_host.App().LoadPlayerRobotResources(records.hand, m_scene.m_aHandArt);
    model.TakeHandRecords(records);
}

// A frame's commands come in three places: the stills the battle stood
// through before it, the player's acts with the input, the hand's choice and
// the ends of what the page showed where the page's state step makes them.
ModelRun::Phase ModelRun::PhaseOf(const BattleCommand& command) {
    if (std::holds_alternative<StandStill>(command)) return Phase::Still;
    // A cut parachute comes first among the player's acts: a Machine cuts none then.
    if (std::holds_alternative<CutParachute>(command)) return Phase::Parachute;
    return IsPlayCommand(command) ? Phase::Input : Phase::Showing;
}

void ModelRun::ApplyDue(Phase phase) {
    CBattleModel& model = *m_pModel;
    const int frame = model.State().m_iBattleFrame;
    while (m_iNext < m_vecLog.size() && m_vecLog[m_iNext].frame < frame) ++m_iNext;
    for (size_t i = m_iNext; i < m_vecLog.size() && m_vecLog[i].frame == frame; ++i) {
        const LoggedCommand& c = m_vecLog[i];
        if (m_vecDone[i] || PhaseOf(c.command) != phase) continue;
        m_vecDone[i] = true;
        if (!Apply(model, c.command)) {
            m_vecRefused.push_back(c);
        } else if (const auto* still = std::get_if<StandStill>(&c.command)) {
            for (int k = 0; k < still->frames; ++k) PassStillFrame();
        } else if (std::holds_alternative<ChooseHand>(c.command)) {
            LoadHand();
        }
    }
}

// A frame of the application's with the battle standing: the clock, and the
// screen's shake, which goes on.
void ModelRun::PassStillFrame() {
    m_host.PassFrameTime();
    AdvanceClock();
    float dx, dy;
    RoadShakeStep(dx, dy);
}

// The battle's clock, and the application's frame beside it, which its own
// readers go by.
void ModelRun::AdvanceClock() {
    m_clock.Advance();
    ++m_host.App().m_nFrame;
}

size_t ModelRun::Left() const { return size_t(std::count(m_vecDone.begin(), m_vecDone.end(), false)); }

class ModelRun::LogSteps final : public PlayInputSteps, public QuietFrameSteps {
public:
    explicit LogSteps(ModelRun& run) : m_run(run) {}
    void CutParachutes() override { m_run.ApplyDue(Phase::Parachute); }
    void PlayerActs() override { m_run.ApplyDue(Phase::Input); }
    void StateShown(int) override { m_run.ApplyDue(Phase::Showing); }

private:
    ModelRun& m_run;
};

void ModelRun::Step() {
    if (!m_pModel) {
        m_host.PassFrameTime();
        SetUp();
        return;
    }
    CBattleModel& model = *m_pModel;
    CGameApplication& app = m_host.App();
    ApplyDue(Phase::Still);
    m_host.PassFrameTime();
    AdvanceClock();
    LogSteps steps(*this);
    // The application hands the page no input in its first ten frames.
    if (model.State().m_iBattleState == BATTLE_PLAYING && app.m_nFrame > 10) {
        RunPlayInput(model, steps);
    } else {
        ApplyDue(Phase::Parachute);
        ApplyDue(Phase::Input);
    }
    RunBattleFrame(model, m_vecPreview, m_nPreview, m_drawer, steps);
    // The jolts the rules asked for shake the application's screen, as the page hands them on.
    float amplitude = 0.0f;
    if (TakeScreenShake(m_scene, amplitude)) app.m_fScreenShake = amplitude;
    float dx, dy;
    RoadShakeStep(dx, dy);
}

bool ModelRun::Ended() const {
    if (!m_pModel) return false;
    const CBattleModel& model = *m_pModel;
    return (model.State().m_iBattleState == BATTLE_SUMMARY && model.State().m_iStateFrames >= 0) ||
           model.State().m_iBattleFrame >= m_options.frameLimit;
}

StageRunResult ModelRun::RunToEnd() {
    while (!Ended()) Step();
    const CBattleModel& model = *m_pModel;
    StageRunResult r;
    if (model.State().m_iBattleState >= BATTLE_RESULT) r.outcome = model.State().m_iLife > 0 ? "won" : "lost";
    r.frame = model.State().m_iBattleFrame;
    r.life = model.State().m_iLife;
    r.energy = model.State().m_iEnergy;
    r.kills = model.State().m_nMachinesKilled;
    r.checksum = Checksum();
    return r;
}

int ModelRun::RunComparing(const std::map<int, uint64_t>& checksums) {
    int parted = -1;
    while (!Ended()) {
        // The set-up's frame is the page's switch, before the battle's first.
        const bool setUp = m_pModel != nullptr;
        Step();
        if (!setUp || parted >= 0) continue;
        const auto seen = checksums.find(m_pModel->State().m_iBattleFrame);
        if (seen != checksums.end() && seen->second != Checksum()) parted = seen->first;
    }
    return parted;
}

uint64_t ModelRun::Checksum() const { return BattleChecksum(*m_pModel); }
