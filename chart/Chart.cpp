#include "chart/Chart.h"

#include "chart/ChartWindow.h"
#include "chart/DataSet.h"

namespace xrt {

Chart::Chart() : style_{RGB(0, 0, 128), XRT_POINT_NONE, RGB(0, 0, 128)}, styleCopy_(style_) {}

Chart::~Chart() {
    AttachData(nullptr);
    AttachWindow(nullptr);
}

bool Chart::SetInt(int id, int value) {
    if (!properties_.SetInt(id, value)) return false;
    Invalidate();
    return true;
}

bool Chart::SetDouble(int id, double value) {
    if (!properties_.SetDouble(id, value)) return false;
    switch (id) {
        case XRT_X_MIN: properties_.SetInt(XRT_X_MIN_AUTO, 0); break;
        case XRT_X_MAX: properties_.SetInt(XRT_X_MAX_AUTO, 0); break;
        case XRT_Y_MIN: properties_.SetInt(XRT_Y_MIN_AUTO, 0); break;
        case XRT_Y_MAX: properties_.SetInt(XRT_Y_MAX_AUTO, 0); break;
    }
    Invalidate();
    return true;
}

bool Chart::SetText(int id, const char* text) {
    if (!properties_.SetText(id, text ? text : "")) return false;
    Invalidate();
    return true;
}

bool Chart::SetLines(int id, const char* const* lines) {
    std::vector<std::string> copy;
    for (; lines && *lines; ++lines) copy.emplace_back(*lines);
    if (!properties_.SetLines(id, std::move(copy))) return false;
    Invalidate();
    return true;
}

bool Chart::SetLinesFromText(int id, const char* text) {
    std::vector<std::string> lines;
    if (text && *text) {
        std::string all(text);
        size_t start = 0;
        for (size_t end; (end = all.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(all.substr(start, end - start));
        lines.push_back(all.substr(start));
        for (std::string& line : lines)
            if (!line.empty() && line.back() == '\r') line.pop_back();
    }
    if (!properties_.SetLines(id, std::move(lines))) return false;
    Invalidate();
    return true;
}

void Chart::SetStyle(const XrtDataStyle& style) {
    style_ = style;
    Invalidate();
}

XrtDataStyle* Chart::StyleCopy() {
    styleCopy_ = style_;
    return &styleCopy_;
}

void Chart::AttachData(DataSet* data) {
    if (data_ == data) return;
    if (data_) data_->RemoveUser(this);
    data_ = data;
    if (data_) data_->AddUser(this);
    Invalidate();
}

void Chart::DetachData(const DataSet* data) {
    if (data_ == data) AttachData(nullptr);
}

void Chart::AttachWindow(HWND window) {
    if (window_ == window) return;
    if (window_) ForgetChartWindow(window_, this);
    window_ = window;
    if (window_) RememberChartWindow(window_, this);
    Invalidate();
}

SIZE Chart::OutputSize() const {
    RECT client{};
    if (window_ && IsWindow(window_)) GetClientRect(window_, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void Chart::Invalidate() const {
    if (window_ && IsWindow(window_)) InvalidateRect(window_, nullptr, FALSE);
}

}  // namespace xrt
