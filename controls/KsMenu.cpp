#include "controls/KsMenu.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

#include "controls/KsMenuSupport.h"
#include "framework/DC.h"
#include "framework/ResourceHandle.h"
#include "framework/WinApp.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(KsMenu, CMenu)

CImageList KsMenu::s_SharedImages;
std::vector<UINT_PTR> KsMenu::s_SharedImageIds;
std::vector<HMENU> KsMenu::s_MenuHandles;
BOOL KsMenu::s_bUnmappedBitmaps = FALSE;
int KsMenu::s_nWindowsVersion = KsMenu::DetectWindowsVersion();

namespace {

std::wstring Widen(const char* text) {
    if (text == nullptr) return std::wstring();
    int n = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring w(n > 0 ? n - 1 : 0, L'\0');
    if (n > 1) ::MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), n);
    return w;
}

CString Narrow(const wchar_t* text) {
    if (text == nullptr) return CString();
    int n = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string s(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_ACP, 0, text, -1, s.data(), n, nullptr, nullptr);
    return CString(s.c_str());
}

} // namespace

// ---- KsMenuItemData ----

KsMenuItemData::~KsMenuItemData() {
    DestroyImageList();
    delete[] m_szText;
}

void KsMenuItemData::DestroyImageList() {
    delete m_pImageList;
    m_pImageList = nullptr;
}

void KsMenuItemData::SetText(const wchar_t* text) {
    delete[] m_szText;
    m_szText = nullptr;
    if (text == nullptr) return;
    size_t n = std::wcslen(text);
    m_szText = new wchar_t[n + 1];
    std::wmemcpy(m_szText, text, n + 1);
}

void KsMenuItemData::SetText(const char* text) {
    if (text == nullptr) {
        SetText(static_cast<const wchar_t*>(nullptr));
        return;
    }
    SetText(Widen(text).c_str());
}

CString KsMenuItemData::GetText() const { return Narrow(m_szText); }

// ---- environment ----

int KsMenu::DetectWindowsVersion() {
    DWORD v = ::GetVersion();
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info);
    BOOL ok = ::GetVersionExA(&info);
    if (v & 0x80000000u) {
        if (LOBYTE(LOWORD(v)) < 4) return 0;
        if (!ok) return 2;
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 10) return 3;
        if (info.dwMajorVersion == 4 && info.dwMinorVersion == 90) return 4;
        return 2;
    }
    if (!ok) return 1;
    if (info.dwMajorVersion == 4) return 5;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 0) return 6;
    if (info.dwMajorVersion == 5 && info.dwMinorVersion == 1) return 7;
    // Every later system has the new shell too: counted as old, its menus
    // would show no mark on a checked item with a picture.
    if (info.dwMajorVersion >= 5) return 8;
    return 1;
}

BOOL KsMenu::IsClassicTheme() {
    static int answer = -1;
    if (answer >= 0) return answer;
    answer = 0;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        char value[260] = {};
        DWORD type = 0, size = sizeof(value) - 1;
        if (::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
            type == REG_SZ) {
            const char* classic = "Windows Classic.theme";
            size_t len = std::strlen(value), n = std::strlen(classic);
            if (len >= n && lstrcmpiA(value + len - n, classic) == 0) answer = 1;
        }
        ::RegCloseKey(key);
    }
    return answer;
}

BOOL KsMenu::IsXPThemed() { return s_nWindowsVersion == 7 && !IsClassicTheme(); }

// ---- construction and destruction ----

KsMenu::~KsMenu() { KsMenu::DestroyMenu(); }

BOOL KsMenu::DestroyMenu() {
    // This level and its popups leave the list of menus drawn by the program.
    if (m_hMenu != nullptr)
        s_MenuHandles.erase(std::remove(s_MenuHandles.begin(), s_MenuHandles.end(), m_hMenu), s_MenuHandles.end());
    for (auto it = m_SubMenus.rbegin(); it != m_SubMenus.rend(); ++it) {
        HMENU sub = *it;
        s_MenuHandles.erase(std::remove(s_MenuHandles.begin(), s_MenuHandles.end(), sub), s_MenuHandles.end());
        CMenu* menu = CMenu::FromHandlePermanent(sub);
        if (menu != nullptr && menu->IsKindOf(RUNTIME_CLASS(KsMenu))) delete menu;
    }
    m_SubMenus.clear();
    for (KsMenuItemData* d : m_ItemData) delete d;
    m_ItemData.clear();
    return CMenu::DestroyMenu();
}

// ---- loading ----

