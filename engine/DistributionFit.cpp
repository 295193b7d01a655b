#include "engine/DistributionFit.h"

#include <cfloat>
#include <cmath>
#include <new>
#include <vector>

#include "engine/SampleStatistics.h"
#include "engine/SortHelper.h"
#include "engine/GammaBetaFunctions.h"

void DistributionFit::Reset()
{
    m_dMin = m_dMax = m_dMean = m_dStdDev = m_dBestStatistic = DBL_MAX;
    for (double& s : m_adStatistic)
        s = DBL_MAX;
    m_nType = None;
}

namespace
{
// The cumulative distribution functions of the candidates, with the parameters
// taken from the sample.
class CandidateCdfs
{
public:
    CandidateCdfs(const IterationControl& control, double sqrt2) : m_control(control), m_dSqrt2(sqrt2) {}

    double Normal(double x, double mean, double sd) const
    {
        if (sd > m_control.dTolerance)
            return (SpecialFunctions::ErrorFunction((x - mean) / sd / m_dSqrt2, m_control) + 1.0) / 2.0;
        return x - mean > 0.0 ? 1.0 : 0.0;
    }

    double Lognormal(double x, double mean, double sd) const
    {
        if (x <= 1e-16 || mean <= 0.0)
            return 0.0;
        const double ratio = sd / mean;
        const double v = std::log(ratio * ratio + 1.0);
        const double sigma = std::sqrt(v);
        const double mu = std::log(mean) - 0.5 * v;
        const double z = std::log(x) - mu;
        if (sigma > m_control.dTolerance)
            return (SpecialFunctions::ErrorFunction(z / sigma / m_dSqrt2, m_control) + 1.0) / 2.0;
        return z > 0.0 ? 1.0 : 0.0;
    }

    static double Uniform(double x, double lo, double hi)
    {
        if (x <= lo)
            return 0.0;
        if (x > hi)
            return 1.0;
        return (x - lo) / (hi - lo);
    }

    static double Triangular(double x, double mean, double lo, double hi)
    {
        const double mode = 3.0 * mean - lo - hi;
        if (x <= lo)
            return 0.0;
        if (x <= mode)
            return (x - lo) * (x - lo) / (mode - lo) / (hi - lo);
        if (x < hi)
            return 1.0 - (hi - x) * (hi - x) / (hi - lo) / (hi - mode);
        return 1.0;
    }

    // Not shifted by the sample's minimum: the candidate is the exponential that
    // starts at 0 with the sample mean as its scale.
    static double Exponential(double x, double mean)
    {
        const double xx = std::fabs(x) < 1e-5 ? 1e-5 : x;
        return 1.0 - std::exp(-xx / mean);
    }

    double Beta(double x, double a, double b, double lo, double hi) const
    {
        if (x <= lo)
            return 0.0;
        if (x > hi)
            return 1.0;
        return SpecialFunctions::RegularizedBeta(a, b, (x - lo) / (hi - lo), m_control);
    }

private:
    IterationControl m_control;
    double m_dSqrt2;
};

enum class Step
{
    RangeOverN,           // renormalised, steps of R / n
    RangeOverNMinusOne,   // renormalised, steps of R / (n - 1)
    OneOverNMinusOne,     // direct, steps of 1 / (n - 1)
};

// The two-sided Kolmogorov-Smirnov distance between the sorted sample and F. The
// renormalised candidates compare the sample with F restricted to [lo, hi].
template <class Cdf>
double KolmogorovSmirnov(const std::vector<double>& sorted, Step step, Cdf&& F)
{
    const size_t n = sorted.size();
    const bool renormalised = step != Step::OneOverNMinusOne;
    double f0 = 0.0, range = 1.0;
    if (renormalised) {
        f0 = F(sorted.front());
        range = F(sorted.back()) - f0;
    }
    double s;
    switch (step) {
    case Step::RangeOverN: s = range / static_cast<double>(n); break;
    case Step::RangeOverNMinusOne: s = range / static_cast<double>(n - 1); break;
    default: s = 1.0 / static_cast<double>(n - 1); break;
    }
    const double g0 = F(sorted[0]) - f0;
    double dPlus = s - g0;
    double dMinus = g0;
    for (size_t i = 1; i < n; ++i) {
        const double g = F(sorted[i]) - f0;
        const double up = static_cast<double>(i + 1) * s - g;
        const double down = g - static_cast<double>(i) * s;
        if (up > dPlus)
            dPlus = up;
        if (down > dMinus)
            dMinus = down;
    }
    const double d = dPlus > dMinus ? dPlus : dMinus;
    return renormalised ? d / range : d;
}

// Runs one candidate; a special function that fails or a statistic that is not a
// usable distance makes the candidate invalid instead of ending the fit.
template <class Evaluate>
double Guarded(Evaluate&& evaluate)
{
    double statistic;
    try {
        statistic = evaluate();
    } catch (const SpecialFunctionError&) {
        return DistributionFit::InvalidStatistic;
    }
    if (!std::isfinite(statistic) || statistic < 0.0)
        return DistributionFit::InvalidStatistic;
    return statistic;
}
} // namespace

