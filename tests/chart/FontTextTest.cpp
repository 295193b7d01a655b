#include "chart/ChartFont.h"

#include <gtest/gtest.h>

namespace {

TEST(FontSpec, ReadsFaceSizeAndStyle) {
    struct Case {
        const char* text;
        const char* face;
        double points;
        bool bold, italic;
    };
    const Case cases[] = {
        {"Arial,8", "Arial", 8, false, false},
        {"Arial,12,Bold", "Arial", 12, true, false},
        {"Times New Roman, 10.5 ,bold,ITALIC", "Times New Roman", 10.5, true, true},
        {"Arial,6,Italic", "Arial", 6, false, true},
        // Unreadable parts keep the fallback (Tahoma 9).
        {"", "Tahoma", 9, false, false},
        {"Arial", "Arial", 9, false, false},
        {"Arial,big", "Arial", 9, false, false},
        {"Arial,0", "Arial", 9, false, false},
        {"Arial,8pt", "Arial", 9, false, false},
        {",7", "Tahoma", 7, false, false},
        {"A face name far too long to be any font that GDI knows of,8", "Tahoma", 8, false, false},
    };
    xrt::FontSpec fallback;
    fallback.face = "Tahoma";
    fallback.points = 9;
    for (const Case& c : cases) {
        const xrt::FontSpec spec = xrt::ParseFontSpec(c.text, fallback);
        EXPECT_EQ(spec.face, c.face) << c.text;
        EXPECT_DOUBLE_EQ(spec.points, c.points) << c.text;
        EXPECT_EQ(spec.bold, c.bold) << c.text;
        EXPECT_EQ(spec.italic, c.italic) << c.text;
    }
}

}  // namespace
