// The worlds: parallax backgrounds that repeat sideways, ground tiles
// that join in every arrangement of the field, water strips, the splash.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"
#include "tools/assetpack/UnitArt.h"

namespace {

// Cells are 85.5 px apart on screen and tiles are drawn at 0.955: the
// ground pattern repeats every cell so neighbouring tiles meet exactly.
constexpr double kTilePeriodX = 85.5 / 0.955;
constexpr double kTilePeriodY = 80.75 / 0.955;

// Height (0..1, fraction of the picture from the top) of a ridge at x.
double Ridge(int world, int layer, double x, double width, uint32_t seed) {
    double n1 = PeriodicNoise(x, layer * 37.0, width, seed + layer);
    double n2 = PeriodicNoise(x, layer * 91.0, width / 3, seed + 7 * layer);
    switch (world) {
    case 2:  // mesas: flat tops with steep sides
        if (layer == 0) {
            double q = std::floor(n1 * 4) / 4;
            return 0.5 - 0.12 * q - 0.02 * n2;
        }
        return 0.6 + layer * 0.08 - 0.06 * std::sin(2 * kPi * x / width * (2 + layer)) - 0.03 * n1;
    case 4: {  // jagged peaks
        double saw = std::fabs(std::fmod(x / width * (5 + 3 * layer) + n1, 1.0) - 0.5) * 2;
        return 0.42 + layer * 0.1 + 0.18 * saw / (1 + layer) - 0.05 * n2;
    }
    case 5:  // skyline: blocks
        return 0.5 + layer * 0.1 - 0.2 * std::floor(n1 * 5) / 5 / (1 + layer);
    case 3:  // sea floor rocks
        return 0.66 + layer * 0.09 - 0.1 * n1 - 0.03 * n2;
    default:  // rolling hills
        return 0.5 + layer * 0.1 - 0.12 * n1 - 0.03 * n2;
    }
}

template <typename F>
void Wrapped(double width, double x, F draw) {
    draw(x);
    draw(x - width);
    draw(x + width);
}

// The Machines' own fortress, where each episode ends: a red-lit sky over a
// wall of towers with the Machines' gear on the keep, and a steel deck below
// the horizon. The deck, where the field stands, is kept plain and even so
// the units and cells over it read as well as on the other worlds' ground.
void DrawFortress(Canvas& c, const ArtJob& job) {
    const int W = c.Width(), H = c.Height();
    // The field's top row stands about a third of the way down the picture:
    // the deck reaches up to it, the fortress fills the strip above.
    const double horizon = H * 0.34;
    const Rgba skyTop{22, 12, 28, 255}, skyLow{132, 38, 30, 255};
    const Rgba deckFar{74, 70, 80, 255}, deckNear{44, 42, 50, 255};
    // Deck plates: seams closer together toward the horizon, in phase with the width.
    for (int y = 0; y < H; ++y) {
        const double v = double(y) / H;
        for (int x = 0; x < W; ++x) {
            Rgba col;
            if (y < horizon) {
                col = Mix(skyTop, skyLow, std::pow(v * H / horizon, 1.6));
            } else {
                const double d = (y - horizon) / (H - horizon);
                col = Mix(deckFar, deckNear, d);
                const double row = std::sqrt(d) * 9, across = double(x) / W * 16;
                const double seamY = std::fabs(row - std::round(row)), seamX = std::fabs(across - std::round(across));
                if (seamY < 0.02 + 0.01 * (1 - d)) col = Shade(col, 0.78f);
                else if (seamX < 0.004 && d > 0.05) col = Shade(col, 0.85f);
                col = Mix(col, Shade(col, 1.12f), 0.5 * PeriodicNoise(x, y * 0.5, W / 4.0, 61));
            }
            c.Blend(x, y, col);
        }
    }
    Painter p(c);
    ArtRandom r(HashText(job.file.path));
    // Searchlights sweeping the sky from behind the wall.
    for (int i = 0; i < 3; ++i) {
        const double x = W * (0.15 + 0.33 * i), lean = (i - 1) * W * 0.12;
        Wrapped(W, x, [&](double cx) {
            p.Polygon(
                {{cx - 6, horizon - H * 0.2}, {cx + 6, horizon - H * 0.2}, {cx + lean + 60, 0}, {cx + lean - 60, 0}},
                Paint{Rgba{255, 200, 170, 22}, {}, 0, 0, 14});
        });
    }
    // Far towers, then the wall with its lit slits; all repeat with the width.
    const Rgba towerFar{46, 30, 40, 255}, tower{30, 24, 32, 255}, wall{38, 32, 40, 255};
    for (int i = 0; i < 9; ++i) {
        const double x = W * (i + r.Range(0.1, 0.9)) / 9, tw = r.Range(30, 60), th = r.Range(0.14, 0.26) * H;
        Wrapped(W, x, [&](double cx) {
            p.Box(cx - tw / 2, horizon - H * 0.1 - th, tw, th + H * 0.1, 2, Solid(towerFar));
            p.Capsule(cx, horizon - H * 0.1 - th, cx, horizon - H * 0.1 - th - 40, 2, Solid(towerFar));
            p.Glow(cx, horizon - H * 0.1 - th - 42, 8, Rgba{255, 60, 40, 200}, 1.5);
        });
    }
    p.Box(-10, horizon - H * 0.12, W + 20, H * 0.12, 0, Solid(wall));
    for (int i = 0; i < 16; ++i) {  // battlements
        const double x = W * (i + 0.5) / 16;
        p.Box(x - 18, horizon - H * 0.12 - 16, 36, 18, 1, Solid(wall));
    }
    for (int i = 0; i < 4; ++i) {  // near towers with red slits
        const double x = W * (0.125 + 0.25 * i), th = H * (i % 2 ? 0.2 : 0.26);
        Wrapped(W, x, [&](double cx) {
            p.Box(cx - 34, horizon - th, 68, th, 3, Paint{tower, Rgba{12, 8, 14, 255}, 2, 0.3});
            p.Polygon({{cx - 42, horizon - th}, {cx, horizon - th - 46}, {cx + 42, horizon - th}}, Solid(tower));
            for (int k = 0; k < 4; ++k)
                p.Box(cx - 4, horizon - th + 24 + k * 30, 8, 14, 1, Solid(Rgba{255, 90, 50, 230}));
        });
    }
    // The keep's gear with its red eye, once in the picture's middle: low in
    // the wall and dim, since the counters at the top of the screen pass
    // over it as the field scrolls.
    const double gx = W * 0.5, gy = horizon - H * 0.055;
    Gear(p, gx, gy, H * 0.045, 12, Rgba{62, 52, 58, 255}, 2.5);
    p.Glow(gx, gy, H * 0.025, Rgba{200, 40, 26, 120}, 1.4);
    p.Circle(gx, gy, H * 0.009, Solid(Rgba{170, 50, 36, 255}));
    // The wall's foot: a pipe and a band of hazard stripes along the horizon.
    p.Box(-10, horizon - 14, W + 20, 14, 0, Solid(Rgba{60, 50, 56, 255}));
    p.Capsule(-20, horizon - 22, W + 20, horizon - 22, 6, Solid(Rgba{90, 84, 92, 255}, 0.6));
    for (double x = 0; x < W; x += 32)
        p.Polygon({{x, horizon}, {x + 16, horizon}, {x + 24, horizon - 12}, {x + 8, horizon - 12}},
                  Solid(Rgba{200, 160, 40, 200}));
    // Embers drifting over the sky.
    for (int i = 0; i < 40; ++i)
        p.Glow(r.Range(0, W), r.Range(0, horizon * 0.9), r.Range(2, 5), Rgba{255, 140, 70, 150}, 1.2);
}

}  // namespace

