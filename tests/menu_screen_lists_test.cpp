// The menu's lists in a started game, one rule a row: the episode choice,
// both unlock sequences, the Robopedia's cards, the credits, the lists'
// slides, the menu music and the logo's fade.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/VxButton.h"
#include "engine/VxSound.h"
#include "frontend/PageLogo.h"
#include "game/Effect_BlackScreen.h"
#include "game/Effect_Exit.h"
#include "game/Effect_MsgBox.h"
#include "game/Effect_NewAchievement.h"
#include "game/Effect_RobotInfo.h"
#include "game/Effect_ScaleAndDiffuseOut.h"
#include "game/MsgBoxKinds.h"
#include "game/PopupDrawing.h"
#include "tests/Harness.h"
#include "tests/MenuScreenRules.h"
#include "tests/PackPicture.h"

namespace {

// The episode list's wheel steps over episode 3 until it is reached, and
// stops at either end.
TEST_F(MenuScreenRules, TheEpisodeListStepsOverTheThirdEpisodeUntilItIsReached) {
    struct Row {
        const char* rule;
        int furthest;
        std::vector<int> steps;  // +1 down the list, -1 up
        int choice;
    } const rows[] = {
        {"one step down", 60, {1}, 1},
        {"episode 3 not reached is stepped over", 60, {1, 1}, 3},
        {"and stepped over on the way back", 60, {1, 1, -1}, 1},
        {"the mini-games end the list", 60, {1, 1, 1}, 3},
        {"the top of the list stays", 60, {-1}, 0},
        {"episode 3 reached is a step of its own", 120, {1, 1}, 2},
        {"and on the way back", 120, {1, 1, 1, -1}, 2},
    };
    Player("steps", 60);
    g_CurrentProfile.m_abFeatureUnlocked[4] = 1;
    for (const Row& r : rows) {
        g_CurrentProfile.m_iFurthestStage = r.furthest;
        Menu().ResetEpisode();
        Enter(MENU_EPISODE);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        ASSERT_EQ(m.m_iEpisodeChoice, 0) << r.rule;
        for (int step : r.steps) {
            m_App->m_aInput[0].m_aiKey[step > 0 ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
            Frame();
            for (int i = 0; i < 90 && m.m_iEpisodeScroll != -1; ++i) Frame();
        }
        EXPECT_EQ(m.m_iEpisodeChoice, r.choice) << r.rule;
    }
}

// A replayed episode end leaves "End of Episode" pending: the episode choice
// opens box 16 once it takes input, and only once.
TEST_F(MenuScreenRules, TheEpisodeChoiceOpensEndOfEpisodeOnceWhenItIsPending) {
    const struct {
        const char* rule;
        bool pending;
        int box;
    } rows[] = {
        {"pending: box 16 opens", true, 16},
        {"not pending: no box", false, -1},
    };
    Player("ended", 51);
    for (const auto& r : rows) {
        Enter(MENU_EPISODE);
        ASSERT_NE(m_App->m_pEffectMsgBox, nullptr);
        m_App->m_pEffectMsgBox->m_bEndOfEpisodePending = r.pending;
        for (int i = 0; i < 150 && BoxKind() == -1; ++i) Frame();
        EXPECT_EQ(BoxKind(), r.box) << r.rule;
        EXPECT_FALSE(m_App->m_pEffectMsgBox->m_bEndOfEpisodePending) << r.rule;
        if (r.box != -1) {
            AnswerBox();
            for (int i = 0; i < 60 && BoxKind() != -1; ++i) Frame();
            Frame(60);
            EXPECT_EQ(BoxKind(), -1) << r.rule << ": it does not come back";
        }
    }
}

// Frames of an unlock sequence on its screen, told as events.
std::vector<std::string> RunUnlock(CGameApplication& app, CPageMenu& m, const int& marker,
                                   const std::function<void()>& frame, const std::function<void()>& answer) {
    std::vector<std::string> events;
    CEffect_MsgBox& box = *app.m_pEffectMsgBox;
    bool burst = false;
    bool answered = false;
    for (int i = 0; i < 400 && events.size() < 8; ++i) {
        if (box.IsOpen() && !answered) {
            events.push_back("box " + std::to_string(box.m_aInstances[0].kind));
            answer();
            answered = true;
        }
        answered = answered && box.IsOpen();
        if (!burst && m.m_pItemEffect->IsBusy()) {
            burst = true;
            events.push_back("lock burst");
        }
        if (marker == -1 && m.IsInputFree()) {
            events.push_back("marker ended");
            for (int f = 0; f < 120 && !box.IsOpen(); ++f) frame();
            events.push_back(box.IsOpen() ? "box again" : "box stays shut");
            break;
        }
        frame();
    }
    return events;
}

TEST_F(MenuScreenRules, UnlockSequencesAnnounceOnceAndEnd) {
    struct Row {
        const char* rule;
        int screen, furthest, marker;
        bool equipped;
        std::vector<std::string> events;
    } const rows[] = {
        {"a new episode is announced with box 15 and the lock bursts",
         MENU_EPISODE,
         51,
         2,
         true,
         {"box 15", "lock burst", "marker ended", "box stays shut"}},
        {"the third episode likewise",
         MENU_EPISODE,
         101,
         3,
         true,
         {"box 15", "lock burst", "marker ended", "box stays shut"}},
        {"an episode not on the list is dropped", MENU_EPISODE, 51, 3, true, {"marker ended", "box stays shut"}},
        {"an equipped new area is announced with box 14 and the lock bursts",
         MENU_STAGE_MAP,
         11,
         2,
         true,
         {"box 14", "lock burst", "marker ended", "box stays shut"}},
        {"an unequipped new area shows its conditions, no burst",
         MENU_STAGE_MAP,
         11,
         2,
         false,
         {"box 13", "marker ended", "box stays shut"}},
    };
    Player("unlock", 1);
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        p.m_iFurthestStage = r.furthest;
        p.m_nCardSlots = r.equipped ? 9 : 4;
        p.m_iLifeBooster = p.m_iEnergyBooster = r.equipped ? 4 : 0;
        int& marker = r.screen == MENU_EPISODE ? m_App->m_iChosenEpisode : m_App->m_iNewArea;
        marker = r.marker;
        m_App->m_iMenuReturnScreen = r.screen;
        Enter(r.screen);
        const std::vector<std::string> events = RunUnlock(
            *m_App, Menu(), marker, [&] { Frame(); }, [&] { AnswerBox(); });
        EXPECT_EQ(events, r.events) << r.rule;
        marker = -1;
    }
}

TEST_F(MenuScreenRules, OnlyOpenRobopediaCardsOpenTheInformationBoard) {
    struct Row {
        const char* rule;
        int robot;
        bool unlock, opens;
    } const rows[] = {
        {"robot 0 is open from the start", 0, false, true},
        {"robot 1 is open from the start", 1, false, true},
        {"a locked robot's blank card opens nothing", 5, false, false},
        {"an unlocked robot's card opens the board", 5, true, true},
    };
    Player("pedia", 20);
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    for (const Row& r : rows) {
        if (r.unlock) g_CurrentProfile.m_abRobotUnlocked[r.robot] = 1;
        Enter(MENU_ROBOPEDIA);
        ASSERT_TRUE(Settle()) << r.rule;
        Frame(2);
        CPageMenu& m = Menu();
        TapButton(m.m_apRobotEntry[r.robot]);
        EXPECT_EQ(m.m_Robopedia.boardOpen != 0, r.opens) << r.rule;
        EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].life > 0, r.opens) << r.rule;
        if (r.opens) {
            EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].kind, r.robot) << r.rule;
            // The dimming behind the board steps once a frame, as everywhere.
            const int age = m_App->m_pEffectBlackScreen->m_aInstances[0].age;
            Frame(4);
            EXPECT_EQ(m_App->m_pEffectBlackScreen->m_aInstances[0].age - age, 4) << r.rule;
        }
    }
}

