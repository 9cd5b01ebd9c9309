#include "frontend/ShopRules.h"

#include <cstdio>

#include "content/Achievements.h"
#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/UnlockTables.h"

namespace {

struct LabRow {
    const char* name;
    int maxLevel;
    int prices[SHOP_PRICE_LEVELS];
};

const LabRow kLab[LAB_ITEMS] = {
    {"Slot Expansion", 5, {250, 750, 2000, 4000, 10000}},
    {"Life Booster", 8, {0, 100, 250, 750, 1250, 2500, 5500, 8750}},
    {"Energy Booster", 8, {0, 100, 250, 750, 1250, 2500, 5500, 8750}},
    {"Luck Booster", 8, {100, 200, 400, 800, 1600, 3200, 4800, 6400}},
    {"Advance Fusion", 5, {500, 1000, 2000, 4000, 8000}},
    {"Advance Production", 5, {750, 1500, 3000, 6000, 12000}},
    {"Hammer Bot Card", 1, {150}},
    {"Recycler Bot Card", 1, {350}},
    {"Mini-Magnet Card", 1, {500}},
    {"Factory Bot Card", 1, {1000}},
    {"Papa Fusor Card", 1, {1500}},
    {"Mama Factory Card", 1, {12000}},
    {"Machine Gun Weapon Card", 1, {15000}},
    {"Mortar Weapon Card", 1, {20000}},
    {"Cold Energy - Lv.", 1, {0}},
    {"Survival Kit : Mini-Mine", 1, {0}},
    {"Survival Kit : Mini-Bomber", 1, {0}},
    {"Survival Kit : Storm Bot", 1, {0}},
    {"Survival Kit : Hammer Bot", 1, {0}},
    {"Survival Kit : Atomic Bot", 1, {0}},
};

const char* const kFixedDescription[LAB_ITEMS] = {
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    "Smashes underground enemies.",
    "Can remove an enemy from the field\nand get random parts in return.",
    "Helps you to collect energy and metal\nparts.",
    "Generates metal parts to collect.",
    "Generates high powered energy.",
    "Generates high value metal parts.",
    "Makes Gunner Bot shoot a flurry of bullets.",
    "Makes Cannon Bot shoot Mini-Bombers instead of bullets.",
    nullptr,
    "Enable Mini-Mine Gold Card to use in Survival Mode.",
    "Enable Mini-Bomber Gold Card to use in Survival Mode.",
    "Enable Storm Bot Gold Card to use in Survival Mode.",
    "Enable Hammer Bot Gold Card to use in Survival Mode.",
    "Enable Atomic Bot Gold Card to use in Survival Mode.",
};

constexpr int kFirstCardItem = 6;
constexpr int kFirstCardRobot = 31;
constexpr int kLastCardItem = 13;
constexpr int kStageOrderLength = 180;

bool ValidItem(int item) { return item >= 0 && item < LAB_ITEMS; }

}  // namespace

int LabMaxLevel(int item) { return ValidItem(item) ? kLab[item].maxLevel : 1; }

void LabPriceRow(int item, int (&row)[SHOP_PRICE_LEVELS]) {
    for (int& v : row) v = 0;
    if (!ValidItem(item)) return;
    for (int i = 0; i < kLab[item].maxLevel; ++i) row[i] = kLab[item].prices[i];
}

int UpgradePrice(int robot) {
    static const int kPrices[UPGRADE_ROBOTS] = {
        2000,  500,  500,  1000, 500,  1500,  1500,  1500,  2500,  3500,  //  0 -  9
        1500,  1500, 1500, 3000, 2500, 3500,  1000,  1500,  2500,  3000,  // 10 - 19
        2000,  1500, 2500, 1500, 3500, 1500,  5000,  3500,  7500,  2000,  // 20 - 29
        10000, 2000, 3500, 1000, 3000, 15000, 20000, 45000, 50000, 1000,  // 30 - 39
    };
    return robot >= 0 && robot < UPGRADE_ROBOTS ? kPrices[robot] : 100;
}

std::string LabItemName(int item, int offered) {
    if (!ValidItem(item)) return "";
    if (item == 14) return std::string(kLab[item].name) + std::to_string(offered);
    return kLab[item].name;
}

std::string LabItemDescription(int item, int offered, int cardSlots) {
    const int L = offered;
    switch (item) {
    case 0: {
        int n = cardSlots + 1;
        n = n < 6 ? 6 : (n > 10 ? 10 : n);
        return "Increases maximum number of card slot\nto " + std::to_string(n) + " slots.";
    }
    case 1: return "Increases maximum Life Point to " + std::to_string(L + 2) + "\nhearts.";
    case 2: return "Increases initial Energy Point to " + std::to_string((L + 2) * 5) + "\npoints.";
    case 3: return "Increases chance of energy and parts dropping from dead enemy by " + std::to_string(L * 3) + "%.";
    case 4: return "Increases chance to generate energy at higher power by " + std::to_string(L * 3) + "%.";
    case 5: return "Increases chance to produce metal parts at higher value by " + std::to_string(L * 3) + "%.";
    case 14: return "Increase Energy limit to " + std::to_string((L + 5) * 20) + " points.\n(for Survival Mode only)";
    default: return ValidItem(item) && kFixedDescription[item] ? kFixedDescription[item] : "";
    }
}

