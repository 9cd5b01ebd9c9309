#pragma once
// The GL harness: a real window with the GL device, the game program run in
// a process of its own, and the comparison of a read-back picture with a
// reference picture kept in tests/golden/.
// CSQ_UPDATE_GOLDEN=1 writes the reference instead (the test is then skipped):
// references change only on purpose.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine/PictureDecoder.h"
#include "platform/host/Display.h"
#include "platform/host/GraphicsDevice.h"
#include "tests/CommandOutput.h"

namespace golden {

// The built program started on the save folder root, in its own process group
// (a message box it forks goes with it on a kill), its errors into a file,
// in the given working folder (where it finds DATA and BIN).
class GameProcess {
public:
    GameProcess(const std::string& root, bool display, const std::string& errors = "/dev/null",
                const std::string& folder = CSQ_BINARY_DIR, const char* audioDriver = "dummy") {
        m_pid = fork();
        if (m_pid < 0) {
            ADD_FAILURE() << "fork: " << std::strerror(errno);
            return;
        }
        if (m_pid == 0) {
            setpgid(0, 0);
            if (chdir(folder.c_str()) != 0) _exit(90);
            const int fd = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (fd >= 0) dup2(fd, 2);
            setenv("APPDATA", root.c_str(), 1);
            setenv("SDL_AUDIODRIVER", audioDriver, 1);  // one that is no driver: no sound device
            if (!display) unsetenv("DISPLAY");          // its box cannot be shown: the text goes to stderr
            execl(CSQ_BINARY_DIR "/CSQ.exe", "CSQ.exe", static_cast<char*>(nullptr));
            _exit(91);
        }
        setpgid(m_pid, m_pid);  // either side may get there first
    }
    ~GameProcess() { Stop(); }
    // Whether it ended within the limit; its status then in status(). An
    // ended one is reaped, and nothing signals it after.
    bool Ended(std::chrono::milliseconds limit) { return Await(limit, true); }
    // Asks it to quit with the signal (SIGTERM unless told); whatever is left
    // of its group after ten seconds (a box it forked) is killed. The group
    // goes before the game is reaped, while its number is still ours: once
    // reaped it may name another process. One Ended() reaped gets no signal.
    bool Stop(int signal = SIGTERM) {
        if (m_ended || m_pid <= 0) return m_ended;
        kill(m_pid, signal);
        const bool clean = Await(std::chrono::milliseconds(10000), false);
        kill(-m_pid, SIGKILL);
        waitpid(m_pid, &m_status, 0);
        m_ended = true;
        return clean;
    }
    int status() const { return m_status; }
    pid_t pid() const { return m_pid; }

private:
    // Whether it ended within the limit, reaped or only looked at (it then
    // stays a zombie, and its number ours).
    bool Await(std::chrono::milliseconds limit, bool reap) {
        if (m_ended || m_pid <= 0) return m_ended;
        const auto end = std::chrono::steady_clock::now() + limit;
        do {
            if (reap && waitpid(m_pid, &m_status, WNOHANG) == m_pid) return m_ended = true;
            siginfo_t info{};
            if (!reap && waitid(P_PID, id_t(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == m_pid)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        } while (std::chrono::steady_clock::now() < end);
        return false;
    }

    pid_t m_pid = -1;
    int m_status = 0;
    bool m_ended = false;
};

// The whole of a text file (a program's stderr), "" when it cannot be read.
inline std::string FileText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The program's fatal line ("Cogsquall: <message> (<reason>)") and its
// reason, the last bracketed part, whatever brackets it holds itself; both
// "" when it said none.
struct FatalLine {
    std::string line, reason;
};
inline FatalLine FatalOf(const std::string& said) {
    FatalLine out;
    const size_t at = said.find("Cogsquall: ");
    if (at == std::string::npos) return out;
    out.line = said.substr(at, said.find('\n', at) - at);
    if (out.line.empty() || out.line.back() != ')') return out;
    int depth = 0;
    for (size_t i = out.line.size(); i-- > 0;) {
        depth += out.line[i] == ')' ? 1 : out.line[i] == '(' ? -1 : 0;
        if (depth == 0) {
            out.reason = out.line.substr(i + 1, out.line.size() - i - 2);
            break;
        }
    }
    return out;
}

// Whether the file appears within ten seconds.
inline bool Appears(const std::string& path) {
    for (int i = 0; i < 500; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// A window of the given size with the GL device on it, presenting without
// waiting for the display. SDL stays up until the process ends: shutting it
// down unloads the GL driver, whose own leftovers then look like leaks.
// The video system up, asked again as the game asks: a busy X server now and
// then drops a connection as it is made.
inline bool InitVideo() { return host::GetVideoSystem().InitAskingAgain(5, 300); }

struct GlWindow {
    bool Open(const char* title, int width, int height) {
        host::VideoSystem& vs = host::GetVideoSystem();
        if (!InitVideo()) return false;
        window = vs.CreateWindow(title, width, height);
        if (!window) return false;
        host::PresentParameters pp;
        pp.presentInterval = 0x80000000u;
        pp.backBufferWidth = width;
        pp.backBufferHeight = height;
        device = vs.CreateDevice(*window, pp);
        return device != nullptr;
    }
    std::unique_ptr<host::Window> window;
    std::unique_ptr<host::GraphicsDevice> device;
};

inline bool ReadPng(const std::string& path, DecodedPicture& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return !bytes.empty() && DecodePng(bytes.data(), bytes.size(), out);
}

inline bool UpdateRequested() {
    const char* update = std::getenv("CSQ_UPDATE_GOLDEN");
    return update && std::string(update) == "1";
}

// The stage runner's output for these arguments, run from the build folder
// where the pack lies.
inline std::string RunStageRunner(const std::string& args, const std::string& env) {
    return shell::CommandOutput("cd " CSQ_BINARY_DIR " && SDL_AUDIODRIVER=dummy " + env +
                                " " CSQ_BINARY_DIR "/tools/stagerun/stagerun " + args + " 2>/dev/null");
}

// Pixels whose colour differs by more than 32 in any channel.
inline size_t PixelsOff(const DecodedPicture& a, const DecodedPicture& b) {
    size_t off = 0;
    for (size_t i = 0; i + 3 < a.rgba.size() && i + 3 < b.rgba.size(); i += 4)
        for (size_t c = 0; c < 3; ++c)
            if (std::abs(int(a.rgba[i + c]) - int(b.rgba[i + c])) > 32) {
                ++off;
                break;
            }
    return off;
}

// A picture a run left at `shot` against tests/golden/<name>.png: rasterizers
// differ a little along edges, so at most one pixel in 500 may be off. With
// CSQ_UPDATE_GOLDEN=1 the reference is rewritten and the test skips.
inline void ExpectShotMatches(const std::string& shot, const std::string& name) {
    DecodedPicture picture, reference;
    ASSERT_TRUE(ReadPng(shot, picture)) << shot;
    const std::string ref = std::string(CSQ_SOURCE_DIR "/tests/golden/") + name + ".png";
    if (UpdateRequested()) {
        std::filesystem::copy_file(shot, ref, std::filesystem::copy_options::overwrite_existing);
        GTEST_SKIP() << "reference written to " << ref;
    }
    ASSERT_TRUE(ReadPng(ref, reference)) << "no reference picture; run with CSQ_UPDATE_GOLDEN=1";
    ASSERT_EQ(picture.width, reference.width);
    ASSERT_EQ(picture.height, reference.height);
    EXPECT_LE(PixelsOff(picture, reference), picture.rgba.size() / 4 / 500) << "this run's picture: " << shot;
}

// Rasterizers may differ a little along edges: a pixel is off when a channel
// differs by more than 32, and more than 24 off pixels in any 16 × 16 tile
// make another picture. A failing run leaves its picture beside the build.
inline void ExpectMatches(host::GraphicsDevice& device, const std::string& name) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(device.ReadBackBuffer(pixels, w, h));
    const std::string reference = std::string(CSQ_SOURCE_DIR "/tests/golden/") + name + ".png";
    if (UpdateRequested()) {
        ASSERT_TRUE(host::WritePng(reference.c_str(), pixels.data(), w, h));
        GTEST_SKIP() << "reference written to " << reference;
    }
    DecodedPicture ref;
    ASSERT_TRUE(ReadPng(reference, ref)) << "no reference picture; run with CSQ_UPDATE_GOLDEN=1";
    ASSERT_EQ(ref.width, w);
    ASSERT_EQ(ref.height, h);
    constexpr int kTile = 16;
    int worst = 0, worstX = 0, worstY = 0;
    for (int ty = 0; ty < h; ty += kTile)
        for (int tx = 0; tx < w; tx += kTile) {
            int off = 0;
            for (int y = ty; y < std::min(h, ty + kTile); ++y)
                for (int x = tx; x < std::min(w, tx + kTile); ++x) {
                    const size_t i = (size_t(y) * size_t(w) + size_t(x)) * 4;
                    for (size_t c = 0; c < 3; ++c)
                        if (std::abs(int(pixels[i + c]) - int(ref.rgba[i + c])) > 32) {
                            ++off;
                            break;
                        }
                }
            if (off > worst) worst = off, worstX = tx, worstY = ty;
        }
    const std::string actual = std::string(CSQ_BINARY_DIR "/") + name + "_actual.png";
    if (worst > 24) device.SaveBackBufferPng(actual.c_str());
    EXPECT_LE(worst, 24) << "tile at " << worstX << "," << worstY << " differs; this run: " << actual;
}

}  // namespace golden
