// Result records of a graph without a document: the tests set what the
// graph builders and the raw-data tables read.
#pragma once

#include <vector>

#include "graphs/GraphData.h"

class FakeResults : public CGraphResults
{
public:
    int GetLocationCount() override { return locations; }
    int GetDistributionCount() override { return static_cast<int>(distributions.size()); }
    CDistributionSamples* GetDistribution(int i) override
    {
        return i >= 0 && i < GetDistributionCount() ? &distributions[i] : nullptr;
    }
    std::vector<CLocationEnvelope> GetLocationMaxima() override { return maxima; }
    std::vector<GraphEndPoint> GetEndPoints() override { return endPoints; }
    bool IsFilteredOnlyActive() override { return filteredOnly; }
    void ComputeHistogramMaxCount(int, int, double& value, double& count) override
    {
        value = maxValue;
        count = maxCount;
    }
    bool GetSlopeXExtent(double& minX, double& maxX) override
    {
        minX = slopeMin;
        maxX = slopeMax;
        return hasSlope;
    }
    bool HoldsObject(const CEntity* object) override
    {
        for (const CEntity* e : objects)
            if (e == object)
                return true;
        return false;
    }

    int locations = 0;
    std::vector<CDistributionSamples> distributions;
    std::vector<CLocationEnvelope> maxima;
    std::vector<GraphEndPoint> endPoints;
    bool filteredOnly = false;
    double maxValue = DBL_MAX, maxCount = DBL_MAX;
    double slopeMin = 0.0, slopeMax = 0.0;
    bool hasSlope = true;
    std::vector<const CEntity*> objects;
};
