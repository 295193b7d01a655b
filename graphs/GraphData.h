// Turns a computation's results into the one data series of a graph window:
// histograms of the distributions at one horizontal location, of the rock end
// points and of the hits on one barrier or collector, and the envelopes of
// maxima along the slope. Each builder also fills the raw values (exactly the
// values it counted) and the computed axis ranges.
//
// The builders read the results through CGraphResults, which the document
// implements for the graph window; tests give them records of their own.
#pragma once

#include <cfloat>
#include <vector>

#include "engine/SampleStatistics.h"
#include "graphs/GraphKinds.h"
#include "model/ResultRecords.h"

class CEntity;
class CTalusimBarrier;
class CTalusimRockPath;

struct GraphEndPoint {
    double x;
    double y;
    bool passes;    // the rock's path passes the filter
};

// What the graphs read of a computation.
class CGraphResults
{
public:
    virtual ~CGraphResults() = default;

    // Number of horizontal analysis locations of the project.
    virtual int GetLocationCount() = 0;
    virtual int GetDistributionCount() = 0;
    // Null for an index without a record.
    virtual CDistributionSamples* GetDistribution(int i) = 0;
    // The per-location maxima that are set, in order.
    virtual std::vector<CLocationEnvelope> GetLocationMaxima() = 0;
    virtual std::vector<GraphEndPoint> GetEndPoints() = 0;
    // Some path passes the filter and the others are hidden.
    virtual bool IsFilteredOnlyActive() = 0;
    // Over every location: the largest value of the kind and the largest count
    // of its histogram of `bins` bins over [0, that value].
    virtual void ComputeHistogramMaxCount(int kind, int bins, double& maxValue, double& maxCount) = 0;
    // False without a slope.
    virtual bool GetSlopeXExtent(double& minX, double& maxX) = 0;
    // Whether the object is still one of the drawing's barriers or collectors.
    // Answered by pointer comparison: a deleted object is never dereferenced.
    virtual bool HoldsObject(const CEntity* object) = 0;

    static bool PathPasses(const CTalusimRockPath* path);
};

// The series of a graph: x and y arrays of point-count entries, reached only
// through bounds-checked accessors. Point count -1 means no series.
class CGraphSeries
{
public:
    void Allocate(int points);
    void Release();
    bool Exists() const { return m_count >= 0; }
    int GetCount() const { return m_count; }

    void SetX(int i, double v) { if (InRange(i)) m_x[i] = v; }
    void SetY(int i, double v) { if (InRange(i)) m_y[i] = v; }
    void AddOneToY(int i) { if (InRange(i)) m_y[i] += 1.0; }
    double GetX(int i) const { return InRange(i) ? m_x[i] : 0.0; }
    double GetY(int i) const { return InRange(i) ? m_y[i] : 0.0; }
    const double* XData() const { return m_x.data(); }
    const double* YData() const { return m_y.data(); }

    int chartType = 2;    // 1 line (envelopes), 2 bars (histograms)

private:
    bool InRange(int i) const { return i >= 0 && i < m_count; }
    int m_count = -1;
    std::vector<double> m_x, m_y;
};

// The horizontal location whose distribution is shown.
struct SelectedLocation {
    double slopeHeight = DBL_MAX;
    double x = DBL_MAX;
    int index = -1;
    bool IsSet() const { return index >= 0; }
    void Clear() { *this = SelectedLocation(); }
};

// With index -1, the location nearest x (location 0 left of the slope, the right
// one of two equally near); otherwise location `index`. Cleared when none fits.
void SelectLocation(CGraphResults& results, double x, int index, SelectedLocation& location);

// Everything one rebuild of a graph works on.
struct GraphState {
    int kind = GRAPH_NONE;
    CEntity* object = nullptr;    // barrier or collector of an impact graph
    ChartSettings settings;
    SelectedLocation location;
    CGraphSeries series;
    CSampleStatistics raw;
};

// Builds the data of the state's kind (bins settled, raw values emptied, the
// ranges the user did not give taken from the computed ones). An impact graph
// whose object is no longer in the drawing forgets the object and shows no data.
void RebuildGraphData(CGraphResults& results, GraphState& state);

void SetupDistribution(CGraphResults& results, GraphState& state);
void SetupEndPoints(CGraphResults& results, GraphState& state);
void SetupEnvelope(CGraphResults& results, GraphState& state);
void SetupImpactGraph(CGraphResults& results, GraphState& state);

// Whether the graph has anything to draw; results may be null (no document).
bool HasData(CGraphResults* results, const GraphState& state);

// The window title: the kind's title, "on " and the object's name for an
// impact graph, " at x=" and the location for a distribution with a location.
CString GraphWindowTitle(int kind, const CEntity* object, const SelectedLocation& location);
