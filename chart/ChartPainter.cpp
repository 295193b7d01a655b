#include "chart/ChartPainter.h"

#include "chart/Chart.h"
#include "chart/DataSet.h"
#include "chart/Gdi.h"
#include "chart/Xrt.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace xrt {
namespace {

constexpr COLORREF kText = RGB(0, 0, 0);
constexpr COLORREF kFrame = RGB(64, 64, 64);
constexpr COLORREF kShadow = RGB(128, 128, 128);
constexpr int kMarkerSize = 7;
constexpr int kLineWidth = 2;

void Fill(HDC dc, int left, int top, int right, int bottom, COLORREF colour) {
    if (right <= left || bottom <= top) return;
    Brush brush(colour);
    RECT r{left, top, right, bottom};
    FillRect(dc, &r, brush.Handle());
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

void Text(HDC dc, HFONT font, int x, int y, UINT align, const std::string& text) {
    if (text.empty()) return;
    Selected selected(dc, font);
    SetTextAlign(dc, align);
    TextOutA(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

int Round(double v) {
    // Far-off values are pulled in to what GDI coordinates can hold; the plot
    // clip hides them anyway.
    return static_cast<int>(std::lround(std::clamp(v, -1e6, 1e6)));
}

void DrawChartArea(HDC dc, const ChartLayout& L, const PropertyStore& p) {
    Fill(dc, 0, 0, L.width, L.height, static_cast<COLORREF>(p.Int(XRT_BACKGROUND_COLOR)));
    const RECT& a = L.chartArea;
    const int style = p.Int(XRT_BORDER_STYLE);
    if (style >= 2 && L.border > 0) {
        Fill(dc, a.right, a.top + L.border, a.right + L.border, a.bottom + L.border, kShadow);
        Fill(dc, a.left + L.border, a.bottom, a.right, a.bottom + L.border, kShadow);
    }
    if (style >= 1 && a.right > a.left && a.bottom > a.top) {
        Pen pen(kFrame);
        Selected selectedPen(dc, pen.Handle());
        Selected selectedBrush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, a.left, a.top, a.right, a.bottom);
    }
}

void DrawHeader(HDC dc, const ChartLayout& L, const ChartFonts& fonts, const PropertyStore& p) {
    const int centre = (L.chartArea.left + L.chartArea.right) / 2;
    int y = L.chartArea.top + kPadding;
    for (const std::string& line : p.Lines(XRT_HEADER_LINES)) {
        Text(dc, fonts.header->Handle(), centre, y, TA_CENTER | TA_TOP | TA_NOUPDATECP, line);
        y += L.headerLineHeight;
    }
}

void DrawPlotBackground(HDC dc, const ChartLayout& L, const PropertyStore& p) {
    Fill(dc, L.frame.left, L.frame.top, L.frame.right + 1, L.frame.bottom + 1,
         static_cast<COLORREF>(p.Int(XRT_PLOT_AREA_COLOR)));
    const int grid = p.Int(XRT_GRID_LINES);
    Pen pen(static_cast<COLORREF>(p.Int(XRT_GRID_COLOR)));
    Selected selected(dc, pen.Handle());
    if (grid & 1)
        for (double v : L.x.values) {
            const int px = Round(L.PixelX(v));
            if (px > L.plotLeft && px < L.plotRight) Line(dc, px, L.plotTop, px, L.plotBottom + 1);
        }
    if (grid & 2)
        for (double v : L.y.values) {
            const int py = Round(L.PixelY(v));
            if (py > L.plotTop && py < L.plotBottom) Line(dc, L.plotLeft, py, L.plotRight + 1, py);
        }
}

void DrawAxes(HDC dc, const ChartLayout& L, const ChartFonts& fonts, const PropertyStore& p) {
    Pen pen(kText);
    Selected selectedPen(dc, pen.Handle());
    if (p.Int(XRT_PLOT_AREA_FRAME)) {
        Selected selectedBrush(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, L.frame.left, L.frame.top, L.frame.right + 1, L.frame.bottom + 1);
    }
    for (size_t i = 0; i < L.x.values.size(); ++i) {
        const int px = Round(L.PixelX(L.x.values[i]));
        Line(dc, px, L.frame.bottom + 1, px, L.frame.bottom + 1 + kTickLength);
        Text(dc, fonts.axis->Handle(), px, L.frame.bottom + 1 + kTickLength + kLabelGap,
             TA_CENTER | TA_TOP | TA_NOUPDATECP, L.x.labels[i]);
    }
    for (size_t i = 0; i < L.y.values.size(); ++i) {
        const int py = Round(L.PixelY(L.y.values[i]));
        Line(dc, L.frame.left - kTickLength, py, L.frame.left, py);
        Text(dc, fonts.axis->Handle(), L.frame.left - kTickLength - kLabelGap, py - L.axisTextHeight / 2,
             TA_RIGHT | TA_TOP | TA_NOUPDATECP, L.y.labels[i]);
    }
    const std::string& xTitle = p.Text(XRT_X_TITLE);
    const int xTitleTop = L.frame.bottom + 1 + kTickLength + kLabelGap + L.axisTextHeight + kPadding / 2;
    Text(dc, fonts.title->Handle(), (L.frame.left + L.frame.right) / 2, xTitleTop,
         TA_CENTER | TA_TOP | TA_NOUPDATECP, xTitle);
    // Turned upwards, the text's top lies to the left and centring runs vertically.
    const std::string& yTitle = p.Text(XRT_Y_TITLE);
    Text(dc, fonts.verticalTitle->Handle(), L.chartArea.left + kPadding, (L.frame.top + L.frame.bottom) / 2,
         TA_CENTER | TA_TOP | TA_NOUPDATECP, yTitle);
}

void DrawBars(HDC dc, const ChartLayout& L, const DataSet& data, const XrtDataStyle& style) {
    const double base = std::clamp(0.0, L.y.range.low, L.y.range.high);
    Brush brush(style.color);
    Pen pen(style.pcolor);
    Selected selectedBrush(dc, brush.Handle());
    Selected selectedPen(dc, pen.Handle());
    for (int i = 0; i < data.Points(); ++i) {
        const double x = data.X()[i], y = data.Y()[i];
        if (!std::isfinite(x) || !std::isfinite(y) || y == base) continue;
        const int left = Round(L.PixelX(x - L.barWidth / 2));
        const int right = Round(L.PixelX(x + L.barWidth / 2));
        const int top = Round(L.PixelY(std::max(y, base)));
        const int bottom = Round(L.PixelY(std::min(y, base)));
        Rectangle(dc, left, top, right + 1, bottom + 1);
    }
}

// Liang-Barsky: clips the segment to the box; false when nothing is left.
bool ClipSegment(double& x1, double& y1, double& x2, double& y2, double left, double top, double right,
                 double bottom) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - left, right - x1, y1 - top, bottom - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0.0) t0 = std::max(t0, t);
            else t1 = std::min(t1, t);
        }
    }
    if (t0 > t1) return false;
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx, y1 = oy + t0 * dy;
    x2 = ox + t1 * dx, y2 = oy + t1 * dy;
    return true;
}

