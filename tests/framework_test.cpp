
#include "tests/Harness.h"

namespace framework_test {

using host::FMT_X8R8G8B8, host::MB_ICONERROR, host::MB_ICONWARNING, host::MakeLParam, host::RecordingMessageBoxes,
    host::SIZE_MINIMIZED, host::SIZE_RESTORED, host::WM_CLOSE, host::WM_QUIT, host::WM_SIZE;

namespace {

const char* kExitSuffix = "\n\nThis sample will now exit.";

}  // namespace

TEST_F(FrameworkFixture, FrameGateNeedsMoreThanOneSixtiethOfASecond) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);

    services.clock.Advance(16700000);  // exactly 0.0167 s
    ASSERT_EQ(app.RunFrame(), S_OK);
    EXPECT_EQ(app.Renders(), 0);

    services.clock.Advance(100000);  // a tenth of a millisecond more
    ASSERT_EQ(app.RunFrame(), S_OK);
    EXPECT_EQ(app.Renders(), 1);
    EXPECT_EQ(video.device->presents, 1);
}

TEST_F(FrameworkFixture, LongStallIsCutToTenFramesOfBacklog) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    services.clock.AdvanceSeconds(1.0);
    app.RunFrame();
    ASSERT_EQ(app.Renders(), 1);
    EXPECT_EQ(g_fFrameGateTime.load(), 0.167f);

    // Back-to-back passes (a microsecond apart) drain the backlog one frame each.
    int passes = 0;
    while (passes < 100) {
        const int before = app.Renders();
        services.clock.Advance(1000);
        app.RunFrame();
        ++passes;
        if (app.Renders() == before) break;
    }
    EXPECT_GE(app.Renders(), 10);
    EXPECT_LE(app.Renders(), 11);
    EXPECT_LE(double(g_fFrameGateTime.load()), 0.0167 + 1e-6);
}

TEST_F(FrameworkFixture, ShortStallIsPaidBackInFull) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    services.clock.AdvanceSeconds(0.2);  // below the 0.2004 s cut
    app.RunFrame();
    EXPECT_NEAR(g_fFrameGateTime.load(), 0.2 - 0.0167, 1e-6);
}

TEST_F(FrameworkFixture, CloseIsIgnoredUntilTheQuitRequest) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    g_bAllowClose = false;
    EXPECT_EQ(app.HandleMessage(app.Window(), WM_CLOSE, 0, 0), 0);
    EXPECT_NE(app.Window(), nullptr);
    EXPECT_NE(app.Device(), nullptr);
    EXPECT_FALSE(app.QuitPosted());
    EXPECT_EQ(app.shutdowns, 0);

    g_bQuitRequested = true;
    services.clock.AdvanceSeconds(0.02);
    app.RunFrame();
    EXPECT_EQ(app.Renders(), 1);
    EXPECT_TRUE(app.QuitPosted());
    EXPECT_EQ(app.Window(), nullptr);
    EXPECT_EQ(app.Device(), nullptr);
    EXPECT_EQ(app.shutdowns, 1);
    EXPECT_EQ(app.released, 1);
    EXPECT_EQ(app.destroyed, 1);
}

TEST_F(FrameworkFixture, QuitRequestClosesAMinimizedWindowToo) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    g_bAllowClose = false;
    app.HandleMessage(app.Window(), WM_SIZE, SIZE_MINIMIZED, 0);
    ASSERT_FALSE(app.m_bActive);
    // The signal comes while the loop waits for a message.
    video.window->onIdle = [&] { g_bQuitRequested = true; };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.Renders(), 0);
    EXPECT_EQ(app.shutdowns, 1);
    EXPECT_EQ(app.destroyed, 1);
    EXPECT_EQ(app.Window(), nullptr);
}

TEST_F(FrameworkFixture, PausedLoopRunsNoFrames) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    EXPECT_TRUE(app.m_bActive);
    app.HandleMessage(app.Window(), WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_FALSE(app.m_bActive);
    // The timer is stopped too: a minute minimized is no backlog afterwards.
    services.clock.AdvanceSeconds(60);
    app.HandleMessage(app.Window(), WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600));
    EXPECT_TRUE(app.m_bActive);
    services.clock.AdvanceSeconds(0.02);
    app.RunFrame();
    EXPECT_NEAR(g_fFrameGateTime.load(), 0.02 - 0.0167, 1e-6);
}

