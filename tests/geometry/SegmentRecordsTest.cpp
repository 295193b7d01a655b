#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include "geometry/ExtentsAccumulator.h"
#include "geometry/LineClipper.h"
#include "geometry/SegmentRecords.h"

TEST(LineClipper, BothModesAgainstOneWindow)
{
    struct Case { double x1, y1, x2, y2; bool crossing, inside; };
    const Case cases[] = {
        {-5, 5, 15, 5, true, false},
        {2, 2, 3, 3, true, true},
        {-5, 12, 12, 30, false, false},
        {2, 0, 8, 0, true, true},        // on the bottom edge
        {-1, 9, 1, 12, false, false},    // passes outside the top-left corner
        {5, 5, 5, 5, true, true},        // zero length inside
        {15, 5, 15, 5, false, false},    // zero length outside
        {-1, 5, 5, -1, true, false},     // cuts the bottom-left corner
        {10, 10, 20, 20, true, false},   // touches the corner
    };
    for (const Case& c : cases) {
        CLineClipper clipper;
        clipper.Reset();
        clipper.SetWindow(10, 0, 0, 10);
        clipper.SetSegment(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(clipper.Clip(), c.crossing) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
        clipper.SetInsideTestMode();
        EXPECT_EQ(clipper.Clip(), c.inside) << c.x1 << "," << c.y1 << " " << c.x2 << "," << c.y2;
    }
    EXPECT_TRUE(PointStrictlyInRect(1, 1, 0, 2, 2, 0));
    EXPECT_FALSE(PointStrictlyInRect(0, 1, 0, 2, 2, 0));
}

TEST(SegmentIntersector, RemembersResult)
{
    CSegmentIntersector fresh;
    EXPECT_FALSE(fresh.Compute());

    CSegmentIntersector si;
    si.SetSegmentA(0, 0, 2, 0);
    si.SetSegmentB(1, -1, 1, 1);
    int code = -1;
    double t = 0;
    EXPECT_TRUE(si.Compute(&code, &t));
    EXPECT_EQ(code, 1);
    EXPECT_DOUBLE_EQ(t, 0.5);
    EXPECT_DOUBLE_EQ(si.GetX(), 1);
    // Parallel: the point stays, the parameter is DBL_MAX.
    si.SetSegmentB(0, 1, 2, 1);
    EXPECT_FALSE(si.Compute(&code, &t));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(t, DBL_MAX);
    EXPECT_DOUBLE_EQ(si.GetPoint().x, 1);
    si.SetSegmentB(3, -1, 3, 1);
    EXPECT_FALSE(si.Compute(&code));
    EXPECT_EQ(code, 2);
    EXPECT_DOUBLE_EQ(si.GetX(), 3);
}

TEST(SegmentProjection, RecomputesAfterEverySetter)
{
    CSegmentProjection p;
    p.SetSegment(0, 0, 10, 0);
    p.SetPoint(5, 3);
    EXPECT_TRUE(p.IsNearestInterior());
    EXPECT_DOUBLE_EQ(p.GetDistance(), 3);
    EXPECT_DOUBLE_EQ(p.GetNearestPoint().x, 5);
    p.SetPoint(-2, 0);
    EXPECT_TRUE(p.IsNearestAtStart());
    EXPECT_DOUBLE_EQ(p.GetNearestPoint().x, 0);
    p.SetPointV(CVector2D(12, 1));
    EXPECT_TRUE(p.IsNearestAtEnd());
    EXPECT_DOUBLE_EQ(p.GetDistance(), std::sqrt(5.0));
    p.SetSegmentPoints(CVector2D(12, 0), CVector2D(12, 10));
    EXPECT_TRUE(p.IsNearestInterior());
    EXPECT_DOUBLE_EQ(p.GetDistance(), 0);
}

TEST(ExtentsAccumulator, StartsInvertedAndSkipsUnboundedValues)
{
    CExtentsAccumulator acc;
    EXPECT_EQ(acc.GetKind(), 501);
    double e[4];
    acc.GetExtents(e);
    EXPECT_EQ(e[0], DBL_MAX);
    EXPECT_EQ(e[1], -DBL_MAX);
    EXPECT_EQ(e[2], -DBL_MAX);
    EXPECT_EQ(e[3], DBL_MAX);
    acc.AddX(5);
    acc.AddX(-3);
    acc.AddX(DBL_MAX);
    acc.AddX(-DBL_MAX);
    acc.AddY(2);
    acc.GetExtents(e);
    EXPECT_EQ(e[0], -3);
    EXPECT_EQ(e[2], 5);
    EXPECT_EQ(e[1], 2);
    EXPECT_EQ(e[3], 2);
    acc.Reset();
    acc.GetExtents(e);
    EXPECT_EQ(e[0], DBL_MAX);
}
