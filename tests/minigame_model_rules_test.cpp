// The mini-games' rules that need no stage run, held on a bare model (an
// empty scene): the "no robot left" loss, the aimed shots' hold, picking
// items up by touch and 175's fast Machines.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/MiniGameRules.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/UnitIds.h"
#include "tests/BareModel.h"

namespace {

struct BareMiniGame : BareModel {
    CCom_GameRobot& Stand(float x, float y, int side, int hp, int role) {
        CCom_GameRobot r(model);
        r.m_Unit.m_iType = side ? MachineId::Destroyer : RobotId::GunnerBot;
        r.m_Unit.m_iSide = side;
        r.m_Unit.m_iRole = role;
        r.m_iHp = hp;
        r.m_vPosition = VxVec3{x, y, 0.0f};
        RuleState(model).m_lstRobots.push_back(r);
        return RuleState(model).m_lstRobots.back();
    }
    void Lay(int kind, float x, float y) {
        CCom_GameItem item(model);
        item.m_iItemKind = kind;
        item.m_vPosition = VxVec3{x, y, 0.0f};
        RuleState(model).m_lstItems.push_back(item);
    }
};

struct LossCase {
    const char* name;
    int stage;
    int liveRobots;
    bool robotSeen;
    bool loses;
};

struct TouchCase {
    const char* name;
    int side;
    int hp;
    int role;
    float itemX;  // the robot stands at 0
    int itemKind;
    bool taken;
    int panelTimer;
};

}  // namespace

TEST(MiniGameModelRules, NoRobotLeftLosesOnlyOnceARobotStoodAndNotOnTheCatchOrEnergyStages) {
    const LossCase cases[] = {
        {"the last robot gone after one stood loses", 153, 0, true, true},
        {"a robot still standing does not lose", 153, 1, true, false},
        {"an empty field before any robot stood does not lose", 153, 0, false, false},
        {"177's carriers may all be gone", 177, 0, true, false},
        {"172 goes on without robots", 172, 0, true, false},
    };
    for (const LossCase& c : cases) {
        BareMiniGame b;
        RuleState(b.model).m_nLiveRobots = c.liveRobots;
        RuleState(b.model).m_bPlayerRobotSeen = c.robotSeen;
        EXPECT_EQ(NoRobotLeftLoses(b.model, c.stage), c.loses) << c.name;
    }
}

TEST(MiniGameModelRules, AimedShotsFireFromTheSixteenthHeldFrameAndALetGoStartsTheCountAgain) {
    BareMiniGame b;
    std::vector<bool> fired;
    for (int i = 0; i < 17; ++i) fired.push_back(CountAimHold(b.model, true));
    EXPECT_FALSE(fired[14]) << "fifteen frames held are not enough";
    EXPECT_TRUE(fired[15]) << "the sixteenth fires";
    EXPECT_TRUE(fired[16]) << "and every frame held after it";
    EXPECT_FALSE(CountAimHold(b.model, false)) << "letting go stops the shots";
    EXPECT_EQ(b.model.State().m_iHoldFrames, 0);
    EXPECT_FALSE(CountAimHold(b.model, true)) << "held again, the count starts from one";
}

TEST(MiniGameModelRules, AnOwnLiveAttackerPicksUpWhatLiesWithinFiftyPixels) {
    const TouchCase cases[] = {
        {"energy within reach is taken", 0, 10, ROLE_ATTACK, 49.0f, ITEM_ENERGY_0, true, 0},
        {"parts within reach are taken and open the panel", 0, 10, ROLE_ATTACK, 10.0f, ITEM_PARTS_0 + 2, true, 300},
        {"a capsule is taken without the panel", 0, 10, ROLE_ATTACK, 0.0f, ITEM_CAPSULE, true, 0},
        {"fifty pixels away is out of reach", 0, 10, ROLE_ATTACK, 50.0f, ITEM_PARTS_0, false, 0},
        {"a Machine picks nothing up", 1, 10, ROLE_ATTACK, 0.0f, ITEM_PARTS_0, false, 0},
        {"a broken robot picks nothing up", 0, 0, ROLE_ATTACK, 0.0f, ITEM_PARTS_0, false, 0},
        {"a guard picks nothing up", 0, 10, ROLE_GUARD, 0.0f, ITEM_PARTS_0, false, 0},
    };
    for (const TouchCase& c : cases) {
        BareMiniGame b;
        b.Stand(0.0f, 100.0f, c.side, c.hp, c.role);
        b.Lay(c.itemKind, c.itemX, 100.0f);
        CollectItemsByTouch(b.model);
        EXPECT_EQ(b.model.State().m_lstItems.empty(), c.taken) << c.name;
        EXPECT_EQ(b.model.State().m_iPanelTimer, c.panelTimer) << c.name;
    }
}

