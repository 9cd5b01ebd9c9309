// The laboratory, upgrade and achievement lists in the window (Xvfb will
// do): how often each list is drawn into its kept picture per frame, while it
// stands idle and while it pages every tenth frame, and the frame time of each.
// The counters say it: a list is drawn again only when it changes.
// Run from the build folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "content/SaveProfile.h"
#include "engine/InputRecord.h"
#include "engine/PageIndices.h"
#include "engine/framework/MyD3DApplication.h"
#include "frontend/PageMenu.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "main/GamePages.h"
#include "platform/host/GraphicsDevice.h"
#include "platform/host/MessageBox.h"

namespace {

namespace fs = std::filesystem;

struct Game {
    host::RecordingMessageBoxes boxes;
    std::unique_ptr<CMyD3DApplication> framework;
    CGameApplication* app = nullptr;
    std::string root;

    Game() {
        host::SetMessageBoxes(&boxes);
        char pattern[] = "/tmp/csq-bench-XXXXXX";
        if (mkdtemp(pattern)) root = pattern;
        setenv("APPDATA", root.c_str(), 1);
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        g_bApplyFullscreenAtStart = 0;
        CGameSaveData save;
        save.Load();
        save.CreateProfile("Bench");
        // Far enough for every list to hold several pages.
        SaveProfile& p = g_CurrentProfile;
        p.m_iFurthestStage = 180;
        for (int i = 0; i < 14; ++i) p.m_aLabItem[i] = LabItemRecord{0, 1};
        for (RobotUpgradeRecord& u : p.m_aRobotUpgrade) u.m_iAvailable = 1;
        p.m_iMetalParts = 50000;
        save.Save();
        app = new CGameApplication(MakeGamePages);
        app->m_bRunWorkersInline = true;
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall bench";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        framework->Create();
    }
    void Frame() {
        framework->Render();
        if (host::GraphicsDevice* device = framework->Device()) device->Present();
    }
    CPageMenu& Menu() { return *dynamic_cast<CPageMenu*>(app->m_pPageMenu); }
    ~Game() {
        if (framework && framework->Window()) framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        framework.reset();
        host::SetMessageBoxes(nullptr);
        std::error_code ec;
        if (!root.empty()) fs::remove_all(root, ec);
    }
};

void ListRedraws(benchmark::State& state, int screen, bool paging) {
    if (!std::getenv("DISPLAY") || !fs::exists("DATA")) {
        state.SkipWithError("needs a display and the build folder's DATA");
        return;
    }
    Game game;
    game.app->SwitchPage(MENU_PAGE_INDEX, screen);
    for (int i = 0; i < 400 && !(game.app->m_iCurrentPage == MENU_PAGE_INDEX && game.Menu().IsInputFree()); ++i)
        game.Frame();
    CPageMenu& menu = game.Menu();
    const int before = menu.m_nListStills;
    int frames = 0, pages = 0;
    for (auto _ : state) {
        if (paging && frames % 10 == 0) {
            // The wheel pages down to the end and back up again.
            const int key = (frames / 10) % 8 < 4 ? MOUSE_WHEEL_BACKWARD : MOUSE_WHEEL_FORWARD;
            game.app->m_aInput[0].m_aiKey[key] = KEY_PRESSED;
            ++pages;
        }
        game.Frame();
        ++frames;
    }
    state.counters["stills_per_frame"] = double(menu.m_nListStills - before) / double(frames ? frames : 1);
    state.counters["stills"] = double(menu.m_nListStills - before);
    state.counters["wheel_steps"] = double(pages);
    if (game.boxes.Count() > 0) state.SkipWithError(game.boxes.Boxes().front().text.c_str());
}

void BM_LaboratoryIdle(benchmark::State& s) { ListRedraws(s, MENU_LABORATORY, false); }
void BM_LaboratoryPaging(benchmark::State& s) { ListRedraws(s, MENU_LABORATORY, true); }
void BM_UpgradesIdle(benchmark::State& s) { ListRedraws(s, MENU_UPGRADE, false); }
void BM_UpgradesPaging(benchmark::State& s) { ListRedraws(s, MENU_UPGRADE, true); }
void BM_AchievementsIdle(benchmark::State& s) { ListRedraws(s, MENU_ACHIEVEMENTS, false); }
void BM_AchievementsPaging(benchmark::State& s) { ListRedraws(s, MENU_ACHIEVEMENTS, true); }
BENCHMARK(BM_LaboratoryIdle)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_LaboratoryPaging)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_UpgradesIdle)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_UpgradesPaging)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_AchievementsIdle)->Unit(benchmark::kMillisecond)->Iterations(600);
BENCHMARK(BM_AchievementsPaging)->Unit(benchmark::kMillisecond)->Iterations(600);

}  // namespace
