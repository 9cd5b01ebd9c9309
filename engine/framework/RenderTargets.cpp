#include "engine/framework/RenderTargets.h"

#include "engine/DrawFrame.h"
#include "engine/VxApplication.h"
#include "engine/VxApplicationPlatform.h"
#include "engine/VxBillboard.h"
#include "engine/VxTexture.h"
#include "engine/VxXApplication.h"
#include "platform/D3DApplication.h"

using namespace host;

TextureHandle g_apRenderTexture[RENDER_SLOT_COUNT] = {};
TextureHandle g_apRenderSurface[RENDER_SLOT_COUNT] = {};
TextureHandle g_pStageTarget = 0;
TextureHandle g_pSceneTarget = 0;
TextureHandle g_pStillTarget = 0;
int g_iTargetWidth = 0, g_iTargetHeight = 0;
int g_iRenderSlotSize = 0;
VertexRHW g_aTargetQuad[SCREEN_QUAD_VERTICES] = {};
VertexRHW g_aBackBufferQuad[SCREEN_QUAD_VERTICES] = {};
uint32_t g_dwClearColor = 0;
int g_nRenderTargetCount = 1;
int g_iRenderTextureSlot = 0;
TextureHandle g_pSavedRenderTarget = 0;

namespace {

GraphicsDevice* g_pTargetDevice = nullptr;

const char* const kTextureParameter = "RenderTargetTexture";

// A strip over [left, right] × [top, bottom] in D3D pixel coordinates.
void BuildQuad(VertexRHW* quad, float left, float top, float right, float bottom, uint32_t color) {
    const float xs[4] = {left, right, left, right};
    const float ys[4] = {top, top, bottom, bottom};
    for (int i = 0; i < SCREEN_QUAD_VERTICES; ++i) {
        quad[i].x = xs[i];
        quad[i].y = ys[i];
        quad[i].z = 0.0f;
        quad[i].rhw = 1.0f;
        quad[i].color = color;
        quad[i].u = (i & 1) ? 1.0f : 0.0f;
        quad[i].v = (i & 2) ? 1.0f : 0.0f;
    }
}

Matrix ToHost(const VxMatrix& m) {
    Matrix r;
    for (int i = 0; i < 16; ++i) r[size_t(i)] = m.m[i / 4][i % 4];
    return r;
}

// One slot: full screen on a tall back buffer tries 2048 first (only when the
// back buffer itself is wider than 1024), then 1024, then 512.
TextureHandle CreateSlot(GraphicsDevice& device, bool windowed, int pictureWidth, int backBufferWidth, int& size) {
    if (windowed) {
        size = 1024;
        return device.CreateRenderTarget(1024, 1024);
    }
    TextureHandle t = 0;
    if (pictureWidth > 1024) {
        size = backBufferWidth > 1024 ? 2048 : 1024;
        t = device.CreateRenderTarget(size, size);
    }
    if (!t) {
        size = 1024;
        t = device.CreateRenderTarget(1024, 1024);
    }
    if (!t) {
        size = 512;
        t = device.CreateRenderTarget(512, 512);
    }
    return t;
}

}  // namespace

GraphicsDevice* RenderTargetDevice() { return g_pTargetDevice; }

GraphicsDevice* SwapRenderTargetDevice(GraphicsDevice* device) {
    GraphicsDevice* had = g_pTargetDevice;
    g_pTargetDevice = device;
    return had;
}

void ScreenTargetSize(bool windowed, int windowWidth, int windowHeight, int backBufferHeight, int& width, int& height) {
    if (windowed) {
        width = windowWidth;
        height = windowHeight;
    } else {
        width = int(int64_t(backBufferHeight) * 4 / 3);
        height = backBufferHeight;
    }
}

