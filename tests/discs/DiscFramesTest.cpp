// The frames Throw Discs keeps for the player: the first step shows where
// every disc started, the last step where it came to rest, each step's time
// is the time of its frame, and a cap on the states thins the frames evenly
// while keeping every disc's first and last state and its exact end point.
#include "tests/model/DocumentFixture.h"

#include <algorithm>
#include <string>
#include "discs/DiscEnt.h"
#include "discs/DiscServices.h"
#include "discs/ThrowDiscs.h"

namespace {

struct DiscFramesTest : ::testing::Test {
    void SetUp() override
    {
        InstallDiscServices();
        doc = NewDocument();
        CTalusimSlopeType* rock = doc->GetFirstMaterial();
        for (auto [x, y] : {std::pair{0.0, 10.0}, {6.0, 6.0}, {14.0, 4.0}, {30.0, 3.5}})
            doc->GetSlope()->AddVertexWithMaterial(x, y, rock);
        // No spread: every run of the same document throws the same discs.
        for (auto [x, y] : {std::pair{0.5, 10.6}, {3.5, 9.5}}) {
            auto* s = new CTalusimRaker;
            s->AddPoint(x, y);
            s->SetGroupId(GROUP_POINT_SEEDER);
            s->SetCategoryId(CAT_PLACED);
            s->SetMass(20, 0);
            s->SetRadius(0.7, 0);
            s->SetVelocity(1.5, 0.0, 0.0, 0.0);
            s->SetAngularVelocity(0.0, 0.0);
            doc->GetDatabase()->AddEntity(s, false);
        }
        collector = new CTalusimBarrier;
        collector->SetPoints(0.9, 6, 0.9, 12);
        collector->SetGroupId(GROUP_COLLECTOR);
        collector->SetCategoryId(CAT_PLACED);
        doc->GetDatabase()->AddEntity(collector, false);
        doc->m_nRocks = 2;
        doc->GetDiscParameters().SetEndTime(0.3);
    }
    CDiscEnt& Throw(bool independent, size_t cap = kMaxThrowStates)
    {
        doc->ClearRockPaths();
        doc->GetDiscParameters().SetIndependent(independent);
        MessageBoxRecorder boxes;
        std::string error;
        EXPECT_TRUE(ThrowDiscs(doc.get(), &error, cap)) << error;
        // A run this short ends with the discs still rolling: the report of
        // that is the only thing it may say.
        for (const std::string& message : boxes.messages)
            EXPECT_EQ(message.rfind("Discs still moving when the time to finish", 0), 0u) << message;
        auto* results = dynamic_cast<CDiscEnt*>(doc->GetDiscEntity());
        EXPECT_NE(results, nullptr);
        return *results;
    }
    int LastStep()
    {
        int first = -1, current = 0, mode = 0;
        double end = 0;
        const int last = doc->GetDiscPlayback(first, current, end, mode);
        EXPECT_EQ(first, 0);
        EXPECT_EQ(end, doc->GetDiscStepTime(last));
        return last;
    }
    std::unique_ptr<CTalusimDoc> doc;
    CTalusimBarrier* collector = nullptr;
};

const double kSeederX[] = {0.5, 3.5};

// The same state, whatever frame it stands on.
bool SameState(const CDiscStateRecord& a, const CDiscStateRecord& b)
{
    return a.x == b.x && a.y == b.y && a.angle == b.angle && a.radius == b.radius && a.vx == b.vx && a.vy == b.vy
           && a.ax == b.ax && a.ay == b.ay && a.mass == b.mass;
}

}  // namespace

