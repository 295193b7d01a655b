// The document file: a hand-written file read value by value, a round trip of
// a full model field by field, bad files that are refused with the reader's
// message and leave nothing behind, and saves that never damage the old file.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include "formats/DocumentTextFile.h"

namespace {

const char kInvalid[] = "Unable to read file\n(invalid section header)";

CPolyVertex Vertex(double x, double y, double sx, double sy)
{
    CPolyVertex v;
    v.x = x;
    v.y = y;
    v.auxA = sx;
    v.auxB = sy;
    return v;
}

std::unique_ptr<CTalusimDoc> OpenDocument(const std::string& path)
{
    auto doc = std::make_unique<CTalusimDoc>();
    if (!doc->OnOpenDocument(path.c_str()))
        return nullptr;
    return doc;
}

}  // namespace

TEST(TextFormat, AHandWrittenFileReadsValueByValue)
{
    MessageBoxRecorder boxes;
    auto doc = OpenDocument(FixturePath("hand-written.cla"));
    ASSERT_TRUE(doc) << (boxes.messages.empty() ? "" : boxes.messages[0]);
    EXPECT_TRUE(boxes.messages.empty());

    auto seeders = EntitiesOf<CTalusimRaker>(*doc, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
    ASSERT_EQ(seeders.size(), 1u);
    double vx, vy, vxSd, vySd, m, mSd, r, rSd;
    seeders[0]->GetVelocity(vx, vy, vxSd, vySd);
    seeders[0]->GetMass(m, mSd);
    seeders[0]->GetRadius(r, rSd);
    EXPECT_EQ(vx, 1.5);
    EXPECT_EQ(vxSd, 0.25);
    EXPECT_EQ(vy, -2.0);
    EXPECT_EQ(m, 10.0);
    EXPECT_EQ(mSd, 1e-5);  // written with the original program's three-digit exponent
    EXPECT_EQ(r, 0.25);
    EXPECT_EQ(seeders[0]->GetGroupId(), GROUP_POINT_SEEDER);

    // The built-in material of the same name was updated; the other is new.
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_EQ(materials.size(), 7u);
    EXPECT_EQ(materials[0]->GetRnMean(), 0.5);
    EXPECT_EQ(materials[0]->GetColour(), RGB(100, 110, 120));
    EXPECT_EQ(materials[0]->GetRoughnessStdDev(), 4.0);
    EXPECT_STREQ(materials[6]->GetName(), "Wet clay");
    EXPECT_EQ(materials[6]->GetFrictionAngleMean(), 25.0);

    CTalusimSlope* slope = doc->GetSlope();
    ASSERT_NE(slope, nullptr);
    ASSERT_EQ(slope->GetVertexCount(), 3);
    EXPECT_TRUE(slope->IsVisible());
    EXPECT_EQ(slope->GetVertex(1).auxA, 0.5);
    EXPECT_EQ(slope->GetVertex(1).auxB, 0.25);
    EXPECT_EQ(slope->GetVertexPoint(2).x, 30.0);
    EXPECT_EQ(slope->GetSegmentMaterial(1), materials[6]);
    EXPECT_EQ(slope->GetSegmentMaterial(2), materials[0]);

    EXPECT_EQ(slope->GetFillColour(), RGB(160, 82, 45));
    EXPECT_TRUE(slope->IsFilled());
    EXPECT_FALSE(slope->IsHatched());
    EXPECT_EQ(slope->GetHatchStyle(), 2);
    EXPECT_EQ(slope->GetFillLength(), 0.5);
    EXPECT_EQ(doc->GetRandomMode(), 3352);
    EXPECT_EQ(doc->GetRandomSeed(), 12345);
    EXPECT_EQ(doc->GetFrictionAngleMode(), 1);
    EXPECT_FALSE(doc->IsMetric());
    double k = 0;
    EXPECT_TRUE(doc->GetScaleRnByVelocity(k));
    EXPECT_EQ(k, 9.144);
    EXPECT_EQ(doc->GetRockCount(), 200);
    EXPECT_EQ(doc->GetLocationCount(), 11);
    EXPECT_EQ(doc->GetMinimumVelocity(), 0.01);

    auto paths = EntitiesOf<CTalusimRockPath>(*doc, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
    ASSERT_EQ(paths.size(), 1u);
    ASSERT_EQ(paths[0]->GetSegmentUpperBound(), 1);
    EXPECT_FALSE(paths[0]->GetSegment(0)->IsStraight());
    EXPECT_TRUE(paths[0]->GetSegment(1)->IsStraight());
    EXPECT_EQ(paths[0]->GetLastPoint().x, 30.0);

    auto collectors = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    ASSERT_EQ(collectors.size(), 1u);  // version 01: no hit list
    EXPECT_EQ(collectors[0]->GetEndPoint().y, 8.0);
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    EXPECT_STREQ(barriers[0]->GetName(), "Fence");
    EXPECT_EQ(barriers[0]->GetElasticity(), ELASTICITY_CUSTOM);
    EXPECT_EQ(barriers[0]->GetCapacity(), 1500.0);
    EXPECT_FALSE(barriers[0]->HasInfiniteCapacity());
    EXPECT_EQ(barriers[0]->GetRtStdDev(), 0.03);
    EXPECT_EQ(barriers[0]->GetColour(), RGB(0, 128, 0));
    CArray<CBarrierHit, const CBarrierHit&> hits;
    barriers[0]->CopyHits(hits);
    ASSERT_EQ(hits.GetSize(), 1);
    EXPECT_EQ(hits[0].GetY(), 6.5);
    EXPECT_EQ(hits[0].GetRockPath(), paths[0]);

    ASSERT_EQ(doc->GetEndPointCount(), 1);
    bool passes = true;
    EXPECT_EQ(doc->GetFirstEndPoint(passes).x, 30.0);
    EXPECT_EQ(doc->GetRockPath(0), paths[0]);
    ASSERT_EQ(doc->GetEnvelopeCount(), 2);
    EXPECT_EQ(doc->GetLocationMaxima(0).GetMaxTotalEnergy(), 322.0);
    EXPECT_EQ(doc->GetLocationMaxima(1).GetMaxHeight(), -DBL_MAX);
    ASSERT_EQ(doc->GetLastDistributionIndex(), 1);
    EXPECT_EQ(doc->GetDistribution(0)->GetCount(DIST_BOUNCE_HEIGHT), 1);
    EXPECT_EQ(doc->GetDistribution(0)->GetValue(0, DIST_BOUNCE_HEIGHT), 3.5);
    EXPECT_EQ(doc->GetDistribution(0)->GetValue(0, DIST_TRANSLATIONAL_ENERGY), 320.0);
    EXPECT_EQ(doc->GetDistribution(1)->GetCount(DIST_BOUNCE_HEIGHT), 0);
    ASSERT_EQ(doc->GetWizardItemCount(), 2);
    EXPECT_STREQ(doc->GetWizardText(), "Observed run-out, cut 3");
    EXPECT_EQ(doc->GetWizardItem(1).value, 1000.0);
    EXPECT_EQ(doc->GetWizardItem(1).code, 2);
    EXPECT_FALSE(doc->IsModified());
}

TEST(TextFormat, ARoundTripKeepsEveryField)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    auto builtIns = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    // Two materials of one name, and names a comment or the trailer would look like.
    auto* clayA = doc->CreateOrUpdateMaterial("Clay", RGB(1, 2, 3), 0.1, 0.01, 0.6, 0.02, 25, 1, 0.5, 0);
    auto* clayB = doc->CreateOrUpdateMaterial("Clay", RGB(4, 5, 6), 0.2, 0.02, 0.7, 0.03, 26, 2, 1.5, 0);
    auto* star = doc->CreateOrUpdateMaterial("*Star", RGB(7, 8, 9), 1.0 / 3.0, 0, 0.5, 0, 0, 0, 0, 0);
    ASSERT_NE(clayA, clayB);
    CTalusimSlope* slope = doc->GetSlope();
    slope->Show();
    slope->AddVertexWithMaterial(512345.67, 20.125, builtIns[1]);
    slope->AddVertexWithMaterial(512355.67, 10.0, clayA);
    slope->AddVertexWithMaterial(512365.67, 5.0, clayB);
    slope->AddVertexWithMaterial(512375.67, 0.0, star);
    slope->SetVertex(1, Vertex(512355.67, 10.0, 0.5, 0.125));
    slope->SetSegmentMaterial(1, clayA);
    slope->SetSegmentMaterial(3, nullptr);  // not yet assigned: saved, read back as none
    slope->SetFillOptions(RGB(10, 20, 30), 4, 2.5);
    slope->SetFillMode(false, true);

    auto* point = new CTalusimRaker;
    point->SetCategoryId(CAT_PLACED);
    point->SetGroupId(GROUP_POINT_SEEDER);
    point->AddPoint(512346.0, 22.0);
    point->SetVelocity(1.25, -0.5, 0.1, 0.2);
    point->SetMass(12.5, 1.5);
    point->SetRadius(0.25, 0.05);
    point->SetAngularVelocity(3.0, 0.5);
    doc->GetDatabase()->AddEntity(point, false);
    auto* line = new CTalusimRaker;
    line->SetCategoryId(CAT_PLACED);
    line->SetGroupId(GROUP_LINE_SEEDER);
    line->AddPoint(512346.0, 23.0);
    line->AddPoint(512348.0, 24.0);
    doc->GetDatabase()->AddEntity(line, false);

    auto* path = new CTalusimRockPath;
    path->AddCurvedSegment(512346.0, 22.0, 512350.0, 15.0, 4.0, 1.0, 1.0 / 7.0, 9.81);
    path->AddStraightSegment(512350.0, 15.0, 512360.0, 8.0, 0.0, 9.81);
    doc->GetDatabase()->AddEntity(path, false);

    auto* collector = new CTalusimBarrier;
    collector->SetName("[END SECTION]");
    collector->SetCategoryId(CAT_PLACED);
    collector->SetGroupId(GROUP_COLLECTOR);
    collector->SetSkipLengthCheck(true);
    collector->SetPoints(512360.0, 0.0, 512360.0, 12.0);
    collector->AddHit(Hit(512360.0, 8.5, 6.5, 1.25, 211.25, 2.0, 10.0, path), false);
    doc->GetDatabase()->AddEntity(collector, false);
    auto* barrier = new CTalusimBarrier;
    barrier->SetName("Fence 1");
    barrier->SetCategoryId(CAT_PLACED);
    barrier->SetGroupId(GROUP_BARRIER);
    barrier->SetPoints(512352.0, 9.0, 512352.0, 13.0);
    barrier->SetElasticity(ELASTICITY_ELASTIC);
    barrier->SetInfiniteCapacity(true);
    barrier->SetCapacity(2500.0);
    barrier->SetCustomCoefficients(0.3, 0.01, 0.8, 0.02);
    doc->GetDatabase()->AddEntity(barrier, false);

    doc->m_endPoints.Add(CVector2D(512360.0, 8.0));
    doc->m_rockPaths.Add(path);
    CLocationEnvelope e;
    e.Set(0, 3.25, 12.0, 512350.0, 7.5, 1.0, 281.0, 5.0, 286.0);
    doc->m_locationMaxima.Add(e);
    doc->m_locationMaxima.Add(CLocationEnvelope());
    doc->m_distributions.SetSize(2);
    doc->m_distributions[0].AddSample(3.25, 281.0, 5.0, 7.5, 1.0, path);
    doc->SetWizardText("note");
    doc->AddWizardItem(CWizardItem{0.1, 3});
    doc->m_nRandomMode = RANDOM_FIXED;
    doc->m_nFrictionAngleMode = 2;
    doc->m_bScaleRnByMass = true;
    doc->m_dRnMassConstant = 1234.5678;
    doc->m_nSeederProbability = SEEDER_BY_LENGTH;
    doc->m_crFilteredPathColour = RGB(1, 2, 250);

    const std::string path1 = TestFolder() + "round-trip.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path1.c_str()));
    EXPECT_FALSE(doc->IsModified());
    const std::string text = ReadTextFile(path1);
    EXPECT_EQ(text.rfind("[START SECTION] 01 SEEDERS\r\n", 0), 0u);
    EXPECT_NE(text.find("512345.67 20.125 0 0\r\n"), std::string::npos);

    auto back = OpenDocument(path1);
    ASSERT_TRUE(back) << (boxes.messages.empty() ? "" : boxes.messages[0]);
    auto materials = EntitiesOf<CTalusimSlopeType>(*back, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_EQ(materials.size(), 9u);
    EXPECT_STREQ(materials[6]->GetName(), "Clay");
    EXPECT_STREQ(materials[7]->GetName(), "Clay");
    EXPECT_EQ(materials[7]->GetColour(), RGB(4, 5, 6));
    EXPECT_EQ(materials[7]->GetRoughnessStdDev(), 1.5);
    EXPECT_STREQ(materials[8]->GetName(), "*Star");
    EXPECT_EQ(materials[8]->GetRnMean(), 1.0 / 3.0);

    CTalusimSlope* s2 = back->GetSlope();
    ASSERT_EQ(s2->GetVertexCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(s2->GetVertexPoint(i).x, slope->GetVertexPoint(i).x) << i;
        EXPECT_EQ(s2->GetVertexPoint(i).y, slope->GetVertexPoint(i).y) << i;
    }
    EXPECT_EQ(s2->GetVertex(1).auxA, 0.5);
    EXPECT_EQ(s2->GetVertex(1).auxB, 0.125);
    EXPECT_EQ(s2->GetSegmentMaterial(0), materials[1]);
    EXPECT_EQ(s2->GetSegmentMaterial(1), materials[6]);
    EXPECT_EQ(s2->GetSegmentMaterial(2), materials[7]);
    EXPECT_EQ(s2->GetSegmentMaterial(3), nullptr);
    EXPECT_EQ(s2->GetFillColour(), RGB(10, 20, 30));
    EXPECT_TRUE(s2->IsHatched());
    EXPECT_EQ(s2->GetHatchStyle(), 4);
    EXPECT_EQ(s2->GetFillLength(), 2.5);

    auto seeders = EntitiesOf<CTalusimRaker>(*back, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP);
    ASSERT_EQ(seeders.size(), 2u);
    double v[4];
    seeders[0]->GetVelocity(v[0], v[1], v[2], v[3]);
    EXPECT_EQ(v[0], 1.25);
    EXPECT_EQ(v[1], -0.5);
    EXPECT_EQ(v[2], 0.1);
    EXPECT_EQ(v[3], 0.2);
    seeders[0]->GetAngularVelocity(v[0], v[1]);
    EXPECT_EQ(v[0], 3.0);
    seeders[0]->GetRadius(v[0], v[1]);
    EXPECT_EQ(v[0], 0.25);
    EXPECT_EQ(seeders[0]->GetGroupId(), GROUP_POINT_SEEDER);
    EXPECT_EQ(seeders[1]->GetGroupId(), GROUP_LINE_SEEDER);
    EXPECT_EQ(seeders[1]->GetVertexCount(), 2);

    auto paths = EntitiesOf<CTalusimRockPath>(*back, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP);
    ASSERT_EQ(paths.size(), 1u);
    bool straight = true;
    double p[8];
    paths[0]->GetSegment(0)->GetParameters(straight, p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7]);
    EXPECT_FALSE(straight);
    EXPECT_EQ(p[4], 1.0 / 7.0);
    EXPECT_EQ(p[6], 4.0);
    EXPECT_EQ(paths[0]->GetSegment(0)->GetTop(), path->GetSegment(0)->GetTop());

    auto collectors = EntitiesOf<CTalusimBarrier>(*back, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    ASSERT_EQ(collectors.size(), 1u);
    EXPECT_STREQ(collectors[0]->GetName(), "[END SECTION]");
    CArray<CBarrierHit, const CBarrierHit&> hits;
    collectors[0]->CopyHits(hits);
    ASSERT_EQ(hits.GetSize(), 1);
    EXPECT_EQ(hits[0].GetTranslationalEnergy(), 211.25);
    EXPECT_EQ(hits[0].GetRockPath(), paths[0]);
    auto barriers = EntitiesOf<CTalusimBarrier>(*back, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    EXPECT_STREQ(barriers[0]->GetName(), "Fence 1");
    EXPECT_EQ(barriers[0]->GetElasticity(), ELASTICITY_ELASTIC);
    EXPECT_TRUE(barriers[0]->HasInfiniteCapacity());
    EXPECT_EQ(barriers[0]->GetCapacity(), 2500.0);
    EXPECT_EQ(barriers[0]->GetRnStdDev(), 0.01);

    ASSERT_EQ(back->GetEndPointCount(), 1);
    EXPECT_EQ(back->GetRockPath(0), paths[0]);
    EXPECT_EQ(back->GetEndPoint(0).x, 512360.0);
    ASSERT_EQ(back->GetEnvelopeCount(), 2);
    EXPECT_EQ(back->GetLocationMaxima(0).GetMaxTranslationalEnergy(), 281.0);
    EXPECT_FALSE(back->GetLocationMaxima(1).IsLocationSet());
    EXPECT_EQ(back->GetLocationMaxima(1).GetMaxHeight(), -DBL_MAX);
    EXPECT_EQ(back->GetDistribution(0)->GetRockPath(0), paths[0]);
    EXPECT_EQ(back->GetDistribution(0)->GetValue(0, DIST_ROTATIONAL_ENERGY), 5.0);
    EXPECT_STREQ(back->GetWizardText(), "note");
    EXPECT_EQ(back->GetWizardItem(0).value, 0.1);
    EXPECT_EQ(back->GetRandomMode(), RANDOM_FIXED);
    EXPECT_EQ(back->GetFrictionAngleMode(), 2);
    double c = 0;
    EXPECT_TRUE(back->GetScaleRnByMass(c));
    EXPECT_EQ(c, 1234.5678);
    EXPECT_EQ(back->GetSeederProbability(), SEEDER_BY_LENGTH);
    EXPECT_EQ(back->GetFilteredPathColour(), RGB(1, 2, 250));

    // Saving what was read gives the same file.
    const std::string path2 = TestFolder() + "round-trip-2.cla";
    ASSERT_TRUE(back->OnSaveDocument(path2.c_str()));
    EXPECT_EQ(ReadTextFile(path2), text);
    EXPECT_TRUE(boxes.messages.empty());
}

TEST(TextFormat, SavingReturnsToTheIdleMode)
{
    auto doc = NewDocument();
    doc->SetMode(2146);
    ASSERT_TRUE(doc->OnSaveDocument((TestFolder() + "mode.cla").c_str()));
    EXPECT_EQ(doc->GetMode(), 2108);
}

TEST(TextFormat, AFailedSaveKeepsTheOldFileAndTheModifiedFlag)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    const std::string path = WriteTextFile("locked.cla", "previous contents");
    doc->SetModifiedFlag(TRUE);
    HANDLE h = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(doc->OnSaveDocument(path.c_str()));
    ::CloseHandle(h);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(ReadTextFile(path), "previous contents");
    ASSERT_EQ(boxes.messages.size(), 1u);
}

TEST(TextFormat, AFileThatCannotBeOpenedIsReported)
{
    MessageBoxRecorder boxes;
    auto doc = std::make_unique<CTalusimDoc>();
    EXPECT_FALSE(doc->OnOpenDocument((TestFolder() + "missing.cla").c_str()));
    ASSERT_FALSE(boxes.messages.empty());
    EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0);
}

// Each damaged copy of a small file is refused with the reader's message, and
// the document keeps nothing of what it read before the damage.
TEST(TextFormat, BadFilesAreRefusedAndLeaveNothingBehind)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    auto replace = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            s.replace(at, from.size(), to);
        return s;
    };
    const struct { const char* name; std::string text; } cases[] = {
        {"missing section end", replace("1e+003 2\r\n[END SECTION]\r\n", "1e+003 2\r\n")},
        {"unknown section", replace("01 WIZARD", "01 WIZARDS")},
        {"truncated line", replace("0 2 21 6 18.5 1 9.81 4 1", "0 2 21 6 18.5")},
        {"truncated file", good.substr(0, good.find("* Number of Distributions"))},
        {"negative count", replace("* Number of Rock Paths\r\n1", "* Number of Rock Paths\r\n-1")},
        {"huge count", replace("* Number of Rock Endpoints\r\n1", "* Number of Rock Endpoints\r\n2000000000")},
        {"huge sample count", replace("* Number Items\r\n1", "* Number Items\r\n99999")},
        {"unresolved end point path", replace("30 0 77", "30 0 78")},
        {"unresolved slope material", replace("Wet clay\r\n1002\r\n3.0e+001", "Wet clay\r\n1003\r\n3.0e+001")},
        {"barrier elasticity 4", replace("* Type of Elasticity\r\n3", "* Type of Elasticity\r\n4")},
        {"comment between sections", replace("[END SECTION]\r\n[START SECTION] 01 MATERIALS",
                                             "[END SECTION]\r\n* note\r\n[START SECTION] 01 MATERIALS")},
        {"version not a number", replace("[START SECTION] 01 GENERAL", "[START SECTION] xx GENERAL")},
        {"general before slope", replace("[START SECTION] 01 SEEDERS", "[START SECTION] 01 GENERAL")},
    };
    for (const auto& c : cases) {
        MessageBoxRecorder boxes;
        const std::string path = WriteTextFile("bad.cla", c.text);
        auto doc = std::make_unique<CTalusimDoc>();
        EXPECT_FALSE(doc->OnOpenDocument(path.c_str())) << c.name;
        ASSERT_EQ(boxes.messages.size(), 1u) << c.name;
        // The message begins with the reader's text; where it can, it goes on with the line and the cause.
        EXPECT_EQ(boxes.messages[0].substr(0, std::strlen(kInvalid)), kInvalid) << c.name;
        EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0) << c.name;
        EXPECT_EQ(doc->GetEndPointCount(), 0) << c.name;
        EXPECT_EQ(doc->GetSlope(), nullptr) << c.name;
    }
}

