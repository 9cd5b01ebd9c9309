#pragma once
// The battle's side of the tutorial of the first two battles: the steps it
// keeps (TutorialSteps.h), which step it asks for next and on what, the
// clock a step holds while it is read, what a step lets the player do, and
// what clicking a step away does to the fight. The board only draws the steps.
class CBattleModel;
class CCom_GameRobot;
class CCom_GameItem;

// A step fully shown for more frames than this, in play, holds the clock.
constexpr int TUTORIAL_CLOCK_HOLD_AGE = 180;

// Asks for the step the battle has reached this frame: the first
// card charged (step 0 of stage 1, step 16 of stage 2 without an energy
// booster), the read steps 4, 5 and 11 gone, 20 energy banked at step 6.
// While step 11 shows, the panel stays out.
void AskForTutorialSteps(CBattleModel& battle);

// The step on show has been up for `shownFrames`: past three seconds in
// play, the stage clock stands still this frame.
void HoldClockWhileStepIsRead(CBattleModel& battle, int shownFrames);

// Once a frame with the overlays: the steps fade on (TutorialSteps::Advance)
// and a step up, not fading out, holds the clock as above.
void RunTutorialSteps(CBattleModel& battle);

// The player's acts that move the first tutorial on: a Fusor Bot's card
// picked up (step 1); a Fusor Bot placed (2), a Gunner Bot (8); energy
// collected (4), metal parts (11). The card or item as it was before the act.
void TutorialCardPicked(CBattleModel& battle, int card);
void TutorialCardPlaced(CBattleModel& battle, int card);
void TutorialItemCollected(CBattleModel& battle, int itemKind);

// A tutorial runs: the first (stage 1 on a first play) or the second (stage
// 2 first reached, without an energy booster).
bool TutorialRuns(const CBattleModel& battle);
// While a tutorial runs and its step waits for a click (shown, or fading
// out but not yet gone), the player's other input of the frame is ignored.
bool TutorialHoldsInput(const CBattleModel& battle);
// The first tutorial holds the Fusor Bot's card back from step 4 to step 7,
// while it explains energy.
bool TutorialHoldsCard(const CBattleModel& battle, int card);
// Before step 8 of the first tutorial a card goes only on the bottom row,
// from the right: with n robots on the field, on columns 9 - n to 9.
bool TutorialRefusesCell(const CBattleModel& battle, int column, int row);
// The first tutorial keeps the Machines back until its eighth step, during
// its tenth, and while a step stands fully shown (not fading in or out).
bool TutorialHoldsMachines(const CBattleModel& battle);

// A click takes the step away now (TutorialSteps::TakesClick); and the
// click itself: the step fades out, the click sounds, and the fight takes it
// as below.
bool TutorialTakesClick(const CBattleModel& battle);
void ClickTutorialStepAway(CBattleModel& battle);

// The first tutorial's reward capsule came to rest (step 13 is asked for),
// or was opened (step 14).
void TutorialCapsuleShown(CBattleModel& battle, bool opened);

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
