#include "graphs/GraphData.h"

#include <algorithm>
#include <cmath>

#include "engine/HistogramBins.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRockPath.h"
#include "geometry/Entity.h"

bool CGraphResults::PathPasses(const CTalusimRockPath* path)
{
    // A record read from a file keeps no path: it passes no filter.
    return path != nullptr && path->IsSelectedByFilter();
}

void CGraphSeries::Allocate(int points)
{
    m_count = std::max(points, 0);
    m_x.assign(m_count, 0.0);
    m_y.assign(m_count, 0.0);
}

void CGraphSeries::Release()
{
    m_count = -1;
    m_x.clear();
    m_y.clear();
}

namespace {

// A histogram needs at least one bin, whatever the settings or the number of
// locations say.
int UsableBins(const ChartSettings& s)
{
    return std::max(s.BinCount(), 1);
}

// Bin of a value over [start, end] with n bins: outside values are clamped
// into the first or last bin, and the index always lies within the series.
int ClampedBin(const CHistogramBins& bins, double value, int n)
{
    int b = bins.BinIndex(value);
    if (b == CHistogramBins::Below)
        b = 0;
    else if (b == CHistogramBins::Above)
        b = n - 1;
    return std::clamp(b, 0, n - 1);
}

void SetBinCentres(CGraphSeries& series, double start, double end, int n)
{
    const double w = std::fabs(end - start) / n;
    for (int i = 0; i < n; ++i)
        series.SetX(i, start + w / 2 + i * w);
}

double DistributionValue(const CDistributionSamples& samples, int i, int kind, double slopeHeight)
{
    const double v = samples.GetValue(i, kind);
    return kind == DIST_BOUNCE_HEIGHT ? v - slopeHeight : v;
}

double HitValue(const CBarrierHit& hit, int kind)
{
    switch (kind) {
    case CTalusimBarrier::kGraphTranslationalEnergy: return hit.GetTranslationalEnergy();
    case CTalusimBarrier::kGraphRotationalEnergy: return hit.GetRotationalEnergy();
    case CTalusimBarrier::kGraphTotalEnergy: return hit.GetTotalEnergy();
    case CTalusimBarrier::kGraphVelocity: return hit.GetVelocity();
    case CTalusimBarrier::kGraphAngularVelocity: return hit.GetAngularVelocity();
    case CTalusimBarrier::kGraphImpactX: return hit.GetX();
    default: return hit.GetY();
    }
}

} // namespace

void SelectLocation(CGraphResults& results, double x, int index, SelectedLocation& location)
{
    const std::vector<CLocationEnvelope> maxima = results.GetLocationMaxima();
    const int count = static_cast<int>(maxima.size());
    int chosen = -1;
    if (index >= 0) {
        if (index < count)
            chosen = index;
    } else if (count > 0) {
        double slopeMin = maxima[0].GetLocation(), slopeMax = 0.0;
        results.GetSlopeXExtent(slopeMin, slopeMax);
        if (x < slopeMin) {
            chosen = 0;
        } else {
            for (int i = 0; i + 1 < count && chosen < 0; ++i) {
                const double a = maxima[i].GetLocation(), b = maxima[i + 1].GetLocation();
                if (x >= a && x <= b)
                    chosen = (x - a < b - x) ? i : i + 1;
            }
        }
    }
    if (chosen < 0) {
        location.Clear();
        return;
    }
    location.index = chosen;
    location.x = maxima[chosen].GetLocation();
    location.slopeHeight = maxima[chosen].GetSlopeHeight();
}

