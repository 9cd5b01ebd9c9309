// The battle's finer unit rules, each row named after the rule it pins: the
// Mini-Mine's wait and blast, the Destroyer's body and hands, the mortar's
// mark, the whales' surfacing, a robot's scan, the carriers' and guard's
// reach, the Reaper's strike and the Flame Bot's hold. Played on real stage
// runs from a seed.
#include "tests/UnitRulesTest.h"

namespace {

// ---- The Mini-Mine ----

TEST_F(UnitRulesTest, MinesWaitOnPlainGroundOneBlastsOnceWhenAMachineComesAndOneOnSpikesGoesOffAtOnce) {
    CPageGame& page = Playing(41);  // world 5: spiked ground, plain ground in two rows
    const std::vector<int> plain = CellsWhere(false);
    const int spiked = CellWhere(true);
    ASSERT_GE(spiked, 0);
    // Two plain cells in different rows.
    int other = -1;
    for (int c : plain)
        if (c % FIELD_ROWS != plain.front() % FIELD_ROWS) other = c;
    ASSERT_GE(other, 0);

    // Alone on plain ground they stay and hold their fire.
    const int first = Build(0, plain.front()).m_iSerial;
    const int second = Build(0, other).m_iSerial;
    Step(600);
    for (int serial : {first, second}) {
        ASSERT_TRUE(OnField(serial));
        EXPECT_GT(FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serial)->m_iHp, 0);
    }
    EXPECT_TRUE(blasts.empty());

    // A Machine walks up the first one's lane: one blast, and that mine is
    // used up; the other still waits.
    const FieldCell& lane = page.m_Battle.State().m_aFieldCells[plain.front()];
    const int machine = Stand(1021, lane.m_fX - 250.0f, lane.m_fY).m_iSerial;
    for (int i = 0; i < 2000 && OnField(first); ++i) Step(1);
    EXPECT_FALSE(OnField(first));
    EXPECT_TRUE(OnField(second));
    EXPECT_EQ(blasts.size(), 1u);
    const CCom_GameRobot* struck = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, machine);
    EXPECT_TRUE(!struck || struck->m_iHp < struck->m_Unit.m_iMaxHp);

    // On spikes a mine clears its cell and goes off on its first frame.
    RuleState(page.m_Battle).m_lstRobots.clear();
    blasts.clear();
    const int onSpikes = Build(0, spiked).m_iSerial;
    Step(1);
    EXPECT_EQ(blasts.size(), 1u);
    EXPECT_EQ(page.m_Battle.State().m_aFieldCells[spiked].m_iSpikeFree, 1);
    Step(60);
    EXPECT_FALSE(OnField(onSpikes));
    EXPECT_EQ(blasts.size(), 1u);
}

TEST_F(UnitRulesTest, AMineGoesOffOnlyForAMachineWithinItsReach) {
    CPageGame& page = Playing(45);
    const int plain = CellWhere(false), spiked = CellWhere(true);
    ASSERT_GE(plain, 0);
    ASSERT_GE(spiked, 0);
    const float range = 64.0f;  // the mine's blast weapon
    const struct Row {
        const char* rule;
        int machine;  // 0: none
        float dx, dy;
        bool spikedCell;
        bool blasts;
    } rows[] = {
        {"nothing near: it waits", 0, 0, 0, false, false},
        {"on spikes: at once with nothing near", 0, 0, 0, true, true},
        {"a Machine inside the range", 1021, -(range - 0.5f), 0, false, true},
        {"the range is strict", 1021, -(range + 0.5f), 0, false, false},
        {"a walking Jumper within 1.25 ranges", 1007, -(1.25f * range - 0.5f), 0, false, true},
        {"a walking Jumper beyond 1.25 ranges", 1007, -(1.25f * range + 0.5f), 0, false, false},
        {"a Rocket Wagon within 1.5 ranges in the lane", 1010, -(1.5f * range - 0.5f), 0, false, true},
        {"a Rocket Wagon beyond 1.5 ranges", 1010, -(1.5f * range + 0.5f), 0, false, false},
        {"a Rocket Wagon 1.5 ranges off but out of the lane", 1010, -(1.5f * range - 10.0f), 61.0f, false, false},
        // Past the plain range (d about 72) but within 1.5 ranges: the lane
        // bonus holds while dy < 60.5625.
        {"a Rocket Wagon just inside the lane", 1010, -40.0f, 60.5f, false, true},
        {"a Rocket Wagon just outside the lane", 1010, -40.0f, 60.625f, false, false},
        {"a Rocket Wagon just inside the lane, below", 1010, -40.0f, -60.5f, false, true},
        {"a Rocket Wagon just outside the lane, below", 1010, -40.0f, -60.625f, false, false},
        {"a Marine Striker just inside the lane", 1018, -100.0f, 60.5f, false, true},
        {"a Marine Striker just outside the lane", 1018, -100.0f, 60.625f, false, false},
        {"a Marine Striker within 2.25 ranges in the lane", 1018, -(2.25f * range - 0.5f), 0, false, true},
        {"a Marine Striker beyond 2.25 ranges", 1018, -(2.25f * range + 0.5f), 0, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstBullets.clear();
        RuleState(page.m_Battle).m_aFieldCells[spiked].m_iSpikeFree = 0;
        CCom_GameRobot& mine = Build(0, row.spikedCell ? spiked : plain);
        mine.m_iActionTimer = mine.m_Unit.m_iActionInterval - 1;
        const int mineSerial = mine.m_iSerial;
        if (row.machine) {
            CCom_GameRobot& m = Stand(row.machine, mine.m_vPosition.x + row.dx, mine.m_vPosition.y + row.dy);
            m.m_Unit.m_iTerrain = row.machine == 1007 ? TERRAIN_GROUND : m.m_Unit.m_iTerrain;
        }
        CCom_GameRobot& again = *FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, mineSerial);
        ScanFrameFor(again);
        again.UpdateAttack(page.m_Battle);
        int fired = 0;
        for (const CCom_GameBullet& b : page.m_Battle.State().m_lstBullets) fired += b.m_Weapon.m_iId == kMineWeapon;
        EXPECT_EQ(fired, row.blasts ? 1 : 0);
    }
}

