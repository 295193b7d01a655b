#include "app/PageSetupDlg.h"

#include <cmath>

#include "app/MainFrame.h"
#include "framework/RegistryAccess.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/WinApp.h"
#include "res/dialogs-pagesetup.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kTypingTimer = 1;
constexpr UINT kTypingDelay = 500;
constexpr double kCmPerInch = 2.54;

// The four margins in the order of the edits and spins: top, right, left, bottom.
double* Margin(CPageSettings& s, int i)
{
    double* margins[] = {&s.m_dTop, &s.m_dRight, &s.m_dLeft, &s.m_dBottom};
    return margins[i];
}
const int kEditIds[] = {IDC_PAGE_MARGIN_TOP, IDC_PAGE_MARGIN_RIGHT, IDC_PAGE_MARGIN_LEFT, IDC_PAGE_MARGIN_BOTTOM};
const int kSpinIds[] = {IDC_PAGE_SPIN_TOP, IDC_PAGE_SPIN_RIGHT, IDC_PAGE_SPIN_LEFT, IDC_PAGE_SPIN_BOTTOM};
// Top and bottom run along the paper's height, left and right along its width.
bool Vertical(int i)
{
    return i == 0 || i == 3;
}

void ScaleLengths(CPageSettings& s, double factor)
{
    for (double* v : {&s.m_dTop, &s.m_dRight, &s.m_dLeft, &s.m_dBottom, &s.m_dPaperHeight, &s.m_dPaperWidth,
                      &s.m_dOffsetX, &s.m_dOffsetY})
        *v *= factor;
}

}  // namespace

CString CPageSetupDlg::s_strAutoFormatsKey;

BEGIN_MESSAGE_MAP(CPageSetupDlg, CDialog)
    ON_CBN_SELCHANGE(IDC_PAGE_AUTO_FORMAT, OnSelChangeAutoFormat)
    ON_BN_CLICKED(IDC_PAGE_PORTRAIT, OnOrientation)
    ON_BN_CLICKED(IDC_PAGE_LANDSCAPE, OnOrientation)
    ON_EN_CHANGE(IDC_PAGE_MARGIN_TOP, OnMarginEditChange)
    ON_EN_CHANGE(IDC_PAGE_MARGIN_LEFT, OnMarginEditChange)
    ON_EN_CHANGE(IDC_PAGE_MARGIN_RIGHT, OnMarginEditChange)
    ON_EN_CHANGE(IDC_PAGE_MARGIN_BOTTOM, OnMarginEditChange)
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_PAGE_AUTO_APPLY, OnAutoApply)
    ON_BN_CLICKED(IDC_PAGE_PRINT_MARGINS, OnPrintMargins)
    ON_BN_CLICKED(IDC_PAGE_INCHES, OnInches)
    ON_BN_CLICKED(IDC_PAGE_CENTIMETERS, OnCentimeters)
    ON_BN_CLICKED(IDC_PAGE_SAVE_FORMAT, OnSaveAutoFormat)
    ON_BN_CLICKED(IDC_PAGE_DELETE_FORMAT, OnDeleteAutoFormat)
    ON_WM_DESTROY()
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CPageSetupDlg::CPageSetupDlg(CWnd* pParent) : CDialog(IDD_PAGE_SETUP, pParent) {}

void CPageSetupDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PAGE_AUTO_FORMAT, m_autoFormats);
    for (int i = 0; i < 4; ++i) {
        DDX_Control(pDX, kEditIds[i], m_edits[i]);
        DDX_Control(pDX, kSpinIds[i], m_spins[i]);
    }
    DDX_Radio(pDX, IDC_PAGE_PORTRAIT, m_nOrientation);
    DDX_Check(pDX, IDC_PAGE_PRINT_MARGINS, m_bPrintMargins);
    DDX_Check(pDX, IDC_PAGE_AUTO_APPLY, m_bAutoApply);
    DDX_Text(pDX, IDC_PAGE_PAPER_HEIGHT, m_settings.m_dPaperHeight);
    DDX_Text(pDX, IDC_PAGE_PAPER_WIDTH, m_settings.m_dPaperWidth);
}

