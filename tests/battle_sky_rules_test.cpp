// What falls onto the field acts on what stands there: a meteor Machine
// crushes the robot under it, the Destroyer's closing hand every robot within
// reach, a paratrooper boards a free carrier or is lost; an Ultra Cycler off
// the ground jumps and falls. Held on a bare model (an empty scene), robot by
// robot.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BossHandRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/units/GameRobot.h"
#include "tests/BareModel.h"
#include "content/UnitIds.h"
#include "platform/Random.h"

namespace {

struct BareField : BareModel {
    BareField() {
        LayField(CELL_AIR);
        RuleState(model).m_iBattleState = BATTLE_PLAYING;
    }
};

struct StandCase {
    const char* rule;
    std::function<void(BareField&)> setUp;  // the robots standing, the one to watch first
    bool hit;                               // the first robot is the one struck
};

}  // namespace

TEST(MeteorLanding, CrushesTheFirstStandingRobotOfThePlayersRightUnderIt) {
    const VxVec3 at{200.0f, 100.0f, 0.0f};
    const StandCase cases[] = {
        {"a robot on the spot", [](BareField& b) { b.Stand(200.0f, 100.0f); }, true},
        {"a robot 19 aside and 14 up", [](BareField& b) { b.Stand(219.0f, 114.0f); }, true},
        {"a robot 20 aside is missed", [](BareField& b) { b.Stand(220.0f, 100.0f); }, false},
        {"a robot 15 down is missed", [](BareField& b) { b.Stand(200.0f, 85.0f); }, false},
        {"a Machine is not crushed", [](BareField& b) { b.Stand(200.0f, 100.0f, ROLE_ATTACK, true); }, false},
        {"a carrier is not crushed", [](BareField& b) { b.Stand(200.0f, 100.0f, ROLE_PLATFORM); }, false},
        {"a timer is not crushed", [](BareField& b) { b.Stand(200.0f, 100.0f, ROLE_TIMER); }, false},
        {"a one-shot unit is not crushed", [](BareField& b) { b.Stand(200.0f, 100.0f, ROLE_ONESHOT); }, false},
        {"a dying robot is not crushed again", [](BareField& b) { b.Stand(200.0f, 100.0f).m_iState = ROBOT_DYING; },
         false},
        {"of two on the spot the first is crushed",
         [](BareField& b) {
             b.Stand(200.0f, 100.0f);
             b.Stand(201.0f, 100.0f);
         },
         true},
    };
    for (const StandCase& c : cases) {
        BareField b;
        c.setUp(b);
        const CCom_GameRobot* first = &b.model.State().m_lstRobots.front();
        EXPECT_EQ(RobotUnderMeteor(b.model, at), c.hit ? first : nullptr) << c.rule;
    }
}

TEST(MeteorLanding, FallsOnAGroundCellOfTheFieldsMiddleOrNowhere) {
    struct Case {
        const char* rule;
        int groundCell;  // the only ground cell, or -1 for none
        int landing;
    };
    const Case cases[] = {
        {"the one ground cell in the middle is found", 2 * FIELD_ROWS + 3, 2 * FIELD_ROWS + 3},
        {"the first middle column holds it too", 1 * FIELD_ROWS + 0, 1 * FIELD_ROWS + 0},
        {"ground in the left column is never drawn", 0 * FIELD_ROWS + 2, -1},
        {"ground past the middle is never drawn", 5 * FIELD_ROWS + 2, -1},
        {"no ground at all lands nowhere", -1, -1},
    };
    for (const Case& c : cases) {
        BareField b;
        VxSrand(77);
        if (c.groundCell >= 0) RuleState(b.model).m_aFieldCells[c.groundCell].m_iStageKind = CELL_GROUND;
        EXPECT_EQ(DrawMeteorLandingCell(b.model), c.landing) << c.rule;
    }
}

TEST(BossHand, CrushesEveryRobotOfThePlayersWithinReachOfTheCell) {
    const StandCase cases[] = {
        {"a robot on the cell centre", [](BareField& b) { b.Stand(300.0f, 150.0f); }, true},
        {"a robot 49 away", [](BareField& b) { b.Stand(300.0f, 199.0f); }, true},
        {"a robot 50 away is out of reach", [](BareField& b) { b.Stand(330.0f, 190.0f); }, false},
        {"a Machine stays", [](BareField& b) { b.Stand(300.0f, 150.0f, ROLE_ATTACK, true); }, false},
        {"a robot already dead is left", [](BareField& b) { b.Stand(300.0f, 150.0f).m_iHp = 0; }, false},
    };
    for (const StandCase& c : cases) {
        BareField b;
        c.setUp(b);
        b.Stand(300.0f, 160.0f);  // a second robot within reach is crushed as well
        const int crushed = CloseBossHand(b.model, 300.0f, 150.0f);
        const CCom_GameRobot& first = b.model.State().m_lstRobots.front();
        EXPECT_EQ(crushed, c.hit ? 2 : 1) << c.rule;
        EXPECT_EQ(first.m_iState == ROBOT_DYING, c.hit) << c.rule;
        EXPECT_EQ(b.model.State().m_lstFieldEffects.size(), size_t(crushed)) << c.rule;
    }
}

