// The menu page in a started game: the input gate, name entry from a new
// player's title click, the return from a battle, the mini-game list's taps,
// and the unlock markers that once could hold the menu for good.
#include <cstring>
#include <functional>
#include <filesystem>

#include "engine/VxButton.h"
#include "engine/VxResourceManager.h"
#include "game/Effect_Exit.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "content/SaveProfile.h"
#include "tests/Harness.h"

namespace {

constexpr int kVkBack = 8;
constexpr int kVkReturn = 13;
constexpr int kVkEscape = 27;

TEST_F(MenuPageTest, EachBlockerHoldsInputAndTheMarkersOnlyOnTheirOwnScreen) {
    Player("gate", 80);
    Enter(MENU_MAIN);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    struct Row {
        const char* what;
        int screen;
        std::function<void()> set, clear;
        bool held;
    };
    CGameApplication& app = *m_App;
    const Row rows[] = {
        {"input lock", MENU_MAIN, [&] { m.m_iInputHoldOff = 1; }, [&] { m.m_iInputHoldOff = 0; }, true},
        {"change", MENU_MAIN, [&] { m.m_iChangeCountdown = 3; }, [&] { m.m_iChangeCountdown = 0; }, true},
        {"page switch", MENU_MAIN, [&] { app.m_pEffectSwitchPage->Add(-1); },
         [&] { app.m_pEffectSwitchPage->Clear(0); }, true},
        {"message box", MENU_MAIN, [&] { app.m_pEffectMsgBox->m_aInstances[0].life = 5; },
         [&] { app.m_pEffectMsgBox->Clear(0); }, true},
        {"exit box", MENU_MAIN, [&] { app.m_pEffectExit->m_aInstances[0].life = 5; },
         [&] { app.m_pEffectExit->Clear(0); }, true},
        {"achievement", MENU_MAIN, [&] { app.m_pEffectNewAchievement->m_bShowing = true; },
         [&] { app.m_pEffectNewAchievement->m_bShowing = false; }, true},
        {"unlock burst", MENU_MAIN, [&] { m.m_pItemEffect->Spawn(nullptr, 0, 0, 0, 1, 2); },
         [&] { m.m_pItemEffect->Clear(0); }, true},
        {"episode marker", MENU_EPISODE, [&] { app.m_iChosenEpisode = 2; }, [&] { app.m_iChosenEpisode = -1; }, true},
        {"area marker", MENU_STAGE_MAP, [&] { app.m_iNewArea = 2; }, [&] { app.m_iNewArea = -1; }, true},
        {"episode marker elsewhere", MENU_MAIN, [&] { app.m_iChosenEpisode = 2; }, [&] { app.m_iChosenEpisode = -1; },
         false},
        {"area marker elsewhere", MENU_MISSION, [&] { app.m_iNewArea = 2; }, [&] { app.m_iNewArea = -1; }, false},
    };
    for (const Row& r : rows) {
        m.m_iSubScreen = r.screen;
        ASSERT_TRUE(m.IsInputFree()) << r.what;
        r.set();
        EXPECT_EQ(m.IsInputFree(), !r.held) << r.what;
        r.clear();
    }
}

TEST_F(MenuPageTest, ANewPlayerTypesANameOnTheKeyboardAndEscapeWaitsForIt) {
    Enter(MENU_TITLE);
    Frame(45);
    TapAt(0, 0);
    ASSERT_TRUE(Settle());
    ASSERT_EQ(Menu().m_iSubScreen, MENU_NAME_ENTRY);

    // Without a profile, Escape neither quits nor leaves.
    Key(kVkEscape);
    Frame(20);
    EXPECT_FALSE(g_bQuitRequested);
    EXPECT_EQ(Menu().m_iSubScreen, MENU_NAME_ENTRY);

    // A blank name is refused with its box; the screen stays.
    Key(kVkReturn);
    EXPECT_EQ(BoxKind(), MSGBOX_BLANK_NAME);
    m_App->m_pEffectMsgBox->Clear(0);
    ASSERT_TRUE(Settle());

    for (char c = 'A'; c <= 'I'; ++c) Key(c);
    EXPECT_STREQ(Menu().m_szEntryName, "abcdefgh") << "eight letters at most";
    Key(kVkBack);
    Key('Z');
    EXPECT_STREQ(Menu().m_szEntryName, "abcdefgz");
    Key(kVkReturn);
    ASSERT_TRUE(Settle());
    EXPECT_EQ(Menu().m_iSubScreen, MENU_MAIN);
    EXPECT_EQ(m_App->m_pSaveData->Header().m_nProfilesInUse, 1);
    EXPECT_STREQ(g_CurrentProfile.m_szName, "abcdefgz");
    EXPECT_STREQ(g_aStoredProfiles[0].m_szName, "abcdefgz");

    // With a profile, Escape on the main menu ends the program.
    Key(kVkEscape);
    EXPECT_TRUE(g_bQuitRequested);
}

TEST_F(MenuPageTest, ComingBackFromABattleOpensItsScreenWithTheListsInPlace) {
    struct Row {
        int returnScreen, stage, furthest;
        int episode, area, labOrigin;
    };
    const Row rows[] = {
        {MENU_MISSION, 57, 80, 1, 0, MENU_MAIN},   {MENU_MISSION, 75, 80, 1, 2, MENU_MAIN},
        {MENU_MISSION, 23, 80, 0, 2, MENU_MAIN},   {MENU_STAGE_MAP, 75, 80, 1, 0, MENU_MAIN},
        {MENU_MINIGAME, 155, 80, 3, 0, MENU_MAIN}, {MENU_LABORATORY, 45, 120, 0, 4, MENU_MISSION},
        {MENU_EPISODE, 120, 120, 2, 0, MENU_MAIN},
    };
    Player("back", 1);
    for (const Row& r : rows) {
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        Enter(MENU_MAIN);
        m_App->m_bReturnToMenu = true;
        m_App->m_iMenuReturnScreen = r.returnScreen;
        m_App->m_iCurrentStage = r.stage;
        Enter(r.returnScreen);
        EXPECT_FALSE(m_App->m_bReturnToMenu);
        EXPECT_EQ(Menu().m_iSubScreen, r.returnScreen) << r.stage;
        EXPECT_EQ(Menu().m_iEpisodeChoice, r.episode) << r.stage;
        EXPECT_EQ(Menu().m_iMapArea, r.area) << r.stage;
        EXPECT_EQ(Menu().m_iLabOrigin, r.labOrigin) << r.stage;
        Frame();
        EXPECT_TRUE(Menu().m_pBackButton->TakesMouse()) << r.stage << ": Back is drawn there";
    }
}

TEST_F(MenuPageTest, AMiniGameStartsOnlyFromAButtonStandingStillAndEnabled) {
    Player("mini", 165);                              // fifteen mini-games reached
    g_CurrentProfile.m_aiAchievementProgress[7] = 1;  // two groups
    Enter(MENU_MINIGAME);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    ASSERT_EQ(m.m_nMiniGameGroups, 2);
    const VxVec3 first = m.m_avMiniGameTarget[0];

    // While the list moves to the second group, nothing starts.
    m.StepMiniGameGroup(1);
    m.m_iMiniGameScroll = 1;
    Frame();
    TapAt(m.m_apMiniGameButton[10]->m_vPosition.x, m.m_apMiniGameButton[10]->m_vPosition.y);
    EXPECT_EQ(SwitchCode(), -100);
    for (int i = 0; i < 60 && m.m_iMiniGameScroll != -1; ++i) Frame();
    ASSERT_EQ(m.m_iMiniGameScroll, -1);

    // Mini-game 16 is not reached: its button is disabled.
    TapAt(m.m_avMiniGameTarget[15].x, m.m_avMiniGameTarget[15].y);
    EXPECT_EQ(SwitchCode(), -100);
    EXPECT_EQ(m.m_apMiniGameButton[15]->m_iStatus, BUTTON_DISABLE);

    // Mini-game 12 stands still and is open.
    TapAt(m.m_avMiniGameTarget[11].x, m.m_avMiniGameTarget[11].y);
    EXPECT_EQ(SwitchCode(), 3);
    EXPECT_EQ(int(m_App->m_iCurrentStage), 162);
    EXPECT_EQ(m_App->m_iMenuReturnScreen, MENU_MINIGAME);
    EXPECT_FLOAT_EQ(first.y - m.m_avMiniGameTarget[0].y, -600.0f);
}

TEST_F(MenuPageTest, AnEpisodeWhoseStoryWasNotSeenLeadsToItsStoryWithAStageOfThatEpisode) {
    struct Row {
        int steps;
        bool storySeen, miniGamesOpen;
        int switchCode, stage, nextScreen;
    };
    // Furthest stage 60: episode 2 reached, episode 3 not listed.
    const Row rows[] = {
        {0, false, true, 2, 1, -1},
        {1, false, true, 2, 60, -1},
        {1, true, true, -100, 7, MENU_STAGE_MAP},
        {2, true, true, -100, 7, MENU_MINIGAME},
        {2, true, false, -100, 7, -1},
    };
    Player("story", 60);
    for (const Row& r : rows) {
        Enter(MENU_EPISODE);
        ASSERT_TRUE(Settle());
        CPageMenu& m = Menu();
        for (int i = 0; i < r.steps; ++i) m.StepEpisode(true);
        m.m_iEpisodeScroll = -1;
        const int k = m.m_iEpisodeChoice;
        if (k < 3) g_CurrentProfile.m_abStorySeen[k] = r.storySeen ? 1 : 0;
        g_CurrentProfile.m_abFeatureUnlocked[4] = r.miniGamesOpen ? 1 : 0;
        m_App->m_iCurrentStage = 7;
        Frame();
        TapAt(62.0f, -30.0f);
        EXPECT_EQ(SwitchCode(), r.switchCode) << k;
        EXPECT_EQ(int(m_App->m_iCurrentStage), r.stage) << k;
        EXPECT_EQ(m.m_iChangeState == 1 ? m.m_iNextScreen : -1, r.nextScreen) << k;
        m_App->m_pEffectSwitchPage->Clear(0);
    }
}

}  // namespace