BOOL CPageSetupDlg::OnInitDialog()
{
    m_bBusy = TRUE;
    m_nOrientation = m_settings.m_bPortrait ? 0 : 1;
    CDialog::OnInitDialog();
    m_hPortrait = AfxGetApp()->LoadIcon(IDI_PORTRAIT);
    m_hLandscape = AfxGetApp()->LoadIcon(IDI_LANDSCAPE);
    CheckUnit(m_settings.m_bInches);
    FillAutoFormats();
    ClampMargins(m_settings);
    m_backup = m_settings;
    m_bBackupPrintMargins = m_bPrintMargins;
    ShowSettings();
    m_bBusy = FALSE;
    EnableDelete();
    return TRUE;
}

void CPageSetupDlg::FillAutoFormats()
{
    m_autoFormats.ResetContent();
    for (int i = 0; i < kBuiltInFormats; ++i)
        m_autoFormats.AddString(BuiltInFormatName(i));
    if (s_strAutoFormatsKey.IsEmpty())
        return;
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, s_strAutoFormatsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS)
        return;
    char name[261];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof(name);
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        m_autoFormats.AddString(name);
    }
    ::RegCloseKey(key);
}

void CPageSetupDlg::ShowSettings()
{
    m_bBusy = TRUE;
    const BOOL inches = m_settings.m_bInches;
    if (!inches)
        ScaleLengths(m_settings, kCmPerInch);
    for (int i = 0; i < 4; ++i) {
        const double offset = Vertical(i) ? m_settings.m_dOffsetY : m_settings.m_dOffsetX;
        const double paper = Vertical(i) ? m_settings.m_dPaperHeight : m_settings.m_dPaperWidth;
        m_spins[i].SetDecimals(2);
        m_spins[i].SetRange(offset, paper - 2 * offset, inches ? 0.25 : 0.5);
        m_spins[i].SetValue(*Margin(m_settings, i));
    }
    m_nOrientation = m_settings.m_bPortrait ? 0 : 1;
    m_autoFormats.SetCurSel(m_settings.m_nAutoFormat);
    if (CWnd* save = GetDlgItem(IDC_PAGE_SAVE_FORMAT))
        save->EnableWindow(m_settings.m_nAutoFormat == -1);
    ShowOrientationIcon(m_nOrientation == 1);
    UpdateData(FALSE);
    m_bBusy = FALSE;
}

int CPageSetupDlg::ReadControls()
{
    UpdateData(TRUE);
    for (int i = 0; i < 4; ++i)
        *Margin(m_settings, i) = m_spins[i].GetValue();
    if (!m_settings.m_bInches)
        ScaleLengths(m_settings, 1.0 / kCmPerInch);
    m_settings.m_bPortrait = m_nOrientation == 0;
    m_settings.m_nAutoFormat = m_autoFormats.GetCurSel();
    return m_settings.m_nAutoFormat;
}

void CPageSetupDlg::SendToFrame()
{
    CPageSetupResult result;
    result.settings = m_settings;
    result.printMargins = m_bPrintMargins;
    if (CWnd* main = AfxGetMainWnd())
        main->SendMessage(WM_PAGE_SETUP_RESULT, reinterpret_cast<WPARAM>(&result));
}

void CPageSetupDlg::Apply()
{
    ReadControls();
    ApplyRecordToPrinter(m_settings);
    SendToFrame();
}

void CPageSetupDlg::ApplyRecordToPrinter(CPageSettings& settings)
{
    // The user's own formats need the list's row; the rest the printer side knows.
    if (settings.m_nAutoFormat >= kBuiltInFormats) {
        s_bFirstUse = FALSE;
        ApplyAutoFormat(settings, settings.m_nAutoFormat, TRUE);
        return;
    }
    ApplyToPrinter(settings);
}

void CPageSetupDlg::ApplyAutoFormat(CPageSettings& settings, int index, BOOL toPrinter)
{
    if (index >= 0 && index < kBuiltInFormats) {
        ApplyBuiltInFormat(settings, index, toPrinter);
        return;
    }
    if (index >= kBuiltInFormats) {
        if (!toPrinter) {
            ReadPrinterPage(settings);
            LoadUserFormat(settings, FALSE);
        } else {
            LoadUserFormat(settings, TRUE);
            ReadPrinterPage(settings);
        }
    }
    settings.m_nAutoFormat = index;
    ClampToOffsets(settings);
}

