// The battle's world: the meteor's landing, the stage backdrops, and one
// stage of every world run to its golden checksum.
#include <cinttypes>
#include <cstdio>

#include "battle/model/BattleRules.h"
#include "battle/model/SkyDrops.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "battle/units/GameStage.h"
#include "platform/host/RecordingDevice.h"
#include "tests/StageRunSupport.h"

namespace {

class BattleWorldTest : public StageRunTest {
protected:
    CPageGame& Playing(int stage) {
        Begin(stage, 1, 21);
        EXPECT_TRUE(run->RunUntilState(BATTLE_PLAYING, 5000));
        CPageGame& page = run->Battle();
        RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_lstFieldEffects.clear();
        return page;
    }
    // A player robot of that type standing at the point.
    CCom_GameRobot& Robot(CPageGame& page, int type, float x, float y) {
        CCom_GameRobot r(page.m_Battle);
        GetUnitDefinition(r.m_Unit, type);
        r.m_iHp = r.m_Unit.m_iMaxHp;
        r.m_vPosition = r.m_vLastPosition = {x, y, 0.0f};
        r.m_vCell = page.m_Battle.FindNearestCell(x, y, 0.0f);
        RuleState(page.m_Battle).m_lstRobots.push_back(r);
        return RuleState(page.m_Battle).m_lstRobots.back();
    }
    // Outlives the run: textures uploaded to it are released when the run ends.
    host::RecordingDevice device{880, 640};
};

TEST_F(BattleWorldTest, AMeteorCrushesTheFirstRobotWithinItsReachOnLanding) {
    // Stage 141: episode 3, world 5.
    CPageGame& page = Playing(141);
    const int machine = page.m_Battle.State().m_aEnemyDefs[0].m_iType;
    const struct {
        float dx, dy;
        int type;
        bool crushed;
    } cases[] = {{-19.0f, 0.0f, 1, true}, {21.0f, 0.0f, 1, false}, {0.0f, 14.0f, 1, true},
                 {0.0f, 16.0f, 1, false}, {0.0f, 0.0f, 6, false},  {0.0f, 0.0f, 11, false}};
    for (const auto& c : cases) {
        RuleState(page.m_Battle).m_lstRobots.clear();
        const int index = StartMeteorFlight(page.m_Battle, machine);
        ASSERT_GE(index, 0);
        const float tx = page.m_Battle.State().m_aMeteorFlights[index].to.x;
        const float ty = page.m_Battle.State().m_aMeteorFlights[index].to.y;
        ASSERT_EQ(page.m_Battle.FindNearestCell(tx, ty, 0.0f).x >= 1.0f, true);
        CCom_GameRobot& r = Robot(page, c.type, tx + c.dx, ty + c.dy);
        const int serial = r.m_iSerial;
        for (int i = 0; i < 200 && MeteorsFalling(page.m_Battle); ++i) RunMeteorFlights(page.m_Battle);
        ASSERT_FALSE(MeteorsFalling(page.m_Battle));
        const CCom_GameRobot* after = FindRobotBySerial(RuleState(page.m_Battle).m_lstRobots, serial);
        ASSERT_NE(after, nullptr);
        EXPECT_EQ(after->m_iHp <= 0, c.crushed) << c.dx << "," << c.dy << " type " << c.type;
        // The Machine stands where the meteor fell.
        EXPECT_EQ(page.m_Battle.State().m_lstRobots.back().Type(), machine);
        EXPECT_FLOAT_EQ(page.m_Battle.State().m_lstRobots.back().m_vPosition.x, tx);
    }
    // Of two robots in reach only the first in the list is hit.
    RuleState(page.m_Battle).m_lstRobots.clear();
    const int index = StartMeteorFlight(page.m_Battle, machine);
    const float tx = page.m_Battle.State().m_aMeteorFlights[index].to.x;
    const float ty = page.m_Battle.State().m_aMeteorFlights[index].to.y;
    CCom_GameRobot& first = Robot(page, 1, tx - 5.0f, ty);
    CCom_GameRobot& second = Robot(page, 1, tx + 5.0f, ty);
    for (int i = 0; i < 200 && MeteorsFalling(page.m_Battle); ++i) RunMeteorFlights(page.m_Battle);
    EXPECT_LE(first.m_iHp, 0);
    EXPECT_GT(second.m_iHp, 0);
}

TEST_F(BattleWorldTest, AFieldWithNoGroundInTheMiddleSendsTheMeteorsMachineInFromTheEdge) {
    CPageGame& page = Playing(141);
    for (int i = FIELD_ROWS; i < 7 * FIELD_ROWS; ++i) RuleState(page.m_Battle).m_aFieldCells[i].m_iStageKind = CELL_AIR;
    const int machine = page.m_Battle.State().m_aEnemyDefs[0].m_iType;
    StartMeteorFlight(page.m_Battle, machine);
    for (int i = 0; i < 3 && MeteorsFalling(page.m_Battle); ++i) RunMeteorFlights(page.m_Battle);
    EXPECT_FALSE(MeteorsFalling(page.m_Battle));
    ASSERT_EQ(page.m_Battle.State().m_lstRobots.size(), 1u);
    EXPECT_LT(page.m_Battle.State().m_lstRobots.back().m_vPosition.x, -500.0f);
}

TEST(StageBackdropTest, PicturesFollowTheStageAndTheOverride) {
    const struct {
        int stage, override;
        StageBackdrop want;
    } cases[] = {
        {1, -1, {1, 1, false}},   {2, -1, {1, 1, true}},    {21, -1, {3, 1, false}}, {22, -1, {3, 1, true}},
        {50, -1, {5, 5, true}},   {151, -1, {1, 5, false}}, {160, -1, {5, 5, true}}, {180, -1, {5, 5, true}},
        {109, -1, {1, 5, false}}, {3, 305, {3, 3, false}},  {3, 402, {4, 1, true}},
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
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Stage" + std::to_string(info.param);
                         });

}  // namespace
