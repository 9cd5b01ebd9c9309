// Combat on a battle page with a stage's grid but no loaded art: the
// collector, range and shields, kill and achievement counters, the item
// drop's frequencies and the Destroyers' death.
#include <cmath>
#include <cstring>
#include <iterator>
#include <map>
#include <vector>

#include "battle/model/BossHandRules.h"
#include "content/WeaponIds.h"
#include "battle/effects/Effect_CardFull.h"
#include "battle/effects/Effect_DestroyerHand.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_Reward.h"
#include "battle/model/BattleRoad.h"
#include "battle/model/BattleRules.h"
#include "battle/model/BattleWeather.h"
#include "battle/model/MiniGameRules.h"
#include "battle/page/PageGame.h"
#include "main/GamePages.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "battle/units/Targeting.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "platform/Random.h"
#include "tests/BareModel.h"
#include "tests/Harness.h"

namespace {

class CombatTest : public GameAppTest {
protected:
    void SetUp() override {
        GameAppTest::SetUp();
        Make();
        page = GameBattlePage(m_App.get());
        ASSERT_NE(page, nullptr);
        UseStage(12);
        RuleState(page->m_Battle).m_iBattleState = BATTLE_PLAYING;
        page->LoadEffects();
        VxSrand(11);
        std::memset(g_CurrentProfile.m_aiAchievementProgress, 0, sizeof g_CurrentProfile.m_aiAchievementProgress);
    }
    void TearDown() override {
        page->ReleaseEffects();
        GameAppTest::TearDown();
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
    // A unit placed at a point, its reference point there.
    CCom_GameRobot& Add(int type, float x, float y, int slot = 0) {
        CCom_GameRobot r(page->m_Battle);
        GetUnitDefinition(r.m_Unit, type);
        r.m_iUnitSlot = slot;
        const int lengths[UNIT_WORK_ACTS] = {20, 20, 200, 20, 0, 0};
        std::memcpy(r.m_Unit.m_aiUnitWork, lengths, sizeof lengths);
        GetWeaponDefinition(r.m_Weapon, r.m_Unit.m_iWeapon);
        r.m_iHp = r.m_Unit.m_iMaxHp;
        r.m_vPosition = r.m_vLastPosition = r.m_vHome = VxVec3{x, y, 0.0f};
        r.m_vCell = page->m_Battle.FindNearestCell(x, y, 0.0f);
        r.m_iState = r.IsMachine() ? ROBOT_MOVE : ROBOT_IDLE;
        RuleState(page->m_Battle).m_lstRobots.push_back(r);
        return RuleState(page->m_Battle).m_lstRobots.back();
    }
    CCom_GameBullet& Fire(WeaponId kind, float x, float y, int target = -1, int owner = -1, int graphic = 0) {
        page->m_Battle.FireBullet(kind, graphic, x, y, 0.0f, target, owner);
        return RuleState(page->m_Battle).m_lstBullets.back();
    }

    CPageGame* page = nullptr;
};

// ---- Bullets by kind ----

TEST_F(CombatTest, TheCollectorFetchesEachEnergyOrPartsItemInReachAndNothingElse) {
    RuleState(page->m_Battle).m_aHandDefs[3].m_iUpgradeLevel = 1;
    const struct {
        int kind;
        float x, y;
        bool fetched;
    } items[] = {
        {0, 100, 0, true}, {5, -200, 150, true}, {8, 10, 10, false}, {1, 3 * 85.5f, 0, false}, {2, 0, 243, false}};
    for (const auto& it : items) page->m_Battle.DropItem(it.kind, it.x, it.y, 0.0f, -1, false);
    page->m_Battle.FireBullet(WeaponId::Magnet, 3, 0.0f, 0.0f, 0.0f, -1, -1);
    std::vector<int> fetched;
    for (const CCom_GameBullet& b : page->m_Battle.State().m_lstBullets) fetched.push_back(b.m_iTargetSerial);
    std::vector<int> expected;
    int serial = 0;
    for (const auto& it : items) {
        if (it.fetched) expected.push_back(serial);
        ++serial;
    }
    EXPECT_EQ(fetched, expected);
    RuleState(page->m_Battle).m_lstBullets.clear();
    RuleState(page->m_Battle).m_lstItems.clear();
    page->m_Battle.FireBullet(WeaponId::Magnet, 3, 0.0f, 0.0f, 0.0f, -1, -1);
    EXPECT_TRUE(page->m_Battle.State().m_lstBullets.empty());
}

// ---- Hit rules ----

TEST_F(CombatTest, RangeIsStrictAndShieldsOverflowIntoHp) {
    CCom_GameRobot& gunner = Add(1, 300.0f, 28.0f);
    const float range = float(gunner.m_Weapon.m_iRange);
    struct {
        float dx;
        bool inside;
    } ranges[] = {{range, false}, {range - 0.01f, true}, {range + 1.0f, false}};
    for (const auto& c : ranges) {
        CCom_GameRobot& m = Add(1000, 300.0f - c.dx, 28.0f);
        EXPECT_EQ(IsWithinRange(gunner, m, gunner.m_vLastPosition), c.inside) << c.dx;
        RuleState(page->m_Battle).m_lstRobots.pop_back();
    }
    struct {
        int shieldHp, hit, shieldAfter, unitLoss;
    } shields[] = {{5, 8, -3, 3}, {5, 5, 0, 0}, {10, 4, 6, 0}};
    for (const auto& c : shields) {
        CCom_GameRobot& unit = Add(1, 100.0f, -53.0f);
        CCom_GameRobot& shield = Add(27, 100.0f, -53.0f);
        shield.m_iHp = c.shieldHp;
        unit.m_iShieldSerial = shield.m_iSerial;
        const int before = unit.m_iHp;
        unit.TakeDamage(page->m_Battle, c.hit);
        EXPECT_EQ(shield.m_iHp, c.shieldAfter);
        EXPECT_EQ(before - unit.m_iHp, c.unitLoss);
        EXPECT_EQ(unit.m_iShieldSerial == NO_SERIAL, c.shieldAfter <= 0);
    }
}

// A sniper shot misses a walking Machine with nothing on it when the roll
// of rand() % 4 is 0; an upgrade of level 1 never misses.
TEST_F(CombatTest, ASniperShotMissesOnARollOfZeroInFour) {
    // The generator's next draw from a seed.
    auto draw = [](uint32_t seed) { return int(((seed * 214013u + 2531011u) >> 16) & 0x7FFF); };
    auto seedWhere = [&](auto wanted) {
        uint32_t seed = 1;
        while (!wanted(draw(seed))) ++seed;
        return seed;
    };
    // A zero in four that is no zero in 2, 3, 5 or 8 and draws of 1, 2 and 3 in four.
    const uint32_t zero = seedWhere([](int d) { return d % 8 == 4 && d % 3 != 0 && d % 5 != 0; });
    const uint32_t one = seedWhere([](int d) { return d % 4 == 1 && d % 3 == 0 && d % 5 == 0; });
    const uint32_t two = seedWhere([](int d) { return d % 4 == 2 && d % 3 == 0; });
    const uint32_t three = seedWhere([](int d) { return d % 4 == 3 && d % 5 == 0; });
    const struct {
        const char* rule;
        uint32_t seed;
        int missMode, upgrade, state, status;
        bool missed;
    } rows[] = {
        {"a roll of 0 misses", zero, 0, 0, ROBOT_MOVE, 0, true},
        {"a roll of 1 hits", one, 0, 0, ROBOT_MOVE, 0, false},
        {"a roll of 2 hits", two, 0, 0, ROBOT_MOVE, 0, false},
        {"a roll of 3 hits", three, 0, 0, ROBOT_MOVE, 0, false},
        {"level 2 still misses on 0", zero, 0, 2, ROBOT_MOVE, 0, true},
        {"level 1 never misses", zero, 0, 1, ROBOT_MOVE, 0, false},
        {"a Machine not walking is hit", zero, 0, 0, ROBOT_ATTACK, 0, false},
        {"a frozen Machine is hit", zero, 0, 0, ROBOT_MOVE, 1, false},
        {"never-miss shots hit on 0", zero, 1, 0, ROBOT_MOVE, 0, false},
        {"always-miss shots miss on 3", three, -1, 0, ROBOT_MOVE, 0, true},
    };
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_lstBullets.clear();
        CCom_GameRobot& m = Add(1000, -100.0f, 28.0f);
        m.m_iHp = 1000;
        m.m_iState = r.state;
        m.m_iStatusEffect = r.status;
        CCom_GameBullet& b = Fire(WeaponId::SniperShot, -100.0f, 28.0f, m.m_iSerial);
        ASSERT_EQ(b.m_iBulletKind, WeaponId::SniperShot);
        b.m_iMissMode = r.missMode;
        b.m_iOwnerUpgrade = r.upgrade;
        VxSrand(r.seed);
        b.TestHits(page->m_Battle, false);
        EXPECT_EQ(page->m_Battle.State().m_lstRobots.back().m_iHp == 1000, r.missed) << r.rule;
    }
}

// The won stage's capsule opens on a click strictly inside the 256 x 256
// square centred on it, and only once it waits for the click.
TEST_F(CombatTest, TheRewardCapsuleOpensOnAClickInsideItsSquareOf256) {
    ASSERT_NE(page->m_pEffectReward, nullptr);
    CEffect_Reward& reward = *page->m_pEffectReward;
    const struct {
        const char* rule;
        int dx, dy, state;
        bool opens;
    } rows[] = {
        {"the centre", 0, 0, 1, true},
        {"a corner 1 px inside", 127, 127, 1, true},
        {"the far corner 1 px inside", -127, -127, 1, true},
        {"a corner a circle of 128 would miss", 120, -120, 1, true},
        {"on the right edge", 128, 0, 1, false},
        {"on the left edge", -128, 0, 1, false},
        {"on the top edge", 0, 128, 1, false},
        {"on the bottom edge", 0, -128, 1, false},
        {"still falling", 0, 0, 0, false},
        {"already opening", 0, 0, 2, false},
    };
    InputRecord& in = m_App->m_aInput[0];
    for (const auto& r : rows) {
        reward.Clear(0);
        reward.m_aInstances[0].life = 1000;
        reward.m_aInstances[0].age = 5;
        reward.m_aInstances[0].params[0].f = 40.0f;
        reward.m_aInstances[0].params[1].f = -118.0f - 30.0f;  // the picture stands 118 above the point
        reward.m_iRewardState = r.state;
        in.m_iCursorX = g_iScreenWidth / 2 + 40 + r.dx;
        in.m_iCursorY = g_iScreenHeight / 2 + 30 - r.dy;
        in.m_aiKey[MOUSE_LEFT] = KEY_PRESSED | KEY_HELD;
        reward.HandleClick();
        EXPECT_EQ(reward.m_iRewardState, r.opens ? 2 : r.state) << r.rule;
    }
    in.m_aiKey[MOUSE_LEFT] = 0;
}

// Freeze holds a Machine 30 frames, a web 90, plasma 30; slow units, the
// heavy ones and one already held are spared.
TEST_F(CombatTest, StatusEffectsHoldThirtyNinetyAndThirtyFrames) {
    enum Apply { FREEZE, WEB, PLASMA };
    const struct {
        const char* rule;
        int type;
        Apply apply;
        float speed;
        int maxHp;
        int effect, frames;
    } rows[] = {
        {"freeze: 30 frames", 1000, FREEZE, 1.0f, 100, STATUS_FREEZE, 30},
        {"web: 90 frames", 1000, WEB, 1.0f, 100, STATUS_WEB, 90},
        {"plasma: 30 frames", 1000, PLASMA, 1.0f, 100, STATUS_PLASMA, 30},
        {"a speed of 0.5 is not spared", 1000, FREEZE, 0.5f, 100, STATUS_FREEZE, 30},
        {"a standing unit is not spared", 1000, FREEZE, 0.0f, 100, STATUS_FREEZE, 30},
        {"a speed below 0.5 is spared", 1000, FREEZE, 0.45f, 100, STATUS_NONE, 0},
        {"2000 hp or more is spared", 1000, WEB, 1.0f, 2000, STATUS_NONE, 0},
        {"the Frost Orca takes no plasma", 1027, PLASMA, 1.0f, 100, STATUS_NONE, 0},
        {"the Frost Orca freezes", 1027, FREEZE, 1.0f, 100, STATUS_FREEZE, 30},
    };
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        CCom_GameRobot& m = Add(r.type, -100.0f, 28.0f);
        m.m_Unit.m_fSpeed = r.speed;
        m.m_Unit.m_iMaxHp = r.maxHp;
        if (r.apply == FREEZE) m.ApplyFreeze(page->m_Battle);
        if (r.apply == WEB) m.ApplyWeb(page->m_Battle);
        if (r.apply == PLASMA) m.ApplyPlasma(page->m_Battle);
        EXPECT_EQ(m.m_iStatusEffect, r.effect) << r.rule;
        EXPECT_EQ(m.m_iStatusFrames, r.frames) << r.rule;
    }
    // One already held keeps it.
    RuleState(page->m_Battle).m_lstRobots.clear();
    CCom_GameRobot& m = Add(1000, -100.0f, 28.0f);
    m.m_Unit.m_fSpeed = 1.0f;
    m.ApplyWeb(page->m_Battle);
    m.m_iStatusFrames = 7;
    m.ApplyFreeze(page->m_Battle);
    EXPECT_EQ(m.m_iStatusEffect, STATUS_WEB);
    EXPECT_EQ(m.m_iStatusFrames, 7);
}

