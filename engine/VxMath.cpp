#include "engine/VxMath.h"

#include <cmath>

#include "engine/VxObject.h"

float DistanceXY(const VxVec3& p, const VxVec3& q) {
    float dx = p.x - q.x, dy = p.y - q.y;
    return std::sqrt(dx * dx + dy * dy);
}

float DistanceXZ(const VxVec3& p, const VxVec3& q) {
    float dx = p.x - q.x, dz = p.z - q.z;
    return std::sqrt(dx * dx + dz * dz);
}

float AngleBetweenPoints(const VxVec3& p, const VxVec3& q) {
    float dx = p.x - q.x;
    float dy = p.y - q.y;
    if (dx == 0.0f) return dy < 0.0f ? 0.0f : 180.0f;
    float a = std::atan(dy / dx) * 57.29578f;
    if (dy == 0.0f) return dx > 0.0f ? 90.0f : 270.0f;
    if (dy > 0.0f) return a >= 0.0f ? a + 90.0f : a + 270.0f;
    return a >= 0.0f ? a + 270.0f : a + 90.0f;
}

float WrapAngleDifference(float a, float b) {
    float d = a - b;
    // A stepping loop never ends on infinities and stalls on huge values.
    if (!std::isfinite(d)) return d;
    if (std::fabs(d) > 3600.0f) d = std::fmod(d, 360.0f);
    while (d < -180.0f) d += 360.0f;
    while (d > 180.0f) d -= 360.0f;
    return d;
}

bool RectsOverlap(const VxRect& a, const VxRect& b) {
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

float Square(float x) { return x * x; }

void Vec3Add(VxVec3& out, const VxVec3& a, const VxVec3& b) { out = {a.x + b.x, a.y + b.y, a.z + b.z}; }

VxVec4* MakeVector4(VxVec4* out, float a, float b, float c, float d) {
    *out = {a, b, c, d};
    return out;
}

void MultiplyMatrices3(VxMatrix& out, const VxMatrix& a, const VxMatrix& b, const VxMatrix& c) {
    out = MatrixMultiply(MatrixMultiply(a, b), c);
}

void BuildTransformMatrix(VxMatrix& out, float tx, float ty, float tz, float rx, float ry, float rz, float sx, float sy,
                          float sz) {
    VxMatrix rotation = BuildRotationMatrix({rx, ry, rz}, ROTATION_ZYX);
    MultiplyMatrices3(out, MatrixScaling(sx, sy, sz), rotation, MatrixTranslation(tx, ty, tz));
}

float SinF(float radians) { return std::sin(radians); }
float CosF(float radians) { return std::cos(radians); }
