#include "chart/ChartWindow.h"

#include "chart/Chart.h"
#include "chart/ChartPainter.h"
#include "chart/Xrt.h"

namespace xrt {
namespace {

const char kChartProperty[] = "XrtChart";

Chart* ChartOf(HWND window) { return static_cast<Chart*>(GetPropA(window, kChartProperty)); }

void Paint(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    Chart* chart = ChartOf(window);
    if (chart && width > 0 && height > 0) {
        // Drawn off screen first, so that the window never shows a half-drawn chart.
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
        if (memory && bitmap) {
            HGDIOBJ old = SelectObject(memory, bitmap);
            PaintChart(*chart, memory, 0, 0, width, height);
            BitBlt(dc, 0, 0, width, height, memory, 0, 0, SRCCOPY);
            SelectObject(memory, old);
        } else {
            PaintChart(*chart, dc, 0, 0, width, height);
        }
        if (bitmap) DeleteObject(bitmap);
        if (memory) DeleteDC(memory);
    } else {
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    EndPaint(window, &ps);
}

LRESULT CALLBACK ChartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;  // the paint covers every pixel
        case WM_PAINT:
            // Nothing may unwind into the system's code that called us: a
            // paint that fails (memory short) leaves the window as it was
            // and is not asked for again until the next change.
            try {
                Paint(window);
            } catch (...) {
                ValidateRect(window, nullptr);
            }
            return 0;
        case WM_SIZE:
            InvalidateRect(window, nullptr, FALSE);
            return 0;
        case WM_NCDESTROY:
            if (Chart* chart = ChartOf(window)) chart->WindowDestroyed();
            RemovePropA(window, kChartProperty);
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The class exists before any window of it is created, as it would for a
// component loaded with the program.
const bool kRegisteredAtStart = RegisterChartWindowClass();

}  // namespace

bool RegisterChartWindowClass() {
    static const bool registered = [] {
        WNDCLASSA wc{};
        wc.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = ChartWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = XRT_WINDOW_CLASS;
        return RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

void RememberChartWindow(HWND window, Chart* chart) {
    if (IsWindow(window)) SetPropA(window, kChartProperty, chart);
}

void ForgetChartWindow(HWND window, Chart* chart) {
    if (IsWindow(window) && ChartOf(window) == chart) RemovePropA(window, kChartProperty);
}

}  // namespace xrt
