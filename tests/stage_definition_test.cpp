

#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/StageDefinition.h"

using namespace harness;

namespace {

StageDefinition Stage(int stage, int difficulty) {
    StageDefinition s{};
    GetStageDefinition(stage, difficulty, s);
    return s;
}

std::vector<int> WaveTimes(const StageDefinition& s) {
    return std::vector<int>(s.m_aiWaveTime, s.m_aiWaveTime + s.m_nWaveTimes);
}

}  // namespace

TEST(StageDefinition, FirstStagesOnEachDifficulty) {
    StageDefinition s = Stage(1, 0);
    EXPECT_EQ(s.m_iLength, 120);
    EXPECT_EQ(s.m_iWaveStart, 120);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{120}));
    EXPECT_EQ(WaveTimes(Stage(1, 2)), (std::vector<int>{105, 120}));
    // The wave at 120 would leave 5 s, not more than 0.35 * 40.
    s = Stage(2, 0);
    EXPECT_EQ(s.m_iLength, 125);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{125}));
}

TEST(StageDefinition, LastStagesOfTheEpisodes) {
    StageDefinition s = Stage(50, 1);
    EXPECT_EQ(s.m_iLength, 365);
    EXPECT_EQ(s.m_iWaveInterval, 67);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{115, 182, 249, 316, 365}));
    EXPECT_EQ(s.m_iExtraEnemies, 4);

    s = Stage(150, 0);
    EXPECT_EQ(s.m_iLength, 370);
    EXPECT_EQ(s.m_iWaveInterval, 74);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{120, 194, 268, 342, 370}));

    // 345 leaves exactly 21 = 0.35 * 60 seconds, which is not enough.
    for (int stage : {99, 149}) {
        s = Stage(stage, 2);
        EXPECT_EQ(s.m_iLength, 366);
        EXPECT_EQ(s.m_iWaveInterval, 60);
        EXPECT_EQ(WaveTimes(s), (std::vector<int>{105, 165, 225, 285, 366})) << stage;
    }
}

TEST(StageDefinition, TimingFormulas) {
    using F = int StageDefinition::*;
    const F start = &StageDefinition::m_iStreamStart, interval = &StageDefinition::m_iStreamInterval;
    const F size = &StageDefinition::m_iWaveSize, step = &StageDefinition::m_iWaveSizeStep;
    const F cap = &StageDefinition::m_iWaveSizeCap, extra = &StageDefinition::m_iExtraEnemies;
    const F length = &StageDefinition::m_iLength;
    struct Row { int stage, difficulty; F field; int value; };
    for (Row r : {// m = 20: 20 * 0.05 is exactly 1.0 in double arithmetic.
                  Row{21, 0, start, 54}, Row{21, 1, start, 49}, Row{21, 2, start, 44}, Row{1, 0, start, 55},
                  Row{2, 0, start, 54}, Row{41, 1, start, 48}, Row{42, 2, start, 42},
                  // Later episodes send single Machines faster.
                  Row{51, 0, interval, 26}, Row{51, 1, interval, 26}, Row{51, 2, interval, 23},
                  Row{101, 0, interval, 25}, Row{51, 0, length, 150}, Row{100, 0, length, 370},
                  Row{1, 0, size, 2}, Row{1, 2, size, 4}, Row{25, 1, size, 3}, Row{26, 1, size, 4},
                  Row{9, 0, step, 1}, Row{10, 0, step, 2}, Row{10, 1, step, 1}, Row{11, 1, step, 2},
                  Row{1, 2, step, 2}, Row{70, 0, cap, 11}, Row{70, 1, cap, 15}, Row{70, 2, cap, 20},
                  // 15 / 25.0 * 5 is 3 in double arithmetic; m = 25 wraps to 0.
                  Row{41, 2, extra, 3}, Row{1, 1, extra, 0}, Row{26, 1, extra, 0}})
        EXPECT_EQ(Stage(r.stage, r.difficulty).*r.field, r.value) << r.stage << " on " << r.difficulty;
}

TEST(StageDefinition, OrdinaryStageRules) {
    for (int stage = 1; stage <= 150; ++stage) {
        StageDefinition s = Stage(stage, 1);
        EXPECT_TRUE(s.m_bCardCharge && s.m_bRemoverCard && s.m_bAttacksAllowed && s.m_bEnemySchedule &&
                    s.m_bLifeInPlay && s.m_bEnergyInPlay && s.m_bEdgeTiles && s.m_bFinalWave)
            << stage;
        EXPECT_FALSE(s.m_bEnergyShower || s.m_bRuleHold) << stage;
        EXPECT_EQ(s.m_iBackground, -1);
        int groundRow = -1;
        if (stage >= 41 && stage <= 50) groundRow = 4;
        if ((stage >= 91 && stage <= 100) || stage >= 141) groundRow = 3;
        EXPECT_EQ(s.m_iGroundRow, groundRow) << stage;
    }
}

