// Runs the real program on the display with the generated pack and a fresh
// save folder, asks it to quit as SIGTERM does, and checks what it leaves.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "game/GameSaveData.h"
#include "content/SaveProfile.h"

namespace {

namespace fs = std::filesystem;

bool WaitFor(pid_t pid, int& status, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

TEST(GameRun, StartsSavesAndQuitsCleanlyOnTheQuitRequest) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const std::string exe = std::string(CSQ_BINARY_DIR) + "/CSQ.exe";
    ASSERT_TRUE(fs::exists(exe));
    ASSERT_TRUE(fs::exists(std::string(CSQ_BINARY_DIR) + "/DATA"));

    char pattern[] = "/tmp/csq-run-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    const std::string folder = root + "/Orvendale/Cogsquall/";

    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // Its own process group: a message box it forks goes with it on a kill,
        // instead of staying behind as a running copy that blocks later starts.
        setpgid(0, 0);
        if (chdir(CSQ_BINARY_DIR) != 0) _exit(90);
        setenv("APPDATA", root.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        execl(exe.c_str(), "CSQ.exe", static_cast<char*>(nullptr));
        _exit(91);
    }
    setpgid(pid, pid);  // either side may get there first

    // The save file appears while the game is starting up, before any frame.
    bool created = false;
    for (int i = 0; i < 250 && !created; ++i) {
        created = fs::exists(folder + "SaveData.dat");
        if (!created) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(created);
    int status = 0;
    EXPECT_FALSE(WaitFor(pid, status, std::chrono::milliseconds(3000))) << "the game ended on its own";

    ASSERT_EQ(kill(pid, SIGTERM), 0);
    const bool ended = WaitFor(pid, status, std::chrono::milliseconds(10000));
    if (!ended) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    kill(-pid, SIGKILL);  // whatever it left behind
    ASSERT_TRUE(ended) << "no clean exit after the quit request";
    ASSERT_TRUE(WIFEXITED(status)) << "signal " << (WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    EXPECT_EQ(WEXITSTATUS(status), 0);

    ASSERT_TRUE(fs::exists(folder + "SaveData.dat"));
    ASSERT_TRUE(fs::exists(folder + "DataBkUp.dat")) << "the save at shutdown pushes the first file into the backup";
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

}  // namespace
