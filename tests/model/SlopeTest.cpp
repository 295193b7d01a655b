#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <memory>
#include "model/ModelClasses.h"
#include "model/TalusimSlope.h"
#include "model/TalusimSlopeType.h"
#include "tests/model/ArchiveBytes.h"
#include "tests/model/DrawingSupport.h"

using model_test::MemoryCanvas;

namespace {

// A slope through the points, segment i getting materials[i].
void Build(CTalusimSlope& s, std::initializer_list<CVector2D> pts, std::initializer_list<CTalusimSlopeType*> mats)
{
    auto m = mats.begin();
    for (const CVector2D& p : pts) {
        s.AddVertexWithMaterial(p.x, p.y, m != mats.end() ? *m : nullptr);
        if (m != mats.end())
            ++m;
    }
}

void SetSpread(CTalusimSlope& s, int i, double sx, double sy)
{
    CPolyVertex v = s.GetVertex(i);
    v.auxA = sx;
    v.auxB = sy;
    s.SetVertex(i, v);
}

}  // namespace

TEST(Slope, MaterialsFollowInsertAndDelete)
{
    CTalusimSlopeType a, b, c, d, e;
    CTalusimSlope s;
    EXPECT_EQ(s.GetKindId(), 2103);
    EXPECT_EQ(s.GetContextMenuId(), 6002);
    EXPECT_EQ(s.GetContextSubmenu(), 2);
    Build(s, {{0, 10}, {2, 8}, {4, 6}, {6, 4}, {8, 2}}, {nullptr, &a, &b, &c, &d});
    EXPECT_TRUE(s.AllSegmentsHaveMaterial());

    // Splitting segment 3 gives two segments of material c.
    s.InsertVertex(3, CPolyVertex(5, 5));
    ASSERT_EQ(s.GetSlopeVertexCount(), 6);
    EXPECT_EQ(s.GetSegmentMaterial(3), &c);
    EXPECT_EQ(s.GetSegmentMaterial(4), &c);
    EXPECT_EQ(s.GetSegmentMaterial(5), &d);

    // Deleting vertex 3 drops material 3; the next segment keeps its own.
    s.DeleteVertex(3);
    EXPECT_EQ(s.GetSegmentMaterial(3), &c);
    EXPECT_EQ(s.GetSegmentMaterial(4), &d);
    EXPECT_EQ(s.GetSegmentMaterial(99), nullptr);
    EXPECT_EQ(s.GetSegmentMaterial(-1), nullptr);

    EXPECT_TRUE(s.UsesMaterial(&b));
    EXPECT_FALSE(s.UsesMaterial(&e));
    s.ReplaceMaterial(&b, &e);
    EXPECT_EQ(s.GetSegmentMaterial(2), &e);
    EXPECT_FALSE(s.UsesMaterial(&b));

    // Assign-material mode: save, change, restore.
    s.SaveMaterials();
    s.SetSegmentMaterial(1, &e);
    s.RestoreMaterials();
    EXPECT_EQ(s.GetSegmentMaterial(1), &a);
    s.SaveMaterials();
    s.SetSegmentMaterial(9, &e);   // grows the array: sizes differ, nothing restored
    s.RestoreMaterials();
    EXPECT_EQ(s.GetSegmentMaterial(9), &e);

    s.SetSegmentMaterial(2, nullptr);
    EXPECT_FALSE(s.AllSegmentsHaveMaterial());

    EXPECT_TRUE(s.ClearSlope());
    EXPECT_EQ(s.GetSlopeVertexCount(), 0);
    EXPECT_EQ(s.GetSegmentMaterial(1), nullptr);
    EXPECT_FALSE(s.AllSegmentsHaveMaterial());
}

