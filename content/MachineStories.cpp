// Encyclopedia stories of the Machines, and the composed description text.
#include "content/DescriptiveTexts.h"
#include "content/UnitStories.h"
#include "engine/VxString.h"

namespace {

const char* const kStories[33] = {
    /* 1000 Smasher */
    "The foot soldier of the Machines. Smashers\ncome in great numbers and hit hard, but\n"
    "alone they are easy to stop.",
    /* 1001 Air Scout */
    "Air Scouts fly ahead of the Machine army\nto find the Tinkerlings' camps. They are\n"
    "fragile, so shoot them down early.",
    /* 1002 Heavy Smasher */
    "A Smasher with thick armor plates. It\ntakes a lot of shots to stop, and it\n"
    "costs two hearts if it slips through.",
    /* 1003 Jetpacker */
    "Jetpackers strap rockets to their backs\nand dash through the sky. They are weak\n"
    "but very fast.",
    /* 1004 Cycler */
    "Cyclers race across the field on one\nbig wheel. Stop them before they reach\n"
    "your line.",
    /* 1005 Transporter */
    "A slow, heavy carrier that brings more\nMachines to the front and drops them\n"
    "off along the way.",
    /* 1006 Driller */
    "Drillers burrow under the ground and\nsurface only to strike. Dropper Bot's\n"
    "bombs can reach them below.",
    /* 1007 Jumper */
    "Jumpers spring along on their coiled\nlegs and hop down wherever the ground\n"
    "gives way.",
    /* 1008 Knight */
    "The Knights are the Machines' cavalry.\nThey charge in fast with lances ready.",
    /* 1009 Napalm Airship */
    "A slow airship loaded with fire bombs.\nIt rains flames on everything it flies\n"
    "over.",
    /* 1010 Rocket Wagon */
    "Rocket Wagons roll in slowly and launch\nRockets that glide down onto the field.",
    /* 1011 Fighter Sub */
    "Fighter Subs patrol the deep and launch\nRockets at the Tinkerlings' divers.",
    /* 1012 Speeder Sub */
    "A nimble sub that weaves from lane to\nlane under water, firing as it goes.",
    /* 1013 Stingray */
    "Stingrays glide through the deep water\nand try to slip past the defenders\n"
    "unnoticed.",
    /* 1014 Mole */
    "Moles tunnel under the ground where no\nbullet can reach. Only Sonar Bot can\n"
    "find them, and Hammer Bot can bash them.",
    /* 1015 Killer Whale */
    "A huge Machine whale that carries a\nbelly full of smaller Machines into the\n"
    "deep waters.",
    /* 1016 Gunboat */
    "Gunboats sail the water surface and\nsend Rockets at the Tinkerlings' line.",
    /* 1017 Hyper Jet */
    "The Machines' fastest fighter plane. It\nzigzags across the sky, launching\n"
    "Rockets as it goes.",
    /* 1018 Marine Striker */
    "A battleship with a long gun that sweeps\nthe whole lane. It costs five hearts if\n"
    "it gets through.",
    /* 1019 Ghost */
    "Nobody knows how the Ghosts were made.\nThey are invisible and float over any\n"
    "ground. Only sonar can reveal them.",
    /* 1020 Reaper */
    "Reapers swoop down from the sky and\nslash at every robot around them.",
    /* 1021 Mega Smasher */
    "The biggest of the Smashers, with a blow\nthat can flatten a robot in one hit.",
    /* 1022 Blast Tank */
    "A heavy tank that launches fast Rockets.\nKeep your distance and keep shooting.",
    /* 1023 Ultra Cycler */
    "A tougher Cycler that can leap over gaps\nin the ground.",
    /* 1024 Giant */
    "An enormous walking fortress. Its stomp\ncan wreck any robot at once, and it costs\n"
    "ten hearts if it gets through.",
    /* 1025 Time Bomb */
    "A bomb with a three-step countdown.\nDestroy it before it reaches zero.",
    /* 1026 Gyrotor */
    "A flying rotor that carries Machines\ninto the sky. Shoot it off, and its\n"
    "load comes crashing down.",
    /* 1027 Frost Orca */
    "An armored orca from the icy seas. It\nlaunches Rockets from the deep.",
    /* 1028 The Destroyer */
    "The Machines' mighty war engine. Its\nhuge hands crush everything in reach.",
    /* 1029 Titan */
    "A colossus that walks on land and water\nalike. It shrugs off most attacks.",
    /* 1030 Capsule Cage */
    "A trap of the Machines. It snaps shut on\na Tinkerling robot and takes it away.",
    /* 1031 Destroyer Zero */
    "The last and greatest of the Machines.\nEvery Tinkerling will be needed to bring\n"
    "it down.",
    /* 1032 Rocket */
    "A small flying bomb launched by other\nMachines. It rushes at the nearest robot.",
};

}  // namespace

const char* GetMachineStory(int type) {
    if (type < 1000 || type > 1032) return nullptr;
    return kStories[type - 1000];
}

const char* GetUnitStory(int type) { return type < 1000 ? GetRobotStory(type) : GetMachineStory(type); }

const char* GetUnitDescription(int type) {
    const char* story = GetUnitStory(type);
    return StrCat("Description :\n\t", story ? story : "");
}
