// The fifteen chapters of the map story, told by the Tinkerlings of each
// area. The board draws every line on its own, so the lines are broken here.
#include "content/MapStoryTexts.h"

namespace {

const char* const kChapters[15] = {
    // Episode 1: Green Fields
    "You've found us! We're so grateful!\n"
    "The Machines came down from the hills\n"
    "and took our workshops one by one.\n"
    "\tWe Tinkerlings build, we don't fight.\n"
    "But with your help, our robots can hold\n"
    "the fields. Please, lead them for us!",
    // Waste Sands
    "This land used to be flourishing,\n"
    "full of springs and orchards. Then the\n"
    "Machines dug their mines and drank\n"
    "every well dry.\n"
    "\tThe sand hides their tunnels now.\n"
    "Watch the dunes, and keep the last\n"
    "oasis out of their iron hands.",
    // South Ocean
    "You'll be surprised by this. We just\n"
    "found Machines that can swim! They\n"
    "crawl along the sea floor and climb\n"
    "out onto our reefs at night.\n"
    "\tOur divers have rebuilt some robots\n"
    "to float and to dive. Try them out!",
    // Glacier Land
    "By now, we've been able to take\n"
    "back most of the south. But the cold\n"
    "north hides the Machines' supply road,\n"
    "and the ice slows our robots down.\n"
    "\tCut that road, and their fortress\n"
    "will run out of spare parts.",
    // Iron Fortress
    "The Machines' base - ''Iron Fortress'' -\n"
    "stands right before us. Smoke and\n"
    "sparks pour out of its chimneys day\n"
    "and night.\n"
    "\tEvery Tinkerling is counting on you.\n"
    "Break through the gates and shut\n"
    "their factory down for good!",
    // Episode 2: Power Outage
    "We're in trouble! Suddenly, many\n"
    "of our power plants went dark at once.\n"
    "Without energy, our robots can't even\n"
    "stand up.\n"
    "\tThe Machines are back, and this time\n"
    "they planned it. Guard what power we\n"
    "have left until the lights come on.",
    // A Discovery
    "We've discovered a large hall hidden\n"
    "under the sands, filled with old\n"
    "blueprints of a giant Machine.\n"
    "\tSomeone has been reading them not\n"
    "long ago: the dust is fresh with bolt\n"
    "marks. Hold the hall while we study\n"
    "the plans.",
    // Terror in the Deep
    "Our research shows that the giant\n"
    "Machine is being built deep under the\n"
    "sea, far from our eyes.\n"
    "\tSubmarines now guard every current\n"
    "that leads there. Clear a way for our\n"
    "divers, and keep their boats afloat.",
    // Cold Struggle
    "We have been able to activate\n"
    "the old heaters of the northern base,\n"
    "but the Machines want it back.\n"
    "\tThe storm will not let up, and the\n"
    "snow buries anything that stands still.\n"
    "Keep the base warm and keep it ours!",
    // Simple Plan
    "The Machines' plan has turns out to\n"
    "be simple: build the giant, send it\n"
    "to our villages, crush everything.\n"
    "\tOur plan is simpler still. Reach the\n"
    "fortress before the giant wakes up,\n"
    "and take it apart bolt by bolt.",
    // Episode 3: Raining Hazard
    "The Machines are back again, but\n"
    "this time they come from the sky.\n"
    "Burning rocks fall on our fields,\n"
    "and Machines ride down on them.\n"
    "\tKeep your robots spread out, and\n"
    "clear the craters before they land.",
    // Trembling Lands
    "On the other side of Green Planet,\n"
    "the ground shakes without rest. The\n"
    "Machines are drilling under the desert\n"
    "to reach the planet's core.\n"
    "\tIf they get there, nothing will be\n"
    "left standing. Stop the drills!",
    // Dangerous Water
    "Nowhere on this planet is safe for\n"
    "us anymore. Even the sea has turned\n"
    "against us: the Machines poisoned the\n"
    "currents with oil and rust.\n"
    "\tOur divers are tired, but they will\n"
    "not give up. Neither will we.",
    // Stormy Weather
    "The Tinkerlings that live on the icy\n"
    "plains sent one last message before\n"
    "the storm cut them off.\n"
    "\tThe Machines have built a weather\n"
    "tower that feeds the blizzard. Break\n"
    "it, and the sky will clear again.",
    // Final Crisis
    "After battling through countless\n"
    "Machines, we stand at the door of\n"
    "their last stronghold. Everything\n"
    "they have is waiting inside.\n"
    "\tThis is it. Whatever happens today,\n"
    "thank you for fighting beside us.\n"
    "Let's bring Green Planet peace!",
};

}  // namespace

const char* GetMapStoryText(int index) {
    if (index < 0 || index >= 15) return "";
    return kChapters[index];
}
