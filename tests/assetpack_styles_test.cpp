// Every picture of the pack is drawn as what it is: a line that matches no
// style is refused by name, and the battle's fish, the Destroyers' arms and
// hands, the Machines' fortress and the endings have drawings of their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "tests/CommandOutput.h"
#include "tools/assetpack/ArtDraw.h"
#include "tools/assetpack/ArtStyle.h"
#include "tools/assetpack/Generator.h"
#include "tools/assetpack/Manifest.h"

namespace {

const char* const kFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

std::vector<ManifestItem> RealManifest() {
    std::vector<ManifestItem> items;
    std::vector<std::string> errors;
    EXPECT_TRUE(ReadManifestFile(std::string(CSQ_SOURCE_DIR) + "/tools/assetpack/manifest.txt", &items, &errors));
    return items;
}

std::vector<ManifestItem> Parse(const std::string& line) {
    std::vector<std::string> errors;
    std::vector<ManifestItem> items = ParseManifest(line + "\n", &errors);
    EXPECT_TRUE(errors.empty()) << line;
    return items;
}

// The real manifest's pictures, drawn on demand.
class PackPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_items = new std::vector<ManifestItem>(RealManifest());
        s_text = new TextRenderer(kFont);
        s_files = new std::vector<PackFile>(ExpandManifest(*s_items));
    }
    static void TearDownTestSuite() {
        delete s_files;
        delete s_text;
        delete s_items;
    }
    static Canvas Draw(const std::string& path) {
        for (const PackFile& f : *s_files)
            if (f.path == path) {
                AssetGenerator generator(*s_items, *s_text);
                return generator.Draw(f);
            }
        ADD_FAILURE() << path << " is not in the manifest";
        return Canvas(1, 1);
    }
    static std::string StyleOf(const std::string& path) {
        for (const PackFile& f : *s_files)
            if (f.path == path) return ArtStyleFor((*s_items)[f.item], f.path);
        return "(not listed)";
    }
    static std::vector<ManifestItem>* s_items;
    static TextRenderer* s_text;
    static std::vector<PackFile>* s_files;
};

std::vector<ManifestItem>* PackPictures::s_items = nullptr;
TextRenderer* PackPictures::s_text = nullptr;
std::vector<PackFile>* PackPictures::s_files = nullptr;

int AlphaAt(const Canvas& c, int x, int y) { return c.At(x, y).a; }

// Share of pixels with any ink (alpha above 96) in a box of the picture.
double InkShare(const Canvas& c, int x0, int y0, int x1, int y1) {
    int ink = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) ink += AlphaAt(c, x, y) > 96;
    return double(ink) / double((x1 - x0) * (y1 - y0));
}

double DifferentShare(const Canvas& a, const Canvas& b) {
    if (a.Width() != b.Width() || a.Height() != b.Height()) return 1.0;
    const std::vector<uint8_t>& pa = a.Pixels();
    const std::vector<uint8_t>& pb = b.Pixels();
    size_t differ = 0;
    for (size_t p = 0; p < pa.size(); p += 4) {
        int d = 0;
        for (int k = 0; k < 4; ++k) d = std::max(d, std::abs(int(pa[p + k]) - int(pb[p + k])));
        differ += d > 24;
    }
    return double(differ) / double(pa.size() / 4);
}

struct MeanColour {
    double r = 0, g = 0, b = 0;
};

MeanColour Mean(const Canvas& c, int y0, int y1) {
    MeanColour m;
    for (int y = y0; y < y1; ++y)
        for (int x = 0; x < c.Width(); ++x) {
            const Rgba p = c.At(x, y);
            m.r += p.r, m.g += p.g, m.b += p.b;
        }
    const double n = double(c.Width()) * (y1 - y0);
    m.r /= n, m.g /= n, m.b /= n;
    return m;
}

}  // namespace

