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
#include "game/GameSaveData.h"
#include "content/SaveProfile.h"
#include "platform/host/GraphicsDevice.h"

namespace {

namespace fs = std::filesystem;

constexpr int kFrames = 6600;  // the first Machine has crossed by then

std::string RunStage(const std::string& args, const std::string& env) {
    const std::string command = "cd " CSQ_BINARY_DIR " && SDL_AUDIODRIVER=dummy " + env + " " CSQ_BINARY_DIR
                                "/tools/stagerun/stagerun " + args + " 2>/dev/null";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string out;
    std::array<char, 256> buf{};
    while (pipe && fgets(buf.data(), int(buf.size()), pipe.get())) out += buf.data();
    return out;
}

int Field(const std::string& line, const std::string& name) {
    const size_t at = line.find(" " + name + "=");
    return at == std::string::npos ? -1 : std::atoi(line.c_str() + at + name.size() + 2);
}

bool ReadPng(const std::string& path, DecodedPicture& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !bytes.empty() && DecodePng(bytes.data(), bytes.size(), out);
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
        "--stage 1 --difficulty 1 --seed 5 --profile " + profile + " --frames " + std::to_string(kFrames);

    const std::string headless = RunStage(args, "");
    const std::string shot = root + "/shot.png";
    const std::string window = RunStage(args + " --window", "CSQ_STAGERUN_SHOT=" + shot);
    ASSERT_NE(headless.find("outcome="), std::string::npos) << headless;
    EXPECT_EQ(window, headless) << "the window steps the game as the headless run does";
    EXPECT_EQ(Field(headless, "frame"), kFrames);
    EXPECT_EQ(Field(headless, "life"), 1) << "one Machine crossed the field";
    EXPECT_EQ(Field(headless, "notfound"), 0);

    DecodedPicture picture, reference;
    ASSERT_TRUE(ReadPng(shot, picture));
    const std::string ref = std::string(CSQ_SOURCE_DIR "/tests/golden/stagerun_stage1.png");
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
    // Something stands on the field: the picture is not all black.
    size_t lit = 0;
    for (size_t i = 0; i + 3 < picture.rgba.size(); i += 4) lit += picture.rgba[i] + picture.rgba[i + 1] > 64;
    EXPECT_GT(lit, 500u);
    if (!HasFailure()) fs::remove_all(root);
}

}  // namespace
