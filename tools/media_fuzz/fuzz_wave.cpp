// Arbitrary bytes through the RIFF/WAVE parser, reading what it accepts.
#include <vector>

#include "platform/WaveFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WaveFile wave;
    if (wave.OpenFromRiff(data, size) != SOUND_OK) return 0;
    std::vector<uint8_t> out(wave.GetSize() + 16);
    uint32_t read = 0;
    wave.Read(out.data(), uint32_t(out.size()), &read);
    return 0;
}
