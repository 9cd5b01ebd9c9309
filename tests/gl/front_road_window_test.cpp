// The real CSQ.exe in its window, played by synthetic mouse and keyboard
// events (xdotool) as a new player: logo, title, a typed name, the main menu,
// Play, the story's Skip; then a second run of the same save from the start
// to the stage map, whose window picture is told apart from the other screens'
// reference pictures. A new save starts in full screen, so the game gets an
// X server of its own with a 4:3 screen the size of its window.
#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "content/SaveProfile.h"
#include "engine/PictureDecoder.h"
#include "tests/gl/GoldenPicture.h"
#include "tests/gl/OwnDisplay.h"

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

std::string Run(const std::string& command) {
    std::string out = shell::CommandOutput(command);
    while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
    return out;
}

bool HaveTool(const char* name) {
    return std::system((std::string("command -v ") + name + " >/dev/null").c_str()) == 0;
}

// An X window dump (ZPixmap, 32 bits a pixel) as RGBA rows.
bool ReadXwd(const std::string& path, DecodedPicture& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (d.size() < 100) return false;
    auto field = [&](int i) {
        const uint8_t* p = &d[size_t(i) * 4];
        return uint32_t(p[0]) << 24 | uint32_t(p[1]) << 16 | uint32_t(p[2]) << 8 | uint32_t(p[3]);
    };
    const uint32_t headerSize = field(0), width = field(4), height = field(5), byteOrder = field(7);
    const uint32_t bitsPerPixel = field(11), bytesPerLine = field(12), colours = field(19);
    if (bitsPerPixel != 32) return false;
    const size_t start = size_t(headerSize) + size_t(colours) * 12;
    if (d.size() < start + size_t(bytesPerLine) * height) return false;
    out.width = int(width);
    out.height = int(height);
    out.rgba.assign(size_t(width) * height * 4, 255);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* p = &d[start + size_t(y) * bytesPerLine + size_t(x) * 4];
            uint8_t* q = &out.rgba[(size_t(y) * width + x) * 4];
            // Least significant byte first holds blue.
            q[0] = byteOrder == 0 ? p[2] : p[1];
            q[1] = byteOrder == 0 ? p[1] : p[2];
            q[2] = byteOrder == 0 ? p[0] : p[3];
        }
    return true;
}

double MeanDifference(const DecodedPicture& a, const DecodedPicture& b) {
    if (a.width != b.width || a.height != b.height) return std::numeric_limits<double>::max();
    double sum = 0;
    for (size_t i = 0; i < a.rgba.size(); i += 4)
        for (size_t c = 0; c < 3; ++c) sum += std::abs(int(a.rgba[i + c]) - int(b.rgba[i + c]));
    return sum / double(a.rgba.size() / 4 * 3);
}

void Wait(std::chrono::milliseconds t) { std::this_thread::sleep_for(t); }

// Mean difference of two pictures inside a rectangle of window pixels.
double RegionDifference(const DecodedPicture& a, const DecodedPicture& b, int x0, int y0, int w, int h) {
    if (a.width != b.width || a.height != b.height || x0 + w > a.width || y0 + h > a.height)
        return std::numeric_limits<double>::max();
    double sum = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            for (size_t c = 0; c < 3; ++c) {
                const size_t i = (size_t(y) * size_t(a.width) + size_t(x)) * 4 + c;
                sum += std::abs(int(a.rgba[i]) - int(b.rgba[i]));
            }
    return sum / double(w * h * 3);
}

// The last picture any window showed the test: a test that fails keeps it.
DecodedPicture& LastSeen() {
    static DecodedPicture picture;
    return picture;
}