// Two throws of two seeders, independent (both throws start at time 0) and
// dependent (the second throw starts when the first ends, at 0.3 s).
TEST_F(DiscFramesTest, TheFirstStepShowsTheStartAndTheLastTheRestingStateOfEveryDisc)
{
    for (const bool independent : {true, false}) {
        SCOPED_TRACE(independent ? "independent" : "dependent");
        CDiscEnt& results = Throw(independent);
        const int last = LastStep();
        EXPECT_EQ(last, doc->GetDiscParameters().GetFrameCount() - 1);
        EXPECT_EQ(last, results.GetFrameCount() - 1);
        EXPECT_DOUBLE_EQ(doc->GetDiscStepTime(last), independent ? 0.3 : 0.6);
        ASSERT_EQ(results.GetTrackCount(), 5);
        ASSERT_EQ(doc->GetEndPointCount(), 4);
        const double perFrame = results.GetFrameSeconds();
        ASSERT_GT(perFrame, 0.0);
        for (int k : {1, 7, last - 1})
            EXPECT_DOUBLE_EQ(doc->GetDiscStepTime(k), k * perFrame) << k;
        for (int t = 1; t <= 4; ++t) {
            const auto& track = results.GetTrack(t);
            ASSERT_FALSE(track.empty()) << t;
            // Thrown where its seeder stands, at the start of its throw.
            const bool secondThrow = t > 2;
            EXPECT_EQ(track.front().x, kSeederX[(t - 1) % 2]) << t;
            const double thrown = secondThrow && !independent ? 0.3 : 0.0;
            EXPECT_LE(doc->GetDiscStepTime(track.front().step), thrown) << t;
            EXPECT_GT(doc->GetDiscStepTime(track.front().step) + perFrame, thrown) << t;
            // From then on, a state at every step up to the last, which is
            // where the disc's end point is.
            for (size_t i = 1; i < track.size(); ++i)
                ASSERT_EQ(track[i].step, track[i - 1].step + 1) << t;
            EXPECT_EQ(track.back().step, last) << t;
            const CVector2D end = doc->GetEndPoint(t - 1);
            EXPECT_EQ(track.back().x, end.x) << t;
            EXPECT_EQ(track.back().y, end.y) << t;
        }
        if (independent) {
            // Frame 0 shows all four discs at their seeders.
            for (int t = 1; t <= 4; ++t)
                EXPECT_EQ(results.GetTrack(t).front().step, 0) << t;
        }
    }
}

// A cap far below what the run makes: the frames left are every 2^n-th of
// the frames of the run without a cap, state for state, and the first and
// last states, the end points and the collector hits are those of that run.
TEST_F(DiscFramesTest, ACapOnTheStatesThinsTheFramesEvenlyAndKeepsFirstLastAndEndPoints)
{
    for (const bool independent : {true, false}) {
        SCOPED_TRACE(independent ? "independent" : "dependent");
        CDiscEnt& full = Throw(independent);
        std::vector<std::vector<CDiscStateRecord>> tracks;
        for (int t = 0; t < full.GetTrackCount(); ++t)
            tracks.push_back(full.GetTrack(t));
        const double perFrame = full.GetFrameSeconds();
        const int fullLast = LastStep();
        std::vector<CVector2D> ends;
        for (int i = 0; i < doc->GetEndPointCount(); ++i)
            ends.push_back(doc->GetEndPoint(i));
        const int hits = collector->GetHitUpperBound(false);

        constexpr size_t cap = 60;
        CDiscEnt& thin = Throw(independent, cap);
        EXPECT_LE(thin.GetStateCount(), cap + 4);
        const int last = LastStep();
        EXPECT_LT(last, fullLast / 4);
        EXPECT_EQ(doc->GetDiscStepTime(last), doc->GetDiscParameters().GetEndTime() * (independent ? 1 : 2));
        const double ratio = thin.GetFrameSeconds() / perFrame;
        const int every = static_cast<int>(ratio);
        EXPECT_EQ(ratio, every);
        EXPECT_EQ(every & (every - 1), 0) << every;
        ASSERT_EQ(thin.GetTrackCount(), static_cast<int>(tracks.size()));
        for (int t = 1; t < thin.GetTrackCount(); ++t) {
            const auto& track = thin.GetTrack(t);
            const auto& before = tracks[static_cast<size_t>(t)];
            ASSERT_GE(track.size(), 2u) << t;
            EXPECT_TRUE(SameState(track.front(), before.front())) << t;
            EXPECT_TRUE(SameState(track.back(), before.back())) << t;
            EXPECT_EQ(track.back().step, last) << t;
            for (size_t i = 1; i + 1 < track.size(); ++i) {
                const int frame = track[i].step * every;
                const auto same = std::find_if(before.begin(), before.end(),
                                               [frame](const CDiscStateRecord& s) { return s.step == frame; });
                ASSERT_NE(same, before.end()) << t << " " << i;
                EXPECT_TRUE(SameState(track[i], *same)) << t << " " << i;
            }
        }
        ASSERT_EQ(doc->GetEndPointCount(), static_cast<int>(ends.size()));
        for (size_t i = 0; i < ends.size(); ++i) {
            EXPECT_EQ(doc->GetEndPoint(static_cast<int>(i)).x, ends[i].x) << i;
            EXPECT_EQ(doc->GetEndPoint(static_cast<int>(i)).y, ends[i].y) << i;
        }
        EXPECT_EQ(collector->GetHitUpperBound(false), hits);
    }
}
