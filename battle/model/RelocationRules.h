#pragma once
// The mini-games in which the player picks robots up and sets them on other
// cells (153, 158, 160, 170, 172, 173, 180), with the rules of 158 (a repair,
// then a line-up and a march to the right) and 172 (an energy goal).
#include "engine/VxMatrix.h"

class CBattleModel;
class CCom_GameRobot;

// An own live robot that may move (not a one-shot, an occupied platform, nor
// 158's Mariner and Buoyer Bots).
bool MayRelocate(const CBattleModel& model, const CCom_GameRobot& robot);
// The robot a press at the point picks up: the first within reach that may
// move (null: none).
const CCom_GameRobot* RelocatableRobotAt(const CBattleModel& model, const VxVec3& at);
// A robot moved lately still smokes and may not move again yet.
bool RelocationCoolingDown(const CBattleModel& model, const CCom_GameRobot& robot);
void PickUpRobot(CBattleModel& model, CCom_GameRobot& robot);
// Sets the robot on the cell (column, row); false when there is no such cell.
// The caller sorts the robot list for drawing after a move.
bool MoveRobotToCell(CBattleModel& model, CCom_GameRobot& robot, const VxVec3& cellIndex);
// The robot being relocated, while it lives, goes to the cell; the list is
// sorted for drawing after a move.
void MoveRelocatingRobot(CBattleModel& model, const VxVec3& cellIndex);
// The robot being relocated is let go where it is held: it moves to the cell
// nearest when the placement check takes that cell (the check's look takes a
// robot serial), and is set down either way.
void DropRelocatingRobot(CBattleModel& model);
// The carried robot is let go: its card's sound, nothing carried.
void SetRobotDown(CBattleModel& model, int slot);

// 158, one frame. flyer: a robot sent flying to its cell in the line-up
// (the caller starts its slide to the point).
struct SequenceStep {
    bool won = false;
    CCom_GameRobot* flyer = nullptr;
    VxVec3 to{};
};
SequenceStep StepSequenceGame(CBattleModel& model);
// 172, one frame; true when the energy goal is reached.
bool StepEnergyGoal(CBattleModel& model);
