// The pictures of KsMenu items: toolbar strips and bitmaps into the shared
// image list, and the faded, shadow and greyed images of the flat look.
#include <algorithm>

#include "controls/KsMenu.h"
#include "controls/KsMenuSupport.h"
#include "framework/DC.h"
#include "framework/ResourceHandle.h"
#include "framework/ToolBar.h"
#include "framework/WinApp.h"

namespace {

// The colour as the bitmap's own format renders it.
COLORREF RenderedColour(CDC& dc, const BITMAP& info, COLORREF colour) {
    CBitmap probe;
    probe.CreateCompatibleBitmap(&dc, std::max<LONG>(2, info.bmWidth), std::max<LONG>(2, info.bmHeight));
    CDC probeDC;
    probeDC.CreateCompatibleDC(&dc);
    CGdiObject* old = probeDC.SelectObject(&probe);
    probeDC.FillSolidRect(0, 0, 2, 2, colour);
    COLORREF rendered = probeDC.GetPixel(1, 1);
    probeDC.SelectObject(old);
    return rendered;
}

// Visits every pixel of the bitmap, column by column, and lets change() decide its new colour.
template <class Change>
void ChangePixels(CBitmap& bitmap, COLORREF reference, Change change) {
    BITMAP info{};
    if (bitmap.GetSafeHandle() == nullptr || !bitmap.GetBitmap(&info)) return;
    HDC screen = ::GetDC(nullptr);
    CDC dc;
    dc.Attach(::CreateCompatibleDC(screen));
    ::ReleaseDC(nullptr, screen);
    CGdiObject* old = dc.SelectObject(&bitmap);
    COLORREF ref = RenderedColour(dc, info, reference);
    for (int x = 0; x < info.bmWidth; ++x)
        for (int y = 0; y < info.bmHeight; ++y) {
            COLORREF c = dc.GetPixel(x, y);
            COLORREF n = change(c, c == ref);
            if (n != c) dc.SetPixel(x, y, n);
        }
    dc.SelectObject(old);
}

} // namespace

BOOL KsMenu::CreateIconList(CImageList& list) {
    return list.Create(s_nIconWidth, s_nIconHeight, ILC_COLORDDB | ILC_MASK, 1, 1);
}

int KsMenu::SharedImageCount() { return static_cast<int>(s_SharedImageIds.size()); }
UINT_PTR KsMenu::SharedImageId(int i) {
    return i >= 0 && i < SharedImageCount() ? s_SharedImageIds[i] : 0;
}

int KsMenu::FindGlobalImage(UINT_PTR nID) {
    auto it = std::find(s_SharedImageIds.begin(), s_SharedImageIds.end(), nID);
    return it == s_SharedImageIds.end() ? -1 : static_cast<int>(it - s_SharedImageIds.begin());
}

BOOL KsMenu::HasEffectImages(int k) {
    int n = SharedImageCount();
    return k >= 0 && k + 2 < n && s_SharedImageIds[k] == s_SharedImageIds[k + 1] &&
           s_SharedImageIds[k] == s_SharedImageIds[k + 2];
}

COLORREF KsMenu::LightenColor(COLORREF colour, double factor) {
    if (!(factor > 0.0 && factor <= 1.0)) return colour;
    auto ch = [factor](int c) { return static_cast<int>(c + factor * (255 - c)); };
    return RGB(ch(GetRValue(colour)), ch(GetGValue(colour)), ch(GetBValue(colour)));
}

COLORREF KsMenu::DarkenColor(COLORREF colour, double factor) {
    if (!(factor > 0.0 && factor <= 1.0)) return colour;
    auto ch = [factor](int c) { return static_cast<int>(c - factor * c); };
    return RGB(ch(GetRValue(colour)), ch(GetGValue(colour)), ch(GetBValue(colour)));
}

void KsMenu::MakeFadedBitmap(CBitmap& bitmap) {
    ChangePixels(bitmap, ::GetSysColor(COLOR_BTNFACE),
                 [](COLORREF c, bool ref) { return ref ? c : LightenColor(c, 0.3); });
}

void KsMenu::MakeShadowBitmap(CBitmap& bitmap) {
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    ChangePixels(bitmap, ::GetSysColor(COLOR_BTNFACE), [shadow](COLORREF c, bool ref) { return ref ? c : shadow; });
}

