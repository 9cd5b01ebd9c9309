// The headless battle: frames per second of the stage runner on a busy stage
// (the last stage of episode 3 at the hardest difficulty, with life enough to
// last the whole stage so every wave comes), and on the heaviest mini-games
// (151's rounds, 171's triple speed), as a multiple of real time (60 frames a
// second); the battle's load from the page switch to the first frame
// on the page; and the peak memory of a whole run.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "battle/page/PageGame.h"
#include "tools/stagerun/StageRun.h"

namespace {

constexpr int kStage = 150;

struct InBuildFolder {
    InBuildFolder() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (chdir(CSQ_BINARY_DIR) != 0) std::abort();
    }
};

StageRunOptions Options(int stage = kStage) {
    StageRunOptions o;
    o.stage = stage;
    o.difficulty = 2;
    o.seed = 42;
    return o;
}

void BM_BattleSimulation(benchmark::State& state) {
    InBuildFolder folder;
    int64_t frames = 0, machines = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        StageRun run(Options(int(state.range(0))));
        if (!run.Start() || !run.RunUntilState(BATTLE_PLAYING, 5000)) {
            state.SkipWithError("the stage did not start");
            return;
        }
        run.Battle().m_iLife = 1000000;
        // The whole stage time, every wave included (bombs and cages that
        // nobody clears would keep the overtime going); a mini-game that its
        // own rules end stops sooner.
        const auto begin = std::chrono::steady_clock::now();
        while (run.State() == BATTLE_PLAYING && run.Battle().m_iTimeLeft > 0) {
            run.Step();
            ++frames;
            machines += run.Battle().m_nLiveMachines;
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        seconds += s;
        state.SetIterationTime(s);
    }
    state.counters["frames_per_s"] = double(frames) / seconds;
    state.counters["x_real_time"] = double(frames) / 60.0 / seconds;
    state.counters["machines_on_field"] = frames ? double(machines) / double(frames) : 0.0;
}
BENCHMARK(BM_BattleSimulation)
    ->Arg(kStage)
    ->Arg(151)
    ->Arg(171)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_BattleLoad(benchmark::State& state) {
    InBuildFolder folder;
    for (auto _ : state) {
        StageRun run(Options());
        if (!run.Start()) {
            state.SkipWithError("no DATA");
            return;
        }
        const auto begin = std::chrono::steady_clock::now();
        run.Step();  // the switch: Release of the old page and the battle's Load
        while (run.App().m_iCurrentPage != 3) run.Step();
        run.Step();  // the first frame on the battle page
        const auto end = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(end - begin).count());
    }
}
BENCHMARK(BM_BattleLoad)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_WholeStagePeakMemory(benchmark::State& state) {
    InBuildFolder folder;
    for (auto _ : state) {
        StageRun run(Options());
        if (!run.Start()) {
            state.SkipWithError("no DATA");
            return;
        }
        run.RunToEnd();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_WholeStagePeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
