#pragma once
// What drops onto the field from the sky: Machines inside meteors (world 5)
// and the hand's robots by parachute (mini-games 171 and 177). The meteors'
// flights are the battle's, their picture only shows them; the paratroopers'
// effect flies them in and calls these on the frame they arrive. The battle
// makes the unit and decides what it crushes or lands on.
#include "engine/VxMatrix.h"

class CBattleModel;
class CCom_GameRobot;

// ---- Meteor Machines ----
// A meteor on its way with a Machine inside (world 5): from where it starts
// to the cell it lands on, in frames; nowhere: no cell was found, and the
// Machine walks in instead on the next frame.
struct MeteorFlight {
    bool live = false;
    bool nowhere = false;
    int type = 0;
    VxVec3 from{};
    VxVec3 to{};
    int frames = 0;
    int age = 0;
};
constexpr int METEOR_FLIGHTS = 20;

// A Machine of the type comes by meteor: its landing cell is drawn at once.
// Answers the flight's place, or -1 when twenty are already falling.
int StartMeteorFlight(CBattleModel& model, int type);
// Once a frame, with the overlays: each meteor flies a frame, or lands (its
// Machine made, what stands there crushed), or its Machine walks in.
void RunMeteorFlights(CBattleModel& model);
bool MeteorsFalling(const CBattleModel& model);

// Draws the ground cell a meteor lands on: a column of the field's middle
// (1-4, 1-6 from stage 151), then a row, again until the cell is ground.
// Answers -1 when 200 draws found none.
int DrawMeteorLandingCell(const CBattleModel& model);
// A meteor with nowhere to land: its Machine walks in from the left edge.
void WalkInMeteorMachine(CBattleModel& model, int type);
// The robot of the player's a meteor landing on the point crushes: the first
// standing one within 20 across and 15 up or down (carriers, timers and
// one-shot units are not hit); null when none.
CCom_GameRobot* RobotUnderMeteor(CBattleModel& model, const VxVec3& at);
// The meteor lands on the point: the Machine is made there, the ground shakes
// and the robot under it is crushed.
void LandMeteorMachine(CBattleModel& model, int type, const VxVec3& at);

// ---- Paratroopers ----
// Half the side of the parachute's square.
constexpr float PARACHUTE_HALF = 128.0f;
// Draws where a paratrooper starts hanging: x first, then y, above the field.
VxVec3 DrawParatrooperStart();
// Puts the hand slot's robot where it hangs (not on the cell below);
// answers its serial, or -1 when none was made.
int DropParatrooper(CBattleModel& model, int slot, const VxVec3& at);
// Stage 177: a hanging robot at that height has come down to the field.
bool ParatrooperReachesGround(const CBattleModel& model, float y);
// Stage 177: the robot lands; on a free carrier within 45 it rides it and
// counts as caught, elsewhere it is lost.
void LandParatrooper(CBattleModel& model, int slot, const VxVec3& at);
// A Machine stands inside the parachute's square around the chute point or
// the card's square (the half given) around the picture point.
bool MachineTouchesParatrooper(const CBattleModel& model, const VxVec3& chute, const VxVec3& picture,
                               float pictureHalf);
