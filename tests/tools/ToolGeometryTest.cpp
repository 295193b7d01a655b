// The drawing tools' geometry: control points, grips, lengths and angles,
// the checked style setters, handles, cursors and drags of the box tools,
// inside and crossing tests, info texts and view membership.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"
#include "tools/ToolArrow.h"
#include "tools/ToolFactory.h"
#include "tools/ToolLine.h"
#include "tools/ToolRectangle.h"

namespace {

// One world unit is one pixel, world (0, size) at the device's top-left.
void SetUnitView(CViewContext& vc, int size = 400)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(size, size);
    vc.SetWorldOrigin(0, size);
    vc.SetWorldExtent(size, size);
}

POINT Device(CViewContext& vc, double x, double y)
{
    const CPoint p = vc.WorldToDevice(x, y);
    return POINT{p.x, p.y};
}

void ExpectPoint(const CVector2D& p, double x, double y)
{
    EXPECT_DOUBLE_EQ(p.x, x);
    EXPECT_DOUBLE_EQ(p.y, y);
}

} // namespace

TEST(MeasureTool, NewToolHasItsDefaults)
{
    CMeasure tool;
    ExpectPoint(tool.GetStartPoint(), 1, 1);
    ExpectPoint(tool.GetEndPoint(), 0, 0);
    EXPECT_EQ(tool.GetType(), 12050);
    EXPECT_TRUE(tool.GetKeyName().IsEmpty());
    EXPECT_EQ(tool.GetKindId(), 2181);
    EXPECT_EQ(tool.GetCategoryId(), 2202);
    EXPECT_EQ(tool.GetEntityType(), 53);
    EXPECT_EQ(tool.GetColour(), 0x800000u);
    EXPECT_TRUE(tool.IsEditable());
    EXPECT_EQ(tool.GetDimTextFlag(), 12231);
    EXPECT_EQ(tool.GetTextStyle().GetHeadAngle(), 17.0);
    int size = 0;
    LOGFONTA font{};
    EXPECT_TRUE(tool.GetFont(size, font));
    EXPECT_EQ(size, 10);
}

TEST(MeasureTool, LengthAndAngle)
{
    struct Case {
        double x0, y0, x1, y1, length, angle;
    } cases[] = {
        {0, 0, 10, 1, std::hypot(10, 1), 5.710593137499643},
        {0, 0, 1, 10, std::hypot(10, 1), 84.28940686250036},
        {5, 5, 5, 5, 0, 0},
        {0, 0, 0, -3, 3, 270},
        {10, 0, 0, 0, 10, 180},
        {0, 0, 1e-7, 5e-7, std::hypot(1e-7, 5e-7), 0},
    };
    for (const Case& c : cases) {
        CMeasure tool;
        tool.SetStartPoint(CVector2D(c.x0, c.y0));
        tool.SetEndPoint(CVector2D(c.x1, c.y1));
        EXPECT_NEAR(tool.GetLength(), c.length, 1e-12) << c.x1 << "," << c.y1;
        EXPECT_NEAR(tool.GetAngle(), c.angle, 1e-9) << c.x1 << "," << c.y1;
    }
}

