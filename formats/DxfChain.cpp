#include "formats/DxfChain.h"

#include <cmath>
#include <deque>
#include <map>
#include <set>
#include <string>

namespace {

// A point and the first eight characters of a layer name, compared exactly
// (0.0 and -0.0 are the same point, as they compare equal).
struct JoinKey
{
    double x;
    double y;
    std::string layer;

    bool operator<(const JoinKey& o) const
    {
        if (x != o.x)
            return x < o.x;
        if (y != o.y)
            return y < o.y;
        return layer < o.layer;
    }
};

// The unused segments that start (or end) at a key, by file position.
using JoinIndex = std::map<JoinKey, std::set<size_t>>;

std::string LayerKey(const CString& layer)
{
    return std::string(static_cast<LPCSTR>(layer.Left(8)));
}

bool IsFinite(const CDxfSegment& s)
{
    return std::isfinite(s.from.x) && std::isfinite(s.from.y) && std::isfinite(s.to.x) &&
           std::isfinite(s.to.y);
}

void Remove(JoinIndex& index, const JoinKey& key, size_t i)
{
    auto it = index.find(key);
    if (it == index.end())
        return;
    it->second.erase(i);
    if (it->second.empty())
        index.erase(it);
}

// The first unused segment at or after position `from` with the key, or `none`.
size_t FirstAt(const JoinIndex& index, const CVector2D& p, const std::string& layer, size_t from,
               size_t none)
{
    auto it = index.find(JoinKey{p.x, p.y, layer});
    if (it == index.end())
        return none;
    auto j = it->second.lower_bound(from);
    return j == it->second.end() ? none : *j;
}

} // namespace

std::vector<CDxfPolyline> ChainDxfSegments(const std::vector<CDxfSegment>& segments)
{
    const size_t n = segments.size();
    std::vector<std::string> keys(n);
    std::vector<char> taken(n, 0);
    JoinIndex byStart, byEnd;
    for (size_t i = 0; i < n; ++i) {
        const CDxfSegment& s = segments[i];
        // A point that is no number can neither be compared nor kept in an index.
        if (!IsFinite(s)) {
            taken[i] = 1;
            continue;
        }
        keys[i] = LayerKey(s.layer);
        byStart[JoinKey{s.from.x, s.from.y, keys[i]}].insert(i);
        byEnd[JoinKey{s.to.x, s.to.y, keys[i]}].insert(i);
    }
    auto take = [&](size_t i) {
        taken[i] = 1;
        Remove(byStart, JoinKey{segments[i].from.x, segments[i].from.y, keys[i]}, i);
        Remove(byEnd, JoinKey{segments[i].to.x, segments[i].to.y, keys[i]}, i);
    };

    std::vector<CDxfPolyline> result;
    size_t firstUnused = 0;
    for (size_t s = 0; s < n; ++s) {
        if (taken[s])
            continue;
        take(s);
        const std::string& layer = keys[s];
        std::deque<CVector2D> points{segments[s].from, segments[s].to};
        CVector2D start = segments[s].from;
        CVector2D end = segments[s].to;

        // One scan runs from position p; a match at j is the segment the
        // plain scan would examine and join next.
        size_t p = 0;
        bool joinedInScan = false;
        for (;;) {
            const size_t atEnd = FirstAt(byStart, end, layer, p, n);
            const size_t atStart = FirstAt(byEnd, start, layer, p, n);
            const size_t j = std::min(atEnd, atStart);
            if (start == end) {
                // Only a zero-length first segment gets here: the plain scan
                // stops after the first segment it examines unless that one joins.
                while (firstUnused < n && taken[firstUnused])
                    ++firstUnused;
                if (firstUnused < j)
                    break;
            }
            if (j == n) {
                if (!joinedInScan)
                    break;
                joinedInScan = false;
                p = 0;
                continue;
            }
            if (j == atEnd) {
                end = segments[j].to;
                points.push_back(end);
            } else {
                start = segments[j].from;
                points.push_front(start);
            }
            take(j);
            joinedInScan = true;
            p = j + 1;
            if (start == end)
                break;
        }

        CDxfPolyline polyline;
        polyline.points.assign(points.begin(), points.end());
        polyline.layer = segments[s].layer;
        polyline.closed = start == end && polyline.points.size() >= 3;
        result.push_back(std::move(polyline));
    }
    return result;
}
