#pragma once
// A game application on the headless host: a fresh save folder, the build's
// generated DATA as the working directory's archive, the silent sound
// device, and scripted message-box answers.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <memory>
#include <string>
#include <vector>

#include "engine/InputRecord.h"
#include "battle/page/PageGame.h"
#include "frontend/PageMenu.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "content/SaveProfile.h"
#include "platform/D3DApplication.h"
#include "platform/SoundManager.h"
#include "platform/host/Headless.h"
#include "tests/SaveTestSupport.h"

class GameAppTest : public SaveFolderTest {
protected:
    void SetUp() override {
        SaveFolderTest::SetUp();
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        g_bQuitRequested = false;
        g_bAllowClose = true;
        m_Sounds.Initialize();
        g_pSoundManager = &m_Sounds;
    }
    void TearDown() override {
        m_App.reset();
        g_pSoundManager = nullptr;
        g_bQuitRequested = false;
        g_bAllowClose = true;
        ASSERT_EQ(chdir(m_OldCwd.c_str()), 0);
        SaveFolderTest::TearDown();
    }

    // Builds the application (answers to its questions queued beforehand).
    CGameApplication& Make() {
        m_App = std::make_unique<CGameApplication>(MakeGamePages);
        m_App->m_bRunWorkersInline = true;
        return *m_App;
    }
    // Builds it and loads as the device's creation does.
    CGameApplication& Start() {
        Make();
        m_App->LoadResources();
        return *m_App;
    }
    // Shuts down as the framework does at the end of the run.
    void Shutdown() { m_App.reset(); }

    std::vector<std::string> Captions() const {
        std::vector<std::string> out;
        for (const auto& b : m_Host.boxes.Boxes()) out.push_back(b.caption);
        return out;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        for (const auto& b : m_Host.boxes.Boxes()) out.push_back(b.text);
        return out;
    }

    // The application's own pages, as the tests reach into them.
    CPageGame& BattlePage() { return *BattlePageOf(m_App.get()); }
    CPageMenu& MenuPage() { return *dynamic_cast<CPageMenu*>(m_App->m_pPageMenu); }

    void PressKey(int key) { m_App->m_aInput[0].m_aiKey[key] = KEY_PRESSED | KEY_HELD; }

    host::HeadlessHost m_Host;
    SoundManager m_Sounds;
    std::unique_ptr<CGameApplication> m_App;

private:
    std::string m_OldCwd;
};
