// Decodes every Ogg Vorbis sound of the pack through the game's own path
// (memory stream, 4096-byte steps) and, in the same run, the same sounds with
// libvorbisfile's plain ov_read loop; the counter "ratio" is our time over
// the reference's. The pack is read from $CSQ_DATA or ./DATA; without it a
// set of synthesized clips like the pack's stands in.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/OggDecode.h"
#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"
#include "tests/OggClip.h"

namespace {

std::vector<std::vector<uint8_t>> PackSounds() {
    std::vector<std::vector<uint8_t>> clips;
    const char* env = std::getenv("CSQ_DATA");
    std::string path = env ? env : "DATA";
    if (std::filesystem::exists(path)) {
        host::HeadlessHost quiet;
        ResourceArchive archive;
        archive.OpenResourceArchive(path);
        for (const ZipEntry& e : archive.m_lstArchiveEntries) {
            std::string n;
            for (const char16_t* c = e.name; *c; ++c) n += char(*c < 0x80 ? *c : '?');
            if (n.size() < 4 || (n.compare(n.size() - 4, 4, ".ogg") != 0 && n.compare(n.size() - 4, 4, ".OGG") != 0))
                continue;
            void* block = nullptr;
            uint32_t size = 0;
            if (archive.UnzipItem(n.c_str(), &size, &block, 0))
                clips.emplace_back(static_cast<uint8_t*>(block), static_cast<uint8_t*>(block) + size);
            std::free(block);
        }
    }
    if (clips.empty()) {
        for (int i = 0; i < 40; ++i)
            clips.push_back(
                testclip::MakeOgg(1 + i % 2, 22050, 11025 + 2205 * i, 220.0 + 20 * i, 0.5f, false, 1000 + i));
    }
    return clips;
}

// libvorbisfile's own reading of a clip held in memory, for the reference.
struct MemoryClip {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};
size_t ClipRead(void* out, size_t size, size_t count, void* source) {
    auto* c = static_cast<MemoryClip*>(source);
    const size_t n = std::min(size * count, c->bytes->size() - c->at);
    std::memcpy(out, c->bytes->data() + c->at, n);
    c->at += n;
    return size ? n / size : 0;
}
int ClipSeek(void* source, ogg_int64_t offset, int whence) {
    auto* c = static_cast<MemoryClip*>(source);
    const ogg_int64_t base = whence == SEEK_SET   ? 0
                             : whence == SEEK_CUR ? ogg_int64_t(c->at)
                                                  : ogg_int64_t(c->bytes->size());
    if (base + offset < 0 || base + offset > ogg_int64_t(c->bytes->size())) return -1;
    c->at = size_t(base + offset);
    return 0;
}
long ClipTell(void* source) { return long(static_cast<MemoryClip*>(source)->at); }

}  // namespace

// Both sides decode the same clips from memory to 16-bit PCM, one after the
// other in the same iteration, timed on the wall clock.
static void BM_DecodeAllOggsAgainstVorbisfile(benchmark::State& state) {
    auto clips = PackSounds();
    double ours = 0.0, theirs = 0.0;
    size_t bytes = 0, referenceBytes = 0;
    auto decodeOurs = [&] {
        for (const auto& c : clips) {
            OggVorbis_File* vf = nullptr;
            if (memory_stream_for_ogg_decode(c.data(), uint32_t(c.size()), &vf) != OGG_DECODE_OK) continue;
            // Like the loader: one growing buffer, decoded into directly.
            std::vector<uint8_t> pcm;
            ogg_int64_t frames = ov_pcm_total(vf, -1);
            vorbis_info* info = ov_info(vf, -1);
            if (frames > 0 && info) pcm.reserve(size_t(frames) * size_t(info->channels) * 2);
            int channels = 0, holes = 0, bad = 0;
            long rate = 0, n;
            for (;;) {
                size_t total = pcm.size();
                pcm.resize(total + 4096);
                n = ogg_decode_one_vorbis_packet(vf, reinterpret_cast<char*>(pcm.data() + total), 4096, 16, &channels,
                                                 &rate, &holes, &bad);
                pcm.resize(total + size_t(n > 0 ? n : 0));
                if (n <= 0) break;
            }
            bytes += pcm.size();
            final_ogg_cleanup(vf);
            std::free(vf);
        }
    };
    auto decodeReference = [&] {
        for (const auto& c : clips) {
            MemoryClip source{&c};
            OggVorbis_File vf;
            if (ov_open_callbacks(&source, &vf, nullptr, 0, {ClipRead, ClipSeek, nullptr, ClipTell}) != 0) continue;
            std::vector<uint8_t> pcm;
            ogg_int64_t frames = ov_pcm_total(&vf, -1);
            vorbis_info* info = ov_info(&vf, -1);
            if (frames > 0 && info) pcm.reserve(size_t(frames) * size_t(info->channels) * 2);
            int section = 0;
            for (;;) {
                size_t total = pcm.size();
                pcm.resize(total + 4096);
                const long n = ov_read(&vf, reinterpret_cast<char*>(pcm.data() + total), 4096, 0, 2, 1, &section);
                pcm.resize(total + size_t(n > 0 ? n : 0));
                if (n <= 0) break;
            }
            referenceBytes += pcm.size();
            ov_clear(&vf);
        }
    };
    // Each side goes first every other time, so neither always finds the caches warm.
    bool oursFirst = true;
    for (auto _ : state) {
        for (int side = 0; side < 2; ++side) {
            const bool runOurs = (side == 0) == oursFirst;
            auto t0 = std::chrono::steady_clock::now();
            if (runOurs) decodeOurs();
            else decodeReference();
            const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
            (runOurs ? ours : theirs) += took;
        }
        oursFirst = !oursFirst;
    }
    if (bytes != referenceBytes) state.SkipWithError("the two sides decoded different amounts");
    state.counters["sounds"] = double(clips.size());
    state.counters["ours_s"] = ours / double(state.iterations());
    state.counters["vorbisfile_s"] = theirs / double(state.iterations());
    state.counters["ratio"] = theirs > 0 ? ours / theirs : 0.0;
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_DecodeAllOggsAgainstVorbisfile)->Unit(benchmark::kMillisecond)->Iterations(10)->UseRealTime();
