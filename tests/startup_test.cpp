#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "FrameworkFixture.h"

using namespace host;

namespace {

// Runs each test in a fresh empty working folder.
class StartupTest : public FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        char tmpl[] = "/tmp/csq_startup_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        m_dir = tmpl;
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_oldDir = cwd;
        ASSERT_EQ(chdir(m_dir.c_str()), 0);
    }
    void TearDown() override {
        std::remove("DATA");
        std::remove("BIN");
        EXPECT_EQ(chdir(m_oldDir.c_str()), 0);
        rmdir(m_dir.c_str());
        FrameworkFixture::TearDown();
    }
    static void Touch(const char* name) {
        FILE* f = std::fopen(name, "wb");
        ASSERT_NE(f, nullptr);
        std::fclose(f);
    }
    void Machine(int64_t videoBytes, bool has800x600) {
        services.system.videoBytes = videoBytes;
        auto& modes = video.adapters[0].modes;
        modes = {{640, 480, 60, FMT_X8R8G8B8}, {1024, 768, 60, FMT_X8R8G8B8}};
        if (has800x600) modes.push_back({800, 600, 60, FMT_R5G6B5});
    }
    std::string OnlyMessage() {
        auto boxes = services.boxes.Boxes();
        if (boxes.size() != 1) return "(" + std::to_string(boxes.size()) + " messages)";
        EXPECT_EQ(boxes[0].caption, "Fatal error!");
        EXPECT_EQ(boxes[0].type, MB_OK);
        return boxes[0].text;
    }

    std::string m_dir, m_oldDir;
};

}  // namespace

TEST_F(StartupTest, MissingDataIsTheOnlyMessage) {
    services.system.videoBytes = 1;
    EXPECT_FALSE(CheckSystemRequirements());
    EXPECT_EQ(OnlyMessage(), "Resource file not found : DATA");
    EXPECT_EQ(g_nVideoMemory, 0u);  // the video memory was never asked for
}

TEST_F(StartupTest, MissingBinComesAfterData) {
    Touch("DATA");
    EXPECT_FALSE(CheckSystemRequirements());
    EXPECT_EQ(OnlyMessage(), "Resource file not found : BIN");
}

TEST_F(StartupTest, VideoMemoryEdges) {
    Touch("DATA");
    Touch("BIN");
    struct Case {
        int64_t bytes;
        bool mode;
        const char* message;  // null: passes
    } cases[] = {
        {256000000, false, nullptr},
        {255999999, false, "VGA card not supported"},
        {255999999, true, nullptr},
        {64000000, true, nullptr},
        {63999999, true, "Not enough VDO memory"},
        {63999999, false, "VGA card not supported"},
        {int64_t(8) << 30, false, nullptr},  // 8 GiB must not wrap to a small number
        {-1, false, nullptr},                // unknown is never a shortfall
    };
    for (const Case& c : cases) {
        services.boxes.Clear();
        ResetMemoryProbes();
        Machine(c.bytes, c.mode);
        bool ok = CheckSystemRequirements();
        EXPECT_EQ(ok, c.message == nullptr) << c.bytes << " " << c.mode;
        if (c.message) EXPECT_EQ(OnlyMessage(), c.message) << c.bytes;
        else EXPECT_EQ(services.boxes.Count(), 0u) << c.bytes;
    }
}

TEST_F(StartupTest, NoDisplayPassesOnlyWithPlentyOfVideoMemory) {
    Touch("DATA");
    Touch("BIN");
    video.initOk = false;
    services.system.videoBytes = 100000000;
    EXPECT_FALSE(CheckSystemRequirements());
    EXPECT_EQ(OnlyMessage(), "VGA card not supported");
}

TEST_F(StartupTest, ProbesCacheSuccessesButNotUnknowns) {
    services.system.videoBytes = -1;
    EXPECT_EQ(QueryVideoMemory(), UINT32_MAX);
    services.system.videoBytes = 300000000;
    EXPECT_EQ(QueryVideoMemory(), 300000000u);
    services.system.videoBytes = 5;
    EXPECT_EQ(QueryVideoMemory(), 300000000u);  // cached

    services.system.totalKB = 2048000;
    EXPECT_EQ(QueryTotalVisibleMemory(), 2048000u);
    services.system.totalKB = 1;
    EXPECT_EQ(QueryTotalVisibleMemory(), 2048000u);
}

