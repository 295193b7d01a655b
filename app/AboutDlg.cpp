#include "app/AboutDlg.h"

#include "app/MakerContact.h"
#include "framework/DC.h"
#include "framework/ImageList.h"
#include "res/dialogs-help.h"

IMPLEMENT_DYNAMIC(CAboutDlg, CDialog)

CAboutDlg::CAboutDlg(CWnd* pParent)
    : CDialog(IDD_ABOUT, pParent), m_pLinkMail(std::make_unique<CStaticLink>()),
      m_pLinkWeb(std::make_unique<CStaticLink>()) {}

CAboutDlg::~CAboutDlg() = default;

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_pLinkMail && m_pLinkWeb) {
        // The web link opens the address it shows.
        SetDlgItemText(IDC_ABOUT_WEB, MakerContact::kWebSite);
        m_pLinkWeb->SubclassDlgItem(IDC_ABOUT_WEB, this);
        SetDlgItemText(IDC_ABOUT_MAIL, MakerContact::kSupportMail);
        m_pLinkMail->m_strLink = CString("mailto:") + MakerContact::kSupportMail;
        m_pLinkMail->SubclassDlgItem(IDC_ABOUT_MAIL, this);
    }
    SetWindowText(m_strTitle);
    SetDlgItemText(IDC_INFO_VERSION, m_strVersion);
    SetDlgItemText(IDC_ABOUT_BUILD_DATE, m_strBuildDate);
    if (CWnd* icon = GetDlgItem(IDC_INFO_ICON)) icon->ShowWindow(SW_HIDE);
    return TRUE;
}

void CAboutDlg::OnPaint() {
    CPaintDC dc(this);
    DrawInfoIcon(&dc, m_hIcon);
}

void DrawInfoIcon(CDC* dc, HICON icon) {
    if (icon == nullptr) return;
    CImageList images;
    if (!images.Create(32, 32, ILC_COLOR4 | ILC_MASK, 20, 3)) return;
    images.Add(icon);
    images.Draw(dc, 0, CPoint(13, 13), ILD_TRANSPARENT);
}

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()
