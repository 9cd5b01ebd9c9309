#pragma once
// What a battle holds: life, energy and the clock, the battle state, the stage
// record and field cells, the hand, the lists of robots, bullets, items and
// field effects, the waves, the mini-games' state and the statistics. The
// model keeps it private; the page and the effects read it through
// CBattleModel::State(), and only the rules change it (BattleRules.h).
#include <cstdint>
#include <list>

#include "battle/model/AmbientDraws.h"
#include "battle/model/BattleLimits.h"
#include "battle/model/BossHandRules.h"
#include "battle/model/ItemFlights.h"
#include "battle/model/SkyDrops.h"
#include "battle/model/TutorialSteps.h"
#include "battle/model/BattleTypes.h"
#include "content/FieldGrid.h"
#include "content/StageDefinition.h"
#include "content/UnitDefinition.h"
#include "engine/VxMatrix.h"

class CCom_GameRobot;
class CCom_GameBullet;
class CCom_GameItem;
class CCom_GameStage;

struct BattleData {
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

    // Mini-game state (all of it reset at set-up, RunBattleSetUp).
    uint8_t m_bRelocateRule = 0;  // relocation has a cooldown (153, 158, 160, 170, 180)
    int m_iHoldFrames = 0;        // frames the left button has been held
    int m_iRound = 0;             // 151: round 1 to 5
    int m_iRoundTimer = 0;        // 151: countdown of the round
    int m_iRoundPhase = 0;        // 151: 0 fighting, 1 scrolling to the next round
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
    CCom_GameRobot* m_apMiniGameRobots[MINI_GAME_ROBOT_SLOTS] = {};
    CCom_GameRobot* m_pMiniGameBoss = nullptr;
    CCom_GameRobot* m_apMiniGameExtra[MINI_GAME_LINKS - MINI_GAME_ROBOT_SLOTS - 1] = {};

    int m_aiEnemyCalls[STAGE_ENEMY_RECORDS] = {};
    CCom_GameStage* m_pStage = nullptr;
    int m_iBattleState = 0;
    int m_iBattleFrame = 0;
    int m_iStateFrames = 0;
    int m_iStateEntryFrame = 0;
    UnitDefinition m_aCardDefs[ROBOT_TYPES]{};
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
    FieldCell m_aFieldCells[FIELD_CELLS]{};
    std::list<int> m_lstStageCellKinds;
    int m_aiCageCooldown[FIELD_CELLS] = {};
    int m_aiReachPattern[HAND_SLOTS][19][9] = {};

    std::list<CCom_GameRobot> m_lstRobots;
    std::list<CCom_GameBullet> m_lstBullets;
    std::list<CCom_GameItem> m_lstItems;
    // The serials the next robot, bullet and item of this battle take; every
    // one made takes one, temporaries included.
    int m_iNextRobotSerial = 0;
    int m_iNextBulletSerial = 0;
    int m_iNextItemSerial = 0;
    std::list<FieldEffect> m_lstFieldEffects;

    int m_aiColumnHazard[FIELD_COLUMNS] = {};
    int m_aiStageStats[STAGE_STATS] = {};
    float m_fGameSpeed = 1.0f;
    VxVec3 m_vMiniGamePoint{};
    int m_iMiniGameFlag = 0;
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
    // Meteors falling with Machines inside (SkyDrops.h).
    MeteorFlight m_aMeteorFlights[METEOR_FLIGHTS] = {};
    // Robots by parachute and thrown out (171, 177), and the battle frame a
    // parachute was last cut on (a Machine cuts none on that frame).
    Paratrooper m_aParatroopers[PARATROOPERS] = {};
    ThrownRobot m_aThrownRobots[THROWN_ROBOTS] = {};
    int m_iParachuteCutFrame = -1;
    // The Destroyer's hand strikes (BossHandRules.h).
    BossHandStrike m_aBossHands[BOSS_HANDS] = {};
    VxVec3 m_vEnergyPanelAt{};
    VxVec3 m_vPartsPanelAt{};
    int m_iPanelTimer = 0;  // frames the parts panel stays out
    // The tutorial's steps (TutorialRules.h): none asked for until a tutorial runs.
    TutorialSteps m_Tutorial;
};
