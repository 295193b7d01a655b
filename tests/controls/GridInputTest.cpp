// The grid driven by keys and clicks: walking the cells in dialog style,
// selecting with the mouse and Shift and Ctrl, Delete, sorting, and editing a
// cell in place from typing, F2 and clicks to Enter, Escape and the arrows.
#include "GridTestSupport.h"

using namespace gridtest;

TEST(GridKeys, TabAndEnterWalkWrapAndLeaveAtTheEnds)
{
    GridOnWindow g(3, 3);  // data cells (1..2, 1..2)
    g.grid.SetFocusCell(1, 1);
    g.Key(VK_TAB);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 2));
    g.Key(VK_TAB);  // wraps to the next row's first data column
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 1));
    EXPECT_TRUE(g.Selected(2, 1));
    EXPECT_EQ(g.grid.GetSelectedCount(), 1);
    g.Key(VK_RETURN);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 2));
    g.Key(VK_TAB);  // the last cell: the dialog moves on
    EXPECT_EQ(g.host.nextDlgCtl, 0);
    g.Key(VK_RETURN);
    EXPECT_EQ(g.host.returnKeys, 1);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 2));
    {
        Holding shift{VK_SHIFT};
        g.Key(VK_TAB);
        EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 1));
        g.Key(VK_TAB);
        EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 2));
        g.Key(VK_TAB);
        g.Key(VK_TAB);  // the first data cell: back to the previous control
        EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 1));
        EXPECT_EQ(g.host.nextDlgCtl, 1);
    }
    // The focus notifications name the cells left and entered.
    EXPECT_TRUE(g.host.Heard(GVN_FOCUSLEAVE));
    EXPECT_TRUE(g.host.Heard(GVN_FOCUSENTER));
    EXPECT_EQ(g.grid.SendMessage(WM_GETDLGCODE), static_cast<LRESULT>(DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTCHARS));
}

TEST(GridKeys, ArrowsStopAtTheEdgesAndShiftExtendsTheBlock)
{
    GridOnWindow g(5, 4);
    g.grid.SetFocusCell(1, 1);
    g.Key(VK_UP);
    g.Key(VK_LEFT);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 1));  // never into the headings
    {
        Holding shift{VK_SHIFT};
        g.Key(VK_DOWN);
        g.Key(VK_RIGHT);
    }
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 2));
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 1, 2, 2));
    g.Key(VK_END);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(4, 2));
    EXPECT_EQ(g.grid.GetSelectedCount(), 1);
    g.Key(VK_HOME);
    EXPECT_EQ(g.grid.GetFocusCell().row, 1);
    g.Key(VK_NEXT);  // nothing to scroll: the last row
    EXPECT_EQ(g.grid.GetFocusCell().row, 4);
}

TEST(GridKeys, TabPastTheRightEdgeScrollsDownAndFullyLeft)
{
    GridOnWindow g(30, 12, 300, 200);
    g.grid.SetFocusCell(1, 11);
    g.grid.EnsureVisible(1, 11);
    ASSERT_GT(g.grid.GetScrollPos(SB_HORZ), 0);
    for (int i = 0; i < 9; ++i)
        g.Key(VK_DOWN);
    g.Key(VK_TAB);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(11, 1));
    EXPECT_EQ(g.grid.GetScrollPos(SB_HORZ), 0);
    EXPECT_TRUE(g.grid.IsCellVisible(11, 1));
}

TEST(GridKeys, DeleteEmptiesEditableSelectedCellsOnly)
{
    GridOnWindow g(4, 4);
    g.grid.SetCellState(1, 2, GVIS_READONLY);
    g.grid.SetCellText(2, 1, "");
    g.grid.SetFocusCell(1, 1);
    g.grid.SetSelectedRange(0, 0, 2, 2);
    g.host.codes.clear();
    g.Key(VK_DELETE);
    EXPECT_EQ(g.Text(1, 1), "");
    EXPECT_EQ(g.Text(2, 2), "");
    EXPECT_EQ(g.Text(1, 2), "1,2");  // read-only
    EXPECT_EQ(g.Text(0, 1), "0,1");  // heading
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));
    EXPECT_TRUE(g.grid.GetModified());

    // Nothing left to empty: no notification.
    g.grid.SetModified(FALSE);
    g.grid.SetSelectedRange(2, 1, 2, 2);
    g.host.codes.clear();
    g.Key(VK_DELETE);
    EXPECT_FALSE(g.host.Heard(GVN_CONTENTCHANGED));
    EXPECT_FALSE(g.grid.GetModified());
}

