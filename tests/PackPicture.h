#pragma once
// Files and pictures read back from the pack the build generated.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/PictureDecoder.h"
#include "platform/ResourceArchive.h"

// The archive's name for a path written with '/'.
inline std::string PackQuery(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The decoded picture at path; empty when the pack lacks it or it does not decode.
inline DecodedPicture PackPicture(ResourceArchive& archive, const std::string& path) {
    DecodedPicture out;
    uint32_t size = 0;
    void* block = nullptr;
    if (archive.UnzipItem(PackQuery(path).c_str(), &size, &block, 0))
        DecodePicture(static_cast<const uint8_t*>(block), size, out);
    std::free(block);
    return out;
}

// The RGBA of the pixel at (x, y), clamped into the picture (which is not empty).
inline const uint8_t* PackPixel(const DecodedPicture& pic, int x, int y) {
    x = x < 0 ? 0 : x >= pic.width ? pic.width - 1 : x;
    y = y < 0 ? 0 : y >= pic.height ? pic.height - 1 : y;
    return &pic.rgba[(size_t(y) * size_t(pic.width) + size_t(x)) * 4];
}

// A point on the face of a picture of the build's pack drawn centred at
// (x, y), `shown` logical pixels wide: the share `across` of its opaque part
// from its left end (0) to its right end (1), at that part's middle row (the
// logical screen's y grows upward).
struct ScreenPoint {
    float x = 0.0f, y = 0.0f;
};
inline ScreenPoint PointOnFace(const std::string& path, float x, float y, float shown, float across) {
    ResourceArchive archive;
    archive.OpenResourceArchive(std::string(CSQ_BINARY_DIR) + "/DATA");
    const DecodedPicture pic = PackPicture(archive, path);
    int left = pic.width, right = 0, top = pic.height, bottom = 0;
    for (int py = 0; py < pic.height; ++py)
        for (int px = 0; px < pic.width; ++px)
            if (PackPixel(pic, px, py)[3] > 128) {
                left = std::min(left, px), right = std::max(right, px + 1);
                top = std::min(top, py), bottom = std::max(bottom, py + 1);
            }
    const float scale = shown / float(std::max(pic.width, 1));
    const float fx = float(left) + across * float(right - left), fy = 0.5f * float(top + bottom);
    return ScreenPoint{x + (fx - 0.5f * float(pic.width)) * scale, y - (fy - 0.5f * float(pic.height)) * scale};
}
