#pragma once
// A textured quad drawn with the render states of its object fields: every
// sprite, picture, button face, glyph and digit. The texture is its own
// (loaded from a name and folder) or shared with others and never deleted here.
#include <cstdint>

#include "engine/VxObject.h"
#include "engine/VxResource.h"
#include "platform/host/GraphicsDevice.h"

class CVxTexture;

// Draw billboards without asking the frame-skip test (render targets just
// made, the stage camera moving).
extern bool g_bStageRedraw;
// Brightness applied to every billboard's colour while g_bScreenDimOn is set.
extern float g_fScreenDim;
extern bool g_bScreenDimOn;

// Each channel clamped to 0..1, scaled to 0..255 and rounded; ARGB word.
uint32_t PackColor(float r, float g, float b, float a);

constexpr int BILLBOARD_VERTEX_COUNT = 4;

class CVxBillboard : public CVxObject, public CVxResource {
public:
    // With a shared texture the billboard takes its size; otherwise a
    // non-empty name loads a texture of its own.
    CVxBillboard(const char* name, const char* folder, CVxTexture* sharedTexture);
    ~CVxBillboard() override;
    CVxBillboard(const CVxBillboard&) = delete;
    CVxBillboard& operator=(const CVxBillboard&) = delete;

    // Each argument is taken only when it lies within 0..1; the far edges are
    // u + width and v + height of the arguments as given.
    void SetTextureRect(float u, float v, float width, float height);
    void Render() override;
    // Kind, texture and rectangle only: the transform and render states stay.
    void Reset() override;

    void ResetResource() override;
    void Release() override;
    bool IsEmpty() override { return OwnsTexture(); }
    bool Load(const char* name, const char* folder) override;
    bool OwnsTexture() const { return m_pTexture && !m_bSharedTexture; }

    // Shows a texture somebody else owns (the size is left alone).
    void ShareTexture(CVxTexture* texture);

    bool m_bSharedTexture = false;
    CVxTexture* m_pTexture = nullptr;
    float m_fU0 = 0.0f, m_fU1 = 1.0f, m_fV0 = 0.0f, m_fV1 = 1.0f;
    host::Vertex* m_pVertexBuffer = nullptr;  // four vertices, rewritten by every draw

private:
    void ResetFields();
};
