// File, Page Setup as the user works it: the dialog on the program's page
// settings, units, auto-formats (built in and the user's own, kept in the
// registry), and what reaches the application on OK and on Cancel.
#include "ShellFixture.h"

#include <string>
#include <vector>

#include "app/PageSetupDlg.h"
#include "res/dialogs-pagesetup.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class PageSetupTest : public ShellTest {
protected:
    static HWND Shown(const char* caption) { return ::FindWindowA(nullptr, caption); }
    static std::string Text(HWND dialog, int id)
    {
        char text[64] = {};
        ::GetDlgItemTextA(dialog, id, text, sizeof text);
        return text;
    }
    static void Press(HWND dialog, int id)
    {
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    static void Click(HWND dialog, int radio)
    {
        ::SendDlgItemMessageA(dialog, radio, BM_CLICK, 0, 0);
    }
    static void ChooseFormat(HWND dialog, int row)
    {
        HWND combo = ::GetDlgItem(dialog, IDC_PAGE_AUTO_FORMAT);
        ::SendMessageA(combo, CB_SETCURSEL, row, 0);
        ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_PAGE_AUTO_FORMAT, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(combo));
    }
    static int Selected(HWND dialog)
    {
        return static_cast<int>(::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETCURSEL, 0, 0));
    }
    // Runs File, Page Setup with the user's actions.
    void PageSetup(std::function<void(HWND)> actions)
    {
        bool shown = false;
        WhenShown answer([&] {
            HWND dialog = Shown("Page Setup");
            ASSERT_NE(dialog, nullptr);
            shown = true;
            actions(dialog);
        });
        app->OnCmdMsg(ID_FILE_PAGE_SETUP, CN_COMMAND, nullptr, nullptr);
        EXPECT_TRUE(shown);
    }
    static void RemoveUserFormats()
    {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, CPageSetupDlg::s_strAutoFormatsKey);
    }
};

}  // namespace

TEST_F(PageSetupTest, BuiltInFormatsUnitsAndOkReachTheApplication)
{
    MessageBoxRecorder boxes;
    std::vector<std::string> formats;
    std::string topInches, topCm, leftCm, topAgain;
    PageSetup([&](HWND dialog) {
        HWND combo = ::GetDlgItem(dialog, IDC_PAGE_AUTO_FORMAT);
        for (int i = 0; i < ::SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
            char text[128] = {};
            ::SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            formats.emplace_back(text);
        }
        Click(dialog, IDC_PAGE_INCHES);
        ChooseFormat(dialog, 4);  // "Portrait - Binding on Left"
        topInches = Text(dialog, IDC_PAGE_MARGIN_TOP);
        Click(dialog, IDC_PAGE_CENTIMETERS);
        topCm = Text(dialog, IDC_PAGE_MARGIN_TOP);
        leftCm = Text(dialog, IDC_PAGE_MARGIN_LEFT);
        Click(dialog, IDC_PAGE_INCHES);
        topAgain = Text(dialog, IDC_PAGE_MARGIN_TOP);
        Press(dialog, IDOK);
    });
    ASSERT_GE(formats.size(), 7u);
    EXPECT_EQ(formats[0], "Landscape - Default");
    EXPECT_EQ(formats[6], "Portrait - Large Binding on Left");
    EXPECT_EQ(topInches, "0.5");
    EXPECT_EQ(topCm, "1.27");
    EXPECT_EQ(leftCm, "3.81");
    EXPECT_EQ(topAgain, "0.5");
    // OK hands the settings to the application.
    EXPECT_EQ(app->m_pageSettings.m_nAutoFormat, 4);
    EXPECT_TRUE(app->m_pageSettings.m_bPortrait);
    EXPECT_DOUBLE_EQ(app->m_pageSettings.m_dLeft, 1.5);
    EXPECT_TRUE(app->m_pageSettings.m_bInches);
    EXPECT_TRUE(boxes.texts.empty());
}

