// Disc Setup: the end time of each throw, whether discs depend on the ones
// left by the previous throw, and whether runs are two-dimensional.
#pragma once

#include "framework/Dialog.h"

class CTalusimDoc;

class CDiscSetupDlg : public CDialog
{
public:
    CDiscSetupDlg();

    double m_dEndTime = 0.0;
    int m_nIndependent = -1;    // radio index: 0 dependent, 1 independent
    int m_b2D = 1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

// The document's Disc Parameters command: the dialog filled from the
// document; OK stores its values, Cancel changes nothing.
void EditDiscParameters(CTalusimDoc* document);
