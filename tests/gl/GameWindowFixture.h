#pragma once
// The game application loaded with the generated DATA on the GL device of a
// real window, on the battle page, with a private save folder: the stand for
// screenshots of pop-ups and boards drawn straight through their effects.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxEffect.h"
#include "engine/VxTexture.h"
#include "engine/framework/RenderTargets.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/SoundManager.h"
#include "platform/host/Headless.h"
#include "tests/gl/GoldenPicture.h"

namespace golden {

class GameWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        if (!std::filesystem::exists(CSQ_BINARY_DIR "/DATA")) GTEST_SKIP() << "no DATA in the build folder";
        char pattern[] = "/tmp/csq-shot-XXXXXX";
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
        ASSERT_TRUE(m_Gl.Open("shots", 800, 600));
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
        if (!m_Root.empty()) std::filesystem::remove_all(m_Root, ec);
    }
    // Frames of the effect over a cleared screen; the last one stays.
    void Frames(CVxEffect& effect, int n) {
        for (int i = 0; i < n; ++i) {
            m_App->SetCamera2D(g_iScreenWidth, g_iScreenHeight);
            m_Device->Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0xFF203040u, 1.0f);
            ASSERT_TRUE(m_Device->BeginScene());
            effect.Tick();
            m_Device->EndScene();
        }
    }
    // The picture on screen against its reference, with no message raised.
    void CompareShot(const std::string& name) {
        EXPECT_EQ(m_Host.boxes.Count(), 0u) << (m_Host.boxes.Count() ? m_Host.boxes.Boxes().front().text : "");
        ExpectMatches(*m_Device, name);
    }

    host::HeadlessHost m_Host;
    SoundManager m_Sounds;
    GlWindow m_Gl;
    host::GraphicsDevice* m_Device = nullptr;
    std::unique_ptr<CGameApplication> m_App;
    std::string m_Root, m_OldCwd;
};

}  // namespace golden
