#include <gtest/gtest.h>
#include <cmath>
#include <string>
#include <vector>
#include "framework/DC.h"
#include "geometry/AxesEnt.h"
#include "geometry/Constants.h"
#include "geometry/Geometry.h"
#include "geometry/ViewContext.h"
#include "tools/TextStyle.h"

#include "tests/tools/DrawingCanvas.h"

namespace {

const COLORREF kBlue = 0xFF0000;
const COLORREF kRed = 0x0000FF;

using namespace tooltest;

} // namespace

TEST(TextStyle, DefaultsAndFont)
{
    CTextStyle style;
    int size = 0;
    LOGFONTA lf;
    EXPECT_TRUE(style.GetFont(size, lf));
    EXPECT_EQ(size, 10);
    EXPECT_STREQ(lf.lfFaceName, "Arial");
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_FALSE(style.GetHatch());
    EXPECT_EQ(style.GetHeadAngle(), 10.0);
    EXPECT_EQ(style.GetFontObject()->GetSafeHandle(), nullptr);
}

TEST(TextStyle, DefaultLookIsAFramedFilledBox)
{
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    CTextStyle style;
    ASSERT_TRUE(style.DrawText(canvas.DC(), &vc, "Hello", 100, 100, 0, kRed, kBlue, 5));
    EXPECT_GT(canvas.Count(kBlue), 100);
    EXPECT_GT(canvas.Count(0), 20);   // the frame
    // The box's top-left corner lies at the anchor less the 3-pixel margin.
    EXPECT_EQ(canvas.Pixel(97, 97), 0u);
    EXPECT_EQ(canvas.Pixel(96, 96), 0xFFFFFFu);

    Canvas bare(200, 200);
    style.SetTransparent(true);
    style.SetNoBorder(true);
    ASSERT_TRUE(style.DrawText(bare.DC(), &vc, "Hello", 100, 100, 0, kRed, kBlue, 5));
    EXPECT_EQ(bare.Count(kBlue), 0);
    EXPECT_EQ(bare.Count(0), 0);
    EXPECT_GT(bare.Count(0xFFFFFF), 0);
    EXPECT_LT(bare.Count(0xFFFFFF), 200 * 200);   // the text itself
}

// What the user typed is what the drawing shows: an ampersand is a character
// like any other, never the mark of an underlined letter, on every line and
// in the measured box.
TEST(TextStyle, AmpersandsAreDrawnAsTyped)
{
    CViewContext vc;
    SetUnitView(vc, 400);
    CTextStyle style;
    style.SetTransparent(true);
    style.SetNoBorder(true);
    const Records records = RecordMetafile([&](CDC* pDC) {
        style.DrawText(pDC, &vc, "Rock & Roll\nA&B&&C&", 100, 300, 0, kRed, kBlue, 5);
    });
    std::string drawn;
    for (const std::string& text : records.texts)
        drawn += text + "|";
    EXPECT_NE(drawn.find("Rock & Roll"), std::string::npos) << drawn;
    EXPECT_NE(drawn.find("A&B&&C&"), std::string::npos) << drawn;

    // The box holds the ampersands too: as wide as the text drawn without any prefix handling.
    Canvas canvas(400, 400);
    CRect withMarks, plain;
    ASSERT_TRUE(style.LayoutText(canvas.DC(), &vc, "&W", 10, 390, 0, withMarks, 5));
    ASSERT_TRUE(style.LayoutText(canvas.DC(), &vc, "W", 10, 390, 0, plain, 5));
    EXPECT_GT(withMarks.Width(), plain.Width());
}

