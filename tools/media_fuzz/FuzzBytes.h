#pragma once
// Reads a fuzzer's input as a row of small choices; past the end every
// choice is 0, so any input makes a whole, valid description. And the check
// the structure-aware picture targets share.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/PictureDecoder.h"

class FuzzBytes {
public:
    FuzzBytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
    uint8_t Byte() { return m_at < m_size ? m_data[m_at++] : 0; }
    // A value in [low, high].
    int Range(int low, int high) { return low + int((Byte() | Byte() << 8) % unsigned(high - low + 1)); }
    bool Flag() { return Byte() & 1; }
    // What is left, for pixel data.
    const uint8_t* Rest() const { return m_data + m_at; }
    size_t RestSize() const { return m_size - (m_at < m_size ? m_at : m_size); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
};

// A built picture through the decoder as the loader takes it: a picture that
// decodes holds all its pixels; the header's size is read as well.
inline void DecodeBuiltPicture(const std::vector<uint8_t>& file) {
    DecodedPicture picture;
    const bool decoded = DecodePicture(file.data(), file.size(), picture);
    if (decoded && picture.rgba.size() != size_t(picture.width) * size_t(picture.height) * 4) __builtin_trap();
    int w = 0, h = 0;
    ReadPictureSize(file.data(), file.size(), w, h);
}
