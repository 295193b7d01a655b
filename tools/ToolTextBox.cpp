#include "tools/ToolTextBox.h"

#include <algorithm>
#include <cmath>
#include "framework/DC.h"
#include "framework/Wnd.h"
#include "geometry/CursorIds.h"
#include "geometry/Geometry.h"
#include "geometry/LineClipper.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolTextBox, CMeasure)
IMPLEMENT_DYNAMIC(CToolContourLabels, CToolTextBox)

namespace {
constexpr int kAnchorTopLeft = 5;

bool SegmentCrosses(const CVector2D& a, const CVector2D& b, double top, double left, double bottom, double right)
{
    CLineClipper clipper;
    clipper.SetWindow(top, left, bottom, right);
    clipper.SetSegmentPoints(a, b);
    return clipper.Clip();
}
} // namespace

CToolTextBox::CToolTextBox()
{
    SetKind(TOOL_TYPE_TEXT_BOX, "TextBox");
    m_bFilled = true;
    m_crFill = 0xFFFFFF;
    m_bExteriorLine = true;
    m_bArrowAtHead = true;
    m_bCanFont = true;
    m_bCanFill = true;
    m_bCanLineWeight = false;
    m_bEndEditable = false;
    SetContextMenu(6002, 16);
}

void CToolTextBox::SetText(const CString& text)
{
    m_strText = text;
    m_template.SetTemplate(text);
}

void CToolTextBox::ApplyCommonStyle(const CToolCommonStyle& s)
{
    ApplyOutlineAndFill(s);
    SetText(s.text);
    SetFontFrom(s.fontSize, s.fontWeight, s.fontItalic, s.fontName);
}

void CToolTextBox::ApplyDimensionText(int rotation, int, int, int)
{
    m_nRotation = rotation;
}

bool CToolTextBox::QueryOption(CPickRequest*, CViewContext*, int code)
{
    return code == 111 || code == 112;
}

// ---- layout and outline -------------------------------------------------------------------

bool CToolTextBox::LayoutOnWindow(CViewContext* pView, CWnd* pWnd, int escapement, CRect& rect)
{
    if (pView == nullptr || pWnd == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return false;
    CClientDC dc(pWnd);
    if (dc.GetSafeHdc() == nullptr)
        return false;
    const CVector2D anchor = GetStartPoint();
    if (m_textStyle.LayoutText(&dc, pView, GetDisplayText(), anchor.x, anchor.y, escapement, rect, kAnchorTopLeft))
        return true;
    // Too small to read: an empty box at the anchor.
    const CPoint p = pView->WorldToDevice(anchor);
    rect = CRect(p, p);
    return true;
}

bool CToolTextBox::GetTextOutline(CViewContext* pView, CVectorArray& outline)
{
    outline.RemoveAll();
    if (pView == nullptr || pView->GetOwnerView() == nullptr)
        return false;
    CRect r;
    if (!LayoutOnWindow(pView, pView->GetOwnerView(), m_nRotation * 10, r))
        return false;
    const CVector2D anchor = GetStartPoint();
    const CPoint corners[4] = {{r.left, r.top}, {r.left, r.bottom}, {r.right, r.bottom}, {r.right, r.top}};
    for (const CPoint& c : corners) {
        CVector2D w = pView->DeviceToWorld(c);
        if (m_nRotation != 0)
            ::RotatePoint(w, m_nRotation, anchor.x, anchor.y, false);
        outline.Add(w);
    }
    return true;
}

// ---- picking ------------------------------------------------------------------------------

int CToolTextBox::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return kCursorArrow;
    const CVector2D anchor = GetStartPoint(), tip = GetEndPoint();
    if (HasPlaceholders() && pView->IsNearDevicePoint(tip, p.x, p.y))
        return kCursorSizeNESW;
    if (pView->IsNearDevicePoint(anchor, p.x, p.y))
        return kCursorSizeAll;
    if (LeaderShown()) {
        const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
        if (SegmentCrosses(anchor, tip, box.top, box.left, box.bottom, box.right))
            return kCursorSizeAll;
    }
    CVectorArray outline;
    if (GetTextOutline(pView, outline)) {
        const CVector2D w = pView->DeviceToWorld(p);
        if (PointInPolygonPts(w.x, w.y, (int)outline.GetSize(), outline.GetData(), 1))
            return kCursorSizeAll;
    }
    return kCursorArrow;
}

