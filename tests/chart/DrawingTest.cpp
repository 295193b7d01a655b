#include "ChartTestSupport.h"

#include <cfloat>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

using namespace charttest;

namespace {

constexpr COLORREF kPlot = 0xF0CAA6;
constexpr COLORREF kSeries = 0x800000;
constexpr int kWidth = 480, kHeight = 320;

// A bar chart as the graph window makes a histogram: bins of width 1 on
// [0, 10], counts on [0, 10], no grid so that the plot colour is plain.
class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ChartWindow>(kWidth, kHeight);
        chart = XrtCreate();
        ASSERT_TRUE(ApplyGraphWindowSetUp(chart));
        ASSERT_EQ(XrtAttachWindow(chart, window->Handle()), 1);
        XrtSetValues(chart, 17668, 0, 0);
        XrtSetValues(chart, 2311, 50, 0);  // half-width bars leave the plot colour between them
        XrtSetValues(chart, 20736, 2, 0);
        SetDouble(chart, 1814, 0);
        SetDouble(chart, 1811, 10);
        SetDouble(chart, 1815, 0);
        SetDouble(chart, 1812, 10);
        XrtDataStyle style{kSeries, 1, kSeries};
        XrtSetNthDataStyle(chart, 0, &style);
    }
    void TearDown() override {
        XrtDestroy(chart);
        XrtDataDestroy(data);
    }

    void Attach(const std::vector<double>& x, const std::vector<double>& y) {
        data = XrtDataCreate(1, 1, static_cast<int>(x.size()));
        XrtDataSetXData(data, 0, x.data(), static_cast<int>(x.size()), 0);
        XrtDataSetYData(data, 0, y.data(), static_cast<int>(y.size()), 0);
        ASSERT_EQ(XrtSetValues(chart, 768, static_cast<const void*>(data), 0), 1);
    }

    // The rows of the plot area: where the plot colour runs at column x.
    static void PlotRows(const Canvas& canvas, int x, int& top, int& bottom) {
        top = bottom = -1;
        for (int y = 0; y < canvas.Height(); ++y)
            if (canvas.Pixel(x, y) == kPlot) {
                if (top < 0) top = y;
                bottom = y;
            }
    }

    std::unique_ptr<ChartWindow> window;
    XrtHandle chart = nullptr;
    XrtDataHandle data = nullptr;
};

TEST_F(DrawingTest, PlotAreaIsWhereItsPropertiesSay) {
    Canvas canvas(kWidth, kHeight);
    ASSERT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight), 1);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    ASSERT_LT(edges.left + 100, edges.right);
    const int row = kHeight / 2;
    EXPECT_EQ(canvas.Pixel(edges.left, row), kPlot);
    EXPECT_EQ(canvas.Pixel(edges.right, row), kPlot);
    EXPECT_NE(canvas.Pixel(edges.left - 1, row), kPlot);   // the frame
    EXPECT_NE(canvas.Pixel(edges.right + 1, row), kPlot);
    // Room for the y labels on the left, little on the right.
    EXPECT_GT(edges.left, 20);
    EXPECT_GT(edges.right, kWidth - 40);
}

TEST_F(DrawingTest, PlotAreaFollowsTheWindowWidth) {
    SetWindowPos(window->Handle(), nullptr, 0, 0, 300, 200, SWP_NOZORDER | SWP_NOMOVE);
    Canvas canvas(300, 200);
    XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, 300, 200);
    const PlotEdges edges = ReadPlotEdges(chart, 300);
    EXPECT_EQ(canvas.Pixel(edges.left, 100), kPlot);
    EXPECT_EQ(canvas.Pixel(edges.right, 100), kPlot);
    EXPECT_NE(canvas.Pixel(edges.right + 1, 100), kPlot);
}

