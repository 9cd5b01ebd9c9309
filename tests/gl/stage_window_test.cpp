// stagerun --window on stage 1 (replayed, so the tutorial does not hold the
// Machines back): Machines walk in and life falls, the window gives the same
// result line as a headless run, and its last picture matches the reference.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
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
#include "game/GameSaveData.h"
#include "content/SaveProfile.h"
#include "platform/host/GraphicsDevice.h"

namespace {

namespace fs = std::filesystem;

constexpr int kStageFrames = 6600;  // the first Machine has crossed by then

int Field(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    return at == std::string::npos ? -1 : std::atoi(line.c_str() + at + name.size() + 2);
}

// A save file whose profile has been past stage 1.
std::string ReplayProfile(const std::string& root) {
    setenv("APPDATA", root.c_str(), 1);
    CGameSaveData data;
    data.Load();
    EXPECT_EQ(data.CreateProfile("Replay"), CVxSaveData::SAVE_OK);
    data.InitProfile(g_CurrentProfile);
    g_CurrentProfile.m_iFurthestStage = 2;
    g_CurrentProfile.m_abRobotUnlocked[2] = 1;
    EXPECT_EQ(data.Save(), CVxSaveData::SAVE_OK);
    unsetenv("APPDATA");
    return CVxSaveData::FolderPath().empty() ? "" : root + "/Orvendale/Cogsquall/SaveData.dat";
}

TEST(StageWindow, StageOneInTheWindowShowsMachinesComingAndLifeFalling) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-shot-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string profile = ReplayProfile(root);
    ASSERT_TRUE(fs::exists(profile));
    const std::string args =
        "--stage 1 --difficulty 1 --seed 5 --profile " + profile + " --frames " + std::to_string(kStageFrames);

    const std::string headless = golden::RunStageRunner(args, "");
    const std::string shot = root + "/shot.png";
    const std::string window = golden::RunStageRunner(args + " --window", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome="), std::string::npos) << headless;
    EXPECT_EQ(window, headless) << "the window steps the game as the headless run does";
    EXPECT_EQ(Field(headless, "frame"), kStageFrames);
    EXPECT_EQ(Field(headless, "life"), 1) << "one Machine crossed the field";
    EXPECT_EQ(Field(headless, "notfound"), 0);

    golden::ExpectShotMatches(shot, "stagerun_stage1");
    DecodedPicture picture;
    ASSERT_TRUE(golden::ReadPng(shot, picture));
    // Something stands on the field: the picture is not all black.
    size_t lit = 0;
    for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4) lit += picture.rgba[i] + picture.rgba[i + 1] > 64;
    EXPECT_GT(lit, 500u);
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
