// The menu page's own pictures: the frame around every menu screen, the
// laboratory's twenty item pictures, the sold-out stamp and the profile
// screen's icons. Same steel, brass and teal as the rest of the interface.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"

namespace {

// Outlines grow with the picture.
double LineWidth(double s) { return std::max(1.5, s / 40); }
Paint Ink(Rgba fill, double s) { return Inked(fill, LineWidth(s), 0.8); }

void Star(Painter& p, double cx, double cy, double r, Rgba c, double s) {
    std::vector<Vec2> v;
    for (int i = 0; i < 10; ++i) {
        double a = -kPi / 2 + i * kPi / 5;
        double rr = i % 2 ? r * 0.45 : r;
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(v, Ink(c, s));
}

void Heart(Painter& p, double cx, double cy, double r, Rgba c, double s) {
    p.Push();
    p.Translate(cx, cy);
    p.ScaleBy(r / 24, r / 24);
    p.Polygon({{0, 22}, {-22, 0}, {-24, -10}, {-18, -19}, {-8, -20}, {0, -12}, {8, -20}, {18, -19}, {24, -10}, {22, 0}},
              Ink(c, s * 24 / r));
    p.Ellipse(-10, -10, 5, 3.5, Solid(Rgba{255, 255, 255, 120}));
    p.Pop();
}

void Bolt(Painter& p, double cx, double cy, double r, Rgba c, double s) {
    p.Polygon({{cx + r * 0.2, cy - r},
               {cx - r * 0.55, cy + r * 0.15},
               {cx - r * 0.02, cy + r * 0.15},
               {cx - r * 0.2, cy + r},
               {cx + r * 0.55, cy - r * 0.2},
               {cx + r * 0.02, cy - r * 0.2}},
              Ink(c, s));
}

void UpArrow(Painter& p, double cx, double cy, double r, double s) {
    Rgba green{110, 220, 120, 255};
    p.Polygon({{cx, cy - r},
               {cx + r * 0.8, cy},
               {cx + r * 0.32, cy},
               {cx + r * 0.32, cy + r},
               {cx - r * 0.32, cy + r},
               {cx - r * 0.32, cy},
               {cx - r * 0.8, cy}},
              Ink(green, s));
}

void Clover(Painter& p, double cx, double cy, double r, double s) {
    Rgba leaf{90, 190, 90, 255};
    p.Capsule(cx, cy, cx + r * 0.35, cy + r * 1.1, r * 0.08, Ink(Shade(leaf, 0.7f), s));
    for (int i = 0; i < 4; ++i) {
        double a = kPi / 4 + i * kPi / 2;
        double lx = cx + std::cos(a) * r * 0.45, ly = cy + std::sin(a) * r * 0.45;
        p.Circle(lx + std::cos(a + kPi / 2) * r * 0.14, ly + std::sin(a + kPi / 2) * r * 0.14, r * 0.3, Ink(leaf, s));
        p.Circle(lx - std::cos(a + kPi / 2) * r * 0.14, ly - std::sin(a + kPi / 2) * r * 0.14, r * 0.3, Ink(leaf, s));
    }
    p.Circle(cx, cy, r * 0.12, Solid(Shade(leaf, 0.6f)));
}

void Hammer(Painter& p, double cx, double cy, double r, double s) {
    p.Push();
    p.Translate(cx, cy);
    p.Rotate(-0.6);
    p.Box(-r * 0.09, -r * 0.3, r * 0.18, r * 1.25, r * 0.05, Ink(Rgba{170, 110, 60, 255}, s));
    p.Box(-r * 0.6, -r * 0.75, r * 1.2, r * 0.5, r * 0.08, Ink(Rgba{180, 188, 200, 255}, s));
    p.Pop();
}

void Recycle(Painter& p, double cx, double cy, double r, double s) {
    Rgba green{90, 200, 120, 255};
    for (int i = 0; i < 3; ++i) {
        double a0 = -kPi / 2 + i * 2 * kPi / 3 + 0.35, a1 = a0 + 2 * kPi / 3 - 0.7;
        int steps = 8;
        for (int k = 0; k < steps; ++k) {
            double t0 = a0 + (a1 - a0) * k / steps, t1 = a0 + (a1 - a0) * (k + 1) / steps;
            p.Capsule(cx + std::cos(t0) * r * 0.7, cy + std::sin(t0) * r * 0.7, cx + std::cos(t1) * r * 0.7,
                      cy + std::sin(t1) * r * 0.7, r * 0.12, Solid(green));
        }
        double tx = cx + std::cos(a1) * r * 0.7, ty = cy + std::sin(a1) * r * 0.7;
        double dx = -std::sin(a1), dy = std::cos(a1);  // along the arc
        double nx = std::cos(a1), ny = std::sin(a1);   // away from the middle
        p.Polygon({{tx + dx * r * 0.35, ty + dy * r * 0.35},
                   {tx + nx * r * 0.28, ty + ny * r * 0.28},
                   {tx - nx * r * 0.28, ty - ny * r * 0.28}},
                  Ink(green, s));
    }
}

void Magnet(Painter& p, double cx, double cy, double r, double s) {
    Rgba red{220, 60, 60, 255}, steel{200, 206, 216, 255};
    p.Ring(cx, cy - r * 0.1, r * 0.55, r * 0.34, Ink(red, s));
    p.Box(cx - r * 0.89, cy - r * 0.12, r * 0.68, r * 0.6, 0, Ink(red, s));
    p.Box(cx + r * 0.21, cy - r * 0.12, r * 0.68, r * 0.6, 0, Ink(red, s));
    p.Box(cx - r * 0.89, cy + r * 0.48, r * 0.68, r * 0.32, 0, Ink(steel, s));
    p.Box(cx + r * 0.21, cy + r * 0.48, r * 0.68, r * 0.32, 0, Ink(steel, s));
}

void Factory(Painter& p, double cx, double cy, double r, Rgba roof, double s) {
    p.Box(cx + r * 0.35, cy - r * 0.9, r * 0.3, r * 0.9, 0, Ink(Rgba{150, 150, 160, 255}, s));
    p.Polygon({{cx - r * 0.9, cy + r * 0.8},
               {cx - r * 0.9, cy - r * 0.1},
               {cx - r * 0.45, cy - r * 0.4},
               {cx - r * 0.45, cy - r * 0.1},
               {cx, cy - r * 0.4},
               {cx, cy - r * 0.1},
               {cx + r * 0.9, cy - r * 0.1},
               {cx + r * 0.9, cy + r * 0.8}},
              Ink(roof, s));
    for (int i = 0; i < 3; ++i)
        p.Box(cx - r * 0.7 + i * r * 0.5, cy + r * 0.15, r * 0.3, r * 0.3, 0, Solid(Rgba{255, 220, 120, 255}));
    p.Glow(cx + r * 0.5, cy - r * 1.05, r * 0.35, Rgba{220, 220, 230, 160});
}

void Orb(Painter& p, double cx, double cy, double r, Rgba c, double s) {
    p.Glow(cx, cy, r * 1.8, WithAlpha(c, 150), 1.6);
    p.Circle(cx, cy, r, Ink(c, s));
    Bolt(p, cx, cy, r * 0.7, Rgba{255, 250, 200, 255}, s * 0.5);
    p.Ellipse(cx - r * 0.4, cy - r * 0.45, r * 0.25, r * 0.15, Solid(Rgba{255, 255, 255, 150}));
}

void Gun(Painter& p, double cx, double cy, double r, double s) {
    Rgba steel{150, 158, 172, 255};
    p.Push();
    p.Translate(cx, cy);
    p.Rotate(-0.25);
    for (int i = -1; i <= 1; ++i) p.Capsule(-r * 0.2, i * r * 0.26, r * 1.05, i * r * 0.26, r * 0.12, Ink(steel, s));
    p.Box(-r * 1.0, -r * 0.5, r * 0.9, r * 1.0, r * 0.2, Ink(Rgba{90, 96, 110, 255}, s));
    p.Box(-r * 0.8, r * 0.4, r * 0.35, r * 0.6, r * 0.1, Ink(Rgba{90, 96, 110, 255}, s));
    p.Circle(-r * 0.55, 0, r * 0.2, Solid(ui::kBrass));
    p.Pop();
}

void Bomb(Painter& p, double cx, double cy, double r, double s) {
    p.Circle(cx, cy + r * 0.15, r * 0.75, Ink(Rgba{60, 64, 76, 255}, s));
    p.Capsule(cx + r * 0.4, cy - r * 0.45, cx + r * 0.7, cy - r * 0.85, r * 0.09, Ink(Rgba{150, 110, 60, 255}, s));
    p.Glow(cx + r * 0.75, cy - r * 0.95, r * 0.35, Rgba{255, 220, 100, 230});
    p.Ellipse(cx - r * 0.3, cy - r * 0.15, r * 0.2, r * 0.12, Solid(Rgba{255, 255, 255, 90}));
}

void Snowflake(Painter& p, double cx, double cy, double r, double s) {
    Rgba ice{190, 235, 255, 255};
    for (int i = 0; i < 6; ++i) {
        double a = i * kPi / 3;
        double ex = cx + std::cos(a) * r, ey = cy + std::sin(a) * r;
        p.Capsule(cx, cy, ex, ey, r * 0.07, Ink(ice, s * 0.6));
        double mx = cx + std::cos(a) * r * 0.6, my = cy + std::sin(a) * r * 0.6;
        for (int k : {-1, 1}) {
            double b = a + k * 0.7;
            p.Capsule(mx, my, mx + std::cos(b) * r * 0.3, my + std::sin(b) * r * 0.3, r * 0.05, Solid(ice));
        }
    }
}

void Atom(Painter& p, double cx, double cy, double r, double s) {
    Rgba orbit{120, 220, 255, 255};
    for (int i = 0; i < 3; ++i) {
        p.Push();
        p.Translate(cx, cy);
        p.Rotate(i * kPi / 3);
        p.ScaleBy(1.0, 0.38);
        p.Ring(0, 0, r, r * 0.14, Solid(orbit));
        p.Pop();
    }
    p.Circle(cx, cy, r * 0.22, Ink(Rgba{250, 120, 80, 255}, s));
}

void Mine(Painter& p, double cx, double cy, double r, double s) {
    for (int i = 0; i < 8; ++i) {
        double a = i * kPi / 4;
        p.Capsule(cx, cy, cx + std::cos(a) * r * 0.9, cy + std::sin(a) * r * 0.9, r * 0.08,
                  Ink(Rgba{120, 126, 136, 255}, s * 0.6));
    }
    p.Circle(cx, cy, r * 0.6, Ink(Rgba{80, 86, 96, 255}, s));
    p.Circle(cx, cy - r * 0.1, r * 0.16, Solid(Rgba{255, 80, 70, 255}));
}

void Storm(Painter& p, double cx, double cy, double r, double s) {
    Rgba cloud{200, 210, 225, 255};
    p.Circle(cx - r * 0.45, cy - r * 0.2, r * 0.4, Ink(cloud, s));
    p.Circle(cx + r * 0.4, cy - r * 0.15, r * 0.45, Ink(cloud, s));
    p.Circle(cx, cy - r * 0.45, r * 0.5, Ink(cloud, s));
    p.Box(cx - r * 0.75, cy - r * 0.2, r * 1.5, r * 0.4, r * 0.2, Solid(cloud));
    Bolt(p, cx, cy + r * 0.55, r * 0.5, Rgba{255, 220, 80, 255}, s);
}

void Plane(Painter& p, double cx, double cy, double r, double s) {
    Rgba body{110, 150, 90, 255};
    p.Polygon({{cx - r * 0.9, cy - r * 0.15}, {cx - r * 1.05, cy - r * 0.6}, {cx - r * 0.7, cy - r * 0.1}},
              Ink(Shade(body, 0.8f), s));
    p.Capsule(cx - r * 0.9, cy - r * 0.1, cx + r * 0.8, cy - r * 0.1, r * 0.22, Ink(body, s));
    p.Polygon({{cx - r * 0.2, cy - r * 0.05}, {cx + r * 0.3, cy - r * 0.05}, {cx - r * 0.1, cy + r * 0.35}},
              Ink(Shade(body, 0.7f), s));
    p.Circle(cx + r * 0.5, cy - r * 0.16, r * 0.12, Solid(Rgba{170, 220, 255, 255}));
    Bomb(p, cx + r * 0.15, cy + r * 0.75, r * 0.32, s * 0.6);
}

// A robot card seen at an angle, the card's subject on it; gold for the
// survival kits.
template <typename F>
void CardWith(Painter& p, double cx, double cy, double s, bool gold, F subject) {
    p.Push();
    p.Translate(cx, cy);
    p.Rotate(-0.12);
    const double cw = s * 0.52, ch = s * 0.66;
    Rgba face = gold ? Rgba{235, 190, 70, 255} : Rgba{70, 120, 160, 255};
    p.Box(-cw / 2 + s * 0.03, -ch / 2 + s * 0.03, cw, ch, s * 0.05, Solid(Rgba{0, 0, 0, 70}));
    p.Box(-cw / 2, -ch / 2, cw, ch, s * 0.05, Ink(face, s));
    p.Box(-cw / 2 + s * 0.035, -ch / 2 + s * 0.035, cw - s * 0.07, ch * 0.68, s * 0.03,
          Solid(gold ? Rgba{255, 240, 190, 255} : Rgba{200, 226, 240, 255}));
    p.Box(-cw / 2 + s * 0.035, ch / 2 - ch * 0.22, cw - s * 0.07, ch * 0.16, s * 0.02, Solid(Shade(face, 0.6f)));
    subject(0.0, -ch * 0.16, s * 0.2);
    p.Pop();
}

}  // namespace

void DrawLabItem(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height(), s = std::min(w, h);
    const double cx = w / 2, cy = h / 2, r = s * 0.3;
    const int item = std::max(1, job.Number()) - 1;  // file 01 is item 0
    // Each item on a round brass-rimmed badge of its own tint.
    static const Rgba kTints[20] = {{60, 110, 150, 255}, {150, 60, 70, 255},  {50, 120, 160, 255}, {60, 130, 70, 255},
                                    {120, 80, 160, 255}, {150, 110, 50, 255}, {90, 90, 110, 255},  {60, 120, 90, 255},
                                    {140, 60, 60, 255},  {110, 90, 60, 255},  {70, 100, 170, 255}, {150, 90, 120, 255},
                                    {90, 100, 110, 255}, {120, 70, 50, 255},  {60, 140, 170, 255}, {80, 60, 110, 255},
                                    {80, 60, 110, 255},  {80, 60, 110, 255},  {80, 60, 110, 255},  {80, 60, 110, 255}};
    const Rgba tint = kTints[item % 20];
    p.Circle(cx, cy, s * 0.47, Solid(ui::kFrameDark));
    p.Circle(cx, cy, s * 0.45, Solid(ui::kBrass, 0.7));
    p.Circle(cx, cy, s * 0.40, Solid(tint, 0.6));
    p.Glow(cx, cy - s * 0.12, s * 0.32, Rgba{255, 255, 255, 45});
    auto card = [&](bool gold, auto subject) { CardWith(p, cx, cy, s, gold, subject); };
    switch (item) {
    case 0:  // more card slots: a fan of cards and a plus
        for (int i = -1; i <= 1; ++i) {
            p.Push();
            p.Translate(cx + i * s * 0.1, cy + s * 0.04);
            p.Rotate(i * 0.3);
            p.Box(-s * 0.12, -s * 0.18, s * 0.24, s * 0.34, s * 0.03, Ink(Rgba{200, 226, 240, 255}, s));
            p.Pop();
        }
        p.Circle(cx + s * 0.2, cy - s * 0.2, s * 0.1, Ink(Rgba{110, 220, 120, 255}, s));
        p.Box(cx + s * 0.15, cy - s * 0.215, s * 0.1, s * 0.03, 1, Solid(ui::kText));
        p.Box(cx + s * 0.185, cy - s * 0.25, s * 0.03, s * 0.1, 1, Solid(ui::kText));
        break;
    case 1:
        Heart(p, cx - s * 0.04, cy + s * 0.03, r * 0.95, Rgba{230, 50, 70, 255}, s);
        UpArrow(p, cx + s * 0.22, cy - s * 0.17, s * 0.1, s);
        break;
    case 2:
        Orb(p, cx - s * 0.04, cy + s * 0.03, r * 0.75, Rgba{60, 170, 240, 255}, s);
        UpArrow(p, cx + s * 0.22, cy - s * 0.17, s * 0.1, s);
        break;
    case 3:
        Clover(p, cx - s * 0.02, cy - s * 0.02, r * 0.95, s);
        UpArrow(p, cx + s * 0.22, cy - s * 0.17, s * 0.1, s);
        break;
    case 4:  // two orbs fused into a brighter one
        Orb(p, cx - s * 0.14, cy + s * 0.1, r * 0.4, Rgba{90, 230, 170, 255}, s);
        Orb(p, cx + s * 0.14, cy + s * 0.1, r * 0.4, Rgba{90, 230, 170, 255}, s);
        Orb(p, cx, cy - s * 0.12, r * 0.55, Rgba{250, 210, 80, 255}, s);
        break;
    case 5:  // a gear turning out metal parts
        Gear(p, cx - s * 0.06, cy - s * 0.02, r * 0.8, 9, Rgba{176, 184, 196, 255}, LineWidth(s));
        Gear(p, cx + s * 0.19, cy + s * 0.17, r * 0.42, 7, Rgba{214, 170, 90, 255}, LineWidth(s));
        UpArrow(p, cx + s * 0.22, cy - s * 0.19, s * 0.09, s);
        break;
    case 6: card(false, [&](double x, double y, double q) { Hammer(p, x, y, q, s); }); break;
    case 7: card(false, [&](double x, double y, double q) { Recycle(p, x, y, q, s); }); break;
    case 8: card(false, [&](double x, double y, double q) { Magnet(p, x, y, q * 0.9, s); }); break;
    case 9: card(false, [&](double x, double y, double q) { Factory(p, x, y, q, Rgba{170, 120, 70, 255}, s); }); break;
    case 10:
        card(false, [&](double x, double y, double q) { Orb(p, x, y, q * 0.7, Rgba{250, 120, 220, 255}, s); });
        break;
    case 11:
        card(false, [&](double x, double y, double q) {
            Factory(p, x, y, q, Rgba{190, 90, 130, 255}, s);
            Gear(p, x - q * 0.5, y - q * 0.65, q * 0.35, 7, Rgba{214, 170, 90, 255}, LineWidth(s));
        });
        break;
    case 12: card(false, [&](double x, double y, double q) { Gun(p, x, y, q, s); }); break;
    case 13: card(false, [&](double x, double y, double q) { Bomb(p, x, y, q, s); }); break;
    case 14:
        Snowflake(p, cx - s * 0.05, cy + s * 0.02, r, s);
        Orb(p, cx + s * 0.17, cy - s * 0.17, r * 0.3, Rgba{60, 170, 240, 255}, s);
        break;
    case 15: card(true, [&](double x, double y, double q) { Mine(p, x, y, q, s); }); break;
    case 16: card(true, [&](double x, double y, double q) { Plane(p, x, y, q, s); }); break;
    case 17: card(true, [&](double x, double y, double q) { Storm(p, x, y, q, s); }); break;
    case 18: card(true, [&](double x, double y, double q) { Hammer(p, x, y, q, s); }); break;
    default: card(true, [&](double x, double y, double q) { Atom(p, x, y, q, s); }); break;
    }
}

void DrawSoldOutStamp(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    const Rgba red{205, 40, 45, 255};
    // A tilted rubber stamp: a double red border and the words across it.
    p.Box(w * 0.04, h * 0.12, w * 0.92, h * 0.76, h * 0.12, Paint{Rgba{255, 245, 235, 170}, red, h * 0.07, 0});
    p.Box(w * 0.1, h * 0.24, w * 0.8, h * 0.52, h * 0.08, Paint{Rgba{0, 0, 0, 0}, red, h * 0.03, 0});
    OutlinedText(c, job.text, "SOLD OUT", static_cast<int>(w * 0.12), static_cast<int>(h * 0.24),
                 static_cast<int>(w * 0.76), static_cast<int>(h * 0.52), red, Rgba{255, 245, 235, 255},
                 static_cast<int>(h * 0.4), 1);
}

void DrawMenuIcon(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height(), s = std::min(w, h);
    const double cx = w / 2, cy = h / 2;
    const Rgba tint = FromHex(job.item.colour);
    if (job.Has("usericon")) {  // a Tinkerling's head on a round badge
        p.Circle(cx, cy, s * 0.47, Solid(ui::kFrameDark));
        p.Circle(cx, cy, s * 0.44, Solid(Shade(tint, 0.55f), 0.5));
        p.Capsule(cx, cy - s * 0.22, cx, cy - s * 0.36, s * 0.025, Solid(ui::kFrameDark));
        p.Circle(cx, cy - s * 0.37, s * 0.05, Ink(Rgba{240, 80, 70, 255}, s));
        p.Box(cx - s * 0.26, cy - s * 0.24, s * 0.52, s * 0.42, s * 0.12, Ink(tint, s));
        p.Box(cx - s * 0.19, cy - s * 0.15, s * 0.38, s * 0.2, s * 0.08, Solid(ui::kInset));
        p.Circle(cx - s * 0.09, cy - s * 0.05, s * 0.045, Solid(Rgba{120, 230, 255, 255}));
        p.Circle(cx + s * 0.09, cy - s * 0.05, s * 0.045, Solid(Rgba{120, 230, 255, 255}));
        p.Box(cx - s * 0.08, cy + s * 0.1, s * 0.16, s * 0.03, 1, Solid(Shade(tint, 0.5f)));
        p.Box(cx - s * 0.2, cy + s * 0.2, s * 0.4, s * 0.16, s * 0.05, Ink(Shade(tint, 0.8f), s));
        return;
    }
    if (job.Has("saveicon1")) {  // stars earned
        p.Glow(cx, cy, s * 0.5, Rgba{255, 230, 120, 110});
        Star(p, cx, cy * 1.04, s * 0.42, Rgba{255, 200, 50, 255}, s);
        return;
    }
    if (job.Has("saveicon2")) {  // achievements: a cup
        const Rgba gold{240, 180, 60, 255};
        p.Ring(cx - s * 0.26, cy - s * 0.12, s * 0.12, s * 0.05, Ink(gold, s));
        p.Ring(cx + s * 0.26, cy - s * 0.12, s * 0.12, s * 0.05, Ink(gold, s));
        p.Polygon({{cx - s * 0.3, cy - s * 0.36},
                   {cx + s * 0.3, cy - s * 0.36},
                   {cx + s * 0.2, cy + s * 0.06},
                   {cx - s * 0.2, cy + s * 0.06}},
                  Ink(gold, s));
        p.Box(cx - s * 0.05, cy + s * 0.04, s * 0.1, s * 0.18, 0, Ink(gold, s));
        p.Box(cx - s * 0.22, cy + s * 0.22, s * 0.44, s * 0.14, s * 0.03, Ink(Rgba{150, 100, 50, 255}, s));
        return;
    }
    if (job.Has("saveicon3")) {  // play time: a clock
        p.Circle(cx, cy, s * 0.42, Ink(Rgba{240, 240, 230, 255}, s));
        p.Ring(cx, cy, s * 0.38, s * 0.05, Solid(Rgba{90, 170, 100, 255}));
        for (int i = 0; i < 12; ++i) {
            double a = i * kPi / 6;
            p.Circle(cx + std::cos(a) * s * 0.28, cy + std::sin(a) * s * 0.28, s * 0.02, Solid(ui::kFrameDark));
        }
        p.Capsule(cx, cy, cx, cy - s * 0.24, s * 0.03, Solid(ui::kFrameDark));
        p.Capsule(cx, cy, cx + s * 0.16, cy + s * 0.05, s * 0.035, Solid(ui::kFrameDark));
        return;
    }
    // Metal parts: a steel cog.
    Gear(p, cx, cy, s * 0.42, 8, Rgba{186, 192, 204, 255}, LineWidth(s));
}

void DrawMenuFrame(Canvas& c, const ArtJob&) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    // The buttons stand on the wide left rail; the screens' lists and grids
    // reach almost to the right edge (a hovered Robopedia card to 438), so the
    // right rail is a thin line.
    const double left = 40, top = 34, right = 2, bottom = 22, r = 26;
    p.Box(0, 0, w, h, r, Solid(ui::kFrameDark));
    p.Box(3, 3, w - 6, h - 6, r - 2, Solid(ui::kFrame, 0.9));
    p.Box(left - 12, top - 12, w - left - right + 12 + 2, h - top - bottom + 12 + 8, r * 0.7, Solid(ui::kBrass, 0.6));
    // The opening is see-through, so the screen behind shows.
    for (int y = int(top); y < int(h - bottom); ++y)
        for (int x = int(left); x < int(w - right); ++x) {
            const double dx = std::max({left + r * 0.5 - x, 0.0, x - (w - right - r * 0.5)});
            const double dy = std::max({top + r * 0.5 - y, 0.0, y - (h - bottom - r * 0.5)});
            if (std::hypot(dx, dy) <= r * 0.5) c.Cut(x, y, 1, 1);
        }
    for (double x = left + 40; x < w - 40; x += 80) {
        p.Circle(x, top * 0.45, 2.5, Solid(ui::kFrameLight));
        p.Circle(x, h - bottom * 0.45, 2.0, Solid(ui::kFrameLight));
    }
    for (Vec2 b : {Vec2{18, 18}, Vec2{w - 18, 18}, Vec2{18, h - 18}, Vec2{w - 18, h - 18}}) {
        p.Circle(b.x, b.y, 12, Solid(ui::kBrass, 0.8));
        p.Capsule(b.x - 6, b.y - 6, b.x + 6, b.y + 6, 2, Solid(Shade(ui::kBrass, 0.5f)));
    }
}

