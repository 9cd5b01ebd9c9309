

#include "tests/Harness.h"
#include "content/Achievements.h"

using Achievements = AchievementTest;

TEST_F(Achievements, CountingAddsUpAndAnnouncesOnceWhenTheTargetIsPassed) {
    UpdateAchievementProgress(g_CurrentProfile, 29, 1999);
    EXPECT_TRUE(m_Board.All().empty());
    Progress(3) = 99990;
    UpdateAchievementProgress(g_CurrentProfile, 3, 20);
    EXPECT_EQ(Progress(3), 100010);
    UpdateAchievementProgress(g_CurrentProfile, 3, 500);
    EXPECT_EQ(Progress(3), 100010);
    EXPECT_EQ(m_Board.All(), std::vector<int>{3});
    // A saturated sum still completes rather than wrapping negative.
    Progress(37) = 50000;
    UpdateAchievementProgress(g_CurrentProfile, 37, 2147483647);
    EXPECT_EQ(Progress(37), 2147483647);
    EXPECT_EQ(m_Board.All(), (std::vector<int>{3, 37}));
}

TEST_F(Achievements, BestValuesKeepTheRecordAndCompleteAtTheTarget) {
    ASSERT_EQ(Progress(32), 10000);
    UpdateAchievementProgress(g_CurrentProfile, 32, 3);
    UpdateAchievementProgress(g_CurrentProfile, 32, 7);
    EXPECT_EQ(Progress(32), 3);
    EXPECT_FALSE(IsAchievementComplete(32));
    UpdateAchievementProgress(g_CurrentProfile, 32, 0);
    UpdateAchievementProgress(g_CurrentProfile, 32, 5);
    EXPECT_EQ(Progress(32), 0);
    UpdateAchievementProgress(g_CurrentProfile, 31, 2);
    EXPECT_FALSE(IsAchievementComplete(31));
    UpdateAchievementProgress(g_CurrentProfile, 31, 1);  // One Touch completes at its target, not below it
    Progress(35) = 80;
    UpdateAchievementProgress(g_CurrentProfile, 35, 60);
    EXPECT_EQ(Progress(35), 80);
    UpdateAchievementProgress(g_CurrentProfile, 35, 120);
    UpdateAchievementProgress(g_CurrentProfile, 35, 500);
    EXPECT_EQ(Progress(35), 120);
    EXPECT_EQ(m_Board.All(), (std::vector<int>{32, 31, 35}));
}

TEST_F(Achievements, TheInGameNoticeAnnouncesOnlyWhilePlaying) {
    struct Case {
        int page, state;
        bool inGame;
    };
    for (Case c : {Case{1, 7, false}, Case{BATTLE_PAGE_INDEX, 7, true}, Case{BATTLE_PAGE_INDEX, 9, false}}) {
        Progress(30) = 0;
        m_Board = {};
        m_InGame = {};
        m_Link.link.m_iCurrentPage = c.page;
        m_Link.link.m_iBattleState = c.state;
        UpdateAchievementProgress(g_CurrentProfile, 30, 10);
        EXPECT_EQ(m_Board.m_aiStarted, std::vector<int>{30}) << c.page << " " << c.state;
        EXPECT_EQ(m_InGame.All(), c.inGame ? std::vector<int>{30} : std::vector<int>{}) << c.page << " " << c.state;
    }
}

TEST_F(Achievements, AchievementsCompletedWhileABoardIsUpWaitInOrder) {
    UpdateAchievementProgress(g_CurrentProfile, 6, 1);
    UpdateAchievementProgress(g_CurrentProfile, 8, 1);
    UpdateAchievementProgress(g_CurrentProfile, 7, 1);
    EXPECT_EQ(m_Board.m_aiStarted, std::vector<int>{6});
    EXPECT_EQ(m_Board.m_aiPending, (std::vector<int>{8, 7}));
    // Before the notices exist progress is still kept.
    m_Link.link.m_pBoard = nullptr;
    UpdateAchievementProgress(g_CurrentProfile, 36, 50);
    EXPECT_TRUE(IsAchievementComplete(36));
}

TEST_F(Achievements, DestroyedMachinesCountPerClassAndStopAtTheirTargets) {
    Progress(9) = 99;
    Progress(10) = 999;
    Progress(11) = 2499;
    CountAchievementEvent(g_CurrentProfile, ACHIEVEMENT_GROUP_GROUND);
    EXPECT_EQ(Progress(9), 100);
    EXPECT_EQ(Progress(10), 1000);
    EXPECT_EQ(Progress(11), 2500);
    EXPECT_EQ(m_Board.All(), (std::vector<int>{9, 10, 11}));
    CountAchievementEvent(g_CurrentProfile, ACHIEVEMENT_GROUP_GROUND);
    EXPECT_EQ(Progress(9), 100);
    EXPECT_EQ(Progress(11), 2500);
    EXPECT_EQ(m_Board.All().size(), 3u);

    CountAchievementEvent(g_CurrentProfile, ACHIEVEMENT_GROUP_AIR);
    EXPECT_EQ(Progress(12), 1);
    EXPECT_EQ(Progress(13), 1);
    EXPECT_EQ(Progress(14), 1);
    EXPECT_EQ(Progress(9), 100);
}

TEST_F(Achievements, NavyCountsItsLastRankThroughTheProgressRule) {
    Progress(15) = 99;
    Progress(17) = 2499;
    CountAchievementEvent(g_CurrentProfile, ACHIEVEMENT_GROUP_NAVY);
    EXPECT_EQ(Progress(15), 100);
    EXPECT_EQ(Progress(16), 1);
    EXPECT_EQ(Progress(17), 2500);
    EXPECT_EQ(m_Board.All(), (std::vector<int>{15, 17}));
    CountAchievementEvent(g_CurrentProfile, ACHIEVEMENT_GROUP_NAVY);
    EXPECT_EQ(Progress(17), 2500);
}

TEST_F(Achievements, UnknownEventGroupsChangeNothing) {
    SaveProfile before = g_CurrentProfile;
    CountAchievementEvent(g_CurrentProfile, 3);
    CountAchievementEvent(g_CurrentProfile, -1);
    EXPECT_EQ(std::memcmp(&before, &g_CurrentProfile, sizeof before), 0);
}

TEST_F(Achievements, ConditionsFitTheAchievementBoard) {
    harness::FontProbe font;
    for (int i = 0; i < ACHIEVEMENT_COUNT; ++i)
        EXPECT_LE(font.Lines(GetAchievementCondition(i), {0.6f, 5.0f, 0.65f, 570}), 3) << i;
}
