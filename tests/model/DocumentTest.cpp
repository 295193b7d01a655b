// A new document's contents, its modes with their prompts and their leave and
// enter actions, and the transient pan.
#include "DocumentFixture.h"

#include "model/InteractionModes.h"

TEST(Document, ANewDocumentHoldsTheDefaultModel)
{
    auto doc = NewDocument();
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_EQ(materials.size(), 6u);
    const struct { const char* name; int group; COLORREF colour; double rn, rt; } expected[] = {
        {"Clean hard bedrock [default]", 2117, RGB(128, 128, 128), 0.53, 0.99},
        {"Asphalt [default]", 2118, RGB(0, 0, 0), 0.40, 0.90},
        {"Bedrock outcrops [default]", 2119, RGB(192, 192, 192), 0.35, 0.85},
        {"Talus Cover [default]", 2120, RGB(160, 160, 164), 0.32, 0.82},
        {"Talus with vegetation [default]", 2121, RGB(192, 220, 192), 0.32, 0.80},
        {"Soil with vegetation [default]", 2122, RGB(0, 255, 0), 0.30, 0.80},
    };
    for (size_t i = 0; i < 6; ++i) {
        CTalusimSlopeType* m = materials[i];
        EXPECT_STREQ(m->GetName(), expected[i].name);
        EXPECT_EQ(m->GetGroupId(), expected[i].group);
        EXPECT_EQ(m->GetColour(), expected[i].colour);
        EXPECT_EQ(m->GetRnMean(), expected[i].rn);
        EXPECT_EQ(m->GetRtMean(), expected[i].rt);
        EXPECT_EQ(m->GetRnStdDev(), 0.04);
        EXPECT_EQ(m->GetRtStdDev(), 0.04);
        EXPECT_EQ(m->GetFrictionAngleMean(), 30.0);
        EXPECT_EQ(m->GetFrictionAngleStdDev(), 2.0);
        EXPECT_TRUE(m->HasDefaultValues());
    }
    EXPECT_EQ(doc->GetFirstMaterial(), materials[0]);

    ASSERT_NE(doc->GetSlope(), nullptr);
    EXPECT_FALSE(doc->GetSlope()->IsVisible());
    EXPECT_EQ(doc->GetSlope()->GetVertexCount(), 0);
    ASSERT_NE(doc->GetReferencePoint(), nullptr);
    EXPECT_FALSE(doc->GetReferencePoint()->IsVisible());
    EXPECT_EQ(doc->GetReferencePoint()->GetX(), 15.0);
    EXPECT_EQ(doc->GetReferencePoint()->GetY(), 2.0);
    ASSERT_NE(doc->GetMarkerLine(), nullptr);
    EXPECT_FALSE(doc->GetMarkerLine()->IsVisible());
    ASSERT_NE(doc->GetRulers(), nullptr);
    EXPECT_EQ(doc->GetRulers()->GetCategoryId(), CAT_RULERS);
    EXPECT_NE(doc->GetEngine(), nullptr);
    EXPECT_EQ(doc->GetRockCount(), 50);
    EXPECT_EQ(doc->GetLocationCount(), 51);
    EXPECT_EQ(doc->GetMinimumVelocity(), 0.1);
    EXPECT_EQ(doc->GetSeederProbability(), 2149);
    EXPECT_EQ(doc->GetRandomMode(), 3350);
    EXPECT_EQ(doc->GetRandomSeed(), 190274);
    EXPECT_EQ(doc->GetMode(), 2108);
    EXPECT_TRUE(doc->IsMetric());
    EXPECT_EQ(doc->GetPathColour(), RGB(255, 0, 0));
    EXPECT_EQ(doc->GetFilteredPathColour(), RGB(0, 255, 255));
    EXPECT_FALSE(doc->IsModified());
}

TEST(Document, MarkerLineShowsBetweenTwoPointsAndHides)
{
    auto doc = NewDocument();
    doc->ShowMarkerLine(CVector2D(10, 5), CVector2D(10, 0));
    EXPECT_TRUE(doc->GetMarkerLine()->IsVisible());
    EXPECT_EQ(doc->GetMarkerLine()->GetStartPoint().y, 5.0);
    EXPECT_EQ(doc->GetMarkerLine()->GetEndPoint().y, 0.0);
    doc->HideMarkerLine();
    EXPECT_FALSE(doc->GetMarkerLine()->IsVisible());
}