void CPageSetupDlg::LoadUserFormat(CPageSettings& settings, BOOL toPrinter)
{
    const int row = m_autoFormats.GetCurSel();
    if (row < kBuiltInFormats || s_strAutoFormatsKey.IsEmpty())
        return;
    CString name;
    m_autoFormats.GetLBText(row, name);
    CRegistryAccess registry;
    registry.SetRootKey(HKEY_CURRENT_USER);
    if (!registry.SetKey(s_strAutoFormatsKey + name, FALSE, KEY_ALL_ACCESS))
        return;
    settings.m_dTop = registry.ReadDouble("top", settings.m_dTop);
    settings.m_dBottom = registry.ReadDouble("bottom", settings.m_dBottom);
    settings.m_dLeft = registry.ReadDouble("left", settings.m_dLeft);
    settings.m_dRight = registry.ReadDouble("right", settings.m_dRight);
    settings.m_bPortrait = registry.ReadBool("portrait", TRUE);
    if (toPrinter)
        SetPrinterOrientation(!settings.m_bPortrait);
}

void CPageSetupDlg::OnSelChangeAutoFormat()
{
    if (m_bBusy)
        return;
    m_bBusy = TRUE;
    if (m_bAutoApply) {
        Apply();
    } else {
        ReadControls();
        ApplyAutoFormat(m_settings, m_autoFormats.GetCurSel(), FALSE);
    }
    ShowSettings();
    m_bBusy = FALSE;
    EnableDelete();
    if (CWnd* save = GetDlgItem(IDC_PAGE_SAVE_FORMAT))
        save->EnableWindow(FALSE);
}

void CPageSetupDlg::OnOrientation()
{
    if (m_bBusy)
        return;
    m_bBusy = TRUE;
    MarkCustom();
    if (m_bAutoApply) {
        Apply();
        ShowSettings();
    } else {
        const BOOL wasPortrait = m_settings.m_bPortrait;
        ReadControls();
        if (m_settings.m_bPortrait != wasPortrait) {
            ShowOrientationIcon(!m_settings.m_bPortrait);
            SwapOrientation(m_settings);
            ShowSettings();
        }
    }
    m_bBusy = FALSE;
    EnableDelete();
}

void CPageSetupDlg::OnMarginEditChange()
{
    if (m_bBusy)
        return;
    const MSG* message = GetCurrentMessage();
    const int id = message != nullptr ? LOWORD(message->wParam) : 0;
    DWORD start = 0, end = 0;
    if (CWnd* edit = GetDlgItem(id))
        edit->SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != 0 || end != 0) {
        // The user is typing: the margins are taken once the typing pauses.
        SetTimer(kTypingTimer, kTypingDelay, nullptr);
    } else {
        KillTimer(kTypingTimer);
        MarginsEdited();
    }
}

void CPageSetupDlg::OnTimer(UINT_PTR id)
{
    if (id != kTypingTimer) {
        CDialog::OnTimer(id);
        return;
    }
    KillTimer(kTypingTimer);
    MarginsEdited();
}

void CPageSetupDlg::MarginsEdited()
{
    if (m_bBusy)
        return;
    m_bBusy = TRUE;
    MarkCustom();
    if (m_bAutoApply)
        Apply();
    m_bBusy = FALSE;
    EnableDelete();
}

void CPageSetupDlg::OnAutoApply()
{
    UpdateData(TRUE);
    if (m_bAutoApply) {
        Apply();
        ShowSettings();
    }
}

void CPageSetupDlg::OnPrintMargins()
{
    UpdateData(TRUE);
    if (m_bAutoApply)
        Apply();
}

void CPageSetupDlg::SetUnit(BOOL inches)
{
    ReadControls();
    m_settings.m_bInches = inches;
    CheckUnit(inches);
    ShowSettings();
}

void CPageSetupDlg::CheckUnit(BOOL inches)
{
    CheckDlgButton(IDC_PAGE_INCHES, inches ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_PAGE_CENTIMETERS, inches ? BST_UNCHECKED : BST_CHECKED);
}

void CPageSetupDlg::OnInches()
{
    SetUnit(TRUE);
}

void CPageSetupDlg::OnCentimeters()
{
    SetUnit(FALSE);
}

void CPageSetupDlg::OnSaveAutoFormat()
{
    CAutoFormatNameDlg name(this);
    if (name.DoModal() != IDOK || name.m_strName.GetLength() < 2)
        return;
    ReadControls();
    if (!s_strAutoFormatsKey.IsEmpty()) {
        CRegistryAccess registry;
        registry.SetRootKey(HKEY_CURRENT_USER);
        if (registry.SetKey(s_strAutoFormatsKey + name.m_strName, TRUE, KEY_ALL_ACCESS)) {
            registry.WriteBool("portrait", m_settings.m_bPortrait);
            registry.WriteDouble("top", m_settings.m_dTop);
            registry.WriteDouble("bottom", m_settings.m_dBottom);
            registry.WriteDouble("left", m_settings.m_dLeft);
            registry.WriteDouble("right", m_settings.m_dRight);
        }
    }
    FillAutoFormats();
    m_autoFormats.SetCurSel(FindUserFormat(name.m_strName));
    EnableDelete();
}

