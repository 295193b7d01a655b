// The window class "OlectraChart2D": a window that paints the chart attached
// to it, flicker-free, and forgets it when it is destroyed.
#pragma once

#include <windows.h>

namespace xrt {

class Chart;

// Registers the class once; true when it is available.
bool RegisterChartWindowClass();

void RememberChartWindow(HWND window, Chart* chart);
void ForgetChartWindow(HWND window, Chart* chart);

}  // namespace xrt
