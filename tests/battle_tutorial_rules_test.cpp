// What the tutorial's steps do to the fight, on a bare battle (no page): the
// clock a step holds while it is read, the clicks of steps 8 and 9 that hold
// the first Machine's fight back and let it start, the Machine step 8 stops,
// the items a step keeps, the player's acts that move it on and what a step
// lets the player do.
#include <gtest/gtest.h>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/TutorialRules.h"
#include "tests/BareModel.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "tests/BareModel.h"

namespace {

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
        BareModel b;
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
        BareModel b;
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

// The first battle of a new player, its tutorial showing a step.
class TutorialBoard : public ::testing::Test {
protected:
    void SetUp() override {
        b.profile = SaveProfile{};
        b.profile.m_iFurthestStage = 1;
        board.m_bStarted = true;
        ASSERT_TRUE(IsFirstTutorialActive(b.model));
    }
    void TearDown() override {
        b.profile = SaveProfile{};
        RuleState(b.model).m_iNextItemSerial = 0;
    }
    void Show(int step, int fadeState, float fade, int age) {
        board.m_iStep = step;
        board.m_iFadeState = fadeState;
        board.m_fFade = fade;
        board.m_iAge = age;
    }
    CCom_GameRobot& Add(int type, float x) {
        CCom_GameRobot r(b.model);
        GetUnitDefinition(r.m_Unit, type);
        r.m_vPosition.x = x;
        RuleState(b.model).m_lstRobots.push_back(r);
        return RuleState(b.model).m_lstRobots.back();
    }
    BareModel b;
    TutorialSteps& board = RuleState(b.model).m_Tutorial;
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
        RuleState(b.model).m_iNextItemSerial = r.itemDropped ? 2 : 1;
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
    b.profile.m_iFurthestStage = 2;
    Show(5, 0, 0.0f, 10);
    RuleState(b.model).m_iNextItemSerial = 2;
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
        EXPECT_EQ(board.RequestedStep(), r.stops ? 9 : -1) << r.rule;
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
        b.profile.m_iMetalParts = r.metalParts;
        CCom_GameItem item;
        item.m_iItemKind = r.kind;
        item.m_iAge = r.age;
        KeepTutorialItem(b.model, item);
        EXPECT_EQ(item.m_iAge, r.ageAfter) << r.rule;
    }
}

// The player's acts and the battle's frames that move the first tutorial on:
// each asks for the next step only when the step it follows shows.
TEST_F(TutorialBoard, WhatThePlayerDoesAsksForTheNextStep) {
    const int fusor = 0, gunner = 1;
    auto pick = [](int slot) { return BattleCommand{PickCard{slot}}; };
    auto place = [](int slot) { return BattleCommand{PlaceCard{slot, 9 * FIELD_ROWS + 4}}; };
    const struct {
        const char* rule;
        int step;
        int carried;   // the card carried before the act, -1 none
        int itemKind;  // an item lying on the field, -1 none
        BattleCommand act;
        int asked;  // the step asked for after it, -1 none
    } rows[] = {
        {"picking the Fusor Bot's card at step 0 asks for step 1", 0, -1, -1, pick(fusor), 1},
        {"picking the Gunner Bot's card at step 0 asks for nothing", 0, -1, -1, pick(gunner), -1},
        {"placing the Fusor Bot at step 1 asks for step 2", 1, fusor, -1, place(fusor), 2},
        {"placing the Gunner Bot at step 7 asks for step 8", 7, gunner, -1, place(gunner), 8},
        {"placing the Fusor Bot at step 7 asks for nothing", 7, fusor, -1, place(fusor), -1},
        {"collecting energy at step 3 asks for step 4", 3, -1, 0, CollectItem{500}, 4},
        {"collecting metal parts at step 10 asks for step 11", 10, -1, 4, CollectItem{500}, 11},
        {"collecting energy at step 10 asks for nothing", 10, -1, 1, CollectItem{500}, -1},
        {"the capsule at rest after step 12 asks for step 13", 12, -1, -1, TutorialCapsule{false}, 13},
        {"the capsule opened at step 13 asks for step 14", 13, -1, -1, TutorialCapsule{true}, 14},
    };
    for (const auto& r : rows) {
        BareModel fresh;
        fresh.profile.m_iFurthestStage = 1;
        fresh.LayField(TERRAIN_GROUND);
        BattleData& state = RuleState(fresh.model);
        state.m_iBattleState = BATTLE_PLAYING;
        state.m_iEnergy = 500;
        for (int slot : {fusor, gunner}) {
            GetUnitDefinition(state.m_aHandDefs[slot], slot == fusor ? RobotId::FusorBot : RobotId::GunnerBot);
            state.m_aHand[slot] = HandSlot{state.m_aHandDefs[slot].m_iType, state.m_aHandDefs[slot].m_iRechargeTime};
        }
        state.m_iCarriedCard = r.carried;
        if (r.itemKind >= 0) {
            CCom_GameItem item;
            item.m_iSerial = 500;
            item.m_iItemKind = r.itemKind;
            state.m_lstItems.push_back(item);
        }
        state.m_Tutorial.m_bStarted = true;
        state.m_Tutorial.m_iStep = r.step;
        ASSERT_TRUE(Apply(fresh.model, r.act)) << r.rule;
        EXPECT_EQ(fresh.model.State().m_Tutorial.RequestedStep(), r.asked) << r.rule;
    }

    // Outside the first tutorial the same acts ask for nothing.
    b.profile.m_iFurthestStage = 2;
    EXPECT_FALSE(Apply(b.model, TutorialCapsule{false}));
    TutorialCardPicked(b.model, RobotId::FusorBot);
    TutorialItemCollected(b.model, 0);
    EXPECT_EQ(board.RequestedStep(), -1);
}

