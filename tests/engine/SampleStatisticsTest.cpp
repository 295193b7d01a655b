#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <numeric>
#include <random>
#include <vector>

#include "engine/SampleStatistics.h"
#include "engine/SortHelper.h"

namespace
{
void ExpectAllSummariesUnset(const CSampleStatistics& s)
{
    EXPECT_EQ(s.GetCount(), 0);
    EXPECT_EQ(s.GetValue(0), DBL_MAX);
    EXPECT_EQ(s.GetSortedValue(0), DBL_MAX);
    for (double v : {s.GetMinimum(), s.GetMaximum(), s.GetMean(), s.GetMedian(), s.GetStdDev(),
                     s.GetVariance(), s.GetRange()})
        EXPECT_EQ(v, DBL_MAX);
}
} // namespace

TEST(SampleStatistics, EmptyAccumulatorAnswersUnset)
{
    CSampleStatistics s(false);
    ExpectAllSummariesUnset(s);
    s.AddValue(4.0, 0);
    s.AddValue(6.0, 0);
    EXPECT_EQ(s.GetMean(), 5.0);
    s.Reset();
    ExpectAllSummariesUnset(s);
}

TEST(SampleStatistics, SmallSamples)
{
    struct Case {
        std::vector<double> values;
        double min, max, mean, median, sd;
    };
    const Case cases[] = {
        {{2.5}, 2.5, 2.5, 2.5, 2.5, 0.0},
        {{1, 3}, 1, 3, 2, 1, std::sqrt(2.0)},            // even count: the lower middle value
        {{4, 1, 3, 2}, 1, 4, 2.5, 2, std::sqrt(5.0 / 3.0)},
        {{-7, 0, 7}, -7, 7, 0, 0, 7},
    };
    for (const Case& c : cases) {
        CSampleStatistics s;
        for (double v : c.values)
            s.AddValue(v);
        EXPECT_EQ(s.GetCount(), static_cast<int>(c.values.size()));
        EXPECT_EQ(s.GetMinimum(), c.min);
        EXPECT_EQ(s.GetMaximum(), c.max);
        EXPECT_EQ(s.GetRange(), c.max - c.min);
        EXPECT_DOUBLE_EQ(s.GetMean(), c.mean);
        EXPECT_EQ(s.GetMedian(), c.median);
        EXPECT_NEAR(s.GetStdDev(), c.sd, 1e-15);
        EXPECT_NEAR(s.GetVariance(), c.sd * c.sd, 1e-14);
    }
}

TEST(SampleStatistics, InsertionAndSortedOrder)
{
    CSampleStatistics s;
    for (double v : {4.0, 1.0, 3.0, 2.0})
        s.AddValue(v);
    EXPECT_EQ(s.GetValue(0), 4.0);
    EXPECT_EQ(s.GetValue(3), 2.0);
    EXPECT_EQ(s.GetValue(4), DBL_MAX);
    EXPECT_EQ(s.GetValue(-1), DBL_MAX);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(s.GetSortedValue(i), i + 1.0);
    EXPECT_EQ(s.GetSortedValue(4), DBL_MAX);
    EXPECT_EQ(s.GetSortedValue(-1), DBL_MAX);

    // A value added after a query shows in the next one.
    s.AddValue(0.5);
    EXPECT_EQ(s.GetSortedValue(0), 0.5);
    EXPECT_EQ(s.GetMinimum(), 0.5);
    EXPECT_EQ(s.GetMedian(), 2.0);
    EXPECT_EQ(s.GetValue(4), 0.5);
}

TEST(SampleStatistics, AgreesWithTwoPassFormulas)
{
    std::mt19937 generator(4711);
    for (int n : {2, 3, 10, 101, 1000}) {
        std::vector<double> values;
        CSampleStatistics s;
        for (int i = 0; i < n; ++i) {
            const double v = 1000.0 + static_cast<double>(generator()) / 4294967296.0 * 50.0 - 25.0;
            values.push_back(v);
            s.AddValue(v);
        }
        const double mean = std::accumulate(values.begin(), values.end(), 0.0) / n;
        double squares = 0.0;
        for (double v : values)
            squares += (v - mean) * (v - mean);
        const double sd = std::sqrt(squares / (n - 1));
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());

        EXPECT_NEAR(s.GetMean(), mean, 1e-12 * mean) << n;
        EXPECT_NEAR(s.GetStdDev(), sd, 1e-10 * sd) << n;
        EXPECT_NEAR(s.GetVariance(), sd * sd, 1e-10 * sd * sd) << n;
        EXPECT_EQ(s.GetMedian(), sorted[(n - 1) / 2]) << n;
        EXPECT_EQ(s.GetMinimum(), sorted.front()) << n;
        EXPECT_EQ(s.GetMaximum(), sorted.back()) << n;
        EXPECT_EQ(s.GetRange(), sorted.back() - sorted.front()) << n;
        for (int i = 0; i < n; ++i)
            ASSERT_EQ(s.GetSortedValue(i), sorted[i]) << n << " " << i;
    }
}

TEST(SampleStatistics, StandardDeviationOfNearlyEqualValuesIsNeverNaN)
{
    // n*sum(x^2) - sum(x)^2 cancels to a small negative number for these.
    CSampleStatistics same;
    for (int i = 0; i < 7; ++i)
        same.AddValue(3.3);
    EXPECT_EQ(same.GetStdDev(), 0.0);
    EXPECT_EQ(same.GetVariance(), 0.0);
    EXPECT_EQ(same.GetMean(), 3.3);

    // A large offset must not swamp a small spread: 1e9 + {1, 2, 3} has deviation 1.
    CSampleStatistics offset;
    for (double v : {1.0, 2.0, 3.0})
        offset.AddValue(1e9 + v);
    EXPECT_NEAR(offset.GetStdDev(), 1.0, 1e-9);
}

TEST(SampleStatistics, LeavesTheRuntimeGeneratorAlone)
{
    std::srand(12345);
    const int first = std::rand();
    const int second = std::rand();

    std::srand(12345);
    EXPECT_EQ(std::rand(), first);
    CSampleStatistics fixed(true);
    CSampleStatistics clock(false);
    fixed.AddValue(1.0);
    fixed.AddValue(2.0);
    DistributionFit fit;
    fixed.FitDistribution(fit);
    EXPECT_EQ(std::rand(), second);
}

TEST(SortHelper, BothDirectionsWithNaNLast)
{
    const double nan = std::nan("");
    std::vector<double> values = {3.0, nan, -1.0, 2.0, 2.0, nan, 0.0};
    CSortHelper helper;
    helper.Sort(values);
    const std::vector<double> ascending = {-1.0, 0.0, 2.0, 2.0, 3.0};
    for (size_t i = 0; i < ascending.size(); ++i)
        EXPECT_EQ(values[i], ascending[i]);
    EXPECT_TRUE(std::isnan(values[5]) && std::isnan(values[6]));

    helper.m_bAscending = false;
    helper.Sort(values);
    const std::vector<double> descending = {3.0, 2.0, 2.0, 0.0, -1.0};
    for (size_t i = 0; i < descending.size(); ++i)
        EXPECT_EQ(values[i], descending[i]);
    EXPECT_TRUE(std::isnan(values[5]) && std::isnan(values[6]));
}
