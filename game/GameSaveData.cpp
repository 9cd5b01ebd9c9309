#include "game/GameSaveData.h"

#include <cstring>

#include "content/StageNumbering.h"
#include "game/MsgBoxKinds.h"
#include "platform/SoundVolumes.h"

namespace {
// Achievement counters kept by robots unlocked and Machine types met.
constexpr int ACHIEVEMENT_ROBOTS_UNLOCKED = 4;
constexpr int ACHIEVEMENT_MACHINES_MET = 5;
// Counters that keep the smallest value reached start high.
constexpr int SMALLEST_VALUE_COUNTERS[] = {31, 32, 34};
constexpr int SMALLEST_VALUE_START = 10000;
constexpr int FEATURE_MINI_GAMES = 4;

// Far above anything play can reach, far below where sums of them overflow.
constexpr int32_t kMaxCount = 100000000;
constexpr int kMaxStars = 3;

void Clamp(int32_t& value, int32_t low, int32_t high) { value = value < low ? low : value > high ? high : value; }
}  // namespace

CGameSaveData::CGameSaveData() : CVxSaveData(g_aStoredProfiles, &g_CurrentProfile) {}

void CGameSaveData::InitProfile(SaveProfile& profile) {
    // The name and the bytes behind it stay: a profile created with a name keeps it.
    profile.m_iFurthestStage = 1;
    profile.m_iMetalParts = 0;
    std::memset(profile.m_abStorySeen, 0, sizeof profile.m_abStorySeen);
    std::memset(profile.m_abHintShown, 0, sizeof profile.m_abHintShown);
    profile.m_bPadding1 = 0;
    profile.m_iLifeBooster = 0;
    profile.m_iEnergyBooster = 0;
    profile.m_iLuckBooster = 0;
    profile.m_iAdvanceFusion = 0;
    profile.m_iAdvanceProduction = 0;
    profile.m_iBattleStartLevel = 0;
    profile.m_iDifficulty = 1;
    profile.m_nCardSlots = 2;
    std::memset(profile.m_aiStageStars, 0, sizeof profile.m_aiStageStars);
    std::memset(profile.m_abRobotUnlocked, 0, sizeof profile.m_abRobotUnlocked);
    std::memset(profile.m_abRobotNew, 0, sizeof profile.m_abRobotNew);
    std::memset(profile.m_aEnemySeen, 0, sizeof profile.m_aEnemySeen);
    std::memset(profile.m_aiAchievementProgress, 0, sizeof profile.m_aiAchievementProgress);
    std::memset(profile.m_aLabItem, 0, sizeof profile.m_aLabItem);
    std::memset(profile.m_aRobotUpgrade, 0, sizeof profile.m_aRobotUpgrade);

    for (int counter : SMALLEST_VALUE_COUNTERS) profile.m_aiAchievementProgress[counter] = SMALLEST_VALUE_START;
    std::memset(profile.m_abFeatureUnlocked, 0, sizeof profile.m_abFeatureUnlocked);
    profile.m_abFeatureUnlocked[FEATURE_MINI_GAMES] = 1;

    // The starting robots and the first Machine count towards their achievements.
    for (int robot = 0; robot < 2; ++robot) {
        if (!profile.m_abRobotUnlocked[robot]) {
            profile.m_abRobotUnlocked[robot] = 1;
            profile.m_aiAchievementProgress[ACHIEVEMENT_ROBOTS_UNLOCKED] += 1;
        }
    }
    if (!profile.m_aEnemySeen[0].met) {
        profile.m_aEnemySeen[0].met = 1;
        profile.m_aiAchievementProgress[ACHIEVEMENT_MACHINES_MET] += 1;
    }

    for (int& card : profile.m_aiLastDeck) card = -1;
    std::memset(profile.m_abReserved, 0, sizeof profile.m_abReserved);
}

void CGameSaveData::ClampProfile(SaveProfile& p) {
    Clamp(p.m_iFurthestStage, 1, LAST_STAGE);
    for (int32_t& stars : p.m_aiStageStars) Clamp(stars, 0, kMaxStars);
    Clamp(p.m_iMetalParts, 0, kMaxCount);
    for (int32_t* level : {&p.m_iLifeBooster, &p.m_iEnergyBooster, &p.m_iLuckBooster, &p.m_iAdvanceFusion,
                           &p.m_iAdvanceProduction, &p.m_iBattleStartLevel})
        Clamp(*level, 0, kMaxCount);
    Clamp(p.m_nCardSlots, 2, PROFILE_DECK_CARDS);
    Clamp(p.m_iDifficulty, DIFFICULTY_EASY, DIFFICULTY_HARD);
    for (int32_t& progress : p.m_aiAchievementProgress) Clamp(progress, 0, kMaxCount);
    for (LabItemRecord& item : p.m_aLabItem) {
        Clamp(item.m_iBought, 0, kMaxCount);
        Clamp(item.m_iOffered, 0, kMaxCount);
    }
    for (RobotUpgradeRecord& upgrade : p.m_aRobotUpgrade) {
        Clamp(upgrade.m_iLevel, 0, 1);
        Clamp(upgrade.m_iAvailable, 0, 1);
    }
    for (int32_t& card : p.m_aiLastDeck) Clamp(card, -1, kMaxCount);
}

void CGameSaveData::InitSettings(SaveFileHeader&) {
    g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
    g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
}
