// Render targets, screen quads, render-to-texture slots, the effect reader,
// the window's timer and the small transform and file helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <set>

#include "engine/DrawFrame.h"
#include "engine/VxBillboard.h"
#include "engine/VxObject.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "platform/ReadWholeFile.h"
#include "engine/framework/RenderTargets.h"
#include "engine/framework/TransformHelpers.h"
#include "platform/host/Display.h"
#include "platform/host/Effect.h"
#include "platform/host/Headless.h"
#include "platform/host/RecordingDevice.h"

using namespace host;

namespace {

// A device that refuses render targets of chosen sizes.
class PickyDevice : public RecordingDevice {
public:
    PickyDevice(int w, int h) : RecordingDevice(w, h, 4096) {}
    TextureHandle CreateRenderTarget(int width, int height) override {
        if (refused.count(width) && width == height) return 0;
        return RecordingDevice::CreateRenderTarget(width, height);
    }
    std::set<int> refused;
};

// Lets the targets go while their device still exists.
struct ReleaseOnExit {
    ~ReleaseOnExit() { ReleaseRenderTargets(); }
};

class TargetsTest : public ::testing::Test {
protected:
    void TearDown() override {
        g_bStageRedraw = false;
        g_bScreenDimOn = false;
    }
    int SlotSize(RecordingDevice& device) {
        int w = 0, h = 0;
        EXPECT_TRUE(device.TextureSize(g_apRenderTexture[4], w, h));
        EXPECT_EQ(w, h);
        return w;
    }
    HeadlessHost services;
};

TEST_F(TargetsTest, WideFullScreenGivesFourThirdsTargetsAndAPillarBoxedQuad) {
    RecordingDevice device(1280, 720);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    int w = 0, h = 0;
    ASSERT_TRUE(device.TextureSize(g_pSceneTarget, w, h));
    EXPECT_EQ(w, 960);
    EXPECT_EQ(h, 720);
    EXPECT_EQ(SlotSize(device), 1024);  // 960 is not above 1024
    // 960 wide, starting at 160, centred on the 1280 back buffer.
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[0].x, 159.5f);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[1].x, 1119.5f);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[2].y, 719.5f);
    EXPECT_FLOAT_EQ(g_aTargetQuad[3].x, 959.5f);
    EXPECT_FLOAT_EQ(g_aTargetQuad[3].y, 719.5f);
    EXPECT_TRUE(g_bStageRedraw);
}

TEST_F(TargetsTest, FiveByFourFullScreenSpansTheWholeWidthWithLargeSlots) {
    RecordingDevice device(1280, 1024);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    int w = 0, h = 0;
    ASSERT_TRUE(device.TextureSize(g_pStillTarget, w, h));
    EXPECT_EQ(w, 1365);
    EXPECT_EQ(h, 1024);
    EXPECT_EQ(SlotSize(device), 2048);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[0].x, -0.5f);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[3].x, 1279.5f);
    EXPECT_FLOAT_EQ(g_aBackBufferQuad[3].y, 1023.5f);
}

TEST_F(TargetsTest, SlotSizesFallBackAndAFinalFailureIsReturned) {
    PickyDevice device(1280, 1024);
    ReleaseOnExit release_device;
    device.refused = {2048};
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    EXPECT_EQ(SlotSize(device), 1024);
    ReleaseRenderTargets();
    device.refused = {2048, 1024};
    ASSERT_EQ(RestoreRenderTargets(device, false, 800, 600), S_OK);
    EXPECT_EQ(SlotSize(device), 512);
    ReleaseRenderTargets();
    device.refused = {2048, 1024, 512};
    EXPECT_TRUE(FAILED(RestoreRenderTargets(device, false, 800, 600)));
    // Windowed slots are 1024 or nothing.
    ReleaseRenderTargets();
    PickyDevice windowed(800, 600);
    ReleaseOnExit release_windowed;
    windowed.refused = {1024};
    EXPECT_TRUE(FAILED(RestoreRenderTargets(windowed, true, 800, 600)));
}

TEST_F(TargetsTest, ScreenTargetFailureIsReturnedAndReleaseFreesEverything) {
    RecordingDevice small(800, 600, 512);
    ReleaseOnExit release_small;
    EXPECT_TRUE(FAILED(RestoreRenderTargets(small, true, 800, 600)));
    ReleaseRenderTargets();
    EXPECT_EQ(small.LiveTextures(), 0u);
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    EXPECT_EQ(device.LiveTextures(), 8u);
    ReleaseRenderTargets();
    EXPECT_EQ(device.LiveTextures(), 0u);
    for (TextureHandle t : g_apRenderSurface) EXPECT_EQ(t, 0u);
    EXPECT_FALSE(BeginRenderToTexture(0, true));
}

