#include "app/UpdateAvailableDlg.h"

#include "controls/StaticLink.h"
#include "framework/DataExchange.h"
#include "res/dialogs-update.h"

IMPLEMENT_DYNAMIC(CUpdateAvailableDlg, CDialog)

CUpdateAvailableDlg::CUpdateAvailableDlg(CWnd* pParent)
    : CDialog(IDD_UPDATE_AVAILABLE, pParent), m_pLinkHistory(std::make_unique<CStaticLink>()) {}

CUpdateAvailableDlg::~CUpdateAvailableDlg() = default;

void CUpdateAvailableDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_UPDATE_HISTORY, *m_pLinkHistory);
    DDX_Control(pDX, IDC_UPDATE_DAYS_SPIN, m_spinDays);
    DDX_Radio(pDX, IDC_UPDATE_INSTALL, m_nChoice);
    DDX_Text(pDX, IDC_UPDATE_DAYS, m_nDays);
    DDV_MinMaxInt(pDX, m_nDays, 1, 60);
}

BOOL CUpdateAvailableDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_pLinkHistory->m_strLink = m_strHistoryUrl;
    m_spinDays.SetRange(1, 60);
    return TRUE;
}

void CUpdateAvailableDlg::OnDeltaPosDays(NMHDR*, LRESULT* pResult) {
    // Changing the days means "remind me".
    CheckDlgButton(IDC_UPDATE_REMIND, BST_CHECKED);
    CheckDlgButton(IDC_UPDATE_INSTALL, BST_UNCHECKED);
    CheckDlgButton(IDC_UPDATE_NEVER, BST_UNCHECKED);
    *pResult = 0;
}

BEGIN_MESSAGE_MAP(CUpdateAvailableDlg, CDialog)
    ON_NOTIFY(UDN_DELTAPOS, IDC_UPDATE_DAYS_SPIN, OnDeltaPosDays)
END_MESSAGE_MAP()
