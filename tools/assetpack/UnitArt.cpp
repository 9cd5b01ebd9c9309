#include "tools/assetpack/UnitArt.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "content/UnitIds.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

const Rgba kInk{22, 26, 36, 255};

Paint Fill(Rgba c, double shade = 0.8) {
    Paint p;
    p.fill = c;
    p.outline = kInk;
    p.outlineWidth = 1.6;
    p.shade = shade;
    return p;
}

Paint Flat(Rgba c) {
    Paint p;
    p.fill = c;
    return p;
}

// Everything an animation frame changes.
struct Motion {
    double stride = 0;  // leg swing, -1..1
    double spin = 0;    // wheel / rotor angle
    double bob = 0;     // body lift in units (negative up)
    double lean = 0;    // forward shift of the upper body
    double swing = 0;   // melee arm angle
    double flash = 0;   // muzzle flash 0..1
    double kick = 0;    // barrel pushed back
    double flame = 1;   // jet flame length
    double tilt = 0;    // whole-figure rotation (dying)
    double sink = 0;    // whole-figure drop
    double fade = 1;    // alpha
    double burst = 0;   // dying burst 0..1
    double bury = 0;    // hidden: drawn down into a mound
    double aura = 0;    // glow around the figure
    bool eyeOff = false;
    int act = 1;
};

Motion MotionFor(const UnitLook& look, const UnitPose& pose) {
    Motion m;
    m.act = pose.act;
    double a = 2 * kPi * pose.phase;
    int n = std::max(1, pose.frames);
    switch (pose.act) {
    case 1:
        m.stride = std::sin(a + kPi / 4);
        m.bob = -1.8 * std::fabs(std::cos(a + kPi / 8));
        m.spin = pose.phase * 2 * kPi / 3;  // three spokes: a third of a turn per cycle
        m.flame = 1.0 + 0.3 * std::sin(a + 0.7);
        if (look.move == Move::Still || look.move == Move::Hover || look.move == Move::Swim)
            m.bob = 2.5 * std::sin(a + kPi / 8);
        m.aura = look.tool == Tool::Core ? 0.5 + 0.5 * std::sin(a + kPi / 8) : 0;
        break;
    case 2: {
        static const double kLean[6] = {0, -2, 4, 2.5, 1, 0.3};
        static const double kSwing[6] = {-0.2, -1.1, 0.9, 0.6, 0.25, 0.05};
        static const double kFlash[6] = {0, 0, 1, 0.55, 0.2, 0};
        static const double kKick[6] = {0, 0.5, -5, -3.5, -1.5, -0.5};
        int i = std::min(5, pose.frame * 6 / n);
        m.lean = kLean[i];
        m.swing = kSwing[i];
        m.flash = kFlash[i];
        m.kick = kKick[i];
        m.stride = 0.3 * kSwing[i];
        m.spin = pose.phase * 0.8;
        m.bob = -0.6 * i;
        m.flame = 1.2 + 0.1 * i;
        m.aura = look.tool == Tool::Core ? kFlash[i] : 0;
        break;
    }
    case 3: {
        double k = n > 1 ? double(pose.frame) / (n - 1) : 1.0;
        m.tilt = -0.55 * k * (look.move == Move::Swim ? 0.5 : 1.0);
        m.sink = 10 * k * k;
        m.fade = 1.0 - 0.6 * k;
        m.burst = k;
        m.eyeOff = pose.frame > 0;
        m.stride = -0.6 * k;
        m.flame = 0.3;
        break;
    }
    case 4:
        if (look.id == MachineId::Driller || look.id == MachineId::Mole) {  // the burrowers dig in
            m.bury = 18 + 8 * pose.frame;
            m.bob = 0;
            m.stride = 0.2;
            m.eyeOff = pose.frame % 2 == 1;
        } else {  // the others' alternate pose: braced, glowing
            m.lean = -2;
            m.swing = -1.1;
            m.aura = 0.4 + 0.2 * pose.frame;
            m.stride = 0.2;
        }
        break;
    case 5:
        m.aura = 1.0;
        m.lean = 2;
        break;
    default:
        m.tilt = 0.12;
        m.burst = 0.35;
        m.stride = -0.3;
        break;
    }
    return m;
}

struct Frame {
    double cx = 0, cy = 0, hw = 18, hh = 15;  // body centre and half size
    double base = 40;                         // y the figure stands on
    double front() const { return cx + hw; }
    double top() const { return cy - hh; }
};

Frame BodyFrame(const UnitLook& look) {
    Frame f;
    switch (look.body) {
    case BodyShape::Boxy:
        f.hw = 18;
        f.hh = 15;
        break;
    case BodyShape::Round:
        f.hw = 19;
        f.hh = 17;
        break;
    case BodyShape::Tall:
        f.hw = 14;
        f.hh = 21;
        break;
    case BodyShape::Hull:
        f.hw = 32;
        f.hh = 12;
        break;
    case BodyShape::Dome:
        f.hw = 20;
        f.hh = 16;
        break;
    case BodyShape::Wide:
        f.hw = 27;
        f.hh = 12;
        break;
    }
    // Some stockier, some slimmer: the same plan gives different outlines.
    double stretch = 0.9 + 0.1 * ((look.seed >> 8) % 3);
    f.hw *= stretch;
    f.hh *= 2.0 - stretch;
    // The bosses are broad war machines, their arms on their flanks.
    if (look.id == MachineId::Destroyer || look.id == MachineId::DestroyerZero) {
        f.hw *= 1.6;
        f.hh *= 1.4;
    }
    double bottom = 40;
    switch (look.move) {
    case Move::Legs: bottom = 16; break;
    case Move::Spider: bottom = 22; break;
    case Move::Wheels: bottom = 26; break;
    case Move::Treads: bottom = 24; break;
    case Move::Hover: bottom = 14; break;
    case Move::Rotor: bottom = 22; break;
    case Move::Swim: bottom = 30; break;
    case Move::Still: bottom = 34; break;
    }
    f.cy = bottom - f.hh - look.lift;
    return f;
}

