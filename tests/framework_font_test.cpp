#include <gtest/gtest.h>

#include <string>

#include "platform/FrameworkFont.h"
#include "platform/host/RecordingDevice.h"

using namespace host;

TEST(FrameworkFont, PacksEveryGlyphOnOneSheet) {
    RecordingDevice device;
    CFrameworkFont font;
    ASSERT_EQ(font.CreateDeviceResources(&device), S_OK);
    EXPECT_EQ(font.m_fTextScale, 1.0f);
    EXPECT_EQ(font.m_dwTexWidth, 256u);
    EXPECT_EQ(font.m_dwTexHeight, 256u);
    EXPECT_EQ(font.m_dwSpacing, 6u);  // ceil(19 * 0.3)
    int w = 0, h = 0;
    ASSERT_TRUE(device.TextureSize(font.m_pTexture, w, h));
    EXPECT_EQ(w, 256);
    for (int c = 0; c < 95; ++c) {
        const float* tc = font.m_fTexCoords[c];
        EXPECT_GE(tc[0], 0.0f) << c;
        EXPECT_LE(tc[2], 1.0f) << c;
        EXPECT_LE(tc[3], 1.0f) << c;
        EXPECT_GT(tc[2], tc[0]) << c;
        EXPECT_NEAR((tc[3] - tc[1]) * 256.0f, 19.0f, 1e-3) << c;
    }
    // The sheet holds white glyph pixels with 4-bit alpha, and nothing where the space is.
    const auto& px = *device.TexturePixels(font.m_pTexture);
    auto alphaSum = [&](int ch) {
        const float* tc = font.m_fTexCoords[ch - 32];
        int sum = 0;
        for (int y = int(tc[1] * 256); y < int(tc[3] * 256); ++y)
            for (int x = int(tc[0] * 256) + 6; x < int(tc[2] * 256) - 6; ++x) {
                const uint8_t* p = &px[(size_t(y) * 256 + size_t(x)) * 4];
                if (p[3]) {
                    EXPECT_EQ(p[0], 255);
                }
                EXPECT_EQ(p[3] % 17, 0);
                sum += p[3];
            }
        return sum;
    };
    EXPECT_EQ(alphaSum(' '), 0);
    EXPECT_GT(alphaSum('W'), alphaSum('.'));
    EXPECT_GT(alphaSum('.'), 0);
}

TEST(FrameworkFont, SmallTextureLimitShrinksTheText) {
    RecordingDevice device(800, 600, 128);
    CFrameworkFont font;
    ASSERT_EQ(font.CreateDeviceResources(&device), S_OK);
    EXPECT_EQ(font.m_dwTexWidth, 128u);
    EXPECT_EQ(font.m_dwTexHeight, 128u);
    EXPECT_EQ(font.m_fTextScale, 0.5f);

    // 48 / 256 does not fit yet: the scale shrinks by 0.9 a try.
    RecordingDevice tiny(800, 600, 48);
    CFrameworkFont small;
    ASSERT_EQ(small.CreateDeviceResources(&tiny), S_OK);
    EXPECT_EQ(small.m_dwTexWidth, 48u);
    EXPECT_LT(small.m_fTextScale, 0.1875f);
    float expect = 0.1875f;
    while (expect > small.m_fTextScale) expect *= 0.9f;
    EXPECT_EQ(small.m_fTextScale, expect);
    for (int c = 0; c < 95; ++c) EXPECT_LE(small.m_fTexCoords[c][3], 1.0f) << c;
}

TEST(FrameworkFont, LineFeedReturnsToTheLineStart) {
    RecordingDevice device;
    CFrameworkFont font;
    ASSERT_EQ(font.CreateDeviceResources(&device), S_OK);
    ASSERT_EQ(font.DrawText(10.0f, 20.0f, 0xFFFFFF00u, u"AB\nC"), S_OK);
    ASSERT_EQ(device.draws.size(), 1u);
    const DrawRecord& d = device.draws[0];
    ASSERT_TRUE(d.pretransformed);
    ASSERT_EQ(d.rhwVertices.size(), 18u);
    const VertexRHW& a = d.rhwVertices[1];  // top-left of 'A'
    const VertexRHW& c = d.rhwVertices[13];  // top-left of 'C'
    EXPECT_FLOAT_EQ(a.x, 10.0f - 6.0f - 0.5f);
    EXPECT_FLOAT_EQ(a.y, 19.5f);
    EXPECT_FLOAT_EQ(c.x, a.x);
    EXPECT_FLOAT_EQ(c.y, a.y + 19.0f);
    EXPECT_EQ(a.color, 0xFFFFFF00u);
    EXPECT_FLOAT_EQ(a.z, 0.9f);
    EXPECT_FLOAT_EQ(a.rhw, 1.0f);
    // 'B' starts where 'A' ends without its spacing.
    const VertexRHW& b = d.rhwVertices[7];
    const float* tcA = font.m_fTexCoords['A' - 32];
    EXPECT_FLOAT_EQ(b.x, a.x + (tcA[2] - tcA[0]) * 256.0f - 12.0f);
    EXPECT_EQ(d.state.texture, font.m_pTexture);
    EXPECT_EQ(d.state.render[RS_ALPHAREF], 8u);
    EXPECT_EQ(d.state.sampler[SAMP_MAGFILTER], uint32_t(TEXF_POINT));
}

TEST(FrameworkFont, CallerStatesComeBack) {
    RecordingDevice device;
    CFrameworkFont font;
    ASSERT_EQ(font.DrawText(0, 0, 0, u"x"), E_FAIL);  // no device yet
    ASSERT_EQ(font.CreateDeviceResources(&device), S_OK);
    device.SetRenderState(RS_ALPHABLENDENABLE, 0);
    device.SetRenderState(RS_CULLMODE, CULL_NONE);
    device.SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    device.SetTexture(0, 0);
    font.DrawText(0, 0, 0xFFFFFFFFu, u"Hi");
    EXPECT_EQ(device.GetRenderState(RS_ALPHABLENDENABLE), 0u);
    EXPECT_EQ(device.GetRenderState(RS_CULLMODE), uint32_t(CULL_NONE));
    EXPECT_EQ(device.GetSamplerState(SAMP_MAGFILTER), uint32_t(TEXF_LINEAR));
    EXPECT_EQ(device.State().texture, 0u);
    ASSERT_EQ(device.draws.size(), 1u);
    EXPECT_EQ(device.draws[0].state.render[RS_ALPHABLENDENABLE], 1u);
}