// The information board's corner arrows, tapped where the player taps, flip
// to the previous or next robot the player knows, round the ends.
TEST_F(MenuScreenRules, TheInformationBoardsArrowsFlipThroughThePage) {
    Player("pedia", 20);
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    for (int r = 0; r < ROBOT_TYPES; ++r) g_CurrentProfile.m_abRobotUnlocked[r] = r == 0 || r == 1 || r == 5;
    Enter(MENU_ROBOPEDIA);
    ASSERT_TRUE(Settle());
    Frame(2);
    CPageMenu& m = Menu();
    TapButton(m.m_apRobotEntry[1]);
    Frame(30);  // the board comes to rest
    const struct {
        const char* rule;
        bool next;
        int unit;
    } flips[] = {
        {"the right arrow goes on to the next known robot", true, 5},
        {"past the last known robot it comes round to the first", true, 0},
        {"the left arrow goes back round the other way", false, 5},
    };
    for (const auto& f : flips) {
        TapButton(f.next ? m.m_Robopedia.nextButton : m.m_Robopedia.prevButton);
        EXPECT_NE(m.m_pRobotInfo->m_iFlipDir, 0) << f.rule << ": the flip starts";
        Frame(INFO_FLIP_FRAMES + 2);
        EXPECT_EQ(m.m_pRobotInfo->m_aInstances[0].kind, f.unit) << f.rule;
    }
}

