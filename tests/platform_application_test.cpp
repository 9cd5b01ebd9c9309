#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

#include "platform/Random.h"
#include "engine/VxApplicationPlatform.h"
#include "platform/FrameworkFont.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"
#include "tools/assetpack/ZipWriter.h"

namespace {

class PlatformApp : public CVxApplicationPlatform {
public:
    void PublishFrameCount() override {}
    void BeforePageRelease() override {}
    void PublishFrameCountMode2() override {}
    void BlockSubScreenChanges() override {}
};

struct PlatformFixture : ::testing::Test {
    host::HeadlessHost headless;
    host::RecordingDevice device;
    PlatformApp app;
    PlatformFixture() { app.m_pDevice = &device; }
};

}  // namespace

TEST_F(PlatformFixture, CullModeMapsKnownModesAndLeavesTheDeviceForOthers) {
    app.SetCullMode(0);
    EXPECT_EQ(device.GetRenderState(host::RS_CULLMODE), uint32_t(host::CULL_NONE));
    app.SetCullMode(2);
    EXPECT_EQ(device.GetRenderState(host::RS_CULLMODE), uint32_t(host::CULL_CCW));
    app.SetCullMode(1);
    EXPECT_EQ(device.GetRenderState(host::RS_CULLMODE), uint32_t(host::CULL_CW));
    app.SetCullMode(5);
    EXPECT_EQ(app.m_iCullMode, 5);
    EXPECT_EQ(device.GetRenderState(host::RS_CULLMODE), uint32_t(host::CULL_CW));
}

TEST_F(PlatformFixture, LightsAndLightingSwitch) {
    app.SetLight(3, true);
    EXPECT_EQ(app.m_aLights[3].enabled, 1);
    app.SetLight(3, false);
    EXPECT_EQ(app.m_aLights[3].enabled, 0);
    app.SetLight(8, true);  // no ninth light
    app.SetLight(-1, true);
    for (const LightRecord& l : app.m_aLights)
        EXPECT_EQ(l.enabled, 0);
    app.EnableLighting(true);
    EXPECT_EQ(device.GetRenderState(host::RS_LIGHTING), 1u);
    app.EnableLighting(false);
    EXPECT_EQ(device.GetRenderState(host::RS_LIGHTING), 0u);
}

TEST_F(PlatformFixture, DrawTextAtPutsEachLineThirtyPixelsLower) {
    CFrameworkFont font;
    ASSERT_EQ(font.CreateDeviceResources(&device), S_OK);
    app.m_pFrameworkFont = &font;
    app.DrawTextAt("a\nb", 10, 20, 1.0f, 0.5f, -2.0f, 2.0f);
    ASSERT_EQ(device.draws.size(), 2u);
    const host::VertexRHW& first = device.draws[0].rhwVertices[1];
    const host::VertexRHW& second = device.draws[1].rhwVertices[1];
    EXPECT_FLOAT_EQ(second.y - first.y, 30.0f);
    EXPECT_FLOAT_EQ(second.x, first.x);  // both lines start at x
    EXPECT_EQ(first.color, 0xFFFF8000u);  // a, r, g, b: 0.5 rounds to 128
    device.draws.clear();
    app.DrawTextAt("", 10, 20, 1, 1, 1, 1);
    app.DrawTextAt(nullptr, 10, 20, 1, 1, 1, 1);
    EXPECT_TRUE(device.draws.empty());
}

TEST(PlatformColour, ChannelBytesClampAndRound) {
    EXPECT_EQ(ColorChannelByte(1.0f), 255);
    EXPECT_EQ(ColorChannelByte(7.0f), 255);
    EXPECT_EQ(ColorChannelByte(0.0f), 0);
    EXPECT_EQ(ColorChannelByte(-0.5f), 0);
    EXPECT_EQ(ColorChannelByte(0.5f), 128);
    EXPECT_EQ(ColorChannelByte(0.001f), 0);
    EXPECT_EQ(ColorChannelByte(0.003f), 1);
}

TEST(PlatformApplication, SeedsRandomNumbersFromTheClockAndCarriesTheArchive) {
    host::HeadlessHost headless;
    headless.clock.AdvanceSeconds(12.345);
    uint32_t now = host::GetClock().Milliseconds();
    PlatformApp app;
    EXPECT_EQ(VxRandState(), now);

    std::string path = (std::filesystem::temp_directory_path() / ("csq_platform_" + std::to_string(getpid()))).string();
    ZipWriter zip;
    zip.AddDirectory("Resource/");
    ZipWriteOptions sealed;
    sealed.password = g_szZipPassword;
    zip.AddFile("Resource/Hello.txt", std::string("hello"), sealed);
    ASSERT_TRUE(zip.WriteTo(path));
    app.OpenResourceArchive(path);
    EXPECT_EQ(app.m_lstArchiveEntries.size(), 2u);
    EXPECT_EQ(app.m_lstArchiveDirectories.size(), 1u);
    EXPECT_TRUE(ResourceFileExists("Hello.txt", "Resource\\"));
    app.CloseResourceArchive();
    std::filesystem::remove(path);
}
