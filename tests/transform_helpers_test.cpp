#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/VxObject.h"
#include "engine/framework/TransformHelpers.h"

TEST(TransformHelpers, CombineInRowVectorOrderEvenInPlace) {
    VxMatrix t = MatrixTranslation(10, 0, 0), s = MatrixScaling(2, 2, 2), out;
    CombineTransforms(&t.m[0][0], &s.m[0][0], &out.m[0][0]);
    // Translate first, then scale: (1,0,0) → (11,0,0) → (22,0,0).
    EXPECT_FLOAT_EQ(TransformPoint({1, 0, 0}, out).x, 22.0f);
    CombineTransforms(&s.m[0][0], &t.m[0][0], &s.m[0][0]);  // in place
    EXPECT_FLOAT_EQ(TransformPoint({1, 0, 0}, s).x, 12.0f);
    float copy[16];
    CopyMatrix(copy, &out.m[0][0]);
    EXPECT_EQ(std::memcmp(copy, &out.m[0][0], sizeof copy), 0);
    float a[3] = {1, 2, 3}, b[3] = {0, 0, 0};
    Vec3Copy(b, a);
    EXPECT_EQ(b[2], 3.0f);
}

TEST(TransformHelpers, RotationFromAnglesKeepsItsOrderRange) {
    VxMatrix m = MatrixScaling(5, 5, 5);
    EXPECT_FALSE(RotationMatrixFromAngles({0, 0, 1}, 6, m));
    EXPECT_FALSE(RotationMatrixFromAngles({0, 0, 1}, -1, m));
    EXPECT_FLOAT_EQ(m.m[0][0], 5.0f);  // left alone
    ASSERT_TRUE(RotationMatrixFromAngles({0, 0, 1.5707963f}, ROTATION_ZYX, m));
    VxVec3 p = TransformPoint({1, 0, 0}, m);
    EXPECT_NEAR(p.x, 0.0f, 1e-6f);
    EXPECT_NEAR(std::fabs(p.y), 1.0f, 1e-6f);
    // Orders differ once two axes turn.
    VxMatrix zx, xz;
    ASSERT_TRUE(RotationMatrixFromAngles({1.5707963f, 0, 1.5707963f}, ROTATION_ZXY, zx));
    ASSERT_TRUE(RotationMatrixFromAngles({1.5707963f, 0, 1.5707963f}, ROTATION_XZY, xz));
    VxVec3 a = TransformPoint({1, 0, 0}, zx), b = TransformPoint({1, 0, 0}, xz);
    EXPECT_GT(std::fabs(a.y - b.y) + std::fabs(a.z - b.z), 0.5f);
}

