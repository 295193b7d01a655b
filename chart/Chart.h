// The chart object behind an XrtHandle: its properties, the style of its one
// series, the data set it draws and the window it paints.
#pragma once

#include "chart/Properties.h"
#include "chart/Xrt.h"

#include <windows.h>

namespace xrt {

class DataSet;

class Chart {
public:
    Chart();
    ~Chart();
    Chart(const Chart&) = delete;
    Chart& operator=(const Chart&) = delete;

    const PropertyStore& Properties() const { return properties_; }
    // Setting a bound fixes it; each change repaints the window.
    bool SetInt(int id, int value);
    bool SetDouble(int id, double value);
    bool SetText(int id, const char* text);
    bool SetLines(int id, const char* const* lines);
    bool SetLinesFromText(int id, const char* text);

    const XrtDataStyle& Style() const { return style_; }
    void SetStyle(const XrtDataStyle& style);
    // The caller's working copy of the style (XrtGetNthDataStyle).
    XrtDataStyle* StyleCopy();

    const DataSet* Data() const { return data_; }
    void AttachData(DataSet* data);
    void DetachData(const DataSet* data);

    HWND Window() const { return window_; }
    void AttachWindow(HWND window);
    void WindowDestroyed() { window_ = nullptr; }
    // The size files and the clipboard are drawn at: the window's client area.
    SIZE OutputSize() const;
    void Invalidate() const;

private:
    PropertyStore properties_;
    XrtDataStyle style_;
    XrtDataStyle styleCopy_;
    DataSet* data_ = nullptr;
    HWND window_ = nullptr;
};

}  // namespace xrt
