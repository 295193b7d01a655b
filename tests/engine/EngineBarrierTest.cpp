#include <gtest/gtest.h>

#include <cmath>

#include "RecordingEngine.h"

namespace
{
constexpr double G = 9.80665;

// A flat floor from x = 0 to 200 and a vertical barrier at x = 60 up to y = 30.
void FloorWithBarrier(RecordingEngine& engine, double Rn, double Rt, double capacity,
                      bool infinite, bool collector = false)
{
    engine.SetSlope({{0, 0}, {200, 0}}, 0.0, 0.0, 80.0);
    engine.ClearBarriers();
    engine.AddBarrier(60, 0, 60, 30, capacity, FakeEntity(2), collector, Rn, 0.0, Rt, 0.0, infinite);
}

// The rock thrown from (40, 20) at 20 m/s to the right meets x = 60 after about 1 s.
constexpr double VX = 20.0;
} // namespace

TEST(EngineBarrier, ElasticBarrierMirrorsTheVelocityAcrossIt)
{
    RecordingEngine engine;
    FloorWithBarrier(engine, 1.0, 1.0, 0.0, true);
    ASSERT_EQ(engine.Throw(40, 20, VX, 0), ENGINE_OK);
    ASSERT_GE(engine.events.size(), 3u);
    const EngineEvent& f = engine.events[0];
    const EngineEvent& hit = engine.events[1];
    const EngineEvent& back = engine.events[2];
    ASSERT_EQ(hit.kind, EngineEvent::Barrier);
    EXPECT_EQ(hit.entity, FakeEntity(2));
    EXPECT_EQ(hit.index, 0);
    EXPECT_NEAR(hit.x0, 60.0, 1e-12);
    const double t = (60.0 - f.x0) / VX;
    EXPECT_NEAR(hit.y0, f.y0 - 0.5 * G * t * t, 1e-9);
    EXPECT_NEAR(hit.vx0, VX, 1e-12);     // reported with the incoming velocity
    EXPECT_NEAR(hit.vy0, -G * t, 1e-9);
    ASSERT_EQ(back.kind, EngineEvent::Flight);
    EXPECT_NEAR(back.vx0, -VX, 1e-9);
    EXPECT_NEAR(back.vy0, -G * t, 1e-9);
    // Put a hair beyond the barrier, so that the next flight starts by crossing it back.
    EXPECT_GT(back.x0, 60.0);
    EXPECT_NEAR(back.x0, 60.0, 1e-6);
    EXPECT_LT(engine.events.back().x0, 60.0);
}

TEST(EngineBarrier, InelasticBarrierStopsTheRockWhichSlidesDownIt)
{
    RecordingEngine engine;
    FloorWithBarrier(engine, 0.0, 0.0, 0.0, true);
    ASSERT_EQ(engine.Throw(40, 20, VX, 0), ENGINE_OK);
    ASSERT_GE(engine.events.size(), 3u);
    ASSERT_EQ(engine.events[1].kind, EngineEvent::Barrier);
    const EngineEvent& slide = engine.events[2];
    ASSERT_EQ(slide.kind, EngineEvent::Sliding);
    EXPECT_EQ(slide.vx0, 0.0);
    EXPECT_EQ(slide.vy0, 0.0);
    // Down the barrier to its foot (lifted a tenth of a millimetre), frictionless from rest.
    EXPECT_NEAR(slide.x1, 60.0, 1e-6);
    EXPECT_NEAR(slide.y1, 0.0001, 1e-9);
    const double drop = slide.y0 - 0.0;
    EXPECT_NEAR(Speed(slide.vx1, slide.vy1), std::sqrt(2 * G * drop), 1e-6);
    EXPECT_NEAR(engine.events.back().x0, 60.0, 1e-3);
}

