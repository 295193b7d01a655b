#include <gtest/gtest.h>
#include <vector>
#include "controls/OptionCheckListBox.h"
#include "framework/AfxWin.h"

namespace {

constexpr UINT kListId = 21;

std::vector<bool> Flags(const COptionCheckListBox& list)
{
    return std::vector<bool>(list.m_abOption, list.m_abOption + COptionCheckListBox::kRows);
}

// A click on the box of a row, as the user makes it.
void ClickBox(COptionCheckListBox& list, int row, UINT message = WM_LBUTTONDOWN)
{
    CRect item;
    list.GetItemRect(row, &item);
    const LPARAM at = MAKELPARAM(item.left + 5, item.CenterPoint().y);
    list.SendMessage(message, MK_LBUTTON, at);
    list.SendMessage(WM_LBUTTONUP, 0, at);
}

} // namespace

TEST(OptionCheckListBox, CountsAfterEveryClickAndOnRequest)
{
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr));
    COptionCheckListBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY,
                            CRect(0, 0, 200, 200), &host, kListId));
    // Before any count the flags are all set, whatever the rows show.
    EXPECT_EQ(list.m_nChecked, -10);
    EXPECT_EQ(Flags(list), std::vector<bool>(6, true));

    // Fewer than six rows: a missing row counts as unchecked.
    for (const char* text : {" A", " B", " C", " D", " E"})
        list.AddString(text);
    list.SetCheck(0, 1);
    list.SetCheck(2, 2);  // indeterminate
    list.SetCheck(4, 1);
    list.CountChecked();
    EXPECT_EQ(list.m_nChecked, 2);
    EXPECT_EQ(Flags(list), (std::vector<bool>{true, false, false, false, true, false}));

    // A click toggles the box, then counts; a double click toggles it again.
    ClickBox(list, 1);
    EXPECT_EQ(list.m_nChecked, 3);
    EXPECT_TRUE(list.m_abOption[1]);
    ClickBox(list, 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(list.m_nChecked, 2);
    EXPECT_FALSE(list.m_abOption[1]);

    // A change by the keyboard waits for the next count.
    list.SetCurSel(3);
    list.SendMessage(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_EQ(list.GetCheck(3), 1);
    EXPECT_EQ(list.m_nChecked, 2);
    list.CountChecked();
    EXPECT_EQ(list.m_nChecked, 3);
    host.DestroyWindow();
}
