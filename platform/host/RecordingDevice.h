#pragma once
// Headless twin of the drawing device: keeps every draw with the vertices,
// texture and states it was made with, so tests can check what was drawn.
#include <map>

#include "platform/host/GraphicsDevice.h"

namespace host {

struct DrawRecord {
    uint32_t primitiveType = 0;
    uint32_t primitiveCount = 0;
    bool pretransformed = false;   // VertexRHW draw
    std::vector<Vertex> vertices;  // as given (pretransformed draws: x, y, z of the RHW vertex)
    std::vector<VertexRHW> rhwVertices;
    DeviceState state;  // includes texture and transforms
    TextureHandle target = 0;
};

struct ClearRecord {
    uint32_t flags;
    uint32_t color;
    float z;
    TextureHandle target;
};

class RecordingDevice : public GraphicsDevice {
public:
    explicit RecordingDevice(int width = 800, int height = 600, int maxTexture = 4096);

    TextureHandle CreateTexture(int width, int height, const uint8_t* rgba) override;
    TextureHandle CreateRenderTarget(int width, int height) override;
    void ReleaseTexture(TextureHandle texture) override;
    bool TextureSize(TextureHandle texture, int& width, int& height) const override;
    void SetRenderTarget(TextureHandle target) override;
    void SetFrameTarget(TextureHandle target) override { frameTarget = target; }
    void Clear(uint32_t flags, uint32_t argb, float z) override;
    bool BeginScene() override;
    bool EndScene() override;
    void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const Vertex* vertices) override;
    void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const VertexRHW* vertices) override;
    void Present() override {
        ++presents;
        frameTarget = 0;
    }
    bool Reset(const PresentParameters& params) override;
    int BackBufferWidth() const override { return m_width; }
    int BackBufferHeight() const override { return m_height; }
    int MaxTextureSize() const override { return m_maxTexture; }
    int64_t AvailableTextureMemory() const override { return availableTextureMemory; }
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

    bool IsRenderTarget(TextureHandle texture) const;
    size_t LiveTextures() const { return m_textures.size(); }
    // The pixels a texture was created with (empty for render targets).
    const std::vector<uint8_t>* TexturePixels(TextureHandle texture) const;

    std::vector<DrawRecord> draws;
    std::vector<ClearRecord> clears;
    int presents = 0;
    TextureHandle frameTarget = 0;  // as named for the frame being drawn
    int scenes = 0;
    int resets = 0;
    bool inScene = false;
    bool failBeginScene = false;
    int64_t availableTextureMemory = -1;
    PresentParameters lastReset;

private:
    struct Texture {
        int width, height;
        bool renderTarget;
        std::vector<uint8_t> pixels;
    };
    std::map<TextureHandle, Texture> m_textures;
    TextureHandle m_next = 1;
    int m_width, m_height, m_maxTexture;
};

}  // namespace host
