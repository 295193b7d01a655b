// CPolyLine geometric queries: grips, cursors, nearest vertex and segment,
// rectangle and point tests, data tip, shape tests and vertex normals.
#include <cfloat>
#include <cmath>
#include <vector>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/CursorIds.h"
#include "geometry/Geometry.h"
#include "geometry/LineClipper.h"
#include "geometry/PolyLine.h"
#include "geometry/SegmentRecords.h"
#include "geometry/ViewContext.h"

namespace {

// Of the segments offered, the nearest to a point among those whose nearest
// point to it lies inside them (not at an end).
class CNearestInteriorSegment
{
public:
    explicit CNearestInteriorSegment(const CVector2D& p) { m_projection.SetPointV(p); }

    void Consider(const CVector2D& a, const CVector2D& b, int index)
    {
        m_projection.SetSegmentPoints(a, b);
        if (!m_projection.IsNearestInterior())
            return;
        const double d = m_projection.GetDistance();
        if (m_index < 0 || d < m_distance) {
            m_index = index;
            m_distance = d;
            m_foot = m_projection.GetNearestPoint();
        }
    }
    // -1 when no segment offered had an interior nearest point.
    int Index() const { return m_index; }
    double Distance() const { return m_distance; }
    const CVector2D& Foot() const { return m_foot; }

private:
    CSegmentProjection m_projection;
    int m_index = -1;
    double m_distance = 0;
    CVector2D m_foot;
};

} // namespace

// ---- grips and handles --------------------------------------------------------

bool CPolyLine::IsGripVertex(int i, int last) const
{
    if (i >= 1 && IsVertexMarked(i - 1))
        return true;
    if (i < last && IsVertexMarked(i + 1))
        return true;
    if (m_bClosed && i == 0 && IsVertexMarked(last))
        return true;
    return m_bClosed && i == last && IsVertexMarked(0);
}

int CPolyLine::GetGripCount()
{
    const int last = GetLastVertexIndex();
    int count = 0;
    for (int i = 0; i <= last; ++i)
        count += IsGripVertex(i, last) ? 1 : 0;
    return count;
}

CVector2D CPolyLine::GetGripPoint(int k)
{
    const int last = GetLastVertexIndex();
    for (int i = 0; i <= last; ++i) {
        if (IsGripVertex(i, last) && k-- == 0)
            return m_vertices[i].Point();
    }
    return CVector2D(DBL_MAX, DBL_MAX);
}

int CPolyLine::GetHandleCount()
{
    return IsEditable() ? GetVertexCount() : 0;
}

CVector2D CPolyLine::GetHandlePoint(int i)
{
    if (!IsValidIndex(i))
        return CVector2D(DBL_MAX, DBL_MAX);
    return m_vertices[i].Point();
}

bool CPolyLine::PickGrip(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return false;
    int hit = -1;
    for (int i = 0; i < GetVertexCount(); ++i) {
        if (!pView->IsNearDevicePoint(m_vertices[i].Point(), p.x, p.y))
            continue;
        if (hit >= 0) {
            m_nGrip = kWholeEntityGrip;
            return true;
        }
        hit = i;
    }
    if (hit >= 0) {
        m_nGrip = hit;
        return true;
    }
    CVector2D c1, c2;
    pView->GetPickBox(p.x, p.y, c1, c2);
    if (CrossesRect(c1.y, c1.x, c2.y, c2.x, pView, nullptr)) {
        m_nGrip = kWholeEntityGrip;
        return true;
    }
    return false;
}

void CPolyLine::DragGrip(double x, double y)
{
    if (m_nGrip == kWholeEntityGrip) {
        RestoreVertices();
        if (m_referencePoint.x != DBL_MAX && m_referencePoint.y != DBL_MAX)
            MoveBy(x - m_referencePoint.x, y - m_referencePoint.y);
    } else if (m_nGrip >= 0 && m_nGrip <= GetLastVertexIndex()) {
        SetVertexPoint(m_nGrip, x, y);
    }
}

int CPolyLine::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return kCursorArrow;
    int hits = 0;
    for (int i = 0; i < GetVertexCount(); ++i) {
        if (!pView->IsNearDevicePoint(m_vertices[i].Point(), p.x, p.y))
            continue;
        if (++hits == 2)
            return kCursorSizeAll;
    }
    if (hits == 1) {
        if (GetVertexCount() == 2) {
            const CPolyVertex& a = m_vertices[0];
            const CPolyVertex& b = m_vertices[1];
            return (b.x - a.x) * (b.y - a.y) <= 0 ? kCursorSizeNWSE : kCursorSizeNESW;
        }
        return kCursorSizeNESW;
    }
    CVector2D c1, c2;
    pView->GetPickBox(p.x, p.y, c1, c2);
    return CrossesRect(c1.y, c1.x, c2.y, c2.x, pView, nullptr) ? kCursorSizeAll : kCursorArrow;
}

