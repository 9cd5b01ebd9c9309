#include "game/MsgBoxKinds.h"

#include "content/SaveProfile.h"
#include "content/StageNumbering.h"
#include "content/WorldTitle.h"

namespace {

const char* const kTitles[MSGBOX_KINDS] = {
    "Duplicate Profile Name",
    "Blank Profile Name",
    "Delete This Profile",
    "Restart Level",
    "Exit to Main Menu",
    "Buy Upgrade",
    "Not Enough Parts",
    "No Prerequisite Robot",
    "Card Slot Limit",
    "Pause",
    nullptr,
    "Continue Game",
    "Options",
    " Map Unlock Conditions",
    "New Map Unlock",
    "New Episode Unlock",
    "End of Episode",
    "Tips: Stage Results",
    "Robot Selection",
    "Tips: Clear / Recall",
    "Partially Usable Robot Set",
    "Tips: Battle Field Preview",
    "Tips: Card Set Management",
    "Tips: Card Page Navigation",
    "Tips: Robopedia",
    "Go to Laboratory",
    "Go to Upgrade Lab",
    "Tips: Scroll Wheel",
    "Too Easy?",
    "Too Hard?",
    "Difficulty Changed",
    "Tips: Damage to Life Point",
    "Tips: Mini Capsule",
    "Tips : Underwater Stage",
    "Tips : Metal Spikes",
    "Tips : Energy Cost Limit",
    "Hazard : Acid Rain",
    "Hazard : Earthquake",
    "Hazard : Whirlpool",
    "Hazard : Jet Stream",
    "Hazard : Meteor Fall",
    "Warning: Energy Robot",
    "Warning: Anti-Mole Robot",
    "Warning: Anti-Ghost Robot",
    "Warning: Machine Gun Base",
    "Warning: Mortar Base",
    "Warning: Submarine Platform",
    "Warning: Air Platform",
};

const char* const kLevelLost = "   Progress in this level will be lost.\n\t\t\t\tAre you sure?";

// Kind 22 is drawn in four coloured pieces and kind 30 is built, so neither is here.
const char* const kBodies[MSGBOX_KINDS] = {
    "\t\t  Please use other name.",
    "\t You must create a name first.",
    "   All data in this profile will be lost.\n\t\t\t\tAre you sure?",
    kLevelLost,
    kLevelLost,
    "  Do you want to buy this upgrade?",
    "  You have not enough metal parts\n\t\t\tto buy this upgrade.",
    "You must buy this robot from the lab\n\t\tbefore buying its upgrade.",
    "You cannot buy card slots more than\n    the number of unlocked robots.",
    "   Select Resume to continue playing.",
    nullptr,
    " Continue from your latest progress?",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    " You've just finish the last stage of\n\t\t\t\t  the episode.",
    "  The number of star shows how well\n  you protect your Life Point. Keep all\n   of your hearts safe to get 3 "
    "stars.",
    "You currently have more Tinkerlings\nthan your available card slots.\n\nFrom now on, you need to choose the\n"
    "robots to use in each battle.",
    "Click CLEAR button to remove all robots\nfrom selection. Click RECALL button to\nuse the robot set as your "
    "last selection.",
    "\tYour last robot set contains some\nrobots that are not allow to use in this\nstage.  Clicking RECALL "
    "button will\nretrieve only the valid robots from your\nlast selection.",
    "\n   Click FIELD button to preview the\n\t stage will help you plan better.",
    nullptr,
    "You can scroll through your collection of\nrobot cards by using the mouse scroll\nwheel or clicking at the "
    "SCROLL button.",
    "Click this button to access Robopedia.\nDon't forget to check out data of any\nrobots you've met.",
    "  Visit the lab to see new upgrades?",
    "\t  Visit the Upgrade Laboratory?",
    "Did you know? You can scroll the page\nup and down more easily by using the\nscroll wheel on your mouse.",
    " Seems like current level is too easy\n for you.  Try harder difficulty?",
    "Current level may be too challenging.\n   Want to play at easier difficulty?",
    nullptr,
    "Each enemy deals different damage to your Life Point. Be aware of the higher level enemies that tend to be "
    "more harmful.",
    "\nDelivers a reinforcement for Tinkerlings.\n  Better grab it fast before it leaves!",
    "Due to aquatic environment, some\ntypes of robots are not available to use\nin underwater stage.\nThis "
    "includes but not limited to air units\nand element associated units .",
    "\nBeware of spikes! Tinkerlings who stand\non them will continuously be damaged.\nBut spikes can be "
    "destroyed by some\nspecial units. (ex. Mini-Bomber)",
    "Power outage causes robots with higher\nenergy cost than the limit to shut down.\n\nTherefore, only the "
    "robots with lower\nenergy cost are usable for the moment.",
    "Acid Rain will damage every unit of\nTinkerlings that it first reaches.\n\nHigh ground areas or upper "
    "units can\nprotect the ones underneath them.",
    "Earthquake inflicts damage to every\nunit of Tinkerlings standing on the\nground.\nOnly flying or floating "
    "robots are safe\nfrom the earthquake.",
    "Whirlpool is a spinning water rising up\nfrom any deep underwater areas.\n\nIt will damage all Tinkerlings "
    "within its\nvertical range.",
    "Jet Stream can push back air units that\nhappen to be in its path.\nIf the robots pushed by the "
    "stream\ncollides with the ground or falls off the\nscene, they are instantly destroyed.",
    "Meteor Fall actually is The Machines\nunit that was sent from space.\nDue to its high speed, any "
    "Tinkerlings\nstanding at the impact point will be\ndestroyed immediately.",
    "Your selection has no robot that can\nproduce energy. (ex. Fusor Bot)",
    "Your selection has no robot that can\nbe used against Mole. (ex. Sonar Bot)",
    "Your selection has no robot that can\nbe used against Ghost. (ex. Sonar Bot)",
    "You need to have Gunner Bot in your\nselection in order to use Machine Gunner.",
    "You need to have Cannon Bot in your\nselection in order to use Mortar Bot.",
    "This stage contains only a few ground\nareas. Please consider bringing a\nsubmarine platform robot with you.",
    "This stage contains only a few ground\nareas. Please consider bringing an air\nplatform robot with you.",
};

bool ValidKind(int kind) { return kind >= 0 && kind < MSGBOX_KINDS; }

bool InList(int kind, std::initializer_list<int> kinds) {
    for (int k : kinds)
        if (k == kind) return true;
    return false;
}

bool Between(int kind, int lo, int hi) { return kind >= lo && kind <= hi; }

// Tip boxes on the medium panel: 17 to 24, 27, 31 to 47 (9 and 12 also use it).
bool TallPanelKind(int kind) { return Between(kind, 17, 24) || kind == 27 || Between(kind, 31, 47); }

}  // namespace