// A live Machine walking past x = 550 (or, walking left, past -550) has
// crossed the field: it costs its life points and leaves.
TEST_F(CombatTest, AMachinePastTheFieldEdgeOf550CostsItsLifePoints) {
    const struct {
        const char* rule;
        float x, speed;
        bool crossed;
    } rows[] = {
        {"just past the right edge", 550.5f, 1.0f, true},
        {"on the right edge", 550.0f, 1.0f, false},
        {"just inside the right edge", 549.5f, 1.0f, false},
        {"past the right edge walking back", 560.0f, -1.0f, false},
        {"just past the left edge walking left", -550.5f, -1.0f, true},
        {"just inside the left edge walking left", -549.5f, -1.0f, false},
        {"standing past the edge", 600.0f, 0.0f, false},
    };
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_iLife = 10;
        RuleState(page->m_Battle).m_StageDefinition.m_bLifeInPlay = 1;
        CCom_GameRobot& m = Add(1000, r.x, 28.0f);
        m.m_Unit.m_fSpeed = r.speed;
        m.m_Unit.m_iHeartDecrease = 2;
        auto it = std::prev(RuleState(page->m_Battle).m_lstRobots.end());
        EXPECT_EQ(RemoveRowRobot(page->m_Battle, it), r.crossed) << r.rule;
        EXPECT_EQ(page->m_Battle.State().m_iLife, r.crossed ? 8 : 10) << r.rule;
    }
}

