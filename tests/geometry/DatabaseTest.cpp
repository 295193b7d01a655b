#include <gtest/gtest.h>
#include <cfloat>
#include <memory>
#include "ArchiveBytes.h"
#include "DatabaseTestSupport.h"
#include "geometry/EntityIterator.h"
#include "geometry/Line.h"
#include "geometry/Polygon.h"

namespace {

CProbe* AddProbe(CREGDatabase& db, int category, int kind, double left = 0, double top = 1,
                 double right = 1, double bottom = 0)
{
    CProbe* p = new CProbe(left, top, right, bottom, category, kind);
    db.AddEntity(p, false);
    return p;
}

} // namespace

TEST(Database, EmptyAndHiddenDrawingsSpanTwentyUnits)
{
    CREGDatabase db;
    CVector2D ul, lr;
    db.get_db_extents(ul, lr, false);
    EXPECT_EQ(ul, CVector2D(0, 20));
    EXPECT_EQ(lr, CVector2D(20, 0));
    AddProbe(db, 20, 22, -5, 5, 5, -5)->Hide();
    db.get_db_extents(ul, lr, true);
    EXPECT_EQ(ul, CVector2D(0, 20));
    AddProbe(db, 20, 22, -5, 5, 5, -5)->MakeUnselectable();
    EXPECT_EQ(db.get_ul_world_extent(false), CVector2D(0, 20));
    EXPECT_EQ(db.get_ul_world_extent(true), CVector2D(-5, 5));
    EXPECT_EQ(db.get_lr_world_extent(true), CVector2D(5, -5));
}

TEST(Database, SetIterationSharesOneCursor)
{
    CREGDatabase db;
    EXPECT_EQ(db.GetNextInSet(24), nullptr);
    CProbe* a = AddProbe(db, 20, 1);
    AddProbe(db, 20, 2);
    CProbe* c = AddProbe(db, 20, 3);
    CProbe* d = AddProbe(db, 20, 4);
    a->AddToSet(25);
    c->AddToSet(25);
    d->AddToSet(25);
    CEntityIterator first(&db, 25), second(&db, 25);
    EXPECT_EQ(first.GetFirst(), a);
    EXPECT_EQ(first.GetNext(), c);
    EXPECT_EQ(second.GetFirst(), a);   // restarts the shared position
    EXPECT_EQ(first.GetNext(), c);
    EXPECT_EQ(first.GetNext(), d);
    EXPECT_EQ(first.GetNext(), nullptr);
    EXPECT_EQ(first.GetNext(), nullptr);
    EXPECT_EQ(db.CountInSet(25), 3);
    EXPECT_EQ(db.GetSetKindId(25), 37);
    EXPECT_EQ(db.GetSetKindId(26), 38);
    EXPECT_EQ(db.GetFirstInSet(27), nullptr);
    CEntityIterator empty(&db, 26);
    EXPECT_EQ(empty.GetFirst(), nullptr);
}

TEST(Database, AutoSortIsStableByCategoryThenKind)
{
    CREGDatabase db;
    db.SetAutoSort(true);
    CProbe* a = AddProbe(db, 2133, 5);
    CProbe* b = AddProbe(db, 2133, 5);
    CProbe* c = AddProbe(db, 2133, 4);
    CProbe* d = AddProbe(db, 2100, 9);
    ASSERT_EQ(db.GetEntityCount(), 4);
    EXPECT_EQ(db.GetEntityAt(0), d);
    EXPECT_EQ(db.GetEntityAt(1), c);
    EXPECT_EQ(db.GetEntityAt(2), a);
    EXPECT_EQ(db.GetEntityAt(3), b);
}

