#include <gtest/gtest.h>

#include <cmath>

#include "RecordingEngine.h"

TEST(EngineValidation, SlopeSegmentParameters)
{
    struct Case { double Rn, Rt, phi; int result; };
    const Case cases[] = {
        {1.0, 0.0, 90.0, ENGINE_OK},
        {0.0, 1.0, 0.0, ENGINE_OK},
        {0.5, 0.5, 90.0001, ENGINE_INVALID_PARAMETER},
        {0.5, 0.5, -0.0001, ENGINE_INVALID_PARAMETER},
        {-0.01, 0.5, 30.0, ENGINE_INVALID_PARAMETER},
        {1.01, 0.5, 30.0, ENGINE_INVALID_PARAMETER},
        {0.5, -0.01, 30.0, ENGINE_INVALID_PARAMETER},
        {0.5, 1.01, 30.0, ENGINE_INVALID_PARAMETER},
        {NAN, 0.5, 30.0, ENGINE_INVALID_PARAMETER},
    };
    for (const Case& c : cases)
    {
        RecordingEngine engine;
        EXPECT_EQ(engine.AddSlopeSegment(0, 0, c.Rn, 0, c.Rt, 0, c.phi, 0, 0), c.result)
            << c.Rn << " " << c.Rt << " " << c.phi;
        EXPECT_EQ(engine.GetVertices().size(), c.result == ENGINE_OK ? 1u : 0u);
    }
}

TEST(EngineValidation, RepeatedVertexGives4AndKeepsOne)
{
    RecordingEngine engine;
    EXPECT_EQ(engine.AddSlopeSegment(1, 2, 0.5, 0, 0.5, 0, 30, 0, 0), ENGINE_OK);
    EXPECT_EQ(engine.AddSlopeSegment(1, 2, 0.5, 0, 0.5, 0, 30, 0, 0), ENGINE_DUPLICATE_VERTEX);
    EXPECT_EQ(engine.GetVertices().size(), 1u);
    EXPECT_EQ(engine.AddSlopeSegment(1, 2.0000001, 0.5, 0, 0.5, 0, 30, 0, 0), ENGINE_OK);
}

TEST(EngineValidation, BarrierParametersAndMinimumVelocity)
{
    RecordingEngine engine;
    EXPECT_EQ(engine.AddBarrier(0, 0, 0, 1, -1.0, nullptr, false, 0.5, 0, 0.5, 0, false),
              ENGINE_INVALID_PARAMETER);
    EXPECT_EQ(engine.AddBarrier(0, 0, 0, 1, 10.0, nullptr, false, 1.5, 0, 0.5, 0, false),
              ENGINE_INVALID_PARAMETER);
    EXPECT_EQ(engine.AddBarrier(0, 0, 0, 1, 10.0, nullptr, false, 0.5, 0, -0.5, 0, false),
              ENGINE_INVALID_PARAMETER);
    EXPECT_TRUE(engine.GetBarriers().empty());
    EXPECT_EQ(engine.AddBarrier(0, 0, 0, 1, 0.0, nullptr, true, 0.0, 0, 1.0, 0, true), ENGINE_OK);
    EXPECT_EQ(engine.GetBarriers().size(), 1u);

    EXPECT_EQ(engine.SetMinimumVelocity(-0.1), ENGINE_INVALID_PARAMETER);
    EXPECT_EQ(engine.SetMinimumVelocity(0.0), ENGINE_OK);
}

