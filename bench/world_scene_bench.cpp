// Frame time of the battle in the window for its heaviest world scene: a
// stage of the sea world with whirlpools in every free column and the field
// effect list kept full (30), against the same stage with neither. Counters:
// GL draw calls and billboard draws per frame. Needs a display (Xvfb will do)
// and the pack in the working directory (run from the build folder).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameItem.h"
#include "battle/units/GameRobot.h"
#include "engine/framework/MyD3DApplication.h"
#include "game/GameApplication.h"
#include "main/GamePages.h"
#include "platform/host/GlDevice.h"
#include "platform/host/WindowMessage.h"
#include "tools/stagerun/StageRun.h"
#include "bench/BenchWindowRun.h"

namespace {

CMyD3DApplication g_window;

struct Scene {
    std::unique_ptr<StageRun> run;
    bool Open() {
        if (!std::getenv("DISPLAY")) return false;
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        StageRunOptions o;
        o.stage = 121;  // sea world of the third episode: whirlpools
        o.seed = 9;
        o.window = true;
        run = std::make_unique<BenchWindowRun>(o, g_window, u"world scene bench");
        // The runner and its window stay to the end of the process, which
        // leaves without taking the game's globals down a second time.
        std::atexit([] {
            std::fflush(stdout);
            std::_Exit(0);
        });
        if (!run->Start() || !run->RunUntilState(BATTLE_PLAYING, 5000)) return false;
        CPageGame& page = run->Battle();
        RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
        RuleState(page.m_Battle).m_lstRobots.clear();
        RuleState(page.m_Battle).m_iTimeLeft = RuleState(page.m_Battle).m_iStageFrames / 2;
        return true;
    }
};

// Kept to the end of the process: the window goes with it.
Scene& TheScene() {
    static Scene* scene = new Scene;
    static bool opened = scene->Open();
    (void)opened;
    return *scene;
}

void RunScene(benchmark::State& state, bool heavy) {
    Scene& scene = TheScene();
    if (!scene.run) {
        state.SkipWithError("no display or no pack");
        return;
    }
    CPageGame& page = scene.run->Battle();
    auto* gl = dynamic_cast<host::GlDevice*>(g_window.Device());
    const uint64_t draws0 = gl ? gl->GlDrawCalls() : 0;
    static const FieldEffectType kTypes[] = {FIELD_EFFECT_HIT,
                                             FIELD_EFFECT_WIDE_BURST,
                                             FIELD_EFFECT_GLOW_BURST,
                                             FIELD_EFFECT_RED_HIT,
                                             FIELD_EFFECT_RED_GLOW_BURST,
                                             FIELD_EFFECT_BLAST,
                                             FIELD_EFFECT_BOMB_BLAST,
                                             FIELD_EFFECT_GROUND_DUST,
                                             FIELD_EFFECT_SPARK_RING,
                                             FIELD_EFFECT_SMOKE_SPARK_RING};
    int k = 0;
    for (auto _ : state) {
        RuleState(page.m_Battle).m_iTimeLeft =
            RuleState(page.m_Battle).m_iStageFrames / 2;  // the clock stands: hazards keep running
        for (int c = 0; c < FIELD_COLUMNS; ++c) RuleState(page.m_Battle).m_aiColumnHazard[c] = 0;
        RuleState(page.m_Battle).m_lstFieldEffects.clear();
        if (heavy) {
            for (int c : {0, 1, 4, 7}) RuleState(page.m_Battle).m_aiColumnHazard[c] = 300;
            while (page.m_Battle.State().m_lstFieldEffects.size() < size_t(MAX_FIELD_EFFECTS)) {
                const FieldCell& cell = page.m_Battle.State().m_aFieldCells[(k * 7) % FIELD_CELLS];
                page.m_Battle.AddFieldEffect(1000, kTypes[k % 10], cell.m_fX, cell.m_fY, 0.0f);
                RuleState(page.m_Battle).m_lstFieldEffects.back().age = k % 25;
                ++k;
            }
        }
        scene.run->Step();
    }
    if (gl && state.iterations() > 0)
        state.counters["gl_draws_per_frame"] = double(gl->GlDrawCalls() - draws0) / double(state.iterations());
    state.SetItemsProcessed(state.iterations());
}

void BM_WorldSceneHeavy(benchmark::State& state) { RunScene(state, true); }
void BM_WorldScenePlain(benchmark::State& state) { RunScene(state, false); }
BENCHMARK(BM_WorldScenePlain)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(600);
BENCHMARK(BM_WorldSceneHeavy)->Unit(benchmark::kMicrosecond)->UseRealTime()->Iterations(600);

}  // namespace
