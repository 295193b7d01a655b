// The Material Wizard.
#include "editors/MaterialWizardDlg.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>
#include <utility>

#include "controls/WorkingDlg.h"
#include "engine/SampleStatistics.h"
#include "formats/DocumentTextFile.h"
#include "framework/DataExchange.h"
#include "framework/Exception.h"
#include "framework/MessageBox.h"
#include "model/DocumentDependencies.h"
#include "res/dialogs-wizard.h"

namespace {

enum { COL_NUMBER = 0, COL_X = 1, COL_QUANTITY = 2 };
const UINT kCentred = DT_CENTER | DT_VCENTER | DT_SINGLELINE;

// Runs its action on every way out of a scope, an exception included, so that
// what a fit changed is put back before the failure is reported.
template <class Action>
class AtExit {
public:
    explicit AtExit(Action action) : m_action(std::move(action)) {}
    ~AtExit() { m_action(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    Action m_action;
};

void SetCentredText(CGridCtrl& grid, int row, int col, LPCSTR text)
{
    GridItemInfo item;
    item.mask = GVIF_TEXT | GVIF_FORMAT;
    item.row = row;
    item.col = col;
    item.text = text;
    item.format = kCentred;
    grid.SetItem(item);
}

}  // namespace

BEGIN_MESSAGE_MAP(CMaterialWizardDlg, CDialog)
    ON_BN_CLICKED(IDC_MW_FIT, OnFitToFieldData)
    ON_BN_CLICKED(IDC_MW_APPLY, OnApplyToMaterial)
    ON_NOTIFY(UDN_DELTAPOS, IDC_MW_ENDPOINT_SPIN, OnEndpointSpin)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CMaterialWizardDlg::CMaterialWizardDlg(CWnd* parent) : CDialog(IDD_MATERIAL_WIZARD, parent) {}

void CMaterialWizardDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_MW_ENDPOINT_COUNT, m_nEndpoints);
    DDV_MinMaxUInt(pDX, m_nEndpoints, 1, 1000000);
}

BOOL CMaterialWizardDlg::OnInitDialog()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_MW_APPLY), FALSE);
    SetDlgItemText(IDC_MW_MEAN, "");
    SetDlgItemText(IDC_MW_STDDEV, "");
    m_materialCombo.SubclassDlgItem(IDC_MW_MATERIAL, this);
    FillMaterials();
    SendDlgItemMessage(IDC_MW_ENDPOINT_SPIN, UDM_SETRANGE32, 1, 10000);
    SendDlgItemMessage(IDC_MW_ENDPOINT_SPIN, UDM_SETPOS32, 0, 1);
    CDialog::OnInitDialog();

    try {
        m_grid.SubclassDlgItem(IDC_MW_TABLE, this);
        m_grid.SetNumberOfRows(1);
        m_grid.SetNumberOfColumns(3);
        m_grid.SetNumberOfFixedRows(1);
        m_grid.SetNumberOfFixedColumns(1);
    } catch (CMemoryException* e) {
        e->ReportError();
        e->Delete();
        return FALSE;
    }
    SetCentredText(m_grid, 0, COL_NUMBER, "Number");
    SetCentredText(m_grid, 0, COL_X, "X Location");
    SetCentredText(m_grid, 0, COL_QUANTITY, "Quantity");
    m_grid.ExpandColumnsToFit();
    SetGridRows(2);
    LoadFieldData();
    return TRUE;
}

void CMaterialWizardDlg::FillMaterials()
{
    m_materialCombo.ResetContent();
    if (m_pDatabase == nullptr)
        return;
    const CString wanted = m_pDocument ? m_pDocument->GetWizardText() : CString();
    int selection = 0;
    for (CTalusimSlopeType* material : CollectAs<CTalusimSlopeType>(*m_pDatabase, ID_ANY_CATEGORY, KIND_MATERIAL,
                                                                     ID_ANY_GROUP)) {
        const int index = m_materialCombo.AddString(material->GetName());
        m_materialCombo.SetItemDataPtr(index, material);
        if (!wanted.IsEmpty() && wanted == material->GetName())
            selection = index;
    }
    if (m_materialCombo.GetCount() > 0)
        m_materialCombo.SetCurSel(selection);
}

void CMaterialWizardDlg::SetGridRows(int count)
{
    const int old = m_grid.GetRowCount();
    m_grid.SetNumberOfRows(count);
    for (int r = old; r < count; ++r) {
        CString number;
        number.Format("%d", r);
        SetCentredText(m_grid, r, COL_NUMBER, number);
        SetCentredText(m_grid, r, COL_X, "");
        SetCentredText(m_grid, r, COL_QUANTITY, "1");
    }
    m_grid.ExpandColumnsToFit();
}

