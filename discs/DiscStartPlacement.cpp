#include "discs/DiscStartPlacement.h"

#include <algorithm>
#include <cmath>
#include "geometry/Geometry.h"

namespace {

struct Vec {
    double x, y;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
double Length(Vec a) { return std::hypot(a.x, a.y); }
Vec Unit(Vec a)
{
    const double l = Length(a);
    return l > 0 ? a * (1.0 / l) : Vec{0, 0};
}
Vec Of(const CVector2D& p) { return {p.x, p.y}; }

// The nearest point of a segment to p, and where it lies: 1 at a, 2 between
// the ends, 3 at b. (The distance is taken from the point: the geometry's own
// is the less exact one for a point on the line far from the origin.)
Vec NearestOnSegment(Vec a, Vec b, Vec p, int& where)
{
    double distance = 0, qx = 0, qy = 0;
    where = NearestPointOnSegment(a.x, a.y, b.x, b.y, p.x, p.y, distance, qx, qy);
    return {qx, qy};
}

// Where the slope is nearest to p: the point, the normal into the air there
// (at a vertex the mean of its segments' normals) and whether p lies on the
// ground side. A point nearest to one of the slope's two ends is beyond the
// slope, never under it.
struct SlopeNearest {
    Vec point{0, 0};
    Vec normal{0, 1};
    double distance = 0;
    bool under = false;
};

class Slope
{
public:
    Slope(const CDiscWalls& walls) : m_walls(walls) {}

    Vec Normal(int segment) const
    {
        const Vec a = Of(m_walls.slope[static_cast<size_t>(segment)]);
        const Vec b = Of(m_walls.slope[static_cast<size_t>(segment) + 1]);
        const Vec d = Unit(b - a);
        return m_walls.airOnLeft ? Vec{-d.y, d.x} : Vec{d.y, -d.x};
    }

    SlopeNearest Nearest(Vec p) const
    {
        const int vertices = static_cast<int>(m_walls.slope.size());
        SlopeNearest best;
        best.distance = HUGE_VAL;
        int segment = -1, vertex = 0;
        for (int i = 0; i + 1 < vertices; ++i) {
            int where = 0;
            const Vec q = NearestOnSegment(Of(m_walls.slope[static_cast<size_t>(i)]),
                                           Of(m_walls.slope[static_cast<size_t>(i) + 1]), p, where);
            const double d = Length(p - q);
            if (d < best.distance) {
                best.distance = d;
                best.point = q;
                segment = where == 2 ? i : -1;
                vertex = where == 1 ? i : i + 1;
            }
        }
        if (vertices == 1) {
            best.point = Of(m_walls.slope.front());
            best.distance = Length(p - best.point);
        }
        if (segment >= 0) {
            best.normal = Normal(segment);
        } else {
            Vec sum{0, 0};
            if (vertex > 0)
                sum = sum + Normal(vertex - 1);
            if (vertex + 1 < vertices)
                sum = sum + Normal(vertex);
            best.normal = Length(sum) > 0 ? Unit(sum) : Vec{0, 1};
        }
        const bool end = segment < 0 && (vertex == 0 || vertex == vertices - 1);
        best.under = !end && Dot(p - best.point, best.normal) < 0;
        return best;
    }

private:
    const CDiscWalls& m_walls;
};

// The normal of a barrier on the side the seeder is on; a seeder on the
// barrier's line takes the face looking up (the left face of an upright one).
Vec SeederSide(Vec a, Vec b, Vec seeder)
{
    const Vec d = Unit(b - a);
    if (Length(d) == 0)
        return {0, 1};
    const Vec left{-d.y, d.x};
    const double side = Cross(b - a, seeder - a);
    if (side > 0)
        return left;
    if (side < 0)
        return left * -1.0;
    if (left.y != 0)
        return left.y > 0 ? left : left * -1.0;
    return left.x < 0 ? left : left * -1.0;
}

}  // namespace

bool PlaceDiscClear(const CDiscWalls& walls, CVector2D seeder, double r, CVector2D& centre)
{
    const Slope slope(walls);
    const Vec start = Of(seeder);
    std::vector<Vec> sides;
    sides.reserve(walls.barriers.size());
    for (const auto& b : walls.barriers)
        sides.push_back(SeederSide(Of(b.first), Of(b.second), start));

    // Within a millionth of a radius counts as clear: rounding must not keep
    // a disc that was put a radius off a wall moving.
    const double tolerance = 1e-6 * r;
    auto push = [&](Vec& c, Vec from, Vec direction) { c = from + direction * r; };
    Vec c = start;
    // One wall at a time; where two walls pinch the disc (a valley) the
    // pushes settle where it clears both.
    for (int round = 0; round < 1000; ++round) {
        bool moved = false;
        if (walls.slope.size() > 1) {
            const SlopeNearest s = slope.Nearest(c);
            if (s.under || s.distance < r - tolerance) {
                const bool radial = !s.under && s.distance > tolerance;
                push(c, s.point, radial ? (c - s.point) * (1.0 / s.distance) : s.normal);
                moved = true;
            }
        }
        for (size_t k = 0; k < walls.barriers.size(); ++k) {
            const Vec a = Of(walls.barriers[k].first), b = Of(walls.barriers[k].second);
            int where = 0;
            const Vec q = NearestOnSegment(a, b, c, where);
            const double d = Length(c - q);
            if (d >= r - tolerance)
                continue;
            // Within its span a barrier puts the disc on the seeder's side;
            // round an end, away from the end.
            const bool across = where == 2;
            push(c, q, across || d <= tolerance ? sides[k] : (c - q) * (1.0 / d));
            moved = true;
        }
        if (!moved) {
            centre = CVector2D(c.x, c.y);
            return std::isfinite(c.x) && std::isfinite(c.y);
        }
    }
    return false;
}