// The game on a display, and the tools that play it there.
class GameWindow {
public:
    // A start that shows no window in time (a loaded machine) is ended and
    // tried again a little later.
    GameWindow(const std::string& display, const std::string& appdata) : m_Display(display) {
        for (int attempt = 0; attempt < 5 && m_Window.empty(); ++attempt) {
            if (attempt > 0) {
                Kill();
                std::this_thread::sleep_for(2s);
            }
            Launch(appdata);
            for (int i = 0; i < 150 && m_Window.empty(); ++i) {
                m_Window = Tool("xdotool search --onlyvisible --pid " + std::to_string(m_Pid) +
                                " --name '^Cogsquall$' 2>/dev/null | head -1");
                if (m_Window.empty()) std::this_thread::sleep_for(100ms);
            }
        }
    }
    ~GameWindow() { Quit(); }

    bool Found() const { return !m_Window.empty(); }

    // A click at a point of the logical screen (centre origin, y up): the
    // window shows the 880 × 640 screen in its 800 × 600 client area. The
    // button stays down a moment, as under a finger.
    void ClickAt(float x, float y) {
        const int cx = int((x + 440.0f) * 800.0f / 880.0f);
        const int cy = int((320.0f - y) * 600.0f / 640.0f);
        Tool("xdotool mousemove --window " + m_Window + " " + std::to_string(cx) + " " + std::to_string(cy));
        std::this_thread::sleep_for(150ms);
        Tool("xdotool mousedown 1");
        std::this_thread::sleep_for(100ms);
        Tool("xdotool mouseup 1");
    }
    // Each key is held a moment and let go a moment before the next, so that
    // a slow frame still sees every press.
    void Type(const char* text, std::chrono::milliseconds hold = 200ms) {
        for (const char* c = text; *c; ++c) {
            const std::string key(1, *c);
            Tool("xdotool keydown " + key);
            std::this_thread::sleep_for(hold);
            Tool("xdotool keyup " + key);
            std::this_thread::sleep_for(200ms);
        }
    }
    void Key(const char* name) { Tool(std::string("xdotool key ") + name); }

    bool Picture(DecodedPicture& out) {
        const std::string path = "/tmp/csq-window-" + std::to_string(m_Pid) + ".xwd";
        Tool("xwd -silent -id " + m_Window + " > " + path);
        const bool ok = ReadXwd(path, out);
        std::remove(path.c_str());
        if (ok) LastSeen() = out;
        return ok;
    }

    // Asks the game to quit as SIGTERM does; true on a clean exit.
    bool Quit() {
        if (m_Pid <= 0) return true;
        kill(m_Pid, SIGTERM);
        int status = 0;
        bool ended = false;
        for (int i = 0; i < 500 && !ended; ++i) {
            ended = waitpid(m_Pid, &status, WNOHANG) == m_Pid;
            if (!ended) std::this_thread::sleep_for(20ms);
        }
        if (!ended) {
            kill(-m_Pid, SIGKILL);
            waitpid(m_Pid, &status, 0);
        }
        m_Pid = -1;
        return ended && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    }

private:
    std::string Tool(const std::string& command) { return Run("DISPLAY=" + m_Display + " " + command); }
    void Kill() {
        if (m_Pid <= 0) return;
        kill(-m_Pid, SIGKILL);
        waitpid(m_Pid, nullptr, 0);
        m_Pid = -1;
    }
    void Launch(const std::string& appdata) {
        m_Pid = fork();
        if (m_Pid < 0) return;  // no game: Found() stays false
        if (m_Pid == 0) {
            setpgid(0, 0);
            if (chdir(CSQ_BINARY_DIR) != 0) _exit(90);
            setenv("DISPLAY", m_Display.c_str(), 1);
            setenv("APPDATA", appdata.c_str(), 1);
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            execl(CSQ_BINARY_DIR "/CSQ.exe", "CSQ.exe", static_cast<char*>(nullptr));
            _exit(91);
        }
        setpgid(m_Pid, m_Pid);
    }

    pid_t m_Pid = -1;
    std::string m_Display;
    std::string m_Window;
};

