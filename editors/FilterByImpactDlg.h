// Filter by Impact: marks as filtered the rock paths that hit a chosen barrier
// or data collector, all of them or those of its N highest impacts by a
// chosen quantity, combined with the paths already filtered as the user asks.
// It applies its filter itself on OK.
#pragma once

#include "controls/FlatComboBox.h"
#include "framework/CommonControls.h"
#include "framework/Dialog.h"
#include "framework/StdControls.h"

class CREGDatabase;
class CTalusimBarrier;
class CTalusimDoc;

class CFilterByImpactDlg : public CDialog
{
public:
    CFilterByImpactDlg();

    // Set by the caller before DoModal.
    BYTE m_bPathsFiltered = 0;
    CREGDatabase* m_pDatabase = nullptr;
    CTalusimDoc* m_pDocument = nullptr;
    CTalusimBarrier* m_pInitial = nullptr;

    // 0 every path that hit the object, 1 the paths of its highest impacts.
    int m_nSelectionKind = 0;
    int m_nMaxPaths = 1;
    // 0 discard and apply, 1 narrow, 2 add.
    int m_nMode = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnAllPaths();
    afx_msg void OnHighestImpacts();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    void EnableCriterion(bool enable);
    // Marks the chosen paths as filtered, as the mode says.
    void ApplyFilter(CTalusimBarrier* object, int criterion);

    CSpinButtonCtrl m_spin;
    CCJFlatComboBox m_criterion;
    CListBox m_objects;
};
