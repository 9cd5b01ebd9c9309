// The robot and Machine tables.
#include "content/UnitTables.h"

namespace {

// clang-format off
const RobotRow kRobots[ROBOT_TYPES] = {
    //  name               terrain role  hp   interval recharge cost weapon upgrade value flags
    /*  0 */ {"Fusor Bot", TERRAIN_GROUND, ROLE_PRODUCE, 60, 1000, 300, 10, -1, UPGRADE_RECHARGE_065, 0, 0},
    /*  1 */ {"Gunner Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 500, 20, 0, UPGRADE_NOTHING, 0, 0},
    /*  2 */ {"Cannon Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 70, 500, 20, 1, UPGRADE_NOTHING, 0, 0},
    /*  3 */ {"Blocker Bot", TERRAIN_GROUND, ROLE_GUARD, 400, 1000, 500, 30, -1, UPGRADE_HP_135, 0, 0},
    /*  4 */ {"Copter Bot", TERRAIN_AIR, ROLE_ATTACK, 40, 70, 500, 30, 2, UPGRADE_COST20_RECHARGE_075, 0, 0},
    /*  5 */ {"Freezer Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 500, 35, 3, UPGRADE_NOTHING, 0, UNIT_NO_DEEP_WATER},
    /*  6 */ {"Mini-Mine", TERRAIN_GROUND, ROLE_ONESHOT, 1, 50, 1000, 10, 5, UPGRADE_TERRAIN_SPECIAL, 0, UNIT_SPENT_NOT_LOST},
    /*  7 */ {"Dropper Bot", TERRAIN_AIR, ROLE_ATTACK, 40, 60, 500, 40, 4, UPGRADE_NOTHING, 0, 0},
    /*  8 */ {"Flame Bot", TERRAIN_GROUND, ROLE_ATTACK, 150, 350, 500, 50, 6, UPGRADE_NOTHING, 0, UNIT_NO_DEEP_WATER},
    /*  9 */ {"Warrior Bot", TERRAIN_GROUND, ROLE_ATTACK, 600, 30, 1000, 55, 7, UPGRADE_HP_135, 0, 0},
    /* 10 */ {"Sonar Bot", TERRAIN_GROUND, ROLE_ATTACK, 70, 100, 500, 15, 8, UPGRADE_NOTHING, 0, 0},
    /* 11 */ {"Floater Bot", TERRAIN_AIR, ROLE_PLATFORM, 1, 100, 200, 20, -1, UPGRADE_COST, 15, 0},
    /* 12 */ {"Boomerang Bot", TERRAIN_GROUND, ROLE_ATTACK, 150, 100, 500, 40, 9, UPGRADE_NOTHING, 0, 0},
    /* 13 */ {"Bubble Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 60, 500, 40, 10, UPGRADE_NOTHING, 0, 0},
    /* 14 */ {"Mini-Bomber", TERRAIN_SPECIAL, ROLE_ONESHOT, 1, 50, 2500, 25, 11, UPGRADE_NOTHING, 0, UNIT_STACKS_FREELY | UNIT_SPENT_NOT_LOST},
    /* 15 */ {"Diver Bot", TERRAIN_UNDERWATER, ROLE_ATTACK, 40, 40, 500, 45, 18, UPGRADE_NOTHING, 0, 0},
    /* 16 */ {"Spider Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 75, 500, 45, 23, UPGRADE_NOTHING, 0, 0},
    /* 17 */ {"Submerger Bot", TERRAIN_UNDERWATER, ROLE_PLATFORM, 1, 100, 200, 15, -1, UPGRADE_COST, 10, 0},
    /* 18 */ {"Missiler Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 1000, 50, 13, UPGRADE_INTERVAL_075, 0, 0},
    /* 19 */ {"Snow Baller", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 1000, 50, 14, UPGRADE_NOTHING, 0, 0},
    /* 20 */ {"Storm Bot", TERRAIN_SPECIAL, ROLE_ONESHOT, 1, 50, 2500, 25, 12, UPGRADE_NOTHING, 0, UNIT_SPENT_NOT_LOST},
    /* 21 */ {"Mariner Bot", TERRAIN_MARINE, ROLE_ATTACK, 60, 55, 500, 30, 2, UPGRADE_COST20_RECHARGE_075, 0, 0},
    /* 22 */ {"Fixer Bot", TERRAIN_GROUND, ROLE_ATTACK, 70, 400, 1500, 40, 15, UPGRADE_INTERVAL_035, 0, 0},
    /* 23 */ {"Buoyer Bot", TERRAIN_MARINE, ROLE_PLATFORM, 1, 50, 200, 10, -1, UPGRADE_COST, 5, 0},
    /* 24 */ {"D.Shotgunner", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 1500, 60, 16, UPGRADE_NOTHING, 0, 0},
    /* 25 */ {"Shocker Bot", TERRAIN_GROUND, ROLE_ATTACK, 150, 100, 1000, 45, 17, UPGRADE_NOTHING, 0, 0},
    /* 26 */ {"Atomic Bot", TERRAIN_SPECIAL, ROLE_ONESHOT, 1, 50, 8000, 80, 22, UPGRADE_NOTHING, 0, UNIT_STACKS_FREELY | UNIT_SPENT_NOT_LOST},
    /* 27 */ {"Barrier Bots", TERRAIN_SPECIAL, ROLE_TIMER, 400, 50, 2000, 30, -1, UPGRADE_HP_135, 0, 0},
    /* 28 */ {"Plasma Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 2000, 70, 20, UPGRADE_NOTHING, 0, UNIT_NO_DEEP_WATER},
    /* 29 */ {"Surveyor Bot", TERRAIN_SPECIAL, ROLE_PLATFORM, 1, 50, 1000, 25, -1, UPGRADE_RECHARGE_065, 0, 0},
    /* 30 */ {"Sniper Bot", TERRAIN_GROUND, ROLE_ATTACK, 100, 350, 2000, 75, 24, UPGRADE_NOTHING, 0, 0},
    /* 31 */ {"Hammer Bot", TERRAIN_SPECIAL, ROLE_ONESHOT, 1, 50, 100, 5, 19, UPGRADE_TERRAIN_SPECIAL, 0, UNIT_STACKS_FREELY | UNIT_SPENT_NOT_LOST},
    /* 32 */ {"Recycler Bot", TERRAIN_SPECIAL, ROLE_ONESHOT, 1, 50, 1500, 15, 28, UPGRADE_NOTHING, 0, UNIT_STACKS_FREELY | UNIT_SPENT_NOT_LOST},
    /* 33 */ {"Mini-Magnet", TERRAIN_GROUND, ROLE_ATTACK, 70, 100, 500, 25, 27, UPGRADE_NOTHING, 0, 0},
    /* 34 */ {"Factory Bot", TERRAIN_GROUND, ROLE_PRODUCE, 70, 1000, 1000, 35, -1, UPGRADE_INTERVAL_065, 0, 0},
    /* 35 */ {"Papa Fusor", TERRAIN_GROUND, ROLE_PRODUCE, 70, 1000, 750, 20, -1, UPGRADE_RECHARGE_065, 0, 0},
    /* 36 */ {"Mama Factory", TERRAIN_GROUND, ROLE_PRODUCE, 70, 1000, 3500, 75, -1, UPGRADE_INTERVAL_065, 0, 0},
    /* 37 */ {"Machine Gunner", TERRAIN_SPECIAL, ROLE_TIMER, 1, 20, 3000, 125, 25, UPGRADE_RECHARGE_065, 0, 0},
    /* 38 */ {"Mortar Bot", TERRAIN_SPECIAL, ROLE_TIMER, 1, 20, 4500, 195, 26, UPGRADE_RECHARGE_065, 0, 0},
    /* 39 */ {"Remover Bot", TERRAIN_SPECIAL, ROLE_TIMER, 1, 50, 0, 0, -1, UPGRADE_NOTHING, 0, 0},
};

const MachineRow kMachines[LAST_MACHINE_TYPE - FIRST_MACHINE_TYPE + 1] = {
    //  name                   terrain role  hp    interval speed move weapon size hearts concealment flags
    /* 1000 */ {"Smasher", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 0.5f, 1, 1000, 83, 1, 0, 0},
    /* 1001 */ {"Air Scout", TERRAIN_AIR, ROLE_ATTACK, 40, 100, 0.5f, 1, 1001, 108, 1, 0, 0},
    /* 1002 */ {"Heavy Smasher", TERRAIN_GROUND, ROLE_ATTACK, 300, 100, 0.5f, 1, 1000, 84, 2, 0, 0},
    /* 1003 */ {"Jetpacker", TERRAIN_AIR, ROLE_ATTACK, 30, 100, 2.0f, 1, 1001, 86, 2, 0, 0},
    /* 1004 */ {"Cycler", TERRAIN_GROUND, ROLE_ATTACK, 70, 100, 2.0f, 1, 1000, 80, 2, 0, 0},
    /* 1005 */ {"Transporter", TERRAIN_GROUND, ROLE_CARRY, 400, 500, 0.25f, 1, -1, 180, 4, 0, 0},
    /* 1006 */ {"Driller", TERRAIN_GROUND, ROLE_ATTACK, 150, 100, 0.5f, 1, 1000, 71, 3, 1, UNIT_BURROWS},
    /* 1007 */ {"Jumper", TERRAIN_GROUND, ROLE_NONE, 40, 100, 1.25f, 2, -1, 70, 3, 0, 0},
    /* 1008 */ {"Knight", TERRAIN_GROUND, ROLE_ATTACK, 150, 100, 1.5f, 1, 1002, 77, 3, 0, 0},
    /* 1009 */ {"Napalm Airship", TERRAIN_AIR, ROLE_MOVING_ATTACK, 60, 50, 1.0f, 1, 1003, 151, 3, 0, 0},
    /* 1010 */ {"Rocket Wagon", TERRAIN_GROUND, ROLE_ATTACK, 300, 100, 0.25f, 1, 1004, 120, 4, 0, 0},
    /* 1011 */ {"Fighter Sub", TERRAIN_UNDERWATER, ROLE_MOVING_ATTACK, 55, 150, 0.5f, 1, 1005, 105, 3, 0, 0},
    /* 1012 */ {"Speeder Sub", TERRAIN_UNDERWATER, ROLE_MOVING_ATTACK, 40, 150, 1.5f, 3, 1005, 114, 3, 0, 0},
    /* 1013 */ {"Stingray", TERRAIN_UNDERWATER, ROLE_NONE, 20, 100, 1.5f, 1, -1, 162, 3, 0, 0},
    /* 1014 */ {"Mole", TERRAIN_GROUND, ROLE_ATTACK, 200, 200, 0.5f, 1, 1007, 90, 4, 2, UNIT_BURROWS},
    /* 1015 */ {"Killer Whale", TERRAIN_UNDERWATER, ROLE_CARRY, 600, 500, 0.25f, 1, -1, 336, 5, 0, UNIT_HEAVY},
    /* 1016 */ {"Gunboat", TERRAIN_MARINE, ROLE_MOVING_ATTACK, 125, 200, 0.5f, 1, 1004, 117, 3, 0, 0},
    /* 1017 */ {"Hyper Jet", TERRAIN_AIR, ROLE_MOVING_ATTACK, 50, 200, 0.75f, 3, 1005, 140, 3, 0, 0},
    /* 1018 */ {"Marine Striker", TERRAIN_MARINE, ROLE_ATTACK, 400, 1000, 0.5f, 1, 1008, 285, 5, 0, UNIT_HEAVY},
    /* 1019 */ {"Ghost", TERRAIN_SPECIAL, ROLE_ATTACK, 50, 100, 0.5f, 1, 1000, 92, 3, 2, 0},
    /* 1020 */ {"Reaper", TERRAIN_AIR, ROLE_ATTACK, 200, 200, 0.75f, 1, 1013, 90, 5, 0, 0},
    /* 1021 */ {"Mega Smasher", TERRAIN_GROUND, ROLE_ATTACK, 650, 100, 0.5f, 1, 1009, 65, 5, 0, 0},
    /* 1022 */ {"Blast Tank", TERRAIN_GROUND, ROLE_ATTACK, 200, 200, 0.5f, 1, 1005, 120, 5, 0, 0},
    /* 1023 */ {"Ultra Cycler", TERRAIN_GROUND, ROLE_ATTACK, 100, 100, 1.5f, 1, 1000, 63, 3, 0, 0},
    /* 1024 */ {"Giant", TERRAIN_GROUND, ROLE_ATTACK, 2000, 200, 0.25f, 1, 1010, 222, 10, 0, UNIT_HEAVY | UNIT_TALL},
    /* 1025 */ {"Time Bomb", TERRAIN_SPECIAL, ROLE_ATTACK, 40, 1000, 0.0f, 0, 1011, 144, 0, 0, UNIT_NOT_A_KILL | UNIT_NO_DROP | UNIT_DRAWN_LAST},
    /* 1026 */ {"Gyrotor", TERRAIN_AIR, ROLE_TIMER, 10, 3000, 0.25f, 1, -1, 320, 0, 0, 0},
    /* 1027 */ {"Frost Orca", TERRAIN_UNDERWATER, ROLE_ATTACK, 1000, 70, 0.25f, 1, 1005, 336, 5, 0, 0},
    /* 1028 */ {"The Destroyer", TERRAIN_SPECIAL, ROLE_ATTACK, 12000, 3000, 0.25f, 4, 1015, 320, 0, 0, UNIT_BOSS | UNIT_NO_DROP},
    /* 1029 */ {"Titan", TERRAIN_GROUND, ROLE_ATTACK, 2500, 200, 0.25f, 1, 1014, 222, 10, 0, UNIT_HEAVY | UNIT_TALL},
    /* 1030 */ {"Capsule Cage", TERRAIN_SPECIAL, ROLE_TIMER, 30, 500, 0.0f, 0, -1, 135, 0, 0, UNIT_NOT_A_KILL | UNIT_NO_DROP | UNIT_DRAWN_LAST},
    /* 1031 */ {"Destroyer Zero", TERRAIN_SPECIAL, ROLE_ATTACK, 40000, 3000, 0.25f, 4, 1015, 320, 0, 0, UNIT_BOSS | UNIT_NO_DROP},
    /* 1032 */ {"Rocket", TERRAIN_SPECIAL, ROLE_MOVING_ATTACK, 1, 10, 3.0f, 1, 1006, 35, 1, 0, UNIT_NOT_A_KILL | UNIT_NO_DROP},
};
// clang-format on

}  // namespace

const RobotRow* FindRobotRow(int id) { return (id >= 0 && id < ROBOT_TYPES) ? &kRobots[id] : nullptr; }

const MachineRow* FindMachineRow(int id) {
    return (id >= FIRST_MACHINE_TYPE && id <= LAST_MACHINE_TYPE) ? &kMachines[id - FIRST_MACHINE_TYPE] : nullptr;
}

bool UnitHas(int id, UnitFlag flag) {
    if (const RobotRow* row = FindRobotRow(id)) return (row->flags & flag) != 0;
    if (const MachineRow* row = FindMachineRow(id)) return (row->flags & flag) != 0;
    return false;
}
