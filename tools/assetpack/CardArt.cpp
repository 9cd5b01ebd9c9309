// Units in battle, on cards and in the encyclopedia, and achievement medals.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"
#include "tools/assetpack/UnitArt.h"

namespace {

// The figure of unit `id`, idle, in a box of the canvas.
void Figure(Painter& p, const ArtJob& job, int id, double x, double y, double size, int act = 1, double phase = 0.1) {
    UnitLook look = LookForUnit(job.item.label, id, job.item.colour);
    UnitPose pose;
    pose.act = act;
    pose.phase = phase;
    pose.frames = 4;
    // Small units are shown bigger so every card and portrait is filled.
    double grow = std::clamp(1.0 / look.size, 0.9, 1.35);
    if (look.special == Special::Clock || look.special == Special::Cage || look.special == Special::Missile ||
        look.special == Special::Ray)
        grow *= 1.4;
    // Grown about the ground line, which stays where an ordinary unit stands.
    p.Push();
    p.Translate(x, y + 40 * size / 100);
    p.ScaleBy(size / 100 * grow, size / 100 * grow);
    p.Translate(0, -40);
    DrawUnit(p, look, pose);
    p.Pop();
}

void CardBack(Painter& p, double w, double h, Rgba tint, bool blank) {
    double r = w * 0.08;
    p.Box(0, 0, w, h, r, Solid(ui::kFrameDark));
    p.Box(2, 2, w - 4, h - 4, r, Solid(blank ? Rgba{120, 124, 130, 255} : ui::kBrass, 0.8));
    p.Box(5, 5, w - 10, h - 10, r * 0.7, Solid(ui::kInset));
    Rgba top = blank ? Rgba{70, 74, 80, 255} : Mix(tint, Rgba{255, 255, 255, 255}, 0.25);
    p.Box(7, 7, w - 14, h * 0.72 - 7, r * 0.5, Solid(top, 0.9));
    // Gear teeth pattern faintly behind the figure.
    p.Ring(w / 2, h * 0.4, w * 0.28, w * 0.05, Solid(Rgba{255, 255, 255, 40}));
}

void CostArea(Painter& p, double w, double h) {
    double y = h * 0.74, ch = h * 0.2;
    p.Box(8, y, w - 16, ch, ch * 0.4, Inked(Rgba{20, 32, 46, 255}, 1.5, -0.4));
    double r = ch * 0.36;
    p.Glow(8 + r * 1.6, y + ch / 2, r * 2, Rgba{120, 230, 255, 150});
    p.Circle(8 + r * 1.6, y + ch / 2, r, Inked(Rgba{60, 170, 240, 255}, 1.2));
    p.Polygon({{8 + r * 1.7, y + ch / 2 - r * 0.7},
               {8 + r * 1.2, y + ch / 2 + r * 0.1},
               {8 + r * 1.6, y + ch / 2 + r * 0.1},
               {8 + r * 1.5, y + ch / 2 + r * 0.7},
               {8 + r * 2.0, y + ch / 2 - r * 0.15},
               {8 + r * 1.6, y + ch / 2 - r * 0.15}},
              Solid(Rgba{255, 250, 190, 255}));
}

}  // namespace

void DrawUnitFrame(Canvas& c, const ArtJob& job) {
    Painter p(c);
    int id = UnitIdFromPath(job.file.path);
    UnitLook look =
        LookForUnit(job.item.label, id < 0 ? static_cast<int>(HashText(job.item.path) % 1000) : id, job.item.colour);
    UnitPose pose;
    pose.act = job.file.act;
    int frames = job.file.act >= 1 && static_cast<size_t>(job.file.act) <= job.item.frames.size()
                     ? job.item.frames[static_cast<size_t>(job.file.act - 1)]
                     : 1;
    pose.frames = std::max(1, frames);
    pose.frame = std::max(0, job.file.frame - 1);
    pose.phase = double(pose.frame) / pose.frames;
    const double W = c.Width(), H = c.Height();
    // Feet near the bottom edge, where the game puts the unit's ground line;
    // big units are shrunk so their heads stay inside.
    const double s = std::min(W, H) / 100.0 * 0.9 / std::max(1.0, look.size);
    double ground = H * 0.93;
    // The body is set where the battle puts the unit's point, a margin in
    // from its edges: raised on its legs, base or treads, or the whole figure
    // moved when it floats; what the body cannot span a mast or keel does.
    const PointPlace point = PointPlaceFor(look, pose.act, W, H);
    const double margin = 8;
    double top = 0, bottom = 0;
    BodySpan(look, top, bottom);
    auto row = [&](double y) { return ground - 40 * s + (40 - (40 - y) * look.size) * s; };
    auto unitY = [&](double r) { return 40 - (40 - (r - ground + 40 * s) / s) / look.size; };
    const double want = (point.firstRow + point.lastRow) / 2;
    const bool covered = row(top) <= point.firstRow - margin && row(bottom) >= point.lastRow + margin;
    const bool stands = look.move == Move::Legs || look.move == Move::Spider || look.move == Move::Wheels ||
                        look.move == Move::Treads || look.move == Move::Still;
    if (!covered) {
        const double centre = (row(top) + row(bottom)) / 2;
        if (stands && centre > want) look.lift = (centre - want) / (s * look.size);
        else ground += want - centre;
    }
    BodySpan(look, top, bottom);
    if (look.special != Special::Missile && row(top) > point.firstRow - margin)
        look.mastTop = unitY(point.firstRow - margin - 2);
    if (look.special != Special::Missile && row(bottom) < point.lastRow + margin)
        look.keelBottom = unitY(point.lastRow + margin + 2);
    p.Translate(point.column, ground - 40 * s);
    p.ScaleBy(s, s);
    DrawUnit(p, look, pose);
}