TEST(GridMouse, ClicksSelectFocusAndExtendWithShiftAndCtrl)
{
    GridOnWindow g(6, 5);
    g.Click(2, 2);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 2));
    EXPECT_TRUE(g.Selected(2, 2));
    EXPECT_GE(g.host.clicks, 1);
    ::SetFocus(g.grid.GetSafeHwnd());  // ends the edit the click began
    Pump();

    g.Click(4, 3, MK_SHIFT);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(2, 2, 4, 3));
    ::SetFocus(g.grid.GetSafeHwnd());
    Pump();

    // A dragged block; with Ctrl a second block joins it.
    g.Drag(1, 1, 2, 2);
    EXPECT_EQ(g.grid.GetSelectedCount(), 4);
    g.Drag(4, 3, 5, 4, MK_CONTROL);
    EXPECT_EQ(g.grid.GetSelectedCount(), 8);
    EXPECT_TRUE(g.Selected(1, 1));
    EXPECT_TRUE(g.Selected(5, 4));
    EXPECT_FALSE(g.Selected(3, 3));
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(5, 4));

    // A heading selects its whole column, the corner everything.
    g.Click(0, 2);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(1, 2, 5, 2));
    EXPECT_EQ(g.grid.GetSelectedCount(), 5);
    g.Click(3, 0);
    EXPECT_EQ(g.grid.GetSelectedCellRange(), CCellRange(3, 1, 3, 4));
    g.Click(0, 0);
    EXPECT_EQ(g.grid.GetSelectedCount(), 20);
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

TEST(GridMouse, DraggingAColumnDividerResizesItButNeverBelowZero)
{
    GridOnWindow g(4, 4);
    CRect heading;
    g.grid.GetCellRect(0, 1, &heading);
    const int divider = heading.right;
    g.grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(divider, 5));
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_OVER_COL_DIVIDE);
    g.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider, 5));
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_SIZING_COL);
    g.grid.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(divider + 30, 5));
    g.grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(divider + 30, 5));
    EXPECT_EQ(g.grid.GetColumnWidth(1), divider + 30 - heading.left);

    g.grid.GetCellRect(0, 1, &heading);
    g.grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(heading.right, 5));
    g.grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(heading.right, 5));
    g.grid.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(heading.left - 20, 5));
    EXPECT_EQ(g.grid.GetColumnWidth(1), 0);

    // Turned off, the divider is just a heading.
    g.grid.SetColumnResize(FALSE);
    g.grid.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(divider, 5));
    EXPECT_EQ(g.grid.GetMouseMode(), CGridCtrl::MOUSE_NOTHING);
}

TEST(GridSort, SortsRowsByAColumnAndKeepsEqualRowsWhereTheyAre)
{
    GridOnWindow g(6, 3);
    const char* names[] = {"pear", "apple", "fig", "Zebra", "kiwi"};
    for (int r = 1; r <= 5; ++r) {
        g.grid.SetCellText(r, 1, names[r - 1]);
        g.grid.SetRowHeight(r, 20 + r);
    }
    EXPECT_TRUE(g.grid.SortTextItems(1, TRUE));
    EXPECT_EQ(g.Text(1, 1), "Zebra");  // byte order: capitals first
    EXPECT_EQ(g.Text(2, 1), "apple");
    EXPECT_EQ(g.Text(5, 1), "pear");
    EXPECT_EQ(g.Text(2, 2), "2,2");    // whole rows travel
    EXPECT_EQ(g.grid.GetRowHeight(2), 22);
    EXPECT_TRUE(g.grid.SortTextItems(1, FALSE));
    EXPECT_EQ(g.Text(1, 1), "pear");
    EXPECT_FALSE(g.grid.SortTextItems(3, TRUE));

    for (int r = 1; r <= 5; ++r)
        g.grid.SetCellText(r, 1, "same");
    EXPECT_TRUE(g.grid.SortTextItems(1, TRUE));
    EXPECT_EQ(g.Text(1, 2), "1,2");  // the last descending order stays
    EXPECT_EQ(g.Text(2, 2), "5,2");
}

