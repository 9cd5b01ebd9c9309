#pragma once
// The battle's side of the tutorial of the first two battles: which step the
// battle asks the board for next, the clock a step holds while it is read,
// and what clicking a step away does to the fight. The board itself (its
// fades, text and arrows) is the tutorial effect's.
class CBattleModel;
class CCom_GameRobot;
class CCom_GameItem;

// A step fully shown for more frames than this, in play, holds the clock.
constexpr int TUTORIAL_CLOCK_HOLD_AGE = 180;

// Asks the board for the step the battle has reached this frame: the first
// card charged (step 0 of stage 1, step 16 of stage 2 without an energy
// booster), the read steps 4, 5 and 11 gone, 20 energy banked at step 6.
// While step 11 shows, the panel stays out.
void AskForTutorialSteps(CBattleModel& battle);

// The board's step has been fully shown for `shownFrames`: past three
// seconds in play, the stage clock stands still this frame.
void HoldClockWhileStepIsRead(CBattleModel& battle, int shownFrames);

// The player clicked the step away. The first Machine walks in unharmed
// while step 9 is read (step 8's click stops the attacks); step 9's click
// starts the fight and gives the Smasher back its speed.
void TutorialStepClickedAway(CBattleModel& battle, int step);

// Once a frame after the units' turns, in the first tutorial: while a step is
// read (steps up to 4 fully shown past three seconds, later ones standing
// still) the Fusors' production waits; at steps 4 to 6, once an item has
// dropped, the clock stands still until the step has been read that long.
void HoldTutorialClock(CBattleModel& battle);

// After a robot's turn in its row: at step 8 the first Machine to walk in
// past the first column stops there and step 9 is asked for.
void StopFirstMachineAtStepEight(CBattleModel& battle, CCom_GameRobot& robot);

// Before an item's turn: in the first tutorial the item a step speaks of does
// not age out (energy while step 3 shows, metal parts until the first are
// banked); it is held at the age before its last blinks.
void KeepTutorialItem(const CBattleModel& battle, CCom_GameItem& item);
