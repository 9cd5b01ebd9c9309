// The cost of the render road: whole frames through the targets and the
// composition with an empty page and with 500 billboards in the scene pass,
// against the same 500 billboards drawn straight to the back buffer. The
// last benchmark reports road / direct as `road_ratio`. Needs a display
// (Xvfb will do).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <vector>

#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/Random.h"
#include "platform/host/AudioDevice.h"
#include "platform/host/MessageBox.h"

namespace {

constexpr int kBillboards = 500;

class BenchPage : public CVxPage {
public:
    int RenderScreen(int) override {
        if (drawBillboards)
            for (auto& b : billboards) b->RenderSRT();
        return 0;
    }
    bool drawBillboards = false;
    std::vector<std::unique_ptr<CVxBillboard>> billboards;
};

struct Road {
    host::RecordingMessageBoxes boxes;
    std::unique_ptr<CMyD3DApplication> framework;
    CVxXApplication* app = nullptr;
    std::unique_ptr<BenchPage> page;
    std::unique_ptr<CVxTexture> texture;

    ~Road() {
        // The window closes first: the device resources go, with the application.
        if (framework && framework->Window()) framework->HandleMessage(framework->Window(), host::WM_CLOSE, 0, 0);
        framework.reset();
        page.reset();
        texture.reset();
        host::SetMessageBoxes(nullptr);
    }

    bool Open() {
        if (!std::getenv("DISPLAY")) return false;
        host::SetMessageBoxes(&boxes);
        app = new CVxXApplication();  // deleted with the device resources
        app->m_iWindowWidth = 800;
        app->m_iWindowHeight = 600;
        app->m_iScreenWidth = 880;
        app->m_iScreenHeight = 640;
        page = std::make_unique<BenchPage>();
        framework = std::make_unique<CMyD3DApplication>();
        framework->m_pszWindowTitle = u"road bench";
        framework->m_dwCreationWidth = 800;
        framework->m_dwCreationHeight = 600;
        g_bApplyFullscreenAtStart = 0;
        if (FAILED(framework->Create()) || !framework->Device()) return false;
        host::GraphicsDevice& device = *framework->Device();

        std::vector<uint8_t> px(64 * 64 * 4);
        for (int i = 0; i < 64 * 64; ++i) {
            px[size_t(i) * 4 + 0] = uint8_t(i * 5);
            px[size_t(i) * 4 + 1] = 180;
            px[size_t(i) * 4 + 2] = uint8_t(i);
            px[size_t(i) * 4 + 3] = uint8_t(128 + (i % 64) * 2);
        }
        texture = std::make_unique<CVxTexture>(nullptr, nullptr);
        texture->ShowForeignTexture(device.CreateTexture(64, 64, px.data()));
        texture->m_iWidth = texture->m_iHeight = 64;
        VxSrand(11);
        for (int i = 0; i < kBillboards; ++i) {
            auto b = std::make_unique<CVxBillboard>("", "", texture.get());
            b->SetAlphaBlend(true);
            b->SetPosition(float(VxRand() % 840) - 420.0f, float(VxRand() % 600) - 300.0f, 0.0f);
            page->billboards.push_back(std::move(b));
        }
        return true;
    }
};

Road& TheRoad() {
    // The sound output must outlive the road, which closes it on the way out.
    host::GetAudioDevice();
    static Road road;
    static bool opened = road.Open();
    (void)opened;
    return road;
}

double g_roadSeconds = 0.0;

void RunRoad(benchmark::State& state, bool billboards) {
    Road& road = TheRoad();
    if (!road.framework || !road.framework->Device()) {
        state.SkipWithError("no display");
        return;
    }
    road.page->drawBillboards = billboards;
    host::GraphicsDevice& device = *road.framework->Device();
    for (auto _ : state) {
        road.framework->Render();
        device.Present();
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_RoadEmptyPage(benchmark::State& state) { RunRoad(state, false); }
BENCHMARK(BM_RoadEmptyPage)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Road500Billboards(benchmark::State& state) {
    RunRoad(state, true);
    if (state.iterations() > 0) {
        // Measured by the loop itself, for the ratio below.
        auto start = std::chrono::steady_clock::now();
        Road& road = TheRoad();
        for (int i = 0; i < 50; ++i) {
            road.framework->Render();
            road.framework->Device()->Present();
        }
        g_roadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 50;
    }
}
BENCHMARK(BM_Road500Billboards)->Unit(benchmark::kMicrosecond)->UseRealTime();

// The same billboards with no targets and no composition.
void BM_Direct500Billboards(benchmark::State& state) {
    Road& road = TheRoad();
    if (!road.framework || !road.framework->Device()) {
        state.SkipWithError("no display");
        return;
    }
    host::GraphicsDevice& device = *road.framework->Device();
    auto frame = [&] {
        road.app->Tick();
        device.SetRenderTarget(0);
        device.Clear(host::CLEAR_TARGET | host::CLEAR_ZBUFFER, 0, 1.0f);
        device.BeginScene();
        road.app->SetCamera2D(road.app->m_iScreenWidth, 0);
        for (auto& b : road.page->billboards) b->RenderSRT();
        device.EndScene();
        device.Present();
    };
    for (auto _ : state) frame();
    state.SetItemsProcessed(state.iterations());
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < 50; ++i) frame();
    const double direct = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() / 50;
    if (direct > 0.0 && g_roadSeconds > 0.0) state.counters["road_ratio"] = g_roadSeconds / direct;
}
BENCHMARK(BM_Direct500Billboards)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace
