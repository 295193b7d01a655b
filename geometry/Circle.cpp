#include "geometry/Circle.h"

#include <algorithm>
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CCircle, CEntity, VERSIONABLE_SCHEMA | 2)

CCircle::CCircle() : m_dCx(0), m_dCy(0), m_dRadius(0)
{
    m_nKindId = 1;
    m_nLineStyle = PS_SOLID;
    m_nLineWidth = 1;
    m_crColour = 0xFF0000;
}

void CCircle::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    if (ar.IsStoring())
        ar << m_dCx << m_dCy << m_dRadius;
    else
        ReadFinite(ar, m_dCx, m_dCy, m_dRadius);
}

bool CCircle::SetCenter(double x, double y)
{
    if (x == m_dCx && y == m_dCy)
        return false;
    m_dCx = x;
    m_dCy = y;
    RecalcExtents();
    return true;
}

bool CCircle::SetRadius(double r)
{
    if (r == m_dRadius)
        return false;
    m_dRadius = r;
    RecalcExtents();
    return true;
}

bool CCircle::IsPointInside(double x, double y) const
{
    return (x - m_dCx) * (x - m_dCx) + (y - m_dCy) * (y - m_dCy) <= m_dRadius * m_dRadius;
}

void CCircle::RecalcExtents()
{
    SetExtents(m_dCx - m_dRadius, m_dCy + m_dRadius, m_dCx + m_dRadius, m_dCy - m_dRadius);
}

bool CCircle::MoveBy(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return false;
    m_dCx += dx;
    m_dCy += dy;
    RecalcExtents();
    return true;
}

bool CCircle::CrossesRect(double top, double left, double bottom, double right, CViewContext*,
                          CWnd*)
{
    // A circle of radius m about the rectangle's centre meets the circumference.
    const double h = std::fabs(top - bottom) / 2, w = std::fabs(right - left) / 2;
    const double m = std::min(h, w);
    const double mx = (left + right) / 2, my = (top + bottom) / 2;
    const double d2 = (mx - m_dCx) * (mx - m_dCx) + (my - m_dCy) * (my - m_dCy);
    return (m_dRadius - m) * (m_dRadius - m) <= d2 && d2 <= (m_dRadius + m) * (m_dRadius + m);
}

void CCircle::get_data_tip_text(double x, double y, int, CViewContext*, CString& text)
{
    if (IsPointInside(x, y))
        text.Format("%.3f Distance from Center\nRadius:%.3f", std::hypot(x - m_dCx, y - m_dCy),
                    m_dRadius);
    else
        text.Empty();
}

void CCircle::Draw(CDC* pDC, CViewContext* pView)
{
    CPen pen;
    if (!pen.CreatePen(m_nLineStyle, m_nLineWidth, m_crColour))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    const CPoint tl = pView->WorldToDevice(GetLeft(), GetTop());
    const CPoint br = pView->WorldToDevice(GetRight(), GetBottom());
    pDC->Ellipse(tl.x, tl.y, br.x, br.y);
    if (pOld)
        pDC->SelectObject(pOld);
}
