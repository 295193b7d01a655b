// Slope preparation: neighbour links, corner codes, the model region and the
// rock's start point.
#include "engine/TalusimEngine.h"

#include <algorithm>

int CTalusimEngine::ClassifyCorner(double ax, double ay, double bx, double by, double cx, double cy)
{
    if (enginegeo::IsClockwiseTurn(ax, ay, bx, by, cx, cy))
        return CORNER_PASS;
    if ((ax - bx) * (cx - bx) + (ay - by) * (cy - by) >= 0.0)
        return CORNER_END;
    return CORNER_PASS;
}

void CTalusimEngine::PrepareLinksAndCorners()
{
    const int n = static_cast<int>(m_vertices.size()) - 1;
    for (int i = 1; i <= n; ++i)
    {
        CEngineVertex& r = m_vertices[i];
        r.previousLinkKind = i == 1 ? ENGINE_KIND_END_WALL : ENGINE_KIND_SEGMENT;
        r.previousLinkIndex = i == 1 ? -1 : i - 1;
        r.nextLinkKind = i == n ? ENGINE_KIND_END_WALL : ENGINE_KIND_SEGMENT;
        r.nextLinkIndex = i == n ? -1 : i + 1;
        r.startCorner = r.endCorner = CORNER_PASS;
    }

    if (m_vertices[0].x < m_vertices[n].x)
    {
        for (int i = 1; i <= n - 1; ++i)
        {
            const CEngineVertex& a = m_vertices[i - 1];
            const CEngineVertex& b = m_vertices[i];
            const CEngineVertex& c = m_vertices[i + 1];
            const int e = ClassifyCorner(a.x, a.y, b.x, b.y, c.x, c.y);
            m_vertices[i].endCorner = e;
            m_vertices[i + 1].startCorner = e;
        }
    }
    else
    {
        for (int b = n - 1; b >= 1; --b)
        {
            const CEngineVertex& p = m_vertices[b + 1];
            const CEngineVertex& v = m_vertices[b];
            const CEngineVertex& q = m_vertices[b - 1];
            const int e = ClassifyCorner(p.x, p.y, v.x, v.y, q.x, q.y);
            m_vertices[b].endCorner = e;
            m_vertices[b + 1].startCorner = e;
        }
    }
    m_vertices[1].startCorner = CORNER_END;
    m_vertices[n].endCorner = CORNER_END;

    for (CEngineLine& line : m_barriers)
    {
        line.startCorner = CORNER_PASS;
        line.endCorner = CORNER_PASS;
    }
}

void CTalusimEngine::BuildRegion()
{
    const int n = static_cast<int>(m_vertices.size()) - 1;
    double highest = m_vertices[0].y, lowest = m_vertices[0].y;
    for (const CEngineVertex& v : m_vertices)
    {
        highest = std::max(highest, v.y);
        lowest = std::min(lowest, v.y);
    }
    m_top = highest + m_topMargin;
    m_bottom = lowest;

    m_region.Clear();
    for (const CEngineVertex& v : m_vertices)
        m_region.AddPoint(v.x, v.y);
    m_region.AddPoint(m_vertices[n].x, m_top);
    m_region.AddPoint(m_vertices[0].x, m_top);
    m_region.ComputeVertexNormals();
}

void CTalusimEngine::PlaceStartPoint(CRockState& state) const
{
    double sx = state.x, sy = state.y;
    if (!m_region.ContainsPoint(sx, sy))
    {
        const CVector2D p = m_region.NearestPoint(sx, sy);
        sx = p.x;
        sy = p.y;
    }

    // Region segment k (1 .. n) is slope segment k-1; the hair offsets are
    // taken at the ends of its straight run, so that vertices inside a
    // straight run do not move the start point.
    const int count = m_region.GetVertexCount();
    const int slopeSegments = static_cast<int>(m_runLast.size());
    auto endVertex = [&](int k) { return k >= 1 && k <= slopeSegments ? m_runLast[k - 1] + 1 : k; };
    auto startVertex = [&](int k) { return k >= 1 && k <= slopeSegments ? m_runFirst[k - 1] + 1 : k; };
    auto runStart = [&](int k) {
        const int a = k == 0 ? count - 1 : k - 1;
        return k >= 1 && k <= slopeSegments ? m_runFirst[k - 1] : a;
    };
    const int o = m_region.FindNearestSegment(sx, sy);
    const int t = m_region.SegmentAtPoint(sx, sy);
    CVector2D offset(0.0, 0.0);
    if (t != -1)
    {
        const int a = t == 0 ? count - 1 : t - 1;
        const CVector2D& va = m_region.GetVertex(a).point;
        const CVector2D& vt = m_region.GetVertex(t).point;
        const CVector2D q = enginegeo::ProjectOnSegment(va.x, va.y, vt.x, vt.y, sx, sy);
        const CVector2D s(sx, sy);
        const CVector2D& runHead = m_region.GetVertex(runStart(t)).point;
        const CVector2D& runTail = m_region.GetVertex(endVertex(t)).point;
        if (o >= 0 && s.DistanceTo(m_region.GetVertex(endVertex(o)).point) >= s.DistanceTo(q))
            offset = s.DistanceTo(runTail) <= s.DistanceTo(runHead) ? m_region.GetVertex(endVertex(t)).endNormal
                                                                    : m_region.GetVertex(startVertex(t)).startNormal;
        else if (o >= 0)
            offset = m_region.GetVertex(endVertex(o)).endNormal;
    }
    else if (o >= 0)
        offset = m_region.GetVertex(endVertex(o)).endNormal;

    state.x = sx + offset.x;
    state.y = sy + offset.y;
}