// ---- nearest vertex and segment ---------------------------------------------------

int CPolyLine::FindNearestVertex(double x, double y, bool bIncludeMarked) const
{
    int best = -1;
    double bestD = 0;
    for (int i = 0; i < GetVertexCount(); ++i) {
        if (!IsOnVisibleSegment(i) || (!bIncludeMarked && m_vertices[i].vertexMark))
            continue;
        const double d = m_vertices[i].Point().DistanceSquaredTo(x, y);
        if (best < 0 || d < bestD) {
            best = i;
            bestD = d;
        }
    }
    return best;
}

int CPolyLine::NearestSegmentIndex(bool bClosed, double x, double y, bool bIncludeMarked) const
{
    const int n = GetVertexCount();
    CNearestInteriorSegment nearest(CVector2D(x, y));
    for (int i = 1; i < n; ++i) {
        if (!m_vertices[i].segmentVisible)
            continue;
        if (!bIncludeMarked && (m_vertices[i - 1].vertexMark || m_vertices[i].vertexMark))
            continue;
        nearest.Consider(m_vertices[i - 1].Point(), m_vertices[i].Point(), i);
    }
    // The closing segment is taken only when neither of its ends is marked.
    if (bClosed && n >= 2 && m_vertices[0].segmentVisible && !m_vertices[n - 1].vertexMark &&
        !m_vertices[0].vertexMark)
        nearest.Consider(m_vertices[n - 1].Point(), m_vertices[0].Point(), 0);
    return nearest.Index();
}

CVector2D CPolyLine::GetNearestPoint(double x, double y)
{
    const int i = FindNearestVertex(x, y, true);
    if (i < 0)
        return CEntity::GetNearestPoint(x, y);
    return m_vertices[i].Point();
}

CVector2D CPolyLine::GetNearestPointInView(CViewContext* pView, double x, double y)
{
    const bool includeMarked = pView ? pView->GetVertexPickOption() : false;
    const int i = FindNearestVertex(x, y, includeMarked);
    if (i < 0)
        return CVector2D(DBL_MAX, DBL_MAX);
    return m_vertices[i].Point();
}

int CPolyLine::GetSegmentIndexAt(double x, double y)
{
    return NearestSegmentIndex(m_bClosed, x, y, true);
}

bool CPolyLine::GetSegmentAt(double x, double y, int* pIndex, CVector2D* pStart, CVector2D* pEnd)
{
    const int s = GetSegmentIndexAt(x, y);
    if (s < 0)
        return false;
    if (pIndex)
        *pIndex = s;
    if (pEnd)
        *pEnd = m_vertices[s].Point();
    if (pStart)
        *pStart = m_vertices[s == 0 ? GetLastVertexIndex() : s - 1].Point();
    return true;
}

namespace {

CVector2D FootOn(const CPolyVertexArray& v, int s, int last, double x, double y)
{
    const CPolyVertex& a = v[s == 0 ? last : s - 1];
    const CPolyVertex& b = v[s];
    double d, fx, fy;
    NearestPointOnSegment(a.x, a.y, b.x, b.y, x, y, d, fx, fy);
    return CVector2D(fx, fy);
}

} // namespace

CVector2D CPolyLine::NearerOfVertexAndFoot(double x, double y, int segment, const CVector2D& vertex,
                                           bool bIncludeMarked, bool* pIsVertex, int* pIndex) const
{
    const CVector2D f = segment != -1 ? FootOn(m_vertices, segment, GetLastVertexIndex(), x, y) : vertex;
    const CVector2D p(x, y);
    if (p.DistanceSquaredTo(vertex) > p.DistanceSquaredTo(f)) {
        if (pIsVertex) *pIsVertex = false;
        if (pIndex) *pIndex = segment;
        return f;
    }
    if (pIsVertex) *pIsVertex = true;
    if (pIndex) *pIndex = FindNearestVertex(x, y, bIncludeMarked);
    return vertex;
}

CVector2D CPolyLine::GetNearestSegmentPoint(double x, double y, bool* pIsVertex, int* pIndex)
{
    const int s = GetSegmentIndexAt(x, y);
    const CVector2D v = GetNearestPoint(x, y);
    return NearerOfVertexAndFoot(x, y, s, v, true, pIsVertex, pIndex);
}

CVector2D CPolyLine::GetNearestSegmentPointInView(CViewContext* pView, double x, double y,
                                                  bool* pIsVertex, int* pIndex)
{
    const bool option = pView ? pView->GetVertexPickOption() : false;
    const int s = NearestSegmentIndex(m_bClosed, x, y, option);
    const CVector2D v = GetNearestPointInView(pView, x, y);
    return NearerOfVertexAndFoot(x, y, s, v, option, pIsVertex, pIndex);
}

