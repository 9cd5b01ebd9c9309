#include "engine/VxBillboard.h"

#include <cstring>

#include "engine/DrawFrame.h"
#include "engine/VxApplication.h"
#include "engine/VxTexture.h"

bool g_bStageRedraw = false;
float g_fScreenDim = 1.0f;
bool g_bScreenDimOn = false;

namespace {

uint32_t PackChannel(float c) {
    if (c >= 1.0f) return 255;
    if (c <= 0.0f) return 0;
    return uint32_t(c * 255.0f + 0.5f);
}

uint32_t FloatBits(float f) {
    uint32_t u;
    std::memcpy(&u, &f, sizeof u);
    return u;
}

// A unit square around the origin; the world matrix stretches it.
const float kCorners[BILLBOARD_VERTEX_COUNT][2] = {{0.5f, -0.5f}, {-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f}};

// The application keeps the device's cull state in step with its own.
void SetCull(int mode) { g_pApp->SetCullMode(mode); }

int MirroredCull(int mode) {
    if (mode == CULL_CW) return CULL_CCW;
    if (mode == CULL_CCW) return CULL_CW;
    return mode;
}

}  // namespace

uint32_t PackColor(float r, float g, float b, float a) {
    return PackChannel(a) << 24 | PackChannel(r) << 16 | PackChannel(g) << 8 | PackChannel(b);
}

CVxBillboard::CVxBillboard(const char* name, const char* folder, CVxTexture* sharedTexture) {
    CVxObject::Reset();
    m_iOwnerId = OWNER_NONE;
    ResetFields();
    m_pVertexBuffer = new host::Vertex[BILLBOARD_VERTEX_COUNT];
    for (int i = 0; i < BILLBOARD_VERTEX_COUNT; ++i)
        m_pVertexBuffer[i] = host::Vertex{kCorners[i][0], kCorners[i][1], 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f};
    if (sharedTexture) {
        m_pTexture = sharedTexture;
        m_bSharedTexture = true;
        SetSize(float(sharedTexture->m_iWidth), float(sharedTexture->m_iHeight), 1.0f);
    } else if (name && *name) {
        Load(name, folder);
        if (m_pTexture) SetSize(float(m_pTexture->m_iWidth), float(m_pTexture->m_iHeight), 1.0f);
    }
    SetTextureRect(0.0f, 0.0f, 1.0f, 1.0f);
    SetZTest(false);
    SetZWrite(false);
}

CVxBillboard::~CVxBillboard() { CVxBillboard::Release(); }

void CVxBillboard::ResetFields() {
    m_iKind = OBJECT_KIND_BILLBOARD;
    m_bSharedTexture = false;
    m_pTexture = nullptr;
    m_pVertexBuffer = nullptr;
    m_fU0 = 0.0f;
    m_fV0 = 0.0f;
    m_fU1 = 1.0f;
    m_fV1 = 1.0f;
}

void CVxBillboard::Reset() { ResetFields(); }

void CVxBillboard::ResetResource() { Reset(); }

void CVxBillboard::Release() {
    if (OwnsTexture()) delete m_pTexture;
    m_pTexture = nullptr;
    delete[] m_pVertexBuffer;
    m_pVertexBuffer = nullptr;
    FreeNames();
    ResetResource();
}

bool CVxBillboard::Load(const char* name, const char* folder) {
    CVxResource::Load(name, folder);
    if (OwnsTexture()) delete m_pTexture;
    m_pTexture = new CVxTexture(name, folder);
    m_bSharedTexture = false;
    return true;
}

void CVxBillboard::ShareTexture(CVxTexture* texture) {
    if (texture == m_pTexture) return;
    if (OwnsTexture()) delete m_pTexture;
    m_pTexture = texture;
    m_bSharedTexture = texture != nullptr;
}

void CVxBillboard::SetTextureRect(float u, float v, float width, float height) {
    auto inRange = [](float x) { return x >= 0.0f && x <= 1.0f; };
    if (inRange(u)) m_fU0 = u;
    if (inRange(v)) m_fV0 = v;
    if (inRange(width)) m_fU1 = u + width;
    if (inRange(height)) m_fV1 = v + height;
}

