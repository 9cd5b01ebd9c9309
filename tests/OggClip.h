#pragma once
// Builds small Ogg Vorbis clips in memory for the sound tests.
#include <cmath>
#include <cstdint>
#include <vector>

#include "tools/assetpack/Encoders.h"

namespace testclip {

// A sine of the given pitch, frames long, encoded at quality 0.4; optionally
// one page a packet, so that damage to one page loses little.
inline std::vector<uint8_t> MakeOgg(int channels, long rate, long frames, double hz = 440.0, float amp = 0.5f,
                                    bool pagePerPacket = false, int serial = 1234) {
    std::vector<int16_t> samples;
    samples.reserve(size_t(frames) * size_t(channels));
    for (long i = 0; i < frames; ++i) {
        double s = amp * std::sin(2.0 * M_PI * hz * double(i) / double(rate));
        for (int c = 0; c < channels; ++c) samples.push_back(int16_t(std::lround(s * 32767.0)));
    }
    OggEncodeOptions options;
    options.channels = channels;
    options.quality = 0.4f;
    options.serial = serial;
    options.pagePerPacket = pagePerPacket;
    return EncodeOggVorbis(samples, int(rate), options);
}

// Offsets of every "OggS" page start in a clip.
inline std::vector<size_t> PageOffsets(const std::vector<uint8_t>& ogg) {
    std::vector<size_t> at;
    for (size_t i = 0; i + 4 <= ogg.size(); ++i)
        if (ogg[i] == 'O' && ogg[i + 1] == 'g' && ogg[i + 2] == 'g' && ogg[i + 3] == 'S') at.push_back(i);
    return at;
}

// A RIFF/WAVE image of 16-bit PCM.
inline std::vector<uint8_t> MakeWav(int channels, uint32_t rate, const std::vector<int16_t>& samples,
                                    const std::vector<std::vector<uint8_t>>& extraChunksBeforeData = {}) {
    std::vector<uint8_t> w;
    auto u32 = [&w](uint32_t v) {
        for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i)));
    };
    auto u16 = [&w](uint16_t v) {
        w.push_back(uint8_t(v));
        w.push_back(uint8_t(v >> 8));
    };
    auto tag = [&w](const char* t) { w.insert(w.end(), t, t + 4); };
    tag("RIFF");
    u32(0);
    tag("WAVE");
    tag("fmt ");
    u32(16);
    u16(1);
    u16(uint16_t(channels));
    u32(rate);
    u32(rate * uint32_t(channels) * 2);
    u16(uint16_t(channels * 2));
    u16(16);
    for (const auto& chunk : extraChunksBeforeData) w.insert(w.end(), chunk.begin(), chunk.end());
    tag("data");
    u32(uint32_t(samples.size() * 2));
    for (int16_t s : samples) u16(uint16_t(s));
    uint32_t riff = uint32_t(w.size() - 8);
    for (int i = 0; i < 4; ++i) w[4 + i] = uint8_t(riff >> (8 * i));
    return w;
}

}  // namespace testclip
