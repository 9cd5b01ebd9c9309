#pragma once
// Page 3: the battle. Load builds a battle for the application's current
// stage and Release takes it down; in between the page holds every piece of
// battle state: life, energy and time, the stage record and field grid, the
// hand, the lists of robots, bullets, items and field effects, the effect
// objects of the overlays, sounds and music, and the counters behind the
// statistics and achievements.
//
// Names kept from earlier code where a reader might look for another:
// m_StageDefinition (m_StageDef), m_aFieldCells (m_aCells), m_aHandArt
// (m_aCardArt), m_iCardChoiceStep (m_iSubStep), m_lstNewEnemies
// (m_lstNewEnemyBoards), m_mapNewRobots (m_mapUnlockPictures).
#include <atomic>
#include <cstdint>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "battle/page/BattleTypes.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/UnitDefinition.h"
#include "engine/VxMatrix.h"
#include "engine/VxPage.h"
#include "game/BattleLink.h"
#include "game/GameApplication.h"
#include "game/RobopediaParts.h"
#include "game/RobotArt.h"

class CVxBillboard;
class CVxTexture;
class CVxButton;
class CVxEffect;
class CVxSound;
class CCom_GameRobot;
class CCom_GameBullet;
class CCom_GameItem;
class CCom_GameStage;
class CEffect_TextStage;
class CEffect_NewEnemy;
class CEffect_NewRobot;
class CEffect_Unlocked;
class CEffect_TextBegin;
class CEffect_TextEnd;
class CEffect_Summary;
class CEffect_Tutorials;
class CEffect_MapStory;
class CEffect_ItemTransToInterface;
class CEffect_ItemFadeDisappear;
class CEffect_ItemAmount;
class CEffect_SmokeLowHP;
class CEffect_TextMiss;
class CEffect_Cross;
class CEffect_Spike;
class CEffect_Remover;
class CEffect_Paratrooper;
class CEffect_MeteorEnemy;
class CEffect_CopterEnemyFadeOut;
class CEffect_Reward;
class CEffect_TextWave;
class CEffect_HeartDecreased;
class CEffect_NewAchievementInGame;
class CEffect_Oxygen;
class CEffect_GreenBall;
class CEffect_SandWind;
class CEffect_Snow;
class CEffect_Flower;
class CEffect_Fish;
class CEffect_Meteor;
class CEffect_DestroyerHand;
class CEffect_RobotJumpOut;
class CEffect_ScaleAndDiffuseOut;
class CEffect_FontInstruction;
class CEffect_RobotInfo;
class CGameApplication;

// Points the robot drawing keeps behind a carried card; a pick starts them afresh.
constexpr int POSITION_TRAIL_POINTS = 40;
extern VxVec3 g_avPositionTrail[POSITION_TRAIL_POINTS];

// A Machine to introduce before the first wave.
struct NewEnemyEntry {
    CVxBillboard* picture = nullptr;       // owned by the page's manager
    CVxBillboard* extraPicture = nullptr;  // Gyrotor or upgrade picture, or none
    int typeId = 0;
    int variant = 0;  // 0 plain, else the variant kind
};

constexpr int HAND_SLOTS = HAND_SLOT_COUNT;
constexpr int DECK_SLOTS = 10;
constexpr int REMOVER_SLOT = 10;
constexpr int STAGE_ENEMY_RECORDS = ENEMY_RECORD_COUNT;
constexpr int CARD_FLIGHTS = 15;
constexpr int DISPLAY_ROBOTS = 10;
constexpr int MINI_GAME_ROBOT_SLOTS = 10;
constexpr int MINI_GAME_LINKS = 20;  // the ten slots, the boss and nine more
constexpr int BATTLE_SOUND_EFFECTS = 16;
constexpr int MAX_FIELD_EFFECTS = 30;
constexpr int CAGE_FRAMES = 10;
constexpr int BOSS_ARM_FRAMES = 10;
constexpr int BOSS_HAND_FRAMES = 10;
constexpr int STAGE_STATS = 5;
constexpr int STATE_FLAGS = 8;
constexpr int HAND_SOUNDS_KEPT = 11;  // sounds of these first slots are the page's own

// A mini-game's reel: the card codes it shows in turn, where it stands, how
// often it steps, and whether it turns or has stopped and awaits its payout.
struct SlotReel {
    std::vector<int> m_vecCodes;
    int m_iPosition = 0;
    int m_iPeriod = 0;
    uint8_t m_bRunning = 0;
    uint8_t m_bStopped = 0;
};

// A robot sliding in an arc to a point. The robot is held by serial: a robot
// that leaves the field simply ends its slide.
struct MiniGameTween {
    int m_iSerial = -1;
    float m_afStart[3] = {};
    float m_afEnd[3] = {};
    int m_iDuration = 0;
    int m_iFramesLeft = 0;  // 0: the slot is free
};
constexpr int MINI_GAME_TWEENS = 3;
constexpr int SLOT_REELS = 3;

