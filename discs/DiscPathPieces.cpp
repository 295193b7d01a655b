#include "discs/DiscPathPieces.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kTwoPi = 6.28318530717958647692;
}

void CDiscPathPieces::Start(double x, double y, double spacing, double tolerance)
{
    m_startX = m_newestX = x;
    m_startY = m_newestY = y;
    m_spacing = spacing;
    m_tolerance = tolerance;
    m_aimed = false;
}

bool CDiscPathPieces::Fits(double x, double y)
{
    const double dx = x - m_startX, dy = y - m_startY;
    const double d = std::hypot(dx, dy);
    if (!(d > m_tolerance))
        return true;   // still beside the start: any direction will do
    const double a = std::atan2(dy, dx);
    const double half = std::asin(m_tolerance / d);
    if (!m_aimed) {
        m_aimed = true;
        m_reference = a;
        m_low = -half;
        m_high = half;
        return true;
    }
    const double relative = std::remainder(a - m_reference, kTwoPi);
    if (relative < m_low || relative > m_high)
        return false;
    m_low = std::max(m_low, relative - half);
    m_high = std::min(m_high, relative + half);
    return true;
}

bool CDiscPathPieces::Add(double x, double y, double& endX, double& endY)
{
    if (std::hypot(x - m_newestX, y - m_newestY) < m_spacing)
        return false;
    bool ended = false;
    if (!Fits(x, y)) {
        endX = m_newestX;
        endY = m_newestY;
        ended = true;
        m_startX = m_newestX;
        m_startY = m_newestY;
        m_aimed = false;
        Fits(x, y);
    }
    m_newestX = x;
    m_newestY = y;
    return ended;
}

bool CDiscPathPieces::Pending(double& x, double& y) const
{
    if (m_newestX == m_startX && m_newestY == m_startY)
        return false;
    x = m_newestX;
    y = m_newestY;
    return true;
}
