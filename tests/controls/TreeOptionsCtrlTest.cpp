// The check-box tree: clicks on an item's row and the space bar tick and
// clear its box, the expand button does not, and disabled boxes stay as they are.
#include <gtest/gtest.h>

#include "controls/TreeOptionsCtrl.h"
#include "framework/AfxWin.h"

namespace {

// The first point of the item's row, scanning from the left, whose hit test
// has the flag; (-1, -1) when there is none.
CPoint FindOnRow(CTreeOptionsCtrl& tree, HTREEITEM item, UINT flag)
{
    CRect row;
    tree.GetItemRect(item, &row, FALSE);
    for (int x = 0; x < row.right; ++x) {
        UINT hit = 0;
        const CPoint p(x, row.CenterPoint().y);
        if (tree.HitTest(p, &hit) == item && (hit & flag))
            return p;
    }
    return CPoint(-1, -1);
}

BOOL Checked(CTreeOptionsCtrl& tree, HTREEITEM item)
{
    BOOL checked = -1;
    EXPECT_TRUE(tree.GetCheckBox(item, checked));
    return checked;
}

void Click(CTreeOptionsCtrl& tree, CPoint p)
{
    // The tree watches for a drag after the button goes down: the release is
    // already waiting in the queue, as a quick click leaves it.
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
    tree.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(p.x, p.y));
    MSG msg;
    while (::PeekMessageA(&msg, tree.GetSafeHwnd(), 0, 0, PM_REMOVE))
        ::DispatchMessageA(&msg);
}

}  // namespace

TEST(TreeOptionsCtrl, ClicksAndSpaceToggleEnabledBoxesOnly)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 300, nullptr, nullptr));
    // As a dialog's tree is: made first, then taken over by the control.
    HWND made = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES |
                                  TVS_LINESATROOT, 0, 0, 280, 260, host.GetSafeHwnd(), reinterpret_cast<HMENU>(40),
                                  ::GetModuleHandleA(nullptr), nullptr);
    CTreeOptionsCtrl tree;
    ASSERT_TRUE(tree.SubclassWindow(made));
    EXPECT_NE(tree.SendMessage(TVM_GETIMAGELIST, TVSIL_NORMAL), 0);

    HTREEITEM heading = tree.InsertCheckBox("Slope", nullptr, FALSE);
    HTREEITEM entry = tree.InsertCheckBox("Vertex 1", heading, TRUE);
    ASSERT_NE(entry, nullptr);
    tree.Expand(heading, TVE_EXPAND);
    EXPECT_FALSE(Checked(tree, heading));
    EXPECT_TRUE(Checked(tree, entry));
    EXPECT_TRUE(tree.IsCheckBox(entry));

    // The label, the box and the space right of the label toggle; the expand button does not.
    const CPoint label = FindOnRow(tree, heading, TVHT_ONITEMLABEL);
    ASSERT_GE(label.x, 0);
    Click(tree, label);
    EXPECT_TRUE(Checked(tree, heading));
    const CPoint button = FindOnRow(tree, heading, TVHT_ONITEMBUTTON);
    ASSERT_GE(button.x, 0);
    Click(tree, button);
    EXPECT_TRUE(Checked(tree, heading));
    // That click folded the heading; open it again to reach its entry.
    tree.Expand(heading, TVE_EXPAND);
    const CPoint box = FindOnRow(tree, entry, TVHT_ONITEMICON);
    ASSERT_GE(box.x, 0);
    Click(tree, box);
    EXPECT_FALSE(Checked(tree, entry));
    CRect row;
    tree.GetItemRect(entry, &row, TRUE);
    Click(tree, CPoint(row.right + 20, row.CenterPoint().y));
    EXPECT_TRUE(Checked(tree, entry));

    // The space bar toggles the selected item.
    tree.SelectItem(entry);
    tree.SendMessage(WM_CHAR, ' ', 0);
    EXPECT_FALSE(Checked(tree, entry));

    // A disabled ticked box reports ticked and ignores clicks and the space bar.
    tree.SetItemImage(entry, 5, 5);
    BOOL enabled = TRUE;
    EXPECT_TRUE(tree.GetCheckBoxEnable(entry, enabled));
    EXPECT_FALSE(enabled);
    EXPECT_TRUE(Checked(tree, entry));
    tree.SendMessage(WM_CHAR, ' ', 0);
    Click(tree, FindOnRow(tree, entry, TVHT_ONITEMLABEL));
    EXPECT_TRUE(Checked(tree, entry));
    int image = -1, selected = -1;
    tree.GetItemImage(entry, image, selected);
    EXPECT_EQ(image, 5);
    // Setting the box makes it an enabled one.
    tree.SetCheckBox(entry, FALSE);
    EXPECT_TRUE(tree.GetCheckBoxEnable(entry, enabled));
    EXPECT_TRUE(enabled);
    tree.UnsubclassWindow();
    host.DestroyWindow();
}
