// Every stage on every difficulty is pinned by the fingerprint; the rest is
// what it does not see.
#include "ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/StageDefinition.h"

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

TEST(StageDefinition, TablesKeepTheirCheckedValues) {
    EXPECT_EQ(harness::StageTableFingerprint(), 0xdfb6e8aba40f92cdull);
}
TEST(MiniGameTable, TablesKeepTheirCheckedValues) {
    EXPECT_EQ(harness::MiniGameTableFingerprint(), 0xe20aecdff1ded7f6ull);
}

// Every place of the campaign has its record, each mini-game its row; a
// number past either end has none.
TEST(StageDefinition, EveryStageOfTheCampaignAndNoOtherHasItsRecord) {
    for (int stage = 1; stage <= LAST_STAGE; ++stage) EXPECT_TRUE(HasStageRecord(stage)) << stage;
    for (int stage : {-1, 0, LAST_STAGE + 1}) EXPECT_FALSE(HasStageRecord(stage)) << stage;
}

TEST(StageDefinition, CycleLengthsTruncateAfterEverySlot) {
    float w[STAGE_ENEMY_SLOTS] = {0.5f, 0.5f, 1.5f, 1.5f, 0.7f, 0, 0, 0};
    EXPECT_EQ(SumTruncatedWeights(w), 2);
    float v[STAGE_ENEMY_SLOTS] = {10.0f, 0.35f, 0.35f, 0.35f, 0, 0, 0, 0};
    EXPECT_EQ(SumTruncatedWeights(v), 10);
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
    harness::ScopedLink link;
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
