#pragma once
// What drops onto the field from the sky: Machines inside meteors (world 5)
// and the hand's robots by parachute (mini-games 171 and 177). The flights
// are the battle's; their pictures only show them. The battle makes the unit
// and decides what it crushes or lands on.
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
// How far above its card picture a parachute hangs.
constexpr float PARACHUTE_LIFT = 80.0f;
// A robot of a hand slot hanging from a parachute (177: floating down to the
// carriers; 171: drifting off after a throw). The robot's point and its card
// picture's are where its last frame left them.
struct Paratrooper {
    int state = -1;  // -1 free, 0 hanging, 1 cut or landed (the empty parachute flies off)
    int slot = 0;
    int age = 0;
    VxVec3 start{};
    VxVec3 robot{};
    VxVec3 picture{};
    int width = 0;  // the card picture's width
    // Seen this frame: the parachute, and the card under it while it hung.
    bool shown = false;
    bool cardShown = false;
};
constexpr int PARATROOPERS = 30;
// A robot thrown out of the field in a spinning arc (171); halfway it hangs
// from a parachute, when a record is free.
struct ThrownRobot {
    bool live = false;
    int slot = 0;
    VxVec3 from{};
    int age = 0;
    // Seen this frame at the point, turned by the angle.
    bool shown = false;
    VxVec3 at{};
    float degrees = 0.0f;
};
constexpr int THROWN_ROBOTS = 10;
constexpr int THROW_HAND_OVER_AGE = 60;

// Draws where a paratrooper starts hanging: x first, then y, above the field.
VxVec3 DrawParatrooperStart();
// A robot of the hand slot comes down by parachute from a drawn point;
// answers its record, or -1 when thirty hang already.
int StartParatrooper(CBattleModel& model, int slot);
// A robot of the hand slot is thrown out of the field from the point.
int ThrowRobotOut(CBattleModel& model, int slot, const VxVec3& from);
// Once a frame (177 with the overlays, 171 before the units): each hanging
// robot floats down (on 171 drifting right as well); on 177 one that reaches
// the ground lands. An empty parachute flies off the top and frees its record.
void RunParatroopers(CBattleModel& model);
// Once a frame with the overlays: each thrown robot flies its arc; at its
// sixtieth frame it hangs from the first free parachute.
void RunThrownRobots(CBattleModel& model);
// The height of a card picture above its robot's point (picture height given).
float ParatrooperPictureLift(float pictureHeight);
// The hanging record whose parachute or card a click at the point cuts (the
// highest first); -1 for none. Never on 171.
int ParachuteAt(const CBattleModel& model, float x, float y);
// The highest hanging record a Machine touches; -1 for none.
int ParachuteTouched(const CBattleModel& model);
// Cuts the record's robot loose where it hangs (made there, not on the cell
// below) and its parachute flies off; answers the robot's serial or -1.
int ReleaseParatrooper(CBattleModel& model, int record);
// Once a frame with the player's input on 177, after a click's cut: unless a
// parachute was cut this frame, the highest one a Machine touches is cut.
void LetMachinesCutParachutes(CBattleModel& model);
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
