// The episodes' endings: wide scenes the story page pans from left to right
// under the ending's captions, so each reads as a story told left to right.
//   1  the Machines' mothership breaks apart in space over Green Planet, and
//      at dawn the Tinkerlings rebuild their village among the hills.
//   2  at dusk the second fleet lies wrecked over the sands, Star Travel,
//      Inc.'s liner slips away, and under the oldest mountain something
//      ancient glows.
//   3  by night the last broken ships limp home to the stars, and the
//      Tinkerlings gather on the hill under fireworks, a place kept for you.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/UnitArt.h"

namespace {

const char* const kFolk[] = {"Gunner Bot", "Fixer Bot",   "Cannon Bot", "Copter Bot", "Hammer Bot",
                             "Sonar Bot",  "Freezer Bot", "Fusor Bot",  "Spider Bot", "Blocker Bot"};

// A sky that runs across the picture from one light to another.
void SkyAcross(Canvas& c, Rgba leftTop, Rgba leftLow, Rgba rightTop, Rgba rightLow) {
    const int W = c.Width(), H = c.Height();
    for (int x = 0; x < W; ++x) {
        const double t = std::clamp((double(x) / W - 0.25) / 0.5, 0.0, 1.0);
        const Rgba top = Mix(leftTop, rightTop, t), low = Mix(leftLow, rightLow, t);
        for (int y = 0; y < H; ++y) c.Blend(x, y, Mix(top, low, double(y) / H));
    }
}

void Stars(Painter& p, ArtRandom& r, double x0, double x1, double y1, int count) {
    for (int i = 0; i < count; ++i) {
        const double x = r.Range(x0, x1), y = r.Range(0, y1), s = r.Range(0.8, 2.2);
        p.Circle(x, y, s, Solid(Rgba{255, 255, 240, uint8_t(r.Range(120, 255))}));
    }
}

// Ground line: hills as a sum of waves, filled to the bottom.
double HillTop(double x, double base, double amp, double seed) {
    return base - amp * (0.6 * std::sin(x * 0.004 + seed) + 0.4 * std::sin(x * 0.011 + 2 * seed));
}

// Hills filled to the bottom, rising out of the picture's foot from x0 on.
void Hills(Canvas& c, double x0, double base, double amp, double seed, Rgba top, Rgba low) {
    const int H = c.Height();
    for (int x = std::max(0, int(x0)); x < c.Width(); ++x) {
        const double rise = std::clamp((x - x0) / 320.0, 0.0, 1.0), ease = rise * rise * (3 - 2 * rise);
        const double y0 = HillTop(x, base, amp, seed) * ease + (H + 2) * (1 - ease);
        for (int y = std::max(0, int(y0)); y < H; ++y) {
            const double edge = std::clamp(y - y0 + 1, 0.0, 1.0);
            c.Blend(x, y, Mix(top, low, (y - y0) / (H - y0 + 1)), uint8_t(255 * edge));
        }
    }
}

// A unit standing with its feet at (x, ground); the unit's box is 100 high, feet at +40.
void Figure(Painter& p, const char* name, int id, double x, double ground, double scale, int act, int frame) {
    const double y = ground - 40 * scale;
    UnitPose pose;
    pose.act = act;
    pose.frames = 6;
    pose.frame = frame;
    pose.phase = frame / 6.0;
    p.Push();
    p.Translate(x, y);
    p.ScaleBy(scale, scale);
    DrawUnit(p, LookForUnit(name, id, id >= 1000 ? 0xc0504d : 0x4f81bd), pose);
    p.Pop();
}

// A Machine ship: a long dark hull with a bridge and red lamps, nose left.
void Ship(Painter& p, double x, double y, double len, double tilt, bool broken) {
    p.Push();
    p.Translate(x, y);
    p.Rotate(tilt);
    const Rgba hull{62, 60, 72, 255}, dark{34, 32, 40, 255};
    const double h = len * 0.16;
    p.Polygon({{-len / 2, 0},
               {-len * 0.3, -h},
               {len * 0.4, -h * 0.9},
               {len / 2, -h * 0.3},
               {len / 2, h * 0.5},
               {-len * 0.3, h * 0.6}},
              Inked(hull, 2.0, 0.6));
    p.Box(-len * 0.05, -h * 1.6, len * 0.25, h * 0.8, 3, Inked(dark, 1.5, 0.4));
    for (int i = 0; i < 6; ++i)
        p.Circle(-len * 0.25 + i * len * 0.1, -h * 0.2, len * 0.012, Solid(Rgba{255, 70, 50, 255}));
    p.Glow(len * 0.52, 0, h * 1.2, Rgba{255, 150, 70, 180}, 1.4);
    if (broken) {
        p.Polygon({{len * 0.05, -h},
                   {len * 0.12, -h * 0.2},
                   {len * 0.02, h * 0.2},
                   {len * 0.1, h * 0.7},
                   {len * 0.18, h * 0.7},
                   {len * 0.22, -h * 0.95}},
                  Solid(Rgba{10, 8, 14, 255}));
        p.Glow(len * 0.12, 0, h * 1.4, Rgba{255, 120, 40, 200}, 1.3);
    }
    p.Pop();
}

void Burst(Painter& p, double x, double y, double r, Rgba col) {
    p.Glow(x, y, r, WithAlpha(col, 220), 1.4);
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        p.Capsule(x + std::cos(a) * r * 0.2, y + std::sin(a) * r * 0.2, x + std::cos(a) * r, y + std::sin(a) * r,
                  r * 0.02 + 1, Soft(WithAlpha(col, 200), 2));
    }
    p.Glow(x, y, r * 0.3, Rgba{255, 255, 230, 230}, 1.2);
}

