// The timed shots' rules on a bare model: how the held button charges and
// the charge drains after the shot, when a Machine of 168 blinks and what a
// press there meets.
#include <gtest/gtest.h>

#include <vector>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ChargeShotRules.h"
#include "battle/units/GameRobot.h"
#include "content/UnitIds.h"

namespace {

struct BareCharge {
    BattleScene scene;
    CBattleModel model{scene};
    // One own robot on the field, none linked to fire: the charge runs alone.
    BareCharge() {
        RuleState(model).m_iBattleState = BATTLE_PLAYING;
        CCom_GameRobot r(model);
        r.m_Unit.m_iType = RobotId::GunnerBot;
        r.m_iHp = 10;
        RuleState(model).m_lstRobots.push_back(r);
    }
    void Hold(int frames) {
        for (int i = 0; i < frames; ++i) StepChargeShot(model, true);
    }
    // Frames without the button until the charge may start again.
    int FramesToRecover() {
        int frames = 0;
        do {
            StepChargeShot(model, false);
            ++frames;
        } while (model.State().m_iChargePhase != 0 && frames < 1000);
        return frames;
    }
};

}  // namespace

TEST(ChargeShot, TheReleaseFiresAndTheChargeDrainsTwoFramesAFrameBeforeTheNext) {
    struct Case {
        int held;
        int chargeAtShot;
        int recovery;  // frames from the release (or the full charge) until charging again
    };
    // A full charge fires by itself on its 180th frame.
    const Case cases[] = {{1, 1, 2}, {44, 44, 23}, {45, 45, 24}, {179, 179, 91}, {180, 180, 90}, {250, 180, 90}};
    for (const Case& c : cases) {
        BareCharge b;
        const int holding = c.held < FULL_CHARGE_FRAMES ? c.held : FULL_CHARGE_FRAMES;
        b.Hold(holding);
        EXPECT_EQ(b.model.State().m_iChargeFrames, c.chargeAtShot) << c.held;
        EXPECT_EQ(b.model.State().m_iChargePhase, c.held < FULL_CHARGE_FRAMES ? 0 : 2) << c.held;
        b.Hold(c.held - holding);  // holding on after a full charge only drains it
        EXPECT_EQ(b.FramesToRecover() + (c.held - holding), c.recovery) << c.held;
        EXPECT_EQ(b.model.State().m_iChargeFrames, 0) << c.held;
    }
}

TEST(ChargeShot, NoChargeBuildsOnceTheBattleIsOverOrNoOwnRobotStands) {
    for (int which = 0; which < 2; ++which) {
        BareCharge b;
        if (which == 0) RuleState(b.model).m_iBattleState = BATTLE_PLAYING + 1;
        else RuleState(b.model).m_lstRobots.front().m_iHp = 0;
        b.Hold(30);
        EXPECT_EQ(b.model.State().m_iChargeFrames, 0) << which;
    }
}

TEST(ChargeShot, AMachineBlinksTwoSecondsInSevenShiftedOneSecondASerial) {
    struct Case {
        int serial, frame;
        bool blinks;
    };
    const Case cases[] = {{0, 0, true},  {0, 119, true}, {0, 120, false}, {0, 419, false}, {0, 420, true},
                          {1, 0, true},  {1, 59, true},  {1, 60, false},  {1, 360, true},  {7, 0, true},
                          {6, 0, false}, {6, 60, true},  {2, 300, true},  {2, 299, false}, {3, 0, false}};
    for (const Case& c : cases) {
        CCom_GameRobot m;
        m.m_iSerial = c.serial;
        EXPECT_EQ(MachineBlinks(m, c.frame), c.blinks) << c.serial << " at " << c.frame;
    }
}