// A card flying between the card list and the hand.
struct CardFlight {
    int m_iTotalFrames;
    int m_iFramesLeft;  // 0: free
    float m_fX, m_fY, m_fZ;
    int m_iCard;
    int m_iSlot;
};

class CPageGame : public CVxPage, public CBattleLink {
public:
    CPageGame();
    ~CPageGame() override;

    // Page operations.
    int Load() override;
    int Unload() override { return Release(); }
    int Release();
    int Update() override;
    int Render() override;
    int RenderOverlay() override;
    int HandleInput() override;
    int UpdateScreen(int subScreen) override;
    int RenderScreen(int subScreen) override;
    int HandleScreenInput(int subScreen) override;
    int RenderScreenOverlay(int subScreen) override;

    // Set-up.
    void LoadBattleResources();
    void LoadEffects();
    void ReleaseEffects();
    void LoadBattleSounds();
    void DecideCardAvailability();
    void ChooseUnlockPictures();
    void ChooseNextUnlockPicture();
    void MakeHandButtons();

    // Frame road.
    int UpdateBattleField();
    void UpdateBattleObjects();
    void RunRobot(CCom_GameRobot& robot);
    void RunRobotsOfType(int type, int row);
    void RunRowRobots(int row);
    bool RemoveRowRobot(std::list<CCom_GameRobot>::iterator& it);
    void ForgetMiniGameLinks(int serial);
    void RunBullets(bool kindSix, int lane);
    void RunItems();
    void HoldTutorialClock();
    void DrawEndSequence();
    void SetUpRobotArray();
    void UpdateRobotArray();

    // Field pick-ups, item drops and the field-effect list.
    void HandleFieldClick();
    void DropItem(int kind, float x, float y, float z, int handSlot, bool fromLeftEdge);
    void AddFieldEffect(int source, int type, float x, float y, float z);
    void CollectRemainingItems();
    void PlayPickupSound(const CCom_GameItem& item);

    // Battle states.
    int RunBattleStates();
    void SetBattleState(int state);
    void AdvanceBattleState();
    bool HasMoreCardsThanSlots() const;
    void StepOpening();
    void StepIntro();
    void StepDeckCheck();
    void StepCardSelect();
    void StepLoading();
    void StepBegin();
    void StepPlaying();
    void StepReward();
    void StepResult();
    void StepUnlocks();
    void StepAchievement();
    void StepSummary();
    void FillHandWithoutChoice();
    int RewardStars() const;
    void RequestTutorialSteps();
    void TickOverlayEffects();
    void CountOccupiedCells();
    // Whether record 0 of the effect lives.
    static bool Shows(const CVxEffect* effect);

    // Enemy waves.
    void UpdateEnemySpawner();
    int PickStreamEnemy();
    int PickBatchEnemy();
    void UpdateSpawnWeights();
    // The Machine (or first bomb or cage) it made; null when it made none.
    CCom_GameRobot* CallEnemyRobot(int code, float x, float y, float z, bool allowMeteor);
    CCom_GameRobot* DropTimeBombs(CCom_GameRobot& temp, int slot);
    CCom_GameRobot* DropCapsuleCages(CCom_GameRobot& temp);

    // Field grid lookups (built with the units).
    VxVec3 FindNearestCell(float x, float y, float z) const;
    VxVec3 GetCellCentre(float x, float y, float z) const;

    // A robot's shot (kind = weapon id, graphic = its art slot, serials of its
    // target and itself; -1 for the page's own area shots).
    void FireBullet(int kind, int graphic, float x, float y, float z, int targetSerial, int ownerSerial);
    // The boss's arm, hand and sound set, on stages that field a Destroyer.
    void LoadBossResources();
    // The stage lets units attack.
    bool AttacksAllowed() const { return m_StageDefinition.m_bAttacksAllowed; }

    // Hand.
    int FindHandCard(int robotId) const;
    int GetEnergyCostLimit() const;
    // Runs on the stage loader: records, pictures, the remembered deck and
    // the art and sounds of the hand's robots. The records go into
    // m_LoadedHand, which the main thread takes over with TakeLoadedHand.
    void BuildHand() override;
    // Main thread: the loader's hand records replace the page's once it is done.
    void TakeLoadedHand();
    void DrawHand();
    void DrawCarriedPreview();
    // Green marks on the cells the carried card's robot would reach from the cell under the cursor.
    void DrawReachPreview();
    // The charge gauge's fill (0.13 to 1.0) at charge c of recharge time r.
    static float GaugeValue(int charge, int recharge);
    // Turns the carried card into a robot on the cell under the cursor.
    void PlaceCardRobot();

    // Card choice.
    void MakeCardChoiceButtons();
    // What MakeCardChoiceButtons made goes with the page's manager.
    void ForgetCardChoiceArt();
    void HandleCardChoiceInput();
    void DrawCardChoice(float offset);
    void ChooseCard(float x, float y, float z, int card, int slot);
    void DrawCardFlights();
    bool IsNoCardInFlight() const;
    void ReturnHandCard(int slot);
    void CompactHand();
    void ConfirmHand();
    // The warnings ConfirmHand queues for this deck, in order (41 to 47).
    std::vector<int> HandWarnings() const;
    bool DeckHolds(int card) const;
    bool StageHasMachine(int type) const;
    bool HasGroundShortage() const;
    // Empty deck slots.
    int EmptyDeckSlots() const;

