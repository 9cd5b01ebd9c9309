#pragma once
// Page 3: the battle. Load builds a battle for the application's current
// stage and Release takes it down; in between the page holds the battle's
// model (m_Battle: life, energy and time, the stage record and field grid, the
// hand, the lists of robots, bullets, items and field effects, the counters
// behind the statistics) and, as its scene, the effect objects of the
// overlays, sounds and music.
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

#include "battle/model/BattleFrame.h"
#include "battle/model/BattleModel.h"
#include "battle/page/ApplicationClock.h"
#include "battle/model/BattleStates.h"
#include "battle/model/BattleView.h"
#include "battle/model/MiniGameRules.h"
#include "battle/model/BattleWaves.h"
#include "battle/model/BattleWeather.h"
#include "battle/model/BattleTypes.h"
#include "content/FieldGrid.h"
#include "content/SaveProfile.h"
#include "content/StageDefinition.h"
#include "content/StageKinds.h"
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

class CPageGame : public CVxPage, public CBattleLink, public BattleScene, public BattleView {
public:
    CPageGame();
    ~CPageGame() override;

    // The battle the page shows, built over the page's own scene (a base, so
    // it stands before the model is made and after it is gone), and the clock
    // the page hands it with the stage and the profile as it loads.
    CBattleModel m_Battle{static_cast<BattleScene&>(*this)};
    ApplicationClock m_AppClock;
    CBattleModel& Battle() { return m_Battle; }
    const CBattleModel& Battle() const { return m_Battle; }

    // The card choice before the battle, and the captions already shown:
    // the screen's own, the battle never reads them.
    int m_iCardChoiceStep = 0;
    bool m_abCardPicked[ROBOT_TYPES] = {};
    bool m_abCardDisabled[ROBOT_TYPES] = {};
    CardFlight m_aCardFlights[CARD_FLIGHTS] = {};
    bool m_bCardMoving = false;
    bool m_abStateFlags[STATE_FLAGS] = {};
    bool m_bMiniGameHowToShown = false;
    bool m_bShootHintShown = false;
    // A hand the stage runner deals (robot ids): the deck check takes it and
    // the card choice is skipped. Empty in the game.
    std::vector<int> m_vecFixedHand;

    // Page operations.
    int Load() override;
    int Unload() override { return Release(); }
    int Release();
    int Update() override;
    int Render() override;
    int RenderOverlay() override;
    // The Robopedia's information board, while it is open.
    const CVxEffect* OpenBoard() const override;
    int UpdateScreen(int subScreen) override;
    int RenderScreen(int subScreen) override;
    int HandleScreenInput(int subScreen) override;
    int RenderScreenOverlay(int subScreen) override;

    // Set-up: the page's parts at the steps of the battle's (RunBattleSetUp),
    // in their order: the hand's buttons, what shows of the battle's start
    // (LoadBattleResources), the marks and next unlock picture, the
    // Machines' art, the field's art and effects, the buttons and icons, the
    // mini-game's art and the sounds.
    void LoadHandButtons();
    void LoadBattleResources();
    void LoadPlaceMarks();
    void LoadMachineArt();
    void LoadFieldArt();
    void LoadBattleButtons();
    void LoadFieldSounds();
    void LoadEffects();
    void ReleaseEffects();
    void LoadBattleSounds();
    void DecideCardAvailability();
    void ChooseUnlockPictures();
    void ChooseNextUnlockPicture();
    void MakeHandButtons();

    // Frame road: the model's frame (battle/model/BattleFrame.h), shown by the page.
    void RunFrameRoad(BattleFrameSteps& steps);
    void UpdateBattleObjects();

    // Field pick-ups, item drops and the field-effect list.