TEST_F(UnitRulesTest, WhatClearsSpikesHasTheGroundRedrawn) {
    CPageGame& page = Playing(45, {kMine, 27});
    const struct Row {
        const char* rule;
        int cause;  // 0 nothing, 1 a mine, 2 an explosion, 3 a Barrier Bot
        bool redraw;
    } rows[] = {
        {"a frame that clears nothing draws the ground as it was", 0, false},
        {"a mine on spikes", 1, true},
        {"an explosion over spikes", 2, true},
        {"a Barrier Bot placed on spikes", 3, true},
    };
    int spikeFree[FIELD_CELLS];
    for (int i = 0; i < FIELD_CELLS; ++i) spikeFree[i] = page.m_Battle.State().m_aFieldCells[i].m_iSpikeFree;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstBullets.clear();
        for (int i = 0; i < FIELD_CELLS; ++i) RuleState(page.m_Battle).m_aFieldCells[i].m_iSpikeFree = spikeFree[i];
        const int cell = CellWhere(true);
        ASSERT_GE(cell, 0);
        const FieldCell& c = page.m_Battle.State().m_aFieldCells[cell];
        if (row.cause == 1) Build(0, cell);
        if (row.cause == 2) page.m_Battle.FireBullet(WeaponId::BomberBlast, 0, c.m_fX, c.m_fY, c.m_fZ, -1, -1);
        if (row.cause == 3) {
            Build(1, cell);
            EXPECT_EQ(g_bStageRedraw, row.redraw);
            continue;
        }
        // Step to the frame that clears the cell (or one frame when nothing will).
        for (int i = 0; i < 100; ++i) {
            Step(1);
            if (c.m_iSpikeFree != 0 || row.cause == 0) break;
        }
        EXPECT_EQ(c.m_iSpikeFree != 0, row.cause != 0);
        EXPECT_EQ(g_bStageRedraw, row.redraw);
    }
}

// ---- The Destroyers ----