    // Battle input: pop-ups, Escape, pause, the hand and the field.
    void HandleBattleInput();
    void CancelCarriedCard();
    // The cursor of device 0 in logical pixels, origin at the centre, y up.
    VxVec3 CursorPoint() const;
    // Shows a placement message: record 0 is cleared first.
    CEffect_FontInstruction* FreshMessage();

    // HUD.
    void DrawHud();
    void UpdateShownEnergy();
    void UpdateShownParts();
    void SlidePanel();
    void SetPartsPanelPosition(float x, float y);
    // One climb step of a shown counter toward its true value.
    static void StepShownCounter(float (&shown)[3], float value);

    // Placement.
    void DrawFieldCells(float phase);
    bool CanPlaceCard(int commit);

    // Sound.
    void AttenuateSounds() override;
    // The battle music gives way to the end music.
    void PlayEndMusic(bool won);
    // Queues the loop to follow the playing intro without a gap.
    static void FollowIntro(CVxSound* intro, CVxSound* loop);
    void SetHandCardVolume(float factor);
    // The factor several playing unit sounds are lowered to (1 for fewer than 2).
    static float AttenuationFactor(int playing);

    // Weather of episode 3: acid rain, earthquake, whirlpools, jet streams.
    void SetUpWeather();
    void UpdateWeatherHazards();
    // Fades the ambience in and out over a hazard period (t: frame within it).
    void UpdateWeatherSound(int t);
    // The pictures the field effects draw beside the application's shared ones.
    void LoadFieldEffectArt();

    // ---- Mini-games: relocation, the slot machine and timed shots. ----
    // Picks a robot up and sets it on the cell under the mouse.
    void HandleRelocateInput();
    void MoveRobotToCell(CCom_GameRobot& robot, const VxVec3& cellIndex);
    void UpdateSequenceGame();  // 158
    void UpdateFinalBoss();     // 160, 170, 180
    void UpdateEnergyGoal();    // 172
    // The reels of the slot-machine stages (cleared elsewhere).
    void SetUpSlotReels();
    // The code a reel shows offset rows from its position (-1: no codes).
    int GetReelSymbol(int reel, int offset) const;
    void UpdateSlotMachine();
    void PayOutSlotMatch();
    void HandleSlotLeverInput();
    // Drawn in place of the hand on the slot-machine stages.
    void DrawSlotMachineBoard(float slide);
    void HandleChargeShotInput();  // 164, 179
    void DrawChargeShotGauge();
    void HandleMiniGame168Input();
    void DrawChargeGauges();
    // The "can move" marker at a point, with a second copy growing and fading.
    void DrawPulsingMarker(const VxVec3& at, float scale = 1.0f);
    // The marker over a robot the relocation mini-games let the player move.
    void DrawCanMoveMarker(const CCom_GameRobot& robot);
    // Stage 168: a Machine can be hit only while it blinks.
    static bool IsInBlinkPhase(const CCom_GameRobot& machine);

    // Stubs the later parts of the battle fill in.
    // The encyclopedia, sub-screen 1 (PageGameRobopedia.cpp).
    void LoadRobopedia();
    void ReleaseRobopedia();
    void UpdateRobopedia();
    void RenderRobopedia();
    void RenderRobopediaOverlay();
    void HandleRobopediaInput();
    void DrawRobopediaEntries();
    void LoadRobopediaArt();
    void RefillCardRecords();
    void FreeRobopediaArt();
    // The debug view (CSQ_DEBUG_VIEW=1): the cells' current kinds in colour,
    // and the battle's counters with the cursor's point as text.
    void DrawFieldCellKinds();
    void DrawDebugStats();

