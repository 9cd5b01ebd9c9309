#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/VxMath.h"

TEST(VxMath, AngleBetweenPointsMeasuresFromStraightDown) {
    const struct {
        VxVec3 p, q;
        float angle;
    } cases[] = {
        {{1, 1, 0}, {0, 0, 0}, 135}, {{1, -1, 0}, {0, 0, 0}, 45},  {{-1, 0, 0}, {0, 0, 0}, 270},
        {{1, 0, 0}, {0, 0, 0}, 90},  {{0, 5, 0}, {0, 0, 0}, 180},  {{0, -5, 0}, {0, 0, 0}, 0},
        {{-1, 1, 0}, {0, 0, 0}, 225}, {{-1, -1, 0}, {0, 0, 0}, 315},
        {{0, 0, 0}, {0, 0, 0}, 180},  // equal points
        {{3, 3, 0}, {4, 2, 0}, 225},  // the direction of p - q
    };
    for (const auto& c : cases) EXPECT_NEAR(AngleBetweenPoints(c.p, c.q), c.angle, 1e-4f) << c.angle;
}

TEST(VxMath, WrapAngleDifference) {
    EXPECT_FLOAT_EQ(WrapAngleDifference(10, 350), 20.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(350, 10), -20.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(180, 0), 180.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(0, 180), -180.0f);
    EXPECT_FLOAT_EQ(WrapAngleDifference(-1000, 0), 80.0f);
    // Values a stepping loop could never bring down come back at once.
    float big = WrapAngleDifference(1e12f, 0);
    EXPECT_TRUE(big >= -180.0f && big <= 180.0f);
    EXPECT_TRUE(std::isinf(WrapAngleDifference(std::numeric_limits<float>::infinity(), 0)));
}

TEST(VxMath, RectsOverlapIsClosedOnBothAxes) {
    VxRect a{0, 10, 0, 10};
    EXPECT_TRUE(RectsOverlap(a, {10, 20, 0, 10}));   // shared edge
    EXPECT_TRUE(RectsOverlap(a, {10, 20, 10, 20}));  // shared corner
    EXPECT_FALSE(RectsOverlap(a, {10.01f, 20, 0, 10}));
    EXPECT_FALSE(RectsOverlap({0, 10, 0, 1}, {5, 6, 2, 3}));  // overlap on x only
}

TEST(VxMath, DistancesAndMatrixProducts) {
    EXPECT_FLOAT_EQ(DistanceXY({0, 0, 100}, {3, 4, -7}), 5.0f);
    EXPECT_FLOAT_EQ(DistanceXZ({0, 100, 0}, {6, -7, 8}), 10.0f);
    VxMatrix out;
    // Scale by 2, then move by (1, 0, 0), then turn a quarter about z.
    MultiplyMatrices3(out, MatrixScaling(2, 2, 2), MatrixTranslation(1, 0, 0), MatrixRotationZ(1.5707963f));
    VxVec3 p = TransformPoint({1, 0, 0}, out);
    EXPECT_NEAR(p.x, 0.0f, 1e-5f);
    EXPECT_NEAR(p.y, 3.0f, 1e-5f);
}
