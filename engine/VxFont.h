#pragma once
// Text from one picture cut into a grid of character cells: one glyph
// billboard per character code, proportional advance widths from the font
// script's map, wrapping, three alignments and an optional arc.
#include <cstdint>
#include <string>

#include "engine/VxObject.h"
#include "engine/VxResource.h"

class CVxBillboard;

struct FontMapEntry {
    int32_t x0;  // left and right pixel column of the glyph in the picture
    int32_t x1;
};

constexpr int FONT_GLYPH_SLOTS = 512;  // codes 0 to 255 are used
constexpr int FONT_CODES = 256;

class CVxFont : public CVxObject, public CVxResource {
public:
    // A name ending in "txt" is a font script; anything else a bare picture.
    CVxFont(const char* name, const char* folder);
    ~CVxFont() override;
    CVxFont(const CVxFont&) = delete;
    CVxFont& operator=(const CVxFont&) = delete;

    void LoadScript(const char* name, const char* folder);
    void LoadTexture(const char* name, const char* folder);
    void BuildGlyphs();
    // Prepares glyph (row × columns + column) and its pixel range.
    virtual void SetGlyphCell(int column, int row);
    virtual void SelectGlyph(char c);
    // The glyph drawn, or null (blanks only set the glyph range).
    CVxBillboard* DrawChar(char c, int x, int y);
    // At the font's position; wraps a copy of the text, never the caller's.
    void DrawText(const char* text);

    void ResetResource() override { ResetFont(); }
    bool IsEmpty() override { return true; }

    CVxBillboard* m_pTextureBoard = nullptr;
    int32_t m_iTextureWidth = 0;
    int32_t m_iTextureHeight = 0;
    int32_t m_nCols = 0;
    int32_t m_nRows = 0;
    float m_fRefWidth = 0.0f;
    int32_t m_iCurCol = 0;
    int32_t m_iCurRow = 0;
    float m_fGlyphX0 = 0.0f;
    float m_fGlyphX1 = 0.0f;
    float m_fCharSpacing = 0.0f;
    float m_fArc = 0.0f;
    float m_fLineSpacing = 1.0f;
    float m_fSpaceFactor = 0.8f;
    int32_t m_iWrapWidth = -1;  // -1: no wrapping
    int32_t m_iAlign = -1;      // > 0 left, 0 centred, < 0 right
    int32_t m_iRowOffset = 0;
    bool m_bCellMode = true;
    CVxBillboard* m_apGlyphs[FONT_GLYPH_SLOTS] = {};
    bool m_bFixedGlyph = false;
    int32_t m_iFixedGlyph = -1;
    FontMapEntry m_aMap[FONT_CODES] = {};

private:
    void ResetFont();
    bool HasGrid() const { return m_nCols > 0 && m_nRows > 0; }
    float Advance() const;
    // The text with line feeds inserted after the last blank before each
    // point where the line reaches the wrap width.
    void Wrap(std::string& text);
    void DrawLine(const char* text, int length);
};