TEST(DestroyerBody, BobsShakesBeforeItsVolleyAndSinksAsideDying) {
    const struct Row {
        const char* rule;
        int state, phase, countdown;
        float x, y;  // the shift before any shake
        bool shakes;
    } rows[] = {
        {"bobs 20 px at phase 0", ROBOT_IDLE, 0, 0, 0.0f, 20.0f, false},
        {"bobs by 20 cos(phase): 60 degrees", ROBOT_IDLE, 60, 0, 0.0f, 10.0f, false},
        {"bobs by 20 cos(phase): 180 degrees", ROBOT_MOVE, 180, 0, 0.0f, -20.0f, false},
        {"no shake once the volley has left (countdown 180)", ROBOT_ATTACK, 0, 180, 0.0f, 20.0f, false},
        {"shakes while the countdown is above 180", ROBOT_ATTACK, 0, 181, 0.0f, 20.0f, true},
        {"dying: 50 px left and down, no bob", ROBOT_DYING, 0, 300, -50.0f, -50.0f, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        CCom_GameRobot boss;
        GetUnitDefinition(boss.m_Unit, 1028);
        boss.m_iState = row.state;
        boss.m_iPhase = row.phase;
        boss.m_iCountdown = row.countdown;
        VxSrand(77);
        float dx = 0.0f, dy = 0.0f;
        if (row.shakes) {
            dx = float(VxRand() % 10 - 5);  // x first, then y
            dy = float(VxRand() % 10 - 5);
        }
        VxSrand(77);
        const VxVec3 shift = boss.DestroyerBodyShift();
        EXPECT_NEAR(shift.x, row.x + dx, 1e-4f);
        EXPECT_NEAR(shift.y, row.y + dy, 1e-4f);
    }
}

TEST_F(UnitRulesTest, TheDestroyerHoldsItsPhaseEnteringAndOneStartingHandKeepsTheOtherResting) {
    CPageGame& page = Playing(156, {1});
    CCom_GameRobot& boss = Stand(1028, -250.0f, 30.0f);
    const struct Row {
        const char* rule;
        int bossTimer, phaseAfter;
    } rows[] = {{"entering: no phase advance", 0, 40}, {"in play: the phase advances", 1, 41}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        boss.m_iBossTimer = row.bossTimer;
        boss.m_iPhase = 40;
        boss.m_iState = ROBOT_IDLE;
        boss.m_iActionTimer = 1;  // no hand or lunge start this frame
        boss.UpdateDestroyer(page.m_Battle);
        EXPECT_EQ(boss.m_iPhase, row.phaseAfter);
        EXPECT_FALSE(boss.m_aiBoss[1] || boss.m_aiBoss[3]) << "it comes in with both hands resting";
    }

    // Both hands resting on a start frame: over many coin tosses either hand
    // may start, never both.
    int hand0 = 0, hand1 = 0;
    for (uint32_t seed = 1; seed <= 60; ++seed) {
        VxSrand(seed);
        boss.m_iBossTimer = 1;
        boss.m_iState = ROBOT_IDLE;
        boss.m_iActionTimer = 0;
        boss.m_iCountdown = 0;
        for (int& w : boss.m_aiBoss) w = 0;
        boss.UpdateDestroyer(page.m_Battle);
        EXPECT_FALSE(boss.m_aiBoss[1] && boss.m_aiBoss[3]) << "seed " << seed;
        hand0 += boss.m_aiBoss[1];
        hand1 += boss.m_aiBoss[3];
    }
    EXPECT_GT(hand0, 0);
    EXPECT_GT(hand1, 0);
}

// The Destroyer's lunge strikes at its 34th frame every robot whose reference
// point lies left of x = 85.5, and it starts only while one stands there.
TEST_F(UnitRulesTest, TheDestroyersLungeReachesRobotsLeftOf85Point5) {
    CPageGame& page = Playing(156, {1});
    const struct Row {
        const char* rule;
        float x;
        bool struck;
    } rows[] = {
        {"far inside the reach", -100.0f, true}, {"just inside the reach", 85.25f, true},
        {"on the line", 85.5f, false},           {"just outside the reach", 85.75f, false},
        {"far outside", 300.0f, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& robot = Stand(1, row.x, 30.0f);
        const int robotSerial = robot.m_iSerial;
        CCom_GameRobot& boss = Stand(1028, -250.0f, 30.0f);
        boss.m_iBossTimer = 2;
        boss.m_iState = ROBOT_IDLE;
        boss.m_iActionTimer = 120 + 33;  // the lunge's striking frame
        boss.UpdateDestroyer(page.m_Battle);
        const CCom_GameRobot* r = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, robotSerial);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->m_iHp == 0, row.struck);
    }
    // Starting: on a start frame that wins its coin toss, only with a robot in reach.
    auto firstDrawEven = [] {
        uint32_t seed = 1;
        while ((((seed * 214013u + 2531011u) >> 16) & 0x7FFF) % 2 != 0) ++seed;
        return seed;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string("start: ") + row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        Stand(1, row.x, 30.0f);
        CCom_GameRobot& boss = Stand(1028, -250.0f, 30.0f);
        boss.m_iBossTimer = 1;
        boss.m_iState = ROBOT_IDLE;
        boss.m_iActionTimer = 0;
        boss.m_iCountdown = 0;
        for (int& w : boss.m_aiBoss) w = 0;
        VxSrand(firstDrawEven());
        boss.UpdateDestroyer(page.m_Battle);
        EXPECT_EQ(boss.m_iBossTimer == 2, row.struck);
    }
}

