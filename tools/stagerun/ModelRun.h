#pragma once
// Plays a stage with the battle's model alone: no battle page, no mouse. The
// application stands by for what a battle loads (the unit records with their
// art, the stage's backdrop); the model runs over a scene of its own with no
// overlay at all, and a log of commands plays the player's part and ends
// what the page would have shown, each at its battle frame. Played from the
// same stage, seed and profile as a logged page run, it ends where that run
// ended.
#include <memory>
#include <string>
#include <vector>

#include "battle/model/BattleCommands.h"
#include "battle/model/BattleDrawer.h"
#include "battle/model/BattleScene.h"
#include "tools/stagerun/StageRun.h"

class CBattleModel;
class CCom_GameRobot;

class ModelRun {
public:
    ModelRun(const StageRunOptions& options, std::vector<LoggedCommand> log);
    ~ModelRun();
    ModelRun(const ModelRun&) = delete;
    ModelRun& operator=(const ModelRun&) = delete;

    // The application, the profile and the seed, then the battle's set-up as
    // the page's loading makes it. False (with Error()) as StageRun::Start.
    bool Start();
    // One frame, in the order of the page's: input, update, render, overlay.
    void Step();
    // Steps until the battle's summary has had a frame, or the frame limit.
    StageRunResult RunToEnd();

    CBattleModel& Model() { return *m_pModel; }
    uint64_t Checksum() const;
    // Logged commands not yet applied.
    size_t Left() const { return m_vecLog.size() - m_iNext; }
    const std::string& Error() const { return m_host.Error(); }

private:
    void ApplyDue(bool showingsEnded);
    void RunStateRules();
    void LoadHand();

    StageRun m_host;
    BattleScene m_scene;
    std::unique_ptr<CBattleModel> m_pModel;
    std::vector<CCom_GameRobot> m_vecPreview;
    int m_nPreview = 0;
    std::vector<LoggedCommand> m_vecLog;
    size_t m_iNext = 0;
    SilentBattleDrawer m_drawer;
    StageRunOptions m_options;
};
