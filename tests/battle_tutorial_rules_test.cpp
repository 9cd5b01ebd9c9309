// What the tutorial's steps do to the fight, on a bare battle (no page; the
// board alone where a rule reads it): the clock a step holds while it is read,
// the clicks of steps 8 and 9 that hold the first Machine's fight back and let
// it start, the Machine step 8 stops, and the items a step keeps.
#include <gtest/gtest.h>

#include "battle/effects/Effect_Tutorials.h"
#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/SceneCues.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"

namespace {

struct BareBattle {
    BattleScene scene;
    CBattleModel model{scene};
};

TEST(TutorialRules, AStepReadOverThreeSecondsInPlayHoldsTheClock) {
    const struct {
        int state, shownFrames;
        int held;  // added to the clock
    } rows[] = {
        {BATTLE_PLAYING, 0, 0},
        {BATTLE_PLAYING, TUTORIAL_CLOCK_HOLD_AGE, 0},
        {BATTLE_PLAYING, TUTORIAL_CLOCK_HOLD_AGE + 1, 1},
        {BATTLE_PLAYING, 5000, 1},
        {BATTLE_REWARD, 5000, 0},
        {BATTLE_INTRO, 5000, 0},
    };
    for (const auto& r : rows) {
        BareBattle b;
        RuleState(b.model).m_iBattleState = r.state;
        RuleState(b.model).m_iTimeLeft = 1000;
        HoldClockWhileStepIsRead(b.model, r.shownFrames);
        EXPECT_EQ(b.model.State().m_iTimeLeft, 1000 + r.held) << "state " << r.state << " shown " << r.shownFrames;
    }
}

TEST(TutorialRules, StepEightsClickStopsTheAttacksStepNinesStartsThemAtTheSmashersSpeed) {
    UnitDefinition smasher{};
    GetUnitDefinition(smasher, MachineId::Smasher);
    ASSERT_GT(smasher.m_fSpeed, 0.0f);
    const struct {
        int step;
        bool attacksBefore, attacksAfter;
        bool smasherSpeeds;  // the first Smasher walks at its own speed again
    } rows[] = {
        {7, true, true, false}, {8, true, false, false},   {8, false, false, false}, {9, false, true, true},
        {9, true, true, true},  {10, false, false, false}, {-1, true, true, false},
    };
    for (const auto& r : rows) {
        BareBattle b;
        RuleState(b.model).m_StageDefinition.m_bAttacksAllowed = r.attacksBefore;
        for (int i = 0; i < 2; ++i) {
            CCom_GameRobot smasherRobot;
            smasherRobot.m_Unit.m_iType = MachineId::Smasher;
            smasherRobot.m_Unit.m_fSpeed = 0.0f;
            RuleState(b.model).m_lstRobots.push_back(smasherRobot);
        }
        TutorialStepClickedAway(b.model, r.step);
        EXPECT_EQ(b.model.AttacksAllowed(), r.attacksAfter) << "step " << r.step;
        EXPECT_EQ(b.model.State().m_lstRobots.front().m_Unit.m_fSpeed, r.smasherSpeeds ? smasher.m_fSpeed : 0.0f)
            << "step " << r.step;
        EXPECT_EQ(b.model.State().m_lstRobots.back().m_Unit.m_fSpeed, 0.0f)
            << "only the first Smasher, step " << r.step;
    }
}

// The first battle of a new player, its board showing a step.
class TutorialBoard : public ::testing::Test {
protected:
    void SetUp() override {
        g_CurrentProfile = SaveProfile{};
        g_CurrentProfile.m_iFurthestStage = 1;
        b.scene.m_pEffectTutorials = &board;
        board.Add(0);
        ASSERT_TRUE(IsFirstTutorialActive());
    }
    void TearDown() override {
        b.scene.m_pEffectTutorials = nullptr;
        g_CurrentProfile = SaveProfile{};
        g_iNextItemSerial = 0;
    }
    void Show(int step, int fadeState, float fade, int age) {
        board.m_iStep = step;
        board.m_iFadeState = fadeState;
        board.m_fFade = fade;
        board.m_aInstances[0].age = age;
    }
    CCom_GameRobot& Add(int type, float x) {
        CCom_GameRobot r;
        GetUnitDefinition(r.m_Unit, type);
        r.m_vPosition.x = x;
        RuleState(b.model).m_lstRobots.push_back(r);
        return RuleState(b.model).m_lstRobots.back();
    }
    BareBattle b;
    CEffect_Tutorials board;
};

TEST_F(TutorialBoard, AReadStepHoldsTheFusorsAndStepsFourToSixHoldTheClockOnceAnItemDropped) {
    constexpr int hold = TUTORIAL_CLOCK_HOLD_AGE;
    const struct {
        const char* rule;
        int step, fadeState;
        float fade;
        int age;
        bool itemDropped;
        int fusorHeld, clockHeld;
    } rows[] = {
        {"an early step read past the hold age holds the Fusor", 2, 0, 0.0f, hold + 1, true, 1, 0},
        {"an early step read up to the hold age holds nothing", 2, 0, 0.0f, hold, true, 0, 0},
        {"step 4 fresh: the clock waits, the Fusor works", 4, 0, 0.0f, 10, true, 0, 1},
        {"step 4 read long: the Fusor waits, the clock runs", 4, 0, 0.0f, hold + 1, true, 1, 0},
        {"step 4 fading out: the clock waits", 4, 1, 10.0f, hold + 50, true, 0, 1},
        {"step 5 fully shown holds the Fusor at once", 5, 0, 0.0f, 10, true, 1, 1},
        {"step 5 fading in holds only the clock", 5, 0, 10.0f, 10, true, 0, 1},
        {"step 6 before any item holds nothing", 6, 0, 10.0f, 10, false, 0, 0},
        {"step 7 fully shown holds only the Fusor", 7, 0, 0.0f, 10, true, 1, 0},
    };
    for (const auto& r : rows) {
        RuleState(b.model).m_lstRobots.clear();
        Show(r.step, r.fadeState, r.fade, r.age);
        g_iNextItemSerial = r.itemDropped ? 2 : 1;
        CCom_GameRobot& fusor = Add(RobotId::FusorBot, 0.0f);
        fusor.m_Unit.m_iActionInterval = 500;
        fusor.m_iActionTimer = 100;
        CCom_GameRobot& nearlyDone = Add(RobotId::FusorBot, 0.0f);
        nearlyDone.m_Unit.m_iActionInterval = 500;
        nearlyDone.m_iActionTimer = 400;
        RuleState(b.model).m_iTimeLeft = 1000;
        HoldTutorialClock(b.model);
        EXPECT_EQ(fusor.m_iActionTimer, 100 - r.fusorHeld) << r.rule;
        EXPECT_EQ(nearlyDone.m_iActionTimer, 400) << "a Fusor about to produce is not held: " << r.rule;
        EXPECT_EQ(b.model.State().m_iTimeLeft, 1000 + r.clockHeld) << r.rule;
    }
}

TEST_F(TutorialBoard, OutsideTheFirstBattleTheBoardHoldsNothing) {
    g_CurrentProfile.m_iFurthestStage = 2;
    Show(5, 0, 0.0f, 10);
    g_iNextItemSerial = 2;
    CCom_GameRobot& fusor = Add(RobotId::FusorBot, 0.0f);
    fusor.m_Unit.m_iActionInterval = 500;
    fusor.m_iActionTimer = 100;
    RuleState(b.model).m_iTimeLeft = 1000;
    HoldTutorialClock(b.model);
    EXPECT_EQ(fusor.m_iActionTimer, 100);
    EXPECT_EQ(b.model.State().m_iTimeLeft, 1000);
}

TEST_F(TutorialBoard, AtStepEightTheFirstMachinePastTheFirstColumnStopsAndStepNineIsAsked) {
    const struct {
        const char* rule;
        int step, type;
        float x;
        bool stops;
    } rows[] = {
        {"a Machine past the first column stops", 8, MachineId::Smasher, -250.0f, true},
        {"a Machine on the first column walks on", 8, MachineId::Smasher, -300.0f, false},
        {"a robot is no Machine", 8, RobotId::FusorBot, -250.0f, false},
        {"before step 8 nothing stops", 7, MachineId::Smasher, -250.0f, false},
        {"after step 8 nothing stops", 9, MachineId::Smasher, -250.0f, false},
    };
    for (const auto& r : rows) {
        RuleState(b.model).m_lstRobots.clear();
        board.m_iRequestedStep = -1;
        Show(r.step, 0, 0.0f, 100);
        RuleState(b.model).m_aFieldCells[0].m_fX = -300.0f;
        CCom_GameRobot& robot = Add(r.type, r.x);
        const float speed = 1.5f;
        robot.m_Unit.m_fSpeed = speed;
        StopFirstMachineAtStepEight(b.model, robot);
        EXPECT_EQ(robot.m_Unit.m_fSpeed, r.stops ? 0.0f : speed) << r.rule;
        EXPECT_EQ(TutorialRequestedStep(b.scene), r.stops ? 9 : -1) << r.rule;
    }
}

TEST_F(TutorialBoard, TheItemsAStepSpeaksOfDoNotAgeOut) {
    const struct {
        const char* rule;
        int kind, step, age, metalParts;
        int ageAfter;
    } rows[] = {
        {"energy at step 3 is held before its last blinks", 0, 3, 680, 0, 678},
        {"energy at step 3 not yet that old ages on", 3, 3, 679, 0, 679},
        {"energy after step 3 ages out", 2, 4, 680, 0, 680},
        {"the first metal parts are held", 5, 4, 700, 0, 678},
        {"the smallest metal parts as well", 4, 4, 700, 0, 678},
        {"and the largest", 7, 4, 700, 0, 678},
        {"metal parts once some are banked age out", 5, 4, 700, 3, 700},
        {"metal parts at step 3 age out", 5, 3, 700, 0, 700},
        {"another item ages out", 8, 3, 700, 0, 700},
    };
    for (const auto& r : rows) {
        Show(r.step, 0, 0.0f, 100);
        g_CurrentProfile.m_iMetalParts = r.metalParts;
        CCom_GameItem item;
        item.m_iItemKind = r.kind;
        item.m_iAge = r.age;
        KeepTutorialItem(b.model, item);
        EXPECT_EQ(item.m_iAge, r.ageAfter) << r.rule;
    }
}

}  // namespace

namespace {

TEST_F(TutorialBoard, StepsFourAndFiveGoOnOnceFadedAwayAndStepElevenToTwelve) {
    const struct {
        int step;
        bool dismissed;
        int asked;  // -1: nothing asked
    } rows[] = {{4, true, 5},   {5, true, 6},  {11, true, 12}, {4, false, -1},
                {5, false, -1}, {3, true, -1}, {7, true, -1}};
    for (const auto& r : rows) {
        Show(r.step, r.dismissed ? 1 : 0, r.dismissed ? TUTORIAL_FADE_END : 0.0f, 100);
        board.m_iRequestedStep = -1;
        AskForTutorialSteps(b.model);
        EXPECT_EQ(TutorialRequestedStep(b.scene), r.asked) << "step " << r.step << " dismissed " << r.dismissed;
    }
}

}  // namespace
