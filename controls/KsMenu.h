// KsMenu: menus whose popup items are drawn by the program, with the picture of
// the toolbar button of the same command beside the label, the check mark or
// bullet, and the accelerator text right-aligned. The look is the classic 3-D
// one or, on the one system version that had it, a flat one.
//
// A menu is built from an ordinary menu template (LoadMenu); its item records
// (KsMenuItemData) travel as the Win32 items' data. The pictures live in one
// image list shared by every menu of the process, keyed by command id.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "framework/ImageList.h"
#include "framework/Menu.h"
#include "framework/Rect.h"
#include "framework/String.h"

class CDC;
class CBitmap;

class KsMenuItemData {
public:
    KsMenuItemData() = default;
    ~KsMenuItemData();
    KsMenuItemData(const KsMenuItemData&) = delete;
    KsMenuItemData& operator=(const KsMenuItemData&) = delete;

    wchar_t* m_szText = nullptr;
    int m_nImageIndex = -1;
    int m_nGlobalImage = -1;
    int m_nBitmapId = -1;
    UINT m_nFlags = 0;
    UINT_PTR m_nID = 0;
    BOOL m_bSynced = FALSE;
    CImageList* m_pImageList = nullptr;  // the item's own pictures; owned

    void SetText(const wchar_t* text);
    void SetText(const char* text);
    CString GetText() const;
    void DestroyImageList();
};

class KsMenu : public CMenu {
    DECLARE_DYNAMIC(KsMenu)
public:
    KsMenu() = default;
    ~KsMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;
    virtual BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
    virtual BOOL LoadMenu(LPCSTR lpszResourceName);
    virtual BOOL DestroyMenu();

    BOOL LoadToolbars(const UINT* ids, int count);
    BOOL LoadToolbar(UINT nToolBar);
    // Gives the item with this text the picture of a bitmap resource (and a new text when given).
    int SetItemImageByText(LPCSTR newText, LPCSTR itemText, int bitmapId);
    int SetItemImageByText(const wchar_t* newText, const wchar_t* itemText, int bitmapId);
    CMenu* GetSubMenu(int nPos) const;
    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* text);
    BOOL SetCommandImage(const wchar_t* text, UINT nID, CImageList* list, int index);

    static BOOL IsKsMenu(const CMenu* pMenu);
    static void UpdateMenu(CMenu* pMenu);
    // The answer to WM_MENUCHAR: a key that one item of the popup has runs
    // it; a key that several share selects the next of them.
    static LRESULT FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu);
    // The access key of an item text (lower case), or 0 when it has none.
    static char AccessKey(const CString& text);

    // The environment and the shared pictures.
    static int DetectWindowsVersion();
    static BOOL HasNewShell() { return s_nWindowsVersion >= 2; }
    static BOOL IsXPThemed();
    static BOOL IsXPStyle() { return IsXPThemed(); }
    static BOOL IsClassicTheme();
    static int FindGlobalImage(UINT_PTR nID);
    static BOOL HasEffectImages(int k);
    static int AddGlobalImage(CImageList* list, int index, UINT_PTR nID);
    static BOOL AddBitmapToImageList(CImageList* list, UINT nResourceID);
    static HBITMAP LoadSysColorBitmap(UINT nResourceID);
    static int GetBitmapColorCount(const BITMAPINFOHEADER& info);

    // Colours and pixel effects.
    static COLORREF LightenColor(COLORREF colour, double factor);
    static COLORREF DarkenColor(COLORREF colour, double factor);
    static void MakeFadedBitmap(CBitmap& bitmap);
    static void MakeShadowBitmap(CBitmap& bitmap);
    static void MakeGreyedBitmap(CBitmap& bitmap, COLORREF replacement = 0);
    static void ReplaceGreyBackground(CBitmap& bitmap);
    static BOOL GetIconBitmap(CDC* pDC, CImageList* list, int index, CBitmap& bitmap);
    static void DrawEmbossedBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap, COLORREF background);
    static void DrawGreyedBitmap(CDC* pDC, int x, int y, int width, int height, CBitmap& bitmap, COLORREF background);
    static void DrawCheckMark(CDC* pDC, int x, int y, COLORREF colour);
    static void DrawRadioBullet(CDC* pDC, int x, int y, COLORREF colour);

    // The item records of this level, in menu order.
    int GetItemDataCount() const { return static_cast<int>(m_ItemData.size()); }
    KsMenuItemData* GetItemData(int i) const { return i >= 0 && i < GetItemDataCount() ? m_ItemData[i] : nullptr; }
    CString GetItemText(int nPos) const;
    static int SharedImageCount();
    static UINT_PTR SharedImageId(int i);
    static BOOL UnmappedBitmapsSeen() { return s_bUnmappedBitmaps; }

    static constexpr int s_nIconWidth = 16;
    static constexpr int s_nIconHeight = 15;
    static int s_nWindowsVersion;

protected:
    std::vector<KsMenuItemData*> m_ItemData;
    std::vector<HMENU> m_SubMenus;
    BOOL m_bMenuBar = FALSE;

    static CImageList s_SharedImages;
    static std::vector<UINT_PTR> s_SharedImageIds;
    static std::vector<HMENU> s_MenuHandles;
    static BOOL s_bUnmappedBitmaps;

    void AlignAccelerators();
    void RestoreMenuBarItems();
    int CountLeadingForeignItems() const;
    void SynchronizeItems();
    KsMenuItemData* AdoptItem(UINT pos, UINT flags, UINT_PTR id, const CString& text);
    KsMenu* FindCommand(UINT_PTR nID, int& pos);
    KsMenu* FindNextCommand(UINT_PTR nID, int& pos, const std::vector<std::pair<KsMenu*, int>>& visited);
    KsMenuItemData* FindItemDataByText(const wchar_t* text);

    void DrawItemClassic(LPDRAWITEMSTRUCT lpDIS);
    void DrawItemXP(LPDRAWITEMSTRUCT lpDIS);
    void DrawCheckBoxClassic(CDC* pDC, CRect box, BOOL selected, BOOL bullet);
    void DrawCheckBoxXP(CDC* pDC, CRect box, BOOL bullet, COLORREF hl, BOOL selected);
    void DrawItemText(CDC* pDC, CRect rect, const CString& text, COLORREF colour);
    static BOOL CreateIconList(CImageList& list);
};

// An off-screen DC over a rectangle of a target DC; what is drawn into it is
// copied to the target in one piece when it goes.
class MemoryDC;
