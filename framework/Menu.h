// CMenu: a menu handle with the operations the windows use, and the virtual
// DrawItem/MeasureItem that owner-drawn menus override (their owner window
// forwards WM_DRAWITEM and WM_MEASUREITEM for menu items to them).
#pragma once

#include <windows.h>

#include "framework/Object.h"
#include "framework/String.h"

class CWnd;

// The popup that CMenu::TrackPopupMenu shows now on this thread, or null.
HMENU AfxGetTrackingMenu();

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    // Safe on a null pointer too.
    HMENU GetSafeHmenu() const;
    operator HMENU() const { return m_hMenu; }
    BOOL operator==(const CMenu& other) const { return m_hMenu == other.m_hMenu; }

    // The program's own CMenu for the handle, or a temporary one.
    static CMenu* FromHandle(HMENU h);
    // The program's own CMenu for the handle, or null.
    static CMenu* FromHandlePermanent(HMENU h);
    static void DeleteTempMap();
    void DetachTemporary() { m_hMenu = nullptr; }

    BOOL Attach(HMENU h);
    HMENU Detach();
    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(LPCSTR resourceName);
    BOOL LoadMenu(UINT resourceId) { return LoadMenu(MAKEINTRESOURCEA(resourceId)); }
    BOOL LoadMenuIndirect(const void* menuTemplate) { return Attach(::LoadMenuIndirectA(menuTemplate)); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idNewItem = 0, LPCSTR newItem = nullptr) {
        return ::AppendMenuA(m_hMenu, flags, idNewItem, newItem);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCSTR newItem = nullptr) {
        return ::InsertMenuA(m_hMenu, position, flags, idNewItem, newItem);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idNewItem = 0, LPCSTR newItem = nullptr) {
        return ::ModifyMenuA(m_hMenu, position, flags, idNewItem, newItem);
    }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT idCheckItem, UINT check) { return ::CheckMenuItem(m_hMenu, idCheckItem, check); }
    UINT EnableMenuItem(UINT idEnableItem, UINT enable) { return ::EnableMenuItem(m_hMenu, idEnableItem, enable); }
    BOOL CheckMenuRadioItem(UINT first, UINT last, UINT item, UINT flags) {
        return ::CheckMenuRadioItem(m_hMenu, first, last, item, flags);
    }
    BOOL SetDefaultItem(UINT item, BOOL byPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, item, byPos); }
    UINT GetDefaultItem(UINT flags, BOOL byPos = FALSE) const { return ::GetMenuDefaultItem(m_hMenu, byPos, flags); }
    UINT GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, LPSTR text, int maxCount, UINT flags) const {
        return ::GetMenuStringA(m_hMenu, id, text, maxCount, flags);
    }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPos = FALSE) const {
        return ::GetMenuItemInfoA(m_hMenu, item, byPos, info);
    }
    BOOL SetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPos = FALSE) {
        return ::SetMenuItemInfoA(m_hMenu, item, byPos, info);
    }
    BOOL SetMenuItemBitmaps(UINT position, UINT flags, HBITMAP unchecked, HBITMAP checked) {
        return ::SetMenuItemBitmaps(m_hMenu, position, flags, unchecked, checked);
    }
    CMenu* GetSubMenu(int position) const;
    // Shows the popup at the screen point; the chosen command goes to pWnd
    // (or is returned with TPM_RETURNCMD).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* pWnd, LPCRECT rect = nullptr);

    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);
};
