// Drawing through the DC wrappers into memory DCs and metafiles, checked by
// the pixels and the records that come out.
#include <gtest/gtest.h>

#include <vector>

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Rect.h"

namespace {

// A white 64x64 bitmap selected into a memory DC like the screen.
struct MemoryCanvas {
    CDC dc;
    CBitmap bitmap;
    CBitmap* oldBitmap = nullptr;
    MemoryCanvas(int w = 64, int h = 64) {
        dc.CreateCompatibleDC(nullptr);
        CDC screen;
        screen.Attach(::GetDC(nullptr));
        bitmap.CreateCompatibleBitmap(&screen, w, h);
        ::ReleaseDC(nullptr, screen.Detach());
        oldBitmap = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(255, 255, 255));
    }
    ~MemoryCanvas() { dc.SelectObject(oldBitmap); }
};

std::vector<DWORD> EnhancedRecordTypes(HENHMETAFILE mf) {
    std::vector<DWORD> types;
    ::EnumEnhMetaFile(
        nullptr, mf,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* rec, int, LPARAM data) -> int {
            reinterpret_cast<std::vector<DWORD>*>(data)->push_back(rec->iType);
            return 1;
        },
        &types, nullptr);
    return types;
}

} // namespace

TEST(RectTest, ArithmeticAndCorners) {
    CRect r(10, 20, 110, 70);
    EXPECT_EQ(r.Width(), 100);
    EXPECT_EQ(r.Height(), 50);
    EXPECT_EQ(r.CenterPoint(), CPoint(60, 45));
    r.TopLeft() = CPoint(0, 0);
    EXPECT_EQ(r, CRect(0, 0, 110, 70));
    r.BottomRight() += CSize(10, 10);
    EXPECT_EQ(r, CRect(0, 0, 120, 80));

    CPoint a(5, 7), b(2, 3);
    CSize d = a - b;
    EXPECT_EQ(d, CSize(3, 4));
    EXPECT_EQ(b + d, a);
    EXPECT_EQ(CRect(0, 0, 10, 10) + CPoint(5, 5), CRect(5, 5, 15, 15));
    EXPECT_EQ(CRect(0, 0, 10, 10) & CRect(5, 5, 20, 20), CRect(5, 5, 10, 10));
    EXPECT_EQ(CRect(0, 0, 10, 10) | CRect(5, 5, 20, 20), CRect(0, 0, 20, 20));
    EXPECT_TRUE((CRect(0, 0, 10, 10) & CRect(20, 20, 30, 30)).IsRectEmpty());

    CRect n(10, 10, 0, 0);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(0, 0, 10, 10));
    n.InflateRect(2, 3);
    EXPECT_EQ(n, CRect(-2, -3, 12, 13));
    n.DeflateRect(1, 1, 2, 2);
    EXPECT_EQ(n, CRect(-1, -2, 10, 11));
    EXPECT_TRUE(n.PtInRect(CPoint(-1, -2)));
    EXPECT_FALSE(n.PtInRect(CPoint(10, 0))); // right and bottom edges are outside

    CPoint packed(static_cast<LPARAM>(MAKELONG(static_cast<WORD>(-5), 12)));
    EXPECT_EQ(packed, CPoint(-5, 12));
}

TEST(DCTest, SelectObjectReturnsThePreviousObjectForRestoring) {
    MemoryCanvas c;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen blue(PS_SOLID, 1, RGB(0, 0, 255));
    HGDIOBJ original = ::GetCurrentObject(c.dc, OBJ_PEN);

    CPen* old = c.dc.SelectObject(&red);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, original);
    EXPECT_EQ(c.dc.SelectObject(&blue), &red); // the program's own wrapper comes back
    c.dc.SelectObject(old);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_PEN), original);

    CGdiObject* oldBrush = c.dc.SelectStockObject(NULL_BRUSH);
    ASSERT_NE(oldBrush, nullptr);
    EXPECT_EQ(::GetCurrentObject(c.dc, OBJ_BRUSH), ::GetStockObject(NULL_BRUSH));
    c.dc.SelectObject(oldBrush);
    EXPECT_NE(::GetCurrentObject(c.dc, OBJ_BRUSH), ::GetStockObject(NULL_BRUSH));
}

