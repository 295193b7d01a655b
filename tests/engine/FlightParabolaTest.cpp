#include <gtest/gtest.h>

#include <cmath>

#include "engine/FlightParabola.h"

namespace
{
CFlightParabola Parabola(double g, double x0, double y0, double vx, double vy)
{
    CFlightParabola p;
    p.SetGravity(g);
    p.SetStart(x0, y0, vx, vy);
    return p;
}
} // namespace

TEST(FlightParabola, LandsWhereTheProjectileFormulaSays)
{
    const double g = 9.80665, h = 12.0, vx = 3.0, vy = 4.0;
    CFlightParabola p = Parabola(g, 0.0, h, vx, vy);
    p.SetSegment(-100.0, 0.0, 100.0, 0.0);
    bool two = true;
    ASSERT_TRUE(p.Solve(two));
    EXPECT_FALSE(two);
    const double t = (vy + std::sqrt(vy * vy + 2 * g * h)) / g;
    EXPECT_NEAR(p.GetTime(false), t, 1e-12);
    EXPECT_NEAR(p.GetX(false), vx * t, 1e-11);
    EXPECT_NEAR(p.GetY(false), 0.0, 1e-11);
}

TEST(FlightParabola, CountsBothCrossingsOfALineItRisesThrough)
{
    // y = 5t - 0.5 t^2 (g = 1) crosses y = 8 at t = 2 and t = 8.
    CFlightParabola p = Parabola(1.0, 0.0, 0.0, 1.0, 5.0);
    p.SetSegment(0.0, 8.0, 10.0, 8.0);
    bool two = false;
    ASSERT_TRUE(p.Solve(two));
    EXPECT_TRUE(two);
    EXPECT_NEAR(p.GetTime(false), 2.0, 1e-12);
    EXPECT_NEAR(p.GetTime(true), 8.0, 1e-12);
    EXPECT_NEAR(p.GetX(true), 8.0, 1e-12);

    // Only the first crossing lies within a shorter segment.
    p.SetSegment(0.0, 8.0, 5.0, 8.0);
    ASSERT_TRUE(p.Solve(two));
    EXPECT_FALSE(two);
    EXPECT_NEAR(p.GetTime(false), 2.0, 1e-12);
}

TEST(FlightParabola, TangentLineGivesTwoEqualCrossings)
{
    // Apex of y = 4t - 0.5 t^2 at t = 4, y = 8.
    CFlightParabola p = Parabola(1.0, 0.0, 0.0, 1.0, 4.0);
    p.SetSegment(0.0, 8.0, 10.0, 8.0);
    bool two = false;
    ASSERT_TRUE(p.Solve(two));
    EXPECT_TRUE(two);
    EXPECT_DOUBLE_EQ(p.GetTime(false), 4.0);
    EXPECT_DOUBLE_EQ(p.GetTime(true), 4.0);
}

TEST(FlightParabola, CrossingAtASegmentEndCountsAndBeyondItDoesNot)
{
    CFlightParabola p = Parabola(2.0, 0.0, 1.0, 1.0, 0.0);   // lands at t = 1, x = 1
    bool two = false;
    p.SetSegment(1.0, 0.0, 3.0, 0.0);
    EXPECT_TRUE(p.Solve(two));
    p.SetSegment(1.0 + 1e-9, 0.0, 3.0, 0.0);
    EXPECT_FALSE(p.Solve(two));
    p.SetSegment(-3.0, 0.0, 1.0, 0.0);
    EXPECT_TRUE(p.Solve(two));
}

TEST(FlightParabola, VerticalSegments)
{
    bool two = false;
    CFlightParabola down = Parabola(9.8, 0.0, 10.0, 0.0, 0.0);
    down.SetSegment(0.0, -5.0, 0.0, 20.0);
    EXPECT_FALSE(down.Solve(two)) << "a rock moving straight down never crosses a vertical line";

    CFlightParabola p = Parabola(9.8, 0.0, 10.0, 2.0, 0.0);
    p.SetSegment(4.0, -20.0, 4.0, 20.0);
    ASSERT_TRUE(p.Solve(two));
    EXPECT_NEAR(p.GetTime(false), 2.0, 1e-12);
    EXPECT_NEAR(p.GetY(false), 10.0 - 0.5 * 9.8 * 4.0, 1e-12);
    p.SetSegment(4.0, -20.0, 4.0, -15.0);   // the rock passes above it
    EXPECT_FALSE(p.Solve(two));
    p.SetSegment(-4.0, 0.0, -4.0, 20.0); // behind the rock
    EXPECT_FALSE(p.Solve(two));
}

TEST(FlightParabola, MissesALineItNeverReaches)
{
    CFlightParabola p = Parabola(9.8, 0.0, 0.0, 1.0, 1.0);
    p.SetSegment(-10.0, 5.0, 10.0, 5.0);
    bool two = false;
    EXPECT_FALSE(p.Solve(two));
}

TEST(PointSegmentDistance, GivesCodeDistanceAndNearestPoint)
{
    struct Case { double px, py; int code; double d, nx, ny; };
    const Case cases[] = {
        {5, 3, 2, 3.0, 5, 0},
        {-2, 0, 1, 2.0, 0, 0},
        {12, 1, 3, std::sqrt(5.0), 10, 0},
        {0, 4, 1, 4.0, 0, 0},
    };
    for (const Case& c : cases)
    {
        double d, nx, ny;
        EXPECT_EQ(PointSegmentDistance(0, 0, 10, 0, c.px, c.py, &d, &nx, &ny), c.code);
        EXPECT_NEAR(d, c.d, 1e-12);
        EXPECT_NEAR(nx, c.nx, 1e-12);
        EXPECT_NEAR(ny, c.ny, 1e-12);
    }
    double d, nx, ny;
    EXPECT_EQ(PointSegmentDistance(1, 1, 1, 1, 4, 5, &d, &nx, &ny), 1);
    EXPECT_DOUBLE_EQ(d, 5.0);
}