TEST(ChargeShot, APressMeetsEachUnchargedLiveAttackerBeforeTheFirstChargedOne) {
    enum Unit { Uncharged, Charged, Dead, MachineAttacker, Guard };
    struct Case {
        const char* rule;
        std::vector<Unit> units;  // in list order
        int machineHp;            // of a Machine under the press, 0: none there
        int charging;
        bool nothingInReach;
    };
    const Case cases[] = {
        {"one still charging, then a charged one with nothing near", {Uncharged, Charged}, 0, 1, true},
        {"the charged one ends the pass", {Uncharged, Charged, Uncharged}, 0, 1, true},
        {"a dead attacker is passed over", {Dead, Uncharged, Charged}, 0, 1, true},
        {"a Machine and a guard are passed over", {MachineAttacker, Guard, Uncharged}, 0, 1, false},
        {"every one charging, none fires", {Uncharged, Uncharged}, 3, 2, false},
        {"a charged one with a Machine of 1 hp near", {Charged}, 1, 0, false},
        {"a Machine already dead is no target", {Charged}, -1, 0, true},
    };
    for (const Case& c : cases) {
        BattleScene scene;
        CBattleModel model{scene};
        for (Unit u : c.units) {
            CCom_GameRobot r;
            r.m_Unit.m_iType = RobotId::GunnerBot;
            r.m_Unit.m_iRole = u == Guard ? ROLE_GUARD : ROLE_ATTACK;
            r.m_Unit.m_iSide = u == MachineAttacker ? 1 : 0;
            r.m_Unit.m_iActionInterval = 100;
            r.m_iActionTimer = u == Charged ? 100 : 0;
            r.m_iHp = u == Dead ? 0 : 1;
            r.m_vPosition = VxVec3{-300.0f, 0.0f, 0.0f};
            RuleState(model).m_lstRobots.push_back(r);
        }
        if (c.machineHp != 0) {
            CCom_GameRobot m;
            m.m_Unit.m_iType = MachineId::Giant;
            m.m_Unit.m_iSide = 1;
            m.m_iHp = c.machineHp;
            m.m_vPosition = VxVec3{10.0f, 10.0f, 0.0f};
            RuleState(model).m_lstRobots.push_back(m);
        }
        const ZapPreview seen = PreviewZap(model, VxVec3{0.0f, 0.0f, 0.0f}, 0);
        EXPECT_EQ(seen.charging, c.charging) << c.rule;
        EXPECT_EQ(seen.nothingInReach, c.nothingInReach) << c.rule;
    }
}

TEST(ChargeShot, AZapGoesForTheNearestBlinkingMachineWithin50BeforeAnyOther) {
    struct Machine {
        int serial;  // at frame 0 serials 0 and 1 blink, 2 and 3 do not
        float x;
        int hp;
    };
    struct Case {
        const char* rule;
        std::vector<Machine> machines;
        int target;  // serial, -1 none
    };
    const Case cases[] = {
        {"a blinking one 40 off before a still one 10 off", {{2, 10.0f, 5}, {1, 40.0f, 5}}, 1},
        {"the nearer of two blinking", {{0, 30.0f, 5}, {1, 20.0f, 5}}, 1},
        {"with none blinking the nearest", {{2, 30.0f, 5}, {3, 20.0f, 5}}, 3},
        {"a blinking one 50 off is out of reach", {{1, 50.0f, 5}, {2, 45.0f, 5}}, 2},
        {"one of 1 hp counts", {{1, 40.0f, 1}}, 1},
        {"a dead one is passed over", {{1, 10.0f, 0}, {2, 40.0f, 5}}, 2},
        {"none within 50", {{2, 60.0f, 5}}, -1},
    };
    for (const Case& c : cases) {
        BattleScene scene;
        CBattleModel model{scene};
        for (const Machine& m : c.machines) {
            CCom_GameRobot r;
            r.m_Unit.m_iType = MachineId::Giant;
            r.m_Unit.m_iSide = 1;
            r.m_iSerial = m.serial;
            r.m_iHp = m.hp;
            r.m_vPosition = VxVec3{m.x, 0.0f, 0.0f};
            RuleState(model).m_lstRobots.push_back(r);
        }
        const CCom_GameRobot* target = ZapTargetNear(model, VxVec3{0.0f, 0.0f, 0.0f}, 0);
        EXPECT_EQ(target ? target->m_iSerial : -1, c.target) << c.rule;
    }
}
