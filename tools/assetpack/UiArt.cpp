// The interface look: deep blue steel frames with brass trim, teal panels,
// soft light. Words only where a picture stands for them (a button's label, a
// notice, the lettered buttons) and real digits.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/Generator.h"
#include "tools/assetpack/Palette.h"

namespace {

// Cells of the item's grid, top-left first.
template <typename F>
void ForCells(Canvas& c, const ArtJob& job, F draw) {
    int cols = job.item.cols, rows = job.item.rows;
    int cw = c.Width() / cols, ch = c.Height() / rows;
    for (int r = 0; r < rows; ++r)
        for (int k = 0; k < cols; ++k) draw(k * cw, r * ch, cw, ch, r * cols + k);
}

void Star(Painter& p, double cx, double cy, double r, double inner, int points, double turn, const Paint& paint) {
    std::vector<Vec2> v;
    for (int i = 0; i < points * 2; ++i) {
        double a = turn - kPi / 2 + i * kPi / points;
        double rr = i % 2 ? r * inner : r;
        v.push_back({cx + std::cos(a) * rr, cy + std::sin(a) * rr});
    }
    p.Polygon(v, paint);
}

void Bolt(Painter& p, double x, double y, double r) {
    p.Circle(x, y, r, Solid(ui::kBrass, 0.8));
    p.Capsule(x - r * 0.5, y - r * 0.5, x + r * 0.5, y + r * 0.5, r * 0.15, Solid(Shade(ui::kBrass, 0.5f)));
}

}  // namespace

void BevelBox(Painter& p, double x, double y, double w, double h, double radius, Rgba face, double rim) {
    p.Box(x, y, w, h, radius, Solid(ui::kFrameDark));
    p.Box(x + rim * 0.5, y + rim * 0.5, w - rim, h - rim, radius, Solid(Shade(face, 1.35f)));
    p.Box(x + rim, y + rim * 1.2, w - rim * 1.6, h - rim * 1.8, std::max(0.0, radius - rim * 0.5),
          Solid(Shade(face, 0.6f)));
    Paint f = Solid(face, 0.9);
    p.Box(x + rim, y + rim, w - rim * 2, h - rim * 2.2, std::max(0.0, radius - rim), f);
}

void OutlinedText(Canvas& c, TextRenderer& text, const std::string& s, int x, int y, int w, int h, Rgba colour,
                  Rgba edge, int maxPixels, int thickness) {
    if (s.empty() || w < 8 || h < 8) return;
    int pixels = std::min(maxPixels, h * 7 / 10);
    while (pixels > 7 && text.Width(s, pixels) > w - 2 * thickness - 4) --pixels;
    int tw = text.Width(s, pixels);
    int ascent = text.Ascent(pixels);
    int lx = x + (w - tw) / 2;
    // Cap height is about 0.72 of the pixel size for a bold sans face.
    int baseline = y + (h + pixels * 72 / 100) / 2;
    (void)ascent;
    for (int dy = -thickness; dy <= thickness; ++dy)
        for (int dx = -thickness; dx <= thickness; ++dx)
            if (dx * dx + dy * dy <= thickness * thickness + 1 && (dx || dy))
                text.Draw(c, s, lx + dx, baseline + dy, pixels, edge);
    text.Draw(c, s, lx, baseline, pixels, colour);
}

// The boards on the medium panel rest up to 40 above the screen's centre: a
// see-through strip over its frame keeps their tops on the 640-high screen.
// Below, the card choice's panel (1.05 high at 80) keeps its window open down
// to the lower depth mask (257 under the screen's centre, 321 of the picture's
// pixels under its middle) with a frame 10 wide, which still ends on the
// screen under a board resting at 40.
constexpr int kMediumPanelClearTop = 74;
constexpr double kMediumPanelRim = 10.0;

void DrawPanel(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    const bool medium = job.Has("msgbox_stdmedium");
    if (medium) {
        p.Translate(0, kMediumPanelClearTop);
        h -= kMediumPanelClearTop;
    }
    // The large panel's reading boards lay their text band and picture band
    // up to 10 px from its sides: its frame is a thin one, the brass line
    // within 10 px of the edge.
    double r = std::min(w, h) * 0.07;
    double rim = job.Has("large") ? 4.5 : medium ? kMediumPanelRim : std::max(4.0, std::min(w, h) * 0.025);
    // Outer steel frame with a brass line, then the teal inner panel.
    p.Box(0, 0, w, h, r, Solid(ui::kFrameDark));
    p.Box(rim * 0.4, rim * 0.4, w - rim * 0.8, h - rim * 0.8, r, Solid(ui::kFrame, 0.9));
    p.Box(rim * 1.6, rim * 1.6, w - rim * 3.2, h - rim * 3.2, r * 0.7, Solid(ui::kBrass, 0.6));
    p.Box(rim * 2.1, rim * 2.1, w - rim * 4.2, h - rim * 4.2, r * 0.6, Solid(ui::kInset));
    Rgba panel = job.Has("large") ? Shade(ui::kPanel, 0.9f) : job.Has("small") ? Shade(ui::kPanel, 1.1f) : ui::kPanel;
    if (job.jpg || job.Has("score")) panel = Mix(panel, ui::kFrame, 0.5);
    p.Box(rim * 2.5, rim * 2.7, w - rim * 5, h - rim * 5.2, r * 0.5, Solid(panel, 0.5));
    // A faint rivet pattern near the edge of the panel.
    for (double x = rim * 5; x < w - rim * 4; x += rim * 6) {
        p.Circle(x, rim * 1.05, rim * 0.22, Solid(ui::kFrameLight));
        p.Circle(x, h - rim * 1.05, rim * 0.22, Solid(ui::kFrameLight));
    }
    Bolt(p, rim * 1.2, rim * 1.2, rim * 0.9);
    Bolt(p, w - rim * 1.2, rim * 1.2, rim * 0.9);
    Bolt(p, rim * 1.2, h - rim * 1.2, rim * 0.9);
    Bolt(p, w - rim * 1.2, h - rim * 1.2, rim * 0.9);
    // Light on the upper half of the glass.
    p.Box(rim * 3, rim * 3, w - rim * 6, (h - rim * 6) * 0.35, r * 0.4, Solid(Rgba{255, 255, 255, 18}));
}

// Dark glass fading out toward both ends, brass rules above and below. The
// message boxes' band lies under the words of many boards at many scales (a
// thin strip under a board's description, the summary's counts, the
// Robopedia's whole text column, the name entry's field and buttons), which
// centre it below their first line: that one is square and dark almost to
// its top and bottom, with short fades at its ends. The reading boards and
// the robot information draw it 1.1 wide 150 left of their centre and 0.6
// wide 280 right of it, on the large panel 880 wide: its ends stay
// see-through over the outer 1.4 %, so both bands end inside that panel's
// thin brass frame, while the discovery and unlock boards' descriptions (to
// 280 either side of the centre at 1.15) stay on it.
constexpr double kBoardBandInset = 0.014;

