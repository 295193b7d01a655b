#include "chart/Properties.h"

#include "chart/Xrt.h"

#include <iterator>

namespace xrt {
namespace {

struct PropertyInfo {
    int id;
    PropertyKind kind;
    int initial;  // for Int properties
};

constexpr PropertyKind I = PropertyKind::Int;

// Values before the caller sets anything: a plain white chart with a frame,
// the series as a line, every bound following the data.
const PropertyInfo kProperties[] = {
    {XRT_RESERVED_257, I, 0},
    {XRT_PLOT_AREA_FRAME, I, 1},
    {XRT_BACKGROUND_COLOR, I, 0xFFFFFF},
    {XRT_PLOT_AREA_COLOR, I, 0xFFFFFF},
    {XRT_GRID_COLOR, I, 0xD8D8D8},
    {XRT_DATA, PropertyKind::Data, 0},
    {XRT_BORDER_WIDTH, I, 0},
    {XRT_X_MAX, PropertyKind::Double, 0},
    {XRT_Y_MAX, PropertyKind::Double, 0},
    {XRT_X_MIN, PropertyKind::Double, 0},
    {XRT_Y_MIN, PropertyKind::Double, 0},
    {XRT_AXIS_FONT, PropertyKind::Text, 0},
    {XRT_HEADER_FONT, PropertyKind::Text, 0},
    {XRT_AXIS_TITLE_FONT, PropertyKind::Text, 0},
    {XRT_RESERVED_2305, I, 0},
    {XRT_BAR_WIDTH_PERCENT, I, 80},
    {XRT_CHART_AREA_INSET, PropertyKind::Layout, 0},
    {XRT_PLOT_LEFT_INSET, PropertyKind::Layout, 0},
    {XRT_PLOT_RIGHT_INSET, PropertyKind::Layout, 0},
    {XRT_TICK_SPACING, I, 22},
    {XRT_X_TITLE, PropertyKind::Text, 0},
    {XRT_Y_TITLE, PropertyKind::Text, 0},
    {XRT_RESERVED_3328, I, 0},
    {XRT_RESERVED_3330, I, 0},
    {XRT_HEADER_LINES, PropertyKind::TextLines, 0},
    {XRT_RESERVED_3333, I, 0},
    {XRT_AUTO_3584, I, 1}, {XRT_AUTO_3585, I, 1}, {XRT_AUTO_3586, I, 1}, {XRT_AUTO_3587, I, 1},
    {XRT_AUTO_3588, I, 1}, {XRT_AUTO_3589, I, 1}, {XRT_AUTO_3590, I, 1}, {XRT_AUTO_3591, I, 1},
    {XRT_AUTO_3592, I, 1}, {XRT_AUTO_3593, I, 1}, {XRT_AUTO_3594, I, 1}, {XRT_AUTO_3595, I, 1},
    {XRT_AUTO_3597, I, 1}, {XRT_AUTO_3598, I, 1}, {XRT_AUTO_3608, I, 1}, {XRT_AUTO_3617, I, 1},
    {XRT_AUTO_3619, I, 1}, {XRT_AUTO_3620, I, 1}, {XRT_AUTO_3621, I, 1}, {XRT_AUTO_3622, I, 1},
    {XRT_X_MIN_AUTO, I, 1},
    {XRT_Y_MIN_AUTO, I, 1},
    {XRT_X_MAX_AUTO, I, 1},
    {XRT_Y_MAX_AUTO, I, 1},
    {XRT_AUTO_3637, I, 1}, {XRT_AUTO_3638, I, 1},
    {XRT_RESERVED_3840, I, 0},
    {XRT_RESERVED_3841, I, 0},
    {XRT_RESERVED_17152, I, 0},
    {XRT_GRID_LINES, I, 3},
    {XRT_BORDER_STYLE, I, 1},
    {XRT_RESERVED_20225, I, 0},
    {XRT_CHART_TYPE, I, XRT_TYPE_LINE},
};

const PropertyInfo* Find(int id) {
    for (const PropertyInfo& p : kProperties)
        if (p.id == id) return &p;
    return nullptr;
}

bool Is(int id, PropertyKind kind) {
    const PropertyInfo* p = Find(id);
    return p && p->kind == kind;
}

const std::string kNoText;
const std::vector<std::string> kNoLines;

}  // namespace

const PropertyKind* FindPropertyKind(int id) {
    const PropertyInfo* p = Find(id);
    return p ? &p->kind : nullptr;
}

PropertyStore::PropertyStore() {
    for (const PropertyInfo& p : kProperties)
        if (p.kind == PropertyKind::Int) ints_[p.id] = p.initial;
    doubles_[XRT_X_MIN] = 0.0;
    doubles_[XRT_X_MAX] = 1.0;
    doubles_[XRT_Y_MIN] = 0.0;
    doubles_[XRT_Y_MAX] = 1.0;
    texts_[XRT_AXIS_FONT] = "Arial,8";
    texts_[XRT_AXIS_TITLE_FONT] = "Arial,8,Bold";
    texts_[XRT_HEADER_FONT] = "Arial,12,Bold";
}

int PropertyStore::Int(int id) const {
    auto it = ints_.find(id);
    return it == ints_.end() ? 0 : it->second;
}

double PropertyStore::Double(int id) const {
    auto it = doubles_.find(id);
    return it == doubles_.end() ? 0.0 : it->second;
}

const std::string& PropertyStore::Text(int id) const {
    auto it = texts_.find(id);
    return it == texts_.end() ? kNoText : it->second;
}

const std::vector<std::string>& PropertyStore::Lines(int id) const {
    auto it = lines_.find(id);
    return it == lines_.end() ? kNoLines : it->second;
}

bool PropertyStore::SetInt(int id, int value) {
    if (!Is(id, PropertyKind::Int)) return false;
    ints_[id] = value;
    return true;
}

bool PropertyStore::SetDouble(int id, double value) {
    if (!Is(id, PropertyKind::Double)) return false;
    doubles_[id] = value;
    return true;
}

bool PropertyStore::SetText(int id, std::string text) {
    if (!Is(id, PropertyKind::Text)) return false;
    texts_[id] = std::move(text);
    return true;
}

bool PropertyStore::SetLines(int id, std::vector<std::string> lines) {
    if (!Is(id, PropertyKind::TextLines)) return false;
    lines_[id] = std::move(lines);
    return true;
}

}  // namespace xrt