// A finished Machine counts as a kill; the Time Bomb, the Capsule Cage and
// the Rocket never do.
TEST_F(CombatTest, CapsuleCagesTimeBombsAndRocketsAreNotKills) {
    const struct {
        int type;
        int kills;
    } rows[] = {{1000, 1}, {1021, 1}, {1025, 0}, {1030, 0}, {1032, 0}};
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_nMachinesKilled = 0;
        CCom_GameRobot& m = Add(r.type, 0.0f, 28.0f);
        m.m_iHp = 0;
        m.m_bExpired = true;
        m.m_aiAux[1] = 0;
        auto it = std::prev(RuleState(page->m_Battle).m_lstRobots.end());
        EXPECT_TRUE(RemoveRowRobot(page->m_Battle, it)) << r.type;
        EXPECT_EQ(page->m_Battle.State().m_nMachinesKilled, r.kills) << "type " << r.type;
    }
}

// The summary's robots lost and Machines killed count units destroyed while
// the battle is in play up to the summary: a spent one-shot robot, a robot a
// Remover took, a crossed Machine or one that left alive count for nothing.
TEST_F(CombatTest, TheSummaryCountsOnlyUnitsDestroyedInPlay) {
    const struct {
        const char* rule;
        int type;
        int hp;
        bool consumed;
        int aux1;
        int state;
        int lost, killed;
    } rows[] = {
        {"a Gunner Bot destroyed is lost", 1, 0, false, 0, BATTLE_PLAYING, 1, 0},
        {"a Gunner Bot taken away alive is not", 1, 5, false, 0, BATTLE_PLAYING, 0, 0},
        {"a Gunner Bot a Remover took is not", 1, 0, true, 0, BATTLE_PLAYING, 0, 0},
        {"a spent Mini-Mine is not", 6, 0, false, 0, BATTLE_PLAYING, 0, 0},
        {"a spent Recycler Bot is not", 32, 0, false, 0, BATTLE_PLAYING, 0, 0},
        {"a Mini-Magnet destroyed is lost", 33, 0, false, 0, BATTLE_PLAYING, 1, 0},
        {"a Machine destroyed is a kill", 1000, 0, false, 0, BATTLE_PLAYING, 0, 1},
        {"a Machine marked as no kill is not", 1000, 0, false, 1, BATTLE_PLAYING, 0, 0},
        {"a Machine marked otherwise still is", 1000, 0, false, 2, BATTLE_PLAYING, 0, 1},
        {"before play nothing counts", 1000, 0, false, 0, BATTLE_PLAYING - 1, 0, 0},
        {"during the result it counts", 1000, 0, false, 0, BATTLE_SUMMARY - 1, 0, 1},
        {"on the summary nothing counts", 1, 0, false, 0, BATTLE_SUMMARY, 0, 0},
    };
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_nMachinesKilled = RuleState(page->m_Battle).m_nRobotsLost = 0;
        RuleState(page->m_Battle).m_iBattleState = r.state;
        CCom_GameRobot& u = Add(r.type, 0.0f, 28.0f);
        u.m_iHp = r.hp;
        u.m_bExpired = true;
        u.m_bConsumed = r.consumed;
        u.m_aiAux[1] = r.aux1;
        auto it = std::prev(RuleState(page->m_Battle).m_lstRobots.end());
        EXPECT_TRUE(RemoveRowRobot(page->m_Battle, it)) << r.rule;
        EXPECT_EQ(page->m_Battle.State().m_nRobotsLost, r.lost) << r.rule;
        EXPECT_EQ(page->m_Battle.State().m_nMachinesKilled, r.killed) << r.rule;
    }
    RuleState(page->m_Battle).m_iBattleState = BATTLE_PLAYING;
}

// Acid rain on the first area of episode 3: every tenth frame of a shower a
// drop falls in two columns (c mod 5 cycling) and costs the first robot it
// meets 3 hp.
TEST_F(CombatTest, AcidRainCostsTheRobotItMeetsThreeHp) {
    UseStage(101);  // the first stage of episode 3, area 1: period (200 - 1) x 10 frames
    const struct {
        const char* rule;
        int column, row;
        int t;  // frames into the stage
        int loss;
    } rows[] = {
        {"a drop in column 0 at the shower's start", 0, 0, 2 * 1990, 3},
        {"the same drop in column 5", 5, 0, 2 * 1990, 3},
        {"column 4 waits for its turn", 4, 0, 2 * 1990, 0},
        {"column 4's turn forty frames on", 4, 0, 2 * 1990 + 40, 3},
        {"between drops nothing falls", 0, 0, 2 * 1990 + 5, 0},
        {"no shower in the first 2000 frames", 0, 0, 1990, 0},
    };
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        const FieldCell& c = page->m_Battle.State().m_aFieldCells[r.column * FIELD_ROWS + r.row];
        CCom_GameRobot& robot = Add(1, c.m_fX, c.m_fY);
        ASSERT_EQ(int(robot.m_vCell.x), r.column);
        ASSERT_EQ(int(robot.m_vCell.y), r.row);
        const int hp = robot.m_iHp;
        RuleState(page->m_Battle).m_iStageFrames = 20000;
        RuleState(page->m_Battle).m_iTimeLeft = 20000 - r.t;
        UpdateWeatherHazards(page->m_Battle);
        EXPECT_EQ(hp - page->m_Battle.State().m_lstRobots.back().m_iHp, r.loss) << r.rule;
    }
}