// A card picture lies on its card background at the same size; its outer
// rim is see-through, so the background's own rim (plain or upgraded) shows,
// and a card the Robopedia grows to 1.21 times stays inside the menu frame.
constexpr int kCardPictureRim = 4;

void DrawCard(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    int id = std::max(0, UnitIdFromPath(job.file.path));
    UnitLook look = LookForUnit(job.item.label, id, job.item.colour);
    CardBack(p, w, h, look.main, false);
    Figure(p, job, id, w / 2, h * 0.4, w * 0.78);
    CostArea(p, w, h);
    const int rim = kCardPictureRim, cw = c.Width(), ch = c.Height();
    c.Cut(0, 0, cw, rim);
    c.Cut(0, ch - rim, cw, rim);
    c.Cut(0, 0, rim, ch);
    c.Cut(cw - rim, 0, rim, ch);
}

void DrawCardFrame(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    if (job.Has("select") || job.Has("full")) {
        // A glowing rim only: the card shows through.
        Rgba glow = job.Has("full") ? Rgba{120, 230, 255, 255} : Rgba{255, 220, 90, 255};
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x) {
                double d = std::min({double(x), double(y), w - 1 - x, h - 1 - y});
                double a = std::clamp(1.0 - d / (w * 0.1), 0.0, 1.0);
                if (a > 0) c.Blend(x, y, glow, static_cast<uint8_t>(std::lround(std::pow(a, 1.5) * 240)));
            }
        p.Box(3, 3, w - 6, h - 6, w * 0.08, Paint{Rgba{0, 0, 0, 0}, WithAlpha(glow, 255), 3, 0});
        return;
    }
    bool blank = job.Has("blank");
    CardBack(p, w, h, FromHex(job.item.colour), blank);
    if (blank) {
        p.Circle(w / 2, h * 0.4, w * 0.16, Solid(Rgba{100, 104, 110, 255}));
        p.Circle(w / 2, h * 0.4, w * 0.07, Solid(Rgba{70, 74, 80, 255}));
    } else {
        CostArea(p, w, h);
    }
}

// The Remover Bot's own card in the HUD: a wide plate with the robot on it;
// face 2 (the card carried) lit brighter.
void DrawRemoverFace(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), r = h * 0.3;
    bool held = job.Number() == 2;
    p.Box(0, 0, w, h, r, Solid(ui::kFrameDark));
    p.Box(2, 2, w - 4, h - 4, r, Solid(held ? ui::kBrassLight : ui::kBrass, 0.8));
    p.Box(5, 5, w - 10, h - 10, r * 0.8, Solid(ui::kInset));
    Rgba tint = Mix(FromHex(job.item.colour), Rgba{255, 255, 255, 255}, held ? 0.45 : 0.2);
    p.Box(7, 7, w - 14, h - 14, r * 0.7, Solid(tint, 0.9));
    p.Ring(w / 2, h / 2, h * 0.3, h * 0.05, Solid(Rgba{255, 255, 255, 40}));
    Figure(p, job, 39, w / 2, h * 0.5, h * 0.95);
}

void DrawPortrait(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    int id = UnitIdFromPath(job.file.path);
    if (job.Has("copter")) id = 1026;  // the Gyrotor's three pictures
    if (job.Has("machineupgrade")) id = 1002;
    if (id < 0) id = 1000;
    UnitLook look = LookForUnit(job.Has("copter")           ? "Gyrotor"
                                : job.Has("machineupgrade") ? "Heavy Smasher"
                                                            : job.item.label,
                                id, job.item.colour);
    int variant = job.Number();
    double phase = job.Has("copter") ? (variant - 1) / 3.0 : 0.1;
    int act = job.Has("copter") && variant == 3 ? 2 : 1;
    if (job.Has("copter")) {
        // The Gyrotor that lifts a new flying Machine is drawn behind that
        // Machine's portrait, its rotor over the portrait's window: it has no
        // window of its own, only the Gyrotor, high in the picture.
        Figure(p, job, id, w / 2, h * 0.3, std::min(w, h) * 0.8, act, phase);
        return;
    }
    // Backdrop: a round window in the side's colour.
    Rgba back = look.machine ? Rgba{60, 30, 40, 255} : Rgba{30, 70, 100, 255};
    double r = std::min(w, h) * 0.46;
    p.Glow(w / 2, h / 2, r * 1.1, WithAlpha(Mix(back, look.accent, 0.5), 200), 1.2);
    p.Circle(w / 2, h / 2, r, Inked(back, 3, -0.6));
    p.Ring(w / 2, h / 2, r - 2, 4, Solid(look.machine ? Rgba{150, 60, 60, 255} : ui::kBrass, 0.6));
    Figure(p, job, id, w / 2, h / 2 + std::min(w, h) * 0.04, std::min(w, h) * 0.9, act, phase);
    if (job.Has("machineupgrade"))
        for (int i = 0; i < 3; ++i) {
            double x = w * 0.78, y = h * 0.25 + i * h * 0.2;
            p.Polygon({{x, y - 10},
                       {x + 12, y + 4},
                       {x + 4, y + 4},
                       {x + 4, y + 12},
                       {x - 4, y + 12},
                       {x - 4, y + 4},
                       {x - 12, y + 4}},
                      Inked(Rgba{255, 90, 60, 255}, 1.5));
        }
}

