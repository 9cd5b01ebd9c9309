#include "engine/PackedPixels.h"

#include <cstring>
#include <memory>

namespace {

constexpr uint32_t kRun = 0x80000000u;
constexpr uint32_t kMaxCount = 0x7FFFFFFFu;
// A run of two costs what two literal pixels do; from three on it saves.
constexpr size_t kShortestRun = 3;
constexpr size_t kEarlySlack = 4096;

uint32_t PixelAt(const uint8_t* rgba, size_t i) {
    uint32_t p;
    std::memcpy(&p, rgba + i * 4, 4);
    return p;
}

}  // namespace

PackedPixels::PackedPixels(std::vector<uint8_t>&& rgba) : m_bytes(rgba.size()) {
    const size_t n = rgba.size() / 4;
    if (rgba.size() % 4 != 0 || n == 0) {
        m_raw = std::move(rgba);
        return;
    }
    const uint8_t* src = rgba.data();
    // Words past this many would not save the quarter that makes packing worth
    // an unpack. The same share of the pixels read so far, with some slack,
    // gives up early on photographs and noise.
    const size_t budget = n * 3 / 4;
    // Written through a pointer, not pushed: every picture loaded passes here.
    // The loop stops once past its limit, and one step adds at most two words a
    // pixel of a short literal.
    const std::unique_ptr<uint32_t[]> words(new uint32_t[budget + 2 * kShortestRun + 2]);
    uint32_t* const out = words.get();
    size_t w = 0;
    size_t literal = SIZE_MAX;  // head of the literal span still open
    size_t i = 0;
    while (i < n && w <= std::min(budget, i * 3 / 4 + kEarlySlack)) {
        const uint32_t p = PixelAt(src, i);
        size_t j = i + 1;
        while (j < n && j - i < kMaxCount && PixelAt(src, j) == p) ++j;
        if (j - i >= kShortestRun) {
            out[w++] = kRun | uint32_t(j - i);
            out[w++] = p;
            literal = SIZE_MAX;
        } else {
            for (size_t k = i; k < j; ++k) {
                if (literal == SIZE_MAX || out[literal] == kMaxCount) {
                    literal = w;
                    out[w++] = 0;
                }
                ++out[literal];
                out[w++] = p;
            }
        }
        i = j;
    }
    if (i < n || w > budget) {
        m_raw = std::move(rgba);
        return;
    }
    m_words.assign(out, out + w);
    std::vector<uint8_t>().swap(rgba);
}

const uint8_t* PackedPixels::Rgba(std::vector<uint8_t>& rgba) const {
    if (!Packed()) return m_raw.data();
    rgba.resize(m_bytes);
    uint8_t* out = rgba.data();
    for (size_t w = 0; w < m_words.size();) {
        const uint32_t head = m_words[w++];
        const size_t count = head & kMaxCount;
        if (head & kRun) {
            const uint32_t p = m_words[w++];
            for (size_t k = 0; k < count; ++k, out += 4) std::memcpy(out, &p, 4);
        } else {
            std::memcpy(out, &m_words[w], count * 4);
            out += count * 4;
            w += count;
        }
    }
    return rgba.data();
}
