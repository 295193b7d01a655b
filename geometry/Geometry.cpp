#include "geometry/Geometry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>
#include "geometry/Constants.h"

namespace {

// Number of points of a ring without its closing duplicate.
int RingCount(const CPointList& list)
{
    int n = (int)list.GetSize();
    if (n > 1 && list[n - 1].ApproxEqual(list[0]))
        --n;
    return n;
}

// A parameter within 1e-8 of 0 or 1 is taken as that end.
double SnapParameter(double t)
{
    if (t > -1e-8 && t < 1e-8)
        return 0.0;
    if (t > 0.99999999 && t < 1.00000001)
        return 1.0;
    return t;
}

double SnapCircleParameter(double t)
{
    if (t > -0.0001 && t < 0.0001)
        return 0.0;
    if (t > 0.9999 && t < 1.0001)
        return 1.0;
    return t;
}

} // namespace

bool PointInPolygon(double px, double py, const CPointList& polygon, int mode)
{
    const int n = RingCount(polygon);
    if (n < 3)
        return false;
    return PointInPolygonPts(px, py, n, polygon.GetData(), mode);
}

bool PointInPolygonPts(double px, double py, int n, const CVector2D* P, int mode)
{
    if (n < 3 || P == nullptr)
        return false;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        const CVector2D& A = P[i];
        const int bi = (i + 1 < n) ? i + 1 : 0;
        const CVector2D& B = P[bi];
        if (mode != 0 && PointOnSegment(px, py, A.x, A.y, B.x, B.y))
            return mode == 1;
        if (py == B.y) {
            if (B.x < px) {
                if (A.y == B.y) {
                    if (A.x > px)
                        ++count;
                } else {
                    // The ray passes through vertex B: look past it for the
                    // first vertex off the ray and count a crossing only when
                    // the polygon really changes sides there.
                    int j = bi;
                    int wraps = 0;
                    bool found = false;
                    while (wraps < 2) {
                        j = (j + 1 < n) ? j + 1 : 0;
                        if (j == 0)
                            ++wraps;
                        if (P[j].y != py) {
                            found = true;
                            break;
                        }
                    }
                    if (found) {
                        const double cy = P[j].y;
                        if ((A.y < py && py < cy) || (cy < py && py < A.y))
                            ++count;
                    }
                }
            }
            continue;
        }
        const CVector2D& H = (A.y < B.y) ? B : A;
        const CVector2D& L = (A.y < B.y) ? A : B;
        if (L.y < py && py < H.y) {
            const double xc = (H.y == L.y) ? H.x
                                           : H.x - (H.y - py) * (H.x - L.x) / (H.y - L.y);
            if (xc < px)
                ++count;
        }
    }
    return (count & 1) != 0;
}

bool PointOnSegment(double px, double py, double x1, double y1, double x2, double y2, double* t)
{
    const double xmin = std::min(x1, x2), xmax = std::max(x1, x2);
    const double ymin = std::min(y1, y2), ymax = std::max(y1, y2);
    const double tol = 1e-7 * std::max({std::fabs(x1), std::fabs(x2), std::fabs(y1), std::fabs(y2)});
    if (px < xmin - tol || px > xmax + tol || py < ymin - tol || py > ymax + tol)
        return false;
    double s;
    if (xmax - xmin <= tol) {
        if (ymax - ymin <= tol)
            return std::fabs(px - xmin) < tol && std::fabs(py - ymin) < tol;
        s = (py - y1) / (y2 - y1);
    } else {
        s = (px - x1) / (x2 - x1);
    }
    const double qx = x2 * s + (1 - s) * x1;
    const double qy = y2 * s + (1 - s) * y1;
    const bool on = std::fabs(qx - px) < tol && std::fabs(qy - py) < tol;
    if (on && t)
        *t = s;
    return on;
}

bool PointInTriangle(double ax, double ay, double bx, double by, double cx, double cy,
                     double px, double py, int mode)
{
    if (mode != 0) {
        if (PointOnSegment(px, py, ax, ay, bx, by) || PointOnSegment(px, py, bx, by, cx, cy) ||
            PointOnSegment(px, py, cx, cy, ax, ay))
            return mode == 1;
    }
    return (cx - bx) * (py - by) - (cy - by) * (px - bx) > 0 &&
           (ax - cx) * (py - cy) - (ay - cy) * (px - cx) > 0 &&
           (bx - ax) * (py - ay) - (by - ay) * (px - ax) > 0;
}