TEST_F(TutorialBoard, TheBattleAsksForTheStepsThatFollowOnTheirOwn) {
    const struct {
        const char* rule;
        int step, fadeState;
        float fade;
        bool playing, charged;
        int energy;
        int stepAfter, asked;
        bool panelKeptOut;
    } rows[] = {
        {"the first card charged in play brings step 0 at once", -1, 0, 0.0f, true, true, 0, 0, -1, false},
        {"a card still charging brings nothing", -1, 0, 0.0f, true, false, 0, -1, -1, false},
        {"before the play nothing comes", -1, 0, 0.0f, false, true, 0, -1, -1, false},
        {"step 4 gone asks for step 5", 4, 1, TUTORIAL_FADE_END, true, true, 0, 4, 5, false},
        {"step 4 fading out asks for nothing yet", 4, 1, 28.0f, true, true, 0, 4, -1, false},
        {"step 5 gone asks for step 6", 5, 1, TUTORIAL_FADE_END, true, true, 0, 5, 6, false},
        {"step 6 with 20 energy asks for step 7", 6, 0, 0.0f, true, true, 20, 6, 7, false},
        {"step 6 with 19 energy waits", 6, 0, 0.0f, true, true, 19, 6, -1, false},
        {"step 11 gone asks for step 12", 11, 1, TUTORIAL_FADE_END, true, true, 0, 11, 12, false},
        {"step 11 up keeps the parts panel out", 11, 0, 0.0f, true, true, 0, 11, -1, true},
        {"step 12 gone asks for nothing", 12, 1, TUTORIAL_FADE_END, true, true, 0, 12, -1, false},
    };
    for (const auto& r : rows) {
        board = TutorialSteps{};
        if (r.step >= 0) {
            board.m_bStarted = true;
            Show(r.step, r.fadeState, r.fade, 100);
        }
        BattleData& state = RuleState(b.model);
        state.m_iBattleState = r.playing ? BATTLE_PLAYING : BATTLE_BEGIN;
        state.m_aHandDefs[0].m_iRechargeTime = 100;
        state.m_aHand[0] = HandSlot{RobotId::FusorBot, r.charged ? 100 : 99};
        state.m_iEnergy = r.energy;
        state.m_iPanelTimer = 0;
        AskForTutorialSteps(b.model);
        EXPECT_EQ(board.Step(), r.stepAfter) << r.rule;
        EXPECT_EQ(board.RequestedStep(), r.asked) << r.rule;
        EXPECT_EQ(b.model.State().m_iPanelTimer > 0, r.panelKeptOut) << r.rule;
    }
}

// Before step 8 a card goes only on the bottom row, filled from the right.
TEST_F(TutorialBoard, BeforeStepEightACardGoesOnlyOnTheBottomRowFromTheRight) {
    const struct {
        const char* rule;
        int furthest, step, robots, column, row;
        bool allowed;
    } rows[] = {
        {"the first card goes on the bottom right", 1, 1, 0, 9, 4, true},
        {"not one column to its left", 1, 1, 0, 8, 4, false},
        {"not a row above", 1, 1, 0, 9, 3, false},
        {"with one robot out, a column further left", 1, 7, 1, 8, 4, true},
        {"but not two", 1, 7, 1, 7, 4, false},
        {"from step 8 anywhere", 1, 8, 0, 3, 1, true},
        {"outside the first tutorial anywhere", 2, 1, 0, 3, 1, true},
    };
    for (const auto& r : rows) {
        b.profile.m_iFurthestStage = r.furthest;
        b.LayField(TERRAIN_GROUND);
        RuleState(b.model).m_lstRobots.clear();
        for (int i = 0; i < r.robots; ++i) b.Stand(0.0f, 0.0f);
        GetUnitDefinition(RuleState(b.model).m_aHandDefs[0], RobotId::GunnerBot);
        Show(r.step, 0, 0.0f, 100);
        EXPECT_EQ(b.model.JudgePlacement(0, r.column, r.row).Allowed(), r.allowed) << r.rule;
    }
}

// While a click step waits for its click the player's other input of the
// frame is ignored; an event step lets it through.
TEST_F(TutorialBoard, AStepThatWaitsForAClickHoldsThePlayersOtherInput) {
    const struct {
        const char* rule;
        int furthest, step, fadeState;
        float fade;
        bool holds;
    } rows[] = {
        {"a click step shown holds it", 1, 2, 0, 0.0f, true},
        {"a click step fading out still holds it", 1, 2, 1, 28.0f, true},
        {"a click step gone lets it through", 1, 2, 1, TUTORIAL_FADE_END, false},
        {"an event step lets it through", 1, 3, 0, 0.0f, false},
        {"step 15 lets it through", 1, 15, 0, 0.0f, false},
        {"no step yet lets it through", 1, -1, 0, 0.0f, false},
        {"outside a tutorial nothing is held", 3, 2, 0, 0.0f, false},
    };
    for (const auto& r : rows) {
        b.profile.m_iFurthestStage = r.furthest;
        Show(r.step, r.fadeState, r.fade, 100);
        EXPECT_EQ(TutorialHoldsInput(b.model), r.holds) << r.rule;
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
        EXPECT_EQ(board.RequestedStep(), r.asked) << "step " << r.step << " dismissed " << r.dismissed;
    }
}

}  // namespace
