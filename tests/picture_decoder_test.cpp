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

// The load's quick look: whole files pass with their size; anything it cannot
// vouch for is left to a decode, and it never reads the pixels.
TEST(PictureDecoder, QuickCheckPassesWholeFilesOnly) {
    auto png = testpic::Png(37, 21);
    auto cut = png;
    cut.resize(png.size() / 2);
    auto flipped = png;
    flipped[testpic::PngChunk(png, "IDAT") + 10] ^= 0x55;  // its checksum now disagrees
    auto huge = png;
    huge[16] = 0x00, huge[17] = 0x01, huge[18] = 0x00, huge[19] = 0x00;  // 65536 wide
    testpic::RechecksumPng(huge);
    auto jpg = testpic::Jpeg(64, 32);
    auto jpgCut = jpg;
    jpgCut.resize(jpg.size() * 2 / 3);
    struct Row {
        const char* rule;
        std::vector<uint8_t> file;
        bool passes;
        int width, height;
    } rows[] = {
        {"a whole PNG passes with its size", png, true, 37, 21},
        {"a cut PNG does not", cut, false, 0, 0},
        {"a PNG whose chunk disagrees with its checksum does not", flipped, false, 0, 0},
        {"a PNG larger than the decoder takes does not", huge, false, 0, 0},
        {"damaged pixels under right checksums pass: only a decode tells", testpic::PngWithBrokenPixels(30, 20), true, 30, 20},
        {"a whole JPEG passes with its size", jpg, true, 64, 32},
        {"a JPEG without its end marker does not", jpgCut, false, 0, 0},
        {"a TGA is left to a decode", testpic::Tga(8, 4, testpic::Pattern(8, 4), false, false), false, 0, 0},
    };
    for (const Row& r : rows) {
        int w = 0, h = 0;
        EXPECT_EQ(CheckPicture(r.file.data(), r.file.size(), w, h), r.passes) << r.rule;
        EXPECT_EQ(w, r.width) << r.rule;
        EXPECT_EQ(h, r.height) << r.rule;
    }
    DecodedPicture pic;
    EXPECT_FALSE(DecodePicture(rows[4].file.data(), rows[4].file.size(), pic));
}
