// Robots of the battle, driven frame by frame on a battle page that has a
// stage's grid but no loaded art (so every unit lives without sprites): the
// edge cases the golden stage runs do not reach.
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "main/GamePages.h"
#include "battle/units/FieldLookup.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include "platform/Random.h"
#include "tests/BareModel.h"
#include "tests/Harness.h"

namespace {

class BattleUnitsTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Make();
        page = GameBattlePage(m_App.get());
        ASSERT_NE(page, nullptr);
        UseStage(1);
        RuleState(page->m_Battle).m_iBattleState = BATTLE_PLAYING;
        VxSrand(7);
    }

    void UseStage(int stage) {
        m_App->m_iCurrentStage = stage;
        PlayStage(page->m_Battle, stage, &page->m_AppClock);
        std::memset(RuleState(page->m_Battle).m_aFieldCells, 0, sizeof RuleState(page->m_Battle).m_aFieldCells);
        int groundRow = 4;
        RuleState(page->m_Battle).m_StageDefinition = StageDefinition{};
        GetStageDefinition(stage, 0, RuleState(page->m_Battle).m_StageDefinition);
        BuildFieldGrid(stage, RuleState(page->m_Battle).m_aFieldCells,
                       RuleState(page->m_Battle).m_StageDefinition.m_iGroundRow, &groundRow);
    }

    // A unit of a type with its records filled as a creator fills them, and
    // animations of 4 frames (idle, attack), 20 + 180 ticks dying.
    CCom_GameRobot Unit(int type, int slot = 0) {
        CCom_GameRobot r(page->m_Battle);
        GetUnitDefinition(r.m_Unit, type);
        r.m_iUnitSlot = slot;
        const int lengths[UNIT_WORK_ACTS] = {20, 20, 200, 20, 0, 0};
        std::memcpy(r.m_Unit.m_aiUnitWork, lengths, sizeof lengths);
        return r;
    }
    CCom_GameRobot& Add(const CCom_GameRobot& r) {
        RuleState(page->m_Battle).m_lstRobots.push_back(r);
        return RuleState(page->m_Battle).m_lstRobots.back();
    }
    // Index of the first cell whose stage kind is `kind` (and passes `extra`).
    template <class Pred>
    int FindCell(Pred extra) const {
        for (int i = 0; i < FIELD_CELLS; ++i)
            if (extra(page->m_Battle.State().m_aFieldCells[i])) return i;
        return -1;
    }
    void Frames(CCom_GameRobot& r, int n) {
        for (int i = 0; i < n; ++i) {
            m_App->m_nFrame++;
            r.Update(page->m_Battle);
            r.Draw(page->m_Battle);
        }
    }

    CPageGame* page = nullptr;
};

// ---- Links ----

TEST_F(BattleUnitsTest, ErasingAUnitDropsEveryLinkToIt) {
    CCom_GameRobot& ward = Add(Unit(3));
    CCom_GameRobot& guarded = Add(Unit(1));
    CCom_GameRobot& rider = Add(Unit(1));
    guarded.m_iShieldSerial = ward.m_iSerial;
    rider.m_iLinkedSerial = ward.m_iSerial;
    rider.m_iBobSourceSerial = ward.m_iSerial;
    const int wardSerial = ward.m_iSerial;
    EXPECT_EQ(guarded.Shield(page->m_Battle), &ward);
    EraseRobot(RuleState(page->m_Battle).m_lstRobots, RuleState(page->m_Battle).m_lstRobots.begin());
    EXPECT_EQ(FindRobotBySerial(RuleState(page->m_Battle).m_lstRobots, wardSerial), nullptr);
    EXPECT_EQ(guarded.m_iShieldSerial, -1);
    EXPECT_EQ(rider.m_iLinkedSerial, -1);
    EXPECT_EQ(rider.m_iBobSourceSerial, -1);
    // With its ward gone, damage reaches the unit itself.
    guarded.m_iHp = 50;
    guarded.TakeDamage(page->m_Battle, 20);
    EXPECT_EQ(guarded.m_iHp, 30);
}

