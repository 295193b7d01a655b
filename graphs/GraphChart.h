// How a graph window sets up its chart: the initial properties, fonts, titles,
// axis ranges, the series and its style, and what it draws without data.
#pragma once

#include <windows.h>

#include "chart/Xrt.h"
#include "graphs/GraphData.h"

class CChart2D;

void SetUpChartStyles(CChart2D& chart);
// The large set for windows more than 197 pixels high, the small one below.
void ApplyChartFonts(CChart2D& chart, bool small);
void ApplyChartTitles(CChart2D& chart, const ChartSettings& settings);
void ApplyAxisRanges(CChart2D& chart, const ChartSettings& settings);
// Colour and markers of the series; grayscale draws black lines and white
// bars with black edges on a white plot area.
void ApplySeriesStyle(CChart2D& chart, int kind, COLORREF seriesColour, bool grayscale, bool markers);

// Replaces the chart's data set by one made from the series (none when the
// series does not exist) and sets the chart type.
void CommitSeries(CChart2D& chart, XrtDataHandle& data, const CGraphSeries& series);
// Detaches and destroys the data set.
void ReleaseSeries(CChart2D& chart, XrtDataHandle& data);

// "No Data Available", centred in 14-point Arial, over the area filled with the background.
void DrawNoDataAvailable(HDC dc, const RECT& area, COLORREF background);

// The first and last pixel column inside the chart's plot area, for a chart
// window `width` pixels wide: the slope panel is stretched between them.
void GetPlotAreaColumns(CChart2D& chart, int width, int& left, int& right);
