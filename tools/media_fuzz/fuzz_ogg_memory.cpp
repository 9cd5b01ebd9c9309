// Feeds arbitrary bytes to the in-memory Ogg decoder and decodes to the end.
#include <cstdlib>

#include "platform/OggDecode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 1u << 20) return 0;
    OggVorbis_File* vf = nullptr;
    if (memory_stream_for_ogg_decode(data, uint32_t(size), &vf) != OGG_DECODE_OK) return 0;
    char buffer[4096];
    int channels = 0, holes = 0, badLinks = 0;
    long rate = 0;
    // Bounded: garbage can decode to a great deal of silence.
    for (int i = 0; i < 4096; ++i)
        if (ogg_decode_one_vorbis_packet(vf, buffer, sizeof buffer, 16, &channels, &rate, &holes, &badLinks) <= 0)
            break;
    final_ogg_cleanup(vf);
    std::free(vf);
    return 0;
}
