// The few plane-geometry questions the engine asks while a rock moves: segment
// crossings, projections, turn direction, and the closed region of air above
// the slope with its tiny offset normals. Kept beside the engine, value-only and
// allocation-free, so that a step never leaves the engine's own data.
#pragma once

#include <cmath>
#include <vector>

#include "geometry/Vector2D.h"

namespace enginegeo
{

// True when the segments A and B meet (ends included, parameters within 1e-8
// of an end snapped to it); (x, y) receives the meeting point.
bool SegmentsMeet(double ax1, double ay1, double ax2, double ay2,
                  double bx1, double by1, double bx2, double by2, double* x, double* y);

// The x range [lo, hi] of a piece of path from (xa, ya) to (xb, yb), widened
// well beyond the rounding of the crossings found in it: a crossing the exact
// tests report, ends snapped to within 1e-8 of the piece included, lies inside.
inline void PieceRange(double xa, double xb, double ya, double yb, double& lo, double& hi)
{
    const double margin = 1e-6 * (1.0 + std::fabs(xa) + std::fabs(xb) + std::fabs(ya) + std::fabs(yb));
    lo = (xa < xb ? xa : xb) - margin;
    hi = (xa < xb ? xb : xa) + margin;
}

// The point of segment (x1, y1)-(x2, y2) nearest to (px, py).
CVector2D ProjectOnSegment(double x1, double y1, double x2, double y2, double px, double py);

// True when p1 -> p2 -> p3 turns clockwise (y up) or runs straight.
bool IsClockwiseTurn(double x1, double y1, double x2, double y2, double x3, double y3);

// The closed outline of the air above the slope: the slope vertices left to
// right, then the two top corners. Every vertex carries three offset vectors,
// 1e-6 of the region's height long, pointing into the region: the normal of
// the segment ending at the vertex, and the normals used at that segment's
// start and end (a bisector at a sharp convex corner).
class CModelRegion
{
public:
    struct Vertex
    {
        CVector2D point;
        CVector2D segmentNormal;   // "first" normal
        CVector2D startNormal;     // "second" normal
        CVector2D endNormal;       // "third" normal
    };

    void Clear()
    {
        m_vertices.clear();
        m_scale = 1.0;
    }
    void AddPoint(double x, double y);
    void ComputeVertexNormals();

    int GetVertexCount() const { return static_cast<int>(m_vertices.size()); }
    const Vertex& GetVertex(int i) const { return m_vertices[i]; }

    // Inside or on the boundary.
    bool ContainsPoint(double x, double y) const;
    // Nearest point of the boundary.
    CVector2D NearestPoint(double x, double y) const;
    // Segments are named by their end vertex, 0 for the closing one.
    int FindNearestSegment(double x, double y) const;
    // The segment (by its end vertex) that the point lies on, -1 when none.
    int SegmentAtPoint(double x, double y) const;

private:
    int Previous(int i) const { return i == 0 ? GetVertexCount() - 1 : i - 1; }
    bool IsClockwise() const;

    std::vector<Vertex> m_vertices;
    // The largest coordinate (at least 1): "on a segment" is judged relative to
    // the size of the whole model, not of the segment, so that cutting a segment
    // into pieces does not change which points lie on it.
    double m_scale = 1.0;
};

} // namespace enginegeo
