#include "engine/framework/MyD3DApplication.h"

#include <cstdlib>
#include <string>

#include "engine/DrawFrame.h"
#include "engine/VxBillboard.h"
#include "engine/VxXApplication.h"
#include "engine/framework/RenderTargets.h"
#include "engine/framework/RoadStep.h"
#include "platform/AppActive.h"
#include "platform/ResourceArchive.h"
#include "platform/SoundManager.h"
#include "platform/host/MessageBox.h"
#include "platform/host/WindowMessage.h"

using namespace host;

GameRoadLinks g_GameRoadLinks;
host::Window* g_hWnd = nullptr;
std::unique_ptr<Effect>& g_pPostProcessEffect = *new std::unique_ptr<Effect>();
Effect::Handle g_hMotionBlurTechnique = 0;
uint8_t g_bApplyFullscreenAtStart = 1;

namespace {

constexpr uint32_t kTextureCapsAlpha = 0x4, kTextureCapsAlphaPalette = 0x80;

// Formats our targets can be made in and blended onto after the pixel program.
bool TargetFormatUsable(D3DFORMAT format) { return format == FMT_A8R8G8B8 || format == FMT_X8R8G8B8; }

}  // namespace

CVxXApplication* RoadApplication() { return dynamic_cast<CVxXApplication*>(g_pApp); }

CMyD3DApplication::CMyD3DApplication() {
    m_pszWindowTitle = u"Billboard: D3D Billboarding Example";
    m_enumeration.AppUsesDepthBuffer = true;
    m_pFont = new CFrameworkFont();
}

CMyD3DApplication::~CMyD3DApplication() {
    // Whatever still lives on this device goes before the device does.
    if (Device() && RenderTargetDevice() == Device()) ReleaseRenderTargets();
    if (g_pPostProcessEffect && Device() && &g_pPostProcessEffect->Device() == Device()) g_pPostProcessEffect.reset();
    if (g_pSoundManager && g_pSoundManager == m_pSoundManager.get()) g_pSoundManager = nullptr;
    if (g_hWnd == Window()) g_hWnd = nullptr;
    delete m_pFont;
    m_pFont = nullptr;
}

HRESULT CMyD3DApplication::CheckDeviceCaps(const DeviceCapsInfo& caps, uint32_t behaviorFlags, D3DFORMAT,
                                           D3DFORMAT backBufferFormat) {
    if (behaviorFlags & CREATE_PUREDEVICE) return E_FAIL;
    if (!TargetFormatUsable(backBufferFormat)) return E_FAIL;
    if (!(caps.textureCaps & (kTextureCapsAlpha | kTextureCapsAlphaPalette))) return E_FAIL;
    return S_OK;
}

bool CMyD3DApplication::StartSoundSystem() {
    auto manager = std::make_unique<SoundManager>();
    g_pSoundManager = manager.get();
    if (SoundFailed(manager->Initialize(g_hWnd)) || SoundFailed(manager->SetPrimaryBufferFormat(2, 22050, 16))) {
        g_pSoundManager = nullptr;
        return false;
    }
    m_pSoundManager = std::move(manager);
    if (g_hWnd) g_hWnd->SetTimer(GAME_TIMER_ID, 1);
    return true;
}

HRESULT CMyD3DApplication::CreateDeviceResources() {
    CVxXApplication* app = RoadApplication();
    g_hWnd = Window();
    if (app) {
        app->m_pDevice = Device();
        app->m_pFrameworkFont = m_pFont;
    }
    if (!StartSoundSystem()) return E_FAIL;

    void* block = nullptr;
    uint32_t size = 0;
    ResourceArchive* archive = GetResourceArchive();
    const std::string path = POST_PROCESS_EFFECT_PATH;
    if (!archive || !archive->UnzipItem(path.c_str(), &size, &block, 0)) {
        if (!ResourceArchiveDamaged()) ShowMessageBox(path + "\n NOT FOUND IN ZIP", "Loading Effect Error !!", MB_OK);
    } else {
        g_pPostProcessEffect = Device() ? Effect::Create(*Device(), block, size, nullptr) : nullptr;
        if (!g_pPostProcessEffect) ShowMessageBox(path + "\n NOT FOUND", "Loading Effect From Memory Error !!", MB_OK);
    }
    std::free(block);
    g_hMotionBlurTechnique =
        g_pPostProcessEffect ? g_pPostProcessEffect->GetTechniqueByName(POST_PROCESS_TECHNIQUE) : 0;

    if (app) app->LoadResources();
    m_pFont->CreateDeviceResources(Device());
    g_nRenderTargetCount = m_caps.numSimultaneousRTs < 2 ? 1 : 2;
    return S_OK;
}

HRESULT CMyD3DApplication::RestoreDeviceResources() {
    HRESULT result = m_pFont->RestoreDeviceResources();
    if (g_pPostProcessEffect) {
        if (!g_pPostProcessEffect->OnResetDevice()) return E_FAIL;
        g_hMotionBlurTechnique = g_pPostProcessEffect->GetTechniqueByName(POST_PROCESS_TECHNIQUE);
    }
    GraphicsDevice* device = Device();
    if (!device) return E_FAIL;
    CVxXApplication* app = RoadApplication();
    int width = app ? app->m_iWindowWidth : device->BackBufferWidth();
    int height = app ? app->m_iWindowHeight : device->BackBufferHeight();
    HRESULT targets = RestoreRenderTargets(*device, m_bWindowed, width, height);
    if (FAILED(result)) return result;
    return targets;
}

HRESULT CMyD3DApplication::ReleaseDeviceResources() {
    m_pFont->ReleaseDeviceResources();
    if (g_pPostProcessEffect) g_pPostProcessEffect->OnLostDevice();
    ReleaseRenderTargets();
    return S_OK;
}