int SegmentIntersection(double ax1, double ay1, double ax2, double ay2,
                        double bx1, double by1, double bx2, double by2,
                        double& x, double& y, double& tAOut)
{
    const double dax = ax2 - ax1, day = ay2 - ay1;
    const double dbx = bx2 - bx1, dby = by2 - by1;
    const double den = dax * dby - day * dbx;
    double tol = 1e-9 * std::max(std::fabs(dbx), std::fabs(dby));
    if (tol == 0)
        tol = 1e-9;
    if (std::fabs(den) < tol)
        return 0;
    double tA = ((bx1 - ax1) * dby - (by1 - ay1) * dbx) / den;
    x = ax1 + dax * tA;
    y = ay1 + day * tA;
    double tB = 0;
    if (std::fabs(dbx) > tol)
        tB = (x - bx1) / dbx;
    else if (std::fabs(dby) > tol)
        tB = (y - by1) / dby;
    tA = SnapParameter(tA);
    tB = SnapParameter(tB);
    tAOut = tA;
    if (tA < 0 || tA > 1 || tB < 0 || tB > 1)
        return 2;
    if (tA == 0) { x = ax1; y = ay1; }
    else if (tA == 1) { x = ax2; y = ay2; }
    else if (tB == 0) { x = bx1; y = by1; }
    else if (tB == 1) { x = bx2; y = by2; }
    return 1;
}

bool SegmentsCrossProperly(double x1, double y1, double x2, double y2,
                           double x3, double y3, double x4, double y4)
{
    const double den = (x2 - x1) * (y4 - y3) - (y2 - y1) * (x4 - x3);
    if (!(std::fabs(den) > 0))
        return false;
    const double ua = ((x3 - x1) * (y4 - y3) - (y3 - y1) * (x4 - x3)) / den;
    const double ub = ((x3 - x1) * (y2 - y1) - (y3 - y1) * (x2 - x1)) / den;
    return ua >= 1e-6 && ua <= 0.999999 && ub >= 1e-6 && ub <= 0.999999;
}

int SegmentCircleIntersection(double x1, double y1, double x2, double y2,
                              double cx, double cy, double r, double xs[2], double ys[2])
{
    if ((x1 < cx - r && x2 < cx - r) || (x1 > cx + r && x2 > cx + r) ||
        (y1 < cy - r && y2 < cy - r) || (y1 > cy + r && y2 > cy + r))
        return 0;
    const double u1x = x1 - cx, u1y = y1 - cy, u2x = x2 - cx, u2y = y2 - cy;
    const double a = (u1x - u2x) * (u1x - u2x) + (u1y - u2y) * (u1y - u2y);
    if (a == 0)
        return 0;
    const double b = 2 * ((u2y - u1y) * u1y + (u2x - u1x) * u1x);
    const double c = u1x * u1x + u1y * u1y - r * r;
    const double disc = b * b - 4 * a * c;
    auto pointAt = [&](double t, int k) {
        xs[k] = cx + u1x * (1 - t) + u2x * t;
        ys[k] = cy + u1y * (1 - t) + u2y * t;
    };
    if (disc == 0) {
        const double t = SnapCircleParameter(-b / (2 * a));
        if (t >= 0 && t <= 1) {
            pointAt(t, 0);
            return 1;
        }
        return 0;
    }
    if (disc < 0)
        return 0;
    const double root = std::sqrt(disc);
    int count = 0;
    for (double t : {(-b + root) / (2 * a), (-b - root) / (2 * a)}) {
        t = SnapCircleParameter(t);
        if (t >= 0 && t <= 1)
            pointAt(t, count++);
    }
    if (count == 2 && xs[1] < xs[0]) {
        std::swap(xs[0], xs[1]);
        std::swap(ys[0], ys[1]);
    }
    return count;
}

namespace {

int Dir(double dx, double dy)
{
    if (dx > 0) return -1;
    if (dx < 0) return 1;
    if (dy > 0) return -1;
    if (dy < 0) return 1;
    return 0;
}

// Returns false when the turn changes sign (the polygon is not convex).
bool UpdateTurn(int& turn, double k)
{
    int t = turn;
    if (k > 0) t = 1;
    else if (k < 0) t = -1;
    if (turn != 0 && t != turn)
        return false;
    turn = t;
    return true;
}

} // namespace

