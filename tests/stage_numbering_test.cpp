
#include <set>

#include "tests/Harness.h"
#include "content/StageNumbering.h"

// A mini-game counts as the ordinary stage it follows.
TEST(StageNumbering, EpisodeAreaAndPlace) {
    struct Row {
        int stage, episode, world, place, ordinary;
    };
    for (Row r : {Row{1, 1, 1, 1, 1}, Row{10, 1, 1, 10, 10}, Row{11, 1, 2, 11, 11}, Row{50, 1, 5, 50, 50},
                  Row{51, 2, 1, 1, 51}, Row{100, 2, 5, 50, 100}, Row{101, 3, 1, 1, 101}, Row{150, 3, 5, 50, 150},
                  Row{151, 1, 1, 5, 5}, Row{152, 1, 1, 10, 10}, Row{160, 1, 5, 50, 50}, Row{161, 2, 1, 5, 55},
                  Row{170, 2, 5, 50, 100}, Row{180, 3, 5, 50, 150}}) {
        EXPECT_EQ(GetStageEpisode(r.stage), r.episode) << r.stage;
        EXPECT_EQ(GetStageWorld(r.stage), r.world) << r.stage;
        EXPECT_EQ(GetStageInEpisode(r.stage), r.place) << r.stage;
        EXPECT_EQ(OrdinaryStageOf(r.stage), r.ordinary) << r.stage;
    }
}

TEST(StageNumbering, TheOrderOfPlayVisitsEveryStageOnce) {
    for (auto [stage, next] : std::vector<std::pair<int, int>>{
             {4, 5}, {5, 151}, {151, 6}, {49, 50}, {50, 160}, {160, 51}, {150, 180}, {180, 151}})
        EXPECT_EQ(NextStageId(stage), next) << stage;
    std::vector<int> order{1};
    while (order.back() != 180 && order.size() <= 200) order.push_back(NextStageId(order.back()));
    ASSERT_EQ(order.size(), 180u);
    EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), 180u);
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(GetStagePlayOrder(order[i]), int(i)) << order[i];
    EXPECT_EQ(GetStagePlayOrder(0), -1);
    EXPECT_EQ(GetStagePlayOrder(181), -1);
}

TEST(StageNumbering, EpisodesEndOnTheirLastMiniGame) {
    harness::ScopedLink link;
    for (int stage = 1; stage <= 180; ++stage) {
        link.Battle(stage);
        EXPECT_EQ(IsEpisodeFinalStage(), stage == 160 || stage == 170 || stage == 180) << stage;
    }
}

TEST(StageNumbering, FurthestStageAgreesWithTheOrderForEveryPair) {
    int place[181] = {};
    for (int stage = 1, i = 0; i < 180; stage = NextStageId(stage), ++i) place[stage] = i;
    for (int furthest = 1; furthest < 180; ++furthest) {
        for (int stage = 1; stage <= 180; ++stage) {
            g_CurrentProfile.m_iFurthestStage = furthest;
            AdvanceFurthestStage(stage);
            const int expected = place[stage] > place[furthest] ? stage : furthest;
            ASSERT_EQ(g_CurrentProfile.m_iFurthestStage, expected) << furthest << " then " << stage;
        }
    }
}

namespace {
struct FakeUnit {
    int m_iSide;
};
struct FakeRobot {
    FakeUnit m_Unit;
};
}  // namespace
