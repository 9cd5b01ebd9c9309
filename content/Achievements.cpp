#include "content/Achievements.h"

#include <cstdint>

#include "content/GameLink.h"
#include "content/SaveProfile.h"
#include "engine/VxString.h"

namespace {

constexpr int BATTLE_STATE_PLAYING = 7;

struct AchievementRow {
    int target;
    AchievementKind kind;
    const char* name;
    const char* condition;
};

const AchievementRow kAchievements[ACHIEVEMENT_COUNT] = {
    {8, ACHIEVEMENT_COUNTING, "Supreme Energy", "Completely upgrade Energy Booster."},
    {8, ACHIEVEMENT_COUNTING, "Complete Heart", "Completely upgrade Life Booster."},
    {8, ACHIEVEMENT_COUNTING, "Super Lucky", "Completely upgrade Luck Booster."},
    {100000, ACHIEVEMENT_COUNTING, "Mega Warehouse", "Collect 100,000 Metal Parts."},
    {40, ACHIEVEMENT_COUNTING, "Know Thyself", "Unlock all entries of Tinkerlings' data\nin Robopedia."},
    {32, ACHIEVEMENT_COUNTING, "Know Your Enemy", "Unlock all entries of The Machines' data\nin Robopedia."},
    {1, ACHIEVEMENT_COUNTING, "Bronze Trophy of Bravery", "Finish ''Mini-Adventure'' episode."},
    {1, ACHIEVEMENT_COUNTING, "Silver Trophy of Courage", "Finish ''The Revenge'' episode."},
    {1, ACHIEVEMENT_COUNTING, "Gold Trophy of Heroism", "Finish ''The Last Stand'' episode."},
    {100, ACHIEVEMENT_COUNTING, "Lieutenant", "Destroy 100 Ground units."},
    {1000, ACHIEVEMENT_COUNTING, "Colonel", "Destroy 1,000 Ground units."},
    {2500, ACHIEVEMENT_COUNTING, "General", "Destroy 2,500 Ground units."},
    {100, ACHIEVEMENT_COUNTING, "Squadron Leader", "Destroy 100 Air units."},
    {1000, ACHIEVEMENT_COUNTING, "Wing Commander", "Destroy 1,000 Air units."},
    {2500, ACHIEVEMENT_COUNTING, "Air Marshal", "Destroy 2,500 Air units."},
    {100, ACHIEVEMENT_COUNTING, "Captain", "Destroy 100 Navy units."},
    {1000, ACHIEVEMENT_COUNTING, "Commodore", "Destroy 1,000 Navy units."},
    {2500, ACHIEVEMENT_COUNTING, "Fleet Admiral", "Destroy 2,500 Navy units."},
    {50, ACHIEVEMENT_COUNTING, "Cold Steel", "Freeze 50 enemies to dead."},
    {50, ACHIEVEMENT_COUNTING, "Burning Metal", "Burn 50 enemies to dead."},
    {1000, ACHIEVEMENT_COUNTING, "Basic Security", "Prevent 1,000 enemies from passing\nyour defense line."},
    {3000, ACHIEVEMENT_COUNTING, "Advance Security", "Prevent 3,000 enemies from passing\nyour defense line."},
    {7500, ACHIEVEMENT_COUNTING, "Extreme Security", "Prevent 7,500 enemies from passing\nyour defense line."},
    {100, ACHIEVEMENT_COUNTING, "Mole Buster", "Bash 100 Moles with Hammer Bot."},
    {100, ACHIEVEMENT_COUNTING, "Hunter Spirit", "Take down 100 enemies with boomerang."},
    {200, ACHIEVEMENT_COUNTING, "Missile Mastery", "Blast off 200 enemies with missiles."},
    {100, ACHIEVEMENT_COUNTING, "Long Shot", "Shot down 100 Air units by shotgun."},
    {300, ACHIEVEMENT_COUNTING, "Way of the Warrior", "Slash down 300 enemies, warrior's style."},
    {100, ACHIEVEMENT_COUNTING, "Handyman", "Fix 100 robots to full health."},
    {2000, ACHIEVEMENT_COUNTING, "My Personal Army", "Build 2,000 Tinkerlings."},
    {10, ACHIEVEMENT_BEST_HIGH, "Super Bomb", "Kill 10 enemies with one Mini-Bomber."},
    {1, ACHIEVEMENT_BEST_LOW, "One Touch", "Finish a stage by executing only one attack."},
    {0, ACHIEVEMENT_BEST_LOW, "Empty Fuel", "Finish a stage without placing any robots\nthat generate energy."},
    {2500, ACHIEVEMENT_BEST_HIGH, "Scavenger", "Collect 2,500 parts or more in a stage."},
    {0, ACHIEVEMENT_BEST_LOW, "Keep Out!", "Finish a stage by using only special type\nunits to destroy enemies."},
    {100, ACHIEVEMENT_BEST_HIGH, "Berserker", "Destroy at least 100 enemies in a stage."},
    {50, ACHIEVEMENT_BEST_HIGH, "Getting Crowded", "Place robots on every area in a stage."},
    {54000, ACHIEVEMENT_COUNTING, "Robot Heart", "Spend 15 hours on the battle fields."},
    {450, ACHIEVEMENT_COUNTING, "All-Stars", "Collect all stars from every episode."},
    {40, ACHIEVEMENT_COUNTING, "Team Ultimate", "Purchase upgrades for all Tinkerlings."},
};

bool IsValidIndex(int index) { return index >= 0 && index < ACHIEVEMENT_COUNT; }

bool IsCompleteAt(int index, int progress) {
    const AchievementRow& row = kAchievements[index];
    return row.kind == ACHIEVEMENT_BEST_LOW ? progress <= row.target : progress >= row.target;
}

void Deliver(CAchievementNotice* notice, int index) {
    if (!notice) return;
    if (notice->IsRecordAlive()) notice->AppendPending(index);
    else notice->StartRecord(index);
}

// One step of a destroyed-Machine counter: stops at its target.
void StepCounter(SaveProfile& profile, int index) {
    int& counter = profile.m_aiAchievementProgress[index];
    if (counter >= kAchievements[index].target) return;
    ++counter;
    if (counter == kAchievements[index].target) AnnounceAchievement(index);
}

}  // namespace

