// Barriers: attaching the ones that stand on a slope vertex, and sliding down
// a barrier the rock cannot leave.
#include "engine/TalusimEngine.h"

#include <cmath>

#include "geometry/Constants.h"

namespace
{
constexpr double ATTACH_DISTANCE = 0.001 * 0.1;
constexpr double LIFT_AFTER_BARRIER_SLIDE = 0.0001;
constexpr int MAX_BARRIER_SLIDES = 3;
} // namespace

void CTalusimEngine::AttachBarriers()
{
    const int n = static_cast<int>(m_vertices.size()) - 1;
    for (int k = 0; k < static_cast<int>(m_barriers.size()); ++k)
    {
        CEngineLine& b = m_barriers[k];
        if (b.collector)
            continue;
        for (int j = 1; j < n; ++j)
        {
            const CEngineVertex& P = m_vertices[j - 1];
            const CEngineVertex& V = m_vertices[j];
            const CEngineVertex& N = m_vertices[j + 1];
            if (std::hypot(V.x - b.x1, V.y - b.y1) >= ATTACH_DISTANCE)
                continue;
            const int slopeCorner = ClassifyCorner(P.x, P.y, V.x, V.y, N.x, N.y);
            const int code = slopeCorner == CORNER_END ? CORNER_BARRIER_END : CORNER_BARRIER_BOUNCE;
            if (ClassifyCorner(P.x, P.y, V.x, V.y, b.x2, b.y2) == CORNER_END)
            {
                m_vertices[j].endCorner = code;
                m_vertices[j].nextLinkKind = ENGINE_KIND_BARRIER;
                m_vertices[j].nextLinkIndex = k;
                b.startCorner = code;
            }
            if (ClassifyCorner(b.x2, b.y2, V.x, V.y, N.x, N.y) == CORNER_END)
            {
                m_vertices[j + 1].startCorner = code;
                m_vertices[j + 1].previousLinkKind = ENGINE_KIND_BARRIER;
                m_vertices[j + 1].previousLinkIndex = k;
                b.endCorner = code;
            }
        }
    }
}

bool CTalusimEngine::SlideOnBarrier(CRockState& state)
{
    const int k = state.contactIndex;
    CEngineLine& b = m_barriers[k];
    if (b.y1 == b.y2)
        return false;   // nowhere to slide on a level barrier
    const double dx = b.x2 - b.x1, dy = b.y2 - b.y1;
    const double L = std::sqrt(dx * dx + dy * dy);
    const double theta = std::acos(std::fabs(dx) / L);
    const bool lowerIsFirst = b.y2 > b.y1;
    const double lx = lowerIsFirst ? b.x1 : b.x2, ly = lowerIsFirst ? b.y1 : b.y2;
    const double ux = lowerIsFirst ? b.x2 : b.x1;
    const double sigma = lx > ux ? 1.0 : -1.0;
    const double downX = sigma * std::fabs(dx) / L, downY = -std::fabs(dy) / L;

    // Another barrier across the way down stops the slide there.
    double tx = lx, ty = ly;
    double nearest = -1.0;
    for (int j = 0; j < static_cast<int>(m_barriers.size()); ++j)
    {
        const CEngineLine& other = m_barriers[j];
        if (j == k || other.collector)
            continue;
        double x, y;
        if (!enginegeo::SegmentsMeet(state.x, state.y, lx, ly, other.x1, other.y1, other.x2, other.y2,
                                     &x, &y))
            continue;
        const double d = std::hypot(x - state.x, y - state.y);
        if (nearest < 0.0 || d < nearest)
        {
            nearest = d;
            tx = x;
            ty = y;
        }
    }
    if (nearest >= 0.0)
    {
        if (++b.slidingCount > MAX_BARRIER_SLIDES)
            return false;
    }

    const CRockState copy = state;
    const double D = std::hypot(tx - state.x, ty - state.y);
    state.x = tx;
    state.y = ty + LIFT_AFTER_BARRIER_SLIDE;
    // From rest and without friction: the speed on arrival.
    const double v = std::sqrt(2.0 * D * m_gravity * std::sin(theta));
    state.vx = v * downX;
    state.vy = v * downY;
    OnSlidingSegment(m_context, copy.x, copy.y, state.x, state.y, copy.vx, copy.vy, state.vx, state.vy,
                     m_gravity, state.mass);
    ReportPieceCrossings(state, copy.x, copy.y, state.x, state.y, 0.0, std::sin(theta), false, downX,
                         downY);

    const auto atBarrierFoot = [](int corner) {
        return corner == CORNER_BARRIER_END || corner == CORNER_BARRIER_BOUNCE;
    };
    if (lowerIsFirst && (atBarrierFoot(b.startCorner) || atBarrierFoot(b.endCorner)))
        return false;
    if (b.slidingCount > MAX_BARRIER_SLIDES)
        return false;
    ++b.slidingCount;
    state.contactKind = ENGINE_KIND_AIR;
    state.contactIndex = ENGINE_KIND_AIR;
    return true;
}
