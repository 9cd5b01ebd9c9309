// The label and value columns of the unit info panel. The two columns are
// drawn side by side line for line, so every label line has its value line.
#include <string>

#include "content/DescriptiveTexts.h"
#include "content/UnitDefinition.h"
#include "content/WeaponDefinition.h"
#include "content/TempText.h"
#include "engine/VxString.h"

namespace {

constexpr int FUSOR_BOT = 0;
constexpr int CANNON_BOT = 2;
constexpr int FLAME_BOT = 8;
constexpr int SONAR_BOT = 10;
constexpr int BOOMERANG_BOT = 12;
constexpr int SNOW_BALLER = 19;
constexpr int STORM_BOT = 20;
constexpr int FIXER_BOT = 22;
constexpr int D_SHOTGUNNER = 24;
constexpr int PLASMA_BOT = 28;
constexpr int MINI_MAGNET = 33;
constexpr int FACTORY_BOT = 34;
constexpr int PAPA_FUSOR = 35;
constexpr int MAMA_FACTORY = 36;
constexpr int MACHINE_GUNNER = 37;
constexpr int MORTAR_BOT = 38;
constexpr int REMOVER_BOT = 39;
constexpr int MARINE_STRIKER = 1018;
constexpr int TIME_BOMB = 1025;
constexpr int THE_DESTROYER = 1028;
constexpr int TITAN = 1029;
constexpr int CAPSULE_CAGE = 1030;
constexpr int DESTROYER_ZERO = 1031;

UnitDefinition Definition(int type) {
    UnitDefinition d{};
    GetUnitDefinition(d, type);
    return d;
}

bool IsMachine(int type) { return type >= FIRST_MACHINE_TYPE; }

bool HasToughness(const UnitDefinition& d) {
    return d.m_iRole != ROLE_ONESHOT && d.m_iType != MACHINE_GUNNER && d.m_iType != MORTAR_BOT &&
           d.m_iType != REMOVER_BOT;
}

bool HasDamage(const UnitDefinition& d) {
    if (d.m_iType == SONAR_BOT || d.m_iType == FIXER_BOT || d.m_iType == MINI_MAGNET) return false;
    return d.m_iRole == ROLE_ATTACK || d.m_iRole == ROLE_MOVING_ATTACK || d.m_iRole == ROLE_ONESHOT;
}

bool IsActionSpeedType(int type) {
    return type == FUSOR_BOT || type == SONAR_BOT || type == FIXER_BOT || type == MINI_MAGNET || type == FACTORY_BOT ||
           type == PAPA_FUSOR || type == MAMA_FACTORY;
}

bool AttacksRepeatedly(const UnitDefinition& d) { return d.m_iRole == ROLE_ATTACK || d.m_iRole == ROLE_MOVING_ATTACK; }

bool HasSpeed(const UnitDefinition& d) { return IsActionSpeedType(d.m_iType) || AttacksRepeatedly(d); }

bool HasMoveSpeed(const UnitDefinition& d) {
    if (!IsMachine(d.m_iType) || d.m_iType == TIME_BOMB || d.m_iType == CAPSULE_CAGE) return false;
    return d.m_iRole == ROLE_ATTACK || d.m_iRole == ROLE_NONE || d.m_iRole == ROLE_CARRY ||
           d.m_iRole == ROLE_MOVING_ATTACK;
}

bool HasCardLines(const UnitDefinition& d) { return !IsMachine(d.m_iType) && d.m_iType != REMOVER_BOT; }

const char* TypeWord(const UnitDefinition& d) {
    if (d.m_iType == MACHINE_GUNNER || d.m_iType == MORTAR_BOT) return "Weapon Upgrade";
    if (d.m_iType == STORM_BOT || d.m_iType == TITAN) return "Amphibious Unit";
    switch (d.m_iTerrain) {
    case TERRAIN_AIR: return "Air Unit";
    case TERRAIN_GROUND: return "Ground Unit";
    case TERRAIN_MARINE: return "Marine Unit";
    case TERRAIN_UNDERWATER: return "Underwater Unit";
    default: return "Special Unit";
    }
}

const char* ToughnessWord(const UnitDefinition& d) {
    if (d.m_iType == DESTROYER_ZERO) return "Super Extreme";
    if (d.m_iType == THE_DESTROYER) return "Extreme";
    if (d.m_iType == TITAN) return "Monstrous";
    int hp = d.m_iMaxHp;
    if (hp < 100) return "Low";
    if (hp <= 150) return "Medium";
    if (hp < 600) return "High";
    if (hp < 1000) return "Very High";
    return "Superb";
}

const char* DamageWord(const UnitDefinition& d) {
    switch (d.m_iType) {
    case SNOW_BALLER:
    case BOOMERANG_BOT:
    case PLASMA_BOT: return "Medium";
    case FLAME_BOT:
    case STORM_BOT:
    case MARINE_STRIKER: return "High";
    case D_SHOTGUNNER: return "Medium(per shot)";
    case THE_DESTROYER:
    case DESTROYER_ZERO: return "Extreme";
    default: break;
    }
    int attack = d.m_iRechargeTime;
    if (d.m_iWeapon != WeaponId::None) {
        WeaponDefinition w{};
        GetWeaponDefinition(w, d.m_iWeapon);
        attack = w.m_iDamage;
    }
    if (attack < 10) return "Very Low";
    if (attack < 20) return "Low";
    if (attack <= 30) return "Medium";
    if (attack <= 100) return "High";
    if (attack <= 500) return "Very High";
    return "Extreme";
}

const char* SpeedWord(const UnitDefinition& d) {
    switch (d.m_iType) {
    case CANNON_BOT:
    case FUSOR_BOT:
    case FACTORY_BOT:
    case PAPA_FUSOR: return "Medium";
    case MAMA_FACTORY: return "Slow";
    default: break;
    }
    int interval = d.m_iActionInterval;
    if (interval <= 50) return "Very Fast";
    if (interval < 100) return "Fast";
    if (interval == 100) return "Medium";
    return "Slow";
}

const char* MoveSpeedWord(float speed) {
    if (speed <= 0.1f) return "Very Slow";
    if (speed < 0.5f) return "Slow";
    if (speed == 0.5f) return "Normal";
    if (speed <= 2.0f) return "Fast";
    if (speed < 10.0f) return "Very Fast";
    return "Extreme";
}

const char* RechargeWord(int recharge) {
    if (recharge < 500) return "Fast";
    if (recharge < 1000) return "Medium";
    if (recharge == 1000) return "Slow";
    return "Very Slow";
}

}  // namespace

