#include <gtest/gtest.h>

#include "geometry/PolyLine.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"
#include "view/SlopeViewRules.h"

namespace {

// 10 pixels per world unit on a 400 x 300 window; world y = 30 at the top.
void SetScaledView(CViewContext& vc)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(400, 300);
    vc.SetWorldOrigin(0, 30);
    vc.SetWorldExtent(40, 30);
}

CPolyLine* AddLine(CREGDatabase& db, int kind, std::initializer_list<CVector2D> points)
{
    auto* line = new CPolyLine;
    for (const CVector2D& p : points)
        line->AddVertex(CPolyVertex(p.x, p.y));
    line->SetKindId(kind);
    db.AddEntity(line, false);
    return line;
}

}  // namespace

TEST(SlopeViewRules, CursorsByMode)
{
    struct Case { int mode, snap, vertices, cursor; } cases[] = {
        {2108, SNAP_NONE, 0, CURSOR_NONE},       // idle: the class cursor
        {43, SNAP_NONE, 0, CURSOR_NONE},
        {42, SNAP_NONE, 0, CURSOR_ZOOM},
        {44, SNAP_NONE, 0, CURSOR_PAN},
        {2114, SNAP_GRID, 0, CURSOR_PICK},
        {2115, SNAP_GRID, 0, CURSOR_POINT},
        {2107, SNAP_GRID, 0, CURSOR_CROSS},
        {2127, SNAP_NONE, 0, CURSOR_POINT},      // snap cursor without snap
        {2127, SNAP_GRID, 0, CURSOR_SNAP},
        {2126, SNAP_GRID, 1, CURSOR_CROSS},      // defining a slope: cross until two vertices
        {2126, SNAP_GRID, 2, CURSOR_SNAP},
        {2126, SNAP_NONE, 2, CURSOR_POINT},
        {2116, SNAP_GRID, 0, CURSOR_NONE},       // requests are no modes
        {2117, SNAP_GRID, 0, CURSOR_NONE},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SlopeModeCursor(c.mode, c.snap, c.vertices), c.cursor) << c.mode;
}

TEST(SlopeViewRules, HandlersAndSelectors)
{
    EXPECT_EQ(FindSlopeMode(2116), nullptr);
    EXPECT_EQ(FindSlopeMode(2117), nullptr);
    const SlopeModeInfo* deleteCollectors = FindSlopeMode(2110);
    ASSERT_NE(deleteCollectors, nullptr);
    EXPECT_EQ(deleteCollectors->handler, HANDLER_SELECT_OBJECTS);
    EXPECT_TRUE(deleteCollectors->needsDC);
    EXPECT_EQ(deleteCollectors->kind, 2101);
    EXPECT_EQ(deleteCollectors->group, 2162);
    EXPECT_EQ(FindSlopeMode(2148)->group, ID_ANY_GROUP);
    EXPECT_EQ(FindSlopeMode(2160)->group, 2161);
    EXPECT_FALSE(FindSlopeMode(2126)->needsDC);
    EXPECT_EQ(FindSlopeMode(2108)->submenu, 3);
}

TEST(SlopeViewRules, BandReleaseIsWindowOrClick)
{
    // A band that never started (empty) is a click everywhere; 6 pixels apart
    // is a click in the object-selection modes only; 7 a window everywhere.
    const RECT empty{50, 50, 50, 50}, six{50, 50, 56, 53}, seven{50, 50, 57, 50};
    for (int mode : {2114, 2111, 2172}) {
        EXPECT_FALSE(IsWindowSelection(mode, empty)) << mode;
        EXPECT_TRUE(IsWindowSelection(mode, six)) << mode;
        EXPECT_TRUE(IsWindowSelection(mode, seven)) << mode;
    }
    for (int mode : {2110, 2129, 2148, 2160, 3218, 2506}) {
        EXPECT_FALSE(IsWindowSelection(mode, empty)) << mode;
        EXPECT_FALSE(IsWindowSelection(mode, six)) << mode;
        EXPECT_TRUE(IsWindowSelection(mode, seven)) << mode;
    }
    const RECT none{INT_MAX, INT_MAX, INT_MAX, INT_MAX};
    EXPECT_FALSE(IsWindowSelection(2114, none));
}

TEST(SlopeViewRules, SnapByModeAndDistance)
{
    CREGDatabase db;
    CViewContext vc;
    SetScaledView(vc);
    AddLine(db, 2103, {{10, 10}, {20, 5}});   // slope vertex (10, 10) is device (100, 200)

    // Idle: the plain world point, whatever the snap mode.
    db.SetSnapMode(SNAP_VERTEX);
    EXPECT_EQ(SnapViewPoint(db, vc, 2108, 105, 205, true), vc.DeviceToWorld(105, 205));
    // No snap: rounded down to thousandths (device 103 is world 10.3).
    db.SetSnapMode(SNAP_NONE);
    CVector2D p = SnapViewPoint(db, vc, 2107, 103, 197, false);
    EXPECT_DOUBLE_EQ(p.x, std::floor(10.3 * 1000) / 1000);
    // Vertex snap: within 11 pixels on both axes the vertex; 12 pixels away not.
    db.SetSnapMode(SNAP_VERTEX);
    EXPECT_EQ(SnapViewPoint(db, vc, 2107, 111, 189, true), CVector2D(10, 10));
    CVector2D distant = SnapViewPoint(db, vc, 2107, 88, 200, true);
    EXPECT_NE(distant, CVector2D(10, 10));
    EXPECT_DOUBLE_EQ(distant.x, 8.8);
}

TEST(SlopeViewRules, SeederSnapPrefersObjectsOverEquallyNearSlope)
{
    CREGDatabase db;
    CViewContext vc;
    SetScaledView(vc);
    db.SetSnapMode(SNAP_VERTEX);
    AddLine(db, 2103, {{10, 10}, {30, 0}});
    AddLine(db, 2101, {{12, 10}, {12, 20}});   // a barrier end 2 units right of the vertex
    // Device (110, 200) is world (11, 10): both ends are 1 unit away; the barrier wins.
    EXPECT_EQ(SnapViewPoint(db, vc, 2146, 110, 200, true), CVector2D(12, 10));
    // Strictly nearer to the slope: the slope's vertex.
    EXPECT_EQ(SnapViewPoint(db, vc, 2146, 105, 200, true), CVector2D(10, 10));
    // Other modes look at the slope only.
    EXPECT_EQ(SnapViewPoint(db, vc, 2107, 110, 200, true), CVector2D(10, 10));
    // Slope definition and the vertex move target snap to barriers and collectors.
    EXPECT_EQ(SnapViewPoint(db, vc, 2126, 110, 200, true), CVector2D(12, 10));
}

TEST(SlopeViewRules, InternalErrorText)
{
    EXPECT_STREQ(FormatInternalError("CTalusimView", "process_MOVE_ANGLE_VERTEX"),
                 "Internal Error in function\nCTalusimView process_MOVE_ANGLE_VERTEX\nplease contact technical support");
}
