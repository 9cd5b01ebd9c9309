// The render road on the recording device: resource creation, pass order,
// the loading screen, the still, the dim, screen shake and message routing.
#include <cmath>

#include "RoadFixture.h"
#include "platform/Random.h"
#include "platform/AppActive.h"

using namespace road;
using host::TextureHandle;

namespace {

class RenderRoadTest : public RoadFixture {};

TEST_F(RenderRoadTest, DeviceCreationStartsSoundTimerEffectResourcesAndTargets) {
    ASSERT_EQ(Start(), S_OK);
    EXPECT_EQ(services.boxes.Count(), 0u);
    EXPECT_NE(g_pSoundManager, nullptr);
    ASSERT_NE(g_hWnd, nullptr);
    EXPECT_TRUE(g_hWnd->HasTimer(GAME_TIMER_ID));
    ASSERT_NE(g_pPostProcessEffect, nullptr);
    EXPECT_NE(g_hMotionBlurTechnique, 0);
    EXPECT_TRUE(app->m_bInitialised);
    EXPECT_EQ(log.Count("load"), 1);
    EXPECT_EQ(app->m_pDevice, device);
    // Windowed: the screen targets take the application's window size.
    int w = 0, h = 0;
    ASSERT_TRUE(device->TextureSize(g_pSceneTarget, w, h));
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    for (TextureHandle t : {g_pStageTarget, g_pStillTarget}) EXPECT_TRUE(device->IsRenderTarget(t));
    for (TextureHandle t : g_apRenderTexture) {
        ASSERT_TRUE(device->TextureSize(t, w, h));
        EXPECT_EQ(w, 1024);
        EXPECT_EQ(h, 1024);
    }
    // Every target starts cleared to transparent black.
    int cleared = 0;
    for (const auto& c : device->clears)
        if (c.target != 0 && c.color == 0) ++cleared;
    EXPECT_EQ(cleared, 8);
    EXPECT_TRUE(g_bStageRedraw);
    // The targets are filtered, clamped and drawn as texture × vertex colour.
    EXPECT_EQ(device->GetSamplerState(host::SAMP_ADDRESSU), host::TADDRESS_CLAMP);
    EXPECT_EQ(device->GetTextureStageState(host::TSS_COLORARG2), host::TA_DIFFUSE);
    EXPECT_EQ(device->GetRenderState(host::RS_LIGHTING), 0u);
}

TEST_F(RenderRoadTest, MissingEffectShowsItsMessageAndFramesStillCompose) {
    ASSERT_EQ(Start(kEffectText, false), S_OK);
    ASSERT_EQ(services.boxes.Count(), 1u);
    EXPECT_TRUE(services.boxes.Saw("Loading Effect Error !!", "Resource\\HLSL\\BasicHLSL.fx\n NOT FOUND IN ZIP"));
    EXPECT_EQ(g_pPostProcessEffect, nullptr);
    EXPECT_TRUE(app->m_bInitialised);
    Frame();
    auto composed = Compositions();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0]->state.texture, g_pSceneTarget);
}

TEST_F(RenderRoadTest, BrokenEffectShowsTheMemoryMessage) {
    ASSERT_EQ(Start("technique PostProcessMotionBlur { pass P0 {"), S_OK);
    ASSERT_EQ(services.boxes.Count(), 1u);
    EXPECT_TRUE(
        services.boxes.Saw("Loading Effect From Memory Error !!", "Resource\\HLSL\\BasicHLSL.fx\n NOT FOUND"));
}

TEST_F(RenderRoadTest, NoSoundDeviceStopsAtTheWindowProbe) {
    services.audio.SetUnavailable(true);
    EXPECT_EQ(Start(), S_OK);
    EXPECT_TRUE(services.boxes.Saw("No Sound Card Detected!", "Your sound card is either busy or not present."));
    EXPECT_EQ(framework->Device(), nullptr);
    // No device resources were made: the entry point finds the application uninitialised.
    ASSERT_NE(g_pApp, nullptr);
    EXPECT_FALSE(g_pApp->m_bInitialised);
    EXPECT_EQ(log.Count("load"), 0);
}

