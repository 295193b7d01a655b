#include <algorithm>
#include <gtest/gtest.h>

#include <cfloat>
#include <memory>
#include <vector>
#include "model/MarkerLine.h"
#include "model/ModelClasses.h"
#include "model/TalusimRockPath.h"
#include "tests/model/ArchiveBytes.h"
#include "tests/model/DrawingSupport.h"

using model_test::MemoryCanvas;

TEST(RockPath, ExtentsFollowTheSegments)
{
    CTalusimRockPath p;
    EXPECT_EQ(p.GetKindId(), 2105);
    EXPECT_EQ(p.GetCategoryId(), 2165);
    EXPECT_EQ(p.GetColour(), 255u);
    EXPECT_EQ(p.GetAltColour(), 0xFFFF00u);
    EXPECT_EQ(p.GetSelectStyle(), 1);
    EXPECT_EQ(p.GetLeft(), 0.0);
    EXPECT_EQ(p.GetTop(), 0.1);
    EXPECT_EQ(p.GetRight(), 0.1);
    EXPECT_EQ(p.GetBottom(), 0.0);
    EXPECT_EQ(p.GetLastPoint(), CVector2D(DBL_MAX, DBL_MAX));
    EXPECT_EQ(p.GetSegmentUpperBound(), -1);

    // A flight with vy = 2, g = 10 peaks 0.2 above its start.
    p.AddCurvedSegment(5, 5, 7, 2.5, 2, 2, 1, 10);
    EXPECT_DOUBLE_EQ(p.GetTop(), 5.2);
    EXPECT_EQ(p.GetLeft(), 5.0);
    EXPECT_EQ(p.GetBottom(), 2.5);
    EXPECT_EQ(p.GetLastPoint(), CVector2D(7, 2.5));

    p.AddStraightSegment(7, 2.5, 9, 1, 0, 10);
    p.AddStraightSegment(9, 1, 10, 0, 0, 10);
    p.AddStraightSegment(10, 0, 12, -1, 0, 10);
    EXPECT_EQ(p.GetSegmentUpperBound(), 3);
    EXPECT_EQ(p.GetRight(), 12.0);
    EXPECT_EQ(p.GetBottom(), -1.0);
    EXPECT_TRUE(p.GetSegment(1)->IsStraight());

    EXPECT_FALSE(p.QueryOption(nullptr, nullptr, 110));
    CString tip = "x";
    p.get_data_tip_text(0, 0, 0, nullptr, tip);
    EXPECT_TRUE(tip.IsEmpty());
}

TEST(RockPath, ExportLayerAndColourFollowTheFilter)
{
    CTalusimRockPath p;
    p.AddStraightSegment(0, 0, 1, 1, 0, 10);
    p.AddCurvedSegment(1, 1, 3, 0, 2, 0, 1, 2);
    EXPECT_EQ(p.GetExportPartCount(), 1);
    CVectorArray pts;
    EXPECT_TRUE(p.GetExportPartPoints(0, pts));
    EXPECT_EQ(pts.GetSize(), 44);
    EXPECT_EQ(pts[21], CVector2D(1, 1));
    EXPECT_EQ(pts[43], CVector2D(3, 0));

    const struct {
        int category;
        const char* layer;
        COLORREF colour;
    } cases[] = {
        {2164, "SELECTED_PATHS", 0xFFFF00},
        {2165, "ALL_PATHS", 255},
        {2133, "ERROR", 255},
    };
    for (const auto& c : cases) {
        p.SetCategoryId(c.category);
        EXPECT_EQ(p.GetExportPartLayer(0), CString(c.layer)) << c.category;
        EXPECT_EQ(p.GetExportPartColour(0), c.colour) << c.category;
    }
}

