// "Apply values to all std dev's".
#include "editors/StdDevApplyDlg.h"

#include <cmath>

#include "editors/EditorDialog.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/dialogs-slope.h"

BEGIN_MESSAGE_MAP(CStdDevApplyDlg, CDialog)
    ON_BN_CLICKED(IDC_SD_APPLY_X, OnApplyChecks)
    ON_BN_CLICKED(IDC_SD_APPLY_Y, OnApplyChecks)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CStdDevApplyDlg::CStdDevApplyDlg(CWnd* parent) : CDialog(IDD_STDDEV_APPLY, parent) {}

BOOL CStdDevApplyDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    UpdateControls();
    return TRUE;
}

void CStdDevApplyDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SD_APPLY_X, m_bApplyX);
    DDX_Check(pDX, IDC_SD_APPLY_Y, m_bApplyY);
    // Only the values that will be applied are checked.
    if (!pDX->m_bSaveAndValidate || m_bApplyX)
        ExchangeStdDev(pDX, IDC_SD_X, m_dX);
    if (!pDX->m_bSaveAndValidate || m_bApplyY)
        ExchangeStdDev(pDX, IDC_SD_Y, m_dY);
}

void CStdDevApplyDlg::OnApplyChecks()
{
    UpdateControls();
}

void CStdDevApplyDlg::UpdateControls()
{
    const bool x = IsDlgButtonChecked(IDC_SD_APPLY_X) == BST_CHECKED;
    const bool y = IsDlgButtonChecked(IDC_SD_APPLY_Y) == BST_CHECKED;
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SD_X), x);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_SD_Y), y);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), x || y);
}
