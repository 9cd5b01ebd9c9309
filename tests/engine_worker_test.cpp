// Frame tick, page loading and release, and the two worker threads. The
// threaded cases are the ones the ThreadSanitizer run covers.

#include <chrono>
#include <thread>
#include <type_traits>

#include "tests/Harness.h"

using harness::FakePage;
using harness::Harness;

namespace {

// Loading stops at sub-screen 10 until the test opens the gate; notes the
// thread it loaded on.
class GatedPage : public FakePage {
public:
    GatedPage(std::string name, std::vector<std::string>* log) : FakePage(std::move(name), log) {}
    void LoadScreen(int k) override {
        FakePage::LoadScreen(k);
        loadThread = std::this_thread::get_id();
        if (k != 10) return;
        reached = true;
        while (!open) std::this_thread::yield();
    }
    std::atomic<bool> reached{false};
    std::atomic<bool> open{false};
    std::thread::id loadThread;
};

// Steps frames until the switch is over; false if it never ends.
bool StepUntilSwitched(Harness& h) {
    for (int i = 0; i < 2000000 && h.app.m_bSwitchPending; ++i) {
        h.Step();
        std::this_thread::yield();
    }
    return !h.app.m_bSwitchPending;
}

void WaitUntilIdle() {
    for (int i = 0; i < 2000000 && (g_bPageSwitchBusy || g_bLoaderRunning); ++i) std::this_thread::yield();
}

}  // namespace

TEST(Tick, CountsFramesOrStartsAPendingSwitchOnce) {
    Harness h;
    h.AddPage("a");
    FakePage& b = h.AddPage("b");
    h.Start();
    h.app.m_bShowStill = true;
    h.app.Tick();
    h.app.UpdateWorldMatrix();  // the same operation in the object's slot
    EXPECT_EQ(h.app.m_nFrame, 2);
    EXPECT_TRUE(h.app.m_bShowStill);  // no switch: the still stays
    h.app.SwitchPage(1, 3);
    g_bPageSwitchBusy = true;  // as if a worker had it
    h.app.Tick();
    EXPECT_EQ(h.app.m_nFrame, 2);
    EXPECT_EQ(b.Count("Load"), 0);
    h.app.SwitchPage(0, 5);  // the recorded switch is the worker's now
    EXPECT_EQ(h.app.m_iNewPage, 1);
    g_bPageSwitchBusy = false;
    h.app.m_bCaptureStill = true;
    h.app.Tick();  // inline: the switch is done when Tick returns
    EXPECT_FALSE(h.app.m_bCaptureStill);
    EXPECT_FALSE(h.app.m_bShowStill);
    EXPECT_FALSE(h.app.m_bSwitchPending);
    EXPECT_EQ(h.app.m_iCurrentPage, 1);
    EXPECT_EQ(b.m_iSubScreen, 3);
    EXPECT_EQ(h.app.m_nFrame, 0);
}

TEST(AppResources, LoadAndReleaseTheCurrentPage) {
    Harness h;
    FakePage& a = h.AddPage("a");
    FakePage& b = h.AddPage("b");
    a.m_iSubScreen = 6;
    EXPECT_EQ(h.app.LoadResources(), 0);
    EXPECT_TRUE(h.app.m_bInitialised);
    ASSERT_NE(a.m_pResourceManager, nullptr);
    EXPECT_EQ(a.Count("Load"), 1);
    EXPECT_EQ(a.Count("LoadScreen:19"), 1);
    EXPECT_TRUE(a.m_bLoaded);
    EXPECT_EQ(a.m_iSubScreen, 6);  // no sub-screen is entered
    EXPECT_EQ(a.m_nSubScreenDelay, 0);

    EXPECT_EQ(h.app.ReleaseResources(), 0);
    EXPECT_FALSE(h.app.m_bInitialised);
    EXPECT_EQ(a.Count("Unload"), 1);
    EXPECT_EQ(a.Count("ReleaseScreen:19"), 1);
    EXPECT_EQ(a.m_pResourceManager, nullptr);
    EXPECT_EQ(b.Count("Unload"), 0);
}

TEST(AppResources, DestroyingAnInitialisedApplicationReleasesItsPage) {
    host::HeadlessHost hostScope;
    std::vector<std::string> log;
    auto app = std::make_unique<harness::TestApplication>();
    FakePage page("a", &log);
    app->LoadResources();
    app.reset();
    EXPECT_EQ(page.Count("ReleaseScreen:19"), 1);
    EXPECT_EQ(g_pApp, nullptr);
}

