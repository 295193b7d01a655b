// CWhatsNewDlg: the release notes, newest version first, under the program's
// name and version; the application fills in the texts and the icon.
#pragma once

#include "framework/Dialog.h"
#include "framework/String.h"

class CWhatsNewDlg : public CDialog {
    DECLARE_DYNAMIC(CWhatsNewDlg)
public:
    explicit CWhatsNewDlg(CWnd* pParent = nullptr);

    CString m_strTitle = "dialog title";
    CString m_strVersion = "app_and_version";
    CString m_strText = "What\r\nis\r\nnew";
    HICON m_hIcon = nullptr;

    // The notes of every version, as the dialog shows them.
    static CString ReleaseNotes();

    BOOL OnInitDialog() override;

protected:
    afx_msg void OnPaint();

    DECLARE_MESSAGE_MAP()
};
