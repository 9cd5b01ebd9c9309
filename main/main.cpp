// Program entry: refuse a second copy, check the machine, build the game
// application, open the window and run the loop.
#include <csignal>

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

    HRESULT CreateDeviceResources() override {
        m_bInitialised = true;
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

// Builds the game application (save data, archive, pages). Nothing to build yet.
bool CreateGameApplication() { return true; }

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
    app.m_dwCreationWidth = 800;
    app.m_dwCreationHeight = 600;
    app.m_bShowCursorWhenFullscreen = true;
    if (FAILED(app.Create())) return 1;
    if (!app.m_bInitialised) return 1;
    return app.Run();
}
