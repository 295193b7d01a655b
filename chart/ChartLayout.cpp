#include "chart/ChartLayout.h"

#include "chart/Chart.h"
#include "chart/DataSet.h"
#include "chart/Gdi.h"
#include "chart/Xrt.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace xrt {
namespace {

constexpr int kMaxBorder = 20;

FontSpec Fallback(double points, bool bold) {
    FontSpec spec;
    spec.points = points;
    spec.bold = bold;
    return spec;
}

SIZE TextSize(HDC dc, HFONT font, const std::string& text) {
    SIZE size{0, 0};
    Selected selected(dc, font);
    if (text.empty()) {
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        size.cy = tm.tmHeight;
    } else {
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    return size;
}

struct DataExtent {
    bool any = false;
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
};

DataExtent Extent(const DataSet* data) {
    DataExtent e;
    if (!data || !data->HasValues()) return e;
    const double* x = data->X();
    const double* y = data->Y();
    for (int i = 0; i < data->Points(); ++i) {
        if (!std::isfinite(x[i]) || !std::isfinite(y[i])) continue;
        if (!e.any) {
            e = DataExtent{true, x[i], x[i], y[i], y[i]};
        } else {
            e.xLow = std::min(e.xLow, x[i]);
            e.xHigh = std::max(e.xHigh, x[i]);
            e.yLow = std::min(e.yLow, y[i]);
            e.yHigh = std::max(e.yHigh, y[i]);
        }
    }
    return e;
}

// Bars are as wide as the closest spacing of the x values, times the width percentage.
double BarWidth(const DataSet* data, const PropertyStore& p, const DataExtent& e) {
    std::vector<double> xs;
    if (data && data->HasValues())
        for (int i = 0; i < data->Points(); ++i)
            if (std::isfinite(data->X()[i])) xs.push_back(data->X()[i]);
    std::sort(xs.begin(), xs.end());
    double spacing = DBL_MAX;
    for (size_t i = 1; i < xs.size(); ++i)
        if (xs[i] > xs[i - 1]) spacing = std::min(spacing, xs[i] - xs[i - 1]);
    if (spacing == DBL_MAX) {
        // One bar: a tenth of fixed bounds, else a fifth of its own size.
        const double span = p.Double(XRT_X_MAX) - p.Double(XRT_X_MIN);
        const bool fixed = !p.Int(XRT_X_MIN_AUTO) && !p.Int(XRT_X_MAX_AUTO);
        if (fixed && std::isfinite(span) && std::fabs(span) > 0 && std::fabs(span) < DBL_MAX / 4)
            spacing = std::fabs(span) / 10;
        else
            spacing = e.any && e.xLow != 0 ? std::fabs(e.xLow) * 0.2 : 1.0;
    }
    const int percent = std::clamp(p.Int(XRT_BAR_WIDTH_PERCENT), 1, 100);
    return spacing * percent / 100.0;
}

AxisTicks MakeTicks(const AxisRange& range, int maxIntervals) {
    AxisTicks t;
    t.range = range;
    t.step = TickStep(range.high - range.low, maxIntervals);
    t.values = TickValues(range.low, range.high, t.step);
    const double largest = std::max(std::fabs(range.low), std::fabs(range.high));
    for (double v : t.values) t.labels.push_back(TickLabel(v, t.step, largest));
    return t;
}

int WidestLabel(HDC dc, HFONT font, const AxisTicks& ticks) {
    int widest = 0;
    for (const std::string& label : ticks.labels)
        widest = std::max<int>(widest, TextSize(dc, font, label).cx);
    return widest;
}

}  // namespace

ChartFonts::ChartFonts(const Chart& chart, int pixelsPerInch) {
    const PropertyStore& p = chart.Properties();
    const FontSpec axisSpec = ParseFontSpec(p.Text(XRT_AXIS_FONT), Fallback(8, false));
    const FontSpec titleSpec = ParseFontSpec(p.Text(XRT_AXIS_TITLE_FONT), Fallback(8, true));
    const FontSpec headerSpec = ParseFontSpec(p.Text(XRT_HEADER_FONT), Fallback(12, true));
    axis = std::make_unique<ChartFont>(axisSpec, pixelsPerInch);
    title = std::make_unique<ChartFont>(titleSpec, pixelsPerInch);
    header = std::make_unique<ChartFont>(headerSpec, pixelsPerInch);
    verticalTitle = std::make_unique<ChartFont>(titleSpec, pixelsPerInch, 900);
}

int ScreenPixelsPerInch() {
    HDC screen = GetDC(nullptr);
    const int ppi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return ppi > 0 ? ppi : 96;
}

double ChartLayout::PixelX(double value) const {
    return plotLeft + (value - x.range.low) / (x.range.high - x.range.low) * (plotRight - plotLeft);
}

double ChartLayout::PixelY(double value) const {
    return plotBottom - (value - y.range.low) / (y.range.high - y.range.low) * (plotBottom - plotTop);
}

ChartLayout LayOutChart(const Chart& chart, const ChartFonts& fonts, HDC dc, int width, int height) {
    const PropertyStore& p = chart.Properties();
    ChartLayout L;
    L.width = std::max(0, width);
    L.height = std::max(0, height);
    L.inset = kChartAreaInset;
    L.border = std::clamp(p.Int(XRT_BORDER_WIDTH), 0, kMaxBorder);
    L.chartArea = RECT{L.inset, L.inset, L.width - L.inset - L.border, L.height - L.inset - L.border};

    L.axisTextHeight = TextSize(dc, fonts.axis->Handle(), "").cy;
    L.titleTextHeight = TextSize(dc, fonts.title->Handle(), "").cy;
    L.headerLineHeight = TextSize(dc, fonts.header->Handle(), "").cy;

    const auto& header = p.Lines(XRT_HEADER_LINES);
    const bool xTitle = !p.Text(XRT_X_TITLE).empty();
    const bool yTitle = !p.Text(XRT_Y_TITLE).empty();
    const int spacing = std::clamp(p.Int(XRT_TICK_SPACING), 1, 10000);

    // Vertical: header, plot, x labels and x title.
    int top = kPadding + L.axisTextHeight / 2;
    if (!header.empty()) top += static_cast<int>(header.size()) * L.headerLineHeight + kPadding;
    int bottom = kTickLength + kLabelGap + L.axisTextHeight + kPadding;
    if (xTitle) bottom += kPadding / 2 + L.titleTextHeight;
    L.frame.top = L.chartArea.top + top;
    L.frame.bottom = L.chartArea.bottom - 1 - bottom;
    L.plotTop = L.frame.top + 1;
    L.plotBottom = L.frame.bottom - 1;

    const DataSet* data = chart.Data();
    const DataExtent e = Extent(data);
    const bool bars = p.Int(XRT_CHART_TYPE) == XRT_TYPE_BAR;
    L.barWidth = bars ? BarWidth(data, p, e) : 0.0;
    double xLow = e.xLow, xHigh = e.xHigh, yLow = e.yLow, yHigh = e.yHigh;
    if (bars && e.any) {
        xLow -= L.barWidth / 2;
        xHigh += L.barWidth / 2;
        yLow = std::min(yLow, 0.0);  // bars rise from zero
        yHigh = std::max(yHigh, 0.0);
    }

    const int plotHeight = L.plotBottom - L.plotTop;
    const int yIntervals = std::max(1, plotHeight / std::max(spacing, L.axisTextHeight + 4));
    const AxisRange yRange = ResolveRange(e.any, yLow, yHigh, !p.Int(XRT_Y_MIN_AUTO), p.Double(XRT_Y_MIN),
                                          !p.Int(XRT_Y_MAX_AUTO), p.Double(XRT_Y_MAX), yIntervals);
    L.y = MakeTicks(yRange, yIntervals);

    // Horizontal: y title, y labels, plot, room for half the last x label.
    int left = kPadding + WidestLabel(dc, fonts.axis->Handle(), L.y) + kLabelGap + kTickLength;
    if (yTitle) left += L.titleTextHeight + kPadding;
    L.leftInset = left;
    L.frame.left = L.chartArea.left + left;
    L.plotLeft = L.frame.left + 1;

    // The x step depends on the labels' width and the labels on the step:
    // settle it in a few rounds.
    int labelWidth = 0;
    for (int round = 0; round < 3; ++round) {
        L.rightInset = std::max(kPadding, labelWidth / 2 + 2);
        L.frame.right = L.chartArea.right - 1 - L.rightInset;
        L.plotRight = L.frame.right - 1;
        const int plotWidth = L.plotRight - L.plotLeft;
        const int xIntervals = std::max(1, plotWidth / std::max(spacing, labelWidth + 10));
        const AxisRange xRange = ResolveRange(e.any, xLow, xHigh, !p.Int(XRT_X_MIN_AUTO), p.Double(XRT_X_MIN),
                                              !p.Int(XRT_X_MAX_AUTO), p.Double(XRT_X_MAX), xIntervals);
        L.x = MakeTicks(xRange, xIntervals);
        const int widest = WidestLabel(dc, fonts.axis->Handle(), L.x);
        if (widest <= labelWidth) break;
        labelWidth = widest;
    }

    L.plotVisible = L.plotRight - L.plotLeft >= 2 && L.plotBottom - L.plotTop >= 2;
    return L;
}

}  // namespace xrt
