// CUrlLinkStatic: a static text of a dialog turned into a full hyperlink. It
// keeps its target apart from its text, fits its window to the text, shows
// the target in a tooltip, underlines itself while the mouse is over it and
// changes colour once visited. When the shell cannot open the target it runs
// the program registered for web pages itself, and failing that explains the
// shell's error.
#pragma once

#include "framework/CommonControls.h"
#include "framework/Gdi.h"
#include "framework/StdControls.h"
#include "framework/String.h"

class CUrlLinkStatic : public CStatic {
    DECLARE_DYNAMIC(CUrlLinkStatic)
public:
    CUrlLinkStatic() = default;
    ~CUrlLinkStatic() override;

    void SetUrl(CString url);
    const CString& GetUrl() const { return m_strUrl; }
    void SetVisited(BOOL visited);
    BOOL IsVisited() const { return m_bVisited; }
    BOOL IsUnderlined() const { return m_bUnderline; }

    // The shell's result for url, or that of the registered web-page program.
    static INT_PTR OpenUrl(LPCSTR url, int showCmd);
    static void ReportError(int code);
    // The text ReportError shows for a code.
    static CString ErrorText(int code);
    // The default value of root\subKey into out (at least MAX_PATH characters);
    // the result of opening the key (ERROR_SUCCESS when read).
    static LONG ReadRegKey(HKEY root, LPCSTR subKey, LPSTR out);
    // The registered open command with its "%1" (quoted or bare) replaced by
    // a blank and the url, or url appended after a blank when it has none.
    // FALSE when the result does not fit capacity characters with its end.
    static BOOL ComposeCommand(LPCSTR registered, LPCSTR url, LPSTR out, size_t capacity);

    BOOL PreTranslateMessage(MSG* pMsg) override;
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

protected:
    void PreSubclassWindow() override;
    void FitToText();

    // The tooltip needs to see the mouse to show the target.
    BOOL m_bRelayToolTip = TRUE;
    BOOL m_bHover = FALSE;
    COLORREF m_crLink = RGB(0, 0, 255);
    COLORREF m_crVisited = RGB(128, 32, 160);
    BOOL m_bVisited = FALSE;
    BOOL m_bUnderline = FALSE;
    BOOL m_bFitToText = TRUE;
    CString m_strUrl;
    CFont m_fontUnderline;
    HCURSOR m_hCursor = nullptr;
    CToolTipCtrl m_wndToolTip;

    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnClicked();
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()
};
