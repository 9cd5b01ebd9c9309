#include <gtest/gtest.h>

#include <functional>

#include "platform/CursorFile.h"

namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Builds a one-image cursor file. colour(x, y) gives a palette index or a
// 0xRRGGBB value (top-left origin); mask(x, y) the AND bit.
std::vector<uint8_t> MakeCursor(int w, int h, int bpp, int hotX, int hotY, std::function<uint32_t(int, int)> colour,
                                std::function<bool(int, int)> mask, std::vector<uint32_t> palette = {}) {
    std::vector<uint8_t> img;
    Put32(img, 40);
    Put32(img, uint32_t(w));
    Put32(img, uint32_t(h * 2));
    Put16(img, 1);
    Put16(img, uint32_t(bpp));
    Put32(img, 0);
    Put32(img, 0);
    Put32(img, 0);
    Put32(img, 0);
    Put32(img, uint32_t(palette.size()));
    Put32(img, 0);
    for (uint32_t p : palette) Put32(img, p);
    const size_t xorStride = ((size_t(w) * size_t(bpp) + 31) / 32) * 4, andStride = ((size_t(w) + 31) / 32) * 4;
    for (int row = h - 1; row >= 0; --row) {  // bottom row first
        std::vector<uint8_t> line(xorStride, 0);
        for (int x = 0; x < w; ++x) {
            uint32_t c = colour(x, row);
            if (bpp >= 24) {
                for (int k = 0; k < bpp / 8; ++k) line[size_t(x) * size_t(bpp / 8) + size_t(k)] = uint8_t(c >> (8 * k));
            } else {
                size_t bit = size_t(x) * size_t(bpp);
                line[bit / 8] |= uint8_t(c << (8 - bpp - bit % 8));
            }
        }
        img.insert(img.end(), line.begin(), line.end());
    }
    for (int row = h - 1; row >= 0; --row) {
        std::vector<uint8_t> line(andStride, 0);
        for (int x = 0; x < w; ++x)
            if (mask(x, row)) line[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        img.insert(img.end(), line.begin(), line.end());
    }
    std::vector<uint8_t> file;
    Put16(file, 0);
    Put16(file, 2);
    Put16(file, 1);
    file.push_back(uint8_t(w));
    file.push_back(uint8_t(h));
    file.push_back(0);
    file.push_back(0);
    Put16(file, uint32_t(hotX));
    Put16(file, uint32_t(hotY));
    Put32(file, uint32_t(img.size()));
    Put32(file, 22);
    file.insert(file.end(), img.begin(), img.end());
    return file;
}

const uint8_t* Pixel(const host::CursorImage& c, int x, int y) {
    return &c.rgba[(size_t(y) * size_t(c.width) + size_t(x)) * 4];
}

}  // namespace

TEST(CursorFile, MonochromeCursorKeepsHalfTheStoredHeight) {
    // Top-left 4×4 white, an arrow-ish diagonal black, the rest transparent.
    auto colour = [](int x, int y) -> uint32_t { return x < 4 && y < 4 ? 1 : 0; };
    auto mask = [](int x, int y) { return !((x < 4 && y < 4) || x == y); };
    auto bytes = MakeCursor(32, 32, 1, 3, 5, colour, mask, {0x000000, 0xFFFFFF});
    host::CursorImage c;
    ASSERT_TRUE(ParseCursorFile(bytes, c));
    EXPECT_EQ(c.width, 32);
    EXPECT_EQ(c.height, 32);
    EXPECT_EQ(c.hotX, 3);
    EXPECT_EQ(c.hotY, 5);
    EXPECT_EQ(Pixel(c, 0, 0)[0], 255);
    EXPECT_EQ(Pixel(c, 0, 0)[3], 255);
    EXPECT_EQ(Pixel(c, 20, 20)[0], 0);  // diagonal: black, opaque
    EXPECT_EQ(Pixel(c, 20, 20)[3], 255);
    EXPECT_EQ(Pixel(c, 20, 10)[3], 0);  // masked out
    EXPECT_EQ(Pixel(c, 0, 31)[3], 0);   // the picture is not upside down
}

TEST(CursorFile, BrokenFilesAreRefused) {
    auto colour = [](int, int) -> uint32_t { return 0; };
    auto mask = [](int, int) { return false; };
    auto good = MakeCursor(32, 32, 1, 0, 0, colour, mask, {0, 0xFFFFFF});
    host::CursorImage c;
    c.width = 7;
    for (size_t cut : {size_t(0), size_t(5), size_t(21), size_t(60), good.size() - 1}) {
        std::vector<uint8_t> bytes(good.begin(), good.begin() + long(cut));
        EXPECT_FALSE(ParseCursorFile(bytes, c)) << cut;
    }
    auto wrongType = good;
    wrongType[2] = 3;
    EXPECT_FALSE(ParseCursorFile(wrongType, c));
    auto hugeOffset = good;
    hugeOffset[18] = hugeOffset[19] = hugeOffset[20] = hugeOffset[21] = 0xFF;
    EXPECT_FALSE(ParseCursorFile(hugeOffset, c));
    EXPECT_EQ(c.width, 7);  // untouched by every refusal
    EXPECT_FALSE(LoadCursorFile("/nonexistent/BIN", c));
}
