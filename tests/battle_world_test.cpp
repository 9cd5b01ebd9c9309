// The battle's world on a loaded page: the weather hazards' timetables, the
// field effects' cap, geometry and timed actions, the meteor's landing, the
// ambient scenery of each world, and the pick-up pitch.
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <set>

#include "battle/effects/Effect_Fish.h"
#include "battle/effects/Effect_Flower.h"
#include "battle/effects/Effect_GreenBall.h"
#include "battle/effects/Effect_Meteor.h"
#include "battle/effects/Effect_MeteorEnemy.h"
#include "battle/effects/Effect_Oxygen.h"
#include "battle/effects/Effect_SandWind.h"
#include "battle/effects/Effect_Snow.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "platform/Random.h"
#include "engine/VxBillboard.h"
#include "engine/VxSound.h"
#include "platform/host/RecordingDevice.h"
#include "tests/StageRunSupport.h"

namespace {

int Live(const CVxEffect* e) {
    int n = 0;
    for (int i = 0; i < e->m_nPoolSize; ++i) n += e->m_aInstances[i].life > 0 ? 1 : 0;
    return n;
}

class BattleWorldTest : public StageRunTest {
protected:
    CPageGame& Playing(int stage) {
        Begin(stage, 1, 21);
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        CPageGame& page = run->Battle();
        page.m_StageDefinition.m_bEnemySchedule = false;
        page.m_lstRobots.clear();
        page.m_lstFieldEffects.clear();
        return page;
    }
    // A player robot of that type standing at the point.
    CCom_GameRobot& Robot(CPageGame& page, int type, float x, float y) {
        CCom_GameRobot r;
        GetUnitDefinition(r.m_Unit, type);
        r.m_iHp = r.m_Unit.m_iMaxHp;
        r.m_vPosition = r.m_vLastPosition = {x, y, 0.0f};
        r.m_vCell = page.FindNearestCell(x, y, 0.0f);
        page.m_lstRobots.push_back(r);
        return page.m_lstRobots.back();
    }
    // One hazard step at frame t of the stage clock.
    void HazardAt(CPageGame& page, int t) {
        page.m_iTimeLeft = page.m_iStageFrames - t;
        page.UpdateWeatherHazards();
    }
    // Outlives the run: textures uploaded to it are released when the run ends.
    host::RecordingDevice device{880, 640};

    int FieldEffectsOfType(const CPageGame& page, int type) {
        int n = 0;
        for (const FieldEffect& fx : page.m_lstFieldEffects) n += fx.kind == type ? 1 : 0;
        return n;
    }
};

TEST_F(BattleWorldTest, WhirlpoolsOnlyOpenInColumnsWithoutGroundTwoAtATime) {
    // Stage 121: columns 0, 1, 4 and 7 hold no ground; triggers every
    // (100 - 1) x 10 frames.
    CPageGame& page = Playing(121);
    const std::set<int> free = {0, 1, 4, 7};
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        std::fill(std::begin(page.m_aiColumnHazard), std::end(page.m_aiColumnHazard), 0);
        VxSrand(seed);
        HazardAt(page, 990);
        int opened = 0;
        for (int c = 0; c < FIELD_COLUMNS; ++c) {
            if (page.m_aiColumnHazard[c] == 0) continue;
            ++opened;
            EXPECT_TRUE(free.count(c)) << "seed " << seed << " column " << c;
            EXPECT_EQ(page.m_aiColumnHazard[c], 599) << "600, less the frame it ran";
        }
        EXPECT_LE(opened, 2);
    }
    // Off the trigger nothing opens; with no free column none opens, yet
    // every column scanned takes its roll.
    std::fill(std::begin(page.m_aiColumnHazard), std::end(page.m_aiColumnHazard), 0);
    HazardAt(page, 991);
    for (int v : page.m_aiColumnHazard) EXPECT_EQ(v, 0);
    for (FieldCell& cell : page.m_aFieldCells) cell.m_iStageKind = CELL_GROUND;
    VxSrand(77);
    for (int i = 0; i < FIELD_COLUMNS; ++i) VxRand();
    const uint32_t after = VxRandState();
    VxSrand(77);
    HazardAt(page, 990);
    EXPECT_EQ(VxRandState(), after);
    for (int v : page.m_aiColumnHazard) EXPECT_EQ(v, 0);
}

