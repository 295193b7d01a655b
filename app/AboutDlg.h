// CAboutDlg: the About box. The application fills in its title, version and
// build-date texts and the icon before showing it; the box draws the icon
// itself and links the maker's web site and support mailbox.
#pragma once

#include <memory>

#include "controls/StaticLink.h"
#include "framework/DC.h"
#include "framework/Dialog.h"
#include "framework/String.h"

class CAboutDlg : public CDialog {
    DECLARE_DYNAMIC(CAboutDlg)
public:
    explicit CAboutDlg(CWnd* pParent = nullptr);
    ~CAboutDlg() override;

    CString m_strTitle = "dialog_title";
    CString m_strVersion = "app_and_version";
    CString m_strBuildDate;
    HICON m_hIcon = nullptr;
    std::unique_ptr<CStaticLink> m_pLinkMail;
    std::unique_ptr<CStaticLink> m_pLinkWeb;

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};

// Draws a program icon at the top left of an information dialog's client area.
void DrawInfoIcon(CDC* dc, HICON icon);