TEST(EngineBarrier, BreakableBarrierIsPassedWithTheEnergyLeft)
{
    struct Case { double capacity; bool infinite; bool breaks; };
    const double mass = 500.0;
    const Case cases[] = {
        {40000.0, false, true},
        {0.0, false, true},         // no capacity at all: any hit breaks it
        {0.0, true, false},         // infinite capacity never breaks
        {1e9, false, false},
    };
    for (const Case& c : cases)
    {
        RecordingEngine engine;
        FloorWithBarrier(engine, 0.5, 0.5, c.capacity, c.infinite);
        ASSERT_EQ(engine.Throw(40, 20, VX, 0, mass), ENGINE_OK);
        ASSERT_GE(engine.events.size(), 3u);
        const EngineEvent& hit = engine.events[1];
        const EngineEvent& next = engine.events[2];
        ASSERT_EQ(hit.kind, EngineEvent::Barrier);
        ASSERT_EQ(next.kind, EngineEvent::Flight);
        const double energy = 0.5 * mass * (hit.vx0 * hit.vx0 + hit.vy0 * hit.vy0);
        if (c.breaks)
        {
            const double speed = std::sqrt(2 * (energy - c.capacity) / mass);
            EXPECT_NEAR(Speed(next.vx0, next.vy0), speed, 1e-9) << c.capacity;
            // Same direction as before the hit.
            EXPECT_NEAR(std::atan2(next.vy0, next.vx0), std::atan2(hit.vy0, hit.vx0), 1e-12);
            EXPECT_GT(engine.events.back().x0, 60.0);
        }
        else
        {
            EXPECT_LT(next.vx0, 0.0) << c.capacity;
            EXPECT_LT(engine.events.back().x0, 60.0);
        }
    }
}

TEST(EngineBarrier, CollectorIsRecordedButPassed)
{
    RecordingEngine plain;
    plain.SetSlope({{0, 0}, {200, 0}}, 0.0, 0.0, 80.0);
    ASSERT_EQ(plain.Throw(40, 20, VX, 0), ENGINE_OK);

    RecordingEngine engine;
    FloorWithBarrier(engine, 1.0, 1.0, 0.0, true, true);
    ASSERT_EQ(engine.Throw(40, 20, VX, 0), ENGINE_OK);
    const auto hits = engine.Of(EngineEvent::Barrier);
    ASSERT_EQ(hits.size(), 1u);
    EXPECT_EQ(hits[0].entity, FakeEntity(2));
    EXPECT_NEAR(hits[0].x0, 60.0, 1e-12);
    EXPECT_NEAR(hits[0].vx0, VX, 1e-12);
    EXPECT_NEAR(hits[0].vy0, -G * (60.0 - engine.events[0].x0) / VX, 1e-9);
    EXPECT_EQ(engine.events.back().x0, plain.events.back().x0);
    EXPECT_EQ(engine.events.back().y0, plain.events.back().y0);
}

TEST(EngineBarrier, CollectorCrossedTwiceIsReportedOnlyBeforeTheFlightEnds)
{
    // The rock rises through a level collector at y = 15 (x ~ 26.4) and would
    // come down through it at x ~ 34; an elastic barrier at x = 30 ends the
    // flight in between.
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {200, 0}}, 0.0, 0.0, 80.0);
    engine.AddBarrier(0, 15, 100, 15, 0.0, FakeEntity(3), true, 0.0, 0.0, 0.0, 0.0, true);
    engine.AddBarrier(30, 0, 30, 40, 0.0, FakeEntity(4), false, 1.0, 0.0, 1.0, 0.0, true);
    ASSERT_EQ(engine.Throw(20, 10, 10, 10), ENGINE_OK);
    ASSERT_GE(engine.events.size(), 4u);
    EXPECT_EQ(engine.events[0].kind, EngineEvent::Flight);
    EXPECT_EQ(engine.events[1].entity, FakeEntity(3));
    EXPECT_LT(engine.events[1].x0, 30.0);
    EXPECT_GT(engine.events[1].vy0, 0.0);   // on the way up
    EXPECT_EQ(engine.events[2].entity, FakeEntity(4));
    EXPECT_EQ(engine.events[3].kind, EngineEvent::Flight);
}

TEST(EngineBarrier, BarrierFootAttachesToASlopeVertexOnlyWhenWithinATenthOfAMillimetre)
{
    struct Case { double offset; int endCorner; };
    for (const Case& c : {Case{0.00005, CORNER_BARRIER_BOUNCE}, Case{0.0002, CORNER_PASS}})
    {
        RecordingEngine engine;
        engine.SetSlope({{0, 50}, {50, 0}, {100, 0}}, 0.0, 1.0, 0.0);
        engine.AddBarrier(50 + c.offset, 0, 50 + c.offset, 20, 0.0, FakeEntity(5), false, 1.0, 0.0, 1.0,
                          0.0, true);
        ASSERT_EQ(engine.PrepareModel(), ENGINE_OK);
        const auto& v = engine.GetVertices();
        EXPECT_EQ(v[1].endCorner, c.endCorner) << c.offset;
        EXPECT_EQ(v[2].startCorner, c.endCorner) << c.offset;
        if (c.endCorner == CORNER_BARRIER_BOUNCE)
        {
            EXPECT_EQ(v[1].nextLinkKind, ENGINE_KIND_BARRIER);
            EXPECT_EQ(v[1].nextLinkIndex, 0);
            EXPECT_EQ(engine.GetBarriers()[0].startCorner, CORNER_BARRIER_BOUNCE);
        }
    }
}