TEST(MeasureTool, CheckedSettersIgnoreValuesOutsideTheirRange)
{
    CMeasure tool;
    tool.SetType(12065);
    tool.SetType(12067);
    EXPECT_EQ(tool.GetType(), 12050);
    tool.SetType(12059);
    EXPECT_EQ(tool.GetType(), 12059);
    tool.SetHatchStyleIndex(6);
    tool.SetLineWeight(0);
    tool.SetDimTextFlag(12229);
    tool.SetImageScaleStyle(12203);
    tool.SetDimensionStyle(12104);
    tool.SetPenLineStyle(9);
    EXPECT_EQ(tool.GetHatchStyleIndex(), 2);
    EXPECT_EQ(tool.GetLineWeight(), 1);
    EXPECT_EQ(tool.GetDimTextFlag(), 12231);
    EXPECT_EQ(tool.GetImageScaleStyle(), 12201);
    EXPECT_EQ(tool.GetDimensionStyle(), 12101);
    EXPECT_EQ(tool.GetPenLineStyle(), PS_SOLID);
    // Fill only for a kind that can fill.
    tool.SetIsFilled(true);
    EXPECT_FALSE(tool.GetIsFilled());
    CToolRectangle box;
    box.SetIsFilled(true);
    EXPECT_TRUE(box.GetIsFilled());
    // Decimals and spacings are held within what can be drawn.
    tool.SetNumDecimalPlaces(-1);
    EXPECT_EQ(tool.GetNumDecimalPlaces(), 0);
    tool.SetNumDecimalPlaces(400);
    EXPECT_EQ(tool.GetNumDecimalPlaces(), 10);
    tool.SetAxisSpacing(0.0, 1e300);
    double x = 0, y = 0;
    tool.GetAxisSpacing(x, y);
    EXPECT_EQ(x, 0.001);
    EXPECT_EQ(y, 1e12);
    tool.SetAxisSpacing(NAN, 2.0);
    tool.GetAxisSpacing(x, y);
    EXPECT_EQ(x, 0.001);
    EXPECT_EQ(y, 2.0);
    // An image behind the model is drawn in the background category.
    tool.SetImageBehindGeometry(true);
    EXPECT_EQ(tool.GetCategoryId(), 2131);
    tool.SetImageBehindGeometry(false);
    EXPECT_EQ(tool.GetCategoryId(), 2202);
}

TEST(MeasureTool, GripsAreTheNeighboursOfTheGrabbedVertex)
{
    // Vertices 100 pixels apart, so that a click grabs one of them.
    CToolPolyLine open;
    CToolPolyGon closed;
    for (CMeasure* tool : {static_cast<CMeasure*>(&open), static_cast<CMeasure*>(&closed)}) {
        tool->SetStartPoint(CVector2D(0, 50));
        tool->SetEndPoint(CVector2D(100, 50));
        tool->AddPoint(200, 50);
        tool->AddPoint(300, 50);
    }
    CViewContext vc;
    SetUnitView(vc);
    struct Case {
        CMeasure* tool;
        double grabX;   // the vertex grabbed
        int count;
        double first, second;   // x of grip points 0 and 1 (NAN: none)
    } cases[] = {
        {&open, 0, 1, 100, NAN},   {&open, 300, 1, 200, NAN},  {&open, 100, 2, 0, 200},
        {&closed, 0, 2, 300, 100}, {&closed, 300, 2, 200, 0},  {&closed, 200, 2, 100, 300},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.tool->PickGrip(&vc, Device(vc, c.grabX, 50)));
        EXPECT_EQ(c.tool->GetGripCount(), c.count) << c.grabX;
        EXPECT_EQ(c.tool->GetGripPoint(0).x, c.first) << c.grabX;
        if (std::isnan(c.second))
            EXPECT_EQ(c.tool->GetGripPoint(1).x, DBL_MAX);
        else
            EXPECT_EQ(c.tool->GetGripPoint(1).x, c.second);
    }
    // Ending the edit lets go of the vertex.
    open.SetEditing(true);
    open.SetEditing(false);
    EXPECT_EQ(open.GetGripCount(), 0);
}

TEST(MeasureTool, SeenOnlyInItsOwnView)
{
    CWnd first, second;
    CViewContext inFirst, inSecond, unowned;
    inFirst.SetOwnerView(&first);
    inSecond.SetOwnerView(&second);
    CToolArrow arrow;
    for (int query : {111, 112})
        EXPECT_TRUE(arrow.QueryOption(nullptr, &inSecond, query)) << "a tool of no view is seen everywhere";
    arrow.SetOwnerView(&first);
    for (int query : {111, 112}) {
        EXPECT_TRUE(arrow.QueryOption(nullptr, &inFirst, query));
        EXPECT_FALSE(arrow.QueryOption(nullptr, &inSecond, query));
        EXPECT_FALSE(arrow.QueryOption(nullptr, &unowned, query));
        EXPECT_FALSE(arrow.QueryOption(nullptr, nullptr, query));
    }
    EXPECT_FALSE(arrow.QueryOption(nullptr, &inFirst, 110));
    // Giving a tool its owner window binds it to that view.
    CToolLine line;
    line.SetOwner(&second);
    EXPECT_EQ(line.GetGroupId(), ToolGroupOf(&second));
}