// The natural bottom of the body over its way of moving.
double StandHeight(const UnitLook& look) {
    Frame f = BodyFrame(look);
    return f.cy + f.hh + look.lift;
}

void DrawEye(Painter& p, const UnitLook& look, double x, double y, double r, bool off);

// The bodies of the special units, drawn instead of body, head and tool.
void DrawSpecial(Painter& p, const UnitLook& look, const Frame& f, const Motion& m) {
    Paint body = Fill(look.main);
    switch (look.special) {
    case Special::Ghost: {
        // A hanging sheet with a ragged hem that ripples as it drifts.
        std::vector<Vec2> v;
        for (int i = 0; i <= 12; ++i) {
            double a = kPi + i * kPi / 12;
            v.push_back({f.cx + std::cos(a) * 22, f.cy - 6 + std::sin(a) * 24});
        }
        for (int i = 0; i <= 8; ++i) {
            double x = f.cx + 22 - i * 44.0 / 8;
            double y = f.cy + 22 + ((i % 2) ? -6 : 2) + 3 * std::sin(i + m.stride * 2);
            v.push_back({x, y});
        }
        p.Polygon(v, Fill(Mix(look.main, Rgba{220, 240, 255, 255}, 0.5), 0.7));
        DrawEye(p, look, f.cx + 8, f.cy - 10, 4.5, m.eyeOff);
        DrawEye(p, look, f.cx - 6, f.cy - 10, 4.5, m.eyeOff);
        p.Ellipse(f.cx + 1, f.cy + 4, 6, 3 + 3 * m.flash, Flat(Rgba{30, 30, 40, 220}));
        break;
    }
    case Special::Whale: {
        double y = f.cy;
        p.Polygon({{f.cx - 30, y - 2},
                   {f.cx - 44, y - 14 + m.stride * 4},
                   {f.cx - 40, y + m.stride * 2},
                   {f.cx - 44, y + 12 + m.stride * 4}},
                  Fill(Shade(look.main, 0.8f)));  // tail flukes
        p.Ellipse(f.cx, y, 34, 15, body);
        p.Polygon({{f.cx - 6, y - 13}, {f.cx + 2, y - 30}, {f.cx + 8, y - 13}}, Fill(Shade(look.main, 0.85f)));
        p.Ellipse(f.cx + 8, y + 7, 20, 6, Fill(Rgba{236, 240, 244, 255}, 0.2));  // pale belly
        p.Ellipse(f.cx + 18, y - 5, 6, 3, Fill(Rgba{236, 240, 244, 255}, 0));
        DrawEye(p, look, f.cx + 24, y - 2, 3.5, m.eyeOff);
        p.Capsule(f.cx + 26, y + 5, f.cx + 34 - m.flash * 2, y + 4 + m.flash * 5, 1.5, Flat(kInk));  // jaw
        if (look.tool == Tool::Spray && m.flash > 0) p.Glow(f.cx + 42, y + 4, 16 * m.flash, Rgba{190, 240, 255, 220});
        break;
    }
    case Special::Ray: {
        double flap = m.stride * 5;
        p.Capsule(f.cx - 20, f.cy, f.cx - 46, f.cy + 4 - flap * 0.3, 1.6, Fill(look.trim, 0));  // tail
        p.Polygon({{f.cx + 20, f.cy}, {f.cx, f.cy - 9 - flap}, {f.cx - 22, f.cy}, {f.cx, f.cy + 9 + flap * 0.5}}, body);
        p.Capsule(f.cx - 14, f.cy, f.cx + 14, f.cy, 3, Fill(look.accent, 0.3));
        DrawEye(p, look, f.cx + 12, f.cy - 2, 3, m.eyeOff);
        if (m.flash > 0) p.Glow(f.cx - 46, f.cy + 4, 12 * m.flash, Rgba{170, 220, 255, 220});
        break;
    }
    case Special::Clock: {
        p.Circle(f.cx, f.cy, 18, Fill(Rgba{60, 60, 70, 255}));
        p.Circle(f.cx, f.cy, 12, Fill(Rgba{240, 236, 220, 255}, 0.2));
        double a = m.stride * kPi + m.bob;  // the hand sweeps
        p.Capsule(f.cx, f.cy, f.cx + std::sin(a) * 9, f.cy - std::cos(a) * 9, 1.3, Flat(Rgba{200, 30, 30, 255}));
        p.Capsule(f.cx, f.cy, f.cx + 5, f.cy, 1.5, Flat(kInk));
        p.Box(f.cx - 5, f.top() - 2, 10, 6, 1, Fill(look.trim, 0));
        p.Capsule(f.cx, f.top() - 2, f.cx + 6, f.top() - 10, 1.5, Fill(Rgba{120, 90, 60, 255}, 0));
        p.Glow(f.cx + 6, f.top() - 11, 5 + 3 * std::fabs(m.stride) + 6 * m.flash, Rgba{255, 200, 80, 230});
        break;
    }
    case Special::Cage: {
        p.Box(f.cx - 20, f.cy + 10, 40, 8, 2, Fill(look.trim));
        p.Box(f.cx - 18, f.cy - 8, 36, 20, 2, Fill(Rgba{46, 52, 66, 255}, 0.4));  // the cage's back wall
        p.Ellipse(f.cx, f.cy - 8, 20, 8, Fill(look.accent));
        // A small Tinkerling waits inside the bars.
        p.Circle(f.cx - 2, f.cy + 1, 7, Fill(Rgba{250, 196, 64, 255}, 0.5));
        p.Circle(f.cx - 5, f.cy - 1, 2.5, Flat(Rgba{255, 255, 255, 255}));
        for (int i = 0; i < 6; ++i) {
            double x = f.cx - 17 + i * 6.8;
            p.Capsule(x, f.cy - 4, x, f.cy + 10, 1.4, Fill(Rgba{200, 204, 214, 255}, 0));
        }
        p.Glow(f.cx, f.cy - 12, 8 + 4 * std::fabs(m.stride), WithAlpha(look.eye, 140));
        break;
    }
    case Special::Missile: {
        if (m.act == 2 || m.act == 3) {
            // The spinning forms turn about their middle, so the point goes
            // round it: a glowing orb, and a toothed blade.
            const double r = 64;
            if (m.act == 2) {
                p.Glow(f.cx, f.cy, r * 1.05, WithAlpha(look.accent, 200), 1.2);
                p.Circle(f.cx, f.cy, r * 0.92, Fill(Mix(look.accent, Rgba{255, 255, 255, 255}, 0.35), 0.5));
                p.Ring(f.cx, f.cy, r * 0.6, 6, Fill(look.main, 0.3));
                p.Circle(f.cx, f.cy, r * 0.25, Fill(look.main, 0.5));
            } else {
                std::vector<Vec2> teeth;
                for (int i = 0; i < 24; ++i) {
                    const double a = i * kPi / 12 + m.spin, rr = i % 2 ? r * 0.98 : r * 0.84;
                    teeth.push_back({f.cx + std::cos(a) * rr, f.cy + std::sin(a) * rr});
                }
                p.Polygon(teeth, Fill(Rgba{200, 204, 214, 255}, 0.6));
                p.Circle(f.cx, f.cy, r * 0.55, Fill(look.main, 0.5));
                p.Circle(f.cx, f.cy, r * 0.18, Fill(look.accent, 0.3));
            }
            DrawEye(p, look, f.cx + 6, f.cy, 4, m.eyeOff);
            break;
        }
        p.Capsule(f.cx - 22, f.cy, f.cx + 16, f.cy, 12, body);
        p.Polygon({{f.cx + 22, f.cy - 11}, {f.cx + 38, f.cy}, {f.cx + 22, f.cy + 11}}, Fill(look.accent));
        p.Polygon({{f.cx - 18, f.cy - 6}, {f.cx - 28, f.cy - 15}, {f.cx - 26, f.cy - 5}}, Fill(look.accent));
        p.Polygon({{f.cx - 18, f.cy + 6}, {f.cx - 28, f.cy + 15}, {f.cx - 26, f.cy + 5}}, Fill(look.accent));
        p.Glow(f.cx - 32, f.cy, 10 * m.flame, Rgba{255, 170, 60, 220});
        DrawEye(p, look, f.cx + 8, f.cy - 1, 3, m.eyeOff);
        break;
    }
    case Special::None: break;
    }
}

