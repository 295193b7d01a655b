// Where a rock's flight parabola x(t) = x0 + vx t, y(t) = y0 + vy t + a t^2
// crosses a line segment, and the distance from a point to a segment.
#pragma once

class CFlightParabola
{
public:
    void SetGravity(double g) { m_a = -0.5 * (g < 0 ? -g : g); }
    void SetStart(double x0, double y0, double vx, double vy)
    {
        m_x0 = x0; m_y0 = y0; m_vx = vx; m_vy = vy;
    }
    void SetSegment(double x1, double y1, double x2, double y2)
    {
        m_x1 = x1; m_y1 = y1; m_x2 = x2; m_y2 = y2;
    }

    // True when the parabola crosses the segment at a time >= 0. With two valid
    // crossings twoCrossings is set and the first one is the earlier.
    bool Solve(bool& twoCrossings);

    double GetTime(bool second) const { return second ? m_t2 : m_t1; }
    double GetX(bool second) const { return second ? m_secondX : m_firstX; }
    double GetY(bool second) const { return second ? m_secondY : m_firstY; }

private:
    bool InSpan(double x, double y) const;

    double m_a = -0.5 * 9.80665;
    double m_x0 = 0, m_y0 = 0, m_vx = 0, m_vy = 0;
    double m_x1 = 0, m_y1 = 0, m_x2 = 0, m_y2 = 0;
    double m_t1 = 0, m_t2 = 0;
    double m_firstX = 0, m_firstY = 0;
    double m_secondX = 0, m_secondY = 0;
};

// Distance from (px, py) to the segment (x1, y1)-(x2, y2) and the nearest
// point; returns 1 when that is the first end, 2 an interior point, 3 the
// second end.
int PointSegmentDistance(double x1, double y1, double x2, double y2, double px, double py,
                         double* distance, double* nearestX, double* nearestY);
