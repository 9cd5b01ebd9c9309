#pragma once
// The application framework: the main window, the drawing device and its
// life cycle, the message loop and the frame gate that paces the game at one
// frame per 0.0167 s of real time. The game derives its own class from it.
#include <atomic>
#include <memory>
#include <string>

#include "platform/DeviceEnumeration.h"
#include "platform/HResult.h"
#include "platform/host/Display.h"
#include "platform/host/GraphicsDevice.h"

constexpr HRESULT FWERR_NO_DIRECT3D = HRESULT(0x82000001u);
constexpr HRESULT FWERR_NO_COMPATIBLE_DEVICES = HRESULT(0x82000003u);
constexpr HRESULT FWERR_NONZERO_REFCOUNT = HRESULT(0x8200000Au);
constexpr HRESULT FWERR_MEDIA_NOT_FOUND = HRESULT(0x8200000Bu);
constexpr HRESULT FWERR_RESET_FAILED = HRESULT(0x8200000Cu);
constexpr HRESULT FWERR_NULL_REF_DEVICE = HRESULT(0x8200000Du);
constexpr HRESULT D3DERR_OUTOFVIDEOMEMORY = HRESULT(0x8876017Cu);
constexpr HRESULT D3DERR_DRIVERINTERNALERROR = HRESULT(0x88760827u);
constexpr HRESULT HR_FILE_NOT_FOUND = HRESULT(0x80070002u);

enum ErrorSeverity { SEVERITY_CONTINUE = 0, SEVERITY_EXIT = 1, SEVERITY_SWITCHED_TO_REF = 2 };

// Behaviour flags of a device by vertex-processing type.
constexpr uint32_t CREATE_SOFTWARE_VP = 0x20, CREATE_MIXED_VP = 0x80, CREATE_HARDWARE_VP = 0x40,
                   CREATE_PUREDEVICE = 0x10, CREATE_MULTITHREADED = 0x4;
uint32_t BehaviorFlagsFor(uint32_t vertexProcessingType);

// Menu commands the framework understands.
enum : uint32_t {
    IDM_CHANGEDEVICE = 40002,
    IDM_TOGGLEFULLSCREEN = 40003,
    IDM_TOGGLESTART = 40004,
    IDM_SINGLESTEP = 40005,
    IDM_EXIT = 40006
};

struct DeviceSettings {
    bool IsWindowed = true;

    AdapterInfo* pWindowed_AdapterInfo = nullptr;
    DeviceInfo* pWindowed_DeviceInfo = nullptr;
    DeviceCombo* pWindowed_DeviceCombo = nullptr;
    DisplayMode Windowed_DisplayMode;
    D3DFORMAT Windowed_DepthStencilBufferFormat = 0;
    uint32_t Windowed_MultisampleType = 0;
    uint32_t Windowed_MultisampleQuality = 0;
    uint32_t Windowed_VertexProcessingType = 0;
    uint32_t Windowed_PresentInterval = 0;
    int Windowed_Width = 0;
    int Windowed_Height = 0;

    AdapterInfo* pFullscreen_AdapterInfo = nullptr;
    DeviceInfo* pFullscreen_DeviceInfo = nullptr;
    DeviceCombo* pFullscreen_DeviceCombo = nullptr;
    DisplayMode Fullscreen_DisplayMode;
    D3DFORMAT Fullscreen_DepthStencilBufferFormat = 0;
    uint32_t Fullscreen_MultisampleType = 0;
    uint32_t Fullscreen_MultisampleQuality = 0;
    uint32_t Fullscreen_VertexProcessingType = 0;
    uint32_t Fullscreen_PresentInterval = 0;

    // The half IsWindowed chooses.
    AdapterInfo*& PAdapterInfo() { return IsWindowed ? pWindowed_AdapterInfo : pFullscreen_AdapterInfo; }
    DeviceInfo*& PDeviceInfo() { return IsWindowed ? pWindowed_DeviceInfo : pFullscreen_DeviceInfo; }
    DeviceCombo*& PDeviceCombo() { return IsWindowed ? pWindowed_DeviceCombo : pFullscreen_DeviceCombo; }
    DisplayMode& Mode() { return IsWindowed ? Windowed_DisplayMode : Fullscreen_DisplayMode; }
    D3DFORMAT& DepthStencilBufferFormat() {
        return IsWindowed ? Windowed_DepthStencilBufferFormat : Fullscreen_DepthStencilBufferFormat;
    }
    uint32_t& MultisampleType() { return IsWindowed ? Windowed_MultisampleType : Fullscreen_MultisampleType; }
    uint32_t& MultisampleQuality() { return IsWindowed ? Windowed_MultisampleQuality : Fullscreen_MultisampleQuality; }
    uint32_t& VertexProcessingType() {
        return IsWindowed ? Windowed_VertexProcessingType : Fullscreen_VertexProcessingType;
    }
    uint32_t& PresentInterval() { return IsWindowed ? Windowed_PresentInterval : Fullscreen_PresentInterval; }
};

struct SurfaceDesc {
    uint32_t Width = 0, Height = 0;
    D3DFORMAT Format = 0;
};

class CD3DApplication;
extern CD3DApplication* g_pD3DApp;
// Frame-gate passes since the last drawn frame (main thread only).
extern uint32_t g_nFrameGateCount;
// Close is honoured only while set; the game clears it and sets the quit request.
extern std::atomic<bool> g_bAllowClose;
// Set by the game's exit confirmation and by SIGINT, SIGTERM and SIGHUP.
extern std::atomic<bool> g_bQuitRequested;

