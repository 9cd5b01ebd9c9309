#pragma once
// The pack's colours: one interface palette, one per world, and the colour
// families of the two sides.
#include <string>

#include "tools/assetpack/Canvas.h"

namespace ui {
// Interface: deep blue steel frames, warm brass trim, teal panels.
const Rgba kFrameDark{24, 34, 52, 255};
const Rgba kFrame{46, 66, 96, 255};
const Rgba kFrameLight{92, 126, 168, 255};
const Rgba kBrass{214, 168, 74, 255};
const Rgba kBrassLight{250, 222, 140, 255};
const Rgba kPanel{38, 92, 112, 255};
const Rgba kPanelLight{70, 142, 160, 255};
const Rgba kInset{16, 28, 40, 255};
const Rgba kGlow{255, 232, 160, 255};
const Rgba kText{255, 255, 255, 255};
}  // namespace ui

struct WorldPalette {
    Rgba skyTop, skyBottom, far, mid, near, groundTop, groundBody, groundDark, accent;
};

// World 1 Green Fields, 2 Waste Sands, 3 South Ocean, 4 Glacier Land, 5 Iron Fortress.
const WorldPalette& PaletteForWorld(int world);

struct UnitColours {
    Rgba main, accent, trim, eye;
};

// Tinkerlings: bright colours by what they do; Machines: dark steel with an
// accent by where they move (ground rust, air violet, sea teal) and a darker
// body for the later, bigger ones.
UnitColours ColoursForUnit(const std::string& lowerName, int id, bool marine, bool flying, uint32_t manifestColour);
