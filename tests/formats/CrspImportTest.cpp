// CRSP slope files: both header styles, cells joined into one slope, runs of
// equal cells merged on request, and files that are refused whole.
#include "tests/model/DocumentFixture.h"
#include "tests/support/DocumentFormatsInstalled.h"

namespace {

std::string CrspFixture(const char* name)
{
    return std::string(CLASTOR_TEST_DATA) + "/crsp/" + name;
}

std::vector<CTalusimSlopeType*> Materials(CTalusimDoc& doc)
{
    return EntitiesOf<CTalusimSlopeType>(doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
}

void ExpectVertices(CTalusimSlope& slope, const std::vector<CVector2D>& points)
{
    ASSERT_EQ(slope.GetVertexCount(), (int)points.size());
    for (int i = 0; i < slope.GetVertexCount(); ++i) {
        EXPECT_EQ(slope.GetVertex(i).x, points[i].x) << i;
        EXPECT_EQ(slope.GetVertex(i).y, points[i].y) << i;
    }
}

// A cell's material as the import makes it.
void ExpectCellMaterial(CTalusimSlopeType* m, const char* name, COLORREF colour, double rt, double rn)
{
    ASSERT_NE(m, nullptr);
    SCOPED_TRACE(name);
    EXPECT_EQ(m->GetName(), name);
    EXPECT_EQ(m->GetColour(), colour);
    EXPECT_EQ(m->GetRtMean(), rt);
    EXPECT_EQ(m->GetRnMean(), rn);
    EXPECT_EQ(m->GetRnStdDev(), 0.04);
    EXPECT_EQ(m->GetRtStdDev(), 0.04);
    EXPECT_EQ(m->GetFrictionAngleMean(), 30.0);
    EXPECT_EQ(m->GetFrictionAngleStdDev(), 2.0);
    EXPECT_EQ(m->GetRoughnessStdDev(), 0.0);
    EXPECT_FALSE(m->HasDefaultValues());
}

// One cell line of the labelled style.
std::string Cell(double roughness, double rt, double rn, double x0, double y0, double x1, double y1)
{
    char buf[200];
    std::snprintf(buf, sizeof buf, "%g,%g,%g,%g,%g,%g,%g\n", roughness, rt, rn, x0, y0, x1, y1);
    return buf;
}

}  // namespace

TEST(CrspImportTest, LabelledFileBuildsOneSegmentAndOneMaterialPerCell)
{
    for (const char* header : {"", "U.S."}) {
        SCOPED_TRACE(*header ? header : "Metric fixture");
        auto doc = NewDocument();
        std::string path = CrspFixture("three-cells-metric.csp");
        if (*header) {
            // What follows the last value of a line is not read.
            path = WriteTextFile("us.csp", std::string("U.S., 3\n") + "0.1,0.8,0.3,0,30,10,25,remark\n" +
                                               Cell(0.2, 0.85, 0.35, 10, 25, 20, 15) +
                                               Cell(0.3, 0.9, 0.4, 20, 15, 30, 0));
        }
        MessageBoxRecorder boxes;
        ASSERT_TRUE(doc->ImportCrsp(path.c_str()));
        EXPECT_TRUE(boxes.messages.empty());
        CTalusimSlope* slope = doc->GetSlope();
        ExpectVertices(*slope, {{0, 30}, {10, 25}, {20, 15}, {30, 0}});
        EXPECT_TRUE(slope->IsVisible());
        EXPECT_TRUE(slope->IsSelectable());
        EXPECT_EQ(Materials(*doc).size(), 9u);
        ExpectCellMaterial(slope->GetSegmentMaterial(1), "Cell 0001", RGB(128, 0, 0), 0.8, 0.3);
        ExpectCellMaterial(slope->GetSegmentMaterial(2), "Cell 0002", RGB(128, 128, 0), 0.85, 0.35);
        ExpectCellMaterial(slope->GetSegmentMaterial(3), "Cell 0003", RGB(255, 255, 0), 0.9, 0.4);
        // No unit is converted and the document's unit stays.
        EXPECT_TRUE(doc->IsMetric());
    }
}

TEST(CrspImportTest, EqualNeighboursAreMergedOnlyWhenTheUserAgrees)
{
    // Plain style: cell numbers first; cells 1 and 2 are equal, cell 3 starts
    // half a millimetre from where cell 2 ends.
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No");
        auto doc = NewDocument();
        MessageBoxRecorder boxes;
        boxes.answer = answer;
        ASSERT_TRUE(doc->ImportCrsp(CrspFixture("plain-equal-cells.dat").c_str()));
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0],
                  "Adjacent cells with same material (same roughness, same RN, same RT) were found.\n"
                  "Would you like to merge these into one material ?");
        CTalusimSlope* slope = doc->GetSlope();
        ExpectVertices(*slope, {{0, 30}, {10, 25}, {20, 15}, {30, 0}});
        ExpectCellMaterial(slope->GetSegmentMaterial(1), "Cell 0001", RGB(128, 0, 0), 0.8, 0.3);
        if (answer == IDYES) {
            EXPECT_EQ(slope->GetSegmentMaterial(2), slope->GetSegmentMaterial(1));
            ExpectCellMaterial(slope->GetSegmentMaterial(3), "Cell 0003", RGB(128, 128, 0), 0.9, 0.4);
            EXPECT_EQ(Materials(*doc).size(), 8u);
        } else {
            ExpectCellMaterial(slope->GetSegmentMaterial(2), "Cell 0002", RGB(128, 128, 0), 0.8, 0.3);
            ExpectCellMaterial(slope->GetSegmentMaterial(3), "Cell 0003", RGB(255, 255, 0), 0.9, 0.4);
            EXPECT_EQ(Materials(*doc).size(), 9u);
        }
    }
}