// The two grids lie 620 pixels apart: the wheel slides 15 a frame from the
// robots (offset 0) to the Machines (offset 620) and back.
TEST_F(MenuScreenRules, TheRobopediaSlidesSixHundredTwentyPixelsBetweenItsGrids) {
    Player("pedia", 20);
    g_CurrentProfile.m_abFeatureUnlocked[1] = 1;
    Enter(MENU_ROBOPEDIA);
    ASSERT_TRUE(Settle());
    Frame(2);
    CPageMenu& m = Menu();
    struct Place {
        const char* what;
        const CVxButton* entry;
        float x, y;  // at offset 0; the offset is added to y
    } const places[] = {
        {"robot 0, top left", m.m_apRobotEntry[0], -230.0f, 150.0f},
        {"robot 9, second row", m.m_apRobotEntry[9], -141.0f, 55.0f},
        {"robot 39, bottom right", m.m_apRobotEntry[39], 393.0f, -230.0f},
        {"Machine 0, top left", m.m_apMachineEntry[0], -230.0f, -470.0f},
        {"Machine 31, bottom right", m.m_apMachineEntry[31], 393.0f, -755.0f},
    };
    auto expectAt = [&](int offset) {
        EXPECT_EQ(m.m_iRobopediaOffset, offset);
        for (const Place& p : places) {
            EXPECT_FLOAT_EQ(p.entry->m_vPosition.x, p.x) << p.what << " at offset " << offset;
            EXPECT_FLOAT_EQ(p.entry->m_vPosition.y, p.y + float(offset)) << p.what << " at offset " << offset;
        }
    };
    expectAt(0);
    // The swap icon shows at 0.8 of its size: a tap on its sign or its word
    // turns the page as the wheel does.
    const float shown = m_App->m_apBbdLight[3]->m_vSize.x * 0.8f;
    const struct {
        const char* rule;
        int wheel;     // 0: a tap on the swap icon's face
        float across;  // where on the face, from its left end
        int target;
    } slides[] = {
        {"towards the Machines", MOUSE_WHEEL_BACKWARD, 0.0f, 620},
        {"back to the robots", MOUSE_WHEEL_FORWARD, 0.0f, 0},
        {"a tap on the icon's sign, towards the Machines", 0, 0.08f, 620},
        {"a tap on the icon's word, back to the robots", 0, 0.92f, 0},
    };
    for (const auto& s : slides) {
        if (s.wheel != 0) {
            m_App->m_aInput[0].m_aiKey[s.wheel] = KEY_PRESSED;
            Frame();
        } else {
            const ScreenPoint p = PointOnFace("Resource/Button/Btn_LightSwap.tga", 393.0f, 287.0f, shown, s.across);
            TapAt(p.x, p.y);
            Frame();
            CursorAt(0.0f, 0.0f);
        }
        ASSERT_NE(m.m_iRobopediaSlide, 0) << s.rule;
        std::vector<int> offsets;
        for (int i = 0; i < 60 && m.m_iRobopediaSlide != 0; ++i) {
            Frame();
            offsets.push_back(m.m_iRobopediaOffset);
        }
        ASSERT_EQ(m.m_iRobopediaSlide, 0) << s.rule;
        // 620 is not a multiple of 15: 41 steps of 15, and the last is cut to the end.
        ASSERT_GE(offsets.size(), 2u) << s.rule;
        EXPECT_EQ(std::abs(offsets[1] - offsets[0]), 15) << s.rule;
        EXPECT_EQ(offsets.back(), s.target) << s.rule;
        EXPECT_EQ(std::abs(offsets[offsets.size() - 2] - s.target), 620 % 15) << s.rule;
        Frame();
        expectAt(s.target);
    }
}

