#include "view/ViewLimitsDlg.h"

#include <cmath>

#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "res/resource.h"
#include "res/dialogs-view.h"

IMPLEMENT_DYNCREATE(CSet_Limits, CDialog)

BEGIN_MESSAGE_MAP(CSet_Limits, CDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSet_Limits::CSet_Limits() : CDialog(IDD_VIEW_LIMITS) {}

double CSet_Limits::Thousandths(double value)
{
    // In doubles, so that a window far beyond the dialog's range (which the
    // dialog then refuses) cannot overflow an integer on the way in.
    return std::isfinite(value) ? std::trunc(value * 1000.0) / 1000.0 : 0.0;
}

void CSet_Limits::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_LIMITS_MAX_X, m_maxX);
    DDV_MinMaxDouble(pDX, m_maxX, -kLimit, kLimit);
    DDX_Text(pDX, IDC_LIMITS_MIN_X, m_minX);
    DDV_MinMaxDouble(pDX, m_minX, -kLimit, kLimit);
    DDX_Text(pDX, IDC_LIMITS_MAX_Y, m_maxY);
    DDV_MinMaxDouble(pDX, m_maxY, -kLimit, kLimit);
    DDX_Text(pDX, IDC_LIMITS_MIN_Y, m_minY);
    DDV_MinMaxDouble(pDX, m_minY, -kLimit, kLimit);
    if (!pDX->m_bSaveAndValidate)
        return;
    // A window without width or height cannot be shown: the view would
    // divide by it.
    const struct {
        double low, high;
        int control;
        const char* text;
    } axes[] = {
        {m_minX, m_maxX, IDC_LIMITS_MAX_X, "The maximum X must be larger than the minimum X."},
        {m_minY, m_maxY, IDC_LIMITS_MAX_Y, "The maximum Y must be larger than the minimum Y."},
    };
    for (const auto& axis : axes) {
        if (!(axis.high > axis.low)) {
            pDX->PrepareEditCtrl(axis.control);
            AfxMessageBox(axis.text, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    }
}
