// The tutorial's order of steps, its fades, hold and clock, its click rule;
// and what the unlock board credits to the profile when it has slid out.
#include "battle/effects/Effect_Tutorials.h"
#include "battle/effects/Effect_Unlocked.h"
#include "battle/model/BattleRules.h"
#include "battle/model/TutorialRules.h"
#include "content/Achievements.h"
#include "content/FieldGrid.h"
#include "tests/Harness.h"

namespace {

class TutorialTest : public PopupTest {
protected:
    void TearDown() override {
        g_CurrentProfile = SaveProfile{};
        PopupTest::TearDown();
    }
};

TEST_F(TutorialTest, StepsComeOnlyInOrderAndEachWaitsForTheLastToFadeOut) {
    TutorialSteps t;
    struct Frame {
        int request;          // asked before the frame, -1 none
        int frames;           // then moved on this often
        int step, fadeState;  // what shows after
        int requested;
    } const script[] = {
        {0, 0, 0, 0, -1},    // the first step comes in at once, from hidden
        {2, 0, 0, 0, -1},    // a skip is ignored
        {-1, 15, 0, 0, -1},  // fully in after 15 frames
        {1, 0, 0, 1, 1},     // the next step fades the shown one out
        {1, 14, 0, 1, 1},    // a second request for it changes nothing
        {-1, 1, 1, 0, -1},   // 15 frames out, then the new step
        {3, 20, 1, 0, -1},   // a skip is ignored while a step shows
        {2, 30, 2, 0, -1},   // out and in again
    };
    int i = 0;
    for (const Frame& f : script) {
        const int age = t.Age();
        if (f.request >= 0) t.RequestStep(f.request);
        if (i == 4) {
            EXPECT_EQ(t.Age(), age) << "a repeated request keeps the age";
        }
        for (int k = 0; k < f.frames; ++k) t.Advance();
        EXPECT_EQ(t.Step(), f.step) << "line " << i;
        EXPECT_EQ(t.m_iFadeState, f.fadeState) << "line " << i;
        EXPECT_EQ(t.RequestedStep(), f.requested) << "line " << i;
        ++i;
    }
    EXPECT_TRUE(t.IsIdle());

    // The test page's step 5 waits 100 frames after the fade-out.
    t.ShowStepFive();
    for (int k = 0; k < 114; ++k) t.Advance();
    EXPECT_EQ(t.Step(), 2);
    EXPECT_TRUE(t.IsStepDismissed());
    t.Advance();
    EXPECT_EQ(t.Step(), 5);
}

TEST_F(TutorialTest, AStepShownOverThreeSecondsInPlayHoldsTheClock) {
    struct Case {
        int state;
        bool dismissed;
        int timeLeft;  // after 300 frames of play from 1000
    } const cases[] = {
        {BATTLE_PLAYING, false, 1000 - 181},  // ages 0 to 180 run, then it stands
        {BATTLE_REWARD, false, 1000 - 300},
        {BATTLE_PLAYING, true, 1000 - 300},
    };
    for (const Case& c : cases) {
        CBattleModel& model = battle->m_Battle;
        model.StartClocks();
        RuleState(model).m_iBattleState = c.state;
        RuleState(model).m_iTimeLeft = 1000;
        RuleState(model).m_Tutorial.RequestStep(0);
        if (c.dismissed) RuleState(model).m_Tutorial.ClickAway();
        for (int k = 0; k < 300; ++k) {
            --RuleState(model).m_iTimeLeft;
            RunTutorialSteps(model);
        }
        EXPECT_EQ(model.State().m_iTimeLeft, c.timeLeft) << c.state << " " << c.dismissed;
    }
}

// The click goes as a command: a click step once it has been up over a
// second, never an event step nor a step fading out; clicking step 8 away
// stops the attacks.
TEST_F(TutorialTest, AClickStepGoesWithAClickAfterSixtyFramesAnEventStepNever) {
    const struct {
        const char* rule;
        int step, fadeState, age;
        bool taken;
    } rows[] = {
        {"a click step up 60 frames stays", 5, 0, TUTORIAL_CLICK_AGE, false},
        {"a click step up 61 frames goes", 5, 0, TUTORIAL_CLICK_AGE + 1, true},
        {"step 16 is a click step", 16, 0, 100, true},
        {"an event step stays", 7, 0, 100, false},
        {"a step fading out takes no click", 8, 1, 100, false},
        {"step 8 goes", 8, 0, 100, true},
        {"no step yet", -1, 0, 100, false},
    };
    for (const auto& r : rows) {
        CBattleModel& model = battle->m_Battle;
        model.StartClocks();
        RuleState(model).m_StageDefinition.m_bAttacksAllowed = true;
        TutorialSteps& t = RuleState(model).m_Tutorial;
        t.m_bStarted = r.step >= 0;
        t.m_iStep = r.step;
        t.m_iFadeState = r.fadeState;
        t.m_iAge = r.age;
        EXPECT_EQ(Apply(model, ContinueTutorial{}), r.taken) << r.rule;
        EXPECT_EQ(t.FadingOut(), r.taken || r.fadeState == 1) << r.rule;
        EXPECT_EQ(model.AttacksAllowed(), !(r.taken && r.step == 8)) << r.rule;
    }
    for (int s = 0; s <= 16; ++s)
        EXPECT_EQ(IsTutorialEventStep(s), s == 0 || s == 1 || s == 3 || s == 7 || s == 10 || s == 13 || s == 15) << s;
}

// Stage 2's one step speaks of its higher ground: each of its five arrows
// stands over a column of the stage's field that holds ground above the
// bottom row.
TEST_F(TutorialTest, EveryArrowOfTheSecondStagePointsAtHigherGround) {
    FieldCell cells[FIELD_COLUMNS * FIELD_ROWS] = {};
    BuildFieldGrid(2, cells);
    VxVec3 arrows[5];
    bool flipped = true;
    ASSERT_EQ(CEffect_Tutorials::ArrowPoints(16, nullptr, 0.0f, arrows, flipped), 5);
    EXPECT_FALSE(flipped);
    for (int i = 0; i < 5; ++i) {
        int column = 0;
        for (int c = 1; c < FIELD_COLUMNS; ++c)
            if (std::fabs(cells[c * FIELD_ROWS].m_fX - arrows[i].x) <
                std::fabs(cells[column * FIELD_ROWS].m_fX - arrows[i].x))
                column = c;
        EXPECT_LT(std::fabs(cells[column * FIELD_ROWS].m_fX - arrows[i].x), 1.0f)
            << "arrow " << i << " stands over a column";
        bool higherGround = false;
        for (int row = 0; row < FIELD_ROWS - 1; ++row)
            higherGround = higherGround || cells[column * FIELD_ROWS + row].m_iStageKind == CELL_GROUND;
        EXPECT_TRUE(higherGround) << "arrow " << i << " over column " << column;
    }
}

TEST_F(TutorialTest, TheUnlockBoardPaysByAreaUpToTheCapAndGivesABoosterOnce) {
    struct Case {
        int stage, furthest, before, after;
    } const cases[] = {
        {1, 5, 0, 50},  // a replay pays again
        {150, 180, 10, 1510},
        {151, 180, 0, 50},  // a mini-game counts as the stage before it
        {180, 170, 0, 1500},
        {95, 180, 999500, 999990},  // 850 over the cap
        {20, 180, 999990, 999990},
        {164, 164, 100, 100},  // first reached: its unlock, no parts
    };
    for (const Case& c : cases) {
        g_CurrentProfile = SaveProfile{};
        g_CurrentProfile.m_iFurthestStage = c.furthest;
        g_CurrentProfile.m_iMetalParts = c.before;
        m_App->m_iCurrentStage = c.stage;
        const int progress = g_CurrentProfile.m_aiAchievementProgress[3];
        ApplyStageResults(c.stage);
        EXPECT_EQ(g_CurrentProfile.m_iMetalParts, c.after) << c.stage;
        const int paid = c.stage == c.furthest ? 0 : MetalPartsRewardForStage(c.stage);
        EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[3] - progress, paid) << c.stage;
    }

