#include "tools/assetpack/Canvas.h"

#include <algorithm>
#include <ft2build.h>
#include FT_FREETYPE_H

Rgba FromHex(uint32_t rgb, uint8_t alpha) {
    return Rgba{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), alpha};
}

Rgba Shade(Rgba c, float factor) {
    auto s = [factor](uint8_t v) {
        float x = factor <= 1.0f ? v * factor : v + (255 - v) * (factor - 1.0f);
        return static_cast<uint8_t>(std::clamp(x, 0.0f, 255.0f));
    };
    return Rgba{s(c.r), s(c.g), s(c.b), c.a};
}

Canvas::Canvas(int width, int height, Rgba fill)
    : m_width(width), m_height(height), m_pixels(static_cast<size_t>(width) * height * 4) {
    for (size_t i = 0; i < m_pixels.size(); i += 4) {
        m_pixels[i] = fill.r;
        m_pixels[i + 1] = fill.g;
        m_pixels[i + 2] = fill.b;
        m_pixels[i + 3] = fill.a;
    }
}

Rgba Canvas::At(int x, int y) const {
    const uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    return Rgba{p[0], p[1], p[2], p[3]};
}

void Canvas::Blend(int x, int y, Rgba c, uint8_t coverage) {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return;
    uint8_t* p = &m_pixels[(static_cast<size_t>(y) * m_width + x) * 4];
    unsigned a = c.a * coverage / 255u;
    if (a == 0) return;
    unsigned da = p[3];
    unsigned outA = a + da * (255 - a) / 255;
    if (outA == 0) return;
    // Rounded down separately, the two parts could add up past 255 over a
    // faint background; clamp rather than wrap.
    auto mix = [&](uint8_t src, uint8_t dst) {
        return static_cast<uint8_t>(std::min(255u, (src * a + dst * da * (255 - a) / 255) / outA));
    };
    p[0] = mix(c.r, p[0]);
    p[1] = mix(c.g, p[1]);
    p[2] = mix(c.b, p[2]);
    p[3] = static_cast<uint8_t>(outA);
}

void Canvas::FillRect(int x, int y, int w, int h, Rgba c) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, m_width), y1 = std::min(y + h, m_height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx) Blend(xx, yy, c);
}

void Canvas::Cut(int x, int y, int w, int h) {
    int x0 = std::max(x, 0), y0 = std::max(y, 0);
    int x1 = std::min(x + w, m_width), y1 = std::min(y + h, m_height);
    for (int yy = y0; yy < y1; ++yy)
        for (int xx = x0; xx < x1; ++xx)
            std::fill_n(m_pixels.begin() +
                            (static_cast<size_t>(yy) * static_cast<size_t>(m_width) + static_cast<size_t>(xx)) * 4,
                        4, uint8_t{0});
}

void Canvas::Frame(int x, int y, int w, int h, int t, Rgba c) {
    FillRect(x, y, w, t, c);
    FillRect(x, y + h - t, w, t, c);
    FillRect(x, y + t, t, h - 2 * t, c);
    FillRect(x + w - t, y + t, t, h - 2 * t, c);
}

void Canvas::FillEllipse(int cx, int cy, int rx, int ry, Rgba c) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = -ry; y <= ry; ++y) {
        for (int x = -rx; x <= rx; ++x) {
            double d = double(x) * x / (double(rx) * rx) + double(y) * y / (double(ry) * ry);
            if (d <= 1.0) Blend(cx + x, cy + y, c, d > 0.9 ? static_cast<uint8_t>((1.0 - d) * 2550) : 255);
        }
    }
}

void Canvas::VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom) {
    for (int yy = 0; yy < h; ++yy) {
        float t = h > 1 ? float(yy) / float(h - 1) : 0.0f;
        Rgba c{
            static_cast<uint8_t>(top.r + (bottom.r - top.r) * t), static_cast<uint8_t>(top.g + (bottom.g - top.g) * t),
            static_cast<uint8_t>(top.b + (bottom.b - top.b) * t), static_cast<uint8_t>(top.a + (bottom.a - top.a) * t)};
        FillRect(x, y + yy, w, 1, c);
    }
}

TextRenderer::TextRenderer(const std::string& fontFile) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) return;
    m_library = library;
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) return;
    m_face = face;
}