    // ---- Mini-games (stages 151 to 180): the shared framework. ----
    static bool IsMiniGameStage(int stage) { return stage > 150; }
    // Relocation input: 153, 158, 172, 173 and the episodes' final stages.
    static bool IsMiniGameGroup1(int stage);
    // The slot machine: 159, 165, 169, 176, 178.
    static bool IsMiniGameGroup2(int stage);
    // Charge shots: 164, 179.
    static bool IsMiniGameGroup3(int stage);
    void SetUpMiniGame();
    void SetUpMiniGameHand();
    void LoadMiniGameResources();
    // Once a frame from the logic pass, after the enemy scheduler.
    void UpdateMiniGame();
    // Once a frame from the battle input while playing.
    void HandleMiniGameInput();
    void DrawMiniGameHud();
    // A robot's charge, 0 to 1, with the stage's factor on its action interval.
    float GetMiniGameChargeRatio(const CCom_GameRobot& robot) const;
    // Appends a robot of the hand slot at the point; answers it (in the list).
    CCom_GameRobot* SpawnMiniGameRobot(int slot, float x, float y, float z);
    CCom_GameRobot* SpawnMiniGameRobotOnCell(int column, int slot, int row);
    void StartMiniGameJump();
    void AddMiniGameTween(CCom_GameRobot* robot, float x, float y, float z);
    void UpdateMiniGameTweens();
    // The starting robots of each mini-game.
    void PlaceMiniGameRobots();
    // Stage 151: the rounds.
    void SpawnRoundRobots(int round);
    void CallRoundMachines();
    void UpdateRoundRules();
    void ScrollToNextRound();
    void HoldBackRoundMachines();
    // Stage 161: capsules while Machines live.
    void UpdateCapsuleRain();
    // Stage 177: carriers, falling robots and the catch count.
    void UpdateConveyorCatch();
    void DropParatrooper();
    void DrawCatchCounter();
    // Stage 175: the first Machine type walks fast.
    void SetFastMachines();
    // A Machine within the screen's width (a margin of 0.05 each side).
    static bool IsMachineOnScreen(const CCom_GameRobot& robot);
    // Whether the "no robot left" rule may end this stage now.
    bool NoRobotLeftLoses(int stage);

    // ---- Mini-games where the player aims, steers or jumps. ----
    // 152, 162: every charged robot fires at the mouse while the button is held.
    void FireAimedShots();
    // The robot the mouse drags: the controlled one on the duel stages, else
    // the first own live attacker (the others of the squad follow it).
    CCom_GameRobot* SteeredRobot();
    void MoveMiniGameRobotY();
    void MoveMiniGameRobotX(bool setFacing);
    void CollectItemsByTouch();
    void FireChargedRobots();
    // 154: capsules while fewer than three copters are coming.
    void UpdateCapsuleSupply();
    // 156, 166, 174: the duel; 163: the floating boss; 171: the bomb run.
    void UpdateBossDuel();
    void UpdateFloatingBoss();
    void UpdateBombRun();
    // Calls the stage's boss into m_pMiniGameBoss with its action interval scaled.
    CCom_GameRobot* CallMiniGameBoss(double intervalFactor);
    // A boss walks in and then stands swaying.
    void SwayMiniGameBoss();
    // 171: a robot bursts into two atomic blasts and is thrown out.
    void BurstBombRobot(CCom_GameRobot& robot);
    // 157, 167: the Mariner Bot that jumps.
    CCom_GameRobot* FindJumper();
    void UpdateJumpGame();
    void StompMachines(CCom_GameRobot& jumper, const VxVec3& from);
    void HandleJumpInput();
    // Robots of the type whose action timer is full begin their attack, even
    // on stages that hold attacks back.
    void FireRobotsOfType(int type);
    void DrawJumpStartArrow();
    // 167 in overtime: the climb scrolls back down to the start line, where
    // the caged robots wait and the jumper leaps three times for the end.
    void StepStartLine();
    void PlaceCagedRound();
    // 167: pointers at the top edge for own robots that climbed out of sight.
    void DrawRobotsAboveScreen();

    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures() override;
    // Starts the stage loader once the card choice is confirmed.
    void StartBackgroundLoader() override;
    void ChangeSubScreenAtBlack() override;

    // What the application's boards and caches read of the battle.
    int BattleState() const override { return m_iBattleState; }
    void DropCarriedCard() override { m_iCarriedCard = -1; }
    const StageDefinition& Stage() const override { return m_StageDefinition; }
    const FieldCell* FieldCells() const override { return m_aFieldCells; }
    void SetFieldGroundRow(int row) override { m_iFieldGroundRow = row; }
    RobotArt* HandArt(int slot) override { return &m_aHandArt[slot]; }
    RobotArt* EnemyArt(int record) override { return &m_aEnemyArt[record]; }
    CVxEffect* HowToPlayEffect() const override { return m_pEffectHowToPlay; }
    CVxEffect* HowToMiniGameEffect() const override { return m_pEffectHowToMiniGame; }
    CVxEffect* CardFullEffect() const override { return m_pEffectCardFull; }
    CVxSound* Music() const override { return m_pMusic; }
    CVxBillboard* Capsule() const override { return m_pBbdCapsule; }
    RobopediaParts* Robopedia() override { return &m_Robopedia; }
    bool HasSummary() const override { return m_pEffectSummary != nullptr; }
    bool IsSummaryWonAwaitingChoice() const override;
    int SummarySwitchCode() const override;
    int SummaryChosenStage() const override;
    CAchievementNotice* InGameNotice() override;
    // The block of twenty mini-game robot links, in order.
    CCom_GameRobot** MiniGameLink(int i);

    // A picture or sound made through the page's manager (null without one).
    CVxBillboard* Picture(const std::string& name, const char* folder);
    CVxSound* Sound(const std::string& name, const char* folder);