TEST(MeasureTool, AWindowAtTheAddressOfAClosedOneIsAnotherOwner)
{
    // A window object made where a closed one lived, as the heap does.
    alignas(CWnd) unsigned char storage[sizeof(CWnd)];
    CWnd* closed = new (storage) CWnd;
    CToolArrow arrow;
    arrow.SetOwnerView(closed);
    const int group = arrow.GetGroupId();
    EXPECT_NE(group, 0);
    EXPECT_NE(group, ID_ANY_GROUP);
    closed->~CWnd();
    CWnd* later = new (storage) CWnd;
    CViewContext inLater;
    inLater.SetOwnerView(later);
    EXPECT_NE(ToolGroupOf(later), group);
    EXPECT_EQ(ToolGroupOf(later), ToolGroupOf(later));
    for (int query : {111, 112})
        EXPECT_FALSE(arrow.QueryOption(nullptr, &inLater, query));
    later->~CWnd();
}

TEST(MeasureTool, CopyStyleTakesGeometryStyleTextAndFont)
{
    CToolArrow source;
    source.SetStartPoint(CVector2D(3, 4));
    source.SetEndPoint(CVector2D(-1, 2));
    source.SetColour(0x123456);
    source.SetLineWeight(7);
    source.SetArrowAtTail(true);
    source.SetText("Crest\r\nline");
    source.SetDimTextFlag(12233);
    source.SetImageFileName("rock.bmp");
    source.SetFontFrom(18, FW_BOLD, true, "Times New Roman");
    CToolArrow copy;
    copy.CopyStyle(source);
    ExpectPoint(copy.GetStartPoint(), 3, 4);
    ExpectPoint(copy.GetEndPoint(), -1, 2);
    EXPECT_EQ(copy.GetColour(), 0x123456u);
    EXPECT_EQ(copy.GetLineWeight(), 7);
    EXPECT_TRUE(copy.GetArrowAtTail());
    EXPECT_STREQ(copy.GetText(), "Crest\r\nline");
    EXPECT_EQ(copy.GetDimTextFlag(), 12233);
    EXPECT_STREQ(copy.GetImageFileName(), "rock.bmp");
    int size = 0;
    LOGFONTA font{};
    copy.GetFont(size, font);
    EXPECT_EQ(size, 18);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Times New Roman");
}

TEST(MeasureTool, FontFaceLongerThanTheFontRecordIsCut)
{
    CToolArrow arrow;
    arrow.SetFontFrom(12, FW_NORMAL, false, CString('F', 80));
    int size = 0;
    LOGFONTA font{};
    arrow.GetFont(size, font);
    EXPECT_EQ(strlen(font.lfFaceName), size_t(LF_FACESIZE - 1));
}

TEST(ArrowTool, MeasureLabelAndDimensionText)
{
    struct Label {
        double x1, y1;
        const char* text;
        int escapement;
    } labels[] = {
        {10, 1, "L=10.050 Angle=5.7", 900},
        {1, 10, "L=10.050 Angle=84.3", 0},
        {-4, 0, "L=4.000 Angle=180.0", 900},
    };
    for (const Label& l : labels) {
        CToolMeasure measure;
        measure.SetStartPoint(CVector2D(0, 0));
        measure.SetEndPoint(CVector2D(l.x1, l.y1));
        EXPECT_STREQ(measure.GetLabelText(), l.text);
        EXPECT_EQ(measure.GetLabelEscapement(), l.escapement) << l.text;
    }
    struct Compose {
        int flag;
        const char* result;
    } composed[] = {
        {12230, "D = 3.000"}, {12231, "3.000"}, {12232, "3.000D = "}, {12233, "D = "}, {0, "3.000"},
    };
    for (const Compose& c : composed) {
        CToolArrow arrow;
        arrow.SetText("D = ");
        arrow.ApplyDimensionText(45, c.flag, 1, 0);
        CString measured = "3.000";
        arrow.ComposeDimensionText(measured);
        EXPECT_STREQ(measured, c.result) << c.flag;
        EXPECT_TRUE(arrow.GetIsDimensionUnits());
        EXPECT_FALSE(arrow.GetIsExteriorLine());
    }
}

