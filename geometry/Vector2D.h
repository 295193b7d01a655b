// A world point or displacement: two doubles, copied by value everywhere.
#pragma once

#include <cmath>
#include <initializer_list>

class CVector2D
{
public:
    double x;
    double y;

    // Leaves both coordinates unset; code that needs "no point" sets DBL_MAX itself.
    CVector2D() {}
    CVector2D(double ax, double ay) : x(ax), y(ay) {}

    // Equal within 2 * max(1e-9, 1e-9 * |largest coordinate of either point|),
    // strictly, on both axes; a NaN coordinate makes the points unequal.
    bool ApproxEqual(double ox, double oy) const
    {
        double t = 1e-9;
        for (double c : {x, y, ox, oy})
            t = std::fmax(t, std::fabs(1e-9 * c));
        const double tol = 2.0 * t;
        return std::fabs(x - ox) < tol && std::fabs(y - oy) < tol;
    }
    bool ApproxEqual(const CVector2D& o) const { return ApproxEqual(o.x, o.y); }
    bool operator!=(const CVector2D& o) const { return !ApproxEqual(o); }

    // Exact comparison: the very same stored value, no tolerance.
    bool operator==(const CVector2D& o) const { return x == o.x && y == o.y; }

    CVector2D& operator-=(const CVector2D& d) { x -= d.x; y -= d.y; return *this; }
    CVector2D& operator+=(const CVector2D& d) { x += d.x; y += d.y; return *this; }
    // Exact equality with two coordinates.
    bool Equals(double ox, double oy) const { return x == ox && y == oy; }

    double Dot(double ox, double oy) const { return x * ox + y * oy; }
    double Dot(const CVector2D& o) const { return Dot(o.x, o.y); }
    double Length() const { return std::sqrt(x * x + y * y); }
    double DistanceSquaredTo(double ox, double oy) const
    {
        const double dx = x - ox, dy = y - oy;
        return dx * dx + dy * dy;
    }
    double DistanceSquaredTo(const CVector2D& o) const { return DistanceSquaredTo(o.x, o.y); }
    double DistanceTo(double ox, double oy) const { return std::sqrt(DistanceSquaredTo(ox, oy)); }
    double DistanceTo(const CVector2D& o) const { return DistanceTo(o.x, o.y); }

    // Truncates towards minus infinity onto a grid of k steps per unit.
    CVector2D& RoundDown(double k)
    {
        x = std::floor(k * x) / k;
        y = std::floor(k * y) / k;
        return *this;
    }
};