// A Destroyer's attack holds it 300 frames, its volley coming 120 frames in.
TEST_F(UnitRulesTest, TheDestroyersAttackHoldsItThreeHundredFramesWithItsVolley120In) {
    CPageGame& page = Playing(156, {1});
    RuleState(page.m_Battle).m_lstRobots.clear();
    CCom_GameRobot& boss = Stand(1028, -250.0f, 30.0f);
    boss.m_iBossTimer = 1;
    boss.m_iActionTimer = 1;
    boss.m_iState = ROBOT_ATTACK;
    boss.m_iCountdown = 0;
    boss.m_iAnimTick = boss.AnimLength(1) / 2;  // the attack's firing frame
    int frames = 0, volleyAt = -1;
    for (; frames < 400; ++frames) {
        const size_t bullets = page.m_Battle.State().m_lstBullets.size();
        boss.m_iActionTimer = 1;
        boss.Update(page.m_Battle);
        boss.Draw(page.m_Battle);
        if (volleyAt < 0 && page.m_Battle.State().m_lstBullets.size() > bullets) volleyAt = frames + 1;
        if (boss.m_iCountdown == 0) break;
    }
    EXPECT_EQ(frames + 1, 300) << "frames the attack holds, the firing one included";
    EXPECT_EQ(volleyAt, 120);
}

// ---- The mortar ----

// The mortar fires at the live Machine furthest ahead among those that have
// got past it, out of fast walkers; a Machine left with 1 hp still counts.
TEST_F(UnitRulesTest, TheMortarTakesTheLiveMachineFurthestAheadBehindIt) {
    CPageGame& page = Playing(12, {1});
    struct Machine {
        float behind;  // x left of the mortar
        int hp;
    };
    const struct Row {
        const char* rule;
        std::vector<Machine> machines;
        int target;  // index of the one fired at, -1 none
    } rows[] = {
        {"a Machine of 1 hp", {{150.0f, 1}}, 0},
        {"a Machine of 2 hp", {{150.0f, 2}}, 0},
        {"a dead Machine is left", {{150.0f, 0}}, -1},
        {"of two, the one less far behind", {{250.0f, 5}, {150.0f, 5}}, 1},
        {"the dead one less far behind is passed over", {{250.0f, 1}, {150.0f, 0}}, 0},
        {"one only 42 behind has not got past", {{42.0f, 5}}, -1},
        {"one 43 behind has", {{43.0f, 5}}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& mortar = Stand(RobotId::MortarBot, 100.0f, 0.0f);
        mortar.m_iActionTimer = mortar.m_Unit.m_iActionInterval - 1;
        std::vector<int> serials;
        for (const Machine& m : row.machines) {
            CCom_GameRobot& machine = Stand(MachineId::Smasher, 100.0f - m.behind, 0.0f);
            machine.m_iHp = m.hp;
            machine.m_iState = ROBOT_IDLE;
            serials.push_back(machine.m_iSerial);
        }
        ScanFrameFor(mortar);
        CCom_GameRobot* m = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, mortar.m_iSerial);
        ASSERT_NE(m, nullptr);
        m->UpdateAttack(page.m_Battle);
        EXPECT_EQ(m->m_iState == ROBOT_ATTACK, row.target >= 0);
        if (row.target >= 0) {
            EXPECT_EQ(m->m_iTargetSerial, serials[row.target]);
        }
    }
}

