#include "tools/ToolDimAngle.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include "framework/DC.h"
#include "framework/Wnd.h"
#include "geometry/Constants.h"
#include "geometry/CursorIds.h"
#include "geometry/LineClipper.h"
#include "geometry/ViewContext.h"
#include "tools/ToolDimLength.h"

IMPLEMENT_DYNAMIC(CToolDimAngle, CToolArrow)

namespace {
constexpr int kAnchorCentred = 0x120;
constexpr int kAnchorTopLeft = 5;
constexpr double kTiny = 1.1754943508222875e-38;
const CVector2D kNotPlaced(DBL_MAX, DBL_MAX);
} // namespace

CToolDimAngle::CToolDimAngle()
    : m_dCacheA1(DBL_MAX), m_dCacheA2(DBL_MAX), m_dCacheR(DBL_MAX), m_cacheCentre(DBL_MAX, DBL_MAX)
{
    SetKind(TOOL_TYPE_DIM_ANGLE, "DimAngle");
    while (GetVertexCount() < 3)
        AddPoint(kNotPlaced.x, kNotPlaced.y);
    SetVertexPoint(2, kNotPlaced.x, kNotPlaced.y);
    m_nDecimals = 0;
    m_bDimensionUnits = true;
    m_bArrowAtHead = false;
    m_bArrowAtTail = false;
    m_bBehindTextLine = true;
    m_bPrimaryLine = true;
    m_bExteriorLine = false;
    m_bShape = false;
    m_bFilled = true;
    m_crFill = 0xFFFFFF;
    m_bCanArrow = true;
    m_bCanFill = true;
    m_bCanFont = true;
}

void CToolDimAngle::ApplyDimensionVertices(const CVectorArray& extra, bool, bool primary, int)
{
    PlaceVerticesAfterEnds(extra);
    m_bPrimaryLine = primary;
}

void CToolDimAngle::ApplyDimensionFormat(int, bool swap, int decimals, bool behindText)
{
    m_bSwapArrows = swap;
    SetNumDecimalPlaces(decimals);
    m_bBehindTextLine = behindText;
}

bool CToolDimAngle::IsSecondArmPlaced() const
{
    return GetVertexCount() >= 3 && !(GetVertexPoint(2) == kNotPlaced);
}

// ---- the arc ------------------------------------------------------------------------------

void CToolDimAngle::BuildArcPoints(double a1, double a2, double r, const CVector2D& c)
{
    if (a1 == m_dCacheA1 && a2 == m_dCacheA2 && r == m_dCacheR && c == m_cacheCentre)
        return;
    m_dCacheA1 = a1;
    m_dCacheA2 = a2;
    m_dCacheR = r;
    m_cacheCentre = c;
    m_arc.RemoveAll();
    if (a1 == a2)
        return;
    // The sweep counter-clockwise from a1 to a2, within (0, 2 pi).
    double sweep = std::fmod(a2 - a1, 2 * PI);
    if (sweep <= 0)
        sweep += 2 * PI;
    double start = a1, step = sweep / 50;
    if (!(sweep > 0 && sweep <= PI)) {
        start = a2;
        step = (2 * PI - sweep) / 50;
    }
    for (int i = 0; i <= 50; ++i) {
        const double t = start + i * step;
        m_arc.Add(CVector2D(c.x + r * std::cos(t), c.y + r * std::sin(t)));
    }
}

bool CToolDimAngle::ArcCrossesRect(double top, double left, double bottom, double right) const
{
    CLineClipper clipper;
    clipper.SetWindow(top, left, bottom, right);
    for (int i = 1; i < (int)m_arc.GetSize(); ++i) {
        clipper.SetSegmentPoints(m_arc[i - 1], m_arc[i]);
        if (clipper.Clip())
            return true;
    }
    return false;
}

