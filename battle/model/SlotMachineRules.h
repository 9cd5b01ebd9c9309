#pragma once
// The slot machine of 159, 165, 169, 176 and 178: three reels of card codes
// turn one row every period; a stopped reel snaps, and once all three stand
// two or three equal codes on the pay line release capsules of that card.
#include <vector>

#include "battle/model/BattleLimits.h"

class CBattleModel;

// The codes every reel of the stage holds (empty off the slot-machine stages).
std::vector<int> SlotReelCodes(int stage);
void SetUpSlotReels(CBattleModel& model);
// The code a reel shows offset rows from its position (-1: no codes).
int GetReelSymbol(const CBattleModel& model, int reel, int offset);

// What a pay line pays: each code counted once, at its first reel.
struct SlotPayout {
    int card = 0;
    int capsules = 0;
};
std::vector<SlotPayout> SlotPayouts(const int (&symbols)[SLOT_REELS]);
// Drops the pay line's capsules at the right edge; the match or snap sounds.
void PayOutSlotMatch(CBattleModel& model);

// One frame of the reels at the engine's frame: turning, stopping, paying
// and, three seconds after a payout, spinning again.
void StepSlotMachine(CBattleModel& model, int engineFrame);
// The rightmost reel still running, which the lever stops next (-1: none).
int NextReelToStop(const CBattleModel& model);
// The lever may be pulled: playing, no card carried, back up from the last pull.
bool SlotLeverReady(const CBattleModel& model);
void StopSlotReel(CBattleModel& model, int reel);
