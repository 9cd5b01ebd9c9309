#pragma once
// The Destroyer's hand closing on a cell. The hand effect slides it in and
// out; the crush is the battle's, done on the frame the hand closes.
class CBattleModel;

// How far from the point the closed hand reaches.
constexpr float BOSS_HAND_REACH = 50.0f;

// Every robot of the player's still alive within reach of (x, y) dies at once
// (Machines are the boss's own and stay). Answers how many it crushed.
int CloseBossHand(CBattleModel& model, float x, float y);
