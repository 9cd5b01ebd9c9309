// The menu screens off the new player's road, in a window on the GL device:
// a player with the third episode reached sees the episode choice on Play,
// then steps down to the mini-games and opens their list. Each is compared
// with its reference picture in tests/golden (menu_<screen>.png).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "engine/PageIndices.h"
#include "frontend/PageMenu.h"
#include "platform/host/Headless.h"
#include "platform/host/MessageBox.h"
#include "tests/Harness.h"
#include "tests/gl/GoldenPicture.h"

namespace {

using MenuScreens = frontroad::WindowRoadTest;

TEST_F(MenuScreens, EpisodeChoiceAndMiniGameListLookAsKept) {
    ASSERT_TRUE(ReachMainMenu("EVE"));

    // Far into the game: the third episode reached, the second finished.
    SaveProfile& p = g_CurrentProfile;
    p.m_iFurthestStage = 120;
    p.m_aiAchievementProgress[6] = p.m_aiAchievementProgress[7] = 1;
    p.m_abFeatureUnlocked[4] = 1;
    for (int s = 0; s < 60; ++s) p.m_aiStageStars[s] = 1 + s % 3;
    auto* menu = dynamic_cast<CPageMenu*>(road.app->m_pPageMenu);
    ASSERT_NE(menu, nullptr);
    menu->ResetEpisode();

    road.ClickAt(frontroad::kMenuEntry);
    ASSERT_TRUE(MenuAt(MENU_EPISODE)) << "Play leads to the episode choice";
    EXPECT_EQ(menu->m_iEpisodeChoice, 2) << "first shown at the episode reached";
    road.Frame(20);
    golden::ExpectMatches(*road.framework->Device(), "menu_episode");

    road.ClickAt(frontroad::Point{390.0f, -270.0f});
    ASSERT_TRUE(road.WaitFor([&] { return menu->m_iEpisodeScroll == -1 && menu->m_iEpisodeChoice == 3; }, 60));
    road.Frame(5);
    road.ClickAt(frontroad::kMenuEntry);
    ASSERT_TRUE(MenuAt(MENU_MINIGAME));
    road.Frame(20);
    golden::ExpectMatches(*road.framework->Device(), "menu_minigames");
    EXPECT_EQ(boxes.Count(), 0u) << (boxes.Count() ? boxes.Boxes().front().text : "");
}

}  // namespace

namespace {

// The screens of the shops, lists and profiles of a player well into the
// game, each compared with its reference picture (menu_<screen>.png).
TEST_F(MenuScreens, ShopsListsProfilesAndCreditsLookAsKept) {
    ASSERT_TRUE(ReachMainMenu("EVE"));

    SaveProfile& p = g_CurrentProfile;
    p.m_iFurthestStage = 75;
    p.m_iMetalParts = 12345;
    for (int s = 0; s < 70; ++s) p.m_aiStageStars[s] = 1 + s % 3;
    for (int i : {1, 2, 3, 6}) p.m_aLabItem[i] = LabItemRecord{i == 6 ? 1 : 1, 2};
    p.m_aLabItem[0] = LabItemRecord{0, 1};
    for (int r : {1, 2, 3, 0, 4}) p.m_aRobotUpgrade[r].m_iAvailable = 1;
    p.m_aRobotUpgrade[3].m_iLevel = 1;
    for (int r = 0; r < 12; ++r) p.m_abRobotUnlocked[r] = 1;
    for (int k = 0; k < 6; ++k) p.m_aEnemySeen[k].met = 1;
    for (int i = 0; i < 9; ++i) p.m_aiAchievementProgress[i] = 100000;
    p.m_aiAchievementProgress[37] = 3725;
    auto* menu = dynamic_cast<CPageMenu*>(road.app->m_pPageMenu);
    ASSERT_NE(menu, nullptr);

    struct Shot {
        int screen;
        const char* name;
    };
    const Shot shots[] = {
        {MENU_PROFILES, "menu_profiles"},         {MENU_LABORATORY, "menu_laboratory"}, {MENU_UPGRADE, "menu_upgrades"},
        {MENU_ACHIEVEMENTS, "menu_achievements"}, {MENU_ROBOPEDIA, "menu_robopedia"},   {MENU_CREDITS, "menu_credits"},
    };
    for (const Shot& s : shots) {
        menu->RequestSubScreen(s.screen, -1);
        ASSERT_TRUE(MenuAt(s.screen)) << s.name;
        // The credits stand still until they have faded in.
        road.Frame(s.screen == MENU_CREDITS ? 150 : 20);
        golden::ExpectMatches(*road.framework->Device(), s.name);
    }
    EXPECT_EQ(boxes.Count(), 0u) << (boxes.Count() ? boxes.Boxes().front().text : "");
}

}  // namespace
