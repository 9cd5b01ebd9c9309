#include "tools/assetpack/Palette.h"

#include <algorithm>

#include "tools/assetpack/Painter.h"

const WorldPalette& PaletteForWorld(int world) {
    static const WorldPalette kWorlds[5] = {
        // Green Fields: blue sky, rolling green hills, brown earth
        {{110, 180, 240, 255},
         {200, 232, 250, 255},
         {140, 180, 200, 255},
         {96, 168, 92, 255},
         {60, 130, 60, 255},
         {104, 186, 72, 255},
         {132, 94, 58, 255},
         {84, 58, 36, 255},
         {250, 230, 90, 255}},
        // Waste Sands: hazy orange sky, mesas and dunes
        {{232, 150, 80, 255},
         {250, 214, 150, 255},
         {190, 120, 90, 255},
         {214, 160, 96, 255},
         {180, 120, 70, 255},
         {226, 184, 110, 255},
         {170, 118, 70, 255},
         {112, 72, 42, 255},
         {120, 200, 90, 255}},
        // South Ocean: deep water, light from above, sea weed and rock
        {{40, 120, 170, 255},
         {10, 40, 80, 255},
         {30, 90, 130, 255},
         {26, 70, 100, 255},
         {20, 52, 74, 255},
         {210, 196, 140, 255},
         {120, 110, 90, 255},
         {70, 66, 60, 255},
         {120, 230, 220, 255}},
        // Glacier Land: pale sky, ice peaks, snow
        {{150, 190, 230, 255},
         {230, 242, 252, 255},
         {180, 206, 230, 255},
         {210, 228, 244, 255},
         {160, 192, 220, 255},
         {244, 250, 255, 255},
         {140, 176, 206, 255},
         {90, 120, 150, 255},
         {120, 220, 255, 255}},
        // Iron Fortress: smoky red sky, black towers, steel plates
        {{60, 20, 24, 255},
         {170, 70, 40, 255},
         {70, 44, 50, 255},
         {50, 40, 46, 255},
         {34, 30, 36, 255},
         {120, 124, 132, 255},
         {74, 76, 86, 255},
         {40, 40, 48, 255},
         {255, 120, 40, 255}},
    };
    return kWorlds[std::clamp(world, 1, 5) - 1];
}

namespace {

struct Family {
    const char* words[8];
    Rgba main, accent;
};

// Tinkerlings by what they do.
const Family kFamilies[] = {
    {{"fusor", "factory", "recycler", nullptr}, {250, 196, 64, 255}, {255, 120, 60, 255}},  // makers: gold
    {{"blocker", "barrier", "floater", "buoyer", "submerger", "surveyor", nullptr},
     {70, 140, 220, 255},
     {250, 210, 80, 255}},  // guards: blue
    {{"freezer", "snow", "bubble", "storm", "shocker", "sonar", "magnet", nullptr},
     {90, 200, 210, 255},
     {180, 120, 250, 255}},                                                                       // tricks: cyan
    {{"mine", "bomber", "atomic", "dropper", nullptr}, {120, 190, 80, 255}, {250, 90, 70, 255}},  // bombs: green
    {{"warrior", "hammer", "boomerang", "remover", "fixer", nullptr},
     {230, 90, 70, 255},
     {250, 210, 90, 255}},  // close: red
};

Rgba Lift(Rgba c, float f) { return Shade(c, f); }

}  // namespace

UnitColours ColoursForUnit(const std::string& name, int id, bool marine, bool flying, uint32_t manifestColour) {
    UnitColours c;
    if (id < 1000) {
        c.main = Rgba{240, 140, 50, 255};  // shooters: orange
        c.accent = Rgba{70, 150, 230, 255};
        for (const Family& f : kFamilies) {
            bool hit = false;
            for (const char* const* w = f.words; *w; ++w) hit = hit || name.find(*w) != std::string::npos;
            if (hit) {
                c.main = f.main;
                c.accent = f.accent;
                break;
            }
        }
        // A touch of the manifest colour keeps neighbours apart within a family.
        c.main = Mix(c.main, FromHex(manifestColour), 0.18);
        c.trim = Rgba{232, 226, 210, 255};
        c.eye = Rgba{40, 170, 240, 255};
    } else {
        // Later Machines are darker; the metal's tint says where they move.
        int stage = id < 1011 ? 0 : id < 1022 ? 1 : 2;
        Rgba steel = marine ? Rgba{96, 128, 134, 255} : flying ? Rgba{116, 118, 148, 255} : Rgba{138, 116, 104, 255};
        steel = Shade(steel, 1.0f - 0.16f * stage);
        Rgba accent = marine ? Rgba{40, 170, 170, 255} : flying ? Rgba{150, 90, 210, 255} : Rgba{200, 70, 40, 255};
        if (name.find("frost") != std::string::npos) accent = Rgba{120, 200, 250, 255};
        if (name.find("destroyer") != std::string::npos || name.find("titan") != std::string::npos ||
            name.find("giant") != std::string::npos)
            accent = Rgba{200, 30, 60, 255};
        c.main = Mix(steel, FromHex(manifestColour), 0.12);
        c.accent = accent;
        c.trim = Lift(steel, 0.7f);
        c.eye = name.find("ghost") != std::string::npos ? Rgba{150, 255, 200, 255} : Rgba{255, 60, 40, 255};
    }
    return c;
}
