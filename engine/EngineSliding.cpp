// Sliding and rolling along a slope segment, and the reports of a straight
// piece of path.
#include "engine/TalusimEngine.h"

#include <cmath>

#include "geometry/Constants.h"

namespace
{
double VariantFactor(int variant)
{
    switch (variant)
    {
    case 21: return 5.0 / 7.0;    // rolling solid sphere
    case 22: return 2.0 / 3.0;
    case 23: return 12.0 / 7.0;
    default: return 1.0;
    }
}
} // namespace

void CTalusimEngine::ReportPieceCrossings(const CRockState& state, double x0, double y0, double x1,
                                          double y1, double startSpeed, double factor, bool uphill,
                                          double dirX, double dirY)
{
    auto speedAt = [&](double x, double y) {
        const double s = std::hypot(x - x0, y - y0);
        const double v2 = uphill ? startSpeed * startSpeed - 2.0 * m_gravity * std::fabs(factor) * s
                                 : startSpeed * startSpeed + 2.0 * m_gravity * factor * s;
        return v2 > 0.0 ? std::sqrt(v2) : 0.0;
    };

    double lo, hi;
    enginegeo::PieceRange(x0, x1, y0, y1, lo, hi);
    m_locationsByX.ForEachCandidate(lo, hi, [&](int i) {
        const CEngineLine& line = m_locations[i];
        double x, y;
        if (!enginegeo::SegmentsMeet(x0, y0, x1, y1, line.x1, line.y1, line.x2, line.y2, &x, &y))
            return;
        const double v = speedAt(x, y);
        OnLocationPassage(m_context, x, y, v * dirX, v * dirY, state.mass, i, line.id, state.omega);
    });
    m_collectorsByX.ForEachCandidate(lo, hi, [&](int k) {
        const CEngineLine& line = m_barriers[k];
        double x, y;
        if (!enginegeo::SegmentsMeet(x0, y0, x1, y1, line.x1, line.y1, line.x2, line.y2, &x, &y))
            return;
        const double v = speedAt(x, y);
        OnBarrierImpact(m_context, x, y, v * dirX, v * dirY, state.mass, k, line.entity, state.omega);
    });
}

int CTalusimEngine::NearestSegment(double x, double y) const
{
    // The segment nearest to the point, the first on ties.
    const int n = static_cast<int>(m_vertices.size()) - 1;
    int nearest = 0;
    double best = 0.0;
    for (int j = 0; j < n; ++j)
    {
        double d, nx, ny;
        PointSegmentDistance(m_vertices[j].x, m_vertices[j].y, m_vertices[j + 1].x, m_vertices[j + 1].y,
                             x, y, &d, &nx, &ny);
        if (j == 0 || d < best)
        {
            best = d;
            nearest = j;
        }
    }
    return nearest;
}

double CTalusimEngine::DrawFrictionAngle(int segment)
{
    CEngineVertex& tail = m_vertices[segment + 1];
    if (!m_frictionFromRt)
        return tail.phi.Clamp(tail.phi.Sample());
    double rt = tail.Rt.Sample();
    rt = rt < 0x1p-126 ? 0x1p-126 : (rt > 1.0 ? 1.0 : rt);
    return std::atan((1.0 - rt) / rt) * RAD_TO_DEG;
}

bool CTalusimEngine::SameFriction(int a, int b) const
{
    auto same = [](const CNormalVariable& p, const CNormalVariable& q) {
        return p.GetMean() == q.GetMean() && p.GetStdDev() == q.GetStdDev() &&
               p.GetMinimum() == q.GetMinimum() && p.GetMaximum() == q.GetMaximum();
    };
    const CEngineVertex& p = m_vertices[a + 1];
    const CEngineVertex& q = m_vertices[b + 1];
    return m_frictionFromRt ? same(p.Rt, q.Rt) : same(p.phi, q.phi);
}

