// assetpack MANIFEST FONT OUTDIR: writes OUTDIR/DATA and OUTDIR/BIN.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <thread>

#include "platform/ZipPassword.h"
#include "tools/assetpack/ArtStyle.h"
#include "tools/assetpack/Generator.h"
#include "tools/assetpack/ZipWriter.h"

namespace {

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::string temp = path + ".part";
    std::FILE* f = std::fopen(temp.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fclose(f) == 0 && ok;
    return ok && std::rename(temp.c_str(), path.c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: assetpack MANIFEST FONT OUTDIR\n");
        return 2;
    }
    std::vector<ManifestItem> items;
    std::vector<std::string> errors;
    if (!ReadManifestFile(argv[1], &items, &errors)) {
        for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
        return 1;
    }
    // Every picture must say how it is drawn: one that matches no style would
    // come out as something it is not.
    std::vector<std::string> unstyled = UnstyledEntries(items);
    if (!unstyled.empty()) {
        for (const std::string& e : unstyled) std::fprintf(stderr, "%s\n", e.c_str());
        std::fprintf(stderr, "assetpack: %zu pictures have no art style\n", unstyled.size());
        return 1;
    }
    std::vector<PackFile> files = ExpandManifest(items);
    std::set<std::string> seen;
    for (const PackFile& f : files) {
        if (!seen.insert(f.path).second) {
            std::fprintf(stderr, "manifest line %d: %s listed twice\n", items[f.item].line, f.path.c_str());
            return 1;
        }
    }

    // Each worker has its own FreeType face; the files are shared out by index.
    std::vector<std::vector<uint8_t>> contents(files.size());
    std::atomic<size_t> next{0};
    std::atomic<bool> failed{false};
    unsigned workers = std::max(1u, std::min(4u, std::thread::hardware_concurrency()));
    std::vector<std::thread> pool;
    for (unsigned w = 0; w < workers; ++w) {
        pool.emplace_back([&] {
            TextRenderer text(argv[2]);
            if (!text.Ok()) {
                failed = true;
                return;
            }
            AssetGenerator generator(items, text);
            for (size_t i = next++; i < files.size(); i = next++) {
                contents[i] = generator.Make(files[i]);
                if (contents[i].empty()) {
                    std::fprintf(stderr, "could not make %s\n", files[i].path.c_str());
                    failed = true;
                }
            }
        });
    }
    for (std::thread& t : pool) t.join();
    if (failed) {
        std::fprintf(stderr, "assetpack: failed (font %s)\n", argv[2]);
        return 1;
    }

    std::string out = argv[3];
    std::map<std::string, size_t> byPath;
    std::vector<std::string> archived;
    for (size_t i = 0; i < files.size(); ++i) {
        if (files[i].inArchive) {
            byPath[files[i].path] = i;
            archived.push_back(files[i].path);
        } else if (!WriteFile(out + "/" + files[i].path, contents[i])) {
            std::fprintf(stderr, "cannot write %s/%s\n", out.c_str(), files[i].path.c_str());
            return 1;
        }
    }

    ZipWriter zip;
    ZipWriteOptions sealed;
    sealed.password = kZipPassword;
    for (const std::string& name : ArchiveLayout(archived)) {
        if (name.back() == '/') zip.AddDirectory(name);
        else zip.AddFile(name, contents[byPath[name]], sealed);
    }
    if (!WriteFile(out + "/DATA", zip.Finish())) {
        std::fprintf(stderr, "cannot write %s/DATA\n", out.c_str());
        return 1;
    }
    std::printf("assetpack: %zu entries in DATA\n", zip.EntryCount());
    return 0;
}
