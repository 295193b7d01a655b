#include "chart/ChartFont.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

namespace xrt {
namespace {

std::string Trim(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

bool SameWord(const std::string& a, const char* b) {
    return a.size() == std::strlen(b) && _stricmp(a.c_str(), b) == 0;
}

}  // namespace

FontSpec ParseFontSpec(const std::string& text, const FontSpec& fallback) {
    FontSpec spec = fallback;
    std::istringstream parts(text);
    std::string part;
    for (int index = 0; std::getline(parts, part, ','); ++index) {
        part = Trim(part);
        if (index == 0) {
            if (!part.empty() && part.size() < LF_FACESIZE) spec.face = part;
        } else if (index == 1) {
            char* end = nullptr;
            const double points = std::strtod(part.c_str(), &end);
            // Sizes beyond these make no readable chart.
            if (end != part.c_str() && *end == '\0' && points >= 1.0 && points <= 200.0)
                spec.points = points;
        } else if (SameWord(part, "Bold")) {
            spec.bold = true;
        } else if (SameWord(part, "Italic")) {
            spec.italic = true;
        }
    }
    return spec;
}

ChartFont::ChartFont(const FontSpec& spec, int pixelsPerInch, int angleTenths) {
    LOGFONTA lf{};
    lf.lfHeight = -std::max(1L, std::lround(spec.points * pixelsPerInch / 72.0));
    lf.lfEscapement = angleTenths;
    lf.lfOrientation = angleTenths;
    lf.lfWeight = spec.bold ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = spec.italic ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_TT_PRECIS;
    lf.lfQuality = ANTIALIASED_QUALITY;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::strncpy(lf.lfFaceName, spec.face.c_str(), LF_FACESIZE - 1);
    font_ = CreateFontIndirectA(&lf);
}

ChartFont::~ChartFont() {
    if (font_) DeleteObject(font_);
}

}  // namespace xrt