TEST(TextStyle, ItalicLayoutIsWider)
{
    Canvas canvas(400, 400);
    CViewContext vc;
    SetUnitView(vc, 400);
    CTextStyle style;
    LOGFONTA lf = {};
    strcpy(lf.lfFaceName, "Arial");
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = TRUE;
    style.SetFont(50, lf);
    CRect rect;
    ASSERT_TRUE(style.LayoutText(canvas.DC(), &vc, "Wide", 10, 390, 0, rect, 5));
    // Measure with the layout's own font: the box is that wide, plus 2 + 3 + 4
    // for the slant, plus the 3-pixel margin on both sides.
    CFont* pOld = canvas.DC()->SelectObject(style.GetFontObject());
    RECT measured = {0, 0, 0, 0};
    ::DrawTextA(canvas.DC()->GetSafeHdc(), "Wide", 4, &measured, DT_CALCRECT | DT_NOCLIP);
    canvas.DC()->SelectObject(pOld);
    EXPECT_EQ(rect.Width(), measured.right + 9 + 6);
    EXPECT_EQ(rect.left, 10 - 3);
}

TEST(TextStyle, SmallFontsAreNotDrawn)
{
    Canvas canvas(100, 100);
    CViewContext vc;
    SetUnitView(vc, 100);
    CTextStyle style;
    LOGFONTA lf = {};
    strcpy(lf.lfFaceName, "Arial");
    style.SetFont(8, lf);
    // Scale so that 8 points come to exactly 5 pixels (or less).
    const int full = 8 * ScreenDpiY() / 72;
    vc.SetSizeFactor(5.0 / full);
    CRect rect;
    EXPECT_FALSE(style.LayoutText(canvas.DC(), &vc, "x", 50, 50, 0, rect, 5));
    EXPECT_FALSE(style.DrawText(canvas.DC(), &vc, "x", 50, 50, 0, 0, kBlue, 5));
    EXPECT_EQ(canvas.Count(0xFFFFFF), 100 * 100);
    vc.SetSizeFactor(1);
    EXPECT_TRUE(style.LayoutText(canvas.DC(), &vc, "x", 50, 50, 0, rect, 5));
}

TEST(TextStyle, BoxTurnsByWholeDegrees)
{
    CViewContext vc;
    SetUnitView(vc, 400);
    CTextStyle style;
    const CRect rect(200, 100, 390, 180);
    const Records records = RecordMetafile([&](CDC* pDC) {
        style.DrawBox(pDC, &vc, rect, 200, 300, 455);
    });
    ASSERT_EQ(records.polygons.size(), 1u);
    const std::vector<POINT>& p = records.polygons[0];
    ASSERT_EQ(p.size(), 4u);
    // The corners turned by 45 degrees about world (200, 300), which is device
    // (200, 100); a turn by 45.5 would move the far corners by two pixels.
    const POINT corners[4] = {{200, 100}, {200, 180}, {390, 180}, {390, 100}};
    bool differsFromHalf = false;
    for (int i = 0; i < 4; ++i) {
        CVector2D w = vc.DeviceToWorld(corners[i].x, corners[i].y);
        CVector2D h = w;
        RotatePoint(w, 45, 200, 300, false);
        RotatePoint(h, 45.5, 200, 300, false);
        const CPoint expected = vc.WorldToDevice(w);
        EXPECT_EQ(p[i].x, expected.x) << i;
        EXPECT_EQ(p[i].y, expected.y) << i;
        differsFromHalf = differsFromHalf || vc.WorldToDevice(h) != expected;
    }
    EXPECT_TRUE(differsFromHalf);
}

TEST(ArrowPainter, SizesFollowTheDeviceAndShrinkOnly)
{
    Canvas canvas(10, 10);
    CArrowPainter painter;
    const int dpi = canvas.DC()->GetDeviceCaps(LOGPIXELSX);
    painter.SetPixelSize(canvas.DC(), 1, 0.5, 0.5);
    const CSize full = painter.GetUnit();
    EXPECT_EQ(full.cx, dpi / 2);
    painter.SetPixelSize(canvas.DC(), 2, 0.5, 0.5);
    EXPECT_EQ(painter.GetUnit(), full);
    painter.SetPixelSize(canvas.DC(), 0.5, 0.5, 0.5);
    EXPECT_EQ(painter.GetUnit().cx, (int)(dpi * 0.5 * 0.5));
}

