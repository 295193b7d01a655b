// Owner-drawn menus built from the program's menu resources: item records,
// separators, aligned accelerators, keyboard shortcuts, synchronising after
// changes by others, toolbar pictures, and measuring and drawing of items.
#include <gtest/gtest.h>

#include <string>

#include "controls/KsMenu.h"
#include "controls/MemoryDC.h"
#include "framework/DC.h"
#include "res/resource.h"

namespace {

KsMenu* Popup(KsMenu& bar, int i) { return static_cast<KsMenu*>(CMenu::FromHandlePermanent(::GetSubMenu(bar.m_hMenu, i))); }

int PositionOf(HMENU menu, UINT id) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i)
        if (::GetMenuItemID(menu, i) == id) return i;
    return -1;
}

UINT TypeOf(HMENU menu, int pos) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE;
    ::GetMenuItemInfoA(menu, pos, TRUE, &info);
    return info.fType;
}

int MenuTextWidth(const CString& text) {
    NONCLIENTMETRICSA ncm{};
    ncm.cbSize = sizeof(ncm);
    ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0);
    HFONT font = ::CreateFontIndirectA(&ncm.lfMenuFont);
    HDC dc = ::GetDC(::GetDesktopWindow());
    HGDIOBJ old = ::SelectObject(dc, font);
    SIZE sz{};
    ::GetTextExtentPoint32A(dc, text, text.GetLength(), &sz);
    ::SelectObject(dc, old);
    ::ReleaseDC(::GetDesktopWindow(), dc);
    ::DeleteObject(font);
    return sz.cx;
}

} // namespace

TEST(KsMenu, LoadsTheMenuBarAsStringsAndItsPopupsOwnerDrawn) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    EXPECT_FALSE(KsMenu::IsKsMenu(&menu));
    ASSERT_GT(::GetMenuItemCount(menu.m_hMenu), 5);
    EXPECT_FALSE(TypeOf(menu.m_hMenu, 0) & MFT_OWNERDRAW);
    KsMenu* file = Popup(menu, 0);
    ASSERT_NE(file, nullptr);
    EXPECT_TRUE(KsMenu::IsKsMenu(file));
    EXPECT_EQ(file->GetItemDataCount(), static_cast<int>(::GetMenuItemCount(file->m_hMenu)));
    int save = PositionOf(file->m_hMenu, ID_FILE_SAVE);
    ASSERT_GE(save, 0);
    EXPECT_TRUE(TypeOf(file->m_hMenu, save) & MFT_OWNERDRAW);
    EXPECT_EQ(file->GetItemData(save)->m_nID, static_cast<UINT_PTR>(ID_FILE_SAVE));
    // A separator of the template is an owner-drawn separator with a record.
    int sep = PositionOf(file->m_hMenu, 0);
    ASSERT_GE(sep, 0);
    EXPECT_TRUE(file->GetItemData(sep)->m_nFlags & MF_SEPARATOR);
    EXPECT_TRUE(file->GetItemData(sep)->m_nFlags & MF_OWNERDRAW);
    // Nested popups are the program's as well.
    int import = -1;
    for (int i = 0; i < ::GetMenuItemCount(file->m_hMenu); ++i)
        if (::GetSubMenu(file->m_hMenu, i) != nullptr) import = i;
    ASSERT_GE(import, 0);
    EXPECT_TRUE(KsMenu::IsKsMenu(CMenu::FromHandle(::GetSubMenu(file->m_hMenu, import))));
    HMENU popupHandle = file->m_hMenu;
    menu.DestroyMenu();
    EXPECT_FALSE(KsMenu::IsKsMenu(CMenu::FromHandle(popupHandle)));
}

