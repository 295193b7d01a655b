#include "app/DiscTimeDialog.h"

#include "res/dialogs-shell.h"

IMPLEMENT_DYNAMIC(CDiscTimedlg, CCaptionBarDialog)

CDiscTimedlg::CDiscTimedlg(CWnd* pParentWnd) : CCaptionBarDialog(IDD_DISC_TIME_STEP, pParentWnd) {}

BOOL CDiscTimedlg::Create() { return CDialog::Create(IDD_DISC_TIME_STEP, nullptr); }

void CDiscTimedlg::SetDocument(CDocument* doc) {
    m_pDocument = doc;
    if (m_hWnd != nullptr) Invalidate();
}
