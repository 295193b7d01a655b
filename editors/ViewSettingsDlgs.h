// The view settings dialogs: Grid Settings, Display Options, Snap and Units.
// Each holds its values in members the caller sets before DoModal and reads
// after OK; none changes the document itself.
#pragma once

#include "controls/ColourPicker.h"
#include "controls/FlatComboBox.h"
#include "editors/EditorDialog.h"
#include "model/SlopeViewServices.h"

class CGridSettingsDlg : public CEditorDialog
{
public:
    CGridSettingsDlg();
    void SetGridOn(bool on) { m_data.on = on; }
    void SetGridColour(COLORREF colour) { m_data.colour = colour; }
    void SetSpacing(double x, double y)
    {
        m_data.spacingX = x;
        m_data.spacingY = y;
    }
    void SetGridStyle(int style) { m_data.style = style; }
    bool IsGridOn() const { return m_data.on; }
    COLORREF GetGridColour() const { return m_data.colour; }
    double GetSpacingX() const { return m_data.spacingX; }
    double GetSpacingY() const { return m_data.spacingY; }
    int GetGridStyle() const { return m_data.style; }

    CGridSettingsData m_data;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

private:
    void CheckButtons();
    CColourPicker m_picker;
};

class CTalusimDisplayOptionsDlg : public CEditorDialog
{
public:
    CTalusimDisplayOptionsDlg();
    CDisplayOptionsData m_data;
    CFillPatternCombo& GetPatternCombo() { return m_patterns; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void EnableFillControls(int mode);
    CColourPicker m_pathColour;
    CFillPatternCombo m_patterns;
    CColourPicker m_filteredColour;
    CColourPicker m_fillColour;
};

class CSnapDlg : public CEditorDialog
{
public:
    CSnapDlg();
    void SetSnapMode(int mode) { m_mode = mode; }
    int GetSnapMode() const { return m_mode; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void CheckButtons();
    int m_mode = 29;
};

class CUnitsDlg : public CEditorDialog
{
public:
    CUnitsDlg();
    // 0 metric, 1 imperial.
    int m_units = -1;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};
