// The mini-games' interface sheet, cut by the battle page into four pictures
// drawn at their own size: the counter panel (bottom left quarter-strip), the
// slot machine's reel frame (bottom right), its body (top left, three quarters
// square) and its lever (top right corner).
//
// The slot machine stands on the hand row. The page draws the body centred
// 5 px below the row, the three reels 91 px apart on the row, showing only
// 50 px below to 48 px above it, and the frame last, scaled (1.03, 0.95) and
// centred 11 px right of the body, 1 px below the row. The body and the frame
// leave the reels' windows fully transparent so the turning cards show.
#include <algorithm>
#include <cmath>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Palette.h"

namespace {

const Rgba kSteel{150, 160, 176, 255};
const Rgba kSteelDark{70, 80, 98, 255};
const Rgba kCabinet{150, 44, 52, 255};
const Rgba kRim{255, 216, 120, 255};

// Reels: centres and half width in screen pixels; the window's reach below
// and above the row.
const double kReelX[3] = {-91.0, 0.0, 91.0};
constexpr double kReelHalfWidth = 42.0;
constexpr double kWindowBelow = 50.0, kWindowAbove = 48.0;

// A rectangle of the screen, given in a cell whose centre sits at screen
// (cx, cy) relative to the row, scaled (sx, sy): the cell's pixel box.
struct Box {
    double x0, y0, x1, y1;
};

Box ToCell(double cellW, double cellH, double cx, double cy, double sx, double sy, double left, double right,
           double bottom, double top) {
    return Box{cellW / 2 + (left - cx) / sx, cellH / 2 - (top - cy) / sy, cellW / 2 + (right - cx) / sx,
               cellH / 2 - (bottom - cy) / sy};
}

void CutWindow(Canvas& c, Painter& p, double ox, double oy, const Box& b) {
    // A bright rim round the glass, then the glass taken away.
    p.Box(ox + b.x0 - 4, oy + b.y0 - 4, b.x1 - b.x0 + 8, b.y1 - b.y0 + 8, 5, Solid(ui::kFrameDark));
    p.Box(ox + b.x0 - 2.5, oy + b.y0 - 2.5, b.x1 - b.x0 + 5, b.y1 - b.y0 + 5, 4, Solid(kRim, 0.6));
    const int x0 = static_cast<int>(std::floor(ox + b.x0)), y0 = static_cast<int>(std::floor(oy + b.y0));
    c.Cut(x0, y0, static_cast<int>(std::ceil(ox + b.x1)) - x0, static_cast<int>(std::ceil(oy + b.y1)) - y0);
}

void Body(Canvas& c, double ox, double oy, double w, double h) {
    Painter p(c);
    // Screen rows relative to the hand row: the body's centre is 5 below it.
    auto cellY = [&](double dy) { return h / 2 - (dy + 5.0); };
    const double top = cellY(72.0), left = w / 2 - 172.0, right = w / 2 + 172.0;
    BevelBox(p, ox + left, oy + top, right - left, h - top, 14, kCabinet, 4);
    // A crown of lamps along the top edge.
    p.Box(ox + left + 10, oy + top + 5, right - left - 20, 16, 7, Inked(ui::kBrass, 1.2));
    for (int i = 0; i < 15; ++i) {
        const double x = ox + left + 22 + i * (right - left - 44) / 14.0;
        p.Glow(x, oy + top + 13, 7, Rgba{255, 230, 140, 120});
        p.Circle(x, oy + top + 13, 3.5, Solid(i % 2 ? Rgba{255, 240, 170, 255} : Rgba{255, 120, 90, 255}, 0.5));
    }
    // The reel housing behind the glass, then the glass itself.
    const Box housing = ToCell(w, h, 0, -5, 1, 1, -140, 140, -kWindowBelow - 8, kWindowAbove + 8);
    p.Box(ox + housing.x0, oy + housing.y0, housing.x1 - housing.x0, housing.y1 - housing.y0, 8, Solid(ui::kInset));
    for (double x : kReelX)
        CutWindow(c, p, ox, oy,
                  ToCell(w, h, 0, -5, 1, 1, x - kReelHalfWidth, x + kReelHalfWidth, -kWindowBelow, kWindowAbove));
}

void Frame(Canvas& c, double ox, double oy, double w, double h) {
    Painter p(c);
    // Screen to cell: centred 11 right of the body and 1 below the row, scaled (1.03, 0.95).
    p.Box(ox + 1, oy + 1, w - 2, h - 2, 16, Inked(kSteel, 2, 0.9));
    p.Box(ox + 6, oy + 6, w - 12, h - 12, 12, Solid(kSteelDark, -0.4));
    for (double x : kReelX) {
        const Box b =
            ToCell(w, h, 11, -1, 1.03, 0.95, x - kReelHalfWidth, x + kReelHalfWidth, -kWindowBelow, kWindowAbove);
        CutWindow(c, p, ox, oy, b);
    }
    // The pay line: an arrow each side of the reels.
    const Box first = ToCell(w, h, 11, -1, 1.03, 0.95, kReelX[0] - kReelHalfWidth, 0, 0, 0);
    const Box last = ToCell(w, h, 11, -1, 1.03, 0.95, 0, kReelX[2] + kReelHalfWidth, 0, 0);
    const double mid = oy + first.y0;
    const Paint red = Inked(Rgba{235, 60, 50, 255}, 1.2, 0.5);
    p.Polygon({{ox + first.x0 - 14, mid - 7}, {ox + first.x0 - 5, mid}, {ox + first.x0 - 14, mid + 7}}, red);
    p.Polygon({{ox + last.x1 + 14, mid - 7}, {ox + last.x1 + 5, mid}, {ox + last.x1 + 14, mid + 7}}, red);
    // Bolts in the corners.
    for (double bx : {12.0, w - 12.0})
        for (double by : {12.0, h - 12.0}) p.Circle(ox + bx, oy + by, 3.5, Inked(kSteel, 1, 0.8));
}

void Lever(Canvas& c, double ox, double oy, double w, double h) {
    Painter p(c);
    // It turns about the cell's centre; at rest the page turns it 45 degrees up.
    const double cx = ox + w / 2, cy = oy + h / 2;
    p.Capsule(cx, cy, cx + w * 0.36, cy, 5, Inked(kSteel, 1.5, 0.8));
    p.Glow(cx + w * 0.38, cy, 18, Rgba{255, 120, 100, 110});
    p.Circle(cx + w * 0.38, cy, 12, Inked(Rgba{225, 40, 40, 255}, 1.5, 0.9));
    p.Circle(cx + w * 0.38 - 4, cy - 4, 3.5, Solid(Rgba{255, 200, 200, 220}));
    p.Circle(cx, cy, 11, Inked(kSteelDark, 1.5, 0.8));
    p.Circle(cx, cy, 4, Solid(kSteel));
}

void Panel(Canvas& c, TextRenderer& text, double ox, double oy, double w, double h) {
    Painter p(c);
    // A counter plate across the middle of the strip: its word on the left,
    // a well on the right where the page puts an icon and the count.
    const double y = oy + h * 0.25, ph = h * 0.5;
    BevelBox(p, ox + 4, y, w - 8, ph, ph * 0.3, ui::kFrame, 3);
    p.Box(ox + w * 0.58, y + ph * 0.14, w * 0.39, ph * 0.68, ph * 0.2, Solid(ui::kInset, -0.3));
    OutlinedText(c, text, "Caught", static_cast<int>(ox + 12), static_cast<int>(y + ph * 0.15),
                 static_cast<int>(w * 0.5), static_cast<int>(ph * 0.7), ui::kBrassLight, ui::kFrameDark,
                 static_cast<int>(ph * 0.45));
}

}  // namespace