// The four hazards of episode 3 by area: acid rain (3 hp, down to the first
// ground cell), earthquakes (5 hp on ground cells), whirlpools (5 hp when the
// countdown's hundreds come round to the column) and jet streams (lift air
// units within 15 of the gust). Every row is one frame of a 20000-frame stage.
TEST_F(CombatTest, EachAreaOfEpisodeThreeHasItsHazardAndItsVictims) {
    const struct {
        const char* rule;
        int stage;
        int t;  // frames into the stage
        int column, row;
        int kind;       // of every cell
        int groundRow;  // one ground cell in the robot's column, or -1
        int role;       // -1: the Gunner Bot's own
        bool ridden;    // a carrier with a unit on it
        int pool;       // a whirlpool's countdown in the column
        int gust;       // a gust's countdown in the row
        float aside;    // the robot's x from the gust
        int loss;
        bool lifted;
    } rows[] = {
        // Acid rain, stage 101: a shower every 1990 frames, 500 long.
        {"a drop falls through air onto row 3", 101, 3980, 0, 3, CELL_AIR, -1, -1, false, 0, 0, 0, 3, false},
        {"a ground cell above stops the drop", 101, 3980, 0, 3, CELL_AIR, 1, -1, false, 0, 0, 0, 0, false},
        {"the ground cell's own robot is hit", 101, 3980, 0, 2, CELL_AIR, 2, -1, false, 0, 0, 0, 3, false},
        {"a free carrier is hit", 101, 3980, 0, 0, CELL_AIR, -1, ROLE_PLATFORM, false, 0, 0, 0, 3, false},
        {"a ridden carrier is spared", 101, 3980, 0, 0, CELL_AIR, -1, ROLE_PLATFORM, true, 0, 0, 0, 0, false},
        {"a timer is spared by the rain", 101, 3980, 0, 0, CELL_AIR, -1, ROLE_TIMER, false, 0, 0, 0, 0, false},
        {"the shower's frame 490 drops on column 4", 101, 3980 + 490, 4, 0, CELL_AIR, -1, -1, false, 0, 0, 0, 3, false},
        {"the shower is over at its frame 500", 101, 3980 + 500, 0, 0, CELL_AIR, -1, -1, false, 0, 0, 0, 0, false},
        // Earthquake, stage 120: a quake every 2000 frames, 300 long.
        {"a quake strikes a ground cell for 5", 120, 4000, 0, 2, CELL_GROUND, -1, -1, false, 0, 0, 0, 5, false},
        {"no quake in the first 2000 frames", 120, 2000, 0, 2, CELL_GROUND, -1, -1, false, 0, 0, 0, 0, false},
        {"a quake leaves air cells alone", 120, 4000, 0, 2, CELL_AIR, -1, -1, false, 0, 0, 0, 0, false},
        {"a quake spares carriers", 120, 4000, 0, 2, CELL_GROUND, -1, ROLE_PLATFORM, false, 0, 0, 0, 0, false},
        {"the quake's frame 250 strikes column 0", 120, 4250, 0, 2, CELL_GROUND, -1, -1, false, 0, 0, 0, 5, false},
        {"the quake is over at its frame 300", 120, 4300, 0, 2, CELL_GROUND, -1, -1, false, 0, 0, 0, 0, false},
        {"stage 119 quakes every 1910 frames", 119, 3 * 1910, 0, 2, CELL_GROUND, -1, -1, false, 0, 0, 0, 5, false},
        // Whirlpools, stage 121.
        {"a whirlpool strikes column 3 at 530 left", 121, 5000, 3, 1, CELL_AIR, -1, -1, false, 530, 0, 0, 5, false},
        {"and not at 531 left", 121, 5000, 3, 1, CELL_AIR, -1, -1, false, 531, 0, 0, 0, false},
        {"column 0's whirlpool strikes at 500 left", 121, 5000, 0, 1, CELL_AIR, -1, -1, false, 500, 0, 0, 5, false},
        {"a timer is spared by the whirlpool", 121, 5000, 3, 1, CELL_AIR, -1, ROLE_TIMER, false, 530, 0, 0, 0, false},
        {"after the stage time a whirlpool strikes no more", 121, 20000, 3, 1, CELL_AIR, -1, -1, false, 530, 0, 0, 0,
         false},
        // Jet streams, stage 131.
        {"a gust lifts the air unit it meets", 131, 5000, 0, 2, CELL_AIR, -1, -1, false, 0, 40, 0.0f, 0, true},
        {"a gust lifts a unit in the first column", 131, 5000, 0, 2, CELL_AIR, -1, -1, false, 0, 57, 0.0f, 0, true},
        {"a gust lifts a unit 15 ahead", 131, 5000, 0, 2, CELL_AIR, -1, -1, false, 0, 40, 15.0f, 0, true},
        {"a gust misses a unit 16 ahead", 131, 5000, 0, 2, CELL_AIR, -1, -1, false, 0, 40, 16.0f, 0, false},
        {"a gust leaves units on ground", 131, 5000, 0, 2, CELL_GROUND, -1, -1, false, 0, 40, 0.0f, 0, false},
        {"a gust leaves timers", 131, 5000, 0, 2, CELL_AIR, -1, ROLE_TIMER, false, 0, 40, 0.0f, 0, false},
    };
    for (const auto& r : rows) {
        UseStage(r.stage);
        RuleState(page->m_Battle).m_lstFieldEffects.clear();
        for (FieldCell& c : RuleState(page->m_Battle).m_aFieldCells) c.m_iStageKind = r.kind;
        if (r.groundRow >= 0)
            RuleState(page->m_Battle).m_aFieldCells[r.column * FIELD_ROWS + r.groundRow].m_iStageKind = CELL_GROUND;
        std::memset(RuleState(page->m_Battle).m_aiColumnHazard, 0, sizeof RuleState(page->m_Battle).m_aiColumnHazard);
        RuleState(page->m_Battle).m_aiColumnHazard[r.gust ? r.row : r.column] = r.gust ? r.gust : r.pool;
        RuleState(page->m_Battle).m_lstRobots.clear();
        const FieldCell& c = page->m_Battle.State().m_aFieldCells[r.column * FIELD_ROWS + r.row];
        VxVec3 at{c.m_fX, c.m_fY, 0.0f};
        if (r.gust) {
            at = GustPoint(page->m_Battle, r.row, r.gust);
            at.x += r.aside;
        }
        CCom_GameRobot& robot = Add(1, at.x, at.y);
        ASSERT_EQ(int(robot.m_vCell.y), r.row) << r.rule;
        if (!r.gust) {
            ASSERT_EQ(int(robot.m_vCell.x), r.column) << r.rule;
        }
        if (r.role >= 0) robot.m_Unit.m_iRole = r.role;
        robot.m_bPlatformOccupied = r.ridden;
        const int hp = robot.m_iHp;
        RuleState(page->m_Battle).m_iStageFrames = 20000;
        RuleState(page->m_Battle).m_iTimeLeft = 20000 - r.t;
        UpdateWeatherHazards(page->m_Battle);
        const CCom_GameRobot& after = page->m_Battle.State().m_lstRobots.back();
        EXPECT_EQ(hp - after.m_iHp, r.loss) << r.rule;
        EXPECT_EQ(after.m_iPlatformTimer == 10, r.lifted) << r.rule;
        // A hit shows a spark, but a drop that hits on ground shows its splash
        // alone; the weather's effects belong to no unit.
        bool spark = false;
        for (const FieldEffect& e : page->m_Battle.State().m_lstFieldEffects) {
            EXPECT_EQ(e.params[3].i, 0) << r.rule;
            spark = spark || e.kind == 0;
        }
        EXPECT_EQ(spark, r.loss > 0 && r.groundRow != r.row) << r.rule;
        RuleState(page->m_Battle).m_lstFieldEffects.clear();
    }
}

