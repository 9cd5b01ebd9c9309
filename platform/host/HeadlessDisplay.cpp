#include <algorithm>

#include "platform/host/Display.h"
#include "platform/host/RecordingDevice.h"

namespace host {

bool HeadlessWindow::PeekMessage(WindowMessage& out) {
    // Timers come before the idle hook moves time on, so a script that steps
    // the clock once per idle gets one timer message per frame.
    if (queue.empty() && TakeDueTimer(out)) return true;
    if (queue.empty() && onIdle) onIdle();
    if (queue.empty()) return false;
    out = queue.front();
    queue.pop_front();
    return true;
}

bool HeadlessWindow::WaitMessage(WindowMessage& out) {
    // A script cannot block: an empty queue after the idle hook means nothing more comes.
    return PeekMessage(out);
}

void HeadlessWindow::WindowRect(int& x, int& y, int& width, int& height) const {
    x = windowX;
    y = windowY;
    width = m_width;
    height = m_height;
}

void HeadlessWindow::SetWindowRect(int x, int y, int width, int height) {
    windowX = x;
    windowY = y;
    if (!m_fullscreen) {
        m_width = width;
        m_height = height;
    }
}

bool HeadlessWindow::SetFullscreen(bool fullscreen, const DisplayMode& mode) {
    if (fullscreen == m_fullscreen) return true;
    if (fullscreen) {
        m_savedWidth = m_width;
        m_savedHeight = m_height;
        m_width = int(mode.width);
        m_height = int(mode.height);
    } else {
        m_width = m_savedWidth;
        m_height = m_savedHeight;
    }
    m_fullscreen = fullscreen;
    return true;
}

HeadlessVideoSystem::HeadlessVideoSystem() {
    Adapter a;
    a.description = "Headless adapter";
    a.desktop = {1024, 768, 60, FMT_X8R8G8B8};
    a.modes = {{640, 480, 60, FMT_X8R8G8B8}, {800, 600, 60, FMT_X8R8G8B8}, {1024, 768, 60, FMT_X8R8G8B8}};
    DeviceCapsInfo caps;
    caps.deviceType = DEVTYPE_HAL;
    caps.devCaps = 0x10000;
    caps.presentationIntervals = 0x80000000u | 1u;
    caps.textureCaps = 0x4;
    caps.maxTextureWidth = caps.maxTextureHeight = 4096;
    caps.numSimultaneousRTs = 4;
    a.devices.push_back(caps);
    adapters.push_back(a);
}

std::string HeadlessVideoSystem::AdapterDescription(int adapter) {
    return adapter >= 0 && adapter < AdapterCount() ? adapters[size_t(adapter)].description : std::string();
}

std::vector<DisplayMode> HeadlessVideoSystem::AdapterModes(int adapter, uint32_t format) {
    std::vector<DisplayMode> out;
    if (adapter < 0 || adapter >= AdapterCount()) return out;
    for (const DisplayMode& m : adapters[size_t(adapter)].modes)
        if (m.format == format) out.push_back(m);
    return out;
}

std::vector<DisplayMode> HeadlessVideoSystem::AllModes(int adapter) {
    if (adapter < 0 || adapter >= AdapterCount()) return {};
    return adapters[size_t(adapter)].modes;
}

bool HeadlessVideoSystem::DesktopMode(int adapter, DisplayMode& out) {
    if (adapter < 0 || adapter >= AdapterCount()) return false;
    out = adapters[size_t(adapter)].desktop;
    return true;
}

bool HeadlessVideoSystem::DeviceCaps(int adapter, uint32_t deviceType, DeviceCapsInfo& out) {
    if (adapter < 0 || adapter >= AdapterCount()) return false;
    for (const DeviceCapsInfo& d : adapters[size_t(adapter)].devices)
        if (d.deviceType == deviceType) {
            out = d;
            return true;
        }
    return false;
}

bool HeadlessVideoSystem::CheckDeviceType(int adapter, uint32_t deviceType, uint32_t adapterFormat,
                                          uint32_t backBufferFormat, bool) {
    DeviceCapsInfo caps;
    if (!DeviceCaps(adapter, deviceType, caps)) return false;
    const Adapter& a = adapters[size_t(adapter)];
    bool modeHasFormat =
        std::any_of(a.modes.begin(), a.modes.end(), [&](const DisplayMode& m) { return m.format == adapterFormat; });
    return modeHasFormat && std::find(a.backBufferFormats.begin(), a.backBufferFormats.end(), backBufferFormat) !=
                                a.backBufferFormats.end();
}

bool HeadlessVideoSystem::CheckDepthStencil(int adapter, uint32_t, uint32_t, uint32_t, uint32_t depthFormat) {
    if (adapter < 0 || adapter >= AdapterCount()) return false;
    const auto& f = adapters[size_t(adapter)].depthFormats;
    return std::find(f.begin(), f.end(), depthFormat) != f.end();
}

bool HeadlessVideoSystem::CheckMultiSample(int, uint32_t, uint32_t, bool, uint32_t type, uint32_t* qualityLevels) {
    if (type != 0) return false;
    if (qualityLevels) *qualityLevels = 1;
    return true;
}

std::unique_ptr<Window> HeadlessVideoSystem::CreateWindow(const std::string& title, int clientWidth, int clientHeight) {
    auto w = std::make_unique<HeadlessWindow>(clientWidth, clientHeight);
    w->title = title;
    window = w.get();
    return w;
}

std::unique_ptr<GraphicsDevice> HeadlessVideoSystem::CreateDevice(Window&, const PresentParameters& params) {
    if (!deviceOk) return nullptr;
    auto d = std::make_unique<RecordingDevice>(params.backBufferWidth, params.backBufferHeight, maxTextureSize);
    device = d.get();
    return d;
}

}  // namespace host
