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
#include "geometry/Circle.h"
#include "geometry/ExtentsAccumulator.h"
#include "geometry/Line.h"
#include "geometry/Point2D.h"
#include "geometry/ViewContext.h"

namespace {

// A view context showing world (0..100, 0..100) on a 100 x 100 device.
void SetUnitView(CViewContext& vc)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(100, 100);
    vc.SetWorldOrigin(0, 100);
    vc.SetWorldExtent(100, 100);
}

template <class T> std::unique_ptr<T> RoundTrip(T& original, Bytes* pBytes = nullptr)
{
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << static_cast<CObject*>(&original); });
    if (pBytes)
        *pBytes = bytes;
    CObject* pObject = nullptr;
    LoadBytes(bytes, [&](CArchive& ar) { ar >> pObject; });
    T* p = dynamic_cast<T*>(pObject);
    EXPECT_NE(p, nullptr);
    if (!p)
        delete pObject;
    return std::unique_ptr<T>(p);
}

} // namespace

TEST(Entity, DefaultsIdsAndSets)
{
    CEntity e;
    EXPECT_TRUE(e.MatchesIds(20, 22, 21));
    EXPECT_FALSE(e.MatchesIds(2133, 22, 21));
    EXPECT_FALSE(e.MatchesIds(20, 2, 21));
    EXPECT_FALSE(e.MatchesIds(20, 22, 2161));
    EXPECT_EQ(e.GetEntityType(), 50);
    EXPECT_EQ(e.GetSelectStyle(), PS_DASHDOT);
    EXPECT_EQ(e.GetSelectColour(), 0xFFFFFFu);
    EXPECT_EQ(e.GetContextSubmenu(), -1);
    EXPECT_EQ(e.GetLeft(), -DBL_MAX);
    EXPECT_EQ(e.GetTop(), DBL_MAX);

    EXPECT_FALSE(e.SetColour(0));
    EXPECT_TRUE(e.SetColour(0x123456));
    EXPECT_FALSE(e.SetColour(0x123456));
    EXPECT_FALSE(e.Show());
    EXPECT_TRUE(e.Hide());
    EXPECT_FALSE(e.Hide());

    EXPECT_TRUE(e.AddToSet(24));
    EXPECT_FALSE(e.AddToSet(24));
    EXPECT_TRUE(e.IsInSet(24));
    EXPECT_FALSE(e.IsInSet(27));
    EXPECT_TRUE(e.AddToSet(27));
    EXPECT_FALSE(e.RemoveFromSet(27));
    EXPECT_TRUE(e.RemoveFromSet(24));
    EXPECT_FALSE(e.RemoveFromSet(24));

    CString tip;
    e.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("override\nget_data_tip_text\nin your entity"));

    double x = 1, y = 0;
    CEntity::RotatePoint(0, 0, 90, x, y);
    EXPECT_NEAR(x, 0, 1e-12);
    EXPECT_NEAR(y, 1, 1e-12);
}

TEST(Entity, StoredLayoutAndReading)
{
    CEntity e;
    e.SetName("Ab");
    e.SetColour(0x00332211);
    e.SetAltColour(RGB(4, 5, 6));
    e.SetKindId(7);
    e.SetCategoryId(2133);
    e.SetGroupId(2161);
    e.AddToSet(25);
    e.SetContextMenu(6002, 3);
    Bytes bytes = StoreBytes([&](CArchive& ar) { e.Serialize(ar); });

    ByteWriter w;
    w.I32(1).I32(1).I32(0).I32(3);
    w.F64(-DBL_MAX).F64(DBL_MAX).F64(DBL_MAX).F64(-DBL_MAX);
    w.Str("Ab");
    w.I32(2161).I32(2133).I32(7).I32(50);
    w.U8(0x11).U8(0x22).U8(0x33).U8(4).U8(5).U8(6).U8(0xFF).U8(0xFF).U8(0xFF);
    w.U8(1).U8(1).U8(0).U8(1).U8(0);
    w.I32(6002).I32(3);
    EXPECT_EQ(bytes, w.bytes);

    // Reading keeps the class's kind and type; any non-zero flag byte is true.
    const size_t kindOffset = 16 + 32 + 3 + 8;
    bytes[kindOffset] = 99;
    bytes[kindOffset + 4] = 53;
    bytes[kindOffset + 8 + 9 + 2] = 2;   // in set 24
    CLine reader;
    LoadBytes(bytes, [&](CArchive& ar) { reader.CEntity::Serialize(ar); });
    EXPECT_EQ(reader.GetKindId(), 2);
    EXPECT_EQ(reader.GetEntityType(), 50);
    EXPECT_EQ(reader.GetName(), CString("Ab"));
    EXPECT_EQ(reader.GetColour(), 0x00332211u);
    EXPECT_EQ(reader.GetCategoryId(), 2133);
    EXPECT_EQ(reader.GetGroupId(), 2161);
    EXPECT_TRUE(reader.IsInSet(24));
    EXPECT_TRUE(reader.IsInSet(25));
    EXPECT_EQ(reader.GetContextMenuId(), 6002);
}

