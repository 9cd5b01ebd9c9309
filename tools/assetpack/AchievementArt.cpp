// The emblems on the achievements' medals: each shows what its achievement
// asks for (a booster's sign, the kind of Machine and the rank, the weapon,
// the goal), drawn in a box 80 across that fills the medal's face.
#include <cmath>
#include <vector>

#include "tools/assetpack/ArtDraw.h"

namespace {

const Rgba kInk{40, 44, 56, 255};
const Rgba kSteel{200, 206, 216, 255};
const Rgba kRed{220, 64, 56, 255};
const Rgba kGold{255, 208, 70, 255};
const Rgba kGreen{80, 180, 90, 255};
const Rgba kBlue{80, 160, 240, 255};

std::vector<Vec2> Points(std::initializer_list<Vec2> v) { return std::vector<Vec2>(v); }

// A star of `points` tips.
std::vector<Vec2> StarPoints(double cx, double cy, double r, double inner, int points) {
    std::vector<Vec2> v;
    for (int i = 0; i < points * 2; ++i) {
        const double a = -kPi / 2 + i * kPi / points, rr = i % 2 ? r * inner : r;
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    return v;
}

// Rank chevrons under a unit: one, two or three.
void Chevrons(Painter& p, int count, const Paint& paint) {
    for (int i = 0; i < count; ++i) {
        const double y = 18 + i * 8;
        p.Polygon(Points({{-16, y}, {0, y - 7}, {16, y}, {16, y + 5}, {0, y - 2}, {-16, y + 5}}), paint);
    }
}

void Tank(Painter& p, const Paint& body, const Paint& dark) {
    p.Capsule(-24, 8, 24, 8, 6, dark);
    p.Box(-22, -6, 44, 12, 3, body);
    p.Box(-10, -16, 20, 11, 4, body);
    p.Capsule(8, -12, 30, -18, 2.5, dark);
}

void Plane(Painter& p, const Paint& body) {
    p.Polygon(Points({{0, -30},
                      {4, -20},
                      {4, -8},
                      {28, 2},
                      {28, 8},
                      {4, 2},
                      {3, 10},
                      {12, 16},
                      {12, 20},
                      {0, 17},
                      {-12, 20},
                      {-12, 16},
                      {-3, 10},
                      {-4, 2},
                      {-28, 8},
                      {-28, 2},
                      {-4, -8},
                      {-4, -20}}),
              body);
}

void Ship(Painter& p, const Paint& body, const Paint& dark) {
    p.Polygon(Points({{-30, -2}, {30, -2}, {22, 12}, {-24, 12}}), body);
    p.Box(-12, -12, 20, 10, 2, body);
    p.Capsule(-2, -28, -2, -12, 2, dark);
    p.Capsule(4, -8, 26, -14, 2, dark);
}

void Shield(Painter& p, const Paint& body) {
    p.Polygon(Points({{-24, -28}, {24, -28}, {24, -4}, {0, 30}, {-24, -4}}), body);
}

void Trophy(Painter& p, const Paint& body) {
    p.Ring(-20, -12, 9, 4, body);
    p.Ring(20, -12, 9, 4, body);
    p.Polygon(Points({{-20, -28}, {20, -28}, {16, -4}, {4, 6}, {-4, 6}, {-16, -4}}), body);
    p.Box(-4, 4, 8, 12, 1, body);
    p.Box(-14, 16, 28, 8, 2, body);
}

void Bolt(Painter& p, const Paint& paint) {
    p.Polygon(Points({{6, -32}, {-18, 4}, {-2, 4}, {-8, 32}, {18, -6}, {2, -6}}), paint);
}

void Clock(Painter& p, const Paint& face, const Paint& hands) {
    p.Circle(0, 0, 26, face);
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        p.Circle(std::cos(a) * 20, std::sin(a) * 20, 1.8, hands);
    }
    p.Capsule(0, 0, 0, -17, 2.5, hands);
    p.Capsule(0, 0, 11, 5, 2.5, hands);
}

void RobotHead(Painter& p, double x, double y, double s, const Paint& body, const Paint& eye) {
    p.Capsule(x, y - s * 0.9, x, y - s * 0.6, s * 0.08, body);
    p.Box(x - s * 0.5, y - s * 0.6, s, s * 0.9, s * 0.2, body);
    p.Circle(x - s * 0.2, y - s * 0.15, s * 0.12, eye);
    p.Circle(x + s * 0.2, y - s * 0.15, s * 0.12, eye);
}

}  // namespace