bool CPolyLine::ApplyToNearestVertex(int code, const CVector2D& point, double* pDistance,
                                     bool* pFound)
{
    const int n = GetVertexCount();
    CNearestInteriorSegment nearest(point);
    for (int i = 1; i < n; ++i)
        nearest.Consider(m_vertices[i - 1].Point(), m_vertices[i].Point(), i);
    if (m_bClosed && n >= 2)
        nearest.Consider(m_vertices[n - 1].Point(), m_vertices[0].Point(), 0);
    const int best = nearest.Index();
    if (best < 0) {
        if (pFound)
            *pFound = false;
        return false;
    }
    if (pDistance)
        *pDistance = nearest.Distance();
    if (pFound)
        *pFound = true;
    if (code == 28)
        return false;
    // Segment i ends at vertex i: the new vertex goes before it; the closing
    // segment's new vertex is appended after the last one.
    const CVector2D& foot = nearest.Foot();
    InsertVertex(best == 0 ? n : best, CPolyVertex(foot.x, foot.y));
    return true;
}

// ---- rectangles and points ------------------------------------------------------

bool CPolyLine::PassesSegmentFilter(int holder, int filter) const
{
    switch (filter) {
    case SEGMENTS_ALL: return true;
    case SEGMENTS_VISIBLE: return m_vertices[holder].segmentVisible;
    case SEGMENTS_GAPS: return !m_vertices[holder].segmentVisible;
    default: return false;
    }
}

bool CPolyLine::IntersectsRect(bool bClosed, double top, double left, double bottom, double right,
                               int filter)
{
    const int n = GetVertexCount();
    if (n == 0)
        return false;
    if (n == 1) {
        if (!PassesSegmentFilter(0, filter))
            return false;
        const CPolyVertex& v = m_vertices[0];
        return left <= v.x && v.x <= right && bottom <= v.y && v.y <= top;
    }
    CLineClipper clipper;
    clipper.Reset();
    clipper.SetWindow(top, left, bottom, right);
    for (int i = 1; i < n; ++i) {
        if (!PassesSegmentFilter(i, filter))
            continue;
        clipper.SetSegmentPoints(m_vertices[i - 1].Point(), m_vertices[i].Point());
        if (clipper.Clip())
            return true;
    }
    if (bClosed && PassesSegmentFilter(0, filter)) {
        clipper.SetSegmentPoints(m_vertices[n - 1].Point(), m_vertices[0].Point());
        return clipper.Clip();
    }
    return false;
}

bool CPolyLine::CrossesRect(double top, double left, double bottom, double right, CViewContext*,
                            CWnd*)
{
    return IntersectsRect(m_bClosed, top, left, bottom, right, SEGMENTS_ALL);
}

bool CPolyLine::ContainsPoint(double x, double y, bool bBoundaryInside)
{
    const int n = GetVertexCount();
    if (!m_bClosed || n < m_nMinVertices || n < 3)
        return false;
    std::vector<CVector2D> points((size_t)n);
    for (int i = 0; i < n; ++i)
        points[(size_t)i] = m_vertices[i].Point();
    return PointInPolygonPts(x, y, n, points.data(), bBoundaryInside ? 1 : 2);
}

// ---- data tip ---------------------------------------------------------------------

void CPolyLine::get_data_tip_text(double, double, int, CViewContext* pView, CString& out)
{
    out.Empty();
    if (pView == nullptr || !pView->GetShowCursorTip())
        return;
    if (pView->GetPickMode() != 117 && pView->GetPickMode() != 118)
        return;
    const CPoint cursor = pView->GetLastCursor();
    CVector2D c1, c2;
    pView->GetPickBox(cursor.x, cursor.y, c1, c2);
    for (int i = 0; i < GetVertexCount(); ++i) {
        const CPolyVertex& v = m_vertices[i];
        if (v.x < c1.x || v.x > c2.x || v.y < c2.y || v.y > c1.y)
            continue;
        CString number;
        number.Format("%%.%df", pView->GetLabelDecimals());
        out.Format(number + ", " + number, v.x, v.y);
        return;
    }
}

bool CPolyLine::QueryOption(CPickRequest* pRequest, CViewContext* pView, int code)
{
    if (code == 110)
        return pView != nullptr && pView->GetShowCursorTip();
    return CEntity::QueryOption(pRequest, pView, code);
}

// ---- shape tests --------------------------------------------------------------------

