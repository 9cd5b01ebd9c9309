// Well-formed PNG files built from the input, through the PNG decoder: the
// input chooses the header (every colour type and its bit depths,
// interlacing, a size), the optional chunks and the filtered rows, and the
// file gets real zlib data and checksums, so each run reaches the decoding
// itself instead of stopping at the signature or a checksum. A few choices
// then damage the built file in one place.
#include <zlib.h>

#include <vector>

#include "tools/media_fuzz/FuzzBytes.h"

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

void Chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& body, bool badCrc) {
    Put32(out, uint32_t(body.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    uint32_t crc = uint32_t(crc32(0, out.data() + start, uInt(out.size() - start)));
    Put32(out, badCrc ? ~crc : crc);
}

// Samples per pixel of a colour type.
int Channels(int colourType) {
    switch (colourType) {
    case 2: return 3;
    case 4: return 2;
    case 6: return 4;
    default: return 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzBytes in(data, size);
    static const int kTypes[] = {0, 2, 3, 4, 6};
    static const int kDepths[5][5] = {
        {1, 2, 4, 8, 16}, {8, 16, 8, 16, 8}, {1, 2, 4, 8, 8}, {8, 16, 8, 16, 8}, {8, 16, 8, 16, 8}};
    const int typeIndex = in.Range(0, 4);
    const int type = kTypes[typeIndex], depth = kDepths[typeIndex][in.Range(0, 4)];
    const int width = in.Range(1, 48), height = in.Range(1, 48);
    const bool interlaced = in.Flag();
    const uint8_t extras = in.Byte(), damage = in.Byte();

    std::vector<uint8_t> file{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<uint8_t> header;
    Put32(header, uint32_t(width));
    Put32(header, uint32_t(height));
    header.insert(header.end(), {uint8_t(depth), uint8_t(type), 0, 0, uint8_t(interlaced)});
    Chunk(file, "IHDR", header, damage == 1);
    const int entries = type == 3 ? (1 << depth) : 256;
    if (extras & 1) Chunk(file, "gAMA", {0, 0, 0xB1, 0x8F}, false);
    if (type == 3 || (extras & 2)) {
        std::vector<uint8_t> palette;
        for (int i = 0; i < entries * 3 && i < 768; ++i) palette.push_back(in.Byte());
        if (type == 3 || type == 2 || type == 6) Chunk(file, "PLTE", palette, damage == 2);
    }
    if (extras & 4) {
        std::vector<uint8_t> alpha;
        const int count = type == 3 ? in.Range(1, entries) : (type == 2 ? 6 : 2);
        for (int i = 0; i < count; ++i) alpha.push_back(in.Byte());
        if (type != 4 && type != 6) Chunk(file, "tRNS", alpha, false);
    }

    // Rows as a non-interlaced decoder reads them (interlaced files take the
    // same bytes as their passes, which is just as good a test).
    const size_t rowBytes = (size_t(width) * size_t(Channels(type)) * size_t(depth) + 7) / 8;
    std::vector<uint8_t> raw;
    const uint8_t* pixels = in.Rest();
    const size_t available = in.RestSize();
    size_t next = 0;
    auto pixel = [&]() { return available ? pixels[next++ % available] : uint8_t(next++ * 37); };
    for (int y = 0; y < height * (interlaced ? 2 : 1); ++y) {
        raw.push_back(uint8_t(pixel() % 5));  // the row's filter
        for (size_t x = 0; x < rowBytes; ++x) raw.push_back(pixel());
    }
    uLongf packedSize = compressBound(uLong(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK) return 0;
    packed.resize(packedSize);
    if (damage == 3) packed.resize(packed.size() / 2);  // cut short
    // One or two data chunks, as encoders split them.
    const size_t split = (extras & 8) ? packed.size() / 2 : packed.size();
    Chunk(file, "IDAT", std::vector<uint8_t>(packed.begin(), packed.begin() + long(split)), damage == 4);
    if (split < packed.size())
        Chunk(file, "IDAT", std::vector<uint8_t>(packed.begin() + long(split), packed.end()), false);
    if (damage != 5) Chunk(file, "IEND", {}, false);
    if (damage >= 16 && file.size() > 8) file[8 + (size_t(damage) * 7) % (file.size() - 8)] ^= uint8_t(damage);

    DecodeBuiltPicture(file);
    return 0;
}
