#pragma once
// Decoded pixels held until their upload. A loaded picture may wait long for
// its first draw (the end-of-stage boards, the moves of robots not yet placed);
// most of such pictures is see-through margin and flat panel, so runs of one
// colour are kept once. Unpacking gives the RGBA back byte for byte.
#include <cstddef>
#include <cstdint>
#include <vector>

class PackedPixels {
public:
    PackedPixels() = default;
    // Takes the RGBA (4 bytes a pixel); kept as it is when runs save less than a quarter.
    explicit PackedPixels(std::vector<uint8_t>&& rgba);

    // The RGBA: the pixels held when kept as they were, else unpacked into scratch.
    const uint8_t* Rgba(std::vector<uint8_t>& scratch) const;
    // Bytes held, packed or not.
    size_t HeldBytes() const { return m_words.size() * 4 + m_raw.size(); }
    size_t RgbaBytes() const { return m_bytes; }
    bool Packed() const { return !m_words.empty(); }

private:
    // Spans in order, each a head word and its pixels: a run's head has the
    // top bit set and holds one pixel for its count, a literal span's holds its count of pixels.
    std::vector<uint32_t> m_words;
    std::vector<uint8_t> m_raw;
    size_t m_bytes = 0;
};
