#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/VxMath.h"

TEST(VxMath, AngleBetweenPointsMeasuresFromStraightDown) {
    VxVec3 o{0, 0, 0};
    EXPECT_NEAR(AngleBetweenPoints({1, 1, 0}, o), 135.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({1, -1, 0}, o), 45.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({-1, 0, 0}, o), 270.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({1, 0, 0}, o), 90.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({0, 5, 0}, o), 180.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({0, -5, 0}, o), 0.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({-1, 1, 0}, o), 225.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints({-1, -1, 0}, o), 315.0f, 1e-4f);
    EXPECT_NEAR(AngleBetweenPoints(o, o), 180.0f, 1e-4f);  // equal points
    // The difference is p - q.
    EXPECT_NEAR(AngleBetweenPoints({3, 3, 0}, {4, 2, 0}), 225.0f, 1e-4f);
}

TEST(VxMath, WrapAngleDifference) {
    EXPECT_FLOAT_EQ(WrapAngleDifference(10, 350), 20.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(350, 10), -20.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(180, 0), 180.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(0, 180), -180.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(1000, 0), -80.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(-1000, 0), 80.0f);
    // Values a stepping loop could never bring down come back at once.
    float big = WrapAngleDifference(1e12f, 0);
    EXPECT_GE(big, -180.0f);
    EXPECT_LE(big, 180.0f);
    EXPECT_TRUE(std::isinf(WrapAngleDifference(std::numeric_limits<float>::infinity(), 0)));
}

TEST(VxMath, RectsOverlapIsClosedOnBothAxes) {
    VxRect a{0, 10, 0, 10};
    EXPECT_TRUE(RectsOverlap(a, {10, 20, 0, 10}));   // shared edge
    EXPECT_TRUE(RectsOverlap(a, {10, 20, 10, 20}));  // shared corner
    EXPECT_TRUE(RectsOverlap(a, {2, 3, 2, 3}));      // inside
    EXPECT_FALSE(RectsOverlap(a, {10.01f, 20, 0, 10}));
    EXPECT_FALSE(RectsOverlap(a, {0, 10, -5, -0.01f}));
    EXPECT_FALSE(RectsOverlap({0, 10, 0, 1}, {5, 6, 2, 3}));  // overlap on x only
}

TEST(VxMath, DistancesAndSmallHelpers) {
    EXPECT_FLOAT_EQ(DistanceXY({0, 0, 100}, {3, 4, -7}), 5.0f);
    EXPECT_FLOAT_EQ(DistanceXZ({0, 100, 0}, {6, -7, 8}), 10.0f);
    EXPECT_FLOAT_EQ(Square(-3.0f), 9.0f);
    VxVec3 out;
    Vec3Add(out, {1, 2, 3}, {10, 20, 30});
    EXPECT_FLOAT_EQ(out.z, 33.0f);
    VxVec4 v;
    EXPECT_EQ(MakeVector4(&v, 1, 2, 3, 4), &v);
    EXPECT_FLOAT_EQ(v.w, 4.0f);
    EXPECT_FLOAT_EQ(SinF(1.5707963f), 1.0f);
    EXPECT_NEAR(CosF(3.1415927f), -1.0f, 1e-6f);
}

TEST(VxMath, MatrixProductsApplyTheLeftFactorFirst) {
    VxMatrix out;
    // Scale by 2, then move by (1, 0, 0), then turn a quarter about z.
    MultiplyMatrices3(out, MatrixScaling(2, 2, 2), MatrixTranslation(1, 0, 0), MatrixRotationZ(1.5707963f));
    VxVec3 p = TransformPoint({1, 0, 0}, out);
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 3.0f, 1e-5f);
}
