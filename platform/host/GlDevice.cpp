#include "platform/host/GlDevice.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "platform/host/GlDeviceShaders.h"

namespace host {

namespace {

GLuint Compile(GLenum type, const char* head, const char* src) {
    GLuint s = glCreateShader(type);
    const char* parts[2] = {head, src};
    glShaderSource(s, 2, parts, nullptr);
    glCompileShader(s);
    GLint ok = 0;
    glGetShaderiv(s, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[1024];
        glGetShaderInfoLog(s, sizeof log, nullptr, log);
        std::fprintf(stderr, "shader: %s\n", log);
        glDeleteShader(s);
        return 0;
    }
    return s;
}

GLenum BlendFactor(uint32_t f) {
    switch (f) {
    case BLEND_ZERO: return GL_ZERO;
    case BLEND_ONE: return GL_ONE;
    case BLEND_SRCCOLOR: return GL_SRC_COLOR;
    case BLEND_INVSRCCOLOR: return GL_ONE_MINUS_SRC_COLOR;
    case BLEND_SRCALPHA: return GL_SRC_ALPHA;
    case BLEND_INVSRCALPHA: return GL_ONE_MINUS_SRC_ALPHA;
    case BLEND_DESTALPHA: return GL_DST_ALPHA;
    case BLEND_INVDESTALPHA: return GL_ONE_MINUS_DST_ALPHA;
    case BLEND_DESTCOLOR: return GL_DST_COLOR;
    case BLEND_INVDESTCOLOR: return GL_ONE_MINUS_DST_COLOR;
    case BLEND_SRCALPHASAT: return GL_SRC_ALPHA_SATURATE;
    default: return GL_ONE;
    }
}

GLenum BlendOp(uint32_t op) {
    switch (op) {
    case BLENDOP_SUBTRACT: return GL_FUNC_SUBTRACT;
    case BLENDOP_REVSUBTRACT: return GL_FUNC_REVERSE_SUBTRACT;
    case BLENDOP_MIN: return GL_MIN;
    case BLENDOP_MAX: return GL_MAX;
    default: return GL_FUNC_ADD;
    }
}

GLenum CompareFunc(uint32_t f) {
    return f >= CMP_NEVER && f <= CMP_ALWAYS ? GLenum(GL_NEVER + (f - CMP_NEVER)) : GL_LESS;
}

GLint Address(uint32_t a) {
    if (a == TADDRESS_CLAMP) return GL_CLAMP_TO_EDGE;
    if (a == TADDRESS_MIRROR) return GL_MIRRORED_REPEAT;
    return GL_REPEAT;
}

// The next smaller mip level: each pixel the average of the 2 × 2 (or, along
// a side of one pixel, 2 × 1) block above it.
void HalveLevel(const uint8_t* above, int w, int h, std::vector<uint8_t>& below) {
    const int bw = std::max(1, w / 2), bh = std::max(1, h / 2);
    below.resize(size_t(bw) * size_t(bh) * 4);
    for (int y = 0; y < bh; ++y) {
        const int y0 = std::min(2 * y, h - 1), y1 = std::min(2 * y + 1, h - 1);
        for (int x = 0; x < bw; ++x) {
            const int x0 = std::min(2 * x, w - 1), x1 = std::min(2 * x + 1, w - 1);
            for (int c = 0; c < 4; ++c) {
                const int sum = above[(size_t(y0) * size_t(w) + size_t(x0)) * 4 + size_t(c)] +
                                above[(size_t(y0) * size_t(w) + size_t(x1)) * 4 + size_t(c)] +
                                above[(size_t(y1) * size_t(w) + size_t(x0)) * 4 + size_t(c)] +
                                above[(size_t(y1) * size_t(w) + size_t(x1)) * 4 + size_t(c)];
                below[(size_t(y) * size_t(bw) + size_t(x)) * 4 + size_t(c)] = uint8_t((sum + 2) / 4);
            }
        }
    }
}

// Minification as the sampler states ask: the mip filter picks between levels,
// none samples the full-size picture only.
GLint MinFilter(uint32_t min, uint32_t mip) {
    const bool linear = min == TEXF_LINEAR;
    if (mip == TEXF_LINEAR) return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    if (mip == TEXF_POINT) return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    return linear ? GL_LINEAR : GL_NEAREST;
}

// The key's slots.
enum {
    K_ZENABLE,
    K_ZWRITE,
    K_ZFUNC,
    K_ATEST,
    K_AREF,
    K_AFUNC,
    K_BLEND,
    K_SRC,
    K_DST,
    K_OP,
    K_SEPARATE,
    K_SRCA,
    K_DSTA,
    K_OPA,
    K_CULL,
    K_MASK,
    K_COP,
    K_CA1,
    K_CA2,
    K_AOP,
    K_AA1,
    K_AA2,
    K_ADDRU,
    K_ADDRV,
    K_MAG,
    K_MIN,
    K_MIP,
    K_TEXTURE,
    K_PRETRANSFORMED,
    K_SHADER,
    K_COUNT
};

}  // namespace

GlDevice::GlDevice(SDL_Window* window, SDL_GLContext context, const PresentParameters& params)
    : m_window(window), m_context(context) {
    m_vertexShader = Compile(GL_VERTEX_SHADER, "", kVertexShader);
    // The plain textured program proves the driver takes our programs.
    if (!m_vertexShader || !UseProgram(ProgramKeyOf(MakeKey(true)))) return;
    m_valid = true;

    glGenVertexArrays(1, &m_vao);
    glBindVertexArray(m_vao);
    glGenBuffers(1, &m_vbo);
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, sizeof(BatchVertex), (void*)offsetof(BatchVertex, x));
    glEnableVertexAttribArray(1);
    // ARGB words are B, G, R, A in memory.
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(BatchVertex),
                          (void*)offsetof(BatchVertex, color));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(BatchVertex), (void*)offsetof(BatchVertex, u));
    glGenSamplers(1, &m_sampler);
    glBindSampler(0, m_sampler);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    GLint maxTex = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTex);
    m_maxTexture = maxTex;
    if (epoxy_has_gl_extension("GL_NVX_gpu_memory_info")) {
        GLint kb = 0;
        glGetIntegerv(0x9049 /* current available video memory, KB */, &kb);
        m_textureMemory = int64_t(kb) * 1024;
    } else if (epoxy_has_gl_extension("GL_ATI_meminfo")) {
        GLint info[4] = {0, 0, 0, 0};
        glGetIntegerv(0x87FC /* texture free memory, KB */, info);
        m_textureMemory = int64_t(info[0]) * 1024;
    }
    m_batch.reserve(4096);
    Reset(params);
}

