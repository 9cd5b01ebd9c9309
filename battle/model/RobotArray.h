#pragma once
// The preview before a battle: a few of the stage's Machine types stand on
// the field in rows while the player picks the hand, and scroll away with it.
#include <vector>

class CBattleModel;
class CCom_GameRobot;
class BattleDrawer;

// The preview's robots, made with the page before any battle: numbered as the
// first robots made, they take none of a battle's serials.
std::vector<CCom_GameRobot> MakeShownRobots();
// Sets up count preview robots once (count stays 0 without a Machine type to
// show); the preview may widen the stage's ground rows it stands on.
void SetUpRobotArray(CBattleModel& model, std::vector<CCom_GameRobot>& robots, int& count);
// One frame of the preview: the robots move with the field's scroll and take
// their turns until the battle begins.
void RunRobotArray(CBattleModel& model, std::vector<CCom_GameRobot>& robots, int count, BattleDrawer& drawer);
