#include "editors/FilterPathsDlg.h"

#include "framework/DataExchange.h"
#include "res/dialogs-filters.h"

namespace {
const char* const kCriteria[] = {
    "endpoints less than X =",
    "endpoints greater than X =",
    "any coordinate less than X =",
    "any coordinate greater than X =",
};
}  // namespace

BEGIN_MESSAGE_MAP(CFilterPathsDlg, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CFilterPathsDlg::CFilterPathsDlg() : CDialog(IDD_FILTER_PATHS) {}

void EnableFilterModeGroup(CDialog& dialog, bool pathsFiltered)
{
    for (int id : {IDC_FILTER_MODE_GROUP, IDC_FILTER_MODE_DISCARD, IDC_FILTER_MODE_NARROW, IDC_FILTER_MODE_ADD})
        if (CWnd* control = dialog.GetDlgItem(id))
            control->EnableWindow(pathsFiltered);
}

void CFilterPathsDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILTER_CRITERION, m_criterion);
    DDX_Radio(pDX, IDC_FILTER_MODE_DISCARD, m_nMode);
    DDX_Text(pDX, IDC_FILTER_X, m_x);
}

BOOL CFilterPathsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (const char* text : kCriteria)
        m_criterion.AddString(text);
    m_criterion.SetCurSel(0);
    EnableFilterModeGroup(*this, m_bPathsFiltered != 0);
    return TRUE;
}

void CFilterPathsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int chosen = m_criterion.GetCurSel();
    if (chosen < 0 || chosen > 3)
        return;
    for (int i = 0; i < 4; ++i) {
        m_criterionValues[i] = m_x;
        m_criterionFlags[i] = i == chosen ? 1 : 0;
    }
    EndDialog(IDOK);
}