GlDevice::~GlDevice() {
    for (auto& t : m_textures) {
        if (t.second.framebuffer) glDeleteFramebuffers(1, &t.second.framebuffer);
        glDeleteTextures(1, &t.second.texture);
    }
    if (m_depth) glDeleteRenderbuffers(1, &m_depth);
    if (m_sampler) glDeleteSamplers(1, &m_sampler);
    if (m_vbo) glDeleteBuffers(1, &m_vbo);
    if (m_vao) glDeleteVertexArrays(1, &m_vao);
    for (auto& p : m_programs)
        if (p.second.program) glDeleteProgram(p.second.program);
    if (m_vertexShader) glDeleteShader(m_vertexShader);
    SDL_GL_DeleteContext(m_context);
}

TextureHandle GlDevice::CreateTexture(int width, int height, const uint8_t* rgba) {
    if (width <= 0 || height <= 0 || width > m_maxTexture || height > m_maxTexture) return 0;
    GlTexture t;
    t.width = width;
    t.height = height;
    glGenTextures(1, &t.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    // Pictures get their full chain of smaller levels, so that drawing one
    // shrunk samples a level near its size; render targets keep one level.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Built here rather than by the driver, whose software renderer would
    // first compile a program for it.
    int level = 0;
    if (rgba) {
        // Each level from the one above it; the first from the picture itself.
        std::vector<uint8_t> levels[2];
        const uint8_t* above = rgba;
        for (int w = width, h = height, i = 0; w > 1 || h > 1; i ^= 1) {
            HalveLevel(above, w, h, levels[i]);
            w = std::max(1, w / 2);
            h = std::max(1, h / 2);
            glTexImage2D(GL_TEXTURE_2D, ++level, GL_RGBA8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, levels[i].data());
            above = levels[i].data();
        }
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, level);
    t.levels = level + 1;
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &t.texture);
        return 0;
    }
    m_keyDirty = true;  // the bound texture changed under the batch's feet
    m_textures[m_next] = t;
    return m_next++;
}

