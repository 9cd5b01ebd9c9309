// The pack's pictures as drawn: animated units, lit button states, no flat
// placeholders, fonts centred in their cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>
#include <utility>

#include "engine/PictureDecoder.h"
#include "engine/VxBillboard.h"
#include "engine/VxNumber.h"
#include "game/Effect_MsgBox.h"
#include "game/GameApplication.h"
#include "platform/ResourceArchive.h"
#include "tests/Harness.h"
#include "tests/PackPicture.h"
#include "tools/assetpack/Generator.h"
#include "tools/assetpack/Manifest.h"
#include "tools/assetpack/Palette.h"

namespace {

class PackArt : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::vector<std::string> errors;
        s_items = new std::vector<ManifestItem>;
        ASSERT_TRUE(ReadManifestFile(std::string(CSQ_SOURCE_DIR) + "/tools/assetpack/manifest.txt", s_items, &errors));
        s_archive = new ResourceArchive;
        s_archive->OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    }
    static void TearDownTestSuite() {
        delete s_archive;
        delete s_items;
        s_archive = nullptr;
        s_items = nullptr;
    }
    static DecodedPicture Picture(const std::string& path) { return PackPicture(*s_archive, path); }
    static std::vector<ManifestItem>* s_items;
    static ResourceArchive* s_archive;
};

std::vector<ManifestItem>* PackArt::s_items = nullptr;
ResourceArchive* PackArt::s_archive = nullptr;

}  // namespace

TEST_F(PackArt, UnitFramesMoveWithinEveryAct) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    std::vector<PackFile> files = ExpandManifest(*s_items);
    int units = 0;
    for (size_t i = 0; i + 1 < files.size(); ++i) {
        const PackFile& a = files[i];
        const PackFile& b = files[i + 1];
        if ((*s_items)[a.item].kind != "unit" || b.item != a.item || b.act != a.act) continue;
        units += a.act == 1 && a.frame == 1;
        DecodedPicture pa = Picture(a.path), pb = Picture(b.path);
        ASSERT_FALSE(pa.rgba.empty()) << a.path;
        EXPECT_NE(pa.rgba, pb.rgba) << a.path << " and " << b.path << " are the same picture";
    }
    EXPECT_GE(units, 73);
}

TEST_F(PackArt, ButtonStatesAreAllDifferent) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    for (const ManifestItem& item : *s_items) {
        if (item.kind != "button") continue;
        std::vector<DecodedPicture> states;
        for (const char* state : kButtonStates) states.push_back(Picture(item.path + state + ".png"));
        for (size_t x = 0; x < 4; ++x)
            for (size_t y = x + 1; y < 4; ++y)
                EXPECT_NE(states[x].rgba, states[y].rgba)
                    << item.path << kButtonStates[x] << " vs " << kButtonStates[y];
    }
}

// The pictures the battle and the pages draw as plain quads in a colour of
// their own (the page switch's cover black, the bombardment's flash white,
// the message bar black, the field cells tinted): white, so the tint is the
// colour seen, and opaque, so the cover covers; the field cells' corners are
// softened so neighbouring cells stay apart.
struct PlainQuad {
    const char* use;
    const char* path;
    bool cornersToo;
};
const PlainQuad kPlainQuads[] = {
    {"the page switch, the final bombardment's flash", "Resource/Effect/Mark.tga", true},
    {"the field cells, the reach preview, the message bar", "Resource/Dummy/Mark.tga", false},
};

TEST_F(PackArt, OnlyThePlainQuadsAreOneFlatColour) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    for (const PlainQuad& q : kPlainQuads) {
        const DecodedPicture pic = Picture(q.path);
        ASSERT_FALSE(pic.rgba.empty()) << q.path;
        const int corner = q.cornersToo ? 0 : pic.width / 10;
        int wrong = 0;
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x) {
                const bool inCorner =
                    std::min(x, pic.width - 1 - x) < corner && std::min(y, pic.height - 1 - y) < corner;
                const uint8_t* px = &pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4];
                if (inCorner) continue;
                wrong += px[0] != 255 || px[1] != 255 || px[2] != 255 || px[3] != 255;
            }
        EXPECT_EQ(wrong, 0) << q.use << ": " << q.path << " is not plain opaque white";
    }
    int checked = 0;
    for (const PackFile& f : ExpandManifest(*s_items)) {
        std::string ext = f.path.substr(f.path.rfind('.') + 1);
        if (!f.inArchive || (ext != "png" && ext != "jpg" && ext != "tga")) continue;
        bool plain = false;
        for (const PlainQuad& q : kPlainQuads) plain = plain || f.path == q.path;
        if (plain) continue;
        DecodedPicture pic = Picture(f.path);
        ASSERT_FALSE(pic.rgba.empty()) << f.path;
        bool varied = false;
        for (size_t p = 4; p < pic.rgba.size() && !varied; p += 4)
            varied = std::memcmp(&pic.rgba[p], &pic.rgba[0], 4) != 0;
        EXPECT_TRUE(varied) << f.path << " is one flat colour";
        ++checked;
    }
    EXPECT_GT(checked, 1500);
}

