#include "engine/framework/TransformHelpers.h"

#include <cstring>

#include "engine/VxMatrix.h"
#include "engine/VxObject.h"

void CombineTransforms(const float* a, const float* b, float* out) {
    VxMatrix ma, mb;
    std::memcpy(ma.m, a, sizeof ma.m);
    std::memcpy(mb.m, b, sizeof mb.m);
    const VxMatrix r = MatrixMultiply(ma, mb);  // out may be a or b
    std::memcpy(out, r.m, sizeof r.m);
}

void CopyMatrix(float* to, const float* from) { std::memmove(to, from, 16 * sizeof(float)); }

void Vec3Copy(float* to, const float* from) { std::memmove(to, from, 3 * sizeof(float)); }

bool RotationMatrixFromAngles(const VxVec3& angles, int order, VxMatrix& out) {
    if (order < ROTATION_ZYX || order > ROTATION_YXZ) return false;
    out = BuildRotationMatrix(angles, order);
    return true;
}
