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

bool X11SizeSettles(SDL_Window* window, int milliseconds) {
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
