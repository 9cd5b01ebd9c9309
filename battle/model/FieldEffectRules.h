#pragma once
// The field effects' rules: a record lives its frames (InitFieldEffect in
// BattleTypes.h sets them), and a few kinds act on the battle at fixed ages:
// the split of a Stingray, the bombardments and the shot ring.
#include "battle/model/BattleTypes.h"

class CBattleModel;
struct BattleScene;
class BattleDrawer;

// One frame of every record in order: it is shown, acts, ages; the spent ones leave.
void RunFieldEffects(CBattleModel& model, BattleDrawer& drawer);
// The record shows the streaks of its source's weapon this frame:
// their rolls are drawn as it is shown.
bool ShowsStreaks(const BattleScene& scene, const FieldEffect& record);
// What the record's kind does to the battle at its age (nothing for most kinds).
void ActOnBattle(CBattleModel& model, const FieldEffect& record);

// The angle and radius of copy k of a Stingray's split at an age, from +y
// toward +x: where the copy is drawn and where its Stingray appears.
double SplitCopyAngle(int k);
float SplitCopyRadius(int k, int age);
