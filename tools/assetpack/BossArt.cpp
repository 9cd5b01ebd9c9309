// The Destroyers' arms and giant hands. Both are machinery in the boss's own
// colour (the manifest line's) over dark steel, with nothing around them.
//
// An arm (256 x 128) is drawn turned about its centre beside the boss body,
// its left end toward the body: a shoulder joint on the left, the upper arm
// with its hydraulic ram, the elbow, and a clamp at the right. Over its ten
// frames the ram pumps, the clamp snaps and the lamp blinks; "Arm_Dying" is
// the same arm wrecked.
//
// A hand (256 x 256) is drawn turned 45 degrees to the left, sliding in from
// the left edge along a row, 64 left of the cell it grabs: so on the picture
// it reaches to the lower right, the palm right of the middle. Frame 1 comes
// in open, frames 2-5 close on the cell, 6-9 crush, 10 leaves as a fist.
// The game lays the hand over the field by its colour, dimmed to a shadow:
// what is bright on the picture darkens the field most, what is black leaves
// it as it is. So the hand is drawn light, with dark seams that read as its
// shape, and every pixel's colour is scaled by its alpha so that nothing
// outside the hand (or where the forearm fades out) shows.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"

namespace {

const Rgba kSteel{92, 98, 112, 255};
const Rgba kChrome{200, 208, 220, 255};
const Rgba kHazard{250, 200, 40, 255};

void Bolts(Painter& p, double cx, double cy, double r, int count, double size) {
    for (int i = 0; i < count; ++i) {
        const double a = 2 * kPi * i / count + 0.3;
        p.Circle(cx + std::cos(a) * r, cy + std::sin(a) * r, size, Inked(kChrome, 0.8, 0.6));
    }
}

// Black and yellow warning bars across a strip, clipped to its box.
void HazardStrip(Painter& p, double x, double y, double w, double h) {
    p.Box(x, y, w, h, 1, Solid(Rgba{30, 30, 34, 255}));
    for (double sx = x - h; sx < x + w; sx += h * 2) {
        const double a = std::max(x, sx), b = std::min(x + w, sx + h);
        if (b <= a) continue;
        const double a2 = std::min(x + w, a + h * 0.6), b2 = std::min(x + w, b + h * 0.6);
        p.Polygon({{a, y + h}, {b, y + h}, {b2, y}, {a2, y}}, Solid(kHazard));
    }
}

}  // namespace