void GlDevice::EnsureDepth(int width, int height) {
    if (m_depth && width <= m_depthW && height <= m_depthH) return;
    m_depthW = std::max(width, m_depthW);
    m_depthH = std::max(height, m_depthH);
    if (!m_depth) glGenRenderbuffers(1, &m_depth);
    glBindRenderbuffer(GL_RENDERBUFFER, m_depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, m_depthW, m_depthH);
    // Every target shares the one depth buffer; attach the new storage everywhere.
    for (auto& t : m_textures)
        if (t.second.framebuffer) {
            glBindFramebuffer(GL_FRAMEBUFFER, t.second.framebuffer);
            glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
        }
}

TextureHandle GlDevice::CreateRenderTarget(int width, int height) {
    if (width <= 0 || height <= 0 || width > m_maxTexture || height > m_maxTexture) return 0;
    GlTexture t;
    t.width = width;
    t.height = height;
    t.target = true;
    m_textures[m_next] = t;
    return m_next++;
}

void GlDevice::Realize(GlTexture& t) {
    if (!t.target || t.texture) return;
    glGenTextures(1, &t.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    EnsureDepth(t.width, t.height);
    glGenFramebuffers(1, &t.framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, t.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.texture, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, m_depth);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, m_boundFramebuffer);
    m_keyDirty = true;  // the texture binding and masks changed under the batch
}

void GlDevice::BindPendingTarget() {
    if (!m_targetPending) return;
    auto it = m_textures.find(m_target);
    if (it != m_textures.end()) Realize(it->second);
    BindTarget(m_target);
}

void GlDevice::ReleaseTexture(TextureHandle texture) {
    auto it = m_textures.find(texture);
    if (it == m_textures.end()) return;
    Flush();
    if (it->second.framebuffer) glDeleteFramebuffers(1, &it->second.framebuffer);
    glDeleteTextures(1, &it->second.texture);
    m_textures.erase(it);
    if (m_state.texture == texture) m_state.texture = 0;
    if (m_onBackBuffer == texture) m_onBackBuffer = 0;
    if (m_frameTarget == texture) m_frameTarget = 0;
    if (m_target == texture) {
        m_target = 0;
        BindTarget(0);
    }
    m_keyDirty = true;
}

bool GlDevice::TextureSize(TextureHandle texture, int& width, int& height) const {
    auto it = m_textures.find(texture);
    if (it == m_textures.end()) return false;
    width = it->second.width;
    height = it->second.height;
    return true;
}

void GlDevice::TargetSize(int& w, int& h) const {
    auto it = m_textures.find(m_target);
    if (m_target && it != m_textures.end()) {
        w = it->second.width;
        h = it->second.height;
    } else {
        w = m_bbWidth;
        h = m_bbHeight;
    }
}

void GlDevice::BindTarget(TextureHandle target) {
    if (target && target == m_onBackBuffer) {
        m_targetPending = false;
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        m_boundFramebuffer = 0;
        glViewport(0, 0, m_bbWidth, m_bbHeight);
        return;
    }
    auto it = m_textures.find(target);
    if (target && it != m_textures.end() && !it->second.framebuffer) {
        m_targetPending = true;  // bound when something is really drawn to it
        return;
    }
    m_targetPending = false;
    GLuint fb = target && it != m_textures.end() ? it->second.framebuffer : 0;
    glBindFramebuffer(GL_FRAMEBUFFER, fb);
    m_boundFramebuffer = fb;
    int w, h;
    TargetSize(w, h);
    glViewport(0, 0, w, h);
}