TEST(ArrowPainter, HeadsPointAlongTheirDirection)
{
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    CArrowPainter painter;
    painter.SetShaftLength(0.5);
    painter.SetPixelSize(canvas.DC(), 1, 0.5, 0.5);
    const int unit = painter.GetUnit().cx;
    // Coincident points: the head opens towards +x from the tip.
    const CPoint end = painter.DrawArrowHeadTowards(canvas.DC(), CVector2D(100, 100),
                                                    CVector2D(100, 100), &vc, kRed);
    EXPECT_EQ(end, CPoint(100 + (int)(0.5 * unit), 100));
    EXPECT_EQ(canvas.Pixel(100 + unit / 10, 100), kRed);
    EXPECT_NE(canvas.Pixel(100 - unit / 10, 100), kRed);

    // Pointing along +y of the world: the head lies above... its tail side is
    // device up from the tip.
    Canvas up(200, 200);
    painter.DrawArrowHeadAt(up.DC(), CVector2D(100, 100), &vc, PI / 2, kRed, 1, 0.5, 0.5);
    EXPECT_EQ(up.Pixel(100, 100 - unit / 10), kRed);
    EXPECT_NE(up.Pixel(100, 100 + unit / 10), kRed);

    // A head angle of 0: the polygon is flat, the stub is still drawn.
    Canvas flat(200, 200);
    painter.SetHeadAngle(0);
    painter.DrawArrowHeadTowards(flat.DC(), CVector2D(50, 100), CVector2D(150, 100), &vc, kRed);
    EXPECT_EQ(flat.Pixel(50 + unit / 4, 100), kRed);   // past the head: the stub
    EXPECT_EQ(flat.Count(kRed), (int)(0.5 * unit));     // one line, nothing beside it
}

TEST(ArrowPainter, TextAnchors)
{
    struct Case { int anchor; int dx, dy; };
    const Case cases[] = {
        {0, -20, -10}, {1, -20, 0}, {2, 2, -5}, {3, -42, -5}, {4, -20, -5}, {5, 0, 0},
        {0x20 | 0x200, -20, -10}, {0x40 | 0x100, -42, -5}, {0x40, -42, 0},
    };
    for (const Case& c : cases) {
        CPoint p(100, 100);
        CArrowPainter::AlignTextPoint(p, 40, 10, c.anchor);
        EXPECT_EQ(p, CPoint(100 + c.dx, 100 + c.dy)) << c.anchor;
    }
}

TEST(ArrowPainter, WaterLevelSymbol)
{
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    CArrowPainter painter;
    painter.DrawWaterLevel(canvas.DC(), CVector2D(100, 100), &vc, kBlue, 1, 0.3, 0);
    const CSize unit = painter.GetUnit();
    // The triangle points down at the level; the first bar lies below it.
    EXPECT_EQ(canvas.Pixel(100, 100 - (int)(0.8 * unit.cy)), kBlue);
    EXPECT_EQ(canvas.Pixel(100, 100 + (int)(0.4 * unit.cy)), kBlue);
    const CRect r = painter.GetWaterLevelRect(CVector2D(100, 100), &vc);
    EXPECT_EQ(r.left, 100 - unit.cx / 2 - unit.cx / 3);
    EXPECT_EQ(r.bottom, 100 + (int)(0.8 * unit.cy));
}

TEST(Axes, FreeStandingAxisLabelsItsTicks)
{
    CViewContext vc;
    SetUnitView(vc, 400);
    CAxesEnt axes;
    axes.SetShowRulers(false);
    CTextStyle style;
    const Records records = RecordMetafile([&](CDC* pDC) {
        axes.DrawAxes(pDC, &vc, 6, 0, 0, 50, 0, 300, 100, 12101, 50, 100, &style, false, false,
                      false, false, 0);
    });
    // Labels strictly between the ends: 100 to 250.
    std::vector<std::string> expected = {"100", "150", "200", "250"};
    EXPECT_EQ(records.texts, expected);

    const Records relative = RecordMetafile([&](CDC* pDC) {
        axes.DrawAxes(pDC, &vc, 3, 50, 0, 50, 0, 300, 100, 12101, 50, 100, &style, false, false,
                      true, false, 0);
    });
    expected = {"50", "100"};
    EXPECT_EQ(relative.texts, expected);
}
