// Where a rock's flight parabola x(t) = x0 + vx t, y(t) = y0 + vy t + a t^2
// crosses a line segment, and the distance from a point to a segment.
#pragma once

#include <cmath>

// A segment prepared for parabola crossings: its slope and extent are worked
// out once, so that the engine can keep one per model line for a whole run.
struct CParabolaLine
{
    double x1, y1, x2, y2;
    double m;                       // dy/dx of a non-vertical segment
    double xmin, xmax, ymin, ymax;
    bool vertical;
    bool spanIsY;                   // the span is measured along y (|dy| >= |dx|)

    void Set(double ax1, double ay1, double ax2, double ay2);
};

class CFlightParabola
{
public:
    void SetGravity(double g)
    {
        m_a = -0.5 * (g < 0 ? -g : g);
        m_inv2a = 0.5 / m_a;
        Precompute();
    }
    void SetStart(double x0, double y0, double vx, double vy)
    {
        m_x0 = x0; m_y0 = y0; m_vx = vx; m_vy = vy;
        Precompute();
    }
    void SetSegment(double x1, double y1, double x2, double y2) { m_line.Set(x1, y1, x2, y2); }

    // True when the parabola crosses the segment at a time >= 0. With two valid
    // crossings twoCrossings is set and the first one is the earlier.
    bool Solve(bool& twoCrossings) { return Solve(m_line, twoCrossings); }
    // The same against a prepared line.
    bool Solve(const CParabolaLine& line, bool& twoCrossings);

    // False when the parabola cannot meet the line at any time >= 0: the line
    // lies wholly behind the rock, above the top of its flight, or on one side
    // of the parabola over its whole width. A quick test (no division, no
    // root) that never rejects a line Solve would find a crossing with.
    bool MayCross(const CParabolaLine& line) const;

    double GetTime(bool second) const { return second ? m_t2 : m_t1; }
    double GetX(bool second) const { return second ? m_secondX : m_firstX; }
    double GetY(bool second) const { return second ? m_secondY : m_firstY; }

private:
    // What MayCross needs of the start, worked out once per start.
    void Precompute();

    double m_a = -0.5 * 9.80665;
    double m_inv2a = 0.5 / (-0.5 * 9.80665);
    double m_apexLimit = 0;
    double m_margin = 0;
    double m_x0 = 0, m_y0 = 0, m_vx = 0, m_vy = 0;
    double m_invVx = 0;
    CParabolaLine m_line{};
    double m_t1 = 0, m_t2 = 0;
    double m_firstX = 0, m_firstY = 0;
    double m_secondX = 0, m_secondY = 0;
};

inline bool CFlightParabola::MayCross(const CParabolaLine& line) const
{
    // x(t) moves one way only.
    if (m_vx > 0.0 ? line.xmax < m_x0 - m_margin
                   : (m_vx < 0.0 ? line.xmin > m_x0 + m_margin
                                 : line.xmax < m_x0 - m_margin || line.xmin > m_x0 + m_margin))
        return false;
    if (line.ymin > m_apexLimit)
        return false;
    if (line.vertical || m_vx == 0.0)
        return true;

    // f = parabola height - line height is concave along x. Positive at both
    // ends: positive between them, no crossing. Negative at both ends: a
    // crossing needs f's top (at time -w / 2a) strictly inside the span.
    const double tau1 = (line.x1 - m_x0) * m_invVx;
    const double tau2 = (line.x2 - m_x0) * m_invVx;
    const double f1 = m_y0 + m_vy * tau1 + m_a * tau1 * tau1 - line.y1;
    const double f2 = m_y0 + m_vy * tau2 + m_a * tau2 * tau2 - line.y2;
    const double fMargin = m_margin + 1e-9 * (std::fabs(line.y1) + std::fabs(line.y2));
    if (f1 > fMargin && f2 > fMargin)
        return false;
    if (f1 < -fMargin && f2 < -fMargin)
    {
        const double tauTop = -(m_vy - line.m * m_vx) * m_inv2a;
        const double lo = tau1 < tau2 ? tau1 : tau2, hi = tau1 < tau2 ? tau2 : tau1;
        const double tMargin = 1e-9 * (1.0 + std::fabs(lo) + std::fabs(hi));
        if (tauTop < lo - tMargin || tauTop > hi + tMargin)
            return false;
    }
    return true;
}

// Distance from (px, py) to the segment (x1, y1)-(x2, y2) and the nearest
// point; returns 1 when that is the first end, 2 an interior point, 3 the
// second end.
int PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py,
                         double* distance, double* nearestX, double* nearestY);