// A surfacing whale sweeps the field: every robot of the player's within
// 100 px in x of the sweep's reach and within 100 px in y is struck down.
TEST_F(UnitRulesTest, AWhalesSweepStrikesRobotsWithin100PixelsOfItsReach) {
    CPageGame& page = Playing(12, {1});
    const struct Row {
        const char* rule;
        float dx, dy;  // from the sweep's reach and the whale's row
        bool struck;
    } rows[] = {
        {"on the reach", 0.0f, 0.0f, true},
        {"99 aside", 99.0f, 0.0f, true},
        {"100 aside is spared", 100.0f, 0.0f, false},
        {"99 behind", -99.0f, 0.0f, true},
        {"99 up", 0.0f, 99.0f, true},
        {"100 up is spared", 0.0f, 100.0f, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& whale = Stand(MachineId::KillerWhale, -300.0f, 0.0f);
        whale.m_Unit.m_fSpeed = 0.0f;  // it holds still to be measured from
        whale.Update(page.m_Battle);   // where it is reckoned from
        const VxVec3 from = whale.m_vLastPosition;
        const int whaleSerial = whale.m_iSerial;
        // At 20 frames left the sweep reaches 300 sin(90 deg) to the right.
        CCom_GameRobot& robot = Stand(1, from.x + 300.0f + row.dx, from.y + row.dy);
        robot.m_iHp = 1;  // the last hit point counts as well
        const int robotSerial = robot.m_iSerial;
        CCom_GameRobot* w = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, whaleSerial);
        w->m_iCarryTimer = 20;
        w->m_iState = ROBOT_MOVE;
        w->Update(page.m_Battle);
        EXPECT_EQ(w->m_iCarryTimer, 19);
        ASSERT_EQ(w->m_vLastPosition.x, from.x);
        ASSERT_EQ(w->m_vLastPosition.y, from.y);
        const CCom_GameRobot* r = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, robotSerial);
        ASSERT_NE(r, nullptr);
        EXPECT_EQ(r->m_iHp <= 0, row.struck);
    }
}

// Whom a robot's scan takes at its interval: a Rocket like any Machine, a
// Boomerang Bot's three angles (the middle one first), and a hidden Machine
// only from a Surveyor Bot's deck.
TEST_F(UnitRulesTest, ARobotsScanTakesWhatItMaySeeOnItsAngles) {
    CPageGame& page = Playing(12, {1});
    const struct Row {
        const char* rule;
        int robot, machine;
        float dx, dy;
        bool hidden, seesHidden, attacks;
        int angle;  // the Boomerang Bot's angle taken: 0 the upper, 1 the middle
    } rows[] = {
        {"a Gunner Bot takes a Rocket", RobotId::GunnerBot, MachineId::Rocket, -200.0f, 0.0f, false, false, true, -1},
        {"a Boomerang Bot along its lane", RobotId::BoomerangBot, MachineId::Smasher, -200.0f, 0.0f, false, false, true,
         1},
        {"a Boomerang Bot 35 degrees up", RobotId::BoomerangBot, MachineId::Smasher, -164.0f, 115.0f, false, false,
         true, 0},
        {"a Warrior Bot passes a hidden Driller by", RobotId::WarriorBot, MachineId::Driller, -100.0f, 0.0f, true,
         false, false, -1},
        {"a Warrior Bot on a Surveyor Bot takes it", RobotId::WarriorBot, MachineId::Driller, -100.0f, 0.0f, true, true,
         true, -1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& machine = Stand(row.machine, row.dx, row.dy);
        machine.m_bConcealed = row.hidden;
        CCom_GameRobot& robot = Stand(row.robot, 0.0f, 0.0f);
        robot.m_bSeesConcealed = row.seesHidden;
        robot.m_iActionTimer = robot.m_Unit.m_iActionInterval - 1;
        robot.m_aiAux[0] = -1;
        ScanFrameFor(robot);
        robot.UpdateAttack(page.m_Battle);
        EXPECT_EQ(robot.m_iState == ROBOT_ATTACK, row.attacks);
        if (row.angle >= 0) {
            EXPECT_EQ(robot.m_aiAux[0], row.angle);
        }
    }
}

// A Sonar Bot's wave uncovers the hidden Machines up to two rows above or
// below its own, without hurting them; one three rows off stays hidden.
TEST_F(UnitRulesTest, ASonarWaveRevealsHiddenMachinesWithinTwoRows) {
    CPageGame& page = Playing(12, {RobotId::SonarBot});
    const struct Row {
        const char* rule;
        int row;  // the Sonar Bot stands in row 1
        bool revealed;
    } rows[] = {{"one row off", 2, true}, {"two rows off", 3, true}, {"three rows off", 4, false}};
    const FieldCell* cells = page.m_Battle.State().m_aFieldCells;
    CCom_GameRobot& sonar = Build(0, 5 * FIELD_ROWS + 1);
    sonar.m_iActionTimer = sonar.m_Unit.m_iActionInterval - 1;
    std::vector<int> serials;
    for (const Row& row : rows) {
        const FieldCell& c = cells[3 * FIELD_ROWS + row.row];  // two columns in front of it
        CCom_GameRobot& m = Stand(MachineId::Ghost, c.m_fX, c.m_fY);
        m.m_bConcealed = 1;
        m.m_Unit.m_fSpeed = 0.0f;
        serials.push_back(m.m_iSerial);
    }
    Step(100);  // the scan, the shot and the wave's thirty frames; the next comes later
    for (size_t i = 0; i < serials.size(); ++i) {
        SCOPED_TRACE(rows[i].rule);
        const CCom_GameRobot* m = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serials[i]);
        ASSERT_NE(m, nullptr);
        EXPECT_EQ(!m->m_bConcealed, rows[i].revealed);
        EXPECT_EQ(m->m_iHp, m->m_Unit.m_iMaxHp);
    }
}

