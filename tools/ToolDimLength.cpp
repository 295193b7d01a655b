#include "tools/ToolDimLength.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include "framework/DC.h"
#include "geometry/Constants.h"
#include "geometry/CursorIds.h"
#include "geometry/Geometry.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolDimLength, CToolArrow)

namespace {
constexpr int kAnchorCentre = 4;
constexpr double kTiny = 1.1754943508222875e-38;

CVector2D Mid(const CVector2D& a, const CVector2D& b) { return CVector2D((a.x + b.x) / 2, (a.y + b.y) / 2); }

CVector2D Unit(CVector2D v)
{
    const double length = v.Length();
    if (length > kTiny)
        v = CVector2D(v.x / length, v.y / length);
    return v;
}

// The cross product (b - a) x (p - a): which side of the line a-b p lies on.
double Side(const CVector2D& a, const CVector2D& b, const CVector2D& p)
{
    return (b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x);
}

double LineDistance(const CVector2D& a, const CVector2D& b, const CVector2D& p)
{
    return PointLineDistance(a.x, a.y, b.x, b.y, p.x, p.y);
}
} // namespace

CString DecimalFormat(int places)
{
    CString format;
    format.Format("%%.%df", std::clamp(places, 0, CMeasure::kMaxDecimalPlaces));
    return format;
}

void DrawDimensionArrow(CDC* pDC, CViewContext* pView, CTextStyle& style, const CVector2D& tip,
                        double direction, COLORREF colour, bool outside, bool withStub, int stub)
{
    if (outside)
        direction += PI;
    style.DrawArrowHeadAt(pDC, tip, pView, direction, colour, pView->GetSizeScale(), 0.7, 0.7);
    if (outside && withStub) {
        const CPoint p = pView->WorldToDevice(tip);
        pDC->MoveTo(p);
        pDC->LineTo(p.x + (int)(stub * std::sin(direction + PI / 2)), p.y + (int)(stub * std::cos(direction + PI / 2)));
    }
}

CDimensionGap DimensionLabelGap(int style, const CVector2D& B, const CVector2D& A, double hw, double hh)
{
    const CVector2D M = Mid(B, A);
    CDimensionGap gap;
    gap.P = A;
    gap.Q = B;
    if (style == DIM_ALIGNED) {
        const CVector2D corners[4] = {{M.x - hw, M.y - hh}, {M.x + hw, M.y - hh}, {M.x + hw, M.y + hh},
                                      {M.x - hw, M.y + hh}};
        for (int i = 0; i < 4; ++i) {
            const CVector2D& c = corners[i];
            const CVector2D& d = corners[(i + 1) % 4];
            double x = 0, y = 0, t = 0;
            if (SegmentIntersection(B.x, B.y, A.x, A.y, c.x, c.y, d.x, d.y, x, y, t) != 1)
                continue;
            const CVector2D X(x, y);
            if (X.DistanceTo(B) < gap.P.DistanceTo(B))
                gap.P = X;
            if (X.DistanceTo(A) < gap.Q.DistanceTo(A))
                gap.Q = X;
        }
    } else if (style == DIM_HORIZONTAL) {
        if (B.x < A.x)
            hw = -hw;
        gap.P = CVector2D(M.x + hw, M.y);
        gap.Q = CVector2D(M.x - hw, M.y);
    } else if (style == DIM_VERTICAL) {
        if (B.y < A.y)
            hh = -hh;
        gap.P = CVector2D(M.x, M.y + hh);
        gap.Q = CVector2D(M.x, M.y - hh);
    }
    gap.fits = 2 * std::fabs(hh) <= gap.P.DistanceTo(B);
    return gap;
}

CToolDimLength::CToolDimLength()
{
    SetKind(TOOL_TYPE_DIM_LENGTH, "DimLength");
    m_nDecimals = 3;
    m_bArrowAtHead = true;
    m_bArrowAtTail = true;
    m_bExtensionLine = true;
    m_bPrimaryLine = true;
    m_bBehindTextLine = true;
    m_bExteriorLine = false;
    m_bFilled = true;
    m_crFill = 0xFFFFFF;
    m_bClosed = true;
    m_bCanArrow = true;
    m_bCanFill = true;
    m_bCanFont = true;
}