TEST(StageDefinition, TablesKeepTheirCheckedValues) {
    EXPECT_EQ(StageTableFingerprint(), 0x487fda757fd88590ull);
    // A few mini-game rows spelled out, so a slip shows where it is.
    StageDefinition s = Stage(155, 1);
    EXPECT_EQ(s.m_iStreamStart, 2);
    EXPECT_EQ(s.m_iWaveStart, 100);
    EXPECT_EQ(s.m_iWaveInterval, 120);
    EXPECT_EQ(s.m_iWaveSizeStep, 0);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{120}));
    EXPECT_EQ(Stage(155, 2).m_iStreamInterval, 8);
    EXPECT_EQ(Stage(167, 0).m_iLength, 75);
    EXPECT_EQ(Stage(180, 2).m_iWaveSizeCap, 10);
    // 151 takes its wave start and interval from its length.
    EXPECT_EQ(WaveTimes(Stage(151, 1)), (std::vector<int>{24, 48, 72, 96, 120}));
    s = Stage(172, 0);
    EXPECT_TRUE(s.m_bCardCharge && s.m_bEnergyInPlay && s.m_bEdgeTiles && s.m_bFinalWave);
    EXPECT_FALSE(s.m_bRemoverCard || s.m_bLifeInPlay);
    EXPECT_EQ(s.m_iBackground, 109);
    s = Stage(177, 1);
    EXPECT_FALSE(s.m_bAttacksAllowed || s.m_bEdgeTiles);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{120}));  // no wave in time, but the final one
    EXPECT_EQ(Stage(169, 0).m_iGroundRow, 3);
    // The episode finals run twelve minutes without a final wave.
    for (int stage : {160, 170, 180}) {
        s = Stage(stage, 1);
        EXPECT_FALSE(s.m_bFinalWave);
        EXPECT_EQ(s.m_nWaveTimes, 12);
        EXPECT_EQ(s.m_aiWaveTime[11], 690);
    }
}

TEST(StageDefinition, WaveListsStayShortAndAscending) {
    for (int stage = 1; stage <= 180; ++stage) {
        for (int d = 0; d < 3; ++d) {
            StageDefinition s = Stage(stage, d);
            SCOPED_TRACE(testing::Message() << "stage " << stage << " difficulty " << d);
            ASSERT_GE(s.m_nWaveTimes, 0);
            ASSERT_LE(s.m_nWaveTimes, 15);
            for (int i = 1; i < s.m_nWaveTimes; ++i) EXPECT_LT(s.m_aiWaveTime[i - 1], s.m_aiWaveTime[i]);
            for (int i = 0; i < s.m_nWaveTimes; ++i) EXPECT_LE(s.m_aiWaveTime[i], s.m_iLength);
            if (s.m_bFinalWave) {
                ASSERT_GT(s.m_nWaveTimes, 0);
                EXPECT_EQ(s.m_aiWaveTime[s.m_nWaveTimes - 1], s.m_iLength);
            }
            EXPECT_GE(s.m_iStreamWeightTotal, 1);
            EXPECT_GE(s.m_iWaveWeightTotal, 1);
            EXPECT_GE(s.m_iExtraEnemies, 0);
            EXPECT_LE(s.m_iExtraEnemies, s.m_nWaveTimes);
            EXPECT_GT(s.m_iStreamInterval, 0);
            EXPECT_GT(s.m_iWaveInterval, 0);
        }
    }
}

TEST(StageDefinition, CycleLengthsTruncateAfterEverySlot) {
    float w[STAGE_ENEMY_SLOTS] = {0.5f, 0.5f, 1.5f, 1.5f, 0.7f, 0, 0, 0};
    EXPECT_EQ(SumTruncatedWeights(w), 2);
    float v[STAGE_ENEMY_SLOTS] = {10.0f, 0.35f, 0.35f, 0.35f, 0, 0, 0, 0};
    EXPECT_EQ(SumTruncatedWeights(v), 10);
    // Stage 1 sends type 1000 on both streams, one slot of weight 1.
    StageDefinition s = Stage(1, 0);
    EXPECT_EQ(s.m_iWaveWeightTotal, 1);
    EXPECT_EQ(s.m_iStreamWeightTotal, 1);
    // Mini-game 177: one wave pick in four lands on the Machine slot.
    s = Stage(177, 1);
    EXPECT_EQ(s.m_iWaveWeightTotal, 4);
}

TEST(StageDefinition, DifficultyComesFromTheLiveProfile) {
    const int saved = g_CurrentProfile.m_iDifficulty;
    g_CurrentProfile.m_iDifficulty = 2;
    StageDefinition s{};
    GetStageDefinition(1, s);
    EXPECT_EQ(WaveTimes(s), (std::vector<int>{105, 120}));
    // A damaged profile value still gives a usable stage.
    g_CurrentProfile.m_iDifficulty = 77;
    StageDefinition t{};
    GetStageDefinition(1, t);
    EXPECT_EQ(WaveTimes(t), WaveTimes(s));
    g_CurrentProfile.m_iDifficulty = saved;
}

TEST(StageDefinition, CurrentStageWorld) {
    ScopedLink link;
    link.Battle(45);
    EXPECT_EQ(GetCurrentStageWorld(), 5);
    link.Battle(151);  // follows stage 5
    EXPECT_EQ(GetCurrentStageWorld(), 1);
    link.Battle(180);  // follows stage 150
    EXPECT_EQ(GetCurrentStageWorld(), 5);
    StageDefinition working = Stage(160, 1);  // background 612
    link.link.m_pStage = &working;
    EXPECT_EQ(GetCurrentStageWorld(), 6);
    working.m_iBackground = -1;
    EXPECT_EQ(GetCurrentStageWorld(), 5);
}