TEST_F(PackArt, GlyphsSitInTheMiddleOfTheirCells) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    uint32_t size = 0;
    void* block = nullptr;
    ASSERT_TRUE(s_archive->UnzipItem("Resource\\Font\\Script_Fnt_GameStandard.txt", &size, &block, 0));
    std::stringstream in(std::string(static_cast<char*>(block), size));
    std::free(block);
    std::vector<std::pair<int, int>> map;
    for (std::string line; std::getline(in, line);) {
        int x0 = 0, x1 = 0;
        if (std::sscanf(line.c_str(), "FONT_MAP=%d,%d;", &x0, &x1) == 2) map.emplace_back(x0, x1);
    }
    ASSERT_EQ(map.size(), 256u);
    DecodedPicture sheet = Picture("Resource/Font/Fnt_GameStandard.png");
    ASSERT_EQ(sheet.width, 512);
    const int cell = 32;
    for (int code = 33; code < 127; ++code) {
        // The font quad of a cell-mode glyph is centred on the span's middle.
        int inkLeft = cell, inkRight = -1, left = (code % 16) * cell, top = (code / 16) * cell;
        for (int y = top; y < top + cell; ++y)
            for (int x = left; x < left + cell; ++x)
                if (sheet.rgba[(static_cast<size_t>(y) * sheet.width + x) * 4 + 3] > 40) {
                    inkLeft = std::min(inkLeft, x - left);
                    inkRight = std::max(inkRight, x - left);
                }
        ASSERT_GE(inkRight, 0) << char(code);
        EXPECT_NEAR((inkLeft + inkRight + 1) / 2.0, cell / 2.0, 1.0) << char(code) << " is off centre in its cell";
        EXPECT_NEAR((map[code].first + map[code].second) / 2.0 - left, cell / 2.0, 1.0) << char(code);
    }
}

TEST_F(PackArt, TheMenuFrameIsDrawnOverTheScreensSoOnlyItsRailsCover) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    const DecodedPicture frame = Picture("Resource/Menu/Bbd_MenuFramePC.png");
    ASSERT_EQ(frame.width, 880);
    ASSERT_EQ(frame.height, 640);
    auto alpha = [&](int x, int y) { return int(frame.rgba[(size_t(y) * size_t(frame.width) + size_t(x)) * 4 + 3]); };
    struct Row {
        const char* rule;
        int x, y;
        bool opaque;
    } const rows[] = {
        {"the middle is see-through", 440, 320, false},
        {"where the lists scroll it is see-through", 440, 60, false},
        {"right of the buttons' rail it is see-through", 60, 320, false},
        {"the top rail covers", 440, 10, true},
        {"the bottom rail covers", 440, 630, true},
        {"the left rail covers", 4, 320, true},
        {"the right rail covers", 878, 320, true},
        {"a hovered card of the Robopedia's last column shows whole", 877, 320, false},
    };
    for (const Row& r : rows) EXPECT_EQ(alpha(r.x, r.y), r.opaque ? 255 : 0) << r.rule;
}

namespace {

// Share of pixels in which two pictures of one size differ.
double DifferentShare(const DecodedPicture& a, const DecodedPicture& b) {
    if (a.rgba.size() != b.rgba.size() || a.rgba.empty()) return 1.0;
    size_t differ = 0;
    for (size_t p = 0; p < a.rgba.size(); p += 4) differ += std::memcmp(&a.rgba[p], &b.rgba[p], 4) != 0;
    return double(differ) / double(a.rgba.size() / 4);
}

// Most changes between strong red and anything else along one row of the
// middle third: a border gives a few, lettering many.
int RedEdgesAcrossTheMiddle(const DecodedPicture& pic) {
    int most = 0;
    for (int y = pic.height / 3; y < pic.height * 2 / 3; ++y) {
        int edges = 0;
        bool was = false;
        for (int x = 0; x < pic.width; ++x) {
            const uint8_t* px = &pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4];
            const bool red = px[3] > 200 && px[0] > 150 && px[1] < 100 && px[2] < 100;
            edges += red != was;
            was = red;
        }
        most = std::max(most, edges);
    }
    return most;
}

}  // namespace

// Pictures that show different things are drawn differently, and a stamp
// that says something carries its words.
TEST_F(PackArt, TheLaboratoryItemsDifferAndTheSoldOutStampIsLettered) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    std::vector<DecodedPicture> items;
    for (int n = 1; n <= 20; ++n) {
        char path[64];
        std::snprintf(path, sizeof path, "Resource/Menu/LabItem/Bbd_Item_%02d.png", n);
        items.push_back(Picture(path));
        ASSERT_FALSE(items.back().rgba.empty()) << path;
    }
    for (size_t a = 0; a < items.size(); ++a)
        for (size_t b = a + 1; b < items.size(); ++b)
            EXPECT_GT(DifferentShare(items[a], items[b]), 0.05) << "laboratory items " << a << " and " << b;

    struct Row {
        const char* rule;
        const char* path;
        int minimumEdges;
    };
    const Row rows[] = {
        {"the sold-out stamp spells its words in red", "Resource/Menu/Bbd_SoldOut.png", 16},
    };
    for (const Row& r : rows) {
        const DecodedPicture pic = Picture(r.path);
        ASSERT_FALSE(pic.rgba.empty()) << r.path;
        EXPECT_GE(RedEdgesAcrossTheMiddle(pic), r.minimumEdges) << r.rule;
    }
}