HRESULT RestoreRenderTargets(GraphicsDevice& device, bool windowed, int windowWidth, int windowHeight) {
    ReleaseRenderTargets();
    g_pTargetDevice = &device;
    const int bbWidth = device.BackBufferWidth(), bbHeight = device.BackBufferHeight();
    ScreenTargetSize(windowed, windowWidth, windowHeight, bbHeight, g_iTargetWidth, g_iTargetHeight);

    TextureHandle* screen[3] = {&g_pStageTarget, &g_pSceneTarget, &g_pStillTarget};
    for (TextureHandle* t : screen) {
        *t = device.CreateRenderTarget(g_iTargetWidth, g_iTargetHeight);
        if (!*t) return D3DERR_OUTOFVIDEOMEMORY;
    }
    const int pictureWidth = int(int64_t(bbHeight) * 4 / 3);
    for (int i = 0; i < RENDER_SLOT_COUNT; ++i) {
        g_apRenderTexture[i] = CreateSlot(device, windowed, pictureWidth, bbWidth, g_iRenderSlotSize);
        if (!g_apRenderTexture[i]) return D3DERR_OUTOFVIDEOMEMORY;
        g_apRenderSurface[i] = g_apRenderTexture[i];
    }

    // Fresh targets hold nothing: clear them all to transparent black.
    const TextureHandle previous = device.RenderTarget();
    for (TextureHandle* t : screen) {
        device.SetRenderTarget(*t);
        device.Clear(CLEAR_TARGET, g_dwClearColor, 1.0f);
    }
    for (TextureHandle s : g_apRenderSurface) {
        device.SetRenderTarget(s);
        device.Clear(CLEAR_TARGET, g_dwClearColor, 1.0f);
    }
    device.SetRenderTarget(previous);

    const float aspect = bbHeight > 0 ? float(bbWidth) / float(bbHeight) : 1.0f;
    device.SetTransform(TS_PROJECTION, ToHost(MatrixPerspectiveFovLH(3.14159265f / 4.0f, aspect, 1.0f, 100.0f)));

    CreateRenderTargets();

    device.SetTextureStageState(0, TSS_COLOROP, TOP_MODULATE);
    device.SetTextureStageState(0, TSS_COLORARG1, TA_TEXTURE);
    device.SetTextureStageState(0, TSS_COLORARG2, TA_DIFFUSE);
    device.SetTextureStageState(0, TSS_ALPHAOP, TOP_SELECTARG1);
    device.SetTextureStageState(0, TSS_ALPHAARG1, TA_TEXTURE);
    device.SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_MIPFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_ADDRESSU, TADDRESS_CLAMP);
    device.SetSamplerState(0, SAMP_ADDRESSV, TADDRESS_CLAMP);
    device.SetRenderState(RS_DITHERENABLE, 1);
    device.SetRenderState(RS_ZENABLE, 1);
    device.SetRenderState(RS_LIGHTING, 0);
    return S_OK;
}

void CreateRenderTargets() {
    BuildQuad(g_aTargetQuad, -0.5f, -0.5f, float(g_iTargetWidth) - 0.5f, float(g_iTargetHeight) - 0.5f, 0xFFFFFFFFu);
    // Keep the dim grey the road gave the quad, if it gave one.
    int bbWidth = g_iTargetWidth, bbHeight = g_iTargetHeight;
    if (g_pTargetDevice) {
        bbWidth = g_pTargetDevice->BackBufferWidth();
        bbHeight = g_pTargetDevice->BackBufferHeight();
    }
    const PictureRect picture = ComposedPictureRect(bbWidth, bbHeight);
    BuildQuad(g_aBackBufferQuad, picture.left - 0.5f, picture.top - 0.5f, picture.left + picture.width - 0.5f,
              picture.top + picture.height - 0.5f, 0xFFFFFFFFu);
    g_bStageRedraw = true;
}

void ReleaseRenderTargets() {
    GraphicsDevice* device = g_pTargetDevice;
    TextureHandle* screen[3] = {&g_pStageTarget, &g_pSceneTarget, &g_pStillTarget};
    for (TextureHandle* t : screen) {
        if (device && *t) device->ReleaseTexture(*t);
        *t = 0;
    }
    for (int i = 0; i < RENDER_SLOT_COUNT; ++i) {
        if (device && g_apRenderTexture[i]) device->ReleaseTexture(g_apRenderTexture[i]);
        g_apRenderTexture[i] = 0;
        g_apRenderSurface[i] = 0;
    }
    g_pSavedRenderTarget = 0;
    g_pTargetDevice = nullptr;
}

