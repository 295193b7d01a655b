// A small document to compute on: a slope with one material, seeders,
// barriers and collectors placed as the document's commands place them, and
// the engine's own reports of the same rocks for comparison.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <utility>
#include <vector>

#include "engine/Random.h"
#include "model/ComputeProgress.h"
#include "model/DocumentDependencies.h"
#include "WorkingTestSupport.h"
#include "../engine/RecordingEngine.h"

class ComputeDocTest : public WorkingWindowsTest {
public:
    CTalusimDoc* doc = nullptr;
    CTalusimSlopeType* material = nullptr;
    std::chrono::milliseconds savedInterval{};

    void SetUp() override {
        WorkingWindowsTest::SetUp();
        savedInterval = CComputeProgress::GetUpdateInterval();
        NewDocument();
    }
    void TearDown() override {
        CComputeProgress::SetUpdateInterval(savedInterval);
        delete doc;
        doc = nullptr;
        WorkingWindowsTest::TearDown();
    }

    // A new document with the default materials and an empty slope; the
    // fixed seed, 5 rocks and 5 locations.
    void NewDocument() {
        delete doc;
        doc = new CTalusimDoc;
        ASSERT_TRUE(doc->OnNewDocument());
        doc->m_nRandomMode = RANDOM_FIXED;
        doc->m_nLocations = 5;
        doc->m_nRocks = 5;
        material = doc->GetFirstMaterial();
        ASSERT_NE(material, nullptr);
    }

    void SetSlope(std::initializer_list<std::pair<double, double>> vertices, CTalusimSlopeType* m = nullptr) {
        CTalusimSlope* slope = doc->GetSlope();
        for (const auto& v : vertices) slope->AddVertexWithMaterial(v.first, v.second, m ? m : material);
    }
    // A talus slope under a cliff, 60 m wide.
    void SetTalusSlope() { SetSlope({{0, 40}, {8, 38}, {12, 15}, {30, 8}, {60, 0}}); }

    CTalusimRaker* AddPointSeeder(double x, double y, double mass = 1000.0, double massSd = 100.0, double vx = 2.0,
                                  double vxSd = 0.5) {
        auto* s = new CTalusimRaker;
        s->AddPoint(x, y);
        s->SetGroupId(GROUP_POINT_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(mass, massSd);
        s->SetVelocity(vx, 0.0, vxSd, 0.2);
        s->SetAngularVelocity(0.5, 0.1);
        doc->GetDatabase()->AddEntity(s, false);
        return s;
    }
    CTalusimRaker* AddLineSeeder(std::initializer_list<std::pair<double, double>> points) {
        auto* s = new CTalusimRaker;
        for (const auto& p : points) s->AddPoint(p.first, p.second);
        s->SetGroupId(GROUP_LINE_SEEDER);
        s->SetCategoryId(CAT_PLACED);
        s->SetMass(500.0, 0.0);
        doc->GetDatabase()->AddEntity(s, false);
        return s;
    }
    CTalusimBarrier* AddLine(double x1, double y1, double x2, double y2, bool collector) {
        auto* b = new CTalusimBarrier;
        b->SetPoints(x1, y1, x2, y2);
        b->SetGroupId(collector ? GROUP_COLLECTOR : GROUP_BARRIER);
        b->SetCategoryId(CAT_PLACED);
        b->SetSkipLengthCheck(collector);
        b->SetName(collector ? "Collector" : "Barrier");
        doc->GetDatabase()->AddEntity(b, false);
        return b;
    }

    int RockPathEntities() {
        return static_cast<int>(CollectEntities(*doc->GetDatabase(), 20, KIND_ROCK_PATH, 21).size());
    }
    std::vector<CPolyVertex> SlopeVertices() {
        std::vector<CPolyVertex> out;
        for (int i = 0; i < doc->GetSlope()->GetSlopeVertexCount(); ++i) {
            CPolyVertex v;
            doc->GetSlope()->GetSlopeVertex(v, i);
            out.push_back(v);
        }
        return out;
    }

    // The document holds together: every filed path is in the database, the
    // end points and paths pair up, and every sample and hit points to a
    // filed path.
    void ExpectConsistent() {
        ASSERT_EQ(doc->GetRockPathCount(), doc->GetEndPointCount());
        EXPECT_EQ(doc->GetRockPathCount(), RockPathEntities());
        std::vector<CTalusimRockPath*> filed;
        for (int i = 0; i < doc->GetRockPathCount(); ++i) filed.push_back(doc->GetRockPath(i));
        auto isFiled = [&](CTalusimRockPath* p) { return std::find(filed.begin(), filed.end(), p) != filed.end(); };
        for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i) {
            CDistributionSamples* d = doc->GetDistribution(i);
            for (int j = 0; j < d->GetCount(DIST_VELOCITY); ++j) EXPECT_TRUE(isFiled(d->GetRockPath(j)));
        }
        for (auto* b : CollectAs<CTalusimBarrier>(*doc->GetDatabase(), 20, KIND_BARRIER, 21))
            for (CBarrierHit h = b->GetFirstHit(); h.IsValid(); h = b->GetNextHit())
                EXPECT_TRUE(isFiled(h.GetRockPath()));
        if (doc->GetRockPathCount() > 0) {
            EXPECT_EQ(doc->GetCurrentRockPath(), doc->GetRockPath(doc->GetRockPathCount() - 1));
        }
    }
};

// The y of a rock path piece where it crosses x = X, or NaN when it does
// not. A piece that starts at X is not counted when it is not the first: the
// piece before it ended there and counted the crossing.
inline double PieceHeightAt(const CTalusimPathSegment& s, double X, bool first) {
    bool straight;
    double x0, y0, x1, y1, T, g, vx, vy;
    s.GetParameters(straight, x0, y0, x1, y1, T, g, vx, vy);
    if (!(std::min(x0, x1) <= X && X <= std::max(x0, x1))) return std::nan("");
    if (x0 == X && !first) return std::nan("");
    if (x0 == x1) return y0;
    if (straight || vx == 0.0) return y0 + (y1 - y0) * (X - x0) / (x1 - x0);
    const double t = (X - x0) / vx;
    return y0 + vy * t - 0.5 * g * t * t;
}
