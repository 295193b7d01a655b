// The simple Slope Editor, driven through the document's command as a user
// would: OK writes the edited fields to the slope and marks the document
// modified, Cancel leaves everything as it was, and no number is refused.
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


}  // namespace

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

