// The text box and its template of placeholders, the contour label's view
// membership, the water level marker, and the axes tool's scales.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>
#include "DrawingCanvas.h"
#include "framework/Wnd.h"
#include "framework/Wnd.h"
#include "geometry/AxesEnt.h"
#include "geometry/REGDatabase.h"
#include "geometry/REGDatabase.h"
#include "tools/TextTemplate.h"
#include "tools/ToolAxes.h"
#include "tools/ToolDimAngle.h"
#include "tools/ToolDimLength.h"
#include "tools/ToolDimAngle.h"
#include "tools/ToolDimLength.h"
#include "tools/ToolFactory.h"
#include "tools/ToolTextBox.h"
#include "tools/ToolWaterPt.h"
#include "tools/ToolsFile.h"
#include "tools/ToolsFile.h"

namespace {

std::vector<std::string> Names(const CTextTemplate& t)
{
    std::vector<std::string> out;
    for (int i = 0; i < (int)t.GetNames().GetSize(); ++i)
        out.push_back((LPCSTR)t.GetNames()[i]);
    return out;
}

} // namespace

TEST(TextTemplate, PlaceholderNamesInOrder)
{
    struct Case
    {
        const char* text;
        std::vector<std::string> names;
    } cases[] = {
        {"plain text", {}},
        {"", {}},
        {"Height: <<h>>", {"h"}},
        {"<<a>> and <<bb>>\n<<c c>>", {"a", "bb", "c c"}},
        {"<<>>", {""}},
        {"<<a>", {}},
        {"<a>> <<b>>", {"b"}},
        {"<<<x>>>", {"<x"}},
        {"<<a>><<b>>", {"a", "b"}},
        {"<<open and <<b>>", {"open and <<b"}},
        {"tail <<", {}},
    };
    CTextTemplate t;
    for (const Case& c : cases) {
        t.SetTemplate(c.text);
        EXPECT_EQ(Names(t), c.names) << c.text;
        EXPECT_EQ(t.GetLastNameIndex(), (int)c.names.size() - 1) << c.text;
        EXPECT_STREQ(t.GetTemplate(), c.text);
    }
}

TEST(TextBoxTool, DefaultsAndTextWithPlaceholders)
{
    std::unique_ptr<CMeasure> made(CreateToolOfType(12052));
    ASSERT_NE(made, nullptr);
    CToolTextBox* box = dynamic_cast<CToolTextBox*>(made.get());
    ASSERT_NE(box, nullptr);
    EXPECT_STREQ(box->GetKeyName(), "TextBox");
    EXPECT_TRUE(box->GetIsFilled());
    EXPECT_EQ(box->GetFillColor(), 0xFFFFFFu);
    EXPECT_TRUE(box->GetIsExteriorLine());
    EXPECT_TRUE(box->GetArrowAtHead());
    EXPECT_FALSE(box->CanSetLineWeight() || box->CanSetLineColour() || box->CanSetHeadArrow() || box->IsShapeTool());
    EXPECT_EQ(box->GetContextSubmenu(), 16);
    EXPECT_FALSE(box->HasPlaceholders());
    box->SetText("Height: <<h>>");
    EXPECT_EQ(box->GetLastPlaceholderIndex(), 0);
    EXPECT_STREQ(box->GetDisplayText(), "Height: <<h>>");
    // The rotation comes through the dimension-text values of the tools file.
    box->ApplyDimensionText(90, 1, 1, 1);
    EXPECT_EQ(box->GetRotationDegreesCcw(), 90);
    // A copy keeps its placeholders.
    CToolTextBox copy;
    copy.CopyFrom(*box);
    EXPECT_TRUE(copy.HasPlaceholders());
}

