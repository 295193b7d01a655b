#include <gtest/gtest.h>

#include <cmath>

#include "RecordingEngine.h"

namespace
{
// Where a projectile from (x0, y0) with (vx, vy) meets the level y = 0.
struct Landing { double t, x, vy; };
Landing ProjectileLanding(double g, double x0, double y0, double vx, double vy)
{
    const double t = (vy + std::sqrt(vy * vy + 2.0 * g * y0)) / g;
    return {t, x0 + vx * t, vy - g * t};
}
} // namespace

TEST(EngineFlight, LandsWhereTheProjectileFormulaSaysInBothUnitSystems)
{
    struct Case { bool metric; double g; };
    for (const Case& c : {Case{true, 9.80665}, Case{false, 32.0}})
    {
        RecordingEngine engine;
        if (c.metric)
            engine.SetMetricUnits();
        else
            engine.SetImperialUnits();
        // Rn = 0 and a high friction angle: the rock stops at its first landing.
        engine.SetSlope({{0, 0}, {1000, 0}}, 0.0, 0.0, 80.0);
        ASSERT_EQ(engine.Throw(10, 20, 6, 3), ENGINE_OK);
        const auto flights = engine.Of(EngineEvent::Flight);
        ASSERT_FALSE(flights.empty());
        const EngineEvent& f = flights.front();
        // The start is nudged a hair into the air, then the flight is the projectile's.
        EXPECT_NEAR(f.x0, 10.0, 1e-3);
        EXPECT_NEAR(f.y0, 20.0, 1e-3);
        EXPECT_EQ(f.vx0, 6.0);
        EXPECT_EQ(f.vy0, 3.0);
        EXPECT_EQ(f.g, c.g);
        EXPECT_EQ(f.mass, 1000.0);
        const Landing l = ProjectileLanding(c.g, f.x0, f.y0, 6.0, 3.0);
        EXPECT_NEAR(f.t, l.t, 1e-9);
        EXPECT_NEAR(f.x1, l.x, 1e-9);
        EXPECT_NEAR(f.y1, 0.0, 1e-9);
        const EngineEvent& end = engine.events.back();
        EXPECT_EQ(end.kind, EngineEvent::End);
        EXPECT_NEAR(end.x0, l.x, 1e-3);
    }
}

TEST(EngineFlight, ElasticBounceKeepsTheSpeedAndMirrorsTheVelocity)
{
    // A 30-degree incline descending to the right; Rn = Rt = 1, no roughness.
    const double slope = std::tan(30.0 * 3.14159265358979323846 / 180.0);
    RecordingEngine engine;
    engine.SetSlope({{0, 100 * slope}, {100, 0}}, 1.0, 1.0, 0.0);
    ASSERT_EQ(engine.Throw(20, 100 * slope - 20 * slope + 5, 0, 0), ENGINE_OK);
    const auto flights = engine.Of(EngineEvent::Flight);
    ASSERT_GE(flights.size(), 2u);
    const EngineEvent& in = flights[0];
    const EngineEvent& out = flights[1];
    const double vxIn = in.vx0, vyIn = in.vy0 - in.g * in.t;
    EXPECT_NEAR(Speed(out.vx0, out.vy0), Speed(vxIn, vyIn), 1e-9);
    // Mirror of a vertical fall at a 30-degree surface: 60 degrees below the horizontal... turned
    // up: the outgoing direction makes 2*30 degrees with the vertical, to the right and upwards.
    const double v = Speed(vxIn, vyIn);
    EXPECT_NEAR(out.vx0, v * std::sin(60.0 * 3.14159265358979323846 / 180.0), 1e-9);
    EXPECT_NEAR(out.vy0, v * std::cos(60.0 * 3.14159265358979323846 / 180.0), 1e-9);
}

TEST(EngineFlight, ZeroRnKillsTheNormalComponentAndTheRockSlidesOn)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, 0}}, 0.0, 1.0, 0.0);
    engine.SetMinimumVelocity(0.0);
    ASSERT_EQ(engine.Throw(10, 5, 4, 0), ENGINE_OK);
    ASSERT_GE(engine.events.size(), 3u);
    EXPECT_EQ(engine.events[0].kind, EngineEvent::Flight);
    const EngineEvent& slide = engine.events[1];
    ASSERT_EQ(slide.kind, EngineEvent::Sliding);
    EXPECT_NEAR(slide.vx0, 4.0, 1e-12);   // Rt = 1 keeps the tangential part
    EXPECT_NEAR(slide.vy0, 0.0, 1e-12);   // Rn = 0 removes the normal part
    // Level and frictionless: the rock runs to the slope's end at the same speed and stops there.
    EXPECT_NEAR(slide.x1, 100.0, 1e-3);
    EXPECT_NEAR(slide.vx1, 4.0, 1e-12);
    EXPECT_EQ(engine.events.back().kind, EngineEvent::End);
}

