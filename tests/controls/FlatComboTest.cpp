// Flat combo boxes: swatch items show the entity's colour and name, pattern
// items a sample of their brush; the caption-bar dialog rolls up and back.
#include <gtest/gtest.h>

#include "controls/CaptionBarDialog.h"
#include "controls/FlatComboBox.h"
#include "framework/DC.h"
#include "geometry/Entity.h"
#include "res/dialogs-shell.h"

namespace {

struct Surface {
    CDC dc;
    CBitmap bitmap;
    CGdiObject* old = nullptr;
    Surface(int w, int h) {
        HDC screen = ::GetDC(nullptr);
        dc.Attach(::CreateCompatibleDC(screen));
        bitmap.CreateCompatibleBitmap(CDC::FromHandle(screen), w, h);
        ::ReleaseDC(nullptr, screen);
        old = dc.SelectObject(&bitmap);
        dc.FillSolidRect(0, 0, w, h, RGB(1, 2, 3));
    }
    ~Surface() { dc.SelectObject(old); }
    COLORREF At(int x, int y) { return dc.GetPixel(x, y); }
};

} // namespace

TEST(SwatchComboBox, ItemShowsAWhiteBoxWithTheSwatchThenTheName) {
    Surface s(120, 16);
    CSwatchComboBox::DrawSwatchItem(&s.dc, CRect(0, 0, 120, 16), TRUE, RGB(200, 40, 10), "Bedrock");
    EXPECT_EQ(s.At(0, 0), ::GetSysColor(COLOR_WINDOW));    // the box behind the swatch
    EXPECT_EQ(s.At(1, 8), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(s.At(2, 3), RGB(200, 40, 10));               // the swatch
    EXPECT_EQ(s.At(11, 12), RGB(200, 40, 10));
    EXPECT_EQ(s.At(12, 8), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(s.At(16, 1), ::GetSysColor(COLOR_HIGHLIGHT));  // selected background
    // The name is written in the highlight text colour somewhere after the swatch.
    bool text = false;
    for (int x = 17; x < 120 && !text; ++x)
        for (int y = 0; y < 16 && !text; ++y) text = s.At(x, y) == ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    EXPECT_TRUE(text);
}

TEST(SwatchComboBox, ItemsWithoutEntityOrDisabledAreLeftAlone) {
    CSwatchComboBox combo;
    Surface s(50, 16);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.itemID = 0;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.hDC = s.dc.m_hDC;
    dis.rcItem = CRect(0, 0, 50, 16);
    combo.DrawItem(&dis);  // no entity
    EXPECT_EQ(s.At(5, 5), RGB(1, 2, 3));
    CEntity entity;
    dis.itemData = reinterpret_cast<ULONG_PTR>(&entity);
    dis.itemState = ODS_DISABLED;
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(5, 5), RGB(1, 2, 3));
    dis.itemState = 0;
    dis.itemID = static_cast<UINT>(-1);
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(5, 5), RGB(1, 2, 3));
    dis.itemID = 0;
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(5, 5), entity.GetColour());
    MEASUREITEMSTRUCT mis{};
    combo.MeasureItem(&mis);
    EXPECT_EQ(mis.itemHeight, 16u);
}

TEST(FillPatternCombo, HatchesInStyleOrderTakeTheColourGiven) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr));
    CFillPatternCombo combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED, CRect(0, 0, 100, 200), &parent, 100));
    combo.AddHatchPatterns(FALSE);
    ASSERT_EQ(combo.m_aPatterns.size(), 6u);
    EXPECT_EQ(combo.GetCount(), 6);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(combo.m_aPatterns[i].lbStyle, static_cast<UINT>(BS_HATCHED));
        EXPECT_EQ(combo.m_aPatterns[i].lbHatch, i);
        EXPECT_EQ(combo.m_aPatterns[i].lbColor, RGB(0, 255, 0));
    }
    combo.SetPatternColour(RGB(0, 0, 255));
    combo.AddPattern(LOGBRUSH{BS_SOLID, RGB(0, 255, 0), 0});
    EXPECT_EQ(combo.m_aPatterns[5].lbColor, RGB(0, 0, 255));
    EXPECT_EQ(combo.m_aPatterns[6].lbColor, RGB(0, 255, 0));

    Surface s(40, 12);
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_COMBOBOX;
    dis.hDC = s.dc.m_hDC;
    dis.rcItem = CRect(0, 0, 39, 11);
    dis.itemID = 6;  // solid green sample
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(20, 5), RGB(0, 255, 0));
    EXPECT_EQ(s.At(38, 10), RGB(0, 255, 0));  // the whole item, to its last pixel
    dis.itemID = 9;  // beyond the records: background only
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(20, 5), RGB(255, 255, 255));
    dis.itemState = ODS_DISABLED;
    combo.DrawItem(&dis);
    EXPECT_EQ(s.At(20, 5), ::GetSysColor(COLOR_MENU));
    parent.DestroyWindow();
}

TEST(CaptionBarDialog, RollsUpToItsCaptionAndBackExactly) {
    CCaptionBarDialog dlg(IDD_DISTRIBUTION_STATISTICS);
    ASSERT_TRUE(dlg.Create(IDD_DISTRIBUTION_STATISTICS, nullptr));
    CRect full;
    dlg.GetWindowRect(&full);
    dlg.SetFullHeight(full.Height());
    dlg.SetRolledUpHeight(30);
    dlg.ToggleRollUp();
    CRect rolled;
    dlg.GetWindowRect(&rolled);
    EXPECT_EQ(rolled.Height(), 30);
    EXPECT_EQ(rolled.top, full.top);
    EXPECT_TRUE(dlg.IsRolledUp());
    EXPECT_EQ(dlg.Unroll(), 1);
    CRect again;
    dlg.GetWindowRect(&again);
    EXPECT_EQ(again, full);
    EXPECT_EQ(dlg.Unroll(), 0);

    // The close button lights up under the pointer, holds the capture while
    // there, and lets go when the pointer leaves.
    dlg.SendMessage(WM_NCPAINT, 1);
    CRect close = dlg.GetCloseRect();
    CPoint over(full.left + close.CenterPoint().x, full.top + close.CenterPoint().y);
    dlg.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(over.x, over.y));
    EXPECT_TRUE(dlg.IsCloseHot());
    EXPECT_EQ(::GetCapture(), dlg.m_hWnd);
    dlg.SendMessage(WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(full.left + 10, full.top + 10));
    EXPECT_FALSE(dlg.IsCloseHot());
    EXPECT_NE(::GetCapture(), dlg.m_hWnd);
    // A click on it closes the window.
    dlg.SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(over.x, over.y));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
}
