#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/HistogramBins.h"

TEST(HistogramBins, EdgesBelowAboveAndTheMaximum)
{
    CHistogramBins bins;
    bins.SetBinCount(5);
    bins.SetRange(0.0, 10.0);
    struct Case { double x; int bin; };
    const Case cases[] = {
        {0.0, 0}, {1.99, 0}, {2.0, 1}, {5.0, 2}, {9.999, 4}, {10.0, 4},
        {10.5, -2}, {-0.1, -1}, {std::numeric_limits<double>::quiet_NaN(), -1},
        {std::numeric_limits<double>::infinity(), -2}, {-std::numeric_limits<double>::infinity(), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(bins.BinIndex(c.x), c.bin) << c.x;
}

TEST(HistogramBins, ValueJustBelowTheMaximumStaysInTheLastBin)
{
    // (x - 0) / (0.9 / 5) rounds to exactly 5 for the double just below 0.9.
    const struct { double minimum, maximum; int n; } cases[] = {
        {0.0, 0.9, 5}, {0.0, 0.5, 7}, {-1.3, 0.1, 10}, {0.0, 0.1, 3},
    };
    for (const auto& c : cases) {
        CHistogramBins bins;
        bins.SetBinCount(c.n);
        bins.SetRange(c.minimum, c.maximum);
        const double x = std::nextafter(c.maximum, c.minimum);
        EXPECT_EQ(bins.BinIndex(x), c.n - 1) << c.maximum << " / " << c.n;
    }
}

TEST(HistogramBins, EveryBinHasItsWidth)
{
    CHistogramBins bins;
    bins.SetBinCount(20);
    bins.SetRange(-3.0, 7.0);
    for (int k = 0; k < 20; ++k) {
        const double lower = -3.0 + k * 0.5;
        EXPECT_EQ(bins.BinIndex(lower + 0.25), k);
        EXPECT_EQ(bins.BinIndex(lower + 0.4999), k);
    }
    bins.ResetBaseIndex();
    EXPECT_EQ(bins.BinIndex(7.0), 19);
}
