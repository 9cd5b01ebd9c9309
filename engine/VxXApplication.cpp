#include "engine/VxXApplication.h"

#include <cmath>

#include "engine/VxPage.h"
#include "platform/host/Display.h"
#include "platform/host/MessageBox.h"
#include "platform/host/WindowMessage.h"

std::atomic<bool> g_bPageSwitchBusy{false};
host::Thread g_hPageSwitchThread;
std::atomic<bool> g_bLoaderRunning{false};
host::Thread g_hLoaderThread;
std::atomic<int> g_nPublishedFrame{0};
std::atomic<int> g_iPublishedMode{0};

namespace {

bool ValidKey(uintptr_t key) { return key < 256; }

void KeyDown(InputRecord& in, int key) {
    in.m_aiKey[key] |= KEY_HELD;
    if (in.m_aiRepeat[key] == 0) in.m_aiKey[key] |= KEY_PRESSED;
    ++in.m_aiRepeat[key];
}

// The up message ends the hold; a press the page has not seen yet stays with
// it, so a tap shorter than a frame still counts.
void KeyUp(InputRecord& in, int key) {
    in.m_aiKey[key] = KEY_RELEASED | (in.m_aiKey[key] & KEY_PRESSED);
    in.m_aiRepeat[key] = 0;
}

void PressOnly(InputRecord& in, int key) {
    in.m_aiKey[key] = KEY_PRESSED;
    in.m_aiRepeat[key] = 0;
}

}  // namespace

PictureRect ComposedPictureRect(int width, int height) {
    PictureRect r;
    if (width <= 0 || height <= 0) return r;
    r.width = float(width);
    r.height = float(height);
    // Narrower screens stretch the picture across; only wider ones get bars.
    if (float(width) / float(height) > 1.3366667f) {
        const int64_t pictureWidth = int64_t(height) * 4 / 3;
        r.left = float(double(int64_t(width) - pictureWidth) * 0.5);
        r.width = float(pictureWidth);
    }
    return r;
}

bool ClientToLogical(int clientX, int clientY, const PictureRect& picture, int screenWidth, int screenHeight, int& x,
                     int& y) {
    if (!(picture.width > 0.0f) || !(picture.height > 0.0f) || screenWidth <= 0 || screenHeight <= 0) return false;
    // Truncated after the subtraction: with bars an odd number of pixels
    // wide, the picture starts half-way into a pixel.
    const float dx = float(std::trunc(double(clientX) - double(picture.left)));
    const float dy = float(std::trunc(double(clientY) - double(picture.top)));
    float fx = dx / (picture.width / float(screenWidth));
    float fy = dy / (picture.height / float(screenHeight));
    // Far outside any screen: keep the conversion defined.
    if (!(std::fabs(fx) < 1e9f) || !(std::fabs(fy) < 1e9f)) return false;
    x = int(fx);
    y = int(fy);
    return true;
}

CVxXApplication::~CVxXApplication() {
    JoinWorkerThreads();
    if (m_bInitialised) CVxXApplication::ReleaseResources();
}

void CVxXApplication::JoinWorkerThreads() {
    m_bHoldSwitch = false;
    // A box a worker asks for now would wait for this thread, which waits for it.
    host::RefuseHandedBoxes(true);
    g_hPageSwitchThread.Join();
    g_hLoaderThread.Join();
    host::RefuseHandedBoxes(false);
}

void CVxXApplication::PublishFrameCount() { g_nPublishedFrame = m_nFrame.load(); }

void CVxXApplication::PublishFrameCountMode2() {
    g_iPublishedMode = 2;
    g_nPublishedFrame = m_nFrame.load();
}

int CVxXApplication::LoadResources() {
    m_bInitialised = true;
    CVxPage* page = PageAt(m_iCurrentPage);
    if (!page) return 0;
    if (page->CreateResourceManager() != 0) return 1;
    page->Load();
    page->LoadSubScreens();
    return 0;
}

int CVxXApplication::ReleaseResources() {
    m_bInitialised = false;
    BeforePageRelease();
    // Pages are left alone while the worker switches them.
    if (CVxPage* page = g_bPageSwitchBusy ? nullptr : PageAt(m_iCurrentPage)) {
        page->Unload();
        page->ReleaseSubScreens();
        page->DropResourceManager();
    }
    return 0;
}

void CVxXApplication::Tick() {
    // Busy is read before pending: the worker clears pending first, so a
    // finished switch is never mistaken for a new one.
    bool busy = g_bPageSwitchBusy;
    if (!m_bSwitchPending) {
        ++m_nFrame;
        ++m_nFrameSerial;
        return;
    }
    if (busy) return;
    m_bCaptureStill = false;
    m_bShowStill = false;
    StartPageSwitchThread();
}

void CVxXApplication::StartPageSwitchThread() {
    bool expected = false;
    if (!g_bPageSwitchBusy.compare_exchange_strong(expected, true)) return;
    if (m_bRunWorkersInline) {
        PageSwitchThreadProc(this);
        return;
    }
    g_hPageSwitchThread.Start([this] { PageSwitchThreadProc(this); }, host::ThreadPriority::Highest);
}