void DrawBody(Painter& p, const UnitLook& look, const Frame& f) {
    Paint body = Fill(look.main);
    double x = f.cx - f.hw, y = f.cy - f.hh, w = 2 * f.hw, h = 2 * f.hh;
    switch (look.body) {
    case BodyShape::Boxy:
    case BodyShape::Wide: p.Box(x, y, w, h, look.machine ? 3 : 7, body); break;
    case BodyShape::Tall: p.Box(x, y, w, h, look.machine ? 4 : 9, body); break;
    case BodyShape::Round: p.Ellipse(f.cx, f.cy, f.hw, f.hh, body); break;
    case BodyShape::Hull:
        p.Ellipse(f.cx, f.cy, f.hw, f.hh, body);
        p.Polygon({{f.cx - f.hw + 4, f.cy - 2}, {f.cx - f.hw - 10, f.cy - 14}, {f.cx - f.hw - 8, f.cy + 2}},
                  Fill(look.accent));  // tail fin
        break;
    case BodyShape::Dome:
        p.Ellipse(f.cx, f.cy + 2, f.hw, f.hh, body);
        p.Box(x + 2, f.cy + 4, w - 4, f.hh - 4, 3, Fill(Shade(look.main, 0.8f)));
        break;
    }
    // A belly panel in the trim colour and two rivets: the family look.
    if (look.body != BodyShape::Hull) {
        p.Box(f.cx - f.hw * 0.55, f.cy + f.hh * 0.15, f.hw * 1.1, f.hh * 0.55, 3,
              Fill(look.machine ? look.accent : look.trim, 0.4));
        Paint rivet = Flat(Shade(look.main, 0.55f));
        p.Circle(f.cx - f.hw * 0.7, f.cy - f.hh * 0.45, 1.6, rivet);
        p.Circle(f.cx + f.hw * 0.7, f.cy - f.hh * 0.45, 1.6, rivet);
    } else {
        for (int i = 0; i < 3; ++i) p.Circle(f.cx - 10 + i * 9, f.cy + 1, 2.6, Fill(look.trim, 0.2));
    }
}

