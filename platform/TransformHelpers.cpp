#include "platform/TransformHelpers.h"

#include <cstring>

#include "engine/VxObject.h"

void CombineTransforms(const float* a, const float* b, float* out) {
    float r[16];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += a[i * 4 + k] * b[k * 4 + j];
            r[i * 4 + j] = s;
        }
    std::memcpy(out, r, sizeof r);
}

void CopyMatrix(float* to, const float* from) { std::memmove(to, from, 16 * sizeof(float)); }

void Vec3Copy(float* to, const float* from) { std::memmove(to, from, 3 * sizeof(float)); }

bool RotationMatrixFromAngles(const VxVec3& angles, int order, VxMatrix& out) {
    if (order < ROTATION_ZYX || order > ROTATION_YXZ) return false;
    out = BuildRotationMatrix(angles, order);
    return true;
}