TEST_F(RenderRoadTest, SoundLostAfterTheProbeFailsCreationWithoutTimerOrInitialisation) {
    g_pfnProbeSoundCard = nullptr;
    services.audio.SetUnavailable(true);
    EXPECT_TRUE(FAILED(Start()));
    EXPECT_EQ(g_pSoundManager, nullptr);
    // The failed creation destroyed the device resources, and the application
    // with them: the entry point must find it gone, not read a deleted one.
    EXPECT_EQ(g_pApp, nullptr);
    app = nullptr;
    EXPECT_EQ(log.Count("load"), 0);
    EXPECT_EQ(framework->Device(), nullptr);
}

TEST_F(RenderRoadTest, PassesRunInOrderAndTheStagePassOnlyWhileRedrawIsSet) {
    ASSERT_EQ(Start(), S_OK);
    size_t clears = device->clears.size();
    Frame();
    // Stage target cleared (redraw set by the target creation), then the scene
    // pass runs the page on the scene target, then the back buffer is composed.
    std::vector<TextureHandle> clearedTargets;
    for (size_t i = clears; i < device->clears.size(); ++i) clearedTargets.push_back(device->clears[i].target);
    EXPECT_EQ(clearedTargets, (std::vector<TextureHandle>{g_pStageTarget, g_pSceneTarget, 0}));
    EXPECT_EQ(log.events, (std::vector<std::string>{"load@0", "input@0", "logo@" + Target(g_pSceneTarget)}));
    auto composed = Compositions();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0]->state.texture, g_pSceneTarget);
    EXPECT_EQ(composed[0]->primitiveType, host::PT_TRIANGLESTRIP);
    EXPECT_EQ(device->RenderTarget(), 0u);

    g_bStageRedraw = false;
    clears = device->clears.size();
    Frame();
    clearedTargets.clear();
    for (size_t i = clears; i < device->clears.size(); ++i) clearedTargets.push_back(device->clears[i].target);
    EXPECT_EQ(clearedTargets, (std::vector<TextureHandle>{g_pSceneTarget, 0}));
}

TEST_F(RenderRoadTest, BattleStageIsDrawnUndimmedIntoItsTargetAndBecomesTheBackground) {
    ASSERT_EQ(Start(), S_OK);
    bool dimDuringStage = true;
    TextureHandle stageTarget = 0;
    g_GameRoadLinks.renderStage = [&] {
        dimDuringStage = g_bScreenDimOn;
        stageTarget = device->RenderTarget();
        log.Note("stage");
    };
    app->SwitchPage(3, 0);
    Frame();  // the switch
    g_bStageRedraw = true;
    log.events.clear();
    size_t from = device->draws.size();
    Frame();
    EXPECT_EQ(stageTarget, g_pStageTarget);
    EXPECT_FALSE(dimDuringStage);
    EXPECT_TRUE(g_bScreenDimOn);
    EXPECT_EQ(log.events, (std::vector<std::string>{"input@0", "stage@" + Target(g_pStageTarget),
                                                    "battle@" + Target(g_pSceneTarget)}));
    auto scene = DrawsTo(g_pSceneTarget, from);
    ASSERT_EQ(scene.size(), 1u);
    EXPECT_EQ(scene[0]->state.texture, g_pStageTarget);
    EXPECT_EQ(scene[0]->state.shader, host::SHADER_POSTPROCESS);
    // Off the battle page the stage is neither drawn nor used.
    app->SwitchPage(1, 0);
    Frame();
    log.events.clear();
    from = device->draws.size();
    Frame();
    EXPECT_EQ(log.Count("stage"), 0);
    EXPECT_TRUE(DrawsTo(g_pSceneTarget, from).empty());
}

TEST_F(RenderRoadTest, PendingSwitchDrawsOnlyTheLoadingScreen) {
    ASSERT_EQ(Start(), S_OK);
    Frame();
    app->SwitchPage(2, 0);
    log.events.clear();
    size_t from = device->draws.size(), clears = device->clears.size();
    Frame();
    EXPECT_EQ(log.events, (std::vector<std::string>{"loading@0"}));
    EXPECT_TRUE(Compositions(from).empty());
    ASSERT_EQ(device->clears.size(), clears + 1);
    EXPECT_EQ(device->clears.back().target, 0u);
    EXPECT_EQ(device->clears.back().flags, host::CLEAR_TARGET | host::CLEAR_ZBUFFER);
    EXPECT_FALSE(device->inScene);
    log.events.clear();
    Frame();
    EXPECT_EQ(log.events, (std::vector<std::string>{"input@0", "story@" + Target(g_pSceneTarget)}));
}