TEST(CrspImportTest, ColoursCycleGapsGetTheDefaultMaterialAndTheQuestionComesOnce)
{
    // Twelve different cells, then a gap, then three equal cells.
    std::string text = "Metric,16\n";
    for (int i = 0; i < 12; ++i)
        text += Cell(0.01 * i, 0.8, 0.3, i, -i, i + 1, -(i + 1));
    text += Cell(0.5, 0.5, 0.5, 14, -12, 15, -13);
    text += Cell(0.5, 0.5, 0.5, 15, -13, 16, -14);
    text += Cell(0.5, 0.5, 0.5, 16, -14, 17, -15);
    text += Cell(0.6, 0.6, 0.6, 17, -15, 17.0005, -15);  // shorter than a millimetre
    auto doc = NewDocument();
    MessageBoxRecorder boxes;
    boxes.answer = IDYES;
    ASSERT_TRUE(doc->ImportCrsp(WriteTextFile("cycle.csp", text).c_str()));
    EXPECT_EQ(boxes.messages.size(), 1u);
    CTalusimSlope* slope = doc->GetSlope();
    // 13 vertices for the twelve cells, one across the gap, three more.
    ASSERT_EQ(slope->GetVertexCount(), 17);
    EXPECT_EQ(slope->GetSegmentMaterial(12)->GetName(), "Cell 0012");
    EXPECT_EQ(slope->GetSegmentMaterial(12)->GetColour(), RGB(128, 0, 0));
    EXPECT_EQ(slope->GetSegmentMaterial(11)->GetColour(), RGB(0, 255, 255));
    EXPECT_EQ(slope->GetSegmentMaterial(13), doc->GetFirstMaterial());
    EXPECT_EQ(slope->GetSegmentMaterial(14)->GetName(), "Cell 0014");
    EXPECT_EQ(slope->GetSegmentMaterial(15), slope->GetSegmentMaterial(14));
    EXPECT_EQ(slope->GetSegmentMaterial(16), slope->GetSegmentMaterial(14));
    // The short cell made a material but no segment.
    EXPECT_EQ(Materials(*doc).size(), 6u + 12u + 1u + 1u);
}

