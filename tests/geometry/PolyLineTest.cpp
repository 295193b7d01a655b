#include <gtest/gtest.h>
#include <cfloat>
#include <cmath>
#include <memory>
#include "ArchiveBytes.h"
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/Polygon.h"
#include "geometry/ViewContext.h"

namespace {

void AddPoints(CPolyLine& p, std::initializer_list<CVector2D> points)
{
    for (const CVector2D& v : points)
        p.AddPoint(v.x, v.y);
}

void SetUnitView(CViewContext& vc)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(100, 100);
    vc.SetWorldOrigin(0, 100);
    vc.SetWorldExtent(100, 100);
}

void SetGap(CPolyLine& p, int i)
{
    CPolyVertex v = p.GetVertex(i);
    v.segmentVisible = false;
    p.SetVertex(i, v);
}

void MarkVertex(CPolyLine& p, int i)
{
    CPolyVertex v = p.GetVertex(i);
    v.vertexMark = true;
    p.SetVertex(i, v);
}

} // namespace

TEST(PolyLine, DeletionsKeepTheMinimumCount)
{
    CPolyLine open;
    AddPoints(open, {{0, 0}, {1, 0}});
    bool refused = false;
    open.RemoveLastVertex(&refused);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(open.DeleteNearestVertex(0, 0, &refused));
    EXPECT_TRUE(refused);
    EXPECT_EQ(open.GetVertexCount(), 2);
    open.AddPoint(2, 0);
    open.RemoveLastVertex(&refused);
    EXPECT_FALSE(refused);
    EXPECT_EQ(open.GetVertexCount(), 2);
    open.AddPoint(2, 0);
    // Equal distances: the lower index goes.
    EXPECT_TRUE(open.DeleteNearestVertex(0.5, 0, &refused));
    EXPECT_EQ(open.GetVertexPoint(0), CVector2D(1, 0));

    CPolygon triangle;
    AddPoints(triangle, {{0, 0}, {1, 0}, {0, 1}});
    triangle.RemoveLastVertex(&refused);
    EXPECT_TRUE(refused);
    EXPECT_FALSE(triangle.DeleteNearestVertex(0, 0, &refused));
    EXPECT_EQ(triangle.GetVertexCount(), 3);
    EXPECT_FALSE(triangle.IsOpen());
    EXPECT_TRUE(open.IsOpen());
    EXPECT_EQ(triangle.GetKindId(), 5);
}

TEST(PolyLine, OutOfRangeIndicesAreIgnored)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {1, 1}});
    EXPECT_FALSE(p.SetVertexPoint(5, 1, 1));
    EXPECT_FALSE(p.SetVertex(-1, CPolyVertex()));
    EXPECT_FALSE(p.DeleteVertex(2));
    EXPECT_FALSE(p.InsertVertex(3, CPolyVertex()));
    EXPECT_FALSE(p.IsVertexMarked(9));
    EXPECT_EQ(p.GetVertex(9).x, DBL_MAX);
    EXPECT_EQ(p.GetVertexCount(), 2);
    EXPECT_TRUE(p.InsertVertex(2, CPolyVertex(2, 2)));   // the count appends
    EXPECT_EQ(p.GetVertexPoint(2), CVector2D(2, 2));
}

TEST(PolyLine, SetVertexPointResetsMarksGapAndNormals)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {1, 0}, {2, 0}});
    CPolyVertex v = p.GetVertex(1);
    v.vertexMark = true;
    v.segmentVisible = false;
    v.startNormal = CVector2D(5, 5);
    p.SetVertex(1, v);
    p.SetVertexPoint(1, 1, 1);
    const CPolyVertex after = p.GetVertex(1);
    EXPECT_FALSE(after.vertexMark);
    EXPECT_TRUE(after.segmentVisible);
    EXPECT_EQ(after.startNormal, CVector2D(0, 1));
    EXPECT_EQ(p.GetTop(), 1);
}

