#include "engine/PictureDecoder.h"

#include <png.h>
// jpeglib.h needs size_t and FILE declared first.
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>

#include <csetjmp>
#include <algorithm>
#include <cstring>

namespace {

// Pictures larger than this on a side are refused rather than allocated.
constexpr int kMaxSide = 8192;

bool SizeOk(long w, long h) { return w > 0 && h > 0 && w <= kMaxSide && h <= kMaxSide; }

}  // namespace

PictureFormat DetectPictureFormat(const uint8_t* data, size_t size) {
    if (!data) return PictureFormat::Unknown;
    static const uint8_t kPng[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (size >= 8 && std::memcmp(data, kPng, 8) == 0) return PictureFormat::Png;
    if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return PictureFormat::Jpeg;
    if (size >= 18) {
        uint8_t type = data[2];
        bool known = type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
        if (known && data[1] <= 1) return PictureFormat::Tga;
    }
    return PictureFormat::Unknown;
}

bool ReadPictureSize(const uint8_t* data, size_t size, int& width, int& height) {
    auto be16 = [&](size_t at) { return int(data[at]) << 8 | int(data[at + 1]); };
    switch (DetectPictureFormat(data, size)) {
    case PictureFormat::Png:
        // IHDR is the first chunk: width and height at 16 and 20, big-endian.
        if (size < 24) return false;
        width = be16(16) << 16 | be16(18);
        height = be16(20) << 16 | be16(22);
        return width > 0 && height > 0;
    case PictureFormat::Jpeg:
        for (size_t at = 2; at + 9 <= size;) {
            if (data[at] != 0xFF) return false;
            const uint8_t marker = data[at + 1];
            if (marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC) {
                height = be16(at + 5);
                width = be16(at + 7);
                return width > 0 && height > 0;
            }
            at += 2 + size_t(be16(at + 2));
        }
        return false;
    case PictureFormat::Tga:
        width = int(data[12]) | int(data[13]) << 8;
        height = int(data[14]) | int(data[15]) << 8;
        return width > 0 && height > 0;
    default: return false;
    }
}

bool DecodePicture(const uint8_t* data, size_t size, DecodedPicture& out) {
    switch (DetectPictureFormat(data, size)) {
    case PictureFormat::Png: return DecodePng(data, size, out);
    case PictureFormat::Jpeg: return DecodeJpeg(data, size, out);
    case PictureFormat::Tga: return DecodeTga(data, size, out);
    default: out = DecodedPicture{}; return false;
    }
}

// ---- PNG ----

bool DecodePng(const uint8_t* data, size_t size, DecodedPicture& out) {
    out = DecodedPicture{};
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return false;
    if (!SizeOk(long(image.width), long(image.height))) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_RGBA;
    std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    out.width = int(image.width);
    out.height = int(image.height);
    out.rgba.swap(pixels);
    return true;
}

// ---- JPEG ----

namespace {

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
    bool truncated;
};

void JpegFail(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    std::longjmp(err->jump, 1);
}

// Warnings stay quiet, but running out of data makes the picture a failure:
// the library would pad the rest with grey.
void JpegWarn(j_common_ptr info, int level) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    if (level < 0 && err->mgr.msg_code == JWRN_JPEG_EOF) err->truncated = true;
}

}  // namespace

bool DecodeJpeg(const uint8_t* data, size_t size, DecodedPicture& out) {
    out = DecodedPicture{};
    if (!data || size == 0) return false;
    jpeg_decompress_struct info;
    JpegError err;
    info.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegFail;
    err.mgr.emit_message = JpegWarn;
    err.truncated = false;
    // Everything the jump may skip lives outside this frame's locals.
    std::vector<uint8_t>* pixels = new std::vector<uint8_t>;
    std::vector<uint8_t>* row = new std::vector<uint8_t>;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        delete pixels;
        delete row;
        out = DecodedPicture{};
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, const_cast<unsigned char*>(data), static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&info);
    if (!SizeOk(long(info.output_width), long(info.output_height)) || info.output_components != 3) {
        jpeg_destroy_decompress(&info);
        delete pixels;
        delete row;
        return false;
    }
    const int w = int(info.output_width);
    const int h = int(info.output_height);
    pixels->assign(size_t(w) * size_t(h) * 4, 255);
    row->resize(size_t(w) * 3);
    while (info.output_scanline < info.output_height) {
        int y = int(info.output_scanline);
        JSAMPROW rows[1] = {row->data()};
        if (jpeg_read_scanlines(&info, rows, 1) != 1) break;
        uint8_t* dst = pixels->data() + size_t(y) * size_t(w) * 4;
        for (int x = 0; x < w; ++x) {
            dst[x * 4] = (*row)[size_t(x) * 3];
            dst[x * 4 + 1] = (*row)[size_t(x) * 3 + 1];
            dst[x * 4 + 2] = (*row)[size_t(x) * 3 + 2];
        }
    }
    if (err.truncated) {
        jpeg_destroy_decompress(&info);
        delete pixels;
        delete row;
        return false;
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    out.width = w;
    out.height = h;
    out.rgba.swap(*pixels);
    delete pixels;
    delete row;
    return true;
}

// ---- TGA ----

