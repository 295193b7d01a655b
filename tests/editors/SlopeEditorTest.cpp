// The Slope Editor driven through the document's command as a user drives it:
// numbers typed into the table, a material picked from the list, Copy, the
// common standard deviations, OK and Cancel; and the slope that results.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "editors/SlopeEditorDlg.h"
#include "editors/StdDevApplyDlg.h"
#include "model/DocumentFixture.h"
#include "res/dialogs-slope.h"
#include "support/WhenShown.h"
#include "view/SlopeViewServices.h"

namespace {

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// The document's Slope Editor command opens this editor.
struct EditorServices : CSlopeViewServices {
    INT_PTR RunSlopeEditor(CSlopeEditorData& data) override { return RunSlopeEditorDialog(data); }
};

struct Editing {
    Editing() { previous = InstallSlopeViewServices(&services); }
    ~Editing() { InstallSlopeViewServices(previous == &services ? nullptr : previous); }
    EditorServices services;
    CSlopeViewServices* previous = nullptr;
    MessageBoxRecorder boxes;
};

HWND Shown(const char* caption) { return ::FindWindowA(nullptr, caption); }

COvdGridCtrl* TableOf(HWND dialog)
{
    return dynamic_cast<COvdGridCtrl*>(CWnd::FromHandlePermanent(::GetDlgItem(dialog, IDC_SE_TABLE)));
}

void Click(HWND dialog, int id) { ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Types text into a cell as a user does: the first key opens the edit, Enter ends it.
void TypeIntoCell(CGridCtrl& grid, int row, int col, const char* text)
{
    grid.SetFocus();
    Pump();
    grid.SetFocusCell(row, col);
    grid.SendMessage(WM_CHAR, static_cast<BYTE>(text[0]), 1);
    HWND edit = ::GetDlgItem(grid.GetSafeHwnd(), kGridInPlaceId);
    ASSERT_NE(edit, nullptr) << "no edit on " << row << "," << col;
    for (const char* p = text + 1; *p; ++p)
        ::SendMessageA(edit, WM_CHAR, static_cast<BYTE>(*p), 1);
    ::SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 1);
    Pump();
}

std::string Cell(CGridCtrl& grid, int row, int col) { return std::string(grid.GetCellText(row, col)); }

std::string ClipboardText()
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return "<closed>";
    if (HANDLE h = ::GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

struct SlopeDoc {
    std::unique_ptr<CTalusimDoc> doc = NewDocument();
    std::vector<CTalusimSlopeType*> materials =
        EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    CTalusimSlope* slope = doc->GetSlope();

    SlopeDoc()
    {
        slope->AddVertexWithMaterial(0, 30, materials[0]);
        slope->AddVertexWithMaterial(20, 10, materials[0]);
        slope->AddVertexWithMaterial(40, 0, materials[0]);
        // Standard deviations that a moved vertex must keep.
        CPolyVertex v;
        slope->GetSlopeVertex(v, 1);
        v.auxA = 0.5;
        v.auxB = 0.25;
        slope->SetVertex(1, v);
        doc->SetGenerateSlopeSamples(true);
        doc->SetModifiedFlag(FALSE);
    }
    CPolyVertex Vertex(int i) const
    {
        CPolyVertex v;
        slope->GetSlopeVertex(v, i);
        return v;
    }
};

}  // namespace

TEST(SlopeEditor, TypedNumbersAndAPickedMaterialReachTheSlopeOnOk)
{
    SlopeDoc s;
    ASSERT_GE(s.materials.size(), 2u);
    const std::string wanted(s.materials[1]->GetName());
    std::string copied, refusedCell, headerX, startText, firstMaterialState;
    bool firstMaterialEdits = true;
    Editing editing;
    WhenShown script([&] {
        HWND dialog = Shown("Slope Editor");
        ASSERT_NE(dialog, nullptr);
        Pump();
        COvdGridCtrl* grid = TableOf(dialog);
        ASSERT_NE(grid, nullptr);
        // It opens on the picked row's coordinates, ready to type.
        HWND edit = ::GetDlgItem(grid->GetSafeHwnd(), kGridInPlaceId);
        char buffer[64] = {};
        ::GetWindowTextA(edit, buffer, sizeof buffer);
        startText = buffer;
        headerX = Cell(*grid, 0, 1);

        TypeIntoCell(*grid, 2, 1, "25");
        TypeIntoCell(*grid, 3, 4, "0.125");
        TypeIntoCell(*grid, 2, 3, "abc");  // refused, with a word why
        refusedCell = Cell(*grid, 2, 3);

        // The first vertex ends no segment: its material cell does not open.
        grid->SetFocusCell(1, 5);
        grid->SendMessage(WM_KEYDOWN, VK_F2, 1);
        firstMaterialEdits = ::GetDlgItem(grid->GetSafeHwnd(), kGridInPlaceId) != nullptr;

        // A material from the list for the second segment.
        grid->SetFocusCell(2, 5);
        grid->SendMessage(WM_KEYDOWN, VK_F2, 1);
        HWND list = ::GetDlgItem(grid->GetSafeHwnd(), kGridInPlaceId);
        ASSERT_NE(list, nullptr);
        ::SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wanted.c_str()));
        ::SendMessageA(list, WM_KEYUP, VK_RETURN, 1);
        Pump();

        Click(dialog, IDC_SE_COPY);
        copied = ClipboardText();
        Click(dialog, IDOK);
    });
    s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickCoordinateRow, 0);

    EXPECT_EQ(startText, "0");
    EXPECT_EQ(headerX, "X [ m ]");
    EXPECT_FALSE(firstMaterialEdits);
    EXPECT_EQ(refusedCell, "10");
    ASSERT_EQ(editing.boxes.messages.size(), 1u);
    EXPECT_NE(editing.boxes.messages[0].find("abc"), std::string::npos);

    const CPolyVertex moved = s.Vertex(1);
    EXPECT_EQ(moved.x, 25.0);
    EXPECT_EQ(moved.y, 10.0);
    EXPECT_EQ(moved.auxA, 0.5);   // a vertex moved keeps its standard deviations
    EXPECT_EQ(moved.auxB, 0.25);
    EXPECT_EQ(s.Vertex(2).auxB, 0.125);
    EXPECT_EQ(s.slope->GetSegmentMaterial(1), s.materials[1]);
    EXPECT_EQ(s.slope->GetSegmentMaterial(2), s.materials[0]);
    EXPECT_TRUE(s.doc->IsModified());

    const std::string first(s.materials[0]->GetName());
    EXPECT_EQ(copied, "Vertex\tX\tstd dev\tY\tstd dev\tMaterial\n"
                      "1\t0.000\t0.000\t30.000\t0.000\t\n"
                      "2\t25.000\t0.500\t10.000\t0.250\t" + wanted + "\n"
                      "3\t40.000\t0.000\t0.000\t0.125\t" + first + "\n");
}

