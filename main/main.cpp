// Program entry: find the save folder, refuse a second copy, check the
// machine, build the game application, open the window and run the loop
// through the render road.
#include <csignal>

#include "engine/AnsiToWide.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/FrameworkFontGlyphs.h"
#include "platform/StartupChecks.h"
#include "platform/host/BoxWindow.h"
#include "platform/host/MessageBox.h"
#include "platform/host/X11Connection.h"

namespace {

extern "C" void OnQuitSignal(int) {
    g_bQuitRequested = true;
    host::NoteQuitSignal();
}

// The display went away under the game: its progress is kept as a
// confirmed exit keeps it, once play has begun (a start-up question left
// unanswered touches nothing).
bool SaveOnLostDisplay() {
    CGameApplication* game = g_pGameAppInstance;
    return game && game->m_bInitialised && game->SaveProgress();
}

// The game application: save data (with its repair questions), the archive
// and the pages. The road deletes it with the device at shutdown.
CVxXApplication* CreateGameApplication() { return new CGameApplication(MakeGamePages); }

// The framework font's cells, for the boxes the program draws itself.
void InstallBoxFont() {
    static host::BoxGlyph glyphs[95];
    for (int i = 0; i < 95; ++i) glyphs[i] = {kGlyphCells[i].width, kGlyphCells[i].coverage};
    host::SetBoxFont(glyphs, kGlyphCellHeight);
}

}  // namespace

int main() {
    InstallBoxFont();
    std::signal(SIGINT, OnQuitSignal);
    std::signal(SIGTERM, OnQuitSignal);
    // A terminal closed under the game: the same orderly exit.
    std::signal(SIGHUP, OnQuitSignal);
    host::SetConnectionLostSave(SaveOnLostDisplay);
    // Until the window opens, every box is the system's, shown in a child
    // that a quit request closes.
    host::WatchQuitRequest(&g_bQuitRequested);

    if (!CheckSaveFolder()) return 0;
    if (IsAnotherInstanceRunning()) {
        host::ShowMessageBox(
            "You currently have an instance of Cogsquall running.\nIf you wish to run a new instance, please close "
            "the other one first.",
            "Game Already Running!!", host::MB_ICONWARNING);
        return 0;
    }
    if (!CheckSystemRequirements()) return 0;

    CVxXApplication* app = CreateGameApplication();
    host::WatchQuitRequest(nullptr);
    // An archive that cannot be read was reported once; no window follows.
    if (app->ArchiveRefused()) {
        delete app;
        return 0;
    }

    // Ours, not a static: it goes (closing the device and writing the exit
    // save) before any static object does, whatever order those go in.
    CMyD3DApplication framework;
    char16_t title[ANSI_TO_WIDE_CAPACITY] = {};
    AnsiToWide(title, app->m_pszTitle);
    framework.m_pszWindowTitle = title;  // the framework keeps its own copy
    framework.m_dwCreationWidth = uint32_t(app->m_iWindowWidth);
    framework.m_dwCreationHeight = uint32_t(app->m_iWindowHeight);
    framework.m_bShowCursorWhenFullscreen = true;
    // No display, no OpenGL 3.3, no device: the framework said so; the run failed.
    if (FAILED(framework.Create())) return 1;
    // The device's resources mark the application initialised; without them, no loop.
    if (!g_pApp || !g_pApp->m_bInitialised) return 0;
    return framework.Run();
}
