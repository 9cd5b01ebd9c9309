#pragma once
// A battle: its state (BattleData.h), kept private, and the acts and rules
// the page and the units call on. The page draws it, sounds it and turns the
// player's input into its commands; only the rules (BattleRules.h) change the
// state directly.
#include <memory>
#include <vector>

#include "battle/model/BattleCommands.h"
#include "battle/model/BattleContext.h"
#include "battle/model/BattleData.h"
#include "battle/model/BattleScene.h"

class CBattleModel : private BattleData {
public:
    explicit CBattleModel(BattleScene& scene);
    CBattleModel(const CBattleModel&) = delete;
    CBattleModel& operator=(const CBattleModel&) = delete;
    virtual ~CBattleModel();

    // What the battle is drawn and heard with (the page's, or an empty one).
    BattleScene& Scene() const { return *m_pScene; }

    // What the battle is played under (BattleContext.h), handed over by its
    // host as the battle is set up; a battle nobody set up plays stage 1.
    void TakeContext(const BattleContext& context) { m_Context = context; }
    const BattleContext& Context() const { return m_Context; }
    int StageNumber() const { return m_Context.stage; }
    int Difficulty() const { return m_Context.difficulty; }
    // The profile the battle is played for: the rules read it and pay into it.
    SaveProfile& Profile() const;
    // The host's frame clock, which runs on while the battle stands still;
    // the rules that keep time by it read it here.
    int AppFrame() const { return m_Context.clock ? m_Context.clock->Now() : 0; }
    bool StillShown() const { return m_Context.clock && m_Context.clock->StillShown(); }
    bool StillTaken() const { return m_Context.clock && m_Context.clock->StillTaken(); }

    // Field grid lookups (built with the units).
    VxVec3 FindNearestCell(float x, float y, float z) const;
    VxVec3 GetCellCentre(float x, float y, float z) const;
    // The stage lets units attack.
    bool AttacksAllowed() const { return m_StageDefinition.m_bAttacksAllowed; }

    // A robot's shot (kind = weapon id, graphic = its art slot, serials of its
    // target and itself; -1 for the page's own area shots).
    void FireBullet(WeaponId kind, int graphic, float x, float y, float z, int targetSerial, int ownerSerial);
    void AddFieldEffect(int source, FieldEffectType type, float x, float y, float z);
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
    // The same for a card's robot being moved (relocating): a weapon card
    // stands for the robot it mounts on.
    PlacementVerdict JudgeCardOnCell(int slot, int column, int row, bool relocating) const;
    // The cell a card of the slot held at the point would go on, or -1 (and
    // why not, when judged): the placement check's answer without its look,
    // for whoever asks where a card fits.
    int PlacementCellAt(int slot, const VxVec3& at, bool relocating, PlacementVerdict* why = nullptr) const;
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
    // The hand is as it was read, the Remover Bot in its slot: the hand's art
    // loads from it while the battle's own may still change.
    struct HandRecords {
        HandSlot hand[HAND_SLOTS] = {};
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

    // ---- What the page's loading, card choice and HUD set. ----
    // The hand's shown slots, and its slots emptied (nothing carried from a
    // capsule); the card choice puts a card in a slot (uncharged), keeps a
    // slot for a card on its way (-2), empties one or swaps two.
    void SetHandSlots(int n) { m_nHandSlots = n; }
    void EmptyHand();
    void PutCardInHand(int slot, int card);
    void KeepHandSlotForCard(int slot) { m_aHand[slot].m_iCard = -2; }
    void EmptyHandSlot(int slot) { m_aHand[slot] = HandSlot{}; }
    void SwapHandSlots(int a, int b);
    // The card under the pointer on the choice screen, or none.
    void CarryCard(int slot) { m_iCarriedCard = slot; }
    void DropCarriedCard() { m_iCarriedCard = -1; }
    void CountCarriedFrame() { ++m_iCarriedFrames; }
    // Every robot's record, read for the card choice.
    void ReadCardRecords();
    // The records of the cards in the shown slots, before the loader's come.
    void ReadShownHandRecords();
    void ClearTurnOrder();
    void SetFieldGroundRow(int row) { m_iFieldGroundRow = row; }
    void ClearMiniGameFlag() { m_iMiniGameFlag = 0; }
    void ClearStageStats();
    void ClearPartsCollected() { m_iPartsCollected = 0; }
    // No item on its way to the HUD, the parts panel in.
    void ClearItemFlights();
    void ShowPartsPanel(int frames) { m_iPanelTimer = frames; }
    // Where the HUD's counters stand, for the items flying to them.
    void SetPanelPlaces(const VxVec3& energy, const VxVec3& parts);
    void SetPartsPanelPlace(const VxVec3& parts) { m_vPartsPanelAt = parts; }
    // The clocks start at the battle's first frame, at full speed, no column
    // under a hazard, no tutorial step asked for.
    void StartClocks();
    // A frame of the battle has passed (its state's frames too).
    void CountFrame();
    // The engine frame the present state began at.
    void MarkStateEntry(int engineFrame) { m_iStateEntryFrame = engineFrame; }
    // The stage unit, made anew for each battle (a mini-game's field already
    // in place) and gone with it; brought up to the battle's state at once.
    void MakeStageUnit();
    void RefreshStageUnit();
    // The field slides in for the card choice's preview and out again.
    void SlideFieldForPreview(bool shown);
    void ForgetStageUnit();
    // Everything on the field and in the turn lists goes, at release.
    void ClearField();

    // Applied commands with their frames, kept while the log is on.
    void KeepCommandLog(bool on) { m_bKeepCommandLog = on; }
    void LogCommand(const BattleCommand& command) {
        if (m_bKeepCommandLog) m_vecCommandLog.push_back(LoggedCommand{m_iBattleFrame, command});
    }
    const std::vector<LoggedCommand>& CommandLog() const { return m_vecCommandLog; }

    // What the battle holds, to read; the rules change it (BattleRules.h).
    const BattleData& State() const { return *this; }

private:
    friend class BattleRules;
    BattleScene* m_pScene;
    BattleContext m_Context;
    std::unique_ptr<SaveProfile> m_pBlankProfile;
    std::vector<LoggedCommand> m_vecCommandLog;
    bool m_bKeepCommandLog = false;
};

// Whether the first tutorial (stage 1, first time) or the second (stage 2
// without an energy booster) runs.
bool IsFirstTutorialActive(const CBattleModel& model);
bool IsSecondTutorialActive(const CBattleModel& model);
