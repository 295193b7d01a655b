#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include "geometry/Constants.h"
#include "geometry/Geometry.h"

namespace {

// A point list built in place (the class library's arrays do not copy).
struct Ring : CPointList
{
    Ring(std::initializer_list<CVector2D> points)
    {
        for (const CVector2D& p : points)
            Add(p);
    }
};

const Ring kSquare({{0, 0}, {1, 0}, {1, 1}, {0, 1}});

} // namespace

TEST(PointInPolygon, SquareWithAndWithoutClosingDuplicate)
{
    const Ring closed({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}});
    struct Case { double x, y; int mode; bool inside; };
    const Case cases[] = {
        {0.5, 0.5, 0, true}, {1.5, 0.5, 0, false}, {-0.5, 0.5, 0, false},
        {0.5, 1, 1, true},   {0.5, 1, 2, false},   {0, 0.5, 1, true}, {1, 1, 2, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PointInPolygon(c.x, c.y, kSquare, c.mode), c.inside) << c.x << "," << c.y;
        EXPECT_EQ(PointInPolygon(c.x, c.y, closed, c.mode), c.inside) << c.x << "," << c.y;
    }
    EXPECT_FALSE(PointInPolygon(0.1, 0.1, Ring({{0, 0}, {1, 0}, {0, 0}}), 0));
}

TEST(PointInPolygon, RayThroughVertices)
{
    // A diamond: the ray from (3, 0) runs exactly through the left vertex
    // (0, 0), whose neighbours lie on opposite sides: one crossing.
    const Ring diamond({{0, 0}, {1, -1}, {2, 0}, {1, 1}});
    EXPECT_TRUE(PointInPolygon(1.5, 0, diamond, 0));
    EXPECT_FALSE(PointInPolygon(3, 0, diamond, 0));
    // A "W" whose middle top vertex (2, 1) touches the ray y = 1 from above:
    // both neighbours lie below, so it counts no crossing there.
    const Ring w({{0, 0}, {4, 0}, {4, 2}, {3, 2}, {2, 1}, {1, 2}, {0, 2}});
    EXPECT_TRUE(PointInPolygon(3.5, 1, w, 0));
    EXPECT_TRUE(PointInPolygon(2.5, 1.2, w, 0));
    EXPECT_FALSE(PointInPolygon(2, 1.5, w, 0));
    // A horizontal edge lying on the ray.
    const Ring step({{0, 0}, {3, 0}, {3, 2}, {2, 2}, {2, 1}, {1, 1}, {1, 2}, {0, 2}});
    EXPECT_TRUE(PointInPolygon(2.5, 1, step, 0));
    EXPECT_FALSE(PointInPolygon(1.5, 1.5, step, 0));
}

