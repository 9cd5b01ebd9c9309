#pragma once
// One shot in flight, of either side: the battle model keeps bullets by value
// in its bullet list. A bullet is built as a temporary, set up from a weapon
// id, copied into the list and the temporary dropped. It names the robots it
// concerns by serial (target, firer, those already struck) and finds them in
// the model's robot list when it needs them.
#include <cstdint>
#include <list>

#include "content/WeaponDefinition.h"
#include "engine/VxObject.h"

class CBattleModel;
class CCom_GameRobot;
class CVxBillboard;
struct BattleScene;

// The area an area-mode hit test strikes; a kind that never fills it strikes
// nothing there.
struct BulletHitArea {
    bool set = false;
    float left = 0.0f;
    float right = 0.0f;
    float top = 0.0f;
    float bottom = 0.0f;
};

// The bullet as it stood when its frame's drawing came due: the hit test and
// ageing that follow may change it, and Draw shows what was there.
struct BulletLook {
    bool shown = false;  // the kind draws this frame
    int frame = 0;       // the engine frame the look was taken on
    int age = 0;
    int hitsLeft = 0;
    bool hopping = false;  // a snowball: a knock-back hop tints it
    int hopTimer = 0;
    VxVec3 at{0.0f, 0.0f, 0.0f};  // where the kind draws its picture
    float rot = 0.0f;             // heading
    float turn = 0.0f;            // web and sniper shots: the aim toward the target
    float alpha = 1.0f;           // mole drill: faint while its firer hides
    VxVec3 sparks[3]{};           // shock: jittered points between firer and target
    float spins[2] = {};          // plasma shot: the flares' random turns
};

// A firer's art slot (hand slot, or 1000 + stage-enemy slot): its weapon
// sprite and its second one; null where the scene has none.
struct BulletArt {
    CVxBillboard* main = nullptr;
    CVxBillboard* second = nullptr;
};
BulletArt BulletArtOf(const BattleScene& scene, int graphic);

class CCom_GameBullet : public CVxObject {
public:
    // Age, velocity and hop cleared, no target; a record with no serial, or
    // a shot of the battle's, which takes its next bullet serial.
    CCom_GameBullet();
    explicit CCom_GameBullet(CBattleModel& model);
    CCom_GameBullet(const CCom_GameBullet&) = default;
    CCom_GameBullet& operator=(const CCom_GameBullet&) = default;
    ~CCom_GameBullet() override = default;

    // The constructor's clearing without a new serial.
    void Reset() override;
    // Turns a weapon id into a ready bullet: position, motion, owner's
    // upgrade, per-kind adjustments.
    void Setup(CBattleModel& model, WeaponId kind, int graphic, float x, float y, float z, int targetSerial,
               int ownerSerial);
    // One frame of the rules: flight, the kind's hit test, ageing; it takes
    // the look Draw shows.
    void Update(CBattleModel& model);
    // This frame's look, drawn with the firer's borrowed sprites.
    void Draw(const CBattleModel& model) const;
    // Strikes what this frame's test reaches (area mode: what lies in
    // m_rcHitArea).
    void TestHits(CBattleModel& model, bool areaMode);
    // The rolling snowball's height as a share of its picture's: it loses
    // 0.5 - (hits left / hits) x 0.4 of it, a tenth when fresh, half when spent.
    static float SnowballHeight(int hitsLeft, int hits);
    // Kill statistics after a strike on that robot.
    void RecordKill(CBattleModel& model, CCom_GameRobot& robot);
    // The firer, looked up by serial; null once it has left the field.
    CCom_GameRobot* Owner(CBattleModel& model) const;

    int32_t m_iSide = 0;  // 0 Tinkerling shot, 1 Machine shot: the side it does not hit
    int32_t m_iSerial = 0;
    WeaponId m_iBulletKind{};     // the weapon it was set up with
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
    BulletLook m_Look{};      // drawing scratch, taken by Update

private:
    // A bullet runs as Update then Draw; the object's own one-call frame is not for it.
    using CVxObject::Render;

    // Setup's steps: the motion it starts with, and the firer's upgrade.
    void SetOff(CBattleModel& model, const CCom_GameRobot* owner, const CCom_GameRobot* target);
    void ApplyUpgrade(CBattleModel& model, const CCom_GameRobot* target, int ownerSerial);
    // Flight by motion; false when the bullet is spent without a look (a
    // summoning shot).
    bool Move(CBattleModel& model, float spriteHeight);
    void MoveStraight(CBattleModel& model, float spriteHeight);
    void MoveHoming(CBattleModel& model);
    void MoveGlide(CBattleModel& model);
    void Summon(CBattleModel& model);
    // The kind's look and hit test for this frame.
    void Act(CBattleModel& model);
    // Kinds that strike an area: bursts, clouds, beams.
    void ActBlast(CBattleModel& model);
    void ActFlame(CBattleModel& model);
    void ActSnowball(CBattleModel& model);
    void ActSparks(CBattleModel& model);
    void ActThread(CBattleModel& model);
    void ActSeeker(CBattleModel& model);
    void ActFetch(CBattleModel& model);
    void ActRise(CBattleModel& model);
    // Takes the look at this point of the frame.
    void TakeLook(const CBattleModel& model);
    // An area-mode test of the box (left, right, top, bottom).
    void HitArea(CBattleModel& model, float left, float right, float top, float bottom);
    // The look, by family.
    void DrawDart(CVxBillboard* main, CVxBillboard* second) const;
    void DrawPlain(CVxBillboard* main, CVxBillboard* second) const;
    void DrawFrost(CVxBillboard* main) const;
    void DrawSnowball(CVxBillboard* main) const;
    void DrawBurst(CVxBillboard* main, CVxBillboard* second) const;
    void DrawStream(CVxBillboard* main, CVxBillboard* second) const;
    void DrawLinked(CVxBillboard* main) const;
    // The hit test's steps.
    void ClearBlastSpikes(CBattleModel& model);
    void HitTarget(CBattleModel& model);
    bool Sweep(CBattleModel& model, const CCom_GameRobot* owner, bool areaMode, bool burrowersOnly);
    bool MayStrike(const CCom_GameRobot& r, const CCom_GameRobot* owner, bool burrowersOnly) const;
    bool Reaches(const CBattleModel& model, const CCom_GameRobot& r, const CCom_GameRobot* owner, bool areaMode) const;
    bool StrikeDirect(CBattleModel& model, CCom_GameRobot& r);
    bool StrikeArea(CBattleModel& model, CCom_GameRobot& r);
    void PlayHitSound(CBattleModel& model) const;
    void Impact(CBattleModel& model, float x, float y, float z);
};

using BulletList = std::list<CCom_GameBullet>;
