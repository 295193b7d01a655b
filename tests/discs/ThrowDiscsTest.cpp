// Throw Discs on small documents: discs against barriers from either side,
// discs still moving when the time runs out, refused and failed runs that
// leave the document alone, cancelled runs, and throws that do or do not
// keep the earlier discs.
#include "tests/discs/ThrowDiscsFixture.h"

// A barrier stops a disc on the side it came from: a disc resting on it or
// rolling along it keeps its centre a radius from the line, rolls off a
// shallow roof at its end, and rests against the face of a fence it struck.
TEST_F(ThrowDiscsTest, ABarrierHoldsADiscOnTheSideItCameFrom)
{
    const double roofRise = 6 * std::tan(10 * kPi / 180);
    struct Case {
        const char* what;
        std::function<CTalusimBarrier*()> build;   // the slope, the seeder and the barrier
        double endTime;
        double side;                                // +1: the disc comes from the barrier's left
        std::function<void(const CTalusimBarrier&, const std::vector<CVector2D>&)> ends;
    };
    const Case cases[] = {
        {"a disc dropped on a level barrier rests on it",
         [&] {
             Slope({{0, 0}, {20, 0}});
             Seeder(6, 3 + r + 0.3);
             return Barrier(4, 3, 8, 3);
         },
         1.5, 1,
         [&](const CTalusimBarrier& b, const std::vector<CVector2D>& points) {
             EXPECT_NEAR(Measure(b, points.back()).distance, r, 0.1 * r);
             EXPECT_NEAR(points.back().x, 6, 0.1 * r);
         }},
        {"a disc rolling along a level barrier leaves at its end",
         [&] {
             Slope({{0, 0}, {20, 0}});
             Seeder(4.5, 3 + r + 0.02, 2.0);
             return Barrier(4, 3, 8, 3);
         },
         3.0, 1,
         [&](const CTalusimBarrier&, const std::vector<CVector2D>& points) {
             EXPECT_GT(points.back().x, 8 + r);
             EXPECT_LT(points.back().y, 3 - r);
         }},
        {"a disc dropped on a 10 degree roof rolls down it and off its end",
         [&] {
             Slope({{0, 0}, {20, 0}});
             Seeder(6, 3 + 4 * roofRise / 6 + r + 0.3);
             return Barrier(2, 3, 8, 3 + roofRise);
         },
         3.0, 1,
         [&](const CTalusimBarrier&, const std::vector<CVector2D>& points) {
             EXPECT_LT(points.back().x, 2 - r);
             EXPECT_LT(points.back().y, 3 - r);
         }},
        {"a disc rolling down into a fence rests against the face it struck",
         [&] {
             Slope({{0, 4}, {10, 0}});
             Seeder(2, 3.2 + r + 0.1);
             return Barrier(7, 1.1, 7, 3.5);
         },
         5.0, 1,
         [&](const CTalusimBarrier&, const std::vector<CVector2D>& points) {
             EXPECT_NEAR(points.back().x, 7 - r, 0.1 * r);
         }},
        {"a fence struck from its other face holds the disc on that side",
         [&] {
             Slope({{0, 0}, {10, 4}});
             Seeder(8, 3.2 + r + 0.1);
             return Barrier(3, 1.1, 3, 3.5);
         },
         5.0, -1,
         [&](const CTalusimBarrier&, const std::vector<CVector2D>& points) {
             EXPECT_NEAR(points.back().x, 3 + r, 0.1 * r);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        CTalusimBarrier* barrier = c.build();
        doc->GetDiscParameters().SetEndTime(c.endTime);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(doc->GetEndPointCount(), 1);
        const std::vector<CVector2D> points = PathPoints(0);
        // Wherever the disc was across the barrier's span, its centre stayed
        // on its own side, about a radius off the line or farther.
        for (const CVector2D& p : points) {
            const Across a = Measure(*barrier, p);
            if (a.along > 0 && a.along < 1) {
                ASSERT_GT(c.side * a.distance, 0.85 * r) << p.x << " " << p.y;
            }
        }
        c.ends(*barrier, points);
    }
}

// Discs still moving when the time to finish comes are reported, once, with
// how many they are; their end points stay, and their paths say so.
TEST_F(ThrowDiscsTest, DiscsStillMovingAtTheEndAreCountedAndReported)
{
    Slope({{0, 0}, {20, 0}});
    Seeder(5, 3 + r + 0.02);   // settles on a barrier at once
    Seeder(15, 60);            // still falling a second later
    Barrier(4, 3, 6, 3);
    struct Case {
        double endTime;
        bool firstMoving;
        const char* message;
    };
    const Case cases[] = {
        {1.0, false,
         "Discs still moving when the time to finish (1 s) was reached: 1 of 2.\nTheir end points are where they "
         "were then; a longer time to finish lets them come to rest."},
        // A run that covers no time leaves the discs where they were thrown.
        {0.0, true,
         "Discs still moving when the time to finish (0 s) was reached: 2 of 2.\nTheir end points are where they "
         "were then; a longer time to finish lets them come to rest."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.endTime);
        doc->ClearRockPaths();
        doc->GetDiscParameters().SetEndTime(c.endTime);
        MessageBoxRecorder boxes;
        boxes.messages.clear();
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0], c.message);
        ASSERT_EQ(doc->GetEndPointCount(), 2);
        EXPECT_EQ(doc->GetRockPath(0)->IsStillMoving(), c.firstMoving);
        EXPECT_TRUE(doc->GetRockPath(1)->IsStillMoving());
        EXPECT_GT(doc->GetEndPoint(1).y, 3.0);   // where the falling disc was, high above the slope
    }
    // A run in which every disc came to rest says nothing.
    doc->ClearRockPaths();
    doc->GetDatabase()->DeleteEntity(CollectAs<CTalusimRaker>(*doc->GetDatabase(), ID_ANY_CATEGORY, KIND_SEEDER,
                                                              ID_ANY_GROUP)
                                         .back(),
                                     false);
    doc->GetDiscParameters().SetEndTime(1.0);
    MessageBoxRecorder boxes;
    boxes.messages.clear();
    ASSERT_TRUE(ThrowDiscs(doc.get()));
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_FALSE(doc->GetRockPath(0)->IsStillMoving());
}

