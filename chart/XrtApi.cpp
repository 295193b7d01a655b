// The C-style entry points: handle checks and argument checks, then the chart objects.
#include "chart/Xrt.h"

#include "chart/Chart.h"
#include "chart/ChartFiles.h"
#include "chart/ChartImage.h"
#include "chart/ChartPainter.h"
#include "chart/ChartWindow.h"
#include "chart/DataSet.h"
#include "chart/JpegWriter.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <set>

struct XrtChart {
    xrt::Chart chart;
};

struct XrtDataSet {
    explicit XrtDataSet(int points) : data(points) {}
    xrt::DataSet data;
};

namespace {

// Live handles, so that a stale or foreign handle fails instead of crashing.
std::set<XrtHandle>& Charts() {
    static std::set<XrtHandle> charts;
    return charts;
}

std::set<XrtDataHandle>& DataSets() {
    static std::set<XrtDataHandle> sets;
    return sets;
}

xrt::Chart* Live(XrtHandle handle) {
    return handle && Charts().count(handle) ? &handle->chart : nullptr;
}

xrt::DataSet* Live(XrtDataHandle handle, int set) {
    return handle && set == 0 && DataSets().count(handle) ? &handle->data : nullptr;
}

const xrt::PropertyKind* KindOf(int id) { return xrt::FindPropertyKind(id); }

}  // namespace

