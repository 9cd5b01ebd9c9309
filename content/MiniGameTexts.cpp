// Titles, stories and rules of the thirty mini-games.
#include "content/DescriptiveTexts.h"

#include <iterator>

#include "content/StageNumbering.h"
#include "engine/VxString.h"

namespace {

const char* const kUnknownTitle = "?????????";
const char* const kUnknownText = "????????";

const char* const kTitles[] = {
    "Emergency Escape",     "Shooting Hero",     "Three Swordsmen", "Operation : Desert Sky", "Underwater Rescue",
    "Whale Hunt",           "Wandering Skipper", "Rescue Team",     "Trap Machine",           "Destroyer Showdown",
    "On the Fly",           "Super Weapon",      "Big Deal",        "Testing Ground",         "Deep Panic",
    "Whale Hunt Season #2", "Sky Skipper",       "Sharpshooter",    "Meteoric Army",          "Destroyer's Revenge",
    "Atomic Delivery",      "Energy Under Fire", "Danger Zone",     "Plasma-powered",         "Whack-a-Mole",
    "Trap Machine Returns", "Risky Landing",     "Ghost Buster",    "Crashing the Titans",    "Destroyer Zero",
};
static_assert(std::size(kTitles) == LAST_STAGE - FIRST_MINI_GAME_STAGE + 1, "one title a mini-game");

const char* Story(int stage) {
    switch (stage) {
    case 151:
        return "A Heavy Smasher squad has found the\n"
               "Fusor Bots' hideout! Get every Fusor Bot\n"
               "out of harm's way before the Machines\n"
               "crush them, five times in a row.";
    case 152:
        return "The Machines' air fleet is passing over\n"
               "the plains. One brave Gunner Bot stands\n"
               "alone against the whole sky.";
    case 153:
        return "Three Warrior Bots guard the pass.\n"
               "They are few, but they are quick on\n"
               "their feet and sharp with their blades.";
    case 154:
        return "Copter Bots fly a patrol over the\n"
               "desert. Lead the squadron through the\n"
               "Machines' lines and keep it flying.";
    case 155:
        return "Three Fusor Bots are stranded on the\n"
               "sea floor, and enemy subs are closing\n"
               "in. A lone Diver Bot goes to the rescue.";
    case 156:
        return "A Killer Whale has been hunting our\n"
               "divers. Diver Bot swims out to end its\n"
               "reign of the deep for good.";
    case 157:
        return "Mariner Bot was washed far from home.\n"
               "The way back leads over the heads of\n"
               "the Machines, one jump at a time.";
    case 158:
        return "Mariner Bot lies wounded at the shore.\n"
               "Its friends must hold off the Machines\n"
               "until Fixer Bot has patched it up, then\n"
               "sail home together.";
    case 159:
        return "The Tinkerlings have built a lucky\n"
               "machine of their own. Each spin can send\n"
               "mines and bombs to the front line.";
    case 160:
        return "The Destroyer, the Machines' mightiest\n"
               "war engine, marches on Tinkerling land.\n"
               "This is the battle that ends the episode.";
    case 161:
        return "Supply capsules are raining from the\n"
               "sky. Catch them and build a defense out\n"
               "of whatever falls into your hands.";
    case 162:
        return "Gunner Bot has heard of a secret weapon\n"
               "hidden at the front. Hold out long enough\n"
               "and it will be delivered to you.";
    case 163:
        return "A Giant is wading toward our harbor.\n"
               "Dropper Bot leads the counterattack,\n"
               "with Cannon Bots floating in to help.";
    case 164:
        return "The new Mortar Weapon needs a field\n"
               "test, and the Machines have kindly\n"
               "offered to be the targets.";
    case 165:
        return "The deep sea is swarming with Machines.\n"
               "Spin the lucky machine and send help\n"
               "down before the panic spreads.";
    case 166:
        return "A Frost Orca rules the icy waters now.\n"
               "Diver Bot is back for a second hunt,\n"
               "colder and harder than the first.";
    case 167:
        return "Mariner Bot wants to reach the clouds.\n"
               "The Jetpackers make a fine staircase,\n"
               "if you do not look down.";
    case 168:
        return "Sniper Bot waits on the hill. Every\n"
               "shot counts, so pick your targets with\n"
               "care and let none of them through.";
    case 169:
        return "An army of Machines marches on the\n"
               "plain. The lucky machine is loaded with\n"
               "our toughest fighters.";
    case 170:
        return "The Destroyer has been rebuilt and it\n"
               "wants revenge. Meet it with everything\n"
               "the Tinkerlings have got.";
    case 171:
        return "A Machine Gunner carries an Atomic Bot\n"
               "to the front. Weaken The Destroyer, and\n"
               "let the delivery finish the job.";
    case 172:
        return "The Tinkerlings' energy store is empty\n"
               "and Time Bombs are landing. Refill it\n"
               "before the fuel runs out for good.";
    case 173:
        return "The sky above the crossing is full of\n"
               "enemy fliers. Put each of your robots\n"
               "in the right place at the right time.";
    case 174:
        return "The Frost Orca is back, and Plasma Bot\n"
               "has been given a hover kit to meet it\n"
               "on the water.";
    case 175:
        return "The Moles have learned to run! Hammer\n"
               "Bot will have to be quicker than ever\n"
               "to keep our fields free of holes.";
    case 176:
        return "The lucky machine is back, now with\n"
               "Atomic Bot in its reels. The deep sea\n"
               "Machines will not know what hit them.";
    case 177:
        return "Reinforcements are parachuting in over\n"
               "the sea. Only the Buoyer Bots floating\n"
               "by can catch them safely.";
    case 178:
        return "Ghosts haunt the old factory. You cannot\n"
               "fight what you cannot see, so the lucky\n"
               "machine brings Sonar Bots along.";
    case 179:
        return "A Titan is walking toward our homes.\n"
               "Three Cannon Bots with mortars are all\n"
               "that stand in its way.";
    case 180:
        return "Destroyer Zero, the last and greatest\n"
               "of the Machines, has come. Win here and\n"
               "the planet is free at last.";
    default: return kUnknownText;
    }
}

const char* HowToPlay(int stage) {
    switch (stage) {
    case 159:
    case 165:
    case 169:
    case 176:
    case 178:
        return "Click the lever on the right to stop\n"
               "the slots from rolling, one by one.\n"
               "Two matching cards drop one capsule,\n"
               "three drop three. Click a capsule to\n"
               "get its card. Keep at least one robot\n"
               "on the field and beat the Machines.";
    case 160:
    case 170:
    case 180:
        return "Click on the flying Mini Capsules to\n"
               "get a robot card. Drag a robot to move\n"
               "it to another cell; it must rest for\n"
               "three seconds before the next move.\n"
               "Destroy the boss before time runs out\n"
               "and keep at least one robot alive.";
    case 164:
    case 179:
        return "Hold down the left mouse button to\n"
               "charge the mortar and release it to\n"
               "fire. The longer the charge, the farther\n"
               "the shell flies; a short charge fires\n"
               "nothing. Do not lose all your robots.";
    case 151:
        return "Use the Remover card on the Fusor\n"
               "Bots to get them out before the Heavy\n"
               "Smashers arrive. Losing even one Fusor\n"
               "Bot ends the game. Survive five rounds.";
    case 152:
        return "Hold down the left mouse button to\n"
               "shoot toward the cursor. Gunner Bot\n"
               "fires each time it is charged. Do not\n"
               "let it be destroyed.";
    case 153:
        return "Drag a Warrior Bot to move it to\n"
               "another cell; after a move it rests for\n"
               "three seconds. Do not lose all three.";
    case 154:
        return "Hold down the left mouse button to\n"
               "steer your Copter Bots up and down.\n"
               "They fire when charged. Click capsules\n"
               "to get more Copter Bots.";
    case 155:
        return "Hold down the left mouse button to\n"
               "steer Diver Bot. It fires when charged\n"
               "and picks up items it touches. Keep all\n"
               "three Fusor Bots and Diver Bot alive.";
    case 156:
        return "Hold down the left mouse button to\n"
               "steer Diver Bot. It fires when charged.\n"
               "Sink the Killer Whale before time runs\n"
               "out, and keep Diver Bot alive.";
    case 157:
        return "Click above the ground to jump, and\n"
               "move the mouse left and right to walk.\n"
               "Land on Machines to stomp them and\n"
               "bounce off. Keep Mariner Bot alive.";
    case 158:
        return "Drag a robot to move it to another cell.\n"
               "Keep Snow Baller, Fixer Bot, D.Shotgunner\n"
               "and Mariner Bot alive until Mariner Bot\n"
               "is fully repaired. Click capsules for\n"
               "more cards.";
    case 161:
        return "Capsules drop from the sky every few\n"
               "seconds. Click them to get robot cards,\n"
               "then build your defense as usual.";
    case 162:
        return "Hold down the left mouse button to\n"
               "shoot toward the cursor. Collect the\n"
               "capsule that drops later on and put the\n"
               "Machine Gun on Gunner Bot.";
    case 163:
        return "Hold down the left mouse button to\n"
               "steer Dropper Bot. It drops bombs when\n"
               "charged. Bring down the Giant before\n"
               "time runs out, and keep Dropper Bot alive.";
    case 166:
        return "Hold down the left mouse button to\n"
               "steer Diver Bot. It fires when charged.\n"
               "Sink the Frost Orca before time runs\n"
               "out, and keep Diver Bot alive.";
    case 167:
        return "Press the left mouse button to make\n"
               "your first jump. Move the mouse left\n"
               "and right, and bounce off the Machines\n"
               "to climb higher. Do not fall.";
    case 168:
        return "Click on a Machine to have Sniper Bot\n"
               "shoot it. Each shot needs a full charge.\n"
               "Blinking Machines are picked first.";
    case 171:
        return "Hold down the left mouse button to\n"
               "steer the Machine Gunner and pick up\n"
               "items. Weaken The Destroyer to let the\n"
               "atomic delivery finish it.";
    case 172:
        return "Drag a robot to move it to another cell.\n"
               "Collect 1,000 energy before time runs\n"
               "out. Keep a Fusor Bot or Papa Fusor on\n"
               "the field while energy is low.";
    case 173:
        return "Drag a robot to move it to another cell.\n"
               "Put each robot where it is needed and\n"
               "do not lose them all.";
    case 174:
        return "Hold down the left mouse button to\n"
               "steer Plasma Bot. It fires when charged.\n"
               "Defeat the Frost Orca before time runs\n"
               "out, and keep Plasma Bot alive.";
    case 175:
        return "Place Hammer Bots where the Moles are\n"
               "digging to bash them. The Moles run\n"
               "fast, so think ahead.";
    case 177:
        return "Robots parachute down; each must land\n"
               "on a passing Buoyer Bot. Catch 30 before\n"
               "time runs out. Use Mini-Bombers to keep\n"
               "the sky clear.";
    default: return kUnknownText;
    }
}

}  // namespace

const char* GetMiniGameName(int stage) {
    if (stage < FIRST_MINI_GAME_STAGE || stage > LAST_STAGE) return kUnknownTitle;
    return kTitles[stage - FIRST_MINI_GAME_STAGE];
}

const char* GetMiniGameStory(int stage) { return Story(stage); }

const char* GetMiniGameRules(int stage) { return HowToPlay(stage); }

const char* GetMiniGameDescription(int stage) { return StrCat3("Description :\n\t", Story(stage), "\n"); }

const char* GetMiniGameHowToPlay(int stage) { return StrCat3("How to Play :\n\t", HowToPlay(stage), "\n"); }
