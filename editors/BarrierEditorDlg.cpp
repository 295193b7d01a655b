#include "editors/BarrierEditorDlg.h"

#include "editors/ModelDialogs.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-editors.h"

namespace {
constexpr double kMaxCapacity = 1e308;
constexpr int kCoefficientEdits[] = {IDC_BE_RN_MEAN, IDC_BE_RN_SD, IDC_BE_RT_MEAN, IDC_BE_RT_SD};

void SetReadOnly(HWND dialog, int id, bool readOnly)
{
    ::SendMessageA(::GetDlgItem(dialog, id), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

std::vector<CTalusimBarrier*> PlacedBarriers(CREGDatabase& database)
{
    return CollectAs<CTalusimBarrier>(database, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
}
} // namespace

CBarrierEditorDlg::CBarrierEditorDlg() : CListEditorDialog(IDD_BARRIER_EDITOR, IDC_BE_LIST) {}

void CBarrierEditorDlg::SetDocument(CTalusimDoc* document)
{
    m_document = document;
    SetObjectList(document != nullptr ? document->GetDatabase() : nullptr);
}

BOOL CBarrierEditorDlg::OnInitDialog()
{
    CListEditorDialog::OnInitDialog();
    if (m_document != nullptr)
        SetDlgItemText(IDC_BE_CAPACITY_UNIT, m_document->GetEnergyUnitLabel());
    if (m_pDatabase != nullptr)
        for (CTalusimBarrier* b : PlacedBarriers(*m_pDatabase))
            b->SaveState();
    InitList();
    if (GetCurrentObject() == nullptr)
        EnableControls(FALSE);
    return FALSE;  // the list has the focus
}

void CBarrierEditorDlg::ResetList()
{
    // Only placed barriers: the one being drawn is no barrier yet.
    m_pDatabase->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER, kListSet,
                              nullptr, nullptr);
}

void CBarrierEditorDlg::DoDataExchange(CDataExchange* pDX)
{
    ExchangeName(pDX, IDC_BE_NAME, m_name, 30);
    int infinite = m_infinite;
    DDX_Check(pDX, IDC_BE_INFINITE, infinite);
    m_infinite = static_cast<BYTE>(infinite != 0);
    int likeCollector = m_likeCollector;
    DDX_Check(pDX, IDC_BE_LIKE_COLLECTOR, likeCollector);
    m_likeCollector = static_cast<BYTE>(likeCollector != 0);
    // An infinite capacity greys the edit: what it holds does not count then.
    if (!m_infinite || !pDX->m_bSaveAndValidate)
        ExchangeReal(pDX, IDC_BE_CAPACITY, m_capacity, 0.0, kMaxCapacity);
    ExchangeReal(pDX, IDC_BE_RN_MEAN, m_rnMean, 0.0, 1.0);
    // The spreads are the user's only in a custom response (the perfect ones
    // set them to 0); there they are checked as the means are.
    const bool custom = m_response == CTalusimBarrier::kCustom;
    ExchangeStdDev(pDX, IDC_BE_RN_SD, m_rnSd, custom);
    ExchangeReal(pDX, IDC_BE_RT_MEAN, m_rtMean, 0.0, 1.0);
    ExchangeStdDev(pDX, IDC_BE_RT_SD, m_rtSd, custom);
    if (!pDX->m_bSaveAndValidate)
        UpdateResponseControls();
}

void CBarrierEditorDlg::ShowObject(CEntity* object)
{
    auto* b = static_cast<CTalusimBarrier*>(object);
    m_response = b->GetElasticity();
    m_capacity = b->GetCapacity();
    m_name = b->GetName();
    m_likeCollector = b->IsLengthCheckSkipped() ? 1 : 0;
    m_infinite = b->HasInfiniteCapacity() ? 1 : 0;
    m_rnMean = b->GetRnMean();
    m_rnSd = b->GetRnStdDev();
    m_rtMean = b->GetRtMean();
    m_rtSd = b->GetRtStdDev();
}

void CBarrierEditorDlg::ApplyToObject(CEntity* object)
{
    auto* b = static_cast<CTalusimBarrier*>(object);
    b->SetElasticity(m_response);
    b->SetCapacity(m_capacity);
    b->SetName(m_name);
    b->SetSkipLengthCheck(m_likeCollector != 0);
    b->SetInfiniteCapacity(m_infinite != 0);
    b->SetCustomCoefficients(m_rnMean, m_rnSd, m_rtMean, m_rtSd);
}

void CBarrierEditorDlg::EnableControls(BOOL enable)
{
    for (int id : {IDC_BE_NAME, IDC_BE_CAPACITY, IDC_BE_INFINITE, IDC_BE_LIKE_COLLECTOR, IDC_BE_INELASTIC,
                   IDC_BE_ELASTIC, IDC_BE_CUSTOM, IDC_BE_RN_MEAN, IDC_BE_RN_SD, IDC_BE_RT_MEAN, IDC_BE_RT_SD,
                   IDC_BE_COPY})
        EnableItem(id, enable != FALSE);
}

void CBarrierEditorDlg::SetResponse(int response)
{
    m_response = response;
    if (response != CTalusimBarrier::kCustom) {
        // Perfect responses have exact coefficients and no spread.
        const double mean = response == CTalusimBarrier::kElastic ? 1.0 : 0.0;
        m_rnMean = m_rtMean = mean;
        m_rnSd = m_rtSd = 0.0;
        const char* text = response == CTalusimBarrier::kElastic ? "1.0" : "0.0";
        SetDlgItemText(IDC_BE_RN_MEAN, text);
        SetDlgItemText(IDC_BE_RT_MEAN, text);
        SetDlgItemText(IDC_BE_RN_SD, "0.0");
        SetDlgItemText(IDC_BE_RT_SD, "0.0");
    }
    UpdateResponseControls();
}

void CBarrierEditorDlg::UpdateResponseControls()
{
    Check(IDC_BE_INELASTIC, m_response == CTalusimBarrier::kInelastic);
    Check(IDC_BE_ELASTIC, m_response == CTalusimBarrier::kElastic);
    Check(IDC_BE_CUSTOM, m_response == CTalusimBarrier::kCustom);
    Check(IDC_BE_LIKE_COLLECTOR, m_likeCollector != 0);
    Check(IDC_BE_INFINITE, m_infinite != 0);
    for (int id : kCoefficientEdits)
        SetReadOnly(m_hWnd, id, m_response != CTalusimBarrier::kCustom);
    EnableItem(IDC_BE_CAPACITY, GetCurrentObject() != nullptr && m_infinite == 0);
}

BOOL CBarrierEditorDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (code == BN_CLICKED) {
        switch (id) {
        case IDC_BE_INELASTIC: SetResponse(CTalusimBarrier::kInelastic); return TRUE;
        case IDC_BE_ELASTIC: SetResponse(CTalusimBarrier::kElastic); return TRUE;
        case IDC_BE_CUSTOM: SetResponse(CTalusimBarrier::kCustom); return TRUE;
        case IDC_BE_INFINITE:
            m_infinite = IsChecked(IDC_BE_INFINITE) ? 1 : 0;
            UpdateResponseControls();
            return TRUE;
        case IDC_BE_LIKE_COLLECTOR:
            m_likeCollector = IsChecked(IDC_BE_LIKE_COLLECTOR) ? 1 : 0;
            UpdateResponseControls();
            return TRUE;
        case IDC_BE_COPY: CopyTable(); return TRUE;
        default: break;
        }
    }
    return CListEditorDialog::OnCommand(wParam, lParam);
}

CString CBarrierEditorDlg::ResponseText(const CTalusimBarrier& barrier)
{
    switch (barrier.GetElasticity()) {
    case CTalusimBarrier::kInelastic: return "Inelastic (RN=RT=0)";
    case CTalusimBarrier::kElastic: return "Elastic (RN=RT=1)";
    case CTalusimBarrier::kCustom: {
        CString text;
        text.Format("Custom (RN=%g,%g RT=%g,%g)", barrier.GetRnMean(), barrier.GetRnStdDev(), barrier.GetRtMean(),
                    barrier.GetRtStdDev());
        return text;
    }
    default: return CString();
    }
}

CString CBarrierEditorDlg::TableText() const
{
    CString text = "Barriers\nStart_x\tStart_y\tEnd_x\tEnd_y\tName\tElasticity\n";
    for (CTalusimBarrier* b : PlacedBarriers(*m_pDatabase)) {
        CString row;
        row.Format("%.3f\t%.3f\t%.3f\t%.3f\t%s\t", b->GetX1(), b->GetY1(), b->GetX2(), b->GetY2(),
                   static_cast<LPCSTR>(b->GetName()));
        text += row + ResponseText(*b) + "\n";
    }
    return text;
}

void CBarrierEditorDlg::OnOK()
{
    if (!StoreShown())
        return;
    for (CTalusimBarrier* b : PlacedBarriers(*m_pDatabase))
        b->DiscardSavedState();
    EndDialog(IDOK);
}

void CBarrierEditorDlg::OnCancel()
{
    if (m_pDatabase != nullptr)
        for (CTalusimBarrier* b : PlacedBarriers(*m_pDatabase))
        {
            b->RestoreState();
            b->DiscardSavedState();
        }
    EndDialog(IDCANCEL);
}

INT_PTR CModelDialogServices::RunBarrierEditor(CTalusimDoc* document, CTalusimBarrier* initial)
{
    CBarrierEditorDlg dlg;
    dlg.SetDocument(document);
    dlg.SetInitialBarrier(initial);
    return dlg.DoModal();
}