BOOL KsMenu::LoadMenu(LPCSTR lpszResourceName) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(hInst, lpszResourceName, reinterpret_cast<LPCSTR>(RT_MENU));
    if (res == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(hInst, lpszResourceName, reinterpret_cast<LPCSTR>(RT_MENU));
    }
    if (res == nullptr) return FALSE;
    HGLOBAL data = ::LoadResource(hInst, res);
    if (data == nullptr) return FALSE;
    const BYTE* base = static_cast<const BYTE*>(::LockResource(data));
    DWORD size = ::SizeofResource(hInst, res);
    if (base == nullptr || size < 4) return FALSE;

    KsMenu::DestroyMenu();
    if (!CreateMenu()) return FALSE;

    const WORD* end = reinterpret_cast<const WORD*>(base + size);
    const WORD* p = reinterpret_cast<const WORD*>(base + 4 + reinterpret_cast<const WORD*>(base)[1]);
    std::vector<KsMenu*> stack{this};
    std::vector<bool> ends{false};
    while (!stack.empty() && p < end) {
        WORD flags = *p++;
        UINT id = 0;
        if (!(flags & MF_POPUP)) {
            if (p >= end) break;
            id = *p++;
        }
        const wchar_t* text = reinterpret_cast<const wchar_t*>(p);
        // The text may not run past the resource.
        while (p < end && *p != 0) ++p;
        if (p >= end) break;
        ++p;
        UINT itemFlags = flags & ~MF_END;
        if (flags & MF_POPUP) {
            if (flags & MF_END) ends.back() = true;
            auto* sub = new KsMenu;
            sub->CreatePopupMenu();
            stack.back()->AppendMenu(itemFlags, reinterpret_cast<UINT_PTR>(sub->m_hMenu), text);
            stack.push_back(sub);
            ends.push_back(false);
        } else {
            stack.back()->AppendMenu(itemFlags, id, text);
            if (flags & MF_END) ends.back() = true;
            while (!stack.empty() && ends.back()) {
                stack.back()->AlignAccelerators();
                stack.pop_back();
                ends.pop_back();
            }
        }
    }
    // The menu bar is drawn by the system: its items become plain strings again.
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count && i < GetItemDataCount(); ++i) {
        KsMenuItemData* d = m_ItemData[i];
        CString text = d->GetText();
        if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
            d->m_nFlags = MF_BYPOSITION | MF_POPUP;
            ::ModifyMenuA(m_hMenu, i, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), text);
        } else {
            d->m_nFlags = MF_BYPOSITION;
            ::ModifyMenuA(m_hMenu, i, MF_BYPOSITION, ::GetMenuItemID(m_hMenu, i), text);
        }
    }
    m_bMenuBar = TRUE;
    return TRUE;
}

BOOL KsMenu::AppendMenu(UINT nFlags, UINT_PTR nIDNewItem, const wchar_t* text) {
    if (nIDNewItem == 0 && !(nFlags & MF_POPUP)) {
        nFlags = MF_SEPARATOR | MF_OWNERDRAW | (nFlags & MF_BYPOSITION);
    } else {
        nFlags |= MF_OWNERDRAW;
    }
    if (nFlags & MF_POPUP) {
        s_MenuHandles.push_back(reinterpret_cast<HMENU>(nIDNewItem));
        m_SubMenus.push_back(reinterpret_cast<HMENU>(nIDNewItem));
    }
    auto* d = new KsMenuItemData;
    d->SetText(text);
    d->m_nGlobalImage = FindGlobalImage(nIDNewItem);
    d->m_nFlags = nFlags;
    d->m_nID = nIDNewItem;
    m_ItemData.push_back(d);
    BOOL ok = ::AppendMenuW(m_hMenu, nFlags, nIDNewItem, reinterpret_cast<LPCWSTR>(d));
    if (m_bMenuBar) RestoreMenuBarItems();
    return ok;
}

void KsMenu::AlignAccelerators() {
    HWND wnd = ksmenu::MainWindowOrDesktop();
    HDC dc = ::GetDC(wnd);
    HFONT font = ksmenu::CreateMenuFont();
    HGDIOBJ old = ::SelectObject(dc, font);
    auto width = [dc](const CString& s) {
        SIZE sz{0, 0};
        ::GetTextExtentPoint32A(dc, s, s.GetLength(), &sz);
        return static_cast<int>(sz.cx);
    };
    int target = 0;
    for (KsMenuItemData* d : m_ItemData) {
        CString text = d->GetText();
        int tab = text.Find('\t');
        CString label = tab >= 0 ? text.Left(tab) : text;
        target = std::max(target, width(label + " "));
    }
    for (KsMenuItemData* d : m_ItemData) {
        CString text = d->GetText();
        int tab = text.Find('\t');
        if (tab < 0) continue;
        CString label = text.Left(tab);
        while (width(label) < target) label += " ";
        d->SetText(static_cast<LPCSTR>(label + text.Mid(tab)));
    }
    ::SelectObject(dc, old);
    ::DeleteObject(font);
    ::ReleaseDC(wnd, dc);
}

