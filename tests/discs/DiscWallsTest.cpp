// Throw Discs among the walls: discs whose seeders lie on, under or beside
// the slope or a barrier start clear of them; no disc, light or heavy, low
// or dropped from high, passes through the slope or a barrier; a disc that
// strikes a barrier is a hit of that barrier, graphed and kept in the file;
// and a disc that left the slope is reported as such.
#include "tests/discs/ThrowDiscsFixture.h"
#include "tests/graphs/FakeGraphResults.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <algorithm>
#include "graphs/StatisticsReport.h"

namespace {

// How far p lies above the slope, for slopes that are a function of x;
// past the slope's ends, as far as it lies above the end's height.
double AboveSlope(const CTalusimSlope& slope, CVector2D p)
{
    const int n = slope.GetVertexCount();
    for (int i = 1; i < n; ++i) {
        const CPolyVertex a = slope.GetVertex(i - 1), b = slope.GetVertex(i);
        if (p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) && a.x != b.x)
            return p.y - (a.y + (b.y - a.y) * (p.x - a.x) / (b.x - a.x));
    }
    return p.y - (p.x < slope.GetVertex(0).x ? slope.GetVertex(0).y : slope.GetVertex(n - 1).y);
}

// The distance from p to the slope's segment i (from vertex i - 1 to i).
double DistanceToSegment(const CTalusimSlope& slope, int i, CVector2D p)
{
    const CPolyVertex a = slope.GetVertex(i - 1), b = slope.GetVertex(i);
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double t = std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// The least distance from p to the slope.
double DistanceToSlope(const CTalusimSlope& slope, CVector2D p)
{
    double least = HUGE_VAL;
    for (int i = 1; i < slope.GetVertexCount(); ++i)
        least = std::min(least, DistanceToSegment(slope, i, p));
    return least;
}

std::vector<CBarrierHit> Hits(const CTalusimBarrier& b)
{
    CArray<CBarrierHit, const CBarrierHit&> hits;
    b.CopyHits(hits);
    std::vector<CBarrierHit> out;
    for (int i = 0; i < hits.GetSize(); ++i)
        out.push_back(hits[i]);
    return out;
}

}  // namespace