    // ---- Members, in the order the battle keeps them. ----
    CVxBillboard* m_pPlaceMark = nullptr;
    float m_fPlaceMarkPhase = 0.0f;
    CVxBillboard* m_pNextUnlockPicture = nullptr;
    CVxBillboard* m_apCageArt[CAGE_FRAMES] = {};
    RobotArt m_aHandArt[HAND_SLOTS]{};
    RobotArt m_aEnemyArt[STAGE_ENEMY_RECORDS]{};
    CVxBillboard* m_pTimeBombMark = nullptr;
    // The Destroyers' art: arm frames and the arm while dying, the hand's grab
    // frames, its target mark and smoke; their sounds. Null off boss stages.
    CVxBillboard* m_apBossArmArt[BOSS_ARM_FRAMES] = {};
    CVxBillboard* m_pBossArmDying = nullptr;
    CVxBillboard* m_apBossHandArt[BOSS_HAND_FRAMES] = {};
    CVxBillboard* m_pBossTargetMark = nullptr;
    CVxBillboard* m_pBossSmoke = nullptr;
    CVxSound* m_pSfxBossBody = nullptr;     // the lunge strikes
    CVxSound* m_pSfxBossWarning = nullptr;  // a hand takes aim
    CVxSound* m_pSfxBossGrab = nullptr;     // a hand grabs
    // A carrier's sweep: its crash and the hit on each robot it strikes.
    CVxSound* m_pSfxCarrierCrash = nullptr;
    CVxSound* m_pSfxCarrierHit = nullptr;
    int m_iLife = 0;
    int m_iMaxLife = 0;
    int m_iEnergy = 0;
    int m_iTimeLeft = 0;
    int m_iStageFrames = 0;
    int m_iHazardTimer = 0;
    int m_iOvertimeFrames = 0;
    bool m_bOvertimeOpen = true;
    StageDefinition m_StageDefinition{};
    int m_iFieldGroundRow = 4;  // row of the background's ground line

    // Mini-game art.
    CVxBillboard* m_pRobotBase = nullptr;
    VxVec3 m_vRobotBaseOffset;

    std::list<int> m_lstDrawFirstTypes;
    std::list<int> m_lstDrawSecondTypes;
    std::list<int> m_lstDrawLastTypes;

    // Mini-game state (all of it reset by SetUpMiniGame).
    uint8_t m_bRelocateRule = 0;  // relocation has a cooldown (153, 158, 160, 170, 180)
    int m_iHoldFrames = 0;        // frames the left button has been held
    uint8_t m_bShootHintShown = 0;
    int m_iRound = 0;       // 151: round 1 to 5
    int m_iRoundTimer = 0;  // 151: countdown of the round
    int m_iRoundPhase = 0;  // 151: 0 fighting, 1 scrolling to the next round
    VxVec3 m_vJumpStart{};
    uint8_t m_bJumpStartKept = 0;
    uint8_t m_bJumpRising = 0;
    uint8_t m_bJumpHeld = 0;
    float m_fJumpSpeed = 0.0f;  // logical pixels a frame, up positive
    uint8_t m_bOnGround = 1;
    int m_iJumpCount = 0;
    SlotReel m_aSlotReels[SLOT_REELS];
    int m_iSlotSpinTimer = 0;
    int m_iSlotLeverCooldown = 0;
    int m_iSequenceStep = 0;  // 158
    int m_iSequenceShownStep = 0;
    int m_iSequenceStepFrames = 0;
    MiniGameTween m_aTweens[MINI_GAME_TWEENS];
    int m_iChargePhase = 0;  // 164, 179: 0 charging, 1 fire, 2 recovering
    int m_iChargeFrames = 0;
    int m_iCatchCount = 0;  // 177: robots caught or landed on carriers
    // A robot of the player's has stood on the field: only then can the
    // stage be lost for having none left.
    bool m_bPlayerRobotSeen = false;
    bool m_bEndSequence = false;
    int m_iEndSequenceFrames = 0;
    int m_iMiniGameMisses = 0;
    int m_iStartJumps = 0;
    // 167: how fast the climb scrolls the backdrop (negative: the start line
    // sinks away below); the way back runs four times as fast.
    float m_fScrollSpeed = 0.0f;
    int m_iRelocatingRobot = -1;
    bool m_bMiniGameHowToShown = false;
    CCom_GameRobot* m_apMiniGameRobots[MINI_GAME_ROBOT_SLOTS] = {};
    CCom_GameRobot* m_pMiniGameBoss = nullptr;
    CCom_GameRobot* m_apMiniGameExtra[MINI_GAME_LINKS - MINI_GAME_ROBOT_SLOTS - 1] = {};
    // A hand the stage runner deals (robot ids): the deck check takes it and
    // the card choice is skipped. Empty in the game.
    std::vector<int> m_vecFixedHand;

    int m_aiEnemyCalls[STAGE_ENEMY_RECORDS] = {};
    CCom_GameStage* m_pStage = nullptr;
    bool m_bDebugView = false;
    int m_iBattleState = 0;
    int m_iBattleFrame = 0;
    int m_iStateFrames = 0;
    int m_iStateEntryFrame = 0;
    bool m_abStateFlags[STATE_FLAGS] = {};
    int m_iCardChoiceStep = 0;