// A run that can't be made is refused at once and changes nothing: the rock
// paths, end points and distributions of an earlier Compute and the disc
// results of an earlier throw all stay, and the document is not modified.
TEST_F(ThrowDiscsTest, ARefusedThrowLeavesTheDocumentAsItWas)
{
    Slope({{0, 20}, {10, 2}, {30, 0}}, doc->GetFirstMaterial());
    Seeder(1, 21, 1.0);
    doc->m_nRocks = 20;
    doc->m_nLocations = 4;
    doc->RunSimulation(FALSE);
    doc->m_nRocks = 1;
    doc->GetDiscParameters().SetEndTime(0.2);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ThrowDiscs(doc.get()));
    const int paths = doc->GetRockPathCount();
    ASSERT_EQ(paths, 21);
    ASSERT_EQ(doc->GetEndPointCount(), 21);
    const CEntity* discResults = doc->GetDiscEntity();
    ASSERT_NE(discResults, nullptr);
    const int frames = doc->GetDiscParameters().GetFrameCount();
    std::vector<int> samples;
    int sampled = 0;
    for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i) {
        samples.push_back(doc->GetDistribution(i)->GetCount(DIST_VELOCITY));
        sampled += samples.back();
    }
    ASSERT_GT(sampled, 0);
    const CVector2D lastEnd = doc->GetEndPoint(20);

    struct Case {
        const char* what;
        std::function<void()> apply, undo;
    };
    std::vector<CTalusimBarrier*> fences;
    CTalusimRaker* weightless = nullptr;
    const Case cases[] = {
        {"more walls than the disc program takes",
         [&] {
             for (int i = 0; i < 500; ++i)
                 fences.push_back(Barrier(10 + 0.01 * i, 5, 10 + 0.01 * i, 6));
         },
         [&] {
             for (CTalusimBarrier* b : fences)
                 doc->GetDatabase()->DeleteEntity(b, false);
             fences.clear();
         }},
        {"dependent throws that would hold more discs than it takes",
         [&] {
             doc->GetDiscParameters().SetIndependent(false);
             doc->m_nRocks = 10001;
         },
         [&] {
             doc->GetDiscParameters().SetIndependent(true);
             doc->m_nRocks = 1;
         }},
        {"a seeder whose mass is never positive",
         [&] {
             weightless = Seeder(2, 11);
             weightless->SetMass(-5, 1);
         },
         [&] { doc->GetDatabase()->DeleteEntity(weightless, false); }},
        {"a seeder whose disc has no room between the slope and a barrier just above it",
         [&] {
             // The barrier runs 0.3 above the second segment, less than a
             // disc's width; the seeder lies between them.
             fences.push_back(Barrier(15, 1.8, 25, 0.8));
             weightless = Seeder(20, 1.15);
         },
         [&] {
             doc->GetDatabase()->DeleteEntity(fences.back(), false);
             fences.clear();
             doc->GetDatabase()->DeleteEntity(weightless, false);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.apply();
        doc->SetModifiedFlag(FALSE);
        boxes.messages.clear();
        std::string error;
        EXPECT_FALSE(ThrowDiscs(doc.get(), &error));
        EXPECT_FALSE(error.empty());
        if (std::string(c.what).find("no room") != std::string::npos)   // named by its point
            EXPECT_NE(error.find("seeder at (20, 1.15)"), std::string::npos) << error;
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0], "The discs could not be thrown:\n" + error);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(doc->GetRockPathCount(), paths);
        ASSERT_EQ(doc->GetEndPointCount(), paths);
        EXPECT_EQ(doc->GetEndPoint(20).x, lastEnd.x);
        EXPECT_EQ(doc->GetDiscEntity(), discResults);
        EXPECT_EQ(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).size(), 1u);
        EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), frames);
        for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i)
            EXPECT_EQ(doc->GetDistribution(i)->GetCount(DIST_VELOCITY), samples[static_cast<size_t>(i)]) << i;
        c.undo();
    }
}