// A picture the pack cannot place in a style is refused, naming its line
// and path, instead of coming out as something it is not.
TEST(ArtStyles, APictureThatMatchesNoStyleIsRefusedByName) {
    struct Row {
        const char* rule;
        const char* line;
        int refused;        // messages expected
        const char* names;  // a word every message carries
    } const rows[] = {
        {"a path no style knows is refused", "picture Resource/Nowhere/Thing.png 64x64 - - #ffffff Thing", 1,
         "Resource/Nowhere/Thing.png"},
        {"every numbered file of the line is named", "picture Resource/Nowhere/Thing_%02d.png 64x64 - 3 #ffffff Thing",
         3, "Resource/Nowhere/Thing_0"},
        {"a misspelt style is no style", "picture Resource/Nowhere/Thing.png 64x64 - - #ffffff art:pannel Thing", 1,
         "pannel"},
        {"naming a style accepts any path", "picture Resource/Nowhere/Thing.png 64x64 - - #ffffff art:panel Thing", 0,
         ""},
        {"a known path needs no name", "picture Resource/Effect/Bbd_Stone.png 64x64 - - #ffffff Stone", 0, ""},
        {"a sound is not drawn", "sound Resource/Nowhere/Thing.ogg 100ms - - - thing", 0, ""},
        {"a unit has its own style wherever it lies", "unit Resource/Nowhere/1005/ 64x64 - 2,1 #ffffff Gunner Bot", 0,
         ""},
    };
    for (const Row& r : rows) {
        const std::vector<std::string> errors = UnstyledEntries(Parse(r.line));
        ASSERT_EQ(int(errors.size()), r.refused) << r.rule;
        for (const std::string& e : errors) {
            EXPECT_NE(e.find("manifest line 1"), std::string::npos) << r.rule << ": " << e;
            EXPECT_NE(e.find(r.names), std::string::npos) << r.rule << ": " << e;
        }
    }
}

TEST(ArtStyles, TheGeneratorMakesNothingForAPictureWithoutAStyle) {
    const std::vector<ManifestItem> items = Parse("picture Resource/Nowhere/Thing.png 64x64 - - #ffffff Thing");
    TextRenderer text(kFont);
    ASSERT_TRUE(text.Ok());
    AssetGenerator generator(items, text);
    const std::vector<PackFile> files = ExpandManifest(items);
    ASSERT_EQ(files.size(), 1u);
    EXPECT_TRUE(generator.Make(files[0]).empty());
}

TEST(ArtStyles, ThePackerFailsOnAManifestWithAnUnstyledPicture) {
    const std::string dir = testing::TempDir();
    const std::string manifest = dir + "/unstyled_manifest.txt";
    {
        std::ofstream out(manifest);
        out << "picture Resource/Effect/Bbd_Stone.png 64x64 - - #ffffff Stone\n"
            << "picture Resource/Nowhere/Thing.png 64x64 - - #ffffff Thing\n";
    }
    const std::string command =
        std::string(CSQ_BINARY_DIR) + "/tools/assetpack/assetpack " + manifest + " " + kFont + " " + dir + " 2>&1";
    int status = 0;
    const std::string said = shell::CommandOutput(command, &status);
    EXPECT_NE(status, 0) << said;
    EXPECT_NE(said.find("manifest line 2: Resource/Nowhere/Thing.png"), std::string::npos) << said;
    EXPECT_EQ(said.find("Bbd_Stone"), std::string::npos) << said;
}

TEST(ArtStyles, EveryPictureOfTheGamesManifestHasAStyle) {
    const std::vector<ManifestItem> items = RealManifest();
    int drawn = 0;
    for (const ManifestItem& item : items) drawn += DrawsArt(item);
    EXPECT_GT(drawn, 700);
    for (const std::string& e : UnstyledEntries(items)) ADD_FAILURE() << e;
}

