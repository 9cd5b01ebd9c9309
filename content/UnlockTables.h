#pragma once
// What clearing a stage makes available (robot cards and card slots,
// laboratory items, robot upgrades, menu features, Machine types and variants
// met), and the profile appliers that record it in g_CurrentProfile. Main
// thread; saving is the caller's business.
#include <vector>

#include "content/UnitIds.h"

struct SaveProfile;

// Indices of SaveProfile::m_abFeatureUnlocked.
enum GameFeature {
    FEATURE_LABORATORY = 0,
    FEATURE_ROBOPEDIA = 1,
    FEATURE_DIFFICULTY = 2,
    FEATURE_ACHIEVEMENTS = 3,
    FEATURE_MINI_GAMES = 4,
    FEATURE_ADVANCED_LABORATORY = 5,
    FEATURE_SECOND_EPISODE = 6,
    FEATURE_THIRD_EPISODE = 7,
};

enum EnemyVariant {
    VARIANT_NONE = 0,
    VARIANT_FLYING = 1,  // carried by a Gyrotor
    VARIANT_SWIMMING = 2,
    VARIANT_ZETA = 3,
    VARIANT_OMEGA = 4,
};

// A Machine variant a stage introduces; {VARIANT_NONE, -1} for none.
struct EnemyVariantRef {
    int m_iKind;
    int m_iType;
};

constexpr int ROBOT_REMOVER = RobotId::RemoverBot;
constexpr int MACHINE_GYROTOR = MachineId::Gyrotor;
constexpr int MACHINE_ROCKET = MachineId::Rocket;
constexpr int MAX_CARD_SLOTS_BY_UNLOCK = 5;
constexpr int LAB_ITEM_COUNT = 20;

int GetRobotUnlockedByStage(int stage);
void UnlockRobotsForStage(int stage);
void UnlockRobot(int robotId);

EnemyVariantRef GetEnemyVariantByStage(int stage);
// Marks the stage's Machine types and its variant as met and counts the newly
// met types towards achievement 5.
void AnnounceNewEnemiesForStage(int stage);
// Marks one Machine type met in the profile (a boss that enters mid-battle):
// counted once toward the Machines achievement.
void MeetMachine(SaveProfile& profile, int type);

void GetFeatureUnlocksForStage(int stage, std::vector<int>& flags);
void ApplyFeatureUnlocks(int stage);
void GetLabItemUnlocksForStage(int stage, std::vector<int>& items);
void ApplyLabItemUnlocks(int stage);
void GetRobotUpgradeUnlocksForStage(std::vector<int>& robots, int stage);
void ApplyRobotUpgradeUnlocks(int stage);
// The same lookups with the list first, as the battle and menu code call them.
inline void GetFeatureUnlocksForStage(std::vector<int>& flags, int stage) { GetFeatureUnlocksForStage(stage, flags); }
inline void GetLabItemUnlocksForStage(std::vector<int>& items, int stage) { GetLabItemUnlocksForStage(stage, items); }

// The stage in play is the furthest reached and restores an energy tube.
bool IsFurthestEnergyTubeStage();
// The four mini-games whose first win restores an energy tube.
bool RestoresEnergyTube(int stage);

// Items 0 to 19.
const char* GetLabItemName(int item);
// Title of the end-of-stage unlock board; never null.
const char* GetStageUnlockTitle(int stage);
// Its body text, or null.
const char* GetStageUnlockText(int stage);