TEST(RockPath, ChordsOfAFlightInTheView)
{
    CViewContext view;
    model_test::SetUpView(view);   // 10 pixels per unit
    CTalusimPathSegment s;
    // A falling flight whose box spans 40 x 10 pixels.
    s.SetFlight(2, 10, 6, 9, 4, 0, 1, 2);
    EXPECT_EQ(s.GetChordCount(view), 11);
    view.SetOffscreenMode(true);   // rendering for the clipboard: 8-pixel chords
    EXPECT_EQ(s.GetChordCount(view), 6);
    view.SetOffscreenMode(false);
    // 2 x 3 pixels: one chord.
    s.SetFlight(2, 10, 2.2, 9.7, 0.2, 0, 1, 0.6);
    EXPECT_EQ(s.GetChordCount(view), 1);
    // Start and end on the same pixel: one chord, however high it flew.
    s.SetFlight(2, 10, 2.01, 10, 0.01, 10, 2, 10);
    EXPECT_EQ(s.GetChordCount(view), 1);
    s.SetStraight(0, 0, 10, 10, 0, 10);
    EXPECT_EQ(s.GetChordCount(view), 1);
}

TEST(RockPath, DrawsAndHitsAlongTheParabola)
{
    CViewContext view;
    model_test::SetUpView(view);
    // Thrown up from (2, 5) at (4, 8) with g = 10 for 2 s: the apex (5.2, 8.2).
    CTalusimRockPath p;
    p.AddCurvedSegment(2, 5, 10, 1, 4, 8, 2, 10);
    p.AddStraightSegment(10, 1, 18, 1, 0, 10);

    MemoryCanvas canvas;
    p.Draw(&canvas.dc, &view);
    const COLORREF red = RGB(255, 0, 0);
    EXPECT_EQ(canvas.At(view.WorldToDevice(14, 1)), red);
    // Near the apex of the drawn chords (within a pixel of the true curve).
    const CPoint apex = view.WorldToDevice(5.2, 8.2);
    bool onCurve = false;
    for (int dy = -1; dy <= 1; ++dy)
        onCurve = onCurve || canvas.At(apex.x, apex.y + dy) == red;
    EXPECT_TRUE(onCurve);
    EXPECT_EQ(canvas.At(view.WorldToDevice(5.2, 5)), RGB(255, 255, 255));   // under the arc

    // Filtered paths draw in the second colour.
    p.SetCategoryId(2164);
    MemoryCanvas second;
    p.Draw(&second.dc, &view);
    EXPECT_EQ(second.At(view.WorldToDevice(14, 1)), RGB(0, 255, 255));

    // top, left, bottom, right
    EXPECT_TRUE(p.CrossesRect(8.3, 5.0, 8.0, 5.4, &view, nullptr));   // the apex
    EXPECT_FALSE(p.CrossesRect(7.0, 5.0, 6.0, 5.4, &view, nullptr));  // under the arc
    EXPECT_TRUE(p.CrossesRect(1.5, 13, 0.5, 15, &view, nullptr));     // the straight piece
    EXPECT_FALSE(p.CrossesRect(8.3, 5.0, 8.0, 5.4, nullptr, nullptr));
}

TEST(RockPath, LongFlightsDrawOnlyWhatShowsButLoseNothing)
{
    // World (40, 0)..(60, 20) on the canvas: x and y ranges differ, so that a
    // box test with its corners mixed up would show.
    CViewContext view;
    view.SetDeviceOrigin(0, 0);
    view.SetDeviceExtent(200, 200);
    view.SetWorldWindow(40, 0, 60, 20);
    // 60 units wide at 10 pixels per unit: 151 chords, most of them far
    // outside the 200-pixel canvas.
    const double x0 = 35, y0 = 2, vx = 10, vy = 12, g = 4, T = 6;
    const double x1 = x0 + vx * T, y1 = y0 + vy * T - g * T * T / 2;
    CTalusimRockPath p;
    p.AddCurvedSegment(x0, y0, x1, y1, vx, vy, T, g);
    const int n = p.GetSegment(0)->GetChordCount(view);
    ASSERT_GE(n, 100);
    MemoryCanvas drawn;
    p.Draw(&drawn.dc, &view);

    // The same chords joined without any culling.
    MemoryCanvas reference;
    CPen pen(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* old = reference.dc.SelectObject(&pen);
    reference.dc.MoveTo(view.WorldToDevice(x0, y0));
    for (int i = 1; i < n; ++i) {
        const double t = i * (T / n);
        reference.dc.LineTo(view.WorldToDevice(x0 + vx * t, y0 + vy * t - g * t * t / 2));
    }
    reference.dc.LineTo(view.WorldToDevice(x1, y1));
    reference.dc.SelectObject(old);

    int redPixels = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            ASSERT_EQ(drawn.At(x, y), reference.At(x, y)) << x << "," << y;
            redPixels += drawn.At(x, y) == RGB(255, 0, 0) ? 1 : 0;
        }
    EXPECT_GT(redPixels, 100);
}