TEST(TextBoxTool, GrabbingTextArrowPointAndLeader)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 400);
    struct Case
    {
        const char* name;
        const char* text;
        bool exteriorLine;
        CVector2D at;
        bool picked;
        int grip;
        int cursor;
    } cases[] = {
        {"plain text on its anchor", "note", true, {100, 300}, true, CPolyLine::kWholeEntityGrip, 32646},
        {"plain text: no arrow point", "note", true, {300, 100}, false, -1, 32512},
        {"plain text: no leader either", "note", true, {200, 200}, false, -1, 32512},
        {"label on its anchor moves the text", "h = <<h>>", true, {100, 300}, true, 0, 32646},
        {"label's arrow point", "h = <<h>>", true, {300, 100}, true, 1, 32643},
        {"label's leader", "h = <<h>>", true, {200, 200}, true, 0, 32646},
        {"label with the leader hidden", "h = <<h>>", false, {200, 200}, false, -1, 32512},
    };
    for (const Case& c : cases) {
        CToolTextBox box;
        box.SetStartPoint(CVector2D(100, 300));
        box.SetEndPoint(CVector2D(300, 100));
        box.SetText(c.text);
        box.SetIsExteriorLine(c.exteriorLine);
        const CPoint p = vc.WorldToDevice(c.at);
        EXPECT_EQ(box.GetCursorAt(&vc, p), c.cursor) << c.name;
        EXPECT_EQ(box.PickGrip(&vc, p), c.picked) << c.name;
        if (c.picked)
            EXPECT_EQ(box.GetGripIndex(), c.grip) << c.name;
    }
}

TEST(TextBoxTool, LeaderAndArrowOnlyForLabels)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 200);
    for (bool label : {false, true}) {
        tooltest::Canvas canvas(200, 200);
        CToolTextBox box;
        box.SetColour(0x0000FF);
        box.SetStartPoint(CVector2D(20, 180));
        box.SetEndPoint(CVector2D(180, 20));
        box.SetText(label ? "<<v>>" : "v");
        box.SetEditing(true);
        box.Draw(canvas.DC(), &vc);
        // The middle of the leader, away from the text.
        EXPECT_EQ(canvas.Pixel(100, 100) == 0x0000FFu, label) << label;
    }
}

TEST(ContourLabels, SeenOnlyInItsOwnView)
{
    CWnd one, other;
    CViewContext inOne, inOther;
    inOne.SetOwnerView(&one);
    inOther.SetOwnerView(&other);
    CToolTextBox box;
    CToolContourLabels label;
    box.SetOwnerView(&one);
    label.SetOwnerView(&one);
    EXPECT_TRUE(box.QueryOption(nullptr, &inOther, 111));
    EXPECT_TRUE(box.QueryOption(nullptr, &inOther, 112));
    EXPECT_FALSE(box.QueryOption(nullptr, &inOther, 110));
    EXPECT_TRUE(label.QueryOption(nullptr, &inOne, 111));
    EXPECT_FALSE(label.QueryOption(nullptr, &inOther, 111));
    EXPECT_EQ(label.GetType(), 12057);
    EXPECT_STREQ(label.GetKeyName(), "ContourLabels");
    EXPECT_FALSE(label.GetStartEditable());
}

TEST(WaterLevel, OnePointGrabbedWholeInItsSymbol)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 200);
    tooltest::Canvas canvas(200, 200);
    CToolWaterPt water;
    EXPECT_EQ(water.GetColour(), 0xFF0000u);
    water.SetStartPoint(CVector2D(100, 100));
    water.SetEndPoint(CVector2D(150, 150));
    water.Draw(canvas.DC(), &vc);
    // The two points are kept together; the symbol is drawn in the tool's colour.
    EXPECT_EQ(water.GetEndPoint().x, 100);
    EXPECT_GT(canvas.Count(0xFF0000), 10);
    const CRect r = water.GetTextStyle().GetWaterLevelRect(CVector2D(100, 100), &vc);
    EXPECT_GT(r.Width(), 0);
    EXPECT_TRUE(water.PickGrip(&vc, CPoint(r.CenterPoint())));
    EXPECT_EQ(water.GetGripIndex(), CPolyLine::kWholeEntityGrip);
    EXPECT_EQ(water.GetGripCount(), 1);
    EXPECT_FALSE(water.PickGrip(&vc, CPoint(r.right + 5, r.bottom + 5)));
    EXPECT_EQ(water.GetCursorAt(&vc, CPoint(r.right + 5, r.bottom + 5)), 32512);
    // Turned half round, the triangle points up above the level.
    water.ApplyDimensionText(180, 0, 0, 0);
    EXPECT_EQ(water.GetRotationDegreesCcw(), 180);
    tooltest::Canvas turned(200, 200);
    water.Draw(turned.DC(), &vc);
    const int below = 100 + (100 - r.top) * 3 / 4;
    EXPECT_EQ(canvas.Pixel(100, below), 0xFFFFFFu);
    EXPECT_EQ(turned.Pixel(100, below), 0xFF0000u);
}

