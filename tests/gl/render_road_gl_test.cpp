// The render road on the GL device in a real window: a frozen still with
// the dim and an overlay, composed through the targets, against a reference
// picture; and the full-screen target sizes and pillar box on wide and 5:4
// back buffers. Set CSQ_UPDATE_GOLDEN=1 to write the reference picture anew.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "engine/VxBillboard.h"
#include "engine/VxPage.h"
#include "engine/VxXApplication.h"
#include "engine/framework/MyD3DApplication.h"
#include "engine/framework/RenderTargets.h"
#include "platform/host/Display.h"
#include "platform/host/MessageBox.h"
#include "tests/gl/GoldenPicture.h"

namespace render_road_gl_test {

using namespace host;

namespace {

// A screen rectangle in one colour, in target pixels.
void Rect(GraphicsDevice& device, float l, float t, float r, float b, uint32_t color) {
    device.SetTexture(0, 0);
    device.SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG2);
    device.SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
    device.SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG2);
    device.SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
    device.SetRenderState(RS_CULLMODE, host::CULL_NONE);
    device.SetRenderState(RS_ALPHABLENDENABLE, 0);
    const VertexRHW v[4] = {{l - 0.5f, t - 0.5f, 0.5f, 1, color, 0, 0},
                            {r - 0.5f, t - 0.5f, 0.5f, 1, color, 1, 0},
                            {l - 0.5f, b - 0.5f, 0.5f, 1, color, 0, 1},
                            {r - 0.5f, b - 0.5f, 0.5f, 1, color, 1, 1}};
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, v);
}

class PaintedApp : public CVxXApplication {
public:
    PaintedApp() {
        m_bRunWorkersInline = true;
        m_iWindowWidth = 800;
        m_iWindowHeight = 600;
        m_iScreenWidth = 880;
        m_iScreenHeight = 640;
    }
    // The overlay a pop-up would draw over the frozen picture.
    void UpdateOverlays() override {
        if (m_pDevice) Rect(*m_pDevice, 350, 250, 450, 350, 0xFF0000FFu);
    }
};

// Left red, right green, a yellow band along the top edge.
class PaintedPage : public CVxPage {
public:
    int RenderScreen(int) override {
        GraphicsDevice* device = g_pApp ? g_pApp->m_pDevice : nullptr;
        if (!device) return 0;
        Rect(*device, 0, 0, 400, 600, 0xFFFF0000u);
        Rect(*device, 400, 0, 800, 600, 0xFF00FF00u);
        Rect(*device, 0, 0, 800, 40, 0xFFFFFF00u);
        return 0;
    }
};

class RoadGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
        SetMessageBoxes(&boxes);
        g_GameRoadLinks = GameRoadLinks{};
        g_bApplyFullscreenAtStart = 0;
    }
    void TearDown() override {
        if (framework && framework->Window()) framework->HandleMessage(framework->Window(), WM_CLOSE, 0, 0);
        framework.reset();
        page.reset();
        g_GameRoadLinks = GameRoadLinks{};
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
        g_fScreenDim = 1.0f;
        SetMessageBoxes(nullptr);
    }
    // "r,g,b" of a back-buffer pixel.
    std::string At(int x, int y) const {
        const uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * 4];
        return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]);
    }

    RecordingMessageBoxes boxes;
    std::unique_ptr<CMyD3DApplication> framework;
    std::unique_ptr<PaintedPage> page;
    std::vector<uint8_t> pixels;
    int width = 0, height = 0;
};

