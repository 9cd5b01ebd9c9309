// The frame in the window against a bare GL program drawing the same quads
// with the same textures: the battle (stage 140 on hard, a defended field of
// about 40 robots) and the title screen. Frame by frame the game draws one
// frame, keeping what it drew, and the bare program draws those quads straight
// to the back buffer with one trivial shader; both are measured as CPU time of
// the whole process (the software renderer's threads included) and as wall
// time (what the game's frame-counting timers see), each frame finished before
// the next is timed. Prints one line per scene with the ratio of the CPU
// medians, then the wall medians, what the game's frame asked of GL and how
// many pixels were drawn; then the battle's memory and the machine's load.
// The device turns a whole-picture copy into a blit, which the kept batches
// leave out: in battle that is the cached stage picture, the background, which
// the bare program therefore does not draw (the output says so).
// Each scene runs in a child process of its own, so each has a fresh game.
// Needs a display (Xvfb will do); run anywhere, it finds the build's pack.
#include <epoxy/gl.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "engine/PageIndices.h"
#include "engine/framework/MyD3DApplication.h"
#include "game/GameApplication.h"
#include "game/MenuLink.h"
#include "main/GamePages.h"
#include "platform/host/GlDevice.h"
#include "platform/host/GlReferenceQuads.h"
#include "platform/host/MessageBox.h"
#include "platform/host/WindowMessage.h"
#include "tools/stagerun/StageRun.h"
#include "bench/BenchClock.h"
#include "bench/BenchWindowRun.h"

