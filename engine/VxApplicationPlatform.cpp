#include "engine/VxApplicationPlatform.h"

#include <cmath>
#include <string>

#include "engine/AnsiToWide.h"
#include "platform/FrameworkFont.h"
#include "platform/Random.h"
#include "platform/host/Clock.h"
#include "platform/host/GraphicsDevice.h"

namespace {

VxVec3 Sub(const VxVec3& a, const VxVec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float Dot(const VxVec3& a, const VxVec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
VxVec3 Cross(const VxVec3& a, const VxVec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
VxVec3 Normalize(const VxVec3& v) {
    float len = std::sqrt(Dot(v, v));
    if (len == 0.0f) return v;
    return {v.x / len, v.y / len, v.z / len};
}

host::Matrix ToDevice(const VxMatrix& m) {
    host::Matrix out{};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) out[static_cast<size_t>(r * 4 + c)] = m.m[r][c];
    return out;
}

// Degrees to radians as the camera has always converted its field of view.
constexpr double kRadiansPerDegree = 0.01745329238474369;

}  // namespace

VxMatrix MatrixLookAtLH(const VxVec3& eye, const VxVec3& at, const VxVec3& up) {
    VxVec3 z = Normalize(Sub(at, eye));
    VxVec3 x = Normalize(Cross(up, z));
    VxVec3 y = Cross(z, x);
    VxMatrix m;
    m.m[0][0] = x.x;
    m.m[0][1] = y.x;
    m.m[0][2] = z.x;
    m.m[1][0] = x.y;
    m.m[1][1] = y.y;
    m.m[1][2] = z.y;
    m.m[2][0] = x.z;
    m.m[2][1] = y.z;
    m.m[2][2] = z.z;
    m.m[3][0] = -Dot(x, eye);
    m.m[3][1] = -Dot(y, eye);
    m.m[3][2] = -Dot(z, eye);
    m.m[3][3] = 1.0f;
    return m;
}

VxMatrix MatrixPerspectiveFovLH(float fovY, float aspect, float zNear, float zFar) {
    float yScale = 1.0f / std::tan(fovY * 0.5f);
    float xScale = yScale / aspect;
    VxMatrix m;
    m.m[0][0] = xScale;
    m.m[1][1] = yScale;
    m.m[2][2] = zFar / (zFar - zNear);
    m.m[2][3] = 1.0f;
    m.m[3][2] = -zNear * zFar / (zFar - zNear);
    return m;
}

VxMatrix MatrixOrthoLH(float width, float height, float zNear, float zFar) {
    VxMatrix m;
    m.m[0][0] = 2.0f / width;
    m.m[1][1] = 2.0f / height;
    m.m[2][2] = 1.0f / (zFar - zNear);
    m.m[3][2] = zNear / (zNear - zFar);
    m.m[3][3] = 1.0f;
    return m;
}

uint8_t ColorChannelByte(float value) {
    if (value >= 1.0f) return 255;
    if (value <= 0.0f) return 0;
    return static_cast<uint8_t>(static_cast<int>(value * 255.0f + 0.5f));
}

CVxApplicationPlatform::CVxApplicationPlatform() {
    // The one seeding of the game's random numbers.
    VxSrand(host::GetClock().Milliseconds());
}

CVxApplicationPlatform::~CVxApplicationPlatform() = default;

void CVxApplicationPlatform::SetCullMode(int mode) {
    m_iCullMode = mode;
    if (!m_pDevice) return;
    switch (mode) {
    case CULL_NONE: m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_NONE); break;
    case CULL_CW: m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CW); break;
    case CULL_CCW: m_pDevice->SetRenderState(host::RS_CULLMODE, host::CULL_CCW); break;
    default: break;  // unknown modes leave the device as it was
    }
}

void CVxApplicationPlatform::ApplyCamera() {
    if (!m_pDevice) return;
    const CameraRecord& c = m_camera;
    m_pDevice->SetTransform(host::TS_VIEW, ToDevice(MatrixLookAtLH(c.m_vEye, c.m_vAt, c.m_vUp)));
    // An unknown kind gets the identity rather than an unfilled matrix.
    VxMatrix projection = MatrixIdentity();
    if (c.m_iProjection == PROJECTION_PERSPECTIVE)
        projection = MatrixPerspectiveFovLH(static_cast<float>(c.m_fFieldOfView * kRadiansPerDegree), c.m_fAspect,
                                            c.m_fNear, c.m_fFar);
    else if (c.m_iProjection == PROJECTION_ORTHOGRAPHIC)
        projection = MatrixOrthoLH(c.m_fRight - c.m_fLeft, c.m_fTop - c.m_fBottom, c.m_fNear, c.m_fFar);
    m_pDevice->SetTransform(host::TS_PROJECTION, ToDevice(projection));
}

void CVxApplicationPlatform::SetLight(int index, bool on) {
    // The drawing layer has no fixed-function lights; the records keep the
    // setting for whoever asks.
    if (index < 0 || index >= MAX_LIGHTS) return;
    m_aLights[index].enabled = on ? 1 : 0;
}

void CVxApplicationPlatform::SetAmbientColor(float r, float g, float b, float a) {
    m_colAmbientLight = {r, g, b, a};
    if (m_pDevice) {
        double packed = static_cast<double>(r) * 65536.0 + static_cast<double>(g) * 256.0 + static_cast<double>(b);
        m_pDevice->SetRenderState(RS_AMBIENT_COLOR, static_cast<uint32_t>(static_cast<int64_t>(packed)));
    }
}

void CVxApplicationPlatform::EnableLighting(bool on) {
    if (m_pDevice) m_pDevice->SetRenderState(host::RS_LIGHTING, on ? 1u : 0u);
}

void CVxApplicationPlatform::DrawTextAt(const char* text, int x, int y, float r, float g, float b, float a) {
    if (!text || !*text || !m_pFrameworkFont) return;
    uint32_t argb = (static_cast<uint32_t>(ColorChannelByte(a)) << 24) |
                    (static_cast<uint32_t>(ColorChannelByte(r)) << 16) |
                    (static_cast<uint32_t>(ColorChannelByte(g)) << 8) | ColorChannelByte(b);
    std::string all(text);
    size_t start = 0;
    for (int line = 0;; ++line) {
        size_t end = all.find('\n', start);
        std::string piece = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
        char16_t wide[ANSI_TO_WIDE_CAPACITY];
        if (SUCCEEDED(AnsiToWide(wide, piece.c_str())))
            m_pFrameworkFont->DrawText(static_cast<float>(x), static_cast<float>(y + 30 * line), argb, wide);
        if (end == std::string::npos) break;
        start = end + 1;
    }
}
