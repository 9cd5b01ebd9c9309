#pragma once
// RGBA pictures drawn by the packer, with text through FreeType.
#include <cstdint>
#include <string>
#include <vector>

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

Rgba FromHex(uint32_t rgb, uint8_t alpha = 255);
Rgba Shade(Rgba c, float factor);  // factor < 1 darker, > 1 lighter

class Canvas {
public:
    Canvas(int width, int height, Rgba fill = Rgba{0, 0, 0, 0});

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    const std::vector<uint8_t>& Pixels() const { return m_pixels; }  // rows top-down
    Rgba At(int x, int y) const;

    void Blend(int x, int y, Rgba c, uint8_t coverage = 255);
    void FillRect(int x, int y, int w, int h, Rgba c);
    void Cut(int x, int y, int w, int h);  // leaves the rectangle fully transparent
    void Frame(int x, int y, int w, int h, int thickness, Rgba c);
    void FillEllipse(int cx, int cy, int rx, int ry, Rgba c);
    void VerticalGradient(int x, int y, int w, int h, Rgba top, Rgba bottom);

private:
    int m_width, m_height;
    std::vector<uint8_t> m_pixels;
};

class TextRenderer {
public:
    explicit TextRenderer(const std::string& fontFile);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    bool Ok() const { return m_face != nullptr; }
    int Advance(char32_t c, int pixels);
    int Width(const std::string& text, int pixels);
    // The inked columns of a glyph: first column from the pen, and width.
    bool InkBox(char32_t c, int pixels, int* left, int* width);
    // Draws one line with its baseline at y; answers the pen's end.
    int Draw(Canvas& canvas, const std::string& text, int x, int baseline, int pixels, Rgba colour);
    // Lines split at '\n', shrunk to fit the box, centred in it, with a dark edge.
    void DrawLabel(Canvas& canvas, const std::string& text, int x, int y, int w, int h, Rgba colour,
                   int maxPixels = 48);
    int Ascent(int pixels);

private:
    void SetSize(int pixels);
    void* m_library = nullptr;
    void* m_face = nullptr;
    int m_pixels = 0;
};