// The HUD draws the label strips of the stage atlas (the top quarter, half
// the width each) at 0.58: "Stage" at x -335 on a normal stage, right of the
// pause button (64 wide at -405); "Bonus" at -325 and "Stage" at -250 on a
// mini-game. Each strip's ink must stand clear of the button and of the
// other strip, and leave room right of -301 for the stage number.
TEST_F(PackArt, TheHudLabelsStandClearOfThePauseButtonAndOfEachOther) {
    const DecodedPicture atlas = Picture("Resource/Interface/Bbd_LG_Stage.png");
    const DecodedPicture pause = Picture("Resource/Interface/Btn_Pause_NORMAL.png");
    ASSERT_GT(atlas.width * atlas.height, 0);
    ASSERT_GT(pause.width, 0);
    // Inked columns of a picture's region, as screen x once drawn at scale.
    auto inkSpan = [](const DecodedPicture& p, int x0, int w, int h, float centre, float scale, float& left,
                      float& right) {
        left = 1e9f;
        right = -1e9f;
        for (int y = 0; y < h; ++y)
            for (int x = x0; x < x0 + w; ++x)
                if (p.rgba[(size_t(y) * size_t(p.width) + size_t(x)) * 4 + 3] > 96) {
                    left = std::min(left, centre + (float(x - x0) - float(w) * 0.5f) * scale);
                    right = std::max(right, centre + (float(x + 1 - x0) - float(w) * 0.5f) * scale);
                }
    };
    const int w = atlas.width / 2, h = atlas.height / 4;
    float pauseLeft, pauseRight;
    inkSpan(pause, 0, pause.width, pause.height, -405.0f, 1.0f, pauseLeft, pauseRight);
    struct Row {
        const char* what;
        int strip;
        float x;
    } const rows[] = {
        {"Stage on a normal stage", 1, -335.0f}, {"Bonus", 0, -325.0f}, {"Stage after Bonus", 1, -250.0f}};
    float spans[3][2];
    for (int i = 0; i < 3; ++i) {
        inkSpan(atlas, rows[i].strip * w, w, h, rows[i].x, 0.58f, spans[i][0], spans[i][1]);
        EXPECT_GT(spans[i][0], pauseRight) << rows[i].what;
    }
    EXPECT_LT(spans[0][1], -301.0f) << "the world number stands right of the word";
    EXPECT_LT(spans[1][1], spans[2][0]) << "Bonus and Stage side by side";
}

// The reward capsule is drawn over the prize: a picture up to 128 square
// whose round ink stands 25 below the capsule's centre and 2 right of it,
// or a robot's, 20 below, 20 above (types 6, 20) or 35 below (type 39).
// Shut, the capsule hides all of it; open, the prize shows through whole.
// Every frame fills most of the 256 square the player clicks.
TEST_F(PackArt, TheRewardCapsuleHidesThePrizeUntilItOpens) {
    struct Prize {
        int dx, dy, radius;  // in the capsule's picture, y down
    } const prizes[] = {{2, 25, 58}, {0, 20, 55}, {0, -20, 55}, {0, 35, 55}};
    struct Row {
        const char* name;
        int frame;
        int minAlpha, maxAlpha;  // over every prize's ink
    } const rows[] = {
        {"ShutItHidesThePrize", 1, 250, 255},
        {"OpenThePrizeShowsThrough", 10, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        char path[64];
        std::snprintf(path, sizeof path, "Resource/Robot/1030/Act4_%02d.png", row.frame);
        const DecodedPicture pic = Picture(path);
        ASSERT_EQ(pic.width, 256);
        ASSERT_EQ(pic.height, 256);
        int left = pic.width, right = 0, lowest = 255, highest = 0;
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x) {
                const int a = pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4 + 3];
                if (a > 96) left = std::min(left, x), right = std::max(right, x);
                for (const Prize& p : prizes) {
                    const int dx = x - 128 - p.dx, dy = y - 128 - p.dy;
                    if (dx * dx + dy * dy > p.radius * p.radius) continue;
                    lowest = std::min(lowest, a);
                    highest = std::max(highest, a);
                }
            }
        EXPECT_GE(right - left, 200) << "as wide as most of the click square";
        EXPECT_GE(lowest, row.minAlpha);
        EXPECT_LE(highest, row.maxAlpha);
    }
}

namespace {

const uint8_t* PixelAt(const DecodedPicture& pic, int x, int y) {
    return &pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4];
}

// Light, opaque pixels: the fill of the pack's lettering and signs.
bool LightInk(const uint8_t* px) { return px[3] > 200 && (px[0] * 30 + px[1] * 59 + px[2] * 11) / 100 > 190; }

// Most runs of light ink along one row of the band [y0, y1) between x0 and
// x1: a plain pill or trough gives none or one, each letter one to four.
int LightRunsAcross(const DecodedPicture& pic, int x0, int x1, int y0, int y1) {
    int most = 0;
    for (int y = y0; y < y1; ++y) {
        int runs = 0;
        bool was = false;
        for (int x = x0; x < x1; ++x) {
            const bool ink = LightInk(PixelAt(pic, x, y));
            runs += ink && !was;
            was = ink;
        }
        most = std::max(most, runs);
    }
    return most;
}

// The alpha at a point given in shares of the picture's size from its centre
// (right and down positive).
int AlphaAtShare(const DecodedPicture& pic, double dx, double dy) {
    const double s = std::min(pic.width, pic.height);
    const int x = int(pic.width / 2.0 + dx * s), y = int(pic.height / 2.0 + dy * s);
    return PixelAt(pic, x, y)[3];
}

}  // namespace

