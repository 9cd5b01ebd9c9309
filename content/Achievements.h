#pragma once
// The forty achievements: targets and texts, the progress rules and the
// announcement of a completed one. Progress lives in a profile's
// m_aiAchievementProgress: the battle pays into the profile it is played for,
// the menus read the live one. Main thread.

struct SaveProfile;

constexpr int ACHIEVEMENT_COUNT = 40;
constexpr int ACHIEVEMENT_BATTLE_TIME = 37;  // counts seconds

enum AchievementKind {
    ACHIEVEMENT_COUNTING = 0,   // progress adds up; complete at or above the target
    ACHIEVEMENT_BEST_HIGH = 1,  // the largest value is kept; complete at or above
    ACHIEVEMENT_BEST_LOW = 2,   // the smallest value is kept; complete at or below
};

// Groups of CountAchievementEvent: the class of the Machine destroyed.
enum AchievementEventGroup {
    ACHIEVEMENT_GROUP_GROUND = 0,
    ACHIEVEMENT_GROUP_AIR = 1,
    ACHIEVEMENT_GROUP_NAVY = 2,
};

// Index 0 to 39 only.
int GetAchievementTarget(int index);
AchievementKind GetAchievementKind(int index);
const char* GetAchievementName(int index);
const char* GetAchievementCondition(int index);
bool IsAchievementComplete(int index);

// Reports a value for achievement index of the profile by its kind's rule;
// announces it when this completes it. A completed achievement takes no more
// values.
void UpdateAchievementProgress(SaveProfile& profile, int index, int value);
// Counts one destroyed Machine of a group for the profile; other groups do
// nothing.
void CountAchievementEvent(SaveProfile& profile, int group);
// Shows achievement index on the battle's in-game notice while the battle is
// being played, and on the application's board in every case.
void AnnounceAchievement(int index);

// "(1:02)" for the battle time, else "(12,345 / 100,000)". A temporary string.
const char* FormatAchievementProgress(int index);