int WorldFromPath(const std::string& lower) {
    size_t at = lower.find("/stage/");
    if (at != std::string::npos && at + 7 < lower.size()) {
        char c = lower[at + 7];
        if (c >= '1' && c <= '6') return c - '0';
    }
    return 1;
}

void DrawBackground(Canvas& c, const ArtJob& job) {
    // Stage pictures belong to their world; numbered pictures elsewhere (story
    // pages) walk through the worlds in turn.
    int world = WorldFromPath(job.lower);
    if (world == 6) {
        DrawFortress(c, job);
        return;
    }
    if (job.lower.find("/stage/") == std::string::npos && job.Number() >= 1 && !job.Has("splash"))
        world = (job.Number() - 1) % 5 + 1;
    const WorldPalette& pal = PaletteForWorld(world);
    int W = c.Width(), H = c.Height();
    uint32_t seed = HashText(job.file.path);
    // Sky, then three ridges from far to near, each darker and less hazy.
    Rgba layers[3] = {Mix(pal.far, pal.skyBottom, 0.35), pal.mid, pal.near};
    for (int x = 0; x < W; ++x) {
        double tops[3];
        for (int l = 0; l < 3; ++l) tops[l] = Ridge(world, l, x, W, seed) * H;
        for (int y = 0; y < H; ++y) {
            double v = double(y) / H;
            Rgba col = Mix(pal.skyTop, pal.skyBottom, world == 3 ? v * 1.2 : v * 1.6);
            for (int l = 0; l < 3; ++l) {
                if (y >= tops[l]) {
                    double depth = (y - tops[l]) / H;
                    col = Mix(layers[l], Shade(layers[l], 0.7f), depth * 3);
                    if (world == 4 && y < tops[l] + 10 + 6 * l)
                        col = Mix(col, Rgba{250, 252, 255, 255}, 0.8);  // snow caps
                    if (world == 2 && l > 0)
                        col = Mix(col, Shade(col, 1.15f), 0.5 + 0.5 * std::sin(y * 0.15 + x * 0.02));
                }
            }
            c.Blend(x, y, col);
        }
    }
    Painter p(c);
    ArtRandom r(seed);
    switch (world) {
    case 1:
        p.Glow(W * 0.8, H * 0.15, H * 0.12, Rgba{255, 250, 200, 230});
        for (int i = 0; i < 6; ++i) {  // clouds
            double x = r.Range(0, W), y = r.Range(H * 0.05, H * 0.3), s = r.Range(30, 60);
            Wrapped(W, x, [&](double cx) {
                for (int k = 0; k < 4; ++k)
                    p.Glow(cx + (k - 1.5) * s * 0.7, y + (k % 2) * s * 0.2, s, Rgba{255, 255, 255, 170}, 1.2);
            });
        }
        for (int i = 0; i < 14; ++i) {  // trees on the middle hills
            double x = r.Range(0, W);
            double y = Ridge(world, 1, x, W, seed) * H + 6;
            Wrapped(W, x, [&](double cx) {
                p.Box(cx - 3, y - 4, 6, 22, 1, Solid(Rgba{90, 64, 40, 255}));
                p.Circle(cx, y - 14, 16, Solid(Rgba{54, 120, 56, 255}, 0.6));
            });
        }
        break;
    case 2:
        p.Glow(W * 0.25, H * 0.22, H * 0.2, Rgba{255, 240, 190, 220});
        for (int i = 0; i < 5; ++i) {  // dead cactus posts
            double x = r.Range(0, W), y = Ridge(world, 2, x, W, seed) * H + 4;
            Wrapped(W, x, [&](double cx) {
                p.Capsule(cx, y, cx, y - 40, 5, Solid(Rgba{110, 140, 70, 255}, 0.5));
                p.Capsule(cx, y - 22, cx + 12, y - 30, 3.5, Solid(Rgba{110, 140, 70, 255}, 0.5));
            });
        }
        break;
    case 3:
        for (int i = 0; i < 7; ++i) {  // light shafts from the surface
            double x = r.Range(0, W);
            Wrapped(W, x, [&](double cx) {
                p.Polygon({{cx - 20, 0}, {cx + 30, 0}, {cx + 160, H * 0.8}, {cx + 60, H * 0.8}},
                          Paint{Rgba{200, 240, 255, 26}, {}, 0, 0, 20});
            });
        }
        for (int i = 0; i < 18; ++i) {  // sea weed
            double x = r.Range(0, W), y = Ridge(world, 1, x, W, seed) * H + 10, len = r.Range(60, 140);
            Wrapped(W, x, [&](double cx) {
                for (int k = 0; k < 6; ++k) {
                    double y0 = y - len * k / 6, y1 = y - len * (k + 1) / 6;
                    p.Capsule(cx + 6 * std::sin(k), y0, cx + 6 * std::sin(k + 1), y1, 4,
                              Solid(Rgba{40, 120, 90, 255}, 0.3));
                }
            });
        }
        for (int i = 0; i < 30; ++i)
            p.Circle(r.Range(0, W), r.Range(0, H * 0.8), r.Range(2, 6), Paint{Rgba{220, 245, 255, 90}, {}, 0, 0, 1});
        break;
    case 4:
        for (int i = 0; i < 3; ++i)  // aurora
            for (int x = 0; x < W; x += 4) {
                double y = H * (0.12 + 0.05 * i) + 30 * std::sin(2 * kPi * x / W * (2 + i) + i);
                p.Glow(x, y, 40, Rgba{140, 255, 210, 14}, 1.0);
            }
        for (int i = 0; i < 60; ++i)
            p.Circle(r.Range(0, W), r.Range(0, H), r.Range(1, 3), Solid(Rgba{255, 255, 255, 160}));
        break;
    case 5:
        for (int i = 0; i < 12; ++i) {  // chimneys with fire and smoke, lit windows
            double x = r.Range(0, W), y = Ridge(world, 1, x, W, seed) * H;
            Wrapped(W, x, [&](double cx) {
                p.Box(cx - 8, y - 70, 16, 72, 1, Solid(Rgba{40, 34, 40, 255}));
                p.Glow(cx, y - 72, 14, Rgba{255, 140, 40, 200});
                p.Glow(cx + 20, y - 110, 40, Rgba{60, 50, 56, 120}, 1.2);
            });
        }
        for (int i = 0; i < 80; ++i) {
            double x = r.Range(0, W);
            double y = Ridge(world, 2, x, W, seed) * H + r.Range(10, 200);
            p.Box(x, y, 6, 8, 1, Solid(Rgba{255, 190, 80, 180}));
        }
        break;
    default: break;
    }
}

