// The Material Wizard: estimates a material's coefficient of normal
// restitution Rn from observed rock end points. It runs the simulation once
// for each trial Rn mean, matches every observation to the trial whose mean
// end point lies nearest, and proposes the mean and standard deviation of the
// matched Rn values; "Apply to material" gives them to the material.
//
// The observations and the chosen material reach the document only through
// OK. The fit leaves the document's results from a run with the fitted
// values; when the wizard closes and the material does not hold those values
// (nothing applied, or changed since), the results are cleared, so that the
// document never keeps results its own materials do not produce.
#pragma once

#include <cfloat>
#include <vector>

#include "controls/FlatComboBox.h"
#include "controls/GridCtrl.h"
#include "framework/Dialog.h"

class CREGDatabase;
class CTalusimDoc;
class CTalusimSlopeType;

class CMaterialWizardDlg : public CDialog {
public:
    explicit CMaterialWizardDlg(CWnd* parent = nullptr);

    CREGDatabase* m_pDatabase = nullptr;
    CTalusimDoc* m_pDocument = nullptr;
    UINT m_nSubdivisions = 50;    // trial count
    UINT m_nEndpoints = 1;        // grid rows below the header
    double m_dFittedMean = DBL_MAX;
    double m_dFittedStdDev = DBL_MAX;

    // For every observation, the trial value whose mean lies nearest (the
    // first on ties); a trial mean of DBL_MAX (no end point) is passed over;
    // DBL_MAX when no trial has a mean.
    static std::vector<double> MatchObservations(const std::vector<double>& observations,
                                                 const std::vector<double>& trialValues,
                                                 const std::vector<double>& trialMeans);
    // Empty: 0 and 0; one value: it and 0; else the mean and the sample standard deviation.
    static void ComputeMeanAndStdDev(const std::vector<double>& values, double& mean, double& stdDev);

    CGridCtrl& GetGrid() { return m_grid; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnFitToFieldData();
    afx_msg void OnApplyToMaterial();
    afx_msg void OnEndpointSpin(NMHDR* hdr, LRESULT* result);
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }

    BOOL ReadFieldData(std::vector<double>& values, std::vector<int>& quantities, BOOL expand);
    void SetGridRows(int count);
    void FillMaterials();
    void LoadFieldData();
    BOOL StoreFieldData();
    void ShowStatistics(CTalusimSlopeType* material, double mean, double stdDev);
    CTalusimSlopeType* SelectedMaterial() const;
    // Clears the results of a fit that the material's values no longer produce.
    void SettleResults();

private:
    CSwatchComboBox m_materialCombo;
    CGridCtrl m_grid;
    bool m_bFitting = false;
    // The material the shown fit was made for: Apply gives the fit to it,
    // whichever material the combo shows by then.
    CTalusimSlopeType* m_pFittedMaterial = nullptr;
    // The material and the Rn the document's results were last computed with by a fit.
    CTalusimSlopeType* m_pRunMaterial = nullptr;
    double m_dRunMean = DBL_MAX;
    double m_dRunStdDev = DBL_MAX;

    DECLARE_MESSAGE_MAP()
};

// Runs the wizard for the document's Material Wizard command.
INT_PTR RunMaterialWizardDialog(CREGDatabase* database, CTalusimDoc* document);

// Makes the document's Material Wizard command open this wizard, keeping the
// filter dialogs already installed.
void InstallMaterialWizard();