// Dependent throws keep the earlier discs as obstacles: the second disc
// dropped into a valley comes to rest beside or upon the first. Independent
// throws each start alone, so both discs end in the same place.
TEST_F(ThrowDiscsTest, DependentThrowsKeepTheEarlierDiscsInTheWay)
{
    Slope({{0, 4}, {5, 0}, {10, 4}});
    Seeder(5, 1.5);
    doc->m_nRocks = 2;
    for (const bool independent : {true, false}) {
        SCOPED_TRACE(independent);
        doc->ClearRockPaths();
        doc->GetDiscParameters().SetEndTime(2.0);
        doc->GetDiscParameters().SetIndependent(independent);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(doc->GetEndPointCount(), 2);
        const CVector2D a = doc->GetEndPoint(0), b = doc->GetEndPoint(1);
        const double apart = std::hypot(a.x - b.x, a.y - b.y);
        if (independent)
            EXPECT_LT(apart, 0.01 * r);
        else
            EXPECT_GT(apart, 1.8 * r);
    }
}

namespace {

// Everything a throw records in the document, to compare before and after.
struct Recorded {
    std::vector<const CTalusimRockPath*> paths;   // the rock of each end point
    std::vector<double> endPoints;
    std::vector<const CEntity*> pathEntities;     // the rock paths of the drawing
    std::vector<double> locations;                // every value of every location record
    std::vector<const CTalusimRockPath*> sampledPaths;
    std::vector<double> hits;                     // every hit on every line, then its graph ranges
    std::vector<const CTalusimRockPath*> hitPaths;
    std::vector<std::array<double, 16>> settled;
    const CEntity* discResults = nullptr;
    size_t discEntities = 0;
    int frames = 0, step = 0;
    bool modified = false;
};

Recorded Record(CTalusimDoc& doc)
{
    Recorded r;
    CREGDatabase& db = *doc.GetDatabase();
    for (int i = 0; i < doc.GetEndPointCount(); ++i) {
        r.paths.push_back(doc.GetRockPath(i));
        r.endPoints.insert(r.endPoints.end(), {doc.GetEndPoint(i).x, doc.GetEndPoint(i).y});
    }
    for (CEntity* e : CollectEntities(db, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP))
        r.pathEntities.push_back(e);
    for (int i = 0; i < doc.GetEnvelopeCount(); ++i) {
        const CLocationEnvelope& e = doc.GetLocationMaxima(i);
        r.locations.insert(r.locations.end(),
                           {double(e.GetEmptyFlag()), e.GetLocation(), e.GetSlopeHeight(), e.GetMaxHeight(),
                            e.GetMaxVelocity(), e.GetMaxAngularVelocity(), e.GetMaxTranslationalEnergy(),
                            e.GetMaxRotationalEnergy(), e.GetMaxTotalEnergy()});
    }
    for (int i = 0; i <= doc.GetLastDistributionIndex(); ++i) {
        const CDistributionSamples& d = *doc.GetDistribution(i);
        for (int kind : {DIST_BOUNCE_HEIGHT, DIST_TRANSLATIONAL_ENERGY, DIST_ROTATIONAL_ENERGY, DIST_VELOCITY,
                         DIST_ANGULAR_VELOCITY}) {
            r.locations.push_back(d.GetCount(kind));
            for (int k = 0; k < d.GetCount(kind); ++k)
                r.locations.push_back(d.GetValue(k, kind));
        }
        for (int k = 0; k < d.GetCount(DIST_BOUNCE_HEIGHT); ++k)
            r.sampledPaths.push_back(d.GetRockPath(k));
    }
    for (CTalusimBarrier* line : CollectAs<CTalusimBarrier>(db, ID_ANY_CATEGORY, KIND_BARRIER, ID_ANY_GROUP)) {
        CArray<CBarrierHit, const CBarrierHit&> hits;
        line->CopyHits(hits);
        for (int i = 0; i < hits.GetSize(); ++i) {
            const CBarrierHit& h = hits[i];
            r.hits.insert(r.hits.end(), {h.GetX(), h.GetY(), h.GetVelocity(), h.GetTotalEnergy(),
                                         double(h.GetSegmentIndex())});
            r.hitPaths.push_back(h.GetRockPath());
        }
        for (int kind : {CTalusimBarrier::kGraphTranslationalEnergy, CTalusimBarrier::kGraphVelocity,
                         CTalusimBarrier::kGraphAngularVelocity})
            r.hits.insert(r.hits.end(), {line->GetGraphMinimum(kind), line->GetGraphMaximum(kind)});
    }
    r.settled = doc.GetSettledDiscs();
    r.discResults = doc.GetDiscEntity();
    r.discEntities = CollectEntities(db, ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).size();
    r.frames = doc.GetDiscParameters().GetFrameCount();
    r.step = doc.GetDiscParameters().GetCurrentStep();
    r.modified = doc.IsModified() != FALSE;
    return r;
}

// Makes the case of every throw from the given one on unwritable while it lives.
struct CaseFailsFrom {
    explicit CaseFailsFrom(int throwNumber) { SetThrowDiscsCaseFailureForTest(throwNumber); }
    ~CaseFailsFrom() { SetThrowDiscsCaseFailureForTest(0); }
};

int* g_throwToCancel = nullptr;

}  // namespace

