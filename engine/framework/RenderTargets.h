#pragma once
// Nothing is drawn straight to the back buffer: the frame is built in
// off-screen targets (the cached battle stage, the scene, the still shown
// behind pop-ups) and composed onto the back buffer through the post-process
// technique. Five more targets are free slots game code renders into once
// and then shows through a billboard.
#include <cstdint>

#include "platform/HResult.h"
#include "platform/host/Effect.h"
#include "platform/host/GraphicsDevice.h"

class CVxBillboard;

constexpr int RENDER_SLOT_COUNT = 5;
constexpr int SCREEN_QUAD_VERTICES = 4;

// The free slots: a target's texture and the surface drawn into (one handle here).
extern host::TextureHandle g_apRenderTexture[RENDER_SLOT_COUNT];
extern host::TextureHandle g_apRenderSurface[RENDER_SLOT_COUNT];
// The three screen-size targets.
extern host::TextureHandle g_pStageTarget;
extern host::TextureHandle g_pSceneTarget;
extern host::TextureHandle g_pStillTarget;
extern int g_iTargetWidth, g_iTargetHeight;
extern int g_iRenderSlotSize;

// Strips of four (top left, top right, bottom left, bottom right): one over a
// screen-size target, tinted with the dim grey; one over the back buffer,
// pillar-boxed to 4:3 on wide screens.
extern host::VertexRHW g_aTargetQuad[SCREEN_QUAD_VERTICES];
extern host::VertexRHW g_aBackBufferQuad[SCREEN_QUAD_VERTICES];

extern uint32_t g_dwClearColor;
// Render-target slots put back after an off-screen pass.
extern int g_nRenderTargetCount;
// BeginRenderToTexture's slot and the target it saved.
extern int g_iRenderTextureSlot;
extern host::TextureHandle g_pSavedRenderTarget;

// Screen-size target dimensions: the window's client size when windowed, else
// a 4:3 picture as high as the back buffer.
void ScreenTargetSize(bool windowed, int windowWidth, int windowHeight, int backBufferHeight, int& width, int& height);

// Makes the targets and slots on `device`, clears them, sets the projection,
// builds the quads and the sampling states. The first failure is returned.
HRESULT RestoreRenderTargets(host::GraphicsDevice& device, bool windowed, int windowWidth, int windowHeight);
// Builds the two quads for the current target and back-buffer sizes and sets
// the stage-redraw flag.
void CreateRenderTargets();
// Releases every target and clears the handles.
void ReleaseRenderTargets();
// The device the targets live on, or null.
host::GraphicsDevice* RenderTargetDevice();
// Puts another device (or none) in its place and answers the one it had: a
// frame stepped without drawing must not fill a target either, or a picture
// kept there would stay blank once the drawing comes back.
host::GraphicsDevice* SwapRenderTargetDevice(host::GraphicsDevice* device);

// Gives the four vertices of the target quad the dim grey of `dim`.
void SetTargetQuadDim(float dim);

// Draws `source` through `quad` with the technique; without an effect the
// same composition is drawn by the graphics layer directly.
void DrawEffectPass(host::GraphicsDevice& device, host::Effect* effect, host::Effect::Handle technique,
                    host::TextureHandle source, const host::VertexRHW* quad);

// Frames an off-screen pass into `target`: the caller draws between the two.
// Begin returns false when the scene could not begin (the drawing is skipped;
// End still puts the render target back).
bool BeginOffscreenPass(host::GraphicsDevice& device, host::TextureHandle target, bool clear);
void EndOffscreenPass(host::GraphicsDevice& device, bool begun);

// Redirects drawing into a free slot until EndRenderToTexture, clearing it
// first when asked. False for a slot that does not exist.
bool BeginRenderToTexture(int slot, bool clear);
int EndRenderToTexture();
// The billboard's texture object shows the slot (the billboard does not own
// it), with alpha blending, sized to the logical screen.
bool AttachRenderTargetTexture(CVxBillboard* billboard, int slot);
