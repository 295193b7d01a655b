// Draws a chart with GDI.
#pragma once

#include "chart/ChartLayout.h"

#include <windows.h>

namespace xrt {

class Chart;

// Draws the whole chart into the rectangle (x, y, width, height) of `dc`, in
// its logical units, laid out for that size.
void PaintChart(const Chart& chart, HDC dc, int x, int y, int width, int height);

// The layout the chart gets at `width` x `height` on the screen.
ChartLayout ScreenLayout(const Chart& chart, int width, int height);

}  // namespace xrt
