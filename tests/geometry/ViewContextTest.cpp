#include <gtest/gtest.h>
#include <cfloat>
#include <climits>
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ViewContext.h"
#include "tests/geometry/DatabaseTestSupport.h"

namespace {

// World (0..width, 0..height) on a device of the same pixel size: scale 1.
void SetView(CViewContext& vc, int width, int height)
{
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(width, height);
    vc.SetWorldOrigin(0, height);
    vc.SetWorldExtent(width, height);
}

} // namespace

TEST(ViewContext, InitialisesOnceEverythingIsSet)
{
    CViewContext vc;
    EXPECT_FALSE(vc.IsInitialised());
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(0, 50);   // rejected, but counts as set
    vc.SetWorldOrigin(0, 0);
    EXPECT_FALSE(vc.IsInitialised());
    vc.SetWorldExtent(10, 10);
    EXPECT_TRUE(vc.IsInitialised());
    EXPECT_EQ(vc.GetDeviceExtent(), CSize(1, 1));
}

TEST(ViewContext, IsotropicScalesAndMapping)
{
    CViewContext vc;
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(400, 400);
    vc.SetWorldOrigin(0, 50);
    vc.SetWorldExtent(100, 50);
    EXPECT_DOUBLE_EQ(vc.GetScaleX(), 4);
    EXPECT_DOUBLE_EQ(vc.GetScaleY(), -4);
    EXPECT_EQ(vc.GetWorldExtent(), CVector2D(100, 50));
    EXPECT_EQ(vc.WorldToDevice(25, 25), CPoint(100, 100));
    EXPECT_EQ(vc.DeviceToWorld(100, 100), CVector2D(25, 25));
    vc.SetIsotropic(false);
    EXPECT_DOUBLE_EQ(vc.GetScaleY(), -8);

    // Back and forth lands within one pixel's world size (truncation).
    vc.SetIsotropic(true);
    const CVector2D p(12.3456, 7.891);
    const CVector2D q = vc.DeviceToWorld(vc.WorldToDevice(p));
    EXPECT_LE(std::fabs(q.x - p.x), 0.25);
    EXPECT_LE(std::fabs(q.y - p.y), 0.25);
    EXPECT_EQ(vc.DeviceToWorldExact(100.5, 100).x, 25.125);
}

TEST(ViewContext, MapsSurveyCoordinatesExactlyAndClampsOnlyPixels)
{
    CViewContext vc;
    SetView(vc, 100, 100);
    // Only the pixels are limited: a point a billion units away lies at the
    // device limit, and one just past 300000 world units is not pulled back.
    EXPECT_EQ(vc.WorldToDevice(1e9, 50).x, 300000);
    EXPECT_EQ(vc.WorldToDevice(-1e9, 50).x, -300000);
    vc.SetWorldExtent(1e-6, 1e-6);   // 1e8 pixels per unit
    EXPECT_EQ(vc.WorldToDevice(1, 100).x, 300000);
    vc.SetClampEnabled(false);
    EXPECT_EQ(vc.WorldToDevice(1e300, 100).x, INT_MAX);
    EXPECT_EQ(vc.WorldToDevice(std::nan(""), 100).x, 0);
    vc.SetClampEnabled(true);

    // A window of 1000 x 500 m around UTM-like coordinates on 1000 x 500 pixels.
    vc.SetDeviceExtent(1000, 500);
    vc.SetWorldWindow(512000, 5000500, 513000, 5000000);
    const struct {
        double x, y;
        int px, py;
    } cases[] = {
        {512000, 5000500, 0, 0},
        {512345, 5000250, 345, 250},
        {513000, 5000000, 1000, 500},
        {511000, 5001000, -1000, -500},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vc.WorldToDevice(c.x, c.y), CPoint(c.px, c.py)) << c.x << ", " << c.y;
        EXPECT_EQ(vc.DeviceToWorld(c.px, c.py), CVector2D(c.x, c.y));
    }
}

