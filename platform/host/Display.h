#pragma once
// The window and the video system behind it. The real backend is SDL2 with an
// OpenGL 3.3 core context; the headless backend plays scripted messages and
// draws into a RecordingDevice.
#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/Clock.h"
#include "platform/host/GraphicsDevice.h"
#include "platform/host/WindowMessage.h"

namespace host {

// Format numbers of the display and back buffer.
enum : uint32_t {
    FMT_UNKNOWN = 0,
    FMT_R8G8B8 = 20,
    FMT_A8R8G8B8 = 21,
    FMT_X8R8G8B8 = 22,
    FMT_R5G6B5 = 23,
    FMT_X1R5G5B5 = 24,
    FMT_A1R5G5B5 = 25,
    FMT_A4R4G4B4 = 26,
    FMT_X4R4G4B4 = 30,
    FMT_A2R10G10B10 = 35,
    FMT_D32 = 71,
    FMT_D15S1 = 73,
    FMT_D24S8 = 75,
    FMT_D24X8 = 77,
    FMT_D24X4S4 = 79,
    FMT_D16 = 80,
};
enum : uint32_t { DEVTYPE_HAL = 1, DEVTYPE_REF = 2, DEVTYPE_SW = 3 };

struct DisplayMode {
    uint32_t width = 0, height = 0, refreshRate = 0, format = FMT_UNKNOWN;
    bool operator==(const DisplayMode& o) const {
        return width == o.width && height == o.height && refreshRate == o.refreshRate && format == o.format;
    }
};

// What a device can do, in the terms the enumeration asks about.
struct DeviceCapsInfo {
    uint32_t deviceType = DEVTYPE_HAL;
    uint32_t devCaps = 0;                // 0x10000 hardware transform and lighting, 0x100000 pure device
    uint32_t presentationIntervals = 0;  // bits of the supported intervals
    uint32_t primitiveMiscCaps = 0;      // 0x1000: a null reference device
    uint32_t textureCaps = 0;            // 0x4 alpha
    uint32_t maxTextureWidth = 0, maxTextureHeight = 0;
    uint32_t numSimultaneousRTs = 1;
};

struct CursorImage {
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
    std::vector<uint8_t> rgba;  // top row first
};

class Window {
public:
    virtual ~Window() = default;
    // The next message, without waiting; false when there is none.
    virtual bool PeekMessage(WindowMessage& out) = 0;
    // Waits for the next message; false when none can ever come (headless script spent).
    virtual bool WaitMessage(WindowMessage& out) = 0;
    // Queues a message behind those already waiting.
    virtual void PostMessage(const WindowMessage& msg) = 0;
    virtual void ClientSize(int& width, int& height) const = 0;
    virtual void WindowRect(int& x, int& y, int& width, int& height) const = 0;
    virtual void SetWindowRect(int x, int y, int width, int height) = 0;
    // Cursor position in client pixels.
    virtual void CursorPos(int& x, int& y) const = 0;
    // Full screen in the given mode, or back to the window.
    virtual bool SetFullscreen(bool fullscreen, const DisplayMode& mode) = 0;
    virtual bool IsFullscreen() const = 0;
    virtual void SetCursorImage(const CursorImage& cursor) = 0;
    virtual void ShowCursor(bool show) = 0;
    virtual void ClipCursor(bool clip) = 0;
    virtual void SetTitle(const std::string& title) = 0;