// A board drawn over another picture at rest: the board lies inside the
// 880 x 640 screen, and wherever the picture under it is inked the board is
// see-through. A frame's rim lies over the picture's outer pixels, all round
// it, and no further in. Places are the screen's (centre origin, y up).
TEST_F(PackArt, EveryBoardOverAPictureLetsItShowAndStaysOnTheScreen) {
    struct Row {
        const char* board;
        float bx, by, bscale;
        const char* under;  // printf pattern over 1..count
        int count;
        float ux, uy, uscale;
        int rim;  // the picture's outer pixels a frame lies over (0: a board)
    } const rows[] = {
        {"Resource/Interface/Bbd_NewAchievement.png", 380, 180, 1.0f, "Resource/InfoPicture/Bbd_Achv_%02d.png", 40, 383,
         185, 0.6f, 0},
        // The entry in view of the main menu, the episode choice and the stage map.
        {"Resource/Menu/Bbd_MenuPicFrame.png", 62, -30, 1.0f, "Resource/Menu/Bbd_Main%d.png", 4, 62, -30, 1.0f, 5},
        {"Resource/Menu/Bbd_MenuPicFrame.png", 62, -30, 1.0f, "Resource/Menu/Bbd_Episode%d.png", 4, 62, -30, 1.0f, 5},
        {"Resource/Menu/Bbd_MenuPicFrame.png", 62, -30, 1.0f, "Resource/Menu/Bbd_Map%d.png", 5, 62, -30, 1.0f, 5},
        // A hovered mini-game in the list's last column.
        {"Resource/Menu/Bbd_MiniGameFrame.png", 365, -100, 0.985f * 1.1f, "Resource/Menu/Bbd_MiniGame%02d.png", 30, 365,
         -100, 0.9f * 1.1f, 2},
    };
    for (const Row& r : rows) {
        const DecodedPicture board = Picture(r.board);
        ASSERT_FALSE(board.rgba.empty()) << r.board;
        const float halfW = board.width * r.bscale / 2, halfH = board.height * r.bscale / 2;
        EXPECT_LE(r.bx + halfW, 440.0f) << r.board << " runs past the screen's right edge";
        EXPECT_GE(r.bx - halfW, -440.0f) << r.board;
        EXPECT_LE(r.by + halfH, 320.0f) << r.board << " runs past the screen's top edge";
        EXPECT_GE(r.by - halfH, -320.0f) << r.board;
        for (int n = 1; n <= r.count; ++n) {
            char path[96];
            std::snprintf(path, sizeof path, r.under, n);
            const DecodedPicture under = Picture(path);
            ASSERT_FALSE(under.rgba.empty()) << path;
            // The board's alpha over a pixel of the picture.
            auto boardOver = [&](int x, int y) {
                const float sx = r.ux + (x + 0.5f - under.width / 2.0f) * r.uscale;
                const float sy = r.uy - (y + 0.5f - under.height / 2.0f) * r.uscale;
                const int bx = int(std::floor((sx - r.bx) / r.bscale + board.width / 2.0f));
                const int by = int(std::floor((r.by - sy) / r.bscale + board.height / 2.0f));
                if (bx < 0 || by < 0 || bx >= board.width || by >= board.height) return 0;
                return int(PixelAt(board, bx, by)[3]);
            };
            int covered = 0;
            for (int y = r.rim; y < under.height - r.rim; ++y)
                for (int x = r.rim; x < under.width - r.rim; ++x)
                    if (PixelAt(under, x, y)[3] > 40) covered += boardOver(x, y) > 40;
            EXPECT_EQ(covered, 0) << r.board << " covers " << path;
            if (r.rim == 0) continue;
            const int w = under.width - 1, h = under.height - 1;
            for (const auto& edge : {std::make_pair(0, h / 2), std::make_pair(w, h / 2), std::make_pair(w / 2, 0),
                                     std::make_pair(w / 2, h), std::make_pair(0, 0), std::make_pair(w, h)})
                EXPECT_GT(boardOver(edge.first, edge.second), 200)
                    << r.board << " leaves the edge of " << path << " bare at " << edge.first << "," << edge.second;
        }
    }
}