TEST(EngineFlight, RnScalingByVelocityAndMass)
{
    struct Case { bool byVelocity, byMass; double K, C, mass; };
    const Case cases[] = {
        {false, false, 10.0, 100.0, 50.0},
        {true, false, 10.0, 100.0, 50.0},
        {true, false, 5.0, 100.0, 50.0},
        {false, true, 10.0, 100.0, 50.0},
        {false, true, 10.0, 1000.0, 500.0},
        {true, true, 9.144, 1000.0, 2000.0},
    };
    const double g = 9.80665, h = 10.0, Rn = 0.6;
    for (const Case& c : cases)
    {
        RecordingEngine engine;
        engine.SetOptions(false, c.byVelocity, false, c.byMass, c.K, c.C);
        engine.SetSlope({{0, 0}, {100, 0}}, Rn, 1.0, 30.0);
        ASSERT_EQ(engine.Throw(50, h, 0, 0, c.mass), ENGINE_OK);
        const auto flights = engine.Of(EngineEvent::Flight);
        ASSERT_GE(flights.size(), 2u);
        const double y0 = flights[0].y0;
        const double vn = std::sqrt(2.0 * g * y0);   // speed of a fall from y0
        double expected = Rn;
        if (c.byVelocity)
            expected /= 1.0 + (vn / c.K) * (vn / c.K);
        if (c.byMass)
            expected /= 1.0 + (c.mass / c.C) * (c.mass / c.C);
        EXPECT_NEAR(flights[1].vy0, expected * vn, 1e-9) << c.byVelocity << c.byMass << " K " << c.K;
        EXPECT_NEAR(flights[1].vx0, 0.0, 1e-12);
    }
}

TEST(EngineFlight, LeavingOverAnEndWallOrTheTopEndsThePathThere)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 10}, {50, 0}}, 0.5, 0.5, 30.0);
    ASSERT_EQ(engine.Throw(45, 5, 40, 10), ENGINE_OK);
    ASSERT_EQ(engine.events.size(), 2u);
    EXPECT_EQ(engine.events[0].kind, EngineEvent::Flight);
    EXPECT_NEAR(engine.events[0].x1, 50.0, 1e-12);
    EXPECT_EQ(engine.events[1].kind, EngineEvent::End);
    EXPECT_NEAR(engine.events[1].x0, 50.0, 1e-12);

    ASSERT_EQ(engine.Throw(25, 50, 0, 100), ENGINE_OK);
    ASSERT_EQ(engine.events.size(), 2u);
    EXPECT_NEAR(engine.events[0].y1, 110.0, 1e-9);   // highest vertex + 100
    EXPECT_NEAR(engine.events[1].y0, 110.0, 1e-9);
}

TEST(EngineFlight, AnalysisLocationsAreReportedWithTheVelocityThere)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, 0}}, 0.0, 0.0, 80.0);
    engine.AddLocation(30, -50, 30, 200, 7);
    engine.AddLocation(90, -50, 90, 200, 8);   // beyond the landing: not reached
    ASSERT_EQ(engine.Throw(10, 40, 10, 0), ENGINE_OK);
    const auto passages = engine.Of(EngineEvent::Location);
    ASSERT_EQ(passages.size(), 1u);
    const EngineEvent& p = passages[0];
    const EngineEvent& f = engine.events[0];
    const double t = (30.0 - f.x0) / 10.0;
    EXPECT_EQ(p.index, 0);
    EXPECT_EQ(p.id, 7);
    EXPECT_NEAR(p.y0, f.y0 - 0.5 * 9.80665 * t * t, 1e-9);
    EXPECT_NEAR(p.vx0, 10.0, 1e-12);
    EXPECT_NEAR(p.vy0, -9.80665 * t, 1e-9);
    // Callback order: the flight comes before the passages found on it.
    EXPECT_EQ(engine.events[1].kind, EngineEvent::Location);
}

TEST(EngineFlight, StartBelowTheSlopeOrAboveTheTopIsMovedOntoTheRegion)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 20}, {100, 0}}, 0.0, 0.0, 80.0);
    ASSERT_EQ(engine.Throw(50, -30, 1, 0), ENGINE_OK);
    const EngineEvent& f = engine.events[0];
    ASSERT_EQ(f.kind, EngineEvent::Flight);
    // Nearest point of the slope line to (50, -30), then a hair into the air.
    const double ux = 100 / std::hypot(100, 20), uy = -20 / std::hypot(100, 20);
    const double p = (50 - 0) * ux + (-30 - 20) * uy;
    EXPECT_NEAR(f.x0, p * ux, 1e-3);
    EXPECT_NEAR(f.y0, 20 + p * uy, 1e-3);
    EXPECT_GT(f.y0, 20 - 0.2 * f.x0);

    ASSERT_EQ(engine.Throw(50, 500, 1, 0), ENGINE_OK);
    EXPECT_NEAR(engine.events[0].x0, 50.0, 1e-3);
    EXPECT_NEAR(engine.events[0].y0, 120.0, 1e-3);
    EXPECT_LT(engine.events[0].y0, 120.0);
}

