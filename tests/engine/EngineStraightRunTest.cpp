// A slope gives the same rock paths however many vertices its straight runs
// were digitised with.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "RecordingEngine.h"

namespace
{
struct Material { double Rn, RnSd, Rt, RtSd, phi, phiSd, roughnessSd; };
struct Corner { double x, y; int material; };   // material of the segment ending here

const Material kFixed[] = {{0.35, 0, 0.85, 0, 30, 0, 0}, {0.30, 0, 0.80, 0, 38, 0, 0}};
const Material kSampled[] = {{0.35, 0.04, 0.85, 0.03, 30, 3, 2}, {0.30, 0.04, 0.80, 0.03, 38, 3, 2}};
const std::vector<Corner> kProfile = {{0, 120, 0}, {40, 60, 0}, {140, 25, 0}, {300, 5, 1}};

double RoundTo(double v, double step)
{
    return step > 0.0 ? std::round(v / step) * step : v;
}

// The outline with each segment cut into `pieces` collinear pieces.
void SetSubdivided(RecordingEngine& engine, const std::vector<Corner>& outline, const Material* materials,
                   int pieces, double roundTo = 0.0)
{
    engine.ClearSlope();
    auto add = [&](double x, double y, const Material& m) {
        engine.AddSlopeSegment(RoundTo(x, roundTo), RoundTo(y, roundTo), m.Rn, m.RnSd, m.Rt, m.RtSd, m.phi,
                               m.phiSd, m.roughnessSd);
    };
    add(outline[0].x, outline[0].y, materials[outline[1].material]);
    for (size_t i = 1; i < outline.size(); ++i)
        for (int k = 1; k <= pieces; ++k)
        {
            const double f = static_cast<double>(k) / pieces;
            add(outline[i - 1].x + f * (outline[i].x - outline[i - 1].x),
                outline[i - 1].y + f * (outline[i].y - outline[i - 1].y), materials[outline[i].material]);
        }
}

struct Start { double x, y, vx, vy; };

EngineEvent ThrowOnce(RecordingEngine& engine, const Start& s, unsigned seed = 7)
{
    SeedRandom(seed);
    EXPECT_EQ(engine.Throw(s.x, s.y, s.vx, s.vy), ENGINE_OK);
    const auto ends = engine.Of(EngineEvent::End);
    EXPECT_EQ(ends.size(), 1u);
    return ends.empty() ? EngineEvent{EngineEvent::End} : ends.back();
}
} // namespace

TEST(EngineStraightRun, CollinearVerticesChangeNoEndPoint)
{
    struct Case
    {
        const char* name;
        std::vector<Corner> outline;
        int variant;
        Start start;
    };
    const Case cases[] = {
        {"stops on one incline", {{0, 50, 0}, {200, 0, 0}}, 20, {10, 47.5 + 1e-7, 8, -2}},
        {"steep incline onto a flat", {{0, 100, 0}, {80, 20, 0}, {400, 20, 1}}, 20, {5, 95 + 1e-7, 1, -1}},
        {"rolls through a valley", {{0, 60, 0}, {100, 0, 0}, {200, 30, 1}}, 21, {10, 54 + 1e-7, 1, -0.6}},
        {"falls, bounces and slides", kProfile, 20, {2, 125, 3, 0}},
        {"weak bounces", kProfile, 20, {60, 80, 1.5, -0.5}},
    };
    for (const Case& c : cases)
        for (int pieces : {3, 10})
        {
            SCOPED_TRACE(::testing::Message() << c.name << ", " << pieces << " pieces");
            RecordingEngine single, split;
            for (RecordingEngine* e : {&single, &split})
                if (c.variant == 21)
                    e->SetSlidingVariant21();
            SetSubdivided(single, c.outline, kFixed, 1);
            SetSubdivided(split, c.outline, kFixed, pieces);
            const EngineEvent a = ThrowOnce(single, c.start);
            const EngineEvent b = ThrowOnce(split, c.start);
            EXPECT_NEAR(a.x0, b.x0, 1e-6);
            EXPECT_NEAR(a.y0, b.y0, 1e-6);
            EXPECT_GT(split.Count(EngineEvent::Sliding), 0);
        }
}

