#include "engine/EngineGeometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace enginegeo
{

namespace
{
double Snap(double t)
{
    if (t > -1e-8 && t < 1e-8)
        return 0.0;
    if (t > 0.99999999 && t < 1.00000001)
        return 1.0;
    return t;
}

double SegmentDistance(double x1, double y1, double x2, double y2, double px, double py)
{
    const CVector2D q = ProjectOnSegment(x1, y1, x2, y2, px, py);
    return q.DistanceTo(px, py);
}
} // namespace

bool SegmentsMeet(double ax1, double ay1, double ax2, double ay2,
                  double bx1, double by1, double bx2, double by2, double* x, double* y)
{
    const double dax = ax2 - ax1, day = ay2 - ay1;
    const double dbx = bx2 - bx1, dby = by2 - by1;
    const double den = dax * dby - day * dbx;
    double tol = 1e-9 * std::max(std::fabs(dbx), std::fabs(dby));
    if (tol == 0.0)
        tol = 1e-9;
    if (std::fabs(den) < tol)
        return false;
    double tA = ((bx1 - ax1) * dby - (by1 - ay1) * dbx) / den;
    double px = ax1 + dax * tA, py = ay1 + day * tA;
    double tB = 0.0;
    if (std::fabs(dbx) > tol)
        tB = (px - bx1) / dbx;
    else if (std::fabs(dby) > tol)
        tB = (py - by1) / dby;
    tA = Snap(tA);
    tB = Snap(tB);
    if (tA < 0.0 || tA > 1.0 || tB < 0.0 || tB > 1.0)
        return false;
    // A snapped parameter means the crossing is an end point: give it exactly.
    if (tA == 0.0) { px = ax1; py = ay1; }
    else if (tA == 1.0) { px = ax2; py = ay2; }
    else if (tB == 0.0) { px = bx1; py = by1; }
    else if (tB == 1.0) { px = bx2; py = by2; }
    *x = px;
    *y = py;
    return true;
}

CVector2D ProjectOnSegment(double x1, double y1, double x2, double y2, double px, double py)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0.0)
        return CVector2D(x1, y1);
    const double p = ((px - x1) * dx + (py - y1) * dy) / len2;
    if (p <= 0.0)
        return CVector2D(x1, y1);
    if (p >= 1.0)
        return CVector2D(x2, y2);
    return CVector2D(x1 + p * dx, y1 + p * dy);
}

bool IsClockwiseTurn(double x1, double y1, double x2, double y2, double x3, double y3)
{
    const double s = (x3 - x1) * (y3 + y1) + (x2 - x3) * (y3 + y2) + (x1 - x2) * (y1 + y2);
    return s <= 0.0;
}

void CModelRegion::AddPoint(double x, double y)
{
    Vertex v;
    v.point = CVector2D(x, y);
    v.segmentNormal = v.startNormal = v.endNormal = CVector2D(0.0, 1.0);
    m_vertices.push_back(v);
    m_scale = std::max({m_scale, std::fabs(x), std::fabs(y)});
}

bool CModelRegion::IsClockwise() const
{
    double sum = 0.0;
    const int n = GetVertexCount();
    for (int i = 0; i < n; ++i)
    {
        const CVector2D& a = m_vertices[Previous(i)].point;
        const CVector2D& b = m_vertices[i].point;
        sum += (a.x - b.x) * (a.y + b.y);
    }
    return sum <= 0.0;
}

