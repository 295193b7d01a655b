#include "editors/ModelEditorDialogs.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "model/DocumentDependencies.h"
#include "editors/ModelDialogs.h"
#include "res/dialogs-editors.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 62;
constexpr double kMaxCapacity = 1e308;

// NaN or infinity stored in the model would poison every result.
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

// Names are stored one to a line in the document file: one the file could not
// read back (empty, starting with "*", holding a line break) is refused here.
void ExchangeName(CDataExchange* pDX, int id, CString& name, int maxChars)
{
    DDX_Text(pDX, id, name);
    DDV_MaxChars(pDX, name, maxChars);
    if (pDX->m_bSaveAndValidate && !CTalusimDoc::IsStorableName(name)) {
        AfxMessageBox("Please enter a name that is not empty and does not start with \"*\".", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void EnableItem(HWND dialog, int id, bool on)
{
    ::EnableWindow(::GetDlgItem(dialog, id), on ? TRUE : FALSE);
}

void SetReadOnly(HWND dialog, int id, bool readOnly)
{
    ::SendMessageA(::GetDlgItem(dialog, id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
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

// ---- Material Editor ------------------------------------------------------------

CMaterialEditorDlg::CMaterialEditorDlg() : CListEditorDlg(IDD_MATERIAL_EDITOR, IDC_ME_LIST)
{
    m_fieldIds = {IDC_ME_NAME,        IDC_ME_RN_MEAN,       IDC_ME_RN_SD,      IDC_ME_RT_MEAN,
                  IDC_ME_RT_SD,       IDC_ME_FRICTION_MEAN, IDC_ME_FRICTION_SD, IDC_ME_ROUGHNESS_SD};
}

void CMaterialEditorDlg::SetData(CTalusimDoc* document, CTalusimSlope* slope, CTalusimSlopeType* defaultMaterial)
{
    m_document = document;
    m_slope = slope;
    m_defaultMaterial = defaultMaterial;
}

void CMaterialEditorDlg::SetInitialMaterial(CTalusimSlopeType* material)
{
    m_initialMaterial = material;
}

BOOL CMaterialEditorDlg::OnInitDialog()
{
    m_objects.clear();
    m_copies.clear();
    if (m_document)
        m_objects = CollectAs<CTalusimSlopeType>(*m_document->GetDatabase(), ID_ANY_CATEGORY, KIND_MATERIAL,
                                                 ID_ANY_GROUP);
    for (CTalusimSlopeType* m : m_objects) {
        Values v;
        v.name = m->GetName();
        v.rnMean = m->GetRnMean();
        v.rnSd = m->GetRnStdDev();
        v.rtMean = m->GetRtMean();
        v.rtSd = m->GetRtStdDev();
        v.frictionMean = m->GetFrictionAngleMean();
        v.frictionSd = m->GetFrictionAngleStdDev();
        v.roughnessSd = m->GetRoughnessStdDev();
        m_copies.push_back(v);
    }
    auto found = std::find(m_objects.begin(), m_objects.end(), m_initialMaterial);
    m_initial = found != m_objects.end() ? static_cast<int>(found - m_objects.begin()) : 0;
    BOOL result = CListEditorDlg::OnInitDialog();
    for (int id : {IDC_ME_FRICTION_MEAN, IDC_ME_FRICTION_SD, IDC_ME_FRICTION_LABEL})
        EnableItem(m_hWnd, id, m_frictionEnabled && !m_objects.empty());
    return result;
}

void CMaterialEditorDlg::ShowFields()
{
    m_values = m_copies[m_current];
    // A built-in material keeps its name: the stored factory values go by it.
    EnableItem(m_hWnd, IDC_ME_NAME, !m_objects[m_current]->HasDefaultValues());
}

void CMaterialEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    if (m_current < 0)
        return;
    ExchangeName(pDX, IDC_ME_NAME, m_values.name, 35);
    ExchangeReal(pDX, IDC_ME_RN_MEAN, m_values.rnMean, 0.0, 1.0);
    ExchangeReal(pDX, IDC_ME_RN_SD, m_values.rnSd);
    ExchangeReal(pDX, IDC_ME_RT_MEAN, m_values.rtMean, 0.0, 1.0);
    ExchangeReal(pDX, IDC_ME_RT_SD, m_values.rtSd);
    ExchangeReal(pDX, IDC_ME_FRICTION_MEAN, m_values.frictionMean, 0.0, 90.0);
    ExchangeReal(pDX, IDC_ME_FRICTION_SD, m_values.frictionSd);
    ExchangeReal(pDX, IDC_ME_ROUGHNESS_SD, m_values.roughnessSd);
}

void CMaterialEditorDlg::ApplyAll()
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        CTalusimSlopeType* m = m_objects[i];
        const Values& v = m_copies[i];
        m->SetName(v.name);
        m->SetRnMean(v.rnMean);
        m->SetRnStdDev(v.rnSd);
        m->SetRtMean(v.rtMean);
        m->SetRtStdDev(v.rtSd);
        m->SetFrictionAngleMean(v.frictionMean);
        m->SetFrictionAngleStdDev(v.frictionSd);
        m->SetRoughnessStdDev(v.roughnessSd);
    }
}

// ---- Barrier Editor --------------------------------------------------------------

CBarrierEditorDlg::CBarrierEditorDlg() : CListEditorDlg(IDD_BARRIER_EDITOR, IDC_BE_LIST)
{
    m_fieldIds = {IDC_BE_NAME,      IDC_BE_CAPACITY, IDC_BE_INFINITE, IDC_BE_INELASTIC, IDC_BE_ELASTIC,
                  IDC_BE_CUSTOM,    IDC_BE_RN_MEAN,  IDC_BE_RN_SD,    IDC_BE_RT_MEAN,   IDC_BE_RT_SD};
}

BOOL CBarrierEditorDlg::OnInitDialog()
{
    m_objects.clear();
    m_copies.clear();
    if (m_document)
        m_objects = CollectAs<CTalusimBarrier>(*m_document->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    for (CTalusimBarrier* b : m_objects) {
        Values v;
        v.name = b->GetName();
        v.capacity = b->GetCapacity();
        v.infinite = b->HasInfiniteCapacity() ? 1 : 0;
        v.response = b->GetElasticity();
        v.rnMean = b->GetRnMean();
        v.rnSd = b->GetRnStdDev();
        v.rtMean = b->GetRtMean();
        v.rtSd = b->GetRtStdDev();
        m_copies.push_back(v);
    }
    auto found = std::find(m_objects.begin(), m_objects.end(), m_initialBarrier);
    m_initial = found != m_objects.end() ? static_cast<int>(found - m_objects.begin()) : 0;
    if (m_document)
        SetDlgItemText(IDC_BE_CAPACITY_UNIT, m_document->GetEnergyUnitLabel());
    return CListEditorDlg::OnInitDialog();
}

void CBarrierEditorDlg::ShowFields()
{
    m_values = m_copies[m_current];
}

void CBarrierEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    if (m_current < 0)
        return;
    int response = m_values.response - CTalusimBarrier::kInelastic;
    ExchangeName(pDX, IDC_BE_NAME, m_values.name, 30);
    DDX_Check(pDX, IDC_BE_INFINITE, m_values.infinite);
    if (!m_values.infinite || !pDX->m_bSaveAndValidate)
        ExchangeReal(pDX, IDC_BE_CAPACITY, m_values.capacity, 0.0, kMaxCapacity);
    DDX_Radio(pDX, IDC_BE_INELASTIC, response);
    ExchangeReal(pDX, IDC_BE_RN_MEAN, m_values.rnMean, 0.0, 1.0);
    ExchangeReal(pDX, IDC_BE_RN_SD, m_values.rnSd);
    ExchangeReal(pDX, IDC_BE_RT_MEAN, m_values.rtMean, 0.0, 1.0);
    ExchangeReal(pDX, IDC_BE_RT_SD, m_values.rtSd);
    if (pDX->m_bSaveAndValidate)
        m_values.response = CTalusimBarrier::kInelastic + std::clamp(response, 0, 2);
    else
        UpdateResponseControls();
}

void CBarrierEditorDlg::SetResponse(int response)
{
    m_values.response = response;
    const char* mean = response == CTalusimBarrier::kElastic ? "1.0" : "0.0";
    if (response != CTalusimBarrier::kCustom) {
        SetDlgItemText(IDC_BE_RN_MEAN, mean);
        SetDlgItemText(IDC_BE_RT_MEAN, mean);
        SetDlgItemText(IDC_BE_RN_SD, "0.0");
        SetDlgItemText(IDC_BE_RT_SD, "0.0");
    }
    UpdateResponseControls();
}

void CBarrierEditorDlg::UpdateResponseControls()
{
    const int response = ::IsDlgButtonChecked(m_hWnd, IDC_BE_CUSTOM) == BST_CHECKED    ? CTalusimBarrier::kCustom
                         : ::IsDlgButtonChecked(m_hWnd, IDC_BE_ELASTIC) == BST_CHECKED ? CTalusimBarrier::kElastic
                                                                                       : CTalusimBarrier::kInelastic;
    for (int id : {IDC_BE_RN_MEAN, IDC_BE_RN_SD, IDC_BE_RT_MEAN, IDC_BE_RT_SD})
        SetReadOnly(m_hWnd, id, response != CTalusimBarrier::kCustom);
    EnableItem(m_hWnd, IDC_BE_CAPACITY, ::IsDlgButtonChecked(m_hWnd, IDC_BE_INFINITE) != BST_CHECKED);
}

void CBarrierEditorDlg::EnableFields(bool on)
{
    CListEditorDlg::EnableFields(on);
    if (on)
        UpdateResponseControls();
}

BOOL CBarrierEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED && m_current >= 0) {
        switch (LOWORD(wParam)) {
        case IDC_BE_INELASTIC:
            SetResponse(CTalusimBarrier::kInelastic);
            return TRUE;
        case IDC_BE_ELASTIC:
            SetResponse(CTalusimBarrier::kElastic);
            return TRUE;
        case IDC_BE_CUSTOM:
            SetResponse(CTalusimBarrier::kCustom);
            return TRUE;
        case IDC_BE_INFINITE:
            UpdateResponseControls();
            return TRUE;
        default:
            break;
        }
    }
    return CListEditorDlg::OnCommand(wParam, lParam);
}

void CBarrierEditorDlg::ApplyAll()
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        CTalusimBarrier* b = m_objects[i];
        const Values& v = m_copies[i];
        b->SetName(v.name);
        b->SetInfiniteCapacity(v.infinite != 0);
        b->SetCapacity(v.capacity);
        b->SetElasticity(v.response);
        b->SetCustomCoefficients(v.rnMean, v.rnSd, v.rtMean, v.rtSd);
    }
}

