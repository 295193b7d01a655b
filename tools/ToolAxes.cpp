#include "tools/ToolAxes.h"

#include <algorithm>
#include <cmath>
#include "framework/DC.h"
#include "geometry/AxesEnt.h"
#include "geometry/ViewContext.h"

IMPLEMENT_DYNAMIC(CToolAxes, CToolRectangle)

CToolAxes::CToolAxes()
{
    SetKind(TOOL_TYPE_AXES, "Axes");
    m_bAxisLeft = true;
    m_bAxisBottom = true;
    m_bAxisTop = false;
    m_bAxisRight = false;
    m_bShape = false;
    m_bCanHatch = false;
    m_bCanFill = false;
    m_bCanAxisSides = true;
    m_bCanCustomSpacing = true;
}

void CToolAxes::ApplyCommonStyle(const CToolCommonStyle& s)
{
    m_bAxisLeft = s.axisLeft;
    m_bAxisRight = s.axisRight;
    m_bAxisTop = s.axisTop;
    m_bAxisBottom = s.axisBottom;
    m_bAxisGlobalCoords = s.globalCoords;
    m_bHatched = s.hatched;
    SetHatchStyleIndex(s.hatchIndex);
    ApplyOutlineAndFill(s);
}

void CToolAxes::ApplyAxisSpacing(double x, double y, bool custom)
{
    // Held within its range: a spacing of 0 would divide by zero when drawn.
    SetAxisSpacing(x, y);
    m_bAxisSpacing = custom;
}

void CToolAxes::GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd)
{
    CToolRectangle::GetDeviceRect(out, pView, pWnd);
    out.InflateRect(198, 66);
}

CAxisScale CToolAxes::ComputeScale(int side, CSize pixels, CSize dpi) const
{
    const CVector2D a = GetStartPoint(), b = GetEndPoint();
    CAxisScale s;
    s.G = CVector2D(std::min(a.x, b.x), std::max(a.y, b.y));
    s.H = CVector2D(std::max(a.x, b.x), std::min(a.y, b.y));
    switch (side) {
    case AXIS_TOP: s.H.y = s.G.y; break;
    case AXIS_LEFT: s.H.x = s.G.x; break;
    case AXIS_RIGHT: s.G.x = s.H.x; break;
    default: s.G.y = s.H.y; break;
    }
    const bool vertical = side == AXIS_LEFT || side == AXIS_RIGHT;
    if (vertical && s.G.y > s.H.y)
        std::swap(s.G, s.H);
    auto intervals = [](int length, int resolution) {
        return resolution > 0 ? std::max(1, (int)(std::abs(length) * 1.4 / resolution)) : 1;
    };
    const int nx = intervals(pixels.cx, dpi.cx), ny = intervals(pixels.cy, dpi.cy);
    double xmin = std::min(s.G.x, s.H.x), xmax = std::max(s.G.x, s.H.x);
    double ymin = std::min(s.G.y, s.H.y), ymax = std::max(s.G.y, s.H.y);
    NiceTickStep(xmin, xmax, s.stepX, nx);
    NiceTickStep(ymin, ymax, s.stepY, ny);
    s.firstX = xmin;
    s.firstY = ymin;
    if (vertical) {
        s.code = 12102;
        s.stepX = 0;
        s.count = ny;
    } else {
        s.code = 12101;
        s.stepY = 0;
        s.count = nx;
    }
    if (m_bAxisSpacing) {
        // The stored spacings are held within range; checked again so a
        // spacing can never divide by zero here.
        const double sx = std::clamp(m_dXSpacing, kMinAxisSpacing, kMaxAxisSpacing);
        const double sy = std::clamp(m_dYSpacing, kMinAxisSpacing, kMaxAxisSpacing);
        s.stepX = vertical ? 0 : sx;
        s.stepY = vertical ? sy : 0;
        if (m_bAxisGlobalCoords) {
            s.code = vertical ? 12108 : 12107;
            s.firstX = sx * (std::trunc(s.G.x / sx) - 1);
            s.firstY = sy * (std::trunc(s.G.y / sy) - 1);
        } else {
            s.code = vertical ? 12106 : 12105;
            s.firstX = s.G.x;
            s.firstY = s.G.y;
            s.localSpacing = true;
        }
    }
    return s;
}