    // Battle states: the boards and captions each waits for (its rules: BattleStates.h).
    int RunBattleStates();
    // Around the rules of the state the frame began in.
    void BeginState(int state);
    void ShowState(int state);
    void StepOpening();
    void StepIntro();
    void StepDeckCheck();
    void StepCardSelect();
    void StepBegin();
    void StepReward();
    void StepResult();
    void StepUnlocks();
    void StepAchievement();
    void StepSummary();
    void FillHandWithoutChoice();
    // Whether record 0 of the effect lives.
    static bool Shows(const CVxEffect* effect);

    // The boss's arm, hand and sound set, on stages that field a Destroyer.
    void LoadBossResources();

    // Hand.
    int GetEnergyCostLimit() const;
    // Runs on the stage loader: records, pictures, the remembered deck and
    // the art and sounds of the hand's robots. The records go into
    // m_LoadedHand, which the main thread takes over with TakeLoadedHand.
    void BuildHand() override;
    // Main thread: the loader's hand records replace the page's once it is done.
    void TakeLoadedHand();
    // The pictures of the slots the records fill, the art of the hand they
    // were read from and its robots' sounds.
    void LoadHandArt(const CBattleModel::HandRecords& records, CVxBillboard* (&pictures)[HAND_SLOTS],
                     CVxSound* (&sounds)[HAND_SLOTS][ROBOT_SOUNDS]);
    // The hand's cards (or the slot machine's board) before they charge, and
    // the Remover Bot's card after.
    HandFrame DrawHandCards();
    void DrawRemoverCard(const HandFrame& hand);
    // The carried card's robot where it would land (ghost: its serial).
    void DrawCarriedPreview(int ghost);
    // Green marks on the cells the carried card's robot would reach from the cell under the cursor.
    void DrawReachPreview();
    // The charge gauge's fill (0.13 to 1.0) at charge c of recharge time r.
    static float GaugeValue(int charge, int recharge);

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
    // ---- The player's acts (PageGameInput.cpp): a frame's input becomes commands. ----
    // What the battle reads of the mouse and keys in a frame.
    struct FrameInput {
        VxVec3 at;          // the cursor in logical pixels, origin at the centre, y up
        uint32_t left = 0;  // KEY_ bits of the buttons
        uint32_t right = 0;
    };
    FrameInput ReadFrameInput() const;
    void ShowBattleButtons();
    // Steps 1 to 3; true when the exit box takes the frame.
    bool HandleExitInput(const FrameInput& input);
    // Steps 5 to 7: the boards, Escape and the message box (they read the record themselves).
    void HandleBoardInput();
    void HandleStillInput();
    void HandlePlayingInput();
    // True when the tutorial or the pause button took the frame.
    bool HandleTutorialAndPause();
    // A left press takes a tutorial step away once it waits for one.
    void ClickTutorial();
    void HandleHandInput(FrameInput& input);
    void HandleCarriedInput(FrameInput& input);
    void ClickField(FrameInput& input);
    // Applies a command through the model, with what the page adds to it
    // (the tutorial's steps, the carried card's trail).
    bool ApplyCommand(const BattleCommand& command);
    // Applies what the command source has due this frame.
    void ApplySourceCommands();
    // The engine frame of the page's last update (a later one more than a
    // frame on: the battle stood while the screen held a still).
    int m_iLastUpdateFrame = 0;
    // What the page showed is over: the battle goes on to the state.
    void EndShowing(int state) { ApplyCommand(EnterState{state}); }
    // The hand as it stands goes into the battle.
    void ChooseHandAsItStands();
    // Holds the carried card where the pointer is (a replay: applies its log).
    void HoldCarriedCardAt(const VxVec3& at);
    void ShowPlacementRefusal(const PlacementVerdict& verdict);
    // Commands besides the mouse's (a replay's); null in the game.
    BattleCommandSource* m_pCommandSource = nullptr;
    void DrawHandCard(int slot, float slide, bool loading, bool tenSlots);
    // The card choice's input, step by step (PageGameCardChoice.cpp).
    void HandleRefusedCardInput(int empty);
    void HandleChosenCardInput(int n);
    void HandleHandDragInput(int n);
    void MoveDraggedHandCard(int n, bool held, bool released);
    void HandleCardListScroll();
    void HandleCardChoiceButtons(int empty, int n);
    void RecallLastDeck(int n);
    // What the weather's hazards left to be seen (PageGameWeather.cpp).
    void DrawAcidRain(int showerFrame, int engineFrame);
    void DrawWhirlpool(int column, int framesLeft);
    // The cursor of device 0 in logical pixels, origin at the centre, y up.
    VxVec3 CursorPoint() const;
    // Shows a placement message: record 0 is cleared first.
    CEffect_FontInstruction* FreshMessage();

