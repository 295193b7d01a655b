// The Barrier and Data Collector editors through the document's commands,
// with a user's answers: what OK writes, what Cancel restores, the range
// messages, adding and deleting collectors, and Copy's text.
#include "EditorTestSupport.h"

#include "editors/BarrierEditorDlg.h"
#include "editors/DataCollectorEditorDlg.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-editors.h"

using namespace editing;

namespace {

CTalusimBarrier* AddLine(CTalusimDoc& doc, const char* name, int group, double x1, double y1, double x2, double y2)
{
    auto* b = new CTalusimBarrier;
    b->SetName(name);
    b->SetGroupId(group);
    b->SetCategoryId(CAT_PLACED);
    b->SetPoints(x1, y1, x2, y2);
    b->SetSkipLengthCheck(group == GROUP_COLLECTOR);
    doc.GetDatabase()->AddEntity(b, false);
    return b;
}

std::vector<CTalusimBarrier*> Collectors(CTalusimDoc& doc)
{
    return EntitiesOf<CTalusimBarrier>(doc, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
}

} // namespace

TEST(BarrierEditor, OkAppliesEveryEditedBarrierAndCancelRestoresThemAll)
{
    auto doc = NewDocument();
    CTalusimBarrier* a = AddLine(*doc, "Barrier001", GROUP_BARRIER, 0, 0, 0, 5);
    CTalusimBarrier* b = AddLine(*doc, "Barrier002", GROUP_BARRIER, 10, 0, 10, 5);
    AddLine(*doc, "Collector001", GROUP_COLLECTOR, 20, 0, 20, 5);  // not listed
    doc->SetModifiedFlag(FALSE);

    int rows = 0;
    {
        Editing e([&](CDialog& d) {
            rows = ListCount(d, IDC_BE_LIST);
            Type(d, IDC_BE_NAME, "Wall");
            Click(d, IDC_BE_ELASTIC);
            Click(d, IDC_BE_LIKE_COLLECTOR);
            Choose(d, IDC_BE_LIST, 1);
            Click(d, IDC_BE_INFINITE);
            Type(d, IDC_BE_CAPACITY, "2500");
            Click(d, IDCANCEL);
        });
        doc->OnBarrierEditor();
    }
    EXPECT_EQ(rows, 2);
    EXPECT_EQ(std::string(a->GetName()), "Barrier001");
    EXPECT_EQ(a->GetElasticity(), CTalusimBarrier::kInelastic);
    EXPECT_FALSE(a->IsLengthCheckSkipped());
    EXPECT_TRUE(b->HasInfiniteCapacity());
    EXPECT_FALSE(doc->IsModified());

    std::string unit, elasticRn, elasticRnSd, customRn, customRtSd, refusal;
    bool readOnlyWhenElastic = false, editableWhenCustom = false, capacityEnabled = true;
    {
        Editing e([&](CDialog& d) {
            unit = TextOf(d, IDC_BE_CAPACITY_UNIT);
            capacityEnabled = Enabled(d, IDC_BE_CAPACITY);
            Type(d, IDC_BE_NAME, "Wall");
            Click(d, IDC_BE_ELASTIC);
            elasticRn = TextOf(d, IDC_BE_RN_MEAN);
            elasticRnSd = TextOf(d, IDC_BE_RN_SD);
            readOnlyWhenElastic = ReadOnly(d, IDC_BE_RN_MEAN);
            Click(d, IDC_BE_LIKE_COLLECTOR);
            Choose(d, IDC_BE_LIST, 1);
            Click(d, IDC_BE_INFINITE);
            Type(d, IDC_BE_CAPACITY, "-1");  // below 0: refused
            Click(d, IDOK);
            Type(d, IDC_BE_CAPACITY, "2500");
            Click(d, IDC_BE_ELASTIC);
            Click(d, IDC_BE_CUSTOM);  // the elastic values stay, now editable
            customRn = TextOf(d, IDC_BE_RN_MEAN);
            customRtSd = TextOf(d, IDC_BE_RT_SD);
            editableWhenCustom = !ReadOnly(d, IDC_BE_RN_MEAN);
            Type(d, IDC_BE_RN_MEAN, "0.4");
            Type(d, IDC_BE_RT_SD, "0.05");
            Click(d, IDOK);
        });
        doc->OnBarrierEditor();
        ASSERT_EQ(e.boxes.messages.size(), 1u);
        refusal = e.boxes.messages[0];
    }
    EXPECT_EQ(unit, std::string(doc->GetEnergyUnitLabel()));
    EXPECT_FALSE(capacityEnabled);  // infinite
    EXPECT_EQ(elasticRn, "1.0");
    EXPECT_EQ(elasticRnSd, "0.0");
    EXPECT_TRUE(readOnlyWhenElastic);
    EXPECT_EQ(customRn, "1.0");
    EXPECT_EQ(customRtSd, "0.0");
    EXPECT_TRUE(editableWhenCustom);
    EXPECT_EQ(refusal, "Please enter a number between 0 and 1e+308.");
    EXPECT_EQ(std::string(a->GetName()), "Wall");
    EXPECT_EQ(a->GetElasticity(), CTalusimBarrier::kElastic);
    EXPECT_EQ(a->GetRnMean(), 1.0);
    EXPECT_TRUE(a->IsLengthCheckSkipped());
    EXPECT_FALSE(b->HasInfiniteCapacity());
    EXPECT_EQ(b->GetCapacity(), 2500.0);
    EXPECT_EQ(b->GetElasticity(), CTalusimBarrier::kCustom);
    EXPECT_EQ(b->GetRnMean(), 0.4);
    EXPECT_EQ(b->GetRtMean(), 1.0);
    EXPECT_EQ(b->GetRtStdDev(), 0.05);
    EXPECT_TRUE(doc->IsModified());

    // A second Cancel after the OK puts back what the OK wrote, not older states.
    {
        Editing e([](CDialog& d) {
            Type(d, IDC_BE_NAME, "Other");
            Click(d, IDCANCEL);
        });
        doc->OnBarrierEditor();
    }
    EXPECT_EQ(std::string(a->GetName()), "Wall");
}

TEST(BarrierEditor, CoefficientMeansAreRangeCheckedAndCopyListsEveryBarrier)
{
    auto doc = NewDocument();
    CTalusimBarrier* a = AddLine(*doc, "Barrier001", GROUP_BARRIER, 0, 0, 0.5, 5.25);
    CTalusimBarrier* b = AddLine(*doc, "Barrier002", GROUP_BARRIER, 10, -1, 12.125, 4);
    AddLine(*doc, "Barrier003", GROUP_BARRIER, 20, 0, 20, 3)->SetElasticity(CTalusimBarrier::kElastic);
    b->SetElasticity(CTalusimBarrier::kCustom);
    b->SetCustomCoefficients(0.4, 0.1, 0.7, 0.05);
    std::vector<std::string> messages;
    std::string copied;
    {
        Editing e([&](CDialog& d) {
            Click(d, IDC_BE_CUSTOM);
            Type(d, IDC_BE_RN_MEAN, "1.2");
            Click(d, IDOK);
            Type(d, IDC_BE_RN_MEAN, "0.5");
            Type(d, IDC_BE_RT_MEAN, "-0.5");
            Click(d, IDOK);
            Type(d, IDC_BE_RT_MEAN, "0.6");
            // The custom spreads are refused as the means are.
            Type(d, IDC_BE_RN_SD, "-2");
            Click(d, IDOK);
            Type(d, IDC_BE_RN_SD, "0");
            Type(d, IDC_BE_RT_SD, "1e300");
            Click(d, IDOK);
            Type(d, IDC_BE_RT_SD, "0");
            Type(d, IDC_BE_NAME, "A barrier name of 31 characters");
            Click(d, IDOK);
            Type(d, IDC_BE_NAME, "Fence");
            Click(d, IDC_BE_COPY);
            copied = ClipboardText();
            Click(d, IDCANCEL);
        });
        doc->OnBarrierEditor();
        messages = e.boxes.messages;
    }
    EXPECT_EQ(messages, (std::vector<std::string>{"Please enter a number between 0 and 1.",
                                                  "Please enter a number between 0 and 1.",
                                                  "Please enter a number between 0 and 1000000000.",
                                                  "Please enter a number between 0 and 1000000000.",
                                                  "Please enter no more than 30 characters."}));
    EXPECT_EQ(copied, "Barriers\nStart_x\tStart_y\tEnd_x\tEnd_y\tName\tElasticity\n"
                      "0.000\t0.000\t0.500\t5.250\tFence\tCustom (RN=0.5,0 RT=0.6,0)\n"
                      "10.000\t-1.000\t12.125\t4.000\tBarrier002\tCustom (RN=0.4,0.1 RT=0.7,0.05)\n"
                      "20.000\t0.000\t20.000\t3.000\tBarrier003\tElastic (RN=RT=1)\n");
    EXPECT_EQ(std::string(a->GetName()), "Barrier001");
    EXPECT_EQ(a->GetElasticity(), CTalusimBarrier::kInelastic);
}

TEST(DataCollectorEditor, AddDeleteAndEditApplyOnDoneOnly)
{
    auto doc = NewDocument();
    CTalusimBarrier* c1 = AddLine(*doc, "Collector001", GROUP_COLLECTOR, 0, 0, 0, 5);
    CTalusimBarrier* c2 = AddLine(*doc, "Toe", GROUP_COLLECTOR, 10, 0, 10, 5);
    doc->SetModifiedFlag(FALSE);

    // Cancel: the added collector goes, the deleted one stays, edits are undone.
    int rowsAfterAdd = 0;
    {
        Editing e([&](CDialog& d) {
            Type(d, IDC_DC_END_X, "3");
            Click(d, IDC_DC_ADD);
            rowsAfterAdd = ListCount(d, IDC_DC_LIST);
            ChooseName(d, IDC_DC_LIST, "Toe");
            Click(d, IDC_DC_DELETE);
            Click(d, IDCANCEL);
        });
        doc->EditCollectors(c1);
    }
    EXPECT_EQ(rowsAfterAdd, 3);
    ASSERT_EQ(Collectors(*doc).size(), 2u);
    EXPECT_EQ(c1->GetX2(), 0.0);
    EXPECT_EQ(std::string(c2->GetName()), "Toe");
    EXPECT_FALSE(doc->IsModified());

    std::string newName, newStart, newEnd;
    {
        Editing e([&](CDialog& d) {
            Click(d, IDC_DC_ADD);
            newName = TextOf(d, IDC_DC_NAME);
            newStart = TextOf(d, IDC_DC_START_X) + "," + TextOf(d, IDC_DC_START_Y);
            newEnd = TextOf(d, IDC_DC_END_X) + "," + TextOf(d, IDC_DC_END_Y);
            Type(d, IDC_DC_START_X, "30");
            Type(d, IDC_DC_START_Y, "1.5");
            Type(d, IDC_DC_END_X, "31");
            Type(d, IDC_DC_END_Y, "8");
            Type(d, IDC_DC_NAME, "Fan");
            ChooseName(d, IDC_DC_LIST, "Toe");
            Click(d, IDC_DC_DELETE);
            Click(d, IDOK);
        });
        doc->EditCollectors(nullptr);
        EXPECT_TRUE(e.boxes.messages.empty());
    }
    EXPECT_EQ(newName, "Collector002");  // Collector001 is taken
    EXPECT_EQ(newStart, "2,1");
    EXPECT_EQ(newEnd, "20,10");
    std::vector<CTalusimBarrier*> left = Collectors(*doc);
    ASSERT_EQ(left.size(), 2u);
    EXPECT_EQ(left[0], c1);
    CTalusimBarrier* fan = left[1];
    EXPECT_EQ(std::string(fan->GetName()), "Fan");
    EXPECT_EQ(fan->GetX1(), 30.0);
    EXPECT_EQ(fan->GetY1(), 1.5);
    EXPECT_EQ(fan->GetX2(), 31.0);
    EXPECT_EQ(fan->GetY2(), 8.0);
    EXPECT_TRUE(fan->IsLengthCheckSkipped());
    EXPECT_TRUE(doc->IsModified());
}

TEST(DataCollectorEditor, DeletingTheLastCollectorGreysTheFieldsAndCopyListsThemAll)
{
    auto doc = NewDocument();
    AddLine(*doc, "Collector001", GROUP_COLLECTOR, 0, 0, 0, 5);
    AddLine(*doc, "Toe", GROUP_COLLECTOR, 10.5, -2, 10, 5.125);
    std::string copied;
    bool nameEnabled = true, deleteEnabled = true, addEnabled = false;
    std::vector<std::string> messages;
    {
        Editing e([&](CDialog& d) {
            Type(d, IDC_DC_END_X, "inf");
            Click(d, IDC_DC_COPY);  // refused: no number
            Type(d, IDC_DC_END_X, "1e300");
            Click(d, IDC_DC_COPY);  // refused: no view could show it
            Type(d, IDC_DC_END_X, "1");
            Click(d, IDC_DC_COPY);
            copied = ClipboardText();
            Click(d, IDC_DC_DELETE);
            Click(d, IDC_DC_DELETE);
            nameEnabled = Enabled(d, IDC_DC_NAME);
            deleteEnabled = Enabled(d, IDC_DC_DELETE);
            addEnabled = Enabled(d, IDC_DC_ADD);
            Click(d, IDOK);
        });
        doc->EditCollectors(nullptr);
        messages = e.boxes.messages;
    }
    EXPECT_EQ(messages, (std::vector<std::string>{"Please enter a number.",
                                                  "Please enter a number between -1000000000 and 1000000000."}));
    EXPECT_EQ(copied, "Data Collectors\nStart_x\tStart_y\tEnd_x\tEnd_y\tName\n"
                      "0.000\t0.000\t1.000\t5.000\tCollector001\n"
                      "10.500\t-2.000\t10.000\t5.125\tToe\n");
    EXPECT_FALSE(nameEnabled);
    EXPECT_FALSE(deleteEnabled);
    EXPECT_TRUE(addEnabled);
    EXPECT_TRUE(Collectors(*doc).empty());
}
