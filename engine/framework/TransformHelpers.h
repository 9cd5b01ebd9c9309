#pragma once
// Small matrix and vector copies of the framework, on plain float arrays in
// the row-vector order (translation in the last row).
#include "engine/VxMatrix.h"

// out = a × b (a applied to a point first). `out` may be `a` or `b`.
void CombineTransforms(const float* a, const float* b, float* out);
void CopyMatrix(float* to, const float* from);
void Vec3Copy(float* to, const float* from);
// The rotation from three angles (radians about x, y, z) in one of the six
// rotation orders. False, with `out` left alone, for an order outside 0..5.
bool RotationMatrixFromAngles(const VxVec3& angles, int order, VxMatrix& out);