bool CToolDimAngle::ComputeArc(ArcLayout& out) const
{
    if (!IsSecondArmPlaced())
        return false;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v2 = GetVertexPoint(2);
    const double d1 = v0.DistanceTo(v1), d2 = v2.DistanceTo(v1);
    if (!(d1 > kTiny) || !(d2 > kTiny))
        return false;
    out.r = 0.75 * std::min(d1, d2);
    out.P1 = CVector2D(v1.x + (v0.x - v1.x) * out.r / d1, v1.y + (v0.y - v1.y) * out.r / d1);
    out.P2 = CVector2D(v1.x + (v2.x - v1.x) * out.r / d2, v1.y + (v2.y - v1.y) * out.r / d2);
    out.a1 = std::atan2(v0.y - v1.y, v0.x - v1.x);
    out.a2 = std::atan2(v2.y - v1.y, v2.x - v1.x);
    if (out.a1 < 0)
        out.a1 += 2 * PI;
    if (out.a2 < 0)
        out.a2 += 2 * PI;
    if (out.a2 < out.a1)
        out.a2 += 2 * PI;
    const double sweep = out.a2 - out.a1;
    out.caseA = sweep > 0 && sweep <= PI;
    out.m = (out.a1 + out.a2) / 2 - (out.caseA ? 0 : PI);
    out.L = CVector2D(v1.x + out.r * std::cos(out.m), v1.y + out.r * std::sin(out.m));
    return true;
}

double CToolDimAngle::GetAngleValue() const
{
    if (!IsSecondArmPlaced())
        return 0;
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v2 = GetVertexPoint(2);
    const CVector2D a(v0.x - v1.x, v0.y - v1.y), b(v2.x - v1.x, v2.y - v1.y);
    const double product = a.Length() * b.Length();
    if (!(product > 1e-9))
        return 0;
    return std::acos(std::clamp(a.Dot(b) / product, -1.0, 1.0)) * 180.0 / PI;
}

CString CToolDimAngle::GetLabelText() const
{
    CString format = DecimalFormat(m_nDecimals);
    if (m_bDimensionUnits)
        format += "\xB0";
    CString text;
    text.Format(format, GetAngleValue());
    ComposeDimensionText(text);
    return text;
}

// ---- picking ------------------------------------------------------------------------------

bool CToolDimAngle::CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                                CWnd* pWnd)
{
    return ArcCrossesRect(top, left, bottom, right) || CMeasure::CrossesRect(top, left, bottom, right, pView, pWnd);
}

bool CToolDimAngle::PickGrip(CViewContext* pView, POINT p)
{
    if (pView == nullptr)
        return false;
    const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
    if (ArcCrossesRect(box.top, box.left, box.bottom, box.right)) {
        m_nGrip = kWholeEntityGrip;
        return true;
    }
    return CPolyLine::PickGrip(pView, p);
}

int CToolDimAngle::GetCursorAt(CViewContext* pView, POINT p)
{
    if (pView != nullptr) {
        const CViewContext::WorldRect box = pView->GetPickRect(p.x, p.y);
        if (ArcCrossesRect(box.top, box.left, box.bottom, box.right))
            return kCursorSizeAll;
    }
    return CPolyLine::GetCursorAt(pView, p);
}

void CToolDimAngle::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    if (pView == nullptr) {
        CPolyLine::GetDeviceRect(out, pView, pWnd);
        return;
    }
    const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1);
    double xmin = std::min(v0.x, v1.x), xmax = std::max(v0.x, v1.x);
    double ymin = std::min(v0.y, v1.y), ymax = std::max(v0.y, v1.y);
    ArcLayout arc;
    if (IsSecondArmPlaced()) {
        const CVector2D v2 = GetVertexPoint(2);
        const double r = ComputeArc(arc) ? arc.r : 0;
        xmin = std::min({xmin, v2.x, v1.x - r});
        xmax = std::max({xmax, v2.x, v1.x + r});
        ymin = std::min({ymin, v2.y, v1.y - r});
        ymax = std::max({ymax, v2.y, v1.y + r});
    }
    const CPoint a = pView->WorldToDevice(xmin, ymax), b = pView->WorldToDevice(xmax, ymin);
    out = CRect(a, b);
    out.NormalizeRect();
    const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
    if (hWnd != nullptr) {
        CClientDC dc(pWnd);
        CRect sample;
        if (dc.GetSafeHdc() != nullptr &&
            m_textStyle.LayoutText(&dc, pView, "188.80", v0.x, v0.y, (int)GetAngle(), sample, kAnchorTopLeft))
            out.InflateRect(sample.Width(), sample.Height());
    }
    out.InflateRect(33, 33);
}

// ---- drawing ------------------------------------------------------------------------------

