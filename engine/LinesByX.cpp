#include "engine/LinesByX.h"

namespace
{
// A line's extent is widened by this much: a crossing that the exact tests
// snap onto a line's end may lie a hair beyond it, by a part in 1e8 of the
// line's length, or by rounding in the line's coordinates.
double Widening(const CParabolaLine& line)
{
    return 1e-6 * (1.0 + std::fabs(line.xmin) + std::fabs(line.xmax) + std::fabs(line.ymin) +
                   std::fabs(line.ymax));
}

bool HasFiniteExtent(const CParabolaLine& line)
{
    return std::isfinite(line.xmin) && std::isfinite(line.xmax) && std::isfinite(line.ymin) &&
           std::isfinite(line.ymax);
}
} // namespace

void CLinesByX::Build(const std::vector<CParabolaLine>& lines, const std::vector<char>* include)
{
    m_sorted.clear();
    m_keys.clear();
    m_always.clear();
    m_every.clear();
    m_maxWidth = 0.0;

    // The x span of all the lines: a line wider than a sixteenth of it would
    // make every search start far to the left, so it is always a candidate.
    double left = 0.0, right = 0.0;
    bool any = false;
    for (size_t i = 0; i < lines.size(); ++i)
    {
        if ((include != nullptr && !(*include)[i]) || !HasFiniteExtent(lines[i]))
            continue;
        left = any ? std::min(left, lines[i].xmin) : lines[i].xmin;
        right = any ? std::max(right, lines[i].xmax) : lines[i].xmax;
        any = true;
    }
    const double wide = (right - left) / 16.0;

    for (size_t i = 0; i < lines.size(); ++i)
    {
        if (include != nullptr && !(*include)[i])
            continue;
        const int index = static_cast<int>(i);
        m_every.push_back(index);
        const CParabolaLine& line = lines[i];
        if (!HasFiniteExtent(line) || line.xmax - line.xmin > wide)
        {
            m_always.push_back(index);
            continue;
        }
        const double w = Widening(line);
        const Entry e{line.xmin - w, line.xmax + w, index};
        m_maxWidth = std::max(m_maxWidth, e.hi - e.lo);
        m_sorted.push_back(e);
    }
    std::stable_sort(m_sorted.begin(), m_sorted.end(), [](const Entry& a, const Entry& b) { return a.lo < b.lo; });
    m_keys.reserve(m_sorted.size());
    for (const Entry& e : m_sorted)
        m_keys.push_back(e.lo);
    m_scratch.assign(m_sorted.size(), 0);
}
