#include <gtest/gtest.h>
#include <cfloat>
#include "geometry/Constants.h"
#include "geometry/Vector2D.h"

TEST(Constants, AreTheQuotientsAsWritten)
{
    EXPECT_EQ(ZOOM_STEP, 1.1111111111111112);
    EXPECT_EQ(INV_0_96, 1.0416666666666667);
    EXPECT_EQ(TWO_PI, 6.283185307179586);
    EXPECT_EQ(RAD_TO_DEG, 57.29577951308232);
    EXPECT_EQ(DEG_TO_RAD, 0.017453292519943295);
    EXPECT_EQ(MM_TO_INCH, 0.03937007874015748);
}

TEST(Vector2D, ApproxEqualIsStrictAndRelative)
{
    struct Case { double x1, y1, x2, y2; bool equal; };
    const Case cases[] = {
        {0, 0, 1.5e-9, 0, true},
        {0, 0, 2e-9, 0, false},
        {1e6, 0, 1e6 + 1e-3, 0, true},
        {1e6, 0, 1e6 + 3e-3, 0, false},
        {DBL_MAX, DBL_MAX, DBL_MAX, DBL_MAX, true},
        {NAN, 0, NAN, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CVector2D(c.x1, c.y1).ApproxEqual(CVector2D(c.x2, c.y2)), c.equal)
            << c.x1 << "," << c.y1 << " vs " << c.x2 << "," << c.y2;
}

TEST(Vector2D, MeasuresAndRoundsDown)
{
    EXPECT_DOUBLE_EQ(CVector2D(3, 4).Length(), 5.0);
    EXPECT_DOUBLE_EQ(CVector2D(1, 1).DistanceSquaredTo(4, 5), 25.0);
    EXPECT_DOUBLE_EQ(CVector2D(1, 1).DistanceTo(4, 5), 5.0);
    CVector2D p(-0.0004, 2.9999);
    p.RoundDown(1000);
    EXPECT_DOUBLE_EQ(p.x, -0.001);
    EXPECT_DOUBLE_EQ(p.y, 2.999);
    EXPECT_TRUE(CVector2D(1, 2) == CVector2D(1, 2));
}

TEST(Constants, ListedOrderAndRemainingValues)
{
    EXPECT_EQ(HALF_PI, 1.5707963267948966);
    EXPECT_EQ(QUARTER_PI, 0.7853981633974483);
    EXPECT_EQ(PI, 3.141592653589793);
    EXPECT_EQ(GEOM_EPS, 1e-9);
    CVector2D v(1, 2);
    v += CVector2D(0.5, -1);
    v -= CVector2D(1, 0);
    EXPECT_TRUE(v.Equals(0.5, 1));
    EXPECT_FALSE(v.Equals(0.5, 1.0000001));
}
