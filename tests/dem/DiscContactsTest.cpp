// Contact detection against a brute-force search over every pair, on random
// packings built in full and kept up to date as the balls move.
#include "DiscCase.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace {

using disc::SlotLists;

TEST(DiscSlotLists, FreeSlotStackHandsOutReleasedSlotsFirstThenNewOnes)
{
    disc::FreeSlotStack stack;
    stack.Reset(30, 3, 39);
    EXPECT_EQ(stack.Take(-1), 30);
    EXPECT_EQ(stack.Take(-1), 33);   // empty stack: the next unused position, one node further
    EXPECT_EQ(stack.NextUnused(), 36);
    EXPECT_EQ(stack.Take(0), 0);
    stack.Take(30);
    EXPECT_EQ(stack.Take(-1), 30);
    EXPECT_EQ(stack.Take(-1), 36);
    EXPECT_EQ(stack.Take(-1), 0);    // used up: no slot, not a slot past the end
}

TEST(DiscSlotLists, RemovingTheHeadKeepsItsSuccessorReachable)
{
    SlotLists lists;
    lists.Reset(3, 4, 10);
    ASSERT_TRUE(lists.Insert(2, 7, 70));
    ASSERT_TRUE(lists.Insert(2, 8, 80));
    ASSERT_TRUE(lists.Insert(2, -3, 30));
    EXPECT_EQ(lists.Remove(2, 7), 70);   // 7 sat in the head node
    std::set<int> left;
    for (int n = lists.First(2); n; n = lists.Next(n))
        left.insert(lists.Body(n));
    EXPECT_EQ(left, (std::set<int>{8, -3}));
    EXPECT_EQ(lists.Remove(2, 99), 0);
    EXPECT_EQ(lists.Remove(2, 8), 80);
    EXPECT_EQ(lists.Remove(2, -3), 30);
    EXPECT_EQ(lists.First(2), 0);
    // Every node taken was given back.
    EXPECT_EQ(lists.Free().InStack(), 2);
}

TEST(DiscSlotLists, RunningOutOfNodesIsReported)
{
    SlotLists lists;
    lists.Reset(2, 1, 2);
    EXPECT_TRUE(lists.Insert(1, 1));   // head
    EXPECT_TRUE(lists.Insert(1, 2));
    EXPECT_TRUE(lists.Insert(1, 3));
    EXPECT_FALSE(lists.Insert(1, 4));
    EXPECT_TRUE(lists.Exhausted());
}

// The brute-force reference and the list invariants.
void CheckAgainstBruteForce(CDisc& d)
{
    const disc::Model& m = d.Model();
    const disc::ContactSearch& s = d.Search();
    const SlotLists& l = s.Contacts();
    auto number = [&](int i, int body) {
        for (int n = l.First(i); n; n = l.Next(n))
            if (l.Body(n) == body)
                return l.Number(n);
        return 0;
    };
    std::set<int> numbers;
    for (int i = 1; i <= m.Nb(); ++i) {
        std::set<int> seen;
        for (int n = l.First(i); n; n = l.Next(n)) {
            ASSERT_FALSE(n != i * 3 && l.Free().IsFree(n)) << "node in use and free";
            ASSERT_TRUE(seen.insert(l.Body(n)).second) << "listed twice";
            if (l.Body(n) < 0 || l.Body(n) > i) {
                ASSERT_TRUE(numbers.insert(l.Number(n)).second) << "number given twice";
            }
        }
        const disc::Ball& bi = m.balls[i];
        for (int j = i + 1; j <= m.Nb(); ++j) {
            const disc::Ball& bj = m.balls[j];
            const double gx = s.BoxedX(j) - s.BoxedX(i), gy = s.BoxedY(j) - s.BoxedY(i);
            const double reach = bi.r + bj.r + m.dntol;
            const bool candidate = gx * gx + gy * gy <= reach * reach;
            const int nij = number(i, j), nji = number(j, i);
            ASSERT_EQ(nij != 0, candidate) << i << " " << j;
            ASSERT_EQ(nij, nji);
            const bool touching = std::hypot(bj.X() - bi.X(), bj.Y() - bi.Y()) < bi.r + bj.r;
            if (touching) {
                ASSERT_NE(nij, 0) << "touching balls " << i << " " << j << " not listed";
            }
        }
        for (int w = 1; w <= m.Nw(); ++w) {
            if (disc::WallOverlap(m.walls[w].Line(), bi.X(), bi.Y(), bi.r) > 0) {
                ASSERT_NE(number(i, -w), 0) << "ball " << i << " touches wall " << w << " unlisted";
            }
        }
    }
}