bool CToolDimLength::MeasuredPointsCoincide() const
{
    return GetVertexPoint(0).ApproxEqual(GetVertexPoint(1));
}

void CToolDimLength::ApplyDimensionVertices(const CVectorArray& extra, bool extension, bool primary, int style)
{
    PlaceVerticesAfterEnds(extra);
    m_bExtensionLine = extension;
    m_bPrimaryLine = primary;
    // Kept as read; a style this tool does not know draws the value 0.
    m_nDimensionStyle = style;
}

void CToolDimLength::ApplyDimensionFormat(int toInches, bool swap, int decimals, bool behindText)
{
    m_nConvertToInches = toInches;
    m_bSwapArrows = swap;
    SetNumDecimalPlaces(decimals);
    m_bBehindTextLine = behindText;
}

double CToolDimLength::GetSignedOffset() const
{
    if (GetVertexCount() < 4)
        return 0;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v3 = GetVertexPoint(3);
    switch (m_nDimensionStyle) {
    case DIM_ALIGNED: {
        if (v0.ApproxEqual(v1))
            return 0;
        const double h = LineDistance(v0, v1, v3);
        return Side(v0, v1, v3) < 0 ? -h : h;
    }
    case DIM_HORIZONTAL: return v3.y - v0.y;
    case DIM_VERTICAL: return v3.x - v0.x;
    default: return 0;
    }
}

void CToolDimLength::PlaceAlignedHandle(double h, double s)
{
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1);
    CVector2D n = Unit(CVector2D(-(v1.y - v0.y), v1.x - v0.x));
    if (s < 0)
        n = CVector2D(-n.x, -n.y);
    const CVector2D m = Mid(v0, v1);
    SetVertexPoint(3, m.x + h * n.x, m.y + h * n.y);
}

void CToolDimLength::SetThirdPoint(const CVector2D& p)
{
    if (GetVertexCount() < 4)
        return;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v3 = GetVertexPoint(3);
    switch (m_nDimensionStyle) {
    case DIM_ALIGNED:
        if (!v0.ApproxEqual(v1))
            PlaceAlignedHandle(LineDistance(v0, v1, p), Side(v0, v1, p));
        break;
    case DIM_HORIZONTAL: SetVertexPoint(3, (v0.x + v1.x) / 2, p.y); break;
    case DIM_VERTICAL: SetVertexPoint(3, p.x, (v0.y + v1.y) / 2); break;
    default: (void)v3; break;
    }
}

// ---- grips and cursors --------------------------------------------------------------------

bool CToolDimLength::PickGrip(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return false;
    for (int i : {0, 1, 3}) {
        if (i < GetVertexCount() && pView->IsNearDevicePoint(GetVertexPoint(i), p.x, p.y)) {
            m_nGrip = i;
            return true;
        }
    }
    const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
    if (CPolyLine::CrossesRect(box.top, box.left, box.bottom, box.right, pView, nullptr)) {
        m_nGrip = kWholeEntityGrip;
        return true;
    }
    return false;
}

void CToolDimLength::DragGrip(double x, double y)
{
    if (m_nGrip == 3) {
        SetThirdPoint(CVector2D(x, y));
        return;
    }
    double h = 0, s = 0;
    const bool hasHandle = GetVertexCount() >= 4;
    if (hasHandle && !MeasuredPointsCoincide()) {
        const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v3 = GetVertexPoint(3);
        h = LineDistance(v0, v1, v3);
        s = Side(v0, v1, v3);
    }
    CPolyLine::DragGrip(x, y);
    if (!hasHandle)
        return;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v3 = GetVertexPoint(3);
    switch (m_nDimensionStyle) {
    case DIM_ALIGNED: PlaceAlignedHandle(h, s); break;
    case DIM_HORIZONTAL: SetVertexPoint(3, (v0.x + v1.x) / 2, v3.y); break;
    case DIM_VERTICAL: SetVertexPoint(3, v3.x, (v0.y + v1.y) / 2); break;
    default: break;
    }
}

