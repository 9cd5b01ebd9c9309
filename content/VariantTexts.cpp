// Names and descriptions of the Machine variants a stage can introduce.
#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"
#include "engine/VxString.h"

namespace {

constexpr int KIND_FLYING = 1;
constexpr int KIND_SWIMMING = 2;
constexpr int KIND_ZETA = 3;
constexpr int KIND_OMEGA = 4;

const char* FlyingName(int type) {
    switch (type) {
    case 1000: return "Sky Smasher";
    case 1002: return "Heavy Sky Smasher";
    case 1004: return "Flying Cycler";
    case 1005: return "Air Transporter";
    case 1006: return "Sky Driller";
    case 1007: return "Air Jumper";
    case 1008: return "Knight Flier";
    case 1010: return "Sky Rocket Wagon";
    case 1016: return "Airboat";
    case 1018: return "Sky Striker";
    case 1021: return "Mega Sky Smasher";
    case 1022: return "Flying Blast Tank";
    case 1023: return "Ultra Flying Cycler";
    case 1027: return "Flying Orca";
    default: return nullptr;
    }
}

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

const char* GetEnemyVariantName(int kind, int type) {
    switch (kind) {
    case KIND_FLYING: {
        const char* name = FlyingName(type);
        return name ? name : OrEmpty(GetUnitName(type));
    }
    case KIND_SWIMMING:
        if (type == 1014) return "Swimming Mole";
        if (type == 1024) return "Waterproof Giant";
        return OrEmpty(GetUnitName(type));
    case KIND_ZETA: return "The Machines' Zeta Forces";
    case KIND_OMEGA: return "The Machines' Omega Forces";
    default: return OrEmpty(GetUnitName(type));
    }
}

const char* GetEnemyVariantDescription(int kind, int type) {
    switch (kind) {
    case KIND_FLYING: {
        // These three fall to the ground when their rotor is shot off.
        bool drops = type == 1006 || type == 1007 || type == 1023;
        return StrCat(OrEmpty(GetUnitName(type)),
                      drops ? " attached with Gyrotor to fly in the sky; drops down when got shot."
                            : " attached with Gyrotor to fly in the sky.");
    }
    case KIND_SWIMMING:
        if (type == 1014) return "Ocean doesn't save you from Mole anymore; for it can swim now!";
        return "Giant is too heavy to fly, but now it can travel on water!";
    case KIND_ZETA: return "The Zeta Forces are stronger and got\nupgraded with new movement abilities.";
    case KIND_OMEGA: return "The Omega Forces are the strongest\narmy of The Machines. Be careful!";
    default: return "";
    }
}