// The name entry takes keys once its fade and hold-off are over, which on a
// loaded machine can be seconds after it shows. Its caret blinks every 45
// frames: the name field twice coming back to a look it had before it last
// changed (which a fade never does) means the screen has been up long enough.
// Keys typed before would be dropped by the screen. Counted by what is seen,
// not by how often it is looked at: a loaded machine looks seldom.
bool WaitForCaretBlinks(GameWindow& game, std::chrono::seconds limit = 120s) {
    // The name field, in window pixels of the 800 x 600 client area.
    constexpr int kX = 300, kY = 190, kW = 400, kH = 55;
    auto same = [](const DecodedPicture& a, const DecodedPicture& b) {
        return RegionDifference(a, b, kX, kY, kW, kH) <= 0.05;
    };
    DecodedPicture last, before;  // the field now, and as it was before its last change
    if (!game.Picture(last)) return false;
    bool changed = false;
    int returns = 0;
    const auto end = std::chrono::steady_clock::now() + limit;
    while (returns < 2 && std::chrono::steady_clock::now() < end) {
        Wait(100ms);
        DecodedPicture now;
        if (!game.Picture(now)) return false;
        if (same(now, last)) continue;
        if (changed && same(now, before)) ++returns;
        before = std::move(last);
        last = std::move(now);
        changed = true;
    }
    return returns >= 2;
}

// Mean difference (per channel, 0-255) under which a window shows the
// reference's screen: the title's logo bobs and its prompt pulses.
constexpr double kSameScreen = 12.0;

// The road's reference pictures (written by the screenshot road).
class Screens {
public:
    bool Load() {
        for (const char* screen : {"logo", "title", "name_entry", "main_menu", "story", "mission", "stage_map"}) {
            DecodedPicture ref;
            if (!golden::ReadPng(std::string(CSQ_SOURCE_DIR "/tests/golden/front_") + screen + ".png", ref))
                return false;
            m_Refs.emplace_back(screen, std::move(ref));
        }
        return true;
    }
    // The screen whose reference is nearest to the window's picture; "" when
    // no picture could be had.
    std::string Nearest(GameWindow& game, double* distance = nullptr) const {
        DecodedPicture shot;
        return game.Picture(shot) ? NearestTo(shot, distance) : "";
    }
    std::string NearestTo(const DecodedPicture& shot, double* distance = nullptr) const {
        std::string nearest;
        double best = std::numeric_limits<double>::max();
        for (const auto& [name, ref] : m_Refs) {
            const double d = MeanDifference(shot, ref);
            if (d < best) best = d, nearest = name;
        }
        if (distance) *distance = best;
        return nearest;
    }
    // Polls until the window shows the screen; the game's pace depends on the
    // machine, so the road waits for what it sees, not for a time.
    bool WaitFor(GameWindow& game, const std::string& screen, std::chrono::seconds limit = 30s) const {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            if (Nearest(game) == screen) return true;
            std::this_thread::sleep_for(250ms);
        }
        return false;
    }
    // Clicks the point until the window no longer shows the screen (a box
    // over it will do).
    bool ClickUntilLeft(GameWindow& game, float x, float y, const std::string& screen, int tries = 6) const {
        for (int i = 0; i < tries; ++i) {
            game.ClickAt(x, y);
            const auto end = std::chrono::steady_clock::now() + 5s;
            while (std::chrono::steady_clock::now() < end) {
                double distance = 0;
                if (Nearest(game, &distance) != screen || distance > kSameScreen) return true;
                std::this_thread::sleep_for(250ms);
            }
        }
        return false;
    }
    // Clicks the point until the window shows the next screen. A click goes
    // again only while the window still shows the screen the first was meant
    // for: one that came late and moved it on must not click the next.
    bool ClickUntil(GameWindow& game, float x, float y, const std::string& next, int tries = 6) const {
        const std::string from = Nearest(game);
        for (int i = 0; i < tries; ++i) {
            if (i == 0 || Nearest(game) == from) game.ClickAt(x, y);
            if (WaitFor(game, next, 5s)) return true;
        }
        return false;
    }

    // Waits until a box stands over a menu screen: the window is no screen's
    // own picture, and where the box stands it keeps its look across a frame
    // that moved the rest (the sky drifts behind every menu screen). A box
    // takes keys once it stands; one still sliding in drops them.
    bool WaitForStandingBox(GameWindow& game, std::chrono::seconds limit = 120s) const {
        constexpr int kX = 130, kY = 145, kW = 540, kH = 310;  // the box, in window pixels
        DecodedPicture last;
        if (!game.Picture(last)) return false;
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            Wait(150ms);
            DecodedPicture now;
            if (!game.Picture(now)) return false;
            double distance = 0;
            NearestTo(now, &distance);
            if (distance > kSameScreen && MeanDifference(now, last) > 0 &&
                RegionDifference(now, last, kX, kY, kW, kH) <= 0.05)
                return true;
            last = std::move(now);
        }
        return false;
    }