unsigned CVxXApplication::PageSwitchThreadProc(CVxXApplication* app) {
    app->DoSwitchPage();
    g_bPageSwitchBusy = false;
    return 0;
}

void CVxXApplication::StartStageLoaderThread() {
    bool expected = false;
    if (!g_bLoaderRunning.compare_exchange_strong(expected, true)) return;
    if (m_bRunWorkersInline) {
        StageLoaderThreadProc(this);
        return;
    }
    g_hLoaderThread.Start([this] { StageLoaderThreadProc(this); }, host::ThreadPriority::BelowNormal);
}

unsigned CVxXApplication::StageLoaderThreadProc(CVxXApplication* app) {
    app->LoadStage();
    g_bLoaderRunning = false;
    return 0;
}

int CVxXApplication::ProcessInput() {
    if (m_iCurrentPage == -1) return 0;
    int devices = m_nDevices < MAX_INPUT_DEVICES ? m_nDevices : MAX_INPUT_DEVICES;
    for (int d = 0; d < devices; ++d) {
        if (m_aPointer[d].m_iState != POINTER_CLICK_TAKEN) continue;
        // A button took the click: the page sees neither the cursor nor the press.
        InputRecord& in = m_aInput[d];
        in.m_iCursorX = CURSOR_OFF_SCREEN;
        in.m_iCursorY = CURSOR_OFF_SCREEN;
        for (uint32_t& word : in.m_aiKey) {
            if (word & KEY_HELD) word &= ~uint32_t(KEY_PRESSED);
            else word = 0;
        }
    }
    CVxPage* page = CurrentPage();
    if (m_bInputEnabled && page && m_nFrame > 10) page->HandleInput();
    for (int d = 0; d < devices; ++d) {
        InputRecord& in = m_aInput[d];
        for (int k = 0; k < 256; ++k) {
            in.m_aiKey[k] &= ~uint32_t(KEY_PRESSED);
            if (in.m_aiKey[k] & KEY_RELEASED) {
                in.m_aiKey[k] = 0;
                in.m_aiRepeat[k] = 0;
            }
        }
    }
    return 0;
}

int CVxXApplication::HandleWindowInput(uint32_t message, uintptr_t wParam, host::Window* window) {
    using namespace host;
    if (!m_bInputEnabled) return 0;
    int devices = m_nDevices < MAX_INPUT_DEVICES ? m_nDevices : MAX_INPUT_DEVICES;
    bool haveCurrent = m_iCurrentDevice >= 0 && m_iCurrentDevice < MAX_INPUT_DEVICES;
    InputRecord* current = haveCurrent ? &m_aInput[m_iCurrentDevice] : nullptr;
    int button = -1;
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK: button = MOUSE_LEFT; break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK: button = MOUSE_MIDDLE; break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK: button = MOUSE_RIGHT; break;
    default: break;
    }
    switch (message) {
    case WM_KEYDOWN:
        if (ValidKey(wParam))
            for (int d = 0; d < devices; ++d) KeyDown(m_aInput[d], int(wParam));
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_INPUTLANGCHANGEREQUEST:
        if (ValidKey(wParam))
            for (int d = 0; d < devices; ++d) KeyUp(m_aInput[d], int(wParam));
        break;
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (current) KeyDown(*current, button);
        break;
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
        if (current) KeyUp(*current, button);
        break;
    case WM_LBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
        if (current) PressOnly(*current, button);
        break;
    case WM_MOUSEWHEEL:
        if (current) PressOnly(*current, HiWord(intptr_t(wParam)) > 0 ? MOUSE_WHEEL_FORWARD : MOUSE_WHEEL_BACKWARD);
        break;
    case WM_MOUSEMOVE: UpdateCursor(window); break;
    case WM_SETFOCUS:
        if (m_bInitialised) OnActivate();
        break;
    case WM_KILLFOCUS:
        if (m_bInitialised) OnDeactivate();
        break;
    case WM_ACTIVATEAPP:
        if (wParam == 0 && window && window->IsFullscreen()) OnDeactivate();
        break;
    case WM_CLOSE:
        if (m_bInitialised) OnClose();
        break;
    case WM_POWERBROADCAST:
        if (m_bInitialised) {
            if (wParam == 4) OnSystemSuspend();
            else if (wParam == 7) OnSystemResume();
        }
        break;
    default: break;
    }
    for (PointerRecord& p : m_aPointer)
        if (p.m_iState != POINTER_CLICK_TAKEN) p.m_iState = POINTER_FREE;
    return 0;
}

// The position is read from the window, not from the message.
void CVxXApplication::UpdateCursor(host::Window* window) {
    if (!window || m_iCurrentDevice < 0 || m_iCurrentDevice >= MAX_INPUT_DEVICES) return;
    int clientX = 0, clientY = 0;
    window->CursorPos(clientX, clientY);
    // Windowed or full screen, the picture fills the client area as the
    // back buffer does.
    int width = 0, height = 0;
    window->ClientSize(width, height);
    const PictureRect picture = ComposedPictureRect(width, height);
    InputRecord& in = m_aInput[m_iCurrentDevice];
    ClientToLogical(clientX, clientY, picture, m_iScreenWidth, m_iScreenHeight, in.m_iCursorX, in.m_iCursorY);
}
