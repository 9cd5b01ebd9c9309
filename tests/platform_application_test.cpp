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