namespace {

constexpr int kFrames = 300;  // measured pairs a scene

double Median(std::vector<double> v) {
    if (v.empty()) return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double StatusMiB(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(field, 0) == 0) return std::atof(line.c_str() + std::strlen(field)) / 1024.0;
    return -1.0;
}

// Game and bare frames, paired.
struct Pairs {
    std::vector<double> game, bare;                  // CPU
    std::vector<double> gameWall, bareWall;          // what the game's frame-counting timers see
    double quads = 0;                                // triangles / 2, summed
    double draws = 0, copies = 0, onBackBuffer = 0;  // the game's, a frame
    double screens = 0, mipScreens = 0;              // pixels drawn, in back buffers, a frame
};

// Screen area of a triangle list, each corner clamped to the back buffer (exact
// for the upright quads the game draws, near enough for the turned ones).
double ScreenArea(const std::vector<host::VertexRHW>& triangles, int width, int height) {
    double area = 0;
    auto cx = [width](float x) { return std::min(std::max(double(x), 0.0), double(width)); };
    auto cy = [height](float y) { return std::min(std::max(double(y), 0.0), double(height)); };
    for (size_t i = 0; i + 2 < triangles.size(); i += 3) {
        const host::VertexRHW &a = triangles[i], &b = triangles[i + 1], &c = triangles[i + 2];
        area += std::abs((cx(b.x) - cx(a.x)) * (cy(c.y) - cy(a.y)) - (cx(c.x) - cx(a.x)) * (cy(b.y) - cy(a.y))) / 2;
    }
    return area;
}

// One frame of the bare program: the kept batches, in order, on the back buffer.
void BareFrame(host::GlDevice& device, host::GlReferenceQuads& bare,
               const std::vector<host::GlDevice::KeptBatch>& batches, Pairs& p) {
    const double start = ProcessCpuMs(), wall = WallMs();
    device.SetRenderTarget(0);
    device.Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
    for (const auto& b : batches)
        bare.DrawTriangles(b.triangles, b.texture, b.minFilter != GL_LINEAR && b.minFilter != GL_NEAREST);
    device.Present();
    glFinish();
    p.bare.push_back(ProcessCpuMs() - start);
    p.bareWall.push_back(WallMs() - wall);
}

// Measures kFrames pairs: `gameFrame` draws one frame of the game.
template <class F>
Pairs Measure(host::GlDevice& device, F gameFrame) {
    auto bare = host::GlReferenceQuads::Create(device);
    Pairs p;
    std::vector<host::GlDevice::KeptBatch> kept;
    for (int i = 0; i < kFrames; ++i) {
        kept.clear();
        device.KeepBatches(&kept);
        const uint64_t draws = device.GlDrawCalls(), copies = device.WholeCopies(),
                       onBack = device.FramesOnBackBuffer();
        const double start = ProcessCpuMs(), wall = WallMs();
        gameFrame();
        glFinish();
        p.game.push_back(ProcessCpuMs() - start);
        p.gameWall.push_back(WallMs() - wall);
        p.draws += double(device.GlDrawCalls() - draws);
        p.copies += double(device.WholeCopies() - copies);
        p.onBackBuffer += double(device.FramesOnBackBuffer() - onBack);
        device.KeepBatches(nullptr);
        const double screen = double(device.BackBufferWidth()) * double(device.BackBufferHeight());
        for (const auto& b : kept) {
            p.quads += double(b.triangles.size()) / 6.0;
            const double drawn = ScreenArea(b.triangles, device.BackBufferWidth(), device.BackBufferHeight()) / screen;
            p.screens += drawn;
            if (b.minFilter != GL_LINEAR && b.minFilter != GL_NEAREST) p.mipScreens += drawn;
        }
        BareFrame(device, *bare, kept, p);
    }
    p.quads /= kFrames;
    p.draws /= kFrames;
    p.copies /= kFrames;
    p.onBackBuffer /= kFrames;
    p.screens /= kFrames;
    p.mipScreens /= kFrames;
    return p;
}

void PrintScene(const char* name, const Pairs& p, const std::string& extra) {
    const double g = Median(p.game), b = Median(p.bare);
    std::printf("%s %.2fx bare   (median frame CPU: game %.2f ms, bare %.2f ms; %.0f quads a frame%s)\n", name,
                b > 0 ? g / b : 0.0, g, b, p.quads, extra.c_str());
    const double gw = Median(p.gameWall), bw = Median(p.bareWall);
    std::printf("%s median frame wall time: game %.2f ms, bare %.2f ms (%.2fx)\n", name, gw, bw,
                bw > 0 ? gw / bw : 0.0);
    std::printf(
        "%s game frame: %.1f draw calls, %.2f whole-picture copies, scene built on the back buffer in %.0f%% of "
        "frames\n",
        name, p.draws, p.copies, p.onBackBuffer * 100.0);
    // What the software renderer pays for is pixels, twice over where a shrunk
    // picture is sampled between two of its levels.
    std::printf("%s pixels drawn a frame: %.2f back buffers, %.2f of them sampled between picture levels\n", name,
                p.screens, p.mipScreens);
    // A copy is a quad the device draws as a blit, which the kept batches leave out.
    if (p.copies > 0)
        std::printf(
            "%s: the bare program leaves out the game's %.2f whole-picture copies a frame (in battle, the cached "
            "stage picture under the field, the background)\n",
            name, p.copies);
    std::fflush(stdout);
}

CMyD3DApplication* g_pFramework = nullptr;

int Battle() {
    g_pFramework = new CMyD3DApplication;
    StageRunOptions o;
    o.stage = 140;
    o.difficulty = 2;  // hard
    o.seed = 7;
    o.window = true;
    o.defend = true;
    o.hand = {1, 3, 4, 21, 15};
    // Kept to the end of the process, which leaves with _exit.
    auto* run = new BenchWindowRun(o, *g_pFramework, u"window frame bench");
    if (!run->Start() || !run->RunUntilState(BATTLE_PLAYING, 5000)) {
        std::fprintf(stderr, "battle: the stage did not start: %s\n", run->Error().c_str());
        return 1;
    }
    CPageGame& page = run->Battle();
    RuleState(page.m_Battle).m_iLife = 1000000;
    auto robots = [&page](bool machines) {
        int n = 0;
        for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots) n += r.m_iHp > 0 && r.IsMachine() == machines;
        return n;
    };
    // The defence is placed every 180 frames; let the field fill and the waves come.
    int warm = 0;
    for (; warm < 6000 && run->State() == BATTLE_PLAYING && (warm < 900 || page.m_Battle.State().m_nLiveMachines < 3);
         ++warm)
        run->Step();
    auto* gl = dynamic_cast<host::GlDevice*>(g_pFramework->Device());
    if (!gl) {
        std::fprintf(stderr, "battle: not the GL device\n");
        return 1;
    }
    // The game's own memory, read before the bare program shares the process.
    const double resident = StatusMiB("VmRSS:"), peak = StatusMiB("VmHWM:"), anon = StatusMiB("RssAnon:"),
                 files = StatusMiB("RssFile:"), shared = StatusMiB("RssShmem:");
    double units = 0, machines = 0;
    const Pairs p = Measure(*gl, [&] {
        run->Step();
        units += robots(false);
        machines += robots(true);
    });
    char extra[128];
    std::snprintf(extra, sizeof extra, "; %.1f robots and %.1f Machines on the field", units / kFrames,
                  machines / kFrames);
    PrintScene("battle", p, extra);
    std::printf("battle memory (the game alone, after %d frames of the battle): resident %.1f MiB, peak %.1f MiB\n",
                warm, resident, peak);
    std::printf(
        "battle memory: %.1f MiB of it pictures in the GL driver (smaller levels and render targets included)\n",
        double(gl->TextureBytes()) / 1048576.0);
    std::printf(
        "battle memory: %.1f MiB of it anonymous (heap, pools, the driver's pictures), %.1f MiB mapped files "
        "(the program and its libraries, the GL driver's code among them), %.1f MiB shared\n",
        anon, files, shared);
    std::printf("battle memory with the bare program in the process too: resident %.1f MiB, peak %.1f MiB\n",
                StatusMiB("VmRSS:"), StatusMiB("VmHWM:"));
    return 0;
}

