#include "editors/ProjectSettingsDlg.h"

#include "model/MainFrameServices.h"
#include "editors/ModelDialogs.h"
#include "model/TalusimDoc.h"
#include "res/dialogs-model.h"

namespace {
constexpr int kKRow[] = {IDC_PS_K_LABEL, IDC_PS_K, IDC_PS_K_UNIT};
constexpr int kCRow[] = {IDC_PS_C_LABEL, IDC_PS_C, IDC_PS_C_UNIT};
} // namespace

// ---- field help ------------------------------------------------------------------

void CFieldHelpDialog::CreateFieldHelp()
{
    m_tip.Create(this);
    m_tip.SetMaxTipWidth(0x7FFF);
    m_tip.SetDelayTime(TTDT_INITIAL, 50);
    m_tip.Activate(TRUE);
}

void CFieldHelpDialog::AddFieldHelp(int code, std::initializer_list<int> controls)
{
    const CString text = MainFrameServices().GetPromptText(code);
    for (int id : controls)
        if (CWnd* control = GetDlgItem(id); control != nullptr)
            m_tip.AddTool(control, text);
}

BOOL CFieldHelpDialog::PreTranslateMessage(MSG* pMsg)
{
    if (m_tip.GetSafeHwnd() != nullptr)
        m_tip.RelayEvent(pMsg);
    return CEditorDialog::PreTranslateMessage(pMsg);
}

// ---- Project Settings -------------------------------------------------------------

CProjectSettingsDlg::CProjectSettingsDlg() : CFieldHelpDialog(IDD_PROJECT_SETTINGS) {}

BOOL CProjectSettingsDlg::OnInitDialog()
{
    switch (m_data.randomChoice) {
    case RANDOM_TIME: m_generator = 0; m_specifySeed = 0; break;
    case RANDOM_USER: m_generator = 1; m_specifySeed = 1; break;
    default: m_generator = 1; m_specifySeed = 0; break;
    }
    CFieldHelpDialog::OnInitDialog();
    SetDlgItemText(IDC_PS_K_UNIT, m_data.velocityUnit);
    SetDlgItemText(IDC_PS_CUTOFF_UNIT, m_data.velocityUnit);
    SetDlgItemText(IDC_PS_C_UNIT, m_data.massUnit);
    UpdateControls();

    CreateFieldHelp();
    AddFieldHelp(1251, {IDC_PS_SCALE_VELOCITY, IDC_PS_K});
    AddFieldHelp(1250, {IDC_PS_SCALE_MASS, IDC_PS_C});
    AddFieldHelp(1252, {IDC_PS_FRICTION_FROM_RT});
    AddFieldHelp(1253, {IDC_PS_RANDOM});
    AddFieldHelp(1254, {IDC_PS_PSEUDO_RANDOM});
    AddFieldHelp(1255, {IDC_PS_SPECIFY_SEED, IDC_PS_SEED});
    // The help on when probability by length is offered belongs to that button.
    AddFieldHelp(1256, {IDC_PS_BY_LENGTH});
    return TRUE;
}

void CProjectSettingsDlg::UpdateControls()
{
    Check(IDC_PS_BY_LENGTH, m_data.seederProbability == SEEDER_BY_LENGTH);
    Check(IDC_PS_EQUAL, m_data.seederProbability != SEEDER_BY_LENGTH);
    const bool byVelocity = IsChecked(IDC_PS_SCALE_VELOCITY);
    const bool byMass = IsChecked(IDC_PS_SCALE_MASS);
    for (int id : kKRow)
        EnableItem(id, byVelocity);
    for (int id : kCRow)
        EnableItem(id, byMass);
    EnableItem(IDC_PS_BY_LENGTH, !m_data.byLengthLocked);
    EnableItem(IDC_PS_EQUAL, !m_data.equalLocked);
    EnableItem(IDC_PS_PROBABILITY_GROUP, !(m_data.byLengthLocked && m_data.equalLocked));
    const bool fromNumber = IsChecked(IDC_PS_PSEUDO_RANDOM);
    EnableItem(IDC_PS_SPECIFY_SEED, fromNumber);
    EnableItem(IDC_PS_SEED, fromNumber && IsChecked(IDC_PS_SPECIFY_SEED));
}

void CProjectSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_PS_ROCKS, m_data.rocks);
    DDV_MinMaxInt(pDX, m_data.rocks, 1, 10000);
    DDX_Text(pDX, IDC_PS_DIVISIONS, m_data.divisions);
    DDV_MinMaxInt(pDX, m_data.divisions, 2, 1000);
    ExchangeReal(pDX, IDC_PS_MIN_VELOCITY, m_data.minimumVelocity, 0.001, 1e9);
    DDX_Check(pDX, IDC_PS_SCALE_VELOCITY, m_data.scaleRnByVelocity);
    DDX_Check(pDX, IDC_PS_ANGULAR, m_data.considerAngularVelocity);
    // K and C divide the rock's velocity and mass: never 0. A row that is
    // greyed keeps its value as it was.
    if (m_data.scaleRnByVelocity || !pDX->m_bSaveAndValidate)
        ExchangeReal(pDX, IDC_PS_K, m_data.rnVelocityConstant, 0.01, 1000.0);
    DDX_Check(pDX, IDC_PS_SCALE_MASS, m_data.scaleRnByMass);
    if (m_data.scaleRnByMass || !pDX->m_bSaveAndValidate)
        ExchangeReal(pDX, IDC_PS_C, m_data.rnMassConstant, 0.01, 1e10);
    DDX_Radio(pDX, IDC_PS_FRICTION_MATERIAL, m_data.frictionAngleMode);
    DDX_Radio(pDX, IDC_PS_RANDOM, m_generator);
    DDX_Check(pDX, IDC_PS_SPECIFY_SEED, m_specifySeed);
    if ((m_generator == 1 && m_specifySeed) || !pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, IDC_PS_SEED, m_data.seed);
        DDV_MinMaxInt(pDX, m_data.seed, 2, 2000000000);
    }
    if (pDX->m_bSaveAndValidate) {
        m_data.seederProbability = IsChecked(IDC_PS_BY_LENGTH) ? SEEDER_BY_LENGTH : SEEDER_EQUAL;
        m_data.randomChoice = m_generator == 0 ? RANDOM_TIME : m_specifySeed ? RANDOM_USER : RANDOM_FIXED;
    }
}

BOOL CProjectSettingsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == BN_CLICKED) {
        switch (LOWORD(wParam)) {
        case IDC_PS_BY_LENGTH:
            if (!m_data.byLengthLocked)
                m_data.seederProbability = SEEDER_BY_LENGTH;
            UpdateControls();
            return TRUE;
        case IDC_PS_EQUAL:
            if (!m_data.equalLocked)
                m_data.seederProbability = SEEDER_EQUAL;
            UpdateControls();
            return TRUE;
        case IDC_PS_SCALE_VELOCITY:
        case IDC_PS_SCALE_MASS:
        case IDC_PS_RANDOM:
        case IDC_PS_PSEUDO_RANDOM:
        case IDC_PS_SPECIFY_SEED:
            UpdateControls();
            return TRUE;
        default: break;
        }
    }
    return CFieldHelpDialog::OnCommand(wParam, lParam);
}

// ---- Define Initial Conditions ----------------------------------------------------

CInitialConditionsDlg::CInitialConditionsDlg() : CFieldHelpDialog(IDD_INITIAL_CONDITIONS) {}

BOOL CInitialConditionsDlg::OnInitDialog()
{
    CFieldHelpDialog::OnInitDialog();
    SetDlgItemText(IDC_IC_VX_LABEL, "Horizontal velocity " + m_data.velocityUnit);
    SetDlgItemText(IDC_IC_VY_LABEL, "Vertical velocity " + m_data.velocityUnit);
    SetDlgItemText(IDC_IC_MASS_LABEL, "Mass " + m_data.massUnit);
    CreateFieldHelp();
    AddFieldHelp(1240, {IDC_IC_VX_MEAN, IDC_IC_VX_SD});
    AddFieldHelp(1241, {IDC_IC_VY_MEAN, IDC_IC_VY_SD});
    AddFieldHelp(1242, {IDC_IC_ANGULAR_SD, IDC_IC_ANGULAR_MEAN});
    AddFieldHelp(1243, {IDC_IC_MASS_MEAN, IDC_IC_MASS_SD});
    const bool angular = m_data.considerAngularVelocity;
    for (int id : {IDC_IC_ANGULAR_MEAN, IDC_IC_ANGULAR_SD, IDC_IC_ANGULAR_LABEL})
        EnableItem(id, angular);
    return TRUE;
}

void CInitialConditionsDlg::DoDataExchange(CDataExchange* pDX)
{
    ExchangeReal(pDX, IDC_IC_MASS_MEAN, m_data.massMean, 0.001, 1e8);
    ExchangeReal(pDX, IDC_IC_VX_MEAN, m_data.vxMean);
    ExchangeReal(pDX, IDC_IC_VY_MEAN, m_data.vyMean);
    ExchangeStdDev(pDX, IDC_IC_VX_SD, m_data.vxStdDev);
    ExchangeStdDev(pDX, IDC_IC_VY_SD, m_data.vyStdDev);
    ExchangeStdDev(pDX, IDC_IC_MASS_SD, m_data.massStdDev);
    ExchangeReal(pDX, IDC_IC_RADIUS_MEAN, m_data.radiusMean, 0.0, 1e8);
    ExchangeReal(pDX, IDC_IC_RADIUS_SD, m_data.radiusStdDev);
    ExchangeReal(pDX, IDC_IC_ANGULAR_MEAN, m_data.angularMean);
    // Greyed when angular velocity is not considered: it keeps its value then.
    ExchangeStdDev(pDX, IDC_IC_ANGULAR_SD, m_data.angularStdDev, m_data.considerAngularVelocity);
}

// ---- the services ------------------------------------------------------------------

INT_PTR CModelDialogServices::RunProjectSettings(CProjectSettingsData& data) { return RunWithData<CProjectSettingsDlg>(data); }

INT_PTR CModelDialogServices::RunInitialConditions(CInitialConditionsData& data) { return RunWithData<CInitialConditionsDlg>(data); }