int GetAchievementTarget(int index) { return IsValidIndex(index) ? kAchievements[index].target : 0; }

AchievementKind GetAchievementKind(int index) {
    return IsValidIndex(index) ? kAchievements[index].kind : ACHIEVEMENT_COUNTING;
}

const char* GetAchievementName(int index) { return IsValidIndex(index) ? kAchievements[index].name : ""; }

const char* GetAchievementCondition(int index) { return IsValidIndex(index) ? kAchievements[index].condition : ""; }

bool IsAchievementComplete(int index) {
    return IsValidIndex(index) && IsCompleteAt(index, g_CurrentProfile.m_aiAchievementProgress[index]);
}

void AnnounceAchievement(int index) {
    CContentLink& link = GetContentLink();
    if (link.CurrentPage() == BATTLE_PAGE_INDEX && link.BattleState() == BATTLE_STATE_PLAYING)
        Deliver(link.InGameAchievementNotice(), index);
    Deliver(link.AchievementBoard(), index);
}

void UpdateAchievementProgress(SaveProfile& profile, int index, int value) {
    if (!IsValidIndex(index)) return;
    int& progress = profile.m_aiAchievementProgress[index];
    if (IsCompleteAt(index, progress)) return;
    switch (kAchievements[index].kind) {
    case ACHIEVEMENT_COUNTING:
        // Counters never wrap: a saturated sum still completes the achievement.
        progress = (value > 0 && progress > INT32_MAX - value) ? INT32_MAX : progress + value;
        break;
    case ACHIEVEMENT_BEST_HIGH:
        if (value > progress) progress = value;
        break;
    case ACHIEVEMENT_BEST_LOW:
        if (value < progress) progress = value;
        break;
    }
    if (IsCompleteAt(index, progress)) AnnounceAchievement(index);
}

void CountAchievementEvent(SaveProfile& profile, int group) {
    switch (group) {
    case ACHIEVEMENT_GROUP_GROUND:
        StepCounter(profile, 9);
        StepCounter(profile, 10);
        StepCounter(profile, 11);
        break;
    case ACHIEVEMENT_GROUP_AIR:
        StepCounter(profile, 12);
        StepCounter(profile, 13);
        StepCounter(profile, 14);
        break;
    case ACHIEVEMENT_GROUP_NAVY:
        StepCounter(profile, 15);
        StepCounter(profile, 16);
        UpdateAchievementProgress(profile, 17, 1);
        break;
    default: break;
    }
}

const char* FormatAchievementProgress(int index) {
    if (!IsValidIndex(index)) return StrCat("", "");
    int progress = g_CurrentProfile.m_aiAchievementProgress[index];
    if (index == ACHIEVEMENT_BATTLE_TIME) {
        int hours = progress / 3600;
        int minutes = (progress - 3600 * hours) / 60;
        return StrCat4("(", IntToText(hours, -1, false), StrCat(":", IntToText(minutes, 2, false)), ")");
    }
    // These four are yes-or-no goals whose real target is 0 or a record count.
    int shown = (index == 30 || index == 32 || index == 34 || index == 36) ? 1 : kAchievements[index].target;
    return StrCat4("(", IntToText(progress, -1, true), StrCat(" / ", IntToText(shown, -1, true)), ")");
}