TEST(ViewContext, WindowsBoxesAndPicking)
{
    CViewContext vc;
    SetView(vc, 100, 100);
    vc.SetWorldWindow(10, 0, 0, 5);
    EXPECT_EQ(vc.GetWorldOrigin(), CVector2D(0, 5));
    EXPECT_EQ(vc.GetWorldExtent(), CVector2D(10, 5));
    double l, b, r, t;
    vc.GetWorldWindow(l, b, r, t);
    EXPECT_EQ(l, 0);
    EXPECT_EQ(b, 0);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(t, 5);

    SetView(vc, 100, 100);
    CVector2D c1, c2;
    vc.GetPickBox(50, 50, c1, c2);
    EXPECT_EQ(c1, CVector2D(44, 56));
    EXPECT_EQ(c2, CVector2D(56, 44));
    EXPECT_TRUE(vc.IsNearDevicePoint(CVector2D(50, 50), 61, 39));
    EXPECT_FALSE(vc.IsNearDevicePoint(CVector2D(50, 50), 62, 50));
    EXPECT_TRUE(vc.ArePointsNear(CVector2D(0, 0), CVector2D(11, 11)));
    EXPECT_DOUBLE_EQ(vc.GetPickRadius(), std::sqrt(288.0));
    EXPECT_DOUBLE_EQ(vc.PixelsToWorldLength(7), 7);

    const double a[4] = {1, 9, 9, 1}, inside[4] = {0, 10, 10, 0}, lowB[4] = {0, 10, 10, 2};
    EXPECT_TRUE(CViewContext::IsBoxInside(a, inside));
    EXPECT_FALSE(CViewContext::IsBoxInside(a, lowB));   // only A's bottom lies below B
    EXPECT_TRUE(CViewContext::BoxesOverlap(5, 0, 0, 5, 5, 5, 0, 10));
    EXPECT_FALSE(CViewContext::BoxesOverlap(5, 0, 0, 5, 5, 6, 0, 10));
    EXPECT_TRUE(IsPointInBox(1, 1, 0, 2, 2, 0));
    EXPECT_FALSE(IsPointInBox(3, 1, 0, 2, 2, 0));
}

TEST(ViewContext, ZoomAboutTheCentre)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    vc.OnMouseWheel(window.Wnd(), -240, nullptr);
    // Out by 1/0.81 about the centre (100, 50).
    const double f = 1 / 0.81;
    EXPECT_NEAR(vc.GetWorldExtent().x, 200 * f, 1e-9);
    EXPECT_NEAR(vc.GetWorldOrigin().x, 100 - 100 * f, 1e-9);
    EXPECT_NEAR(vc.GetWorldOrigin().y, 50 + 50 * f, 1e-9);

    SetView(vc, 200, 100);
    vc.ZoomIn(window.Wnd(), 0.5, nullptr);
    EXPECT_NEAR(vc.GetWorldOrigin().x, 50, 1e-9);
    EXPECT_NEAR(vc.GetWorldExtent().y, 50, 1e-9);

    // Paper-scale mode leaves the view alone.
    SetView(vc, 200, 100);
    vc.SetPaperScaleMode(true);
    vc.ZoomIn(window.Wnd(), 0.5, nullptr);
    vc.OnMouseWheel(window.Wnd(), 120, nullptr);
    EXPECT_EQ(vc.GetWorldExtent(), CVector2D(200, 100));
    vc.SetPaperScaleMode(false);

    // A ruler margin: the area beside the bands (world 20..200 x 10..100) is
    // zoomed, then the bands are added back at the new scale of 0.9 world
    // units per pixel: 18 to the left, 9 below.
    SetView(vc, 200, 100);
    const RECT margin = {20, 0, 0, 10};
    vc.ZoomIn(window.Wnd(), 1.0, &margin);
    EXPECT_NEAR(vc.GetWorldOrigin().x, 2, 1e-9);
    EXPECT_NEAR(vc.GetWorldOrigin().y, 100, 1e-9);
    EXPECT_NEAR(vc.GetWorldExtent().x, 198, 1e-9);
    EXPECT_NEAR(vc.GetWorldExtent().y, 99, 1e-9);
}