    // Stage 2 offers the Energy Booster with its first level; leaving before
    // the summary keeps it the furthest stage, and its second clearing gives no second level.
    g_CurrentProfile = SaveProfile{};
    g_CurrentProfile.m_iFurthestStage = 2;
    m_App->m_iCurrentStage = 2;
    for (int pass = 0; pass < 2; ++pass) {
        ApplyStageResults(2);
        EXPECT_EQ(g_CurrentProfile.m_aLabItem[2].m_iBought, 1) << pass;
        EXPECT_EQ(g_CurrentProfile.m_aLabItem[2].m_iOffered, 2) << pass;
        EXPECT_EQ(g_CurrentProfile.m_iEnergyBooster, 1) << pass;
        EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[0], 1) << pass;
        EXPECT_EQ(g_CurrentProfile.m_iMetalParts, 0) << pass;
    }

    // On the board at rest a press anywhere closes it and is taken (its
    // pressed bit and repeat count), the button still held; the board pays
    // once it has slid out.
    g_CurrentProfile = SaveProfile{};
    g_CurrentProfile.m_iFurthestStage = 30;
    m_App->m_iCurrentStage = 12;
    CEffect_Unlocked board;
    board.SeeBattle(battle);
    board.Start(0, 0);
    Tick(&board, 27);
    ASSERT_EQ(board.m_vBoardPos.y, UNLOCKED_REST_Y);
    InputRecord& mouse = m_App->m_aInput[0];
    mouse.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
    mouse.m_aiRepeat[MOUSE_LEFT] = 1;
    board.HandleClick();
    EXPECT_EQ(board.m_aInstances[0].kind, 1) << "closing";
    EXPECT_EQ(mouse.m_aiKey[MOUSE_LEFT], uint32_t(KEY_HELD));
    EXPECT_EQ(mouse.m_aiRepeat[MOUSE_LEFT], 0);
    Tick(&board, 27);
    EXPECT_LE(board.m_aInstances[0].life, 0) << "gone";
    EXPECT_EQ(g_CurrentProfile.m_iMetalParts, 100) << "area 2 of the first episode";
}

}  // namespace
