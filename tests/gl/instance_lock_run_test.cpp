// Copies of the real program: a second copy on the same save folder refuses
// to start; copies on different save folders both run.
#include <fstream>
#include <iterator>

#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

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
