#include <gtest/gtest.h>

#include <cmath>

#include "RecordingEngine.h"

namespace
{
constexpr double G = 9.80665;
constexpr double DEG = 3.14159265358979323846 / 180.0;

double Length(const EngineEvent& e)
{
    return std::hypot(e.x1 - e.x0, e.y1 - e.y0);
}

// A rock put on the line from (x0, y0) to (x1, y1) at fraction f, moving along
// it at speed v (negative: towards (x0, y0)).
struct OnLine { double x, y, vx, vy; };
OnLine PointOnLine(double x0, double y0, double x1, double y1, double f, double v)
{
    const double L = std::hypot(x1 - x0, y1 - y0);
    return {x0 + f * (x1 - x0), y0 + f * (y1 - y0), v * (x1 - x0) / L, v * (y1 - y0) / L};
}
} // namespace

TEST(EngineSlide, FrictionStopsARockWhereTheInclineFormulaSays)
{
    // 20 m drop over 100 m (theta ~ 11.3 deg) under a 30 deg friction angle.
    RecordingEngine engine;
    engine.SetSlope({{0, 20}, {100, 0}}, 0.0, 1.0, 30.0);
    const OnLine s = PointOnLine(0, 20, 100, 0, 0.2, 6.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_EQ(slides.size(), 1u);
    const EngineEvent& slide = slides[0];
    const double theta = std::atan(20.0 / 100.0);
    const double deceleration = G * (std::tan(30 * DEG) * std::cos(theta) - std::sin(theta));
    const double v0 = Speed(slide.vx0, slide.vy0);
    EXPECT_NEAR(v0, 6.0, 0.05);
    EXPECT_NEAR(Length(slide), v0 * v0 / (2.0 * deceleration), 1e-3);
    EXPECT_EQ(slide.vx1, 0.0);
    EXPECT_EQ(slide.vy1, 0.0);
    const EngineEvent& end = engine.events.back();
    ASSERT_EQ(end.kind, EngineEvent::End);
    EXPECT_NEAR(end.x0, slide.x1, 1e-9);
}

TEST(EngineSlide, SteepInclineAcceleratesByGravityLessFriction)
{
    // 40 deg incline, 25 deg friction angle: the rock reaches the lower end.
    const double h = 100 * std::tan(40 * DEG);
    RecordingEngine engine;
    engine.SetSlope({{0, h}, {100, 0}, {200, 0}}, 0.0, 1.0, 25.0);
    const OnLine s = PointOnLine(0, h, 100, 0, 0.1, 1.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_FALSE(slides.empty());
    const EngineEvent& slide = slides[0];
    const double a = G * (std::sin(40 * DEG) - std::tan(25 * DEG) * std::cos(40 * DEG));
    const double v0 = Speed(slide.vx0, slide.vy0);
    const double v1 = Speed(slide.vx1, slide.vy1);
    EXPECT_NEAR(slide.x1, 100.0, 1e-3);
    EXPECT_NEAR(slide.y1, 0.0, 1e-3);
    EXPECT_NEAR(v1 * v1, v0 * v0 + 2 * a * Length(slide), 1e-3 * v1 * v1);
    // Leaving along the incline, downhill.
    EXPECT_NEAR(std::atan2(-slide.vy1, slide.vx1), 40 * DEG, 1e-9);
}

TEST(EngineSlide, RollingVariantAcceleratesAtFiveSeventhsOfGSinTheta)
{
    // The friction angle (60 deg, steeper than the slope) is ignored when rolling.
    const double theta = 25 * DEG;
    const double h = 100 * std::tan(theta);
    RecordingEngine engine;
    engine.SetSlidingVariant21();
    engine.SetSlope({{0, h}, {100, 0}, {200, 0}}, 0.0, 1.0, 60.0);
    const OnLine s = PointOnLine(0, h, 100, 0, 0.1, 2.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_FALSE(slides.empty());
    const EngineEvent& slide = slides[0];
    // A solid sphere (I = 2/5 m r^2) rolling without slip: a = g sin(theta) / (1 + 2/5).
    const double a = G * std::sin(theta) / (1.0 + 0.4);
    const double v0 = Speed(slide.vx0, slide.vy0);
    const double v1 = Speed(slide.vx1, slide.vy1);
    EXPECT_NEAR(slide.x1, 100.0, 1e-3);
    EXPECT_NEAR(v1 * v1, v0 * v0 + 2 * a * Length(slide), 1e-3 * v1 * v1);
}

TEST(EngineSlide, UphillStopOnASteepSegmentSlidesBackDownInTheSameStep)
{
    // Ascending 30 deg to the right with a 10 deg friction angle.
    const double h = 100 * std::tan(30 * DEG);
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, h}}, 0.0, 1.0, 10.0);
    const OnLine s = PointOnLine(0, 0, 100, h, 0.3, 8.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_EQ(slides.size(), 2u);
    const EngineEvent& up = slides[0];
    const EngineEvent& down = slides[1];
    const double v0 = Speed(up.vx0, up.vy0);
    const double deceleration = G * (std::sin(30 * DEG) + std::tan(10 * DEG) * std::cos(30 * DEG));
    EXPECT_NEAR(Length(up), v0 * v0 / (2 * deceleration), 1e-3);
    EXPECT_GT(up.x1, up.x0);
    EXPECT_EQ(up.vx1, 0.0);
    // Back down from the stop point to the slope's left end, where the path ends.
    EXPECT_EQ(down.x0, up.x1);
    EXPECT_EQ(down.y0, up.y1);
    EXPECT_NEAR(down.x1, 0.0, 1e-3);
    EXPECT_NEAR(down.y1, 0.0, 1e-3);
    EXPECT_EQ(engine.events.back().kind, EngineEvent::End);
    EXPECT_EQ(engine.events[engine.events.size() - 2].kind, EngineEvent::Sliding);
}

TEST(EngineSlide, UphillStopOnAGentleSegmentEndsThePath)
{
    const double h = 100 * std::tan(10 * DEG);
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, h}}, 0.0, 1.0, 30.0);
    const OnLine s = PointOnLine(0, 0, 100, h, 0.3, 5.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_EQ(slides.size(), 1u);
    EXPECT_EQ(engine.events.back().kind, EngineEvent::End);
    EXPECT_NEAR(engine.events.back().x0, slides[0].x1, 1e-9);
}

