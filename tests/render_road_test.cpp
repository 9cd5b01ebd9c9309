// The render road on the recording device: failed creation, the loading
// screen, the still, lost and restored targets and message routing.

#include "tests/Harness.h"

using host::TextureHandle;

namespace {

// The render road: the framework object with a recording device, an
// application that logs its hooks with the render target they ran on, four
// pages (the fourth is the battle page) and an archive with the post-process effect.
class RoadFixture : public FrameworkFixture {
protected:
    static constexpr const char* kEffectText =
        "// test effect\n"
        "texture RenderTargetTexture;\n"
        "sampler S = sampler_state { Texture = <RenderTargetTexture>; };\n"
        "technique PostProcessMotionBlur { pass P0 { ZEnable = false; } }\n";

    struct Log {
        std::vector<std::string> events;
        host::GraphicsDevice* device = nullptr;
        // "name@target" with the render target the hook ran on.
        void Note(const std::string& what) {
            events.push_back(what + "@" + std::to_string(device ? device->RenderTarget() : 0u));
        }
        int Count(const std::string& prefix) const {
            int n = 0;
            for (const auto& e : events)
                if (e.compare(0, prefix.size(), prefix) == 0) ++n;
            return n;
        }
    };
    class RoadApp : public CVxXApplication {
    public:
        explicit RoadApp(Log* log) : m_log(log) {
            m_bRunWorkersInline = true;
            m_iWindowWidth = 800;
            m_iWindowHeight = 600;
            m_iScreenWidth = 880;
            m_iScreenHeight = 640;
        }
        void DrawLoadingScreen() override { m_log->Note("loading"); }
        void UpdateOverlays() override { m_log->Note("overlays"); }
        int ProcessInput() override { return m_log->Note("input"), CVxXApplication::ProcessInput(); }
        void OnTimer() override { m_log->Note("timer"); }
        void OnDeactivate() override { m_log->Note("deactivate"); }
        int LoadResources() override { return m_log->Note("load"), CVxXApplication::LoadResources(); }

    private:
        Log* m_log;
    };
    class LogPage : public CVxPage {
    public:
        LogPage(std::string name, Log* log) : m_name(std::move(name)), m_log(log) {}
        int RenderScreen(int) override {
            m_log->Note(m_name);
            if (onRender) onRender();
            return 0;
        }
        std::function<void()> onRender;

    private:
        std::string m_name;
        Log* m_log;
    };

    void SetUp() override {
        FrameworkFixture::SetUp();
        g_GameRoadLinks = GameRoadLinks{};
        g_bApplyFullscreenAtStart = 1;
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        VxSrand(1);
    }
    void TearDown() override {
        // Closing the window releases the device resources and deletes the application.
        if (framework && framework->Window()) framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        framework.reset();
        delete g_pApp;
        pages.clear();
        g_GameRoadLinks = GameRoadLinks{};
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        FrameworkFixture::TearDown();
    }

    // Builds the application (pages 0 to 3) and creates the window and device.
    HRESULT Start(const std::string& effectText = kEffectText, bool withEffect = true) {
        app = new RoadApp(&log);
        harness::Files files;
        if (withEffect) files.push_back({"Resource/HLSL/BasicHLSL.fx", harness::Bytes(effectText)});
        else files.push_back({"Resource/HLSL/Other.txt", harness::Bytes("-")});
        app->OpenResourceArchive(harness::WriteArchive(m_dir / "DATA", files));
        for (const char* name : {"logo", "menu", "story", "battle"})
            pages.push_back(std::make_unique<LogPage>(name, &log));
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        HRESULT hr = framework->Create();
        device = video.device;
        log.device = device;
        return hr;
    }

    // One frame as the gate runs it (without the present).
    void Frame() {
        services.clock.Advance(16666667);
        framework->Render();
    }

    // Draws made to `target` since `from`.
    std::vector<const host::DrawRecord*> DrawsTo(host::TextureHandle target, size_t from = 0) const {
        std::vector<const host::DrawRecord*> out;
        for (size_t i = from; i < device->draws.size(); ++i)
            if (device->draws[i].target == target) out.push_back(&device->draws[i]);
        return out;
    }
    // Composition draws: the post-process program on the back buffer.
    std::vector<const host::DrawRecord*> Compositions(size_t from = 0) const {
        std::vector<const host::DrawRecord*> out;
        for (const auto* d : DrawsTo(0, from))
            if (d->state.shader == host::SHADER_POSTPROCESS) out.push_back(d);
        return out;
    }
    std::string Target(host::TextureHandle t) const { return std::to_string(t); }

