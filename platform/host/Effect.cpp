#include "platform/host/Effect.h"

#include <cctype>
#include <cstring>

namespace host {

namespace {

struct Token {
    std::string text;
    int line;
};

bool IdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool IdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Identifiers, numbers and single punctuation marks; comments and strings dropped.
bool Tokenise(const char* text, size_t size, std::vector<Token>& out, std::string& errors) {
    int line = 1;
    size_t i = 0;
    while (i < size) {
        char c = text[i];
        if (c == '\n') {
            ++line;
            ++i;
        } else if (c == '\0' || std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (c == '/' && i + 1 < size && text[i + 1] == '/') {
            while (i < size && text[i] != '\n') ++i;
        } else if (c == '/' && i + 1 < size && text[i + 1] == '*') {
            int start = line;
            i += 2;
            while (i + 1 < size && !(text[i] == '*' && text[i + 1] == '/')) {
                if (text[i] == '\n') ++line;
                ++i;
            }
            if (i + 1 >= size) {
                errors = "(" + std::to_string(start) + "): comment not closed";
                return false;
            }
            i += 2;
        } else if (c == '"') {
            int start = line;
            ++i;
            while (i < size && text[i] != '"' && text[i] != '\n') ++i;
            if (i >= size || text[i] != '"') {
                errors = "(" + std::to_string(start) + "): string not closed";
                return false;
            }
            ++i;
        } else if (IdentStart(c)) {
            size_t b = i;
            while (i < size && IdentChar(text[i])) ++i;
            out.push_back({std::string(text + b, i - b), line});
        } else if (std::isdigit(static_cast<unsigned char>(c)) || c == '.') {
            size_t b = i;
            while (i < size && (IdentChar(text[i]) || text[i] == '.')) ++i;
            out.push_back({std::string(text + b, i - b), line});
        } else {
            out.push_back({std::string(1, c), line});
            ++i;
        }
    }
    return true;
}

std::string At(const Token& t, const std::string& message) { return "(" + std::to_string(t.line) + "): " + message; }

bool IsIdent(const Token& t) { return !t.text.empty() && IdentStart(t.text[0]); }

}  // namespace

bool ReadEffectDeclarations(const char* text, size_t size, EffectDeclarations& out, std::string& errors) {
    out = EffectDeclarations{};
    errors.clear();
    if (!text) {
        errors = "(0): no text";
        return false;
    }
    std::vector<Token> tokens;
    if (!Tokenise(text, size, tokens, errors)) return false;

    int depth = 0;
    EffectTechnique* technique = nullptr;  // open technique body
    int techniqueDepth = 0;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.text == "{") {
            ++depth;
        } else if (t.text == "}") {
            if (depth == 0) {
                errors = At(t, "unexpected '}'");
                return false;
            }
            --depth;
            if (technique && depth == techniqueDepth) {
                if (technique->passes.empty()) {
                    errors = At(t, "technique '" + technique->name + "' has no pass");
                    return false;
                }
                technique = nullptr;
            }
        } else if (depth == 0 && t.text == "texture") {
            if (i + 1 >= tokens.size() || !IsIdent(tokens[i + 1])) {
                errors = At(t, "texture name expected");
                return false;
            }
            out.textures.push_back(tokens[++i].text);
        } else if (depth == 0 && t.text == "technique") {
            if (i + 2 >= tokens.size() || !IsIdent(tokens[i + 1]) || tokens[i + 2].text != "{") {
                errors = At(t, "technique name and '{' expected");
                return false;
            }
            for (const EffectTechnique& other : out.techniques)
                if (other.name == tokens[i + 1].text) {
                    errors = At(t, "technique '" + other.name + "' declared twice");
                    return false;
                }
            out.techniques.push_back({tokens[i + 1].text, {}});
            technique = &out.techniques.back();
            techniqueDepth = depth;
            i += 2;
            ++depth;
        } else if (technique && depth == techniqueDepth + 1 && t.text == "pass") {
            size_t next = i + 1;
            std::string name;
            if (next < tokens.size() && IsIdent(tokens[next])) name = tokens[next++].text;
            if (next >= tokens.size() || tokens[next].text != "{") {
                errors = At(t, "pass body expected");
                return false;
            }
            technique->passes.push_back(name);
            i = next;
            ++depth;
        }
    }
    if (depth != 0) {
        errors = At(tokens.back(), "missing '}'");
        return false;
    }
    if (out.techniques.empty()) {
        errors = "(" + std::to_string(tokens.empty() ? 1 : tokens.back().line) + "): no technique";
        return false;
    }
    return true;
}

