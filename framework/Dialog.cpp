#include "framework/Dialog.h"

#include "framework/DataExchange.h"
#include "framework/Exception.h"
#include "framework/HandlerFailure.h"
#include "framework/ResourceHandle.h"
#include "framework/WinApp.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEA(nIDTemplate)), m_pParentWnd(pParentWnd), m_nIDHelp(nIDTemplate) {}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

CDialog::~CDialog() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    CWnd* wnd = FromHandlePermanent(hWnd);
    if (wnd == nullptr || !wnd->IsKindOf(RUNTIME_CLASS(CDialog))) return TRUE;
    auto* dialog = static_cast<CDialog*>(wnd);
    // A modal dialog opens over the window it belongs to rather than at its
    // template's corner of the screen; one that places itself in
    // OnInitDialog still has the last word.
    if (dialog->m_bInModalLoop && !(dialog->GetStyle() & WS_CHILD)) dialog->CenterWindow();
    BOOL result = TRUE;
    try {
        result = dialog->OnInitDialog();
    } catch (...) {
        // The system's dialog code called us: nothing may unwind into it.
        AfxReportHandlerFailure();
        dialog->EndDialog(-1);
        result = FALSE;
    }
    // The initial font for dialogs that care.
    dialog->OnSetFont(dialog->GetFont());
    return result;
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The dialog's own window procedure (the system's dialog procedure) handles the rest.
    return CWnd::DefWindowProc(message, wParam, lParam);
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst) {
    if (lpDialogTemplate == nullptr) return FALSE;
    AfxHookWindowCreate(this);
    HWND h = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), &CDialog::DialogProc, 0);
    AfxUnhookWindowCreate();
    if (h == nullptr && m_hWnd != nullptr) Detach();
    return h != nullptr;
}

namespace {

LPCDLGTEMPLATEA FindTemplate(LPCSTR name, HINSTANCE& hInst) {
    hInst = AfxGetResourceHandle();
    HRSRC res = ::FindResourceA(hInst, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    if (res == nullptr) {
        hInst = ::GetModuleHandleA(nullptr);
        res = ::FindResourceA(hInst, name, reinterpret_cast<LPCSTR>(RT_DIALOG));
    }
    if (res == nullptr) return nullptr;
    HGLOBAL data = ::LoadResource(hInst, res);
    return data ? static_cast<LPCDLGTEMPLATEA>(::LockResource(data)) : nullptr;
}

} // namespace

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    HINSTANCE hInst;
    LPCDLGTEMPLATEA tmpl = FindTemplate(lpszTemplateName, hInst);
    if (pParentWnd == nullptr) pParentWnd = m_pParentWnd;
    return CreateDlgIndirect(tmpl, pParentWnd, hInst);
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd) {
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, AfxGetInstanceHandle());
}

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd) {
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    HINSTANCE hInst = AfxGetInstanceHandle();
    LPCDLGTEMPLATEA tmpl = m_lpDialogTemplate;
    if (tmpl == nullptr && m_lpszTemplateName != nullptr) tmpl = FindTemplate(m_lpszTemplateName, hInst);
    if (tmpl == nullptr) return -1;

    // The owner is the parent given, else the main window; it is disabled while the dialog runs.
    HWND parent = m_pParentWnd ? m_pParentWnd->GetSafeHwnd() : nullptr;
    if (parent == nullptr) {
        CWnd* main = AfxGetMainWnd();
        parent = main ? main->GetSafeHwnd() : nullptr;
    }
    if (parent != nullptr) {
        while (::GetWindowLongPtrA(parent, GWL_STYLE) & WS_CHILD) parent = ::GetParent(parent);
        parent = ::GetLastActivePopup(parent);
    }
    bool enableParent = parent != nullptr && ::IsWindowEnabled(parent);
    if (enableParent) ::EnableWindow(parent, FALSE);

    m_nModalResult = -1;
    m_bEndModal = FALSE;
    m_bInModalLoop = TRUE;
    CWnd temp;
    temp.m_hWnd = parent;
    BOOL created = CreateDlgIndirect(tmpl, parent ? &temp : nullptr, hInst);
    temp.m_hWnd = nullptr;
    if (created && !m_bEndModal) {
        // Show it now unless it ended itself while initialising.
        if (!(GetStyle() & WS_VISIBLE)) ShowWindow(SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_bInModalLoop = FALSE;
    if (m_hWnd != nullptr) SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableParent) ::EnableWindow(parent, TRUE);
    if (parent != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(parent);
    if (m_hWnd != nullptr) DestroyWindow();
    return m_nModalResult;
}

int CDialog::RunModalLoop() {
    CWinThread* thread = AfxGetThread();
    MSG msg;
    while (!m_bEndModal) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (m_bEndModal) break;
            ::WaitMessage();
            continue;
        }
        BOOL more;
        if (thread != nullptr) {
            more = thread->PumpMessage();
        } else {
            more = ::GetMessageA(&msg, nullptr, 0, 0);
            if (more && !PreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (!more) {
            // WM_QUIT: leave the dialog and let the outer loop see the quit too.
            ::PostQuitMessage(0);
            m_nModalResult = -1;
            break;
        }
        if (m_hWnd == nullptr) break; // destroyed from inside
    }
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult) {
    if (m_bInModalLoop) {
        m_nModalResult = nResult;
        m_bEndModal = TRUE;
        // Wake the loop in case it waits for a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd != nullptr) {
        // A modeless dialog is hidden; its owner destroys it.
        ::EndDialog(m_hWnd, nResult);
    }
}

BOOL CDialog::OnInitDialog() {
    // Controls get their values before the dialog shows.
    if (!UpdateData(FALSE)) return FALSE;
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

DWORD CDialog::GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->GetSafeHwnd()), TRUE);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    if (m_hWnd == nullptr) return FALSE;
    // Keys for the dialog or its controls: tab, arrows, Enter and Escape move and press as in any dialog.
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST &&
        (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd)))
        return ::IsDialogMessageA(m_hWnd, pMsg);
    return FALSE;
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()