bool IsWarningKind(int kind) { return kind == MSGBOX_WARNING_ENERGY || IsRobotSetWarningKind(kind); }

bool IsRobotSetWarningKind(int kind) { return Between(kind, 42, 47); }

bool IsReopenKind(int kind) { return InList(kind, {3, 4, 9, 12, 14, 15, 16, 30}) || IsWarningKind(kind); }

const char* MsgBoxTitle(int kind) { return ValidKind(kind) ? kTitles[kind] : nullptr; }

const char* MsgBoxBody(int kind) { return ValidKind(kind) ? kBodies[kind] : nullptr; }

MsgBoxLayout MsgBoxLayoutOf(int kind) {
    if (InList(kind, {0, 1, 6, 7, 8, 14, 15, 16, 30})) return LAYOUT_OK;
    if (InList(kind, {2, 3, 4, 5, 11, 25, 26, 28, 29})) return LAYOUT_OK_CANCEL;
    if (kind == 9) return LAYOUT_PAUSE_GRID;
    if (kind == 12) return LAYOUT_OPTIONS;
    if (kind == 13) return LAYOUT_LOW_OK;
    if (kind == 22 || kind == 31) return LAYOUT_TALL_TIP_OK;
    if (Between(kind, 17, 24) || kind == 27 || Between(kind, 32, 40)) return LAYOUT_TIP_OK;
    if (IsWarningKind(kind)) return LAYOUT_WARNING;
    return LAYOUT_NONE;
}

MsgBoxPanelSpec MsgBoxPanelOf(int kind) {
    MsgBoxPanelSpec p;
    if (kind == 9 || kind == 12) {
        p = {true, 0.8f, 0.75f, {0.0f, 20.0f}};
    } else if (kind == 13) {
        p = {true, 1.24f, 0.95f, {0.0f, 40.0f}};
    } else if (TallPanelKind(kind)) {
        p = {true, 1.0f, 0.75f, {0.0f, 20.0f}};
    }
    return p;
}

MsgBoxBandSpec MsgBoxBandOf(int kind) {
    if (kind == 12) return {true, 0.91f, 0.39f, {0.0f, 40.0f}};
    if (kind == 13) return {true, 1.39f, 0.59f, {-5.0f, 36.0f}};
    if (kind == 22 || kind == 31) return {true, 1.1f, 0.44f, {-3.0f, 23.0f}};
    if (Between(kind, 17, 21) || kind == 23 || kind == 24 || kind == 27 || Between(kind, 32, 47))
        return {true, 1.1f, 0.39f, {-3.0f, 35.0f}};
    return {};
}