TEST(DCTest, LinesShapesAndFillsReachThePixels) {
    MemoryCanvas c;
    CPen red(PS_SOLID, 1, RGB(255, 0, 0));
    CPen* oldPen = c.dc.SelectObject(&red);
    c.dc.MoveTo(0, 5);
    c.dc.LineTo(20, 5);
    EXPECT_EQ(c.dc.GetCurrentPosition(), CPoint(20, 5));
    EXPECT_EQ(c.dc.GetPixel(10, 5), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(20, 5), RGB(255, 255, 255)); // the end point is not drawn

    CBrush green(RGB(0, 255, 0));
    CBrush* oldBrush = c.dc.SelectObject(&green);
    c.dc.Rectangle(30, 30, 40, 40);
    EXPECT_EQ(c.dc.GetPixel(30, 35), RGB(255, 0, 0)); // outline
    EXPECT_EQ(c.dc.GetPixel(35, 35), RGB(0, 255, 0)); // inside
    POINT tri[3] = {{0, 60}, {20, 40}, {40, 60}};
    c.dc.Polygon(tri, 3);
    EXPECT_EQ(c.dc.GetPixel(20, 55), RGB(0, 255, 0));
    c.dc.SelectObject(oldBrush);
    c.dc.SelectObject(oldPen);

    c.dc.FillSolidRect(CRect(50, 0, 60, 10), RGB(0, 0, 128));
    EXPECT_EQ(c.dc.GetPixel(55, 5), RGB(0, 0, 128));
    EXPECT_EQ(c.dc.GetPixel(60, 5), RGB(255, 255, 255));

    // Hatched brush: both colours appear in a filled square.
    CBrush hatch(HS_CROSS, RGB(0, 0, 0));
    c.dc.FillRect(CRect(0, 10, 16, 26), &hatch);
    int black = 0, white = 0;
    for (int y = 10; y < 26; ++y)
        for (int x = 0; x < 16; ++x) (c.dc.GetPixel(x, y) == 0 ? black : white)++;
    EXPECT_GT(black, 0);
    EXPECT_GT(white, 0);
}

TEST(DCTest, ClippingAndSaveRestore) {
    MemoryCanvas c;
    int saved = c.dc.SaveDC();
    c.dc.IntersectClipRect(10, 10, 20, 20);
    CRect box;
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(10, 10, 20, 20));
    c.dc.FillSolidRect(0, 0, 64, 64, RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(15, 15), RGB(0, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(5, 5), RGB(255, 255, 255));
    c.dc.RestoreDC(saved);
    c.dc.GetClipBox(&box);
    EXPECT_EQ(box, CRect(0, 0, 64, 64));

    CRgn region;
    region.CreateEllipticRgn(0, 0, 64, 64);
    c.dc.SelectClipRgn(&region);
    c.dc.FillSolidRect(0, 0, 64, 64, RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(32, 32), RGB(255, 0, 0));
    EXPECT_EQ(c.dc.GetPixel(1, 1), RGB(255, 255, 255)); // a corner outside the ellipse
    c.dc.SelectClipRgn(nullptr);
}

TEST(DCTest, MappingModesConvertBothWays) {
    MemoryCanvas c;
    c.dc.SetMapMode(MM_ANISOTROPIC);
    c.dc.SetWindowExt(100, 100);
    c.dc.SetViewportExt(50, -50);
    c.dc.SetViewportOrg(10, 60);
    CPoint p(40, 20);
    c.dc.LPtoDP(&p);
    EXPECT_EQ(p, CPoint(30, 50));
    c.dc.DPtoLP(&p);
    EXPECT_EQ(p, CPoint(40, 20));
    CSize s(100, 100);
    c.dc.LPtoDP(&s);
    EXPECT_EQ(s, CSize(50, -50));

    c.dc.SetMapMode(MM_TEXT);
    c.dc.SetViewportOrg(0, 0);
    CSize inch(2540, 2540); // one inch in HIMETRIC
    c.dc.HIMETRICtoDP(&inch);
    EXPECT_EQ(inch.cx, c.dc.GetDeviceCaps(LOGPIXELSX));
    c.dc.DPtoHIMETRIC(&inch);
    EXPECT_NEAR(inch.cx, 2540, 1);

    c.dc.SetMapMode(MM_HIMETRIC);
    CPoint one(2540, -2540);
    c.dc.LPtoDP(&one);
    EXPECT_NEAR(one.x, c.dc.GetDeviceCaps(LOGPIXELSX), 1);
}

