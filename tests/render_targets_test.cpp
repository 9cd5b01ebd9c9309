// Render targets, screen quads and render-to-texture slots on the recording device.
#include <gtest/gtest.h>

#include <cstring>
#include <set>

#include "engine/DrawFrame.h"
#include "engine/VxBillboard.h"
#include "engine/VxObject.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/host/Display.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"

namespace render_targets_test {

using host::CLEAR_TARGET, host::HeadlessHost, host::RecordingDevice, host::TextureHandle;

namespace {

// A device that refuses render targets of chosen sizes.
class PickyDevice : public RecordingDevice {
public:
    PickyDevice(int w, int h) : RecordingDevice(w, h, 4096) {}
    TextureHandle CreateRenderTarget(int width, int height) override {
        if (refused.count(width) && width == height) return 0;
        return RecordingDevice::CreateRenderTarget(width, height);
    }
    std::set<int> refused;
};

// Lets the targets go while their device still exists.
struct ReleaseOnExit {
    ~ReleaseOnExit() { ReleaseRenderTargets(); }
};

class TargetsTest : public ::testing::Test {
protected:
    void TearDown() override {
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
    }
    int SlotSize(RecordingDevice& device) {
        int w = 0, h = 0;
        EXPECT_TRUE(device.TextureSize(g_apRenderTexture[4], w, h));
        EXPECT_EQ(w, h);
        return w;
    }
    HeadlessHost services;
};

TEST_F(TargetsTest, SlotSizesFallBackAndAFinalFailureIsReturned) {
    PickyDevice device(1280, 1024);
    ReleaseOnExit release_device;
    device.refused = {2048};
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    EXPECT_EQ(SlotSize(device), 1024);
    ReleaseRenderTargets();
    device.refused = {2048, 1024};
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    EXPECT_EQ(SlotSize(device), 512);
    ReleaseRenderTargets();
    device.refused = {2048, 1024, 512};
    EXPECT_TRUE(FAILED(RestoreRenderTargets(device, false, 800, 600)));
    // Windowed slots are 1024 or nothing.
    ReleaseRenderTargets();
    PickyDevice windowed(800, 600);
    ReleaseOnExit release_windowed;
    windowed.refused = {1024};
    EXPECT_TRUE(FAILED(RestoreRenderTargets(windowed, true, 800, 600)));
}

TEST_F(TargetsTest, ScreenTargetFailureIsReturnedAndReleaseFreesEverything) {
    RecordingDevice small(800, 600, 512);
    ReleaseOnExit release_small;
    EXPECT_TRUE(FAILED(RestoreRenderTargets(small, true, 800, 600)));
    ReleaseRenderTargets();
    EXPECT_EQ(small.LiveTextures(), 0u);
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    EXPECT_EQ(device.LiveTextures(), 8u);
    ReleaseRenderTargets();
    EXPECT_EQ(device.LiveTextures(), 0u);
    for (TextureHandle t : g_apRenderSurface) EXPECT_EQ(t, 0u);
    EXPECT_FALSE(BeginRenderToTexture(0, true));
}

TEST_F(TargetsTest, RenderToTextureRedirectsDrawingAndPutsTheSceneBack) {
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    device.SetRenderTarget(g_pSceneTarget);
    ASSERT_TRUE(device.BeginScene());
    g_bScreenDimOn = true;
    g_bTargetDrawn = true;
    const size_t clears = device.clears.size();
    ASSERT_TRUE(BeginRenderToTexture(3, true));
    EXPECT_EQ(device.RenderTarget(), g_apRenderSurface[3]);
    EXPECT_FALSE(g_bScreenDimOn);
    EXPECT_TRUE(device.inScene);
    ASSERT_EQ(device.clears.size(), clears + 1);
    EXPECT_EQ(device.clears.back().target, g_apRenderSurface[3]);
    EXPECT_EQ(device.clears.back().flags, CLEAR_TARGET);
    EXPECT_EQ(EndRenderToTexture(), 0);
    EXPECT_EQ(device.RenderTarget(), g_pSceneTarget);
    EXPECT_TRUE(device.inScene);  // the frame's scene goes on
    EXPECT_TRUE(g_bScreenDimOn);
    EXPECT_FALSE(g_bTargetDrawn);
    // Without clearing, the slot keeps what it had.
    ASSERT_TRUE(BeginRenderToTexture(1, false));
    EXPECT_EQ(device.clears.size(), clears + 1);
    EndRenderToTexture();
    EXPECT_FALSE(BeginRenderToTexture(5, true));
    EXPECT_FALSE(BeginRenderToTexture(-1, true));
    EXPECT_EQ(device.RenderTarget(), g_pSceneTarget);
}

}  // namespace

}  // namespace render_targets_test