void DrawBossArm(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double W = c.Width(), H = c.Height();
    const bool dying = job.Has("dying");
    const int frame = dying ? 1 : std::max(1, job.Number());
    const double phase = 2 * kPi * (frame - 1) / 10.0;
    const Rgba paint = FromHex(job.item.colour);
    const Rgba main = dying ? Shade(paint, 0.5f) : paint;
    const Rgba steel = dying ? Shade(kSteel, 0.6f) : kSteel;
    p.ScaleBy(W / 256.0, H / 128.0);
    const double cy = 64;

    // Wrecked, the arm sags at the elbow and hangs open.
    const double sag = dying ? 0.35 : 0.0;
    // Upper arm: a plated beam from shoulder to elbow.
    p.Box(40, cy - 21, 124, 42, 10, Inked(main, 2.2, 0.8));
    p.Box(52, cy - 13, 100, 8, 3, Solid(Shade(main, 1.25f)));
    HazardStrip(p, 58, cy + 9, 88, 7);
    for (double x : {76.0, 112.0}) p.Box(x, cy - 21, 3, 42, 0, Solid(Shade(main, 0.6f)));
    if (dying) {  // torn plating and scorch
        p.Polygon({{92, cy - 21}, {104, cy - 6}, {96, cy + 2}, {110, cy + 21}, {84, cy + 21}, {90, cy}},
                  Solid(Rgba{24, 22, 24, 255}));
        p.Glow(100, cy, 26, Rgba{20, 16, 16, 150}, 1.2);
    }
    // The hydraulic ram along the top: its rod pumps out and back.
    const double ext = dying ? 6 : 18 + 12 * std::sin(phase);
    p.Capsule(58, cy - 27, 118, cy - 27, 7, Inked(steel, 1.6, 0.7));
    if (dying) {
        p.Capsule(118, cy - 27, 128 + ext, cy - 40, 3, Inked(Shade(kChrome, 0.6f), 1.2, 0.5));
    } else {
        p.Capsule(118, cy - 27, 118 + ext, cy - 27, 3.2, Inked(kChrome, 1.2, 0.5));
        p.Capsule(118 + ext, cy - 27, 160, cy - 12, 4, Inked(steel, 1.4, 0.6));
    }
    // Shoulder joint toward the body.
    p.Circle(32, cy, 29, Inked(steel, 2.4, 0.8));
    p.Circle(32, cy, 18, Inked(main, 1.8, 0.6));
    Bolts(p, 32, cy, 24, 8, 2.6);
    p.Circle(32, cy, 6, Inked(Shade(steel, 0.6f), 1.2, 0));

    // Forearm and clamp, turned down at the elbow when wrecked.
    p.Push();
    p.Translate(168, cy);
    p.Rotate(sag);
    p.Polygon({{0, -16}, {52, -11}, {52, 11}, {0, 16}}, Inked(steel, 2.0, 0.8));
    p.Box(10, -4, 36, 8, 3, Solid(Shade(steel, 0.7f)));
    const double open = dying ? 0.5 : 0.12 + 0.14 * (0.5 + 0.5 * std::sin(phase * 2));
    for (int side = -1; side <= 1; side += 2) {
        if (dying && side < 0) continue;  // the upper jaw is gone
        p.Push();
        p.Translate(54, side * 6.0);
        p.Rotate(side * open);
        p.Polygon({{-2, -5.0 * side},
                   {22, -3.0 * side},
                   {32, 8.0 * side},
                   {24, 6.0 * side},
                   {16, 3.0 * side},
                   {-2, 6.0 * side}},
                  Inked(Shade(steel, 1.15f), 1.6, 0.6));
        p.Pop();
    }
    p.Circle(54, 0, 11, Inked(main, 1.8, 0.6));
    p.Circle(54, 0, 4, Solid(Shade(steel, 0.5f)));
    p.Pop();
    // Elbow joint over both.
    p.Circle(166, cy, 20, Inked(steel, 2.2, 0.8));
    Bolts(p, 166, cy, 13, 6, 2.2);
    p.Circle(166, cy, 5, Solid(Shade(steel, 0.5f)));

    // The lamp on the upper arm blinks; the wreck throws sparks and smoke instead.
    if (dying) {
        for (const Vec2& s : {Vec2{150, cy - 30}, Vec2{188, cy + 10}, Vec2{98, cy + 6}}) {
            p.Glow(s.x, s.y, 14, Rgba{255, 200, 90, 220}, 1.4);
            p.Circle(s.x, s.y, 2.5, Solid(Rgba{255, 255, 220, 255}));
        }
        p.Glow(130, cy - 44, 26, Rgba{60, 60, 66, 150}, 1.2);
        p.Glow(60, cy - 40, 20, Rgba{60, 60, 66, 120}, 1.2);
    } else {
        const bool lit = frame <= 5;
        p.Circle(132, cy - 2, 6, Inked(lit ? Rgba{255, 70, 50, 255} : Rgba{110, 30, 30, 255}, 1.2, 0.2));
        if (lit) p.Glow(132, cy - 2, 16, Rgba{255, 90, 60, 170}, 1.5);
    }
}

