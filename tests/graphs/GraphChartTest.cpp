// The graph window's chart set-up drawn into a memory DC: bars where the
// series puts them, inside the plot area the slope panel is stretched to, and
// "No Data Available" without data.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

#include "graphs/Chart2D.h"
#include "graphs/GraphChart.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;

class Canvas
{
public:
    Canvas(int w, int h) : m_w(w)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        m_dc = ::CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        m_bitmap = ::CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_bits = static_cast<uint32_t*>(bits);
        m_old = ::SelectObject(m_dc, m_bitmap);
        RECT all{0, 0, w, h};
        HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
        ::FillRect(m_dc, &all, brush);
        ::DeleteObject(brush);
    }
    ~Canvas()
    {
        ::SelectObject(m_dc, m_old);
        ::DeleteObject(m_bitmap);
        ::DeleteDC(m_dc);
    }
    HDC Dc() const { return m_dc; }
    COLORREF Pixel(int x, int y) const
    {
        ::GdiFlush();
        const uint32_t v = m_bits[y * m_w + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int CountInColumn(int x, COLORREF c, int top, int bottom) const
    {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            n += Pixel(x, y) == c;
        return n;
    }

private:
    int m_w;
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_old;
    uint32_t* m_bits;
};

struct ChartFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, kWidth, kHeight, nullptr, 0));
        ASSERT_TRUE(chart.Create(nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 100, 100), &parent, 1));
        chart.MoveWindow(0, 0, kWidth, kHeight);
        SetUpChartStyles(chart);
        ApplyChartFonts(chart, false);
    }
    void TearDown() override
    {
        ReleaseSeries(chart, data);
        chart.DestroyWindow();
        parent.DestroyWindow();
    }
    // Four bins over [0, 8] with counts 2, 0, 1, 2: centres at 1, 3, 5, 7.
    void FourBars()
    {
        series.Allocate(4);
        series.chartType = 2;
        const double counts[] = {2, 0, 1, 2};
        for (int i = 0; i < 4; ++i) {
            series.SetX(i, 1.0 + 2 * i);
            series.SetY(i, counts[i]);
        }
        settings.computedXMin = 0.0;
        settings.computedXMax = 8.0;
        settings.computedYMin = 0.0;
        settings.computedYMax = 2.0;
        settings.computedHeader = "Bounce Height Distribution";
        settings.computedXTitle = "Height Above Slope [m]";
        settings.computedYTitle = "Number of Rocks";
        ApplyChartTitles(chart, settings);
        ApplyAxisRanges(chart, settings);
        CommitSeries(chart, data, series);
    }
    int Column(double x, int left, int right) const { return left + static_cast<int>((x / 8.0) * (right - left)); }

    CWnd parent;
    CChart2D chart;
    XrtDataHandle data = nullptr;
    CGraphSeries series;
    ChartSettings settings;
};

} // namespace

TEST_F(ChartFixture, BarsStandWhereTheSeriesPutsThem)
{
    FourBars();
    const COLORREF navy = 0x800000;
    ApplySeriesStyle(chart, 2901, navy, false, true);
    int left = 0, right = 0;
    GetPlotAreaColumns(chart, kWidth, left, right);
    ASSERT_GT(left, 0);
    ASSERT_LT(right, kWidth - 1);
    ASSERT_GT(right - left, kWidth / 2);

    Canvas canvas(kWidth, kHeight);
    ASSERT_TRUE(XrtDrawToDC(chart.GetHandle(), canvas.Dc(), XRT_DRAW_CHART, XRT_FIT_RECT, 0, 0, kWidth, kHeight));
    const int full = canvas.CountInColumn(Column(1.0, left, right), navy, 0, kHeight);
    const int empty = canvas.CountInColumn(Column(3.0, left, right), navy, 0, kHeight);
    const int half = canvas.CountInColumn(Column(5.0, left, right), navy, 0, kHeight);
    EXPECT_GT(full, 50);
    EXPECT_EQ(empty, 0);
    EXPECT_NEAR(half, full / 2.0, full * 0.1 + 2);
    // Nothing of the series outside the plot area.
    EXPECT_EQ(canvas.CountInColumn(left - 3, navy, 0, kHeight), 0);
    EXPECT_EQ(canvas.CountInColumn(right + 3, navy, 0, kHeight), 0);
}

TEST_F(ChartFixture, GrayscaleBarsAreWhiteWithBlackEdges)
{
    FourBars();
    ApplySeriesStyle(chart, 2901, 0x800000, true, false);
    XrtDataStyle* style = XrtGetNthDataStyle(chart.GetHandle(), 0);
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(style->color, 0xFFFFFFu);
    EXPECT_EQ(style->pcolor, 0u);
    EXPECT_EQ(style->point, XRT_POINT_NONE);
    EXPECT_EQ(chart.GetInt(XRT_GRID_LINES), 0);
    ApplySeriesStyle(chart, 2941, 0x800000, true, true);
    style = XrtGetNthDataStyle(chart.GetHandle(), 0);
    EXPECT_EQ(style->color, 0u);    // envelopes: a black line
    EXPECT_EQ(style->point, XRT_POINT_TRIANGLE);
    ApplySeriesStyle(chart, 2941, 0x800000, false, true);
    style = XrtGetNthDataStyle(chart.GetHandle(), 0);
    EXPECT_EQ(style->color, 0x800000u);
    EXPECT_EQ(chart.GetInt(XRT_PLOT_AREA_COLOR), 0xF0CAA6);
}

TEST_F(ChartFixture, ReleasingTheSeriesLeavesTheChartEmpty)
{
    FourBars();
    ASSERT_NE(data, nullptr);
    series.Release();
    CommitSeries(chart, data, series);
    EXPECT_EQ(data, nullptr);
    Canvas canvas(kWidth, kHeight);
    EXPECT_TRUE(XrtDrawToDC(chart.GetHandle(), canvas.Dc(), XRT_DRAW_CHART, XRT_FIT_RECT, 0, 0, kWidth, kHeight));
}

TEST(NoDataTest, WritesTheMessageCentredOnTheBackground)
{
    Canvas canvas(kWidth, kHeight);
    const RECT area{0, 0, kWidth, kHeight / 2};
    DrawNoDataAvailable(canvas.Dc(), area, RGB(255, 255, 255));
    int dark = 0, darkLeft = kWidth, darkRight = 0;
    for (int y = 0; y < kHeight / 2; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (canvas.Pixel(x, y) == RGB(0, 0, 0)) {
                ++dark;
                darkLeft = std::min(darkLeft, x);
                darkRight = std::max(darkRight, x);
            }
    EXPECT_GT(dark, 100);
    EXPECT_NEAR((darkLeft + darkRight) / 2.0, kWidth / 2.0, 6);
    EXPECT_EQ(canvas.Pixel(2, 2), RGB(255, 255, 255));
    // The lower half is left alone.
    EXPECT_EQ(canvas.CountInColumn(kWidth / 2, RGB(1, 2, 3), kHeight / 2, kHeight), kHeight / 2);
}