void SetTargetQuadDim(float dim) {
    uint32_t c;
    if (dim >= 1.0f) c = 255;
    else if (dim <= 0.0f) c = 0;
    else c = uint32_t(int(dim * 255.0f + 0.5f));
    const uint32_t grey = c << 16 | c << 8 | c;  // alpha 0
    for (VertexRHW& v : g_aTargetQuad) v.color = grey;
}

void DrawEffectPass(GraphicsDevice& device, Effect* effect, Effect::Handle technique, TextureHandle source,
                    const VertexRHW* quad) {
    if (effect && !effect->Lost()) {
        effect->SetTexture(kTextureParameter, source);
        effect->SetTechnique(technique);
        unsigned passes = 0;
        if (!effect->Begin(&passes)) return;
        for (unsigned p = 0; p < passes; ++p) {
            effect->Pass(p);
            device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad);
        }
        effect->End();
        return;
    }
    // No effect file: the graphics layer's own composition still draws.
    const DeviceState saved = device.CaptureState();
    ApplyPostProcessPass(device, source);
    device.DrawPrimitiveUP(PT_TRIANGLESTRIP, 2, quad);
    device.ApplyState(saved);
}

bool BeginOffscreenPass(GraphicsDevice& device, TextureHandle target, bool clear) {
    g_pSavedRenderTarget = device.RenderTarget();
    device.SetRenderTarget(target);
    if (clear) device.Clear(CLEAR_TARGET | CLEAR_ZBUFFER, g_dwClearColor, 1.0f);
    device.SetRenderState(RS_ZENABLE, 0);
    device.SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    device.SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    return device.BeginScene();
}

void EndOffscreenPass(GraphicsDevice& device, bool begun) {
    if (begun) device.EndScene();
    // One render-target slot is all this device has; the saved one goes back.
    device.SetRenderTarget(g_pSavedRenderTarget);
    g_pSavedRenderTarget = 0;
    device.SetRenderState(RS_ZENABLE, 0);
}

bool BeginRenderToTexture(int slot, bool clear) {
    GraphicsDevice* device = g_pTargetDevice;
    // A slot that was never made has nowhere to draw.
    if (!device || slot < 0 || slot >= RENDER_SLOT_COUNT || !g_apRenderSurface[slot]) return false;
    g_pSavedRenderTarget = 0;
    g_bScreenDimOn = false;
    g_iRenderTextureSlot = slot;
    g_pSavedRenderTarget = device->RenderTarget();
    device->EndScene();
    device->SetRenderTarget(g_apRenderSurface[slot]);
    if (clear) device->Clear(CLEAR_TARGET, g_dwClearColor, 1.0f);
    device->SetRenderState(RS_ZENABLE, 0);
    device->SetSamplerState(0, SAMP_MINFILTER, TEXF_LINEAR);
    device->SetSamplerState(0, SAMP_MAGFILTER, TEXF_LINEAR);
    device->BeginScene();
    return true;
}

int EndRenderToTexture() {
    if (GraphicsDevice* device = g_pTargetDevice) {
        device->EndScene();
        device->SetRenderTarget(g_pSavedRenderTarget);
        device->BeginScene();
    }
    g_pSavedRenderTarget = 0;
    g_bTargetDrawn = false;
    g_bScreenDimOn = true;
    return 0;
}

bool AttachRenderTargetTexture(CVxBillboard* billboard, int slot) {
    if (!billboard) return true;
    if (billboard->m_pTexture && slot >= 0 && slot < RENDER_SLOT_COUNT)
        billboard->m_pTexture->ShowForeignTexture(g_apRenderTexture[slot]);
    billboard->SetAlphaBlend(true);
    if (g_pApp) billboard->SetSize(float(g_pApp->m_iScreenWidth), float(g_pApp->m_iScreenHeight), 1.0f);
    return true;
}
