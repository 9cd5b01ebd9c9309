#pragma once
// Root of the application chain: the page table, one frame of the current
// page, page switches, the 2-D camera, cursors and the sound wrappers.
#include <atomic>
#include <cstdint>

#include "engine/CameraRecord.h"
#include "engine/InputRecord.h"
#include "engine/VxObject.h"

namespace host {
class GraphicsDevice;
}

class CVxEffect;
class CVxPage;
class CVxResourceManager;

constexpr int MAX_PAGES = 30;

class CVxApplication : public CVxObject {
public:
    CVxApplication();
    ~CVxApplication() override;
    CVxApplication(const CVxApplication&) = delete;
    CVxApplication& operator=(const CVxApplication&) = delete;

    // The application draws a frame of its current page where an object renders.
    void Render() override { Frame(); }
    // Depth state belongs to the pages' own objects.
    void SetZTest(bool) override {}
    void SetZWrite(bool) override {}

    virtual void DrawLoadingScreen() {}
    virtual void OnBeginFrame() = 0;
    virtual void OnBeginFrameLate() = 0;
    virtual void OnEndFrame() = 0;
    virtual void DrawCursors();
    virtual void OnAfterPageRender() {}
    virtual void OnFrameWithoutPage() {}
    // Whether the page may not be opened as things stand; the application
    // has told the player why.
    virtual bool RefusesPage(int /*index*/) { return false; }
    // The box or board open over the page: only its own buttons take the
    // mouse meanwhile. Null when none is open. Here the current page's own.
    virtual const CVxEffect* OpenBoard() const;
    virtual void ApplyCamera() = 0;
    virtual void PublishFrameCount() = 0;
    virtual void BeforePageRelease() = 0;
    virtual void PublishFrameCountMode2() = 0;
    virtual void BlockSubScreenChanges() = 0;
    virtual void SetLight(int index, bool on) = 0;
    virtual void SetAmbientColor(float r, float g, float b, float a) = 0;
    virtual void EnableLighting(bool on) = 0;
    // Debug text at back-buffer pixels.
    virtual void DrawTextAt(const char* text, int x, int y, float r, float g, float b, float a) = 0;

    void Frame();
    // Records a switch; the page-switch worker carries it out.
    void SwitchPage(int index, int subScreen);
    // Runs on the page-switch worker.
    void DoSwitchPage();
    void SetCamera2D(int width, int height);
    void SetViewLookAt(const VxVec3& eye, const VxVec3& at, const VxVec3& up);
    void DrawCursorCoordinates();
    void PauseAllSounds();
    void ResumeAllSounds();
    void MuteAllSounds();
    void UnmuteAllSounds();
    void RefreshSoundVolumes();

    // The registered page at index, or null.
    CVxPage* PageAt(int index) const;
    // The current page, or null while a switch is pending or being carried out.
    CVxPage* CurrentPage() const;

    const char* m_pszTitle = "Blank Application";
    bool m_bInitialised = false;
    bool m_bInputEnabled = true;
    host::GraphicsDevice* m_pDevice = nullptr;  // not owned; set once the framework has made it
    const char* m_pszResourceRoot = "";
    int m_iDrawMode = 0;
    std::atomic<int> m_nFrame{0};
    // Every frame run, counted on through page switches (m_nFrame starts
    // again with each page): what a button's drawing is stamped with.
    int64_t m_nFrameSerial = 0;
    InputRecord m_aInput[MAX_INPUT_DEVICES];
    int m_iCurrentDevice = 0;
    int m_nDevices = 1;
    int m_iScreenWidth = 640;
    int m_iScreenHeight = 480;
    int m_iWindowWidth = 640;
    int m_iWindowHeight = 480;
    std::atomic<int> m_iCurrentPage{0};  // -1 while a switch is carried out
    std::atomic<bool> m_bSwitchPending{false};
    int m_nPages = 0;
    CVxPage* m_apPages[MAX_PAGES] = {};  // not owned
    int m_iOldPage = -1;
    int m_iNewPage = -1;
    int m_iNewSubScreen = 0;
    bool m_bResetPointersOnSwitch = true;
    PointerRecord m_aPointer[MAX_INPUT_DEVICES];
    CameraRecord m_camera;
    bool m_bBlockSubScreenChanges = false;
    CVxResourceManager* m_pResourceManager = nullptr;  // owned
    VxColor m_colAmbientLight{0.0f, 0.0f, 0.0f, 1.0f};
    bool m_bMuted = false;
    std::atomic<bool> m_bPageReady{false};
    std::atomic<bool> m_bHoldSwitch{false};
};

// The one application object.
extern CVxApplication* g_pApp;