TEST(LineTools, KindsAndCapabilities)
{
    struct Case {
        int type;
        const char* key;
        bool arrows, fill, ends, closed;
    } cases[] = {
        {12050, "Measure", true, false, true, false},   {12051, "Arrow", true, false, true, false},
        {12053, "Rectangle", false, true, true, false}, {12054, "Circle", false, true, true, false},
        {12055, "Line", true, false, true, false},      {12062, "PolyLine", false, false, false, false},
        {12063, "PolyGon", false, true, false, true},   {12064, "Pencil", false, false, false, false},
    };
    for (const Case& c : cases) {
        std::unique_ptr<CMeasure> tool(CreateToolOfType(c.type));
        ASSERT_NE(tool, nullptr) << c.type;
        EXPECT_EQ(tool->GetType(), c.type);
        EXPECT_STREQ(tool->GetKeyName(), c.key);
        EXPECT_EQ(tool->GetCanArrow(), c.arrows) << c.key;
        EXPECT_EQ(tool->GetCanFill(), c.fill) << c.key;
        EXPECT_EQ(tool->GetStartEditable(), c.ends) << c.key;
        EXPECT_EQ(tool->IsClosed(), c.closed) << c.key;
    }
    EXPECT_EQ(CreateToolOfType(12065), nullptr);
    std::unique_ptr<CMeasure> arrow(CreateToolOfType(12051));
    EXPECT_TRUE(arrow->GetArrowAtHead());
    EXPECT_FALSE(arrow->GetArrowAtTail());
}

TEST(LineTools, InfoTextsOfPolylineAndPolygon)
{
    CToolPolyLine line;
    line.SetStartPoint(CVector2D(0, 0));
    line.SetEndPoint(CVector2D(3, 0));
    line.AddPoint(3, 4);
    line.SetDocumentOption(true);
    EXPECT_STREQ(line.GetInfoText(), "Length of Polyline\n7.000 m");
    line.SetDocumentOption(false);
    EXPECT_STREQ(line.GetInfoText(), "Length of Polyline\n7.000 ft");

    CToolPolyGon polygon;
    polygon.SetDocumentOption(true);
    EXPECT_STREQ(polygon.GetInfoText(), "") << "two corners have no area";
    polygon.SetStartPoint(CVector2D(0, 0));
    polygon.SetEndPoint(CVector2D(3, 0));
    polygon.AddPoint(3, 4);
    EXPECT_STREQ(polygon.GetInfoText(), "Area of Polygon\n6.000 m2");
    // The closing segment counts in a closed outline's length.
    EXPECT_DOUBLE_EQ(polygon.CPolyLine::GetLength(true), 12.0);
    polygon.AddPoint(0, 0);   // a last corner on the first is dropped
    polygon.SetDocumentOption(false);
    EXPECT_STREQ(polygon.GetInfoText(), "Area of Polygon\n6.000 ft2");
}

TEST(LineTools, PolygonIsGrabbedInsideOnlyWhenItHasAnInterior)
{
    CViewContext vc;
    SetUnitView(vc);
    CToolPolyGon polygon;
    polygon.SetStartPoint(CVector2D(100, 100));
    polygon.SetEndPoint(CVector2D(200, 100));
    polygon.AddPoint(200, 200);
    polygon.AddPoint(100, 200);
    const POINT centre = Device(vc, 150, 150), edge = Device(vc, 150, 100);
    EXPECT_EQ(polygon.GetCursorAt(&vc, centre), 32512);
    EXPECT_FALSE(polygon.PickGrip(&vc, centre));
    EXPECT_TRUE(polygon.PickGrip(&vc, edge));
    polygon.SetIsHatchedInterior(true);
    EXPECT_EQ(polygon.GetCursorAt(&vc, centre), 32646);
    EXPECT_TRUE(polygon.PickGrip(&vc, centre));
    EXPECT_EQ(polygon.GetGripIndex(), CPolyLine::kWholeEntityGrip);
    CPickRequest request;
    request.x = centre.x;
    request.y = centre.y;
    EXPECT_TRUE(polygon.QueryOption(&request, &vc, 110));
    request.x = 10;
    EXPECT_FALSE(polygon.QueryOption(&request, &vc, 110));
}

