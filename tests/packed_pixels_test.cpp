// Decoded pictures wait for their upload packed: every kind of picture comes
// back byte for byte, and the see-through and flat ones hold far less meanwhile.
#include <gtest/gtest.h>

#include <functional>

#include "engine/PackedPixels.h"
#include "engine/VxTexture.h"
#include "platform/host/RecordingDevice.h"
#include "tests/Harness.h"
#include "tests/PictureBytes.h"

namespace {

std::vector<uint8_t> Pixels(size_t n, const std::function<uint32_t(size_t)>& pixel) {
    std::vector<uint8_t> out;
    for (size_t i = 0; i < n; ++i)
        for (int shift : {24, 16, 8, 0}) out.push_back(uint8_t(pixel(i) >> shift));
    return out;
}

// A sprite-like picture: see-through margin round a flat body with a few odd pixels.
uint32_t Sprite(int x, int y) {
    if (x < 16 || x >= 48 || y < 8 || y >= 56) return 0x00000000u;
    if ((x * 7 + y * 3) % 29 == 0) return 0xFF8040FFu - uint32_t(x);
    return 0x3060A0FFu;
}

}  // namespace

TEST(PackedPixels, EveryPictureComesBackByteForByte) {
    const struct {
        const char* what;
        std::vector<uint8_t> rgba;
        bool packed;
    } kCases[] = {
        {"no pixels", {}, false},
        {"one pixel", Pixels(1, [](size_t) { return 0x11223344u; }), false},
        {"one colour", Pixels(4096, [](size_t) { return 0x00000000u; }), true},
        {"runs of exactly three", Pixels(3000, [](size_t i) { return uint32_t(i / 3) * 0x01010101u; }), true},
        {"runs of two stay literal", Pixels(3000, [](size_t i) { return uint32_t(i / 2) * 0x01000193u; }), false},
        {"a run closes the picture", Pixels(999, [](size_t i) { return i < 10 ? uint32_t(i) : 0xFFu; }), true},
        {"a literal closes the picture", Pixels(999, [](size_t i) { return i < 900 ? 0u : uint32_t(i); }), true},
        {"noise", testpic::Pattern(64, 64), false},
        {"blocks of four", testpic::Blocks(64, 64), true},
        {"sprite", Pixels(64 * 64, [](size_t i) { return Sprite(int(i % 64), int(i / 64)); }), true},
        {"not whole pixels", {1, 2, 3, 4, 5, 6}, false},
        {"a photograph is given up early", Pixels(1 << 16, [](size_t i) { return uint32_t(i * 2654435761u); }), false},
        // Would pack to a fifth, but the noise ahead spends the budget of the pixels read so far.
        {"noise ahead of a flat rest",
         Pixels(1 << 17, [](size_t i) { return i < 20000 ? uint32_t(i * 2654435761u) : 7u; }), false},
        {"a flat start pays for noise after it",
         Pixels(1 << 17, [](size_t i) { return i < 100000 ? 7u : uint32_t(i * 2654435761u); }), true},
    };
    for (const auto& c : kCases) {
        PackedPixels packed{std::vector<uint8_t>(c.rgba)};
        EXPECT_EQ(packed.Packed(), c.packed) << c.what;
        EXPECT_EQ(packed.RgbaBytes(), c.rgba.size()) << c.what;
        if (c.packed) {
            EXPECT_LE(packed.HeldBytes(), c.rgba.size() * 3 / 4) << c.what;
        }
        std::vector<uint8_t> scratch;
        const uint8_t* back = packed.Rgba(scratch);
        ASSERT_TRUE(back || c.rgba.empty()) << c.what;
        EXPECT_EQ(std::vector<uint8_t>(back, back + c.rgba.size()), c.rgba) << c.what;
    }
}

TEST(PackedPixels, ALoadedPictureWaitsPackedAndUploadsUnchanged) {
    const auto sprite = testpic::TgaOf(64, 64, Sprite);
    harness::World w({{"Resource/Pic/Bbd_Sprite.tga", sprite}, {"Resource/Pic/Bbd_Batched.tga", sprite}});
    std::vector<uint8_t> expected;
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            for (int shift : {24, 16, 8, 0}) expected.push_back(uint8_t(Sprite(x, y) >> shift));
    host::RecordingDevice device;
    CVxTexture plain("Bbd_Sprite.tga", "Resource\\Pic\\");
    std::unique_ptr<CVxTexture> batched;
    {
        CVxTexture::DecodeBatch batch;
        batched = std::make_unique<CVxTexture>("Bbd_Batched.tga", "Resource\\Pic\\");
    }
    for (CVxTexture* t : {&plain, batched.get()}) {
        EXPECT_GT(t->PendingBytes(), 0u);
        EXPECT_LE(t->PendingBytes(), expected.size() / 4) << "the margin and the body are runs";
        const host::TextureHandle handle = t->Handle(device);
        ASSERT_NE(handle, 0u);
        EXPECT_EQ(*device.TexturePixels(handle), expected);
        EXPECT_EQ(t->PendingBytes(), 0u) << "let go once uploaded";
    }
}