    // Battle buttons.
    CVxButton* m_pLastDeckButton = nullptr;
    CVxButton* m_pClearHandButton = nullptr;
    CVxButton* m_pScrollButton = nullptr;
    bool m_bScrollButtonShown = false;
    CVxButton* m_pRobopediaButton = nullptr;
    CVxButton* m_pPauseButton = nullptr;
    CVxButton* m_pButtonAllScreens = nullptr;  // the button made at load with tag -1
    CVxButton* m_pBtnOK = nullptr;             // the discovery boards' OK

    float m_fCardScroll = 0.0f;
    UnitDefinition m_aCardDefs[ROBOT_TYPES]{};
    bool m_abCardPicked[ROBOT_TYPES] = {};
    bool m_abCardDisabled[ROBOT_TYPES] = {};
    CVxBillboard* m_apRemoverIcons[2] = {};
    CVxBillboard* m_pCanMoveIcon = nullptr;
    CVxBillboard* m_pSeesConcealedMark = nullptr;
    CVxBillboard* m_pBbdCapsule = nullptr;
    CVxBillboard* m_apCapsuleMark[2] = {};     // a capsule's card: plain, upgraded
    CVxBillboard* m_pCollectedMark = nullptr;  // drawn where an item was picked up
    CVxSound* m_pSfxAlarm = nullptr;           // a mini-game unit's alarm
    CVxSound* m_pSfxFuse = nullptr;            // a bomb's fuse catching
    int m_iShownLife = 0;
    float m_afShownEnergy[3] = {};
    float m_afShownParts[3] = {};
    int m_iPanelTimer = 0;
    bool m_bHudHidden = false;
    std::list<NewEnemyEntry> m_lstNewEnemies;
    std::list<NewEnemyEntry>::iterator m_itNewEnemy = m_lstNewEnemies.end();
    std::map<int, CVxBillboard*> m_mapNewRobots;
    std::map<int, CVxBillboard*>::iterator m_itNewRobot = m_mapNewRobots.end();
    CVxBillboard* m_pUnlockPicture = nullptr;
    CVxBillboard* m_apHandPictures[HAND_SLOTS] = {};
    CVxButton* m_apHandButtons[DECK_SLOTS] = {};
    CVxButton* m_pRemoverButton = nullptr;
    HandSlot m_aHand[HAND_SLOTS];
    UnitDefinition m_aHandDefs[HAND_SLOTS]{};
    UnitDefinition m_aEnemyDefs[STAGE_ENEMY_RECORDS]{};
    bool m_bCarriedFromCapsule = false;
    int m_nHandSlots = DECK_SLOTS;
    int m_nEnemyDefs = 0;
    int m_nLiveRobots = 0;
    int m_nLiveMachines = 0;
    int m_nRobotsLost = 0;
    int m_nMachinesKilled = 0;
    int m_iCarriedCard = -1;
    int m_iCarriedFrames = 0;
    int m_iStreamCursor = 0;
    int m_iBatchCursor = 0;
    CardFlight m_aCardFlights[CARD_FLIGHTS] = {};
    FieldCell m_aFieldCells[FIELD_CELLS]{};
    std::list<int> m_lstStageCellKinds;
    int m_aiCageCooldown[FIELD_CELLS] = {};
    int m_aiReachPattern[HAND_SLOTS][19][9] = {};

    std::list<CCom_GameRobot> m_lstRobots;
    std::list<CCom_GameBullet> m_lstBullets;
    std::list<CCom_GameItem> m_lstItems;
    std::list<FieldEffect> m_lstFieldEffects;