void DrawEye(Painter& p, const UnitLook& look, double x, double y, double r, bool off) {
    if (look.machine) {
        p.Box(x - r * 1.2, y - r * 0.55, r * 2.4, r * 1.1, 1.5, Fill(Rgba{30, 30, 36, 255}, 0));
        if (!off) {
            p.Glow(x + r * 0.4, y, r * 2.2, WithAlpha(look.eye, 120));
            p.Box(x - r * 0.4, y - r * 0.35, r * 1.5, r * 0.7, 1, Flat(look.eye));
        }
    } else {
        p.Circle(x, y, r, Fill(Rgba{245, 248, 250, 255}, 0.2));
        if (!off) {
            p.Circle(x + r * 0.25, y, r * 0.55, Flat(look.eye));
            p.Circle(x + r * 0.4, y - r * 0.25, r * 0.2, Flat(Rgba{255, 255, 255, 255}));
        } else {
            p.Capsule(x - r * 0.6, y, x + r * 0.6, y, 0.9, Flat(kInk));
        }
    }
}

void DrawHead(Painter& p, const UnitLook& look, const Frame& f, const Motion& m) {
    bool embedded = look.body == BodyShape::Round || look.body == BodyShape::Hull || look.body == BodyShape::Dome ||
                    look.tool == Tool::Bomb || look.tool == Tool::Core;
    if (embedded) {
        double ex = f.cx + f.hw * 0.45, ey = f.cy - f.hh * 0.25;
        DrawEye(p, look, ex, ey, look.body == BodyShape::Hull ? 4.5 : 5.5, m.eyeOff);
        return;
    }
    double hx = f.cx + 3 + m.lean * 0.5, hy = f.top() - 9;
    int style = static_cast<int>(look.seed % 3);  // neighbours in a family wear different heads
    if (look.machine) {
        Paint metal = Fill(Shade(look.main, 0.85f));
        if (style == 0) {
            p.Polygon({{hx - 12, hy + 9}, {hx - 10, hy - 7}, {hx + 9, hy - 9}, {hx + 14, hy + 1}, {hx + 10, hy + 9}},
                      metal);
            p.Capsule(hx - 6, hy - 8, hx - 10, hy - 15, 1.3, Fill(look.accent, 0));  // horn
        } else if (style == 1) {
            p.Ellipse(hx, hy + 1, 13, 10, metal);  // a dome with a crest
            p.Polygon({{hx - 8, hy - 7}, {hx + 2, hy - 16}, {hx + 4, hy - 8}}, Fill(look.accent, 0.3));
        } else {
            p.Box(hx - 12, hy - 8, 26, 17, 2, metal);  // a square helm with vents
            for (int i = 0; i < 3; ++i) p.Capsule(hx - 9, hy + 2 + i * 2.5, hx - 2, hy + 2 + i * 2.5, 0.6, Flat(kInk));
        }
        DrawEye(p, look, hx + 6, hy - 1, 4.5, m.eyeOff);
    } else {
        Paint face = Fill(Mix(look.main, Rgba{255, 255, 255, 255}, 0.35));
        if (style == 0) {
            p.Capsule(hx - 4, hy - 8, hx - 7, hy - 17, 1.2, Fill(look.trim, 0));  // antenna
            p.Circle(hx - 7, hy - 18, 2.6, Fill(look.accent, 0.3));
            p.Box(hx - 11, hy - 9, 24, 18, 7, face);
        } else if (style == 1) {
            p.Circle(hx, hy, 11, face);  // a round head with ear bolts
            p.Circle(hx - 10, hy, 3.5, Fill(look.accent, 0.3));
        } else {
            p.Capsule(hx - 2, hy - 8, hx + 4, hy - 15, 1.2, Fill(look.trim, 0));  // twin feelers
            p.Capsule(hx - 6, hy - 8, hx - 10, hy - 15, 1.2, Fill(look.trim, 0));
            p.Box(hx - 13, hy - 8, 27, 16, 4, face);
        }
        DrawEye(p, look, hx + 5, hy, 5.5, m.eyeOff);
    }
}

void DrawLeg(Painter& p, const UnitLook& look, double hipX, double hipY, double footY, double angle, bool near) {
    double len = footY - hipY;
    double kx = hipX + std::sin(angle) * len * 0.5, ky = hipY + std::cos(angle) * len * 0.5;
    double fx = kx + std::sin(angle * 0.4) * len * 0.5, fy = std::min(footY, ky + len * 0.5);
    Rgba c = near ? look.trim : Shade(look.trim, 0.7f);
    p.Capsule(hipX, hipY, kx, ky, 3.2, Fill(c, 0.2));
    p.Capsule(kx, ky, fx, fy, 3.0, Fill(c, 0.2));
    p.Box(fx - 5, fy - 2, 11, 5, 2, Fill(near ? look.accent : Shade(look.accent, 0.7f), 0.3));
}

void DrawWheel(Painter& p, const UnitLook& look, double x, double y, double r, double spin) {
    p.Circle(x, y, r, Fill(Rgba{40, 42, 50, 255}, 0.3));
    p.Circle(x, y, r * 0.6, Fill(look.trim, 0.4));
    for (int i = 0; i < 3; ++i) {
        double a = spin + i * 2 * kPi / 3;
        p.Capsule(x, y, x + std::cos(a) * r * 0.55, y + std::sin(a) * r * 0.55, 1.3, Flat(Shade(look.trim, 0.5f)));
    }
    p.Circle(x, y, r * 0.18, Flat(look.accent));
}

