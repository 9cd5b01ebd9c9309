// Battle sprites: items to pick up, projectiles, hits, smoke, rings, bursts.
// Effects are soft-edged light on transparency so they add over any scene.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"

void Gear(Painter& p, double cx, double cy, double r, int teeth, Rgba c, double width) {
    std::vector<Vec2> v;
    for (int i = 0; i < teeth * 4; ++i) {
        double a = i * kPi * 2 / (teeth * 4);
        double rr = (i / 2) % 2 ? r : r * 0.78;
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(v, Inked(c, width, 0.7));
    p.Circle(cx, cy, r * 0.3, Inked(Shade(c, 0.5f), width * 0.8, 0));
}

namespace {

void Puffs(Painter& p, double cx, double cy, double r, Rgba c, uint32_t seed, int count) {
    ArtRandom rnd(seed);
    for (int i = 0; i < count; ++i) {
        double a = rnd.Range(0, 2 * kPi), d = rnd.Range(0, r * 0.45);
        p.Glow(cx + std::cos(a) * d, cy + std::sin(a) * d, r * rnd.Range(0.4, 0.6), c, 1.4);
    }
}

// A sheet of acid rain: the battle lays four of these side by side and one
// above the other, 400 apart across with the picture's sides overlapping,
// and moves each sheet down and 0.2 to the right for every step down. The
// streaks lean the same way, so they fall along their own length; the top
// joins the bottom along a streak, and the sides fade so the overlap is as
// bright as the rest.
void DrawRainSheet(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height(), lean = 0.2;
    const double overlap = std::max(1.0, w - 400.0 * w / 512.0);
    ArtRandom r(HashText(job.file.path));
    auto fade = [&](double x) { return std::clamp(std::min(x, w - x) / overlap, 0.0, 1.0); };
    for (int layer = 0; layer < 2; ++layer) {
        const int count = layer == 0 ? 260 : 140;
        for (int i = 0; i < count; ++i) {
            const double u = r.Range(-lean * h, w), y0 = r.Range(0, h);
            const double len = layer == 0 ? r.Range(14, 30) : r.Range(30, 56);
            const double a = (layer == 0 ? r.Range(50, 110) : r.Range(110, 190)) * fade(u + lean * (y0 + len / 2));
            if (a < 4) continue;
            const Rgba col{200, 240, 150, static_cast<uint8_t>(a)};
            // Drawn once more a sheet higher, so a streak cut by the bottom
            // goes on at the top.
            for (double k : {0.0, -1.0}) {
                const double ya = y0 + k * h, yb = ya + len;
                p.Capsule(u + lean * ya, ya, u + lean * yb, yb, layer == 0 ? 0.6 : 0.9, Soft(col, 0.8));
            }
        }
    }
}

}  // namespace

void DrawItem(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h);
    int kind = std::max(0, job.Number());
    double cx = w / 2, cy = h / 2;
    if (kind <= 3) {  // energy: a glowing orb, bigger and warmer with its size
        static const Rgba kOrb[4] = {
            {80, 200, 255, 255}, {90, 230, 170, 255}, {250, 210, 80, 255}, {250, 120, 220, 255}};
        double r = s * (0.22 + 0.05 * kind);
        p.Glow(cx, cy, r * 2.1, WithAlpha(kOrb[kind], 160), 1.6);
        p.Circle(cx, cy, r, Inked(kOrb[kind], 1.5, 1.0));
        p.Polygon({{cx + r * 0.15, cy - r * 0.7},
                   {cx - r * 0.4, cy + r * 0.1},
                   {cx, cy + r * 0.1},
                   {cx - r * 0.15, cy + r * 0.7},
                   {cx + r * 0.4, cy - r * 0.15},
                   {cx, cy - r * 0.15}},
                  Solid(Rgba{255, 255, 230, 255}));
        p.Ellipse(cx - r * 0.4, cy - r * 0.45, r * 0.25, r * 0.15, Solid(Rgba{255, 255, 255, 150}));
    } else if (kind <= 7) {  // metal parts: nut, gear, plate with bolts, a crate of parts
        Rgba steel{176, 184, 196, 255};
        switch (kind) {
        case 4: {
            std::vector<Vec2> hex;
            for (int i = 0; i < 6; ++i)
                hex.push_back({cx + std::cos(i * kPi / 3) * s * 0.26, cy + std::sin(i * kPi / 3) * s * 0.26});
            p.Polygon(hex, Inked(steel, 1.5));
            p.Circle(cx, cy, s * 0.1, Inked(Rgba{60, 64, 72, 255}, 1.2, 0));
            break;
        }
        case 5: Gear(p, cx, cy, s * 0.34, 8, steel, 1.5); break;
        case 6:
            Gear(p, cx - s * 0.12, cy + s * 0.06, s * 0.26, 8, steel, 1.5);
            Gear(p, cx + s * 0.2, cy - s * 0.14, s * 0.18, 6, Rgba{214, 170, 90, 255}, 1.3);
            break;
        default:
            p.Box(cx - s * 0.34, cy - s * 0.26, s * 0.68, s * 0.56, s * 0.05, Inked(Rgba{170, 120, 70, 255}, 1.5));
            p.Box(cx - s * 0.34, cy - s * 0.08, s * 0.68, s * 0.08, 0, Solid(Rgba{110, 76, 44, 255}));
            Gear(p, cx + s * 0.12, cy - s * 0.3, s * 0.16, 6, steel, 1.2);
            break;
        }
        p.Glow(cx - s * 0.1, cy - s * 0.12, s * 0.16, Rgba{255, 255, 255, 90});
    } else {  // a reinforcement capsule
        p.Glow(cx, cy, s * 0.48, Rgba{255, 230, 140, 120});
        p.Push();
        p.Translate(cx, cy);
        p.Rotate(-0.5);
        p.Capsule(-s * 0.2, 0, s * 0.2, 0, s * 0.16, Inked(Rgba{230, 230, 240, 255}, 1.5, 0.9));
        p.Box(-s * 0.02, -s * 0.17, s * 0.04, s * 0.34, 0, Solid(Rgba{90, 100, 120, 255}));
        p.Capsule(-s * 0.2, 0, -s * 0.02, 0, s * 0.14, Solid(Rgba{240, 90, 70, 200}, 0.8));
        p.Pop();
    }
}