TEST(PolyLine, IdentityEditsAndExtents)
{
    CPolyLine p;
    EXPECT_TRUE(p.MoveMarkedVertices(0, 0));   // empty polyline
    AddPoints(p, {{0, 0}, {4, 0}, {4, 3}});
    EXPECT_FALSE(p.MoveBy(0, 0));
    EXPECT_FALSE(p.Rotate(1, 1, 0));
    EXPECT_FALSE(p.Scale(1, 1, 1, 1));
    EXPECT_FALSE(p.MoveMarkedVertices(0, 0));
    EXPECT_EQ(p.GetTop(), 3);
    p.AddPoint(-1, 1);   // only widens
    EXPECT_EQ(p.GetLeft(), -1);
    p.DeleteVertex(3);   // recomputes
    EXPECT_EQ(p.GetLeft(), 0);
    EXPECT_TRUE(p.MoveBy(1, 1));
    EXPECT_EQ(p.GetRight(), 5);
    EXPECT_EQ(p.GetVertexPoint(2), CVector2D(5, 4));
    EXPECT_TRUE(p.Rotate(0, 0, 180));
    EXPECT_NEAR(p.GetLeft(), -5, 1e-12);
    EXPECT_DOUBLE_EQ(p.GetLength(false), 4 + 3);
    EXPECT_DOUBLE_EQ(p.GetLength(true), 4 + 3 + 5);
}

TEST(PolyLine, MarksInRectangles)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {5, 0}, {10, 0}});
    EXPECT_TRUE(p.MarkVerticesInRect(18, 1, 20, -1, 30));   // toggle: true, nothing inside
    EXPECT_FALSE(p.MarkVerticesInRect(16, 1, 20, -1, 30));
    EXPECT_TRUE(p.MarkVerticesInRect(16, 0, 5, 0, 10));     // on the border counts
    EXPECT_EQ(p.GetMarkedVertexCount(), 2);
    EXPECT_FALSE(p.MarkVerticesInRect(16, 0, 5, 0, 10));
    EXPECT_TRUE(p.MarkVerticesInRect(17, 0, 5, 0, 10));
    EXPECT_FALSE(p.MarkVerticesInRect(19, 0, 5, 0, 10));
    EXPECT_FALSE(p.UnmarkVertices());

    // Segment marks: mode 13 needs both ends inside.
    EXPECT_TRUE(p.MarkSegmentsInRect(16, 1, 4, -1, 11, 13, SEGMENTS_ALL));
    EXPECT_FALSE(p.IsSegmentMarked(1));
    EXPECT_TRUE(p.IsSegmentMarked(2));
    EXPECT_TRUE(p.MarkSegmentsInRect(18, 1, 4, -1, 11, 12, SEGMENTS_ALL));
    EXPECT_TRUE(p.IsSegmentMarked(1));
    EXPECT_FALSE(p.IsSegmentMarked(2));
    EXPECT_TRUE(p.UnmarkSegments());
    EXPECT_EQ(p.GetMarkedSegmentCount(), 0);
    SetGap(p, 1);
    p.MarkSegmentsInRect(16, 1, -1, -1, 11, 12, SEGMENTS_GAPS);
    EXPECT_TRUE(p.IsSegmentMarked(1));
    EXPECT_FALSE(p.IsSegmentMarked(2));
}

TEST(PolyLine, DragMovesMarkedVerticesFromTheSavedCopy)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {1, 0}, {2, 0}});
    p.SaveVertices();
    EXPECT_TRUE(p.DragBy(1, 1));   // nothing marked: restored, unmoved
    EXPECT_EQ(p.GetVertexPoint(1), CVector2D(1, 0));
    MarkVertex(p, 1);
    p.SaveVertices();
    p.DragBy(1, 1);
    p.DragBy(0, 2);
    EXPECT_EQ(p.GetVertexPoint(1), CVector2D(1, 2));
    EXPECT_EQ(p.GetVertexPoint(0), CVector2D(0, 0));
    p.AddPoint(9, 9);
    p.DeleteVertex(0);
    EXPECT_TRUE(p.RestoreVertices());
    EXPECT_EQ(p.GetVertexCount(), 3);
    EXPECT_EQ(p.GetVertexPoint(0), CVector2D(0, 0));
    EXPECT_EQ(p.GetVertexPoint(1), CVector2D(1, 0));

    CPolyLine empty;
    EXPECT_FALSE(empty.RestoreVertices());
    empty.SaveVertices();
    EXPECT_TRUE(empty.RestoreVertices());
    EXPECT_EQ(empty.GetVertexCount(), 0);
}