TEST(Database, MarkingTestsAndActions)
{
    CREGDatabase db;
    CProbe* hidden = AddProbe(db, 20, 7);
    hidden->Hide();
    CProbe* locked = AddProbe(db, 20, 7);
    locked->MakeUnselectable();
    CProbe* inside = AddProbe(db, 20, 7, 1, 2, 2, 1);
    CProbe* across = AddProbe(db, 20, 7, -1, 2, 2, 1);

    db.MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, 20, 7, 21, 26, nullptr, nullptr);
    EXPECT_TRUE(hidden->IsInSet(26));
    EXPECT_TRUE(locked->IsInSet(26));
    db.ClearSet(26);

    db.MarkEntities(TEST_CROSSING, ACTION_ADD, 10, 0, 0, 10, 20, 22, 21, 25, nullptr, nullptr);
    EXPECT_FALSE(locked->IsInSet(25));
    EXPECT_TRUE(inside->IsInSet(25));
    EXPECT_TRUE(across->IsInSet(25));
    db.ClearSet(25);
    db.MarkEntities(TEST_INSIDE, ACTION_ADD, 10, 0, 0, 10, 20, 22, 21, 25, nullptr, nullptr);
    EXPECT_TRUE(inside->IsInSet(25));
    EXPECT_FALSE(across->IsInSet(25));
    db.MarkEntities(TEST_INSIDE, ACTION_ADD, 10, 0, 0, 10, 20, 8, 21, 26, nullptr, nullptr);
    EXPECT_EQ(db.CountInSet(26), 0);
    EXPECT_TRUE(db.AnyEntityMatches(20, 7, 21));
    EXPECT_FALSE(db.AnyEntityMatches(2133, 7, 21));

    db.SetCategoryIdInSet(2164, 25);
    EXPECT_EQ(inside->GetCategoryId(), 2164);
    db.MarkKind(7, 24);
    EXPECT_EQ(db.CountInSet(24), 4);
}

TEST(Database, SelectionChangesAreNotified)
{
    CHintDocument doc;
    CREGDatabase db;
    db.SetDocument(&doc);
    std::vector<CProbe*> probes;
    for (int i = 0; i < 3; ++i)
        probes.push_back(AddProbe(db, 20, 7, i, 1, i + 1, 0));
    db.MarkEntities(TEST_CROSSING, ACTION_TOGGLE, 1, 0, 0, 1.5, 20, 22, 21, 24, nullptr, nullptr);
    EXPECT_EQ(doc.view.hints.size(), 2u);   // probes 0 and 1
    db.MarkEntities(TEST_CROSSING, ACTION_TOGGLE, 1, 0, 0, 1.5, 20, 22, 21, 24, nullptr, nullptr);
    EXPECT_EQ(doc.view.hints.size(), 4u);
    EXPECT_EQ(db.CountInSet(24), 0);

    doc.view.hints.clear();
    db.MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, 20, 22, 21, 24, nullptr, nullptr);
    db.MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, 20, 22, 21, 25, nullptr, nullptr);
    doc.view.hints.clear();
    db.ClearSet(25);
    EXPECT_TRUE(doc.view.hints.empty());
    db.ClearSet(24);
    ASSERT_EQ(doc.view.hints.size(), 3u);
    EXPECT_EQ(doc.view.hints[0], probes[0]);

    // A hidden entity's change is swallowed; the rulers go without a hint.
    doc.view.hints.clear();
    probes[1]->Hide();
    db.NotifyEntityChanged(probes[1]);
    EXPECT_TRUE(doc.view.hints.empty());
    probes[2]->SetEntityType(51);
    db.NotifyEntityChanged(probes[2]);
    ASSERT_EQ(doc.view.hints.size(), 1u);
    EXPECT_EQ(doc.view.hints[0], nullptr);

    // Deletions: notified while the entity exists; DeleteSet from the back.
    doc.view.hints.clear();
    probes[1]->Show();
    for (CProbe* p : probes)
        p->AddToSet(26);
    db.DeleteSet(26, true);
    ASSERT_EQ(doc.view.hints.size(), 3u);
    EXPECT_EQ(doc.view.hints[0], nullptr);   // probes[2] is the rulers: no hint
    EXPECT_EQ(doc.view.hints[1], probes[1]);
    EXPECT_EQ(doc.view.hints[2], probes[0]);
    EXPECT_EQ(db.GetEntityCount(), 0);
    EXPECT_FALSE(db.DeleteEntity(probes[0], true));   // no longer there
    db.SetDocument(nullptr);
}