TEST(RockPath, PathsSharingAStoreKeepTheirOwnPieces)
{
    CPathSegmentStore store;
    CTalusimRockPath a, b;
    a.AddStraightSegment(0, 10, 1, 9, 0, 9.81);   // before the store: copied into it
    a.UseStore(&store);
    b.UseStore(&store);
    b.AddStraightSegment(100, 50, 101, 49, 0, 9.81);
    // A piece for a path whose pieces no longer end the store moves them to the end.
    a.AddStraightSegment(1, 9, 2, 8, 0, 9.81);
    b.AddStraightSegment(101, 49, 102, 48, 0, 9.81);
    ASSERT_EQ(a.GetSegmentUpperBound(), 1);
    ASSERT_EQ(b.GetSegmentUpperBound(), 1);
    EXPECT_EQ(a.GetSegment(0)->GetStartPoint(), CVector2D(0, 10));
    EXPECT_EQ(a.GetLastPoint(), CVector2D(2, 8));
    EXPECT_EQ(b.GetSegment(0)->GetStartPoint(), CVector2D(100, 50));
    EXPECT_EQ(b.GetLastPoint(), CVector2D(102, 48));

    // Emptied under them, the paths have no pieces rather than someone else's.
    store.Empty();
    CTalusimRockPath c;
    c.UseStore(&store);
    c.AddStraightSegment(7, 7, 8, 6, 0, 9.81);
    EXPECT_EQ(a.GetSegmentUpperBound(), -1);
    EXPECT_EQ(a.GetLastPoint(), CVector2D(DBL_MAX, DBL_MAX));
    EXPECT_EQ(c.GetLastPoint(), CVector2D(8, 6));
    b.AddStraightSegment(3, 3, 4, 2, 0, 9.81);
    ASSERT_EQ(b.GetSegmentUpperBound(), 0);
    EXPECT_EQ(b.GetSegment(0)->GetStartPoint(), CVector2D(3, 3));
    EXPECT_EQ(c.GetLastPoint(), CVector2D(8, 6));
}

TEST(RockPath, PathsLongerThanABlockAndManyPathsInOneStore)
{
    CPathSegmentStore store;
    const size_t longPath = CPathSegmentStore::kBlockPieces + 200;
    std::vector<std::unique_ptr<CTalusimRockPath>> paths;
    for (int k = 0; k < 40; ++k) {
        auto p = std::make_unique<CTalusimRockPath>();
        p->UseStore(&store);
        const size_t pieces = k == 5 ? longPath : 30;
        for (size_t i = 0; i < pieces; ++i)
            p->AddStraightSegment(k, -double(i), k, -double(i) - 1, 0, 9.81);
        paths.push_back(std::move(p));
    }
    for (int k = 0; k < 40; ++k) {
        const CTalusimRockPath& p = *paths[static_cast<size_t>(k)];
        const size_t pieces = k == 5 ? longPath : 30;
        ASSERT_EQ(p.GetSegmentUpperBound(), int(pieces) - 1) << k;
        EXPECT_EQ(p.GetSegment(0)->GetStartPoint(), CVector2D(k, 0)) << k;
        EXPECT_EQ(p.GetLastPoint(), CVector2D(k, -double(pieces))) << k;
    }
}