void DrawShot(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h);
    int id = std::max(0, job.Number());
    bool machine = id >= 1000;
    double cx = w / 2, cy = h / 2;
    if (job.tga) {  // the glowing second picture: pure soft light
        Rgba col = machine ? Rgba{255, 110, 80, 255} : Rgba{140, 220, 255, 255};
        p.Glow(cx, cy, s * 0.5, WithAlpha(col, 220), 1.5);
        p.Glow(cx, cy, s * 0.2, Rgba{255, 255, 255, 220}, 1.2);
        return;
    }
    // Tinkerling shots fly left, Machine shots right: the nose leads.
    p.Translate(cx, cy);
    if (!machine) p.ScaleBy(-1, 1);
    p.ScaleBy(s / 64, s / 64);
    Rgba hot = machine ? Rgba{255, 90, 60, 255} : Rgba{255, 220, 80, 255};
    switch (id % 8) {
    case 0:  // bolt
        p.Glow(-6, 0, 16, WithAlpha(hot, 120));
        p.Capsule(-10, 0, 8, 0, 4, Inked(hot, 1.2, 0.4));
        break;
    case 1:  // shell
        p.Capsule(-8, 0, 6, 0, 6, Inked(Rgba{90, 96, 110, 255}, 1.5, 0.9));
        p.Circle(6, 0, 6, Inked(Rgba{200, 170, 80, 255}, 1.5, 0.6));
        break;
    case 2:  // ice or cold
        p.Glow(0, 0, 18, Rgba{190, 240, 255, 170});
        p.Polygon({{12, 0}, {0, -9}, {-12, 0}, {0, 9}}, Inked(Rgba{200, 240, 255, 255}, 1.2, 0.7));
        break;
    case 3:  // rocket
        p.Glow(-16, 0, 10, Rgba{255, 170, 60, 200});
        p.Capsule(-10, 0, 8, 0, 4.5, Inked(Rgba{220, 224, 230, 255}, 1.3, 0.8));
        p.Polygon({{8, -4.5}, {16, 0}, {8, 4.5}}, Inked(hot, 1.2, 0.4));
        p.Polygon({{-10, -4}, {-15, -9}, {-12, 0}, {-15, 9}, {-10, 4}}, Inked(hot, 1, 0));
        break;
    case 4:  // plasma ball
        p.Glow(0, 0, 22, machine ? Rgba{255, 80, 200, 200} : Rgba{200, 110, 255, 200});
        p.Circle(0, 0, 7, Solid(Rgba{255, 240, 255, 255}));
        break;
    case 5:  // flame
        p.Glow(-4, 0, 20, Rgba{255, 120, 30, 200});
        p.Glow(2, 0, 11, Rgba{255, 230, 120, 230});
        break;
    case 6:  // bomb
        p.Circle(0, 2, 9, Inked(Rgba{50, 54, 64, 255}, 1.5, 0.9));
        p.Capsule(4, -6, 8, -11, 1.5, Solid(Rgba{140, 100, 60, 255}));
        p.Glow(8, -12, 6, Rgba{255, 220, 100, 230});
        break;
    default:  // spark
        p.Glow(0, 0, 16, WithAlpha(hot, 170));
        p.Polygon({{10, 0}, {2, -3}, {0, -10}, {-2, -3}, {-10, 0}, {-2, 3}, {0, 10}, {2, 3}},
                  Solid(Rgba{255, 255, 240, 255}));
        break;
    }
}