    // A timer posts WM_TIMER (wParam = id) when no other message waits and its
    // interval has passed since it was set or last delivered. Setting an id
    // again restarts it. Intervals below 10 ms are raised to 10 ms.
    void SetTimer(uintptr_t id, uint32_t milliseconds);
    void KillTimer(uintptr_t id);
    bool HasTimer(uintptr_t id) const;

protected:
    // The first due timer as a message; backends call it when their queue is empty.
    bool TakeDueTimer(WindowMessage& out);

private:
    struct Timer {
        uintptr_t id;
        uint32_t interval;
        uint32_t last;
    };
    std::vector<Timer> m_timers;
};

class VideoSystem {
public:
    virtual ~VideoSystem() = default;
    // Opens the video system; false when there is no display to use.
    virtual bool Init() = 0;
    // Init, asked again a moment later while it fails in a way asking again
    // may mend: a busy display server can drop a connection as it is made.
    bool InitAskingAgain(int attempts, uint32_t waitMs) {
        bool opened = Init();
        for (int attempt = 1; !opened && attempt < attempts && !FailureLasts(); ++attempt) {
            std::fprintf(stderr, "display: not opened; asking again\n");
            Sleep(waitMs);
            opened = Init();
        }
        return opened;
    }
    virtual void Quit() = 0;
    virtual int AdapterCount() = 0;
    virtual std::string AdapterDescription(int adapter) = 0;
    // Modes of one format, in the order the system lists them.
    virtual std::vector<DisplayMode> AdapterModes(int adapter, uint32_t format) = 0;
    // Every mode of the adapter, as the system lists them.
    virtual std::vector<DisplayMode> AllModes(int adapter) = 0;
    virtual bool DesktopMode(int adapter, DisplayMode& out) = 0;
    virtual bool DeviceCaps(int adapter, uint32_t deviceType, DeviceCapsInfo& out) = 0;
    virtual bool CheckDeviceType(int adapter, uint32_t deviceType, uint32_t adapterFormat, uint32_t backBufferFormat,
                                 bool windowed) = 0;
    virtual bool CheckDepthStencil(int adapter, uint32_t deviceType, uint32_t adapterFormat, uint32_t backBufferFormat,
                                   uint32_t depthFormat) = 0;
    virtual bool CheckMultiSample(int adapter, uint32_t deviceType, uint32_t format, bool windowed, uint32_t type,
                                  uint32_t* qualityLevels) = 0;
    virtual std::unique_ptr<Window> CreateWindow(const std::string& title, int clientWidth, int clientHeight) = 0;
    // Creates the drawing device on a window; null on failure.
    virtual std::unique_ptr<GraphicsDevice> CreateDevice(Window& window, const PresentParameters& params) = 0;
    // The display system's own words for its last failure ("" when it has none).
    virtual std::string LastError() { return ""; }
    // Whether the last failed Init is one that asking again cannot mend (no
    // display named at all, a driver nobody has).
    virtual bool FailureLasts() { return false; }
};

// ---- Headless twins ----

class HeadlessWindow : public Window {
public:
    HeadlessWindow(int width, int height) : m_width(width), m_height(height) {}
    bool PeekMessage(WindowMessage& out) override;
    bool WaitMessage(WindowMessage& out) override;
    void PostMessage(const WindowMessage& msg) override { queue.push_back(msg); }
    void ClientSize(int& width, int& height) const override {
        width = m_width;
        height = m_height;
    }
    void WindowRect(int& x, int& y, int& width, int& height) const override;
    void SetWindowRect(int x, int y, int width, int height) override;
    void CursorPos(int& x, int& y) const override {
        x = cursorX;
        y = cursorY;
    }
    bool SetFullscreen(bool fullscreen, const DisplayMode& mode) override;
    bool IsFullscreen() const override { return m_fullscreen; }
    void SetCursorImage(const CursorImage& c) override { cursor = c; }
    void ShowCursor(bool show) override { cursorShown = show; }
    void ClipCursor(bool clip) override { cursorClipped = clip; }
    void SetTitle(const std::string& t) override { title = t; }

    std::deque<WindowMessage> queue;
    // Called when the queue is empty on a poll: scripts advance time or post messages here.
    std::function<void()> onIdle;
    int cursorX = 0, cursorY = 0;
    CursorImage cursor;
    bool cursorShown = true, cursorClipped = false;
    std::string title;
    int windowX = 0, windowY = 0;

private:
    int m_width, m_height;
    bool m_fullscreen = false;
    int m_savedWidth = 0, m_savedHeight = 0;
};

class HeadlessVideoSystem : public VideoSystem {
public:
    HeadlessVideoSystem();
    bool Init() override { return initOk; }
    void Quit() override {}
    int AdapterCount() override { return int(adapters.size()); }
    std::string AdapterDescription(int adapter) override;
    std::vector<DisplayMode> AdapterModes(int adapter, uint32_t format) override;
    std::vector<DisplayMode> AllModes(int adapter) override;
    bool DesktopMode(int adapter, DisplayMode& out) override;
    bool DeviceCaps(int adapter, uint32_t deviceType, DeviceCapsInfo& out) override;
    bool CheckDeviceType(int adapter, uint32_t deviceType, uint32_t adapterFormat, uint32_t backBufferFormat,
                         bool windowed) override;
    bool CheckDepthStencil(int adapter, uint32_t deviceType, uint32_t adapterFormat, uint32_t backBufferFormat,
                           uint32_t depthFormat) override;
    bool CheckMultiSample(int adapter, uint32_t deviceType, uint32_t format, bool windowed, uint32_t type,
                          uint32_t* qualityLevels) override;
    std::unique_ptr<Window> CreateWindow(const std::string& title, int clientWidth, int clientHeight) override;
    std::unique_ptr<GraphicsDevice> CreateDevice(Window& window, const PresentParameters& params) override;

    struct Adapter {
        std::string description;
        DisplayMode desktop;
        std::vector<DisplayMode> modes;  // in the system's order
        std::vector<DeviceCapsInfo> devices;
        std::vector<uint32_t> backBufferFormats{FMT_A8R8G8B8, FMT_X8R8G8B8};
        std::vector<uint32_t> depthFormats{FMT_D16, FMT_D24X8, FMT_D24S8};
    };
    std::vector<Adapter> adapters;
    bool initOk = true;
    bool deviceOk = true;
    int maxTextureSize = 4096;
    // The last window and device made, for tests to drive and inspect.
    HeadlessWindow* window = nullptr;
    class RecordingDevice* device = nullptr;
};

// The video system the framework uses: SDL unless a test installs another.
VideoSystem& GetVideoSystem();
void SetVideoSystem(VideoSystem* system);  // nullptr restores SDL's

}  // namespace host