TEST(MiniGameModelRules, OnlyTheFirstMachineRecordWalksFast) {
    BareMiniGame b;
    PlayStage(b.model, 175);
    const int types[] = {RobotId::GunnerBot, MachineId::Destroyer, MachineId::DestroyerZero};
    for (int i = 0; i < 3; ++i) {
        RuleState(b.model).m_aEnemyDefs[i].m_iType = types[i];
        RuleState(b.model).m_aEnemyDefs[i].m_fSpeed = 0.5f;
    }
    SetFastMachines(b.model);
    EXPECT_EQ(b.model.State().m_aEnemyDefs[0].m_fSpeed, 0.5f) << "a robot record keeps its speed";
    EXPECT_EQ(b.model.State().m_aEnemyDefs[1].m_fSpeed, 1.5f) << "the first Machine record walks fast";
    EXPECT_EQ(b.model.State().m_aEnemyDefs[2].m_fSpeed, 0.5f) << "the next Machine record keeps its speed";
}

TEST(MiniGameModelRules, TheControlsFollowThePointerOnTheAimingSteeringJumpingAndChargingGames) {
    // 152 and 162 aim, 154 to 156, 163, 166, 171 and 174 steer, 157 and 167
    // jump, 164 and 179 charge.
    const std::vector<int> follow = {152, 154, 155, 156, 157, 162, 163, 164, 166, 167, 171, 174, 179};
    for (int stage = 150; stage <= 181; ++stage) {
        const bool expected = std::find(follow.begin(), follow.end(), stage) != follow.end();
        EXPECT_EQ(FollowsThePointer(stage), expected) << "stage " << stage;
    }
}

// One held frame of the pointer on each mini-game, its controlled robot an
// attacker in the middle of the field with an item at its feet: what moves,
// what counts and what is picked up says the game's controls are its own.
TEST(MiniGameModelRules, EachMiniGameTakesThePointerAsItsKindAndModeSay) {
    const struct {
        int stage;
        bool movesY, movesX, aims, charges, picksUp, fast;
    } rows[] = {
        {151, false, false, false, false, false, false}, {152, false, false, true, false, false, false},
        {153, false, false, false, false, false, false}, {154, true, false, false, false, false, false},
        {155, true, true, false, false, true, false},    {156, true, true, false, false, true, false},
        {157, false, true, false, false, false, false},  {158, false, false, false, false, false, false},
        {159, false, false, false, false, false, false}, {160, false, false, false, false, false, false},
        {161, false, false, false, false, false, false}, {162, false, false, true, false, false, false},
        {163, true, true, false, false, false, false},   {164, false, false, false, true, false, false},
        {165, false, false, false, false, false, false}, {166, true, true, false, false, true, false},
        {167, false, true, false, false, false, false},  {168, false, false, false, false, false, false},
        {169, false, false, false, false, false, false}, {170, false, false, false, false, false, false},
        {171, true, true, false, false, true, false},    {172, false, false, false, false, false, false},
        {173, false, false, false, false, false, false}, {174, true, true, false, false, true, false},
        {175, false, false, false, false, false, true},  {176, false, false, false, false, false, false},
        {177, false, false, false, false, false, false}, {178, false, false, false, false, false, false},
        {179, false, false, false, true, false, false},  {180, false, false, false, false, false, false},
    };
    for (const auto& r : rows) {
        BareMiniGame b;
        PlayStage(b.model, r.stage);
        BattleData& s = RuleState(b.model);
        s.m_iBattleState = BATTLE_PLAYING;
        s.m_iStageFrames = s.m_iTimeLeft = 1000;
        // Row 0 on top, as on the screen.
        for (int i = 0; i < FIELD_CELLS; ++i) {
            s.m_aFieldCells[i].m_fX = float(i / FIELD_ROWS) * 80.0f;
            s.m_aFieldCells[i].m_fY = float(i % FIELD_ROWS) * -75.0f;
        }
        s.m_aHand[0].m_iCard = RobotId::MachineGunner;  // 171 steers its Machine Gunner
        CCom_GameRobot& robot = b.Stand(320.0f, -150.0f, 0, 10, ROLE_ATTACK);
        robot.m_iUnitSlot = 0;
        s.m_apMiniGameRobots[0] = &robot;
        b.Lay(ITEM_CAPSULE, 320.0f, -150.0f);
        s.m_aEnemyDefs[0].m_iType = MachineId::Destroyer;
        s.m_aEnemyDefs[0].m_fSpeed = 0.5f;

        RunMiniGameControls(b.model, VxVec3{600.0f, -300.0f, 0.0f}, true);
        const std::string at = "stage " + std::to_string(r.stage);
        EXPECT_EQ(robot.m_vPosition.y != -150.0f, r.movesY) << at;
        EXPECT_EQ(robot.m_vPosition.x != 320.0f, r.movesX) << at;
        EXPECT_EQ(s.m_iHoldFrames == 1, r.aims) << at;
        EXPECT_EQ(s.m_iChargeFrames == 1, r.charges) << at;
        RunMiniGameInputRules(b.model);
        EXPECT_EQ(s.m_lstItems.empty(), r.picksUp) << at;
        EXPECT_EQ(s.m_aEnemyDefs[0].m_fSpeed == 1.5f, r.fast) << at;
    }
}
