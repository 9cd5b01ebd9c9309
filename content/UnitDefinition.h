#pragma once
// Every unit of a battle: Tinkerling robots 0 to 39 and Machines 1000 to 1032.
#include <cstdint>

#include "content/WeaponIds.h"

struct SaveProfile;

enum UnitTerrainClass {
    TERRAIN_AIR = 1,
    TERRAIN_GROUND = 2,
    TERRAIN_MARINE = 3,
    TERRAIN_UNDERWATER = 4,
    TERRAIN_SPECIAL = 5,
};

enum BehaviourRole {
    ROLE_ATTACK = 0,
    ROLE_PRODUCE = 1,
    ROLE_GUARD = 2,
    ROLE_ONESHOT = 3,
    ROLE_PLATFORM = 4,
    ROLE_NONE = 5,
    ROLE_CARRY = 6,
    ROLE_MOVING_ATTACK = 7,
    ROLE_TIMER = 8,
};

// Facts of a unit kind that the battle rules ask by name.
enum UnitFlag : unsigned {
    UNIT_BOSS = 1u << 0,            // the Destroyers: drawn in their own pass, fire volleys
    UNIT_TALL = 1u << 1,            // reaches far above its row (Giant, Titan)
    UNIT_HEAVY = 1u << 2,           // its call weight in a wave never grows past 1
    UNIT_BURROWS = 1u << 3,         // digs under the ground while it moves
    UNIT_NOT_A_KILL = 1u << 4,      // leaving the field does not count as a Machine killed
    UNIT_NO_DROP = 1u << 5,         // never leaves an item behind
    UNIT_STACKS_FREELY = 1u << 6,   // a card that may land on an occupied cell
    UNIT_SPENT_NOT_LOST = 1u << 7,  // used up by its own act: not a robot lost
    UNIT_NO_DEEP_WATER = 1u << 8,   // kept out of deep water
    UNIT_DRAWN_LAST = 1u << 9,      // a Machine drawn over every row of the field
};

constexpr int ROBOT_TYPES = 40;
constexpr int FIRST_MACHINE_TYPE = 1000;
constexpr int LAST_MACHINE_TYPE = 1032;
constexpr int UNIT_WORK_ACTS = 6;

struct UnitDefinition {
    int32_t m_iType;
    int32_t m_iSide;         // 0 robot, 1 Machine
    int32_t m_iTerrain;      // UnitTerrainClass
    int32_t m_iRole;         // BehaviourRole
    int32_t m_iConcealment;  // 1 hidden until it attacks, 2 hidden while attacking too
    int32_t m_iMaxHp;
    int32_t m_iActionInterval;  // frames
    float m_fSpeed;             // pixels per frame
    int32_t m_iMoveMode;
    uint8_t m_bFlag;          // deep-water flag
    int32_t m_iRechargeTime;  // frames
    int32_t m_iEnergyCost;
    int32_t m_aiUnitWork[UNIT_WORK_ACTS];  // animation lengths, written by the robot loader
    WeaponId m_iWeapon;                    // WeaponId::None: none
    int32_t m_iSize;                       // sprite x-offset of a Machine
    int32_t m_iHeartDecrease;              // life lost when the Machine crosses the field
    int32_t m_iUpgradeLevel;
};

// Fills the record for a unit id. Robots take the live profile's laboratory
// upgrade; Machines of the later episodes are tougher in a battle (while the
// battle page is current, of its stage). An unknown id sets only the type,
// side, concealment, flag, size, hearts and upgrade level.
void GetUnitDefinition(UnitDefinition& record, int id);
// The same for a unit of a battle: the upgrade of the profile it is played
// for, the Machines' toughness by the episode of its stage (0: none).
void GetUnitDefinition(UnitDefinition& record, int id, const SaveProfile& profile, int battleStage);

// Whether the unit kind has the fact; false for an unknown id.
bool UnitHas(int id, UnitFlag flag);

// The unit's display name, or null for an unknown id.
const char* GetUnitName(int id);
