#pragma once
// File formats the packer writes: pictures, cursor and sounds.
#include <cstdint>
#include <vector>

#include "tools/assetpack/Canvas.h"

std::vector<uint8_t> EncodePng(const Canvas& canvas);
std::vector<uint8_t> EncodeJpeg(const Canvas& canvas, int quality = 85);
std::vector<uint8_t> EncodeTga(const Canvas& canvas);  // 32-bit, uncompressed, bottom-up
// A one-image Windows cursor (32-bit colour plus AND mask) with its hot spot.
std::vector<uint8_t> EncodeCursor(const Canvas& canvas, int hotX, int hotY);

// 16-bit samples of a signal in -1..1, clamped there.
std::vector<int16_t> ToPcm(const std::vector<double>& signal);
// 16-bit mono samples.
std::vector<uint8_t> EncodeWav(const std::vector<int16_t>& samples, int rate);

struct OggEncodeOptions {
    int channels = 1;
    float quality = 0.1f;
    int serial = 0x43535131;     // fixed: reproducible packs
    bool pagePerPacket = false;  // one page a packet, so damage to a page loses little
};
// 16-bit samples, interleaved when there is more than one channel.
std::vector<uint8_t> EncodeOggVorbis(const std::vector<int16_t>& samples, int rate,
                                     const OggEncodeOptions& options = OggEncodeOptions());
// The samples a player of the file gets back (interleaved); empty when it is no Ogg Vorbis.
std::vector<int16_t> DecodeOggVorbis(const std::vector<uint8_t>& file);
