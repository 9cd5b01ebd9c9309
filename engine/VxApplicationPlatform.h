#pragma once
// The application on the drawing device: camera, cull mode, lights, ambient
// colour, lighting switch and debug text, the resource archive's lists, and
// the two flags that freeze the picture behind a pop-up.
#include <atomic>
#include <cstdint>

#include "engine/VxApplication.h"
#include "platform/ResourceArchive.h"

namespace host {
class GraphicsDevice;
}
class CFrameworkFont;

constexpr int MAX_LIGHTS = 8;
// Render-state number of the device's ambient light colour.
constexpr uint32_t RS_AMBIENT_COLOR = 139;

enum : int { LIGHT_POINT = 1, LIGHT_SPOT = 2, LIGHT_DIRECTIONAL = 3 };

struct VxLight {
    int type = 0;
    VxColor diffuse, specular, ambient;
    VxVec3 position, direction;
    float range = 0.0f, falloff = 0.0f;
    float attenuation0 = 0.0f, attenuation1 = 0.0f, attenuation2 = 0.0f;
    float theta = 0.0f, phi = 0.0f;
};

struct LightRecord {
    VxLight light;
    uint8_t enabled = 0;
};

// Left-handed camera matrices in the row-vector convention.
VxMatrix MatrixLookAtLH(const VxVec3& eye, const VxVec3& at, const VxVec3& up);
VxMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar);
VxMatrix MatrixOrthoLH(float width, float height, float zNear, float zFar);

// The byte a colour channel becomes: >= 1 gives 255, <= 0 gives 0, else rounded.
uint8_t ColorChannelByte(float value);

class CVxApplicationPlatform : public CVxApplication, public ResourceArchive {
public:
    CVxApplicationPlatform();
    ~CVxApplicationPlatform() override;

    void SetCullMode(int mode) override;
    void OnBeginFrame() override {}
    void OnBeginFrameLate() override {}
    void OnEndFrame() override {}
    void ApplyCamera() override;
    void SetLight(int index, bool on) override;
    void SetAmbientColor(float r, float g, float b, float a) override;
    void EnableLighting(bool on) override;
    void DrawTextAt(const char* text, int x, int y, float r, float g, float b, float a) override;
    // The game application ticks its own effects here.
    virtual void UpdateOverlays() {}

    // The still will be captured in the coming frame.
    bool IsStillCapturePending() const { return m_bCaptureStill && !m_bShowStill; }

    CFrameworkFont* m_pFrameworkFont = nullptr;  // not owned; draws DrawTextAt's lines
    LightRecord m_aLights[MAX_LIGHTS];
    std::atomic<bool> m_bCaptureStill{false};
    std::atomic<bool> m_bShowStill{false};
};
