
#include <cstdio>
#include <cstdlib>

#include "tests/Harness.h"

namespace {

// Runs each test in a fresh empty working folder.
class StartupTest : public FrameworkFixture {
protected:
    void SetUp() override {
        FrameworkFixture::SetUp();
        char cwd[4096];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_oldDir = cwd;
        ASSERT_EQ(chdir(m_dir.path.c_str()), 0);
    }
    void TearDown() override {
        EXPECT_EQ(chdir(m_oldDir.c_str()), 0);
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
        modes = {{640, 480, 60, host::FMT_X8R8G8B8}, {1024, 768, 60, host::FMT_X8R8G8B8}};
        if (has800x600) modes.push_back({800, 600, 60, host::FMT_R5G6B5});
    }
    std::string OnlyMessage() {
        auto boxes = services.boxes.Boxes();
        if (boxes.size() != 1) return "(" + std::to_string(boxes.size()) + " messages)";
        EXPECT_EQ(boxes[0].caption, "Fatal error!");
        EXPECT_EQ(boxes[0].type, host::MB_OK);
        return boxes[0].text;
    }

    harness::TempDir m_dir;
    std::string m_oldDir;
};

}  // namespace

// The files first, then the display and its video memory: the first shortfall
// is the only message.
TEST_F(StartupTest, RequirementsTable) {
    const struct {
        bool data, bin, display;
        int64_t bytes;
        bool mode800;
        const char* message;  // null: passes
    } cases[] = {
        {false, false, true, 1, false, "Resource file not found : DATA"},
        {true, false, true, 1, false, "Resource file not found : BIN"},
        {true, true, true, 256000000, false, nullptr},
        {true, true, true, 255999999, false, "VGA card not supported"},
        {true, true, true, 255999999, true, nullptr},
        {true, true, true, 64000000, true, nullptr},
        {true, true, true, 63999999, true, "Not enough VDO memory"},
        {true, true, true, 63999999, false, "VGA card not supported"},
        {true, true, true, int64_t(8) << 30, false, nullptr},             // 8 GiB must not wrap to a small number
        {true, true, true, -1, false, nullptr},                           // unknown is never a shortfall
        {true, true, false, 100000000, false, "VGA card not supported"},  // no display: only with plenty
    };
    for (const auto& c : cases) {
        std::remove("DATA");
        std::remove("BIN");
        if (c.data) Touch("DATA");
        if (c.bin) Touch("BIN");
        services.boxes.Clear();
        ResetMemoryProbes();
        video.initOk = c.display;
        Machine(c.bytes, c.mode800);
        EXPECT_EQ(CheckSystemRequirements(), c.message == nullptr) << c.bytes << " " << c.mode800;
        if (c.message) {
            EXPECT_EQ(OnlyMessage(), c.message) << c.bytes;
        } else {
            EXPECT_EQ(services.boxes.Count(), 0u) << c.bytes;
        }
        EXPECT_TRUE(c.data || g_nVideoMemory == 0u) << "without DATA the video memory is never asked for";
    }
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

// The save folder: an absolute home, and a folder that can be made there.
// Each fault is said once, with the system's reason, and the game ends
// without putting a file in its own folder.
TEST_F(StartupTest, SaveFolderTable) {
    const std::string longRoot = m_dir.path.string() + "/" + std::string(300, 'x');
    const std::string blocked = m_dir.path.string() + "/blocked", home = m_dir.path.string() + "/home";
    Touch("blocked");
    const struct {
        const char* rule;
        const char *app, *xdg, *home;
        const char* message;  // the start of the one message; null: passes
        const char* reason;
    } kCases[] = {
        {"an absolute APPDATA passes", home.c_str(), nullptr, nullptr, nullptr, nullptr},
        {"no home at all", nullptr, nullptr, nullptr, "There is no folder for the save data", ""},
        {"only a relative APPDATA", "saves", nullptr, nullptr, "There is no folder for the save data", ""},
        {"an over-long path", longRoot.c_str(), nullptr, nullptr,
         "The save folder cannot be created:", "File name too long"},
        {"a file where a folder must go", blocked.c_str(), nullptr, nullptr,
         "The save folder cannot be created:", "Not a directory"},
    };
    const char* const kNames[3] = {"APPDATA", "XDG_DATA_HOME", "HOME"};
    std::string keep[3];
    bool had[3];
    for (int i = 0; i < 3; ++i)
        if ((had[i] = std::getenv(kNames[i]) != nullptr)) keep[i] = std::getenv(kNames[i]);
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rule);
        const char* values[3] = {c.app, c.xdg, c.home};
        for (int i = 0; i < 3; ++i)
            if (values[i]) setenv(kNames[i], values[i], 1);
            else unsetenv(kNames[i]);
        services.boxes.Clear();
        EXPECT_EQ(CheckSaveFolder(), c.message == nullptr);
        if (c.message) {
            const std::string text = OnlyMessage();
            EXPECT_EQ(text.rfind(c.message, 0), 0u) << text;
            EXPECT_NE(text.find(c.reason), std::string::npos) << text;
            EXPECT_EQ(text.find("corrupted"), std::string::npos) << text;
        } else {
            EXPECT_EQ(services.boxes.Count(), 0u);
        }
        EXPECT_FALSE(std::filesystem::exists("Orvendale")) << "nothing in the game's folder";
        EXPECT_FALSE(std::filesystem::exists("saves"));
    }
    for (int i = 0; i < 3; ++i)
        if (had[i]) setenv(kNames[i], keep[i].c_str(), 1);
        else unsetenv(kNames[i]);
}