TEST_F(TargetsTest, RenderToTextureRedirectsDrawingAndPutsTheSceneBack) {
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    device.SetRenderTarget(g_pSceneTarget);
    ASSERT_TRUE(device.BeginScene());
    g_bScreenDimOn = true;
    g_bTargetDrawn = true;
    const size_t clears = device.clears.size();
    ASSERT_TRUE(BeginRenderToTexture(3, true));
    EXPECT_EQ(device.RenderTarget(), g_apRenderSurface[3]);
    EXPECT_FALSE(g_bScreenDimOn);
    EXPECT_TRUE(device.inScene);
    ASSERT_EQ(device.clears.size(), clears + 1);
    EXPECT_EQ(device.clears.back().target, g_apRenderSurface[3]);
    EXPECT_EQ(device.clears.back().flags, CLEAR_TARGET);
    EXPECT_EQ(EndRenderToTexture(), 0);
    EXPECT_EQ(device.RenderTarget(), g_pSceneTarget);
    EXPECT_TRUE(device.inScene);  // the frame's scene goes on
    EXPECT_TRUE(g_bScreenDimOn);
    EXPECT_FALSE(g_bTargetDrawn);
    // Without clearing, the slot keeps what it had.
    ASSERT_TRUE(BeginRenderToTexture(1, false));
    EXPECT_EQ(device.clears.size(), clears + 1);
    EndRenderToTexture();
    EXPECT_FALSE(BeginRenderToTexture(5, true));
    EXPECT_FALSE(BeginRenderToTexture(-1, true));
    EXPECT_EQ(device.RenderTarget(), g_pSceneTarget);
}

TEST_F(TargetsTest, AttachedSlotShowsFullScreenAndStaysWithTheTargets) {
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    ASSERT_EQ(RestoreRenderTargets(device, true, 800, 600), S_OK);
    auto* texture = new CVxTexture(nullptr, nullptr);  // no application yet: nothing to load
    CVxXApplication app;
    app.m_iScreenWidth = 880;
    app.m_iScreenHeight = 640;
    // A picture of its own, already on the device: attaching lets it go.
    std::vector<uint8_t> rgba(16, 255);
    const TextureHandle own = device.CreateTexture(2, 2, rgba.data());
    texture->ShowForeignTexture(own);
    auto* billboard = new CVxBillboard("", "", nullptr);
    billboard->m_pTexture = texture;  // owned by the billboard
    billboard->m_bSharedTexture = false;
    const size_t live = device.LiveTextures();
    EXPECT_TRUE(AttachRenderTargetTexture(billboard, 2));
    EXPECT_EQ(texture->Handle(device), g_apRenderTexture[2]);
    EXPECT_TRUE(billboard->m_bAlphaBlend);
    EXPECT_FLOAT_EQ(billboard->m_vSize.x, 880.0f);
    EXPECT_FLOAT_EQ(billboard->m_vSize.y, 640.0f);
    EXPECT_FLOAT_EQ(billboard->m_vSize.z, 1.0f);
    delete billboard;  // deletes its texture object, not the target
    EXPECT_EQ(device.LiveTextures(), live);
    int w = 0, h = 0;
    EXPECT_TRUE(device.TextureSize(g_apRenderTexture[2], w, h));
}

TEST(EffectText, DeclarationsAreReadAndMistakesReportedWithTheirLine) {
    EffectDeclarations d;
    std::string errors;
    const char* text =
        "/* header\n comment */\n"
        "texture RenderTargetTexture; texture Other;\n"
        "sampler S = sampler_state { Texture = <RenderTargetTexture>; };\n"
        "float4 PS(float2 uv : TEXCOORD0) : COLOR0 { return tex2D(S, uv); }\n"
        "technique First { pass A { ZEnable = false; } pass { } }\n"
        "technique PostProcessMotionBlur { pass P0 { PixelShader = compile ps_2_0 PS(); } }\n";
    ASSERT_TRUE(ReadEffectDeclarations(text, std::strlen(text), d, errors)) << errors;
    EXPECT_EQ(d.textures, (std::vector<std::string>{"RenderTargetTexture", "Other"}));
    ASSERT_EQ(d.techniques.size(), 2u);
    EXPECT_EQ(d.techniques[0].passes.size(), 2u);
    EXPECT_EQ(d.techniques[1].name, "PostProcessMotionBlur");

    struct Case {
        const char* text;
        const char* error;
    } bad[] = {
        {"texture T;\n", "(1): no technique"},
        {"technique T {\n pass P {\n}", "(3): missing '}'"},
        {"technique T { }", "(1): technique 'T' has no pass"},
        {"}\n", "(1): unexpected '}'"},
        {"technique { pass P { } }", "(1): technique name and '{' expected"},
        {"technique T { pass P { } }\ntechnique T { pass Q { } }", "(2): technique 'T' declared twice"},
        {"technique T { pass P { } } /* open", "(1): comment not closed"},
        {"texture ;", "(1): texture name expected"},
        {"", "(1): no technique"},
    };
    for (const Case& c : bad) {
        EXPECT_FALSE(ReadEffectDeclarations(c.text, std::strlen(c.text), d, errors)) << c.text;
        EXPECT_EQ(errors, c.error) << c.text;
    }
}