XrtHandle XrtCreate(void) {
    xrt::RegisterChartWindowClass();
    try {
        XrtHandle handle = new XrtChart;
        Charts().insert(handle);
        return handle;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int XrtAttachWindow(XrtHandle handle, HWND window) {
    xrt::Chart* chart = Live(handle);
    if (!chart || !IsWindow(window)) return 0;
    chart->AttachWindow(window);
    return 1;
}

void XrtDestroy(XrtHandle handle) {
    if (!Live(handle)) return;
    Charts().erase(handle);
    delete handle;
}

int XrtSetValues(XrtHandle handle, int id, int value, int) {
    xrt::Chart* chart = Live(handle);
    const xrt::PropertyKind* kind = KindOf(id);
    if (!chart || !kind) return 0;
    switch (*kind) {
        case xrt::PropertyKind::Int: return chart->SetInt(id, value);
        // 0 is "none" for the properties that hold a text or a data set.
        case xrt::PropertyKind::Data:
            if (value) return 0;
            chart->AttachData(nullptr);
            return 1;
        case xrt::PropertyKind::Text: return value == 0 && chart->SetText(id, nullptr);
        case xrt::PropertyKind::TextLines: return value == 0 && chart->SetLines(id, nullptr);
        default: return 0;
    }
}

int XrtSetValues(XrtHandle handle, int id, const void* value, int) {
    xrt::Chart* chart = Live(handle);
    const xrt::PropertyKind* kind = KindOf(id);
    if (!chart || !kind) return 0;
    try {
        switch (*kind) {
            case xrt::PropertyKind::Data: {
                auto* data = static_cast<XrtDataHandle>(const_cast<void*>(value));
                xrt::DataSet* set = Live(data, 0);
                if (value && !set) return 0;
                chart->AttachData(set);
                return 1;
            }
            case xrt::PropertyKind::Text: return chart->SetText(id, static_cast<const char*>(value));
            case xrt::PropertyKind::TextLines:
                return chart->SetLines(id, static_cast<const char* const*>(value));
            default: return 0;
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int XrtSetValues(XrtHandle handle, int id, unsigned low, unsigned high, int) {
    xrt::Chart* chart = Live(handle);
    if (!chart) return 0;
    const uint64_t bits = (static_cast<uint64_t>(high) << 32) | low;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return chart->SetDouble(id, value);
}

int XrtGetValues(XrtHandle handle, int id, int* value, int) {
    xrt::Chart* chart = Live(handle);
    const xrt::PropertyKind* kind = KindOf(id);
    if (!chart || !kind || !value) return 0;
    if (*kind == xrt::PropertyKind::Int) {
        *value = chart->Properties().Int(id);
        return 1;
    }
    if (*kind != xrt::PropertyKind::Layout) return 0;
    const SIZE size = chart->OutputSize();
    const xrt::ChartLayout layout = xrt::ScreenLayout(*chart, size.cx, size.cy);
    switch (id) {
        case XRT_CHART_AREA_INSET: *value = layout.inset; return 1;
        case XRT_PLOT_LEFT_INSET: *value = layout.leftInset; return 1;
        case XRT_PLOT_RIGHT_INSET: *value = layout.rightInset; return 1;
        default: return 0;
    }
}

int XrtSetPropString(XrtHandle handle, int id, const char* text) {
    xrt::Chart* chart = Live(handle);
    const xrt::PropertyKind* kind = KindOf(id);
    if (!chart || !kind) return 0;
    try {
        if (*kind == xrt::PropertyKind::Text) return chart->SetText(id, text);
        if (*kind == xrt::PropertyKind::TextLines) return chart->SetLinesFromText(id, text);
        return 0;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

XrtDataHandle XrtDataCreate(int format, int sets, int points) {
    if (format != XRT_DATA_GENERAL || sets != 1 || points < 0) return nullptr;
    try {
        XrtDataHandle handle = new XrtDataSet(points);
        DataSets().insert(handle);
        return handle;
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void XrtDataDestroy(XrtDataHandle handle) {
    if (!Live(handle, 0)) return;
    DataSets().erase(handle);
    delete handle;
}

int XrtDataSetXData(XrtDataHandle handle, int set, const double* values, int count, int first) {
    xrt::DataSet* data = Live(handle, set);
    try {
        return data && data->SetX(values, count, first);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int XrtDataSetYData(XrtDataHandle handle, int set, const double* values, int count, int first) {
    xrt::DataSet* data = Live(handle, set);
    try {
        return data && data->SetY(values, count, first);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int XrtDataGetNPoints(XrtDataHandle handle, int set) {
    xrt::DataSet* data = Live(handle, set);
    return data ? data->Points() : 0;
}

const double* XrtDataGetXData(XrtDataHandle handle, int set) {
    xrt::DataSet* data = Live(handle, set);
    return data ? data->X() : nullptr;
}

const double* XrtDataGetYData(XrtDataHandle handle, int set) {
    xrt::DataSet* data = Live(handle, set);
    return data ? data->Y() : nullptr;
}

XrtDataStyle* XrtGetNthDataStyle(XrtHandle handle, int n) {
    xrt::Chart* chart = Live(handle);
    return chart && n == 0 ? chart->StyleCopy() : nullptr;
}

int XrtSetNthDataStyle(XrtHandle handle, int n, const XrtDataStyle* style) {
    xrt::Chart* chart = Live(handle);
    if (!chart || n != 0 || !style) return 0;
    chart->SetStyle(*style);
    return 1;
}

int XrtDrawToDC(XrtHandle handle, HDC dc, int kind, int fit, int x, int y, int width, int height) {
    xrt::Chart* chart = Live(handle);
    if (!chart || !dc || kind != XRT_DRAW_CHART || fit != XRT_FIT_RECT || width <= 0 || height <= 0) return 0;
    xrt::PaintChart(*chart, dc, x, y, width, height);
    return 1;
}

int XrtDrawToFile(XrtHandle handle, const char* path, int format) {
    xrt::Chart* chart = Live(handle);
    if (!chart || !path || !*path) return 0;
    const SIZE size = chart->OutputSize();
    try {
        switch (format) {
            case XRT_FILE_BMP: return xrt::WriteBmp(*chart, size.cx, size.cy, path);
            case XRT_FILE_WMF: return xrt::WriteWmf(*chart, size.cx, size.cy, path);
            case XRT_FILE_EMF: return xrt::WriteEmf(*chart, size.cx, size.cy, path);
            default: return 0;
        }
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int XrtSaveImageAsJpeg(XrtHandle handle, const char* path, int quality, int reserved1, int reserved2,
                       int reserved3) {
    xrt::Chart* chart = Live(handle);
    if (!chart || !path || !*path || reserved1 || reserved2 || reserved3) return 0;
    const SIZE size = chart->OutputSize();
    try {
        xrt::ChartPixels pixels;
        return xrt::RenderPixels(*chart, size.cx, size.cy, pixels) && xrt::WriteJpeg(pixels, path, quality);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

int XrtDrawToClipboard(XrtHandle handle, int formats) {
    xrt::Chart* chart = Live(handle);
    if (!chart) return 0;
    const SIZE size = chart->OutputSize();
    try {
        return xrt::CopyToClipboard(*chart, size.cx, size.cy, formats);
    } catch (const std::bad_alloc&) {
        return 0;
    }
}
