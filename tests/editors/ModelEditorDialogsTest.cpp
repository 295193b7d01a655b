// The simple editors of the model objects, driven through the document's
// commands as a user would: OK writes the edited fields to the objects and
// marks the document modified, Cancel leaves everything as it was, and a value
// outside the object's range or no number at all is refused.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/Dialog.h"
#include "editors/ModelDialogs.h"
#include "editors/ModelEditorDialogs.h"
#include "res/dialogs-editors.h"
#include "model/DocumentFixture.h"

namespace {

std::function<void(CDialog&)> g_script;

void RunScript(CDialog& dialog)
{
    if (g_script)
        g_script(dialog);
}

std::string TextOf(CDialog& d, int id)
{
    char buffer[256] = {};
    ::GetDlgItemTextA(d.m_hWnd, id, buffer, sizeof buffer);
    return buffer;
}

void Type(CDialog& d, int id, const char* text) { ::SetDlgItemTextA(d.m_hWnd, id, text); }

void Click(CDialog& d, int id) { ::SendMessageA(::GetDlgItem(d.m_hWnd, id), BM_CLICK, 0, 0); }

bool Enabled(CDialog& d, int id) { return ::IsWindowEnabled(::GetDlgItem(d.m_hWnd, id)) != 0; }

int ListSelection(CDialog& d, int id)
{
    return static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, id, LB_GETCURSEL, 0, 0));
}

