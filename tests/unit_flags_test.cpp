// The unit facts and stage rules the battle asks by name: each holds for
// exactly the ids listed and for no other unit or stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"

namespace {

using namespace RobotId;
using namespace MachineId;

std::vector<int> AllUnitIds() {
    std::vector<int> ids;
    for (int id = 0; id < ROBOT_TYPES; ++id) ids.push_back(id);
    for (int id = FIRST_MACHINE_TYPE; id <= LAST_MACHINE_TYPE; ++id) ids.push_back(id);
    return ids;
}

void ExpectExactly(UnitFlag flag, const std::vector<int>& holders) {
    for (int id : AllUnitIds()) {
        const bool listed = std::find(holders.begin(), holders.end(), id) != holders.end();
        EXPECT_EQ(UnitHas(id, flag), listed) << "unit " << id;
    }
    EXPECT_FALSE(UnitHas(-1, flag));
    EXPECT_FALSE(UnitHas(LAST_MACHINE_TYPE + 1, flag));
}

void ExpectStages(const std::function<bool(int)>& rule, const std::vector<int>& stages) {
    for (int stage = 1; stage <= LAST_STAGE; ++stage) {
        const bool listed = std::find(stages.begin(), stages.end(), stage) != stages.end();
        EXPECT_EQ(rule(stage), listed) << "stage " << stage;
    }
}

}  // namespace

TEST(UnitFlags, TheDestroyersAreTheBosses) { ExpectExactly(UNIT_BOSS, {Destroyer, DestroyerZero}); }
TEST(UnitFlags, GiantAndTitanStandTall) { ExpectExactly(UNIT_TALL, {Giant, Titan}); }
TEST(UnitFlags, HeavyMachinesHaveTheirWeightCapped) {
    ExpectExactly(UNIT_HEAVY, {KillerWhale, MarineStriker, Giant, Titan});
}
TEST(UnitFlags, DrillerAndMoleBurrow) { ExpectExactly(UNIT_BURROWS, {Driller, Mole}); }
TEST(UnitFlags, BombsCagesAndRocketsAreNoKill) { ExpectExactly(UNIT_NOT_A_KILL, {TimeBomb, CapsuleCage, Rocket}); }
TEST(UnitFlags, BossesAndNoKillsDropNothing) {
    ExpectExactly(UNIT_NO_DROP, {TimeBomb, CapsuleCage, Rocket, Destroyer, DestroyerZero});
}
TEST(UnitFlags, StrikeCardsStackFreely) {
    ExpectExactly(UNIT_STACKS_FREELY, {MiniBomber, AtomicBot, HammerBot, RecyclerBot});
}
TEST(UnitFlags, OneShotRobotsAreSpentNotLost) {
    ExpectExactly(UNIT_SPENT_NOT_LOST, {MiniMine, MiniBomber, StormBot, AtomicBot, HammerBot, RecyclerBot});
}
TEST(UnitFlags, HeatAndFreezeRobotsStayOutOfDeepWater) {
    ExpectExactly(UNIT_NO_DEEP_WATER, {FreezerBot, FlameBot, PlasmaBot});
}

TEST(UnitFlags, TimeBombsAndCagesAreDrawnLast) { ExpectExactly(UNIT_DRAWN_LAST, {TimeBomb, CapsuleCage}); }

TEST(StageRules, EachEpisodeEndsWithABossStage) { ExpectStages(IsEpisodeFinalBossStage, {160, 170, 180}); }
TEST(StageRules, TheDestroyerStagesNameTheirBoss) {
    for (int stage = 1; stage <= LAST_STAGE; ++stage) {
        const int expected = stage == 180                                     ? DestroyerZero
                             : (stage == 160 || stage == 170 || stage == 171) ? Destroyer
                                                                              : 0;
        EXPECT_EQ(StageBossType(stage), expected) << "stage " << stage;
    }
}
TEST(StageRules, SlotMachinesDealByReels) { ExpectStages(IsSlotMachineStage, {159, 165, 169, 176, 178}); }
TEST(StageRules, SlotMachinesAndStage175KeepTheCardCharge) {
    ExpectStages(StageKeepsCardCharge, {159, 165, 169, 175, 176, 178});
}
TEST(StageRules, WhalesDuelInThreeStages) { ExpectStages(IsWhaleDuelStage, {156, 166, 174}); }
TEST(StageRules, ChargeShotsInTwoStages) { ExpectStages(IsChargeShotStage, {164, 179}); }
TEST(StageRules, TheFinalsAnd174AreFoughtFromBases) { ExpectStages(IsBaseDuelStage, {160, 170, 174, 180}); }
TEST(StageRules, RobotsJumpInTwoStages) { ExpectStages(IsJumpStage, {157, 167}); }
