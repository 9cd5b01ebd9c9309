// The post-process effect: reading its declarations and running its passes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/framework/RenderTargets.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Effect.h"
#include "platform/host/RecordingDevice.h"

using namespace host;

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