    // The battle's effect objects, built by Load and deleted by Release.
    CEffect_TextStage* m_pEffectTextStage = nullptr;
    CEffect_NewEnemy* m_pEffectNewEnemy = nullptr;
    CEffect_NewRobot* m_pEffectNewRobot = nullptr;
    CEffect_Unlocked* m_pEffectUnlocked = nullptr;
    CEffect_TextBegin* m_pEffectTextBegin = nullptr;
    CEffect_TextEnd* m_pEffectTextEnd = nullptr;
    CEffect_Summary* m_pEffectSummary = nullptr;
    CEffect_Tutorials* m_pEffectTutorials = nullptr;
    CVxEffect* m_pEffectHowToPlay = nullptr;      // a CEffect_HowToPlay
    CVxEffect* m_pEffectHowToMiniGame = nullptr;  // a CEffect_HowToMiniGame, made with the mini-game art
    CEffect_MapStory* m_pEffectMapStory = nullptr;
    CVxEffect* m_pEffectCardFull = nullptr;  // a CEffect_CardFull
    CEffect_ItemTransToInterface* m_pEffectItemTransToInterface = nullptr;
    CEffect_ItemFadeDisappear* m_pEffectItemFadeDisappear = nullptr;
    CEffect_ItemAmount* m_pEffectItemAmount = nullptr;
    CEffect_SmokeLowHP* m_pEffectSmokeLowHP = nullptr;
    CEffect_TextMiss* m_pEffectTextMiss = nullptr;
    CEffect_Cross* m_pEffectCross = nullptr;
    CEffect_Spike* m_pEffectSpike = nullptr;
    CEffect_Remover* m_pEffectRemover = nullptr;
    CEffect_Paratrooper* m_pEffectParatrooper = nullptr;
    CEffect_MeteorEnemy* m_pEffectMeteorEnemy = nullptr;
    CEffect_CopterEnemyFadeOut* m_pEffectCopterEnemyFadeOut = nullptr;
    CEffect_Reward* m_pEffectReward = nullptr;
    CEffect_TextWave* m_pEffectTextWave = nullptr;
    CEffect_HeartDecreased* m_pEffectHeartDecreased = nullptr;
    CEffect_NewAchievementInGame* m_pEffectNewAchievementInGame = nullptr;
    CEffect_Oxygen* m_pEffectOxygen = nullptr;
    CEffect_GreenBall* m_pEffectGreenBall = nullptr;
    CEffect_SandWind* m_pEffectSandWind = nullptr;
    CEffect_Snow* m_pEffectSnow = nullptr;
    CEffect_Flower* m_pEffectFlower = nullptr;
    CEffect_Fish* m_pEffectFish = nullptr;
    CEffect_Meteor* m_pEffectMeteor = nullptr;
    CEffect_DestroyerHand* m_pEffectDestroyerHand = nullptr;
    CEffect_RobotJumpOut* m_pEffectRobotJumpOut = nullptr;
    CEffect_ScaleAndDiffuseOut* m_pEffectScaleAndDiffuseOut = nullptr;
    CEffect_FontInstruction* m_pEffectFontInstruction = nullptr;

    int m_aiColumnHazard[FIELD_COLUMNS] = {};
    int m_iWeatherSoundFrame = -1;
    int m_nRobotArray = 0;
    std::vector<CCom_GameRobot> m_aRobotArray;  // the ten display robots
    int m_aiStageStats[STAGE_STATS] = {};
    CVxSound* m_apBattleMusic[2] = {};
    CVxSound* m_apEndMusic[2] = {};
    CVxSound* m_pMusic = nullptr;  // the track a page-switch fade lowers
    bool m_bBattleMusicStarted = false;

    // Sound effects, in loading order.
    CVxSound* m_pSfxPickCard = nullptr;
    CVxSound* m_pSfxPickEnergy = nullptr;
    CVxSound* m_pSfxPickParts = nullptr;
    CVxSound* m_pSfxCardCancel = nullptr;
    CVxSound* m_pSfxMoveCard = nullptr;
    CVxSound* m_pSfxEnemyDropItem = nullptr;
    CVxSound* m_pSfxHeartDown = nullptr;
    CVxSound* m_pSfxSpike = nullptr;
    CVxSound* m_pSfxReadyCount = nullptr;
    CVxSound* m_pSfxStart = nullptr;
    CVxSound* m_pSfxTextWave = nullptr;
    CVxSound* m_pSfxFinishItem1 = nullptr;
    CVxSound* m_pSfxFinishItem2 = nullptr;
    CVxSound* m_pSfxCount = nullptr;
    CVxSound* m_pSfxTextScaleIn = nullptr;
    CVxSound* m_pSfxStar = nullptr;

    CVxSound* m_apCardSounds[HAND_SLOTS][ROBOT_SOUNDS] = {};
    CVxSound* m_apEnemySounds[STAGE_ENEMY_RECORDS][ROBOT_SOUNDS] = {};
    int m_iEnergyPickPitch = 0;
    int m_iPartsPickPitch = 0;
    float m_fGameSpeed = 1.0f;

    // Mini-game sounds (LoadMiniGameResources; null where a stage has none).
    CVxSound* m_pSfxMiniGameBonus = nullptr;  // the capsule call
    CVxSound* m_pSfxSlotReel = nullptr;       // the reels spinning
    CVxSound* m_pSfxChargeShot = nullptr;     // the charge of 164/179
    CVxSound* m_pSfxSwim = nullptr;
    CVxSound* m_pSfxJump = nullptr;
    CVxSound* m_pSfxSlotPullLever = nullptr;
    CVxSound* m_pSfxSlotSnap = nullptr;
    CVxSound* m_pSfxSlotMatch = nullptr;
    CVxSound* m_pSfxCanNotShoot = nullptr;
    CVxSound* m_apSfxMachineWeapon[2] = {};  // W1014-1, W1009-1
    // Mini-game art (LoadMiniGameResources; null off the mini-games).
    CVxTexture* m_pMiniGameInterfaceTex = nullptr;
    CVxBillboard* m_pMiniGamePanel = nullptr;
    CVxBillboard* m_pSlotFrame = nullptr;
    CVxBillboard* m_pSlotReelArt = nullptr;
    CVxBillboard* m_pSlotStopButton = nullptr;  // its place and size are the button's hit box
    CVxBillboard* m_pAttackIcon = nullptr;
    CVxBillboard* m_pBombIcon = nullptr;
    CVxBillboard* m_pParachuteIcon = nullptr;
    CVxBillboard* m_pBossPartArt = nullptr;
    CVxBillboard* m_pBossWeaponArt = nullptr;
    VxVec3 m_vMiniGamePoint{};