void DrawBand(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    const bool boards = job.Has("msgbox_stdtextbg");
    const int top = static_cast<int>(h * (boards ? 0.04 : 0.12));
    const int bottom = static_cast<int>(h * (boards ? 0.96 : 0.88));
    const int rule = boards ? std::max(2, c.Height() / 110) : std::max(2, c.Height() / 40);
    const bool plate = job.Has("bbd_textbg");
    const double fade = w * (boards ? 0.014 : plate ? 0.03 : 0.12);
    // The menu's label plate stands under the mission panel's stage labels
    // at 0.66 of its width, over the stage buttons: its ends stay
    // see-through, so the band ends within its button (and inside the
    // screen in the last column), wide enough for the label "5 / 10".
    const int inset = static_cast<int>(w * (plate ? 0.21 : boards ? kBoardBandInset : 0.0));
    const Rgba ruleColour = Mix(ui::kBrass, ui::kBrassLight, 0.3);
    for (int x = 0; x < c.Width(); ++x) {
        const int from = std::min(x - inset, c.Width() - 1 - inset - x);
        if (from < 0) continue;
        const double a = std::min(1.0, from / fade);
        for (int y = top; y < bottom; ++y) {
            const Rgba col = Mix(Rgba{20, 40, 60, 255}, Rgba{8, 18, 30, 255}, double(y) / h);
            c.Blend(x, y, col, static_cast<uint8_t>((boards ? 215 : 210) * a));
        }
        for (int k = 0; k < rule; ++k) {
            c.Blend(x, top + k, ruleColour, static_cast<uint8_t>(230 * a));
            c.Blend(x, bottom - 1 - k, ruleColour, static_cast<uint8_t>(230 * a));
        }
    }
    if (boards) p.Glow(w / 2, h * 0.2, w * 0.3, Rgba{120, 200, 230, 24}, 1.5);
    else p.Glow(w / 2, h * 0.3, w * 0.3, Rgba{120, 200, 230, 30}, 1.5);
}

// The encyclopedias draw their header row 819.2 x 68.27 at (68, 273) and add
// the scroll button's light at (393, 287), where the frame's top rail and the
// sky lie: a dark socket hangs there from the row's top (on the rail, which
// shows through the sheet's gutter above it), so the light reads on it. Its
// box, in the row's own pixels (1024 x 64).
constexpr double kSocketLeft = 858, kSocketRight = 974, kSocketBottom = 43;
// Texels each side of a boundary between a header sheet's rows left see-through.
constexpr int kRowGutter = 2;

static void ScrollSocket(Painter& p, int x, int y) {
    // Rounded below, square at the top with a thin lip of its rim.
    auto layer = [&](double inset, double radius, const Paint& paint) {
        const double left = x + kSocketLeft + inset, width = kSocketRight - kSocketLeft - 2 * inset;
        const double top = y + kRowGutter + inset / 3, height = y + kSocketBottom - inset - top;
        p.Box(left, top, width, height, radius, paint);
        p.Box(left, top, width, radius, 0, paint);
    };
    layer(0, 14, Solid(ui::kFrameDark));
    layer(3, 11, Solid(Mix(ui::kBrass, ui::kFrameDark, 0.35)));
    layer(6, 9, Solid(ui::kInset));
}

static const Rgba kRibbons[8] = {{46, 96, 150, 255}, {38, 120, 130, 255}, {120, 70, 150, 255}, {210, 150, 40, 255},
                                 {120, 60, 60, 255}, {60, 130, 80, 255},  {170, 90, 40, 255},  {70, 80, 110, 255}};

// A ribbon with its words filling the cell (x, y, w, h), folded tails behind.
static void HeaderRibbon(Canvas& c, const ArtJob& job, const std::string& words, int x, int y, int w, int h, Rgba col) {
    Painter p(c);
    double m = h * 0.12;
    // The card choice's list scrolls up under its ribbon, which the upper
    // depth mask ends 7.5 under the ribbon's foot: that ribbon reaches down
    // to the picture's foot, its middle on the buttons', and its left tail
    // covers the first column's corner to the picture's left end.
    const bool list = job.Has("cardchoiceheader");
    const double foot = list ? m : 0.0, notch = list ? 2.0 : w * 0.05;
    p.Polygon({{x + 2.0, y + m * 2},
               {x + w * 0.12, y + m * 2},
               {x + w * 0.12, y + h - m + foot * 0.7},
               {x + 2.0, y + h - m + foot * 0.7},
               {x + notch, y + h * 0.55}},
              Paint{Shade(col, 0.6f), ui::kFrameDark, 2, 0.5});
    p.Polygon({{x + w - 2.0, y + m * 2},
               {x + w * 0.88, y + m * 2},
               {x + w * 0.88, y + h - m + foot * 0.7},
               {x + w - 2.0, y + h - m + foot * 0.7},
               {x + w * 0.95, y + h * 0.55}},
              Paint{Shade(col, 0.6f), ui::kFrameDark, 2, 0.5});
    p.Box(x + w * 0.08, y + m * 0.5, w * 0.84, h - m * 2 + foot, h * 0.18, Paint{col, ui::kFrameDark, 2.5, 1.0});
    p.Box(x + w * 0.1, y + m * 1.1, w * 0.8, h * 0.08, 2, Solid(Rgba{255, 255, 255, 70}));
    p.Box(x + w * 0.1, y + h - m * 2.4 + foot, w * 0.8, h * 0.05, 1, Solid(WithAlpha(ui::kBrassLight, 160)));
    OutlinedText(c, job.text, words, x + static_cast<int>(w * 0.12), y + static_cast<int>(m),
                 static_cast<int>(w * 0.76), static_cast<int>(h - 3 * m + foot), ui::kText, Rgba{20, 16, 30, 255},
                 static_cast<int>(h * 0.5), 2);
}

// The information board draws a half of a header row 409.6 x 68.27, as it
// draws a cell of the Robopedia's own title sheet (512 x 128): each half is
// that cell's ribbon, drawn twice as high and folded to the row's height, so
// the two read alike on the board.
static void TitleStripHalves(Canvas& c, const ArtJob& job, const std::string& left, const std::string& right, int x,
                             int y, int w, int h) {
    const int half = w / 2;
    for (int k = 0; k < 2; ++k) {
        Canvas strip(half, 2 * h);
        HeaderRibbon(strip, job, k == 0 ? left : right, 0, 0, half, 2 * h, kRibbons[k]);
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < half; ++col) {
                const Rgba a = strip.At(col, 2 * row), b = strip.At(col, 2 * row + 1);
                const int alpha = a.a + b.a;
                if (alpha == 0) continue;
                auto mean = [&](uint8_t u, uint8_t v) { return static_cast<uint8_t>((u * a.a + v * b.a) / alpha); };
                c.Blend(x + k * half + col, y + row,
                        Rgba{mean(a.r, b.r), mean(a.g, b.g), mean(a.b, b.b), static_cast<uint8_t>(alpha / 2)});
            }
    }
}

void DrawHeader(Canvas& c, const ArtJob& job) {
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        const std::string words = job.CellText(index);
        Rgba col = kRibbons[index % 8];
        if (job.Has("menuheader")) {
            // A menu row whose words read "left/right" holds the information
            // board's two title strips.
            const size_t slash = words.find('/');
            if (slash != std::string::npos) {
                TitleStripHalves(c, job, words.substr(0, slash), words.substr(slash + 1), x, y, w, h);
                return;
            }
            // A menu screen's header picture of its own takes its line's colour.
            if (job.item.cols * job.item.rows == 1) col = FromHex(job.item.colour);
            // The menu's information panel stands left of the ribbon, and the
            // frame's thin right rail ends the screen just past its tail.
            Painter p(c);
            if (words == "Robopedia") ScrollSocket(p, x, y);
            x += w * 17 / 100;
            w = w * 76 / 100;
            // The Robopedia's scroll button stands where the ribbon's right
            // tail would end: its short ribbon ends before it.
            if (words == "Robopedia") {
                x += w * 15 / 100;
                w = w * 70 / 100;
            }
        }
        HeaderRibbon(c, job, words, x, y, w, h, col);
    });
    // The game cuts a row out and draws it shrunk through the filter, which
    // takes in the next row's edge (two of its texels at the first smaller
    // level): a see-through gutter between the rows keeps each row's foot
    // clear of the socket that hangs from the next row's top.
    const int rowHeight = c.Height() / job.item.rows;
    for (int r = 1; r < job.item.rows; ++r) c.Cut(0, r * rowHeight - kRowGutter, c.Width(), 2 * kRowGutter);
}

