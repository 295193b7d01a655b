#include "discs/DiscSetupDlg.h"

#include "framework/DataExchange.h"
#include "model/TalusimDoc.h"
#include "res/dialogs-discs.h"

BEGIN_MESSAGE_MAP(CDiscSetupDlg, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CDiscSetupDlg::CDiscSetupDlg() : CDialog(IDD_DISC_SETUP) {}

void CDiscSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_DISC_END_TIME, m_dEndTime);
    DDV_MinMaxDouble(pDX, m_dEndTime, 0.0, 10000.0);
    DDX_Radio(pDX, IDC_DISC_DEPENDENT, m_nIndependent);
    DDX_Check(pDX, IDC_DISC_2D, m_b2D);
}

void EditDiscParameters(CTalusimDoc* doc)
{
    CDiscParameters& block = doc->GetDiscParameters();
    CDiscSetupDlg dlg;
    dlg.m_dEndTime = block.GetEndTime();
    dlg.m_nIndependent = block.IsIndependent() ? 1 : 0;
    // The box shows what the document holds, so that OK keeps it.
    dlg.m_b2D = block.Is2DSimulation() ? 1 : 0;
    if (dlg.DoModal() != IDOK)
        return;
    const CDiscParameters before = block;
    block.SetIndependent(dlg.m_nIndependent == 1);
    block.SetEndTime(dlg.m_dEndTime);
    block.Set2DSimulation(dlg.m_b2D > 0);
    // The document saves these settings: a change is a change to the document.
    if (block.GetEndTime() != before.GetEndTime() || block.IsIndependent() != before.IsIndependent() ||
        block.Is2DSimulation() != before.Is2DSimulation())
        doc->SetModifiedFlag();
}
