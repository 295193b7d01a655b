// The sample documents in examples/ are what the program writes for two small
// models built through the document's own commands. Each test builds its
// model, saves it and compares the file with the sample, so the samples stay
// current; with CLASTOR_WRITE_EXAMPLES set in the environment the tests write
// the samples instead.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <cstdlib>
#include "model/SlopeViewServices.h"

namespace {

std::string ExamplePath(const char* name)
{
    return std::string(CLASTOR_TEST_DATA) + "/../../examples/" + name;
}

// The Define Initial Conditions dialog as a user fills it for a seeder.
struct SeederConditions : CSlopeViewServices {
    CInitialConditionsData values;
    INT_PTR RunInitialConditions(CInitialConditionsData& d) override
    {
        values.massUnit = d.massUnit;
        values.velocityUnit = d.velocityUnit;
        values.considerAngularVelocity = d.considerAngularVelocity;
        d = values;
        return IDOK;
    }
};

void DefineSlope(CTalusimDoc& doc, const std::vector<CVector2D>& points)
{
    doc.BeginDefineSlope();
    for (const CVector2D& p : points) {
        ASSERT_TRUE(doc.CanAppendSlopeVertex(p.x, p.y)) << p.x << "," << p.y;
        doc.TrackSlopeVertex(p.x, p.y);
        doc.AppendSlopeVertex(p.x, p.y);
    }
    doc.SetMode(2108);
}

CTalusimSlopeType* Material(CTalusimDoc& doc, const char* name)
{
    for (auto* m : EntitiesOf<CTalusimSlopeType>(doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        if (m->GetName() == name)
            return m;
    return nullptr;
}

void CheckOrWrite(CTalusimDoc& doc, const char* name)
{
    const std::string sample = ExamplePath(name);
    if (std::getenv("CLASTOR_WRITE_EXAMPLES")) {
        ASSERT_TRUE(doc.OnSaveDocument(sample.c_str()));
        return;
    }
    const std::string written = TestFolder() + name;
    ASSERT_TRUE(doc.OnSaveDocument(written.c_str()));
    EXPECT_EQ(ReadTextFile(written), ReadTextFile(sample)) << name;
    // And the sample opens as it is.
    MessageBoxRecorder boxes;
    auto opened = std::make_unique<CTalusimDoc>();
    EXPECT_TRUE(opened->OnOpenDocument(sample.c_str())) << name;
    EXPECT_TRUE(boxes.messages.empty());
}

}  // namespace

TEST(Examples, CliffOverATalusSlopeWithOnePointSeeder)
{
    SeederConditions dialogs;
    dialogs.values.massMean = 500.0;
    dialogs.values.massStdDev = 50.0;
    dialogs.values.vxMean = 1.0;
    dialogs.values.vxStdDev = 0.2;
    dialogs.values.radiusMean = 0.5;
    dialogs.values.radiusStdDev = 0.05;
    InstallSlopeViewServices(&dialogs);
    auto doc = NewDocument();
    DefineSlope(*doc, {{0, 60}, {10, 60}, {14, 20}, {40, 9}, {70, 2}, {100, 0}});
    CTalusimSlope* slope = doc->GetSlope();
    slope->SetSegmentMaterial(2, Material(*doc, "Clean hard bedrock [default]"));
    slope->SetSegmentMaterial(3, Material(*doc, "Talus Cover [default]"));
    slope->SetSegmentMaterial(4, Material(*doc, "Talus with vegetation [default]"));
    slope->SetSegmentMaterial(5, Material(*doc, "Soil with vegetation [default]"));
    doc->SetMode(2146);
    doc->AddPointSeederAt(10.5, 60.5);  // just past the crest, so that rocks fall down the face
    InstallSlopeViewServices(nullptr);
    ASSERT_EQ(EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, GROUP_POINT_SEEDER).size(), 1u);
    CheckOrWrite(*doc, "cliff-and-talus.cla");
}

TEST(Examples, LineSeederBarrierAndTwoCollectors)
{
    SeederConditions dialogs;
    dialogs.values.massMean = 200.0;
    dialogs.values.massStdDev = 40.0;
    dialogs.values.vxMean = 0.5;
    dialogs.values.vxStdDev = 0.25;
    dialogs.values.radiusMean = 0.35;
    InstallSlopeViewServices(&dialogs);
    auto doc = NewDocument();
    DefineSlope(*doc, {{0, 40}, {20, 31}, {50, 13}, {80, 5}, {110, 0}});
    CTalusimSlope* slope = doc->GetSlope();
    slope->SetSegmentMaterial(2, Material(*doc, "Bedrock outcrops [default]"));
    slope->SetSegmentMaterial(3, Material(*doc, "Talus Cover [default]"));
    slope->SetSegmentMaterial(4, Material(*doc, "Soil with vegetation [default]"));

    doc->OnAddLineSeeder();
    doc->TrackLineSeederStart(2, 40);
    doc->AddLineSeederVertex(16, 33.5);
    doc->AddLineSeederVertex(16, 33.5);  // the rubber band
    doc->FinishLineSeeder();
    doc->SetMode(2108);
    InstallSlopeViewServices(nullptr);

    doc->OnAddBarrier();
    doc->TrackBarrierStart(65, 9.05);
    ASSERT_TRUE(doc->CanPlaceBarrierAt(65, 13));
    doc->TrackBarrierEnd(65, 13);
    doc->PlacePendingBarrier();
    doc->SetMode(2108);
    for (double x : {40.0, 95.0}) {
        doc->OnAddDataCollector();
        doc->TrackCollectorStart(x, x < 50 ? 19.0 : 2.5);  // on the slope
        doc->TrackCollectorEnd(x, x < 50 ? 34.0 : 17.5);
        doc->PlacePendingCollector();
        doc->SetMode(2108);
    }
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    barriers[0]->SetInfiniteCapacity(false);
    barriers[0]->SetCapacity(500000.0);
    EXPECT_EQ(EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR).size(), 2u);
    ASSERT_EQ(EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, GROUP_LINE_SEEDER).size(), 1u);
    CheckOrWrite(*doc, "line-seeder-barrier-collectors.cla");
}