namespace {

uint16_t Le16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// One stored pixel as RGBA.
void TgaPixel(const uint8_t* p, int bytes, bool gray, uint8_t* dst) {
    if (gray) {
        dst[0] = dst[1] = dst[2] = p[0];
        dst[3] = bytes == 2 ? p[1] : 255;
        return;
    }
    switch (bytes) {
    case 2: {
        uint16_t v = Le16(p);
        dst[0] = uint8_t(((v >> 10) & 31) * 255 / 31);
        dst[1] = uint8_t(((v >> 5) & 31) * 255 / 31);
        dst[2] = uint8_t((v & 31) * 255 / 31);
        dst[3] = 255;
        break;
    }
    case 3:
        dst[0] = p[2];
        dst[1] = p[1];
        dst[2] = p[0];
        dst[3] = 255;
        break;
    default:
        dst[0] = p[2];
        dst[1] = p[1];
        dst[2] = p[0];
        dst[3] = p[3];
        break;
    }
}

}  // namespace

bool DecodeTga(const uint8_t* data, size_t size, DecodedPicture& out) {
    out = DecodedPicture{};
    if (!data || size < 18) return false;
    const uint8_t idLength = data[0];
    const uint8_t mapType = data[1];
    const uint8_t type = data[2];
    const uint16_t mapFirst = Le16(data + 3);
    const uint16_t mapLength = Le16(data + 5);
    const uint8_t mapBits = data[7];
    const int w = Le16(data + 12);
    const int h = Le16(data + 14);
    const int bits = data[16];
    const uint8_t descriptor = data[17];
    if (!SizeOk(w, h) || mapType > 1) return false;

    const bool rle = type >= 9;
    const int base = rle ? type - 8 : type;
    const bool mapped = base == 1;
    const bool gray = base == 3;
    if (base != 1 && base != 2 && base != 3) return false;
    if (mapped && (mapType != 1 || bits != 8 || (mapBits != 15 && mapBits != 16 && mapBits != 24 && mapBits != 32)))
        return false;
    if (base == 2 && bits != 15 && bits != 16 && bits != 24 && bits != 32) return false;
    if (gray && bits != 8 && bits != 16) return false;

    size_t at = 18 + size_t(idLength);
    // The colour map, converted once.
    std::vector<uint8_t> palette;
    if (mapType == 1) {
        const int entryBytes = (mapBits + 7) / 8;
        size_t mapBytes = size_t(mapLength) * size_t(entryBytes);
        if (at + mapBytes > size) return false;
        if (mapped) {
            palette.assign(size_t(mapFirst + mapLength) * 4, 0);
            for (size_t i = 0; i < mapLength; ++i)
                TgaPixel(data + at + i * size_t(entryBytes), entryBytes, false, &palette[(mapFirst + i) * 4]);
        }
        at += mapBytes;
    }

    const int pixelBytes = (bits + 7) / 8;
    const size_t count = size_t(w) * size_t(h);
    // Refuse before allocating when the file cannot hold that many pixels
    // (a run packet covers at most 128 of them).
    const size_t left = size - std::min(size, at);
    if (!rle && left < count * size_t(pixelBytes)) return false;
    if (rle && left < (count + 127) / 128 * size_t(1 + pixelBytes)) return false;
    std::vector<uint8_t> stored(count * 4);  // in file order
    auto put = [&](const uint8_t* p, size_t index) -> bool {
        uint8_t* dst = &stored[index * 4];
        if (mapped) {
            size_t entry = p[0];
            if (entry * 4 + 3 >= palette.size()) return false;
            std::memcpy(dst, &palette[entry * 4], 4);
        } else {
            TgaPixel(p, pixelBytes, gray, dst);
        }
        return true;
    };
    size_t done = 0;
    if (!rle) {
        if (at + count * size_t(pixelBytes) > size) return false;
        for (; done < count; ++done)
            if (!put(data + at + done * size_t(pixelBytes), done)) return false;
    } else {
        while (done < count) {
            if (at >= size) return false;
            uint8_t header = data[at++];
            size_t run = size_t(header & 0x7F) + 1;
            if (run > count - done) return false;
            if (header & 0x80) {
                if (at + size_t(pixelBytes) > size) return false;
                for (size_t i = 0; i < run; ++i)
                    if (!put(data + at, done + i)) return false;
                at += size_t(pixelBytes);
            } else {
                if (at + run * size_t(pixelBytes) > size) return false;
                for (size_t i = 0; i < run; ++i)
                    if (!put(data + at + i * size_t(pixelBytes), done + i)) return false;
                at += run * size_t(pixelBytes);
            }
            done += run;
        }
    }

    // Bit 5 of the descriptor: rows are stored top first; otherwise bottom first.
    // Bit 4: columns are stored right first.
    const bool topFirst = (descriptor & 0x20) != 0;
    const bool rightFirst = (descriptor & 0x10) != 0;
    out.rgba.resize(count * 4);
    for (int y = 0; y < h; ++y) {
        int srcY = topFirst ? y : h - 1 - y;
        for (int x = 0; x < w; ++x) {
            int srcX = rightFirst ? w - 1 - x : x;
            std::memcpy(&out.rgba[(size_t(y) * size_t(w) + size_t(x)) * 4],
                        &stored[(size_t(srcY) * size_t(w) + size_t(srcX)) * 4], 4);
        }
    }
    out.width = w;
    out.height = h;
    return true;
}
