// CAxesEnt::DrawAxes: the free-standing axis of the axes tool. It lives with
// the drawing tools because its labels are drawn by their text style.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include "framework/DC.h"
#include "geometry/AxesEnt.h"
#include "geometry/ViewContext.h"
#include "tools/TextStyle.h"

void CAxesEnt::DrawAxes(CDC* pDC, CViewContext* pView, int count, double originX, double originY,
                        double stepX, double stepY, double endX, double endY, int kind,
                        double startX, double startY, CTextStyle* pStyle, bool bFlipX,
                        bool bFlipY, bool bRelativeLabels, bool bLabelSide, COLORREF textColour)
{
    if (pDC == nullptr || pView == nullptr)
        return;
    const bool horizontal = kind == 12101 || kind == 12105 || kind == 12107;
    const bool vertical = kind == 12102 || kind == 12106 || kind == 12108;
    // Tick direction on the device: down for a horizontal axis, right for a
    // vertical one, reversed by the flip flags; 12103 and 12104 have none.
    int tickX = 0, tickY = 0;
    if (horizontal)
        tickY = bFlipY ? -1 : 1;
    else if (vertical)
        tickX = bFlipX ? -1 : 1;

    const int subdivisions = GetSubdivisions();
    int pattern[10];
    std::copy(GetTickPattern(), GetTickPattern() + subdivisions, pattern);
    if (pDC->IsPrinting()) {
        CSize spacing;
        ScaleTickLengths(pDC, pattern, subdivisions, true, spacing);
    }

    const CPoint start = pView->WorldToDevice(startX, startY);
    const CPoint end = pView->WorldToDevice(endX, endY);
    if (kind >= 12105 && kind <= 12108) {
        const double along = vertical ? stepY : stepX;
        if (!(std::fabs(along) >= FLT_MIN))
            return;
        const CPoint next = pView->WorldToDevice(startX + stepX, startY + stepY);
        const CSize tenth = pView->InchesToPixels(pDC, 0.1, 0.1);
        const int interval = vertical ? std::abs(next.y - start.y) : std::abs(next.x - start.x);
        if (interval < (vertical ? tenth.cy : tenth.cx))
            return;
        const double span = vertical ? endY - startY : endX - startX;
        count = (int)std::min(std::fabs(span) / std::fabs(along) + 3, 100000.0);
    }

    // Strictly between the ends: from start to end across a horizontal axis,
    // from end to start up a vertical one (its end lies above its start).
    auto between = [&](const CPoint& p) {
        if (vertical)
            return end.y < p.y && p.y < start.y;
        return start.x < p.x && p.x < end.x;
    };
    auto pin = [&](CPoint p) {
        if (vertical)
            p.x = start.x;
        else
            p.y = start.y;
        return p;
    };
    char label[64];
    // Ticks run from the first value (the origin), so they fall on its
    // multiples of the step; only those between the ends are drawn.
    for (int k = 0; k < count; ++k) {
        const double wx = originX + k * stepX, wy = originY + k * stepY;
        const CPoint p = pin(pView->WorldToDevice(wx, wy));
        const CPoint q = pin(pView->WorldToDevice(wx + stepX, wy + stepY));
        if (between(p) && pStyle) {
            const double value = vertical ? (bRelativeLabels ? wy - originY : wy)
                                          : (bRelativeLabels ? wx - originX : wx);
            FormatTickLabel(label, sizeof label, value, vertical ? stepY : stepX);
            const CVector2D at = pView->DeviceToWorld(p.x, p.y);
            const int alignment = vertical ? (bLabelSide ? 3 : 2) : (bLabelSide ? 0 : 1);
            pStyle->DrawText(pDC, pView, label, at.x, at.y, 0, textColour, 0xFFFFFF, alignment);
        }
        for (int i = 0; i < subdivisions; ++i) {
            CPoint t(p.x + (int)((double)(q.x - p.x) * i / subdivisions) + tickX,
                     p.y + (int)((double)(q.y - p.y) * i / subdivisions) + tickY);
            if (!between(t))
                continue;
            pDC->MoveTo(t);
            pDC->LineTo(t.x + tickX * pattern[i], t.y + tickY * pattern[i]);
        }
    }
}