DiscCaseBuilder RandomPacking(std::mt19937& rng, int balls, double centreX, double centreY, double half)
{
    std::uniform_real_distribution<double> pos(-half, half), rad(0.2, 0.6);
    DiscCaseBuilder c;
    c.dntol = 0.1;
    for (int i = 0; i < balls; ++i)
        c.Ball(centreX + pos(rng), centreY + pos(rng), rad(rng), 1);
    c.Wall(centreX - half, centreY - half, centreX + half, centreY - half);           // floor
    c.Wall(centreX - half, centreY + half, centreX - half, centreY - half, 1);       // left side
    c.Wall(centreX - 0.3 * half, centreY, centreX + 0.7 * half, centreY + 0.4 * half);   // slanted
    return c;
}

TEST(DiscContacts, FullBuildMatchesBruteForceOnRandomPackings)
{
    std::mt19937 rng(190274);
    const struct { double cx, cy, half; int balls; } packings[] = {
        {0, 0, 10, 300}, {-55, -40, 6, 200}, {2e5, -3e5, 8, 150}};
    for (const auto& p : packings) {
        SCOPED_TRACE(p.cx);
        LoadedDisc l(RandomPacking(rng, p.balls, p.cx, p.cy, p.half));
        ASSERT_TRUE(l.loaded) << l.out.str();
        ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model())) << l.disc.Search().Error();
        CheckAgainstBruteForce(l.disc);
    }
}

TEST(DiscContacts, IncrementalUpdatesStayEqualToBruteForceAsBallsMove)
{
    std::mt19937 rng(7);
    LoadedDisc l(RandomPacking(rng, 250, -3, -4, 8));
    ASSERT_TRUE(l.loaded);
    disc::Model& m = l.disc.Model();
    disc::ContactSearch& s = l.disc.Search();
    ASSERT_TRUE(s.BuildAll(m));
    std::normal_distribution<double> step(0, 0.02);
    std::vector<double> vx(m.Nb() + 1), vy(m.Nb() + 1);
    for (int i = 1; i <= m.Nb(); ++i) {
        vx[i] = step(rng);
        vy[i] = step(rng);
    }
    for (int it = 0; it < 150; ++it) {
        for (int i = 1; i <= m.Nb(); ++i) {
            disc::Ball& b = m.balls[i];
            b.dx += vx[i] + 0.2 * step(rng);
            b.dy += vy[i] + 0.2 * step(rng);
            const double ex = b.X() - s.BoxedX(i), ey = b.Y() - s.BoxedY(i);
            if (ex * ex + ey * ey >= 0.45 * m.dntol * 0.45 * m.dntol) {
                ASSERT_TRUE(s.UpdateBall(m, i)) << s.Error();
            }
        }
        // The slanted wall drifts upwards and is re-boxed as it goes.
        disc::Wall& w = m.walls[3];
        w.dy += 0.01;
        w.UpdateGeometry();
        if (it % 5 == 4) {
            ASSERT_TRUE(s.UpdateWall(m, 3));
        }
        ASSERT_NO_FATAL_FAILURE(CheckAgainstBruteForce(l.disc)) << "iteration " << it;
    }
}

TEST(DiscContacts, GapOfExactlyTheToleranceIsACandidate)
{
    for (double gap : {0.5, 0.5000001}) {
        DiscCaseBuilder c;
        c.dntol = 0.5;
        c.Ball(0, 0, 1, 1);
        c.Ball(2 + gap, 0, 1, 1);
        c.Ball(10, 1 + gap, 1, 1);
        c.Wall(5, 0, 15, 0);
        LoadedDisc l(c);
        ASSERT_TRUE(l.loaded);
        ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model()));
        EXPECT_EQ(l.disc.Search().Contacts().Contains(1, 2), gap == 0.5) << gap;
        EXPECT_EQ(l.disc.Search().Contacts().Contains(3, -1), gap == 0.5) << gap;
    }
}