bool CToolTextBox::PickGrip(CViewContext* pView, POINT p)
{
    switch (GetCursorAt(pView, p)) {
    case kCursorSizeAll:
        // A data label's text moves alone; its arrow point stays.
        m_nGrip = HasPlaceholders() ? 0 : kWholeEntityGrip;
        return true;
    case kCursorSizeNESW:
        m_nGrip = 1;
        return true;
    default:
        return false;
    }
}

bool CToolTextBox::CrossesRect(double top, double left, double bottom, double right, CViewContext* pView, CWnd*)
{
    if (LeaderShown() && SegmentCrosses(GetStartPoint(), GetEndPoint(), top, left, bottom, right))
        return true;
    if (pView == nullptr)
        return false;
    CVectorArray outline;
    if (!GetTextOutline(pView, outline) || outline.GetSize() != 4)
        return false;
    for (int i = 0; i < 4; ++i)
        if (SegmentCrosses(outline[i], outline[(i + 1) % 4], top, left, bottom, right))
            return true;
    // A rectangle wholly inside the text box picks it too.
    const CVector2D centre((left + right) / 2, (top + bottom) / 2);
    return PointInPolygonPts(centre.x, centre.y, 4, outline.GetData(), 1);
}

void CToolTextBox::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (pView == nullptr) {
        CPolyLine::GetDeviceRect(out, pView, pWnd);
        return;
    }
    const bool oldFixed = pView->SetFixedSize(true);
    const CPoint anchor = pView->WorldToDevice(GetStartPoint());
    out = CRect(anchor, anchor);
    CRect text;
    if (LayoutOnWindow(pView, pWnd, 0, text)) {
        const int grow = text.Width() + text.Height();
        out.InflateRect(grow, grow);
    }
    if (LeaderShown()) {
        CRect line;
        CPolyLine::GetDeviceRect(line, pView, pWnd);
        out.UnionRect(&out, &line);
    }
    pView->SetFixedSize(oldFixed);
}

// ---- drawing ------------------------------------------------------------------------------

void CToolTextBox::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    const COLORREF colour = CurrentLineColour();
    ApplyLabelBoxStyle();
    const CVector2D anchor = GetStartPoint(), point = GetEndPoint();
    if (LeaderShown()) {
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CPen pen;
        if (pen.CreatePen(m_nPenStyle, pView->PrinterLineWidth(pDC, m_nLineWeight), pView->GetDisplayColour(colour))) {
            CPen* pOld = pDC->SelectObject(&pen);
            pView->DrawSegment(pDC, anchor, point);
            if (pOld)
                pDC->SelectObject(pOld);
        }
        pDC->SetBkMode(oldMode);
        CVector2D tip = point;
        const double length = anchor.DistanceTo(point);
        if (IsEditing() && length > 0) {
            // Back off so the grip square does not hide the head.
            const double back = std::min(0.3 * pView->GetPickRadius(), length) / length;
            tip = CVector2D(point.x + (anchor.x - point.x) * back, point.y + (anchor.y - point.y) * back);
        }
        if (m_bArrowAtHead || IsEditing()) {
            m_textStyle.SetPixelSize(pDC, 1.0, 1.0, 1.0);
            m_textStyle.DrawArrowHeadTowards(pDC, tip, anchor, pView, colour);
        }
        if (IsEditing()) {
            const CPoint p = pView->WorldToDevice(point);
            DrawSquareMarker(pDC, p.x, p.y, 3);
        }
    }
    const bool oldFixed = pView->SetFixedSize(true);
    const bool oldHatch = m_textStyle.GetHatch();
    if (IsInSet(SET_SELECTION))
        m_textStyle.SetHatch(true);
    m_textStyle.DrawText(pDC, pView, GetDisplayText(), anchor.x, anchor.y, m_nRotation * 10, m_crText, m_crFill,
                         kAnchorTopLeft);
    m_textStyle.SetHatch(oldHatch);
    pView->SetFixedSize(oldFixed);
    if (IsEditing()) {
        const CPoint p = pView->WorldToDevice(anchor);
        DrawSquareMarker(pDC, p.x, p.y, 3);
    }
}

// ---- contour labels -----------------------------------------------------------------------

CToolContourLabels::CToolContourLabels()
{
    SetKind(TOOL_TYPE_CONTOUR_LABELS, "ContourLabels");
    m_bStartEditable = false;
}
