// The straight pieces of a thrown disc's rock path: few pieces, and every
// point of the way within the tolerance of the piece it belongs to.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>
#include "discs/DiscPathPieces.h"

namespace {

using Point = std::pair<double, double>;

struct Made {
    std::vector<Point> corners;            // the start, then every piece's end
    std::vector<size_t> firstPoint;        // per piece, the index of its first point after the start
};

// The pieces of a way, as Throw Discs draws them: a piece each time one ends,
// and the piece under way at the end.
Made Pieces(const std::vector<Point>& way, double spacing, double tolerance)
{
    CDiscPathPieces pieces;
    pieces.Start(way[0].first, way[0].second, spacing, tolerance);
    Made made;
    made.corners.push_back(way[0]);
    made.firstPoint.push_back(1);
    for (size_t i = 1; i < way.size(); ++i) {
        double x, y;
        if (pieces.Add(way[i].first, way[i].second, x, y)) {
            made.corners.emplace_back(x, y);
            made.firstPoint.push_back(i);
        }
    }
    double x, y;
    if (pieces.Pending(x, y))
        made.corners.emplace_back(x, y);
    return made;
}

double DistanceToSegment(Point p, Point a, Point b)
{
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.first - a.first) * dx + (p.second - a.second) * dy) / len2 : 0.0;
    t = std::max(0.0, std::min(1.0, t));
    return std::hypot(p.first - (a.first + t * dx), p.second - (a.second + t * dy));
}

}  // namespace

TEST(DiscPathPiecesTest, PiecesStayWithinTheToleranceOfTheWay)
{
    constexpr double spacing = 0.25, tolerance = 0.1;
    struct Case {
        const char* what;
        std::vector<Point> way;
        size_t pieces;   // 0: fewer than a fifth of the points
    };
    std::vector<Point> straight, corner, arc, jitter;
    for (int i = 0; i <= 100; ++i)
        straight.emplace_back(3 + 0.3 * i, 7 - 0.4 * i);
    for (int i = 0; i <= 40; ++i)
        corner.emplace_back(0.5 * i, 0.0);
    for (int i = 1; i <= 40; ++i)
        corner.emplace_back(20.0, 0.5 * i);
    // 30 long, of radius 10: chords of 2.8 stay within 0.1 of it.
    for (int i = 0; i <= 100; ++i)
        arc.emplace_back(10 * std::cos(i * 0.03), 10 * std::sin(i * 0.03));
    for (int i = 0; i <= 50; ++i)
        jitter.emplace_back(0.01 * (i % 2), 0.0);
    const Case cases[] = {
        {"a straight roll", straight, 1},
        {"a corner", corner, 2},
        {"an arc", arc, 0},
        {"moves shorter than the spacing", jitter, 0},
    };
    for (const Case& c : cases) {
        const Made made = Pieces(c.way, spacing, tolerance);
        const size_t pieces = made.corners.size() - 1;
        if (c.pieces > 0)
            EXPECT_EQ(pieces, c.pieces) << c.what;
        else
            EXPECT_LT(pieces, c.way.size() / 5) << c.what;
        // Every point lies within the tolerance of the piece it falls in.
        for (size_t k = 0; k + 1 < made.corners.size(); ++k) {
            const size_t end = k + 1 < made.firstPoint.size() ? made.firstPoint[k + 1] : c.way.size();
            for (size_t i = made.firstPoint[k]; i < end; ++i)
                EXPECT_LE(DistanceToSegment(c.way[i], made.corners[k], made.corners[k + 1]), tolerance + 0.5 * spacing)
                    << c.what << " point " << i;
        }
    }
    // The corner is where the piece turns.
    const Made corners = Pieces(corner, spacing, tolerance);
    ASSERT_EQ(corners.corners.size(), 3u);
    EXPECT_EQ(corners.corners[1], Point(20.0, 0.0));
    EXPECT_EQ(corners.corners[2], Point(20.0, 20.0));
}
