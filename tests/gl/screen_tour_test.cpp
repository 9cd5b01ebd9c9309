// The screen tour on a handful of states: it plays the game in its window,
// and each wanted state comes out as a picture of the window that shows
// something (not one flat colour), with the contact sheet beside them. The
// boards of a stage won by mouse match their reference pictures
// (CSQ_UPDATE_GOLDEN=1 writes them anew).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

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

}  // namespace