TEST(RockPath, ArchiveOwnsItsSegments)
{
    RegisterModelClasses();
    CTalusimRockPath p;
    p.SetCategoryId(2164);
    p.AddCurvedSegment(0, 10, 4, 6, 2, 1, 2, 2.5);
    p.AddStraightSegment(4, 6, 8, 5, 0, 9.81);
    const std::vector<BYTE> bytes = model_test::StoreObject(&p);
    EXPECT_EQ(bytes[2], 1);
    double placeholder = -1;
    memcpy(&placeholder, &bytes[bytes.size() - 8], 8);
    EXPECT_EQ(placeholder, 0.0);

    std::unique_ptr<CTalusimRockPath> back(model_test::LoadObject<CTalusimRockPath>(bytes));
    ASSERT_TRUE(back);
    ASSERT_EQ(back->GetSegmentUpperBound(), 1);
    EXPECT_FALSE(back->GetSegment(0)->IsStraight());
    EXPECT_TRUE(back->GetSegment(1)->IsStraight());
    EXPECT_EQ(back->GetLastPoint(), CVector2D(8, 5));
    EXPECT_EQ(back->GetCategoryId(), 2164);
    EXPECT_EQ(back->GetTop(), p.GetTop());
    EXPECT_EQ(back->GetKindId(), 2105);

    // A path record cut inside its second segment: the archive's error, no leak of a half path.
    std::vector<BYTE> cut(bytes.begin(), bytes.end() - 30);
    int cause = 0;
    EXPECT_EQ(model_test::LoadObject<CTalusimRockPath>(cut, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::endOfFile);
}

TEST(RockPath, ASecondReferenceToAPieceIsADamagedFile)
{
    // The path keeps copies of its pieces and frees what it read, so a file that
    // refers back to a piece already read must be refused, never followed.
    RegisterModelClasses();
    CTalusimRockPath p;
    p.AddStraightSegment(4, 6, 8, 5, 0, 9.81);
    std::vector<BYTE> bytes = model_test::StoreObject(&p);
    const std::string name = "CTalusimPathSegment";
    auto at = std::search(bytes.begin(), bytes.end(), name.begin(), name.end());
    ASSERT_NE(at, bytes.end());
    const size_t countAt = (at - bytes.begin()) - 8;  // count, new-class tag, schema, name length
    ASSERT_EQ(bytes[countAt], 1);
    bytes[countAt] = 2;
    // Objects are numbered with their classes: path class 1, path 2, piece class 3, piece 4.
    const BYTE backReference[] = {0x04, 0x00};
    bytes.insert(bytes.end() - 8, std::begin(backReference), std::end(backReference));
    int cause = 0;
    EXPECT_EQ(model_test::LoadObject<CTalusimRockPath>(bytes, &cause), nullptr);
    EXPECT_EQ(cause, CArchiveException::badIndex);
}

TEST(MarkerLine, ThreeAdjacentLinesGreyGreyBlack)
{
    CTalusimMarkerLine m;
    EXPECT_EQ(m.GetColour(), RGB(255, 255, 0));
    EXPECT_EQ(m.GetLineWidth(), 2);
    EXPECT_EQ(m.GetCategoryId(), 2201);
    EXPECT_EQ(m.GetRuntimeClass(), RUNTIME_CLASS(CLine));
    m.SetPoints(10, 5, 10, 0);

    CViewContext view;
    model_test::SetUpView(view);
    MemoryCanvas canvas;
    CPen mine(PS_SOLID, 1, RGB(1, 2, 3));
    CPen* before = canvas.dc.SelectObject(&mine);
    m.Draw(&canvas.dc, &view);
    const CPoint s = view.WorldToDevice(10, 5);
    const int y = s.y + 10;   // halfway down the line
    EXPECT_EQ(canvas.At(s.x - 1, y), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(s.x, y), RGB(192, 192, 192));
    EXPECT_EQ(canvas.At(s.x + 1, y), RGB(192, 192, 192));
    EXPECT_EQ(canvas.At(s.x + 2, y), RGB(0, 0, 0));
    EXPECT_EQ(canvas.At(s.x + 3, y), RGB(255, 255, 255));
    // The caller's pen is current again.
    EXPECT_EQ(canvas.dc.SelectObject(before), &mine);

    // In black and white the grey lines follow the view's conversion.
    view.SetColourMode(COLOUR_BLACK_WHITE);
    MemoryCanvas bw;
    m.Draw(&bw.dc, &view);
    EXPECT_EQ(bw.At(s.x, y), view.GetDisplayColour(RGB(192, 192, 192)));
    EXPECT_EQ(bw.At(s.x + 2, y), RGB(0, 0, 0));

    // Showing it with the same points again changes nothing.
    EXPECT_FALSE(m.SetPoints(10, 5, 10, 0));
}
