#include <gtest/gtest.h>

#include "platform/Random.h"

TEST(Random, KnownSeedGivesKnownSequence) {
    VxSrand(1);
    // The classic sequence of this linear congruential generator for seed 1.
    EXPECT_EQ(VxRand(), 41);
    EXPECT_EQ(VxRand(), 18467);
    EXPECT_EQ(VxRand(), 6334);
    EXPECT_EQ(VxRand(), 26500);
}

TEST(Random, ReseedingRepeatsAndStaysInRange) {
    VxSrand(123456789u);
    int first[50];
    for (int& v : first) {
        v = VxRand();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, VX_RAND_MAX);
    }
    VxSrand(123456789u);
    for (int v : first) EXPECT_EQ(VxRand(), v);
}