int CToolDimLength::GetGripCount()
{
    return m_nGrip == 0 || m_nGrip == 1 ? 1 : 0;
}

CVector2D CToolDimLength::GetGripPoint(int i)
{
    if (m_nGrip == 0)
        return CMeasure::GetGripPoint(1);
    if (m_nGrip == 1)
        return CMeasure::GetGripPoint(0);
    return CMeasure::GetGripPoint(i);
}

int CToolDimLength::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return kCursorArrow;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1);
    const bool positive = (v1.x - v0.x) * (v1.y - v0.y) > 0;
    const int diagonal = positive ? kCursorSizeNESW : kCursorSizeNWSE;
    if (pView->IsNearDevicePoint(v0, p.x, p.y) || pView->IsNearDevicePoint(v1, p.x, p.y))
        return GetVertexCount() == 2 ? diagonal : kCursorSizeNESW;
    if (GetVertexCount() >= 4 && pView->IsNearDevicePoint(GetVertexPoint(3), p.x, p.y)) {
        if (m_nDimensionStyle == DIM_HORIZONTAL)
            return kCursorSizeNS;
        if (m_nDimensionStyle == DIM_VERTICAL)
            return kCursorSizeWE;
        return diagonal;
    }
    const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
    return CPolyLine::CrossesRect(box.top, box.left, box.bottom, box.right, pView, nullptr)
               ? kCursorSizeAll
               : kCursorArrow;
}

void CToolDimLength::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    CMeasure::GetDeviceRect(out, pView, pWnd);
    out.InflateRect(66, 66);
}

// ---- the dimension's geometry and label --------------------------------------------------

bool CToolDimLength::ComputeLayout(Layout& out) const
{
    if (GetVertexCount() < 4)
        return false;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1);
    const double offset = GetSignedOffset();
    out.A = v1;
    out.B = v0;
    out.n = CVector2D(0, 0);
    out.value = 0;
    switch (m_nDimensionStyle) {
    case DIM_ALIGNED:
        out.value = v1.DistanceTo(v0);
        out.n = CVector2D(-(v1.y - v0.y), v1.x - v0.x);
        break;
    case DIM_HORIZONTAL:
        out.n = CVector2D(0, std::fabs(offset));
        out.A.y = v0.y;
        out.value = std::fabs(v0.x - v1.x);
        break;
    case DIM_VERTICAL:
        out.n = CVector2D(std::fabs(offset), 0);
        out.A.x = v0.x;
        out.value = std::fabs(v0.y - v1.y);
        break;
    default: break;
    }
    out.n = Unit(out.n);
    out.A += CVector2D(offset * out.n.x, offset * out.n.y);
    out.B += CVector2D(offset * out.n.x, offset * out.n.y);
    return true;
}

CString CToolDimLength::GetLabelText(double value, bool metric) const
{
    CString text;
    text.Format(DecimalFormat(m_nDecimals), value);
    if (m_bDimensionUnits)
        text += metric ? " m" : " ft";
    ComposeDimensionText(text);
    return text;
}

