// The program as it starts: the main frame with its docked toolbars, the
// material combo, the prompt bar, the status bar and a first document; menus
// switching between the frame's and the document's; update handlers.
#include <cfloat>

#include "ShellFixture.h"
#include "app/DistributionStatsDlg.h"
#include "framework/ControlBar.h"
#include "framework/DocTemplate.h"
#include "framework/Document.h"
#include "res/dialogs-shell.h"
#include "res/resource.h"

namespace {

CString PaneText(CMainFrame* f, UINT id) {
    return f->m_wndStatusBar.GetPaneText(f->m_wndStatusBar.CommandToIndex(id));
}

int RowOf(CToolBar& bar) {
    CDockBar* dock = bar.GetDockBar();
    return dock != nullptr ? dock->FindRow(&bar) : -1;
}

} // namespace

TEST_F(ShellTest, StartsMaximisedWithToolbarsPromptStatusBarAndADocument) {
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_TRUE(frame->IsZoomed());
    EXPECT_NE(firstDocument, nullptr);

    // Six toolbars docked at the top: Standard, Zoom and Geometry share the
    // first row of a wide screen; Materials always starts a new one.
    CToolBar* bars[] = {&frame->m_wndStandardBar, &frame->m_wndZoomBar, &frame->m_wndGeometryBar,
                        &frame->m_wndMaterialsBar, &frame->m_wndGraphBar, &frame->m_wndToolsBar};
    for (CToolBar* bar : bars) {
        ASSERT_NE(bar->GetSafeHwnd(), nullptr);
        EXPECT_TRUE(bar->IsVisible());
        ASSERT_NE(bar->GetDockBar(), nullptr);
        EXPECT_EQ(bar->GetDockBar()->GetDlgCtrlID(), AFX_IDW_DOCKBAR_TOP);
    }
    EXPECT_EQ(RowOf(frame->m_wndStandardBar), 0);
    EXPECT_EQ(RowOf(frame->m_wndZoomBar), 0);
    EXPECT_EQ(RowOf(frame->m_wndMaterialsBar), RowOf(frame->m_wndGeometryBar) + 1);
    // Bars of one row follow each other without gaps.
    CRect a, b;
    frame->m_wndMaterialsBar.GetWindowRect(&a);
    frame->m_wndGraphBar.GetWindowRect(&b);
    EXPECT_EQ(RowOf(frame->m_wndGraphBar), RowOf(frame->m_wndMaterialsBar));
    EXPECT_EQ(b.left, a.right);
    EXPECT_EQ(b.top, a.top);

    // The material combo sits on the Materials toolbar at the placeholder button.
    ASSERT_NE(frame->m_comboMaterial.GetSafeHwnd(), nullptr);
    EXPECT_EQ(::GetParent(frame->m_comboMaterial.m_hWnd), frame->m_wndMaterialsBar.m_hWnd);
    int placeholder = frame->m_wndMaterialsBar.CommandToIndex(ID_MATERIAL_COMBO_PLACEHOLDER);
    ASSERT_GE(placeholder, 0);
    CRect item;
    frame->m_wndMaterialsBar.GetItemRect(placeholder, &item);
    EXPECT_EQ(item.Width(), 183);

    // The prompt bar lies above the status bar, with the command line at its right.
    ASSERT_NE(frame->m_wndPromptBar.GetSafeHwnd(), nullptr);
    CRect prompt, status, edit;
    frame->m_wndPromptBar.GetWindowRect(&prompt);
    frame->m_wndStatusBar.GetWindowRect(&status);
    ::GetWindowRect(::GetDlgItem(frame->m_wndPromptBar.m_hWnd, IDC_COMMAND_LINE), &edit);
    EXPECT_EQ(prompt.bottom, status.top);
    EXPECT_EQ(edit.right, prompt.right - 18);
    // The prompt text runs from the bar's left margin to 20 pixels before the command line.
    CRect text;
    ::GetWindowRect(::GetDlgItem(frame->m_wndPromptBar.m_hWnd, IDC_PROMPT_TEXT), &text);
    EXPECT_EQ(text.right, edit.left - 20);
    EXPECT_GT(text.left, prompt.left);
    EXPECT_LT(text.left, prompt.left + 10);

    // Status bar panes in their order.
    const UINT panes[] = {ID_SEPARATOR, ID_INDICATOR_NUM, ID_INDICATOR_SNAP, ID_INDICATOR_GRID, ID_INDICATOR_ROCKS,
                          ID_INDICATOR_COORDINATES};
    ASSERT_EQ(frame->m_wndStatusBar.GetCount(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(frame->m_wndStatusBar.GetItemID(i), panes[i]);
}

TEST_F(ShellTest, CoordinatesPaneFollowsTheCursorAndBlanksOutsideViews) {
    frame->SetCursorCoordinates(1.5, -2.25);
    Idle();
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_COORDINATES), "1.500,-2.250");
    frame->SetCursorCoordinates(DBL_MAX, DBL_MAX);
    Idle();
    EXPECT_STREQ(PaneText(frame, ID_INDICATOR_COORDINATES), "\t");
    // A mouse move over the area behind the document windows clears them too.
    frame->SetCursorCoordinates(3, 4);
    ::SendMessageA(frame->m_hWndMDIClient, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(frame->m_dCursorX, DBL_MAX);
    EXPECT_EQ(frame->m_dCursorY, DBL_MAX);
}

TEST_F(ShellTest, ToolbarsThatDoNotFitStartNewRowsAndComeBackWhenThereIsRoom) {
    auto rowOf = [](CToolBar& bar) { return bar.GetDockBar()->FindRow(&bar); };
    frame->ShowWindow(SW_RESTORE);
    frame->MoveWindow(0, 0, 600, 700);
    frame->m_toolBarSet.Dock(frame);
    EXPECT_EQ(rowOf(frame->m_wndStandardBar), 0);
    EXPECT_EQ(rowOf(frame->m_wndZoomBar), 0);
    EXPECT_EQ(rowOf(frame->m_wndGeometryBar), 1);
    EXPECT_EQ(rowOf(frame->m_wndMaterialsBar), 2);
    EXPECT_EQ(rowOf(frame->m_wndGraphBar), 3);
    EXPECT_EQ(rowOf(frame->m_wndToolsBar), 4);
    // No bar lies over another.
    CRect standard, zoom;
    frame->m_wndStandardBar.GetWindowRect(&standard);
    frame->m_wndZoomBar.GetWindowRect(&zoom);
    EXPECT_GE(zoom.left, standard.right);

    frame->ShowWindow(SW_SHOWMAXIMIZED);
    frame->RearrangeToolbars();
    EXPECT_EQ(rowOf(frame->m_wndGeometryBar), 0);
    EXPECT_EQ(rowOf(frame->m_wndMaterialsBar), 1);
    EXPECT_EQ(rowOf(frame->m_wndToolsBar), 1);
    EXPECT_EQ(frame->m_wndStandardBar.GetDockBar()->GetRowCount(), 2);
}