TEST(EngineValidation, RunRefusesBadSlopesAndMissingStartWithoutCallbacks)
{
    RecordingEngine oneVertex;
    oneVertex.SetSlope({{0, 0}}, 0.5, 0.5, 30);
    EXPECT_EQ(oneVertex.Throw(0, 5, 1, 0), ENGINE_NO_SLOPE);
    EXPECT_TRUE(oneVertex.events.empty());

    RecordingEngine rightToLeft;
    rightToLeft.SetSlope({{10, 0}, {0, -5}}, 0.5, 0.5, 30);
    EXPECT_EQ(rightToLeft.Throw(5, 5, 1, 0), ENGINE_SLOPE_NOT_LEFT_TO_RIGHT);
    EXPECT_TRUE(rightToLeft.events.empty());

    RecordingEngine noStart;
    noStart.SetSlope({{0, 10}, {10, 0}}, 0.5, 0.5, 30);
    EXPECT_EQ(noStart.Run(), ENGINE_NO_ROCK_START);
    EXPECT_TRUE(noStart.events.empty());
}

TEST(EngineValidation, ARockTheEngineCannotFollowGives2AndNoReportAtAll)
{
    RecordingEngine engine;
    engine.SetSlope({{0, 10}, {10, 0}, {20, -2}}, 0.5, 0.8, 30);
    engine.SetOptions(true, false, false, false, 10.0, 100.0);
    const double nan = std::nan("");
    const double inf = HUGE_VAL;
    struct Case {
        const char* what;
        double x, y, vx, vy, mass, omega;
    } cases[] = {
        {"a start x that is no number", nan, 12, 1, 0, 1000, 0},
        {"an infinite vertical velocity", 2, 12, 1, -inf, 1000, 0},
        {"an angular velocity that is no number", 2, 12, 1, 0, 1000, nan},
        {"a speed whose square overflows", 2, 12, 1e300, 0, 1000, 0},
        {"a speed no flight can be computed for", 2, 12, 1e150, 0, 1000, 0},
        {"a mass whose inertia overflows", 2, 12, 1, 0, 1e200, 0},
        {"a spin whose energy overflows", 2, 12, 1, 0, 1000, 1e160},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(engine.Throw(c.x, c.y, c.vx, c.vy, c.mass, c.omega), ENGINE_INVALID_PARAMETER) << c.what;
        EXPECT_TRUE(engine.events.empty()) << c.what;
    }
    // The same engine goes on with rocks it can follow: fast and heavy ones too.
    EXPECT_EQ(engine.Throw(2, 12, 1, 0), ENGINE_OK);
    EXPECT_EQ(engine.Count(EngineEvent::End), 1);
    EXPECT_EQ(engine.Throw(2, 12, 1e6, 0, 1e8, 1e3), ENGINE_OK);
    EXPECT_EQ(engine.Count(EngineEvent::End), 1);
}

TEST(EngineValidation, EndlessRockStopsAtTheStepCapWithOneEndPoint)
{
    // A perfectly elastic floor with no minimum speed keeps a dropped rock bouncing
    // (far) beyond the cap.
    RecordingEngine engine;
    engine.SetSlope({{0, 0}, {100, 0}}, 1.0, 1.0, 0.0);
    engine.SetMinimumVelocity(0.0);
    EXPECT_EQ(engine.Throw(50, 90, 0, 0), ENGINE_TIME_LIMIT);
    EXPECT_EQ(engine.Count(EngineEvent::End), 1);
    EXPECT_EQ(engine.events.back().kind, EngineEvent::End);
    EXPECT_GE(engine.Count(EngineEvent::Flight), CTalusimEngine::MAX_STEPS_PER_ROCK - 1);
}

TEST(EngineValidation, ContextReachesEveryCallbackAndSetUpSurvivesRuns)
{
    RecordingEngine engine;
    int document = 0;
    engine.SetDocument(&document);
    engine.SetSlope({{0, 10}, {100, 0}}, 0.3, 0.8, 30);
    for (int run = 0; run < 2; ++run)
    {
        EXPECT_EQ(engine.Throw(5, 15, 1, 0), ENGINE_OK);
        ASSERT_FALSE(engine.events.empty());
        for (const EngineEvent& e : engine.events)
            EXPECT_EQ(e.context, &document);
        EXPECT_EQ(engine.Count(EngineEvent::End), 1);
    }
}