void GlDevice::SetRenderTarget(TextureHandle target) {
    if (target != 0) {
        auto it = m_textures.find(target);
        if (it == m_textures.end() || !it->second.target) return;
    }
    if (target == m_target) return;
    Flush();
    // Drawn on again after a clear of the back buffer was held back: the two pictures part.
    if (target && target == m_onBackBuffer && m_heldFlags) MoveOffBackBuffer();
    m_target = target;
    m_keyDirty = true;
    BindTarget(target);
}

void GlDevice::Clear(uint32_t flags, uint32_t argb, float z) {
    Flush();
    // A target without storage is transparent black already.
    if (m_targetPending && flags == CLEAR_TARGET && argb == 0) return;
    if (m_target == 0 && (m_onBackBuffer || m_heldFlags)) {
        // Held back: the frame target's copy may cover it whole.
        m_heldFlags |= flags;
        if (flags & CLEAR_TARGET) m_heldColor = argb;
        if (flags & CLEAR_ZBUFFER) m_heldZ = z;
        return;
    }
    if (!StartOnBackBuffer(flags)) BindPendingTarget();
    if (m_target == 0) m_backBufferFree = false;
    ClearBound(flags, argb, z);
    m_keyDirty = true;  // masks were touched; every batch sets them again
}

void GlDevice::ClearBound(uint32_t flags, uint32_t argb, float z) {
    GLbitfield bits = 0;
    if (flags & CLEAR_TARGET) {
        glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
        glClearColor(((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f,
                     ((argb >> 24) & 0xFF) / 255.0f);
        bits |= GL_COLOR_BUFFER_BIT;
    }
    if (flags & CLEAR_ZBUFFER) {
        glDepthMask(GL_TRUE);
        glClearDepth(z);
        bits |= GL_DEPTH_BUFFER_BIT;
    }
    if (flags & CLEAR_STENCIL) bits |= GL_STENCIL_BUFFER_BIT;
    glDisable(GL_SCISSOR_TEST);
    if (bits) glClear(bits);
}

bool GlDevice::BeginScene() { return true; }

bool GlDevice::EndScene() {
    Flush();
    return true;
}

GlDevice::Key GlDevice::MakeKey(bool pretransformed) const {
    const DeviceState& s = m_state;
    Key k;
    auto& v = k.values;
    static_assert(std::tuple_size<std::remove_reference_t<decltype(v)>>::value == K_COUNT, "a slot per entry");
    v[K_ZENABLE] = s.render[RS_ZENABLE];
    v[K_ZWRITE] = s.render[RS_ZWRITEENABLE];
    v[K_ZFUNC] = s.render[RS_ZFUNC];
    v[K_ATEST] = s.render[RS_ALPHATESTENABLE];
    v[K_AREF] = s.render[RS_ALPHAREF];
    v[K_AFUNC] = s.render[RS_ALPHAFUNC];
    v[K_BLEND] = s.render[RS_ALPHABLENDENABLE];
    v[K_SRC] = s.render[RS_SRCBLEND];
    v[K_DST] = s.render[RS_DESTBLEND];
    v[K_OP] = s.render[RS_BLENDOP];
    v[K_SEPARATE] = s.render[RS_SEPARATEALPHABLENDENABLE];
    v[K_SRCA] = s.render[RS_SRCBLENDALPHA];
    v[K_DSTA] = s.render[RS_DESTBLENDALPHA];
    v[K_OPA] = s.render[RS_BLENDOPALPHA];
    v[K_CULL] = s.render[RS_CULLMODE];
    v[K_MASK] = s.render[RS_COLORWRITEENABLE];
    v[K_COP] = s.stage[TSS_COLOROP];
    v[K_CA1] = s.stage[TSS_COLORARG1];
    v[K_CA2] = s.stage[TSS_COLORARG2];
    v[K_AOP] = s.stage[TSS_ALPHAOP];
    v[K_AA1] = s.stage[TSS_ALPHAARG1];
    v[K_AA2] = s.stage[TSS_ALPHAARG2];
    v[K_ADDRU] = s.sampler[SAMP_ADDRESSU];
    v[K_ADDRV] = s.sampler[SAMP_ADDRESSV];
    v[K_MAG] = s.sampler[SAMP_MAGFILTER];
    v[K_MIN] = s.sampler[SAMP_MINFILTER];
    v[K_MIP] = s.sampler[SAMP_MIPFILTER];
    v[K_TEXTURE] = m_textures.count(s.texture) ? s.texture : 0;
    v[K_PRETRANSFORMED] = pretransformed ? 1 : 0;
    v[K_SHADER] = s.shader;
    if (!pretransformed) {
        k.view = s.view;
        k.projection = s.projection;
    }
    return k;
}

uint64_t GlDevice::ProgramKeyOf(const Key& k) const {
    const auto& v = k.values;
    auto it = m_textures.find(v[K_TEXTURE]);
    const bool hasTex = v[K_TEXTURE] && it != m_textures.end();
    // Pictures drawn to are stored bottom-up.
    const bool flip = hasTex && it->second.framebuffer != 0;
    const bool post = v[K_SHADER] == SHADER_POSTPROCESS;
    uint64_t key = uint64_t(hasTex) | uint64_t(flip) << 1 | uint64_t(post) << 2;
    if (post) return key;
    const bool test = v[K_ATEST] != 0;
    key |= uint64_t(test) << 3 | uint64_t(test ? v[K_AFUNC] & 0xF : 0) << 4;
    const uint32_t stage[6] = {v[K_COP], v[K_CA1], v[K_CA2], v[K_AOP], v[K_AA1], v[K_AA2]};
    for (int i = 0; i < 6; ++i) key |= uint64_t(stage[i] & 0xFF) << (8 + 8 * i);
    return key;
}

const GlDevice::Program* GlDevice::UseProgram(uint64_t key) {
    auto found = m_programs.find(key);
    if (found == m_programs.end()) {
        char head[512];
        std::snprintf(head, sizeof head,
                      "#version 330 core\n#define HAS_TEX %d\n#define FLIP_V %d\n#define POST_PROCESS %d\n"
                      "#define ALPHA_TEST %d\n#define ALPHA_FUNC %d\n#define COLOR_OP %d\n#define COLOR_ARG1 %d\n"
                      "#define COLOR_ARG2 %d\n#define ALPHA_OP %d\n#define ALPHA_ARG1 %d\n#define ALPHA_ARG2 %d\n",
                      int(key & 1), int(key >> 1 & 1), int(key >> 2 & 1), int(key >> 3 & 1), int(key >> 4 & 0xF),
                      int(key >> 8 & 0xFF), int(key >> 16 & 0xFF), int(key >> 24 & 0xFF), int(key >> 32 & 0xFF),
                      int(key >> 40 & 0xFF), int(key >> 48 & 0xFF));
        Program p;
        GLuint fs = Compile(GL_FRAGMENT_SHADER, head, kFragmentShader);
        if (fs) {
            GLuint prog = glCreateProgram();
            glAttachShader(prog, m_vertexShader);
            glAttachShader(prog, fs);
            glLinkProgram(prog);
            // Detached, the fragment shader is freed with its compiled form; the
            // program keeps its own linked copy.
            glDetachShader(prog, m_vertexShader);
            glDetachShader(prog, fs);
            glDeleteShader(fs);
            GLint ok = 0;
            glGetProgramiv(prog, GL_LINK_STATUS, &ok);
            if (ok) {
                p.program = prog;
                p.viewProj = glGetUniformLocation(prog, "uViewProj");
                p.offset = glGetUniformLocation(prog, "uOffset");
                p.alphaRef = glGetUniformLocation(prog, "uAlphaRef");
                glUseProgram(prog);
                glUniform1i(glGetUniformLocation(prog, "uTex"), 0);
                glUseProgram(m_currentProgram ? m_currentProgram->program : 0);
            } else {
                glDeleteProgram(prog);
            }
        }
        // A failed combination is kept too, so it is not compiled again every batch.
        found = m_programs.emplace(key, p).first;
    }
    if (!found->second.program) return nullptr;
    if (m_currentProgram != &found->second) {
        glUseProgram(found->second.program);
        m_currentProgram = &found->second;
    }
    return m_currentProgram;
}

bool GlDevice::ApplyKey(const Key& k) {
    const auto& v = k.values;
    auto it = m_textures.find(v[K_TEXTURE]);
    bool hasTex = v[K_TEXTURE] && it != m_textures.end();
    // A target sampled before anything was drawn to it; first, as making it touches the masks.
    if (hasTex) Realize(it->second);
    if (v[K_ZENABLE]) glEnable(GL_DEPTH_TEST);
    else glDisable(GL_DEPTH_TEST);
    glDepthFunc(CompareFunc(v[K_ZFUNC]));
    glDepthMask(v[K_ZWRITE] ? GL_TRUE : GL_FALSE);
    if (v[K_BLEND]) {
        glEnable(GL_BLEND);
        if (v[K_SEPARATE]) {
            glBlendFuncSeparate(BlendFactor(v[K_SRC]), BlendFactor(v[K_DST]), BlendFactor(v[K_SRCA]),
                                BlendFactor(v[K_DSTA]));
            glBlendEquationSeparate(BlendOp(v[K_OP]), BlendOp(v[K_OPA]));
        } else {
            glBlendFunc(BlendFactor(v[K_SRC]), BlendFactor(v[K_DST]));
            glBlendEquation(BlendOp(v[K_OP]));
        }
    } else {
        glDisable(GL_BLEND);
    }
    // Culling is named by the winding seen on screen; GL's front faces are
    // counter-clockwise on screen as well, whatever the target.
    if (v[K_CULL] == CULL_CW) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_BACK);
    } else if (v[K_CULL] == CULL_CCW) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    } else {
        glDisable(GL_CULL_FACE);
    }
    glFrontFace(GL_CCW);
    uint32_t m = v[K_MASK];
    glColorMask((m & 1) != 0, (m & 2) != 0, (m & 4) != 0, (m & 8) != 0);

    const Program* program = UseProgram(ProgramKeyOf(k));
    if (!program) return false;
    glUniform1f(program->alphaRef, float(v[K_AREF] & 0xFF));
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, hasTex ? it->second.texture : 0);
    glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_S, Address(v[K_ADDRU]));
    glSamplerParameteri(m_sampler, GL_TEXTURE_WRAP_T, Address(v[K_ADDRV]));
    glSamplerParameteri(m_sampler, GL_TEXTURE_MAG_FILTER, v[K_MAG] == TEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    // A picture of one level (a render target), or one no triangle of the batch
    // shrinks, samples the same without the level filter, which the software
    // renderer pays for on every pixel.
    bool levels = hasTex && it->second.levels > 1 && v[K_MIP] != TEXF_NONE;
    if (levels) {
        ScreenCorners(m_corners);
        levels = !NeverShrunk(m_corners.data(), m_corners.size(), it->second.width, it->second.height);
    }
    m_minFilter = MinFilter(v[K_MIN], levels ? v[K_MIP] : TEXF_NONE);
    glSamplerParameteri(m_sampler, GL_TEXTURE_MIN_FILTER, m_minFilter);

    // The matrices are uploaded as they are: GL reads them column by column,
    // which turns the row-vector product into its column-vector twin.
    Matrix vp = v[K_PRETRANSFORMED] ? IdentityMatrix() : Multiply(k.view, k.projection);
    glUniformMatrix4fv(program->viewProj, 1, GL_FALSE, vp.data());
    int w, h;
    TargetSize(w, h);
    glUniform2f(program->offset, w > 0 ? 1.0f / float(w) : 0.0f, h > 0 ? -1.0f / float(h) : 0.0f);
    return true;
}

