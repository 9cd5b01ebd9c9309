#pragma once
// Every unit id by name: the robots of the cards (0 to 39) and the Machines
// (1000 to 1032). Code asks for a unit by these names, never by its number.

namespace RobotId {
constexpr int FusorBot = 0;
constexpr int GunnerBot = 1;
constexpr int CannonBot = 2;
constexpr int BlockerBot = 3;
constexpr int CopterBot = 4;
constexpr int FreezerBot = 5;
constexpr int MiniMine = 6;
constexpr int DropperBot = 7;
constexpr int FlameBot = 8;
constexpr int WarriorBot = 9;
constexpr int SonarBot = 10;
constexpr int FloaterBot = 11;
constexpr int BoomerangBot = 12;
constexpr int BubbleBot = 13;
constexpr int MiniBomber = 14;
constexpr int DiverBot = 15;
constexpr int SpiderBot = 16;
constexpr int SubmergerBot = 17;
constexpr int MissilerBot = 18;
constexpr int SnowBaller = 19;
constexpr int StormBot = 20;
constexpr int MarinerBot = 21;
constexpr int FixerBot = 22;
constexpr int BuoyerBot = 23;
constexpr int DShotgunner = 24;
constexpr int ShockerBot = 25;
constexpr int AtomicBot = 26;
constexpr int BarrierBots = 27;
constexpr int PlasmaBot = 28;
constexpr int SurveyorBot = 29;
constexpr int SniperBot = 30;
constexpr int HammerBot = 31;
constexpr int RecyclerBot = 32;
constexpr int MiniMagnet = 33;
constexpr int FactoryBot = 34;
constexpr int PapaFusor = 35;
constexpr int MamaFactory = 36;
constexpr int MachineGunner = 37;
constexpr int MortarBot = 38;
constexpr int RemoverBot = 39;
}  // namespace RobotId

namespace MachineId {
constexpr int Smasher = 1000;
constexpr int AirScout = 1001;
constexpr int HeavySmasher = 1002;
constexpr int Jetpacker = 1003;
constexpr int Cycler = 1004;
constexpr int Transporter = 1005;
constexpr int Driller = 1006;
constexpr int Jumper = 1007;
constexpr int Knight = 1008;
constexpr int NapalmAirship = 1009;
constexpr int RocketWagon = 1010;
constexpr int FighterSub = 1011;
constexpr int SpeederSub = 1012;
constexpr int Stingray = 1013;
constexpr int Mole = 1014;
constexpr int KillerWhale = 1015;
constexpr int Gunboat = 1016;
constexpr int HyperJet = 1017;
constexpr int MarineStriker = 1018;
constexpr int Ghost = 1019;
constexpr int Reaper = 1020;
constexpr int MegaSmasher = 1021;
constexpr int BlastTank = 1022;
constexpr int UltraCycler = 1023;
constexpr int Giant = 1024;
constexpr int TimeBomb = 1025;
constexpr int Gyrotor = 1026;
constexpr int FrostOrca = 1027;
constexpr int Destroyer = 1028;
constexpr int Titan = 1029;
constexpr int CapsuleCage = 1030;
constexpr int DestroyerZero = 1031;
constexpr int Rocket = 1032;
}  // namespace MachineId
