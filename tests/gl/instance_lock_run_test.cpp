// Copies of the real program: a second copy on the same save folder refuses
// to start; copies on different save folders both run.
#include <poll.h>
#include <sys/syscall.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <utility>

#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

pid_t ParentOf(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    const std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t name = stat.rfind(')');
    return name == std::string::npos ? -1 : pid_t(std::atol(stat.c_str() + stat.find(' ', name + 2)));
}

// A process of the game's (its box), held from the moment it is seen by a
// descriptor that names that process alone: the game, not the test, reaps
// it, and on a busy machine its number soon names another process.
class SeenProcess {
public:
    SeenProcess(pid_t pid, pid_t parent) : m_fd(int(syscall(SYS_pidfd_open, pid, 0))) {
        // Opened after its number was read: still the parent's child, so the one seen.
        if (m_fd >= 0 && ParentOf(pid) != parent) Close();
    }
    SeenProcess(SeenProcess&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
    SeenProcess& operator=(SeenProcess&&) = delete;
    ~SeenProcess() { Close(); }
    // Neither gone nor left for nobody to collect.
    bool Alive() const {
        pollfd p{m_fd, POLLIN, 0};
        return m_fd >= 0 && poll(&p, 1, 0) == 0;
    }
    void Kill() const {
        if (Alive()) syscall(SYS_pidfd_send_signal, m_fd, SIGKILL, nullptr, 0);
    }

private:
    void Close() {
        if (m_fd >= 0) close(m_fd);
        m_fd = -1;
    }
    int m_fd;
};

}  // namespace

TEST(InstanceLockRun, SecondCopyOnOneSaveFolderRefusesCopiesOnTwoFoldersBothRun) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(fs::exists(std::string(CSQ_BINARY_DIR) + "/DATA"));
    char pattern[] = "/tmp/csq-copies-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern, one = root + "/one", two = root + "/two";
    const std::string saveOf1 = one + "/Orvendale/Cogsquall/SaveData.dat";

    golden::GameProcess first(one, true, root + "/first.txt");
    ASSERT_TRUE(golden::Appears(saveOf1));
    golden::GameProcess second(one, false, root + "/second.txt");
    const bool ended = second.Ended(10000ms);
    golden::GameProcess other(two, true, root + "/other.txt");
    const bool otherStarted = golden::Appears(two + "/Orvendale/Cogsquall/SaveData.dat");
    std::this_thread::sleep_for(500ms);
    const bool firstRuns = !first.Ended(0ms), otherRuns = !other.Ended(0ms);
    first.Stop();
    other.Stop();
    second.Stop();
    const int status = second.status();

    ASSERT_TRUE(ended) << "the second copy kept running";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_NE(golden::FileText(root + "/second.txt").find("Game Already Running!!"), std::string::npos)
        << golden::FileText(root + "/second.txt");
    EXPECT_TRUE(firstRuns);
    EXPECT_TRUE(otherStarted);
    EXPECT_TRUE(otherRuns);
    fs::remove_all(root);
}

