// Compute that fails part-way, for want of memory, through the command a user
// gives: the failure is reported, and by then the user's slope is back and
// every rock path the run left has its end point.
#include "tests/view/SlopeViewTestSupport.h"

#include <algorithm>
#include <new>

#include "model/ComputeProgress.h"
#include "model/TalusimDocEngine.h"
#include "res/resource.h"

namespace {

// The document's engine, running out of memory when it reports a given
// flight piece of the run.
struct FailingEngine : CTalusimDocEngine {
    int piecesBeforeFailure = 0;

protected:
    void OnFlightSegment(void* context, double x0, double y0, double x1, double y1, double vx0, double vy0, double g,
                         double mass, double t) override
    {
        if (piecesBeforeFailure-- == 0)
            throw std::bad_alloc();
        CTalusimDocEngine::OnFlightSegment(context, x0, y0, x1, y1, vx0, vy0, g, mass, t);
    }
};

// What the document held when the failure was reported.
struct AtReport {
    static inline CTalusimDoc* doc = nullptr;
    static inline std::vector<std::string> texts;
    static inline std::vector<CPolyVertex> slope;
    static inline int paths = -1, endPoints = -1, pathEntities = -1;
    static inline bool currentFiled = false;
    static inline bool workingShown = true;

    static int Hook(LPCSTR text, UINT)
    {
        texts.emplace_back(text != nullptr ? text : "");
        slope.clear();
        for (int i = 0; i < doc->GetSlope()->GetVertexCount(); ++i)
            slope.push_back(doc->GetSlope()->GetVertex(i));
        paths = doc->GetRockPathCount();
        endPoints = doc->GetEndPointCount();
        pathEntities =
            static_cast<int>(CollectEntities(*doc->GetDatabase(), ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP).size());
        currentFiled = paths > 0 && doc->GetCurrentRockPath() == doc->GetRockPath(paths - 1);
        workingShown = ::FindWindowA(nullptr, "Calculating paths...") != nullptr;
        return IDOK;
    }
};

} // namespace

TEST_F(SlopeViewTest, AComputeThatRunsOutOfMemoryPutsTheSlopeBackAndEndsItsLastRock)
{
    CTalusimSlope* slope = doc->GetSlope();
    CTalusimSlopeType* material = doc->GetFirstMaterial();
    for (auto [x, y] : {std::pair{0.0, 40.0}, {8.0, 38.0}, {12.0, 15.0}, {30.0, 8.0}, {60.0, 0.0}})
        slope->AddVertexWithMaterial(x, y, material);
    // Vertex deviations: every rock is thrown on a slope sampled from them.
    for (int i = 1; i < 4; ++i) {
        CPolyVertex v = slope->GetVertex(i);
        v.auxA = 0.2;
        v.auxB = 0.2;
        slope->SetVertex(i, v);
    }
    doc->SetGenerateSlopeSamples(true);
    slope->SetSampleSlopeFlag(true);
    auto* seeder = new CTalusimRaker;
    seeder->AddPoint(2.0, 42.0);
    seeder->SetGroupId(GROUP_POINT_SEEDER);
    seeder->SetCategoryId(CAT_PLACED);
    seeder->SetMass(1000.0, 0.0);
    seeder->SetVelocity(2.0, 0.0, 0.5, 0.2);
    doc->GetDatabase()->AddEntity(seeder, false);
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->SetRockCount(10);
    std::vector<CPolyVertex> before;
    for (int i = 0; i < slope->GetVertexCount(); ++i)
        before.push_back(slope->GetVertex(i));

    // The memory runs out in the middle of a rock, after some rocks were thrown.
    auto* engine = new FailingEngine;
    engine->piecesBeforeFailure = 12;
    delete doc->m_pEngine;
    doc->m_pEngine = engine;
    const auto showDelay = CComputeProgress::GetShowDelay();
    CComputeProgress::SetShowDelay(std::chrono::milliseconds(0));
    AtReport::doc = doc;
    AtReport::texts.clear();
    const AfxMessageBoxHook previous = AfxSetMessageBoxHook(&AtReport::Hook);
    frame->SendMessage(WM_COMMAND, ID_COMPUTE);
    AfxSetMessageBoxHook(previous);
    CComputeProgress::SetShowDelay(showDelay);

    // One report, of the memory, after the run had put everything back.
    ASSERT_EQ(AtReport::texts.size(), 1u);
    EXPECT_NE(AtReport::texts[0].find("memory"), std::string::npos) << AtReport::texts[0];
    EXPECT_FALSE(AtReport::workingShown);
    ASSERT_EQ(AtReport::slope.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_EQ(AtReport::slope[i].x, before[i].x) << i;
        EXPECT_EQ(AtReport::slope[i].y, before[i].y) << i;
        EXPECT_EQ(AtReport::slope[i].auxA, before[i].auxA) << i;
        EXPECT_EQ(AtReport::slope[i].auxB, before[i].auxB) << i;
    }
    EXPECT_GT(AtReport::paths, 1);
    EXPECT_EQ(AtReport::endPoints, AtReport::paths);
    EXPECT_EQ(AtReport::pathEntities, AtReport::paths);
    EXPECT_TRUE(AtReport::currentFiled);
    // The rock the failure stopped ends where its last piece does.
    const int last = doc->GetRockPathCount() - 1;
    ASSERT_GE(last, 0);
    CTalusimRockPath* stopped = doc->GetRockPath(last);
    ASSERT_GE(stopped->GetSegmentUpperBound(), 0);
    EXPECT_EQ(doc->GetEndPoint(last).x, stopped->GetLastPoint().x);
    EXPECT_EQ(doc->GetEndPoint(last).y, stopped->GetLastPoint().y);
    // Every passage points to a path the document keeps.
    std::vector<CTalusimRockPath*> filed;
    for (int i = 0; i <= last; ++i)
        filed.push_back(doc->GetRockPath(i));
    for (int i = 0; i <= doc->GetLastDistributionIndex(); ++i) {
        CDistributionSamples* d = doc->GetDistribution(i);
        for (int j = 0; j < d->GetCount(DIST_VELOCITY); ++j)
            EXPECT_NE(std::find(filed.begin(), filed.end(), d->GetRockPath(j)), filed.end());
    }

    // The document computes again as it did before.
    engine->piecesBeforeFailure = -1;
    ViewMessageBoxes boxes;
    frame->SendMessage(WM_COMMAND, ID_COMPUTE);
    EXPECT_TRUE(boxes.texts.empty()) << (boxes.texts.empty() ? "" : boxes.texts[0]);
    EXPECT_EQ(doc->GetRockPathCount(), last + 1 + 10);
    EXPECT_EQ(doc->GetEndPointCount(), doc->GetRockPathCount());
}
