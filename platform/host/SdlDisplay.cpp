// SDL2 backend of the window and video system.
#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/host/Display.h"
#include "platform/host/GlDevice.h"
#include "platform/host/SystemInfo.h"
#include "platform/host/X11Connection.h"
#include "platform/host/X11Geometry.h"

namespace host {

namespace {

// How long a window manager may take to resize a window going full screen.
constexpr int kFullscreenSettleMs = 1500;

uint32_t FormatOf(Uint32 sdlFormat) {
    switch (sdlFormat) {
    case SDL_PIXELFORMAT_RGB565: return FMT_R5G6B5;
    case SDL_PIXELFORMAT_RGB555: return FMT_X1R5G5B5;
    case SDL_PIXELFORMAT_ARGB2101010: return FMT_A2R10G10B10;
    case SDL_PIXELFORMAT_RGB24:
    case SDL_PIXELFORMAT_BGR24: return FMT_R8G8B8;
    default: break;
    }
    int bpp = SDL_BITSPERPIXEL(sdlFormat);
    if (bpp == 16) return FMT_R5G6B5;
    if (bpp == 15) return FMT_X1R5G5B5;
    return FMT_X8R8G8B8;  // 24- and 32-bit desktops
}

DisplayMode ModeOf(const SDL_DisplayMode& m) {
    return DisplayMode{uint32_t(m.w), uint32_t(m.h), uint32_t(m.refresh_rate), FormatOf(m.format)};
}

uint32_t MouseKeys() {
    Uint32 b = SDL_GetMouseState(nullptr, nullptr);
    uint32_t k = 0;
    if (b & SDL_BUTTON_LMASK) k |= MK_LBUTTON;
    if (b & SDL_BUTTON_RMASK) k |= MK_RBUTTON;
    if (b & SDL_BUTTON_MMASK) k |= MK_MBUTTON;
    SDL_Keymod mod = SDL_GetModState();
    if (mod & KMOD_SHIFT) k |= MK_SHIFT;
    if (mod & KMOD_CTRL) k |= MK_CONTROL;
    return k;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// A display for SDL to open is named at all.
bool DisplayNamed() { return !Environment("DISPLAY").empty() || !Environment("WAYLAND_DISPLAY").empty(); }

std::string WhyNoDisplay() {
    const std::string x = Environment("DISPLAY"), wayland = Environment("WAYLAND_DISPLAY");
    if (x.empty() && wayland.empty()) return "no DISPLAY is set";
    return "no connection to " + (wayland.empty() ? x : x.empty() ? wayland : x + " or " + wayland) + " could be made";
}

// Whether SDL has one of the drivers a comma-separated list asks for.
bool KnowsDriverIn(const std::string& asked) {
    size_t start = 0;
    for (;;) {
        const size_t end = asked.find(',', start);
        const std::string name = asked.substr(start, end == std::string::npos ? std::string::npos : end - start);
        for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i)
            if (SDL_strcasecmp(name.c_str(), SDL_GetVideoDriver(i)) == 0) return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}

class SdlWindow : public Window {
public:
    explicit SdlWindow(SDL_Window* w) : m_window(w) {}
    ~SdlWindow() override {
        if (m_cursor) SDL_FreeCursor(m_cursor);
        X11ForgetWindow(m_window);
        SDL_DestroyWindow(m_window);
    }
    SDL_Window* Native() const { return m_window; }

    bool PeekMessage(WindowMessage& out) override {
        SDL_Event e;
        while (m_pending.empty() && SDL_PollEvent(&e)) Translate(e);
        if (m_pending.empty() && TakeDueTimer(out)) return true;
        return Pop(out);
    }
    bool WaitMessage(WindowMessage& out) override {
        SDL_Event e;
        if (m_pending.empty() && TakeDueTimer(out)) return true;
        if (m_pending.empty() && SDL_WaitEventTimeout(&e, 100)) Translate(e);
        if (Pop(out)) return true;
        out = WindowMessage{};  // nothing yet: an empty message keeps the loop turning
        return true;
    }
    void PostMessage(const WindowMessage& msg) override { m_pending.push_back(msg); }
    void ClientSize(int& width, int& height) const override { SDL_GetWindowSize(m_window, &width, &height); }
    void WindowRect(int& x, int& y, int& width, int& height) const override {
        SDL_GetWindowPosition(m_window, &x, &y);
        SDL_GetWindowSize(m_window, &width, &height);
    }
    void SetWindowRect(int x, int y, int width, int height) override {
        if (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) return;
        // SDL waits for the X server to confirm a move or resize, even one
        // to where the window already is.
        int nowX = 0, nowY = 0, nowW = 0, nowH = 0;
        SDL_GetWindowPosition(m_window, &nowX, &nowY);
        SDL_GetWindowSize(m_window, &nowW, &nowH);
        if (nowX != x || nowY != y) SDL_SetWindowPosition(m_window, x, y);
        if (nowW != width || nowH != height) SDL_SetWindowSize(m_window, width, height);
        SDL_ShowWindow(m_window);
    }
    void CursorPos(int& x, int& y) const override { SDL_GetMouseState(&x, &y); }
    bool SetFullscreen(bool fullscreen, const DisplayMode& mode) override {
        if (!fullscreen) return SDL_SetWindowFullscreen(m_window, 0) == 0;
        // With no window manager the request would be taken but the window
        // keep its size, and asking (then undoing it) costs SDL a fifth of a
        // second of waiting for a resize nobody makes: stay in the window.
        if (X11HasNoWindowManager(m_window)) {
            std::fprintf(stderr, "full screen did not take effect; staying in a window\n");
            return false;
        }
        SDL_DisplayMode want{}, got{};
        want.w = int(mode.width);
        want.h = int(mode.height);
        want.refresh_rate = int(mode.refreshRate);
        int display = SDL_GetWindowDisplayIndex(m_window);
        if (SDL_GetClosestDisplayMode(display < 0 ? 0 : display, &want, &got)) SDL_SetWindowDisplayMode(m_window, &got);
        bool done = SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN) == 0;
        // A display that cannot change mode still gets a full-screen window.
        if (!done) done = SDL_SetWindowFullscreen(m_window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
        if (!done) return false;
        // A window manager that leaves the window its size: back to the
        // window, so that the picture is drawn whole to what the player
        // sees, not to a larger buffer cut to the window.
        if (X11SizeSettles(m_window, kFullscreenSettleMs)) return true;
        std::fprintf(stderr, "full screen did not take effect; staying in a window\n");
        SDL_SetWindowFullscreen(m_window, 0);
        return false;
    }
    bool IsFullscreen() const override { return (SDL_GetWindowFlags(m_window) & SDL_WINDOW_FULLSCREEN) != 0; }
    void SetCursorImage(const CursorImage& c) override {
        if (c.width <= 0 || c.height <= 0 || c.rgba.size() < size_t(c.width) * size_t(c.height) * 4) return;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint8_t*>(c.rgba.data()), c.width, c.height, 32,
                                                            c.width * 4, SDL_PIXELFORMAT_RGBA32);
        if (!s) return;
        SDL_Cursor* cursor = SDL_CreateColorCursor(s, c.hotX, c.hotY);
        SDL_FreeSurface(s);
        if (!cursor) return;
        SDL_SetCursor(cursor);
        if (m_cursor) SDL_FreeCursor(m_cursor);
        m_cursor = cursor;
    }
    void ShowCursor(bool show) override { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }
    void ClipCursor(bool clip) override { SDL_SetWindowGrab(m_window, clip ? SDL_TRUE : SDL_FALSE); }
    void SetTitle(const std::string& title) override { SDL_SetWindowTitle(m_window, title.c_str()); }

private:
    bool Pop(WindowMessage& out) {
        if (m_pending.empty()) return false;
        out = m_pending.front();
        m_pending.pop_front();
        return true;
    }
    void Push(uint32_t msg, uintptr_t w, intptr_t l) { m_pending.push_back(WindowMessage{msg, w, l}); }

    void Translate(const SDL_Event& e) {
        switch (e.type) {
        case SDL_WINDOWEVENT:
            if (e.window.windowID != SDL_GetWindowID(m_window)) return;
            switch (e.window.event) {
            case SDL_WINDOWEVENT_CLOSE: Push(WM_CLOSE, 0, 0); break;
            case SDL_WINDOWEVENT_FOCUS_GAINED:
                Push(WM_ACTIVATEAPP, 1, 0);
                Push(WM_ACTIVATE, WA_ACTIVE, 0);
                Push(WM_SETFOCUS, 0, 0);
                break;
            case SDL_WINDOWEVENT_FOCUS_LOST:
                Push(WM_ACTIVATE, WA_INACTIVE, 0);
                Push(WM_ACTIVATEAPP, 0, 0);
                Push(WM_KILLFOCUS, 0, 0);
                break;
            case SDL_WINDOWEVENT_MINIMIZED: Push(WM_SIZE, SIZE_MINIMIZED, 0); break;
            case SDL_WINDOWEVENT_MAXIMIZED: Push(WM_SIZE, SIZE_MAXIMIZED, 0); break;
            case SDL_WINDOWEVENT_RESTORED:
            case SDL_WINDOWEVENT_SIZE_CHANGED: {
                int w, h;
                SDL_GetWindowSize(m_window, &w, &h);
                Push(WM_SIZE, SIZE_RESTORED, MakeLParam(w, h));
                break;
            }
            case SDL_WINDOWEVENT_EXPOSED: Push(WM_PAINT, 0, 0); break;
            default: break;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            uint32_t vk = VirtualKeyFromScancode(int(e.key.keysym.scancode));
            if (!vk) return;
            bool down = e.type == SDL_KEYDOWN;
            // Alt combinations and F10 arrive as system keys.
            bool sys = (e.key.keysym.mod & KMOD_ALT) || vk == VK_MENU || vk == VK_F10;
            uint32_t msg = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
            Push(msg, vk, KeyLParam(down, e.key.repeat != 0, int(e.key.keysym.scancode)));
            break;
        }
        case SDL_MOUSEMOTION: Push(WM_MOUSEMOVE, MouseKeys(), MakeLParam(e.motion.x, e.motion.y)); break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            bool down = e.type == SDL_MOUSEBUTTONDOWN;
            uint32_t msg;
            if (e.button.button == SDL_BUTTON_LEFT) msg = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
            else if (e.button.button == SDL_BUTTON_RIGHT) msg = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
            else if (e.button.button == SDL_BUTTON_MIDDLE) msg = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
            else return;
            Push(msg, MouseKeys(), MakeLParam(e.button.x, e.button.y));
            break;
        }
        case SDL_MOUSEWHEEL: {
            int dy = e.wheel.y;
            if (e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) dy = -dy;
            if (dy == 0) return;
            int x, y, wx, wy;
            SDL_GetMouseState(&x, &y);
            SDL_GetWindowPosition(m_window, &wx, &wy);
            uintptr_t w = (uintptr_t(uint16_t(int16_t(dy * int(WHEEL_DELTA)))) << 16) | MouseKeys();
            Push(WM_MOUSEWHEEL, w, MakeLParam(wx + x, wy + y));
            break;
        }
        default: break;
        }
    }

