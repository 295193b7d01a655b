#include "geometry/Line.h"

#include <algorithm>
#include <cfloat>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/LineClipper.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CLine, CEntity, VERSIONABLE_SCHEMA | 2)

CLine::CLine()
    : m_dX1(1), m_dY1(1), m_dX2(0), m_dY2(0), m_dSavedX1(DBL_MAX), m_dSavedY1(DBL_MAX),
      m_dSavedX2(DBL_MAX), m_dSavedY2(DBL_MAX)
{
    m_nKindId = 2;
    m_nLineStyle = PS_SOLID;
    m_nSelectStyle = PS_DASH;
    m_nSelectWidth = 1;
    m_nLineWidth = 1;
    m_crColour = 0;
    RecalcExtents();
}

void CLine::Serialize(CArchive& ar)
{
    CEntity::Serialize(ar);
    if (ar.IsStoring())
        ar << m_dX1 << m_dY1 << m_dX2 << m_dY2;
    else
        ReadFinite(ar, m_dX1, m_dY1, m_dX2, m_dY2);
}

bool CLine::SetStartPoint(double x, double y)
{
    if (x == m_dX1 && y == m_dY1)
        return false;
    m_dX1 = x;
    m_dY1 = y;
    RecalcExtents();
    return true;
}

bool CLine::SetEndPoint(double x, double y)
{
    if (x == m_dX2 && y == m_dY2)
        return false;
    m_dX2 = x;
    m_dY2 = y;
    RecalcExtents();
    return true;
}

bool CLine::SetPoints(double x1, double y1, double x2, double y2)
{
    if (x1 == m_dX1 && y1 == m_dY1 && x2 == m_dX2 && y2 == m_dY2)
        return false;
    m_dX1 = x1;
    m_dY1 = y1;
    m_dX2 = x2;
    m_dY2 = y2;
    RecalcExtents();
    return true;
}

void CLine::RecalcExtents()
{
    SetExtents(std::min(m_dX1, m_dX2), std::max(m_dY1, m_dY2), std::max(m_dX1, m_dX2),
               std::min(m_dY1, m_dY2));
}

void CLine::Draw(CDC* pDC, CViewContext* pView)
{
    CPen pen;
    if (!pen.CreatePen(m_nLineStyle, pView->PrinterLineWidth(pDC, m_nLineWidth),
                       pView->GetDisplayColour(m_crColour)))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    pView->DrawSegment(pDC, m_dX1, m_dY1, m_dX2, m_dY2);
    if (pOld)
        pDC->SelectObject(pOld);
    if (IsInSet(SET_SELECTION))
        DrawHighlight(pDC, pView);
}

void CLine::DrawHighlight(CDC* pDC, CViewContext* pView)
{
    CPen pen;
    if (!pen.CreatePen(m_nSelectStyle, pView->PrinterLineWidth(pDC, m_nSelectWidth),
                       pView->GetDisplayColour(m_crSelectColour)))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    const int oldRop = pDC->SetROP2(R2_NOT);
    pView->DrawSegment(pDC, m_dX1, m_dY1, m_dX2, m_dY2);
    pDC->SetROP2(oldRop);
    if (pOld)
        pDC->SelectObject(pOld);
}

CVector2D CLine::GetNearestPoint(double x, double y)
{
    const CVector2D p(x, y);
    // A tie goes to the end point.
    if (p.DistanceSquaredTo(m_dX2, m_dY2) > p.DistanceSquaredTo(m_dX1, m_dY1))
        return GetStartPoint();
    return GetEndPoint();
}

bool CLine::GetExportPartPoints(int, CVectorArray& points)
{
    points.RemoveAll();
    points.SetSize(0, 2);
    points.Add(GetStartPoint());
    points.Add(GetEndPoint());
    return true;
}

bool CLine::Rotate(double cx, double cy, double angle)
{
    if (angle == 0)
        return false;
    RotatePoint(cx, cy, angle, m_dX1, m_dY1);
    RotatePoint(cx, cy, angle, m_dX2, m_dY2);
    RecalcExtents();
    return true;
}

bool CLine::Scale(double cx, double cy, double sx, double sy)
{
    if (sx == 1 && sy == 1)
        return false;
    ScalePoint(cx, cy, sx, sy, m_dX1, m_dY1);
    ScalePoint(cx, cy, sx, sy, m_dX2, m_dY2);
    RecalcExtents();
    return true;
}

bool CLine::MoveBy(double dx, double dy)
{
    if (dx == 0 && dy == 0)
        return false;
    m_dX1 += dx;
    m_dY1 += dy;
    m_dX2 += dx;
    m_dY2 += dy;
    RecalcExtents();
    return true;
}

bool CLine::SaveVertices()
{
    m_dSavedX1 = m_dX1;
    m_dSavedY1 = m_dY1;
    m_dSavedX2 = m_dX2;
    m_dSavedY2 = m_dY2;
    return true;
}

bool CLine::RestoreVertices()
{
    return SetPoints(m_dSavedX1, m_dSavedY1, m_dSavedX2, m_dSavedY2);
}

bool CLine::DragBy(double dx, double dy)
{
    RestoreVertices();
    MoveBy(dx, dy);
    return true;
}

bool CLine::CrossesRect(double top, double left, double bottom, double right, CViewContext*,
                        CWnd*)
{
    CLineClipper clipper;
    clipper.Reset();
    clipper.SetWindow(top, left, bottom, right);
    clipper.SetSegment(m_dX1, m_dY1, m_dX2, m_dY2);
    return clipper.Clip();
}
