#include <gtest/gtest.h>

#include <string>

#include "platform/FrameworkFont.h"
#include "platform/host/RecordingDevice.h"

namespace framework_font_test {

using host::CULL_NONE, host::RS_ALPHABLENDENABLE, host::RS_CULLMODE, host::RecordingDevice, host::SAMP_MAGFILTER,
    host::TEXF_LINEAR;

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

}  // namespace framework_font_test
