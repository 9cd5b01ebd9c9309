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
class CVxNumber;
class CVxSound;
class CBattleModel;
struct RobotArt;
struct RobotPose;
struct AttackScan;
struct FieldCell;

// A colour a unit is drawn with; set when something asked for it.
struct RobotTint {
    bool set = false;
    float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
    bool additive = false;
};

// One draw the update recorded for Draw to replay, in order.
struct RobotDrawStep {
    enum Kind : uint8_t {
        SAVE,          // the billboard's state is kept
        RESTORE,       // and given back
        ALPHA_BLEND,   // the billboard blends by alpha from here on
        TINTED,        // placed, scaled, turned and tinted (blend >= 0: that blend mode)
        SAVED_TINTED,  // the same between its own save and restore
        PLACED,        // only placed, between its own save and restore
        ARM,           // placed, turned and faded, between its own save and restore
        DIGITS,        // the number `blend`, red, scaled by sx and faded by tint.a
    };
    Kind kind = SAVE;
    CVxBillboard* billboard = nullptr;
    CVxNumber* digits = nullptr;
    VxVec3 at{0.0f, 0.0f, 0.0f};
    float sx = 1.0f, sy = 1.0f, rotation = 0.0f;
    RobotTint tint{};
    int blend = -1;
};

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
class CCom_GameRobot : public CVxObject {
public:
    // A record with no serial of a battle's (NO_SERIAL).
    CCom_GameRobot();
    // A unit of the battle's: it takes the battle's next robot serial.
    explicit CCom_GameRobot(CBattleModel& model);
    CCom_GameRobot(const CCom_GameRobot&) = default;  // the serial is copied too
    CCom_GameRobot& operator=(const CCom_GameRobot&) = default;
    ~CCom_GameRobot() override = default;
    // A robot that is only drawn (a carried card's ghost, the preview's): it
    // takes no serial but is given one (its picture's bob goes by it).
    static CCom_GameRobot Numbered(int serial);

    // Defaults of a fresh unit; serial, hp, action timer, slot, sprite width,
    // row, the two records and the cell are kept.
    void Reset() override;
    // One frame of the unit's life: timers, state step, role dispatch, death
    // test, animation. What the frame shows is recorded for Draw.
    void Update(CBattleModel& model);
    // Draws what the last Update recorded.
    void Draw(const CBattleModel& model) const;
    // The draws the last Update recorded, in order.
    int DrawStepCount() const { return m_nDrawSteps; }
    const RobotDrawStep& DrawStepAt(int i) const { return m_aDrawSteps[i]; }

    // Puts a unit whose m_Unit and m_iUnitSlot the creator filled on the field.
    void Place(CBattleModel& model, float x, float y, float z);

    // State setters.
    void BeginAttack(CBattleModel& model, bool force);
    void BeginMove();
    void EndAction(CBattleModel& model);
    void BeginSpecial(CBattleModel& model);
    void BeginGuard(CBattleModel& model);
    void BeginDying(CBattleModel& model);

    // Status effects, started by hits.
    void ApplyFreeze(CBattleModel& model);
    void ApplyWeb(CBattleModel& model);
    void ApplyPlasma(CBattleModel& model);
    bool HasStatusEffect() const;

    // Damage, movement, spikes and the flying variant.
    void TakeDamage(CBattleModel& model, int amount);
    void MoveStep(CBattleModel& model);
    void UpdateSpikeDamage(CBattleModel& model);
    bool CanUpgradeVariant(CBattleModel& model);
    void ApplyVariant();
    void RevertVariant(const CBattleModel& model);
    // The rotor over a flier drawn at `point`, its picture scaled by sx, sy.
    void GetEffectAnchor(const CBattleModel& model, const VxVec3& point, float sx, float sy);

    // Clean-ups of a dying unit.
    void ReleaseLinkedRobot(CBattleModel& model);
    void RemoveOwnedBullet(CBattleModel& model);

    // Behaviour that the roles, abilities and special Machines add (see
    // GameRobotBehaviours.cpp for which of them act yet).
    void UpdateAttack(CBattleModel& model);
    void UpdateProducer(CBattleModel& model);
    void UpdateGuard(CBattleModel& model);
    void UpdatePlatform(CBattleModel& model);
    void UpdateCarrier(CBattleModel& model);
    void UpdateTimer();
    void StrikeArea(CBattleModel& model);
    void RunAreaAbility(CBattleModel& model);
    void RecycleMachine(CBattleModel& model);
    void PickCardTarget(CBattleModel& model);
    void ProduceItems(CBattleModel& model);
    void RollItemDrop(CBattleModel& model);
    void UpdateTimeBomb(CBattleModel& model);
    void UpdateDestroyer(CBattleModel& model);
    void UpdateGroundAndMarineMotion(CBattleModel& model);
    void UpdateJumperMotion(CBattleModel& model);
    void UpdateCyclerJump(CBattleModel& model);
    void StopBossHands(CBattleModel& model);
    void FireBossVolley(CBattleModel& model);
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
    uint8_t m_bAltShot = 0;                              // the next shot is a pulse at the air
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
    CCom_GameRobot* Shield(CBattleModel& model) const;
    // The unit's art record and its sounds (0 entry, 1 the unit's own, 2 hit).
    const RobotArt* Art(const CBattleModel& model) const;
    CVxSound* UnitSound(const CBattleModel& model, int index) const;

private:
    // A robot runs as Update then Draw; the object's own one-call frame is not for it.
    using CVxObject::Render;

