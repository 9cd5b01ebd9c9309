#include "platform/host/GraphicsDevice.h"

#include <png.h>

#include <cstdio>

namespace host {

Matrix IdentityMatrix() {
    Matrix m{};
    m[0] = m[5] = m[10] = m[15] = 1.0f;
    return m;
}

Matrix Multiply(const Matrix& a, const Matrix& b) {
    Matrix r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += a[i * 4 + k] * b[k * 4 + j];
            r[i * 4 + j] = s;
        }
    return r;
}

DeviceState::DeviceState() {
    render[RS_ZENABLE] = 0;
    render[RS_FILLMODE] = 3;
    render[RS_ZWRITEENABLE] = 1;
    render[RS_SRCBLEND] = BLEND_ONE;
    render[RS_DESTBLEND] = BLEND_ZERO;
    render[RS_CULLMODE] = CULL_CCW;
    render[RS_ZFUNC] = CMP_LESSEQUAL;
    render[RS_ALPHAFUNC] = CMP_ALWAYS;
    render[RS_CLIPPING] = 1;
    render[RS_LIGHTING] = 1;
    render[RS_COLORWRITEENABLE] = 0xF;
    render[RS_BLENDOP] = BLENDOP_ADD;
    render[RS_SRCBLENDALPHA] = BLEND_ONE;
    render[RS_DESTBLENDALPHA] = BLEND_ZERO;
    render[RS_BLENDOPALPHA] = BLENDOP_ADD;
    stage[TSS_COLOROP] = TOP_MODULATE;
    stage[TSS_COLORARG1] = TA_TEXTURE;
    stage[TSS_COLORARG2] = TA_CURRENT;
    stage[TSS_ALPHAOP] = TOP_SELECTARG1;
    stage[TSS_ALPHAARG1] = TA_TEXTURE;
    stage[TSS_ALPHAARG2] = TA_CURRENT;
    sampler[SAMP_ADDRESSU] = TADDRESS_WRAP;
    sampler[SAMP_ADDRESSV] = TADDRESS_WRAP;
    sampler[SAMP_MAGFILTER] = TEXF_POINT;
    sampler[SAMP_MINFILTER] = TEXF_POINT;
    sampler[SAMP_MIPFILTER] = TEXF_NONE;
}

void GraphicsDevice::SetRenderState(uint32_t state, uint32_t value) {
    if (state >= RS_COUNT || m_state.render[state] == value) return;
    StateChanged();
    m_state.render[state] = value;
}

void GraphicsDevice::SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value) {
    // Only one texture stage is ever drawn with; later stages stay disabled.
    if (stage != 0 || type >= TSS_COUNT || m_state.stage[type] == value) return;
    StateChanged();
    m_state.stage[type] = value;
}

void GraphicsDevice::SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value) {
    if (sampler != 0 || type >= SAMP_COUNT || m_state.sampler[type] == value) return;
    StateChanged();
    m_state.sampler[type] = value;
}

void GraphicsDevice::SetTexture(uint32_t stage, TextureHandle texture) {
    if (stage != 0 || m_state.texture == texture) return;
    StateChanged();
    m_state.texture = texture;
}

void GraphicsDevice::SetShader(uint32_t shader) {
    if (m_state.shader == shader) return;
    StateChanged();
    m_state.shader = shader;
}

void GraphicsDevice::SetTransform(uint32_t which, const Matrix& m) {
    Matrix* dst = which == TS_VIEW         ? &m_state.view
                  : which == TS_PROJECTION ? &m_state.projection
                  : which == TS_WORLD      ? &m_state.world
                                           : nullptr;
    if (!dst || *dst == m) return;
    // The world matrix is applied per draw; view and projection belong to the batch.
    if (which != TS_WORLD) StateChanged();
    *dst = m;
}

const Matrix& GraphicsDevice::GetTransform(uint32_t which) const {
    if (which == TS_VIEW) return m_state.view;
    if (which == TS_PROJECTION) return m_state.projection;
    return m_state.world;
}

void GraphicsDevice::ApplyState(const DeviceState& s) {
    StateChanged();
    m_state = s;
}

uint32_t VertexCountFor(uint32_t type, uint32_t primitiveCount) {
    if (primitiveCount == 0) return 0;
    switch (type) {
    case PT_TRIANGLELIST: return primitiveCount * 3;
    case PT_TRIANGLESTRIP:
    case PT_TRIANGLEFAN: return primitiveCount + 2;
    default: return 0;
    }
}

std::vector<uint32_t> TriangleListIndices(uint32_t type, uint32_t primitiveCount) {
    std::vector<uint32_t> idx;
    idx.reserve(primitiveCount * 3);
    for (uint32_t t = 0; t < primitiveCount; ++t) {
        if (type == PT_TRIANGLELIST) {
            idx.insert(idx.end(), {t * 3, t * 3 + 1, t * 3 + 2});
        } else if (type == PT_TRIANGLEFAN) {
            idx.insert(idx.end(), {0, t + 1, t + 2});
        } else if (type == PT_TRIANGLESTRIP) {
            // Odd triangles of a strip swap two corners to keep their winding.
            if (t % 2 == 0) idx.insert(idx.end(), {t, t + 1, t + 2});
            else idx.insert(idx.end(), {t + 1, t, t + 2});
        }
    }
    return idx;
}

bool WritePng(const std::string& path, const uint8_t* rgba, int width, int height) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, const_cast<png_bytep>(rgba + size_t(y) * size_t(width) * 4));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

bool GraphicsDevice::SaveBackBufferPng(const std::string& path) {
    std::vector<uint8_t> pixels;
    int w = 0, h = 0;
    if (!ReadBackBuffer(pixels, w, h)) return false;
    return WritePng(path, pixels.data(), w, h);
}

}  // namespace host