    // HUD.
    void DrawHud();
    void UpdateShownEnergy();
    void UpdateShownParts();
    // The parts panel where its slide (SlidePartsPanel) left it, or a place set for it by hand.
    void DrawPartsPanel();
    void SetPartsPanelPosition(float x, float y);
    // The battle's panels start where the counters' shared pictures stand.
    // One climb step of a shown counter toward its true value.
    static void StepShownCounter(float (&shown)[3], float value);

    // Placement.
    void DrawFieldCells(float phase);

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
    // Draws and sounds a frame of the model's weather (BattleWeather.h).
    void ShowWeather(const WeatherFrame& seen);
    // Hands the shake the rules asked for to the application's screen, in the
    // order the frame asked it beside the earthquake's.
    void ShakeScreen();
    // Fades the ambience in and out over a hazard period (t: frame within it).
    void UpdateWeatherSound(int t);
    // The pictures the field effects draw beside the application's shared ones.
    void LoadFieldEffectArt();

    // ---- Mini-games: relocation, the slot machine and timed shots. ----
    // Picks a robot up and sets it on the cell under the mouse (RelocationRules.h).
    void HandleRelocateInput();
    // The slot machine's reels run in the model (SlotMachineRules.h).
    void HandleSlotLeverInput();
    // Drawn in place of the hand on the slot-machine stages.
    void DrawSlotMachineBoard(float slide);
    void DrawChargeShotGauge();
    void HandleZapInput();
    void DrawChargeGauges();
    // The "can move" marker at a point, with a second copy growing and fading.
    void DrawPulsingMarker(const VxVec3& at, float scale = 1.0f);
    // The marker over a robot the relocation mini-games let the player move.
    void DrawCanMoveMarker(const CCom_GameRobot& robot);

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
    // A mini-game's dealt hand at load: its buttons, pictures, art and sounds.
    void LoadDealtHand(const CBattleModel::HandRecords& records);
    void LoadMiniGameResources();
    // Once a frame from the battle input while playing.
    void HandleMiniGameInput();
    void DrawMiniGameHud();
    // Stage 177: the catch count.
    void DrawCatchCounter();
    // A Machine within the screen's width (a margin of 0.05 each side).
    static bool IsMachineOnScreen(const CCom_GameRobot& robot);

    // ---- Mini-games where the player aims, steers or jumps. ----
    // 167: the arrow over the Mariner Bot waiting to jump (still waiting at
    // the frame's start).
    void DrawJumpStartArrow();
    bool m_bJumperWaited = false;
    // 167: pointers at the top edge for own robots that climbed out of sight.
    void DrawRobotsAboveScreen();

    // The window lost its contents: boards that keep their picture in a
    // render target draw it again.
    void ForgetCachedPictures() override;
    // Starts the stage loader once the card choice is confirmed.
    void StartBackgroundLoader() override;
    void ChangeSubScreenAtBlack() override;

    // What the application's boards and caches read of the battle.
    int BattleState() const override { return m_Battle.State().m_iBattleState; }
    void DropCarriedCard() override { ApplyCommand(PutDownForPause{}); }
    const StageDefinition& Stage() const override { return m_Battle.State().m_StageDefinition; }
    const FieldCell* FieldCells() const override { return m_Battle.State().m_aFieldCells; }
    void SetFieldGroundRow(int row) override { m_Battle.SetFieldGroundRow(row); }
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