// A carrier stops to unload once a robot of the player's is within 256.5 and
// walks on while none is; another Machine near it does not stop it.
TEST_F(UnitRulesTest, ACarrierStopsForARobotWithin256Point5) {
    CPageGame& page = Playing(12, {1});
    const struct Row {
        const char* rule;
        int other;
        float dx;
        int before, after;
    } rows[] = {
        {"a robot 256 off stops it", RobotId::GunnerBot, 256.0f, ROBOT_MOVE, ROBOT_IDLE},
        {"a robot 257 off lets it walk on", RobotId::GunnerBot, 257.0f, ROBOT_IDLE, ROBOT_MOVE},
        {"a Machine 100 off lets it walk on", MachineId::Smasher, 100.0f, ROBOT_IDLE, ROBOT_MOVE},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        Stand(row.other, 100.0f + row.dx, 0.0f);
        CCom_GameRobot& carrier = Stand(MachineId::Transporter, 100.0f, 0.0f);
        carrier.m_iState = row.before;
        run->App().m_nFrame = 600;  // the carriers look on every sixtieth frame
        carrier.UpdateCarrier(page.m_Battle);
        EXPECT_EQ(carrier.m_iState, row.after);
    }
}

// In its duel a whale swimming in a robot's lane surfaces to attack; the
// sweep lasts 100 frames and the whale starts no other surfacing meanwhile.
TEST_F(UnitRulesTest, AWhaleSurfacingInItsDuelAttacksFor100Frames) {
    const struct Row {
        const char* rule;
        int stage, type;
    } rows[] = {{"the Killer Whale's turn as a carrier", 156, MachineId::KillerWhale},
                {"the Frost Orca's attack scan", 166, MachineId::FrostOrca}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        CPageGame& page = Playing(row.stage, {});
        CCom_GameRobot& whale = Stand(row.type, -200.0f, 0.0f);
        whale.m_Unit.m_fSpeed = 0.0f;
        const int serial = whale.m_iSerial;
        Stand(RobotId::GunnerBot, 100.0f, 50.0f).m_iHp = 1000000;  // outlives the sweep
        run->App().m_nFrame = 600;                                 // the carriers look on every sixtieth frame
        CCom_GameRobot* w = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serial);
        if (row.type == MachineId::KillerWhale) w->UpdateCarrier(page.m_Battle);
        else w->UpdateAttack(page.m_Battle);
        int frames = 0;
        for (; frames < 300 && w->m_iCarryTimer > 0; ++frames) {
            ASSERT_EQ(w->m_iState, ROBOT_MOVE);
            w->Update(page.m_Battle);
        }
        EXPECT_EQ(frames, 100);
        run.reset();
    }
}

