#include "tools/ToolRectangle.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Rect.h"
#include "geometry/Constants.h"
#include "geometry/CursorIds.h"
#include "geometry/LineClipper.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolRectangle, CMeasure)
IMPLEMENT_DYNAMIC(CToolCircle, CToolRectangle)

namespace {


double SignOf(double v) { return v < 0 ? -1.0 : 1.0; }

} // namespace

CToolRectangle::CToolRectangle()
{
    SetKind(TOOL_TYPE_RECTANGLE, "Rectangle");
    m_bCanFill = true;
    m_bCanHatch = true;
    m_bCanArrow = false;
    m_bShape = true;
    RemoveAllVertices();
    AddPoint(0, 0);
    AddPoint(1, 0);
    AddPoint(1, 1);
    AddPoint(0, 1);
}

// ---- corners ----------------------------------------------------------------------------------

void CToolRectangle::SetStartPoint(const CVector2D& a)
{
    const CVector2D c = GetVertexPoint(2);
    SetVertexPoint(0, a.x, a.y);
    SetVertexPoint(1, a.x, c.y);
    SetVertexPoint(3, c.x, a.y);
}

void CToolRectangle::SetEndPoint(const CVector2D& c)
{
    const CVector2D a = GetVertexPoint(0);
    SetVertexPoint(2, c.x, c.y);
    SetVertexPoint(1, a.x, c.y);
    SetVertexPoint(3, c.x, a.y);
}

CVector2D CToolRectangle::GetStartPoint() const { return GetVertexPoint(0); }

CVector2D CToolRectangle::GetEndPoint() const { return GetVertexPoint(2); }

CVector2D CToolRectangle::GetConstrainedCorner() const
{
    const CVector2D a = GetStartPoint(), c = GetEndPoint();
    if (!m_bShiftHeld)
        return c;
    const double dx = c.x - a.x, dy = c.y - a.y;
    const double d = std::max(std::fabs(dx), std::fabs(dy));
    return CVector2D(a.x + SignOf(dx) * d, a.y + SignOf(dy) * d);
}

void CToolRectangle::OnPlaced()
{
    SetEndPoint(GetConstrainedCorner());
    m_bShiftHeld = false;
    m_bIsCircle = false;
}

CVector2D CToolRectangle::GetHandle(int i) const
{
    const CVector2D a = GetStartPoint(), c = GetConstrainedCorner();
    const double mx = (a.x + c.x) / 2, my = (a.y + c.y) / 2;
    switch (i) {
    case 0: return a;
    case 1: return CVector2D(mx, a.y);
    case 2: return CVector2D(c.x, a.y);
    case 3: return CVector2D(c.x, my);
    case 4: return c;
    case 5: return CVector2D(mx, c.y);
    case 6: return CVector2D(a.x, c.y);
    case 7: return CVector2D(a.x, my);
    default: return CVector2D(DBL_MAX, DBL_MAX);
    }
}

// ---- handles and dragging ------------------------------------------------------------------

unsigned CToolRectangle::HandlesAt(CViewContext* pView, POINT p) const
{
    unsigned hits = 0;
    for (int i = 0; i < 8; ++i)
        if (pView->IsNearDevicePoint(GetHandle(i), p.x, p.y))
            hits |= 1u << i;
    return hits;
}

void CToolRectangle::SetEditing(bool b)
{
    if (!b)
        m_nActiveHandle = -1;
    CMeasure::SetEditing(b);
}

int CToolRectangle::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return kCursorArrow;
    const CVector2D a = GetStartPoint(), c = GetEndPoint();
    const bool flipped = (c.y < a.y) != (c.x < a.x);
    const unsigned hits = HandlesAt(pView, p);
    const unsigned ns = hits & (1u << 1 | 1u << 5), we = hits & (1u << 3 | 1u << 7);
    const unsigned main = hits & (1u << 0 | 1u << 4), cross = hits & (1u << 2 | 1u << 6);
    const int groups = (ns ? 1 : 0) + (we ? 1 : 0) + (main ? 1 : 0) + (cross ? 1 : 0);
    if (groups > 1)
        return kCursorSizeAll;
    if (ns)
        return kCursorSizeNS;
    if (we)
        return kCursorSizeWE;
    if (main)
        return flipped ? kCursorSizeNWSE : kCursorSizeNESW;
    if (cross)
        return flipped ? kCursorSizeNESW : kCursorSizeNWSE;
    const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
    if (OutlineCrosses(box.top, box.left, box.bottom, box.right))
        return kCursorSizeAll;
    const CVector2D w = pView->DeviceToWorld(p);
    if (HasInterior() && ContainsPoint(w.x, w.y, true))
        return kCursorSizeAll;
    return kCursorArrow;
}

