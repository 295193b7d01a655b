// A grid or snap changed in its dialog is shown as soon as OK closes it: the
// slope window has drawn it and the status bar says it, before the program's
// message loop has had an idle moment.
#include "ShellFixture.h"

#include "app/DocumentLink.h"
#include "res/dialogs-model.h"
#include "res/resource.h"
#include "tests/support/WhenShown.h"

namespace {

class ViewSettingsShownTest : public ShellTest {
protected:
    static CString PaneText(UINT id) { return frame->m_wndStatusBar.GetPaneText(frame->m_wndStatusBar.CommandToIndex(id)); }
    // Runs a settings command with the user's actions in its dialog, ending with OK.
    static void RunDialog(UINT command, const char* caption, void (*actions)(HWND))
    {
        static void (*s_actions)(HWND);
        static const char* s_caption;
        s_actions = actions;
        s_caption = caption;
        bool shown = false;
        WhenShown answer([&] {
            HWND dialog = ::FindWindowA(nullptr, s_caption);
            ASSERT_NE(dialog, nullptr);
            shown = true;
            s_actions(dialog);
            ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
        });
        frame->SendMessage(WM_COMMAND, command, 0);
        EXPECT_TRUE(shown) << caption;
    }
};

}  // namespace

TEST_F(ViewSettingsShownTest, GridAndSnapChangedInTheirDialogsShowAtOnce)
{
    app->OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
    Idle();
    CMDIChildWnd* child = frame->MDIGetActive();
    ASSERT_NE(child, nullptr);
    CView* view = child->GetActiveView();
    CDocument* doc = child->GetActiveDocument();
    ASSERT_TRUE(ShellLink::IsSlopeDocument(doc));
    if (ShellLink::GetGridState(doc) == 73)
        ShellLink::ToggleGrid(doc);
    ShellLink::SetSnapMode(doc, 29);
    Idle();
    view->UpdateWindow();
    ASSERT_STREQ(PaneText(ID_INDICATOR_GRID), "\t");
    ASSERT_STREQ(PaneText(ID_INDICATOR_SNAP), "NO SNAPPING");

    RunDialog(ID_GRID_SETTINGS, "Grid Settings", [](HWND dialog) {
        ::SendDlgItemMessageA(dialog, IDC_GRID_ON, BM_CLICK, 0, 0);
        ::SetDlgItemTextA(dialog, IDC_GRID_SPACING_X, "2.5");
        ::SetDlgItemTextA(dialog, IDC_GRID_SPACING_Y, "2.5");
    });
    EXPECT_EQ(ShellLink::GetGridState(doc), 73);
    EXPECT_STREQ(PaneText(ID_INDICATOR_GRID), "GRID");
    // Nothing of the window is left to draw: it shows the new grid.
    EXPECT_FALSE(::GetUpdateRect(view->m_hWnd, nullptr, FALSE));

    RunDialog(ID_SNAP_SETTINGS, "Snap", [](HWND dialog) { ::SendDlgItemMessageA(dialog, IDC_SNAP_GRID, BM_CLICK, 0, 0); });
    EXPECT_EQ(ShellLink::GetSnapMode(doc), 30);
    EXPECT_STREQ(PaneText(ID_INDICATOR_SNAP), "GRID SNAP");

    app->CloseAllDocuments(FALSE);
    Idle();
}
