#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <random>
#include <vector>

#include "engine/SampleStatistics.h"

namespace
{
const double Pi = 3.14159265358979323846;

// Samples come from a generator of the test's own, never the simulation's.
class LocalSampler
{
public:
    explicit LocalSampler(unsigned seed) : m_generator(seed) {}
    double Uniform() { return (static_cast<double>(m_generator()) + 0.5) / 4294967296.0; }
    double Normal(double mean, double sd)
    {
        const double u1 = Uniform(), u2 = Uniform();
        return mean + sd * std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * Pi * u2);
    }
    double Exponential(double scale) { return -scale * std::log(Uniform()); }

private:
    std::mt19937 m_generator;
};

DistributionFit Fit(const std::vector<double>& values)
{
    CSampleStatistics s;
    for (double v : values)
        s.AddValue(v);
    DistributionFit fit;
    s.FitDistribution(fit);
    return fit;
}

// The statistic as the fitting defines it, computed here from closed-form CDFs.
// Renormalised candidates compare against F restricted to [lo, hi].
double ReferenceStatistic(const std::vector<double>& sorted, const std::function<double(double)>& F,
                          bool renormalised, double stepDivisor)
{
    const size_t n = sorted.size();
    const double f0 = renormalised ? F(sorted.front()) : 0.0;
    const double range = renormalised ? F(sorted.back()) - f0 : 1.0;
    const double s = range / stepDivisor;
    double dPlus = -1e300, dMinus = -1e300;
    for (size_t i = 0; i < n; ++i) {
        const double g = F(sorted[i]) - f0;
        dPlus = std::max(dPlus, (i + 1) * s - g);
        dMinus = std::max(dMinus, g - i * s);
    }
    return std::max(dPlus, dMinus) / range;
}

// I(a, b; x) by Simpson's rule after t = s^(1/a), which removes the singularity at 0:
// the integral of t^(a-1) (1-t)^(b-1) over [0, x] is (1/a) times that of
// (1 - s^(1/a))^(b-1) over [0, x^a]. Needs b >= 1.
double ReferenceBeta(double a, double b, double x)
{
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    const int steps = 4000;
    const double upper = std::pow(x, a), h = upper / steps;
    double sum = 0.0;
    for (int k = 0; k <= steps; ++k) {
        const double f = std::pow(1.0 - std::pow(k * h, 1.0 / a), b - 1.0);
        sum += f * (k == 0 || k == steps ? 1.0 : (k % 2 ? 4.0 : 2.0));
    }
    const double logBeta = std::lgamma(a) + std::lgamma(b) - std::lgamma(a + b);
    return sum * h / 3.0 / a / std::exp(logBeta);
}
} // namespace

TEST(DistributionFit, EmptyAndDegenerateSamplesFitNothing)
{
    const DistributionFit empty = Fit({});
    EXPECT_EQ(empty.m_nType, DistributionFit::None);
    for (double v : {empty.m_dMin, empty.m_dMax, empty.m_dMean, empty.m_dStdDev, empty.m_dBestStatistic})
        EXPECT_EQ(v, DBL_MAX);

    for (const std::vector<double>& values : {std::vector<double>{5, 5, 5}, std::vector<double>(7, 3.3),
                                              std::vector<double>{1000.0, 1000.05}}) {
        const DistributionFit fit = Fit(values);
        EXPECT_EQ(fit.m_nType, DistributionFit::None);
        EXPECT_EQ(fit.m_dMin, values.front());
        EXPECT_EQ(fit.m_dMax, values.back());
        EXPECT_EQ(fit.m_dMean, (values.front() + values.back()) * 0.5);
        EXPECT_EQ(fit.m_dStdDev, 0.0);
        EXPECT_EQ(fit.m_dBestStatistic, 0.0);
        for (double s : fit.m_adStatistic)
            EXPECT_EQ(s, DBL_MAX);
    }
}

