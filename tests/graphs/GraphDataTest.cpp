// Graph data of each kind against counts worked out by hand on small result
// records, the absence of data before a computation, deleted barriers, and
// values at the edge of the last bin.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>

#include "graphs/GraphData.h"
#include "FakeGraphResults.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRockPath.h"

namespace {

CLocationEnvelope Location(double x, double slopeHeight, double maxHeight = -DBL_MAX, double v = 0.0)
{
    CLocationEnvelope e;
    e.Set(0, maxHeight, slopeHeight, x, v, 0.0, 0.0, 0.0, 0.0);
    return e;
}

std::vector<double> Ys(const CGraphSeries& s)
{
    std::vector<double> y;
    for (int i = 0; i < s.GetCount(); ++i)
        y.push_back(s.GetY(i));
    return y;
}

std::vector<double> Xs(const CGraphSeries& s)
{
    std::vector<double> x;
    for (int i = 0; i < s.GetCount(); ++i)
        x.push_back(s.GetX(i));
    return x;
}

std::unique_ptr<CTalusimRockPath> Path(bool passes)
{
    auto p = std::make_unique<CTalusimRockPath>();
    p->SetCategoryId(passes ? CTalusimRockPath::kCategorySelected : CTalusimRockPath::kCategoryOrdinary);
    return p;
}

// One location at x = 5 on a slope from 0 to 10, with samples of translational
// energy and height; the histogram over [0, 10] with five bins of width 2.
struct DistributionFixture : ::testing::Test {
    void SetUp() override
    {
        results.slopeMin = 0.0;
        results.slopeMax = 10.0;
        results.maxima = {Location(0.0, 4.0), Location(5.0, 2.0), Location(10.0, 0.0)};
        results.distributions.resize(3);
        results.maxValue = 10.0;
        results.maxCount = 7.0;
        state.kind = DIST_TRANSLATIONAL_ENERGY;
        state.settings.customBins = 1;
        state.settings.defaultBins = 20;
        state.settings.customBinCount = 5;
    }
    void Add(double height, double energy, CTalusimRockPath* path = nullptr)
    {
        results.distributions[1].AddSample(height, energy, 0.0, 0.0, 0.0, path);
    }
    FakeResults results;
    GraphState state;
};

} // namespace

TEST_F(DistributionFixture, CountsEachSampleInItsBinAtTheMiddleLocation)
{
    for (double e : {0.0, 1.0, 2.5, 9.99, 10.0})
        Add(0.0, e);
    RebuildGraphData(results, state);

    EXPECT_EQ(state.location.index, 1);    // nearest the middle of the slope
    EXPECT_EQ(state.series.chartType, 2);
    EXPECT_EQ(Xs(state.series), (std::vector<double>{1, 3, 5, 7, 9}));
    EXPECT_EQ(Ys(state.series), (std::vector<double>{2, 1, 0, 0, 2}));
    EXPECT_EQ(state.raw.GetCount(), 5);
    EXPECT_DOUBLE_EQ(state.raw.GetMaximum(), 10.0);
    // Axes fixed over every location.
    EXPECT_EQ(state.settings.computedXMax, 10.0);
    EXPECT_EQ(state.settings.computedYMax, 7.0);
    EXPECT_EQ(state.settings.givenYMax, 7.0);
    EXPECT_TRUE(HasData(&results, state) == false);    // no end point yet
    results.endPoints = {{3.0, 0.0, true}};
    EXPECT_TRUE(HasData(&results, state));
}

TEST_F(DistributionFixture, BounceHeightIsMeasuredFromTheSlope)
{
    state.kind = DIST_BOUNCE_HEIGHT;
    for (double h : {2.5, 5.0, 12.0})    // slope height 2 at x = 5
        Add(h, 0.0);
    RebuildGraphData(results, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 1, 0, 0, 1}));
    EXPECT_DOUBLE_EQ(state.raw.GetValue(0), 0.5);
    EXPECT_DOUBLE_EQ(state.raw.GetValue(2), 10.0);
}

TEST_F(DistributionFixture, OutsideTheCustomRangeClampsIntoTheEndBins)
{
    state.settings.customXRange = 1;
    state.settings.givenXMin = 8.0;    // reversed on purpose
    state.settings.givenXMax = 2.0;
    for (double e : {1.0, 2.0, 5.0, 9.0})
        Add(0.0, e);
    RebuildGraphData(results, state);
    // [2, 8] in five bins of 1.2.
    EXPECT_EQ(Ys(state.series), (std::vector<double>{2, 0, 1, 0, 1}));
    EXPECT_DOUBLE_EQ(state.series.GetX(0), 2.6);
}

TEST_F(DistributionFixture, FilteredOnlyCountsThePassingPathsAndTheirRawValues)
{
    auto in = Path(true), out = Path(false);
    Add(0.0, 1.0, in.get());
    Add(0.0, 3.0, out.get());
    Add(0.0, 5.0, in.get());
    results.filteredOnly = true;
    RebuildGraphData(results, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 0, 1, 0, 0}));
    ASSERT_EQ(state.raw.GetCount(), 2);
    EXPECT_EQ(state.raw.GetValue(1), 5.0);

    results.filteredOnly = false;
    RebuildGraphData(results, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 1, 1, 0, 0}));
}

