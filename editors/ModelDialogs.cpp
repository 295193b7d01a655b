#include "editors/ModelDialogs.h"

#include <cmath>
#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "res/dialogs-model.h"

namespace {

constexpr UINT WM_RUN_SCRIPT = WM_APP + 61;

// A number that is no number (NaN) or no finite value is refused: stored in
// the model it would compare unequal to everything and poison every result.
void DDV_Finite(CDataExchange* pDX, double value)
{
    if (pDX->m_bSaveAndValidate && !std::isfinite(value)) {
        AfxMessageBox("Please enter a number.", MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

void ExchangeReal(CDataExchange* pDX, int id, double& value)
{
    DDX_Text(pDX, id, value);
    DDV_Finite(pDX, value);
}

bool ChooseColour(CWnd* owner, COLORREF& colour)
{
    static COLORREF custom[16] = {};
    CHOOSECOLORA cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner ? owner->m_hWnd : nullptr;
    cc.rgbResult = colour;
    cc.lpCustColors = custom;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (!::ChooseColorA(&cc))
        return false;
    colour = cc.rgbResult;
    return true;
}

// The dialogs' common part: the test script after the dialog shows.
class CScriptedDialog : public CDialog
{
public:
    explicit CScriptedDialog(UINT id) : CDialog(id) {}
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (CModelDialogServices::s_script)
            PostMessage(WM_RUN_SCRIPT);
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_RUN_SCRIPT && CModelDialogServices::s_script) {
            CModelDialogServices::s_script(*this);
            return 0;
        }
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

class CSnapDlg : public CScriptedDialog
{
public:
    CSnapDlg() : CScriptedDialog(IDD_SNAP) {}
    int m_mode = 29;
    void DoDataExchange(CDataExchange* pDX) override
    {
        int choice = m_mode - 29;
        DDX_Radio(pDX, IDC_SNAP_NONE, choice);
        if (pDX->m_bSaveAndValidate)
            m_mode = 29 + (choice < 0 ? 0 : choice);
    }
};

class CUnitsDlg : public CScriptedDialog
{
public:
    CUnitsDlg() : CScriptedDialog(IDD_UNITS) {}
    bool m_metric = true;
    void DoDataExchange(CDataExchange* pDX) override
    {
        int choice = m_metric ? 0 : 1;
        DDX_Radio(pDX, IDC_UNITS_METRIC, choice);
        if (pDX->m_bSaveAndValidate)
            m_metric = choice != 1;
    }
};

class CGridSettingsDlg : public CScriptedDialog
{
public:
    CGridSettingsDlg() : CScriptedDialog(IDD_GRID_SETTINGS) {}
    CGridSettingsData m_data;
    void DoDataExchange(CDataExchange* pDX) override
    {
        int on = m_data.on ? 1 : 0;
        int style = m_data.style - 8;
        DDX_Check(pDX, IDC_GRID_ON, on);
        DDX_Radio(pDX, IDC_GRID_LINES, style);
        ExchangeReal(pDX, IDC_GRID_SPACING_X, m_data.spacingX);
        DDV_MinMaxDouble(pDX, m_data.spacingX, 0.001, 100000.0);
        ExchangeReal(pDX, IDC_GRID_SPACING_Y, m_data.spacingY);
        DDV_MinMaxDouble(pDX, m_data.spacingY, 0.001, 100000.0);
        if (pDX->m_bSaveAndValidate) {
            m_data.on = on != 0;
            m_data.style = 8 + (style < 0 ? 0 : style);
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == IDC_GRID_COLOUR && HIWORD(wParam) == BN_CLICKED) {
            ChooseColour(this, m_data.colour);
            return TRUE;
        }
        return CScriptedDialog::OnCommand(wParam, lParam);
    }
};

class CInitialConditionsDlg : public CScriptedDialog
{
public:
    CInitialConditionsDlg() : CScriptedDialog(IDD_INITIAL_CONDITIONS) {}
    CInitialConditionsData m_data;
    BOOL OnInitDialog() override
    {
        SetDlgItemText(IDC_IC_MASS_UNIT, m_data.massUnit);
        SetDlgItemText(IDC_IC_VX_UNIT, m_data.velocityUnit);
        SetDlgItemText(IDC_IC_VY_UNIT, m_data.velocityUnit);
        const BOOL angular = m_data.considerAngularVelocity ? TRUE : FALSE;
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IC_ANGULAR_MEAN), angular);
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_IC_ANGULAR_SD), angular);
        return CScriptedDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        ExchangeReal(pDX, IDC_IC_MASS_MEAN, m_data.massMean);
        ExchangeReal(pDX, IDC_IC_MASS_SD, m_data.massStdDev);
        ExchangeReal(pDX, IDC_IC_VX_MEAN, m_data.vxMean);
        ExchangeReal(pDX, IDC_IC_VX_SD, m_data.vxStdDev);
        ExchangeReal(pDX, IDC_IC_VY_MEAN, m_data.vyMean);
        ExchangeReal(pDX, IDC_IC_VY_SD, m_data.vyStdDev);
        ExchangeReal(pDX, IDC_IC_RADIUS_MEAN, m_data.radiusMean);
        ExchangeReal(pDX, IDC_IC_RADIUS_SD, m_data.radiusStdDev);
        ExchangeReal(pDX, IDC_IC_ANGULAR_MEAN, m_data.angularMean);
        ExchangeReal(pDX, IDC_IC_ANGULAR_SD, m_data.angularStdDev);
    }
};

