// Shared helpers of the chart tests: a memory canvas, doubles in two halves,
// and charts set up as the graph window sets them up.
#pragma once

#include "chart/Xrt.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace charttest {

inline int SetDouble(XrtHandle chart, int id, double value) {
    unsigned halves[2];
    std::memcpy(halves, &value, sizeof value);
    return XrtSetValues(chart, id, halves[0], halves[1], 0);
}

// A 32-bit top-down DIB section in a memory DC.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill = RGB(1, 2, 3)) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        dc_ = CreateCompatibleDC(nullptr);
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<uint32_t*>(bits);
        old_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc_, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF Pixel(int x, int y) const {
        GdiFlush();
        const uint32_t v = bits_[static_cast<size_t>(y) * width_ + x];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
    uint32_t* bits_;
};

inline bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 110; }

// A popup window of the chart's own class with the given client size.
class ChartWindow {
public:
    ChartWindow(int width, int height) {
        window_ = CreateWindowExA(0, XRT_WINDOW_CLASS, "", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    }
    ~ChartWindow() {
        if (IsWindow(window_)) DestroyWindow(window_);
    }
    ChartWindow(const ChartWindow&) = delete;
    ChartWindow& operator=(const ChartWindow&) = delete;
    HWND Handle() const { return window_; }

private:
    HWND window_;
};

// The set-up the graph window gives a new chart, in its order.
inline bool ApplyGraphWindowSetUp(XrtHandle chart) {
    bool ok = true;
    auto set = [&](int id, int value) { ok = XrtSetValues(chart, id, value, 0) && ok; };
    set(257, 0);
    set(17152, 0);
    set(3332, 0);
    set(3333, 0);
    set(3840, 0);
    set(3841, 0);
    set(3072, 0);
    set(3073, 0);
    set(3328, 0);
    set(3330, 0);
    for (int id : {3608, 3590, 3591, 3587, 3622, 3619, 3620, 3621, 3586, 3584, 3585, 3588, 3589, 3592, 3593,
                   3637, 3638, 3598, 3595, 3597, 3594, 3617})
        set(id, 1);
    set(2311, 100);
    set(19200, 2);
    set(512, 0xFFFFFF);
    set(17668, 3);
    set(1547, 2);
    set(514, 0xF0CAA6);
    set(522, 0xFFFFFF);
    set(2305, 0);
    set(265, 1);
    set(2827, 22);
    set(20225, 2);
    ok = XrtSetPropString(chart, 2048, "Arial,8") && ok;
    ok = XrtSetPropString(chart, 2050, "Arial,8,Bold") && ok;
    ok = XrtSetPropString(chart, 2049, "Arial,12,Bold") && ok;
    return ok;
}

// The plot area's first and last pixel inside its frame, from the chart's own figures.
struct PlotEdges {
    int left, right;
};

inline PlotEdges ReadPlotEdges(XrtHandle chart, int width) {
    int inset = 0, left = 0, right = 0, border = 0;
    XrtGetValues(chart, 2816, &inset, 0);
    XrtGetValues(chart, 2825, &left, 0);
    XrtGetValues(chart, 2826, &right, 0);
    XrtGetValues(chart, 1547, &border, 0);
    return PlotEdges{inset + left + 1, width - (inset + right + border) - 2};
}

}  // namespace charttest