TEST_F(DistributionFixture, ALocationWithoutRecordShowsNoOldSeries)
{
    Add(0.0, 1.0);
    RebuildGraphData(results, state);
    ASSERT_TRUE(state.series.Exists());
    results.distributions.clear();    // results cleared
    RebuildGraphData(results, state);
    EXPECT_FALSE(state.series.Exists());
    EXPECT_EQ(state.raw.GetCount(), 0);
}

TEST(GraphDataTest, NothingBeforeACompute)
{
    FakeResults empty;
    empty.locations = 5;
    empty.slopeMax = 10.0;
    for (int kind : {2901, 2904, 2940, 2941, 2946, 3142})
    {
        GraphState state;
        state.kind = kind;
        RebuildGraphData(empty, state);
        EXPECT_FALSE(HasData(&empty, state)) << kind;
        EXPECT_FALSE(HasData(nullptr, state)) << kind;
        EXPECT_EQ(state.raw.GetCount(), 0) << kind;
    }
    GraphState none;
    EXPECT_FALSE(HasData(&empty, none));
}

TEST(GraphDataTest, EndPointsOverTheSlope)
{
    FakeResults r;
    r.locations = 5;    // four bins by default
    r.slopeMin = 0.0;
    r.slopeMax = 100.0;
    auto in = Path(true);
    r.endPoints = {{10, 0, true}, {30, 0, false}, {100, 0, true}, {-5, 0, false}, {120, 0, true}};
    GraphState state;
    state.kind = GRAPH_END_POINTS;
    RebuildGraphData(r, state);
    EXPECT_EQ(state.settings.defaultBins, 4);
    EXPECT_EQ(Xs(state.series), (std::vector<double>{12.5, 37.5, 62.5, 87.5}));
    EXPECT_EQ(Ys(state.series), (std::vector<double>{2, 1, 0, 2}));
    EXPECT_EQ(state.settings.computedYMax, 2.0);
    EXPECT_EQ(state.settings.computedXMax, 100.0);
    EXPECT_EQ(state.raw.GetCount(), 5);

    r.filteredOnly = true;
    RebuildGraphData(r, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 0, 0, 2}));
    EXPECT_EQ(state.raw.GetCount(), 3);
    EXPECT_TRUE(HasData(&r, state));
}

TEST(GraphDataTest, EnvelopesFollowTheLocationsAndIgnoreBins)
{
    FakeResults r;
    r.locations = 3;
    r.maxima = {Location(0, 10, 12, 4.0), Location(10, 5, -DBL_MAX, 0.0), Location(20, 0, 1.5, 9.0)};
    GraphState state;
    state.kind = 2941;
    state.settings.customBins = 1;
    state.settings.defaultBins = 7;
    state.settings.customBinCount = 7;
    RebuildGraphData(r, state);
    EXPECT_EQ(state.series.chartType, 1);
    EXPECT_EQ(Xs(state.series), (std::vector<double>{0, 10, 20}));
    EXPECT_EQ(Ys(state.series), (std::vector<double>{2, 0, 1.5}));    // not crossed: 0
    EXPECT_EQ(state.settings.computedXMin, 0.0);
    EXPECT_EQ(state.settings.computedXMax, 20.0);
    EXPECT_EQ(state.settings.computedYMax, 2.0);
    EXPECT_EQ(state.raw.GetCount(), 0);

    state.kind = 2945;
    RebuildGraphData(r, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{4, 0, 9}));
}

namespace {

struct ImpactFixture : ::testing::Test {
    void SetUp() override
    {
        barrier.SetPoints(0.0, 0.0, 10.0, 0.0);
        results.objects = {&barrier};
        state.object = &barrier;
        state.settings.customBins = 1;
        state.settings.defaultBins = 20;
        state.settings.customBinCount = 5;
    }
    void Hit(double x, double v, double energy, CTalusimRockPath* path)
    {
        barrier.AddHit(x, 0.0, v, 0.0, energy, 0.0, 1.0, path, 0.0, 0.0, false);
    }
    CTalusimBarrier barrier;
    FakeResults results;
    GraphState state;
    std::unique_ptr<CTalusimRockPath> in = Path(true), out = Path(false);
};

} // namespace

TEST_F(ImpactFixture, LocationsAlongTheBarrierAtBinCentresOverTheBarriersLength)
{
    Hit(1.0, 1, 1, in.get());
    Hit(4.0, 1, 1, out.get());
    Hit(10.0, 1, 1, in.get());
    Hit(5.0, 1, 1, in.get());
    state.kind = 3145;
    RebuildGraphData(results, state);
    EXPECT_EQ(Xs(state.series), (std::vector<double>{1, 3, 5, 7, 9}));
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 0, 2, 0, 1}));
    EXPECT_EQ(state.settings.computedXMin, 0.0);
    EXPECT_EQ(state.settings.computedXMax, 10.0);
    EXPECT_EQ(state.settings.computedYMax, 2.0);
    EXPECT_TRUE(HasData(&results, state));

    results.filteredOnly = true;
    RebuildGraphData(results, state);
    EXPECT_EQ(Ys(state.series), (std::vector<double>{1, 0, 1, 0, 1}));
    EXPECT_EQ(state.raw.GetCount(), 3);
}

