// Discs in the document's units: a document in feet and pounds and its
// metric twin (the same slope, seeders and rocks, converted) throw discs
// that end at the same place, and both Throw Discs and New DEM Simulation
// fall with the gravity Compute uses in those units.
#include "tests/discs/ThrowDiscsFixture.h"

namespace {

constexpr double kFeetPerMetre = 1.0 / 0.3048;
constexpr double kPoundsPerKilogram = 1.0 / 0.45359237;

}  // namespace

TEST_F(ThrowDiscsTest, AFootPoundDocumentThrowsDiscsLikeItsMetricTwin)
{
    struct Twin {
        bool metric;
        double length, mass, gravity;   // a metre and a kilogram in the document's units, and its gravity
        CVector2D valley, falling;      // where the two discs ended, in metres
    };
    Twin twins[] = {{true, 1.0, 1.0, 9.81, {}, {}}, {false, kFeetPerMetre, kPoundsPerKilogram, 32.0, {}, {}}};
    const double endTime = 5, top = 200;
    for (Twin& t : twins) {
        SCOPED_TRACE(t.metric ? "metric" : "feet and pounds");
        Fresh();
        doc->SetMetric(t.metric);
        doc->m_dMinimumVelocity = 0.1 * t.length;
        const double L = t.length;
        for (const auto& p : {std::pair{0.0, 4.0}, {5.0, 0.0}, {10.0, 4.0}})
            doc->GetSlope()->AddVertexWithMaterial(p.first * L, p.second * L, dull);
        Seeder(1.5 * L, 4.5 * L, 0.0, kMass * t.mass);   // lands on a face and settles in the valley
        Seeder(8 * L, top * L, 0.0, kMass * t.mass);     // still falling at the end
        doc->GetDiscParameters().SetEndTime(endTime);
        MessageBoxRecorder boxes;
        std::string error;
        ASSERT_TRUE(ThrowDiscs(doc.get(), &error)) << error;
        ASSERT_EQ(doc->GetEndPointCount(), 2);
        t.valley = CVector2D(doc->GetEndPoint(0).x / L, doc->GetEndPoint(0).y / L);
        t.falling = CVector2D(doc->GetEndPoint(1).x / L, doc->GetEndPoint(1).y / L);
        // A free fall in the document's units.
        EXPECT_NEAR(doc->GetEndPoint(1).y, top * L - t.gravity * endTime * endTime / 2, 0.01 * L);
        // A disc of the rock's density: a metre and a kilogram converted
        // (the density in pounds per cubic foot is Compute's, good to 4e-5).
        auto* results = dynamic_cast<CDiscEnt*>(doc->GetDiscEntity());
        ASSERT_NE(results, nullptr);
        EXPECT_NEAR(results->GetTrack(1).front().radius, r * L, 1e-4 * r * L);
    }
    EXPECT_NEAR(twins[1].valley.x, twins[0].valley.x, 0.02 * r);
    EXPECT_NEAR(twins[1].valley.y, twins[0].valley.y, 0.02 * r);
}

TEST_F(ThrowDiscsTest, NewDemSimulationFallsWithTheDocumentsGravity)
{
    for (const bool metric : {true, false}) {
        SCOPED_TRACE(metric);
        Fresh();
        doc->SetMetric(metric);
        Seeder(5, 100);
        doc->GetDiscParameters().SetEndTime(1.0);
        MessageBoxRecorder boxes;
        RunDemSimulation(doc.get());
        auto* results = dynamic_cast<CDiscEnt*>(doc->GetDiscEntity());
        ASSERT_NE(results, nullptr);
        const auto& track = results->GetTrack(1);
        ASSERT_GT(track.size(), 50u);
        const double g = metric ? 9.81 : 32.0;
        EXPECT_NEAR(track[50].vy, -g * 0.5, 1e-9);
    }
}
