#pragma once
// Files and pictures read back from the pack the build generated.
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