TEST(PolyLine, GripsCursorsAndPicking)
{
    CViewContext vc;
    SetUnitView(vc);
    CPolyLine p;
    AddPoints(p, {{10, 90}, {50, 90}, {90, 90}});
    for (int i = 0; i < 3; ++i)
        MarkVertex(p, i);
    EXPECT_EQ(p.GetGripCount(), 3);
    p.UnmarkVertices();
    MarkVertex(p, 1);
    EXPECT_EQ(p.GetGripCount(), 2);
    EXPECT_EQ(p.GetGripPoint(1), CVector2D(90, 90));
    EXPECT_EQ(p.GetGripPoint(2).x, DBL_MAX);

    // Device (50, 10) is vertex 1.
    EXPECT_TRUE(p.PickGrip(&vc, CPoint(52, 12)));
    EXPECT_EQ(p.GetGripIndex(), 1);
    EXPECT_EQ(p.GetCursorAt(&vc, CPoint(52, 12)), 32643);
    EXPECT_TRUE(p.PickGrip(&vc, CPoint(30, 10)));   // on a segment: the whole entity
    EXPECT_EQ(p.GetGripIndex(), (int)CPolyLine::kWholeEntityGrip);
    EXPECT_EQ(p.GetCursorAt(&vc, CPoint(30, 10)), 32646);
    EXPECT_FALSE(p.PickGrip(&vc, CPoint(30, 50)));
    EXPECT_EQ(p.GetCursorAt(&vc, CPoint(30, 50)), 32512);

    CPolyLine close;
    AddPoints(close, {{10, 90}, {15, 90}, {60, 60}});
    EXPECT_TRUE(close.PickGrip(&vc, CPoint(12, 10)));
    EXPECT_EQ(close.GetGripIndex(), (int)CPolyLine::kWholeEntityGrip);
    EXPECT_EQ(close.GetCursorAt(&vc, CPoint(12, 10)), 32646);

    CPolyLine down, up;
    AddPoints(down, {{0, 0}, {10, -5}});
    AddPoints(up, {{0, 0}, {10, 5}});
    CViewContext big;
    big.SetDeviceOrigin(0, 0);
    big.SetDeviceExtent(400, 400);
    big.SetWorldOrigin(-5, 10);
    big.SetWorldExtent(20, 20);
    for (CPolyLine* pl : {&down, &up}) {
        for (int i = 0; i < 2; ++i) {
            const CPoint d = big.WorldToDevice(pl->GetVertexPoint(i));
            EXPECT_EQ(pl->GetCursorAt(&big, d), pl == &down ? 32642 : 32643);
        }
    }

    // Dragging: the whole entity from the reference point; a vertex to the cursor.
    p.SetReferencePoint(30, 90);
    p.SaveVertices();
    p.PickGrip(&vc, CPoint(30, 10));
    p.DragGrip(35, 80);
    EXPECT_EQ(p.GetVertexPoint(0), CVector2D(15, 80));
    p.PickGrip(&vc, CPoint(95, 20));   // vertex 2, now at device (95, 20)
    p.DragGrip(0, 0);
    EXPECT_EQ(p.GetVertexPoint(2), CVector2D(0, 0));
}

TEST(PolyLine, NearestVertexAndSegment)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(p.FindNearestVertex(5, -1, true), 0);   // equal distances: lower index
    SetGap(p, 2);
    SetGap(p, 3);
    EXPECT_EQ(p.FindNearestVertex(9, 9, true), 1);    // vertex 2 lies between two gaps
    EXPECT_EQ(p.NearestSegmentIndex(false, 5, 1, true), 1);
    EXPECT_EQ(p.NearestSegmentIndex(false, 12, 5, true), -1);   // segment 2 is a gap

    CPolygon square;
    AddPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_EQ(square.GetSegmentIndexAt(-1, 5), 0);   // the closing segment
    MarkVertex(square, 0);
    // With vertex 0 marked the closing segment is never taken, even when asked
    // to include marked vertices; segment 1 (ending at vertex 1) still is.
    EXPECT_EQ(square.NearestSegmentIndex(true, -1, 5, true), 2);
    EXPECT_EQ(square.NearestSegmentIndex(true, 5, -1, true), 1);
    EXPECT_EQ(square.NearestSegmentIndex(true, 5, -1, false), 3);

    int index = -1;
    CVector2D start, end;
    EXPECT_TRUE(square.GetSegmentAt(11, 5, &index, &start, &end));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(start, CVector2D(10, 0));
    EXPECT_EQ(end, CVector2D(10, 10));

    bool isVertex = true;
    const CVector2D foot = square.GetNearestSegmentPoint(5, 9, &isVertex, &index);
    EXPECT_EQ(foot, CVector2D(5, 10));
    EXPECT_FALSE(isVertex);
    EXPECT_EQ(index, 3);
    const CVector2D corner = square.GetNearestSegmentPoint(10.5, 10.5, &isVertex, &index);
    EXPECT_EQ(corner, CVector2D(10, 10));
    EXPECT_TRUE(isVertex);
    EXPECT_EQ(index, 2);

    CPolyLine empty;
    EXPECT_EQ(empty.GetNearestPoint(0, 0).x, DBL_MAX);
}

