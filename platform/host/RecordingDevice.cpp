#include "platform/host/RecordingDevice.h"

namespace host {

RecordingDevice::RecordingDevice(int width, int height, int maxTexture)
    : m_width(width), m_height(height), m_maxTexture(maxTexture) {}

TextureHandle RecordingDevice::CreateTexture(int width, int height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0 || width > m_maxTexture || height > m_maxTexture) return 0;
    Texture t{width, height, false, {}};
    if (rgba) t.pixels.assign(rgba, rgba + size_t(width) * size_t(height) * 4);
    else t.pixels.assign(size_t(width) * size_t(height) * 4, 0);
    m_textures[m_next] = std::move(t);
    return m_next++;
}

TextureHandle RecordingDevice::CreateRenderTarget(int width, int height) {
    if (width <= 0 || height <= 0 || width > m_maxTexture || height > m_maxTexture) return 0;
    m_textures[m_next] = Texture{width, height, true, {}};
    return m_next++;
}

void RecordingDevice::ReleaseTexture(TextureHandle texture) {
    m_textures.erase(texture);
    if (m_state.texture == texture) m_state.texture = 0;
    if (m_target == texture) m_target = 0;
}

bool RecordingDevice::TextureSize(TextureHandle texture, int& width, int& height) const {
    auto it = m_textures.find(texture);
    if (it == m_textures.end()) return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

bool RecordingDevice::IsRenderTarget(TextureHandle texture) const {
    auto it = m_textures.find(texture);
    return it != m_textures.end() && it->second.renderTarget;
}

const std::vector<uint8_t>* RecordingDevice::TexturePixels(TextureHandle texture) const {
    auto it = m_textures.find(texture);
    return it == m_textures.end() ? nullptr : &it->second.pixels;
}

void RecordingDevice::SetRenderTarget(TextureHandle target) {
    if (target != 0 && !IsRenderTarget(target)) return;
    m_target = target;
}

void RecordingDevice::Clear(uint32_t flags, uint32_t argb, float z) { clears.push_back({flags, argb, z, m_target}); }

bool RecordingDevice::BeginScene() {
    if (failBeginScene || inScene) return false;
    inScene = true;
    ++scenes;
    return true;
}

bool RecordingDevice::EndScene() {
    if (!inScene) return false;
    inScene = false;
    return true;
}

void RecordingDevice::DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const Vertex* vertices) {
    uint32_t n = VertexCountFor(type, primitiveCount);
    if (n == 0 || !vertices) return;
    DrawRecord r;
    r.primitiveType = type;
    r.primitiveCount = primitiveCount;
    r.vertices.assign(vertices, vertices + n);
    r.state = m_state;
    r.target = m_target;
    draws.push_back(std::move(r));
}

void RecordingDevice::DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const VertexRHW* vertices) {
    uint32_t n = VertexCountFor(type, primitiveCount);
    if (n == 0 || !vertices) return;
    DrawRecord r;
    r.primitiveType = type;
    r.primitiveCount = primitiveCount;
    r.pretransformed = true;
    r.rhwVertices.assign(vertices, vertices + n);
    for (uint32_t i = 0; i < n; ++i)
        r.vertices.push_back(
            {vertices[i].x, vertices[i].y, vertices[i].z, vertices[i].color, vertices[i].u, vertices[i].v});
    r.state = m_state;
    r.target = m_target;
    draws.push_back(std::move(r));
}

bool RecordingDevice::Reset(const PresentParameters& params) {
    ++resets;
    lastReset = params;
    m_width = params.backBufferWidth;
    m_height = params.backBufferHeight;
    return true;
}

bool RecordingDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
    // Nothing is rasterised headless; the picture is black.
    width = m_width;
    height = m_height;
    rgba.assign(size_t(width) * size_t(height) * 4, 0);
    for (size_t i = 3; i < rgba.size(); i += 4) rgba[i] = 255;
    return true;
}

}  // namespace host
