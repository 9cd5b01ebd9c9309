// The pack's pictures as drawn: animated units, lit button states, no flat
// placeholders, fonts centred in their cells, styles chosen by the manifest.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <sstream>

#include "engine/PictureDecoder.h"
#include "platform/ResourceArchive.h"
#include "tools/assetpack/ArtStyle.h"
#include "tools/assetpack/Generator.h"
#include "tools/assetpack/Manifest.h"

namespace {

const char kFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::string ToQuery(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

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
    static DecodedPicture Picture(const std::string& path) {
        DecodedPicture out;
        uint32_t size = 0;
        void* block = nullptr;
        if (s_archive->UnzipItem(ToQuery(path).c_str(), &size, &block, 0))
            DecodePicture(static_cast<const uint8_t*>(block), size, out);
        std::free(block);
        return out;
    }
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

TEST_F(PackArt, NoPictureIsOneFlatColour) {
    ASSERT_NE(s_archive->m_hArchive, nullptr);
    int checked = 0;
    for (const PackFile& f : ExpandManifest(*s_items)) {
        std::string ext = f.path.substr(f.path.rfind('.') + 1);
        if (!f.inArchive || (ext != "png" && ext != "jpg" && ext != "tga")) continue;
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

TEST(ArtStyle, ComesFromTheLabelOrElseThePath) {
    std::vector<std::string> errors;
    auto items = ParseManifest(
        "picture Resource/MsgBox/Bbd_Odd.png 64x64 - - #102030 art:medal A medal\n"
        "picture Resource/MsgBox/Bbd_Odd.png 64x64 - - #102030 Plain label\n"
        "picture Resource/MsgBox/Bbd_Odd.png 64x64 - - #102030 art:nonsense Kept\n",
        &errors);
    ASSERT_TRUE(errors.empty());
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0].style, "medal");
    EXPECT_EQ(items[0].label, "A medal");
    EXPECT_EQ(items[1].style, "");
    EXPECT_EQ(items[1].label, "Plain label");
    EXPECT_EQ(ArtStyleFor(items[0], items[0].path), "medal");
    EXPECT_EQ(ArtStyleFor(items[2], items[2].path), "panel");  // an unknown style falls back to the path's

    const std::pair<const char*, const char*> kByPath[] = {
        {"Resource/Stage/3/BG3_2.jpg", "background"},      {"Resource/Stage/5/Ground21.tga", "tile"},
        {"Resource/Stage/4/Water.tga", "water"},           {"Resource/MsgBox/Msgbox_StdSmall.png", "panel"},
        {"Resource/MsgBox/Msgbox_StdTextBG.png", "band"},  {"Resource/Card/Card0031.png", "card"},
        {"Resource/Item/Bbd_Item05.png", "item"},          {"Resource/Weapon/1003.png", "shot"},
        {"Resource/Effect/Efx_Anything.png", "effect"},    {"Resource/InfoPicture/Bbd_RobotPic1004.png", "portrait"},
        {"Resource/Interface/Bbd_Whatever.png", "plaque"}, {"Resource/Button/Btn_LightSomething.tga", "glow"},
        {"Resource/Menu/Bbd_Checkbox_Yes.png", "icon"},    {"Resource/Menu/Bbd_MenuBlackScreen.png", "shade"},
        {"Resource/Menu/Logo_Orvendale.jpg", "logo"},      {"Resource/Stage/5/Bbd_Spike.png", "icon"},
        {"Resource/Effect/Bbd_Meteor.png", "effect"},      {"Resource/Menu/Bbd_Intro2.jpg", "background"},
    };
    ManifestItem picture;
    picture.kind = "picture";
    for (const auto& [path, style] : kByPath) EXPECT_EQ(ArtStyleFor(picture, path), style) << path;
}

TEST(ArtStyle, GroundTilesRepeatEveryCellSoNeighboursJoin) {
    // Cells are 85.5 px apart and tiles drawn at 0.955: tile pixels a cell
    // apart must look alike (sideways and up), unlike pixels half a cell apart.
    std::vector<std::string> errors;
    auto items = ParseManifest("picture Resource/Stage/2/Ground01.tga 192x192 - - - -\n", &errors);
    ASSERT_TRUE(errors.empty());
    TextRenderer text(kFont);
    AssetGenerator generator(items, text);
    Canvas tile = generator.Draw(ExpandManifest(items)[0]);
    auto diff = [&tile](int x0, int y0, int x1, int y1) {
        Rgba a = tile.At(x0, y0), b = tile.At(x1, y1);
        return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    };
    const double cellX = 85.5 / 0.955, cellY = 80.75 / 0.955;
    double sameX = 0, halfX = 0, sameY = 0, halfY = 0;
    int n = 0;
    for (int y = 30; y < 100; y += 3)
        for (int x = 0; x < 100; x += 3) {
            // Sample between pixel centres so a fractional period lands fairly.
            int px = static_cast<int>(x + cellX + 0.5), py = static_cast<int>(y + cellY + 0.5);
            sameX += diff(x, y, px, y);
            halfX += diff(x, y, static_cast<int>(x + cellX / 2), y);
            sameY += diff(x, y, x, py);
            halfY += diff(x, y, x, static_cast<int>(y + cellY / 2));
            ++n;
        }
    EXPECT_LT(sameX / n, 8.0);
    EXPECT_LT(sameY / n, 8.0);
    EXPECT_GT(halfX, 3 * sameX);
    EXPECT_GT(halfY, 3 * sameY);
}