TEST(TextFormat, ReaderRulesOfTheFormat)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    auto openWith = [&](const std::string& from, const std::string& to) {
        std::string s = good;
        size_t at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        s.replace(at, from.size(), to);
        return OpenDocument(WriteTextFile("rule.cla", s));
    };
    MessageBoxRecorder boxes;
    // Another section version is passed on and ignored.
    auto doc = openWith("01 GENERAL", "07 GENERAL");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetRockCount(), 200);
    // Both fill flags: the slope keeps its own; a bad style and length keep theirs.
    doc = openWith("1\t0\t2\t0.5", "1\t1\t7\t0");
    ASSERT_TRUE(doc);
    EXPECT_FALSE(doc->GetSlope()->IsFilled());
    EXPECT_FALSE(doc->GetSlope()->IsHatched());
    EXPECT_EQ(doc->GetSlope()->GetFillColour(), RGB(160, 82, 45));
    // An unknown random mode keeps the mode but stores the seed.
    doc = openWith("3\t12345", "9\t777");
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetRandomMode(), 3350);
    EXPECT_EQ(doc->GetRandomSeed(), 777);
    // A hit whose path number matches no path is read past; a barrier keeps
    // no hit without its rock path, so the file opens without it.
    doc = openWith("10 77 1\r\n[END SECTION]", "10 99 1\r\n[END SECTION]");
    ASSERT_TRUE(doc);
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    CArray<CBarrierHit, const CBarrierHit&> hits;
    barriers[0]->CopyHits(hits);
    EXPECT_EQ(hits.GetSize(), 0);
    // A collector section at version 02 must carry hit lists.
    doc = openWith("20 0 20 8\r\n", "20 0 20 8\r\n* Number of Barrier Hits\r\n0\r\n");
    EXPECT_FALSE(doc);
    doc = openWith("01 COLLECTORS", "02 COLLECTORS");
    EXPECT_FALSE(doc);
    EXPECT_TRUE(boxes.messages.size() >= 1);
}

