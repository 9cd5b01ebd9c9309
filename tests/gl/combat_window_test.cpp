// A fight in the window: stage 10 defended by the runner's fixed deck, shot
// at a frame where robots fire, bullets fly and a Machine is dying. The window
// gives the headless run's result line, and its picture matches the reference.
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

std::string RunStage(const std::string& args, const std::string& env) {
    const std::string command = "cd " CSQ_BINARY_DIR " && SDL_AUDIODRIVER=dummy " + env + " " CSQ_BINARY_DIR
                                "/tools/stagerun/stagerun " + args + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::array<char, 256> buf{};
    while (pipe && fgets(buf.data(), int(buf.size()), pipe.get())) out += buf.data();
    return out;
}

TEST(CombatWindow, ADefendedStageShowsAFightLikeItsReference) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-fight-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string args = "--stage 10 --difficulty 0 --seed 4321 --hand 1,3,4,21,15 --defend --frames 4200";
    const std::string headless = RunStage(args, "");
    const std::string shot = root + "/fight.png";
    const std::string window = RunStage(args + " --window", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit frame=4200"), std::string::npos) << headless;
    // The same counters; the checksum is left out, as the targeting scans
    // follow the engine's frame counter, which a busy window can leave at
    // another count than the headless run by the battle's start.
    auto counters = [](const std::string& line) { return line.substr(0, line.find(" checksum=")); };
    EXPECT_EQ(counters(window), counters(headless)) << "the window fights the same fight";
    EXPECT_NE(headless.find("notfound=0"), std::string::npos);

    DecodedPicture picture, reference;
    ASSERT_TRUE(golden::ReadPng(shot, picture));
    const std::string ref = std::string(CSQ_SOURCE_DIR "/tests/golden/stagerun_fight.png");
    if (golden::UpdateRequested()) {
        fs::copy_file(shot, ref, fs::copy_options::overwrite_existing);
        fs::remove_all(root);
        GTEST_SKIP() << "reference written to " << ref;
    }
    ASSERT_TRUE(golden::ReadPng(ref, reference)) << "no reference picture; run with CSQ_UPDATE_GOLDEN=1";
    ASSERT_EQ(picture.width, reference.width);
    ASSERT_EQ(picture.height, reference.height);
    // Rasterizers differ a little along edges: count pixels off by more than 32.
    size_t off = 0;
    for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
        for (size_t c = 0; c < 3; ++c)
            if (std::abs(int(picture.rgba[i + c]) - int(reference.rgba[i + c])) > 32) {
                ++off;
                break;
            }
    EXPECT_LE(off, picture.rgba.size() / 4 / 500) << "this run's picture: " << shot;
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
