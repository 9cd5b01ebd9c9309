#pragma once
// The art and sounds of one robot or Machine type as the battle draws it:
// held by the application's caches and lent to the battle page's records.
#include "content/UnitDefinition.h"
#include "content/WeaponDefinition.h"

class CVxBillboard;
class CVxSound;

constexpr int ROBOT_ACTS = 6;
constexpr int ROBOT_ACT_FRAMES = 20;
constexpr int ROBOT_SOUNDS = 3;

struct RobotArt {
    UnitDefinition m_Unit;
    WeaponReachMask m_aiReach;
    CVxBillboard* m_apAct[ROBOT_ACTS][ROBOT_ACT_FRAMES];
    CVxBillboard* m_pWeapon;
    CVxBillboard* m_pWeapon2;
    CVxSound* m_apSound[ROBOT_SOUNDS];
    // Where a flying Machine's rotor turns over the pictures of each act (the
    // table the pack keeps beside them): from a picture's middle, x right,
    // y up, in pixels.
    bool m_abRotor[ROBOT_ACTS];
    float m_afRotor[ROBOT_ACTS][2];
};

// Zeroes the record and its pointers (frees nothing).
void ClearRobotArt(RobotArt& art);
