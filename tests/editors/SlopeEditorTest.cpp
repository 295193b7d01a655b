// The Slope Editor driven through the document's command as a user drives it:
// numbers typed into the table, a material picked from the list, Copy, the
// common standard deviations, OK and Cancel; and the slope that results.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "editors/SlopeEditorDlg.h"
#include "editors/StdDevApplyDlg.h"
#include "model/DocumentFixture.h"
#include "res/dialogs-slope.h"
#include "support/WhenShown.h"
#include "model/SlopeViewServices.h"

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

namespace {

// A surveyed slope: coordinates too long for the table's short numbers.
struct SurveyedSlope {
    std::unique_ptr<CTalusimDoc> doc = NewDocument();
    CTalusimSlopeType* material = doc->GetFirstMaterial();
    CTalusimSlope* slope = doc->GetSlope();

    SurveyedSlope()
    {
        slope->AddVertexWithMaterial(512345.678, 4512345.6, material);
        slope->AddVertexWithMaterial(512400.123456789, 4512300.25, material);
        slope->AddVertexWithMaterial(512500.1, 4512200.7, material);
        CPolyVertex v;
        slope->GetSlopeVertex(v, 1);
        v.auxA = 0.1234567;
        v.auxB = 1.23e-5;
        slope->SetVertex(1, v);
        doc->SetGenerateSlopeSamples(true);
    }
    std::vector<CPolyVertex> Vertices() const
    {
        std::vector<CPolyVertex> out(static_cast<size_t>(slope->GetVertexCount()));
        for (size_t i = 0; i < out.size(); ++i)
            slope->GetSlopeVertex(out[i], static_cast<int>(i));
        return out;
    }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Holds Ctrl down in the thread's keyboard state while it lives.
struct HoldingCtrl {
    BYTE saved[256] = {};
    HoldingCtrl()
    {
        ::GetKeyboardState(saved);
        BYTE state[256];
        std::memcpy(state, saved, sizeof state);
        state[VK_CONTROL] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~HoldingCtrl() { ::SetKeyboardState(saved); }
};

void PutOnClipboard(const char* text)
{
    ASSERT_TRUE(::OpenClipboard(nullptr));
    ::EmptyClipboard();
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, std::strlen(text) + 1);
    std::memcpy(::GlobalLock(block), text, std::strlen(text) + 1);
    ::GlobalUnlock(block);
    ::SetClipboardData(CF_TEXT, block);
    ::CloseClipboard();
}

void Select(CGridCtrl& grid, int row, int col)
{
    grid.SetFocus();
    Pump();
    grid.SetFocusCell(row, col);
    grid.SetSelectedRange(row, col, row, col);
}

}  // namespace

TEST(SlopeEditor, UntouchedCellsKeepEveryDigitAndAnEditedOneTakesThreeDecimals)
{
    SurveyedSlope s;
    const std::vector<CPolyVertex> before = s.Vertices();

    // OK with nothing edited leaves every vertex as it was, to the bit.
    {
        Editing editing;
        WhenShown script([&] {
            HWND dialog = Shown("Slope Editor");
            ASSERT_NE(dialog, nullptr);
            Pump();
            // The table shows the coordinates held, not six digits of them;
            // short numbers keep their short form, and a number with more
            // than three decimals shows three.
            CGridCtrl& table = *TableOf(dialog);
            EXPECT_EQ(std::string(table.GetCellText(1, COvdGridCtrl::COL_X)), "512345.678");
            EXPECT_EQ(std::string(table.GetCellText(1, COvdGridCtrl::COL_Y)), "4512345.6");
            EXPECT_EQ(std::string(table.GetCellText(3, COvdGridCtrl::COL_X)), "512500.1");
            EXPECT_EQ(std::string(table.GetCellText(2, 2)), "0.123");
            Click(dialog, IDOK);
        });
        s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, 0);
        EXPECT_TRUE(editing.boxes.messages.empty());
    }
    std::vector<CPolyVertex> after = s.Vertices();
    ASSERT_EQ(after.size(), before.size());
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_TRUE(SameBits(after[i].x, before[i].x)) << i;
        EXPECT_TRUE(SameBits(after[i].y, before[i].y)) << i;
        EXPECT_TRUE(SameBits(after[i].auxA, before[i].auxA)) << i;
        EXPECT_TRUE(SameBits(after[i].auxB, before[i].auxB)) << i;
    }

    // One cell edited: it takes three decimals, every other keeps its value,
    // and Copy gives the untouched ones to three decimals too.
    std::string copied;
    {
        Editing editing;
        WhenShown script([&] {
            HWND dialog = Shown("Slope Editor");
            ASSERT_NE(dialog, nullptr);
            Pump();
            TypeIntoCell(*TableOf(dialog), 3, COvdGridCtrl::COL_Y, "4512200.12345");
            Click(dialog, IDC_SE_COPY);
            copied = ClipboardText();
            Click(dialog, IDOK);
        });
        s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, 0);
    }
    after = s.Vertices();
    EXPECT_EQ(after[2].y, 4512200.123);
    EXPECT_EQ(after[2].x, 512500.1);
    EXPECT_EQ(after[0].x, 512345.678);
    EXPECT_EQ(after[0].y, 4512345.6);
    EXPECT_EQ(after[1].x, 512400.123456789);
    EXPECT_EQ(after[1].auxA, 0.1234567);
    EXPECT_EQ(after[1].auxB, 1.23e-5);
    for (int i = 1; i < 3; ++i)
        EXPECT_EQ(s.slope->GetSegmentMaterial(i), s.material);
    EXPECT_NE(copied.find("\n1\t512345.678\t0.000\t4512345.600\t0.000\t\n"), std::string::npos) << copied;
    EXPECT_NE(copied.find("\n3\t512500.100\t0.000\t4512200.123\t0.000\t"), std::string::npos) << copied;
}