void KsMenu::MakeGreyedBitmap(CBitmap& bitmap, COLORREF replacement) {
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    ChangePixels(bitmap, ::GetSysColor(COLOR_BTNFACE), [shadow, replacement](COLORREF c, bool ref) {
        if (ref) return replacement != 0 ? replacement : c;
        int m = (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
        return LightenColor(shadow, m / 255.0);
    });
}

void KsMenu::ReplaceGreyBackground(CBitmap& bitmap) {
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    ChangePixels(bitmap, RGB(192, 192, 192), [face](COLORREF c, bool ref) { return ref ? face : c; });
}

BOOL KsMenu::GetIconBitmap(CDC* pDC, CImageList* list, int index, CBitmap& bitmap) {
    bitmap.DeleteObject();
    bitmap.CreateCompatibleBitmap(pDC, s_nIconWidth, s_nIconHeight);
    CDC dc;
    dc.CreateCompatibleDC(pDC);
    CGdiObject* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(0, 0, s_nIconWidth, s_nIconHeight, ::GetSysColor(COLOR_BTNFACE));
    ::ImageList_Draw(*list, index, dc.m_hDC, 0, 0, ILD_TRANSPARENT);
    dc.SelectObject(old);
    return 1;
}

int KsMenu::GetBitmapColorCount(const BITMAPINFOHEADER& info) {
    if (info.biClrUsed != 0) return static_cast<int>(LOWORD(info.biClrUsed));
    switch (info.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

HBITMAP KsMenu::LoadSysColorBitmap(UINT nResourceID) {
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(hInst, MAKEINTRESOURCEA(nResourceID), reinterpret_cast<LPCSTR>(RT_BITMAP));
    if (res == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(hInst, MAKEINTRESOURCEA(nResourceID), reinterpret_cast<LPCSTR>(RT_BITMAP));
    }
    if (res == nullptr || ::SizeofResource(hInst, res) < sizeof(BITMAPINFOHEADER)) return nullptr;
    HGLOBAL data = ::LoadResource(hInst, res);
    auto* info = data ? static_cast<const BITMAPINFOHEADER*>(::LockResource(data)) : nullptr;
    if (info == nullptr || GetBitmapColorCount(*info) != 16) return nullptr;
    // The standard greys, black and white of the picture take the current system colours.
    return ::CreateMappedBitmap(hInst, nResourceID, 0, nullptr, 0);
}

BOOL KsMenu::AddBitmapToImageList(CImageList* list, UINT nResourceID) {
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    BOOL added = FALSE;
    if (HBITMAP mapped = LoadSysColorBitmap(nResourceID)) {
        added = ::ImageList_AddMasked(*list, mapped, face) >= 0;
        ::DeleteObject(mapped);
    } else {
        CBitmap plain;
        if (plain.LoadBitmap(nResourceID)) {
            s_bUnmappedBitmaps = TRUE;
            ReplaceGreyBackground(plain);
            added = ::ImageList_AddMasked(*list, static_cast<HBITMAP>(plain.m_hObject), face) >= 0;
        }
    }
    if (added && IsXPStyle()) {
        HWND wnd = ksmenu::MainWindowOrDesktop();
        CDC* dc = CDC::FromHandle(::GetDC(wnd));
        CBitmap effects[3];
        for (int i = 0; i < 3; ++i) GetIconBitmap(dc, list, 0, effects[i]);
        MakeFadedBitmap(effects[0]);
        MakeShadowBitmap(effects[1]);
        MakeGreyedBitmap(effects[2]);
        for (auto& b : effects) ::ImageList_AddMasked(*list, static_cast<HBITMAP>(b.m_hObject), face);
        ::ReleaseDC(wnd, dc->m_hDC);
    }
    return added;
}

int KsMenu::AddGlobalImage(CImageList* list, int index, UINT_PTR nID) {
    if (s_SharedImages.m_hImageList == nullptr) CreateIconList(s_SharedImages);
    HICON icon = ::ImageList_GetIcon(*list, index, ILD_NORMAL);
    if (icon == nullptr) return -1;
    COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    CBitmap effects[3];
    bool xp = IsXPStyle();
    if (xp) {
        HWND wnd = ksmenu::MainWindowOrDesktop();
        CDC* dc = CDC::FromHandle(::GetDC(wnd));
        for (auto& b : effects) GetIconBitmap(dc, list, index, b);
        ::ReleaseDC(wnd, dc->m_hDC);
        MakeFadedBitmap(effects[0]);
        MakeShadowBitmap(effects[1]);
        MakeGreyedBitmap(effects[2]);
    }
    int k = FindGlobalImage(nID);
    int result;
    if (k < 0) {
        result = ::ImageList_ReplaceIcon(s_SharedImages, -1, icon);
        s_SharedImageIds.push_back(nID);
        if (xp) {
            for (auto& b : effects) {
                ::ImageList_AddMasked(s_SharedImages, static_cast<HBITMAP>(b.m_hObject), face);
                s_SharedImageIds.push_back(nID);
            }
        }
    } else {
        ::ImageList_ReplaceIcon(s_SharedImages, k, icon);
        result = k;
        if (xp && HasEffectImages(k) && k + 3 < SharedImageCount() && s_SharedImageIds[k + 3] == nID) {
            for (int i = 0; i < 3; ++i)
                ::ImageList_Replace(s_SharedImages, k + 1 + i, static_cast<HBITMAP>(effects[i].m_hObject), nullptr);
        }
    }
    ::DestroyIcon(icon);
    return result;
}

BOOL KsMenu::SetCommandImage(const wchar_t* text, UINT nID, CImageList* list, int index) {
    int pos = -1;
    KsMenu* menu = FindCommand(nID, pos);
    KsMenuItemData* last = nullptr;
    std::vector<std::pair<KsMenu*, int>> visited;
    if (menu == nullptr) {
        last = new KsMenuItemData;
        m_ItemData.push_back(last);
    }
    while (menu != nullptr || last != nullptr) {
        KsMenuItemData* d = last;
        if (menu != nullptr) {
            d = menu->GetItemData(pos);
            if (d == nullptr) {
                visited.emplace_back(menu, pos);
                menu = FindNextCommand(nID, pos, visited);
                continue;
            }
        }
        if (text != nullptr) d->SetText(text);
        d->m_nBitmapId = -1;
        d->m_nImageIndex = -1;
        if (list != nullptr) {
            d->DestroyImageList();
            d->m_nGlobalImage = AddGlobalImage(list, index, nID);
        }
        d->m_nFlags = (d->m_nFlags & ~MF_BYPOSITION) | MF_OWNERDRAW;
        d->m_nID = nID;
        last = d;
        if (menu == nullptr) break;
        visited.emplace_back(menu, pos);
        menu = FindNextCommand(nID, pos, visited);
    }
    return ::ModifyMenuW(m_hMenu, nID, last->m_nFlags & ~MF_BYPOSITION, nID, reinterpret_cast<LPCWSTR>(last));
}

BOOL KsMenu::LoadToolbar(UINT nToolBar) {
    CToolBar bar;
    CWnd* parent = CWnd::FromHandle(ksmenu::MainWindowOrDesktop());
    if (!bar.CreateEx(parent, TBSTYLE_FLAT, 0x50002800, CRect(0, 0, 0, 0), 0xE800) || !bar.LoadToolBar(nToolBar))
        return FALSE;
    CImageList strip;
    if (!CreateIconList(strip) || !AddBitmapToImageList(&strip, nToolBar)) {
        bar.DestroyWindow();
        return FALSE;
    }
    int count = bar.GetButtonCount();
    for (int i = 0; i < count; ++i) {
        UINT id = 0, style = 0;
        int image = 0;
        bar.GetButtonInfo(i, id, style, image);
        if (id == 0 || ::GetMenuState(m_hMenu, id, MF_BYCOMMAND) == static_cast<UINT>(-1)) continue;
        int index = bar.CommandToIndex(id);
        if (image > 0) index = image;
        SetCommandImage(nullptr, id, &strip, index);
    }
    bar.DestroyWindow();
    return TRUE;
}

BOOL KsMenu::LoadToolbars(const UINT* ids, int count) {
    BOOL all = TRUE;
    for (int i = 0; i < count; ++i)
        if (!LoadToolbar(ids[i])) all = FALSE;
    return all;
}
