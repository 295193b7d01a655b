// The graph window's Chart Properties dialog builds only with the window,
// which builds once the document does.
#include "model/DocumentDependencies.h"

#include "graphs/ChartPropertiesDlg.h"

#include "framework/DataExchange.h"
#include "graphs/TalusimOlectraView.h"
#include "res/dialogs-graphs.h"

namespace {
constexpr int kMaxTitle = 180;
}

BEGIN_MESSAGE_MAP(CChartPropertiesDlg, CDialog)
    ON_BN_CLICKED(IDC_CHART_APPLY, OnApply)
    ON_BN_CLICKED(IDC_CHART_DEFAULT, OnDefault)
    ON_BN_CLICKED(IDC_CHART_X_CUSTOM_RANGE, OnCustomRange)
    ON_BN_CLICKED(IDC_CHART_Y_CUSTOM_RANGE, OnCustomRange)
    ON_BN_CLICKED(IDC_CHART_Y_CUSTOM_TITLE, OnCustomYTitle)
    ON_BN_CLICKED(IDC_CHART_X_CUSTOM_TITLE, OnCustomXTitle)
    ON_BN_CLICKED(IDC_CHART_CUSTOM_HEADER, OnCustomHeader)
    ON_BN_CLICKED(IDC_CHART_CUSTOM_BINS, OnCustomBins)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CChartPropertiesDlg::CChartPropertiesDlg(CWnd* pParent) : CDialog(IDD_CHART_PROPERTIES, pParent) {}

void CChartPropertiesDlg::ExchangeSettings(bool toView)
{
    if (!m_pView)
        return;
    ChartSettings& view = m_pView->GetChartSettings();
    if (!toView) {
        m_settings = view;
        m_nBins = static_cast<UINT>(view.customBinCount);
        return;
    }
    // The defaults are the view's own findings and never go back.
    view.customBinCount = static_cast<int>(m_nBins);
    view.customBins = m_settings.customBins;
    view.customXRange = m_settings.customXRange;
    view.customYRange = m_settings.customYRange;
    view.givenXMin = m_settings.givenXMin;
    view.givenXMax = m_settings.givenXMax;
    view.givenYMin = m_settings.givenYMin;
    view.givenYMax = m_settings.givenYMax;
    view.customHeaderFlag = m_settings.customHeaderFlag;
    view.customXTitleFlag = m_settings.customXTitleFlag;
    view.customYTitleFlag = m_settings.customYTitleFlag;
    view.customHeader = m_settings.customHeader;
    view.customXTitle = m_settings.customXTitle;
    view.customYTitle = m_settings.customYTitle;
}

void CChartPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CHART_X_MAX, m_settings.givenXMax);
    DDX_Text(pDX, IDC_CHART_X_MIN, m_settings.givenXMin);
    DDX_Text(pDX, IDC_CHART_Y_MAX, m_settings.givenYMax);
    DDX_Text(pDX, IDC_CHART_Y_MIN, m_settings.givenYMin);
    DDX_Text(pDX, IDC_CHART_BINS, m_nBins);
    // A count the user cannot change (an envelope's, one per location) is
    // not the user's to correct: it travels back as it came.
    if (m_bBinsEditable)
        DDV_MinMaxUInt(pDX, m_nBins, 1, 1000);
    int xRange = m_settings.customXRange, yRange = m_settings.customYRange;
    DDX_Check(pDX, IDC_CHART_X_CUSTOM_RANGE, xRange);
    DDX_Check(pDX, IDC_CHART_Y_CUSTOM_RANGE, yRange);
    m_settings.customXRange = xRange;
    m_settings.customYRange = yRange;
    DDX_Text(pDX, IDC_CHART_HEADER, m_settings.customHeader);
    DDV_MaxChars(pDX, m_settings.customHeader, kMaxTitle);
    DDX_Text(pDX, IDC_CHART_X_TITLE, m_settings.customXTitle);
    DDV_MaxChars(pDX, m_settings.customXTitle, kMaxTitle);
    DDX_Text(pDX, IDC_CHART_Y_TITLE, m_settings.customYTitle);
    DDV_MaxChars(pDX, m_settings.customYTitle, kMaxTitle);
    // The custom-title and custom-bins boxes follow their flags, which
    // their clicks toggle.
    if (!pDX->m_bSaveAndValidate) {
        CheckDlgButton(IDC_CHART_CUSTOM_HEADER, m_settings.customHeaderFlag ? 1 : 0);
        CheckDlgButton(IDC_CHART_X_CUSTOM_TITLE, m_settings.customXTitleFlag ? 1 : 0);
        CheckDlgButton(IDC_CHART_Y_CUSTOM_TITLE, m_settings.customYTitleFlag ? 1 : 0);
        CheckDlgButton(IDC_CHART_CUSTOM_BINS, m_settings.customBins ? 1 : 0);
    }
}

