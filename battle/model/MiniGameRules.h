#pragma once
// The rules of the mini-games (stages 151 to 180) the page calls at fixed
// points of its frame: the set-up, the per-frame loss and timed rules, the
// rounds of 151, the steering and shooting, the carriers of 177 and the
// episodes' final bosses. The page reads the mouse and hands the rules its
// point; it draws and keeps the buttons.
struct VxVec3;
class CBattleModel;
class CCom_GameRobot;

// ---- The framework (MiniGameRules.cpp). ----
// Set-up, before the reels and the hand: the links, flags and counters.
void ResetMiniGameState(CBattleModel& model);
// Deals the stage's fixed hand (the slot stages: every code on the reels)
// and sets the shown slots; a card whose robots run last joins the last turns.
void DealMiniGameHand(CBattleModel& model);
// The robots each mini-game starts with (MiniGameStartRobots.cpp).
void PlaceMiniGameRobots(CBattleModel& model);
// Set-up, after the hand and the starting robots: 151's first round, the
// jump, the tweens and the charge shot start afresh.
void FinishMiniGameSetUp(CBattleModel& model);
// At load: the point the mini-games' art hangs from, and 167's air row.
void PrepareMiniGameField(CBattleModel& model);

// A robot's charge, 0 to 1, with the stage's factor on its action interval.
float MiniGameChargeRatio(const CBattleModel& model, const CCom_GameRobot& robot);
void AddMiniGameTween(CBattleModel& model, CCom_GameRobot* robot, float x, float y, float z);
void UpdateMiniGameTweens(CBattleModel& model);
// Takes the Machines (every unit, with machinesOnly false) off the field and
// out of the mini-game links: a new round, the way back to the start line.
void ClearFieldUnits(CBattleModel& model, bool machinesOnly);

// Once a frame from the logic pass, after the enemy scheduler: the rules
// below in their fixed order (MiniGameFrame.cpp). True on the frame the
// stage is won; the caller then enters the reward state.
bool RunMiniGameFrame(CBattleModel& model);
// 171's Machine Gunner is steered, and picks up and fires, while it lives.
bool MiniGameGunnerSteers(const CBattleModel& model);
// The mini-games whose controls follow the pointer every frame: 152 and 162
// aim, 154 to 156, 163, 166, 171 and 174 steer, 157 and 167 jump (and steer),
// 164 and 179 charge a shot.
bool FollowsThePointer(int stage);
// A frame of those controls, with the pointer there and the button held or not.
void RunMiniGameControls(CBattleModel& model, const VxVec3& pointer, bool held);
// The rules that run with the player's input each frame of play, after the
// steering: robots fire once charged and pick up what they touch (154, 155,
// 156, 163, 166, 171, 174), 167's airships and 177's Mini-Bombers fire, 175's
// Machines speed up.
void RunMiniGameInputRules(CBattleModel& model);
// Notes a robot of the player's on the field and answers whether the rules
// run this frame.
bool BeginMiniGameFrame(CBattleModel& model);
// Whether the "no robot left" rule may end this stage now.
bool NoRobotLeftLoses(const CBattleModel& model, int stage);
// Step 1 and 2 of the frame: the loss rules and 151's held-back Machines.
void ApplyMiniGameLossRules(CBattleModel& model);
// Steps 4 to 8: 162's capsule, the twins of 171, 164 and 179, the shooting
// stages' controlled robot, 161's capsule rain.
void ApplyMiniGameTimedRules(CBattleModel& model);
// Stage 161: capsules while Machines live.
void UpdateCapsuleRain(CBattleModel& model);
// Stage 175: the first Machine type walks fast.
void SetFastMachines(CBattleModel& model);

// ---- Stage 151: the rounds (MiniGameRounds.cpp). ----
void SpawnRoundRobots(CBattleModel& model, int round);
void CallRoundMachines(CBattleModel& model);
void UpdateRoundRules(CBattleModel& model);
void ScrollToNextRound(CBattleModel& model);
void HoldBackRoundMachines(CBattleModel& model);

// ---- Aiming and steering (MiniGameSteering.cpp). ----
// Counts the frames the button is held; answers whether the aimed shots fire.
bool CountAimHold(CBattleModel& model, bool held);
// 152, 162: every charged robot fires at the point.
void FireShotsAt(CBattleModel& model, const VxVec3& aim);
// The robot the mouse drags: the controlled one on the duel stages, else
// the first own live attacker (the others of the squad follow it).
CCom_GameRobot* SteeredRobot(CBattleModel& model);
void SteerRobotY(CBattleModel& model, float towardY);
void SteerRobotX(CBattleModel& model, float towardX, bool setFacing);
void CollectItemsByTouch(CBattleModel& model);
void FireChargedRobots(CBattleModel& model);
// 154: capsules while fewer than three copters are coming.
void UpdateCapsuleSupply(CBattleModel& model);

// ---- Stage 177: carriers and paratroopers (MiniGameCatch.cpp). ----
enum class CatchStep { Running, Caught, Won };
// Caught: a robot landed on a carrier (the drawing order changes); Won: the
// goal is reached and the reward state is due.
CatchStep UpdateConveyorCatch(CBattleModel& model);
void DropParatrooper(CBattleModel& model);

// ---- 160, 170, 180: the final boss (MiniGameFinalBoss.cpp). ----
// Answers true when the boss is gone and the reward state is due.
bool UpdateFinalBoss(CBattleModel& model);
