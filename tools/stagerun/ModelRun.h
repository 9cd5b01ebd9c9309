#pragma once
// Plays a stage with the battle's model alone: no battle page, no mouse. The
// application stands by for what a battle loads (the unit records with their
// art, the stage's backdrop); the model runs over a scene of its own with no
// overlay at all, and a log of commands plays the player's part and ends
// what the page would have shown, each at its battle frame. Played from the
// same stage, seed and profile as a logged page run, it ends where that run
// ended.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "battle/model/BattleCommands.h"
#include "battle/model/BattleContext.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleScene.h"
#include "tools/stagerun/StageRun.h"

class CBattleLink;
class CBattleModel;
class CCom_GameRobot;

class ModelRun {
public:
    ModelRun(const StageRunOptions& options, std::vector<LoggedCommand> log);
    ~ModelRun();
    ModelRun(const ModelRun&) = delete;
    ModelRun& operator=(const ModelRun&) = delete;

    // The application, the profile and the seed. False (with Error()) as
    // StageRun::Start.
    bool Start();
    // One frame. The first sets the battle up as the page's loading does (the
    // frame of the page's switch); each after runs the battle's frame
    // (BattleFrame.h) as the page does, the log's commands at the places the
    // page applied them.
    void Step();
    // The battle's summary has had a frame, or the frame limit is reached.
    bool Ended() const;
    // Steps until it ended.
    StageRunResult RunToEnd();
    // Steps until it ended, holding each battle frame's checksum against the
    // one another run had there; answers the first frame they differ on (-1:
    // none).
    int RunComparing(const std::map<int, uint64_t>& checksums);

    CBattleModel& Model() { return *m_pModel; }
    uint64_t Checksum() const;
    // Logged commands not yet played, and those the battle refused.
    size_t Left() const;
    const std::vector<LoggedCommand>& Refused() const { return m_vecRefused; }
    const std::string& Error() const { return m_host.Error(); }

private:
    enum class Phase { Still, Parachute, Input, Showing };
    static Phase PhaseOf(const BattleCommand& command);
    void ApplyDue(Phase phase);
    void PassStillFrame();
    void AdvanceClock();
    // The frame's steps: the log's commands where the page's input and boards made them.
    class LogSteps;
    // The set-up's steps: the art the units read.
    class LoadSteps;
    void LoadHand();
    void SetUp();

    StageRun m_host;
    BattleScene m_scene;
    std::unique_ptr<CBattleModel> m_pModel;
    std::unique_ptr<CBattleLink> m_pLink;
    CBattleLink* m_pPage = nullptr;  // the application's battle page, left alone
    std::vector<CCom_GameRobot> m_vecPreview;
    int m_nPreview = 0;
    std::vector<LoggedCommand> m_vecLog;
    size_t m_iNext = 0;  // the first command of the frame being played
    std::vector<bool> m_vecDone;
    std::vector<LoggedCommand> m_vecRefused;
    SilentBattleDrawer m_drawer;
    FrameCounter m_clock;
    StageRunOptions m_options;
};
