#include "tools/TextStyle.h"

#include <cstring>
#include "framework/DC.h"
#include "geometry/Geometry.h"
#include "geometry/ViewContext.h"

CTextStyle::CTextStyle()
    : m_bHatch(false), m_nFontCache(-1), m_logFont(), m_nPointSize(10), m_bFontSet(true),
      m_bShowBox(true), m_bNoBorder(false), m_bTransparent(false)
{
    m_logFont.lfWeight = FW_NORMAL;
    strcpy(m_logFont.lfFaceName, "Arial");
}

void CTextStyle::SetFont(int pointSize, const LOGFONTA& font)
{
    m_nPointSize = pointSize;
    m_logFont = font;
    m_bFontSet = true;
}

bool CTextStyle::GetFont(int& pointSize, LOGFONTA& font) const
{
    pointSize = m_nPointSize;
    font = m_logFont;
    return m_bFontSet;
}

bool CTextStyle::LayoutText(CDC* pDC, CViewContext* pView, const CString& text, double x,
                            double y, int escapement, CRect& rect, int alignment)
{
    if (pDC == nullptr || pView == nullptr)
        return false;
    // Rebuilt at every layout so that the text follows the zoom and the device.
    char face[LF_FACESIZE];
    memcpy(face, m_logFont.lfFaceName, LF_FACESIZE);
    face[LF_FACESIZE - 1] = '\0';
    CArrowPainter::SetFont(pDC, m_nPointSize, pView->GetSizeScale(), escapement,
                           m_logFont.lfWeight, face, m_logFont.lfItalic != 0);
    if (m_bTextOff)
        return false;
    CPoint anchor = pView->WorldToDevice(x, y);
    rect = CRect(anchor.x, anchor.y, anchor.x, anchor.y);
    {
        CFont* pOld = m_pFont->GetSafeHandle() ? pDC->SelectObject(m_pFont.get()) : nullptr;
        CAttribDCGuard guard(pView->IsClipboardRender() ? pView : nullptr);
        ::DrawTextA(pDC->GetSafeHdc(), text, text.GetLength(), &rect, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
        if (pOld)
            pDC->SelectObject(pOld);
    }
    const int width = rect.Width(), height = rect.Height();
    AlignTextPoint(anchor, width, height, alignment);
    rect = CRect(anchor.x, anchor.y, anchor.x + width, anchor.y + height);
    if (m_logFont.lfItalic) {
        // The slant runs past the measured box of an italic text.
        int extra = 0;
        if (m_nPointSize > 27) extra += 2;
        if (m_nPointSize > 35) extra += 3;
        if (m_nPointSize > 47) extra += 4;
        if (m_nPointSize > 71) extra += 6;
        rect.right += extra;
    }
    const int margin = pView->PrinterLineWidth(pDC, 3);
    rect.InflateRect(margin, margin);
    return true;
}

void CTextStyle::DrawBox(CDC* pDC, CViewContext* pView, const CRect& rect, double x, double y,
                         int escapement)
{
    if (escapement == 0) {
        pDC->Rectangle(&rect);
        return;
    }
    // Whole degrees: the box turns with the text about the world point.
    const double degrees = escapement / 10;
    const POINT corners[4] = {{rect.left, rect.top}, {rect.left, rect.bottom},
                              {rect.right, rect.bottom}, {rect.right, rect.top}};
    POINT turned[4];
    for (int i = 0; i < 4; ++i) {
        CVector2D w = pView->DeviceToWorld(corners[i].x, corners[i].y);
        RotatePoint(w, degrees, x, y, false);
        turned[i] = pView->WorldToDevice(w);
    }
    pDC->Polygon(turned, 4);
}

bool CTextStyle::DrawText(CDC* pDC, CViewContext* pView, const CString& text, double x, double y,
                          int escapement, COLORREF textColour, COLORREF boxColour, int alignment)
{
    CRect rect;
    if (!LayoutText(pDC, pView, text, x, y, escapement, rect, alignment))
        return false;
    const COLORREF ink = pView->GetDisplayColour(textColour);
    if (m_bShowBox) {
        CBrush solid;
        CGdiObject* pOldBrush;
        if (m_bTransparent) {
            pOldBrush = pDC->SelectStockObject(HOLLOW_BRUSH);
        } else {
            solid.CreateSolidBrush(pView->GetDisplayColour(boxColour));
            pOldBrush = pDC->SelectObject(&solid);
        }
        CPen black;
        CGdiObject* pOldPen;
        if (m_bNoBorder) {
            pOldPen = pDC->SelectStockObject(NULL_PEN);
        } else {
            black.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
            pOldPen = pDC->SelectObject(&black);
        }
        DrawBox(pDC, pView, rect, x, y, escapement);
        if (pOldBrush)
            pDC->SelectObject(pOldBrush);
        if (pOldPen)
            pDC->SelectObject(pOldPen);
    }
    {
        CAttribDCGuard guard(pView->IsClipboardRender() ? pView : nullptr);
        DrawTextLines(pDC, pView->WorldToDevice(x, y), escapement, text, alignment, ink,
                      TRANSPARENT);
    }
    if (m_bHatch) {
        CBrush hatch(HS_FDIAGONAL, ink);
        CBrush* pOldBrush = pDC->SelectObject(&hatch);
        CGdiObject* pOldPen = pDC->SelectStockObject(NULL_PEN);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        DrawBox(pDC, pView, rect, x, y, escapement);
        pDC->SetBkMode(oldMode);
        if (pOldPen)
            pDC->SelectObject(pOldPen);
        if (pOldBrush)
            pDC->SelectObject(pOldBrush);
    }
    return true;
}
