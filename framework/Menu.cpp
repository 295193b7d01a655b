#include "framework/Menu.h"

#include "framework/HandleMap.h"
#include "framework/ResourceHandle.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

CHandleMap<HMENU, CMenu>& MenuMap() { return AfxThreadHandleMap<HMENU, CMenu>(); }

} // namespace

HMENU CMenu::GetSafeHmenu() const {
    return SafeHandleOf(this, &CMenu::m_hMenu);
}

CMenu::~CMenu() {
    // Like the other wrappers, a CMenu owns its menu until it is detached.
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU h) {
    return MenuMap().FromHandle(h, [](HMENU m) {
        auto w = std::make_unique<CMenu>();
        w->m_hMenu = m;
        return w;
    });
}

CMenu* CMenu::FromHandlePermanent(HMENU h) { return MenuMap().LookupPermanent(h); }

void CMenu::DeleteTempMap() { MenuMap().DeleteTemporaries(); }

BOOL CMenu::Attach(HMENU h) {
    if (h == nullptr) return FALSE;
    if (m_hMenu != nullptr) DestroyMenu();
    m_hMenu = h;
    MenuMap().SetPermanent(h, this);
    return TRUE;
}

HMENU CMenu::Detach() {
    HMENU h = m_hMenu;
    if (h != nullptr && MenuMap().LookupPermanent(h) == this) MenuMap().RemoveHandle(h);
    m_hMenu = nullptr;
    return h;
}

BOOL CMenu::LoadMenu(LPCSTR resourceName) {
    return Attach(::LoadMenuA(AfxGetResourceHandle(), resourceName));
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const {
    int length = ::GetMenuStringA(m_hMenu, id, nullptr, 0, flags);
    if (length <= 0) {
        text.Empty();
        return 0;
    }
    ::GetMenuStringA(m_hMenu, id, text.GetBuffer(length + 1), length + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

namespace {
thread_local HMENU trackingMenu = nullptr;
}

HMENU AfxGetTrackingMenu() { return trackingMenu; }

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* pWnd, LPCRECT rect) {
    // While it shows, owner-drawn items of this popup are measured through it.
    HMENU previous = trackingMenu;
    trackingMenu = m_hMenu;
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, rect);
    trackingMenu = previous;
    return result;
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}
