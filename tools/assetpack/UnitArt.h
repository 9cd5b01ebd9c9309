#pragma once
// Robots (the Tinkerlings) and Machines drawn from simple parts: a body, a
// head with its eye, a way of moving (legs, wheels, treads, rotor, fins,
// jets) and a tool or weapon. The look comes from the unit's name and id, so
// a new unit line in the manifest gets a figure of its own without code.
#include <string>

#include "tools/assetpack/Painter.h"

enum class Move { Legs, Spider, Wheels, Treads, Hover, Rotor, Swim, Still };
enum class BodyShape { Boxy, Round, Tall, Hull, Dome, Wide };
// A few units have a body no part list makes.
enum class Special { None, Ghost, Whale, Ray, Clock, Cage, Missile };
enum class Tool {
    None,
    Gun,
    Cannon,
    Twin,
    Launcher,
    Hammer,
    Flame,
    Dish,
    Magnet,
    Claw,
    Drill,
    Blade,
    Shield,
    Spray,
    Bomb,
    Wrench,
    Sniper,
    Core,
    Chimney,
    Coil
};

struct UnitLook {
    bool machine = false;
    int id = 0;
    Move move = Move::Legs;
    BodyShape body = BodyShape::Boxy;
    Tool tool = Tool::Gun;
    Special special = Special::None;
    double size = 1.0;  // 1 fills about two thirds of the picture
    Rgba main, accent, trim, eye;
    uint32_t seed = 0;
    // Set for one picture by its drawer, in the figure's units: how far the
    // body stands raised on its legs, base or treads, and the heights a mast
    // above it or a keel below it reach (0: none), so that the body holds the
    // unit's point wherever the battle puts it.
    double lift = 0, mastTop = 0, keelBottom = 0;
};

// Where the battle puts a unit's point on its picture (w x h) for act `act`:
// the rows, from the top, it falls on in the guises the unit is seen in (on
// its terrain, at sea, as a flier), and its column.
struct PointPlace {
    double firstRow = 0, lastRow = 0, column = 0;
};
PointPlace PointPlaceFor(const UnitLook& look, int act, double w, double h);

// The look of the unit with this manifest label and id (0-999 Tinkerlings,
// 1000 and up Machines).
UnitLook LookForUnit(const std::string& name, int id, uint32_t manifestColour);

// Pose of one animation frame.
struct UnitPose {
    int act = 1;       // 1 idle/walk, 2 attack, 3 dying, 4 hidden/alternate, 5-6 single poses
    double phase = 0;  // 0..1 through the act
    int frame = 0, frames = 1;
};

// Draws the unit into the painter's current space: a 100 x 100 box centred
// on the origin, ground at y = +40. Tinkerlings face left, Machines right.
void DrawUnit(Painter& p, const UnitLook& look, const UnitPose& pose);

// The top and bottom of the unit's body in DrawUnit's box, before its size.
void BodySpan(const UnitLook& look, double& top, double& bottom);

// The unit id a path names ("Resource/Robot/1005/", "Card0012.png", ...), -1 when none.
int UnitIdFromPath(const std::string& path);