TEST(EngineBarrier, RockSlidingIntoABarrierCornerHitsTheBarrier)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 50}, {50, 0}, {100, 0}}, 0.0, 1.0, 0.0);
    engine.AddBarrier(50, 0, 50, 20, 0.0, FakeEntity(6), false, 1.0, 0.0, 1.0, 0.0, true);
    ASSERT_EQ(engine.Throw(25, 25, 1, -1), ENGINE_OK);
    size_t i = 0;
    while (i < engine.events.size() && engine.events[i].kind != EngineEvent::Sliding)
        ++i;
    ASSERT_LT(i + 1, engine.events.size());
    EXPECT_NEAR(engine.events[i].x1, 50.0, 1e-3);
    const EngineEvent& hit = engine.events[i + 1];
    ASSERT_EQ(hit.kind, EngineEvent::Barrier);
    EXPECT_EQ(hit.entity, FakeEntity(6));
    EXPECT_EQ(hit.index, 0);
    EXPECT_EQ(hit.vx0, engine.events[i].vx1);
    // Mirrored off the elastic barrier: the next flight heads back left.
    ASSERT_LT(i + 2, engine.events.size());
    EXPECT_EQ(engine.events[i + 2].kind, EngineEvent::Flight);
    EXPECT_NEAR(engine.events[i + 2].vx0, -hit.vx0, 1e-9);
    EXPECT_NEAR(engine.events[i + 2].vy0, hit.vy0, 1e-9);
}

TEST(EngineBarrier, ARockOnALevelBarrierEndsThereAtOnce)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {200, 0}}, 0.0, 0.0, 80.0);
    engine.AddBarrier(30, 10, 70, 10, 0.0, FakeEntity(7), false, 0.0, 0.0, 0.0, 0.0, true);
    ASSERT_EQ(engine.Throw(50, 20, 0, 0), ENGINE_OK);
    ASSERT_EQ(engine.events.size(), 3u);
    EXPECT_EQ(engine.events[0].kind, EngineEvent::Flight);
    EXPECT_EQ(engine.events[1].kind, EngineEvent::Barrier);
    EXPECT_EQ(engine.events[2].kind, EngineEvent::End);
    EXPECT_NEAR(engine.events[2].y0, 10.0, 1e-6);
}

TEST(EngineImpact, ZeroRnWithZeroNormalSpeedLeavesNoNaNInTheRotationalModel)
{
    // A rock moving along the surface (Vn = 0) with Rn clamped to 0.
    RecordingEngine engine;
    engine.SetOptions(true, false, false, false, 10.0, 100.0);
    engine.SetSlope({{0, 0}, {100, 0}}, 0.0, 0.8, 30.0);
    ASSERT_EQ(engine.PrepareModel(), ENGINE_OK);
    CRockState state;
    state.x = 50;
    state.y = 0;
    state.vx = 5;
    state.vy = 0;
    state.mass = 100;
    state.omega = 1;
    engine.ComputeImpact(state, 0, ENGINE_KIND_SEGMENT);
    EXPECT_FALSE(std::isnan(state.vx));
    EXPECT_FALSE(std::isnan(state.vy));
    EXPECT_FALSE(std::isnan(state.omega));
    EXPECT_EQ(state.vx, 0.0);   // nothing recovered tangentially when Rn is 0
    EXPECT_LT(state.y, 0.0);    // put a hair beyond the surface
}

TEST(EngineImpact, RockMovingAlongABarrierIsStillPutBesideIt)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, 0}}, 0.0, 0.8, 30.0);
    engine.AddBarrier(50, 0, 50, 20, 0.0, nullptr, false, 0.5, 0.0, 0.5, 0.0, true);
    ASSERT_EQ(engine.PrepareModel(), ENGINE_OK);
    CRockState state;
    state.x = 50;
    state.y = 10;
    state.vx = 0;
    state.vy = -3;
    state.mass = 100;
    engine.ComputeImpact(state, 0, ENGINE_KIND_BARRIER);
    EXPECT_FALSE(std::isnan(state.x));
    EXPECT_NE(state.x, 50.0);
    EXPECT_NEAR(state.x, 50.0, 1e-6);
    EXPECT_NEAR(Speed(state.dx, state.dy), 0x1p-23, 1e-20);
}
