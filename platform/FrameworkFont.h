#pragma once
// Plain text for the framework's statistics and the platform application's
// text operation: a glyph sheet packed once per device from the embedded glyph
// cells, drawn as screen-space quads with the font's own states.
#include <string>

#include "platform/HResult.h"
#include "platform/host/GraphicsDevice.h"

constexpr HRESULT FONT_MORE_ROOM = HRESULT(0x88760867u);
constexpr uint32_t FONT_BOLD = 1, FONT_ITALIC = 2, FONT_ZENABLE = 4;

class CFrameworkFont {
public:
    CFrameworkFont();
    ~CFrameworkFont();
    CFrameworkFont(const CFrameworkFont&) = delete;
    CFrameworkFont& operator=(const CFrameworkFont&) = delete;

    HRESULT CreateDeviceResources(host::GraphicsDevice* device);
    HRESULT RestoreDeviceResources();
    HRESULT ReleaseDeviceResources();
    // Releases the glyph texture too.
    HRESULT DestroyDeviceResources();
    HRESULT DrawText(float x, float y, uint32_t argb, const char16_t* text);

    std::u16string m_strFontName;
    uint32_t m_dwFontHeight = 12;
    uint32_t m_dwFontFlags = FONT_BOLD;
    host::GraphicsDevice* m_pd3dDevice = nullptr;
    host::TextureHandle m_pTexture = 0;
    uint32_t m_dwTexWidth = 0, m_dwTexHeight = 0;
    float m_fTextScale = 1.0f;
    float m_fTexCoords[96][4] = {};
    uint32_t m_dwSpacing = 0;
    bool m_bStateBlocksRecorded = false;

private:
    // Lays the glyphs out on a sheet of the current size; paints them into
    // pixels when given. FONT_MORE_ROOM when they do not fit.
    HRESULT PaintAlphabet(std::vector<uint8_t>* pixels);
    void ApplyTextStates();
};

// The glyph cell of a character at a font scale: its size and coverage (0..15).
struct ScaledGlyph {
    int width = 0, height = 0;
    std::vector<uint8_t> coverage;
};
ScaledGlyph ScaleGlyph(int ch, float textScale, uint32_t pointHeight);
