// Draws known quads through the GL device in a real window and checks the
// pixels read back from the back buffer.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/host/Effect.h"
#include "platform/host/GlDevice.h"
#include "tests/gl/GoldenPicture.h"

namespace gl_device_test {

using namespace host;

namespace {

class GlDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        ASSERT_TRUE(gl.Open("GL device test", 800, 600));
        device = gl.device.get();
        ASSERT_EQ(device->BackBufferWidth(), 800);
        ASSERT_EQ(device->BackBufferHeight(), 600);
        device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000u, 1.0f);
        device->SetRenderState(RS_LIGHTING, 0);
        device->SetRenderState(RS_CULLMODE, host::CULL_NONE);
        device->SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG2);
        device->SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
        device->SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG2);
        device->SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
    }

    // A screen-space rectangle as a fan, wound clockwise on screen.
    void Rect(float l, float t, float r, float b, uint32_t color, float u0 = 0, float v0 = 0, float u1 = 1,
              float v1 = 1) {
        const VertexRHW v[4] = {{l - 0.5f, t - 0.5f, 0.5f, 1, color, u0, v0},
                                {r - 0.5f, t - 0.5f, 0.5f, 1, color, u1, v0},
                                {r - 0.5f, b - 0.5f, 0.5f, 1, color, u1, v1},
                                {l - 0.5f, b - 0.5f, 0.5f, 1, color, u0, v1}};
        device->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, v);
    }
    void Read() {
        int w = 0, h = 0;
        ASSERT_TRUE(device->ReadBackBuffer(pixels, w, h));
        ASSERT_EQ(w, 800);
        ASSERT_EQ(h, 600);
    }
    // "r,g,b" of a pixel, for readable failures.
    std::string At(int x, int y) const {
        const uint8_t* p = &pixels[(size_t(y) * 800 + size_t(x)) * 4];
        return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
    }
    int Channel(int x, int y, int c) const { return pixels[(size_t(y) * 800 + size_t(x)) * 4 + size_t(c)]; }
    void UseTexture(TextureHandle t) {
        device->SetTexture(0, t);
        device->SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
        device->SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
        device->SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
        device->SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
        device->SetSamplerState(0, SAMP_MAGFILTER, TEXF_POINT);
        device->SetSamplerState(0, SAMP_MINFILTER, TEXF_POINT);
        device->SetSamplerState(0, SAMP_ADDRESSU, TADDRESS_CLAMP);
        device->SetSamplerState(0, SAMP_ADDRESSV, TADDRESS_CLAMP);
    }

    golden::GlWindow gl;
    GraphicsDevice* device = nullptr;
    std::vector<uint8_t> pixels;
};

}  // namespace

TEST_F(GlDeviceTest, ScreenQuadsCoverExactlyTheirPixels) {
    Rect(100, 100, 200, 200, 0xFFFF0000u);
    Read();
    EXPECT_EQ(At(155, 155), "255,0,0");
    EXPECT_EQ(At(100, 100), "255,0,0");
    EXPECT_EQ(At(199, 199), "255,0,0");
    EXPECT_EQ(At(99, 150), "0,0,0");
    EXPECT_EQ(At(200, 150), "0,0,0");
    EXPECT_EQ(At(150, 99), "0,0,0");
    EXPECT_EQ(At(150, 200), "0,0,0");
}