void GlDevice::Flush() {
    if (m_batch.empty()) return;
    BindPendingTarget();
    if (m_onBackBuffer && m_batchKey.values[K_TEXTURE] == m_onBackBuffer) MoveOffBackBuffer();
    if (m_target == 0) TouchBackBuffer();
    if (!ApplyKey(m_batchKey)) {
        m_batch.clear();
        return;
    }
    glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
    size_t bytes = m_batch.size() * sizeof(BatchVertex);
    if (bytes > m_vboCapacity) {
        m_vboCapacity = std::max(bytes, m_vboCapacity * 2);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(m_vboCapacity), nullptr, GL_STREAM_DRAW);
    } else {
        // Orphan the old storage so the driver need not wait for the last draw.
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(m_vboCapacity), nullptr, GL_STREAM_DRAW);
    }
    glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr(bytes), m_batch.data());
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(m_batch.size()));
    ++m_glDraws;
    if (m_kept) KeepBatch();
    m_batch.clear();
}

void GlDevice::ScreenCorners(std::vector<ScreenCorner>& out) const {
    const auto& v = m_batchKey.values;
    const Matrix vp = v[K_PRETRANSFORMED] ? IdentityMatrix() : Multiply(m_batchKey.view, m_batchKey.projection);
    int w, h;
    TargetSize(w, h);
    out.clear();
    for (const BatchVertex& b : m_batch) {
        const float in[4] = {b.x, b.y, b.z, b.w};
        float clip[4];
        for (int c = 0; c < 4; ++c)
            clip[c] = in[0] * vp[size_t(c)] + in[1] * vp[size_t(4 + c)] + in[2] * vp[size_t(8 + c)] +
                      in[3] * vp[size_t(12 + c)];
        const float iw = clip[3] != 0.0f ? 1.0f / clip[3] : 1.0f;
        out.push_back({(clip[0] * iw + 1.0f) * 0.5f * float(w) - 0.5f, (1.0f - clip[1] * iw) * 0.5f * float(h) - 0.5f,
                       clip[3], b.u, b.v});
    }
}