void CToolDimAngle::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView) || GetVertexPoint(0) == GetVertexPoint(1))
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const int oldStyle = m_nLineStyle, oldWidth = m_nLineWidth;
    m_nLineStyle = m_nPenStyle;
    m_nLineWidth = m_nLineWeight;
    const COLORREF colour = CurrentLineColour();
    CPen pen;
    CPen* pOld = nullptr;
    if (pen.CreatePen(m_nPenStyle, pView->PrinterLineWidth(pDC, m_nLineWeight), pView->GetDisplayColour(colour)))
        pOld = pDC->SelectObject(&pen);
    if (pOld != nullptr) {
        auto line = [&](const CVector2D& a, const CVector2D& b) { pView->DrawSegment(pDC, a, b); };
        const CVector2D v0 = GetVertexPoint(0), v1 = GetVertexPoint(1), v2 = GetVertexPoint(2);
        if (m_bPrimaryLine)
            line(v0, v1);
        if (IsSecondArmPlaced()) {
            if (m_bPrimaryLine)
                line(v1, v2);
            ArcLayout arc;
            if (ComputeArc(arc)) {
                const bool drawable = pView->WorldToDevice(arc.P1) != pView->WorldToDevice(arc.P2);
                const CString text = GetLabelText();
                BuildArcPoints(arc.a1, arc.a2, arc.r, v1);
                const int n = (int)m_arc.GetSize();
                CRect label(0, 0, 0, 0);
                bool hasLabel = !text.IsEmpty() &&
                                m_textStyle.LayoutText(pDC, pView, text, arc.L.x, arc.L.y, 0, label, kAnchorCentred);
                auto visible = [&](int i) {
                    const CPoint a = pView->WorldToDevice(m_arc[i - 1]), b = pView->WorldToDevice(m_arc[i]);
                    return !hasLabel || (!label.PtInRect(a) && !label.PtInRect(b));
                };
                bool outside = false;
                int stub = 0;
                if (hasLabel) {
                    double length = 0;
                    for (int i = 1; i < n; ++i)
                        if (visible(i))
                            length += m_arc[i - 1].DistanceTo(m_arc[i]);
                    const CVector2D o = pView->DeviceToWorld(0, 0);
                    const double height = std::fabs(pView->DeviceToWorld(0, label.Height()).y - o.y);
                    if (length < 1.6 * height) {
                        outside = true;
                        stub = (int)(label.Height() * 1.2);
                    }
                }
                if (m_bBehindTextLine && !outside)
                    for (int i = 1; i < n; ++i)
                        if (visible(i))
                            line(m_arc[i - 1], m_arc[i]);
                if (drawable) {
                    auto direction = [&](int from, int to) {
                        if (n < 2)
                            return 0.0;
                        const CPoint a = pView->WorldToDevice(m_arc[from]), b = pView->WorldToDevice(m_arc[to]);
                        return std::atan2((double)(a.y - b.y), (double)(b.x - a.x));
                    };
                    const double t0 = direction(0, 1), tN = direction(n - 1, n - 2);
                    auto head = [&](const CVector2D& tip, double angle) {
                        DrawDimensionArrow(pDC, pView, m_textStyle, tip, angle, colour, outside, m_bBehindTextLine,
                                           stub);
                    };
                    if (m_bArrowAtHead)
                        head(arc.P1, arc.caseA ? t0 : tN);
                    if (m_bArrowAtTail)
                        head(arc.P2, arc.caseA ? tN : t0);
                    if (!text.IsEmpty()) {
                        ApplyLabelBoxStyle();
                        m_textStyle.DrawText(pDC, pView, text, arc.L.x, arc.L.y, 0, m_crText, m_crFill,
                                             kAnchorCentred);
                    }
                }
            }
        }
        pDC->SelectObject(pOld);
    }
    m_nLineStyle = oldStyle;
    m_nLineWidth = oldWidth;
    pDC->SetBkMode(oldMode);
    if (IsEditing())
        for (int i = 0; i < 3; ++i)
            if (i < 2 || IsSecondArmPlaced()) {
                const CPoint p = pView->WorldToDevice(GetVertexPoint(i));
                DrawSquareMarker(pDC, p.x, p.y, 3);
            }
}