TEST(GridEditing, TypingReplacesEnterAppliesAndNotifies)
{
    GridOnWindow g(4, 3);
    g.grid.SetFocusCell(1, 1);
    g.host.codes.clear();
    g.Char('a');
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.EditorText(), "a");
    EXPECT_TRUE(g.host.Heard(GVN_BEGINEDIT));
    g.TypeInEditor("bc");
    g.KeyInEditor(VK_RETURN);
    EXPECT_EQ(g.Text(1, 1), "abc");
    EXPECT_TRUE(g.grid.GetModified());
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));
    EXPECT_TRUE(g.host.Heard(GVN_ENDEDIT));
    // Enter also moves on, as on the grid, without opening the next cell.
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 2));
    EXPECT_EQ(g.Editor(), nullptr);
}

TEST(GridEditing, EscapeRestoresAndF2KeepsTheTextWithTheCaretAtTheEnd)
{
    GridOnWindow g(4, 3);
    g.grid.SetFocusCell(2, 2);
    g.Key(VK_F2);
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.EditorText(), "2,2");
    DWORD start = 0, end = 0;
    ::SendMessageA(g.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 3u);
    EXPECT_EQ(end, 3u);
    g.TypeInEditor("xyz");
    g.host.codes.clear();
    g.KeyInEditor(VK_ESCAPE);
    EXPECT_EQ(g.Text(2, 2), "2,2");
    EXPECT_FALSE(g.grid.GetModified());
    EXPECT_TRUE(g.host.Heard(GVN_CONTENTCHANGED));
    EXPECT_TRUE(g.host.Heard(GVN_ENDEDIT));
    EXPECT_EQ(g.Editor(), nullptr);

    // Read-only and heading cells do not open.
    g.grid.SetCellState(2, 1, GVIS_READONLY);
    g.grid.SetFocusCell(2, 1);
    g.Key(VK_F2);
    EXPECT_EQ(g.Editor(), nullptr);
}

TEST(GridEditing, ArrowsAtTheEdgesOfTheTextMoveTheEditOn)
{
    GridOnWindow g(4, 4);
    g.grid.SetFocusCell(1, 1);
    g.Key(VK_F2);
    ASSERT_NE(g.Editor(), nullptr);
    g.KeyInEditor(VK_LEFT);  // inside the text: only the caret moves
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 1));
    ::SendMessageA(g.Editor(), EM_SETSEL, 3, 3);
    g.KeyInEditor(VK_RIGHT);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(1, 2));
    ASSERT_NE(g.Editor(), nullptr);
    DWORD start = 0, end = 0;
    ::SendMessageA(g.Editor(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(g.EditorText(), "1,2");
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);  // the whole text selected
    g.KeyInEditor(VK_DOWN);
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 2));
    g.KeyInEditor(VK_TAB);  // Tab ends and moves, opening nothing
    EXPECT_EQ(g.grid.GetFocusCell(), CGridCellId(2, 3));
    EXPECT_EQ(g.Editor(), nullptr);
}

TEST(GridEditing, AClickOnTheFocusCellEditsItAndALongTextWidensTheEdit)
{
    GridOnWindow g(4, 3, 300, 200);
    g.Click(1, 1);  // selects, focuses and starts editing on release
    ASSERT_NE(g.Editor(), nullptr);
    EXPECT_EQ(g.EditorText(), "1,1");
    g.TypeInEditor(" and a good deal more text than fits");
    CRect edit, client;
    ::GetWindowRect(g.Editor(), &edit);
    g.grid.ScreenToClient(&edit);
    g.grid.GetClientRect(&client);
    EXPECT_GT(edit.Width(), 60);
    EXPECT_LE(edit.right, client.right);
    ::SetFocus(g.grid.GetSafeHwnd());
    Pump();
    EXPECT_EQ(g.Text(1, 1), "1,1 and a good deal more text than fits");

    g.Click(1, 1);  // the focus cell: edit on release, the selection stays
    EXPECT_NE(g.Editor(), nullptr);
    EXPECT_TRUE(g.Selected(1, 1));
}
