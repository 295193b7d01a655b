#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "engine/Random.h"
#include "engine/RandomVariables.h"

TEST(Random, FollowsTheClassicRecurrenceFromTheFixedSeed)
{
    SeedRandom(190274);
    std::uint32_t state = 190274;
    for (int i = 0; i < 1000; ++i)
    {
        state = state * 214013u + 2531011u;
        ASSERT_EQ(NextRandom(), static_cast<int>((state >> 16) & 0x7FFF)) << "draw " << i;
    }
}

TEST(Random, ReseedingRepeatsTheSequence)
{
    SeedRandom(42);
    const int a = NextRandom(), b = NextRandom();
    SeedRandom(42);
    EXPECT_EQ(NextRandom(), a);
    EXPECT_EQ(NextRandom(), b);
}

TEST(Random, UniformHelpersStayInTheirRanges)
{
    SeedRandom(1);
    bool sawLow = false, sawHigh = false;
    for (int i = 0; i < 20000; ++i)
    {
        EXPECT_EQ(RandomIntInRange(3, 3), 3);
        const int k = RandomIntInRange(0, 4);
        ASSERT_GE(k, 0);
        ASSERT_LE(k, 4);
        sawLow |= k == 0;
        sawHigh |= k == 4;
        const double u = NonZeroUnitRandom();
        ASSERT_GT(u, 0.0);
        ASSERT_LE(u, 1.0);
        const double r = RandomInInterval(-2.0, 5.0);
        ASSERT_GE(r, -2.0);
        ASSERT_LE(r, 5.0);
    }
    EXPECT_TRUE(sawLow);
    EXPECT_TRUE(sawHigh);
}

TEST(NormalVariable, SamplesHaveTheRequestedMeanAndVariance)
{
    SeedRandom(190274);
    CNormalVariable v(3.0, 2.0, -DBL_MAX, DBL_MAX);
    const int n = 100000;
    double sum = 0.0, sum2 = 0.0;
    for (int i = 0; i < n; ++i)
    {
        const double z = v.Sample();
        sum += z;
        sum2 += z * z;
    }
    const double mean = sum / n;
    const double variance = (sum2 - n * mean * mean) / (n - 1);
    // Standard error of the mean 2/sqrt(n) ~ 0.0063; of the variance ~ 4*sqrt(2/n) ~ 0.018.
    EXPECT_NEAR(mean, 3.0, 0.03);
    EXPECT_NEAR(variance, 4.0, 0.09);
}

TEST(NormalVariable, ZeroSpreadGivesTheMeanAndStillConsumesOneDrawEach)
{
    SeedRandom(7);
    CNormalVariable v(1.25, 0.0, 0.0, 1.0);   // construction draws one number
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(v.Sample(), 1.25);
    const int next = NextRandom();

    SeedRandom(7);
    for (int i = 0; i < 6; ++i)
        NextRandom();
    EXPECT_EQ(NextRandom(), next);
}

TEST(NormalVariable, ReversedBoundsAreSwappedButNotClipped)
{
    SeedRandom(3);
    CNormalVariable v(10.0, 5.0, 1.0, 0.0);
    bool outside = false;
    for (int i = 0; i < 100; ++i)
        outside |= v.Sample() > 1.0;
    EXPECT_TRUE(outside);
    EXPECT_EQ(v.GetMinimum(), 0.0);
    EXPECT_EQ(v.GetMaximum(), 1.0);
}