TEST(KsMenu, AcceleratorsOfOnePopupStartTogether) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    KsMenu* file = Popup(menu, 0);
    int widest = 0;
    for (int i = 0; i < file->GetItemDataCount(); ++i) {
        CString text = file->GetItemText(i);
        int tab = text.Find('\t');
        CString label = tab >= 0 ? text.Left(tab) : text;
        label.TrimRight();
        widest = std::max(widest, MenuTextWidth(label + " "));
    }
    int withTabs = 0;
    for (int i = 0; i < file->GetItemDataCount(); ++i) {
        CString text = file->GetItemText(i);
        int tab = text.Find('\t');
        if (tab < 0) continue;
        ++withTabs;
        EXPECT_GE(MenuTextWidth(text.Left(tab)), widest - MenuTextWidth(" ")) << (LPCSTR)text;
    }
    EXPECT_GE(withTabs, 3);
    int save = PositionOf(file->m_hMenu, ID_FILE_SAVE);
    CString saveText = file->GetItemText(save);
    EXPECT_EQ(saveText.Left(5), "&Save");
    EXPECT_EQ(saveText.Mid(saveText.Find('\t')), "\tCtrl+S");
}

TEST(KsMenu, KeyboardShortcutsFindTheItemOfTheLetter) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    KsMenu* file = Popup(menu, 0);
    int open = PositionOf(file->m_hMenu, ID_FILE_OPEN);
    EXPECT_EQ(KsMenu::FindKeyboardShortcut('o', MF_POPUP, file), MAKELONG(open, MNC_EXECUTE));
    EXPECT_EQ(KsMenu::FindKeyboardShortcut('O', MF_POPUP, file), MAKELONG(open, MNC_EXECUTE));
    EXPECT_EQ(KsMenu::FindKeyboardShortcut('o', 0, file), 0);
    EXPECT_EQ(KsMenu::FindKeyboardShortcut('q', MF_POPUP, file), 0);
}

TEST(KsMenu, ItemsChangedByOthersAreTakenBackBeforeThePopupOpens) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    KsMenu* file = Popup(menu, 0);
    int save = PositionOf(file->m_hMenu, ID_FILE_SAVE);
    ::ModifyMenuA(file->m_hMenu, ID_FILE_SAVE, MF_BYCOMMAND | MF_STRING, ID_FILE_SAVE, "Keep it");
    ::DeleteMenu(file->m_hMenu, ID_FILE_CLOSE, MF_BYCOMMAND);
    ::AppendMenuA(file->m_hMenu, MF_STRING, 40001, "Added");
    KsMenu::UpdateMenu(file);
    int count = ::GetMenuItemCount(file->m_hMenu);
    EXPECT_EQ(file->GetItemDataCount(), count);
    save = PositionOf(file->m_hMenu, ID_FILE_SAVE);
    EXPECT_TRUE(TypeOf(file->m_hMenu, save) & MFT_OWNERDRAW);
    EXPECT_STREQ(file->GetItemText(save), "Keep it");
    EXPECT_TRUE(TypeOf(file->m_hMenu, count - 1) & MFT_OWNERDRAW);
    EXPECT_STREQ(file->GetItemText(count - 1), "Added");
}

TEST(KsMenu, ToolbarPicturesGoToTheCommandsOfTheMenuOnce) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    ASSERT_TRUE(menu.LoadToolbar(IDR_TOOLBAR_STANDARD));
    int shared = KsMenu::SharedImageCount();
    KsMenu* file = Popup(menu, 0);
    KsMenuItemData* save = file->GetItemData(PositionOf(file->m_hMenu, ID_FILE_SAVE));
    ASSERT_GE(save->m_nGlobalImage, 0);
    EXPECT_EQ(KsMenu::SharedImageId(save->m_nGlobalImage), static_cast<UINT_PTR>(ID_FILE_SAVE));
    // Loading the same toolbar again replaces the pictures in place.
    ASSERT_TRUE(menu.LoadToolbar(IDR_TOOLBAR_STANDARD));
    EXPECT_EQ(KsMenu::SharedImageCount(), shared);
    // The classic look keeps one picture per command.
    if (!KsMenu::IsXPStyle()) {
        EXPECT_EQ(KsMenu::FindGlobalImage(ID_FILE_SAVE), save->m_nGlobalImage);
    }

    // Commands that are not in the menu get no picture from a toolbar.
    KsMenu frameMenu;
    ASSERT_TRUE(frameMenu.LoadMenu(IDR_MAINFRAME));
    int before = KsMenu::SharedImageCount();
    ASSERT_TRUE(frameMenu.LoadToolbar(IDR_TOOLBAR_GEOMETRY));
    EXPECT_EQ(KsMenu::SharedImageCount(), before);
    EXPECT_FALSE(frameMenu.LoadToolbar(4242));
    UINT both[] = {4242, IDR_TOOLBAR_HELP_IMAGES};
    EXPECT_FALSE(frameMenu.LoadToolbars(both, 2));
    EXPECT_GE(KsMenu::FindGlobalImage(ID_HELP_TUTORIAL_MANUAL), 0);
}