// What Page Setup hands to the main window redraws everything inside it: the
// open documents' views as well as the frame, so that no part of a view stays
// as the dialog left it.
TEST_F(PageSetupTest, AppliedSettingsRedrawTheViewsInsideTheMainWindow)
{
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CView* view = child->GetActiveView();
    ASSERT_NE(view, nullptr);
    view->UpdateWindow();
    frame->UpdateWindow();
    ASSERT_FALSE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE));

    CPageSetupResult result;
    result.settings = app->m_pageSettings;
    result.printMargins = app->m_bPrintMargins;
    frame->SendMessage(WM_PAGE_SETUP_RESULT, reinterpret_cast<WPARAM>(&result));
    RECT pending{};
    EXPECT_TRUE(::GetUpdateRect(view->m_hWnd, &pending, FALSE));
    RECT client{};
    view->GetClientRect(&client);
    EXPECT_TRUE(::EqualRect(&pending, &client));
    app->CloseAllDocuments(FALSE);
    Idle();
}

TEST_F(PageSetupTest, CancelPutsBackWhatWasThereAfterAutoAppliedChanges)
{
    CPageSettings printer;
    if (!CPageSetupDlg::ReadPrinterPage(printer))
        GTEST_SKIP() << "no default printer in this session";
    // Start from a known state: landscape default.
    PageSetup([&](HWND dialog) {
        ChooseFormat(dialog, 0);
        Press(dialog, IDOK);
    });
    const CPageSettings before = app->m_pageSettings;
    ASSERT_FALSE(before.m_bPortrait);
    BOOL appliedPortrait = FALSE;
    PageSetup([&](HWND dialog) {
        Click(dialog, IDC_PAGE_PORTRAIT);
        // Auto apply: the application already has the change.
        appliedPortrait = app->m_pageSettings.m_bPortrait;
        Press(dialog, IDCANCEL);
    });
    EXPECT_TRUE(appliedPortrait);
    EXPECT_FALSE(app->m_pageSettings.m_bPortrait);
    EXPECT_EQ(app->m_pageSettings.m_nAutoFormat, before.m_nAutoFormat);
    EXPECT_DOUBLE_EQ(app->m_pageSettings.m_dLeft, before.m_dLeft);
    // The printer is back in landscape too.
    ASSERT_TRUE(CPageSetupDlg::ReadPrinterPage(printer));
    EXPECT_FALSE(printer.m_bPortrait);
}

TEST_F(PageSetupTest, UserFormatsAreSavedLoadedAndDeleted)
{
    RemoveUserFormats();
    MessageBoxRecorder boxes;
    // A name of one character is not saved; "Port" selects its own row, not
    // the built-in one its name begins.
    struct Save {
        const char* name;
    };
    std::vector<int> selected;
    std::vector<std::string> selectedText;
    int rowsAfterSaves = 0, rowsAfterDelete = 0;
    std::string deleteRefused;
    PageSetup([&](HWND dialog) {
        for (const Save& save : {Save{"P"}, Save{"Port"}, Save{"My margins"}}) {
            // Portrait chosen by hand: a custom set-up, which Save... offers to keep.
            ChooseFormat(dialog, 0);
            Click(dialog, IDC_PAGE_PORTRAIT);
            WhenShown name([&] {
                HWND named = Shown("New Auto-Format Name");
                ASSERT_NE(named, nullptr);
                ::SetDlgItemTextA(named, IDC_PAGE_FORMAT_NAME, save.name);
                Press(named, IDOK);
            });
            Press(dialog, IDC_PAGE_SAVE_FORMAT);
            selected.push_back(Selected(dialog));
            char text[128] = {};
            ::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETLBTEXT, Selected(dialog),
                                  reinterpret_cast<LPARAM>(text));
            selectedText.emplace_back(text);
        }
        rowsAfterSaves = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETCOUNT, 0, 0));
        // A built-in row cannot be deleted; the user's can.
        ::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_SETCURSEL, 2, 0);
        Press(dialog, IDC_PAGE_DELETE_FORMAT);
        deleteRefused = boxes.texts.empty() ? "" : boxes.texts.back();
        ::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_SETCURSEL, 7, 0);
        Press(dialog, IDC_PAGE_DELETE_FORMAT);
        rowsAfterDelete = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETCOUNT, 0, 0));
        Press(dialog, IDCANCEL);
    });
    ASSERT_EQ(selected.size(), 3u);
    EXPECT_EQ(rowsAfterSaves, 9);  // "Port" and "My margins"; not "P"
    EXPECT_GE(selected[1], 7);
    EXPECT_EQ(selectedText[1], "Port");
    EXPECT_GE(selected[2], 7);
    EXPECT_EQ(selectedText[2], "My margins");
    EXPECT_EQ(deleteRefused, "The built-in Auto-Formats cannot be deleted");
    EXPECT_EQ(rowsAfterDelete, 8);
    RemoveUserFormats();
}

