// Project Settings and Define Initial Conditions: the run settings of the
// document and the distributions of one seeder, each field range-checked,
// with field help in tool tips.
#pragma once

#include "editors/EditorDialog.h"
#include "framework/CommonControls.h"
#include "model/SlopeViewServices.h"

// Adds the field-help tips of the main frame's prompt table to a dialog and
// lets every message reach them.
class CFieldHelpDialog : public CEditorDialog
{
public:
    explicit CFieldHelpDialog(UINT id) : CEditorDialog(id) {}
    BOOL PreTranslateMessage(MSG* pMsg) override;
    CToolTipCtrl& GetToolTip() { return m_tip; }

protected:
    // The tip of prompt code `code` on each control.
    void AddFieldHelp(int code, std::initializer_list<int> controls);
    void CreateFieldHelp();

private:
    CToolTipCtrl m_tip;
};

class CProjectSettingsDlg : public CFieldHelpDialog
{
public:
    CProjectSettingsDlg();
    // The document's settings in and, after OK, out.
    CProjectSettingsData m_data;

    void SetByLengthLocked(bool locked) { m_data.byLengthLocked = locked; }
    void SetEqualLocked(bool locked) { m_data.equalLocked = locked; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateControls();
    // The random-number radios: 0 seeded from the time, 1 from a number.
    int m_generator = -1;
    int m_specifySeed = 0;
};

class CInitialConditionsDlg : public CFieldHelpDialog
{
public:
    CInitialConditionsDlg();
    CInitialConditionsData m_data;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};
