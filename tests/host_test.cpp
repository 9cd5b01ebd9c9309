#include <gtest/gtest.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "platform/host/Headless.h"
#include "platform/host/SystemInfo.h"
#include "platform/host/Thread.h"
#include "platform/host/UserFolders.h"

TEST(HostClock, VirtualClockMovesOnlyWhenToldOrSleptOn) {
    host::HeadlessHost h;
    int64_t t0 = host::GetClock().Ticks();
    EXPECT_EQ(host::GetClock().Ticks(), t0);
    host::Sleep(250);
    EXPECT_EQ(host::GetClock().Ticks() - t0, 250000000);
    EXPECT_EQ(host::GetClock().Milliseconds(), 250u);
    h.clock.AdvanceSeconds(1.5);
    EXPECT_EQ(host::GetClock().Milliseconds(), 1750u);
}

TEST(HostMessageBox, RecordsBoxesAndAnswersFromScript) {
    host::HeadlessHost h;
    h.boxes.QueueAnswer(host::IDNO);
    EXPECT_EQ(host::ShowMessageBox("Restore?", "Question", host::MB_YESNO), host::IDNO);
    // Nothing queued: the first button answers.
    EXPECT_EQ(host::ShowMessageBox("Restore?", "Question", host::MB_YESNO), host::IDYES);
    EXPECT_EQ(host::ShowMessageBox("Gone", "Error"), host::IDOK);
    ASSERT_EQ(h.boxes.Count(), 3u);
    EXPECT_TRUE(h.boxes.Saw("Error", "Gone"));
    EXPECT_FALSE(h.boxes.Saw("Error", "Restore?"));
}

TEST(HostFolders, SaveRootFollowsAppDataThenXdg) {
    const char* oldApp = std::getenv("APPDATA");
    std::string keep = oldApp ? oldApp : "";
    setenv("APPDATA", "/tmp/csq-appdata", 1);
    EXPECT_EQ(host::UserDataRoot(), "/tmp/csq-appdata/");
    unsetenv("APPDATA");
    setenv("XDG_DATA_HOME", "/tmp/csq-xdg/", 1);
    EXPECT_EQ(host::UserDataRoot(), "/tmp/csq-xdg/");
    unsetenv("XDG_DATA_HOME");
    setenv("HOME", "/home/player", 1);
    EXPECT_EQ(host::UserDataRoot(), "/home/player/.local/share/");
    if (oldApp) setenv("APPDATA", keep.c_str(), 1);

    auto dir = std::filesystem::temp_directory_path() / ("csq-folders-test-" + std::to_string(getpid())) / "a" / "b";
    std::filesystem::remove_all(dir.parent_path().parent_path());
    EXPECT_TRUE(host::CreateFolders(dir.string() + "/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    std::filesystem::remove_all(dir.parent_path().parent_path());
}