// A row of the interface sheet that names itself in the manifest is a notice
// shown whole over the field (the wave notices): a ribbon with its words,
// see-through around it. The final wave's is red, the others steel blue.
static void NoticeRibbon(Canvas& c, Painter& p, TextRenderer& text, const std::string& words, int x, int y, int w,
                         int h, bool urgent) {
    const Rgba face = urgent ? Rgba{200, 50, 44, 255} : Rgba{40, 92, 150, 255};
    const double m = h * 0.1, tail = w * 0.06;
    p.Glow(x + w / 2.0, y + h / 2.0, w * 0.42, WithAlpha(Shade(face, 1.4f), 70), 1.4);
    p.Polygon({{x + 2.0, y + m * 2},
               {x + tail * 2, y + m * 2},
               {x + tail * 2, y + h - m},
               {x + 2.0, y + h - m},
               {x + tail, y + h * 0.55}},
              Paint{Shade(face, 0.55f), ui::kFrameDark, 2, 0.5});
    p.Polygon({{x + w - 2.0, y + m * 2},
               {x + w - tail * 2, y + m * 2},
               {x + w - tail * 2, y + h - m},
               {x + w - 2.0, y + h - m},
               {x + w - tail, y + h * 0.55}},
              Paint{Shade(face, 0.55f), ui::kFrameDark, 2, 0.5});
    p.Box(x + tail * 1.4, y + m * 0.6, w - tail * 2.8, h - m * 2, h * 0.2, Paint{face, ui::kFrameDark, 2.5, 1.0});
    p.Box(x + tail * 1.7, y + m * 1.2, w - tail * 3.4, h * 0.07, 2, Solid(Rgba{255, 255, 255, 70}));
    p.Box(x + tail * 1.7, y + h - m * 2.3, w - tail * 3.4, h * 0.05, 1, Solid(WithAlpha(ui::kBrassLight, 170)));
    const Rgba ink = urgent ? Rgba{255, 236, 150, 255} : ui::kText;
    OutlinedText(c, text, words, x + static_cast<int>(tail * 2.2), y + static_cast<int>(m),
                 w - static_cast<int>(tail * 4.4), h - static_cast<int>(m * 3), ink, Rgba{16, 12, 24, 255},
                 static_cast<int>(h * 0.62), 3);
}

void DrawStrips(Canvas& c, const ArtJob& job) {
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        const std::string words = job.CellText(index);
        if (!words.empty()) {
            NoticeRibbon(c, p, job.text, words, x, y, w, h, words.find("FINAL") != std::string::npos);
            return;
        }
        if (index == 3 || index == 4) {
            // The options box cuts its slider from the left 0.7 of these two
            // rows: the dark trough (v 0.385 to 0.485 of the sheet) and the
            // bright fill that grows over it from the left (v 0.51 to 0.61).
            const double sw = c.Width() * 0.7, top = c.Height() * (index == 3 ? 0.385 : 0.51);
            const double sh = c.Height() * 0.1;
            if (index == 3) {
                p.Box(1, top + 1, sw - 2, sh - 2, sh / 2 - 1, Paint{ui::kInset, ui::kFrameDark, 2, -0.6});
                p.Box(6, top + sh * 0.2, sw - 12, sh * 0.25, sh * 0.12, Solid(Rgba{0, 0, 0, 70}));
            } else {
                const Rgba f{110, 210, 250, 255};
                p.Box(1, top + 2, sw - 2, sh - 4, sh / 2 - 2, Paint{f, Shade(f, 0.5f), 1.5, 1.0});
                p.Box(8, top + sh * 0.2, sw - 16, sh * 0.2, sh * 0.1, Solid(Rgba{255, 255, 255, 110}));
            }
            return;
        }
        double m = h * 0.2;
        if (index % 2 == 0) {  // a trough
            p.Box(x + 4, y + m, w - 8, h - 2 * m, (h - 2 * m) / 2, Paint{ui::kInset, ui::kFrameDark, 2, -0.6});
            p.Box(x + 8, y + m + 3, w - 16, (h - 2 * m) * 0.3, 4, Solid(Rgba{0, 0, 0, 60}));
        } else {  // a fill
            static const Rgba kFills[4] = {
                {90, 200, 120, 255}, {250, 190, 70, 255}, {90, 170, 240, 255}, {230, 90, 80, 255}};
            Rgba f = kFills[(index / 2) % 4];
            p.Box(x + 6, y + m + 2, w - 12, h - 2 * m - 4, (h - 2 * m - 4) / 2, Paint{f, Shade(f, 0.5f), 1.5, 1.0});
            p.Box(x + 12, y + m + 5, w - 24, (h - 2 * m) * 0.2, 3, Solid(Rgba{255, 255, 255, 90}));
        }
    });
}

void DrawBar(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    if (job.Has("delayguage")) {
        // The card's charge gauge lies over the card: a light wash the card shows through.
        Rgba f = Mix(FromHex(job.item.colour), Rgba{255, 240, 200, 255}, 0.6);
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                c.Blend(x, y, f, static_cast<uint8_t>(55 + 40 * y / std::max(1, c.Height() - 1)));
    } else if (job.Has("guage") || job.Has("gauge") || job.Has("fill")) {
        Rgba f = FromHex(job.item.colour);
        p.Box(1, 1, w - 2, h - 2, h / 2 - 1, Paint{Mix(f, Rgba{250, 200, 80, 255}, 0.4), Shade(f, 0.5f), 1.5, 1.0});
        p.Box(4, 3, w - 8, h * 0.25, h * 0.12, Solid(Rgba{255, 255, 255, 100}));
    } else {
        p.Box(0, 0, w, h, h / 2, Solid(ui::kFrameDark));
        p.Box(1.5, 1.5, w - 3, h - 3, h / 2 - 1.5, Solid(ui::kBrass, 0.7));
        p.Box(4, 4, w - 8, h - 8, h / 2 - 4, Solid(ui::kInset, -0.5));
    }
}

// A wave's marker on the time bar: a pennant on a pin, narrow enough that
// the markers of waves close together stay apart.
void WavePennant(Canvas& c) {
    Painter p(c);
    const double w = c.Width(), h = c.Height();
    const double pole = w * 0.3;
    p.Capsule(pole, 3, pole, h - 4, 1.6, Inked(ui::kBrassLight, 1.0, 0.3));
    p.Polygon({{pole + 1, 3}, {w - 1.5, h * 0.22}, {pole + 1, h * 0.44}}, Inked(Rgba{230, 84, 56, 255}, 1.2, 0.6));
    p.Circle(pole, h - 4, 3, Inked(ui::kBrass, 1.0, 0.6));
}

// The value a collected item pays, rising from where it was picked up: the
// words of each cell in the energy counter's blue (first column) or the parts
// counter's brass (second), outlined, over nothing.
void ValueLabels(Canvas& c, const ArtJob& job) {
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        const bool parts = index % job.item.cols == 1;
        const Rgba ink = parts ? Rgba{255, 214, 110, 255} : Rgba{140, 226, 255, 255};
        p.Glow(x + w / 2.0, y + h / 2.0, w * 0.4, WithAlpha(Shade(ink, 0.8f), 60), 1.6);
        OutlinedText(c, job.text, job.CellText(index), x + 2, y + h / 10, w - 4, h - h / 5, ink,
                     parts ? Rgba{60, 30, 0, 255} : Rgba{0, 30, 60, 255}, h * 6 / 10, 3);
    });
}