void SetupDistribution(CGraphResults& results, GraphState& state)
{
    ChartSettings& s = state.settings;
    const int n = UsableBins(s);

    // Fixed axes over every location, so that they stay put while the location changes.
    double maxValue = DBL_MAX, maxCount = DBL_MAX;
    results.ComputeHistogramMaxCount(state.kind, n, maxValue, maxCount);
    s.computedXMin = 0.0;
    s.computedYMin = 0.0;
    s.computedXMax = maxValue;
    s.computedYMax = maxCount;
    if (s.givenXMin == DBL_MAX) s.givenXMin = s.computedXMin;
    if (s.givenXMax == DBL_MAX) s.givenXMax = s.computedXMax;
    if (s.givenYMin == DBL_MAX) s.givenYMin = s.computedYMin;
    if (s.givenYMax == DBL_MAX) s.givenYMax = s.computedYMax;

    if (!state.location.IsSet()) {
        double minX = 0.0, maxX = 0.0;
        if (results.GetSlopeXExtent(minX, maxX))
            SelectLocation(results, (minX + maxX) / 2, -1, state.location);
    }
    double h = state.location.slopeHeight;
    if (!(std::fabs(h) <= 3.4028235e38))
        h = 0.0;

    CDistributionSamples* samples = results.GetDistribution(state.location.index);
    state.series.Release();
    state.raw.Reset();
    // Without a record for the location there is nothing to show: an old series
    // would belong to another location or another run.
    if (!samples)
        return;

    const double a = s.XMin(), b = s.XMax();
    if (a == DBL_MAX && b == DBL_MAX)
        return;
    const double start = std::min(a, b), end = std::max(a, b);

    state.series.Allocate(n);
    state.series.chartType = 2;
    CHistogramBins bins;
    bins.SetBinCount(n);
    bins.SetRange(start, end);
    SetBinCentres(state.series, start, end, n);

    const bool filteredOnly = results.IsFilteredOnlyActive();
    const int count = samples->GetCount(state.kind);
    for (int i = 0; i < count; ++i) {
        if (filteredOnly && !CGraphResults::PathPasses(samples->GetRockPath(i)))
            continue;
        const double v = DistributionValue(*samples, i, state.kind, h);
        state.raw.AddValue(v);
        state.series.AddOneToY(start == end ? 0 : ClampedBin(bins, v, n));
    }
}

void SetupEndPoints(CGraphResults& results, GraphState& state)
{
    ChartSettings& s = state.settings;
    const int n = UsableBins(s);
    state.series.Release();
    state.series.Allocate(n);
    state.series.chartType = 2;

    const std::vector<GraphEndPoint> points = results.GetEndPoints();
    if (points.empty())
        return;

    double start = 0.0, end = 0.0;
    if (s.customXRange) {
        start = std::min(s.givenXMin, s.givenXMax);
        end = std::max(s.givenXMin, s.givenXMax);
    } else {
        results.GetSlopeXExtent(start, end);
    }
    CHistogramBins bins;
    bins.SetBinCount(n);
    bins.SetRange(start, end);
    SetBinCentres(state.series, start, end, n);
    s.computedXMin = start;
    s.computedXMax = end;
    s.computedYMin = 0.0;
    s.computedYMax = 0.0;

    const bool filteredOnly = results.IsFilteredOnlyActive();
    for (const GraphEndPoint& p : points) {
        if (filteredOnly && !p.passes)
            continue;
        state.raw.AddValue(p.x);
        const int b = ClampedBin(bins, p.x, n);
        state.series.AddOneToY(b);
        s.computedYMax = std::max(s.computedYMax, state.series.GetY(b));
    }
}

void SetupEnvelope(CGraphResults& results, GraphState& state)
{
    ChartSettings& s = state.settings;
    const std::vector<CLocationEnvelope> maxima = results.GetLocationMaxima();
    state.series.Release();
    state.series.Allocate(static_cast<int>(maxima.size()));
    state.series.chartType = 1;

    for (int i = 0; i < static_cast<int>(maxima.size()); ++i) {
        const CLocationEnvelope& m = maxima[i];
        double y = 0.0;
        switch (state.kind) {
        case 2941:
            // A location no rock crossed keeps the lowest double as its maximum.
            y = m.GetMaxHeight() == -DBL_MAX ? 0.0 : m.GetMaxHeight() - m.GetSlopeHeight();
            break;
        case 2942: y = m.GetMaxTotalEnergy(); break;
        case 2943: y = m.GetMaxTranslationalEnergy(); break;
        case 2944: y = m.GetMaxRotationalEnergy(); break;
        case 2945: y = m.GetMaxVelocity(); break;
        default: y = m.GetMaxAngularVelocity(); break;
        }
        const double x = m.GetLocation();
        state.series.SetX(i, x);
        state.series.SetY(i, y);
        if (i == 0) {
            s.computedXMin = s.computedXMax = x;
            s.computedYMin = 0.0;
            s.computedYMax = y;
        } else {
            s.computedXMin = std::min(s.computedXMin, x);
            s.computedXMax = std::max(s.computedXMax, x);
            s.computedYMin = std::min(s.computedYMin, y);
            s.computedYMax = std::max(s.computedYMax, y);
        }
    }
}