int PolygonOrientation(int n, const CVector2D* const* P)
{
    if (n < 3)
        return 2;
    const CVector2D first = *P[0];
    int si = 1;
    while (si < n && P[si]->x == first.x && P[si]->y == first.y)
        ++si;
    if (si >= n)
        return 2;
    const CVector2D second = *P[si];
    double ex = second.x - first.x, ey = second.y - first.y;
    int lastDir = Dir(ex, ey);
    int turn = 0;
    int changes = 0;
    // Counts the reversals of the direction from one edge to the next.
    auto follow = [&](double dx, double dy) {
        const int dir = Dir(dx, dy);
        if (dir == -lastDir)
            ++changes;
        lastDir = dir;
    };
    CVector2D prev = second;
    for (int i = si + 1; i < n; ++i) {
        const double dx = P[i]->x - prev.x, dy = P[i]->y - prev.y;
        if (dx == 0 && dy == 0)
            continue;
        follow(dx, dy);
        if (!UpdateTurn(turn, ex * dy - ey * dx))
            return 0;
        ex = dx;
        ey = dy;
        prev = *P[i];
    }
    const double dx = first.x - prev.x, dy = first.y - prev.y;
    if (dx != 0 || dy != 0)
        follow(dx, dy);
    if (!UpdateTurn(turn, ex * dy - ey * dx))
        return 0;
    const double d2x = second.x - first.x, d2y = second.y - first.y;
    follow(d2x, d2y);
    if (!UpdateTurn(turn, dx * d2y - dy * d2x))
        return 0;
    if (changes > 2)
        return turn == 0 ? 1 : 0;
    if (turn > 0) return 3;
    if (turn < 0) return 4;
    return 2;
}

int PolygonOrientationOfArray(const CPointList& polygon)
{
    const int n = RingCount(polygon);
    if (n < 3)
        return 2;
    CArray<const CVector2D*, const CVector2D*> ptrs;
    ptrs.SetSize(n);
    for (int i = 0; i < n; ++i)
        ptrs[i] = &polygon[i];
    return PolygonOrientation(n, ptrs.GetData());
}

bool ConvexHull(const CPointList& P, CArray<int, int>& hull)
{
    const int count = (int)P.GetSize();
    const int last = count - 1;
    if (count < 2)
        return false;
    int s = 0;
    for (int i = 1; i <= last; ++i)
        if (P[i].x > P[s].x || (P[i].x == P[s].x && P[i].y > P[s].y))
            s = i;
    std::vector<char> used((size_t)count, 0);
    hull.RemoveAll();
    hull.Add(s);
    used[s] = true;
    int cur = s;
    double prevAngle = 0;
    for (;;) {
        int best = -1;
        double bestAngle = 0;
        for (int j = 0; j < count; ++j) {
            if (used[j])
                continue;
            double a = std::atan2(P[j].y - P[cur].y, P[j].x - P[cur].x);
            if (a < 0)
                a += TWO_PI;
            if (a < prevAngle)
                a += TWO_PI;
            if (best < 0 || a < bestAngle) {
                best = j;
                bestAngle = a;
            }
        }
        if (hull.GetSize() == 1)
            used[s] = false;
        if (best < 0 || hull.GetSize() > count)
            return false;
        if (best == s)
            return true;
        hull.Add(best);
        used[best] = true;
        cur = best;
        prevAngle = bestAngle;
    }
}