void DrawPlaque(Canvas& c, const ArtJob& job) {
    if (job.Has("wavesign")) return WavePennant(c);
    if (job.Has("itemnumber")) return ValueLabels(c, job);
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        // The parts panel shows at 302, 18 below the screen's top edge, with
        // its count drawn at its centre, and on the card choice and the
        // summary at -320, 8 past the left edge: the top rows and the left
        // columns stay see-through so the frame ends just inside both edges,
        // and the count's slot sits high.
        const bool money = job.Has("moneyinterface");
        const int cellH = h;
        if (money) {
            x += w * 10 / 256;
            w -= w * 10 / 256;
            y += h * 13 / 64;
            h -= h * 13 / 64;
        }
        double r = std::min(w, h) * 0.3;
        Rgba face = job.Has("new")        ? Rgba{220, 60, 60, 255}
                    : job.Has("survival") ? Rgba{120, 60, 90, 255}
                    : job.Has("wave")     ? Rgba{150, 70, 50, 255}
                                          : Mix(ui::kFrame, FromHex(job.item.colour), 0.2);
        if (job.item.cols * job.item.rows > 1) face = Mix(face, index % 2 ? ui::kPanel : ui::kFrame, 0.4);
        BevelBox(p, x + 2, y + 2, w - 4, h - 4, r, face, std::max(2.0, std::min(w, h) * 0.06));
        double iconR = (h - 8) * 0.32;
        if (job.Has("money")) {  // a cog for metal parts, a slot for the count
            Star(p, x + h * 0.5, y + h * 0.5, iconR * 1.1, 0.75, 8, 0, Solid(Rgba{190, 196, 206, 255}, 0.8));
            p.Circle(x + h * 0.5, y + h * 0.5, iconR * 0.4, Solid(ui::kInset));
        } else if (job.Has("survival")) {
            p.Circle(x + h * 0.5, y + h * 0.5, iconR, Solid(Rgba{240, 80, 90, 255}, 0.8));
            p.Capsule(x + h * 0.5, y + h * 0.5, x + h * 0.5, y + h * 0.5 - iconR * 0.7, 1.5, Solid(ui::kText));
            p.Capsule(x + h * 0.5, y + h * 0.5, x + h * 0.5 + iconR * 0.5, y + h * 0.5, 1.5, Solid(ui::kText));
        } else if (job.Has("wave")) {
            for (int i = 0; i < 3; ++i)
                p.Polygon({{x + w * 0.2 + i * w * 0.2, y + h * 0.3},
                           {x + w * 0.3 + i * w * 0.2, y + h * 0.5},
                           {x + w * 0.2 + i * w * 0.2, y + h * 0.7}},
                          Solid(WithAlpha(ui::kBrassLight, static_cast<uint8_t>(120 + 60 * i))));
        } else if (job.Has("new")) {
            Star(p, x + w * 0.5, y + h * 0.5, h * 0.3, 0.45, 5, 0, Solid(Rgba{255, 240, 160, 255}, 0.5));
        }
        if (money)
            p.Box(x + h * 1.0, cellH * 18 / 64.0, w - h * 1.3, cellH * 28 / 64.0, h * 0.2,
                  Solid(Rgba{10, 20, 30, 170}));
        else if (!job.Has("new") && !job.Has("wave") && w > h * 2)
            p.Box(x + h * 1.0, y + h * 0.25, w - h * 1.3, h * 0.5, h * 0.2, Solid(Rgba{10, 20, 30, 170}));
    });
}

// The stage atlas as the battle HUD cuts it: two labels in the top quarter,
// the time bar's fill in the band 0.3 to 0.4 over 0.7 of the width, and its
// frame below the middle (an eighth of the height) over the same width.
// Each label's plate and word take only the middle half of its cell: the
// HUD draws a label with its left part under the pause button, and on a
// mini-game the two labels half a cell apart ("Bonus" "Stage") side by side.
void DrawStageAtlas(Canvas& c, const ArtJob& job) {
    Painter p(c);
    const double W = c.Width(), H = c.Height();
    for (int index = 0; index < 2; ++index) {
        const double w = W / 2, x = index * w + w * 0.235, h = H * 0.25, pw = w * 0.49;
        BevelBox(p, x, 4, pw, h - 8, h * 0.3, index == 0 ? ui::kFrame : Rgba{110, 70, 50, 255}, 3);
        OutlinedText(c, job.text, job.CellText(index), static_cast<int>(x + 6), static_cast<int>(h * 0.15),
                     static_cast<int>(pw - 12), static_cast<int>(h * 0.7), ui::kBrassLight, Rgba{20, 16, 30, 255},
                     static_cast<int>(h * 0.5), 2);
    }
    const double bw = W * 0.7;
    p.Box(0, H * 0.3, bw, H * 0.1, H * 0.05, Paint{Rgba{110, 210, 120, 255}, Rgba{40, 90, 50, 255}, 1.5, 1.0});
    const double fy = H * 0.5, fh = H * 0.125;
    p.Box(1, fy + 1, bw - 2, fh - 2, fh / 2 - 1, Solid(ui::kFrameDark));
    p.Box(3, fy + 3, bw - 6, fh - 6, fh / 2 - 3, Solid(ui::kBrass, 0.7));
    // The fill shows through the frame's inset, as tall as the fill band.
    p.Box(6, fy + (fh - H * 0.1) / 2, bw - 12, H * 0.1, H * 0.05, Solid(ui::kInset));
}

void DrawAtlas(Canvas& c, const ArtJob& job) {
    if (job.Has("bbd_lg_stage")) {
        DrawStageAtlas(c, job);
        return;
    }
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        double bh = h * 0.35;
        if (index < 2) {
            BevelBox(p, x + 4, y + h * 0.2, w - 8, h * 0.6, h * 0.2, index == 0 ? ui::kFrame : Rgba{110, 70, 50, 255},
                     4);
            OutlinedText(c, job.text, job.CellText(index), x + 12, y + static_cast<int>(h * 0.24), w - 24,
                         static_cast<int>(h * 0.5), ui::kBrassLight, Rgba{20, 16, 30, 255}, static_cast<int>(h * 0.4),
                         2);
        } else if (index == 2) {
            p.Box(x + 4, y + (h - bh) / 2, w - 8, bh, bh / 2, Solid(ui::kFrameDark));
            p.Box(x + 6, y + (h - bh) / 2 + 2, w - 12, bh - 4, bh / 2 - 2, Solid(ui::kBrass, 0.7));
            p.Box(x + 10, y + (h - bh) / 2 + 6, w - 20, bh - 12, bh / 2 - 6, Solid(ui::kInset));
        } else {
            p.Box(x + 10, y + (h - bh) / 2 + 6, w - 20, bh - 12, bh / 2 - 6,
                  Paint{Rgba{110, 210, 120, 255}, Rgba{40, 90, 50, 255}, 1.5, 1.0});
        }
    });
}

