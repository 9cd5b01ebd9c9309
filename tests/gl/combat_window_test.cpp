// A fight in the window: stage 10 (hard) defended by the runner's fixed deck,
// shot at a frame where robots fire, bullets fly and a Machine lies dying in
// the bottom row. The window gives the headless run's counters, and its
// picture matches the reference.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

TEST(CombatWindow, ADefendedStageShowsAFightLikeItsReference) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-fight-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string args = "--stage 10 --difficulty 2 --seed 4321 --hand 1,3,4,21,15 --defend --frames 7080";
    const std::string headless = golden::RunStageRunner(args, "");
    const std::string shot = root + "/fight.png";
    const std::string window = golden::RunStageRunner(args + " --window --draw-from 7020", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit frame=7080"), std::string::npos) << headless;
    EXPECT_EQ(window, headless) << "the window fights the same fight";
    EXPECT_NE(headless.find("notfound=0"), std::string::npos);

    golden::ExpectShotMatches(shot, "stagerun_fight");
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
