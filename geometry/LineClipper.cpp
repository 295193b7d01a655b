#include "geometry/LineClipper.h"

#include <utility>

namespace {

enum : unsigned { kAbove = 1, kBelow = 2, kRight = 4, kLeft = 8 };

} // namespace

bool CLineClipper::Clip() const
{
    if (!m_bClipMode) {
        auto inside = [&](double x, double y) {
            return m_dLeft <= x && x <= m_dRight && m_dBottom <= y && y <= m_dTop;
        };
        return inside(m_dX1, m_dY1) && inside(m_dX2, m_dY2);
    }

    // Points on the border count as inside: every comparison is strict.
    auto outcode = [&](double x, double y) {
        unsigned c = 0;
        if (y > m_dTop) c |= kAbove;
        if (y < m_dBottom) c |= kBelow;
        if (x > m_dRight) c |= kRight;
        if (x < m_dLeft) c |= kLeft;
        return c;
    };
    double x1 = m_dX1, y1 = m_dY1, x2 = m_dX2, y2 = m_dY2;
    unsigned c1 = outcode(x1, y1), c2 = outcode(x2, y2);
    // Each pass moves one end onto a window line, so four passes per end
    // suffice; the bound only guards against NaN coordinates.
    for (int pass = 0; pass < 16; ++pass) {
        if (c1 & c2)
            return false;
        if ((c1 | c2) == 0)
            return true;
        if (c1 == 0) {
            std::swap(x1, x2);
            std::swap(y1, y2);
            std::swap(c1, c2);
        }
        if (c1 & kAbove) {
            x1 = x1 + (x2 - x1) * (m_dTop - y1) / (y2 - y1);
            y1 = m_dTop;
        } else if (c1 & kBelow) {
            x1 = x1 + (x2 - x1) * (m_dBottom - y1) / (y2 - y1);
            y1 = m_dBottom;
        } else if (c1 & kRight) {
            y1 = y1 + (y2 - y1) * (m_dRight - x1) / (x2 - x1);
            x1 = m_dRight;
        } else {
            y1 = y1 + (y2 - y1) * (m_dLeft - x1) / (x2 - x1);
            x1 = m_dLeft;
        }
        c1 = outcode(x1, y1);
    }
    return false;
}

bool PointStrictlyInRect(double px, double py, double xmin, double ymax, double xmax, double ymin)
{
    return xmin < px && px < xmax && ymin < py && py < ymax;
}