    // What the battle's effects see of it (PageGameView.cpp).
    float FieldScrollX() const override;
    int CarriedCard() const override { return m_Battle.State().m_iCarriedCard; }
    int HandCard(int slot) const override { return m_Battle.State().m_aHand[slot].m_iCard; }
    const UnitDefinition* HandDefs() const override { return m_Battle.State().m_aHandDefs; }
    const UnitDefinition* EnemyDefs() const override { return m_Battle.State().m_aEnemyDefs; }
    int MachinesOnField() const override;
    int RobotsLost() const override { return m_Battle.State().m_nRobotsLost; }
    int MachinesKilled() const override { return m_Battle.State().m_nMachinesKilled; }
    VxVec3 CursorOnField() const override { return CursorPoint(); }
    const BattleScene& Drawn() const override { return *this; }
    CVxButton* OkButton() const override { return m_pBtnOK; }
    CVxBillboard* UnlockPicture() const override { return m_pUnlockPicture; }
    CVxBillboard* NextUnlockPicture() const override { return m_pNextUnlockPicture; }
    CVxBillboard* HudTimesGlyph() const override { return m_pHudTimes; }
    bool ShownNewEnemy(NewEnemyShown& out) const override;
    int ShownNewRobot() const override;
    CVxBillboard* ShownNewRobotPicture() const override;
    int FirstNewRobot() const override;
    bool ResultTipShown() const override { return m_bResultTipShown; }
    bool FirstTutorialActive() const override;
    bool NextNewEnemy() override;
    void CloseNewRobots() override { m_itNewRobot = m_mapNewRobots.end(); }
    void MarkResultTipShown() override { m_bResultTipShown = true; }

    // A picture or sound made through the page's manager (null without one).
    CVxBillboard* Picture(const std::string& name, const char* folder);
    CVxSound* Sound(const std::string& name, const char* folder);

    // ---- The page's own members: boards, buttons, HUD and the card choice. ----
    float m_fPlaceMarkPhase = 0.0f;

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
    int m_iShownLife = 0;
    float m_afShownEnergy[3] = {};
    float m_afShownParts[3] = {};
    bool m_bHudHidden = false;
    std::list<NewEnemyEntry> m_lstNewEnemies;
    std::list<NewEnemyEntry>::iterator m_itNewEnemy = m_lstNewEnemies.end();
    std::map<int, CVxBillboard*> m_mapNewRobots;
    std::map<int, CVxBillboard*>::iterator m_itNewRobot = m_mapNewRobots.end();
    CVxBillboard* m_pUnlockPicture = nullptr;
    CVxButton* m_apHandButtons[DECK_SLOTS] = {};
    CVxButton* m_pRemoverButton = nullptr;
    int m_iWeatherSoundFrame = -1;
    int m_nRobotArray = 0;
    std::vector<CCom_GameRobot> m_aRobotArray;  // the ten display robots
    bool m_bBattleMusicStarted = false;
    float m_fStartArrowY = 0.0f;  // 167: the start arrow, rising once the jumper is off
    // The hand as the stage loader made it; only the loader writes it until it
    // raises m_bLoadedHandWaiting, only the main thread reads it after.
    struct LoadedHand {
        CBattleModel::HandRecords records;
        CVxBillboard* pictures[HAND_SLOTS] = {};
        CVxSound* sounds[HAND_SLOTS][ROBOT_SOUNDS] = {};
        // The deck went into the profile: the main thread saves it, so a
        // failure can be shown.
        bool saveDeck = false;
    };
    LoadedHand m_LoadedHand;
    std::atomic<bool> m_bLoadedHandWaiting{false};
    bool m_bResultTipShown = false;

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

// A field effect's picture at its age (FieldEffectRules.h runs the record).
void DrawFieldEffect(const CPageGame& page, const FieldEffect& record);
