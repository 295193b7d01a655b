// Where everything of a chart goes for a given size: the chart area, the plot
// area inside the axes, the axis bounds and their ticks.
#pragma once

#include "chart/AxisScale.h"
#include "chart/ChartFont.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace xrt {

class Chart;

// The fonts of one drawing, sized for the target's logical units.
struct ChartFonts {
    ChartFonts(const Chart& chart, int pixelsPerInch);
    std::unique_ptr<ChartFont> axis, title, header, verticalTitle;
};

struct AxisTicks {
    AxisRange range;
    double step = 0.0;
    std::vector<double> values;
    std::vector<std::string> labels;
};

struct ChartLayout {
    int width = 0, height = 0;
    // Chart area: the framed box, `inset` from the left and top edges and
    // inset + border from the right and bottom edges.
    int inset = 0, border = 0;
    RECT chartArea{};
    int leftInset = 0, rightInset = 0;  // chart area edge to the plot frame
    // The plot frame's lines (inclusive) and the pixels inside them.
    RECT frame{};
    int plotLeft = 0, plotTop = 0, plotRight = 0, plotBottom = 0;
    bool plotVisible = false;
    int axisTextHeight = 0, titleTextHeight = 0, headerLineHeight = 0;
    AxisTicks x, y;
    double barWidth = 0.0;  // in x units

    // Pixel positions of data values on the plot (not clipped).
    double PixelX(double value) const;
    double PixelY(double value) const;
};

// Fixed distances in pixels: the window edge to the chart area, the padding
// around texts inside it, tick marks and the gap between a tick and its label.
constexpr int kChartAreaInset = 4;
constexpr int kPadding = 6;
constexpr int kTickLength = 4;
constexpr int kLabelGap = 3;

// Lays the chart out for a target `width` x `height`, measuring text on `dc`.
ChartLayout LayOutChart(const Chart& chart, const ChartFonts& fonts, HDC dc, int width, int height);

// The screen's pixels per inch, which fonts are sized by on every target.
int ScreenPixelsPerInch();

}  // namespace xrt