TEST(AxesTool, ScalesOfEachSide)
{
    CToolAxes axes;
    axes.SetStartPoint(CVector2D(3.2, 10));
    axes.SetEndPoint(CVector2D(7.9, 2));
    EXPECT_TRUE(axes.GetAxisLeft() && axes.GetAxisBottom());
    EXPECT_FALSE(axes.GetAxisTop() || axes.GetAxisRight());
    // Without custom spacing: round steps, one interval at least.
    CAxisScale s = axes.ComputeScale(AXIS_BOTTOM, CSize(47, 0), CSize(96, 96));
    EXPECT_EQ(s.code, 12101);
    EXPECT_EQ(s.count, 1);
    EXPECT_EQ(s.stepY, 0);
    EXPECT_EQ(s.G.y, 2);
    EXPECT_EQ(s.H.y, 2);
    s = axes.ComputeScale(AXIS_LEFT, CSize(0, -480), CSize(96, 96));
    EXPECT_EQ(s.code, 12102);
    EXPECT_EQ(s.count, 7);
    EXPECT_EQ(s.stepX, 0);
    EXPECT_LE(s.G.y, s.H.y);   // a vertical side runs upwards
    EXPECT_EQ(s.G.x, 3.2);
    s = axes.ComputeScale(AXIS_RIGHT, CSize(0, 480), CSize(96, 96));
    EXPECT_EQ(s.G.x, 7.9);
    s = axes.ComputeScale(AXIS_TOP, CSize(480, 0), CSize(96, 96));
    EXPECT_EQ(s.G.y, 10);

    // Custom spacing in drawing coordinates: ticks on multiples of it.
    axes.ApplyAxisSpacing(0.5, 2, true);
    s = axes.ComputeScale(AXIS_BOTTOM, CSize(480, 0), CSize(96, 96));
    EXPECT_EQ(s.code, 12107);
    EXPECT_DOUBLE_EQ(s.firstX, 2.5);
    EXPECT_DOUBLE_EQ(s.stepX, 0.5);
    EXPECT_FALSE(s.localSpacing);
    s = axes.ComputeScale(AXIS_LEFT, CSize(0, 480), CSize(96, 96));
    EXPECT_EQ(s.code, 12108);
    EXPECT_DOUBLE_EQ(s.firstY, 0);   // 2 x (trunc(2 / 2) - 1)
    // Counted from the corner: the first tick on it.
    axes.SetAxisGlobalCoords(false);
    s = axes.ComputeScale(AXIS_BOTTOM, CSize(480, 0), CSize(96, 96));
    EXPECT_EQ(s.code, 12105);
    EXPECT_DOUBLE_EQ(s.firstX, 3.2);
    EXPECT_TRUE(s.localSpacing);
}

TEST(AxesTool, SpacingHeldInRangeOnEveryPath)
{
    CToolAxes axes;
    axes.SetStartPoint(CVector2D(0, 10));
    axes.SetEndPoint(CVector2D(10, 0));
    for (double bad : {0.0, -3.0, 1e-30}) {
        axes.ApplyAxisSpacing(bad, bad, true);
        double x = 0, y = 0;
        axes.GetAxisSpacing(x, y);
        EXPECT_EQ(x, CMeasure::kMinAxisSpacing) << bad;
        EXPECT_EQ(y, CMeasure::kMinAxisSpacing) << bad;
        const CAxisScale s = axes.ComputeScale(AXIS_BOTTOM, CSize(400, 0), CSize(96, 96));
        EXPECT_TRUE(std::isfinite(s.firstX)) << bad;
    }
    axes.ApplyAxisSpacing(1e300, 1e300, true);
    double x = 0, y = 0;
    axes.GetAxisSpacing(x, y);
    EXPECT_EQ(x, CMeasure::kMaxAxisSpacing);
}

TEST(AxesTool, DrawsNumbersOnMultiplesOfTheSpacing)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 400);
    CToolAxes axes;
    axes.SetStartPoint(CVector2D(32, 300));
    axes.SetEndPoint(CVector2D(379, 100));
    axes.SetAxisLeft(false);
    axes.ApplyAxisSpacing(50, 50, true);
    const tooltest::Records global = tooltest::RecordMetafile([&](CDC* pDC) { axes.Draw(pDC, &vc); });
    const std::vector<std::string> expected = {"50", "100", "150", "200", "250", "300", "350"};
    EXPECT_EQ(global.texts, expected);
    axes.SetAxisGlobalCoords(false);
    const tooltest::Records local = tooltest::RecordMetafile([&](CDC* pDC) { axes.Draw(pDC, &vc); });
    const std::vector<std::string> fromCorner = {"50", "100", "150", "200", "250", "300"};
    EXPECT_EQ(local.texts, fromCorner);
}

