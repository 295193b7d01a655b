// One step of a rock: the flight to the next line of the model, the reports
// made on the way, and the choice between flying and sliding.
#include "engine/TalusimEngine.h"

#include <cmath>
#include <utility>

namespace
{
// Ascending time; at equal times a barrier comes first.
bool Before(const CImpactEntry& a, const CImpactEntry& b)
{
    if (a.time != b.time)
        return a.time < b.time;
    return a.kind == ENGINE_KIND_BARRIER && b.kind != ENGINE_KIND_BARRIER;
}
} // namespace

bool CTalusimEngine::SolveAgainst(CFlightParabola& parabola, int kind, int index) const
{
    const CParabolaLine* line;
    switch (kind)
    {
    case ENGINE_KIND_BARRIER: line = &m_barrierLines[index]; break;
    case ENGINE_KIND_SEGMENT: line = &m_segmentLines[index]; break;
    case ENGINE_KIND_END_WALL: line = index == 0 ? &m_leftWall : &m_rightWall; break;
    case ENGINE_KIND_TOP: line = &m_topLine; break;
    default: return false;
    }
    bool two = false;
    return parabola.Solve(*line, two);
}

void CTalusimEngine::BuildImpactList(const CRockState& state)
{
    m_impacts.clear();
    CFlightParabola parabola;
    parabola.SetGravity(m_gravity);
    parabola.SetStart(state.x, state.y, state.vx, state.vy);
    const int n = static_cast<int>(m_vertices.size()) - 1;

    auto add = [&](const CParabolaLine& line, int kind, int index, bool allowSecond) {
        bool two = false;
        if (!parabola.MayCross(line) || !parabola.Solve(line, two))
            return;
        m_impacts.push_back({kind, index, parabola.GetTime(false), false});
        if (two && allowSecond)
            m_impacts.push_back({kind, index, parabola.GetTime(true), true});
    };

    for (int k = 0; k < static_cast<int>(m_barriers.size()); ++k)
        if (!m_barriers[k].collector)
            add(m_barrierLines[k], ENGINE_KIND_BARRIER, k, true);
    add(m_leftWall, ENGINE_KIND_END_WALL, 0, false);
    add(m_rightWall, ENGINE_KIND_END_WALL, n, false);
    add(m_topLine, ENGINE_KIND_TOP, n, true);
    for (int j = 0; j < n; ++j)
        add(m_segmentLines[j], ENGINE_KIND_SEGMENT, j, true);

    if (m_impacts.size() > 1)
        SortImpacts(0, static_cast<int>(m_impacts.size()) - 1);
}

void CTalusimEngine::SortImpacts(int lo, int hi)
{
    // Quicksort on the middle element, so that entries of equal rank keep a
    // fixed order for a given list: a fixed seed then gives the same paths.
    const CImpactEntry pivot = m_impacts[(lo + hi) / 2];
    int i = lo, j = hi;
    while (i <= j)
    {
        while (Before(m_impacts[i], pivot))
            ++i;
        while (Before(pivot, m_impacts[j]))
            --j;
        if (i <= j)
        {
            std::swap(m_impacts[i], m_impacts[j]);
            ++i;
            --j;
        }
    }
    if (lo < j)
        SortImpacts(lo, j);
    if (i < hi)
        SortImpacts(i, hi);
}

void CTalusimEngine::ReportFlightCrossings(const CRockState& start, double duration)
{
    if (m_locations.empty() && m_barriers.empty())
        return;
    CFlightParabola parabola;
    parabola.SetGravity(m_gravity);
    parabola.SetStart(start.x, start.y, start.vx, start.vy);

    for (int i = 0; i < static_cast<int>(m_locations.size()); ++i)
    {
        const CEngineLine& line = m_locations[i];
        bool two = false;
        if (!parabola.MayCross(m_locationLines[i]) || !parabola.Solve(m_locationLines[i], two))
            continue;
        const double tc = parabola.GetTime(false);
        if (tc > duration)
            continue;
        OnLocationPassage(m_context, parabola.GetX(false), parabola.GetY(false), start.vx,
                          start.vy - m_gravity * tc, start.mass, i, line.id, start.omega);
    }

    for (int k = 0; k < static_cast<int>(m_barriers.size()); ++k)
    {
        const CEngineLine& line = m_barriers[k];
        if (!line.collector)
            continue;
        bool two = false;
        if (!parabola.MayCross(m_barrierLines[k]) || !parabola.Solve(m_barrierLines[k], two))
            continue;
        for (int c = 0; c < (two ? 2 : 1); ++c)
        {
            const bool second = c == 1;
            const double tc = parabola.GetTime(second);
            if (tc >= duration)
                continue;
            OnBarrierImpact(m_context, parabola.GetX(second), parabola.GetY(second), start.vx,
                            start.vy - m_gravity * tc, start.mass, k, line.entity, start.omega);
        }
    }
}

bool CTalusimEngine::SimulateRock(CRockState& state)
{
    BuildImpactList(state);
    const int count = static_cast<int>(m_impacts.size());

    int targetKind = ENGINE_KIND_NONE, targetIndex = 0;
    bool targetSecond = false;
    if (state.contactKind == ENGINE_KIND_AIR)
    {
        if (count > 0)
        {
            targetKind = m_impacts[0].kind;
            targetIndex = m_impacts[0].index;
        }
    }
    else
    {
        int found = -1;
        for (int i = 0; i < count - 1; ++i)
            if (m_impacts[i].kind == state.contactKind && m_impacts[i].index == state.contactIndex)
            {
                found = i;
                break;
            }
        if (found < 0)
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
        targetKind = m_impacts[found + 1].kind;
        targetIndex = m_impacts[found + 1].index;
        targetSecond = m_impacts[found + 1].second;
    }

    state.contactKind = targetKind;
    state.contactIndex = targetIndex;
    if (targetKind == ENGINE_KIND_NONE)
        return false;

    CFlightParabola parabola;
    parabola.SetGravity(m_gravity);
    parabola.SetStart(state.x, state.y, state.vx, state.vy);
    if (!SolveAgainst(parabola, targetKind, targetIndex))
        return false;
    const double t = parabola.GetTime(targetSecond);
    const double x1 = parabola.GetX(targetSecond), y1 = parabola.GetY(targetSecond);

    const CRockState before = state;
    state.x = x1;
    state.y = y1;
    state.vy -= m_gravity * t;
    OnFlightSegment(m_context, before.x, before.y, x1, y1, before.vx, before.vy, m_gravity,
                    before.mass, t);
    ReportFlightCrossings(before, t);

    switch (targetKind)
    {
    case ENGINE_KIND_BARRIER:
    {
        const CEngineLine& b = m_barriers[targetIndex];
        OnBarrierImpact(m_context, x1, y1, state.vx, state.vy, state.mass, targetIndex, b.entity,
                        state.omega);
        ComputeImpact(state, targetIndex, ENGINE_KIND_BARRIER);
        return true;
    }
    case ENGINE_KIND_SEGMENT:
        ComputeImpact(state, targetIndex, ENGINE_KIND_SEGMENT);
        return true;
    default:
        // Over an end wall or the top: the rock leaves the model.
        return false;
    }
}