TEST_F(PageSetupTest, SavingANameThatBeginsABuiltInOneKeepsTheUsersMargins)
{
    RemoveUserFormats();
    MessageBoxRecorder boxes;
    std::string top, left;
    PageSetup([&](HWND dialog) {
        Click(dialog, IDC_PAGE_INCHES);
        ChooseFormat(dialog, 0);
        Click(dialog, IDC_PAGE_PORTRAIT);
        top = Text(dialog, IDC_PAGE_MARGIN_TOP);
        left = Text(dialog, IDC_PAGE_MARGIN_LEFT);
        WhenShown name([&] {
            HWND named = Shown("New Auto-Format Name");
            ASSERT_NE(named, nullptr);
            ::SetDlgItemTextA(named, IDC_PAGE_FORMAT_NAME, "Port");
            Press(named, IDOK);
        });
        Press(dialog, IDC_PAGE_SAVE_FORMAT);
        Press(dialog, IDOK);
    });
    // Not "Portrait - Logotip at the Top" (top 1.5, left 0.75): the margins just saved.
    EXPECT_GE(app->m_pageSettings.m_nAutoFormat, 7);
    EXPECT_TRUE(app->m_pageSettings.m_bPortrait);
    EXPECT_NEAR(app->m_pageSettings.m_dTop, std::stod(top), 0.006);  // shown with two decimals
    EXPECT_NEAR(app->m_pageSettings.m_dLeft, std::stod(left), 0.006);
    EXPECT_NE(app->m_pageSettings.m_dTop, 1.5);
    EXPECT_TRUE(boxes.texts.empty());
    RemoveUserFormats();
}

// A format is a registry key of its name: a name with "\" is refused with a
// message and the name dialog stays open for another; nothing reaches the
// registry that the list could not show or Delete not remove.
TEST_F(PageSetupTest, ANameWithABackslashIsRefused)
{
    RemoveUserFormats();
    MessageBoxRecorder boxes;
    bool stayedOpen = false;
    std::vector<std::string> rows;
    PageSetup([&](HWND dialog) {
        ChooseFormat(dialog, 0);
        Click(dialog, IDC_PAGE_PORTRAIT);
        WhenShown name([&] {
            HWND named = Shown("New Auto-Format Name");
            ASSERT_NE(named, nullptr);
            ::SetDlgItemTextA(named, IDC_PAGE_FORMAT_NAME, "Office\\Left binding");
            Press(named, IDOK);
            stayedOpen = ::IsWindow(named) && ::IsWindowVisible(named);
            ::SetDlgItemTextA(named, IDC_PAGE_FORMAT_NAME, "Office - Left binding");
            Press(named, IDOK);
        });
        Press(dialog, IDC_PAGE_SAVE_FORMAT);
        const int count = static_cast<int>(::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETCOUNT, 0, 0));
        for (int i = 7; i < count; ++i) {
            char text[128] = {};
            ::SendDlgItemMessageA(dialog, IDC_PAGE_AUTO_FORMAT, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
            rows.emplace_back(text);
        }
        Press(dialog, IDCANCEL);
    });
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("cannot contain \"\\\""), std::string::npos) << boxes.texts[0];
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(rows, std::vector<std::string>{"Office - Left binding"});
    RemoveUserFormats();
}
