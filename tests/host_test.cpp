#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/host/Headless.h"
#include "platform/host/SystemInfo.h"
#include "platform/host/Thread.h"
#include "platform/host/UserFolders.h"
#include "platform/host/X11Connection.h"

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

// A fault inside the GL library while the window is made, with the X server
// gone: the library read a reply the server never sent. It ends the start in
// the fatal words whether the display is reached on its local socket or over
// TCP (as a forwarded display is); a fault with no lost display behind it
// stays a crash, so the game's own faults are never hidden.
TEST(HostDisplayLoss, AFaultWhileTheWindowIsMadeOnAHungUpDisplayEndsInTheFatalWords) {
    const struct {
        const char* rule;
        bool tcp;
        int otherPort;  // DISPLAY names a port this far from the server's
        bool fatalWords;
    } kCases[] = {
        {"the display's local socket hung up", false, 0, true},
        {"the display's TCP connection hung up", true, 0, true},
        {"a TCP peer that is not the display hung up", true, 1, false},
    };
    const std::string dir = std::filesystem::temp_directory_path() / ("csq-hungup-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir + "/.X11-unix");
    for (const auto& c : kCases) {
        // The server's side: a listener the child connects to, then hung up.
        const int server = socket(c.tcp ? AF_INET : AF_UNIX, SOCK_STREAM, 0);
        ASSERT_GE(server, 0) << c.rule;
        sockaddr_storage at{};
        socklen_t size = 0;
        std::string display;
        if (c.tcp) {
            auto& in = reinterpret_cast<sockaddr_in&>(at);
            in.sin_family = AF_INET;
            in.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            size = sizeof in;
            ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&at), size), 0) << std::strerror(errno);
            ASSERT_EQ(getsockname(server, reinterpret_cast<sockaddr*>(&at), &size), 0);
            const int port = ntohs(in.sin_port);
            ASSERT_GT(port, 6000) << c.rule;
            display = "localhost:" + std::to_string(port - 6000 + c.otherPort);
        } else {
            auto& un = reinterpret_cast<sockaddr_un&>(at);
            un.sun_family = AF_UNIX;
            const std::string path = dir + "/.X11-unix/X7";
            unlink(path.c_str());
            std::strncpy(un.sun_path, path.c_str(), sizeof un.sun_path - 1);
            size = sizeof un;
            ASSERT_EQ(bind(server, reinterpret_cast<sockaddr*>(&at), size), 0) << std::strerror(errno);
            display = ":7";
        }
        ASSERT_EQ(listen(server, 1), 0);
        const std::string said = dir + "/said.txt";
        const pid_t child = fork();
        ASSERT_GE(child, 0) << std::strerror(errno);
        if (child == 0) {
            const int out = open(said.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (out < 0 || dup2(out, 2) < 0) _exit(20);
            setenv("DISPLAY", display.c_str(), 1);
            const int link = socket(at.ss_family, SOCK_STREAM, 0);
            if (connect(link, reinterpret_cast<sockaddr*>(&at), size) != 0) _exit(21);
            // Until the server's side is gone.
            pollfd p{link, POLLRDHUP, 10000};
            if (poll(&p, 1, 10000) != 1) _exit(22);
            host::SetStartFailureWords("Cogsquall: start failed (", ")\n");
            host::X11Making(true);
            // Stands in for the library's bad read; a handler that passes it
            // on lets the second end the process as the first would have.
            raise(SIGSEGV);
            raise(SIGSEGV);
            _exit(23);
        }
        const int accepted = accept(server, nullptr, nullptr);
        close(accepted);
        close(server);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child) << c.rule;
        std::ifstream in(said);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (c.fatalWords) {
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << c.rule << ": status " << status << "\n"
                                                                       << text;
            EXPECT_EQ(text, "Cogsquall: start failed (the connection to the X display was lost)\n") << c.rule;
        } else {
            EXPECT_TRUE(WIFSIGNALED(status)) << c.rule << ": status " << status << "\n" << text;
        }
    }
    std::filesystem::remove_all(dir);
}
