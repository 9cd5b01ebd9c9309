#pragma once
// Single-precision helpers for movement, aiming and hit tests. Points are in
// logical pixels with y up; angles are degrees unless said otherwise.
#include "engine/VxMatrix.h"

struct VxRect {
    float x0 = 0.0f, x1 = 0.0f, y0 = 0.0f, y1 = 0.0f;  // x0 <= x1, y0 <= y1
};

float DistanceXY(const VxVec3& p, const VxVec3& q);
float DistanceXZ(const VxVec3& p, const VxVec3& q);
// Direction of p - q: 0 straight down, 90 right, 180 up, 270 left; 0 <= result < 360.
float AngleBetweenPoints(const VxVec3& p, const VxVec3& q);
// a - b brought into -180 to 180.
float WrapAngleDifference(float a, float b);
// Closed rectangles: touching edges overlap.
bool RectsOverlap(const VxRect& a, const VxRect& b);
float Square(float x);
void Vec3Add(VxVec3& out, const VxVec3& a, const VxVec3& b);
VxVec4* MakeVector4(VxVec4* out, float a, float b, float c, float d);
void MultiplyMatrices3(VxMatrix& out, const VxMatrix& a, const VxMatrix& b, const VxMatrix& c);
// Scaling, then rotation (z * y * x order), then translation.
void BuildTransformMatrix(VxMatrix& out, float tx, float ty, float tz, float rx, float ry, float rz, float sx, float sy,
                          float sz);
float SinF(float radians);
float CosF(float radians);
