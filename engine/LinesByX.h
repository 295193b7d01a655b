// The lines of a list that a piece of path can meet, found by a search on x
// instead of a test of every line. The engine keeps one for the analysis
// locations (a thousand vertical lines, say, and the catch line below the
// slope) and one for the data collectors.
//
// Candidates are a superset: every line whose x extent, widened a little,
// overlaps the range asked for. The caller widens its range for rounding and
// still runs its exact test on each candidate, so a line the plain test would
// report is never lost. Candidates come out in list order, as a loop over
// every line would visit them, so the reports keep their order.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "engine/FlightParabola.h"

class CLinesByX
{
public:
    // Indexes lines[i] for every i whose include entry is true (every line
    // when include is null). Allocates; called when the lines change.
    void Build(const std::vector<CParabolaLine>& lines, const std::vector<char>* include = nullptr);

    // Calls visit(i) for every candidate line i, in increasing i, of a piece
    // whose x lies within [lo, hi]. A range that is not a pair of ordered
    // numbers visits every line. Allocates nothing.
    template <class Visit>
    void ForEachCandidate(double lo, double hi, Visit&& visit);

private:
    struct Entry
    {
        double lo, hi;   // the line's x extent, widened
        int index;
    };

    // Lines of ordinary width, by the left end of their widened extent; the
    // keys repeat those ends for the search.
    std::vector<Entry> m_sorted;
    std::vector<double> m_keys;
    double m_maxWidth = 0.0;
    // Lines much wider than the others (the catch line) and lines without a
    // finite extent: always candidates, in increasing index.
    std::vector<int> m_always;
    // Every indexed line in increasing index, for a range that is not one.
    std::vector<int> m_every;
    // One query's candidates; room for all of them is taken by Build.
    std::vector<int> m_scratch;
};

template <class Visit>
void CLinesByX::ForEachCandidate(double lo, double hi, Visit&& visit)
{
    if (!(lo <= hi) || !std::isfinite(lo) || !std::isfinite(hi))
    {
        for (const int i : m_every)
            visit(i);
        return;
    }
    // A line that reaches lo starts no further left than lo less the widest
    // line (with room for the rounding of the subtraction).
    const double from = lo - m_maxWidth - 1e-9 * (1.0 + std::fabs(lo) + m_maxWidth);
    const auto first = std::lower_bound(m_keys.begin(), m_keys.end(), from);
    const auto last = std::upper_bound(first, m_keys.end(), hi);
    size_t count = 0;
    for (auto k = first; k != last; ++k)
    {
        const Entry& e = m_sorted[static_cast<size_t>(k - m_keys.begin())];
        if (e.hi >= lo)
            m_scratch[count++] = e.index;
    }
    int* const found = m_scratch.data();
    if (!std::is_sorted(found, found + count))
        std::sort(found, found + count);

    // The candidates and the lines always tested, merged in list order.
    size_t a = 0, b = 0;
    const size_t always = m_always.size();
    while (a < count || b < always)
    {
        if (b == always || (a < count && found[a] < m_always[b]))
            visit(found[a++]);
        else
            visit(m_always[b++]);
    }
}
