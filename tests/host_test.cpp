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

TEST(HostFolders, SaveRootFollowsAppDataThenXdgThenHomeAndIsAlwaysAbsolute) {
    std::string keep[3];
    const char* const kNames[3] = {"APPDATA", "XDG_DATA_HOME", "HOME"};
    bool had[3];
    for (int i = 0; i < 3; ++i)
        if ((had[i] = std::getenv(kNames[i]) != nullptr)) keep[i] = std::getenv(kNames[i]);
    const struct {
        const char* rule;
        const char *app, *xdg, *home;
        const char* root;
    } kCases[] = {
        {"APPDATA first", "/tmp/csq-appdata", "/tmp/csq-xdg/", "/home/player", "/tmp/csq-appdata/"},
        {"then XDG_DATA_HOME", nullptr, "/tmp/csq-xdg/", "/home/player", "/tmp/csq-xdg/"},
        {"then HOME", nullptr, nullptr, "/home/player", "/home/player/.local/share/"},
        {"an empty value counts as unset", "", "", "/home/player", "/home/player/.local/share/"},
        {"a relative APPDATA is passed over", "saves", "/tmp/csq-xdg", nullptr, "/tmp/csq-xdg/"},
        {"a relative XDG_DATA_HOME is passed over", nullptr, "./data", "/home/player", "/home/player/.local/share/"},
        {"a relative HOME is no home", nullptr, nullptr, "player", ""},
        {"nothing at all: no root", nullptr, nullptr, nullptr, ""},
    };
    for (const auto& c : kCases) {
        const char* values[3] = {c.app, c.xdg, c.home};
        for (int i = 0; i < 3; ++i)
            if (values[i]) setenv(kNames[i], values[i], 1);
            else unsetenv(kNames[i]);
        EXPECT_EQ(host::UserDataRoot(), c.root) << c.rule;
    }
    for (int i = 0; i < 3; ++i)
        if (had[i]) setenv(kNames[i], keep[i].c_str(), 1);
        else unsetenv(kNames[i]);

    std::string reason;
    EXPECT_FALSE(host::CreateFolders("/tmp/" + std::string(300, 'x') + "/", &reason));
    EXPECT_EQ(reason, "File name too long");

    auto dir = std::filesystem::temp_directory_path() / ("csq-folders-test-" + std::to_string(getpid())) / "a" / "b";
    std::filesystem::remove_all(dir.parent_path().parent_path());
    EXPECT_TRUE(host::CreateFolders(dir.string() + "/"));
    EXPECT_TRUE(std::filesystem::is_directory(dir));
    std::filesystem::remove_all(dir.parent_path().parent_path());
}
