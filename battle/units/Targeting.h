#pragma once
// The tests every target scan shares: shooter s, candidate t.
#include "battle/units/GameRobot.h"

// Another live unit on screen that may be aimed at: not a one-shot, not an
// occupied platform, not a timer (the Capsule Cage excepted unless
// excludeAllTimers).
bool IsTargetable(const CCom_GameRobot& s, const CCom_GameRobot& t, bool excludeAllTimers);
// The direction from p to t lies within s's aim half-arc of angle.
bool IsInFiringArc(const CCom_GameRobot& s, const CCom_GameRobot& t, VxVec3 p, float angle);
// t lies closer to p than s's weapon range (strictly).
bool IsWithinRange(const CCom_GameRobot& s, const CCom_GameRobot& t, const VxVec3& p);
