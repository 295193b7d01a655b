#include "editors/DxfExportDlg.h"

#include "res/dialogs-dxf.h"

namespace {

const char* const kRowTexts[DXF_EXPORT_ROWS] = {" Slope", " Barriers", " Collectors", " Seeders",
                                                " Selected Rock Paths", " All Rock Paths"};

} // namespace

CDxfExportDlg::CDxfExportDlg(CWnd* pParentWnd) : CDialog(IDD_DXF_EXPORT, pParentWnd)
{
}

CDxfExportDlg::~CDxfExportDlg() = default;

BOOL CDxfExportDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_options.SubclassDlgItem(IDC_DXF_EXPORT_OPTIONS, this);
    // A kind the drawing has none of is shown, but cannot be checked.
    for (int row = 0; row < DXF_EXPORT_ROWS; ++row) {
        m_options.AddString(kRowTexts[row]);
        m_options.SetCheck(row, m_options.m_abOption[row] ? 1 : 0);
        m_options.Enable(row, m_options.m_abOption[row] ? TRUE : FALSE);
    }
    return TRUE;
}

void CDxfExportDlg::OnOK()
{
    m_options.CountChecked();
    CDialog::OnOK();
}
