// Seeded stages won by a fixed deck: the runner's defence places the hand's
// card robots on the field as a player's placement would (the hand's unit
// record, its art slot, Place at the cell) and refills the cells the Machines
// empty; the Machines then fight them.
#include <cinttypes>
#include <cstdio>

#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "tests/StageRunSupport.h"

namespace {

// One robot per terrain: ground Gunner and Blocker (in front), air Copter,
// water-surface Mariner, underwater Diver.
const std::vector<int> kDeck = {1, 3, 4, 21, 15};

struct WinCase {
    int stage;
    int difficulty;
    bool fights;  // kills and shots are expected
    uint32_t seed = 4321;
};

const WinCase kWins[] = {{10, 0, true}, {10, 2, true}, {25, 0, true}, {25, 2, true},     {50, 0, true},
                         {50, 2, true}, {99, 0, true}, {99, 2, true}, {150, 0, true, 7}, {150, 2, true, 7}};

class DefendedStage : public StageRunTest, public ::testing::WithParamInterface<WinCase> {};

TEST_P(DefendedStage, AFixedDeckWinsWithItsGoldenChecksumAndKills) {
    const WinCase c = GetParam();
    StageRunOptions o;
    o.stage = c.stage;
    o.difficulty = c.difficulty;
    o.seed = c.seed;
    o.hand = kDeck;
    o.defend = true;
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 20000));
    CPageGame& page = run->Battle();
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.outcome, "won");
    EXPECT_EQ(r.notFound, 0);
    if (c.fights) {
        EXPECT_GT(r.kills, 0);
        EXPECT_GT(page.m_Battle.State().m_aiStageStats[0], 0) << "shots fired";
    }
    char value[96];
    std::snprintf(value, sizeof value, "%d:%d:%016" PRIx64, r.frame, r.kills, r.checksum);
    golden::ExpectStageValue("defended" + std::to_string(c.stage) + "_d" + std::to_string(c.difficulty), value);
}

INSTANTIATE_TEST_SUITE_P(FixedDeck, DefendedStage, ::testing::ValuesIn(kWins),
                         [](const ::testing::TestParamInfo<WinCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + "Difficulty" +
                                    std::to_string(info.param.difficulty);
                         });

}  // namespace
