// What the battle's effects see of it through the page's view: the boards'
// queues step on only when a board says so, and the values read are the page's.
#include "battle/model/BattleRules.h"
#include "battle/model/BattleView.h"
#include "tests/Harness.h"

namespace {

class BattleViewTest : public PopupTest {
protected:
    void TearDown() override {
        if (m_App) {
            battle->m_lstNewEnemies.clear();
            battle->m_itNewEnemy = battle->m_lstNewEnemies.end();
            battle->m_mapNewRobots.clear();
            battle->m_itNewRobot = battle->m_mapNewRobots.end();
        }
        PopupTest::TearDown();
    }
    BattleView& View() { return *battle; }
};

TEST_F(BattleViewTest, TheNewMachinesAreShownInTheirOrderAndNoneAfterTheLast) {
    battle->m_lstNewEnemies.push_back({nullptr, nullptr, 1004, 1});
    battle->m_lstNewEnemies.push_back({nullptr, nullptr, 1002, 0});
    battle->m_itNewEnemy = battle->m_lstNewEnemies.begin();
    const struct {
        int typeId, variant;
        bool more;
    } steps[] = {{1004, 1, true}, {1002, 0, false}};
    for (const auto& s : steps) {
        NewEnemyShown shown;
        ASSERT_TRUE(View().ShownNewEnemy(shown));
        EXPECT_EQ(shown.typeId, s.typeId);
        EXPECT_EQ(shown.variant, s.variant);
        EXPECT_EQ(View().NextNewEnemy(), s.more);
    }
    NewEnemyShown none;
    EXPECT_FALSE(View().ShownNewEnemy(none));
}

TEST_F(BattleViewTest, TheNewRobotBoardShowsItsRobotUntilItCloses) {
    EXPECT_EQ(View().ShownNewRobot(), -1);
    EXPECT_EQ(View().FirstNewRobot(), -1);
    battle->m_mapNewRobots[9] = nullptr;
    battle->m_mapNewRobots[5] = nullptr;
    battle->m_itNewRobot = battle->m_mapNewRobots.begin();
    EXPECT_EQ(View().ShownNewRobot(), 5);
    EXPECT_EQ(View().FirstNewRobot(), 5);
    View().CloseNewRobots();
    EXPECT_EQ(View().ShownNewRobot(), -1);
    EXPECT_EQ(View().ShownNewRobotPicture(), nullptr);
    EXPECT_EQ(View().FirstNewRobot(), 5) << "the reward still shows the first robot it unlocks";
}

TEST_F(BattleViewTest, TheViewReadsWhatThePageHolds) {
    const struct {
        int carried, lost, killed;
        bool tipShown;
    } rows[] = {{-1, 0, 0, false}, {2, 3, 27, true}};
    for (const auto& r : rows) {
        RuleState(battle->m_Battle).m_iCarriedCard = r.carried;
        RuleState(battle->m_Battle).m_nRobotsLost = r.lost;
        RuleState(battle->m_Battle).m_nMachinesKilled = r.killed;
        battle->m_bResultTipShown = r.tipShown;
        EXPECT_EQ(View().CarriedCard(), r.carried);
        EXPECT_EQ(View().RobotsLost(), r.lost);
        EXPECT_EQ(View().MachinesKilled(), r.killed);
        EXPECT_EQ(View().ResultTipShown(), r.tipShown);
    }
    battle->m_bResultTipShown = false;
    View().MarkResultTipShown();
    EXPECT_TRUE(battle->m_bResultTipShown);
    battle->m_bResultTipShown = false;
    RuleState(battle->m_Battle).m_iCarriedCard = -1;
    EXPECT_EQ(View().FieldCells(), battle->m_Battle.State().m_aFieldCells);
}

}  // namespace