void CMaterialWizardDlg::LoadFieldData()
{
    if (m_pDocument == nullptr)
        return;
    const int last = m_pDocument->GetWizardItemCount() - 1;
    if (last < 0)
        return;
    SetGridRows(last + 2);
    m_nEndpoints = static_cast<UINT>(last + 1);
    CString text;
    text.Format("%d", last + 1);
    SetDlgItemText(IDC_MW_ENDPOINT_COUNT, text);
    SendDlgItemMessage(IDC_MW_ENDPOINT_SPIN, UDM_SETPOS32, 0, last + 1);
    for (int i = 0; i <= last; ++i) {
        const CWizardItem& item = m_pDocument->GetWizardItem(i);
        // OK reads the cell back into the document: it must show the value
        // held ("%g" would turn 512345.6 into 512346).
        m_grid.SetCellText(i + 1, COL_X, FormatReal(item.value).c_str());
        text.Format("%d", item.code);
        m_grid.SetCellText(i + 1, COL_QUANTITY, text);
    }
    m_grid.Refresh();
}

void CMaterialWizardDlg::OnEndpointSpin(NMHDR* hdr, LRESULT* result)
{
    const auto* change = reinterpret_cast<const NMUPDOWN*>(hdr);
    const int rows = change->iPos + change->iDelta + 1;
    if (rows > 1) {
        SetGridRows(rows);
        *result = 0;
    } else {
        ::MessageBeep(MB_ICONEXCLAMATION);
        *result = 1;
    }
}

BOOL CMaterialWizardDlg::ReadFieldData(std::vector<double>& values, std::vector<int>& quantities, BOOL expand)
{
    values.clear();
    quantities.clear();
    for (int r = 1; r < m_grid.GetRowCount(); ++r) {
        CString xText = m_grid.GetCellText(r, COL_X);
        CString qText = m_grid.GetCellText(r, COL_QUANTITY);
        xText.Trim();
        qText.Trim();
        bool valid = !xText.IsEmpty() && !qText.IsEmpty();
        double x = 0.0;
        long quantity = 0;
        if (valid) {
            // A decimal number and nothing else: letters, "0x10" or a number
            // with a typo after it are no location.
            if (!AfxParseDecimal(xText, x))
                valid = false;
            quantity = atol(qText);
            if (quantity < 1 || quantity > 999)
                valid = false;
        }
        if (!valid) {
            values.clear();
            quantities.clear();
            CString text;
            text.Format("Invalid data in row %d", r);
            AfxMessageBox(text, MB_OK);
            return FALSE;
        }
        if (expand) {
            values.insert(values.end(), static_cast<size_t>(quantity), x);
        } else {
            values.push_back(x);
            quantities.push_back(static_cast<int>(quantity));
        }
    }
    return TRUE;
}

std::vector<double> CMaterialWizardDlg::MatchObservations(const std::vector<double>& observations,
                                                          const std::vector<double>& trialValues,
                                                          const std::vector<double>& trialMeans)
{
    std::vector<double> matched;
    matched.reserve(observations.size());
    const size_t trials = std::min(trialValues.size(), trialMeans.size());
    for (double x : observations) {
        double best = HUGE_VAL;
        double value = DBL_MAX;
        for (size_t j = 0; j < trials; ++j) {
            // A trial whose rocks gave no end point has no mean to match.
            if (trialMeans[j] == DBL_MAX)
                continue;
            const double distance = std::fabs(trialMeans[j] - x);
            if (distance < best) {
                best = distance;
                value = trialValues[j];
            }
        }
        matched.push_back(value);
    }
    return matched;
}

void CMaterialWizardDlg::ComputeMeanAndStdDev(const std::vector<double>& values, double& mean, double& stdDev)
{
    if (values.empty()) {
        mean = 0.0;
        stdDev = 0.0;
        return;
    }
    if (values.size() == 1) {
        mean = values[0];
        stdDev = 0.0;
        return;
    }
    CSampleStatistics statistics;
    for (double v : values)
        statistics.AddValue(v);
    mean = statistics.GetMean();
    stdDev = statistics.GetStdDev();
}

CTalusimSlopeType* CMaterialWizardDlg::SelectedMaterial() const
{
    const int index = m_materialCombo.GetCurSel();
    if (index < 0)
        return nullptr;
    return static_cast<CTalusimSlopeType*>(m_materialCombo.GetItemDataPtr(index));
}