void DrawIcon(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h);
    double cx = w / 2, cy = h / 2;
    Paint ink{Rgba{0, 0, 0, 0}, ui::kFrameDark, std::max(1.5, s / 32), 0.9};
    auto with = [&ink](Rgba f) {
        Paint q = ink;
        q.fill = f;
        return q;
    };
    if (job.Has("efx_cross")) {                  // "not here": a red X, two bars crossing at the middle
        const double a = s * 0.32, t = s * 0.1;  // half the reach of an arm, half its thickness
        p.Glow(cx, cy, s * 0.5, Rgba{255, 80, 60, 90});
        p.Polygon({{cx - a - t, cy - a + t},
                   {cx - a + t, cy - a - t},
                   {cx, cy - 2 * t},
                   {cx + a - t, cy - a - t},
                   {cx + a + t, cy - a + t},
                   {cx + 2 * t, cy},
                   {cx + a + t, cy + a - t},
                   {cx + a - t, cy + a + t},
                   {cx, cy + 2 * t},
                   {cx - a + t, cy + a + t},
                   {cx - a - t, cy + a - t},
                   {cx - 2 * t, cy}},
                  Paint{Rgba{225, 45, 40, 255}, ui::kFrameDark, std::max(2.0, s / 24), 0.8});
        return;
    }
    if (job.Has("checkbox")) {
        p.Box(w * 0.15, h * 0.15, w * 0.7, h * 0.7, s * 0.12,
              Paint{ui::kInset, ui::kBrass, std::max(2.0, s / 20), -0.5});
        if (job.Has("yes"))
            p.Polygon({{w * 0.25, h * 0.5},
                       {w * 0.35, h * 0.4},
                       {w * 0.45, h * 0.52},
                       {w * 0.72, h * 0.22},
                       {w * 0.82, h * 0.32},
                       {w * 0.45, h * 0.72}},
                      with(Rgba{110, 220, 120, 255}));
        return;
    }
    if (job.Has("unlock")) {  // a battery with a plus: more energy allowed
        p.Box(w * 0.2, h * 0.3, w * 0.55, h * 0.4, s * 0.06, with(Rgba{90, 200, 110, 255}));
        p.Box(w * 0.75, h * 0.42, w * 0.08, h * 0.16, 1, with(Rgba{200, 200, 210, 255}));
        p.Box(w * 0.43, h * 0.36, w * 0.09, h * 0.28, 1, Solid(Rgba{255, 255, 255, 230}));
        p.Box(w * 0.33, h * 0.455, w * 0.29, h * 0.09, 1, Solid(Rgba{255, 255, 255, 230}));
        return;
    }
    if (job.Has("lock")) {
        p.Ring(cx, h * 0.4, s * 0.18, s * 0.07, with(Rgba{190, 196, 206, 255}));
        p.Box(w * 0.22, h * 0.42, w * 0.56, h * 0.42, s * 0.06, with(ui::kBrass));
        p.Circle(cx, h * 0.6, s * 0.06, Solid(ui::kFrameDark));
        return;
    }
    if (job.Has("bombicon")) {
        p.Circle(cx, h * 0.58, s * 0.3, with(Rgba{50, 54, 64, 255}));
        p.Capsule(cx + s * 0.15, h * 0.32, cx + s * 0.28, h * 0.16, s * 0.04, with(Rgba{150, 110, 60, 255}));
        p.Glow(cx + s * 0.3, h * 0.14, s * 0.12, Rgba{255, 220, 100, 230});
        return;
    }
    if (job.Has("canmove")) {  // four arrows out of the middle
        for (int i = 0; i < 4; ++i) {
            p.Push();
            p.Translate(cx, cy);
            p.Rotate(i * kPi / 2);
            p.Polygon({{s * 0.44, 0}, {s * 0.26, -s * 0.14}, {s * 0.26, s * 0.14}}, with(Rgba{110, 200, 250, 255}));
            p.Capsule(0, 0, s * 0.28, 0, s * 0.05, Solid(Rgba{110, 200, 250, 255}));
            p.Pop();
        }
        return;
    }
    if (job.Has("mission")) {
        // The mini-game's mark on its stage button: a game pad. It stands 13
        // above the button's centre and the stage's label plate 40 above it,
        // so it keeps to the lower half of its picture, under the label.
        const Rgba pad{230, 70, 70, 255};
        p.Glow(cx, h * 0.7, s * 0.34, Rgba{255, 220, 120, 110});
        p.Box(w * 0.12, h * 0.5, w * 0.76, h * 0.38, s * 0.17, with(pad));
        p.Box(w * 0.23, h * 0.64, w * 0.16, h * 0.05, 1, Solid(ui::kText));
        p.Box(w * 0.285, h * 0.585, w * 0.05, h * 0.16, 1, Solid(ui::kText));
        p.Circle(w * 0.66, h * 0.62, s * 0.045, Solid(Rgba{255, 220, 90, 255}));
        p.Circle(w * 0.75, h * 0.72, s * 0.045, Solid(Rgba{120, 220, 255, 255}));
        return;
    }
    if (job.Has("reward")) {  // a chest of parts
        p.Box(w * 0.18, h * 0.4, w * 0.64, h * 0.4, s * 0.04, with(Rgba{170, 110, 60, 255}));
        p.Box(w * 0.18, h * 0.28, w * 0.64, h * 0.16, s * 0.06, with(Rgba{190, 130, 70, 255}));
        p.Box(w * 0.45, h * 0.4, w * 0.1, h * 0.14, 1, with(ui::kBrass));
        p.Glow(cx, h * 0.28, s * 0.3, Rgba{255, 230, 140, 120});
        return;
    }
    if (job.Has("spike")) {
        // One steel spike standing on the picture's middle line, its lower
        // half see-through: the spike effect throws five of them 17 apart, and
        // the metal-spikes tip stands five 19 apart just above its words,
        // which begin 3 below the pictures' centre.
        p.Polygon({{w * 0.5, h * 0.04}, {w * 0.8, h * 0.38}, {w * 0.2, h * 0.38}}, with(Rgba{200, 206, 216, 255}));
        p.Polygon({{w * 0.5, h * 0.08}, {w * 0.62, h * 0.35}, {w * 0.5, h * 0.35}}, Solid(Rgba{255, 255, 255, 110}));
        p.Box(w * 0.12, h * 0.36, w * 0.76, h * 0.07, 1, with(Rgba{90, 94, 104, 255}));
        return;
    }
    if (job.Has("capsulemark")) {  // a small capsule: red cap, steel body, a card's mark on its band
        p.Push();
        p.Translate(cx, cy);
        p.Rotate(-0.5);
        p.Box(-s * 0.2, -s * 0.4, s * 0.4, s * 0.8, s * 0.2, with(Rgba{200, 206, 216, 255}));
        p.Box(-s * 0.2, -s * 0.4, s * 0.4, s * 0.4, s * 0.2, with(Rgba{220, 70, 60, 255}));
        p.Box(-s * 0.22, -s * 0.05, s * 0.44, s * 0.1, 1, with(ui::kBrass));
        p.Box(-s * 0.06, -s * 0.3, s * 0.12, s * 0.16, s * 0.02, Solid(Rgba{255, 255, 255, 200}));
        p.Ellipse(-s * 0.08, s * 0.2, s * 0.05, s * 0.12, Solid(Rgba{255, 255, 255, 90}));
        p.Pop();
        return;
    }
    if (job.Has("tutline")) {  // a dashed guide line
        for (double x = w * 0.05; x < w * 0.95; x += w * 0.12)
            p.Capsule(x, cy, x + w * 0.06, cy, s * 0.04, Solid(Rgba{255, 220, 90, 230}));
        return;
    }
    if (job.Has("heart")) {
        Rgba red = job.Has("attack") ? Rgba{255, 60, 70, 255} : Rgba{230, 50, 70, 255};
        if (job.Has("attack")) p.Glow(cx, cy, s * 0.5, Rgba{255, 90, 90, 140});
        p.Push();
        p.Translate(cx, cy);
        p.ScaleBy(s / 64, s / 64);
        p.Polygon(
            {{0, 22}, {-22, 0}, {-24, -10}, {-18, -19}, {-8, -20}, {0, -12}, {8, -20}, {18, -19}, {24, -10}, {22, 0}},
            with(red));
        p.Ellipse(-10, -10, 5, 3.5, Solid(Rgba{255, 255, 255, 120}));
        p.Pop();
    } else if (job.Has("energy")) {
        p.Glow(cx, cy, s * 0.5, Rgba{120, 230, 255, 150});
        p.Circle(cx, cy, s * 0.34, with(Rgba{60, 170, 240, 255}));
        p.Push();
        p.Translate(cx, cy);
        p.ScaleBy(s / 64, s / 64);
        p.Polygon({{3, -18}, {-10, 3}, {-1, 3}, {-4, 18}, {10, -4}, {1, -4}}, Solid(Rgba{255, 250, 190, 255}));
        p.Pop();
    } else if (job.Has("flag")) {
        p.Capsule(w * 0.3, h * 0.12, w * 0.3, h * 0.9, s * 0.035, with(Rgba{200, 200, 210, 255}));
        p.Polygon({{w * 0.32, h * 0.14}, {w * 0.85, h * 0.26}, {w * 0.32, h * 0.5}}, with(Rgba{230, 70, 60, 255}));
        p.Ellipse(w * 0.3, h * 0.9, s * 0.14, s * 0.05, Solid(Rgba{0, 0, 0, 80}));
    } else if (job.Has("attack")) {
        // The charge shot's cannon at the gauge's foot: a barrel raised to
        // the right on a wheel, a shot leaving its muzzle.
        p.Glow(w * 0.8, h * 0.22, s * 0.2, Rgba{255, 220, 120, 170});
        p.Circle(w * 0.82, h * 0.2, s * 0.09, with(Rgba{255, 200, 80, 255}));
        p.Push();
        p.Translate(w * 0.42, h * 0.6);
        p.Rotate(-0.6);
        p.Box(-s * 0.12, -s * 0.11, s * 0.5, s * 0.22, s * 0.06, with(Rgba{90, 96, 110, 255}));
        p.Box(s * 0.32, -s * 0.13, s * 0.08, s * 0.26, s * 0.02, with(Rgba{60, 64, 76, 255}));
        p.Pop();
        p.Box(w * 0.16, h * 0.72, w * 0.56, h * 0.12, s * 0.04, with(Rgba{150, 100, 60, 255}));
        p.Circle(w * 0.38, h * 0.76, s * 0.14, with(Rgba{120, 80, 50, 255}));
        p.Circle(w * 0.38, h * 0.76, s * 0.05, Solid(ui::kBrass));
    } else if (job.Has("arrow")) {
        // Points down, toward what it shows.
        p.Polygon({{cx, h * 0.92},
                   {w * 0.12, h * 0.48},
                   {w * 0.35, h * 0.48},
                   {w * 0.35, h * 0.08},
                   {w * 0.65, h * 0.08},
                   {w * 0.65, h * 0.48},
                   {w * 0.88, h * 0.48}},
                  with(Rgba{255, 210, 70, 255}));
    } else if (job.Has("star")) {
        bool gold = job.Has("star1");
        p.Glow(cx, cy, s * 0.5, gold ? Rgba{255, 230, 120, 120} : Rgba{200, 220, 255, 110});
        Star(p, cx, cy * 1.04, s * 0.42, 0.45, 5, 0, with(gold ? Rgba{255, 200, 50, 255} : Rgba{170, 180, 200, 255}));
    } else if (job.Has("stone")) {
        p.Polygon({{w * 0.18, h * 0.7},
                   {w * 0.25, h * 0.35},
                   {w * 0.5, h * 0.2},
                   {w * 0.78, h * 0.32},
                   {w * 0.86, h * 0.68},
                   {w * 0.6, h * 0.84},
                   {w * 0.3, h * 0.82}},
                  with(Rgba{140, 132, 120, 255}));
        p.Ellipse(w * 0.45, h * 0.38, s * 0.1, s * 0.05, Solid(Rgba{255, 255, 255, 60}));
    } else if (job.Has("mark")) {
        p.Ring(cx, cy, s * 0.34, s * 0.06, Soft(Rgba{255, 90, 70, 230}, 1));
        for (int i = 0; i < 4; ++i) {
            double a = i * kPi / 2;
            p.Capsule(cx + std::cos(a) * s * 0.2, cy + std::sin(a) * s * 0.2, cx + std::cos(a) * s * 0.46,
                      cy + std::sin(a) * s * 0.46, s * 0.03, Solid(Rgba{255, 90, 70, 230}));
        }
    } else {
        Rgba f = FromHex(job.item.colour);
        p.Glow(cx, cy, s * 0.5, WithAlpha(f, 140));
        p.Circle(cx, cy, s * 0.3, with(f));
    }
}