TEST_F(RenderRoadTest, StillIsCapturedInTheFrameItIsAskedForAndShownFromTheNext) {
    ASSERT_EQ(Start(), S_OK);
    Frame();
    app->m_bCaptureStill = true;
    log.events.clear();
    size_t from = device->draws.size();
    Frame();
    // The page still runs in the capturing frame; the scene is copied to the still.
    EXPECT_EQ(log.Count("logo@"), 1);
    auto still = DrawsTo(g_pStillTarget, from);
    ASSERT_EQ(still.size(), 1u);
    EXPECT_EQ(still[0]->state.texture, g_pSceneTarget);
    EXPECT_FALSE(app->m_bCaptureStill);
    EXPECT_TRUE(app->m_bShowStill);

    log.events.clear();
    from = device->draws.size();
    Frame();
    // Frozen: no page frame, the still as background, the overlays over it.
    EXPECT_EQ(log.events, (std::vector<std::string>{"input@0", "overlays@" + Target(g_pSceneTarget)}));
    auto scene = DrawsTo(g_pSceneTarget, from);
    ASSERT_EQ(scene.size(), 1u);
    EXPECT_EQ(scene[0]->state.texture, g_pStillTarget);
    EXPECT_TRUE(DrawsTo(g_pStillTarget, from).empty());

    // Both flags set: the old still stays, nothing is captured.
    app->m_bCaptureStill = true;
    from = device->draws.size();
    Frame();
    EXPECT_TRUE(DrawsTo(g_pStillTarget, from).empty());
    EXPECT_TRUE(app->m_bCaptureStill);
    EXPECT_TRUE(app->m_bShowStill);

    // A page switch lets both go.
    app->SwitchPage(1, 0);
    Frame();
    EXPECT_FALSE(app->m_bCaptureStill);
    EXPECT_FALSE(app->m_bShowStill);
}

TEST_F(RenderRoadTest, ScreenShakeMovesTheCompositionByShrinkingAmountsWithXDrawnFirst) {
    ASSERT_EQ(Start(), S_OK);
    float shake = 2.5f;
    g_GameRoadLinks.pfScreenShake = &shake;
    const float left = g_aBackBufferQuad[0].x, top = g_aBackBufferQuad[0].y;
    VxSrand(12345);
    const float expected[] = {2.5f, 1.5f, 0.5f};
    for (float amount : expected) {
        // The signs the two draws will give, x first.
        uint32_t state = VxRandState();
        const float sx = VxRand() % 2 == 1 ? 1.0f : -1.0f;
        const float sy = VxRand() % 2 == 1 ? 1.0f : -1.0f;
        VxSrand(state);
        size_t from = device->draws.size();
        Frame();
        auto composed = Compositions(from);
        ASSERT_EQ(composed.size(), 1u);
        EXPECT_FLOAT_EQ(composed[0]->rhwVertices[0].x - left, sx * amount);
        EXPECT_FLOAT_EQ(composed[0]->rhwVertices[0].y - top, sy * amount);
        EXPECT_FLOAT_EQ(composed[0]->rhwVertices[3].x - g_aBackBufferQuad[3].x, sx * amount);
        // The stored quad is left as it was.
        EXPECT_EQ(g_aBackBufferQuad[0].x, left);
    }
    EXPECT_EQ(shake, 0.0f);
    const uint32_t state = VxRandState();
    size_t from = device->draws.size();
    Frame();
    EXPECT_EQ(Compositions(from)[0]->rhwVertices[0].x, left);
    EXPECT_EQ(VxRandState(), state);  // no draws without a shake
}