TEST(EffectText, ThePackedEffectFileNamesTheCompositionTechnique) {
    // The packer's own text, as the game reads it from DATA.
    std::FILE* f = std::fopen(CSQ_BINARY_DIR "/DATA", "rb");
    if (!f) GTEST_SKIP() << "no DATA in the build folder";
    std::fclose(f);
    ResourceArchive archive;
    archive.OpenResourceArchive(CSQ_BINARY_DIR "/DATA");
    uint32_t size = 0;
    void* block = nullptr;
    ASSERT_TRUE(archive.UnzipItem("Resource\\HLSL\\BasicHLSL.fx", &size, &block, 0));
    EffectDeclarations d;
    std::string errors;
    const bool ok = ReadEffectDeclarations(static_cast<const char*>(block), size, d, errors);
    std::free(block);
    archive.CloseResourceArchive();
    ASSERT_TRUE(ok) << errors;
    ASSERT_EQ(d.techniques.size(), 1u);
    EXPECT_EQ(d.techniques[0].name, "PostProcessMotionBlur");
    EXPECT_EQ(d.textures, (std::vector<std::string>{"RenderTargetTexture"}));
}

TEST(EffectPasses, PassSetsTheCompositionAndEndPutsTheStateBack) {
    RecordingDevice device(800, 600);
    ReleaseOnExit release_device;
    const char* text = "texture RenderTargetTexture;\ntechnique T { pass A { } pass B { } }";
    std::string errors;
    auto effect = Effect::Create(device, text, std::strlen(text), &errors);
    ASSERT_NE(effect, nullptr) << errors;
    unsigned passes = 0;
    EXPECT_FALSE(effect->Begin(&passes));  // no technique chosen yet
    EXPECT_EQ(effect->GetTechniqueByName("Missing"), 0);
    ASSERT_TRUE(effect->SetTechnique(effect->GetTechniqueByName("T")));
    EXPECT_FALSE(effect->SetTexture("Unknown", 5));
    EXPECT_TRUE(effect->SetTexture("RenderTargetTexture", 7));
    device.SetRenderState(RS_ALPHABLENDENABLE, 1);
    device.SetRenderState(RS_ZENABLE, 1);
    device.SetTexture(0, 3);
    ASSERT_TRUE(effect->Begin(&passes));
    EXPECT_EQ(passes, 2u);
    EXPECT_FALSE(effect->Begin(&passes));
    EXPECT_FALSE(effect->Pass(2));
    ASSERT_TRUE(effect->Pass(1));
    EXPECT_EQ(device.State().shader, SHADER_POSTPROCESS);
    EXPECT_EQ(device.State().texture, 7u);
    EXPECT_EQ(device.GetRenderState(RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(RS_ZENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(RS_CULLMODE), uint32_t(host::CULL_NONE));
    EXPECT_EQ(device.GetSamplerState(SAMP_MINFILTER), uint32_t(TEXF_LINEAR));
    ASSERT_TRUE(effect->End());
    EXPECT_EQ(device.State().shader, SHADER_FIXED);
    EXPECT_EQ(device.State().texture, 3u);
    EXPECT_EQ(device.GetRenderState(RS_ALPHABLENDENABLE), 1u);
    EXPECT_FALSE(effect->End());
    // A lost effect is not used until it is reset.
    effect->OnLostDevice();
    EXPECT_FALSE(effect->Begin(&passes));
    EXPECT_TRUE(effect->OnResetDevice());
    EXPECT_TRUE(effect->Begin(&passes));
    effect->End();
    EXPECT_EQ(Effect::Create(device, "texture T;", 10, &errors), nullptr);
    EXPECT_EQ(errors, "(1): no technique");
}

TEST(WindowTimer, DeliversWhenDueNoFasterThanTenMillisecondsAndStopsWhenKilled) {
    HeadlessHost services;
    HeadlessWindow window(800, 600);
    WindowMessage msg;
    window.SetTimer(9, 1);
    services.clock.Advance(9000000);
    EXPECT_FALSE(window.PeekMessage(msg));  // a 1 ms timer still waits 10 ms
    services.clock.Advance(1000000);
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_TIMER));
    EXPECT_EQ(msg.wParam, 9u);
    EXPECT_FALSE(window.PeekMessage(msg));
    // Waiting messages go first.
    services.clock.Advance(50000000);
    window.PostMessage({WM_KEYDOWN, 65, 0});
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_KEYDOWN));
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.message, uint32_t(WM_TIMER));
    // Five intervals overdue still give one message, not five.
    EXPECT_FALSE(window.PeekMessage(msg));
    window.KillTimer(9);
    EXPECT_FALSE(window.HasTimer(9));
    services.clock.Advance(100000000);
    EXPECT_FALSE(window.PeekMessage(msg));
}

