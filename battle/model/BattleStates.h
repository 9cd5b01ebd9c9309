#pragma once
// The rules of the battle's states: which state runs and since when, the
// play's clock and its end, the stars a won stage earns, the streaks a
// stage's end counts and the field's occupied cells. The boards and captions
// each state waits for are the page's (PageGameStates.cpp); it calls these
// at their places in the frame.
class CBattleModel;

// Enters the state: its frame count starts afresh and its first frame is the
// engine's next. Leaving play stops the slot reels' and the charge shot's loops.
void SetBattleState(CBattleModel& model, int state);
void AdvanceBattleState(CBattleModel& model);

// More cards unlocked than the hand has slots: the player chooses (never on a mini-game).
bool HasMoreCardsThanSlots(const CBattleModel& model);

// Waits for the stage loader, then 30 frames more before the battle begins.
void StepLoading(CBattleModel& model);

// What a frame of play leaves to the page.
enum class PlayStep {
    Done,
    StartLine,  // 167 in overtime: the way back to the start line takes the frame
};
// A frame of play: without life the battle goes to its result; the clock runs
// down (play time counts each second, on 151 by the battle's frames); after it
// overtime counts and closes at 2700 frames, and the play ends once no
// Machine is left, on 169 not while meteors still fall.
PlayStep StepPlaying(CBattleModel& model, bool meteorsFalling);

// Three stars for full life, two for at least half, one below.
int RewardStars(const CBattleModel& model);
// The stars of a won stage of the map go into the best-stars record, which
// never goes down; what it gains counts for the stars achievement. Answers
// the stars (0 on a mini-game).
int RecordRewardStars(CBattleModel& model);

// The streaks the next stage's difficulty offer reads.
struct ResultStreaks {
    int losses = 0;    // stages lost in a row on difficulty 1 or 2
    int easyWins = 0;  // stages won with three stars in a row, not on difficulty 2
};
ResultStreaks NextResultStreaks(ResultStreaks before, bool won, int stars, int difficulty);
// A stage's end: on a map stage, once the feature is unlocked, the
// application's streaks move on; the first win of an even mini-game (not a
// tenth) opens the next one's area on the map.
void RecordStageEnd(const CBattleModel& model, int stars);
// After the end caption, a won stage counts toward the achievements of its
// statistics (map stages) and of the episodes' last mini-games.
void CountWonStageAchievements(const CBattleModel& model);

// Cells a robot of the player's stands on (within 10 of the centre): the
// stage's statistic and the achievement.
void CountOccupiedCells(CBattleModel& model);