private:
    std::vector<std::pair<std::string, DecodedPicture>> m_Refs;
};

class FrontRoadWindow : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        if (!HaveTool("Xvfb") || !HaveTool("xdotool") || !HaveTool("xwd"))
            GTEST_SKIP() << "Xvfb, xdotool and xwd are installed by script/install-deps.sh";
        ASSERT_TRUE(fs::exists(CSQ_BINARY_DIR "/CSQ.exe"));
        ASSERT_TRUE(m_Screens.Load()) << "the screenshot road writes the reference pictures";
        char pattern[] = "/tmp/csq-xdo-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_Root = pattern;
        // Every failure names the picture the test last saw, kept where a
        // failing picture test keeps its own.
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        m_Kept = std::string(CSQ_BINARY_DIR "/") + test->test_suite_name() + "_" + test->name() + "_last_seen.png";
        std::remove(m_Kept.c_str());
        LastSeen() = DecodedPicture{};
        m_Trace.emplace(__FILE__, __LINE__, "the window's last picture: " + m_Kept);
    }
    // An X server of the test's own, with no window manager.
    void OwnServer(const char* screen) {
        m_Display = std::make_unique<OwnDisplay>(screen);
        ASSERT_FALSE(m_Display->Name().empty()) << "no X server of our own: " << m_Display->Why();
    }
    void TearDown() override {
        m_Trace.reset();
        const DecodedPicture& seen = LastSeen();
        if (HasFailure() && !seen.rgba.empty()) host::WritePng(m_Kept, seen.rgba.data(), seen.width, seen.height);
        m_Display.reset();
        std::error_code ec;
        if (!m_Root.empty()) fs::remove_all(m_Root, ec);
    }
    SaveProfile SavedProfile() {
        std::ifstream in(m_Root + "/Orvendale/Cogsquall/SaveData.dat", std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        SaveProfile p{};
        if (bytes.size() >= sizeof p) std::memcpy(&p, bytes.data(), sizeof p);
        return p;
    }
    Screens m_Screens;
    std::unique_ptr<OwnDisplay> m_Display;
    std::string m_Root, m_Kept;
    std::optional<::testing::ScopedTrace> m_Trace;
};