void House(Painter& p, double x, double ground, double s, Rgba wall, bool scaffold) {
    p.Box(x - s * 0.5, ground - s * 0.7, s, s * 0.7, 2, Inked(wall, 1.5, 0.4));
    p.Polygon({{x - s * 0.62, ground - s * 0.68}, {x, ground - s * 1.15}, {x + s * 0.62, ground - s * 0.68}},
              Inked(Rgba{180, 70, 50, 255}, 1.5, 0.4));
    p.Box(x - s * 0.12, ground - s * 0.36, s * 0.24, s * 0.36, 1, Solid(Rgba{110, 76, 44, 255}));
    p.Box(x + s * 0.2, ground - s * 0.55, s * 0.18, s * 0.16, 1, Solid(Rgba{255, 230, 150, 255}));
    if (scaffold) {
        const Rgba wood{170, 130, 80, 255};
        for (double dx : {-0.72, -0.3}) p.Capsule(x + s * dx, ground, x + s * dx, ground - s * 1.0, 2, Solid(wood));
        for (double dy : {0.35, 0.7})
            p.Capsule(x - s * 0.78, ground - s * dy, x - s * 0.24, ground - s * dy, 2, Solid(wood));
    }
}

void Tree(Painter& p, double x, double ground, double s) {
    p.Box(x - s * 0.06, ground - s * 0.5, s * 0.12, s * 0.5, 1, Solid(Rgba{96, 66, 40, 255}));
    p.Circle(x, ground - s * 0.7, s * 0.32, Solid(Rgba{60, 140, 64, 255}, 0.6));
}

void EndingOne(Canvas& c, ArtRandom& r) {
    const double W = c.Width(), H = c.Height();
    // Space on the left turning to a dawn sky on the right.
    SkyAcross(c, Rgba{6, 8, 24, 255}, Rgba{20, 30, 70, 255}, Rgba{120, 170, 230, 255}, Rgba{255, 210, 160, 255});
    Painter p(c);
    Stars(p, r, 0, W * 0.55, H * 0.8, 140);
    // Green Planet's rim under the battle in space.
    p.Ellipse(W * 0.22, H * 1.55, W * 0.42, H * 0.85, Solid(Rgba{50, 120, 80, 255}, 0.4));
    p.Ring(W * 0.22, H * 1.55, W * 0.42, 10, Soft(Rgba{140, 220, 255, 150}, 8));
    // The mothership breaking in two, its halves pushed apart by the blast.
    Ship(p, W * 0.12, H * 0.34, W * 0.18, -0.25, true);
    Ship(p, W * 0.31, H * 0.24, W * 0.16, 0.35, true);
    Burst(p, W * 0.22, H * 0.3, H * 0.22, Rgba{255, 170, 70, 255});
    Burst(p, W * 0.27, H * 0.42, H * 0.1, Rgba{255, 120, 60, 255});
    for (int i = 0; i < 14; ++i)  // wreckage tumbling away
        p.Box(W * 0.22 + r.Range(-160, 160), H * 0.3 + r.Range(-110, 110), r.Range(6, 14), r.Range(4, 9), 1,
              Solid(Rgba{70, 66, 80, 255}));
    // Dawn over the hills; the village going up again.
    p.Glow(W * 0.86, H * 0.42, H * 0.3, Rgba{255, 236, 170, 230}, 1.3);
    Hills(c, W * 0.4, H * 0.62, 30, 1.0, Rgba{110, 180, 96, 255}, Rgba{60, 120, 60, 255});
    Hills(c, W * 0.46, H * 0.76, 20, 2.3, Rgba{96, 176, 72, 255}, Rgba{70, 130, 50, 255});
    House(p, W * 0.62, HillTop(W * 0.62, H * 0.76, 20, 2.3) + 4, 70, Rgba{230, 210, 170, 255}, false);
    House(p, W * 0.74, HillTop(W * 0.74, H * 0.76, 20, 2.3) + 4, 84, Rgba{220, 200, 160, 255}, true);
    House(p, W * 0.9, HillTop(W * 0.9, H * 0.76, 20, 2.3) + 4, 64, Rgba{236, 220, 180, 255}, false);
    for (double x : {0.57, 0.67, 0.82, 0.96}) Tree(p, W * x, HillTop(W * x, H * 0.76, 20, 2.3) + 4, 64);
    const double g = H * 0.97;
    Figure(p, "Fixer Bot", 26, W * 0.66, g, 1.7, 2, 2);
    Figure(p, "Hammer Bot", 36, W * 0.78, g, 1.8, 2, 4);
    Figure(p, "Gunner Bot", 1, W * 0.9, g, 1.6, 1, 0);
    Figure(p, "Copter Bot", 4, W * 0.7, H * 0.42, 1.1, 1, 3);  // carrying a beam in
    p.Box(W * 0.7 - 60, H * 0.43, 120, 10, 2, Inked(Rgba{170, 130, 80, 255}, 1.2, 0.3));
}

