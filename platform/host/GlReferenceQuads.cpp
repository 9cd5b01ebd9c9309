#include "platform/host/GlReferenceQuads.h"

#include <epoxy/gl.h>

#include "platform/host/GlDevice.h"

namespace host {

namespace {

const char* kVs = R"(#version 330 core
layout(location = 0) in vec2 aPos;
layout(location = 1) in vec4 aColor;
layout(location = 2) in vec2 aUV;
uniform vec2 uScale;
out vec4 vColor;
out vec2 vUV;
void main() {
    gl_Position = vec4(aPos.x * uScale.x - 1.0, 1.0 - aPos.y * uScale.y, 0.0, 1.0);
    vColor = aColor;
    vUV = aUV;
}
)";
const char* kFs = R"(#version 330 core
in vec4 vColor;
in vec2 vUV;
uniform sampler2D uTex;
out vec4 fragColor;
void main() { fragColor = texture(uTex, vUV) * vColor; }
)";

struct Corner {
    float x, y;
    uint32_t color;
    float u, v;
};

class Reference : public GlReferenceQuads {
public:
    explicit Reference(GlDevice& device) : m_device(device) {
        GLuint vs = glCreateShader(GL_VERTEX_SHADER), fs = glCreateShader(GL_FRAGMENT_SHADER);
        glShaderSource(vs, 1, &kVs, nullptr);
        glShaderSource(fs, 1, &kFs, nullptr);
        glCompileShader(vs);
        glCompileShader(fs);
        m_program = glCreateProgram();
        glAttachShader(m_program, vs);
        glAttachShader(m_program, fs);
        glLinkProgram(m_program);
        glDeleteShader(vs);
        glDeleteShader(fs);
        glGenVertexArrays(1, &m_vao);
        glGenBuffers(1, &m_vbo);
        glBindVertexArray(m_vao);
        glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
        glEnableVertexAttribArray(0);
        glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, sizeof(Corner), (void*)0);
        glEnableVertexAttribArray(1);
        glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, sizeof(Corner), (void*)8);
        glEnableVertexAttribArray(2);
        glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, sizeof(Corner), (void*)12);
    }
    ~Reference() override {
        glDeleteBuffers(1, &m_vbo);
        glDeleteVertexArrays(1, &m_vao);
        glDeleteProgram(m_program);
    }
    void Draw(const std::vector<VertexRHW>& corners, TextureHandle texture) override {
        m_device.ForgetGlState();  // the device draws what it gathered first
        m_data.clear();
        for (size_t q = 0; q + 3 < corners.size(); q += 4)
            for (size_t i : {0, 1, 2, 0, 2, 3}) Add(corners[q + i]);
        Submit(texture, GL_LINEAR);
    }
    void DrawTriangles(const std::vector<VertexRHW>& triangles, TextureHandle texture, bool levels) override {
        m_device.ForgetGlState();
        m_data.clear();
        for (const VertexRHW& c : triangles) Add(c);
        Submit(texture, levels ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    }

private:
    void Add(const VertexRHW& c) { m_data.push_back({c.x + 0.5f, c.y + 0.5f, c.color, c.u, c.v}); }
    void Submit(TextureHandle texture, GLint minFilter) {
        glUseProgram(m_program);
        glBindVertexArray(m_vao);
        glBindBuffer(GL_ARRAY_BUFFER, m_vbo);
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(m_data.size() * sizeof(Corner)), m_data.data(), GL_STREAM_DRAW);
        glUniform2f(glGetUniformLocation(m_program, "uScale"), 2.0f / float(m_device.BackBufferWidth()),
                    2.0f / float(m_device.BackBufferHeight()));
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, m_device.GlTextureName(texture));
        glBindSampler(0, 0);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDrawArrays(GL_TRIANGLES, 0, GLsizei(m_data.size()));
        m_device.ForgetGlState();
    }

    GlDevice& m_device;
    GLuint m_program = 0, m_vao = 0, m_vbo = 0;
    std::vector<Corner> m_data;
};

}  // namespace

std::unique_ptr<GlReferenceQuads> GlReferenceQuads::Create(GraphicsDevice& device) {
    auto* gl = dynamic_cast<GlDevice*>(&device);
    if (!gl) return nullptr;
    return std::make_unique<Reference>(*gl);
}

}  // namespace host