void DrawRays(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), r = std::min(w, h) / 2;
    Rgba col = FromHex(job.item.colour);
    int rays = job.Has("2") ? 16 : 12;
    double turn = job.Has("2") ? kPi / rays : 0;
    for (int i = 0; i < rays; ++i) {
        double a0 = turn + i * 2 * kPi / rays, a1 = a0 + kPi / rays * 0.55;
        p.Polygon({{w / 2, h / 2},
                   {w / 2 + std::cos(a0) * r, h / 2 + std::sin(a0) * r},
                   {w / 2 + std::cos(a1) * r, h / 2 + std::sin(a1) * r}},
                  Soft(WithAlpha(col, 90), 3));
    }
    p.Glow(w / 2, h / 2, r, WithAlpha(Mix(col, Rgba{255, 255, 255, 255}, 0.5), 200), 1.6);
}

// The card choice's small buttons (recall, clear, scroll, Robopedia), also
// pictured in the tips that explain them: a sign and the word, the face in the
// middle of the picture, where the buttons and the glow behind them stand. The
// scroll button is the encyclopedias' page turner too, shown 393 right of the
// centre at up to 0.79 of its size and added to the screen there: its face
// stops short of the picture's ends, so it ends inside the screen, and its
// word is the brightest thing on it.
constexpr double kScrollFaceInset = 0.07;

static void LightButtonFace(Canvas& c, Painter& p, const ArtJob& job) {
    const bool recall = job.Has("repick"), clear = job.Has("clear"), page = job.Has("swap");
    const double h = c.Height(), m = h * 0.08;
    const double left = page ? c.Width() * kScrollFaceInset - m : 0.0;
    const double w = c.Width() - left;
    const Rgba face = recall ? Rgba{46, 120, 96, 255} : clear ? Rgba{150, 64, 52, 255} : Rgba{46, 96, 150, 255};
    BevelBox(p, left + m, m, w - left - 2 * m, h - 2 * m, (h - 2 * m) * 0.4, page ? Shade(face, 0.7f) : face,
             std::max(3.0, h / 16));
    // The sign in a dark round well on the left.
    // The scroll button's word is the longest: its sign stands smaller.
    const double r = (h - 2 * m) * (page ? 0.25 : 0.36), cx = left + m + h * (page ? 0.25 : 0.42), cy = h * 0.47;
    p.Circle(cx, cy, r, Solid(Shade(face, 0.45f)));
    const Paint sign{ui::kText, ui::kFrameDark, 1.5, 0};
    if (recall) {  // a turning arrow: back to the deck kept from last time
        p.Ring(cx, cy, r * 0.55, r * 0.2, sign);
        p.Box(cx - r * 0.05, cy - r * 0.8, r * 0.8, r * 0.62, 0, Solid(Shade(face, 0.45f)));
        p.Polygon({{cx + r * 0.3, cy - r * 0.95}, {cx + r * 0.3, cy - r * 0.1}, {cx - r * 0.4, cy - r * 0.52}}, sign);
    } else if (clear) {  // an X: the hand emptied
        const double a = r * 0.45, t = r * 0.14;
        p.Capsule(cx - a, cy - a, cx + a, cy + a, t, sign);
        p.Capsule(cx + a, cy - a, cx - a, cy + a, t, sign);
    } else if (page) {  // up and down: on through the list
        p.Polygon({{cx, cy - r * 0.8}, {cx + r * 0.45, cy - r * 0.12}, {cx - r * 0.45, cy - r * 0.12}}, sign);
        p.Polygon({{cx, cy + r * 0.8}, {cx + r * 0.45, cy + r * 0.12}, {cx - r * 0.45, cy + r * 0.12}}, sign);
    } else {  // an open book
        OpenBook(p, cx, cy, r * 0.7, r * 0.35, r * 0.55, r * 0.4, r * 0.6, sign);
    }
    const std::string word = recall ? "RECALL" : clear ? "CLEAR" : page ? "SCROLL" : "INFO";
    const int tx = static_cast<int>(cx + r + 2), tw = static_cast<int>(w - m * (page ? 1.8 : 2.4) - tx);
    OutlinedText(c, job.text, word, tx, static_cast<int>(m * 1.3), tw, static_cast<int>(h - m * 3.2),
                 page ? Rgba{255, 236, 150, 255} : ui::kText, Rgba{10, 20, 34, 255}, static_cast<int>(h * 0.42), 2);
}