TEST(PolyLine, ApplyToNearestVertexInsertsAtTheFoot)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {10, 0}, {10, 10}});
    double d = 0;
    bool found = false;
    EXPECT_FALSE(p.ApplyToNearestVertex(28, CVector2D(12, 4), &d, &found));
    EXPECT_TRUE(found);
    EXPECT_DOUBLE_EQ(d, 2);
    EXPECT_EQ(p.GetVertexCount(), 3);
    EXPECT_TRUE(p.ApplyToNearestVertex(27, CVector2D(12, 4), &d, &found));
    ASSERT_EQ(p.GetVertexCount(), 4);
    EXPECT_EQ(p.GetVertexPoint(2), CVector2D(10, 4));
    EXPECT_FALSE(p.ApplyToNearestVertex(27, CVector2D(-5, -5), &d, &found));
    EXPECT_FALSE(found);

    CPolygon square;
    AddPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_TRUE(square.ApplyToNearestVertex(27, CVector2D(-1, 5), &d, &found));
    EXPECT_EQ(square.GetVertexPoint(4), CVector2D(0, 5));
}

TEST(PolyLine, RectanglesPointsAndShape)
{
    CPolyLine one;
    one.AddPoint(5, 5);
    EXPECT_TRUE(one.IntersectsRect(false, 6, 4, 4, 6, SEGMENTS_ALL));
    EXPECT_FALSE(one.IntersectsRect(false, 4, 4, 3, 6, SEGMENTS_ALL));

    CPolyLine open;
    AddPoints(open, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_FALSE(open.IntersectsRect(false, 10, 0, 0, 10, SEGMENTS_GAPS));
    EXPECT_FALSE(open.CrossesRect(6, -2, 4, -1, nullptr, nullptr));
    EXPECT_FALSE(open.ContainsPoint(5, 5, true));

    CPolygon square;
    AddPoints(square, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_TRUE(square.CrossesRect(6, -2, 4, -1, nullptr, nullptr) == false);
    EXPECT_TRUE(square.CrossesRect(6, -1, 4, 1, nullptr, nullptr));   // the closing segment
    EXPECT_TRUE(square.ContainsPoint(5, 5, false));
    EXPECT_TRUE(square.ContainsPoint(10, 5, true));
    EXPECT_FALSE(square.ContainsPoint(10, 5, false));
    SetGap(square, 0);
    EXPECT_TRUE(square.ContainsPoint(5, 5, false));
    EXPECT_FALSE(square.IsSelfIntersecting());

    CPolygon bow;
    AddPoints(bow, {{0, 0}, {1, 1}, {1, 0}, {0, 1}});
    EXPECT_TRUE(bow.IsSelfIntersecting());

    CPolyLine mono;
    AddPoints(mono, {{0, 0}, {1, 1}, {2, 1}});
    bool xm = false, ym = true;
    mono.GetMonotonicity(&xm, &ym);
    EXPECT_TRUE(xm);
    EXPECT_FALSE(ym);
    CPolyLine vertical;
    AddPoints(vertical, {{0, 0}, {0, 5}});
    vertical.GetMonotonicity(&xm, &ym);
    EXPECT_TRUE(xm);
    EXPECT_TRUE(ym);

    EXPECT_FALSE(square.IsClockwise());
    CPolygon cw;
    AddPoints(cw, {{0, 0}, {0, 10}, {10, 10}, {10, 0}});
    EXPECT_TRUE(cw.IsClockwise());
    EXPECT_TRUE(CPolyLine::IsClockwiseTurn(0, 0, 1, 1, 2, 0));
    EXPECT_FALSE(CPolyLine::IsClockwiseTurn(0, 0, 1, -1, 2, 0));
    EXPECT_TRUE(CPolyLine::IsClockwiseTurn(0, 0, 1, 0, 2, 0));
}

TEST(PolyLine, VertexNormals)
{
    CPolygon square;
    AddPoints(square, {{0, 0}, {1, 0}, {1, 1}, {0, 1}});
    square.ComputeVertexNormals();
    // Segment 1 runs along +x; its normal points up, into the square.
    const CPolyVertex v1 = square.GetVertex(1);
    EXPECT_NEAR(v1.segmentNormal.x, 0, 1e-18);
    EXPECT_NEAR(v1.segmentNormal.y, 1e-6, 1e-18);
    // Vertex 0 holds the closing segment's normal (running down x = 0): +x.
    EXPECT_NEAR(square.GetVertex(0).segmentNormal.x, 1e-6, 1e-18);
    // Right angles get the bisector, of length 1e-6, pointing inside.
    const CPolyVertex v2 = square.GetVertex(2);
    EXPECT_NEAR(v2.endNormal.x, -1e-6 / std::sqrt(2.0), 1e-18);
    EXPECT_NEAR(v2.endNormal.y, -1e-6 / std::sqrt(2.0), 1e-18);
    EXPECT_NEAR(square.GetVertex(3).startNormal.x, -1e-6 / std::sqrt(2.0), 1e-18);

    const double h = std::sqrt(3.0) / 2;
    CPolygon ccw, cw;
    AddPoints(ccw, {{0, 0}, {1, 0}, {0.5, h}});
    AddPoints(cw, {{0, 0}, {0.5, h}, {1, 0}});
    ccw.ComputeVertexNormals();
    cw.ComputeVertexNormals();
    for (int i = 0; i < 3; ++i) {
        const CPolyVertex a = ccw.GetVertex(i);
        EXPECT_GT(std::fabs(a.endNormal.x - a.segmentNormal.x) +
                      std::fabs(a.endNormal.y - a.segmentNormal.y), 1e-9) << i;
        const CPolyVertex b = cw.GetVertex(i);
        EXPECT_EQ(b.endNormal, b.segmentNormal) << i;
        EXPECT_EQ(b.startNormal, b.segmentNormal) << i;
    }
}

TEST(PolyLine, DataTipFollowsTheCursorTipFlag)
{
    CViewContext vc;
    SetUnitView(vc);
    CPolyLine p;
    AddPoints(p, {{12.5, 96.75}, {50, 50}});
    vc.SetLabelFormat(2, 0, 0xFFFFFF, 0);
    vc.SetLastCursor(CPoint(13, 3));
    CString tip = "x";
    p.get_data_tip_text(0, 0, 110, &vc, tip);
    EXPECT_TRUE(tip.IsEmpty());
    vc.SetShowCursorTip(true);
    p.get_data_tip_text(0, 0, 110, &vc, tip);
    EXPECT_EQ(tip, CString("12.50, 96.75"));
    EXPECT_TRUE(p.QueryOption(nullptr, &vc, 110));
    vc.SetLastCursor(CPoint(30, 30));
    p.get_data_tip_text(0, 0, 110, &vc, tip);
    EXPECT_TRUE(tip.IsEmpty());
    vc.SetLastCursor(CPoint(13, 3));
    vc.SetPickMode(119);
    p.get_data_tip_text(0, 0, 110, &vc, tip);
    EXPECT_TRUE(tip.IsEmpty());
}

TEST(PolyLine, AttributesAndExport)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {1, 0}, {2, 0}, {3, 0}});
    SetGap(p, 2);
    SetGap(p, 3);
    MarkVertex(p, 1);
    CEntityAttributes a;
    EXPECT_TRUE(p.GetAttributes(a));
    ASSERT_EQ(a.m_points.GetSize(), 4);
    EXPECT_EQ(a.m_labelled[0], 1);   // vertex 0's own flag counts
    EXPECT_EQ(a.m_labelled[1], 1);
    EXPECT_EQ(a.m_labelled[2], 0);
    EXPECT_EQ(a.m_labelled[3], 0);
    EXPECT_EQ(a.m_marked[1], 1);

    CVectorArray points;
    EXPECT_TRUE(p.GetExportPartPoints(0, points));
    EXPECT_EQ(points.GetSize(), 4);
    CPolyLine single;
    single.AddPoint(1, 1);
    EXPECT_FALSE(single.GetExportPartPoints(0, points));
}

