// The won-stage pictures: the summary board's side ornaments, which say
// with a picture what each count below them is, and the reward capsule.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"
#include "tools/assetpack/UnitArt.h"

namespace {

// Where the count icon sits in a 512 x 256 ornament: the board draws the
// ornament at 1.05 and mirrored, 135 beside its centre, 35 above it, and its
// count 145 beside the centre and 81 below it, so at (265.5, 171) (the left
// one; 246.5 on the right) the icon stands 10 above its count's digits.
// On a mini-game both move up together; the text band still holds the icon.
constexpr double kIconX[2] = {265.5, 246.5};
constexpr double kIconY = 171.0;
constexpr double kIconR = 40.0;

// A spiky burst, the outline of a blast.
void Burst(Painter& p, double cx, double cy, double r, int points, const Paint& paint) {
    std::vector<Vec2> v;
    for (int i = 0; i < points * 2; ++i) {
        const double a = i * kPi / points + 0.2, rr = i % 2 ? r * 0.55 : r * (i % 4 ? 0.9 : 1.0);
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(v, paint);
}

// A unit figure in the icon's disc (DrawUnit's 100 x 100 box, ground at +40).
void Figure(Painter& p, const UnitLook& look, double cx, double cy, double r, double tilt, int act) {
    p.Push();
    p.Translate(cx, cy);
    p.Rotate(tilt);
    p.ScaleBy(r / 52.0, r / 52.0);
    UnitPose pose;
    pose.act = act;
    DrawUnit(p, look, pose);
    p.Pop();
}

// Robots lost: a Tinkerling knocked askew, a crack across it and a plaster.
void LostRobotIcon(Painter& p, double cx, double cy, double r) {
    p.Circle(cx, cy, r, Inked(ui::kPanelLight, 3, 0.5));
    p.Ring(cx, cy, r - 3, 3, Solid(Rgba{220, 70, 70, 255}));
    Figure(p, LookForUnit("Gunner Bot", 1, 0x4f81bd), cx, cy - r * 0.05, r * 0.95, -0.25, 1);
    p.Polygon({{cx - r * 0.1, cy - r * 0.55},
               {cx + r * 0.08, cy - r * 0.25},
               {cx - r * 0.06, cy - r * 0.05},
               {cx + r * 0.12, cy + r * 0.2},
               {cx + r * 0.02, cy + r * 0.22},
               {cx - r * 0.16, cy - r * 0.05},
               {cx - r * 0.02, cy - r * 0.25},
               {cx - r * 0.2, cy - r * 0.5}},
              Solid(Rgba{20, 16, 24, 255}));
    p.Push();
    p.Translate(cx + r * 0.3, cy - r * 0.3);
    p.Rotate(0.7);
    p.Box(-r * 0.32, -r * 0.11, r * 0.64, r * 0.22, r * 0.08, Inked(Rgba{236, 200, 150, 255}, 1.5, 0.3));
    p.Rotate(-1.4);
    p.Box(-r * 0.32, -r * 0.11, r * 0.64, r * 0.22, r * 0.08, Inked(Rgba{236, 200, 150, 255}, 1.5, 0.3));
    p.Pop();
}

// Machines destroyed: a Machine in the middle of a blast.
void DestroyedMachineIcon(Painter& p, double cx, double cy, double r) {
    p.Circle(cx, cy, r, Inked(ui::kPanelLight, 3, 0.5));
    p.Ring(cx, cy, r - 3, 3, Solid(Rgba{250, 170, 60, 255}));
    Burst(p, cx, cy, r * 0.95, 9, Inked(Rgba{255, 150, 40, 255}, 1.5, 0.2));
    Burst(p, cx, cy, r * 0.62, 7, Solid(Rgba{255, 232, 120, 255}));
    Figure(p, LookForUnit("Smasher", 1000, 0xc0504d), cx, cy, r * 0.85, 0.3, 1);
    p.Glow(cx + r * 0.35, cy - r * 0.35, r * 0.45, Rgba{255, 250, 210, 200}, 1.5);
}

}  // namespace

void DrawDecor(Canvas& c, const ArtJob& job) {
    // The board draws these mirrored beside its centre: the ornament sits on
    // the side that ends up at the board's outer edge.
    Painter p(c);
    double w = c.Width(), h = c.Height();
    bool right = job.Number() % 2 == 1;
    double x = right ? w * 0.9 : w * 0.1;
    p.Capsule(x, h * 0.1, x, h * 0.85, w * 0.022, Paint{ui::kBrass, ui::kFrameDark, 2, 0.6});
    for (int i = 0; i < 3; ++i)
        p.Box(x - w * 0.035, h * (0.2 + 0.25 * i), w * 0.07, h * 0.05, 2,
              Paint{ui::kFrameLight, ui::kFrameDark, 1.5, 0.8});
    double gx = right ? w * 0.82 : w * 0.18;
    for (int i = 0; i < 2; ++i) {
        double r = h * (i ? 0.1 : 0.16), cx = gx + (right ? -1 : 1) * i * h * 0.22, cy = h * (0.82 - 0.05 * i);
        std::vector<Vec2> gear;
        for (int k = 0; k < 40; ++k) {
            double a = k * kPi / 20, rr = (k / 2) % 2 ? r : r * 0.8;
            gear.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
        }
        p.Polygon(gear, Paint{i ? ui::kBrass : Rgba{150, 158, 172, 255}, ui::kFrameDark, 2, 0.7});
        p.Circle(cx, cy, r * 0.3, Paint{ui::kInset, ui::kFrameDark, 1.5, 0});
    }
    if (job.Number() == 1 || job.Number() == 2) {
        const int n = job.Number() - 1;
        const double s = w / 512.0;
        if (n == 0) LostRobotIcon(p, kIconX[0] * s, kIconY * h / 256.0, kIconR * s);
        else DestroyedMachineIcon(p, kIconX[1] * s, kIconY * h / 256.0, kIconR * s);
    }
}

namespace {

constexpr int kCapsuleFrames = 10;

// The capsule's shell: an iris of blades between the aperture (radius a) and
// the rim (radius r), blade edges tangent to the aperture as in a shutter.
void Iris(Painter& p, double cx, double cy, double r, double a, double turn) {
    constexpr int kBlades = 8;
    const double l = std::sqrt(std::max(0.0, r * r - a * a));
    for (int i = 0; i < kBlades; ++i) {
        const double t0 = turn + i * 2 * kPi / kBlades, t1 = t0 + 2 * kPi / kBlades;
        std::vector<Vec2> v;
        auto tangentEnd = [&](double t) {
            return Vec2{cx + a * std::cos(t) - l * std::sin(t), cy + a * std::sin(t) + l * std::cos(t)};
        };
        v.push_back({cx + a * std::cos(t0), cy + a * std::sin(t0)});
        const Vec2 e0 = tangentEnd(t0), e1 = tangentEnd(t1);
        const double r0 = std::atan2(e0.y - cy, e0.x - cx);
        double r1 = std::atan2(e1.y - cy, e1.x - cx);
        while (r1 < r0) r1 += 2 * kPi;
        for (int k = 0; k <= 8; ++k) {
            const double q = r0 + (r1 - r0) * k / 8;
            v.push_back({cx + r * std::cos(q), cy + r * std::sin(q)});
        }
        v.push_back({cx + a * std::cos(t1), cy + a * std::sin(t1)});
        for (int k = 7; k >= 1 && a > 0.5; --k) {  // back along the aperture
            const double q = t0 + (t1 - t0) * k / 8;
            v.push_back({cx + a * std::cos(q), cy + a * std::sin(q)});
        }
        const Rgba blade = i % 2 ? Rgba{176, 70, 62, 255} : Rgba{204, 92, 76, 255};
        p.Polygon(v, Inked(blade, 1.6, 0.5));
    }
}

}  // namespace

// The reward capsule opening (frame 0 shut, 9 open): its shell hides the
// prize that is drawn under it, 25 below its centre and up to 128 square
// (or a robot's picture a little higher or lower), so it fills most of the
// 256 square the player clicks; the shutter opens from the middle and leaves
// a see-through hole the prize shows through.
void DrawCapsule(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double s = c.Width() / 256.0;
    const int frame = std::clamp(job.file.frame - 1, 0, kCapsuleFrames - 1);
    const double open = frame < 2 ? 0.0 : std::pow((frame - 1) / double(kCapsuleFrames - 2), 0.8);
    const double cx = 128 * s, cy = 130 * s, shell = 94 * s;
    p.Ellipse(cx, cy + 114 * s, 70 * s, 8 * s, Soft(Rgba{0, 0, 0, 80}, 4 * s));
    // Casing: steel with a brass rim around the shutter, bolts, a lifting eye.
    p.Capsule(cx, 12 * s, cx, 24 * s, 7 * s, Inked(ui::kBrass, 2 * s, 0.6));
    p.Circle(cx, 12 * s, 3 * s, Solid(ui::kFrameDark));
    p.Box(cx - 44 * s, 226 * s, 88 * s, 20 * s, 8 * s, Inked(ui::kFrame, 2 * s, 0.7));
    const double ring = shell + 14 * s;
    // The rim is a ring once the shutter has gone: the hole stays see-through.
    p.Ring(cx, cy, shell + 7 * s, 16 * s, Inked(ui::kFrameLight, 2 * s, 0.6));
    p.Ring(cx, cy, shell + 2 * s, 5 * s, Solid(ui::kBrass, 0.6));
    for (int i = 0; i < 12; ++i) {
        const double a = i * kPi / 6;
        p.Circle(cx + std::cos(a) * (ring - 7 * s), cy + std::sin(a) * (ring - 7 * s), 3 * s,
                 Inked(ui::kBrassLight, 1 * s, 0.5));
    }
    const double aperture = open * (shell - 2 * s);
    if (aperture < shell - 3 * s) {
        // A backing under the blades, so their seams let nothing through.
        if (aperture < 1) p.Circle(cx, cy, shell, Solid(ui::kFrameDark));
        else p.Ring(cx, cy, (shell + aperture) / 2, shell - aperture, Solid(ui::kFrameDark));
        Iris(p, cx, cy, shell, aperture, open * kPi / 3);
    }
    if (frame == 0) p.Glow(cx - shell * 0.35, cy - shell * 0.4, shell * 0.35, Rgba{255, 255, 255, 110}, 1.6);
    if (frame >= 1) {
        // Light breaks out of the opening.
        const double r = std::max(aperture, 10 * s);
        p.Ring(cx, cy, r, 6 * s * (1.2 - open * 0.7), Soft(Rgba{255, 236, 150, 200}, 3 * s));
    }
}

namespace {

void Flask(Painter& p, double cx, double cy, double r, Rgba liquid) {
    const Paint glass = Inked(Rgba{210, 236, 246, 255}, 2.5, 0.4);
    p.Polygon({{cx - r * 0.18, cy - r * 0.9},
               {cx + r * 0.18, cy - r * 0.9},
               {cx + r * 0.18, cy - r * 0.3},
               {cx + r * 0.7, cy + r * 0.75},
               {cx - r * 0.7, cy + r * 0.75},
               {cx - r * 0.18, cy - r * 0.3}},
              glass);
    p.Polygon({{cx - r * 0.42, cy + r * 0.2},
               {cx + r * 0.42, cy + r * 0.2},
               {cx + r * 0.62, cy + r * 0.68},
               {cx - r * 0.62, cy + r * 0.68}},
              Solid(liquid, 0.5));
    p.Circle(cx - r * 0.1, cy + r * 0.02, r * 0.08, Solid(WithAlpha(liquid, 200)));
    p.Circle(cx + r * 0.08, cy - r * 0.2, r * 0.06, Solid(WithAlpha(liquid, 170)));
    p.Box(cx - r * 0.26, cy - r * 1.0, r * 0.52, r * 0.14, 2, Inked(ui::kBrass, 2, 0.6));
}

void SmallStar(Painter& p, double cx, double cy, double r) {
    std::vector<Vec2> v;
    for (int i = 0; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5, rr = i % 2 ? r * 0.45 : r;
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(v, Inked(Rgba{255, 210, 70, 255}, 2, 0.6));
}

}  // namespace

// A feature the player has opened, as the "New unlocks!" board shows it over
// its turning glows: a brass badge with the feature's sign (file 01 the
// laboratory, 02 the Robopedia, 03 the difficulty, 04 the achievements, 05
// the mini-games, 06 the advanced laboratory, 07 and 08 the second and the
// third episode, with the episode's number and the word).
void DrawFeature(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height(), s = std::min(w, h);
    // The board draws the picture 70 above its own centre and writes the
    // feature's name 30 below it: the badge stands high in the picture and
    // ends above that line.
    const double cx = w / 2, cy = h / 2 - s * 0.047, r = s * 0.24;
    const int feature = std::max(1, job.Number()) - 1;
    static const Rgba kTints[8] = {{60, 130, 110, 255}, {60, 100, 160, 255}, {150, 90, 50, 255}, {150, 120, 40, 255},
                                   {130, 60, 120, 255}, {50, 120, 150, 255}, {150, 60, 60, 255}, {80, 70, 150, 255}};
    const Rgba tint = kTints[feature % 8];
    p.Circle(cx, cy, s * 0.38, Solid(ui::kFrameDark));
    p.Circle(cx, cy, s * 0.36, Solid(ui::kBrass, 0.7));
    p.Circle(cx, cy, s * 0.32, Solid(tint, 0.6));
    p.Glow(cx, cy - s * 0.1, s * 0.27, Rgba{255, 255, 255, 45});
    const Paint sign = Inked(ui::kText, 2.5, 0.3);
    switch (feature) {
    case 0: Flask(p, cx, cy, r, Rgba{110, 230, 140, 255}); break;
    case 1:  // an open book with a cog on its page
        OpenBook(p, cx, cy, r * 0.95, r * 0.45, r * 0.7, r * 0.55, r * 0.8, sign);
        Gear(p, cx + r * 0.48, cy + r * 0.02, r * 0.28, 8, Rgba{120, 160, 200, 255}, 1.5);
        for (int i = 0; i < 3; ++i)
            p.Capsule(cx - r * 0.75, cy - r * (0.3 - i * 0.3), cx - r * 0.2, cy - r * (0.18 - i * 0.3), r * 0.04,
                      Solid(Rgba{90, 100, 120, 255}));
        break;
    case 2: {  // a dial with its needle far over to the right
        p.Circle(cx, cy + r * 0.2, r * 0.95, sign);
        static const Rgba kBands[3] = {{110, 220, 120, 255}, {250, 200, 70, 255}, {230, 80, 70, 255}};
        for (int i = 0; i < 3; ++i)
            for (int k = 0; k < 6; ++k) {
                const double a = kPi + (i * 6 + k) * kPi / 18;
                p.Circle(cx + std::cos(a) * r * 0.72, cy + r * 0.2 + std::sin(a) * r * 0.72, r * 0.1, Solid(kBands[i]));
            }
        p.Capsule(cx, cy + r * 0.2, cx + r * 0.5, cy - r * 0.3, r * 0.07, Solid(ui::kFrameDark));
        p.Circle(cx, cy + r * 0.2, r * 0.14, Inked(ui::kBrass, 2, 0.5));
        break;
    }
    case 3:  // a trophy cup
        p.Ring(cx - r * 0.55, cy - r * 0.25, r * 0.28, r * 0.1, Inked(Rgba{250, 200, 60, 255}, 2, 0.5));
        p.Ring(cx + r * 0.55, cy - r * 0.25, r * 0.28, r * 0.1, Inked(Rgba{250, 200, 60, 255}, 2, 0.5));
        p.Polygon({{cx - r * 0.6, cy - r * 0.7},
                   {cx + r * 0.6, cy - r * 0.7},
                   {cx + r * 0.4, cy + r * 0.1},
                   {cx + r * 0.12, cy + r * 0.3},
                   {cx - r * 0.12, cy + r * 0.3},
                   {cx - r * 0.4, cy + r * 0.1}},
                  Inked(Rgba{250, 200, 60, 255}, 2.5, 0.7));
        p.Box(cx - r * 0.1, cy + r * 0.28, r * 0.2, r * 0.3, 1, Inked(Rgba{220, 170, 50, 255}, 2, 0.5));
        p.Box(cx - r * 0.45, cy + r * 0.55, r * 0.9, r * 0.25, r * 0.05, Inked(Rgba{150, 100, 60, 255}, 2, 0.5));
        SmallStar(p, cx, cy - r * 0.28, r * 0.22);
        break;
    case 4:  // a joystick
        p.Box(cx - r * 0.8, cy + r * 0.3, r * 1.6, r * 0.5, r * 0.15, Inked(Rgba{70, 80, 100, 255}, 2.5, 0.6));
        p.Capsule(cx, cy + r * 0.35, cx - r * 0.25, cy - r * 0.45, r * 0.1, Inked(Rgba{200, 206, 216, 255}, 2, 0.5));
        p.Circle(cx - r * 0.28, cy - r * 0.55, r * 0.28, Inked(Rgba{230, 70, 60, 255}, 2.5, 0.7));
        p.Circle(cx + r * 0.45, cy + r * 0.5, r * 0.12, Inked(Rgba{110, 220, 120, 255}, 2, 0.5));
        break;
    case 5:  // the laboratory's flask, with a star
        Flask(p, cx - r * 0.1, cy + r * 0.05, r * 0.9, Rgba{240, 130, 230, 255});
        SmallStar(p, cx + r * 0.6, cy - r * 0.55, r * 0.35);
        break;
    default: {  // an episode: its number over the word
        const std::string number = feature == 6 ? "2" : "3";
        OutlinedText(c, job.text, number, static_cast<int>(cx - r), static_cast<int>(cy - r * 1.05),
                     static_cast<int>(r * 2), static_cast<int>(r * 1.45), ui::kBrassLight, Rgba{30, 16, 8, 255},
                     static_cast<int>(r * 1.3), 3);
        p.Box(cx - s * 0.34, cy + r * 0.42, s * 0.68, r * 0.62, r * 0.15, Inked(Shade(tint, 0.7f), 2.5, 0.6));
        OutlinedText(c, job.text, "EPISODE", static_cast<int>(cx - s * 0.32), static_cast<int>(cy + r * 0.45),
                     static_cast<int>(s * 0.64), static_cast<int>(r * 0.56), ui::kText, Rgba{10, 16, 30, 255},
                     static_cast<int>(r * 0.5), 2);
        break;
    }
    }
}
