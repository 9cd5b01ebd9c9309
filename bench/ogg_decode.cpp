// Decodes every Ogg Vorbis sound of the pack through the game's own path
// (memory stream, 4096-byte steps) and, in the same run, the same sounds with
// oggdec from vorbis-tools (one chained stream per format); the counter "ratio" is our
// time over oggdec's. The pack is read from $CSQ_DATA or ./DATA; without it a
// set of synthesized clips like the pack's stands in.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
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
        for (int i = 0; i < 40; ++i) clips.push_back(testclip::MakeOgg(1 + i % 2, 22050, 11025 + 2205 * i, 220.0 + 20 * i, 0.5f, false, 1000 + i));
    }
    return clips;
}

// A copy of a clip with its own stream serial number (checksums redone), so that
// clips chained into one file stay separate streams, as separate files are.
std::vector<uint8_t> WithSerial(const std::vector<uint8_t>& clip, uint32_t serial) {
    std::vector<uint8_t> out = clip;
    size_t at = 0;
    while (at + 27 <= out.size() && std::memcmp(&out[at], "OggS", 4) == 0) {
        size_t segments = out[at + 26];
        size_t headerLen = 27 + segments;
        if (at + headerLen > out.size()) break;
        size_t bodyLen = 0;
        for (size_t i = 0; i < segments; ++i) bodyLen += out[at + 27 + i];
        if (at + headerLen + bodyLen > out.size()) break;
        for (int i = 0; i < 4; ++i) out[at + 14 + size_t(i)] = uint8_t(serial >> (8 * i));
        ogg_page page;
        page.header = &out[at];
        page.header_len = long(headerLen);
        page.body = &out[at + headerLen];
        page.body_len = long(bodyLen);
        ogg_page_checksum_set(&page);
        at += headerLen + bodyLen;
    }
    return out;
}

}  // namespace

static void BM_DecodeAllOggsAgainstOggdec(benchmark::State& state) {
    auto clips = PackSounds();
    auto dir = std::filesystem::temp_directory_path() / "csq_bench_oggdec";
    std::filesystem::create_directories(dir);
    // oggdec decodes a chained stream only while channels and rate stay the
    // same, so the sounds go into one chained file per format.
    std::map<std::pair<int, long>, std::vector<size_t>> byFormat;
    for (size_t i = 0; i < clips.size(); ++i) {
        OggVorbis_File* vf = nullptr;
        if (memory_stream_for_ogg_decode(clips[i].data(), uint32_t(clips[i].size()), &vf) != OGG_DECODE_OK) continue;
        vorbis_info* info = ov_info(vf, -1);
        byFormat[{info->channels, info->rate}].push_back(i);
        final_ogg_cleanup(vf);
        std::free(vf);
    }
    std::string command = "true";
    int group = 0;
    for (const auto& g : byFormat) {
        auto file = (dir / ("format" + std::to_string(group++) + ".ogg")).string();
        std::ofstream out(file, std::ios::binary);
        for (size_t i : g.second) {
            auto own = WithSerial(clips[i], 0x5EED0000u + uint32_t(i));
            out.write(reinterpret_cast<const char*>(own.data()), std::streamsize(own.size()));
        }
        command += " && oggdec -Q -o /dev/null '" + file + "'";
    }
    double ours = 0.0, theirs = 0.0;
    size_t bytes = 0;
    for (auto _ : state) {
        auto t0 = std::chrono::steady_clock::now();
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
        auto t1 = std::chrono::steady_clock::now();
        int rc = std::system(command.c_str());
        auto t2 = std::chrono::steady_clock::now();
        if (rc != 0) {
            state.SkipWithError("oggdec failed (is vorbis-tools installed?)");
            break;
        }
        ours += std::chrono::duration<double>(t1 - t0).count();
        theirs += std::chrono::duration<double>(t2 - t1).count();
    }
    std::filesystem::remove_all(dir);
    state.counters["sounds"] = double(clips.size());
    state.counters["ours_s"] = ours / double(state.iterations());
    state.counters["oggdec_s"] = theirs / double(state.iterations());
    state.counters["ratio"] = theirs > 0 ? ours / theirs : 0.0;
    state.SetBytesProcessed(int64_t(bytes));
}
BENCHMARK(BM_DecodeAllOggsAgainstOggdec)->Unit(benchmark::kMillisecond)->Iterations(5);
