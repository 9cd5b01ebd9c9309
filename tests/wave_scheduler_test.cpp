// The enemy wave scheduler driven frame by frame on a loaded battle page: a
// spawn log (elapsed frame, Machines made) for the edge cases of the two
// streams, the rotation, the final wave, the tutorial hold and the dropping
// units.
#include <utility>
#include <vector>

#include "battle/effects/Effect_Tutorials.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
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
        StageDefinition& d = page.m_StageDefinition;
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
        page.m_nEnemyDefs = 0;
        for (int i = 0; i < STAGE_ENEMY_RECORDS; ++i) {
            page.m_aEnemyDefs[i] = UnitDefinition{};
            page.m_aiEnemyCalls[i] = 0;
            d.m_aiEnemyType[i] = i < int(s.types.size()) ? s.types[size_t(i)] : 0;
            if (d.m_aiEnemyType[i]) {
                GetUnitDefinition(page.m_aEnemyDefs[i], d.m_aiEnemyType[i]);
                ++page.m_nEnemyDefs;
            }
        }
        page.m_iStreamCursor = page.m_iBatchCursor = 0;
        page.m_iStageFrames = 60 * s.seconds;
    }

    // Runs the scheduler over the whole stage time; the Machines it makes are
    // logged by elapsed frame and taken off again.
    static SpawnLog Play(CPageGame& page, std::vector<int>* types = nullptr) {
        SpawnLog log;
        const int T = page.m_iStageFrames;
        for (int R = T; R >= 1; --R) {
            page.m_iTimeLeft = R;
            page.UpdateEnemySpawner();
            if (page.m_lstRobots.empty()) continue;
            log.emplace_back(T - R, int(page.m_lstRobots.size()));
            for (const CCom_GameRobot& r : page.m_lstRobots) {
                EXPECT_TRUE(r.IsMachine());
                EXPECT_GE(r.m_iRow, 0);
                EXPECT_LT(r.m_iRow, FIELD_ROWS);
                if (types) types->push_back(r.Type());
            }
            page.m_lstRobots.clear();
        }
        return log;
    }
};

TEST_F(WaveSchedulerTest, SpawnLogsOfTheStreamsAndTheFinalWave) {
    struct Case {
        const char* name;
        int stage;
        Streams streams;
        SpawnLog expected;
    };
    const Case cases[] = {
        // Singles from 50 s every 27 s; waves from 120 s every 40 s. The wave at
        // 160 s would come 600 frames before the end (under 0.35 of 2400) and is
        // dropped; the final wave takes the grown size and the one extra Machine
        // the first wave never uses.
        {"streams", 3, {170, 50, 27, 120, 40, 2, 1, 3, 1, true, {1000}},
         {{3000, 1}, {4620, 1}, {6240, 1}, {7200, 2}, {7860, 1}, {9480, 1}, {10199, 4}}},
        // Without the final-wave flag the last frame sends nothing off the beat.
        {"no final wave", 3, {170, 50, 27, 120, 40, 2, 1, 3, 1, false, {1000}},
         {{3000, 1}, {4620, 1}, {6240, 1}, {7200, 2}, {7860, 1}, {9480, 1}}},
        // Past stage 30 the final wave grows by the episode (2 here), and every
        // type not sent yet comes once; the Rocket never does.
        {"episode and unsent types", 51, {120, 500, 10, 60, 100, 1, 0, 1, 0, true, {1000, 1001, 1002, 1032}},
         {{3600, 1}, {7199, 5}}},
        // Extra Machines ride on the waves after the first while any are left.
        {"extra enemies", 3, {100, 500, 10, 10, 20, 1, 0, 1, 2, false, {1000}},
         {{600, 1}, {1800, 2}, {3000, 2}, {4200, 1}, {5400, 1}}},
    };
    for (const Case& c : cases) {
        CPageGame& page = Load(c.stage);
        Configure(page, c.streams);
        std::vector<int> types;
        EXPECT_EQ(Play(page, &types), c.expected) << c.name;
        if (c.stage == 51) {
            std::sort(types.begin(), types.end());
            EXPECT_EQ(types, (std::vector<int>{1000, 1000, 1000, 1000, 1001, 1002})) << c.name;
        }
        run.reset();
    }
}

