#pragma once
// The program's framework object: ties the window and drawing device to the
// game. It starts the sound system with the 1 ms game timer, loads the
// post-process effect and the render targets, routes window messages to the
// application's input handler and timer hook, and runs the render road once
// per frame: tick, loading screen or input, the off-screen passes, the still
// capture and the composition with screen shake.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/PageIndices.h"
#include "platform/D3DApplication.h"
#include "platform/FrameworkFont.h"
#include "platform/host/Effect.h"

class CVxXApplication;
class SoundManager;

constexpr uintptr_t GAME_TIMER_ID = 9;
constexpr const char* POST_PROCESS_EFFECT_PATH = "Resource\\HLSL\\BasicHLSL.fx";
constexpr const char* POST_PROCESS_TECHNIQUE = "PostProcessMotionBlur";

// What the road reads of the game application beyond the engine's chain.
// The game application points these at its own when it is built; left
// empty, the road goes without (no shake, no statistics, no dim step, no
// stage, windowed start).
struct GameRoadLinks {
    float* pfScreenShake = nullptr;                        // shake amplitude, pixels
    const uint8_t* pbShowStatistics = nullptr;             // frame statistics on screen
    const std::atomic<bool>* pbStartFullscreen = nullptr;  // the saved full-screen choice
    std::function<bool()> updateScreenDim;                 // false when there is no black-screen effect
    std::function<void()> renderStage;                     // the battle page's stage draws itself
};
extern GameRoadLinks g_GameRoadLinks;

extern host::Window* g_hWnd;
// Never destroyed itself: an application object that goes among the statics
// (the stage runner's) still finds it, whatever order they go in.
extern std::unique_ptr<host::Effect>& g_pPostProcessEffect;
extern host::Effect::Handle g_hMotionBlurTechnique;
extern uint8_t g_bApplyFullscreenAtStart;

// BATTLE_PAGE_INDEX: the page whose stage is drawn into the stage target.

class CMyD3DApplication : public CD3DApplication {
public:
    CMyD3DApplication();
    ~CMyD3DApplication() override;

    HRESULT CheckDeviceCaps(const host::DeviceCapsInfo& caps, uint32_t behaviorFlags, D3DFORMAT adapterFormat,
                            D3DFORMAT backBufferFormat) override;
    HRESULT CreateDeviceResources() override;
    HRESULT RestoreDeviceResources() override;
    HRESULT Render() override;
    HRESULT ReleaseDeviceResources() override;
    HRESULT DestroyDeviceResources() override;
    HRESULT Shutdown() override;
    intptr_t HandleMessage(host::Window* hWnd, uint32_t msg, uintptr_t wParam, intptr_t lParam) override;

    bool StartSoundSystem();

    CFrameworkFont* m_pFont = nullptr;  // owned

private:
    void ComposeToBackBuffer(host::GraphicsDevice& device);
    std::unique_ptr<SoundManager> m_pSoundManager;
};

// The application the road drives (g_pApp as the input application), or null.
CVxXApplication* RoadApplication();

// Defined by the stage runner's window run (the program keeps its own in main()).
extern CMyD3DApplication g_d3dApp;
