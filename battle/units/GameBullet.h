#pragma once
// One shot in flight, of either side: the battle page keeps bullets by value
// in its bullet list. A bullet is built as a temporary, set up from a weapon
// id, copied into the list and the temporary dropped. It names the robots it
// concerns by serial (target, firer, those already struck) and finds them in
// the page's robot list when it needs them.
#include <cstdint>
#include <list>

#include "content/WeaponDefinition.h"
#include "engine/VxObject.h"

extern int g_iNextBulletSerial;

class CCom_GameRobot;

// The area an area-mode hit test strikes; a kind that never fills it strikes
// nothing there.
struct BulletHitArea {
    bool set = false;
    float left = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
    float bottom = 0.0f;
};

class CCom_GameBullet : public CVxObject {
public:
    // Takes the next serial; age, velocity and hop cleared, no target.
    CCom_GameBullet();
    CCom_GameBullet(const CCom_GameBullet&) = default;
    CCom_GameBullet& operator=(const CCom_GameBullet&) = default;
    ~CCom_GameBullet() override = default;

    // The constructor's clearing without a new serial.
    void Reset() override;
    // Turns a weapon id into a ready bullet: position, motion, owner's
    // upgrade, per-kind adjustments.
    void Setup(int kind, int graphic, float x, float y, float z, int targetSerial, int ownerSerial);
    // One frame: flight, drawing, the kind's hit test, ageing.
    void Render() override;
    // Strikes what this frame's test reaches (area mode: what lies in
    // m_rcHitArea).
    void TestHits(bool areaMode);
    // The rolling snowball's height as a share of its picture's: it loses
    // 0.5 - (hits left / hits) x 0.4 of it, a tenth when fresh, half when spent.
    static float SnowballHeight(int hitsLeft, int hits);
    // Kill statistics after a strike on that robot.
    void RecordKill(CCom_GameRobot& robot);
    // The firer, looked up by serial; null once it has left the field.
    CCom_GameRobot* Owner() const;

    int32_t m_iSide = 0;  // 0 Tinkerling shot, 1 Machine shot: the side it does not hit
    int32_t m_iSerial = 0;
    int32_t m_iBulletKind = 0;    // weapon id it was set up with
    int32_t m_iHopTimer = 0;      // frames of a knock-back hop; 0 none
    WeaponDefinition m_Weapon{};  // own copy, adjusted per kind
    int32_t m_iOwnerUpgrade = 0;  // firer's upgrade level (0 when it is not found)
    VxVec3 m_vVelocity{0.0f, 0.0f, 0.0f};
    VxVec3 m_vAimPoint{0.0f, 0.0f, 0.0f};
    int32_t m_iHitsLeft = 0;  // finished at 0 or below
    int32_t m_iAge = 0;
    int32_t m_iLifetime = 0;
    int32_t m_iGraphic = 0;  // hand slot, or 1000 + stage-enemy slot
    int32_t m_iLane = 0;     // row of the nearest cell
    int32_t m_iTargetSerial = -1;
    // The firer, resolved in the robot list on use; -1 none.
    int32_t m_iOwnerSerial = -1;
    std::list<int> m_lstHitSerials;  // robots already struck
    BulletHitArea m_rcHitArea{};
    int32_t m_iMissMode = 0;  // 0 may miss, 1 never misses, -1 always misses
    int32_t m_iKills = 0;     // Machines this bullet destroyed
};

using BulletList = std::list<CCom_GameBullet>;