void DrawMove(Painter& p, const UnitLook& look, const Frame& f, const Motion& m, bool near) {
    double bottom = f.cy + f.hh;
    switch (look.move) {
    case Move::Legs: {
        double a = 0.5 * m.stride * (near ? 1 : -1);
        DrawLeg(p, look, f.cx + (near ? 4 : -6), bottom - 3, 38, a, near);
        break;
    }
    case Move::Spider:
        for (int i = 0; i < 2; ++i) {
            double side = i == 0 ? 1 : -1;
            double phase = m.stride * (near ? 1 : -1) * (i == 0 ? 1 : -1);
            double hx = f.cx + side * f.hw * 0.6, hy = f.cy + 4;
            double kx = hx + side * 12 + phase * 3, ky = hy - 8 - phase * 2;
            double fx = hx + side * 20 + phase * 4, fy = 38;
            Rgba c = near ? look.trim : Shade(look.trim, 0.65f);
            p.Capsule(hx, hy, kx, ky, 2.6, Fill(c, 0.2));
            p.Capsule(kx, ky, fx, fy, 2.4, Fill(c, 0.2));
        }
        break;
    case Move::Wheels:
        if (near) {
            double r = look.body == BodyShape::Tall ? 13 : 10;
            if (look.lift > 0)  // raised: a strut down to each axle
                for (double x : {f.cx - f.hw + 10, f.cx + f.hw - 10})
                    p.Capsule(f.cx + (x - f.cx) * 0.5, bottom - 2, x, 40 - r, 3, Fill(look.trim, 0.3));
            if (look.body == BodyShape::Tall) {
                DrawWheel(p, look, f.cx, 40 - r, r, m.spin);
            } else {
                DrawWheel(p, look, f.cx - f.hw + 10, 40 - r, r, m.spin);
                DrawWheel(p, look, f.cx + f.hw - 10, 40 - r, r, m.spin);
            }
        }
        break;
    case Move::Treads:
        if (near) {
            double x0 = f.cx - f.hw - 2, x1 = f.cx + f.hw + 2;
            if (look.lift > 0) {  // raised on a turret ring over its treads
                const double treadTop = StandHeight(look);
                p.Box(f.cx - f.hw * 0.5, bottom - 2, f.hw, treadTop - bottom + 4, 3, Fill(Shade(look.trim, 0.8f), 0.4));
                bottom = treadTop;
            }
            p.Box(x0, bottom - 2, x1 - x0, 40 - bottom + 2, 8, Fill(Rgba{48, 50, 58, 255}, 0.3));
            int n = std::max(3, static_cast<int>((x1 - x0) / 11));
            for (int i = 0; i < n; ++i) {
                double t = (i + 0.5) / n;
                DrawWheel(p, look, x0 + 6 + t * (x1 - x0 - 12), (bottom + 40) / 2 + 1, 5, m.spin * 3 + i);
            }
            // Tread cleats move along the top edge.
            double shift = std::fmod(m.spin * 10, 6.0);
            for (double x = x0 + 3 + shift; x < x1 - 3; x += 6)
                p.Box(x, bottom - 3, 2.5, 3, 0.5, Flat(Rgba{90, 92, 100, 255}));
        }
        break;
    case Move::Hover:
        if (near) {
            double len = 12 * m.flame;
            p.Polygon({{f.cx - 7, bottom}, {f.cx + 7, bottom}, {f.cx, bottom + len + 6}},
                      Paint{Rgba{255, 170, 60, 220}, Rgba{0, 0, 0, 0}, 0, 0, 1.5});
            p.Glow(f.cx, bottom + len * 0.5, len, Rgba{255, 230, 140, 200});
            p.Box(f.cx - 8, bottom - 3, 16, 6, 2, Fill(look.trim, 0.3));
        }
        break;
    case Move::Rotor:
        if (!near) {
            double r = look.body == BodyShape::Wide ? 38 : 28;
            double w = r * (0.25 + 0.75 * std::fabs(std::cos(m.spin * 3)));
            double y = f.top() - 12;
            p.Capsule(f.cx, f.top() + 2, f.cx, y, 2.2, Fill(look.trim, 0));
            p.Ellipse(f.cx, y, r, 2.5, Paint{Rgba{200, 210, 220, 90}, Rgba{0, 0, 0, 0}, 0, 0, 1});
            p.Capsule(f.cx - w, y, f.cx + w, y, 2.4, Fill(Shade(look.trim, 0.8f), 0));
            p.Circle(f.cx, y, 3, Fill(look.accent, 0));
        } else {
            p.Capsule(f.cx - 12, bottom + 4, f.cx + 12, bottom + 4, 2, Fill(look.trim, 0));  // skid
            p.Capsule(f.cx - 6, bottom - 2, f.cx - 8, bottom + 4, 1.5, Fill(look.trim, 0));
            p.Capsule(f.cx + 6, bottom - 2, f.cx + 8, bottom + 4, 1.5, Fill(look.trim, 0));
        }
        break;
    case Move::Swim:
        if (near) {
            double flap = m.stride * 0.6;
            p.Push();
            p.Translate(f.cx - f.hw * 0.2, f.cy + f.hh * 0.6);
            p.Rotate(0.5 + flap);
            p.Ellipse(-8, 4, 9, 3.5, Fill(look.accent, 0.3));
            p.Pop();
            p.Push();
            p.Translate(f.cx - f.hw * 0.9, f.cy - 2);
            p.Rotate(flap * 0.8);
            p.Polygon({{0, -3}, {-10, -10}, {-12, 0}, {-10, 9}, {0, 3}}, Fill(look.accent, 0.3));
            p.Pop();
            // Waterline ripples under the hull.
            p.Ellipse(f.cx, f.cy + f.hh + 1, f.hw + 6, 2.5, Paint{Rgba{200, 235, 255, 110}, Rgba{0, 0, 0, 0}, 0, 0, 1});
        }
        break;
    case Move::Still:
        if (near)
            p.Box(f.cx - f.hw - 2, bottom - 1, 2 * f.hw + 4, 40 - bottom + 1, 3, Fill(Shade(look.trim, 0.8f), 0.5));
        break;
    }
}