TEST_F(DrawingTest, BarsStandWhereTheDataSays) {
    Attach({0.5, 2.5, 4.5, 6.5}, {10, 5, 2.5, 0});
    Canvas canvas(kWidth, kHeight);
    XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    auto column = [&](double x) {
        return static_cast<int>(std::lround(edges.left + x / 10.0 * (edges.right - edges.left)));
    };
    int top, bottom;
    PlotRows(canvas, column(9), top, bottom);  // no bar there
    ASSERT_GT(bottom - top, 100);
    auto row = [&](double y) { return static_cast<int>(std::lround(bottom - y / 10.0 * (bottom - top))); };

    // Inside each bar, a little below its top and above the axis: the series colour.
    EXPECT_EQ(canvas.Pixel(column(0.5), row(9.5)), kSeries);
    EXPECT_EQ(canvas.Pixel(column(2.5), row(4.5)), kSeries);
    EXPECT_EQ(canvas.Pixel(column(4.5), row(2)), kSeries);
    EXPECT_EQ(canvas.Pixel(column(4.5), row(0.5)), kSeries);
    // Above each bar, between the bars, and where the count is 0: the plot.
    EXPECT_EQ(canvas.Pixel(column(2.5), row(5.5)), kPlot);
    EXPECT_EQ(canvas.Pixel(column(4.5), row(3)), kPlot);
    EXPECT_EQ(canvas.Pixel(column(1.5), row(1)), kPlot);
    EXPECT_EQ(canvas.Pixel(column(6.5), row(0.5)), kPlot);
    // Half as wide as the x values are apart (50 % of 2): edges 0.5 either side of the centre.
    EXPECT_EQ(canvas.Pixel(column(2.5 - 0.4), row(1)), kSeries);
    EXPECT_EQ(canvas.Pixel(column(2.5 + 0.4), row(1)), kSeries);
    EXPECT_EQ(canvas.Pixel(column(2.5 - 0.6), row(1)), kPlot);
    EXPECT_EQ(canvas.Pixel(column(2.5 + 0.6), row(1)), kPlot);
}

TEST_F(DrawingTest, LineJoinsThePointsAndMarksThem) {
    XrtSetValues(chart, 20736, 1, 0);
    XrtDataStyle style{kSeries, 3, RGB(255, 0, 0)};
    XrtSetNthDataStyle(chart, 0, &style);
    Attach({1, 9}, {2, 2});
    Canvas canvas(kWidth, kHeight);
    XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    auto column = [&](double x) {
        return static_cast<int>(std::lround(edges.left + x / 10.0 * (edges.right - edges.left)));
    };
    int plotTop, plotBottom;
    PlotRows(canvas, column(0.3), plotTop, plotBottom);  // left of the first point: plain plot
    const int plotHeight = plotBottom - plotTop;
    ASSERT_GT(plotHeight, 100);
    // The line crosses the column at x = 5 at the height of y = 2 on [0, 10].
    int lineRow = -1;
    for (int y = 0; y < kHeight; ++y)
        if (canvas.Pixel(column(5), y) == kSeries) lineRow = y;
    ASSERT_GE(lineRow, 0);
    EXPECT_NEAR(lineRow, plotBottom - 0.2 * plotHeight, 2.0);
    // Box markers in the point colour at both ends.
    const int y = static_cast<int>(std::lround(plotBottom - 0.2 * plotHeight));
    EXPECT_EQ(canvas.Pixel(column(1) - 2, y - 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.Pixel(column(9) + 2, y + 2), RGB(255, 0, 0));
}

TEST_F(DrawingTest, HeaderIsDrawnAboveThePlot) {
    auto darkInHeaderBand = [&](int& plotTop) {
        Canvas canvas(kWidth, kHeight);
        XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight);
        int bottom;
        PlotRows(canvas, kWidth / 2, plotTop, bottom);
        int dark = 0;
        // The middle of the chart, away from the y labels on the left.
        for (int y = 6; y < plotTop - 8; ++y)
            for (int x = kWidth / 4; x < 3 * kWidth / 4; ++x) dark += IsDark(canvas.Pixel(x, y));
        return dark;
    };
    int topWithout = 0, topWith = 0;
    EXPECT_EQ(darkInHeaderBand(topWithout), 0);
    ASSERT_EQ(XrtSetPropString(chart, 3332, "Bounce Height Distribution"), 1);
    EXPECT_GT(darkInHeaderBand(topWith), 40);
    EXPECT_GT(topWith, topWithout + 10);  // the plot makes room for it
}

