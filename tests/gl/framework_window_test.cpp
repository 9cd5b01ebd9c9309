// The framework on the real SDL window: it opens 800 × 600, switches to full
// screen (or keeps the window where the display cannot) and back, runs its
// loop and closes on the quit request.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/D3DApplication.h"
#include "platform/FrameworkTimer.h"

namespace {

class QuittingApp : public CD3DApplication {
public:
    HRESULT Render() override {
        if (++renders == 5) g_bQuitRequested = true;
        Device()->Clear(host::CLEAR_TARGET, 0xFF102030u, 1.0f);
        return S_OK;
    }
    HRESULT Shutdown() override {
        ++shutdowns;
        return S_OK;
    }
    int renders = 0, shutdowns = 0;
};

}  // namespace

TEST(FrameworkWindow, OpensTogglesRunsAndCloses) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    g_bQuitRequested = false;
    g_bAllowClose = false;
    QuittingApp app;
    app.m_pszWindowTitle = u"Framework window test";
    app.m_dwCreationWidth = 800;
    app.m_dwCreationHeight = 600;
    ASSERT_EQ(app.Create(), S_OK);
    ASSERT_NE(app.Device(), nullptr);
    int w = 0, h = 0;
    app.Window()->ClientSize(w, h);
    EXPECT_EQ(w, 800);
    EXPECT_EQ(h, 600);
    EXPECT_EQ(app.Device()->BackBufferWidth(), 800);

    // Full screen, where the display gives it; with no window manager (the
    // test display) the window stays, and so does the back buffer's size:
    // the picture is drawn to what is on screen either way.
    ASSERT_EQ(app.ToggleFullscreen(), S_OK);
    EXPECT_EQ(app.Window()->IsFullscreen(), !app.m_bWindowed);
    app.Window()->ClientSize(w, h);
    EXPECT_EQ(app.Device()->BackBufferWidth(), w);
    EXPECT_EQ(app.Device()->BackBufferHeight(), h);
    if (!app.m_bWindowed) {
        ASSERT_EQ(app.ToggleFullscreen(), S_OK);
    }
    EXPECT_TRUE(app.m_bWindowed);
    EXPECT_FALSE(app.Window()->IsFullscreen());
    EXPECT_EQ(app.Device()->BackBufferWidth(), 800);
    EXPECT_EQ(app.Device()->BackBufferHeight(), 600);

    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.renders, 5);  // the request made while drawing closes the window after that frame
    EXPECT_EQ(app.shutdowns, 1);
    EXPECT_EQ(app.Window(), nullptr);
    g_bQuitRequested = false;
    g_bAllowClose = true;
}