void GlDevice::KeepBatch() {
    KeptBatch kept;
    kept.texture = m_batchKey.values[K_TEXTURE];
    kept.minFilter = m_minFilter;
    ScreenCorners(m_corners);
    for (size_t i = 0; i < m_batch.size(); ++i) {
        VertexRHW r{};
        r.x = float(m_corners[i].x);
        r.y = float(m_corners[i].y);
        r.rhw = 1.0f;
        r.color = m_batch[i].color;
        r.u = m_batch[i].u;
        r.v = m_batch[i].v;
        kept.triangles.push_back(r);
    }
    m_kept->push_back(std::move(kept));
}

template <class V, class F>
void GlDevice::Gather(uint32_t type, uint32_t count, const V* vertices, bool pretransformed, F toClip) {
    if (!vertices || VertexCountFor(type, count) == 0) return;
    if (m_keyDirty || pretransformed != m_batchPretransformed) {
        Key k = MakeKey(pretransformed);
        if (!(k == m_batchKey)) {
            Flush();
            m_batchKey = k;
        }
        m_keyDirty = false;
        m_batchPretransformed = pretransformed;
    }
    for (uint32_t i : TriangleListIndices(type, count)) {
        const V& src = vertices[i];
        BatchVertex bv;
        toClip(src, bv);
        bv.color = src.color;
        bv.u = src.u;
        bv.v = src.v;
        m_batch.push_back(bv);
    }
}