    SDL_Window* m_window;
    SDL_Cursor* m_cursor = nullptr;
    std::deque<WindowMessage> m_pending;
};

class SdlVideoSystem : public VideoSystem {
public:
    bool Init() override {
        if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
        m_sReason.clear();
        m_bLasting = false;
        // Termination signals are the program's own business (they set the quit request).
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        // A write to a connection the X server has cut would end the process
        // on SIGPIPE: at start-up (a busy server drops a connection as it is
        // made) before this start can fail and be asked again, later before
        // Xlib gets to the handler that saves.
        std::signal(SIGPIPE, SIG_IGN);
        const char* hint = SDL_GetHint(SDL_HINT_VIDEODRIVER);
        const std::string asked = hint ? hint : "";
        X11Making(true);
        const int started = SDL_InitSubSystem(SDL_INIT_VIDEO);
        X11Making(false);
        if (started != 0) {
            // Copied at once: the next call into SDL may replace its words.
            const std::string said = SDL_GetError();
            m_bLasting = !DisplayNamed() || (!asked.empty() && !KnowsDriverIn(asked));
            return Failed("the video driver could not be started: " + said);
        }
        // With no display to open SDL settles on a driver that shows nothing;
        // only someone who asked for such a driver gets it.
        const char* driver = SDL_GetCurrentVideoDriver();
        const std::string settled = driver ? driver : "";
        if (asked.empty() && (settled == "offscreen" || settled == "dummy")) {
            Quit();
            m_bLasting = !DisplayNamed();
            return Failed("the display could not be opened: " + WhyNoDisplay());
        }
        return true;
    }
    bool FailureLasts() override { return m_bLasting; }
    std::string LastError() override {
        if (!m_sReason.empty()) return m_sReason;
        // Copied before SDL is asked for its driver, which may replace them.
        const std::string said = SDL_GetError();
        if (said.empty()) return "";
        const char* driver = SDL_GetCurrentVideoDriver();
        return std::string(driver ? driver : "no video driver") + ": " + said;
    }
    // Call only once every window is gone.
    void Quit() override {
        if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_QuitSubSystem(SDL_INIT_VIDEO);
        if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0) SDL_Quit();
    }
    int AdapterCount() override {
        int n = SDL_GetNumVideoDisplays();
        return n < 0 ? 0 : n;
    }
    std::string AdapterDescription(int adapter) override {
        const char* name = SDL_GetDisplayName(adapter);
        const char* driver = SDL_GetCurrentVideoDriver();
        return std::string(name ? name : "Display") + " (" + (driver ? driver : "?") + ", OpenGL 3.3)";
    }
    std::vector<DisplayMode> AllModes(int adapter) override {
        std::vector<DisplayMode> out;
        int n = SDL_GetNumDisplayModes(adapter);
        for (int i = 0; i < n; ++i) {
            SDL_DisplayMode m;
            if (SDL_GetDisplayMode(adapter, i, &m) == 0) out.push_back(ModeOf(m));
        }
        // A display that lists no modes still has its current one.
        DisplayMode desk;
        if (out.empty() && DesktopMode(adapter, desk)) out.push_back(desk);
        return out;
    }
    std::vector<DisplayMode> AdapterModes(int adapter, uint32_t format) override {
        std::vector<DisplayMode> out;
        for (const DisplayMode& m : AllModes(adapter))
            if (m.format == format) out.push_back(m);
        return out;
    }
    bool DesktopMode(int adapter, DisplayMode& out) override {
        SDL_DisplayMode m;
        if (SDL_GetDesktopDisplayMode(adapter, &m) != 0) return false;
        out = ModeOf(m);
        return true;
    }
    bool DeviceCaps(int adapter, uint32_t deviceType, DeviceCapsInfo& out) override {
        // One hardware device a display: the GL driver.
        if (deviceType != DEVTYPE_HAL || adapter < 0 || adapter >= AdapterCount()) return false;
        out = DeviceCapsInfo{};
        out.deviceType = DEVTYPE_HAL;
        out.devCaps = 0x10000;
        out.presentationIntervals = 0x80000000u | 1u;
        out.textureCaps = 0x4;
        out.maxTextureWidth = out.maxTextureHeight = 4096;
        out.numSimultaneousRTs = 4;
        return true;
    }
    bool CheckDeviceType(int adapter, uint32_t deviceType, uint32_t adapterFormat, uint32_t backBufferFormat,
                         bool) override {
        DeviceCapsInfo caps;
        if (!DeviceCaps(adapter, deviceType, caps)) return false;
        if (backBufferFormat != FMT_A8R8G8B8 && backBufferFormat != FMT_X8R8G8B8) return false;
        for (const DisplayMode& m : AllModes(adapter))
            if (m.format == adapterFormat) return true;
        return false;
    }
    bool CheckDepthStencil(int, uint32_t, uint32_t, uint32_t, uint32_t depthFormat) override {
        return depthFormat == FMT_D16 || depthFormat == FMT_D24X8 || depthFormat == FMT_D24S8;
    }
    bool CheckMultiSample(int, uint32_t, uint32_t, bool, uint32_t type, uint32_t* qualityLevels) override {
        if (type != 0) return false;
        if (qualityLevels) *qualityLevels = 1;
        return true;
    }
    std::unique_ptr<Window> CreateWindow(const std::string& title, int clientWidth, int clientHeight) override {
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        X11Making(true);
        SDL_Window* w = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, clientWidth,
                                         clientHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
        X11Making(false);
        if (!w) {
            Failed("window: " + std::string(SDL_GetError()));
            return nullptr;
        }
        m_sReason.clear();
        X11WatchConnection(w, true);
        return std::make_unique<SdlWindow>(w);
    }
    std::unique_ptr<GraphicsDevice> CreateDevice(Window& window, const PresentParameters& params) override {
        auto* sw = dynamic_cast<SdlWindow*>(&window);
        if (!sw) return nullptr;
        SDL_GLContext ctx = SDL_GL_CreateContext(sw->Native());
        if (!ctx) {
            Failed("OpenGL 3.3 core context: " + std::string(SDL_GetError()));
            return nullptr;
        }
        SDL_GL_MakeCurrent(sw->Native(), ctx);
        if (epoxy_gl_version() < 33) {
            Failed("OpenGL 3.3 is needed; the driver offers " + std::to_string(epoxy_gl_version() / 10) + "." +
                   std::to_string(epoxy_gl_version() % 10));
            SDL_GL_DeleteContext(ctx);
            return nullptr;
        }
        auto device = std::make_unique<GlDevice>(sw->Native(), ctx, params);
        if (!device->Valid()) {
            char code[16];
            std::snprintf(code, sizeof code, "0x%x", unsigned(glGetError()));
            Failed("OpenGL: the driver did not take the game's shaders (error " + std::string(code) + ")");
            return nullptr;
        }
        m_sReason.clear();
        if (device->AvailableTextureMemory() > 0) SetKnownVideoMemoryBytes(device->AvailableTextureMemory());
        return device;
    }

private:
    // Said at once and kept: what failed, in words nothing later replaces.
    bool Failed(std::string reason) {
        std::fprintf(stderr, "%s\n", reason.c_str());
        m_sReason = std::move(reason);
        return false;
    }

    std::string m_sReason;
    bool m_bLasting = false;
};

SdlVideoSystem g_sdlVideo;
VideoSystem* g_video = &g_sdlVideo;

}  // namespace

VideoSystem& GetVideoSystem() { return *g_video; }
void SetVideoSystem(VideoSystem* system) { g_video = system ? system : &g_sdlVideo; }

}  // namespace host