// ---- Placement ----

TEST_F(BattleUnitsTest, PlacementOfRobotsAndBombs) {
    const int ground = FindCell([](const FieldCell& c) { return c.m_iStageKind == CELL_GROUND; });
    ASSERT_GE(ground, 0);
    const FieldCell& cell = page->m_Battle.State().m_aFieldCells[ground];

    // A card robot lands on the centre of the cell under the point and can
    // fire at once.
    CCom_GameRobot gunner = Unit(1);
    gunner.Place(page->m_Battle, cell.m_fX + 20.0f, cell.m_fY - 15.0f, 0.0f);
    EXPECT_FLOAT_EQ(gunner.m_vPosition.x, cell.m_fX);
    EXPECT_FLOAT_EQ(gunner.m_vPosition.y, cell.m_fY);
    EXPECT_FLOAT_EQ(gunner.m_vLastPosition.x, cell.m_fX);
    EXPECT_EQ(gunner.m_iHp, gunner.m_Unit.m_iMaxHp);
    EXPECT_EQ(gunner.m_iActionTimer, gunner.m_Unit.m_iActionInterval);
    EXPECT_EQ(gunner.m_iRow, ground % FIELD_ROWS);
    EXPECT_EQ(gunner.m_iState, ROBOT_IDLE);

    // A Time Bomb while playing starts 500 px below its cell, idle, and comes
    // up to its home line on its first frame.
    CCom_GameRobot& bomb = Add(Unit(1025));
    bomb.Place(page->m_Battle, cell.m_fX, cell.m_fY, 0.0f);
    EXPECT_EQ(bomb.m_iState, ROBOT_IDLE);
    EXPECT_FLOAT_EQ(bomb.m_vPosition.y, cell.m_fY - 500.0f);
    Frames(bomb, 1);
    EXPECT_FLOAT_EQ(bomb.m_vPosition.y, cell.m_fY);

    // Outside the playing state it walks in like any Machine.
    RuleState(page->m_Battle).m_iBattleState = BATTLE_BEGIN;
    CCom_GameRobot early = Unit(1025);
    early.Place(page->m_Battle, cell.m_fX, cell.m_fY, 0.0f);
    EXPECT_EQ(early.m_iState, ROBOT_MOVE);
    EXPECT_LE(early.m_vPosition.x, -600.0f);
    EXPECT_GE(early.m_vPosition.x, -885.0f);

    // A ground Machine can be aimed at from its first frame: its reference
    // point follows it.
    RuleState(page->m_Battle).m_iBattleState = BATTLE_PLAYING;
    CCom_GameRobot& walker = Add(Unit(1000));
    walker.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
    ASSERT_EQ(walker.m_Unit.m_iTerrain, TERRAIN_GROUND);
    Frames(walker, 3);
    EXPECT_FLOAT_EQ(walker.m_vLastPosition.x, walker.m_vPosition.x);
    EXPECT_FLOAT_EQ(walker.m_vLastPosition.y, walker.m_vPosition.y);

    // A Machine whose kind of lane the entry column lacks still gets placed.
    CCom_GameRobot diver = Unit(1000);
    diver.m_Unit.m_iTerrain = TERRAIN_UNDERWATER;
    for (int row = 0; row < FIELD_ROWS; ++row)
        ASSERT_NE(page->m_Battle.State().m_aFieldCells[row].m_iStageKind, CELL_UNDERWATER);
    diver.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
    EXPECT_LE(diver.m_vPosition.x, -600.0f);

    // A unit without idle frames is placed without a division by zero.
    CCom_GameRobot still = Unit(1);
    std::memset(still.m_Unit.m_aiUnitWork, 0, sizeof still.m_Unit.m_aiUnitWork);
    still.Place(page->m_Battle, cell.m_fX, cell.m_fY, 0.0f);
    EXPECT_EQ(still.m_iAnimTick, 0);
}

