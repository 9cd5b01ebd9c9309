#include "platform/host/X11Connection.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/host/MessageBox.h"

#if defined(CSQ_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/Xlibint.h>
#define CSQ_WATCH_X11 1
#endif

namespace host {

namespace {

std::atomic<bool> g_lost{false};
std::atomic<unsigned long> g_mainWindow{0};
std::atomic<int> g_errors{0};

bool (*g_lostSave)() = nullptr;

// Between the start's words being set and the main window standing.
std::atomic<bool> g_starting{false};
std::atomic<bool> g_making{false};
std::string g_startBefore, g_startAfter;
// The TCP port a display reached over the network listens on (6000 + its
// number), read from DISPLAY before any connection is made; 0: none.
std::atomic<int> g_displayPort{0};

int DisplayPort(const char* display) {
    const char* colon = display ? std::strrchr(display, ':') : nullptr;
    if (!colon || colon[1] < '0' || colon[1] > '9') return 0;
    const long number = std::strtol(colon + 1, nullptr, 10);
    return number >= 0 && number < 65536 - 6000 ? 6000 + int(number) : 0;
}

#ifdef CSQ_WATCH_X11
void WriteAll(const char* p, size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(2, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        p += n;
        left -= size_t(n);
    }
}

// Only write(2) and words made beforehand: the connection, and whatever
// Xlib held when it broke, may be in pieces.
[[noreturn]] void EndStart(const char* why) {
    WriteAll(g_startBefore.data(), g_startBefore.size());
    WriteAll(why, std::strlen(why));
    WriteAll(g_startAfter.data(), g_startAfter.size());
    ::_exit(1);
}

// Whether the peer is the X server: its local socket, named in the file
// system or (led by a zero) the abstract space, or its TCP port, as a
// forwarded display is reached. Only calls a signal handler may make.
bool PeerIsXServer(const sockaddr_storage& peer, socklen_t size) {
    if (peer.ss_family == AF_UNIX) {
        static const char kSocket[] = "/.X11-unix/X";
        const auto& local = reinterpret_cast<const sockaddr_un&>(peer);
        const size_t length = size > offsetof(sockaddr_un, sun_path) ? size - offsetof(sockaddr_un, sun_path) : 0;
        for (size_t i = 0; i + sizeof kSocket - 1 <= length; ++i)
            if (std::memcmp(local.sun_path + i, kSocket, sizeof kSocket - 1) == 0) return true;
        return false;
    }
    const int port = g_displayPort.load();
    if (port == 0) return false;
    if (peer.ss_family == AF_INET) return ntohs(reinterpret_cast<const sockaddr_in&>(peer).sin_port) == port;
    if (peer.ss_family == AF_INET6) return ntohs(reinterpret_cast<const sockaddr_in6&>(peer).sin6_port) == port;
    return false;
}

// Whether the X server has hung up one of the process's connections to it.
bool XServerHungUp() {
    for (int fd = 0; fd < 1024; ++fd) {
        sockaddr_storage peer{};
        socklen_t size = sizeof peer;
        if (::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &size) != 0 || !PeerIsXServer(peer, size)) continue;
        pollfd p{fd, POLLRDHUP, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLRDHUP | POLLHUP | POLLERR))) return true;
    }
    return false;
}

struct sigaction g_faultBefore;
bool g_faultHeld = false;

// A GL library reading a reply the dead server never sent: the display was
// lost. Any other fault happens again as it returns, handled as before.
extern "C" void OnFaultWhileMaking(int) {
    if (XServerHungUp()) EndStart("the connection to the X display was lost");
    ::sigaction(SIGSEGV, &g_faultBefore, nullptr);
}