TEST(EngineStraightRun, CoordinatesRoundedToTheMillimetreStillFormOneRun)
{
    // Pieces a few metres long typed to the millimetre are not exactly collinear.
    const std::vector<Corner> outline = {{0, 100, 0}, {80, 20, 0}, {400, 20, 1}};
    RecordingEngine single, split;
    SetSubdivided(single, outline, kFixed, 1);
    SetSubdivided(split, outline, kFixed, 30, 0.001);
    const Start start{5, 95 + 1e-7, 1, -1};
    const EngineEvent a = ThrowOnce(single, start);
    const EngineEvent b = ThrowOnce(split, start);
    EXPECT_NEAR(a.x0, b.x0, 0.05);
    EXPECT_NEAR(a.y0, b.y0, 0.05);
    EXPECT_EQ(split.Count(EngineEvent::Flight), single.Count(EngineEvent::Flight));
}

TEST(EngineStraightRun, SampledMaterialsGiveTheSameEndPointDistribution)
{
    const int rocks = 400;
    auto endPoints = [&](int pieces) {
        RecordingEngine engine;
        SetSubdivided(engine, kProfile, kSampled, pieces);
        SeedRandom(11);
        std::vector<double> xs;
        for (int i = 0; i < rocks; ++i)
        {
            EXPECT_EQ(engine.Throw(2, 125, 3, 0), ENGINE_OK);
            const auto ends = engine.Of(EngineEvent::End);
            if (!ends.empty())
                xs.push_back(ends.back().x0);
        }
        std::sort(xs.begin(), xs.end());
        return xs;
    };
    const std::vector<double> a = endPoints(1), b = endPoints(10);
    ASSERT_EQ(a.size(), static_cast<size_t>(rocks));
    ASSERT_EQ(b.size(), static_cast<size_t>(rocks));
    // Two-sample Kolmogorov-Smirnov statistic against its 1 % critical value.
    double d = 0.0;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size())
    {
        const double x = std::min(a[i], b[j]);
        while (i < a.size() && a[i] <= x) ++i;
        while (j < b.size() && b[j] <= x) ++j;
        d = std::max(d, std::fabs(static_cast<double>(i) / a.size() - static_cast<double>(j) / b.size()));
    }
    EXPECT_LT(d, 1.63 * std::sqrt(2.0 / rocks));
    // The mean run-out agrees too (the fault this guards against shortened it by a sixth).
    double ma = 0.0, mb = 0.0;
    for (size_t k = 0; k < a.size(); ++k) { ma += a[k]; mb += b[k]; }
    EXPECT_NEAR(mb / rocks, ma / rocks, 0.05 * ma / rocks);
}

TEST(EngineStraightRun, AVisibleCrestStillThrowsTheRockIntoTheAir)
{
    // A crest of a tenth of a degree at x = 100 is a real corner: the sliding
    // rock leaves it.
    const double drop1 = 100 * std::tan(20.0 * 3.14159265358979323846 / 180.0);
    const double drop2 = 100 * std::tan(20.1 * 3.14159265358979323846 / 180.0);
    RecordingEngine engine;
    engine.SetSlope({{0, drop1 + drop2}, {100, drop2}, {200, 0}, {300, 0}}, 0.3, 0.8, 10.0);
    SeedRandom(3);
    ASSERT_EQ(engine.Throw(5, drop1 + drop2 - 5 * drop1 / 100 + 1e-7, 3, -3 * drop1 / 100), ENGINE_OK);
    bool leftTheCrest = false;
    for (const EngineEvent& e : engine.Of(EngineEvent::Flight))
        leftTheCrest = leftTheCrest || std::fabs(e.x0 - 100.0) < 1e-3;
    EXPECT_TRUE(leftTheCrest);
}