TEST_F(BattleWorldTest, FieldEffectsKeepThirtyAndDrawTheirRingsWhereTheyBelong) {
    CPageGame& page = Playing(3);
    for (int i = 0; i < 31; ++i) page.AddFieldEffect(0, 0, 10.0f, 20.0f, 0.0f);
    EXPECT_EQ(page.m_lstFieldEffects.size(), 30u);

    host::GraphicsDevice* old = run->App().m_pDevice;
    run->App().m_pDevice = &device;
    g_bStageRedraw = true;
    auto drawOne = [&](int type, int age) {
        FieldEffect fx;
        InitFieldEffect(fx, type, 0, 10.0f, 20.0f, 0.0f);
        fx.age = age;
        device.draws.clear();
        UpdateFieldEffect(fx);
        return fx;
    };
    auto at = [&](size_t i) {
        const auto& m = device.draws[i].state.world;
        return std::make_pair(m[12], m[13]);
    };
    // A hit at age 0: four puffs and six sparks, all on the point.
    drawOne(0, 0);
    ASSERT_EQ(device.draws.size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        EXPECT_FLOAT_EQ(at(i).first, 10.0f);
        EXPECT_FLOAT_EQ(at(i).second, 20.0f);
    }
    // At age 29 the puffs stand at radius 14.5, 21.75, 29 and 36.25.
    const FieldEffect aged = drawOne(0, 29);
    ASSERT_EQ(device.draws.size(), 10u);
    const float radii[] = {14.5f, 21.75f, 29.0f, 36.25f};
    for (size_t k = 0; k < 4; ++k)
        EXPECT_NEAR(std::hypot(at(k).first - 10.0f, at(k).second - 20.0f), radii[k], 1e-3) << k;
    EXPECT_EQ(aged.age, 30);
    EXPECT_EQ(aged.life, 34);
    // Type 24: the stones rise 30 above the point at age 15 (after four puffs).
    drawOne(24, 15);
    ASSERT_EQ(device.draws.size(), 7u);
    for (size_t j = 4; j < 7; ++j) EXPECT_NEAR(at(j).second, 50.0f, 1e-3);
    // The target mark expires at alpha 0.6, never fully clear.
    drawOne(29, 34);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].vertices[0].color >> 24, 153u);
    // Kinds with nothing to show only age.
    for (int type : {-1, 9, 25, 26, 27}) {
        const FieldEffect fx = drawOne(type, 3);
        EXPECT_TRUE(device.draws.empty()) << type;
        EXPECT_EQ(fx.age, 4);
    }
    run->App().m_pDevice = old;
    g_bStageRedraw = false;
}

TEST_F(BattleWorldTest, AMeteorCrushesTheFirstRobotWithinItsReachOnLanding) {
    // Stage 141: episode 3, world 5.
    CPageGame& page = Playing(141);
    const int machine = page.m_aEnemyDefs[0].m_iType;
    ASSERT_NE(page.m_pEffectMeteorEnemy, nullptr);
    const struct {
        float dx, dy;
        int type;
        bool crushed;
    } cases[] = {{-19.0f, 0.0f, 1, true},  {21.0f, 0.0f, 1, false}, {0.0f, 14.0f, 1, true},
                 {0.0f, 16.0f, 1, false},  {0.0f, 0.0f, 6, false},  {0.0f, 0.0f, 11, false}};
    for (const auto& c : cases) {
        page.m_lstRobots.clear();
        CVxEffect& meteors = *page.m_pEffectMeteorEnemy;
        const int index = meteors.Add(machine);
        ASSERT_GE(index, 0);
        const float tx = meteors.m_aInstances[index].params[3].f, ty = meteors.m_aInstances[index].params[4].f;
        ASSERT_EQ(page.FindNearestCell(tx, ty, 0.0f).x >= 1.0f, true);
        CCom_GameRobot& r = Robot(page, c.type, tx + c.dx, ty + c.dy);
        const int serial = r.m_iSerial;
        for (int i = 0; i < 200 && !page.m_pEffectMeteorEnemy->IsIdle(); ++i) meteors.Tick();
        ASSERT_TRUE(page.m_pEffectMeteorEnemy->IsIdle());
        const CCom_GameRobot* after = FindRobotBySerial(page.m_lstRobots, serial);
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(after->m_iHp <= 0, c.crushed) << c.dx << "," << c.dy << " type " << c.type;
        // The Machine stands where the meteor fell.
        EXPECT_EQ(page.m_lstRobots.back().Type(), machine);
        EXPECT_FLOAT_EQ(page.m_lstRobots.back().m_vPosition.x, tx);
    }
    // Of two robots in reach only the first in the list is hit.
    page.m_lstRobots.clear();
    const int index = page.m_pEffectMeteorEnemy->Add(machine);
    const float tx = page.m_pEffectMeteorEnemy->m_aInstances[index].params[3].f;
    const float ty = page.m_pEffectMeteorEnemy->m_aInstances[index].params[4].f;
    CCom_GameRobot& first = Robot(page, 1, tx - 5.0f, ty);
    CCom_GameRobot& second = Robot(page, 1, tx + 5.0f, ty);
    for (int i = 0; i < 200 && !page.m_pEffectMeteorEnemy->IsIdle(); ++i) page.m_pEffectMeteorEnemy->Tick();
    EXPECT_LE(first.m_iHp, 0);
    EXPECT_GT(second.m_iHp, 0);
}

