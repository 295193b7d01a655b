// CUpdateAvailableDlg: "Free Update Available !", the answer to an update
// check that found a newer version: install it now, be reminded in a number
// of days (1 to 60), or never be told again.
#pragma once

#include <memory>

#include "framework/CommonControls.h"
#include "framework/Dialog.h"

class CStaticLink;

class CUpdateAvailableDlg : public CDialog {
    DECLARE_DYNAMIC(CUpdateAvailableDlg)
public:
    explicit CUpdateAvailableDlg(CWnd* pParent = nullptr);
    ~CUpdateAvailableDlg() override;

    enum { kInstall = 0, kRemind = 1, kNever = 2 };

    std::unique_ptr<CStaticLink> m_pLinkHistory;
    CSpinButtonCtrl m_spinDays;
    int m_nDays = 1;
    int m_nChoice = kInstall;
    // What the link opens.
    CString m_strHistoryUrl;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnDeltaPosDays(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()
};