TEST(TextFormat, AFileWithoutReferencePointGetsOne)
{
    auto doc = OpenDocument(FixturePath("hand-written.cla"));
    ASSERT_TRUE(doc);
    ASSERT_NE(doc->GetReferencePoint(), nullptr);
    EXPECT_EQ(doc->GetReferencePoint()->GetX(), 15.0);
    EXPECT_FALSE(doc->GetReferencePoint()->IsVisible());
    EXPECT_NE(doc->GetMarkerLine(), nullptr);
}

TEST(TextFormat, NamesTheFileCannotCarryAreRefused)
{
    EXPECT_TRUE(CTalusimDoc::IsStorableName("Collector001"));
    EXPECT_TRUE(CTalusimDoc::IsStorableName("Fence * 2"));
    EXPECT_FALSE(CTalusimDoc::IsStorableName(""));
    EXPECT_FALSE(CTalusimDoc::IsStorableName("*Star"));
    EXPECT_FALSE(CTalusimDoc::IsStorableName("[END SECTION]"));
    EXPECT_FALSE(CTalusimDoc::IsStorableName("two\r\nlines"));
}

TEST(TextFormat, AnEndPointWithoutItsPathIsNotWrittenSoTheFileStaysReadable)
{
    MessageBoxRecorder boxes;
    auto doc = NewDocument();
    doc->AppendSlopeVertex(0, 10);
    doc->AppendSlopeVertex(10, 0);
    auto* path = new CTalusimRockPath;
    path->AddStraightSegment(0, 10, 10, 0, 0, 9.81);
    doc->GetDatabase()->AddEntity(path, false);
    doc->m_endPoints.Add(CVector2D(10, 0));
    doc->m_rockPaths.Add(path);
    doc->m_endPoints.Add(CVector2D(7, 3));  // a rock whose path was never recorded
    const std::string file = TestFolder() + "end-points.cla";
    ASSERT_TRUE(doc->OnSaveDocument(file.c_str()));
    auto back = std::make_unique<CTalusimDoc>();
    ASSERT_TRUE(back->OnOpenDocument(file.c_str()));
    EXPECT_EQ(back->GetEndPointCount(), 1);
    EXPECT_EQ(back->GetEndPoint(0).x, 10.0);
    EXPECT_TRUE(boxes.messages.empty());
}