// Whirlpools open only in columns without ground, at most two at a time, and
// gusts only on rows whose leftmost cell is air, one at a time.
TEST_F(CombatTest, WhirlpoolsAndGustsStartOnlyWhereTheWaterOrAirIsOpen) {
    const struct {
        const char* rule;
        int stage;
        int t;  // a start frame of the stage's hazard
        int kind;
        int opened;  // countdowns started
    } rows[] = {
        {"whirlpools open in two water columns at most", 121, 990, CELL_AIR, 2},
        {"no whirlpool where the column holds ground", 121, 990, CELL_GROUND, 0},
        {"ground in the top row alone keeps them off", 121, 990, -1, 0},
        {"no whirlpool between start frames", 121, 991, CELL_AIR, 0},
        {"stage 130's whirlpools come every 1000 frames", 130, 1000, CELL_AIR, 2},
        {"one gust at a time", 131, 590, CELL_AIR, 1},
        {"no gust along a row that starts on ground", 131, 590, CELL_GROUND, 0},
        {"a gust along the top rows when only they are air", 131, 590, -2, 1},
        {"stage 140's gusts come every 600 frames", 140, 600, CELL_AIR, 1},
    };
    for (const auto& r : rows) {
        UseStage(r.stage);
        // Kind -1: air with ground in the top row of each column; -2: air in
        // the top two rows only.
        for (int i = 0; i < FIELD_CELLS; ++i) {
            const int row = i % FIELD_ROWS;
            RuleState(page->m_Battle).m_aFieldCells[i].m_iStageKind = r.kind >= 0 ? r.kind
                                                                      : r.kind == -1
                                                                          ? (row == 0 ? CELL_GROUND : CELL_AIR)
                                                                          : (row < 2 ? CELL_AIR : CELL_GROUND);
        }
        RuleState(page->m_Battle).m_lstRobots.clear();
        std::memset(RuleState(page->m_Battle).m_aiColumnHazard, 0, sizeof RuleState(page->m_Battle).m_aiColumnHazard);
        RuleState(page->m_Battle).m_iStageFrames = 20000;
        RuleState(page->m_Battle).m_iTimeLeft = 20000 - r.t;
        VxSrand(3);  // rolls that open the most a start frame allows
        UpdateWeatherHazards(page->m_Battle);
        int opened = 0;
        for (int v : page->m_Battle.State().m_aiColumnHazard) opened += v > 0;
        EXPECT_EQ(opened, r.opened) << r.rule;
    }
}

// After its hop an item falls 10 a frame over water or air and rests on the
// line of a ground cell, or of any cell of the bottom row.
TEST_F(CombatTest, AnItemRestsOnGroundOrOnTheBottomRow) {
    constexpr int kColumn = 3;
    const struct {
        const char* rule;
        int row;
        int kind;    // the cell's stage kind
        float drop;  // how far the item goes down in the frame
    } rows[] = {
        {"over water it falls", 2, CELL_WATER_SURFACE, 10.0f},
        {"in the air it falls", 0, CELL_AIR, 10.0f},
        {"over ground it rests", 2, CELL_GROUND, 5.0f},
        {"water in the bottom row holds it", 4, CELL_WATER_SURFACE, 5.0f},
        {"air in the bottom row holds it", 4, CELL_AIR, 5.0f},
        {"the row above the bottom does not", 3, CELL_AIR, 10.0f},
    };
    for (const auto& r : rows) {
        FieldCell& cell = RuleState(page->m_Battle).m_aFieldCells[kColumn * FIELD_ROWS + r.row];
        const int kept = cell.m_iStageKind;
        cell.m_iStageKind = r.kind;
        RuleState(page->m_Battle).m_lstItems.clear();
        // 5 above the cell's line: resting puts it on the line, falling takes 10.
        page->m_Battle.DropItem(0, cell.m_fX, cell.m_fY + 5.0f, 0.0f, -1, false);
        CCom_GameItem& item = RuleState(page->m_Battle).m_lstItems.back();
        item.m_fSpeedX = 0.0f;
        item.m_iAge = ITEM_HOP_FRAMES;
        item.m_vPosition = VxVec3{cell.m_fX, cell.m_fY + 5.0f, 0.0f};
        item.Update(page->m_Battle);
        item.Draw(page->m_Battle);
        EXPECT_FLOAT_EQ(cell.m_fY + 5.0f - item.m_vPosition.y, r.drop) << r.rule;
        cell.m_iStageKind = kept;
    }
}

// World 1 sends a flower every 120 frames, in the second half of each
// 1800-frame cycle only.
TEST_F(CombatTest, WorldOneSendsAFlowerEvery120FramesInTheSecondHalfOfEachCycle) {
    UseStage(3);
    CCom_GameStage backdrop(page->m_Battle);
    CEffect_Flower& flowers = *page->m_pEffectFlower;
    auto live = [&] {
        int n = 0;
        for (int i = 0; i < flowers.m_nPoolSize; ++i) n += flowers.m_aInstances[i].life > 0;
        return n;
    };
    const struct {
        int frame;
        int flowers;
    } rows[] = {{960, 1}, {1080, 1}, {1680, 1}, {1020, 0},       {1000, 0},       {900, 0},
                {840, 0}, {120, 0},  {1800, 0}, {1800 + 960, 1}, {3600 + 1200, 1}};
    const int kept = m_App->m_nFrame;
    for (const auto& r : rows) {
        for (int i = 0; i < flowers.m_nPoolSize; ++i) flowers.Clear(i);
        m_App->m_nFrame = r.frame;
        backdrop.Update(page->m_Battle, false);
        EXPECT_EQ(live(), r.flowers) << "frame " << r.frame;
    }
    m_App->m_nFrame = kept;
}

// ---- The wave scheduler ----

namespace {

// A schedule of waves only: every 10 seconds from the start, two Machines a
// wave, one slot of weight 100 whose type 0 calls nobody, so each pick only
// moves the batch cursor on by one.
void WavesOnly(CPageGame& page, int stageFrames, int extra) {
    StageDefinition& def = RuleState(page.m_Battle).m_StageDefinition;
    def = StageDefinition{};
    def.m_iWaveStart = 0;
    def.m_iWaveInterval = 10;
    def.m_iWaveSize = 2;
    def.m_iWaveSizeCap = 2;
    def.m_iExtraEnemies = extra;
    def.m_afWaveWeight[0] = 100.0f;
    def.m_iWaveWeightTotal = 100;
    def.m_iStreamInterval = 0;
    def.m_bEnemySchedule = true;
    for (UnitDefinition& d : RuleState(page.m_Battle).m_aEnemyDefs) d.m_iType = 0;
    RuleState(page.m_Battle).m_iStageFrames = stageFrames;
    RuleState(page.m_Battle).m_iBatchCursor = 0;
}

}  // namespace

// A wave due less than 0.35 of an interval (210 frames of 600) before the end
// is dropped; the last frame's final wave is not.
TEST_F(CombatTest, AWaveDueLessThanAThirdOfAnIntervalBeforeTheEndIsDropped) {
    const struct {
        const char* rule;
        int stageFrames, timeLeft;
        int picks;
    } rows[] = {
        {"300 frames before the end: sent", 6300, 300, 2},    {"210 frames before the end: sent", 6210, 210, 2},
        {"209 frames before the end: dropped", 6209, 209, 0}, {"200 frames before the end: dropped", 6200, 200, 0},
        {"the start of the stage: sent", 6200, 6200, 2},      {"between waves nothing", 6200, 6100, 0},
    };
    for (const auto& r : rows) {
        WavesOnly(*page, r.stageFrames, 0);
        RuleState(page->m_Battle).m_iTimeLeft = r.timeLeft;
        UpdateEnemySpawner(page->m_Battle);
        EXPECT_EQ(page->m_Battle.State().m_iBatchCursor, r.picks) << r.rule;
    }
}