// A guard stands guard over a Machine within 256.5 that it can see: one in
// sight, a hidden one while it attacks, or any from a Surveyor Bot's deck.
TEST_F(UnitRulesTest, AGuardSeesAHiddenMachineOnlyWhileItAttacks) {
    CPageGame& page = Playing(12, {1});
    const struct Row {
        const char* rule;
        float dx;
        bool hidden;
        int state;
        bool seesHidden, guards;
    } rows[] = {
        {"a Machine in sight", 200.0f, false, ROBOT_MOVE, false, true},
        {"a hidden Machine walking", 200.0f, true, ROBOT_MOVE, false, false},
        {"a hidden Machine attacking", 200.0f, true, ROBOT_ATTACK, false, true},
        {"a hidden Machine from a Surveyor Bot", 200.0f, true, ROBOT_MOVE, true, true},
        {"a Machine in sight 256 off", 256.0f, false, ROBOT_MOVE, false, true},
        {"a Machine in sight 257 off", 257.0f, false, ROBOT_MOVE, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& machine = Stand(MachineId::Driller, -100.0f + row.dx, 0.0f);
        machine.m_bConcealed = row.hidden;
        machine.m_iState = row.state;
        CCom_GameRobot& guard = Stand(RobotId::BlockerBot, -100.0f, 0.0f);
        guard.m_bSeesConcealed = row.seesHidden;
        run->App().m_nFrame = 600;  // guards look on every sixtieth frame
        guard.UpdateGuard(page.m_Battle);
        EXPECT_EQ(guard.m_iState == ROBOT_GUARD, row.guards);
    }
}

// The Reaper's strike hurts and freezes every robot of the player's within
// its weapon's size, and nothing beyond; the Reaper's own blast shows on each
// and its strike sounds.
TEST_F(UnitRulesTest, TheReapersStrikeFreezesWhatItHits) {
    CPageGame& page = Playing(39, {1});  // the Reapers' record is the stage's second
    const struct Row {
        const char* rule;
        float beyondSize;  // distance past the weapon's size
        bool struck;
    } rows[] = {{"within the size", -1.0f, true}, {"on the size", 0.0f, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstFieldEffects.clear();
        CCom_GameRobot& reaper = Stand(MachineId::Reaper, 0.0f, 0.0f);
        reaper.m_iUnitSlot = 1;
        CVxSound* strike = reaper.UnitSound(page.m_Battle, 2);
        ASSERT_NE(strike, nullptr);
        strike->Stop();
        const float size = float(reaper.m_Weapon.m_iSize);
        CCom_GameRobot& robot = Stand(RobotId::GunnerBot, 0.0f, size + row.beyondSize);
        const int hp = robot.m_iHp;
        const int robotSerial = robot.m_iSerial;
        reaper.StrikeArea(page.m_Battle);
        const CCom_GameRobot* r = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, robotSerial);
        EXPECT_EQ(r->m_iHp < hp, row.struck);
        EXPECT_EQ(r->m_iStatusEffect == STATUS_FREEZE && r->m_iStatusFrames == 30, row.struck);
        int blasts = 0;
        for (const FieldEffect& e : page.m_Battle.State().m_lstFieldEffects)
            blasts +=
                e.params[3].i == 1001 && e.params[0].f == r->m_vLastPosition.x && e.params[1].f == r->m_vLastPosition.y;
        EXPECT_EQ(blasts, row.struck ? 1 : 0);
        EXPECT_TRUE(strike->IsPlaying());
    }
}

// A Flame Bot's shot holds it in its attack for 150 frames: it neither
// fires again nor turns away until the flame has burnt. Other robots leave
// the attack as its animation runs out: at once here, as a unit stood up by
// hand has no animation frames.
TEST_F(UnitRulesTest, AFlameBotHoldsItsAttack150FramesAfterItsShot) {
    CPageGame& page = Playing(12, {8, 1});
    const struct Row {
        const char* rule;
        int type;
        int held;  // frames in the attack from the shot's, that one included
    } rows[] = {{"the Flame Bot", RobotId::FlameBot, 150}, {"the Gunner Bot", RobotId::GunnerBot, 1}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& bot = Stand(row.type, -200.0f, 0.0f);
        const int serial = bot.m_iSerial;
        bot.BeginAttack(page.m_Battle, false);
        int shotAt = -1, endedAt = -1, shots = 0;
        for (int frame = 0; frame < 400 && endedAt < 0; ++frame) {
            CCom_GameRobot* r = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serial);
            ASSERT_NE(r, nullptr);
            const size_t bullets = page.m_Battle.State().m_lstBullets.size();
            r->Update(page.m_Battle);
            if (page.m_Battle.State().m_lstBullets.size() > bullets) {
                ++shots;
                if (shotAt < 0) shotAt = frame;
            }
            if (shotAt >= 0 && r->m_iState != ROBOT_ATTACK) endedAt = frame;
        }
        ASSERT_GE(shotAt, 0);
        EXPECT_EQ(endedAt - shotAt + 1, row.held);
        EXPECT_EQ(shots, 1);
    }
}

}  // namespace