void DrawMarker(HDC dc, int x, int y, int shape) {
    const int h = kMarkerSize / 2;
    switch (shape) {
        case XRT_POINT_DOT: Ellipse(dc, x - h, y - h, x + h + 1, y + h + 1); break;
        case XRT_POINT_BOX: Rectangle(dc, x - h, y - h, x + h + 1, y + h + 1); break;
        case XRT_POINT_TRIANGLE: {
            POINT pts[3] = {{x, y - h}, {x + h, y + h}, {x - h, y + h}};
            Polygon(dc, pts, 3);
            break;
        }
        case XRT_POINT_DIAMOND: {
            POINT pts[4] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
            Polygon(dc, pts, 4);
            break;
        }
        default: break;
    }
}

void DrawLine(HDC dc, const ChartLayout& L, const DataSet& data, const XrtDataStyle& style) {
    // Segments are clipped here, not by GDI alone, so that far-off points keep their direction.
    const double margin = kLineWidth + 1;
    const double left = L.plotLeft - margin, right = L.plotRight + margin;
    const double top = L.plotTop - margin, bottom = L.plotBottom + margin;
    Pen pen(style.color, kLineWidth);
    Selected selectedPen(dc, pen.Handle());
    std::vector<POINT> run;
    auto flush = [&] {
        if (run.size() >= 2) Polyline(dc, run.data(), static_cast<int>(run.size()));
        run.clear();
    };
    auto finite = [&](int i) { return std::isfinite(data.X()[i]) && std::isfinite(data.Y()[i]); };
    for (int i = 1; i < data.Points(); ++i) {
        if (!finite(i - 1) || !finite(i)) {
            flush();
            continue;
        }
        double x1 = L.PixelX(data.X()[i - 1]), y1 = L.PixelY(data.Y()[i - 1]);
        double x2 = L.PixelX(data.X()[i]), y2 = L.PixelY(data.Y()[i]);
        const double endX = x2, endY = y2;
        if (!ClipSegment(x1, y1, x2, y2, left, top, right, bottom)) {
            flush();
            continue;
        }
        const POINT a{Round(x1), Round(y1)}, b{Round(x2), Round(y2)};
        if (run.empty() || run.back().x != a.x || run.back().y != a.y) {
            flush();
            run.push_back(a);
        }
        run.push_back(b);
        if (x2 != endX || y2 != endY) flush();  // the line leaves the plot here
    }
    flush();

    if (style.point == XRT_POINT_NONE) return;
    Brush brush(style.pcolor);
    Pen markerPen(style.pcolor);
    Selected selectedBrush(dc, brush.Handle());
    Selected selectedMarkerPen(dc, markerPen.Handle());
    for (int i = 0; i < data.Points(); ++i) {
        if (!finite(i)) continue;
        const double px = L.PixelX(data.X()[i]), py = L.PixelY(data.Y()[i]);
        if (px < left || px > right || py < top || py > bottom) continue;
        DrawMarker(dc, Round(px), Round(py), style.point);
    }
}

