#pragma once
// A second client on the test's display: finds the program's windows and
// does to them what a user, a window manager or a dying server would.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <sys/types.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace xclient {

// Errors on this connection (a window that went while we looked) are expected.
inline int IgnoreErrors(Display*, XErrorEvent*) { return 0; }

struct Connection {
    // A busy X server may drop a connection as it is made: asked again.
    Connection() {
        for (int attempt = 0; attempt < 5 && !display; ++attempt) {
            if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(250 * attempt));
            display = XOpenDisplay(nullptr);
        }
    }
    ~Connection() {
        if (display) XCloseDisplay(display);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Top-level windows the process made (SDL names its process on each), viewable ones only.
    std::vector<Window> WindowsOf(pid_t pid) {
        std::vector<Window> out;
        XErrorHandler old = XSetErrorHandler(IgnoreErrors);
        const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count; ++i) {
                Atom type = None;
                int format = 0;
                unsigned long items = 0, after = 0;
                unsigned char* data = nullptr;
                const bool named = XGetWindowProperty(display, children[i], pidAtom, 0, 1, False, XA_CARDINAL, &type,
                                                      &format, &items, &after, &data) == Success &&
                                   data && items == 1 && pid_t(*reinterpret_cast<unsigned long*>(data)) == pid;
                if (data) XFree(data);
                XWindowAttributes a;
                if (named && XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable)
                    out.push_back(children[i]);
            }
            if (children) XFree(children);
        }
        XSync(display, False);
        XSetErrorHandler(old);
        return out;
    }

    std::string Title(Window w) {
        XErrorHandler old = XSetErrorHandler(IgnoreErrors);
        char* name = nullptr;
        std::string title;
        if (XFetchName(display, w, &name) && name) title = name;
        if (name) XFree(name);
        XSync(display, False);
        XSetErrorHandler(old);
        return title;
    }

    // The first viewable window of the process whose title passes the test, within the limit; 0 if none.
    Window WaitForWindow(pid_t pid, const std::function<bool(const std::string&)>& wanted,
                         std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        do {
            for (Window w : WindowsOf(pid))
                if (wanted(Title(w))) return w;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < end);
        return 0;
    }

    // As xkill does: the server closes the connection of the window's client.
    void KillClientOf(Window w) {
        XKillClient(display, w);
        XSync(display, False);
    }
    void Destroy(Window w) {
        XDestroyWindow(display, w);
        XSync(display, False);
    }
    // A key press and release sent to the window, as a user's Return would
    // be (the press may close it before the release comes).
    void PressReturn(Window w) {
        XErrorHandler old = XSetErrorHandler(IgnoreErrors);
        for (int type : {KeyPress, KeyRelease}) {
            XEvent e{};
            e.xkey.type = type;
            e.xkey.display = display;
            e.xkey.window = w;
            e.xkey.root = DefaultRootWindow(display);
            e.xkey.same_screen = True;
            e.xkey.keycode = XKeysymToKeycode(display, XK_Return);
            XSendEvent(display, w, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &e);
        }
        XSync(display, False);
        XSetErrorHandler(old);
    }

    Display* display = nullptr;
};

}  // namespace xclient