TEST(SwitchThread, SwitchRunsOnTheWorkerWhileTheLoadingScreenIsDrawn) {
    Harness h;
    h.app.m_bRunWorkersInline = false;
    FakePage& a = h.AddPage("a");
    auto* b = new GatedPage("b", &h.pageLog);
    h.pages.emplace_back(b);
    h.Start();
    h.Steps(3);
    h.app.SwitchPage(1, 7);
    h.pageLog.clear();

    h.Step();  // starts the worker
    while (!b->reached) std::this_thread::yield();
    EXPECT_EQ(h.app.m_iCurrentPage, -1);
    int screensBefore = h.app.loadingScreens;
    h.Steps(5);
    EXPECT_EQ(h.app.loadingScreens, screensBefore + 5);
    EXPECT_EQ(h.app.m_nFrame, 0) << "frames do not count during a switch";
    h.app.SwitchPage(0, 0);  // ignored while the switch is carried out
    EXPECT_EQ(h.app.m_iNewPage, 1);

    b->open = true;
    ASSERT_TRUE(StepUntilSwitched(h));
    WaitUntilIdle();
    EXPECT_FALSE(g_bPageSwitchBusy);
    EXPECT_EQ(h.app.m_iCurrentPage, 1);
    EXPECT_TRUE(h.app.m_bPageReady);
    EXPECT_NE(b->loadThread, std::this_thread::get_id());
    // Old page released, new page loaded with every sub-screen and entered at 7.
    EXPECT_EQ(a.m_pResourceManager, nullptr);
    EXPECT_EQ(b->Count("LoadScreen:19"), 1);
    EXPECT_EQ(b->m_iSubScreen, 7);
    // The step that saw the switch end may already have drawn the new page.
    const int drawn = b->Count("Render:7");
    EXPECT_LE(drawn, 1);

    h.Step();
    EXPECT_EQ(b->Count("Render:7"), drawn + 1);
    EXPECT_GE(h.app.m_nFrame, 1);
}

TEST(SwitchThread, HeldSwitchWaitsUntilLetGoAndJoiningLetsItGo) {
    Harness h;
    h.app.m_bRunWorkersInline = false;
    h.AddPage("a");
    FakePage& b = h.AddPage("b");
    h.Start();
    h.app.m_bHoldSwitch = true;
    h.app.SwitchPage(1, 2);
    h.Step();
    while (!h.app.m_bPageReady) std::this_thread::yield();
    h.Steps(3);
    EXPECT_TRUE(h.app.m_bSwitchPending);
    EXPECT_EQ(h.app.m_iCurrentPage, -1);
    h.app.JoinWorkerThreads();
    EXPECT_FALSE(g_bPageSwitchBusy);
    EXPECT_FALSE(h.app.m_bSwitchPending);
    EXPECT_EQ(h.app.m_iCurrentPage, 1);
    EXPECT_EQ(b.m_iSubScreen, 2);
}

TEST(SwitchThread, BackToBackSwitchesEachGetAWorker) {
    Harness h;
    h.app.m_bRunWorkersInline = false;
    FakePage& a = h.AddPage("a");
    FakePage& b = h.AddPage("b");
    h.Start();
    for (int round = 0; round < 4; ++round) {
        h.app.SwitchPage(1 - h.app.m_iCurrentPage, round);
        h.Step();
        ASSERT_TRUE(StepUntilSwitched(h)) << round;
    }
    h.app.JoinWorkerThreads();
    EXPECT_EQ(h.app.m_iCurrentPage, 0);
    EXPECT_EQ(a.Count("Load"), 3);
    EXPECT_EQ(b.Count("Load"), 2);
    EXPECT_EQ(a.m_iSubScreen, 3);
}

namespace {

class LoaderApplication : public harness::TestApplication {
public:
    ~LoaderApplication() override { JoinWorkerThreads(); }
    void LoadStage() override {
        ++loads;
        thread = std::this_thread::get_id();
        while (!open) std::this_thread::yield();
    }
    std::atomic<int> loads{0};
    std::atomic<bool> open{true};
    std::thread::id thread;
};

}  // namespace

TEST(StageLoader, RunsLoadStageOnItsOwnThreadOneAtATime) {
    host::HeadlessHost hostScope;
    LoaderApplication app;
    app.open = false;
    app.StartStageLoaderThread();
    EXPECT_TRUE(g_bLoaderRunning);
    while (app.loads == 0) std::this_thread::yield();
    app.StartStageLoaderThread();  // one loader at a time
    app.open = true;
    WaitUntilIdle();
    EXPECT_FALSE(g_bLoaderRunning);
    app.JoinWorkerThreads();
    EXPECT_EQ(app.loads, 1);
    EXPECT_NE(app.thread, std::this_thread::get_id());
    app.StartStageLoaderThread();  // a finished loader makes room for the next
    app.JoinWorkerThreads();
    EXPECT_EQ(app.loads, 2);
    EXPECT_FALSE(g_bLoaderRunning);
}

TEST(StageLoader, ApplicationWaitsForARunningLoaderBeforeGoing) {
    host::HeadlessHost hostScope;
    std::atomic<bool> finished{false};
    {
        struct SlowLoader : LoaderApplication {
            explicit SlowLoader(std::atomic<bool>* f) : done(f) {}
            ~SlowLoader() override { JoinWorkerThreads(); }
            void LoadStage() override {
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
                *done = true;
            }
            std::atomic<bool>* done;
        } app(&finished);
        app.StartStageLoaderThread();
    }
    EXPECT_TRUE(finished);
    EXPECT_FALSE(g_bLoaderRunning);
}
