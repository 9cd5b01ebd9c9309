
#include <set>

#include "tests/ContentFingerprint.h"
#include "tests/Harness.h"
#include "content/StageDefinition.h"
#include "content/UnlockTables.h"

using Unlocks = AchievementTest;

namespace {

uint8_t Met(int type) { return g_CurrentProfile.m_aEnemySeen[type - 1000].met; }

}  // namespace

// What each stage unlocks (robot, variant, features, lab items, upgrades,
// board title and text), pinned as checked against the designers' sheet.
TEST_F(Unlocks, TablesKeepTheirCheckedValues) {
    harness::Fingerprint f;
    for (int stage = 0; stage <= 181; ++stage) {
        f.Add(GetRobotUnlockedByStage(stage));
        const EnemyVariantRef v = GetEnemyVariantByStage(stage);
        f.Add(v.m_iType), f.Add(int(v.m_iKind));
        std::vector<int> lists[3];
        GetFeatureUnlocksForStage(stage, lists[0]);
        GetLabItemUnlocksForStage(stage, lists[1]);
        GetRobotUpgradeUnlocksForStage(lists[2], stage);
        for (const auto& list : lists) {
            f.Add(int(list.size()));
            for (int k : list) f.Add(k);
        }
        f.Text(GetStageUnlockTitle(stage));
        f.Text(GetStageUnlockText(stage));
    }
    for (int item = 0; item < 20; ++item) f.Text(GetLabItemName(item));
    EXPECT_EQ(f.Value(), 0x6822810d77fec91aull);
}

TEST_F(Unlocks, StagesGiveRobotsAndSlotsUpToFive) {
    g_CurrentProfile.m_abRobotUnlocked[0] = g_CurrentProfile.m_abRobotUnlocked[1] = 0;
    g_CurrentProfile.m_aiAchievementProgress[4] = 0;
    g_CurrentProfile.m_nCardSlots = 0;
    UnlockRobotsForStage(1);
    EXPECT_TRUE(g_CurrentProfile.m_abRobotUnlocked[0] && g_CurrentProfile.m_abRobotUnlocked[1]);
    EXPECT_EQ(g_CurrentProfile.m_nCardSlots, 2);
    UnlockRobotsForStage(2);
    EXPECT_TRUE(g_CurrentProfile.m_abRobotUnlocked[2] && g_CurrentProfile.m_abRobotNew[2]);
    EXPECT_EQ(g_CurrentProfile.m_nCardSlots, 3);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[4], 3);
    // The Remover adds no slot and is never flagged new.
    UnlockRobotsForStage(151);
    EXPECT_TRUE(g_CurrentProfile.m_abRobotUnlocked[39]);
    EXPECT_FALSE(g_CurrentProfile.m_abRobotNew[39]);
    EXPECT_EQ(g_CurrentProfile.m_nCardSlots, 3);
    for (int stage : {4, 6, 8, 10}) UnlockRobotsForStage(stage);
    EXPECT_EQ(g_CurrentProfile.m_nCardSlots, 5);
    // Slots bought beyond five are kept, by this stage and by stage 1.
    g_CurrentProfile.m_nCardSlots = 7;
    UnlockRobotsForStage(14);
    UnlockRobotsForStage(1);
    EXPECT_EQ(g_CurrentProfile.m_nCardSlots, 7);
}

TEST_F(Unlocks, UnlockingTwiceChangesNothing) {
    UnlockRobotsForStage(2);
    g_CurrentProfile.m_abRobotNew[2] = 0;  // announced in the meantime
    SaveProfile before = g_CurrentProfile;
    UnlockRobot(2);
    EXPECT_EQ(std::memcmp(&before, &g_CurrentProfile, sizeof before), 0);
    // Through the stage as well: the counter and the new flag stay.
    UnlockRobotsForStage(2);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[4], 3);
    EXPECT_FALSE(g_CurrentProfile.m_abRobotNew[2]);
}

TEST_F(Unlocks, CardRobotsCountAsBoughtHoweverTheyAreUnlocked) {
    for (int id = 31; id <= 38; ++id) {
        UnlockRobot(id);
        EXPECT_EQ(g_CurrentProfile.m_aLabItem[6 + id - 31].m_iBought, 1) << id;
    }
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[5].m_iBought, 0);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[14].m_iBought, 0);
    EXPECT_STREQ(GetLabItemName(6), "Hammer Bot Card");
    EXPECT_STREQ(GetLabItemName(13), "Mortar Weapon Card");
}

TEST_F(Unlocks, FortiethRobotCompletesKnowThyselfOnce) {
    for (int id = 2; id < 39; ++id) UnlockRobot(id);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[4], 39);
    EXPECT_TRUE(m_Board.All().empty());
    UnlockRobot(39);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[4], 40);
    EXPECT_EQ(m_Board.All(), std::vector<int>{4});
    // A counter that ran ahead of the unlocks does not climb past the target.
    g_CurrentProfile.m_abRobotUnlocked[5] = 0;
    UnlockRobot(5);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[4], 40);
    EXPECT_EQ(m_Board.All(), std::vector<int>{4});
}

