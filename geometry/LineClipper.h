// Tests a segment against an axis-aligned world rectangle (Cohen-Sutherland).
#pragma once

#include "geometry/Vector2D.h"

class CLineClipper
{
public:
    CLineClipper() = default;

    // Clip mode 0: true only when the whole segment lies in the window.
    void SetInsideTestMode() { m_bClipMode = false; }
    // Clip mode 1 (the default): true when any part lies in the window.
    void Reset() { m_bClipMode = true; }

    // Top is the largest world y.
    void SetWindow(double top, double left, double bottom, double right)
    {
        m_dTop = top;
        m_dLeft = left;
        m_dBottom = bottom;
        m_dRight = right;
    }
    void SetSegment(double x1, double y1, double x2, double y2)
    {
        m_dX1 = x1;
        m_dY1 = y1;
        m_dX2 = x2;
        m_dY2 = y2;
    }
    void SetSegmentPoints(const CVector2D& a, const CVector2D& b) { SetSegment(a.x, a.y, b.x, b.y); }

    // The stored segment is not changed.
    bool Clip() const;

private:
    double m_dX1 = 0, m_dY1 = 0, m_dX2 = 0, m_dY2 = 0;
    double m_dBottom = 0;
    double m_dLeft = 0;
    double m_dTop = 0;
    double m_dRight = 0;
    bool m_bClipMode = true;
};

// True when xmin < px < xmax and ymin < py < ymax.
bool PointStrictlyInRect(double px, double py, double xmin, double ymax, double xmax, double ymin);
