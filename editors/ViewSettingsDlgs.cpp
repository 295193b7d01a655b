#include "editors/ViewSettingsDlgs.h"

#include "editors/ModelDialogs.h"
#include "framework/ResourceHandle.h"
#include "res/dialogs-model.h"
#include "res/resource.h"

namespace {

constexpr int kSnapNone = 29;
constexpr int kSnapGrid = 30;
constexpr int kSnapVertex = 31;
constexpr int kStyleLines = 8;
constexpr int kStyleDots = 9;
constexpr int kStyleCrosses = 10;

HICON LoadIconResource(UINT id)
{
    return static_cast<HICON>(
        ::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR | LR_SHARED));
}

} // namespace

// ---- Grid Settings -------------------------------------------------------------------

CGridSettingsDlg::CGridSettingsDlg() : CEditorDialog(IDD_GRID_SETTINGS) {}

BOOL CGridSettingsDlg::OnInitDialog()
{
    m_picker.SubclassDlgItem(IDC_GRID_COLOUR, this);
    m_picker.SetColour(m_data.colour);
    const std::pair<int, UINT> icons[] = {
        {IDC_GRID_DOTS, IDI_GRID_DOTS}, {IDC_GRID_LINES, IDI_GRID_LINES}, {IDC_GRID_CROSSES, IDI_GRID_CROSSES}};
    for (const auto& [button, icon] : icons)
        SendDlgItemMessage(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(LoadIconResource(icon)));
    CEditorDialog::OnInitDialog();
    CheckButtons();
    return TRUE;
}

void CGridSettingsDlg::CheckButtons()
{
    Check(IDC_GRID_LINES, m_data.style == kStyleLines);
    Check(IDC_GRID_DOTS, m_data.style == kStyleDots);
    Check(IDC_GRID_CROSSES, m_data.style == kStyleCrosses);
    Check(IDC_GRID_ON, m_data.on);
    Check(IDC_GRID_OFF, !m_data.on);
}

void CGridSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    ExchangeReal(pDX, IDC_GRID_SPACING_X, m_data.spacingX, 0.001, 100000.0);
    ExchangeReal(pDX, IDC_GRID_SPACING_Y, m_data.spacingY, 0.001, 100000.0);
}

BOOL CGridSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_GRID_DOTS: m_data.style = kStyleDots; CheckButtons(); return TRUE;
        case IDC_GRID_CROSSES: m_data.style = kStyleCrosses; CheckButtons(); return TRUE;
        case IDC_GRID_LINES: m_data.style = kStyleLines; CheckButtons(); return TRUE;
        case IDC_GRID_ON: m_data.on = true; CheckButtons(); return TRUE;
        case IDC_GRID_OFF: m_data.on = false; CheckButtons(); return TRUE;
        default: break;
        }
    }
    return CEditorDialog::OnCommand(wParam, lParam);
}

void CGridSettingsDlg::OnOK()
{
    m_data.colour = m_picker.GetColour();
    CEditorDialog::OnOK();
}

// ---- Display Options -------------------------------------------------------------------

CTalusimDisplayOptionsDlg::CTalusimDisplayOptionsDlg() : CEditorDialog(IDD_DISPLAY_OPTIONS) {}

BOOL CTalusimDisplayOptionsDlg::OnInitDialog()
{
    m_pathColour.SubclassDlgItem(IDC_DO_PATH_COLOUR, this);
    m_filteredColour.SubclassDlgItem(IDC_DO_FILTERED_COLOUR, this);
    m_fillColour.SubclassDlgItem(IDC_DO_FILL_COLOUR, this);
    m_patterns.SubclassDlgItem(IDC_DO_HATCH, this);
    m_patterns.AddHatchPatterns(FALSE);
    m_patterns.SetPatternColour(m_data.fillColour);
    SetDlgItemText(IDC_DO_LENGTH_UNIT, m_data.lengthUnit);
    CEditorDialog::OnInitDialog();
    EnableFillControls(m_data.fillMode);
    return TRUE;
}

void CTalusimDisplayOptionsDlg::EnableFillControls(int mode)
{
    for (int id : {IDC_DO_LENGTH_LABEL, IDC_DO_LENGTH, IDC_DO_FILL_COLOUR, IDC_DO_LENGTH_UNIT})
        EnableItem(id, mode == 1 || mode == 2);
    EnableItem(IDC_DO_HATCH, mode == 2);
}

void CTalusimDisplayOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_ColourPicker(pDX, IDC_DO_PATH_COLOUR, m_data.pathColour);
    DDX_ColourPicker(pDX, IDC_DO_FILTERED_COLOUR, m_data.filteredPathColour);
    DDX_ColourPicker(pDX, IDC_DO_FILL_COLOUR, m_data.fillColour);
    ExchangeReal(pDX, IDC_DO_LENGTH, m_data.fillLength, 0.001, 1000.0);
    DDX_CBIndex(pDX, IDC_DO_HATCH, m_data.hatchPattern);
    DDX_Radio(pDX, IDC_DO_NONE, m_data.fillMode);
    if (pDX->m_bSaveAndValidate) {
        if (m_data.fillMode < 0)
            m_data.fillMode = 0;
        if (m_data.hatchPattern < 0)
            m_data.hatchPattern = 0;
    }
}

BOOL CTalusimDisplayOptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_DO_NONE: EnableFillControls(0); return TRUE;
        case IDC_DO_FILL: EnableFillControls(1); return TRUE;
        case IDC_DO_HATCHED: EnableFillControls(2); return TRUE;
        default: break;
        }
    }
    return CEditorDialog::OnCommand(wParam, lParam);
}

LRESULT CTalusimDisplayOptionsDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The patterns are drawn in the fill colour as the picker moves over colours.
    if (static_cast<int>(lParam) == IDC_DO_FILL_COLOUR) {
        if (message == CPN_SELCHANGE) {
            m_patterns.SetPatternColour(static_cast<COLORREF>(wParam) & ~kColourPaletteFlag);
            return 0;
        }
        if (message == CPN_SELENDCANCEL) {
            m_patterns.SetPatternColour(m_fillColour.GetColour());
            return 0;
        }
    }
    return CEditorDialog::WindowProc(message, wParam, lParam);
}

// ---- Snap -------------------------------------------------------------------------------

CSnapDlg::CSnapDlg() : CEditorDialog(IDD_SNAP) {}

BOOL CSnapDlg::OnInitDialog()
{
    CEditorDialog::OnInitDialog();
    CheckButtons();
    return TRUE;
}

void CSnapDlg::CheckButtons()
{
    Check(IDC_SNAP_NONE, m_mode == kSnapNone);
    Check(IDC_SNAP_GRID, m_mode == kSnapGrid);
    Check(IDC_SNAP_VERTEX, m_mode == kSnapVertex);
}

BOOL CSnapDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_SNAP_NONE: m_mode = kSnapNone; CheckButtons(); return TRUE;
        case IDC_SNAP_GRID: m_mode = kSnapGrid; CheckButtons(); return TRUE;
        case IDC_SNAP_VERTEX: m_mode = kSnapVertex; CheckButtons(); return TRUE;
        default: break;
        }
    }
    return CEditorDialog::OnCommand(wParam, lParam);
}

// ---- Units ---------------------------------------------------------------------------------

CUnitsDlg::CUnitsDlg() : CEditorDialog(IDD_UNITS) {}

void CUnitsDlg::DoDataExchange(CDataExchange* pDX) { DDX_Radio(pDX, IDC_UNITS_METRIC, m_units); }

// ---- the services ----------------------------------------------------------------------------

INT_PTR CModelDialogServices::RunSnapDialog(int& snapMode)
{
    CSnapDlg dlg;
    dlg.SetSnapMode(snapMode >= kSnapNone && snapMode <= kSnapVertex ? snapMode : kSnapNone);
    const INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        snapMode = dlg.GetSnapMode();
    return result;
}

INT_PTR CModelDialogServices::RunGridSettings(CGridSettingsData& data) { return RunWithData<CGridSettingsDlg>(data); }

INT_PTR CModelDialogServices::RunUnits(bool& metric)
{
    CUnitsDlg dlg;
    dlg.m_units = metric ? 0 : 1;
    const INT_PTR result = dlg.DoModal();
    // No choice at all leaves the units as they are.
    if (result == IDOK && dlg.m_units >= 0)
        metric = dlg.m_units == 0;
    return result;
}

INT_PTR CModelDialogServices::RunDisplayOptions(CDisplayOptionsData& data) { return RunWithData<CTalusimDisplayOptionsDlg>(data); }