// One sliding move: down or up the contact segment to the vertex at its end,
// or to a stop on it. A rock that reaches a vertex where the next segment
// continues the same straight run keeps sliding onto it with its speed and,
// on the same material, with the friction angle it drew: a straight slope
// gives the same run-out however many vertices it was digitised with.
CTalusimEngine::SlideResult CTalusimEngine::SlideOnSlope(CRockState& state)
{
    int s = state.contactIndex;
    if (s < 0 || s >= static_cast<int>(m_vertices.size()) - 1)
        s = NearestSegment(state.x, state.y);

    const double factor = VariantFactor(m_variant);
    const double g = m_gravity;
    bool keepFriction = false;
    double phiDeg = 0.0;

    // An uphill stop on a segment steeper than the friction angle slides back
    // down from the stop point; a straight run moves on to its next piece.
    for (;;)
    {
        const CEngineVertex& head = m_vertices[s];
        const CEngineVertex& tail = m_vertices[s + 1];
        const double dx = tail.x - head.x, dy = tail.y - head.y;
        const SegmentShape& shape = m_segmentShapes[s];
        const double L = shape.length;
        const double thetaDeg = shape.thetaDeg;
        const bool tailIsLower = tail.y <= head.y;
        const CEngineVertex& lower = tailIsLower ? tail : head;
        const CEngineVertex& upper = tailIsLower ? head : tail;
        const double sigma = lower.x > upper.x ? 1.0 : -1.0;
        const double downX = sigma * std::fabs(dx) / L, downY = -std::fabs(dy) / L;

        if (!keepFriction)
            phiDeg = DrawFrictionAngle(s);
        keepFriction = false;
        const double phi = phiDeg * DEG_TO_RAD;
        const double friction = m_variant == 20 ? std::tan(phi) * shape.cosTheta : 0.0;
        const double I = (shape.sinTheta - friction) * factor;
        const double J = (-shape.sinTheta - friction) * factor;

        const double along = (state.vx * dx + state.vy * dy) / L;
        const double dLow = std::hypot(state.x - lower.x, state.y - lower.y);
        const double dUp = std::hypot(state.x - upper.x, state.y - upper.y);
        const bool downhill = tailIsLower ? along >= 0.0 : along <= 0.0;
        const double M = state.vx * state.vx + state.vy * state.vy;
        const CRockState copy = state;

        bool stopped = false;
        bool reachedTail = false;   // else the rock reached the head vertex (s)
        if (downhill)
        {
            bool reachLower = true;
            if (!(thetaDeg >= phiDeg || m_variant != 20))
            {
                const double N = I >= 0.0 ? dLow : -M / (2.0 * g * I);
                if (N < dLow)
                {
                    state.x += N * downX;
                    state.y += N * downY;
                    state.vx = state.vy = 0.0;
                    stopped = true;
                    reachLower = false;
                }
            }
            if (reachLower)
            {
                double v2 = M + 2.0 * g * I * dLow;
                const double v = v2 > 0.0 ? std::sqrt(v2) : 0.0;
                state.x = lower.x;
                state.y = lower.y;
                state.vx = v * downX;
                state.vy = v * downY;
                reachedTail = tailIsLower;
            }
        }
        else
        {
            const double N = J == 0.0 ? dUp : M / (2.0 * g * std::fabs(J));
            if (N < dUp)
            {
                state.x -= N * downX;
                state.y -= N * downY;
                state.vx = state.vy = 0.0;
                OnSlidingSegment(m_context, copy.x, copy.y, state.x, state.y, copy.vx, copy.vy, 0.0,
                                 0.0, g, state.mass);
                ReportPieceCrossings(state, copy.x, copy.y, state.x, state.y, std::sqrt(M), J, true,
                                     -downX, -downY);
                if (thetaDeg >= phiDeg)
                    continue;
                return {false, 0, 0};
            }
            const double v2 = M + 2.0 * g * J * dUp;
            const double v = v2 > 0.0 ? std::sqrt(v2) : 0.0;
            state.x = upper.x;
            state.y = upper.y;
            state.vx = -v * downX;
            state.vy = -v * downY;
            reachedTail = !tailIsLower;
        }

        // The corner at the vertex the rock actually reached decides what follows.
        const int corner = reachedTail ? tail.endCorner : tail.startCorner;
        const int vertex = reachedTail ? s + 1 : s;
        const int next = reachedTail ? s + 1 : s - 1;
        const bool runsOn = !stopped && corner == CORNER_PASS && m_straightAt[vertex] &&
                            (state.vx != 0.0 || state.vy != 0.0);
        if (runsOn)
        {
            // Onto the next piece at the rock's own distance from the line.
            const double ox = copy.x - head.x, oy = copy.y - head.y;
            const double t = (ox * dx + oy * dy) / (L * L);
            state.x += ox - t * dx;
            state.y += oy - t * dy;
        }
        else
        {
            // A hair into the air at the vertex reached; a stop takes the offset
            // of the downhill end of its straight run.
            const auto& region = m_region.GetVertex(s + 1);
            CVector2D offset = reachedTail ? region.endNormal : region.startNormal;
            if (stopped)
                offset = tailIsLower ? m_region.GetVertex(m_runLast[s] + 1).endNormal
                                     : m_region.GetVertex(m_runFirst[s] + 1).startNormal;
            state.x += offset.x;
            state.y += offset.y;
        }

        OnSlidingSegment(m_context, copy.x, copy.y, state.x, state.y, copy.vx, copy.vy, state.vx,
                         state.vy, g, state.mass);
        const bool ranUphill = !downhill;
        ReportPieceCrossings(state, copy.x, copy.y, state.x, state.y, std::sqrt(M),
                             ranUphill ? J : I, ranUphill, ranUphill ? -downX : downX,
                             ranUphill ? -downY : downY);
        if (stopped)
            return {false, 0, 0};
        if (runsOn)
        {
            keepFriction = SameFriction(s, next);
            s = next;
            state.contactKind = ENGINE_KIND_SEGMENT;
            state.contactIndex = s;
            continue;
        }

        const int link = reachedTail ? tail.nextLinkIndex : tail.previousLinkIndex;
        switch (corner)
        {
        case CORNER_PASS:
            state.contactKind = ENGINE_KIND_AIR;
            state.contactIndex = ENGINE_KIND_AIR;
            return {true, 0, 0};
        case CORNER_BARRIER_BOUNCE:
            return {true, CORNER_BARRIER_BOUNCE, link};
        case CORNER_BARRIER_END:
            return {false, CORNER_BARRIER_END, link};
        default:
            return {false, 0, 0};
        }
    }
}