// Extra enemies join the waves one at a time, never the first wave.
TEST_F(CombatTest, TheFirstWaveNeverTakesAnExtraEnemy) {
    const struct {
        const char* rule;
        int timeLeft;  // of 6000 frames
        int extra;
        int picks, extraAfter;
    } rows[] = {
        {"the first wave: its size only", 6000, 2, 2, 2},
        {"the second wave takes one extra", 5400, 2, 3, 1},
        {"a later wave takes one extra", 3000, 1, 3, 0},
        {"none left: its size only", 3000, 0, 2, 0},
    };
    for (const auto& r : rows) {
        WavesOnly(*page, 6000, r.extra);
        RuleState(page->m_Battle).m_iTimeLeft = r.timeLeft;
        UpdateEnemySpawner(page->m_Battle);
        EXPECT_EQ(page->m_Battle.State().m_iBatchCursor, r.picks) << r.rule;
        EXPECT_EQ(page->m_Battle.State().m_StageDefinition.m_iExtraEnemies, r.extraAfter) << r.rule;
    }
}

// The last frame sends a wave only on a beat or with the final-wave flag;
// past stage 30 it grows by the episode's number, and every type the stage
// has not sent (a Rocket aside) comes once.
TEST_F(CombatTest, TheFinalWaveGrowsByTheEpisodeAndBringsEveryTypeNotYetSent) {
    const struct {
        const char* rule;
        int stage;
        int stageFrames;  // 6001 puts the last frame on a beat, 6050 off it
        bool finalWave;
        int picks;
        int unsent;  // Machines of the types not sent yet
    } rows[] = {
        {"off the beat without the flag: nothing", 12, 6050, false, 0, 0},
        {"off the beat with the flag: the final wave", 12, 6050, true, 2, 1},
        {"on the beat without the flag: the final wave", 12, 6001, false, 2, 1},
        {"stage 30 adds nothing", 30, 6050, true, 2, 1},
        {"stage 31 adds episode 1", 31, 6050, true, 3, 1},
        {"stage 101 adds episode 3", 101, 6050, true, 5, 1},
    };
    for (const auto& r : rows) {
        UseStage(r.stage);
        WavesOnly(*page, r.stageFrames, 0);
        RuleState(page->m_Battle).m_StageDefinition.m_bFinalWave = r.finalWave;
        // Record 1 was never sent, record 2 is a Rocket, record 3 came before.
        const int types[] = {0, 1001, 1032, 1002};
        for (int i = 0; i < 4; ++i) {
            GetUnitDefinition(RuleState(page->m_Battle).m_aEnemyDefs[i], types[i]);
            RuleState(page->m_Battle).m_aEnemyDefs[i].m_iType = types[i];
            RuleState(page->m_Battle).m_aiEnemyCalls[i] = i == 3;
        }
        RuleState(page->m_Battle).m_nEnemyDefs = 4;
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_iTimeLeft = 1;
        UpdateEnemySpawner(page->m_Battle);
        EXPECT_EQ(page->m_Battle.State().m_iBatchCursor, r.picks) << r.rule;
        int unsent = 0;
        for (const CCom_GameRobot& m : page->m_Battle.State().m_lstRobots) {
            EXPECT_NE(m.Type(), 1032) << r.rule;
            EXPECT_NE(m.Type(), 1002) << r.rule;
            unsent += m.Type() == 1001;
        }
        EXPECT_EQ(unsent, r.unsent) << r.rule;
    }
}

// The single-Machine stream walks its weights in turn; each time it wraps
// round, the weights take one step.
TEST_F(CombatTest, TheStreamWeightsStepEachTimeTheRotationWraps) {
    StageDefinition& def = RuleState(page->m_Battle).m_StageDefinition;
    def = StageDefinition{};
    def.m_afStreamWeight[0] = 1.0f;
    def.m_afStreamWeight[1] = 1.0f;
    def.m_afStreamWeightStep[1] = 1.0f;  // the second type weighs one more each round
    def.m_iStreamWeightTotal = 2;
    RuleState(page->m_Battle).m_aEnemyDefs[0].m_iType = 1000;
    RuleState(page->m_Battle).m_aEnemyDefs[1].m_iType = 1001;
    RuleState(page->m_Battle).m_iStreamCursor = 0;
    std::vector<int> picked;
    for (int i = 0; i < 9; ++i) picked.push_back(PickStreamEnemy(page->m_Battle));
    EXPECT_EQ(picked, (std::vector<int>{1000, 1001, 1000, 1001, 1001, 1000, 1001, 1001, 1001}));
    EXPECT_EQ(def.m_iStreamWeightTotal, 5);
    EXPECT_FLOAT_EQ(def.m_afStreamWeight[1], 4.0f);
}

// Aimed shooting: a charged robot fires at the mouse from the 16th frame the
// left button is held, and every frame after it.
TEST_F(CombatTest, AimedShotsStartOnTheSixteenthHeldFrame) {
    PlayStage(page->m_Battle, 152, &page->m_AppClock);
    CCom_GameRobot& gunner = Add(1, -200.0f, 28.0f);
    RuleState(page->m_Battle).m_apMiniGameRobots[0] = &gunner;
    const auto aim = [this](bool held) { RunMiniGameControls(page->m_Battle, VxVec3{200.0f, 28.0f, 0.0f}, held); };
    RuleState(page->m_Battle).m_iHoldFrames = 0;
    std::vector<int> shots;
    for (int held = 1; held <= 18; ++held) {
        gunner.m_iActionTimer = gunner.m_Unit.m_iActionInterval;  // charged
        gunner.m_iState = ROBOT_IDLE;
        RuleState(page->m_Battle).m_lstBullets.clear();
        aim(true);
        shots.push_back(int(page->m_Battle.State().m_lstBullets.size()));
    }
    EXPECT_EQ(shots, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1}));
    // Letting go starts the count again.
    aim(false);
    EXPECT_EQ(page->m_Battle.State().m_iHoldFrames, 0);
    RuleState(page->m_Battle).m_lstBullets.clear();
    aim(true);
    EXPECT_TRUE(page->m_Battle.State().m_lstBullets.empty());
    RuleState(page->m_Battle).m_apMiniGameRobots[0] = nullptr;
}

// The boomerang strikes what it passes over every tenth frame of its flight.
TEST_F(CombatTest, TheBoomerangStrikesOnEveryTenthFrameOfItsFlight) {
    const struct {
        int age;
        bool strikes;
    } rows[] = {{0, true},   {1, false}, {5, false},  {9, false}, {10, true},
                {11, false}, {20, true}, {25, false}, {30, true}};
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_lstBullets.clear();
        CCom_GameRobot& m = Add(1000, -100.0f, 28.0f);
        m.m_iHp = 1000;
        m.m_Unit.m_fSpeed = 0.0f;
        CCom_GameBullet& b = Fire(WeaponId::Boomerang, -100.0f, 28.0f);
        ASSERT_EQ(b.m_iBulletKind, WeaponId::Boomerang);
        b.m_vVelocity = VxVec3{0.0f, 0.0f, 0.0f};
        b.m_iAge = r.age;
        b.m_iHitsLeft = 100;
        b.Update(page->m_Battle);
        b.Draw(page->m_Battle);
        EXPECT_EQ(page->m_Battle.State().m_lstRobots.back().m_iHp < 1000, r.strikes) << "age " << r.age;
    }
}