TextRenderer::~TextRenderer() {
    if (m_face) FT_Done_Face(static_cast<FT_Face>(m_face));
    if (m_library) FT_Done_FreeType(static_cast<FT_Library>(m_library));
}

void TextRenderer::SetSize(int pixels) {
    if (pixels != m_pixels) {
        FT_Set_Pixel_Sizes(static_cast<FT_Face>(m_face), 0, static_cast<FT_UInt>(pixels));
        m_pixels = pixels;
    }
}

int TextRenderer::Ascent(int pixels) {
    SetSize(pixels);
    return static_cast<int>(static_cast<FT_Face>(m_face)->size->metrics.ascender >> 6);
}

int TextRenderer::Advance(char32_t c, int pixels) {
    SetSize(pixels);
    FT_Face face = static_cast<FT_Face>(m_face);
    if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0) return 0;
    return static_cast<int>((face->glyph->advance.x + 32) >> 6);
}

bool TextRenderer::InkBox(char32_t c, int pixels, int* left, int* width) {
    SetSize(pixels);
    FT_Face face = static_cast<FT_Face>(m_face);
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) return false;
    const FT_Bitmap& bm = face->glyph->bitmap;
    // Columns with real coverage, not the faint fringe.
    int first = -1, last = -1;
    for (unsigned col = 0; col < bm.width; ++col)
        for (unsigned row = 0; row < bm.rows; ++row)
            if (bm.buffer[row * static_cast<unsigned>(bm.pitch) + col] > 40) {
                if (first < 0) first = static_cast<int>(col);
                last = static_cast<int>(col);
                break;
            }
    if (first < 0) {
        *left = 0;
        *width = 0;
        return true;
    }
    *left = face->glyph->bitmap_left + first;
    *width = last - first + 1;
    return true;
}

int TextRenderer::Width(const std::string& text, int pixels) {
    int w = 0;
    for (unsigned char c : text) w += Advance(c, pixels);
    return w;
}

int TextRenderer::Draw(Canvas& canvas, const std::string& text, int x, int baseline, int pixels, Rgba colour) {
    SetSize(pixels);
    FT_Face face = static_cast<FT_Face>(m_face);
    int pen = x;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0) continue;
        FT_GlyphSlot g = face->glyph;
        const FT_Bitmap& bm = g->bitmap;
        for (unsigned row = 0; row < bm.rows; ++row)
            for (unsigned col = 0; col < bm.width; ++col) {
                uint8_t cover = bm.buffer[row * static_cast<unsigned>(bm.pitch) + col];
                if (cover)
                    canvas.Blend(pen + g->bitmap_left + static_cast<int>(col),
                                 baseline - g->bitmap_top + static_cast<int>(row), colour, cover);
            }
        pen += static_cast<int>((g->advance.x + 32) >> 6);
    }
    return pen;
}

void TextRenderer::DrawLabel(Canvas& canvas, const std::string& text, int x, int y, int w, int h, Rgba colour,
                             int maxPixels) {
    if (!m_face || text.empty() || w < 4 || h < 4) return;
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        size_t nl = text.find('\n', start);
        lines.push_back(text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    int pixels = std::min(maxPixels, std::max(6, h * 8 / (10 * static_cast<int>(lines.size()))));
    for (; pixels > 6; --pixels) {
        int widest = 0;
        for (const std::string& l : lines) widest = std::max(widest, Width(l, pixels));
        if (widest <= w - 4) break;
    }
    int lineHeight = pixels * 5 / 4;
    int top = y + (h - lineHeight * static_cast<int>(lines.size())) / 2;
    int ascent = Ascent(pixels);
    Rgba edge = Rgba{0, 0, 0, static_cast<uint8_t>(colour.a * 3 / 4)};
    for (size_t i = 0; i < lines.size(); ++i) {
        int lw = Width(lines[i], pixels);
        int lx = x + (w - lw) / 2;
        int baseline = top + static_cast<int>(i) * lineHeight + ascent + (lineHeight - pixels) / 2;
        Draw(canvas, lines[i], lx + 1, baseline + 1, pixels, edge);
        Draw(canvas, lines[i], lx, baseline, pixels, colour);
    }
}