bool ArcClearOfPolygon(const CVector2D* P, int n, double cx, double cy, double r,
                       double ax, double ay, double bx, double by)
{
    if (n <= 0 || P == nullptr)
        return true;
    const double xlo = std::min(ax, bx), xhi = std::max(ax, bx);
    const double ylo = std::min(cy - r, std::min(ay, by));
    const double yhi = std::max(ay, by);
    bool allLeft = true, allBelow = true, allRight = true, allAbove = true, allInside = true;
    for (int i = 0; i < n; ++i) {
        allLeft = allLeft && P[i].x <= xlo;
        allBelow = allBelow && P[i].y <= ylo;
        allRight = allRight && P[i].x >= xhi;
        allAbove = allAbove && P[i].y >= yhi;
        const double dx = P[i].x - cx, dy = P[i].y - cy;
        allInside = allInside && dx * dx + dy * dy <= r * r;
    }
    if (allLeft || allBelow || allRight || allAbove || allInside)
        return true;
    double tol = 1e-9;
    for (double v : {ax, ay, bx, by, cx, cy, r})
        tol = std::max(tol, std::fabs(1e-9 * v));
    for (int i = 0; i < n; ++i)
        tol = std::max({tol, std::fabs(1e-9 * P[i].x), std::fabs(1e-9 * P[i].y)});
    for (int i = 0; i < n; ++i) {
        const CVector2D& A = P[i];
        const CVector2D& B = P[(i + 1) % n];
        double xs[2], ys[2];
        const int k = SegmentCircleIntersection(A.x, A.y, B.x, B.y, cx, cy, r, xs, ys);
        for (int j = 0; j < k; ++j) {
            if (xs[j] > xlo && xs[j] < xhi && !PointsCoincide(xs[j], ys[j], ax, ay, tol) &&
                !PointsCoincide(xs[j], ys[j], bx, by, tol))
                return false;
        }
    }
    return true;
}

bool PolygonArea(const CVector2D* P, int n, double& area)
{
    if (n < 3 || P == nullptr) {
        area = 0;
        return false;
    }
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const CVector2D& a = P[i];
        const CVector2D& b = P[(i + 1) % n];
        sum += (a.y + b.y) / 2 * (b.x - a.x);
    }
    area = std::fabs(sum);
    return true;
}

bool PolygonAreaOfArray(const CPointList& polygon, double& area)
{
    const int n = RingCount(polygon);
    if (n < 3)
        return false;
    return PolygonArea(polygon.GetData(), n, area);
}

int PolygonAreaCentroid(const CVector2D* P, int n, double& cx, double& cy, double& area)
{
    if (n < 3 || P == nullptr)
        return 1;
    double A = 0, sx = 0, sy = 0;
    for (int i = 0, j = n - 1; i < n; j = i++) {
        const double ai = P[j].x * P[i].y - P[i].x * P[j].y;
        A += ai;
        sx += (P[i].x + P[j].x) * ai;
        sy += (P[i].y + P[j].y) * ai;
    }
    area = A / 2;
    if (A == 0)
        return 2;
    cx = sx / (3 * A);
    cy = sy / (3 * A);
    return 0;
}

double PolylineLength(const CVector2D* P, int segments)
{
    double length = 0;
    for (int i = 0; i < segments; ++i)
        length += std::hypot(P[i + 1].x - P[i].x, P[i + 1].y - P[i].y);
    return length;
}

double ScaledTolerance(const double& a, const double& b, const double& c, const double& d)
{
    return std::max({1e-9, std::fabs(1e-9 * a), std::fabs(1e-9 * b), std::fabs(1e-9 * c),
                     std::fabs(1e-9 * d)});
}

double ScaledTolerancePts(const CVector2D& a, const CVector2D& b, double tol)
{
    return std::max({tol, std::fabs(tol * a.x), std::fabs(tol * a.y), std::fabs(tol * b.x),
                     std::fabs(tol * b.y)});
}

bool PointsCoincide(const double& x1, const double& y1, const double& x2, const double& y2,
                    double tol)
{
    if (tol < 0)
        tol = ScaledTolerance(x1, y1, x2, y2);
    return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
}

double PointLineDistance(double x1, double y1, double x2, double y2, double px, double py)
{
    const double L = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    const double s = ((y2 - y1) / L) * (py - y1) + ((x2 - x1) / L) * (px - x1);
    return std::sqrt(std::fabs((px - x1) * (px - x1) + (py - y1) * (py - y1) - s * s));
}

int NearestPointOnSegment(double x1, double y1, double x2, double y2, double px, double py,
                          double& distance, double& nx, double& ny)
{
    if (x1 == x2 && y1 == y2) {
        nx = x2;
        ny = y2;
        distance = Distance(px, py, x2, y2);
        return 1;
    }
    const double L = std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
    const double s = ((y2 - y1) / L) * (py - y1) + ((x2 - x1) / L) * (px - x1);
    if (s <= 0) {
        nx = x1;
        ny = y1;
        distance = Distance(px, py, x1, y1);
        return 1;
    }
    if (s >= L) {
        nx = x2;
        ny = y2;
        distance = Distance(px, py, x2, y2);
        return 3;
    }
    nx = x1 + (x2 - x1) * s / L;
    ny = y1 + (y2 - y1) * s / L;
    distance = std::sqrt(std::fabs((px - x1) * (px - x1) + (py - y1) * (py - y1) - s * s));
    return 2;
}

