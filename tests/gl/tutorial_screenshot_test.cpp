// Stage 1's tutorial in the window: the Fusor Bot's card placed by a script,
// step 2's box and its "Click to continue..." hint drawn through their render
// targets, against the reference picture; the window plays as the headless run.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/gl/GoldenPicture.h"

namespace {

TEST(TutorialScreenshot, StepTwoAfterTheFirstCardIsPlaced) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-tutorial-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string shot = root + "/shot.png";
    const std::string args =
        "--stage 1 --difficulty 1 --seed 5 --frames 775 --script " CSQ_SOURCE_DIR "/tests/data/tutorial_step2.script";
    const std::string headless = golden::RunStageRunner(args, "");
    const std::string window = golden::RunStageRunner(args + " --window --draw-from 715", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit"), std::string::npos) << headless;
    EXPECT_NE(headless.find(" energy=0 "), std::string::npos) << "the card was paid for: " << headless;
    EXPECT_NE(headless.find(" notfound=0 "), std::string::npos) << headless;
    EXPECT_EQ(window, headless);

    golden::ExpectShotMatches(shot, "tutorial_step2");
    if (!HasFailure()) std::filesystem::remove_all(root);
}

}  // namespace