// Sound-card check run when the window is made (ProbeSoundCard unless a test
// swaps it): 0 fine, 1 the sound layer could not be made, 2 the device would
// not start. Null skips it.
extern int (*g_pfnProbeSoundCard)();

// Full-screen resolution rule: small machines get 800 × 600, mid-size desktops
// keep theirs, large ones take a listed 1280- or 1366-wide mode of their shape,
// else 1024 × 768.
void ApplyFullscreenResolutionRule(DisplayMode& mode, uint32_t videoMemory, uint32_t visibleMemoryKB,
                                   const std::vector<DisplayMode>& defaultDisplayModes);

class CD3DApplication {
public:
    CD3DApplication();
    virtual ~CD3DApplication();
    CD3DApplication(const CD3DApplication&) = delete;
    CD3DApplication& operator=(const CD3DApplication&) = delete;

    virtual HRESULT AdjustWindowStyle();
    virtual HRESULT UpdateStatsText();
    virtual HRESULT CheckDeviceCaps(const host::DeviceCapsInfo&, uint32_t, D3DFORMAT, D3DFORMAT) { return S_OK; }
    virtual HRESULT InitScene() { return S_OK; }
    virtual HRESULT CreateDeviceResources() { return S_OK; }
    virtual HRESULT RestoreDeviceResources() { return S_OK; }
    virtual HRESULT StepFrame() { return S_OK; }
    virtual HRESULT Render() { return S_OK; }
    virtual HRESULT ReleaseDeviceResources() { return S_OK; }
    virtual HRESULT DestroyDeviceResources() { return S_OK; }
    virtual HRESULT Shutdown() { return S_OK; }
    virtual HRESULT Create();
    virtual int Run();
    virtual intptr_t HandleMessage(host::Window* hWnd, uint32_t msg, uintptr_t wParam, intptr_t lParam);
    virtual void Pause(bool pause);

    HRESULT ToggleFullscreen();
    HRESULT ShowErrorMessage(HRESULT hr, ErrorSeverity severity);
    HRESULT RunFrame();
    HRESULT ChooseDeviceDialog();
    // Takes settings the device dialog confirmed and re-creates the device with them.
    HRESULT ApplyDialogSettings(const DeviceSettings& settings);
    static bool CheckDeviceCapsCallback(const host::DeviceCapsInfo& caps, uint32_t vertexProcessingType,
                                        D3DFORMAT adapterFormat, D3DFORMAT backBufferFormat);

    host::Window* Window() const { return m_hWnd.get(); }
    host::GraphicsDevice* Device() const { return m_pDevice.get(); }
    bool QuitPosted() const { return m_bQuitPosted; }
    int PauseCount() const { return m_nPauseCount; }
    bool FatalShown() const { return m_bFatalShown; }
    // The fatal message on one line, with the display system's reason.
    const std::string& FatalText() const { return m_sFatalText; }

    CDeviceEnumeration m_enumeration;
    DeviceSettings m_settings;
    bool m_bWindowed = true;
    bool m_bActive = false;
    bool m_bDeviceLost = false;
    bool m_bMinimized = false;
    bool m_bMaximized = false;
    bool m_bIgnoreSizeChange = false;
    bool m_bDeviceObjectsCreated = false;
    bool m_bDeviceObjectsRestored = false;
    bool m_bFrameMoving = true;
    bool m_bSingleStep = false;
    bool m_bDrewFrame = false;  // the last RunFrame drew and presented a frame
    host::PresentParameters m_presentParams;
    std::unique_ptr<host::Window> m_hWnd;
    host::Window* m_hWndFocus = nullptr;
    host::VideoSystem* m_pD3D = nullptr;
    std::unique_ptr<host::GraphicsDevice> m_pDevice;
    host::DeviceCapsInfo m_caps;
    SurfaceDesc m_backBufferDesc;
    uint32_t m_dwBehaviorFlags = 0;
    uint32_t m_dwWindowStyle = 0;
    int m_rcWindowBounds[4] = {0, 0, 0, 0};  // x, y, width, height
    int m_rcWindowClient[4] = {0, 0, 0, 0};
    float m_fTime = 0, m_fElapsedTime = 0, m_fFPS = 0;
    std::u16string m_szDeviceStats, m_szFrameStats;
    std::u16string m_pszWindowTitle = u"D3D9 Application";
    uint32_t m_dwCreationWidth = 400, m_dwCreationHeight = 300;
    bool m_bShowCursorWhenFullscreen = false;
    bool m_bClipCursorWhenFullscreen = true;
    bool m_bStartFullscreen = false;
    // The cursor read from "BIN" (empty when it could not be read).
    host::CursorImage m_cursor;

protected:
    HRESULT ChooseStartSettings();
    bool PickWindowedMode(bool requireReference);
    bool PickFullscreenMode();
    HRESULT InitDevice();
    void BuildPresentParameters();
    HRESULT ResetDevice();
    HRESULT CleanupDevice();
    HRESULT HandlePossibleSizeChange();
    void ApplyCursorAndClip();
    void PlaceWindow();
    void ReadWindowRects();

private:
    int m_nPauseCount = 0;
    bool m_bFatalShown = false;
    std::string m_sFatalText;
    bool m_bQuitPosted = false;
    int m_nQuitCode = 0;
    uint32_t m_nStatsFrames = 0;
    float m_fStatsLastTime = 0;
};
