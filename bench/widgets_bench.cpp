// A screen of text (2,000 glyphs) and 500 billboards a frame through the font
// and billboard widgets, against the device-level limit: the very quads the
// widgets draw, uploaded in one buffer and drawn with one call. With a display the real GL
// device is used; without one both run on the recording device.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/VxBillboard.h"
#include "engine/VxFont.h"
#include "engine/VxTexture.h"
#include "platform/Random.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Display.h"
#include "platform/host/GlReferenceQuads.h"
#include "platform/host/RecordingDevice.h"
#include "tests/Harness.h"

using namespace host;

namespace {

constexpr int kLines = 40;
constexpr int kLineLength = 50;  // 40 × 50 = 2,000 glyphs
constexpr int kBillboards = 500;

void WriteTga(const std::string& path, int size) {
    std::vector<uint8_t> out(18, 0);
    out[2] = 2;
    out[12] = out[14] = uint8_t(size & 0xFF);
    out[13] = out[15] = uint8_t(size >> 8);
    out[16] = 32;
    out[17] = 0x28;
    for (int i = 0; i < size * size; ++i) {
        const bool ink = (i / size) % 16 > 3 && (i % size) % 16 > 3;
        out.insert(out.end(), {200, 255, 255, uint8_t(ink ? 255 : 0)});
    }
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(out.data(), 1, out.size(), f);
    std::fclose(f);
}

struct Scene {
    host::HeadlessHost headless;
    harness::TestApplication app;
    std::unique_ptr<Window> window;
    std::unique_ptr<GraphicsDevice> device;
    bool gl = false;
    std::filesystem::path dir;
    std::unique_ptr<CVxFont> font;
    std::unique_ptr<CVxTexture> sprite;
    std::vector<std::unique_ptr<CVxBillboard>> boards;
    std::vector<std::string> lines;
    std::vector<VertexRHW> corners;  // the same quads, for the reference

