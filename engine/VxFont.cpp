#include "engine/VxFont.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/ScriptStatement.h"
#include "engine/VxApplication.h"
#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "platform/ResourceArchive.h"

namespace {

constexpr double kDegToRad = 3.14159265358979323846 / 180.0;

float SinDeg(double degrees) { return float(std::sin(degrees * kDegToRad)); }
float CosDeg(double degrees) { return float(std::cos(degrees * kDegToRad)); }

bool EndsWithTxt(const char* name) {
    const size_t n = name ? std::strlen(name) : 0;
    return n >= 3 && std::strcmp(name + n - 3, "txt") == 0;
}

}  // namespace

CVxFont::CVxFont(const char* name, const char* folder) {
    CVxObject::Reset();
    m_iOwnerId = OWNER_NONE;
    ResetFont();
    for (CVxBillboard*& glyph : m_apGlyphs) {
        glyph = new CVxBillboard(nullptr, nullptr, nullptr);
        glyph->SetAlphaBlend(true);
    }
    SetSize(1.0f, 1.0f, 1.0f);
    if (EndsWithTxt(name)) LoadScript(name, folder);
    else LoadTexture(name, folder);
}

CVxFont::~CVxFont() {
    delete m_pTextureBoard;
    m_pTextureBoard = nullptr;
    for (CVxBillboard*& glyph : m_apGlyphs) {
        delete glyph;
        glyph = nullptr;
    }
}

void CVxFont::ResetFont() {
    CVxResource::ResetResource();
    m_pTextureBoard = nullptr;
    std::memset(m_aMap, 0, sizeof m_aMap);
    m_iFixedGlyph = -1;
    m_bFixedGlyph = false;
    m_iRowOffset = 0;
    m_bCellMode = true;
}

void CVxFont::LoadScript(const char* name, const char* folder) {
    const std::string root = g_pApp && g_pApp->m_pszResourceRoot ? g_pApp->m_pszResourceRoot : "";
    VxFile* file = nullptr;
    VxOpenFile(name, (root + (folder ? folder : "")).c_str(), &file);
    std::string picturePath;
    int mapEntries = 0;
    while (file->position < file->size) {
        const ScriptStatement s = ReadScriptStatement(file);
        const std::string key = s.key;
        if (key.empty()) continue;
        if (key == "FONT_COL") {
            // A grid without columns or rows has no cells to cut.
            const int n = std::atoi(s.value);
            if (n > 0) m_nCols = n;
        } else if (key == "FONT_ROW") {
            const int n = std::atoi(s.value);
            if (n > 0) m_nRows = n;
        } else if (key == "FONT_PATH") {
            picturePath = s.value;
        } else if (key == "FONT_NAME") {
            LoadTexture(s.value, picturePath.c_str());
        } else if (key == "FONT_MAP") {
            if (mapEntries < FONT_CODES) {
                const char* comma = std::strchr(s.value, ',');
                m_aMap[mapEntries].x0 = std::atoi(s.value);
                m_aMap[mapEntries].x1 = comma ? std::atoi(comma + 1) : 0;
                ++mapEntries;
            }
        }
    }
    delete file;
    BuildGlyphs();
    delete[] m_pszPath;
    m_pszPath = nullptr;
}

void CVxFont::LoadTexture(const char* name, const char* folder) {
    CVxResource::Load(name, folder);
    delete m_pTextureBoard;
    m_pTextureBoard = new CVxBillboard(name, folder, nullptr);
    m_pTextureBoard->SetAlphaBlend(true);
    m_iTextureWidth = int32_t(m_pTextureBoard->m_vSize.x);
    m_iTextureHeight = int32_t(m_pTextureBoard->m_vSize.y);
    m_fCharSpacing = 0.0f;
    m_fArc = 0.0f;
    m_fLineSpacing = 1.0f;
    m_fSpaceFactor = 0.8f;
    m_iWrapWidth = -1;
    m_iAlign = -1;
    SetRotation(0.0f, 0.0f, 0.0f);
    SetPosition(0.0f, 0.0f, 0.0f);
    SetSize(1.0f, 1.0f, 1.0f);
    BuildGlyphs();
}

void CVxFont::BuildGlyphs() {
    CVxTexture* texture = m_pTextureBoard ? m_pTextureBoard->m_pTexture : nullptr;
    for (int code = 0; code < FONT_CODES; ++code) {
        if (texture) m_apGlyphs[code]->ShareTexture(texture);
        SelectGlyph(char(code));
        if (code == 'M') m_fRefWidth = (m_fGlyphX1 - m_fGlyphX0) * m_vSize.x;
    }
}

void CVxFont::SelectGlyph(char c) {
    if (!HasGrid()) return;
    const int code = static_cast<unsigned char>(c);
    SetGlyphCell(code % m_nCols, code / m_nCols);
}

void CVxFont::SetGlyphCell(int column, int row) {
    if (!HasGrid()) return;
    const int code = static_cast<uint8_t>(row * m_nCols + column);
    m_iCurCol = column;
    m_iCurRow = row + m_iRowOffset;
    if (code == ' ' || code == '\t') {
        m_fGlyphX0 = 0.0f;
        m_fGlyphX1 = m_fSpaceFactor * m_fRefWidth * m_vSize.x;
        if (code == '\t') m_fGlyphX1 *= 5.0f;
    } else {
        m_fGlyphX0 = float(m_aMap[code].x0);
        m_fGlyphX1 = float(m_aMap[code].x1);
    }
    const float v = float(m_iCurRow) / float(m_nRows);
    const float h = 1.0f / float(m_nRows);
    if (m_bCellMode) {
        m_apGlyphs[code]->SetTextureRect(float(column) / float(m_nCols), v, 1.0f / float(m_nCols), h);
    } else if (m_iTextureWidth > 0) {
        const float width = float(m_iTextureWidth);
        m_apGlyphs[code]->SetTextureRect(m_fGlyphX0 / width, v, (m_fGlyphX1 - m_fGlyphX0) / width, h);
    }
}

