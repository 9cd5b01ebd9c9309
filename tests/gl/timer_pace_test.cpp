// The game timer in the real loop: the polling loop turns far more often than
// once a millisecond, yet the 1 ms timer must arrive no faster than every 10 ms.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <thread>

#include "platform/D3DApplication.h"
#include "engine/framework/MyD3DApplication.h"

namespace {

class PacedApp : public CD3DApplication {
public:
    HRESULT CreateDeviceResources() override {
        Window()->SetTimer(GAME_TIMER_ID, 1);  // as the sound start-up asks for it
        return S_OK;
    }
    HRESULT Render() override {
        if (frames++ == 0) start = std::chrono::steady_clock::now();
        elapsed = std::chrono::steady_clock::now() - start;
        if (elapsed >= std::chrono::seconds(1)) g_bQuitRequested = true;
        Device()->Clear(host::CLEAR_TARGET, 0xFF000000u, 1.0f);
        return S_OK;
    }
    intptr_t HandleMessage(host::Window* w, uint32_t msg, uintptr_t wParam, intptr_t lParam) override {
        if (msg == host::WM_TIMER && wParam == GAME_TIMER_ID && frames > 0) ++timerCalls;
        return CD3DApplication::HandleMessage(w, msg, wParam, lParam);
    }
    int frames = 0, timerCalls = 0;
    std::chrono::steady_clock::time_point start;
    std::chrono::steady_clock::duration elapsed{};
};

}  // namespace

TEST(TimerPace, OneSecondOfTheRealLoopGetsAtMostOneHundredTimerCalls) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    g_bQuitRequested = false;
    g_bAllowClose = false;
    PacedApp app;
    app.m_pszWindowTitle = u"Timer pace test";
    app.m_dwCreationWidth = 800;
    app.m_dwCreationHeight = 600;
    ASSERT_EQ(app.Create(), S_OK);
    // A loop that never draws (a window left paused by a test before) would
    // wait for ever: after a while the quit request ends it, and the test fails.
    std::mutex mutex;
    std::condition_variable ran;
    bool finished = false, timedOut = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!ran.wait_for(lock, std::chrono::seconds(30), [&] { return finished; })) {
            timedOut = true;
            g_bQuitRequested = true;
        }
    });
    EXPECT_EQ(app.Run(), 0);
    {
        std::lock_guard<std::mutex> lock(mutex);
        finished = true;
    }
    ran.notify_one();
    watchdog.join();
    EXPECT_FALSE(timedOut) << "the loop did not end by itself; " << app.frames << " frames drawn";
    const double seconds = std::chrono::duration<double>(app.elapsed).count();
    ASSERT_GE(seconds, 1.0);
    // One call per 10 ms at most (one more for the interval the count started in),
    // and the timer keeps coming while frames are drawn.
    EXPECT_LE(app.timerCalls, int(seconds * 100.0) + 1) << app.frames << " frames";
    EXPECT_GE(app.timerCalls, 20) << app.frames << " frames";
    g_bQuitRequested = false;
    g_bAllowClose = true;
}