int CPageSetupDlg::FindUserFormat(const CString& name)
{
    // Only the user's rows, and only the whole name: a name that begins a
    // built-in one ("Port") must not select it, or OK would put the built-in
    // margins in place of the ones just saved. Registry names ignore case.
    const int count = m_autoFormats.GetCount();
    for (int row = kBuiltInFormats; row < count; ++row) {
        CString text;
        m_autoFormats.GetLBText(row, text);
        if (text.CompareNoCase(name) == 0)
            return row;
    }
    return -1;
}

void CPageSetupDlg::OnDeleteAutoFormat()
{
    const int row = m_autoFormats.GetCurSel();
    if (row < 0)
        return;
    if (row < kBuiltInFormats) {
        AfxMessageBox("The built-in Auto-Formats cannot be deleted");
        return;
    }
    CString name;
    m_autoFormats.GetLBText(row, name);
    HKEY key = nullptr;
    if (s_strAutoFormatsKey.IsEmpty() ||
        ::RegOpenKeyExA(HKEY_CURRENT_USER, s_strAutoFormatsKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) {
        AfxMessageBox("Error occured while trying to remove the entry");
        return;
    }
    ::RegDeleteKeyA(key, name);
    ::RegCloseKey(key);
    FillAutoFormats();
    EnableDelete();
}

void CPageSetupDlg::MarkCustom()
{
    // Set up by hand: no auto-format, and one that can be saved as one.
    m_autoFormats.SetCurSel(-1);
    if (CWnd* save = GetDlgItem(IDC_PAGE_SAVE_FORMAT))
        save->EnableWindow(TRUE);
}

void CPageSetupDlg::EnableDelete()
{
    if (CWnd* del = GetDlgItem(IDC_PAGE_DELETE_FORMAT))
        del->EnableWindow(m_autoFormats.GetCurSel() >= kBuiltInFormats);
}

void CPageSetupDlg::ShowOrientationIcon(bool landscape)
{
    SendDlgItemMessage(IDC_PAGE_ORIENTATION_ICON, STM_SETICON,
                       reinterpret_cast<WPARAM>(landscape ? m_hLandscape : m_hPortrait), 0);
}

void CPageSetupDlg::OnOK()
{
    KillTimer(kTypingTimer);
    Apply();
    EndDialog(IDOK);
}

void CPageSetupDlg::OnCancel()
{
    KillTimer(kTypingTimer);
    m_settings = m_backup;
    m_bPrintMargins = m_bBackupPrintMargins;
    SetPrinterOrientation(!m_settings.m_bPortrait);
    SendToFrame();
    EndDialog(IDCANCEL);
}

void CPageSetupDlg::OnDestroy()
{
    KillTimer(kTypingTimer);
    CDialog::OnDestroy();
}

// ---------------------------------------------------------------------------

CAutoFormatNameDlg::CAutoFormatNameDlg(CWnd* pParent) : CDialog(IDD_AUTO_FORMAT_NAME, pParent) {}

void CAutoFormatNameDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PAGE_FORMAT_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 40);
}

BOOL CAutoFormatNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* edit = GetDlgItem(IDC_PAGE_FORMAT_NAME))
        edit->SetFocus();
    return FALSE;  // the focus is set
}

void CAutoFormatNameDlg::OnOK()
{
    if (!UpdateData(TRUE) || m_strName.IsEmpty())
        return;
    // A format is kept as a registry key of its name: a "\" would store it
    // as keys within keys, which the list does not show and Delete cannot
    // remove.
    if (m_strName.Find('\\') >= 0) {
        AfxMessageBox("An Auto-Format name cannot contain \"\\\". Please choose another name.", MB_ICONEXCLAMATION);
        if (CWnd* edit = GetDlgItem(IDC_PAGE_FORMAT_NAME)) {
            edit->SetFocus();
            edit->SendMessage(EM_SETSEL, 0, -1);
        }
        return;
    }
    EndDialog(IDOK);
}
