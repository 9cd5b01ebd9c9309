#pragma once
// One player's progress, stored byte for byte in the save file. Every
// subsystem reads and writes the live copy g_CurrentProfile directly.
#include <cstddef>
#include <cstdint>

#include "engine/VxSaveData.h"

// One laboratory item: how many levels were bought and how many are offered.
struct LabItemRecord {
    int32_t m_iBought;
    int32_t m_iOffered;
};

// Laboratory upgrade of one robot: level 0 until bought, then 1.
struct RobotUpgradeRecord {
    int32_t m_iLevel;
    int32_t m_iAvailable;
};

// Machine type 1000 + i: met in battle, and variant v (1 to 4) met at [v - 1].
struct EnemySeenRecord {
    uint8_t met;
    uint8_t variantMet[4];
};

constexpr int PROFILE_NAME_SIZE = 9;
constexpr int PROFILE_STAGE_STARS = 150;
constexpr int PROFILE_STORIES = 3;
constexpr int PROFILE_HINTS = 8;
constexpr int PROFILE_ROBOTS = 40;
constexpr int PROFILE_ACHIEVEMENTS = 40;
constexpr int PROFILE_LAB_ITEMS = 20;
constexpr int PROFILE_FEATURES = 8;
constexpr int PROFILE_ENEMY_TYPES = 32;
constexpr int PROFILE_DECK_CARDS = 10;
constexpr int PROFILE_RESERVED = 100;

// The record is moved to and from disk as raw bytes, so the layout is fixed.
// Byte flags are uint8_t: a file may hold any byte value there.
struct SaveProfile {
    char m_szName[PROFILE_NAME_SIZE];
    uint8_t m_abPadding0[3];
    int32_t m_iFurthestStage;
    int32_t m_aiStageStars[PROFILE_STAGE_STARS];
    int32_t m_iMetalParts;
    uint8_t m_abStorySeen[PROFILE_STORIES];
    uint8_t m_abHintShown[PROFILE_HINTS];
    uint8_t m_bPadding1;
    int32_t m_iLifeBooster;
    int32_t m_iEnergyBooster;
    int32_t m_iLuckBooster;
    int32_t m_iAdvanceFusion;
    int32_t m_iAdvanceProduction;
    int32_t m_iBattleStartLevel;
    int32_t m_nCardSlots;
    int32_t m_iDifficulty;
    uint8_t m_abRobotUnlocked[PROFILE_ROBOTS];
    uint8_t m_abRobotNew[PROFILE_ROBOTS];
    int32_t m_aiAchievementProgress[PROFILE_ACHIEVEMENTS];
    LabItemRecord m_aLabItem[PROFILE_LAB_ITEMS];
    RobotUpgradeRecord m_aRobotUpgrade[PROFILE_ROBOTS];
    uint8_t m_abFeatureUnlocked[PROFILE_FEATURES];
    EnemySeenRecord m_aEnemySeen[PROFILE_ENEMY_TYPES];
    int32_t m_aiLastDeck[PROFILE_DECK_CARDS];
    uint8_t m_abReserved[PROFILE_RESERVED];
};

static_assert(sizeof(LabItemRecord) == 8, "lab item record is two words");
static_assert(sizeof(RobotUpgradeRecord) == 8, "robot upgrade record is two words");
static_assert(sizeof(EnemySeenRecord) == 5, "enemy record is five bytes");

static_assert(sizeof(SaveProfile) == 1692, "profile record is 1692 bytes on disk");
static_assert(sizeof(SaveProfile) == CVxSaveData::PROFILE_SIZE, "save layer moves whole records");
static_assert(offsetof(SaveProfile, m_szName) == 0, "layout");
static_assert(offsetof(SaveProfile, m_abPadding0) == 9, "layout");
static_assert(offsetof(SaveProfile, m_iFurthestStage) == 12, "layout");
static_assert(offsetof(SaveProfile, m_aiStageStars) == 16, "layout");
static_assert(offsetof(SaveProfile, m_iMetalParts) == 616, "layout");
static_assert(offsetof(SaveProfile, m_abStorySeen) == 620, "layout");
static_assert(offsetof(SaveProfile, m_abHintShown) == 623, "layout");
static_assert(offsetof(SaveProfile, m_bPadding1) == 631, "layout");
static_assert(offsetof(SaveProfile, m_iLifeBooster) == 632, "layout");
static_assert(offsetof(SaveProfile, m_iEnergyBooster) == 636, "layout");
static_assert(offsetof(SaveProfile, m_iLuckBooster) == 640, "layout");
static_assert(offsetof(SaveProfile, m_iAdvanceFusion) == 644, "layout");
static_assert(offsetof(SaveProfile, m_iAdvanceProduction) == 648, "layout");
static_assert(offsetof(SaveProfile, m_iBattleStartLevel) == 652, "layout");
static_assert(offsetof(SaveProfile, m_nCardSlots) == 656, "layout");
static_assert(offsetof(SaveProfile, m_iDifficulty) == 660, "layout");
static_assert(offsetof(SaveProfile, m_abRobotUnlocked) == 664, "layout");
static_assert(offsetof(SaveProfile, m_abRobotNew) == 704, "layout");
static_assert(offsetof(SaveProfile, m_aiAchievementProgress) == 744, "layout");
static_assert(offsetof(SaveProfile, m_aLabItem) == 904, "layout");
static_assert(offsetof(SaveProfile, m_aRobotUpgrade) == 1064, "layout");
static_assert(offsetof(SaveProfile, m_abFeatureUnlocked) == 1384, "layout");
static_assert(offsetof(SaveProfile, m_aEnemySeen) == 1392, "layout");
static_assert(offsetof(SaveProfile, m_aiLastDeck) == 1552, "layout");
static_assert(offsetof(SaveProfile, m_abReserved) == 1592, "layout");

// The numbers the laboratory raises stop here.
constexpr int32_t PROFILE_MAX_BOOSTER_LEVEL = 8;
constexpr int32_t PROFILE_MAX_ADVANCE_LEVEL = 5;
constexpr int32_t PROFILE_MAX_CARD_SLOTS = PROFILE_DECK_CARDS;

// The number of a profile that one level of laboratory item raises, and its
// top; value is null for the items that raise no number (the robot cards
// and the rest).
struct LabRaisedValue {
    int32_t* value;
    int32_t top;
};
LabRaisedValue LabItemRaises(SaveProfile& p, int item);

// The profile in play.
extern SaveProfile g_CurrentProfile;
// The three profile slots of the save file, filled by CVxSaveData::Load.
extern SaveProfile g_aStoredProfiles[3];