void CMaterialWizardDlg::OnFitToFieldData()
{
    // The final run pumps messages; its Working dialog keeps this window
    // disabled, and this guard keeps a second fit from starting inside it.
    if (m_bFitting || m_pDocument == nullptr)
        return;
    if (!UpdateData(TRUE))
        return;
    CWaitCursor wait;
    // The texts go blank, and with them what Apply would give the material.
    SetDlgItemText(IDC_MW_MEAN, "");
    SetDlgItemText(IDC_MW_STDDEV, "");
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_MW_APPLY), FALSE);
    m_dFittedMean = DBL_MAX;
    m_dFittedStdDev = DBL_MAX;
    m_pFittedMaterial = nullptr;

    std::vector<double> observations, unused;
    std::vector<int> quantities;
    if (!ReadFieldData(observations, quantities, TRUE))
        return;
    CTalusimSlopeType* material = SelectedMaterial();
    if (material == nullptr)
        return;
    m_bFitting = true;
    const double savedMean = material->GetRnMean();
    const double savedStdDev = material->GetRnStdDev();
    const int savedRocks = m_pDocument->GetRockCount();
    m_pDocument->SetRockCount(1);

    auto bar = std::make_unique<CProgressBarsWnd>();
    // However the fit ends (a run that fails, out of memory included), the
    // material gets its own Rn back, the document its rock count, the bar
    // goes and the wizard can be closed again. The results of a run that
    // failed part-way are no results of the material's: they go too.
    const int exceptions = std::uncaught_exceptions();
    const AtExit restore([&]() noexcept {
        try {
            if (bar)
                bar->DestroyWindow();
            m_pDocument->SetOuterProgress(FALSE, -1, -1);
            m_pDocument->SetRockCount(savedRocks);
            material->SetRnMean(savedMean);
            material->SetRnStdDev(savedStdDev);
            if (std::uncaught_exceptions() > exceptions)
                m_pDocument->ClearResults();
        } catch (...) {
        }
        m_bFitting = false;
    });
    CRect place;
    if (CWnd* placeholder = GetDlgItem(IDC_MW_PROGRESS_PLACE)) {
        placeholder->GetWindowRect(&place);
        ScreenToClient(&place);
    }
    bar->SetDivisionLabel(TRUE);
    bar->Create(this, place.left, place.top, place.Width(), place.Height(), 1, 1, RGB(0, 0, 128),
                RGB(192, 192, 192));
    bar->Reset();

    const UINT n = m_nSubdivisions;
    const double step = (1.0 - 0.0) / n;
    double trial = 0.0;
    std::vector<double> trialValues, trialMeans;
    trialValues.reserve(n);
    trialMeans.reserve(n);
    // What the runs would each tell the user at their end is told once, after the last.
    CRunSummary summary;
    bool refused = false;
    for (UINT i = 0; i < n; ++i) {
        bar->SetPos(static_cast<int>(i * 100.0 / n), 100, static_cast<int>(i), static_cast<int>(n));
        if (bar->GetSafeHwnd()) {
            bar->Invalidate();
            bar->UpdateWindow();
        }
        m_pDocument->SetOuterProgress(TRUE, static_cast<int>(i), static_cast<int>(n));
        m_pDocument->UpdateAllViews(nullptr, 0, nullptr);
        m_pDocument->ClearResults();

        trialValues.push_back(trial);
        material->SetRnMean(trial);
        material->SetRnStdDev(0.0);
        // The first trial's run checks the model. Only the trial Rn changes
        // from one trial to the next, so a model it refuses every trial would
        // refuse: the user hears why once and the fit stops.
        if (!m_pDocument->RunSimulation(FALSE, &summary)) {
            refused = true;
            break;
        }

        CSampleStatistics ends;
        bool passes = false;
        for (CVector2D p = m_pDocument->GetFirstEndPoint(passes); p.x != DBL_MAX && p.y != DBL_MAX;
             p = m_pDocument->GetNextEndPoint(passes))
            ends.AddValue(p.x);
        trialMeans.push_back(ends.GetCount() > 0 ? ends.GetMean() : DBL_MAX);
        trial += step;
    }

    // The bar goes and the user's rock count comes back before the report and
    // the proposal's own run.
    bar->DestroyWindow();
    bar.reset();
    m_pDocument->SetOuterProgress(FALSE, -1, -1);
    m_pDocument->SetRockCount(savedRocks);
    CTalusimDoc::ReportRunSummary(summary);

    const bool anyEndPoint =
        std::any_of(trialMeans.begin(), trialMeans.end(), [](double m) { return m != DBL_MAX; });
    if (refused || !anyEndPoint) {
        // Nothing to propose: Apply stays grey, and no trial's results stay
        // behind to contradict the material.
        if (!refused)
            AfxMessageBox("None of the trial runs gave a rock end point, so there is nothing to match the field "
                          "data to.",
                          MB_OK | MB_ICONEXCLAMATION);
        m_pDocument->ClearResults();
        m_pDocument->UpdateAllViews(nullptr, 0, nullptr);
        return;
    }

    const std::vector<double> matched = MatchObservations(observations, trialValues, trialMeans);
    double mean = 0.0, stdDev = 0.0;
    ComputeMeanAndStdDev(matched, mean, stdDev);
    m_pFittedMaterial = material;
    ShowStatistics(material, mean, stdDev);
}