// A run that fails partway (the case of its second throw can't be written,
// after its first throw raised the maxima, crossed the collector and moved
// the settled discs) says so once and leaves the results of the Compute and
// of the throw before it exactly as they were, unmodified.
TEST_F(ThrowDiscsTest, AThrowThatFailsPartwayLeavesTheDocumentAsItWas)
{
    Slope({{0, 20}, {10, 2}, {30, 0}}, doc->GetFirstMaterial());
    CTalusimRaker* seeder = Seeder(1, 21, 1.0);
    auto* collector = CTalusimBarrier::NewOfGroup("C", CAT_PLACED, GROUP_COLLECTOR);
    collector->SetPoints(6, 8, 6, 16);
    doc->GetDatabase()->AddEntity(collector, false);
    doc->m_nRocks = 20;
    doc->m_nLocations = 7;   // every 5 m: the discs pass x = 5
    doc->RunSimulation(FALSE);
    const int computedHits = collector->GetHitUpperBound(false) + 1;
    doc->m_nRocks = 1;
    doc->GetDiscParameters().SetEndTime(2.0);
    MessageBoxRecorder boxes;
    std::string error;
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    ASSERT_GT(collector->GetHitUpperBound(false) + 1, computedHits);   // the disc crossed it too
    doc->SetDiscStep(2);
    doc->SetModifiedFlag(FALSE);
    const Recorded before = Record(*doc);
    ASSERT_EQ(before.paths.size(), 21u);
    ASSERT_FALSE(before.settled.empty());

    // A heavier disc, so that its first throw raises the maxima.
    seeder->SetMass(10 * kMass, 0.0);
    doc->m_nRocks = 3;
    boxes.messages.clear();
    {
        CaseFailsFrom failing(2);
        EXPECT_FALSE(ThrowDiscs(doc.get(), &error));
    }
    EXPECT_NE(error.find("can't be written"), std::string::npos) << error;
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0], "The discs could not be thrown:\n" + error);

    const Recorded after = Record(*doc);
    EXPECT_EQ(after.paths, before.paths);
    EXPECT_EQ(after.endPoints, before.endPoints);
    EXPECT_EQ(after.pathEntities, before.pathEntities);
    EXPECT_EQ(after.locations, before.locations);
    EXPECT_EQ(after.sampledPaths, before.sampledPaths);
    EXPECT_EQ(after.hits, before.hits);
    EXPECT_EQ(after.hitPaths, before.hitPaths);
    EXPECT_EQ(after.settled, before.settled);
    EXPECT_EQ(after.discResults, before.discResults);
    EXPECT_EQ(after.discEntities, 1u);
    EXPECT_EQ(after.frames, before.frames);
    EXPECT_EQ(after.step, 2);
    EXPECT_FALSE(after.modified);
    EXPECT_EQ(doc->GetCurrentRockPath(), nullptr);

    // The document goes on as before: the same throw without the failure
    // adds its discs to the results.
    boxes.messages.clear();
    ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
    EXPECT_EQ(doc->GetEndPointCount(), 24);
    EXPECT_NE(doc->GetDiscEntity(), before.discResults);
    EXPECT_EQ(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).size(), 1u);
    EXPECT_TRUE(doc->IsModified());
}