TEST(DCTest, PointFontHeightFollowsTheDevice) {
    MemoryCanvas c;
    CFont font;
    ASSERT_TRUE(font.CreatePointFont(120, "Arial", &c.dc));
    LOGFONTA lf;
    font.GetLogFont(&lf);
    EXPECT_EQ(lf.lfHeight, -::MulDiv(120, c.dc.GetDeviceCaps(LOGPIXELSY), 720));
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    // In a mapping mode with 0.01 mm units, 72 pt (one inch) is 2540 units.
    c.dc.SetMapMode(MM_HIMETRIC);
    LOGFONTA req{};
    req.lfHeight = 720;
    lstrcpyA(req.lfFaceName, "Arial");
    CFont big;
    ASSERT_TRUE(big.CreatePointFontIndirect(&req, &c.dc));
    big.GetLogFont(&lf);
    EXPECT_NEAR(lf.lfHeight, -2540, 30);
    c.dc.SetMapMode(MM_TEXT);

    CFont* old = c.dc.SelectObject(&font);
    CSize wide = c.dc.GetTextExtent("WWWW");
    CSize narrow = c.dc.GetTextExtent("WWWWxxxx", 2);
    EXPECT_GT(wide.cx, narrow.cx);
    EXPECT_GT(wide.cy, 0);
    c.dc.SetBkMode(TRANSPARENT);
    c.dc.SetTextColor(RGB(0, 0, 255));
    c.dc.TextOut(2, 2, "W");
    bool blue = false;
    for (int y = 2; y < 2 + wide.cy && !blue; ++y)
        for (int x = 2; x < 2 + wide.cx / 4; ++x) blue = blue || c.dc.GetPixel(x, y) == RGB(0, 0, 255);
    EXPECT_TRUE(blue);
    CRect calc(0, 0, 0, 0);
    c.dc.DrawText("WWWW", &calc, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calc.Size(), wide);
    c.dc.SelectObject(old);
}

TEST(DCTest, BlitsCopyAndStretch) {
    MemoryCanvas src(8, 8), dst;
    src.dc.FillSolidRect(0, 0, 4, 8, RGB(255, 0, 0));
    dst.dc.BitBlt(0, 0, 8, 8, &src.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(6, 1), RGB(255, 255, 255));
    dst.dc.StretchBlt(0, 16, 32, 32, &src.dc, 0, 0, 8, 8, SRCCOPY);
    EXPECT_EQ(dst.dc.GetPixel(10, 30), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(24, 30), RGB(255, 255, 255));

    // Pattern brush from a bitmap repeats it.
    CBrush pattern(&src.bitmap);
    dst.dc.FillRect(CRect(32, 0, 48, 8), &pattern);
    EXPECT_EQ(dst.dc.GetPixel(33, 1), RGB(255, 0, 0));
    EXPECT_EQ(dst.dc.GetPixel(38, 1), RGB(255, 255, 255));
    EXPECT_EQ(dst.dc.GetPixel(41, 1), RGB(255, 0, 0));
}

TEST(DCTest, EnhancedMetafileRecordsTheDrawing) {
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    CMetaFileDC meta;
    CRect bounds(0, 0, 2540, 2540);
    ASSERT_TRUE(meta.CreateEnhanced(&screen, nullptr, &bounds, "Clastor\0Copy\0\0"));
    CPen pen(PS_DASH, 1, RGB(1, 2, 3));
    CPen* old = meta.SelectObject(&pen);
    meta.MoveTo(0, 0);
    meta.LineTo(50, 50);
    meta.Ellipse(10, 10, 30, 30);
    meta.SelectObject(old);
    HENHMETAFILE mf = meta.CloseEnhanced();
    ::ReleaseDC(nullptr, screen.Detach());
    ASSERT_NE(mf, nullptr);

    std::vector<DWORD> types = EnhancedRecordTypes(mf);
    auto has = [&](DWORD t) { return std::find(types.begin(), types.end(), t) != types.end(); };
    EXPECT_EQ(types.front(), static_cast<DWORD>(EMR_HEADER));
    EXPECT_TRUE(has(EMR_CREATEPEN) || has(EMR_EXTCREATEPEN));
    EXPECT_TRUE(has(EMR_MOVETOEX));
    EXPECT_TRUE(has(EMR_LINETO));
    EXPECT_TRUE(has(EMR_ELLIPSE));
    EXPECT_EQ(types.back(), static_cast<DWORD>(EMR_EOF));

    char desc[64] = {};
    UINT n = ::GetEnhMetaFileDescriptionA(mf, sizeof(desc), desc);
    ASSERT_GT(n, 0u);
    EXPECT_STREQ(desc, "Clastor");
    EXPECT_STREQ(desc + 8, "Copy");

    // Played back, it draws.
    MemoryCanvas c;
    c.dc.PlayMetaFile(mf, CRect(0, 0, 64, 64));
    bool drawn = false;
    for (int i = 0; i < 64 && !drawn; ++i) drawn = c.dc.GetPixel(i, i) != RGB(255, 255, 255);
    EXPECT_TRUE(drawn);
    ::DeleteEnhMetaFile(mf);
}