void DrawMiniGameSheet(Canvas& c, const ArtJob& job) {
    const double W = c.Width(), H = c.Height();
    Panel(c, job.text, 0, H * 0.75, W * 0.375, H * 0.25);
    Frame(c, W * 0.375, H * 0.75, W * 0.625, H * 0.25);
    Body(c, 0, 0, W * 0.75, H * 0.75);
    Lever(c, W * 0.75, 0, W * 0.25, H * 0.25);
}

// A mini-game's button on the list: its world's hills (two mini-games to a
// world, ten to an episode) with the mini-game's name on a dark plate, in
// as few lines as it takes. The list's frame is drawn first and shows round
// it, so the picture fills its square.
void DrawMiniGameCard(Canvas& c, const ArtJob& job) {
    const int n = std::max(1, job.Number());
    const int world = ((n - 1) % 10) / 2 + 1;
    PackFile scene = job.file;
    scene.path = "Resource/Stage/" + std::to_string(world) + "/Bbd_MiniGame.jpg";
    ArtJob sceneJob{job.item, scene, job.text, job.stem, "resource/stage/" + std::to_string(world) + "/bg.jpg"};
    sceneJob.jpg = true;
    DrawBackground(c, sceneJob);
    const std::string name = job.CellText(n - 1);
    if (name.empty()) return;
    // Long names break at the space nearest their middle.
    std::string lines = name;
    if (job.text.Width(name, c.Height() / 8) > c.Width() * 8 / 10) {
        size_t best = std::string::npos;
        for (size_t i = name.find(' '); i != std::string::npos; i = name.find(' ', i + 1))
            if (best == std::string::npos ||
                std::abs(int(i) - int(name.size()) / 2) < std::abs(int(best) - int(name.size()) / 2))
                best = i;
        if (best != std::string::npos) lines = name.substr(0, best) + "\n" + name.substr(best + 1);
    }
    const bool two = lines.find('\n') != std::string::npos;
    const int W = c.Width(), H = c.Height();
    const int plateH = H * (two ? 40 : 26) / 100, plateY = H - plateH - H / 20;
    for (int y = plateY; y < plateY + plateH; ++y)
        for (int x = 0; x < W; ++x) c.Blend(x, y, Rgba{10, 18, 30, 255}, 200);
    for (int x = 0; x < W; ++x) {
        c.Blend(x, plateY, ui::kBrass, 220);
        c.Blend(x, plateY + plateH - 1, ui::kBrass, 220);
    }
    job.text.DrawLabel(c, lines, 3, plateY + 2, W - 6, plateH - 4, ui::kBrassLight, H / 6);
}
