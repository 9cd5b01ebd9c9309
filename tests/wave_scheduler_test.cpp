// The enemy wave scheduler driven frame by frame on a loaded battle page: the
// tutorial hold and calls that make nothing (the streams themselves are
// pinned by the golden stage runs).
#include <algorithm>
#include <utility>
#include <vector>

#include "battle/model/TutorialSteps.h"
#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/UnitIds.h"
#include "engine/VxSound.h"
#include "platform/Random.h"
#include "tests/StageRunSupport.h"

namespace {

using SpawnLog = std::vector<std::pair<int, int>>;  // elapsed frame, Machines made

struct Streams {
    int seconds;
    int streamStart, streamInterval;
    int waveStart, waveInterval;
    int waveSize, waveSizeStep, waveSizeCap, extra;
    bool finalWave;
    std::vector<int> types;  // records 0.. (weight 1 for record 0 only)
};

class WaveSchedulerTest : public StageRunTest {
protected:
    // Loads the stage and stops before play, so nothing else sends Machines.
    CPageGame& Load(int stage) {
        Begin(stage, 1, 77);
        EXPECT_TRUE(run->RunUntilState(BATTLE_DECK_CHECK, 3000));
        return run->Battle();
    }

    static void Configure(CPageGame& page, const Streams& s) {
        StageDefinition& d = RuleState(page.m_Battle).m_StageDefinition;
        d = StageDefinition{};
        d.m_iLength = s.seconds;
        d.m_iStreamStart = s.streamStart;
        d.m_iStreamInterval = s.streamInterval;
        d.m_iWaveStart = s.waveStart;
        d.m_iWaveInterval = s.waveInterval;
        d.m_iWaveSize = s.waveSize;
        d.m_iWaveSizeStep = s.waveSizeStep;
        d.m_iWaveSizeCap = s.waveSizeCap;
        d.m_iExtraEnemies = s.extra;
        d.m_bFinalWave = s.finalWave;
        d.m_afStreamWeight[0] = d.m_afWaveWeight[0] = 1.0f;
        d.m_iStreamWeightTotal = d.m_iWaveWeightTotal = 1;
        RuleState(page.m_Battle).m_nEnemyDefs = 0;
        for (int i = 0; i < STAGE_ENEMY_RECORDS; ++i) {
            RuleState(page.m_Battle).m_aEnemyDefs[i] = UnitDefinition{};
            RuleState(page.m_Battle).m_aiEnemyCalls[i] = 0;
            d.m_aiEnemyType[i] = i < int(s.types.size()) ? s.types[size_t(i)] : 0;
            if (d.m_aiEnemyType[i]) {
                GetUnitDefinition(RuleState(page.m_Battle).m_aEnemyDefs[i], d.m_aiEnemyType[i]);
                ++RuleState(page.m_Battle).m_nEnemyDefs;
            }
        }
        RuleState(page.m_Battle).m_iStreamCursor = RuleState(page.m_Battle).m_iBatchCursor = 0;
        RuleState(page.m_Battle).m_iStageFrames = 60 * s.seconds;
    }

    // Runs the scheduler over the whole stage time; the Machines it makes are
    // logged by elapsed frame and taken off again.
    static SpawnLog Play(CPageGame& page, std::vector<int>* types = nullptr) {
        SpawnLog log;
        const int T = page.m_Battle.State().m_iStageFrames;
        for (int R = T; R >= 1; --R) {
            RuleState(page.m_Battle).m_iTimeLeft = R;
            UpdateEnemySpawner(page.m_Battle);
            if (page.m_Battle.State().m_lstRobots.empty()) continue;
            log.emplace_back(T - R, int(page.m_Battle.State().m_lstRobots.size()));
            for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) {
                EXPECT_TRUE(r.IsMachine());
                EXPECT_GE(r.m_iRow, 0);
                EXPECT_LT(r.m_iRow, FIELD_ROWS);
                if (types) types->push_back(r.Type());
            }
            RuleState(page.m_Battle).m_lstRobots.clear();
        }
        return log;
    }
};

