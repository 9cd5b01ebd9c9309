// Runs the real program on the display with the generated pack and a fresh
// save folder, asks it to quit with each signal that may, and checks what it
// leaves.
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "game/GameSaveData.h"
#include "content/SaveProfile.h"
#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

// Each signal that asks the game to go (Ctrl+C, a kill, its terminal closed)
// closes it as a confirmed exit does: status 0, and the exit save written.
TEST(GameRun, StartsSavesAndQuitsCleanlyOnTheQuitRequest) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const std::string exe = std::string(CSQ_BINARY_DIR) + "/CSQ.exe";
    ASSERT_TRUE(fs::exists(exe));
    ASSERT_TRUE(fs::exists(std::string(CSQ_BINARY_DIR) + "/DATA"));
    const struct {
        const char* name;
        int signal;
    } kSignals[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};
    for (const auto& s : kSignals) {
        SCOPED_TRACE(s.name);
        char pattern[] = "/tmp/csq-run-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        const std::string root = pattern;
        const std::string folder = root + "/Orvendale/Cogsquall/";

        golden::GameProcess game(root, true);
        // The save file appears while the game is starting up, before any frame.
        EXPECT_TRUE(golden::Appears(folder + "SaveData.dat"));
        EXPECT_FALSE(game.Ended(std::chrono::milliseconds(3000))) << "the game ended on its own";
        ASSERT_TRUE(game.Stop(s.signal)) << "no clean exit after the quit request";
        const int status = game.status();
        ASSERT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
        EXPECT_EQ(WEXITSTATUS(status), 0);

        ASSERT_TRUE(fs::exists(folder + "SaveData.dat"));
        ASSERT_TRUE(fs::exists(folder + "DataBkUp.dat"))
            << "the save at shutdown pushes the first file into the backup";
        EXPECT_EQ(fs::file_size(folder + "SaveData.dat"), 5212u);
        EXPECT_EQ(fs::file_size(folder + "DataBkUp.dat"), 5212u);

        // Both carry a good checksum and layout (no profile is made yet, so the
        // loader would take them as new files: check the bytes themselves).
        for (const char* name : {"SaveData.dat", "DataBkUp.dat"}) {
            std::ifstream in(folder + name, std::ios::binary);
            std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            ASSERT_EQ(bytes.size(), 5212u) << name;
            int32_t layout, checksum;
            std::memcpy(&layout, bytes.data() + CVxSaveData::HEADER_OFFSET, 4);
            std::memcpy(&checksum, bytes.data() + CVxSaveData::HEADER_OFFSET + 8, 4);
            EXPECT_EQ(layout, 0) << name;
            EXPECT_EQ(checksum, CVxSaveData::Checksum(bytes.data())) << name;
        }
        std::error_code ec;
        fs::remove_all(root, ec);
    }
}

}  // namespace
