// The screen tour on a handful of states: it plays the game in its window,
// and each wanted state comes out as a picture of the window that shows
// something (not one flat colour), with the contact sheet beside them. The
// boards of a stage won by mouse match their reference pictures
// (CSQ_UPDATE_GOLDEN=1 writes them anew).
#include <gtest/gtest.h>
#include <png.h>
#include <stdlib.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <memory>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "tests/CommandOutput.h"
#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

// Share of the commonest colour and the number of colours of a picture.
void Spread(const DecodedPicture& p, double& commonest, size_t& colours) {
    std::map<uint32_t, size_t> counts;
    for (size_t i = 0; i + 3 < p.rgba.size(); i += 4)
        ++counts[uint32_t(p.rgba[i]) << 16 | uint32_t(p.rgba[i + 1]) << 8 | p.rgba[i + 2]];
    size_t most = 0;
    for (const auto& [colour, n] : counts) most = std::max(most, n);
    colours = counts.size();
    commonest = p.rgba.empty() ? 1.0 : double(most) / double(p.rgba.size() / 4);
}

TEST(ScreenTour, AHandfulOfStatesComeOutAsPicturesThatShowSomething) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const std::string tool = CSQ_BINARY_DIR "/tools/screentour/screentour";
    ASSERT_TRUE(fs::exists(tool));
    ASSERT_TRUE(fs::exists(CSQ_BINARY_DIR "/DATA"));
    char pattern[] = "/tmp/csq-tour-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string out = pattern;

    struct Row {
        const char* shot;
        const char* rule;
        const char* reference;  // kept in tests/golden, or null
    };
    const Row rows[] = {
        {"front_title", "the title screen", nullptr},
        {"front_laboratory", "a menu screen reached through the menu's own change", nullptr},
        {"front_box09", "a message box over the menu", nullptr},
        {"stage10_playing", "a battle in play, reached by the stage's own states", nullptr},
        {"stage02_capsule_closed", "a won stage's capsule, waiting for its click", nullptr},
        {"stage02_unlock_board", "what the won stage unlocks, after the capsule is opened", "tour_won_unlock_board"},
        {"stage02_summary", "the summary of a stage won by mouse", "tour_won_summary"},
        {"mini180_boss_both_hands", "the final Destroyer in, with both arms", nullptr},
    };
    std::string only;
    for (const Row& r : rows) only += std::string(only.empty() ? "" : ",") + r.shot;
    const std::string command = "cd " CSQ_BINARY_DIR " && SDL_AUDIODRIVER=dummy " + tool + " --out " + out +
                                " --only " + only + " >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;

    for (const Row& r : rows) {
        DecodedPicture picture;
        ASSERT_TRUE(golden::ReadPng(out + "/" + r.shot + ".png", picture)) << r.rule << ": no picture";
        EXPECT_EQ(picture.width, 800) << r.rule;
        EXPECT_EQ(picture.height, 600) << r.rule;
        double commonest = 1.0;
        size_t colours = 0;
        Spread(picture, commonest, colours);
        EXPECT_LT(commonest, 0.85) << r.rule << ": mostly one colour";
        EXPECT_GT(colours, 200u) << r.rule << ": too few colours for a drawn screen";
        if (r.reference) golden::ExpectShotMatches(out + "/" + r.shot + ".png", r.reference);
    }
    DecodedPicture sheet;
    ASSERT_TRUE(golden::ReadPng(out + "/contact_sheet.png", sheet)) << "the contact sheet";
    EXPECT_GT(sheet.width, 800);
    std::error_code ec;
    if (!HasFailure()) fs::remove_all(out, ec);
}

// The words tesseract reads on the band of a picture between rows top and
// bottom, upper-cased, or "" when it cannot run.
std::string ReadWords(const DecodedPicture& p, int top, int bottom, const std::string& scratch) {
    top = std::max(0, top);
    bottom = std::min(p.height, bottom);
    if (bottom <= top) return "";
    // Lettering is pale (white or cream) over a coloured ribbon and the field:
    // keep only the pale as black ink on white, which OCR reads reliably.
    std::vector<uint8_t> ink(size_t(p.width) * size_t(bottom - top));
    for (int y = top; y < bottom; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* px = p.rgba.data() + (size_t(y) * size_t(p.width) + size_t(x)) * 4;
            const bool letter = px[0] > 200 && px[1] > 200 && px[2] > 120;
            ink[size_t(y - top) * size_t(p.width) + size_t(x)] = letter ? 0 : 255;
        }
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(p.width);
    image.height = uint32_t(bottom - top);
    image.format = PNG_FORMAT_GRAY;
    if (!png_image_write_to_file(&image, scratch.c_str(), 0, ink.data(), 0, nullptr)) return "";
    std::string out = shell::ReadPictureText(scratch, "--psm 6");
    for (char& c : out) c = char(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The wave banners say what they announce: the tour's pictures of the two
// notices are read by OCR for their words.
TEST(ScreenTour, WaveNoticesCarryTheirWords) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_EQ(std::system("command -v tesseract >/dev/null 2>&1"), 0) << "tesseract-ocr is not installed";
    const std::string tool = CSQ_BINARY_DIR "/tools/screentour/screentour";
    ASSERT_TRUE(fs::exists(tool));
    char pattern[] = "/tmp/csq-tour-ocr-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string out = pattern;
    const std::string command = "cd " CSQ_BINARY_DIR " && SDL_AUDIODRIVER=dummy " + tool + " --out " + out +
                                " --only waves12_wave_notice,waves12_final_wave_notice >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;

    struct Row {
        const char* shot;
        std::vector<const char*> words;  // each must be read
        const char* notWord;             // must not be read, or null
    };
    const Row rows[] = {
        {"waves12_wave_notice", {"WAVE"}, "FINAL"},
        {"waves12_final_wave_notice", {"FINAL", "WAVE"}, nullptr},
    };
    for (const Row& r : rows) {
        DecodedPicture picture;
        ASSERT_TRUE(golden::ReadPng(out + "/" + r.shot + ".png", picture)) << r.shot << ": no picture";
        // The banner stands 180 above the centre of the 640-high screen, 64 high.
        const double scale = double(picture.height) / 640.0;
        const int centre = int((320.0 - 180.0) * scale);
        const std::string words =
            ReadWords(picture, centre - int(48 * scale), centre + int(48 * scale), out + "/" + r.shot + "_band.png");
        for (const char* word : r.words)
            EXPECT_NE(words.find(word), std::string::npos) << r.shot << " reads \"" << words << "\"";
        if (r.notWord) {
            EXPECT_EQ(words.find(r.notWord), std::string::npos) << r.shot << " reads \"" << words << "\"";
        }
    }
    std::error_code ec;
    if (!HasFailure()) fs::remove_all(out, ec);
}

}  // namespace
