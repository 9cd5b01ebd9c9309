#pragma once
// OpenGL 3.3 core backend of the drawing device. Consecutive draws that share
// their states are gathered into one buffer and drawn with one call; the world
// transform is applied as the vertices are gathered, view × projection is
// uploaded unchanged (row-vector order) and applied in the shader.
#include <SDL.h>
#include <epoxy/gl.h>

#include <unordered_map>

#include "platform/host/GraphicsDevice.h"
#include "platform/host/TexelScale.h"

namespace host {

class GlDevice : public GraphicsDevice {
public:
    // Takes over a current context made on the window.
    GlDevice(SDL_Window* window, SDL_GLContext context, const PresentParameters& params);
    ~GlDevice() override;
    bool Valid() const { return m_valid; }

    TextureHandle CreateTexture(int width, int height, const uint8_t* rgba) override;
    TextureHandle CreateRenderTarget(int width, int height) override;
    void ReleaseTexture(TextureHandle texture) override;
    bool TextureSize(TextureHandle texture, int& width, int& height) const override;
    void SetRenderTarget(TextureHandle target) override;
    void SetFrameTarget(TextureHandle target) override;
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
    // Bytes of picture storage the driver holds (smaller levels included).
    uint64_t TextureBytes() const;
    // Whole pictures copied as a blit instead of drawn.
    uint64_t WholeCopies() const { return m_copies; }
    // Frame-target pictures built on the back buffer, their copy skipped.
    uint64_t FramesOnBackBuffer() const { return m_framesOnBackBuffer; }
    // For the benchmark's bare program: while set, every batch drawn is also
    // kept as its texture and triangles in the pixels of the target drawn to.
    struct KeptBatch {
        TextureHandle texture = 0;
        GLint minFilter = GL_LINEAR;  // as the batch was sampled
        std::vector<VertexRHW> triangles;
    };
    void KeepBatches(std::vector<KeptBatch>* out) { m_kept = out; }
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
        int levels = 1;
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

    // A fragment program built for one combination of the states it reads.
    struct Program {
        GLuint program = 0;  // 0: the driver refused it
        GLint viewProj = -1, offset = -1, alphaRef = -1;
    };

    Key MakeKey(bool pretransformed) const;
    uint64_t ProgramKeyOf(const Key& key) const;
    // Binds the program of that combination, building it on first use; null when it cannot be built.
    const Program* UseProgram(uint64_t key);
    void Flush();
    void KeepBatch();
    // The batch's corners as drawn on the current target.
    void ScreenCorners(std::vector<ScreenCorner>& out) const;
    // False when the batch cannot be drawn (its program was refused).
    bool ApplyKey(const Key& key);
    void BindTarget(TextureHandle target);
    // Render targets get their storage when first drawn to or sampled; until
    // then they are transparent black, which costs nothing.
    void Realize(GlTexture& t);
    void BindPendingTarget();
    // Makes a draw that only copies a whole picture to the target as a blit; false for any other draw.
    bool CopyWhole(uint32_t type, uint32_t count, const VertexRHW* vertices);
    // The frame target on the back buffer (GlDeviceFrameTarget.cpp). A clear
    // of the frame target starts it there when the back buffer holds nothing
    // yet; true when it did.
    bool StartOnBackBuffer(uint32_t flags);
    // Gives the frame target its own storage and copies its picture there,
    // for any use other than the copy the frame target was named for.
    void MoveOffBackBuffer();
    // Before the back buffer's own pixels change: the frame target leaves it
    // and a clear held back is made.
    void TouchBackBuffer();
    void ClearHeldBack();
    // Clears the bound framebuffer.
    void ClearBound(uint32_t flags, uint32_t argb, float z);
    void TargetSize(int& w, int& h) const;
    void EnsureDepth(int width, int height);
    template <class V, class F>
    void Gather(uint32_t type, uint32_t count, const V* vertices, bool pretransformed, F toClip);

    SDL_Window* m_window;
    SDL_GLContext m_context;
    GLuint m_vertexShader = 0, m_vao = 0, m_vbo = 0, m_sampler = 0, m_depth = 0;
    bool m_valid = false;
    std::unordered_map<uint64_t, Program> m_programs;
    const Program* m_currentProgram = nullptr;
    GLuint m_boundFramebuffer = 0;
    bool m_targetPending = false;  // m_target has no storage yet: nothing is bound for it
    int m_depthW = 0, m_depthH = 0;
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
    uint64_t m_copies = 0;
    GLint m_minFilter = GL_LINEAR;  // of the last batch
    std::vector<KeptBatch>* m_kept = nullptr;
    std::vector<ScreenCorner> m_corners;  // scratch for ScreenCorners
    TextureHandle m_frameTarget = 0;
    TextureHandle m_onBackBuffer = 0;  // the frame target whose picture is on the back buffer
    bool m_backBufferFree = true;      // nothing drawn on it since it was presented
    // A clear of the back buffer held back while the frame target is on it:
    // the frame target's copy makes the colour part needless.
    uint32_t m_heldFlags = 0, m_heldColor = 0;
    float m_heldZ = 1.0f;
    uint64_t m_framesOnBackBuffer = 0;
};

}  // namespace host