void SetupImpactGraph(CGraphResults& results, GraphState& state)
{
    ChartSettings& s = state.settings;
    state.series.chartType = 2;
    state.raw.Reset();
    state.series.Release();
    // The object may have been deleted since the graph opened: it is looked up
    // by address before it is touched, and a graph without it shows no data.
    if (state.object && !results.HoldsObject(state.object))
        state.object = nullptr;
    auto* barrier = dynamic_cast<CTalusimBarrier*>(state.object);
    if (!barrier)
        return;

    const bool filteredOnly = results.IsFilteredOnlyActive();
    CArray<CBarrierHit, const CBarrierHit&> hits;
    barrier->CopyHits(hits);
    int counted = 0;
    for (int i = 0; i < hits.GetSize(); ++i)
        if (!filteredOnly || CGraphResults::PathPasses(hits[i].GetRockPath()))
            ++counted;
    if (counted == 0)
        return;

    double start = 0.0, end = 0.0;
    if (state.kind == CTalusimBarrier::kGraphImpactX) {
        start = barrier->GetX1();
        end = barrier->GetX2();
    } else if (state.kind == CTalusimBarrier::kGraphImpactY) {
        start = barrier->GetY1();
        end = barrier->GetY2();
    } else {
        start = barrier->GetGraphMinimum(state.kind);
        end = barrier->GetGraphMaximum(state.kind);
    }
    if (start > end)
        std::swap(start, end);
    // Hits that all share one value make one bar: a series of one point, so
    // that the bar keeps a width (n points at one x would have none).
    const bool single = end - start <= 1.1754944e-38;
    const int n = single ? 1 : UsableBins(s);
    CHistogramBins bins;
    bins.SetBinCount(n);
    bins.SetRange(start, end);

    // Each bar stands at the centre of its bin and the axis spans the bins'
    // edges, as in the distributions: a bar drawn at a bin's left edge would
    // show its values half a bin too low and lose half of the last bar.
    state.series.Allocate(n);
    SetBinCentres(state.series, start, end, n);
    s.computedXMin = start;
    s.computedXMax = end;
    s.computedYMin = 0.0;
    s.computedYMax = 0.0;

    for (int i = 0; i < hits.GetSize(); ++i) {
        const CBarrierHit& hit = hits[i];
        if (filteredOnly && !CGraphResults::PathPasses(hit.GetRockPath()))
            continue;
        const double v = HitValue(hit, state.kind);
        state.raw.AddValue(v);
        const int b = single ? 0 : bins.BinIndex(v);
        if (b < 0 || b >= n)
            continue;
        state.series.AddOneToY(b);
        s.computedYMin = std::min(s.computedYMin, state.series.GetY(b));
        s.computedYMax = std::max(s.computedYMax, state.series.GetY(b));
    }
}

void RebuildGraphData(CGraphResults& results, GraphState& state)
{
    ChartSettings& s = state.settings;
    if (s.defaultBins == -1) {
        const bool alongSlope = IsEnvelopeGraph(state.kind) || IsEndPointGraph(state.kind);
        s.defaultBins = alongSlope ? results.GetLocationCount() - 1 : 20;
        s.customBinCount = s.defaultBins;
    }
    state.raw.Reset();

    if (IsDistributionGraph(state.kind))
        SetupDistribution(results, state);
    else if (IsEndPointGraph(state.kind))
        SetupEndPoints(results, state);
    else if (IsEnvelopeGraph(state.kind))
        SetupEnvelope(results, state);
    else if (IsImpactGraph(state.kind))
        SetupImpactGraph(results, state);

    if (s.givenXMin == DBL_MAX) s.givenXMin = s.computedXMin;
    if (s.givenXMax == DBL_MAX) s.givenXMax = s.computedXMax;
    if (s.givenYMin == DBL_MAX) s.givenYMin = s.computedYMin;
    if (s.givenYMax == DBL_MAX) s.givenYMax = s.computedYMax;
}

bool HasData(CGraphResults* results, const GraphState& state)
{
    if (!results)
        return false;
    if (IsWholeRunGraph(state.kind)) {
        if (IsDistributionGraph(state.kind) && results->GetDistributionCount() < 1)
            return false;
        return !results->GetEndPoints().empty();
    }
    if (IsImpactGraph(state.kind)) {
        if (!state.object || !results->HoldsObject(state.object))
            return false;
        auto* barrier = dynamic_cast<CTalusimBarrier*>(state.object);
        return barrier && barrier->GetHitUpperBound(false) >= 0 && state.series.Exists();
    }
    return false;
}

CString GraphWindowTitle(int kind, const CEntity* object, const SelectedLocation& location)
{
    CString title = GraphKindTitle(kind);
    if (object)
        title += "on " + object->GetName();
    if (IsDistributionGraph(kind) && location.IsSet()) {
        CString at;
        at.Format(" at x=%.3f", location.x);
        title += at;
    }
    return title;
}