void ApplyPostProcessPass(GraphicsDevice& device, TextureHandle texture) {
    device.SetShader(SHADER_POSTPROCESS);
    device.SetTexture(0, texture);
    device.SetRenderState(RS_ZENABLE, 0);
    device.SetRenderState(RS_ZWRITEENABLE, 0);
    device.SetRenderState(RS_ALPHABLENDENABLE, 0);
    device.SetRenderState(RS_ALPHATESTENABLE, 0);
    device.SetRenderState(RS_CULLMODE, CULL_NONE);
    device.SetRenderState(RS_COLORWRITEENABLE, 0xF);
    device.SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_ADDRESSU, TADDRESS_CLAMP);
    device.SetSamplerState(0, SAMP_ADDRESSV, TADDRESS_CLAMP);
}

Effect::Effect(GraphicsDevice& device, EffectDeclarations decl)
    : m_device(device), m_decl(std::move(decl)), m_textures(m_decl.textures.size(), 0) {}

std::unique_ptr<Effect> Effect::Create(GraphicsDevice& device, const void* text, size_t size, std::string* errors) {
    EffectDeclarations decl;
    std::string why;
    if (!ReadEffectDeclarations(static_cast<const char*>(text), size, decl, why)) {
        if (errors) *errors = why;
        return nullptr;
    }
    if (errors) errors->clear();
    return std::unique_ptr<Effect>(new Effect(device, std::move(decl)));
}

Effect::Handle Effect::GetTechniqueByName(const char* name) const {
    if (!name) return 0;
    for (size_t i = 0; i < m_decl.techniques.size(); ++i)
        if (m_decl.techniques[i].name == name) return Handle(i + 1);
    return 0;
}

bool Effect::SetTechnique(Handle technique) {
    if (technique <= 0 || size_t(technique) > m_decl.techniques.size()) return false;
    m_technique = technique;
    return true;
}

bool Effect::SetTexture(const char* parameter, TextureHandle texture) {
    if (!parameter) return false;
    for (size_t i = 0; i < m_decl.textures.size(); ++i)
        if (m_decl.textures[i] == parameter) {
            m_textures[i] = texture;
            return true;
        }
    return false;
}

TextureHandle Effect::GetTexture(const char* parameter) const {
    if (!parameter) return 0;
    for (size_t i = 0; i < m_decl.textures.size(); ++i)
        if (m_decl.textures[i] == parameter) return m_textures[i];
    return 0;
}

bool Effect::Begin(unsigned* passes) {
    if (m_bBegun || m_bLost || m_technique == 0) return false;
    m_saved = m_device.CaptureState();
    m_bBegun = true;
    if (passes) *passes = unsigned(m_decl.techniques[size_t(m_technique - 1)].passes.size());
    return true;
}

bool Effect::Pass(unsigned pass) {
    if (!m_bBegun || pass >= m_decl.techniques[size_t(m_technique - 1)].passes.size()) return false;
    ApplyPostProcessPass(m_device, m_textures.empty() ? 0 : m_textures[0]);
    return true;
}

bool Effect::End() {
    if (!m_bBegun) return false;
    m_device.ApplyState(m_saved);
    m_bBegun = false;
    return true;
}

}  // namespace host