TEST_F(ImpactFixture, HitsSharingOneValueMakeOneBar)
{
    for (int i = 0; i < 3; ++i)
        Hit(2.0 + i, 7.5, 30.0, in.get());
    state.kind = 3142;
    RebuildGraphData(results, state);
    ASSERT_EQ(state.series.GetCount(), 1);
    EXPECT_EQ(state.series.GetX(0), 30.0);
    EXPECT_EQ(state.series.GetY(0), 3.0);
}

TEST_F(ImpactFixture, ABarrierWithoutHitsHasNoData)
{
    state.kind = 3143;
    RebuildGraphData(results, state);
    EXPECT_FALSE(state.series.Exists());
    EXPECT_FALSE(HasData(&results, state));
}

TEST_F(ImpactFixture, ADeletedBarrierIsNeverRead)
{
    // An address that crashes on any read: the graph must only compare it.
    state.object = reinterpret_cast<CEntity*>(static_cast<uintptr_t>(0x10));
    state.kind = 3142;
    results.objects.clear();
    EXPECT_FALSE(HasData(&results, state));
    RebuildGraphData(results, state);
    EXPECT_EQ(state.object, nullptr);
    EXPECT_FALSE(state.series.Exists());
    EXPECT_FALSE(HasData(&results, state));
}

TEST(GraphDataTest, ValuesJustBelowTheMaximumStayInTheLastBin)
{
    // The quotient (x - min) / ((max - min) / n) rounds up to n for some of
    // these: the count must still land in bin n - 1 and nowhere past it.
    int checked = 0;
    for (double max : {0.7, 1.1, 3.3, 9.87, 123.456, 1e-3, 5e7})
        for (int n : {3, 7, 10, 13, 20, 49, 99}) {
            FakeResults r;
            r.locations = n + 1;
            r.slopeMax = max;
            r.endPoints = {{std::nextafter(max, 0.0), 0, true}, {max, 0, true}};
            GraphState state;
            state.kind = GRAPH_END_POINTS;
            RebuildGraphData(r, state);
            ASSERT_EQ(state.series.GetCount(), n);
            EXPECT_EQ(state.series.GetY(n - 1), 2.0) << max << " " << n;
            ++checked;
        }
    EXPECT_GT(checked, 0);
}

TEST(GraphDataTest, SelectingALocation)
{
    FakeResults r;
    r.slopeMin = 0.0;
    r.slopeMax = 20.0;
    r.maxima = {Location(0, 9), Location(10, 8), Location(20, 7)};
    struct Case { double x; int index; int expected; };
    const Case cases[] = {
        {-3.0, -1, 0},     // left of the slope
        {5.0, -1, 1},      // midway: the right one
        {4.9, -1, 0},
        {16.0, -1, 2},
        {20.0, -1, 2},
        {25.0, -1, -1},    // beyond: none
        {0.0, 2, 2},
        {0.0, 3, -1},
    };
    for (const Case& c : cases) {
        SelectedLocation loc;
        SelectLocation(r, c.x, c.index, loc);
        EXPECT_EQ(loc.index, c.expected) << c.x << " " << c.index;
        if (c.expected >= 0) {
            EXPECT_EQ(loc.x, 10.0 * c.expected);
            EXPECT_EQ(loc.slopeHeight, 9.0 - c.expected);
        } else {
            EXPECT_EQ(loc.x, DBL_MAX);
        }
    }
}

TEST(GraphDataTest, WindowTitles)
{
    SelectedLocation at;
    at.index = 3;
    at.x = 12.5;
    EXPECT_EQ(GraphWindowTitle(2901, nullptr, at), "Bounce Height Distribution at x=12.500");
    EXPECT_EQ(GraphWindowTitle(2941, nullptr, at), "Bounce Height Envelope");
    CTalusimBarrier barrier;
    barrier.SetName("Barrier 1");
    EXPECT_EQ(GraphWindowTitle(3142, &barrier, SelectedLocation()), "Total Kinetic Energy on Barrier 1");

    GraphUnits feet;
    feet.length = "[ft]";
    feet.velocity = "[ft/s]";
    feet.energy = "[lb ft^2/s^2]";
    CString x, y;
    GraphAxisTitles(2901, feet, x, y);
    EXPECT_EQ(x, "Height Above Slope [ft]");
    EXPECT_EQ(y, "Number of Rocks");
    GraphAxisTitles(2946, feet, x, y);
    EXPECT_EQ(x, "Location [ft]");
    EXPECT_EQ(y, "Angular Velocity [rad/s]");
    GraphAxisTitles(3142, feet, x, y);
    EXPECT_EQ(x, "Total Kinetic Energy [lb ft^2/s^2]");
    EXPECT_EQ(GraphSeriesColour(2905), 0x808000u);
}
