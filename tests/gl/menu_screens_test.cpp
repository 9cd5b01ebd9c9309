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

class MenuScreens : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        host::SetMessageBoxes(&boxes);
        g_GameRoadLinks = GameRoadLinks{};
        road.Prepare();
    }
    void TearDown() override {
        road.Finish();
        g_GameRoadLinks = GameRoadLinks{};
        host::SetMessageBoxes(nullptr);
    }
    bool MenuAt(int screen) {
        return road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, screen) && road.MenuIdle(); }, 120);
    }
    host::RecordingMessageBoxes boxes;
    frontroad::Road road;
};

TEST_F(MenuScreens, EpisodeChoiceAndMiniGameListLookAsKept) {
    road.Start();
    road.Frame(60);
    road.ClickAt(frontroad::kScreenCentre);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_TITLE); }, 30));
    road.Frame(60);
    road.ClickAt(frontroad::kScreenCentre);
    ASSERT_TRUE(MenuAt(MENU_NAME_ENTRY));
    road.Type("EVE");
    road.Key(13);
    ASSERT_TRUE(MenuAt(MENU_MAIN));

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
