#pragma once
// The front end's road through the real program: the game application with
// a fresh save folder and the build's pack, run through the render road of the
// framework, and a player who clicks, taps and types through window messages.
// The headless road test and the screenshot road under Xvfb share it.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

#include "battle/effects/Effect_Summary.h"
#include "battle/page/PageGame.h"
#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxPage.h"
#include "engine/framework/MyD3DApplication.h"
#include "frontend/PageMenu.h"
#include "frontend/PageStory.h"
#include "game/Effect_SwitchPage.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/D3DApplication.h"
#include "platform/host/WindowMessage.h"

namespace frontroad {

// Points of the road, centre coordinates (y up).
struct Point {
    float x, y;
};
constexpr Point kScreenCentre{0.0f, 0.0f};
constexpr Point kMenuEntry{62.0f, -30.0f};  // main-menu entry, map area
constexpr Point kBackButton{-375.0f, -225.0f};
constexpr Point kFirstStage{-195.0f, 80.0f};  // stage 1 of an area on the mission panel
constexpr Point kSkipLabel{396.0f, 305.0f};

// Owns the save folder and the working directory; the framework owns the
// application and deletes it with its device resources.
class Road {
public:
    // Before the application is built: a new save folder, the build folder as
    // the working directory.
    void Prepare() {
        char pattern[] = "/tmp/csq-road-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_Root = pattern;
        setenv("APPDATA", m_Root.c_str(), 1);
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_OldCwd = cwd;
        ASSERT_EQ(chdir(CSQ_BINARY_DIR), 0);
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        g_bQuitRequested = false;
        g_bAllowClose = true;
        g_bApplyFullscreenAtStart = 0;
    }

    // Builds the game (its pages, the save) and the window with its device.
    void Start() {
        app = new CGameApplication(MakeGamePages);
        app->m_bRunWorkersInline = true;
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        ASSERT_EQ(framework->Create(), S_OK);
        ASSERT_TRUE(app->m_bInitialised);
    }

    // Closes the window as after a confirmed exit: the quit request lets the
    // window close, and the game saves and goes with the device.
    void Close() {
        if (framework && framework->Window()) {
            g_bAllowClose = true;
            framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        }
        framework.reset();
        app = nullptr;
        g_bQuitRequested = false;
    }
    void Finish() {
        Close();
        if (!m_OldCwd.empty()) {
            EXPECT_EQ(chdir(m_OldCwd.c_str()), 0);
        }
        m_OldCwd.clear();
        std::error_code ec;
        if (!m_Root.empty()) std::filesystem::remove_all(m_Root, ec);
    }

