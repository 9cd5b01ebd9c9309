// The post-process effect: reading its declarations and running its passes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/framework/RenderTargets.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Effect.h"
#include "platform/host/RecordingDevice.h"

TEST(EffectText, DeclarationsAreReadAndMistakesReportedWithTheirLine) {
    host::EffectDeclarations d;
    std::string errors;
    const char* text =
        "/* header\n comment */\n"
        "texture RenderTargetTexture; texture Other;\n"
        "sampler S = sampler_state { Texture = <RenderTargetTexture>; };\n"
        "float4 PS(float2 uv : TEXCOORD0) : COLOR0 { return tex2D(S, uv); }\n"
        "technique First { pass A { ZEnable = false; } pass { } }\n"
        "technique PostProcessMotionBlur { pass P0 { PixelShader = compile ps_2_0 PS(); } }\n";
    ASSERT_TRUE(host::ReadEffectDeclarations(text, std::strlen(text), d, errors)) << errors;
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
        EXPECT_FALSE(host::ReadEffectDeclarations(c.text, std::strlen(c.text), d, errors)) << c.text;
        EXPECT_EQ(errors, c.error) << c.text;
    }
}
