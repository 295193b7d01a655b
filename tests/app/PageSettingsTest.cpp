// Page settings: margins kept printable, presets, and a page laid out inside its margins.
#include <gtest/gtest.h>

#include "app/PageSetupDlg.h"
#include "framework/DC.h"
#include "framework/Wnd.h"
#include "geometry/ViewContext.h"

namespace {

CPageSettings Page(double height, double width, double offX, double offY, double top, double bottom, double left,
                   double right) {
    CPageSettings s;
    s.m_dPaperHeight = height;
    s.m_dPaperWidth = width;
    s.m_dOffsetX = offX;
    s.m_dOffsetY = offY;
    s.m_dTop = top;
    s.m_dBottom = bottom;
    s.m_dLeft = left;
    s.m_dRight = right;
    s.m_nAutoFormat = 3;
    return s;
}

} // namespace

TEST(PageSettings, MarginsAreKeptInsideThePrintablePage) {
    struct Case {
        CPageSettings in;
        double top, bottom, left, right;
        int autoFormat;
    } cases[] = {
        // Nothing to do: the auto-format stays.
        {Page(11, 8.5, 0.25, 0.25, 1, 1, 1, 1), 1, 1, 1, 1, 3},
        // Margins inside the unprintable strip are raised to it.
        {Page(11, 8.5, 0.25, 0.25, 0.1, 1, 1, 0.1), 0.25, 1, 1, 0.25, -1},
        // Too tall: the bottom goes first, and only that.
        {Page(11, 8.5, 0, 0.2, 6, 5, 1, 1), 6, 0.2, 1, 1, -1},
        // Still too tall without the bottom: the top goes too.
        {Page(11, 8.5, 0, 0.2, 10.7, 0.5, 1, 1), 0.2, 0.2, 1, 1, -1},
        // Too wide: the right margin, then the left.
        {Page(11, 8.5, 0.3, 0, 1, 1, 4, 4.5), 1, 1, 4, 0.3, -1},
        {Page(11, 8.5, 0.3, 0, 1, 1, 8.4, 1), 1, 1, 0.3, 0.3, -1},
    };
    for (Case& c : cases) {
        CPageSetupDlg::ClampToOffsets(c.in);
        EXPECT_DOUBLE_EQ(c.in.m_dTop, c.top);
        EXPECT_DOUBLE_EQ(c.in.m_dBottom, c.bottom);
        EXPECT_DOUBLE_EQ(c.in.m_dLeft, c.left);
        EXPECT_DOUBLE_EQ(c.in.m_dRight, c.right);
        EXPECT_EQ(c.in.m_nAutoFormat, c.autoFormat);
    }
}

TEST(PageSettings, SwappingOrientationExchangesSizesAndOffsets) {
    CPageSettings s = Page(11, 8.5, 0.1, 0.2, 1, 1, 1, 1);
    CPageSetupDlg::SwapOrientation(s);
    EXPECT_DOUBLE_EQ(s.m_dPaperHeight, 8.5);
    EXPECT_DOUBLE_EQ(s.m_dPaperWidth, 11);
    EXPECT_DOUBLE_EQ(s.m_dOffsetX, 0.2);
    EXPECT_DOUBLE_EQ(s.m_dOffsetY, 0.1);
}

TEST(PageMargins, PresetsAndUnknownIds) {
    CPageMargins m;
    EXPECT_DOUBLE_EQ(m.GetLeft(), 1.5);  // binding on the left, as made
    m.SetPreset(10004);
    EXPECT_EQ(m.GetTop() + m.GetLeft() + m.GetRight() + m.GetBottom(), 0.0);
    m.SetPreset(10005);
    m.SetPreset(9999);
    EXPECT_DOUBLE_EQ(m.GetTop(), 0.8);
    EXPECT_DOUBLE_EQ(m.GetLeft(), 1.3);
    EXPECT_DOUBLE_EQ(m.GetRight(), 1.0);
    EXPECT_DOUBLE_EQ(m.GetBottom(), 1.9);
    m.SetPreset(10003);
    EXPECT_DOUBLE_EQ(m.GetRight(), 0.35);
}

TEST(PageMargins, PageIsLaidOutInsideTheMarginsWithItsFrame) {
    // A screen-like device: no unprintable strip, so margins count from the edge.
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(screen));
    int dpiX = ::GetDeviceCaps(dc.m_hDC, LOGPIXELSX), dpiY = ::GetDeviceCaps(dc.m_hDC, LOGPIXELSY);
    int horz = ::GetDeviceCaps(dc.m_hDC, HORZRES), vert = ::GetDeviceCaps(dc.m_hDC, VERTRES);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), horz, vert);
    ::ReleaseDC(nullptr, screen);
    CGdiObject* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, horz, vert, RGB(255, 255, 255));

    CViewContext vc;
    vc.SetOwnerView(&owner);
    vc.SetWorldOrigin(0, 0);
    vc.SetWorldExtent(100, 100);
    vc.m_clientTopLeft = CVector2D(0, 100);
    vc.m_clientBottomRight = CVector2D(100, 0);
    CPageMargins m;
    m.SetMargins(1.0, 0.5, 0.25, 1.0);  // top, left, right, bottom
    m.SetShowOnPaper(TRUE);
    m.LayoutPrintPage(&dc, &vc);
    CRect page(static_cast<int>(0.5 * dpiX), dpiY, horz - static_cast<int>(0.25 * dpiX), vert - dpiY);
    EXPECT_EQ(vc.m_printRect, page);
    EXPECT_EQ(vc.GetDeviceExtent(), CSize(page.Width(), page.Height()));
    // The frame is drawn solid on the page's edge, nothing outside it.
    EXPECT_EQ(dc.GetPixel(page.left, page.top + 5), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(page.left - 3, page.top + 5), RGB(255, 255, 255));
    dc.SelectObject(old);
    owner.DestroyWindow();
}
