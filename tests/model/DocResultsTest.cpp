// The document's side of the engine's reports, the choice of a seeder for
// each rock, and the common scale of the distribution histograms.
#include "model/DocumentDependencies.h"

#include <gtest/gtest.h>

#include <cmath>

#include "ComputeTestSupport.h"
#include "res/resource.h"
#include "../framework/WindowTestSupport.h"

namespace {

class DocResultsTest : public ComputeDocTest {};

constexpr double PI = 3.14159265358979323846;

TEST_F(DocResultsTest, RotationalEnergyIsThatOfASolidRockSphere) {
    // 1000 kg at 1 rad/s: I = 2/5 m r^2 with r from the density 2100 kg/m^3.
    const double r = std::cbrt(3000.0 / (8400.0 * PI));
    EXPECT_NEAR(doc->RotationalEnergy(1000.0, 1.0), 0.2 * 1000.0 * r * r, 1e-12);
    EXPECT_NEAR(doc->RotationalEnergy(1000.0, -2.0), 4 * 0.2 * 1000.0 * r * r, 1e-12);
    EXPECT_EQ(doc->RotationalEnergy(1000.0, 0.0), 0.0);
    // Imperial: pounds in a rock of 131.09... lb/ft^3.
    doc->m_bMetric = false;
    const double rho = 2100.0 * 0.0624254795837469;
    const double ri = std::cbrt(3.0 * 50.0 / (4.0 * PI * rho));
    EXPECT_NEAR(doc->RotationalEnergy(50.0, 3.0), 0.5 * (0.4 * 50.0 * ri * ri) * 9.0, 1e-12);
}

TEST_F(DocResultsTest, LocationPassagesFillTheirLocationOnly) {
    SetTalusSlope();
    doc->PrepareResults(FALSE);
    ASSERT_EQ(doc->GetEnvelopeCount(), 5);
    auto* path = new CTalusimRockPath;
    doc->GetDatabase()->AddEntity(path, false);
    doc->SetCurrentRockPath(path);

    doc->RecordLocationPassage(15, 20, 3, 4, 10, 2, 1.5);
    doc->RecordLocationPassage(15, 18, 6, 8, 10, 2, 0.5);
    // The line under the slope and indices the arrays do not hold change nothing.
    doc->RecordLocationPassage(15, 99, 30, 40, 10, -1, 9);
    doc->RecordLocationPassage(15, 99, 30, 40, 10, 5, 9);
    doc->RecordLocationPassage(15, 99, 30, 40, 10, -7, 9);

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(doc->GetDistribution(i)->GetCount(DIST_VELOCITY), i == 2 ? 2 : 0) << i;
    const CLocationEnvelope& e = doc->GetLocationMaxima(2);
    EXPECT_EQ(e.GetMaxHeight(), 20.0);
    EXPECT_EQ(e.GetMaxVelocity(), 10.0);
    EXPECT_EQ(e.GetMaxAngularVelocity(), 1.5);
    EXPECT_DOUBLE_EQ(e.GetMaxTranslationalEnergy(), 0.5 * 10 * 100);
    EXPECT_DOUBLE_EQ(e.GetMaxRotationalEnergy(), doc->RotationalEnergy(10, 1.5));
    EXPECT_DOUBLE_EQ(e.GetMaxTotalEnergy(), std::max(0.5 * 10 * 25 + doc->RotationalEnergy(10, 1.5),
                                                     0.5 * 10 * 100 + doc->RotationalEnergy(10, 0.5)));
    CDistributionSamples* d = doc->GetDistribution(2);
    EXPECT_EQ(d->GetValue(1, DIST_BOUNCE_HEIGHT), 18.0);
    EXPECT_EQ(d->GetValue(1, DIST_VELOCITY), 10.0);
    EXPECT_EQ(d->GetRockPath(1), path);
    EXPECT_EQ(doc->GetLocationMaxima(4).GetMaxHeight(), -DBL_MAX);
}

TEST_F(DocResultsTest, AnalysisLocationsSpanTheSlopeExactlyAndFollowTheirNumber) {
    SetTalusSlope();
    struct Case {
        int n;
        std::vector<double> xs;
    } cases[] = {{2, {0, 60}}, {4, {0, 20, 40, 60}}, {7, {0, 10, 20, 30, 40, 50, 60}}, {3, {0, 30, 60}}};
    // Lowering the number leaves no stale location behind.
    for (const Case& c : cases) {
        doc->m_nLocations = c.n;
        doc->PrepareResults(FALSE);
        ASSERT_EQ(doc->GetEnvelopeCount(), c.n);
        ASSERT_EQ(doc->GetLastDistributionIndex(), c.n - 1);
        for (int i = 0; i < c.n; ++i) {
            EXPECT_DOUBLE_EQ(doc->GetLocationMaxima(i).GetLocation(), c.xs[static_cast<size_t>(i)]);
            EXPECT_NE(doc->GetLocationMaxima(i).GetSlopeHeight(), -DBL_MAX);
        }
        EXPECT_EQ(doc->GetLocationMaxima(c.n - 1).GetLocation(), 60.0);
        EXPECT_EQ(doc->GetLocationMaxima(c.n - 1).GetSlopeHeight(), 0.0);
    }
}

TEST_F(DocResultsTest, ImpactsAndEndPointsGoToTheCurrentPath) {
    SetTalusSlope();
    CTalusimBarrier* barrier = AddLine(40, 3, 40, 20, false);
    auto* path = new CTalusimRockPath;
    doc->GetDatabase()->AddEntity(path, false);
    doc->SetCurrentRockPath(path);
    doc->RecordImpact(40, 5, 3, -4, 20, 2, barrier);
    doc->RecordImpact(40, 5, 3, -4, 20, 2, barrier);  // the same hit again: one record
    doc->RecordEndPoint(55, 1);
    ASSERT_EQ(barrier->GetHitUpperBound(false), 0);
    const CBarrierHit hit = barrier->GetFirstHit();
    EXPECT_EQ(hit.GetVelocity(), 5.0);
    EXPECT_EQ(hit.GetTranslationalEnergy(), 0.5 * 20 * 25);
    EXPECT_DOUBLE_EQ(hit.GetRotationalEnergy(), doc->RotationalEnergy(20, 2));
    EXPECT_EQ(hit.GetRockPath(), path);
    EXPECT_EQ(hit.GetVx(), 3.0);
    EXPECT_EQ(hit.GetVy(), -4.0);
    ASSERT_EQ(doc->GetRockPathCount(), 1);
    EXPECT_EQ(doc->GetRockPath(0), path);
    EXPECT_EQ(doc->GetEndPoint(0).x, 55.0);
}

TEST_F(DocResultsTest, DiscStepsRecordEveryLocationTheyPassAndTheLinesTheyCross) {
    SetTalusSlope();
    doc->PrepareResults(FALSE);  // locations at 0, 15, 30, 45, 60
    CTalusimBarrier* collector = AddLine(50, 0, 50, 30, true);
    doc->GetDatabase()->ClearSet(26);
    collector->AddToSet(26);
    auto* path = new CTalusimRockPath;
    doc->GetDatabase()->AddEntity(path, false);
    doc->SetCurrentRockPath(path);
    doc->RecordDiscStep(44, 10, 3, 0, 61, 6, 5, 0, 10, 0);
    EXPECT_EQ(doc->GetLocationMaxima(2).GetMaxHeight(), -DBL_MAX);
    EXPECT_EQ(doc->GetLocationMaxima(3).GetMaxHeight(), 8.0);
    EXPECT_EQ(doc->GetLocationMaxima(3).GetMaxVelocity(), 4.0);
    // The last location is a location like the others.
    EXPECT_EQ(doc->GetLocationMaxima(4).GetMaxHeight(), 8.0);
    ASSERT_EQ(collector->GetHitUpperBound(false), 0);
    const CBarrierHit hit = collector->GetFirstHit();
    EXPECT_EQ(hit.GetX(), 50.0);
    EXPECT_NEAR(hit.GetY(), 10 - 4.0 * 6 / 17, 1e-12);
    EXPECT_EQ(hit.GetVx(), 4.0);
}

TEST_F(DocResultsTest, SeedersByLengthAreChosenInProportionToTheirLength) {
    SetTalusSlope();
    CTalusimRaker* shortSeeder = AddLineSeeder({{0, 45}, {10, 45}});
    CTalusimRaker* longSeeder = AddLineSeeder({{20, 45}, {50, 45}});
    doc->m_nSeederProbability = SEEDER_BY_LENGTH;
    SeedRandom(190274);
    int onLong = 0;
    const int draws = 2000;
    for (int i = 0; i < draws; ++i) {
        CTalusimRaker* s = doc->ChooseSeeder();
        ASSERT_TRUE(s == shortSeeder || s == longSeeder);
        if (s == longSeeder) ++onLong;
    }
    // Three in four, within five standard deviations of a binomial count.
    EXPECT_NEAR(onLong, 0.75 * draws, 5 * std::sqrt(draws * 0.75 * 0.25));
    EXPECT_EQ(doc->m_nSeederProbability, SEEDER_BY_LENGTH);
}

TEST_F(DocResultsTest, APointSeederTurnsChoiceByLengthIntoEqualChoiceOnce) {
    SetTalusSlope();
    AddPointSeeder(2, 42);
    AddLineSeeder({{20, 45}, {50, 45}});
    doc->m_nSeederProbability = SEEDER_BY_LENGTH;
    MessageBoxRecorder boxes;
    for (int i = 0; i < 5; ++i) EXPECT_NE(doc->ChooseSeeder(), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    CString expected;
    expected.LoadString(IDS_DISCRETE_SEEDER_EXISTS);
    EXPECT_EQ(boxes.texts[0], static_cast<LPCSTR>(expected));
    EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(doc->m_nSeederProbability, SEEDER_EQUAL);
}

TEST_F(DocResultsTest, EqualChoiceReachesEverySeeder) {
    SetTalusSlope();
    std::vector<CTalusimRaker*> seeders = {AddPointSeeder(1, 42), AddPointSeeder(2, 42), AddPointSeeder(3, 42)};
    doc->m_nSeederProbability = SEEDER_EQUAL;
    SeedRandom(7);
    std::vector<int> counts(3, 0);
    for (int i = 0; i < 300; ++i) {
        CTalusimRaker* s = doc->ChooseSeeder();
        const auto it = std::find(seeders.begin(), seeders.end(), s);
        ASSERT_NE(it, seeders.end());
        ++counts[static_cast<size_t>(it - seeders.begin())];
    }
    for (int c : counts) EXPECT_NEAR(c, 100, 5 * std::sqrt(300 * (1.0 / 3) * (2.0 / 3)));
}

// ---- the histogram scale ----------------------------------------------------

class HistogramScaleTest : public ComputeDocTest {
protected:
    // Two locations with slope heights 10 and 20, and the given samples
    // (height, velocity) at each.
    void Fill(const std::vector<std::pair<double, double>>& first,
              const std::vector<std::pair<double, double>>& second) {
        doc->m_locationMaxima.SetSize(2);
        doc->m_distributions.SetSize(2);
        doc->m_locationMaxima[0].SetSlopeHeight(10.0);
        doc->m_locationMaxima[1].SetSlopeHeight(20.0);
        int i = 0;
        for (const auto* samples : {&first, &second}) {
            for (const auto& s : *samples) {
                doc->m_locationMaxima[i].UpdateMaxHeight(s.first);
                doc->m_locationMaxima[i].UpdateMaxVelocities(s.second, 0.0);
                doc->m_distributions[i].AddSample(s.first, 0.0, 0.0, s.second, 0.0, nullptr);
            }
            ++i;
        }
    }
};

TEST_F(HistogramScaleTest, NothingComputedGivesAnEmptyScale) {
    double maxValue = -1, maxCount = -1;
    doc->ComputeHistogramMaxCount(DIST_VELOCITY, 5, maxValue, maxCount);
    EXPECT_EQ(maxValue, 0.0);
    EXPECT_EQ(maxCount, 0.0);
    Fill({}, {});
    EXPECT_EQ(doc->GetDistributionMaximum(DIST_BOUNCE_HEIGHT), 0.0);
    doc->ComputeHistogramMaxCount(DIST_BOUNCE_HEIGHT, 5, maxValue, maxCount);
    EXPECT_EQ(maxCount, 0.0);
}

TEST_F(HistogramScaleTest, MaximaAndBinCountsByCase) {
    struct Case {
        const char* name;
        std::vector<std::pair<double, double>> first, second;
        int kind, bins;
        double maxValue, maxCount;
    };
    const double justBelow10 = std::nextafter(10.0, 0.0);
    const Case cases[] = {
        // Velocities 0..10 in 5 bins of 2: the maximum itself is in the last bin.
        {"velocity, values on bin edges", {{10, 2}, {10, 4}, {10, 10}}, {{20, 10}, {20, 9.99}}, DIST_VELOCITY, 5, 10, 2},
        {"velocity, one bin crowded", {{10, 0}, {10, 1.99}, {10, 1}}, {{20, 10}}, DIST_VELOCITY, 5, 10, 3},
        {"velocity just below the maximum", {{10, justBelow10}, {10, 10}}, {}, DIST_VELOCITY, 3, 10, 2},
        // Bounce heights are measured from the slope at each location.
        {"bounce height", {{14, 0}, {12, 0}}, {{25, 0}, {21, 0}}, DIST_BOUNCE_HEIGHT, 5, 5, 1},
        {"bounce height below the slope counts in the first bin", {{14, 0}, {9, 0}, {10.5, 0}}, {}, DIST_BOUNCE_HEIGHT, 4,
         4, 2},
        {"an unknown kind", {{14, 3}}, {}, 2999, 5, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewDocument();
        Fill(c.first, c.second);
        EXPECT_DOUBLE_EQ(doc->GetDistributionMaximum(c.kind), c.maxValue);
        double maxValue = -1, maxCount = -1;
        doc->ComputeHistogramMaxCount(c.kind, c.bins, maxValue, maxCount);
        EXPECT_DOUBLE_EQ(maxValue, c.maxValue);
        EXPECT_EQ(maxCount, c.maxCount);
    }
}

TEST_F(HistogramScaleTest, NoBinsGivesNoCounts) {
    Fill({{10, 3}}, {});
    double maxValue = -1, maxCount = -1;
    doc->ComputeHistogramMaxCount(DIST_VELOCITY, 0, maxValue, maxCount);
    EXPECT_EQ(maxValue, 3.0);
    EXPECT_EQ(maxCount, 0.0);
}

}  // namespace