TEST(Database, FiltersFollowTheEntities)
{
    CREGDatabase db;
    CProbe* material = AddProbe(db, 20, 2104);
    CProbe* seeder = AddProbe(db, 2133, 2151);
    db.DefineFilter(0, 20, 22, 21, false);
    db.DefineFilter(2, 2133, 2151, 21, false);
    db.DefineFilter(2, 20, 2104, 21, false);
    db.DefineFilter(3, 2133, 2101, 2161, true);
    db.DefineFilter(3, 20, 22, 21, true);   // locked: ignored
    EXPECT_EQ(db.GetFirstInFilter(5), nullptr);
    EXPECT_EQ(db.GetFirstInFilter(0), material);
    EXPECT_EQ(db.GetNextInFilter(0), seeder);
    EXPECT_EQ(db.GetNextInFilter(0), nullptr);
    EXPECT_EQ(db.GetFirstInFilter(2), material);   // either clause passes
    EXPECT_EQ(db.GetNextInFilter(2), seeder);
    EXPECT_EQ(db.GetFirstInFilter(3), nullptr);

    CProbe* barrier = new CProbe(0, 1, 1, 0, 2133, 2101);
    barrier->SetGroupId(2161);
    db.AddEntity(barrier, false);
    EXPECT_EQ(db.GetFirstInFilter(3), barrier);
    // Without GetFirst the walk starts at the second entry.
    db.GetFirstInFilter(0);
    db.AddEntity(new CProbe(0, 1, 1, 0), false);   // resets filter 0's cursor
    EXPECT_EQ(db.GetNextInFilter(0), seeder);
    db.DeleteEntity(seeder, false);
    EXPECT_EQ(db.GetFirstInFilter(2), material);
    EXPECT_EQ(db.GetNextInFilter(2), nullptr);
    db.RebuildAllFilters();
    EXPECT_EQ(db.GetFirstInFilter(0), material);
}

TEST(Database, DeleteMatchingRemovesOnlyTheMatchesInOnePass)
{
    CHintDocument doc;
    CREGDatabase db;
    db.SetDocument(&doc);
    // Paths (kind 2105) among other entities; the far-out path widens the drawing.
    CProbe* slope = AddProbe(db, 20, 2103, 0, 5, 10, 0);
    std::vector<CProbe*> paths;
    for (int i = 0; i < 5; ++i)
        paths.push_back(AddProbe(db, i % 2 ? 2164 : 2165, 2105, 0, 1, 1, 0));
    paths.push_back(AddProbe(db, 2165, 2105, 0, 50, 100, 0));
    CProbe* seeder = AddProbe(db, 2133, 2151, 1, 6, 2, 5);
    db.DefineFilter(0, ID_ANY_CATEGORY, 2105, ID_ANY_GROUP, false);
    db.DefineFilter(1, ID_ANY_CATEGORY, ID_ANY_KIND, ID_ANY_GROUP, false);
    EXPECT_EQ(db.get_lr_world_extent(false).x, 100);

    // A kind that is not there changes nothing.
    EXPECT_EQ(db.DeleteMatching(ID_ANY_CATEGORY, 4711, ID_ANY_GROUP, true), 0);
    EXPECT_EQ(db.GetEntityCount(), 8);
    EXPECT_TRUE(doc.view.hints.empty());

    // Only the selected paths by category and kind, each notified while it exists.
    EXPECT_EQ(db.DeleteMatching(2164, 2105, ID_ANY_GROUP, true), 2);
    ASSERT_EQ(doc.view.hints.size(), 2u);
    EXPECT_EQ(doc.view.hints[0], paths[1]);
    EXPECT_EQ(doc.view.hints[1], paths[3]);

    EXPECT_EQ(db.DeleteMatching(ID_ANY_CATEGORY, 2105, ID_ANY_GROUP, false), 4);
    ASSERT_EQ(db.GetEntityCount(), 2);
    EXPECT_EQ(db.GetEntityAt(0), slope);   // the others keep their order
    EXPECT_EQ(db.GetEntityAt(1), seeder);
    EXPECT_EQ(db.GetFirstInFilter(0), nullptr);
    EXPECT_EQ(db.GetFirstInFilter(1), slope);
    EXPECT_EQ(db.GetNextInFilter(1), seeder);
    EXPECT_EQ(db.GetNextInFilter(1), nullptr);
    EXPECT_EQ(db.get_lr_world_extent(false).x, 10);   // the far path no longer counts
    db.SetDocument(nullptr);
}

