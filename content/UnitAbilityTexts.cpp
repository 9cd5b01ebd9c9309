// One or two lines on what each unit does in battle, shown by the discovery
// boards and the encyclopedia.
#include "content/DescriptiveTexts.h"

namespace {

const char* const kRobotAbilities[40] = {
    /* 0  Fusor Bot */ "\tFuses energy and drops it on the field\nfor you to collect.\n",
    /* 1  Gunner Bot */ "\tShoots bullets at the Machines coming\ndown its lane.\n",
    /* 2  Cannon Bot */ "\tFires shells upward at a slant, good\nfor bringing down flying Machines.\n",
    /* 3  Blocker Bot */ "\tStands in the Machines' way and holds\nthem back with its sturdy body.\n",
    /* 4  Copter Bot */ "\tFlies in the air and shoots at the\nflying Machines in its lane.\n",
    /* 5  Freezer Bot */ "\tShoots ice that freezes Machines in\nplace for a short while.\n",
    /* 6  Mini-Mine */ "\tExplodes when a Machine comes close,\nwrecking it in one blast.\n",
    /* 7  Dropper Bot */ "\tFlies overhead and drops bombs on the\nMachines below, even diggers.\n",
    /* 8  Flame Bot */ "\tBurns every Machine in front of it\nwith a stream of fire.\n",
    /* 9  Warrior Bot */ "\tSlashes nearby Machines with quick\nsword strikes. Very tough.\n",
    /* 10 Sonar Bot */ "\tUses sonar to uncover underground\nand invisible enemies.\n",
    /* 11 Floater Bot */ "\tFloats in the air so that another\nrobot can stand on it.\n",
    /* 12 Boomerang Bot */ "\tThrows a boomerang that hits the\nMachines on its way out and back.\n",
    /* 13 Bubble Bot */ "\tBlows bubbles that rise and pop on\nthe flying Machines above.\n",
    /* 14 Mini-Bomber */ "\tBlows up where it is placed, wrecking\nevery Machine around it.\n",
    /* 15 Diver Bot */ "\tSwims under water and fires harpoons\nat underwater Machines.\n",
    /* 16 Spider Bot */ "\tCatches nearby Machines in sticky\nwebs that hold them in place.\n",
    /* 17 Submerger Bot */ "\tDives under water so that another\nrobot can stand on it there.\n",
    /* 18 Missiler Bot */ "\tLaunches homing missiles that chase\ndown Machines on the field.\n",
    /* 19 Snow Baller */ "\tRolls big snowballs that plow through\nup to three Machines.\n",
    /* 20 Storm Bot */ "\tCalls a storm cloud whose lightning\nfreezes the Machines under it.\n",
    /* 21 Mariner Bot */ "\tSails on the water and shoots at the\nMachines in its lane.\n",
    /* 22 Fixer Bot */ "\tRepairs damaged robots standing\naround it.\n",
    /* 23 Buoyer Bot */ "\tFloats on the water so that another\nrobot can stand on it.\n",
    /* 24 D.Shotgunner */ "\tFires a spread of pellets that hits\nseveral Machines at once.\n",
    /* 25 Shocker Bot */ "\tShocks every Machine that comes\nclose around it.\n",
    /* 26 Atomic Bot */ "\tExplodes in a huge atomic blast that\nshakes the whole field.\n",
    /* 27 Barrier Bots */ "\tShield another robot and take the\nhits meant for it.\n",
    /* 28 Plasma Bot */ "\tFires plasma balls that burst and\nstun the Machines they hit.\n",
    /* 29 Surveyor Bot */ "\tGives another robot a place to stand\non any kind of cell.\n",
    /* 30 Sniper Bot */ "\tFires slow but very powerful shots\nfrom far away.\n",
    /* 31 Hammer Bot */ "\tBashes the Moles and Drillers hiding\nunder the ground.\n",
    /* 32 Recycler Bot */ "\tSwallows a nearby Machine in its row\nand turns it into metal parts.\n",
    /* 33 Mini-Magnet */ "\tPulls in the energy and metal parts\nthat fall close to it.\n",
    /* 34 Factory Bot */ "\tBuilds metal parts and drops them on\nthe field for you to collect.\n",
    /* 35 Papa Fusor */ "\tFuses bigger lumps of energy than a\nFusor Bot does.\n",
    /* 36 Mama Factory */ "\tTakes her time, but builds the biggest\nloads of metal parts.\n",
    /* 37 Machine Gunner */ "\tPut it on a Gunner Bot to give it a\nrapid-fire machine gun.\n",
    /* 38 Mortar Bot */ "\tPut it on a Cannon Bot to give it a\nlong-range mortar.\n",
    /* 39 Remover Bot */ "\tTakes one of your robots off the\nfield to make room.\n",
};

const char* const kMachineAbilities[33] = {
    /* 1000 Smasher */ "\tWalks forward and smashes the robots\nin its way.\n",
    /* 1001 Air Scout */ "\tFlies along its lane and strikes the\nrobots in its way.\n",
    /* 1002 Heavy Smasher */ "\tA tougher Smasher. Costs you two\nhearts if it gets through.\n",
    /* 1003 Jetpacker */ "\tRaces through the air on its jetpack\nand strikes the robots in its way.\n",
    /* 1004 Cycler */ "\tSpeeds along on its wheels and smashes\nthe robots in its way.\n",
    /* 1005 Transporter */ "\tCarries more Machines and drops them\noff on the field.\n",
    /* 1006 Driller */ "\tDigs under the ground and comes up\nonly to attack.\n",
    /* 1007 Jumper */ "\tHops along its lane and drops down\nto lower ground.\n",
    /* 1008 Knight */ "\tCharges in fast and strikes with its\nlance.\n",
    /* 1009 Napalm Airship */ "\tDrifts over the field and drops fire\nbombs on the robots below.\n",
    /* 1010 Rocket Wagon */ "\tLaunches Rockets that glide down onto\nthe field and charge your robots.\n",
    /* 1011 Fighter Sub */ "\tCruises under water and launches\nRockets at your robots.\n",
    /* 1012 Speeder Sub */ "\tA fast sub that weaves between lanes\nand launches Rockets.\n",
    /* 1013 Stingray */ "\tGlides under water, slipping past\nyour defense.\n",
    /* 1014 Mole */ "\tTunnels unseen under the ground and\nattacks from below.\n",
    /* 1015 Killer Whale */ "\tA huge whale that carries more\nMachines into the deep.\n",
    /* 1016 Gunboat */ "\tSails on the water and sends Rockets\nat the robots ahead of it.\n",
    /* 1017 Hyper Jet */ "\tZips between lanes in the sky and\nlaunches Rockets.\n",
    /* 1018 Marine Striker */ "\tA battleship whose long gun rakes\nthe whole lane in front of it.\n",
    /* 1019 Ghost */ "\tAn invisible Machine that passes over\nany kind of cell.\n",
    /* 1020 Reaper */ "\tSwoops through the sky and cuts down\nthe robots around it.\n",
    /* 1021 Mega Smasher */ "\tA giant Smasher with a crushing blow.\nCosts you five hearts.\n",
    /* 1022 Blast Tank */ "\tA heavy tank that launches Rockets\nat your robots.\n",
    /* 1023 Ultra Cycler */ "\tThe fastest and toughest of the\nCyclers.\n",
    /* 1024 Giant */ "\tAn enormous brute that flattens any\nrobot with one stomp.\n",
    /* 1025 Time Bomb */ "\tSits on the field and blows up when\nits timer runs out.\n",
    /* 1026 Gyrotor */ "\tA rotor that lifts other Machines\ninto the sky.\n",
    /* 1027 Frost Orca */ "\tAn armored orca that launches\nRockets from the deep.\n",
    /* 1028 The Destroyer */ "\tThe Machines' mighty war engine.\nIts hands and body crush all.\n",
    /* 1029 Titan */ "\tA colossal walker that crosses land\nand water alike.\n",
    /* 1030 Capsule Cage */ "\tTraps one of your robots and carries\nit away.\n",
    /* 1031 Destroyer Zero */ "\tThe last and greatest war engine of\nthe Machines.\n",
    /* 1032 Rocket */ "\tA flying bomb that rushes at your\nrobots.\n",
};

}  // namespace

const char* GetUnitAbilityText(int type) {
    if (type >= 0 && type < 40) return kRobotAbilities[type];
    if (type >= 1000 && type <= 1032) return kMachineAbilities[type - 1000];
    return "\t\n";
}
