#include "editors/EditorDialog.h"

#include <cmath>

#include "framework/MessageBox.h"
#include "geometry/Constants.h"
#include "model/TalusimDoc.h"

namespace {
constexpr UINT WM_RUN_SCRIPT = WM_APP + 61;
} // namespace

BOOL CEditorDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (s_script != nullptr)
        PostMessage(WM_RUN_SCRIPT);
    return TRUE;
}

LRESULT CEditorDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RUN_SCRIPT && s_script != nullptr) {
        s_script(*this);
        return 0;
    }
    // These dialogs have no help pages: F1 does nothing.
    if (message == WM_HELP)
        return TRUE;
    return CDialog::WindowProc(message, wParam, lParam);
}

void CEditorDialog::EnableItem(int id, bool on) const
{
    ::EnableWindow(::GetDlgItem(m_hWnd, id), on ? TRUE : FALSE);
}

bool CEditorDialog::IsChecked(int id) const { return ::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED; }

void CEditorDialog::Check(int id, bool on) const { ::CheckDlgButton(m_hWnd, id, on ? BST_CHECKED : BST_UNCHECKED); }

void ExchangeReal(CDataExchange* pDX, int id, double& value)
{
    DDX_Text(pDX, id, value);
    if (pDX->m_bSaveAndValidate && !std::isfinite(value)) {
        AfxMessageBox("Please enter a number.", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void ExchangeReal(CDataExchange* pDX, int id, double& value, double low, double high)
{
    ExchangeReal(pDX, id, value);
    DDV_MinMaxDouble(pDX, value, low, high);
}

void ExchangeStdDev(CDataExchange* pDX, int id, double& value, bool checked)
{
    if (checked)
        ExchangeReal(pDX, id, value, 0.0, STDDEV_LIMIT);
    else
        ExchangeReal(pDX, id, value);
}

void ExchangeCoordinate(CDataExchange* pDX, int id, double& value)
{
    ExchangeReal(pDX, id, value, -COORDINATE_LIMIT, COORDINATE_LIMIT);
}

void ExchangeName(CDataExchange* pDX, int id, CString& name, int maxChars)
{
    DDX_Text(pDX, id, name);
    DDV_MaxChars(pDX, name, maxChars);
    if (pDX->m_bSaveAndValidate && !CTalusimDoc::IsStorableName(name)) {
        AfxMessageBox("Please enter a name that is not empty and does not start with \"*\".", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}