// Cancel ends the run with no disc results and no rock paths, as Clear Rock
// Paths does, and says nothing.
TEST_F(ThrowDiscsTest, ACancelledThrowClearsTheResults)
{
    Slope({{0, 20}, {10, 2}, {30, 0}}, doc->GetFirstMaterial());
    Seeder(1, 21, 1.0);
    doc->m_nRocks = 5;
    doc->m_nLocations = 4;
    doc->RunSimulation(FALSE);
    doc->m_nRocks = 1;
    doc->GetDiscParameters().SetEndTime(0.2);
    MessageBoxRecorder boxes;
    ASSERT_TRUE(ThrowDiscs(doc.get()));
    ASSERT_EQ(doc->GetEndPointCount(), 6);

    // The Cancel button clears the run flag; a timer does it here while the run pumps messages.
    doc->GetDiscParameters().SetEndTime(100000.0);
    doc->SetModifiedFlag(FALSE);
    boxes.messages.clear();
    g_throwToCancel = doc->GetDiscRunFlag();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) { *g_throwToCancel = 0; });
    std::string error;
    const bool thrown = ThrowDiscs(doc.get(), &error);
    ::KillTimer(nullptr, timer);
    EXPECT_FALSE(thrown);
    EXPECT_TRUE(error.empty()) << error;
    EXPECT_TRUE(boxes.messages.empty());
    EXPECT_EQ(doc->GetEndPointCount(), 0);
    EXPECT_EQ(doc->GetRockPathCount(), 0);
    EXPECT_TRUE(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP).empty());
    EXPECT_EQ(doc->GetEnvelopeCount(), 0);
    EXPECT_EQ(doc->GetDiscEntity(), nullptr);
    EXPECT_TRUE(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP).empty());
    EXPECT_EQ(doc->GetDiscParameters().GetFrameCount(), -1);
    EXPECT_TRUE(doc->IsModified());
}