void DrawAchievementEmblem(Painter& p, int n, double cx, double cy, double r) {
    p.Push();
    p.Translate(cx, cy);
    p.ScaleBy(r / 38.0, r / 38.0);
    const Paint ink = Inked(kInk, 1.5, 0.3), steel = Inked(kSteel, 1.5, 0.5), red = Inked(kRed, 1.5, 0.5);
    const Paint gold = Inked(kGold, 1.5, 0.5), green = Inked(kGreen, 1.5, 0.5), blue = Inked(kBlue, 1.5, 0.5);
    const Paint light = Solid(Rgba{255, 255, 255, 235});
    switch (n) {
    case 1: Bolt(p, blue); break;  // the energy booster
    case 2:                        // the life booster
        p.Polygon(Points({{0, 28},
                          {-28, 0},
                          {-30, -13},
                          {-22, -24},
                          {-10, -25},
                          {0, -15},
                          {10, -25},
                          {22, -24},
                          {30, -13},
                          {28, 0}}),
                  red);
        break;
    case 3:  // the luck booster: a four-leaf clover
        p.Capsule(2, 8, 10, 30, 2.5, green);
        for (int i = 0; i < 4; ++i) {
            const double a = i * kPi / 2 + kPi / 4;
            p.Circle(std::cos(a) * 12, std::sin(a) * 12 - 2, 12, green);
        }
        p.Circle(0, -2, 4, Solid(Shade(kGreen, 0.6f)));
        break;
    case 4: Gear(p, 0, 0, 28, 8, kSteel, 1.5); break;  // metal parts
    case 5:                                            // the Robopedia's Tinkerlings
        OpenBook(p, 0, 10, 28, 4, 10, 18, 22, Inked(Rgba{240, 232, 210, 255}, 1.5, 0.2));
        RobotHead(p, 0, -4, 24, blue, Solid(kGold));
        break;
    case 6:  // and its Machines: a lens over one
        RobotHead(p, -6, 4, 26, red, Solid(Rgba{255, 240, 120, 255}));
        p.Ring(6, -6, 15, 4, ink);
        p.Capsule(16, 5, 28, 18, 4, ink);
        break;
    case 7:
    case 8:
    case 9: Trophy(p, Inked(n == 7 ? Rgba{205, 127, 70, 255} : n == 8 ? kSteel : kGold, 1.5, 0.6)); break;
    case 10:
    case 11:
    case 12:
        p.Translate(0, -8);
        Tank(p, Inked(Rgba{110, 130, 80, 255}, 1.5, 0.5), ink);
        Chevrons(p, n - 9, red);
        break;
    case 13:
    case 14:
    case 15:
        p.Translate(0, -8);
        Plane(p, Inked(Rgba{150, 170, 200, 255}, 1.5, 0.5));
        Chevrons(p, n - 12, red);
        break;
    case 16:
    case 17:
    case 18:
        p.Translate(0, -8);
        Ship(p, Inked(Rgba{70, 100, 150, 255}, 1.5, 0.5), ink);
        Chevrons(p, n - 15, red);
        break;
    case 19:  // frozen: a snowflake
        for (int i = 0; i < 3; ++i) {
            const double a = i * kPi / 3, c = std::cos(a), s = std::sin(a);
            p.Capsule(-c * 28, -s * 28, c * 28, s * 28, 3, Inked(Rgba{60, 150, 230, 255}, 1.2, 0.3));
            for (double end : {-1.0, 1.0}) {
                const double bx = end * c * 17, by = end * s * 17;
                p.Capsule(bx, by, bx + end * (c * 8 - s * 8), by + end * (s * 8 + c * 8), 2,
                          Solid(Rgba{60, 150, 230, 255}));
                p.Capsule(bx, by, bx + end * (c * 8 + s * 8), by + end * (s * 8 - c * 8), 2,
                          Solid(Rgba{60, 150, 230, 255}));
            }
        }
        break;
    case 20:  // burnt: a flame
        p.Polygon(Points({{0, -32}, {14, -10}, {20, 10}, {12, 26}, {-12, 26}, {-20, 10}, {-12, -6}, {-6, 4}}),
                  Inked(Rgba{240, 110, 40, 255}, 1.5, 0.4));
        p.Polygon(Points({{2, -8}, {10, 8}, {8, 22}, {-8, 22}, {-10, 10}}), Solid(Rgba{255, 220, 90, 255}));
        break;
    case 21:
    case 22:
    case 23:  // the defence line held: a shield, ranked
        Shield(p, Inked(Rgba{70, 110, 170, 255}, 1.5, 0.5));
        p.Translate(0, -24);
        Chevrons(p, n - 20, gold);
        break;
    case 24:  // the Hammer Bot's moles
        p.Capsule(-20, 24, 8, -4, 3.5, Inked(Rgba{150, 100, 60, 255}, 1.5, 0.3));
        p.Push();
        p.Translate(10, -8);
        p.Rotate(-kPi / 4);
        p.Box(-16, -9, 32, 18, 3, steel);
        p.Pop();
        break;
    case 25:  // a boomerang
        p.Polygon(Points({{-26, 18}, {-4, -26}, {6, -20}, {-10, 10}, {26, 14}, {24, 26}}),
                  Inked(Rgba{200, 140, 70, 255}, 1.5, 0.5));
        break;
    case 26:  // a missile climbing
        p.Push();
        p.Rotate(-kPi / 4);
        p.Capsule(-22, 0, 18, 0, 7, steel);
        p.Polygon(Points({{18, -7}, {30, 0}, {18, 7}}), red);
        p.Polygon(Points({{-22, -6}, {-30, -15}, {-14, -6}}), red);
        p.Polygon(Points({{-22, 6}, {-30, 15}, {-14, 6}}), red);
        p.Pop();
        p.Glow(-20, 20, 10, Rgba{255, 200, 90, 200});
        break;
    case 27:  // a shot at an aircraft: the sights
        p.Ring(0, 0, 22, 3.5, red);
        for (int i = 0; i < 4; ++i) {
            const double a = i * kPi / 2;
            p.Capsule(std::cos(a) * 12, std::sin(a) * 12, std::cos(a) * 30, std::sin(a) * 30, 2, red);
        }
        p.Circle(0, 0, 3, Solid(kRed));
        break;
    case 28:  // a warrior's blade
        p.Polygon(Points({{-3, 10}, {-3, -26}, {0, -32}, {3, -26}, {3, 10}}), steel);
        p.Box(-12, 10, 24, 5, 2, gold);
        p.Capsule(0, 15, 0, 28, 3, Inked(Rgba{110, 70, 40, 255}, 1.2, 0.3));
        break;
    case 29:  // repairs: a wrench
        p.Capsule(-18, 20, 8, -6, 5, steel);
        p.Ring(12, -12, 11, 6, steel);
        p.Box(15, -30, 8, 14, 1, Solid(Rgba{120, 124, 136, 255}));
        break;
    case 30:  // an army of Tinkerlings
        RobotHead(p, -16, 6, 20, blue, Solid(kGold));
        RobotHead(p, 16, 6, 20, blue, Solid(kGold));
        RobotHead(p, 0, 20, 24, green, Solid(kGold));
        break;
    case 31:  // the Mini-Bomber
        p.Circle(-4, 6, 20, ink);
        p.Capsule(8, -10, 16, -22, 2.5, Inked(Rgba{150, 110, 60, 255}, 1.2, 0.3));
        p.Polygon(StarPoints(18, -25, 9, 0.4, 8), Solid(Rgba{255, 220, 90, 255}));
        break;
    case 32:  // one attack: a single shell and a one
        p.Box(-24, -8, 14, 34, 2, Inked(Rgba{200, 150, 60, 255}, 1.5, 0.5));
        p.Polygon(Points({{-24, -8}, {-10, -8}, {-17, -28}}), steel);
        p.Polygon(Points({{8, -28},
                          {18, -28},
                          {18, 18},
                          {26, 18},
                          {26, 26},
                          {0, 26},
                          {0, 18},
                          {8, 18},
                          {8, -16},
                          {0, -12},
                          {0, -20}}),
                  red);
        break;
    case 33:  // no energy robots: the bolt struck out
        Bolt(p, blue);
        p.Ring(0, 0, 27, 4, red);
        p.Capsule(-19, -19, 19, 19, 3.5, red);
        break;
    case 34: {  // scavenging: a magnet
        std::vector<Vec2> u;
        for (int i = 0; i <= 12; ++i) {
            const double a = kPi * i / 12;
            u.push_back({std::cos(a) * 22, 2 + std::sin(a) * 22});
        }
        for (int i = 12; i >= 0; --i) {
            const double a = kPi * i / 12;
            u.push_back({std::cos(a) * 10, 2 + std::sin(a) * 10});
        }
        p.Polygon(Points({{-22, -24}, {-10, -24}, {-10, 2}, {-22, 2}}), red);
        p.Polygon(Points({{10, -24}, {22, -24}, {22, 2}, {10, 2}}), red);
        p.Polygon(u, red);
        p.Box(-22, -26, 12, 8, 1, steel);
        p.Box(10, -26, 12, 8, 1, steel);
        break;
    }
    case 35: {  // special units only: keep out
        std::vector<Vec2> oct;
        for (int i = 0; i < 8; ++i) {
            const double a = kPi / 8 + i * kPi / 4;
            oct.push_back({std::cos(a) * 28, std::sin(a) * 28});
        }
        p.Polygon(oct, red);
        p.Box(-17, -5, 34, 10, 2, light);
        break;
    }
    case 36: p.Polygon(StarPoints(0, 0, 30, 0.45, 10), Inked(Rgba{250, 130, 50, 255}, 1.5, 0.4)); break;  // berserk
    case 37:  // every cell taken
        for (int i = 0; i < 9; ++i) p.Box(-26 + (i % 3) * 18, -26 + (i / 3) * 18, 16, 16, 3, i == 4 ? gold : blue);
        break;
    case 38: Clock(p, Inked(Rgba{240, 236, 220, 255}, 1.5, 0.2), Solid(kInk)); break;  // hours on the field
    case 39:                                                                           // every star
        p.Polygon(StarPoints(-16, 8, 14, 0.45, 5), gold);
        p.Polygon(StarPoints(16, 8, 14, 0.45, 5), gold);
        p.Polygon(StarPoints(0, -12, 17, 0.45, 5), gold);
        break;
    case 40:  // every Tinkerling upgraded: a robot with a rising arrow
        RobotHead(p, -8, 18, 28, blue, Solid(kGold));
        p.Polygon(Points({{16, -30}, {30, -12}, {21, -12}, {21, 10}, {11, 10}, {11, -12}, {2, -12}}),
                  Inked(Rgba{110, 220, 120, 255}, 1.5, 0.4));
        break;
    case 0:  // not yet earned: a padlock
        p.Ring(0, -8, 13, 5, steel);
        p.Box(-18, -6, 36, 28, 4, Inked(Rgba{150, 150, 156, 255}, 1.5, 0.5));
        p.Circle(0, 6, 4, Solid(kInk));
        break;
    default: p.Polygon(StarPoints(0, 0, 26, 0.45, 5), Inked(Rgba{255, 250, 220, 255}, 1.2, 0.3)); break;
    }
    p.Pop();
}