TEST(LineTools, ReadVerticesFollowTheTwoControlPoints)
{
    CToolPolyLine line;
    CVectorArray extra;
    extra.Add(CVector2D(5, 6));
    extra.Add(CVector2D(7, 8));
    line.ApplyDimensionVertices(extra, true, true, 12102);
    ASSERT_EQ(line.GetVertexCount(), 4);
    ExpectPoint(line.GetVertexPoint(0), 1, 1);
    ExpectPoint(line.GetVertexPoint(3), 7, 8);
}

TEST(RectangleTool, CornersHandlesAndTheShiftSquare)
{
    CToolRectangle box;
    box.SetStartPoint(CVector2D(10, 20));
    box.SetEndPoint(CVector2D(40, 30));
    ASSERT_EQ(box.GetVertexCount(), 4);
    ExpectPoint(box.GetVertexPoint(1), 10, 30);
    ExpectPoint(box.GetVertexPoint(3), 40, 20);
    const double handles[8][2] = {{10, 20}, {25, 20}, {40, 20}, {40, 25}, {40, 30}, {25, 30}, {10, 30}, {10, 25}};
    for (int i = 0; i < 8; ++i)
        ExpectPoint(box.GetHandle(i), handles[i][0], handles[i][1]);
    // Shift makes a square on the larger side, towards the end point.
    struct Case {
        double x, y, cx, cy;
    } squares[] = {{40, 30, 40, 50}, {0, 0, -10, 0}, {10, 20, 10, 20}, {15, -40, 70, -40}};
    box.SetShiftConstrain(true);
    for (const Case& c : squares) {
        box.SetEndPoint(CVector2D(c.x, c.y));
        ExpectPoint(box.GetConstrainedCorner(), c.cx, c.cy);
    }
    box.SetEndPoint(CVector2D(40, 30));
    box.SetIsCircle(true);
    box.OnPlaced();
    ExpectPoint(box.GetEndPoint(), 40, 50);
    EXPECT_FALSE(box.GetShiftConstrain());
    EXPECT_FALSE(box.GetIsCircle());
}

TEST(RectangleTool, HandleCursorsDragsAndFlips)
{
    CViewContext vc;
    SetUnitView(vc);
    CToolRectangle box;
    box.SetStartPoint(CVector2D(100, 100));
    box.SetEndPoint(CVector2D(200, 160));
    struct Cursor {
        double x, y;
        int cursor;
    } cursors[] = {
        {100, 100, 32643}, {200, 160, 32643}, {200, 100, 32642}, {100, 160, 32642}, {150, 100, 32645},
        {150, 160, 32645}, {200, 130, 32644},  {100, 130, 32644}, {130, 100, 32646}, {150, 130, 32512},
    };
    for (const Cursor& c : cursors)
        EXPECT_EQ(box.GetCursorAt(&vc, Device(vc, c.x, c.y)), c.cursor) << c.x << "," << c.y;
    box.SetIsFilled(true);
    EXPECT_EQ(box.GetCursorAt(&vc, Device(vc, 150, 130)), 32646);

    struct Drag {
        double fromX, fromY, toX, toY;
        int handle;
        double ax, ay, cx, cy;
    } drags[] = {
        {100, 100, 90, 95, 0, 90, 95, 200, 160},   {150, 160, 10, 170, 5, 100, 100, 200, 170},
        {200, 130, 220, 0, 3, 100, 100, 220, 160}, {200, 100, 210, 90, 2, 100, 90, 210, 160},
        {100, 160, 90, 170, 6, 90, 100, 200, 170}, {150, 130, 160, 135, -1, 110, 105, 210, 165},
    };
    for (const Drag& d : drags) {
        box.SetStartPoint(CVector2D(100, 100));
        box.SetEndPoint(CVector2D(200, 160));
        box.SetReferencePoint(d.fromX, d.fromY);
        box.SaveVertices();
        ASSERT_TRUE(box.PickGrip(&vc, Device(vc, d.fromX, d.fromY)));
        EXPECT_EQ(box.GetActiveHandle(), d.handle);
        box.DragGrip(d.toX, d.toY);
        ExpectPoint(box.GetStartPoint(), d.ax, d.ay);
        ExpectPoint(box.GetEndPoint(), d.cx, d.cy);
    }
    // Dragging the anchor across the far corner flips the box: the corner cursors swap.
    box.SetStartPoint(CVector2D(100, 100));
    box.SetEndPoint(CVector2D(200, 160));
    ASSERT_TRUE(box.PickGrip(&vc, Device(vc, 100, 100)));
    box.DragGrip(250, 100);
    EXPECT_EQ(box.GetCursorAt(&vc, Device(vc, 250, 100)), 32642);
    // Nothing near: no grip.
    EXPECT_FALSE(box.PickGrip(&vc, Device(vc, 380, 380)));
    // A box of no size has every handle on one point: the whole tool moves.
    CToolRectangle dot;
    dot.SetStartPoint(CVector2D(50, 50));
    dot.SetEndPoint(CVector2D(50, 50));
    ASSERT_TRUE(dot.PickGrip(&vc, Device(vc, 50, 50)));
    EXPECT_EQ(dot.GetActiveHandle(), -1);
    EXPECT_EQ(dot.GetCursorAt(&vc, Device(vc, 50, 50)), 32646);
    dot.SetEditing(true);
    dot.SetEditing(false);
    EXPECT_EQ(dot.GetActiveHandle(), -1);
}

