// CStaticLink: a static text of a dialog turned into a small hyperlink. It is
// always underlined, blue until visited and purple after, drawn on the
// dialog's own background; a click hands its link (or, without one, its own
// text) to the shell and only beeps when the shell cannot open it.
#pragma once

#include "framework/Gdi.h"
#include "framework/StdControls.h"
#include "framework/String.h"

class CStaticLink : public CStatic {
    DECLARE_DYNAMIC(CStaticLink)
public:
    CStaticLink() = default;
    ~CStaticLink() override;

    COLORREF m_crUnvisited = RGB(0, 0, 255);
    COLORREF m_crVisited = RGB(128, 0, 128);
    BOOL m_bVisited = FALSE;
    // What a click opens; the window text when left empty.
    CString m_strLink;
    CFont m_fontUnderline;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnClicked();

    DECLARE_MESSAGE_MAP()
};