TEST(PointOnSegment, RelativeToleranceWithoutFloor)
{
    struct Case { double px, py, x1, y1, x2, y2; bool on; };
    const Case cases[] = {
        {1e-8, 0, 0, 0, 0, 0, false},
        {5, 5e-7, 0, 0, 10, 0, true},
        {5, 2e-6, 0, 0, 10, 0, false},
        {10.0000005, 0, 0, 0, 10, 0, true},
        {0, 5, 0, 0, 0, 10, true},
        {1, 1, 0, 0, 2, 2, true},
        {1, 1.1, 0, 0, 2, 2, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PointOnSegment(c.px, c.py, c.x1, c.y1, c.x2, c.y2), c.on) << c.px << "," << c.py;
    double t = -1;
    EXPECT_TRUE(PointOnSegment(2.5, 0, 0, 0, 10, 0, &t));
    EXPECT_DOUBLE_EQ(t, 0.25);
}

TEST(PointInTriangle, OnlyCounterClockwiseContains)
{
    EXPECT_TRUE(PointInTriangle(0, 0, 4, 0, 0, 4, 1, 1, 0));
    EXPECT_FALSE(PointInTriangle(0, 0, 0, 4, 4, 0, 1, 1, 0));
    EXPECT_TRUE(PointInTriangle(0, 0, 4, 0, 0, 4, 2, 0, 1));
    EXPECT_FALSE(PointInTriangle(0, 0, 4, 0, 0, 4, 2, 0, 2));
    EXPECT_FALSE(PointInTriangle(0, 0, 4, 0, 0, 4, 2, 0, 0));
}

TEST(SegmentIntersection, CodesPointsAndSnapping)
{
    double x, y, t;
    EXPECT_EQ(SegmentIntersection(0, 0, 2, 0, 1, -1, 1, 1, x, y, t), 1);
    EXPECT_DOUBLE_EQ(x, 1);
    EXPECT_DOUBLE_EQ(y, 0);
    EXPECT_DOUBLE_EQ(t, 0.5);
    EXPECT_EQ(SegmentIntersection(0, 0, 2, 0, 3, -1, 3, 1, x, y, t), 2);
    EXPECT_DOUBLE_EQ(x, 3);
    EXPECT_DOUBLE_EQ(t, 1.5);
    x = y = t = 42;
    EXPECT_EQ(SegmentIntersection(0, 0, 2, 0, 0, 1, 2, 1, x, y, t), 0);
    EXPECT_EQ(x, 42);
    EXPECT_EQ(t, 42);
    // The crossing lies a hair before A's end: tA snaps to 1 and the exact end
    // point is returned.
    EXPECT_EQ(SegmentIntersection(0, 0, 2.00000001, 0, 2, -1, 2, 1, x, y, t), 1);
    EXPECT_EQ(t, 1.0);
    EXPECT_EQ(x, 2.00000001);
    EXPECT_EQ(y, 0.0);
}

TEST(SegmentIntersection, ProperCrossingExcludesEnds)
{
    EXPECT_TRUE(SegmentsCrossProperly(0, 0, 2, 2, 0, 2, 2, 0));
    EXPECT_FALSE(SegmentsCrossProperly(0, 0, 2, 0, 2, 0, 2, 2));
    EXPECT_FALSE(SegmentsCrossProperly(0, 0, 2, 0, 0, 1, 2, 1));
}

TEST(SegmentCircle, PointsOrderedByX)
{
    double xs[2], ys[2];
    ASSERT_EQ(SegmentCircleIntersection(2, 0, -2, 0, 0, 0, 1, xs, ys), 2);
    EXPECT_DOUBLE_EQ(xs[0], -1);
    EXPECT_DOUBLE_EQ(xs[1], 1);
    EXPECT_NEAR(ys[0], 0, 1e-15);
    ASSERT_EQ(SegmentCircleIntersection(-2, 1, 2, 1, 0, 0, 1, xs, ys), 1);
    EXPECT_DOUBLE_EQ(xs[0], 0);
    EXPECT_DOUBLE_EQ(ys[0], 1);
    EXPECT_EQ(SegmentCircleIntersection(-2, 2, 2, 2, 0, 0, 1, xs, ys), 0);
    EXPECT_EQ(SegmentCircleIntersection(0.5, 0, 0.5, 0, 0, 0, 1, xs, ys), 0);
    // One end inside the circle: one point.
    ASSERT_EQ(SegmentCircleIntersection(0, 0, 3, 0, 0, 0, 1, xs, ys), 1);
    EXPECT_DOUBLE_EQ(xs[0], 1);
}

TEST(PolygonOrientation, ConvexityAndTurn)
{
    EXPECT_EQ(PolygonOrientationOfArray(kSquare), 3);
    EXPECT_EQ(PolygonOrientationOfArray(Ring({{0, 0}, {0, 1}, {1, 1}, {1, 0}})), 4);
    EXPECT_EQ(PolygonOrientationOfArray(Ring({{0, 0}, {1, 0}, {2, 0}})), 2);
    EXPECT_EQ(PolygonOrientationOfArray(Ring({{0, 0}, {4, 0}, {4, 4}, {2, 1}, {0, 4}})), 0);
    EXPECT_EQ(PolygonOrientationOfArray(Ring({{0, 0}, {1, 0}})), 2);
    EXPECT_EQ(PolygonOrientationOfArray(Ring({{0, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 0}})), 3);
}

TEST(ConvexHull, GiftWrapFromLargestX)
{
    CArray<int, int> hull;
    ASSERT_TRUE(ConvexHull(Ring({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {1, 1}}), hull));
    ASSERT_EQ(hull.GetSize(), 4);
    const int expected[] = {2, 3, 0, 1};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(hull[i], expected[i]);
    EXPECT_FALSE(ConvexHull(Ring({{1, 1}}), hull));
}

TEST(Measures, AreasCentroidsAndLengths)
{
    double area = -1;
    const CVector2D tri[] = {{0, 0}, {4, 0}, {0, 3}};
    EXPECT_TRUE(PolygonArea(tri, 3, area));
    EXPECT_DOUBLE_EQ(area, 6);
    EXPECT_FALSE(PolygonArea(tri, 2, area));
    EXPECT_EQ(area, 0);
    EXPECT_TRUE(PolygonAreaOfArray(Ring({{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}}), area));
    EXPECT_DOUBLE_EQ(area, 4);
    area = 7;
    EXPECT_FALSE(PolygonAreaOfArray(Ring({{0, 0}, {1, 0}, {0, 0}}), area));
    EXPECT_EQ(area, 7);

    double cx, cy;
    EXPECT_EQ(PolygonAreaCentroid(tri, 3, cx, cy, area), 0);
    EXPECT_DOUBLE_EQ(area, 6);
    EXPECT_DOUBLE_EQ(cx, 4.0 / 3);
    EXPECT_DOUBLE_EQ(cy, 1.0);
    const CVector2D cw[] = {{0, 0}, {0, 3}, {4, 0}};
    EXPECT_EQ(PolygonAreaCentroid(cw, 3, cx, cy, area), 0);
    EXPECT_DOUBLE_EQ(area, -6);
    const CVector2D flat[] = {{0, 0}, {1, 0}, {2, 0}};
    EXPECT_EQ(PolygonAreaCentroid(flat, 3, cx, cy, area), 2);
    EXPECT_EQ(PolygonAreaCentroid(flat, 2, cx, cy, area), 1);

    const CVector2D path[] = {{0, 0}, {3, 4}, {3, 10}};
    EXPECT_DOUBLE_EQ(PolylineLength(path, 2), 11);
}

TEST(Measures, DistancesAndNearestPoints)
{
    EXPECT_DOUBLE_EQ(PointLineDistance(0, 0, 10, 0, 5, 3), 3);
    EXPECT_DOUBLE_EQ(PointLineDistance(0, 0, 10, 0, -5, -3), 3);

    double d, nx, ny;
    EXPECT_EQ(NearestPointOnSegment(0, 0, 10, 0, 5, 3, d, nx, ny), 2);
    EXPECT_DOUBLE_EQ(d, 3);
    EXPECT_DOUBLE_EQ(nx, 5);
    EXPECT_EQ(NearestPointOnSegment(0, 0, 10, 0, -2, 0, d, nx, ny), 1);
    EXPECT_DOUBLE_EQ(nx, 0);
    EXPECT_EQ(NearestPointOnSegment(0, 0, 10, 0, 12, 1, d, nx, ny), 3);
    EXPECT_DOUBLE_EQ(d, std::sqrt(5.0));
    EXPECT_EQ(NearestPointOnSegment(1, 1, 1, 1, 4, 5, d, nx, ny), 1);
    EXPECT_DOUBLE_EQ(d, 5);

    EXPECT_DOUBLE_EQ(ScaledTolerance(1, 2e9, -3e9, 0), 3.0);
    EXPECT_DOUBLE_EQ(ScaledTolerance(0, 0, 0, 0), 1e-9);
    EXPECT_TRUE(PointsCoincide(1e9, 0, 1e9 + 0.5, 0, -1));
    EXPECT_FALSE(PointsCoincide(1e9, 0, 1e9 + 2, 0, -1));

    double x = 3, y = 4;
    Normalise2D(x, y);
    EXPECT_DOUBLE_EQ(x, 0.6);
    EXPECT_DOUBLE_EQ(AngleCosine(1, 0, 0, 0, 0, 1), 0);
    EXPECT_EQ(AngleCosine(0, 0, 0, 0, 1, 1), DBL_MAX);
}

TEST(Transforms, RotateNormaliseShrinkAndPlane)
{
    CVector2D p(2, 1);
    RotatePoint(p, 90, 1, 1, false);
    EXPECT_NEAR(p.x, 1, 1e-12);
    EXPECT_NEAR(p.y, 2, 1e-12);
    CVector2D q(2, 1);
    RotatePoint(q, PI, 1, 1, true);
    EXPECT_NEAR(q.x, 0, 1e-12);

    struct Case { int mode; double in, out; };
    const Case cases[] = {
        {0, -30, 330}, {0, 720, 0}, {0, 359, 359}, {1, -HALF_PI, 3 * HALF_PI}, {2, -30, -30},
    };
    for (const Case& c : cases) {
        double a = c.in;
        NormaliseAngle(c.mode, a);
        EXPECT_NEAR(a, c.out, 1e-12) << c.mode << " " << c.in;
    }
    double inf = INFINITY;
    NormaliseAngle(0, inf);   // must return rather than loop
    EXPECT_TRUE(std::isinf(inf));

    CVector2D a(0, 0), b(10, 0);
    ShrinkSegment(a, b, 0.1);
    EXPECT_DOUBLE_EQ(a.x, 1);
    EXPECT_DOUBLE_EQ(b.x, 9);

    const double xs[3] = {0, 1, 0}, ys[3] = {0, 0, 1}, zs[3] = {1, 3, 4};
    double z;
    ASSERT_TRUE(PlaneFrom3Points(xs, ys, zs, 2, 2, z));
    EXPECT_DOUBLE_EQ(z, 1 + 2 * 2 + 3 * 2);   // z = 1 + 2x + 3y
    const double vx[3] = {0, 1, 2}, vy[3] = {0, 1, 2};
    EXPECT_FALSE(PlaneFrom3Points(vx, vy, zs, 1, 1, z));
    EXPECT_EQ(z, 0);

    double ox, oy, oz;
    Cross3D(1, 0, 0, 0, 1, 0, ox, oy, oz);
    EXPECT_EQ(oz, 1);
    const double u[3] = {1, 2, 3}, v[3] = {4, 5, 6};
    EXPECT_EQ(DotN(u, v, 3), 32);
    EXPECT_EQ(Cross2D(1, 2, 3, 4), -2);
}

TEST(Transforms, AngleFromVertical)
{
    // The lower point lies 45 degrees to the right of straight down.
    CVector2D p1(1, -1), p2(0, 0);
    double signedLimit, angle;
    EXPECT_TRUE(AngleFromVertical(p1, p2, 0.5, signedLimit, angle));
    EXPECT_NEAR(angle, -QUARTER_PI, 1e-12);
    EXPECT_EQ(signedLimit, -0.5);
    EXPECT_EQ(p2.y, 0);   // exchanged: the higher point is second
    CVector2D a(0, 0), b(-1, -1);
    EXPECT_FALSE(AngleFromVertical(a, b, 1.0, signedLimit, angle));
    EXPECT_NEAR(angle, QUARTER_PI, 1e-12);
    EXPECT_EQ(signedLimit, 1.0);
}

TEST(Circles, ThroughThreePoints)
{
    struct Case { double x1, y1, x2, y2, x3, y3; bool ok; double cx, cy, r; };
    const Case cases[] = {
        {1, 0, 0, 1, -1, 0, true, 0, 0, 1},
        {5, 3, 3, 5, 1, 3, true, 3, 3, 2},
        // x1 = x2 defines a circle too.
        {1, 0, 1, 2, 3, 0, true, 2, 1, std::sqrt(2.0)},
        {0, 0, 0, 4, 4, 0, true, 2, 2, std::sqrt(8.0)},
        {0, 0, 1, 1, 2, 2, false, 0, 0, 0},
        {0, 0, 0, 1, 0, 2, false, 0, 0, 0},
        {1, 1, 1, 1, 1, 1, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        double cx = 9, cy = 9, r = 9;
        EXPECT_EQ(CircleThrough3Points(c.x1, c.y1, c.x2, c.y2, c.x3, c.y3, cx, cy, r), c.ok)
            << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        EXPECT_NEAR(cx, c.cx, 1e-12);
        EXPECT_NEAR(cy, c.cy, 1e-12);
        EXPECT_NEAR(r, c.r, 1e-12);
    }
}

TEST(Circles, ArcsFromChordAndTangent)
{
    // A chord from (0, 1) to (1, 0) meeting the tangent at 45 degrees: the
    // chord subtends 90 degrees, so the radius is |chord| / sqrt(2) = 1, and
    // the centre is 1 from both ends.
    CVector2D centre;
    double radius;
    ASSERT_TRUE(ArcFromChordAngle(CVector2D(0, 1), CVector2D(1, 0), 45, false, centre, radius));
    EXPECT_NEAR(radius, 1, 1e-12);
    EXPECT_NEAR(centre.DistanceTo(0, 1), 1, 1e-12);
    EXPECT_NEAR(centre.DistanceTo(1, 0), 1, 1e-12);
    // 30 degrees: the chord subtends 60 degrees, radius = chord length.
    ASSERT_TRUE(ArcFromChordAngle(CVector2D(0, 0), CVector2D(2, 0), PI / 6, true, centre, radius));
    EXPECT_NEAR(radius, 2, 1e-12);
    EXPECT_NEAR(centre.DistanceTo(0, 0), 2, 1e-12);
    EXPECT_NEAR(centre.DistanceTo(2, 0), 2, 1e-12);
    EXPECT_FALSE(ArcFromChordAngle(CVector2D(0, 1), CVector2D(1, 0), 0, false, centre, radius));

    // Tangent at (1, 0) pointing up, through (-1, 0): the unit circle.
    ASSERT_TRUE(ArcFromTangent(CVector2D(-1, 0), CVector2D(1, 0), CVector2D(1, 5), centre, radius));
    EXPECT_NEAR(radius, 1, 1e-12);
    EXPECT_NEAR(centre.x, 0, 1e-12);
    EXPECT_NEAR(centre.y, 0, 1e-12);
    EXPECT_FALSE(ArcFromTangent(CVector2D(2, 0), CVector2D(1, 0), CVector2D(3, 0), centre, radius));

    CPointList centres;
    CArray<double, double> radii;
    EXPECT_FALSE(SampleArcCentres(CVector2D(0, 1), CVector2D(1, 0), 0, 90, 0, false, centres, radii));
    ASSERT_TRUE(SampleArcCentres(CVector2D(0, 1), CVector2D(1, 0), 0, 90, 2, false, centres, radii));
    // Angle 0 has no arc; angle 45 gives the unit circle.
    ASSERT_EQ(centres.GetSize(), 1);
    EXPECT_NEAR(radii[0], 1, 1e-12);
}

TEST(Circles, ArcClearOfPolygon)
{
    // The lower half of the unit circle between (1, 0) and (-1, 0).
    const CVector2D distant[] = {{5, 5}, {6, 5}, {6, 6}};
    EXPECT_TRUE(ArcClearOfPolygon(distant, 3, 0, 0, 1, 1, 0, -1, 0));
    const CVector2D above[] = {{-2, 0.5}, {2, 0.5}, {2, 3}, {-2, 3}};
    EXPECT_TRUE(ArcClearOfPolygon(above, 4, 0, 0, 1, 1, 0, -1, 0));
    const CVector2D crossing[] = {{-2, -0.5}, {2, -0.5}, {2, -3}, {-2, -3}};
    EXPECT_FALSE(ArcClearOfPolygon(crossing, 4, 0, 0, 1, 1, 0, -1, 0));
    // An edge through the arc ends only touches them.
    const CVector2D base[] = {{-2, 0}, {2, 0}, {2, -3}, {-2, -3}};
    EXPECT_TRUE(ArcClearOfPolygon(base, 4, 0, 0, 1, 1, 0, -1, 0));
}

TEST(RectD, NormalizeAndCompare)
{
    CRectD r(5, 1, 2, 4);
    r.Normalize();
    EXPECT_FALSE(r != CRectD(2, 4, 5, 1));
    EXPECT_TRUE(r != CRectD(2, 4, 5, 0));
    const RECT ir = RectFromOriginSize(3, 4, 10, 20);
    EXPECT_EQ(ir.right, 13);
    EXPECT_EQ(ir.bottom, 24);
}