void CSampleStatistics::FitDistribution(DistributionFit& fit) const
{
    fit.Reset();
    if (m_arrSamples.empty())
        return;

    std::vector<double> sorted;
    try {
        sorted = m_arrSamples;
    } catch (const std::bad_alloc&) {
        return;
    }
    CSortHelper().Sort(sorted);
    const double lo = sorted.front();
    const double hi = sorted.back();
    const int n = static_cast<int>(sorted.size());

    double mean, sd;
    if (std::fabs(hi - lo) <= 1e-4 * std::fabs(hi)) {
        mean = (lo + hi) * 0.5;
        sd = 0.0;
    } else {
        MeanAndStdDev(sorted.data(), n, mean, sd);
    }

    int type = DistributionFit::None;
    double best = 0.0;
    if (sd > m_dTolerance) {
        IterationControl control;
        control.nBaseIterations = m_nMaxIterations;
        control.dTolerance = m_dTolerance;
        const CandidateCdfs cdf(control, m_dSqrt2);
        double* stat = fit.m_adStatistic;

        stat[DistributionFit::Normal] = Guarded([&] {
            return KolmogorovSmirnov(sorted, Step::RangeOverN, [&](double x) { return cdf.Normal(x, mean, sd); });
        });
        stat[DistributionFit::Uniform] = Guarded([&] {
            return KolmogorovSmirnov(sorted, Step::OneOverNMinusOne,
                                     [&](double x) { return CandidateCdfs::Uniform(x, lo, hi); });
        });
        stat[DistributionFit::Triangular] = Guarded([&] {
            return KolmogorovSmirnov(sorted, Step::OneOverNMinusOne,
                                     [&](double x) { return CandidateCdfs::Triangular(x, mean, lo, hi); });
        });
        double a, b;
        BetaParametersFromMoments(mean, sd, lo, hi, a, b);
        stat[DistributionFit::Beta] = !(a > 0.0 && b > 0.0)
            ? DistributionFit::InvalidStatistic
            : Guarded([&] {
                  return KolmogorovSmirnov(sorted, Step::OneOverNMinusOne,
                                           [&](double x) { return cdf.Beta(x, a, b, lo, hi); });
              });
        // Both start at 0: a sample reaching below 0 or without a positive mean is
        // neither, and their statistics would be meaningless (even negative).
        const bool positive = lo >= 0.0 && mean > 0.0;
        stat[DistributionFit::Exponential] = !positive
            ? DistributionFit::InvalidStatistic
            : Guarded([&] {
                  return KolmogorovSmirnov(sorted, Step::RangeOverNMinusOne,
                                           [&](double x) { return CandidateCdfs::Exponential(x, mean); });
              });
        stat[DistributionFit::Lognormal] = !positive
            ? DistributionFit::InvalidStatistic
            : Guarded([&] {
                  return KolmogorovSmirnov(sorted, Step::RangeOverN,
                                           [&](double x) { return cdf.Lognormal(x, mean, sd); });
              });

        // The first candidate in this order wins a tie.
        for (int candidate = DistributionFit::Normal; candidate <= DistributionFit::Lognormal; ++candidate) {
            const double s = stat[candidate];
            if (s == DistributionFit::InvalidStatistic)
                continue;
            if (type == DistributionFit::None || s < best) {
                best = s;
                type = candidate;
            }
        }
    }

    fit.m_dMin = lo;
    fit.m_dMax = hi;
    fit.m_dMean = type == DistributionFit::Uniform ? (lo + hi) * 0.5 : mean;
    fit.m_dStdDev = sd;
    fit.m_dBestStatistic = best;
    fit.m_nType = type;
}