TEST(ParatrooperLanding, BoardsAFreeCarrierWithinReachOrIsLost) {
    struct Case {
        const char* rule;
        float carrierX;  // the carrier's distance aside from the landing point
        bool occupied;
        bool caught;
    };
    const Case cases[] = {
        {"a free carrier under it takes it", 0.0f, false, true},
        {"a free carrier 44 aside takes it", 44.0f, false, true},
        {"a carrier 45 aside is missed", 45.0f, false, false},
        {"a carrier already ridden is missed", 0.0f, true, false},
    };
    for (const Case& c : cases) {
        BareField b;
        UnitDefinition& d = RuleState(b.model).m_aHandDefs[0];
        d.m_iType = RobotId::GunnerBot;
        d.m_iRole = ROLE_ATTACK;
        d.m_iMaxHp = 10;
        const VxVec3 at{100.0f, 75.0f, 0.0f};
        CCom_GameRobot& carrier = b.Stand(at.x + c.carrierX, at.y, ROLE_PLATFORM);
        carrier.m_bPlatformOccupied = c.occupied;
        const int carrierSerial = carrier.m_iSerial;
        LandParatrooper(b.model, 0, at);
        ASSERT_EQ(b.model.State().m_lstRobots.size(), 2u) << c.rule;
        const CCom_GameRobot& landed = b.model.State().m_lstRobots.back();
        EXPECT_EQ(landed.m_iLinkedSerial == carrierSerial, c.caught) << c.rule;
        EXPECT_EQ(landed.m_iHp > 0, c.caught) << c.rule;
        EXPECT_EQ(b.model.State().m_iCatchCount, c.caught ? 1 : 0) << c.rule;
        EXPECT_EQ(bool(b.model.State().m_lstRobots.front().m_bPlatformOccupied), c.caught || c.occupied) << c.rule;
    }
}

TEST(ParatrooperCut, AMachineInsideTheParachuteOrTheCardCutsItLoose) {
    const VxVec3 chute{0.0f, 300.0f, 0.0f}, picture{0.0f, 200.0f, 0.0f};
    struct Case {
        const char* rule;
        float x, y;
        bool machine;
        bool touches;
    };
    const Case cases[] = {
        {"a Machine inside the parachute's square", 127.0f, 427.0f, true, true},
        {"a Machine just off the parachute's square", 128.0f, 300.0f, true, false},
        {"a Machine inside the card's square", 39.0f, 161.0f, true, true},
        {"a Machine beside the card, under the parachute's square", 41.0f, 160.0f, true, false},
        {"a robot of the player's does not cut it", 0.0f, 300.0f, false, false},
    };
    for (const Case& c : cases) {
        BareField b;
        b.Stand(c.x, c.y, ROLE_ATTACK, c.machine);
        EXPECT_EQ(MachineTouchesParatrooper(b.model, chute, picture, 40.0f), c.touches) << c.rule;
    }
}

TEST(CyclerJump, AHopRuns18StepsOf5AsideAndThenItFalls10Down4Aside) {
    struct Case {
        const char* rule;
        int mode, step;  // the jump under way
        float dx, dy;    // one frame's move
    };
    const Case cases[] = {
        {"a hop's first step", 1, 0, 5.0f, 0.0f},
        {"a long jump's first step", 2, 0, 6.0f, 0.0f},
        {"a long jump's tenth step rises", 2, 9, 6.0f, 10.0f},
        {"a hop's last step", 1, 17, 5.0f, 1.5f * std::sin(340.0f * 3.14159265f / 180.0f)},
        {"after its 18 steps the hop falls", 1, 18, 4.0f, -10.0f},
        {"after its 36 steps the long jump falls", 2, 36, 4.0f, -10.0f},
    };
    for (const Case& c : cases) {
        BareField b;  // no ground anywhere: the Cycler never lands
        CCom_GameRobot& cycler = b.Stand(200.0f, 100.0f, ROLE_ATTACK, true);
        cycler.m_Unit.m_iType = MachineId::UltraCycler;
        cycler.m_iJumpMode = c.mode;
        cycler.m_iJumpStep = c.step;
        cycler.UpdateCyclerJump(b.model);
        EXPECT_FLOAT_EQ(cycler.m_vPosition.x, 200.0f + c.dx) << c.rule;
        EXPECT_NEAR(cycler.m_vPosition.y, 100.0f + c.dy, 1e-4f) << c.rule;
    }
}
