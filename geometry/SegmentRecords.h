// Small value records around the segment operations: a plain segment, a
// two-segment intersection that remembers its last result, and a lazily
// recomputed point-to-segment projection.
#pragma once

#include <cfloat>
#include "geometry/Vector2D.h"

class CSegment2D
{
public:
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;

    CSegment2D() = default;
    CSegment2D(double ax1, double ay1, double ax2, double ay2) : x1(ax1), y1(ay1), x2(ax2), y2(ay2) {}
    CVector2D GetStart() const { return CVector2D(x1, y1); }
    CVector2D GetEnd() const { return CVector2D(x2, y2); }
};

class CSegmentIntersector
{
public:
    CSegmentIntersector() = default;

    void SetSegmentA(double x1, double y1, double x2, double y2);
    void SetSegmentB(double x1, double y1, double x2, double y2);

    // Runs the segment intersection into the stored point; true when the two
    // segments meet. code receives 0 parallel, 1 meet, 2 the lines meet
    // outside a segment; tA the parameter along A (DBL_MAX when parallel).
    bool Compute(int* code = nullptr, double* tA = nullptr);

    CVector2D GetPoint() const { return CVector2D(m_dX, m_dY); }
    double GetX() const { return m_dX; }
    double GetY() const { return m_dY; }

private:
    double m_dTolerance = 1e-9;
    bool m_bHit = false;
    double m_dX = 0, m_dY = 0;
    double m_a[4] = {DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX};
    double m_b[4] = {DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX};
};

class CSegmentProjection
{
public:
    CSegmentProjection() = default;

    void SetSegment(double x1, double y1, double x2, double y2);
    void SetSegmentPoints(const CVector2D& a, const CVector2D& b) { SetSegment(a.x, a.y, b.x, b.y); }
    void SetPoint(double x, double y);
    void SetPointV(const CVector2D& p) { SetPoint(p.x, p.y); }

    double GetDistance();
    CVector2D GetNearestPoint();
    bool IsNearestAtStart();
    bool IsNearestInterior();
    bool IsNearestAtEnd();

private:
    void Update();

    bool m_bStale = true;
    int m_nCode = 0;
    double m_dNearestX = 0, m_dNearestY = 0;
    double m_dDistance = 0;
    double m_dPx = 0, m_dPy = 0;
    double m_dX1 = 0, m_dY1 = 0, m_dX2 = 0, m_dY2 = 0;
};