void CModelRegion::ComputeVertexNormals()
{
    const int n = GetVertexCount();
    if (n == 0)
        return;
    double top = -DBL_MAX, bottom = DBL_MAX;
    for (const Vertex& v : m_vertices)
    {
        top = std::max(top, v.point.y);
        bottom = std::min(bottom, v.point.y);
    }
    const double h = std::fabs(top - bottom) * 1e-6;
    const double s = IsClockwise() ? -1.0 : 1.0;

    for (int i = 0; i < n; ++i)
    {
        const int next = (i + 1) % n;
        const double dx = m_vertices[next].point.x - m_vertices[i].point.x;
        const double dy = m_vertices[next].point.y - m_vertices[i].point.y;
        double len = std::sqrt(dx * dx + dy * dy);
        if (len == 0.0)
            len = 1.0;
        Vertex& v = m_vertices[next];
        v.segmentNormal = CVector2D(-s * dy * h / len, s * dx * h / len);
    }
    for (Vertex& v : m_vertices)
        v.startNormal = v.endNormal = v.segmentNormal;

    // At a sharp convex corner both segments' normals would point out of the
    // region on one side; the bisector points into it.
    for (int k = 0; k < n; ++k)
    {
        const CVector2D& p = m_vertices[Previous(k)].point;
        const CVector2D& c = m_vertices[k].point;
        const int next = (k + 1) % n;
        const CVector2D& q = m_vertices[next].point;
        if (IsClockwiseTurn(p.x, p.y, c.x, c.y, q.x, q.y))
            continue;
        if ((p.x - c.x) * (q.x - c.x) + (p.y - c.y) * (q.y - c.y) < 0.0)
            continue;
        // The bisector of the two directions, whatever the lengths of the
        // segments: a slope digitised with more vertices keeps its offsets.
        const double pl = std::hypot(p.x - c.x, p.y - c.y), ql = std::hypot(q.x - c.x, q.y - c.y);
        if (pl == 0.0 || ql == 0.0)
            continue;
        double bx = (p.x - c.x) / pl + (q.x - c.x) / ql, by = (p.y - c.y) / pl + (q.y - c.y) / ql;
        const double bl = std::sqrt(bx * bx + by * by);
        if (bl == 0.0)
            continue;
        bx *= h / bl;
        by *= h / bl;
        m_vertices[k].endNormal = CVector2D(bx, by);
        m_vertices[next].startNormal = CVector2D(bx, by);
    }
}

bool CModelRegion::ContainsPoint(double x, double y) const
{
    const int n = GetVertexCount();
    if (n < 3)
        return false;
    if (SegmentAtPoint(x, y) != -1)
        return true;
    // Crossing count of the ray towards negative x.
    bool inside = false;
    for (int i = 0; i < n; ++i)
    {
        const CVector2D& a = m_vertices[Previous(i)].point;
        const CVector2D& b = m_vertices[i].point;
        if ((a.y > y) != (b.y > y))
        {
            const double xc = a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (xc < x)
                inside = !inside;
        }
    }
    return inside;
}

CVector2D CModelRegion::NearestPoint(double x, double y) const
{
    const int i = FindNearestSegment(x, y);
    if (i < 0)
        return CVector2D(DBL_MAX, DBL_MAX);
    const CVector2D& a = m_vertices[Previous(i)].point;
    const CVector2D& b = m_vertices[i].point;
    return ProjectOnSegment(a.x, a.y, b.x, b.y, x, y);
}

int CModelRegion::FindNearestSegment(double x, double y) const
{
    const int n = GetVertexCount();
    if (n < 2)
        return -1;
    int best = -1;
    double bestDistance = DBL_MAX;
    // Segments 1 .. n-1 first, the closing segment (0) last; the first minimum wins.
    for (int k = 1; k <= n; ++k)
    {
        const int i = k % n;
        const CVector2D& a = m_vertices[Previous(i)].point;
        const CVector2D& b = m_vertices[i].point;
        const double d = SegmentDistance(a.x, a.y, b.x, b.y, x, y);
        if (d < bestDistance)
        {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

int CModelRegion::SegmentAtPoint(double x, double y) const
{
    const int n = GetVertexCount();
    if (n < 2)
        return -1;
    for (int k = 1; k <= n; ++k)
    {
        const int i = k % n;
        const CVector2D& a = m_vertices[Previous(i)].point;
        const CVector2D& b = m_vertices[i].point;
        if (SegmentDistance(a.x, a.y, b.x, b.y, x, y) <= 1e-9 * m_scale)
            return i;
    }
    return -1;
}

} // namespace enginegeo
