// The battle's logic pass under fire: a stage in play with N units (half
// robots in the right columns, half Machines walking in) and 500 bullets in
// flight, one pass timed (targeting scans and hit tests walk the lists); and a
// whole defended stage against real time.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "battle/model/BattleRules.h"
#include "battle/page/PageGame.h"
#include "battle/units/GameBullet.h"
#include "battle/units/GameRobot.h"
#include "tools/stagerun/StageRun.h"

namespace {

struct InBuildFolder {
    InBuildFolder() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        if (chdir(CSQ_BINARY_DIR) != 0) std::abort();
    }
};

StageRunOptions Options() {
    StageRunOptions o;
    o.stage = 150;
    o.difficulty = 2;
    o.seed = 42;
    o.hand = {1, 3, 4, 21, 15};
    return o;
}

void AddUnit(CPageGame& page, int type, int slot, float x, float y) {
    CCom_GameRobot temp(page.m_Battle);
    temp.m_Unit =
        type < FIRST_MACHINE_TYPE ? page.m_Battle.State().m_aHandDefs[slot] : page.m_Battle.State().m_aEnemyDefs[slot];
    temp.m_iUnitSlot = slot;
    temp.Place(page.m_Battle, x, y, 0.0f);
    if (type >= FIRST_MACHINE_TYPE) temp.m_vPosition.x = x;
    RuleState(page.m_Battle).m_lstRobots.push_back(temp);
}

void BM_LogicPassUnderFire(benchmark::State& state) {
    InBuildFolder folder;
    const int units = int(state.range(0));
    StageRun run(Options());
    if (!run.Start() || !run.RunUntilState(BATTLE_PLAYING, 20000)) {
        state.SkipWithError("the stage did not start");
        return;
    }
    CPageGame& page = run.Battle();
    RuleState(page.m_Battle).m_iLife = 1000000;
    RuleState(page.m_Battle).m_StageDefinition.m_bEnemySchedule = false;
    RuleState(page.m_Battle).m_lstRobots.clear();
    int machineSlot = 0;
    auto walker = [&](int k) {
        const int t = page.m_Battle.State().m_aEnemyDefs[k].m_iType;
        return t >= FIRST_MACHINE_TYPE && t != 1025 && t != 1030 && t != 1032;
    };
    while (machineSlot < STAGE_ENEMY_RECORDS - 1 && !walker(machineSlot)) ++machineSlot;
    for (int i = 0; i < units; ++i) {
        const FieldCell& cell = page.m_Battle.State().m_aFieldCells[(5 + (i / 2) % 5) * FIELD_ROWS + i % FIELD_ROWS];
        if (i % 2 == 0) AddUnit(page, 1, 0, cell.m_fX, cell.m_fY);
        else AddUnit(page, FIRST_MACHINE_TYPE, machineSlot, -300.0f - float(i), cell.m_fY);
    }
    for (auto _ : state) {
        state.PauseTiming();
        // Units that have fallen are sent in again, so the count holds.
        int robots = 0, machines = 0;
        for (const CCom_GameRobot& r : page.m_Battle.State().m_lstRobots)
            (r.IsMachine() ? machines : robots) += r.m_iHp > 0;
        for (int i = robots; i < (units + 1) / 2; ++i) {
            const FieldCell& cell =
                page.m_Battle.State().m_aFieldCells[(5 + i % 5) * FIELD_ROWS + (i / 5) % FIELD_ROWS];
            AddUnit(page, 1, 0, cell.m_fX, cell.m_fY);
        }
        for (int i = machines; i < units / 2; ++i)
            AddUnit(page, FIRST_MACHINE_TYPE, machineSlot, -300.0f - float(i),
                    page.m_Battle.State().m_aFieldCells[i % FIELD_ROWS].m_fY);
        while (page.m_Battle.State().m_lstBullets.size() < 500) {
            const int i = int(page.m_Battle.State().m_lstBullets.size());
            page.m_Battle.FireBullet(WeaponId::GunnerShot, 0, 400.0f - float(i % 80) * 10.0f,
                                     page.m_Battle.State().m_aFieldCells[i % FIELD_ROWS].m_fY, 0.0f, -1, -1);
        }
        state.ResumeTiming();
        page.UpdateBattleObjects();
    }
    state.counters["units"] = double(page.m_Battle.State().m_lstRobots.size());
}
BENCHMARK(BM_LogicPassUnderFire)->Arg(10)->Arg(50)->Arg(100)->Unit(benchmark::kMicrosecond);

void BM_DefendedStage(benchmark::State& state) {
    InBuildFolder folder;
    int64_t frames = 0;
    double seconds = 0.0;
    for (auto _ : state) {
        StageRun run(Options());
        if (!run.Start() || !run.RunUntilState(BATTLE_PLAYING, 20000)) {
            state.SkipWithError("the stage did not start");
            return;
        }
        CPageGame& page = run.Battle();
        for (int c = 2; c < FIELD_COLUMNS; ++c)
            for (int r = 0; r < FIELD_ROWS; ++r) {
                const FieldCell& cell = page.m_Battle.State().m_aFieldCells[c * FIELD_ROWS + r];
                const int slot = cell.m_iKind == CELL_GROUND          ? 0
                                 : cell.m_iKind == CELL_AIR           ? 2
                                 : cell.m_iKind == CELL_WATER_SURFACE ? 3
                                                                      : 4;
                AddUnit(page, 0, slot, cell.m_fX, cell.m_fY);
            }
        const auto begin = std::chrono::steady_clock::now();
        while (run.State() == BATTLE_PLAYING) {
            run.Step();
            ++frames;
        }
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
        seconds += s;
        state.SetIterationTime(s);
    }
    state.counters["x_real_time"] = double(frames) / 60.0 / seconds;
}
BENCHMARK(BM_DefendedStage)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