TEST(EngineSlide, SharpValleyEndsThePathAndACrestLetsTheRockFly)
{
    struct Case { double x2, y2; bool flightAfterSlide; };
    // Valley (0,50)-(20,0)-(40,50): 43.6 deg between the segments, corner 15.
    // Crest (0,50)-(20,0)-(100,-10): the rock leaves the corner in the air.
    for (const Case& c : {Case{40, 50, false}, Case{100, -10, true}})
    {
        RecordingEngine engine;
        engine.SetSlope({{0, 50}, {20, 0}, {c.x2, c.y2}}, 0.0, 1.0, 0.0);
        const OnLine s = PointOnLine(0, 50, 20, 0, 0.5, 1.0);
        ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
        int slide = -1;
        for (size_t i = 0; i < engine.events.size(); ++i)
            if (engine.events[i].kind == EngineEvent::Sliding)
            {
                slide = static_cast<int>(i);
                break;
            }
        ASSERT_GE(slide, 0);
        EXPECT_NEAR(engine.events[slide].x1, 20.0, 1e-3);
        const EngineEvent& next = engine.events[slide + 1];
        if (c.flightAfterSlide)
            EXPECT_EQ(next.kind, EngineEvent::Flight);
        else
        {
            EXPECT_EQ(next.kind, EngineEvent::End);
            EXPECT_NEAR(next.x0, 20.0, 1e-3);
            EXPECT_NEAR(next.y0, 0.0, 1e-3);
        }
    }
}

