#include "model/MarkerLine.h"

#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/ViewContext.h"

CTalusimMarkerLine::CTalusimMarkerLine()
{
    SetColour(RGB(255, 255, 0));
    SetLineWidth(2);
    SetCategoryId(kCategoryId);
}

void CTalusimMarkerLine::Draw(CDC* pDC, CViewContext* pView)
{
    if (!pDC || !pView)
        return;
    CPoint s, e;
    if (!pView->MapSegment(GetStartPoint(), GetEndPoint(), s, e))
        return;
    const COLORREF grey = pView->GetDisplayColour(RGB(192, 192, 192));

    // Taking the stock black pen first gives back the pen current before
    // this drawing, whichever of the pens below can be made.
    CGdiObject* previous = pDC->SelectStockObject(BLACK_PEN);
    CPen first, second;
    if (first.CreatePen(PS_SOLID, 1, grey) && pDC->SelectObject(&first)) {
        pDC->MoveTo(s.x, s.y);
        pDC->LineTo(e.x, e.y);
    }
    if (second.CreatePen(PS_SOLID, 1, grey) && pDC->SelectObject(&second)) {
        pDC->MoveTo(s.x + 1, s.y);
        pDC->LineTo(e.x + 1, e.y);
    }
    pDC->SelectStockObject(BLACK_PEN);
    pDC->MoveTo(s.x + 2, s.y);
    pDC->LineTo(e.x + 2, e.y);
    if (previous)
        pDC->SelectObject(previous);
}
