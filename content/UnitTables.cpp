// The robot and Machine tables.
#include "content/UnitTables.h"

namespace {

const RobotRow kRobots[ROBOT_TYPES] = {
    //  name               terrain role  hp   interval recharge cost weapon upgrade
    /*  0 */ {"Fusor Bot", 2, 1, 60, 1000, 300, 10, -1, UPGRADE_RECHARGE_065, 0},
    /*  1 */ {"Gunner Bot", 2, 0, 100, 100, 500, 20, 0, UPGRADE_NOTHING, 0},
    /*  2 */ {"Cannon Bot", 2, 0, 100, 70, 500, 20, 1, UPGRADE_NOTHING, 0},
    /*  3 */ {"Blocker Bot", 2, 2, 400, 1000, 500, 30, -1, UPGRADE_HP_135, 0},
    /*  4 */ {"Copter Bot", 1, 0, 40, 70, 500, 30, 2, UPGRADE_COST20_RECHARGE_075, 0},
    /*  5 */ {"Freezer Bot", 2, 0, 100, 100, 500, 35, 3, UPGRADE_NOTHING, 0},
    /*  6 */ {"Mini-Mine", 2, 3, 1, 50, 1000, 10, 5, UPGRADE_TERRAIN_SPECIAL, 0},
    /*  7 */ {"Dropper Bot", 1, 0, 40, 60, 500, 40, 4, UPGRADE_NOTHING, 0},
    /*  8 */ {"Flame Bot", 2, 0, 150, 350, 500, 50, 6, UPGRADE_NOTHING, 0},
    /*  9 */ {"Warrior Bot", 2, 0, 600, 30, 1000, 55, 7, UPGRADE_HP_135, 0},
    /* 10 */ {"Sonar Bot", 2, 0, 70, 100, 500, 15, 8, UPGRADE_NOTHING, 0},
    /* 11 */ {"Floater Bot", 1, 4, 1, 100, 200, 20, -1, UPGRADE_COST, 15},
    /* 12 */ {"Boomerang Bot", 2, 0, 150, 100, 500, 40, 9, UPGRADE_NOTHING, 0},
    /* 13 */ {"Bubble Bot", 2, 0, 100, 60, 500, 40, 10, UPGRADE_NOTHING, 0},
    /* 14 */ {"Mini-Bomber", 5, 3, 1, 50, 2500, 25, 11, UPGRADE_NOTHING, 0},
    /* 15 */ {"Diver Bot", 4, 0, 40, 40, 500, 45, 18, UPGRADE_NOTHING, 0},
    /* 16 */ {"Spider Bot", 2, 0, 100, 75, 500, 45, 23, UPGRADE_NOTHING, 0},
    /* 17 */ {"Submerger Bot", 4, 4, 1, 100, 200, 15, -1, UPGRADE_COST, 10},
    /* 18 */ {"Missiler Bot", 2, 0, 100, 100, 1000, 50, 13, UPGRADE_INTERVAL_075, 0},
    /* 19 */ {"Snow Baller", 2, 0, 100, 100, 1000, 50, 14, UPGRADE_NOTHING, 0},
    /* 20 */ {"Storm Bot", 5, 3, 1, 50, 2500, 25, 12, UPGRADE_NOTHING, 0},
    /* 21 */ {"Mariner Bot", 3, 0, 60, 55, 500, 30, 2, UPGRADE_COST20_RECHARGE_075, 0},
    /* 22 */ {"Fixer Bot", 2, 0, 70, 400, 1500, 40, 15, UPGRADE_INTERVAL_035, 0},
    /* 23 */ {"Buoyer Bot", 3, 4, 1, 50, 200, 10, -1, UPGRADE_COST, 5},
    /* 24 */ {"D.Shotgunner", 2, 0, 100, 100, 1500, 60, 16, UPGRADE_NOTHING, 0},
    /* 25 */ {"Shocker Bot", 2, 0, 150, 100, 1000, 45, 17, UPGRADE_NOTHING, 0},
    /* 26 */ {"Atomic Bot", 5, 3, 1, 50, 8000, 80, 22, UPGRADE_NOTHING, 0},
    /* 27 */ {"Barrier Bots", 5, 8, 400, 50, 2000, 30, -1, UPGRADE_HP_135, 0},
    /* 28 */ {"Plasma Bot", 2, 0, 100, 100, 2000, 70, 20, UPGRADE_NOTHING, 0},
    /* 29 */ {"Surveyor Bot", 5, 4, 1, 50, 1000, 25, -1, UPGRADE_RECHARGE_065, 0},
    /* 30 */ {"Sniper Bot", 2, 0, 100, 350, 2000, 75, 24, UPGRADE_NOTHING, 0},
    /* 31 */ {"Hammer Bot", 5, 3, 1, 50, 100, 5, 19, UPGRADE_TERRAIN_SPECIAL, 0},
    /* 32 */ {"Recycler Bot", 5, 3, 1, 50, 1500, 15, 28, UPGRADE_NOTHING, 0},
    /* 33 */ {"Mini-Magnet", 2, 0, 70, 100, 500, 25, 27, UPGRADE_NOTHING, 0},
    /* 34 */ {"Factory Bot", 2, 1, 70, 1000, 1000, 35, -1, UPGRADE_INTERVAL_065, 0},
    /* 35 */ {"Papa Fusor", 2, 1, 70, 1000, 750, 20, -1, UPGRADE_RECHARGE_065, 0},
    /* 36 */ {"Mama Factory", 2, 1, 70, 1000, 3500, 75, -1, UPGRADE_INTERVAL_065, 0},
    /* 37 */ {"Machine Gunner", 5, 8, 1, 20, 3000, 125, 25, UPGRADE_RECHARGE_065, 0},
    /* 38 */ {"Mortar Bot", 5, 8, 1, 20, 4500, 195, 26, UPGRADE_RECHARGE_065, 0},
    /* 39 */ {"Remover Bot", 5, 8, 1, 50, 0, 0, -1, UPGRADE_NOTHING, 0},
};

const MachineRow kMachines[LAST_MACHINE_TYPE - FIRST_MACHINE_TYPE + 1] = {
    //  name                   terrain role  hp    interval speed move weapon size hearts concealment
    /* 1000 */ {"Smasher", 2, 0, 100, 100, 0.5f, 1, 1000, 83, 1, 0},
    /* 1001 */ {"Air Scout", 1, 0, 40, 100, 0.5f, 1, 1001, 108, 1, 0},
    /* 1002 */ {"Heavy Smasher", 2, 0, 300, 100, 0.5f, 1, 1000, 84, 2, 0},
    /* 1003 */ {"Jetpacker", 1, 0, 30, 100, 2.0f, 1, 1001, 86, 2, 0},
    /* 1004 */ {"Cycler", 2, 0, 70, 100, 2.0f, 1, 1000, 80, 2, 0},
    /* 1005 */ {"Transporter", 2, 6, 400, 500, 0.25f, 1, -1, 180, 4, 0},
    /* 1006 */ {"Driller", 2, 0, 150, 100, 0.5f, 1, 1000, 71, 3, 1},
    /* 1007 */ {"Jumper", 2, 5, 40, 100, 1.25f, 2, -1, 70, 3, 0},
    /* 1008 */ {"Knight", 2, 0, 150, 100, 1.5f, 1, 1002, 77, 3, 0},
    /* 1009 */ {"Napalm Airship", 1, 7, 60, 50, 1.0f, 1, 1003, 151, 3, 0},
    /* 1010 */ {"Rocket Wagon", 2, 0, 300, 100, 0.25f, 1, 1004, 120, 4, 0},
    /* 1011 */ {"Fighter Sub", 4, 7, 55, 150, 0.5f, 1, 1005, 105, 3, 0},
    /* 1012 */ {"Speeder Sub", 4, 7, 40, 150, 1.5f, 3, 1005, 114, 3, 0},
    /* 1013 */ {"Stingray", 4, 5, 20, 100, 1.5f, 1, -1, 162, 3, 0},
    /* 1014 */ {"Mole", 2, 0, 200, 200, 0.5f, 1, 1007, 90, 4, 2},
    /* 1015 */ {"Killer Whale", 4, 6, 600, 500, 0.25f, 1, -1, 336, 5, 0},
    /* 1016 */ {"Gunboat", 3, 7, 125, 200, 0.5f, 1, 1004, 117, 3, 0},
    /* 1017 */ {"Hyper Jet", 1, 7, 50, 200, 0.75f, 3, 1005, 140, 3, 0},
    /* 1018 */ {"Marine Striker", 3, 0, 400, 1000, 0.5f, 1, 1008, 285, 5, 0},
    /* 1019 */ {"Ghost", 5, 0, 50, 100, 0.5f, 1, 1000, 92, 3, 2},
    /* 1020 */ {"Reaper", 1, 0, 200, 200, 0.75f, 1, 1013, 90, 5, 0},
    /* 1021 */ {"Mega Smasher", 2, 0, 650, 100, 0.5f, 1, 1009, 65, 5, 0},
    /* 1022 */ {"Blast Tank", 2, 0, 200, 200, 0.5f, 1, 1005, 120, 5, 0},
    /* 1023 */ {"Ultra Cycler", 2, 0, 100, 100, 1.5f, 1, 1000, 63, 3, 0},
    /* 1024 */ {"Giant", 2, 0, 2000, 200, 0.25f, 1, 1010, 222, 10, 0},
    /* 1025 */ {"Time Bomb", 5, 0, 40, 1000, 0.0f, 0, 1011, 144, 0, 0},
    /* 1026 */ {"Gyrotor", 1, 8, 10, 3000, 0.25f, 1, -1, 320, 0, 0},
    /* 1027 */ {"Frost Orca", 4, 0, 1000, 70, 0.25f, 1, 1005, 336, 5, 0},
    /* 1028 */ {"The Destroyer", 5, 0, 12000, 3000, 0.25f, 4, 1015, 320, 0, 0},
    /* 1029 */ {"Titan", 2, 0, 2500, 200, 0.25f, 1, 1014, 222, 10, 0},
    /* 1030 */ {"Capsule Cage", 5, 8, 30, 500, 0.0f, 0, -1, 135, 0, 0},
    /* 1031 */ {"Destroyer Zero", 5, 0, 40000, 3000, 0.25f, 4, 1015, 320, 0, 0},
    /* 1032 */ {"Rocket", 5, 7, 1, 10, 3.0f, 1, 1006, 35, 1, 0},
};

}  // namespace

const RobotRow* FindRobotRow(int id) { return (id >= 0 && id < ROBOT_TYPES) ? &kRobots[id] : nullptr; }

const MachineRow* FindMachineRow(int id) {
    return (id >= FIRST_MACHINE_TYPE && id <= LAST_MACHINE_TYPE) ? &kMachines[id - FIRST_MACHINE_TYPE] : nullptr;
}
