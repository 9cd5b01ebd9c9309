#pragma once
// Vectors, colours and 4x4 matrices of the drawable objects. Points are row
// vectors: v' = v * M, translation in the last row, so in a product the left
// factor is applied to a point first.
struct VxVec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

struct VxVec4 {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 0.0f;
};

struct VxColor {
    float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
};

struct VxMatrix {
    float m[4][4] = {};
};

VxMatrix MatrixIdentity();
VxMatrix MatrixMultiply(const VxMatrix& a, const VxMatrix& b);  // a applied first
VxMatrix MatrixScaling(float sx, float sy, float sz);
VxMatrix MatrixTranslation(float x, float y, float z);
// Left-handed rotations, as the drawing layer expects: about z, a positive
// angle turns +x towards +y.
VxMatrix MatrixRotationX(float a);
VxMatrix MatrixRotationY(float a);
VxMatrix MatrixRotationZ(float a);
// The point (x, y, z, 1) times m, divided by w when w is not 1.
VxVec3 TransformPoint(const VxVec3& v, const VxMatrix& m);