// Pictures that stand for a word or a sign carry it: words are runs of light
// letters across their band, signs are told by where they are opaque.
TEST_F(PackArt, PicturesThatSayAWordOrShowASignCarryIt) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    const DecodedPicture sheet = Picture("Resource/Interface/Bbd_Interface.png");
    ASSERT_EQ(sheet.width, 512);
    ASSERT_EQ(sheet.height, 512);
    struct WordRow {
        const char* rule;
        const char* path;
        int x0, x1, y0, y1;  // the band the words stand in
        int minimumRuns;
    };
    const WordRow words[] = {
        {"the wave notice row carries ink where its word goes", "Resource/Interface/Bbd_Interface.png", 0, 512, 384,
         448, 5},
        {"the final-wave notice row carries ink where its words go", "Resource/Interface/Bbd_Interface.png", 0, 512,
         448, 512, 9},
        {"the recall button says so", "Resource/Button/Btn_LightRePick.tga", 50, 128, 16, 48, 5},
        {"the clear button says so", "Resource/Button/Btn_LightClear.tga", 50, 128, 16, 48, 4},
        {"the scroll button says so", "Resource/Button/Btn_LightSwap.tga", 40, 124, 16, 48, 4},
        {"the Robopedia button says so", "Resource/Button/Btn_LightRobopedia.tga", 50, 128, 16, 48, 3},
        {"the field preview tip's button says Field", "Resource/Button/Btn_Map_PRESS.png", 0, 128, 8, 56, 4},
        {"the second episode's unlock badge names it", "Resource/Msgbox/Bbd_Menu_07.png", 0, 256, 140, 200, 6},
    };
    for (const WordRow& r : words) {
        const DecodedPicture pic = Picture(r.path);
        ASSERT_FALSE(pic.rgba.empty()) << r.path;
        EXPECT_GE(LightRunsAcross(pic, r.x0, std::min(r.x1, pic.width), r.y0, std::min(r.y1, pic.height)),
                  r.minimumRuns)
            << r.rule;
    }

    struct SignRow {
        const char* rule;
        const char* path;
        double dx, dy;  // from the centre, in shares of the picture's shorter side
        bool opaque;
    };
    const SignRow signs[] = {
        {"the cross is a cross: its middle is inked", "Resource/Effect/Efx_Cross.png", 0, 0, true},
        {"the cross is a cross: up-left arm", "Resource/Effect/Efx_Cross.png", -0.25, -0.25, true},
        {"the cross is a cross: down-right arm", "Resource/Effect/Efx_Cross.png", 0.25, 0.25, true},
        {"the cross is a cross: up-right arm", "Resource/Effect/Efx_Cross.png", 0.25, -0.25, true},
        {"the cross is a cross: nothing between the arms above", "Resource/Effect/Efx_Cross.png", 0, -0.32, false},
        {"the cross is a cross: nothing between the arms on the left", "Resource/Effect/Efx_Cross.png", -0.32, 0,
         false},
        {"the board's scroll arrow points up: its tip", "Resource/Button/Btn_LightArrowRect.tga", 0, -0.3, true},
        {"the board's scroll arrow points up: its head", "Resource/Button/Btn_LightArrowRect.tga", 0.25, -0.05, true},
        {"the board's scroll arrow points up: beside its shaft", "Resource/Button/Btn_LightArrowRect.tga", 0.25, 0.25,
         false},
        {"the menu's list arrow points right: its tip", "Resource/Button/Btn_LightArrow.tga", 0.3, 0, true},
        {"the menu's list arrow points right: its head", "Resource/Button/Btn_LightArrow.tga", 0.05, 0.25, true},
        {"the menu's list arrow points right: beside its shaft", "Resource/Button/Btn_LightArrow.tga", -0.25, 0.25,
         false},
        {"an unlocked feature is a round badge, not a panel", "Resource/Msgbox/Bbd_Menu_01.png", -0.48, -0.48, false},
        {"the Gyrotor behind a new flier's window has no window of its own", "Resource/InfoPicture/Bbd_Copter1.png", 0,
         0.4, false},
        {"the Gyrotor behind a new flier's window has no window of its own", "Resource/InfoPicture/Bbd_Copter2.png",
         -0.15, 0.4, false},
        {"the Gyrotor behind a new flier's window has no window of its own", "Resource/InfoPicture/Bbd_Copter3.png",
         0.15, 0.4, false},
        {"the Gyrotor behind a new flier's window shows over it", "Resource/InfoPicture/Bbd_Copter1.png", 0, -0.2,
         true},
        {"the menu's backdrop fades out at its left edge", "Resource/Menu/Bbd_MenuBlackScreen.png", -0.49, 0, false},
        {"the menu's backdrop fades out at its top edge", "Resource/Menu/Bbd_MenuBlackScreen.png", 0, -0.77, false},
        {"the menu's backdrop is dark in its middle", "Resource/Menu/Bbd_MenuBlackScreen.png", 0, 0, true},
        // The scroll button's face stands in the middle, where its glow and
        // its hit box stand; shown 47 left of the screen's right edge at up to
        // 0.79 of its size, it ends inside the screen.
        {"the scroll button's face is see-through past its left end", "Resource/Button/Btn_LightSwap.tga", -0.95, 0,
         false},
        {"the scroll button's face is see-through past its right end", "Resource/Button/Btn_LightSwap.tga", 0.95, 0,
         false},
        {"the scroll button's face is there at its sign", "Resource/Button/Btn_LightSwap.tga", -0.6, 0.2, true},
        {"the scroll button's face is there at its word", "Resource/Button/Btn_LightSwap.tga", 0.6, 0.2, true},
        {"a light button's glow leaves the words in its middle dark", "Resource/Button/Btn_LightEffect.tga", 0.1, 0,
         false},
        {"a light button's glow rings its face", "Resource/Button/Btn_LightEffect.tga", 0, -0.4, true},
        {"the charge shot's cannon is no cross: nothing up-left", "Resource/Interface/Bbd_Attack.png", -0.25, -0.25,
         false},
        {"the charge shot's cannon stands on its wheel", "Resource/Interface/Bbd_Attack.png", -0.12, 0.26, true},
        {"the mini-game mark keeps clear of the stage label above it", "Resource/Menu/Bbd_MissionIcon.png", 0, -0.2,
         false},
        {"the mini-game mark is drawn below its middle", "Resource/Menu/Bbd_MissionIcon.png", 0, 0.2, true},
    };
    for (const SignRow& r : signs) {
        const DecodedPicture pic = Picture(r.path);
        ASSERT_FALSE(pic.rgba.empty()) << r.path;
        const int a = AlphaAtShare(pic, r.dx, r.dy);
        if (r.opaque) EXPECT_GT(a, 150) << r.rule;
        else EXPECT_LT(a, 110) << r.rule;
    }
}