TEST(ViewContext, ZoomToWindowCentresAndWidensDegenerateWindows)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    vc.ZoomToWindow(5, 5, 5, 5, window.Wnd(), nullptr, false);
    // A 20 x 20 window about (5, 5), widened to the 2:1 client.
    const CVector2D tl = vc.DeviceToWorld(0, 0), br = vc.DeviceToWorld(200, 100);
    EXPECT_NEAR((tl.x + br.x) / 2, 5, 1e-9);
    EXPECT_NEAR((tl.y + br.y) / 2, 5, 1e-9);
    EXPECT_NEAR(tl.y - br.y, 20, 1e-9);
    EXPECT_NEAR(br.x - tl.x, 40, 1e-9);

    vc.ZoomToWindow(0, 10, 10, 0, window.Wnd(), nullptr, true);
    const CVector2D tl2 = vc.DeviceToWorld(0, 0), br2 = vc.DeviceToWorld(200, 100);
    EXPECT_NEAR(tl2.y - br2.y, 10 / 0.9, 1e-9);
    EXPECT_NEAR((tl2.x + br2.x) / 2, 5, 1e-9);
}

TEST(ViewContext, OnSizeKeepsTheCentre)
{
    CViewContext vc;
    SetView(vc, 200, 100);
    const CVector2D before = vc.DeviceToWorldExact(100, 50);
    vc.OnSize(400, 300);
    const CVector2D after = vc.DeviceToWorldExact(200, 150);
    EXPECT_NEAR(after.x, before.x, 1e-9);
    EXPECT_NEAR(after.y, before.y, 1e-9);

    vc.SaveView();
    vc.SetWorldOrigin(-7, 7);
    vc.SetDeviceExtent(10, 10);
    vc.RestoreView();
    EXPECT_EQ(vc.GetDeviceExtent(), CSize(400, 300));
    EXPECT_NEAR(vc.DeviceToWorldExact(200, 150).x, before.x, 1e-9);
}

TEST(ViewContext, DynamicZoomEndsOnCancel)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    EXPECT_FALSE(vc.TrackDynamicZoom(401, window.Wnd(), 100, 50));
    EXPECT_TRUE(vc.IsDynamicZoomActive());
    // Dragging down by a quarter of the client height zooms out by 2.
    vc.TrackDynamicZoom(405, window.Wnd(), 100, 75);
    EXPECT_NEAR(vc.GetWorldExtent().x, 400, 1e-9);
    EXPECT_TRUE(vc.TrackDynamicZoom(301, window.Wnd(), 100, 75));
    EXPECT_FALSE(vc.IsDynamicZoomActive());
    // The next press starts a new zoom rather than ending an invisible one.
    vc.TrackDynamicZoom(401, window.Wnd(), 10, 10);
    EXPECT_TRUE(vc.IsDynamicZoomActive());
    EXPECT_TRUE(vc.TrackDynamicZoom(302, window.Wnd(), 10, 10));
    EXPECT_FALSE(vc.IsDynamicZoomActive());
    vc.TrackDynamicZoom(402, window.Wnd(), 10, 10);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(ViewContext, PanKeepsTheAnchorUnderTheMouse)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    vc.TrackPan(401, window.Wnd(), 50, 50);
    vc.TrackPan(405, window.Wnd(), 60, 40);
    EXPECT_NEAR(vc.GetWorldOrigin().x, -10, 1e-9);
    EXPECT_NEAR(vc.GetWorldOrigin().y, 90, 1e-9);
    EXPECT_EQ(vc.DeviceToWorld(60, 40), CVector2D(50, 50));
    EXPECT_TRUE(vc.TrackPan(407, window.Wnd(), 60, 40));
    EXPECT_FALSE(vc.IsPanActive());
    vc.TrackPan(306, window.Wnd(), 0, 0);
    EXPECT_NEAR(vc.GetWorldOrigin().x, 0, 1e-9);
    vc.TrackPan(309, window.Wnd(), 0, 0);
    EXPECT_NEAR(vc.GetWorldOrigin().y, 95, 1e-9);
}