bool MsgBoxTitlePlace(int kind, MsgBoxPlace& place) {
    if (!MsgBoxTitle(kind)) return false;
    if (kind == 9 || kind == 12 || TallPanelKind(kind)) place = {0.0f, 175.0f};
    else if (kind == 13) place = {0.0f, 235.0f};
    else place = {0.0f, 140.0f};
    return true;
}

MsgBoxPlace MsgBoxBodyStart(int kind, int& align) {
    align = 1;
    if (InList(kind, {2, 3, 4, 6, 7, 8, 16, 28, 29})) return {-241.0f, 90.0f};
    if (kind == 9) return {-253.0f, 120.0f};
    if (kind == 13) return {-333.0f, 157.0f};
    if (kind == 14 || kind == 15) {
        align = 0;
        return {0.0f, 75.0f};
    }
    if (InList(kind, {17, 19, 21, 24, 27, 31, 32})) return {-254.0f, 35.0f};
    if (InList(kind, {18, 20, 33, 34}) || Between(kind, 36, 47)) return {-254.0f, 100.0f};
    if (kind == 22) return {-254.0f, 105.0f};
    if (kind == 23) return {-262.0f, 35.0f};
    if (kind == 35) return {-258.0f, 100.0f};
    return {-241.0f, 75.0f};
}

std::string NewMapUnlockText(int furthestStage) {
    return std::string(GetWorldTitle(GetStageWorld(furthestStage) - 1)) + " is now unlocked.";
}

std::string NewEpisodeUnlockText(int furthestStage) {
    switch (GetStageEpisode(furthestStage)) {
    case 2: return "''The Revenge'' is now unlocked.";
    case 3: return "''The Last Stand'' is now unlocked.";
    default: return std::string();
    }
}

const char* DifficultyChangedText(int difficulty) {
    switch (difficulty) {
    case 0: return "\t  Difficulty is now set to EASY.";
    case 1: return "\tDifficulty is now set to MEDIUM.";
    case 2: return "\t  Difficulty is now set to HARD.";
    default: return nullptr;
    }
}

int AreaRequirement(int area) { return area >= 1 && area <= 4 ? area : -1; }

int AreaCardSlotRequirement(int area) { return area >= 1 && area <= 4 ? 4 + area : -1; }

int MapUnlockRows(int area, int episodePage, int openAreaCount, const SaveProfile& profile, MapUnlockRow* rows) {
    int n = 0;
    MapUnlockRow& finish = rows[n++];
    finish = MapUnlockRow{};
    finish.text = std::string("Finish ") + GetWorldTitle(area - 1) + " Map";
    finish.textAt = {-255.0f, 102.0f};
    finish.icon = MAP_ICON_FLAG;
    finish.iconScale = 0.75f;
    finish.iconAt = {-300.0f, 102.0f};
    finish.hasMark = true;
    finish.markAt = {285.0f, 100.0f};
    finish.met = area < openAreaCount;

    if (episodePage == 0) {
        // One requirement value for the three rows, so they always agree.
        const int r = AreaRequirement(area);
        const int slots = AreaCardSlotRequirement(area);
        struct {
            int number;
            const char* label;
            float y;
            int icon;
            float scale;
            bool met;
        } const lines[3] = {
            {slots, " Card Slots", 46.0f, MAP_ICON_CARD, 0.37f, profile.m_nCardSlots >= slots},
            {r + 2, " Life Points", -10.0f, MAP_ICON_HEART, 0.75f, profile.m_iLifeBooster >= r},
            {5 * r + 10, " Energy Points", -65.0f, MAP_ICON_ENERGY, 0.75f, profile.m_iEnergyBooster >= r},
        };
        for (const auto& line : lines) {
            MapUnlockRow& row = rows[n++];
            row = MapUnlockRow{};
            row.text = std::to_string(line.number) + line.label;
            row.textAt = {-255.0f, line.y};
            row.icon = line.icon;
            row.iconScale = line.scale;
            row.iconAt = {-300.0f, line.y};
            row.hasMark = true;
            row.markAt = {285.0f, line.y - 2.0f};
            row.met = line.met;
        }
    } else if (episodePage == 1 || episodePage == 2) {
        MapUnlockRow& row = rows[n++];
        row = MapUnlockRow{};
        row.text = episodePage == 1 ? "in ''The Revenge'' episode" : "in ''The Last Stand'' episode";
        row.textAt = {-255.0f, 66.0f};
    }
    return n;
}

bool MeetsAreaRecommendation(const SaveProfile& profile, int group, int area) {
    if (group != 0 || area == 0) return true;
    if (area < 1 || area > 4) return false;
    return profile.m_nCardSlots >= 4 + area && profile.m_iLifeBooster >= area && profile.m_iEnergyBooster >= area;
}
