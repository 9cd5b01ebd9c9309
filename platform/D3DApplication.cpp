#include "platform/D3DApplication.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/CursorFile.h"
#include "platform/FormatNames.h"
#include "platform/FrameworkTimer.h"
#include "platform/SoundManager.h"
#include "platform/StartupChecks.h"
#include "platform/host/Clock.h"
#include "platform/host/HeapPolicy.h"
#include "platform/host/MessageBox.h"
#include "platform/host/X11Connection.h"

using namespace host;

CD3DApplication* g_pD3DApp = nullptr;
uint32_t g_nFrameGateCount = 0;
std::atomic<bool> g_bAllowClose{true};
std::atomic<bool> g_bQuitRequested{false};
int (*g_pfnProbeSoundCard)() = &ProbeSoundCard;

namespace {

const uint32_t kWindowStyle = 0x10CA0000u;
// A request the display refused is asked this often, this far apart.
constexpr int kDisplayAttempts = 3;
constexpr uint32_t kDisplayRetryMs = 300;

bool IsHal(const DeviceCombo* c) { return c && c->DevType == DEVTYPE_HAL; }

constexpr const char* kExitWords = "\n\nThis sample will now exit.";

// A message's lines joined, as the log shows it.
std::string OneLine(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

// The framework's words for a code.
std::string ErrorText(HRESULT hr) {
    switch (uint32_t(hr)) {
    case 0x82000001u:
        return "Could not initialize Direct3D. You may\nwant to check that the latest version of\nDirectX is correctly "
               "installed on your\nsystem.  Also make sure that this program\nwas compiled with header files that "
               "match\nthe installed DirectX DLLs.";
    case 0x82000003u: return "Could not find any compatible Direct3D\ndevices.";
    case 0x8200000Au:
        return "A D3D object has a non-zero reference\ncount (meaning things were not properly\ncleaned up).";
    case 0x8200000Bu: return "Could not load required media.";
    case 0x8200000Cu: return "Could not reset the Direct3D device.";
    case 0x8200000Du:
        return "Warning: Nothing will be rendered.\nThe reference rendering device was selected, but your\ncomputer "
               "only has a reduced-functionality reference device\ninstalled.  Install the DirectX SDK to get the "
               "full\nreference device.\n";
    case 0x8007000Eu: return "Not enough memory.";
    case 0x8876017Cu: return "Not enough video memory.";
    case 0x88760827u: return "A serious problem occured inside the display driver.";
    default: return "Generic application error. Enable\ndebug output for detailed information.";
    }
}

}  // namespace

uint32_t BehaviorFlagsFor(uint32_t type) {
    switch (type) {
    case SOFTWARE_VP: return CREATE_SOFTWARE_VP;
    case MIXED_VP: return CREATE_MIXED_VP;
    case HARDWARE_VP: return CREATE_HARDWARE_VP;
    case PURE_HARDWARE_VP: return CREATE_HARDWARE_VP | CREATE_PUREDEVICE;
    default: return 0;
    }
}

void ApplyFullscreenResolutionRule(DisplayMode& mode, uint32_t videoMemory, uint32_t visibleMemoryKB,
                                   const std::vector<DisplayMode>& defaultDisplayModes) {
    if (mode.width < 800 || videoMemory < 256000000u || visibleMemoryKB < 1000000u) {
        mode.width = 800;
        mode.height = 600;
        return;
    }
    if (mode.width <= 1366) return;
    const float aspect = float(mode.width) / float(mode.height);
    for (const DisplayMode& m : defaultDisplayModes) {
        if ((m.width == 1280 || m.width == 1366) && m.height != 0 &&
            std::fabs(float(m.width) / float(m.height) - aspect) < 0.1f) {
            mode.width = m.width;
            mode.height = m.height;
            return;
        }
    }
    mode.width = 1024;
    mode.height = 768;
}

CD3DApplication::CD3DApplication() {
    m_enumeration.AppMinFullscreenWidth = 640;
    m_enumeration.AppMinFullscreenHeight = 480;
    m_enumeration.AppMinColorChannelBits = 5;
    m_enumeration.AppMinAlphaChannelBits = 0;
    m_enumeration.AppMinDepthBits = 15;
    m_enumeration.AppMinStencilBits = 0;
    m_enumeration.AppUsesDepthBuffer = false;
    m_enumeration.AppUsesMixedVP = false;
    m_enumeration.AppRequiresWindowed = false;
    m_enumeration.AppRequiresFullscreen = false;
    g_pD3DApp = this;
    Pause(true);  // paused until Create succeeds
}

CD3DApplication::~CD3DApplication() {
    m_pDevice.reset();
    m_hWnd.reset();
    if (g_pD3DApp == this) g_pD3DApp = nullptr;
}

bool CD3DApplication::CheckDeviceCapsCallback(const DeviceCapsInfo& caps, uint32_t type, D3DFORMAT adapterFormat,
                                              D3DFORMAT backBufferFormat) {
    if (!g_pD3DApp) return true;
    return SUCCEEDED(g_pD3DApp->CheckDeviceCaps(caps, BehaviorFlagsFor(type), adapterFormat, backBufferFormat));
}

void CD3DApplication::ReadWindowRects() {
    if (!m_hWnd) return;
    m_hWnd->WindowRect(m_rcWindowBounds[0], m_rcWindowBounds[1], m_rcWindowBounds[2], m_rcWindowBounds[3]);
    m_rcWindowClient[0] = m_rcWindowClient[1] = 0;
    m_hWnd->ClientSize(m_rcWindowClient[2], m_rcWindowClient[3]);
}

HRESULT CD3DApplication::Create() {
    // Pictures are decoded, held and freed by the hundred while a window lives.
    host::KeepLargeBlocksApart();
    m_pD3D = &GetVideoSystem();
    // The display may go before the window stands, and its loss is told from
    // inside Xlib, where nothing can be put together: the words are made now.
    if (!m_hWnd) {
        const std::string text = ErrorText(FWERR_NO_DIRECT3D);
        host::SetStartFailureWords("Cogsquall: " + OneLine(text) + " (",
                                   ")\n" + host::UnshownBoxText(text + kExitWords, WideToUtf8(m_pszWindowTitle)));
    }
    // A busy display may refuse to be opened for a moment (asked again as a
    // refused request is below); one that is not there at all is not.
    if (!m_pD3D->InitAskingAgain(kDisplayAttempts, kDisplayRetryMs)) {
        m_pD3D = nullptr;
        ShowErrorMessage(FWERR_NO_DIRECT3D, SEVERITY_EXIT);
        return FWERR_NO_DIRECT3D;
    }
    auto fail = [this](HRESULT hr) {
        m_pD3D = nullptr;
        return ShowErrorMessage(hr, SEVERITY_EXIT);
    };

    m_enumeration.m_pD3D = m_pD3D;
    m_enumeration.m_pConfirmDeviceCallback = &CD3DApplication::CheckDeviceCapsCallback;
    // A display under load may refuse a request for a moment: asked again
    // (the video system opened afresh) before the game gives up.
    HRESULT hr = S_OK;
    for (int attempt = 0;; ++attempt) {
        hr = m_enumeration.Enumerate();
        if (SUCCEEDED(hr) && m_enumeration.m_pAdapterInfoList.empty()) hr = FWERR_NO_COMPATIBLE_DEVICES;
        if (SUCCEEDED(hr) || attempt == kDisplayAttempts - 1 || m_hWnd) break;
        const std::string said = m_pD3D->LastError();
        std::fprintf(stderr, "display: no usable mode (%s); asking again\n",
                     (said.empty() ? m_enumeration.WhyNothingFound() : said).c_str());
        host::Sleep(kDisplayRetryMs);
        m_pD3D->Quit();
        if (!m_pD3D->Init()) return fail(FWERR_NO_DIRECT3D);
    }
    if (FAILED(hr)) return fail(hr);

    if (!m_hWnd) {
        for (int attempt = 0; !m_hWnd && attempt < kDisplayAttempts; ++attempt) {
            if (attempt > 0) host::Sleep(kDisplayRetryMs);
            m_hWnd =
                m_pD3D->CreateWindow(WideToUtf8(m_pszWindowTitle), int(m_dwCreationWidth), int(m_dwCreationHeight));
        }
        if (!m_hWnd) return fail(FWERR_NO_DIRECT3D);
        m_dwWindowStyle = kWindowStyle;
        // The standard arrow stays when "BIN" cannot be read.
        if (LoadCursorFile("BIN", m_cursor)) m_hWnd->SetCursorImage(m_cursor);
        else std::fprintf(stderr, "BIN: not a readable cursor file; using the standard arrow\n");

        if (g_pfnProbeSoundCard) {
            int probe = g_pfnProbeSoundCard();
            if (probe != 0) {
                if (probe == 1)
                    ShowMessageBox("Your sound card is either busy or not present. \nTry restarting the application.",
                                   "No Sound Card Detected Error!", MB_ICONWARNING);
                else
                    ShowMessageBox("Your sound card is either busy or not present.", "No Sound Card Detected!",
                                   MB_ICONWARNING);
                m_pD3D = nullptr;
                return S_OK;  // no device: the entry point ends the program
            }
        }
    }
    if (!m_hWndFocus) m_hWndFocus = m_hWnd.get();
    ReadWindowRects();

    hr = ChooseStartSettings();
    if (FAILED(hr)) return fail(hr);
    FrameworkTimer(TIMER_START);
    hr = InitScene();
    if (FAILED(hr)) return fail(hr);
    hr = InitDevice();
    if (FAILED(hr)) return fail(hr);
    Pause(false);
    return S_OK;
}

HRESULT CD3DApplication::ChooseStartSettings() {
    bool fullscreenFound = PickFullscreenMode();
    bool windowedFound = PickWindowedMode(false);
    if (m_bStartFullscreen && fullscreenFound) m_settings.IsWindowed = false;
    if (!windowedFound && fullscreenFound) m_settings.IsWindowed = false;
    if (!fullscreenFound && !windowedFound) return FWERR_NO_COMPATIBLE_DEVICES;
    return S_OK;
}

bool CD3DApplication::PickWindowedMode(bool requireReference) {
    DisplayMode desktop;
    if (!m_pD3D || !m_pD3D->DesktopMode(0, desktop)) return false;
    AdapterInfo* bestAdapter = nullptr;
    DeviceInfo* bestDevice = nullptr;
    DeviceCombo* best = nullptr;
    for (auto& adapter : m_enumeration.m_pAdapterInfoList) {
        for (auto& device : adapter->DeviceInfoList) {
            if (requireReference && device->DevType != DEVTYPE_REF) continue;
            for (auto& combo : device->DeviceComboList) {
                if (!combo->IsWindowed || combo->AdapterFormat != desktop.format) continue;
                bool matches = combo->BackBufferFormat == combo->AdapterFormat;
                if (!best || (!IsHal(best) && IsHal(combo.get())) || (IsHal(combo.get()) && matches)) {
                    bestAdapter = adapter.get();
                    bestDevice = device.get();
                    best = combo.get();
                    if (IsHal(combo.get()) && matches) goto done;
                }
            }
        }
    }
done:
    if (!best) return false;
    m_settings.pWindowed_AdapterInfo = bestAdapter;
    m_settings.pWindowed_DeviceInfo = bestDevice;
    m_settings.pWindowed_DeviceCombo = best;
    m_settings.IsWindowed = true;
    m_settings.Windowed_DisplayMode = desktop;
    m_settings.Windowed_Width = m_rcWindowClient[2];
    m_settings.Windowed_Height = m_rcWindowClient[3];
    if (m_enumeration.AppUsesDepthBuffer && !best->DepthStencilFormatList.empty())
        m_settings.Windowed_DepthStencilBufferFormat = best->DepthStencilFormatList[0];
    m_settings.Windowed_MultisampleType = best->MultiSampleTypeList.empty() ? 0 : best->MultiSampleTypeList[0];
    m_settings.Windowed_MultisampleQuality = 0;
    m_settings.Windowed_VertexProcessingType =
        best->VertexProcessingTypeList.empty() ? 0 : best->VertexProcessingTypeList[0];
    m_settings.Windowed_PresentInterval = best->PresentIntervalList.empty() ? 0 : best->PresentIntervalList[0];
    return true;
}

bool CD3DApplication::PickFullscreenMode() {
    if (!m_pD3D) return false;
    AdapterInfo* bestAdapter = nullptr;
    DeviceInfo* bestDevice = nullptr;
    DeviceCombo* best = nullptr;
    DisplayMode bestDesktop;
    for (auto& adapter : m_enumeration.m_pAdapterInfoList) {
        DisplayMode desktop;
        m_pD3D->DesktopMode(int(adapter->AdapterOrdinal), desktop);
        for (auto& device : adapter->DeviceInfoList) {
            for (auto& combo : device->DeviceComboList) {
                if (combo->IsWindowed) continue;
                bool hal = IsHal(combo.get());
                bool onDesktop = combo->AdapterFormat == desktop.format;
                bool matches = combo->BackBufferFormat == combo->AdapterFormat;
                if (!best || (!IsHal(best) && hal) || (hal && best->AdapterFormat != bestDesktop.format && onDesktop) ||
                    (hal && onDesktop && matches)) {
                    bestAdapter = adapter.get();
                    bestDevice = device.get();
                    best = combo.get();
                    bestDesktop = desktop;
                    if (hal && onDesktop && matches) goto done;
                }
            }
        }
    }
done:
    if (!best) return false;
    // The mode: the desktop's own, else one of the desktop's width, else the first.
    DisplayMode chosen;
    bool have = false;
    for (const DisplayMode& m : bestAdapter->DisplayModeList) {
        if (m.format != best->AdapterFormat) continue;
        if (m.width == bestDesktop.width && m.height == bestDesktop.height &&
            m.refreshRate == bestDesktop.refreshRate) {
            chosen = m;
            have = true;
            break;
        }
        if (m.width == bestDesktop.width) {
            chosen = m;
            have = true;
        } else if (!have) {
            chosen = m;
            have = true;
        }
    }
    ApplyFullscreenResolutionRule(chosen, QueryVideoMemory(), QueryTotalVisibleMemory(), m_pD3D->AllModes(0));

    m_settings.pFullscreen_AdapterInfo = bestAdapter;
    m_settings.pFullscreen_DeviceInfo = bestDevice;
    m_settings.pFullscreen_DeviceCombo = best;
    m_settings.IsWindowed = false;
    m_settings.Fullscreen_DisplayMode = chosen;
    if (m_enumeration.AppUsesDepthBuffer && !best->DepthStencilFormatList.empty())
        m_settings.Fullscreen_DepthStencilBufferFormat = best->DepthStencilFormatList[0];
    m_settings.Fullscreen_MultisampleType = best->MultiSampleTypeList.empty() ? 0 : best->MultiSampleTypeList[0];
    m_settings.Fullscreen_MultisampleQuality = 0;
    m_settings.Fullscreen_VertexProcessingType =
        best->VertexProcessingTypeList.empty() ? 0 : best->VertexProcessingTypeList[0];
    m_settings.Fullscreen_PresentInterval = PRESENT_INTERVAL_DEFAULT;
    return true;
}

HRESULT CD3DApplication::AdjustWindowStyle() {
    if (!m_hWnd) return S_OK;
    if (m_bWindowed) {
        m_dwWindowStyle = kWindowStyle;
        m_hWnd->SetFullscreen(false, m_settings.Fullscreen_DisplayMode);
    } else if (!m_hWnd->SetFullscreen(true, m_settings.Fullscreen_DisplayMode)) {
        // The display kept the window: draw to the window it has.
        m_bWindowed = true;
        m_settings.IsWindowed = true;
        m_dwWindowStyle = kWindowStyle;
    }
    return S_OK;
}

void CD3DApplication::BuildPresentParameters() {
    m_presentParams = PresentParameters{};
    m_presentParams.windowed = m_settings.IsWindowed;
    m_presentParams.autoDepthStencil = m_enumeration.AppUsesDepthBuffer;
    if (m_enumeration.AppUsesDepthBuffer) m_presentParams.depthStencilFormat = m_settings.DepthStencilBufferFormat();
    if (m_settings.IsWindowed) {
        m_presentParams.backBufferWidth = m_rcWindowClient[2];
        m_presentParams.backBufferHeight = m_rcWindowClient[3];
        m_presentParams.refreshRate = 0;
    } else {
        m_presentParams.backBufferWidth = int(m_settings.Fullscreen_DisplayMode.width);
        m_presentParams.backBufferHeight = int(m_settings.Fullscreen_DisplayMode.height);
        m_presentParams.refreshRate = m_settings.Fullscreen_DisplayMode.refreshRate;
    }
    DeviceCombo* combo = m_settings.PDeviceCombo();
    m_presentParams.backBufferFormat = combo ? combo->BackBufferFormat : FMT_X8R8G8B8;
    m_presentParams.presentInterval = m_settings.PresentInterval();
}

void CD3DApplication::PlaceWindow() {
    if (m_hWnd)
        m_hWnd->SetWindowRect(m_rcWindowBounds[0], m_rcWindowBounds[1], m_rcWindowBounds[2], m_rcWindowBounds[3]);
}

void CD3DApplication::ApplyCursorAndClip() {
    if (!m_hWnd) return;
    if (!m_bWindowed && m_bShowCursorWhenFullscreen) {
        if (m_cursor.width > 0) m_hWnd->SetCursorImage(m_cursor);
        m_hWnd->ShowCursor(true);
    }
    if (m_bClipCursorWhenFullscreen) m_hWnd->ClipCursor(!m_bWindowed);
}

HRESULT CD3DApplication::InitDevice() {
    DeviceInfo* device = m_settings.PDeviceInfo();
    AdapterInfo* adapter = m_settings.PAdapterInfo();
    m_bWindowed = m_settings.IsWindowed;
    AdjustWindowStyle();
    BuildPresentParameters();
    if (device && (device->Caps.primitiveMiscCaps & 0x1000)) ShowErrorMessage(FWERR_NULL_REF_DEVICE, SEVERITY_CONTINUE);

    uint32_t flags = BehaviorFlagsFor(m_settings.VertexProcessingType()) | CREATE_MULTITHREADED;
    HRESULT hr = S_OK;
    m_pDevice = nullptr;
    for (int attempt = 0; !m_pDevice && m_pD3D && m_hWnd && attempt < kDisplayAttempts; ++attempt) {
        if (attempt > 0) host::Sleep(kDisplayRetryMs);
        m_pDevice = m_pD3D->CreateDevice(*m_hWnd, m_presentParams);
    }
    if (!m_pDevice) {
        hr = FWERR_NO_COMPATIBLE_DEVICES;
    } else {
        if (m_bWindowed) PlaceWindow();
        m_caps = device ? device->Caps : DeviceCapsInfo{};
        m_caps.maxTextureWidth = m_caps.maxTextureHeight = uint32_t(m_pDevice->MaxTextureSize());
        m_dwBehaviorFlags = flags;
        const uint32_t type = device ? device->DevType : DEVTYPE_HAL;
        std::string stats = type == DEVTYPE_HAL ? "HAL" : type == DEVTYPE_REF ? "REF" : type == DEVTYPE_SW ? "SW" : "";
        const char* simulated = type == DEVTYPE_HAL ? "" : "simulated ";
        if ((flags & CREATE_HARDWARE_VP) && (flags & CREATE_PUREDEVICE))
            stats += std::string(" (") + simulated + "pure hw vp)";
        else if (flags & CREATE_HARDWARE_VP) stats += std::string(" (") + simulated + "hw vp)";
        else if (flags & CREATE_MIXED_VP) stats += std::string(" (") + simulated + "mixed vp)";
        else if (flags & CREATE_SOFTWARE_VP) stats += " (sw vp)";
        if (type == DEVTYPE_HAL && adapter) stats += ": " + adapter->Description;
        m_szDeviceStats = Utf8ToWide(stats).substr(0, 89);

        m_backBufferDesc = {uint32_t(m_pDevice->BackBufferWidth()), uint32_t(m_pDevice->BackBufferHeight()),
                            m_presentParams.backBufferFormat};
        ApplyCursorAndClip();

        hr = CreateDeviceResources();
        if (FAILED(hr)) {
            DestroyDeviceResources();
            CleanupDevice();
        } else {
            m_bDeviceObjectsCreated = true;
            hr = RestoreDeviceResources();
            if (FAILED(hr)) {
                ReleaseDeviceResources();
                CleanupDevice();
            } else {
                m_bDeviceObjectsRestored = true;
                return S_OK;
            }
        }
    }
    // A hardware failure falls back to a windowed reference device when one exists.
    if (hr != FWERR_MEDIA_NOT_FOUND && hr != HR_FILE_NOT_FOUND && device && device->DevType == DEVTYPE_HAL &&
        PickWindowedMode(true)) {
        m_bWindowed = true;
        AdjustWindowStyle();
        PlaceWindow();
        ShowErrorMessage(hr, SEVERITY_SWITCHED_TO_REF);
        return InitDevice();
    }
    return hr;
}

HRESULT CD3DApplication::ResetDevice() {
    if (m_bDeviceObjectsRestored) {
        m_bDeviceObjectsRestored = false;
        ReleaseDeviceResources();
    }
    if (!m_pDevice || !m_pDevice->Reset(m_presentParams)) return FWERR_RESET_FAILED;
    m_backBufferDesc = {uint32_t(m_pDevice->BackBufferWidth()), uint32_t(m_pDevice->BackBufferHeight()),
                        m_presentParams.backBufferFormat};
    ApplyCursorAndClip();
    HRESULT hr = RestoreDeviceResources();
    if (FAILED(hr)) {
        ReleaseDeviceResources();
        return hr;
    }
    m_bDeviceObjectsRestored = true;
    if (!m_bFrameMoving) {
        m_bSingleStep = true;
        FrameworkTimer(TIMER_START);
        FrameworkTimer(TIMER_STOP);
    }
    return S_OK;
}

HRESULT CD3DApplication::CleanupDevice() {
    if (m_pDevice) {
        if (m_bDeviceObjectsRestored) {
            m_bDeviceObjectsRestored = false;
            ReleaseDeviceResources();
        }
        if (m_bDeviceObjectsCreated) {
            m_bDeviceObjectsCreated = false;
            DestroyDeviceResources();
        }
        m_pDevice.reset();
    }
    return S_OK;
}

void CD3DApplication::Pause(bool pause) {
    m_nPauseCount += pause ? 1 : -1;
    m_bActive = m_nPauseCount == 0;
    if (pause && m_nPauseCount == 1) {
        if (m_bFrameMoving) FrameworkTimer(TIMER_STOP);
    } else if (m_nPauseCount == 0) {
        if (m_bFrameMoving) FrameworkTimer(TIMER_START);
    }
}

HRESULT CD3DApplication::ShowErrorMessage(HRESULT hr, ErrorSeverity severity) {
    if (m_bFatalShown) return hr;
    std::string text = ErrorText(hr);
    if (uint32_t(hr) == 0x88760827u) severity = SEVERITY_EXIT;
    const std::string caption = WideToUtf8(m_pszWindowTitle);
    if (severity == SEVERITY_EXIT) {
        m_bFatalShown = true;
        // What the display system said goes beside the message, for whoever reads the log.
        std::string why = host::GetVideoSystem().LastError();
        if (why.empty() && hr == FWERR_NO_COMPATIBLE_DEVICES && m_enumeration.m_pAdapterInfoList.empty())
            why = m_enumeration.WhyNothingFound();
        m_sFatalText = OneLine(text + (why.empty() ? "" : " (" + why + ")"));
        std::fprintf(stderr, "Cogsquall: %s\n", m_sFatalText.c_str());
        text += kExitWords;
        ShowMessageBox(text, caption, MB_ICONERROR);
        if (m_hWnd) {
            g_bAllowClose = true;
            HandleMessage(m_hWnd.get(), WM_CLOSE, 0, 0);
        }
    } else if (severity == SEVERITY_SWITCHED_TO_REF) {
        text +=
            "\n\nSwitching to the reference rasterizer,\na software device that implements the entire\nDirect3D "
            "feature set, but runs very slowly.";
        ShowMessageBox(text, caption, MB_ICONWARNING);
    } else {
        ShowMessageBox(text, caption, MB_ICONWARNING);
    }
    return hr;
}

int CD3DApplication::Run() {
    while (!m_bQuitPosted && m_hWnd) {
        // A display that went away ends the game as a confirmed exit does.
        if (host::DisplayLost()) g_bQuitRequested = true;
        // Boxes the page-switch worker asked for.
        host::ServeHandedBoxes();
        WindowMessage msg;
        bool got = m_bActive ? m_hWnd->PeekMessage(msg) : m_hWnd->WaitMessage(msg);
        if (got) {
            if (msg.message == WM_QUIT) {
                m_nQuitCode = int(msg.wParam);
                break;
            }
            if (msg.message != WM_NULL) HandleMessage(m_hWnd.get(), msg.message, msg.wParam, msg.lParam);
        }
        // A paused loop draws no frames, so the frame gate never sees a quit
        // request (a signal while minimized): close from here instead.
        if (!m_bActive && g_bQuitRequested && m_hWnd) {
            g_bAllowClose = true;
            HandleMessage(m_hWnd.get(), WM_CLOSE, 0, 0);
            continue;
        }
        if (got) continue;
        if (!m_bActive) break;  // nothing can wake a paused loop any more
        if (m_bDeviceLost) host::Sleep(100);
        if (m_bActive && FAILED(RunFrame()) && m_hWnd) HandleMessage(m_hWnd.get(), WM_CLOSE, 0, 0);
        // Not yet time for a frame: wait a moment rather than turn the loop
        // again at once, which kept a core busy doing nothing between frames.
        if (m_bActive && m_hWnd && !m_bDrewFrame) host::Sleep(1);
    }
    return m_nQuitCode;
}

HRESULT CD3DApplication::RunFrame() {
    m_bDrewFrame = false;
    // Our device is never lost; the flag stays for a backend that can lose it.
    if (m_bDeviceLost) m_bDeviceLost = false;

    const float appTime = FrameworkTimer(TIMER_GETAPPTIME);
    const float elapsed = FrameworkTimer(TIMER_GETELAPSEDTIME);
    if (elapsed == 0.0f && m_bFrameMoving) return S_OK;

    g_nFrameGateCount += 1;
    g_fFrameGateTime = float(g_fFrameGateTime.load() + elapsed);
    const float gate = g_fFrameGateTime.load();
    if (double(gate) <= 0.0167) return S_OK;
    if (g_nFrameGateCount == 1) g_nFrameGateCount = 0;
    // A long stall is cut to ten frames of backlog.
    if (double(gate) <= 0.2004) g_fFrameGateTime = float(double(gate) - 0.0167);
    else g_fFrameGateTime = 0.167f;

    if (m_bFrameMoving || m_bSingleStep) {
        m_fTime = appTime;
        m_fElapsedTime = elapsed;
        HRESULT hr = StepFrame();
        if (FAILED(hr)) return hr;
        m_bSingleStep = false;
    }
    HRESULT hr = Render();
    if (FAILED(hr)) return hr;
    g_nFrameGateCount = 0;
    UpdateStatsText();
    if (m_pDevice) m_pDevice->Present();
    m_bDrewFrame = true;

    if (g_bQuitRequested && m_hWnd) {
        g_bAllowClose = true;
        HandleMessage(m_hWnd.get(), WM_CLOSE, 0, 0);
    }
    return S_OK;
}

HRESULT CD3DApplication::UpdateStatsText() {
    const float now = FrameworkTimer(TIMER_GETABSOLUTETIME);
    ++m_nStatsFrames;
    if (now - m_fStatsLastTime <= 1.0f) return S_OK;
    m_fFPS = float(m_nStatsFrames) / (now - m_fStatsLastTime);
    m_nStatsFrames = 0;
    m_fStatsLastTime = now;

    const D3DFORMAT modeFormat = m_settings.Mode().format;
    std::string format;
    if (modeFormat != m_backBufferDesc.Format)
        format = "backbuf " + WideToUtf8(D3DFormatName(m_backBufferDesc.Format, false)) + ", adapter " +
                 WideToUtf8(D3DFormatName(modeFormat, false));
    else format = WideToUtf8(D3DFormatName(modeFormat, false));
    format = format.substr(0, 100);
    std::string depth;
    if (m_enumeration.AppUsesDepthBuffer)
        depth = " (" + WideToUtf8(D3DFormatName(m_settings.DepthStencilBufferFormat(), false)) + ")";
    std::string multisample;
    const uint32_t ms = m_settings.MultisampleType();
    if (ms == 1) multisample = " (Nonmaskable Multisample)";
    else if (ms >= 2 && ms <= 16) multisample = " (" + std::to_string(ms) + "x Multisample)";
    char buf[256];
    std::snprintf(buf, sizeof buf, "%.02f fps (%dx%d), %s%s%s", double(m_fFPS), int(m_backBufferDesc.Width),
                  int(m_backBufferDesc.Height), format.c_str(), depth.c_str(), multisample.c_str());
    m_szFrameStats = Utf8ToWide(buf).substr(0, 89);
    return S_OK;
}

HRESULT CD3DApplication::HandlePossibleSizeChange() {
    if (m_bIgnoreSizeChange || !m_hWnd) return S_OK;
    const int oldW = m_rcWindowClient[2], oldH = m_rcWindowClient[3];
    ReadWindowRects();
    if (oldW == m_rcWindowClient[2] && oldH == m_rcWindowClient[3]) return S_OK;
    Pause(true);
    m_presentParams.backBufferWidth = m_rcWindowClient[2];
    m_presentParams.backBufferHeight = m_rcWindowClient[3];
    HRESULT hr = S_OK;
    if (m_pDevice) {
        hr = ResetDevice();
        if (FAILED(hr)) {
            if (hr != D3DERR_OUTOFVIDEOMEMORY) hr = FWERR_RESET_FAILED;
            ShowErrorMessage(hr, SEVERITY_EXIT);
        }
    }
    Pause(false);
    return hr;
}

HRESULT CD3DApplication::ToggleFullscreen() {
    DeviceCombo* combo = m_settings.PDeviceCombo();
    const uint32_t ordinal = combo ? combo->AdapterOrdinal : 0, type = combo ? combo->DevType : 0;
    Pause(true);
    m_bIgnoreSizeChange = true;
    m_bWindowed = !m_bWindowed;
    m_settings.IsWindowed = m_bWindowed;
    if (!m_bWindowed && m_pDevice) {
        // An unknown amount of texture memory is not a shortage.
        const int64_t mem = m_pDevice->AvailableTextureMemory();
        if (mem >= 0 && mem < 512000000) {
            m_settings.Fullscreen_DisplayMode.width = 800;
            m_settings.Fullscreen_DisplayMode.height = 600;
        }
    }
    AdjustWindowStyle();
    HRESULT hr;
    DeviceCombo* now = m_settings.PDeviceCombo();
    if (m_pDevice && now && now->AdapterOrdinal == ordinal && now->DevType == type) {
        BuildPresentParameters();
        hr = ResetDevice();
    } else {
        CleanupDevice();
        hr = InitDevice();
    }
    if (FAILED(hr)) {
        if (hr != D3DERR_OUTOFVIDEOMEMORY) hr = FWERR_RESET_FAILED;
        m_bIgnoreSizeChange = false;
        if (!m_bWindowed) {
            m_bWindowed = true;
            m_settings.IsWindowed = true;
            AdjustWindowStyle();
            PlaceWindow();
        }
        return ShowErrorMessage(hr, SEVERITY_EXIT);
    }
    m_bIgnoreSizeChange = false;
    if (m_bWindowed) PlaceWindow();
    Pause(false);
    return S_OK;
}

HRESULT CD3DApplication::ChooseDeviceDialog() {
    if (!m_bWindowed && FAILED(ToggleFullscreen())) {
        ShowErrorMessage(FWERR_RESET_FAILED, SEVERITY_EXIT);
        return E_FAIL;
    }
    // The program carries no dialog template: the dialog ends as cancelled.
    return S_OK;
}

HRESULT CD3DApplication::ApplyDialogSettings(const DeviceSettings& settings) {
    m_settings = settings;
    m_bWindowed = m_settings.IsWindowed;
    CleanupDevice();
    HRESULT hr = InitDevice();
    if (FAILED(hr)) {
        if (hr != D3DERR_OUTOFVIDEOMEMORY) hr = FWERR_RESET_FAILED;
        if (!m_bWindowed) {
            m_bWindowed = true;
            m_settings.IsWindowed = true;
            AdjustWindowStyle();
            PlaceWindow();
        }
        return ShowErrorMessage(hr, SEVERITY_EXIT);
    }
    if (!m_bFrameMoving) {
        m_bSingleStep = true;
        FrameworkTimer(TIMER_START);
        FrameworkTimer(TIMER_STOP);
    }
    return S_OK;
}

intptr_t CD3DApplication::HandleMessage(host::Window* hWnd, uint32_t msg, uintptr_t wParam, intptr_t) {
    switch (msg) {
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            if (m_bClipCursorWhenFullscreen && !m_bWindowed && m_hWnd) m_hWnd->ClipCursor(false);
            Pause(true);
            m_bMinimized = true;
            m_bMaximized = false;
        } else if (wParam == SIZE_MAXIMIZED) {
            if (m_bMinimized) Pause(false);
            m_bMinimized = false;
            m_bMaximized = true;
            HandlePossibleSizeChange();
        } else if (wParam == SIZE_RESTORED) {
            if (m_bMaximized) {
                m_bMaximized = false;
                HandlePossibleSizeChange();
            } else if (m_bMinimized) {
                Pause(false);
                m_bMinimized = false;
                HandlePossibleSizeChange();
            }
        }
        break;
    case WM_PAINT:
        if (m_pDevice && !m_bActive && m_bWindowed && m_bDeviceObjectsCreated && m_bDeviceObjectsRestored) {
            Render();
            m_pDevice->Present();
        }
        break;
    case WM_CLOSE:
        if (!g_bAllowClose) return 0;
        CleanupDevice();
        Shutdown();
        if (hWnd == m_hWnd.get()) {
            m_hWnd.reset();
            m_hWndFocus = nullptr;
        }
        // The video system itself stays up until the process ends: shutting it
        // down unloads the GL driver, which leaves its own allocations behind.
        m_pD3D = nullptr;
        m_bQuitPosted = true;
        m_nQuitCode = 0;
        return 0;
    case WM_SETCURSOR:
        if (m_bActive && !m_bWindowed) {
            if (m_bShowCursorWhenFullscreen && m_hWnd) m_hWnd->ShowCursor(true);
            return 1;
        }
        break;
    case WM_NCHITTEST:
        if (!m_bWindowed) return 1;
        break;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE: Pause(true); break;
    case WM_EXITMENULOOP: Pause(false); break;
    case WM_EXITSIZEMOVE:
        Pause(false);
        HandlePossibleSizeChange();
        break;
    case WM_POWERBROADCAST:
        if (wParam == 0 || wParam == 7) return 1;
        break;
    case WM_COMMAND:
        switch (wParam & 0xFFFF) {
        case IDM_CHANGEDEVICE:
            Pause(true);
            ChooseDeviceDialog();
            Pause(false);
            return 0;
        case IDM_TOGGLEFULLSCREEN:
            Pause(true);
            if (FAILED(ToggleFullscreen())) ShowErrorMessage(FWERR_RESET_FAILED, SEVERITY_EXIT);
            Pause(false);
            return 0;
        case IDM_TOGGLESTART:
            m_bFrameMoving = !m_bFrameMoving;
            FrameworkTimer(m_bFrameMoving ? TIMER_START : TIMER_STOP);
            break;
        case IDM_SINGLESTEP:
            FrameworkTimer(m_bFrameMoving ? TIMER_STOP : TIMER_ADVANCE);
            m_bFrameMoving = false;
            m_bSingleStep = true;
            break;
        case IDM_EXIT: HandleMessage(hWnd, WM_CLOSE, 0, 0); return 0;
        default: break;
        }
        break;
    default: break;
    }
    return 0;
}