// Each of these used to come out as a message-box panel or a world it is not in.
TEST_F(PackPictures, ThePicturesOfTheLateBattlesAreDrawnAsWhatTheyAre) {
    struct Row {
        const char* path;
        const char* style;
    } const rows[] = {
        {"Resource/Stage/Ambient/Fish1/act1_01.png", "fish"}, {"Resource/Stage/Ambient/Fish3/act1_08.png", "fish"},
        {"Resource/Robot/1028/Arm/Arm_01.png", "bossarm"},    {"Resource/Robot/1031/Arm/Arm_Dying.png", "bossarm"},
        {"Resource/Robot/1028/Hand/Act4_05.png", "bosshand"}, {"Resource/Robot/1031/Hand/Act4_10.png", "bosshand"},
        {"Resource/Stage/6/BG6_6.jpg", "background"},         {"Resource/Story/Bbd_Ending1.jpg", "ending"},
        {"Resource/Story/Bbd_Ending3.jpg", "ending"},         {"Resource/Story/Bbd_Intro2.jpg", "background"},
        {"Resource/MsgBox/Msgbox_StdLarge.png", "panel"},
    };
    for (const Row& r : rows) EXPECT_EQ(StyleOf(r.path), r.style) << r.path;
    EXPECT_EQ(WorldFromPath("resource/stage/6/bg6_6.jpg"), 6);
    EXPECT_EQ(WorldFromPath("resource/stage/3/bg3_2.jpg"), 3);
}

// The fish swim over robots: only the fish is on the picture, its tail beats.
TEST_F(PackPictures, TheFishAreSeeThroughAroundThemAndTheirTailsBeat) {
    for (int kind = 1; kind <= 3; ++kind) {
        SCOPED_TRACE(kind);
        const std::string folder = "Resource/Stage/Ambient/Fish" + std::to_string(kind) + "/act1_0";
        const Canvas first = Draw(folder + "1.png"), up = Draw(folder + "3.png"), down = Draw(folder + "7.png");
        const int w = first.Width(), h = first.Height();
        ASSERT_EQ(w, 96);
        for (int corner = 0; corner < 4; ++corner)
            EXPECT_EQ(AlphaAt(first, corner % 2 ? w - 2 : 1, corner / 2 ? h - 2 : 1), 0) << "corner " << corner;
        EXPECT_EQ(AlphaAt(first, w / 2, h / 2), 255) << "the body is solid";
        const double ink = InkShare(first, 0, 0, w, h);
        EXPECT_GT(ink, 0.2);
        EXPECT_LT(ink, 0.65) << "a fish, not a board";
        EXPECT_GT(DifferentShare(up, down), 0.02) << "the tail swings one way in frame 3, the other in 7";
        EXPECT_GT(DifferentShare(first, up), 0.01) << "and is on its way between";
    }
}

// The arms are machinery beside the boss, nothing around them; their
// frames move, and the dying arm is another picture.
TEST_F(PackPictures, TheDestroyersArmsAreMachineryThatMoves) {
    for (const char* boss : {"1028", "1031"}) {
        SCOPED_TRACE(boss);
        const std::string folder = std::string("Resource/Robot/") + boss + "/Arm/";
        const Canvas arm = Draw(folder + "Arm_01.png");
        const int w = arm.Width(), h = arm.Height();
        ASSERT_EQ(w, 256);
        ASSERT_EQ(h, 128);
        EXPECT_EQ(AlphaAt(arm, 1, 1), 0);
        EXPECT_EQ(AlphaAt(arm, w - 2, h - 2), 0);
        EXPECT_EQ(AlphaAt(arm, w / 2, h / 2), 255) << "the beam runs through the middle";
        const double ink = InkShare(arm, 0, 0, w, h);
        EXPECT_GT(ink, 0.25);
        EXPECT_LT(ink, 0.7) << "an arm, not a panel";
        EXPECT_GT(DifferentShare(arm, Draw(folder + "Arm_04.png")), 0.01) << "the ram pumps";
        EXPECT_GT(DifferentShare(arm, Draw(folder + "Arm_Dying.png")), 0.2) << "the dying arm is wrecked";
    }
}

