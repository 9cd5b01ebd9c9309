// The reading boards of a battle (map story, mini-game help) and the
// how-to-play annotation on a recording device with render-target slots:
// how the boards slide, how often they draw into their slots, the scroll
// arrows' hit boxes and the annotation's layout for every kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "battle/effects/Effect_HowToMiniGame.h"
#include "battle/effects/Effect_HowToPlay.h"
#include "battle/effects/Effect_MapStory.h"
#include "battle/model/BattleRules.h"
#include "content/MapStoryTexts.h"
#include "engine/framework/RenderTargets.h"
#include "platform/host/RecordingDevice.h"
#include "tests/Harness.h"

namespace {

class ReadingBoardTest : public SlotPopupTest {
protected:
    void SetUp() override {
        SlotPopupTest::SetUp();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        battle->m_iSubScreen = 0;
        RuleState(battle->m_Battle).m_iBattleState = BATTLE_INTRO;
    }
    // One input frame and one drawn frame, as the battle runs them.
    void Frame(CEffect_HelpBoard& board) {
        board.HandleClick();
        board.Tick();
        m_App->m_aInput[0].m_aiKey[MOUSE_WHEEL_FORWARD] = m_App->m_aInput[0].m_aiKey[MOUSE_WHEEL_BACKWARD] = 0;
    }
};

// Frame by frame from the opening: where the board stands and how often the
// board and the text were drawn into their slots.
enum Act { NOTHING, WHEEL_DOWN, WHEEL_UP, ENTER, WINDOW_BACK };
struct TimelineStep {
    const char* what;
    int frames;  // run before the check; the act comes in the last one
    Act act;
    float y;
    int boardRenders, textRenders;
    bool shows;
};

TEST_F(ReadingBoardTest, TheMiniGameHelpSlidesScrollsAndRedrawsOnlyWhatChanged) {
    m_App->m_iCurrentStage = 151;
    CEffect_HowToMiniGame board;
    battle->m_pEffectHowToMiniGame = &board;
    ASSERT_EQ(board.Add(0), 0);
    const TimelineStep steps[] = {
        {"first frame, 560 above", 1, NOTHING, 560.0f, 1, 1, true},
        {"sliding in", 26, NOTHING, 40.0f, 1, 1, true},
        {"a wheel turn while sliding does nothing", 1, WHEEL_DOWN, 20.0f, 1, 1, true},
        {"at rest after 28 frames", 1, NOTHING, 0.0f, 1, 1, true},
        {"resting keeps both pictures", 40, NOTHING, 0.0f, 1, 1, true},
        {"a step down redraws the text only", 1, WHEEL_DOWN, 0.0f, 1, 2, true},
        {"a step back up", 1, WHEEL_UP, 0.0f, 1, 3, true},
        {"already at the top: the wheel does nothing", 1, WHEEL_UP, 0.0f, 1, 3, true},
        {"the window came back: both again", 1, WINDOW_BACK, 0.0f, 2, 4, true},
        {"Enter starts the slide out", 1, ENTER, 0.0f, 2, 4, true},
        {"still on the screen at 560", 28, NOTHING, 560.0f, 2, 4, true},
        {"gone once past 560", 1, NOTHING, 580.0f, 2, 4, false},
    };
    for (const TimelineStep& s : steps) {
        for (int i = 0; i < s.frames; ++i) {
            if (i == s.frames - 1) {
                if (s.act == WHEEL_DOWN) PressKey(MOUSE_WHEEL_BACKWARD);
                if (s.act == WHEEL_UP) PressKey(MOUSE_WHEEL_FORWARD);
                if (s.act == ENTER) ReleaseKey(VK_ENTER);
                if (s.act == WINDOW_BACK) battle->ForgetCachedPictures();
            }
            Frame(board);
        }
        EXPECT_EQ(board.m_vPos.y, s.y) << s.what;
        EXPECT_EQ(board.m_nBoardRenders, s.boardRenders) << s.what;
        EXPECT_EQ(board.m_nTextRenders, s.textRenders) << s.what;
        EXPECT_EQ(board.m_aInstances[0].life > 0, s.shows) << s.what;
    }
    EXPECT_EQ(board.m_fScroll, 0.0f);
    EXPECT_FALSE(m_App->m_bCaptureStill || m_App->m_bShowStill) << "the still goes with the board";
    battle->m_pEffectHowToMiniGame = nullptr;
}

// Fifteen chapters, each with its first words, a tab before its second
// paragraph and lines that fit the board's wrap width; their pictures by
// episode and area.
TEST(MapStoryTexts, EveryChapterFitsTheBoardLineByLine) {
    const char* const firstWords[15] = {"You've found us! We're so grateful!",
                                        "This land used to be flourishing,",
                                        "You'll be surprised by this. We just",
                                        "By now, we've been able to take",
                                        "The Machines' base - ''Iron Fortress'' -",
                                        "We're in trouble! Suddenly, many",
                                        "We've discovered a large hall hidden",
                                        "Our research shows that the giant",
                                        "We have been able to activate",
                                        "The Machines' plan has turns out to",
                                        "The Machines are back again, but",
                                        "On the other side of Green Planet,",
                                        "Nowhere on this planet is safe for",
                                        "The Tinkerlings that live on the icy",
                                        "After battling through countless"};
    harness::FontProbe font;
    const harness::FontProbe::Setup page = {0.6f, 5.0f, 0.75f, 525};
    for (int stage = 1; stage <= 141; stage += 10) {
        const int index = CEffect_MapStory::StoryIndex(stage);
        const std::string text = GetMapStoryText(index);
        const std::string what = "stage " + std::to_string(stage);
        EXPECT_EQ(text.rfind(firstWords[index], 0), 0u) << what;
        EXPECT_NE(text.find("\n\t"), std::string::npos) << what << ": the second paragraph starts with a tab";
        EXPECT_LT(font.Widest(text, page), page.wrapWidth) << what;
        EXPECT_TRUE(font.Unwrapped(text, page)) << what;
        EXPECT_EQ(CEffect_MapStory::PictureFor(stage), "Bbd_Story_" + std::to_string((stage - 1) / 50 + 1) + "_0" +
                                                           std::to_string((stage - 1) % 50 / 10 + 1) + ".jpg")
            << what;
    }
    EXPECT_STREQ(GetMapStoryText(15), "");
    EXPECT_EQ(CEffect_HowToMiniGame::PictureFor(151), "Bbd_MiniGame_1_01.jpg");
    EXPECT_EQ(CEffect_HowToMiniGame::PictureFor(161), "Bbd_MiniGame_2_01.jpg");
    EXPECT_EQ(CEffect_HowToMiniGame::PictureFor(170), "Bbd_MiniGame_2_10.jpg");
    EXPECT_EQ(CEffect_MapStory::PictureFor(141), "Bbd_Story_3_05.jpg");
}

// Every chapter fits the text window: no arrows, and the wheel does nothing.
TEST_F(ReadingBoardTest, EveryMapStoryFitsItsWindowAndTheWheelDoesNothing) {
    for (int stage = 1; stage <= 141; stage += 10) {
        const std::string what = "stage " + std::to_string(stage);
        m_App->m_iCurrentStage = stage;
        CEffect_MapStory board;
        ASSERT_EQ(board.Add(0), 0);
        for (int i = 0; i < 30; ++i) Frame(board);
        EXPECT_FALSE(board.m_bCanScrollUp || board.m_bCanScrollDown) << what << " shows no arrows";
        PressKey(MOUSE_WHEEL_BACKWARD);
        Frame(board);
        EXPECT_EQ(board.m_fScroll, 0.0f) << what;
        EXPECT_EQ(board.m_nTextRenders, 1) << what;
    }
}

// The arrows stand 90 pixels apart: each takes the cursor only over its own
// picture, and holding the button over one scrolls a step every frame.
TEST_F(ReadingBoardTest, EachScrollArrowTakesOnlyTheCursorOverItsOwnPicture) {
    m_App->m_iCurrentStage = 151;
    CEffect_HowToMiniGame board;
    ASSERT_EQ(board.Add(0), 0);
    for (int i = 0; i < 30; ++i) Frame(board);
    ASSERT_TRUE(board.m_bCanScrollDown) << "the page is longer than its window";
    const float up = board.m_apArrowButton[0]->m_vPosition.x, y = board.m_apArrowButton[0]->m_vPosition.y;
    ASSERT_EQ(board.m_apArrowButton[1]->m_vPosition.x - up, 90.0f);
    const float half = board.m_apArrowPicture[0]->m_vSize.x * 0.5f;
    struct {
        float x, y;
        bool overUp, overDown;
    } const points[] = {
        {up, y, true, false},
        {up + 90.0f, y, false, true},
        {up + 45.0f, y, false, false},
        {up + half - 1.0f, y, true, false},
        {up + 90.0f - half + 1.0f, y, false, true},
        {up, y + half + 2.0f, false, false},
    };
    for (const auto& p : points) {
        CursorAt(p.x, p.y);
        EXPECT_EQ(board.m_apArrowButton[0]->HitTest(), p.overUp) << p.x - up << "," << p.y - y;
        EXPECT_EQ(board.m_apArrowButton[1]->HitTest(), p.overDown) << p.x - up << "," << p.y - y;
    }
    CursorAt(up + 90.0f, y);
    for (int i = 0; i < 3; ++i) {
        HoldMouse();
        Frame(board);
    }
    EXPECT_EQ(board.m_fScroll, 45.0f);
    CursorAt(up + 45.0f, y);
    HoldMouse();
    Frame(board);
    EXPECT_EQ(board.m_fScroll, 45.0f) << "held between the arrows";
}

// The annotation is the same for the pause box's Help with robot 39
// unlocked and for the first mini-game, which adds its "Click to continue"
// box; with robot 39 locked its button is not drawn and nothing points at it.
TEST_F(ReadingBoardTest, EveryKindOfTheAnnotationDrawsTheSameLayout) {
    CEffect_HowToPlay howTo;
    auto drawsOf = [&](int kind, int stage) {
        m_App->m_iCurrentStage = stage;
        howTo.Clear(0);
        device.draws.clear();
        EXPECT_EQ(howTo.Add(kind), 0);
        howTo.Tick();
        std::vector<std::vector<float>> corners;
        for (const host::DrawRecord& d : device.draws) {
            if (d.target != g_apRenderSurface[HOW_TO_PLAY_SLOT]) continue;
            std::vector<float> at;
            for (const host::Vertex& v : d.vertices) at.insert(at.end(), {v.x, v.y});
            corners.push_back(at);
        }
        return corners;
    };
    const auto pause1 = drawsOf(1, 12);
    ASSERT_GT(pause1.size(), 2u) << "box, arrow and the words";
    EXPECT_TRUE(drawsOf(0, 12).empty()) << "robot 39 locked";
    const auto first = drawsOf(2, 151);
    EXPECT_GT(first.size(), pause1.size()) << "the first mini-game adds its text box";
    EXPECT_EQ(howTo.m_nRenders, 3);
    for (int i = 0; i < 5; ++i) howTo.Tick();
    EXPECT_EQ(howTo.m_nRenders, 3) << "kept while it shows";
    battle->m_pEffectHowToPlay = &howTo;
    battle->ForgetCachedPictures();
    howTo.Tick();
    EXPECT_EQ(howTo.m_nRenders, 4) << "drawn again after the window came back";
    battle->m_pEffectHowToPlay = nullptr;
}

}  // namespace