TEST(KsMenu, PopupItemsGetPicturesByTheirText) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    EXPECT_EQ(menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "&Manuals", IDB_MANUALS), 1);
    EXPECT_EQ(menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "No such item", IDB_MANUALS), 0);
    EXPECT_EQ(menu.SetItemImageByText(static_cast<LPCSTR>(nullptr), "Brevantics on the &Web", 4243), 1);
    // Find the records among the Help popup's.
    KsMenu* help = Popup(menu, ::GetMenuItemCount(menu.m_hMenu) - 1);
    bool manuals = false, web = false;
    for (int i = 0; i < help->GetItemDataCount(); ++i) {
        KsMenuItemData* d = help->GetItemData(i);
        if (d->GetText() == "&Manuals") {
            manuals = true;
            EXPECT_EQ(d->m_nBitmapId, IDB_MANUALS);
            EXPECT_EQ(d->m_nImageIndex, 0);
            EXPECT_NE(d->m_pImageList, nullptr);
        }
        if (d->GetText() == "Brevantics on the &Web") {
            web = true;
            // A bitmap that is not there leaves the item without a picture.
            EXPECT_EQ(d->m_nBitmapId, -1);
            EXPECT_EQ(d->m_pImageList, nullptr);
        }
    }
    EXPECT_TRUE(manuals);
    EXPECT_TRUE(web);
}

TEST(KsMenu, ColoursLightenAndDarkenPerChannel) {
    EXPECT_EQ(KsMenu::LightenColor(RGB(0, 0, 0), 0.7), RGB(178, 178, 178));
    EXPECT_EQ(KsMenu::LightenColor(RGB(10, 100, 200), 0.0), RGB(10, 100, 200));
    EXPECT_EQ(KsMenu::LightenColor(RGB(10, 100, 200), 1.5), RGB(10, 100, 200));
    EXPECT_EQ(KsMenu::LightenColor(RGB(0, 100, 255), 1.0), RGB(255, 255, 255));
    EXPECT_EQ(KsMenu::DarkenColor(RGB(255, 255, 255), 0.02), RGB(249, 249, 249));
    EXPECT_EQ(KsMenu::DarkenColor(RGB(200, 100, 0), 0.5), RGB(100, 50, 0));
}

TEST(KsMenu, ItemsAreMeasuredByTheirTextAndTheIconSize) {
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    KsMenu* file = Popup(menu, 0);
    MEASUREITEMSTRUCT sep{};
    sep.CtlType = ODT_MENU;
    sep.itemData = reinterpret_cast<ULONG_PTR>(file->GetItemData(PositionOf(file->m_hMenu, 0)));
    file->MeasureItem(&sep);
    MEASUREITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemData = reinterpret_cast<ULONG_PTR>(file->GetItemData(PositionOf(file->m_hMenu, ID_FILE_SAVE_AS)));
    file->MeasureItem(&item);
    int cyMenu = ::GetSystemMetrics(SM_CYMENU);
    if (KsMenu::IsXPStyle()) {
        EXPECT_EQ(sep.itemHeight, 3u);
        EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(cyMenu, 22)));
    } else {
        EXPECT_EQ(sep.itemHeight, static_cast<UINT>(std::max(19 / 2, cyMenu / 2)));
        EXPECT_EQ(item.itemHeight, static_cast<UINT>(std::max(cyMenu, 19)));
        // The label sits after an icon column and leaves an icon's width after it.
        EXPECT_GT(item.itemWidth, 33u + 20u);
    }
    EXPECT_EQ(sep.itemWidth, 0u);
}