TEST(ViewContext, ZoomWindowNeedsMoreThanFivePixels)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    EXPECT_FALSE(vc.TrackZoomWindow(401, nullptr, window.Wnd(), 20, 20));
    EXPECT_TRUE(vc.IsZoomWindowActive());
    EXPECT_FALSE(vc.TrackZoomWindow(401, nullptr, window.Wnd(), 24, 60));   // 4 pixels wide
    EXPECT_TRUE(vc.IsZoomWindowActive());
    EXPECT_TRUE(vc.TrackZoomWindow(302, nullptr, window.Wnd(), 60, 40));
    EXPECT_FALSE(vc.IsZoomWindowActive());
    // World (20..60) x (60..80) centred in the 2:1 client.
    const CVector2D tl = vc.DeviceToWorld(0, 0), br = vc.DeviceToWorld(200, 100);
    EXPECT_NEAR((tl.x + br.x) / 2, 40, 1e-9);
    EXPECT_NEAR((tl.y + br.y) / 2, 70, 1e-9);
    EXPECT_NEAR(br.x - tl.x, 40, 1e-9);
    EXPECT_TRUE(vc.TrackZoomWindow(301, nullptr, window.Wnd(), 0, 0));   // idle cancel
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(ViewContext, RubberBand)
{
    TestWindow window(200, 100);
    CViewContext vc;
    const CRect none(INT_MAX, INT_MAX, INT_MAX, INT_MAX);
    EXPECT_EQ(vc.TrackRubberBand(401, nullptr, window.Wnd(), 50, 50), none);
    EXPECT_EQ(vc.TrackRubberBand(405, nullptr, window.Wnd(), 60, 40), none);   // 10 pixels
    EXPECT_EQ(vc.TrackRubberBand(402, nullptr, window.Wnd(), 60, 40), CRect(50, 50, 50, 50));
    vc.TrackRubberBand(401, nullptr, window.Wnd(), 50, 50);
    vc.TrackRubberBand(405, nullptr, window.Wnd(), 30, 70);
    EXPECT_EQ(vc.TrackRubberBand(402, nullptr, window.Wnd(), 30, 70), CRect(30, 50, 50, 70));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(vc.TrackRubberBand(999, nullptr, window.Wnd(), 0, 0), none);
}