TEST_F(WaveSchedulerTest, TheFirstTutorialHoldsTheMachinesBeforeStepEightAndDuringStepTen) {
    const Streams streams{60, 10, 10, 500, 10, 1, 0, 1, 0, false, {1000}};
    const std::pair<int, bool> steps[] = {{-1, false}, {5, false},  {7, false}, {8, true},
                                          {9, true},   {10, false}, {11, true}};
    for (const auto& [step, sends] : steps) {
        CPageGame& page = Load(1);  // a fresh profile: the first tutorial runs
        ASSERT_TRUE(IsFirstTutorialActive(page.m_Battle));
        Configure(page, streams);
        TutorialSteps& tutorial = RuleState(page.m_Battle).m_Tutorial;
        tutorial.m_iStep = step;
        // The step was clicked away: a step in full view holds the Machines too.
        tutorial.m_iFadeState = 1;
        tutorial.m_fFade = 30.0f;
        EXPECT_EQ(!Play(page).empty(), sends) << "step " << step;
        run.reset();
    }
}

// From step 8 the board holds the Machines back only while it is idle: its
// step shown, not fading, with the fade timer at exactly 0.
TEST_F(WaveSchedulerTest, TheFirstTutorialsBoardHoldsTheMachinesWhileItIsIdle) {
    const Streams streams{60, 10, 10, 500, 10, 1, 0, 1, 0, false, {1000}};
    const struct {
        const char* rule;
        int fadeState;
        float fade;
        bool sends;
    } rows[] = {
        {"an idle board holds them", 0, 0.0f, false},
        {"a board fading in lets them come", 0, 0.5f, true},
        {"a board fading out lets them come", 1, 0.0f, true},
    };
    for (const auto& r : rows) {
        CPageGame& page = Load(1);
        ASSERT_TRUE(IsFirstTutorialActive(page.m_Battle));
        Configure(page, streams);
        TutorialSteps& tutorial = RuleState(page.m_Battle).m_Tutorial;
        tutorial.m_iStep = 9;
        tutorial.m_iFadeState = r.fadeState;
        tutorial.m_fFade = r.fade;
        EXPECT_EQ(!Play(page).empty(), r.sends) << r.rule;
        run.reset();
    }
}

// The single stream sends its first Machine when its start has passed and
// then one an interval; waves likewise. A wave due less than 0.35 of an
// interval before the end is left out, and the last frame's final wave not.
TEST_F(WaveSchedulerTest, StreamsAndWavesComeOnTheirBeats) {
    const struct {
        const char* rule;
        Streams streams;
        SpawnLog log;
    } rows[] = {
        {"a Machine at 50 s, then every 27 s",
         {110, 50, 27, 500, 10, 1, 0, 1, 0, false, {1000}},
         {{3000, 1}, {4620, 1}, {6240, 1}}},
        {"waves at 120 s and every 40 s, the last one dropped",
         {250, 500, 1, 120, 40, 2, 0, 2, 0, false, {1000}},
         {{7200, 2}, {9600, 2}, {12000, 2}}},
        {"a wave 840 frames before the end comes",
         {254, 500, 1, 120, 40, 2, 0, 2, 0, false, {1000}},
         {{7200, 2}, {9600, 2}, {12000, 2}, {14400, 2}}},
        {"the final wave on the last frame",
         {250, 500, 1, 120, 40, 2, 0, 2, 0, true, {1000}},
         {{7200, 2}, {9600, 2}, {12000, 2}, {14999, 2 + 3}}},
    };
    for (const auto& r : rows) {
        CPageGame& page = Load(103);  // episode 3: the final wave is 3 larger
        Configure(page, r.streams);
        EXPECT_EQ(Play(page), r.log) << r.rule;
        run.reset();
    }
}