// Pictures of different things differ: the card choice's four buttons, the
// eight unlocked features, and the thirty mini-games of the list, each of
// which carries its name on its lower part.
TEST_F(PackArt, PicturesOfDifferentThingsDiffer) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    struct Group {
        const char* rule;
        std::vector<std::string> paths;
    };
    std::vector<std::string> miniGames, features;
    for (int n = 1; n <= 30; ++n) {
        char path[64];
        std::snprintf(path, sizeof path, "Resource/Menu/Bbd_MiniGame%02d.png", n);
        miniGames.push_back(path);
    }
    for (int n = 1; n <= 8; ++n) {
        char path[64];
        std::snprintf(path, sizeof path, "Resource/Msgbox/Bbd_Menu_%02d.png", n);
        features.push_back(path);
    }
    const Group groups[] = {
        {"the card choice's buttons differ",
         {"Resource/Button/Btn_LightRePick.tga", "Resource/Button/Btn_LightClear.tga",
          "Resource/Button/Btn_LightSwap.tga", "Resource/Button/Btn_LightRobopedia.tga"}},
        {"the unlocked features differ", features},
        {"the mini-games of the list differ", miniGames},
    };
    for (const Group& g : groups) {
        std::vector<DecodedPicture> pics;
        for (const std::string& path : g.paths) {
            pics.push_back(Picture(path));
            ASSERT_FALSE(pics.back().rgba.empty()) << path;
        }
        for (size_t a = 0; a < pics.size(); ++a)
            for (size_t b = a + 1; b < pics.size(); ++b)
                EXPECT_GT(DifferentShare(pics[a], pics[b]), 0.05) << g.rule << ": " << g.paths[a] << ", " << g.paths[b];
    }
    for (const std::string& path : miniGames) {
        const DecodedPicture pic = Picture(path);
        EXPECT_GE(LightRunsAcross(pic, 0, pic.width, pic.height / 2, pic.height), 4)
            << "the mini-game list's picture names its mini-game: " << path;
    }
}

// Ground tiles are named by set and shape: set 0 the top, set 1 the rock
// below it. Every top shape wears its area's cap (grass, sand, sea-floor
// sand, snow, steel) and its own ends; a tile is opaque from above the
// overlap of two rows down, and the rock from top to bottom, so tiles stacked
// in a column join with no line of backdrop between them.
TEST_F(PackArt, EveryGroundTileShapeHasItsCapItsEndsAndNoGapsBelow) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    struct Shape {
        int shape;
        bool leftEnd, rightEnd;
    } const shapes[] = {{0, true, false}, {1, false, false}, {2, false, true}, {3, true, true}};
    // Rows 80.75 apart on screen, tiles drawn at 0.955: two rows overlap this
    // many of the picture's pixels.
    const int overlap = int(96 - 80.75 / 0.955);
    auto alpha = [](const DecodedPicture& p, int x, int y) { return p.rgba[size_t(y * p.width + x) * 4 + 3]; };
    auto distance = [](const uint8_t* px, Rgba c) {
        return std::abs(px[0] - c.r) + std::abs(px[1] - c.g) + std::abs(px[2] - c.b);
    };
    for (int area = 1; area <= 5; ++area) {
        const WorldPalette& pal = PaletteForWorld(area);
        for (const Shape& s : shapes) {
            const std::string folder = "Resource/Stage/" + std::to_string(area) + "/Ground";
            SCOPED_TRACE(folder + "0" + std::to_string(s.shape));
            const DecodedPicture top = Picture(folder + "0" + std::to_string(s.shape) + ".tga");
            const DecodedPicture rock = Picture(folder + "1" + std::to_string(s.shape) + ".tga");
            ASSERT_EQ(top.width, 96);
            ASSERT_EQ(rock.width, 96);
            const int w = top.width, h = top.height;
            // The cap: the first rows of the surface in the middle are the
            // cap's colour, not the earth's.
            int nearerCap = 0, columns = 0;
            for (int x = w / 2 - 12; x < w / 2 + 12; ++x, ++columns) {
                int y = 0;
                while (y < h && alpha(top, x, y) < 128) ++y;
                ASSERT_LE(y, overlap) << "the surface at column " << x;
                int sum[3] = {};
                for (int k = 2; k < 6; ++k)
                    for (int ch = 0; ch < 3; ++ch) sum[ch] += top.rgba[size_t((y + k) * w + x) * 4 + ch];
                const uint8_t mean[3] = {uint8_t(sum[0] / 4), uint8_t(sum[1] / 4), uint8_t(sum[2] / 4)};
                nearerCap += distance(mean, pal.groundTop) < distance(mean, pal.groundBody);
            }
            EXPECT_GT(nearerCap, columns * 2 / 3) << "the area's cap on the top";
            // Nothing see-through below the overlap, inside the ends.
            for (int y = overlap; y < h; ++y)
                for (int x = 14; x < w - 14; ++x) ASSERT_EQ(alpha(top, x, y), 255) << "top at " << x << "," << y;
            for (int y = 0; y < h; ++y)
                for (int x = 14; x < w - 14; ++x) ASSERT_EQ(alpha(rock, x, y), 255) << "rock at " << x << "," << y;
            // An end is rounded off at its top corner and stops short of the
            // picture's edge; a side that joins runs to the edge.
            EXPECT_EQ(alpha(top, 7, overlap - 1) == 0, s.leftEnd) << "the left top corner";
            EXPECT_EQ(alpha(top, w - 8, overlap - 1) == 0, s.rightEnd) << "the right top corner";
            for (const DecodedPicture* p : {&top, &rock}) {
                EXPECT_EQ(alpha(*p, 0, h - 20) < 128, s.leftEnd) << "the left side";
                EXPECT_EQ(alpha(*p, w - 1, h - 20) < 128, s.rightEnd) << "the right side";
            }
            // Below a top's cap and down the rock an end has no dark rim and
            // covers the column that holds its cell's edge: the field sets
            // ends against more earth, where a rim or a seam of backdrop
            // between two ends would be a line inside the mass.
            for (const DecodedPicture* p : {&top, &rock}) {
                const char* what = p == &top ? "top's" : "rock's";
                auto light = [&](int x, int y) {
                    const uint8_t* px = &p->rgba[size_t(y * w + x) * 4];
                    return px[0] + px[1] + px[2];
                };
                for (int side = 0; side < 2; ++side) {
                    if (!(side == 0 ? s.leftEnd : s.rightEnd)) continue;
                    const int in = side == 0 ? 1 : -1, edge = side == 0 ? 3 : w - 4;
                    int rimmed = 0, rows = 0, seams = 0;
                    for (int y = p == &top ? 32 : 4; y < h - 4; ++y, ++rows) {
                        int x = side == 0 ? 0 : w - 1;
                        while (alpha(*p, x, y) < 250) x += in;
                        rimmed += light(x, y) * 5 < light(x + 8 * in, y) * 4;
                        seams += alpha(*p, edge, y) < 255;
                    }
                    const char* end = side == 0 ? " left end" : " right end";
                    EXPECT_LT(rimmed, rows / 4) << "a dark rim down the " << what << end;
                    EXPECT_EQ(seams, 0) << "the " << what << end << " leaves its cell's edge open";
                }
            }
        }
    }
}