TEST_F(DrawingTest, DrawsAtAnOffsetIntoALargerTarget) {
    Attach({0.5}, {10});
    Canvas canvas(kWidth + 60, kHeight + 40, RGB(1, 2, 3));
    XrtDrawToDC(chart, canvas.Dc(), 3, 4, 60, 40, kWidth, kHeight);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    EXPECT_EQ(canvas.Pixel(30, 20), RGB(1, 2, 3));  // outside: untouched
    EXPECT_EQ(canvas.Pixel(60 + edges.left, 40 + kHeight / 2), kPlot);
    EXPECT_EQ(canvas.Pixel(60 + edges.right, 40 + kHeight / 2), kPlot);
    const int barColumn = static_cast<int>(std::lround(edges.left + 0.05 * (edges.right - edges.left)));
    EXPECT_EQ(canvas.Pixel(60 + barColumn, 40 + kHeight / 2), kSeries);
}

TEST_F(DrawingTest, KeepsItsProportionsInAScaledDcAsWhenPrinting) {
    // Screen-sized logical units shown twice as large, the way a printer page is set up.
    Canvas canvas(2 * kWidth, 2 * kHeight);
    SetMapMode(canvas.Dc(), MM_ISOTROPIC);
    SetWindowExtEx(canvas.Dc(), kWidth, kHeight, nullptr);
    SetViewportExtEx(canvas.Dc(), 2 * kWidth, 2 * kHeight, nullptr);
    ASSERT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight), 1);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    EXPECT_EQ(canvas.Pixel(2 * edges.left + 1, kHeight), kPlot);
    EXPECT_EQ(canvas.Pixel(2 * edges.right, kHeight), kPlot);
    EXPECT_NE(canvas.Pixel(2 * edges.left - 3, kHeight), kPlot);
    EXPECT_NE(canvas.Pixel(2 * edges.right + 4, kHeight), kPlot);
    EXPECT_EQ(GetMapMode(canvas.Dc()), MM_ISOTROPIC);  // the caller's mapping is left as it was
}

TEST_F(DrawingTest, RefusesBadArgumentsAndSurvivesADestroyedDataSet) {
    Canvas canvas(kWidth, kHeight);
    EXPECT_EQ(XrtDrawToDC(chart, nullptr, 3, 4, 0, 0, kWidth, kHeight), 0);
    EXPECT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, 0, kHeight), 0);
    EXPECT_EQ(XrtDrawToDC(chart, canvas.Dc(), 1, 4, 0, 0, kWidth, kHeight), 0);

    Attach({2.5}, {5});
    XrtDataDestroy(data);  // while the chart still draws it
    data = nullptr;
    ASSERT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight), 1);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    int top, bottom;
    const int x = static_cast<int>(std::lround(edges.left + 0.25 * (edges.right - edges.left)));
    PlotRows(canvas, x, top, bottom);
    EXPECT_EQ(canvas.Pixel(x, bottom - 2), kPlot);  // no bar left behind
}

TEST_F(DrawingTest, SurvivesWildDataAndTinySizes) {
    SetDouble(chart, 1811, DBL_MAX);  // the graph window's "unknown"
    XrtSetValues(chart, 20736, 1, 0);
    Attach({-1e300, 0, 1e300, NAN, 5}, {1e300, -1e300, 0, 1, INFINITY});
    for (int size : {1, 3, 12, 40}) {
        Canvas canvas(size, size);
        EXPECT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, size, size), 1);
    }
    Canvas canvas(kWidth, kHeight);
    EXPECT_EQ(XrtDrawToDC(chart, canvas.Dc(), 3, 4, 0, 0, kWidth, kHeight), 1);
}

}  // namespace
