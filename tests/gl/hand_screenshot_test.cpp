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

bool ReadPng(const std::string& path, DecodedPicture& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !bytes.empty() && DecodePng(bytes.data(), bytes.size(), out);
}

struct Shot {
    const char* name;
    const char* args;
};

const Shot kShots[] = {
    {"card_choice", "--stage 10 --difficulty 1 --seed 5 --frames 470 --script " CSQ_SOURCE_DIR
                    "/tests/data/card_choice.script"},
    {"carried_card", "--stage 3 --difficulty 1 --seed 5 --hand 0 --frames 960 --script " CSQ_SOURCE_DIR
                     "/tests/data/carried_card.script"},
};

class HandScreenshot : public ::testing::TestWithParam<Shot> {};

TEST_P(HandScreenshot, MatchesItsReferencePicture) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const Shot s = GetParam();
    char pattern[] = "/tmp/csq-hand-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string shot = root + "/shot.png";
    const std::string headless = RunStage(s.args, "");
    const std::string window = RunStage(std::string(s.args) + " --window", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome=limit"), std::string::npos) << headless;
    EXPECT_NE(headless.find(" notfound=0 "), std::string::npos) << headless;
    EXPECT_EQ(window, headless);

    DecodedPicture picture, reference;
    ASSERT_TRUE(ReadPng(shot, picture));
    const std::string ref = std::string(CSQ_SOURCE_DIR "/tests/golden/hand_") + s.name + ".png";
    const char* update = std::getenv("CSQ_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        fs::copy_file(shot, ref, fs::copy_options::overwrite_existing);
        fs::remove_all(root);
        GTEST_SKIP() << "reference written to " << ref;
    }
    ASSERT_TRUE(ReadPng(ref, reference)) << "no reference picture; run with CSQ_UPDATE_GOLDEN=1";
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

INSTANTIATE_TEST_SUITE_P(Hand, HandScreenshot, ::testing::ValuesIn(kShots),
                         [](const ::testing::TestParamInfo<Shot>& info) { return std::string(info.param.name); });

}  // namespace