// The game turns a hand 45 degrees to the left and slides it in from the
// left edge, 64 short of its cell: on the picture it reaches to the lower
// right. It comes in open and closes on the cell.
TEST_F(PackPictures, TheDestroyersHandsReachToTheLowerRightAndClose) {
    for (const char* boss : {"1028", "1031"}) {
        SCOPED_TRACE(boss);
        const std::string folder = std::string("Resource/Robot/") + boss + "/Hand/Act4_";
        const Canvas open = Draw(folder + "01.png"), shut = Draw(folder + "06.png");
        const int s = open.Width();
        ASSERT_EQ(s, 256);
        const double lowerRight = InkShare(open, s / 2, s / 2, s, s);
        EXPECT_GT(lowerRight, InkShare(open, 0, s / 2, s / 2, s)) << "more hand lower right than lower left";
        EXPECT_GT(lowerRight, InkShare(open, s / 2, 0, s, s / 2)) << "more hand lower right than upper right";
        EXPECT_LT(InkShare(open, 0, 0, s, s), 0.5) << "a hand, not a panel";
        // How far the fingers reach along the diagonal they point to.
        auto reach = [s](const Canvas& c) {
            int most = 0;
            for (int y = 0; y < s; ++y)
                for (int x = 0; x < s; ++x)
                    if (AlphaAt(c, x, y) > 96) most = std::max(most, x + y);
            return most;
        };
        EXPECT_GT(reach(open), reach(shut) + 10) << "closed fingers curl in";
    }
}

// The final stages stand before the Machines' fortress, not Green Fields,
// and the deck the field stands on is even so the units read over it.
TEST_F(PackPictures, TheFinalStagesStandBeforeTheMachinesFortress) {
    const Canvas fortress = Draw("Resource/Stage/6/BG6_6.jpg");
    const Canvas fields = Draw("Resource/Stage/1/BG1_1.jpg");
    ASSERT_EQ(fortress.Height(), 1024);
    EXPECT_GT(DifferentShare(fortress, fields), 0.8);
    const MeanColour sky = Mean(fortress, 0, 330), deck = Mean(fortress, 380, 1024);
    EXPECT_GT(sky.r, sky.g + 15) << "a red-lit sky";
    EXPECT_LT(std::abs(deck.g - deck.r), 12) << "a steel deck, not grass";
    // Evenness of the deck: neighbouring rows hardly differ in brightness.
    double biggest = 0;
    for (int y = 380; y < 1020; ++y) {
        const MeanColour a = Mean(fortress, y, y + 1), b = Mean(fortress, y + 1, y + 2);
        biggest = std::max(biggest, std::abs((a.r + a.g + a.b) - (b.r + b.g + b.b)) / 3);
    }
    EXPECT_LT(biggest, 30.0);
}

// Each episode's ending is its own scene, unlike the others and unlike the
// episode's intro.
TEST_F(PackPictures, EachEpisodeEndsInItsOwnScene) {
    std::map<int, Canvas> endings;
    for (int e = 1; e <= 3; ++e) endings.emplace(e, Draw("Resource/Story/Bbd_Ending" + std::to_string(e) + ".jpg"));
    for (int a = 1; a <= 3; ++a) {
        EXPECT_EQ(endings.at(a).Width(), 1600);
        for (int b = a + 1; b <= 3; ++b)
            EXPECT_GT(DifferentShare(endings.at(a), endings.at(b)), 0.6) << "endings " << a << " and " << b;
        EXPECT_GT(DifferentShare(endings.at(a), Draw("Resource/Story/Bbd_Intro" + std::to_string(a) + ".jpg")), 0.6)
            << "ending and intro of episode " << a;
    }
}
