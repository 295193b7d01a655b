#include "geometry/DeviceStroke.h"

#include "framework/DC.h"
#include "geometry/ViewContext.h"

CDeviceStroke::CDeviceStroke(CDC* pDC, const CViewContext& view, const RECT* cull)
    : m_pDC(pDC), m_view(view), m_box(view.DeviceOffsetBox())
{
    if (cull) {
        m_cull = *cull;
        m_bCull = true;
    }
}

CDeviceStroke::~CDeviceStroke()
{
    End();
}

unsigned CDeviceStroke::Outcode(const POINT& p) const
{
    return (p.x < m_cull.left ? 1u : 0u) | (p.x > m_cull.right ? 2u : 0u) | (p.y < m_cull.top ? 4u : 0u) |
           (p.y > m_cull.bottom ? 8u : 0u);
}

void CDeviceStroke::MoveTo(double x, double y)
{
    m_last = m_view.WorldToDeviceOffset(x, y);
    m_bHasLast = true;
    m_bLastInside = m_box.Contains(m_last);
    if (m_bLastInside)
        m_lastPixel = m_view.DeviceOffsetToPoint(m_last);
}

void CDeviceStroke::LineTo(double x, double y, bool visible)
{
    if (!m_bHasLast) {
        MoveTo(x, y);
        return;
    }
    const CClipPoint next = m_view.WorldToDeviceOffset(x, y);
    const bool nextInside = m_box.Contains(next);
    const CPoint nextPixel = nextInside ? m_view.DeviceOffsetToPoint(next) : CPoint(0, 0);
    if (visible && m_pDC) {
        CPoint a, b;
        bool drawn = true;
        if (m_bLastInside && nextInside) {
            // The usual case: both ends on the device, nothing to cut.
            a = m_lastPixel;
            b = nextPixel;
        } else {
            CClipPoint p = m_last, q = next;
            drawn = ClipSegmentToBox(p, q, m_box);
            if (drawn) {
                a = m_view.DeviceOffsetToPoint(p);
                b = m_view.DeviceOffsetToPoint(q);
            }
        }
        if (drawn && (!m_bCull || (Outcode(a) & Outcode(b)) == 0)) {
            if (!m_bPositioned || m_position != a)
                m_pDC->MoveTo(a);
            m_pDC->LineTo(b);
            m_position = b;
            m_bPositioned = true;
        }
    }
    m_last = next;
    m_bLastInside = nextInside;
    m_lastPixel = nextPixel;
}

void CDeviceStroke::End()
{
    // A last point beyond the widened device has no pixel of its own; the
    // position then stays where the drawn line left the device.
    if (!m_bHasLast || !m_pDC || !m_bLastInside)
        return;
    if (!m_bPositioned || m_position != m_lastPixel) {
        m_pDC->MoveTo(m_lastPixel);
        m_position = m_lastPixel;
        m_bPositioned = true;
    }
}
