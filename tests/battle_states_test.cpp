// The battle's states on a loaded page: how long each waits, overtime, the
// stars, the field edge, the starting values, the play-time count and a dealt hand.
#include <map>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "tests/StageRunSupport.h"

namespace {

class BattleStatesTest : public StageRunTest {
protected:
    CPageGame& Playing(int stage) {
        Begin(stage, 1, 11);
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        CPageGame& page = run->Battle();
        // Nothing but what a test puts on the field.
        RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(page.m_Battle).m_lstRobots.clear();
        return page;
    }
    CCom_GameRobot& Machine(CPageGame& page, float x) {
        // On its own lane, moved along it.
        CCom_GameRobot* m =
            page.m_Battle.CallEnemyRobot(page.m_Battle.State().m_aEnemyDefs[0].m_iType, 0.0f, 0.0f, 0.0f, false);
        EXPECT_NE(m, nullptr);
        m->m_vPosition.x = x;
        return *m;
    }
};

TEST_F(BattleStatesTest, EachStateWaitsItsFramesFromOpeningToSummary) {
    // Stage 1 without its tutorial and with no Machine sent: won by time.
    Begin(1, 1, 11);
    g_CurrentProfile.m_abRobotUnlocked[2] = 1;
    std::map<int, int> entered;
    while (run->RunnerFrame() < 20000 && !(run->State() == BATTLE_SUMMARY)) {
        run->Step();
        if (run->App().m_iCurrentPage == 3) RuleState(run->Model()).m_StageDefinition.m_bEnemySchedule = false;
        if (run->App().m_iCurrentPage == 3 && !entered.count(run->State())) entered[run->State()] = run->BattleFrame();
    }
    ASSERT_EQ(run->State(), BATTLE_SUMMARY);
    const int T = run->Model().State().m_iStageFrames;
    ASSERT_EQ(T, 60 * run->Model().State().m_StageDefinition.m_iLength);
    // Frames from entering a state to entering the next one: each waits one
    // frame more than its count, as a state's first frame is the one after
    // it was set.
    const struct {
        int state, next, frames;
    } waits[] = {
        {BATTLE_DECK_CHECK, BATTLE_LOADING, 60 + 1},  // 60 engine frames before it decides
        {BATTLE_LOADING, BATTLE_BEGIN, 30 + 1},       // 30 frames after the loader is idle
        {BATTLE_BEGIN, BATTLE_PLAYING, 180 + 1},      // the begin caption's life
        {BATTLE_PLAYING, BATTLE_REWARD, T + 1},       // the whole stage time
        {BATTLE_RESULT, BATTLE_UNLOCKS, 180 + 1},     // the end caption's life
    };
    for (const auto& w : waits) {
        ASSERT_TRUE(entered.count(w.state) && entered.count(w.next)) << w.state;
        EXPECT_EQ(entered[w.next] - entered[w.state], w.frames) << "state " << w.state;
    }
    EXPECT_EQ(run->Model().State().m_iLife, run->Model().State().m_iMaxLife);
    EXPECT_EQ(g_CurrentProfile.m_aiStageStars[0], 3);
}

TEST_F(BattleStatesTest, OvertimeLastsWhileAMachineStandsAndClosesAfter2700Frames) {
    CPageGame& page = Playing(3);
    CCom_GameRobot& m = Machine(page, -300.0f);
    m.m_Unit.m_fSpeed = 0.0f;
    const int serial = m.m_iSerial;
    RuleState(page.m_Battle).m_iTimeLeft = 1;
    run->Step();  // the last frame of stage time
    for (int i = 0; i < 2699; ++i) run->Step();
    EXPECT_EQ(page.m_Battle.State().m_iBattleState, BATTLE_PLAYING);
    EXPECT_EQ(page.m_Battle.State().m_iOvertimeFrames, 2699);
    EXPECT_TRUE(page.m_Battle.State().m_bOvertimeOpen);
    run->Step();
    EXPECT_EQ(page.m_Battle.State().m_iOvertimeFrames, 2700);
    EXPECT_FALSE(page.m_Battle.State().m_bOvertimeOpen);
    CCom_GameRobot* still = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serial);
    ASSERT_NE(still, nullptr);
    still->m_bExpired = 1;
    run->Step();  // the logic pass takes it away and counts no Machine
    run->Step();
    EXPECT_EQ(page.m_Battle.State().m_iBattleState, BATTLE_REWARD);
}

TEST_F(BattleStatesTest, StarsByLifeLeft) {
    Begin(3, 1, 11);
    ASSERT_TRUE(run->RunUntilState(BATTLE_DECK_CHECK, 3000));
    CPageGame& page = run->Battle();
    const struct {
        int max, life, stars;
    } cases[] = {{2, 2, 3}, {2, 1, 2}, {3, 3, 3}, {3, 2, 2}, {3, 1, 1},
                 {4, 2, 2}, {4, 1, 1}, {5, 3, 2}, {5, 2, 1}, {10, 5, 2}};
    for (const auto& c : cases) {
        RuleState(page.m_Battle).m_iMaxLife = c.max;
        RuleState(page.m_Battle).m_iLife = c.life;
        EXPECT_EQ(RewardStars(page.m_Battle), c.stars) << c.life << " of " << c.max;
    }
}