bool CToolRectangle::PickGrip(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return false;
    const unsigned hits = HandlesAt(pView, p);
    int count = 0, handle = -1;
    for (int i = 0; i < 8; ++i)
        if (hits & (1u << i)) {
            ++count;
            if (handle < 0)
                handle = i;
        }
    if (count == 1) {
        m_nActiveHandle = handle;
        m_nGrip = handle;
        return true;
    }
    bool whole = count > 1;
    if (!whole) {
        const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
        whole = OutlineCrosses(box.top, box.left, box.bottom, box.right);
        const CVector2D w = pView->DeviceToWorld(p);
        whole = whole || (HasInterior() && ContainsPoint(w.x, w.y, true));
    }
    if (!whole)
        return false;
    m_nActiveHandle = -1;
    m_nGrip = kWholeEntityGrip;
    return true;
}

void CToolRectangle::DragGrip(double x, double y)
{
    const CVector2D a = GetStartPoint(), c = GetEndPoint();
    switch (m_nActiveHandle) {
    case 0: SetStartPoint(CVector2D(x, y)); break;
    case 1: SetStartPoint(CVector2D(a.x, y)); break;
    case 2:
        SetEndPoint(CVector2D(x, c.y));
        SetStartPoint(CVector2D(a.x, y));
        break;
    case 3: SetEndPoint(CVector2D(x, c.y)); break;
    case 4: SetEndPoint(CVector2D(x, y)); break;
    case 5: SetEndPoint(CVector2D(c.x, y)); break;
    case 6:
        SetStartPoint(CVector2D(x, a.y));
        SetEndPoint(CVector2D(c.x, y));
        break;
    case 7: SetStartPoint(CVector2D(x, a.y)); break;
    default:
        // The whole box follows the drag from where it started.
        RestoreVertices();
        if (m_referencePoint.x != DBL_MAX && m_referencePoint.y != DBL_MAX)
            MoveBy(x - m_referencePoint.x, y - m_referencePoint.y);
        break;
    }
}

// ---- tests ----------------------------------------------------------------------------------

void CToolRectangle::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (pView == nullptr) {
        CMeasure::GetDeviceRect(out, pView, pWnd);
        return;
    }
    const CPoint a = pView->WorldToDevice(GetStartPoint());
    const CPoint c = pView->WorldToDevice(GetConstrainedCorner());
    out = CRect(std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x), std::max(a.y, c.y));
    out.InflateRect(33, 33);
}

bool CToolRectangle::ContainsPoint(double x, double y, bool)
{
    if (!HasInterior())
        return false;
    const CVector2D a = GetStartPoint(), c = GetConstrainedCorner();
    return x >= std::min(a.x, c.x) && x <= std::max(a.x, c.x) && y >= std::min(a.y, c.y) &&
           y <= std::max(a.y, c.y);
}

bool CToolRectangle::OutlineCrosses(double top, double left, double bottom, double right) const
{
    const CVector2D a = GetStartPoint(), c = GetConstrainedCorner();
    const CVector2D corners[4] = {a, CVector2D(c.x, a.y), c, CVector2D(a.x, c.y)};
    CLineClipper clipper;
    clipper.SetWindow(top, left, bottom, right);
    for (int i = 0; i < 4; ++i) {
        clipper.SetSegmentPoints(corners[i], corners[(i + 1) % 4]);
        if (clipper.Clip())
            return true;
    }
    return false;
}

bool CToolRectangle::CrossesRect(double top, double left, double bottom, double right, CViewContext*, CWnd*)
{
    return OutlineCrosses(top, left, bottom, right);
}

// ---- drawing --------------------------------------------------------------------------------

void CToolRectangle::SelectStyle(CDC* pDC, CViewContext* pView, CPen& pen, CBrush& brush, CGdiObject*& pOldPen,
                                 CGdiObject*& pOldBrush)
{
    pOldBrush = SelectInteriorBrush(pDC, pView, brush);
    if (m_bExteriorLine && pen.CreatePen(m_nPenStyle, pView->PrinterLineWidth(pDC, m_nLineWeight),
                                         pView->GetDisplayColour(CurrentLineColour())))
        pOldPen = pDC->SelectObject(&pen);
    else
        pOldPen = pDC->SelectStockObject(NULL_PEN);
}

void CToolRectangle::DrawHandles(CDC* pDC, CViewContext* pView)
{
    if (!IsEditing())
        return;
    for (int i = 0; i < 8; ++i) {
        const CPoint p = pView->WorldToDevice(GetHandle(i));
        DrawSquareMarker(pDC, p.x, p.y, 3);
    }
}

