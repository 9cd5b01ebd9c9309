#pragma once
// Every weapon (bullet kind) id by name. A robot's weapons run 0 to 30 and are
// named after the robot that fires them; a Machine's run 1000 to 1017 and are
// named after the first Machine that carries them (several share one). The
// Machine weapons overlap the Machine ids in number, never in meaning. An id
// is a type of its own: a bare number where a weapon is meant does not compile.
#include <cstdint>

enum class WeaponId : int32_t {
    None = -1,  // a unit without a weapon
    GunnerShot = 0,
    CannonShell = 1,
    CopterShot = 2,  // the Mariner Bot fires it too
    FreezerShot = 3,
    DropperBomb = 4,
    MineBlast = 5,
    Flame = 6,
    WarriorBlade = 7,
    SonarPulse = 8,
    Boomerang = 9,
    Bubble = 10,
    BomberBlast = 11,
    Storm = 12,
    Missile = 13,
    Snowball = 14,
    FixerBeam = 15,
    Shotgun = 16,
    Shock = 17,
    DiverTorpedo = 18,
    Hammer = 19,
    PlasmaShot = 20,
    PlasmaBurst = 21,  // where a plasma shot strikes
    AtomicBlast = 22,
    SpiderWeb = 23,
    SniperShot = 24,
    MachineGun = 25,
    Mortar = 26,
    Magnet = 27,
    Recycle = 28,
    SonarAirPulse = 29,  // an upgraded Sonar Bot at a Machine that can take to the air
    FieldStrike = 30,    // a field effect's own strike

    SmasherBlow = 1000,
    ScoutPeck = 1001,
    KnightLance = 1002,
    Napalm = 1003,
    WagonShell = 1004,
    Torpedo = 1005,
    RocketBlast = 1006,
    MoleDrill = 1007,
    StrikerBeam = 1008,
    MegaSmash = 1009,
    GiantStomp = 1010,
    TimeBombBlast = 1011,
    AimedGun = 1012,
    ReaperScythe = 1013,
    TitanCrush = 1014,
    DestroyerVolley = 1015,
    SeaGun = 1016,
    FrostBite = 1017,
};