TEST(ViewContext, ColourModes)
{
    CViewContext vc;
    EXPECT_EQ(vc.GetDisplayColour(0x123456), 0x123456u);
    vc.SetColourMode(105);
    EXPECT_EQ(vc.GetColourMode(), 101);
    vc.SetColourMode(COLOUR_GREY);
    EXPECT_EQ(vc.GetDisplayColour(0x0000FF), 0x4C4C4Cu);
    EXPECT_EQ(vc.GetDisplayColour(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(vc.GetDisplayColour(0), 0u);
    vc.SetColourMode(COLOUR_BLACK_WHITE);
    EXPECT_EQ(vc.GetDisplayColour(0xFEFFFF), 0u);
    EXPECT_EQ(vc.GetDisplayColour(0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(vc.GetDisplayColour(0x123456, true), 0xFFFFFFu);
    vc.SetColourMode(COLOUR_FADED);
    EXPECT_EQ(vc.GetDisplayColour(0), 0xD8D8D8u);

    // HLS of pure red: hue 0, saturation 1, lightness 0.5; and back.
    double h, s, l;
    RgbToHls(RGB(255, 0, 0), h, s, l);
    EXPECT_DOUBLE_EQ(h, 0);
    EXPECT_DOUBLE_EQ(s, 1);
    EXPECT_DOUBLE_EQ(l, 0.5);
    EXPECT_EQ(HlsToRgb(h, s, l), RGB(255, 0, 0));
    RgbToHls(RGB(0, 0, 255), h, s, l);
    EXPECT_DOUBLE_EQ(h, 4.0 / 6);
    EXPECT_EQ(HlsToRgb(0.5, 1, 0.5), RGB(0, 255, 255));
}

TEST(ViewContext, PrinterAndPaperSizes)
{
    CViewContext vc;
    SetView(vc, 100, 100);
    EXPECT_EQ(vc.PrinterLineWidth(nullptr, 3), 3);
    EXPECT_EQ(vc.InchesToPixels(nullptr, 5, 5), CSize(10, 10));
    // A memory DC on the screen: the screen's resolution.
    HDC hScreen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(hScreen, LOGPIXELSX);
    ::ReleaseDC(nullptr, hScreen);
    CDC mem;
    ASSERT_TRUE(mem.CreateCompatibleDC(nullptr));
    EXPECT_EQ(vc.PrinterLineWidth(&mem, 3), 3);
    EXPECT_EQ(vc.InchesToPixels(&mem, 2, 1).cx, 2 * dpi);
    EXPECT_EQ(vc.MillimetresToPixels(&mem, 25.4, 25.4).cx, dpi);
    EXPECT_NEAR(vc.InchesToWorld(&mem, 1, 1).x, dpi, 1e-9);
    EXPECT_NEAR(vc.GetPaperUnitSize(&mem).x, (int)(1000 / 25.4 * dpi), 1e-9);

    vc.SetPaperScaleMode(true);
    vc.ApplyPaperScale(&mem);
    // 100 pixels are 100 / (pixels per metre) metres of paper, times 10.
    const int perMetre = (int)(1000 / 25.4 * dpi);
    EXPECT_NEAR(vc.GetWorldExtent().x, 100.0 / perMetre * 10, 1e-12);
}

TEST(ViewContext, SmallState)
{
    CViewContext vc;
    EXPECT_EQ(vc.GetPickMode(), 118);
    EXPECT_EQ(vc.SetPickMode(120), 120);
    EXPECT_EQ(vc.GetPickMode(), 118);
    vc.SetPickMode(116);
    EXPECT_EQ(vc.GetPickMode(), 116);
    EXPECT_EQ(vc.SetDrawCategory(2133), 20);
    EXPECT_EQ(vc.SetDrawCategory(5), 2133);
    EXPECT_EQ(vc.GetLastCursor(), CPoint(INT_MAX, INT_MAX));
    EXPECT_FALSE(vc.SetFixedSize(true));
    EXPECT_EQ(vc.GetSizeScale(), 1.0);
    vc.SetFixedSize(false);
    vc.SetSizeFactor(3);
    EXPECT_EQ(vc.GetSizeScale(), 1.0);
    vc.SetSizeFactor(0.5);
    vc.SetBaseSizeFactor(0.5);
    EXPECT_EQ(vc.GetSizeScale(), 0.25);
}

TEST(ViewContext, LabelStyleInTheRegistry)
{
    const char key[] = "Software\\ClastorTests\\LabelStyle";
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key);
    CViewContext vc;
    EXPECT_FALSE(vc.LoadLabelStyle(key));
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, key, &hKey), ERROR_SUCCESS);
    ::RegCloseKey(hKey);
    vc.SetLabelFormat(7, 1, 2, 1);
    EXPECT_TRUE(vc.LoadLabelStyle(key));   // empty key: the defaults
    int decimals, transparent;
    COLORREF fore, back;
    vc.GetLabelFormat(decimals, fore, back, transparent);
    EXPECT_EQ(decimals, 3);
    EXPECT_EQ(fore, 0u);
    EXPECT_EQ(back, 0xFFFFFFu);
    EXPECT_EQ(transparent, 0);
    CString face;
    int size;
    vc.GetLabelFont(face, size);
    EXPECT_EQ(face, CString("Arial"));
    EXPECT_EQ(size, 9);

    vc.SetLabelFont("Courier New", 12);
    vc.SetLabelFormat(2, 0x123456, 0x654321, 1);
    vc.SetShowVertexLabels(true);
    vc.SaveLabelStyle(key);
    CViewContext other;
    EXPECT_TRUE(other.LoadLabelStyle(key));
    other.GetLabelFont(face, size);
    other.GetLabelFormat(decimals, fore, back, transparent);
    EXPECT_EQ(face, CString("Courier New"));
    EXPECT_EQ(size, 12);
    EXPECT_EQ(decimals, 2);
    EXPECT_EQ(fore, 0x123456u);
    EXPECT_EQ(back, 0x654321u);
    EXPECT_EQ(transparent, 1);
    EXPECT_TRUE(other.GetShowVertexLabels());
    EXPECT_FALSE(other.GetShowLabels());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, key);
    ::RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\ClastorTests");
}

