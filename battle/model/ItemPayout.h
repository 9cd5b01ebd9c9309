#pragma once
// What a picked-up item pays out when its flight reaches the panel: energy
// for kinds 0-3; metal parts for 4-7, to the profile and to this battle's
// count, with the achievements they count toward; a capsule's robot, set
// down where the capsule lands on the stages that carry robots in capsules.
#include "engine/VxMatrix.h"

class CBattleModel;

// The battle's energy never passes this after a collection.
constexpr int ENERGY_CAP = 9990;
// A profile's metal parts never pass this.
constexpr int METAL_PARTS_CAP = 999990;

// What an item of the kind is worth: energy for kinds 0-3, metal parts for
// 4-7, else 0.
int ItemCredit(int kind);

// Where a capsule flies to and its robot comes down: on stage 154 past the
// copters in the middle row, on 162 onto the first mini-game robot, on 158
// the rightmost bottom-row cell of columns 9 to 5 no Buoyer Bot holds; the
// origin elsewhere.
VxVec3 CapsuleLandingPoint(const CBattleModel& battle);

// The item of the kind has reached the panel (a capsule: its landing point).
void PayOutItem(CBattleModel& battle, int kind, const VxVec3& landing);