const char* BuildUnitInfoLabels(int type) {
    UnitDefinition d = Definition(type);
    std::string s = "Type :\n\n";
    if (HasToughness(d)) s += "Toughness :\n\n";
    if (HasDamage(d)) {
        s += "Damage :\n";
        // A one-shot unit's damage value takes two lines; keep the columns level.
        if (d.m_iRole == ROLE_ONESHOT) s += "\n";
    }
    if (IsActionSpeedType(type)) s += "Action Speed :\n\n";
    else if (AttacksRepeatedly(d)) s += "Attack Speed :\n\n";
    if (IsMachine(type)) {
        if (HasMoveSpeed(d)) s += "Move Speed :\n\n";
        s += "Heart Decrease :\n\n";
    }
    if (HasCardLines(d)) s += "Energy Cost :\nCard Recharge :\n\n";
    return TempText(s);
}

const char* BuildUnitInfoValues(int type) {
    UnitDefinition d = Definition(type);
    std::string s = TypeWord(d);
    s += "\n\n";
    if (HasToughness(d)) {
        s += ToughnessWord(d);
        s += "\n\n";
    }
    if (HasDamage(d)) {
        s += DamageWord(d);
        s += "\n";
        if (d.m_iRole == ROLE_ONESHOT) s += "\n";
    }
    if (HasSpeed(d)) {
        s += SpeedWord(d);
        s += "\n\n";
    }
    if (IsMachine(type)) {
        if (HasMoveSpeed(d)) {
            s += MoveSpeedWord(d.m_fSpeed);
            s += "\n\n";
        }
        s += d.m_iHeartDecrease == 0 ? "N/A" : IntToText(d.m_iHeartDecrease, -1, false);
        s += "\n\n";
    }
    if (HasCardLines(d)) {
        s += IntToText(d.m_iEnergyCost, -1, false);
        s += "\n";
        s += RechargeWord(d.m_iRechargeTime);
        s += "\n\n";
    }
    return TempText(s);
}
