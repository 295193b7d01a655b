// The locations and collectors a piece of path crosses are found by a search
// on x, not by testing every line: the passages reported must be exactly
// those of the plain test against every line, in the same order, for pieces
// touching a location, lying between two, crossing many, vertical and uphill
// pieces, and flights in both directions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/EngineGeometry.h"
#include "RecordingEngine.h"

namespace
{
struct Line
{
    double x1, y1, x2, y2;
};

struct Crossing
{
    EngineEvent::Kind kind;
    int index;
    double x, y;
    bool operator==(const Crossing& o) const
    {
        return kind == o.kind && index == o.index && x == o.x && y == o.y;
    }
};

std::string Describe(const std::vector<Crossing>& v)
{
    std::string s;
    char text[96];
    for (const Crossing& c : v)
    {
        std::snprintf(text, sizeof text, "%s%d(%.17g,%.17g) ", c.kind == EngineEvent::Location ? "L" : "C",
                      c.index, c.x, c.y);
        s += text;
    }
    return s;
}

// A location set as the document hands it over: vertical lines at even steps
// over the slope, the last exactly at its right end, then the catch line.
std::vector<Line> EvenLocations(int n, double left, double right)
{
    std::vector<Line> out;
    const double step = (right - left) / (n - 1);
    for (int i = 0; i < n; ++i)
    {
        const double x = i == n - 1 ? right : left + i * step;
        out.push_back({x, 140.0, x, -20.0});
    }
    out.push_back({left - 1000.0, -20.0, right + 1000.0, -20.0});
    return out;
}

// Locations in no order: right to left, two at the same x, short ones at
// different heights, a slanted one, and the catch line in the middle.
std::vector<Line> MixedLocations()
{
    std::vector<Line> out;
    for (int i = 40; i >= 0; --i)
        out.push_back({2.5 * i, 140.0, 2.5 * i, -20.0});
    out.push_back({50.0, 140.0, 50.0, -20.0});
    out.push_back({-1000.0, -20.0, 1100.0, -20.0});
    out.push_back({33.3, 6.0, 33.3, 9.0});
    out.push_back({61.0, 0.0, 61.0, 2.0});
    out.push_back({70.0, 0.0, 74.0, 30.0});
    for (int i = 0; i < 40; ++i)
        out.push_back({1.25 + 2.5 * i, 140.0, 1.25 + 2.5 * i, -20.0});
    return out;
}

// Collectors, the barrier among them is not one and is never reported.
const std::vector<Line> COLLECTORS = {{20.0, 0.0, 20.0, 30.0}, {45.0, 10.0, 55.0, 12.0}, {45.0, 12.0, 55.0, 10.0},
                                      {80.0, 0.0, 80.0, 3.0},  {0.0, 5.0, 100.0, 5.0},   {47.5, 0.0, 47.5, 40.0}};
const int BARRIER_INDEX = 2;

class Crossings : public ::testing::Test
{
protected:
    RecordingEngine engine;
    std::vector<Line> locations;

    void Use(const std::vector<Line>& lines)
    {
        locations = lines;
        engine.SetMetricUnits();
        engine.SetSlope({{-5, 100}, {105, 0}}, 0.5, 0.5, 30.0);
        engine.ClearLocations();
        for (size_t i = 0; i < lines.size(); ++i)
            engine.AddLocation(lines[i].x1, lines[i].y1, lines[i].x2, lines[i].y2, static_cast<int>(i) + 100);
        engine.ClearBarriers();
        for (size_t k = 0; k < COLLECTORS.size(); ++k)
        {
            const Line& c = COLLECTORS[k];
            engine.AddBarrier(c.x1, c.y1, c.x2, c.y2, 100.0, FakeEntity(static_cast<int>(k)),
                              static_cast<int>(k) != BARRIER_INDEX, 0.5, 0.0, 0.5, 0.0, true);
        }
        ASSERT_EQ(engine.PrepareModel(), ENGINE_OK);
    }

