#include "view/ScaleImageDlg.h"

#include <cmath>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/dialogs-view.h"

BEGIN_MESSAGE_MAP(CScaleImageDlg, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CScaleImageDlg::CScaleImageDlg(CWnd* pParent) : CDialog(IDD_SCALE_IMAGE, pParent) {}

void CScaleImageDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SCALE_A_X, m_ax);
    DDX_Text(pDX, IDC_SCALE_A_Y, m_ay);
    DDX_Text(pDX, IDC_SCALE_B_X, m_bx);
    DDX_Text(pDX, IDC_SCALE_B_Y, m_by);
    DDX_Text(pDX, IDC_SCALE_IMAGE_SIZE, m_strImageSize);
}

void CScaleImageDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    // The picture is stretched by the ratio of the spans: points on one
    // line across an axis would divide by nothing there.
    if (std::fabs(m_ax - m_bx) < kMinSpan) {
        AfxMessageBox(kTooCloseHorizontally, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (std::fabs(m_ay - m_by) < kMinSpan) {
        AfxMessageBox(kTooCloseVertically, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    EndDialog(IDOK);
}