    CVxSound* m_pAmbienceSound = nullptr;
    CVxBillboard* m_pWeatherArt = nullptr;  // area 2: the application's stone, not ours
    CVxBillboard* m_pWhirlpoolArt = nullptr;
    CVxBillboard* m_pFieldBlastArt = nullptr;  // the blast of Machine weapon 1007
    CVxBillboard* m_pFieldBombArt = nullptr;   // weapon 11's bomb
    CVxSound* m_pSfxDestroyerDead = nullptr;   // the boss stages' last bombardment
    CVxSound* m_pSfxDestroyerBomb = nullptr;
    int m_iMiniGameFlag = 0;
    float m_fStartArrowY = 0.0f;  // 167: the start arrow, rising once the jumper is off
    bool m_bCardMoving = false;
    // The hand as the stage loader made it; only the loader writes it until it
    // raises m_bLoadedHandWaiting, only the main thread reads it after.
    struct LoadedHand {
        bool filled[HAND_SLOTS] = {};
        UnitDefinition defs[HAND_SLOTS] = {};
        CVxBillboard* pictures[HAND_SLOTS] = {};
        int charges[HAND_SLOTS] = {};  // -1: the slot keeps its charge
        CVxSound* sounds[HAND_SLOTS][ROBOT_SOUNDS] = {};
        std::vector<int> drawLastTypes;
    };
    LoadedHand m_LoadedHand;
    std::atomic<bool> m_bLoadedHandWaiting{false};
    bool m_bResultTipShown = false;
    int m_iMetalPartsWon = 0;

    // The card choice's own buttons and the dragging of hand cards.
    CVxButton* m_apCardButtons[ROBOT_TYPES] = {};
    CVxButton* m_pBackButton = nullptr;
    CVxButton* m_pStartButton = nullptr;
    CVxButton* m_pPreviewButton = nullptr;
    bool m_bFieldPreview = false;
    int m_iDragMode = 0;
    int m_iDragStep = 0;
    int m_iDragSlot = -1;
    VxVec3 m_vDragPress;
    int m_iDragFrames = 0;
    int m_iPartsCollected = 0;  // metal parts picked up in this battle
    // Card art the page loads for itself: the upgraded card's frame, the
    // card-choice header, robot 6's range, and the HUD's dash and times glyphs.
    CVxBillboard* m_pCardBGUpgraded = nullptr;
    CVxBillboard* m_pCardChoiceHeader = nullptr;
    CVxBillboard* m_pRangeArt = nullptr;
    CVxBillboard* m_pHudDash = nullptr;
    CVxBillboard* m_pHudTimes = nullptr;
    CVxBillboard* m_pHudSlash = nullptr;  // the Robopedia's count

    // The in-battle encyclopedia and its information board.
    RobopediaParts m_Robopedia;
    CEffect_RobotInfo* m_pRobotInfo = nullptr;
    // Its art lives only while it is open; the buttons live with the page.
    CVxBillboard* m_pRpBackground = nullptr;
    CVxBillboard* m_pRpFrame = nullptr;
    CVxBillboard* m_pRpNumberBox = nullptr;
    CVxBillboard* m_pRpHeader = nullptr;
    CVxBillboard* m_apRpHeaderParts[2] = {};
    CVxBillboard* m_apRpMachineCards[PROFILE_ENEMY_TYPES] = {};
    CVxBillboard* m_apRpRobotPictures[ROBOT_TYPES] = {};
    CVxBillboard* m_apRpMachinePictures[PROFILE_ENEMY_TYPES] = {};
    CVxButton* m_pRpBackButton = nullptr;
    CVxButton* m_apRpRobotButtons[ROBOT_TYPES] = {};
    CVxButton* m_apRpMachineButtons[PROFILE_ENEMY_TYPES] = {};
    VxVec3 m_vRpCountAnchor{};
    VxVec3 m_vRpHeadingAnchor{};
    int m_iRpScroll = 0;     // 0 shows the robots, 620 the Machines
    int m_iRpScrollDir = 0;  // -1, 0 or +1 while the grid moves
    int m_iRpHeading = 0;    // 0 counts robots, 1 Machines
    int m_iRpSlideState = 0;
    int m_iRpSlideFrame = 0;
    int m_iRpGesture = 0;  // 1 pressed, 3 a click this frame
    VxVec3 m_vRpPressPoint{};
    VxVec3 m_vRpCursor{};
};

// Whether the first tutorial (stage 1, first time) or the second (stage 2
// without an energy booster) runs.
bool IsFirstTutorialActive();
bool IsSecondTutorialActive();

// The application's battle page, or null (no application, or no battle page).
CPageGame* BattlePageOf(const CGameApplication* app);
