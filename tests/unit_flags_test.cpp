// The unit facts and stage rules the battle asks by name: each holds for
// exactly the ids listed and for no other unit or stage.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "content/MiniGameTable.h"
#include "content/StageNumbering.h"
#include "content/StageRules.h"
#include "content/UnlockTables.h"
#include "content/UnitDefinition.h"
#include "content/UnitIds.h"
#include "tests/AllUnits.h"

namespace unit_flags_test {

using RobotId::AtomicBot, RobotId::FlameBot, RobotId::FreezerBot, RobotId::HammerBot, RobotId::MiniBomber,
    RobotId::MiniMine, RobotId::PlasmaBot, RobotId::RecyclerBot, RobotId::StormBot, MachineId::CapsuleCage,
    MachineId::Destroyer, MachineId::DestroyerZero, MachineId::Driller, MachineId::Giant, MachineId::KillerWhale,
    MachineId::MarineStriker, MachineId::Mole, MachineId::Rocket, MachineId::TimeBomb, MachineId::Titan;

namespace {

void ExpectExactly(UnitFlag flag, const std::vector<int>& holders) {
    for (int id : AllUnits()) {
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
        EXPECT_EQ(MiniGameRowOf(stage).destroyer, expected) << "stage " << stage;
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

// Every stage has one kind; each row names all the stages of its kind.
TEST(StageRules, EachStageIsOfOneKind) {
    struct Row {
        const char* name;
        StageKind kind;
        std::vector<int> stages;
    };
    const Row rows[] = {
        {"advance rounds", StageKind::AdvanceRounds, {151}},
        {"aimed shooting", StageKind::AimedShooting, {152, 162}},
        {"steering", StageKind::Steering, {154, 155, 156, 163, 166, 171, 174}},
        {"jumping", StageKind::Jumping, {157, 167}},
        {"relocation", StageKind::Relocation, {153, 158, 160, 170, 172, 173, 180}},
        {"slot machine", StageKind::SlotMachine, {159, 165, 169, 176, 178}},
        {"charge shot", StageKind::ChargeShot, {164, 179}},
        {"click zapping", StageKind::ClickZapping, {168}},
        {"capsule rain", StageKind::CapsuleRain, {161}},
        {"conveyor catch", StageKind::ConveyorCatch, {177}},
        {"fast Machines", StageKind::FastMachines, {175}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectStages([&](int stage) { return KindOf(stage) == row.kind; }, row.stages);
    }
    std::vector<int> battles, miniGames;
    for (int stage = 1; stage <= LAST_STAGE; ++stage) (stage <= 150 ? battles : miniGames).push_back(stage);
    ExpectStages([](int stage) { return KindOf(stage) == StageKind::Battle; }, battles);
    ExpectStages(IsMiniGameStage, miniGames);
    for (int outside : {0, -1, LAST_STAGE + 1}) {
        EXPECT_EQ(KindOf(outside), StageKind::Battle) << outside;
        EXPECT_EQ(ModeOf(outside), MiniGameMode::None) << outside;
    }
}

// The modes: the stages whose rules go beyond their kind's.
TEST(StageRules, MiniGamesWithRulesOfTheirOwnNameTheirMode) {
    struct Row {
        const char* name;
        MiniGameMode mode;
        std::vector<int> stages;
    };
    const Row rows[] = {
        {"a capsule at a third", MiniGameMode::ShotCapsule, {162}},
        {"capsule supply", MiniGameMode::CapsuleSupply, {154}},
        {"both sides", MiniGameMode::BothSides, {155}},
        {"boss duel", MiniGameMode::BossDuel, {156, 166}},
        {"base duel", MiniGameMode::BaseDuel, {174}},
        {"floating boss", MiniGameMode::FloatingBoss, {163}},
        {"bomb run", MiniGameMode::BombRun, {171}},
        {"swim", MiniGameMode::Swim, {157}},
        {"climb", MiniGameMode::Climb, {167}},
        {"sequence game", MiniGameMode::SequenceGame, {158}},
        {"final boss", MiniGameMode::FinalBoss, {160, 170, 180}},
        {"energy goal", MiniGameMode::EnergyGoal, {172}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectStages([&](int stage) { return ModeOf(stage) == row.mode; }, row.stages);
    }
}
TEST(StageRules, ParatroopersFallOnTheBombRunAndTheConveyor) { ExpectStages(HasParatroopers, {171, 177}); }
TEST(StageRules, RelocatedRobotsCoolDownOnFiveStages) {
    ExpectStages([](int stage) { return MiniGameRowOf(stage).relocationCooldown; }, {153, 158, 160, 170, 180});
}
TEST(StageRules, MachinesComeByMeteorOn169) {
    ExpectStages([](int stage) { return MiniGameRowOf(stage).meteorArrivals; }, {169});
}
TEST(StageRules, JetStreamsBlowInTheFourthAreaOfTheThirdEpisode) {
    ExpectStages([](int stage) { return WeatherOf(stage) == StageWeather::JetStreams; },
                 {131, 132, 133, 134, 135, 136, 137, 138, 139, 140, 177, 178});
    EXPECT_EQ(WeatherOf(101), StageWeather::AcidRain);
    EXPECT_EQ(WeatherOf(171), StageWeather::AcidRain);
    EXPECT_EQ(WeatherOf(121), StageWeather::Whirlpools);
    EXPECT_EQ(WeatherOf(141), StageWeather::None);
    EXPECT_EQ(WeatherOf(31), StageWeather::None) << "no weather before the third episode";
}
TEST(StageRules, FourMiniGamesRestoreAnEnergyTube) { ExpectStages(RestoresEnergyTube, {162, 164, 166, 168}); }

}  // namespace unit_flags_test