int KsMenu::CountLeadingForeignItems() const {
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        char buf[256] = {};
        if (::GetMenuStringA(m_hMenu, i, buf, sizeof(buf), MF_BYPOSITION) <= 0) continue;
        for (int j = 0; j < GetItemDataCount(); ++j)
            if (m_ItemData[j]->GetText() == buf) return i >= j ? i - j : 0;
    }
    return 0;
}

void KsMenu::RestoreMenuBarItems() {
    int count = ::GetMenuItemCount(m_hMenu);
    int i = CountLeadingForeignItems();
    for (int j = 0; i < count && j < GetItemDataCount(); ++i, ++j) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (sub == nullptr) continue;
        m_ItemData[j]->m_nFlags = MF_BYPOSITION | MF_POPUP;
        ::ModifyMenuA(m_hMenu, i, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), m_ItemData[j]->GetText());
    }
}

// ---- queries ----

CMenu* KsMenu::GetSubMenu(int nPos) const {
    HMENU sub = ::GetSubMenu(m_hMenu, nPos);
    return sub != nullptr ? CMenu::FromHandle(sub) : nullptr;
}

BOOL KsMenu::IsKsMenu(const CMenu* pMenu) {
    if (pMenu == nullptr || pMenu->m_hMenu == nullptr) return FALSE;
    return std::find(s_MenuHandles.begin(), s_MenuHandles.end(), pMenu->m_hMenu) != s_MenuHandles.end();
}

void KsMenu::UpdateMenu(CMenu* pMenu) {
    if (pMenu == nullptr) return;
    CMenu* own = CMenu::FromHandlePermanent(pMenu->m_hMenu);
    if (own != nullptr && own->IsKindOf(RUNTIME_CLASS(KsMenu))) static_cast<KsMenu*>(own)->SynchronizeItems();
}

CString KsMenu::GetItemText(int nPos) const {
    KsMenuItemData* d = GetItemData(nPos);
    return d != nullptr ? d->GetText() : CString();
}

char KsMenu::AccessKey(const CString& text) {
    // The character after the first single '&' ("&&" shows an ampersand), lower case.
    for (int i = 0; i + 1 < text.GetLength(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') {
            char key = text[i + 1];
            ::CharLowerBuffA(&key, 1);
            return key;
        }
        ++i;
    }
    return '\0';
}

LRESULT KsMenu::FindKeyboardShortcut(UINT nChar, UINT nFlags, CMenu* pMenu) {
    if (pMenu == nullptr || !(nFlags & MF_POPUP)) return 0;
    CMenu* own = CMenu::FromHandlePermanent(pMenu->m_hMenu);
    if (own == nullptr || !own->IsKindOf(RUNTIME_CLASS(KsMenu))) return 0;
    auto* menu = static_cast<KsMenu*>(own);
    char key = static_cast<char>(nChar);
    ::CharLowerBuffA(&key, 1);
    if (key == '\0') return 0;
    if (static_cast<int>(::GetMenuItemCount(menu->m_hMenu)) != menu->GetItemDataCount()) menu->SynchronizeItems();
    const int count = ::GetMenuItemCount(menu->m_hMenu);
    // The items the key belongs to, and the one the selection is on.
    std::vector<int> matches;
    int selected = -1;
    for (int i = 0; i < count; ++i) {
        if (AccessKey(menu->GetItemText(i)) == key) matches.push_back(i);
        if (::GetMenuState(menu->m_hMenu, i, MF_BYPOSITION) & MF_HILITE) selected = i;
    }
    if (matches.empty()) return 0;
    // A key of one item runs it. A key that several items share only moves
    // the selection, to the next of them after the selected item (round to
    // the first), as a menu drawn by the system does: the first of them must
    // not run when the user may mean another.
    if (matches.size() == 1) return MAKELONG(matches.front(), MNC_EXECUTE);
    const auto next = std::upper_bound(matches.begin(), matches.end(), selected);
    return MAKELONG(next != matches.end() ? *next : matches.front(), MNC_SELECT);
}

// ---- synchronising with changes made by others ----

KsMenuItemData* KsMenu::AdoptItem(UINT pos, UINT flags, UINT_PTR id, const CString& text) {
    auto* d = new KsMenuItemData;
    d->SetText(static_cast<LPCSTR>(text));
    d->m_nFlags = flags;
    d->m_nID = id;
    ::ModifyMenuW(m_hMenu, pos, flags, id, (flags & MF_OWNERDRAW) ? reinterpret_cast<LPCWSTR>(d) : Widen(text).c_str());
    return d;
}