TEST_F(FrameworkFixture, ErrorMessagesByCodeAndSeverityAndOnlyTheFirstFatalOne) {
    struct Case {
        HRESULT code;
        ErrorSeverity severity;
        const char* text;
        uint32_t icon;
        bool quits;
    } cases[] = {
        {HRESULT(0x80001234u), SEVERITY_CONTINUE,
         "Generic application error. Enable\ndebug output for detailed information.", MB_ICONWARNING, false},
        {E_OUTOFMEMORY, SEVERITY_SWITCHED_TO_REF,
         "Not enough memory.\n\nSwitching to the reference rasterizer,\na software device that implements the "
         "entire\nDirect3D feature set, but runs very slowly.",
         MB_ICONWARNING, false},
        {D3DERR_OUTOFVIDEOMEMORY, SEVERITY_CONTINUE, "Not enough video memory.", MB_ICONWARNING, false},
        // The driver's failure is fatal whatever it is called with.
        {D3DERR_DRIVERINTERNALERROR, SEVERITY_CONTINUE, "A serious problem occured inside the display driver.",
         MB_ICONERROR, true},
    };
    for (const Case& c : cases) {
        RecordingMessageBoxes boxes;
        host::SetMessageBoxes(&boxes);
        CountingApp app;
        ASSERT_EQ(app.Create(), S_OK);
        g_bAllowClose = false;
        EXPECT_EQ(app.ShowErrorMessage(c.code, c.severity), c.code);
        // Later messages after a fatal one are silent.
        app.ShowErrorMessage(FWERR_RESET_FAILED, SEVERITY_EXIT);
        ASSERT_GE(boxes.Count(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].text, std::string(c.text) + (c.quits ? kExitSuffix : ""));
        EXPECT_EQ(boxes.Boxes()[0].caption, "Cogsquall");
        EXPECT_EQ(boxes.Boxes()[0].type, c.icon);
        EXPECT_EQ(boxes.Count(), c.quits ? 1u : 2u);
        // A fatal message closes the window even while closing is otherwise refused.
        EXPECT_TRUE(app.QuitPosted());
        host::SetMessageBoxes(&services.boxes);
        g_bAllowClose = true;
    }
}

// Creation that cannot go on: one message, no device left, no resources made
// (or, when their creation failed, destroyed again).
enum CreationCause { kNoDisplay, kNoDevice, kNoMedia, kNoSoundCard };
class CreationFailure : public FrameworkFixture, public ::testing::WithParamInterface<CreationCause> {};

TEST_P(CreationFailure, ShowsOneMessageAndKeepsNoDevice) {
    const CreationCause cause = GetParam();
    const std::map<CreationCause, std::pair<std::string, std::string>> messages = {
        {kNoDisplay, {"Cogsquall", "Could not initialize Direct3D."}},
        {kNoDevice, {"Cogsquall", std::string("Could not find any compatible Direct3D\ndevices.") + kExitSuffix}},
        {kNoMedia, {"Cogsquall", std::string("Could not load required media.") + kExitSuffix}},
        {kNoSoundCard, {"No Sound Card Detected!", "Your sound card is either busy or not present."}},
    };
    video.initOk = cause != kNoDisplay;
    video.deviceOk = cause != kNoDevice;
    services.audio.SetUnavailable(cause == kNoSoundCard);
    CountingApp app;
    app.createResult = cause == kNoMedia ? FWERR_MEDIA_NOT_FOUND : S_OK;
    const HRESULT hr = app.Create();
    if (cause == kNoDisplay || cause == kNoMedia) {
        EXPECT_EQ(hr, cause == kNoDisplay ? FWERR_NO_DIRECT3D : FWERR_MEDIA_NOT_FOUND);
    }
    EXPECT_EQ(FAILED(hr), cause != kNoSoundCard);
    ASSERT_EQ(services.boxes.Count(), 1u);
    const auto box = services.boxes.Boxes()[0];  // a copy: the list is handed out by value
    EXPECT_EQ(box.caption, messages.at(cause).first);
    EXPECT_EQ(box.text.compare(0, messages.at(cause).second.size(), messages.at(cause).second), 0) << box.text;
    EXPECT_EQ(app.Device(), nullptr);
    EXPECT_EQ(app.created, cause == kNoMedia ? 1 : 0);
    EXPECT_EQ(app.destroyed, cause == kNoMedia ? 1 : 0);
    EXPECT_EQ(app.restored, 0);
}
INSTANTIATE_TEST_SUITE_P(Causes, CreationFailure, ::testing::Values(kNoDisplay, kNoDevice, kNoMedia, kNoSoundCard));

