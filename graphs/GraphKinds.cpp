#include "graphs/GraphKinds.h"

namespace {

enum Quantity { Q_HEIGHT, Q_TOTAL, Q_TRANSLATIONAL, Q_ROTATIONAL, Q_VELOCITY, Q_ANGULAR, Q_LOCATION };

struct KindRow {
    int kind;
    const char* title;
    Quantity x;     // Q_LOCATION for graphs along the slope
    Quantity y;     // Q_LOCATION stands for "Number of Rocks" on histograms
    COLORREF colour;
};

constexpr COLORREF kNavy = 0x800000, kMagenta = 0xFF00FF, kTeal = 0x808000;

const KindRow kRows[] = {
    {2901, "Bounce Height Distribution", Q_HEIGHT, Q_LOCATION, kNavy},
    {2902, "Total Kinetic Energy Distribution", Q_TOTAL, Q_LOCATION, kMagenta},
    {2903, "Translational Kinetic Energy Distribution", Q_TRANSLATIONAL, Q_LOCATION, kMagenta},
    {2904, "Rotational Kinetic Energy Distribution", Q_ROTATIONAL, Q_LOCATION, kMagenta},
    {2905, "Translational Velocity Distribution", Q_VELOCITY, Q_LOCATION, kTeal},
    {2906, "Rotational Velocity Distribution", Q_ANGULAR, Q_LOCATION, kTeal},
    {2940, "Horizontal Location of Rock End-points", Q_LOCATION, Q_LOCATION, kNavy},
    {2941, "Bounce Height Envelope", Q_LOCATION, Q_HEIGHT, kNavy},
    {2942, "Total Kinetic Energy Envelope", Q_LOCATION, Q_TOTAL, kMagenta},
    {2943, "Translational Kinetic Energy Envelope", Q_LOCATION, Q_TRANSLATIONAL, kMagenta},
    {2944, "Rotational Kinetic Energy Envelope", Q_LOCATION, Q_ROTATIONAL, kMagenta},
    {2945, "Translational Velocity Envelope", Q_LOCATION, Q_VELOCITY, kTeal},
    {2946, "Rotational Velocity Envelope", Q_LOCATION, Q_ANGULAR, kTeal},
    {3140, "Translational Kinetic Energy ", Q_TRANSLATIONAL, Q_LOCATION, kMagenta},
    {3141, "Rotational Kinetic Energy ", Q_ROTATIONAL, Q_LOCATION, kMagenta},
    {3142, "Total Kinetic Energy ", Q_TOTAL, Q_LOCATION, kMagenta},
    {3143, "Translational Velocity ", Q_VELOCITY, Q_LOCATION, kTeal},
    {3144, "Rotational Velocity ", Q_ANGULAR, Q_LOCATION, kTeal},
    {3145, "X-Impact Location ", Q_LOCATION, Q_LOCATION, kNavy},
    {3146, "Y-Impact Location ", Q_LOCATION, Q_LOCATION, kNavy},
};

const KindRow* FindRow(int kind)
{
    for (const KindRow& row : kRows)
        if (row.kind == kind)
            return &row;
    return nullptr;
}

CString QuantityTitle(Quantity q, const GraphUnits& u)
{
    switch (q) {
    case Q_HEIGHT: return "Height Above Slope " + u.length;
    case Q_TOTAL: return "Total Kinetic Energy " + u.energy;
    case Q_TRANSLATIONAL: return "Translational Kinetic Energy " + u.energy;
    case Q_ROTATIONAL: return "Rotational Kinetic Energy " + u.energy;
    case Q_VELOCITY: return "Translational Velocity " + u.velocity;
    case Q_ANGULAR: return "Angular Velocity " + u.angularVelocity;
    case Q_LOCATION: return "Location " + u.length;
    }
    return CString();
}

} // namespace

CString GraphKindTitle(int kind)
{
    const KindRow* row = FindRow(kind);
    return row ? CString(row->title) : CString();
}

COLORREF GraphSeriesColour(int kind)
{
    const KindRow* row = FindRow(kind);
    return row ? row->colour : 0;
}

void GraphAxisTitles(int kind, const GraphUnits& units, CString& xTitle, CString& yTitle)
{
    const KindRow* row = FindRow(kind);
    if (!row) {
        xTitle.Empty();
        yTitle.Empty();
        return;
    }
    xTitle = QuantityTitle(row->x, units);
    // Every graph but an envelope is a histogram: it counts rocks.
    yTitle = IsEnvelopeGraph(kind) ? QuantityTitle(row->y, units) : CString("Number of Rocks");
}
