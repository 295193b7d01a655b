#include "engine/SampleStatistics.h"

#include <cfloat>
#include <cmath>

#include "engine/SortHelper.h"

CSampleStatistics::CSampleStatistics(bool bFixedSeed)
    : m_bFixedSeed(bFixedSeed), m_nMaxIterations(100), m_dTolerance(1e-5),
      m_dSqrt2(1.4142135623730951)
{
    Reset();
}

void CSampleStatistics::AddValue(const double& value, unsigned char marker)
{
    m_arrSamples.push_back(value);
    m_arrMarkers.push_back(marker);
    m_bStale = true;
}

double CSampleStatistics::GetValue(int i) const
{
    if (i < 0 || i >= GetCount())
        return DBL_MAX;
    return m_arrSamples[static_cast<size_t>(i)];
}

double CSampleStatistics::GetSortedValue(int i) const
{
    Recompute();
    if (i < 0 || i >= GetCount())
        return DBL_MAX;
    return m_arrSorted[static_cast<size_t>(i)];
}

double CSampleStatistics::GetMinimum() const { Recompute(); return m_dMin; }
double CSampleStatistics::GetMaximum() const { Recompute(); return m_dMax; }
double CSampleStatistics::GetMean() const { Recompute(); return m_dMean; }
double CSampleStatistics::GetMedian() const { Recompute(); return m_dMedian; }
double CSampleStatistics::GetStdDev() const { Recompute(); return m_dStdDev; }
double CSampleStatistics::GetVariance() const { Recompute(); return m_dVariance; }
double CSampleStatistics::GetRange() const { Recompute(); return m_dRange; }

void CSampleStatistics::Reset()
{
    m_dRange = m_dMean = m_dMedian = m_dStdDev = m_dVariance = m_dMin = m_dMax = DBL_MAX;
    std::vector<double>().swap(m_arrSamples);
    std::vector<double>().swap(m_arrSorted);
    // The markers go with their values; kept past a reset they would grow with every
    // refill of an accumulator that is reused (a graph rebuilt many times).
    std::vector<unsigned char>().swap(m_arrMarkers);
    m_bStale = true;
}

void CSampleStatistics::MeanAndStdDev(const double* values, int count, double& mean, double& sd)
{
    // Welford's update: m2 only ever grows by a product of two numbers of the same
    // sign, and a constant sample leaves the running mean exactly at its value.
    double runningMean = 0.0;
    double m2 = 0.0;
    for (int k = 0; k < count; ++k) {
        const double x = values[k];
        const double delta = x - runningMean;
        runningMean += delta / (k + 1);
        m2 += delta * (x - runningMean);
    }
    mean = count > 0 ? runningMean : 0.0;
    sd = count > 1 && m2 > 0.0 ? std::sqrt(m2 / (count - 1)) : 0.0;
}

void CSampleStatistics::Recompute() const
{
    if (!m_bStale || m_arrSamples.empty())
        return;
    m_bStale = false;

    m_arrSorted = m_arrSamples;
    CSortHelper().Sort(m_arrSorted);

    m_dMin = m_dMax = m_arrSamples.front();
    for (double x : m_arrSamples) {
        if (x < m_dMin)
            m_dMin = x;
        if (x > m_dMax)
            m_dMax = x;
    }
    m_dRange = std::fabs(m_dMax - m_dMin);
    MeanAndStdDev(m_arrSamples.data(), GetCount(), m_dMean, m_dStdDev);
    m_dVariance = m_dStdDev * m_dStdDev;
    m_dMedian = m_arrSorted[(m_arrSorted.size() - 1) / 2];
}

void CSampleStatistics::BetaParametersFromMoments(double mean, double sd, double min, double max,
                                                  double& a, double& b)
{
    const double r = max - min;
    const double e = (mean - min) / r;
    const double f = sd / r;
    a = e * e * (1.0 - e) / (f * f) - e;
    b = (1.0 - e) * a / e;
}
