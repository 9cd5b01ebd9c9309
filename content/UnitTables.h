#pragma once
// The per-id rows of the unit table, shared by the lookup and its upgrade rule.
#include "content/UnitDefinition.h"

// What a laboratory upgrade changes in a robot's definition.
enum RobotUpgradeEffect {
    UPGRADE_NOTHING,
    UPGRADE_RECHARGE_065,  // recharge * 0.65f
    UPGRADE_HP_135,        // hit points * 1.35f
    UPGRADE_COST20_RECHARGE_075,
    UPGRADE_TERRAIN_SPECIAL,
    UPGRADE_COST,          // cost = value
    UPGRADE_INTERVAL_065,  // action interval * 0.65f
    UPGRADE_INTERVAL_075,  // action interval * 0.75
    UPGRADE_INTERVAL_035,  // action interval * 0.35
};

struct RobotRow {
    const char* name;
    UnitTerrainClass terrain;
    BehaviourRole role;
    int hp, interval, recharge, cost, weapon;
    RobotUpgradeEffect upgrade;
    int upgradeValue;
    unsigned flags;  // UnitFlag bits
};

struct MachineRow {
    const char* name;
    UnitTerrainClass terrain;
    BehaviourRole role;
    int hp, interval;
    float speed;
    int moveMode, weapon, size, hearts, concealment;
    unsigned flags;  // UnitFlag bits
};

// Null for ids outside the tables.
const RobotRow* FindRobotRow(int id);
const MachineRow* FindMachineRow(int id);
