// What the drawing tools put on a device: pixels of a memory bitmap and the
// records of a metafile.
#include <gtest/gtest.h>

#include <algorithm>
#include "framework/Wnd.h"
#include "tests/tools/DrawingCanvas.h"
#include "tools/ToolArrow.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"

using namespace tooltest;

namespace {

constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kLine = 0x800000;   // the tools' own line colour
constexpr COLORREF kGreen = 0x00FF00;

template <class Tool> void Place(Tool& tool, double x0, double y0, double x1, double y1)
{
    tool.SetStartPoint(CVector2D(x0, y0));
    tool.SetEndPoint(CVector2D(x1, y1));
}

int Drawn(CMeasure& tool, COLORREF colour, CViewContext* pView = nullptr)
{
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    tool.Draw(canvas.DC(), pView != nullptr ? pView : &vc);
    return canvas.Count(colour);
}

int NotWhite(CMeasure& tool)
{
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    tool.Draw(canvas.DC(), &vc);
    return 200 * 200 - canvas.Count(kWhite);
}

} // namespace

TEST(ToolDrawing, ArrowHeadsAtTheChosenEnds)
{
    CToolArrow arrow;
    Place(arrow, 50, 100, 150, 100);
    arrow.SetArrowAtHead(false);
    const int line = Drawn(arrow, kLine);
    EXPECT_NEAR(line, 101, 2);
    arrow.SetArrowAtHead(true);
    const int oneHead = Drawn(arrow, kLine);
    EXPECT_GT(oneHead, line + 20);
    arrow.SetArrowAtTail(true);
    EXPECT_GT(Drawn(arrow, kLine), oneHead + 20);
    // The head sits at control point 0: the pixels left of the middle gain.
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    arrow.SetArrowAtTail(false);
    arrow.Draw(canvas.DC(), &vc);
    int left = 0, right = 0;
    for (int y = 80; y < 120; ++y)
        for (int x = 40; x < 160; ++x)
            if (canvas.Pixel(x, y) == kLine && y != 100)
                (x < 100 ? left : right)++;
    EXPECT_GT(left, 10);
    EXPECT_EQ(right, 0);
}

TEST(ToolDrawing, ZeroLengthArrowAndMeasureDrawNoHeadsOrLabel)
{
    CToolArrow arrow;
    arrow.SetArrowAtTail(true);
    Place(arrow, 100, 100, 100, 100);
    arrow.SetEditing(true);
    EXPECT_LE(NotWhite(arrow), 2);
    CToolMeasure measure;
    measure.SetArrowAtHead(true);
    Place(measure, 100, 100, 100, 100);
    EXPECT_LE(NotWhite(measure), 2);
    Records records = RecordMetafile([&](CDC* dc) {
        CViewContext vc;
        SetUnitView(vc, 200);
        measure.Draw(dc, &vc);
    });
    EXPECT_TRUE(records.texts.empty());
}

TEST(ToolDrawing, MeasureIsLabelledWithLengthAndAngle)
{
    CToolMeasure measure;
    Place(measure, 0, 0, 100, 10);
    Records records = RecordMetafile([&](CDC* dc) {
        CViewContext vc;
        SetUnitView(vc, 200);
        measure.Draw(dc, &vc);
    });
    std::string all;
    for (const std::string& t : records.texts)
        all += t;
    EXPECT_NE(all.find("L=100.499 Angle=5.7"), std::string::npos) << all;
}

TEST(ToolDrawing, GripMarkersOnlyWhileEditing)
{
    CToolLine line;
    Place(line, 50, 50, 150, 150);
    const int plain = NotWhite(line);
    line.SetEditing(true);
    EXPECT_GT(NotWhite(line), plain + 20);   // two 7 x 7 framed squares
}

