#include "geometry/SegmentRecords.h"

#include "geometry/Geometry.h"

void CSegmentIntersector::SetSegmentA(double x1, double y1, double x2, double y2)
{
    m_a[0] = x1; m_a[1] = y1; m_a[2] = x2; m_a[3] = y2;
    m_bHit = false;
}

void CSegmentIntersector::SetSegmentB(double x1, double y1, double x2, double y2)
{
    m_b[0] = x1; m_b[1] = y1; m_b[2] = x2; m_b[3] = y2;
    m_bHit = false;
}

bool CSegmentIntersector::Compute(int* code, double* tA)
{
    double x = m_dX, y = m_dY, t = DBL_MAX;
    const int result = SegmentIntersection(m_a[0], m_a[1], m_a[2], m_a[3],
                                           m_b[0], m_b[1], m_b[2], m_b[3], x, y, t);
    if (result != 0) {
        m_dX = x;
        m_dY = y;
    }
    m_bHit = result == 1;
    if (code)
        *code = result;
    if (tA)
        *tA = result == 0 ? DBL_MAX : t;
    return m_bHit;
}

void CSegmentProjection::SetSegment(double x1, double y1, double x2, double y2)
{
    m_dX1 = x1; m_dY1 = y1; m_dX2 = x2; m_dY2 = y2;
    m_bStale = true;
}

void CSegmentProjection::SetPoint(double x, double y)
{
    m_dPx = x;
    m_dPy = y;
    m_bStale = true;
}

void CSegmentProjection::Update()
{
    if (!m_bStale)
        return;
    m_nCode = NearestPointOnSegment(m_dX1, m_dY1, m_dX2, m_dY2, m_dPx, m_dPy, m_dDistance,
                                    m_dNearestX, m_dNearestY);
    m_bStale = false;
}

double CSegmentProjection::GetDistance() { Update(); return m_dDistance; }
CVector2D CSegmentProjection::GetNearestPoint() { Update(); return CVector2D(m_dNearestX, m_dNearestY); }
bool CSegmentProjection::IsNearestAtStart() { Update(); return m_nCode == 1; }
bool CSegmentProjection::IsNearestInterior() { Update(); return m_nCode == 2; }
bool CSegmentProjection::IsNearestAtEnd() { Update(); return m_nCode == 3; }