// The menu's picture frames lie over their pictures: each leaves a window
// where its picture shows, the rim reaching a little over the picture's edge
// as a frame does. The pictures, in the frame's pixels: the lists' 530 x 354
// pictures at the frame's own scale, and the mini-game cards (128, drawn at
// 0.9 under the frame at 0.985).
struct PictureWindow {
    const char* name;
    double pictureW, pictureH;
    double overlap;  // of the rim over the picture's edge
};

const PictureWindow kPictureWindows[] = {
    {"menupicframe", 530, 354, 4},
    {"minigameframe", 128 * 0.9 / 0.985, 128 * 0.9 / 0.985, 1.5},
};

void DrawPictureFrame(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    PictureWindow window = kPictureWindows[0];
    for (const PictureWindow& pw : kPictureWindows)
        if (job.Has(pw.name)) window = pw;
    const double x0 = (w - window.pictureW) / 2 + window.overlap, x1 = w - x0;
    const double y0 = (h - window.pictureH) / 2 + window.overlap, y1 = h - y0;
    const double rim = std::min(x0, y0);
    // Steel rim with a brass line, a dark lip round the window.
    p.Box(0, 0, w, h, rim * 1.2, Solid(ui::kFrameDark));
    p.Box(rim * 0.12, rim * 0.12, w - rim * 0.24, h - rim * 0.24, rim * 1.1, Solid(ui::kFrame, 0.9));
    p.Box(rim * 0.45, rim * 0.45, w - rim * 0.9, h - rim * 0.9, rim * 0.8, Solid(ui::kBrass, 0.6));
    p.Box(rim * 0.6, rim * 0.6, w - rim * 1.2, h - rim * 1.2, rim * 0.7, Solid(ui::kFrameLight, 0.6));
    p.Box(x0 - rim * 0.25, y0 - rim * 0.25, x1 - x0 + rim * 0.5, y1 - y0 + rim * 0.5, rim * 0.2, Solid(ui::kInset));
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x)
            if (x + 0.5 >= x0 && x + 0.5 <= x1 && y + 0.5 >= y0 && y + 0.5 <= y1) c.Cut(x, y, 1, 1);
    // A brass bolt in each corner of the rim.
    const double r = rim * 0.32;
    for (Vec2 b : {Vec2{rim * 0.55, rim * 0.55}, Vec2{w - rim * 0.55, rim * 0.55}, Vec2{rim * 0.55, h - rim * 0.55},
                   Vec2{w - rim * 0.55, h - rim * 0.55}}) {
        p.Circle(b.x, b.y, r, Solid(ui::kBrass, 0.8));
        p.Capsule(b.x - r * 0.5, b.y - r * 0.5, b.x + r * 0.5, b.y + r * 0.5, r * 0.15, Solid(Shade(ui::kBrass, 0.5f)));
    }
}