// A document with computed results as the program wrote it before its number
// conversions and its file streams were rewritten: opening and saving it
// again gives the same bytes.
TEST(TextFormat, AComputedDocumentSavesByteForByteAsBefore)
{
    MessageBoxRecorder boxes;
    const std::string fixture = FixturePath("computed.cla");
    auto doc = OpenDocument(fixture);
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetRockPathCount(), 12);
    const std::string path = TestFolder() + "computed-again.cla";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    EXPECT_EQ(ReadTextFile(path), ReadTextFile(fixture));
    EXPECT_TRUE(boxes.messages.empty());
}

// The drawing is in its sorted order after opening (the paths are sorted in
// once, at the end of their section), and sorts itself again as entities arrive.
TEST(TextFormat, AnOpenedDrawingIsSortedAndKeepsSortingItself)
{
    MessageBoxRecorder boxes;
    auto doc = OpenDocument(FixturePath("computed.cla"));
    ASSERT_TRUE(doc);
    CREGDatabase& db = *doc->GetDatabase();
    const auto sorted = [&db] {
        for (int i = 1; i < db.GetEntityCount(); ++i) {
            const CEntity* a = db.GetEntityAt(i - 1);
            const CEntity* b = db.GetEntityAt(i);
            if (a->GetCategoryId() > b->GetCategoryId() ||
                (a->GetCategoryId() == b->GetCategoryId() && a->GetKindId() > b->GetKindId()))
                return false;
        }
        return true;
    };
    EXPECT_TRUE(sorted());
    int lowest = db.GetEntityAt(0)->GetCategoryId();
    auto* early = new CTalusimRockPath;
    early->SetCategoryId(lowest - 1);
    db.AddEntity(early, false);
    EXPECT_EQ(db.GetEntityAt(0), early);
    EXPECT_TRUE(sorted());
}