// A copy killed outright while its first start-up box is up takes the box
// with it, and the box never held the save folder: the next start runs. The
// box's own process killed, the copy stops waiting on it and no part of the
// box is left either. With no display, or a driver that cannot start, the
// program says why it cannot show the game and fails; only a display that is
// named but does not answer, or that offers no mode to draw on, is asked
// again. A display that refuses the GL context says so.
TEST(InstanceLockRun, ABoxLeftByAKilledCopyGoesWithItAndTheNextStartRuns) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    char pattern[] = "/tmp/csq-killed-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern, folder = root + "/Orvendale/Cogsquall/";
    fs::create_directories(folder);
    std::ofstream(folder + "SaveData.dat") << "not a save";

    // The system's box, as a program that stays up until it is closed.
    fs::create_directories(root + "/bin");
    std::ofstream(root + "/bin/zenity") << "#!/bin/sh\nexec sleep 60\n";
    fs::permissions(root + "/bin/zenity", fs::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (root + "/bin:" + path).c_str(), 1);
    auto childrenOf = [](pid_t p) {
        std::vector<pid_t> found;
        std::ifstream in("/proc/" + std::to_string(p) + "/task/" + std::to_string(p) + "/children");
        for (pid_t c; in >> c;) found.push_back(c);
        return found;
    };
    std::vector<SeenProcess> boxes;
    for (const bool boxKilled : {true, false}) {
        SCOPED_TRACE(boxKilled ? "the box's own process killed" : "the copy killed");
        golden::GameProcess first(root, true, root + "/first.txt");
        ASSERT_GT(first.pid(), 0);
        std::vector<pid_t> children;
        for (int i = 0; i < 500 && children.empty(); ++i) {
            children = childrenOf(first.pid());
            if (children.empty()) std::this_thread::sleep_for(20ms);
        }
        ASSERT_FALSE(children.empty()) << "no box came up";
        const pid_t own = children.front();
        ASSERT_GT(own, 0) << "a box's process id, read from /proc";
        const long from = long(boxes.size());
        boxes.emplace_back(own, first.pid());
        std::this_thread::sleep_for(1000ms);
        ASSERT_TRUE(boxes[size_t(from)].Alive()) << "the box did not stay up";
        for (pid_t sdls : childrenOf(own)) boxes.emplace_back(sdls, own);
        if (boxKilled) boxes[size_t(from)].Kill();
        else kill(first.pid(), SIGKILL);
        if (!boxKilled) {
            ASSERT_TRUE(first.Ended(5000ms));
        }
        bool left = true;
        for (int i = 0; i < 250 && left; ++i) {
            left = std::any_of(boxes.begin() + from, boxes.end(), [](const SeenProcess& p) { return p.Alive(); });
            if (left) std::this_thread::sleep_for(20ms);
        }
        EXPECT_FALSE(left) << "the box outlived its process";
        if (!boxKilled) continue;
        // Its question, unanswered there, goes to stderr and a box of the game's own.
        const std::string kAsked = "[Save data read error!] ";
        for (int i = 0; i < 250 && golden::FileText(root + "/first.txt").find(kAsked) == std::string::npos; ++i)
            std::this_thread::sleep_for(20ms);
        EXPECT_NE(golden::FileText(root + "/first.txt").find(kAsked), std::string::npos) << "the copy kept waiting";
        first.Stop();
    }
    setenv("PATH", path.c_str(), 1);

    golden::GameProcess second(root, true, root + "/second.txt");
    std::this_thread::sleep_for(1500ms);
    const bool secondRuns = !second.Ended(0ms);
    second.Stop();
    for (const SeenProcess& p : boxes) p.Kill();
    EXPECT_TRUE(secondRuns) << golden::FileText(root + "/second.txt");
    EXPECT_EQ(golden::FileText(root + "/second.txt").find("Game Already Running!!"), std::string::npos);

    int unused = 60;  // a display number no server here answers
    while (unused < 99 && fs::exists("/tmp/.X11-unix/X" + std::to_string(unused))) ++unused;
    const std::string unserved = ":" + std::to_string(unused);
    const std::string display = std::getenv("DISPLAY");
    const struct {
        const char* rule;
        const char* display;  // null: none
        const char* driver;   // null: SDL's choice
        const char* reason;   // in the words beside the fatal message
        bool askedAgain;
        const char* glDrivers = nullptr;  // where the GL library looks for its drivers
    } kBlind[] = {
        {"no display", nullptr, nullptr, "the display could not be opened: no DISPLAY is set", false},
        {"a display nobody serves", unserved.c_str(), nullptr, "the display could not be opened", true},
        {"a driver that does not exist", nullptr, "nosuch", "nosuch", false},
        {"a driver that shows nothing, asked by name", display.c_str(), "offscreen",
         "(offscreen, OpenGL 3.3) offers no mode the game can draw on", true},
        {"a GL library without its driver", display.c_str(), nullptr,
         "the display refused X_GLXCreateContext: BadValue", false, "/nonexistent"},
    };
    for (const auto& c : kBlind) {
        SCOPED_TRACE(c.rule);
        if (c.display) setenv("DISPLAY", c.display, 1);
        if (c.driver) setenv("SDL_VIDEODRIVER", c.driver, 1);
        if (c.glDrivers) setenv("LIBGL_DRIVERS_PATH", c.glDrivers, 1);
        golden::GameProcess blind(root + "/blind", c.display != nullptr, root + "/blind.txt");
        const bool ended = blind.Ended(10000ms);
        setenv("DISPLAY", display.c_str(), 1);
        unsetenv("SDL_VIDEODRIVER");
        unsetenv("LIBGL_DRIVERS_PATH");
        ASSERT_TRUE(ended);
        const std::string said = golden::FileText(root + "/blind.txt");
        EXPECT_TRUE(WIFEXITED(blind.status()) && WEXITSTATUS(blind.status()) == 1) << blind.status();
        EXPECT_NE(said.find("This sample will now exit."), std::string::npos) << said;
        const golden::FatalLine fatal = golden::FatalOf(said);
        ASSERT_FALSE(fatal.line.empty()) << said;
        const std::string& reason = fatal.reason;
        EXPECT_NE(reason.find(c.reason), std::string::npos) << fatal.line;
        EXPECT_TRUE(std::all_of(reason.begin(), reason.end(), [](char ch) { return ch >= ' ' && ch <= '~'; }))
            << fatal.line;
        EXPECT_EQ(said.find("asking again") != std::string::npos, c.askedAgain) << said;
    }
    fs::remove_all(root);
}