// The Remover and the Capsule Cage search alike: a unit under them, or a
// Gunner Bot carrying the Machine Gun Weapon (interval under 100) 15 to their
// left, where the weapon's card stands off its bearer.
TEST_F(UnitRulesTest, TheRemoverAndTheCageTakeAConvertedGunnerFifteenToTheirLeft) {
    CPageGame& page = Playing(71, {1});
    const struct Row {
        const char* rule;
        int taker, interval;
        float dx;
        bool taken;
    } rows[] = {
        {"the Remover over a Gunner", RobotId::RemoverBot, 100, 0.0f, true},
        {"the Remover by a converted Gunner", RobotId::RemoverBot, 99, -15.0f, true},
        {"the Remover by a plain Gunner", RobotId::RemoverBot, 100, -15.0f, false},
        {"the cage over a Gunner", MachineId::CapsuleCage, 100, 0.0f, true},
        {"the cage by a converted Gunner", MachineId::CapsuleCage, 99, -15.0f, true},
        {"the cage by a plain Gunner", MachineId::CapsuleCage, 100, -15.0f, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        CCom_GameRobot& gunner = Stand(RobotId::GunnerBot, 200.0f + row.dx, 30.0f);
        gunner.m_Unit.m_iActionInterval = row.interval;
        const int gunnerSerial = gunner.m_iSerial;
        const int takerSerial = Stand(row.taker, 200.0f, 30.0f).m_iSerial;
        FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, takerSerial)->RunAreaAbility(page.m_Battle);
        const CCom_GameRobot* g = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, gunnerSerial);
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(bool(g->m_bExpired), row.taken);
        EXPECT_EQ(bool(g->m_bConsumed), row.taken && row.taker == MachineId::CapsuleCage);
    }
}

// What else the Remover and the cage find under them: both pass over Barrier
// Bots (a timer), only the Remover takes a Time Bomb, a bare platform taken
// gives its cell back its own kind, and a robot the cage catches off a
// Surveyor Bot frees the platform and no longer sees hidden Machines.
TEST_F(UnitRulesTest, TheRemoverAndTheCagePassOverTimersAndOnlyTheRemoverTakesATimeBomb) {
    CPageGame& page = Playing(71, {1});
    int open = -1;  // a cell under water, which a Submerger Bot holds as ground
    for (int i = 0; i < FIELD_CELLS && open < 0; ++i)
        if (page.m_Battle.State().m_aFieldCells[i].m_iStageKind == CELL_UNDERWATER) open = i;
    ASSERT_GE(open, 0);
    FieldCell& cell = RuleState(page.m_Battle).m_aFieldCells[open];
    const struct Row {
        const char* rule;
        int taker, under;
        bool onSurveyor, taken;
    } rows[] = {
        {"the Remover passes over Barrier Bots", RobotId::RemoverBot, RobotId::BarrierBots, false, false},
        {"the cage passes over Barrier Bots", MachineId::CapsuleCage, RobotId::BarrierBots, false, false},
        {"the Remover takes a Time Bomb", RobotId::RemoverBot, MachineId::TimeBomb, false, true},
        {"the cage leaves a Time Bomb", MachineId::CapsuleCage, MachineId::TimeBomb, false, false},
        {"the Remover takes a bare Submerger Bot", RobotId::RemoverBot, RobotId::SubmergerBot, false, true},
        {"the cage takes a bare Submerger Bot", MachineId::CapsuleCage, RobotId::SubmergerBot, false, true},
        {"the cage takes a Gunner Bot off a Surveyor Bot", MachineId::CapsuleCage, RobotId::GunnerBot, true, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.rule);
        RuleState(page.m_Battle).m_lstRobots.clear();
        cell.m_iKind = CELL_GROUND;
        int surveyor = NO_SERIAL;
        if (row.onSurveyor) {
            CCom_GameRobot& s = Stand(RobotId::SurveyorBot, cell.m_fX, cell.m_fY);
            s.m_bPlatformOccupied = 1;
            surveyor = s.m_iSerial;
        }
        CCom_GameRobot& under = Stand(row.under, cell.m_fX, cell.m_fY);
        under.m_iLinkedSerial = surveyor;
        under.m_bSeesConcealed = row.onSurveyor;
        const int underSerial = under.m_iSerial;
        const int takerSerial = Stand(row.taker, cell.m_fX, cell.m_fY).m_iSerial;
        RobotList& robots = RuleState(page.m_Battle).m_lstRobots;
        FindRobotBySerial(robots, takerSerial)->RunAreaAbility(page.m_Battle);
        const CCom_GameRobot* u = FindRobotBySerial(robots, underSerial);
        ASSERT_NE(u, nullptr);
        EXPECT_EQ(bool(u->m_bExpired), row.taken);
        const bool platformTaken = row.taken && row.under == RobotId::SubmergerBot;
        EXPECT_EQ(cell.m_iKind, platformTaken ? cell.m_iStageKind : int(CELL_GROUND));
        if (row.onSurveyor) {
            const CCom_GameRobot* s = FindRobotBySerial(robots, surveyor);
            EXPECT_FALSE(s->m_bExpired || s->m_bPlatformOccupied) << "the platform stays, free";
            EXPECT_FALSE(u->m_bSeesConcealed);
        }
    }
}
