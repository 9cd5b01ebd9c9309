// Story and mini-game pictures of the reading boards: a scene in the world the
// chapter takes place in (its palette tells the worlds apart), a Tinkerling
// facing a Machine, the light of the episode, and the chapter's title below.
#include <cstdio>
#include <string>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/UnitArt.h"

namespace {

const char* const kTinkerlings[] = {
    "Fusor Bot", "Gunner Bot",  "Cannon Bot", "Blocker Bot", "Copter Bot", "Freezer Bot", "Flame Bot",  "Warrior Bot",
    "Sonar Bot", "Floater Bot", "Diver Bot",  "Spider Bot",  "Storm Bot",  "Mariner Bot", "Plasma Bot", "Hammer Bot"};
const char* const kMachines[] = {
    "Smasher", "Air Scout",      "Heavy Smasher", "Jetpacker",   "Cycler",   "Transporter", "Driller", "Jumper",
    "Knight",  "Napalm Airship", "Rocket Wagon",  "Fighter Sub", "Stingray", "Gunboat",     "Ghost",   "Reaper"};

// Episode and number from "bbd_story_2_04" or "bbd_minigame_1_07".
bool ParseStoryName(const std::string& stem, bool& miniGame, int& episode, int& number) {
    std::string lower;
    for (char c : stem) lower += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    miniGame = lower.rfind("bbd_minigame_", 0) == 0;
    const char* rest = lower.c_str() + (miniGame ? 13 : 10);
    if (!miniGame && lower.rfind("bbd_story_", 0) != 0) return false;
    return std::sscanf(rest, "%d_%d", &episode, &number) == 2 && episode >= 1 && episode <= 3 && number >= 1;
}

void DrawFigure(Painter& p, double x, double y, double scale, const UnitLook& look, int act) {
    UnitPose pose;
    pose.act = act;
    pose.frames = 6;
    pose.frame = 2;
    pose.phase = 2.0 / 6.0;
    p.Push();
    p.Translate(x, y);
    p.ScaleBy(scale, scale);
    DrawUnit(p, look, pose);
    p.Pop();
}

}  // namespace

void DrawStory(Canvas& c, const ArtJob& job) {
    bool miniGame = false;
    int episode = 1, number = 1;
    if (!ParseStoryName(job.stem, miniGame, episode, number)) {
        DrawBackground(c, job);
        return;
    }
    // A story picture shows its area; mini-game 150 + k follows stage 5k and
    // takes that stage's area.
    const int k = (episode - 1) * 10 + number;
    const int world = miniGame ? ((5 * k - 1) % 50) / 10 + 1 : (number - 1) % 5 + 1;
    const int index = miniGame ? 15 + k : (episode - 1) * 5 + number - 1;
    const std::string lower = "resource/stage/" + std::to_string(world) + "/story";
    ArtJob scene{job.item, job.file, job.text, job.stem, lower, false, true};
    DrawBackground(c, scene);

    const double W = c.Width(), H = c.Height();
    Painter p(c);
    // The light of the episode: day, dusk, night.
    if (episode == 2) p.Box(0, 0, W, H, 0, Solid(Rgba{255, 120, 40, 60}));
    if (episode == 3) p.Box(0, 0, W, H, 0, Solid(Rgba{20, 24, 70, 90}));

    const int tinker = (index * 7 + 3) % int(sizeof kTinkerlings / sizeof kTinkerlings[0]);
    const int machine = (index * 5 + 1) % int(sizeof kMachines / sizeof kMachines[0]);
    const UnitLook hero = LookForUnit(kTinkerlings[tinker], tinker, 0x4f81bd);
    const UnitLook foe = LookForUnit(kMachines[machine], 1000 + machine, 0xc0504d);
    // Machines come in from the left, the Tinkerling holds the right.
    const double ground = H * 0.64;
    DrawFigure(p, W * 0.28, ground, H * 0.0042, foe, 1);
    if (index % 3 != 1) DrawFigure(p, W * 0.12, ground + H * 0.04, H * 0.003, foe, 1);
    DrawFigure(p, W * 0.7, ground, H * 0.0046, hero, index % 2 == 0 ? 2 : 1);

    // The board cuts the top and bottom 7 %: the title sits inside.
    const std::string title = job.item.label.substr(0, job.item.label.find('\n'));
    if (title.empty()) return;
    p.Box(W * 0.06, H * 0.76, W * 0.88, H * 0.14, H * 0.04, Paint{Rgba{20, 34, 52, 210}, ui::kBrass, 2.5, 0.4});
    OutlinedText(c, job.text, title, int(W * 0.08), int(H * 0.77), int(W * 0.84), int(H * 0.12), ui::kBrassLight,
                 Rgba{60, 24, 0, 255}, int(H * 0.09), 2);
}
