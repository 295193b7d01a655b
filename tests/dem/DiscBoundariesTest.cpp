// Polygons, stress walls, flexible boundaries and the stress measurement.
#include "DiscCase.h"

#include <gtest/gtest.h>

namespace {

constexpr double kPi = 3.14159265358979323846;

// Area common to two circles of radii r and R whose centres are d apart.
double Intersection(double r, double R, double d)
{
    return r * r * std::acos((d * d + r * r - R * R) / (2 * d * r)) +
           R * R * std::acos((d * d + R * R - r * r) / (2 * d * R)) -
           0.5 * std::sqrt((-d + r + R) * (d + r - R) * (d - r + R) * (d + r + R));
}

TEST(DiscBoundaries, LensTermIsTheBallsShareAcrossTheCircle)
{
    // A ball centred outside the circle takes away its part inside ...
    EXPECT_NEAR(CDisc::LensTerm(1.1, 0, 0.3, 0, 0, 1), -Intersection(0.3, 1, 1.1), 1e-12);
    EXPECT_NEAR(CDisc::LensTerm(0, -1.25, 0.4, 0, 0, 1), -Intersection(0.4, 1, 1.25), 1e-12);
    // ... one centred inside adds its part outside.
    EXPECT_NEAR(CDisc::LensTerm(0.9, 0, 0.2, 0, 0, 1), kPi * 0.04 - Intersection(0.2, 1, 0.9), 1e-12);
}

TEST(DiscBoundaries, StressWallServoSpeeds)
{
    const struct { double target, measured, expected; } cases[] = {
        {0, 50, 0},            // no target: still
        {100, 99.6, 0},        // within half a percent: still
        {100, 80, 2 * 3 * 0.2},
        {100, 140, 2 * 3 * -0.4},
        {100, 10, 3},          // beyond half the target: full gain, towards it
        {100, 400, -3},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(CDisc::ServoSpeed(c.target, c.measured, 3), c.expected, 1e-12) << c.measured;
}

TEST(DiscBoundaries, BallPushingAPolygonKeepsTheMomentum)
{
    // A ball of mass 1 meets the face of a free polygon of mass 2 head-on.
    DiscCaseBuilder c;
    c.dntol = 0.02;
    c.Ball(0, 0, 0.5, 1, 1.0, 0);
    c.Wall(1, 2, 1, -2, 1);   // a face looking left
    c.walls.back().xc = 1;
    c.walls.back().yc = 0;
    c.walls.back().theta = kPi / 2;
    c.walls.back().d1 = -2;
    c.walls.back().d2 = 2;
    c.walls.back().side = 1;
    c.polygons = "1\n2 100 1.5 0 0 0 0 0 0 0 1 1";
    c.wallProps = {1e5, 0, 0, 0, 0, 0, 0};
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded) << l.out.str();
    ASSERT_TRUE(l.disc.Analyse(1e-5, 0.8));
    const disc::Polygon& p = l.disc.Model().polygons[1];
    const double vb = l.disc.Model().balls[1].vx;
    EXPECT_NEAR(vb + 2 * p.vx, 1.0, 1e-9);
    EXPECT_NEAR(vb, -1.0 / 3, 2e-3);   // elastic: (1 - 2) / 3 and 2 / 3
    EXPECT_NEAR(p.vx, 2.0 / 3, 2e-3);
}

} // namespace

namespace {

TEST(DiscBoundaries, FlexibleBoundaryPressesTheOutermostBalls)
{
    // A row of balls under a boundary along x that presses down with 10 per unit length.
    DiscCaseBuilder c;
    c.dntol = 0.02;
    for (int i = 1; i <= 4; ++i)
        c.Ball(i * 1.05, 0.6, 0.5, 1);
    c.Ball(2.1, 1.7, 0.5, 1);   // one ball on top of the row takes the middle samples
    c.Wall(0, -1, 5, -1);
    c.Wall(5, -1, 5, 3, -1);
    c.flexible = "1\n1 1 10 0.5 1 2";
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded) << l.out.str();
    ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model()));
    l.disc.ContactPass();
    const disc::Model& m = l.disc.Model();
    double total = 0;
    for (int i = 1; i <= m.Nb(); ++i) {
        EXPECT_LE(m.balls[i].ay, 0) << i;
        total += m.balls[i].ay * m.balls[i].mass;
    }
    // Every sample carries 10 * 0.5 downwards, and the samples reach from 0 to at most 5.
    const double samples = -total / 5;
    EXPECT_NEAR(samples, std::round(samples), 1e-9);
    EXPECT_GE(samples, 8);
    EXPECT_LE(samples, 11);
    // The ball on top shields the one below it.
    EXPECT_LT(m.balls[5].ay, -4.9);
    EXPECT_EQ(m.balls[2].ay, 0);
}

} // namespace
