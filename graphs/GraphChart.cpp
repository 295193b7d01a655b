#include "graphs/GraphChart.h"

#include <algorithm>

#include "graphs/Chart2D.h"

void SetUpChartStyles(CChart2D& chart)
{
    chart.SetInt(257, 0);
    chart.SetInt(17152, 0);
    XrtSetValues(chart.GetHandle(), XRT_HEADER_LINES, static_cast<const void*>(nullptr), 0);
    chart.SetInt(3333, 0);
    chart.SetInt(3840, 0);
    chart.SetInt(3841, 0);
    XrtSetValues(chart.GetHandle(), XRT_X_TITLE, static_cast<const void*>(nullptr), 0);
    XrtSetValues(chart.GetHandle(), XRT_Y_TITLE, static_cast<const void*>(nullptr), 0);
    chart.SetInt(3328, 0);
    chart.SetInt(3330, 0);
    static const int kAutoOn[] = {3608, 3590, 3591, 3587, 3622, 3619, 3620, 3621, 3586, 3584, 3585,
                                  3588, 3589, 3592, 3593, 3637, 3638, 3598, 3595, 3597, 3594, 3617};
    for (int id : kAutoOn)
        chart.SetInt(id, 1);
    chart.SetInt(2311, 100);
    chart.SetInt(19200, 2);
    chart.SetInt(512, 0xFFFFFF);
    chart.SetInt(17668, 3);
    chart.SetInt(1547, 2);
    chart.SetInt(514, 0xF0CAA6);
    chart.SetInt(522, 0xFFFFFF);
    chart.SetInt(2305, 0);
    chart.SetInt(265, 1);
    chart.SetInt(2827, 22);
    chart.SetInt(20225, 2);
}

void ApplyChartFonts(CChart2D& chart, bool small)
{
    chart.SetText(XRT_AXIS_FONT, small ? "Arial,6" : "Arial,8");
    chart.SetText(XRT_AXIS_TITLE_FONT, small ? "Arial,6,Bold" : "Arial,8,Bold");
    chart.SetText(XRT_HEADER_FONT, small ? "Arial,10,Bold" : "Arial,12,Bold");
}

void ApplyChartTitles(CChart2D& chart, const ChartSettings& settings)
{
    chart.SetText(XRT_X_TITLE, settings.XTitle());
    chart.SetText(XRT_Y_TITLE, settings.YTitle());
    // One header line, at most 199 characters.
    const CString header = settings.Header().Left(199);
    const char* lines[2] = {header, nullptr};
    XrtSetValues(chart.GetHandle(), XRT_HEADER_LINES, static_cast<const void*>(lines), 0);
}

void ApplyAxisRanges(CChart2D& chart, const ChartSettings& settings)
{
    chart.SetDouble(XRT_X_MIN, settings.XMin());
    chart.SetDouble(XRT_X_MAX, settings.XMax());
    chart.SetDouble(XRT_Y_MIN, settings.YMin());
    chart.SetDouble(XRT_Y_MAX, settings.YMax());
}

void ApplySeriesStyle(CChart2D& chart, int kind, COLORREF seriesColour, bool grayscale, bool markers)
{
    XrtDataStyle* style = XrtGetNthDataStyle(chart.GetHandle(), 0);
    if (!style)
        return;
    style->point = markers ? XRT_POINT_TRIANGLE : XRT_POINT_NONE;
    if (grayscale) {
        chart.SetInt(XRT_GRID_LINES, 0);
        chart.SetInt(XRT_PLOT_AREA_COLOR, 0xFFFFFF);
        style->pcolor = 0;
        style->color = IsEnvelopeGraph(kind) ? 0 : 0xFFFFFF;
    } else {
        chart.SetInt(XRT_GRID_LINES, 3);
        chart.SetInt(XRT_PLOT_AREA_COLOR, 0xF0CAA6);
        style->color = seriesColour;
        style->pcolor = seriesColour;
    }
    XrtSetNthDataStyle(chart.GetHandle(), 0, style);
}

void ReleaseSeries(CChart2D& chart, XrtDataHandle& data)
{
    if (!data)
        return;
    XrtSetValues(chart.GetHandle(), XRT_DATA, static_cast<const void*>(nullptr), 0);
    XrtDataSetXData(data, 0, nullptr, 0, 0);
    XrtDataSetYData(data, 0, nullptr, 0, 0);
    XrtDataDestroy(data);
    data = nullptr;
}

void CommitSeries(CChart2D& chart, XrtDataHandle& data, const CGraphSeries& series)
{
    ReleaseSeries(chart, data);
    chart.SetInt(XRT_CHART_TYPE, series.chartType);
    if (!series.Exists())
        return;
    const int n = series.GetCount();
    data = XrtDataCreate(XRT_DATA_GENERAL, 1, n);
    if (!data)
        return;
    XrtDataSetXData(data, 0, series.XData(), n, 0);
    XrtDataSetYData(data, 0, series.YData(), n, 0);
    XrtSetValues(chart.GetHandle(), XRT_DATA, static_cast<const void*>(data), 0);
}

void DrawNoDataAvailable(HDC dc, const RECT& area, COLORREF background)
{
    HBRUSH brush = ::CreateSolidBrush(background);
    ::FillRect(dc, &area, brush);
    ::DeleteObject(brush);
    const int height = -::MulDiv(14, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    HFONT font = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
    HGDIOBJ oldFont = ::SelectObject(dc, font);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = ::SetTextColor(dc, background == 0 ? 0xFFFFFF : 0);
    RECT r = area;
    ::DrawTextA(dc, "No Data Available", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    ::SetTextColor(dc, oldColour);
    ::SetBkMode(dc, oldMode);
    ::SelectObject(dc, oldFont);
    ::DeleteObject(font);
}

void GetPlotAreaColumns(CChart2D& chart, int width, int& left, int& right)
{
    const int inset = chart.GetInt(XRT_CHART_AREA_INSET);
    left = inset + chart.GetInt(XRT_PLOT_LEFT_INSET) + 1;
    right = width - (inset + chart.GetInt(XRT_PLOT_RIGHT_INSET) + chart.GetInt(XRT_BORDER_WIDTH)) - 2;
}