// Every real of the file is refused when it is not a number or infinite, with
// the line that holds it; nothing read before it stays.
TEST(TextFormat, NumbersThatAreNotFiniteAreRefusedWithTheirLine)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    const struct { const char* what; const char* from; const char* to; } cases[] = {
        {"seeder", "10 1e-005\r\n", "10 nan\r\n"},
        {"seeder vertex", "2 21\r\n", "2 inf\r\n"},
        {"material standard deviation", "0.1\t0.01\t0.6", "0.1\tnan\t0.6"},
        {"material friction", "25\t1\t0", "25\t1\t-inf"},
        {"slope vertex", "10 10 0.5 0.25", "10 10 NAN 0.25"},
        {"fill length", "1\t0\t2\t0.5", "1\t0\t2\tinfinity"},
        {"Rn velocity constant", "1\t9.144", "1\tnan"},
        {"minimum velocity", "1e-002", "inf"},
        {"rock-path piece", "1 6 18.5 30 0 5 9.81 0 0", "1 6 18.5 30 0 5 nan 0 0"},
        {"rock-path piece beyond a double", "0 2 21 6 18.5 1 9.81 4 1", "0 2 21 6 1e999 1 9.81 4 1"},
        {"collector", "20 0 20 8", "20 0 nan 8"},
        {"barrier capacity", "0\t1500", "0\tinf"},
        {"barrier hit", "15 6.5 7.25 2 263", "15 6.5 7.25 nan 263"},
        {"end point", "30 0 77", "30 -nan 77"},
        {"envelope", "0 5 3.5 10 8 1 320 2 322", "0 5 3.5 inf 8 1 320 2 322"},
        {"distribution sample", "320 2 8 1 3.5 77", "320 2 8 1 nan 77"},
        {"wizard item", "12.5 1", "inf 1"},
    };
    for (const auto& c : cases) {
        std::string text = good;
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.what;
        text.replace(at, std::strlen(c.from), c.to);
        const std::size_t line = std::count(text.begin(), text.begin() + at, '\n') + 1;
        MessageBoxRecorder boxes;
        auto doc = std::make_unique<CTalusimDoc>();
        EXPECT_FALSE(doc->OnOpenDocument(WriteTextFile("not-finite.cla", text).c_str())) << c.what;
        ASSERT_EQ(boxes.messages.size(), 1u) << c.what;
        EXPECT_EQ(boxes.messages[0],
                  std::string(kInvalid) + "\nLine " + std::to_string(line) + " holds a number that is not finite.")
            << c.what;
        EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0) << c.what;
        EXPECT_EQ(doc->GetSlope(), nullptr) << c.what;
    }
}