void CToolDimLength::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView) || GetVertexPoint(0) == GetVertexPoint(1))
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const int oldStyle = m_nLineStyle, oldWidth = m_nLineWidth;
    m_nLineStyle = m_nPenStyle;
    m_nLineWidth = m_nLineWeight;

    Layout lay;
    if (!ComputeLayout(lay)) {
        pView->DrawSegment(pDC, GetVertexPoint(1), GetVertexPoint(0));
    } else {
        const CString text = GetLabelText(lay.value, pView->IsMetric());
        while (GetVertexCount() < 5)
            AddPoint(lay.B.x, lay.B.y);
        SetVertexPoint(4, lay.B.x, lay.B.y);
        SetVertexPoint(2, lay.A.x, lay.A.y);
        const COLORREF colour = CurrentLineColour();
        CPen pen;
        CPen* pOld = nullptr;
        if (pen.CreatePen(m_nPenStyle, pView->PrinterLineWidth(pDC, m_nLineWeight), pView->GetDisplayColour(colour)))
            pOld = pDC->SelectObject(&pen);
        if (pOld != nullptr) {
            auto line = [&](const CVector2D& a, const CVector2D& b) {
                pView->DrawSegment(pDC, a, b);
            };
            const CVector2D& A = lay.A;
            const CVector2D& B = lay.B;
            const CVector2D v3 = GetVertexPoint(3);
            // The dimension line, broken around the label.
            bool outside = false;
            int stub = 0;
            CRect label;
            if (!text.IsEmpty() && m_textStyle.LayoutText(pDC, pView, text, v3.x, v3.y, 0, label, kAnchorCentre)) {
                const CVector2D o = pView->DeviceToWorld(0, 0);
                const CVector2D c = pView->DeviceToWorld(label.Width(), label.Height());
                const double hw = std::fabs(c.x - o.x) / 2, hh = std::fabs(c.y - o.y) / 2;
                const CDimensionGap gap = DimensionLabelGap(m_nDimensionStyle, B, A, hw, hh);
                if (gap.fits) {
                    if (m_bBehindTextLine) {
                        line(B, gap.P);
                        line(A, gap.Q);
                    }
                } else {
                    outside = true;
                    stub = (int)(label.Height() * 1.2);
                }
            } else if (m_bBehindTextLine) {
                line(B, A);
            }
            // End ticks 2 mm each way along the normal.
            const CVector2D mm = pView->MillimetresToWorld(pDC, 2, 2);
            const CVector2D t(lay.n.x * mm.x, lay.n.y * mm.y);
            auto ticks = [&]() {
                line(CVector2D(B.x + t.x, B.y + t.y), CVector2D(B.x - t.x, B.y - t.y));
                line(CVector2D(A.x + t.x, A.y + t.y), CVector2D(A.x - t.x, A.y - t.y));
            };
            ticks();
            if (m_bExtensionLine) {
                CPen dotted(PS_DOT, 1, 0xC0C0C0);
                pDC->SelectObject(&dotted);
                line(GetVertexPoint(2), GetVertexPoint(1));
                line(GetVertexPoint(4), GetVertexPoint(0));
                pDC->SelectObject(&pen);
            }
            if (m_bPrimaryLine) {
                line(GetVertexPoint(1), GetVertexPoint(0));
                ticks();
            }
            // Arrow heads at the ends of the dimension line.
            const CPoint d2 = pView->WorldToDevice(A), d4 = pView->WorldToDevice(B);
            auto head = [&](const CVector2D& tip, const CPoint& from, const CPoint& to) {
                const double direction = std::atan2((double)(from.y - to.y), (double)(to.x - from.x));
                DrawDimensionArrow(pDC, pView, m_textStyle, tip, direction, colour, outside, m_bBehindTextLine, stub);
            };
            if (m_bArrowAtTail)
                head(A, d2, d4);
            if (m_bArrowAtHead)
                head(B, d4, d2);
            if (!text.IsEmpty()) {
                ApplyLabelBoxStyle();
                m_textStyle.DrawText(pDC, pView, text, v3.x, v3.y, 0, m_crText, m_crFill, kAnchorCentre);
            }
            pDC->SelectObject(pOld);
        }
    }
    m_nLineStyle = oldStyle;
    m_nLineWidth = oldWidth;
    pDC->SetBkMode(oldMode);
    if (IsEditing())
        for (int i : {3, 0, 1})
            if (i < GetVertexCount()) {
                const CPoint p = pView->WorldToDevice(GetVertexPoint(i));
                DrawSquareMarker(pDC, p.x, p.y, 3);
            }
}
