#include "tools/screentour/TourSheet.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "engine/PictureDecoder.h"
#include "tools/assetpack/Canvas.h"
#include "tools/assetpack/ContactSheet.h"
#include "tools/assetpack/Encoders.h"

namespace {

constexpr int kBox = 220, kLabel = 16, kPad = 8, kColumns = 8;

bool ReadPicture(const std::string& path, Canvas& out) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DecodedPicture picture;
    if (bytes.empty() || !DecodePng(bytes.data(), bytes.size(), picture)) return false;
    out = Canvas(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            const uint8_t* p = &picture.rgba[(size_t(y) * size_t(picture.width) + size_t(x)) * 4];
            out.Blend(x, y, Rgba{p[0], p[1], p[2], 255});
        }
    return true;
}

}  // namespace

bool WriteContactSheet(const std::string& folder, const std::vector<std::string>& shots, const std::string& path) {
    TextRenderer text(CSQ_TOUR_FONT);
    const int cellW = kBox + kPad, cellH = kBox * 3 / 4 + kLabel + kPad;
    const int rows = std::max(1, int((shots.size() + kColumns - 1) / kColumns));
    Canvas sheet(kColumns * cellW + kPad, rows * cellH + kPad, Rgba{34, 36, 42, 255});
    for (size_t i = 0; i < shots.size(); ++i) {
        const int x = kPad + int(i % kColumns) * cellW, y = kPad + int(i / kColumns) * cellH;
        Canvas picture(1, 1);
        if (ReadPicture(folder + "/" + shots[i] + ".png", picture)) {
            // The 4:3 shot fills the cell's width; the box is square, so lift it.
            PasteThumbnail(sheet, picture, x, y - (kBox - kBox * 3 / 4) / 2, kBox);
        } else {
            sheet.FillRect(x, y, kBox, kBox * 3 / 4, Rgba{120, 20, 20, 255});
        }
        if (text.Ok()) text.Draw(sheet, shots[i].substr(0, 34), x, y + kBox * 3 / 4 + 12, 11, Rgba{230, 230, 230, 255});
    }
    const std::vector<uint8_t> png = EncodePng(sheet);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f) std::fclose(f);
    if (!ok) std::fprintf(stderr, "screentour: cannot write %s\n", path.c_str());
    return ok;
}

bool WriteCloseUp(const std::vector<uint8_t>& rgba, int width, int height, int x, int y, int w, int h, int scale,
                  const std::string& path) {
    x = std::clamp(x, 0, std::max(0, width - 1));
    y = std::clamp(y, 0, std::max(0, height - 1));
    w = std::min(w, width - x);
    h = std::min(h, height - y);
    if (w <= 0 || h <= 0 || scale < 1 || rgba.size() < size_t(width) * size_t(height) * 4) return false;
    Canvas out(w * scale, h * scale);
    for (int j = 0; j < h * scale; ++j)
        for (int i = 0; i < w * scale; ++i) {
            const uint8_t* p = &rgba[(size_t(y + j / scale) * size_t(width) + size_t(x + i / scale)) * 4];
            out.Blend(i, j, Rgba{p[0], p[1], p[2], 255});
        }
    const std::vector<uint8_t> png = EncodePng(out);
    std::FILE* f = std::fopen(path.c_str(), "wb");
    const bool ok = f && std::fwrite(png.data(), 1, png.size(), f) == png.size();
    if (f) std::fclose(f);
    return ok;
}