void EndingTwo(Canvas& c, ArtRandom& r) {
    const double W = c.Width(), H = c.Height();
    SkyAcross(c, Rgba{90, 40, 80, 255}, Rgba{250, 140, 70, 255}, Rgba{30, 20, 60, 255}, Rgba{120, 60, 90, 255});
    Painter p(c);
    Stars(p, r, W * 0.55, W, H * 0.5, 60);
    p.Glow(W * 0.14, H * 0.5, H * 0.26, Rgba{255, 200, 120, 220}, 1.3);  // the setting sun
    // Sands with the broken second fleet half buried and smoking.
    Hills(c, -400, H * 0.7, 26, 0.4, Rgba{220, 170, 100, 255}, Rgba{150, 100, 60, 255});
    Ship(p, W * 0.2, H * 0.72, W * 0.16, 0.28, true);
    Ship(p, W * 0.42, H * 0.76, W * 0.12, -0.35, true);
    for (const Vec2& wreck : {Vec2{W * 0.22, H * 0.68}, Vec2{W * 0.43, H * 0.72}})  // smoke rising off them
        for (int k = 0; k < 6; ++k)
            p.Glow(wreck.x + 12 * k + 6 * std::sin(k * 1.7), wreck.y - 30 - 36 * k, 22 + 7 * k,
                   Rgba{56, 48, 56, uint8_t(170 - 22 * k)}, 1.2);
    Figure(p, "Sonar Bot", 9, W * 0.31, H * 0.97, 1.5, 1, 1);
    // Star Travel, Inc.'s liner leaving, its star on the tail.
    p.Push();
    p.Translate(W * 0.5, H * 0.18);
    p.Capsule(-90, 0, 90, 0, 18, Inked(Rgba{230, 232, 240, 255}, 2, 0.7));
    p.Polygon({{60, -10}, {100, -44}, {112, -44}, {96, -6}}, Inked(Rgba{230, 232, 240, 255}, 2, 0.5));
    std::vector<Vec2> star;
    for (int k = 0; k < 10; ++k) {
        const double a = -kPi / 2 + k * kPi / 5, rr = k % 2 ? 5 : 12;
        star.push_back({100 + std::cos(a) * rr, -30 + std::sin(a) * rr});
    }
    p.Polygon(star, Solid(Rgba{250, 200, 60, 255}));
    for (int i = 0; i < 7; ++i) p.Circle(-60 + i * 18, -2, 3.5, Solid(Rgba{255, 240, 170, 255}));
    p.Glow(-100, 0, 30, Rgba{140, 200, 255, 200}, 1.4);
    p.Pop();
    // The oldest mountain, cut open: something ancient glows deep inside.
    const double mx = W * 0.8, peak = H * 0.16, foot = H * 0.78;
    p.Polygon({{W * 0.56, foot}, {mx - 60, peak + 20}, {mx, peak}, {mx + 50, peak + 30}, {W + 20, foot}},
              Solid(Rgba{92, 70, 76, 255}, 0.5));
    p.Box(W * 0.56, foot, W * 0.46, H - foot, 0, Solid(Rgba{70, 50, 56, 255}));
    p.Ellipse(mx, H * 0.62, 150, 110, Solid(Rgba{24, 18, 30, 255}));
    p.Glow(mx, H * 0.62, 150, Rgba{90, 255, 220, 150}, 1.6);
    const Rgba ancient{140, 255, 230, 255};
    std::vector<Vec2> core;
    for (int k = 0; k < 6; ++k)
        core.push_back({mx + std::cos(k * kPi / 3) * 56, H * 0.62 + std::sin(k * kPi / 3) * 56});
    p.Polygon(core, Inked(Rgba{30, 90, 90, 255}, 3, 0.3));
    p.Ring(mx, H * 0.62, 36, 4, Solid(ancient));
    p.Ring(mx, H * 0.62, 90, 2, Soft(WithAlpha(ancient, 160), 2));
    for (int k = 0; k < 6; ++k) {
        const double a = k * kPi / 3 + kPi / 6;
        p.Capsule(mx + std::cos(a) * 40, H * 0.62 + std::sin(a) * 40, mx + std::cos(a) * 130,
                  H * 0.62 + std::sin(a) * 95, 2, Soft(WithAlpha(ancient, 200), 1.5));
    }
    p.Circle(mx, H * 0.62, 14, Solid(Rgba{240, 255, 250, 255}));
    // Tinkerlings with lamps at the mountain's foot, looking in.
    for (int i = 0; i < 3; ++i) {
        const double x = W * 0.64 + i * 90;
        Figure(p, kFolk[i * 3 + 1], 20 + i, x, H * 0.98, 1.3, 1, i);
        p.Glow(x + 30, H * 0.8, 24, Rgba{255, 230, 140, 200}, 1.4);
    }
}