// "Ground" set shape: set 0 the top with its cap, 1 the rock under it, 2-3
// their spiked or wet forms in the iron world; shape 0 left end, 1 middle,
// 2 right end, 3 a single piece. The rock is the same colour all the way
// down, and opaque over every pixel a neighbour above or below does not
// cover, so tiles stacked in a column join without a line of backdrop.
void DrawTile(Canvas& c, const ArtJob& job) {
    int world = WorldFromPath(job.lower);
    const WorldPalette& pal = PaletteForWorld(world);
    const int W = c.Width(), H = c.Height();
    std::string digits;
    for (char ch : job.stem)
        if (ch >= '0' && ch <= '9') digits += ch;
    const int set = digits.size() >= 2 ? digits[digits.size() - 2] - '0' : 0;
    const int shape = digits.size() >= 2 ? digits[digits.size() - 1] - '0' : 0;
    const bool rock = set % 2 == 1, spiked = set == 2;
    const bool leftEnd = shape == 0 || shape == 3, rightEnd = shape == 2 || shape == 3;
    const double px = W >= 80 ? kTilePeriodX : W, py = H >= 80 ? kTilePeriodY : H;
    const uint32_t seed = static_cast<uint32_t>(world * 101);
    // A tile reaches (W - px) / 2 past its cell on each side; an end stands
    // a little inside the cell's edge. The top lies at the cell's foot.
    const double margin = (W - px) / 2, sideL = margin + 3, sideR = W - margin - 3;
    const double top = std::max(4.0, (H - py) / 2 + 2);
    const double radius = 11, rim = 1.6, capDepth = 9;
    const Rgba rockCol = Mix(pal.groundBody, pal.groundDark, set == 3 ? 0.55 : 0.4);
    const Rgba outline = Shade(pal.groundDark, 0.6f);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            // Pixel centres: the pattern is a function of position, the same in
            // every tile that covers that spot.
            const double fx = x + 0.5, fy = y + 0.5, sx = fx - W / 2.0, sy = fy - H / 2.0;
            const double n = PeriodicNoise(sx, sy, px, seed, py);
            const double fine = PeriodicNoise(sx, sy, px / 4, seed + 3, py / 4);
            // Distance inside the outline (negative outside): the sides are a
            // little rough, in phase with the rows so stacked ends line up.
            double d = 1e9;
            const double rough = 1.5 * PeriodicNoise(0, sy, py / 2, seed + 13, py / 2);
            const double surface = rock ? -1e9 : top + 2 * PeriodicNoise(sx, 0, px, seed + 9);
            // Below a top's rounded corners, and all down the rock, an end is
            // plain earth: the field can set it against more earth, so it
            // has no rim and reaches a little past its cell's edge, where the
            // end beside it reaches too; both sides of a cell move the same
            // way with the rows, so ends side by side always overlap.
            const double plain = rock ? 1.0 : std::clamp((fy - surface - radius) / 10, 0.0, 1.0);
            const double shift = rough - 0.75;
            const double plainLeft = margin - 1.5 + shift, plainRight = W - margin + 1.5 + shift;
            const double capLeft = sideL + rough, capRight = sideR - rough;
            const double left = capLeft + (plainLeft - capLeft) * plain;
            const double right = capRight + (plainRight - capRight) * plain;
            if (leftEnd) d = std::min(d, fx - left);
            if (rightEnd) d = std::min(d, right - fx);
            if (!rock) {
                d = std::min(d, fy - surface);
                // Rounded top corners at the ends.
                for (int e = 0; e < 2; ++e) {
                    if (!(e == 0 ? leftEnd : rightEnd)) continue;
                    const double cx = e == 0 ? left + radius : right - radius, cy = surface + radius;
                    if ((e == 0 ? fx < cx : fx > cx) && fy < cy) d = std::min(d, radius - std::hypot(fx - cx, fy - cy));
                }
            }
            if (d < -0.5 && !(plain > 0 && d >= -1.5)) continue;
            Rgba col = Mix(pal.groundBody, pal.groundDark, n * 0.6 + fine * 0.25);
            // Stones show as darker blobs in the body.
            if (PeriodicNoise(sx, sy, px / 2, seed + 5, py / 2) > 0.78) col = Mix(col, pal.groundDark, 0.6);
            const Rgba deep = Mix(rockCol, pal.groundDark, n * 0.4 + fine * 0.2);
            if (rock) {
                col = deep;
            } else {
                // The body darkens to the rock's colour at its foot, where it
                // lies over the rock tile below.
                col = Mix(col, deep, std::clamp((fy - (H - 28)) / 20, 0.0, 1.0));
                const double depth = fy - surface;
                if (depth < capDepth + 2 * fine) {
                    Rgba cap = pal.groundTop;
                    if (world == 5) cap = Mix(cap, Shade(cap, 0.88f), fine);  // brushed steel
                    else if (world == 2) cap = Mix(cap, Shade(cap, 0.88f), 0.5 + 0.5 * std::sin(fx * 0.45 + fine * 3));
                    else cap = Mix(Shade(cap, 1.12f), cap, std::clamp(depth / capDepth, 0.0, 1.0));
                    col = cap;
                }
            }
            // A top's cap is shaded round toward its outline at its ends; a
            // plain end keeps its grain, so earth against earth shows no line.
            const double rimmed = 1 - plain;
            if (d < 6) col = Mix(col, Shade(col, 0.75f), (6 - std::max(d, 0.0)) / 6 * 0.5 * rimmed);
            if (d < rim) col = Mix(col, outline, rimmed);
            // Just past a plain end the earth's colour stays, all but unseen,
            // so the picture's filtering draws no dark fringe along the end.
            const double cover = plain > 0 ? std::clamp(d + 0.5, 1.0 / 255, 1.0) : std::clamp(d + 0.5, 0.0, 1.0);
            c.Blend(x, y, col, static_cast<uint8_t>(255 * cover));
        }
    if (rock) return;
    Painter p(c);
    // Decorations along the top, in phase with the period, kept off the ends.
    const double from = leftEnd ? sideL + radius + 2 : -px / 3, to = rightEnd ? sideR - radius - 2 : W + px / 3;
    auto surfaceAt = [&](double fx) { return top + 2 * PeriodicNoise(fx - W / 2.0, 0, px, seed + 9); };
    if (spiked) {
        // Spikes every quarter cell.
        for (double x0 = std::fmod(W / 2.0, px / 4) - px / 4; x0 < W + px / 4; x0 += px / 4) {
            if (x0 < from || x0 > to) continue;
            const double s = surfaceAt(x0);
            p.Polygon({{x0 - px / 10, s + 4}, {x0, s - top + 1}, {x0 + px / 10, s + 4}},
                      Paint{Rgba{200, 204, 214, 255}, Rgba{40, 40, 48, 255}, 1.2, 0.8});
        }
        return;
    }
    for (double x0 = std::fmod(W / 2.0, px / 6) - px / 6; x0 < W + px / 6; x0 += px / 6) {
        if (x0 < from || x0 > to) continue;
        const double s = surfaceAt(x0);
        switch (world) {
        case 1:  // tufts of grass
            p.Ellipse(x0, s + 1, px / 14, 3.5, Solid(Shade(pal.groundTop, 1.2f)));
            p.Capsule(x0 - 2, s + 1, x0 - 3, s - 3, 0.9, Solid(Shade(pal.groundTop, 0.85f)));
            break;
        case 3:  // pebbles on the sea floor
            p.Ellipse(x0 + 3, s + 3, 2.5, 1.6, Solid(Shade(pal.groundTop, 0.8f)));
            break;
        case 4:  // lumps of snow
            p.Ellipse(x0, s + 1, px / 12, 4, Solid(Rgba{255, 255, 255, 255}));
            break;
        case 5:  // rivets along the plate
            p.Circle(x0, s + 5, 1.5, Solid(Shade(pal.groundTop, 0.6f)));
            break;
        default: break;
        }
    }
}