// A disc whose seeder lies on the slope's face, on its crest, under it or at
// its lowest point starts a radius clear of the ground, and one whose seeder
// lies on or just under a barrier starts a radius off it on the seeder's
// side; each then goes where a disc placed clear would go.
TEST_F(ThrowDiscsTest, ADiscStartsClearOfEveryWall)
{
    // A gentle top, a crest at (3, 4), a steep face and a valley at (6, 0).
    const auto crested = [&] { Slope({{0, 5}, {3, 4}, {6, 0}, {11, 4}}); };
    const auto flat = [&] { Slope({{0, 0}, {20, 0}}); };
    struct Case {
        const char* what;
        std::function<void()> build;
        CVector2D seeder;
        double endTime;
        std::function<void(CVector2D start, CVector2D end)> check;
    };
    // At rest in the valley against both its faces: a radius off each.
    auto inTheValley = [&](CVector2D, CVector2D end) {
        EXPECT_NEAR(DistanceToSegment(*doc->GetSlope(), 2, end), r, 0.05 * r);
        EXPECT_NEAR(DistanceToSegment(*doc->GetSlope(), 3, end), r, 0.05 * r);
    };
    const Case cases[] = {
        {"on the steep face", crested, {4.5, 2}, 6, inTheValley},
        {"on the crest vertex", crested, {3, 4}, 6, inTheValley},
        {"just above the crest vertex", crested, {3, 4.01}, 6, inTheValley},
        {"a metre under the face", crested, {4.5, 1}, 6, inTheValley},
        {"at the valley's lowest point", crested, {6, 0}, 1, inTheValley},
        {"on a level barrier's line", [&] { flat(); Barrier(4, 3, 8, 3); }, {6, 3}, 1,
         [&](CVector2D start, CVector2D end) {
             EXPECT_NEAR(start.y, 3 + r, 1e-9);
             EXPECT_NEAR(end.x, 6, 1e-6);
             EXPECT_NEAR(end.y, 3 + r, 0.05 * r);
         }},
        {"just under a level barrier", [&] { flat(); Barrier(4, 3, 8, 3); }, {6, 3 - 0.5 * r}, 2,
         [&](CVector2D start, CVector2D end) {
             EXPECT_NEAR(start.y, 3 - r, 1e-9);
             EXPECT_NEAR(end.y, r, 0.05 * r);
         }},
        {"beside a fence", [&] { flat(); Barrier(6, 0, 6, 3); }, {6 + 0.3 * r, 2}, 2,
         [&](CVector2D start, CVector2D end) {
             EXPECT_NEAR(start.x, 6 + r, 1e-9);
             EXPECT_NEAR(end.x, 6 + r, 1e-6);
             EXPECT_NEAR(end.y, r, 0.05 * r);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        c.build();
        Seeder(c.seeder.x, c.seeder.y);
        doc->GetDiscParameters().SetEndTime(c.endTime);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        EXPECT_TRUE(boxes.messages.empty()) << boxes.messages.front();
        ASSERT_EQ(doc->GetEndPointCount(), 1);
        const std::vector<CVector2D> points = PathPoints(0);
        EXPECT_GE(DistanceToSlope(*doc->GetSlope(), points.front()), r * (1 - 1e-5));
        // Never into the ground on the way.
        for (const CVector2D& p : points)
            ASSERT_GT(AboveSlope(*doc->GetSlope(), p), 0.5 * r) << p.x << " " << p.y;
        c.check(points.front(), points.back());
    }
}

// However heavy a disc and however far it falls, the slope and the barriers
// hold it: the contacts are as stiff as the most energetic disc of the throw
// needs, whichever seeder comes first.
TEST_F(ThrowDiscsTest, NoDiscPassesThroughTheSlopeOrABarrier)
{
    {
        SCOPED_TRACE("a 20 kg disc 1 m up, then a 2,000 kg disc 60 m up");
        Slope({{0, 2}, {10, 0}, {20, 2}});
        Seeder(2, 1.6 + 1, 0.0, 20);
        Seeder(15, 1 + 60, 0.0, 2000);
        doc->GetDiscParameters().SetEndTime(5);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(doc->GetEndPointCount(), 2);
        for (int rock = 0; rock < 2; ++rock) {
            const double radius = RadiusOf(rock == 0 ? 20 : 2000);
            for (const CVector2D& p : PathPoints(rock))
                ASSERT_GT(AboveSlope(*doc->GetSlope(), p), 0.5 * radius) << rock << ": " << p.x << " " << p.y;
        }
    }
    {
        SCOPED_TRACE("a 60 m drop onto a level barrier after a low first seeder");
        Fresh();
        Slope({{0, 0}, {20, 0}});
        CTalusimBarrier* roof = Barrier(8, 3, 14, 3);
        Seeder(2, 1, 0.0, 20);
        Seeder(11, 63, 0.0, 500);
        doc->GetDiscParameters().SetEndTime(5);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(doc->GetEndPointCount(), 2);
        const double radius = RadiusOf(500);
        for (const CVector2D& p : PathPoints(1)) {
            ASSERT_GT(p.y, 0.5 * radius);
            const Across a = Measure(*roof, p);
            if (a.along > 0 && a.along < 1)
                ASSERT_GT(a.distance, 0.5 * radius) << p.x << " " << p.y;
        }
    }
}

// A disc that strikes a barrier is a hit of that barrier, filed when the
// disc comes to touch it, with the disc's velocity as it arrived; a disc
// staying against the barrier is that one hit. The barrier's graphs and
// statistics count the hits, and the file keeps them.
TEST_F(ThrowDiscsTest, ADiscStrikingABarrierIsOneHitGraphedAndKept)
{
    Slope({{0, 4}, {10, 0}});
    CTalusimBarrier* fence = Barrier(7, 1.1, 7, 3.5);
    fence->SetName("Fence");
    Seeder(2, 3.2 + r + 0.1);
    doc->m_nRocks = 2;
    doc->GetDiscParameters().SetIndependent(true);
    doc->GetDiscParameters().SetEndTime(5);
    MessageBoxRecorder boxes;
    std::string error;
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    ASSERT_EQ(doc->GetEndPointCount(), 2);
    const std::vector<CBarrierHit> hits = Hits(*fence);
    // Each disc struck the fence and came to rest against it: a few strikes
    // as it bounced back and rolled in again, not one hit per step.
    for (int rock = 0; rock < 2; ++rock) {
        SCOPED_TRACE(rock);
        EXPECT_NEAR(doc->GetEndPoint(rock).x, 7 - r, 0.1 * r);
        const auto mine = std::count_if(hits.begin(), hits.end(),
                                        [&](const CBarrierHit& h) { return h.GetRockPath() == doc->GetRockPath(rock); });
        EXPECT_GE(mine, 1);
        EXPECT_LE(mine, 6);
    }
    for (const CBarrierHit& h : hits) {
        EXPECT_EQ(h.GetX(), 7);
        EXPECT_GT(h.GetY(), 1.1);
        EXPECT_LT(h.GetY(), 3.5);
        EXPECT_GT(h.GetVx(), 0);   // towards the fence
        EXPECT_DOUBLE_EQ(h.GetMass(), kMass);
        EXPECT_NEAR(h.GetTranslationalEnergy(), 0.5 * kMass * h.GetVelocity() * h.GetVelocity(), 1e-9);
        EXPECT_NEAR(h.GetVelocity(), std::hypot(h.GetVx(), h.GetVy()), 1e-12);
    }
    // The first strike ends a roll down the slope: fast.
    ASSERT_FALSE(hits.empty());
    EXPECT_GT(std::max_element(hits.begin(), hits.end(), [](const CBarrierHit& a, const CBarrierHit& b) {
                  return a.GetVelocity() < b.GetVelocity();
              })->GetVelocity(),
              2.0);

    // The barrier's total-energy graph and its statistics count every hit.
    FakeResults results;
    results.objects.push_back(fence);
    GraphState graph;
    graph.kind = CTalusimBarrier::kGraphTotalEnergy;
    graph.object = fence;
    RebuildGraphData(results, graph);
    ASSERT_TRUE(HasData(&results, graph));
    double counted = 0;
    for (int i = 0; i < graph.series.GetCount(); ++i)
        counted += graph.series.GetY(i);
    EXPECT_EQ(counted, static_cast<double>(hits.size()));
    EXPECT_EQ(graph.raw.GetCount(), static_cast<int>(hits.size()));
    EXPECT_FALSE(BuildStatisticsReport("Fence", graph.raw).IsEmpty());

    // Saved and opened, the fence has the same hits.
    const std::string path = TestFolder() + "disc-fence-hits.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    CTalusimDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(path.c_str()));
    const auto fences = CollectAs<CTalusimBarrier>(*opened.GetDatabase(), ID_ANY_CATEGORY, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(fences.size(), 1u);
    const std::vector<CBarrierHit> back = Hits(*fences[0]);
    ASSERT_EQ(back.size(), hits.size());
    for (size_t i = 0; i < hits.size(); ++i) {
        EXPECT_DOUBLE_EQ(back[i].GetY(), hits[i].GetY()) << i;
        EXPECT_DOUBLE_EQ(back[i].GetTotalEnergy(), hits[i].GetTotalEnergy()) << i;
    }

    // A disc set down on a barrier and resting there is one hit.
    Fresh();
    Slope({{0, 0}, {20, 0}});
    CTalusimBarrier* shelf = Barrier(4, 3, 8, 3);
    Seeder(6, 3);
    doc->GetDiscParameters().SetEndTime(2);
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    ASSERT_EQ(Hits(*shelf).size(), 1u);
    EXPECT_NEAR(Hits(*shelf)[0].GetX(), 6, 1e-9);
    EXPECT_EQ(Hits(*shelf)[0].GetY(), 3);
}

// A disc that rolled off the slope's end is reported as having left the
// slope; one still falling above the slope as still moving; both in one
// message.
TEST_F(ThrowDiscsTest, ADiscThatLeftTheSlopeIsReportedAsSuch)
{
    Slope({{0, 4}, {10, 0}});
    Seeder(7, 1.2 + r + 0.05);   // rolls off the lower end
    Seeder(4, 80);               // still falling at the end
    doc->GetDiscParameters().SetEndTime(2);
    MessageBoxRecorder boxes;
    std::string error;
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0],
              "Discs that left the slope (past its ends or below its lowest point): 1 of 2.\nTheir end points are "
              "where they were when the time to finish (2 s) was reached.\n\n"
              "Discs still moving when the time to finish (2 s) was reached: 1 of 2.\nTheir end points are where "
              "they were then; a longer time to finish lets them come to rest.");
    EXPECT_GT(doc->GetEndPoint(0).x, 10);
    EXPECT_FALSE(doc->GetRockPath(0)->IsStillMoving());
    EXPECT_TRUE(doc->GetRockPath(1)->IsStillMoving());
}
