#include <gtest/gtest.h>

#include "engine/PictureDecoder.h"
#include "tests/PictureBytes.h"

TEST(PictureDecoder, PngComesBackPixelForPixel) {
    auto png = testpic::Png(37, 21);
    EXPECT_EQ(DetectPictureFormat(png.data(), png.size()), PictureFormat::Png);
    DecodedPicture pic;
    ASSERT_TRUE(DecodePicture(png.data(), png.size(), pic));
    EXPECT_EQ(pic.width, 37);
    EXPECT_EQ(pic.height, 21);
    EXPECT_EQ(pic.rgba, testpic::Pattern(37, 21));
}

TEST(PictureDecoder, TgaBothOriginsAndRleGiveTheSameTopFirstPicture) {
    for (auto pixels : {testpic::Pattern(13, 9), testpic::Blocks(16, 5)}) {
        int w = pixels.size() == 13u * 9 * 4 ? 13 : 16;
        int h = w == 13 ? 9 : 5;
        for (bool topFirst : {true, false}) {
            for (bool rle : {false, true}) {
                auto tga = testpic::Tga(w, h, pixels, topFirst, rle);
                DecodedPicture pic;
                ASSERT_TRUE(DecodePicture(tga.data(), tga.size(), pic)) << topFirst << rle;
                EXPECT_EQ(pic.width, w);
                EXPECT_EQ(pic.height, h);
                EXPECT_EQ(pic.rgba, pixels) << "top first " << topFirst << " rle " << rle;
            }
        }
    }
    // RLE really packs the blocks.
    auto blocks = testpic::Blocks(16, 5);
    EXPECT_LT(testpic::Tga(16, 5, blocks, true, true).size(), testpic::Tga(16, 5, blocks, true, false).size());
}

TEST(PictureDecoder, CorruptAndTruncatedPicturesFailCleanly) {
    DecodedPicture pic;
    auto png = testpic::Png(30, 30);
    auto cut = png;
    cut.resize(png.size() / 2);
    EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), pic));
    EXPECT_TRUE(pic.rgba.empty());
    auto bad = png;
    for (size_t i = 40; i < bad.size() - 20; i += 7) bad[i] ^= 0x55;
    EXPECT_FALSE(DecodePicture(bad.data(), bad.size(), pic));

    auto jpg = testpic::Jpeg(64, 64);
    cut = jpg;
    cut.resize(jpg.size() * 2 / 3);
    EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), pic));
    EXPECT_EQ(pic.width, 0);
    cut.resize(10);  // inside the headers
    EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), pic));

    auto tga = testpic::Tga(8, 8, testpic::Pattern(8, 8), false, false);
    cut = tga;
    cut.pop_back();
    EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), pic));
    auto rle = testpic::Tga(16, 5, testpic::Blocks(16, 5), true, true);
    cut = rle;
    cut.resize(rle.size() - 3);
    EXPECT_FALSE(DecodePicture(cut.data(), cut.size(), pic));
    // A run longer than the picture.
    auto over = testpic::Tga(2, 1, testpic::Blocks(2, 1), true, true);
    over[18] = 0x80 | 5;
    EXPECT_FALSE(DecodePicture(over.data(), over.size(), pic));
    // Zero size and absurd sizes.
    auto zero = tga;
    zero[12] = zero[13] = 0;
    EXPECT_FALSE(DecodePicture(zero.data(), zero.size(), pic));
    auto huge = tga;
    huge[12] = huge[13] = huge[14] = huge[15] = 0xFF;
    EXPECT_FALSE(DecodePicture(huge.data(), huge.size(), pic));

    const char text[] = "plain text, not a picture of any kind";
    EXPECT_EQ(DetectPictureFormat(reinterpret_cast<const uint8_t*>(text), sizeof text), PictureFormat::Unknown);
    EXPECT_FALSE(DecodePicture(reinterpret_cast<const uint8_t*>(text), sizeof text, pic));
    EXPECT_FALSE(DecodePicture(nullptr, 0, pic));
}
