#include "tools/AddTextDlg.h"

#include "framework/DataExchange.h"
#include "res/dialogs-tools.h"

// ---- the auto-text tree -------------------------------------------------------------------------

BOOL CAutoTextTree::SetCheckBox(HTREEITEM item, BOOL checked)
{
    const BOOL done = CTreeOptionsCtrl::SetCheckBox(item, checked);
    CheckBelow(item, checked);
    if (GetSafeHwnd() != nullptr)
        Invalidate();
    return done;
}

void CAutoTextTree::CheckBelow(HTREEITEM item, BOOL checked)
{
    for (HTREEITEM child = GetChildItem(item); child != nullptr; child = GetNextSiblingItem(child)) {
        CTreeOptionsCtrl::SetCheckBox(child, checked);
        CheckBelow(child, checked);
    }
}

void CAutoTextTree::Collect(HTREEITEM first, CString& out) const
{
    for (HTREEITEM item = first; item != nullptr; item = GetNextSiblingItem(item)) {
        BOOL checked = FALSE;
        if (GetCheckBox(item, checked) && checked) {
            out += GetItemText(item);
            out += "\r\n";
        }
        Collect(GetChildItem(item), out);
    }
}

CString CAutoTextTree::CollectChecked() const
{
    CString out;
    if (GetSafeHwnd() != nullptr)
        Collect(GetRootItem(), out);
    return out;
}

// ---- who writes the auto-text ---------------------------------------------------------------------

namespace {
AutoTextWriter& InstalledWriter()
{
    static AutoTextWriter writer = nullptr;
    return writer;
}
} // namespace

AutoTextWriter InstallAutoTextWriter(AutoTextWriter writer)
{
    AutoTextWriter previous = InstalledWriter();
    InstalledWriter() = writer;
    return previous;
}

// ---- the dialog ---------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CAddTextDlg, CDialog)
    ON_EN_CHANGE(IDC_AT_TEXT, OnTextChanged)
    ON_BN_CLICKED(IDC_AT_INSERT, OnInsertAutoText)
    ON_BN_CLICKED(IDC_AT_GRAB_ENTER, OnGrabEnter)
END_MESSAGE_MAP()

CAddTextDlg::CAddTextDlg(CWnd* pParent) : CDialog(IDD_ADD_TEXT, pParent) {}

void CAddTextDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AT_TREE, m_tree);
    DDX_Text(pDX, IDC_AT_TEXT, m_strText);
    if (!pDX->m_bSaveAndValidate)
        RebuildTree();
}

void CAddTextDlg::RebuildTree()
{
    m_tree.DeleteAllItems();
    AutoTextWriter writer = InstalledWriter();
    if (writer != nullptr && m_pDocument != nullptr && m_pDatabase != nullptr)
        writer(m_pDocument, m_pDatabase, &m_tree);
}

BOOL CAddTextDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    EnableOk(::GetWindowTextLengthA(::GetDlgItem(m_hWnd, IDC_AT_TEXT)) > 0);
    GotoDlgCtrl(GetDlgItem(IDC_AT_TEXT));
    return FALSE;   // the focus stays in the text
}

void CAddTextDlg::EnableOk(bool on) { ::EnableWindow(::GetDlgItem(m_hWnd, IDOK), on ? TRUE : FALSE); }

void CAddTextDlg::OnTextChanged() { EnableOk(true); }

void CAddTextDlg::OnInsertAutoText()
{
    GetDlgItemText(IDC_AT_TEXT, m_strBeforeInsert);
    const CString added = m_tree.CollectChecked();
    if (m_strBeforeInsert.IsEmpty() && added.IsEmpty())
        return;
    // Appended at the end, whatever the caret.
    if (!added.IsEmpty())
        SetDlgItemText(IDC_AT_TEXT, m_strBeforeInsert + added);
    EnableOk(true);
}