void GlDevice::DrawPrimitiveUP(uint32_t type, uint32_t count, const Vertex* vertices) {
    const Matrix& m = m_state.world;
    Gather(type, count, vertices, false, [&m](const Vertex& s, BatchVertex& d) {
        d.x = s.x * m[0] + s.y * m[4] + s.z * m[8] + m[12];
        d.y = s.x * m[1] + s.y * m[5] + s.z * m[9] + m[13];
        d.z = s.x * m[2] + s.y * m[6] + s.z * m[10] + m[14];
        d.w = s.x * m[3] + s.y * m[7] + s.z * m[11] + m[15];
    });
}

void GlDevice::DrawPrimitiveUP(uint32_t type, uint32_t count, const VertexRHW* vertices) {
    if (CopyWhole(type, count, vertices)) return;
    int tw, th;
    TargetSize(tw, th);
    float sx = tw > 0 ? 2.0f / float(tw) : 0.0f, sy = th > 0 ? 2.0f / float(th) : 0.0f;
    Gather(type, count, vertices, true, [sx, sy](const VertexRHW& s, BatchVertex& d) {
        float w = s.rhw != 0.0f ? 1.0f / s.rhw : 1.0f;
        d.x = (s.x * sx - 1.0f) * w;
        d.y = (1.0f - s.y * sy) * w;
        d.z = s.z * w;
        d.w = w;
    });
}