void DrawEffect(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h), cx = w / 2, cy = h / 2;
    uint32_t seed = HashText(job.file.path);
    Rgba tint = FromHex(job.item.colour);
    if (job.Has("hitsmoke")) {
        Puffs(p, cx, cy, s * 0.5, Rgba{90, 86, 84, 170}, seed, 6);
    } else if (job.Has("smoke")) {
        Puffs(p, cx, cy, s * 0.5, Rgba{200, 200, 205, 150}, seed, 7);
    } else if (job.Has("hitlight")) {
        p.Glow(cx, cy, s * 0.5, Rgba{255, 220, 140, 230}, 1.8);
        p.Glow(cx, cy, s * 0.22, Rgba{255, 255, 255, 255}, 1.2);
        for (int i = 0; i < 4; ++i) {
            double a = i * kPi / 4;
            p.Capsule(cx - std::cos(a) * s * 0.45, cy - std::sin(a) * s * 0.45, cx + std::cos(a) * s * 0.45,
                      cy + std::sin(a) * s * 0.45, s * 0.015, Soft(Rgba{255, 250, 220, 140}, 2));
        }
    } else if (job.Has("starcircle")) {
        // Drawn twice and added over boards: kept faint.
        p.Ring(cx, cy, s * 0.38, s * 0.02, Soft(Rgba{255, 220, 120, 90}, 2));
        for (int i = 0; i < 8; ++i) {
            double a = i * kPi / 4, x = cx + std::cos(a) * s * 0.38, y = cy + std::sin(a) * s * 0.38;
            p.Glow(x, y, s * 0.08, Rgba{255, 230, 150, 110});
            std::vector<Vec2> star;
            for (int k = 0; k < 10; ++k) {
                double b = -kPi / 2 + k * kPi / 5, r = k % 2 ? s * 0.022 : s * 0.055;
                star.push_back({x + std::cos(b) * r, y + std::sin(b) * r});
            }
            p.Polygon(star, Solid(Rgba{255, 240, 190, 200}));
        }
    } else if (job.Has("starburst")) {
        for (int i = 0; i < 12; ++i) {
            double a = i * kPi / 6, r = s * (i % 2 ? 0.32 : 0.48);
            p.Polygon({{cx + std::cos(a - 0.08) * s * 0.08, cy + std::sin(a - 0.08) * s * 0.08},
                       {cx + std::cos(a) * r, cy + std::sin(a) * r},
                       {cx + std::cos(a + 0.08) * s * 0.08, cy + std::sin(a + 0.08) * s * 0.08}},
                      Soft(Rgba{255, 230, 130, 200}, 2));
        }
        p.Glow(cx, cy, s * 0.3, Rgba{255, 255, 230, 240}, 1.4);
    } else if (job.Has("touch")) {
        p.Ring(cx, cy, s * 0.4, s * 0.05, Soft(Rgba{160, 230, 255, 150}, 3));
        p.Ring(cx, cy, s * 0.25, s * 0.04, Soft(Rgba{200, 245, 255, 200}, 2));
        p.Glow(cx, cy, s * 0.18, Rgba{255, 255, 255, 180});
    } else if (job.Has("loading")) {
        Painter q(c);
        Gear(q, cx, cy, s * 0.36, 10, ui::kBrass, 2);
        q.Ring(cx, cy, s * 0.45, s * 0.04, Soft(Rgba{140, 210, 255, 160}, 2));
    } else if (job.Has("count")) {
        p.Glow(cx, cy, s * 0.5, WithAlpha(tint, 150));
    } else if (job.Has("snowwind") || job.Has("sandwind")) {  // a gust: soft streaks
        Rgba col = job.Has("snow") ? Rgba{240, 248, 255, 140} : Rgba{230, 190, 130, 130};
        ArtRandom r(seed);
        for (int i = 0; i < 6; ++i) {
            double y = r.Range(h * 0.2, h * 0.8), x0 = r.Range(0, w * 0.3), x1 = x0 + r.Range(w * 0.4, w * 0.7);
            p.Capsule(x0, y, x1, y - h * 0.05, s * 0.03, Soft(col, s * 0.05));
        }
    } else if (job.Has("snow")) {
        p.Glow(cx, cy, s * 0.5, Rgba{255, 255, 255, 200}, 1.6);
        for (int i = 0; i < 3; ++i) {
            double a = i * kPi / 3;
            p.Capsule(cx - std::cos(a) * s * 0.35, cy - std::sin(a) * s * 0.35, cx + std::cos(a) * s * 0.35,
                      cy + std::sin(a) * s * 0.35, s * 0.04, Soft(Rgba{255, 255, 255, 230}, 1));
        }
    } else if (job.Has("rain")) {
        DrawRainSheet(c, job);
    } else if (job.Has("meteor")) {  // a burning rock with its trail behind, falling down-left
        p.Capsule(cx, cy, w * 0.95, h * 0.05, s * 0.12, Soft(Rgba{255, 140, 50, 120}, s * 0.08));
        p.Glow(cx, cy, s * 0.32, Rgba{255, 180, 80, 220});
        p.Circle(cx, cy, s * 0.14, Inked(Rgba{120, 80, 60, 255}, 1.5, 0.8));
    } else if (job.Has("greenball")) {
        p.Glow(cx, cy, s * 0.5, Rgba{120, 240, 110, 190});
        p.Circle(cx, cy, s * 0.16, Solid(Rgba{210, 255, 190, 240}));
    } else if (job.Has("flower")) {
        for (int i = 0; i < 5; ++i) {
            double a = i * 2 * kPi / 5;
            p.Ellipse(cx + std::cos(a) * s * 0.2, cy + std::sin(a) * s * 0.2, s * 0.16, s * 0.16,
                      Inked(Rgba{250, 150, 190, 255}, 1.2, 0.4));
        }
        p.Circle(cx, cy, s * 0.12, Inked(Rgba{250, 210, 80, 255}, 1.2, 0.4));
    } else if (job.Has("oxygen") || job.Has("bubble")) {
        p.Circle(cx, cy, s * 0.4, Solid(Rgba{170, 220, 255, 50}));
        p.Ring(cx, cy, s * 0.4, s * 0.04, Soft(Rgba{220, 245, 255, 200}, 1));
        p.Ellipse(cx - s * 0.15, cy - s * 0.17, s * 0.1, s * 0.06, Solid(Rgba{255, 255, 255, 200}));
    } else if (job.Has("whirlpool")) {
        for (int i = 0; i < 90; ++i) {
            double t = i / 90.0, a = t * 6 * kPi, r = s * 0.45 * (1 - t);
            p.Circle(cx + std::cos(a) * r, cy + std::sin(a) * r * 0.6, s * 0.03 * (1 - t * 0.5),
                     Soft(Rgba{200, 235, 255, static_cast<uint8_t>(200 * (1 - t))}, 1));
        }
    } else if (job.Has("parachute")) {
        p.Polygon(
            {{w * 0.1, h * 0.4}, {w * 0.2, h * 0.18}, {w * 0.5, h * 0.08}, {w * 0.8, h * 0.18}, {w * 0.9, h * 0.4}},
            Inked(Rgba{240, 90, 70, 255}, 1.5, 0.6));
        for (double x : {0.1, 0.5, 0.9})
            p.Capsule(w * x, h * 0.4, w * 0.5, h * 0.7, s * 0.01, Solid(Rgba{60, 60, 60, 255}));
        p.Box(w * 0.38, h * 0.68, w * 0.24, h * 0.2, 2, Inked(Rgba{170, 120, 70, 255}, 1.5));
    } else if (job.Has("timebomb")) {
        p.Glow(cx, cy, s * 0.5, Rgba{255, 120, 60, 160});
        p.Ring(cx, cy, s * 0.35, s * 0.05, Soft(Rgba{255, 200, 120, 200}, 2));
    } else if (!job.CellText(0).empty()) {  // a floating word ("Miss")
        OutlinedText(c, job.text, job.CellText(0), 0, 0, c.Width(), c.Height(), Rgba{255, 255, 255, 255},
                     Rgba{120, 20, 20, 255}, c.Height() / 2, std::max(1, c.Height() / 32));
    } else {
        // Any other effect: a soft glow with a ring in the line's colour.
        p.Glow(cx, cy, s * 0.5, WithAlpha(Mix(tint, Rgba{255, 255, 255, 255}, 0.3), 200), 1.6);
        p.Ring(cx, cy, s * 0.32, s * 0.04, Soft(WithAlpha(tint, 170), 2));
    }
}