void CVxBillboard::Render() {
    if (!g_bStageRedraw && !IsDrawFrame()) return;
    host::GraphicsDevice* device = g_pApp ? g_pApp->m_pDevice : nullptr;
    if (!device) return;
    host::GraphicsDevice& d = *device;

    if (m_bAlphaBlend) {
        d.SetRenderState(host::RS_ALPHATESTENABLE, 1);
        d.SetRenderState(host::RS_ALPHABLENDENABLE, 1);
        d.SetRenderState(host::RS_ALPHAREF, uint32_t(m_iAlphaRef));
        d.SetRenderState(host::RS_ALPHAFUNC, host::CMP_GREATEREQUAL);
        uint32_t src = 0, dest = 0;
        switch (m_iBlendMode) {
        case BLEND_ALPHA: src = host::BLEND_SRCALPHA, dest = host::BLEND_INVSRCALPHA; break;
        case BLEND_COLOR: src = host::BLEND_SRCCOLOR, dest = host::BLEND_INVSRCCOLOR; break;
        case BLEND_COLOR_ADD: src = host::BLEND_SRCCOLOR, dest = host::BLEND_ONE; break;
        case BLEND_CUSTOM: src = uint32_t(m_iSrcBlend), dest = uint32_t(m_iDestBlend); break;
        case BLEND_ADD: src = host::BLEND_SRCALPHA, dest = host::BLEND_ONE; break;
        default: break;  // the device keeps its factors
        }
        if (src) {
            d.SetRenderState(host::RS_SRCBLEND, src);
            d.SetRenderState(host::RS_DESTBLEND, dest);
        }
    } else {
        d.SetRenderState(host::RS_ALPHABLENDENABLE, 0);
        d.SetRenderState(host::RS_ALPHATESTENABLE, 0);
    }

    if (m_bFog) {
        const float a = m_colFog.a;
        const float end = a >= 1.0f ? 0.0f : a <= 0.0f ? 100.0f : (1.0f - a) * 25.0f;
        d.SetRenderState(host::RS_FOGENABLE, 1);
        d.SetRenderState(host::RS_FOGTABLEMODE, 3);  // linear
        d.SetRenderState(host::RS_FOGCOLOR, PackColor(m_colFog.r, m_colFog.g, m_colFog.b, m_colFog.a));
        d.SetRenderState(host::RS_FOGSTART, FloatBits(0.0f));
        d.SetRenderState(host::RS_FOGEND, FloatBits(end));
    } else {
        d.SetRenderState(host::RS_FOGENABLE, 0);
    }

    SetCull(m_iCullMode);
    d.SetRenderState(host::RS_ZENABLE, m_bZTest ? 1 : 0);
    d.SetRenderState(host::RS_ZWRITEENABLE, m_bZWrite ? 1 : 0);
    d.SetRenderState(host::RS_ZFUNC, host::CMP_LESS);

    if (m_pTexture) {
        d.SetTexture(0, m_pTexture->Handle(d));
        if (m_iTextureOp == 0) d.SetTextureStageState(0, host::TSS_COLOROP, host::TOP_MODULATE);
        if (m_iTextureOp == 1) d.SetTextureStageState(0, host::TSS_COLOROP, host::TOP_ADD);
        d.SetTextureStageState(0, host::TSS_COLORARG1, host::TA_TEXTURE);
        d.SetTextureStageState(0, host::TSS_COLORARG2, host::TA_DIFFUSE);
        d.SetTextureStageState(0, host::TSS_ALPHAOP, host::TOP_MODULATE);
        d.SetRenderState(host::RS_SEPARATEALPHABLENDENABLE, 1);
        d.SetRenderState(host::RS_SRCBLENDALPHA, host::BLEND_SRCALPHA);
        d.SetRenderState(host::RS_DESTBLENDALPHA, host::BLEND_DESTALPHA);
        d.SetRenderState(host::RS_BLENDOPALPHA, host::BLENDOP_MAX);
        const uint32_t filter = m_bPointSampling ? host::TEXF_POINT : host::TEXF_LINEAR;
        d.SetSamplerState(0, host::SAMP_MAGFILTER, filter);
        d.SetSamplerState(0, host::SAMP_MINFILTER, filter);
    }

    host::Matrix world;
    std::memcpy(world.data(), &m_matWorld.m[0][0], sizeof(float) * 16);
    d.SetTransform(host::TS_WORLD, world);

    const bool mirrored = m_vScale.x * m_vScale.y * m_vScale.z < 0.0f;
    SetCull(mirrored ? MirroredCull(m_iCullMode) : m_iCullMode);

    const float dim = g_bScreenDimOn ? g_fScreenDim : 1.0f;
    const uint32_t color = PackColor(m_colDiffuse.r * dim, m_colDiffuse.g * dim, m_colDiffuse.b * dim, m_colDiffuse.a);

    if (!m_pVertexBuffer) return;  // released: nothing to draw with
    const float uv[BILLBOARD_VERTEX_COUNT][2] = {{m_fU1, m_fV1}, {m_fU0, m_fV1}, {m_fU0, m_fV0}, {m_fU1, m_fV0}};
    for (int i = 0; i < BILLBOARD_VERTEX_COUNT; ++i) {
        m_pVertexBuffer[i].color = color;
        m_pVertexBuffer[i].u = uv[i][0];
        m_pVertexBuffer[i].v = uv[i][1];
    }

    d.SetRenderState(host::RS_FOGENABLE, 0);
    d.DrawPrimitiveUP(host::PT_TRIANGLEFAN, 2, m_pVertexBuffer);

    if (mirrored) SetCull(m_iCullMode);
    if (m_bAlphaBlend) {
        d.SetRenderState(host::RS_ALPHATESTENABLE, 0);
        d.SetRenderState(host::RS_ALPHABLENDENABLE, 0);
    }
    if (m_bFog) d.SetRenderState(host::RS_FOGENABLE, 0);
    d.SetRenderState(host::RS_CULLMODE, host::CULL_CCW);
    if (m_pTexture) d.SetTextureStageState(0, host::TSS_COLOROP, host::TOP_SELECTARG2);
}