void DrawGlow(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    if (job.Has("volume")) {  // the slider knob
        double r = std::min(w, h) * 0.3;
        p.Glow(w / 2, h / 2, std::min(w, h) * 0.5, Rgba{255, 230, 150, 150}, 1.4);
        p.Circle(w / 2, h / 2, r, Paint{ui::kBrass, ui::kFrameDark, 2.5, 1.0});
        p.Circle(w / 2, h / 2, r * 0.55, Paint{ui::kBrassLight, Shade(ui::kBrass, 0.6f), 1.5, -0.6});
        return;
    }
    if (job.Has("arrow")) {
        // A fat brass arrow: the menu's list arrows are turned from one pointing
        // right, the boards' scroll arrows from one pointing up.
        const double s = std::min(w, h);
        p.Glow(w / 2, h / 2, s * 0.5, Rgba{255, 230, 150, 110}, 1.5);
        p.Push();
        p.Translate(w / 2, h / 2);
        if (job.Has("arrowrect")) p.Rotate(-kPi / 2);
        p.Polygon({{s * 0.4, 0},
                   {0, -s * 0.34},
                   {0, -s * 0.15},
                   {-s * 0.36, -s * 0.15},
                   {-s * 0.36, s * 0.15},
                   {0, s * 0.15},
                   {0, s * 0.34}},
                  Paint{ui::kBrassLight, ui::kFrameDark, std::max(2.0, s / 20), 0.9});
        p.Pop();
        return;
    }
    if (job.Has("repick") || job.Has("clear") || job.Has("swap") || job.Has("robopedia")) {
        LightButtonFace(c, p, job);
        return;
    }
    // A soft rounded halo the size of a button: it is added over the button's
    // face as it pulses outwards, so its middle, where the words are, stays dark.
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            double dx = std::max(0.0, std::fabs(x + 0.5 - w / 2) - (w / 2 - h / 2));
            double dy = std::fabs(y + 0.5 - h / 2);
            double d = std::sqrt(dx * dx + dy * dy) / (h / 2);
            double a = std::clamp(1.0 - std::fabs(d - 0.82) / 0.18, 0.0, 1.0);
            c.Blend(x, y, ui::kGlow, static_cast<uint8_t>(std::lround(std::pow(a, 1.3) * 230)));
        }
}

void DrawButton(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    int state = job.file.variant;  // NORMAL, OVER, PRESS, DISABLE
    Rgba face = FromHex(job.item.colour);
    Rgba textColour = ui::kText;
    double drop = 0;
    if (state == 1) face = Shade(face, 1.35f);
    if (state == 2) {
        face = Shade(face, 0.7f);
        drop = std::max(1.0, h / 24);
    }
    if (state == 3) {
        uint8_t g = static_cast<uint8_t>((face.r * 30 + face.g * 59 + face.b * 11) / 100);
        face = Mix(Rgba{g, g, g, 255}, Rgba{90, 96, 104, 255}, 0.5);
        textColour = Rgba{176, 180, 186, 255};
    }
    double m = std::max(2.0, h / 16), r = (h - 2 * m) * 0.35;
    if (state == 1) p.Glow(w / 2, h / 2, w * 0.55, Rgba{255, 230, 150, 90}, 1.2);
    // Shadow, then the button raised over it (pressed: sunk onto it).
    p.Box(m, m + std::max(2.0, h / 20), w - 2 * m, h - 2 * m, r, Solid(Rgba{0, 0, 0, 90}));
    p.Box(m, m + drop, w - 2 * m, h - 2 * m - std::max(2.0, h / 20) + (state == 2 ? std::max(2.0, h / 20) - drop : 0),
          r, Solid(ui::kFrameDark));
    double rim = std::max(2.0, h / 18);
    double bx = m + rim * 0.5, by = m + drop + rim * 0.5, bw = w - 2 * m - rim, bh = h - 2 * m - rim * 2.4;
    p.Box(bx, by, bw, bh, r, Solid(state == 3 ? Shade(face, 0.9f) : ui::kBrass, 0.7));
    p.Box(bx + rim * 0.7, by + rim * 0.7, bw - rim * 1.4, bh - rim * 1.4, r * 0.8,
          Solid(face, state == 2 ? -0.6 : 1.0));
    if (state != 3)
        p.Box(bx + rim * 1.5, by + rim * 1.1, bw - rim * 3, bh * 0.28, r * 0.5,
              Solid(Rgba{255, 255, 255, static_cast<uint8_t>(state == 2 ? 25 : 60)}));
    std::string label = job.item.label.empty() ? job.stem : job.item.label;
    // A stage button's plate above it carries its number; a word on the face
    // would only run under the lock, the flag and the mini-game mark.
    if (job.Has("btn_stage")) label.clear();
    for (char& ch : label)
        if (ch == '\n') ch = ' ';
    int tx = static_cast<int>(bx + rim), ty = static_cast<int>(by + rim);
    int tw = static_cast<int>(bw - 2 * rim), th = static_cast<int>(bh - 2 * rim);
    if (w >= 2 * h || !label.empty()) {
        // Square buttons that pause or step show a sign instead of a word.
        bool square = w < 1.5 * h;
        Paint sign{textColour, ui::kFrameDark, 1.5, 0};
        double sx = bx + bw / 2, sy = by + bh / 2, r = std::min(bw, bh) * 0.28;
        if (square && job.Has("pause")) {
            p.Box(sx - r * 0.75, sy - r, r * 0.5, r * 2, 1, sign);
            p.Box(sx + r * 0.25, sy - r, r * 0.5, r * 2, 1, sign);
            return;
        }
        int dir = !square                               ? -1
                  : job.Has("prev") || job.Has("left")  ? 2
                  : job.Has("next") || job.Has("right") ? 0
                  : job.Has("up")                       ? 3
                  : job.Has("down")                     ? 1
                                                        : -1;
        if (dir >= 0) {
            p.Push();
            p.Translate(sx, sy);
            p.Rotate(dir * kPi / 2);
            p.Polygon({{r, 0}, {-r * 0.6, -r}, {-r * 0.6, r}}, sign);
            p.Pop();
            return;
        }
        // One letter size for every button of a height; only a long label shrinks.
        OutlinedText(c, job.text, label, tx, ty, tw, th, textColour, Rgba{10, 20, 34, 230}, static_cast<int>(h * 0.34),
                     std::max(1, static_cast<int>(h / 40)));
    }
}

void DrawDigits(Canvas& c, const ArtJob& job) {
    int cols = job.item.cols, rows = job.item.rows;
    if (cols == 1 && rows != 1) {
        cols = 10;
        rows = 1;
    }
    int cw = c.Width() / cols, ch = c.Height() / rows;
    Rgba colour = FromHex(job.item.colour);
    int symbols = 0;
    while (kDigitSymbols[symbols]) ++symbols;
    // A label "advance=N" says the sheet is drawn with digits N pixels apart:
    // the glyphs, outline included, then keep inside that width.
    int advance = 0;
    if (job.item.label.rfind("advance=", 0) == 0) advance = std::atoi(job.item.label.c_str() + 8);
    int pixels = ch * 8 / 10;
    int t = std::max(1, ch / 24);
    if (advance > 0) {
        t = 2;
        auto widest = [&](int size) {
            int w = 0;
            for (char d = '0'; d <= '9'; ++d) {
                int left = 0, ink = 0;
                if (job.text.InkBox(char32_t(d), size, &left, &ink)) w = std::max(w, ink);
            }
            return w + 2 * t;
        };
        while (pixels > 8 && widest(pixels) > advance - 1) --pixels;
    }
    // A label "first|second" letters the sheet's last rows with whole words
    // (the stage sheet's title words), one word a row.
    std::vector<std::string> words;
    for (int i = 0; !job.CellText(i).empty(); ++i) words.push_back(job.CellText(i));
    const int wordRows = std::min(int(words.size()), rows);
    for (int cell = 0; cell < cols * rows; ++cell) {
        const int row = cell / cols;
        const bool wordRow = row >= rows - wordRows;
        if (wordRow && cell % cols != 0) continue;
        char glyph = cell < 10 ? static_cast<char>('0' + cell) : (cell - 10 < symbols ? kDigitSymbols[cell - 10] : '?');
        int x = (cell % cols) * cw, y = row * ch;
        std::string s = wordRow ? words[size_t(row - (rows - wordRows))] : std::string(1, glyph);
        if (wordRow) cw = c.Width();
        int px = pixels;
        int tw = job.text.Width(s, px);
        while (wordRow && tw > cw * 9 / 10 && px > 8) tw = job.text.Width(s, --px);
        int baseline = y + (ch + px * 72 / 100) / 2;
        for (int dy = -t; dy <= t + 1; ++dy)
            for (int dx = -t; dx <= t; ++dx)
                job.text.Draw(c, s, x + (cw - tw) / 2 + dx, baseline + dy, px, Rgba{20, 24, 40, 220});
        job.text.Draw(c, s, x + (cw - tw) / 2, baseline, px, colour);
        cw = c.Width() / cols;
    }
}