TEST_F(FrontRoadWindow, ANewPlayerTypesANameSkipsTheStoryAndLaterReachesTheStageMap) {
    // A 4:3 screen the size of the window, so that full screen is the window.
    ASSERT_NO_FATAL_FAILURE(OwnServer("800x600x24"));
    const Screens& screens = m_Screens;
    {
        GameWindow game(m_Display->Name(), m_Root);
        ASSERT_TRUE(game.Found()) << "no window of the game";
        ASSERT_TRUE(screens.WaitFor(game, "logo"));
        Wait(1000ms);
        ASSERT_TRUE(screens.ClickUntil(game, 0, 0, "title")) << "a click on the logo, or its time, shows the title";
        Wait(1000ms);
        ASSERT_TRUE(screens.ClickUntil(game, 0, 0, "name_entry")) << "a new player names the profile";
        EXPECT_TRUE(WaitForCaretBlinks(game)) << "the name field's caret never blinked";
        // The last letter held well past the server's repeat delay is still one.
        game.Type("ad");
        game.Type("a", 2000ms);
        game.Key("Return");
        ASSERT_TRUE(screens.WaitFor(game, "main_menu")) << "Return takes the name";
        Wait(1000ms);
        ASSERT_TRUE(screens.ClickUntil(game, 62, -30, "story")) << "Play begins with the story";
        // The Skip label answers once it stands, after its fade-in.
        // Looked at right before each click: a late one must not land on the next screen.
        for (int i = 0; i < 10; ++i) {
            Wait(1000ms);
            if (screens.Nearest(game) != "story") break;
            game.ClickAt(396, 305);
        }
        Wait(1000ms);
        EXPECT_TRUE(game.Quit());
    }
    const SaveProfile first = SavedProfile();
    EXPECT_STREQ(first.m_szName, "ada") << "the typed name is the profile's";
    EXPECT_EQ(first.m_abStorySeen[0], 1) << "Skip marks the first story seen";

    {
        GameWindow game(m_Display->Name(), m_Root);
        ASSERT_TRUE(game.Found());
        ASSERT_TRUE(screens.WaitFor(game, "logo"));
        Wait(1000ms);
        ASSERT_TRUE(screens.ClickUntil(game, 0, 0, "title"));
        Wait(1000ms);
        ASSERT_TRUE(screens.ClickUntil(game, 0, 0, "main_menu")) << "a player with a profile goes to the main menu";
        Wait(2000ms);
        // Play asks whether to go on where the player left; not now: the map.
        // Play is clicked away from the box's buttons, so that a click taken
        // late is lost on the box. Escape answers the box (Cancel) once it
        // stands, and is sent once: a standing box leaves by no other input,
        // and Escape on a menu screen with no box ends the game.
        ASSERT_TRUE(screens.ClickUntilLeft(game, 62, 60, "main_menu")) << "Play opens the box";
        ASSERT_TRUE(screens.WaitForStandingBox(game)) << "the box never stood still";
        game.Key("Escape");
        EXPECT_TRUE(screens.WaitFor(game, "stage_map", 60s)) << "Escape on the box leads to the map";
        EXPECT_TRUE(game.Quit());
    }
}

// A new save asks for full screen. A display with no window manager leaves
// the window as it was: the game then draws to that window, the whole screen
// in it, never a magnified corner of a picture the size of the display.
TEST_F(FrontRoadWindow, AFirstStartWhereFullScreenCannotHappenShowsTheWholeTitleInTheWindow) {
    ASSERT_NO_FATAL_FAILURE(OwnServer("1920x1200x24"));
    GameWindow game(m_Display->Name(), m_Root);
    ASSERT_TRUE(game.Found()) << "no window of the game";
    ASSERT_TRUE(m_Screens.WaitFor(game, "logo")) << "the whole logo in the window";
    Wait(1000ms);
    ASSERT_TRUE(m_Screens.ClickUntil(game, 0, 0, "title"));
    // The title fades in over the loading picture; a loaded machine takes a while.
    double distance = 0;
    std::string nearest;
    const auto end = std::chrono::steady_clock::now() + 30s;
    do {
        Wait(500ms);
        nearest = m_Screens.Nearest(game, &distance);
    } while (!(nearest == "title" && distance < kSameScreen) && std::chrono::steady_clock::now() < end);
    EXPECT_EQ(nearest, "title");
    EXPECT_LT(distance, kSameScreen) << "the window shows another picture than the title's";
    EXPECT_TRUE(game.Quit());
}

}  // namespace
