// Stage 167 in the window: the Mariner Bot bobbing on the start line under
// its pulsing start arrow while the first airships come in. The run's last
// picture is compared with its reference; the window gives the headless
// run's result line.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

TEST(MiniGameScreenshot, JumpStartLineMatchesItsReferencePicture) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-minijump-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string shot = root + "/shot.png";
    const std::string args = "--stage 167 --difficulty 1 --seed 5 --frames 950";
    const std::string headless = golden::RunStageRunner(args, "");
    const std::string window = golden::RunStageRunner(args + " --window --draw-from 890", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit"), std::string::npos) << headless;
    EXPECT_NE(headless.find(" notfound=0 "), std::string::npos) << headless;
    EXPECT_EQ(window, headless);
    golden::ExpectShotMatches(shot, "minigame_jump_start");
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
