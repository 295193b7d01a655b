// Dialogs from a template, modal and modeless, with data exchange and
// validation driven as a user would: typing into the controls and pressing OK.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/FileDialog.h"
#include "TestResource.h"
#include "WindowTestSupport.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 50;

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(IDD_TESTDIALOG) {}

    double m_factor = 0.1;
    int m_count = 3;
    UINT m_size = 7;
    CString m_name = "abc";
    int m_enabled = 1;
    int m_choice = 1;
    int m_comboIndex = 2;
    CString m_listText = "beta";
    CWnd m_nameEdit;
    // What the "user" does once the dialog shows.
    std::function<void(CTestDialog&)> script;

    BOOL OnInitDialog() override {
        HWND combo = ::GetDlgItem(m_hWnd, IDC_COMBO);
        for (const char* s : {"zero", "one", "two"}) ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        HWND list = ::GetDlgItem(m_hWnd, IDC_LIST);
        for (const char* s : {"alpha", "beta", "gamma"}) ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        CDialog::OnInitDialog();
        PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }

    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, IDC_NAME, m_nameEdit);
        DDX_Text(pDX, IDC_DOUBLE, m_factor);
        DDV_MinMaxDouble(pDX, m_factor, 0.0, 100.0);
        DDX_Text(pDX, IDC_INT, m_count);
        DDV_MinMaxInt(pDX, m_count, 1, 10);
        DDX_Text(pDX, IDC_UINT, m_size);
        DDX_Text(pDX, IDC_NAME, m_name);
        DDV_MaxChars(pDX, m_name, 5);
        DDX_Check(pDX, IDC_CHECK, m_enabled);
        DDX_Radio(pDX, IDC_RADIO1, m_choice);
        DDX_CBIndex(pDX, IDC_COMBO, m_comboIndex);
        DDX_LBString(pDX, IDC_LIST, m_listText);
    }

    std::string Text(int id) const {
        char buffer[256] = {};
        ::GetDlgItemTextA(m_hWnd, id, buffer, sizeof(buffer));
        return buffer;
    }
    void Type(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    void PressOK() {
        SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(m_hWnd, IDOK)));
    }

protected:
    afx_msg LRESULT OnRunScript(WPARAM, LPARAM) {
        if (script) script(*this);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_MESSAGE(WM_RUN_SCRIPT, OnRunScript)
END_MESSAGE_MAP()

} // namespace

TEST(DialogTest, ModalDialogShowsTheValuesAndRefusesAnOutOfRangeNumber) {
    MessageBoxRecorder boxes;
    CTestDialog dlg;
    dlg.m_factor = 1.0 / 3.0;
    std::string shownFactor, shownName, shownList;
    int shownCombo = -2, shownRadio = 0;
    bool stillOpenAfterBadValue = false, focusBackInEdit = false;
    dlg.script = [&](CTestDialog& d) {
        shownFactor = d.Text(IDC_DOUBLE);
        shownName = d.Text(IDC_NAME);
        shownCombo = static_cast<int>(d.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL));
        shownRadio = d.GetCheckedRadioButton(IDC_RADIO1, IDC_RADIO3);
        shownList = d.Text(IDC_LIST);

        d.Type(IDC_DOUBLE, "150");
        d.PressOK();
        stillOpenAfterBadValue = ::IsWindowVisible(d.GetSafeHwnd()) != FALSE;
        focusBackInEdit = ::GetFocus() == ::GetDlgItem(d.GetSafeHwnd(), IDC_DOUBLE);

        d.Type(IDC_DOUBLE, " 42.5 ");
        d.CheckDlgButton(IDC_CHECK, BST_UNCHECKED);
        d.CheckRadioButton(IDC_RADIO1, IDC_RADIO3, IDC_RADIO3);
        d.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 0);
        d.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 2);
        d.PressOK();
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);

    // Doubles are shown with 15 significant digits.
    EXPECT_EQ(shownFactor, "0.333333333333333");
    EXPECT_EQ(shownName, "abc");
    EXPECT_EQ(shownCombo, 2);
    EXPECT_EQ(shownRadio, IDC_RADIO2);

    EXPECT_TRUE(stillOpenAfterBadValue);
    EXPECT_TRUE(focusBackInEdit);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Please enter a number between 0 and 100.");

    EXPECT_DOUBLE_EQ(dlg.m_factor, 42.5);
    EXPECT_EQ(dlg.m_enabled, 0);
    EXPECT_EQ(dlg.m_choice, 2);
    EXPECT_EQ(dlg.m_comboIndex, 0);
    EXPECT_STREQ(dlg.m_listText, "gamma");
    EXPECT_EQ(dlg.GetSafeHwnd(), nullptr);
}