// The refused request by name ("X_GLXCreateContext"), as Xlib's own report
// names it: core requests by number, an extension's by its name and minor code.
std::string RequestName(Display* display, const XErrorEvent& e) {
    char key[64];
    std::snprintf(key, sizeof key, "%d", int(e.request_code));
    if (e.request_code >= 128) {
        const _XExtension* ext = display->ext_procs;
        while (ext && ext->codes.major_opcode != e.request_code) ext = ext->next;
        if (ext && ext->name) std::snprintf(key, sizeof key, "%s.%d", ext->name, int(e.minor_code));
    }
    char name[128] = {};
    XGetErrorDatabaseText(display, "XRequest", key, "", name, int(sizeof name));
    if (name[0]) return name;
    std::snprintf(name, sizeof name, "request %d.%d", int(e.request_code), int(e.minor_code));
    return name;
}

// From here no box can be shown: their texts go to stderr. False when the
// loss was already noted.
bool MarkDisplayLost() {
    if (g_lost.exchange(true)) return false;
    NoteQuitSignal();
    return true;
}

// The window went while the connection stands: the game closes through its
// loop, and its exit save says nothing unless it fails.
void NoteWindowLost(const char* why) {
    if (MarkDisplayLost()) std::fprintf(stderr, "Cogsquall: %s; the game closes.\n", why);
}

void NoteXError(unsigned long resource) {
    g_errors.fetch_add(1);
    const unsigned long window = g_mainWindow.load();
    if (window != 0 && resource == window) NoteWindowLost("the game's window was destroyed");
}

// Any of the process's connections (SDL keeps two) broke. Xlib would call
// exit() after this returns; the program ends here instead: saved, or before
// the window stands, with the start's fatal words.
int OnIoError(Display*) {
    if (g_starting.load()) EndStart("the connection to the X display was lost");
    if (MarkDisplayLost()) {
        // Said once the save is done or passed over: play may not have begun.
        bool (*save)() = g_lostSave;
        const bool saved = save && save();
        std::fprintf(stderr, "Cogsquall: the connection to the X display was lost; %s\n",
                     saved ? "the game saved its progress and closes." : "the game closes without saving.");
    }
    std::fflush(nullptr);
    ::_exit(0);
}

int OnError(Display* display, XErrorEvent* e) {
    char text[128] = {};
    XGetErrorText(display, e->error_code, text, int(sizeof text));
    std::fprintf(stderr, "X error: %s (request %d, resource 0x%lx)\n", text, int(e->request_code), e->resourceid);
    // The display refused what the window is made with: no window will come.
    if (g_starting.load() && g_making.load())
        EndStart(("the display refused " + RequestName(display, *e) + ": " + text).c_str());
    NoteXError(e->resourceid);
    return 0;
}
#endif

}  // namespace

bool DisplayLost() { return g_lost.load(); }

void SetConnectionLostSave(bool (*save)()) { g_lostSave = save; }

int X11ErrorCount() { return g_errors.load(); }

void X11WatchConnection(SDL_Window* window, bool mainWindow) {
    // The window stands: from here a lost display is the game's own close.
    if (mainWindow) g_starting = false;
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

void SetStartFailureWords(const std::string& before, const std::string& after) {
    g_startBefore = before;
    g_startAfter = after;
    g_displayPort = DisplayPort(std::getenv("DISPLAY"));
    g_starting = true;
#ifdef CSQ_WATCH_X11
    // Before any connection is made: Xlib's own would end the process in its
    // words, SDL's hands on to whatever it found here.
    XSetErrorHandler(OnError);
    XSetIOErrorHandler(OnIoError);
#endif
}

void X11Making(bool making) {
    g_making = making;
#ifdef CSQ_WATCH_X11
    if (making && g_starting.load() && !g_faultHeld) {
        struct sigaction fault {};
        fault.sa_handler = OnFaultWhileMaking;
        sigemptyset(&fault.sa_mask);
        g_faultHeld = ::sigaction(SIGSEGV, &fault, &g_faultBefore) == 0;
    } else if (!making && g_faultHeld) {
        ::sigaction(SIGSEGV, &g_faultBefore, nullptr);
        g_faultHeld = false;
    }
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
