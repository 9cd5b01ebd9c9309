// The real program when its display goes away under it: its connection
// killed (as xkill or a logout does), its window destroyed by another
// client, or a quit signal with the connection cut at once. Each ends the
// game as a confirmed exit does: exit status 0, the exit save written, and
// no sanitizer report on the way out.
#include <fstream>
#include <iterator>

#include "tests/gl/GoldenPicture.h"
#include "tests/gl/XClient.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

enum class Loss { KilledConnection, DestroyedWindow, SignalThenCut };

}  // namespace

TEST(DisplayLossRun, ALostDisplayEndsTheGameWithTheExitSaveAndStatusZero) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    ASSERT_TRUE(fs::exists(std::string(CSQ_BINARY_DIR) + "/DATA"));
    const struct {
        const char* rule;
        Loss loss;
    } kCases[] = {
        {"a killed connection (xkill) saves and closes", Loss::KilledConnection},
        {"a window destroyed by another client saves and closes", Loss::DestroyedWindow},
        {"a quit signal followed at once by a cut connection saves and closes", Loss::SignalThenCut},
    };
    xclient::Connection x;
    ASSERT_NE(x.display, nullptr);
    for (const auto& c : kCases) {
        char pattern[] = "/tmp/csq-lost-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        const std::string root = pattern, folder = root + "/Orvendale/Cogsquall/", errors = root + "/stderr.txt";

        golden::GameProcess game(root, true, errors);
        ASSERT_GT(game.pid(), 0) << c.rule;
        ASSERT_TRUE(golden::Appears(folder + "SaveData.dat")) << c.rule;
        const Window window = x.WaitForWindow(
            game.pid(), [](const std::string&) { return true; }, 20000ms);
        ASSERT_NE(window, 0u) << c.rule << ": no window";
        // Let it draw for a while: the loss comes in the middle of play.
        std::this_thread::sleep_for(2000ms);
        ASSERT_FALSE(game.Ended(0ms)) << c.rule << ": ended on its own\n" << golden::FileText(errors);
        ASSERT_FALSE(fs::exists(folder + "DataBkUp.dat")) << c.rule << ": a save came before the loss";

        switch (c.loss) {
        case Loss::KilledConnection: x.KillClientOf(window); break;
        case Loss::DestroyedWindow: x.Destroy(window); break;
        case Loss::SignalThenCut:
            kill(game.pid(), SIGTERM);
            x.KillClientOf(window);
            break;
        }
        const bool ended = game.Ended(20000ms);
        if (!ended) game.Stop();
        const int status = game.status();
        const std::string said = golden::FileText(errors);

        EXPECT_TRUE(ended) << c.rule << ": still running\n" << said;
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
            << c.rule << ": status " << (WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status)) << "\n"
            << said;
        // The exit save pushes the file written at start-up into the backup.
        EXPECT_TRUE(fs::exists(folder + "DataBkUp.dat")) << c.rule << ": no exit save\n" << said;
        if (fs::exists(folder + "SaveData.dat")) {
            EXPECT_EQ(fs::file_size(folder + "SaveData.dat"), 5212u) << c.rule;
        }
        EXPECT_EQ(said.find("Sanitizer"), std::string::npos) << c.rule << "\n" << said;
        EXPECT_EQ(said.find("runtime error"), std::string::npos) << c.rule << "\n" << said;
        std::error_code ec;
        fs::remove_all(root, ec);
    }
}
