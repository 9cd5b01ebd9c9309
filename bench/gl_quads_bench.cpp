// 2,000 textured, alpha-blended quads a frame: through the drawing device the
// way billboards draw (states set and restored around each quad, one world
// matrix each), against the machine's limit — the same quads uploaded in one
// buffer and drawn with one call. Needs a display (Xvfb will do).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/Random.h"
#include "platform/host/Display.h"
#include "platform/host/GlReferenceQuads.h"

using namespace host;

namespace {

constexpr int kQuads = 2000;

struct Scene {
    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> device;
    TextureHandle texture = 0;
    std::vector<Matrix> worlds;      // one billboard transform a quad
    std::vector<VertexRHW> corners;  // the same quads in screen pixels
    Matrix projection{};

    bool Open() {
        if (!std::getenv("DISPLAY")) return false;
        VideoSystem& vs = GetVideoSystem();
        if (!vs.Init()) return false;
        window = vs.CreateWindow("quads", 800, 600);
        if (!window) return false;
        PresentParameters pp;
        pp.presentInterval = 0x80000000u;
        device = vs.CreateDevice(*window, pp);
        if (!device) return false;
        std::vector<uint8_t> px(32 * 32 * 4);
        for (int i = 0; i < 32 * 32; ++i) {
            px[size_t(i) * 4 + 0] = uint8_t(i * 7);
            px[size_t(i) * 4 + 1] = 200;
            px[size_t(i) * 4 + 2] = uint8_t(i);
            px[size_t(i) * 4 + 3] = uint8_t((i % 32) * 8);
        }
        texture = device->CreateTexture(32, 32, px.data());
        projection = IdentityMatrix();
        projection[0] = 2.0f / 800;
        projection[5] = 2.0f / 600;
        VxSrand(7);
        for (int q = 0; q < kQuads; ++q) {
            const float cx = float(VxRand() % 760) - 380.0f, cy = float(VxRand() % 560) - 280.0f;
            Matrix w = IdentityMatrix();
            w[0] = w[5] = 32.0f;
            w[12] = cx;
            w[13] = cy;
            worlds.push_back(w);
            const float sx = cx + 400.0f, sy = 300.0f - cy;
            const uint32_t c = 0xC0FFFFFFu;
            corners.push_back({sx - 16.5f, sy - 16.5f, 0, 1, c, 0, 0});
            corners.push_back({sx + 15.5f, sy - 16.5f, 0, 1, c, 1, 0});
            corners.push_back({sx + 15.5f, sy + 15.5f, 0, 1, c, 1, 1});
            corners.push_back({sx - 16.5f, sy + 15.5f, 0, 1, c, 0, 1});
        }
        return true;
    }
};

Scene& TheScene() {
    static Scene scene;
    static bool opened = scene.Open();
    (void)opened;
    return scene;
}

void FinishFrame(GraphicsDevice& d) {
    // Reading one frame back waits for the drawing to finish, for both contenders alike.
    std::vector<uint8_t> px;
    int w, h;
    d.ReadBackBuffer(px, w, h);
    d.Present();
}

void BM_DeviceQuads(benchmark::State& state) {
    Scene& s = TheScene();
    if (!s.device) {
        state.SkipWithError("no display");
        return;
    }
    GraphicsDevice& d = *s.device;
    d.SetTransform(TS_PROJECTION, s.projection);
    d.SetTransform(TS_VIEW, IdentityMatrix());
    d.SetRenderState(RS_LIGHTING, 0);
    for (auto _ : state) {
        d.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        d.BeginScene();
        for (int q = 0; q < kQuads; ++q) {
            d.SetRenderState(RS_ALPHATESTENABLE, 1);
            d.SetRenderState(RS_ALPHABLENDENABLE, 1);
            d.SetRenderState(RS_ALPHAREF, 10);
            d.SetRenderState(RS_ALPHAFUNC, CMP_GREATEREQUAL);
            d.SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
            d.SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
            d.SetRenderState(RS_CULLMODE, CULL_CCW);
            d.SetRenderState(RS_ZENABLE, 0);
            d.SetRenderState(RS_ZWRITEENABLE, 0);
            d.SetTexture(0, s.texture);
            d.SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
            d.SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
            d.SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
            d.SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
            d.SetRenderState(RS_SEPARATEALPHABLENDENABLE, 1);
            d.SetRenderState(RS_SRCBLENDALPHA, BLEND_SRCALPHA);
            d.SetRenderState(RS_DESTBLENDALPHA, BLEND_DESTALPHA);
            d.SetRenderState(RS_BLENDOPALPHA, BLENDOP_MAX);
            d.SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
            d.SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
            d.SetTransform(TS_WORLD, s.worlds[size_t(q)]);
            const Vertex v[4] = {{0.5f, -0.5f, 0, 0xC0FFFFFFu, 1, 1},
                                 {-0.5f, -0.5f, 0, 0xC0FFFFFFu, 0, 1},
                                 {-0.5f, 0.5f, 0, 0xC0FFFFFFu, 0, 0},
                                 {0.5f, 0.5f, 0, 0xC0FFFFFFu, 1, 0}};
            d.DrawPrimitiveUP(PT_TRIANGLEFAN, 2, v);
            d.SetRenderState(RS_ALPHATESTENABLE, 0);
            d.SetRenderState(RS_ALPHABLENDENABLE, 0);
            d.SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG2);
        }
        d.EndScene();
        FinishFrame(d);
    }
    state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_DeviceQuads)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_ReferenceOneDraw(benchmark::State& state) {
    Scene& s = TheScene();
    if (!s.device) {
        state.SkipWithError("no display");
        return;
    }
    auto reference = GlReferenceQuads::Create(*s.device);
    if (!reference) {
        state.SkipWithError("not a GL device");
        return;
    }
    for (auto _ : state) {
        s.device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        reference->Draw(s.corners, s.texture);
        FinishFrame(*s.device);
    }
    state.SetItemsProcessed(state.iterations() * kQuads);
}
BENCHMARK(BM_ReferenceOneDraw)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
