// "Apply values to all std dev's": one x and one y standard deviation, each
// applied to every slope vertex when its box is ticked.
#pragma once

#include "framework/Dialog.h"

class CStdDevApplyDlg : public CDialog {
public:
    explicit CStdDevApplyDlg(CWnd* parent = nullptr);

    double m_dX = 0.0;
    double m_dY = 0.0;
    int m_bApplyX = 0;
    int m_bApplyY = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnApplyChecks();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    void UpdateControls();

    DECLARE_MESSAGE_MAP()
};