TEST_F(Unlocks, FlyingSmasherStageMeetsSmasherAndGyrotorWithTheVariantByte) {
    g_CurrentProfile.m_aEnemySeen[0].met = 0;
    int before = g_CurrentProfile.m_aiAchievementProgress[5] = 0;
    StageDefinition def{};
    GetStageDefinition(52, def);
    std::set<int> types;
    for (int t : def.m_aiEnemyType)
        if (t >= 1000 && t != MACHINE_ROCKET) types.insert(t);
    types.insert(1000);
    types.insert(MACHINE_GYROTOR);

    AnnounceNewEnemiesForStage(52);
    EXPECT_EQ(Met(1000), 1);
    EXPECT_EQ(Met(MACHINE_GYROTOR), 1);
    EXPECT_EQ(g_CurrentProfile.m_aEnemySeen[0].variantMet[0], 1);
    EXPECT_EQ(g_CurrentProfile.m_aEnemySeen[0].variantMet[2], 0);
    // Each type is counted once, however often the stage lists it.
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[5], before + int(types.size()));

    int counted = g_CurrentProfile.m_aiAchievementProgress[5];
    AnnounceNewEnemiesForStage(52);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[5], counted);
}

TEST_F(Unlocks, RocketsAreNeverMetAndTheLastTypeCompletesTheCount) {
    // Stage 155 sends Fighter Subs and Rockets.
    const int before = g_CurrentProfile.m_aiAchievementProgress[5];
    AnnounceNewEnemiesForStage(155);
    EXPECT_EQ(Met(1011), 1);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[5], before + 1);

    for (int i = 0; i < 32; ++i) g_CurrentProfile.m_aEnemySeen[i].met = 1;
    g_CurrentProfile.m_aEnemySeen[1011 - 1000].met = 0;
    g_CurrentProfile.m_aiAchievementProgress[5] = 31;
    AnnounceNewEnemiesForStage(155);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[5], 32);
    EXPECT_EQ(m_Board.All(), std::vector<int>{5});
}

TEST_F(Unlocks, SwimmingVariantSetsItsOwnByteOnly) {
    AnnounceNewEnemiesForStage(82);
    EXPECT_EQ(g_CurrentProfile.m_aEnemySeen[14].variantMet[1], 1);
    EXPECT_EQ(g_CurrentProfile.m_aEnemySeen[14].variantMet[0], 0);
    EXPECT_EQ(Met(1014), 1);
    EXPECT_EQ(Met(MACHINE_GYROTOR), 0);
}

// What each stage offers is in the fingerprint; applying it sets only that,
// and never lowers what the profile already has.
TEST_F(Unlocks, ApplyingAStageSetsItsOffersAndNeverLowersThem) {
    ApplyFeatureUnlocks(170);
    EXPECT_TRUE(g_CurrentProfile.m_abFeatureUnlocked[FEATURE_THIRD_EPISODE]);
    EXPECT_FALSE(g_CurrentProfile.m_abFeatureUnlocked[FEATURE_SECOND_EPISODE]);
    ApplyLabItemUnlocks(8);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[3].m_iOffered, 1);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[0].m_iOffered, 1);
    g_CurrentProfile.m_aLabItem[0].m_iOffered = 4;
    ApplyLabItemUnlocks(8);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[0].m_iOffered, 4);
    ApplyLabItemUnlocks(71);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[13].m_iOffered, 1);
    EXPECT_EQ(g_CurrentProfile.m_aLabItem[13].m_iBought, 0);
    ApplyRobotUpgradeUnlocks(99);
    EXPECT_EQ(g_CurrentProfile.m_aRobotUpgrade[39].m_iAvailable, 1);
    g_CurrentProfile.m_aRobotUpgrade[1].m_iAvailable = 3;
    ApplyRobotUpgradeUnlocks(53);
    EXPECT_EQ(g_CurrentProfile.m_aRobotUpgrade[1].m_iAvailable, 3);
}

TEST_F(Unlocks, EnergyTubeStagesCountOnlyWhenTheyAreTheFurthest) {
    m_Link.Battle(164);
    g_CurrentProfile.m_iFurthestStage = 164;
    EXPECT_TRUE(IsFurthestEnergyTubeStage());
    g_CurrentProfile.m_iFurthestStage = 34;
    EXPECT_FALSE(IsFurthestEnergyTubeStage());
    m_Link.Battle(163);
    g_CurrentProfile.m_iFurthestStage = 163;
    EXPECT_FALSE(IsFurthestEnergyTubeStage());
}

TEST_F(Unlocks, UnlockBoardTextsFitTheBoard) {
    harness::FontProbe font;
    for (int stage = 1; stage <= 180; ++stage) {
        EXPECT_LT(font.Widest(GetStageUnlockTitle(stage), {0.7f, 7.0f, 0.5f, -1}), 560) << stage;
        if (const char* text = GetStageUnlockText(stage)) {
            EXPECT_LE(font.Lines(text, {0.6f, 5.0f, 0.65f, 560}), 5) << stage;
        }
    }
}