    Scene() {
        if (std::getenv("DISPLAY")) {
            VideoSystem& vs = GetVideoSystem();
            if (vs.Init()) window = vs.CreateWindow("widgets", 800, 600);
            PresentParameters pp;
            pp.presentInterval = 0x80000000u;
            if (window) device = vs.CreateDevice(*window, pp);
            gl = device != nullptr;
        }
        if (!device) device = std::make_unique<RecordingDevice>(800, 600);
        app.m_pDevice = device.get();
        app.m_iScreenWidth = 880;
        app.m_iScreenHeight = 640;

        // Loose pictures in a scratch folder.
        dir = std::filesystem::temp_directory_path() / ("csq_widgets_bench_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        WriteTga((dir / "font.tga").string(), 256);
        WriteTga((dir / "sprite.tga").string(), 32);
        g_bLooseFiles = true;
        const std::string folder = dir.string() + "/";
        font = std::make_unique<CVxFont>("font.tga", folder.c_str());
        sprite = std::make_unique<CVxTexture>("sprite.tga", folder.c_str());
        g_bLooseFiles = false;

        font->m_nCols = 16;
        font->m_nRows = 16;
        for (int c = 0; c < FONT_CODES; ++c) font->m_aMap[c] = {(c % 16) * 16 + 2, (c % 16) * 16 + 12};
        font->BuildGlyphs();
        font->m_iAlign = 1;
        font->m_bCellMode = false;

        VxSrand(11);
        for (int l = 0; l < kLines; ++l) {
            std::string s;
            for (int k = 0; k < kLineLength; ++k) s += char('A' + VxRand() % 26);
            lines.push_back(s);
        }
        for (int b = 0; b < kBillboards; ++b) {
            auto board = std::make_unique<CVxBillboard>(nullptr, nullptr, sprite.get());
            board->SetAlphaBlend(true);
            board->SetPosition(float(VxRand() % 840) - 420.0f, float(VxRand() % 600) - 300.0f, 0.0f);
            boards.push_back(std::move(board));
        }
        Matrix projection = IdentityMatrix();
        projection[0] = 2.0f / 880;
        projection[5] = 2.0f / 640;
        device->SetTransform(TS_PROJECTION, projection);
        device->SetTransform(TS_VIEW, IdentityMatrix());
        device->SetRenderState(RS_LIGHTING, 0);
        RecordQuads();
    }

    void DrawWidgets() {
        for (int l = 0; l < kLines; ++l) {
            font->SetPosition(-430.0f, 300.0f - float(l) * 15.0f, 0.0f);
            font->DrawText(lines[size_t(l)].c_str());
        }
        for (auto& b : boards) b->RenderRST();
    }

    // The reference draws exactly the widgets' quads: one frame of them goes
    // to a recording device, and each recorded quad is carried to the screen
    // pixels its transforms put it at.
    void RecordQuads() {
        // Uploaded to the real device first: a texture goes to the first device that asks.
        sprite->Handle(*device);
        if (font->m_pTextureBoard && font->m_pTextureBoard->m_pTexture)
            font->m_pTextureBoard->m_pTexture->Handle(*device);
        RecordingDevice recorder(800, 600);
        recorder.SetTransform(TS_PROJECTION, device->GetTransform(TS_PROJECTION));
        recorder.SetTransform(TS_VIEW, IdentityMatrix());
        app.m_pDevice = &recorder;
        DrawWidgets();
        app.m_pDevice = device.get();
        for (const DrawRecord& d : recorder.draws) {
            if (d.pretransformed || d.vertices.size() != 4) continue;
            const Matrix m = Multiply(Multiply(d.state.world, d.state.view), d.state.projection);
            for (const Vertex& v : d.vertices) {
                const float x = v.x * m[0] + v.y * m[4] + v.z * m[8] + m[12];
                const float y = v.x * m[1] + v.y * m[5] + v.z * m[9] + m[13];
                const float w = v.x * m[3] + v.y * m[7] + v.z * m[11] + m[15];
                const float sx = (x / w + 1.0f) * 400.0f, sy = (1.0f - y / w) * 300.0f;
                corners.push_back({sx - 0.5f, sy - 0.5f, 0, 1, v.color, v.u, v.v});
            }
        }
    }
    ~Scene() {
        boards.clear();
        font.reset();
        sprite.reset();
        CVxTexture::FreeReleasedTextures();
        std::filesystem::remove_all(dir);
    }

    void Finish() {
        if (gl) {
            std::vector<uint8_t> px;
            int w, h;
            device->ReadBackBuffer(px, w, h);
            device->Present();
        } else {
            static_cast<RecordingDevice&>(*device).draws.clear();
        }
    }
};

Scene& TheScene() {
    static Scene scene;
    return scene;
}

void BM_WidgetsFrame(benchmark::State& state) {
    Scene& s = TheScene();
    state.SetLabel(s.gl ? "GL" : "recording device");
    for (auto _ : state) {
        s.device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        s.device->BeginScene();
        s.DrawWidgets();
        s.device->EndScene();
        s.Finish();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(s.corners.size() / 4));
}
// Real time: the GL work happens outside this thread's CPU time.
BENCHMARK(BM_WidgetsFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

void BM_ReferenceOneDraw(benchmark::State& state) {
    Scene& s = TheScene();
    state.SetLabel(s.gl ? "GL" : "recording device");
    std::unique_ptr<GlReferenceQuads> reference;
    if (s.gl) reference = GlReferenceQuads::Create(*s.device);
    const TextureHandle texture = s.sprite->Handle(*s.device);
    // The recording twin of one draw: every quad as two triangles in one list.
    std::vector<VertexRHW> list;
    for (size_t q = 0; q < s.corners.size(); q += 4)
        for (int i : {0, 1, 2, 0, 2, 3}) list.push_back(s.corners[q + size_t(i)]);
    for (auto _ : state) {
        s.device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        if (reference) {
            reference->Draw(s.corners, texture);
        } else {
            s.device->SetTexture(0, texture);
            s.device->DrawPrimitiveUP(PT_TRIANGLELIST, uint32_t(list.size() / 3), list.data());
        }
        s.Finish();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(s.corners.size() / 4));
}
BENCHMARK(BM_ReferenceOneDraw)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace
