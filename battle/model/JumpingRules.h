#pragma once
// The jump games: 157, where the Mariner Bot hops over and onto the Machines
// along the bottom row, and 167, where it leaps off the start line and climbs
// by stomping the airships below, then comes back down to the start line for
// the caged robots. Gravity, landing, stomps, the climb and the way back.
class CBattleModel;
class CCom_GameRobot;

// The speed a jump takes off with, and keeps while the button stays held.
constexpr float JUMP_TAKE_OFF_SPEED = 11.0f;

// The own Mariner Bot that jumps (null: none).
CCom_GameRobot* FindJumper(CBattleModel& model);
const CCom_GameRobot* FindJumper(const CBattleModel& model);
// A jump takes off: from the input, from a stomp, from the start line.
void StartMiniGameJump(CBattleModel& model);
// One frame of gravity, floors, the climb and stomps; true when the jumper
// stomped a Machine and so jumps again.
bool StepJumpGame(CBattleModel& model);
// A held button may start a jump with the cursor at the height: only from
// the ground, before the leaps off the start line; on 157 only from above
// the bottom band, on 167 only the first jump.
bool JumpMayStart(const CBattleModel& model, float cursorY);
// While the button stays held the jump keeps its take-off speed.
void KeepJumpRising(CBattleModel& model);
// 167 before the leap: the jumper bobs on the start line, and ten seconds in
// the first jump counts as taken.
// Once a frame, in every state of the battle.
void BobJumperOnStart(CBattleModel& model);

// 167 in overtime, once a frame: the climb scrolls back down to the start
// line, where the caged robots wait and the jumper leaps three times for the
// end. The steps below, in their order.
void StepStartLine(CBattleModel& model);
enum class StartLineStep { NoJumper, Stay, Leap };
StartLineStep StepBackToStartLine(CBattleModel& model);
// After a leap from the start line the scroll slows.
void SlowScrollAfterLeap(CBattleModel& model);
// The world passes the camera on its way down; true when the caged round is due.
bool PassWorldDown(CBattleModel& model);
// The caged robots, one a column on the start line, each where its cage
// picture sits.
void PlaceCagedRound(CBattleModel& model);

// Robots of the type whose action timer is full begin their attack, even on
// stages that hold attacks back.
void FireRobotsOfType(CBattleModel& model, int type);
