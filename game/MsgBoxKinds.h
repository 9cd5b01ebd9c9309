#pragma once
// The 48 kinds of the message box: titles, fixed texts, panels, text places
// and button layouts, plus the texts built from the player's progress.
#include <string>

struct SaveProfile;

constexpr int MSGBOX_KINDS = 48;

enum MsgBoxKind : int {
    MSGBOX_DUPLICATE_NAME = 0,
    MSGBOX_BLANK_NAME = 1,
    MSGBOX_DELETE_PROFILE = 2,
    MSGBOX_RESTART_LEVEL = 3,
    MSGBOX_EXIT_TO_MENU = 4,
    MSGBOX_BUY_UPGRADE = 5,
    MSGBOX_NOT_ENOUGH_PARTS = 6,
    MSGBOX_NO_PREREQUISITE = 7,
    MSGBOX_CARD_SLOT_LIMIT = 8,
    MSGBOX_PAUSE = 9,
    MSGBOX_HELP = 10,
    MSGBOX_CONTINUE_GAME = 11,
    MSGBOX_OPTIONS = 12,
    MSGBOX_MAP_UNLOCK_CONDITIONS = 13,
    MSGBOX_NEW_MAP_UNLOCK = 14,
    MSGBOX_NEW_EPISODE_UNLOCK = 15,
    MSGBOX_END_OF_EPISODE = 16,
    MSGBOX_TIP_STAGE_RESULTS = 17,
    MSGBOX_ROBOT_SELECTION = 18,
    MSGBOX_TIP_CLEAR_RECALL = 19,
    MSGBOX_PARTIAL_ROBOT_SET = 20,
    MSGBOX_TIP_FIELD_PREVIEW = 21,
    MSGBOX_TIP_CARD_SET = 22,
    MSGBOX_TIP_CARD_PAGES = 23,
    MSGBOX_TIP_ROBOPEDIA = 24,
    MSGBOX_GO_TO_LABORATORY = 25,
    MSGBOX_GO_TO_UPGRADE_LAB = 26,
    MSGBOX_TIP_SCROLL_WHEEL = 27,
    MSGBOX_TOO_EASY = 28,
    MSGBOX_TOO_HARD = 29,
    MSGBOX_DIFFICULTY_CHANGED = 30,
    MSGBOX_TIP_LIFE_DAMAGE = 31,
    MSGBOX_TIP_MINI_CAPSULE = 32,
    MSGBOX_TIP_UNDERWATER = 33,
    MSGBOX_TIP_METAL_SPIKES = 34,
    MSGBOX_TIP_ENERGY_LIMIT = 35,
    MSGBOX_HAZARD_ACID_RAIN = 36,
    MSGBOX_HAZARD_EARTHQUAKE = 37,
    MSGBOX_HAZARD_WHIRLPOOL = 38,
    MSGBOX_HAZARD_JET_STREAM = 39,
    MSGBOX_HAZARD_METEOR_FALL = 40,
    MSGBOX_WARNING_ENERGY = 41,
    MSGBOX_WARNING_ANTI_MOLE = 42,
    MSGBOX_WARNING_ANTI_GHOST = 43,
    MSGBOX_WARNING_MACHINE_GUN_BASE = 44,
    MSGBOX_WARNING_MORTAR_BASE = 45,
    MSGBOX_WARNING_SUBMARINE_PLATFORM = 46,
    MSGBOX_WARNING_AIR_PLATFORM = 47,
};

enum MsgBoxLayout : int {
    LAYOUT_NONE,
    LAYOUT_OK,
    LAYOUT_OK_CANCEL,
    LAYOUT_PAUSE_GRID,
    LAYOUT_OPTIONS,
    LAYOUT_LOW_OK,
    LAYOUT_TIP_OK,
    LAYOUT_TALL_TIP_OK,
    LAYOUT_WARNING,
};

// Difficulty levels a profile can hold.
constexpr int DIFFICULTY_EASY = 0;
constexpr int DIFFICULTY_HARD = 2;

// Kinds 41 to 47, the robot-set warnings.
bool IsWarningKind(int kind);
// Kinds 42 to 47.
bool IsRobotSetWarningKind(int kind);
// Kinds a switch reopens in place (screen kept dim, no opening hook).
bool IsReopenKind(int kind);

const char* MsgBoxTitle(int kind);  // null: no title (kind 10, unknown kinds)
// The fixed body text; null for kinds without one or with a built text.
const char* MsgBoxBody(int kind);
MsgBoxLayout MsgBoxLayoutOf(int kind);

struct MsgBoxPlace {
    float x = 0.0f;
    float y = 0.0f;
};

// Panel: the medium one or the small one, its size factors and centre.
struct MsgBoxPanelSpec {
    bool medium = false;
    float sx = 1.0f;
    float sy = 1.0f;
    MsgBoxPlace centre;
};
MsgBoxPanelSpec MsgBoxPanelOf(int kind);

// Text band behind the body, when the kind has one.
struct MsgBoxBandSpec {
    bool shown = false;
    float sx = 1.0f;
    float sy = 1.0f;
    MsgBoxPlace centre;
};
MsgBoxBandSpec MsgBoxBandOf(int kind);

// Centre of the title; false for kinds without one.
bool MsgBoxTitlePlace(int kind, MsgBoxPlace& place);
// Where the body starts and how it is aligned (1 left, 0 centred).
MsgBoxPlace MsgBoxBodyStart(int kind, int& align);

// Built texts.
// Kind 14: the newly opened map of the furthest stage.
std::string NewMapUnlockText(int furthestStage);
// Kind 15: the newly opened episode; empty for the first one.
std::string NewEpisodeUnlockText(int furthestStage);
// Kind 30: the level just chosen; null for a value out of range.
const char* DifficultyChangedText(int difficulty);

// Requirements of map area a (0 to 4) on the first episode page.
int AreaRequirement(int area);          // booster level, -1 outside 1..4
int AreaCardSlotRequirement(int area);  // card slots, -1 outside 1..4

// The rows of kind 13 for area a on episode page e.
struct MapUnlockRow {
    std::string text;
    MsgBoxPlace textAt;
    int icon = -1;  // MAP_ICON_*; -1 none
    float iconScale = 1.0f;
    MsgBoxPlace iconAt;
    bool hasMark = false;
    MsgBoxPlace markAt;
    bool met = false;
};
enum : int { MAP_ICON_FLAG = 0, MAP_ICON_CARD = 1, MAP_ICON_HEART = 2, MAP_ICON_ENERGY = 3 };
constexpr const char* MAP_UNLOCK_HEADLINE = "You need all of these elements to unlock this map.";
// openAreaCount: the map areas open on the shown episode page.
int MapUnlockRows(int area, int episodePage, int openAreaCount, const SaveProfile& profile, MapUnlockRow* rows);
constexpr int MAP_UNLOCK_MAX_ROWS = 4;

// The map-area rule: true for episodes after the first and for the first
// area; areas 1 to 4 of the first episode need their card slots and boosters.
bool MeetsAreaRecommendation(const SaveProfile& profile, int group, int area);
