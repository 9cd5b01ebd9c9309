#pragma once
// Small PNG, JPEG and TGA files made in memory for the picture tests.
#include <png.h>
#include <cstdio>
#include <jpeglib.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace testpic {

// RGBA pixels with a recognisable pattern: red rises to the right, green downward.
inline std::vector<uint8_t> Pattern(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = &p[(size_t(y) * w + x) * 4];
            q[0] = uint8_t(x * 255 / (w > 1 ? w - 1 : 1));
            q[1] = uint8_t(y * 255 / (h > 1 ? h - 1 : 1));
            q[2] = 40;
            q[3] = uint8_t(200 + (x + y) % 50);
        }
    return p;
}

inline std::vector<uint8_t> Png(int w, int h) {
    auto pixels = Pattern(w, h);
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = uint32_t(w);
    image.height = uint32_t(h);
    image.format = PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr);
    std::vector<uint8_t> out(size);
    png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr);
    out.resize(size);
    return out;
}

// A flat colour compresses without visible loss, so tests can check pixels.
inline std::vector<uint8_t> Jpeg(int w, int h, uint8_t r = 200, uint8_t g = 100, uint8_t b = 50) {
    jpeg_compress_struct c;
    jpeg_error_mgr err;
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* mem = nullptr;
    unsigned long memSize = 0;
    jpeg_mem_dest(&c, &mem, &memSize);
    c.image_width = JDIMENSION(w);
    c.image_height = JDIMENSION(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(size_t(w) * 3);
    for (int x = 0; x < w; ++x) {
        row[size_t(x) * 3] = r;
        row[size_t(x) * 3 + 1] = g;
        row[size_t(x) * 3 + 2] = b;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(mem, mem + memSize);
    std::free(mem);
    return out;
}

// Blocks of four equal pixels a row, so that RLE has runs to pack.
inline std::vector<uint8_t> Blocks(int w, int h) {
    std::vector<uint8_t> p(size_t(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* q = &p[(size_t(y) * w + x) * 4];
            q[0] = uint8_t((x / 4) * 37);
            q[1] = uint8_t(y * 11);
            q[2] = uint8_t((x / 4 + y) * 5);
            q[3] = 255;
        }
    return p;
}

// 32-bit TGA of the pixels; rows stored top first or bottom first; optionally RLE.
inline std::vector<uint8_t> Tga(int w, int h, const std::vector<uint8_t>& pixels, bool topFirst, bool rle) {
    std::vector<uint8_t> out(18, 0);
    out[2] = rle ? 10 : 2;
    out[12] = uint8_t(w);
    out[13] = uint8_t(w >> 8);
    out[14] = uint8_t(h);
    out[15] = uint8_t(h >> 8);
    out[16] = 32;
    out[17] = uint8_t(8 | (topFirst ? 0x20 : 0));
    auto bgra = [&](int x, int y, std::vector<uint8_t>& o) {
        const uint8_t* p = &pixels[(size_t(y) * w + x) * 4];
        o.push_back(p[2]);
        o.push_back(p[1]);
        o.push_back(p[0]);
        o.push_back(p[3]);
    };
    for (int row = 0; row < h; ++row) {
        int y = topFirst ? row : h - 1 - row;
        if (!rle) {
            for (int x = 0; x < w; ++x) bgra(x, y, out);
            continue;
        }
        // Runs of equal pixels as run packets, the rest as raw packets of one.
        int x = 0;
        while (x < w) {
            int run = 1;
            const uint8_t* p = &pixels[(size_t(y) * w + x) * 4];
            while (x + run < w && run < 128 && std::equal(p, p + 4, &pixels[(size_t(y) * w + x + run) * 4])) ++run;
            if (run > 1) {
                out.push_back(uint8_t(0x80 | (run - 1)));
                bgra(x, y, out);
                x += run;
            } else {
                out.push_back(0);
                bgra(x, y, out);
                ++x;
            }
        }
    }
    return out;
}

// Uncompressed top-first TGA of pixel(x, y), given as 0xRRGGBBAA.
template <class F>
std::vector<uint8_t> TgaOf(int w, int h, F pixel) {
    std::vector<uint8_t> p;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t rgba = pixel(x, y);
            for (int shift : {24, 16, 8, 0}) p.push_back(uint8_t(rgba >> shift));
        }
    return Tga(w, h, p, true, false);
}

}  // namespace testpic