void DrawBossHand(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double W = c.Width(), H = c.Height();
    const int frame = std::clamp(job.Number(), 1, 10);
    // How far the fingers have closed: open coming in, shut from the grab on.
    static const double kClose[10] = {0.0, 0.2, 0.45, 0.7, 0.9, 1.0, 1.0, 1.0, 1.0, 1.0};
    const double close = kClose[frame - 1];
    const bool crushing = frame >= 6 && frame <= 9;
    const double shake = crushing ? (frame % 2 ? 1.5 : -1.5) : 0.0;
    const Rgba paint = Mix(Rgba{240, 242, 248, 255}, FromHex(job.item.colour), 0.4);
    const Rgba steel{196, 202, 214, 255}, chrome{244, 247, 252, 255};
    const Rgba plate = Mix(steel, paint, 0.5);

    p.Translate(W / 2, H / 2);
    p.ScaleBy(W / 256.0, H / 256.0);
    p.Rotate(kPi / 4);  // the game turns it back a quarter of a half turn to the left
    p.Translate(0, shake);

    // Forearm: a plated sleeve back to the picture's corner, cables along it,
    // thinning out so that no edge shows where the picture ends.
    for (int i = 0; i < 6; ++i) {
        const double x0 = -40 - 22.0 * i;
        p.SetAlpha(1.0 - 0.15 * i);
        p.Box(x0 - 22, -26 + i * 0.8, 24, 52 - i * 1.6, 5, Inked(i % 2 ? steel : plate, 2.0, 0.7));
    }
    p.SetAlpha(1.0);
    p.Capsule(-170, -20, -30, -20, 3, Solid(Rgba{40, 40, 46, 200}));
    p.Capsule(-170, 20, -30, 20, 3, Solid(Rgba{40, 40, 46, 200}));
    // Wrist ring.
    p.Box(-36, -30, 22, 60, 6, Inked(steel, 2.2, 0.8));
    Bolts(p, -25, 0, 22, 4, 2.4);

    // Four fingers fan out from the knuckles; closing, they turn in and curl
    // so the tips meet in front of the palm.
    for (int f = 0; f < 4; ++f) {
        const double y0 = -27 + 18.0 * f, spread = (f - 1.5) * 0.22;
        const double a1 = spread * (1 - close) + (f < 2 ? 1 : -1) * 0.15 * close;
        const double curl = 0.25 + 1.0 * close;
        const double l1 = 36, l2 = 30;
        const double kx = 62, ky = y0 * (1 - 0.25 * close);
        const double mx = kx + std::cos(a1) * l1 * (1 - 0.3 * close), my = ky + std::sin(a1) * l1;
        const double a2 = a1 - (ky > 0 ? -1 : 1) * curl * 0.5;
        const double tx = mx + std::cos(a2) * l2 * (1 - 0.45 * close), ty = my + std::sin(a2) * l2 * (1 - 0.2 * close);
        p.Capsule(kx, ky, mx, my, 10, Inked(plate, 2.0, 0.6));
        p.Capsule(mx, my, tx, ty, 8, Inked(steel, 1.8, 0.6));
        p.Polygon({{tx - 5, ty - 6}, {tx + 11, ty}, {tx - 5, ty + 6}}, Inked(chrome, 1.2, 0.4));
        p.Circle(mx, my, 6, Inked(Shade(steel, 0.7f), 1.4, 0));
        p.Circle(kx, ky, 7, Inked(Shade(steel, 0.8f), 1.4, 0));
    }
    // Thumb from the lower side of the palm, swinging in under the fingers.
    {
        const double a = 0.9 - 0.7 * close;
        const double bx = 20, by = 34, mx = bx + std::cos(a) * 28, my = by + std::sin(a) * 18;
        const double tx = mx + std::cos(a - 0.9) * 22, ty = my + std::sin(a - 0.9) * 22;
        p.Capsule(bx, by, mx, my, 9, Inked(plate, 2.0, 0.6));
        p.Capsule(mx, my, tx, ty, 7, Inked(steel, 1.8, 0.6));
        p.Polygon({{tx - 3, ty - 5}, {tx + 8, ty - 2}, {tx - 1, ty + 5}}, Inked(chrome, 1.2, 0.4));
    }
    // Palm: a heavy plate with the boss's colour and its red eye.
    p.Box(-16, -38, 80, 76, 16, Inked(plate, 2.4, 0.9));
    p.Box(-4, -28, 56, 56, 10, Inked(paint, 1.6, 0.6));
    HazardStrip(p, -12, 30, 60, 6);
    Bolts(p, 24, 0, 26, 6, 2.4);
    const Rgba eye = crushing ? Rgba{255, 220, 80, 255} : Rgba{255, 60, 40, 255};
    p.Glow(24, 0, 20, WithAlpha(eye, 170), 1.5);
    p.Circle(24, 0, 7, Inked(eye, 1.2, 0.2));
    if (crushing) {  // sparks where the fingers bite
        for (int k = 0; k < 3; ++k) {
            const double sx = 104 + 6 * k - 4 * (frame % 3), sy = -14 + 14 * k + 3 * (frame % 2);
            p.Glow(sx, sy, 10, Rgba{255, 220, 120, 220}, 1.4);
        }
    }
    Canvas scaled(c.Width(), c.Height());
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba px = c.At(x, y);
            scaled.Blend(
                x, y, Rgba{uint8_t(px.r * px.a / 255), uint8_t(px.g * px.a / 255), uint8_t(px.b * px.a / 255), px.a});
        }
    c = scaled;
}
