// CDialog: a window made from a dialog template, modal (DoModal runs its own
// message loop, so PreTranslateMessage and idle work go on) or modeless (Create).
#pragma once

#include "framework/Wnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    ~CDialog() override;

    // Modeless: creates the dialog now and returns at once.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    // Modal: runs until EndDialog and returns its result (-1 when the dialog could not be made).
    virtual INT_PTR DoModal();
    BOOL InitModalIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd = nullptr);
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnSetFont(CFont*) {}

    DWORD GetDefID() const;
    void SetDefID(UINT nID) { SendMessage(DM_SETDEFID, nID); }
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl);
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void SetHelpID(UINT nIDR) { m_nIDHelp = nIDR; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // For the template's dialog procedure.
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    LPCSTR m_lpszTemplateName = nullptr;
    LPCDLGTEMPLATEA m_lpDialogTemplate = nullptr;
    CWnd* m_pParentWnd = nullptr;
    UINT m_nIDHelp = 0;
    int m_nModalResult = -1;
    BOOL m_bInModalLoop = FALSE;
    BOOL m_bEndModal = FALSE;

    BOOL CreateDlgIndirect(LPCDLGTEMPLATEA lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst);
    int RunModalLoop();

    DECLARE_MESSAGE_MAP()
};