TEST(Entity, DeviceRectAndExtents)
{
    CViewContext vc;
    SetUnitView(vc);
    CEntity unbounded;
    CRect r(1, 2, 3, 4);
    unbounded.GetDeviceRect(r, &vc, nullptr);
    EXPECT_EQ(r, CRect(1, 2, 3, 4));

    CLine line;
    line.SetPoints(10, 80, 20, 70);
    line.GetDeviceRect(r, &vc, nullptr);
    EXPECT_EQ(r, CRect(10 - 33, 20 - 33, 20 + 33, 30 + 33));

    CExtentsAccumulator acc;
    EXPECT_TRUE(line.AddToExtents(&acc));
    // Unbounded extents are never counted.
    EXPECT_TRUE(unbounded.AddToExtents(&acc));
    double e[4];
    acc.GetExtents(e);
    EXPECT_EQ(e[0], 10);
    EXPECT_EQ(e[1], 80);
    EXPECT_EQ(e[2], 20);
    EXPECT_EQ(e[3], 70);
}

TEST(Entity, CopyFromTakesAttributesNotNameOrGeometry)
{
    CLine source, target;
    source.SetName("source");
    source.SetPoints(5, 5, 6, 6);
    source.SetColour(0xFF);
    source.SetAltColour(0xF0);
    source.SetCategoryId(2133);
    source.AddToSet(26);
    source.Hide();
    EXPECT_TRUE(target.CopyFrom(source));
    EXPECT_EQ(target.GetColour(), 0xFFu);
    EXPECT_EQ(target.GetCategoryId(), 2133);
    EXPECT_TRUE(target.IsInSet(26));
    EXPECT_FALSE(target.IsVisible());
    EXPECT_TRUE(target.GetName().IsEmpty());
    EXPECT_EQ(target.GetX1(), 1);
    EXPECT_FALSE(target.CopyFrom(source));   // alternate colour unchanged now
}

TEST(Line, GeometryAndEdits)
{
    CLine line;
    EXPECT_EQ(line.GetStartPoint(), CVector2D(1, 1));
    EXPECT_EQ(line.GetEndPoint(), CVector2D(0, 0));
    EXPECT_EQ(line.GetLeft(), 0);
    EXPECT_EQ(line.GetTop(), 1);
    EXPECT_EQ(line.GetRight(), 1);
    EXPECT_EQ(line.GetBottom(), 0);
    EXPECT_EQ(line.GetKindId(), 2);

    line.SetPoints(0, 0, 2, 0);
    EXPECT_EQ(line.GetNearestPoint(1, 5), CVector2D(2, 0));   // a tie goes to the end
    EXPECT_EQ(line.GetNearestPoint(0.5, 5), CVector2D(0, 0));
    EXPECT_FALSE(line.SetPoints(0, 0, 2, 0));
    EXPECT_FALSE(line.MoveBy(0, 0));
    EXPECT_FALSE(line.Scale(3, 3, 1, 1));
    EXPECT_FALSE(line.Rotate(3, 3, 0));

    line.SetPoints(1, 0, 2, 0);
    EXPECT_TRUE(line.Rotate(0, 0, 90));
    EXPECT_NEAR(line.GetX1(), 0, 1e-12);
    EXPECT_NEAR(line.GetY1(), 1, 1e-12);
    EXPECT_NEAR(line.GetY2(), 2, 1e-12);
    EXPECT_NEAR(line.GetTop(), 2, 1e-12);
    EXPECT_NEAR(line.GetBottom(), 1, 1e-12);

    line.SetPoints(0, 0, 10, 0);
    line.SaveVertices();
    line.DragBy(1, 1);
    line.DragBy(2, 2);   // from the saved position, never accumulating
    EXPECT_EQ(line.GetStartPoint(), CVector2D(2, 2));
    EXPECT_TRUE(line.Scale(0, 0, 2, 3));
    EXPECT_EQ(line.GetEndPoint(), CVector2D(24, 6));

    CVectorArray points;
    EXPECT_TRUE(line.GetExportPartPoints(5, points));
    ASSERT_EQ(points.GetSize(), 2);
    EXPECT_EQ(points[1], CVector2D(24, 6));

    CLine fresh;
    fresh.RestoreVertices();
    EXPECT_EQ(fresh.GetX1(), DBL_MAX);

    line.SetPoints(-5, 5, 15, 5);
    EXPECT_TRUE(line.CrossesRect(10, 0, 0, 10, nullptr, nullptr));
    line.SetPoints(-5, 12, 12, 30);
    EXPECT_FALSE(line.CrossesRect(10, 0, 0, 10, nullptr, nullptr));
}

