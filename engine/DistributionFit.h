// The result of fitting candidate distributions to a sample by the two-sided
// Kolmogorov-Smirnov statistic (CSampleStatistics::FitDistribution).
#pragma once

struct DistributionFit
{
    // Candidate distributions; the codes index m_adStatistic.
    enum Type : int
    {
        None = 1,
        Normal = 2,
        Uniform = 3,
        Triangular = 4,
        Beta = 5,
        Exponential = 6,
        Lognormal = 7,
    };
    static constexpr int StatisticCount = 10;
    // Statistic of a candidate that does not apply to the sample or could not be
    // evaluated (no positive beta parameters, a negative sample for the exponential
    // and lognormal, a special function that did not converge).
    static constexpr double InvalidStatistic = -1.0;

    double m_dMin;
    double m_dMax;
    double m_dMean;             // the midpoint of min and max for a Uniform result
    double m_dStdDev;
    double m_dBestStatistic;    // 0 when a fit found no candidate
    double m_adStatistic[StatisticCount];   // by type code; DBL_MAX where none was computed
    int m_nType;

    DistributionFit() { Reset(); }
    void Reset();
};
