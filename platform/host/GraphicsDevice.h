#pragma once
// The drawing device. Its calls and state numbers follow the immediate-mode
// device the engine was written against (render states, texture-stage states,
// sampler states, transforms, user-pointer draws), so engine code keeps its
// shape. Two backends: OpenGL 3.3 (GlDevice) and a recorder for headless tests.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// Render-state numbers and values.
enum : uint32_t {
    RS_ZENABLE = 7,
    RS_FILLMODE = 8,
    RS_ZWRITEENABLE = 14,
    RS_ALPHATESTENABLE = 15,
    RS_SRCBLEND = 19,
    RS_DESTBLEND = 20,
    RS_CULLMODE = 22,
    RS_ZFUNC = 23,
    RS_ALPHAREF = 24,
    RS_ALPHAFUNC = 25,
    RS_DITHERENABLE = 26,
    RS_ALPHABLENDENABLE = 27,
    RS_FOGENABLE = 28,
    RS_FOGCOLOR = 34,
    RS_FOGTABLEMODE = 35,
    RS_FOGSTART = 36,
    RS_FOGEND = 37,
    RS_STENCILENABLE = 52,
    RS_CLIPPING = 136,
    RS_LIGHTING = 137,
    RS_COLORWRITEENABLE = 168,
    RS_BLENDOP = 171,
    RS_SEPARATEALPHABLENDENABLE = 206,
    RS_SRCBLENDALPHA = 207,
    RS_DESTBLENDALPHA = 208,
    RS_BLENDOPALPHA = 209,
    RS_COUNT = 256,
};
enum : uint32_t {
    BLEND_ZERO = 1,
    BLEND_ONE = 2,
    BLEND_SRCCOLOR = 3,
    BLEND_INVSRCCOLOR = 4,
    BLEND_SRCALPHA = 5,
    BLEND_INVSRCALPHA = 6,
    BLEND_DESTALPHA = 7,
    BLEND_INVDESTALPHA = 8,
    BLEND_DESTCOLOR = 9,
    BLEND_INVDESTCOLOR = 10,
    BLEND_SRCALPHASAT = 11,
};
enum : uint32_t { BLENDOP_ADD = 1, BLENDOP_SUBTRACT = 2, BLENDOP_REVSUBTRACT = 3, BLENDOP_MIN = 4, BLENDOP_MAX = 5 };
enum : uint32_t {
    CMP_NEVER = 1,
    CMP_LESS = 2,
    CMP_EQUAL = 3,
    CMP_LESSEQUAL = 4,
    CMP_GREATER = 5,
    CMP_NOTEQUAL = 6,
    CMP_GREATEREQUAL = 7,
    CMP_ALWAYS = 8
};
enum : uint32_t { CULL_NONE = 1, CULL_CW = 2, CULL_CCW = 3 };

// Texture-stage states and values.
enum : uint32_t {
    TSS_COLOROP = 1,
    TSS_COLORARG1 = 2,
    TSS_COLORARG2 = 3,
    TSS_ALPHAOP = 4,
    TSS_ALPHAARG1 = 5,
    TSS_ALPHAARG2 = 6,
    TSS_TEXCOORDINDEX = 11,
    TSS_COUNT = 33
};
enum : uint32_t { TOP_DISABLE = 1, TOP_SELECTARG1 = 2, TOP_SELECTARG2 = 3, TOP_MODULATE = 4, TOP_ADD = 7 };
enum : uint32_t { TA_DIFFUSE = 0, TA_CURRENT = 1, TA_TEXTURE = 2 };

// Sampler states and values.
enum : uint32_t {
    SAMP_ADDRESSU = 1,
    SAMP_ADDRESSV = 2,
    SAMP_MAGFILTER = 5,
    SAMP_MINFILTER = 6,
    SAMP_MIPFILTER = 7,
    SAMP_COUNT = 14
};
enum : uint32_t { TEXF_NONE = 0, TEXF_POINT = 1, TEXF_LINEAR = 2 };
enum : uint32_t { TADDRESS_WRAP = 1, TADDRESS_MIRROR = 2, TADDRESS_CLAMP = 3 };

enum : uint32_t { CLEAR_TARGET = 1, CLEAR_ZBUFFER = 2, CLEAR_STENCIL = 4 };
enum : uint32_t { TS_VIEW = 2, TS_PROJECTION = 3, TS_WORLD = 256 };
enum : uint32_t { PT_TRIANGLELIST = 4, PT_TRIANGLESTRIP = 5, PT_TRIANGLEFAN = 6 };
// Which pixel program draws: the fixed texture stage, or the post-process
// composition (texture × vertex colour, texture alpha) that effect passes select.
enum : uint32_t { SHADER_FIXED = 0, SHADER_POSTPROCESS = 1 };

