// Filter Rock Paths: which rock paths to mark as filtered, by where they end
// or how far they reach along x, and how the new selection combines with the
// paths already filtered. The document applies the result.
#pragma once

#include "controls/FlatComboBox.h"
#include "framework/Dialog.h"

class CFilterPathsDlg : public CDialog
{
public:
    CFilterPathsDlg();

    // The criteria, in the combo's order.
    enum Criterion { END_BELOW = 0, END_ABOVE = 1, ANY_BELOW = 2, ANY_ABOVE = 3 };

    // Set by the caller: enables the choice of how to combine.
    BYTE m_bPathsFiltered = 0;
    // On OK exactly one flag is 1, that of the chosen criterion; every value is X.
    int m_criterionFlags[4] = {};
    double m_criterionValues[4] = {};
    // 0 discard and apply, 1 narrow, 2 add.
    int m_nMode = 0;
    double m_x = 0.0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()

private:
    CCJFlatComboBox m_criterion;
};

// Enables the "Paths already filtered" group of a filter dialog.
void EnableFilterModeGroup(CDialog& dialog, bool pathsFiltered);