void DrawSeries(HDC dc, const ChartLayout& L, const Chart& chart) {
    const DataSet* data = chart.Data();
    if (!data || !data->HasValues()) return;
    SaveDC(dc);
    IntersectClipRect(dc, L.plotLeft, L.plotTop, L.plotRight + 1, L.plotBottom + 1);
    if (chart.Properties().Int(XRT_CHART_TYPE) == XRT_TYPE_BAR)
        DrawBars(dc, L, *data, chart.Style());
    else
        DrawLine(dc, L, *data, chart.Style());
    RestoreDC(dc, -1);
}

}  // namespace

void PaintChart(const Chart& chart, HDC dc, int x, int y, int width, int height) {
    if (width <= 0 || height <= 0) return;
    const PropertyStore& p = chart.Properties();
    const int saved = SaveDC(dc);
    // Drawing at (x, y) without touching the caller's mapping: shift the window origin.
    POINT origin;
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - x, origin.y - y, nullptr);
    IntersectClipRect(dc, 0, 0, width, height);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kText);

    const ChartFonts fonts(chart, ScreenPixelsPerInch());
    const ChartLayout L = LayOutChart(chart, fonts, dc, width, height);
    DrawChartArea(dc, L, p);
    DrawHeader(dc, L, fonts, p);
    if (L.plotVisible) {
        DrawPlotBackground(dc, L, p);
        DrawSeries(dc, L, chart);
        DrawAxes(dc, L, fonts, p);
    }
    RestoreDC(dc, saved);
}

ChartLayout ScreenLayout(const Chart& chart, int width, int height) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    const ChartFonts fonts(chart, ScreenPixelsPerInch());
    ChartLayout L = LayOutChart(chart, fonts, dc, width, height);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return L;
}

}  // namespace xrt