TEST(DialogTest, BadEntriesAreRefusedWithTheirMessages) {
    struct Case {
        int control;
        const char* typed;
        const char* message;
    } cases[] = {
        {IDC_INT, "abc", "Please enter an integer."},
        {IDC_INT, "12", "Please enter an integer between 1 and 10."},
        {IDC_INT, "3x", "Please enter an integer."},
        {IDC_DOUBLE, "1,5", "Please enter a number."},
        {IDC_DOUBLE, "-0.5", "Please enter a number between 0 and 100."},
        {IDC_UINT, "-1", "Please enter a positive integer."},
        {IDC_NAME, "toolong", "Please enter no more than 5 characters."},
    };
    for (const Case& c : cases) {
        MessageBoxRecorder boxes;
        CTestDialog dlg;
        int result = 0;
        dlg.script = [&](CTestDialog& d) {
            d.Type(c.control, c.typed);
            d.PressOK();
            d.EndDialog(IDCANCEL);
        };
        result = static_cast<int>(dlg.DoModal());
        EXPECT_EQ(result, IDCANCEL) << c.typed;
        ASSERT_EQ(boxes.texts.size(), 1u) << c.typed;
        EXPECT_EQ(boxes.texts[0], c.message) << c.typed;
        EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONEXCLAMATION));
    }
}

namespace {

// The same template with a float and an int that no range check follows:
// the exchange alone must refuse what is not a finite number.
class CUncheckedNumbersDialog : public CTestDialog {
public:
    float m_ratio = 0.5f;
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_DOUBLE, m_ratio);
        DDX_Text(pDX, IDC_INT, m_count);
    }
};

} // namespace

