// The raw-data tables of each graph family on small records, against texts
// written out by hand, and the statistics report against statistics worked
// out by hand and a sample whose best fit is known.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <set>
#include <string>

#include "FakeGraphResults.h"
#include "graphs/GraphRawData.h"
#include "graphs/StatisticsReport.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRockPath.h"

namespace {

std::string Str(const CString& s)
{
    return static_cast<LPCSTR>(s);
}

std::unique_ptr<CTalusimRockPath> Path(bool passes)
{
    auto p = std::make_unique<CTalusimRockPath>();
    p->SetCategoryId(passes ? CTalusimRockPath::kCategorySelected : CTalusimRockPath::kCategoryOrdinary);
    return p;
}

GraphUnits Feet()
{
    GraphUnits u;
    u.length = "[ft]";
    u.velocity = "[ft/s]";
    u.energy = "[lb ft^2/s^2]";
    return u;
}

std::string Printf(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string Printf(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

} // namespace

TEST(GraphRawDataTest, DistributionListsTheCountedValuesInTheirOrder)
{
    FakeResults results;
    GraphState state;
    state.kind = 2903;
    state.settings.computedHeader = "Translational Kinetic Energy Distribution at x=5.000";
    state.settings.computedXTitle = "Translational Kinetic Energy [J]";
    state.settings.customXTitleFlag = 1;    // the copy uses the computed title whatever is shown
    state.settings.customXTitle = "Mine";
    for (double v : {2.5, 0.125, 1e7})
        state.raw.AddValue(v);
    RawDataTable table;
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_EQ(Str(table.text), "Translational Kinetic Energy Distribution at x=5.000\n"
                               "Number\tTranslational Kinetic Energy [J]\n"
                               "1\t2.5\n2\t0.125\n3\t1e+07\n");
    EXPECT_EQ(Str(table.sheetTitle), "Unsorted Raw Data");
    ASSERT_EQ(table.sheetColumns.size(), 2u);
    EXPECT_EQ(Str(table.sheetColumns[1]), "Translational Kinetic Energy [J]");
    EXPECT_EQ(table.rows, (std::vector<std::vector<double>>{{1, 2.5}, {2, 0.125}, {3, 1e7}}));
}

TEST(GraphRawDataTest, EndPointsOfPassingPathsOnlyWhenFilteredOnly)
{
    FakeResults results;
    results.endPoints = {{1.23456, 2.0, true}, {3.0, -4.5, false}, {10.0005, 0.0, true}};
    GraphState state;
    state.kind = 2940;
    RawDataTable table;
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_EQ(Str(table.text), "Rock Endpoints (unsorted)\nNumber\tX_Coordinate\tY_Coordinate\n"
                               "1\t1.235\t2.000\n2\t3.000\t-4.500\n3\t10.001\t0.000\n");
    results.filteredOnly = true;
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_EQ(Str(table.text), "Rock Endpoints (unsorted)\nNumber\tX_Coordinate\tY_Coordinate\n"
                               "1\t1.235\t2.000\n2\t10.001\t0.000\n");
    EXPECT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(Str(table.sheetColumns[2]), "Y Coordinate");
    EXPECT_FALSE(table.tooManyRows);
}

TEST(GraphRawDataTest, EnvelopeRowsSayWhereNoRockPassed)
{
    FakeResults results;
    CLocationEnvelope crossed, missed;
    crossed.Set(0, 14.5, 10.0, 0.0, 3.0, 1.5, 200.0, 20.0, 220.0);
    missed.Set(0, -DBL_MAX, 6.0, 25.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    results.maxima = {crossed, missed};
    GraphState state;
    state.kind = 2941;
    RawDataTable table;
    ASSERT_TRUE(CollectRawData(results, state, Feet(), table));
    EXPECT_EQ(Str(table.text), "Maximum Height above Slope vs. Horizontal location\nX_Coordinate[ft]\tHeight[ft]\n"
                               "0.000\t4.500\n25.000\tNo Data Available\n");
    EXPECT_EQ(Str(table.sheetTitle), "Maximum Height above Slope vs. Horizontal location");
    EXPECT_EQ(Str(table.sheetColumns[0]), "X Coordinate[ft]");
    EXPECT_EQ(Str(table.sheetColumns[1]), "Height[ft]");
    EXPECT_EQ(table.rows[1][1], RawDataTable::kNoValue);

    // The other envelopes: their title, column and value.
    struct Case {
        int kind;
        const char* head;
        double value;
    } cases[] = {
        {2942, "Maximum Total Kinetic Energy vs. Horizontal location\nX_Coordinate[ft]\tKinetic Energy[lb ft^2/s^2]\n", 220},
        {2943, "Maximum Translational Kinetic Energy vs. Horizontal location\nX_Coordinate[ft]\tKinetic Energy[lb ft^2/s^2]\n", 200},
        {2944, "Maximum Rotational Kinetic Energy vs. Horizontal location\nX_Coordinate[ft]\tKinetic Energy[lb ft^2/s^2]\n", 20},
        {2945, "Maximum Translational Velocity vs. Horizontal location\nX_Coordinate[ft]\tVelocity[ft/s]\n", 3},
        {2946, "Maximum Rotational Velocity vs. Horizontal location\nX_Coordinate[ft]\tVelocity[rad/s]\n", 1.5},
    };
    results.maxima = {crossed};
    for (const Case& c : cases) {
        state.kind = c.kind;
        ASSERT_TRUE(CollectRawData(results, state, Feet(), table));
        EXPECT_EQ(Str(table.text), c.head + Printf("0.000\t%.3f\n", c.value)) << c.kind;
    }
}

TEST(GraphRawDataTest, LongTablesStopAtTheirLimitAndAreReported)
{
    FakeResults results;
    CLocationEnvelope e;
    e.Set(0, 1.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0);
    GraphState state;
    state.kind = 2945;
    RawDataTable table;
    results.maxima.assign(99997, e);
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_FALSE(table.tooManyRows);
    results.maxima.assign(99998, e);
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_TRUE(table.tooManyRows);
    results.maxima.assign(100005, e);
    ASSERT_TRUE(CollectRawData(results, state, GraphUnits(), table));
    EXPECT_EQ(table.rows.size(), 100000u);
}

TEST(GraphRawDataTest, ImpactsOfTheObjectWithTheirUnits)
{
    CTalusimBarrier collector;
    auto in = Path(true), out = Path(false);
    CBarrierHit hit;
    hit.Set(12.3456, 7.0, 9.5, 0.25, 1500.0, 12.5, 10.0, in.get(), 0, 0, 0);
    collector.AddHit(hit, false);
    hit.Set(13.0, 6.5, 4.0, 0.5, 400.0, 3.0, 10.0, out.get(), 0, 0, 0);
    collector.AddHit(hit, false);

    FakeResults results;
    results.objects = {&collector};
    GraphState state;
    state.kind = 3140;
    state.object = &collector;
    const char* head = "Impact Information\nX_Coordinate\tY_Coordinate\tTranslational_Velocity[ft/s]"
                       "\tRotational_Velocity[rad/s]\tTranslational_Energy[lb ft^2/s^2]"
                       "\tRotational_Energy[lb ft^2/s^2]\tTotal_Energy[lb ft^2/s^2]\n";
    RawDataTable table;
    ASSERT_TRUE(CollectRawData(results, state, Feet(), table));
    EXPECT_EQ(Str(table.text), std::string(head) + "12.346\t7.000\t9.5\t0.25\t1500\t12.5\t1512.5\n"
                                                   "13.000\t6.500\t4\t0.5\t400\t3\t403\n");
    EXPECT_TRUE(table.autoFitColumns);
    EXPECT_EQ(table.sheetColumns.size(), 7u);
    EXPECT_EQ(Str(table.sheetColumns[2]), "Translational_Velocity[ft/s]");

    results.filteredOnly = true;
    ASSERT_TRUE(CollectRawData(results, state, Feet(), table));
    EXPECT_EQ(table.rows.size(), 1u);

    // An object no longer in the drawing is not read.
    results.objects.clear();
    ASSERT_TRUE(CollectRawData(results, state, Feet(), table));
    EXPECT_EQ(Str(table.text), head);
}

TEST(GraphRawDataTest, AKindOutsideTheFamiliesHasNoTable)
{
    FakeResults results;
    GraphState state;
    for (int kind : {int(GRAPH_NONE), 2907, 3147}) {
        state.kind = kind;
        RawDataTable table;
        EXPECT_FALSE(CollectRawData(results, state, GraphUnits(), table)) << kind;
    }
}

// ---- the statistics report -----------------------------------------------------------------

namespace {

const std::string kRule = std::string(47, '*') + "\r\n";

std::string Summary(const char* header, int n, double min, double max, double mean, double sd, double range,
                    double median, double variance)
{
    return std::string(header) + "\r\n\r\nStatistics of Raw Data\r\n" + kRule +
           Printf("Number of data points:\t%d\r\n", n) + Printf("Minimum:\t\t\t%g\r\n", min) +
           Printf("Maximum:\t\t\t%g\r\n", max) + Printf("Mean:\t\t\t%g\r\n", mean) +
           Printf("Standard deviation:\t\t%g\r\n", sd) + "\r\n" + Printf("Range:\t\t\t%g\r\n", range) +
           Printf("Median:\t\t\t%g\r\n", median) + Printf("Variance:\t\t\t%g\r\n", variance) +
           "\r\nBest Fitted Distribution\r\n(using Kolmogorov-Smirnov Test)\r\n" + kRule;
}

CSampleStatistics Sample(std::initializer_list<double> values)
{
    CSampleStatistics s;
    for (double v : values)
        s.AddValue(v);
    return s;
}

} // namespace

TEST(StatisticsReportTest, SymmetricValuesFitTheNormalDistribution)
{
    // 1 to 5: mean 3, median 3, sample variance 10/4; the normal fit carries
    // the sample's own mean and deviation.
    const std::string expected =
        Summary("Header", 5, 1, 5, 3, std::sqrt(2.5), 4, 3, 2.5) + "Normal Distribution\r\n" +
        "Minimum value:\t\t1\r\nMaximum value:\t\t5\r\nMean value:\t\t3\r\n" +
        Printf("Standard Deviation:\t\t%g\r\n", std::sqrt(2.5)) +
        "\r\nTable of data:\r\nRank\tPercentile\t\tData\r\n" + kRule +
        "1\t0.00%\t\t1\r\n2\t25.00%\t\t2\r\n3\t50.00%\t\t3\r\n4\t75.00%\t\t4\r\n5\t100.00%\t\t5\r\n";
    EXPECT_EQ(Str(BuildStatisticsReport("Header", Sample({4, 1, 5, 3, 2}))), expected);
}

TEST(StatisticsReportTest, NoValuesNoReportOneValueNoTable)
{
    EXPECT_EQ(Str(BuildStatisticsReport("Header", CSampleStatistics())), "");
    const std::string one = Str(BuildStatisticsReport("H", Sample({7.5})));
    EXPECT_EQ(one, Summary("H", 1, 7.5, 7.5, 7.5, 0, 0, 7.5, 0) + "Unable to determine a fitted Distribution!!!\r\n");
}

TEST(StatisticsReportTest, TheCapacityLineComesOnceBeforeTheFirstValueAboveIt)
{
    const CSampleStatistics s = Sample({20, 1, 10, 5, 30});
    const std::string report = Str(BuildStatisticsReport("H", s, 8.0));
    const size_t line = report.find("Barrier Capacity ( 8 ) Exceeded\r\n");
    ASSERT_NE(line, std::string::npos);
    EXPECT_EQ(report.find("Barrier Capacity", line + 1), std::string::npos);
    const std::string before = "2\t25.00%\t\t5\r\n";
    EXPECT_EQ(report.substr(line - before.size(), before.size()), before);
    EXPECT_EQ(report.find("3\t50.00%\t\t10\r\n"), line + std::string("Barrier Capacity ( 8 ) Exceeded\r\n").size());
    EXPECT_EQ(Str(BuildStatisticsReport("H", s)).find("Capacity"), std::string::npos);
    // Nothing above the capacity: no line.
    EXPECT_EQ(Str(BuildStatisticsReport("H", s, 100.0)).find("Capacity"), std::string::npos);
}

TEST(StatisticsReportTest, EachFitNamesItselfWithItsParameters)
{
    // Samples of several shapes; whichever fit wins, its lines follow from its
    // minimum a, maximum b and mean m.
    std::vector<CSampleStatistics> samples(4);
    for (int i = 0; i <= 40; ++i) {
        samples[0].AddValue(i);                                  // flat
        samples[1].AddValue(std::sqrt(i / 40.0));                // rising density
        samples[2].AddValue(-std::log(1.0 - i / 41.0));          // exponential
        samples[3].AddValue(10 + std::sin(i * 0.7) * std::cos(i * 0.3));
    }
    const char* names[] = {"", "", "Normal Distribution", "Uniform Distribution", "Triangular Distribution",
                           "Beta Distribution", "Exponential Distribution", "Lognormal Distribution"};
    std::set<int> types;
    for (const CSampleStatistics& sample : samples) {
        DistributionFit fit;
        sample.FitDistribution(fit);
        ASSERT_GE(fit.m_nType, 2);
        types.insert(fit.m_nType);
        const double a = fit.m_dMin, b = fit.m_dMax, m = fit.m_dMean;
        std::string lines = std::string(names[fit.m_nType]) + "\r\n" + Printf("Minimum value:\t\t%g\r\n", a) +
                            Printf("Maximum value:\t\t%g\r\n", b) + Printf("Mean value:\t\t%g\r\n", m);
        if (fit.m_nType == DistributionFit::Triangular) {
            const double c = 3 * m - a - b, v = (a * a + b * b + c * c - a * b - a * c - b * c) / 18;
            lines += Printf("Mode value:\t\t%g\r\nVariance value:\t\t%g\r\nStandard deviation:\t\t%g\r\n", c, v,
                            std::sqrt(v));
        } else if (fit.m_nType == DistributionFit::Uniform) {
            const double v = (b - a) * (b - a) / 12;
            lines += Printf("Variance value:\t\t%g\r\nStandard deviation:\t\t%g\r\n", v, std::sqrt(v));
        } else if (fit.m_nType != DistributionFit::Exponential) {
            lines += Printf("Standard Deviation:\t\t%g\r\n", fit.m_dStdDev);
        }
        if (fit.m_nType == DistributionFit::Beta) {
            double pa = 0, pb = 0;
            CSampleStatistics::BetaParametersFromMoments(m, fit.m_dStdDev, a, b, pa, pb);
            lines += Printf("Beta Parameter a:\t\t%g\r\nBeta Parameter b:\t\t%g\r\n", pa, pb);
        }
        const std::string report = Str(BuildStatisticsReport("H", sample));
        EXPECT_NE(report.find("(using Kolmogorov-Smirnov Test)\r\n" + kRule + lines + "\r\nTable of data"),
                  std::string::npos)
            << report;
    }
    EXPECT_GE(types.size(), 2u);
}