TEST(CrspImportTest, BadFilesAreRefusedWholeAndLeaveTheSlopeAsItWas)
{
    const std::string cell = Cell(0.1, 0.8, 0.3, 0, 0, 1, -1);
    struct Case {
        const char* what;
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"empty file", "", "(the file is empty)"},
        {"labelled without comma", "Metric 1\n" + cell, "(line 1 does not give the number of cells)"},
        {"no number", "cells\n" + cell, "(line 1 does not give the number of cells)"},
        {"no cells", "0\n", "(line 1 does not give the number of cells)"},
        {"negative count", "Metric,-2\n" + cell, "(line 1 does not give the number of cells)"},
        {"truncated", "Metric,3\n" + cell + cell, "(the file ends before its 3 cells)"},
        {"huge count", "Metric,2000000000\n" + cell, "(the file ends before its 2000000000 cells)"},
        {"six values", "Metric,1\n0.1,0.8,0.3,0,0,1\n", "(line 2 is no cell)"},
        {"letters", "Metric,2\n" + cell + "0.1,0.8,x,0,0,1,1\n", "(line 3 is no cell)"},
        {"plain cell without number", "1\n" + cell, "(line 2 is no cell)"},
        {"not finite", "Metric,1\n0.1,0.8,0.3,0,0,inf,1\n", "(line 2 is no cell)"},
        {"not a number", "2\n1," + cell + "2,0.1,nan,0.3,10,25,20,15\n", "(line 3 is no cell)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto doc = NewDocument();
        doc->AppendSlopeVertex(0, 10);
        doc->AppendSlopeVertex(5, 5);
        doc->SetModifiedFlag(FALSE);
        MessageBoxRecorder boxes;
        EXPECT_FALSE(doc->ImportCrsp(WriteTextFile("bad.csp", c.text).c_str()));
        ASSERT_EQ(boxes.messages.size(), 1u);
        EXPECT_EQ(boxes.messages[0].rfind("Unable to read the CRSP file\n", 0), 0u);
        EXPECT_NE(boxes.messages[0].find(c.message), std::string::npos) << boxes.messages[0];
        ExpectVertices(*doc->GetSlope(), {{0, 10}, {5, 5}});
        EXPECT_EQ(Materials(*doc).size(), 6u);
        EXPECT_FALSE(doc->IsModified());
    }
    auto doc = NewDocument();
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc->ImportCrsp((TestFolder() + "missing.csp").c_str()));
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].rfind("Unable to open file", 0), 0u);
}

TEST(CrspImportTest, FileOpenKnowsCrspFilesByExtensionInAnyCase)
{
    EXPECT_TRUE(CTalusimDoc::IsCrspPath("C:\\a\\slope.csp"));
    EXPECT_TRUE(CTalusimDoc::IsCrspPath("C:\\a\\SLOPE.CSP"));
    EXPECT_TRUE(CTalusimDoc::IsCrspPath("slope.Dat"));
    EXPECT_FALSE(CTalusimDoc::IsCrspPath("slope.cla"));
    EXPECT_FALSE(CTalusimDoc::IsCrspPath("csp"));
    EXPECT_FALSE(CTalusimDoc::IsCrspPath("slopecsp"));

    const std::string text = ReadTextFile(CrspFixture("three-cells-metric.csp"));
    for (const char* name : {"OPENED.CSP", "opened.dat"}) {
        SCOPED_TRACE(name);
        // A document as the template makes it for File Open: never set up as new.
        CTalusimDoc doc;
        MessageBoxRecorder boxes;
        ASSERT_TRUE(doc.OnOpenDocument(WriteTextFile(name, text).c_str()));
        EXPECT_TRUE(boxes.messages.empty());
        ASSERT_NE(doc.GetSlope(), nullptr);
        EXPECT_EQ(doc.GetSlope()->GetVertexCount(), 4);
        EXPECT_EQ(Materials(doc).size(), 9u);
        EXPECT_NE(doc.GetFirstMaterial(), nullptr);
        EXPECT_NE(doc.GetMarkerLine(), nullptr);
    }
    {
        // Save never writes over the CRSP file: it asks for a name of our own
        // format (here no application answers, so nothing is saved).
        CTalusimDoc doc;
        const std::string path = WriteTextFile("kept.csp", text);
        ASSERT_TRUE(doc.OnOpenDocument(path.c_str()));
        doc.SetPathName(path.c_str(), FALSE);
        EXPECT_FALSE(doc.DoFileSave());
        EXPECT_EQ(ReadTextFile(path), text);
        EXPECT_EQ(std::string(doc.GetPathName()), path);
    }
    CTalusimDoc doc;
    MessageBoxRecorder boxes;
    EXPECT_FALSE(doc.OnOpenDocument(WriteTextFile("broken.csp", "Metric,4\n").c_str()));
    EXPECT_EQ(boxes.messages.size(), 1u);
}