TEST_F(RoadGlTest, FrozenStillWithDimAndOverlayMatchesTheReferencePicture) {
    auto* app = new PaintedApp();  // deleted with the device resources
    app->OpenResourceArchive(CSQ_BINARY_DIR "/DATA");
    page = std::make_unique<PaintedPage>();
    framework = std::make_unique<CMyD3DApplication>();
    framework->m_pszWindowTitle = u"Cogsquall road test";
    framework->m_dwCreationWidth = 800;
    framework->m_dwCreationHeight = 600;
    ASSERT_EQ(framework->Create(), S_OK);
    ASSERT_NE(framework->Device(), nullptr);
    EXPECT_EQ(boxes.Count(), 0u) << "the effect file should load";
    ASSERT_NE(g_pPostProcessEffect, nullptr);

    // Frame 1 draws the page and captures it; frame 2 shows the still dimmed
    // to 0.65 with the overlay drawn over it at full strength.
    bool dimming = false;
    g_GameRoadLinks.updateScreenDim = [&] {
        g_fScreenDim = dimming ? 0.65f : 1.0f;
        return true;
    };
    app->m_bCaptureStill = true;
    ASSERT_EQ(framework->Render(), S_OK);
    EXPECT_TRUE(app->m_bShowStill);
    dimming = true;
    ASSERT_EQ(framework->Render(), S_OK);
    ASSERT_TRUE(framework->Device()->ReadBackBuffer(pixels, width, height));
    ASSERT_EQ(width, 800);
    ASSERT_EQ(height, 600);

    // Upright, dimmed by 166/255, overlay untouched.
    EXPECT_EQ(At(100, 300), "166,0,0");
    EXPECT_EQ(At(700, 300), "0,166,0");
    EXPECT_EQ(At(100, 10), "166,166,0");
    EXPECT_EQ(At(100, 590), "166,0,0");
    EXPECT_EQ(At(400, 300), "0,0,255");

    golden::ExpectMatches(*framework->Device(), "render_road_still");
}

struct WideCase {
    int width, height;
    int targetWidth;
    float quadLeft, quadRight;
    int slot;
};

class RoadGlSizes : public ::testing::TestWithParam<WideCase> {};

TEST_P(RoadGlSizes, FullScreenTargetsAndBackBufferQuad) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    const WideCase c = GetParam();
    golden::GlWindow gl;
    ASSERT_TRUE(gl.Open("road sizes", c.width, c.height));
    host::GraphicsDevice* device = gl.device.get();
    if (device->BackBufferWidth() != c.width || device->BackBufferHeight() != c.height)
        GTEST_SKIP() << "the display gave " << device->BackBufferWidth() << "x" << device->BackBufferHeight();

    ASSERT_EQ(RestoreRenderTargets(*device, false, 800, 600), S_OK);
    int w = 0, h = 0;
    ASSERT_TRUE(device->TextureSize(g_pSceneTarget, w, h));
    EXPECT_EQ(w, c.targetWidth);
    EXPECT_EQ(h, c.height);
    ASSERT_TRUE(device->TextureSize(g_apRenderTexture[0], w, h));
    EXPECT_EQ(w, c.slot);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[0].x, c.quadLeft);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[1].x, c.quadRight);

    // A white scene composed: black bars left and right of the picture only.
    device->SetRenderTarget(g_pSceneTarget);
    device->Clear(CLEAR_TARGET, 0xFFFFFFFFu, 1.0f);
    device->SetRenderTarget(0);
    device->Clear(CLEAR_TARGET, 0xFF000000u, 1.0f);
    DrawEffectPass(*device, nullptr, 0, g_pSceneTarget, g_aBackBufferQuad);
    std::vector<uint8_t> px;
    ASSERT_TRUE(device->ReadBackBuffer(px, w, h));
    auto red = [&](int x, int y) { return int(px[(size_t(y) * size_t(w) + size_t(x)) * 4]); };
    const int left = int(c.quadLeft + 0.5f);
    if (left > 0) {
        EXPECT_EQ(red(left - 2, 300), 0);
    }
    EXPECT_EQ(red(left + 2, 300), 255);
    EXPECT_EQ(red(std::min(1000, int(c.quadRight) - 2), 300), 255);
    ReleaseRenderTargets();
}

INSTANTIATE_TEST_SUITE_P(Wide, RoadGlSizes,
                         ::testing::Values(WideCase{1280, 720, 960, 159.5f, 1119.5f, 1024},
                                           WideCase{1280, 1024, 1365, -0.5f, 1279.5f, 2048},
                                           // Bars of 145.5 pixels keep their half pixel.
                                           WideCase{1176, 664, 885, 145.0f, 1030.0f, 1024}));

}  // namespace

}  // namespace render_road_gl_test
