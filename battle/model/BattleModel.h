#pragma once
// The battle's state and the rules the units call on: life, energy and the
// clock, the battle state, the stage record and field cells, the hand, the
// lists of robots, bullets, items and field effects, the waves, the
// mini-games' state and the statistics. The page draws it, sounds it and turns
// the player's input into its commands.
#include <cstdint>
#include <list>
#include <vector>

#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleCommands.h"
#include "battle/model/BattleLimits.h"
#include "battle/model/BattleScene.h"
#include "battle/model/ItemFlights.h"
#include "battle/page/BattleTypes.h"
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include "content/UnitDefinition.h"
#include "engine/VxMatrix.h"

class CCom_GameRobot;
class CCom_GameBullet;
class CCom_GameItem;
class CCom_GameStage;

class CBattleModel {
public:
    explicit CBattleModel(BattleScene& scene);
    CBattleModel(const CBattleModel&) = delete;
    CBattleModel& operator=(const CBattleModel&) = delete;
    virtual ~CBattleModel();

    // What the battle is drawn and heard with (the page's, or an empty one).
    BattleScene& Scene() const { return *m_pScene; }

    // The stage being played (the application's current stage; 1 without one).
    int StageNumber() const;

    // Field grid lookups (built with the units).
    VxVec3 FindNearestCell(float x, float y, float z) const;
    VxVec3 GetCellCentre(float x, float y, float z) const;
    // The stage lets units attack.
    bool AttacksAllowed() const { return m_StageDefinition.m_bAttacksAllowed; }

    // A robot's shot (kind = weapon id, graphic = its art slot, serials of its
    // target and itself; -1 for the page's own area shots).
    void FireBullet(int kind, int graphic, float x, float y, float z, int targetSerial, int ownerSerial);
    void AddFieldEffect(int source, int type, float x, float y, float z);
    void DropItem(int kind, float x, float y, float z, int handSlot, bool fromLeftEdge);
    void PlayPickupSound(const CCom_GameItem& item);
    // The Machine (or first bomb or cage) it made; null when it made none.
    CCom_GameRobot* CallEnemyRobot(int code, float x, float y, float z, bool allowMeteor);
    CCom_GameRobot* DropTimeBombs(CCom_GameRobot& temp, int slot);
    CCom_GameRobot* DropCapsuleCages(CCom_GameRobot& temp);
    // The hand slot holding the robot's card, or -1.
    int FindHandCard(int robotId) const;
    // Appends a robot of the hand slot at the point; answers it (in the list).
    CCom_GameRobot* SpawnMiniGameRobot(int slot, float x, float y, float z);
    CCom_GameRobot* SpawnMiniGameRobotOnCell(int column, int slot, int row);
    // The block of twenty mini-game robot links, in order.
    CCom_GameRobot** MiniGameLink(int i);
    void ForgetMiniGameLinks(int serial);

    // ---- The player's acts (BattleCommands.h, BattleCommands.cpp). ----
    // Whether the hand slot's card may go on the cell, and why not.
    PlacementVerdict JudgePlacement(int slot, int column, int row) const;
    // The part of it about the robot the cell already holds.
    PlacementVerdict JudgeMount(const UnitDefinition& unit, int column, int row) const;
    // The deck slot's card is charged and its energy is there.
    bool CardReady(int slot) const;
    // Once a frame the hand is shown: every card still charging takes its step
    // (loading: the card choice's records stand for the hand's; hudShown: the
    // hand is on the screen at all).
    void ChargeHandCards(bool loading, bool hudShown);
    // What the stage loader makes of the chosen hand: each card's record (on
    // the slot stages, charged full), the Remover Bot's own slot and the types
    // drawn last. A mini-game fills every slot, a map stage the shown ones.
    struct HandRecords {
        bool filled[HAND_SLOTS] = {};
        UnitDefinition defs[HAND_SLOTS] = {};
        int charges[HAND_SLOTS];  // -1: the slot keeps its charge
        std::vector<int> drawLastTypes;
        HandRecords() {
            for (int& c : charges) c = -1;
        }
    };
    void MakeHandRecords(HandRecords& out) const;
    // The battle takes the loader's records over.
    void TakeHandRecords(const HandRecords& in);
    // Makes the slot's robot on the cell and pays for it.
    void PlaceHandRobot(int slot, int column, int row);
    void ShieldRobotUnder(CCom_GameRobot& barrier);
    // Where the carried card is held (m_vHeldAt): over the field's band of
    // rows, and judged there at all (a card is carried, the field stands).
    bool HeldOverFieldBand() const;
    bool HeldCardJudged() const;
    // Every look of the placement check at the held card takes a robot serial.
    void TakeHeldCardTrial();
    // The carried card's ghost, drawn after the hand, was once a robot of its
    // own, and its placement is tried again: both serials are still taken.
    // Answers the ghost's (-1 with no card carried).
    int TakeCarriedGhostSerials();
    // The cell under the held card it may go on, or -1 (and why not, when judged).
    int HeldCardCell(PlacementVerdict* why = nullptr) const;
    void RemoveRobotUnder(const CCom_GameRobot& remover);
    // Applied commands with their frames, kept while m_bKeepCommandLog is on.
    std::vector<LoggedCommand> m_vecCommandLog;
    bool m_bKeepCommandLog = false;

    // ---- State, in the order the battle keeps it. ----
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
    int m_iBattleState = 0;
    int m_iBattleFrame = 0;
    int m_iStateFrames = 0;
    int m_iStateEntryFrame = 0;
    bool m_abStateFlags[STATE_FLAGS] = {};
    int m_iCardChoiceStep = 0;
    UnitDefinition m_aCardDefs[ROBOT_TYPES]{};
    bool m_abCardPicked[ROBOT_TYPES] = {};
    bool m_abCardDisabled[ROBOT_TYPES] = {};
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
    VxVec3 m_vHeldAt{};  // where the carried card is held (HoldCard)
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

    int m_aiColumnHazard[FIELD_COLUMNS] = {};
    int m_aiStageStats[STAGE_STATS] = {};
    float m_fGameSpeed = 1.0f;
    VxVec3 m_vMiniGamePoint{};
    int m_iMiniGameFlag = 0;
    bool m_bCardMoving = false;
    int m_iMetalPartsWon = 0;
    int m_iPartsCollected = 0;  // metal parts picked up in this battle

    // ---- The logic pass (BattleRoad.h). ----
    // Robot types that take their turns before every row, before the rest of
    // their own row, and after every row.
    std::list<int> m_lstDrawFirstTypes;
    std::list<int> m_lstDrawSecondTypes;
    std::list<int> m_lstDrawLastTypes;

    // ---- Decoration rolls (AmbientDraws.h). ----
    // The kind-5 field effect on show: its streaks' turns and lengths, rolled
    // by the rules as the record is shown, drawn from by the page.
    StreakRolls m_StreakRolls;

    // Item flights (ItemFlights.h): the items on their way to the HUD, and
    // where the counters they fly to stand.
    ItemFlight m_aItemFlights[ITEM_FLIGHTS] = {};
    VxVec3 m_vEnergyPanelAt{};
    VxVec3 m_vPartsPanelAt{};
    int m_iPanelTimer = 0;  // frames the parts panel stays out

private:
    BattleScene* m_pScene;
};

// Whether the first tutorial (stage 1, first time) or the second (stage 2
// without an energy booster) runs.
bool IsFirstTutorialActive();
bool IsSecondTutorialActive();