TEST(DistributionFit, StatisticsAgainstClosedFormDistributions)
{
    const std::vector<double> sorted = {3.0, 4.1, 4.6, 5.0, 5.2, 5.5, 5.9, 6.4, 7.0, 8.2};
    const double n = static_cast<double>(sorted.size());
    const double lo = sorted.front(), hi = sorted.back();
    double mean = 0.0, squares = 0.0;
    for (double v : sorted)
        mean += v / n;
    for (double v : sorted)
        squares += (v - mean) * (v - mean);
    const double sd = std::sqrt(squares / (n - 1));
    const double e = (mean - lo) / (hi - lo), f = sd / (hi - lo);
    const double a = e * e * (1 - e) / (f * f) - e, b = (1 - e) * a / e;
    ASSERT_GT(b, 1.0);   // the reference beta integral needs it
    const double mode = 3 * mean - lo - hi;
    const double v = std::log((sd / mean) * (sd / mean) + 1), mu = std::log(mean) - 0.5 * v;

    struct Case {
        int type;
        std::function<double(double)> F;
        bool renormalised;
        double divisor;
    };
    const Case cases[] = {
        {DistributionFit::Normal, [&](double x) { return 0.5 * (1 + std::erf((x - mean) / (sd * std::sqrt(2.0)))); },
         true, n},
        {DistributionFit::Uniform, [&](double x) { return (x - lo) / (hi - lo); }, false, n - 1},
        {DistributionFit::Triangular,
         [&](double x) {
             if (x <= lo) return 0.0;
             if (x <= mode) return (x - lo) * (x - lo) / ((mode - lo) * (hi - lo));
             if (x < hi) return 1 - (hi - x) * (hi - x) / ((hi - lo) * (hi - mode));
             return 1.0;
         },
         false, n - 1},
        {DistributionFit::Beta, [&](double x) { return ReferenceBeta(a, b, (x - lo) / (hi - lo)); }, false, n - 1},
        {DistributionFit::Exponential, [&](double x) { return 1 - std::exp(-x / mean); }, true, n - 1},
        {DistributionFit::Lognormal,
         [&](double x) { return 0.5 * (1 + std::erf((std::log(x) - mu) / (std::sqrt(v) * std::sqrt(2.0)))); }, true,
         n},
    };

    const DistributionFit fit = Fit({5.0, 3.0, 8.2, 4.6, 5.5, 4.1, 7.0, 5.2, 6.4, 5.9});
    int best = DistributionFit::None;
    for (const Case& c : cases) {
        const double expected = ReferenceStatistic(sorted, c.F, c.renormalised, c.divisor);
        EXPECT_NEAR(fit.m_adStatistic[c.type], expected, 5e-5) << "type " << c.type;
        if (best == DistributionFit::None || expected < fit.m_adStatistic[best])
            best = c.type;
    }
    EXPECT_EQ(fit.m_nType, best);
    EXPECT_EQ(fit.m_dBestStatistic, fit.m_adStatistic[best]);
    EXPECT_EQ(fit.m_dMin, lo);
    EXPECT_EQ(fit.m_dMax, hi);
    EXPECT_NEAR(fit.m_dStdDev, sd, 1e-12);
    for (int unused : {0, 1, 8, 9})
        EXPECT_EQ(fit.m_adStatistic[unused], DBL_MAX);
}

TEST(DistributionFit, PicksTheDistributionTheSampleWasDrawnFrom)
{
    for (unsigned seed : {1u, 2u, 3u}) {
        LocalSampler sampler(seed);
        std::vector<double> normal, exponential;
        for (int i = 0; i < 2000; ++i) {
            normal.push_back(sampler.Normal(10.0, 2.0));
            exponential.push_back(sampler.Exponential(3.0));
        }
        const DistributionFit normalFit = Fit(normal);
        EXPECT_EQ(normalFit.m_nType, DistributionFit::Normal) << seed;
        EXPECT_NEAR(normalFit.m_dMean, 10.0, 0.2);
        EXPECT_NEAR(normalFit.m_dStdDev, 2.0, 0.2);
        EXPECT_EQ(Fit(exponential).m_nType, DistributionFit::Exponential) << seed;
    }
}

