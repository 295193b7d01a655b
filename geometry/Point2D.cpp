#include "geometry/Point2D.h"

#include <cfloat>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(C2DPoint, CEntity, VERSIONABLE_SCHEMA | 2)

C2DPoint::C2DPoint()
    : m_dX(DBL_MAX), m_dY(DBL_MAX), m_nMarkerSize(7), m_dSavedX(DBL_MAX), m_dSavedY(DBL_MAX)
{
    m_nKindId = 3;
    m_nLineStyle = PS_SOLID;
    m_nLineWidth = 1;
    m_crColour = 0x000080;
    m_crSelectColour = 0x0000FF;
    m_nSelectStyle = PS_DOT;
}

void C2DPoint::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_dX << m_dY << m_nMarkerSize;
    } else {
        ReadFinite(ar, m_dX, m_dY);
        ar >> m_nMarkerSize;
    }
}

bool C2DPoint::SetPoint(double x, double y)
{
    m_dX = x;
    m_dY = y;
    RecalcExtents();
    return true;
}

bool C2DPoint::SetMarkerSize(int n)
{
    if (n == m_nMarkerSize)
        return false;
    m_nMarkerSize = n;
    return true;
}

void C2DPoint::RecalcExtents()
{
    SetExtents(m_dX, m_dY, m_dX, m_dY);
}

void C2DPoint::Draw(CDC* pDC, CViewContext* pView)
{
    const bool selected = IsInSet(SET_SELECTION);
    CPen pen;
    if (!pen.CreatePen(selected ? m_nSelectStyle : m_nLineStyle,
                       pView->PrinterLineWidth(pDC, m_nLineWidth),
                       pView->GetDisplayColour(selected ? m_crSelectColour : m_crColour)))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    const CPoint p = pView->WorldToDevice(m_dX, m_dY);
    DrawCrossMarker(pDC, p.x, p.y, pView->PrinterLineWidth(pDC, m_nMarkerSize));
    if (pOld)
        pDC->SelectObject(pOld);
}

CVector2D C2DPoint::GetNearestPoint(double, double)
{
    return GetPoint();
}

void C2DPoint::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text.Empty();
}

bool C2DPoint::Rotate(double cx, double cy, double angle)
{
    if (angle == 0)
        return false;
    RotatePoint(cx, cy, angle, m_dX, m_dY);
    RecalcExtents();
    return true;
}

bool C2DPoint::MoveBy(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return false;
    m_dX += dx;
    m_dY += dy;
    RecalcExtents();
    return true;
}

bool C2DPoint::SaveVertices()
{
    m_dSavedX = m_dX;
    m_dSavedY = m_dY;
    return true;
}

bool C2DPoint::RestoreVertices()
{
    m_dX = m_dSavedX;
    m_dY = m_dSavedY;
    return true;
}

bool C2DPoint::CrossesRect(double top, double left, double bottom, double right, CViewContext*,
                           CWnd*)
{
    return left <= m_dX && m_dX <= right && bottom <= m_dY && m_dY <= top;
}
