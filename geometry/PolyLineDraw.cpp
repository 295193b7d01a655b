// CPolyLine drawing, in separate virtual steps so that derived classes can
// replace single steps.
#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/DeviceStroke.h"
#include "geometry/PolyLine.h"
#include "geometry/ViewContext.h"

namespace {

// Selects a pen for the length of one drawing step and puts the previous one
// back; a pen that cannot be made or selected leaves the step undrawn.
class CPenScope
{
public:
    CPenScope(CDC* pDC, int style, int width, COLORREF colour) : m_pDC(pDC)
    {
        if (m_pen.CreatePen(style, width, colour))
            m_pOld = m_pDC->SelectObject(&m_pen);
    }
    ~CPenScope()
    {
        if (m_pOld)
            m_pDC->SelectObject(m_pOld);
    }
    bool Ok() const { return m_pOld != nullptr; }

private:
    CDC* m_pDC;
    CPen m_pen;
    CPen* m_pOld = nullptr;
};

} // namespace

void CPolyLine::Draw(CDC* pDC, CViewContext* pView)
{
    DrawPolyline(m_bClosed, pDC, pView);
    if (m_bMarkers)
        DrawVertexMarkers(pDC, pView);
}

void CPolyLine::DrawPolyline(bool bClosed, CDC* pDC, CViewContext* pView)
{
    DrawLines(bClosed, pDC, pView);
    if (m_bVertexTicks)
        DrawVertexTicks(bClosed, pDC, pView);
    if (IsInSet(SET_SELECTION)) {
        DrawSelected(bClosed, pDC, pView);
    } else {
        DrawMarkedVertices(bClosed, pDC, pView);
        DrawMarkedSegments(bClosed, pDC, pView);
    }
}

namespace {

// The area a stroke can show in, widened by the widest pen; false when every
// segment must be drawn (a metafile records what lies outside too).
bool StrokeBounds(CDC* pDC, RECT& bounds)
{
    const HDC hdc = pDC->GetSafeHdc();
    if (hdc == nullptr || ::GetObjectType(hdc) == OBJ_ENHMETADC ||
        ::GetObjectType(hdc) == OBJ_METADC)
        return false;
    if (::GetClipBox(hdc, &bounds) == ERROR)
        return false;
    ::InflateRect(&bounds, 64, 64);
    return true;
}

} // namespace

void CPolyLine::StrokeVisibleSegments(bool bClosed, CDC* pDC, CViewContext* pView)
{
    const int n = GetVertexCount();
    if (n == 0)
        return;
    // A segment lying wholly on one side of the visible area is skipped
    // without a call to the device: a small repaint of a view full of long
    // rock paths then costs little more than the mapping of their points.
    RECT bounds;
    const bool cull = StrokeBounds(pDC, bounds);
    CDeviceStroke stroke(pDC, *pView, cull ? &bounds : nullptr);
    stroke.MoveTo(m_vertices[0].x, m_vertices[0].y);
    for (int i = 1; i < n; ++i)
        stroke.LineTo(m_vertices[i].x, m_vertices[i].y, m_vertices[i].segmentVisible);
    if (bClosed)
        stroke.LineTo(m_vertices[0].x, m_vertices[0].y, m_vertices[0].segmentVisible);
    // The device's current position ends at the last vertex, as a plain
    // stroke would leave it.
    stroke.End();
}

void CPolyLine::DrawLines(bool bClosed, CDC* pDC, CViewContext* pView)
{
    if (GetVertexCount() == 0)
        return;
    CPenScope pen(pDC, m_nLineStyle, pView->PrinterLineWidth(pDC, m_nLineWidth),
                  pView->GetDisplayColour(m_crColour));
    if (pen.Ok())
        StrokeVisibleSegments(bClosed, pDC, pView);
}

void CPolyLine::DrawVertexTicks(bool bClosed, CDC* pDC, CViewContext* pView)
{
    const int n = GetVertexCount();
    if (n < 2)
        return;
    CPenScope pen(pDC, PS_SOLID, pView->PrinterLineWidth(pDC, 1),
                  pView->GetDisplayColour(m_crAltColour));
    if (!pen.Ok())
        return;
    const int c = pView->PrinterLineWidth(pDC, 3);
    const int last = n - 1;
    for (int i = 0; i < n; ++i) {
        const bool before = i >= 1 ? m_vertices[i].segmentVisible
                                   : (bClosed && m_vertices[0].segmentVisible);
        const bool after = i < last ? m_vertices[i + 1].segmentVisible
                                    : (bClosed && m_vertices[0].segmentVisible);
        if (!before && !after)
            continue;
        const CPoint p = pView->WorldToDevice(m_vertices[i].x, m_vertices[i].y);
        DrawCrossMarker(pDC, p.x, p.y, c);
    }
}

void CPolyLine::DrawSelected(bool bClosed, CDC* pDC, CViewContext* pView)
{
    if (GetVertexCount() < 2)
        return;
    {
        CPenScope underlay(pDC, PS_SOLID, pView->PrinterLineWidth(pDC, m_nLineWidth), 0xFFFFFF);
        if (underlay.Ok())
            StrokeVisibleSegments(bClosed, pDC, pView);
    }
    CPenScope selection(pDC, m_nSelectStyle, pView->PrinterLineWidth(pDC, m_nSelectWidth),
                        pView->GetDisplayColour(m_crSelectColour));
    if (selection.Ok())
        StrokeVisibleSegments(bClosed, pDC, pView);
}