TEST_F(WaveSchedulerTest, TheRotationFollowsTheWholeWeightsAndCapsTheHeavyTypes) {
    CPageGame& page = Load(3);
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {1000, 1001, 1002, 1004}});
    StageDefinition& d = page.m_StageDefinition;
    const float weights[] = {3.0f, 1.5f, 0.0f, 2.0f};
    for (int i = 0; i < 4; ++i) d.m_afStreamWeight[i] = weights[i];
    d.m_iStreamWeightTotal = 6;
    std::vector<int> picked;
    for (int i = 0; i < 12; ++i) picked.push_back(page.PickStreamEnemy());
    EXPECT_EQ(picked, (std::vector<int>{1000, 1000, 1000, 1001, 1004, 1004, 1000, 1000, 1000, 1001, 1004, 1004}));

    // A Killer Whale's weight grows past 1 and is held at 1 at each wrap.
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {1000, 1015}});
    d.m_afStreamWeight[0] = 1.0f;
    d.m_afStreamWeight[1] = 0.8f;
    d.m_afStreamWeightStep[1] = 0.6f;
    d.m_iStreamWeightTotal = 1;
    for (int i = 0; i < 5; ++i) page.PickStreamEnemy();
    EXPECT_FLOAT_EQ(d.m_afStreamWeight[1], 1.0f);
    EXPECT_EQ(d.m_iStreamWeightTotal, 2);
}

TEST_F(WaveSchedulerTest, TheFirstTutorialHoldsTheMachinesBeforeStepEightAndDuringStepTen) {
    const Streams streams{60, 10, 10, 500, 10, 1, 0, 1, 0, false, {1000}};
    const std::pair<int, bool> steps[] = {{-1, false}, {5, false}, {8, true}, {9, true}, {10, false}, {11, true}};
    for (const auto& [step, sends] : steps) {
        CPageGame& page = Load(1);  // a fresh profile: the first tutorial runs
        ASSERT_TRUE(IsFirstTutorialActive());
        Configure(page, streams);
        page.m_pEffectTutorials->m_iStep = step;
        // The step was clicked away: a step in full view holds the Machines too.
        page.m_pEffectTutorials->m_iFadeState = 1;
        page.m_pEffectTutorials->m_fFade = 30.0f;
        EXPECT_EQ(!Play(page).empty(), sends) << "step " << step;
        run.reset();
    }
}

TEST_F(WaveSchedulerTest, CallsThatMakeNothingStillCountOnceAndUnknownCodesMakeNothing) {
    CPageGame& page = Load(3);
    Configure(page, {100, 0, 1, 0, 1, 1, 0, 1, 0, false, {1000, 1030, 1025}});

    // No robot of the player's on the field: a cage finds no cell, yet counts
    // and the cooldowns count down.
    page.m_aiCageCooldown[7] = 2;
    EXPECT_EQ(page.CallEnemyRobot(1030, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_TRUE(page.m_lstRobots.empty());
    EXPECT_EQ(page.m_aiEnemyCalls[1], 1);
    EXPECT_EQ(page.m_aiCageCooldown[7], 1);

    // A bomb call counts once however many bombs it scattered (none to five).
    page.CallEnemyRobot(1025, 0.0f, 0.0f, 0.0f, true);
    EXPECT_EQ(page.m_aiEnemyCalls[2], 1);
    EXPECT_LE(page.m_lstRobots.size(), 5u);
    for (const CCom_GameRobot& r : page.m_lstRobots) EXPECT_EQ(r.Type(), 1025);
    page.m_lstRobots.clear();

    // A code the stage does not have makes nothing; -1 also says so in a box.
    const int boxes = run->MessageBoxes();
    EXPECT_EQ(page.CallEnemyRobot(1031, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_EQ(run->MessageBoxes(), boxes);
    EXPECT_EQ(page.CallEnemyRobot(-1, 0.0f, 0.0f, 0.0f, true), nullptr);
    EXPECT_EQ(run->MessageBoxes(), boxes + 1);
    EXPECT_TRUE(page.m_lstRobots.empty());

    // A plain Machine is the list's new last robot, at the given point.
    CCom_GameRobot* made = page.CallEnemyRobot(1000, 123.0f, 45.0f, 0.0f, true);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made, &page.m_lstRobots.back());
    EXPECT_EQ(made->m_vPosition.x, 123.0f);
    EXPECT_EQ(page.m_aiEnemyCalls[0], 1);
}

}  // namespace