TEST(DocumentModes, AskingForTheActiveModeSwitchesItOff)
{
    auto doc = NewDocument();
    EXPECT_EQ(doc->SetMode(2108), 2108);
    EXPECT_EQ(doc->SetMode(2146), 2146);
    EXPECT_STREQ(doc->GetPromptText(), "Select the initial position for the rock [ esc=cancel ]");
    EXPECT_EQ(doc->GetReferencePoint()->GetColour(), RGB(0, 0, 255));
    EXPECT_EQ(doc->SetMode(2146), 2108);
    EXPECT_EQ(doc->GetReferencePoint()->GetColour(), RGB(128, 0, 0));
    EXPECT_STREQ(doc->GetPromptText(), "\t");
}

TEST(DocumentModes, NavigationModesKeepThePreviousMode)
{
    auto doc = NewDocument();
    doc->SetMode(2126);
    doc->SetMode(44);
    EXPECT_EQ(doc->GetPreviousMode(), 2126);
    doc->SetMode(43);  // from a navigation mode: the previous mode stays
    EXPECT_EQ(doc->GetPreviousMode(), 2126);
    EXPECT_EQ(doc->SetMode(2116), 2126);
    EXPECT_EQ(doc->GetPreviousMode(), 43);
}

TEST(DocumentModes, NextStageRequestsWalkTheToolStages)
{
    auto doc = NewDocument();
    doc->SetMode(3222);
    EXPECT_EQ(doc->SetMode(2117), 3223);
    EXPECT_EQ(doc->SetMode(2117), 2108);
    EXPECT_EQ(doc->SetMode(2501), 2501);
    EXPECT_TRUE(doc->IsMode(2502));
    EXPECT_EQ(doc->SetMode(2117), 2502);
    EXPECT_TRUE(doc->IsMode(2501));
}

TEST(DocumentModes, TransientPanOnlyFromEditingModes)
{
    auto doc = NewDocument();
    for (int mode : {2108, 3217}) {
        doc->SetMode(mode);
        EXPECT_EQ(doc->BeginTransientMode(44), mode);
        EXPECT_FALSE(doc->HasTransientMode());
        // The release of the middle button after a refused pan changes nothing.
        EXPECT_EQ(doc->EndTransientMode(), mode);
    }
    doc->SetMode(2126);
    const int previous = doc->GetPreviousMode();
    EXPECT_EQ(doc->BeginTransientMode(44), 44);
    EXPECT_TRUE(doc->HasTransientMode());
    EXPECT_EQ(doc->GetPreviousMode(), previous);
    EXPECT_EQ(doc->EndTransientMode(), 2126);
    EXPECT_FALSE(doc->HasTransientMode());
}

TEST(DocumentModes, LeavingTheMoveTargetForTheBasePointUndoesTheMove)
{
    auto doc = NewDocument();
    CTalusimSlope* slope = doc->GetSlope();
    doc->AppendSlopeVertex(0, 10);
    doc->AppendSlopeVertex(10, 5);
    doc->AppendSlopeVertex(20, 0);
    doc->SetMode(2111);
    doc->SetMode(2112);
    doc->BackupSlopeVertices();
    doc->SetMode(2113);
    slope->SetVertexPoint(1, 12, 7);
    doc->SetMode(2112);
    EXPECT_EQ(slope->GetVertexPoint(1).x, 10.0);
    EXPECT_EQ(slope->GetVertexPoint(1).y, 5.0);
}

TEST(DocumentModes, EndingDefineSlopeDropsTheRubberBandVertex)
{
    auto doc = NewDocument();
    CTalusimSlope* slope = doc->GetSlope();
    doc->BeginDefineSlope();
    ASSERT_EQ(doc->GetMode(), 2126);
    doc->AppendSlopeVertex(0, 10);
    doc->AppendSlopeVertex(10, 5);
    doc->AppendSlopeVertex(10, 5);  // the rubber band
    doc->SetMode(2108);
    EXPECT_EQ(slope->GetVertexCount(), 2);
    EXPECT_TRUE(slope->IsVisible());
    EXPECT_TRUE(doc->IsModified());

    // One fixed vertex and the rubber band are no slope.
    doc->BeginDefineSlope();
    doc->DeleteSlope();
    doc->AppendSlopeVertex(0, 10);
    doc->AppendSlopeVertex(3, 3);
    doc->SetMode(2108);
    EXPECT_EQ(slope->GetVertexCount(), 0);
    EXPECT_FALSE(slope->IsVisible());
}

TEST(DocumentModes, AssignMaterialSavesTheSegmentMaterials)
{
    auto doc = NewDocument();
    doc->AppendSlopeVertex(0, 10);
    doc->AppendSlopeVertex(10, 5);
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    doc->SetMode(2172);
    doc->GetSlope()->SetSegmentMaterial(1, materials[3]);
    doc->RestoreSegmentMaterials();
    EXPECT_EQ(doc->GetSlope()->GetSegmentMaterial(1), materials[0]);
}