void EndingThree(Canvas& c, ArtRandom& r) {
    const double W = c.Width(), H = c.Height();
    SkyAcross(c, Rgba{8, 10, 30, 255}, Rgba{30, 40, 90, 255}, Rgba{20, 24, 70, 255}, Rgba{240, 150, 120, 255});
    Painter p(c);
    Stars(p, r, 0, W, H * 0.7, 220);
    // The last broken ships limping home, smaller and smaller toward the stars.
    for (int i = 0; i < 4; ++i) {
        const double x = W * (0.08 + 0.09 * i), y = H * (0.55 - 0.12 * i), len = W * (0.1 - 0.018 * i);
        Ship(p, x, y, len, -0.2, i % 2 == 0);
        p.Capsule(x + len * 0.5, y + 6, x + len * 1.4, y + 40, 3, Soft(Rgba{90, 86, 100, 120}, 6));
    }
    // The lone liner still out searching, far off.
    p.Capsule(W * 0.5 - 24, H * 0.14, W * 0.5 + 24, H * 0.14, 5, Solid(Rgba{200, 204, 216, 255}));
    p.Glow(W * 0.5 - 30, H * 0.14, 10, Rgba{140, 200, 255, 200}, 1.4);
    // Fireworks over the hill where everyone has gathered.
    const Rgba colours[] = {{255, 210, 90, 255}, {255, 110, 140, 255}, {120, 220, 255, 255}, {170, 255, 140, 255}};
    for (int i = 0; i < 6; ++i)
        Burst(p, W * (0.58 + 0.07 * i), H * (0.16 + 0.09 * (i % 3)), H * r.Range(0.07, 0.11), colours[i % 4]);
    Hills(c, W * 0.3, H * 0.74, 24, 0.9, Rgba{60, 110, 70, 255}, Rgba{24, 50, 34, 255});
    // The folk in a row on the hill, a warm light among them: a place kept for you.
    const double g = H * 0.98;
    p.Glow(W * 0.78, H * 0.72, H * 0.3, Rgba{255, 200, 120, 120}, 1.4);
    for (int i = 0; i < 7; ++i) {
        const double x = W * (0.56 + 0.07 * i);
        if (i == 3) {
            p.Glow(x, g - 60, 60, Rgba{255, 240, 180, 220}, 1.3);
            std::vector<Vec2> heart;
            for (int k = 0; k < 40; ++k) {
                const double t = k * 2 * kPi / 40;
                heart.push_back(
                    {x + 2 * 16 * std::pow(std::sin(t), 3),
                     g - 60 - 2 * (13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t))});
            }
            p.Polygon(heart, Inked(Rgba{250, 90, 110, 255}, 1.5, 0.4));
            continue;
        }
        Figure(p, kFolk[i], 30 + i, x, g, 1.5, i % 3 == 0 ? 2 : 1, i % 6);
    }
}

}  // namespace

void DrawEnding(Canvas& c, const ArtJob& job) {
    ArtRandom r(HashText(job.file.path));
    switch (job.Number()) {
    case 2: EndingTwo(c, r); break;
    case 3: EndingThree(c, r); break;
    default: EndingOne(c, r); break;
    }
}
