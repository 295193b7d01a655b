#include "view/PrintLayout.h"

#include <algorithm>
#include "framework/DC.h"
#include "geometry/ViewContext.h"

CRect ComputePrintRect(CDC* pDC, const PrintMargins& m)
{
    const int dpiX = std::max(1, pDC->GetDeviceCaps(LOGPIXELSX));
    const int dpiY = std::max(1, pDC->GetDeviceCaps(LOGPIXELSY));
    const int width = pDC->GetDeviceCaps(HORZRES);
    const int height = pDC->GetDeviceCaps(VERTRES);
    int paperW = pDC->GetDeviceCaps(PHYSICALWIDTH);
    int paperH = pDC->GetDeviceCaps(PHYSICALHEIGHT);
    int offX = pDC->GetDeviceCaps(PHYSICALOFFSETX);
    int offY = pDC->GetDeviceCaps(PHYSICALOFFSETY);
    if (paperW < width || paperH < height) {  // a display or memory DC: the page is what it shows
        paperW = width;
        paperH = height;
        offX = offY = 0;
    }
    const int offRight = std::max(0, paperW - width - offX);
    const int offBottom = std::max(0, paperH - height - offY);
    // Each margin in pixels from the paper's edge, at least the unprintable border.
    const int left = std::max(static_cast<int>(m.left * dpiX + 0.5), offX) - offX;
    const int top = std::max(static_cast<int>(m.top * dpiY + 0.5), offY) - offY;
    const int right = std::max(static_cast<int>(m.right * dpiX + 0.5), offRight) - offRight;
    const int bottom = std::max(static_cast<int>(m.bottom * dpiY + 0.5), offBottom) - offBottom;
    // Margins wider than the paper leave a one-pixel page rather than a negative one.
    const int w = std::max(1, width - left - right);
    const int h = std::max(1, height - top - bottom);
    return CRect(left, top, left + w, top + h);
}

void LayoutPrintPage(CDC* pDC, CViewContext* pView, const PrintMargins& margins)
{
    const CRect r = ComputePrintRect(pDC, margins);
    pView->SetDeviceOrigin(r.left, r.top);
    pView->SetDeviceExtent(r.Width(), r.Height());
    pView->m_printRect = r;
}
