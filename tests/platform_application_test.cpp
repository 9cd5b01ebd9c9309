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

VxVec3 Through(const host::Matrix& view, const host::Matrix& projection, VxVec3 p) {
    VxMatrix v, pr;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            v.m[r][c] = view[static_cast<size_t>(r * 4 + c)];
            pr.m[r][c] = projection[static_cast<size_t>(r * 4 + c)];
        }
    return TransformPoint(p, MatrixMultiply(v, pr));
}

}  // namespace

TEST_F(PlatformFixture, AmbientColourPacksChannelValuesAndKeepsTheFloats) {
    app.SetAmbientColor(255.0f, 128.0f, 0.0f, 1.0f);
    EXPECT_EQ(device.GetRenderState(RS_AMBIENT_COLOR), 0x00FF8000u);
    EXPECT_EQ(app.m_colAmbientLight.r, 255.0f);
    EXPECT_EQ(app.m_colAmbientLight.a, 1.0f);
    app.SetAmbientColor(1.9f, 0.0f, 2.5f, 0.0f);  // integer part of the whole sum
    EXPECT_EQ(device.GetRenderState(RS_AMBIENT_COLOR), 124520u);
}

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

TEST_F(PlatformFixture, OrthographicCameraMapsTheLogicalScreenOntoTheViewport) {
    app.SetCamera2D(880, 640);
    const host::Matrix& view = device.GetTransform(host::TS_VIEW);
    const host::Matrix& projection = device.GetTransform(host::TS_PROJECTION);
    VxVec3 corner = Through(view, projection, {440.0f, 320.0f, 0.0f});
    EXPECT_NEAR(corner.x, 1.0f, 1e-6);
    EXPECT_NEAR(corner.y, 1.0f, 1e-6);
    VxVec3 other = Through(view, projection, {-440.0f, -320.0f, 0.0f});
    EXPECT_NEAR(other.x, -1.0f, 1e-6);
    EXPECT_NEAR(other.y, -1.0f, 1e-6);
    // The eye stands 241 in front: depth runs from the near plane (1) to 10000.
    EXPECT_NEAR(corner.z, (241.0f - 1.0f) / (10000.0f - 1.0f), 1e-6);
}

TEST_F(PlatformFixture, PerspectiveCameraUsesFieldOfViewInDegrees) {
    app.m_camera.m_iProjection = PROJECTION_PERSPECTIVE;
    app.m_camera.m_vEye = {0.0f, 0.0f, 0.0f};
    app.m_camera.m_vAt = {0.0f, 0.0f, 1.0f};
    app.m_camera.m_vUp = {0.0f, 1.0f, 0.0f};
    app.m_camera.m_fFieldOfView = 90.0f;
    app.m_camera.m_fAspect = 2.0f;
    app.m_camera.m_fNear = 1.0f;
    app.m_camera.m_fFar = 100.0f;
    app.ApplyCamera();
    const host::Matrix& view = device.GetTransform(host::TS_VIEW);
    const host::Matrix& projection = device.GetTransform(host::TS_PROJECTION);
    VxVec3 edge = Through(view, projection, {4.0f, 2.0f, 2.0f});
    EXPECT_NEAR(edge.x, 1.0f, 1e-5);
    EXPECT_NEAR(edge.y, 1.0f, 1e-5);
    EXPECT_NEAR(Through(view, projection, {0.0f, 0.0f, 1.0f}).z, 0.0f, 1e-6);
    EXPECT_NEAR(Through(view, projection, {0.0f, 0.0f, 100.0f}).z, 1.0f, 1e-5);

    // An unknown projection kind gives the identity, not leftovers.
    app.m_camera.m_iProjection = 7;
    app.ApplyCamera();
    EXPECT_EQ(device.GetTransform(host::TS_PROJECTION), host::IdentityMatrix());
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
