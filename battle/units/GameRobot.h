#pragma once
// Every unit on the battle field: a Tinkerling robot placed from a card (types
// 0 to 39, side 0) or a Machine (types 1000 to 1032, side 1). The battle page
// keeps them by value in its robot list; a new unit is built as a temporary,
// set up and copied in. Units refer to one another by serial only, resolved in
// the page's list on every use, so nothing dangles when a unit is erased.
#include <cstdint>
#include <list>

#include "content/UnitDefinition.h"
#include "content/WeaponDefinition.h"
#include "engine/VxObject.h"

class CVxBillboard;
class CVxSound;
class CPageGame;
struct RobotArt;

enum RobotState : int {
    ROBOT_IDLE = 0,
    ROBOT_MOVE = 1,
    ROBOT_ATTACK = 2,
    ROBOT_DYING = 3,
    ROBOT_SPECIAL = 4,
    ROBOT_GUARD = 5,
};

enum StatusEffect : int {
    STATUS_NONE = 0,
    STATUS_FREEZE = 1,
    STATUS_WEB = 2,
    STATUS_PLASMA = 3,
};

enum MovementMode : int {
    MOVE_NONE = 0,
    MOVE_WALK = 1,
    MOVE_BOB = 2,
    MOVE_SEEK_LANE = 3,
    MOVE_SCRIPTED = 4,
};

// Animations of a unit's art: 0 idle and walk, 1 attack and special, 2 dying,
// 3 concealed or alternate pose. A sprite frame lasts this many ticks.
constexpr int ROBOT_TICKS_PER_FRAME = 5;
constexpr int NO_SERIAL = -1;
constexpr float OFF_FIELD = 10000.0f;
// Serials are taken by every constructed unit, temporaries included; the battle
// page's set-up puts the counter back to 0.
extern int g_iNextRobotSerial;

class CCom_GameRobot : public CVxObject {
public:
    CCom_GameRobot();
    CCom_GameRobot(const CCom_GameRobot&) = default;  // the serial is copied too
    CCom_GameRobot& operator=(const CCom_GameRobot&) = default;
    ~CCom_GameRobot() override = default;

    // Defaults of a fresh unit; serial, hp, action timer, slot, sprite width,
    // row, the two records and the cell are kept.
    void Reset() override;
    // One frame of the unit's life: timers, state step, drawing, role dispatch,
    // death test, animation.
    void Render() override;

    // Puts a unit whose m_Unit and m_iUnitSlot the creator filled on the field.
    void Place(float x, float y, float z);

    // State setters.
    void BeginAttack(bool force);
    void BeginMove();
    void EndAction();
    void BeginSpecial();
    void BeginGuard();
    void BeginDying();

    // Status effects, started by hits.
    void ApplyFreeze();
    void ApplyWeb();
    void ApplyPlasma();
    bool HasStatusEffect() const;

    // Damage, movement, spikes and the flying variant.
    void TakeDamage(int amount);
    void MoveStep();
    void UpdateSpikeDamage();
    bool CanUpgradeVariant();
    void ApplyVariant();
    void RevertVariant();
    void GetEffectAnchor(const VxVec3& point);
    void DrawDebugText();

    // Clean-ups of a dying unit.
    void ReleaseLinkedRobot();
    void RemoveOwnedBullet();

    // Behaviour that the roles, abilities and special Machines add (see
    // GameRobotBehaviours.cpp for which of them act yet).
    void UpdateAttack();
    void UpdateProducer();
    void UpdateGuard();
    void UpdatePlatform();
    void UpdateCarrier();
    void UpdateTimer();
    void StrikeArea();
    void RunAreaAbility();
    void RecycleMachine();
    void PickCardTarget();
    void ProduceItems();
    void RollItemDrop();
    void UpdateTimeBomb();
    void UpdateDestroyer();
    void UpdateGroundAndMarineMotion();
    void UpdateJumperMotion();
    void UpdateCyclerJump();
    void StopBossHands();
    void FireBossVolley();
    // How far a Destroyer's body sprite is moved from its place this frame
    // (draws the shake from the generator, x first).
    VxVec3 DestroyerBodyShift() const;

    // Forgets every serial link to the given unit (shield, bob source, link).
    void ForgetSerial(int serial);

    // Convenience readers of the unit record.
    bool IsMachine() const { return m_Unit.m_iSide != 0; }
    int Type() const { return m_Unit.m_iType; }
    int AnimLength(int anim) const { return m_Unit.m_aiUnitWork[anim]; }

