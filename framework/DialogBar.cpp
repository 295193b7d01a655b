#include "framework/DialogBar.h"

#include <vector>

#include "framework/ResourceHandle.h"

IMPLEMENT_DYNAMIC(CDialogBar, CControlBar)

INT_PTR CALLBACK CDialogBar::BarDialogProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG ? TRUE : FALSE;
}

BOOL CDialogBar::Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID) {
    m_dwStyle = nStyle & CBRS_ALL;
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(hInst, lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (res == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(hInst, lpszTemplateName, reinterpret_cast<LPCSTR>(RT_DIALOG));
    }
    if (res == nullptr) return FALSE;
    DWORD bytes = ::SizeofResource(hInst, res);
    HGLOBAL data = ::LoadResource(hInst, res);
    const void* source = data != nullptr ? ::LockResource(data) : nullptr;
    if (source == nullptr || bytes < sizeof(DLGTEMPLATE)) return FALSE;
    // A copy whose style makes the dialog a visible child without a frame of its own.
    std::vector<BYTE> copy(static_cast<const BYTE*>(source), static_cast<const BYTE*>(source) + bytes);
    bool extended = bytes >= 4 && reinterpret_cast<const WORD*>(copy.data())[1] == 0xFFFF;
    DWORD* style = reinterpret_cast<DWORD*>(copy.data() + (extended ? 12 : 0));
    *style = (*style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_MODALFRAME | WS_BORDER)) | WS_CHILD |
             WS_CLIPSIBLINGS | ((nStyle & WS_VISIBLE) || !(nStyle & 0xF0000000u) ? WS_VISIBLE : 0);
    AfxHookWindowCreate(this);
    HWND h = ::CreateDialogIndirectParamA(hInst, reinterpret_cast<LPCDLGTEMPLATEA>(copy.data()),
                                          pParentWnd->GetSafeHwnd(), &CDialogBar::BarDialogProc, 0);
    AfxUnhookWindowCreate();
    if (h == nullptr) {
        if (m_hWnd != nullptr) Detach();
        return FALSE;
    }
    SetDlgCtrlID(static_cast<int>(nID));
    m_nCreationOrder = NextCreationOrder();
    SetOwner(pParentWnd);
    CRect r;
    GetWindowRect(&r);
    m_sizeDefault = r.Size();
    ShowWindow(SW_SHOWNOACTIVATE);
    return TRUE;
}

CSize CDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    CSize size = m_sizeDefault;
    if (bStretch) {
        if (bHorz) size.cx = 32767;
        else size.cy = 32767;
    }
    return size;
}

void CDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) {
    UpdateDialogControls(pTarget, bDisableIfNoHandler);
}

BOOL CDialogBar::PreTranslateMessage(MSG* pMsg) {
    if (CControlBar::PreTranslateMessage(pMsg)) return TRUE;
    // Enter and Esc become IDOK and IDCANCEL for the frame; Tab moves between the controls.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && ::IsChild(m_hWnd, pMsg->hwnd))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}