TEST_F(RenderRoadTest, ScreenDimTintsTheTargetQuadOnlyWithTheBlackScreenEffect) {
    ASSERT_EQ(Start(), S_OK);
    bool haveEffect = false;
    int dimSteps = 0;
    g_GameRoadLinks.updateScreenDim = [&] {
        if (!haveEffect) return false;
        ++dimSteps;
        return true;
    };
    g_fScreenDim = 0.65f;
    Frame();
    EXPECT_EQ(g_aTargetQuad[0].color, 0xFFFFFFFFu);
    haveEffect = true;
    Frame();
    EXPECT_EQ(dimSteps, 1);
    for (const auto& v : g_aTargetQuad) EXPECT_EQ(v.color, 0x00A6A6A6u);  // grey 166, alpha 0
    g_fScreenDim = 1.5f;
    Frame();
    EXPECT_EQ(g_aTargetQuad[2].color, 0x00FFFFFFu);
    g_fScreenDim = -0.2f;
    Frame();
    EXPECT_EQ(g_aTargetQuad[3].color, 0x00000000u);
    // The back buffer is always composed in white.
    for (const auto& v : g_aBackBufferQuad) EXPECT_EQ(v.color, 0xFFFFFFFFu);
    // The dimmed quad carries the still onto the scene.
    app->m_bCaptureStill = true;
    g_fScreenDim = 0.65f;
    size_t from = device->draws.size();
    Frame();
    auto still = DrawsTo(g_pStillTarget, from);
    ASSERT_EQ(still.size(), 1u);
    EXPECT_EQ(still[0]->rhwVertices[0].color, 0x00A6A6A6u);
}

TEST_F(RenderRoadTest, FailingBeginSceneSkipsDrawingButRestoresTheBackBuffer) {
    ASSERT_EQ(Start(), S_OK);
    device->failBeginScene = true;
    size_t from = device->draws.size();
    Frame();
    EXPECT_EQ(device->draws.size(), from);
    EXPECT_EQ(log.Count("logo@"), 0);
    EXPECT_EQ(device->RenderTarget(), 0u);
    device->failBeginScene = false;
    Frame();
    EXPECT_EQ(log.Count("logo@"), 1);
}

TEST_F(RenderRoadTest, TimerNineReachesOnTimerOtherIdsAreSwallowed) {
    ASSERT_EQ(Start(), S_OK);
    host::Window* w = framework->Window();
    EXPECT_EQ(framework->HandleMessage(w, host::WM_TIMER, GAME_TIMER_ID, 0), 1);
    EXPECT_EQ(log.Count("timer"), 1);
    EXPECT_EQ(framework->HandleMessage(w, host::WM_TIMER, 10, 0), 1);
    EXPECT_EQ(log.Count("timer"), 1);
    // Not into a page the worker is still loading.
    app->m_bSwitchPending = true;
    EXPECT_EQ(framework->HandleMessage(w, host::WM_TIMER, GAME_TIMER_ID, 0), 1);
    EXPECT_EQ(log.Count("timer"), 1);
    app->m_bSwitchPending = false;
}

TEST_F(RenderRoadTest, TimerMessagesArriveBetweenFramesOfTheLoop) {
    ASSERT_EQ(Start(), S_OK);
    int idles = 0;
    video.window->onIdle = [&] {
        services.clock.Advance(17000000);
        if (++idles == 6) g_bQuitRequested = true;
    };
    framework->Run();
    // Each idle pass moved time on by more than the timer's millisecond and
    // let one frame through: the timer comes once between two frames.
    std::vector<std::string> kinds;
    for (const auto& e : log.events)
        if (e.rfind("timer", 0) == 0 || e.rfind("input", 0) == 0) kinds.push_back(e.substr(0, e.find('@')));
    ASSERT_GE(kinds.size(), 6u);
    for (size_t i = 1; i < kinds.size(); ++i) EXPECT_NE(kinds[i], kinds[i - 1]) << "at " << i;
    EXPECT_EQ(g_pApp, nullptr);  // the close deleted the application
}

TEST_F(RenderRoadTest, ActivationMessagesStopHereOrReachDeactivate) {
    ASSERT_EQ(Start(), S_OK);
    host::Window* w = framework->Window();
    EXPECT_EQ(framework->HandleMessage(w, host::WM_ACTIVATE, host::WA_ACTIVE, 0), 1);
    framework->HandleMessage(w, host::WM_ACTIVATEAPP, 0, 0);
    EXPECT_FALSE(g_bAppActive);
    EXPECT_EQ(log.Count("deactivate"), 1);
    framework->HandleMessage(w, host::WM_ACTIVATEAPP, 1, 0);
    EXPECT_TRUE(g_bAppActive);
    EXPECT_EQ(log.Count("deactivate"), 1);
}