    harness::TempDir m_dir;
    Log log;
    RoadApp* app = nullptr;  // deleted by the framework with its device resources
    std::vector<std::unique_ptr<LogPage>> pages;
    std::unique_ptr<CMyD3DApplication> framework;
    host::RecordingDevice* device = nullptr;
};

class RenderRoadTest : public RoadFixture {};

// A missing or broken effect shows its message; frames still compose, without it.
struct EffectFault {
    const char* text;
    bool packed;
    const char* caption;
    const char* message;
};
class EffectFailure : public RoadFixture, public ::testing::WithParamInterface<EffectFault> {};

TEST_P(EffectFailure, ShowsItsMessageAndFramesStillCompose) {
    const EffectFault& c = GetParam();
    ASSERT_EQ(Start(c.text, c.packed), S_OK);
    ASSERT_EQ(services.boxes.Count(), 1u);
    EXPECT_TRUE(services.boxes.Saw(c.caption, c.message));
    EXPECT_EQ(g_pPostProcessEffect, nullptr);
    EXPECT_TRUE(app->m_bInitialised);
    Frame();
    auto composed = Compositions();
    ASSERT_EQ(composed.size(), 1u);
    EXPECT_EQ(composed[0]->state.texture, g_pSceneTarget);
}
INSTANTIATE_TEST_SUITE_P(MissingOrBroken, EffectFailure,
                         ::testing::Values(EffectFault{"", false, "Loading Effect Error !!",
                                                       "Resource\\HLSL\\BasicHLSL.fx\n NOT FOUND IN ZIP"},
                                           EffectFault{"technique PostProcessMotionBlur { pass P0 {", true,
                                                       "Loading Effect From Memory Error !!",
                                                       "Resource\\HLSL\\BasicHLSL.fx\n NOT FOUND"}));

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

// Only a scene cleared and redrawn every frame may be built on the back buffer.
TEST_F(RenderRoadTest, TheSceneIsTheFrameTargetOnlyWhenEveryFrameRedrawsIt) {
    ASSERT_EQ(Start(), S_OK);
    for (int mode : {0, 1, 2}) {
        app->m_iDrawMode = mode;
        device->Present();
        Frame();
        EXPECT_EQ(device->frameTarget, mode == 0 ? g_pSceneTarget : 0u) << "draw mode " << mode;
    }
    app->m_iDrawMode = 0;
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

// Window messages and where they end: the game's timer reaches OnTimer
// (not while a switch is pending), other timers are swallowed, activation
// stops here, and losing the application reaches OnDeactivate.
TEST_F(RenderRoadTest, MessageRouting) {
    ASSERT_EQ(Start(), S_OK);
    host::Window* w = framework->Window();
    const struct {
        uint32_t message;
        uintptr_t wParam;
        bool switching;
        const char* hook;  // the hook it reaches, if any
        bool active;       // the application's activity afterwards
    } rows[] = {
        {host::WM_TIMER, GAME_TIMER_ID, false, "timer", true},
        {host::WM_TIMER, 10, false, nullptr, true},
        {host::WM_TIMER, GAME_TIMER_ID, true, nullptr, true},
        {host::WM_ACTIVATE, host::WA_ACTIVE, false, nullptr, true},
        {host::WM_ACTIVATEAPP, 0, false, "deactivate", false},
        {host::WM_ACTIVATEAPP, 1, false, nullptr, true},
    };
    for (const auto& r : rows) {
        log.events.clear();
        app->m_bSwitchPending = r.switching;
        const auto result = framework->HandleMessage(w, r.message, r.wParam, 0);
        EXPECT_TRUE(result == 1 || r.message == host::WM_ACTIVATEAPP) << r.message << "/" << r.wParam;
        EXPECT_EQ(log.events,
                  r.hook ? std::vector<std::string>{std::string(r.hook) + "@0"} : std::vector<std::string>{})
            << r.message << "/" << r.wParam;
        EXPECT_EQ(g_bAppActive, r.active) << r.message << "/" << r.wParam;
    }
    app->m_bSwitchPending = false;
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

TEST_F(RenderRoadTest, CapsRejectPureDevicesAndFormatsWithoutTargetsOrAlpha) {
    CMyD3DApplication app;
    host::DeviceCapsInfo caps;
    caps.textureCaps = 0x4;
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_HARDWARE_VP, host::FMT_X8R8G8B8, host::FMT_X8R8G8B8), S_OK);
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_HARDWARE_VP | CREATE_PUREDEVICE, host::FMT_X8R8G8B8, host::FMT_X8R8G8B8),
              E_FAIL);
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_R5G6B5, host::FMT_R5G6B5), E_FAIL);
    caps.textureCaps = 0x80;  // alpha palette will do
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_A8R8G8B8, host::FMT_A8R8G8B8), S_OK);
    caps.textureCaps = 0;
    EXPECT_EQ(app.CheckDeviceCaps(caps, CREATE_SOFTWARE_VP, host::FMT_A8R8G8B8, host::FMT_A8R8G8B8), E_FAIL);
}

}  // namespace
