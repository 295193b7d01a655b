#include "engine/FlightParabola.h"

#include <algorithm>
#include <cmath>

void CParabolaLine::Set(double ax1, double ay1, double ax2, double ay2)
{
    x1 = ax1; y1 = ay1; x2 = ax2; y2 = ay2;
    vertical = x2 == x1;
    m = vertical ? 0.0 : (y2 - y1) / (x2 - x1);
    xmin = std::min(x1, x2); xmax = std::max(x1, x2);
    ymin = std::min(y1, y2); ymax = std::max(y1, y2);
    spanIsY = std::fabs(y2 - y1) >= std::fabs(x2 - x1);
}

namespace
{
// The span is measured along the segment's longer axis, ends included.
inline bool InSpan(const CParabolaLine& line, double x, double y)
{
    if (line.spanIsY)
        return y >= line.ymin && y <= line.ymax;
    return x >= line.xmin && x <= line.xmax;
}
} // namespace

void CFlightParabola::Precompute()
{
    m_invVx = m_vx != 0.0 ? 1.0 / m_vx : 0.0;
    // The margins cover a crossing point that rounding puts a hair outside a
    // segment's box.
    m_margin = 1e-9 * (1.0 + std::fabs(m_x0) + std::fabs(m_y0));
    const double apex = m_vy > 0.0 ? m_y0 - m_vy * m_vy * 0.5 * m_inv2a : m_y0;
    m_apexLimit = apex + m_margin + 1e-9 * std::fabs(apex);
}

bool CFlightParabola::Solve(const CParabolaLine& line, bool& twoCrossings)
{
    twoCrossings = false;
    if (line.vertical)
    {
        // Vertical segment: the time at which x reaches it. A start on the line
        // (t below one unit of rounding) is not a crossing.
        if (m_vx == 0.0)
            return false;
        const double t = (line.x1 - m_x0) / m_vx;
        if (!(t >= 0x1p-52))
            return false;
        const double y = m_y0 + m_vy * t + m_a * t * t;
        if (y < line.ymin || y > line.ymax)
            return false;
        m_t1 = t;
        m_firstX = line.x1;
        m_firstY = y;
        return true;
    }

    const double m = line.m;
    const double w = m_vy - m * m_vx;
    const double c = m_y0 - line.y1 + m * (line.x1 - m_x0);
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
        validA = InSpan(line, xA, yA);
    }
    if (tB >= 0.0)
    {
        xB = m_x0 + m_vx * tB;
        yB = m_y0 + m_vy * tB + m_a * tB * tB;
        validB = InSpan(line, xB, yB);
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