uint64_t GlDevice::TextureBytes() const {
    uint64_t bytes = 0;
    for (const auto& t : m_textures) {
        if (!t.second.texture) continue;
        const uint64_t base = uint64_t(t.second.width) * uint64_t(t.second.height) * 4;
        bytes += t.second.levels > 1 ? base * 4 / 3 : base;
    }
    return bytes;
}

GLuint GlDevice::GlTextureName(TextureHandle texture) const {
    auto& textures = const_cast<GlDevice*>(this)->m_textures;
    auto it = textures.find(texture);
    if (it == textures.end()) return 0;
    if (texture == m_onBackBuffer) const_cast<GlDevice*>(this)->MoveOffBackBuffer();
    const_cast<GlDevice*>(this)->Realize(it->second);
    return it->second.texture;
}

void GlDevice::ForgetGlState() {
    Flush();
    if (m_target == 0) TouchBackBuffer();  // what comes may draw on it
    m_currentProgram = nullptr;            // bound again by the next batch
    glBindVertexArray(m_vao);
    glBindSampler(0, m_sampler);
    m_keyDirty = true;  // every batch sets all its states again
}

void GlDevice::Present() {
    Flush();
    // A frame target still on the back buffer was wanted within the frame
    // only, unless it is still drawn to; the depth of a clear held back is
    // seen by nobody.
    if (m_target && m_target == m_onBackBuffer) MoveOffBackBuffer();
    m_onBackBuffer = 0;
    if (m_heldFlags & CLEAR_TARGET) ClearHeldBack();
    m_heldFlags = 0;
    m_frameTarget = 0;
    SDL_GL_SwapWindow(m_window);
    m_backBufferFree = true;
}

bool GlDevice::Reset(const PresentParameters& params) {
    Flush();
    MoveOffBackBuffer();  // before the back buffer changes size
    m_heldFlags = 0;
    m_backBufferFree = true;
    SDL_GL_SetSwapInterval(params.presentInterval == 0x80000000u ? 0 : 1);
    // A window takes the size asked for (it may still be shrinking back from
    // full screen); full screen gets whatever the display really gave.
    m_bbWidth = params.backBufferWidth;
    m_bbHeight = params.backBufferHeight;
    if (!params.windowed) {
        int w = 0, h = 0;
        SDL_GL_GetDrawableSize(m_window, &w, &h);
        if (w > 0 && h > 0) {
            m_bbWidth = w;
            m_bbHeight = h;
        }
    }
    if (m_target == 0) BindTarget(0);
    m_keyDirty = true;
    return true;
}

bool GlDevice::ReadBackBuffer(std::vector<uint8_t>& rgba, int& width, int& height) {
    Flush();
    if (m_heldFlags) {
        MoveOffBackBuffer();
        ClearHeldBack();
    }
    width = m_bbWidth;
    height = m_bbHeight;
    if (width <= 0 || height <= 0) return false;
    std::vector<uint8_t> raw(size_t(width) * size_t(height) * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    m_boundFramebuffer = 0;
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, raw.data());
    BindTarget(m_target);
    // GL reads bottom row first.
    rgba.resize(raw.size());
    size_t row = size_t(width) * 4;
    for (int y = 0; y < height; ++y) std::memcpy(&rgba[size_t(y) * row], &raw[size_t(height - 1 - y) * row], row);
    return glGetError() == GL_NO_ERROR;
}

}  // namespace host
