#pragma once
// The framework font's glyph cells for the characters 32 to 126: width in
// pixels and 4-bit coverage, one hex digit a pixel, rows top first. Every cell
// is kGlyphCellHeight rows high.
struct GlyphCell {
    int width;
    const char* coverage;
};

extern const int kGlyphCellHeight;
extern const GlyphCell kGlyphCells[95];
