// The battle's boards on the GL device in a real window with the generated
// DATA and the render-target slots: the end-of-stage summary of a won stage
// and the map story of an area, each at rest against its kept reference
// picture. CSQ_UPDATE_GOLDEN=1 writes the references anew.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "battle/effects/Effect_MapStory.h"
#include "battle/effects/Effect_Summary.h"
#include "battle/page/PageGame.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxTexture.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/SoundManager.h"
#include "platform/host/Headless.h"
#include "tests/gl/GoldenPicture.h"

namespace {

namespace fs = std::filesystem;

class BoardScreenshot : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        if (!fs::exists(CSQ_BINARY_DIR "/DATA")) GTEST_SKIP() << "no DATA in the build folder";
        char pattern[] = "/tmp/csq-boards-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_Root = pattern;
        setenv("APPDATA", m_Root.c_str(), 1);
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        g_CurrentProfile = SaveProfile{};
        m_Sounds.Initialize();
        g_pSoundManager = &m_Sounds;
        ASSERT_TRUE(m_Gl.Open("boards", 800, 600));
        m_Device = m_Gl.device.get();
        ASSERT_EQ(RestoreRenderTargets(*m_Device, true, 800, 600), S_OK);
        m_App = std::make_unique<CGameApplication>(MakeGamePages);
        m_App->m_bRunWorkersInline = true;
        m_App->m_pDevice = m_Device;
        m_App->LoadResources();
        m_App->LoadSharedResources();
        m_App->m_iCurrentPage = BATTLE_PAGE_INDEX;
        m_Device->SetRenderState(host::RS_LIGHTING, 0);
    }
    void TearDown() override {
        m_App.reset();
        CVxTexture::FreeReleasedTextures();
        ReleaseRenderTargets();
        m_Gl.device.reset();
        g_pSoundManager = nullptr;
        if (!m_OldCwd.empty()) {
            EXPECT_EQ(chdir(m_OldCwd.c_str()), 0);
        }
        std::error_code ec;
        if (!m_Root.empty()) fs::remove_all(m_Root, ec);
    }
    // Frames of the board over a cleared screen; the last one stays.
    void Frames(CVxEffect& board, int n) {
        for (int i = 0; i < n; ++i) {
            m_App->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
            m_Device->Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0xFF203040u, 1.0f);
            ASSERT_TRUE(m_Device->BeginScene());
            board.Tick();
            m_Device->EndScene();
        }
    }
    void Compare(const std::string& name) {
        EXPECT_EQ(m_Host.boxes.Count(), 0u) << (m_Host.boxes.Count() ? m_Host.boxes.Boxes().front().text : "");
        golden::ExpectMatches(*m_Device, name);
    }

    host::HeadlessHost m_Host;
    SoundManager m_Sounds;
    golden::GlWindow m_Gl;
    host::GraphicsDevice* m_Device = nullptr;
    std::unique_ptr<CGameApplication> m_App;
    std::string m_Root, m_OldCwd;
};

// Stage 12 won with two stars, 3 robots lost and 27 Machines destroyed, the
// counts and the stars settled.
TEST_F(BoardScreenshot, WonSummary) {
    m_App->m_iCurrentStage = 12;
    g_CurrentProfile.m_iFurthestStage = 12;
    CPageGame* page = BattlePageOf(m_App.get());
    page->m_iBattleState = BATTLE_SUMMARY;
    page->m_nRobotsLost = 3;
    page->m_nMachinesKilled = 27;
    CEffect_Summary summary;
    summary.m_iStars = 2;
    summary.Start(0, 1);
    Frames(summary, 200);
    Compare("board_summary_won");
}

// The first stage of area 3 of the second episode: its world's title, its
// picture and its chapter.
TEST_F(BoardScreenshot, MapStoryAtRest) {
    m_App->m_iCurrentStage = 71;
    CEffect_MapStory story;
    ASSERT_EQ(story.Add(0), 0);
    Frames(story, 32);
    Compare("board_map_story");
}

}  // namespace
