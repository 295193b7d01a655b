// The chart's property values by id: which ids exist, what kind of value each
// holds, and their values before the caller sets anything.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace xrt {

enum class PropertyKind {
    Int,        // 32-bit integer, settable
    Double,     // double, settable through its two halves
    Text,       // one text, or none
    TextLines,  // list of texts
    Data,       // the attached data set, handled by the chart itself
    Layout,     // read only, computed from the layout
};

// The kind of `id`, or null when the chart has no such property.
const PropertyKind* FindPropertyKind(int id);

class PropertyStore {
public:
    PropertyStore();

    int Int(int id) const;
    double Double(int id) const;
    const std::string& Text(int id) const;
    const std::vector<std::string>& Lines(int id) const;

    // Each fails (false) when `id` does not hold that kind of value.
    bool SetInt(int id, int value);
    bool SetDouble(int id, double value);
    bool SetText(int id, std::string text);
    bool SetLines(int id, std::vector<std::string> lines);

private:
    std::map<int, int> ints_;
    std::map<int, double> doubles_;
    std::map<int, std::string> texts_;
    std::map<int, std::vector<std::string>> lines_;
};

}  // namespace xrt