TEST(SlopeEditor, DeleteCutAndPasteOfWhatACellCannotHoldAreRefusedAndChangeNothing)
{
    SlopeDoc s;
    const std::vector<CPolyVertex> before = {s.Vertex(0), s.Vertex(1), s.Vertex(2)};
    struct Key {
        const char* clipboard;  // null: no paste, the key is Delete or Ctrl+X
        UINT key;
        int row, col;
        const char* message;  // the start of the refusal
    } refused[] = {
        {nullptr, VK_DELETE, 2, COvdGridCtrl::COL_X, "\"\" is not a number"},
        {nullptr, 'X', 2, COvdGridCtrl::COL_Y, "\"\" is not a number"},
        {nullptr, VK_DELETE, 3, COvdGridCtrl::COL_MATERIAL, "\"\" is not a material"},
        {"5\tabc", 'V', 2, COvdGridCtrl::COL_X, "\"abc\" is not a number"},
        {"7\n\n8", 'V', 1, COvdGridCtrl::COL_X, "\"\" is not a number"},  // an empty line empties a cell
        {"1e999", 'V', 2, COvdGridCtrl::COL_Y, "\"1e999\" is not a number"},
        {"-1", 'V', 2, COvdGridCtrl::COL_X_SD, "A standard deviation cannot be negative"},
    };
    std::vector<std::string> texts;
    std::string start, pastedX, pastedSd;
    Editing editing;
    WhenShown script([&] {
        HWND dialog = Shown("Slope Editor");
        ASSERT_NE(dialog, nullptr);
        Pump();
        COvdGridCtrl* grid = TableOf(dialog);
        auto allCells = [&] {
            std::string all;
            for (int r = 1; r < grid->GetRowCount(); ++r)
                for (int c = 1; c < 6; ++c)
                    all += Cell(*grid, r, c) + "|";
            return all;
        };
        Select(*grid, 1, 1);
        start = allCells();
        for (const Key& k : refused) {
            if (k.clipboard != nullptr)
                PutOnClipboard(k.clipboard);
            Select(*grid, k.row, k.col);
            if (k.key == VK_DELETE) {
                grid->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            } else {
                HoldingCtrl ctrl;
                grid->SendMessage(WM_KEYDOWN, k.key, 1);
            }
            Pump();
            texts.push_back(allCells());
        }
        // A paste the cells can take goes in with three decimals.
        PutOnClipboard("21\t0.75");
        Select(*grid, 2, COvdGridCtrl::COL_X);
        {
            HoldingCtrl ctrl;
            grid->SendMessage(WM_KEYDOWN, 'V', 1);
        }
        pastedX = Cell(*grid, 2, COvdGridCtrl::COL_X);
        pastedSd = Cell(*grid, 2, COvdGridCtrl::COL_X_SD);
        Click(dialog, IDOK);
    });
    s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, 0);

    ASSERT_EQ(editing.boxes.messages.size(), std::size(refused));
    for (size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_EQ(editing.boxes.messages[i].rfind(refused[i].message, 0), 0u) << editing.boxes.messages[i];
        EXPECT_EQ(texts[i], start) << "nothing changed by " << i;
    }
    EXPECT_EQ(pastedX, "21.000");
    EXPECT_EQ(pastedSd, "0.750");
    EXPECT_EQ(s.Vertex(1).x, 21.0);
    EXPECT_EQ(s.Vertex(1).auxA, 0.75);
    EXPECT_EQ(s.Vertex(1).y, before[1].y);
    EXPECT_EQ(s.Vertex(0).x, before[0].x);
    EXPECT_EQ(s.Vertex(2).auxB, before[2].auxB);
    EXPECT_EQ(s.slope->GetSegmentMaterial(2), s.materials[0]);
}

