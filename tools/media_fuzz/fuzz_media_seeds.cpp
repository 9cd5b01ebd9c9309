// Writes small valid files of each kind into the corpus folders, and with a
// pack the game's own pictures and sounds from it (the shapes the system
// decoders really meet): fuzz_media_seeds <corpus root> [DATA], one
// sub-folder a fuzz target.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ResourceArchive.h"
#include "platform/host/Headless.h"
#include "tests/OggClip.h"
#include "tests/PictureBytes.h"

namespace {

void Put(const std::filesystem::path& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// Up to kPerKind entries of each kind, spread over the pack's sizes, none
// longer than the fuzzers' input limit.
void PackSeeds(const std::filesystem::path& root, const std::string& pack) {
    constexpr size_t kPerKind = 40, kMaxBytes = 262144;
    const struct {
        const char* ext;
        const char* target;
    } kKinds[] = {{".png", "fuzz_png"},
                  {".jpg", "fuzz_jpeg"},
                  {".tga", "fuzz_tga"},
                  {".ogg", "fuzz_ogg_memory"},
                  {".wav", "fuzz_wave"}};
    host::HeadlessHost quiet;
    ResourceArchive archive;
    archive.OpenResourceArchive(pack);
    for (const auto& kind : kKinds) {
        std::vector<std::pair<int32_t, std::string>> names;
        for (const ZipEntry& e : archive.m_lstArchiveEntries) {
            std::string n;
            for (const char16_t* c = e.name; *c; ++c) n += char(*c < 0x80 ? *c : '?');
            std::string lower = n;
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            const size_t len = std::char_traits<char>::length(kind.ext);
            if (lower.size() > len && lower.compare(lower.size() - len, len, kind.ext) == 0 && e.uncompressedSize > 0 &&
                size_t(e.uncompressedSize) <= kMaxBytes)
                names.emplace_back(e.uncompressedSize, n);
        }
        std::sort(names.begin(), names.end());
        const size_t step = names.size() > kPerKind ? names.size() / kPerKind : 1;
        for (size_t i = 0; i < names.size(); i += step) {
            void* block = nullptr;
            uint32_t size = 0;
            if (archive.UnzipItem(names[i].second.c_str(), &size, &block, 0)) {
                const uint8_t* b = static_cast<const uint8_t*>(block);
                Put(root / kind.target, "pack_" + std::to_string(i) + kind.ext, std::vector<uint8_t>(b, b + size));
            }
            std::free(block);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    std::filesystem::path root = argv[1];
    Put(root / "fuzz_ogg_memory", "mono.ogg", testclip::MakeOgg(1, 22050, 3000));
    Put(root / "fuzz_ogg_memory", "stereo_pages.ogg", testclip::MakeOgg(2, 44100, 3000, 330.0, 0.5f, true));
    Put(root / "fuzz_png", "a.png", testpic::Png(9, 7));
    Put(root / "fuzz_jpeg", "a.jpg", testpic::Jpeg(17, 9));
    Put(root / "fuzz_tga", "raw.tga", testpic::Tga(5, 3, testpic::Pattern(5, 3), false, false));
    Put(root / "fuzz_tga", "rle.tga", testpic::Tga(8, 2, testpic::Blocks(8, 2), true, true));
    Put(root / "fuzz_wave", "a.wav", testclip::MakeWav(2, 22050, {1, 2, 3, 4, 5, 6}));
    if (argc > 2) PackSeeds(root, argv[2]);
    return 0;
}