int Title() {
    static host::RecordingMessageBoxes boxes;
    host::SetMessageBoxes(&boxes);
    char pattern[] = "/tmp/csq-frame-bench-XXXXXX";
    if (!mkdtemp(pattern)) return 1;
    setenv("APPDATA", pattern, 1);
    g_bStartFullscreen = false;
    g_bApplyFullscreenAtStart = 0;
    auto* app = new CGameApplication(MakeGamePages);  // the framework deletes it with the device
    app->m_bRunWorkersInline = true;
    g_pFramework = new CMyD3DApplication;
    g_pFramework->m_pszWindowTitle = u"window frame bench";
    g_pFramework->m_dwCreationWidth = 800;
    g_pFramework->m_dwCreationHeight = 600;
    if (FAILED(g_pFramework->Create()) || !app->m_bInitialised) {
        std::fprintf(stderr, "title: the game did not start\n");
        return 1;
    }
    auto frame = [&] {
        BenchWindowRun::Pump(*g_pFramework);
        g_pFramework->Render();
        g_pFramework->Device()->Present();
    };
    auto atTitle = [&] {
        const CVxPage* page = app->PageAt(app->m_iCurrentPage);
        return !app->m_bSwitchPending && app->m_iCurrentPage == MENU_PAGE_INDEX && page &&
               page->m_iSubScreen == MENU_TITLE;
    };
    // The logo, then a click on it leads to the title.
    for (int i = 0; i < 60; ++i) frame();
    app->m_aInput[0].m_iCursorX = g_iScreenWidth / 2;
    app->m_aInput[0].m_iCursorY = g_iScreenHeight / 2;
    g_pFramework->HandleMessage(g_pFramework->Window(), host::WM_LBUTTONDOWN, 1, 0);
    frame();
    g_pFramework->HandleMessage(g_pFramework->Window(), host::WM_LBUTTONUP, 0, 0);
    for (int i = 0; i < 120 && !atTitle(); ++i) frame();
    if (!atTitle()) {
        std::fprintf(stderr, "title: never reached\n");
        return 1;
    }
    for (int i = 0; i < 80; ++i) frame();
    auto* gl = dynamic_cast<host::GlDevice*>(g_pFramework->Device());
    if (!gl) return 1;
    PrintScene("title", Measure(*gl, frame), "");
    std::system(("rm -rf " + std::string(pattern)).c_str());
    return 0;
}

// Runs one scene in a child; the child leaves without taking the game down.
int InChild(int (*scene)()) {
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) return 1;
    if (pid == 0) {
        const int code = scene();
        std::fflush(stdout);
        std::fflush(stderr);
        _exit(code);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

int main() {
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "needs a display\n");
        return 1;
    }
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    if (chdir(CSQ_BINARY_DIR) != 0) return 1;
    std::printf(
        "window frame against a bare GL program (the same quads, the same textures sampled with the\n"
        "same filters, one trivial shader, straight to the back buffer), interleaved frame by frame, %d pairs a scene; "
        "frame CPU of the whole process:\n",
        kFrames);
    const int battle = InChild(Battle);
    const int title = InChild(Title);
    std::ifstream load("/proc/loadavg");
    std::string avg;
    std::getline(load, avg);
    std::printf("machine load (1, 5, 15 min): %s on %ld cores\n", avg.c_str(), sysconf(_SC_NPROCESSORS_ONLN));
    return battle || title;
}