namespace {

// A white memory surface to draw menu items on.
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

DRAWITEMSTRUCT Item(KsMenu* popup, UINT id, UINT state, CRect rect, HDC dc) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = id;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(popup->m_hMenu);
    dis.hDC = dc;
    dis.rcItem = rect;
    dis.itemData = reinterpret_cast<ULONG_PTR>(popup->GetItemData(PositionOf(popup->m_hMenu, id)));
    return dis;
}

} // namespace

TEST(KsMenu, ClassicItemsAreDrawnWithBarIconColumnCheckAndSeparator) {
    if (KsMenu::IsXPThemed()) GTEST_SKIP() << "the flat look is in force";
    KsMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_SLOPE_TEMPLATE));
    ASSERT_TRUE(menu.LoadToolbar(IDR_TOOLBAR_STANDARD));
    KsMenu* file = Popup(menu, 0);
    COLORREF highlight = ::GetSysColor(COLOR_HIGHLIGHT), bg = ::GetSysColor(COLOR_MENU);
    Surface s(200, 100);

    // Selected with a picture: the highlight bar starts right of the icon column.
    CRect r(0, 0, 200, 19);
    DRAWITEMSTRUCT dis = Item(file, ID_FILE_SAVE, ODS_SELECTED, r, s.dc.m_hDC);
    file->DrawItem(&dis);
    EXPECT_EQ(s.At(16 + 5, 2), highlight);
    EXPECT_EQ(s.At(199, 18), highlight);
    EXPECT_NE(s.At(16 + 4, 1), highlight);

    // Not selected: the menu colour, the picture in its column.
    CRect r2(0, 20, 200, 39);
    dis = Item(file, ID_FILE_SAVE, 0, r2, s.dc.m_hDC);
    file->DrawItem(&dis);
    EXPECT_EQ(s.At(150, 21), bg);

    // Checked without a picture: a check mark (first column from y+2 to y+4 of the glyph).
    CRect r3(0, 40, 200, 59);
    dis = Item(file, ID_FILE_CLOSE, ODS_CHECKED, r3, s.dc.m_hDC);
    file->DrawItem(&dis);
    int v = 0;  // (19 - 15 - 4) / 2
    int gx = 1 + 4, gy = 40 + v + 2 + 4;
    EXPECT_EQ(s.At(gx, gy + 2), ::GetSysColor(COLOR_MENUTEXT));
    EXPECT_EQ(s.At(gx + 6, gy), ::GetSysColor(COLOR_MENUTEXT));

    // Checked with a picture: the picture in a sunken box, on every system
    // with the new shell, Windows 7 (as Wine reports itself) among them.
    ASSERT_TRUE(KsMenu::HasNewShell());
    CRect r5(0, 72, 200, 91);
    dis = Item(file, ID_FILE_SAVE, ODS_CHECKED, r5, s.dc.m_hDC);
    file->DrawItem(&dis);
    EXPECT_EQ(s.At(0, 72), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.At(0, 80), ::GetSysColor(COLOR_BTNSHADOW));

    // A separator: an etched line across the middle of the item.
    CRect r4(0, 60, 200, 70);
    dis = Item(file, 0, 0, r4, s.dc.m_hDC);
    file->DrawItem(&dis);
    EXPECT_EQ(s.At(100, 60 + 5), ::GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(s.At(100, 60 + 2), bg);
}

TEST(MemoryDC, DrawsOffScreenAndCopiesInOnePiece) {
    Surface s(40, 40);
    {
        MemoryDC memory(&s.dc, CRect(10, 10, 30, 30));
        memory.FillSolidRect(10, 10, 20, 20, RGB(200, 0, 0));
        EXPECT_EQ(s.At(15, 15), RGB(1, 2, 3));
    }
    EXPECT_EQ(s.At(15, 15), RGB(200, 0, 0));
    EXPECT_EQ(s.At(29, 29), RGB(200, 0, 0));
    EXPECT_EQ(s.At(30, 30), RGB(1, 2, 3));
}
