#include "controls/MemoryDC.h"

MemoryDC::MemoryDC(CDC* pDC, const CRect& rect) : m_pDC(pDC), m_rect(rect), m_bMemDC(!pDC->IsPrinting()) {
    if (m_bMemDC) {
        CreateCompatibleDC(pDC);
        m_bitmap.CreateCompatibleBitmap(pDC, rect.Width(), rect.Height());
        m_oldBitmap = SelectObject(&m_bitmap);
        SetWindowOrg(rect.left, rect.top);
    } else {
        m_hDC = pDC->m_hDC;
        m_hAttribDC = pDC->m_hAttribDC;
        m_bPrinting = pDC->m_bPrinting;
    }
}

MemoryDC::~MemoryDC() {
    if (m_bMemDC) {
        m_pDC->BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left, m_rect.top, SRCCOPY);
        SelectObject(m_oldBitmap);
    } else {
        m_hDC = m_hAttribDC = nullptr;
    }
}