void CToolRectangle::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CPen pen;
    CBrush brush;
    CGdiObject *pOldPen = nullptr, *pOldBrush = nullptr;
    SelectStyle(pDC, pView, pen, brush, pOldPen, pOldBrush);
    const CPoint a = pView->WorldToDevice(GetStartPoint());
    const CPoint c = pView->WorldToDevice(GetConstrainedCorner());
    DrawShape(pDC, pView, CRect(std::min(a.x, c.x), std::min(a.y, c.y), std::max(a.x, c.x) + 1, std::max(a.y, c.y) + 1));
    if (pOldPen)
        pDC->SelectObject(pOldPen);
    if (pOldBrush)
        pDC->SelectObject(pOldBrush);
    pDC->SetBkMode(oldMode);
    DrawHandles(pDC, pView);
}

void CToolRectangle::DrawShape(CDC* pDC, CViewContext*, const CRect& box) { pDC->Rectangle(&box); }

// ---- file values ------------------------------------------------------------------------------

void CToolRectangle::ApplyCommonStyle(const CToolCommonStyle& s)
{
    m_bHatched = s.hatched;
    SetHatchStyleIndex(s.hatchIndex);
    ApplyOutlineAndFill(s);
}

void CToolRectangle::ApplyDimensionText(int, int, int, int exteriorLine)
{
    m_bExteriorLine = exteriorLine > 0;
}

// ---- circle ---------------------------------------------------------------------------------

CToolCircle::CToolCircle()
{
    SetKind(TOOL_TYPE_CIRCLE, "Circle");
    // The arc options are the circle's: without them no arc could be drawn.
    m_bCanArc = true;
}

void CToolCircle::SetEditing(bool b)
{
    if (m_bIsCircle && b != IsEditing())
        SetEndPoint(GetConstrainedCorner());
    CToolRectangle::SetEditing(b);
}

bool CToolCircle::InEllipse(double x, double y) const
{
    const CVector2D p = GetStartPoint(), q = GetConstrainedCorner();
    const double a = std::fabs(q.x - p.x) / 2, b = std::fabs(q.y - p.y) / 2;
    if (a < 1.1754944e-38 || b < 1.1754944e-38)
        return false;
    const double u = x - (p.x + q.x) / 2, v = y - (p.y + q.y) / 2;
    return u * u / (a * a) + v * v / (b * b) <= 1.0;
}

bool CToolCircle::ContainsPoint(double x, double y, bool)
{
    return HasInterior() && InEllipse(x, y);
}

bool CToolCircle::CrossesRect(double top, double left, double bottom, double right, CViewContext*, CWnd*)
{
    const double xs[2] = {left, right}, ys[2] = {top, bottom};
    int inside = 0;
    for (double x : xs)
        for (double y : ys)
            inside += InEllipse(x, y) ? 1 : 0;
    if (inside > 0 && inside < 4)
        return true;
    const CVector2D p = GetStartPoint(), q = GetConstrainedCorner();
    auto inRegion = [&](const CVector2D& v) { return v.x >= left && v.x <= right && v.y >= bottom && v.y <= top; };
    if (inRegion(p) && inRegion(q))
        return true;
    if (inside == 0) {
        const double cx = (p.x + q.x) / 2, cy = (p.y + q.y) / 2;
        const double minX = std::min(p.x, q.x), maxX = std::max(p.x, q.x);
        const double minY = std::min(p.y, q.y), maxY = std::max(p.y, q.y);
        if (bottom <= cy && cy <= top && ((left <= minX && minX <= right) || (left <= maxX && maxX <= right)))
            return true;
        if (left <= cx && cx <= right && ((bottom <= minY && minY <= top) || (bottom <= maxY && maxY <= top)))
            return true;
    }
    if (IsEditing())
        for (int i = 0; i < 8; i += 2)
            if (inRegion(GetHandle(i)))
                return true;
    return false;
}

void CToolCircle::DrawShape(CDC* pDC, CViewContext* pView, const CRect& box)
{
    if (!m_bIsArc) {
        pDC->Ellipse(&box);
        return;
    }
    // The arc runs between two rays from the centre, taken well outside the box.
    const CVector2D a = GetStartPoint(), c = GetConstrainedCorner();
    const CVector2D m((a.x + c.x) / 2, (a.y + c.y) / 2);
    const double r = std::max(std::hypot(a.x - m.x, a.y - m.y), std::hypot(c.x - m.x, c.y - m.y)) * 1.2;
    const double b = m_dArcBegin * DEG_TO_RAD, e = m_dArcEnd * DEG_TO_RAD;
    const CPoint start = pView->WorldToDevice(m.x + r * std::cos(b), m.y + r * std::sin(b));
    const CPoint end = pView->WorldToDevice(m.x + r * std::cos(e), m.y + r * std::sin(e));
    pDC->Arc(box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
}

void CToolCircle::ApplyCommonStyle(const CToolCommonStyle& s)
{
    CToolRectangle::ApplyCommonStyle(s);
    m_dArcBegin = s.arcBegin;
    m_dArcEnd = s.arcEnd;
    m_bIsArc = s.isArc;
    m_bIsCircle = s.isCircle;
}
