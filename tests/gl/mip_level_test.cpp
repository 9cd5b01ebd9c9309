// A picture drawn at a quarter of its size samples a smaller level of its mip
// chain when the sampler asks for mip filtering, and the full picture when not.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "platform/host/Display.h"
#include "tests/gl/GoldenPicture.h"

namespace mip_level_test {

using namespace host;

TEST(MipLevels, QuarterSizeDrawSamplesTheSmallerLevelOnlyWhenAsked) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    VideoSystem& vs = GetVideoSystem();
    ASSERT_TRUE(golden::InitVideo());
    auto window = vs.CreateWindow("Mip test", 800, 600);
    ASSERT_NE(window, nullptr);
    PresentParameters pp;
    pp.presentInterval = 0x80000000u;
    auto device = vs.CreateDevice(*window, pp);
    ASSERT_NE(device, nullptr);

    // 64 × 64 of 4 × 4 blocks: a white 2 × 2 middle in a black ring. At a
    // quarter size each pixel's centre falls on a block's white middle, so the
    // full picture reads white there; the level a quarter the size holds each
    // block's average, a quarter white.
    std::vector<uint8_t> rgba(64 * 64 * 4);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool middle = (x % 4 == 1 || x % 4 == 2) && (y % 4 == 1 || y % 4 == 2);
            uint8_t* p = &rgba[size_t(y * 64 + x) * 4];
            p[0] = p[1] = p[2] = middle ? 255 : 0;
            p[3] = 255;
        }
    const TextureHandle texture = device->CreateTexture(64, 64, rgba.data());
    ASSERT_NE(texture, 0u);

    device->Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF800000u, 1.0f);
    device->SetRenderState(RS_LIGHTING, 0);
    device->SetRenderState(RS_CULLMODE, host::CULL_NONE);
    device->SetTexture(0, texture);
    device->SetTextureStageState(0, TSS_COLOROP, TOP_SELECTARG1);
    device->SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
    device->SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG1);
    device->SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
    device->SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    device->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    device->SetSamplerState(0, SAMP_ADDRESSU, TADDRESS_CLAMP);
    device->SetSamplerState(0, SAMP_ADDRESSV, TADDRESS_CLAMP);
    const struct {
        uint32_t mip;
        float left;
    } kDraws[] = {{TEXF_NONE, 100}, {TEXF_POINT, 200}, {TEXF_LINEAR, 300}};
    for (const auto& d : kDraws) {
        device->SetSamplerState(0, SAMP_MIPFILTER, d.mip);
        const float l = d.left - 0.5f, t = 99.5f, r = l + 16, b = t + 16;
        const VertexRHW v[4] = {{l, t, 0.5f, 1, 0xFFFFFFFFu, 0, 0},
                                {r, t, 0.5f, 1, 0xFFFFFFFFu, 1, 0},
                                {r, b, 0.5f, 1, 0xFFFFFFFFu, 1, 1},
                                {l, b, 0.5f, 1, 0xFFFFFFFFu, 0, 1}};
        device->DrawPrimitiveUP(PT_TRIANGLEFAN, 2, v);
    }
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    ASSERT_TRUE(device->ReadBackBuffer(pixels, w, h));
    ASSERT_EQ(w, 800);
    auto green = [&](int x, int y) { return int(pixels[(size_t(y) * 800 + size_t(x)) * 4 + 1]); };
    for (int i = 2; i < 14; i += 5) {
        EXPECT_EQ(green(100 + i, 100 + i), 255) << "no mip filter: the full picture";
        EXPECT_NEAR(green(200 + i, 100 + i), 64, 12) << "nearest level: a block's average";
        EXPECT_NEAR(green(300 + i, 100 + i), 64, 12) << "between levels at an exact quarter";
    }
    device->ReleaseTexture(texture);
}

}  // namespace mip_level_test
