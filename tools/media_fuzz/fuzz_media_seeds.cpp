// Writes a few small valid files of each kind into the corpus folders:
// fuzz_media_seeds <corpus root>, one sub-folder a fuzz target.
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/OggClip.h"
#include "tests/PictureBytes.h"

namespace {

void Put(const std::filesystem::path& dir, const std::string& name, const std::vector<uint8_t>& bytes) {
    std::filesystem::create_directories(dir);
    std::ofstream(dir / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                      std::streamsize(bytes.size()));
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
    return 0;
}