TEST(ToolDrawing, RectangleFillOutlineAndHandles)
{
    CToolRectangle box;
    Place(box, 50, 50, 150, 150);
    box.SetIsFilled(true);
    box.SetFillColor(kGreen);
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    box.Draw(canvas.DC(), &vc);
    EXPECT_EQ(canvas.Pixel(100, 100), kGreen);
    EXPECT_EQ(canvas.Pixel(50, 100), kLine);
    EXPECT_EQ(canvas.Pixel(40, 100), kWhite);
    // The held Shift squares the box on its larger side while it is dragged.
    Place(box, 50, 50, 100, 150);
    box.SetShiftConstrain(true);
    Canvas square(200, 200);
    box.Draw(square.DC(), &vc);
    EXPECT_EQ(square.Pixel(140, 100), kGreen);
    // No fill, no hatch and no outline: only the handles while it is edited.
    CToolRectangle bare;
    Place(bare, 50, 50, 150, 150);
    bare.SetIsExteriorLine(false);
    EXPECT_EQ(NotWhite(bare), 0);
    bare.SetEditing(true);
    const int handles = NotWhite(bare);
    EXPECT_GE(handles, 8 * 20);
    EXPECT_LE(handles, 8 * 49);
}

TEST(ToolDrawing, HatchedPolygonAndHiddenPolyline)
{
    CToolPolyGon polygon;
    Place(polygon, 40, 40, 160, 40);
    polygon.AddPoint(160, 160);
    polygon.AddPoint(40, 160);
    polygon.SetIsHatchedInterior(true);
    polygon.SetFillColor(kGreen);
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    polygon.Draw(canvas.DC(), &vc);
    int green = 0, white = 0;
    for (int y = 50; y < 150; ++y)
        for (int x = 50; x < 150; ++x)
            (canvas.Pixel(x, y) == kGreen ? green : white)++;
    EXPECT_GT(green, 500);
    EXPECT_GT(white, 5000) << "a hatch, not a fill";
    EXPECT_EQ(canvas.Pixel(40, 100), kLine);

    CToolPolyLine polyline;
    Place(polyline, 20, 20, 180, 20);
    polyline.AddPoint(100, 180);
    polyline.SetIsExteriorLine(false);
    EXPECT_EQ(NotWhite(polyline), 0);
    polyline.SetEditing(true);
    EXPECT_GE(NotWhite(polyline), 3 * 20);
}

TEST(ToolDrawing, CircleEllipseAndArc)
{
    CToolCircle circle;
    Place(circle, 40, 60, 160, 140);
    circle.SetIsFilled(true);
    circle.SetFillColor(kGreen);
    Canvas canvas(200, 200);
    CViewContext vc;
    SetUnitView(vc, 200);
    circle.Draw(canvas.DC(), &vc);
    EXPECT_EQ(canvas.Pixel(100, 100), kGreen);
    EXPECT_EQ(canvas.Pixel(42, 62), kWhite) << "the box's corner is outside the ellipse";
    // An arc has no fill: its chord side of the box stays empty.
    circle.SetIsArc(true);
    circle.SetArcAngles(0, 90);
    Canvas arc(200, 200);
    circle.Draw(arc.DC(), &vc);
    EXPECT_EQ(arc.Pixel(100, 100), kWhite);
    int upperRight = 0, lowerLeft = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x)
            if (arc.Pixel(x, y) == kLine)
                (x >= 100 && y <= 100 ? upperRight : lowerLeft)++;
    EXPECT_GT(upperRight, 40);
    EXPECT_EQ(lowerLeft, 0);
}

TEST(ToolDrawing, AToolIsDrawnOnlyInItsOwnView)
{
    CWnd mine, other;
    CToolLine line;
    Place(line, 20, 20, 180, 180);
    line.SetOwnerView(&mine);
    CViewContext inOther, inMine;
    SetUnitView(inOther, 200);
    SetUnitView(inMine, 200);
    inOther.SetOwnerView(&other);
    inMine.SetOwnerView(&mine);
    EXPECT_EQ(Drawn(line, kLine, &inOther), 0);
    EXPECT_GT(Drawn(line, kLine, &inMine), 150);
}