bool CPolyLine::IsSelfIntersecting()
{
    const int n = GetVertexCount();
    if (n < 4)
        return false;
    const int last = n - 1;
    CSegmentIntersector intersector;
    for (int i = 0; i + 1 < n; ++i) {
        intersector.SetSegmentA(m_vertices[i].x, m_vertices[i].y, m_vertices[i + 1].x,
                                m_vertices[i + 1].y);
        for (int j = i + 2; j <= last; ++j) {
            if (j == last) {
                // The closing segment shares vertex 0 with segment 0.
                if (!m_bClosed || i < 1)
                    continue;
                intersector.SetSegmentB(m_vertices[last].x, m_vertices[last].y, m_vertices[0].x,
                                        m_vertices[0].y);
            } else {
                intersector.SetSegmentB(m_vertices[j].x, m_vertices[j].y, m_vertices[j + 1].x,
                                        m_vertices[j + 1].y);
            }
            if (intersector.Compute())
                return true;
        }
    }
    return false;
}

void CPolyLine::GetMonotonicity(bool* pXMonotonic, bool* pYMonotonic)
{
    const int n = GetVertexCount();
    bool xm = true, ym = true;
    if (n > 2) {
        const bool xUp = m_vertices[1].x > m_vertices[0].x;
        const bool yUp = m_vertices[1].y > m_vertices[0].y;
        for (int i = 1; i < n; ++i) {
            const double dx = m_vertices[i].x - m_vertices[i - 1].x;
            const double dy = m_vertices[i].y - m_vertices[i - 1].y;
            if (xUp ? !(dx > 0) : !(dx < 0))
                xm = false;
            if (yUp ? !(dy > 0) : !(dy < 0))
                ym = false;
        }
    }
    if (pXMonotonic)
        *pXMonotonic = xm;
    if (pYMonotonic)
        *pYMonotonic = ym;
}

double CPolyLine::GetLength(bool bWithClosing) const
{
    const int n = GetVertexCount();
    double length = 0;
    for (int i = 1; i < n; ++i)
        length += m_vertices[i].Point().DistanceTo(m_vertices[i - 1].Point());
    if (bWithClosing && n >= 2)
        length += m_vertices[n - 1].Point().DistanceTo(m_vertices[0].Point());
    return length;
}

bool CPolyLine::IsClockwise() const
{
    const int n = GetVertexCount();
    if (n == 0)
        return false;
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const CPolyVertex& a = m_vertices[i == 0 ? n - 1 : i - 1];
        const CPolyVertex& b = m_vertices[i];
        sum += (a.x - b.x) * (a.y + b.y);
    }
    return sum <= 0;
}

bool CPolyLine::IsClockwiseTurn(double x1, double y1, double x2, double y2, double x3, double y3)
{
    const double s = (x3 - x1) * (y3 + y1) + (x2 - x3) * (y3 + y2) + (x1 - x2) * (y1 + y2);
    return s <= 0;
}

void CPolyLine::ComputeVertexNormals()
{
    const int n = GetVertexCount();
    if (n == 0)
        return;
    const double h = std::fabs(GetTop() - GetBottom()) * 1e-6;
    const double s = IsClockwise() ? -1.0 : 1.0;
    for (int i = 0; i < n; ++i) {
        const int next = (i + 1) % n;
        const double dx = m_vertices[next].x - m_vertices[i].x;
        const double dy = m_vertices[next].y - m_vertices[i].y;
        double L = std::sqrt(dx * dx + dy * dy);
        if (L == 0)
            L = 1;
        CPolyVertex v = m_vertices[next];
        v.segmentNormal = CVector2D(-s * dy * h / L, s * dx * h / L);
        SetVertex(next, v);
    }
    for (int i = 0; i < n; ++i) {
        CPolyVertex v = m_vertices[i];
        v.startNormal = v.endNormal = v.segmentNormal;
        SetVertex(i, v);
    }
    for (int k = 0; k < n; ++k) {
        const CPolyVertex& p = m_vertices[k == 0 ? n - 1 : k - 1];
        const CPolyVertex& c = m_vertices[k];
        const int nextIndex = (k + 1) % n;
        const CPolyVertex& q = m_vertices[nextIndex];
        if (IsClockwiseTurn(p.x, p.y, c.x, c.y, q.x, q.y))
            continue;
        if ((p.x - c.x) * (q.x - c.x) + (p.y - c.y) * (q.y - c.y) < 0)
            continue;
        double bx = (p.x + q.x) / 2 - c.x, by = (p.y + q.y) / 2 - c.y;
        const double L = std::sqrt(bx * bx + by * by);
        if (L > 0) {
            bx = bx / L * h;
            by = by / L * h;
        }
        CPolyVertex vk = m_vertices[k];
        vk.endNormal = CVector2D(bx, by);
        SetVertex(k, vk);
        CPolyVertex vn = m_vertices[nextIndex];
        vn.startNormal = CVector2D(bx, by);
        SetVertex(nextIndex, vn);
    }
}