    std::string SavePath() const { return m_Root + "/Orvendale/Cogsquall/SaveData.dat"; }
    std::vector<uint8_t> SaveBytes() const {
        std::ifstream in(SavePath(), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // One frame of the road; beforeFrame advances a virtual clock where there is one.
    void Frame(int n = 1) {
        for (int i = 0; i < n; ++i) {
            if (beforeFrame) beforeFrame();
            framework->Render();
            ++frames;
        }
    }
    // Frames until the condition holds; false after `limit` frames.
    bool WaitFor(const std::function<bool()>& condition, int limit) {
        for (int i = 0; i < limit; ++i) {
            if (condition()) return true;
            Frame();
        }
        return condition();
    }

    int Page() const { return app->m_bSwitchPending ? -1 : int(app->m_iCurrentPage); }
    int SubScreen() const {
        const CVxPage* page = app->PageAt(app->m_iCurrentPage);
        return page ? page->m_iSubScreen : -1;
    }
    bool At(int page, int subScreen) const { return Page() == page && SubScreen() == subScreen; }
    // The menu has finished its slide and takes input.
    bool MenuIdle() const { return Page() == MENU_PAGE_INDEX && Menu().IsInputFree(); }
    CPageMenu& Menu() const { return *dynamic_cast<CPageMenu*>(app->m_pPageMenu); }
    CPageStory& Story() const { return *static_cast<CPageStory*>(app->m_pPageStory); }

    // The cursor moves to the point, the left button goes down and up.
    void ClickAt(Point p) {
        MoveTo(p);
        Frame();
        Message(host::WM_LBUTTONDOWN, 1);
        Frame();
        Message(host::WM_LBUTTONUP, 0);
        Frame();
    }
    void MoveTo(Point p) {
        InputRecord& in = app->m_aInput[0];
        in.m_iCursorX = int(p.x + float(g_iScreenWidth) / 2.0f);
        in.m_iCursorY = int(float(g_iScreenHeight) / 2.0f - p.y);
    }
    // A key goes down and up, a frame each.
    void Key(int vk) {
        Message(host::WM_KEYDOWN, uintptr_t(vk));
        Frame();
        Message(host::WM_KEYUP, uintptr_t(vk));
        Frame();
    }
    void Type(const char* letters) {
        for (const char* c = letters; *c; ++c) Key(*c);
    }

    // A lost battle left through the summary's Menu button: the page-switch
    // transition with the summary's code, back to the menu's return screen.
    void LoseBattle() {
        const int code = MENU_PAGE_INDEX + 10 * app->m_iMenuReturnScreen;
        if (auto* battle = dynamic_cast<CPageGame*>(app->m_pPageGame))
            if (CEffect_Summary* summary = battle->m_pEffectSummary) {
                summary->m_bChoiceMade = true;
                summary->m_iSwitchCode = code;
                summary->m_iChosenStage = app->m_iCurrentStage;
            }
        CEffect_SwitchPage& change = *app->m_pEffectSwitchPage;
        ASSERT_GE(change.Add(code), 0);
        // The battle page ticks its transition once it draws its overlays.
        for (int i = 0; i < 40 && Page() == BATTLE_PAGE_INDEX; ++i) {
            const int age = change.m_aInstances[0].age;
            Frame();
            if (Page() == BATTLE_PAGE_INDEX && change.m_aInstances[0].life > 0 && change.m_aInstances[0].age == age)
                change.Tick();
        }
    }

    void Message(uint32_t message, uintptr_t wParam) {
        framework->HandleMessage(framework->Window(), message, wParam, 0);
    }

    CGameApplication* app = nullptr;
    std::unique_ptr<CMyD3DApplication> framework;
    std::function<void()> beforeFrame;
    int frames = 0;

private:
    std::string m_Root, m_OldCwd;
};

// The whole road; `reached` is told each screen by name once it stands still.
// Returns with a failed assertion as soon as a step does not arrive.
inline void RunRoad(Road& road, const std::function<void(const char*)>& reached) {
    // The logo, fully faded in.
    ASSERT_EQ(road.Page(), LOGO_PAGE_INDEX);
    road.Frame(60);
    reached("logo");
    road.ClickAt(kScreenCentre);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_TITLE); }, 30)) << "the title after the logo";
    road.Frame(80);
    reached("title");

    // No profile yet: the title leads to name entry.
    road.ClickAt(kScreenCentre);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_NAME_ENTRY) && road.MenuIdle(); }, 60))
        << "name entry for a new player";
    road.Type("ADA");
    road.Frame(10);
    reached("name_entry");
    road.Key(13);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MAIN) && road.MenuIdle(); }, 90))
        << "the main menu after Return";
    road.Frame(20);
    reached("main_menu");

    // Play: the first episode's story comes first.
    road.ClickAt(kMenuEntry);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == STORY_PAGE_INDEX; }, 60)) << "Play leads to the story";
    ASSERT_TRUE(road.WaitFor([&] { return road.Story().m_fSkipAlpha == 1.0f; }, 120));
    road.Frame(30);
    reached("story");
    road.ClickAt(kSkipLabel);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == BATTLE_PAGE_INDEX; }, 30)) << "Skip starts the battle";
    EXPECT_EQ(int(road.app->m_iCurrentStage), 1);

    // Lost: back at the mission panel.
    road.LoseBattle();
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60))
        << "a lost stage returns to the mission panel";
    road.Frame(20);
    reached("mission");

    // Back to the map, into the first area, and stage 1 again.
    road.ClickAt(kBackButton);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_STAGE_MAP) && road.MenuIdle(); }, 60))
        << "Back leads to the stage map";
    road.Frame(20);
    reached("stage_map");
    road.ClickAt(kMenuEntry);
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60))
        << "the first area opens its mission panel";
    road.ClickAt(kFirstStage);
    ASSERT_TRUE(road.WaitFor([&] { return road.Page() == BATTLE_PAGE_INDEX; }, 60)) << "stage 1 starts";
    EXPECT_EQ(int(road.app->m_iCurrentStage), 1);
    road.LoseBattle();
    ASSERT_TRUE(road.WaitFor([&] { return road.At(MENU_PAGE_INDEX, MENU_MISSION) && road.MenuIdle(); }, 60));
}

}  // namespace frontroad