void MuzzleFlash(Painter& p, double x, double y, double size, double amount) {
    if (amount <= 0) return;
    p.Glow(x, y, size * 1.8 * amount, Rgba{255, 240, 170, 230});
    double r = size * amount;
    p.Polygon({{x - r * 0.2, y - r * 0.5}, {x + r * 1.4, y}, {x - r * 0.2, y + r * 0.5}, {x + r * 0.3, y}},
              Flat(Rgba{255, 255, 230, 240}));
}

void DrawTool(Painter& p, const UnitLook& look, const Frame& f, const Motion& m) {
    double fx = f.front() - 2 + m.kick, fy = f.cy - f.hh * 0.1;
    Paint metal = Fill(Shade(look.trim, 0.85f), 0.6);
    Paint accent = Fill(look.accent, 0.6);
    switch (look.tool) {
    case Tool::None: break;
    case Tool::Gun:
        p.Capsule(fx - 4, fy, fx + 14, fy, 3.2, metal);
        p.Box(fx - 6, fy - 5, 9, 10, 2, accent);
        MuzzleFlash(p, fx + 17, fy, 7, m.flash);
        break;
    case Tool::Sniper:
        p.Capsule(fx - 6, fy, fx + 26, fy, 2.2, metal);
        p.Box(fx, fy - 8, 12, 4.5, 2, accent);
        p.Circle(fx + 12, fy - 6, 2, Flat(Rgba{140, 220, 255, 255}));
        MuzzleFlash(p, fx + 28, fy, 6, m.flash);
        break;
    case Tool::Twin:
        p.Capsule(fx - 4, fy - 4, fx + 15, fy - 4, 2.6, metal);
        p.Capsule(fx - 4, fy + 4, fx + 15, fy + 4, 2.6, metal);
        p.Circle(fx - 3, fy, 6.5, accent);
        MuzzleFlash(p, fx + 18, fy - 4, 6, m.flash);
        MuzzleFlash(p, fx + 18, fy + 4, 6, m.flash * 0.7);
        break;
    case Tool::Cannon:
        p.Capsule(fx - 6, fy - 2, fx + 14, fy - 6, 6, metal);
        p.Ring(fx + 14, fy - 6, 5.2, 2.4, accent);
        MuzzleFlash(p, fx + 20, fy - 7, 10, m.flash);
        break;
    case Tool::Launcher: {
        p.Push();
        p.Translate(f.cx - 2, f.top() + 2);
        p.Rotate(-0.45 + m.kick * 0.02);
        p.Box(-12, -12, 26, 12, 3, accent);
        for (int i = 0; i < 3; ++i) p.Circle(-6 + i * 8, -6, 3, Flat(Rgba{30, 30, 36, 255}));
        if (m.flash > 0) {
            p.Polygon({{14, -10}, {26, -6}, {14, -2}}, Fill(Rgba{230, 230, 230, 255}, 0.3));
            p.Glow(10, -6, 12 * m.flash, Rgba{255, 200, 120, 220});
        }
        p.Pop();
        break;
    }
    case Tool::Hammer:
    case Tool::Wrench:
    case Tool::Blade:
    case Tool::Claw: {
        p.Push();
        p.Translate(f.cx + f.hw * 0.4, f.cy - f.hh * 0.2);
        p.Rotate(0.4 + m.swing);
        p.Capsule(0, 0, 18, 0, 3, metal);
        if (look.tool == Tool::Hammer) {
            p.Box(16, -9, 10, 18, 2, accent);
        } else if (look.tool == Tool::Wrench) {
            p.Ring(22, 0, 5, 3.5, accent);
            p.Box(22, -2, 8, 4, 0, Flat(Rgba{0, 0, 0, 0}));
        } else if (look.tool == Tool::Blade) {
            p.Polygon({{16, -3}, {34, -16}, {40, -12}, {22, 4}}, Fill(Rgba{220, 228, 236, 255}, 0.5));
        } else {
            double open = 0.35 + 0.3 * m.swing;
            p.Push();
            p.Translate(18, 0);
            p.Rotate(-open);
            p.Capsule(0, 0, 10, 0, 2.6, accent);
            p.Pop();
            p.Push();
            p.Translate(18, 0);
            p.Rotate(open);
            p.Capsule(0, 0, 10, 0, 2.6, accent);
            p.Pop();
        }
        p.Pop();
        if (m.flash > 0.5) p.Glow(fx + 16, fy - 4, 12 * m.flash, Rgba{255, 255, 220, 160});
        break;
    }
    case Tool::Flame:
        p.Capsule(fx - 4, fy + 2, fx + 10, fy + 2, 3.5, metal);
        p.Ellipse(f.cx - f.hw, f.cy - 4, 6, 10, accent);  // fuel tank
        if (m.flash > 0) {
            p.Glow(fx + 22, fy + 2, 20 * m.flash, Rgba{255, 120, 30, 220});
            p.Glow(fx + 16, fy + 2, 10 * m.flash, Rgba{255, 240, 150, 230});
        }
        break;
    case Tool::Spray:
        p.Capsule(fx - 2, fy, fx + 10, fy - 2, 3.5, metal);
        p.Ellipse(fx + 11, fy - 2, 3, 5, accent);
        p.Ellipse(f.cx - f.hw - 2, f.cy - 2, 6, 11, Fill(Rgba{170, 220, 255, 255}, 0.6));
        if (m.flash > 0) {
            p.Glow(fx + 20, fy - 2, 16 * m.flash, Rgba{190, 240, 255, 220});
            for (int i = 0; i < 3; ++i)
                p.Circle(fx + 16 + i * 6, fy - 2 + (i - 1) * 4 * m.flash, 2 + m.flash * 1.5,
                         Flat(Rgba{240, 250, 255, 220}));
        }
        break;
    case Tool::Dish: {
        double mx = f.cx, my = f.top() - 4;
        p.Capsule(mx, f.top() + 2, mx, my, 2, metal);
        p.Push();
        p.Translate(mx, my - 6);
        p.Rotate(0.5 + m.swing * 0.3 + m.stride * 0.15);
        p.Ellipse(0, 0, 4, 11, accent);
        p.Capsule(0, 0, 8, 0, 1.2, Flat(kInk));
        p.Pop();
        for (int i = 1; i <= 2; ++i)
            if (m.flash > 0)
                p.Ring(mx + 12, my - 6, 6.0 * i * (0.5 + m.flash), 1.5, Paint{WithAlpha(look.eye, 180), {}, 0, 0, 1});
        break;
    }
    case Tool::Magnet:
        p.Ring(fx + 8, fy, 8, 5, Fill(Rgba{210, 50, 50, 255}, 0.3));
        p.Box(fx + 8, fy - 11, 10, 22, 0, Flat(Rgba{0, 0, 0, 0}));
        p.Box(fx + 7, fy - 10.5, 6, 5, 1, Fill(Rgba{230, 230, 235, 255}, 0));
        p.Box(fx + 7, fy + 5.5, 6, 5, 1, Fill(Rgba{230, 230, 235, 255}, 0));
        if (m.flash > 0) p.Ring(fx + 18, fy, 6 + 10 * m.flash, 1.5, Paint{Rgba{255, 120, 120, 170}, {}, 0, 0, 1});
        break;
    case Tool::Drill:
        p.Push();
        p.Translate(fx, fy + 2);
        p.Polygon({{0, -9}, {22 + m.flash * 3, 0}, {0, 9}}, Fill(Rgba{200, 200, 210, 255}, 0.5));
        for (int i = 0; i < 3; ++i) {
            double x = 4 + i * 6 + std::fmod(m.spin * 6 + m.stride * 3, 6.0);
            p.Capsule(x, -7 + x * 0.3, x + 3, 7 - x * 0.3, 1, Flat(Rgba{110, 110, 120, 255}));
        }
        p.Pop();
        break;
    case Tool::Shield:
        p.Push();
        p.Translate(fx + 4 - m.swing * 2, fy);
        p.Box(-4, -22, 10, 44, 4, Fill(look.accent, 0.7));
        p.Box(-1, -14, 4, 28, 2, Fill(Mix(look.accent, Rgba{255, 255, 255, 255}, 0.4), 0));
        p.Pop();
        if (m.flash > 0) p.Glow(fx + 8, fy, 20 * m.flash, Rgba{160, 220, 255, 170});
        break;
    case Tool::Bomb: {
        double bx = f.cx, by = f.cy;
        Paint fuse = Fill(Rgba{90, 70, 40, 255}, 0);
        p.Capsule(bx + f.hw * 0.3, f.top() + 1, bx + f.hw * 0.5, f.top() - 6, 1.5, fuse);
        double spark = 0.6 + 0.4 * std::fabs(m.bob) / 2.5 + m.flash;
        p.Glow(bx + f.hw * 0.5, f.top() - 7, 6 * spark, Rgba{255, 210, 90, 230});
        for (int i = 0; i < 6; ++i) {
            double a = i * kPi / 3 + 0.3;
            p.Capsule(bx + std::cos(a) * f.hw * 0.9, by + std::sin(a) * f.hh * 0.9, bx + std::cos(a) * (f.hw + 5),
                      by + std::sin(a) * (f.hh + 5), 1.8, Fill(look.trim, 0));
        }
        break;
    }
    case Tool::Core: {
        double cy = f.top() - 9;
        p.Capsule(f.cx, f.top() + 3, f.cx, cy, 3, metal);
        p.Glow(f.cx, cy, 16 + 10 * m.aura, WithAlpha(look.accent, 150));
        p.Circle(f.cx, cy, 8, Fill(Mix(look.accent, Rgba{255, 255, 220, 255}, 0.4 + 0.3 * m.aura), 0.5));
        for (int i = 0; i < 5; ++i) {
            double a = i * 2 * kPi / 5 + m.aura * 0.3;
            p.Ellipse(f.cx + std::cos(a) * 13, cy + std::sin(a) * 13, 4, 4, Fill(look.trim, 0.3));
        }
        break;
    }
    case Tool::Chimney: {
        double x0 = f.cx - f.hw * 0.6;
        p.Box(x0, f.top() - 16, 8, 18, 1, metal);
        p.Box(x0 + 12, f.top() - 10, 7, 12, 1, metal);
        double puff = 0.5 + 0.5 * std::sin(m.stride * 2 + m.bob);
        p.Glow(x0 + 4, f.top() - 22 - 4 * puff, 8 + 3 * puff, Rgba{220, 220, 225, 170});
        p.Glow(x0 + 1, f.top() - 32 - 5 * puff, 6 + 3 * puff, Rgba{230, 230, 235, 120});
        p.Box(f.cx + f.hw * 0.1, f.cy - f.hh * 0.6, f.hw * 0.6, f.hh * 0.5, 2,
              Fill(Rgba{255, 220, 120, 255}, 0.2));  // lit window
        break;
    }
    case Tool::Coil: {
        double x = f.cx, y = f.top();
        for (int i = 0; i < 3; ++i) p.Ellipse(x, y - 4 - i * 5, 6 - i, 2.2, Fill(Rgba{200, 140, 60, 255}, 0));
        p.Circle(x, y - 20, 4, Fill(look.accent, 0.4));
        double arc = 0.4 + m.flash + 0.3 * std::fabs(m.stride);
        p.Glow(x, y - 20, 10 * arc, Rgba{170, 220, 255, 200});
        if (m.flash > 0)
            p.Polygon({{x + 2, y - 22},
                       {x + 12, y - 16},
                       {x + 9, y - 14},
                       {x + 20, y - 8},
                       {x + 8, y - 12},
                       {x + 10, y - 14}},
                      Flat(Rgba{220, 240, 255, 240}));
        break;
    }
    }
}

}  // namespace

