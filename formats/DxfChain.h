#pragma once
// Chaining of the straight segments read from a DXF file into polylines.
//
// Segments join head to tail only, at exactly equal points, when the first
// eight characters of their layer names agree. Each polyline starts with the
// first segment not yet used, in file order, and grows by scanning the list
// from its start: a segment that starts at the polyline's end is appended, one
// that ends at its start is put in front; the scan repeats while it adds
// anything and stops as soon as the polyline closes.
//
// The result is that of the plain repeated scan, but the scan jumps from match
// to match through indexes of the unused segments by their end points, so a
// file of many thousand segments chains in n log n rather than n squared.

#include <vector>
#include "framework/String.h"
#include "geometry/Vector2D.h"

struct CDxfSegment
{
    CVector2D from;
    CVector2D to;
    CString layer;
};

struct CDxfPolyline
{
    std::vector<CVector2D> points;  // segments + 1 points
    CString layer;                  // the layer of its first segment
    bool closed = false;            // last point equals the first, two segments at least
};

std::vector<CDxfPolyline> ChainDxfSegments(const std::vector<CDxfSegment>& segments);
