// Encyclopedia stories of the forty Tinkerling robots.
#include "content/UnitStories.h"

namespace {

const char* const kStories[40] = {
    /* 0 Fusor Bot */
    "The heart of every Tinkerling camp.\nFusor Bot turns the planet's warmth\ninto energy, "
    "so that its friends can\nbe built and the fight can go on.",
    /* 1 Gunner Bot */
    "The first robot to stand up to the\nMachines. Gunner Bot is simple and\nsteady, and "
    "it never leaves its post\nwhile a Machine is still in sight.",
    /* 2 Cannon Bot */
    "Cannon Bot was built to watch the sky.\nIts barrel points upward, so flying\nMachines "
    "never get a moment's peace.",
    /* 3 Blocker Bot */
    "A wall with a smile. Blocker Bot asks\nfor nothing but a place to stand, and\n"
    "the Machines must chew through it\nbefore they go any further.",
    /* 4 Copter Bot */
    "Copter Bot dreamed of flying, so the\nTinkerlings gave it a rotor. Now it\n"
    "guards the sky lanes where the ground\nrobots cannot reach.",
    /* 5 Freezer Bot */
    "Freezer Bot keeps its cool in every\nbattle. A single shot of its ice can\n"
    "stop a charging Machine in its tracks.",
    /* 6 Mini-Mine */
    "Small, quiet and very patient. The\nMini-Mine waits for a Machine to step\n"
    "close, then gives everything it has\nin one bang.",
    /* 7 Dropper Bot */
    "Dropper Bot hovers high above the\nfield and lets its bombs fall. Even\n"
    "Machines hiding underground are not\nsafe from it.",
    /* 8 Flame Bot */
    "Flame Bot burns with the fire of the\nplanet's core. Machines that come too\n"
    "close soon find their armor melting.",
    /* 9 Warrior Bot */
    "Trained in the old ways of the blade,\nWarrior Bot meets the Machines face\n"
    "to face and strikes faster than\nthey can blink.",
    /* 10 Sonar Bot */
    "Sonar Bot hears what others cannot\nsee. Its pings reveal Machines that\n"
    "hide under the ground or vanish into\nthin air.",
    /* 11 Floater Bot */
    "A cheerful balloon of a robot. Floater\nBot lifts its friends into the sky, so\n"
    "they can fight where the flyers pass.",
    /* 12 Boomerang Bot */
    "Boomerang Bot's throw always comes\nback home, and it hits whatever gets\n"
    "in the way both coming and going.",
    /* 13 Bubble Bot */
    "Bubble Bot loves to play, but its\nbubbles are no toys. They float up and\n"
    "burst with a punch on flying Machines.",
    /* 14 Mini-Bomber */
    "The Mini-Bomber lives for one great\nmoment. Drop it among the Machines\n"
    "and watch them scatter.",
    /* 15 Diver Bot */
    "Diver Bot knows every reef of the\nTinkerling seas. Its harpoons keep\n"
    "the waters safe from Machine subs.",
    /* 16 Spider Bot */
    "Spider Bot spins webs as strong as\nsteel. A Machine caught in one will\n"
    "not move until it breaks free.",
    /* 17 Submerger Bot */
    "Submerger Bot carries its friends\ninto the deep, so they can stand and\n"
    "fight beneath the waves.",
    /* 18 Missiler Bot */
    "Missiler Bot's rockets find their own\nway. Once a missile picks a Machine,\n"
    "there is nowhere left to run.",
    /* 19 Snow Baller */
    "Snow Baller rolls snowballs bigger\nthan itself. Each one plows through a\n"
    "line of Machines before it melts.",
    /* 20 Storm Bot */
    "Storm Bot calls the weather down on\nthe Machines. Its lightning freezes\n"
    "them solid on land or at sea.",
    /* 21 Mariner Bot */
    "Mariner Bot is happiest on the water.\nIt sails the waves and keeps the\n"
    "Machines' boats away from the shore.",
    /* 22 Fixer Bot */
    "No robot is left behind while Fixer\nBot is around. It patches dents and\n"
    "mends wires in the heat of battle.",
    /* 23 Buoyer Bot */
    "Buoyer Bot bobs on the waves and gives\nits friends a dry place to stand out\n"
    "at sea.",
    /* 24 D.Shotgunner */
    "D.Shotgunner fires a wide spray of\npellets. Flying Machines find it very\n"
    "hard to slip past.",
    /* 25 Shocker Bot */
    "Shocker Bot crackles with electricity.\nAny Machine that comes close gets a\n"
    "jolt it will not forget.",
    /* 26 Atomic Bot */
    "The Tinkerlings' last resort. Atomic\nBot holds the power of a small sun,\n"
    "and it is used only when all else fails.",
    /* 27 Barrier Bots */
    "A swarm of tiny guardians. Barrier\nBots circle a friend and take the\n"
    "blows meant for it.",
    /* 28 Plasma Bot */
    "Plasma Bot fires balls of glowing\nenergy that burst on impact and leave\n"
    "the Machines stunned.",
    /* 29 Surveyor Bot */
    "Surveyor Bot can find solid footing\nanywhere. With it, a robot can be\n"
    "placed where no robot stood before.",
    /* 30 Sniper Bot */
    "Sniper Bot waits, aims and fires.\nIt rarely shoots, but each of its\n"
    "shots can stop a big Machine cold.",
    /* 31 Hammer Bot */
    "Hammer Bot has one job and loves it:\nbashing the Moles and Drillers that\n"
    "dig under the Tinkerlings' fields.",
    /* 32 Recycler Bot */
    "Nothing goes to waste with Recycler\nBot. It swallows a Machine whole and\n"
    "turns it into useful metal parts.",
    /* 33 Mini-Magnet */
    "Mini-Magnet saves a lot of clicking.\nEnergy and metal parts that fall close\n"
    "by are pulled right in.",
    /* 34 Factory Bot */
    "Factory Bot hums away all day, turning\nscraps into metal parts for the\n"
    "laboratory.",
    /* 35 Papa Fusor */
    "The old master of the Fusors. Papa\nFusor works at the same pace as the\n"
    "young ones, but makes bigger lumps.",
    /* 36 Mama Factory */
    "Mama Factory takes her time, but what\nshe makes is worth the wait: the\n"
    "biggest loads of metal parts around.",
    /* 37 Machine Gunner */
    "Not a robot but a gift for one. Put it\non a Gunner Bot and the bullets start\n"
    "to pour out like rain.",
    /* 38 Mortar Bot */
    "A heavy mortar kit for Cannon Bot.\nIts shells fly high and far, and land\n"
    "with a mighty boom.",
    /* 39 Remover Bot */
    "Remover Bot makes room on a crowded\nfield. It takes a robot away safely,\n"
    "so a new one can take its place.",
};

}  // namespace

const char* GetRobotStory(int robotId) {
    if (robotId < 0 || robotId >= 40) return nullptr;
    return kStories[robotId];
}
