// One step of a rock: the flight to the next line of the model, the reports
// made on the way, and the choice between flying and sliding.
#include "engine/TalusimEngine.h"

#include <cmath>

namespace
{
// The order of crossings: by time; at equal times a barrier first, then by
// kind, index and first before second crossing. A total order, so the choice
// of target never depends on the order in which lines were looked at.
bool Before(const CImpactEntry& a, const CImpactEntry& b)
{
    if (a.time != b.time)
        return a.time < b.time;
    const bool aBarrier = a.kind == ENGINE_KIND_BARRIER, bBarrier = b.kind == ENGINE_KIND_BARRIER;
    if (aBarrier != bBarrier)
        return aBarrier;
    if (a.kind != b.kind)
        return a.kind < b.kind;
    if (a.index != b.index)
        return a.index < b.index;
    return !a.second && b.second;
}
} // namespace

const CParabolaLine* CTalusimEngine::LineOf(int kind, int index) const
{
    switch (kind)
    {
    case ENGINE_KIND_BARRIER: return &m_barrierLines[index];
    case ENGINE_KIND_SEGMENT: return &m_segmentLines[index];
    case ENGINE_KIND_END_WALL: return index == 0 ? &m_leftWall : &m_rightWall;
    case ENGINE_KIND_TOP: return &m_topLine;
    default: return nullptr;
    }
}

int CTalusimEngine::FindTarget(const CRockState& state, FlightTarget& target) const
{
    CFlightParabola parabola;
    parabola.SetGravity(m_gravity);
    parabola.SetStart(state.x, state.y, state.vx, state.vy);

    // In contact, the flight must first cross back through the contact's own
    // line; the target is the crossing that comes next.
    const bool inContact = state.contactKind != ENGINE_KIND_AIR;
    CImpactEntry contact{};
    if (inContact)
    {
        const CParabolaLine* line = LineOf(state.contactKind, state.contactIndex);
        bool two = false;
        if (line == nullptr || !parabola.Solve(*line, two))
            return TARGET_CANNOT_LEAVE;
        contact = {state.contactKind, state.contactIndex, parabola.GetTime(false), false};
    }

    bool found = false;
    auto consider = [&](int kind, int index, bool second) {
        const CImpactEntry e{kind, index, parabola.GetTime(second), second};
        if (inContact && !Before(contact, e))
            return;
        if (!found || Before(e, target.entry))
        {
            target.entry = e;
            target.x = parabola.GetX(second);
            target.y = parabola.GetY(second);
            found = true;
        }
    };
    auto tryLine = [&](const CParabolaLine& line, int kind, int index, bool allowSecond) {
        bool two = false;
        if (!parabola.MayCross(line) || !parabola.Solve(line, two))
            return;
        consider(kind, index, false);
        if (two && allowSecond)
            consider(kind, index, true);
    };

    const int n = static_cast<int>(m_vertices.size()) - 1;
    for (int k = 0; k < static_cast<int>(m_barriers.size()); ++k)
        if (!m_barriers[k].collector)
            tryLine(m_barrierLines[k], ENGINE_KIND_BARRIER, k, true);
    tryLine(m_leftWall, ENGINE_KIND_END_WALL, 0, false);
    tryLine(m_rightWall, ENGINE_KIND_END_WALL, n, false);
    tryLine(m_topLine, ENGINE_KIND_TOP, n, true);

    // Slope segments. On a slope whose x never runs backwards, the segments
    // are met in x order, and x(t) only grows (or only shrinks) with time: the
    // scan starts at the rock and stops at the first segment that cannot be
    // reached before the best crossing found so far.
    auto beyondBest = [&](double earliest) {
        return found && earliest > target.entry.time + 1e-9 * (1.0 + target.entry.time);
    };
    if (m_slopeRunsRight && state.vx > 0.0)
    {
        int j = FirstSegmentEndingAtOrAfter(state.x);
        const double invVx = 1.0 / state.vx;
        for (; j < n; ++j)
        {
            if (beyondBest((m_segmentLines[j].xmin - state.x) * invVx))
                break;
            tryLine(m_segmentLines[j], ENGINE_KIND_SEGMENT, j, true);
        }
    }
    else if (m_slopeRunsRight && state.vx < 0.0)
    {
        int j = LastSegmentStartingAtOrBefore(state.x);
        const double invVx = 1.0 / state.vx;
        for (; j >= 0; --j)
        {
            if (beyondBest((m_segmentLines[j].xmax - state.x) * invVx))
                break;
            tryLine(m_segmentLines[j], ENGINE_KIND_SEGMENT, j, true);
        }
    }
    else
    {
        for (int j = 0; j < n; ++j)
            tryLine(m_segmentLines[j], ENGINE_KIND_SEGMENT, j, true);
    }

    if (found)
        return TARGET_FOUND;
    return inContact ? TARGET_CANNOT_LEAVE : TARGET_NONE;
}

