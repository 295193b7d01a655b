// The common scale of the distribution histograms: the largest value of a
// kind over all locations, and the largest bin count any location reaches.
#include "model/DocumentDependencies.h"

#include <algorithm>
#include <vector>

#include "engine/HistogramBins.h"

double CTalusimDoc::GetDistributionMaximum(int kind)
{
    double maximum = 0.0;
    for (int i = 0; i < m_locationMaxima.GetSize(); ++i)
    {
        const CLocationEnvelope& e = m_locationMaxima[i];
        double value = 0.0;
        switch (kind)
        {
        case DIST_BOUNCE_HEIGHT:
            // Only where a rock passed and the location lies over the slope.
            if (e.GetMaxHeight() == -DBL_MAX || e.GetSlopeHeight() == -DBL_MAX)
                continue;
            value = e.GetMaxHeight() - e.GetSlopeHeight();
            break;
        case DIST_TOTAL_ENERGY: value = e.GetMaxTotalEnergy(); break;
        case DIST_TRANSLATIONAL_ENERGY: value = e.GetMaxTranslationalEnergy(); break;
        case DIST_ROTATIONAL_ENERGY: value = e.GetMaxRotationalEnergy(); break;
        case DIST_VELOCITY: value = e.GetMaxVelocity(); break;
        case DIST_ANGULAR_VELOCITY: value = e.GetMaxAngularVelocity(); break;
        default: return 0.0;
        }
        if (value > maximum)
            maximum = value;
    }
    return maximum;
}

void CTalusimDoc::ComputeHistogramMaxCount(int kind, int bins, double& maxValue, double& maxCount)
{
    maxValue = GetDistributionMaximum(kind);
    maxCount = 0.0;
    if (maxValue == 0.0 || bins < 1)
        return;
    std::vector<int> counts(static_cast<size_t>(bins));
    CHistogramBins binning;
    binning.ResetBaseIndex();
    binning.SetBinCount(bins);
    binning.SetRange(0.0, maxValue);
    const int firstBin = binning.BinIndex(0.0);
    const int lastBin = binning.BinIndex(maxValue);
    for (int i = 0; i <= GetLastDistributionIndex(); ++i)
    {
        CDistributionSamples* samples = GetDistribution(i);
        if (samples == nullptr)
            break;
        std::fill(counts.begin(), counts.end(), 0);
        const double base = kind == DIST_BOUNCE_HEIGHT && i < m_locationMaxima.GetSize()
                                ? m_locationMaxima[i].GetSlopeHeight()
                                : 0.0;
        const int count = samples->GetCount(kind);
        for (int j = 0; j < count; ++j)
        {
            const double v = samples->GetValue(j, kind) - base;
            int b = binning.BinIndex(v);
            if (b == CHistogramBins::Below)
                b = firstBin;
            else if (b == CHistogramBins::Above)
                b = lastBin;
            ++counts[static_cast<size_t>(b)];
        }
        for (int c : counts)
            maxCount = std::max(maxCount, static_cast<double>(c));
    }
}