TEST_F(WaveSchedulerTest, CallsThatMakeNothingStillCountOnceAndUnknownCodesMakeNothing) {
    CPageGame& page = Load(3);
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {1000, 1030, 1025}});

    // No robot of the player's on the field: a cage finds no cell, yet counts
    // and the cooldowns count down.
    RuleState(page.m_Battle).m_aiCageCooldown[7] = 2;
    EXPECT_EQ(page.m_Battle.CallEnemyRobot(1030, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_TRUE(page.m_Battle.State().m_lstRobots.empty());
    EXPECT_EQ(page.m_Battle.State().m_aiEnemyCalls[1], 1);
    EXPECT_EQ(page.m_Battle.State().m_aiCageCooldown[7], 1);

    // A bomb call counts once however many bombs it scattered.
    page.m_Battle.CallEnemyRobot(1025, 0.0f, 0.0f, 0.0f, true);
    EXPECT_EQ(page.m_Battle.State().m_aiEnemyCalls[2], 1);
    for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) EXPECT_EQ(r.Type(), 1025);
    RuleState(page.m_Battle).m_lstRobots.clear();

    // A code the stage does not have makes nothing; -1 also says so in a box.
    const int boxes = run->MessageBoxes();
    EXPECT_EQ(page.m_Battle.CallEnemyRobot(1031, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_EQ(run->MessageBoxes(), boxes);
    EXPECT_EQ(page.m_Battle.CallEnemyRobot(-1, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_EQ(run->MessageBoxes(), boxes + 1);
    EXPECT_TRUE(page.m_Battle.State().m_lstRobots.empty());

    // A plain Machine is the list's new last robot, at the given point.
    CCom_GameRobot* made = page.m_Battle.CallEnemyRobot(1000, 123.0f, 45.0f, 0.0f, true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made, &page.m_Battle.State().m_lstRobots.back());
    EXPECT_EQ(made->m_vPosition.x, 123.0f);
    EXPECT_EQ(page.m_Battle.State().m_aiEnemyCalls[0], 1);
}

// Bombs fall column by column, each roll rarer than the last. The fifth bomb
// closes the rest of its column only: the drop goes on in the next columns,
// which are scanned whole, so one call can drop six and more.
TEST_F(WaveSchedulerTest, TheFifthBombClosesItsColumnAndTheDropGoesOn) {
    CPageGame& page = Load(3);
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {MachineId::TimeBomb}});
    size_t most = 0;
    bool belowTheFifth = false, twoInALaterColumn = false;
    for (uint32_t seed = 1; seed <= 200; ++seed) {
        RuleState(page.m_Battle).m_lstRobots.clear();
        VxSrand(seed);
        page.m_Battle.CallEnemyRobot(MachineId::TimeBomb, 0.0f, 0.0f, 0.0f, true);
        std::vector<std::pair<int, int>> cells;  // column, row, in the order they fell
        for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
            cells.emplace_back(int(r.m_vCell.x), int(r.m_vCell.y));
        most = std::max(most, cells.size());
        if (cells.size() < 5) continue;
        std::vector<int> perColumn(FIELD_COLUMNS, 0);
        for (size_t i = 5; i < cells.size(); ++i) {
            belowTheFifth = belowTheFifth || cells[i].first == cells[4].first;
            twoInALaterColumn = twoInALaterColumn || ++perColumn[size_t(cells[i].first)] == 2;
        }
    }
    EXPECT_GE(most, 6u) << "no call dropped more than " << most;
    EXPECT_FALSE(belowTheFifth) << "a bomb fell in the fifth's column after it";
    EXPECT_TRUE(twoInALaterColumn) << "a column after the fifth's was cut short";
}

// A bomb never lands within 42.75 of another Time Bomb nor of a robot of the
// player's; other Machines leave it room.
TEST_F(WaveSchedulerTest, ABombLandsNoNearerThan42Point75ToABombOrARobot) {
    CPageGame& page = Load(3);
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {MachineId::TimeBomb}});
    const struct {
        const char* rule;
        int type;
        float off;  // from the cell's centre
        bool lands;
    } rows[] = {
        {"a Time Bomb on the cell", MachineId::TimeBomb, 0.0f, false},
        {"a Time Bomb 42.5 off", MachineId::TimeBomb, 42.5f, false},
        {"a Time Bomb 42.75 off", MachineId::TimeBomb, 42.75f, true},
        {"a robot of the player's 42.5 off", RobotId::BlockerBot, 42.5f, false},
        {"a Smasher on the cell", MachineId::Smasher, 0.0f, true},
    };
    const int cell = 4 * FIELD_ROWS + 2;
    const FieldCell& c = page.m_Battle.State().m_aFieldCells[cell];
    for (const auto& r : rows) {
        int landed = 0;
        for (uint32_t seed = 1; seed <= 200; ++seed) {
            RuleState(page.m_Battle).m_lstRobots.clear();
            CCom_GameRobot other(page.m_Battle);
            GetUnitDefinition(other.m_Unit, r.type);
            other.m_iHp = 10;
            other.m_vLastPosition = VxVec3{c.m_fX, c.m_fY + r.off, 0.0f};
            RuleState(page.m_Battle).m_lstRobots.push_back(other);
            VxSrand(seed);
            page.m_Battle.CallEnemyRobot(MachineId::TimeBomb, 0.0f, 0.0f, 0.0f, true);
            for (const CCom_GameRobot& b : page.m_Battle.State().m_lstRobots)
                landed += b.Type() == MachineId::TimeBomb && int(b.m_vCell.x) * FIELD_ROWS + int(b.m_vCell.y) == cell;
        }
        EXPECT_EQ(landed > 0, r.lands) << r.rule << ": " << landed << " landed";
    }
}

