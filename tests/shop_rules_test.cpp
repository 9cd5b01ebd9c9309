// The rules under the menu's shops and lists: what a purchase changes, the
// upgrades in the order of play, completion, and the credits roll's layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ContentFingerprint.h"
#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "frontend/CreditRoll.h"
#include "frontend/PageStory.h"
#include "frontend/ShopRules.h"
#include "game/GameSaveData.h"

namespace {

// The forty achievements as the list shows them: name, target and kind.
struct AchievementRow {
    const char* name;
    int target;
    AchievementKind kind;
};
const AchievementRow kAchievements[ACHIEVEMENT_COUNT] = {
    {"Supreme Energy", 8, ACHIEVEMENT_COUNTING},
    {"Complete Heart", 8, ACHIEVEMENT_COUNTING},
    {"Super Lucky", 8, ACHIEVEMENT_COUNTING},
    {"Mega Warehouse", 100000, ACHIEVEMENT_COUNTING},
    {"Know Thyself", 40, ACHIEVEMENT_COUNTING},
    {"Know Your Enemy", 32, ACHIEVEMENT_COUNTING},
    {"Bronze Trophy of Bravery", 1, ACHIEVEMENT_COUNTING},
    {"Silver Trophy of Courage", 1, ACHIEVEMENT_COUNTING},
    {"Gold Trophy of Heroism", 1, ACHIEVEMENT_COUNTING},
    {"Lieutenant", 100, ACHIEVEMENT_COUNTING},
    {"Colonel", 1000, ACHIEVEMENT_COUNTING},
    {"General", 2500, ACHIEVEMENT_COUNTING},
    {"Squadron Leader", 100, ACHIEVEMENT_COUNTING},
    {"Wing Commander", 1000, ACHIEVEMENT_COUNTING},
    {"Air Marshal", 2500, ACHIEVEMENT_COUNTING},
    {"Captain", 100, ACHIEVEMENT_COUNTING},
    {"Commodore", 1000, ACHIEVEMENT_COUNTING},
    {"Fleet Admiral", 2500, ACHIEVEMENT_COUNTING},
    {"Cold Steel", 50, ACHIEVEMENT_COUNTING},
    {"Burning Metal", 50, ACHIEVEMENT_COUNTING},
    {"Basic Security", 1000, ACHIEVEMENT_COUNTING},
    {"Advance Security", 3000, ACHIEVEMENT_COUNTING},
    {"Extreme Security", 7500, ACHIEVEMENT_COUNTING},
    {"Mole Buster", 100, ACHIEVEMENT_COUNTING},
    {"Hunter Spirit", 100, ACHIEVEMENT_COUNTING},
    {"Missile Mastery", 200, ACHIEVEMENT_COUNTING},
    {"Long Shot", 100, ACHIEVEMENT_COUNTING},
    {"Way of the Warrior", 300, ACHIEVEMENT_COUNTING},
    {"Handyman", 100, ACHIEVEMENT_COUNTING},
    {"My Personal Army", 2000, ACHIEVEMENT_COUNTING},
    {"Super Bomb", 10, ACHIEVEMENT_BEST_HIGH},
    {"One Touch", 1, ACHIEVEMENT_BEST_LOW},
    {"Empty Fuel", 0, ACHIEVEMENT_BEST_LOW},
    {"Scavenger", 2500, ACHIEVEMENT_BEST_HIGH},
    {"Keep Out!", 0, ACHIEVEMENT_BEST_LOW},
    {"Berserker", 100, ACHIEVEMENT_BEST_HIGH},
    {"Getting Crowded", 50, ACHIEVEMENT_BEST_HIGH},
    {"Robot Heart", 54000, ACHIEVEMENT_COUNTING},
    {"All-Stars", 450, ACHIEVEMENT_COUNTING},
    {"Team Ultimate", 40, ACHIEVEMENT_COUNTING},
};

class ShopRules : public ::testing::Test {
protected:
    void SetUp() override {
        saved = g_CurrentProfile;
        g_CurrentProfile = SaveProfile{};
        CGameSaveData().InitProfile(g_CurrentProfile);
    }
    void TearDown() override { g_CurrentProfile = saved; }
    SaveProfile saved;
};

TEST_F(ShopRules, ALabPurchaseChangesThePairThePartsAndTheItemsOwnField) {
    struct Row {
        const char* what;
        int item, bought, offered, parts, price;
        bool done;
        int boughtAfter, offeredAfter, partsAfter;
        int level = -1;  // the item's own field before, when not the new profile's
    };
    const Row rows[] = {
        {"a booster level", 1, 1, 2, 500, 100, true, 2, 3, 400},
        {"slot expansion", 0, 0, 1, 250, 250, true, 1, 2, 0},
        {"the last level keeps its offer", 4, 4, 5, 9000, 8000, true, 5, 5, 1000},
        {"a robot card", 6, 0, 1, 150, 150, true, 1, 1, 0},
        {"sold out", 3, 2, 2, 9999, 400, false, 2, 2, 9999},
        {"parts short", 3, 0, 1, 99, 100, false, 0, 1, 99},
        // A record that lags its level sells nothing past the top.
        {"Life Booster at 8", 1, 0, 1, 9999, 100, false, 0, 1, 9999, 8},
        {"Energy Booster at 8", 2, 0, 1, 9999, 100, false, 0, 1, 9999, 8},
        {"Luck Booster at 8", 3, 0, 1, 9999, 100, false, 0, 1, 9999, 8},
        {"Advance Fusion at 5", 4, 0, 1, 9999, 500, false, 0, 1, 9999, 5},
        {"Advance Production at 5", 5, 0, 1, 9999, 750, false, 0, 1, 9999, 5},
        {"ten card slots", 0, 0, 1, 9999, 250, false, 0, 1, 9999, 10},
        {"Life Booster at 7 takes its last", 1, 0, 1, 9999, 100, true, 1, 2, 9899, 7},
        {"nine card slots take the tenth", 0, 0, 1, 9999, 250, true, 1, 2, 9749, 9},
    };
    for (const Row& r : rows) {
        SetUp();
        SaveProfile& p = g_CurrentProfile;
        int32_t* const fieldOf[] = {&p.m_nCardSlots,   &p.m_iLifeBooster,   &p.m_iEnergyBooster,
                                    &p.m_iLuckBooster, &p.m_iAdvanceFusion, &p.m_iAdvanceProduction};
        if (r.level >= 0) *fieldOf[r.item] = r.level;
        p.m_aLabItem[r.item] = LabItemRecord{r.bought, r.offered};
        p.m_iMetalParts = r.parts;
        const int32_t was = r.item <= 5 ? *fieldOf[r.item] : 0;
        int completed = 0;
        EXPECT_EQ(ApplyLabPurchase(r.item, r.price, completed), r.done) << r.what;
        EXPECT_EQ(p.m_aLabItem[r.item].m_iBought, r.boughtAfter) << r.what;
        EXPECT_EQ(p.m_aLabItem[r.item].m_iOffered, r.offeredAfter) << r.what;
        EXPECT_EQ(p.m_iMetalParts, r.partsAfter) << r.what;
        EXPECT_EQ(completed, -1) << r.what;
        const int step = r.done ? 1 : 0;
        if (r.item <= 5) {
            EXPECT_EQ(*fieldOf[r.item] - was, step) << r.what;
        }
        if (r.item == 6) {
            EXPECT_EQ(p.m_abRobotUnlocked[31], 1) << "Hammer Bot";
        }
    }
}

TEST_F(ShopRules, EachBoosterCompletesItsAchievementOnceAtTheEighthLevel) {
    const int boosters[3][2] = {{2, 0}, {1, 1}, {3, 2}};  // item, achievement
    for (const auto& b : boosters) {
        SaveProfile& p = g_CurrentProfile;
        p.m_iMetalParts = 100000;
        p.m_aiAchievementProgress[b[1]] = 6;
        std::vector<int> completed;
        for (int n = 0; n < 3; ++n) {
            p.m_aLabItem[b[0]] = LabItemRecord{n, n + 1};
            int c = -1;
            ASSERT_TRUE(ApplyLabPurchase(b[0], 10, c));
            completed.push_back(c);
        }
        EXPECT_EQ(completed, (std::vector<int>{-1, b[1], -1})) << "item " << b[0];
        EXPECT_EQ(p.m_aiAchievementProgress[b[1]], 8);
    }
}

TEST_F(ShopRules, UpgradesAreListedInTheOrderTheirStagesArePlayed) {
    struct Row {
        int furthest;
        std::vector<int> available, listed;
    };
    const Row rows[] = {
        {53, {1, 2, 3}, {}},                                  // the furthest stage itself is not walked
        {54, {1, 2, 3}, {1}},    {58, {1, 2, 3}, {1, 2, 3}},  // robot 2's stage 161 follows stage 55
        {58, {2, 3}, {2, 3}},                                 // only those made available
        {180, {0, 36}, {0, 36}}, {0, {1, 2, 3}, {1, 2, 3}},   // outside the order: one walk of 180 steps
        {-7, {1}, {1}},          {100000, {39}, {39}},
    };
    for (const Row& r : rows) {
        SaveProfile& p = g_CurrentProfile;
        for (RobotUpgradeRecord& u : p.m_aRobotUpgrade) u = RobotUpgradeRecord{0, 0};
        for (int robot : r.available) p.m_aRobotUpgrade[robot].m_iAvailable = 1;
        p.m_iFurthestStage = r.furthest;
        EXPECT_EQ(ListedUpgrades(p), r.listed) << r.furthest;
    }
    EXPECT_EQ(ShopListMaximum(1), 0.0f);
    EXPECT_EQ(ShopListMaximum(4), 0.0f);
    EXPECT_EQ(ShopListMaximum(5), 672.0f);
    EXPECT_EQ(ShopListMaximum(40), 6048.0f);
}

TEST_F(ShopRules, AllFortyUpgradesCompleteTheirAchievementOnce) {
    SaveProfile& p = g_CurrentProfile;
    p.m_iMetalParts = 999990;
    int notices = 0, spent = 0;
    for (int r = 0; r < UPGRADE_ROBOTS; ++r) {
        p.m_aRobotUpgrade[r] = RobotUpgradeRecord{0, 1};
        int c = -1;
        ASSERT_TRUE(ApplyUpgradePurchase(r, UpgradePrice(r), c));
        spent += UpgradePrice(r);
        notices += c == UPGRADE_ACHIEVEMENT ? 1 : 0;
        EXPECT_EQ(p.m_aRobotUpgrade[r].m_iLevel, 1);
        int again = -1;
        EXPECT_FALSE(ApplyUpgradePurchase(r, 0, again)) << "bought once";
    }
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(p.m_aiAchievementProgress[UPGRADE_ACHIEVEMENT], UPGRADE_ACHIEVEMENT_TARGET);
    EXPECT_EQ(p.m_iMetalParts, 999990 - spent);
}

// Every robot's upgrade has a price of its own, in steps of 500 from 500 to
// 50000 (none keeps the 100 a row starts at); the cheapest and the dearest as
// the laboratory lists them.
TEST(LabPrices, EachRobotUpgradeHasItsPrice) {
    for (int robot = 0; robot < UPGRADE_ROBOTS; ++robot) {
        const int price = UpgradePrice(robot);
        EXPECT_TRUE(price >= 500 && price <= 50000 && price % 500 == 0) << "robot " << robot << ": " << price;
    }
    const struct {
        const char* rule;
        int robot, price;
    } rows[] = {
        {"the Gunner Bot is among the cheapest", 1, 500},
        {"the Fusor Bot", 0, 2000},
        {"the Machine Gunner", 37, 45000},
        {"the Mortar Bot, the dearest", 38, 50000},
        {"no robot", UPGRADE_ROBOTS, 100},
    };
    for (const auto& r : rows) EXPECT_EQ(UpgradePrice(r.robot), r.price) << r.rule;
}

TEST_F(ShopRules, CompletionCountsTheThreeCountdownsWhenTheyFallToTheirTarget) {
    SaveProfile& p = g_CurrentProfile;
    EXPECT_EQ(CompleteAchievements(p), 0) << "a new profile's countdowns start far above their targets";
    for (int i = 0; i < 13; ++i) p.m_aiAchievementProgress[i] = kAchievements[i].target;
    EXPECT_EQ(PercentText(CompletionPercent(p)), "32.50%");
    p.m_aiAchievementProgress[31] = kAchievements[31].target;
    p.m_aiAchievementProgress[32] = kAchievements[32].target - 1;
    EXPECT_EQ(PercentText(CompletionPercent(p)), "37.50%");
    for (int i = 0; i < 40; ++i) p.m_aiAchievementProgress[i] = kAchievements[i].target;
    EXPECT_EQ(PercentText(CompletionPercent(p)), "100.00%");
    EXPECT_EQ(PercentText(7.5f), "7.50%");
    EXPECT_EQ(PlayTimeText(3725), "1:02");
    EXPECT_EQ(WithThousands(12345), "12,345");
}

TEST(AchievementTable, EachOfTheFortyHasItsTargetAndKind) {
    for (int i = 0; i < ACHIEVEMENT_COUNT; ++i) {
        EXPECT_STREQ(GetAchievementName(i), kAchievements[i].name) << i;
        EXPECT_EQ(GetAchievementTarget(i), kAchievements[i].target) << kAchievements[i].name;
        EXPECT_EQ(GetAchievementKind(i), kAchievements[i].kind) << kAchievements[i].name;
    }
}

// Every item's name, maximum level and price row, and every robot's upgrade
// price, as the laboratory sheets were checked.
TEST(LabPrices, TablesKeepTheirCheckedValues) {
    harness::Fingerprint f;
    for (int item = 0; item < LAB_ITEMS; ++item) {
        f.Text(LabItemName(item, 1).c_str());
        f.Add(LabMaxLevel(item));
        int row[SHOP_PRICE_LEVELS];
        LabPriceRow(item, row);
        for (int price : row) f.Add(price);
    }
    for (int robot = 0; robot < UPGRADE_ROBOTS; ++robot) f.Add(UpgradePrice(robot));
    EXPECT_EQ(f.Value(), 0xefd80a87a878a827ull);
}

// Every laboratory item sells one to eight levels at prices that never fall,
// levels past its maximum priced 0, the next level's price the row's entry
// at (offered count - 1); a few items as the laboratory lists them.
TEST(LabPrices, EachItemHasItsMaximumLevelAndPriceRow) {
    for (int item = 0; item < LAB_ITEMS; ++item) {
        const int max = LabMaxLevel(item);
        EXPECT_TRUE(max >= 1 && max <= SHOP_PRICE_LEVELS) << "item " << item;
        int row[SHOP_PRICE_LEVELS];
        LabPriceRow(item, row);
        for (int level = 1; level < max; ++level) EXPECT_GE(row[level], row[level - 1]) << "item " << item;
        for (int level = max; level < SHOP_PRICE_LEVELS; ++level) EXPECT_EQ(row[level], 0) << "item " << item;
        for (int offered = 1; offered <= max; ++offered)
            EXPECT_EQ(PriceFromRow(row, offered), row[offered - 1]) << "item " << item << " offered " << offered;
    }
    const struct {
        const char* rule;
        int item, maxLevel, level, price;  // the price of that level (1 first)
    } rows[] = {
        {"Slot Expansion's first level", 0, 5, 1, 250},
        {"Slot Expansion's last level", 0, 5, 5, 10000},
        {"the Life Booster's first level is free", 1, 8, 1, 0},
        {"the Luck Booster's last level", 3, 8, 8, 6400},
        {"the Mortar Weapon Card", 13, 1, 1, 20000},
        {"a survival kit is free", 19, 1, 1, 0},
    };
    for (const auto& r : rows) {
        int row[SHOP_PRICE_LEVELS];
        LabPriceRow(r.item, row);
        EXPECT_EQ(LabMaxLevel(r.item), r.maxLevel) << r.rule;
        EXPECT_EQ(row[r.level - 1], r.price) << r.rule;
    }
}

// Prices, parts and profile totals are written with a comma between thousands.
TEST(LabPrices, AmountsAreWrittenWithACommaBetweenThousands) {
    const struct {
        int value;
        const char* text;
    } rows[] = {
        {0, "0"}, {999, "999"}, {1000, "1,000"}, {12000, "12,000"}, {123456, "123,456"}, {1234567, "1,234,567"},
    };
    for (const auto& r : rows) EXPECT_EQ(WithThousands(r.value), r.text) << r.value;
}

// The credits' lines: each style steps down by its own height, a gap flag
// adds 60 and "Developed" 180 more.
TEST(CreditLines, EachLineStandsWhereItsStyleAndGapPutIt) {
    const std::vector<CreditLine> lines = CreditLines();
    ASSERT_EQ(lines.size(), size_t(CREDIT_LINE_COUNT));
    const std::vector<float> ys = CreditLineYs(lines);
    const struct {
        int index;
        const char* text;  // nullptr: a name
        int style;
        float y;
    } rows[] = {
        {0, "Cogsquall", CREDIT_TITLE, -60.0f},
        {1, "- Version -", CREDIT_TITLE, -120.0f},
        {2, "1.0.0.5", CREDIT_TITLE, -180.0f},
        {3, "Developed", CREDIT_TITLE, -480.0f},
        {4, "by", CREDIT_TITLE, -540.0f},
        {5, "Orvendale Studio", CREDIT_TITLE, -600.0f},
        {6, "- Producer and Game Design -", CREDIT_HEADING, -710.0f},
        {7, nullptr, CREDIT_NAME, -750.0f},
        {44, nullptr, CREDIT_NAME, -3000.0f},
    };
    for (const auto& r : rows) {
        const CreditLine& line = lines[size_t(r.index)];
        if (r.text) {
            EXPECT_EQ(line.m_strText, r.text) << "line " << r.index + 1;
        }
        EXPECT_EQ(line.m_iStyle, r.style) << "line " << r.index + 1;
        EXPECT_FLOAT_EQ(ys[size_t(r.index)], r.y) << "line " << r.index + 1;
    }
    const float steps[] = {60.0f, 50.0f, 40.0f};
    for (int style = 0; style < 3; ++style) EXPECT_FLOAT_EQ(CreditStep(style), steps[style]) << "style " << style;
}

}  // namespace