    int32_t m_iState = ROBOT_IDLE;
    int32_t m_iSerial = 0;
    int32_t m_iHp = 0;
    uint8_t m_bExpired = 0;          // finished: the page takes the unit out of its list
    uint8_t m_bPreview = 0;          // the carried-card ghost, drawn for one frame
    int32_t m_iActionTimer = 0;      // frames counted toward the action interval
    int32_t m_iCargoLeft = 10;       // Machines a carrier still drops
    int32_t m_iAnimTick = 0;         // the sprite frame is this / 5
    int32_t m_iCountdown = 0;        // frames of a timed action still to run
    int32_t m_iUnitSlot = 0;         // hand slot 0-16 (Tinkerling) or stage-enemy slot 0-7 (Machine)
    int32_t m_iSpriteWidth = 0;      // width of the first idle frame
    int32_t m_iRow = 0;              // row of the nearest cell
    int32_t m_iHitFlash = 0;         // frames of hit flash left
    uint8_t m_bMirrored = 0;         // drawn facing left
    int32_t m_aiAux[3] = {0, 0, 0};  // per-type scratch words
    int32_t m_iSmokeTimer = 0;       // alarm timer set by the mini-games
    int32_t m_iSmokePeriod = 0;      // 15-frame period of the alarm blink
    int32_t m_iSmokeCount = 0;       // blink steps left
    int32_t m_iStatusGuard = 0;      // frames a snowball cannot push the unit again
    uint8_t m_bEdgeSoundPlayed = 0;
    WeaponDefinition m_Weapon{};
    int32_t m_iWeaponLevel = 0;
    UnitDefinition m_Unit{};
    int32_t m_iStatusEffect = STATUS_NONE;
    int32_t m_iStatusFrames = 0;
    uint8_t m_bConcealed = 0;     // hidden underground or invisible
    int32_t m_iRevealFrames = 0;  // frames a concealing unit stays visible after acting
    int32_t m_iTargetSerial = NO_SERIAL;
    int32_t m_iLaneStep = 0;  // vertical step per frame for MOVE_SEEK_LANE
    int32_t m_iJumpMode = 0;
    int32_t m_iJumpStep = 0;
    int32_t m_iPauseFrames = 0;  // frames standing still while moving
    int32_t m_iLifeFrames = -1;  // remaining life, -1 unlimited
    int32_t m_iCooldown = 0;     // Warrior Bot
    uint8_t m_bNoDrop = 0;
    VxVec3 m_vCell{0.0f, 0.0f, 0.0f};                    // column, row, 0 of the nearest cell
    uint8_t m_abPathCells[50] = {};                      // cells a descending shot passes
    int32_t m_iPlatformTimer = 0;                        // frames of a platform's slide
    uint8_t m_bAltShot = 0;                              // the next shot uses weapon 29
    int32_t m_iPhase = 0;                                // free-running per-unit phase
    VxVec3 m_vLastPosition{OFF_FIELD, OFF_FIELD, 0.0f};  // reference point for reach
    VxVec3 m_vHome{OFF_FIELD, OFF_FIELD, 0.0f};          // its y is the lane line
    int32_t m_iLinkedSerial = NO_SERIAL;
    // Whose m_fBob this unit bobs with: NO_SERIAL for its own.
    int32_t m_iBobSourceSerial = NO_SERIAL;
    float m_fBob = 0.0f;
    uint8_t m_bPlatformOccupied = 0;
    uint8_t m_bSeesConcealed = 0;  // stands on a Surveyor Bot
    uint8_t m_bConsumed = 0;       // taken whole by a Recycler or a Capsule Cage
    // The unit that takes this one's damage: NO_SERIAL for none.
    int32_t m_iShieldSerial = NO_SERIAL;
    uint8_t m_bOnHazard = 0;
    int32_t m_iSpikeTimer = 0;  // spike hits taken
    int32_t m_iSpikeCheck = 0;  // frames to the next spike hit
    uint8_t m_bHoldFire = 0;
    uint8_t m_bRising = 0;  // rises 10 px a frame to its home y
    int32_t m_iCarryTimer = 0;
    VxVec3 m_vEffectAnchor{0.0f, 0.0f, 0.0f};
    uint8_t m_bVariant = 0;       // the flying variant is applied
    uint8_t m_bForceVariant = 0;  // Place applies it without its roll
    int32_t m_iBossTimer = 0;
    int32_t m_aiBoss[4] = {0, 0, 0, 0};  // two boss hands: timer, state each

    // The unit that takes this one's damage, resolved in the page's list.
    CCom_GameRobot* Shield() const;
    // The unit's art record and its sounds (0 entry, 1 the unit's own, 2 hit).
    const RobotArt* Art() const;
    CVxSound* UnitSound(int index) const;

private:
    float BobOffset() const;
    void TakeArtLengths();
    void PlaceMachine(CPageGame& page, int stage, int state);
    bool StartStatus(int effect, int frames);
    CVxBillboard* StepState(CPageGame& page);
    void StepAttack(CPageGame& page, int la);
    void DrawUnit(CPageGame& page, CVxBillboard* sprite);
    void DrawOverlays(CPageGame& page, CVxBillboard* sprite, VxVec3& at);
    void RunRoleDispatch(CPageGame& page);
    void CountTimers();
    void CountAlarm(CPageGame& page);
    void PlatformSlide(CPageGame& page);
    void PullDeadUnitDown(CPageGame& page);
    void CarrierSweep(CPageGame& page, VxVec3& at);

    // Drawing scratch of the current frame, not part of the unit's state.
    float m_fDyingFade = 1.0f;
    int32_t m_iShownAnim = 0;
    int32_t m_iShownFrame = 0;
};

using RobotList = std::list<CCom_GameRobot>;

// The unit of the list with that serial, or null.
CCom_GameRobot* FindRobotBySerial(RobotList& robots, int serial);
// Takes a unit out of the list: every serial link to it is dropped first.
// The one way a unit leaves the battle page's list.
RobotList::iterator EraseRobot(RobotList& robots, RobotList::iterator it);

// The stage's world (1 to 5) and position numbers as the units read them.
struct StagePlace {
    int episode;
    int world;
    int number;  // 1 to 50 within the episode
};
StagePlace GetStagePlace(int stage);
