// The slot machine in the window: stage 159 after its first payout, with the
// right and middle reels stopped by the stop button and the left one still
// turning. The last picture is compared with its reference; the window gives
// the same result line as the headless run of the same script.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

TEST(SlotMachineScreenshot, TwoReelsStoppedMatchTheReferencePicture) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-slots-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string shot = root + "/shot.png";
    const std::string args =
        "--stage 159 --difficulty 1 --seed 5 --frames 760 --script " CSQ_SOURCE_DIR "/tests/data/slot_lever.script";
    const std::string headless = golden::RunStageRunner(args, "");
    const std::string window = golden::RunStageRunner(args + " --window --draw-from 700", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit"), std::string::npos) << headless;
    EXPECT_NE(headless.find(" notfound=0 "), std::string::npos) << headless;
    EXPECT_EQ(window, headless);

    golden::ExpectShotMatches(shot, "minigame_slot_machine");
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
