// What the tutorial's steps do to the fight, on a bare battle (an empty scene,
// no board): the clock a step holds while it is read, and the clicks of steps
// 8 and 9 that hold the first Machine's fight back and let it start.
#include <gtest/gtest.h>

#include "battle/model/BattleModel.h"
#include "battle/model/TutorialRules.h"
#include "battle/units/GameRobot.h"
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
        b.model.m_iBattleState = r.state;
        b.model.m_iTimeLeft = 1000;
        HoldClockWhileStepIsRead(b.model, r.shownFrames);
        EXPECT_EQ(b.model.m_iTimeLeft, 1000 + r.held) << "state " << r.state << " shown " << r.shownFrames;
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
        b.model.m_StageDefinition.m_bAttacksAllowed = r.attacksBefore;
        for (int i = 0; i < 2; ++i) {
            CCom_GameRobot smasherRobot;
            smasherRobot.m_Unit.m_iType = MachineId::Smasher;
            smasherRobot.m_Unit.m_fSpeed = 0.0f;
            b.model.m_lstRobots.push_back(smasherRobot);
        }
        TutorialStepClickedAway(b.model, r.step);
        EXPECT_EQ(b.model.AttacksAllowed(), r.attacksAfter) << "step " << r.step;
        EXPECT_EQ(b.model.m_lstRobots.front().m_Unit.m_fSpeed, r.smasherSpeeds ? smasher.m_fSpeed : 0.0f)
            << "step " << r.step;
        EXPECT_EQ(b.model.m_lstRobots.back().m_Unit.m_fSpeed, 0.0f) << "only the first Smasher, step " << r.step;
    }
}

}  // namespace