namespace {

// Lets the dialog's own loop handle what was posted: each message is offered
// to the windows' PreTranslateMessage first, as the modal loop does.
void PumpAsTheLoop(HWND dialog)
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!CWnd::WalkPreTranslateTree(dialog, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

void PostKey(HWND dialog, UINT key)
{
    HWND focus = ::GetFocus();
    ::PostMessageA(focus, WM_KEYDOWN, key, 1);
    ::PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
    PumpAsTheLoop(dialog);
}

void ClickCell(HWND dialog, CGridCtrl& grid, int row, int col)
{
    CRect rect;
    ASSERT_TRUE(grid.GetCellRect(row, col, &rect));
    const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(grid.GetSafeHwnd(), WM_LBUTTONUP, 0, at);
    PumpAsTheLoop(dialog);
}

}  // namespace

TEST(SlopeEditor, CellsEnteredAndLeftWithoutTypingKeepTheirValuesAndShowPlainDecimals)
{
    std::unique_ptr<CTalusimDoc> doc = NewDocument();
    CTalusimSlopeType* material = doc->GetFirstMaterial();
    CTalusimSlope* slope = doc->GetSlope();
    slope->AddVertexWithMaterial(512040.0004, 5000060.0, material);
    slope->AddVertexWithMaterial(512100.25, 5000009.0, material);
    slope->AddVertexWithMaterial(512200.1234567, 4999950.5, material);
    doc->SetGenerateSlopeSamples(true);
    std::vector<CPolyVertex> before(3);
    for (int i = 0; i < 3; ++i)
        slope->GetSlopeVertex(before[static_cast<size_t>(i)], i);

    std::vector<std::string> shown;
    Editing editing;
    WhenShown script([&] {
        HWND dialog = Shown("Slope Editor");
        ASSERT_NE(dialog, nullptr);
        PumpAsTheLoop(dialog);
        COvdGridCtrl& grid = *TableOf(dialog);
        for (int r = 1; r <= 3; ++r)
            for (int c : {COvdGridCtrl::COL_X, COvdGridCtrl::COL_Y})
                shown.push_back(Cell(grid, r, c));
        // Into every number cell and out again, by click, Tab and the arrows,
        // without typing a thing.
        for (int r = 1; r <= 3; ++r) {
            ClickCell(dialog, grid, r, COvdGridCtrl::COL_X);
            ClickCell(dialog, grid, r, COvdGridCtrl::COL_X);  // a second click opens the edit
            PostKey(dialog, VK_TAB);
            PostKey(dialog, VK_TAB);
            PostKey(dialog, VK_TAB);
            PostKey(dialog, VK_DOWN);
            PostKey(dialog, VK_LEFT);
            PostKey(dialog, VK_UP);
        }
        ClickCell(dialog, grid, 3, COvdGridCtrl::COL_Y);
        Click(dialog, IDOK);
    });
    doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, 0);

