// The front end in its window (Xvfb will do), with the build's DATA and a
// fresh save folder: from building the game to its first frame shown, and
// from the menu's request of the battle page to the battle page's first frame.
// The switch is measured twice: as the program runs it, with the page-switch
// worker and the loading screen (which gives the worker 1000 ms a frame on
// every switch that does not leave the logo page), and as the switch's own
// work: the old page released, the new one loaded and its first frame shown.
// Run from the build folder.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "content/SaveProfile.h"
#include "engine/PageIndices.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "frontend/PageMenu.h"
#include "game/GameApplication.h"
#include "game/GameSaveData.h"
#include "main/GamePages.h"
#include "platform/host/GraphicsDevice.h"
#include "platform/host/MessageBox.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

bool CanRun(benchmark::State& state) {
    if (!std::getenv("DISPLAY")) {
        state.SkipWithError("needs a display");
        return false;
    }
    if (!fs::exists("DATA")) {
        state.SkipWithError("run from the build folder (DATA not found)");
        return false;
    }
    return true;
}

// A game in its window on a save folder of its own.
struct Game {
    host::RecordingMessageBoxes boxes;
    std::unique_ptr<CMyD3DApplication> framework;
    CGameApplication* app = nullptr;
    std::string root;

    explicit Game(bool withProfile) {
        host::SetMessageBoxes(&boxes);
        char pattern[] = "/tmp/csq-bench-XXXXXX";
        if (mkdtemp(pattern)) root = pattern;
        setenv("APPDATA", root.c_str(), 1);
        g_CurrentProfile = SaveProfile{};
        for (SaveProfile& p : g_aStoredProfiles) p = SaveProfile{};
        g_bApplyFullscreenAtStart = 0;
        if (withProfile) {
            CGameSaveData save;
            save.Load();
            save.CreateProfile("Bench");
            save.Save();
        }
    }
    void Open(bool inlineWorkers) {
        app = new CGameApplication(MakeGamePages);
        app->m_bRunWorkersInline = inlineWorkers;
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"Cogsquall bench";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        framework->Create();
    }
    // One frame drawn and shown.
    void Frame() {
        framework->Render();
        if (host::GraphicsDevice* device = framework->Device()) device->Present();
    }
    int Page() const { return app->m_bSwitchPending ? -1 : int(app->m_iCurrentPage); }
    ~Game() {
        if (framework && framework->Window()) framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        framework.reset();
        host::SetMessageBoxes(nullptr);
        std::error_code ec;
        if (!root.empty()) fs::remove_all(root, ec);
    }
};

void BM_StartToFirstFrame(benchmark::State& state) {
    if (!CanRun(state)) return;
    for (auto _ : state) {
        Game game(false);
        const auto start = Clock::now();
        game.Open(false);
        game.Frame();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_StartToFirstFrame)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// From the menu's switch request to the battle page's first frame; back to
// the menu between measurements.
void MenuToBattle(benchmark::State& state, bool workOnly) {
    if (!CanRun(state)) return;
    Game game(true);
    game.Open(true);
    auto arrive = [&](int page) {
        for (int i = 0; i < 2000 && game.Page() != page; ++i) game.Frame();
        game.Frame();
    };
    game.app->SwitchPage(MENU_PAGE_INDEX, MENU_MAIN);
    arrive(MENU_PAGE_INDEX);
    for (auto _ : state) {
        game.app->m_bRunWorkersInline = workOnly;
        const auto start = Clock::now();
        game.app->SwitchPage(BATTLE_PAGE_INDEX, 0);
        if (workOnly) {
            // The switch itself, then the new page's first frame.
            game.app->Tick();
            game.Frame();
        } else {
            arrive(BATTLE_PAGE_INDEX);
        }
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        game.app->m_bRunWorkersInline = true;
        game.app->SwitchPage(MENU_PAGE_INDEX, MENU_MISSION);
        arrive(MENU_PAGE_INDEX);
    }
    if (game.boxes.Count() > 0) state.SkipWithError(game.boxes.Boxes().front().text.c_str());
}
void BM_MenuToBattleSwitchInTheWindow(benchmark::State& state) { MenuToBattle(state, false); }
void BM_MenuToBattleSwitchWork(benchmark::State& state) { MenuToBattle(state, true); }
BENCHMARK(BM_MenuToBattleSwitchInTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MenuToBattleSwitchWork)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