TEST(AxesTool, AllSidesOffDrawsOnlyTheDottedFrameWhileEdited)
{
    CViewContext vc;
    tooltest::SetUnitView(vc, 200);
    CToolAxes axes;
    axes.SetColour(0x0000FF);
    axes.SetStartPoint(CVector2D(20, 180));
    axes.SetEndPoint(CVector2D(180, 20));
    axes.SetAxisLeft(false);
    axes.SetAxisBottom(false);
    tooltest::Canvas idle(200, 200);
    axes.Draw(idle.DC(), &vc);
    EXPECT_EQ(idle.Count(0xFFFFFF), 200 * 200);
    axes.SetEditing(true);
    tooltest::Canvas edited(200, 200);
    axes.Draw(edited.DC(), &vc);
    EXPECT_GT(edited.Count(0x0000FF), 100);
}

TEST(ToolsFileKinds, DimensionsTextsAxesAndLevelsRoundTrip)
{
    CWnd view;
    CREGDatabase first;
    auto* length = new CToolDimLength;
    length->SetStartPoint(CVector2D(0, 0));
    length->SetEndPoint(CVector2D(4, 0));
    CVectorArray extra;
    extra.Add(CVector2D(4, 2));
    extra.Add(CVector2D(2, 2));
    extra.Add(CVector2D(0, 2));
    length->ApplyDimensionVertices(extra, true, false, 12102);
    length->ApplyDimensionFormat(0, false, 5, true);
    auto* angle = new CToolDimAngle;
    angle->SetStartPoint(CVector2D(3, 0));
    angle->SetEndPoint(CVector2D(0, 0));
    CVectorArray arm;
    arm.Add(CVector2D(0, 3));
    angle->ApplyDimensionVertices(arm, false, true, 0);
    auto* text = new CToolTextBox;
    text->SetText("Run-out: <<x>>\nsecond line");
    text->SetRotationDegreesCcw(30);
    auto* axes = new CToolAxes;
    axes->SetStartPoint(CVector2D(0, 10));
    axes->SetEndPoint(CVector2D(10, 0));
    axes->ApplyAxisSpacing(0.25, 4, true);
    auto* water = new CToolWaterPt;
    water->SetStartPoint(CVector2D(7, 8));
    auto* contour = new CToolContourLabels;
    contour->SetText("120 m");
    for (CMeasure* t : std::initializer_list<CMeasure*>{length, angle, text, axes, water, contour}) {
        t->SetOwnerView(&view);
        first.AddEntity(t, false);
    }
    CToolsFile file;
    file.SetFilter("Clastor Tools File(*.clt)|*.clt|All Files (*.*)|*.*||");
    file.SetOption(true);
    file.SetToolKindId(2181);
    file.SetRegistryBase("Software\\Brevantics\\Clastor\\EditTools\\");
    file.SetDatabase(&first);
    const std::string written = file.Write(&view);

    CREGDatabase second;
    CToolsTextReader in(written);
    file.SetDatabase(&second);
    ASSERT_TRUE(file.Read(in, &view));
    EXPECT_EQ(file.Write(&view), written);
    std::vector<int> types;
    for (int i = 0; i < second.GetEntityCount(); ++i)
        if (auto* t = dynamic_cast<CMeasure*>(second.GetEntityAt(i)))
            types.push_back(t->GetType());
    std::sort(types.begin(), types.end());
    EXPECT_EQ(types, (std::vector<int>{12052, 12056, 12057, 12060, 12061, 12066}));
    for (int i = 0; i < second.GetEntityCount(); ++i) {
        if (auto* t = dynamic_cast<CToolDimLength*>(second.GetEntityAt(i))) {
            EXPECT_EQ(t->GetVertexCount(), 5);
            EXPECT_EQ(t->GetDimensionStyle(), 12102);
            EXPECT_EQ(t->GetNumDecimalPlaces(), 5);
        }
        if (auto* t = dynamic_cast<CToolTextBox*>(second.GetEntityAt(i)); t && t->GetType() == 12052) {
            EXPECT_TRUE(t->HasPlaceholders());
            EXPECT_EQ(t->GetDisplayText().Find("Run-out: <<x>>"), 0);
        }
    }
}
