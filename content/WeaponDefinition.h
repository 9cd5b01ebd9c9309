#pragma once
// Bullet kinds: Tinkerling weapons 0 to 30, Machine weapons 1000 to 1017.
#include <cstdint>

#include "content/FieldEffectTypes.h"
#include "content/WeaponIds.h"

// A motion is a type of its own: a bare number where one is meant does not compile.
enum class BulletMotion : int32_t {};
constexpr BulletMotion MOTION_AT_RANGE{0};  // placed at the end of its range, never moves: melee blows
constexpr BulletMotion MOTION_STRAIGHT{1};
constexpr BulletMotion MOTION_SPIN{2};
constexpr BulletMotion MOTION_HOMING{3};
constexpr BulletMotion MOTION_LOB{4};
constexpr BulletMotion MOTION_NONE{5};
constexpr BulletMotion MOTION_GLIDE{6};
constexpr BulletMotion MOTION_SUMMON{7};
constexpr BulletMotion MOTION_RAY{8};      // drawn toward its target from a bullet that stays put
constexpr BulletMotion MOTION_COLLECT{9};  // the collector

struct WeaponDefinition {
    WeaponId m_iId;
    int32_t m_iDamage;
    int32_t m_iRange;        // pixels; a column is 85.5 wide
    int32_t m_iAngle;        // degrees: 90 toward the Machines, -90 toward the robots, 0 up
    int32_t m_iArc;          // degrees, 360 for blasts
    int32_t m_iSpeed;        // pixels per frame
    BulletMotion m_iMotion;  // at range, ray and collect pick no flight rule
    int32_t m_iSize;         // graphic size in pixels
    float m_fAreaWidth;
    float m_fAreaHeight;
    float m_fAreaDepth;
    int32_t m_iHits;                  // 10000 and 20000 never run out
    int32_t m_iLifetime;              // frames
    FieldEffectType m_iHitEffectArg;  // shown where it strikes
    uint8_t m_bMarker;                // kept until its lifetime ends
};

// Fills the record for a weapon id. Unknown ids (and 1016) set only the id, the
// zero area and the zero marker. While the battle page is current in stages
// 51 to 150, Machine weapons hit harder.
void GetWeaponDefinition(WeaponDefinition& record, WeaponId id);

// Cells a weapon reaches around its robot: 19 rows (9 - d is d columns ahead)
// by 9 columns (4 + e is e lanes below). 2 marks a reached cell.
constexpr int REACH_ROWS = 19;
constexpr int REACH_COLUMNS = 9;
using WeaponReachMask = int32_t[REACH_ROWS][REACH_COLUMNS];

void GetWeaponReachMask(WeaponId weapon, WeaponReachMask& mask);

struct FieldCell;

// Marks in a 50-byte mask (index column * 5 + row) the cells that something
// falling from (column, row) passes on its way down, reading the stage kinds of
// the battle page's field. The third argument is not used.
void MarkDescentPath(float column, float row, int unused, uint8_t* mask, bool alsoLeft);
// The same walk over a given field grid.
void MarkDescentPath(const FieldCell* cells, float column, float row, uint8_t* mask, bool alsoLeft);