float CVxFont::Advance() const { return (m_fGlyphX1 - m_fGlyphX0 + m_fCharSpacing) * m_vSize.x; }

CVxBillboard* CVxFont::DrawChar(char c, int x, int y) {
    if (!HasGrid()) return nullptr;
    SelectGlyph(c);
    if (c == ' ' || c == '\t') return nullptr;
    const bool fixed = m_bFixedGlyph && m_iFixedGlyph >= 0 && m_iFixedGlyph < FONT_GLYPH_SLOTS;
    CVxBillboard* glyph = m_apGlyphs[fixed ? m_iFixedGlyph : static_cast<unsigned char>(c)];
    CopyObjectLook(*this, *glyph);
    glyph->SetAlphaBlend(true);
    const float w = (m_fGlyphX1 - m_fGlyphX0) * m_vSize.x;
    const float centreX = m_iAlign < 0 ? float(x) - w / 2.0f : float(x) + w / 2.0f;
    glyph->SetPosition(centreX + m_vPosition.x, float(y) + m_vPosition.y, 0.0f);
    const float cellW = float(m_iTextureWidth) / float(m_nCols);
    const float cellH = float(m_iTextureHeight) / float(m_nRows);
    if (m_bCellMode) glyph->SetSize(cellW * m_vSize.x, cellH * m_vSize.y, 1.0f);
    else if (fixed) glyph->SetSize(cellW, cellH, 1.0f);
    else glyph->SetSize(w, cellH * m_vSize.y, 1.0f);
    glyph->SetDiffuse(m_colDiffuse.r, m_colDiffuse.g, m_colDiffuse.b, m_colDiffuse.a);
    glyph->SetAmbient(m_colAmbient.r, m_colAmbient.g, m_colAmbient.b, m_colAmbient.a);
    glyph->SetSpecular(m_colSpecular.r, m_colSpecular.g, m_colSpecular.b, m_colSpecular.a);
    glyph->SetEmissive(m_colEmissive.r, m_colEmissive.g, m_colEmissive.b, m_colEmissive.a);
    glyph->ComposeSRT();
    glyph->Render();
    return glyph;
}

void CVxFont::Wrap(std::string& text) {
    int pen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            pen = 0;
        } else {
            SelectGlyph(text[i]);
            pen = int(float(pen) + Advance());
        }
        if (pen < m_iWrapWidth) continue;
        // The last blank from the break position back, across earlier lines too.
        size_t blank = 0;
        for (size_t j = i; j >= 1; --j)
            if (text[j] == ' ' || text[j] == '\t') {
                blank = j;
                break;
            }
        // A blank already followed by a break cannot shorten this line: breaking
        // there again would only add empty lines, and forever for a glyph wider
        // than the whole width.
        if (blank == 0 || text[blank + 1] == '\n') continue;
        text.insert(blank + 1, 1, '\n');
        pen = 0;
        // The loop's step moves on to position i + 1 of the new text.
    }
}

void CVxFont::DrawText(const char* source) {
    if (!source || !HasGrid()) return;
    std::string text = source;
    if (m_iWrapWidth != -1) Wrap(text);
    DrawLine(text.c_str(), int(text.size()));
}

void CVxFont::DrawLine(const char* text, int length) {
    const float lineHeight = -(float(m_iTextureHeight) / float(m_nRows)) * m_fLineSpacing * m_vSize.y;
    int line = 0;
    if (m_iAlign > 0) {
        int pen = 0;
        for (int i = 0; i < length; ++i) {
            if (text[i] == '\n') {
                ++line;
                pen = 0;
                continue;
            }
            const float lift = m_fArc > 0.0f ? SinDeg(double(i) * 90.0 / double(length)) * m_fArc : 0.0f;
            DrawChar(text[i], pen, int(float(line) * lineHeight + lift));
            pen = int(float(pen) + Advance());
        }
    } else if (m_iAlign < 0) {
        int pen = 0;
        for (int i = length - 1; i >= 0; --i) {
            if (text[i] == '\n') {
                ++line;
                pen = 0;
                continue;
            }
            const float lift = m_fArc > 0.0f ? CosDeg(double(i) * 180.0 / double(length)) * m_fArc : 0.0f;
            DrawChar(text[i], -pen, int(float(line) * lineHeight + lift));
            pen = int(float(pen) + Advance());
        }
    } else {
        float total = 0.0f;
        for (int i = 0; i < length; ++i) {
            SelectGlyph(text[i]);
            total += Advance();
        }
        int pen = int(-total / 2.0f);
        for (int i = 0; i < length; ++i) {
            if (text[i] == '\n') {
                ++line;
                pen = 0;
                continue;
            }
            float lift = 0.0f;
            if (m_fArc > 0.0f) {
                // A one-character text sits at the top of the arch.
                const double a = length > 1 ? double(i) * 180.0 / double(length - 1) : 90.0;
                lift = -(1.0f - SinDeg(a)) * m_fArc;
                SetRotationDegrees(0.0f, 0.0f, float((90.0 - a) * 0.2));
            }
            DrawChar(text[i], pen, int(float(line) * lineHeight + lift));
            pen = int(float(pen) + Advance());
        }
    }
}