TEST(WindowTimer, RunsAcrossTheMillisecondCounterWrap) {
    HeadlessHost services;
    services.clock.Set(int64_t(0xFFFFFFFFull) * 1000000 - 500000);  // just before the wrap
    HeadlessWindow window(800, 600);
    window.SetTimer(9, 20);
    services.clock.Advance(20500000);
    WindowMessage msg;
    ASSERT_TRUE(window.PeekMessage(msg));
    EXPECT_EQ(msg.wParam, 9u);
}

TEST(TransformHelpers, CombineInRowVectorOrderEvenInPlace) {
    VxMatrix t = MatrixTranslation(10, 0, 0), s = MatrixScaling(2, 2, 2), out;
    CombineTransforms(&t.m[0][0], &s.m[0][0], &out.m[0][0]);
    // Translate first, then scale: (1,0,0) → (11,0,0) → (22,0,0).
    EXPECT_FLOAT_EQ(TransformPoint({1, 0, 0}, out).x, 22.0f);
    CombineTransforms(&s.m[0][0], &t.m[0][0], &s.m[0][0]);  // in place
    EXPECT_FLOAT_EQ(TransformPoint({1, 0, 0}, s).x, 12.0f);
    float copy[16];
    CopyMatrix(copy, &out.m[0][0]);
    EXPECT_EQ(std::memcmp(copy, &out.m[0][0], sizeof copy), 0);
    float a[3] = {1, 2, 3}, b[3] = {0, 0, 0};
    Vec3Copy(b, a);
    EXPECT_EQ(b[2], 3.0f);
}

TEST(TransformHelpers, RotationFromAnglesKeepsItsOrderRange) {
    VxMatrix m = MatrixScaling(5, 5, 5);
    EXPECT_FALSE(RotationMatrixFromAngles({0, 0, 1}, 6, m));
    EXPECT_FALSE(RotationMatrixFromAngles({0, 0, 1}, -1, m));
    EXPECT_FLOAT_EQ(m.m[0][0], 5.0f);  // left alone
    ASSERT_TRUE(RotationMatrixFromAngles({0, 0, 1.5707963f}, ROTATION_ZYX, m));
    VxVec3 p = TransformPoint({1, 0, 0}, m);
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(p.y), 1.0f, 1e-6f);
    // Orders differ once two axes turn.
    VxMatrix zx, xz;
    ASSERT_TRUE(RotationMatrixFromAngles({1.5707963f, 0, 1.5707963f}, ROTATION_ZXY, zx));
    ASSERT_TRUE(RotationMatrixFromAngles({1.5707963f, 0, 1.5707963f}, ROTATION_XZY, xz));
    VxVec3 a = TransformPoint({1, 0, 0}, zx), b = TransformPoint({1, 0, 0}, xz);
    EXPECT_GT(std::fabs(a.y - b.y) + std::fabs(a.z - b.z), 0.5f);
}

TEST(ReadWholeFileTest, ReadsEverythingWithATerminatorAndClosesTheStream) {
    std::FILE* f = std::tmpfile();
    ASSERT_NE(f, nullptr);
    std::fputs("FONT_COL=16;\n", f);
    VxFile* file = ReadWholeFile(f);  // reads from the start whatever the position
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->size, 13u);
    EXPECT_EQ(file->position, 0u);
    EXPECT_EQ(file->cursor, file->data);
    EXPECT_STREQ(file->data, "FONT_COL=16;\n");
    delete file;

    std::FILE* empty = std::tmpfile();
    VxFile* none = ReadWholeFile(empty);
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->size, 0u);
    EXPECT_EQ(none->data[0], '\0');
    delete none;
    EXPECT_EQ(ReadWholeFile(nullptr), nullptr);
}

}  // namespace
