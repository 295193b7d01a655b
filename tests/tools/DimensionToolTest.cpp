// The length and angle dimensions: handle placement, the dimension line's
// ends, the gap left for the label, the labels' numbers, the arc of the
// angle and its value, and what is drawn in the degenerate cases.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <memory>
#include "DrawingCanvas.h"
#include "tools/ToolDimAngle.h"
#include "tools/ToolDimLength.h"
#include "tools/ToolFactory.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

void ExpectNear(const CVector2D& p, double x, double y, const char* what)
{
    EXPECT_NEAR(p.x, x, 1e-9) << what;
    EXPECT_NEAR(p.y, y, 1e-9) << what;
}

// A length dimension from v0 to v1 with its handle at h.
std::unique_ptr<CToolDimLength> MakeLength(CVector2D v0, CVector2D v1, CVector2D h, int style)
{
    auto tool = std::make_unique<CToolDimLength>();
    tool->SetStartPoint(v0);
    tool->SetEndPoint(v1);
    CVectorArray extra;
    extra.Add(v1);
    extra.Add(h);
    extra.Add(v0);
    tool->ApplyDimensionVertices(extra, true, true, style);
    return tool;
}

std::unique_ptr<CToolDimAngle> MakeAngle(CVector2D v0, CVector2D apex, CVector2D v2)
{
    auto tool = std::make_unique<CToolDimAngle>();
    tool->SetStartPoint(v0);
    tool->SetEndPoint(apex);
    CVectorArray extra;
    extra.Add(v2);
    tool->ApplyDimensionVertices(extra, false, true, 0);
    return tool;
}

} // namespace

TEST(DimLength, HandlePlacementAndSignedOffset)
{
    struct Case
    {
        const char* name;
        int style;
        CVector2D v0, v1, pick;
        double hx, hy, offset;
    } cases[] = {
        {"aligned left of 0->1", 12101, {0, 0}, {4, 0}, {1, 3}, 2, 3, 3},
        {"aligned right of 0->1", 12101, {0, 0}, {4, 0}, {9, -2}, 2, -2, -2},
        {"aligned diagonal", 12101, {0, 0}, {2, 2}, {0, 2}, 0, 2, std::sqrt(2.0)},
        {"horizontal", 12102, {0, 1}, {6, 4}, {-5, 7}, 3, 7, 6},
        {"vertical", 12103, {2, 0}, {5, 8}, {-1, 30}, -1, 4, -3},
    };
    for (const Case& c : cases) {
        auto tool = MakeLength(c.v0, c.v1, CVector2D(0, 0), c.style);
        tool->SetThirdPoint(c.pick);
        ExpectNear(tool->GetVertexPoint(3), c.hx, c.hy, c.name);
        EXPECT_NEAR(tool->GetSignedOffset(), c.offset, 1e-9) << c.name;
    }
}

TEST(DimLength, HandleLeftAloneWhenItCannotBePlaced)
{
    // Unknown style, and measured points that coincide.
    auto odd = MakeLength({0, 0}, {4, 0}, {2, 5}, 12199);
    odd->SetThirdPoint(CVector2D(1, 1));
    ExpectNear(odd->GetVertexPoint(3), 2, 5, "unknown style");
    EXPECT_EQ(odd->GetSignedOffset(), 0);
    auto flat = MakeLength({3, 3}, {3, 3}, {2, 5}, 12101);
    flat->SetThirdPoint(CVector2D(1, 1));
    ExpectNear(flat->GetVertexPoint(3), 2, 5, "coincident");
    EXPECT_EQ(flat->GetSignedOffset(), 0);
}

TEST(DimLength, MovingAnEndKeepsTheOffsetAndItsSide)
{
    auto tool = MakeLength({0, 0}, {80, 0}, {0, 0}, 12101);
    tool->SetThirdPoint(CVector2D(40, -60));   // right of 0->1, 60 away
    tool->SetEditing(true);
    CViewContext vc;
    tooltest::SetUnitView(vc, 400);
    ASSERT_TRUE(tool->PickGrip(&vc, vc.WorldToDevice(80, 0)));
    EXPECT_EQ(tool->GetGripIndex(), 1);
    tool->DragGrip(0, 80);   // the line now runs up the y axis
    EXPECT_NEAR(tool->GetSignedOffset(), -60, 1e-9);
    ExpectNear(tool->GetVertexPoint(3), 60, 40, "handle kept to the right");
    // The rubber band of a dragged end ties it to the other measured point.
    EXPECT_EQ(tool->GetGripCount(), 1);
    ExpectNear(tool->GetGripPoint(0), 0, 0, "other end");

    auto horizontal = MakeLength({0, 0}, {80, 0}, {40, 100}, 12102);
    horizontal->SetEditing(true);
    ASSERT_TRUE(horizontal->PickGrip(&vc, vc.WorldToDevice(0, 0)));
    horizontal->DragGrip(-80, 20);
    ExpectNear(horizontal->GetVertexPoint(3), 0, 100, "horizontal handle");
}