void CMaterialWizardDlg::ShowStatistics(CTalusimSlopeType* material, double mean, double stdDev)
{
    m_dFittedMean = mean;
    m_dFittedStdDev = stdDev;
    material->SetRnMean(mean);
    material->SetRnStdDev(stdDev);
    UpdateData(FALSE);
    m_pDocument->ClearResults();

    // The Working dialog disables and enables the program's windows around the run;
    // this modal window and its disabled owner must come out as they went in.
    CWnd* main = AfxGetMainWnd();
    const HWND mainWnd = main ? main->GetSafeHwnd() : nullptr;
    const bool mainWasEnabled = mainWnd != nullptr && ::IsWindowEnabled(mainWnd);
    {
        // Also when the run fails: the failure is reported over this window.
        const AtExit windows([&]() noexcept {
            if (mainWnd != nullptr && mainWnd != m_hWnd && !mainWasEnabled)
                ::EnableWindow(mainWnd, FALSE);
            ::EnableWindow(m_hWnd, TRUE);
        });
        m_pDocument->RunSimulation(TRUE);
    }

    m_pRunMaterial = material;
    m_dRunMean = mean;
    m_dRunStdDev = stdDev;

    CString text;
    text.Format("mean = %.4f", mean);
    SetDlgItemText(IDC_MW_MEAN, text);
    text.Format("std dev = %.4f", stdDev);
    SetDlgItemText(IDC_MW_STDDEV, text);
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_MW_APPLY), TRUE);
}

void CMaterialWizardDlg::OnApplyToMaterial()
{
    // The fit belongs to the material it was made for, not to whichever the
    // combo shows now; the combo shows it again, so the user sees which changed.
    CTalusimSlopeType* material = m_pFittedMaterial;
    if (material == nullptr || m_dFittedMean == DBL_MAX)
        return;
    for (int i = 0; i < m_materialCombo.GetCount(); ++i)
        if (m_materialCombo.GetItemDataPtr(i) == material)
            m_materialCombo.SetCurSel(i);
    const bool changed = material->GetRnMean() != m_dFittedMean || material->GetRnStdDev() != m_dFittedStdDev;
    material->SetRnMean(m_dFittedMean);
    material->SetRnStdDev(m_dFittedStdDev);
    if (changed && m_pDocument != nullptr)
        m_pDocument->SetModifiedFlag(TRUE);
}

void CMaterialWizardDlg::SettleResults()
{
    if (m_pRunMaterial == nullptr || m_pDocument == nullptr)
        return;
    if (m_pRunMaterial->GetRnMean() != m_dRunMean || m_pRunMaterial->GetRnStdDev() != m_dRunStdDev) {
        m_pDocument->ClearResults();
        m_pDocument->UpdateAllViews(nullptr, 0, nullptr);
    }
    m_pRunMaterial = nullptr;
}

BOOL CMaterialWizardDlg::StoreFieldData()
{
    if (m_pDocument == nullptr)
        return FALSE;
    std::vector<double> values;
    std::vector<int> quantities;
    if (!ReadFieldData(values, quantities, FALSE))
        return FALSE;
    if (values.size() != quantities.size())
        return FALSE;
    CString name;
    if (const CTalusimSlopeType* material = SelectedMaterial())
        name = material->GetName();

    bool same = name == m_pDocument->GetWizardText() &&
                static_cast<int>(values.size()) == m_pDocument->GetWizardItemCount();
    for (size_t i = 0; same && i < values.size(); ++i)
        same = m_pDocument->GetWizardItem(static_cast<int>(i)).value == values[i] &&
               m_pDocument->GetWizardItem(static_cast<int>(i)).code == quantities[i];
    if (same)
        return TRUE;
    m_pDocument->ClearWizardItems();
    for (size_t i = 0; i < values.size(); ++i)
        m_pDocument->AddWizardItem(CWizardItem{values[i], quantities[i]});
    m_pDocument->SetWizardText(name);
    m_pDocument->SetModifiedFlag(TRUE);
    return TRUE;
}

void CMaterialWizardDlg::OnOK()
{
    if (m_bFitting)
        return;
    if (!StoreFieldData())
        return;
    SettleResults();
    EndDialog(IDOK);
}

void CMaterialWizardDlg::OnCancel()
{
    if (m_bFitting)
        return;
    SettleResults();
    EndDialog(IDCANCEL);
}

INT_PTR RunMaterialWizardDialog(CREGDatabase* database, CTalusimDoc* document)
{
    CMaterialWizardDlg dialog;
    dialog.m_pDatabase = database;
    dialog.m_pDocument = document;
    return dialog.DoModal();
}