TEST(Slope, RemovingVerticesStopsAtTwo)
{
    CTalusimSlopeType a, b;
    CTalusimSlope s;
    Build(s, {{0, 3}, {1, 2}, {2, 0}}, {nullptr, &a, &b});
    bool refused = true;
    s.RemoveLastVertex(&refused);
    EXPECT_FALSE(refused);
    EXPECT_EQ(s.GetSlopeVertexCount(), 2);
    EXPECT_EQ(s.GetSegmentMaterial(2), nullptr);
    s.RemoveLastVertex(&refused);
    EXPECT_TRUE(refused);
    EXPECT_EQ(s.GetSlopeVertexCount(), 2);

    // Marked vertices go from the last down, until two are left.
    CTalusimSlope t;
    Build(t, {{0, 5}, {1, 4}, {2, 3}, {3, 2}, {4, 1}}, {nullptr, &a, &a, &b, &b});
    t.MarkVerticesInRect(16, 10, 0.5, -10, 10);   // vertices 1..4
    EXPECT_TRUE(t.DeleteMarkedVertices(refused));
    EXPECT_TRUE(refused);
    EXPECT_EQ(t.GetSlopeVertexCount(), 2);
    EXPECT_EQ(t.GetVertexPoint(1), CVector2D(1, 4));

    CTalusimSlope u;
    Build(u, {{0, 5}, {1, 4}, {2, 3}}, {nullptr, &a, &b});
    EXPECT_FALSE(u.DeleteMarkedVertices(refused));   // nothing marked
    EXPECT_FALSE(refused);
    u.MarkVerticesInRect(16, 10, 0.5, -10, 1.5);
    EXPECT_TRUE(u.DeleteMarkedVertices(refused));
    EXPECT_FALSE(refused);
    EXPECT_EQ(u.GetSlopeVertexCount(), 2);
    EXPECT_EQ(u.GetSegmentMaterial(1), &b);
}