TEST(DimLength, DimensionLineEndsByStyle)
{
    struct Case
    {
        const char* name;
        int style;
        CVector2D v0, v1, handle;
        double value;
        CVector2D B, A, n;
    } cases[] = {
        {"aligned", 12101, {0, 0}, {4, 0}, {2, 3}, 4, {0, 3}, {4, 3}, {0, 1}},
        {"aligned other side", 12101, {0, 0}, {4, 0}, {2, -3}, 4, {0, -3}, {4, -3}, {0, 1}},
        {"horizontal", 12102, {0, 1}, {6, 4}, {3, 7}, 6, {0, 7}, {6, 7}, {0, 1}},
        {"horizontal below", 12102, {0, 1}, {6, 4}, {3, -1}, 6, {0, -1}, {6, -1}, {0, 1}},
        {"horizontal, handle at vertex 0", 12102, {0, 1}, {6, 4}, {3, 1}, 6, {0, 1}, {6, 1}, {0, 0}},
        {"vertical", 12103, {2, 0}, {5, 8}, {-1, 4}, 8, {-1, 0}, {-1, 8}, {1, 0}},
        {"unknown style", 12150, {2, 0}, {5, 8}, {-1, 4}, 0, {2, 0}, {5, 8}, {0, 0}},
    };
    for (const Case& c : cases) {
        auto tool = MakeLength(c.v0, c.v1, c.handle, c.style);
        CToolDimLength::Layout lay;
        ASSERT_TRUE(tool->ComputeLayout(lay)) << c.name;
        EXPECT_NEAR(lay.value, c.value, 1e-12) << c.name;
        ExpectNear(lay.B, c.B.x, c.B.y, c.name);
        ExpectNear(lay.A, c.A.x, c.A.y, c.name);
        ExpectNear(lay.n, c.n.x, c.n.y, c.name);
    }
    CToolDimLength bare;
    CToolDimLength::Layout lay;
    EXPECT_FALSE(bare.ComputeLayout(lay));
}

TEST(DimLength, LabelGapAndArrowsOutside)
{
    struct Case
    {
        const char* name;
        int style;
        CVector2D B, A;
        double hw, hh;
        CVector2D P, Q;
        bool fits;
    } cases[] = {
        {"horizontal, label too wide", 12102, {0, 0}, {1, 0}, 0.3, 0.15, {0.2, 0}, {0.8, 0}, false},
        {"horizontal, label fits", 12102, {0, 0}, {1, 0}, 0.1, 0.15, {0.4, 0}, {0.6, 0}, true},
        {"horizontal, reversed", 12102, {1, 0}, {0, 0}, 0.1, 0.15, {0.6, 0}, {0.4, 0}, true},
        {"vertical", 12103, {0, 0}, {0, 2}, 0.5, 0.25, {0, 0.75}, {0, 1.25}, true},
        {"aligned, crossing the box sides", 12101, {0, 0}, {4, 0}, 1, 0.5, {1, 0}, {3, 0}, true},
        {"aligned diagonal, through the corners", 12101, {0, 0}, {4, 4}, 1, 1, {1, 1}, {3, 3}, false},
        {"aligned, box holds the whole line", 12101, {0, 0}, {1, 0}, 2, 0.4, {1, 0}, {0, 0}, true},
        {"aligned, box holds a short line", 12101, {0, 0}, {1, 0}, 2, 0.6, {1, 0}, {0, 0}, false},
    };
    for (const Case& c : cases) {
        const CDimensionGap gap = DimensionLabelGap(c.style, c.B, c.A, c.hw, c.hh);
        ExpectNear(gap.P, c.P.x, c.P.y, c.name);
        ExpectNear(gap.Q, c.Q.x, c.Q.y, c.name);
        EXPECT_EQ(gap.fits, c.fits) << c.name;
    }
}