void KsMenu::SynchronizeItems() {
    for (KsMenuItemData* d : m_ItemData) d->m_bSynced = FALSE;
    std::vector<KsMenuItemData*> fresh;
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        UINT state = ::GetMenuState(m_hMenu, i, MF_BYPOSITION);
        char buf[512] = {};
        ::GetMenuStringA(m_hMenu, i, buf, sizeof(buf), MF_BYPOSITION);
        CString text(buf);
        auto take = [&](UINT_PTR id) -> KsMenuItemData* {
            for (KsMenuItemData* d : m_ItemData)
                if (!d->m_bSynced && d->m_nID == id) {
                    d->m_bSynced = TRUE;
                    return d;
                }
            return nullptr;
        };
        KsMenuItemData* d = nullptr;
        if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
            d = take(reinterpret_cast<UINT_PTR>(sub));
            if (d != nullptr) {
                if (!text.IsEmpty()) d->SetText(static_cast<LPCSTR>(text));
            } else {
                d = AdoptItem(i, (state & 0xFF) | MF_POPUP | MF_BYPOSITION | MF_OWNERDRAW, reinterpret_cast<UINT_PTR>(sub),
                              text);
            }
        } else if (state & MF_SEPARATOR) {
            d = take(0);
            if (d != nullptr) ::ModifyMenuW(m_hMenu, i, MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW, 0, reinterpret_cast<LPCWSTR>(d));
            else d = AdoptItem(i, state | MF_SEPARATOR | MF_OWNERDRAW | MF_BYPOSITION, 0, CString());
        } else {
            UINT id = ::GetMenuItemID(m_hMenu, i);
            d = take(id);
            UINT flags = (state & ~MF_POPUP) | MF_BYPOSITION | MF_OWNERDRAW;
            if (d != nullptr) {
                d->m_nFlags = flags;
                if (!text.IsEmpty()) d->SetText(static_cast<LPCSTR>(text));
                ::ModifyMenuW(m_hMenu, i, flags, id, reinterpret_cast<LPCWSTR>(d));
            } else {
                d = AdoptItem(i, flags, id, text);
            }
        }
        fresh.push_back(d);
    }
    for (KsMenuItemData* d : m_ItemData)
        if (!d->m_bSynced && std::find(fresh.begin(), fresh.end(), d) == fresh.end()) delete d;
    m_ItemData = fresh;
}

// ---- finding items ----

KsMenu* KsMenu::FindCommand(UINT_PTR nID, int& pos) {
    static const std::vector<std::pair<KsMenu*, int>> none;
    return FindNextCommand(nID, pos, none);
}

KsMenu* KsMenu::FindNextCommand(UINT_PTR nID, int& pos, const std::vector<std::pair<KsMenu*, int>>& visited) {
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
            CMenu* own = CMenu::FromHandlePermanent(sub);
            if (own != nullptr && own->IsKindOf(RUNTIME_CLASS(KsMenu))) {
                if (KsMenu* hit = static_cast<KsMenu*>(own)->FindNextCommand(nID, pos, visited)) return hit;
            }
        } else if (::GetMenuItemID(m_hMenu, i) == nID) {
            if (std::find(visited.begin(), visited.end(), std::make_pair(this, i)) != visited.end()) continue;
            pos = i;
            return this;
        }
    }
    pos = -1;
    return nullptr;
}

KsMenuItemData* KsMenu::FindItemDataByText(const wchar_t* text) {
    int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
            CMenu* own = CMenu::FromHandlePermanent(sub);
            if (own != nullptr && own->IsKindOf(RUNTIME_CLASS(KsMenu)))
                if (KsMenuItemData* d = static_cast<KsMenu*>(own)->FindItemDataByText(text)) return d;
        }
        // The items of this level, the popups' own entries among them.
        for (KsMenuItemData* d : m_ItemData)
            if (d->m_szText != nullptr && std::wcscmp(d->m_szText, text) == 0) return d;
    }
    return nullptr;
}

int KsMenu::SetItemImageByText(LPCSTR newText, LPCSTR itemText, int bitmapId) {
    std::wstring n = Widen(newText), t = Widen(itemText);
    return SetItemImageByText(newText != nullptr ? n.c_str() : nullptr, t.c_str(), bitmapId);
}

int KsMenu::SetItemImageByText(const wchar_t* newText, const wchar_t* itemText, int bitmapId) {
    KsMenuItemData* d = FindItemDataByText(itemText);
    if (d == nullptr) return 0;
    if (newText != nullptr) d->SetText(newText);
    d->m_nBitmapId = bitmapId;
    d->m_nImageIndex = -1;
    if (bitmapId < 0) return 1;
    d->m_nImageIndex = 0;
    d->DestroyImageList();
    d->m_pImageList = new CImageList;
    if (!CreateIconList(*d->m_pImageList) || !AddBitmapToImageList(d->m_pImageList, static_cast<UINT>(bitmapId))) {
        d->DestroyImageList();
        d->m_nBitmapId = -1;
        d->m_nImageIndex = -1;
    }
    return 1;
}
