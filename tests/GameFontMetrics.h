#pragma once
// Line widths in the game's standard font, measured the way the bitmap font
// advances its pen. Glyph widths are those of the generated font sheet (a bold
// sans face at 22 pixels in 32-pixel cells, each glyph's span its ink) with
// one pixel more per glyph, so that a text that fits here fits the real sheet.
#include <algorithm>
#include <string>
#include <vector>

namespace font_test {

// Printable ASCII 32 to 126; the entry for the blank is unused.
constexpr int kGlyphWidth[95] = {
     4,  4,  8, 16, 13, 22, 17,  3,  6,  6, 11, 14,  5,  7,  4,  8, 14, 12, 13, 13, 14, 13, 13, 13,
    13, 13,  5,  6, 14, 14, 14, 11, 20, 17, 14, 14, 15, 12, 12, 16, 15,  4,  8, 16, 12, 18, 15, 17,
    14, 17, 15, 14, 15, 14, 17, 24, 17, 16, 14,  7,  8,  8, 14, 11,  6, 12, 13, 11, 13, 13, 10, 13,
    12,  4,  7, 13,  4, 21, 12, 13, 13, 13,  9, 11, 10, 13, 14, 19, 14, 14, 11, 11,  4, 11, 14,
};
constexpr int kSafetyMargin = 1;
constexpr float kReferenceWidth = 18.0f;  // "M", measured when the font is built at size 1

// How a board sets the font before it draws a text.
struct FontSetup {
    float size;
    float charSpacing;
    float spaceFactor;
    int wrapWidth;  // -1: no wrapping
};

inline bool IsPrintable(char c) { return c >= 32 && c < 127; }

// The pen advance of one character.
inline float Advance(char c, const FontSetup& f) {
    float glyph;
    if (c == ' ')
        glyph = f.spaceFactor * kReferenceWidth * f.size;
    else if (c == '\t')
        glyph = f.spaceFactor * kReferenceWidth * f.size * 5.0f;
    else
        glyph = float(kGlyphWidth[c - 32] + kSafetyMargin);
    return (glyph + f.charSpacing) * f.size;
}

// Pen position after a line without line feeds.
inline int LineWidth(const std::string& line, const FontSetup& f) {
    int pen = 0;
    for (char c : line) pen = int(float(pen) + Advance(c, f));
    return pen;
}

inline std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string cur;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(cur);
            cur.clear();
        } else {
            cur += c;
        }
    }
    lines.push_back(cur);
    return lines;
}

// The font's own wrapping: a line feed goes after the last blank once the pen
// reaches the wrap width. Returns the text with those line feeds inserted.
inline std::string Wrap(std::string text, const FontSetup& f) {
    if (f.wrapWidth == -1) return text;
    int pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            pen = 0;
            continue;
        }
        pen = int(float(pen) + Advance(text[i], f));
        if (pen >= f.wrapWidth) {
            size_t blank = std::string::npos;
            for (size_t k = i; k >= 1; --k)
                if (text[k] == ' ' || text[k] == '\t') {
                    blank = k;
                    break;
                }
            if (blank != std::string::npos) {
                text.insert(blank + 1, 1, '\n');
                pen = 0;
                i = blank + 1;
            }
        }
    }
    return text;
}

// The widest line of a text whose lines are drawn one by one.
inline int WidestLine(const std::string& text, const FontSetup& f) {
    int widest = 0;
    for (const std::string& line : SplitLines(text)) widest = std::max(widest, LineWidth(line, f));
    return widest;
}

}  // namespace font_test
