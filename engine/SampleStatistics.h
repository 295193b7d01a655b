// An accumulator of a one-dimensional sample (end points, energies, bounce heights,
// velocities) with its summary statistics and the choice of the distribution that
// describes it best. The summary is computed on demand: adding values only marks it
// stale, and the first query after a change recomputes everything at once.
//
// The accumulator draws no random numbers and never touches the simulation's
// generator: building statistics in the middle of a fixed-seed run must not change
// the rocks that follow.
#pragma once

#include <vector>

#include "engine/DistributionFit.h"

class CSampleStatistics
{
public:
    // The flag is kept for the callers that choose between a fixed and a clock
    // seed; no generator depends on it any more.
    explicit CSampleStatistics(bool bFixedSeed = false);
    virtual ~CSampleStatistics() = default;

    void AddValue(const double& value, unsigned char marker = 0);
    int GetCount() const { return static_cast<int>(m_arrSamples.size()); }
    // Value i in insertion order; DBL_MAX when i is not an index of the sample.
    double GetValue(int i) const;
    // The i-th smallest value; DBL_MAX when i is not an index of the sample.
    double GetSortedValue(int i) const;

    // Summary getters; DBL_MAX while the sample is empty.
    double GetMinimum() const;
    double GetMaximum() const;
    double GetMean() const;
    double GetMedian() const;   // the middle value; the lower middle one for an even count
    double GetStdDev() const;   // sample standard deviation (divisor n - 1), 0 for one value
    double GetVariance() const;
    double GetRange() const;

    void Reset();

    // Fits the six candidate distributions to the sample and reports the best one.
    // Reads the sample only: the summary above is neither used nor updated.
    void FitDistribution(DistributionFit& fit) const;

    // Shape parameters of the beta distribution on [min, max] with the given mean and
    // standard deviation. Not checked: a or b <= 0 means no such beta distribution.
    static void BetaParametersFromMoments(double mean, double sd, double min, double max,
                                          double& a, double& b);

    // Mean and sample standard deviation by a running update that cannot go
    // negative by rounding: equal values give exactly 0, never NaN.
    static void MeanAndStdDev(const double* values, int count, double& mean, double& sd);

private:
    void Recompute() const;

    bool m_bFixedSeed;
    int m_nMaxIterations;   // base limit of the special functions' iterations
    double m_dTolerance;    // their relative tolerance; also the smallest usable deviation
    double m_dSqrt2;

    mutable bool m_bStale = true;
    mutable double m_dRange;
    mutable double m_dMean;
    mutable double m_dMedian;
    mutable double m_dStdDev;
    mutable double m_dVariance;
    mutable double m_dMin;
    mutable double m_dMax;

    std::vector<double> m_arrSamples;
    mutable std::vector<double> m_arrSorted;
    std::vector<unsigned char> m_arrMarkers;
};
