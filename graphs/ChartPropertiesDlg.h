// "Chart Properties": the titles of a graph window's chart and of its axes,
// custom axis ranges and the number of bins. It works on a copy of the
// window's settings and writes them back on Apply, Default and OK, each time
// rebuilding the chart; the window restores its own copy when the dialog
// ends any other way.
#pragma once

#include "framework/Dialog.h"
#include "graphs/GraphKinds.h"

class CTalusimOlectraView;

class CChartPropertiesDlg : public CDialog
{
public:
    explicit CChartPropertiesDlg(CWnd* pParent = nullptr);

    void SetView(CTalusimOlectraView* pView) { m_pView = pView; }
    // Envelopes have no bins: their count is shown but cannot be changed.
    void SetBinsEditable(bool editable) { m_bBinsEditable = editable ? 1 : 0; }

    BOOL OnInitDialog() override;
    void OnOK() override;

    // The working copy, for the view's settings in both directions.
    void ExchangeSettings(bool toView);
    void UpdateControlStates();

    afx_msg void OnApply();
    afx_msg void OnDefault();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnCustomRange();
    afx_msg void OnCustomYTitle();
    afx_msg void OnCustomXTitle();
    afx_msg void OnCustomHeader();
    afx_msg void OnCustomBins();
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    void Enable(int id, bool enable);

    CTalusimOlectraView* m_pView = nullptr;
    ChartSettings m_settings;    // the working copy: titles, flags, ranges and bins
    UINT m_nBins = 1;            // the custom bin count as the edit holds it
    BYTE m_bBinsEditable = 1;

    DECLARE_MESSAGE_MAP()
};