void DrawMedal(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h);
    // 1 to 40 an achievement's own medal, 0 the one not yet earned.
    const int n = job.Number();
    // Ranked sets (the trophies, the three kinds of Machine, the defence
    // line) go bronze, silver, gold; the locked medal is dull grey.
    static const Rgba kMetals[4] = {
        {200, 130, 70, 255}, {196, 204, 214, 255}, {250, 200, 60, 255}, {130, 132, 138, 255}};
    int tier = 2;
    if (n >= 7 && n <= 18) tier = (n - 7) % 3;
    else if (n >= 21 && n <= 23) tier = n - 21;
    else if (n == 0) tier = 3;
    Rgba metal = kMetals[tier];
    static const Rgba kRibbon[5] = {
        {200, 60, 60, 255}, {60, 110, 200, 255}, {60, 160, 90, 255}, {150, 80, 180, 255}, {230, 150, 40, 255}};
    Rgba ribbon = n == 0 ? Rgba{90, 92, 100, 255} : kRibbon[(std::max(1, n) - 1) % 5];
    double cx = w / 2, cy = h * 0.56, r = s * 0.34;
    p.Polygon({{cx - r * 0.7, h * 0.04}, {cx - r * 0.05, h * 0.04}, {cx, cy - r * 0.6}, {cx - r * 0.4, cy - r * 0.5}},
              Inked(ribbon, 1.5, 0.3));
    p.Polygon({{cx + r * 0.7, h * 0.04}, {cx + r * 0.05, h * 0.04}, {cx, cy - r * 0.6}, {cx + r * 0.4, cy - r * 0.5}},
              Inked(Shade(ribbon, 0.8f), 1.5, 0.3));
    // A toothed rim like a gear, then the face with the achievement's emblem.
    std::vector<Vec2> gear;
    for (int i = 0; i < 32; ++i) {
        double a = i * kPi / 16;
        double rr = i % 2 ? r * 1.08 : r * 0.98;
        gear.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(gear, Inked(Shade(metal, 0.8f), 2, 0.6));
    p.Circle(cx, cy, r * 0.8, Inked(Mix(metal, Rgba{255, 255, 255, 255}, 0.35), 1.5, 1.0));
    DrawAchievementEmblem(p, n, cx, cy, r * 0.78);
}

// The in-battle notice's board: the battle draws the medal first, at 0.6 of
// its size 3 right of and 5 above the board's middle, then this board over
// it, so the board is a frame round a see-through window where the medal
// shows, with a word above and below. It stands 56 either side of x 380,
// inside the screen's right edge.
void DrawAchievementNotice(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    const double mx = w / 2 + 3, my = h / 2 - 5, half = 128 * 0.6 / 2 + 2;
    BevelBox(p, 2, 2, w - 4, h - 4, 12, Rgba{150, 44, 44, 255}, 4);
    p.Box(mx - half - 4, my - half - 4, half * 2 + 8, half * 2 + 8, 12, Inked(ui::kBrass, 2, 0.7));
    const double r = 10;  // the window's rounded corners
    for (int y = int(my - half); y < int(my + half); ++y) {
        const double dy = std::max(0.0, std::max(my - half + r - (y + 0.5), (y + 0.5) - (my + half - r)));
        const double inset = r - std::sqrt(std::max(0.0, r * r - dy * dy));
        const int x0 = int(std::lround(mx - half + inset)), x1 = int(std::lround(mx + half - inset));
        c.Cut(x0, y, x1 - x0, 1);
    }
    const int top = int(my - half - 6), bottom = int(my + half + 6);
    OutlinedText(c, job.text, "NEW!", 8, 4, int(w) - 16, top - 4, ui::kBrassLight, ui::kFrameDark, 22, 2);
    OutlinedText(c, job.text, "ACHIEVEMENT", 6, bottom, int(w) - 12, int(h) - 4 - bottom, ui::kText, ui::kFrameDark, 16,
                 2);
}
