// contact_sheet MANIFEST FONT OUTDIR [FILTER]: every picture of the pack,
// shrunk into a few labelled overview PNGs for review (not part of the
// build). With FILTER only paths containing it, unit frames at full size.
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "tools/assetpack/ArtStyle.h"
#include "tools/assetpack/ContactSheet.h"
#include "tools/assetpack/Encoders.h"
#include "tools/assetpack/Generator.h"

namespace {

constexpr int kThumb = 128, kLabel = 16, kPad = 6;

struct Entry {
    std::string label;
    std::vector<size_t> files;  // drawn side by side in one cell row
};

std::string Group(const std::string& style) {
    if (style == "unit") return "units";
    if (style == "button" || style == "glow") return "buttons";
    if (style == "card" || style == "cardframe" || style == "portrait" || style == "medal") return "cards";
    if (style == "item" || style == "shot" || style == "effect" || style == "propeller" || style == "fish" ||
        style == "bossarm" || style == "bosshand")
        return "battle";
    if (style == "background" || style == "tile" || style == "water" || style == "splash" || style == "ending")
        return "worlds";
    return "interface";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        std::fprintf(stderr, "usage: contact_sheet MANIFEST FONT OUTDIR [FILTER]\n");
        return 2;
    }
    std::vector<ManifestItem> items;
    std::vector<std::string> errors;
    if (!ReadManifestFile(argv[1], &items, &errors)) {
        for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
        return 1;
    }
    TextRenderer text(argv[2]);
    if (!text.Ok()) return 1;
    AssetGenerator generator(items, text);
    std::vector<PackFile> files = ExpandManifest(items);

    // One entry per picture; a unit or a button keeps all its pictures on one row.
    std::map<std::string, std::vector<Entry>> groups;
    for (size_t i = 0; i < files.size(); ++i) {
        if (!generator.IsPicture(files[i]) || (argc == 5 && files[i].path.find(argv[4]) == std::string::npos)) continue;
        const ManifestItem& item = items[files[i].item];
        std::string group = item.kind == "font" ? "interface" : Group(ArtStyleFor(item, files[i].path));
        std::vector<Entry>& list = groups[group];
        bool together = item.kind == "unit" || item.kind == "button";
        if (together && !list.empty() && files[list.back().files.back()].item == files[i].item && true) {
            list.back().files.push_back(i);
            continue;
        }
        std::string name = files[i].path.substr(files[i].path.rfind('/', files[i].path.size() - 2) + 1);
        if (item.kind == "unit")
            name = item.path.substr(item.path.rfind('/', item.path.size() - 2) + 1) + " " + item.label;
        groups[group].push_back(Entry{name, {i}});
    }

    std::string out = argv[3];
    int written = 0;
    for (auto& [group, entries] : groups) {
        // Units: one row per act, frames at half size; everything else in a grid.
        bool rows = group == "units" || group == "buttons";
        int columns = argc == 5 ? 4 : 14;
        int box = argc == 5 ? (group == "units" ? kThumb : 3 * kThumb) : group == "units" ? 64 : kThumb;
        int cellW = box + kPad, cellH = box + kLabel + kPad;
        size_t perSheet = group == "units" ? 25 : rows ? 48 : 120;
        for (size_t first = 0, part = 1; first < entries.size(); first += perSheet, ++part) {
            size_t last = std::min(entries.size(), first + perSheet);
            int width = rows ? 0 : columns * cellW + kPad, height = kPad;
            if (rows) {
                for (size_t e = first; e < last; ++e)
                    width = std::max(width, static_cast<int>(entries[e].files.size()) * cellW + 200);
                height += static_cast<int>(last - first) * cellH;
            } else {
                height += static_cast<int>((last - first + columns - 1) / columns) * cellH;
            }
            Canvas sheet(width, height, Rgba{34, 36, 42, 255});
            for (size_t e = first; e < last; ++e) {
                size_t k = e - first;
                int x = rows ? 200 : kPad + static_cast<int>(k % columns) * cellW;
                int y = kPad + static_cast<int>(rows ? k : k / columns) * cellH;
                for (size_t f = 0; f < entries[e].files.size(); ++f) {
                    Canvas pic = generator.Draw(files[entries[e].files[f]]);
                    PasteThumbnail(sheet, pic, x + static_cast<int>(f) * cellW, y, box);
                }
                if (rows) text.Draw(sheet, entries[e].label, 6, y + box / 2 + 5, 12, Rgba{230, 230, 230, 255});
                else text.Draw(sheet, entries[e].label.substr(0, 22), x, y + box + 12, 10, Rgba{230, 230, 230, 255});
            }
            std::string name =
                out + "/contact_" + group + (entries.size() > perSheet ? "_" + std::to_string(part) : "") + ".png";
            std::vector<uint8_t> png = EncodePng(sheet);
            std::FILE* f = std::fopen(name.c_str(), "wb");
            if (!f || std::fwrite(png.data(), 1, png.size(), f) != png.size()) {
                std::fprintf(stderr, "cannot write %s\n", name.c_str());
                if (f) std::fclose(f);
                return 1;
            }
            std::fclose(f);
            ++written;
        }
    }
    std::printf("contact_sheet: %d sheets in %s\n", written, out.c_str());
    return 0;
}