// ---- Damage ----

TEST_F(BattleUnitsTest, TakeDamageTable) {
    struct Case {
        const char* name;
        int hp;
        int shieldHp;  // -1: no shield
        int state;
        int amount;
        int hits;
        int expectHp;
        int expectShieldHp;
        bool expectLinked;
        int expectFlash;
    };
    const Case cases[] = {
        {"plain hit", 100, -1, BATTLE_PLAYING, 30, 1, 70, 0, false, 30},
        {"a heal", 50, -1, BATTLE_PLAYING, -20, 1, 70, 0, false, 30},
        {"shield overflows", 100, 5, BATTLE_PLAYING, 8, 1, 97, -3, false, 30},
        {"shield used up exactly", 100, 5, BATTLE_PLAYING, 5, 1, 100, 0, false, 30},
        {"shield holds", 100, 50, BATTLE_PLAYING, 8, 1, 100, 42, true, 30},
        {"two hits, one flash", 100, -1, BATTLE_PLAYING, 10, 2, 80, 0, false, 30},
        {"outside the playing state", 100, -1, BATTLE_RESULT, 30, 1, 100, 0, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_iBattleState = c.state;
        CCom_GameRobot& unit = Add(Unit(1));
        unit.m_iHp = c.hp;
        CCom_GameRobot* shield = nullptr;
        if (c.shieldHp >= 0) {
            shield = &Add(Unit(27));
            shield->m_iHp = c.shieldHp;
            unit.m_iShieldSerial = shield->m_iSerial;
        }
        for (int i = 0; i < c.hits; ++i) unit.TakeDamage(page->m_Battle, c.amount);
        EXPECT_EQ(unit.m_iHp, c.expectHp);
        if (shield) {
            EXPECT_EQ(shield->m_iHp, c.expectShieldHp);
        }
        EXPECT_EQ(unit.m_iShieldSerial != -1, c.expectLinked);
        EXPECT_EQ(unit.m_iHitFlash, c.expectFlash);
    }
}

TEST_F(BattleUnitsTest, PlatformsAndFlyingVariantsUnderFire) {
    // An occupied platform takes nothing; an empty one gives its cell back.
    const int cellIndex = FindCell([](const FieldCell& c) { return c.m_iStageKind == CELL_GROUND; });
    ASSERT_GE(cellIndex, 0);
    FieldCell& cell = RuleState(page->m_Battle).m_aFieldCells[cellIndex];
    CCom_GameRobot platform = Unit(29);
    platform.m_Unit.m_iRole = ROLE_PLATFORM;
    platform.m_vCell = VxVec3{float(cellIndex / FIELD_ROWS), float(cellIndex % FIELD_ROWS), 0.0f};
    platform.m_iHp = 40;
    platform.m_bPlatformOccupied = 1;
    cell.m_iKind = CELL_AIR;
    platform.TakeDamage(page->m_Battle, 100);
    EXPECT_EQ(platform.m_iHp, 40);
    platform.m_bPlatformOccupied = 0;
    platform.TakeDamage(page->m_Battle, 100);
    EXPECT_EQ(platform.m_iHp, -60);
    EXPECT_EQ(cell.m_iKind, cell.m_iStageKind);

    // A flying Driller falls back when a row at or below it at the entry is ground.
    struct Case {
        bool groundBelow;
        bool reverts;
    };
    for (const Case c : {Case{true, true}, Case{false, false}}) {
        for (int row = 0; row < FIELD_ROWS; ++row)
            RuleState(page->m_Battle).m_aFieldCells[row].m_iStageKind =
                (c.groundBelow && row == 4) ? CELL_GROUND : CELL_AIR;
        CCom_GameRobot driller = Unit(1006);
        driller.m_iHp = 100;
        driller.m_vCell = VxVec3{3.0f, 2.0f, 0.0f};
        driller.ApplyVariant();
        ASSERT_EQ(driller.m_bVariant, 1);
        driller.TakeDamage(page->m_Battle, 1);
        EXPECT_EQ(driller.m_bVariant == 0, c.reverts);
        EXPECT_EQ(driller.m_Unit.m_iTerrain == TERRAIN_AIR, !c.reverts);
    }
}

TEST_F(BattleUnitsTest, VariantRulesByStage) {
    struct Case {
        int stage;
        int type;
        bool allowed;
        bool forced;
    };
    const Case cases[] = {
        {54, 1002, true, true},    // its first stage of episode 2
        {53, 1002, false, false},  // one stage before
        {55, 1002, true, false},   // after it
        {4, 1002, false, false},   // episode 1
        {71, 1002, false, false},  // world 3 of episode 2
        {54, 1001, false, false},  // no variant for the type
        {101, 1023, true, false},  // episode 3 (and no forcing while column 0 has ground)
    };
    for (const Case& c : cases) {
        UseStage(c.stage);
        // Column 0 keeps a ground row so the no-ground rule stays out of the way.
        RuleState(page->m_Battle).m_aFieldCells[4].m_iStageKind = CELL_GROUND;
        CCom_GameRobot m = Unit(c.type);
        EXPECT_EQ(m.CanUpgradeVariant(page->m_Battle), c.allowed) << "stage " << c.stage << " type " << c.type;
        EXPECT_EQ(m.m_bForceVariant != 0, c.forced) << "stage " << c.stage << " type " << c.type;
    }
    // Without ground at the entry a Machine past its first stage always flies.
    UseStage(146);  // episode 3, the cycler's first stage on
    for (int row = 0; row < FIELD_ROWS; ++row) RuleState(page->m_Battle).m_aFieldCells[row].m_iStageKind = CELL_AIR;
    CCom_GameRobot cycler = Unit(1023);
    EXPECT_TRUE(cycler.CanUpgradeVariant(page->m_Battle));
    EXPECT_EQ(cycler.m_bForceVariant, 1);
}

// ---- Status effects ----

TEST_F(BattleUnitsTest, StatusEffectsStartOnlyWhereTheyMay) {
    struct Case {
        const char* name;
        float speed;
        int maxHp;
        int type;
        bool shielded;
        bool freezes;
        bool plasma;
    };
    const Case cases[] = {
        {"speed 0.3 is too quick", 0.3f, 100, 1000, false, false, false},
        {"speed 0.5 can be frozen", 0.5f, 100, 1000, false, true, true},
        {"a standing unit can be frozen", 0.0f, 100, 1000, false, true, true},
        {"2000 hp is too big", 0.0f, 2000, 1000, false, false, false},
        {"shielded", 0.0f, 100, 1000, true, false, false},
        {"the Rocket", 0.0f, 100, 1032, false, false, false},
        {"the Frost Orca resists plasma", 0.0f, 100, 1027, false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RuleState(page->m_Battle).m_lstRobots.clear();
        CCom_GameRobot& m = Add(Unit(c.type));
        m.m_Unit.m_fSpeed = c.speed;
        m.m_Unit.m_iMaxHp = c.maxHp;
        if (c.shielded) m.m_iShieldSerial = Add(Unit(27)).m_iSerial;
        m.ApplyFreeze(page->m_Battle);
        EXPECT_EQ(m.m_iStatusEffect == STATUS_FREEZE, c.freezes);
        m.m_iStatusEffect = STATUS_NONE;
        m.ApplyPlasma(page->m_Battle);
        EXPECT_EQ(m.m_iStatusEffect == STATUS_PLASMA, c.plasma);
    }
    // A running effect is not replaced.
    CCom_GameRobot m = Unit(1000);
    m.m_Unit.m_fSpeed = 0.0f;
    m.ApplyWeb(page->m_Battle);
    m.ApplyFreeze(page->m_Battle);
    EXPECT_EQ(m.m_iStatusEffect, STATUS_WEB);
    EXPECT_EQ(m.m_iStatusFrames, 90);
}

// ---- Spikes ----

TEST_F(BattleUnitsTest, SpikedGroundHurtsOnceThenEveryTwentySeconds) {
    UseStage(45);  // world 5: spiked ground
    const int spiked =
        FindCell([](const FieldCell& c) { return c.m_iStageKind == CELL_GROUND && c.m_iSpikeFree == 0; });
    ASSERT_GE(spiked, 0);
    const FieldCell& cell = page->m_Battle.State().m_aFieldCells[spiked];
    struct Case {
        int type;
        int role;     // -1 keeps the unit's own
        int terrain;  // -1 keeps the unit's own
        int lossAfterFirst;
        int lossAfterSecond;
    };
    const Case cases[] = {
        {1, -1, -1, 50, 60},             // a Gunner Bot
        {1, ROLE_ONESHOT, -1, 0, 0},     // a one-shot unit (a mine would go off at once)
        {1, -1, TERRAIN_SPECIAL, 0, 0},  // a unit that fits any cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        RuleState(page->m_Battle).m_lstRobots.clear();
        CCom_GameRobot& r = Add(Unit(c.type));
        if (c.role >= 0) r.m_Unit.m_iRole = c.role;
        if (c.terrain >= 0) r.m_Unit.m_iTerrain = c.terrain;
        r.m_Unit.m_iMaxHp = 1000;
        r.Place(page->m_Battle, cell.m_fX, cell.m_fY, 0.0f);
        Frames(r, 2);
        EXPECT_EQ(1000 - r.m_iHp, c.lossAfterFirst);
        Frames(r, 1200);
        EXPECT_EQ(1000 - r.m_iHp, c.lossAfterFirst);  // 1200 frames pass before the next hit
        Frames(r, 1);
        EXPECT_EQ(1000 - r.m_iHp, c.lossAfterSecond);
    }
}

// ---- Life and death ----

TEST_F(BattleUnitsTest, EndingAnActionDeadGoesThroughDying) {
    CCom_GameRobot& platform = Add(Unit(29));
    CCom_GameRobot& rider = Add(Unit(1));
    rider.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
    platform.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
    platform.m_iHp = 100;
    rider.m_iLinkedSerial = platform.m_iSerial;
    rider.m_iState = ROBOT_ATTACK;
    rider.m_iHp = 0;
    rider.EndAction(page->m_Battle);
    EXPECT_EQ(rider.m_iState, ROBOT_DYING);
    EXPECT_EQ(platform.m_iHp, 0);  // the link was released with it
}

TEST_F(BattleUnitsTest, APlatformPushedOffTheFieldIsDestroyed) {
    CCom_GameRobot& p = Add(Unit(11));
    const FieldCell& last = page->m_Battle.State().m_aFieldCells[9 * FIELD_ROWS + 2];
    p.Place(page->m_Battle, last.m_fX, last.m_fY, 0.0f);
    p.m_iPlatformTimer = 10;
    Frames(p, 10);
    EXPECT_EQ(p.m_iHp, 0);
    EXPECT_EQ(p.m_iState, ROBOT_DYING);
}

TEST_F(BattleUnitsTest, ShortAnimationsLoopWithoutDividingByZero) {
    CCom_GameRobot& m = Add(Unit(1000));
    m.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
    for (int& l : m.m_Unit.m_aiUnitWork) l = 3;
    const int tick = m.m_iAnimTick;
    Frames(m, 20);
    EXPECT_EQ(m.m_iAnimTick, tick + 20);
}

TEST_F(BattleUnitsTest, AttackTimingTable) {
    // What an attack animation of a given length leads to, frame by frame.
    struct Case {
        const char* name;
        int type;
        int role;  // -1 keeps the unit's own
        int attackLength;
        bool attacksAllowed;
        int frames;
        int expectState;
        bool expectExpired;
        int expectLifeFrames;
    };
    const Case cases[] = {
        // A Time Bomb goes off with its shot: on tick 10 of 20, on tick 0 of 1.
        {"bomb, 20 ticks, before the shot", 1025, -1, 20, true, 10, ROBOT_ATTACK, false, -1},
        {"bomb, 20 ticks, the shot", 1025, -1, 20, true, 11, ROBOT_DYING, true, -1},
        {"bomb, 1 tick", 1025, -1, 1, true, 1, ROBOT_DYING, true, -1},
        {"bomb on a stage without attacks", 1025, -1, 20, false, 30, ROBOT_ATTACK, false, -1},
        // A robot's attack ends when its animation does.
        {"gunner mid-attack", 1, ROLE_ATTACK, 20, true, 20, ROBOT_ATTACK, false, -1},
        {"gunner done", 1, ROLE_ATTACK, 20, true, 21, ROBOT_IDLE, false, -1},
        {"one-shot robot used up", 1, ROLE_ONESHOT, 20, true, 21, ROBOT_DYING, true, -1},
        {"storm bot lingers", 20, ROLE_ONESHOT, 20, true, 21, ROBOT_IDLE, false, 1199},
        {"hammer bot breaks", 31, -1, 20, true, 21, ROBOT_DYING, false, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_StageDefinition.m_bAttacksAllowed = c.attacksAllowed;
        CCom_GameRobot& r = Add(Unit(c.type));
        r.Place(page->m_Battle, 0.0f, 0.0f, 0.0f);
        if (c.role >= 0) r.m_Unit.m_iRole = c.role;
        r.m_Unit.m_aiUnitWork[1] = c.attackLength;
        r.BeginAttack(page->m_Battle, true);
        ASSERT_EQ(r.m_iState, ROBOT_ATTACK);
        Frames(r, c.frames);
        EXPECT_EQ(r.m_iState, c.expectState);
        EXPECT_EQ(r.m_bExpired != 0, c.expectExpired);
        EXPECT_EQ(r.m_iLifeFrames, c.expectLifeFrames);
    }
    // Unforced, an attack waits for a stage that allows it.
    RuleState(page->m_Battle).m_StageDefinition.m_bAttacksAllowed = false;
    CCom_GameRobot idle = Unit(1);
    idle.BeginAttack(page->m_Battle, false);
    EXPECT_EQ(idle.m_iState, ROBOT_IDLE);
}

// ---- Field grid ----

TEST_F(BattleUnitsTest, NearestCellTable) {
    const FieldCell* cells = page->m_Battle.State().m_aFieldCells;
    const FieldCell& a = cells[2 * FIELD_ROWS + 1];
    const FieldCell& right = cells[3 * FIELD_ROWS + 1];
    const FieldCell& below = cells[2 * FIELD_ROWS + 2];
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        float x, y;
        float column, row;
    };
    const Case cases[] = {
        {"on a centre", a.m_fX, a.m_fY, 2, 1},
        {"between columns keeps the lower column", (a.m_fX + right.m_fX) / 2, a.m_fY, 2, 1},
        {"between rows keeps the lower row", a.m_fX, (a.m_fY + below.m_fY) / 2, 2, 1},
        {"far left", -5000.0f, cells[2].m_fY, 0, 2},
        {"very far up and right", 3.0e9f, 3.0e9f, 9, 0},
        {"not a number", nan, 0.0f, -1, -1},
        {"y not a number", 0.0f, nan, -1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const VxVec3 cell = FindNearestCell(cells, c.x, c.y, 0.0f);
        EXPECT_FLOAT_EQ(cell.x, c.column);
        EXPECT_FLOAT_EQ(cell.y, c.row);
        const VxVec3 centre = GetCellCentre(cells, c.x, c.y, 0.0f);
        if (c.column >= 0) {
            EXPECT_FLOAT_EQ(centre.x, cells[int(c.column) * FIELD_ROWS + int(c.row)].m_fX);
        } else {
            EXPECT_FLOAT_EQ(centre.x, 10000.0f);  // off the field, never a garbage cell
        }
    }
}

}  // namespace
