// What a picked-up item pays out when its flight reaches the panel, on a bare
// battle (an empty scene, no page): energy, metal parts, the battle's count
// of parts and the achievements the parts count toward, with their caps.
#include <gtest/gtest.h>

#include "battle/model/BattleModel.h"
#include "battle/model/BattleRules.h"
#include "battle/model/ItemPayout.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "content/SaveProfile.h"
#include "tests/BareModel.h"

namespace {

class ItemPayout : public ::testing::Test, public BareModel {};

TEST_F(ItemPayout, EachItemKindPaysItsCreditWhereItBelongs) {
    const struct {
        int kind;
        int energy, parts;  // added to the battle's energy, to the profile's and battle's parts
    } rows[] = {
        {ITEM_ENERGY_0, 5, 0},
        {ITEM_ENERGY_0 + 1, 10, 0},
        {ITEM_ENERGY_0 + 2, 20, 0},
        {ITEM_ENERGY_0 + 3, 40, 0},
        {ITEM_PARTS_0, 0, 10},
        {ITEM_PARTS_0 + 1, 0, 50},
        {ITEM_PARTS_0 + 2, 0, 250},
        {ITEM_PARTS_0 + 3, 0, 1000},
        {ITEM_CAPSULE, 0, 0},
        {ITEM_PRODUCED, 0, 0},
        {-1, 0, 0},
    };
    for (const auto& r : rows) {
        RuleState(model).m_iEnergy = 100;
        RuleState(model).m_iPartsCollected = 30;
        profile.m_iMetalParts = 700;
        PayOutItem(model, r.kind, VxVec3{});
        EXPECT_EQ(model.State().m_iEnergy, 100 + r.energy) << "kind " << r.kind;
        EXPECT_EQ(profile.m_iMetalParts, 700 + r.parts) << "kind " << r.kind;
        EXPECT_EQ(model.State().m_iPartsCollected, 30 + r.parts) << "kind " << r.kind;
        EXPECT_EQ(ItemCredit(r.kind), r.energy + r.parts) << "kind " << r.kind;
    }
}

TEST_F(ItemPayout, EnergyAndTheProfilesPartsStopAtTheirCaps) {
    const struct {
        int kind;
        int energy, parts;  // before
        int energyAfter, partsAfter;
    } rows[] = {
        {ITEM_ENERGY_0 + 3, ENERGY_CAP - 40, 0, ENERGY_CAP, 0},
        {ITEM_ENERGY_0 + 3, ENERGY_CAP - 39, 0, ENERGY_CAP, 0},
        {ITEM_ENERGY_0, ENERGY_CAP + 50, 0, ENERGY_CAP, 0},  // a collection of any kind pulls it back
        {ITEM_PARTS_0, ENERGY_CAP + 50, 0, ENERGY_CAP, 10},
        {ITEM_PARTS_0 + 1, 0, METAL_PARTS_CAP - 51, 0, METAL_PARTS_CAP - 1},
        {ITEM_PARTS_0 + 1, 0, METAL_PARTS_CAP - 50, 0, METAL_PARTS_CAP},
        {ITEM_PARTS_0 + 3, 0, METAL_PARTS_CAP - 10, 0, METAL_PARTS_CAP},
    };
    for (const auto& r : rows) {
        RuleState(model).m_iEnergy = r.energy;
        profile.m_iMetalParts = r.parts;
        PayOutItem(model, r.kind, VxVec3{});
        EXPECT_EQ(model.State().m_iEnergy, r.energyAfter) << "kind " << r.kind << " from " << r.energy;
        EXPECT_EQ(profile.m_iMetalParts, r.partsAfter) << "kind " << r.kind << " from " << r.parts;
    }
}

// Parts count toward the profile's running total (achievement 3) and the
// best haul of one battle (achievement 33); energy toward neither.
TEST_F(ItemPayout, PartsCountTowardTheTotalAndTheBattlesBestHaul) {
    // Paid to the profile the battle is played for, never to the live one.
    const SaveProfile live = g_CurrentProfile;
    int* progress = profile.m_aiAchievementProgress;
    const struct {
        int kind;
        int total, best;  // progress after, payouts run in order
    } rows[] = {
        {ITEM_PARTS_0 + 2, 250, 250},
        {ITEM_ENERGY_0 + 3, 250, 250},
        {ITEM_PARTS_0 + 1, 300, 300},
    };
    for (const auto& r : rows) {
        PayOutItem(model, r.kind, VxVec3{});
        EXPECT_EQ(progress[3], r.total) << "kind " << r.kind;
        EXPECT_EQ(progress[33], r.best) << "kind " << r.kind;
    }
    // A new battle's count starts lower: the best haul stays.
    RuleState(model).m_iPartsCollected = 0;
    PayOutItem(model, ITEM_PARTS_0, VxVec3{});
    EXPECT_EQ(progress[3], 310);
    EXPECT_EQ(progress[33], 300);
    EXPECT_EQ(g_CurrentProfile.m_iMetalParts, live.m_iMetalParts);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[3], live.m_aiAchievementProgress[3]);
    EXPECT_EQ(g_CurrentProfile.m_aiAchievementProgress[33], live.m_aiAchievementProgress[33]);
}

TEST_F(ItemPayout, ACapsuleOffTheCapsuleStagesBringsNoRobot) {
    ASSERT_EQ(model.StageNumber(), 1);
    PayOutItem(model, ITEM_CAPSULE, VxVec3{10.0f, 20.0f, 0.0f});
    EXPECT_TRUE(model.State().m_lstRobots.empty());
    const VxVec3 landing = CapsuleLandingPoint(model);
    EXPECT_EQ(landing.x, 0.0f);
    EXPECT_EQ(landing.y, 0.0f);
}

}  // namespace