double Distance(double x1, double y1, double x2, double y2)
{
    return std::sqrt((x2 - x1) * (x2 - x1) + (y2 - y1) * (y2 - y1));
}

double DistanceBetween(const CVector2D& a, const CVector2D& b)
{
    return Distance(a.x, a.y, b.x, b.y);
}

void Normalise2D(double& x, double& y)
{
    const double L = std::sqrt(x * x + y * y);
    x /= L;
    y /= L;
}

double Cross2D(double a, double b, double c, double d) { return a * d - b * c; }
double Dot2D(double ax, double ay, double bx, double by) { return ax * bx + ay * by; }
double Dot3D(double ax, double ay, double az, double bx, double by, double bz)
{
    return ax * bx + ay * by + az * bz;
}

double DotN(const double* a, const double* b, int n)
{
    double sum = 0;
    for (int i = 0; i < n; ++i)
        sum += a[i] * b[i];
    return sum;
}

void Cross3D(double ax, double ay, double az, double bx, double by, double bz,
             double& ox, double& oy, double& oz)
{
    ox = ay * bz - az * by;
    oy = az * bx - ax * bz;
    oz = ax * by - ay * bx;
}

void CrossProduct3D(double ax, double ay, double az, double bx, double by, double bz,
                    double& ox, double& oy, double& oz)
{
    Cross3D(ax, ay, az, bx, by, bz, ox, oy, oz);
}

void Cross3DOfArrays(const double a[3], const double b[3], double out[3])
{
    Cross3D(a[0], a[1], a[2], b[0], b[1], b[2], out[0], out[1], out[2]);
}

bool PlaneFrom3Points(const double xs[3], const double ys[3], const double zs[3],
                      double x, double y, double& z)
{
    double a = 0, b = 0, c = 0;
    for (int i = 0; i < 3; ++i) {
        const int j = (i + 1) % 3;
        a += (ys[i] - ys[j]) * (zs[i] + zs[j]);
        b += (zs[i] - zs[j]) * (xs[i] + xs[j]);
        c += (xs[i] - xs[j]) * (ys[i] + ys[j]);
    }
    if (c == 0) {
        z = 0;
        return false;
    }
    const double d = -(a * xs[0] + b * ys[0] + c * zs[0]);
    z = (-a * x - b * y - d) / c;
    return true;
}

CVector2D& RotatePoint(CVector2D& p, double angle, double cx, double cy, bool radians)
{
    if (!radians)
        angle = angle * PI / 180.0;
    const double c = std::cos(angle), s = std::sin(angle);
    const double dx = p.x - cx, dy = p.y - cy;
    p.x = cx + c * dx - s * dy;
    p.y = cy + c * dy + s * dx;
    return p;
}

void ShrinkSegment(CVector2D& p1, CVector2D& p2, double t)
{
    const CVector2D a = p1;
    const double dx = p2.x - a.x, dy = p2.y - a.y;
    p1 = CVector2D(a.x + t * dx, a.y + t * dy);
    p2 = CVector2D(a.x + (1 - t) * dx, a.y + (1 - t) * dy);
}

double AngleCosine(double ax, double ay, double vx, double vy, double bx, double by)
{
    const double ux = ax - vx, uy = ay - vy, wx = bx - vx, wy = by - vy;
    const double lengths = std::sqrt(ux * ux + uy * uy) * std::sqrt(wx * wx + wy * wy);
    if (lengths <= 1e-9)
        return DBL_MAX;
    return (ux * wx + uy * wy) / lengths;
}

void NormaliseAngle(int mode, double& angle)
{
    double turn;
    if (mode == 0)
        turn = 360.0;
    else if (mode == 1)
        turn = TWO_PI;
    else
        return;
    // A non-finite angle would never come into range.
    if (!std::isfinite(angle))
        return;
    // Far-out angles are first brought near the range in one step; the loop
    // then finishes exactly as repeated turns would.
    if (std::fabs(angle) > 1000 * turn)
        angle = std::fmod(angle, turn);
    while (angle < 0)
        angle += turn;
    while (angle >= turn)
        angle -= turn;
}