// A click on a list row: the selection moves, then the dialog hears of it.
void Choose(CDialog& d, int id, int row)
{
    HWND list = ::GetDlgItem(d.m_hWnd, id);
    ::SendMessageA(list, LB_SETCURSEL, row, 0);
    ::SendMessageA(d.m_hWnd, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// Installs the dialogs and the script for one run of an editor.
struct Editing {
    explicit Editing(std::function<void(CDialog&)> script)
    {
        g_script = std::move(script);
        CModelDialogServices::s_script = &RunScript;
        previous = InstallSlopeViewServices(&dialogs);
    }
    ~Editing()
    {
        InstallSlopeViewServices(previous == &dialogs ? nullptr : previous);
        CModelDialogServices::s_script = nullptr;
        g_script = nullptr;
    }
    CModelDialogServices dialogs;
    CSlopeViewServices* previous = nullptr;
    MessageBoxRecorder boxes;
};

CTalusimBarrier* AddLine(CTalusimDoc& doc, const char* name, int group, double x1, double y1, double x2, double y2)
{
    auto* b = new CTalusimBarrier;
    b->SetName(name);
    b->SetGroupId(group);
    b->SetCategoryId(CAT_PLACED);
    b->SetPoints(x1, y1, x2, y2);
    doc.GetDatabase()->AddEntity(b, false);
    return b;
}

}  // namespace

TEST(ModelEditorDialogs, MaterialEditorRefusesOutOfRangeAndKeepsEveryEditedMaterial)
{
    auto doc = NewDocument();
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_GE(materials.size(), 2u);
    CTalusimSlopeType* first = materials[0];
    CTalusimSlopeType* second = materials[1];
    const double firstRt = first->GetRtMean();
    doc->SetModifiedFlag(FALSE);

    // Cancel after edits in two materials changes neither.
    {
        Editing e([&](CDialog& d) {
            Type(d, IDC_ME_RN_MEAN, "0.11");
            Choose(d, IDC_ME_LIST, 1);
            Type(d, IDC_ME_RN_MEAN, "0.22");
            Click(d, IDCANCEL);
        });
        doc->EditMaterial(first);
    }
    EXPECT_NE(first->GetRnMean(), 0.11);
    EXPECT_NE(second->GetRnMean(), 0.22);
    EXPECT_FALSE(doc->IsModified());

    int selected = -1;
    bool frictionEnabled = false, nameEnabled = true;
    int refusals = 0;
    {
        Editing e([&](CDialog& d) {
            selected = ListSelection(d, IDC_ME_LIST);
            frictionEnabled = Enabled(d, IDC_ME_FRICTION_MEAN);
            nameEnabled = Enabled(d, IDC_ME_NAME);  // a built-in material keeps its name
            Type(d, IDC_ME_RN_MEAN, "0.31");
            Choose(d, IDC_ME_LIST, 0);
            Type(d, IDC_ME_RT_MEAN, "1.5");  // above 1: refused, the selection stays
            Choose(d, IDC_ME_LIST, 1);
            refusals += ListSelection(d, IDC_ME_LIST) == 0 ? 1 : 0;
            Type(d, IDC_ME_RT_MEAN, "0.75");
            Type(d, IDC_ME_FRICTION_MEAN, "nan");
            Click(d, IDOK);  // refused
            Type(d, IDC_ME_FRICTION_MEAN, "90");
            Click(d, IDOK);
        });
        doc->EditMaterial(second);
        EXPECT_EQ(e.boxes.messages.size(), 2u);
    }
    EXPECT_EQ(selected, 1);
    EXPECT_TRUE(frictionEnabled);
    EXPECT_EQ(nameEnabled, !second->HasDefaultValues());
    EXPECT_EQ(refusals, 1);
    EXPECT_EQ(second->GetRnMean(), 0.31);
    EXPECT_EQ(first->GetRtMean(), 0.75);
    EXPECT_NE(first->GetRtMean(), firstRt);
    EXPECT_EQ(first->GetFrictionAngleMean(), 90.0);
    EXPECT_TRUE(doc->IsModified());

    // Friction-angle modes other than 0 take the angle from elsewhere.
    doc->m_nFrictionAngleMode = 1;
    {
        Editing e([&](CDialog& d) {
            frictionEnabled = Enabled(d, IDC_ME_FRICTION_MEAN);
            Click(d, IDCANCEL);
        });
        doc->EditMaterial(nullptr);
    }
    EXPECT_FALSE(frictionEnabled);
}

TEST(ModelEditorDialogs, BarrierEditorAppliesResponseAndCapacityOnlyOnOk)
{
    auto doc = NewDocument();
    CTalusimBarrier* a = AddLine(*doc, "Barrier001", GROUP_BARRIER, 0, 0, 0, 5);
    CTalusimBarrier* b = AddLine(*doc, "Barrier002", GROUP_BARRIER, 10, 0, 10, 5);
    AddLine(*doc, "Collector001", GROUP_COLLECTOR, 20, 0, 20, 5);  // not listed
    doc->SetModifiedFlag(FALSE);

    int rows = 0;
    std::string unit;
    {
        Editing e([&](CDialog& d) {
            rows = static_cast<int>(::SendDlgItemMessageA(d.m_hWnd, IDC_BE_LIST, LB_GETCOUNT, 0, 0));
            Type(d, IDC_BE_NAME, "Wall");
            Click(d, IDC_BE_ELASTIC);
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
    EXPECT_TRUE(b->HasInfiniteCapacity());
    EXPECT_FALSE(doc->IsModified());

    bool coefficientsReadOnly = false;
    std::string elasticRn;
    {
        Editing e([&](CDialog& d) {
            unit = TextOf(d, IDC_BE_CAPACITY_UNIT);
            Type(d, IDC_BE_NAME, "Wall");
            Click(d, IDC_BE_ELASTIC);
            elasticRn = TextOf(d, IDC_BE_RN_MEAN);
            coefficientsReadOnly =
                (::GetWindowLongA(::GetDlgItem(d.m_hWnd, IDC_BE_RN_MEAN), GWL_STYLE) & ES_READONLY) != 0;
            Choose(d, IDC_BE_LIST, 1);
            Click(d, IDC_BE_INFINITE);
            Type(d, IDC_BE_CAPACITY, "-1");  // below 0: refused
            Click(d, IDOK);
            Type(d, IDC_BE_CAPACITY, "2500");
            Click(d, IDC_BE_CUSTOM);
            Type(d, IDC_BE_RN_MEAN, "0.4");
            Type(d, IDC_BE_RT_SD, "0.05");
            Click(d, IDOK);
        });
        doc->OnBarrierEditor();
        EXPECT_EQ(e.boxes.messages.size(), 1u);
    }
    EXPECT_EQ(unit, std::string(doc->GetEnergyUnitLabel()));
    EXPECT_EQ(elasticRn, "1.0");
    EXPECT_TRUE(coefficientsReadOnly);
    EXPECT_EQ(std::string(a->GetName()), "Wall");
    EXPECT_EQ(a->GetElasticity(), CTalusimBarrier::kElastic);
    EXPECT_EQ(a->GetRnMean(), 1.0);
    EXPECT_EQ(a->GetRtMean(), 1.0);
    EXPECT_FALSE(b->HasInfiniteCapacity());
    EXPECT_EQ(b->GetCapacity(), 2500.0);
    EXPECT_EQ(b->GetElasticity(), CTalusimBarrier::kCustom);
    EXPECT_EQ(b->GetRnMean(), 0.4);
    EXPECT_EQ(b->GetRtStdDev(), 0.05);
    EXPECT_TRUE(doc->IsModified());
}

TEST(ModelEditorDialogs, DataCollectorEditorMovesEndsAndRefusesNoNumber)
{
    auto doc = NewDocument();
    CTalusimBarrier* c1 = AddLine(*doc, "Collector001", GROUP_COLLECTOR, 0, 0, 0, 5);
    CTalusimBarrier* c2 = AddLine(*doc, "Collector002", GROUP_COLLECTOR, 10, 0, 10, 5);
    doc->SetModifiedFlag(FALSE);
    {
        Editing e([](CDialog& d) {
            Type(d, IDC_DC_END_X, "3");
            Click(d, IDCANCEL);
        });
        doc->EditCollectors(c2);
    }
    EXPECT_EQ(c2->GetX2(), 10.0);
    EXPECT_FALSE(doc->IsModified());

    int selected = -1;
    std::string shownStart;
    {
        Editing e([&](CDialog& d) {
            selected = ListSelection(d, IDC_DC_LIST);
            shownStart = TextOf(d, IDC_DC_START_X);
            Type(d, IDC_DC_END_X, "inf");
            Click(d, IDOK);  // refused
            Type(d, IDC_DC_END_X, "12.5");
            Type(d, IDC_DC_NAME, "A name longer than thirty chars");
            Click(d, IDOK);  // refused
            Type(d, IDC_DC_NAME, "");
            Click(d, IDOK);  // refused: the file could not read it back
            Type(d, IDC_DC_NAME, "*Toe");
            Click(d, IDOK);  // refused likewise
            Type(d, IDC_DC_NAME, "Toe");
            Click(d, IDOK);
        });
        doc->EditCollectors(c2);
        EXPECT_EQ(e.boxes.messages.size(), 4u);
    }
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(shownStart, "10");
    EXPECT_EQ(c2->GetX2(), 12.5);
    EXPECT_EQ(c2->GetY2(), 5.0);
    EXPECT_EQ(std::string(c2->GetName()), "Toe");
    EXPECT_EQ(c1->GetX2(), 0.0);
    EXPECT_TRUE(doc->IsModified());
}

TEST(ModelEditorDialogs, SlopeEditorMovesVerticesAndSetsMaterials)
{
    auto doc = NewDocument();
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_GE(materials.size(), 2u);
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(0, 30, materials[0]);
    slope->AddVertexWithMaterial(20, 10, materials[0]);
    slope->AddVertexWithMaterial(40, 0, materials[0]);
    doc->SetModifiedFlag(FALSE);

    {
        Editing e([](CDialog& d) {
            Type(d, IDC_SE_X, "25");
            Click(d, IDC_SE_GENERATE_SAMPLES);
            Click(d, IDCANCEL);
        });
        doc->RunSlopeEditor(CSlopeEditorDlg::kPickVertex, 1);
    }
    CPolyVertex v;
    EXPECT_EQ(slope->GetSlopeVertex(v, 1).x, 20.0);
    EXPECT_FALSE(doc->GetGenerateSlopeSamples());
    EXPECT_FALSE(doc->IsModified());

    int selected = -1, outsideSelected = -1;
    bool firstMaterialEnabled = true;
    std::string unit;
    const std::string wanted(materials[1]->GetName());
    {
        Editing e([&](CDialog& d) {
            selected = ListSelection(d, IDC_SE_VERTICES);
            unit = TextOf(d, IDC_SE_X_UNIT);
            Type(d, IDC_SE_Y, "nan");
            Choose(d, IDC_SE_VERTICES, 2);  // refused: stays on vertex 2
            Type(d, IDC_SE_Y, "12");
            ::SendDlgItemMessageA(d.m_hWnd, IDC_SE_MATERIAL, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(wanted.c_str()));
            Choose(d, IDC_SE_VERTICES, 0);
            firstMaterialEnabled = Enabled(d, IDC_SE_MATERIAL);
            Click(d, IDC_SE_GENERATE_SAMPLES);
            Click(d, IDOK);
        });
        doc->RunSlopeEditor(CSlopeEditorDlg::kPickSegment, 1);
        EXPECT_EQ(e.boxes.messages.size(), 1u);
    }
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(unit, "[ m ]");
    EXPECT_FALSE(firstMaterialEnabled);
    EXPECT_EQ(slope->GetSlopeVertex(v, 1).x, 20.0);
    EXPECT_EQ(slope->GetSlopeVertex(v, 1).y, 12.0);
    EXPECT_EQ(slope->GetSegmentMaterial(1), materials[1]);
    EXPECT_EQ(slope->GetSegmentMaterial(2), materials[0]);
    EXPECT_TRUE(doc->GetGenerateSlopeSamples());
    EXPECT_TRUE(doc->IsModified());

    // A pick beyond the last vertex is ignored: the editor starts on the first.
    {
        Editing e([&](CDialog& d) {
            outsideSelected = ListSelection(d, IDC_SE_VERTICES);
            Click(d, IDCANCEL);
        });
        doc->RunSlopeEditor(CSlopeEditorDlg::kPickSegment, 7);
    }
    EXPECT_EQ(outsideSelected, 0);
}

