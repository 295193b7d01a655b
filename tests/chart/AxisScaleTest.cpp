#include "chart/AxisScale.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

struct StepCase {
    double span;
    int intervals;
    double step;
};

TEST(TickStep, PicksTheSmallestRoundStepThatFits) {
    const StepCase cases[] = {
        {10, 10, 1},       {10, 5, 2},        {10, 4, 5},        {10, 2, 5},         {10, 1, 10},
        {100, 4, 50},      {100, 10, 10},     {7, 10, 1},        {0.3, 6, 0.05},     {0.3, 3, 0.1},
        {1234, 10, 200},   {1e6, 5, 2e5},     {2.5e-4, 5, 5e-5}, {1, 1000, 0.001},   {9.99, 1, 10},
        {1e300, 10, 1e299}, {3, 0, 5},
    };
    for (const StepCase& c : cases) {
        const double step = xrt::TickStep(c.span, c.intervals);
        EXPECT_NEAR(step, c.step, c.step * 1e-12) << "span " << c.span << ", " << c.intervals << " intervals";
        // Round: one of 1, 2 or 5 times a power of ten.
        const double mantissa = step / std::pow(10.0, std::floor(std::log10(step) + 1e-12));
        EXPECT_TRUE(std::fabs(mantissa - 1) < 1e-9 || std::fabs(mantissa - 2) < 1e-9 ||
                    std::fabs(mantissa - 5) < 1e-9)
            << step;
        // It fits: no more intervals than asked for.
        EXPECT_LE(c.span / step, std::max(1, c.intervals) * (1 + 1e-9));
    }
}

TEST(TickStep, RefusesSpansThatAreNotPositiveAndFinite) {
    for (double span : {0.0, -1.0, double(INFINITY), double(NAN)}) EXPECT_EQ(xrt::TickStep(span, 5), 0.0) << span;
}

TEST(TickValues, ListsTheMultiplesWithinTheBounds) {
    EXPECT_EQ(xrt::TickValues(0, 10, 2.5), (std::vector<double>{0, 2.5, 5, 7.5, 10}));
    EXPECT_EQ(xrt::TickValues(-3, 7, 5), (std::vector<double>{0, 5}));
    EXPECT_EQ(xrt::TickValues(0.1, 0.3, 0.1).size(), 3u);  // 0.1 * 3 is a hair above 0.3
    EXPECT_TRUE(xrt::TickValues(1, 0, 1).empty());
    EXPECT_TRUE(xrt::TickValues(0, 1, 0).empty());
    EXPECT_EQ(xrt::TickValues(0, 1e9, 1, 50).size(), 50u);  // capped
    // Far beyond the precision of the step: still ends.
    EXPECT_LE(xrt::TickValues(1e17, 1e17 + 100, 1).size(), 1000u);
}

struct LabelCase {
    double value, step, largest;
    const char* text;
};

TEST(TickLabel, ShowsAsManyDecimalsAsTheStepNeeds) {
    const LabelCase cases[] = {
        {5, 1, 10, "5"},           {0.25, 0.05, 1, "0.25"},  {2, 0.5, 3, "2.0"},
        {-1e-17, 0.1, 1, "0.0"},   {120, 20, 200, "120"},    {3e8, 1e8, 5e8, "3e+08"},
        {1.5e-7, 5e-8, 2e-7, "1.5e-07"}, {-40, 20, 100, "-40"},
    };
    for (const LabelCase& c : cases) EXPECT_EQ(xrt::TickLabel(c.value, c.step, c.largest), c.text) << c.value;
}

TEST(ResolveRange, KeepsFixedBoundsAndRoundsAutomaticOnes) {
    // Fixed bounds as given, even when not round.
    xrt::AxisRange r = xrt::ResolveRange(true, 3, 4, true, 0.5, true, 9.7, 10);
    EXPECT_DOUBLE_EQ(r.low, 0.5);
    EXPECT_DOUBLE_EQ(r.high, 9.7);
    // Automatic: the data widened outwards to the step (span 8.6 over 10 intervals: step 1).
    r = xrt::ResolveRange(true, 1.3, 9.9, false, 0, false, 0, 10);
    EXPECT_DOUBLE_EQ(r.low, 1);
    EXPECT_DOUBLE_EQ(r.high, 10);
    r = xrt::ResolveRange(true, -2, 2, false, 0, false, 0, 4);
    EXPECT_DOUBLE_EQ(r.low, -2);
    EXPECT_DOUBLE_EQ(r.high, 2);
    // One fixed, one automatic.
    r = xrt::ResolveRange(true, 2, 47, true, 0, false, 0, 5);
    EXPECT_DOUBLE_EQ(r.low, 0);
    EXPECT_DOUBLE_EQ(r.high, 50);
    // No data: [0, 1].
    r = xrt::ResolveRange(false, 0, 0, false, 0, false, 0, 5);
    EXPECT_DOUBLE_EQ(r.low, 0);
    EXPECT_DOUBLE_EQ(r.high, 1);
}

TEST(ResolveRange, AlwaysGivesAPositiveFiniteSpan) {
    struct Case {
        bool lowFixed;
        double low;
        bool highFixed;
        double high;
    };
    const Case cases[] = {
        {true, 5, true, 5},              // equal bounds
        {true, 0, true, 0},              // both zero
        {true, 9, true, 1},              // reversed
        {true, DBL_MAX, true, DBL_MAX},  // "not known" from the graph window
        {true, -DBL_MAX, true, DBL_MAX}, // a span beyond the doubles
        {true, NAN, false, 0},
        {false, 0, true, -3},            // fixed maximum below the data
    };
    for (const Case& c : cases) {
        const xrt::AxisRange r = xrt::ResolveRange(true, 2, 4, c.lowFixed, c.low, c.highFixed, c.high, 5);
        EXPECT_TRUE(std::isfinite(r.low) && std::isfinite(r.high) && std::isfinite(r.high - r.low));
        EXPECT_GT(r.high, r.low) << c.low << " " << c.high;
    }
    const xrt::AxisRange reversed = xrt::ResolveRange(true, 2, 4, true, 9, true, 1, 5);
    EXPECT_DOUBLE_EQ(reversed.low, 1);
    EXPECT_DOUBLE_EQ(reversed.high, 9);
}

}  // namespace
