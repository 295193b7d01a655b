#include <gtest/gtest.h>

#include "framework/DC.h"
#include "geometry/ViewContext.h"
#include "view/PrintLayout.h"

TEST(PrintLayout, MarginsInInchesInsideThePage)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const int dpiX = dc.GetDeviceCaps(LOGPIXELSX), dpiY = dc.GetDeviceCaps(LOGPIXELSY);
    const int w = dc.GetDeviceCaps(HORZRES), h = dc.GetDeviceCaps(VERTRES);

    PrintMargins m;
    m.left = 1.0;
    m.top = 0.5;
    m.right = 0.25;
    m.bottom = 2.0;
    CRect r = ComputePrintRect(&dc, m);
    EXPECT_EQ(r.left, dpiX);
    EXPECT_EQ(r.top, dpiY / 2);
    EXPECT_EQ(r.right, w - dpiX / 4);
    EXPECT_EQ(r.bottom, h - 2 * dpiY);

    CViewContext vc;
    LayoutPrintPage(&dc, &vc, m);
    EXPECT_EQ(vc.GetDeviceOrigin(), CPoint(r.left, r.top));
    EXPECT_EQ(vc.GetDeviceExtent(), CSize(r.Width(), r.Height()));
    EXPECT_EQ(vc.m_printRect, r);

    // Margins wider than the page leave a page of one pixel, never a negative one.
    m.left = m.right = 1000.0;
    r = ComputePrintRect(&dc, m);
    EXPECT_EQ(r.Width(), 1);
}