// A lingering stream (the flame, the storm) shows its hit on the field
// every fifteen frames; a blast shows it on every hit.
TEST_F(CombatTest, ALingeringStreamShowsItsHitEveryFifteenFramesAndABlastOnEveryHit) {
    const struct {
        WeaponId kind;
        int frame;
        bool shows;
    } rows[] = {{WeaponId::Flame, 30, true},      {WeaponId::Flame, 31, false}, {WeaponId::Flame, 44, false},
                {WeaponId::Flame, 45, true},      {WeaponId::Storm, 31, false}, {WeaponId::BomberBlast, 31, true},
                {WeaponId::BomberBlast, 44, true}};
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_lstBullets.clear();
        RuleState(page->m_Battle).m_lstFieldEffects.clear();
        m_App->m_nFrame = r.frame;
        Add(1000, -100.0f, 28.0f).m_iHp = 1000;
        CCom_GameBullet& b = Fire(r.kind, -150.0f, 28.0f);
        b.m_rcHitArea = BulletHitArea{true, -900.0f, 900.0f, 900.0f, -900.0f};
        b.TestHits(page->m_Battle, true);
        ASSERT_LT(page->m_Battle.State().m_lstRobots.back().m_iHp, 1000) << "kind " << int(r.kind);
        EXPECT_EQ(!page->m_Battle.State().m_lstFieldEffects.empty(), r.shows)
            << "kind " << int(r.kind) << " frame " << r.frame;
    }
}

// ---- Kills and achievements ----

TEST_F(CombatTest, OnlyTheKillingStrikeCountsAndExplosionsKeepTheirBest) {
    CCom_GameRobot& m = Add(1000, -100.0f, 28.0f);
    m.m_iHp = 1;
    for (int i = 0; i < 3; ++i) {
        CCom_GameBullet& b = Fire(WeaponId::FreezerShot, -100.0f, 28.0f, m.m_iSerial);
        b.TestHits(page->m_Battle, false);
    }
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[18], 1);

    auto explode = [&](int machines) {
        for (int i = 0; i < machines; ++i) Add(1000, float(-200 + 10 * i), 28.0f).m_iHp = 1;
        CCom_GameBullet& blast = Fire(WeaponId::BomberBlast, -150.0f, 28.0f);
        blast.m_rcHitArea = BulletHitArea{true, -900.0f, 900.0f, 900.0f, -900.0f};
        blast.TestHits(page->m_Battle, true);
        RuleState(page->m_Battle).m_lstRobots.clear();
    };
    explode(5);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[30], 5);
    explode(3);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[30], 5);
}

TEST_F(CombatTest, ItemDropsFollowTheLuckBoosterAndTheMachinesWorth) {
    // Shares of 4000 seeded rolls: drops at all, and the sizes of those drops.
    struct Case {
        int stage, type, luck;
        double dropShare;
        int maxSize;
    } cases[] = {{12, 1000, 0, 101.0 / 200.0, 0}, {12, 1000, 8, 101.0 / 152.0, 0}, {112, 1020, 0, 101.0 / 200.0, 3}};
    for (const Case& c : cases) {
        UseStage(c.stage);
        g_CurrentProfile.m_iLuckBooster = c.luck;
        VxSrand(1234);
        std::map<int, int> sizes;
        const int rolls = 4000;
        for (int i = 0; i < rolls; ++i) {
            RuleState(page->m_Battle).m_lstItems.clear();
            CCom_GameRobot& m = Add(c.type, 0.0f, 28.0f);
            m.RollItemDrop(page->m_Battle);
            RuleState(page->m_Battle).m_lstRobots.pop_back();
            if (!page->m_Battle.State().m_lstItems.empty())
                ++sizes[page->m_Battle.State().m_lstItems.back().m_iItemKind % 4];
        }
        int drops = 0, biggest = 0;
        for (const auto& s : sizes) {
            drops += s.second;
            biggest = std::max(biggest, s.first);
        }
        EXPECT_NEAR(double(drops) / rolls, c.dropShare, 0.03) << c.type << " luck " << c.luck;
        EXPECT_EQ(biggest, c.maxSize) << c.type;
        if (c.maxSize == 3) {
            EXPECT_GT(sizes[0], 8 * sizes[1]) << "size 0 up to r = 90 of 101";
        }
    }
    g_CurrentProfile.m_iLuckBooster = 0;
}

// ---- The Destroyers ----

TEST_F(CombatTest, ADestroyerBeatenWhileEnteringRunsItsDeathSequenceToTheEnd) {
    UseStage(160);
    CCom_GameRobot& boss = Add(1028, -250.0f, 30.0f);
    CCom_GameRobot& escort = Add(1000, -100.0f, 28.0f);
    AimBossHand(page->m_Battle, 0, 9, 1);
    ASSERT_EQ(boss.m_iBossTimer, 0);
    boss.m_iHp = 0;
    int frames = 0;
    while (!boss.m_bExpired && frames < 3000) {
        ++m_App->m_nFrame;
        boss.Update(page->m_Battle);
        boss.Draw(page->m_Battle);
        ++frames;
    }
    EXPECT_TRUE(boss.m_bExpired);
    EXPECT_GT(boss.m_iBossTimer, 1600);
    EXPECT_EQ(escort.m_iState, ROBOT_DYING);
    EXPECT_FALSE(page->m_Battle.State().m_StageDefinition.m_bEnemySchedule);
    EXPECT_FALSE(page->m_Battle.State().m_aBossHands[0].live) << "both hands stop";
}

}  // namespace

