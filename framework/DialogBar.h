// CDialogBar: a control bar made from a dialog template; its controls' commands
// and notifications go to the frame, and the dialog keys (Enter, Esc, Tab)
// work in it as in a dialog.
#pragma once

#include "framework/ControlBar.h"

class CDialogBar : public CControlBar {
    DECLARE_DYNAMIC(CDialogBar)
public:
    BOOL Create(CWnd* pParentWnd, LPCSTR lpszTemplateName, UINT nStyle, UINT nID);
    BOOL Create(CWnd* pParentWnd, UINT nIDTemplate, UINT nStyle, UINT nID) {
        return Create(pParentWnd, MAKEINTRESOURCEA(nIDTemplate), nStyle, nID);
    }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHandler) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CSize m_sizeDefault{0, 0};

    static INT_PTR CALLBACK BarDialogProc(HWND, UINT message, WPARAM, LPARAM);
};
