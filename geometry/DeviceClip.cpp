#include "geometry/DeviceClip.h"

#include <algorithm>
#include <cmath>

namespace {

bool IsFinite(const CClipPoint& p)
{
    return std::isfinite(p.x) && std::isfinite(p.y);
}

// Rounding may leave a cut end a hair outside the box.
CClipPoint Within(const CClipPoint& p, const CClipBox& box)
{
    return {std::clamp(p.x, box.xmin, box.xmax), std::clamp(p.y, box.ymin, box.ymax)};
}

// One edge of the box as a half plane: inside(p) and the crossing of a-b with
// its line.
enum class Edge { left, right, bottom, top };

bool Inside(const CClipPoint& p, Edge e, const CClipBox& box)
{
    switch (e) {
    case Edge::left: return p.x >= box.xmin;
    case Edge::right: return p.x <= box.xmax;
    case Edge::bottom: return p.y >= box.ymin;
    case Edge::top: return p.y <= box.ymax;
    }
    return true;
}

CClipPoint Crossing(const CClipPoint& a, const CClipPoint& b, Edge e, const CClipBox& box)
{
    // Measured from the end inside, so that the point found lies as close to
    // the true line as the arithmetic allows.
    auto at = [&](double t) { return CClipPoint{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; };
    switch (e) {
    case Edge::left: return {box.xmin, at((box.xmin - a.x) / (b.x - a.x)).y};
    case Edge::right: return {box.xmax, at((box.xmax - a.x) / (b.x - a.x)).y};
    case Edge::bottom: return {at((box.ymin - a.y) / (b.y - a.y)).x, box.ymin};
    case Edge::top: return {at((box.ymax - a.y) / (b.y - a.y)).x, box.ymax};
    }
    return a;
}

}  // namespace

bool ClipSegmentToBox(CClipPoint& a, CClipPoint& b, const CClipBox& box)
{
    if (!IsFinite(a) || !IsFinite(b))
        return false;
    if (box.Contains(a) && box.Contains(b))
        return true;
    const double dx = b.x - a.x, dy = b.y - a.y;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    double t0 = 0.0, t1 = 1.0;
    // The part of the segment with p * t <= q.
    auto keep = [&](double p, double q) {
        if (p == 0.0)
            return q >= 0.0;
        const double r = q / p;
        if (p < 0.0) {
            if (r > t1)
                return false;
            t0 = std::max(t0, r);
        } else {
            if (r < t0)
                return false;
            t1 = std::min(t1, r);
        }
        return true;
    };
    if (!keep(-dx, a.x - box.xmin) || !keep(dx, box.xmax - a.x) || !keep(-dy, a.y - box.ymin) ||
        !keep(dy, box.ymax - a.y))
        return false;
    const CClipPoint start = a;
    if (t1 < 1.0)
        b = Within({start.x + t1 * dx, start.y + t1 * dy}, box);
    if (t0 > 0.0)
        a = Within({start.x + t0 * dx, start.y + t0 * dy}, box);
    return true;
}

void ClipPolygonToBox(const std::vector<CClipPoint>& in, const CClipBox& box, std::vector<CClipPoint>& out,
                      std::vector<CClipPoint>& scratch)
{
    out.clear();
    for (const CClipPoint& p : in)
        if (!IsFinite(p))
            return;
    if (std::all_of(in.begin(), in.end(), [&](const CClipPoint& p) { return box.Contains(p); })) {
        out = in;
        return;
    }
    out = in;
    for (Edge e : {Edge::left, Edge::right, Edge::bottom, Edge::top}) {
        scratch.swap(out);
        out.clear();
        const size_t n = scratch.size();
        for (size_t i = 0; i < n; ++i) {
            const CClipPoint& current = scratch[i];
            const CClipPoint& previous = scratch[(i + n - 1) % n];
            const bool currentIn = Inside(current, e, box), previousIn = Inside(previous, e, box);
            if (currentIn != previousIn)
                out.push_back(previousIn ? Crossing(previous, current, e, box) : Crossing(current, previous, e, box));
            if (currentIn)
                out.push_back(current);
        }
        if (out.empty())
            return;
    }
}
