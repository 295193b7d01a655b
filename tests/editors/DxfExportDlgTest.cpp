#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "framework/AfxWin.h"
#include "editors/DxfExportDlg.h"
#include "res/dialogs-dxf.h"

namespace {

// A control's rectangle in the dialog's client area.
CRect ControlRect(CDialog& dlg, int id)
{
    CRect r;
    ::GetWindowRect(::GetDlgItem(dlg.GetSafeHwnd(), id), &r);
    ::MapWindowPoints(nullptr, dlg.GetSafeHwnd(), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Position and size are converted each on its own, as the dialog manager does.
CRect DialogUnits(CDialog& dlg, int x, int y, int cx, int cy)
{
    CRect r(x, y, cx, cy);
    dlg.MapDialogRect(&r);
    return CRect(r.left, r.top, r.left + r.right, r.top + r.bottom);
}

std::string ItemText(CDialog& dlg, int id)
{
    char text[64] = {};
    ::GetDlgItemTextA(dlg.GetSafeHwnd(), id, text, sizeof text);
    return text;
}

} // namespace

TEST(DxfExportDlg, LayoutRowsAndTheirChecks)
{
    CDxfExportDlg dlg;
    // No barriers and no selected rock paths in this drawing.
    const bool offered[6] = {true, false, true, true, false, true};
    for (int row = 0; row < 6; ++row)
        dlg.m_options.m_abOption[row] = offered[row];
    ASSERT_TRUE(dlg.Create(CDxfExportDlg::IDD, nullptr));

    CString caption;
    dlg.GetWindowText(caption);
    EXPECT_STREQ(caption, "DXF Export");
    auto show = [](const CRect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom);
    };
    CRect client;
    dlg.GetClientRect(&client);
    EXPECT_EQ(show(client), show(DialogUnits(dlg, 0, 0, 130, 95)));
    EXPECT_EQ(show(ControlRect(dlg, IDC_DXF_EXPORT_OPTIONS)), show(DialogUnits(dlg, 7, 7, 115, 66)));
    EXPECT_EQ(show(ControlRect(dlg, IDOK)), show(DialogUnits(dlg, 10, 75, 60, 14)));
    EXPECT_EQ(show(ControlRect(dlg, IDCANCEL)), show(DialogUnits(dlg, 80, 75, 40, 14)));
    EXPECT_EQ(ItemText(dlg, IDOK), "Select File...");
    EXPECT_EQ(ItemText(dlg, IDCANCEL), "Cancel");

    COptionCheckListBox& list = dlg.m_options;
    ASSERT_EQ(list.GetCount(), 6);
    const char* texts[6] = {" Slope", " Barriers", " Collectors", " Seeders", " Selected Rock Paths",
                            " All Rock Paths"};
    for (int row = 0; row < 6; ++row) {
        CString text;
        list.GetText(row, text);
        EXPECT_STREQ(text, texts[row]);
        EXPECT_EQ(list.GetCheck(row), offered[row] ? 1 : 0) << row;
        EXPECT_EQ(list.IsEnabled(row) != FALSE, offered[row]) << row;
    }
    EXPECT_EQ(list.m_nChecked, -10);

    // The user unchecks the seeders and tries the disabled barriers.
    for (int row : {3, 1}) {
        CRect item;
        list.GetItemRect(row, &item);
        const LPARAM at = MAKELPARAM(item.left + 5, item.CenterPoint().y);
        list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
        list.SendMessage(WM_LBUTTONUP, 0, at);
    }
    EXPECT_EQ(list.GetCheck(3), 0);
    EXPECT_EQ(list.GetCheck(1), 0);

    // "Select File..." leaves the checked rows in the flags.
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(std::vector<bool>(list.m_abOption, list.m_abOption + 6),
              (std::vector<bool>{true, false, true, false, false, true}));
    EXPECT_EQ(list.m_nChecked, 3);
    if (::IsWindow(dlg.GetSafeHwnd()))
        dlg.DestroyWindow();
}