// Acid rain is drawn as four sheets of this picture, each moved 0.2 to the
// right for every step down: the picture is a sheet of streaks over all of it
// (not one streak or a few beams), and its streaks lean the way they fall.
TEST_F(PackArt, TheRainIsASheetOfStreaksLeaningTheWayTheSheetsFall) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    const DecodedPicture rain = Picture("Resource/Effect/Efx_Rain.png");
    ASSERT_FALSE(rain.rgba.empty());
    const int w = rain.width, h = rain.height;
    auto alpha = [&](int x, int y) { return int(rain.rgba[size_t(y * w + x) * 4 + 3]); };
    // Streaks in every eighth of the width and of the height, away from the faded sides.
    for (int band = 0; band < 8; ++band) {
        int across = 0, down = 0;
        for (int y = 0; y < h; ++y)
            for (int x = w / 4 + band * w / 16; x < w / 4 + (band + 1) * w / 16; ++x) across += alpha(x, y) > 40;
        for (int y = band * h / 8; y < (band + 1) * h / 8; ++y)
            for (int x = w / 4; x < w * 3 / 4; ++x) down += alpha(x, y) > 40;
        EXPECT_GT(across, 150) << "streaks across, band " << band;
        EXPECT_GT(down, 150) << "streaks down, band " << band;
    }
    // A streak goes on 2 to the right for every 10 down, not to the left.
    long right = 0, left = 0;
    for (int y = 0; y + 10 < h; ++y)
        for (int x = 2; x + 2 < w; ++x) {
            const int a = alpha(x, y);
            right += a * alpha(x + 2, y + 10);
            left += a * alpha(x - 2, y + 10);
        }
    EXPECT_GT(right, 2 * left);
}

namespace {

// A cell of a sheet as the game cuts it: the rectangle (u, v, width, height)
// of the picture, top row first.
struct CutRect {
    float u, v, w, h;
};

CutRect CutOf(const CVxBillboard* b) { return {b->m_fU0, b->m_fV0, b->m_fU1 - b->m_fU0, b->m_fV1 - b->m_fV0}; }

// The pixels of one cut, how many of them are inked, and their mean lightness.
struct CutPixels {
    std::vector<uint8_t> rgba;
    int inked = 0;
    double light = 0;
};

CutPixels Cut(const DecodedPicture& pic, const CutRect& r) {
    CutPixels out;
    const int x0 = int(std::lround(r.u * float(pic.width))), x1 = int(std::lround((r.u + r.w) * float(pic.width)));
    const int y0 = int(std::lround(r.v * float(pic.height))), y1 = int(std::lround((r.v + r.h) * float(pic.height)));
    for (int y = std::max(0, y0); y < std::min(pic.height, y1); ++y)
        for (int x = std::max(0, x0); x < std::min(pic.width, x1); ++x) {
            const uint8_t* px = &pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4];
            out.rgba.insert(out.rgba.end(), px, px + 4);
            if (px[3] <= 96) continue;
            ++out.inked;
            out.light += (px[0] * 30 + px[1] * 59 + px[2] * 11) / 100;
        }
    if (out.inked) out.light /= out.inked;
    return out;
}