TEST(EngineSlide, RunningUphillOverACrestLooksAtTheCrestNotTheFarEnd)
{
    // The rock slides up the middle segment (descending to the right) and runs
    // over its upper, left end, a crest. The far, lower end is a sharp valley
    // (corner 15) that must not end the path.
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {10, 20}, {30, 0}, {34, 30}}, 0.0, 1.0, 0.0);
    const OnLine s = PointOnLine(10, 20, 30, 0, 0.8, -30.0);
    engine.SetMinimumVelocity(0.0);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_FALSE(slides.empty());
    EXPECT_NEAR(slides[0].x1, 10.0, 1e-3);
    EXPECT_NEAR(slides[0].y1, 20.0, 1e-3);
    // Over the crest the rock flies on.
    int i = 0;
    while (engine.events[i].kind != EngineEvent::Sliding)
        ++i;
    EXPECT_EQ(engine.events[i + 1].kind, EngineEvent::Flight);
}

TEST(EngineSlide, CollectorsAndLocationsCrossedWhileSlidingAreReported)
{
    RecordingEngine engine;
    const double h = 100 * std::tan(40 * DEG);
    engine.SetSlope({{0, h}, {100, 0}, {200, 0}}, 0.0, 1.0, 0.0);
    engine.AddBarrier(50, -10, 50, 200, 0.0, FakeEntity(1), true, 0.0, 0.0, 0.0, 0.0, true);
    engine.AddLocation(60, -10, 60, 200, 3);
    const OnLine s = PointOnLine(0, h, 100, 0, 0.1, 0.5);
    ASSERT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto slides = engine.Of(EngineEvent::Sliding);
    ASSERT_FALSE(slides.empty());
    const EngineEvent& slide = slides[0];
    const double v0 = Speed(slide.vx0, slide.vy0);
    const double a = G * std::sin(40 * DEG);
    auto expectedSpeed = [&](double x) {
        return std::sqrt(v0 * v0 + 2 * a * std::hypot(x - slide.x0, (x - slide.x0) * std::tan(40 * DEG)));
    };
    const auto hits = engine.Of(EngineEvent::Barrier);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].entity, FakeEntity(1));
    EXPECT_EQ(hits[0].index, 0);
    EXPECT_NEAR(hits[0].x0, 50.0, 1e-9);
    EXPECT_NEAR(Speed(hits[0].vx0, hits[0].vy0), expectedSpeed(50.0), 1e-3);
    const auto passages = engine.Of(EngineEvent::Location);
    ASSERT_EQ(passages.size(), 1u);
    EXPECT_EQ(passages[0].id, 3);
    EXPECT_NEAR(Speed(passages[0].vx0, passages[0].vy0), expectedSpeed(60.0), 1e-3);
}

TEST(EngineSlide, FrictionAngleSamplesOutsideTheirRangeNeverPushTheRock)
{
    // With a spread far wider than 0..90 deg, raw samples run negative or past
    // 90 deg, where the tangent would turn friction into a push.
    for (unsigned seed = 1; seed <= 40; ++seed)
    {
        SeedRandom(seed);
        RecordingEngine engine;
        engine.ClearSlope();
        engine.AddSlopeSegment(0, 0, 0.0, 0.0, 1.0, 0.0, 0.0, 0.0, 0.0);
        engine.AddSlopeSegment(100, 0, 0.0, 0.0, 1.0, 0.0, 10.0, 300.0, 0.0);
        ASSERT_EQ(engine.Throw(20, 1, 5, 0), ENGINE_OK);
        for (const EngineEvent& e : engine.Of(EngineEvent::Sliding))
            EXPECT_LE(Speed(e.vx1, e.vy1), Speed(e.vx0, e.vy0) + 1e-9) << "seed " << seed;
    }
}