// A cage falls only where a live robot of the player's or another cage
// stands: a Machine's cell and a fallen robot's stay free.
TEST_F(WaveSchedulerTest, ACageFallsOnlyWhereALiveRobotOrACageStands) {
    const struct {
        const char* rule;
        int type, hp;
        bool caged;
    } rows[] = {
        {"a live robot", RobotId::BlockerBot, 10, true},
        {"a fallen robot", RobotId::BlockerBot, 0, false},
        {"a live Machine", MachineId::Smasher, 10, false},
        {"a cage", MachineId::CapsuleCage, 10, true},
    };
    for (const auto& r : rows) {
        CPageGame& page = Load(3);
        Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {MachineId::CapsuleCage}});
        for (const FieldCell& cell : page.m_Battle.State().m_aFieldCells) {
            CCom_GameRobot unit(page.m_Battle);
            GetUnitDefinition(unit.m_Unit, r.type);
            unit.m_iHp = r.hp;
            unit.m_vHome = unit.m_vPosition = unit.m_vLastPosition = VxVec3{cell.m_fX, cell.m_fY, 0.0f};
            RuleState(page.m_Battle).m_lstRobots.push_back(unit);
        }
        const size_t before = page.m_Battle.State().m_lstRobots.size();
        VxSrand(1);
        page.m_Battle.CallEnemyRobot(MachineId::CapsuleCage, 0.0f, 0.0f, 0.0f, true);
        EXPECT_EQ(page.m_Battle.State().m_lstRobots.size() > before, r.caged) << r.rule;
        run.reset();
    }
}

// A Machine that walks in is heard as it reaches the screen's edge, not as
// it is called; one that does not move sounds its arrival at once.
TEST_F(WaveSchedulerTest, OnlyAMachineThatDoesNotMoveSoundsItsArrivalAsItIsCalled) {
    const struct {
        const char* rule;
        int moveMode;
        bool sounds;
    } rows[] = {{"a walking Smasher", 1, false}, {"a Smasher that does not move", 0, true}};
    for (const auto& r : rows) {
        CPageGame& page = Load(3);
        Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {MachineId::Smasher}});
        CVxSound* arrival = page.m_Battle.Scene().m_apEnemySounds[0][0];
        ASSERT_NE(arrival, nullptr);
        arrival->Stop();
        RuleState(page.m_Battle).m_aEnemyDefs[0].m_iMoveMode = r.moveMode;
        ASSERT_NE(page.m_Battle.CallEnemyRobot(MachineId::Smasher, 0.0f, 0.0f, 0.0f, false), nullptr);
        EXPECT_EQ(arrival->IsPlaying(), r.sounds) << r.rule;
        run.reset();
    }
}

// A cage drop ends at its stage's limit however many robots stand to be
// caged: two below 70, then one more every ten stages up to five in the
// nineties, and two again from 100.
TEST_F(WaveSchedulerTest, ACageDropEndsAtItsStagesLimit) {
    const struct {
        int stage;
        size_t cages;
    } rows[] = {{69, 2}, {70, 3}, {89, 4}, {99, 5}, {100, 2}};
    for (const auto& r : rows) {
        CPageGame& page = Load(r.stage);
        Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {MachineId::CapsuleCage}});
        for (const FieldCell& cell : page.m_Battle.State().m_aFieldCells) {
            CCom_GameRobot robot(page.m_Battle);
            GetUnitDefinition(robot.m_Unit, RobotId::BlockerBot);
            robot.m_iHp = 10;
            robot.m_vHome = robot.m_vPosition = robot.m_vLastPosition = VxVec3{cell.m_fX, cell.m_fY, 0.0f};
            RuleState(page.m_Battle).m_lstRobots.push_back(robot);
        }
        VxSrand(1);
        page.m_Battle.CallEnemyRobot(MachineId::CapsuleCage, 0.0f, 0.0f, 0.0f, true);
        size_t cages = 0;
        for (const CCom_GameRobot& robot : page.m_Battle.State().m_lstRobots)
            cages += robot.Type() == MachineId::CapsuleCage;
        EXPECT_EQ(cages, r.cages) << "stage " << r.stage;
        run.reset();
    }
}

}  // namespace
