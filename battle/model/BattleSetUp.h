#pragma once
// A battle's state at its start, for the stage, difficulty and profile of its
// context: life and energy from the profile's boosters, the stage's record,
// field and clock, the Machines' records, empty counters and lists' serials,
// and the opening state.
class CBattleModel;

void SetUpBattle(CBattleModel& model);

// The Machine types whose turn comes first, second or last in their row
// (the order they are drawn in), added to what the stage's hands put there.
void SetUpTurnOrder(CBattleModel& model, int stage);