TEST(SlopeEditor, CommonStdDevFillsTheColumnAndCancelPutsTheSlopeBack)
{
    SlopeDoc s;
    std::string columnAfter, yAfter;
    size_t refusals = 0;
    bool commonEnabledAfterUncheck = true;
    Editing editing;
    WhenShown script([&] {
        HWND dialog = Shown("Slope Editor");
        ASSERT_NE(dialog, nullptr);
        Pump();
        {
            WhenShown apply([&] {
                HWND sd = Shown("Apply values to all std dev's");
                ASSERT_NE(sd, nullptr);
                EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(sd, IDOK)));
                Click(sd, IDC_SD_APPLY_X);
                ::SetDlgItemTextA(sd, IDC_SD_X, "inf");
                Click(sd, IDOK);  // refused: not a number
                refusals = editing.boxes.messages.size();
                ::SetDlgItemTextA(sd, IDC_SD_X, "0.7");
                Click(sd, IDOK);
            });
            Click(dialog, IDC_SE_COMMON_STDDEV);
        }
        COvdGridCtrl* grid = TableOf(dialog);
        columnAfter = Cell(*grid, 1, 2) + " " + Cell(*grid, 2, 2) + " " + Cell(*grid, 3, 2);
        yAfter = Cell(*grid, 2, 4);
        Click(dialog, IDC_SE_USE_STDDEV);  // off: the columns grey out
        commonEnabledAfterUncheck = ::IsWindowEnabled(::GetDlgItem(dialog, IDC_SE_COMMON_STDDEV)) != 0;
        // Escape does not close the editor; Cancel does.
        ::SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        Pump();
        EXPECT_TRUE(::IsWindow(dialog));
        Click(dialog, IDC_SE_CANCEL);
    });
    s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, -1);

    EXPECT_EQ(refusals, 1u);
    EXPECT_EQ(columnAfter, "0.7 0.7 0.7");
    EXPECT_EQ(yAfter, "0.25");
    EXPECT_FALSE(commonEnabledAfterUncheck);
    // Cancel: the slope as it was, the flag unchanged, nothing modified.
    EXPECT_EQ(s.Vertex(1).auxA, 0.5);
    EXPECT_EQ(s.Vertex(0).auxA, 0.0);
    EXPECT_TRUE(s.doc->GetGenerateSlopeSamples());
    EXPECT_FALSE(s.doc->IsModified());
}

TEST(SlopeEditor, APickOutsideTheSlopeStartsOnTheFirstRowAndAMaterialPickOnItsMaterial)
{
    CSlopeEditorDlg dialog;
    SlopeDoc s;
    struct Case {
        int kind, index;
        CGridCellId start;
    } cases[] = {
        {CSlopeEditorDlg::kPickMaterialRow, 7, {1, 1}},
        {CSlopeEditorDlg::kPickMaterialRow, 2, {3, 5}},
        {CSlopeEditorDlg::kPickCoordinateRow, 1, {2, 1}},
        {2199, 1, {1, 1}},
    };
    for (const Case& c : cases) {
        CGridCellId start;
        Editing editing;
        WhenShown script([&] {
            HWND dlg = Shown("Slope Editor");
            ASSERT_NE(dlg, nullptr);
            Pump();
            start = TableOf(dlg)->GetFocusCell();
            Click(dlg, IDC_SE_CANCEL);
        });
        s.doc->RunSlopeEditor(c.kind, c.index);
        EXPECT_EQ(start, c.start) << c.kind << " " << c.index;
    }
}
