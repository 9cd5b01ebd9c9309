#pragma once
// Builds small Ogg Vorbis clips in memory for the sound tests.
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace testclip {

// A sine of the given pitch, frames long, encoded at quality 0.4; optionally
// one page a packet, so that damage to one page loses little.
inline std::vector<uint8_t> MakeOgg(int channels, long rate, long frames, double hz = 440.0, float amp = 0.5f,
                                    bool pagePerPacket = false, int serial = 1234) {
    vorbis_info vi;
    vorbis_info_init(&vi);
    vorbis_encode_init_vbr(&vi, channels, rate, 0.4f);
    vorbis_comment vc;
    vorbis_comment_init(&vc);
    vorbis_dsp_state vd;
    vorbis_analysis_init(&vd, &vi);
    vorbis_block vb;
    vorbis_block_init(&vd, &vb);
    ogg_stream_state os;
    ogg_stream_init(&os, serial);
    std::vector<uint8_t> out;
    auto put = [&out](const ogg_page& og) {
        out.insert(out.end(), og.header, og.header + og.header_len);
        out.insert(out.end(), og.body, og.body + og.body_len);
    };
    ogg_packet header, comments, codebooks;
    vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
    ogg_stream_packetin(&os, &header);
    ogg_stream_packetin(&os, &comments);
    ogg_stream_packetin(&os, &codebooks);
    ogg_page og;
    while (ogg_stream_flush(&os, &og)) put(og);
    long done = 0;
    bool eos = false;
    while (!eos) {
        long n = frames - done < 1024 ? frames - done : 1024;
        if (n > 0) {
            float** buf = vorbis_analysis_buffer(&vd, int(n));
            for (long i = 0; i < n; ++i) {
                float s = amp * float(std::sin(2.0 * M_PI * hz * double(done + i) / double(rate)));
                for (int c = 0; c < channels; ++c) buf[c][i] = s;
            }
            vorbis_analysis_wrote(&vd, int(n));
            done += n;
        } else {
            vorbis_analysis_wrote(&vd, 0);
        }
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            ogg_packet op;
            while (vorbis_bitrate_flushpacket(&vd, &op)) {
                ogg_stream_packetin(&os, &op);
                while (pagePerPacket ? ogg_stream_flush(&os, &og) : ogg_stream_pageout(&os, &og)) {
                    put(og);
                    if (ogg_page_eos(&og)) eos = true;
                }
            }
        }
    }
    ogg_stream_clear(&os);
    vorbis_block_clear(&vb);
    vorbis_dsp_clear(&vd);
    vorbis_comment_clear(&vc);
    vorbis_info_clear(&vi);
    return out;
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
    auto u32 = [&w](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back(uint8_t(v >> (8 * i))); };
    auto u16 = [&w](uint16_t v) { w.push_back(uint8_t(v)); w.push_back(uint8_t(v >> 8)); };
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