    float BobOffset(CBattleModel& model) const;
    void TakeArtLengths(CBattleModel& model);
    void PlaceMachine(CBattleModel& model, int stage, int state);
    bool StartStatus(CBattleModel& model, int effect, int frames);
    CVxBillboard* StepState(CBattleModel& model);
    void StepAttack(CBattleModel& model, int la);
    void StepIdle(CBattleModel& model, int& anim, int& frame);
    void StepMove(CBattleModel& model, int& anim, int& frame);
    void StepAttackState(CBattleModel& model, int& anim, int& frame);
    void StepSpecial(CBattleModel& model, int& anim, int& frame);
    void StepDying(CBattleModel& model, int& anim, int& frame);
    void StepGuard(CBattleModel& model, int& anim, int& frame);
    void StepTimers(CBattleModel& model);
    void FireTinkerlingShot(CBattleModel& model);
    void FireMachineShot(CBattleModel& model);
    void EndAttack(CBattleModel& model);
    void ComposeUnit(CBattleModel& model, CVxBillboard* sprite);
    VxVec3 SpritePlace(CBattleModel& model, const CVxBillboard* sprite);
    void ComposeOverlays(CBattleModel& model, CVxBillboard* sprite, VxVec3& at);
    void ComposeBarrier(CBattleModel& model, RobotPose& pose);
    void PoseFacing(RobotPose& pose);
    void PoseTints(const CBattleModel& model, RobotPose& pose);
    void PoseMotion(RobotPose& pose);
    void PoseOddities(CBattleModel& model, RobotPose& pose);
    void PoseRocket(RobotPose& pose);
    void PoseSwimmers(CBattleModel& model, RobotPose& pose);
    void PoseBombs(CBattleModel& model, RobotPose& pose);
    void AddDrawStep(const RobotDrawStep& step);
    void FallWhileHeld(CBattleModel& model);
    void SeekLane(CBattleModel& model, float dx, const FieldCell* cell);
    void MoveDestroyer(CBattleModel& model, int period);
    bool BossMayStart(const CBattleModel& model, int period) const;
    void StartBossMoves(CBattleModel& model, int period);
    void StepBossHand(CBattleModel& model, int hand, int period);
    void ComposeBossArms(CBattleModel& model);
    bool WhaleHoldsFire(CBattleModel& model);
    bool MineGoesOffOnSpikes(CBattleModel& model, const AttackScan& scan);
    bool CannonBotWaits(CBattleModel& model, int interval);
    void FinishScan(CBattleModel& model, const AttackScan& scan);
    void ScanAlongRow(CBattleModel& model, AttackScan& scan);
    void ScanWounded(CBattleModel& model, AttackScan& scan);
    void ScanBehind(CBattleModel& model, AttackScan& scan);
    void ScanNearest(CBattleModel& model, AttackScan& scan);
    void ScanItems(CBattleModel& model, AttackScan& scan);
    void ScanDescentPath(CBattleModel& model, AttackScan& scan);
    void ScanInReach(CBattleModel& model, AttackScan& scan);
    void NextAfterScan(CBattleModel& model, const AttackScan& scan);
    void DrawDebugText() const;
    void RunRoleDispatch(CBattleModel& model);
    void CountTimers(CBattleModel& model);
    void CountAlarm(CBattleModel& model);
    void PlatformSlide(CBattleModel& model);
    void PullDeadUnitDown(CBattleModel& model);
    void CarrierSweep(CBattleModel& model, VxVec3& at);

    // Drawing scratch of the current frame, not part of the unit's state.
    float m_fDyingFade = 1.0f;
    int32_t m_iShownAnim = 0;
    int32_t m_iShownFrame = 0;
    static constexpr int kMaxDrawSteps = 16;
    RobotDrawStep m_aDrawSteps[kMaxDrawSteps];
    int32_t m_nDrawSteps = 0;
    // What the debug view prints, as it stood when the update printed it.
    struct DebugShown {
        bool shown = false;
        float x = 0.0f, y = 0.0f;
        int hp = 0, maxHp = 0, state = 0, actionTimer = 0, actionInterval = 0;
    } m_DebugShown;
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