TEST(DiscContacts, HugeCoordinatesMakeFewerLargerBoxes)
{
    DiscCaseBuilder c;
    c.Ball(0, 0, 0.5, 1);
    c.Ball(1e6, 2e5, 0.5, 1);
    c.Ball(1e6 + 0.95, 2e5, 0.5, 1);
    c.Wall(-10, -1, 1e6 + 10, -1);
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded);
    const disc::BoxGrid& g = l.disc.Search().Grid();
    EXPECT_LE(g.Count(), disc::ContactSearch::MaxBoxes(3));
    EXPECT_LE(g.x0, -0.5);
    EXPECT_GE(g.x0 + g.Width(), 1e6 + 1.45);
    ASSERT_TRUE(l.disc.Search().BuildAll(l.disc.Model()));
    CheckAgainstBruteForce(l.disc);
    EXPECT_TRUE(l.disc.Search().Contacts().Contains(2, 3));
}

TEST(DiscContacts, BallLeavingTheGridIsKeptAtItsEdgeAndStillFound)
{
    DiscCaseBuilder c;
    c.Ball(0, 0, 0.5, 1);
    c.Ball(3, 0, 0.5, 1);
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded);
    disc::Model& m = l.disc.Model();
    disc::ContactSearch& s = l.disc.Search();
    ASSERT_TRUE(s.BuildAll(m));
    // Both leave the boxed area far to the left, where they meet.
    m.balls[1].x = -500;
    m.balls[2].x = -499.2;
    ASSERT_TRUE(s.UpdateBall(m, 1));
    ASSERT_TRUE(s.UpdateBall(m, 2));
    EXPECT_TRUE(s.Contacts().Contains(1, 2));
    CheckAgainstBruteForce(l.disc);
    // A position gone to NaN is refused, not boxed.
    m.balls[2].x = std::nan("");
    EXPECT_FALSE(s.UpdateBall(m, 2));
    EXPECT_FALSE(s.Error().empty());
}

TEST(DiscContacts, ListsRunningOutFailCleanly)
{
    // Every ball on one spot: every pair is a contact, far more than the lists hold.
    DiscCaseBuilder c;
    for (int i = 0; i < 400; ++i)
        c.Ball(0.001 * i, 0, 0.5, 1);
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded);
    EXPECT_FALSE(l.disc.Search().BuildAll(l.disc.Model()));
    EXPECT_FALSE(l.disc.Search().Error().empty());
    // And a run says so instead of going on.
    EXPECT_FALSE(l.disc.Analyse(1e-4, 1e-3));
    EXPECT_FALSE(l.disc.m_context.error.empty());
}

TEST(DiscContacts, AxisParallelWallKeepsToOneLineOfBoxes)
{
    DiscCaseBuilder c;
    c.dntol = 0.1;
    c.Ball(0, 0, 0.5, 1);
    c.Ball(40, 30, 0.5, 1);
    LoadedDisc l(c);
    ASSERT_TRUE(l.loaded);
    const disc::ContactSearch& s = l.disc.Search();
    const disc::BoxGrid& g = s.Grid();
    // A wall along the middle of a row of boxes, and one up the middle of a column.
    const double y = g.y0 + 5.5 * g.ydim, x = g.x0 + 7.5 * g.xdim;
    std::vector<int> boxes;
    s.WallBoxes(disc::WallLine{g.x0 + 1, y, 1, 0, 0, 20, 1}, boxes);
    for (int k : boxes)
        EXPECT_EQ((k - 1) / g.nx, 5);
    s.WallBoxes(disc::WallLine{x, g.y0 + 1, 0, 1, 0, 20, 1}, boxes);
    for (int k : boxes)
        EXPECT_EQ((k - 1) % g.nx, 7);
}

} // namespace