TEST(DimLength, LabelNumbersUnitsAndDecimals)
{
    auto tool = MakeLength({0, 0}, {12, 0}, {6, 2}, 12101);
    EXPECT_EQ(tool->GetNumDecimalPlaces(), 3);
    EXPECT_STREQ(tool->GetLabelText(12, true), "12.000");
    tool->SetIsDimensionUnits(true);
    tool->ApplyDimensionFormat(0, false, 0, true);
    EXPECT_STREQ(tool->GetLabelText(12, true), "12 m");
    EXPECT_STREQ(tool->GetLabelText(12, false), "12 ft");
    tool->SetText("L = ");
    tool->SetDimTextFlag(12230);
    EXPECT_STREQ(tool->GetLabelText(12, true), "L = 12 m");
    // Places read from a file are held within 0 to 10 before a format is made.
    tool->SetDimTextFlag(12231);
    tool->SetIsDimensionUnits(false);
    tool->ApplyDimensionFormat(0, false, -4, true);
    EXPECT_EQ(tool->GetNumDecimalPlaces(), 0);
    EXPECT_STREQ(tool->GetLabelText(2.4, true), "2");
    tool->ApplyDimensionFormat(0, false, 2000000000, true);
    EXPECT_EQ(tool->GetNumDecimalPlaces(), 10);
    EXPECT_STREQ(tool->GetLabelText(0.5, true), "0.5000000000");
    EXPECT_STREQ(DecimalFormat(-1), "%.0f");
    EXPECT_STREQ(DecimalFormat(11), "%.10f");
}

TEST(DimLength, DegenerateToolsDraw)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 100);
    // Two points only: the bare segment between them.
    {
        tooltest::Canvas canvas(100, 100);
        CToolDimLength tool;
        tool.SetColour(0x0000FF);
        tool.SetStartPoint(CVector2D(10, 50));
        tool.SetEndPoint(CVector2D(90, 50));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* old = canvas.DC()->SelectObject(&pen);
        tool.Draw(canvas.DC(), &vc);
        canvas.DC()->SelectObject(old);
        EXPECT_GE(canvas.Count(0x000000), 79);
    }
    // Coincident points: nothing at all.
    {
        tooltest::Canvas canvas(100, 100);
        auto tool = MakeLength({50, 50}, {50, 50}, {50, 60}, 12101);
        tool->Draw(canvas.DC(), &vc);
        EXPECT_EQ(canvas.Count(0xFFFFFF), 100 * 100);
    }
    // A full dimension draws its line in the tool's colour and fills vertices 2 and 4.
    {
        tooltest::Canvas canvas(100, 100);
        auto tool = MakeLength({10, 20}, {90, 20}, {50, 60}, 12101);
        tool->SetColour(0x0000FF);
        tool->SetText("");
        tool->SetDimTextFlag(12233);   // own text alone, which is empty: no label
        tool->Draw(canvas.DC(), &vc);
        ExpectNear(tool->GetVertexPoint(4), 10, 60, "vertex 4");
        ExpectNear(tool->GetVertexPoint(2), 90, 60, "vertex 2");
        EXPECT_EQ(canvas.Pixel(50, 40), 0x0000FFu);   // the dimension line at world y 60
        EXPECT_EQ(canvas.Pixel(50, 80), 0x0000FFu);   // the measured segment at world y 20
    }
}

TEST(DimAngle, ArcPointsTakeTheShortWay)
{
    struct Case
    {
        const char* name;
        double a1, a2;
        double first, last;   // angles of the first and last arc points
    } cases[] = {
        {"quarter, counter-clockwise", 0, kPi / 2, 0, kPi / 2},
        {"half exactly", 0, kPi, 0, kPi},
        {"three quarters: the other way", 0, 1.5 * kPi, 1.5 * kPi, 2 * kPi},
        {"reversed", kPi / 2, 0, 0, kPi / 2},
    };
    CToolDimAngle tool;
    for (const Case& c : cases) {
        tool.BuildArcPoints(c.a1, c.a2, 2, CVector2D(1, 1));
        const CVectorArray& arc = tool.GetArcPoints();
        ASSERT_EQ(arc.GetSize(), 51) << c.name;
        ExpectNear(arc[0], 1 + 2 * std::cos(c.first), 1 + 2 * std::sin(c.first), c.name);
        ExpectNear(arc[50], 1 + 2 * std::cos(c.last), 1 + 2 * std::sin(c.last), c.name);
        for (int i = 0; i < 51; ++i)
            EXPECT_NEAR(arc[i].DistanceTo(CVector2D(1, 1)), 2, 1e-12);
    }
    tool.BuildArcPoints(1, 1, 2, CVector2D(0, 0));
    EXPECT_EQ(tool.GetArcPoints().GetSize(), 0);
    EXPECT_FALSE(tool.ArcCrossesRect(10, -10, -10, 10));
}

