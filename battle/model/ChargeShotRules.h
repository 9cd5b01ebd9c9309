#pragma once
// The shots the player times. On 164 and 179 the held button charges the
// cannons and its release fires them, farther the longer it was held; on 168
// a charged robot's shot goes to the Machine nearest the mouse, and hits
// only while that Machine blinks.
#include "engine/VxMatrix.h"

class CBattleModel;
class CCom_GameRobot;

// Frames of holding that charge a shot fully.
constexpr int FULL_CHARGE_FRAMES = 180;

// 164, 179: one frame of the charge, the shot and the recovery.
void StepChargeShot(CBattleModel& model, bool held);
// 168: whether the Machine blinks at the engine's frame.
bool MachineBlinks(const CCom_GameRobot& machine, int engineFrame);
// 168: the robot fires at the Machine near the point, a blinking one first;
// false when none is in reach.
bool ZapMachineNear(CBattleModel& model, CCom_GameRobot& robot, const VxVec3& at, int engineFrame);
// 168: the Machine a zap at the point goes for, a blinking one first (null:
// none in reach).
const CCom_GameRobot* ZapTargetNear(const CBattleModel& model, const VxVec3& at, int engineFrame);
// 168, a press at the point: the first charged attacker fires at the Machine
// near it. What the press will meet, for the screen to answer it: the
// attackers it passes still charging, and whether the first charged one
// finds no Machine in reach.
struct ZapPreview {
    int charging = 0;
    bool nothingInReach = false;
};
ZapPreview PreviewZap(const CBattleModel& model, const VxVec3& at, int engineFrame);
void ZapFromFirstChargedAttacker(CBattleModel& model, const VxVec3& at, int engineFrame);
