#pragma once
// OpenGL 3.3 core backend of the drawing device. Consecutive draws that share
// their states are gathered into one buffer and drawn with one call; the world
// transform is applied as the vertices are gathered, view × projection is
// uploaded unchanged (row-vector order) and applied in the shader.
#include <SDL.h>
#include <epoxy/gl.h>

#include <unordered_map>

#include "platform/host/GraphicsDevice.h"

namespace host {

class GlDevice : public GraphicsDevice {
public:
    // Takes over a current context made on the window.
    GlDevice(SDL_Window* window, SDL_GLContext context, const PresentParameters& params);
    ~GlDevice() override;
    bool Valid() const { return m_program != 0; }

    TextureHandle CreateTexture(int width, int height, const uint8_t* rgba) override;
    TextureHandle CreateRenderTarget(int width, int height) override;
    void ReleaseTexture(TextureHandle texture) override;
    bool TextureSize(TextureHandle texture, int& width, int& height) const override;
    void SetRenderTarget(TextureHandle target) override;
    void Clear(uint32_t flags, uint32_t argb, float z) override;
    bool BeginScene() override;
    bool EndScene() override;
    void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const Vertex* vertices) override;
    void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const VertexRHW* vertices) override;
    void Present() override;
    bool Reset(const PresentParameters& params) override;
    int BackBufferWidth() const override { return m_bbWidth; }
    int BackBufferHeight() const override { return m_bbHeight; }
    int MaxTextureSize() const override { return m_maxTexture; }
    int64_t AvailableTextureMemory() const override { return m_textureMemory; }
    bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) override;

    // Draw calls actually issued to GL (for the benchmark).
    uint64_t GlDrawCalls() const { return m_glDraws; }
    // For code sharing the context: the GL name of a texture, and a note that
    // GL state was changed behind the device's back.
    GLuint GlTextureName(TextureHandle texture) const;
    void ForgetGlState();

protected:
    void StateChanged() override { m_keyDirty = true; }

private:
    struct GlTexture {
        GLuint texture = 0;  // 0 for a render target not yet given storage
        GLuint framebuffer = 0;
        int width = 0, height = 0;
        bool target = false;
    };
    struct BatchVertex {
        float x, y, z, w;
        uint32_t color;
        float u, v;
    };
    struct Key {
        std::array<uint32_t, 30> values{};
        Matrix view{}, projection{};
        bool operator==(const Key& o) const {
            return values == o.values && view == o.view && projection == o.projection;
        }
    };

    Key MakeKey(bool pretransformed) const;
    void Flush();
    void ApplyKey(const Key& key);
    void BindTarget(TextureHandle target);
    // Render targets get their storage when first drawn to or sampled; until
    // then they are transparent black, which costs nothing.
    void Realize(GlTexture& t);
    void BindPendingTarget();
    void TargetSize(int& w, int& h) const;
    void EnsureDepth(int width, int height);
    template <class V, class F>
    void Gather(uint32_t type, uint32_t count, const V* vertices, bool pretransformed, F toClip);

    SDL_Window* m_window;
    SDL_GLContext m_context;
    GLuint m_program = 0, m_vao = 0, m_vbo = 0, m_sampler = 0, m_depth = 0;
    GLuint m_boundFramebuffer = 0;
    bool m_targetPending = false;  // m_target has no storage yet: nothing is bound for it
    int m_depthW = 0, m_depthH = 0;
    GLint m_uViewProj = -1, m_uOffset = -1, m_uHasTex = -1, m_uFlipV = -1, m_uColorOp = -1, m_uColorArg1 = -1,
          m_uColorArg2 = -1, m_uAlphaOp = -1, m_uAlphaArg1 = -1, m_uAlphaArg2 = -1, m_uAlphaTest = -1,
          m_uAlphaFunc = -1, m_uAlphaRef = -1, m_uTex = -1, m_uPostProcess = -1;
    std::unordered_map<TextureHandle, GlTexture> m_textures;
    TextureHandle m_next = 1;
    int m_bbWidth = 0, m_bbHeight = 0, m_maxTexture = 0;
    int64_t m_textureMemory = -1;
    std::vector<BatchVertex> m_batch;
    Key m_batchKey;
    bool m_keyDirty = true;
    bool m_batchPretransformed = false;
    size_t m_vboCapacity = 0;
    uint64_t m_glDraws = 0;
};

}  // namespace host