TEST(DialogTest, NumbersThatAreNotFiniteAreRefused) {
    struct Case {
        bool checkedDouble;  // the range-checked double of the test dialog, else the unchecked dialog
        int control;
        const char* typed;
        const char* message;
    } cases[] = {
        {true, IDC_DOUBLE, "nan", "Please enter a number."},
        {true, IDC_DOUBLE, "inf", "Please enter a number."},
        {true, IDC_DOUBLE, "-Infinity", "Please enter a number."},
        {true, IDC_DOUBLE, "1e999", "Please enter a number."},
        {false, IDC_DOUBLE, "NaN", "Please enter a number."},
        {false, IDC_DOUBLE, "-inf", "Please enter a number."},
        {false, IDC_DOUBLE, "1e999", "Please enter a number."},
        {false, IDC_DOUBLE, "1e39", "Please enter a number."},  // finite as a double, not as a float
        {false, IDC_INT, "nan", "Please enter an integer."},
        {false, IDC_INT, "inf", "Please enter an integer."},
        {false, IDC_INT, "1e999", "Please enter an integer."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        MessageBoxRecorder boxes;
        CTestDialog checked;
        CUncheckedNumbersDialog unchecked;
        CTestDialog& dlg = c.checkedDouble ? checked : unchecked;
        bool stayed = false;
        dlg.script = [&](CTestDialog& d) {
            d.Type(c.control, c.typed);
            d.PressOK();
            stayed = ::IsWindowVisible(d.GetSafeHwnd()) != FALSE;
            d.EndDialog(IDCANCEL);
        };
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
        EXPECT_TRUE(stayed);
        ASSERT_EQ(boxes.texts.size(), 1u);
        EXPECT_EQ(boxes.texts[0], c.message);
        // The variables keep what they held.
        EXPECT_DOUBLE_EQ(checked.m_factor, 0.1);
        EXPECT_FLOAT_EQ(unchecked.m_ratio, 0.5f);
        EXPECT_EQ(dlg.m_count, 3);
    }
}

TEST(DialogTest, ModalDialogOpensCentredOverItsOwner) {
    // A visible owner away from the screen's corner.
    CWnd owner;
    owner.Attach(::CreateWindowExA(0, "STATIC", "Owner", WS_POPUP | WS_VISIBLE, 200, 150, 600, 400, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr));
    struct COwned : CTestDialog {
        explicit COwned(CWnd* parent) { m_pParentWnd = parent; }
    } dlg(&owner);
    CRect shown;
    dlg.script = [&](CTestDialog& d) {
        d.GetWindowRect(&shown);
        d.EndDialog(IDCANCEL);
    };
    dlg.DoModal();
    EXPECT_NEAR(shown.CenterPoint().x, 500, 2);
    EXPECT_NEAR(shown.CenterPoint().y, 350, 2);
    ::DestroyWindow(owner.Detach());
}

TEST(DialogTest, CancelLeavesTheVariablesAlone) {
    CTestDialog dlg;
    dlg.script = [](CTestDialog& d) {
        d.Type(IDC_DOUBLE, "99");
        d.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    EXPECT_DOUBLE_EQ(dlg.m_factor, 0.1);
}

TEST(DialogTest, ModelessDialogLivesUntilDestroyed) {
    static bool deleted = false;
    struct CModeless : CTestDialog {
        void PostNcDestroy() override {
            deleted = true;
            delete this;
        }
    };
    auto* dlg = new CModeless;
    ASSERT_TRUE(dlg->Create(IDD_TESTDIALOG));
    HWND h = dlg->GetSafeHwnd();
    EXPECT_TRUE(::IsWindow(h));
    EXPECT_EQ(dlg->Text(IDC_DOUBLE), "0.1"); // OnInitDialog filled the controls
    // The dialog's controls are reached through the handle map.
    EXPECT_EQ(CWnd::FromHandlePermanent(::GetDlgItem(h, IDC_NAME)), &dlg->m_nameEdit);
    PumpPending();
    dlg->DestroyWindow();
    EXPECT_TRUE(deleted);
    EXPECT_FALSE(::IsWindow(h));
}

TEST(DialogTest, CommonDialogsCanBeAnsweredByTheTestHook) {
    struct Hook {
        static INT_PTR Answer(CCommonDialog* dlg) {
            if (auto* file = dynamic_cast<CFileDialog*>(dlg)) {
                file->SetPathName("C:\\data\\slope.cla");
                return IDOK;
            }
            if (auto* color = dynamic_cast<CColorDialog*>(dlg)) {
                color->SetCurrentColor(RGB(1, 2, 3));
                return IDOK;
            }
            return IDCANCEL;
        }
    };
    AfxCommonDialogHook previous = AfxSetCommonDialogHook(&Hook::Answer);
    CFileDialog open(TRUE, "cla", nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, "Clastor Files (*.cla)|*.cla|All Files (*.*)|*.*||");
    ASSERT_EQ(open.DoModal(), IDOK);
    EXPECT_STREQ(open.GetPathName(), "C:\\data\\slope.cla");
    EXPECT_STREQ(open.GetFileName(), "slope.cla");
    EXPECT_STREQ(open.GetFileExt(), "cla");
    EXPECT_STREQ(open.GetFileTitle(), "slope");
    // The filter's bars became the separators the system expects.
    const char* filter = open.m_ofn.lpstrFilter;
    EXPECT_STREQ(filter, "Clastor Files (*.cla)");
    filter += strlen(filter) + 1;
    EXPECT_STREQ(filter, "*.cla");
    filter += strlen(filter) + 1;
    EXPECT_STREQ(filter, "All Files (*.*)");
    filter += strlen(filter) + 1;
    EXPECT_STREQ(filter, "*.*");
    filter += strlen(filter) + 1;
    EXPECT_EQ(*filter, 0);

    CColorDialog color(RGB(9, 9, 9));
    ASSERT_EQ(color.DoModal(), IDOK);
    EXPECT_EQ(color.GetColor(), RGB(1, 2, 3));
    CFontDialog font;
    EXPECT_EQ(font.DoModal(), IDCANCEL);
    AfxSetCommonDialogHook(previous);
}

TEST(DialogTest, MessageBoxTakesATextOrAStringId) {
    MessageBoxRecorder boxes;
    boxes.answers = {IDYES, IDNO};
    EXPECT_EQ(AfxMessageBox("Delete?", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(IDS_TEST_PROMPT, MB_YESNO | MB_ICONQUESTION), IDNO);
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(boxes.texts[1], "A prompt from the string table");
    EXPECT_EQ(boxes.types[0] & MB_ICONMASK, static_cast<UINT>(MB_ICONQUESTION)); // the buttons pick the icon
}