TEST(Circle, RingTestAndDataTip)
{
    CCircle c;
    EXPECT_EQ(c.GetKindId(), 1);
    c.SetCenter(0, 0);
    c.SetRadius(10);
    EXPECT_FALSE(c.SetRadius(10));
    EXPECT_TRUE(c.CrossesRect(1, 9, -1, 11, nullptr, nullptr));
    EXPECT_FALSE(c.CrossesRect(1, -1, -1, 1, nullptr, nullptr));
    CString tip;
    c.get_data_tip_text(3, 4, 0, nullptr, tip);
    EXPECT_EQ(tip, CString("5.000 Distance from Center\nRadius:10.000"));
    c.get_data_tip_text(20, 0, 0, nullptr, tip);
    EXPECT_TRUE(tip.IsEmpty());
    EXPECT_EQ(c.GetLeft(), -10);
    EXPECT_TRUE(c.MoveBy(1, 2));
    EXPECT_EQ(c.GetTop(), 12);
}

TEST(Point2D, InclusiveRectAndPoint)
{
    C2DPoint p;
    EXPECT_EQ(p.GetKindId(), 3);
    EXPECT_EQ(p.GetX(), DBL_MAX);
    EXPECT_TRUE(p.SetPoint(5, 5));
    EXPECT_TRUE(p.SetPoint(5, 5));   // always true
    EXPECT_TRUE(p.CrossesRect(5, 0, 0, 5, nullptr, nullptr));
    EXPECT_FALSE(p.CrossesRect(4.9, 0, 0, 5, nullptr, nullptr));
    EXPECT_EQ(p.GetNearestPoint(100, -3), CVector2D(5, 5));
    CString tip = "x";
    p.get_data_tip_text(5, 5, 0, nullptr, tip);
    EXPECT_TRUE(tip.IsEmpty());
    p.SaveVertices();
    p.MoveBy(1, 0);
    p.RestoreVertices();
    EXPECT_EQ(p.GetX(), 5);
    EXPECT_EQ(p.GetRight(), 6);   // restoring leaves the extents
}

TEST(EntityArchive, SimpleEntitiesRoundTrip)
{
    CLine line;
    line.SetPoints(1.5, -2, 3, 4.25);
    line.SetName("Barrier");
    line.SetSelectColour(0x010203);
    Bytes bytes;
    auto l = RoundTrip(line, &bytes);
    ASSERT_TRUE(l);
    EXPECT_EQ(l->GetStartPoint(), CVector2D(1.5, -2));
    EXPECT_EQ(l->GetEndPoint(), CVector2D(3, 4.25));
    EXPECT_EQ(l->GetName(), CString("Barrier"));
    EXPECT_EQ(l->GetSelectColour(), 0x010203u);
    EXPECT_EQ(l->GetTop(), 4.25);
    // The line's own fields close the record: four doubles.
    double tail[4];
    memcpy(tail, bytes.data() + bytes.size() - 32, 32);
    EXPECT_EQ(tail[0], 1.5);
    EXPECT_EQ(tail[3], 4.25);

    CCircle circle;
    circle.SetCenter(2, 3);
    circle.SetRadius(4);
    auto c = RoundTrip(circle);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->GetCenter(), CVector2D(2, 3));
    EXPECT_EQ(c->GetRadius(), 4);
    EXPECT_EQ(c->GetBottom(), -1);

    C2DPoint point;
    point.SetPoint(7, 8);
    point.SetMarkerSize(11);
    auto p = RoundTrip(point, &bytes);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->GetPoint(), CVector2D(7, 8));
    EXPECT_EQ(p->GetMarkerSize(), 11);
    int markerSize;
    memcpy(&markerSize, bytes.data() + bytes.size() - 4, 4);
    EXPECT_EQ(markerSize, 11);
    double y;
    memcpy(&y, bytes.data() + bytes.size() - 12, 8);
    EXPECT_EQ(y, 8);
}

TEST(EntityArchive, ClassNamesAndSchemas)
{
    CLine line;
    const Bytes bytes = StoreBytes([&](CArchive& ar) { ar << static_cast<CObject*>(&line); });
    // New class tag, schema 2, then the class name.
    ByteWriter w;
    w.U16(0xFFFF).U16(2).U16(5);
    const std::string name = "CLine";
    w.bytes.insert(w.bytes.end(), name.begin(), name.end());
    ASSERT_GE(bytes.size(), w.bytes.size());
    EXPECT_TRUE(std::equal(w.bytes.begin(), w.bytes.end(), bytes.begin()));
}