// A carrier drops one of the stage's Machines of its own terrain (a flying
// Transporter also ground ones, flying), paused 36 frames; the Transporter
// stops after 10 drops, the Killer Whale counts its drops only on map stages.
TEST_F(CombatTest, ACarrierDropsAMachineOfItsTerrainAndTheTransporterStopsAfterTen) {
    const struct {
        const char* rule;
        int stage;
        int carrier;
        bool flies;
        int cargo;  // drops left
        int status;
        std::vector<int> records;
        int dropped;  // the type, or 0
        int terrain;  // the dropped Machine's
        int cargoAfter;
        bool stillCarries;
    } rows[] = {
        {"a Transporter drops a ground Machine", 12, 1005, false, 10, 0, {1001, 1000}, 1000, TERRAIN_GROUND, 9, true},
        {"the tenth drop is its last", 12, 1005, false, 1, 0, {1000}, 1000, TERRAIN_GROUND, 0, false},
        {"a flying Transporter drops it flying", 12, 1005, true, 10, 0, {1000}, 1000, TERRAIN_AIR, 9, true},
        {"a flying Transporter drops air Machines too", 12, 1005, true, 10, 0, {1001}, 1001, TERRAIN_AIR, 9, true},
        {"a Driller dropped on the ground shows for its interval",
         12,
         1005,
         false,
         10,
         0,
         {1006},
         1006,
         TERRAIN_GROUND,
         9,
         true},
        {"a frozen carrier drops nothing", 12, 1005, false, 10, STATUS_FREEZE, {1000}, 0, 0, 10, true},
        {"a Giant is never dropped", 12, 1005, false, 10, 0, {1024, 1000}, 1000, TERRAIN_GROUND, 9, true},
        {"a Killer Whale drops under water", 12, 1015, false, 10, 0, {1000, 1011}, 1011, TERRAIN_UNDERWATER, 9, true},
        {"a Killer Whale off the map keeps its count",
         166,
         1015,
         false,
         1,
         0,
         {1011},
         1011,
         TERRAIN_UNDERWATER,
         1,
         true},
    };
    for (const auto& r : rows) {
        UseStage(r.stage);
        RuleState(page->m_Battle).m_lstRobots.clear();
        for (int k = 0; k < STAGE_ENEMY_RECORDS; ++k) {
            const int type = k < int(r.records.size()) ? r.records[size_t(k)] : 0;
            GetUnitDefinition(RuleState(page->m_Battle).m_aEnemyDefs[k], type);
            RuleState(page->m_Battle).m_aEnemyDefs[k].m_iType = type;
        }
        RuleState(page->m_Battle).m_nEnemyDefs = int(r.records.size());
        CCom_GameRobot& carrier = Add(r.carrier, 0.0f, 28.0f);
        if (r.flies) carrier.m_Unit.m_iTerrain = TERRAIN_AIR;
        carrier.m_iCargoLeft = r.cargo;
        carrier.m_iStatusEffect = r.status;
        carrier.m_iStatusFrames = r.status ? 30 : 0;
        const int serial = carrier.m_iSerial;
        VxSrand(5);
        carrier.PickCardTarget(page->m_Battle);
        const CCom_GameRobot* after = FindRobotBySerial(RuleState(page->m_Battle).m_lstRobots, serial);
        ASSERT_NE(after, nullptr) << r.rule;
        EXPECT_EQ(after->m_iCargoLeft, r.cargoAfter) << r.rule;
        EXPECT_EQ(after->m_Unit.m_iRole == ROLE_CARRY, r.stillCarries) << r.rule;
        const auto& robots = page->m_Battle.State().m_lstRobots;
        ASSERT_EQ(robots.size(), r.dropped ? 2u : 1u) << r.rule;
        if (!r.dropped) continue;
        EXPECT_EQ(robots.back().Type(), r.dropped) << r.rule;
        EXPECT_EQ(robots.back().m_iPauseFrames, 36) << r.rule;
        EXPECT_EQ(robots.back().m_Unit.m_iTerrain, r.terrain) << r.rule;
        EXPECT_EQ(robots.back().m_iRevealFrames, r.dropped == 1006 ? robots.back().m_Unit.m_iActionInterval : 0)
            << r.rule;
    }
}

// The size of a dropped item by its roll r of 0 to 100 and the Machine's
// worth v (type mod 1000, 5 more an episode): size 0 up to 100 - c, 1 up to
// 100 - b, 2 up to 100 - a, else 3. A Reaper (1020) on episode 3 is worth 30:
// a = 1, b = 4, c = 10.
TEST_F(CombatTest, ADroppedItemsSizeFollowsTheBandsOfTheMachinesWorth) {
    const struct {
        int roll;
        int size;  // -1: no drop
    } rows[] = {{0, 0}, {90, 0}, {91, 1}, {96, 1}, {97, 2}, {99, 2}, {100, 3}, {101, -1}};
    UseStage(112);
    for (const auto& r : rows) {
        uint32_t seed = 1;
        for (;; ++seed) {
            VxSrand(seed);
            if (VxRand() % 200 == r.roll) break;
        }
        VxSrand(seed);
        RuleState(page->m_Battle).m_lstItems.clear();
        CCom_GameRobot& m = Add(1020, 0.0f, 28.0f);
        m.RollItemDrop(page->m_Battle);
        RuleState(page->m_Battle).m_lstRobots.pop_back();
        const auto& items = page->m_Battle.State().m_lstItems;
        ASSERT_EQ(items.size(), r.size < 0 ? 0u : 1u) << "roll " << r.roll;
        if (r.size >= 0) {
            EXPECT_EQ(items.back().m_iItemKind % 4, r.size) << "roll " << r.roll;
        }
    }
}

// A Driller or Mole digging along the ground, hidden, throws up dust every
// 15th frame; nothing else does.
TEST_F(CombatTest, ADiggingMachineThrowsUpDustEveryFifteenthFrame) {
    const struct {
        const char* rule;
        int type;
        bool concealed;
        unsigned frame;
        bool dust;
    } rows[] = {
        {"a hidden Driller on frame 30", 1006, true, 30, true},
        {"a hidden Driller on frame 31", 1006, true, 31, false},
        {"a hidden Mole on frame 45", 1014, true, 45, true},
        {"a Driller in sight", 1006, false, 30, false},
        {"a Smasher", 1000, true, 30, false},
    };
    const unsigned kept = m_App->m_nFrame;
    for (const auto& r : rows) {
        RuleState(page->m_Battle).m_lstRobots.clear();
        RuleState(page->m_Battle).m_lstFieldEffects.clear();
        const FieldCell& c = page->m_Battle.State().m_aFieldCells[3 * FIELD_ROWS + 4];
        RuleState(page->m_Battle).m_aFieldCells[3 * FIELD_ROWS + 4].m_iStageKind = CELL_GROUND;
        CCom_GameRobot& m = Add(r.type, c.m_fX, c.m_fY);
        m.m_bConcealed = r.concealed;
        m.m_iState = ROBOT_MOVE;
        m_App->m_nFrame = r.frame;
        m.UpdateGroundAndMarineMotion(page->m_Battle);
        bool dust = false;
        for (const FieldEffect& e : page->m_Battle.State().m_lstFieldEffects) dust = dust || e.kind == 15;
        EXPECT_EQ(dust, r.dust) << r.rule;
    }
    m_App->m_nFrame = kept;
}

// Area 2 rolls one or two green balls every 1200 frames, even odds, and a
// sand wind every 300.
TEST_F(CombatTest, WorldTwoRollsOneOrTwoGreenBallsEvery1200FramesAndASandWindEvery300) {
    CEffect_GreenBall& balls = *page->m_pEffectGreenBall;
    CEffect_SandWind& winds = *page->m_pEffectSandWind;
    auto live = [](auto& pool) {
        int n = 0;
        for (int i = 0; i < pool.m_nPoolSize; ++i) n += pool.m_aInstances[i].life > 0;
        return n;
    };
    const struct {
        int frame;
        int minBalls, maxBalls, winds;
    } rows[] = {{1200, 1, 2, 1}, {1500, 0, 0, 1}, {1201, 0, 0, 0}};
    const int kept = m_App->m_nFrame;
    int ones = 0, twos = 0;
    UseStage(112);
    for (int seed = 0; seed < 12; ++seed)
        for (const auto& r : rows) {
            CCom_GameStage backdrop(page->m_Battle);
            for (int i = 0; i < balls.m_nPoolSize; ++i) balls.Clear(i);
            for (int i = 0; i < winds.m_nPoolSize; ++i) winds.Clear(i);
            m_App->m_nFrame = r.frame;
            VxSrand(uint32_t(seed));
            backdrop.Update(page->m_Battle, false);
            const int n = live(balls);
            EXPECT_GE(n, r.minBalls) << "frame " << r.frame;
            EXPECT_LE(n, r.maxBalls) << "frame " << r.frame;
            EXPECT_EQ(live(winds), r.winds) << "frame " << r.frame;
            ones += r.maxBalls > 0 && n == 1;
            twos += r.maxBalls > 0 && n == 2;
        }
    m_App->m_nFrame = kept;
    EXPECT_GE(ones, 3) << "one ball about half the time";
    EXPECT_GE(twos, 3) << "two balls about half the time";
}