TEST(ViewContext, FitFactorAndClientCorners)
{
    TestWindow window(200, 100);
    CViewContext vc;
    SetView(vc, 200, 100);
    // A 50 x 10 drawing in a 200 x 100 client: a quarter of the width.
    vc.ComputeFitFactor(0, 10, 50, 0, window.Wnd(), nullptr);
    EXPECT_DOUBLE_EQ(vc.GetSizeFactor(), 0.25);
    vc.ComputeFitFactor(0, 0, 1000, 0, window.Wnd(), nullptr);
    EXPECT_DOUBLE_EQ(vc.GetSizeFactor(), 1.0);
    TestWindow tiny(4, 4);
    vc.SetSizeFactor(0.5);
    vc.ComputeFitFactor(0, 10, 50, 0, tiny.Wnd(), nullptr);
    EXPECT_DOUBLE_EQ(vc.GetSizeFactor(), 1.0);

    vc.SaveViewWithClient(window.Wnd());
    EXPECT_EQ(vc.m_clientTopLeft, CVector2D(0, 100));
    EXPECT_EQ(vc.m_clientBottomRight, CVector2D(200, 0));
}

TEST(ViewContext, LongPathsAreMappedWhole)
{
    // A path far longer than any fixed buffer would hold.
    CViewContext vc;
    SetView(vc, 100, 100);
    CArray<CVector2D, const CVector2D&> path;
    const int n = 50000;
    path.SetSize(n);
    for (int i = 0; i < n; ++i)
        path[i] = CVector2D(i % 100, (i / 100) % 100);
    CMetaFileDC mf;
    const CRect frame(0, 0, 1000, 1000);
    ASSERT_TRUE(mf.CreateEnhanced(nullptr, nullptr, &frame, "t\0\0"));
    vc.SetDC(&mf);
    vc.DrawPolyline(path);
    vc.DrawPolygon(path);
    vc.SetDC(nullptr);
    HENHMETAFILE h = mf.CloseEnhanced();
    ASSERT_NE(h, nullptr);
    DWORD points = 0;
    ::EnumEnhMetaFile(nullptr, h, [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM p) -> int {
        if (r->iType == EMR_POLYLINE16 || r->iType == EMR_POLYGON16)
            *reinterpret_cast<DWORD*>(p) += reinterpret_cast<const EMRPOLYLINE16*>(r)->cpts;
        else if (r->iType == EMR_POLYLINE || r->iType == EMR_POLYGON)
            *reinterpret_cast<DWORD*>(p) += reinterpret_cast<const EMRPOLYLINE*>(r)->cptl;
        return 1;
    }, &points, nullptr);
    ::DeleteEnhMetaFile(h);
    EXPECT_EQ(points, 2u * n);
}
