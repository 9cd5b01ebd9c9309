#pragma once
// The rules of the menu's shops and lists as plain functions of a profile:
// laboratory prices and texts, what one purchase changes, the upgrades in the
// order their stages are played, and the share of achievements complete.
#include <string>
#include <vector>

struct SaveProfile;

constexpr int LAB_ITEMS = 20;
constexpr int UPGRADE_ROBOTS = 40;
constexpr int SHOP_PRICE_LEVELS = 8;
// A list page: four rows of 168.
constexpr float SHOP_ROW_HEIGHT = 168.0f;
constexpr float SHOP_PAGE_HEIGHT = 672.0f;
// Laboratory items whose purchase counts towards an achievement, and that achievement.
constexpr int BOOSTER_ACHIEVEMENT_TARGET = 8;
constexpr int UPGRADE_ACHIEVEMENT = 39;
constexpr int UPGRADE_ACHIEVEMENT_TARGET = 40;

// Maximum level and price row of item (0 to 19); entries past the maximum are 0.
int LabMaxLevel(int item);
void LabPriceRow(int item, int (&row)[SHOP_PRICE_LEVELS]);
// Price of the next level from a price row: row[count - 1], 0 past the row.
int PriceFromRow(const int (&row)[SHOP_PRICE_LEVELS], int count);
// Price of the upgrade of robot (0 to 39).
int UpgradePrice(int robot);
// The list texts of an item; offered is the item's offered count.
std::string LabItemName(int item, int offered);
std::string LabItemDescription(int item, int offered, int cardSlots);
// The achievement a booster item counts towards; -1 for the others.
int BoosterAchievement(int item);

// One bought level of item at price in the live profile: the pair, the parts
// and the item's own effect. completed is the achievement this purchase
// completes, or -1; false (nothing changed) when the item is sold out or the
// parts do not cover the price.
bool ApplyLabPurchase(int item, int price, int& completed);
bool ApplyUpgradePurchase(int robot, int price, int& completed);

// Robots whose upgrade the stages before the furthest one have made
// available, in the order those stages are played. The walk takes at most
// 180 steps, so a furthest stage outside the order ends it too.
std::vector<int> ListedUpgrades(const SaveProfile& p);
// Ids 0 to 19 whose offered count is above 0.
std::vector<int> ListedLabItems(const SaveProfile& p);
// The list's last page start for n rows: whole pages of four.
float ShopListMaximum(int rows);

// An achievement counts as complete when its progress reaches its target
// (falls to it, for the three that count down).
bool IsAchievementCompleteIn(const SaveProfile& p, int index);
int CompleteAchievements(const SaveProfile& p);
// The share complete in percent; "45.07%" as the screens write it.
float CompletionPercent(const SaveProfile& p);
std::string PercentText(float c);
// "1:02" for 3725 seconds.
std::string PlayTimeText(int seconds);
// 12345 as "12,345".
std::string WithThousands(int value);