TEST(RectangleTool, InsideAndCrossingTests)
{
    CToolRectangle box;
    box.SetStartPoint(CVector2D(0, 0));
    box.SetEndPoint(CVector2D(10, 10));
    EXPECT_FALSE(box.ContainsPoint(5, 5, true)) << "an outline has no inside";
    box.SetIsHatchedInterior(true);
    EXPECT_TRUE(box.ContainsPoint(5, 5, true));
    EXPECT_TRUE(box.ContainsPoint(10, 0, true));
    EXPECT_FALSE(box.ContainsPoint(10.01, 5, true));
    // (top, left, bottom, right)
    EXPECT_TRUE(box.CrossesRect(1, 9, -1, 11, nullptr, nullptr));
    EXPECT_FALSE(box.CrossesRect(6, 4, 4, 6, nullptr, nullptr)) << "a region inside the box";
    EXPECT_TRUE(box.CrossesRect(20, -5, -5, 20, nullptr, nullptr)) << "a region around the box";
    EXPECT_FALSE(box.CrossesRect(30, 20, 25, 30, nullptr, nullptr));
}

TEST(CircleTool, InsideAndCrossingTests)
{
    CToolCircle circle;
    circle.SetStartPoint(CVector2D(0, 0));
    circle.SetEndPoint(CVector2D(20, 10));   // semi-axes 10 and 5 about (10, 5)
    EXPECT_FALSE(circle.ContainsPoint(10, 5, true));
    circle.SetIsFilled(true);
    EXPECT_TRUE(circle.ContainsPoint(10, 5, true));
    EXPECT_TRUE(circle.ContainsPoint(20, 5, true));
    EXPECT_FALSE(circle.ContainsPoint(19, 9, true));
    struct Case {
        double top, left, bottom, right;
        bool crosses;
        const char* what;
    } cases[] = {
        {6, 9, 4, 11, false, "region inside the ellipse"},
        {6, 18, 4, 22, true, "region over the right edge"},
        {20, -5, -5, 25, true, "region around the whole box"},
        {11, -5, 9.9, 25, true, "region over the top, no corner inside"},
        {10, 19, 9, 21, false, "region at the box's corner, off the ellipse"},
        {40, 30, 30, 40, false, "region far away"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(circle.CrossesRect(c.top, c.left, c.bottom, c.right, nullptr, nullptr), c.crosses) << c.what;
    circle.SetEditing(true);
    EXPECT_TRUE(circle.CrossesRect(10, 19, 9, 21, nullptr, nullptr)) << "a corner handle while editing";
    // An ellipse of no height has no inside.
    CToolCircle flat;
    flat.SetIsFilled(true);
    flat.SetStartPoint(CVector2D(0, 0));
    flat.SetEndPoint(CVector2D(10, 0));
    EXPECT_FALSE(flat.ContainsPoint(5, 0, true));
}

TEST(CircleTool, AStoredCircleKeepsItsSquareWhenEditingChanges)
{
    CToolCircle circle;
    circle.SetStartPoint(CVector2D(0, 0));
    circle.SetEndPoint(CVector2D(4, 10));
    circle.SetIsCircle(true);
    circle.SetShiftConstrain(true);
    circle.SetEditing(true);
    ExpectPoint(circle.GetEndPoint(), 10, 10);
}