void BodySpan(const UnitLook& look, double& top, double& bottom) {
    const Frame f = BodyFrame(look);
    top = f.cy - f.hh;
    bottom = f.cy + f.hh;
}

void DrawUnit(Painter& p, const UnitLook& look, const UnitPose& pose) {
    Motion m = MotionFor(look, pose);
    Frame f = BodyFrame(look);
    double alpha = p.Alpha();
    p.Push();
    if (!look.machine) p.ScaleBy(-1, 1);  // Tinkerlings look left, toward the Machines
    // Scale about the ground point so every unit stands on the same line.
    p.Translate(0, 40);
    p.ScaleBy(look.size, look.size);
    p.Translate(0, -40);

    // Ground shadow stays put while the figure moves.
    const bool floats =
        look.machine && (look.move == Move::Hover || look.move == Move::Rotor || look.move == Move::Swim);
    if (pose.act != 4 && !floats)
        p.Ellipse(0, 40, 26 * (1.0 - 0.3 * m.burst), 4, Paint{Rgba{0, 0, 0, 70}, {}, 0, 0, 2});

    p.Push();
    p.Translate(0, 40 + m.sink + m.bury);
    p.Rotate(m.tilt);
    p.Translate(m.lean * 0.6, -40 + m.bob);
    p.SetAlpha(alpha * m.fade);
    if (look.machine && look.id == MachineId::Ghost)  // the Ghost is always half seen
        p.SetAlpha(alpha * m.fade * 0.75);
    if (m.aura > 0) p.Glow(f.cx, f.cy, f.hw * 2.2, WithAlpha(look.accent, static_cast<uint8_t>(110 * m.aura)));
    if (look.mastTop != 0 || look.keelBottom != 0) {
        // A mast up from the body or a keel down from it, where the body
        // alone does not reach the unit's point.
        const double half = std::max(7.0, f.hw * 0.3);
        if (look.mastTop != 0) {
            p.Box(f.cx - half, look.mastTop, 2 * half, f.cy - look.mastTop, 3, Fill(Shade(look.trim, 0.85f), 0.5));
            p.Glow(f.cx, look.mastTop + 2, half * 1.2, WithAlpha(look.eye, 150));
        }
        if (look.keelBottom != 0)
            p.Box(f.cx - half, f.cy, 2 * half, look.keelBottom - f.cy, 3, Fill(Shade(look.main, 0.7f), 0.5));
    }
    if (look.special != Special::None) {
        DrawSpecial(p, look, f, m);
    } else {
        DrawMove(p, look, f, m, false);
        DrawBody(p, look, f);
        DrawHead(p, look, f, m);
        DrawTool(p, look, f, m);
        DrawMove(p, look, f, m, true);
    }
    p.SetAlpha(alpha);
    p.Pop();

    if (m.bury > 0) {
        // Hidden: a mound of earth over the lower part, heaped up to the
        // unit's point.
        const double heap = std::max(12 + m.bury * 0.2, look.mastTop != 0 ? 42 - look.mastTop : 42 - f.cy + 8);
        p.Ellipse(0, 42, std::max(36.0, heap * 0.9), heap, Fill(Rgba{122, 92, 60, 255}, 0.6));
        for (int i = 0; i < 4; ++i)
            p.Circle(-24 + i * 16, 34 - (i % 2) * 3 - pose.frame * 2, 3.5, Fill(Rgba{150, 118, 80, 255}, 0.4));
    }
    if (m.burst > 0) {
        ArtRandom r(look.seed + 17);
        int puffs = 2 + static_cast<int>(m.burst * 4);
        for (int i = 0; i < puffs; ++i) {
            double x = r.Range(-20, 20), y = r.Range(-10, 25) - m.burst * 20;
            p.Glow(x, y, 10 + 10 * m.burst, Rgba{70, 70, 76, static_cast<uint8_t>(160 - 60 * m.burst)});
        }
        p.Glow(0, 10, 30 * m.burst, Rgba{255, 170, 60, static_cast<uint8_t>(200 * (1.0 - m.burst * 0.6))});
        if (pose.act == 3 && m.burst >= 0.99) p.Ring(0, 10, 34, 4, Paint{Rgba{255, 220, 150, 170}, {}, 0, 0, 3});
        for (int i = 0; i < 5; ++i) {  // flying debris
            double a = r.Range(0, 2 * kPi), d = 8 + 26 * m.burst;
            p.Box(std::cos(a) * d - 2, 10 + std::sin(a) * d - 2, 4, 4, 1, Fill(look.trim, 0));
        }
    }
    p.Pop();
}
