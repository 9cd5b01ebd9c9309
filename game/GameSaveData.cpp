#include "game/GameSaveData.h"

#include <algorithm>
#include <cstring>

#include "content/Achievements.h"
#include "content/StageNumbering.h"
#include "content/UnitDefinition.h"
#include "content/UnlockTables.h"
#include "game/MsgBoxKinds.h"
#include "platform/SoundVolumes.h"

namespace {
// Achievement counters kept by robots unlocked and Machine types met.
constexpr int ACHIEVEMENT_ROBOTS_UNLOCKED = 4;
constexpr int ACHIEVEMENT_MACHINES_MET = 5;
// Counters that keep the smallest value reached start high.
constexpr int SMALLEST_VALUE_COUNTERS[] = {31, 32, 34};
constexpr int SMALLEST_VALUE_START = 10000;

// Far above anything play can reach, far below where sums of them overflow.
constexpr int32_t kMaxCount = 100000000;
constexpr int kMaxStars = 3;
// Additions to the parts stop here.
constexpr int32_t kMaxMetalParts = 999990;
// The last level of each laboratory item, as the shop sells them.
constexpr int32_t kLabItemLastLevel[PROFILE_LAB_ITEMS] = {5, 8, 8, 8, 5, 5, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
// Counters that take more than one step at a time, or keep a stage's best,
// run past their target; the one counting the cells held stops at the field.
constexpr int ACHIEVEMENT_PARTS_COLLECTED = 3;
constexpr int ACHIEVEMENT_CELLS_HELD = 36;
constexpr int32_t kFieldCells = 50;

void Clamp(int32_t& value, int32_t low, int32_t high) { value = value < low ? low : value > high ? high : value; }

void ClampFlag(uint8_t& flag) { flag = flag != 0; }
template <size_t N>
void ClampFlags(uint8_t (&flags)[N]) {
    for (uint8_t& f : flags) ClampFlag(f);
}

int32_t AchievementCeiling(int index) {
    switch (GetAchievementKind(index)) {
    case ACHIEVEMENT_BEST_LOW: return SMALLEST_VALUE_START;
    case ACHIEVEMENT_BEST_HIGH: return index == ACHIEVEMENT_CELLS_HELD ? kFieldCells : kMaxCount;
    default: return index == ACHIEVEMENT_PARTS_COLLECTED ? kMaxCount : GetAchievementTarget(index);
    }
}

constexpr int kSlotItem = 0;
constexpr int kLastLevelledItem = 5;
constexpr int32_t kFirstCardSlots = 2;

// Each level of a booster or an advance was bought (the first of two of
// them given) with its pair, so the pair counts the level. Unlocked robots
// raise the card slots too, but only up to MAX_CARD_SLOTS_BY_UNLOCK, so the
// slots bought lie within the slots less that and less the first two. A
// level bought was offered, and the next is offered once it is bought. So
// no purchase can raise a number past its top.
void AgreeLabRecords(SaveProfile& p) {
    for (int item = kSlotItem; item <= kLastLevelledItem; ++item) {
        LabItemRecord& r = p.m_aLabItem[item];
        const int32_t level = *LabItemRaises(p, item).value;
        if (item == kSlotItem) Clamp(r.m_iBought, level - MAX_CARD_SLOTS_BY_UNLOCK, level - kFirstCardSlots);
        else r.m_iBought = level;
        Clamp(r.m_iBought, 0, kLabItemLastLevel[item]);
        if (r.m_iBought > 0 && r.m_iOffered <= r.m_iBought)
            r.m_iOffered = std::min(r.m_iBought + 1, kLabItemLastLevel[item]);
    }
}

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

// A value past the range play gives it is damage: it goes to the nearest
// value play could have left, so no battle or screen meets it.
void CGameSaveData::ClampProfile(SaveProfile& p) {
    p.m_szName[PROFILE_NAME_SIZE - 1] = '\0';
    Clamp(p.m_iFurthestStage, 1, LAST_STAGE);
    for (int32_t& stars : p.m_aiStageStars) Clamp(stars, 0, kMaxStars);
    Clamp(p.m_iMetalParts, 0, kMaxMetalParts);
    ClampFlags(p.m_abStorySeen);
    ClampFlags(p.m_abHintShown);
    for (int32_t* level : {&p.m_iLifeBooster, &p.m_iEnergyBooster, &p.m_iLuckBooster})
        Clamp(*level, 0, PROFILE_MAX_BOOSTER_LEVEL);
    Clamp(p.m_iAdvanceFusion, 0, PROFILE_MAX_ADVANCE_LEVEL);
    Clamp(p.m_iAdvanceProduction, 0, PROFILE_MAX_ADVANCE_LEVEL);
    // Nothing ever writes it: any other value than the new profile's is damage.
    Clamp(p.m_iBattleStartLevel, 0, 0);
    Clamp(p.m_nCardSlots, kFirstCardSlots, PROFILE_MAX_CARD_SLOTS);
    Clamp(p.m_iDifficulty, DIFFICULTY_EASY, DIFFICULTY_HARD);
    ClampFlags(p.m_abRobotUnlocked);
    ClampFlags(p.m_abRobotNew);
    for (int i = 0; i < PROFILE_ACHIEVEMENTS; ++i) Clamp(p.m_aiAchievementProgress[i], 0, AchievementCeiling(i));
    for (int i = 0; i < PROFILE_LAB_ITEMS; ++i) {
        Clamp(p.m_aLabItem[i].m_iBought, 0, kLabItemLastLevel[i]);
        Clamp(p.m_aLabItem[i].m_iOffered, 0, kLabItemLastLevel[i]);
    }
    AgreeLabRecords(p);
    for (RobotUpgradeRecord& upgrade : p.m_aRobotUpgrade) {
        Clamp(upgrade.m_iLevel, 0, 1);
        Clamp(upgrade.m_iAvailable, 0, 1);
    }
    ClampFlags(p.m_abFeatureUnlocked);
    for (EnemySeenRecord& enemy : p.m_aEnemySeen) {
        ClampFlag(enemy.met);
        ClampFlags(enemy.variantMet);
    }
    // A card no hand can hold leaves its slot empty.
    for (int32_t& card : p.m_aiLastDeck)
        if (card < -1 || card >= ROBOT_TYPES) card = -1;
}

void CGameSaveData::InitSettings(SaveFileHeader&) {
    g_iMusicVolume = DEFAULT_MUSIC_VOLUME;
    g_iEffectVolume = DEFAULT_EFFECT_VOLUME;
}
