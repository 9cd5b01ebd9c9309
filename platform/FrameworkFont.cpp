#include "platform/FrameworkFont.h"

#include <cmath>

#include "platform/FrameworkFontGlyphs.h"

using namespace host;

namespace {

// The cells were drawn at 16 pixels to the em: 12 points at 96 dots an inch.
const int kCellEm = 16;

int HexValue(char c) { return c <= '9' ? c - '0' : c - 'A' + 10; }

// Pixels to the em at a text scale, as a 96-dpi screen font of the given points.
int EmPixels(float textScale, uint32_t points) {
    const int dpi = int(96.0f * textScale);
    return (int(points) * dpi + 36) / 72;
}

}  // namespace

ScaledGlyph ScaleGlyph(int ch, float textScale, uint32_t pointHeight) {
    ScaledGlyph out;
    if (ch < 32 || ch > 126) return out;
    const GlyphCell& cell = kGlyphCells[ch - 32];
    const double k = double(EmPixels(textScale, pointHeight)) / kCellEm;
    out.width = std::max(1, int(std::lround(cell.width * k)));
    out.height = std::max(1, int(std::lround(kGlyphCellHeight * k)));
    out.coverage.assign(size_t(out.width) * size_t(out.height), 0);
    // Box filter from the cell onto the scaled grid.
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const int x0 = int(x / k), x1 = std::max(x0 + 1, int((x + 1) / k));
            const int y0 = int(y / k), y1 = std::max(y0 + 1, int((y + 1) / k));
            int sum = 0, n = 0;
            for (int sy = y0; sy < y1 && sy < kGlyphCellHeight; ++sy)
                for (int sx = x0; sx < x1 && sx < cell.width; ++sx) {
                    sum += HexValue(cell.coverage[sy * cell.width + sx]);
                    ++n;
                }
            out.coverage[size_t(y * out.width + x)] = uint8_t(n ? (sum + n / 2) / n : 0);
        }
    return out;
}

CFrameworkFont::CFrameworkFont() : m_strFontName(u"Arial") {}

CFrameworkFont::~CFrameworkFont() { DestroyDeviceResources(); }

HRESULT CFrameworkFont::PaintAlphabet(std::vector<uint8_t>* pixels) {
    const ScaledGlyph x = ScaleGlyph('x', m_fTextScale, m_dwFontHeight);
    m_dwSpacing = uint32_t(std::ceil(x.height * 0.3f));
    const int spacing = int(m_dwSpacing);
    const int texW = int(m_dwTexWidth), texH = int(m_dwTexHeight);
    int px = spacing, py = 0;
    for (int ch = 32; ch <= 126; ++ch) {
        const ScaledGlyph g = ScaleGlyph(ch, m_fTextScale, m_dwFontHeight);
        if (px + g.width + spacing > texW) {
            px = spacing;
            py += g.height + 1;
        }
        if (py + g.height > texH) return FONT_MORE_ROOM;
        if (pixels) {
            for (int y = 0; y < g.height; ++y)
                for (int gx = 0; gx < g.width; ++gx) {
                    const int a = g.coverage[size_t(y * g.width + gx)];
                    if (a == 0 || px + gx >= texW) continue;
                    uint8_t* p = &(*pixels)[(size_t(py + y) * size_t(texW) + size_t(px + gx)) * 4];
                    p[0] = p[1] = p[2] = 255;
                    p[3] = uint8_t(a * 17);
                }
            float* tc = m_fTexCoords[ch - 32];
            tc[0] = float(px - spacing) / float(texW);
            tc[1] = float(py) / float(texH);
            tc[2] = float(px + g.width + spacing) / float(texW);
            tc[3] = float(py + g.height) / float(texH);
        }
        px += g.width + 2 * spacing;
    }
    return S_OK;
}

HRESULT CFrameworkFont::CreateDeviceResources(GraphicsDevice* device) {
    m_fTextScale = 1.0f;
    m_pd3dDevice = device;
    if (!device) return E_FAIL;
    m_dwTexWidth = m_dwTexHeight = 128;
    while (PaintAlphabet(nullptr) == FONT_MORE_ROOM) {
        m_dwTexWidth *= 2;
        m_dwTexHeight *= 2;
    }
    const uint32_t maxWidth = uint32_t(device->MaxTextureSize());
    if (m_dwTexWidth > maxWidth) {
        m_fTextScale = float(maxWidth) / float(m_dwTexWidth);
        m_dwTexWidth = m_dwTexHeight = maxWidth;
        while (PaintAlphabet(nullptr) == FONT_MORE_ROOM) m_fTextScale *= 0.9f;
    }
    std::vector<uint8_t> pixels(size_t(m_dwTexWidth) * size_t(m_dwTexHeight) * 4, 0);
    for (auto& tc : m_fTexCoords) tc[0] = tc[1] = tc[2] = tc[3] = 0.0f;
    PaintAlphabet(&pixels);
    if (m_pTexture) device->ReleaseTexture(m_pTexture);
    m_pTexture = device->CreateTexture(int(m_dwTexWidth), int(m_dwTexHeight), pixels.data());
    return m_pTexture ? S_OK : E_FAIL;
}