TEST(Slope, FillOptionsAndExtents)
{
    CTalusimSlope s;
    EXPECT_EQ(s.GetHatchStyle(), 2);
    EXPECT_EQ(s.GetFillLength(), 5.0);
    s.SetFillMode(true, true);
    EXPECT_FALSE(s.IsFilled());
    EXPECT_FALSE(s.IsHatched());
    s.SetFillMode(false, true);
    EXPECT_TRUE(s.IsHatched());
    s.SetFillOptions(RGB(1, 2, 3), 6, 0.0);
    EXPECT_EQ(s.GetFillColour(), RGB(1, 2, 3));
    EXPECT_EQ(s.GetHatchStyle(), 2);
    EXPECT_EQ(s.GetFillLength(), 5.0);
    s.SetFillOptions(RGB(1, 2, 3), 5, 0.001);
    EXPECT_EQ(s.GetHatchStyle(), 5);
    EXPECT_EQ(s.GetFillLength(), 0.001);
    s.SetFillOptions(0, -1, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(s.GetHatchStyle(), 5);
    EXPECT_EQ(s.GetFillLength(), 0.001);

    CTalusimSlope e;
    Build(e, {{0, 10}, {4, 6}, {10, 0}}, {});
    EXPECT_EQ(e.GetLeft(), 0.0);
    EXPECT_EQ(e.GetBottom(), 0.0);
    e.SetFillMode(true, false);
    e.SetFillOptions(0, 2, 2.5);
    EXPECT_EQ(e.GetLeft(), -2.5);
    EXPECT_EQ(e.GetRight(), 12.5);
    EXPECT_EQ(e.GetBottom(), -2.5);
    EXPECT_EQ(e.GetTop(), 10.0);   // never widened

    // Spreads widen the extents by two standard deviations, even with sx = 0.
    e.SetFillMode(false, false);
    SetSpread(e, 1, 0.0, 0.5);
    EXPECT_EQ(e.GetLeft(), 0.0);
    EXPECT_EQ(e.GetTop(), 10.0);
    SetSpread(e, 0, 0.0, 0.5);
    EXPECT_EQ(e.GetTop(), 11.0);
    SetSpread(e, 2, 1.0, 0.25);
    EXPECT_EQ(e.GetRight(), 12.0);
    EXPECT_EQ(e.GetBottom(), -0.5);

    // Moving a vertex puts its spread back to zero.
    e.SetSlopeVertex(0, 0, 10);
    EXPECT_EQ(e.GetVertex(0).auxB, 0.0);
    EXPECT_EQ(e.GetTop(), 10.0);
}

TEST(Slope, HeightAt)
{
    CTalusimSlope s;
    Build(s, {{0, 10}, {4, 6}, {4, 8}, {10, 2}}, {});
    const struct {
        double x, height;
    } cases[] = {
        {-1, -DBL_MAX},   // left of the first vertex
        {0, 10},
        {2, 8},
        {4, 8},           // the vertical segment: its higher end
        {7, 5},
        {10, 2},
        {10.5, -DBL_MAX},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(s.GetHeightAt(c.x), c.height) << c.x;
}

TEST(Slope, DataTipsNameVertexOrSegment)
{
    CTalusimSlopeType rock;
    rock.SetName("Rock");
    rock.SetRnMean(0.35);
    rock.SetRtMean(0.85);
    rock.SetFrictionAngleMean(30.0);
    rock.SetRoughnessStdDev(1.5);
    CTalusimSlope s;
    Build(s, {{2, 18}, {10, 10}, {18, 2}}, {nullptr, &rock, nullptr});
    CViewContext view;
    model_test::SetUpView(view);

    CString tip = "unchanged";
    s.get_data_tip_text(2.2, 17.9, 0, &view, tip);
    EXPECT_EQ(tip, CString("Vertex: 1\n(x,y)= (2.000, 18.000)"));
    s.SetSampleSlopeFlag(true);
    SetSpread(s, 0, 0.25, 0.5);
    s.get_data_tip_text(2.2, 17.9, 0, &view, tip);
    EXPECT_EQ(tip, CString("Vertex: 1\n(x,y)= (2.000, 18.000)\nstd dev= (0.25, 0.50)"));

    s.get_data_tip_text(6, 14, 0, &view, tip);
    EXPECT_EQ(tip, CString("Segment: 1\n(Rn,Rt,Phi)= (0.35, 0.85, 30.0)\nRoughness 1.50\nRock"));

    // Segment 2 has no material: the text stays.
    tip = "unchanged";
    s.get_data_tip_text(14, 6, 0, &view, tip);
    EXPECT_EQ(tip, CString("unchanged"));

    EXPECT_TRUE(s.QueryOption(nullptr, nullptr, 110));
    EXPECT_TRUE(s.QueryOption(nullptr, &view, 110));   // no owner window
    EXPECT_EQ(s.GetExportPartColour(0), 0xC0C0C0u);
    EXPECT_EQ(s.GetExportPartLayer(0), CString("SLOPE"));
}

TEST(Slope, BandLiesBelowTheProfileEitherWay)
{
    CTalusimSlopeType m;
    m.SetColour(RGB(0, 0, 0));
    CViewContext view;
    model_test::SetUpView(view);
    for (bool leftToRight : {true, false}) {
        CTalusimSlope s;
        if (leftToRight)
            Build(s, {{5, 15}, {10, 10}, {15, 8}}, {nullptr, &m, &m});
        else
            Build(s, {{15, 8}, {10, 10}, {5, 15}}, {nullptr, &m, &m});
        s.SetFillMode(true, false);
        s.SetFillOptions(RGB(0, 200, 0), 2, 2.0);
        MemoryCanvas canvas;
        s.Draw(&canvas.dc, &view);
        const COLORREF green = RGB(0, 200, 0);
        // Below the profile, down to ymin - L = 6 and out to xmin - L, xmax + L.
        EXPECT_EQ(canvas.At(view.WorldToDevice(10, 8)), green) << leftToRight;
        EXPECT_EQ(canvas.At(view.WorldToDevice(3.5, 7)), green) << leftToRight;
        EXPECT_EQ(canvas.At(view.WorldToDevice(16.5, 6.5)), green) << leftToRight;
        // Above the profile and below the band's bottom: untouched.
        EXPECT_EQ(canvas.At(view.WorldToDevice(10, 12)), RGB(255, 255, 255)) << leftToRight;
        EXPECT_EQ(canvas.At(view.WorldToDevice(10, 5.5)), RGB(255, 255, 255)) << leftToRight;
        // The profile itself in the material's colour.
        EXPECT_EQ(canvas.At(view.WorldToDevice(7.5, 12.5)), RGB(0, 0, 0)) << leftToRight;
    }

    // Two vertices draw no band even when filled.
    CTalusimSlope two;
    Build(two, {{5, 15}, {15, 8}}, {nullptr, &m});
    two.SetFillMode(true, false);
    two.SetFillOptions(RGB(0, 200, 0), 2, 2.0);
    MemoryCanvas canvas;
    two.Draw(&canvas.dc, &view);
    EXPECT_EQ(canvas.At(view.WorldToDevice(10, 8)), RGB(255, 255, 255));
}

TEST(Slope, SegmentsWithoutMaterialAndSpreadEllipses)
{
    CTalusimSlopeType red;
    red.SetColour(RGB(255, 0, 0));
    CTalusimSlope s;
    Build(s, {{2, 10}, {10, 10}, {18, 10}}, {nullptr, &red, nullptr});
    s.SetSampleSlopeFlag(true);
    SetSpread(s, 1, 0.0, 0.5);   // no ellipse: one spread is zero
    SetSpread(s, 2, 1.0, 1.0);   // a circle of radius 2 units around (18, 10)
    CViewContext view;
    model_test::SetUpView(view);
    MemoryCanvas canvas;
    s.Draw(&canvas.dc, &view);
    EXPECT_EQ(canvas.At(view.WorldToDevice(6, 10)), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(view.WorldToDevice(14, 10)), RGB(255, 255, 255));   // segment 2: no material
    EXPECT_EQ(canvas.At(view.WorldToDevice(18, 12)), RGB(255, 255, 0));     // top of the ellipse
    EXPECT_EQ(canvas.At(view.WorldToDevice(10, 11)), RGB(255, 255, 255));
}

TEST(Slope, ArchiveKeepsVerticesMaterialsAndEllipseColour)
{
    RegisterModelClasses();
    CTalusimSlopeType a, b;
    a.SetName("A");
    b.SetName("B");
    CTalusimSlope s;
    Build(s, {{0, 10}, {5, 5}, {10, 4}, {20, 0}}, {nullptr, &a, &b, &a});
    SetSpread(s, 2, 0.5, 0.25);
    s.SetEllipseColour(RGB(1, 2, 3));

    const std::vector<BYTE> bytes = model_test::StoreObject(&s);
    EXPECT_EQ(bytes[2], 1);   // fixed schema 1
    EXPECT_EQ(bytes[bytes.size() - 3], 1);
    EXPECT_EQ(bytes[bytes.size() - 2], 2);
    EXPECT_EQ(bytes[bytes.size() - 1], 3);

    std::unique_ptr<CTalusimSlope> back(model_test::LoadObject<CTalusimSlope>(bytes));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->GetSlopeVertexCount(), 4);
    EXPECT_EQ(back->GetVertexPoint(3), CVector2D(20, 0));
    EXPECT_EQ(back->GetVertex(2).auxA, 0.5);
    EXPECT_EQ(back->GetVertex(2).auxB, 0.25);
    EXPECT_EQ(back->GetEllipseColour(), RGB(1, 2, 3));
    EXPECT_EQ(back->GetSegmentMaterial(0), nullptr);
    ASSERT_NE(back->GetSegmentMaterial(1), nullptr);
    EXPECT_EQ(back->GetSegmentMaterial(1)->GetName(), CString("A"));
    EXPECT_EQ(back->GetSegmentMaterial(2)->GetName(), CString("B"));
    // The second reference to A is the same object again.
    EXPECT_EQ(back->GetSegmentMaterial(3), back->GetSegmentMaterial(1));
    delete back->GetSegmentMaterial(1);
    delete back->GetSegmentMaterial(2);
}