void CPolyLine::DrawMarkedSegments(bool bClosed, CDC* pDC, CViewContext* pView)
{
    const int n = GetVertexCount();
    if (n < 2)
        return;
    auto stroke = [&]() {
        for (int i = 1; i < n; ++i) {
            if (!m_vertices[i].segmentMark)
                continue;
            pView->DrawSegment(pDC, m_vertices[i - 1].x, m_vertices[i - 1].y, m_vertices[i].x, m_vertices[i].y);
        }
        if (bClosed && m_vertices[0].segmentMark)
            pView->DrawSegment(pDC, m_vertices[n - 1].x, m_vertices[n - 1].y, m_vertices[0].x, m_vertices[0].y);
    };
    {
        CPenScope underlay(pDC, PS_SOLID, pView->PrinterLineWidth(pDC, m_nLineWidth), 0xFFFFFF);
        if (underlay.Ok())
            stroke();
    }
    // The marked segments keep the raw selection colour in every colour mode.
    CPenScope selection(pDC, m_nSelectStyle, pView->PrinterLineWidth(pDC, m_nSelectWidth),
                        m_crSelectColour);
    if (selection.Ok())
        stroke();
}

void CPolyLine::DrawMarkedVertices(bool bClosed, CDC* pDC, CViewContext* pView)
{
    const int n = GetVertexCount();
    if (n < 2)
        return;
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    {
        CPenScope pen(pDC, m_nSelectStyle, m_nSelectWidth, pView->GetDisplayColour(m_crSelectColour));
        if (pen.Ok()) {
            const int last = n - 1;
            for (int i = 0; i < n; ++i) {
                if (!m_vertices[i].vertexMark)
                    continue;
                const int prev = i > 0 ? i - 1 : (bClosed ? last : 0);
                const int next = i < last ? i + 1 : (bClosed ? 0 : last);
                DrawCorner(pDC, pView, m_vertices[prev].x, m_vertices[prev].y, m_vertices[i].x,
                           m_vertices[i].y, m_vertices[next].x, m_vertices[next].y);
            }
        }
    }
    pDC->SetBkMode(oldMode);
}

void CPolyLine::DrawCorner(CDC* pDC, CViewContext* pView, double px, double py, double vx,
                           double vy, double nx, double ny)
{
    const double x1 = vx - (vx - px) * 0.333, y1 = vy - (vy - py) * 0.333;
    const double x2 = vx + (nx - vx) * 0.333, y2 = vy + (ny - vy) * 0.333;
    CDeviceStroke stroke(pDC, *pView);
    stroke.MoveTo(x1, y1);
    stroke.LineTo(vx, vy);
    stroke.LineTo(x2, y2);
}

void CPolyLine::DrawCornerSides(CDC* pDC, CViewContext* pView, double px, double py, double vx,
                                double vy, double nx, double ny, int i)
{
    const int last = GetLastVertexIndex();
    if (!IsValidIndex(i))
        return;
    const bool hasBefore = i > 0 || m_bClosed;
    const bool hasAfter = i < last || m_bClosed;
    const int before = i > 0 ? i - 1 : last;
    const int after = i < last ? i + 1 : 0;
    double sx = px, sy = py, ex = nx, ey = ny;
    if (hasBefore && m_vertices[before].vertexMark) {
        sx = px + (vx - px) * 0.333;
        sy = py + (vy - py) * 0.333;
    }
    if (hasAfter && m_vertices[after].vertexMark) {
        ex = nx + (vx - nx) * 0.333;
        ey = ny + (vy - ny) * 0.333;
    }
    pView->DrawSegment(pDC, sx, sy, vx - (vx - px) * 0.333, vy - (vy - py) * 0.333);
    pView->DrawSegment(pDC, vx + (nx - vx) * 0.333, vy + (ny - vy) * 0.333, ex, ey);
}

const CVectorArray& CPolyLine::GetVertexMarkerPoints(int)
{
    // One shared list that stays empty: only derived classes offer markers.
    static const CVectorArray* const s_none = new CVectorArray;
    return *s_none;
}

void CPolyLine::DrawVertexMarkers(CDC* pDC, CViewContext* pView)
{
    CPenScope pen(pDC, PS_SOLID, 1, pView->GetDisplayColour(m_crMarker));
    if (!pen.Ok())
        return;
    const int c = pView->PrinterLineWidth(pDC, (int)std::lround(3 * pView->GetSizeScale()));
    for (int i = 0; i < GetVertexCount(); ++i) {
        const CVectorArray& points = GetVertexMarkerPoints(i);
        for (INT_PTR k = 0; k < points.GetSize(); ++k) {
            const CPoint p = pView->WorldToDevice(points[k]);
            DrawCrossMarker(pDC, p.x, p.y, c);
        }
    }
}

void CPolyLine::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    CEntity::GetDeviceRect(out, pView, pWnd);
    if (pView == nullptr)
        return;
    const bool labels = (m_bShowVertexNumbers || m_bLabelVertices) && pView->GetShowLabels();
    const bool vertexLabels = pView->GetShowVertexLabels() && GetMarkedVertexCount() > 0;
    if (labels || vertexLabels)
        out.InflateRect(160, 80);
}
