#pragma once
// Every weapon (bullet kind) id by name. A robot's weapons run 0 to 30 and are
// named after the robot that fires them; a Machine's run 1000 to 1017 and are
// named after the first Machine that carries them (several share one). The
// Machine weapons overlap the Machine ids in number, never in meaning.

namespace WeaponId {
constexpr int GunnerShot = 0;
constexpr int CannonShell = 1;
constexpr int CopterShot = 2;  // the Mariner Bot fires it too
constexpr int FreezerShot = 3;
constexpr int DropperBomb = 4;
constexpr int MineBlast = 5;
constexpr int Flame = 6;
constexpr int WarriorBlade = 7;
constexpr int SonarPulse = 8;
constexpr int Boomerang = 9;
constexpr int Bubble = 10;
constexpr int BomberBlast = 11;
constexpr int Storm = 12;
constexpr int Missile = 13;
constexpr int Snowball = 14;
constexpr int FixerBeam = 15;
constexpr int Shotgun = 16;
constexpr int Shock = 17;
constexpr int DiverTorpedo = 18;
constexpr int Hammer = 19;
constexpr int PlasmaShot = 20;
constexpr int PlasmaBurst = 21;  // where a plasma shot strikes
constexpr int AtomicBlast = 22;
constexpr int SpiderWeb = 23;
constexpr int SniperShot = 24;
constexpr int MachineGun = 25;
constexpr int Mortar = 26;
constexpr int Magnet = 27;
constexpr int Recycle = 28;
constexpr int SonarAirPulse = 29;  // an upgraded Sonar Bot at a Machine that can take to the air
constexpr int FieldStrike = 30;    // a field effect's own strike

constexpr int SmasherBlow = 1000;
constexpr int ScoutPeck = 1001;
constexpr int KnightLance = 1002;
constexpr int Napalm = 1003;
constexpr int WagonShell = 1004;
constexpr int Torpedo = 1005;
constexpr int RocketBlast = 1006;
constexpr int MoleDrill = 1007;
constexpr int StrikerBeam = 1008;
constexpr int MegaSmash = 1009;
constexpr int GiantStomp = 1010;
constexpr int TimeBombBlast = 1011;
constexpr int AimedGun = 1012;
constexpr int ReaperScythe = 1013;
constexpr int TitanCrush = 1014;
constexpr int DestroyerVolley = 1015;
constexpr int SeaGun = 1016;
constexpr int FrostBite = 1017;
}  // namespace WeaponId