TEST(EngineFlight, FixedSeedGivesTheSamePath)
{
    auto path = [] {
        SeedRandom(190274);
        RecordingEngine engine;
        engine.SetOptions(true, true, false, true, 9.144, 1000.0);
        engine.ClearSlope();
        engine.AddSlopeSegment(0, 60, 0.3, 0.05, 0.8, 0.05, 30, 5, 0);
        engine.AddSlopeSegment(40, 30, 0.3, 0.05, 0.8, 0.05, 30, 5, 5);
        engine.AddSlopeSegment(80, 10, 0.35, 0.05, 0.85, 0.05, 32, 5, 5);
        engine.AddSlopeSegment(150, 0, 0.3, 0.05, 0.6, 0.05, 35, 5, 3);
        engine.Throw(5, 65, 1, 0, 300.0, 0.0);
        return engine.events;
    };
    const auto a = path(), b = path();
    ASSERT_EQ(a.size(), b.size());
    ASSERT_GT(a.size(), 3u);
    for (size_t i = 0; i < a.size(); ++i)
    {
        EXPECT_EQ(a[i].kind, b[i].kind);
        EXPECT_EQ(a[i].x1, b[i].x1);
        EXPECT_EQ(a[i].y1, b[i].y1);
    }
}

TEST(EngineFlight, ABarrierCrossedAtTheSameTimeAsTheSlopeIsHitFirst)
{
    // The barrier lies exactly on the slope segment: both crossings have the same time.
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, 0}}, 0.0, 0.0, 80.0);
    engine.AddBarrier(0, 0, 100, 0, 0.0, FakeEntity(9), false, 0.0, 0.0, 0.0, 0.0, true);
    ASSERT_EQ(engine.Throw(40, 10, 3, 0), ENGINE_OK);
    ASSERT_GE(engine.events.size(), 2u);
    EXPECT_EQ(engine.events[1].kind, EngineEvent::Barrier);
    EXPECT_EQ(engine.events[1].entity, FakeEntity(9));
}

TEST(EngineFlight, SlopeWithAnOverhangIsSearchedWhole)
{
    // Segment 1 runs back to the left, under segment 0. A rock flying left from
    // the right lands on segment 2.
    RecordingEngine engine;
    engine.SetSlope({{0, 50}, {30, 20}, {25, 10}, {60, 0}}, 0.0, 0.0, 80.0);
    ASSERT_EQ(engine.Throw(50, 30, -2, 0), ENGINE_OK);
    const EngineEvent& f = engine.events[0];
    ASSERT_EQ(f.kind, EngineEvent::Flight);
    // On the parabola at time t, and on the line of segment 2 within it.
    EXPECT_NEAR(f.x1, f.x0 - 2.0 * f.t, 1e-9);
    EXPECT_NEAR(f.y1, f.y0 - 0.5 * 9.80665 * f.t * f.t, 1e-9);
    EXPECT_NEAR(f.y1, 10.0 - (f.x1 - 25.0) * 10.0 / 35.0, 1e-9);
    EXPECT_GT(f.x1, 25.0);
    EXPECT_LT(f.x1, 60.0);
}

TEST(EngineFlight, RoughnessTurnsAnElasticBounceWithoutChangingItsSpeed)
{
    RecordingEngine smooth;
    smooth.SetSlope({{0, 0}, {100, 0}}, 1.0, 1.0, 30.0, 0.0);
    smooth.Throw(50, 10, 2, 0);
    ASSERT_GE(smooth.Count(EngineEvent::Flight), 2);
    EXPECT_NEAR(smooth.Of(EngineEvent::Flight)[1].vx0, 2.0, 1e-12);   // a smooth mirror keeps vx
    int turned = 0;
    for (int draw = 0; draw < 5; ++draw)
    {
        SeedRandom(1000 + draw);
        RecordingEngine engine;
        engine.SetSlope({{0, 0}, {100, 0}}, 1.0, 1.0, 30.0, 10.0);
        engine.Throw(50, 10, 2, 0);
        const auto flights = engine.Of(EngineEvent::Flight);
        ASSERT_GE(flights.size(), 2u);
        const EngineEvent& in = flights[0];
        const EngineEvent& out = flights[1];
        EXPECT_NEAR(Speed(out.vx0, out.vy0), Speed(in.vx0, in.vy0 - in.g * in.t), 1e-9);
        turned += std::fabs(out.vx0 - 2.0) > 1e-6;
    }
    EXPECT_GT(turned, 0);
}
