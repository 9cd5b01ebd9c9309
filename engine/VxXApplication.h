#pragma once
// Ties the engine to the window and to time: window messages become per-device
// input records that the current page gets once a frame, Tick counts frames and
// starts the page-switch worker, and the stage loader runs on a thread of its
// own. Also the engine's bodies of the resource and event hooks the game
// application overrides, and the gauge bar drawing.
#include <atomic>
#include <cstdint>

#include "engine/VxApplicationPlatform.h"
#include "platform/host/Thread.h"

class CVxBillboard;
class CVxXApplication;
namespace host {
class Window;
}

// Set while the page-switch worker carries out a switch.
extern std::atomic<bool> g_bPageSwitchBusy;
extern host::Thread g_hPageSwitchThread;
// Set while the stage loader runs; the battle page polls it.
extern std::atomic<bool> g_bLoaderRunning;
extern host::Thread g_hLoaderThread;
// Written by the two publish hooks.
extern std::atomic<int> g_nPublishedFrame;
extern std::atomic<int> g_iPublishedMode;

// The rectangle the logical screen is shown in, in window client pixels.
struct PictureRect {
    float left = 0.0f;
    float top = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// Where the composition pass draws the picture on a back buffer (or client
// area) of this size: over all of it, unless it is wider than 4:3, when a 4:3
// picture as high as it stands centred between bars, half a pixel included.
// The back-buffer quad and the cursor both take it from here, so a click
// lands on what is drawn under it. Empty for a size that is not positive.
PictureRect ComposedPictureRect(int width, int height);

// Client pixels to logical pixels (top-left origin, y down) for a picture
// shown at `picture`: the offset is taken off and the result truncated, then
// scaled in single precision and truncated toward zero. False, with nothing
// written, when a size is not positive.
bool ClientToLogical(int clientX, int clientY, const PictureRect& picture, int screenWidth, int screenHeight, int& x,
                     int& y);

class CVxXApplication : public CVxApplicationPlatform {
public:
    CVxXApplication() = default;
    ~CVxXApplication() override;

    // The frame tick sits where an object updates its matrices.
    void UpdateWorldMatrix() override { Tick(); }

    void PublishFrameCount() override;
    void BeforePageRelease() override {}
    void PublishFrameCountMode2() override;
    void BlockSubScreenChanges() override { m_bBlockSubScreenChanges = true; }

    // Marks the application initialised and loads the current page.
    virtual int LoadResources();
    // Marks it uninitialised and releases the current page.
    virtual int ReleaseResources();
    // Once per drawn frame: hands the input records to the current page.
    virtual int ProcessInput();
    virtual void OnTimer() {}
    // Runs on the stage loader thread.
    virtual void LoadStage() {}
    virtual void OnActivate() {}
    virtual void OnDeactivate() {}
    virtual void OnClose() {}
    virtual void OnSystemSuspend() {}
    virtual void OnSystemResume() {}

    // First thing of every frame: counts the frame, or starts a pending switch.
    void Tick();
    // Every window message passes here first; always answers 0.
    int HandleWindowInput(uint32_t message, uintptr_t wParam, host::Window* window);
    void StartPageSwitchThread();
    void StartStageLoaderThread();
    static unsigned PageSwitchThreadProc(CVxXApplication* app);
    static unsigned StageLoaderThreadProc(CVxXApplication* app);
    // Waits for both workers; a held switch is let go so that it can end.
    // The game application calls it before it takes its pages down.
    void JoinWorkerThreads();

    // Draws the bottom fraction of the billboard's picture as a bar growing up
    // from the bottom edge of a width × height box centred at (x, y).
    void DrawGaugeBar(CVxBillboard* billboard, float width, float height, float x, float y, float fraction);
    void DrawGaugeBarAt(CVxBillboard* billboard, const VxVec3& size, const VxVec3& position, float fraction);

    // Headless runs carry out switches and stage loads on the calling thread,
    // so every run is the same.
    bool m_bRunWorkersInline = false;

private:
    void UpdateCursor(host::Window* window);
};