TEST(Database, VertexMarksInWindows)
{
    CHintDocument doc;
    CREGDatabase db;
    db.SetDocument(&doc);
    CPolyLine* a = new CPolyLine;
    a->AddPoint(0, 0);
    a->AddPoint(5, 5);
    CPolyLine* b = new CPolyLine;
    b->AddPoint(1, 1);
    b->AddPoint(20, 20);
    db.AddEntity(a, false);
    db.AddEntity(b, false);
    db.MarkVerticesInWindow(16, 6, -1, -1, 6, 20, 22, 21);
    EXPECT_EQ(doc.view.hints.size(), 2u);
    EXPECT_EQ(db.CountMarkedVertices(20, 22, 21), 3);
    EXPECT_EQ(db.CountMarkedVertices(20, 5, 21), 0);
    db.ClearAllVertexMarks();
    EXPECT_EQ(db.CountMarkedVertices(20, 22, 21), 0);
    EXPECT_EQ(doc.view.hints.size(), 4u);
    db.SetDocument(nullptr);
}

TEST(Database, SnapModesAndGridSnap)
{
    CREGDatabase db;
    EXPECT_EQ(db.GetSnapMode(), 29);
    db.SetSnapMode(32);
    EXPECT_EQ(db.GetSnapMode(), 30);
    db.SetSnapMode(32);
    db.CycleSnapMode();
    EXPECT_EQ(db.GetSnapMode(), 29);
    db.SetSnapMode(33);
    db.SetSnapMode(32);
    EXPECT_EQ(db.GetSnapMode(), 33);
    EXPECT_EQ(db.SetSnapMode(40), 40);
    EXPECT_EQ(db.GetSnapMode(), 33);

    db.SetCursorMode(119);
    EXPECT_EQ(db.SetCursorMode(115), 119);
    EXPECT_EQ(db.GetCursorMode(), 116);
    EXPECT_EQ(db.SetCursorMode(200), 116);

    CViewContext vc;
    SetScaledView(vc, 200, 100, 10);   // 10 pixels per world unit
    db.SetSnapMode(30);
    db.SetGridState(73);
    // Device (25, 62) is world (2.5, 3.8).
    EXPECT_EQ(db.SnapPoint(&vc, 25, 62, true, 1000), CVector2D(2, 4));
    EXPECT_EQ(db.SnapToGrid(25, 62, &vc), CVector2D(2, 4));
    db.SetGridState(74);
    EXPECT_EQ(db.SnapPoint(&vc, 25, 62, false, 1000), vc.DeviceToWorld(25, 62));
    db.SetSnapMode(31);
    EXPECT_EQ(db.SnapPoint(&vc, 25, 62, true, 1), vc.DeviceToWorld(25, 62));
    db.SetSnapMode(29);
    EXPECT_EQ(db.SnapPoint(&vc, 25, 62, true, 1), CVector2D(2, 3));

    // Far from any node (more than 11 pixels) the grid does not pull.
    db.SetGridState(73);
    db.SetSnapMode(30);
    db.SetGridSpacing(5, 5);
    EXPECT_EQ(db.SnapPoint(&vc, 25, 62, true, 1), CVector2D(2, 3));
}

TEST(Database, GridSettingsStayInRange)
{
    CHintDocument doc;
    CREGDatabase db;
    db.SetDocument(&doc);
    db.SetGridSpacing(-1, 0);
    EXPECT_EQ(db.GetGridSpacing(), CVector2D(0.001, 0.001));
    db.SetGridSpacing(1e9, 2);
    EXPECT_EQ(db.GetGridSpacing(), CVector2D(100000, 2));
    const size_t before = doc.view.hints.size();
    db.SetGridSpacing(1e9, 2);   // unchanged after clamping: no notification
    EXPECT_EQ(doc.view.hints.size(), before);
    EXPECT_EQ(db.SetGridState(75), 74);
    EXPECT_EQ(db.SetGridState(80), 80);
    db.SetGridStyle(11);
    EXPECT_EQ(db.GetGridStyle(), 9);
    db.SetDocument(nullptr);

    // A stored spacing of zero or below is brought into range on loading.
    CREGGrid grid;
    Bytes bytes = StoreBytes([&](CArchive& ar) { grid.Serialize(ar); });
    ASSERT_EQ(bytes.size(), 3u + 16 + 4 + 1);
    const double negative = -2, zero = 0;
    memcpy(bytes.data() + 3, &negative, 8);
    memcpy(bytes.data() + 11, &zero, 8);
    bytes[0] = 16;
    bytes[1] = 32;
    bytes[2] = 48;
    bytes[19] = 11;   // style
    bytes[23] = 7;    // visible
    CREGGrid loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(loaded.GetSpacingX(), 0.001);
    EXPECT_EQ(loaded.GetSpacingY(), 0.001);
    EXPECT_EQ(loaded.GetColour(), RGB(16, 32, 48));
    EXPECT_EQ(loaded.GetStyle(), 11);
    EXPECT_TRUE(loaded.IsVisible());
}

