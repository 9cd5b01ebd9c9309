#include "platform/host/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "platform/host/MessageBox.h"

#if defined(CSQ_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#define CSQ_WATCH_X11 1
#endif

namespace host {

namespace {

std::atomic<bool> g_lost{false};
std::atomic<unsigned long> g_mainWindow{0};
std::atomic<int> g_errors{0};

void (*g_lostSave)() = nullptr;

#ifdef CSQ_WATCH_X11
void NoteDisplayLost(const char* why) {
    if (g_lost.exchange(true)) return;
    std::fprintf(stderr, "Cogsquall: %s; the game saves and closes.\n", why);
    // No box can be shown any more: their texts go to stderr.
    NoteQuitSignal();
}

void NoteXError(unsigned long resource) {
    g_errors.fetch_add(1);
    const unsigned long window = g_mainWindow.load();
    if (window != 0 && resource == window) NoteDisplayLost("the game's window was destroyed");
}

// Any of the process's connections (SDL keeps two) broke. Xlib would call
// exit() after this returns; the program ends here instead, saved.
int OnIoError(Display*) {
    NoteDisplayLost("the connection to the X display was lost");
    if (void (*save)() = g_lostSave) save();
    std::fflush(nullptr);
    ::_exit(0);
}

int OnError(Display* display, XErrorEvent* e) {
    char text[128] = {};
    XGetErrorText(display, e->error_code, text, int(sizeof text));
    std::fprintf(stderr, "X error: %s (request %d, resource 0x%lx)\n", text, int(e->request_code), e->resourceid);
    NoteXError(e->resourceid);
    return 0;
}
#endif

}  // namespace

bool DisplayLost() { return g_lost.load(); }

void SetConnectionLostSave(void (*save)()) { g_lostSave = save; }

int X11ErrorCount() { return g_errors.load(); }

void X11WatchConnection(SDL_Window* window, bool mainWindow) {
#ifdef CSQ_WATCH_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    if (mainWindow) g_mainWindow = info.info.x11.window;
    // In place of SDL's (which ends in Xlib's exit()); SDL puts back
    // whatever it finds when it swaps in a handler of its own for a moment.
    XSetErrorHandler(OnError);
    XSetIOErrorHandler(OnIoError);
#else
    (void)window;
    (void)mainWindow;
#endif
}

void X11ForgetWindow(SDL_Window* window) {
#ifdef CSQ_WATCH_X11
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return;
    if (g_mainWindow.load() == info.info.x11.window) g_mainWindow = 0;
#else
    (void)window;
#endif
}

}  // namespace host
