#pragma once
// The battle's logic pass: once a frame every robot, bullet and field effect
// takes its turn in drawing order, the finished ones leave and a Machine that
// walks off the field's edge costs life. The drawer shows each unit right
// after its turn.
#include <list>
#include <vector>

class CBattleModel;
class CCom_GameRobot;
class BattleDrawer;

// One frame of the battle field: the stage, the field's scroll in, then the
// preview robots before the battle (stages up to 150) or every unit's turn,
// and on a won mini-game the Machines cleared. The drawer shows the cells,
// the carried card and the overlays at their places between.
void RunFieldFrame(CBattleModel& model, std::vector<CCom_GameRobot>& shownRobots, int shownCount, BattleDrawer& drawer);
// The battle's turn: the units, the tutorial's hold, the items, the spawner,
// the mini-game and the weather, in that order.
void RunBattleObjects(CBattleModel& model, BattleDrawer& drawer);

// The list order the robots are drawn in: by row, then by role and size.
bool CompareRobotsForDrawing(const CCom_GameRobot& a, const CCom_GameRobot& b);

// The robots, the lanes' shots, the end sequence, the shots over the field and
// the field effects, in that order.
void RunBattleUnits(CBattleModel& model, BattleDrawer& drawer);
// Every item takes its turn; collected and old ones leave.
void RunBattleItems(CBattleModel& model, BattleDrawer& drawer);

// One robot's turn.
void RunRobot(CCom_GameRobot& robot, CBattleModel& model, BattleDrawer& drawer);
// The robots of a type, in one row (row < 0: all rows).
void RunRobotsOfType(int type, int row, CBattleModel& model, BattleDrawer& drawer);
// The robots of a row, counted as live; then the finished ones leave.
void RunRowRobots(int row, CBattleModel& model, BattleDrawer& drawer);
// The edge rule and the removal of a finished robot. Answers false when the
// robot stays (the iterator is then left for the caller to advance).
bool RemoveRowRobot(CBattleModel& model, std::list<CCom_GameRobot>::iterator& it);
// The lane's flames, or (flames false) every other shot; spent ones leave.
void RunBullets(bool flames, int lane, CBattleModel& model, BattleDrawer& drawer);
// The cages at the end of the climb; its clock, and the reward once it ran out.
void RunEndSequence(CBattleModel& model, BattleDrawer& drawer);
