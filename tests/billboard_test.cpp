

#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

using harness::World;

// A 64 × 32 picture: left half red, right half blue, alpha 255.
harness::Files HalfPicture() {
    return {{"Resource/Test/Bbd_Half.tga",
             testpic::TgaOf(64, 32, [](int x, int) { return x < 32 ? 0xFF0000FFu : 0x0000FFFFu; })}};
}

const host::DrawRecord& Only(const World& w) {
    EXPECT_EQ(w.device.draws.size(), 1u);
    return w.device.draws.back();
}

TEST(Billboard, MirroredScaleSwapsCullingForTheDrawOnly) {
    harness::World w;
    CVxBillboard b(nullptr, nullptr, nullptr);
    b.SetScale(-1, 1, 1);
    b.SetCullMode(CULL_CCW);
    b.ComposeRST();
    b.Render();
    EXPECT_EQ(Only(w).state.render[host::RS_CULLMODE], host::CULL_CW);
    EXPECT_EQ(w.device.GetRenderState(host::RS_CULLMODE), host::CULL_CCW);
    EXPECT_EQ(w.app.m_iCullMode, CULL_CCW);   // the application is back at the object's mode
    EXPECT_LT(Only(w).state.world[0], 0.0f);  // drawn mirrored

    b.SetCullMode(CULL_CW);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_CULLMODE], host::CULL_CCW);

    b.SetScale(-1, -1, 1);  // two mirrors make none
    b.SetCullMode(CULL_CCW);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_CULLMODE], host::CULL_CCW);
}

TEST(Billboard, SharedTextureOutlivesTheBillboard) {
    harness::World w(HalfPicture());
    CVxResourceManager manager;
    CVxTexture* texture = manager.CreateTexture("Bbd_Half.tga", "Resource\\Test\\");
    {
        CVxBillboard b(nullptr, nullptr, texture);
        EXPECT_FLOAT_EQ(b.m_vSize.y, 32.0f);
        EXPECT_FALSE(b.IsEmpty());  // shared: not its own
        b.ComposeRST();
        b.Render();
    }
    EXPECT_FALSE(texture->IsEmpty());
    CVxTexture::FreeReleasedTextures();
    EXPECT_EQ(w.device.LiveTextures(), 1u);
}

TEST(Billboard, MissingPictureDrawsUntexturedAfterOneBox) {
    harness::World w;
    CVxBillboard b("Bbd_Nothing.png", "Resource\\Test\\", nullptr);
    EXPECT_TRUE(w.host.boxes.Saw("Loading Texture Error !!", "Resource/Test/Bbd_Nothing.png\n NOT FOUND IN ZIP"));
    b.ComposeRST();
    b.Render();
    EXPECT_EQ(Only(w).state.texture, 0u);
}

TEST(Billboard, FrameSkipModeAndTheRedrawSwitch) {
    harness::World w;
    CVxBillboard b(nullptr, nullptr, nullptr);
    b.ComposeRST();
    w.app.m_iDrawMode = 1;
    w.app.m_nFrame = 3;
    b.Render();
    EXPECT_TRUE(w.device.draws.empty());
    g_bStageRedraw = true;  // draws whatever the frame
    b.Render();
    g_bStageRedraw = false;
    EXPECT_EQ(w.device.draws.size(), 1u);
    w.app.m_nFrame = 4;
    b.Render();
    EXPECT_EQ(w.device.draws.size(), 2u);
    // Mode 2 draws only frames the gate let through.
    w.app.m_iDrawMode = 2;
    g_nFrameGateCount = 0;
    g_bTargetDrawn = false;
    EXPECT_FALSE(IsDrawFrame());
    g_nFrameGateCount = 1;
    EXPECT_TRUE(IsDrawFrame());
    g_nFrameGateCount = 0;
    w.app.m_iDrawMode = 0;
}

}  // namespace
