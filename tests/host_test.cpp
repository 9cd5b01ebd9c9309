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
