#include "engine/FlightParabola.h"

#include <algorithm>
#include <cmath>

bool CFlightParabola::InSpan(double x, double y) const
{
    // The span is measured along the segment's longer axis, ends included.
    if (std::fabs(m_y2 - m_y1) >= std::fabs(m_x2 - m_x1))
        return y >= std::min(m_y1, m_y2) && y <= std::max(m_y1, m_y2);
    return x >= std::min(m_x1, m_x2) && x <= std::max(m_x1, m_x2);
}

bool CFlightParabola::Solve(bool& twoCrossings)
{
    twoCrossings = false;
    if (m_x2 == m_x1)
    {
        // Vertical segment: the time at which x reaches it. A start on the line
        // (t below one unit of rounding) is not a crossing.
        if (m_vx == 0.0)
            return false;
        const double t = (m_x1 - m_x0) / m_vx;
        if (!(t >= 0x1p-52))
            return false;
        const double y = m_y0 + m_vy * t + m_a * t * t;
        if (y < std::min(m_y1, m_y2) || y > std::max(m_y1, m_y2))
            return false;
        m_t1 = t;
        m_firstX = m_x1;
        m_firstY = y;
        return true;
    }

    const double m = (m_y2 - m_y1) / (m_x2 - m_x1);
    const double w = m_vy - m * m_vx;
    const double c = m_y0 - m_y1 + m * (m_x1 - m_x0);
    const double d = w * w - 4.0 * m_a * c;
    if (d < 0.0)
        return false;

    // The roots of a t^2 + w t + c = 0 in the cancellation-free form: a rock
    // placed a hair off a line must see the tiny crossing time with its sign.
    const double sq = std::sqrt(d);
    const double q = -0.5 * (w + (w >= 0.0 ? sq : -sq));
    double tA, tB;
    if (q == 0.0)
        tA = tB = 0.0;   // w = 0 and d = 0: the double root at c = 0
    else
    {
        tA = q / m_a;
        tB = c / q;
    }

    bool validA = false, validB = false;
    double xA = 0, yA = 0, xB = 0, yB = 0;
    if (tA >= 0.0)
    {
        xA = m_x0 + m_vx * tA;
        yA = m_y0 + m_vy * tA + m_a * tA * tA;
        validA = InSpan(xA, yA);
    }
    if (tB >= 0.0)
    {
        xB = m_x0 + m_vx * tB;
        yB = m_y0 + m_vy * tB + m_a * tB * tB;
        validB = InSpan(xB, yB);
    }

    if (validA && validB)
    {
        if (tB < tA)
        {
            std::swap(tA, tB);
            std::swap(xA, xB);
            std::swap(yA, yB);
        }
        m_t1 = tA; m_firstX = xA; m_firstY = yA;
        m_t2 = tB; m_secondX = xB; m_secondY = yB;
        twoCrossings = true;
        return true;
    }
    if (validA)
    {
        m_t1 = tA; m_firstX = xA; m_firstY = yA;
        return true;
    }
    if (validB)
    {
        m_t1 = tB; m_firstX = xB; m_firstY = yB;
        return true;
    }
    return false;
}

int PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py,
                         double* distance, double* nearestX, double* nearestY)
{
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::sqrt(dx * dx + dy * dy);
    const double rx = px - x1, ry = py - y1;
    if (length == 0.0)
    {
        *distance = std::sqrt(rx * rx + ry * ry);
        *nearestX = x1;
        *nearestY = y1;
        return 1;
    }
    const double ux = dx / length, uy = dy / length;
    const double p = rx * ux + ry * uy;
    if (p <= 0.0)
    {
        *distance = std::sqrt(rx * rx + ry * ry);
        *nearestX = x1;
        *nearestY = y1;
        return 1;
    }
    if (p >= length)
    {
        *distance = std::hypot(px - x2, py - y2);
        *nearestX = x2;
        *nearestY = y2;
        return 3;
    }
    *distance = std::sqrt(std::fabs(rx * rx + ry * ry - p * p));
    *nearestX = x1 + p * ux;
    *nearestY = y1 + p * uy;
    return 2;
}
