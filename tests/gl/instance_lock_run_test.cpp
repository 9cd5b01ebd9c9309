// Copies of the real program: a second copy on the same save folder refuses
// to start; copies on different save folders both run.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

struct Copy {
    pid_t pid = -1;
    std::string errors;  // file taking its stderr
};

Copy Start(const std::string& root, bool display, const std::string& errors) {
    Copy c;
    c.errors = errors;
    c.pid = fork();
    if (c.pid == 0) {
        setpgid(0, 0);
        if (chdir(CSQ_BINARY_DIR) != 0) _exit(90);
        const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) dup2(fd, 2);
        setenv("APPDATA", root.c_str(), 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (!display) unsetenv("DISPLAY");  // its box cannot be shown: the text goes to stderr
        const std::string exe = std::string(CSQ_BINARY_DIR) + "/CSQ.exe";
        execl(exe.c_str(), "CSQ.exe", static_cast<char*>(nullptr));
        _exit(91);
    }
    setpgid(c.pid, c.pid);
    return c;
}

bool Ended(pid_t pid, int& status, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    do {
        if (waitpid(pid, &status, WNOHANG) == pid) return true;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < end);
    return false;
}

bool Appears(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        if (fs::exists(path)) return true;
        std::this_thread::sleep_for(20ms);
    }
    return false;
}

void Stop(const Copy& c) {
    int status = 0;
    kill(c.pid, SIGTERM);
    if (!Ended(c.pid, status, 10000ms)) {
        kill(-c.pid, SIGKILL);
        waitpid(c.pid, &status, 0);
    }
    kill(-c.pid, SIGKILL);
}

std::string Text(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(InstanceLockRun, SecondCopyOnOneSaveFolderRefusesCopiesOnTwoFoldersBothRun) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(fs::exists(std::string(CSQ_BINARY_DIR) + "/DATA"));
    char pattern[] = "/tmp/csq-copies-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern, one = root + "/one", two = root + "/two";
    const std::string saveOf1 = one + "/Orvendale/Cogsquall/SaveData.dat";

    const Copy first = Start(one, true, root + "/first.txt");
    ASSERT_TRUE(Appears(saveOf1));

    const Copy second = Start(one, false, root + "/second.txt");
    int status = -1;
    const bool ended = Ended(second.pid, status, 10000ms);
    const Copy other = Start(two, true, root + "/other.txt");
    const bool otherStarted = Appears(two + "/Orvendale/Cogsquall/SaveData.dat");
    std::this_thread::sleep_for(500ms);
    int ignored = 0;
    const bool firstRuns = !Ended(first.pid, ignored, 0ms), otherRuns = !Ended(other.pid, ignored, 0ms);
    Stop(first);
    Stop(other);
    if (!ended) Stop(second);

    ASSERT_TRUE(ended) << "the second copy kept running";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(Text(root + "/second.txt").find("Game Already Running!!"), std::string::npos)
        << Text(root + "/second.txt");
    EXPECT_TRUE(firstRuns);
    EXPECT_TRUE(otherStarted);
    EXPECT_TRUE(otherRuns);
    fs::remove_all(root);
}
