// The headless battle: frames per CPU second of the stage runner on a busy
// stage (the last stage of episode 3 at the hardest difficulty, with life
// enough to last the whole stage so every wave comes) played by the runner's
// defending test player, so robots fill the field and fight the Machines, and
// on the heaviest mini-games (151's rounds, 171's triple speed), as a multiple
// of real time (60 frames a second), with the robots and Machines on the field
// a frame. Where the device keeps no record nobody hears it, and the voices
// only move on as a mix would move them; the second row of the busy stage
// mixes and keeps the minute of what was heard that a test asks for, so the
// mixer's and the recording's work shows against the first. Then the battle's
// load from the page switch to the first frame on the page, and the peak
// memory of a whole run. There is no drawing device: the drawing code runs
// up to the device and stops (the window benchmark measures the rest).
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <time.h>

#include <chrono>
#include <cstdlib>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameRobot.h"
#include "platform/host/AudioDevice.h"
#include "tools/stagerun/StageRun.h"
#include "bench/BenchClock.h"

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

double CpuSeconds() { return ProcessCpuMs() / 1e3; }

// Arguments: the stage, and the seconds of heard sound the device keeps.
void BM_BattleSimulation(benchmark::State& state) {
    InBuildFolder folder;
    int64_t frames = 0, machines = 0, robots = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        StageRunOptions o = Options(int(state.range(0)));
        o.defend = true;
        o.hand = {1, 3, 4, 21, 15};
        StageRun run(o);
        if (!run.Start() || !run.RunUntilState(BATTLE_PLAYING, 5000)) {
            state.SkipWithError("the stage did not start");
            return;
        }
        if (auto* heard = dynamic_cast<host::HeadlessAudioDevice*>(&host::GetAudioDevice()))
            heard->SetHeardSeconds(uint32_t(state.range(1)));
        RuleState(run.Model()).m_iLife = 1000000;
        // The whole stage time, every wave included (bombs and cages that
        // nobody clears would keep the overtime going); a mini-game that its
        // own rules end stops sooner.
        const double begin = CpuSeconds();
        while (run.State() == BATTLE_PLAYING && run.Model().State().m_iTimeLeft > 0) {
            run.Step();
            ++frames;
            for (const CCom_GameRobot& r : run.Model().State().m_lstRobots)
                if (r.m_iHp > 0 && !r.IsMachine()) ++robots;
            machines += run.Model().State().m_nLiveMachines;
        }
        const double s = CpuSeconds() - begin;
        seconds += s;
        state.SetIterationTime(s);
    }
    state.counters["frames_per_cpu_s"] = double(frames) / seconds;
    state.counters["x_real_time"] = double(frames) / 60.0 / seconds;
    state.counters["robots_on_field"] = frames ? double(robots) / double(frames) : 0.0;
    state.counters["machines_on_field"] = frames ? double(machines) / double(frames) : 0.0;
}
BENCHMARK(BM_BattleSimulation)
    ->ArgNames({"stage", "heard_s"})
    ->Args({kStage, 0})
    ->Args({kStage, 60})
    ->Args({151, 0})
    ->Args({171, 0})
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