HRESULT CMyD3DApplication::DestroyDeviceResources() {
    m_pFont->DestroyDeviceResources();
    // The game application goes with the device; its workers are joined by
    // its own destructor before its pages go.
    delete g_pApp;
    g_pApp = nullptr;
    g_pPostProcessEffect.reset();
    g_hMotionBlurTechnique = 0;
    ReleaseRenderTargets();
    // Nobody is left to take the game timer.
    if (g_hWnd) g_hWnd->KillTimer(GAME_TIMER_ID);
    if (g_pSoundManager == m_pSoundManager.get()) g_pSoundManager = nullptr;
    m_pSoundManager.reset();
    return S_OK;
}

HRESULT CMyD3DApplication::Shutdown() {
    delete m_pFont;
    m_pFont = nullptr;
    return S_OK;
}

intptr_t CMyD3DApplication::HandleMessage(host::Window* hWnd, uint32_t msg, uintptr_t wParam, intptr_t lParam) {
    CVxXApplication* app = RoadApplication();
    if (app && app->m_bInitialised) app->HandleWindowInput(msg, wParam, hWnd);
    if (g_hWnd) {
        switch (msg) {
        case WM_ACTIVATE: return 1;
        case WM_ACTIVATEAPP:
            g_bAppActive = wParam != 0;
            if (wParam == 0 && app && app->m_bInitialised) app->OnDeactivate();
            break;
        case WM_TIMER:
            // The timer reaches into the current page: not while the worker
            // is loading the next one.
            if (wParam == GAME_TIMER_ID && app && !app->m_bSwitchPending) app->OnTimer();
            return 1;
        default: break;
        }
    }
    intptr_t result = CD3DApplication::HandleMessage(hWnd, msg, wParam, lParam);
    if (!Window()) g_hWnd = nullptr;  // the close destroyed it
    return result;
}

HRESULT CMyD3DApplication::Render() {
    CVxXApplication* app = RoadApplication();
    if (g_bApplyFullscreenAtStart) {
        if (g_GameRoadLinks.pbStartFullscreen && g_GameRoadLinks.pbStartFullscreen->load()) ToggleFullscreen();
        g_bApplyFullscreenAtStart = 0;
    }
    GraphicsDevice* device = Device();
    if (!device || !app) return S_OK;

    // A switch the worker finishes within the tick still shows the loading
    // screen this frame, as it does when the worker takes longer.
    if (RoadStartFrame(*app)) {
        device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, g_dwClearColor, 1.0f);
        if (!device->BeginScene()) return S_OK;
        app->DrawLoadingScreen();
        device->EndScene();
        return S_OK;
    }

    if (RoadPrepareScene(*app)) SetTargetQuadDim(g_fScreenDim);

    Effect* effect = g_pPostProcessEffect.get();
    const bool battle = app->m_iCurrentPage == BATTLE_PAGE_INDEX;
    // Drawing every frame, the scene is cleared and redrawn each frame and
    // wanted only until it is composed: the device may build it on the back buffer.
    device->SetFrameTarget(app->m_iDrawMode == 0 ? g_pSceneTarget : 0);

    if (g_bStageRedraw) {
        const bool begun = BeginOffscreenPass(*device, g_pStageTarget, true);
        if (begun) {
            g_bScreenDimOn = false;
            if (battle && g_GameRoadLinks.renderStage) g_GameRoadLinks.renderStage();
            g_bScreenDimOn = true;
        }
        EndOffscreenPass(*device, begun);
    }

    {
        const bool begun = BeginOffscreenPass(*device, g_pSceneTarget, IsDrawFrame());
        if (begun) {
            if (IsDrawFrame() && (app->m_bShowStill || battle))
                DrawEffectPass(*device, effect, g_hMotionBlurTechnique,
                               app->m_bShowStill ? g_pStillTarget : g_pStageTarget, g_aTargetQuad);
            RoadRunScene(*app);
        }
        EndOffscreenPass(*device, begun);
    }

    if (app->m_bCaptureStill && !app->m_bShowStill) {
        const bool begun = BeginOffscreenPass(*device, g_pStillTarget, IsDrawFrame());
        if (begun && IsDrawFrame())
            DrawEffectPass(*device, effect, g_hMotionBlurTechnique, g_pSceneTarget, g_aTargetQuad);
        EndOffscreenPass(*device, begun);
    }
    RoadFinishStill(*app);

    ComposeToBackBuffer(*device);
    return S_OK;
}

void CMyD3DApplication::ComposeToBackBuffer(GraphicsDevice& device) {
    // The shake steps every frame, drawn or not, as in a headless run.
    float dx, dy;
    RoadShakeStep(dx, dy);
    device.SetRenderTarget(0);
    device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, g_dwClearColor, 1.0f);
    if (!device.BeginScene()) return;

    VertexRHW quad[SCREEN_QUAD_VERTICES];
    for (int i = 0; i < SCREEN_QUAD_VERTICES; ++i) {
        quad[i] = g_aBackBufferQuad[i];
        quad[i].x += dx;
        quad[i].y += dy;
    }
    DrawEffectPass(device, g_pPostProcessEffect.get(), g_hMotionBlurTechnique, g_pSceneTarget, quad);

    if (g_GameRoadLinks.pbShowStatistics && *g_GameRoadLinks.pbShowStatistics && m_pFont) {
        m_pFont->DrawText(2.0f, 0.0f, 0xFFFFFF00u, m_szFrameStats.c_str());
        m_pFont->DrawText(2.0f, 20.0f, 0xFFFFFF00u, m_szDeviceStats.c_str());
    }
    device.EndScene();
}