TEST(Database, ArchiveRoundTrip)
{
    CREGDatabase db;
    CLine* line = new CLine;
    line->SetPoints(1, 2, 3, 4);
    line->SetName("L1");
    CPolygon* polygon = new CPolygon;
    polygon->AddPoint(0, 0);
    polygon->AddPoint(1, 0);
    polygon->AddPoint(0, 1);
    CLine* second = new CLine;
    second->SetName("L2");
    db.AddEntity(line, false);
    db.AddEntity(polygon, false);
    db.AddEntity(second, false);
    db.SetSnapMode(33);
    db.SetDefaultContextMenu(6002, 3);
    db.SetGridSpacing(2.5, 0.5);
    db.RecalcExtents(false);
    const Bytes bytes = StoreBytes([&](CArchive& ar) { db.Serialize(ar); });

    CREGDatabase loaded;
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetEntityCount(), 3);
    EXPECT_EQ(loaded.GetEntityAt(0)->GetName(), CString("L1"));
    EXPECT_NE(dynamic_cast<CPolygon*>(loaded.GetEntityAt(1)), nullptr);
    EXPECT_EQ(loaded.GetEntityAt(2)->GetName(), CString("L2"));
    EXPECT_EQ(loaded.GetSnapMode(), 33);
    EXPECT_EQ(loaded.GetReservedValue(), 77);
    EXPECT_EQ(loaded.GetGridSpacing(), CVector2D(2.5, 0.5));
    // The tail: snap mode, reserved value, four extents, menu id and index.
    ByteWriter tail;
    tail.I32(33).I32(77).F64(0).F64(4).F64(3).F64(0).I32(6002).I32(3);
    ASSERT_GE(bytes.size(), tail.bytes.size());
    EXPECT_TRUE(std::equal(tail.bytes.begin(), tail.bytes.end(), bytes.end() - tail.bytes.size()));
    // A loaded database keeps the extents as read.
    const Bytes again = StoreBytes([&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(again, bytes);
}

TEST(Database, UniqueNames)
{
    CREGDatabase db;
    CString out;
    const CString longName("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcd");
    db.MakeUniqueName(longName, out, 22, 21, 20);
    EXPECT_EQ(out, longName);

    auto add = [&](const char* name) {
        CProbe* p = AddProbe(db, 20, 2101);
        p->SetName(name);
    };
    add("Barrier");
    db.MakeUniqueName("Barrier", out, 2101, 21, 20);
    EXPECT_EQ(out, CString("Barrier002"));
    add("Barrier002");
    db.MakeUniqueName("Barrier", out, 2101, 21, 20);
    EXPECT_EQ(out, CString("Barrier003"));
    add("Barrier001");
    db.MakeUniqueName("Barrier001", out, 2101, 21, 20);
    EXPECT_EQ(out, CString("Barrier003"));
    db.MakeUniqueName("Barrier", out, 2102, 21, 20);   // other ids: free
    EXPECT_EQ(out, CString("Barrier"));
    EXPECT_EQ(db.FindEntityByName("barrier", 22, 21, 20), nullptr);

    add(longName);
    db.MakeUniqueName(longName, out, 22, 21, 20);
    EXPECT_EQ(out, longName.Left(27) + "002");

    // Past 951 the counting goes on until the name is free.
    add("W");
    for (int n = 2; n <= 999; ++n) {
        CString name;
        name.Format(n <= 9 ? "W00%i" : n <= 99 ? "W0%i" : "W%i", n);
        add(name);
    }
    db.MakeUniqueName("W", out, 22, 21, 20);
    EXPECT_EQ(out, CString("W1000"));
}

TEST(Database, PickingPrefersTheTopmostCrossingEntity)
{
    CREGDatabase db;
    CViewContext vc;
    SetScaledView(vc, 100, 100, 1);
    TestWindow window(100, 100), other(10, 10);
    CProbe* container = AddProbe(db, 20, 22, 0, 100, 100, 0);
    container->containsAll = true;
    CProbe* lower = AddProbe(db, 20, 22, 40, 60, 60, 40);
    CProbe* upper = AddProbe(db, 20, 22, 45, 55, 55, 45);
    CPickRequest request;
    request.x = 50;
    request.y = 50;
    request.view = &vc;
    request.query = 112;
    request.window = window.Wnd();
    EXPECT_TRUE(db.PickEntity(request));
    EXPECT_EQ(request.result, upper);
    upper->Hide();
    db.PickEntity(request);
    EXPECT_EQ(request.result, lower);
    lower->MakeUnselectable();
    db.PickEntity(request);
    EXPECT_EQ(request.result, container);   // crossing entities win, in array order

    // An entity owned by another window is found only by the point test.
    container->SetOwner(other.Wnd());
    container->containsAll = false;
    EXPECT_FALSE(db.PickEntity(request));
    EXPECT_EQ(request.result, nullptr);
    container->containsAll = true;
    EXPECT_TRUE(db.PickEntity(request));

    CString tip;
    CEntity* found = nullptr;
    db.SetCursorMode(116);
    EXPECT_FALSE(db.HitTest(50, 50, &vc, &tip, &found, window.Wnd(), 21));
    EXPECT_TRUE(tip.IsEmpty());
    db.SetCursorMode(117);
    EXPECT_TRUE(db.HitTest(50, 50, &vc, &tip, &found, window.Wnd(), 21));
    EXPECT_EQ(tip, CString("probe"));
    EXPECT_EQ(found, container);
    EXPECT_EQ(vc.GetPickMode(), 118);   // restored
    EXPECT_EQ(vc.GetLastCursor(), CPoint(INT_MAX, INT_MAX));
}

TEST(Database, NearestSnapPointAndVertexInsertion)
{
    CREGDatabase db;
    CSnapRequest request;
    CVector2D result;
    request.result = &result;
    request.x = 1;
    request.y = 1;
    EXPECT_EQ(db.FindNearestPoint(request), nullptr);
    EXPECT_EQ(result, CVector2D(DBL_MAX, DBL_MAX));

    CLine* a = new CLine;
    a->SetPoints(0, 0, 10, 0);
    CLine* b = new CLine;
    b->SetPoints(2, 2, 20, 20);
    db.AddEntity(a, false);
    db.AddEntity(b, false);
    EXPECT_EQ(db.FindNearestPoint(request), a);
    EXPECT_EQ(result, CVector2D(0, 0));
    request.excluded = a;
    EXPECT_EQ(db.FindNearestPoint(request), b);
    b->AddToSet(24);
    request.unselectedOnly = true;
    EXPECT_EQ(db.FindNearestPoint(request), nullptr);
    b->Hide();   // hidden but selectable: still a candidate
    request.unselectedOnly = false;
    EXPECT_EQ(db.FindNearestPoint(request), b);

    CPolyLine* p = new CPolyLine;
    p->AddPoint(0, 5);
    p->AddPoint(10, 5);
    CPolyLine* q = new CPolyLine;
    q->AddPoint(0, 6);
    q->AddPoint(10, 6);
    db.AddEntity(p, false);
    db.AddEntity(q, false);
    EXPECT_EQ(db.ApplyToNearestEntity(4, 5.8, 8, 0, 4, 10, 20, 4, 21), q);
    EXPECT_EQ(q->GetVertexCount(), 3);
    EXPECT_EQ(q->GetVertexPoint(1), CVector2D(4, 6));
    EXPECT_EQ(p->GetVertexCount(), 2);
    EXPECT_EQ(db.ApplyToNearestEntity(4, 5.8, 100, 90, 90, 100, 20, 4, 21), nullptr);
}

TEST(Database, ContextMenuChoosesTheSubmenu)
{
    CREGDatabase db;
    db.SetDefaultContextMenu(6002, 2);
    CViewContext vc;
    SetScaledView(vc, 100, 100, 1);
    TestWindow window(100, 100);
    CProbe* probe = AddProbe(db, 20, 22, 40, 60, 60, 40);
    probe->SetContextMenu(6002, 1);
    CProbe* plain = AddProbe(db, 20, 22, 70, 90, 90, 70);

    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    HMENU popups[3];
    for (HMENU& h : popups) {
        h = ::CreatePopupMenu();
        ::AppendMenuA(h, MF_STRING, 1, "item");
        bar.AppendMenu(MF_POPUP, (UINT_PTR)h, "popup");
    }
    CContextMenuRequest request;
    request.view = window.Wnd();
    request.viewContext = &vc;
    request.menu = &bar;
    CMenu* sub = nullptr;
    CEntity* entity = probe;
    request.outSubmenu = &sub;
    request.outEntity = &entity;

    // Empty space: the default submenu, and nothing in set 25.
    request.x = 10;
    request.y = 10;
    ASSERT_TRUE(db.ShowContextMenu(request));
    EXPECT_EQ(sub->GetSafeHmenu(), popups[2]);
    EXPECT_EQ(entity, nullptr);
    EXPECT_EQ(db.CountInSet(25), 0);

    // On the entity: its own submenu; it stays in set 25 for the command.
    request.x = 50;
    request.y = 50;
    ASSERT_TRUE(db.ShowContextMenu(request));
    EXPECT_EQ(sub->GetSafeHmenu(), popups[1]);
    EXPECT_EQ(entity, probe);
    EXPECT_TRUE(probe->IsInSet(25));

    // An entity without a menu of its own falls back to the default.
    request.x = 80;
    request.y = 20;
    ASSERT_TRUE(db.ShowContextMenu(request));
    EXPECT_EQ(entity, plain);
    EXPECT_EQ(sub->GetSafeHmenu(), popups[2]);
    EXPECT_FALSE(probe->IsInSet(25));

    // A missing submenu or menu resource shows nothing.
    db.SetDefaultContextMenu(6002, 7);
    request.x = 10;
    request.y = 10;
    EXPECT_FALSE(db.ShowContextMenu(request));
    request.menu = nullptr;
    EXPECT_FALSE(db.ShowContextMenu(request));
}

TEST(Database, FilterIndicesOutsideTheRangeAreIgnored)
{
    CREGDatabase db;
    AddProbe(db, 20, 1);
    db.DefineFilter(30, 20, 22, 21, false);
    db.DefineFilter(-1, 20, 22, 21, false);
    EXPECT_EQ(db.GetFirstInFilter(30), nullptr);
    EXPECT_EQ(db.GetNextInFilter(-1), nullptr);
    db.DefineFilter(29, 20, 22, 21, false);
    EXPECT_NE(db.GetFirstInFilter(29), nullptr);
    EXPECT_EQ(db.GetEntityAt(5), nullptr);
}

TEST(Database, ArgumentFormsOfPickingAndInsertion)
{
    CREGDatabase db;
    CViewContext vc;
    SetScaledView(vc, 100, 100, 1);
    CProbe* probe = AddProbe(db, 20, 22, 45, 55, 55, 45);
    CEntity* found = nullptr;
    CString tip;
    EXPECT_TRUE(db.PickEntity(CPoint(50, 50), &vc, 110, &tip, &found, nullptr));
    EXPECT_EQ(found, probe);
    EXPECT_EQ(tip, CString("probe"));
    EXPECT_FALSE(db.PickEntity(CPoint(5, 5), &vc, 112, nullptr, &found, nullptr));
    EXPECT_EQ(found, nullptr);
    EXPECT_TRUE(db.HitTest(CPoint(50, 50), &vc, nullptr, &found, nullptr));

    CPolyLine* p = new CPolyLine;
    p->AddPoint(0, 5);
    p->AddPoint(10, 5);
    db.AddEntity(p, false);
    // Corners in any order.
    EXPECT_EQ(db.ApplyToNearestEntity(CVector2D(4, 5.5), CVector2D(10, 0), CVector2D(0, 8), 20, 4, 21), p);
    EXPECT_EQ(p->GetVertexPoint(1), CVector2D(4, 5));
    EXPECT_EQ(db.SetGridState(74, true), 74);
}
