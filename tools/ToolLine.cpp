#include "tools/ToolLine.h"

#include <algorithm>
#include <vector>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "geometry/CursorIds.h"
#include "geometry/Geometry.h"
#include "geometry/REGDatabase.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolLine, CMeasure)
IMPLEMENT_DYNAMIC(CToolPolyLine, CToolLine)
IMPLEMENT_DYNAMIC(CToolPencil, CToolPolyLine)
IMPLEMENT_DYNAMIC(CToolPolyGon, CToolPolyLine)


// ---- line -------------------------------------------------------------------------------------

CToolLine::CToolLine()
{
    SetKind(TOOL_TYPE_LINE, "Line");
    m_bCanArrow = true;
}

void CToolLine::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    DrawToolSegments(pDC, pView);
    DrawArrowHeads(pDC, pView);
    if (IsEditing())
        DrawGripMarkers(pDC, pView, 2);
}

void CToolLine::ApplyCommonStyle(const CToolCommonStyle& s)
{
    m_bArrowAtHead = s.arrowAtHead;
    m_bArrowAtTail = s.arrowAtTail;
    SetLineWeight(s.lineWeight);
    m_crColour = s.lineColour;
    SetStartPoint(s.start);
    SetEndPoint(s.end);
}

// ---- polyline ------------------------------------------------------------------------------

CToolPolyLine::CToolPolyLine()
{
    SetKind(TOOL_TYPE_POLYLINE, "PolyLine");
    m_bCanArrow = false;
    m_bStartEditable = false;
    m_bEndEditable = false;
}

void CToolPolyLine::DrawOutline(CDC* pDC, CViewContext* pView)
{
    if (m_bExteriorLine)
        DrawToolSegments(pDC, pView);
    if (IsEditing())
        DrawGripMarkers(pDC, pView, GetVertexCount());
}

void CToolPolyLine::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    DrawOutline(pDC, pView);
}

CString CToolPolyLine::GetInfoText() const
{
    CString text;
    text.Format("Length of Polyline\n%.3f ", CPolyLine::GetLength(m_bClosed));
    return text + (m_bMetric ? "m" : "ft");
}

void CToolPolyLine::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text = GetInfoText();
}

bool CToolPolyLine::QueryOption(CPickRequest* pRequest, CViewContext* pView, int code)
{
    if (code != 110)
        return CToolLine::QueryOption(pRequest, pView, code);
    // A tool hidden in this view shows no data tip here either.
    if (pRequest == nullptr || pView == nullptr || !IsShownIn(pView))
        return false;
    const CViewContext::WorldRect box = pView->GetPickRect(pRequest->x, pRequest->y);
    return IntersectsRect(m_bClosed, box.top, box.left, box.bottom, box.right, SEGMENTS_ALL);
}

void CToolPolyLine::ApplyDimensionVertices(const CVectorArray& extra, bool, bool, int)
{
    while (GetVertexCount() > 2)
        DeleteVertex(GetLastVertexIndex());
    for (INT_PTR i = 0; i < extra.GetSize(); ++i)
        AddPoint(extra[i].x, extra[i].y);
}

// ---- pencil ---------------------------------------------------------------------------------

CToolPencil::CToolPencil() { SetKind(TOOL_TYPE_PENCIL, "Pencil"); }

// ---- polygon --------------------------------------------------------------------------------

CToolPolyGon::CToolPolyGon()
{
    SetKind(TOOL_TYPE_POLYGON, "PolyGon");
    m_bCanFill = true;
    m_bCanHatch = true;
    m_bShape = true;
    m_bClosed = true;
}

bool CToolPolyGon::IsInside(const CVector2D& point) const
{
    CPointList ring;
    GetPointArray(ring);
    if (ring.GetSize() < 3)
        return false;
    return PointInPolygon(point.x, point.y, ring, 1);
}

CString CToolPolyGon::GetInfoText() const
{
    CPointList ring;
    GetPointArray(ring);
    double area = 0;
    if (!PolygonAreaOfArray(ring, area))
        return CString();
    CString text;
    text.Format("Area of Polygon\n%.3f ", area < 0 ? -area : area);
    return text + (m_bMetric ? "m2" : "ft2");
}

void CToolPolyGon::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    text = GetInfoText();
}

bool CToolPolyGon::QueryOption(CPickRequest* pRequest, CViewContext* pView, int code)
{
    if (code != 110)
        return CToolLine::QueryOption(pRequest, pView, code);
    if (pRequest == nullptr || pView == nullptr || !IsShownIn(pView))
        return false;
    return IsInside(pView->DeviceToWorld(pRequest->x, pRequest->y));
}

int CToolPolyGon::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView != nullptr && HasInterior() && IsInside(pView->DeviceToWorld(p)))
        return kCursorSizeAll;
    return CPolyLine::GetCursorAt(pView, p);
}

bool CToolPolyGon::PickGrip(CViewContext* pView, POINT p)
{
    if (pView != nullptr && HasInterior() && IsInside(pView->DeviceToWorld(p))) {
        m_nGrip = kWholeEntityGrip;
        return true;
    }
    return CPolyLine::PickGrip(pView, p);
}

void CToolPolyGon::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CBrush brush;
    CGdiObject* pOldBrush = SelectInteriorBrush(pDC, pView, brush);
    CPen pen;
    CGdiObject* pOldPen = nullptr;
    if (m_bExteriorLine) {
        pen.CreatePen(PS_SOLID, m_nLineWeight, pView->GetDisplayColour(CurrentLineColour()));
        pOldPen = pDC->SelectObject(&pen);
    } else {
        pOldPen = pDC->SelectStockObject(NULL_PEN);
    }
    const int n = GetVertexCount();
    if (n >= 2) {
        std::vector<POINT> points((size_t)n);
        for (int i = 0; i < n; ++i)
            points[(size_t)i] = pView->WorldToDevice(GetVertexPoint(i));
        pDC->Polygon(points.data(), n);
    }
    if (pOldPen)
        pDC->SelectObject(pOldPen);
    if (pOldBrush)
        pDC->SelectObject(pOldBrush);
    pDC->SetBkMode(oldMode);
    DrawOutline(pDC, pView);
}

void CToolPolyGon::ApplyCommonStyle(const CToolCommonStyle& s)
{
    CToolLine::ApplyCommonStyle(s);
    SetIsFilled(s.filled);
    m_bHatched = s.hatched;
    SetHatchStyleIndex(s.hatchIndex);
}

void CToolPolyGon::ApplyDimensionText(int, int, int, int exteriorLine)
{
    m_bExteriorLine = exteriorLine > 0;
}