    EXPECT_TRUE(editing.boxes.messages.empty());
    // No exponent and no lost digits: the plain number that reads back, with
    // at most three decimals (a number with more shows three).
    EXPECT_EQ(shown, (std::vector<std::string>{"512040.000", "5000060", "512100.25", "5000009", "512200.123",
                                               "4999950.5"}));
    for (int i = 0; i < 3; ++i) {
        CPolyVertex after;
        slope->GetSlopeVertex(after, i);
        const CPolyVertex& b = before[static_cast<size_t>(i)];
        EXPECT_TRUE(SameBits(after.x, b.x)) << i << " " << after.x;
        EXPECT_TRUE(SameBits(after.y, b.y)) << i << " " << after.y;
        EXPECT_TRUE(SameBits(after.auxA, b.auxA)) << i;
        EXPECT_TRUE(SameBits(after.auxB, b.auxB)) << i;
    }
}

TEST(SlopeEditor, CellsTakeDecimalNumbersWithinTheRangesTheModelHolds)
{
    SlopeDoc s;
    struct Case {
        int row, col;
        const char* text;
        const char* message;  // the start of the refusal
    } cases[] = {
        {2, COvdGridCtrl::COL_X, "0x10", "\"0x10\" is not a number"},
        {2, COvdGridCtrl::COL_Y, "1e300", "Please enter a number between -1000000000 and 1000000000."},
        {3, COvdGridCtrl::COL_X, "-1000000000.5", "Please enter a number between -1000000000 and 1000000000."},
        {2, COvdGridCtrl::COL_X_SD, "2e9", "Please enter a number between 0 and 1000000000."},
        {2, COvdGridCtrl::COL_Y_SD, "-1", "A standard deviation cannot be negative"},
    };
    std::vector<std::string> kept;
    Editing editing;
    WhenShown script([&] {
        HWND dialog = Shown("Slope Editor");
        ASSERT_NE(dialog, nullptr);
        Pump();
        COvdGridCtrl* grid = TableOf(dialog);
        for (const Case& c : cases) {
            const std::string old = Cell(*grid, c.row, c.col);
            TypeIntoCell(*grid, c.row, c.col, c.text);
            kept.push_back(Cell(*grid, c.row, c.col) == old ? "kept" : Cell(*grid, c.row, c.col));
        }
        // The ends of the range are coordinates the model takes.
        TypeIntoCell(*grid, 3, COvdGridCtrl::COL_Y, "-1e9");
        Click(dialog, IDOK);
    });
    s.doc->RunSlopeEditor(CSlopeEditorDlg::kPickNone, 0);

    ASSERT_EQ(editing.boxes.messages.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(editing.boxes.messages[i].rfind(cases[i].message, 0), 0u) << editing.boxes.messages[i];
        EXPECT_EQ(kept[i], "kept") << cases[i].text;
    }
    EXPECT_EQ(s.Vertex(1).x, 20.0);
    EXPECT_EQ(s.Vertex(1).y, 10.0);
    EXPECT_EQ(s.Vertex(2).y, -1e9);
}