int BoosterAchievement(int item) {
    switch (item) {
    case 1: return 1;
    case 2: return 0;
    case 3: return 2;
    default: return -1;
    }
}

namespace {

// One step of an achievement counted by purchases; the index when this step reaches the target.
int CountPurchase(SaveProfile& p, int achievement, int target) {
    int& progress = p.m_aiAchievementProgress[achievement];
    if (progress >= target) return -1;
    ++progress;
    return progress == target ? achievement : -1;
}

}  // namespace

bool ApplyLabPurchase(int item, int price, int& completed) {
    SaveProfile& p = g_CurrentProfile;
    completed = -1;
    if (!ValidItem(item)) return false;
    LabItemRecord& r = p.m_aLabItem[item];
    if (r.m_iBought >= r.m_iOffered || price < 0 || p.m_iMetalParts < price) return false;
    // A level past the top is sold to no one: the parts stay where they are.
    const LabRaisedValue raised = LabItemRaises(p, item);
    if (raised.value && *raised.value >= raised.top) return false;
    ++r.m_iBought;
    if (r.m_iOffered < kLab[item].maxLevel) ++r.m_iOffered;
    p.m_iMetalParts -= price;
    if (raised.value) ++*raised.value;
    else if (item >= kFirstCardItem && item <= kLastCardItem) UnlockRobot(kFirstCardRobot + item - kFirstCardItem);
    const int a = BoosterAchievement(item);
    if (a >= 0) completed = CountPurchase(p, a, BOOSTER_ACHIEVEMENT_TARGET);
    return true;
}

bool ApplyUpgradePurchase(int robot, int price, int& completed) {
    SaveProfile& p = g_CurrentProfile;
    completed = -1;
    if (robot < 0 || robot >= UPGRADE_ROBOTS) return false;
    RobotUpgradeRecord& r = p.m_aRobotUpgrade[robot];
    if (r.m_iLevel >= r.m_iAvailable || price < 0 || p.m_iMetalParts < price) return false;
    ++r.m_iLevel;
    // One level each: the available value never has to rise.
    if (r.m_iAvailable < 1) ++r.m_iAvailable;
    p.m_iMetalParts -= price;
    completed = CountPurchase(p, UPGRADE_ACHIEVEMENT, UPGRADE_ACHIEVEMENT_TARGET);
    return true;
}

std::vector<int> ListedUpgrades(const SaveProfile& p) {
    std::vector<int> collected;
    int s = 1;
    for (int step = 0; step < kStageOrderLength && s != p.m_iFurthestStage; ++step) {
        GetRobotUpgradeUnlocksForStage(collected, s);
        s = s <= 150 ? (s % 5 == 0 ? s / 5 + 150 : s + 1) : 5 * s - 749;
    }
    std::vector<int> listed;
    for (int robot : collected)
        if (robot >= 0 && robot < UPGRADE_ROBOTS && p.m_aRobotUpgrade[robot].m_iAvailable > 0) listed.push_back(robot);
    return listed;
}

std::vector<int> ListedLabItems(const SaveProfile& p) {
    std::vector<int> listed;
    for (int i = 0; i < LAB_ITEMS; ++i)
        if (p.m_aLabItem[i].m_iOffered > 0) listed.push_back(i);
    return listed;
}

float ShopListMaximum(int rows) { return rows <= 0 ? 0.0f : float((rows - 1) / 4) * SHOP_PAGE_HEIGHT; }

bool IsAchievementCompleteIn(const SaveProfile& p, int index) {
    const int target = GetAchievementTarget(index);
    const int v = p.m_aiAchievementProgress[index];
    const bool countsDown = index == 31 || index == 32 || index == 34;
    return countsDown ? v <= target : v >= target;
}

int CompleteAchievements(const SaveProfile& p) {
    int done = 0;
    for (int i = 0; i < PROFILE_ACHIEVEMENTS; ++i) done += IsAchievementCompleteIn(p, i) ? 1 : 0;
    return done;
}

float CompletionPercent(const SaveProfile& p) { return float(CompleteAchievements(p)) * 2.5f; }

std::string PercentText(float c) {
    char text[32];
    // Hundredths counted from whole quarters, so 32.5 reads 32.50 and never 32.49.
    const int whole = int(c);
    const int hundredths = int((c - float(whole)) * 100.0f + 0.001f);
    std::snprintf(text, sizeof text, "%d.%02d%%", whole, hundredths);
    return text;
}

std::string PlayTimeText(int seconds) {
    if (seconds < 0) seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 3600, seconds / 60 % 60);
    return text;
}

std::string WithThousands(int value) {
    std::string digits = std::to_string(value < 0 ? -(long long)value : (long long)value);
    for (int i = int(digits.size()) - 3; i > 0; i -= 3) digits.insert(size_t(i), ",");
    return value < 0 ? "-" + digits : digits;
}

int PriceFromRow(const int (&row)[SHOP_PRICE_LEVELS], int count) {
    const int level = count - 1;
    return level >= 0 && level < SHOP_PRICE_LEVELS ? row[level] : 0;
}
