#include "app/DistributionStatsDlg.h"


#include "app/DocumentLink.h"
#include "app/MainFrame.h"
#include "framework/DataExchange.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/WinApp.h"
#include "geometry/REGDatabase.h"
#include "res/dialogs-shell.h"

IMPLEMENT_DYNAMIC(CDistStatsDlg, CCaptionBarDialog)

CDistStatsDlg::CDistStatsDlg(CDocument*) : CCaptionBarDialog(IDD_DISTRIBUTION_STATISTICS, nullptr) {}

BOOL CDistStatsDlg::OnInitDialog() {
    CCaptionBarDialog::OnInitDialog();
    SetDlgItemText(IDC_STATISTICS_TEXT, m_strReport);
    return TRUE;
}

void CDistStatsDlg::DoDataExchange(CDataExchange* pDX) { DDX_Text(pDX, IDC_STATISTICS_TEXT, m_strReport); }

void CDistStatsDlg::OnCopy() {
    if (m_pClipboardDatabase == nullptr) return;
    m_pClipboardDatabase->CopyTextToClipboard(this, m_strReport);
}

void CDistStatsDlg::DocumentClosing(CDocument* doc) {
    if (doc == nullptr || doc != m_pClipboardOwner) return;
    m_pClipboardDatabase = nullptr;
    m_pClipboardOwner = nullptr;
}

void CDistStatsDlg::OnOK() { DestroyWindow(); }
void CDistStatsDlg::OnCancel() { DestroyWindow(); }

void CDistStatsDlg::PostNcDestroy() {
    if (auto* main = dynamic_cast<CMainFrame*>(AfxGetMainWnd()); main != nullptr && main->m_pDistStatsDlg == this)
        main->m_pDistStatsDlg = nullptr;
    delete this;
}

BOOL CDistStatsDlg::ShouldFollowView(CView* view) {
    CView* active = ActiveChildView();
    CDocument* doc = ActiveChildDocument();
    if (AfxGetMainWnd() == nullptr || active == nullptr || doc == nullptr) return TRUE;
    if (view == nullptr) return TRUE;
    int graphs = 0;
    for (POSITION pos = doc->GetFirstViewPosition(); pos != nullptr;) {
        CView* v = doc->GetNextView(pos);
        if (ShellLink::IsGraphView(v) && ++graphs >= 2) return view == active;
    }
    return TRUE;
}

BEGIN_MESSAGE_MAP(CDistStatsDlg, CCaptionBarDialog)
    ON_BN_CLICKED(IDC_STATISTICS_COPY, OnCopy)
END_MESSAGE_MAP()