TEST(PolyLineArchive, VertexRecordsAndPolygonFields)
{
    CPolyLine p;
    CPolyVertex v(1.5, -2.5);
    v.auxA = 7;
    v.auxB = 8;
    v.segmentNormal = CVector2D(0.25, 0.5);
    v.vertexMark = true;
    v.segmentVisible = false;
    p.AddVertex(v);
    p.AddPoint(3, 4);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { p.Serialize(ar); });
    const Bytes base = StoreBytes([&](CArchive& ar) { p.CEntity::Serialize(ar); });
    ASSERT_EQ(bytes.size(), base.size() + 2 + 2 * 88 + 4);
    const unsigned char* r = bytes.data() + base.size();
    EXPECT_EQ(r[0] | (r[1] << 8), 2);
    r += 2;
    double d;
    memcpy(&d, r + 8, 8);
    EXPECT_EQ(d, -2.5);
    memcpy(&d, r + 24, 8);
    EXPECT_EQ(d, 8);
    memcpy(&d, r + 40, 8);
    EXPECT_EQ(d, 0.5);
    EXPECT_EQ(r[80], 1);
    EXPECT_EQ(r[81], 0);
    EXPECT_EQ(r[82], 0);
    for (int i = 83; i < 88; ++i)
        EXPECT_EQ(r[i], 0);
    EXPECT_EQ(r[88 + 82], 1);

    CPolygon polygon;
    AddPoints(polygon, {{0, 0}, {1, 0}, {0, 1}});
    polygon.SetReserved(11, 22);
    const Bytes pb = StoreBytes([&](CArchive& ar) { ar << static_cast<CObject*>(&polygon); });
    int tail[3];
    memcpy(tail, pb.data() + pb.size() - 12, 12);
    EXPECT_EQ(tail[0], 3);    // minimum vertex count
    EXPECT_EQ(tail[1], 22);   // the second reserved value comes first
    EXPECT_EQ(tail[2], 11);
    CObject* pObject = nullptr;
    LoadBytes(pb, [&](CArchive& ar) { ar >> pObject; });
    std::unique_ptr<CObject> owner(pObject);
    CPolygon* loaded = dynamic_cast<CPolygon*>(pObject);
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(loaded->GetVertexCount(), 3);
    EXPECT_EQ(loaded->GetMinVertexCount(), 3);
    EXPECT_TRUE(loaded->IsClosed());
    EXPECT_EQ(loaded->GetReserved1(), 11);
    EXPECT_EQ(loaded->GetReserved2(), 22);
    EXPECT_EQ(loaded->GetVertexPoint(2), CVector2D(0, 1));

    CPolyLine reread;
    LoadBytes(bytes, [&](CArchive& ar) { reread.Serialize(ar); });
    ASSERT_EQ(reread.GetVertexCount(), 2);
    const CPolyVertex back = reread.GetVertex(0);
    EXPECT_EQ(back.auxA, 7);
    EXPECT_EQ(back.segmentNormal, CVector2D(0.25, 0.5));
    EXPECT_TRUE(back.vertexMark);
    EXPECT_FALSE(back.segmentVisible);
    EXPECT_FALSE(reread.IsClosed());
}

TEST(PolyLineArchive, HugeCountIsRefused)
{
    CPolyLine p;
    AddPoints(p, {{0, 0}, {1, 1}});
    Bytes bytes = StoreBytes([&](CArchive& ar) { p.Serialize(ar); });
    const Bytes base = StoreBytes([&](CArchive& ar) { p.CEntity::Serialize(ar); });
    bytes[base.size()] = 0xFE;   // 65534 vertices claimed, two present
    bytes[base.size() + 1] = 0xFF;
    CPolyLine reader;
    bool thrown = false;
    try {
        LoadBytes(bytes, [&](CArchive& ar) { reader.Serialize(ar); });
    } catch (CException* e) {
        thrown = true;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}
