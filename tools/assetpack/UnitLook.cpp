// Which parts and colours each unit gets, from its name and id.
#include <algorithm>
#include <cctype>
#include <utility>

#include "content/UnitIds.h"
#include "tools/assetpack/Palette.h"
#include "tools/assetpack/UnitArt.h"

namespace {

struct Keyword {
    const char* word;
    Move move;
    BodyShape body;
    Tool tool;
    double size;
};

// First match wins; longer names come before the words they contain.
const Keyword kLooks[] = {
    {"papa fusor", Move::Still, BodyShape::Round, Tool::Core, 1.1},
    {"mama factory", Move::Still, BodyShape::Wide, Tool::Chimney, 1.1},
    {"machine gunner", Move::Treads, BodyShape::Boxy, Tool::Twin, 1.0},
    {"mini-magnet", Move::Still, BodyShape::Round, Tool::Magnet, 0.8},
    {"mini-mine", Move::Still, BodyShape::Round, Tool::Bomb, 0.7},
    {"mini-bomber", Move::Rotor, BodyShape::Round, Tool::Bomb, 0.8},
    {"snow baller", Move::Legs, BodyShape::Round, Tool::Cannon, 0.95},
    {"d.shotgunner", Move::Legs, BodyShape::Boxy, Tool::Twin, 0.95},
    {"fusor", Move::Still, BodyShape::Round, Tool::Core, 0.9},
    {"gunner", Move::Legs, BodyShape::Boxy, Tool::Gun, 0.9},
    {"cannon", Move::Wheels, BodyShape::Wide, Tool::Cannon, 0.95},
    {"blocker", Move::Still, BodyShape::Tall, Tool::Shield, 1.0},
    {"copter", Move::Rotor, BodyShape::Round, Tool::Gun, 0.9},
    {"freezer", Move::Legs, BodyShape::Round, Tool::Spray, 0.95},
    {"dropper", Move::Hover, BodyShape::Dome, Tool::Claw, 0.9},
    {"flame", Move::Treads, BodyShape::Boxy, Tool::Flame, 0.95},
    {"warrior", Move::Legs, BodyShape::Tall, Tool::Blade, 0.95},
    {"sonar", Move::Still, BodyShape::Dome, Tool::Dish, 0.9},
    {"floater", Move::Hover, BodyShape::Wide, Tool::None, 1.0},
    {"boomerang", Move::Legs, BodyShape::Round, Tool::Claw, 0.9},
    {"bubble", Move::Swim, BodyShape::Round, Tool::Spray, 0.9},
    {"diver", Move::Swim, BodyShape::Hull, Tool::Gun, 0.9},
    {"spider", Move::Spider, BodyShape::Round, Tool::Gun, 0.9},
    {"submerger", Move::Swim, BodyShape::Wide, Tool::None, 1.0},
    {"missiler", Move::Treads, BodyShape::Boxy, Tool::Launcher, 0.95},
    {"storm", Move::Hover, BodyShape::Dome, Tool::Coil, 0.9},
    {"mariner", Move::Swim, BodyShape::Hull, Tool::Cannon, 0.95},
    {"fixer", Move::Wheels, BodyShape::Boxy, Tool::Wrench, 0.9},
    {"buoyer", Move::Swim, BodyShape::Wide, Tool::Dish, 1.0},
    {"shocker", Move::Wheels, BodyShape::Dome, Tool::Coil, 0.9},
    {"atomic", Move::Still, BodyShape::Round, Tool::Bomb, 1.0},
    {"barrier", Move::Hover, BodyShape::Round, Tool::Shield, 0.75},
    {"plasma", Move::Treads, BodyShape::Dome, Tool::Cannon, 0.95},
    {"surveyor", Move::Rotor, BodyShape::Wide, Tool::Dish, 1.0},
    {"sniper", Move::Legs, BodyShape::Tall, Tool::Sniper, 0.95},
    {"hammer", Move::Hover, BodyShape::Boxy, Tool::Hammer, 0.95},  // it hovers over its cell
    {"recycler", Move::Wheels, BodyShape::Round, Tool::Claw, 0.9},
    {"factory", Move::Still, BodyShape::Boxy, Tool::Chimney, 0.95},
    {"mortar", Move::Treads, BodyShape::Wide, Tool::Launcher, 0.95},
    {"remover", Move::Hover, BodyShape::Dome, Tool::Magnet, 0.9},
    // Machines
    {"heavy smasher", Move::Legs, BodyShape::Wide, Tool::Hammer, 1.0},
    {"mega smasher", Move::Legs, BodyShape::Wide, Tool::Hammer, 1.1},
    {"smasher", Move::Legs, BodyShape::Boxy, Tool::Hammer, 0.9},
    {"air scout", Move::Rotor, BodyShape::Round, Tool::Gun, 0.75},
    {"jetpacker", Move::Hover, BodyShape::Tall, Tool::Gun, 0.9},
    {"ultra cycler", Move::Wheels, BodyShape::Tall, Tool::Blade, 1.0},
    {"cycler", Move::Wheels, BodyShape::Tall, Tool::Blade, 0.9},
    {"transporter", Move::Treads, BodyShape::Wide, Tool::None, 1.0},
    {"driller", Move::Treads, BodyShape::Boxy, Tool::Drill, 0.9},
    {"jumper", Move::Spider, BodyShape::Round, Tool::Claw, 0.85},
    {"knight", Move::Legs, BodyShape::Tall, Tool::Shield, 0.95},
    {"napalm airship", Move::Hover, BodyShape::Hull, Tool::Flame, 1.0},
    {"rocket wagon", Move::Wheels, BodyShape::Wide, Tool::Launcher, 0.95},
    {"fighter sub", Move::Swim, BodyShape::Hull, Tool::Gun, 0.9},
    {"speeder sub", Move::Swim, BodyShape::Hull, Tool::None, 0.8},
    {"stingray", Move::Swim, BodyShape::Wide, Tool::Coil, 0.9},
    {"mole", Move::Treads, BodyShape::Round, Tool::Drill, 0.85},
    {"killer whale", Move::Swim, BodyShape::Hull, Tool::Claw, 1.1},
    {"gunboat", Move::Swim, BodyShape::Wide, Tool::Cannon, 0.95},
    {"hyper jet", Move::Hover, BodyShape::Hull, Tool::Launcher, 0.9},
    {"marine striker", Move::Swim, BodyShape::Hull, Tool::Launcher, 1.1},
    {"ghost", Move::Hover, BodyShape::Dome, Tool::None, 0.9},
    {"reaper", Move::Hover, BodyShape::Tall, Tool::Blade, 1.0},
    {"blast tank", Move::Treads, BodyShape::Wide, Tool::Cannon, 1.0},
    {"giant", Move::Legs, BodyShape::Tall, Tool::Hammer, 1.15},
    {"time bomb", Move::Still, BodyShape::Round, Tool::Bomb, 0.85},
    {"gyrotor", Move::Rotor, BodyShape::Wide, Tool::Twin, 1.1},
    {"frost orca", Move::Swim, BodyShape::Hull, Tool::Spray, 1.1},
    {"destroyer zero", Move::Hover, BodyShape::Wide, Tool::Cannon, 1.15},
    {"the destroyer", Move::Treads, BodyShape::Wide, Tool::Launcher, 1.15},
    {"titan", Move::Legs, BodyShape::Tall, Tool::Twin, 1.15},
    {"capsule cage", Move::Still, BodyShape::Dome, Tool::None, 0.9},
    {"rocket", Move::Hover, BodyShape::Hull, Tool::None, 0.75},
};

std::string LowerText(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace

int UnitIdFromPath(const std::string& path) {
    // The last run of four digits in the path.
    int found = -1;
    for (size_t i = 0; i + 4 <= path.size(); ++i) {
        bool digits = true;
        for (size_t k = 0; k < 4; ++k) digits = digits && std::isdigit(static_cast<unsigned char>(path[i + k]));
        bool bounded = (i == 0 || !std::isdigit(static_cast<unsigned char>(path[i - 1]))) &&
                       (i + 4 == path.size() || !std::isdigit(static_cast<unsigned char>(path[i + 4])));
        if (digits && bounded) found = std::stoi(path.substr(i, 4));
    }
    return found;
}

UnitLook LookForUnit(const std::string& name, int id, uint32_t manifestColour) {
    UnitLook look;
    look.id = id;
    look.machine = id >= 1000;
    look.seed = HashText(name) ^ static_cast<uint32_t>(id * 7919);
    std::string lower = LowerText(name);
    bool known = false;
    for (const Keyword& k : kLooks) {
        if (lower.find(k.word) != std::string::npos) {
            look.move = k.move;
            look.body = k.body;
            look.tool = k.tool;
            look.size = k.size;
            known = true;
            break;
        }
    }
    if (!known) {
        // A unit nobody described: its name picks the parts.
        ArtRandom r(look.seed);
        look.move = static_cast<Move>(r.Next() % 8);
        look.body = static_cast<BodyShape>(r.Next() % 6);
        look.tool = static_cast<Tool>(1 + r.Next() % 8);
        look.size = 0.9;
    }
    static const std::pair<const char*, Special> kSpecials[] = {
        {"ghost", Special::Ghost},    {"whale", Special::Whale},     {"orca", Special::Whale},
        {"stingray", Special::Ray},   {"time bomb", Special::Clock}, {"capsule cage", Special::Cage},
        {"rocket", Special::Missile},
    };
    for (const auto& [word, special] : kSpecials)
        if (look.machine && lower.find(word) != std::string::npos && lower.find("wagon") == std::string::npos) {
            look.special = special;
            break;
        }
    UnitColours colours = ColoursForUnit(lower, id, look.move == Move::Swim,
                                         look.move == Move::Hover || look.move == Move::Rotor, manifestColour);
    look.main = colours.main;
    look.accent = colours.accent;
    look.trim = colours.trim;
    look.eye = colours.eye;
    return look;
}

PointPlace PointPlaceFor(const UnitLook& look, int act, double w, double h) {
    // A unit stands 50 px above its picture's bottom edge; a flier, a diver
    // and every Machine as the finals' flier hangs at its middle row; a boat
    // is drawn 35 px into the water, the Marine Striker 45 (48 as a flier),
    // a wading Giant or Titan 110 px. Machines off the ground bob 5 px (the
    // flying variants 10), robots 3.
    const double stand = h - 50.375, middle = h / 2;
    PointPlace p{stand - 3, stand + 3, w / 2};
    auto rows = [&p](double a, double b) {
        p.firstRow = std::min(a, b);
        p.lastRow = std::max(a, b);
    };
    if (!look.machine) {
        switch (look.id) {
        case RobotId::DiverBot:
            rows(h - 83.375, h - 77.375);
            break;  // it swims lower
        // The platforms sit under the robot on them.
        case RobotId::FloaterBot: rows(0.75 * h - 63.375, 0.75 * h - 47.375); break;
        case RobotId::SubmergerBot:
            rows(0.75 * h - 68.375, 0.75 * h - 52.375);
            p.column = w / 2 - 15;
            break;
        case RobotId::BuoyerBot: rows(0.75 * h - 53.375, 0.75 * h - 37.375); break;
        case RobotId::SurveyorBot: rows(0.75 * h - 78.375, 0.75 * h - 62.375); break;
        // Ready to go off, a Mini-Bomber is grown by a third and raised.
        case RobotId::MiniBomber: rows(stand - 3, middle + (middle - 25.375) / 1.35); break;
        // A Barrier Bot with no ward floats 20-25 px up.
        case RobotId::BarrierBots: rows(h - 35.375, h - 25.375); break;
        case RobotId::HammerBot:
        case RobotId::RemoverBot: rows(h - 25.375, h - 15.375); break;  // hovering 25-35 px up
        case RobotId::MachineGunner:
        case RobotId::MortarBot:
            // Idle, the turret spins about its picture's middle.
            if (act == 4) rows(middle - 16, middle + 16);
            break;
        default: break;
        }
        return p;
    }
    switch (look.id) {
    case MachineId::AirScout:
    case MachineId::Jetpacker:
    case MachineId::NapalmAirship:
    case MachineId::FighterSub:
    case MachineId::SpeederSub:
    case MachineId::Stingray:
    case MachineId::KillerWhale:
    case MachineId::HyperJet:
    case MachineId::Ghost:
    case MachineId::Reaper:
    case MachineId::TimeBomb:
    case MachineId::Gyrotor:
    case MachineId::FrostOrca: rows(middle - 5, middle + 5); break;
    case MachineId::Destroyer:
    case MachineId::DestroyerZero: rows(middle - 40, middle + 10); break;  // its arms' shoulders above its point
    case MachineId::Gunboat: rows(h - 90.375, middle + 5); break;
    case MachineId::MarineStriker: rows(middle - 53, h - 88.375); break;
    case MachineId::Giant:
    case MachineId::Titan: rows(h - 166.125, stand + 10); break;
    case MachineId::CapsuleCage: rows(h - 67.375, h - 53.375); break;
    case MachineId::Rocket:
        // Drawn 35 px right of its place; the two spinning forms turn about
        // their middle, so the point goes round it.
        rows(middle - 5, middle + 5);
        if (act == 1) p.column = w / 2 - 35;
        else rows(middle - 48, middle + 48);
        break;
    default: rows(middle - 5, stand + 10); break;
    }
    // Dug in, the Driller keeps to the ground (as a flier it comes out); the
    // Mole stays dug in as the finals' flier too.
    if (look.id == MachineId::Driller && act == 4) rows(stand - 3, stand + 3);
    if (look.id == MachineId::Mole && act == 4) rows(middle - 5, stand + 3);
    // Dying, a boss sinks 50 px to the lower left of its place, under its
    // sagging arms.
    if ((look.id == MachineId::Destroyer || look.id == MachineId::DestroyerZero) && act == 3) {
        rows(middle - 90, middle - 45);
        p.column = w / 2 + 50;
    }
    return p;
}