int CTalusimEngine::FirstSegmentEndingAtOrAfter(double x) const
{
    // Segments behind the rock by more than rounding are skipped; the margin
    // keeps a segment ending exactly at the rock.
    const double limit = x - 1e-9 * (1.0 + std::fabs(x));
    int lo = 0, hi = static_cast<int>(m_segmentLines.size());
    while (lo < hi)
    {
        const int mid = (lo + hi) / 2;
        if (m_segmentLines[mid].xmax < limit)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

int CTalusimEngine::LastSegmentStartingAtOrBefore(double x) const
{
    const double limit = x + 1e-9 * (1.0 + std::fabs(x));
    int lo = 0, hi = static_cast<int>(m_segmentLines.size());
    while (lo < hi)
    {
        const int mid = (lo + hi) / 2;
        if (m_segmentLines[mid].xmin <= limit)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo - 1;
}

void CTalusimEngine::ReportFlightCrossings(const CRockState& start, double duration)
{
    if (m_locations.empty() && m_barriers.empty())
        return;
    CFlightParabola parabola;
    parabola.SetGravity(m_gravity);
    parabola.SetStart(start.x, start.y, start.vx, start.vy);

    // x moves one way only: every crossing before the end of the flight lies
    // between the start's x and the end's.
    double lo, hi;
    enginegeo::PieceRange(start.x, start.x + start.vx * duration, start.y, start.y + start.vy * duration, lo,
                          hi);

    m_locationsByX.ForEachCandidate(lo, hi, [&](int i) {
        const CEngineLine& line = m_locations[i];
        bool two = false;
        if (!parabola.MayCross(m_locationLines[i]) || !parabola.Solve(m_locationLines[i], two))
            return;
        const double tc = parabola.GetTime(false);
        if (tc > duration)
            return;
        OnLocationPassage(m_context, parabola.GetX(false), parabola.GetY(false), start.vx,
                          start.vy - m_gravity * tc, start.mass, i, line.id, start.omega);
    });

    m_collectorsByX.ForEachCandidate(lo, hi, [&](int k) {
        const CEngineLine& line = m_barriers[k];
        bool two = false;
        if (!parabola.MayCross(m_barrierLines[k]) || !parabola.Solve(m_barrierLines[k], two))
            return;
        for (int c = 0; c < (two ? 2 : 1); ++c)
        {
            const bool second = c == 1;
            const double tc = parabola.GetTime(second);
            if (tc >= duration)
                continue;
            OnBarrierImpact(m_context, parabola.GetX(second), parabola.GetY(second), start.vx,
                            start.vy - m_gravity * tc, start.mass, k, line.entity, start.omega);
        }
    });
}

bool CTalusimEngine::SimulateRock(CRockState& state)
{
    FlightTarget target;
    const int found = FindTarget(state, target);
    if (found == TARGET_CANNOT_LEAVE)
    {
        // The rock cannot leave the surface it touches: it slides or rolls.
        if (state.contactKind == ENGINE_KIND_BARRIER)
            return SlideOnBarrier(state);
        const SlideResult slide = SlideOnSlope(state);
        if (slide.corner == CORNER_BARRIER_END || slide.corner == CORNER_BARRIER_BOUNCE)
        {
            const CEngineLine& b = m_barriers[slide.barrierIndex];
            OnBarrierImpact(m_context, state.x, state.y, state.vx, state.vy, state.mass,
                            slide.barrierIndex, b.entity, state.omega);
            if (slide.corner == CORNER_BARRIER_BOUNCE)
            {
                ComputeImpact(state, slide.barrierIndex, ENGINE_KIND_BARRIER);
                state.contactKind = ENGINE_KIND_BARRIER;
                state.contactIndex = slide.barrierIndex;
            }
        }
        return slide.goesOn;
    }
    if (found == TARGET_NONE)
    {
        state.contactKind = ENGINE_KIND_NONE;
        state.contactIndex = 0;
        return false;
    }

    const int kind = target.entry.kind, index = target.entry.index;
    const double t = target.entry.time;
    state.contactKind = kind;
    state.contactIndex = index;

    const CRockState before = state;
    state.x = target.x;
    state.y = target.y;
    state.vy -= m_gravity * t;
    OnFlightSegment(m_context, before.x, before.y, target.x, target.y, before.vx, before.vy, m_gravity,
                    before.mass, t);
    ReportFlightCrossings(before, t);

    switch (kind)
    {
    case ENGINE_KIND_BARRIER:
    {
        const CEngineLine& b = m_barriers[index];
        OnBarrierImpact(m_context, target.x, target.y, state.vx, state.vy, state.mass, index, b.entity,
                        state.omega);
        ComputeImpact(state, index, ENGINE_KIND_BARRIER);
        return true;
    }
    case ENGINE_KIND_SEGMENT:
        ComputeImpact(state, index, ENGINE_KIND_SEGMENT);
        return true;
    default:
        // Over an end wall or the top: the rock leaves the model.
        return false;
    }
}
