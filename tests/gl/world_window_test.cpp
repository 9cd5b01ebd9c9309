// One stage of each world in the window: its last picture shows the world's
// own background, ground and scenery, and matches that world's reference.
#include <gtest/gtest.h>
#include <stdlib.h>

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
using golden::PixelsOff;
using golden::ReadPng;

constexpr int kFrames = 400;  // the field has slid in and the battle begins

std::string Shoot(int stage, const std::string& shot) {
    return golden::RunStageRunner("--stage " + std::to_string(stage) + " --difficulty 1 --seed 3 --window --frames " +
                                      std::to_string(kFrames) + " --draw-from " + std::to_string(kFrames - 60),
                                  "CSQ_STAGERUN_SHOT=" + shot);
}

// Pixels whose colour differs by more than 32 in a channel (rasterizers
// differ a little along edges).
TEST(WorldWindow, EveryWorldDrawsItsOwnBackdrop) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const fs::path dir = fs::temp_directory_path() / ("csq-worlds-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const bool update = std::getenv("CSQ_UPDATE_GOLDEN") && std::string(std::getenv("CSQ_UPDATE_GOLDEN")) == "1";
    std::vector<DecodedPicture> shots;
    for (int world = 1; world <= 5; ++world) {
        const int stage = 10 * (world - 1) + 4;
        const std::string shot = (dir / ("world" + std::to_string(world) + ".png")).string();
        const std::string line = Shoot(stage, shot);
        ASSERT_NE(line.find("notfound=0"), std::string::npos) << line;
        DecodedPicture picture, reference;
        ASSERT_TRUE(ReadPng(shot, picture)) << "stage " << stage;
        const std::string ref = std::string(CSQ_SOURCE_DIR "/tests/golden/world") + std::to_string(world) + ".png";
        if (update) {
            fs::copy_file(shot, ref, fs::copy_options::overwrite_existing);
        } else {
            ASSERT_TRUE(ReadPng(ref, reference)) << "no reference picture; run with CSQ_UPDATE_GOLDEN=1";
            ASSERT_EQ(picture.width, reference.width);
            ASSERT_EQ(picture.height, reference.height);
            EXPECT_LE(PixelsOff(picture, reference), picture.rgba.size() / 4 / 500)
                << "world " << world << ": " << shot;
        }
        shots.push_back(std::move(picture));
    }
    // The worlds are told apart at a glance: most of each picture differs from
    // every other world's.
    for (size_t i = 0; i < shots.size(); ++i)
        for (size_t j = i + 1; j < shots.size(); ++j)
            EXPECT_GT(PixelsOff(shots[i], shots[j]), shots[i].rgba.size() / 4 / 2)
                << "worlds " << i + 1 << ", " << j + 1;
    if (update) GTEST_SKIP() << "references written";
    if (!HasFailure()) fs::remove_all(dir);
}

}  // namespace
