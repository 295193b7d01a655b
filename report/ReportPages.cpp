#include "report/ReportPages.h"

#include "model/MainFrameServices.h"
#include "framework/DC.h"
#include "framework/RichEdit.h"

namespace {

int Twips(int pixels, int dpi) { return dpi > 0 ? MulDiv(pixels, 1440, dpi) : 0; }

} // namespace

CReportPages::CReportPages(CRichEditCtrl& edit, CDC& dc) : m_edit(edit), m_dc(dc) {}

CReportPages::~CReportPages() {
    if (m_edit.GetSafeHwnd() != nullptr) m_edit.FormatRange(nullptr, FALSE);
}

long CReportPages::FormatPage(long index, bool render) {
    HDC attrib = m_dc.m_hAttribDC != nullptr ? m_dc.m_hAttribDC : m_dc.m_hDC;
    const int dpiX = ::GetDeviceCaps(attrib, LOGPIXELSX), dpiY = ::GetDeviceCaps(attrib, LOGPIXELSY);
    const int width = ::GetDeviceCaps(attrib, HORZRES), height = ::GetDeviceCaps(attrib, VERTRES);
    RECT page{};
    if (!MainFrameServices().LayoutTextPage(&m_dc, page, render))
        page = RECT{dpiX, dpiY, width - dpiX, height - dpiY};  // no page settings: an inch inside the printable area
    m_range.hdc = m_dc.m_hDC;
    m_range.hdcTarget = attrib;
    m_range.rcPage = RECT{0, 0, Twips(width, dpiX), Twips(height, dpiY)};
    m_range.rc = RECT{Twips(page.left, dpiX), Twips(page.top, dpiY), Twips(page.right, dpiX), Twips(page.bottom, dpiY)};
    m_range.chrg.cpMin = index;
    m_range.chrg.cpMax = -1;
    return m_edit.FormatRange(&m_range, render ? TRUE : FALSE);
}