TEST(DistributionFit, UniformResultReportsTheMidpoint)
{
    // Fifty uniform values: small enough that the moment-matched beta does not beat
    // the uniform itself, and not symmetric, so the mean is not the midpoint.
    LocalSampler sampler(7);
    std::vector<double> values;
    double mean = 0.0;
    for (int i = 0; i < 50; ++i) {
        values.push_back(2.0 + 6.0 * sampler.Uniform());
        mean += values.back() / 50.0;
    }
    const DistributionFit fit = Fit(values);
    ASSERT_EQ(fit.m_nType, DistributionFit::Uniform);
    EXPECT_EQ(fit.m_dMean, (fit.m_dMin + fit.m_dMax) * 0.5);
    EXPECT_GT(std::fabs(fit.m_dMean - mean), 1e-3);
}

TEST(DistributionFit, CandidatesThatDoNotApplyAreNeverChosen)
{
    // No positive beta parameters for a two-point sample.
    const DistributionFit twoPoint = Fit({0, 0, 0, 0, 1, 1, 1, 1});
    EXPECT_EQ(twoPoint.m_adStatistic[DistributionFit::Beta], DistributionFit::InvalidStatistic);
    EXPECT_NE(twoPoint.m_nType, DistributionFit::Beta);

    // A negative sample is neither exponential nor lognormal, whatever the arithmetic says.
    LocalSampler sampler(11);
    std::vector<double> negative, straddling;
    for (int i = 0; i < 500; ++i) {
        negative.push_back(-sampler.Exponential(3.0));
        straddling.push_back(sampler.Normal(1.0, 2.0));
    }
    for (const std::vector<double>& values : {negative, straddling, std::vector<double>{-5, -3, -2, -1}}) {
        const DistributionFit fit = Fit(values);
        EXPECT_EQ(fit.m_adStatistic[DistributionFit::Exponential], DistributionFit::InvalidStatistic);
        EXPECT_EQ(fit.m_adStatistic[DistributionFit::Lognormal], DistributionFit::InvalidStatistic);
        EXPECT_NE(fit.m_nType, DistributionFit::Exponential);
        EXPECT_NE(fit.m_nType, DistributionFit::Lognormal);
        EXPECT_NE(fit.m_nType, DistributionFit::None);
        EXPECT_GE(fit.m_dBestStatistic, 0.0);
    }
}

TEST(DistributionFit, TightClusterWithOutliersFitsWithoutFailing)
{
    // Moments of a tight cluster between two far outliers give beta shape
    // parameters near their largest for the sample size (about n / 4).
    LocalSampler sampler(5);
    std::vector<double> values = {0.0, 100000.0};
    for (int i = 0; i < 998; ++i)
        values.push_back(50000.0 + sampler.Normal(0.0, 1.0));
    double a = 0, b = 0;
    CSampleStatistics s;
    for (double v : values)
        s.AddValue(v);
    CSampleStatistics::BetaParametersFromMoments(s.GetMean(), s.GetStdDev(), 0.0, 100000.0, a, b);
    EXPECT_GT(a, 200.0);
    EXPECT_GT(b, 200.0);
    DistributionFit fit;
    s.FitDistribution(fit);
    EXPECT_NE(fit.m_nType, DistributionFit::None);
    EXPECT_GE(fit.m_adStatistic[DistributionFit::Beta], 0.0);
}

TEST(DistributionFit, BetaParametersFromMoments)
{
    // Beta(2, 3) on [0, 1]: mean 2/5, variance 6 / (25 * 6) = 1/25. On [10, 20] the
    // same shape has mean 14 and deviation 2.
    double a = 0, b = 0;
    CSampleStatistics::BetaParametersFromMoments(0.4, 0.2, 0.0, 1.0, a, b);
    EXPECT_NEAR(a, 2.0, 1e-12);
    EXPECT_NEAR(b, 3.0, 1e-12);
    CSampleStatistics::BetaParametersFromMoments(14.0, 2.0, 10.0, 20.0, a, b);
    EXPECT_NEAR(a, 2.0, 1e-12);
    EXPECT_NEAR(b, 3.0, 1e-12);
}

TEST(DistributionFit, LeavesTheSummaryUntouched)
{
    CSampleStatistics s;
    for (double v : {3.0, 1.0, 2.0})
        s.AddValue(v);
    DistributionFit fit;
    s.FitDistribution(fit);
    EXPECT_EQ(s.GetValue(0), 3.0);
    EXPECT_EQ(s.GetMean(), 2.0);
    EXPECT_EQ(s.GetSortedValue(0), 1.0);
}