    std::vector<Crossing> Reported() const
    {
        std::vector<Crossing> out;
        for (const EngineEvent& e : engine.events)
            if (e.kind == EngineEvent::Location || e.kind == EngineEvent::Barrier)
                out.push_back({e.kind, e.index, e.x0, e.y0});
        return out;
    }

    // Every location, then every collector, tested in list order.
    std::vector<Crossing> PlainPiece(double x0, double y0, double x1, double y1) const
    {
        std::vector<Crossing> out;
        double x, y;
        for (size_t i = 0; i < locations.size(); ++i)
        {
            const Line& l = locations[i];
            if (enginegeo::SegmentsMeet(x0, y0, x1, y1, l.x1, l.y1, l.x2, l.y2, &x, &y))
                out.push_back({EngineEvent::Location, static_cast<int>(i), x, y});
        }
        for (size_t k = 0; k < COLLECTORS.size(); ++k)
        {
            const Line& c = COLLECTORS[k];
            if (static_cast<int>(k) != BARRIER_INDEX &&
                enginegeo::SegmentsMeet(x0, y0, x1, y1, c.x1, c.y1, c.x2, c.y2, &x, &y))
                out.push_back({EngineEvent::Barrier, static_cast<int>(k), x, y});
        }
        return out;
    }

    std::vector<Crossing> PlainFlight(const CRockState& s, double duration) const
    {
        std::vector<Crossing> out;
        CFlightParabola p;
        p.SetGravity(engine.GetGravity());
        p.SetStart(s.x, s.y, s.vx, s.vy);
        bool two = false;
        for (size_t i = 0; i < locations.size(); ++i)
        {
            CParabolaLine line;
            const Line& l = locations[i];
            line.Set(l.x1, l.y1, l.x2, l.y2);
            if (p.MayCross(line) && p.Solve(line, two) && p.GetTime(false) <= duration)
                out.push_back({EngineEvent::Location, static_cast<int>(i), p.GetX(false), p.GetY(false)});
        }
        for (size_t k = 0; k < COLLECTORS.size(); ++k)
        {
            CParabolaLine line;
            const Line& c = COLLECTORS[k];
            line.Set(c.x1, c.y1, c.x2, c.y2);
            if (static_cast<int>(k) == BARRIER_INDEX || !p.MayCross(line) || !p.Solve(line, two))
                continue;
            for (int n = 0; n < (two ? 2 : 1); ++n)
                if (p.GetTime(n == 1) < duration)
                    out.push_back({EngineEvent::Barrier, static_cast<int>(k), p.GetX(n == 1), p.GetY(n == 1)});
        }
        return out;
    }
};

struct Piece
{
    const char* what;
    double x0, y0, x1, y1;
};

TEST_F(Crossings, StraightPiecesReportWhatThePlainTestReports)
{
    const std::vector<Line> even = EvenLocations(1000, 0.0, 100.0);
    const double step = 100.0 / 999;
    const double at = 37 * step;   // location 37, as the document places it
    const std::vector<Piece> pieces = {
        {"starting on a location", at, 60.0, at + 0.05, 59.9},
        {"ending on a location", at - 0.05, 60.1, at, 60.0},
        {"ending a hair past a location", at - 0.05, 60.1, at + 1e-12, 60.0},
        {"ending a hair short of a location", at - 0.05, 60.1, at - 1e-12, 60.0},
        {"between two locations", at + 0.2 * step, 60.0, at + 0.7 * step, 59.0},
        {"crossing many", 0.5, 99.0, 99.5, 0.5},
        {"crossing all and the catch line", -3.0, 10.0, 103.0, -30.0},
        {"vertical, on a location", at, 60.0, at, 50.0},
        {"vertical, between two", at + 0.5 * step, 60.0, at + 0.5 * step, 50.0},
        {"uphill, right to left", 64.0, 30.0, 52.0, 44.0},
        {"uphill, stopping on a location", at + 0.3, 59.0, at, 60.0},
        {"through collectors and the barrier", 15.0, 8.0, 85.0, 1.0},
        {"along a collector", 10.0, 5.0, 30.0, 5.0},
        {"at the left end", -0.01, 50.0, 0.0, 49.0},
        {"at the right end", 100.0, 1.0, 100.02, 0.9},
        {"a point", at, 50.0, at, 50.0},
    };
    for (const auto& set : {even, MixedLocations()})
    {
        Use(set);
        for (const Piece& p : pieces)
        {
            for (const bool reversed : {false, true})
            {
                const double x0 = reversed ? p.x1 : p.x0, y0 = reversed ? p.y1 : p.y0;
                const double x1 = reversed ? p.x0 : p.x1, y1 = reversed ? p.y0 : p.y1;
                engine.events.clear();
                CRockState state;
                state.mass = 500.0;
                const double L = std::hypot(x1 - x0, y1 - y0);
                engine.ReportPieceCrossings(state, x0, y0, x1, y1, 3.0, 0.4, y1 > y0,
                                            L > 0 ? (x1 - x0) / L : 0.0, L > 0 ? (y1 - y0) / L : 0.0);
                const std::vector<Crossing> plain = PlainPiece(x0, y0, x1, y1);
                EXPECT_EQ(Reported(), plain) << p.what << (reversed ? ", reversed" : "") << " on "
                                             << set.size() << " lines\n  reported " << Describe(Reported())
                                             << "\n  plain    " << Describe(plain);
            }
        }
    }
    // The cases are not empty: the long piece crosses the locations it spans.
    Use(even);
    engine.events.clear();
    engine.ReportPieceCrossings(CRockState{}, 0.5, 99.0, 99.5, 0.5, 3.0, 0.4, false, 0.7, -0.7);
    EXPECT_GE(static_cast<int>(engine.Of(EngineEvent::Location).size()), 980);
}

struct Flight
{
    const char* what;
    double x, y, vx, vy;
    double duration;   // < 0: until x reaches -duration exactly as the engine computes it
};

TEST_F(Crossings, FlightsReportWhatThePlainTestReports)
{
    const std::vector<Line> even = EvenLocations(1000, 0.0, 100.0);
    const double step = 100.0 / 999;
    const double at = 37 * step;
    const std::vector<Flight> flights = {
        {"a short hop", at + 0.1 * step, 60.0, 0.5, 1.0, 0.3},
        {"starting on a location", at, 60.0, 2.0, 1.0, 0.5},
        {"ending on a location", at - 0.3, 60.0, 2.0, 1.0, -(at + step)},
        {"far, over many", 1.0, 99.0, 15.0, 8.0, 6.0},
        {"backwards", 90.0, 20.0, -12.0, 5.0, 4.0},
        {"backwards onto a location", 60.0, 40.0, -3.0, 2.0, -at},
        {"straight down on a location", at, 60.0, 0.0, -1.0, 2.0},
        {"straight up", 50.0, 60.0, 0.0, 10.0, 2.0},
        {"down through the catch line and collectors", 10.0, 30.0, 9.0, 0.0, 4.0},
        {"over the ends", -4.0, 80.0, 30.0, 20.0, 5.0},
    };
    for (const auto& set : {even, MixedLocations()})
    {
        Use(set);
        for (const Flight& f : flights)
        {
            CRockState start;
            start.x = f.x;
            start.y = f.y;
            start.vx = f.vx;
            start.vy = f.vy;
            start.mass = 500.0;
            const double duration = f.duration >= 0 ? f.duration : (-f.duration - f.x) / f.vx;
            engine.events.clear();
            engine.ReportFlightCrossings(start, duration);
            const std::vector<Crossing> plain = PlainFlight(start, duration);
            EXPECT_EQ(Reported(), plain) << f.what << " on " << set.size() << " lines\n  reported "
                                         << Describe(Reported()) << "\n  plain    " << Describe(plain);
        }
    }
}
} // namespace