class CutSheets : public PopupTest {
protected:
    std::vector<CutRect> Cuts(CVxBillboard* const* boards, int n) {
        std::vector<CutRect> out;
        for (int i = 0; i < n; ++i)
            if (boards[i]) out.push_back(CutOf(boards[i]));
        return out;
    }
    // The ten digit cells of a number widget's sheet, as the widget cuts them.
    std::vector<CutRect> Digits(const CVxNumber* number) {
        std::vector<CutRect> out;
        for (int d = 0; d < 10; ++d) {
            float r[4];
            if (CVxNumber::DigitRect(d, number->m_aSheetGrid[0].cols, number->m_aSheetGrid[0].rows, r))
                out.push_back({r[0], r[1], r[2], r[3]});
        }
        return out;
    }
};

}  // namespace

// Every sheet the game cuts, cut by the game's own strips: each cell it draws
// shows something, and no two cells show the same.
TEST_F(CutSheets, EveryCellTheGameCutsHoldsItsOwnPicture) {
    CGameApplication& app = *m_App;
    struct Row {
        const char* rule;
        const char* sheet;
        std::vector<CutRect> cells;
    };
    std::vector<CutRect> headers = Cuts(app.m_apBbdMsgHeader, 6);
    headers.push_back(CutOf(app.m_apBbdMsgHeader[7]));  // the seventh is never drawn
    std::vector<CutRect> stageSheet = Digits(app.m_pNumStageBig);
    for (const CutRect& r : Cuts(app.m_apBbdStageDigit, 3)) stageSheet.push_back(r);
    const Row rows[] = {
        {"the value labels of the eight item kinds", "Resource/Interface/Bbd_ItemNumber.png",
         Cuts(app.m_apBbdItemNumber, 8)},
        {"the options box's slider bar and fill", "Resource/Interface/Bbd_Interface.png",
         Cuts(std::array<CVxBillboard*, 2>{box->m_pBbdSliderBar, box->m_pBbdSliderFill}.data(), 2)},
        {"the battle's start and end words", "Resource/Effect/Efx_LG_GameText.png", Cuts(app.m_apBbdGameText, 3)},
        {"the HUD's stage labels and time bar", "Resource/Interface/Bbd_LG_Stage.png", Cuts(app.m_apBbdStage, 4)},
        {"the boards' headers", "Resource/MsgBox/Msgbox_StdHeader.png", headers},
        {"the HUD's digits", "Resource/Interface/Num_Interface1.png", Digits(app.m_pNumInterface)},
        {"the stage number's digits, dash and labels", "Resource/Interface/Num_StageBig.png", stageSheet},
    };
    ResourceArchive archive;
    archive.OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    ASSERT_NE(archive.m_hArchive, nullptr);
    for (const Row& row : rows) {
        const DecodedPicture sheet = PackPicture(archive, row.sheet);
        ASSERT_FALSE(sheet.rgba.empty()) << row.sheet;
        ASSERT_GE(row.cells.size(), 2u) << row.rule;
        std::vector<CutPixels> cells;
        for (const CutRect& r : row.cells) cells.push_back(Cut(sheet, r));
        for (size_t a = 0; a < cells.size(); ++a) {
            EXPECT_GE(cells[a].inked * 50, int(cells[a].rgba.size() / 4)) << row.rule << ": cell " << a << " is empty";
            for (size_t b = a + 1; b < cells.size(); ++b)
                EXPECT_NE(cells[a].rgba, cells[b].rgba) << row.rule << ": cells " << a << " and " << b << " are alike";
        }
    }
    // The fill grows over the bar from its left end as the level rises: the
    // fill is the bright one.
    const DecodedPicture strip = PackPicture(archive, "Resource/Interface/Bbd_Interface.png");
    const CutPixels bar = Cut(strip, CutOf(box->m_pBbdSliderBar)), fill = Cut(strip, CutOf(box->m_pBbdSliderFill));
    EXPECT_GT(fill.light, bar.light + 60.0) << "the slider's fill reads brighter than its bar";
}

// Kind k's value label is the sheet's cell in column k div 4, row k mod 4 of
// its 2 by 4 grid: energy down the first column, metal parts the second.
TEST_F(CutSheets, EachItemKindShowsTheLabelOfItsOwnCell) {
    struct Row {
        const char* item;
        int kind, column, row;
    };
    const Row rows[] = {
        {"energy +5", 0, 0, 0},        {"energy +10", 1, 0, 1},        {"energy +20", 2, 0, 2},
        {"energy +40", 3, 0, 3},       {"metal parts +10", 4, 1, 0},   {"metal parts +50", 5, 1, 1},
        {"metal parts +250", 6, 1, 2}, {"metal parts +1000", 7, 1, 3},
    };
    for (const Row& r : rows) {
        const CVxBillboard* label = m_App->m_apBbdItemNumber[r.kind];
        ASSERT_NE(label, nullptr) << r.item;
        const CutRect cut = CutOf(label);
        EXPECT_FLOAT_EQ(cut.u, 0.5f * float(r.column)) << r.item;
        EXPECT_FLOAT_EQ(cut.v, 0.25f * float(r.row)) << r.item;
        EXPECT_FLOAT_EQ(cut.w, 0.5f) << r.item;
        EXPECT_FLOAT_EQ(cut.h, 0.25f) << r.item;
    }
}
