#include "framework/CmdTarget.h"

#include "framework/Menu.h"
#include "framework/Wnd.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap() {
    static const AFX_MSGMAP_ENTRY entries[] = {{AfxEntryKind::End, 0, 0, 0, 0, nullptr, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

namespace {

bool Matches(const AFX_MSGMAP_ENTRY& e, AfxEntryKind kind, UINT message, int code, UINT id) {
    if (e.kind != kind) return false;
    switch (kind) {
    case AfxEntryKind::Message: return e.nMessage == message;
    case AfxEntryKind::Registered: return e.pRegistered != nullptr && *e.pRegistered == message;
    case AfxEntryKind::Command:
    case AfxEntryKind::Notify: return e.nCode == code && id >= e.nID && id <= e.nLastID;
    case AfxEntryKind::ReflectCommand:
    case AfxEntryKind::ReflectNotify: return e.nCode == code;
    case AfxEntryKind::End: return false;
    }
    return false;
}

} // namespace

const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, AfxEntryKind kind, UINT message, int code,
                                           UINT id) {
    for (; map != nullptr; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxEntryKind::End; ++e) {
            if (Matches(*e, kind, message, code, id)) return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // nID 0 is never a command; WM_NOTIFY codes arrive with a non-null AFX_NOTIFY.
    AfxEntryKind kind = AfxEntryKind::Command;
    if (pExtra != nullptr && nCode != CN_UPDATE_COMMAND_UI && nCode != CN_COMMAND) {
        // Control notifications through WM_COMMAND carry no extra data;
        // WM_NOTIFY ones carry their AFX_NOTIFY.
        kind = AfxEntryKind::Notify;
    }
    for (const AFX_MSGMAP* map = GetMessageMap(); map != nullptr;
         map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->kind != AfxEntryKind::End; ++e) {
            if (!Matches(*e, kind, kind == AfxEntryKind::Command ? WM_COMMAND : WM_NOTIFY, nCode, nID)) continue;
            if (pHandlerInfo != nullptr) {
                pHandlerInfo->pTarget = this;
                return TRUE;
            }
            AFX_MSGCALL call;
            call.nID = nID;
            call.nCode = nCode;
            call.pExtra = pExtra;
            if (nCode == CN_UPDATE_COMMAND_UI) {
                // The handler may ask to continue to the next target.
                auto* cmdUI = static_cast<CCmdUI*>(pExtra);
                cmdUI->m_bContinueRouting = FALSE;
                e->pfn(this, call);
                return !cmdUI->m_bContinueRouting;
            }
            return e->pfn(this, call);
        }
    }
    return FALSE;
}

namespace {
thread_local int waitCursorCount = 0;
thread_local HCURSOR cursorBeforeWait = nullptr;
} // namespace

void AfxDoWaitCursor(int nCode) {
    HCURSOR wait = ::LoadCursor(nullptr, IDC_WAIT);
    if (nCode > 0) {
        HCURSOR previous = ::SetCursor(wait);
        if (waitCursorCount++ == 0) cursorBeforeWait = previous;
    } else if (nCode < 0) {
        if (waitCursorCount > 0 && --waitCursorCount == 0)
            ::SetCursor(cursorBeforeWait ? cursorBeforeWait : ::LoadCursor(nullptr, IDC_ARROW));
    } else if (waitCursorCount > 0) {
        ::SetCursor(wait);
    }
}

void CCmdTarget::BeginWaitCursor() { AfxDoWaitCursor(1); }
void CCmdTarget::EndWaitCursor() { AfxDoWaitCursor(-1); }
void CCmdTarget::RestoreWaitCursor() { AfxDoWaitCursor(0); }

void CCmdUI::Enable(BOOL bOn) {
    if (m_pMenu != nullptr) {
        // A popup's own entry is left alone: its items are updated when it opens.
        if (m_pSubMenu == nullptr)
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    } else if (m_pOther != nullptr) {
        // A plain child window: disabling the focus window moves the focus on first.
        if (!bOn && ::GetFocus() == m_pOther->GetSafeHwnd()) {
            HWND parent = ::GetParent(m_pOther->GetSafeHwnd());
            if (parent) ::SendMessageA(parent, WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr)
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
    } else if (m_pOther != nullptr) {
        // A button: only check boxes and radio buttons take a check.
        if (m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) m_pOther->SendMessage(BM_SETCHECK, nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn) {
    if (m_pMenu != nullptr && m_pSubMenu == nullptr) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        m_pMenu->GetMenuItemInfo(m_nIndex, &info, TRUE);
        info.fType = bOn ? (info.fType | MFT_RADIOCHECK) : (info.fType & ~MFT_RADIOCHECK);
        m_pMenu->SetMenuItemInfo(m_nIndex, &info, TRUE);
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCSTR lpszText) {
    if (m_pMenu != nullptr) {
        if (m_pSubMenu != nullptr) return;
        UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        state &= ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR | MF_POPUP);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | state, m_nID, lpszText);
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHandler) {
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF) return TRUE; // separators and odd items
    m_bEnableChanged = FALSE;
    BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHandler && !m_bEnableChanged) {
        // No update handler, or one that only sets the check: the item is
        // enabled exactly when a command handler exists. Leaving it alone
        // would keep a toolbar button grey from an earlier update.
        AFX_CMDHANDLERINFO info;
        Enable(pTarget->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
    }
    return handled;
}