void DrawPropeller(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    int frames = job.item.frames.empty() ? 1 : std::max(1, job.item.frames[0]);
    double a = 2 * kPi * (job.file.frame - 1) / frames;
    double cx = w / 2, cy = h * 0.45, r = w * 0.45;
    p.Ellipse(cx, cy, r, h * 0.12, Solid(Rgba{210, 220, 230, 60}));
    for (int blade = 0; blade < 2; ++blade) {
        double t = a + blade * kPi;
        double x = std::cos(t) * r;
        double depth = std::sin(t);
        p.Capsule(cx, cy, cx + x, cy + depth * h * 0.08, h * 0.07,
                  Inked(Mix(Rgba{120, 126, 140, 255}, Rgba{200, 206, 216, 255}, 0.5 + 0.5 * depth), 1.2, 0.3));
    }
    p.Box(cx - w * 0.03, cy, w * 0.06, h * 0.45, 1, Inked(Rgba{150, 156, 170, 255}, 1.0, 0));
    p.Circle(cx, cy, h * 0.1, Inked(Rgba{230, 90, 70, 255}, 1.2, 0.5));
}

// Three fish of the underwater stages, 8 frames each: head to the left (the
// game mirrors those swimming right), the tail beating once over the frames,
// nothing but the fish on the picture so the field shows around it.
void DrawFish(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    const size_t at = job.lower.find("/ambient/fish");
    const int kind = at != std::string::npos && at + 13 < job.lower.size() ? job.lower[at + 13] - '0' : 1;
    const int frames = job.item.frames.empty() ? 8 : std::max(1, job.item.frames[0]);
    const double phase = 2 * kPi * (std::max(1, job.file.frame) - 1) / frames;
    const Rgba body = FromHex(job.item.colour);
    const Rgba belly = Mix(body, Rgba{255, 250, 235, 255}, 0.55);
    const Rgba fin = Shade(body, 0.75f);
    // Body sizes per kind: round and striped, long and slim, tall with sails.
    const double rx = (kind == 2 ? 0.36 : kind == 3 ? 0.24 : 0.28) * w;
    const double ry = (kind == 2 ? 0.17 : kind == 3 ? 0.3 : 0.26) * h;
    const double cx = w * 0.47, cy = h * 0.5;
    const double beat = std::sin(phase), spread = 0.55 + 0.45 * std::fabs(std::cos(phase));

    // Tail: a fan that swings up and down and narrows as it turns away.
    p.Push();
    p.Translate(cx + rx * 0.85, cy);
    p.Rotate(0.28 * beat);
    const double tl = rx * (kind == 2 ? 0.55 : 0.7), th = ry * (kind == 3 ? 0.8 : 1.0) * spread;
    p.Polygon({{-4, -3}, {tl, -th}, {tl * 0.75, 0}, {tl, th}, {-4, 3}}, Inked(fin, 1.2, 0.3));
    p.Pop();
    // Back and belly fins; the angel fish carries tall sails.
    if (kind == 3) {
        p.Polygon({{cx - rx * 0.4, cy - ry * 0.8}, {cx + rx * 0.5, cy - ry * 1.55}, {cx + rx * 0.7, cy - ry * 0.5}},
                  Inked(Mix(fin, Rgba{250, 210, 80, 255}, 0.5), 1.2, 0.3));
        p.Polygon({{cx - rx * 0.3, cy + ry * 0.8}, {cx + rx * 0.5, cy + ry * 1.5}, {cx + rx * 0.7, cy + ry * 0.5}},
                  Inked(Mix(fin, Rgba{250, 210, 80, 255}, 0.5), 1.2, 0.3));
    } else {
        p.Polygon({{cx - rx * 0.3, cy - ry * 0.85}, {cx + rx * 0.05, cy - ry * 1.35}, {cx + rx * 0.45, cy - ry * 0.75}},
                  Inked(fin, 1.2, 0.3));
        p.Polygon({{cx + rx * 0.1, cy + ry * 0.85}, {cx + rx * 0.3, cy + ry * 1.25}, {cx + rx * 0.5, cy + ry * 0.7}},
                  Inked(fin, 1.2, 0.3));
    }
    p.Ellipse(cx, cy, rx, ry, Inked(body, 1.4, 0.6));
    p.Ellipse(cx - rx * 0.05, cy + ry * 0.45, rx * 0.8, ry * 0.42, Solid(belly));
    if (kind == 1) {  // white bands edged in dark
        for (double bx : {-0.35, 0.3}) {
            p.Ellipse(cx + rx * bx, cy, rx * 0.13, ry * 0.93, Solid(Rgba{40, 30, 30, 200}));
            p.Ellipse(cx + rx * bx, cy, rx * 0.09, ry * 0.9, Solid(Rgba{255, 255, 255, 255}));
        }
    } else if (kind == 2) {  // a dark stripe along the flank and spots on the back
        p.Capsule(cx - rx * 0.6, cy - ry * 0.05, cx + rx * 0.85, cy, ry * 0.12, Solid(Shade(body, 0.55f)));
        for (int i = 0; i < 4; ++i)
            p.Circle(cx - rx * 0.2 + i * rx * 0.22, cy - ry * 0.55, ry * 0.12, Solid(Shade(body, 0.6f)));
    } else {  // thin vertical bars
        for (int i = 0; i < 3; ++i)
            p.Ellipse(cx - rx * 0.3 + i * rx * 0.35, cy, rx * 0.06, ry * 0.85, Solid(Shade(body, 0.6f)));
    }
    // Side fin paddling with the tail, the gill line, the eye and mouth at the head.
    p.Push();
    p.Translate(cx - rx * 0.25, cy + ry * 0.15);
    p.Rotate(0.5 + 0.35 * std::cos(phase));
    p.Ellipse(rx * 0.18, 0, rx * 0.2, ry * 0.16, Inked(Mix(fin, belly, 0.3), 1.0, 0));
    p.Pop();
    p.Capsule(cx - rx * 0.45, cy - ry * 0.5, cx - rx * 0.5, cy + ry * 0.4, 1.0, Solid(Shade(body, 0.6f)));
    const double ex = cx - rx * 0.66, ey = cy - ry * 0.22, er = std::max(3.0, ry * 0.24);
    p.Circle(ex, ey, er, Inked(Rgba{255, 255, 255, 255}, 1.0, 0));
    p.Circle(ex - er * 0.2, ey, er * 0.55, Solid(Rgba{20, 24, 36, 255}));
    p.Circle(ex - er * 0.35, ey - er * 0.3, er * 0.2, Solid(Rgba{255, 255, 255, 255}));
    p.Capsule(cx - rx * 0.98, cy + ry * 0.22, cx - rx * 0.82, cy + ry * 0.3, 1.0, Solid(Rgba{40, 30, 30, 255}));
}

// A plain, opaque, white square to the last pixel: the code that draws it
// gives the colour, and it covers whatever it is stretched over.
void DrawSquare(Canvas& c, const ArtJob&) {
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) c.Blend(x, y, Rgba{255, 255, 255, 255}, 255);
}
