#include "platform/host/X11Geometry.h"

#include <SDL.h>
#include <SDL_syswm.h>

#if defined(CSQ_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#endif

namespace host {

bool X11WindowSize(SDL_Window* window, int& width, int& height) {
#if defined(CSQ_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    XWindowAttributes attributes;
    XSync(info.info.x11.display, False);
    if (!XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes)) return false;
    width = attributes.width;
    height = attributes.height;
    return true;
#else
    (void)window;
    (void)width;
    (void)height;
    return false;
#endif
}

bool X11HasNoWindowManager(SDL_Window* window) {
#if defined(CSQ_HAVE_X11) && defined(SDL_VIDEO_DRIVER_X11)
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    // A window manager that can put a window in full screen names itself on the root window.
    const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
    if (check == None) return true;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, AnyPropertyType,
                                          &type, &format, &items, &after, &data);
    if (data) XFree(data);
    return status == Success && items == 0;
#else
    (void)window;
    return false;
#endif
}

bool X11SizeSettles(SDL_Window* window, int milliseconds) {
    // Nobody there to resize it: waiting would only hold up the start.
    if (X11HasNoWindowManager(window)) milliseconds = 0;
    const Uint32 end = SDL_GetTicks() + Uint32(milliseconds);
    for (;;) {
        int believedW = 0, believedH = 0, realW = 0, realH = 0;
        SDL_GetWindowSize(window, &believedW, &believedH);
        if (!X11WindowSize(window, realW, realH)) return true;
        if (realW == believedW && realH == believedH) return true;
        if (SDL_TICKS_PASSED(SDL_GetTicks(), end)) return false;
        SDL_Delay(20);
    }
}

}  // namespace host