TEST_F(GlDeviceTest, CullingFollowsTheWindingOnScreen) {
    device->SetRenderState(RS_CULLMODE, host::CULL_CCW);
    Rect(0, 0, 100, 100, 0xFFFFFFFFu);  // clockwise on screen: kept
    const VertexRHW ccw[4] = {{200, 0, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                              {200, 100, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                              {300, 100, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                              {300, 0, 0.5f, 1, 0xFFFFFFFFu, 0, 0}};
    device->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, ccw);
    device->SetRenderState(RS_CULLMODE, host::CULL_CW);
    const VertexRHW ccw2[4] = {{400, 0, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                               {400, 100, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                               {500, 100, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                               {500, 0, 0.5f, 1, 0xFFFFFFFFu, 0, 0}};
    device->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, ccw2);
    Read();
    EXPECT_EQ(At(50, 50), "255,255,255");
    EXPECT_EQ(At(250, 50), "0,0,0");
    EXPECT_EQ(At(450, 50), "255,255,255");
}

TEST_F(GlDeviceTest, RenderTargetKeepsItsPictureUpright) {
    TextureHandle rt = device->CreateRenderTarget(64, 64);
    ASSERT_NE(rt, 0u);
    device->SetRenderTarget(rt);
    device->Clear(CLEAR_TARGET, 0xFF0000FFu, 1.0f);
    Rect(0, 0, 32, 32, 0xFFFFFF00u);  // yellow top-left quarter
    device->SetRenderTarget(0);
    UseTexture(rt);
    Rect(300, 300, 364, 364, 0xFFFFFFFFu);
    Read();
    EXPECT_EQ(At(310, 310), "255,255,0");
    EXPECT_EQ(At(350, 350), "0,0,255");
    EXPECT_EQ(At(350, 310), "0,0,255");
    EXPECT_EQ(At(310, 350), "0,0,255");
    device->ReleaseTexture(rt);
}

TEST_F(GlDeviceTest, SeparateAlphaMaxKeepsTheLargerAlpha) {
    TextureHandle rt = device->CreateRenderTarget(32, 32);
    ASSERT_NE(rt, 0u);
    device->SetRenderTarget(rt);
    device->Clear(CLEAR_TARGET, 0x40FFFFFFu, 1.0f);
    device->SetRenderState(RS_ALPHABLENDENABLE, 1);
    device->SetRenderState(RS_SRCBLEND, BLEND_ONE);
    device->SetRenderState(RS_DESTBLEND, BLEND_ZERO);
    device->SetRenderState(RS_SEPARATEALPHABLENDENABLE, 1);
    device->SetRenderState(RS_SRCBLENDALPHA, BLEND_SRCALPHA);
    device->SetRenderState(RS_DESTBLENDALPHA, BLEND_DESTALPHA);
    device->SetRenderState(RS_BLENDOPALPHA, BLENDOP_MAX);
    Rect(0, 0, 16, 32, 0x20FFFFFFu);   // lower alpha than the target: the target's stays
    Rect(16, 0, 32, 32, 0x80FFFFFFu);  // higher: it wins
    device->SetRenderTarget(0);
    // Show the target's alpha as grey: white blended by its alpha over black.
    device->SetRenderState(RS_SEPARATEALPHABLENDENABLE, 0);
    device->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    device->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    UseTexture(rt);
    Rect(0, 0, 32, 32, 0xFFFFFFFFu);
    Read();
    EXPECT_NEAR(Channel(8, 16, 0), 0x40, 1);
    EXPECT_NEAR(Channel(24, 16, 0), 0x80, 1);
}

TEST_F(GlDeviceTest, AlphaTestDropsPixelsBelowTheReference) {
    const uint8_t texels[8] = {255, 255, 255, 9, 255, 255, 255, 10};
    TextureHandle t = device->CreateTexture(2, 1, texels);
    ASSERT_NE(t, 0u);
    UseTexture(t);
    device->SetRenderState(RS_ALPHATESTENABLE, 1);
    device->SetRenderState(RS_ALPHAREF, 10);
    device->SetRenderState(RS_ALPHAFUNC, CMP_GREATEREQUAL);
    Rect(0, 0, 100, 50, 0xFFFFFFFFu);
    Read();
    EXPECT_EQ(At(25, 25), "0,0,0");
    EXPECT_EQ(At(75, 25), "255,255,255");
}

// The composition's screen quad over a picture of the screen's size: only the
// untinted, unshaken copy is made as a blit, and either way the pixels are
// those the draw gives (upright, tinted by the quad's colour).
struct Composition {
    const char* rule;
    uint32_t color;
    float shift;  // pixels right
    bool blit;
    const char* topLeft;  // pixel (10, 10)
    const char* corner;   // pixel (0, 0)
};

void PrintTo(const Composition& c, std::ostream* os) { *os << c.rule; }

class GlComposition : public GlDeviceTest, public ::testing::WithParamInterface<Composition> {};

TEST_P(GlComposition, CopiesWhatTheDrawWouldShow) {
    const Composition& c = GetParam();
    auto* gl = dynamic_cast<GlDevice*>(device);
    ASSERT_NE(gl, nullptr);
    TextureHandle scene = device->CreateRenderTarget(800, 600);
    ASSERT_NE(scene, 0u);
    device->SetRenderTarget(scene);
    device->Clear(CLEAR_TARGET, 0x800000FFu, 1.0f);
    Rect(0, 0, 400, 300, 0xFFFFFF00u);  // yellow top-left quarter
    device->SetRenderTarget(0);
    device->Clear(CLEAR_TARGET, 0xFF00FF00u, 1.0f);
    VertexRHW quad[4];
    for (int i = 0; i < 4; ++i) {
        quad[i] = {(i & 1 ? 799.5f : -0.5f) + c.shift,
                   i & 2 ? 599.5f : -0.5f,
                   0.0f,
                   1.0f,
                   c.color,
                   i & 1 ? 1.0f : 0.0f,
                   i & 2 ? 1.0f : 0.0f};
    }
    const uint64_t copies = gl->WholeCopies();
    ApplyPostProcessPass(*device, scene);
    device->DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad);
    EXPECT_EQ(gl->WholeCopies() - copies, c.blit ? 1u : 0u);
    Read();
    EXPECT_EQ(At(10, 10), c.topLeft);
    EXPECT_EQ(At(0, 0), c.corner);
    EXPECT_EQ(At(600, 450), c.color == 0xFFFFFFFFu || c.color == 0x00FFFFFFu ? "0,0,255" : "0,0,128");
    device->ReleaseTexture(scene);
}

INSTANTIATE_TEST_SUITE_P(
    Quads, GlComposition,
    ::testing::Values(Composition{"white quad copies", 0xFFFFFFFFu, 0.0f, true, "255,255,0", "255,255,0"},
                      Composition{"quad alpha is not read", 0x00FFFFFFu, 0.0f, true, "255,255,0", "255,255,0"},
                      Composition{"dim grey tints", 0xFF808080u, 0.0f, false, "128,128,0", "128,128,0"},
                      Composition{"shaken quad leaves the clear colour", 0xFFFFFFFFu, 1.0f, false, "255,255,0",
                                  "0,255,0"}),
    [](const ::testing::TestParamInfo<Composition>& info) {
        std::string name;
        for (const char* p = info.param.rule; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

// A frame built in a scene target and composed onto the back buffer, drawn
// once with the scene named as the frame target and once without: the
// pictures must match to the bit, and the scene stays on the back buffer
// (its copy skipped) only where nothing else wants it.
struct FrameTargetCase {
    const char* rule;
    bool drawFirst;         // the back buffer is drawn on before the scene
    bool splitClear;        // the scene's depth and colour are cleared apart
    bool still;             // the scene is copied to a still, which is composed instead
    uint32_t composeColor;  // of the composition's quad
    float shift;            // of the composition's quad, pixels right
    bool drawAfter;         // the back buffer is drawn on after the composition
    bool onBackBuffer;      // the scene stayed on the back buffer
};

void PrintTo(const FrameTargetCase& c, std::ostream* os) { *os << c.rule; }

class GlFrameTarget : public GlDeviceTest, public ::testing::WithParamInterface<FrameTargetCase> {
protected:
    void Compose(TextureHandle source, uint32_t color, float shift) {
        const DeviceState saved = device->CaptureState();
        ApplyPostProcessPass(*device, source);
        VertexRHW quad[4];
        for (int i = 0; i < 4; ++i)
            quad[i] = {(i & 1 ? 799.5f : -0.5f) + shift,
                       i & 2 ? 599.5f : -0.5f,
                       0.0f,
                       1.0f,
                       color,
                       i & 1 ? 1.0f : 0.0f,
                       i & 2 ? 1.0f : 0.0f};
        device->DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad);
        device->ApplyState(saved);
    }
    // One frame as the game draws it; the back buffer as it is before the present.
    std::vector<uint8_t> Frame(const FrameTargetCase& c, TextureHandle frameTarget) {
        device->Present();
        device->SetFrameTarget(frameTarget);
        if (c.drawFirst) Rect(0, 0, 50, 50, 0xFF00FFFFu);
        device->SetRenderTarget(scene);
        if (c.splitClear) device->Clear(CLEAR_ZBUFFER, 0, 1.0f);
        device->Clear(c.splitClear ? CLEAR_TARGET : CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF202020u, 1.0f);
        Compose(stage, 0xFFFFFFFFu, 0.0f);  // the cached stage under the field
        device->SetRenderState(RS_ZENABLE, 1);
        device->SetRenderState(RS_ZWRITEENABLE, 1);
        device->SetRenderState(RS_ZFUNC, CMP_LESS);
        Rect(100, 100, 300, 300, 0xFFFF0000u);
        Rect(200, 200, 400, 400, 0xFF0000FFu);  // the same depth: hidden where the red is
        device->SetRenderState(RS_ZENABLE, 0);
        device->SetRenderState(RS_ALPHABLENDENABLE, 1);
        device->SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
        device->SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
        Rect(350, 50, 650, 250, 0x80FFFFFFu);
        device->SetRenderState(RS_ALPHABLENDENABLE, 0);
        TextureHandle shown = scene;
        if (c.still) {
            device->SetRenderTarget(still);
            device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0, 1.0f);
            Compose(scene, 0xFFFFFFFFu, 0.0f);
            shown = still;
        }
        device->SetRenderTarget(0);
        device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF00FF00u, 1.0f);
        Compose(shown, c.composeColor, c.shift);
        if (c.drawAfter) Rect(700, 500, 800, 600, 0xFFFFFF00u);
        Read();
        return pixels;
    }
    TextureHandle scene = 0, stage = 0, still = 0;
};

TEST_P(GlFrameTarget, DrawsThePictureOfTheFrameDrawnThroughTheTarget) {
    const FrameTargetCase& c = GetParam();
    auto* gl = dynamic_cast<GlDevice*>(device);
    ASSERT_NE(gl, nullptr);
    scene = device->CreateRenderTarget(800, 600);
    stage = device->CreateRenderTarget(800, 600);
    still = device->CreateRenderTarget(800, 600);
    ASSERT_TRUE(scene && stage && still);
    device->SetRenderTarget(stage);
    device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000080u, 1.0f);
    Rect(0, 0, 400, 300, 0xFF808000u);
    device->SetRenderTarget(0);

    const std::vector<uint8_t> through = Frame(c, 0);
    const uint64_t before = gl->FramesOnBackBuffer();
    const std::vector<uint8_t> onBack = Frame(c, scene);
    EXPECT_EQ(gl->FramesOnBackBuffer() - before, c.onBackBuffer ? 1u : 0u);
    ASSERT_EQ(onBack.size(), through.size());
    size_t differ = 0;
    for (size_t i = 0; i < onBack.size(); i += 4)
        differ += onBack[i] != through[i] || onBack[i + 1] != through[i + 1] || onBack[i + 2] != through[i + 2];
    EXPECT_EQ(differ, 0u);
    // The red square won the depth test where the blue one overlaps it.
    EXPECT_EQ(At(250, 250), c.composeColor == 0xFFFFFFFFu ? "255,0,0" : "128,0,0");
    // A later frame that draws the scene without naming it keeps it in its own storage.
    const uint64_t last = gl->FramesOnBackBuffer();
    EXPECT_EQ(Frame(c, 0), through);
    EXPECT_EQ(gl->FramesOnBackBuffer(), last);
    for (TextureHandle t : {scene, stage, still}) device->ReleaseTexture(t);
}

// A frame that presents while still drawing to its frame target keeps the
// target's picture for the next frame to show.
TEST_F(GlFrameTarget, APresentWhileStillDrawingToItKeepsItsPicture) {
    scene = device->CreateRenderTarget(800, 600);
    ASSERT_NE(scene, 0u);
    for (TextureHandle named : {TextureHandle(0), scene}) {
        device->Present();
        device->SetFrameTarget(named);
        device->SetRenderTarget(scene);
        device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF202020u, 1.0f);
        Rect(100, 100, 300, 300, named ? 0xFF0000FFu : 0xFFFF0000u);
        device->Present();
        device->SetRenderTarget(0);
        device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF00FF00u, 1.0f);
        Compose(scene, 0xFFFFFFFFu, 0.0f);
        Read();
        EXPECT_EQ(At(150, 150), named ? "0,0,255" : "255,0,0") << "named " << named;
        EXPECT_EQ(At(50, 50), "32,32,32") << "named " << named;
    }
    device->ReleaseTexture(scene);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, GlFrameTarget,
    ::testing::Values(
        FrameTargetCase{"plain copy stays on the back buffer", false, false, false, 0xFFFFFFFFu, 0.0f, false, true},
        FrameTargetCase{"drawing after the copy keeps it", false, false, false, 0xFFFFFFFFu, 0.0f, true, true},
        FrameTargetCase{"shaken composition moves it off", false, false, false, 0xFFFFFFFFu, 1.0f, true, false},
        FrameTargetCase{"tinted composition moves it off", false, false, false, 0xFF808080u, 0.0f, false, false},
        FrameTargetCase{"a still copied from it moves it off", false, false, true, 0xFFFFFFFFu, 0.0f, false, false},
        FrameTargetCase{"back buffer drawn on first", true, false, false, 0xFFFFFFFFu, 0.0f, false, false},
        FrameTargetCase{"depth cleared apart", false, true, false, 0xFFFFFFFFu, 0.0f, false, false}),
    [](const ::testing::TestParamInfo<FrameTargetCase>& info) {
        std::string name;
        for (const char* p = info.param.rule; *p; ++p)
            if (std::isalnum(static_cast<unsigned char>(*p))) name += *p;
        return name;
    });

}  // namespace gl_device_test