// A number that cannot be read, a count the file cannot hold and a file that
// stops inside a section are each refused with the line where reading stopped
// and what was wrong there.
TEST(TextFormat, DamagedNumbersAreRefusedWithTheirLineAndCause)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    const std::string notNumbers = " does not hold the numbers that belong there.";
    const std::string badCount = " holds a count that is negative or larger than the rest of the file.";
    const struct { const char* what; const char* from; const char* to; std::string cause; } cases[] = {
        {"seeder with a word for a number", "10 1e-005\r\n", "10 abc\r\n", notNumbers},
        {"slope vertex with a word", "10 10 0.5 0.25", "10 ten 0.5 0.25", notNumbers},
        {"rock-path piece cut short", "0 2 21 6 18.5 1 9.81 4 1", "0 2 21 6 18.5", notNumbers},
        {"barrier capacity left blank", "0\t1500", "0\t", notNumbers},
        {"negative count", "* Number of Rock Paths\r\n1", "* Number of Rock Paths\r\n-1", badCount},
        {"huge count", "* Number of Rock Endpoints\r\n1", "* Number of Rock Endpoints\r\n2000000000", badCount},
    };
    for (const auto& c : cases) {
        std::string text = good;
        const std::size_t at = text.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.what;
        text.replace(at, std::strlen(c.from), c.to);
        // The damaged value sits on the last line of what was replaced.
        const std::size_t line = std::count(text.begin(), text.begin() + at + std::strlen(c.to) - 1, '\n') + 1;
        MessageBoxRecorder boxes;
        auto doc = std::make_unique<CTalusimDoc>();
        EXPECT_FALSE(doc->OnOpenDocument(WriteTextFile("damaged.cla", text).c_str())) << c.what;
        ASSERT_EQ(boxes.messages.size(), 1u) << c.what;
        EXPECT_EQ(boxes.messages[0], std::string(kInvalid) + "\nLine " + std::to_string(line) + c.cause) << c.what;
        EXPECT_EQ(doc->GetDatabase()->GetEntityCount(), 0) << c.what;
    }
}

// The maximum height of an envelope is the one value that says what a height
// that is not a number means: never set. The sentinels the program writes
// for unset values read back as they were.
TEST(TextFormat, AnEnvelopeHeightThatIsNotANumberReadsAsUnset)
{
    const std::string good = ReadTextFile(FixturePath("hand-written.cla"));
    for (const char* height : {"nan", "-inf", "-1.7976931348623157e+308"}) {
        std::string text = good;
        text.replace(text.find("0 5 3.5 10"), 10, std::string("0 5 ") + height + " 10");
        MessageBoxRecorder boxes;
        auto doc = OpenDocument(WriteTextFile("envelope.cla", text));
        ASSERT_TRUE(doc) << height;
        EXPECT_EQ(doc->GetLocationMaxima(0).GetMaxHeight(), -DBL_MAX) << height;
        EXPECT_EQ(doc->GetLocationMaxima(0).GetSlopeHeight(), 10.0) << height;
        EXPECT_TRUE(boxes.messages.empty()) << height;
    }
}