TEST_F(RenderRoadTest, SavedFullScreenChoiceAppliesBeforeTheFirstFrameOnly) {
    std::atomic<bool> startFullscreen{true};
    g_GameRoadLinks.pbStartFullscreen = &startFullscreen;
    ASSERT_EQ(Start(), S_OK);
    EXPECT_TRUE(framework->m_bWindowed);
    Frame();
    EXPECT_FALSE(framework->m_bWindowed);
    device = video.device;
    // The first frame was already drawn on the full-screen targets.
    auto composed = Compositions();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_FLOAT_EQ(composed[0]->rhwVertices[3].y, float(device->BackBufferHeight()) - 0.5f);
    framework->ToggleFullscreen();
    EXPECT_TRUE(framework->m_bWindowed);
    Frame();
    EXPECT_TRUE(framework->m_bWindowed);
}

TEST_F(RenderRoadTest, ReleaseAndRestoreRemakeTheTargets) {
    ASSERT_EQ(Start(), S_OK);
    const size_t live = device->LiveTextures();
    framework->ReleaseDeviceResources();
    EXPECT_EQ(device->LiveTextures(), live - 8);
    EXPECT_EQ(g_pSceneTarget, 0u);
    EXPECT_TRUE(g_pPostProcessEffect->Lost());
    g_bStageRedraw = false;
    ASSERT_EQ(framework->RestoreDeviceResources(), S_OK);
    EXPECT_EQ(device->LiveTextures(), live);
    EXPECT_TRUE(g_bStageRedraw);
    EXPECT_FALSE(g_pPostProcessEffect->Lost());
    Frame();
    EXPECT_EQ(Compositions().size(), 1u);
}

TEST_F(RenderRoadTest, CloseDeletesTheApplicationAndStopsTheTimer) {
    ASSERT_EQ(Start(), S_OK);
    host::HeadlessWindow* w = video.window;
    EXPECT_TRUE(w->HasTimer(GAME_TIMER_ID));
    framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
    EXPECT_EQ(g_pApp, nullptr);
    EXPECT_EQ(g_hWnd, nullptr);
    EXPECT_EQ(g_pSoundManager, nullptr);
    EXPECT_EQ(g_pPostProcessEffect, nullptr);
    EXPECT_EQ(g_pSceneTarget, 0u);
    EXPECT_EQ(framework->m_pFont, nullptr);
}

TEST_F(RenderRoadTest, SlotDrawnDuringTheSceneIsShownAndTheSceneGoesOn) {
    ASSERT_EQ(Start(), S_OK);
    TextureHandle slotTarget = 0, afterTarget = 0;
    pages[0]->onRender = [&] {
        ASSERT_TRUE(BeginRenderToTexture(3, true));
        slotTarget = device->RenderTarget();
        EndRenderToTexture();
        afterTarget = device->RenderTarget();
    };
    size_t from = device->draws.size();
    Frame();
    EXPECT_EQ(slotTarget, g_apRenderSurface[3]);
    EXPECT_EQ(afterTarget, g_pSceneTarget);
    EXPECT_TRUE(g_bScreenDimOn);
    auto composed = Compositions(from);
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0]->state.texture, g_pSceneTarget);
    EXPECT_FALSE(device->inScene);
}

TEST_F(RenderRoadTest, CapsRejectPureDevicesAndFormatsWithoutTargetsOrAlpha) {
    CMyD3DApplication app;
    host::DeviceCapsInfo caps;
    caps.textureCaps = 0x4;
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_HARDWARE_VP, host::FMT_X8R8G8B8, host::FMT_X8R8G8B8), S_OK);
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_HARDWARE_VP | CREATE_PUREDEVICE, host::FMT_X8R8G8B8,
                                  host::FMT_X8R8G8B8),
              E_FAIL);
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_R5G6B5, host::FMT_R5G6B5), E_FAIL);
    caps.textureCaps = 0x80;  // alpha palette will do
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_A8R8G8B8, host::FMT_A8R8G8B8), S_OK);
    caps.textureCaps = 0;
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_A8R8G8B8, host::FMT_A8R8G8B8), E_FAIL);
}

}  // namespace
