

#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

using harness::World;

// A 64 × 32 picture: left half red, right half blue, alpha 255.
harness::Files Pictures() {
    return {{"Resource/Test/Bbd_Half.tga", testpic::TgaOf(64, 32, [](int x, int) {
                 return x < 32 ? 0xFF0000FFu : 0x0000FFFFu;
             })}};
}

const host::DrawRecord& Only(const World& w) {
    EXPECT_EQ(w.device.draws.size(), 1u);
    return w.device.draws.back();
}

TEST(Billboard, TextureRectTakesOnlyArgumentsWithinZeroToOne) {
    harness::World w;
    CVxBillboard b(nullptr, nullptr, nullptr);
    b.SetTextureRect(0.0f, 0.0f, 0.5f, 1.0f);
    b.SetTextureRect(1.5f, 0.0f, 0.5f, 1.0f);  // left edge kept, right edge 2.0
    EXPECT_FLOAT_EQ(b.m_fU0, 0.0f);
    EXPECT_FLOAT_EQ(b.m_fU1, 2.0f);
    b.SetTextureRect(0.25f, -0.1f, 1.2f, 0.5f);
    EXPECT_FLOAT_EQ(b.m_fU0, 0.25f);
    EXPECT_FLOAT_EQ(b.m_fU1, 2.0f);   // width outside: right edge stays
    EXPECT_FLOAT_EQ(b.m_fV0, 0.0f);   // v outside: top stays
    EXPECT_FLOAT_EQ(b.m_fV1, 0.4f);   // the sum uses the argument as given
    b.SetTextureRect(1.0f, 1.0f, 0.0f, 0.0f);  // the edges 0 and 1 are inside
    EXPECT_FLOAT_EQ(b.m_fU1, 1.0f);
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
    EXPECT_EQ(w.app.m_iCullMode, CULL_CCW);  // the application is back at the object's mode
    EXPECT_LT(Only(w).state.world[0], 0.0f);  // drawn mirrored

    b.SetCullMode(CULL_CW);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_CULLMODE], host::CULL_CCW);

    b.SetScale(-1, -1, 1);  // two mirrors make none
    b.SetCullMode(CULL_CCW);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_CULLMODE], host::CULL_CCW);
}

TEST(Billboard, BlendModeTable) {
    harness::World w;
    CVxBillboard b(nullptr, nullptr, nullptr);
    b.SetAlphaBlend(true);
    b.ComposeRST();
    struct Case {
        int mode;
        uint32_t src, dest;
    } cases[] = {
        {BLEND_ALPHA, host::BLEND_SRCALPHA, host::BLEND_INVSRCALPHA},
        {BLEND_COLOR, host::BLEND_SRCCOLOR, host::BLEND_INVSRCCOLOR},
        {BLEND_COLOR_ADD, host::BLEND_SRCCOLOR, host::BLEND_ONE},
        {BLEND_ADD, host::BLEND_SRCALPHA, host::BLEND_ONE},
    };
    for (const Case& c : cases) {
        b.SetBlendMode(c.mode, 10);
        b.Render();
        const host::DeviceState& s = w.device.draws.back().state;
        EXPECT_EQ(s.render[host::RS_SRCBLEND], c.src) << c.mode;
        EXPECT_EQ(s.render[host::RS_DESTBLEND], c.dest) << c.mode;
        EXPECT_EQ(s.render[host::RS_ALPHABLENDENABLE], 1u);
        EXPECT_EQ(s.render[host::RS_ALPHATESTENABLE], 1u);
        EXPECT_EQ(s.render[host::RS_ALPHAREF], 10u);
        EXPECT_EQ(s.render[host::RS_ALPHAFUNC], host::CMP_GREATEREQUAL);
    }
    b.SetSrcBlend(host::BLEND_DESTCOLOR);
    b.SetDestBlend(host::BLEND_ZERO);
    b.SetBlendMode(BLEND_CUSTOM, 10);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_SRCBLEND], host::BLEND_DESTCOLOR);
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_DESTBLEND], host::BLEND_ZERO);
    // An unknown mode leaves the factors of the last draw.
    b.SetBlendMode(9, 10);
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.render[host::RS_SRCBLEND], host::BLEND_DESTCOLOR);
    // Blending ends with the draw.
    EXPECT_EQ(w.device.GetRenderState(host::RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(w.device.GetRenderState(host::RS_ALPHATESTENABLE), 0u);
}

TEST(Billboard, TextureStageStatesAndTheirRestore) {
    harness::World w(Pictures());
    CVxBillboard b("Bbd_Half.tga", "Resource\\Test\\", nullptr);
    b.ComposeRST();
    b.Render();
    const host::DeviceState& s = w.device.draws.back().state;
    EXPECT_EQ(s.stage[host::TSS_COLOROP], host::TOP_MODULATE);
    EXPECT_EQ(s.stage[host::TSS_ALPHAOP], host::TOP_MODULATE);
    EXPECT_EQ(s.render[host::RS_BLENDOPALPHA], host::BLENDOP_MAX);
    EXPECT_EQ(s.sampler[host::SAMP_MAGFILTER], host::TEXF_LINEAR);
    EXPECT_EQ(s.render[host::RS_ZENABLE], 0u);
    EXPECT_EQ(s.render[host::RS_ALPHABLENDENABLE], 0u);  // blending off unless asked for
    EXPECT_EQ(w.device.GetTextureStageState(host::TSS_COLOROP), host::TOP_SELECTARG2);

    b.m_iTextureOp = 1;
    b.m_bPointSampling = 1;
    b.Render();
    EXPECT_EQ(w.device.draws.back().state.stage[host::TSS_COLOROP], host::TOP_ADD);
    EXPECT_EQ(w.device.draws.back().state.sampler[host::SAMP_MINFILTER], host::TEXF_POINT);

    // Without a texture the stage is left as it was.
    CVxBillboard plain(nullptr, nullptr, nullptr);
    plain.ComposeRST();
    w.device.SetTextureStageState(0, host::TSS_COLOROP, host::TOP_DISABLE);
    plain.Render();
    EXPECT_EQ(w.device.draws.back().state.stage[host::TSS_COLOROP], host::TOP_DISABLE);
}

TEST(Billboard, FogIsSetUpButEveryDrawIsWithoutFog) {
    harness::World w;
    CVxBillboard b(nullptr, nullptr, nullptr);
    b.ComposeRST();
    b.SetFog(true, 1.0f, 0.0f, 0.0f, 0.6f);
    b.Render();
    EXPECT_EQ(Only(w).state.render[host::RS_FOGENABLE], 0u);
    EXPECT_EQ(Only(w).state.render[host::RS_FOGCOLOR], 0x99FF0000u);
    auto fogEnd = [&] {
        float end;
        std::memcpy(&end, &w.device.draws.back().state.render[host::RS_FOGEND], sizeof end);
        return end;
    };
    EXPECT_FLOAT_EQ(fogEnd(), 10.0f);  // (1 - 0.6) × 25
    b.SetFog(true, 0, 0, 0, 0.0f);
    b.Render();
    EXPECT_FLOAT_EQ(fogEnd(), 100.0f);
}

TEST(Billboard, SharedTextureOutlivesTheBillboard) {
    harness::World w(Pictures());
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
