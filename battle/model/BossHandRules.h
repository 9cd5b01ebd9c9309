#pragma once
// The Destroyer's hands: each takes aim at a cell (a mark spins there for
// three seconds), slides in along the row, closes on the cell centre and
// slides back out. The battle keeps the strikes and crushes on the frame a
// hand closes; the hand effect draws them where the battle's frame left them.
class CBattleModel;

// How far from the point the closed hand reaches.
constexpr float BOSS_HAND_REACH = 50.0f;
// The strikes at once (one a hand), and their timing in frames: the aim, the
// hand's grab, and the grab's frame it closes on.
constexpr int BOSS_HANDS = 2;
constexpr int BOSS_HAND_AIM = 180;
constexpr int BOSS_HAND_GRAB = 50;
constexpr int BOSS_HAND_CLOSES = 20;
constexpr int BOSS_HAND_WARNING = 150;

// A strike on the field: the hand (0 behind the robots, 1 in front), the cell,
// and its age. shownAge is the age its own pass showed it at this frame.
struct BossHandStrike {
    bool live = false;
    int hand = 0;
    int column = 0;
    int row = 0;
    int age = 0;
    int shownAge = 0;
};

// Every robot of the player's still alive within reach of (x, y) dies at once
// (Machines are the boss's own and stay). Answers how many it crushed.
int CloseBossHand(CBattleModel& model, float x, float y);

// Frames of the slide in (and out) to a cell: the distance over 30.
int BossHandTravelFrames(float fromX, float fromY, float toX, float toY);
// Where a strike on the row starts its slide (and ends it): off the left edge
// at the row's height.
float BossHandStartX();
float BossHandStartY(const CBattleModel& model, int row);

// A hand takes aim at the cell in the first free strike; -1 when both strike.
int AimBossHand(CBattleModel& model, int hand, int column, int row);
// Both hands let go.
void DropBossHands(CBattleModel& model);
// A frame of the strikes of one hand's pass (0 before the robots' turns, 1
// after): each ages, warns at 150, sounds its grab as it arrives, closes on
// the cell's robots at the grab's twentieth frame and ends once back out.
void RunBossHands(CBattleModel& model, int layer);