TEST(DimAngle, ArcEndsLabelPointAndValue)
{
    struct Case
    {
        const char* name;
        CVector2D v0, apex, v2;
        bool caseA;
        double middleDegrees, value;
        const char* label;
    } cases[] = {
        {"first quadrant", {4, 0}, {0, 0}, {0, 4}, true, 45, 90, "90\xB0"},
        {"arms at 0 and 270", {4, 0}, {0, 0}, {0, -4}, false, 315, 90, "90\xB0"},
        {"sixty degrees", {2, 0}, {0, 0}, {1, std::sqrt(3.0)}, true, 30, 60, "60\xB0"},
        {"arms either side of the vertical", {-2, 2}, {0, 0}, {2, 2}, false, 90, 90, "90\xB0"},
    };
    for (const Case& c : cases) {
        auto tool = MakeAngle(c.v0, c.apex, c.v2);
        CToolDimAngle::ArcLayout arc;
        ASSERT_TRUE(tool->ComputeArc(arc)) << c.name;
        EXPECT_EQ(arc.caseA, c.caseA) << c.name;
        double m = arc.m * 180 / kPi;
        m = std::fmod(m + 720, 360);
        EXPECT_NEAR(m, c.middleDegrees, 1e-9) << c.name;
        const double r = 0.75 * std::min(c.v0.DistanceTo(c.apex), c.v2.DistanceTo(c.apex));
        EXPECT_NEAR(arc.r, r, 1e-12) << c.name;
        EXPECT_NEAR(arc.P1.DistanceTo(c.apex), r, 1e-12) << c.name;
        EXPECT_NEAR(arc.L.DistanceTo(c.apex), r, 1e-12) << c.name;
        EXPECT_NEAR(tool->GetAngleValue(), c.value, 1e-9) << c.name;
        EXPECT_STREQ(tool->GetLabelText(), c.label) << c.name;
    }
}

TEST(DimAngle, ArmsThatGiveNoArc)
{
    // Not placed, second arm on the apex, arms in the same direction.
    CToolDimAngle unplaced;
    unplaced.SetStartPoint(CVector2D(1, 0));
    unplaced.SetEndPoint(CVector2D(0, 0));
    CToolDimAngle::ArcLayout arc;
    EXPECT_FALSE(unplaced.IsSecondArmPlaced());
    EXPECT_FALSE(unplaced.ComputeArc(arc));
    EXPECT_EQ(unplaced.GetAngleValue(), 0);
    auto onApex = MakeAngle({4, 0}, {0, 0}, {0, 0});
    EXPECT_FALSE(onApex->ComputeArc(arc));
    EXPECT_EQ(onApex->GetAngleValue(), 0);

    CViewContext vc;
    tooltest::SetUnitView(vc, 100);
    auto same = MakeAngle({50, 10}, {10, 10}, {90, 10});
    tooltest::Canvas canvas(100, 100);
    same->Draw(canvas.DC(), &vc);
    EXPECT_EQ(same->GetArcPoints().GetSize(), 0);
    EXPECT_NEAR(same->GetAngleValue(), 0, 1e-9);
}

TEST(DimAngle, DrawsArmsArcAndPicksOnTheArc)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 200);
    auto tool = MakeAngle({180, 20}, {20, 20}, {20, 180});
    tool->SetColour(0x0000FF);
    tool->SetDimTextFlag(12233);   // no label: the arc is drawn whole
    tooltest::Canvas canvas(200, 200);
    tool->Draw(canvas.DC(), &vc);
    ASSERT_EQ(tool->GetArcPoints().GetSize(), 51);
    // r = 120: the arc's middle at 45 degrees.
    const CVector2D mid(20 + 120 * std::cos(kPi / 4), 20 + 120 * std::sin(kPi / 4));
    const CPoint d = vc.WorldToDevice(mid);
    int hits = 0;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            hits += canvas.Pixel(d.x + dx, d.y + dy) == 0x0000FFu ? 1 : 0;
    EXPECT_GT(hits, 0);
    EXPECT_TRUE(tool->PickGrip(&vc, d));
    EXPECT_EQ(tool->GetGripIndex(), CPolyLine::kWholeEntityGrip);
    EXPECT_EQ(tool->GetCursorAt(&vc, d), 32646);
    EXPECT_FALSE(tool->PickGrip(&vc, vc.WorldToDevice(60, 60)));
}

TEST(DimensionTools, FactoryMakesThemWithTheirDefaults)
{
    std::unique_ptr<CMeasure> length(CreateToolOfType(12060));
    ASSERT_NE(length, nullptr);
    EXPECT_STREQ(length->GetKeyName(), "DimLength");
    EXPECT_TRUE(length->IsClosed());
    EXPECT_TRUE(length->GetArrowAtHead() && length->GetArrowAtTail());
    EXPECT_EQ(length->GetFillColor(), 0xFFFFFFu);
    std::unique_ptr<CMeasure> angle(CreateToolOfType(12061));
    ASSERT_NE(angle, nullptr);
    EXPECT_STREQ(angle->GetKeyName(), "DimAngle");
    EXPECT_EQ(angle->GetNumDecimalPlaces(), 0);
    EXPECT_TRUE(angle->GetIsDimensionUnits());
    EXPECT_FALSE(angle->GetArrowAtHead() || angle->GetArrowAtTail());
}
