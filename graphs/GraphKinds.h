// The graph kinds a graph window can show, their titles, axis titles and
// series colours, and the chart settings a graph window keeps for its life.
#pragma once

#include <windows.h>
#include <cfloat>

#include "framework/String.h"

class CEntity;

enum GraphKind {
    GRAPH_NONE = -1,
    GRAPH_DIST_FIRST = 2901,      // distributions at one horizontal location
    GRAPH_DIST_LAST = 2906,
    GRAPH_END_POINTS = 2940,
    GRAPH_ENVELOPE_FIRST = 2941,  // maxima along the slope
    GRAPH_ENVELOPE_LAST = 2946,
    GRAPH_IMPACT_FIRST = 3140,    // hits on one barrier or collector
    GRAPH_IMPACT_LAST = 3146,
};

inline bool IsDistributionGraph(int kind) { return kind >= GRAPH_DIST_FIRST && kind <= GRAPH_DIST_LAST; }
inline bool IsEnvelopeGraph(int kind) { return kind >= GRAPH_ENVELOPE_FIRST && kind <= GRAPH_ENVELOPE_LAST; }
inline bool IsEndPointGraph(int kind) { return kind == GRAPH_END_POINTS; }
inline bool IsImpactGraph(int kind) { return kind >= GRAPH_IMPACT_FIRST && kind <= GRAPH_IMPACT_LAST; }
// Distributions, end points and envelopes describe the whole run.
inline bool IsWholeRunGraph(int kind)
{
    return IsDistributionGraph(kind) || IsEndPointGraph(kind) || IsEnvelopeGraph(kind);
}

// Whether a graph window of (viewKind, viewObject) shows (kind, object):
// whole-run graphs exist once per document, impact graphs once per object.
inline bool GraphMatches(int viewKind, const CEntity* viewObject, int kind, const CEntity* object)
{
    return kind == viewKind && (IsWholeRunGraph(kind) || object == viewObject);
}

// The document's unit labels, as the titles use them.
struct GraphUnits {
    CString length = "[m]";
    CString velocity = "[m/s]";
    CString angularVelocity = "[rad/s]";
    CString energy = "[J]";
};

// The window title of a kind (without object or location); empty for an unknown kind.
CString GraphKindTitle(int kind);
COLORREF GraphSeriesColour(int kind);
void GraphAxisTitles(int kind, const GraphUnits& units, CString& xTitle, CString& yTitle);

// Titles, ranges and bins of one graph, exchanged with Chart Properties.
struct ChartSettings {
    BOOL customBins = 0;
    int defaultBins = -1;
    int customBinCount = -1;
    BOOL customYRange = 0;
    double givenYMin = DBL_MAX, givenYMax = DBL_MAX;
    double computedYMin = DBL_MAX, computedYMax = DBL_MAX;
    BOOL customXRange = 0;
    double givenXMin = DBL_MAX, givenXMax = DBL_MAX;
    double computedXMin = DBL_MAX, computedXMax = DBL_MAX;
    BYTE customHeaderFlag = 0, customXTitleFlag = 0, customYTitleFlag = 0;
    CString customXTitle, customYTitle, customHeader;
    CString computedXTitle, computedYTitle, computedHeader;

    // The bin count a histogram uses.
    int BinCount() const { return customBins ? customBinCount : defaultBins; }
    const CString& XTitle() const { return customXTitleFlag ? customXTitle : computedXTitle; }
    const CString& YTitle() const { return customYTitleFlag ? customYTitle : computedYTitle; }
    const CString& Header() const { return customHeaderFlag ? customHeader : computedHeader; }
    // The axis bounds in force: the given ones with the custom-range flag, else the computed ones.
    double XMin() const { return customXRange ? givenXMin : computedXMin; }
    double XMax() const { return customXRange ? givenXMax : computedXMax; }
    double YMin() const { return customYRange ? givenYMin : computedYMin; }
    double YMax() const { return customYRange ? givenYMax : computedYMax; }
};