// ---- Data Collector Editor ---------------------------------------------------------

CDataCollectorEditorDlg::CDataCollectorEditorDlg() : CListEditorDlg(IDD_COLLECTOR_EDITOR, IDC_DC_LIST)
{
    m_fieldIds = {IDC_DC_NAME, IDC_DC_START_X, IDC_DC_START_Y, IDC_DC_END_X, IDC_DC_END_Y};
}

BOOL CDataCollectorEditorDlg::OnInitDialog()
{
    m_objects.clear();
    m_copies.clear();
    if (m_document)
        m_objects =
            CollectAs<CTalusimBarrier>(*m_document->GetDatabase(), CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR);
    for (CTalusimBarrier* c : m_objects)
        m_copies.push_back({c->GetName(), c->GetX1(), c->GetY1(), c->GetX2(), c->GetY2()});
    auto found = std::find(m_objects.begin(), m_objects.end(), m_initialCollector);
    m_initial = found != m_objects.end() ? static_cast<int>(found - m_objects.begin()) : 0;
    return CListEditorDlg::OnInitDialog();
}

void CDataCollectorEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    if (m_current < 0)
        return;
    ExchangeName(pDX, IDC_DC_NAME, m_values.name, 30);
    ExchangeReal(pDX, IDC_DC_START_X, m_values.x1);
    ExchangeReal(pDX, IDC_DC_START_Y, m_values.y1);
    ExchangeReal(pDX, IDC_DC_END_X, m_values.x2);
    ExchangeReal(pDX, IDC_DC_END_Y, m_values.y2);
}

