#include "tools/stagerun/WindowRun.h"

#include <cstdio>
#include <cstdlib>

#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/D3DApplication.h"
#include "engine/VxBillboard.h"
#include "engine/framework/MyD3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "engine/framework/RoadStep.h"
#include "platform/host/GraphicsDevice.h"
#include "platform/host/WindowMessage.h"
#include "tools/stagerun/StageRun.h"

CMyD3DApplication g_d3dApp;

namespace {

// Messages waiting for the window, handed to the framework. The run plays as
// if it kept the focus: another window taking it would pause the battle and
// the frames would part from a headless run's.
void Pump() {
    host::WindowMessage msg;
    while (g_d3dApp.Window() && g_d3dApp.Window()->PeekMessage(msg)) {
        if (msg.message == host::WM_QUIT) return;
        if (msg.message == host::WM_ACTIVATE || msg.message == host::WM_ACTIVATEAPP ||
            msg.message == host::WM_KILLFOCUS || msg.message == host::WM_SETFOCUS)
            continue;
        if (msg.message != host::WM_NULL)
            g_d3dApp.HandleMessage(g_d3dApp.Window(), msg.message, msg.wParam, msg.lParam);
    }
}

}  // namespace

WindowStageRun::~WindowStageRun() { DestroyApplication(); }

bool WindowStageRun::SaveShot(const char* path) {
    host::GraphicsDevice* device = g_d3dApp.Device();
    return device && device->SaveBackBufferPng(path);
}

bool WindowStageRun::ReadShot(std::vector<uint8_t>& rgba, int& width, int& height) {
    host::GraphicsDevice* device = g_d3dApp.Device();
    return device && device->ReadBackBuffer(rgba, width, height);
}

bool WindowStageRun::CreateApplication() {
    // The framework owns the application from here and deletes it with the device.
    m_pApp = new CGameApplication(MakeGamePages);
    m_pApp->m_bRunWorkersInline = true;
    // A window, whatever the fresh save says, so that pictures compare.
    g_bStartFullscreen = false;
    g_d3dApp.m_pszWindowTitle = u"Cogsquall stage run";
    g_d3dApp.m_dwCreationWidth = uint32_t(m_pApp->m_iWindowWidth);
    g_d3dApp.m_dwCreationHeight = uint32_t(m_pApp->m_iWindowHeight);
    if (FAILED(g_d3dApp.Create()) || !g_pApp || !g_pApp->m_bInitialised) {
        // The tool says why, as the game's own message and the display's reason.
        const std::string said = g_d3dApp.FatalText();
        SetError("the window could not be opened: " +
                 (said.empty() ? std::string("the game's resources were not loaded") : said));
        m_pApp = nullptr;
        return false;
    }
    return true;
}

void WindowStageRun::SetDrawing(bool on) { m_bDrawing = on; }

void WindowStageRun::RunOneFrame() {
    Pump();
    const bool early =
        Options().drawFrom > 0 && !(m_pApp->m_iCurrentPage == BATTLE_PAGE_INDEX && BattleFrame() >= Options().drawFrom);
    const bool draw = m_bDrawing && !early;
    // The cached stage picture may be behind the scrolling done meanwhile.
    if (draw && !m_bDrew) g_bStageRedraw = true;
    m_bDrew = draw;
    if (draw) {
        g_d3dApp.RunFrame();
        return;
    }
    // The window's road without its passes, and without the game's device
    // every picture's draw returns at once: the game steps as in a drawn frame.
    // Nothing is drawn into a texture either, so what is kept there is drawn
    // once the drawing is back.
    host::GraphicsDevice* device = m_pApp->m_pDevice;
    host::GraphicsDevice* targets = SwapRenderTargetDevice(nullptr);
    m_pApp->m_pDevice = nullptr;
    RunRoadFrameHeadless(*m_pApp);
    m_pApp->m_pDevice = device;
    SwapRenderTargetDevice(targets);
}

void WindowStageRun::DestroyApplication() {
    if (!m_pApp) return;
    g_bAllowClose = true;
    if (host::Window* w = g_d3dApp.Window()) g_d3dApp.HandleMessage(w, host::WM_CLOSE, 0, 0);
    m_pApp = nullptr;
}

int RunStageInWindow(const StageRunOptions& options) {
    WindowStageRun run(options);
    if (!run.Start()) {
        std::fprintf(stderr, "stagerun: %s\n", run.Error().c_str());
        return 2;
    }
    const StageRunResult result = run.RunToEnd();
    if (std::getenv("CSQ_STAGERUN_TRACE")) run.TraceUnits();
    if (const char* shot = std::getenv("CSQ_STAGERUN_SHOT"))
        if (!run.SaveShot(shot)) std::fprintf(stderr, "stagerun: cannot write %s\n", shot);
    std::printf("%s\n", result.Line().c_str());
    return 0;
}