void CToolAxes::DrawAxisScale(CDC* pDC, CViewContext* pView, int side)
{
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    CFont* pFont = m_textStyle.GetFontObject();
    CFont* pOldFont = pFont != nullptr && pFont->GetSafeHandle() ? pDC->SelectObject(pFont) : nullptr;

    const CAxisScale probe = ComputeScale(side, CSize(1, 1), CSize(0, 0));
    const CPoint dg = pView->WorldToDevice(probe.G), dh = pView->WorldToDevice(probe.H);
    const CAxisScale s = ComputeScale(side, CSize(dh.x - dg.x, dh.y - dg.y),
                                      CSize(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY)));
    CAxesEnt axes;
    axes.SetShowRulers(false);
    axes.SetMetric(m_bMetric);
    CTextStyle style;
    int size = 0;
    LOGFONTA font{};
    if (m_textStyle.GetFont(size, font))
        style.SetFont(size, font);
    style.SetShowBox(false);
    const bool oldFixed = pView->SetFixedSize(true);
    axes.DrawAxes(pDC, pView, s.count, s.firstX, s.firstY, s.stepX, s.stepY, s.H.x, s.H.y, s.code, s.G.x, s.G.y,
                  &style, side == AXIS_RIGHT, side != AXIS_TOP, s.localSpacing,
                  side == AXIS_TOP || side == AXIS_LEFT, m_crText);
    pView->SetFixedSize(oldFixed);
    if (pOldFont)
        pDC->SelectObject(pOldFont);
    pDC->SetBkMode(oldMode);
}

void CToolAxes::DrawHiddenSides(CDC* pDC, CViewContext* pView, int sides)
{
    CPen pen(PS_DOT, m_nLineWeight, pView->GetDisplayColour(CurrentLineColour()));
    CPen* pOld = pDC->SelectObject(&pen);
    const CPoint a = pView->WorldToDevice(GetStartPoint()), c = pView->WorldToDevice(GetEndPoint());
    const CPoint tl(std::min(a.x, c.x), std::min(a.y, c.y)), br(std::max(a.x, c.x), std::max(a.y, c.y));
    auto line = [&](int x1, int y1, int x2, int y2) {
        pDC->MoveTo(x1, y1);
        pDC->LineTo(x2, y2);
    };
    if (sides & AXIS_TOP)
        line(tl.x, tl.y, br.x, tl.y);
    if (sides & AXIS_LEFT)
        line(tl.x, br.y, tl.x, tl.y);
    if (sides & AXIS_RIGHT)
        line(br.x, tl.y, br.x, br.y);
    if (sides & AXIS_BOTTOM)
        line(br.x, br.y, tl.x, br.y);
    if (pOld)
        pDC->SelectObject(pOld);
}

void CToolAxes::Draw(CDC* pDC, CViewContext* pView)
{
    if (!IsShownIn(pView))
        return;
    const bool oldFixed = pView->SetFixedSize(true);
    CPen pen(PS_SOLID, pView->PrinterLineWidth(pDC, m_nLineWeight), pView->GetDisplayColour(CurrentLineColour()));
    CPen* pOld = pDC->SelectObject(&pen);
    const CPoint a = pView->WorldToDevice(GetStartPoint()), c = pView->WorldToDevice(GetEndPoint());
    const CPoint tl(std::min(a.x, c.x), std::min(a.y, c.y)), br(std::max(a.x, c.x), std::max(a.y, c.y));
    const struct
    {
        bool on;
        int side;
        CPoint from, to;
    } sides[] = {
        {m_bAxisTop, AXIS_TOP, tl, CPoint(br.x, tl.y)},
        {m_bAxisLeft, AXIS_LEFT, CPoint(tl.x, br.y), tl},
        {m_bAxisRight, AXIS_RIGHT, CPoint(br.x, tl.y), br},
        {m_bAxisBottom, AXIS_BOTTOM, br, CPoint(tl.x, br.y)},
    };
    int hidden = 0;
    for (const auto& s : sides) {
        if (!s.on) {
            hidden |= s.side;
            continue;
        }
        pDC->MoveTo(s.from);
        pDC->LineTo(s.to);
        DrawAxisScale(pDC, pView, s.side);
    }
    if (IsEditing()) {
        if (hidden != 0)
            DrawHiddenSides(pDC, pView, hidden);
        DrawHandles(pDC, pView);
    }
    if (pOld)
        pDC->SelectObject(pOld);
    pView->SetFixedSize(oldFixed);
}