// The credits roll rises half a unit a frame once faded in, and stands
// still while it fades in by a hundredth a frame.
TEST_F(MenuScreenRules, TheCreditsRiseHalfAUnitAFrameOnceFadedIn) {
    Player("credits", 1);
    Enter(MENU_CREDITS);
    ASSERT_TRUE(Settle());
    CPageMenu& m = Menu();
    const struct {
        const char* rule;
        bool dragged;  // the mouse held and moved at (x, y)
        float x, y;
        float fade;
        int frames;
        float rise;
        float fadeAfter;
    } rows[] = {
        {"faded in: 0.5 a frame", false, -400.0f, 300.0f, 1.0f, 10, 5.0f, 1.0f},
        {"faded in, longer", false, -400.0f, 300.0f, 1.0f, 40, 20.0f, 1.0f},
        {"fading in: still", false, -400.0f, 300.0f, 0.5f, 10, 0.0f, 0.6f},
        {"a drag over the lines: 4 a frame", true, 0.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag over the lines fades in four times faster", true, 0.0f, 0.0f, 0.5f, 10, 0.0f, 0.9f},
        {"a drag at the lines' left end", true, -249.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag left of the lines", true, -251.0f, 0.0f, 1.0f, 10, 5.0f, 1.0f},
        {"a drag at the lines' right end", true, 403.0f, 0.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag right of the lines", true, 405.0f, 0.0f, 1.0f, 10, 5.0f, 1.0f},
        {"a drag below the header", true, 0.0f, 226.0f, 1.0f, 10, 40.0f, 1.0f},
        {"a drag over the header", true, 0.0f, 228.0f, 1.0f, 10, 5.0f, 1.0f},
    };
    for (const auto& r : rows) {
        CursorAt(r.x, r.y);
        uint32_t& mouse = m_App->m_aInput[0].m_aiKey[MOUSE_LEFT];
        if (r.dragged) {
            mouse = KEY_PRESSED | KEY_HELD;
            Frame();
            mouse = KEY_HELD;
            Frame();
            ASSERT_EQ(m.m_iGesture, GESTURE_DRAGGING) << r.rule;
        }
        m.m_fCreditsScroll = 300.0f;
        m.m_fCreditsFade = r.fade;
        Frame(r.frames);
        EXPECT_FLOAT_EQ(m.m_fCreditsScroll - 300.0f, r.rise) << r.rule;
        EXPECT_NEAR(m.m_fCreditsFade, r.fadeAfter, 1e-4f) << r.rule;
        mouse = r.dragged ? uint32_t(KEY_RELEASED) : 0u;
        Frame(2);
        mouse = 0;
    }
}

TEST_F(MenuScreenRules, AListSlidesForwardAndClicksBack) {
    struct Row {
        const char* rule;
        int screen;
        bool forward;
        const char* sound;  // "slide" or "click"
    } const rows[] = {
        {"a step down the stage map slides", MENU_STAGE_MAP, true, "slide"},
        {"a step back up the stage map clicks", MENU_STAGE_MAP, false, "click"},
        {"a step down the mini-game list slides", MENU_MINIGAME, true, "slide"},
        {"a step back up the mini-game list clicks", MENU_MINIGAME, false, "click"},
    };
    Player("steps", 165);
    g_CurrentProfile.m_aiAchievementProgress[7] = 1;
    for (const Row& r : rows) {
        Enter(r.screen);
        ASSERT_TRUE(Settle()) << r.rule;
        CPageMenu& m = Menu();
        const int& scroll = r.screen == MENU_STAGE_MAP ? m.m_iMapScroll : m.m_iMiniGameScroll;
        if (!r.forward) {
            m_App->m_aInput[0].m_aiKey[MOUSE_WHEEL_BACKWARD] = KEY_PRESSED;
            Frame();
            for (int i = 0; i < 60 && scroll != -1; ++i) Frame();
            ASSERT_EQ(scroll, -1) << r.rule;
        }
        m.m_pSlideSound->Stop();
        m_App->m_pSndBtnClick->Stop();
        m_App->m_aInput[0].m_aiKey[r.forward ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD] = KEY_PRESSED;
        Frame();
        EXPECT_NE(scroll, -1) << r.rule << ": the list moves";
        const bool click = std::string(r.sound) == "click";
        EXPECT_EQ(m_App->m_pSndBtnClick->IsPlaying(), click) << r.rule;
        EXPECT_EQ(m.m_pSlideSound->IsPlaying(), !click) << r.rule;
    }
}

TEST_F(MenuScreenRules, TheMenuMusicFadesItsIntroInAndThenLoops) {
    Player("music", 1);
    Enter(MENU_MAIN);
    CPageMenu& m = Menu();
    CVxSound& intro = *m.m_pIntroMusic;
    CVxSound& loop = *m.m_pLoopMusic;
    auto restart = [&] {
        intro.Stop();
        loop.Stop();
        intro.SetVolumeFactor(0.0f);
        m.m_bIntroStarted = false;
    };
    struct Row {
        const char* rule;
        int calls;
        float factor;
    } const rows[] = {
        {"the first call starts the intro a fifth up", 1, 0.2f},
        {"each call raises it a fifth", 3, 0.6f},
        {"five calls bring it to full", 5, 1.0f},
        {"it stays at full", 8, 1.0f},
    };
    for (const Row& r : rows) {
        restart();
        for (int i = 0; i < r.calls; ++i) m.UpdateMenuMusic();
        EXPECT_TRUE(intro.IsPlaying()) << r.rule;
        EXPECT_NEAR(intro.m_fVolumeFactor, r.factor, 1e-5f) << r.rule;
        EXPECT_FALSE(loop.IsPlaying()) << r.rule << ": the loop waits for the intro";
    }
    intro.Stop();
    intro.m_bPaused = 1;
    m.UpdateMenuMusic();
    EXPECT_FALSE(loop.IsPlaying()) << "a paused intro holds the loop back";
    intro.m_bPaused = 0;
    m.UpdateMenuMusic();
    EXPECT_TRUE(loop.IsPlaying()) << "the loop follows the intro";
    EXPECT_EQ(m.Music(), &loop);
    EXPECT_FALSE(intro.IsPlaying()) << "the intro plays once";
}

TEST(LogoFade, EachPictureFadesInAndOutWithinItsFirstAndLastTenth) {
    struct Row {
        const char* rule;
        float fraction, alpha;
    } const rows[] = {
        {"a picture starts unseen", 0.0f, 0.0f},
        {"partly in at 0.03", 0.03f, float(3.5 * std::sin(0.03 * M_PI))},
        {"full at 0.0922", 0.0922f, 1.0f},
        {"full in the middle", 0.5f, 1.0f},
        {"fading at the end", 0.97f, float(3.5 * std::sin(0.97 * M_PI))},
        {"gone at the end", 1.0f, 0.0f},
    };
    for (const Row& r : rows) EXPECT_NEAR(LogoPictureAlpha(r.fraction), r.alpha, 2e-3f) << r.rule;
}

}  // namespace
