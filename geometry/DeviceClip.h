// Clipping in doubles against an axis-aligned box, used before device
// coordinates are cut to whole pixels: a segment or a polygon reaching far off
// the device keeps its direction where it shows, instead of bending towards a
// limited end point.
#pragma once

#include <vector>

struct CClipPoint {
    double x, y;
};

struct CClipBox {
    double xmin, ymin, xmax, ymax;

    bool Contains(const CClipPoint& p) const
    {
        return xmin <= p.x && p.x <= xmax && ymin <= p.y && p.y <= ymax;
    }
};

// Cuts the segment a-b to the part inside the box (Liang-Barsky); false when no
// part lies inside or a coordinate is not finite. The cut ends lie on the
// segment's own line.
bool ClipSegmentToBox(CClipPoint& a, CClipPoint& b, const CClipBox& box);

// The closed polygon cut to the box, edge by edge (Sutherland-Hodgman). Where
// the polygon runs outside, the result follows the box's edges, which is what
// a fill needs; out is empty when nothing is inside or a coordinate is not
// finite. scratch is working room, kept by the caller so that a redraw does
// not allocate once it has grown.
void ClipPolygonToBox(const std::vector<CClipPoint>& in, const CClipBox& box, std::vector<CClipPoint>& out,
                      std::vector<CClipPoint>& scratch);
