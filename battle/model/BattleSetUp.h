#pragma once
// A battle's start: its state for the stage, difficulty and profile of its
// context, and the whole set-up in its order, which the page's loading and
// the model-alone run both go through.
#include <vector>

#include "battle/model/BattleModel.h"

class CCom_GameRobot;

// Life and energy from the profile's boosters, the stage's record, field and
// clock, the Machines' records, empty counters and lists' serials, and the
// opening state.
void SetUpBattle(CBattleModel& model);

// The Machine types whose turn comes first, second or last in their row
// (the order they are drawn in), added to what the stage's hands put there.
void SetUpTurnOrder(CBattleModel& model, int stage);

// What the host does between the steps of the set-up, each once the model's
// part before it is done: the page makes its buttons and loads its pictures,
// sounds and effects there; both load the art the units read (the hand's and
// the Machines'). The steps change nothing of the battle's: with all of them
// empty the battle stands as it would. A step a host has nothing for stays empty.
class BattleSetUpSteps {
public:
    virtual ~BattleSetUpSteps() = default;
    // The hand's slots are set and emptied.
    virtual void HandSlotsSet() {}
    // The stage's record, field and counters stand (SetUpBattle), no item
    // flies and no statistic is counted yet.
    virtual void BattleSetUp() {}
    // A mini-game's hand is dealt and its records taken: the art and sounds
    // of the hand the records were read from.
    virtual void LoadDealtHand(const CBattleModel::HandRecords&) {}
    // The clocks have started; the hand is the one the battle opens with.
    virtual void ClocksStarted() {}
    // The Machines' records stand: their art and sounds.
    virtual void LoadMachineArt() {}
    // The stage unit stands.
    virtual void StageUnitMade() {}
    // Every robot's card record is read.
    virtual void CardRecordsRead() {}
    // A mini-game's field is ready (its air row, the point its art hangs from).
    virtual void FieldPrepared() {}
};

// The set-up in its order: the hand's slots, SetUpBattle, the counters'
// places, the mini-game's set-up (its state, reels, dealt hand and its
// records, start robots, first round), the clocks, the turn order, the stage
// unit, the card records, the mini-game's field and the preview's robots
// (shownRobots, shownCount).
void RunBattleSetUp(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int& shownCount,
                    BattleSetUpSteps& steps);