TEST_F(BattleStatesTest, TheFieldEdgeCostsLifeOnlyWhilePlaying) {
    const struct {
        int state;
        int miniGameFlag;
        bool costs, stays;
    } cases[] = {
        {BATTLE_PLAYING, 0, true, false},
        {BATTLE_REWARD, 0, false, false},
        {BATTLE_PLAYING, 1, false, true},
    };
    for (const auto& c : cases) {
        CPageGame& page = Playing(3);
        CCom_GameRobot& m = Machine(page, 700.0f);
        ASSERT_GT(m.m_Unit.m_fSpeed, 0.0f);
        const int damage = m.m_Unit.m_iHeartDecrease;
        ASSERT_GT(damage, 0);
        RuleState(page.m_Battle).m_iLife = RuleState(page.m_Battle).m_iMaxLife = 5;
        RuleState(page.m_Battle).m_iBattleState = c.state;
        RuleState(page.m_Battle).m_iMiniGameFlag = c.miniGameFlag;
        page.UpdateBattleObjects();
        EXPECT_EQ(page.m_Battle.State().m_iLife, c.costs ? 5 - damage : 5) << c.state << "/" << c.miniGameFlag;
        EXPECT_EQ(page.m_Battle.State().m_lstRobots.size(), c.stays ? 1u : 0u) << c.state << "/" << c.miniGameFlag;
        EXPECT_EQ(page.m_Battle.State().m_nMachinesKilled, 0);
        run.reset();
    }
}

TEST_F(BattleStatesTest, DestroyedMachinesCountAsKilledButBombsAndCagesDoNot) {
    CPageGame& page = Playing(3);
    CCom_GameRobot& m = Machine(page, -300.0f);
    m.m_iHp = 0;
    m.m_bExpired = 1;
    CCom_GameRobot bomb = m;
    bomb.m_Unit.m_iType = 1025;
    RuleState(page.m_Battle).m_lstRobots.push_back(bomb);
    page.UpdateBattleObjects();
    EXPECT_TRUE(page.m_Battle.State().m_lstRobots.empty());
    EXPECT_EQ(page.m_Battle.State().m_nMachinesKilled, 1);
}

TEST_F(BattleStatesTest, StartingLifeAndEnergyFollowTheBoostersAndTheStage) {
    const struct {
        int stage, lifeBooster, energyBooster, life, energy;
    } cases[] = {{3, 0, 0, 2, 10}, {3, 8, 8, 10, 50}, {40, 3, 1, 5, 15}, {172, 0, 0, 2, 0}, {160, 0, 0, 2, 999}};
    for (const auto& c : cases) {
        Begin(c.stage, 1, 11);
        g_CurrentProfile.m_iLifeBooster = c.lifeBooster;
        g_CurrentProfile.m_iEnergyBooster = c.energyBooster;
        ASSERT_TRUE(run->RunUntilState(BATTLE_OPENING, 100));
        EXPECT_EQ(run->Model().State().m_iLife, c.life) << c.stage;
        EXPECT_EQ(run->Model().State().m_iMaxLife, c.life) << c.stage;
        EXPECT_EQ(run->Model().State().m_iEnergy, c.energy) << c.stage;
        EXPECT_EQ(run->Model().State().m_iStageFrames, 60 * run->Model().State().m_StageDefinition.m_iLength);
        run.reset();
    }
}

TEST_F(BattleStatesTest, PlayTimeCountsOnceASecondEvenWhereTheClockStands) {
    for (int stage : {3, 151}) {
        CPageGame& page = Playing(stage);
        // The emptied field would end 151's round: its rules are held here.
        RuleState(page.m_Battle).m_StageDefinition.m_bRuleHold = true;
        const int before = g_CurrentProfile.m_aiAchievementProgress[37];
        const int timeLeft = page.m_Battle.State().m_iTimeLeft;
        for (int i = 0; i < 600; ++i) run->Step();
        EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[37] - before, 10) << "stage " << stage;
        EXPECT_EQ(page.m_Battle.State().m_iTimeLeft, stage == 151 ? timeLeft : timeLeft - 600);
        run.reset();
    }
}

}  // namespace

namespace {}  // namespace

namespace {

TEST_F(BattleStatesTest, ADealtHandSkipsTheCardChoice) {
    Begin(40, 1, 11, {2, 0, 5});
    g_CurrentProfile.m_nCardSlots = 3;
    bool choseCards = false;
    while (run->RunnerFrame() < 3000 && !(run->App().m_iCurrentPage == 3 && run->State() == BATTLE_BEGIN)) {
        run->Step();
        choseCards = choseCards || (run->App().m_iCurrentPage == 3 && run->State() == BATTLE_CARD_SELECT);
    }
    ASSERT_EQ(run->State(), BATTLE_BEGIN);
    EXPECT_FALSE(choseCards);
    CPageGame& page = run->Battle();
    const int expected[] = {2, 0, 5};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(page.m_Battle.State().m_aHand[i].m_iCard, expected[i]) << i;
        EXPECT_EQ(page.m_Battle.State().m_aHandDefs[i].m_iType, expected[i]) << i;
    }
    EXPECT_EQ(page.m_Battle.State().m_aHand[3].m_iCard, -1);
    EXPECT_EQ(run->App().m_vecLastDeck, (std::vector<int>{2, 0, 5})) << "the loader remembers the deck";
}

}  // namespace
