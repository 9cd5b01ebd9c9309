// Names and effect sentences of the forty robot upgrades.
#include "content/GameLink.h"
#include "content/DescriptiveTexts.h"
#include "content/TempText.h"

#include <string>

namespace {

constexpr int ROBOT_COUNT = 40;
constexpr int MENU_PAGE = 1;
constexpr int MENU_UPGRADE_SCREEN = 12;
constexpr int MENU_ROBOPEDIA_SCREEN = 9;
constexpr int BATTLE_ROBOPEDIA_SCREEN = 1;
constexpr int BATTLE_MAIN_SCREEN = 0;

const char* const kNames[ROBOT_COUNT] = {
    "Fusor Rush",
    "Veteran Gunner",
    "High Precision Cannon",
    "Reinforced Shield",
    "Lighter Component",
    "Deep Freeze",
    "Hover Mine",
    "Liquid Nitrogen Drop",
    "Blazing Inferno",
    "Spartan Training",
    "Shockwave Emitter",
    "Economy Class",
    "Long Distance Boomerang",
    "Bubble Blast",
    "Heavy Explosion",
    "Piercing Harpoon",
    "Web Snare",
    "Submerger Sale",
    "Fast Rack",
    "Plowing Snow",
    "Blizzard Storm",
    "Cheaper Cruises",
    "Quick Fix",
    "Bargain Buoyer",
    "High-density Ammunition",
    "High Voltage",
    "Extra Plutonium",
    "Hardened Barrier",
    "Expansive Blooming",
    "Mercury Drive",
    "Eagle Eye",
    "Throwing Hammer",
    "Fully Recycle",
    "Magnetic Field",
    "Mass Production",
    "Family Man",
    "Working Mom",
    "Fast Gun Assembly",
    "Artillery Manufacturing",
    "Explosive Disposal",
};

// Each sentence keeps to two lines so that it fits the encyclopedia's text
// column with its indent, and reads as one line where the breaks become blanks.
const char* const kEffects[ROBOT_COUNT] = {
    "Fusor Bot's card recharge time is\nreduced.",
    "Gunner Bot's bullets hit harder.",
    "Cannon Bot's shells hit harder.",
    "Blocker Bot gets more toughness to\nhold the line longer.",
    "Copter Bot costs less energy and its\ncard recharges faster.",
    "Freezer Bot's ice keeps Machines\nfrozen for longer.",
    "Mini-Mine can be placed on any cell,\nhovering in the air or under water.",
    "Dropper Bot's bombs freeze the\nMachines they hit.",
    "Flame Bot's fire burns much hotter.",
    "Warrior Bot gets more toughness from\nits hard training.",
    "Sonar Bot can also strike Machines\nthat a Gyrotor carries.",
    "Floater Bot costs less energy.",
    "Boomerang Bot throws farther, faster\nand harder.",
    "Bubble Bot blows bigger bubbles that\nhit harder.",
    "Mini-Bomber's blast hits harder.",
    "Diver Bot's harpoons hit harder and\npierce through Rockets.",
    "Spider Bot's webs do more damage.",
    "Submerger Bot costs less energy.",
    "Missiler Bot reloads faster.",
    "Snow Baller's snowballs push the\nMachines back.",
    "Storm Bot's blizzard keeps Machines\nfrozen for longer.",
    "Mariner Bot costs less energy and its\ncard recharges faster.",
    "Fixer Bot repairs much more often.",
    "Buoyer Bot costs less energy.",
    "D.Shotgunner fires one more pellet in\na tighter spread.",
    "Shocker Bot's shocks hit harder.",
    "Atomic Bot's blast does twice the\ndamage.",
    "Barrier Bots get more toughness.",
    "Plasma Bot's blast covers a wider\narea.",
    "Surveyor Bot's card recharges faster.",
    "Sniper Bot never misses its target.",
    "Hammer Bot can be placed on any cell\nand also hits Machines above ground.",
    "Recycler Bot can turn its catch into\ncapsules with robot cards.",
    "Mini-Magnet pulls in every item\nwithin three cells.",
    "Factory Bot makes metal parts more\noften.",
    "Papa Fusor's card recharges faster.",
    "Mama Factory makes metal parts more\noften.",
    "The Machine Gun Weapon card recharges\nfaster.",
    "The Mortar Weapon card recharges\nfaster.",
    "Remover Bot can also take away a\nMachine's Time Bomb.",
};

bool IsRobot(int id) { return id >= 0 && id < ROBOT_COUNT; }

const char* ClosingSentence(int robotId) {
    switch (robotId) {
    case 0:
    case 5:
    case 7:
    case 12:
    case 17:
    case 19:
    case 35: return "Now available to purchase in\nUpgrade Lab.";
    case 18:
    case 24: return "Now available to\npurchase in Upgrade Lab.";
    case 31:
    case 33: return "Now available\nto purchase in Upgrade Lab.";
    default: return "Now available to purchase in Upgrade Lab.";
    }
}

}  // namespace

const char* GetRobotUpgradeName(int robotId) { return IsRobot(robotId) ? kNames[robotId] : ""; }

const char* GetRobotUpgradeEffect(int robotId) { return IsRobot(robotId) ? kEffects[robotId] : ""; }

const char* GetRobotUpgradeEffectText(int robotId) {
    int page = GetContentLink().CurrentPage();
    int screen = GetContentLink().CurrentSubScreen();
    bool upgradeList = page == MENU_PAGE && screen == MENU_UPGRADE_SCREEN;
    bool encyclopedia = (page == MENU_PAGE && screen == MENU_ROBOPEDIA_SCREEN) ||
                        (page == BATTLE_PAGE_INDEX && screen == BATTLE_ROBOPEDIA_SCREEN);

    std::string text = upgradeList ? "" : "\t";
    text += GetRobotUpgradeEffect(robotId);
    text += '\n';
    // Only the encyclopedia keeps the breaks; the other boards wrap the sentence themselves.
    if (!encyclopedia)
        for (char& c : text)
            if (c == '\n') c = ' ';
    if (page == BATTLE_PAGE_INDEX && screen == BATTLE_MAIN_SCREEN) text += ClosingSentence(robotId);
    return TempText(text);
}
