// Seeded stages won by a fixed deck: the runner's defence places the hand's
// card robots on the field as a player's placement would (the hand's unit
// record, its art slot, Place at the cell) and refills the cells the Machines
// empty; the Machines then fight them.
#include <cinttypes>
#include <cstdio>

#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "content/WeaponIds.h"
#include "tests/StageRunSupport.h"
#include "tools/stagerun/DefenceMouse.h"

namespace {

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
    o.hand = kDefenceDeck;
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

namespace {

// The episode finals on difficulty 0: the defence takes the capsules' cards
// and moves robots by mouse out of the Destroyer's reach; it wins. On 180,
// seed 3 is lost in its first minute unless the shooters go where their
// shots guard the rows (the Cannon Bots there reach only the rows above).
struct FinalCase {
    int stage;
    uint32_t seed;
};

const FinalCase kFinals[] = {{160, 1}, {170, 1}, {180, 2}, {180, 3}};

class DefendedFinal : public StageRunTest, public ::testing::WithParamInterface<FinalCase> {};

TEST_P(DefendedFinal, TheDefenceOutlastsTheDestroyerAndSeesItsVolleyComing) {
    const FinalCase c = GetParam();
    StageRunOptions o;
    o.stage = c.stage;
    o.difficulty = 0;
    o.seed = c.seed;
    o.defend = true;
    run = std::make_unique<StageRun>(o);
    ASSERT_TRUE(run->Start()) << run->Error();
    ASSERT_TRUE(run->RunUntilState(BATTLE_PLAYING, 20000));
    bool bossCame = false;
    int moves = 0, volleys = 0, lifted = -1;
    unsigned foreseen = 0;
    while (run->State() == BATTLE_PLAYING && run->BattleFrame() < 60000) {
        const BattleData& s = run->Model().State();
        bool fired = false;
        for (const CCom_GameBullet& b : s.m_lstBullets) fired = fired || b.m_iBulletKind == WeaponId::DestroyerVolley;
        // The rows foreseen while the boss shook are the rows its volley sweeps.
        if (fired && foreseen != 0) {
            ++volleys;
            EXPECT_EQ(DefenceMouse::VolleyRows(run->Model()), foreseen) << "volley at frame " << run->BattleFrame();
        }
        foreseen = fired ? 0 : DefenceMouse::VolleyRows(run->Model());
        bossCame = bossCame || s.m_pMiniGameBoss;
        if (s.m_iRelocatingRobot != -1 && s.m_iRelocatingRobot != lifted) ++moves;
        lifted = s.m_iRelocatingRobot;
        run->Step();
    }
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.outcome, "won") << r.Line();
    EXPECT_TRUE(bossCame);
    EXPECT_GT(volleys, 0) << "no volley was seen coming";
    EXPECT_GT(moves, 0) << "no robot was moved";
    EXPECT_GT(r.kills, 0);
}

INSTANTIATE_TEST_SUITE_P(Difficulty0, DefendedFinal, ::testing::ValuesIn(kFinals),
                         [](const ::testing::TestParamInfo<FinalCase>& info) {
                             return "Stage" + std::to_string(info.param.stage) + "Seed" +
                                    std::to_string(info.param.seed);
                         });

}  // namespace