HRESULT CFrameworkFont::RestoreDeviceResources() {
    m_bStateBlocksRecorded = m_pd3dDevice != nullptr;
    return S_OK;
}

HRESULT CFrameworkFont::ReleaseDeviceResources() {
    m_bStateBlocksRecorded = false;
    return S_OK;
}

HRESULT CFrameworkFont::DestroyDeviceResources() {
    ReleaseDeviceResources();
    if (m_pd3dDevice && m_pTexture) m_pd3dDevice->ReleaseTexture(m_pTexture);
    m_pTexture = 0;
    return S_OK;
}

void CFrameworkFont::ApplyTextStates() {
    GraphicsDevice& d = *m_pd3dDevice;
    d.SetTexture(0, m_pTexture);
    d.SetRenderState(RS_ZENABLE, (m_dwFontFlags & FONT_ZENABLE) ? 1 : 0);
    d.SetRenderState(RS_ALPHABLENDENABLE, 1);
    d.SetRenderState(RS_SRCBLEND, BLEND_SRCALPHA);
    d.SetRenderState(RS_DESTBLEND, BLEND_INVSRCALPHA);
    d.SetRenderState(RS_ALPHATESTENABLE, 1);
    d.SetRenderState(RS_ALPHAREF, 8);
    d.SetRenderState(RS_ALPHAFUNC, CMP_GREATEREQUAL);
    d.SetRenderState(RS_FILLMODE, 3);
    d.SetRenderState(RS_CULLMODE, CULL_CCW);
    d.SetRenderState(RS_STENCILENABLE, 0);
    d.SetRenderState(RS_CLIPPING, 1);
    d.SetRenderState(RS_FOGENABLE, 0);
    d.SetRenderState(RS_COLORWRITEENABLE, 0xF);
    d.SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
    d.SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
    d.SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
    d.SetTextureStageState(0, TSS_ALPHAOP, TOP_MODULATE);
    d.SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
    d.SetTextureStageState(0, TSS_ALPHAARG2, TA_DIFFUSE);
    d.SetTextureStageState(0, TSS_TEXCOORDINDEX, 0);
    d.SetSamplerState(0, SAMP_MINFILTER, TEXF_POINT);
    d.SetSamplerState(0, SAMP_MAGFILTER, TEXF_POINT);
    d.SetSamplerState(0, SAMP_MIPFILTER, TEXF_NONE);
}

HRESULT CFrameworkFont::DrawText(float x, float y, uint32_t argb, const char16_t* text) {
    if (!m_pd3dDevice) return E_FAIL;
    GraphicsDevice& d = *m_pd3dDevice;
    const DeviceState saved = d.CaptureState();
    ApplyTextStates();

    std::vector<VertexRHW> batch;
    batch.reserve(300);
    auto flush = [&] {
        if (!batch.empty()) d.DrawPrimitiveUP(PT_TRIANGLELIST, uint32_t(batch.size() / 3), batch.data());
        batch.clear();
    };
    x -= float(m_dwSpacing);
    const float lineStart = x;
    const float texW = float(m_dwTexWidth), texH = float(m_dwTexHeight);
    for (const char16_t* p = text; p && *p; ++p) {
        const char16_t c = *p;
        if (c == u'\n') {
            x = lineStart;
            y += (m_fTexCoords[0][3] - m_fTexCoords[0][1]) * texH;
            continue;
        }
        if (c < 32 || c > 127) continue;
        const float* tc = m_fTexCoords[c - 32];
        const float w = (tc[2] - tc[0]) * texW / m_fTextScale;
        const float h = (tc[3] - tc[1]) * texH / m_fTextScale;
        if (c != u' ') {
            const float l = x - 0.5f, t = y - 0.5f, r = x + w - 0.5f, b = y + h - 0.5f;
            const VertexRHW quad[6] = {
                {l, b, 0.9f, 1.0f, argb, tc[0], tc[3]}, {l, t, 0.9f, 1.0f, argb, tc[0], tc[1]},
                {r, b, 0.9f, 1.0f, argb, tc[2], tc[3]}, {r, t, 0.9f, 1.0f, argb, tc[2], tc[1]},
                {r, b, 0.9f, 1.0f, argb, tc[2], tc[3]}, {l, t, 0.9f, 1.0f, argb, tc[0], tc[1]},
            };
            batch.insert(batch.end(), quad, quad + 6);
            if (batch.size() > 294) flush();
        }
        x += w - float(2 * m_dwSpacing);
    }
    flush();
    d.ApplyState(saved);
    return S_OK;
}
