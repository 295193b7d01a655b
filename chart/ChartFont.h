// Fonts named by texts such as "Arial,8" or "Arial,12,Bold".
#pragma once

#include <windows.h>

#include <string>

namespace xrt {

struct FontSpec {
    std::string face = "Arial";
    double points = 8.0;
    bool bold = false;
    bool italic = false;
};

// "Face,points[,Bold][,Italic]" (case does not matter). Missing or unreadable
// parts keep the values of `fallback`.
FontSpec ParseFontSpec(const std::string& text, const FontSpec& fallback);

// A GDI font owned for the length of one drawing.
class ChartFont {
public:
    // `pixelsPerInch` converts points into the target's logical units;
    // `angleTenths` turns the text (900 runs it upwards).
    ChartFont(const FontSpec& spec, int pixelsPerInch, int angleTenths = 0);
    ~ChartFont();
    ChartFont(const ChartFont&) = delete;
    ChartFont& operator=(const ChartFont&) = delete;

    HFONT Handle() const { return font_; }

private:
    HFONT font_;
};

}  // namespace xrt