TEST_F(FrameworkFixture, FullScreenUsesSmallModeOnSmallTextureMemory) {
    video.adapters[0].desktop = {1366, 768, 60, FMT_X8R8G8B8};
    video.adapters[0].modes.push_back({1366, 768, 60, FMT_X8R8G8B8});
    services.system.videoBytes = 1000000000;
    services.system.totalKB = 8000000;

    for (int64_t mem : {int64_t(511999999), int64_t(512000000), int64_t(-1)}) {
        CountingApp app;
        ASSERT_EQ(app.Create(), S_OK);
        video.device->availableTextureMemory = mem;
        ASSERT_EQ(app.ToggleFullscreen(), S_OK);
        EXPECT_FALSE(app.m_bWindowed);
        EXPECT_TRUE(video.window->IsFullscreen());
        const int expectW = mem == 511999999 ? 800 : 1366;
        EXPECT_EQ(video.device->lastReset.backBufferWidth, expectW) << mem;
        EXPECT_EQ(app.m_backBufferDesc.Width, uint32_t(expectW));
        ASSERT_EQ(app.ToggleFullscreen(), S_OK);
        EXPECT_TRUE(app.m_bWindowed);
        EXPECT_FALSE(video.window->IsFullscreen());
        EXPECT_EQ(app.PauseCount(), 0);
    }
}

TEST(FullscreenResolution, MachineSizeAndListedModesDecide) {
    const std::vector<DisplayMode> none;
    const std::vector<DisplayMode> wideFirst{{1280, 1024, 60, 22}, {1280, 720, 60, 22}, {1366, 768, 60, 22}};
    const std::vector<DisplayMode> noWide{{1280, 1024, 60, 22}, {1366, 768, 60, 22}};
    struct Case {
        uint32_t width, height, video, visibleKB;
        const std::vector<DisplayMode>* listed;
        uint32_t expectW, expectH;
    } cases[] = {
        {799, 600, 300000000, 2000000, &none, 800, 600},         {1920, 1080, 255999999, 2000000, &none, 800, 600},
        {1920, 1080, 256000000, 999999, &none, 800, 600},        {1366, 768, 256000000, 1000000, &wideFirst, 1366, 768},
        {1920, 1080, 256000000, 1000000, &wideFirst, 1280, 720}, {1920, 1200, 256000000, 1000000, &noWide, 1024, 768},
        {1920, 1080, 256000000, 1000000, &none, 1024, 768},
    };
    for (const Case& c : cases) {
        DisplayMode m{c.width, c.height, 75, FMT_X8R8G8B8};
        ApplyFullscreenResolutionRule(m, c.video, c.visibleKB, *c.listed);
        EXPECT_EQ(m.width, c.expectW) << c.width << "x" << c.height << " " << c.video << " " << c.visibleKB;
        EXPECT_EQ(m.height, c.expectH) << c.width << "x" << c.height;
        EXPECT_EQ(m.refreshRate, 75u);  // the rule changes the size only
    }
}

TEST_F(FrameworkFixture, StartSettingsPickTheDesktopForFullScreen) {
    video.adapters[0].desktop = {1024, 768, 60, FMT_X8R8G8B8};
    video.adapters[0].modes = {
        {1024, 768, 75, FMT_X8R8G8B8}, {1024, 768, 60, FMT_X8R8G8B8}, {800, 600, 60, FMT_X8R8G8B8}};
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    EXPECT_TRUE(app.m_settings.IsWindowed);
    ASSERT_NE(app.m_settings.pFullscreen_DeviceCombo, nullptr);
    EXPECT_EQ(app.m_settings.Fullscreen_DisplayMode, (DisplayMode{1024, 768, 60, FMT_X8R8G8B8}));
    EXPECT_EQ(app.m_settings.Fullscreen_PresentInterval, PRESENT_INTERVAL_DEFAULT);
    // Windowed: the matching back buffer, immediate presentation.
    EXPECT_EQ(app.m_settings.pWindowed_DeviceCombo->BackBufferFormat, uint32_t(FMT_X8R8G8B8));
    EXPECT_EQ(app.m_settings.Windowed_PresentInterval, PRESENT_INTERVAL_IMMEDIATE);
    EXPECT_EQ(app.m_settings.Windowed_Width, 800);
}

// Between frames the running loop waits in steps of a millisecond instead of
// turning again at once: about seventeen turns a frame, each one a wait.
TEST_F(FrameworkFixture, RunningLoopWaitsBetweenFrames) {
    CountingApp app;
    ASSERT_EQ(app.Create(), S_OK);
    g_bAllowClose = false;
    int turns = 0;
    video.window->onIdle = [&] {
        if (app.Renders() >= 10) g_bQuitRequested = true;
        // A loop that never waits would turn here for ever: stop it all the same.
        if (++turns == 2000) app.Window()->PostMessage({WM_QUIT, 0, 0});
    };
    const int64_t start = services.clock.Ticks();
    EXPECT_EQ(app.Run(), 0);
    EXPECT_GE(app.Renders(), 10);
    EXPECT_LT(turns, 2000);
    const double waited = double(services.clock.Ticks() - start) / 1e9;
    EXPECT_NEAR(waited, 10 * 0.0167, 0.02);
}

}  // namespace framework_test