TEST_F(BattleWorldTest, AFieldWithNoGroundInTheMiddleSendsTheMeteorsMachineInFromTheEdge) {
    CPageGame& page = Playing(141);
    for (int i = FIELD_ROWS; i < 7 * FIELD_ROWS; ++i) page.m_aFieldCells[i].m_iStageKind = CELL_AIR;
    const int machine = page.m_aEnemyDefs[0].m_iType;
    page.m_pEffectMeteorEnemy->Add(machine);
    for (int i = 0; i < 3 && !page.m_pEffectMeteorEnemy->IsIdle(); ++i) page.m_pEffectMeteorEnemy->Tick();
    EXPECT_TRUE(page.m_pEffectMeteorEnemy->IsIdle());
    ASSERT_EQ(page.m_lstRobots.size(), 1u);
    EXPECT_LT(page.m_lstRobots.back().m_vPosition.x, -500.0f);
}

TEST(StageBackdropTest, PicturesFollowTheStageAndTheOverride) {
    const struct {
        int stage, override;
        StageBackdrop want;
    } cases[] = {
        {1, -1, {1, 1, false}},    {2, -1, {1, 1, true}},    {21, -1, {3, 1, false}},  {22, -1, {3, 1, true}},
        {50, -1, {5, 5, true}},    {151, -1, {1, 5, false}}, {160, -1, {5, 5, true}},  {180, -1, {5, 5, true}},
        {109, -1, {1, 5, false}},  {3, 305, {3, 3, false}},  {3, 402, {4, 1, true}},
    };
    for (const auto& c : cases) {
        const StageBackdrop b = GetStageBackdrop(c.stage, c.override);
        EXPECT_EQ(b.area, c.want.area) << c.stage;
        EXPECT_EQ(b.variant, c.want.variant) << c.stage;
        EXPECT_EQ(b.mirrored, c.want.mirrored) << c.stage;
    }
    EXPECT_FLOAT_EQ(StageScrollStep(154, 0.0f), 2.2f);
    EXPECT_FLOAT_EQ(StageScrollStep(167, -9550.0f), 10.0f);
    EXPECT_FLOAT_EQ(StageScrollStep(42, 0.0f), 0.0f);
}

}  // namespace

namespace {

// One stage of every world of every episode, with no defence, to its end.
class WorldStage : public StageRunTest, public ::testing::WithParamInterface<int> {};

TEST_P(WorldStage, RunsToItsGoldenChecksumWithEveryPictureFound) {
    const int stage = GetParam();
    Begin(stage, 1, 2027);
    const StageRunResult r = run->RunToEnd();
    EXPECT_EQ(r.notFound, 0);
    EXPECT_EQ(r.boxes, 0);
    EXPECT_NE(r.outcome, "limit");
    char value[64];
    std::snprintf(value, sizeof value, "%d:%016" PRIx64, r.frame, r.checksum);
    golden::ExpectStageValue("world_stage" + std::to_string(stage), value);
}

INSTANTIATE_TEST_SUITE_P(Worlds, WorldStage,
                         ::testing::Values(4, 14, 24, 34, 44, 54, 64, 74, 84, 94, 104, 114, 124, 134, 144),
                         [](const ::testing::TestParamInfo<int>& info) { return "Stage" + std::to_string(info.param); });

}  // namespace