void DrawCount(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    int n = job.Number();
    p.Glow(w / 2, h / 2, std::min(w, h) * 0.48, Rgba{255, 210, 90, 120}, 1.5);
    p.Ring(w / 2, h / 2, std::min(w, h) * 0.36, std::min(w, h) * 0.05, Paint{ui::kBrass, ui::kFrameDark, 2, 0.8});
    std::string s = n >= 0 ? std::to_string(n) : job.stem;
    OutlinedText(c, job.text, s, 0, static_cast<int>(h * 0.1), c.Width(), static_cast<int>(h * 0.8),
                 Rgba{255, 236, 150, 255}, Rgba{80, 30, 0, 255}, static_cast<int>(h * 0.6),
                 std::max(2, c.Height() / 40));
}

void DrawBanner(Canvas& c, const ArtJob& job) {
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        static const Rgba kBanner[3] = {{60, 140, 220, 255}, {240, 170, 40, 255}, {220, 70, 60, 255}};
        Rgba col = kBanner[index % 3];
        p.Glow(x + w / 2.0, y + h / 2.0, w * 0.5, WithAlpha(col, 90), 1.2);
        p.Polygon({{x + w * 0.06, y + h * 0.25},
                   {x + w * 0.94, y + h * 0.25},
                   {x + w * 0.88, y + h * 0.5},
                   {x + w * 0.94, y + h * 0.75},
                   {x + w * 0.06, y + h * 0.75},
                   {x + w * 0.12, y + h * 0.5}},
                  Paint{col, ui::kFrameDark, 3, 1.0});
        p.Box(x + w * 0.14, y + h * 0.3, w * 0.72, h * 0.06, 2, Solid(Rgba{255, 255, 255, 80}));
        OutlinedText(c, job.text, job.CellText(index), x + static_cast<int>(w * 0.15), y + static_cast<int>(h * 0.27),
                     static_cast<int>(w * 0.7), static_cast<int>(h * 0.46), ui::kText, Rgba{20, 20, 30, 255},
                     static_cast<int>(h * 0.3), 3);
    });
}

void DrawLoading(Canvas& c, const ArtJob& job) {
    ForCells(c, job, [&](int x, int y, int w, int h, int index) {
        Painter p(c);
        int steps = job.item.cols * job.item.rows;
        double bh = h * 0.5;
        p.Box(x + 6, y + (h - bh) / 2, w - 12, bh, bh / 2, Paint{ui::kInset, ui::kFrameDark, 2, 0});
        double fill = (w - 20) * (index + 1) / steps;
        p.Box(x + 10, y + (h - bh) / 2 + 4, fill, bh - 8, (bh - 8) / 2, Paint{Rgba{110, 200, 250, 255}, {}, 0, 1.0});
        Star(p, x + 10 + fill, y + h / 2.0, bh * 0.6, 0.7, 8, index * 0.2, Paint{ui::kBrass, ui::kFrameDark, 1.5, 0.8});
    });
}

// A white quad with softened corners, tinted by the code that draws it.
void DrawPlain(Canvas& c, const ArtJob&) {
    Painter p(c);
    double w = c.Width(), h = c.Height();
    // Opaque: the page tints it, and the alpha it gives is the shading the cell gets.
    p.Box(0, 0, w, h, std::min(w, h) * 0.04, Solid(Rgba{255, 255, 255, 255}));
}

// The menu's backdrop lies behind the mini-game list (1.22 wide, 80 right of
// the centre: its right end would touch the screen's edge), the laboratory
// and the credits: it fades out over its outer edges, so its dark ends well
// inside the screen.
constexpr double kBackdropSideFade = 0.09, kBackdropEndFade = 0.05;

void DrawShade(Canvas& c, const ArtJob& job) {
    double w = c.Width(), h = c.Height();
    const bool backdrop = job.Has("menublackscreen");
    for (int y = 0; y < c.Height(); ++y)
        for (int x = 0; x < c.Width(); ++x) {
            double dx = (x + 0.5) / w - 0.5, dy = (y + 0.5) / h - 0.5;
            double d = std::sqrt(dx * dx + dy * dy) / 0.7071;
            double a = 150 + 90 * d * d;
            if (backdrop) {
                const double side = std::clamp((0.5 - std::fabs(dx)) / kBackdropSideFade, 0.0, 1.0);
                const double end = std::clamp((0.5 - std::fabs(dy)) / kBackdropEndFade, 0.0, 1.0);
                a = 200 * side * side * end;
            }
            c.Blend(x, y, Rgba{0, 0, 8, 255}, static_cast<uint8_t>(std::lround(a)));
        }
}

void DrawLogo(Canvas& c, const ArtJob& job) {
    Painter p(c);
    double w = c.Width(), h = c.Height(), s = std::min(w, h);
    if (job.jpg) {
        for (int y = 0; y < c.Height(); ++y)
            for (int x = 0; x < c.Width(); ++x)
                c.Blend(x, y, Mix(Rgba{20, 36, 60, 255}, Rgba{6, 10, 20, 255}, double(y) / h));
    }
    if (job.Has("light")) {  // the glow behind the logo
        p.Glow(w / 2, h / 2, s * 0.5, Rgba{255, 230, 160, 200}, 1.5);
        for (int i = 0; i < 12; ++i) {
            double a = i * kPi / 6;
            p.Polygon({{w / 2, h / 2},
                       {w / 2 + std::cos(a) * s * 0.5, h / 2 + std::sin(a) * s * 0.5},
                       {w / 2 + std::cos(a + 0.12) * s * 0.5, h / 2 + std::sin(a + 0.12) * s * 0.5}},
                      Soft(Rgba{255, 240, 200, 60}, 4));
        }
        return;
    }
    // "Logo_Orvendale" names its maker; any other logo is the game's.
    std::string name = "Cogsquall";
    size_t at = job.stem.find("Logo_");
    if (at != std::string::npos && at + 5 < job.stem.size()) name = job.stem.substr(at + 5);
    // The title screen draws the logo so large that its top quarter lies above the
    // screen: the gear stands below that line.
    Star(p, w * 0.5, h * 0.48, s * 0.2, 0.82, 12, 0, Paint{ui::kBrass, ui::kFrameDark, 3, 0.8});
    p.Circle(w * 0.5, h * 0.48, s * 0.113, Paint{ui::kFrame, ui::kFrameDark, 2.5, -0.6});
    p.Circle(w * 0.5, h * 0.48, s * 0.047, Paint{ui::kBrassLight, ui::kFrameDark, 2, 0.5});
    OutlinedText(c, job.text, name, static_cast<int>(w * 0.05), static_cast<int>(h * 0.62), static_cast<int>(w * 0.9),
                 static_cast<int>(h * 0.3), ui::kBrassLight, Rgba{50, 20, 0, 255}, static_cast<int>(h * 0.22),
                 std::max(2, c.Height() / 60));
}