bool AngleFromVertical(CVector2D& p1, CVector2D& p2, double limit, double& signedLimit,
                       double& angle)
{
    if (p2.y < p1.y)
        std::swap(p1, p2);
    const double phi1 = std::atan2(-1.0, 0.0);
    const double phi2 = std::atan2(p1.y - p2.y, p1.x - p2.x);
    double c = phi1 - phi2;
    if (c < -PI)
        c += TWO_PI;
    signedLimit = limit;
    if (std::fabs(c) > 1e-9)
        signedLimit = std::copysign(std::fabs(limit), c);
    angle = c;
    return std::fabs(signedLimit) < std::fabs(c);
}

bool CircleThrough3Points(double x1, double y1, double x2, double y2, double x3, double y3,
                          double& cx, double& cy, double& r)
{
    cx = cy = r = 0;
    const double scale = std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2),
                                   std::fabs(x3), std::fabs(y3)});
    const double tol = std::max(1e-9, 1e-9 * scale);
    const double A = 2 * x1 - 2 * x2, m = 2 * x2 - 2 * x3;
    const double u = 2 * y1 - 2 * y2, w = 2 * y2 - 2 * y3;
    const double det = m * u - A * w;
    // A zero determinant is the only case without a circle: collinear points.
    if (std::fabs(det) <= tol)
        return false;
    const double G = (x1 * x1 - x2 * x2) + (y1 * y1 - y2 * y2);
    const double H = (x2 * x2 - x3 * x3) + (y2 * y2 - y3 * y3);
    cy = (m * G - A * H) / det;
    // With x1 = x2 the first equation does not fix cx; solve the pair as a
    // whole instead of dividing by A.
    if (std::fabs(A) > tol)
        cx = (G - u * cy) / A;
    else
        cx = (u * H - G * w) / det;
    r = Distance(x1, y1, cx, cy);
    return true;
}

bool ArcFromChordAngle(const CVector2D& p1, const CVector2D& p2, double a, bool radians,
                       CVector2D& centre, double& radius)
{
    if (!radians)
        a = a * PI / 180.0;
    const double h = DistanceBetween(p1, p2) / 2;
    const double s = std::sin(a);
    if (s > -1e-9 && s < 1e-9)
        return false;
    const double R = h / s;
    const double phi = std::atan2(p1.y - p2.y, p1.x - p2.x) - (HALF_PI - a);
    centre = CVector2D(p2.x + R * std::cos(phi), p2.y + R * std::sin(phi));
    radius = std::fabs(R);
    return true;
}

bool ArcFromTangent(const CVector2D& p1, const CVector2D& p2, const CVector2D& p3,
                    CVector2D& centre, double& radius)
{
    const double t3 = std::atan2(p3.y - p2.y, p3.x - p2.x);
    const double t1 = std::atan2(p1.y - p2.y, p1.x - p2.x);
    const double s = std::sin(t3 - t1);
    if (std::fabs(s) < 1e-9)
        return false;
    const double R = DistanceBetween(p1, p2) * 0.5 / s;
    centre = CVector2D(p2.x + R * std::cos(t3 - HALF_PI), p2.y + R * std::sin(t3 - HALF_PI));
    radius = std::fabs(R);
    return true;
}

bool SampleArcCentres(const CVector2D& p1, const CVector2D& p2, double a0, double a1, int n,
                      bool radians, CPointList& centres, CArray<double, double>& radii)
{
    centres.RemoveAll();
    radii.RemoveAll();
    if (n < 1)
        return false;
    centres.SetSize(0, n);
    radii.SetSize(0, n);
    for (int i = 0; i < n; ++i) {
        CVector2D c;
        double r;
        if (ArcFromChordAngle(p1, p2, a0 + i * (a1 - a0) / n, radians, c, r)) {
            centres.Add(c);
            radii.Add(r);
        }
    }
    return true;
}

void CRectD::Normalize()
{
    if (y2 > y1)
        std::swap(y1, y2);
    if (x1 > x2)
        std::swap(x1, x2);
}

RECT RectFromOriginSize(int x, int y, int w, int h)
{
    RECT r;
    r.left = x;
    r.top = y;
    r.right = x + w;
    r.bottom = y + h;
    return r;
}
