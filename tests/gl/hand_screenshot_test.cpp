// The hand in the window, driven by scripts: stage 10's card choice with a
// card chosen, and stage 3 with a card carried over the field. Each run's
// last picture is compared with its reference; the window gives the same
// result line as the headless run of the same script.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "engine/PictureDecoder.h"
#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

struct Shot {
    const char* name;
    const char* args;
    const char* drawFrom;  // the window draws the last second only
};

const Shot kShots[] = {
    {"card_choice",
     "--stage 10 --difficulty 1 --seed 5 --frames 470 --script " CSQ_SOURCE_DIR "/tests/data/card_choice.script",
     "410"},
    {"carried_card",
     "--stage 3 --difficulty 1 --seed 5 --hand 0 --frames 960 --script " CSQ_SOURCE_DIR
     "/tests/data/carried_card.script",
     "900"},
};

class HandScreenshot : public ::testing::TestWithParam<Shot> {};

TEST_P(HandScreenshot, MatchesItsReferencePicture) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const Shot s = GetParam();
    char pattern[] = "/tmp/csq-hand-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string shot = root + "/shot.png";
    const std::string headless = golden::RunStageRunner(s.args, "");
    const std::string window = golden::RunStageRunner(std::string(s.args) + " --window --draw-from " + s.drawFrom,
                                                      "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit"), std::string::npos) << headless;
    EXPECT_NE(headless.find(" notfound=0 "), std::string::npos) << headless;
    EXPECT_EQ(window, headless);

    golden::ExpectShotMatches(shot, std::string("hand_") + s.name);
    if (!HasFailure()) fs::remove_all(root);
}

INSTANTIATE_TEST_SUITE_P(Hand, HandScreenshot, ::testing::ValuesIn(kShots),
                         [](const ::testing::TestParamInfo<Shot>& info) { return std::string(info.param.name); });

}  // namespace
