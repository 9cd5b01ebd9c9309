// Program entry: refuse a second copy, check the machine, build the game
// application, open the window and run the loop.
#include <csignal>

#include "game/GameApplication.h"
#include "platform/D3DApplication.h"
#include "platform/StartupChecks.h"
#include "platform/host/GraphicsDevice.h"
#include "platform/host/MessageBox.h"

namespace {

extern "C" void OnQuitSignal(int) { g_bQuitRequested = true; }

// The framework object the program runs until the game's own exists: it opens
// the window and clears it every frame.
class CEmptyApplication : public CD3DApplication {
public:
    bool m_bInitialised = false;

    // The game application loads its start-up and shared resources with the
    // device, and goes with it at shutdown (saving on the way).
    HRESULT CreateDeviceResources() override {
        if (CGameApplication* game = g_pGameAppInstance) {
            game->m_pDevice = Device();
            game->LoadResources();
            m_bInitialised = game->m_bInitialised;
        }
        return S_OK;
    }
    HRESULT DestroyDeviceResources() override {
        delete g_pGameAppInstance;
        return S_OK;
    }
    HRESULT Render() override {
        if (host::GraphicsDevice* device = Device()) {
            device->Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
            device->BeginScene();
            device->EndScene();
        }
        return S_OK;
    }
};

// Builds the game application: save data (with its repair questions), the
// archive and the pages.
bool CreateGameApplication() { return new CGameApplication() != nullptr; }

}  // namespace

int main() {
    std::signal(SIGINT, OnQuitSignal);
    std::signal(SIGTERM, OnQuitSignal);

    if (IsAnotherInstanceRunning()) {
        host::ShowMessageBox(
            "You currently have an instance of Cogsquall running.\nIf you wish to run a new instance, please close "
            "the other one first.",
            "Game Already Running!!", host::MB_ICONWARNING);
        return 0;
    }
    if (!CheckSystemRequirements()) return 1;
    if (!CreateGameApplication()) return 1;

    CEmptyApplication app;
    app.m_pszWindowTitle = u"Cogsquall";
    app.m_dwCreationWidth = g_pGameAppInstance->m_iWindowWidth;
    app.m_dwCreationHeight = g_pGameAppInstance->m_iWindowHeight;
    app.m_bShowCursorWhenFullscreen = true;
    if (FAILED(app.Create())) {
        delete g_pGameAppInstance;
        return 1;
    }
    if (!app.m_bInitialised) {
        delete g_pGameAppInstance;
        return 1;
    }
    const int code = app.Run();
    delete g_pGameAppInstance;  // already gone when the device went
    return code;
}