class CProjectSettingsDlg : public CScriptedDialog
{
public:
    CProjectSettingsDlg() : CScriptedDialog(IDD_PROJECT_SETTINGS) {}
    CProjectSettingsData m_data;
    BOOL OnInitDialog() override
    {
        SetDlgItemText(IDC_PS_VELOCITY_UNIT, m_data.velocityUnit);
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PS_EQUAL), m_data.equalLocked ? FALSE : TRUE);
        ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PS_BY_LENGTH), m_data.byLengthLocked ? FALSE : TRUE);
        return CScriptedDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        int random = m_data.randomChoice - 3350;
        int friction = m_data.frictionAngleMode;
        int probability = m_data.seederProbability == 2150 ? 1 : 0;
        DDX_Radio(pDX, IDC_PS_RANDOM_TIME, random);
        DDX_Text(pDX, IDC_PS_SEED, m_data.seed);
        DDX_Radio(pDX, IDC_PS_FRICTION_MATERIAL, friction);
        DDX_Check(pDX, IDC_PS_ANGULAR, m_data.considerAngularVelocity);
        DDX_Check(pDX, IDC_PS_SCALE_VELOCITY, m_data.scaleRnByVelocity);
        ExchangeReal(pDX, IDC_PS_K, m_data.rnVelocityConstant);
        DDX_Check(pDX, IDC_PS_SCALE_MASS, m_data.scaleRnByMass);
        ExchangeReal(pDX, IDC_PS_C, m_data.rnMassConstant);
        DDX_Radio(pDX, IDC_PS_EQUAL, probability);
        DDX_Text(pDX, IDC_PS_ROCKS, m_data.rocks);
        DDV_MinMaxInt(pDX, m_data.rocks, 1, 1000000);
        DDX_Text(pDX, IDC_PS_DIVISIONS, m_data.divisions);
        DDV_MinMaxInt(pDX, m_data.divisions, 1, 100000);
        ExchangeReal(pDX, IDC_PS_MIN_VELOCITY, m_data.minimumVelocity);
        if (pDX->m_bSaveAndValidate) {
            m_data.randomChoice = 3350 + (random < 0 ? 0 : random);
            m_data.frictionAngleMode = friction < 0 ? 0 : friction;
            m_data.seederProbability = probability == 1 ? 2150 : 2149;
        }
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PS_PATH_COLOUR) {
            ChooseColour(this, m_data.pathColour);
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDC_PS_FILTERED_COLOUR) {
            ChooseColour(this, m_data.filteredPathColour);
            return TRUE;
        }
        return CScriptedDialog::OnCommand(wParam, lParam);
    }
};

class CTalusimDisplayOptionsDlg : public CScriptedDialog
{
public:
    CTalusimDisplayOptionsDlg() : CScriptedDialog(IDD_DISPLAY_OPTIONS) {}
    CDisplayOptionsData m_data;
    BOOL OnInitDialog() override
    {
        HWND combo = ::GetDlgItem(m_hWnd, IDC_DO_HATCH);
        for (const char* s : {"Horizontal", "Vertical", "Forward diagonal", "Backward diagonal", "Cross",
                              "Diagonal cross"})
            ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s));
        SetDlgItemText(IDC_DO_LENGTH_UNIT, m_data.lengthUnit);
        return CScriptedDialog::OnInitDialog();
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        DDX_Radio(pDX, IDC_DO_NONE, m_data.fillMode);
        DDX_CBIndex(pDX, IDC_DO_HATCH, m_data.hatchPattern);
        ExchangeReal(pDX, IDC_DO_LENGTH, m_data.fillLength);
        DDV_MinMaxDouble(pDX, m_data.fillLength, 0.001, 1e9);
        if (pDX->m_bSaveAndValidate && m_data.fillMode < 0)
            m_data.fillMode = 0;
    }
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (HIWORD(wParam) == BN_CLICKED) {
            switch (LOWORD(wParam)) {
            case IDC_DO_PATH_COLOUR:
                ChooseColour(this, m_data.pathColour);
                return TRUE;
            case IDC_DO_FILTERED_COLOUR:
                ChooseColour(this, m_data.filteredPathColour);
                return TRUE;
            case IDC_DO_FILL_COLOUR:
                ChooseColour(this, m_data.fillColour);
                return TRUE;
            default:
                break;
            }
        }
        return CScriptedDialog::OnCommand(wParam, lParam);
    }
};

}  // namespace

INT_PTR CModelDialogServices::RunSnapDialog(int& snapMode)
{
    CSnapDlg dlg;
    dlg.m_mode = snapMode >= 29 && snapMode <= 31 ? snapMode : 29;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        snapMode = dlg.m_mode;
    return result;
}

INT_PTR CModelDialogServices::RunGridSettings(CGridSettingsData& data)
{
    CGridSettingsDlg dlg;
    dlg.m_data = data;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        data = dlg.m_data;
    return result;
}

INT_PTR CModelDialogServices::RunInitialConditions(CInitialConditionsData& data)
{
    CInitialConditionsDlg dlg;
    dlg.m_data = data;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        data = dlg.m_data;
    return result;
}

INT_PTR CModelDialogServices::RunProjectSettings(CProjectSettingsData& data)
{
    CProjectSettingsDlg dlg;
    dlg.m_data = data;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        data = dlg.m_data;
    return result;
}

INT_PTR CModelDialogServices::RunUnits(bool& metric)
{
    CUnitsDlg dlg;
    dlg.m_metric = metric;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        metric = dlg.m_metric;
    return result;
}

INT_PTR CModelDialogServices::RunDisplayOptions(CDisplayOptionsData& data)
{
    CTalusimDisplayOptionsDlg dlg;
    dlg.m_data = data;
    INT_PTR result = dlg.DoModal();
    if (result == IDOK)
        data = dlg.m_data;
    return result;
}
