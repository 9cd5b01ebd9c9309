#include "platform/CursorFile.h"

#include <fstream>
#include <iterator>

namespace {

struct Reader {
    const std::vector<uint8_t>& b;
    bool Has(size_t at, size_t n) const { return at <= b.size() && n <= b.size() - at; }
    uint32_t U16(size_t at) const { return uint32_t(b[at]) | (uint32_t(b[at + 1]) << 8); }
    uint32_t U32(size_t at) const { return U16(at) | (U16(at + 2) << 16); }
};

}  // namespace

bool ParseCursorFile(const std::vector<uint8_t>& bytes, host::CursorImage& out) {
    Reader r{bytes};
    if (!r.Has(0, 6) || r.U16(0) != 0 || (r.U16(2) != 2 && r.U16(2) != 1) || r.U16(4) == 0) return false;
    const bool isCursor = r.U16(2) == 2;
    if (!r.Has(6, 16)) return false;
    const uint32_t hotX = isCursor ? r.U16(10) : 0, hotY = isCursor ? r.U16(12) : 0;
    const size_t size = r.U32(14), at = r.U32(18);
    if (!r.Has(at, 40) || !r.Has(at, size)) return false;

    const uint32_t headerSize = r.U32(at);
    const int32_t width = int32_t(r.U32(at + 4));
    const int32_t fullHeight = int32_t(r.U32(at + 8));
    const uint32_t bpp = r.U16(at + 14);
    const uint32_t compression = r.U32(at + 16);
    uint32_t colorsUsed = r.U32(at + 32);
    // The stored height counts the colour and AND pictures together.
    const int32_t height = fullHeight / 2;
    if (headerSize < 40 || compression != 0 || width <= 0 || width > 256 || height <= 0 || height > 256) return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) return false;

    size_t pos = at + headerSize;
    std::vector<uint32_t> palette;
    if (bpp <= 8) {
        if (colorsUsed == 0 || colorsUsed > (1u << bpp)) colorsUsed = 1u << bpp;
        if (!r.Has(pos, size_t(colorsUsed) * 4)) return false;
        for (uint32_t i = 0; i < colorsUsed; ++i) palette.push_back(r.U32(pos + i * 4));
        pos += size_t(colorsUsed) * 4;
    }
    const size_t xorStride = ((size_t(width) * bpp + 31) / 32) * 4;
    const size_t andStride = ((size_t(width) + 31) / 32) * 4;
    const size_t xorAt = pos, andAt = pos + xorStride * size_t(height);
    if (!r.Has(xorAt, xorStride * size_t(height)) || !r.Has(andAt, andStride * size_t(height))) return false;

    host::CursorImage img;
    img.width = width;
    img.height = height;
    img.hotX = int(hotX);
    img.hotY = int(hotY);
    img.rgba.assign(size_t(width) * size_t(height) * 4, 0);
    for (int y = 0; y < height; ++y) {
        const size_t row = size_t(height - 1 - y);  // rows are stored bottom first
        for (int x = 0; x < width; ++x) {
            const uint8_t andByte = bytes[andAt + row * andStride + size_t(x) / 8];
            if ((andByte >> (7 - x % 8)) & 1) continue;  // transparent
            const size_t p = xorAt + row * xorStride;
            uint32_t bgr = 0;
            if (bpp == 32 || bpp == 24) {
                const size_t q = p + size_t(x) * (bpp / 8);
                bgr = uint32_t(bytes[q]) | (uint32_t(bytes[q + 1]) << 8) | (uint32_t(bytes[q + 2]) << 16);
            } else {
                const size_t bit = size_t(x) * bpp;
                const uint32_t index = (bytes[p + bit / 8] >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                bgr = index < palette.size() ? palette[index] : 0;
            }
            uint8_t* d = &img.rgba[(size_t(y) * size_t(width) + size_t(x)) * 4];
            d[0] = uint8_t(bgr >> 16);
            d[1] = uint8_t(bgr >> 8);
            d[2] = uint8_t(bgr);
            d[3] = 0xFF;
        }
    }
    out = std::move(img);
    return true;
}

bool LoadCursorFile(const std::string& path, host::CursorImage& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return ParseCursorFile(bytes, out);
}