void DrawWater(Canvas& c, const ArtJob& job) {
    int world = WorldFromPath(job.lower);
    const WorldPalette& pal = PaletteForWorld(world);
    int W = c.Width(), H = c.Height();
    Rgba deep = world == 4 ? Rgba{120, 180, 220, 255} : Rgba{30, 110, 170, 255};
    for (int x = 0; x < W; ++x) {
        double wave = H * 0.2 + H * 0.08 * std::sin(2 * kPi * x / W * 2) + H * 0.04 * std::sin(2 * kPi * x / W * 5);
        for (int y = 0; y < H; ++y) {
            if (y < wave - 2) continue;
            double t = (y - wave) / (H - wave);
            Rgba col = Mix(Mix(deep, pal.accent, 0.2), Shade(deep, 0.6f), t);
            uint8_t a = static_cast<uint8_t>(std::clamp(150 + 60 * t, 0.0, 255.0));
            if (y < wave + 3) col = Rgba{230, 250, 255, 255}, a = 220;  // foam line
            double cover = std::clamp(y - (wave - 2), 0.0, 1.0);
            c.Blend(x, y, col, static_cast<uint8_t>(a * cover));
        }
    }
}

void DrawSplash(Canvas& c, const ArtJob& job) {
    DrawBackground(c, job);  // world 1 by its path
    Painter p(c);
    double w = c.Width(), h = c.Height();
    // A Tinkerling and a Machine face each other under the title.
    UnitPose pose;
    pose.act = job.Has("2") ? 2 : 1;
    pose.frames = 6;
    pose.frame = job.Has("2") ? 2 : 0;
    pose.phase = pose.frame / 6.0;
    p.Push();
    p.Translate(w * 0.72, h * 0.62);
    p.ScaleBy(h * 0.006, h * 0.006);
    DrawUnit(p, LookForUnit("Gunner Bot", 1, 0x4f81bd), pose);
    p.Pop();
    p.Push();
    p.Translate(w * 0.28, h * 0.62);
    p.ScaleBy(h * 0.006, h * 0.006);
    DrawUnit(p, LookForUnit("Smasher", 1000, 0xc0504d), pose);
    p.Pop();
    std::string title = job.item.label.substr(0, job.item.label.find('\n'));
    // The second splash lies under the title screen's logo, which names the game itself.
    if (title.empty() || job.Has("splash2")) return;
    p.Box(w * 0.12, h * 0.08, w * 0.76, h * 0.2, h * 0.06, Paint{Rgba{20, 34, 52, 200}, ui::kBrass, 4, 0.4});
    OutlinedText(c, job.text, title, static_cast<int>(w * 0.14), static_cast<int>(h * 0.09), static_cast<int>(w * 0.72),
                 static_cast<int>(h * 0.18), ui::kBrassLight, Rgba{60, 24, 0, 255}, static_cast<int>(h * 0.13), 3);
}