BOOL CChartPropertiesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    ExchangeSettings(false);
    UpdateData(FALSE);
    UpdateControlStates();
    return TRUE;
}

void CChartPropertiesDlg::Enable(int id, bool enable)
{
    if (HWND control = ::GetDlgItem(m_hWnd, id))
        ::EnableWindow(control, enable ? TRUE : FALSE);
}

void CChartPropertiesDlg::UpdateControlStates()
{
    Enable(IDC_CHART_X_TITLE, m_settings.customXTitleFlag != 0);
    Enable(IDC_CHART_Y_TITLE, m_settings.customYTitleFlag != 0);
    Enable(IDC_CHART_HEADER, m_settings.customHeaderFlag != 0);
    Enable(IDC_CHART_BINS, m_settings.customBins != 0);
    Enable(IDC_CHART_CUSTOM_BINS, m_bBinsEditable != 0);
    const bool x = IsDlgButtonChecked(IDC_CHART_X_CUSTOM_RANGE) == 1;
    for (int id : {IDC_CHART_X_MIN, IDC_CHART_X_MAX, IDC_CHART_X_MIN_LABEL, IDC_CHART_X_MAX_LABEL})
        Enable(id, x);
    const bool y = IsDlgButtonChecked(IDC_CHART_Y_CUSTOM_RANGE) == 1;
    for (int id : {IDC_CHART_Y_MIN, IDC_CHART_Y_MAX, IDC_CHART_Y_MIN_LABEL, IDC_CHART_Y_MAX_LABEL})
        Enable(id, y);
    ::SendDlgItemMessageA(m_hWnd, IDC_CHART_BINS, EM_SETREADONLY, m_bBinsEditable ? FALSE : TRUE, 0);
}

void CChartPropertiesDlg::OnApply()
{
    if (!UpdateData(TRUE))
        return;
    ExchangeSettings(true);
    if (m_pView)
        m_pView->RebuildChart();
}

void CChartPropertiesDlg::OnDefault()
{
    m_settings.customXRange = 0;
    m_settings.customYRange = 0;
    m_settings.customHeaderFlag = 0;
    m_settings.customXTitleFlag = 0;
    m_settings.customYTitleFlag = 0;
    m_settings.customBins = 0;
    m_settings.customXTitle = m_settings.computedXTitle;
    m_settings.customYTitle = m_settings.computedYTitle;
    m_settings.customHeader = m_settings.computedHeader;
    m_settings.givenXMin = m_settings.computedXMin;
    m_settings.givenXMax = m_settings.computedXMax;
    m_settings.givenYMin = m_settings.computedYMin;
    m_settings.givenYMax = m_settings.computedYMax;
    m_nBins = static_cast<UINT>(m_settings.defaultBins);
    UpdateData(FALSE);
    UpdateControlStates();
    OnApply();
}

void CChartPropertiesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    OnApply();
    EndDialog(IDOK);
}

void CChartPropertiesDlg::OnCustomRange()
{
    UpdateControlStates();
}

void CChartPropertiesDlg::OnCustomYTitle()
{
    m_settings.customYTitleFlag = !m_settings.customYTitleFlag;
    UpdateControlStates();
}

void CChartPropertiesDlg::OnCustomXTitle()
{
    m_settings.customXTitleFlag = !m_settings.customXTitleFlag;
    UpdateControlStates();
}

void CChartPropertiesDlg::OnCustomHeader()
{
    m_settings.customHeaderFlag = !m_settings.customHeaderFlag;
    UpdateControlStates();
}

void CChartPropertiesDlg::OnCustomBins()
{
    m_settings.customBins = !m_settings.customBins;
    UpdateControlStates();
}

