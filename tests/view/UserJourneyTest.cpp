// The whole journey of a new user: a slope drawn with the mouse, a seeder
// placed with a click, Compute, the rock paths in the document, save, reopen.
#include "tests/view/SlopeViewTestSupport.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include "model/InteractionModes.h"
#include "model/SlopeViewServices.h"

namespace {

// The Define Initial Conditions dialog as the user fills it for the seeder.
struct SeederConditions : CSlopeViewServices {
    INT_PTR RunInitialConditions(CInitialConditionsData& d) override
    {
        d.massMean = 500.0;
        d.massStdDev = 50.0;
        d.vxMean = 1.0;
        d.vxStdDev = 0.2;
        d.radiusMean = 0.5;
        d.radiusStdDev = 0.05;
        return IDOK;
    }
};

std::string TempPath(const char* name)
{
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

}  // namespace

TEST_F(SlopeViewTest, DrawPlaceComputeSaveAndReopen)
{
    ViewMessageBoxes boxes;
    // A steep face over a gentler run-out: (5, 35), (15, 33), (25, 10), (55, 5).
    DrawSlope({{50, 50}, {150, 70}, {250, 300}, {550, 350}});
    ASSERT_EQ(SlopeVertices().size(), 4u);

    SeederConditions conditions;
    CSlopeViewServices* previous = InstallSlopeViewServices(&conditions);
    doc->SetMode(MODE_ADD_POINT_SEEDER);
    Click(140, 50);  // (14, 35), above the top of the face
    InstallSlopeViewServices(previous);
    doc->SetMode(MODE_IDLE);
    ASSERT_EQ(CollectAs<CTalusimRaker>(*doc->GetDatabase(), CAT_PLACED, KIND_SEEDER, GROUP_POINT_SEEDER).size(), 1u);

    doc->SetRockCount(20);
    doc->RunSimulation(FALSE);
    EXPECT_EQ(doc->GetRockPathCount(), 20);
    EXPECT_TRUE(boxes.texts.empty()) << (boxes.texts.empty() ? "" : boxes.texts[0]);

    const std::string path = TempPath("clastor-journey.cla");
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    CTalusimDoc reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(path.c_str()));
    EXPECT_EQ(reopened.GetRockPathCount(), 20);
    ASSERT_NE(reopened.GetSlope(), nullptr);
    EXPECT_EQ(reopened.GetSlope()->GetVertexCount(), 4);
    ::DeleteFileA(path.c_str());
}

