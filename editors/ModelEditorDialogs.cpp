#include "editors/ModelEditorDialogs.h"

#include <algorithm>
#include <cstring>
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "model/DocumentDependencies.h"
#include "editors/EditorDialog.h"
#include "editors/ModelDialogs.h"
#include "res/dialogs-editors.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 62;

void EnableItem(HWND dialog, int id, bool on)
{
    ::EnableWindow(::GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

}  // namespace

// ---- the list part ----------------------------------------------------------------

BOOL CListEditorDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    HWND list = ::GetDlgItem(m_hWnd, m_listId);
    for (int i = 0; i < GetObjectCount(); ++i)
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(GetObjectLabel(i))));
    if (GetObjectCount() > 0)
        Select(m_initial >= 0 && m_initial < GetObjectCount() ? m_initial : 0);
    else
        EnableFields(false);
    if (CModelDialogServices::s_script)
        PostMessage(WM_RUN_SCRIPT);
    return TRUE;
}

LRESULT CListEditorDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_RUN_SCRIPT && CModelDialogServices::s_script) {
        CModelDialogServices::s_script(*this);
        return 0;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CListEditorDlg::EnableFields(bool on)
{
    for (int id : m_fieldIds)
        EnableItem(m_hWnd, id, on);
}

void CListEditorDlg::Select(int index)
{
    m_current = index;
    ::SendDlgItemMessageA(m_hWnd, m_listId, LB_SETCURSEL, index, 0);
    ShowFields();
    UpdateData(FALSE);
}

bool CListEditorDlg::TakeCurrent()
{
    if (m_current < 0)
        return true;
    if (!UpdateData(TRUE))
        return false;
    TakeFields();
    // A renamed object shows its new name in the list at once.
    HWND list = ::GetDlgItem(m_hWnd, m_listId);
    const CString label = GetObjectLabel(m_current);
    ::SendMessageA(list, LB_DELETESTRING, m_current, 0);
    ::SendMessageA(list, LB_INSERTSTRING, m_current, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(label)));
    ::SendMessageA(list, LB_SETCURSEL, m_current, 0);
    return true;
}

BOOL CListEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<int>(LOWORD(wParam)) == m_listId && HIWORD(wParam) == LBN_SELCHANGE) {
        const int chosen = static_cast<int>(::SendDlgItemMessageA(m_hWnd, m_listId, LB_GETCURSEL, 0, 0));
        if (chosen != m_current) {
            if (TakeCurrent() && chosen >= 0)
                Select(chosen);
            else
                ::SendDlgItemMessageA(m_hWnd, m_listId, LB_SETCURSEL, m_current, 0);
        }
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CListEditorDlg::OnOK()
{
    if (!TakeCurrent())
        return;
    ApplyAll();
    EndDialog(IDOK);
}

// ---- Slope Editor ------------------------------------------------------------------

CSlopeEditorDlg::CSlopeEditorDlg() : CListEditorDlg(IDD_SLOPE_EDITOR, IDC_SE_VERTICES)
{
    m_fieldIds = {IDC_SE_X, IDC_SE_Y, IDC_SE_MATERIAL};
}

void CSlopeEditorDlg::SetData(CTalusimDoc* document, CTalusimSlope* slope, int pickKind, int index)
{
    m_document = document;
    m_slope = slope;
    const bool known = pickKind == kPickVertex || pickKind == kPickSegment;
    const bool inside = slope && index >= 0 && index < slope->GetSlopeVertexCount();
    m_pickKind = known && inside ? pickKind : kPickNone;
    m_pickIndex = known && inside ? index : -1;
}

BOOL CSlopeEditorDlg::OnInitDialog()
{
    m_materials.clear();
    m_copies.clear();
    if (m_document)
        m_materials = CollectAs<CTalusimSlopeType>(*m_document->GetDatabase(), ID_ANY_CATEGORY, KIND_MATERIAL,
                                                   ID_ANY_GROUP);
    // Byte-wise, as the names are stored.
    std::stable_sort(m_materials.begin(), m_materials.end(), [](CTalusimSlopeType* a, CTalusimSlopeType* b) {
        return std::strcmp(a->GetName(), b->GetName()) < 0;
    });
    HWND combo = ::GetDlgItem(m_hWnd, IDC_SE_MATERIAL);
    for (CTalusimSlopeType* m : m_materials)
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(static_cast<LPCSTR>(m->GetName())));
    for (int i = 0; m_slope && i < m_slope->GetSlopeVertexCount(); ++i) {
        CPolyVertex vertex;
        m_slope->GetSlopeVertex(vertex, i);
        auto found = std::find(m_materials.begin(), m_materials.end(), m_slope->GetSegmentMaterial(i));
        const int material = i > 0 && found != m_materials.end() ? static_cast<int>(found - m_materials.begin()) : -1;
        m_copies.push_back({vertex.x, vertex.y, material});
    }
    m_initial = m_pickIndex >= 0 ? m_pickIndex : 0;
    const char* unit = m_metric ? "[ m ]" : "[ ft ]";
    SetDlgItemText(IDC_SE_X_UNIT, unit);
    SetDlgItemText(IDC_SE_Y_UNIT, unit);
    ::CheckDlgButton(m_hWnd, IDC_SE_GENERATE_SAMPLES, m_generateSamples ? BST_CHECKED : BST_UNCHECKED);
    return CListEditorDlg::OnInitDialog();
}

CString CSlopeEditorDlg::GetObjectLabel(int i) const
{
    const Values& v = m_copies[i];
    CString label;
    label.Format("%d:  %g, %g  %s", i + 1, v.x, v.y, v.material >= 0 ? static_cast<LPCSTR>(m_materials[v.material]->GetName()) : "");
    return label;
}

void CSlopeEditorDlg::ShowFields()
{
    m_values = m_copies[m_current];
    // The first vertex ends no segment, so it has no material.
    EnableItem(m_hWnd, IDC_SE_MATERIAL, m_current > 0);
}

void CSlopeEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_SE_GENERATE_SAMPLES, m_generateSamples);
    if (m_current < 0)
        return;
    ExchangeReal(pDX, IDC_SE_X, m_values.x);
    ExchangeReal(pDX, IDC_SE_Y, m_values.y);
    DDX_CBIndex(pDX, IDC_SE_MATERIAL, m_values.material);
}

void CSlopeEditorDlg::ApplyAll()
{
    for (int i = 0; i < static_cast<int>(m_copies.size()); ++i) {
        const Values& v = m_copies[i];
        CPolyVertex vertex;
        m_slope->GetSlopeVertex(vertex, i);
        // Moving a vertex clears its spread, so an untouched one is left alone.
        if (vertex.x != v.x || vertex.y != v.y)
            m_slope->SetSlopeVertex(i, v.x, v.y);
        if (i > 0 && v.material >= 0 && m_materials[v.material] != m_slope->GetSegmentMaterial(i))
            m_slope->SetSegmentMaterial(i, m_materials[v.material]);
    }
}

// ---- the services -------------------------------------------------------------------

INT_PTR CModelDialogServices::RunSlopeEditor(CSlopeEditorData& data)
{
    CSlopeEditorDlg dlg;
    dlg.SetData(data.document, data.slope, data.pickKind, data.index);
    dlg.m_generateSamples = data.generateSamples ? 1 : 0;
    dlg.m_metric = data.metric;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        data.generateSamples = dlg.m_generateSamples != 0;
    return result;
}