void CDataCollectorEditorDlg::ApplyAll()
{
    for (size_t i = 0; i < m_objects.size(); ++i) {
        const Values& v = m_copies[i];
        m_objects[i]->SetName(v.name);
        m_objects[i]->SetPoints(v.x1, v.y1, v.x2, v.y2);
    }
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

INT_PTR CModelDialogServices::RunMaterialEditor(CTalusimDoc* document, CTalusimSlope* slope,
                                                CTalusimSlopeType* defaultMaterial, CTalusimSlopeType* initial,
                                                bool frictionAngleEnabled)
{
    CMaterialEditorDlg dlg;
    dlg.SetData(document, slope, defaultMaterial);
    dlg.SetInitialMaterial(initial);
    dlg.SetFrictionAngleEnabled(frictionAngleEnabled);
    return dlg.DoModal();
}

INT_PTR CModelDialogServices::RunBarrierEditor(CTalusimDoc* document, CTalusimBarrier* initial)
{
    CBarrierEditorDlg dlg;
    dlg.SetDocument(document);
    dlg.SetInitialBarrier(initial);
    return dlg.DoModal();
}

INT_PTR CModelDialogServices::RunDataCollectorEditor(CTalusimDoc* document, CEntity* initial)
{
    CDataCollectorEditorDlg dlg;
    dlg.SetDocument(document);
    dlg.SetInitialCollector(dynamic_cast<CTalusimBarrier*>(initial));
    return dlg.DoModal();
}

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