TEST(DCTest, WindowsMetafileRecordsAndUsesItsAttributeDC) {
    CMetaFileDC meta;
    ASSERT_TRUE(meta.Create());
    CDC screen;
    screen.Attach(::GetDC(nullptr));
    meta.SetAttribDC(screen);
    meta.SetMapMode(MM_ANISOTROPIC);
    meta.SetWindowExt(100, 100);
    meta.SetViewportExt(100, 100);
    meta.Rectangle(0, 0, 10, 10);
    meta.TextOut(0, 0, "Hi");
    // Queries are answered by the attribute DC, so extents are real.
    EXPECT_GT(meta.GetTextExtent("Hi").cx, 0);
    meta.SetMapMode(MM_TEXT);
    meta.ReleaseAttribDC();
    ::ReleaseDC(nullptr, screen.Detach());
    HMETAFILE mf = meta.Close();
    ASSERT_NE(mf, nullptr);

    std::vector<WORD> functions;
    UINT size = ::GetMetaFileBitsEx(mf, 0, nullptr);
    std::vector<BYTE> bits(size);
    ::GetMetaFileBitsEx(mf, size, bits.data());
    // Walk the records after the 18-byte header: size in words, then the function.
    for (size_t at = 18; at + 6 <= bits.size();) {
        DWORD words = *reinterpret_cast<DWORD*>(&bits[at]);
        functions.push_back(*reinterpret_cast<WORD*>(&bits[at + 4]));
        if (words < 3) break;
        at += words * 2;
    }
    auto has = [&](WORD f) { return std::find(functions.begin(), functions.end(), f) != functions.end(); };
    EXPECT_TRUE(has(META_SETMAPMODE));
    EXPECT_TRUE(has(META_SETWINDOWEXT));
    EXPECT_TRUE(has(META_RECTANGLE));
    EXPECT_TRUE(has(META_TEXTOUT) || has(META_EXTTEXTOUT));
    EXPECT_EQ(functions.back(), 0); // the end record
    ::DeleteMetaFile(mf);
}

TEST(DCTest, FromHandleGivesTemporaryWrappersThatDoNotOwn) {
    HPEN raw = ::CreatePen(PS_SOLID, 1, 0);
    CPen* temp = CPen::FromHandle(raw);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(CPen::FromHandle(raw), temp);
    CGdiObject::DeleteTempMap();
    LOGPEN lp;
    EXPECT_NE(::GetObjectA(raw, sizeof(lp), &lp), 0); // still alive
    ::DeleteObject(raw);

    HDC mem = ::CreateCompatibleDC(nullptr);
    CDC* wrapped = CDC::FromHandle(mem);
    EXPECT_EQ(wrapped->GetSafeHdc(), mem);
    CDC::DeleteTempMap();
    EXPECT_NE(::GetDeviceCaps(mem, LOGPIXELSX), 0);
    ::DeleteDC(mem);
}

TEST(DCTest, DragRectanglesDrawAndEraseThemselves) {
    MemoryCanvas c;
    CRect first(10, 10, 30, 30), second(20, 20, 50, 40);
    CSize thick(2, 2);
    // The frame is drawn with a grey checker: about half of its pixels change.
    auto changedOnColumn = [&](int x, int top, int bottom) {
        int changed = 0;
        for (int y = top; y < bottom; ++y) changed += c.dc.GetPixel(x, y) != RGB(255, 255, 255);
        return changed;
    };
    c.dc.DrawDragRect(&first, thick, nullptr, thick);
    EXPECT_GE(changedOnColumn(10, 10, 30), 8);
    EXPECT_EQ(changedOnColumn(15, 13, 27), 0); // the inside stays
    // Moving it: the old frame goes, the new one shows.
    c.dc.DrawDragRect(&second, thick, &first, thick);
    for (int y = 10; y < 30; ++y) EXPECT_EQ(c.dc.GetPixel(10, y), RGB(255, 255, 255)) << y;
    EXPECT_GE(changedOnColumn(49, 20, 40), 8);
    // Erasing it leaves the canvas as it was.
    CRect none(0, 0, 0, 0);
    c.dc.DrawDragRect(&none, CSize(0, 0), &second, thick);
    for (int y = 0; y < 64; y += 3)
        for (int x = 0; x < 64; x += 3) ASSERT_EQ(c.dc.GetPixel(x, y), RGB(255, 255, 255)) << x << "," << y;
}
