#include "tools/assetpack/ContactSheet.h"

#include <algorithm>

// Area-averaged shrink into a box, keeping the aspect; transparent parts
// over a checkerboard so alpha shows.
void PasteThumbnail(Canvas& sheet, const Canvas& pic, int x, int y, int box) {
    double scale = std::min(1.0, double(box) / std::max(pic.Width(), pic.Height()));
    int w = std::max(1, static_cast<int>(pic.Width() * scale)), h = std::max(1, static_cast<int>(pic.Height() * scale));
    int ox = x + (box - w) / 2, oy = y + (box - h) / 2;
    for (int ty = 0; ty < h; ++ty)
        for (int tx = 0; tx < w; ++tx) {
            int x0 = static_cast<int>(tx / scale), x1 = std::max(x0 + 1, static_cast<int>((tx + 1) / scale));
            int y0 = static_cast<int>(ty / scale), y1 = std::max(y0 + 1, static_cast<int>((ty + 1) / scale));
            double r = 0, g = 0, b = 0, a = 0;
            int n = 0;
            for (int sy = y0; sy < y1 && sy < pic.Height(); ++sy)
                for (int sx = x0; sx < x1 && sx < pic.Width(); ++sx) {
                    Rgba c = pic.At(sx, sy);
                    r += c.r * c.a;
                    g += c.g * c.a;
                    b += c.b * c.a;
                    a += c.a;
                    ++n;
                }
            bool dark = ((tx / 8) + (ty / 8)) % 2 == 0;
            sheet.Blend(ox + tx, oy + ty, dark ? Rgba{90, 90, 96, 255} : Rgba{120, 120, 128, 255});
            if (a > 0)
                sheet.Blend(ox + tx, oy + ty,
                            Rgba{static_cast<uint8_t>(r / a), static_cast<uint8_t>(g / a), static_cast<uint8_t>(b / a),
                                 static_cast<uint8_t>(a / n)});
        }
}
