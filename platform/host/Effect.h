#pragma once
// Shader effects in the per-pass form the engine was written against:
// SetTechnique, Begin, Pass, End, with texture parameters set by name. The
// effect file's text declares the texture parameters and the techniques with
// their passes; the pixel program a pass draws with is the graphics layer's
// own post-process composition (SHADER_POSTPROCESS), so the text is read for
// its declarations, not compiled.
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/host/GraphicsDevice.h"

namespace host {

struct EffectTechnique {
    std::string name;
    std::vector<std::string> passes;
};

struct EffectDeclarations {
    std::vector<std::string> textures;
    std::vector<EffectTechnique> techniques;
};

// Reads the declarations of an effect text. False, with a line-numbered
// message in `errors`, when the text is malformed or declares no technique.
bool ReadEffectDeclarations(const char* text, size_t size, EffectDeclarations& out, std::string& errors);

// The device set up for the composition: the post-process program sampling
// `texture`, no blending, no depth, no culling, linear clamped sampling.
void ApplyPostProcessPass(GraphicsDevice& device, TextureHandle texture);

class Effect {
public:
    using Handle = int;  // 0: none

    // Null, with `errors` filled, when the text cannot be read.
    static std::unique_ptr<Effect> Create(GraphicsDevice& device, const void* text, size_t size, std::string* errors);

    Handle GetTechniqueByName(const char* name) const;
    bool SetTechnique(Handle technique);
    Handle CurrentTechnique() const { return m_technique; }
    // False for a name the text does not declare as a texture.
    bool SetTexture(const char* parameter, TextureHandle texture);
    TextureHandle GetTexture(const char* parameter) const;

    // Saves the device state and starts the technique; false without one,
    // while lost, or when already begun.
    bool Begin(unsigned* passes);
    // Sets the device up for one pass (ApplyPostProcessPass with the first
    // declared texture). The caller then draws.
    bool Pass(unsigned pass);
    // Puts the state saved by Begin back.
    bool End();

    void OnLostDevice() { m_bLost = true; }
    bool OnResetDevice() {
        m_bLost = false;
        return true;
    }
    bool Lost() const { return m_bLost; }
    const EffectDeclarations& Declarations() const { return m_decl; }
    GraphicsDevice& Device() const { return m_device; }

private:
    Effect(GraphicsDevice& device, EffectDeclarations decl);

    GraphicsDevice& m_device;
    EffectDeclarations m_decl;
    std::vector<TextureHandle> m_textures;  // by declaration
    Handle m_technique = 0;
    bool m_bBegun = false;
    bool m_bLost = false;
    DeviceState m_saved;
};

}  // namespace host
