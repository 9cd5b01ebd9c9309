#include "engine/VxMatrix.h"

#include <cmath>

VxMatrix MatrixIdentity() {
    VxMatrix r;
    for (int i = 0; i < 4; ++i) r.m[i][i] = 1.0f;
    return r;
}

VxMatrix MatrixMultiply(const VxMatrix& a, const VxMatrix& b) {
    VxMatrix r;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            float s = 0.0f;
            for (int k = 0; k < 4; ++k) s += a.m[i][k] * b.m[k][j];
            r.m[i][j] = s;
        }
    return r;
}

VxMatrix MatrixScaling(float sx, float sy, float sz) {
    VxMatrix r;
    r.m[0][0] = sx;
    r.m[1][1] = sy;
    r.m[2][2] = sz;
    r.m[3][3] = 1.0f;
    return r;
}

VxMatrix MatrixTranslation(float x, float y, float z) {
    VxMatrix r = MatrixIdentity();
    r.m[3][0] = x;
    r.m[3][1] = y;
    r.m[3][2] = z;
    return r;
}

VxMatrix MatrixRotationX(float a) {
    VxMatrix r = MatrixIdentity();
    float c = std::cos(a), s = std::sin(a);
    r.m[1][1] = c;
    r.m[1][2] = s;
    r.m[2][1] = -s;
    r.m[2][2] = c;
    return r;
}

VxMatrix MatrixRotationY(float a) {
    VxMatrix r = MatrixIdentity();
    float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][2] = -s;
    r.m[2][0] = s;
    r.m[2][2] = c;
    return r;
}

VxMatrix MatrixRotationZ(float a) {
    VxMatrix r = MatrixIdentity();
    float c = std::cos(a), s = std::sin(a);
    r.m[0][0] = c;
    r.m[0][1] = s;
    r.m[1][0] = -s;
    r.m[1][1] = c;
    return r;
}

VxVec3 TransformPoint(const VxVec3& v, const VxMatrix& m) {
    float in[4] = {v.x, v.y, v.z, 1.0f};
    float out[4];
    for (int j = 0; j < 4; ++j) {
        float s = 0.0f;
        for (int k = 0; k < 4; ++k) s += in[k] * m.m[k][j];
        out[j] = s;
    }
    if (out[3] != 1.0f && out[3] != 0.0f) return {out[0] / out[3], out[1] / out[3], out[2] / out[3]};
    return {out[0], out[1], out[2]};
}
