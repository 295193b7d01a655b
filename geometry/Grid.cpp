#include "geometry/Grid.h"

#include <cmath>
#include "framework/DC.h"
#include "framework/Gdi.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/Wnd.h"
#include "geometry/ArchiveNumbers.h"
#include "geometry/Entity.h"
#include "geometry/ViewContext.h"

IMPLEMENT_SERIAL(CREGGrid, CObject, VERSIONABLE_SCHEMA | 2)

double CREGGrid::ClampSpacing(double spacing)
{
    if (std::isnan(spacing))
        return 1.0;
    if (spacing < kMinSpacing)
        return kMinSpacing;
    if (spacing > kMaxSpacing)
        return kMaxSpacing;
    return spacing;
}

CREGGrid::CREGGrid()
    : m_bVisible(true), m_dSpacingX(1.0), m_dSpacingY(1.0), m_nStyle(GRID_DOTS), m_crColour(0)
{
}

void CREGGrid::SetStyle(int style)
{
    if (style == GRID_LINES || style == GRID_DOTS || style == GRID_CROSSES)
        m_nStyle = style;
}

void CREGGrid::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    SerializeColour(ar, m_crColour);
    if (ar.IsStoring()) {
        ar << m_dSpacingX << m_dSpacingY << m_nStyle;
    } else {
        ReadFinite(ar, m_dSpacingX, m_dSpacingY);
        ar >> m_nStyle;
        m_dSpacingX = ClampSpacing(m_dSpacingX);
        m_dSpacingY = ClampSpacing(m_dSpacingY);
    }
    SerializeFlag(ar, m_bVisible);
}

void CREGGrid::Draw(CDC* pDC, CViewContext* pView, double left, double top, double right,
                    double bottom)
{
    if (!m_bVisible || pDC == nullptr || pView == nullptr)
        return;
    if (m_nStyle != GRID_LINES && m_nStyle != GRID_DOTS && m_nStyle != GRID_CROSSES)
        return;
    const double sx = m_dSpacingX, sy = m_dSpacingY;
    // The lattice starts one cell outside the top-left corner.
    const double startX = (std::floor(left / sx) - 1) * sx;
    const double startY = (std::floor(top / sy) + 1) * sy;
    const CPoint a = pView->WorldToDevice(startX, startY);
    const CPoint b = pView->WorldToDevice(startX + sx, startY + sy);
    // Five pixels or less per cell: too dense to show.
    if (std::abs(b.x - a.x) <= 5 || std::abs(b.y - a.y) <= 5)
        return;
    CPen pen;
    if (!pen.CreatePen(PS_SOLID, 1, m_crColour))
        return;
    CPen* pOld = pDC->SelectObject(&pen);
    if (m_nStyle == GRID_LINES) {
        const double yEnd = (startY - bottom <= sy) ? startY - sy : bottom;
        for (int i = 0;; ++i) {
            const double x = startX + i * sx;
            if (i > 0 && x > right)
                break;
            pDC->MoveTo(pView->WorldToDevice(x, startY));
            pDC->LineTo(pView->WorldToDevice(x, yEnd));
        }
        for (int j = 0;; ++j) {
            const double y = startY - j * sy;
            if (j > 0 && y < bottom)
                break;
            pDC->MoveTo(pView->WorldToDevice(startX, y));
            pDC->LineTo(pView->WorldToDevice(right, y));
        }
    } else {
        for (int i = 0;; ++i) {
            const double x = startX + i * sx;
            if (i > 0 && x > right)
                break;
            for (int j = 0;; ++j) {
                const double y = startY - j * sy;
                if (j > 0 && y < bottom)
                    break;
                const CPoint p = pView->WorldToDevice(x, y);
                if (m_nStyle == GRID_DOTS) {
                    pDC->MoveTo(p.x, p.y);
                    pDC->LineTo(p.x + 1, p.y);
                } else {
                    pDC->MoveTo(p.x - 1, p.y);
                    pDC->LineTo(p.x + 2, p.y);
                    pDC->MoveTo(p.x, p.y + 1);
                    pDC->LineTo(p.x, p.y - 2);
                }
            }
        }
    }
    if (pOld)
        pDC->SelectObject(pOld);
}