// Vertex with a position the transforms place (24 bytes).
struct Vertex {
    float x, y, z;
    uint32_t color;  // ARGB
    float u, v;
};
// Vertex already in screen pixels (28 bytes).
struct VertexRHW {
    float x, y, z, rhw;
    uint32_t color;
    float u, v;
};

using TextureHandle = uint32_t;        // 0 = none
using Matrix = std::array<float, 16>;  // row-vector convention, translation in the last row

Matrix IdentityMatrix();
Matrix Multiply(const Matrix& a, const Matrix& b);  // a then b

// Every state that decides how a draw looks.
struct DeviceState {
    std::array<uint32_t, RS_COUNT> render{};
    std::array<uint32_t, TSS_COUNT> stage{};
    std::array<uint32_t, SAMP_COUNT> sampler{};
    TextureHandle texture = 0;
    uint32_t shader = SHADER_FIXED;
    Matrix world = IdentityMatrix(), view = IdentityMatrix(), projection = IdentityMatrix();
    DeviceState();  // the device defaults
};

struct PresentParameters {
    bool windowed = true;
    int backBufferWidth = 800, backBufferHeight = 600;
    uint32_t backBufferFormat = 21;
    uint32_t refreshRate = 0;
    bool autoDepthStencil = false;
    uint32_t depthStencilFormat = 0;
    uint32_t presentInterval = 0;  // 0x80000000 immediate, else waits for the retrace
};

class GraphicsDevice {
public:
    virtual ~GraphicsDevice() = default;

    // Textures: RGBA bytes in memory order, rows top first. Main thread only.
    virtual TextureHandle CreateTexture(int width, int height, const uint8_t* rgba) = 0;
    virtual TextureHandle CreateRenderTarget(int width, int height) = 0;
    virtual void ReleaseTexture(TextureHandle texture) = 0;
    virtual bool TextureSize(TextureHandle texture, int& width, int& height) const = 0;

    // 0 draws to the back buffer.
    virtual void SetRenderTarget(TextureHandle target) = 0;
    TextureHandle RenderTarget() const { return m_target; }
    // Names, until the next present, a target of the back buffer's size that
    // this frame draws from a full clear and copies whole onto the back
    // buffer, its picture wanted by nothing after that copy: a device may
    // build that picture on the back buffer itself and skip the copy.
    virtual void SetFrameTarget(TextureHandle target) { (void)target; }

    void SetRenderState(uint32_t state, uint32_t value);
    void SetTextureStageState(uint32_t stage, uint32_t type, uint32_t value);  // stage 0 only is kept
    void SetSamplerState(uint32_t sampler, uint32_t type, uint32_t value);
    void SetTexture(uint32_t stage, TextureHandle texture);
    void SetTransform(uint32_t which, const Matrix& m);
    void SetShader(uint32_t shader);
    uint32_t GetRenderState(uint32_t state) const { return m_state.render[state]; }
    uint32_t GetTextureStageState(uint32_t type) const { return m_state.stage[type]; }
    uint32_t GetSamplerState(uint32_t type) const { return m_state.sampler[type]; }
    const Matrix& GetTransform(uint32_t which) const;
    const DeviceState& State() const { return m_state; }
    // State blocks: capture everything and put it back later.
    DeviceState CaptureState() const { return m_state; }
    void ApplyState(const DeviceState& s);

    virtual void Clear(uint32_t flags, uint32_t argb, float z) = 0;
    virtual bool BeginScene() = 0;
    virtual bool EndScene() = 0;
    virtual void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const Vertex* vertices) = 0;
    virtual void DrawPrimitiveUP(uint32_t type, uint32_t primitiveCount, const VertexRHW* vertices) = 0;
    virtual void Present() = 0;
    // New back buffer (window size or full-screen mode change).
    virtual bool Reset(const PresentParameters& params) = 0;

    virtual int BackBufferWidth() const = 0;
    virtual int BackBufferHeight() const = 0;
    virtual int MaxTextureSize() const = 0;
    virtual int64_t AvailableTextureMemory() const = 0;  // -1 when unknown
    // The back buffer, top row first, RGBA.
    virtual bool ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) = 0;
    bool SaveBackBufferPng(const std::string& path);

protected:
    virtual void StateChanged() {}
    DeviceState m_state;
    TextureHandle m_target = 0;
};

// Number of triangles a draw produces and the vertex order of its triangle list.
uint32_t VertexCountFor(uint32_t type, uint32_t primitiveCount);
std::vector<uint32_t> TriangleListIndices(uint32_t type, uint32_t primitiveCount);

bool WritePng(const std::string& path, const uint8_t* rgba, int width, int height);

}  // namespace host
